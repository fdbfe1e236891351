#pragma once
// String lists. TStrings is the abstract list of strings with an object per string that editors,
// list boxes and memos present; TStringList keeps the strings itself, optionally sorted.
//
// Strings hold ANSI text (code page 936). Separators, delimiters and quote characters are found
// with double-byte characters kept whole, so a trail byte never splits an item.
#include <concepts>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/Events.h"
#include "classlib/Persistent.h"

class TStream;

class TStrings : public TPersistent {
  CL_CLASS(TStrings, TPersistent)
public:
  // The core a concrete list provides. Index errors are the concrete list's to raise.
  virtual std::string Get(int index) const = 0;
  virtual int GetCount() const = 0;
  virtual TObject* GetObject(int index) const { (void)index; return nullptr; }
  // Replaces the string at index, keeping its object.
  virtual void Put(int index, const std::string& s);
  virtual void PutObject(int index, TObject* obj) { (void)index; (void)obj; }
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void InsertObject(int index, const std::string& s, TObject* obj);
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  int Count() const { return GetCount(); }
  std::string Strings(int index) const { return Get(index); }
  void SetStrings(int index, const std::string& s) { Put(index, s); }
  TObject* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* obj) { PutObject(index, obj); }

  // Returns the index of the new string.
  virtual int Add(const std::string& s);
  virtual int AddObject(const std::string& s, TObject* obj);
  void Append(const std::string& s) { Add(s); }
  // Adds the strings and objects of strings (which may be this list).
  virtual void AddStrings(const TStrings* strings);
  // -1 when absent; comparison by CompareStrings (case-insensitive unless the list says otherwise).
  virtual int IndexOf(std::string_view s) const;
  int IndexOfName(std::string_view name) const;
  int IndexOfObject(const TObject* obj) const;
  virtual void Exchange(int index1, int index2);
  // Moves the string and its object from curIndex to newIndex.
  virtual void Move(int curIndex, int newIndex);
  // Same count and byte-for-byte the same strings.
  bool Equals(const TStrings* strings) const;
  // From another TStrings: its strings and objects, separators and quote character.
  void Assign(TPersistent* source) override;

  // "name=value" lines (the separator is NameValueSeparator). Names(i) is "" for a line without one.
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  void SetValueFromIndex(int index, std::string_view value);
  // The value of the first line named name ("" when there is none).
  std::string Values(std::string_view name) const;
  // Sets the value of the line named name, adding the line when there is none; an empty value
  // deletes the line.
  virtual void SetValue(std::string_view name, std::string_view value);
  char NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char c) { FNameValueSeparator = c; }

  // Every string followed by CR LF. Setting splits at CR LF, LF or CR; a last line without a
  // break counts, an empty text gives no lines.
  virtual std::string Text() const;
  virtual void SetText(std::string_view text);
  // The strings joined by Delimiter; a string is quoted (QuoteChar, doubled inside) when it holds
  // the delimiter, the quote character or, unless StrictDelimiter, a blank or control character.
  // A single empty string reads as two quote characters. Setting splits the same way back; unless
  // StrictDelimiter, blanks (characters up to ' ') also separate and blanks around items are dropped.
  std::string DelimitedText() const;
  void SetDelimitedText(std::string_view text);
  // DelimitedText with ',' and '"', not strict.
  std::string CommaText() const;
  void SetCommaText(std::string_view text);
  char Delimiter() const { return FDelimiter; }
  void SetDelimiter(char c) { FDelimiter = c; }
  char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char c) { FQuoteChar = c; }
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool value) { FStrictDelimiter = value; }

  // Updates nest; the list hears SetUpdateState(true) when the first begins and
  // SetUpdateState(false) when the last ends.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // The bytes from the stream's position to its end, split as by SetText; saving writes Text.
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

protected:
  void AssignTo(TPersistent* dest) override;
  virtual void SetUpdateState(bool updating) { (void)updating; }
  // <0, 0, >0 in the user locale's order; case-insensitive here.
  virtual int CompareStrings(std::string_view s1, std::string_view s2) const;

private:
  int FUpdateCount = 0;
  char FNameValueSeparator = '=';
  char FDelimiter = ',';
  char FQuoteChar = '"';
  bool FStrictDelimiter = false;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// Compares the strings at index1 and index2 of list: <0, 0, >0.
using TStringListSortCompare = int (*)(TStringList* list, int index1, int index2);

// Strings and objects kept in the list. Index errors raise EStringListError
// "List index out of bounds (<index>)". A sorted list keeps its order itself: Insert, Put,
// Exchange and Move raise EStringListError "Operation not allowed on sorted list".
class TStringList : public TStrings {
  CL_CLASS(TStringList, TStrings)
public:
  TStringList() = default;
  // A list that frees its objects (with Free) when their strings are deleted or the list goes.
  explicit TStringList(std::same_as<bool> auto ownsObjects) : FOwnsObjects(ownsObjects) {}
  ~TStringList() override;
  void BeforeDestruction() override;

  std::string Get(int index) const override;
  int GetCount() const override { return static_cast<int>(FList.size()); }
  TObject* GetObject(int index) const override;
  void Put(int index, const std::string& s) override;
  // An owning list frees the object that another one replaces.
  void PutObject(int index, TObject* obj) override;
  void Insert(int index, const std::string& s) override;
  void InsertObject(int index, const std::string& s, TObject* obj) override;
  void Delete(int index) override;
  void Clear() override;
  // In a sorted list the string goes to its place; a duplicate is ignored (returning the index of
  // the string already there), accepted, or refused with EStringListError
  // "String list does not allow duplicates", as Duplicates says.
  int Add(const std::string& s) override;
  int AddObject(const std::string& s, TObject* obj) override;
  int IndexOf(std::string_view s) const override;
  void Exchange(int index1, int index2) override;
  void Move(int curIndex, int newIndex) override;
  void SetValue(std::string_view name, std::string_view value) override;

  // Binary search of a sorted list: true when s is there, index its first occurrence; otherwise
  // index is where s would go.
  virtual bool Find(std::string_view s, int& index) const;
  virtual void Sort();
  // Sorts with compare (stably; an inconsistent compare gives some order, never a fault). A sorted
  // list keeps its own order and is left as it is.
  virtual void CustomSort(TStringListSortCompare compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates value) { FDuplicates = value; }
  // Case-insensitive comparison (the default) is locale-aware: CompareStringA with NORM_IGNORECASE.
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool value) { FOwnsObjects = value; }

  // Fired before and after each change, or once around an update block.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent handler) { FOnChange = handler; }
  const TNotifyEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent handler) { FOnChanging = handler; }

protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool updating) override;
  int CompareStrings(std::string_view s1, std::string_view s2) const override;

private:
  struct TItem {
    std::string String;
    TObject* Object;
  };
  void CheckIndex(int index) const;
  void CheckUnsorted() const;
  void InsertItem(int index, const std::string& s, TObject* obj);
  void FreeObjects();

  std::vector<TItem> FList;
  TDuplicates FDuplicates = TDuplicates::dupIgnore;
  bool FSorted = false;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
};
