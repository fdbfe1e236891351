// String lists: sorting, duplicates, search, delimited and line-broken text, name=value lines,
// change notices, owned objects and persistence.
#include <gtest/gtest.h>
#include "tests/support/TestHelpers.h"
#include <functional>
#include <string>
#include <vector>
#include "classlib/Streams.h"
#include "classlib/Strings.h"

namespace {

using Lines = std::vector<std::string>;

Lines Contents(const TStrings& list)
{
  Lines result;
  for (int i = 0; i < list.Count(); ++i) result.push_back(list.Get(i));
  return result;
}

void Fill(TStrings& list, const Lines& lines)
{
  list.Clear();
  for (const std::string& s : lines) list.Add(s);
}

// Counts change notices.
class TListener : public TObject {
  CL_CLASS(TListener, TObject)
public:
  std::string Log;
  void Changing(TObject*) { Log += "<"; }
  void Changed(TObject*) { Log += ">"; }
};

// An object that reports its destruction.
class TMarker : public TObject {
  CL_CLASS(TMarker, TObject)
public:
  explicit TMarker(int* freed) : FFreed(freed) {}
  ~TMarker() override { ++*FFreed; }

private:
  int* FFreed;
};


}  // namespace

CL_DEFINE_CLASS(TListener);
CL_DEFINE_CLASS(TMarker);

TEST(StringList, SortedListsApplyDuplicatesAndCaseSensitivity)
{
  struct Case {
    TDuplicates Duplicates;
    bool CaseSensitive;
    Lines Added;
    Lines Expected;  // empty with Refused: the last Add raises
    bool Refused;
  };
  const Case cases[] = {
      // Locale order, not byte order: "B" between "a" and "c".
      {TDuplicates::dupIgnore, false, {"c", "B", "a", "b"}, {"a", "B", "c"}, false},
      {TDuplicates::dupAccept, false, {"c", "B", "a", "b"}, {"a", "b", "B", "c"}, false},  // before its equals
      {TDuplicates::dupIgnore, true, {"c", "B", "a", "b", "b"}, {"a", "b", "B", "c"}, false},
      {TDuplicates::dupError, false, {"x", "y", "X"}, {}, true},
      {TDuplicates::dupError, true, {"x", "y", "X"}, {"x", "X", "y"}, false},
      {TDuplicates::dupIgnore, false, {"文件", "搜索", "文件", "abc"}, {"abc", "搜索", "文件"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.Added));
    auto list = MakeOwned<TStringList>();
    list->SetSorted(true);
    list->SetDuplicates(c.Duplicates);
    list->SetCaseSensitive(c.CaseSensitive);
    if (c.Refused) {
      for (size_t i = 0; i + 1 < c.Added.size(); ++i) list->Add(c.Added[i]);
      EXPECT_EQ(MessageOf<EStringListError>([&] { list->Add(c.Added.back()); }),
                "String list does not allow duplicates");
      EXPECT_EQ(list->Count(), static_cast<int>(c.Added.size()) - 1);
      continue;
    }
    for (const std::string& s : c.Added) list->Add(s);
    EXPECT_EQ(Contents(*list), c.Expected);
  }
}

TEST(StringList, FindAndIndexOf)
{
  auto list = MakeOwned<TStringList>();
  list->SetDuplicates(TDuplicates::dupAccept);
  list->SetSorted(true);
  for (const char* s : {"pear", "Apple", "fig", "fig", "kiwi"}) list->Add(s);
  ASSERT_EQ(Contents(*list), (Lines{"Apple", "fig", "fig", "kiwi", "pear"}));
  struct Case {
    const char* Sought;
    bool Found;
    int Index;
  };
  const Case cases[] = {{"apple", true, 0}, {"FIG", true, 1}, {"pear", true, 4}, {"aardvark", false, 0},
                        {"grape", false, 3}, {"zucchini", false, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Sought);
    int index = -1;
    EXPECT_EQ(list->Find(c.Sought, index), c.Found);
    EXPECT_EQ(index, c.Index);
    EXPECT_EQ(list->IndexOf(c.Sought), c.Found ? c.Index : -1);
  }
  // Turning case sensitivity on re-sorts and searches exactly.
  list->SetCaseSensitive(true);
  EXPECT_EQ(list->IndexOf("apple"), -1);
  EXPECT_EQ(list->IndexOf("Apple"), 0);
  // An unsorted list searches linearly, by the same comparison.
  auto plain = MakeOwned<TStringList>();
  Fill(*plain, {"b", "A", "a"});
  EXPECT_EQ(plain->IndexOf("a"), 1);
  plain->SetCaseSensitive(true);
  EXPECT_EQ(plain->IndexOf("a"), 2);
  EXPECT_EQ(plain->IndexOf("c"), -1);
}

TEST(StringList, SortAndCustomSortCarryObjects)
{
  auto list = MakeOwned<TStringList>();
  auto a = MakeOwned<TObject>();
  auto b = MakeOwned<TObject>();
  auto c = MakeOwned<TObject>();
  list->AddObject("ccc", a.get());
  list->AddObject("a", b.get());
  list->AddObject("bb", c.get());
  list->AddObject("dd", nullptr);
  // By length, then stably: "bb" stays before "dd".
  list->CustomSort([](TStringList* l, int i, int j) {
    return static_cast<int>(l->Get(i).size()) - static_cast<int>(l->Get(j).size());
  });
  EXPECT_EQ(Contents(*list), (Lines{"a", "bb", "dd", "ccc"}));
  EXPECT_EQ(list->Objects(0), b.get());
  EXPECT_EQ(list->Objects(3), a.get());
  list->Sort();
  EXPECT_EQ(Contents(*list), (Lines{"a", "bb", "ccc", "dd"}));
  EXPECT_EQ(list->Objects(2), a.get());
  EXPECT_EQ(list->IndexOfObject(c.get()), 1);
}

TEST(StringList, SortedListsAndBadIndexesRefuseChanges)
{
  auto list = MakeOwned<TStringList>();
  Fill(*list, {"b", "a"});
  list->SetSorted(true);
  ASSERT_EQ(Contents(*list), (Lines{"a", "b"}));
  const std::pair<const char*, std::function<void()>> sortedOps[] = {
      {"Insert", [&] { list->Insert(0, "z"); }}, {"Put", [&] { list->Put(0, "z"); }},
      {"Exchange", [&] { list->Exchange(0, 1); }}, {"Move", [&] { list->Move(0, 1); }}};
  for (auto& [what, op] : sortedOps)
    EXPECT_EQ(MessageOf<EStringListError>(op), "Operation not allowed on sorted list") << what;
  EXPECT_EQ(Contents(*list), (Lines{"a", "b"}));

  list->SetSorted(false);
  const std::pair<std::function<void()>, const char*> indexOps[] = {
      {[&] { list->Get(2); }, "List index out of bounds (2)"},
      {[&] { list->Objects(-1); }, "List index out of bounds (-1)"},
      {[&] { list->Delete(5); }, "List index out of bounds (5)"},
      {[&] { list->Insert(3, "x"); }, "List index out of bounds (3)"},
      {[&] { list->Move(0, 2); }, "List index out of bounds (2)"}};
  for (auto& [op, message] : indexOps) EXPECT_EQ(MessageOf<EStringListError>(op), message);
}

TEST(Strings, DelimitedTextRoundTrips)
{
  struct Case {
    char Delimiter;
    bool Strict;
    Lines Items;
    const char* Text;
  };
  const Case cases[] = {
      {',', false, {"a", "b c", "", "say \"hi\"", "\t"}, "a,\"b c\",,\"say \"\"hi\"\"\",\"\t\""},
      {',', false, {""}, R"("")"},
      {',', false, {"", ""}, ","},
      {',', false, {}, ""},
      {',', false, {"文件名", "中文 空格", "a,b"}, R"(文件名,"中文 空格","a,b")"},
      // The trail byte of 億 is '|': it neither splits nor gets the item quoted.
      {'|', false, {"億元", "x|y"}, R"(億元|"x|y")"},
      {';', true, {" a ", "b c", "d;e", ""}, R"( a ;b c;"d;e";)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    auto list = MakeOwned<TStringList>();
    list->SetDelimiter(c.Delimiter);
    list->SetStrictDelimiter(c.Strict);
    Fill(*list, c.Items);
    EXPECT_EQ(list->DelimitedText(), c.Text);
    auto back = MakeOwned<TStringList>();
    back->SetDelimiter(c.Delimiter);
    back->SetStrictDelimiter(c.Strict);
    back->SetDelimitedText(list->DelimitedText());
    EXPECT_EQ(Contents(*back), c.Items);
  }
}

TEST(Strings, DelimitedTextIsReadLeniently)
{
  struct Case {
    const char* Text;
    bool Strict;
    Lines Items;
  };
  const Case cases[] = {
      {"  a ,  b  c ,", false, {"a", "b", "c", ""}},  // blanks separate and are trimmed
      {R"( "x, y" , "unterminated)", false, {"x, y", "unterminated"}},
      {R"("ab"cd,e)", false, {"abcd", "e"}},  // text after the closing quote stays in the item
      {R"(a"b,c)", false, {"a\"b", "c"}},     // a quote inside an item is just a character
      {"   ", false, {}},
      {"   ", true, {"   "}},
      {" a , b ", true, {" a ", " b "}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    auto list = MakeOwned<TStringList>();
    list->SetStrictDelimiter(c.Strict);
    list->SetDelimitedText(c.Text);
    EXPECT_EQ(Contents(*list), c.Items);
  }
  // CommaText is ',' and '"' whatever the list's own settings are.
  auto list = MakeOwned<TStringList>();
  list->SetDelimiter(';');
  list->SetStrictDelimiter(true);
  list->SetCommaText("a b,\"c;d\"");
  EXPECT_EQ(Contents(*list), (Lines{"a", "b", "c;d"}));
  EXPECT_EQ(list->CommaText(), "a,b,c;d");
  EXPECT_EQ(list->DelimitedText(), "a;b;\"c;d\"");
}

TEST(Strings, TextSplitsAtEveryKindOfLineBreak)
{
  struct Case {
    const char* Text;
    Lines Items;
  };
  const Case cases[] = {
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"a\r\n", {"a"}},
      {"a\r\n\r\n", {"a", ""}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR is two breaks
      {"\r\n", {""}},
      {"", {}},
      {"第一行\r\n第二行\n", {"第一行", "第二行"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.Text)));
    auto list = MakeOwned<TStringList>();
    list->SetText(c.Text);
    EXPECT_EQ(Contents(*list), c.Items);
  }
  auto list = MakeOwned<TStringList>();
  Fill(*list, {"a", "", "中文"});
  EXPECT_EQ(list->Text(), "a\r\n\r\n中文\r\n");
}

TEST(Strings, NamesAndValues)
{
  auto list = MakeOwned<TStringList>();
  Fill(*list, {"Path=C:\\文件", "plain", "Mode=fast", "empty="});
  EXPECT_EQ(list->Names(0), "Path");
  EXPECT_EQ(list->Names(1), "");
  EXPECT_EQ(list->ValueFromIndex(1), "");  // no separator, no value
  EXPECT_EQ(list->Values("path"), "C:\\文件");
  EXPECT_EQ(list->Values("missing"), "");
  EXPECT_EQ(list->IndexOfName("MODE"), 2);
  list->SetValue("mode", "slow");  // replaced where it is, under the name as given
  list->SetValue("New", "1");
  list->SetValue("Path", "");      // an empty value deletes the line
  EXPECT_EQ(Contents(*list), (Lines{"plain", "mode=slow", "empty=", "New=1"}));
  list->SetValueFromIndex(3, "2");
  EXPECT_EQ(list->Get(3), "New=2");

  // A custom separator that is also a trail byte (of 億) is found only as a character.
  auto other = MakeOwned<TStringList>();
  other->SetNameValueSeparator('|');
  other->Add("億|一亿");
  EXPECT_EQ(other->Names(0), "億");
  EXPECT_EQ(other->Values("億"), "一亿");

  // A sorted list moves a changed line to its place and keeps its object.
  auto sorted = MakeOwned<TStringList>();
  sorted->SetSorted(true);
  auto obj = MakeOwned<TObject>();
  sorted->AddObject("b=2", obj.get());
  sorted->Add("c=3");
  sorted->SetValue("b", "9");
  sorted->SetValue("a", "1");
  EXPECT_EQ(Contents(*sorted), (Lines{"a=1", "b=9", "c=3"}));
  EXPECT_EQ(sorted->Objects(1), obj.get());
  sorted->SetValue("a", "x");
  sorted->SetValue("b", "z");
  EXPECT_EQ(Contents(*sorted), (Lines{"a=x", "b=z", "c=3"}));
  EXPECT_EQ(sorted->Objects(1), obj.get());
}

TEST(StringList, ChangeNoticesComeOncePerUpdateBlock)
{
  auto listener = MakeOwned<TListener>();
  auto list = MakeOwned<TStringList>();
  list->SetOnChanging(TNotifyEvent(listener.get(), &TListener::Changing));
  list->SetOnChange(TNotifyEvent(listener.get(), &TListener::Changed));
  list->Add("a");
  list->Insert(0, "b");
  EXPECT_EQ(listener->Log, "<><>");
  listener->Log.clear();
  list->BeginUpdate();
  list->BeginUpdate();
  list->Add("c");
  list->Delete(0);
  list->EndUpdate();
  EXPECT_EQ(listener->Log, "<");
  list->EndUpdate();
  EXPECT_EQ(listener->Log, "<>");
  listener->Log.clear();
  list->SetText("x\r\ny\r\nz");
  list->SetCommaText("1,2");
  EXPECT_EQ(listener->Log, "<><>");
  listener->Log.clear();
  list->Get(0);
  list->IndexOf("2");
  EXPECT_EQ(listener->Log, "");
}

TEST(StringList, AnOwningListFreesItsObjects)
{
  int freed = 0;
  {
    auto list = MakeOwned<TStringList>(true);
    list->AddObject("a", New<TMarker>(&freed));
    list->AddObject("b", New<TMarker>(&freed));
    list->AddObject("c", New<TMarker>(&freed));
    list->Move(0, 2);      // moving keeps the object
    list->Exchange(0, 1);
    EXPECT_EQ(freed, 0);
    list->Delete(0);
    EXPECT_EQ(freed, 1);
    list->PutObject(0, New<TMarker>(&freed));  // the replaced object goes
    EXPECT_EQ(freed, 2);
  }
  EXPECT_EQ(freed, 4);  // the rest go with the list
  auto notOwning = MakeOwned<TStringList>();
  auto kept = MakeOwned<TMarker>(&freed);
  notOwning->AddObject("k", kept.get());
  notOwning->Clear();
  EXPECT_EQ(freed, 4);
}

TEST(Strings, AssignEqualsAndAddStrings)
{
  auto source = MakeOwned<TStringList>();
  auto obj = MakeOwned<TObject>();
  source->SetDelimiter(';');
  source->AddObject("one", obj.get());
  source->Add("two");
  TOwned<TStringList> copy = MakeOwned<TStringList>();
  copy->Add("old");
  copy->Assign(source.get());
  EXPECT_TRUE(copy->Equals(source.get()));
  EXPECT_EQ(copy->Objects(0), obj.get());
  EXPECT_EQ(copy->Delimiter(), ';');
  copy->Add("three");
  EXPECT_FALSE(copy->Equals(source.get()));
  copy->AddStrings(copy.get());  // adding a list to itself doubles it once
  EXPECT_EQ(Contents(*copy), (Lines{"one", "two", "three", "one", "two", "three"}));
  copy->Exchange(0, 5);
  EXPECT_EQ(copy->Get(0), "three");
  EXPECT_EQ(copy->Objects(5), obj.get());
  EXPECT_THROW(copy->Assign(nullptr), EConvertError);
}

TEST(Strings, StreamsAndFilesCarryTheBytesUnchanged)
{
  auto list = MakeOwned<TStringList>();
  Fill(*list, {"中文", "", "tab\there"});
  auto stream = MakeOwned<TMemoryStream>();
  stream->WriteBuffer("xx", 2);  // saving appends at the position, loading reads from it
  list->SaveToStream(*stream);
  EXPECT_EQ(std::string(static_cast<char*>(stream->Memory()), static_cast<size_t>(stream->Size())),
            "xx中文\r\n\r\ntab\there\r\n");
  stream->SetPosition(2);
  auto back = MakeOwned<TStringList>();
  back->LoadFromStream(*stream);
  EXPECT_TRUE(back->Equals(list.get()));

  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string file = std::string(dir) + "字符串列表.txt";
  list->SaveToFile(file);
  auto fromFile = MakeOwned<TStringList>();
  fromFile->LoadFromFile(file);
  DeleteFileA(file.c_str());
  EXPECT_TRUE(fromFile->Equals(list.get()));
  EXPECT_THROW(fromFile->LoadFromFile(file), EFOpenError);
}
