#include "classlib/StoredForms.h"

#include <cstring>
#include <string>
#include "classlib/Filer.h"
#include "classlib/ObjectText.h"
#include "classlib/Streams.h"
#include "classlib/TypInfo.h"

namespace {
// The bytes of an RCDATA resource; empty view with found false when there is none.
bool FindFormResource(HINSTANCE module, const std::string& name, std::string_view& data)
{
  if (!module) module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!info) return false;
  HGLOBAL handle = LoadResource(module, info);
  const void* bytes = handle ? LockResource(handle) : nullptr;
  if (!bytes) RaiseLastOSError();
  data = std::string_view(static_cast<const char*>(bytes), SizeofResource(module, info));
  return true;
}
}  // namespace

bool ReadComponentRes(std::string_view resName, TComponent* instance, HINSTANCE module)
{
  std::string_view data;
  if (!FindFormResource(module, std::string(resName), data)) return false;
  if (data.size() >= 4 && std::memcmp(data.data(), "TPF0", 4) == 0) {
    auto stream = MakeOwned<TMemoryStream>();
    stream->WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
    stream->SetPosition(0);
    ReadComponentFromStream(*stream, instance);
  } else {
    ReadComponentFromText(data, instance);
  }
  return true;
}

namespace {
// A published field the stored form gave no component of its name is a broken form: said at once,
// instead of failing later where the field is used.
void CheckPublishedFields(const TComponent* instance)
{
  for (TClass c = instance->ClassType(); c; c = c->Parent)
    for (const TFieldInfo& field : c->Fields)
      if (!field.Get(instance))
        throw EReadError(std::string("The stored form of ") + instance->ClassName() + " has no component " +
                         field.Name + " for its field of that name");
}
}  // namespace

bool InitInheritedComponent(TComponent* instance, TClass rootAncestor, HINSTANCE module)
{
  for (TClass c = instance->ClassType(); c && c != rootAncestor; c = c->Parent) {
    std::string_view data;
    if (!FindFormResource(module, c->Name, data)) continue;
    ReadComponentRes(c->Name, instance, module);
    CheckPublishedFields(instance);
    return true;
  }
  return false;
}
