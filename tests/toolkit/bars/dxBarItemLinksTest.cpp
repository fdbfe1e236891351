// Item links and link collections in memory: the derived lists with separators and groups, recent
// items, accelerators, user overrides, items refused or dropped, merging, stored layouts, item
// options and the change events.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/base/dxCore.h"

namespace {
// A manager and a popup menu whose links the tests fill.
struct TLinksFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBarPopupMenu* Menu = New<TdxBarPopupMenu>(Form);
  TdxBarItemLinks* Links = Menu->ItemLinks();

  template <class T = TTestBarItem>
  T* NewItem(const std::string& caption)
  {
    auto* item = New<T>(Form);
    item->SetCaption(caption);
    return item;
  }
  template <class T = TTestBarItem>
  TdxBarItemLink* Add(const std::string& caption)
  {
    return Links->AddItem(NewItem<T>(caption));
  }
  // The captions of the links of a list, joined by spaces.
  template <class Count, class Get>
  std::string Captions(Count count, Get get) const
  {
    std::string text;
    for (int i = 0; i < (Links->*count)(); ++i) text += (text.empty() ? "" : " ") + (Links->*get)(i)->GetCaption();
    return text;
  }
  std::string Visible() const { return Captions(&TdxBarItemLinks::GetVisibleLinkCount, &TdxBarItemLinks::GetVisibleLink); }
  std::string Showable() const
  {
    return Captions(&TdxBarItemLinks::GetShowableLinkCount, &TdxBarItemLinks::GetShowableLink);
  }
  std::string Recent() const { return Captions(&TdxBarItemLinks::GetRecentLinkCount, &TdxBarItemLinks::GetRecentLink); }
  std::string All() const
  {
    std::string text;
    for (int i = 0; i < Links->Count(); ++i) text += (text.empty() ? "" : " ") + Links->Items(i)->GetCaption();
    return text;
  }
};

// An item that no menu accepts.
class TToolbarOnlyItem : public TdxBarItem {
  CL_CLASS(TToolbarOnlyItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
  bool CanBePlacedIn(TdxBarLinksKind kind, TdxBar*, std::string& message) const override
  {
    message = kind == TdxBarLinksKind::lkMenu ? "not in menus" : "";
    return kind != TdxBarLinksKind::lkMenu;
  }
};
CL_DEFINE_CLASS(TToolbarOnlyItem);
}  // namespace

TEST(dxBarItemLinks, SeparatorsAndGroupsFollowWhatIsShown)
{
  // Each link: "S" a separator or a letter an item, then "-" hidden link, "!" item never shown,
  // "^" the link's BeginGroup.
  struct TCase {
    const char* What;
    std::vector<std::string> Links;
    bool Customizing;
    std::string Visible;
    std::string BeginGroups;  // the visible links whose effective BeginGroup holds
  };
  const TCase cases[] = {
    {"of two separators in a row the second stays", {"A", "S", "S", "B"}, false, "A S2 B", ""},
    {"a separator at the start stays", {"S", "A"}, false, "S0 A", ""},
    {"a separator at the end goes", {"A", "S", "S"}, false, "A", ""},
    {"while customizing every separator stays", {"A", "S", "S"}, true, "A S1 S2", ""},
    {"a hidden link passes its group on", {"A", "B-^", "C"}, false, "A C", "C"},
    {"an item never shown passes its group on", {"A", "B!^", "C"}, false, "A C", "C"},
    {"the first visible link never begins a group", {"A^", "B"}, false, "A B", ""},
    {"a group after a separator is void", {"A", "S", "B^"}, false, "A S1 B", ""},
    {"a group mark stays on a visible link", {"A", "B^", "C"}, false, "A B C", "B"},
    {"the group of a hidden first link is lost", {"A-^", "B"}, false, "B", ""},
  };
  for (const TCase& c : cases) {
    TLinksFixture f;
    for (size_t i = 0; i < c.Links.size(); ++i) {
      const std::string& code = c.Links[i];
      const bool separator = code[0] == 'S';
      const std::string caption = separator ? "S" + std::to_string(i) : code.substr(0, 1);
      TdxBarItemLink* link = separator ? f.Add<TTestSeparator>(caption) : f.Add(caption);
      if (code.find('!') != std::string::npos) link->Item()->SetVisible(ivNever);
      if (code.find('-') != std::string::npos) link->SetVisible(false);
      if (code.find('^') != std::string::npos) link->SetBeginGroup(true);
    }
    f.Manager->SetCustomizing(c.Customizing);
    EXPECT_EQ(f.Visible(), c.Visible) << c.What;
    std::string groups;
    for (int i = 0; i < f.Links->GetVisibleLinkCount(); ++i)
      if (f.Links->GetVisibleLink(i)->GetBeginGroup()) groups += f.Links->GetVisibleLink(i)->GetCaption();
    EXPECT_EQ(groups, c.BeginGroups) << c.What;
    f.Manager->SetCustomizing(false);
  }
}

TEST(dxBarItemLinks, ItemsShownOnlyWhileCustomizingAndTheDerivedLists)
{
  TLinksFixture f;
  f.Add("A");
  f.Add("B")->Item()->SetVisible(ivInCustomizing);
  f.Add("C")->SetVisible(false);
  f.Links->AddLink();  // without item
  EXPECT_EQ(f.Links->GetAvailableLinkCount(), 2);
  EXPECT_EQ(f.Showable(), "A");
  f.Manager->SetCustomizing(true);
  EXPECT_EQ(f.Links->GetAvailableLinkCount(), 3);
  EXPECT_EQ(f.Showable(), "A B");
  f.Manager->SetCustomizing(false);
  EXPECT_EQ(f.Showable(), "A");
}

TEST(dxBarItemLinks, ShortenedMenusShowTheLinksUsedMost)
{
  // Five links used 20, 0, 0, 0 and 21 times, the fifth the most recent, then the first, second,
  // third and fourth.
  struct TCase {
    const char* What;
    int Percents;
    bool UseRecentItems;
    TdxBarManagerStyle Style;
    int Count;
    std::string Visible;
  };
  const TCase cases[] = {
    {"95 percent: threshold 1, two links", 95, true, bmsEnhanced, 2, "L1 L5"},
    {"100 percent: every link", 100, true, bmsEnhanced, -1, "L1 L2 L3 L4 L5"},
    {"the menu does not use recent items", 95, false, bmsEnhanced, -1, "L1 L2 L3 L4 L5"},
    {"the standard style has no recent items", 95, true, bmsStandard, -1, "L1 L2 L3 L4 L5"},
  };
  for (const TCase& c : cases) {
    TLinksFixture f;
    f.Manager->SetStyle(c.Style);
    f.Manager->SetMostRecentItemsPercents(c.Percents);
    f.Menu->SetUseRecentItems(c.UseRecentItems);
    const int uses[] = {20, 0, 0, 0, 21};
    std::vector<TdxBarItemLink*> links;
    for (int i = 0; i < 5; ++i) {
      links.push_back(f.Add("L" + std::to_string(i + 1)));
      links.back()->SetUseCount(uses[i]);
    }
    const int order[] = {4, 0, 1, 2, 3};
    for (int place = 0; place < 5; ++place) f.Links->MoveInRecentList(links[order[place]], place);
    EXPECT_EQ(f.Links->CalcRecentItemCount(), c.Count) << c.What;
    f.Links->SetRecentItemCount(c.Count);
    EXPECT_EQ(f.Visible(), c.Visible) << c.What;
    f.Links->RestoreRecentItemCount();
    EXPECT_EQ(f.Links->RecentItemCount(), -1) << c.What;
  }
}

TEST(dxBarItemLinks, UseCountsAndTheRecentList)
{
  TLinksFixture f;
  f.Menu->SetUseRecentItems(true);
  TdxBarItemLink* a = f.Add("A");
  TdxBarItemLink* b = f.Add("B");
  TdxBarItemLink* c = f.Add("C");
  EXPECT_EQ(a->UseCount(), 20) << "a new most recently used link starts with the initial use count";
  EXPECT_EQ(f.Recent(), "C B A") << "each new link became the most recent";
  a->RegisterUse(true);
  EXPECT_EQ(a->UseCount(), 21);
  EXPECT_EQ(f.Recent(), "A C B");
  b->SetMostRecentlyUsed(false);
  EXPECT_EQ(b->UseCount(), 0);
  EXPECT_EQ(f.Recent(), "A C B");
  c->SetVisible(false);
  EXPECT_EQ(f.Recent(), "A B C") << "a hidden link goes last";
  c->SetVisible(true);
  EXPECT_EQ(f.Recent(), "C A B") << "shown again it is the most recent";
  c->SaveRecentIndex();
  b->MoveToRecentEnd();
  a->MarkUsedInRecentList(false);
  EXPECT_EQ(f.Recent(), "A C B");
  c->RestoreRecentIndex();
  EXPECT_EQ(f.Recent(), "C A B");
  b->CopyUsageFrom(a);
  EXPECT_EQ(b->UseCount(), 21);
  EXPECT_EQ(f.Recent(), "C B A");
  a->SetVisible(false);
  f.Links->CompactRecentList();
  EXPECT_EQ(f.Recent(), "C B A");

  f.Manager->SetMostRecentItemsPercents(100);
  EXPECT_EQ(f.Add("D")->UseCount(), 0);
}

TEST(dxBarItemLinks, AcceleratorsOfMenuLinks)
{
  TLinksFixture f;
  TdxBarItemLink* open = f.Add("&Open");
  TdxBarItemLink* options = f.Add("&Options...");
  TdxBarItemLink* save = f.Add("&Save");
  TdxBarItemLink* two = f.Add("&2 Two");
  TdxBarItemLink* amp = f.Add("Fish && &Chips");
  const TShiftState none, shift{TShiftStateFlag::ssShift}, ctrl{TShiftStateFlag::ssCtrl}, alt{TShiftStateFlag::ssAlt};
  struct TCase {
    const char* What;
    int Key;
    TShiftState Shift;
    TdxBarItemLink* Start;
    TdxBarItemLink* Found;
  };
  const TCase cases[] = {
    {"shared: from the first the second", 'O', none, open, options},
    {"shared: from the second the first", 'O', none, options, open},
    {"shared: without start the search begins after the first", 'O', none, nullptr, options},
    {"unique: found from itself", 'S', none, save, save},
    {"a letter also with Shift", 'S', shift, nullptr, save},
    {"never with Ctrl", 'S', ctrl, nullptr, nullptr},
    {"a digit with no shift keys", '2', none, nullptr, two},
    {"a digit not with Shift", '2', shift, nullptr, nullptr},
    {"a doubled ampersand is no accelerator", 'C', none, nullptr, amp},
    {"no link has it", 'Z', none, nullptr, nullptr},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(f.Links->FindAcceleratorLink(c.Key, c.Shift, c.Start), c.Found) << c.What;
  EXPECT_EQ(f.Links->FindAcceleratorLinkIgnoringAlt('S', alt, nullptr), save);
  save->Item()->SetEnabled(false);
  EXPECT_EQ(f.Links->FindAcceleratorLink('S', none, nullptr), nullptr) << "a disabled item has no accelerator";
  options->SetVisible(false);
  EXPECT_EQ(f.Links->FindAcceleratorLink('O', none, open), open) << "a hidden link has none either";

  // A toolbar without its window has no accelerators.
  TdxBar* bar = f.Manager->Bars()->Add();
  bar->ItemLinks()->AddItem(open->Item());
  EXPECT_EQ(bar->ItemLinks()->FindAcceleratorLink('O', none, nullptr), nullptr);
}

TEST(dxBarItemLinks, UserOverridesAndTheirReset)
{
  TLinksFixture f;
  TdxBarItemLink* link = f.Add("Item");
  link->Item()->SetPaintStyle(psCaption);
  EXPECT_EQ(link->GetCaption(), "Item");
  link->SetUserCaption("Mine");
  EXPECT_EQ(link->GetCaption(), "Mine");
  EXPECT_TRUE(link->UserDefine().Contains(udCaption));
  link->SetUserPaintStyle(psCaption);
  EXPECT_FALSE(link->UserDefine().Contains(udPaintStyle)) << "the effective paint style already";
  link->SetUserPaintStyle(psCaptionGlyph);
  link->SetUserWidth(40);
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(4, 4);
  link->SetUserGlyph(glyph.get());
  EXPECT_EQ(link->UserDefine(), (TdxBarUserDefines{udCaption, udGlyph, udPaintStyle, udWidth}));
  EXPECT_EQ(link->GetPaintStyle(), psCaptionGlyph);
  EXPECT_EQ(link->GetWidth(), 40);
  EXPECT_EQ(link->GetGlyph()->Width(), 4);

  link->SetUserDefine({});
  EXPECT_EQ(link->UserCaption(), "");
  EXPECT_TRUE(link->UserGlyph()->Empty());
  EXPECT_EQ(link->UserPaintStyle(), psStandard);
  EXPECT_EQ(link->UserWidth(), 0);
  EXPECT_EQ(link->GetCaption(), "Item");
  EXPECT_EQ(link->GetPaintStyle(), psCaption);
  EXPECT_EQ(link->GetWidth(), 0);

  // The customizing popup's reset command does the same.
  link->SetUserCaption("Again");
  link->ExecuteCustomizingAction(TdxBarCustomizingAction::caReset);
  EXPECT_EQ(link->GetCaption(), "Item");
}

TEST(dxBarItemLinks, ItemsDroppedOrRefused)
{
  TLinksFixture f;
  TdxBarItemLink* link = f.Add("A");
  TTestBarItem* item = static_cast<TTestBarItem*>(link->Item());
  const TWeakRef<TdxBarItemLink> weak(link);
  link->SetItem(nullptr);
  EXPECT_FALSE(weak) << "a link without item frees itself";
  EXPECT_EQ(f.Links->Count(), 0);
  EXPECT_EQ(item->GetLinkCount(), 0);

  TdxBarItemLink* refused = f.Links->AddLink();
  const TWeakRef<TdxBarItemLink> weakRefused(refused);
  auto* toolbarOnly = f.NewItem<TToolbarOnlyItem>("T");
  EXPECT_THROW(
      {
        try {
          refused->SetItem(toolbarOnly);
        } catch (const EdxException& e) {
          EXPECT_EQ(e.Message(), "not in menus");
          throw;
        }
      },
      EdxException);
  EXPECT_FALSE(weakRefused);
  EXPECT_EQ(f.Links->Count(), 0);
  EXPECT_EQ(toolbarOnly->GetLinkCount(), 0);

  // A new item that the links refuse is freed again.
  const int components = f.Form->ComponentCount();
  EXPECT_THROW(f.Links->AddItemOfClass(ClassRef<TToolbarOnlyItem>(), f.Form), EdxException);
  EXPECT_EQ(f.Form->ComponentCount(), components);
  EXPECT_EQ(f.Links->Count(), 0);

  // Freeing an item takes its links from every collection.
  TdxBar* bar = f.Manager->Bars()->Add();
  TTestBarItem* shared = f.NewItem("Shared");
  f.Links->AddItem(shared);
  bar->ItemLinks()->AddItem(shared);
  bar->ItemLinks()->AddItem(shared);
  EXPECT_EQ(shared->GetLinkCount(), 3);
  Free(shared);
  EXPECT_EQ(f.Links->Count(), 0);
  EXPECT_EQ(bar->ItemLinks()->Count(), 0);
}

TEST(dxBarItemLinks, ShortcutsReachTheAvailableLinksOnly)
{
  TLinksFixture f;
  std::vector<std::string> clicked;
  struct TRecorder : TObject {
    std::vector<std::string>* Log;
    void Click(TObject* sender) { Log->push_back(static_cast<TdxBarItem*>(sender)->Caption()); }
  };
  auto recorder = MakeOwned<TRecorder>();
  recorder->Log = &clicked;
  auto add = [&](const char* caption, TShortCut key) {
    TdxBarItemLink* link = f.Add(caption);
    link->Item()->SetShortCut(key);
    link->Item()->SetOnClick(TNotifyEvent(recorder.get(), &TRecorder::Click));
    return link;
  };
  add("A", 'A' | scCtrl);
  TdxBarItemLink* hidden = add("B", 'B' | scCtrl);
  add("C", 'C' | scCtrl)->Item()->SetVisible(ivNever);
  hidden->SetVisible(false);
  EXPECT_TRUE(f.Links->HandleShortCut('A' | scCtrl));
  EXPECT_TRUE(f.Links->HandleShortCut('B' | scCtrl)) << "a hidden link of an available item still answers";
  EXPECT_FALSE(f.Links->HandleShortCut('C' | scCtrl)) << "an item not shown does not";
  EXPECT_FALSE(f.Links->HandleShortCut(0));
  EXPECT_FALSE(f.Links->HandleShortCut('Z' | scCtrl));
  EXPECT_EQ(clicked, (std::vector<std::string>{"A", "B"}));
}

TEST(dxBarItemLinks, MergingToolbarsByMergeOrder)
{
  TLinksFixture f;
  TdxBar* target = f.Manager->Bars()->Add();
  TdxBar* source = f.Manager->Bars()->Add();
  auto add = [&](TdxBar* bar, const char* caption, int order, TdxBarItemMergeKind kind = mkAdd) {
    TTestBarItem* item = f.NewItem(caption);
    item->SetMergeOrder(order);
    item->SetMergeKind(kind);
    bar->ItemLinks()->AddItem(item);
  };
  add(target, "A", 0);
  add(target, "B", 5);
  add(source, "C", 3);
  add(source, "D", 1, mkNone);
  add(source, "E", 10);
  add(source, "F", 0);
  auto captions = [](TdxBar* bar) {
    std::string text;
    for (int i = 0; i < bar->ItemLinks()->Count(); ++i) text += bar->ItemLinks()->Items(i)->GetCaption();
    return text;
  };
  target->Merge(source);
  EXPECT_EQ(captions(target), "AFCBE") << "after the last link of the largest order not above its own";
  EXPECT_EQ(target->ItemLinks()->Items(1)->OriginalBar(), source);
  EXPECT_EQ(target->ItemLinks()->Items(0)->OriginalBar(), nullptr);
  target->Unmerge(source);
  EXPECT_EQ(captions(target), "AB");
  EXPECT_EQ(captions(source), "CDEF");
}

TEST(dxBarItemLinks, StoredLayoutsKeepTheLinksOfNewItems)
{
  TLinksFixture f;
  for (const char* name : {"A", "B", "C", "D", "X", "Y"}) {
    TTestBarItem* item = f.NewItem(name);
    item->SetName(name);
  }
  auto fill = [&] {
    f.Links->Clear();
    for (const char* name : {"A", "B", "C", "D"})
      f.Links->AddItem(static_cast<TdxBarItem*>(f.Form->FindComponent(name)));
  };
  // The stored links come last first, each in front.
  auto readXY = [&](const std::function<TdxBarItemLink*()>& insertLink) {
    for (const char* name : {"Y", "X"}) insertLink()->SetItem(static_cast<TdxBarItem*>(f.Form->FindComponent(name)));
  };
  fill();
  const std::vector<std::string> newItems{"a", "C", "D"};
  f.Links->ReadLayout(&newItems, readXY);
  EXPECT_EQ(f.All(), "A X Y C D")
      << "the links of new items stay: the first in front, the others after their predecessors as they stood "
         "(C's, B, went and C stays where it is)";
  fill();
  f.Links->ReadLayout(nullptr, readXY);
  EXPECT_EQ(f.All(), "X Y") << "without the known names the stored links replace all";
  fill();
  EXPECT_THROW(f.Links->ReadLayout(nullptr, [](const auto&) { throw EReadError("bad layout"); }), EReadError);
  EXPECT_FALSE(f.Links->IsUpdating());
}

TEST(dxBarItemLinks, ItemOptionsAndTheirDefaults)
{
  TLinksFixture f;
  TdxBarItemOptions* options = f.Menu->ItemOptions();
  EXPECT_TRUE(options->AssignedValues().Empty());
  EXPECT_FALSE(f.Links->GetShowDescriptions());
  EXPECT_TRUE(f.Links->GetShowShortCuts());
  EXPECT_EQ(f.Links->GetMenuItemSize(), misNormal);
  options->SetShowShortCuts(false);
  options->SetSize(misLarge);
  EXPECT_EQ(options->AssignedValues(),
            (TdxBarItemOptionValues{TdxBarItemOptionValue::ioShowShortCuts, TdxBarItemOptionValue::ioSize}));
  EXPECT_FALSE(f.Links->GetShowShortCuts());
  EXPECT_EQ(f.Links->GetMenuItemSize(), misLarge);
  auto copy = MakeOwned<TdxBarItemOptions>(nullptr);
  copy->Assign(options);
  EXPECT_EQ(copy->AssignedValues(), options->AssignedValues());
  EXPECT_FALSE(copy->ShowShortCuts());
}

TEST(dxBarItemLinks, TheManagerHearsOfLinksAddedChangedAndDeleted)
{
  TLinksFixture f;
  std::vector<std::string> log;
  struct TListener : TObject {
    std::vector<std::string>* Log;
    void Added(TObject*, TdxBarItemLink*) { Log->push_back("add"); }
    void Changed(TObject*, TdxBarItemLink*) { Log->push_back("change"); }
    void Deleted(TObject*, TdxBarItemLink*) { Log->push_back("delete"); }
  };
  auto listener = MakeOwned<TListener>();
  listener->Log = &log;
  f.Manager->SetOnItemLinkAdd(TdxBarItemLinkEvent(listener.get(), &TListener::Added));
  f.Manager->SetOnItemLinkChange(TdxBarItemLinkEvent(listener.get(), &TListener::Changed));
  f.Manager->SetOnItemLinkDelete(TdxBarItemLinkEvent(listener.get(), &TListener::Deleted));
  TdxBarItemLink* link = f.Links->AddLink();
  link->SetItem(f.NewItem("A"));
  link->SetBeginGroup(true);
  Free(link);
  EXPECT_EQ(log, (std::vector<std::string>{"add", "change", "change", "delete"}));
}

TEST(dxBarItemLinks, MovingAndFindingLinks)
{
  TLinksFixture f;
  for (const char* name : {"A", "B", "C"}) f.Add(name)->Item()->SetName(name);
  f.Links->MoveLink(0, 2);
  EXPECT_EQ(f.All(), "B C A");
  f.Links->MoveLink(0, 3);
  f.Links->MoveLink(-1, 0);
  EXPECT_EQ(f.All(), "B C A") << "indexes out of range change nothing";
  EXPECT_EQ(f.Links->IndexOfItemName("c"), 1);
  EXPECT_EQ(f.Links->IndexOfItemName("Z"), -1);
  EXPECT_EQ(f.Links->IndexOfLink(f.Links->Items(2)), 2);
  TdxBarItemLink* b = f.Links->Items(0);
  EXPECT_EQ(f.Links->FindNextSelectableLink(b, true), f.Links->Items(1));
  EXPECT_EQ(f.Links->FindPrevSelectableLink(b, true), f.Links->Items(2)) << "wrapping backwards";
  EXPECT_EQ(f.Links->FindNextSelectableLink(b, false), nullptr) << "no item control can be selected yet";
}
