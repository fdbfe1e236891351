// The toolbar layout on a bar of items with fixed sizes (ten pixels per caption character, a set
// height): one line with each alignment and truncation, lines of a floating bar with their group
// separators, wrapping for a length and its preference for group starts, the sizes per docking
// style, shortening through the recent items, the drop position, and a floating toolbar laid out
// again when its frame resizes it.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/support/MessagePump.h"
#include "tests/support/UserInput.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarImageOptions.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"

namespace {
class TLayItem : public TdxBarItem {
  CL_CLASS(TLayItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
  int FixedHeight = 20;
  int MinWidth = 10;
};

// Ten pixels per caption character by the item's height; turned on a rotated bar.
class TLayItemControl : public TdxBarItemControl {
  CL_CLASS(TLayItemControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  int CalcItemWidth() override { return IsRotated() ? Height() : Width(); }
  int CalcItemHeight() override { return IsRotated() ? Width() : Height(); }
  int GetMinItemWidth() const override { return Item()->MinWidth; }

private:
  TLayItem* Item() const { return static_cast<TLayItem*>(GetItem()); }
  int Width() const { return 10 * static_cast<int>(Item()->Caption().size()); }
  int Height() const { return Item()->FixedHeight; }
};

struct TPairedLayoutClasses {
  TPairedLayoutClasses() { RegisterBarItemClass(ClassRef<TLayItem>(), ClassRef<TLayItemControl>(), true); }
  ~TPairedLayoutClasses() { UnregisterBarItemClass(ClassRef<TLayItem>()); }
};

struct TLayoutFixture {
  TPairedLayoutClasses Paired;
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager;
  TdxBar* Bar;
  TdxBarControl* Toolbar = nullptr;

  explicit TLayoutFixture(TdxBarManagerStyle style = bmsStandard)
  {
    Manager = New<TdxBarManager>(Form);
    Manager->SetStyle(style);
    Bar = Manager->Bars()->Add();
    Bar->SetCaption("Layout");
  }
  ~TLayoutFixture() { Free(Toolbar); }
  // Items by caption; a leading "|" begins a group.
  void AddItems(const std::vector<std::string>& captions)
  {
    for (const std::string& text : captions) {
      auto* item = New<TLayItem>(Form);
      const bool group = !text.empty() && text[0] == '|';
      item->SetCaption(group ? text.substr(1) : text);
      TdxBarItemLink* link = Bar->ItemLinks()->AddItem(item);
      link->SetBeginGroup(group);
    }
  }
  TdxBarItemLink* Link(int index) const { return Bar->ItemLinks()->Items(index); }
  TLayItem* Item(int index) const { return static_cast<TLayItem*>(Link(index)->Item()); }
  // A toolbar without a window, of the given client size and docking style.
  TdxBarControl* Make(TdxBarDockingStyle style, SIZE client)
  {
    Toolbar = New<TdxBarControl>(Manager);
    Toolbar->SetBar(Bar);
    Toolbar->SetItemLinks(Bar->ItemLinks());
    Toolbar->SetDockingStyle(style);
    Toolbar->SetBounds(0, 0, client.cx, client.cy);
    Toolbar->CalcViewInfo();
    return Toolbar;
  }
  void Resize(SIZE client)
  {
    Toolbar->SetBounds(0, 0, client.cx, client.cy);
    Toolbar->CalcViewInfo();
  }
  RECT Rect(int index) const { return Link(index)->ItemRect(); }
  int Gap() const { return Toolbar->GetBeginGroupSize(); }
};

std::string Describe(const RECT& r)
{
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}
}  // namespace

CL_DEFINE_CLASS(TLayItem);
CL_DEFINE_CLASS(TLayItemControl);

// One line docked at the top: items follow each other centred across the line; the alignment of
// an item moves or stretches it and ends the line; what does not fit is cut off, but the first item
// always shows.
TEST(dxBarToolbarLayout, OneLineWithEachAlignmentAndTruncation)
{
  struct TCase {
    const char* Name;
    int Width;
    int AlignedIndex;
    TdxBarItemAlign Align;
    std::vector<RECT> Rects;
    bool Truncated;
  };
  // Items of 40, 30 and 50 pixels; the middle one 16 high, the line 24 high.
  const TCase cases[] = {
      {"left", 200, 2, iaLeft, {{0, 2, 40, 22}, {40, 4, 70, 20}, {70, 2, 120, 22}}, false},
      {"center", 200, 2, iaCenter, {{0, 2, 40, 22}, {40, 4, 70, 20}, {110, 2, 160, 22}}, false},
      {"right", 200, 2, iaRight, {{0, 2, 40, 22}, {40, 4, 70, 20}, {150, 2, 200, 22}}, false},
      // A stretched item measures its minimum width and grows to the line's end.
      {"client", 200, 2, iaClient, {{0, 2, 40, 22}, {40, 4, 70, 20}, {70, 2, 200, 22}}, false},
      // An aligned item in the middle ends the line: the items after it are cut off.
      {"right in the middle", 200, 1, iaRight, {{0, 2, 40, 22}, {170, 4, 200, 20}, {}}, true},
      {"narrow", 60, 2, iaLeft, {{0, 2, 40, 22}, {}, {}}, true},
      {"narrower than the first item", 20, 2, iaLeft, {{0, 2, 40, 22}, {}, {}}, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TLayoutFixture f;
    f.AddItems({"aaaa", "bbb", "ccccc"});
    f.Item(1)->FixedHeight = 16;
    f.Item(c.AlignedIndex)->SetAlign(c.Align);
    TdxBarControl* t = f.Make(dsTop, SIZE{c.Width, 24});
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Describe(f.Rect(i)), Describe(c.Rects[i])) << "item " << i;
    EXPECT_EQ(t->Truncated(), c.Truncated);
    // Only placed items are shown, and every placed link sits on a row of the line's height.
    EXPECT_EQ(t->ViewInfo()->GetItemControlViewInfoCount(), c.Truncated ? (c.Width == 200 ? 2 : 1) : 3);
    EXPECT_EQ(f.Link(0)->RowHeight(), 24);
  }
}

// A floating bar places its items in lines: a new line where the next item does not fit, each line
// as thick as its thickest item with the items centred across it; a group start inside a line gets
// a vertical separator, one that starts a line a horizontal separator across the bar.
TEST(dxBarToolbarLayout, FloatingLinesWithTheirGroupSeparators)
{
  TLayoutFixture f;
  f.AddItems({"aaaa", "bbb", "|cc", "|ddddd", "ee"});
  f.Item(1)->FixedHeight = 16;
  f.Item(4)->FixedHeight = 30;
  TdxBarControl* t = f.Make(dsNone, SIZE{100, 100});
  const int g = f.Gap();
  ASSERT_GT(g, 0);
  // Line 1: 40 + 30 + gap + 20 fits 100; ddddd does not and starts line 2, below a gap.
  ASSERT_LE(90 + g, 100);
  const std::vector<RECT> expected = {
      {0, 0, 40, 20}, {40, 2, 70, 18}, {70 + g, 0, 90 + g, 20},
      {0, 20 + g + 5, 50, 20 + g + 25}, {50, 20 + g, 70, 20 + g + 30}};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Describe(f.Rect(i)), Describe(expected[i])) << "item " << i;
  EXPECT_EQ(f.Link(1)->RowHeight(), 20);
  EXPECT_EQ(f.Link(3)->RowHeight(), 30);
  EXPECT_FALSE(t->Truncated());
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(f.Link(i)->Control()->ViewInfo()->EndsLine(), i == 2 || i == 4) << "item " << i;

  TCustomdxBarControlViewInfo* info = t->ViewInfo();
  ASSERT_EQ(info->CountSeparators(), 2);
  const TdxBarSeparatorInfo& inLine = info->ReadSeparator(0);
  EXPECT_EQ(inLine.ItemControl, f.Link(2)->Control());
  EXPECT_EQ(inLine.Kind, 1);
  EXPECT_EQ(Describe(inLine.Bounds), Describe(RECT{70, 0, 70 + g, 20}));
  const TdxBarSeparatorInfo& betweenLines = info->ReadSeparator(1);
  EXPECT_EQ(betweenLines.Kind, 0);
  EXPECT_EQ(Describe(betweenLines.Bounds), Describe(RECT{0, 20, 100, 20 + g}));
  // The item's rect grows to its row; its region takes in its separator.
  EXPECT_EQ(Describe(t->GetItemControlRect(f.Link(3)->Control())), Describe(RECT{0, 20 + g, 50, 20 + g + 30}));
  HRGN region = t->CreateItemRegion(f.Link(2)->Control());
  EXPECT_TRUE(PtInRegion(region, 70, 5));
  EXPECT_FALSE(PtInRegion(region, 69, 5));
  DeleteObject(region);
}

// A vertical multi-line bar places its columns from the right edge; a group start inside a
// column gets a horizontal separator, one at the top of a column a vertical one between columns.
TEST(dxBarToolbarLayout, VerticalColumnsStartAtTheRight)
{
  TLayoutFixture f;
  f.Bar->SetMultiLine(true);
  f.Bar->SetRotateWhenVertical(false);
  f.AddItems({"aaaa", "|bbbbbb", "|cc"});
  TdxBarControl* t = f.Make(dsLeft, SIZE{100, 45});
  const int g = f.Gap();
  ASSERT_LT(g, 20);
  f.Resize(SIZE{100, 45 + g});
  // Not rotated: an item is 20 high along the column and as wide as its caption across; the first
  // column is 60 wide, with aaaa centred in it.
  EXPECT_EQ(Describe(f.Rect(0)), Describe(RECT{50, 0, 90, 20}));
  EXPECT_EQ(Describe(f.Rect(1)), Describe(RECT{40, 20 + g, 100, 40 + g}));
  EXPECT_EQ(Describe(f.Rect(2)), Describe(RECT{20 - g, 0, 40 - g, 20}));
  TCustomdxBarControlViewInfo* info = t->ViewInfo();
  ASSERT_EQ(info->CountSeparators(), 2);
  EXPECT_EQ(info->ReadSeparator(0).Kind, 0);
  EXPECT_EQ(Describe(info->ReadSeparator(0).Bounds), Describe(RECT{40, 20, 100, 20 + g}));
  EXPECT_EQ(info->ReadSeparator(1).Kind, 1);
  EXPECT_EQ(Describe(info->ReadSeparator(1).Bounds), Describe(RECT{40 - g, 0, 40, 45 + g}));
}

// Wrapping for a length prefers breaking a line at its last group start; after a break inside a
// group the next group starts a line of its own.
TEST(dxBarToolbarLayout, WrappingPrefersGroupStarts)
{
  struct TCase {
    const char* Name;
    std::vector<std::string> Items;
    int Length;  // plus the group gap times GapsInLength
    int GapsInLength;
    std::vector<bool> BeginsLine;
  };
  const TCase cases[] = {
      // A, |B, C fit; D does not: the line breaks before B rather than before D.
      {"back to the group start", {"aaaa", "|bbbb", "cccc", "dddd"}, 120, 1, {false, true, false, false}},
      {"no group: break where it overflows", {"aaaa", "bbbb", "cccc", "dddd"}, 120, 1, {false, false, false, true}},
      // C overflows inside the first group; D, which begins a group, would fit after C but starts
      // its own line.
      {"after a break inside a group", {"aaaa", "bbbb", "cccc", "|dd"}, 100, 0, {false, false, true, true}},
      {"one line", {"aaaa", "|bbbb"}, 200, 0, {false, false}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TLayoutFixture f;
    f.AddItems(c.Items);
    TdxBarControl* t = f.Make(dsNone, SIZE{300, 100});
    const int length = c.Length + c.GapsInLength * f.Gap();
    ASSERT_LE(f.Gap(), 20);
    const SIZE size = t->CalcSizeForPoint(dsNone, length);
    int lines = 1;
    for (size_t i = 0; i < c.Items.size(); ++i) {
      const bool begins = f.Link(static_cast<int>(i))->Control()->ViewInfo()->BeginsLine();
      EXPECT_EQ(begins, c.BeginsLine[i]) << "item " << i;
      lines += begins;
    }
    EXPECT_LE(size.cx, std::max(length, t->CalcWidth(dsNone)));
    EXPECT_GE(size.cy, 20 * lines);
    // The bar laid out at that size shows the same lines.
    f.Resize(size);
    for (size_t i = 1; i < c.Items.size(); ++i)
      if (c.BeginsLine[i]) EXPECT_EQ(f.Rect(static_cast<int>(i)).left, 0) << "item " << i;
  }
}

// The sizes a bar asks for in each docking style, and an empty bar measuring one button.
TEST(dxBarToolbarLayout, SizesPerDockingStyle)
{
  TLayoutFixture f;
  f.AddItems({"aaaa", "|bbb", "ccccc"});
  f.Item(1)->FixedHeight = 16;
  TdxBarControl* t = f.Make(dsTop, SIZE{300, 24});
  const int g = f.Gap();
  struct TCase {
    TdxBarDockingStyle Style;
    int Width, Height, MinWidth, MinHeight;
  };
  // Docked at the top: the first item alone, or all in one line. Docked left the bar is rotated:
  // the items turn, so widths and heights swap. Floating: the widest item, at least 51.
  const int floatingWidth = std::max<int>({50, 51, t->GetPainter()->GetFloatingCaptionButtonSize().cx});
  const TCase cases[] = {
      {dsTop, 40, 20, 120 + g, 20},
      {dsLeft, 20, 40, 20, 120 + g},
      // Floating is multi-line: the minimum height has every item in a column.
      {dsNone, floatingWidth, 20, 120 + g, 56 + g},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Style));
    EXPECT_EQ(t->CalcWidth(c.Style), c.Width);
    EXPECT_EQ(t->CalcHeight(c.Style), c.Height);
    EXPECT_EQ(t->CalcMinWidth(c.Style), c.MinWidth);
    EXPECT_EQ(t->CalcMinHeight(c.Style), c.MinHeight);
  }

  // The outer size: docked, all items in one line plus the borders; floating, the stored client
  // width wrapped plus the frame.
  const RECT top = t->GetBorderSizesFor(dsTop);
  const SIZE docked = t->CalcSizeForDockingStyle(dsTop);
  EXPECT_EQ(docked.cx, 120 + g + top.left + top.right);
  EXPECT_EQ(docked.cy, 20 + top.top + top.bottom);
  const RECT frame = t->GetBorderSizesFor(dsNone);
  // 90 holds aaaa |bbb but not ccccc after them: the line breaks at the group start.
  ASSERT_LE(g, 20);
  f.Bar->SetFloatClientWidth(90);
  const SIZE floating = t->CalcSizeForDockingStyle(dsNone);
  EXPECT_EQ(floating.cx, std::max(floatingWidth, 80) + frame.left + frame.right);
  EXPECT_EQ(floating.cy, 20 + g + 20 + frame.top + frame.bottom);
  // A stored width out of all bounds still gives the bar's own sizes.
  for (int stored : {-5000, 0, 2000000000}) {
    f.Bar->SetFloatClientWidth(stored);
    const SIZE s = t->CalcSizeForDockingStyle(dsNone);
    EXPECT_GE(s.cx, floatingWidth);
    EXPECT_LE(s.cx, 120 + g + frame.left + frame.right);
    EXPECT_GT(s.cy, 0);
    EXPECT_LE(s.cy, 60 + 2 * g + frame.top + frame.bottom);
  }

  // The grab point scales with the size in the new style.
  t->SetGrabPoint(POINT{30, 10}, SIZE{120, 40});
  const POINT grab = t->GetGrabOffsetForDockingStyle(dsTop);
  EXPECT_EQ(grab.x, MulDiv(30, docked.cx, 120));
  EXPECT_EQ(grab.y, MulDiv(10, docked.cy, 40));
}

TEST(dxBarToolbarLayout, AnEmptyBarMeasuresOneButton)
{
  TLayoutFixture f;
  TdxBarControl* t = f.Make(dsTop, SIZE{100, 24});
  TdxBarPainter* painter = t->GetPainter();
  const int glyph = f.Manager->ImageOptions()->GlyphSize();
  const int buttonWidth = painter->CalcButtonWidth(glyph);
  const int text = t->TextHeight() > 0 ? t->TextHeight() : t->GetTextHeight();
  const int buttonHeight = painter->CalcButtonHeight(std::max(glyph, text));
  EXPECT_EQ(t->CalcWidth(dsTop), buttonWidth);
  EXPECT_EQ(t->CalcHeight(dsTop), buttonHeight);
  EXPECT_EQ(t->CalcWidth(dsLeft), buttonWidth);
  const SIZE floating = t->CalcSizeForPoint(dsNone, 0);
  EXPECT_EQ(floating.cx, std::max<int>({buttonWidth, 51, painter->GetFloatingCaptionButtonSize().cx}));
  EXPECT_EQ(floating.cy, buttonHeight);
  EXPECT_EQ(t->CalcSizeForPoint(dsTop, 300).cy, buttonHeight);
}

// Given a height, a floating bar gets narrower until it is that tall; exact takes the last size
// that stays below. Single-line bars answer their own sizes on the other axis, and along their
// length the items that fit.
TEST(dxBarToolbarLayout, SizeForAHeight)
{
  TLayoutFixture f;
  f.AddItems({"aaaa", "bbb", "ccccc"});
  TdxBarControl* t = f.Make(dsNone, SIZE{200, 100});
  struct TCase {
    TdxBarDockingStyle Style;
    int Height;
    bool Exact;
    SIZE Size;
  };
  const int floatingWidth = std::max<int>({51, t->GetPainter()->GetFloatingCaptionButtonSize().cx});
  const TCase cases[] = {
      {dsNone, 20, false, {120, 20}},
      {dsNone, 40, false, {std::max(70, floatingWidth), 40}},
      {dsNone, 30, false, {std::max(70, floatingWidth), 40}},
      {dsNone, 30, true, {120, 20}},
      {dsNone, 200, false, {floatingWidth, 60}},
      {dsTop, 100, false, {120, 20}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.Style)) + " " + std::to_string(c.Height));
    const SIZE size = t->CalcSizeForHeight(c.Style, c.Height, c.Exact);
    EXPECT_EQ(size.cx, c.Size.cx);
    EXPECT_EQ(size.cy, c.Size.cy);
  }
  // Docked left (rotated), the length is the height: the items that fit along it.
  const SIZE left = t->CalcSizeForHeight(dsLeft, 75, false);
  EXPECT_EQ(left.cy, 70);
  EXPECT_EQ(left.cx, 20);
}

// A one-line bar that shows recently used items shortens itself through them: as many of the most
// recently used as fit, the others hidden rather than the last ones cut off.
TEST(dxBarToolbarLayout, OneLineBarsShortenThroughTheRecentItems)
{
  TLayoutFixture f(bmsFlat);
  f.AddItems({"aaaa", "bbbb", "cccc", "dddd"});
  TdxBarControl* t = f.Make(dsTop, SIZE{300, 24});
  TdxBarItemLinks* links = f.Bar->ItemLinks();
  ASSERT_TRUE(links->UsesRecentItems());
  // Used last: d, then b; so the recent order is b, d, then the others.
  f.Link(3)->MarkUsedInRecentList(true);
  f.Link(1)->MarkUsedInRecentList(true);
  const SIZE size = t->CalcSizeForPoint(dsTop, 85);
  EXPECT_EQ(links->RecentItemCount(), 2);
  ASSERT_EQ(links->GetVisibleLinkCount(), 2);
  EXPECT_EQ(links->GetVisibleLink(0), f.Link(1));
  EXPECT_EQ(links->GetVisibleLink(1), f.Link(3));
  EXPECT_EQ(size.cx, 80);
  // Room for all: every link again.
  t->CalcSizeForPoint(dsTop, 300);
  EXPECT_EQ(links->RecentItemCount(), -1);
  EXPECT_EQ(links->GetVisibleLinkCount(), 4);
  // Measuring another style leaves the count as it was.
  t->CalcSizeForPoint(dsTop, 85);
  t->CalcSizeForDockingStyle(dsNone);
  EXPECT_EQ(links->RecentItemCount(), 2);
}

// A caption change drops the widths the control measured, and the next layout uses the new width.
TEST(dxBarToolbarLayout, ACaptionChangeReachesTheLayout)
{
  TLayoutFixture f;
  f.AddItems({"aaaa", "bbb", "cc"});
  TdxBarControl* t = f.Make(dsTop, SIZE{300, 24});
  TdxBarItemControlViewInfo* info = f.Link(1)->Control()->ViewInfo();
  EXPECT_EQ(info->GetWidthAtLevel(ivlSmallIconWithText), 30);
  f.Item(1)->SetCaption("bbbbbb");
  EXPECT_EQ(f.Link(1)->Control()->ViewInfo()->GetWidthAtLevel(ivlSmallIconWithText), 60);
  t->CalcViewInfo();
  EXPECT_EQ(Describe(f.Rect(1)), Describe(RECT{40, 2, 100, 22}));
  EXPECT_EQ(f.Rect(2).left, 100);
  EXPECT_EQ(t->CalcMinWidth(dsTop), 120);
}

// While customizing, a point in the empty space of a line drops after the line's last item, or
// before a right-aligned one when the point lies before it.
TEST(dxBarToolbarLayout, DropPositionInTheEmptySpaceOfALine)
{
  TLayoutFixture f;
  f.AddItems({"aaaa", "bbb", "ccccc"});
  f.Item(2)->SetAlign(iaRight);
  TdxBarControl* t = f.Make(dsTop, SIZE{250, 24});
  ASSERT_EQ(f.Rect(2).left, 200);
  bool before = true, onSeparator = true;
  EXPECT_EQ(t->HitTestDropPosition(POINT{150, 10}, before, onSeparator), f.Link(2));
  EXPECT_TRUE(before);
  EXPECT_FALSE(onSeparator);
  f.Item(2)->SetAlign(iaLeft);
  t->CalcViewInfo();
  EXPECT_EQ(t->HitTestDropPosition(POINT{200, 10}, before, onSeparator), f.Link(2));
  EXPECT_FALSE(before);
  EXPECT_EQ(t->HitTestDropPosition(POINT{400, 10}, before, onSeparator), nullptr);
}

// A floating toolbar sized by its frame lays its items out again.
TEST(dxBarToolbarLayout, AFloatingToolbarResizedByItsFrameLaysItsItemsOutAgain)
{
  TLayoutFixture f;
  f.AddItems({"aaaa", "bbb", "ccccc"});
  f.Form->Show();
  SetForegroundWindow(f.Form->Handle());
  f.Bar->SetVisible(true);
  f.Toolbar = New<TdxBarControl>(f.Manager);
  TdxBarControl* t = f.Toolbar;
  t->SetBar(f.Bar);
  t->SetItemLinks(f.Bar->ItemLinks());
  t->SetBounds(200, 200, 200, 100);
  t->ShowToolbar();
  Pump(30);
  ASSERT_EQ(f.Rect(2).top, 0);
  ASSERT_EQ(f.Rect(2).left, 70);
  // Drag the right frame strip to the left until the last item no longer fits.
  RECT w{};
  GetWindowRect(t->Handle(), &w);
  const int frame = t->GetPainter()->GetFloatingFrameWidth();
  const POINT from{w.right - 1 - frame / 2, (w.top + w.bottom) / 2};
  ASSERT_EQ(SendMessageA(t->Handle(), WM_NCHITTEST, 0, MAKELPARAM(from.x, from.y)), HTRIGHT);
  ASSERT_TRUE(TMouseDrag::Start(from, POINT{from.x - 100, from.y}));
  ASSERT_TRUE(PumpUntil([&] { return TMouseDrag::Done(); }, 5000));
  ASSERT_TRUE(PumpUntil([&] { return f.Rect(2).top > 0; }, 5000)) << Describe(f.Rect(2));
  EXPECT_EQ(f.Rect(2).left, 0);
  EXPECT_EQ(f.Rect(2).top, 20);
  RECT client{};
  GetClientRect(t->Handle(), &client);
  EXPECT_LT(client.right, 120);
}

// A toolbar docked at the top takes from its dock the length of all its items in one line, and its
// items stand in that line.
TEST(dxBarToolbarLayout, ADockedToolbarIsSizedByItsLayout)
{
  TLayoutFixture f;
  f.AddItems({"aaaa", "|bbb", "ccccc"});
  f.Form->SetBounds(100, 100, 600, 400);
  f.Form->Show();
  Pump(20);
  f.Bar->SetBorderStyle(bbsNone);
  f.Bar->SetDockingStyle(dsTop);
  TdxDockControl* dock = f.Manager->Bars()->DockControls(dsTop);
  f.Toolbar = New<TdxBarControl>(f.Manager);
  TdxBarControl* t = f.Toolbar;
  t->SetBar(f.Bar);
  t->SetItemLinks(f.Bar->ItemLinks());
  t->SetDockingStyle(dsTop);
  t->SetRealDockControl(dock);
  t->ShowToolbar();
  dock->DockBarAt(t, dock->ClientToScreen(POINT{0, 0}), true);
  Pump(20);
  const int g = f.Gap();
  RECT client{};
  GetClientRect(t->Handle(), &client);
  EXPECT_EQ(client.right, 120 + g);
  EXPECT_EQ(client.bottom, 20);
  EXPECT_EQ(Describe(f.Rect(2)), Describe(RECT{70 + g, 0, 120 + g, 20}));
  EXPECT_FALSE(t->Truncated());
  dock->RemoveBarControl(t, nullptr, false);
}
