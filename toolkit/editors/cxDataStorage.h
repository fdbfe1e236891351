#pragma once
// Value types: how one kind of value (text, an integer, a date...) is held in a fixed-size slot of a
// record buffer, compared, turned into a variant and a display text, and written to and read from a
// stream; and the process-wide list of the value-type classes. The types are used as classes: every
// operation is a class-level operation reached through the class reference (TcxValueTypeClass), and
// no instance is ever made.
//
// A value buffer is the slot a value occupies (BufferSize bytes). Kinds of variable size keep a
// reference in the slot (pointer-sized) to storage they own, which ReleaseBuffer frees: a string, a
// wide-text block (a 32-bit character count followed by the UTF-16 characters, one allocation), a
// heap variant, or an object. A display-text buffer is a separate pointer-sized slot referring to a
// heap string, made on first store and freed by ReleaseDisplayTextBuffer. Slots start zeroed.
//
// A "stored value" pointer (CompareStoredValues, CopyValueToVariant) is the slot itself for the
// kinds held in place, and the reference the slot holds for the text kinds and the variant kind
// (ResolveValueBuffer turns the one into the other).
#include <string>
#include <vector>
#include "classlib/ClassRef.h"
#include "classlib/Units.h"
#include "classlib/Variant.h"

class TStream;

// Registers the fourteen kinds at start-up; unregisters them in reverse order and frees the list at
// shut-down.
extern TUnit UnitcxDataStorage;

// A stream that says whether the texts on it are wide (UTF-16) or narrow (the ANSI code page). Texts
// on a stream that does not offer it are narrow.
class IcxWideTextStream {
public:
  virtual bool WideText() const = 0;

protected:
  ~IcxWideTextStream() = default;
};

class TcxValueType : public TObject {
  CL_CLASS(TcxValueType, TObject)
public:
  struct TMeta : TMetaClassOf<TcxValueType> {
    // CompareStoredValues of the two slots (of the references they hold, for the referring kinds).
    virtual int CompareBuffers(const void* buffer1, const void* buffer2) const;
    // Frees what the slot refers to and clears it.
    virtual void ReleaseBuffer(void* buffer) const;
    // Frees the display text held, if any, and clears the slot.
    virtual void ReleaseDisplayTextBuffer(void* buffer) const;
    virtual int BufferSize() const;
    // The slot's value as a variant (Null here).
    virtual void ReadBufferAsVariant(const void* buffer, Variant& value) const;
    // The slot's value as text; a value without text gives "".
    virtual std::string FormatDisplayText(const void* buffer) const;
    // The display text held; "" when none.
    virtual std::string ReadDisplayTextBuffer(const void* buffer) const;
    // A tagged variant, stored with StoreVariantInBuffer. A value the kind cannot hold raises
    // EReadError "Stream read error", as a corrupt stream does.
    virtual void LoadBufferFromStream(void* buffer, TStream& stream) const;
    // A counted text, wide or narrow by the stream, stored as the display text.
    virtual void LoadDisplayTextFromStream(void* buffer, TStream& stream) const;
    // Stores value (nothing here). A value the kind cannot hold raises the variant's conversion error.
    virtual void StoreVariantInBuffer(void* buffer, const Variant& value) const;
    virtual void StoreDisplayTextBuffer(void* buffer, const std::string& text) const;
    // The slot's value as a tagged variant.
    virtual void SaveBufferToStream(const void* buffer, TStream& stream) const;
    virtual void SaveDisplayTextToStream(const void* buffer, TStream& stream) const;
    // The class name without "Tcx" and "ValueType": "DateTime", "SQLTimeStamp".
    virtual std::string GetTypeCaption() const;
    // Both read as variants and compared with CompareVariants.
    virtual int CompareStoredValues(const void* value1, const void* value2) const;
    virtual void CopyValueToVariant(const void* value, Variant& result) const;
    // The variant kind of the values (varVariant: any).
    virtual TVarType VariantTypeCode() const;
    // Whether the kind can hold value: Null always; otherwise value is converted in place to the
    // kind's variant type, and a value that does not convert answers false and stays as it was.
    virtual bool AcceptsVariant(Variant& value) const;
    virtual bool HoldsText() const;
    // Turns a slot address into the stored-value pointer (nothing for kinds held in place).
    virtual void ResolveValueBuffer(const void*& value) const;
  };
};
using TcxValueTypeClass = TClassRef<TcxValueType>;

namespace cxdatastorage_detail {
// The metaclass of a kind whose slot refers to storage it owns: the slot is pointer-sized, and the
// stored-value pointer is the reference the slot holds.
struct TReferringMeta : TcxValueType::TMeta {
  int BufferSize() const override;
  int CompareBuffers(const void* buffer1, const void* buffer2) const override;
  void CopyValueToVariant(const void* value, Variant& result) const override;
  void ResolveValueBuffer(const void*& value) const override;
};
}  // namespace cxdatastorage_detail

// Text in the ANSI code page; none (and the empty text) reads as Null.
class TcxStringValueType : public TcxValueType {
  CL_CLASS(TcxStringValueType, TcxValueType)
public:
  struct TMeta : cxdatastorage_detail::TReferringMeta {
    void ReleaseBuffer(void* buffer) const override;
    void ReadBufferAsVariant(const void* buffer, Variant& value) const override;
    void LoadBufferFromStream(void* buffer, TStream& stream) const override;
    void StoreVariantInBuffer(void* buffer, const Variant& value) const override;
    void SaveBufferToStream(const void* buffer, TStream& stream) const override;
    int CompareStoredValues(const void* value1, const void* value2) const override;
    TVarType VariantTypeCode() const override;
    bool HoldsText() const override;
  };
};

// UTF-16 text in a counted block; no block reads as Null, storing Null frees the block.
class TcxWideStringValueType : public TcxStringValueType {
  CL_CLASS(TcxWideStringValueType, TcxStringValueType)
public:
  struct TMeta : TcxStringValueType::TMeta {
    void ReleaseBuffer(void* buffer) const override;
    void ReadBufferAsVariant(const void* buffer, Variant& value) const override;
    void LoadBufferFromStream(void* buffer, TStream& stream) const override;
    void StoreVariantInBuffer(void* buffer, const Variant& value) const override;
    void SaveBufferToStream(const void* buffer, TStream& stream) const override;
    int CompareStoredValues(const void* value1, const void* value2) const override;
    TVarType VariantTypeCode() const override;
  };
};

namespace cxdatastorage_detail {
// The metaclass of a kind held in place; Traits name its C++ type, variant code, comparison and
// stream form (defined with the kinds).
template <class Traits>
struct TInPlaceMeta : TcxValueType::TMeta {
  int BufferSize() const override;
  TVarType VariantTypeCode() const override;
  void ReadBufferAsVariant(const void* buffer, Variant& value) const override;
  void StoreVariantInBuffer(void* buffer, const Variant& value) const override;
  void LoadBufferFromStream(void* buffer, TStream& stream) const override;
  void SaveBufferToStream(const void* buffer, TStream& stream) const override;
  int CompareStoredValues(const void* value1, const void* value2) const override;
};
struct TSmallintTraits;
struct TIntegerTraits;
struct TWordTraits;
struct TBooleanTraits;
struct TFloatTraits;
struct TCurrencyTraits;
struct TDateTimeTraits;
struct TLargeIntTraits;
}  // namespace cxdatastorage_detail

// The kinds held in place, read and written as raw little-endian bytes (the float as a 10-byte
// extended). Smallint, Word and Boolean compare by the difference of the values (30000 against
// -30000 answers 60000); the others answer -1, 0 or 1.
class TcxSmallintValueType : public TcxValueType {
  CL_CLASS(TcxSmallintValueType, TcxValueType)
public:
  struct TMeta : cxdatastorage_detail::TInPlaceMeta<cxdatastorage_detail::TSmallintTraits> {};
};

class TcxIntegerValueType : public TcxValueType {
  CL_CLASS(TcxIntegerValueType, TcxValueType)
public:
  struct TMeta : cxdatastorage_detail::TInPlaceMeta<cxdatastorage_detail::TIntegerTraits> {};
};

class TcxWordValueType : public TcxValueType {
  CL_CLASS(TcxWordValueType, TcxValueType)
public:
  struct TMeta : cxdatastorage_detail::TInPlaceMeta<cxdatastorage_detail::TWordTraits> {};
};

// Shown as "True" or "False".
class TcxBooleanValueType : public TcxValueType {
  CL_CLASS(TcxBooleanValueType, TcxValueType)
public:
  struct TMeta : cxdatastorage_detail::TInPlaceMeta<cxdatastorage_detail::TBooleanTraits> {};
};

class TcxFloatValueType : public TcxValueType {
  CL_CLASS(TcxFloatValueType, TcxValueType)
public:
  struct TMeta : cxdatastorage_detail::TInPlaceMeta<cxdatastorage_detail::TFloatTraits> {};
};

class TcxCurrencyValueType : public TcxValueType {
  CL_CLASS(TcxCurrencyValueType, TcxValueType)
public:
  struct TMeta : cxdatastorage_detail::TInPlaceMeta<cxdatastorage_detail::TCurrencyTraits> {};
};

class TcxDateTimeValueType : public TcxValueType {
  CL_CLASS(TcxDateTimeValueType, TcxValueType)
public:
  struct TMeta : cxdatastorage_detail::TInPlaceMeta<cxdatastorage_detail::TDateTimeTraits> {
    // The date variant's text; should that fail, the default date-time text of the number.
    std::string FormatDisplayText(const void* buffer) const override;
  };
};

class TcxLargeIntValueType : public TcxValueType {
  CL_CLASS(TcxLargeIntValueType, TcxValueType)
public:
  struct TMeta : cxdatastorage_detail::TInPlaceMeta<cxdatastorage_detail::TLargeIntTraits> {};
};

// A BCD number (34 bytes), shown in general format; streamed as a tagged variant.
class TcxFMTBcdValueType : public TcxValueType {
  CL_CLASS(TcxFMTBcdValueType, TcxValueType)
public:
  struct TMeta : TcxValueType::TMeta {
    int BufferSize() const override;
    TVarType VariantTypeCode() const override;
    void ReadBufferAsVariant(const void* buffer, Variant& value) const override;
    void StoreVariantInBuffer(void* buffer, const Variant& value) const override;
    int CompareStoredValues(const void* value1, const void* value2) const override;
    std::string FormatDisplayText(const void* buffer) const override;
  };
};

// An SQL time stamp (16 bytes), read as its date and compared field by field: the difference of
// the first field that differs (of the fractions, its sign). Streamed as a tagged variant.
class TcxSQLTimeStampValueType : public TcxValueType {
  CL_CLASS(TcxSQLTimeStampValueType, TcxValueType)
public:
  struct TMeta : TcxValueType::TMeta {
    int BufferSize() const override;
    TVarType VariantTypeCode() const override;
    void ReadBufferAsVariant(const void* buffer, Variant& value) const override;
    void StoreVariantInBuffer(void* buffer, const Variant& value) const override;
    int CompareStoredValues(const void* value1, const void* value2) const override;
  };
};

// Any value, in a heap variant made on first store; none orders first.
class TcxVariantValueType : public TcxValueType {
  CL_CLASS(TcxVariantValueType, TcxValueType)
public:
  struct TMeta : cxdatastorage_detail::TReferringMeta {
    void ReleaseBuffer(void* buffer) const override;
    void ReadBufferAsVariant(const void* buffer, Variant& value) const override;
    void StoreVariantInBuffer(void* buffer, const Variant& value) const override;
    int CompareStoredValues(const void* value1, const void* value2) const override;
  };
};

// An object the slot owns (ReleaseBuffer frees it), read, stored and compared as its reference
// taken as a pointer-sized integer; nothing is read from or written to streams.
class TcxObjectValueType : public TcxIntegerValueType {
  CL_CLASS(TcxObjectValueType, TcxIntegerValueType)
public:
  struct TMeta : TcxIntegerValueType::TMeta {
    int BufferSize() const override;
    TVarType VariantTypeCode() const override;
    void ReleaseBuffer(void* buffer) const override;
    void ReadBufferAsVariant(const void* buffer, Variant& value) const override;
    void StoreVariantInBuffer(void* buffer, const Variant& value) const override;
    void LoadBufferFromStream(void* buffer, TStream& stream) const override;
    void SaveBufferToStream(const void* buffer, TStream& stream) const override;
    int CompareStoredValues(const void* value1, const void* value2) const override;
  };
};

// The value-type classes, each listed once.
class TcxValueTypeClassList : public TObject {
  CL_CLASS(TcxValueTypeClassList, TObject)
public:
  // Appends the class unless it is listed.
  void RegisterValueType(TcxValueTypeClass valueTypeClass);
  void UnregisterValueType(TcxValueTypeClass valueTypeClass);
  int Count() const { return static_cast<int>(FItems.size()); }
  TcxValueTypeClass Items(int index) const;

private:
  std::vector<TcxValueTypeClass> FItems;
};

// The process-wide list, made on first use while the unit runs; nullptr once it shuts down.
TcxValueTypeClassList* GetValueTypeClassList();
