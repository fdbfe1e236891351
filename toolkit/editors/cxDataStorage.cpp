#include "toolkit/editors/cxDataStorage.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <memory>
#include "classlib/Encoding.h"
#include "classlib/Exceptions.h"
#include "classlib/FMTBcd.h"
#include "classlib/SQLTimeStamp.h"
#include "classlib/Streams.h"
#include "toolkit/editors/cxVariants.h"

namespace {

// Slots may sit anywhere in a record buffer: every access copies bytes.
template <class T>
T Load(const void* slot)
{
  T value;
  std::memcpy(&value, slot, sizeof value);
  return value;
}

template <class T>
void Store(void* slot, T value)
{
  std::memcpy(slot, &value, sizeof value);
}

template <class T>
T* RefOf(const void* slot)
{
  return Load<T*>(slot);
}

int SignOf(int64_t difference) { return difference < 0 ? -1 : difference > 0 ? 1 : 0; }

template <class T>
int OrderOf(T a, T b)
{
  return a < b ? -1 : b < a ? 1 : 0;
}

bool WideTextStream(TStream& stream)
{
  auto* flagged = Supports<IcxWideTextStream>(&stream);
  return flagged && flagged->WideText();
}

std::string ReadStreamText(TStream& stream)
{
  return WideTextStream(stream) ? WideToAnsi(ReadWideText(stream)) : ReadAnsiText(stream);
}

void WriteStreamText(TStream& stream, const std::string& text)
{
  if (WideTextStream(stream))
    WriteWideText(stream, AnsiToWide(text));
  else
    WriteAnsiText(stream, text);
}

// --- The wide-text block: a 32-bit character count, then the UTF-16 characters ---

void* NewWideBlock(const std::wstring& text)
{
  auto count = static_cast<uint32_t>(text.size());
  auto* block = new uint8_t[sizeof count + 2 * text.size()];
  std::memcpy(block, &count, sizeof count);
  for (size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<uint16_t>(text[i]);
    std::memcpy(block + sizeof count + 2 * i, &c, 2);
  }
  return block;
}

std::wstring WideBlockText(const void* block)
{
  auto* bytes = static_cast<const uint8_t*>(block);
  auto count = Load<uint32_t>(bytes);
  std::wstring text(count, L'\0');
  for (uint32_t i = 0; i < count; ++i) text[i] = static_cast<wchar_t>(Load<uint16_t>(bytes + 4 + 2 * i));
  return text;
}

// --- Heap strings: the string kind's slot and the display-text slot ---

void StoreHeapString(void* slot, const std::string& text)
{
  if (std::string* held = RefOf<std::string>(slot))
    *held = text;
  else
    Store<void*>(slot, new std::string(text));
}

void FreeHeapString(void* slot)
{
  delete RefOf<std::string>(slot);
  Store<void*>(slot, nullptr);
}

void FreeWideBlock(void* slot)
{
  delete[] RefOf<uint8_t>(slot);
  Store<void*>(slot, nullptr);
}

}  // namespace

// Named, not anonymous: the kinds' metaclasses, declared in the header, derive from these.
namespace cxdatastorage_detail {

struct TSmallintTraits {
  using T = int16_t;
  static constexpr TVarType Code = varSmallint;
  static constexpr bool ByDifference = true;
  static Variant ToVariant(T v) { return Variant(static_cast<short>(v)); }
  static T FromVariant(const Variant& v) { return static_cast<T>(v.AsInteger()); }
  static T Read(TStream& s) { return ReadSmallIntValue(s); }
  static void Write(TStream& s, T v) { WriteSmallIntValue(s, v); }
};

struct TIntegerTraits {
  using T = int32_t;
  static constexpr TVarType Code = varInteger;
  static constexpr bool ByDifference = false;  // a difference of two 32-bit values overflows
  static Variant ToVariant(T v) { return Variant(static_cast<int>(v)); }
  static T FromVariant(const Variant& v) { return v.AsInteger(); }
  static T Read(TStream& s) { return ReadIntegerValue(s); }
  static void Write(TStream& s, T v) { WriteIntegerValue(s, v); }
};

struct TWordTraits {
  using T = uint16_t;
  static constexpr TVarType Code = varWord;
  static constexpr bool ByDifference = true;
  static Variant ToVariant(T v) { return Variant(static_cast<unsigned short>(v)); }
  static T FromVariant(const Variant& v) { return static_cast<T>(v.AsInteger()); }
  static T Read(TStream& s) { return ReadWordValue(s); }
  static void Write(TStream& s, T v) { WriteWordValue(s, v); }
};

struct TBooleanTraits {
  using T = uint8_t;
  static constexpr TVarType Code = varBoolean;
  static constexpr bool ByDifference = true;
  static Variant ToVariant(T v) { return Variant(v != 0); }
  static T FromVariant(const Variant& v) { return v.AsBoolean() ? 1 : 0; }
  static T Read(TStream& s) { return ReadByteValue(s); }
  static void Write(TStream& s, T v) { WriteByteValue(s, v); }
};

struct TFloatTraits {
  using T = double;
  static constexpr TVarType Code = varDouble;
  static constexpr bool ByDifference = false;
  static Variant ToVariant(T v) { return Variant(v); }
  static T FromVariant(const Variant& v) { return v.AsDouble(); }
  static T Read(TStream& s) { return ReadExtendedValue(s); }
  static void Write(TStream& s, T v) { WriteExtendedValue(s, v); }
};

struct TCurrencyTraits {
  using T = int64_t;  // ten-thousandths
  static constexpr TVarType Code = varCurrency;
  static constexpr bool ByDifference = false;
  static Variant ToVariant(T v) { return Variant(Currency::FromRaw(v)); }
  static T FromVariant(const Variant& v) { return v.AsCurrency().Raw(); }
  static T Read(TStream& s) { return ReadLargeIntValue(s); }
  static void Write(TStream& s, T v) { WriteLargeIntValue(s, v); }
};

struct TDateTimeTraits {
  using T = double;
  static constexpr TVarType Code = varDate;
  static constexpr bool ByDifference = false;
  static Variant ToVariant(T v) { return VarFromDateTime(v); }
  static T FromVariant(const Variant& v) { return v.AsDateTime(); }
  static T Read(TStream& s) { return ReadDateTimeValue(s); }
  static void Write(TStream& s, T v) { WriteDateTimeValue(s, v); }
};

struct TLargeIntTraits {
  using T = int64_t;
  static constexpr TVarType Code = varInt64;
  static constexpr bool ByDifference = false;
  static Variant ToVariant(T v) { return Variant(static_cast<long long>(v)); }
  static T FromVariant(const Variant& v) { return v.AsInt64(); }
  static T Read(TStream& s) { return ReadLargeIntValue(s); }
  static void Write(TStream& s, T v) { WriteLargeIntValue(s, v); }
};

}  // namespace cxdatastorage_detail

using namespace cxdatastorage_detail;

// --- The kinds held in place ---

template <class Traits>
int TInPlaceMeta<Traits>::BufferSize() const
{
  return sizeof(typename Traits::T);
}

template <class Traits>
TVarType TInPlaceMeta<Traits>::VariantTypeCode() const
{
  return Traits::Code;
}

template <class Traits>
void TInPlaceMeta<Traits>::ReadBufferAsVariant(const void* buffer, Variant& value) const
{
  value = Traits::ToVariant(Load<typename Traits::T>(buffer));
}

template <class Traits>
void TInPlaceMeta<Traits>::StoreVariantInBuffer(void* buffer, const Variant& value) const
{
  Store(buffer, Traits::FromVariant(VarAsType(value, Traits::Code)));
}

template <class Traits>
void TInPlaceMeta<Traits>::LoadBufferFromStream(void* buffer, TStream& stream) const
{
  Store(buffer, Traits::Read(stream));
}

template <class Traits>
void TInPlaceMeta<Traits>::SaveBufferToStream(const void* buffer, TStream& stream) const
{
  Traits::Write(stream, Load<typename Traits::T>(buffer));
}

template <class Traits>
int TInPlaceMeta<Traits>::CompareStoredValues(const void* value1, const void* value2) const
{
  auto a = Load<typename Traits::T>(value1), b = Load<typename Traits::T>(value2);
  if constexpr (Traits::ByDifference)
    return static_cast<int>(a) - static_cast<int>(b);
  else
    return OrderOf(a, b);
}

template struct cxdatastorage_detail::TInPlaceMeta<TSmallintTraits>;
template struct cxdatastorage_detail::TInPlaceMeta<TIntegerTraits>;
template struct cxdatastorage_detail::TInPlaceMeta<TWordTraits>;
template struct cxdatastorage_detail::TInPlaceMeta<TBooleanTraits>;
template struct cxdatastorage_detail::TInPlaceMeta<TFloatTraits>;
template struct cxdatastorage_detail::TInPlaceMeta<TCurrencyTraits>;
template struct cxdatastorage_detail::TInPlaceMeta<TDateTimeTraits>;
template struct cxdatastorage_detail::TInPlaceMeta<TLargeIntTraits>;

// --- TcxValueType ---

int TcxValueType::TMeta::CompareBuffers(const void* buffer1, const void* buffer2) const
{
  return CompareStoredValues(buffer1, buffer2);
}

void TcxValueType::TMeta::ReleaseBuffer(void* buffer) const { (void)buffer; }

void TcxValueType::TMeta::ReleaseDisplayTextBuffer(void* buffer) const { FreeHeapString(buffer); }

int TcxValueType::TMeta::BufferSize() const { return 0; }

void TcxValueType::TMeta::ReadBufferAsVariant(const void* buffer, Variant& value) const
{
  (void)buffer;
  value = Null();
}

std::string TcxValueType::TMeta::FormatDisplayText(const void* buffer) const
{
  try {
    Variant value;
    ReadBufferAsVariant(buffer, value);
    return VarToStr(value);
  } catch (const EVariantError&) {
    return {};
  }
}

std::string TcxValueType::TMeta::ReadDisplayTextBuffer(const void* buffer) const
{
  const std::string* text = RefOf<std::string>(buffer);
  return text ? *text : std::string();
}

void TcxValueType::TMeta::LoadBufferFromStream(void* buffer, TStream& stream) const
{
  Variant value = ReadTaggedVariant(stream);
  try {
    StoreVariantInBuffer(buffer, value);
  } catch (const EVariantError&) {
    throw EReadError("Stream read error");
  } catch (const EConvertError&) {
    throw EReadError("Stream read error");
  }
}

void TcxValueType::TMeta::LoadDisplayTextFromStream(void* buffer, TStream& stream) const
{
  StoreDisplayTextBuffer(buffer, ReadStreamText(stream));
}

void TcxValueType::TMeta::StoreVariantInBuffer(void* buffer, const Variant& value) const
{
  (void)buffer;
  (void)value;
}

void TcxValueType::TMeta::StoreDisplayTextBuffer(void* buffer, const std::string& text) const
{
  StoreHeapString(buffer, text);
}

void TcxValueType::TMeta::SaveBufferToStream(const void* buffer, TStream& stream) const
{
  Variant value;
  ReadBufferAsVariant(buffer, value);
  WriteTaggedVariant(stream, value);
}

void TcxValueType::TMeta::SaveDisplayTextToStream(const void* buffer, TStream& stream) const
{
  WriteStreamText(stream, ReadDisplayTextBuffer(buffer));
}

std::string TcxValueType::TMeta::GetTypeCaption() const
{
  std::string caption = Class()->Name;
  if (caption.starts_with("Tcx")) caption.erase(0, 3);
  if (caption.ends_with("ValueType")) caption.resize(caption.size() - 9);
  return caption;
}

int TcxValueType::TMeta::CompareStoredValues(const void* value1, const void* value2) const
{
  Variant a, b;
  ReadBufferAsVariant(value1, a);
  ReadBufferAsVariant(value2, b);
  return CompareVariants(a, b);
}

void TcxValueType::TMeta::CopyValueToVariant(const void* value, Variant& result) const
{
  ReadBufferAsVariant(value, result);
}

TVarType TcxValueType::TMeta::VariantTypeCode() const { return varVariant; }

bool TcxValueType::TMeta::AcceptsVariant(Variant& value) const
{
  TVarType code = VariantTypeCode();
  if (VarIsNull(value) || code == varVariant) return true;
  try {
    value = VarAsType(value, code);
    return true;
  } catch (const EVariantError&) {
    return false;
  } catch (const EConvertError&) {
    return false;
  }
}

bool TcxValueType::TMeta::HoldsText() const { return false; }

void TcxValueType::TMeta::ResolveValueBuffer(const void*& value) const { (void)value; }

CL_DEFINE_CLASS(TcxValueType);

// --- Kinds whose slot refers to storage ---

int TReferringMeta::BufferSize() const { return sizeof(void*); }

int TReferringMeta::CompareBuffers(const void* buffer1, const void* buffer2) const
{
  return CompareStoredValues(Load<const void*>(buffer1), Load<const void*>(buffer2));
}

// The reference read as if from a slot holding it.
void TReferringMeta::CopyValueToVariant(const void* value, Variant& result) const
{
  ReadBufferAsVariant(&value, result);
}

void TReferringMeta::ResolveValueBuffer(const void*& value) const { value = Load<const void*>(value); }

// --- TcxStringValueType: the slot refers to a heap string; the empty text is kept as none ---

void TcxStringValueType::TMeta::ReleaseBuffer(void* buffer) const { FreeHeapString(buffer); }

void TcxStringValueType::TMeta::ReadBufferAsVariant(const void* buffer, Variant& value) const
{
  const std::string* text = RefOf<std::string>(buffer);
  value = text ? Variant(*text) : Null();
}

void TcxStringValueType::TMeta::LoadBufferFromStream(void* buffer, TStream& stream) const
{
  StoreVariantInBuffer(buffer, ReadStreamText(stream));
}

void TcxStringValueType::TMeta::StoreVariantInBuffer(void* buffer, const Variant& value) const
{
  std::string text = VarToStr(value);
  if (text.empty())
    FreeHeapString(buffer);
  else
    StoreHeapString(buffer, text);
}

void TcxStringValueType::TMeta::SaveBufferToStream(const void* buffer, TStream& stream) const
{
  const std::string* text = RefOf<std::string>(buffer);
  WriteStreamText(stream, text ? *text : std::string());
}

int TcxStringValueType::TMeta::CompareStoredValues(const void* value1, const void* value2) const
{
  auto* a = static_cast<const std::string*>(value1);
  auto* b = static_cast<const std::string*>(value2);
  if (!a || !b) return (a != nullptr) - (b != nullptr);
  return SignOf(a->compare(*b));
}

TVarType TcxStringValueType::TMeta::VariantTypeCode() const { return varString; }
bool TcxStringValueType::TMeta::HoldsText() const { return true; }

CL_DEFINE_CLASS(TcxStringValueType);

// --- TcxWideStringValueType: the slot refers to a wide-text block ---

void TcxWideStringValueType::TMeta::ReleaseBuffer(void* buffer) const { FreeWideBlock(buffer); }

void TcxWideStringValueType::TMeta::ReadBufferAsVariant(const void* buffer, Variant& value) const
{
  const void* block = Load<const void*>(buffer);
  value = block ? Variant(WideBlockText(block)) : Null();
}

void TcxWideStringValueType::TMeta::LoadBufferFromStream(void* buffer, TStream& stream) const
{
  StoreVariantInBuffer(buffer, ReadWideText(stream));
}

void TcxWideStringValueType::TMeta::StoreVariantInBuffer(void* buffer, const Variant& value) const
{
  void* block = VarIsNull(value) ? nullptr : NewWideBlock(value.AsWideString());
  FreeWideBlock(buffer);
  Store(buffer, block);
}

void TcxWideStringValueType::TMeta::SaveBufferToStream(const void* buffer, TStream& stream) const
{
  Variant value;
  ReadBufferAsVariant(buffer, value);
  WriteWideText(stream, VarIsNull(value) ? std::wstring() : value.AsWideString());
}

int TcxWideStringValueType::TMeta::CompareStoredValues(const void* value1, const void* value2) const
{
  if (!value1 || !value2) return (value1 != nullptr) - (value2 != nullptr);
  return SignOf(WideBlockText(value1).compare(WideBlockText(value2)));
}

TVarType TcxWideStringValueType::TMeta::VariantTypeCode() const { return varOleStr; }

CL_DEFINE_CLASS(TcxWideStringValueType);

CL_DEFINE_CLASS(TcxSmallintValueType);
CL_DEFINE_CLASS(TcxIntegerValueType);
CL_DEFINE_CLASS(TcxWordValueType);
CL_DEFINE_CLASS(TcxBooleanValueType);
CL_DEFINE_CLASS(TcxFloatValueType);
CL_DEFINE_CLASS(TcxCurrencyValueType);
CL_DEFINE_CLASS(TcxLargeIntValueType);

std::string TcxDateTimeValueType::TMeta::FormatDisplayText(const void* buffer) const
{
  try {
    return VarToStr(VarFromDateTime(Load<double>(buffer)));
  } catch (const EVariantError&) {
    return DateTimeToStr(Load<double>(buffer));
  }
}

CL_DEFINE_CLASS(TcxDateTimeValueType);

// --- TcxFMTBcdValueType ---

int TcxFMTBcdValueType::TMeta::BufferSize() const { return sizeof(TBcd); }
TVarType TcxFMTBcdValueType::TMeta::VariantTypeCode() const { return VarFMTBcd(); }

void TcxFMTBcdValueType::TMeta::ReadBufferAsVariant(const void* buffer, Variant& value) const
{
  value = VarFMTBcdCreate(Load<TBcd>(buffer));
}

void TcxFMTBcdValueType::TMeta::StoreVariantInBuffer(void* buffer, const Variant& value) const
{
  Store(buffer, VarToBcd(value));
}

int TcxFMTBcdValueType::TMeta::CompareStoredValues(const void* value1, const void* value2) const
{
  return BcdCompare(Load<TBcd>(value1), Load<TBcd>(value2));
}

std::string TcxFMTBcdValueType::TMeta::FormatDisplayText(const void* buffer) const
{
  return BcdToStrF(Load<TBcd>(buffer), TBcdFormat::General, MaxFMTBcdFractionSize, 0);
}

CL_DEFINE_CLASS(TcxFMTBcdValueType);

// --- TcxSQLTimeStampValueType ---

int TcxSQLTimeStampValueType::TMeta::BufferSize() const { return sizeof(TSQLTimeStamp); }
TVarType TcxSQLTimeStampValueType::TMeta::VariantTypeCode() const { return VarSQLTimeStamp(); }

void TcxSQLTimeStampValueType::TMeta::ReadBufferAsVariant(const void* buffer, Variant& value) const
{
  value = VarFromDateTime(SQLTimeStampToDateTime(Load<TSQLTimeStamp>(buffer)));
}

void TcxSQLTimeStampValueType::TMeta::StoreVariantInBuffer(void* buffer, const Variant& value) const
{
  Store(buffer, VarToSQLTimeStamp(value));
}

int TcxSQLTimeStampValueType::TMeta::CompareStoredValues(const void* value1, const void* value2) const
{
  auto a = Load<TSQLTimeStamp>(value1), b = Load<TSQLTimeStamp>(value2);
  const int fields[][2] = {{a.Year, b.Year}, {a.Month, b.Month},   {a.Day, b.Day},
                           {a.Hour, b.Hour}, {a.Minute, b.Minute}, {a.Second, b.Second}};
  for (const auto& field : fields)
    if (field[0] != field[1]) return field[0] - field[1];
  return OrderOf(a.Fractions, b.Fractions);
}

CL_DEFINE_CLASS(TcxSQLTimeStampValueType);

// --- TcxVariantValueType: the slot refers to a heap variant ---

void TcxVariantValueType::TMeta::ReleaseBuffer(void* buffer) const
{
  delete RefOf<Variant>(buffer);
  Store<void*>(buffer, nullptr);
}

void TcxVariantValueType::TMeta::ReadBufferAsVariant(const void* buffer, Variant& value) const
{
  const Variant* held = RefOf<Variant>(buffer);
  value = held ? *held : Null();
}

void TcxVariantValueType::TMeta::StoreVariantInBuffer(void* buffer, const Variant& value) const
{
  if (Variant* held = RefOf<Variant>(buffer))
    *held = value;
  else
    Store<void*>(buffer, new Variant(value));
}

int TcxVariantValueType::TMeta::CompareStoredValues(const void* value1, const void* value2) const
{
  auto* a = static_cast<const Variant*>(value1);
  auto* b = static_cast<const Variant*>(value2);
  if (!a || !b) return (a != nullptr) - (b != nullptr);
  return CompareVariants(*a, *b);
}

CL_DEFINE_CLASS(TcxVariantValueType);

// --- TcxObjectValueType: the slot owns an object, taken as a pointer-sized integer ---

namespace {
constexpr TVarType PointerCode = sizeof(void*) == 4 ? varInteger : varInt64;
}

int TcxObjectValueType::TMeta::BufferSize() const { return sizeof(void*); }
TVarType TcxObjectValueType::TMeta::VariantTypeCode() const { return PointerCode; }

void TcxObjectValueType::TMeta::ReleaseBuffer(void* buffer) const
{
  TObject* object = RefOf<TObject>(buffer);
  Store<void*>(buffer, nullptr);
  Free(object);
}

void TcxObjectValueType::TMeta::ReadBufferAsVariant(const void* buffer, Variant& value) const
{
  value = Variant(reinterpret_cast<intptr_t>(Load<void*>(buffer)));
}

void TcxObjectValueType::TMeta::StoreVariantInBuffer(void* buffer, const Variant& value) const
{
  Store(buffer, reinterpret_cast<void*>(static_cast<intptr_t>(VarAsType(value, PointerCode).AsInt64())));
}

void TcxObjectValueType::TMeta::LoadBufferFromStream(void* buffer, TStream& stream) const
{
  (void)buffer;
  (void)stream;
}

void TcxObjectValueType::TMeta::SaveBufferToStream(const void* buffer, TStream& stream) const
{
  (void)buffer;
  (void)stream;
}

int TcxObjectValueType::TMeta::CompareStoredValues(const void* value1, const void* value2) const
{
  return OrderOf(reinterpret_cast<intptr_t>(Load<void*>(value1)), reinterpret_cast<intptr_t>(Load<void*>(value2)));
}

CL_DEFINE_CLASS(TcxObjectValueType);

// --- The list of value-type classes ---

void TcxValueTypeClassList::RegisterValueType(TcxValueTypeClass valueTypeClass)
{
  if (std::find(FItems.begin(), FItems.end(), valueTypeClass) == FItems.end()) FItems.push_back(valueTypeClass);
}

void TcxValueTypeClassList::UnregisterValueType(TcxValueTypeClass valueTypeClass)
{
  std::erase(FItems, valueTypeClass);
}

TcxValueTypeClass TcxValueTypeClassList::Items(int index) const
{
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FItems[index];
}

CL_DEFINE_CLASS(TcxValueTypeClassList);

namespace {

TUnitObject<TcxValueTypeClassList> GValueTypeClassList{UnitcxDataStorage};

// The kinds in the order they are registered.
const TcxValueTypeClass& KindAt(int index)
{
  static const TcxValueTypeClass kinds[] = {
      ClassRef<TcxStringValueType>(),   ClassRef<TcxWideStringValueType>(),   ClassRef<TcxSmallintValueType>(),
      ClassRef<TcxIntegerValueType>(),  ClassRef<TcxWordValueType>(),         ClassRef<TcxBooleanValueType>(),
      ClassRef<TcxFloatValueType>(),    ClassRef<TcxCurrencyValueType>(),     ClassRef<TcxDateTimeValueType>(),
      ClassRef<TcxLargeIntValueType>(), ClassRef<TcxFMTBcdValueType>(),       ClassRef<TcxSQLTimeStampValueType>(),
      ClassRef<TcxVariantValueType>(),  ClassRef<TcxObjectValueType>()};
  return kinds[index];
}
constexpr int KindCount = 14;

void InitializeDataStorage()
{
  for (int i = 0; i < KindCount; ++i) GetValueTypeClassList()->RegisterValueType(KindAt(i));
}

void FinalizeDataStorage()
{
  if (TcxValueTypeClassList* list = GValueTypeClassList.Peek())
    for (int i = KindCount - 1; i >= 0; --i) list->UnregisterValueType(KindAt(i));
}

}  // namespace

TUnit UnitcxDataStorage{"cxDataStorage", {}, InitializeDataStorage, FinalizeDataStorage};

TcxValueTypeClassList* GetValueTypeClassList() { return GValueTypeClassList.Get(); }
