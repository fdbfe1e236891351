#include "classlib/Variant.h"

#include <cfloat>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <array>
#include <atomic>
#include <limits>
#include <mutex>
#include <vector>
#include "classlib/Encoding.h"
#include "classlib/SysUtils.h"

// Elements of an array, stored as SAFEARRAY data is: the leftmost index varies fastest.
struct Variant::TArrayData {
  TVarType ElemType = varVariant;
  std::vector<TVarArrayBound> Bounds;
  size_t ElemSize = 0;              // bytes per element in Raw; 0 when the elements are in Items
  std::vector<unsigned char> Raw;   // fixed-size element kinds, packed like OLE data
  std::vector<Variant> Items;       // variants, strings and interfaces
};

// The one door to Variant's representation for the functions of this file.
struct TVariantAccess {
  using TValue = Variant::TValue;
  using TArrayRef = Variant::TArrayRef;
  using TIntfRef = Variant::TIntfRef;
  static Variant Make(TVarType type, TValue value) { return Variant(type, std::move(value)); }
  static const TValue& Value(const Variant& v) { return v.FValue; }
  static const void* CustomData(const Variant& v)
  {
    auto* data = std::get_if<Variant::TCustomData>(&v.FValue);
    return data ? data->get() : nullptr;
  }
  static Variant::TArrayData* Array(const Variant& v)
  {
    auto* ref = std::get_if<TArrayRef>(&v.FValue);
    return ref ? ref->Get() : nullptr;
  }
};

using TAccess = TVariantAccess;

namespace {

[[noreturn]] void RaiseOverflow() { throw EVariantOverflowError("Arithmetic overflow"); }
[[noreturn]] void RaiseInvalidOp() { throw EVariantInvalidOpError("Invalid variant operation"); }
[[noreturn]] void RaiseBadVarType() { throw EVariantBadVarTypeError("Invalid variant type"); }
[[noreturn]] void RaiseBadIndex() { throw EVariantBadIndexError("Variant or safe array index out of bounds"); }
[[noreturn]] void RaiseArrayCreate() { throw EVariantArrayCreateError("Error creating variant or safe array"); }
[[noreturn]] void RaiseNotAnArray() { throw EVariantNotAnArrayError("Variant is not an array"); }
[[noreturn]] void RaiseCastError(TVarType from, TVarType to)
{
  throw EVariantTypeCastError("Could not convert variant of type (" + VarTypeAsText(from) + ") into type (" +
                              VarTypeAsText(to) + ")");
}

int64_t Ord(const Variant& v) { return std::get<int64_t>(TAccess::Value(v)); }
double Flt(const Variant& v) { return std::get<double>(TAccess::Value(v)); }
IUnknown* Intf(const Variant& v) { return std::get<TAccess::TIntfRef>(TAccess::Value(v)).Get(); }

bool IsOrdinalType(TVarType t)
{
  switch (t) {
  case varSmallint: case varInteger: case varBoolean: case varShortInt: case varByte: case varWord:
  case varLongWord: case varInt64:
    return true;
  default:
    return false;
  }
}

bool IsStrType(TVarType t) { return t == varString || t == varOleStr; }

// ---- Kinds registered at run time ------------------------------------------------------------------

constexpr TVarType kFirstCustomType = 0x010F;
constexpr size_t kMaxCustomTypes = 256;

// Registered types by code, from kFirstCustomType; read without a lock, filled in under one.
std::array<std::atomic<const TCustomVariantType*>, kMaxCustomTypes> GCustomTypes{};

std::mutex& CustomTypesLock()
{
  static std::mutex lock;
  return lock;
}

const TCustomVariantType* CustomOf(const Variant& v) { return FindCustomVariantType(v.VType()); }

// v, of a registered kind, as the built-in value its type gives for target; for any other kind the
// conversion error into target.
Variant BuiltIn(const Variant& v, TVarType target)
{
  const TCustomVariantType* type = CustomOf(v);
  if (!type) RaiseCastError(v.VType(), target);
  Variant result = type->CastTo(v, target);
  if (FindCustomVariantType(result.VType())) RaiseCastError(v.VType(), target);  // never a loop
  return result;
}

const char* BaseTypeName(TVarType t)
{
  switch (t) {
  case varEmpty: return "Empty";
  case varNull: return "Null";
  case varSmallint: return "Smallint";
  case varInteger: return "Integer";
  case varSingle: return "Single";
  case varDouble: return "Double";
  case varCurrency: return "Currency";
  case varDate: return "Date";
  case varOleStr: return "OleStr";
  case varDispatch: return "Dispatch";
  case varError: return "Error";
  case varBoolean: return "Boolean";
  case varVariant: return "Variant";
  case varUnknown: return "Unknown";
  case varShortInt: return "ShortInt";
  case varByte: return "Byte";
  case varWord: return "Word";
  case varLongWord: return "LongWord";
  case varInt64: return "Int64";
  case varString: return "String";
  default: return nullptr;
  }
}

// ---- Text ----------------------------------------------------------------------------------------

// The ANSI text of a string variant.
std::string TextOf(const Variant& v)
{
  if (v.VType() == varString) return std::get<std::string>(TAccess::Value(v));
  return WideToAnsi(std::get<std::wstring>(TAccess::Value(v)));
}

// A Single shown with the 7 significant digits it carries (0.1f is "0.1", not "0.100000001490116").
std::string SingleToStr(double value)
{
  if (!std::isfinite(value)) return FloatToStr(value);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.7g", value);
  return FloatToStr(std::strtod(buffer, nullptr));
}

// A number read from text: exact as an integer when the text is one, else floating point.
struct TTextNumber {
  bool IsInt = false;
  int64_t Int = 0;
  double Float = 0;
};

bool TryTextToNumber(const std::string& text, TTextNumber& n)
{
  if (TryStrToInt64(text, n.Int)) {
    n.IsInt = true;
    return true;
  }
  return TryStrToFloat(text, n.Float);
}

// ---- Conversions -----------------------------------------------------------------------------------

// v as a whole number within [lo, hi] for the target kind.
int64_t ToOrdinal(const Variant& v, TVarType target, int64_t lo, int64_t hi)
{
  auto checked = [&](int64_t x) {
    if (x < lo || x > hi) RaiseOverflow();
    return x;
  };
  auto fromDouble = [&](double d) {
    d = RoundHalfEven(d);
    if (!(d >= -9223372036854775808.0 && d < 9223372036854775808.0)) RaiseOverflow();  // NaN too
    return checked(static_cast<int64_t>(d));
  };
  switch (v.VType()) {
  case varEmpty: return 0;
  case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
  case varInt64:
    return checked(Ord(v));
  case varBoolean:
    // True is -1; the unsigned kinds take its bit pattern, all bits set, as OLE does.
    return Ord(v) ? (lo == 0 ? hi : -1) : 0;
  case varSingle: case varDouble: case varDate:
    return fromDouble(Flt(v));
  case varCurrency:
    return checked(Currency::FromRaw(Ord(v)).RoundToInt64());
  case varString: case varOleStr: {
    TTextNumber n;
    if (!TryTextToNumber(TextOf(v), n)) RaiseCastError(v.VType(), target);
    return n.IsInt ? checked(n.Int) : fromDouble(n.Float);
  }
  default:
    return ToOrdinal(BuiltIn(v, target), target, lo, hi);
  }
}

double ToDouble(const Variant& v, TVarType target)
{
  switch (v.VType()) {
  case varEmpty: return 0;
  case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
  case varInt64:
    return static_cast<double>(Ord(v));
  case varBoolean: return Ord(v) ? -1 : 0;
  case varSingle: case varDouble: case varDate: return Flt(v);
  case varCurrency: return Currency::FromRaw(Ord(v)).ToDouble();
  case varString: case varOleStr: {
    TTextNumber n;
    if (!TryTextToNumber(TextOf(v), n)) RaiseCastError(v.VType(), target);
    return n.IsInt ? static_cast<double>(n.Int) : n.Float;
  }
  default:
    return ToDouble(BuiltIn(v, target), target);
  }
}

Currency ToCurrency(const Variant& v)
{
  Currency c;
  switch (v.VType()) {
  case varCurrency: return Currency::FromRaw(Ord(v));
  case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
  case varInt64:
    if (!Currency::TryFromInt64(Ord(v), c)) RaiseOverflow();
    return c;
  case varString: case varOleStr:
    try {
      return StrToCurr(TextOf(v));  // overflow passes through as EVariantOverflowError
    } catch (const EConvertError&) {
      RaiseCastError(v.VType(), varCurrency);
    }
  default:
    if (CustomOf(v)) return ToCurrency(BuiltIn(v, varCurrency));
    if (!Currency::TryFromDouble(ToDouble(v, varCurrency), c)) RaiseOverflow();
    return c;
  }
}

// The range of dates the OLE date type can hold: 1 January 100 to 31 December 9999.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958466.0;

double ToDate(const Variant& v)
{
  double d = 0;
  if (IsStrType(v.VType())) {
    try {
      d = StrToDateTime(TextOf(v));
    } catch (const EConvertError&) {
      RaiseCastError(v.VType(), varDate);
    }
  } else {
    d = ToDouble(v, varDate);
  }
  if (!(d >= kMinDate && d < kMaxDate)) RaiseOverflow();
  return d;
}

bool ToBoolean(const Variant& v)
{
  switch (v.VType()) {
  case varEmpty: return false;
  case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
  case varInt64: case varBoolean: case varCurrency:
    return Ord(v) != 0;
  case varSingle: case varDouble: case varDate:
    return Flt(v) != 0;
  case varString: case varOleStr: {
    std::string text = TextOf(v);
    if (SameText(Trim(text), "True")) return true;
    if (SameText(Trim(text), "False")) return false;
    TTextNumber n;
    if (!TryTextToNumber(text, n)) RaiseCastError(v.VType(), varBoolean);
    return n.IsInt ? n.Int != 0 : n.Float != 0;
  }
  default:
    return ToBoolean(BuiltIn(v, varBoolean));
  }
}

std::string ToAnsi(const Variant& v, TVarType target)
{
  switch (v.VType()) {
  case varEmpty: return {};
  case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
  case varInt64:
    return IntToStr(Ord(v));
  case varBoolean: return Ord(v) ? "True" : "False";
  case varSingle: return SingleToStr(Flt(v));
  case varDouble: return FloatToStr(Flt(v));
  case varCurrency: return CurrToStr(Currency::FromRaw(Ord(v)));
  case varDate: return DateTimeToStr(Flt(v));
  case varString: case varOleStr: return TextOf(v);
  default:
    return ToAnsi(BuiltIn(v, target), target);
  }
}

// ---- Comparison ----------------------------------------------------------------------------------

enum class TOrder { Less, Equal, Greater, Unordered };

TOrder Invert(TOrder o)
{
  return o == TOrder::Less ? TOrder::Greater : o == TOrder::Greater ? TOrder::Less : o;
}

TOrder OrderOfRelationship(TVariantRelationship r)
{
  switch (r) {
  case TVariantRelationship::vrEqual: return TOrder::Equal;
  case TVariantRelationship::vrLessThan: return TOrder::Less;
  case TVariantRelationship::vrGreaterThan: return TOrder::Greater;
  default: return TOrder::Unordered;
  }
}

template <class T>
TOrder OrderOf(T a, T b)
{
  if (a < b) return TOrder::Less;
  if (b < a) return TOrder::Greater;
  if (a == b) return TOrder::Equal;
  return TOrder::Unordered;  // NaN
}

TOrder CompareTexts(const Variant& a, const Variant& b)
{
  if (a.VType() != varOleStr && b.VType() != varOleStr) {
    auto text = [](const Variant& v) { return v.VType() == varEmpty ? std::string() : TextOf(v); };
    return OrderOf(AnsiCompareStr(text(a), text(b)), 0);
  }
  // Wide text is compared as wide text, so that characters code page 936 lacks still count.
  auto wide = [](const Variant& v) {
    if (v.VType() == varOleStr) return std::get<std::wstring>(TAccess::Value(v));
    return v.VType() == varEmpty ? std::wstring() : AnsiToWide(TextOf(v));
  };
  std::wstring x = wide(a), y = wide(b);
  int r = CompareStringW(LOCALE_USER_DEFAULT, 0, x.data(), static_cast<int>(x.size()), y.data(),
                         static_cast<int>(y.size()));
  return OrderOf(r, CSTR_EQUAL);
}

// A comparable number: an exact integer, an exact currency amount or a floating-point value.
struct TNumber {
  enum class TKind { Int, Curr, Float } Kind;
  int64_t Int = 0;  // the integer, or the currency in ten-thousandths
  double Float = 0;

  double AsDouble() const
  {
    switch (Kind) {
    case TKind::Int: return static_cast<double>(Int);
    case TKind::Curr: return Currency::FromRaw(Int).ToDouble();
    default: return Float;
    }
  }
};

// v as a number for comparing with other; text is read as a number (or as a date against a date).
TNumber NumberOf(const Variant& v, const Variant& other)
{
  using K = TNumber::TKind;
  switch (v.VType()) {
  case varEmpty: return {K::Int, 0};
  case varBoolean: return {K::Int, Ord(v) ? -1 : 0};
  case varCurrency: return {K::Curr, Ord(v)};
  case varSingle: case varDouble: case varDate: return {K::Float, 0, Flt(v)};
  case varString: case varOleStr: {
    if (other.VType() == varDate) return {K::Float, 0, ToDate(v)};
    TTextNumber n;
    if (!TryTextToNumber(TextOf(v), n)) RaiseCastError(v.VType(), varDouble);
    return n.IsInt ? TNumber{K::Int, n.Int} : TNumber{K::Float, 0, n.Float};
  }
  default:
    return {K::Int, Ord(v)};  // the ordinal kinds
  }
}

// Currency (ten-thousandths) against a whole number, exactly.
TOrder CompareCurrencyToInt(int64_t raw, int64_t units)
{
  int64_t whole = raw / Currency::Scale, rest = raw % Currency::Scale;
  if (rest < 0) { --whole; rest += Currency::Scale; }  // floor division
  if (whole != units) return OrderOf(whole, units);
  return rest > 0 ? TOrder::Greater : TOrder::Equal;
}


TOrder CompareNumbers(const TNumber& x, const TNumber& y)
{
  using K = TNumber::TKind;
  if (x.Kind == y.Kind && x.Kind != K::Float) return OrderOf(x.Int, y.Int);
  if (x.Kind == K::Curr && y.Kind == K::Int) return CompareCurrencyToInt(x.Int, y.Int);
  if (x.Kind == K::Int && y.Kind == K::Curr) return Invert(CompareCurrencyToInt(y.Int, x.Int));
  return OrderOf(x.AsDouble(), y.AsDouble());
}

bool IsComparable(TVarType t)
{
  return t == varEmpty || IsOrdinalType(t) || IsStrType(t) || t == varSingle || t == varDouble ||
         t == varCurrency || t == varDate;
}

// Two values neither of which is Null.
TOrder CompareValues(const Variant& a, const Variant& b)
{
  if (const TCustomVariantType* type = CustomOf(a)) return OrderOfRelationship(type->Compare(a, b));
  if (const TCustomVariantType* type = CustomOf(b)) return Invert(OrderOfRelationship(type->Compare(b, a)));
  TVarType ta = a.VType(), tb = b.VType();
  if (!IsComparable(ta) || !IsComparable(tb)) RaiseInvalidOp();
  if (ta == varEmpty && tb == varEmpty) return TOrder::Equal;
  bool sa = IsStrType(ta), sb = IsStrType(tb);
  if ((sa || ta == varEmpty) && (sb || tb == varEmpty)) return CompareTexts(a, b);
  return CompareNumbers(NumberOf(a, b), NumberOf(b, a));
}

// Order with the loose null rules: Null equals Null and lies below everything else.
TOrder Compare(const Variant& a, const Variant& b)
{
  bool na = a.VType() == varNull, nb = b.VType() == varNull;
  if (na || nb) return na && nb ? TOrder::Equal : na ? TOrder::Less : TOrder::Greater;
  return CompareValues(a, b);
}

}  // namespace

// ---- Variant ---------------------------------------------------------------------------------------

Variant::TArrayRef::TArrayRef(std::unique_ptr<TArrayData> data) : FData(std::move(data)) {}
Variant::TArrayRef::TArrayRef(const TArrayRef& other)
    : FData(other.FData ? std::make_unique<TArrayData>(*other.FData) : nullptr) {}
Variant::TArrayRef::TArrayRef(TArrayRef&& other) noexcept = default;
Variant::TArrayRef& Variant::TArrayRef::operator=(const TArrayRef& other)
{
  TArrayRef copy(other);
  FData = std::move(copy.FData);
  return *this;
}
Variant::TArrayRef& Variant::TArrayRef::operator=(TArrayRef&& other) noexcept = default;
Variant::TArrayRef::~TArrayRef() = default;

Variant::TIntfRef::TIntfRef(IUnknown* intf) noexcept : FIntf(intf)
{
  if (FIntf) FIntf->AddRef();
}
Variant::TIntfRef::TIntfRef(const TIntfRef& other) noexcept : TIntfRef(other.FIntf) {}
Variant::TIntfRef::TIntfRef(TIntfRef&& other) noexcept : FIntf(other.FIntf) { other.FIntf = nullptr; }
Variant::TIntfRef& Variant::TIntfRef::operator=(TIntfRef other) noexcept
{
  std::swap(FIntf, other.FIntf);
  return *this;
}
Variant::TIntfRef::~TIntfRef()
{
  if (FIntf) FIntf->Release();
}

Variant::Variant(Variant&& other) noexcept : FType(other.FType), FValue(std::move(other.FValue))
{
  other.Clear();
}

Variant& Variant::operator=(const Variant& other)
{
  if (this != &other) *this = Variant(other);  // copy first: a failed copy leaves this unchanged
  return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept
{
  if (this != &other) {
    FType = other.FType;
    FValue = std::move(other.FValue);
    other.Clear();
  }
  return *this;
}

Variant::Variant(unsigned long long value) : FType(varInt64)
{
  if (value > static_cast<unsigned long long>(std::numeric_limits<int64_t>::max())) RaiseOverflow();
  FValue = static_cast<int64_t>(value);
}

Variant::Variant(IDispatch* value) : FType(varDispatch), FValue(TIntfRef(value)) {}
Variant::Variant(IUnknown* value) : FType(varUnknown), FValue(TIntfRef(value)) {}

void Variant::Clear() noexcept
{
  FType = varEmpty;
  FValue.emplace<std::monostate>();
}

int Variant::AsInteger() const
{
  return FType == varInteger ? static_cast<int>(Ord(*this))
                             : static_cast<int>(ToOrdinal(*this, varInteger, INT32_MIN, INT32_MAX));
}

int64_t Variant::AsInt64() const { return ToOrdinal(*this, varInt64, INT64_MIN, INT64_MAX); }
double Variant::AsDouble() const { return ToDouble(*this, varDouble); }
bool Variant::AsBoolean() const { return ToBoolean(*this); }
Currency Variant::AsCurrency() const { return ToCurrency(*this); }
TDateTime Variant::AsDateTime() const { return ToDate(*this); }
std::string Variant::AsString() const { return ToAnsi(*this, varString); }

std::wstring Variant::AsWideString() const
{
  if (FType == varOleStr) return std::get<std::wstring>(FValue);
  return AnsiToWide(ToAnsi(*this, varOleStr));
}

IUnknown* Variant::AsUnknown() const
{
  if (FType == varUnknown || FType == varDispatch) return Intf(*this);
  if (FType == varEmpty) return nullptr;
  RaiseCastError(FType, varUnknown);
}

IDispatch* Variant::AsDispatch() const
{
  if (FType == varDispatch) return static_cast<IDispatch*>(Intf(*this));
  if (FType == varEmpty) return nullptr;
  RaiseCastError(FType, varDispatch);
}

HRESULT Variant::AsError() const
{
  if (FType != varError) RaiseCastError(FType, varError);
  return static_cast<HRESULT>(Ord(*this));
}

bool operator==(const Variant& a, const Variant& b) { return Compare(a, b) == TOrder::Equal; }
bool operator!=(const Variant& a, const Variant& b) { return !(a == b); }
bool operator<(const Variant& a, const Variant& b) { return Compare(a, b) == TOrder::Less; }
bool operator>(const Variant& a, const Variant& b) { return Compare(a, b) == TOrder::Greater; }

bool operator<=(const Variant& a, const Variant& b)
{
  TOrder o = Compare(a, b);
  return o == TOrder::Less || o == TOrder::Equal;
}

bool operator>=(const Variant& a, const Variant& b)
{
  TOrder o = Compare(a, b);
  return o == TOrder::Greater || o == TOrder::Equal;
}

// ---- Free functions ------------------------------------------------------------------------------

Variant Null() { return TAccess::Make(varNull, std::monostate()); }
Variant Unassigned() { return Variant(); }

TVarType VarType(const Variant& v) { return v.VType(); }
bool VarIsType(const Variant& v, TVarType type) { return v.VType() == type; }
bool VarIsEmpty(const Variant& v) { return v.VType() == varEmpty; }
bool VarIsNull(const Variant& v) { return v.VType() == varNull; }

bool VarIsClear(const Variant& v)
{
  TVarType t = v.VType();
  return t == varEmpty || ((t == varDispatch || t == varUnknown) && !Intf(v));
}

bool VarIsOrdinal(const Variant& v) { return IsOrdinalType(v.VType()); }

bool VarIsFloat(const Variant& v)
{
  TVarType t = v.VType();
  return t == varSingle || t == varDouble || t == varCurrency;
}

bool VarIsNumeric(const Variant& v) { return VarIsOrdinal(v) || VarIsFloat(v); }
bool VarIsStr(const Variant& v) { return IsStrType(v.VType()); }
bool VarIsArray(const Variant& v) { return (v.VType() & varArray) != 0; }

std::string VarTypeAsText(TVarType type)
{
  if (type & varArray) return "Array " + VarTypeAsText(type & varTypeMask);
  if (const char* name = BaseTypeName(type)) return name;
  if (const TCustomVariantType* custom = FindCustomVariantType(type)) return custom->Name();
  return "$" + IntToHex(type, 4);
}

Variant VarAsType(const Variant& v, TVarType type)
{
  if (v.VType() == type) return v;
  if (const TCustomVariantType* custom = FindCustomVariantType(type)) return custom->CastFrom(v);
  using V = TAccess;
  switch (type) {
  case varEmpty: return Variant();
  case varNull: return Null();
  case varSmallint: return V::Make(type, ToOrdinal(v, type, INT16_MIN, INT16_MAX));
  case varInteger: return V::Make(type, ToOrdinal(v, type, INT32_MIN, INT32_MAX));
  case varShortInt: return V::Make(type, ToOrdinal(v, type, INT8_MIN, INT8_MAX));
  case varByte: return V::Make(type, ToOrdinal(v, type, 0, UINT8_MAX));
  case varWord: return V::Make(type, ToOrdinal(v, type, 0, UINT16_MAX));
  case varLongWord: return V::Make(type, ToOrdinal(v, type, 0, UINT32_MAX));
  case varInt64: return V::Make(type, ToOrdinal(v, type, INT64_MIN, INT64_MAX));
  case varSingle: {
    double d = ToDouble(v, type);
    if (std::isfinite(d) && std::fabs(d) > FLT_MAX) RaiseOverflow();
    return V::Make(type, static_cast<double>(static_cast<float>(d)));
  }
  case varDouble: return V::Make(type, ToDouble(v, type));
  case varCurrency: return V::Make(type, ToCurrency(v).Raw());
  case varDate: return V::Make(type, ToDate(v));
  case varBoolean: return V::Make(type, int64_t(ToBoolean(v)));
  case varString: return V::Make(type, ToAnsi(v, type));
  case varOleStr: return V::Make(type, v.AsWideString());
  case varUnknown:
    if (v.VType() == varDispatch || v.VType() == varEmpty)
      return V::Make(type, V::TIntfRef(v.AsUnknown()));
    RaiseCastError(v.VType(), type);
  case varDispatch:
    if (v.VType() == varEmpty) return V::Make(type, V::TIntfRef());
    if (v.VType() == varUnknown) {
      IDispatch* dispatch = nullptr;
      if (Intf(v) && FAILED(Intf(v)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
        RaiseCastError(v.VType(), type);
      Variant result(dispatch);
      if (dispatch) dispatch->Release();
      return result;
    }
    RaiseCastError(v.VType(), type);
  case varError:
    RaiseCastError(v.VType(), type);
  default:
    RaiseBadVarType();  // varVariant, array kinds other than v's own, unknown codes
  }
}

std::string VarToStr(const Variant& v) { return v.VType() == varNull ? std::string() : v.AsString(); }

std::string VarToStrDef(const Variant& v, std::string_view def)
{
  return v.VType() == varNull ? std::string(def) : v.AsString();
}

Variant VarFromDateTime(TDateTime value) { return TAccess::Make(varDate, static_cast<double>(value)); }
TDateTime VarToDateTime(const Variant& v) { return v.AsDateTime(); }
Variant VarAsError(HRESULT code) { return TAccess::Make(varError, int64_t(code)); }

// ---- TCustomVariantType -----------------------------------------------------------------------------

TCustomVariantType::TCustomVariantType()
{
  std::lock_guard lock(CustomTypesLock());
  for (size_t i = 0; i < kMaxCustomTypes; ++i) {
    if (!GCustomTypes[i].load(std::memory_order_relaxed)) {
      FVarType = static_cast<TVarType>(kFirstCustomType + i);
      GCustomTypes[i].store(this, std::memory_order_release);
      return;
    }
  }
  throw EVariantError("Too many custom variant types have been registered");
}

Variant TCustomVariantType::MakeValue(std::shared_ptr<const void> data) const
{
  return TAccess::Make(FVarType, TAccess::TValue(std::in_place_type<std::shared_ptr<const void>>, std::move(data)));
}

const void* TCustomVariantType::ValueData(const Variant& v) const
{
  if (v.VType() != FVarType) RaiseCastError(v);
  return TAccess::CustomData(v);
}

void TCustomVariantType::RaiseCastError(const Variant& source) const { ::RaiseCastError(source.VType(), FVarType); }

const TCustomVariantType* FindCustomVariantType(TVarType type)
{
  if (type < kFirstCustomType || type >= kFirstCustomType + kMaxCustomTypes) return nullptr;
  return GCustomTypes[type - kFirstCustomType].load(std::memory_order_acquire);
}

TVariantRelationship VarCompareValue(const Variant& a, const Variant& b)
{
  TVarType ta = a.VType(), tb = b.VType();
  if (ta == varEmpty || ta == varNull || tb == varEmpty || tb == varNull)
    return ta == tb ? TVariantRelationship::vrEqual : TVariantRelationship::vrNotEqual;
  switch (CompareValues(a, b)) {
  case TOrder::Equal: return TVariantRelationship::vrEqual;
  case TOrder::Less: return TVariantRelationship::vrLessThan;
  case TOrder::Greater: return TVariantRelationship::vrGreaterThan;
  default: return TVariantRelationship::vrNotEqual;
  }
}

// ---- Arrays --------------------------------------------------------------------------------------

namespace {

// Bytes per element of the fixed-size kinds (OLE layout), 0 for kinds held as Variant objects,
// -1 for kinds that cannot be array elements.
int ElementSize(TVarType t)
{
  switch (t) {
  case varShortInt: case varByte: return 1;
  case varSmallint: case varWord: case varBoolean: return 2;
  case varInteger: case varLongWord: case varSingle: case varError: return 4;
  case varDouble: case varDate: case varCurrency: case varInt64: return 8;
  case varVariant: case varOleStr: case varString: case varDispatch: case varUnknown: return 0;
  default: return -1;
  }
}

// The initial value of an element held as a Variant: an empty text, a null interface, Empty.
Variant DefaultItem(TVarType t)
{
  switch (t) {
  case varOleStr: return TAccess::Make(t, std::wstring());
  case varString: return TAccess::Make(t, std::string());
  case varDispatch: case varUnknown: return TAccess::Make(t, TAccess::TIntfRef());
  default: return Variant();
  }
}

template <class T>
T Load(const unsigned char* p)
{
  T value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

template <class T>
void Store(unsigned char* p, T value)
{
  std::memcpy(p, &value, sizeof value);
}

// A fixed-size element (OLE layout) as a variant of kind t.
Variant LoadElement(TVarType t, const void* data)
{
  auto p = static_cast<const unsigned char*>(data);
  auto make = [t](auto value) { return TAccess::Make(t, value); };
  switch (t) {
  case varShortInt: return make(int64_t(Load<int8_t>(p)));
  case varByte: return make(int64_t(Load<uint8_t>(p)));
  case varSmallint: return make(int64_t(Load<int16_t>(p)));
  case varWord: return make(int64_t(Load<uint16_t>(p)));
  case varBoolean: return make(int64_t(Load<VARIANT_BOOL>(p) != VARIANT_FALSE));
  case varInteger: case varError: return make(int64_t(Load<int32_t>(p)));
  case varLongWord: return make(int64_t(Load<uint32_t>(p)));
  case varSingle: return make(double(Load<float>(p)));
  case varDouble: case varDate: return make(Load<double>(p));
  case varCurrency: case varInt64: return make(Load<int64_t>(p));
  default: RaiseBadVarType();
  }
}

// Stores v, which is of the fixed-size kind t, in OLE layout.
void StoreElement(TVarType t, void* data, const Variant& v)
{
  auto p = static_cast<unsigned char*>(data);
  switch (t) {
  case varShortInt: Store(p, int8_t(Ord(v))); break;
  case varByte: Store(p, uint8_t(Ord(v))); break;
  case varSmallint: Store(p, int16_t(Ord(v))); break;
  case varWord: Store(p, uint16_t(Ord(v))); break;
  case varBoolean: Store(p, VARIANT_BOOL(Ord(v) ? VARIANT_TRUE : VARIANT_FALSE)); break;
  case varInteger: case varError: Store(p, int32_t(Ord(v))); break;
  case varLongWord: Store(p, uint32_t(Ord(v))); break;
  case varSingle: Store(p, float(Flt(v))); break;
  case varDouble: case varDate: Store(p, Flt(v)); break;
  case varCurrency: case varInt64: Store(p, Ord(v)); break;
  default: RaiseBadVarType();
  }
}

using TArrayData = Variant::TArrayData;

std::unique_ptr<TArrayData> NewArray(std::span<const TVarArrayBound> bounds, TVarType elementType)
{
  int size = ElementSize(elementType);
  if (size < 0 || bounds.empty() || bounds.size() > 64) RaiseArrayCreate();
  int64_t count = 1;
  for (const TVarArrayBound& b : bounds) {
    int64_t n = int64_t(b.High) - b.Low + 1;
    if (n < 0) RaiseArrayCreate();
    count *= n;
    if (count > std::numeric_limits<int32_t>::max()) RaiseArrayCreate();
  }
  auto data = std::make_unique<TArrayData>();
  data->ElemType = elementType;
  data->Bounds.assign(bounds.begin(), bounds.end());
  data->ElemSize = size_t(size);
  if (size > 0) data->Raw.assign(size_t(count) * size_t(size), 0);
  else data->Items.assign(size_t(count), DefaultItem(elementType));
  return data;
}

Variant MakeArray(std::unique_ptr<TArrayData> data)
{
  TVarType type = varArray | data->ElemType;
  return TAccess::Make(type, TAccess::TArrayRef(std::move(data)));
}

TArrayData& ArrayOf(const Variant& a)
{
  TArrayData* data = TAccess::Array(a);
  if (!data) RaiseNotAnArray();
  return *data;
}

size_t ElementCount(const TArrayData& data)
{
  return data.ElemSize ? data.Raw.size() / data.ElemSize : data.Items.size();
}

// The position of an element in storage order (leftmost index fastest).
size_t OffsetOf(const TArrayData& data, std::span<const int> indices)
{
  if (indices.size() != data.Bounds.size()) RaiseBadIndex();
  size_t offset = 0, stride = 1;
  for (size_t d = 0; d < indices.size(); ++d) {
    const TVarArrayBound& b = data.Bounds[d];
    if (indices[d] < b.Low || indices[d] > b.High) RaiseBadIndex();
    offset += size_t(int64_t(indices[d]) - b.Low) * stride;
    stride *= size_t(int64_t(b.High) - b.Low + 1);
  }
  return offset;
}

const TVarArrayBound& BoundOf(const Variant& a, int dim)
{
  TArrayData& data = ArrayOf(a);
  if (dim < 1 || dim > int(data.Bounds.size())) RaiseBadIndex();
  return data.Bounds[dim - 1];
}

}  // namespace

Variant VarArrayCreate(std::span<const TVarArrayBound> bounds, TVarType elementType)
{
  return MakeArray(NewArray(bounds, elementType));
}

Variant VarArrayCreate(std::initializer_list<TVarArrayBound> bounds, TVarType elementType)
{
  return VarArrayCreate(std::span<const TVarArrayBound>(bounds.begin(), bounds.size()), elementType);
}

Variant VarArrayCreate(std::initializer_list<int> lowHighPairs, TVarType elementType)
{
  if (lowHighPairs.size() % 2 != 0) RaiseArrayCreate();
  std::vector<TVarArrayBound> bounds;
  for (auto it = lowHighPairs.begin(); it != lowHighPairs.end(); it += 2) bounds.push_back({it[0], it[1]});
  return VarArrayCreate(bounds, elementType);
}

Variant VarArrayOf(std::span<const Variant> values)
{
  TVarArrayBound bound{0, static_cast<int>(values.size()) - 1};
  auto data = NewArray({&bound, 1}, varVariant);
  std::copy(values.begin(), values.end(), data->Items.begin());
  return MakeArray(std::move(data));
}

Variant VarArrayOf(std::initializer_list<Variant> values)
{
  return VarArrayOf(std::span<const Variant>(values.begin(), values.size()));
}

int VarArrayDimCount(const Variant& a)
{
  TArrayData* data = TAccess::Array(a);
  return data ? static_cast<int>(data->Bounds.size()) : 0;
}

int VarArrayLowBound(const Variant& a, int dim) { return BoundOf(a, dim).Low; }
int VarArrayHighBound(const Variant& a, int dim) { return BoundOf(a, dim).High; }

Variant VarArrayGet(const Variant& a, std::span<const int> indices)
{
  const TArrayData& data = ArrayOf(a);
  size_t offset = OffsetOf(data, indices);
  if (data.ElemSize) return LoadElement(data.ElemType, &data.Raw[offset * data.ElemSize]);
  return data.Items[offset];
}

Variant VarArrayGet(const Variant& a, std::initializer_list<int> indices)
{
  return VarArrayGet(a, std::span<const int>(indices.begin(), indices.size()));
}

void VarArrayPut(Variant& a, const Variant& value, std::span<const int> indices)
{
  TArrayData& data = ArrayOf(a);
  size_t offset = OffsetOf(data, indices);
  if (data.ElemType == varVariant) {
    // A copy first: the value may be (an element of) this very array.
    Variant copy(value);
    data.Items[offset] = std::move(copy);
    return;
  }
  Variant converted = VarAsType(value, data.ElemType);
  if (data.ElemSize) StoreElement(data.ElemType, &data.Raw[offset * data.ElemSize], converted);
  else data.Items[offset] = std::move(converted);
}

void VarArrayPut(Variant& a, const Variant& value, std::initializer_list<int> indices)
{
  VarArrayPut(a, value, std::span<const int>(indices.begin(), indices.size()));
}

void* VarArrayLock(Variant& a)
{
  TArrayData& data = ArrayOf(a);
  return data.ElemSize ? static_cast<void*>(data.Raw.data()) : static_cast<void*>(data.Items.data());
}

void VarArrayUnlock(Variant& a) { ArrayOf(a); }

// ---- OLE VARIANT ---------------------------------------------------------------------------------

namespace {

BSTR NewBstr(std::wstring_view text)
{
  BSTR s = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!s) throw EOutOfMemory("Out of memory");
  return s;
}

std::wstring BstrText(BSTR s) { return s ? std::wstring(s, SysStringLen(s)) : std::wstring(); }

// Frees a VARIANT under construction unless released.
class TOleVariantGuard {
public:
  explicit TOleVariantGuard(VARIANT& v) : FV(&v) {}
  ~TOleVariantGuard()
  {
    if (FV) VariantClear(FV);
  }
  void Release() { FV = nullptr; }

private:
  VARIANT* FV;
};

class TSafeArrayLock {
public:
  explicit TSafeArrayLock(SAFEARRAY* psa) : FPsa(psa)
  {
    HRESULT hr = SafeArrayLock(psa);
    if (FAILED(hr)) throw EVariantError("Variant or safe array is locked");
  }
  ~TSafeArrayLock() { SafeArrayUnlock(FPsa); }

private:
  SAFEARRAY* FPsa;
};

// Steps indices to the next element, the leftmost index fastest; false after the last one.
bool NextIndex(std::vector<LONG>& indices, const std::vector<TVarArrayBound>& bounds)
{
  for (size_t d = 0; d < indices.size(); ++d) {
    if (indices[d] < bounds[d].High) {
      ++indices[d];
      return true;
    }
    indices[d] = bounds[d].Low;
  }
  return false;
}

std::vector<LONG> FirstIndex(const std::vector<TVarArrayBound>& bounds)
{
  std::vector<LONG> indices;
  for (const TVarArrayBound& b : bounds) indices.push_back(b.Low);
  return indices;
}

void FillOle(const Variant& v, VARIANT& out);

// Writes one element held as a Variant into its SAFEARRAY slot (already zeroed by SafeArrayCreate).
void FillOleSlot(TVarType elementType, const Variant& item, void* slot)
{
  switch (elementType) {
  case varVariant: FillOle(item, *static_cast<VARIANT*>(slot)); break;
  case varOleStr: case varString: *static_cast<BSTR*>(slot) = NewBstr(item.AsWideString()); break;
  default:  // interfaces
    if (IUnknown* intf = Intf(item)) {
      intf->AddRef();
      *static_cast<IUnknown**>(slot) = intf;
    }
  }
}

SAFEARRAY* ToSafeArray(const TArrayData& data)
{
  VARTYPE vt = data.ElemType == varString ? VARTYPE(VT_BSTR) : data.ElemType;
  std::vector<SAFEARRAYBOUND> bounds;
  for (const TVarArrayBound& b : data.Bounds)
    bounds.push_back({static_cast<ULONG>(int64_t(b.High) - b.Low + 1), b.Low});
  SAFEARRAY* psa = SafeArrayCreate(vt, static_cast<UINT>(bounds.size()), bounds.data());
  if (!psa) RaiseArrayCreate();
  try {
    TSafeArrayLock lock(psa);
    size_t count = ElementCount(data);
    std::vector<LONG> index = FirstIndex(data.Bounds);
    for (size_t k = 0; k < count; ++k, NextIndex(index, data.Bounds)) {
      void* slot = nullptr;
      if (FAILED(SafeArrayPtrOfIndex(psa, index.data(), &slot))) RaiseBadIndex();
      if (data.ElemSize) std::memcpy(slot, &data.Raw[k * data.ElemSize], data.ElemSize);
      else FillOleSlot(data.ElemType, data.Items[k], slot);
    }
  } catch (...) {
    SafeArrayDestroy(psa);  // frees the strings, variants and interfaces already stored
    throw;
  }
  return psa;
}

// Fills out, which is VT_EMPTY; on an exception out stays VT_EMPTY or owns what was made.
void FillOle(const Variant& v, VARIANT& out)
{
  TVarType t = v.VType();
  switch (t) {
  case varEmpty: case varNull: break;
  case varOleStr: case varString: V_BSTR(&out) = NewBstr(v.AsWideString()); break;
  case varDispatch: case varUnknown:
    V_UNKNOWN(&out) = Intf(v);
    if (V_UNKNOWN(&out)) V_UNKNOWN(&out)->AddRef();
    break;
  default:
    if (t & varArray) {
      V_ARRAY(&out) = ToSafeArray(ArrayOf(v));
      V_VT(&out) = VT_ARRAY | (t == (varArray | varString) ? VT_BSTR : (t & varTypeMask));
      return;
    }
    StoreElement(t, &V_I8(&out), v);
  }
  V_VT(&out) = t == varString ? VARTYPE(VT_BSTR) : t;
}

// The kind of variant that holds an OLE value of type vt (VT_INT and VT_UINT as their sizes).
TVarType KindOfOleType(VARTYPE vt)
{
  switch (vt) {
  case VT_INT: return varInteger;
  case VT_UINT: return varLongWord;
  case VT_EMPTY: case VT_NULL: case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_DATE:
  case VT_BSTR: case VT_DISPATCH: case VT_ERROR: case VT_BOOL: case VT_VARIANT: case VT_UNKNOWN:
  case VT_I1: case VT_UI1: case VT_UI2: case VT_UI4: case VT_I8:
    return vt;
  default:
    RaiseBadVarType();
  }
}

Variant FromSafeArray(SAFEARRAY* psa, VARTYPE vt)
{
  if (!psa) return Variant();
  TVarType elementType = KindOfOleType(vt);
  UINT dims = SafeArrayGetDim(psa);
  std::vector<TVarArrayBound> bounds(dims);
  for (UINT d = 0; d < dims; ++d) {
    LONG low = 0, high = 0;
    SafeArrayGetLBound(psa, d + 1, &low);
    SafeArrayGetUBound(psa, d + 1, &high);
    bounds[d] = {low, high};
  }
  auto data = NewArray(bounds, elementType);
  // The slots are read as the VARIANT's type says; an array whose elements are of another size
  // would be read past its end.
  size_t slotSize = data->ElemSize ? data->ElemSize : elementType == varVariant ? sizeof(VARIANT) : sizeof(void*);
  if (SafeArrayGetElemsize(psa) != slotSize) RaiseBadVarType();
  TSafeArrayLock lock(psa);
  size_t count = ElementCount(*data);
  std::vector<LONG> index = FirstIndex(data->Bounds);
  for (size_t k = 0; k < count; ++k, NextIndex(index, data->Bounds)) {
    void* slot = nullptr;
    if (FAILED(SafeArrayPtrOfIndex(psa, index.data(), &slot))) RaiseBadIndex();
    if (data->ElemSize) {
      std::memcpy(&data->Raw[k * data->ElemSize], slot, data->ElemSize);
    } else if (elementType == varVariant) {
      data->Items[k] = FromOleVariant(*static_cast<const VARIANT*>(slot));
    } else if (elementType == varOleStr) {
      data->Items[k] = TAccess::Make(varOleStr, BstrText(*static_cast<BSTR*>(slot)));
    } else {
      data->Items[k] = TAccess::Make(elementType, TAccess::TIntfRef(*static_cast<IUnknown**>(slot)));
    }
  }
  return MakeArray(std::move(data));
}

}  // namespace

void ToOleVariant(const Variant& v, VARIANT& dest)
{
  VariantClear(&dest);
  VARIANT result;
  VariantInit(&result);
  TOleVariantGuard guard(result);
  FillOle(v, result);
  guard.Release();
  dest = result;
}

Variant FromOleVariant(const VARIANT& source)
{
  VARTYPE vt = V_VT(&source);
  bool byRef = (vt & VT_BYREF) != 0;
  vt &= ~VT_BYREF;
  if (byRef && !V_BYREF(&source)) RaiseBadVarType();
  if (vt & VT_ARRAY) return FromSafeArray(byRef ? *V_ARRAYREF(&source) : V_ARRAY(&source), vt & VT_TYPEMASK);
  const void* data = byRef ? V_BYREF(&source) : static_cast<const void*>(&V_I8(&source));
  switch (vt) {
  case VT_VARIANT:
    if (!byRef) RaiseBadVarType();
    return FromOleVariant(*static_cast<const VARIANT*>(data));
  case VT_BSTR: return TAccess::Make(varOleStr, BstrText(*static_cast<const BSTR*>(data)));
  case VT_DISPATCH: case VT_UNKNOWN:
    return TAccess::Make(vt, TAccess::TIntfRef(*static_cast<IUnknown* const*>(data)));
  case VT_DECIMAL: {
    // A DECIMAL fills the whole VARIANT, type field included.
    DECIMAL dec = byRef ? *static_cast<const DECIMAL*>(data) : V_DECIMAL(&source);
    double d = 0;
    if (FAILED(VarR8FromDec(&dec, &d))) RaiseOverflow();
    return Variant(d);
  }
  case VT_UI8: {
    ULONGLONG u = *static_cast<const ULONGLONG*>(data);
    return Variant(static_cast<unsigned long long>(u));
  }
  case VT_EMPTY: case VT_NULL:
    if (byRef) RaiseBadVarType();
    return vt == VT_NULL ? Null() : Variant();
  default:
    return LoadElement(KindOfOleType(vt), data);
  }
}
