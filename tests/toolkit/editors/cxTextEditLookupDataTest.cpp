// The lookup data of text editors: the prefix search by editing style, from the top and from the
// list's item, whole-text matching, navigation with and without wrapping, and the item-chosen event.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "toolkit/editors/cxTextEditLookupData.h"
#include "toolkit/editors/cxTextEditProperties.h"

namespace {

// An editor as the lookup data sees it: its style, text and editing answer are set by the test.
class TFakeLookupOwner : public TObject, public IcxTextEditLookupOwner {
  CL_CLASS(TFakeLookupOwner, TObject)
public:
  explicit TFakeLookupOwner(std::vector<std::string> items) : Properties(MakeOwned<TcxTextEditProperties>(nullptr))
  {
    for (const auto& s : items) Properties->LookupItems()->Add(s);
  }
  TcxCustomTextEditProperties* LookupProperties() const override { return Properties.get(); }
  int LookupEditingStyle() const override { return Style; }
  std::string LookupEditText() const override { return Text; }
  bool EditingQueryActive() const override { return false; }
  bool QueryEditing() override { return true; }
  bool SettingValueInternally() const override { return Setting; }
  void SetSettingValueInternally(bool value) override { Setting = value; }
  void ItemChosen(TObject*)
  {
    ++Chosen;
    ChosenWhileSetting = Setting;
  }

  TOwned<TcxTextEditProperties> Properties;
  int Style = 0;
  std::string Text;
  bool Setting = false;
  int Chosen = 0;
  bool ChosenWhileSetting = false;
};
CL_DEFINE_CLASS(TFakeLookupOwner);

struct TLookupFixture {
  explicit TLookupFixture(std::vector<std::string> items, int style = 0)
      : Owner(MakeOwned<TFakeLookupOwner>(std::move(items))),
        Data(MakeOwned<TcxCustomTextEditLookupData>(nullptr, Owner.get()))
  {
    Owner->Style = style;
    Data->SetOnItemChosen(TNotifyEvent(Owner.get(), &TFakeLookupOwner::ItemChosen));
  }
  TOwned<TFakeLookupOwner> Owner;
  TOwned<TcxCustomTextEditLookupData> Data;
};

TEST(TextEditLookupData, PrefixSearchByStyleAndStart)
{
  struct TCase {
    int Style;
    int StartItem;  // made current (and shown in the list) first; -1 none
    bool FromCurrent;
    std::string Text;
    bool Found;
    std::string NewText, Tail;
    int Current;
  };
  const TCase cases[] = {
      {1, -1, false, "ap", true, "Ap", "ple", 0},
      {1, 0, true, "ap", true, "ap", "ricot", 1},
      {0, -1, false, "ap", true, "ap", "ple", 0},   // style 0 keeps the typed letter case
      {2, -1, false, "BAN", true, "Ban", "ana", 2},
      {1, 1, true, "ap", false, "ap", "", 1},        // no wrap-around past the last item
      {0, 1, false, "", false, "", "", -1},          // empty text: nothing, style 0 clears
      {1, 1, false, "", false, "", "", -1},          // style 1 clears on the empty text
      {1, 1, false, "x", false, "x", "", 1},         // style 1 keeps it on a miss
      {2, 1, false, "x", false, "x", "", 1},         // style 2 keeps it
      {0, 1, false, "x", false, "x", "", -1},        // style 0 clears
      {1, -1, false, "apples", false, "apples", "", -1},
      {1, -1, false, "中", true, "中", "文字", 3},
  };
  for (const TCase& c : cases) {
    TLookupFixture f({"Apple", "apricot", "Banana", "中文字"}, c.Style);
    if (c.StartItem >= 0) f.Data->SelectKey(Variant(c.StartItem));
    std::string text = c.Text, tail;
    const bool found = f.Data->Find(text, tail, c.FromCurrent);
    SCOPED_TRACE("style " + std::to_string(c.Style) + " text " + c.Text);
    EXPECT_EQ(found, c.Found);
    EXPECT_EQ(text, c.NewText);
    EXPECT_EQ(tail, c.Tail);
    EXPECT_EQ(f.Data->CurrentItem(), c.Current);
  }
}

TEST(TextEditLookupData, WholeTextMatchingAndContainsText)
{
  TLookupFixture f({"Apple", "apricot"}, 1);
  f.Owner->Properties->SetLookupWholeText(true);
  f.Owner->Text = "APRICOT";
  f.Data->ApplyListSelection();
  EXPECT_EQ(f.Data->CurrentItem(), 1);
  f.Owner->Text = "apr";
  f.Data->ApplyListSelection();
  EXPECT_EQ(f.Data->CurrentItem(), -1);
  EXPECT_TRUE(f.Data->ContainsText("apple"));
  EXPECT_FALSE(f.Data->ContainsText("appl"));
  EXPECT_EQ(f.Data->GetDisplayText(Variant(1)), "apricot");
  EXPECT_EQ(f.Data->GetDisplayText(Variant(2)), "");
  EXPECT_EQ(f.Data->GetDisplayText(Variant()), "");
}

TEST(TextEditLookupData, NavigationTable)
{
  using N = TcxLookupNavigation;
  struct TCase {
    int Count, Start;
    N Direction;
    bool Cyclic;
    int Expected;
  };
  const TCase cases[] = {
      {5, 4, N::Next, false, 4},      {5, 4, N::Next, true, 0},       {5, 1, N::Next, false, 2},
      {5, 0, N::Previous, false, 0},  {5, 0, N::Previous, true, 4},   {5, 2, N::First, false, 0},
      {5, 2, N::Last, false, 4},      {20, -1, N::PageDown, false, 7}, {5, -1, N::PageDown, false, 4},
      {20, 3, N::PageDown, false, 10}, {20, 19, N::PageDown, true, 0}, {20, 15, N::PageDown, true, 19},
      {20, 10, N::PageUp, false, 3},  {20, 3, N::PageUp, false, 0},    {20, 0, N::PageUp, true, 19},
      {20, -1, N::PageUp, false, -1}, {20, -1, N::PageUp, true, 19},   {5, -1, N::Next, false, 0},
  };
  for (const TCase& c : cases) {
    std::vector<std::string> items;
    for (int i = 0; i < c.Count; ++i) items.push_back("item" + std::to_string(i));
    TLookupFixture f(items);
    if (c.Start >= 0) f.Data->SelectKey(Variant(c.Start));
    f.Data->Navigate(c.Direction, c.Cyclic);
    EXPECT_EQ(f.Data->CurrentItem(), c.Expected)
        << "count " << c.Count << " from " << c.Start << " direction " << int(c.Direction) << " cyclic " << c.Cyclic;
  }
  TLookupFixture empty({});
  empty.Data->Navigate(N::Last, false);
  EXPECT_EQ(empty.Data->CurrentItem(), -1);
}

TEST(TextEditLookupData, ItemChosenWhenTheItemOrItsTextChanges)
{
  TLookupFixture f({"Apple", "Banana"});
  f.Data->SelectKey(Variant(1));
  EXPECT_EQ(f.Owner->Chosen, 1);
  EXPECT_TRUE(f.Owner->ChosenWhileSetting);
  EXPECT_FALSE(f.Owner->Setting);
  f.Owner->Text = "Banana";
  f.Data->SelectKey(Variant(1));  // same item, same text: nothing
  EXPECT_EQ(f.Owner->Chosen, 1);
  f.Owner->Text = "banana";
  f.Data->SelectKey(Variant(1));  // same item, text differs in case
  EXPECT_EQ(f.Owner->Chosen, 2);
  f.Data->SelectKey(Variant(7));  // no such item: nothing changes
  EXPECT_EQ(f.Data->CurrentItem(), 1);
  EXPECT_EQ(f.Owner->Chosen, 2);
  // Committing the list's item fires even when it was current already.
  f.Owner->Text = "Banana";
  f.Data->CommitListSelection();
  EXPECT_EQ(f.Owner->Chosen, 3);
}

}  // namespace
