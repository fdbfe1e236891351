#include "classlib/Object.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <mutex>
#include "classlib/Messages.h"
#include "classlib/TypInfo.h"

const TClassRecord TObject::ClassInfo = MakeClassRecord<TObject>("TObject", nullptr);

// --- Life ---

namespace object_detail {
void AddRef(TWeakBlock* block) { block->Refs.fetch_add(1, std::memory_order_relaxed); }

void Release(TWeakBlock* block)
{
  if (block->Refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete block;
}

}  // namespace object_detail

namespace {
void DefaultLifetimeViolation(const TObject* obj)
{
  // Only the address is known: the object's own class has already been taken apart.
  char text[120];
  std::snprintf(text, sizeof text, "A class-library object at %p was destroyed without Free.\n",
                static_cast<const void*>(obj));
  OutputDebugStringA(text);
  std::fputs(text, stderr);
#ifndef NDEBUG
  std::abort();
#endif
}

TLifetimeViolationHandler GViolationHandler = DefaultLifetimeViolation;
}  // namespace

TLifetimeViolationHandler SetLifetimeViolationHandler(TLifetimeViolationHandler handler)
{
  return std::exchange(GViolationHandler, handler ? handler : DefaultLifetimeViolation);
}

TObject::~TObject()
{
  // Freed through Free, or destroyed while an exception leaves a constructor (the object was never
  // whole, so it never had an owner that could free it).
  if (!FFreeing && std::uncaught_exceptions() == 0) GViolationHandler(this);
  BeginFree();
  if (object_detail::TWeakBlock* block = FWeak.exchange(nullptr)) object_detail::Release(block);
}

object_detail::TWeakBlock* TObject::WeakBlock() const
{
  object_detail::TWeakBlock* block = FWeak.load(std::memory_order_acquire);
  if (block) return block;
  // The object's own reference keeps the block until the object is gone.
  auto* made = new object_detail::TWeakBlock{const_cast<TObject*>(this), 1};
  if (FFreeing) made->Object = nullptr;
  if (FWeak.compare_exchange_strong(block, made, std::memory_order_acq_rel)) return made;
  delete made;  // another thread made it first
  return block;
}

void TObject::BeginFree()
{
  FFreeing = true;
  if (object_detail::TWeakBlock* block = FWeak.load(std::memory_order_acquire))
    block->Object.store(nullptr, std::memory_order_release);
}

void TObject::Destroy()
{
  BeforeDestruction();
  delete this;
}

void TObject::ReleaseMemory() { delete this; }

void Free(TObject* obj)
{
  if (!obj || obj->FFreeing) return;
  obj->BeginFree();
  if (obj->FCalls == 0) {
    obj->Destroy();
    return;
  }
  // The running calls keep the memory; everything else goes now. Marked first, so that the memory
  // goes with the last call even when BeforeDestruction raises.
  obj->FFreePending = true;
  obj->BeforeDestruction();
}

TObjectCall::~TObjectCall()
{
  if (FObject && --FObject->FCalls == 0 && FObject->FFreePending) {
    FObject->FFreePending = false;
    // A destructor may not raise: what the object's destructors raise goes to the application.
    GuardCallback([this] { FObject->ReleaseMemory(); });
  }
}

// --- Class records ---

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

namespace {
template <class T>
const T* FindNamed(TClass cls, std::span<const T> TClassRecord::*list, std::string_view name)
{
  for (TClass c = cls; c; c = c->Parent)
    for (const T& entry : c->*list)
      if (SameIdent(entry.Name, name)) return &entry;
  return nullptr;
}
}  // namespace

const TPropInfo* TClassRecord::FindProp(std::string_view name) const
{
  return FindNamed(this, &TClassRecord::Props, name);
}

const TMethodInfo* TClassRecord::FindMethod(std::string_view name) const
{
  return FindNamed(this, &TClassRecord::Methods, name);
}

const TFieldInfo* TClassRecord::FindField(std::string_view name) const
{
  return FindNamed(this, &TClassRecord::Fields, name);
}

TMessageHandler TClassRecord::FindMessageHandler(unsigned msg) const
{
  for (TClass c = this; c; c = c->Parent)
    for (const TMessageMapEntry& e : c->Messages)
      if (e.Msg == msg) return e.Handler;
  return nullptr;
}

// --- The class registry ---

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

void RegisterClasses(std::span<const TClass> classes)
{
  for (TClass c : classes) RegisterClass(c);
}

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
