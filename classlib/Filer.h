#pragma once
// Component streams: TReader and TWriter over the binary format (signature "TPF0").
//
// A stream holds one root component: its header (class name, name), its properties as
// name/value pairs ended by vaNull, then its children, each a component in the same form, ended
// by vaNull. Values start with a TValueType byte. The text form (ObjectText.h) is converted to this
// format and read by the same reader; a line map taken during the conversion lets the reader's
// errors name the line of the text form they come from.
//
// Reading a tree: each component is found by class name in the class registry, constructed with
// its parent's child owner (the root for the root's children), marked loading and reading, named,
// given its parent (SetParentComponent), then asked to ReadState, which reads its properties in
// stream order and then its children. Component and event references are resolved by name once
// the whole tree is read, then Loaded is called on every component in read order. When anything
// fails, every component the read created is freed again.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/Component.h"
#include "classlib/TypInfo.h"

class TStream;
class TStrings;
class TCollection;
class TCollectionItem;

enum class TValueType : uint8_t {
  vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary,
  vaSet, vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String
};

// How deeply a component stream may nest, counted alike by the reader and by both conversions
// between the text and the binary form, so that a stream one of them takes the others take too: an
// object, a list and a collection each open a level (the root object is level 1; a collection's
// items are lists and open one more each). Deeper streams are refused by all three.
constexpr int MaxStreamNesting = 256;

// One level of nesting for the life of a scope; past MaxStreamNesting, tooDeep() is called (and
// raises).
class TStreamNesting {
public:
  template <class F>
  TStreamNesting(int& depth, F&& tooDeep) : FDepth(depth)
  {
    if (++FDepth > MaxStreamNesting) {
      --FDepth;
      tooDeep();
    }
  }
  ~TStreamNesting() { --FDepth; }
  TStreamNesting(const TStreamNesting&) = delete;
  TStreamNesting& operator=(const TStreamNesting&) = delete;

private:
  int& FDepth;
};

// Flags of a component header: ffChildPos carries the child's position for SetChildOrder;
// inherited and inline components are refused by this reader.
enum class TFilerFlag { ffInherited, ffChildPos, ffInline };
using TFilerFlags = TSet<TFilerFlag>;

// The 80-bit extended format of vaExtended values, converted to and from double (rounded to the
// nearest double; out-of-range values become infinities or zero).
void DoubleToExtended(double value, uint8_t (&bytes)[10]);
double ExtendedToDouble(const uint8_t (&bytes)[10]);

// Where each part of a binary stream came from in a text form: offsets from the signature, each
// with the line of the token it was made from.
class TLineMap {
public:
  void Add(int64_t offset, int line);
  // The line of the last part that starts at or before offset; 0 when there is none.
  int LineAt(int64_t offset) const;
  bool Empty() const { return FEntries.empty(); }

private:
  std::vector<std::pair<int64_t, int>> FEntries;
};

// Identifiers for integer properties (character sets, cursors): a class registers the mapping for
// its property by name, and it serves that property in the class and its descendants.
using TIdentToInt = bool (*)(std::string_view ident, int64_t& value);
using TIntToIdent = bool (*)(int64_t value, std::string& ident);
void RegisterIntegerConsts(TClass cls, std::string_view propName, TIdentToInt identToInt, TIntToIdent intToIdent);
void UnregisterIntegerConsts(TClass cls, std::string_view propName);

class TReader : public TFiler {
  CL_CLASS(TReader, TFiler)
public:
  explicit TReader(TStream& stream);
  ~TReader() override;

  void DefineProperty(std::string_view name, TReaderProc read, TWriterProc write, bool hasData) override;
  void DefineBinaryProperty(std::string_view name, TStreamProc read, TStreamProc write, bool hasData) override;

  // Errors of a stream converted from text name the line: set the map the conversion made.
  void SetLineMap(const TLineMap* lines) { FLines = lines; }

  // Reads a whole stream (signature, one component tree). With root given, the stream's root
  // component is read into it and its children are created; otherwise the root is created with
  // owner as its owner. Returns the root. On failure every component created is freed.
  TComponent* ReadRootComponent(TComponent* root, TComponent* owner = nullptr);
  // Reads one component (header, state) as a child of the current parent, owned by the current
  // owner; with component given, reads into it.
  TComponent* ReadComponent(TComponent* component);
  // What TComponent::ReadState does: properties in stream order, then the children.
  void ReadData(TComponent* instance);
  // Reads one property (name and value) into instance.
  void ReadProperty(TPersistent* instance);
  // Reads the items of a collection value (after vaCollection) into collection, replacing its items.
  // With keep given, each item is asked about as soon as it is read, and freed at once when keep
  // answers false (items that hold nothing take no memory while the rest is read).
  void ReadCollection(TCollection* collection, const std::function<bool(TCollectionItem*)>& keep = {});

  TComponent* Root() const { return FRoot; }
  TComponent* Owner() const { return FOwner; }
  TComponent* Parent() const { return FParent; }
  void SetOwner(TComponent* owner) { FOwner = owner; }
  void SetParent(TComponent* parent) { FParent = parent; }

  // The value primitives, for DefineProperties procedures and ReadState overrides.
  TValueType ReadValue();
  TValueType NextValue();
  void CheckValue(TValueType type);
  bool EndOfList();
  void ReadListBegin() { CheckValue(TValueType::vaList); }
  void ReadListEnd() { CheckValue(TValueType::vaNull); }
  int32_t ReadInteger();
  int64_t ReadInt64();
  bool ReadBoolean();
  std::string ReadString();  // ANSI text, whatever the stored kind
  std::wstring ReadWideString();
  std::string ReadIdent();   // identifiers, and True/False/nil/Null by name
  double ReadFloat();        // any number kind
  float ReadSingle();
  double ReadDate();
  double ReadCurrency();
  std::vector<uint8_t> ReadBinary();
  std::vector<std::string> ReadSetNames();  // after vaSet
  std::string ReadStr();                     // a short string (length byte, bytes)
  void ReadSignature();
  void ReadPrefix(TFilerFlags& flags, int& childPos);
  void SkipValue();
  int64_t Position() const;
  TStream& Stream() { return FStream; }

  // Raises EReadError, prefixed with "Line N: " when a line map tells the line.
  [[noreturn]] void Error(const std::string& message) const;
  [[noreturn]] void ErrorAt(int64_t position, const std::string& message) const;

private:
  struct TFixup;
  struct TSession;
  struct TScalar;

  // What a stream says of a component before its properties: where it starts, its flags, class and
  // name. Inherited and inline components are refused.
  struct TComponentHeader {
    int64_t Position = 0;
    TFilerFlags Flags;
    int ChildPos = 0;
    std::string ClassName, Name;
  };
  TComponentHeader ReadComponentHeader();
  // The component class the header names; an unknown or non-component class raises.
  TClass ComponentClassOf(const TComponentHeader& head) const;
  TComponent* ReadComponentInner(TComponent* component);
  void ReadDataInner(TComponent* instance);
  void CallLoaded();
  void ReadPropValue(TPersistent* instance, const TPropInfo& prop);
  TScalar ReadScalar();
  std::string Describe(const TScalar& value) const;
  [[noreturn]] void WrongValue();
  void ReadStringsValue(TStrings* strings);
  void ResolveFixups();
  TComponent* FindComponentRef(std::string_view name) const;
  void Cleanup();
  // Raises the exception being handled again; an allocation failure as EOutOfMemory.
  [[noreturn]] static void RaiseAsReaderError();
  std::string LinePrefix(int64_t position) const;
  void Locate(Exception& e) const;
  void Read(void* buffer, int64_t count);
  std::string ReadBytes(int64_t count);
  int64_t ReadLength();

  TStream& FStream;
  int64_t FStart = 0;
  const TLineMap* FLines = nullptr;
  TComponent* FRoot = nullptr;
  TComponent* FOwner = nullptr;
  TComponent* FParent = nullptr;
  std::string FPropName;   // the property DefineProperties is asked about
  bool FPropFound = false;
  int64_t FLastPos = 0;    // where the property or value being read starts
  int FDepth = 0;          // nesting of objects, lists and collections (TStreamNesting)
  // One level more of nesting for the life of the scope; raises past the bound.
  TStreamNesting Nest();
  std::unique_ptr<TSession> FSession;
};

class TWriter : public TFiler {
  CL_CLASS(TWriter, TFiler)
public:
  explicit TWriter(TStream& stream);
  ~TWriter() override;

  void DefineProperty(std::string_view name, TReaderProc read, TWriterProc write, bool hasData) override;
  void DefineBinaryProperty(std::string_view name, TStreamProc read, TStreamProc write, bool hasData) override;

  // Writes the signature and the tree of root: published properties in declaration order (base
  // classes first; stored predicates and defaults honoured; strings, floats, references and events
  // only when set), the DefineProperties extras after them, then the children that GetChildren
  // reports (asked with the component's child owner, or the root, as the root of the children).
  void WriteRootComponent(TComponent* root);
  void WriteDescendent(TComponent* root, TComponent* ancestor);
  void WriteComponent(TComponent* component);
  // What TComponent::WriteState does: header, properties, children.
  void WriteData(TComponent* instance);
  void WriteProperties(TPersistent* instance);
  void WriteCollection(TCollection* collection);
  TComponent* Root() const { return FRoot; }

  void WriteValue(TValueType type);
  void WriteListBegin() { WriteValue(TValueType::vaList); }
  void WriteListEnd() { WriteValue(TValueType::vaNull); }
  void WriteInteger(int64_t value);  // the smallest integer kind that holds it
  void WriteBoolean(bool value);
  void WriteString(std::string_view ansi);       // ANSI text; stored as UTF-16 when not ASCII
  void WriteWideString(std::wstring_view text);  // stored narrow when it is ASCII
  void WriteUtf8String(std::string_view utf8);
  void WriteIdent(std::string_view ident);       // True/False/nil/Null become their own kinds
  void WriteFloat(double value);                 // vaExtended
  void WriteSingle(float value);
  void WriteCurrency(double value);
  void WriteDate(double value);
  void WriteBinary(std::span<const uint8_t> data);
  void WriteSet(std::span<const std::string> names);
  void WriteStr(std::string_view s);  // a short string; raises EWriteError past 255 bytes
  void WriteSignature();
  void WritePrefix(TFilerFlags flags, int childPos);
  int64_t Position() const;
  TStream& Stream() { return FStream; }

private:
  void WriteObjectProperties(TPersistent* instance, const std::string& prefix);
  void WriteProperty(TPersistent* instance, const TPropInfo& prop, const std::string& path);
  void WriteStrings(TStrings* strings, const std::string& path);
  void WriteExtras(TPersistent* instance, const std::string& prefix);
  std::string ComponentRefName(TComponent* component) const;
  std::string MethodName(const TMethod& method) const;
  void Write(const void* buffer, int64_t count);

  TStream& FStream;
  TComponent* FRoot = nullptr;
  std::string FPrefix;                    // path of the object whose extras are being written
  std::vector<std::string> FDefined;      // names DefineProperties declared for that object
};

// Convenience over a whole stream: write a component tree, read one back.
void WriteComponentToStream(TStream& stream, TComponent* root);
TComponent* ReadComponentFromStream(TStream& stream, TComponent* instance, TComponent* owner = nullptr,
                                    const TLineMap* lines = nullptr);
