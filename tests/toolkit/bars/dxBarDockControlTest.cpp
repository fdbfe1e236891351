// Dock controls: where a point lands (row, new row or join) in each edge dock, the alignment of a
// row that is too short, exact or roomy (with and without AutoAlignBars and rest space), whole-row
// bars, docks that grow from their far edge, bad positions and rows, the placed dock's stored
// values, the background picture, and no leaks over many realignments.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/GraphicsUtils.h"
#include "classlib/ObjectText.h"
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarToolbar.h"


namespace {
// A shown form of 600 x 400 with a manager; toolbars are made the least way a visible bar gets
// one: a window for the bar's links, docked at a point of a dock.
struct TDockFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  std::vector<TSizedToolbar*> Toolbars;

  TDockFixture()
  {
    Form->SetBounds(100, 100, 600, 400);
    Form->Show();
    Pump(20);
  }
  ~TDockFixture()
  {
    for (TSizedToolbar* t : Toolbars) {
      if (TdxDockControl* dock = t->DockControl()) dock->RemoveBarControl(t, nullptr, false);
      Free(t);
    }
  }
  TdxDockControl* Dock(TdxBarDockingStyle style) const { return Manager->Bars()->DockControls(style); }

  // A new bar in the dock's style with a toolbar window docked at the client point of the dock.
  TSizedToolbar* DockNew(TdxDockControl* dock, POINT client, int min = 30, int full = 100)
  {
    TdxBar* bar = Manager->Bars()->Add();
    bar->SetBorderStyle(bbsNone);
    if (dock->HasDockingStyle())
      bar->SetDockingStyle(dock->DockingStyle());
    else
      bar->SetDockControl(static_cast<TdxBarDockControl*>(dock));
    auto* t = New<TSizedToolbar>(Manager);
    t->Min = min;
    t->Full = full;
    t->SetBar(bar);
    t->SetItemLinks(bar->ItemLinks());
    t->SetDockingStyle(dock->DockingStyle());
    t->SetRealDockControl(dock);
    t->ShowToolbar();
    Toolbars.push_back(t);
    dock->DockBarAt(t, dock->ClientToScreen(client), true);
    return t;
  }
  int RowOf(TdxBarControl* t) const
  {
    TdxDockCol* col = t->DockControl()->FindCol(t);
    return col ? t->DockControl()->IndexOfRow(col->Row()) : -1;
  }
};

// The across coordinate of a point a given offset from the start of a row's band (a row index, or
// -1 for the band before the first row and RowCount for the one after the last).
POINT ClientPointAcross(TdxDockControl* dock, int along, int across)
{
  return dock->IsHorizontal() ? POINT{along, across} : POINT{across, along};
}
}  // namespace

TEST(dxDockControl, APointLandsInARowOrANewRowInEveryEdgeDock)
{
  struct TCase {
    int Band;    // row whose band start the offset counts from; -1 before the first row, 2 after the last
    int Offset;  // from that band's start
    TdxDockRowHit Hit;
  };
  // Two rows of 22; Z = 23, so the new-row strip is 5 wide at 9 from a band's near side for top and
  // left docks and at 9 from its far side for bottom and right docks.
  const std::vector<TCase> nearEdge = {
    {-1, 0, {0, true}},   // far above: a new first row
    {-1, 9, {0, true}},   // the strip before the first row
    {-1, 14, {0, false}}, // just before the dock: joins the first row
    {0, 0, {0, false}},   // the upper 9 pixels of the first row join it
    {0, 8, {0, false}},
    {0, 9, {1, true}},    // the next 5 make a new row after it
    {0, 13, {1, true}},
    {0, 14, {1, false}},  // lower down: the second row
    {1, 8, {1, false}},
    {1, 9, {2, true}},
    {1, 14, {2, true}},   // past the last row: always new
    {2, 30, {2, true}},   // beyond every zone
  };
  const std::vector<TCase> farEdge = {
    {-1, 0, {0, true}},
    {-1, 9, {0, true}},
    {-1, 14, {0, false}},
    {0, 0, {0, false}},
    {0, 7, {0, false}},
    {0, 8, {1, true}},    // the strip sits 9 before the row's far side
    {0, 12, {1, true}},
    {0, 13, {1, false}},
    {1, 13, {2, true}},   // after the last row: always new
    {2, 0, {2, true}},
    {2, 30, {2, true}},
  };
  for (TdxBarDockingStyle style : {dsTop, dsLeft, dsBottom, dsRight}) {
    TDockFixture f;
    TdxDockControl* dock = f.Dock(style);
    EXPECT_EQ(dock->RowAtPoint(dock->ClientToScreen(POINT{5, 5})), (TdxDockRowHit{0, true})) << "no rows";
    f.DockNew(dock, ClientPointAcross(dock, 10, 0));
    f.DockNew(dock, ClientPointAcross(dock, 10, 200));
    ASSERT_EQ(dock->RowCount(), 2);
    ASSERT_EQ(dock->CalcDockSize(), 44) << static_cast<int>(style);
    const bool farEdgeDock = style == dsBottom || style == dsRight;
    for (const TCase& c : farEdgeDock ? farEdge : nearEdge) {
      const int start = c.Band < 0 ? -23 : c.Band * 22;
      const POINT p = ClientPointAcross(dock, 50, start + c.Offset);
      EXPECT_EQ(dock->RowAtPoint(dock->ClientToScreen(p)), c.Hit)
          << "style " << static_cast<int>(style) << " band " << c.Band << " offset " << c.Offset;
    }
  }
}

TEST(dxDockControl, TheDockingZoneAndTheSnapPointOfTheDragFrame)
{
  TDockFixture f;
  TdxDockControl* top = f.Dock(dsTop);
  TdxDockControl* left = f.Dock(dsLeft);
  f.DockNew(top, {0, 0});
  f.DockNew(top, {0, 30});
  f.DockNew(left, {0, 0});
  const RECT topBounds = top->BoundsRect();
  const POINT topOrigin = f.Form->ClientToScreen(POINT{topBounds.left, topBounds.top});
  const RECT zone = top->GetDockingZoneRect();
  EXPECT_EQ(zone.left, topOrigin.x - 23);
  EXPECT_EQ(zone.top, topOrigin.y - 23);
  EXPECT_EQ(zone.bottom - zone.top, 44 + 46) << "a horizontal dock widened across too";
  const RECT leftZone = left->GetDockingZoneRect();
  EXPECT_EQ(leftZone.bottom - leftZone.top, left->Height()) << "a vertical dock only along its width";
  EXPECT_EQ(leftZone.right - leftZone.left, 22 + 46);

  // A new-row wish snaps to the middle of the strip after the row before; joining, to the middle
  // of the band from the end of that strip to the end of the row's part 0.
  auto across = [&](POINT screen) { return top->ScreenToClient(screen).y; };
  const POINT any = top->ClientToScreen(POINT{40, 3});
  EXPECT_EQ(across(top->GetRowSnapPoint(1, true, any)), (9 + 14) / 2);
  EXPECT_EQ(across(top->GetRowSnapPoint(0, false, any)), (-9 + 9) / 2);
  EXPECT_EQ(across(top->GetRowSnapPoint(1, false, any)), (14 + 31) / 2);
  EXPECT_EQ(across(top->GetRowSnapPoint(2, true, any)), (36 + 53) / 2) << "a wish at the row count counts as none";
  EXPECT_EQ(top->ScreenToClient(top->GetRowSnapPoint(1, true, any)).x, 40) << "along unchanged";
}

TEST(dxDockControl, RowAlignmentShortensFromTheEndAndKeepsStoredPlacesWithRoom)
{
  struct TCase {
    const char* What;
    int Length;
    bool AutoAlign;
    bool RestSpaceOnSecond;
    std::vector<int> Lefts, Lengths;
    std::vector<bool> Truncated;
  };
  // Three bars of minimum 30 and full 100, stored at 0, 150 and 350.
  const std::vector<TCase> cases = {
    {"roomy", 400, false, false, {0, 150, 300}, {100, 100, 100}, {false, false, false}},
    {"roomy, auto-aligned", 400, true, false, {0, 100, 200}, {100, 100, 100}, {false, false, false}},
    {"roomy, rest space", 400, false, true, {0, 100, 300}, {100, 200, 100}, {false, false, false}},
    {"exact", 300, false, false, {0, 100, 200}, {100, 100, 100}, {false, false, false}},
    {"short", 200, false, false, {0, 100, 170}, {100, 70, 30}, {false, true, true}},
    {"shorter", 150, false, false, {0, 90, 120}, {90, 30, 30}, {true, true, true}},
    {"shorter, auto-aligned", 150, true, false, {0, 90, 120}, {90, 30, 30}, {true, true, true}},
  };
  for (const TCase& c : cases) {
    TDockFixture f;
    TdxDockControl* top = f.Dock(dsTop);
    TSizedToolbar* a = f.DockNew(top, {0, 0});
    TSizedToolbar* b = f.DockNew(top, {150, 5});
    TSizedToolbar* t = f.DockNew(top, {350, 5});
    ASSERT_EQ(top->RowCount(), 1) << c.What;
    ASSERT_EQ(top->Rows(0)->ColCount(), 3) << c.What;
    f.Manager->SetAutoAlignBars(c.AutoAlign);
    b->GetBarOfControl()->SetUseRestSpace(c.RestSpaceOnSecond);
    top->AlignRow(0, c.Length);
    std::vector<int> lefts, lengths;
    std::vector<bool> truncated;
    for (TSizedToolbar* x : {a, b, t}) {
      lefts.push_back(x->Left());
      lengths.push_back(x->Width());
      truncated.push_back(top->FindCol(x)->Truncated());
      EXPECT_EQ(x->Top(), 0) << c.What;
      EXPECT_EQ(x->Height(), 22) << c.What;
    }
    EXPECT_EQ(lefts, c.Lefts) << c.What;
    EXPECT_EQ(lengths, c.Lengths) << c.What;
    EXPECT_EQ(truncated, c.Truncated) << c.What;
  }
}

TEST(dxDockControl, AWholeRowBarKeepsItsRowToItself)
{
  TDockFixture f;
  TdxDockControl* top = f.Dock(dsTop);
  TSizedToolbar* first = f.DockNew(top, {0, 0});
  TdxBar* whole = f.Manager->Bars()->Add();
  whole->SetWholeRow(true);
  whole->SetBorderStyle(bbsNone);
  whole->SetDockingStyle(dsTop);
  auto* w = New<TSizedToolbar>(f.Manager);
  f.Toolbars.push_back(w);
  w->SetBar(whole);
  w->SetItemLinks(whole->ItemLinks());
  w->SetDockingStyle(dsTop);
  w->SetRealDockControl(top);
  w->ShowToolbar();
  top->DockBarAt(w, top->ClientToScreen(POINT{200, 3}), true);
  EXPECT_EQ(top->RowCount(), 2) << "dropped onto the first row, it still gets a row of its own";
  EXPECT_EQ(f.RowOf(first), 1);
  EXPECT_EQ(f.RowOf(w), 0);
  EXPECT_EQ(w->Width(), top->ClientWidth()) << "the whole length of the dock";
  EXPECT_TRUE(whole->OneOnRow());

  TSizedToolbar* late = f.DockNew(top, {300, 3});
  EXPECT_EQ(top->RowCount(), 3) << "no other bar joins a whole-row bar";
  EXPECT_EQ(f.RowOf(late), 0);
  EXPECT_EQ(f.RowOf(w), 1);
  EXPECT_EQ(top->Rows(1)->ColCount(), 1);
}

TEST(dxDockControl, FarEdgeDocksGrowFromTheirFarEdge)
{
  TDockFixture f;
  const RECT client = f.Form->ClientRect();
  TdxDockControl* bottom = f.Dock(dsBottom);
  TdxDockControl* right = f.Dock(dsRight);
  f.DockNew(bottom, {0, 0});
  EXPECT_EQ(bottom->Height(), 22);
  EXPECT_EQ(bottom->BoundsRect().bottom, client.bottom);
  f.DockNew(bottom, {0, 30});
  EXPECT_EQ(bottom->Height(), 44) << "a second row";
  EXPECT_EQ(bottom->Top(), client.bottom - 44) << "grown upward";

  f.DockNew(right, {0, 0});
  f.DockNew(right, {30, 0});
  EXPECT_EQ(right->Width(), 44);
  EXPECT_EQ(right->BoundsRect().right, client.right) << "grown to the left";
  for (int i = 0; i < right->Rows(0)->ColCount(); ++i)
    EXPECT_EQ(right->Rows(0)->Cols(i)->BarControl()->Height(), 100) << "vertical bars run along the height";
}

TEST(dxDockControl, BadPositionsAndRowsAreMendedNotRefused)
{
  TDockFixture f;
  TdxDockControl* top = f.Dock(dsTop);
  const int width = top->ClientWidth();
  TSizedToolbar* before = f.DockNew(top, {-50, 0});
  EXPECT_EQ(before->Left(), 0) << "a negative position counts as 0";
  EXPECT_EQ(top->FindCol(before)->Pos().x, 0);
  TSizedToolbar* past = f.DockNew(top, {width + 300, 0});
  EXPECT_EQ(f.RowOf(past), 0);
  EXPECT_EQ(past->Left(), width - 100) << "pushed back just enough to fit";

  // Row far past the rows: one new last row, with the bar's toolbar in it.
  TSizedToolbar* second = f.DockNew(top, {0, 30});
  ASSERT_EQ(top->RowCount(), 2);
  TdxBar* bar = past->GetBarOfControl();
  ASSERT_EQ(bar->GetBarControl(), past);
  bar->SetRow(40);
  EXPECT_EQ(top->RowCount(), 3);
  EXPECT_EQ(bar->Row(), 2);
  EXPECT_EQ(f.RowOf(past), 2) << "the toolbar moved with its bar";
  EXPECT_EQ(past->Top(), 44);
  EXPECT_EQ(top->Height(), 66);
  bar->SetRow(1);
  EXPECT_EQ(top->RowCount(), 2) << "the emptied last row went";
  EXPECT_EQ(f.RowOf(past), 1);
  EXPECT_EQ(f.RowOf(second), 1);
  EXPECT_EQ(top->Height(), 44);
}

TEST(dxDockControl, AFreedToolbarLeavesItsRowAtTheNextRealignment)
{
  TDockFixture f;
  TdxDockControl* top = f.Dock(dsTop);
  TSizedToolbar* a = f.DockNew(top, {0, 0});
  TSizedToolbar* b = f.DockNew(top, {0, 30});
  f.Toolbars.erase(f.Toolbars.begin());
  Free(a);
  EXPECT_EQ(top->GetCols(), std::vector<TdxDockCol*>{top->FindCol(b)});
  top->RealignIfAllowed();
  EXPECT_EQ(top->Rows(0)->ColCount(), 0);
  EXPECT_EQ(b->Top(), 0) << "the emptied row takes no room";
  EXPECT_EQ(top->Height(), 22);
}

TEST(dxDockControl, WindowMessagesOfADock)
{
  TDockFixture f;
  TdxDockControl* top = f.Dock(dsTop);
  f.DockNew(top, {0, 0});
  HWND wnd = top->Handle();
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(wnd, GWL_STYLE)) & 0xFFFF0000u, 0x46000000u | WS_VISIBLE);
  EXPECT_EQ(GetWindowLongA(wnd, GWL_EXSTYLE), 0);

  // A double click on the dock enters customization when the manager allows it.
  f.Manager->SetCanCustomize(false);
  SendMessageA(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(500, 5));
  EXPECT_FALSE(f.Manager->IsCustomizing());
  f.Manager->SetCanCustomize(true);
  SendMessageA(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(500, 5));
  EXPECT_TRUE(f.Manager->IsCustomizing());
  f.Manager->SetCustomizing(false);

  // A sunken border takes a pixel on every side, and the dock grows by two.
  f.Manager->SetSunkenBorder(true);
  RECT client{};
  GetClientRect(wnd, &client);
  EXPECT_EQ(top->Height(), 24);
  EXPECT_EQ(client.bottom, 22);
  EXPECT_EQ(client.right, top->Width() - 2);

  const HDC dc = GetDC(wnd);
  EXPECT_EQ(SendMessageA(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  ReleaseDC(wnd, dc);
}

TEST(dxDockControl, ADockControlNamedByNoComponentStopsTheRead)
{
  TStoredTestItems items;
  TOwned<TForm> form = MakeOwned<TForm>(nullptr, CreateNew);
  std::string error = "(read)";
  try {
    ReadComponentFromText(R"(object BarsForm: TForm
  object dxBarManager1: TdxBarManager
    object Bar1: TdxBar
      Caption = 'One'
      DockControl = NoSuchDock
      Visible = True
    end
  end
end
)",
                          form.get());
  } catch (const Exception& e) {
    error = e.Message();
  }
  EXPECT_NE(error.find("NoSuchDock"), std::string::npos) << error;
}

TEST(dxDockControl, APlacedDockStoresItsColourAndBorderOnlyWhenItsOwn)
{
  TDockFixture f;
  auto* dock = New<TdxBarDockControl>(f.Form);
  dock->SetName("dxBarDockControl1");
  dock->SetParent(f.Form);
  dock->SetBarManager(f.Manager);
  auto text = [&] { return ComponentToText(dock); };
  EXPECT_EQ(dock->Align(), dalTop);
  EXPECT_EQ(text().find("Color"), std::string::npos) << text();
  EXPECT_EQ(text().find("SunkenBorder"), std::string::npos) << text();
  EXPECT_EQ(dock->Height(), 0) << "an empty placed dock takes no room at run time";

  dock->SetColor(clRed);
  EXPECT_TRUE(dock->UseOwnColor());
  EXPECT_NE(text().find("Color = clRed"), std::string::npos) << text();
  EXPECT_NE(text().find("ParentColor = False"), std::string::npos) << text();
  f.Manager->SetDockColor(clBlue);
  EXPECT_EQ(dock->Color(), clRed) << "its own colour stays";
  dock->SetUseOwnColor(false);
  EXPECT_EQ(dock->Color(), clBlue) << "back to the manager's";
  EXPECT_EQ(text().find("Color"), std::string::npos) << text();

  EXPECT_FALSE(dock->SunkenBorder());
  dock->SetSunkenBorder(false);
  EXPECT_TRUE(dock->UseOwnSunkenBorder());
  EXPECT_NE(text().find("SunkenBorder = False"), std::string::npos) << text();
  f.Manager->SetSunkenBorder(true);
  EXPECT_FALSE(dock->SunkenBorder());
  dock->SetUseOwnSunkenBorder(false);
  EXPECT_TRUE(dock->SunkenBorder()) << "the manager's again";

  // The alignment moves the dock and gives its toolbars the new style.
  TSizedToolbar* t = f.DockNew(dock, {0, 0});
  EXPECT_EQ(dock->DockingStyle(), dsTop);
  dock->SetAlign(dalLeft);
  EXPECT_EQ(dock->DockingStyle(), dsLeft);
  EXPECT_EQ(t->DockingStyle(), dsLeft);
  EXPECT_EQ(dock->Width(), 22 + 2) << "its row, and the sunken border";
}

TEST(dxDockControl, ThePictureIsTiledFromTheDocksOrigin)
{
  TDockFixture f;
  TdxDockControl* top = f.Dock(dsTop);
  f.DockNew(top, {0, 0});
  TOwned<TBitmap> picture = MakeOwned<TBitmap>();
  picture->SetSize(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) SetPixel(picture->Canvas()->Handle(), x, y, (x + y) % 2 ? RGB(255, 0, 0) : RGB(0, 0, 255));
  EXPECT_FALSE(top->DoubleBuffered());
  top->SetBackgroundBitmap(picture.get());
  EXPECT_TRUE(top->HasOwnBackground());
  EXPECT_TRUE(top->DoubleBuffered());

  TOwned<TBitmap> target = MakeOwned<TBitmap>();
  target->SetSize(12, 8);
  HDC dc = target->Canvas()->Handle();
  top->FillBackground(dc, RECT{0, 0, 12, 8}, nullptr, clNone);
  EXPECT_EQ(top->BackgroundCache()->Width(), top->ClientWidth()) << "the cache holds the whole dock";
  for (POINT p : {POINT{0, 0}, POINT{1, 0}, POINT{5, 2}, POINT{8, 7}})
    EXPECT_EQ(GetPixel(dc, p.x, p.y), (p.x + p.y) % 2 ? RGB(255, 0, 0) : RGB(0, 0, 255)) << p.x << "," << p.y;
  // A part of the dock shows the tiles of its own place.
  top->FillBackground(dc, RECT{5, 0, 6, 1}, nullptr, clNone);
  EXPECT_EQ(GetPixel(dc, 5, 0), RGB(255, 0, 0));
  // A stale cache is never used: a new size or picture makes it again.
  f.Form->SetWidth(f.Form->Width() - 50);
  top->FillBackground(dc, RECT{0, 0, 12, 8}, nullptr, clNone);
  EXPECT_EQ(top->BackgroundCache()->Width(), top->ClientWidth());
  picture->Canvas()->Brush()->SetColor(clLime);
  picture->Canvas()->FillRect(RECT{0, 0, 4, 4});
  top->SetBackgroundBitmap(picture.get());
  top->FillBackground(dc, RECT{0, 0, 12, 8}, nullptr, clNone);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 255, 0));
}

// A dock without a picture erases itself with its colour through the painter; a docked toolbar has
// its background painted by its dock, in the dock's colour, and the manager's bar picture runs on
// from the dock's origin across the toolbar's client area and its frame alike.
TEST(dxDockControl, ADockedToolbarContinuesItsDocksBackground)
{
  TDockFixture f;
  TdxDockControl* top = f.Dock(dsTop);
  TSizedToolbar* t = f.DockNew(top, {150, 0});
  ASSERT_GT(t->Left(), 0);
  f.Manager->SetDockColor(clRed);
  {
    TDibSurface s(top->ClientWidth(), top->ClientHeight());
    EXPECT_EQ(SendMessageA(top->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(s.DC()), 0), 1);
    EXPECT_EQ(s.Count(RECT{0, 0, s.Width(), s.Height()}, RGB(255, 0, 0)), s.Width() * s.Height());
    s.Fill(RGB(0, 255, 0));
    t->FillBackground(s.DC(), RECT{0, 0, 8, 8});
    EXPECT_EQ(s.Count(RECT{0, 0, 8, 8}, RGB(255, 0, 0)), 64) << "the toolbar continues the dock's colour";
  }

  // A 3 x 3 picture of nine colours: a shift by anything but a multiple of 3 either way shows.
  auto tile = [](POINT inDock) {
    return RGB(40 + 100 * (inDock.x % 3), 40 + 100 * (inDock.y % 3), 200);
  };
  TOwned<TBitmap> picture = MakeOwned<TBitmap>();
  picture->SetSize(3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) SetPixel(picture->Canvas()->Handle(), x, y, tile({x, y}));
  f.Manager->Backgrounds()->SetBar(picture.get());
  // A frame puts the client origin off the window's.
  t->GetBar()->SetBorderStyle(bbsSingle);
  top->RefreshFrames();
  Pump(20);
  POINT client{0, 0};
  MapWindowPoints(t->Handle(), top->Handle(), &client, 1);
  ASSERT_NE(tile(client), tile({t->Left(), t->Top()})) << "the client origin lies off the window's by the frame";
  // A buffered client paint: client coordinates.
  TDibSurface s(8, 8);
  t->FillBackground(s.DC(), RECT{0, 0, 8, 8});
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(s.Pixel(x, y), tile({client.x + x, client.y + y})) << x << "," << y;
  // Only the asked part is painted, at its place in the toolbar.
  s.Fill(RGB(0, 255, 0));
  t->FillBackground(s.DC(), RECT{2, 2, 4, 4});
  EXPECT_EQ(s.Count(RECT{0, 0, 8, 8}, RGB(0, 255, 0)), 64 - 4);
  EXPECT_EQ(s.Pixel(2, 2), tile({client.x + 2, client.y + 2}));

  // The frame is filled on the window DC, in window coordinates: the tile at the window's corner is
  // the dock's tile at the window's place.
  HDC windowDC = GetWindowDC(t->Handle());
  t->FillBackground(windowDC, RECT{0, 0, 1, 1});
  EXPECT_EQ(GetPixel(windowDC, 0, 0), tile({t->Left(), t->Top()}));
  ReleaseDC(t->Handle(), windowDC);
  f.Manager->Backgrounds()->SetBar(nullptr);
}

TEST(dxDockControl, NoLeaksOverManyRealignmentsWithACachedBackground)
{
  TDockFixture f;
  TdxDockControl* top = f.Dock(dsTop);
  TSizedToolbar* a = f.DockNew(top, {0, 0});
  f.DockNew(top, {150, 0});
  TSizedToolbar* c = f.DockNew(top, {0, 30});
  f.DockNew(top, {150, 30});
  TOwned<TBitmap> picture = MakeOwned<TBitmap>();
  picture->SetSize(8, 8);
  top->SetBackgroundBitmap(picture.get());
  Pump(20);
  const int windowsBefore = ThreadWindowCount(), gdiBefore = LiveGdiObjects();
  for (int i = 0; i < 100; ++i) {
    // Both rows realign: the first bar of each row changes places with the second.
    top->MoveBarControl(a, top->ClientToScreen(POINT{i % 2 ? 0 : 300, 3}));
    top->MoveBarControl(c, top->ClientToScreen(POINT{i % 2 ? 0 : 300, 25}));
    top->Realign();
    UpdateWindow(top->Handle());
  }
  HandleWaitingMessages();
  EXPECT_EQ(top->RowCount(), 2);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
}

namespace {
// The main window's stored form, read and shown: its visible bars make their toolbar windows and
// stand in the top dock at their stored rows.
struct TMainWindowBars {
  TStoredTestItems Items;
  TTestForm Form;
  TdxBarManager* Manager = nullptr;
  TdxDockControl* Top = nullptr;

  TMainWindowBars()
  {
    ReadComponentFromText(MainWindowBars, Form.Form.get());
    Form->Show();
    Manager = Form->Manager();
    Top = Manager->Bars()->DockControls(dsTop);
    Pump(20);
  }
  int RowOf(TdxBar* bar) const
  {
    TdxDockCol* col = bar->GetBarControl() ? Top->FindCol(bar->GetBarControl()) : nullptr;
    return col ? Top->IndexOfRow(col->Row()) : -1;
  }
};
}  // namespace

TEST(dxDockControl, TheMainWindowsToolbarsStandInRowsZeroAndOneOfTheTopDock)
{
  TMainWindowBars m;
  TdxBar* main = m.Form->Bar("dxBarManager1Bar1");
  TdxBar* font = m.Form->Bar("dxBarManager1Bar2");
  ASSERT_NE(main->GetBarControl(), nullptr);
  ASSERT_NE(font->GetBarControl(), nullptr);
  EXPECT_EQ(m.Top->RowCount(), 2);
  EXPECT_EQ(m.RowOf(main), 0);
  EXPECT_EQ(m.RowOf(font), 1);
  EXPECT_EQ(main->Row(), 0);
  EXPECT_EQ(font->Row(), 1);
  EXPECT_EQ(m.Top->Rows(0)->ColCount(), 1) << "OneOnRow: alone in its row";
  EXPECT_EQ(m.Top->Rows(1)->ColCount(), 1);
  EXPECT_TRUE(main->OneOnRow());
  EXPECT_TRUE(font->OneOnRow());
  const int spacing = m.Manager->Painter()->GetDockRowSpacing();
  EXPECT_EQ(font->GetBarControl()->Top(), main->GetBarControl()->Height() + spacing);
  EXPECT_EQ(m.Top->Height(), main->GetBarControl()->Height() + spacing + font->GetBarControl()->Height())
      << "as high as its two rows";
  EXPECT_EQ(main->GetBarControl()->Left(), 0);
}

// A hidden bar gives up its toolbar window and its row's place, and the dock shrinks; showing it
// makes a new window at the stored place and row, and the dock grows back.
TEST(dxDockControl, ABarHiddenAndShownAgainReturnsToItsStoredPlace)
{
  TMainWindowBars m;
  TdxBar* font = m.Form->Bar("dxBarManager1Bar2");
  ASSERT_NE(font->GetBarControl(), nullptr);
  m.Top->MoveBarControl(font->GetBarControl(), m.Top->ClientToScreen(POINT{120, font->GetBarControl()->Top() + 3}));
  const RECT before = font->GetBarControl()->BoundsRect();
  const int height = m.Top->Height();
  EXPECT_EQ(before.left, 120);

  font->SetVisible(false);
  EXPECT_EQ(font->GetBarControl(), nullptr);
  EXPECT_EQ(font->DockedLeft(), 120);
  EXPECT_EQ(font->Row(), 1);
  EXPECT_TRUE(font->OneOnRow());
  EXPECT_LT(m.Top->Height(), height);

  font->SetVisible(true);
  ASSERT_NE(font->GetBarControl(), nullptr);
  const RECT after = font->GetBarControl()->BoundsRect();
  EXPECT_TRUE(EqualRect(&after, &before));
  EXPECT_EQ(m.RowOf(font), 1);
  EXPECT_EQ(m.Top->Height(), height);
}
