#include "classlib/Filer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <mutex>
#include <unordered_set>
#include "classlib/Collection.h"
#include "classlib/Colors.h"
#include "classlib/Parser.h"
#include "classlib/ReaderWork.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"

CL_DEFINE_CLASS(TReader);
CL_DEFINE_CLASS(TWriter);

void TComponent::ReadState(TReader& reader) { reader.ReadData(this); }
void TComponent::WriteState(TWriter& writer) { writer.WriteData(this); }

void TComponent::DefineProperties(TFiler& filer)
{
  TPersistent::DefineProperties(filer);
  // The position of a non-visual component on the design surface: left in the low word, top in
  // the high word of DesignInfo. Components with published Left and Top never get here for them.
  auto low = [this] { return static_cast<int16_t>(FDesignInfo & 0xFFFF); };
  auto high = [this] { return static_cast<int16_t>((FDesignInfo >> 16) & 0xFFFF); };
  filer.DefineProperty(
      "Left",
      [this](TReader& r) {
        FDesignInfo = static_cast<int32_t>((static_cast<uint32_t>(FDesignInfo) & 0xFFFF0000u) |
                                           (static_cast<uint32_t>(r.ReadInteger()) & 0xFFFFu));
      },
      [low](TWriter& w) { w.WriteInteger(low()); }, low() != 0);
  filer.DefineProperty(
      "Top",
      [this](TReader& r) {
        FDesignInfo = static_cast<int32_t>((static_cast<uint32_t>(FDesignInfo) & 0xFFFFu) |
                                           ((static_cast<uint32_t>(r.ReadInteger()) & 0xFFFFu) << 16));
      },
      [high](TWriter& w) { w.WriteInteger(high()); }, high() != 0);
}

namespace {
constexpr char Signature[4] = {'T', 'P', 'F', '0'};

bool IsIntType(TValueType t)
{
  return t == TValueType::vaInt8 || t == TValueType::vaInt16 || t == TValueType::vaInt32 || t == TValueType::vaInt64;
}
bool IsStringType(TValueType t)
{
  return t == TValueType::vaString || t == TValueType::vaLString || t == TValueType::vaWString ||
         t == TValueType::vaUTF8String;
}
bool IsFloatType(TValueType t)
{
  return t == TValueType::vaExtended || t == TValueType::vaSingle || t == TValueType::vaCurrency ||
         t == TValueType::vaDate;
}
bool IsAscii(std::string_view s)
{
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}
bool IsAscii(std::wstring_view s)
{
  return std::all_of(s.begin(), s.end(), [](wchar_t c) { return c < 0x80; });
}
std::string ShortestFloat(double v)
{
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  (void)ec;
  return std::string(buf, end);
}

// The integer identifier mappings, by class and property name.
struct TIntConsts {
  TClass Class;
  std::string Prop;
  TIdentToInt IdentToInt;
  TIntToIdent IntToIdent;
};
std::mutex GIntConstsLock;
std::vector<TIntConsts>& IntConsts()
{
  static std::vector<TIntConsts> list;
  return list;
}
const TIntConsts* FindIntConsts(TClass cls, std::string_view prop)
{
  std::lock_guard lock(GIntConstsLock);
  for (TClass c = cls; c; c = c->Parent)
    for (const TIntConsts& e : IntConsts())
      if (e.Class == c && SameIdent(e.Prop, prop)) return &e;
  return nullptr;
}

// Keeps the reader's owner and parent across the reading of a component's children.
struct TContextSaver {
  TReader& Reader;
  TComponent* Owner;
  TComponent* Parent;
  explicit TContextSaver(TReader& r) : Reader(r), Owner(r.Owner()), Parent(r.Parent()) {}
  ~TContextSaver()
  {
    Reader.SetOwner(Owner);
    Reader.SetParent(Parent);
  }
};

}  // namespace

// --- extended precision ---

void DoubleToExtended(double value, uint8_t (&bytes)[10])
{
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  bool negative = bits >> 63;
  int exp = static_cast<int>((bits >> 52) & 0x7FF);
  uint64_t frac = bits & ((uint64_t(1) << 52) - 1);
  uint16_t e;
  uint64_t m;
  if (exp == 0x7FF) {
    e = 0x7FFF;
    m = frac ? (uint64_t(0xC000000000000000) | (frac << 11)) : uint64_t(0x8000000000000000);
  } else if (exp == 0 && frac == 0) {
    e = 0;
    m = 0;
  } else if (exp == 0) {
    // A subnormal double is a normal extended: shift its fraction up to the integer bit.
    int shift = 0;
    while (!(frac & (uint64_t(1) << 52))) {
      frac <<= 1;
      ++shift;
    }
    e = static_cast<uint16_t>(-1022 - shift + 16383);
    m = frac << 11;
  } else {
    e = static_cast<uint16_t>(exp - 1023 + 16383);
    m = (uint64_t(1) << 63) | (frac << 11);
  }
  if (negative) e |= 0x8000;
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(m >> (8 * i));
  bytes[8] = static_cast<uint8_t>(e);
  bytes[9] = static_cast<uint8_t>(e >> 8);
}

double ExtendedToDouble(const uint8_t (&bytes)[10])
{
  uint64_t m = 0;
  for (int i = 0; i < 8; ++i) m |= uint64_t(bytes[i]) << (8 * i);
  int se = bytes[8] | (bytes[9] << 8);
  bool negative = se & 0x8000;
  int e = se & 0x7FFF;
  double r;
  if (e == 0x7FFF)
    r = (m << 1) == 0 ? HUGE_VAL : std::nan("");
  else if (m == 0)
    r = 0.0;
  else
    r = std::ldexp(static_cast<double>(m), (e == 0 ? 1 : e) - 16383 - 63);
  return negative ? -r : r;
}

// --- line map ---

void TLineMap::Add(int64_t offset, int line)
{
  if (!FEntries.empty() && FEntries.back().first >= offset) {
    if (FEntries.back().first == offset) FEntries.back().second = line;
    return;
  }
  FEntries.emplace_back(offset, line);
}

int TLineMap::LineAt(int64_t offset) const
{
  auto it = std::upper_bound(FEntries.begin(), FEntries.end(), offset,
                             [](int64_t o, const std::pair<int64_t, int>& e) { return o < e.first; });
  if (it == FEntries.begin()) return 0;
  return std::prev(it)->second;
}

void RegisterIntegerConsts(TClass cls, std::string_view propName, TIdentToInt identToInt, TIntToIdent intToIdent)
{
  std::lock_guard lock(GIntConstsLock);
  for (TIntConsts& e : IntConsts())
    if (e.Class == cls && SameIdent(e.Prop, propName)) {
      e.IdentToInt = identToInt;
      e.IntToIdent = intToIdent;
      return;
    }
  IntConsts().push_back({cls, std::string(propName), identToInt, intToIdent});
}

void UnregisterIntegerConsts(TClass cls, std::string_view propName)
{
  std::lock_guard lock(GIntConstsLock);
  auto& list = IntConsts();
  list.erase(std::remove_if(list.begin(), list.end(),
                            [&](const TIntConsts& e) { return e.Class == cls && SameIdent(e.Prop, propName); }),
             list.end());
}

// --- TReader ---

struct TReader::TFixup {
  TPersistent* Instance;
  const TPropInfo* Prop;
  std::string Name;
  int64_t Position;
};

struct TReader::TSession {
  std::vector<TComponent*> Created;  // components this read constructed, in order
  std::vector<TComponent*> Loaded;   // every component read, in read order
  std::unordered_set<TComponent*> LoadedSet;  // the same, to tell at once whether one is there
  void AddLoaded(TComponent* c)
  {
    CountReaderWork();
    if (LoadedSet.insert(c).second) Loaded.push_back(c);
  }
  std::vector<TFixup> Fixups;
  bool Located = false;              // the exception on its way out already names its line
};

struct TReader::TScalar {
  TValueType Type = TValueType::vaNull;
  int64_t Int = 0;
  double Float = 0;
  std::string Text;
};

TReader::TReader(TStream& stream) : FStream(stream) { FStart = stream.Position(); }

TReader::~TReader() = default;

int64_t TReader::Position() const { return FStream.Position(); }

void TReader::Read(void* buffer, int64_t count) { FStream.ReadBuffer(buffer, count); }

int64_t TReader::ReadLength()
{
  int32_t n;
  Read(&n, sizeof n);
  if (n < 0 || n > FStream.Size() - Position()) Error("Invalid stream format: bad length " + std::to_string(n));
  return n;
}

std::string TReader::ReadBytes(int64_t count)
{
  std::string s(static_cast<size_t>(count), '\0');
  if (count) Read(s.data(), count);
  return s;
}

std::string TReader::LinePrefix(int64_t position) const
{
  if (!FLines) return {};
  int line = FLines->LineAt(position - FStart);
  return line > 0 ? "Line " + std::to_string(line) + ": " : std::string();
}

void TReader::Error(const std::string& message) const { ErrorAt(FLastPos, message); }

void TReader::ErrorAt(int64_t position, const std::string& message) const
{
  if (FSession) FSession->Located = true;
  throw EReadError(LinePrefix(position) + message);
}

void TReader::Locate(Exception& e) const
{
  if (!FSession || FSession->Located) return;
  FSession->Located = true;
  e.SetMessage(LinePrefix(FLastPos) + e.Message());
}

TValueType TReader::ReadValue()
{
  FLastPos = Position();
  uint8_t b;
  Read(&b, 1);
  if (b > static_cast<uint8_t>(TValueType::vaUTF8String))
    Error("Invalid stream format: unknown value type " + std::to_string(b));
  return static_cast<TValueType>(b);
}

TValueType TReader::NextValue()
{
  int64_t pos = Position();
  uint8_t b;
  Read(&b, 1);
  FStream.SetPosition(pos);
  return static_cast<TValueType>(b);
}

bool TReader::EndOfList() { return NextValue() == TValueType::vaNull; }

void TReader::CheckValue(TValueType type)
{
  if (ReadValue() != type) WrongValue();
}

void TReader::WrongValue()
{
  // Read the value again as what it is, to name it.
  int64_t start = FLastPos;
  FStream.SetPosition(start);
  TScalar v = ReadScalar();
  ErrorAt(start, "Invalid property value '" + Describe(v) + "'");
}

std::string TReader::ReadStr()
{
  uint8_t n;
  Read(&n, 1);
  return ReadBytes(n);
}

void TReader::ReadSignature()
{
  FStart = Position();
  FLastPos = FStart;
  char sig[4];
  Read(sig, 4);
  if (std::memcmp(sig, Signature, 4) != 0) Error("Invalid stream format: not a component stream");
}

void TReader::ReadPrefix(TFilerFlags& flags, int& childPos)
{
  flags = {};
  childPos = 0;
  uint8_t b = static_cast<uint8_t>(NextValue());
  if ((b & 0xF0) != 0xF0) return;
  Read(&b, 1);
  flags = TFilerFlags::FromInt(b & 0x0F);
  if (flags.Contains(TFilerFlag::ffChildPos)) childPos = ReadInteger();
}

int64_t TReader::ReadInt64()
{
  TValueType t = ReadValue();
  switch (t) {
    case TValueType::vaInt8: { int8_t v; Read(&v, 1); return v; }
    case TValueType::vaInt16: { int16_t v; Read(&v, 2); return v; }
    case TValueType::vaInt32: { int32_t v; Read(&v, 4); return v; }
    case TValueType::vaInt64: { int64_t v; Read(&v, 8); return v; }
    default: WrongValue();
  }
}

int32_t TReader::ReadInteger()
{
  int64_t v = ReadInt64();
  if (v < INT32_MIN || v > INT32_MAX) Error("Integer value " + std::to_string(v) + " out of range");
  return static_cast<int32_t>(v);
}

bool TReader::ReadBoolean()
{
  TValueType t = ReadValue();
  if (t == TValueType::vaTrue) return true;
  if (t == TValueType::vaFalse) return false;
  WrongValue();
}

std::wstring TReader::ReadWideString()
{
  TValueType t = ReadValue();
  switch (t) {
    case TValueType::vaString: return AnsiToWide(ReadStr());
    case TValueType::vaLString: return AnsiToWide(ReadBytes(ReadLength()));
    case TValueType::vaWString: {
      int64_t n = ReadLength();
      if (n > (FStream.Size() - Position()) / 2) Error("Invalid stream format: bad length " + std::to_string(n));
      std::wstring s(static_cast<size_t>(n), L'\0');
      if (n) Read(s.data(), n * 2);
      return s;
    }
    case TValueType::vaUTF8String: {
      std::string utf8 = ReadBytes(ReadLength());
      std::wstring s;
      if (!TryUtf8ToWide(utf8, s)) Error("Invalid UTF-8 text");
      return s;
    }
    default: WrongValue();
  }
}

std::string TReader::ReadString()
{
  TValueType t = NextValue();
  if (t == TValueType::vaString) {
    ReadValue();
    return ReadStr();
  }
  if (t == TValueType::vaLString) {
    ReadValue();
    return ReadBytes(ReadLength());
  }
  return WideToAnsi(ReadWideString());
}

std::string TReader::ReadIdent()
{
  TValueType t = ReadValue();
  switch (t) {
    case TValueType::vaIdent: return ReadStr();
    case TValueType::vaFalse: return "False";
    case TValueType::vaTrue: return "True";
    case TValueType::vaNil: return "nil";
    case TValueType::vaNull: return "Null";
    default: WrongValue();
  }
}

double TReader::ReadFloat()
{
  TValueType t = NextValue();
  if (IsIntType(t)) return static_cast<double>(ReadInt64());
  ReadValue();
  double value;
  switch (t) {
    case TValueType::vaExtended: {
      uint8_t b[10];
      Read(b, 10);
      value = ExtendedToDouble(b);
      break;
    }
    case TValueType::vaSingle: { float v; Read(&v, 4); value = v; break; }
    case TValueType::vaCurrency: { int64_t v; Read(&v, 8); return static_cast<double>(v) / 10000.0; }
    case TValueType::vaDate: { double v; Read(&v, 8); value = v; break; }
    default: WrongValue();
  }
  // Infinities and NaN have no place in a form (nor a text form to be written in).
  if (!std::isfinite(value)) Error("Invalid floating point value");
  return value;
}

float TReader::ReadSingle() { return static_cast<float>(ReadFloat()); }
double TReader::ReadDate() { return ReadFloat(); }
double TReader::ReadCurrency() { return ReadFloat(); }

std::vector<uint8_t> TReader::ReadBinary()
{
  CheckValue(TValueType::vaBinary);
  int64_t n = ReadLength();
  std::vector<uint8_t> data(static_cast<size_t>(n));
  if (n) Read(data.data(), n);
  return data;
}

std::vector<std::string> TReader::ReadSetNames()
{
  std::vector<std::string> names;
  for (;;) {
    std::string s = ReadStr();
    if (s.empty()) return names;
    names.push_back(std::move(s));
  }
}

TStreamNesting TReader::Nest()
{
  return TStreamNesting(FDepth, [this] { Error("Stream nested too deeply"); });
}

void TReader::SkipValue()
{
  TValueType t = NextValue();
  switch (t) {
    case TValueType::vaList: {
      auto nesting = Nest();
      ReadValue();
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      break;
    }
    case TValueType::vaSet:
      ReadValue();
      ReadSetNames();
      break;
    case TValueType::vaBinary:
      ReadBinary();
      break;
    case TValueType::vaCollection: {
      auto nesting = Nest();
      ReadValue();
      while (!EndOfList()) {
        if (IsIntType(NextValue())) ReadInt64();
        auto item = Nest();
        ReadListBegin();
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      break;
    }
    default:
      ReadScalar();
  }
}

TReader::TScalar TReader::ReadScalar()
{
  TScalar v;
  v.Type = NextValue();
  switch (v.Type) {
    case TValueType::vaInt8: case TValueType::vaInt16: case TValueType::vaInt32: case TValueType::vaInt64:
      v.Int = ReadInt64();
      break;
    case TValueType::vaExtended: case TValueType::vaSingle: case TValueType::vaCurrency: case TValueType::vaDate:
      v.Float = ReadFloat();
      break;
    case TValueType::vaString: case TValueType::vaLString: case TValueType::vaWString:
    case TValueType::vaUTF8String:
      v.Text = ReadString();
      break;
    case TValueType::vaIdent: case TValueType::vaFalse: case TValueType::vaTrue: case TValueType::vaNil:
    case TValueType::vaNull:
      v.Text = ReadIdent();
      v.Int = v.Type == TValueType::vaTrue;
      break;
    case TValueType::vaList: case TValueType::vaSet: case TValueType::vaBinary: case TValueType::vaCollection: {
      int64_t start = Position();
      SkipValue();
      FLastPos = start;
      v.Text = v.Type == TValueType::vaList ? "(...)" : v.Type == TValueType::vaSet ? "[...]"
               : v.Type == TValueType::vaBinary ? "{...}" : "<...>";
      break;
    }
    default:
      ReadValue();  // raises for the unknown type
  }
  return v;
}

std::string TReader::Describe(const TScalar& v) const
{
  if (IsIntType(v.Type)) return std::to_string(v.Int);
  if (IsFloatType(v.Type)) return ShortestFloat(v.Float);
  return v.Text;
}

void TReader::DefineProperty(std::string_view name, TReaderProc read, TWriterProc, bool)
{
  if (FPropFound || !SameIdent(name, FPropName) || !read) return;
  FPropFound = true;
  read(*this);
}

void TReader::DefineBinaryProperty(std::string_view name, TStreamProc read, TStreamProc, bool)
{
  if (FPropFound || !SameIdent(name, FPropName) || !read) return;
  FPropFound = true;
  std::vector<uint8_t> data = ReadBinary();
  auto stream = MakeOwned<TMemoryStream>();
  if (!data.empty()) stream->WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
  stream->SetPosition(0);
  read(*stream);
}

TReader::TComponentHeader TReader::ReadComponentHeader()
{
  TComponentHeader head;
  head.Position = Position();
  FLastPos = head.Position;
  ReadPrefix(head.Flags, head.ChildPos);
  head.ClassName = ReadStr();
  head.Name = ReadStr();
  if (head.Flags.Contains(TFilerFlag::ffInherited) || head.Flags.Contains(TFilerFlag::ffInline))
    ErrorAt(head.Position, "Inherited and inline components are not supported: " + head.Name);
  return head;
}

TClass TReader::ComponentClassOf(const TComponentHeader& head) const
{
  TClass cls = GetClass(head.ClassName);
  if (!cls) ErrorAt(head.Position, "Class " + head.ClassName + " not found");
  if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->NewComponent)
    ErrorAt(head.Position, "Class " + head.ClassName + " is not a component class");
  return cls;
}

TComponent* TReader::ReadRootComponent(TComponent* root, TComponent* owner)
{
  if (FSession) Error("A component stream is already being read");
  FSession = std::make_unique<TSession>();
  try {
    ReadSignature();
    const TComponentHeader head = ReadComponentHeader();
    const int64_t header = head.Position;
    const std::string& className = head.ClassName;
    const std::string& name = head.Name;
    if (!root) {
      root = ComponentClassOf(head)->NewComponent(owner);
      FSession->Created.push_back(root);
    } else {
      TClass c = root->ClassType();
      while (c && !SameIdent(c->Name, className)) c = c->Parent;
      if (!c) ErrorAt(header, "The stream holds a " + className + ", not a " + root->ClassName());
    }
    FRoot = root;
    FOwner = root;
    FParent = nullptr;
    auto nesting = Nest();  // the root object is the first level
    root->IncludeState(TComponentStateFlag::csLoading);
    root->IncludeState(TComponentStateFlag::csReading);
    FSession->AddLoaded(root);
    try {
      // Another instance of the same form may hold the name in the owner: number this one.
      std::string unique = name;
      if (TComponent* o = root->Owner())
        for (int i = 1; !unique.empty() && o->FindComponent(unique) && o->FindComponent(unique) != root; ++i)
          unique = name + "_" + std::to_string(i);
      root->SetName(unique);
    } catch (Exception& e) {
      FLastPos = header;
      Locate(e);
      throw;
    }
    root->ReadState(*this);
    root->ExcludeState(TComponentStateFlag::csReading);
    ResolveFixups();
    CallLoaded();
  } catch (...) {
    Cleanup();
    RaiseAsReaderError();
  }
  FSession.reset();
  return root;
}

void TReader::RaiseAsReaderError()
{
  GuardReaderMemory("a component stream", [] { throw; });
  throw;  // not reached: the guard raises either way
}

TComponent* TReader::ReadComponent(TComponent* component)
{
  if (FSession) return ReadComponentInner(component);
  // Read on its own, outside a whole stream: the same protocol for this one subtree.
  FSession = std::make_unique<TSession>();
  if (!FRoot) FRoot = FOwner;
  try {
    TComponent* result = ReadComponentInner(component);
    ResolveFixups();
    CallLoaded();
    FSession.reset();
    return result;
  } catch (...) {
    Cleanup();
    RaiseAsReaderError();
  }
}

TComponent* TReader::ReadComponentInner(TComponent* component)
{
  auto nesting = Nest();
  const TComponentHeader head = ReadComponentHeader();
  const int64_t header = head.Position;
  TComponent* result = component;
  if (!result) {
    TClass cls = ComponentClassOf(head);
    try {
      result = cls->NewComponent(FOwner);
    } catch (Exception& e) {
      FLastPos = header;
      Locate(e);
      throw;
    }
    FSession->Created.push_back(result);
  }
  result->IncludeState(TComponentStateFlag::csLoading);
  result->IncludeState(TComponentStateFlag::csReading);
  FSession->AddLoaded(result);
  try {
    result->SetName(head.Name);
    if (FParent) result->SetParentComponent(FParent);
  } catch (Exception& e) {
    FLastPos = header;
    Locate(e);
    throw;
  }
  result->ReadState(*this);
  result->ExcludeState(TComponentStateFlag::csReading);
  if (head.Flags.Contains(TFilerFlag::ffChildPos) && FParent) FParent->SetChildOrder(result, head.ChildPos);
  return result;
}

void TReader::ReadData(TComponent* instance) { ReadDataInner(instance); }

void TReader::ReadDataInner(TComponent* instance)
{
  while (!EndOfList()) ReadProperty(instance);
  ReadListEnd();
  TContextSaver saved(*this);
  FParent = instance->GetChildParent();
  FOwner = instance->GetChildOwner();
  if (!FOwner) FOwner = FRoot;
  while (!EndOfList()) ReadComponent(nullptr);
  ReadListEnd();
}

void TReader::ReadProperty(TPersistent* instance)
{
  int64_t start = Position();
  FLastPos = start;
  std::string path = ReadStr();
  auto notFound = [&] { ErrorAt(start, "Property " + path + " does not exist"); };
  try {
    TPersistent* obj = instance;
    std::string_view rest = path;
    for (size_t dot; (dot = rest.find('.')) != std::string_view::npos;) {
      const TPropInfo* p = obj->ClassType()->FindProp(rest.substr(0, dot));
      rest.remove_prefix(dot + 1);
      if (!p || !p->GetObj || p->Kind == TPropKind::Component) notFound();
      obj = dynamic_cast<TPersistent*>(p->GetObj(obj));
      if (!obj) notFound();
    }
    if (const TPropInfo* p = obj->ClassType()->FindProp(rest)) {
      ReadPropValue(obj, *p);
      return;
    }
    // DefineProperties calls back DefineProperty for each extra property; the one named rest reads.
    // A read procedure may read nested properties itself, so the outer state is kept aside.
    std::string outerName = std::exchange(FPropName, std::string(rest));
    bool outerFound = std::exchange(FPropFound, false);
    bool found;
    try {
      obj->DefineProperties(*this);
      found = FPropFound;
      if (!found && SameIdent(rest, "Strings"))
        if (auto* strings = dynamic_cast<TStrings*>(obj)) {
          found = true;
          ReadStringsValue(strings);
        }
    } catch (...) {
      FPropName = std::move(outerName);
      FPropFound = outerFound;
      throw;
    }
    FPropName = std::move(outerName);
    FPropFound = outerFound;
    if (!found) notFound();
  } catch (Exception& e) {
    FLastPos = start;
    Locate(e);
    throw;
  }
}

void TReader::ReadStringsValue(TStrings* strings)
{
  auto nesting = Nest();
  ReadListBegin();
  strings->BeginUpdate();
  try {
    strings->Clear();
    while (!EndOfList()) strings->Add(ReadString());
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
  ReadListEnd();
}

void TReader::ReadCollection(TCollection* collection, const std::function<bool(TCollectionItem*)>& keep)
{
  auto nesting = Nest();
  collection->BeginUpdate();
  try {
    collection->Clear();
    while (!EndOfList()) {
      if (IsIntType(NextValue())) ReadInt64();  // an item's order value: items are read in order
      auto itemNesting = Nest();
      ReadListBegin();
      TCollectionItem* item = collection->Add();
      while (!EndOfList()) ReadProperty(item);
      ReadListEnd();
      if (keep && !keep(item)) {
        const int last = collection->Count() - 1;
        collection->Delete(last >= 0 && collection->Items(last) == item ? last : item->Index());
      }
    }
    ReadListEnd();
  } catch (...) {
    collection->EndUpdate();
    throw;
  }
  collection->EndUpdate();
}

void TReader::ReadPropValue(TPersistent* instance, const TPropInfo& prop)
{
  int64_t start = Position();
  TValueType next = NextValue();
  auto readOnly = [&] { ErrorAt(start, std::string("Property ") + prop.Name + " is read-only"); };
  if (prop.Kind == TPropKind::Collection && next == TValueType::vaCollection) {
    ReadValue();
    auto* collection = dynamic_cast<TCollection*>(prop.GetObj(instance));
    if (!collection) ErrorAt(start, std::string("Property ") + prop.Name + " has no collection");
    ReadCollection(collection);
    return;
  }
  if (prop.Kind == TPropKind::Set && next == TValueType::vaSet) {
    ReadValue();
    uint64_t bits = 0;
    for (const std::string& name : ReadSetNames()) {
      int v = prop.Enum->ValueOf(name);
      if (v < 0 || v >= 64) ErrorAt(start, "Invalid property value '" + name + "'");
      bits |= uint64_t(1) << v;
    }
    if (!prop.SetOrd) readOnly();
    prop.SetOrd(instance, static_cast<int64_t>(bits));
    return;
  }

  TScalar v = ReadScalar();
  auto bad = [&] { ErrorAt(start, "Invalid property value '" + Describe(v) + "'"); };
  bool isInt = IsIntType(v.Type);
  bool isIdent = v.Type == TValueType::vaIdent;
  auto setOrd = [&](int64_t x) {
    if (!prop.SetOrd) readOnly();
    prop.SetOrd(instance, x);
  };
  auto identToInt = [&](int64_t& x) {
    const TIntConsts* consts = FindIntConsts(instance->ClassType(), prop.Name);
    return consts && consts->IdentToInt && consts->IdentToInt(v.Text, x);
  };
  switch (prop.Kind) {
    case TPropKind::Integer:
    case TPropKind::ShortCut:
    case TPropKind::Color: {
      int64_t x = v.Int;
      if (isIdent) {
        std::optional<TColor> c = prop.Kind == TPropKind::Color ? IdentToColor(v.Text) : std::nullopt;
        if (c)
          x = *c;
        else if (!identToInt(x))
          bad();
      } else if (!isInt) {
        bad();
      }
      if (x < prop.MinValue || x > prop.MaxValue)
        ErrorAt(start, "Value " + std::to_string(x) + " of property " + prop.Name + " out of range (" +
                           std::to_string(prop.MinValue) + " to " + std::to_string(prop.MaxValue) + ")");
      setOrd(x);
      return;
    }
    case TPropKind::Boolean:
      if (v.Type != TValueType::vaTrue && v.Type != TValueType::vaFalse) bad();
      setOrd(v.Int);
      return;
    case TPropKind::Enumeration: {
      int x = isIdent && prop.Enum ? prop.Enum->ValueOf(v.Text) : -1;
      if (x < 0) bad();
      setOrd(x);
      return;
    }
    case TPropKind::String:
      if (!IsStringType(v.Type)) bad();
      if (!prop.SetStr) readOnly();
      prop.SetStr(instance, v.Text);
      return;
    case TPropKind::Float: {
      if (!isInt && !IsFloatType(v.Type)) bad();
      if (!prop.SetFloat) readOnly();
      const double x = isInt ? static_cast<double>(v.Int) : v.Float;
      if (!(std::fabs(x) <= prop.MaxMagnitude))
        ErrorAt(start, "Value " + Describe(v) + " of property " + prop.Name + " out of range");
      prop.SetFloat(instance, x);
      return;
    }
    case TPropKind::Component:
      if (!prop.SetObj) readOnly();
      if (v.Type == TValueType::vaNil) {
        prop.SetObj(instance, nullptr);
      } else if (isIdent) {
        FSession->Fixups.push_back({instance, &prop, v.Text, start});
      } else {
        bad();
      }
      return;
    case TPropKind::Method:
      if (!prop.SetMethod) readOnly();
      if (v.Type == TValueType::vaNil) {
        prop.SetMethod(instance, TMethod{});
      } else if (isIdent) {
        FSession->Fixups.push_back({instance, &prop, v.Text, start});
      } else {
        bad();
      }
      return;
    default:
      bad();
  }
}

TComponent* TReader::FindComponentRef(std::string_view name) const
{
  // A component of the root, the root itself, or a dotted path of names from the root down.
  size_t dot = name.find('.');
  std::string_view first = name.substr(0, dot);
  TComponent* c = FRoot->FindComponent(first);
  if (!c && SameIdent(first, FRoot->Name())) c = FRoot;
  while (c && dot != std::string_view::npos) {
    name.remove_prefix(dot + 1);
    dot = name.find('.');
    c = c->FindComponent(name.substr(0, dot));
  }
  return c;
}

void TReader::ResolveFixups()
{
  // Handlers may set further references; take the list as it stands and go on until it is empty.
  for (size_t i = 0; i < FSession->Fixups.size(); ++i) {
    TFixup f = FSession->Fixups[i];
    FLastPos = f.Position;
    if (f.Prop->Kind == TPropKind::Component) {
      TComponent* c = FindComponentRef(f.Name);
      if (!c) ErrorAt(f.Position, "Component " + f.Name + " not found");
      if (f.Prop->RefClass && !c->InheritsFrom(f.Prop->RefClass))
        ErrorAt(f.Position, "Invalid property value '" + f.Name + "': a " + c->ClassName() + " is not a " +
                                f.Prop->RefClass->Name);
      try {
        f.Prop->SetObj(f.Instance, c);
      } catch (Exception& e) {
        Locate(e);
        throw;
      }
    } else {
      const TMethodInfo* m = FRoot->ClassType()->FindMethod(f.Name);
      if (!m) ErrorAt(f.Position, "Method " + f.Name + " not found in " + FRoot->ClassName());
      TMethod method = m->Bind(FRoot);
      if (method.Signature && f.Prop->EventType && *method.Signature != *f.Prop->EventType)
        ErrorAt(f.Position, "Method " + f.Name + " does not fit event " + f.Prop->Name);
      try {
        f.Prop->SetMethod(f.Instance, method);
      } catch (Exception& e) {
        Locate(e);
        throw;
      }
    }
  }
  FSession->Fixups.clear();
}

void TReader::CallLoaded()
{
  std::vector<TComponent*> loaded = FSession->Loaded;
  for (TComponent* c : loaded) {
    c->Loaded();
    c->ExcludeState(TComponentStateFlag::csLoading);
  }
}

void TReader::Cleanup()
{
  std::unique_ptr<TSession> session = std::move(FSession);
  if (!session) return;
  // Later components are owned by (or parented to) earlier ones, never the other way round.
  for (auto it = session->Created.rbegin(); it != session->Created.rend(); ++it) {
    try {
      Free(*it);
    } catch (...) {
      // The read's own error is the one to report.
    }
  }
  const std::unordered_set<TComponent*> created(session->Created.begin(), session->Created.end());
  for (TComponent* c : session->Loaded)
    if (!created.contains(c)) {
      c->ExcludeState(TComponentStateFlag::csLoading);
      c->ExcludeState(TComponentStateFlag::csReading);
    }
  FPropName.clear();
  FPropFound = false;
  FDepth = 0;
}

// --- TWriter ---

TWriter::TWriter(TStream& stream) : FStream(stream) {}

TWriter::~TWriter() = default;

int64_t TWriter::Position() const { return FStream.Position(); }

void TWriter::Write(const void* buffer, int64_t count) { FStream.WriteBuffer(buffer, count); }

void TWriter::WriteValue(TValueType type)
{
  uint8_t b = static_cast<uint8_t>(type);
  Write(&b, 1);
}

void TWriter::WriteStr(std::string_view s)
{
  if (s.size() > 255) throw EWriteError("Name too long for a component stream: " + std::string(s.substr(0, 40)));
  uint8_t n = static_cast<uint8_t>(s.size());
  Write(&n, 1);
  Write(s.data(), static_cast<int64_t>(s.size()));
}

void TWriter::WriteSignature() { Write(Signature, 4); }

void TWriter::WritePrefix(TFilerFlags flags, int childPos)
{
  if (flags.Empty()) return;
  uint8_t b = static_cast<uint8_t>(0xF0 | (flags.ToInt() & 0x0F));
  Write(&b, 1);
  if (flags.Contains(TFilerFlag::ffChildPos)) WriteInteger(childPos);
}

void TWriter::WriteInteger(int64_t value)
{
  if (value >= INT8_MIN && value <= INT8_MAX) {
    WriteValue(TValueType::vaInt8);
    int8_t v = static_cast<int8_t>(value);
    Write(&v, 1);
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    WriteValue(TValueType::vaInt16);
    int16_t v = static_cast<int16_t>(value);
    Write(&v, 2);
  } else if (value >= INT32_MIN && value <= INT32_MAX) {
    WriteValue(TValueType::vaInt32);
    int32_t v = static_cast<int32_t>(value);
    Write(&v, 4);
  } else {
    WriteValue(TValueType::vaInt64);
    Write(&value, 8);
  }
}

void TWriter::WriteBoolean(bool value) { WriteValue(value ? TValueType::vaTrue : TValueType::vaFalse); }

void TWriter::WriteString(std::string_view ansi)
{
  if (!IsAscii(ansi)) {
    WriteWideString(AnsiToWide(ansi));
    return;
  }
  if (ansi.size() <= 255) {
    WriteValue(TValueType::vaString);
    WriteStr(ansi);
  } else {
    WriteValue(TValueType::vaLString);
    int32_t n = static_cast<int32_t>(ansi.size());
    Write(&n, 4);
    Write(ansi.data(), n);
  }
}

void TWriter::WriteWideString(std::wstring_view text)
{
  if (IsAscii(text)) {
    std::string narrow(text.begin(), text.end());
    WriteString(narrow);
    return;
  }
  WriteValue(TValueType::vaWString);
  int32_t n = static_cast<int32_t>(text.size());
  Write(&n, 4);
  Write(text.data(), int64_t(n) * 2);
}

void TWriter::WriteUtf8String(std::string_view utf8)
{
  WriteValue(TValueType::vaUTF8String);
  int32_t n = static_cast<int32_t>(utf8.size());
  Write(&n, 4);
  Write(utf8.data(), n);
}

void TWriter::WriteIdent(std::string_view ident)
{
  if (SameIdent(ident, "False"))
    WriteValue(TValueType::vaFalse);
  else if (SameIdent(ident, "True"))
    WriteValue(TValueType::vaTrue);
  else if (SameIdent(ident, "nil"))
    WriteValue(TValueType::vaNil);
  else if (SameIdent(ident, "Null"))
    WriteValue(TValueType::vaNull);
  else {
    WriteValue(TValueType::vaIdent);
    WriteStr(ident);
  }
}

void TWriter::WriteFloat(double value)
{
  WriteValue(TValueType::vaExtended);
  uint8_t b[10];
  DoubleToExtended(value, b);
  Write(b, 10);
}

void TWriter::WriteSingle(float value)
{
  WriteValue(TValueType::vaSingle);
  Write(&value, 4);
}

void TWriter::WriteCurrency(double value)
{
  // A currency value is a 64-bit count of ten-thousandths.
  if (!(std::fabs(value * 10000.0) < 9223372036854775807.0))
    throw EWriteError("Currency value " + ShortestFloat(value) + " out of range");
  WriteValue(TValueType::vaCurrency);
  int64_t v = std::llround(value * 10000.0);
  Write(&v, 8);
}

void TWriter::WriteDate(double value)
{
  WriteValue(TValueType::vaDate);
  Write(&value, 8);
}

void TWriter::WriteBinary(std::span<const uint8_t> data)
{
  WriteValue(TValueType::vaBinary);
  int32_t n = static_cast<int32_t>(data.size());
  Write(&n, 4);
  Write(data.data(), n);
}

void TWriter::WriteSet(std::span<const std::string> names)
{
  WriteValue(TValueType::vaSet);
  for (const std::string& name : names) WriteStr(name);
  WriteStr("");
}

void TWriter::DefineProperty(std::string_view name, TReaderProc, TWriterProc write, bool hasData)
{
  FDefined.emplace_back(name);
  if (!hasData || !write) return;
  WriteStr(FPrefix + std::string(name));
  write(*this);
}

void TWriter::DefineBinaryProperty(std::string_view name, TStreamProc, TStreamProc write, bool hasData)
{
  FDefined.emplace_back(name);
  if (!hasData || !write) return;
  auto data = MakeOwned<TMemoryStream>();
  write(*data);
  WriteStr(FPrefix + std::string(name));
  WriteValue(TValueType::vaBinary);
  int64_t size = data->Size();
  if (size > INT32_MAX) throw EWriteError("Binary property " + std::string(name) + " is too large");
  int32_t n = static_cast<int32_t>(size);
  Write(&n, 4);
  Write(data->Memory(), n);
}

void TWriter::WriteRootComponent(TComponent* root) { WriteDescendent(root, nullptr); }

void TWriter::WriteDescendent(TComponent* root, TComponent* ancestor)
{
  if (ancestor) throw EWriteError("Writing a form as a descendant of another is not supported");
  FRoot = root;
  WriteSignature();
  WriteComponent(root);
}

void TWriter::WriteComponent(TComponent* component)
{
  component->IncludeState(TComponentStateFlag::csWriting);
  try {
    component->WriteState(*this);
  } catch (...) {
    component->ExcludeState(TComponentStateFlag::csWriting);
    throw;
  }
  component->ExcludeState(TComponentStateFlag::csWriting);
}

void TWriter::WriteData(TComponent* instance)
{
  if (!FRoot) FRoot = instance;
  WriteStr(instance->ClassName());
  WriteStr(instance->Name());
  WriteProperties(instance);
  WriteListEnd();
  // Children come from the component that owns them, as the reader will own them.
  TComponent* childOwner = instance->GetChildOwner();
  instance->GetChildren([this](TComponent* child) { WriteComponent(child); }, childOwner ? childOwner : FRoot);
  WriteListEnd();
}

void TWriter::WriteProperties(TPersistent* instance) { WriteObjectProperties(instance, ""); }

void TWriter::WriteObjectProperties(TPersistent* instance, const std::string& prefix)
{
  for (const TPropInfo* p : GetPropList(instance->ClassType()))
    if (p->IsStored(instance)) WriteProperty(instance, *p, prefix + p->Name);
  WriteExtras(instance, prefix);
}

void TWriter::WriteExtras(TPersistent* instance, const std::string& prefix)
{
  std::string savedPrefix = std::exchange(FPrefix, prefix);
  std::vector<std::string> savedDefined = std::exchange(FDefined, {});
  try {
    instance->DefineProperties(*this);
    auto* strings = dynamic_cast<TStrings*>(instance);
    bool defined = std::any_of(FDefined.begin(), FDefined.end(),
                               [](const std::string& n) { return SameIdent(n, "Strings"); });
    if (strings && !defined && strings->Count() > 0) WriteStrings(strings, prefix + "Strings");
  } catch (...) {
    FPrefix = std::move(savedPrefix);
    FDefined = std::move(savedDefined);
    throw;
  }
  FPrefix = std::move(savedPrefix);
  FDefined = std::move(savedDefined);
}

void TWriter::WriteStrings(TStrings* strings, const std::string& path)
{
  WriteStr(path);
  WriteListBegin();
  for (int i = 0; i < strings->Count(); ++i) WriteString(strings->Strings(i));
  WriteListEnd();
}

void TWriter::WriteProperty(TPersistent* instance, const TPropInfo& prop, const std::string& path)
{
  switch (prop.Kind) {
    case TPropKind::Integer: case TPropKind::Boolean: case TPropKind::Enumeration: case TPropKind::Set:
    case TPropKind::Color: case TPropKind::ShortCut: {
      if (!prop.GetOrd || prop.IsDefault(instance)) return;
      int64_t v = prop.GetOrd(instance);
      std::string ident;
      if (prop.Kind == TPropKind::Integer || prop.Kind == TPropKind::Color) {
        if (prop.Kind == TPropKind::Color)
          if (auto name = ColorToIdent(static_cast<TColor>(v))) ident = *name;
        const TIntConsts* consts = ident.empty() ? FindIntConsts(instance->ClassType(), prop.Name) : nullptr;
        if (consts && consts->IntToIdent && !consts->IntToIdent(v, ident)) ident.clear();
      }
      WriteStr(path);
      if (!ident.empty()) {
        WriteIdent(ident);
      } else if (prop.Kind == TPropKind::Boolean) {
        WriteBoolean(v != 0);
      } else if (prop.Kind == TPropKind::Enumeration) {
        std::string_view name = prop.Enum ? prop.Enum->NameOf(static_cast<int>(v)) : std::string_view();
        if (name.empty()) throw EWriteError("Property " + path + " has a value out of range: " + std::to_string(v));
        WriteIdent(name);
      } else if (prop.Kind == TPropKind::Set) {
        std::vector<std::string> names;
        for (int i = 0; prop.Enum && i < prop.Enum->Count() && i < 64; ++i)
          if (static_cast<uint64_t>(v) & (uint64_t(1) << i)) names.emplace_back(prop.Enum->NameOf(i));
        WriteSet(names);
      } else {
        WriteInteger(v);
      }
      return;
    }
    case TPropKind::String: {
      std::string s = prop.GetStr(instance);
      if (s.empty()) return;
      WriteStr(path);
      WriteString(s);
      return;
    }
    case TPropKind::Float: {
      double v = prop.GetFloat(instance);
      if (v == 0) return;
      WriteStr(path);
      WriteFloat(v);
      return;
    }
    case TPropKind::Component: {
      auto* c = dynamic_cast<TComponent*>(prop.GetObj(instance));
      std::string name = c ? ComponentRefName(c) : std::string();
      if (name.empty()) return;
      WriteStr(path);
      WriteIdent(name);
      return;
    }
    case TPropKind::Method: {
      std::string name = MethodName(prop.GetMethod(instance));
      if (name.empty()) return;
      WriteStr(path);
      WriteIdent(name);
      return;
    }
    case TPropKind::Persistent:
    case TPropKind::Strings:
      if (auto* obj = dynamic_cast<TPersistent*>(prop.GetObj(instance))) WriteObjectProperties(obj, path + ".");
      return;
    case TPropKind::Collection:
      if (auto* collection = dynamic_cast<TCollection*>(prop.GetObj(instance))) {
        WriteStr(path);
        WriteCollection(collection);
      }
      return;
  }
}

void TWriter::WriteCollection(TCollection* collection)
{
  WriteValue(TValueType::vaCollection);
  for (int i = 0; i < collection->Count(); ++i) {
    WriteListBegin();
    WriteProperties(collection->Items(i));
    WriteListEnd();
  }
  WriteListEnd();
}

std::string TWriter::ComponentRefName(TComponent* component) const
{
  if (component->Name().empty()) return {};
  if (component == FRoot) return component->Name();
  // The path of names from the root down to the component.
  std::string path = component->Name();
  for (TComponent* o = component->Owner(); o && o != FRoot; o = o->Owner()) {
    if (o->Name().empty()) return {};
    path = o->Name() + "." + path;
  }
  return path;
}

std::string TWriter::MethodName(const TMethod& method) const
{
  if (!method || !FRoot || method.Data != FRoot) return {};
  for (TClass c = FRoot->ClassType(); c; c = c->Parent)
    for (const TMethodInfo& m : c->Methods)
      if (m.Bind(FRoot) == method) return m.Name;
  return {};
}

void WriteComponentToStream(TStream& stream, TComponent* root)
{
  auto writer = MakeOwned<TWriter>(stream);
  writer->WriteRootComponent(root);
}

TComponent* ReadComponentFromStream(TStream& stream, TComponent* instance, TComponent* owner, const TLineMap* lines)
{
  auto reader = MakeOwned<TReader>(stream);
  reader->SetLineMap(lines);
  return reader->ReadRootComponent(instance, owner);
}
