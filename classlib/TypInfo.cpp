#include "classlib/TypInfo.h"

#include <algorithm>

int TEnumInfo::ValueOf(std::string_view name) const
{
  for (size_t i = 0; i < Names.size(); ++i)
    if (SameIdent(Names[i], name)) return static_cast<int>(i);
  return -1;
}

std::string_view TEnumInfo::NameOf(int value) const
{
  if (value < 0 || value >= Count()) return {};
  return Names[value];
}

bool TPropInfo::IsDefault(const TObject* obj) const
{
  return HasDefault && GetOrd && GetOrd(obj) == Default;
}

namespace {
bool IsOrdinal(TPropKind k)
{
  switch (k) {
    case TPropKind::Integer: case TPropKind::Boolean: case TPropKind::Enumeration:
    case TPropKind::Set: case TPropKind::Color: case TPropKind::ShortCut:
      return true;
    default:
      return false;
  }
}
bool IsObject(TPropKind k)
{
  return k == TPropKind::Component || k == TPropKind::Persistent || k == TPropKind::Strings ||
         k == TPropKind::Collection;
}

[[noreturn]] void WrongKind(const TPropInfo& p, const char* what)
{
  throw EPropertyError(std::string("Property ") + p.Name + " is not " + what);
}
[[noreturn]] void ReadOnly(const TPropInfo& p)
{
  throw EPropertyError(std::string("Property ") + p.Name + " is read-only");
}

const TPropInfo& Ordinal(const TObject* obj, std::string_view name)
{
  const TPropInfo& p = GetPropInfo(obj, name);
  if (!IsOrdinal(p.Kind)) WrongKind(p, "an ordinal property");
  return p;
}
}  // namespace

const TPropInfo& GetPropInfo(const TObject* obj, std::string_view name)
{
  if (const TPropInfo* p = obj->ClassType()->FindProp(name)) return *p;
  throw EPropertyError("Property " + std::string(name) + " does not exist in " + obj->ClassName());
}

int64_t GetOrdProp(const TObject* obj, std::string_view name) { return Ordinal(obj, name).GetOrd(obj); }

void SetOrdProp(TObject* obj, std::string_view name, int64_t value)
{
  const TPropInfo& p = Ordinal(obj, name);
  if (!p.SetOrd) ReadOnly(p);
  p.SetOrd(obj, value);
}

std::string GetStrProp(const TObject* obj, std::string_view name)
{
  const TPropInfo& p = GetPropInfo(obj, name);
  if (!p.GetStr) WrongKind(p, "a string property");
  return p.GetStr(obj);
}

void SetStrProp(TObject* obj, std::string_view name, const std::string& value)
{
  const TPropInfo& p = GetPropInfo(obj, name);
  if (p.Kind != TPropKind::String) WrongKind(p, "a string property");
  if (!p.SetStr) ReadOnly(p);
  p.SetStr(obj, value);
}

double GetFloatProp(const TObject* obj, std::string_view name)
{
  const TPropInfo& p = GetPropInfo(obj, name);
  if (p.Kind != TPropKind::Float) WrongKind(p, "a floating-point property");
  return p.GetFloat(obj);
}

void SetFloatProp(TObject* obj, std::string_view name, double value)
{
  const TPropInfo& p = GetPropInfo(obj, name);
  if (p.Kind != TPropKind::Float) WrongKind(p, "a floating-point property");
  if (!p.SetFloat) ReadOnly(p);
  p.SetFloat(obj, value);
}

TObject* GetObjectProp(const TObject* obj, std::string_view name)
{
  const TPropInfo& p = GetPropInfo(obj, name);
  if (!IsObject(p.Kind)) WrongKind(p, "an object property");
  return p.GetObj(obj);
}

void SetObjectProp(TObject* obj, std::string_view name, TObject* value)
{
  const TPropInfo& p = GetPropInfo(obj, name);
  if (!IsObject(p.Kind)) WrongKind(p, "an object property");
  if (!p.SetObj) ReadOnly(p);
  if (value && p.RefClass && !value->InheritsFrom(p.RefClass))
    throw EPropertyError(std::string("Property ") + p.Name + " takes a " + p.RefClass->Name + ", not a " +
                         value->ClassName());
  p.SetObj(obj, value);
}

TMethod GetMethodProp(const TObject* obj, std::string_view name)
{
  const TPropInfo& p = GetPropInfo(obj, name);
  if (p.Kind != TPropKind::Method) WrongKind(p, "an event");
  return p.GetMethod(obj);
}

void SetMethodProp(TObject* obj, std::string_view name, const TMethod& value)
{
  const TPropInfo& p = GetPropInfo(obj, name);
  if (p.Kind != TPropKind::Method) WrongKind(p, "an event");
  if (value && value.Signature && *value.Signature != *p.EventType)
    throw EPropertyError(std::string("Incompatible types: the handler does not fit event ") + p.Name);
  p.SetMethod(obj, value);
}

std::string GetEnumProp(const TObject* obj, std::string_view name)
{
  const TPropInfo& p = GetPropInfo(obj, name);
  if (p.Kind == TPropKind::Boolean) return p.GetOrd(obj) ? "True" : "False";
  if (p.Kind != TPropKind::Enumeration) WrongKind(p, "an enumeration");
  return std::string(p.Enum->NameOf(static_cast<int>(p.GetOrd(obj))));
}

void SetEnumProp(TObject* obj, std::string_view name, std::string_view value)
{
  const TPropInfo& p = GetPropInfo(obj, name);
  int v = -1;
  if (p.Kind == TPropKind::Boolean)
    v = SameIdent(value, "True") ? 1 : SameIdent(value, "False") ? 0 : -1;
  else if (p.Kind == TPropKind::Enumeration)
    v = p.Enum->ValueOf(value);
  else
    WrongKind(p, "an enumeration");
  if (v < 0) throw EPropertyError("Invalid property value " + std::string(value) + " for " + p.Name);
  if (!p.SetOrd) ReadOnly(p);
  p.SetOrd(obj, v);
}

std::string SetToString(const TEnumInfo& info, uint64_t bits)
{
  std::string s = "[";
  for (int i = 0; i < info.Count() && i < 64; ++i)
    if (bits & (uint64_t(1) << i)) {
      if (s.size() > 1) s += ',';
      s += info.NameOf(i);
    }
  return s + "]";
}

uint64_t StringToSet(const TEnumInfo& info, std::string_view text)
{
  auto trim = [](std::string_view t) {
    while (!t.empty() && static_cast<unsigned char>(t.front()) <= ' ') t.remove_prefix(1);
    while (!t.empty() && static_cast<unsigned char>(t.back()) <= ' ') t.remove_suffix(1);
    return t;
  };
  text = trim(text);
  if (!text.empty() && text.front() == '[') text.remove_prefix(1);
  if (!text.empty() && text.back() == ']') text.remove_suffix(1);
  uint64_t bits = 0;
  while (!trim(text).empty()) {
    size_t comma = text.find(',');
    std::string_view item = trim(text.substr(0, comma));
    int v = info.ValueOf(item);
    if (v < 0) throw EPropertyError("Invalid property element: " + std::string(item));
    bits |= uint64_t(1) << v;
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
  }
  return bits;
}

std::string GetSetProp(const TObject* obj, std::string_view name)
{
  const TPropInfo& p = GetPropInfo(obj, name);
  if (p.Kind != TPropKind::Set) WrongKind(p, "a set");
  return SetToString(*p.Enum, static_cast<uint64_t>(p.GetOrd(obj)));
}

void SetSetProp(TObject* obj, std::string_view name, std::string_view value)
{
  const TPropInfo& p = GetPropInfo(obj, name);
  if (p.Kind != TPropKind::Set) WrongKind(p, "a set");
  if (!p.SetOrd) ReadOnly(p);
  p.SetOrd(obj, static_cast<int64_t>(StringToSet(*p.Enum, value)));
}

std::vector<const TPropInfo*> GetPropList(TClass c)
{
  std::vector<TClass> chain;
  for (; c; c = c->Parent) chain.push_back(c);
  std::vector<const TPropInfo*> list;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const TPropInfo& p : (*it)->Props) {
      // A class that declares an inherited property again replaces it where it stood.
      auto same = std::find_if(list.begin(), list.end(), [&](const TPropInfo* q) { return SameIdent(q->Name, p.Name); });
      if (same != list.end())
        *same = &p;
      else
        list.push_back(&p);
    }
  return list;
}
