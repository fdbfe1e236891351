// Value types: each kind's slot, variant, comparison, text and stream forms, what AcceptsVariant
// takes, what released slots free, and the list of value-type classes.
#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>
#include "classlib/FMTBcd.h"
#include "classlib/SQLTimeStamp.h"
#include "classlib/Streams.h"
#include "tests/support/TestHelpers.h"
#include "tests/toolkit/editors/EditTestSupport.h"
#include "toolkit/editors/cxDataStorage.h"
#include "toolkit/editors/cxVariants.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A memory stream whose texts are wide or narrow as the test says.
class TTextFlagStream : public TMemoryStream, public IcxWideTextStream {
  CL_CLASS(TTextFlagStream, TMemoryStream)
public:
  explicit TTextFlagStream(bool wide = false) : FWide(wide) {}
  bool WideText() const override { return FWide; }

  Bytes Contents() const
  {
    auto* p = static_cast<const uint8_t*>(Memory());
    return Bytes(p, p + Size());
  }

private:
  bool FWide;
};
CL_DEFINE_CLASS(TTextFlagStream);

// A zeroed slot of one kind, released when the test is done with it. The slot starts one byte into
// its storage, as slots of a packed record do.
class TSlot {
public:
  explicit TSlot(TcxValueTypeClass kind) : FKind(kind), FStorage(1 + kind->BufferSize() + sizeof(void*), 0) {}
  ~TSlot()
  {
    FKind->ReleaseBuffer(Get());
    FKind->ReleaseDisplayTextBuffer(DisplayText());
  }
  TSlot(const TSlot&) = delete;
  TSlot& operator=(const TSlot&) = delete;

  void* Get() { return FStorage.data() + 1; }
  void* DisplayText() { return FStorage.data() + 1 + FKind->BufferSize(); }
  const void* Reference() const
  {
    const void* p;
    std::memcpy(&p, FStorage.data() + 1, sizeof p);
    return p;
  }
  Variant Value()
  {
    Variant v;
    FKind->ReadBufferAsVariant(Get(), v);
    return v;
  }
  void Put(const Variant& v) { FKind->StoreVariantInBuffer(Get(), v); }

private:
  TcxValueTypeClass FKind;
  std::vector<uint8_t> FStorage;
};

// Counts the references held to it.
class TCountedUnknown : public IUnknown {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
  {
    *out = iid == IID_IUnknown ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++Count; }
  ULONG STDMETHODCALLTYPE Release() override { return --Count; }
  ULONG Count = 0;
};

Variant Bcd(const char* text) { return VarFMTBcdCreate(StrToBcd(text)); }
Variant Stamp(int y, int m, int d) { return VarSQLTimeStampCreate({int16_t(y), uint16_t(m), uint16_t(d)}); }

std::string Describe(const Variant& v)
{
  return VarTypeAsText(VarType(v)) + (VarIsEmpty(v) || VarIsNull(v) ? std::string() : " " + VarToStr(v));
}

using cxDataStorageTest = FixedNumberFormatTest;

TEST_F(cxDataStorageTest, EveryKindHoldsComparesAndStreamsItsValues)
{
  struct TCase {
    TcxValueTypeClass Kind;
    const char* Caption;
    int Size;
    TVarType Code;
    Variant A, B;
    int Compared;  // CompareBuffers(A, B)
    const char* TextOfA;
  };
  const int ptr = sizeof(void*);
  const TCase cases[] = {
      {ClassRef<TcxStringValueType>(), "String", ptr, varString, "abc", "abd", -1, "abc"},
      {ClassRef<TcxWideStringValueType>(), "WideString", ptr, varOleStr, L"b\x4E2D", L"a", 1, "b中"},
      {ClassRef<TcxSmallintValueType>(), "Smallint", 2, varSmallint, short(30000), short(-30000), 60000, "30000"},
      {ClassRef<TcxIntegerValueType>(), "Integer", 4, varInteger, 2000000000, -2000000000, 1, "2000000000"},
      {ClassRef<TcxWordValueType>(), "Word", 2, varWord, (unsigned short)1, (unsigned short)65535, -65534, "1"},
      {ClassRef<TcxBooleanValueType>(), "Boolean", 1, varBoolean, true, false, 1, "True"},
      {ClassRef<TcxFloatValueType>(), "Float", 8, varDouble, 0.1, 2.5, -1, "0.1"},
      {ClassRef<TcxCurrencyValueType>(), "Currency", 8, varCurrency, Currency::FromRaw(15000), Currency::FromRaw(-1), 1, "1.5"},
      {ClassRef<TcxDateTimeValueType>(), "DateTime", 8, varDate, VarFromDateTime(EncodeDate(2024, 5, 1)),
       VarFromDateTime(EncodeDate(2024, 5, 2)), -1, nullptr},
      {ClassRef<TcxLargeIntValueType>(), "LargeInt", 8, varInt64, int64_t(1) << 40, -(int64_t(1) << 40), 1,
       "1099511627776"},
      {ClassRef<TcxFMTBcdValueType>(), "FMTBcd", 34, VarFMTBcd(), Bcd("1.50"), Bcd("1.5"), 0, "1.5"},
      {ClassRef<TcxSQLTimeStampValueType>(), "SQLTimeStamp", 16, varDate, Stamp(2024, 5, 3), Stamp(2024, 5, 1), 2,
       nullptr},
      {ClassRef<TcxVariantValueType>(), "Variant", ptr, varString, "x", 5, -1, "x"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Kind.Name());
    EXPECT_EQ(c.Kind->GetTypeCaption(), c.Caption);
    EXPECT_EQ(c.Kind->BufferSize(), c.Size);
    TSlot a(c.Kind), b(c.Kind);
    a.Put(c.A);
    b.Put(c.B);
    Variant value = a.Value();
    EXPECT_EQ(VarType(value), c.Code) << Describe(value);
    EXPECT_TRUE(VariantsEqual(value, c.A)) << Describe(value);
    EXPECT_EQ(c.Kind->CompareBuffers(a.Get(), b.Get()), c.Compared);
    EXPECT_EQ(c.Kind->CompareBuffers(a.Get(), a.Get()), 0);
    if (c.TextOfA) {
      EXPECT_EQ(c.Kind->FormatDisplayText(a.Get()), c.TextOfA);
    }

    // The stored-value pointer reads the same value.
    const void* stored = a.Get();
    c.Kind->ResolveValueBuffer(stored);
    Variant copied;
    c.Kind->CopyValueToVariant(stored, copied);
    EXPECT_TRUE(VariantsEqual(copied, c.A)) << Describe(copied);

    // Through a stream and back, in both text forms.
    for (bool wide : {false, true}) {
      auto stream = MakeOwned<TTextFlagStream>(wide);
      c.Kind->SaveBufferToStream(a.Get(), *stream);
      stream->SetPosition(0);
      TSlot back(c.Kind);
      c.Kind->LoadBufferFromStream(back.Get(), *stream);
      EXPECT_EQ(stream->Position(), stream->Size());
      EXPECT_EQ(c.Kind->CompareBuffers(back.Get(), a.Get()), 0) << "wide " << wide;
    }
  }
}

TEST_F(cxDataStorageTest, FixedKindsStreamRawBytes)
{
  struct TCase {
    TcxValueTypeClass Kind;
    Variant Value;
    Bytes Image;
  };
  const TCase cases[] = {
      {ClassRef<TcxSmallintValueType>(), short(-2), {0xFE, 0xFF}},
      {ClassRef<TcxIntegerValueType>(), 100000, {0xA0, 0x86, 0x01, 0x00}},
      {ClassRef<TcxWordValueType>(), (unsigned short)0xBEEF, {0xEF, 0xBE}},
      {ClassRef<TcxBooleanValueType>(), true, {1}},
      {ClassRef<TcxFloatValueType>(), 1.5, {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}},
      {ClassRef<TcxCurrencyValueType>(), Currency::FromRaw(15000), {0x98, 0x3A, 0, 0, 0, 0, 0, 0}},
      {ClassRef<TcxLargeIntValueType>(), int64_t(1) << 32, {0, 0, 0, 0, 1, 0, 0, 0}},
      {ClassRef<TcxFMTBcdValueType>(), Bcd("2.5"), {6, 3, '2', '.', '5'}},  // a tagged variant
      {ClassRef<TcxStringValueType>(), "ab", {2, 0, 0, 0, 'a', 'b'}},
      {ClassRef<TcxWideStringValueType>(), L"ab", {2, 0, 0, 0, 'a', 0, 'b', 0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Kind.Name());
    TSlot slot(c.Kind);
    slot.Put(c.Value);
    auto stream = MakeOwned<TTextFlagStream>();
    c.Kind->SaveBufferToStream(slot.Get(), *stream);
    EXPECT_EQ(stream->Contents(), c.Image);
  }

  // The string kind follows the stream's text form.
  TSlot text(ClassRef<TcxStringValueType>());
  text.Put("ab");
  auto wide = MakeOwned<TTextFlagStream>(true);
  ClassRef<TcxStringValueType>()->SaveBufferToStream(text.Get(), *wide);
  EXPECT_EQ(wide->Contents(), (Bytes{2, 0, 0, 0, 'a', 0, 'b', 0}));
}

TEST_F(cxDataStorageTest, TextSlotsWithoutTextReadAsNull)
{
  for (TcxValueTypeClass kind : {TcxValueTypeClass(ClassRef<TcxStringValueType>()),
                                 TcxValueTypeClass(ClassRef<TcxWideStringValueType>())}) {
    SCOPED_TRACE(kind.Name());
    TSlot empty(kind), full(kind);
    EXPECT_TRUE(VarIsNull(empty.Value()));
    EXPECT_TRUE(kind->HoldsText());
    full.Put("a");
    EXPECT_NE(full.Reference(), nullptr);
    EXPECT_EQ(kind->CompareBuffers(empty.Get(), full.Get()), -1);  // none before any
    EXPECT_EQ(kind->CompareBuffers(full.Get(), empty.Get()), 1);
    EXPECT_EQ(kind->CompareBuffers(empty.Get(), empty.Get()), 0);
    full.Put(Null());
    EXPECT_EQ(full.Reference(), nullptr);  // storing Null frees what was held
    EXPECT_TRUE(VarIsNull(full.Value()));
  }
  // The wide kind keeps an empty text; the string kind keeps none for it.
  TSlot wide(ClassRef<TcxWideStringValueType>()), narrow(ClassRef<TcxStringValueType>());
  wide.Put(L"");
  narrow.Put("");
  EXPECT_EQ(VarType(wide.Value()), varOleStr);
  EXPECT_TRUE(VarIsNull(narrow.Value()));
  EXPECT_FALSE(ClassRef<TcxIntegerValueType>()->HoldsText());
}

TEST_F(cxDataStorageTest, AcceptsVariantConvertsInPlaceOrLeavesTheValue)
{
  struct TCase {
    TcxValueTypeClass Kind;
    Variant Value;
    bool Accepted;
    TVarType TypeAfter;
  };
  const TCase cases[] = {
      {ClassRef<TcxIntegerValueType>(), "12", true, varInteger},
      {ClassRef<TcxIntegerValueType>(), "x", false, varString},
      {ClassRef<TcxIntegerValueType>(), Null(), true, varNull},
      {ClassRef<TcxSmallintValueType>(), 40000, false, varInteger},  // out of range
      {ClassRef<TcxFloatValueType>(), "1.5", true, varDouble},
      {ClassRef<TcxBooleanValueType>(), "true", true, varBoolean},
      {ClassRef<TcxFMTBcdValueType>(), "1.25", true, VarFMTBcd()},
      {ClassRef<TcxFMTBcdValueType>(), "x", false, varString},
      {ClassRef<TcxSQLTimeStampValueType>(), 45413.0, true, VarSQLTimeStamp()},
      {ClassRef<TcxSQLTimeStampValueType>(), "x", false, varString},
      {ClassRef<TcxVariantValueType>(), "x", true, varString},  // any value as it is
      {ClassRef<TcxStringValueType>(), 12, true, varString},
  };
  for (const TCase& c : cases) {
    Variant v = c.Value;
    EXPECT_EQ(c.Kind->AcceptsVariant(v), c.Accepted) << c.Kind.Name() << " " << Describe(c.Value);
    EXPECT_EQ(VarType(v), c.TypeAfter) << c.Kind.Name() << " " << Describe(c.Value);
    if (!c.Accepted) {
      EXPECT_TRUE(VariantsEqual(v, c.Value));
    }
  }
  Variant twelve = "12";
  ASSERT_TRUE(ClassRef<TcxIntegerValueType>()->AcceptsVariant(twelve));
  EXPECT_EQ(twelve.AsInteger(), 12);
}

TEST_F(cxDataStorageTest, DisplayTextsAndTheirStreams)
{
  TcxValueTypeClass kind = ClassRef<TcxIntegerValueType>();
  TSlot slot(kind);
  EXPECT_EQ(kind->ReadDisplayTextBuffer(slot.DisplayText()), "");
  kind->StoreDisplayTextBuffer(slot.DisplayText(), "first");
  kind->StoreDisplayTextBuffer(slot.DisplayText(), "中文");
  EXPECT_EQ(kind->ReadDisplayTextBuffer(slot.DisplayText()), "中文");

  auto narrow = MakeOwned<TTextFlagStream>(false);
  auto wide = MakeOwned<TTextFlagStream>(true);
  kind->SaveDisplayTextToStream(slot.DisplayText(), *narrow);
  kind->SaveDisplayTextToStream(slot.DisplayText(), *wide);
  EXPECT_EQ(narrow->Contents(), (Bytes{4, 0, 0, 0, 0xD6, 0xD0, 0xCE, 0xC4}));
  EXPECT_EQ(wide->Contents(), (Bytes{2, 0, 0, 0, 0x2D, 0x4E, 0x87, 0x65}));
  for (TTextFlagStream* stream : {narrow.get(), wide.get()}) {
    stream->SetPosition(0);
    TSlot back(kind);
    kind->LoadDisplayTextFromStream(back.DisplayText(), *stream);
    EXPECT_EQ(kind->ReadDisplayTextBuffer(back.DisplayText()), "中文");
  }
  kind->ReleaseDisplayTextBuffer(slot.DisplayText());
  EXPECT_EQ(kind->ReadDisplayTextBuffer(slot.DisplayText()), "");

  // Texts of values: dates by the date text, BCD numbers in general format, none for no value.
  TSlot date(ClassRef<TcxDateTimeValueType>());
  date.Put(VarFromDateTime(EncodeDate(2024, 5, 1)));
  EXPECT_EQ(ClassRef<TcxDateTimeValueType>()->FormatDisplayText(date.Get()), DateTimeToStr(EncodeDate(2024, 5, 1)));
  TSlot bcd(ClassRef<TcxFMTBcdValueType>());
  bcd.Put(Bcd("123456789012345678901234567890.50"));
  EXPECT_EQ(ClassRef<TcxFMTBcdValueType>()->FormatDisplayText(bcd.Get()), "123456789012345678901234567890.5");
  TSlot none(ClassRef<TcxVariantValueType>());
  EXPECT_EQ(ClassRef<TcxVariantValueType>()->FormatDisplayText(none.Get()), "");
  none.Put(static_cast<IUnknown*>(nullptr));  // a value without text
  EXPECT_EQ(ClassRef<TcxVariantValueType>()->FormatDisplayText(none.Get()), "");
}

TEST_F(cxDataStorageTest, ReleasedSlotsFreeWhatTheyHold)
{
  // Strings, blocks and variants: the slot is cleared, and a variant lets go of what it holds.
  TCountedUnknown unknown;
  {
    TSlot variant(ClassRef<TcxVariantValueType>());
    variant.Put(static_cast<IUnknown*>(&unknown));
    EXPECT_EQ(unknown.Count, 1u);
    variant.Put(7);  // the held variant is reused
    EXPECT_EQ(unknown.Count, 0u);
    variant.Put(static_cast<IUnknown*>(&unknown));
    ClassRef<TcxVariantValueType>()->ReleaseBuffer(variant.Get());
    EXPECT_EQ(unknown.Count, 0u);
    EXPECT_EQ(variant.Reference(), nullptr);
    EXPECT_TRUE(VarIsNull(variant.Value()));
  }
  for (TcxValueTypeClass kind : {TcxValueTypeClass(ClassRef<TcxStringValueType>()),
                                 TcxValueTypeClass(ClassRef<TcxWideStringValueType>())}) {
    TSlot slot(kind);
    slot.Put("text");
    kind->ReleaseBuffer(slot.Get());
    EXPECT_EQ(slot.Reference(), nullptr) << kind.Name();
  }

  // Objects: the slot owns its object; streams carry nothing for it.
  TcxValueTypeClass objects = ClassRef<TcxObjectValueType>();
  EXPECT_EQ(objects->GetTypeCaption(), "Object");
  EXPECT_EQ(objects->BufferSize(), static_cast<int>(sizeof(void*)));
  TObject* first = New<TObject>();
  TObject* second = New<TObject>();
  TWeakRef<TObject> firstRef(first), secondRef(second);
  TSlot a(objects), b(objects);
  a.Put(Variant(reinterpret_cast<intptr_t>(first)));
  b.Put(Variant(reinterpret_cast<intptr_t>(second)));
  EXPECT_EQ(a.Reference(), first);
  EXPECT_EQ(objects->CompareBuffers(a.Get(), b.Get()), first < second ? -1 : 1);
  EXPECT_TRUE(VariantsEqual(a.Value(), Variant(reinterpret_cast<intptr_t>(first))));
  auto stream = MakeOwned<TTextFlagStream>();
  objects->SaveBufferToStream(a.Get(), *stream);
  EXPECT_EQ(stream->Size(), 0);
  objects->ReleaseBuffer(a.Get());
  EXPECT_FALSE(firstRef);
  EXPECT_EQ(a.Reference(), nullptr);
  objects->ReleaseBuffer(b.Get());
  EXPECT_FALSE(secondRef);
}

TEST_F(cxDataStorageTest, CorruptStreamsAndValuesAKindCannotHold)
{
  // A tagged value the kind cannot take is a corrupt stream.
  auto stream = MakeOwned<TTextFlagStream>();
  WriteTaggedVariant(*stream, "not a number");
  stream->SetPosition(0);
  TSlot bcd(ClassRef<TcxFMTBcdValueType>());
  EXPECT_THROW(ClassRef<TcxFMTBcdValueType>()->LoadBufferFromStream(bcd.Get(), *stream), EReadError);

  // A truncated fixed value, a text longer than the stream.
  for (const Bytes& image : {Bytes{1, 2, 3}, Bytes{9, 0, 0, 0, 'a'}}) {
    auto broken = MakeOwned<TTextFlagStream>();
    broken->WriteBuffer(image.data(), static_cast<int64_t>(image.size()));
    for (TcxValueTypeClass kind : {TcxValueTypeClass(ClassRef<TcxLargeIntValueType>()),
                                   TcxValueTypeClass(ClassRef<TcxStringValueType>())}) {
      broken->SetPosition(0);
      TSlot slot(kind);
      EXPECT_THROW(kind->LoadBufferFromStream(slot.Get(), *broken), EReadError) << kind.Name();
    }
  }

  TSlot small(ClassRef<TcxSmallintValueType>());
  EXPECT_THROW(small.Put(70000), EVariantOverflowError);
  EXPECT_THROW(small.Put("x"), EVariantTypeCastError);
}

TEST_F(cxDataStorageTest, TheListOfValueTypeClasses)
{
  TcxValueTypeClassList* list = GetValueTypeClassList();
  ASSERT_NE(list, nullptr);
  std::vector<std::string> captions;
  for (int i = 0; i < list->Count(); ++i) captions.push_back(list->Items(i)->GetTypeCaption());
  EXPECT_EQ(captions, (std::vector<std::string>{"String", "WideString", "Smallint", "Integer", "Word", "Boolean",
                                                "Float", "Currency", "DateTime", "LargeInt", "FMTBcd",
                                                "SQLTimeStamp", "Variant", "Object"}));

  const std::vector<TcxValueTypeClass> registered = [&] {
    std::vector<TcxValueTypeClass> classes;
    for (int i = 0; i < list->Count(); ++i) classes.push_back(list->Items(i));
    return classes;
  }();

  list->RegisterValueType(ClassRef<TcxWordValueType>());  // listed already: kept once
  EXPECT_EQ(list->Count(), 14);
  list->UnregisterValueType(ClassRef<TcxWordValueType>());
  EXPECT_EQ(list->Count(), 13);
  list->RegisterValueType(ClassRef<TcxWordValueType>());
  EXPECT_EQ(list->Items(13), ClassRef<TcxWordValueType>());
  EXPECT_THROW(list->Items(14), EListError);

  // Back in the registered order for the tests after this one.
  while (list->Count() > 0) list->UnregisterValueType(list->Items(0));
  for (TcxValueTypeClass kind : registered) list->RegisterValueType(kind);

  // The unit's shut-down takes every kind out again; its start-up puts them back in order.
  {
    TUnitShutDown down(UnitcxDataStorage);
    EXPECT_EQ(list->Count(), 0);
  }
  EXPECT_EQ(list->Count(), 14);
  EXPECT_EQ(list->Items(13), ClassRef<TcxObjectValueType>());
}

}  // namespace
