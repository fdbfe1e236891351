// Owner-drawn and virtual list boxes: the items are drawn through CN_DRAWITEM on a DIB surface (the
// message the parent reflects, with a device context of the test's own), so the pixels are the
// drawing rules' and no window needs to be on the screen.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/StdCtrls.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/DibSurface.h"

using namespace fixture;

namespace {

struct TDrawCall {
  int Index;
  RECT Rect;
  TOwnerDrawState State;
};

// The handlers of the list's events, recording what they are asked.
class TListEvents : public TObject {
  CL_CLASS(TListEvents, TObject)
public:
  std::vector<TDrawCall> Draws;
  std::vector<int> DataAsked;
  TColor Fill = clNone;  // clNone: fill with the colour the canvas comes with
  void DrawItem(TWinControl* control, int index, const RECT& rect, TOwnerDrawState state)
  {
    Draws.push_back({index, rect, state});
    TCanvas* canvas = static_cast<TListBox*>(control)->Canvas();
    if (Fill != clNone) canvas->Brush()->SetColor(Fill);
    canvas->FillRect(rect);
  }
  void MeasureItem(TWinControl*, int index, int& height) { height = 10 + 5 * index; }
  void Data(TWinControl*, int index, std::string& data)
  {
    DataAsked.push_back(index);
    data = "item " + std::to_string(index);
  }
};
CL_DEFINE_CLASS(TListEvents);

class ListBoxDrawing : public testing::Test {
protected:
  void SetUp() override
  {
    FForm = NewForm();
    FList = New<TListBox>(FForm);
    FList->SetParent(FForm);
    FList->SetBounds(0, 0, 120, 200);
    FList->SetColor(clYellow);
    FEvents = MakeOwned<TListEvents>();
  }
  void TearDown() override { Free(FForm); }

  // Sends the list the reflected draw request for one item on the surface and checks that the
  // surface's device context has its own objects selected again afterwards.
  void Draw(int index, TOwnerDrawState state)
  {
    HGDIOBJ brush = GetCurrentObject(FSurface.DC(), OBJ_BRUSH);
    HGDIOBJ font = GetCurrentObject(FSurface.DC(), OBJ_FONT);
    HGDIOBJ pen = GetCurrentObject(FSurface.DC(), OBJ_PEN);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTBOX;
    dis.itemID = static_cast<UINT>(index);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = static_cast<UINT>(state.ToInt());
    dis.hwndItem = FList->Handle();
    dis.hDC = FSurface.DC();
    dis.rcItem = ItemRect;
    EXPECT_EQ(FList->Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)), TRUE);
    EXPECT_FALSE(FList->Canvas()->HandleAllocated());
    EXPECT_EQ(GetCurrentObject(FSurface.DC(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(FSurface.DC(), OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(FSurface.DC(), OBJ_PEN), pen);
  }

  static constexpr RECT ItemRect{0, 4, 100, 24};
  TForm* FForm = nullptr;
  TListBox* FList = nullptr;
  TOwned<TListEvents> FEvents;
  TDibSurface FSurface{100, 30, RGB(1, 2, 3)};
};

}  // namespace

// Without OnDrawItem the list fills the item (the text stays left of the probed pixel); a selected
// item with a valid index is on the highlight colour, a focused one gets the dotted focus frame,
// and an index outside the list only fills the rectangle.
TEST_F(ListBoxDrawing, TheDefaultDrawingFollowsTheItemStateAndIndex)
{
  FList->SetStyle(lbOwnerDrawFixed);
  FList->Items()->Add("a");
  FList->Items()->Add("b");
  const COLORREF yellow = RGB(255, 255, 0), highlight = GetSysColor(COLOR_HIGHLIGHT);
  struct TCase {
    int Index;
    TOwnerDrawState State;
    COLORREF Inside;
    bool Framed;
  };
  const TCase cases[] = {
    {0, {}, yellow, false},
    {1, {odSelected}, highlight, false},
    {1, {odSelected, odFocused}, highlight, true},
    {-1, {odSelected, odFocused}, yellow, true},  // the focus of an empty list
    {5, {odSelected}, highlight, false},          // past the items: filled, no text asked for
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Index);
    FSurface.Fill(RGB(1, 2, 3));
    Draw(c.Index, c.State);
    EXPECT_EQ(FSurface.Pixel(90, 14), c.Inside);
    EXPECT_EQ(FSurface.Pixel(50, 3), RGB(1, 2, 3));  // nothing outside the item
    const int onEdge = FSurface.Count(RECT{0, 4, 100, 5}, c.Inside);
    if (c.Framed)
      EXPECT_LT(onEdge, 100);
    else
      EXPECT_EQ(onEdge, 100);
  }
}

// With OnDrawItem the event draws: it gets the index, rectangle and state, on a canvas that comes
// with the highlight brush for a selected item; the list then adds the focus frame itself.
TEST_F(ListBoxDrawing, OnDrawItemDrawsOnTheCanvasItIsGiven)
{
  FList->SetStyle(lbOwnerDrawFixed);
  FList->Items()->Add("a");
  FList->SetOnDrawItem(TDrawItemEvent(FEvents.get(), &TListEvents::DrawItem));
  Draw(0, {odSelected});
  ASSERT_EQ(FEvents->Draws.size(), 1u);
  EXPECT_EQ(FEvents->Draws[0].Index, 0);
  EXPECT_TRUE(EqualRect(&FEvents->Draws[0].Rect, &ItemRect));
  EXPECT_EQ(FEvents->Draws[0].State, TOwnerDrawState{odSelected});
  EXPECT_TRUE(FSurface.ExactlyFills(ItemRect, GetSysColor(COLOR_HIGHLIGHT)));
  FEvents->Fill = clLime;
  Draw(0, {odFocused});
  EXPECT_EQ(FSurface.Pixel(50, 14), RGB(0, 255, 0));
  EXPECT_LT(FSurface.Count(RECT{0, 4, 100, 5}, RGB(0, 255, 0)), 100);
  Draw(-1, {});  // an invalid index never reaches the event
  EXPECT_EQ(FEvents->Draws.size(), 2u);
}

TEST_F(ListBoxDrawing, TheStyleAndItemHeightReachTheWindowAndSurviveANewOne)
{
  struct TCase {
    TListBoxStyle Style;
    DWORD Bits;
  };
  const TCase cases[] = {
    {lbStandard, LBS_HASSTRINGS},
    {lbOwnerDrawFixed, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS},
    {lbOwnerDrawVariable, LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS},
    {lbVirtual, LBS_OWNERDRAWFIXED | LBS_NODATA},
    {lbVirtualOwnerDraw, LBS_OWNERDRAWFIXED | LBS_NODATA},
  };
  constexpr DWORD kinds = LBS_HASSTRINGS | LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE | LBS_NODATA;
  FList->SetItemHeight(21);
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Style));
    const bool change = FList->Style() != c.Style;
    HWND before = FList->Handle();
    FList->SetStyle(c.Style);
    EXPECT_EQ(FList->Handle() != before, change);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(FList->Handle(), GWL_STYLE)) & kinds, c.Bits);
    if (c.Bits & LBS_OWNERDRAWFIXED) {
      EXPECT_EQ(SendMessageA(FList->Handle(), LB_GETITEMHEIGHT, 0, 0), 21);
    }
  }
  FList->SetItemHeight(0);  // ignored
  EXPECT_EQ(FList->ItemHeight(), 21);

  // Each item of the variable style is as high as OnMeasureItem says.
  FList->SetOnMeasureItem(TMeasureItemEvent(FEvents.get(), &TListEvents::MeasureItem));
  FList->SetStyle(lbOwnerDrawVariable);
  for (const char* s : {"a", "b", "c"}) FList->Items()->Add(s);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(SendMessageA(FList->Handle(), LB_GETITEMHEIGHT, i, 0), 10 + 5 * i);
}

// A virtual list holds only its count; OnData gives the text of the items drawn. The count and the
// chosen item survive a new window.
TEST_F(ListBoxDrawing, AVirtualListHoldsItsCountAndAsksForItsItems)
{
  EXPECT_THROW(FList->SetCount(3), EListError);  // not a virtual list
  FList->SetStyle(lbVirtual);
  EXPECT_THROW(FList->SetCount(-1), EListError);
  FList->SetOnData(TLBGetDataEvent(FEvents.get(), &TListEvents::Data));
  FList->SetCount(1000);
  EXPECT_EQ(FList->Count(), 1000);
  EXPECT_EQ(FList->Items()->Count(), 0);
  EXPECT_EQ(SendMessageA(FList->Handle(), LB_GETCOUNT, 0, 0), 1000);
  FList->SetItemIndex(999);
  EXPECT_THROW(FList->SetItemIndex(1000), EListError);

  Draw(500, {});
  EXPECT_EQ(FEvents->DataAsked, std::vector<int>{500});
  Draw(1000, {});  // past the end: not asked
  EXPECT_EQ(FEvents->DataAsked, std::vector<int>{500});
  // A real paint asks only for the visible items.
  FEvents->DataAsked.clear();
  FList->SetTopIndex(700);
  UpdateWindow(FList->Handle());
  TDibSurface print(120, 200);
  SendMessageA(FList->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(print.DC()), PRF_CLIENT);
  ASSERT_FALSE(FEvents->DataAsked.empty());
  for (int index : FEvents->DataAsked) {
    EXPECT_GE(index, 700);
    EXPECT_LT(index, 700 + 200 / FList->ItemHeight() + 1);
  }

  FList->SetStyle(lbVirtualOwnerDraw);
  EXPECT_EQ(SendMessageA(FList->Handle(), LB_GETCOUNT, 0, 0), 1000);
  EXPECT_EQ(FList->ItemIndex(), 999);
  FList->SetCount(10);
  EXPECT_EQ(FList->Count(), 10);
}
