#pragma once
// Variant: the class library's tagged value. It holds one value of a kind named by an OLE type code
// (empty, null, the integer and floating-point kinds, currency, date, Boolean, ANSI and wide
// strings, interfaces, error codes) or an array of such values, converts between the kinds by the
// class library's rules, compares across kinds and converts to and from the OLE VARIANT.
//
// Conversions: Empty gives 0, "" or false; Null converts only to Null or Empty, anything else raises
// EVariantTypeCastError "Could not convert variant of type (Null) into type (Integer)"; a Boolean is
// -1 or 0 as a number and "True" or "False" as text; text becomes a number as StrToInt/StrToFloat
// read it (locale decimal separator) and a Boolean from "True"/"False" in any case or from a
// number; numbers become Booleans by being non-zero; floating-point values become integers rounded
// halves to even; a value out of the target's range raises EVariantOverflowError "Arithmetic
// overflow"; dates become text through DateTimeToStr. Wide text (OLE strings) is held as UTF-16
// and converted to and from the ANSI code page (936) only when ANSI text is asked for, so that a
// BSTR passing through a variant loses no character.
//
// Kinds registered at run time (TCustomVariantType below) take codes handed out at registration and
// supply their own conversions, comparison and name; the conversions and comparisons here pass such
// values to their type.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include "classlib/Currency.h"
#include "classlib/DateTime.h"
#include "classlib/Exceptions.h"
#include "classlib/Win.h"
#include <oleauto.h>

using TVarType = uint16_t;

inline constexpr TVarType varEmpty = 0x0000;
inline constexpr TVarType varNull = 0x0001;
inline constexpr TVarType varSmallint = 0x0002;  // 16-bit signed
inline constexpr TVarType varInteger = 0x0003;   // 32-bit signed
inline constexpr TVarType varSingle = 0x0004;
inline constexpr TVarType varDouble = 0x0005;
inline constexpr TVarType varCurrency = 0x0006;
inline constexpr TVarType varDate = 0x0007;
inline constexpr TVarType varOleStr = 0x0008;    // wide text
inline constexpr TVarType varDispatch = 0x0009;
inline constexpr TVarType varError = 0x000A;     // an HRESULT
inline constexpr TVarType varBoolean = 0x000B;
inline constexpr TVarType varVariant = 0x000C;   // element type of arrays of variants only
inline constexpr TVarType varUnknown = 0x000D;
inline constexpr TVarType varShortInt = 0x0010;  // 8-bit signed
inline constexpr TVarType varByte = 0x0011;
inline constexpr TVarType varWord = 0x0012;
inline constexpr TVarType varLongWord = 0x0013;
inline constexpr TVarType varInt64 = 0x0014;
inline constexpr TVarType varString = 0x0100;    // ANSI text (code page 936)
inline constexpr TVarType varTypeMask = 0x0FFF;
inline constexpr TVarType varArray = 0x2000;

// The result of VarCompareValue.
enum class TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };

class Variant;

// Bounds of one dimension of a variant array, both inclusive (High = Low - 1 for no elements).
struct TVarArrayBound {
  int Low;
  int High;
};

class Variant {
public:
  Variant() noexcept = default;  // Empty
  Variant(const Variant& other) = default;
  Variant(Variant&& other) noexcept;
  Variant& operator=(const Variant& other);
  Variant& operator=(Variant&& other) noexcept;
  ~Variant() = default;

  Variant(bool value) : FType(varBoolean), FValue(int64_t(value)) {}
  Variant(char value) : Variant(std::string(1, value)) {}  // a one-character string
  Variant(signed char value) : FType(varShortInt), FValue(int64_t(value)) {}
  Variant(unsigned char value) : FType(varByte), FValue(int64_t(value)) {}
  Variant(short value) : FType(varSmallint), FValue(int64_t(value)) {}
  Variant(unsigned short value) : FType(varWord), FValue(int64_t(value)) {}
  Variant(int value) : FType(varInteger), FValue(int64_t(value)) {}
  Variant(unsigned value) : FType(varLongWord), FValue(int64_t(value)) {}
  Variant(long value) : FType(varInteger), FValue(int64_t(value)) {}  // 32 bits on Windows
  Variant(unsigned long value) : FType(varLongWord), FValue(int64_t(value)) {}
  Variant(long long value) : FType(varInt64), FValue(int64_t(value)) {}
  // Raises EVariantOverflowError above the largest Int64.
  Variant(unsigned long long value);
  Variant(float value) : FType(varSingle), FValue(double(value)) {}
  Variant(double value) : FType(varDouble), FValue(value) {}
  Variant(Currency value) : FType(varCurrency), FValue(value.Raw()) {}
  Variant(const char* value) : FType(varString), FValue(std::string(value ? value : "")) {}
  Variant(char* value) : Variant(static_cast<const char*>(value)) {}
  Variant(std::string value) : FType(varString), FValue(std::move(value)) {}
  Variant(std::string_view value) : FType(varString), FValue(std::string(value)) {}
  Variant(const wchar_t* value) : FType(varOleStr), FValue(std::wstring(value ? value : L"")) {}
  Variant(wchar_t* value) : Variant(static_cast<const wchar_t*>(value)) {}
  Variant(std::wstring value) : FType(varOleStr), FValue(std::move(value)) {}
  Variant(std::wstring_view value) : FType(varOleStr), FValue(std::wstring(value)) {}
  // Interfaces are held with a reference of the variant's own (a null pointer is allowed).
  Variant(IDispatch* value);
  Variant(IUnknown* value);
  // Any other pointer would silently become a Boolean.
  template <class T> Variant(T*) = delete;

  // The type code: a kind, or varArray with the element kind.
  TVarType VType() const { return FType; }
  void Clear() noexcept;

  // Conversions by the rules above; they raise EVariantTypeCastError, EVariantOverflowError.
  int AsInteger() const;
  int64_t AsInt64() const;
  double AsDouble() const;
  bool AsBoolean() const;
  Currency AsCurrency() const;
  TDateTime AsDateTime() const;
  std::string AsString() const;
  std::wstring AsWideString() const;
  // The held interface (no reference added); raises EVariantTypeCastError for other kinds.
  IUnknown* AsUnknown() const;
  IDispatch* AsDispatch() const;
  // The HRESULT of a varError value.
  HRESULT AsError() const;

  explicit operator int() const { return AsInteger(); }
  explicit operator int64_t() const { return AsInt64(); }
  explicit operator double() const { return AsDouble(); }
  explicit operator bool() const { return AsBoolean(); }
  explicit operator Currency() const { return AsCurrency(); }
  explicit operator std::string() const { return AsString(); }
  explicit operator std::wstring() const { return AsWideString(); }

  // Comparison across kinds (see VarCompareValue for the rules). Null equals only Null and orders
  // below every other value; arrays, interfaces and error codes raise EVariantInvalidOpError.
  friend bool operator==(const Variant& a, const Variant& b);
  friend bool operator!=(const Variant& a, const Variant& b);
  friend bool operator<(const Variant& a, const Variant& b);
  friend bool operator<=(const Variant& a, const Variant& b);
  friend bool operator>(const Variant& a, const Variant& b);
  friend bool operator>=(const Variant& a, const Variant& b);

  struct TArrayData;  // defined with the array functions
private:
  friend struct TVariantAccess;

  // Deep-copying owner of an array: variants are values, so copying one copies its array.
  class TArrayRef {
  public:
    TArrayRef() = default;
    explicit TArrayRef(std::unique_ptr<TArrayData> data);
    TArrayRef(const TArrayRef& other);
    TArrayRef(TArrayRef&& other) noexcept;
    TArrayRef& operator=(const TArrayRef& other);
    TArrayRef& operator=(TArrayRef&& other) noexcept;
    ~TArrayRef();
    TArrayData* Get() const { return FData.get(); }

  private:
    std::unique_ptr<TArrayData> FData;
  };

  // Counted reference to an interface.
  class TIntfRef {
  public:
    explicit TIntfRef(IUnknown* intf = nullptr) noexcept;
    TIntfRef(const TIntfRef& other) noexcept;
    TIntfRef(TIntfRef&& other) noexcept;
    TIntfRef& operator=(TIntfRef other) noexcept;
    ~TIntfRef();
    IUnknown* Get() const { return FIntf; }

  private:
    IUnknown* FIntf;
  };

  // Ordinal kinds, Boolean (0/1), currency (ten-thousandths) and error codes are held as int64;
  // Single, Double and Date as double; varString as std::string, varOleStr as std::wstring; a kind
  // registered at run time as its type's immutable data, shared between copies.
  using TCustomData = std::shared_ptr<const void>;
  using TValue =
      std::variant<std::monostate, int64_t, double, std::string, std::wstring, TArrayRef, TIntfRef, TCustomData>;

  Variant(TVarType type, TValue value) : FType(type), FValue(std::move(value)) {}

  TVarType FType = varEmpty;
  TValue FValue;
};

Variant Null();
Variant Unassigned();

TVarType VarType(const Variant& v);
bool VarIsType(const Variant& v, TVarType type);
bool VarIsEmpty(const Variant& v);
bool VarIsNull(const Variant& v);
// Empty, or an interface kind holding no interface.
bool VarIsClear(const Variant& v);
// Smallint, Integer, Boolean, ShortInt, Byte, Word, LongWord, Int64.
bool VarIsOrdinal(const Variant& v);
// Single, Double, Currency.
bool VarIsFloat(const Variant& v);
// Ordinal or floating point (not Date, not text).
bool VarIsNumeric(const Variant& v);
// varString or varOleStr.
bool VarIsStr(const Variant& v);
bool VarIsArray(const Variant& v);

// The name of a type code as messages show it: "Integer", "String", "Array Variant".
std::string VarTypeAsText(TVarType type);
// v converted to the kind of type (varEmpty and varNull give those values from anything). Unknown
// kinds and array kinds other than v's own raise EVariantBadVarTypeError "Invalid variant type".
Variant VarAsType(const Variant& v, TVarType type);
// Text of v, "" for Null.
std::string VarToStr(const Variant& v);
// Text of v, def for Null.
std::string VarToStrDef(const Variant& v, std::string_view def);
Variant VarFromDateTime(TDateTime value);
TDateTime VarToDateTime(const Variant& v);
// A varError value holding code (DISP_E_PARAMNOTFOUND marks an omitted automation argument).
Variant VarAsError(HRESULT code);

// Compares by the class library's rules: numbers numerically across kinds (Boolean as -1/0, Date
// as its day number); two strings in locale order, case-sensitively; a number and a string by
// converting the string to a number (EVariantTypeCastError when it is not one); Empty against a
// number acts as 0, against a string as "". Empty and Null on either side: vrEqual when both sides
// are the same of the two, else vrNotEqual. Arrays raise EVariantInvalidOpError.
TVariantRelationship VarCompareValue(const Variant& a, const Variant& b);

// A kind of variant registered at run time. Constructing the type registers it and hands out its
// code (the first is 0x010F; EVariantError "Too many custom variant types have been registered"
// past the last free code); the type lives as long as the process. Its values hold data of the
// type's own, which it makes with MakeValue and reads with ValueData.
//
// Conversions of its values go through CastTo, of other values into it through CastFrom (which
// VarAsType(v, its code) calls); comparisons with its values on either side through Compare, the
// value of the type on the left (Null never reaches it: Null equals only Null and orders first).
class TCustomVariantType {
public:
  TCustomVariantType(const TCustomVariantType&) = delete;
  TCustomVariantType& operator=(const TCustomVariantType&) = delete;

  TVarType VarType() const { return FVarType; }
  // The kind's name, as VarTypeAsText answers it in messages.
  virtual std::string Name() const = 0;
  // source (of this type) as a value of a built-in kind that converts to type by the class
  // library's rules: the kind itself, or text, a number or a Boolean. Raises EVariantTypeCastError
  // when the value has no such form.
  virtual Variant CastTo(const Variant& source, TVarType type) const = 0;
  // source (of any kind but this one) as a value of this type; EVariantTypeCastError when it has none.
  virtual Variant CastFrom(const Variant& source) const = 0;
  // left (of this type) against right (not Null); vrNotEqual for values that are neither equal nor
  // ordered. Raises EVariantTypeCastError when right cannot be compared with it.
  virtual TVariantRelationship Compare(const Variant& left, const Variant& right) const = 0;

protected:
  TCustomVariantType();
  ~TCustomVariantType() = default;
  Variant MakeValue(std::shared_ptr<const void> data) const;
  // The data of a value of this type (raises EVariantTypeCastError into this type for others).
  const void* ValueData(const Variant& v) const;
  // The class library's conversion error from the kind of source into this type.
  [[noreturn]] void RaiseCastError(const Variant& source) const;

private:
  TVarType FVarType;
};

// The registered type of a code; nullptr for built-in kinds and unused codes.
const TCustomVariantType* FindCustomVariantType(TVarType type);

// Arrays. Elements are stored as their element type (values put in are converted to it); arrays of
// varVariant hold any values, arrays included. A bad element type or bounds raise
// EVariantArrayCreateError "Error creating variant or safe array". Dimensions count from 1;
// indices out of bounds raise EVariantBadIndexError "Variant or safe array index out of bounds";
// array functions on a value that is not an array raise EVariantNotAnArrayError.
Variant VarArrayCreate(std::span<const TVarArrayBound> bounds, TVarType elementType);
Variant VarArrayCreate(std::initializer_list<TVarArrayBound> bounds, TVarType elementType);
// Bounds as low, high pairs: VarArrayCreate({0, 9}, varInteger).
Variant VarArrayCreate(std::initializer_list<int> lowHighPairs, TVarType elementType);
// A one-dimensional array of variants, bounds 0 to count - 1.
Variant VarArrayOf(std::initializer_list<Variant> values);
Variant VarArrayOf(std::span<const Variant> values);
int VarArrayDimCount(const Variant& a);  // 0 for a value that is not an array
int VarArrayLowBound(const Variant& a, int dim);
int VarArrayHighBound(const Variant& a, int dim);
Variant VarArrayGet(const Variant& a, std::span<const int> indices);
Variant VarArrayGet(const Variant& a, std::initializer_list<int> indices);
void VarArrayPut(Variant& a, const Variant& value, std::span<const int> indices);
void VarArrayPut(Variant& a, const Variant& value, std::initializer_list<int> indices);
// The elements in memory, the leftmost index varying fastest: packed values of the element type
// for the fixed-size kinds (Boolean as a 16-bit VARIANT_BOOL), Variant objects for arrays of
// variants, strings and interfaces. Valid until the array changes or is freed.
void* VarArrayLock(Variant& a);
void VarArrayUnlock(Variant& a);

// OLE VARIANT conversion for automation calls. ToOleVariant clears dest (which must be initialised,
// VariantInit) and fills it with a copy of v that the caller frees with VariantClear: ANSI text
// becomes a BSTR (from the ANSI code page), arrays SAFEARRAYs of the same shape. On an exception dest is left
// empty and nothing is leaked; kinds registered at run time raise EVariantBadVarTypeError.
// FromOleVariant copies source (by-reference values are followed):
// BSTRs become varOleStr, SAFEARRAYs arrays; VT_DECIMAL becomes Double. Kinds with no variant
// counterpart raise EVariantBadVarTypeError.
void ToOleVariant(const Variant& v, VARIANT& dest);
Variant FromOleVariant(const VARIANT& source);
