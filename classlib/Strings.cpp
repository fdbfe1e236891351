#include "classlib/Strings.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <utility>
#include "classlib/Lists.h"
#include "classlib/Streams.h"

CL_DEFINE_CLASS(TStrings);
CL_DEFINE_CLASS(TStringList);

namespace {

// True for the first byte of a double-byte character of the ANSI code page.
bool IsLeadByte(char c)
{
  static const std::array<bool, 256> table = [] {
    std::array<bool, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = IsDBCSLeadByte(static_cast<BYTE>(i)) != FALSE;
    return t;
  }();
  return table[static_cast<unsigned char>(c)];
}

// Length of the character at s[i]: 2 for a whole double-byte character, else 1.
size_t CharLength(std::string_view s, size_t i) { return IsLeadByte(s[i]) && i + 1 < s.size() ? 2 : 1; }

// The first single-byte character c in s, never a trail byte that happens to equal it.
size_t FindChar(std::string_view s, char c)
{
  for (size_t i = 0; i < s.size(); i += CharLength(s, i))
    if (s[i] == c && CharLength(s, i) == 1) return i;
  return std::string_view::npos;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Locale order of the user: <0, 0, >0.
int AnsiCompare(std::string_view a, std::string_view b, DWORD flags)
{
  int r = CompareStringA(LOCALE_USER_DEFAULT, flags, a.empty() ? "" : a.data(), static_cast<int>(a.size()),
                         b.empty() ? "" : b.data(), static_cast<int>(b.size()));
  if (r != 0) return r - CSTR_EQUAL;
  int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
  return c != 0 ? c : (a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0);
}

// Opens an update block of a list for the guard's lifetime. An exception from the closing
// EndUpdate (a change handler's) propagates unless another one is already on its way.
class TUpdateGuard {
public:
  explicit TUpdateGuard(TStrings& list) : FList(list), FExceptions(std::uncaught_exceptions()) { list.BeginUpdate(); }
  TUpdateGuard(const TUpdateGuard&) = delete;
  TUpdateGuard& operator=(const TUpdateGuard&) = delete;
  ~TUpdateGuard() noexcept(false)
  {
    if (std::uncaught_exceptions() == FExceptions) {
      FList.EndUpdate();
      return;
    }
    try {
      FList.EndUpdate();
    } catch (...) {
    }
  }

private:
  TStrings& FList;
  int FExceptions;
};

struct TDelimiting {
  char Delimiter;
  char Quote;
  bool Strict;
};

std::string JoinDelimited(const TStrings& list, TDelimiting d)
{
  int count = list.Count();
  if (count == 1 && list.Get(0).empty() && d.Quote) return std::string(2, d.Quote);
  std::string result;
  for (int i = 0; i < count; ++i) {
    std::string s = list.Get(i);
    if (i > 0) result += d.Delimiter;
    bool quote = false;
    if (d.Quote)
      for (size_t k = 0; k < s.size() && !quote; k += CharLength(s, k))
        quote = CharLength(s, k) == 1 && (s[k] == d.Delimiter || s[k] == d.Quote || (!d.Strict && IsBlank(s[k])));
    if (!quote) {
      result += s;
      continue;
    }
    result += d.Quote;
    for (size_t k = 0; k < s.size();) {
      size_t len = CharLength(s, k);
      if (len == 1 && s[k] == d.Quote) result += d.Quote;
      result.append(s, k, len);
      k += len;
    }
    result += d.Quote;
  }
  return result;
}

// Splits delimited text back into items. A quote character opens a quoted part only at the start
// of an item; text after the closing quote, up to the next separator, still belongs to the item.
std::vector<std::string> SplitDelimited(std::string_view text, TDelimiting d)
{
  std::vector<std::string> items;
  size_t i = 0, n = text.size();
  auto skipBlanks = [&] {
    if (!d.Strict)
      while (i < n && IsBlank(text[i])) ++i;
  };
  auto isSeparator = [&](size_t k) { return text[k] == d.Delimiter || (!d.Strict && IsBlank(text[k])); };
  skipBlanks();
  if (i >= n) return items;
  for (;;) {
    std::string item;
    if (d.Quote && text[i] == d.Quote) {
      ++i;
      while (i < n) {
        size_t len = CharLength(text, i);
        if (len == 1 && text[i] == d.Quote) {
          if (i + 1 < n && text[i + 1] == d.Quote) {
            item += d.Quote;
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item.append(text.substr(i, len));
        i += len;
      }
    }
    while (i < n && !(CharLength(text, i) == 1 && isSeparator(i))) {
      size_t len = CharLength(text, i);
      item.append(text.substr(i, len));
      i += len;
    }
    items.push_back(std::move(item));
    skipBlanks();
    if (i >= n) break;
    if (text[i] == d.Delimiter) {
      ++i;
      skipBlanks();
      if (i >= n) {
        items.emplace_back();  // a delimiter at the end leaves an empty last item
        break;
      }
    }
  }
  return items;
}

}  // namespace

// --- TStrings ---

void TStrings::Put(int index, const std::string& s)
{
  TObject* obj = GetObject(index);
  TUpdateGuard update(*this);
  Delete(index);
  InsertObject(index, s, obj);
}

void TStrings::InsertObject(int index, const std::string& s, TObject* obj)
{
  TUpdateGuard update(*this);
  Insert(index, s);
  PutObject(index, obj);
}

int TStrings::Add(const std::string& s)
{
  int index = GetCount();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const std::string& s, TObject* obj)
{
  TUpdateGuard update(*this);
  int index = Add(s);
  PutObject(index, obj);
  return index;
}

void TStrings::AddStrings(const TStrings* strings)
{
  if (!strings) return;
  // Copied first: strings may be this list, which grows (and may reorder) as we add.
  int count = strings->Count();
  std::vector<std::pair<std::string, TObject*>> items;
  items.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) items.emplace_back(strings->Get(i), strings->GetObject(i));
  TUpdateGuard update(*this);
  for (auto& [s, obj] : items) AddObject(s, obj);
}

int TStrings::IndexOf(std::string_view s) const
{
  for (int i = 0, count = GetCount(); i < count; ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(std::string_view name) const
{
  for (int i = 0, count = GetCount(); i < count; ++i) {
    std::string s = Get(i);
    size_t p = FindChar(s, FNameValueSeparator);
    if (p != std::string::npos && CompareStrings(std::string_view(s).substr(0, p), name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* obj) const
{
  for (int i = 0, count = GetCount(); i < count; ++i)
    if (GetObject(i) == obj) return i;
  return -1;
}

void TStrings::Exchange(int index1, int index2)
{
  std::string s1 = Get(index1), s2 = Get(index2);
  TObject* o1 = GetObject(index1);
  TObject* o2 = GetObject(index2);
  TUpdateGuard update(*this);
  Put(index1, s2);
  PutObject(index1, o2);
  Put(index2, s1);
  PutObject(index2, o1);
}

void TStrings::Move(int curIndex, int newIndex)
{
  if (curIndex == newIndex) return;
  std::string s = Get(curIndex);
  TObject* obj = GetObject(curIndex);
  TUpdateGuard update(*this);
  Delete(curIndex);
  InsertObject(newIndex, s, obj);
}

bool TStrings::Equals(const TStrings* strings) const
{
  if (!strings) return false;
  int count = GetCount();
  if (strings->GetCount() != count) return false;
  for (int i = 0; i < count; ++i)
    if (Get(i) != strings->Get(i)) return false;
  return true;
}

void TStrings::Assign(TPersistent* source)
{
  auto* strings = dynamic_cast<TStrings*>(source);
  if (!strings) {
    TPersistent::Assign(source);
    return;
  }
  if (strings == this) return;
  TUpdateGuard update(*this);
  Clear();
  FNameValueSeparator = strings->FNameValueSeparator;
  FDelimiter = strings->FDelimiter;
  FQuoteChar = strings->FQuoteChar;
  FStrictDelimiter = strings->FStrictDelimiter;
  AddStrings(strings);
}

void TStrings::AssignTo(TPersistent* dest)
{
  if (auto* strings = dynamic_cast<TStrings*>(dest))
    strings->Assign(this);
  else
    TPersistent::AssignTo(dest);
}

std::string TStrings::Names(int index) const
{
  std::string s = Get(index);
  size_t p = FindChar(s, FNameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::ValueFromIndex(int index) const
{
  std::string s = Get(index);
  size_t p = FindChar(s, FNameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int index, std::string_view value)
{
  if (value.empty()) {
    Delete(index);
    return;
  }
  std::string line = Names(index);
  line += FNameValueSeparator;
  line += value;
  Put(index, line);
}

std::string TStrings::Values(std::string_view name) const
{
  int index = IndexOfName(name);
  return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValue(std::string_view name, std::string_view value)
{
  int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  std::string line(name);
  line += FNameValueSeparator;
  line += value;
  if (index < 0)
    Add(line);
  else
    Put(index, line);
}

std::string TStrings::Text() const
{
  int count = GetCount();
  std::string result;
  for (int i = 0; i < count; ++i) {
    result += Get(i);
    result += "\r\n";
  }
  return result;
}

void TStrings::SetText(std::string_view text)
{
  TUpdateGuard update(*this);
  Clear();
  size_t i = 0, n = text.size();
  while (i < n) {
    size_t start = i;
    while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
    Add(std::string(text.substr(start, i - start)));
    if (i < n && text[i] == '\r') ++i;
    if (i < n && text[i] == '\n') ++i;
  }
}

std::string TStrings::DelimitedText() const
{
  return JoinDelimited(*this, {FDelimiter, FQuoteChar, FStrictDelimiter});
}

void TStrings::SetDelimitedText(std::string_view text)
{
  std::vector<std::string> items = SplitDelimited(text, {FDelimiter, FQuoteChar, FStrictDelimiter});
  TUpdateGuard update(*this);
  Clear();
  for (const std::string& s : items) Add(s);
}

std::string TStrings::CommaText() const { return JoinDelimited(*this, {',', '"', false}); }

void TStrings::SetCommaText(std::string_view text)
{
  std::vector<std::string> items = SplitDelimited(text, {',', '"', false});
  TUpdateGuard update(*this);
  Clear();
  for (const std::string& s : items) Add(s);
}

void TStrings::BeginUpdate()
{
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate()
{
  if (FUpdateCount <= 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::LoadFromStream(TStream& stream)
{
  int64_t size = stream.Size() - stream.Position();
  std::string text(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
  stream.ReadBuffer(text.data(), static_cast<int64_t>(text.size()));
  SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const
{
  std::string text = Text();
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName)
{
  auto file = MakeOwned<TFileStream>(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(*file);
}

void TStrings::SaveToFile(const std::string& fileName) const
{
  auto file = MakeOwned<TFileStream>(fileName, fmCreate);
  SaveToStream(*file);
}

int TStrings::CompareStrings(std::string_view s1, std::string_view s2) const
{
  return AnsiCompare(s1, s2, NORM_IGNORECASE);
}

// --- TStringList ---

TStringList::~TStringList() { FreeObjects(); }

void TStringList::BeforeDestruction()
{
  // No change notices while the list goes.
  FOnChange = nullptr;
  FOnChanging = nullptr;
  TStrings::BeforeDestruction();
}

void TStringList::FreeObjects()
{
  if (!FOwnsObjects) return;
  std::vector<TItem> items = std::move(FList);
  FList.clear();
  for (TItem& item : items) Free(item.Object);
}

void TStringList::CheckIndex(int index) const
{
  if (index < 0 || index >= GetCount())
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStringList::CheckUnsorted() const
{
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
}

std::string TStringList::Get(int index) const
{
  CheckIndex(index);
  return FList[index].String;
}

TObject* TStringList::GetObject(int index) const
{
  CheckIndex(index);
  return FList[index].Object;
}

void TStringList::Put(int index, const std::string& s)
{
  CheckUnsorted();
  CheckIndex(index);
  Changing();
  FList[index].String = s;
  Changed();
}

void TStringList::PutObject(int index, TObject* obj)
{
  CheckIndex(index);
  Changing();
  TObject* old = std::exchange(FList[index].Object, obj);
  // An owning list owns what it holds: a replaced object would otherwise be lost.
  if (FOwnsObjects && old != obj) Free(old);
  Changed();
}

void TStringList::Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const std::string& s, TObject* obj)
{
  CheckUnsorted();
  if (index < 0 || index > GetCount())
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
  InsertItem(index, s, obj);
}

void TStringList::InsertItem(int index, const std::string& s, TObject* obj)
{
  Changing();
  FList.insert(FList.begin() + index, TItem{s, obj});
  Changed();
}

void TStringList::Delete(int index)
{
  CheckIndex(index);
  Changing();
  TObject* obj = FList[index].Object;
  FList.erase(FList.begin() + index);
  if (FOwnsObjects) Free(obj);
  Changed();
}

void TStringList::Clear()
{
  if (FList.empty()) return;
  Changing();
  FreeObjects();
  FList.clear();
  Changed();
}

int TStringList::Add(const std::string& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const std::string& s, TObject* obj)
{
  int index = GetCount();
  if (FSorted && Find(s, index)) {
    if (FDuplicates == TDuplicates::dupIgnore) return index;
    if (FDuplicates == TDuplicates::dupError) throw EStringListError("String list does not allow duplicates");
  }
  InsertItem(index, s, obj);
  return index;
}

int TStringList::IndexOf(std::string_view s) const
{
  if (!FSorted) return TStrings::IndexOf(s);
  int index;
  return Find(s, index) ? index : -1;
}

void TStringList::Exchange(int index1, int index2)
{
  CheckUnsorted();
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(FList[index1], FList[index2]);
  Changed();
}

void TStringList::Move(int curIndex, int newIndex)
{
  CheckUnsorted();
  CheckIndex(curIndex);
  CheckIndex(newIndex);
  if (curIndex == newIndex) return;
  Changing();
  // Moved within the list: the object is never deleted on the way, even when the list owns it.
  if (curIndex < newIndex)
    std::rotate(FList.begin() + curIndex, FList.begin() + curIndex + 1, FList.begin() + newIndex + 1);
  else
    std::rotate(FList.begin() + newIndex, FList.begin() + curIndex, FList.begin() + curIndex + 1);
  Changed();
}

void TStringList::SetValue(std::string_view name, std::string_view value)
{
  int index = IndexOfName(name);
  if (!FSorted || index < 0 || value.empty()) {
    TStrings::SetValue(name, value);
    return;
  }
  // A sorted list moves the changed line to its new place, keeping its object.
  std::string line(name);
  line += NameValueSeparator();
  line += value;
  if (FList[index].String == line) return;
  Changing();
  TItem item = std::move(FList[index]);
  FList.erase(FList.begin() + index);
  item.String = std::move(line);
  int target;
  Find(item.String, target);
  FList.insert(FList.begin() + target, std::move(item));
  Changed();
}

bool TStringList::Find(std::string_view s, int& index) const
{
  int lo = 0, hi = GetCount();
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (CompareStrings(FList[mid].String, s) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  index = lo;
  return lo < GetCount() && CompareStrings(FList[lo].String, s) == 0;
}

void TStringList::Sort()
{
  CustomSort([](TStringList* list, int index1, int index2) {
    return list->CompareStrings(list->FList[index1].String, list->FList[index2].String);
  });
}

void TStringList::CustomSort(TStringListSortCompare compare)
{
  if (FSorted || GetCount() < 2 || !compare) return;
  Changing();
  std::vector<int> order = StableSortOrder(GetCount(), [&](int a, int b) { return compare(this, a, b); });
  std::vector<TItem> sorted;
  sorted.reserve(FList.size());
  for (int i : order) sorted.push_back(std::move(FList[i]));
  FList = std::move(sorted);
  Changed();
}

void TStringList::SetSorted(bool value)
{
  if (FSorted == value) return;
  if (value) Sort();
  FSorted = value;
}

void TStringList::SetCaseSensitive(bool value)
{
  SetAndNotify(FCaseSensitive, value, [this] {
    if (FSorted) {
      // Re-sorted in the new order, since Find relies on it.
      FSorted = false;
      try {
        Sort();
      } catch (...) {
        FSorted = true;
        throw;
      }
      FSorted = true;
    }
  });
}

void TStringList::Changed()
{
  if (UpdateCount() == 0 && FOnChange) FOnChange(this);
}

void TStringList::Changing()
{
  if (UpdateCount() == 0 && FOnChanging) FOnChanging(this);
}

void TStringList::SetUpdateState(bool updating)
{
  if (updating)
    Changing();
  else
    Changed();
}

int TStringList::CompareStrings(std::string_view s1, std::string_view s2) const
{
  return AnsiCompare(s1, s2, FCaseSensitive ? 0 : NORM_IGNORECASE);
}
