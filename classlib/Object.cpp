#include "classlib/Object.h"

#include <map>
#include <mutex>
#include "classlib/TypInfo.h"

const TClassRecord TObject::ClassInfo = MakeClassRecord<TObject>("TObject", nullptr);

bool SameIdent(std::string_view a, std::string_view b)
{
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x -= 32;
    if (y >= 'a' && y <= 'z') y -= 32;
    if (x != y) return false;
  }
  return true;
}

bool TClassRecord::InheritsFrom(TClass ancestor) const
{
  for (TClass c = this; c; c = c->Parent)
    if (c == ancestor) return true;
  return false;
}

const TPropInfo* TClassRecord::FindProp(std::string_view name) const
{
  for (TClass c = this; c; c = c->Parent)
    for (const TPropInfo& p : c->Props)
      if (SameIdent(p.Name, name)) return &p;
  return nullptr;
}

const TMethodInfo* TClassRecord::FindMethod(std::string_view name) const
{
  for (TClass c = this; c; c = c->Parent)
    for (const TMethodInfo& m : c->Methods)
      if (SameIdent(m.Name, name)) return &m;
  return nullptr;
}

namespace {
struct IdentLess {
  bool operator()(const std::string& a, const std::string& b) const
  {
    return _stricmp(a.c_str(), b.c_str()) < 0;
  }
};
std::mutex GClassesLock;
std::map<std::string, TClass, IdentLess>& Classes()
{
  static std::map<std::string, TClass, IdentLess> classes;
  return classes;
}
}  // namespace

void RegisterClass(TClass c)
{
  std::lock_guard lock(GClassesLock);
  auto [it, added] = Classes().emplace(c->Name, c);
  if (!added && it->second != c)
    throw EFilerError(std::string("A class named ") + c->Name + " already exists");
}

void UnRegisterClass(TClass c)
{
  std::lock_guard lock(GClassesLock);
  auto it = Classes().find(c->Name);
  if (it != Classes().end() && it->second == c) Classes().erase(it);
}

TClass GetClass(std::string_view name)
{
  std::lock_guard lock(GClassesLock);
  auto it = Classes().find(std::string(name));
  return it == Classes().end() ? nullptr : it->second;
}

TClass FindClass(std::string_view name)
{
  if (TClass c = GetClass(name)) return c;
  throw EClassNotFound("Class " + std::string(name) + " not found");
}
