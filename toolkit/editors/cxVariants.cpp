#include "toolkit/editors/cxVariants.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <vector>
#include "classlib/Exceptions.h"
#include "classlib/FMTBcd.h"
#include "classlib/Filer.h"
#include "classlib/SQLTimeStamp.h"
#include "classlib/Streams.h"

namespace {

int Sign(bool greaterOrEqual) { return greaterOrEqual ? 1 : -1; }

[[noreturn]] void RaiseReadError() { throw EReadError("Stream read error"); }
[[noreturn]] void RaiseWriteError() { throw EWriteError("Stream write error"); }

template <class T>
T LoadLE(const uint8_t* p)
{
  std::make_unsigned_t<T> u = 0;
  for (size_t i = 0; i < sizeof(T); ++i) u |= static_cast<std::make_unsigned_t<T>>(p[i]) << (8 * i);
  return static_cast<T>(u);
}

template <class T>
void StoreLE(std::vector<uint8_t>& out, T value)
{
  auto u = static_cast<std::make_unsigned_t<T>>(value);
  for (size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<uint8_t>(u >> (8 * i)));
}

template <class T>
T ReadLE(TStream& stream)
{
  uint8_t bytes[sizeof(T)];
  stream.ReadBuffer(bytes, sizeof(T));
  return LoadLE<T>(bytes);
}

template <class T>
void WriteLE(TStream& stream, T value)
{
  uint8_t bytes[sizeof(T)];
  auto u = static_cast<std::make_unsigned_t<T>>(value);
  for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<uint8_t>(u >> (8 * i));
  stream.WriteBuffer(bytes, sizeof(T));
}

void AppendExtended(std::vector<uint8_t>& out, double value)
{
  uint8_t bytes[10];
  DoubleToExtended(value, bytes);
  out.insert(out.end(), bytes, bytes + 10);
}

void AppendDate(std::vector<uint8_t>& out, TDateTime value) { StoreLE(out, std::bit_cast<uint64_t>(value)); }

void AppendAnsiText(std::vector<uint8_t>& out, const std::string& text)
{
  if (text.size() > INT32_MAX) RaiseWriteError();
  StoreLE(out, static_cast<int32_t>(text.size()));
  out.insert(out.end(), text.begin(), text.end());
}

void AppendWideText(std::vector<uint8_t>& out, const std::wstring& text)
{
  if (text.size() > INT32_MAX / 2) RaiseWriteError();
  StoreLE(out, static_cast<int32_t>(text.size()));
  for (wchar_t c : text) StoreLE(out, static_cast<uint16_t>(c));
}

void WriteBytes(TStream& stream, const std::vector<uint8_t>& bytes)
{
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

int64_t BytesLeft(TStream& stream) { return stream.Size() - stream.Position(); }

// A count or length read from the stream, refused unless that many items of itemSize bytes are
// still there.
int64_t CheckedCount(TStream& stream, int64_t count, int64_t itemSize)
{
  if (count < 0 || count > BytesLeft(stream) / itemSize) RaiseReadError();
  return count;
}

// --- Writing: the whole value is put together first, so a value that cannot be written leaves the
// stream as it was.

class TTaggedWriter {
public:
  void Value(const Variant& v)
  {
    if (VarIsArray(v)) return Array(v);
    TVarType type = v.VType() & varTypeMask;
    switch (type) {
    case varEmpty: return Tag(TValueType::vaNil);
    case varNull: return Tag(TValueType::vaNull);
    case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
    case varInt64:
      return Integer(v.AsInt64());
    case varSingle:
      Tag(TValueType::vaSingle);
      return StoreLE(FBytes, std::bit_cast<uint32_t>(static_cast<float>(v.AsDouble())));
    case varDouble: return Extended(v.AsDouble());
    case varCurrency:
      Tag(TValueType::vaCurrency);
      return StoreLE(FBytes, v.AsCurrency().Raw());
    case varDate: return Date(v.AsDateTime());
    case varOleStr: return WideText(v.AsWideString());
    case varBoolean: return Tag(v.AsBoolean() ? TValueType::vaTrue : TValueType::vaFalse);
    case varString: return Text(v.AsString());
    default:
      if (type == VarSQLTimeStamp()) return Date(VarToDateTime(v));
      std::string text;
      try {
        text = v.AsString();
      } catch (const EVariantError&) {
        RaiseWriteError();
      }
      return Text(text);
    }
  }

  const std::vector<uint8_t>& Bytes() const { return FBytes; }

private:
  void Tag(TValueType tag) { FBytes.push_back(static_cast<uint8_t>(tag)); }

  void Integer(int64_t value)
  {
    if (value >= INT8_MIN && value <= INT8_MAX) {
      Tag(TValueType::vaInt8);
      StoreLE(FBytes, static_cast<int8_t>(value));
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
      Tag(TValueType::vaInt16);
      StoreLE(FBytes, static_cast<int16_t>(value));
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
      Tag(TValueType::vaInt32);
      StoreLE(FBytes, static_cast<int32_t>(value));
    } else {
      Tag(TValueType::vaInt64);
      StoreLE(FBytes, value);
    }
  }

  void Extended(double value)
  {
    Tag(TValueType::vaExtended);
    AppendExtended(FBytes, value);
  }

  void Date(TDateTime value)
  {
    Tag(TValueType::vaDate);
    AppendDate(FBytes, value);
  }

  void Text(const std::string& text)
  {
    if (text.size() > 255) {
      Tag(TValueType::vaLString);
      return AppendAnsiText(FBytes, text);
    }
    Tag(TValueType::vaString);
    FBytes.push_back(static_cast<uint8_t>(text.size()));
    FBytes.insert(FBytes.end(), text.begin(), text.end());
  }

  void WideText(const std::wstring& text)
  {
    Tag(TValueType::vaWString);
    AppendWideText(FBytes, text);
  }

  void Array(const Variant& v)
  {
    if (VarArrayDimCount(v) != 1) RaiseWriteError();
    int low = VarArrayLowBound(v, 1), high = VarArrayHighBound(v, 1);
    Tag(TValueType::vaList);
    Integer(int64_t(high) - low + 1);
    for (int i = low; i <= high; ++i) Value(VarArrayGet(v, {i}));
  }

  std::vector<uint8_t> FBytes;
};

// --- Reading ---

int64_t ReadTaggedInteger(TStream& stream, TValueType tag)
{
  switch (tag) {
  case TValueType::vaInt8: return ReadLE<int8_t>(stream);
  case TValueType::vaInt16: return ReadLE<int16_t>(stream);
  case TValueType::vaInt32: return ReadLE<int32_t>(stream);
  case TValueType::vaInt64: return ReadLE<int64_t>(stream);
  default: RaiseReadError();
  }
}

TValueType ReadTag(TStream& stream) { return static_cast<TValueType>(ReadLE<uint8_t>(stream)); }

Variant ReadValue(TStream& stream, int depth)
{
  TValueType tag = ReadTag(stream);
  switch (tag) {
  case TValueType::vaNull: return Null();
  case TValueType::vaNil: return Variant();
  case TValueType::vaList: {
    if (depth >= MaxTaggedVariantNesting) RaiseReadError();
    // Every element takes at least its tag, so a count past the bytes left is refused at once; the
    // elements are gathered as they are read, never allocated ahead of the bytes that hold them.
    int64_t count = CheckedCount(stream, ReadTaggedInteger(stream, ReadTag(stream)), 1);
    if (count > INT32_MAX) RaiseReadError();
    std::vector<Variant> elements;
    for (int64_t i = 0; i < count; ++i) elements.push_back(ReadValue(stream, depth + 1));
    Variant result = VarArrayCreate({0, static_cast<int>(count) - 1}, varVariant);
    std::move(elements.begin(), elements.end(), static_cast<Variant*>(VarArrayLock(result)));
    VarArrayUnlock(result);
    return result;
  }
  case TValueType::vaInt8: return Variant(static_cast<signed char>(ReadLE<int8_t>(stream)));
  case TValueType::vaInt16: return Variant(static_cast<short>(ReadLE<int16_t>(stream)));
  case TValueType::vaInt32: return Variant(static_cast<int>(ReadLE<int32_t>(stream)));
  case TValueType::vaInt64: return Variant(static_cast<long long>(ReadLE<int64_t>(stream)));
  case TValueType::vaExtended: return Variant(ReadExtendedValue(stream));
  case TValueType::vaString: {
    std::string text(CheckedCount(stream, ReadLE<uint8_t>(stream), 1), '\0');
    stream.ReadBuffer(text.data(), static_cast<int64_t>(text.size()));
    return Variant(std::move(text));
  }
  case TValueType::vaLString: return Variant(ReadAnsiText(stream));
  case TValueType::vaFalse: return Variant(false);
  case TValueType::vaTrue: return Variant(true);
  case TValueType::vaSingle: return Variant(std::bit_cast<float>(ReadLE<uint32_t>(stream)));
  case TValueType::vaCurrency: return Variant(ReadCurrencyValue(stream));
  case TValueType::vaDate: return VarFromDateTime(ReadDateTimeValue(stream));
  case TValueType::vaWString: return Variant(ReadWideText(stream));
  default: RaiseReadError();
  }
}

}  // namespace

// --- Comparison ---

int CompareVariants(const Variant& a, const Variant& b)
{
  if (VarIsArray(a) || VarIsArray(b)) return CompareVariantArrays(a, b);
  if (VarIsEmpty(a)) return VarIsEmpty(b) ? 0 : -1;
  if (VarIsEmpty(b)) return 1;
  try {
    if (a == b) return 0;
    if (VarIsNull(a)) return -1;
    if (VarIsNull(b)) return 1;
    return Sign(a >= b);
  } catch (const EVariantError&) {
    return -1;
  }
}

int CompareVariantArrays(const Variant& a, const Variant& b)
{
  bool aIsArray = VarIsArray(a), bIsArray = VarIsArray(b);
  if (!aIsArray || !bIsArray) {
    if (aIsArray != bIsArray) return aIsArray ? 1 : -1;
    return CompareVariants(a, b);
  }
  int highA = VarArrayHighBound(a, 1), highB = VarArrayHighBound(b, 1);
  if (highA != highB) return highA - highB;
  // Elements present in both, from index 0 up (arrays that start above 0 from their start).
  int low = std::max({0, VarArrayLowBound(a, 1), VarArrayLowBound(b, 1)});
  for (int i = low; i <= highA; ++i)
    if (int result = CompareVariants(VarArrayGet(a, {i}), VarArrayGet(b, {i}))) return result;
  return 0;
}

bool VariantsEqual(const Variant& a, const Variant& b) { return CompareVariants(a, b) == 0; }

bool VariantsEqualStrict(const Variant& a, const Variant& b)
{
  bool eitherNull = VarIsNull(a) || VarIsNull(b);
  bool eitherBoolean = VarType(a) == varBoolean || VarType(b) == varBoolean;
  if (eitherNull || !eitherBoolean) return VariantsEqual(a, b);
  try {
    return a.AsString() == b.AsString();
  } catch (const EVariantError&) {
    return false;
  }
}

// --- Type tests ---

bool IsDateVariantType(TVarType type) { return type == varDate || type == VarSQLTimeStamp(); }
bool IsDateVariant(const Variant& v) { return IsDateVariantType(VarType(v)); }
bool IsNumericVariant(const Variant& v) { return VarIsNumeric(v) || VarIsFMTBcd(v); }
bool IsNullOrEmptyText(const Variant& v) { return VarIsNull(v) || (VarIsStr(v) && v.AsWideString().empty()); }

// --- Tagged values ---

void WriteTaggedVariant(TStream& stream, const Variant& v)
{
  TTaggedWriter writer;
  writer.Value(v);
  WriteBytes(stream, writer.Bytes());
}

Variant ReadTaggedVariant(TStream& stream) { return ReadValue(stream, 0); }

// --- Raw scalars and counted texts ---

uint8_t ReadByteValue(TStream& stream) { return ReadLE<uint8_t>(stream); }
void WriteByteValue(TStream& stream, uint8_t value) { WriteLE(stream, value); }
int16_t ReadSmallIntValue(TStream& stream) { return ReadLE<int16_t>(stream); }
void WriteSmallIntValue(TStream& stream, int16_t value) { WriteLE(stream, value); }
uint16_t ReadWordValue(TStream& stream) { return ReadLE<uint16_t>(stream); }
void WriteWordValue(TStream& stream, uint16_t value) { WriteLE(stream, value); }
int32_t ReadIntegerValue(TStream& stream) { return ReadLE<int32_t>(stream); }
void WriteIntegerValue(TStream& stream, int32_t value) { WriteLE(stream, value); }
int64_t ReadLargeIntValue(TStream& stream) { return ReadLE<int64_t>(stream); }
void WriteLargeIntValue(TStream& stream, int64_t value) { WriteLE(stream, value); }
Currency ReadCurrencyValue(TStream& stream) { return Currency::FromRaw(ReadLE<int64_t>(stream)); }
void WriteCurrencyValue(TStream& stream, Currency value) { WriteLE(stream, value.Raw()); }

TDateTime ReadDateTimeValue(TStream& stream) { return std::bit_cast<double>(ReadLE<uint64_t>(stream)); }
void WriteDateTimeValue(TStream& stream, TDateTime value) { WriteLE(stream, std::bit_cast<uint64_t>(value)); }

double ReadExtendedValue(TStream& stream)
{
  uint8_t bytes[10];
  stream.ReadBuffer(bytes, 10);
  return ExtendedToDouble(bytes);
}

void WriteExtendedValue(TStream& stream, double value)
{
  std::vector<uint8_t> bytes;
  AppendExtended(bytes, value);
  WriteBytes(stream, bytes);
}

std::string ReadAnsiText(TStream& stream)
{
  std::string text(CheckedCount(stream, ReadLE<int32_t>(stream), 1), '\0');
  stream.ReadBuffer(text.data(), static_cast<int64_t>(text.size()));
  return text;
}

void WriteAnsiText(TStream& stream, const std::string& text)
{
  std::vector<uint8_t> bytes;
  AppendAnsiText(bytes, text);
  WriteBytes(stream, bytes);
}

std::wstring ReadWideText(TStream& stream)
{
  int64_t count = CheckedCount(stream, ReadLE<int32_t>(stream), 2);
  std::vector<uint8_t> bytes(static_cast<size_t>(count) * 2);
  stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  std::wstring text(static_cast<size_t>(count), L'\0');
  for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<wchar_t>(LoadLE<uint16_t>(&bytes[2 * i]));
  return text;
}

void WriteWideText(TStream& stream, const std::wstring& text)
{
  std::vector<uint8_t> bytes;
  AppendWideText(bytes, text);
  WriteBytes(stream, bytes);
}
