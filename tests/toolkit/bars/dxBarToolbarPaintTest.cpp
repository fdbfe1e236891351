// The toolbar window as it shows: a floating toolbar paints its whole window, frame,
// caption and client area, in the painter's colours, with its items where its layout put them.
#include <gtest/gtest.h>
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "classlib/Graphics.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarEdits.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"

namespace {
constexpr COLORREF SwatchColor = RGB(0, 128, 255);

// An item of fixed size whose control fills its rect with one colour.
class TSwatchItem : public TdxBarItem {
  CL_CLASS(TSwatchItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
};
class TSwatchControl : public TdxBarItemControl {
  CL_CLASS(TSwatchControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  int CalcItemWidth() override { return 30; }
  int CalcItemHeight() override { return 20; }
  void Draw(const RECT& rect, int) override
  {
    HBRUSH brush = CreateSolidBrush(SwatchColor);
    FillRect(GetCanvas()->GetDCHandle(), &rect, brush);
    DeleteObject(brush);
  }
};

struct TFloatingFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bar = Manager->Bars()->Add();

  TFloatingFixture() { RegisterBarItemClass(ClassRef<TSwatchItem>(), ClassRef<TSwatchControl>(), true); }
  ~TFloatingFixture()
  {
    Bar->SetVisible(false);
    UnregisterBarItemClass(ClassRef<TSwatchItem>());
  }
  // Shows the bar floating clear of the form and lets it paint.
  TdxBarControl* Show(TdxBarManagerStyle style, int items)
  {
    Manager->SetStyle(style);
    Bar->SetCaption("Tools");
    for (int i = 0; i < items; ++i) Bar->ItemLinks()->AddItem(New<TSwatchItem>(Form));
    Form->SetBounds(10, 10, 400, 300);
    Form->Show();
    Pump(30);
    Bar->SetDockingStyle(TdxBarDockingStyle::dsNone);
    Bar->SetFloatLeft(600);
    Bar->SetFloatTop(100);
    Bar->SetFloatClientWidth(120);
    Bar->SetVisible(true);
    TdxBarControl* toolbar = Bar->GetBarControl();
    if (toolbar) UpdateWindow(toolbar->Handle());
    Pump(50);
    return toolbar;
  }
};

// The window's pixels as it painted them, read from its own window surface (in window coordinates),
// so that windows of other tests passing over it do not matter.
struct TWindowShot {
  RECT Window{};
  TDibSurface Surface;
  explicit TWindowShot(HWND wnd) : Window(WindowRectOf(wnd)), Surface(Window.right - Window.left, Window.bottom - Window.top)
  {
    HDC dc = GetWindowDC(wnd);
    BitBlt(Surface.DC(), 0, 0, Surface.Width(), Surface.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(wnd, dc);
  }
  static RECT WindowRectOf(HWND wnd)
  {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
  }
  int Area(const RECT& r) const { return (r.right - r.left) * (r.bottom - r.top); }
};

RECT ClientInWindow(HWND wnd)
{
  RECT client{}, window{};
  GetClientRect(wnd, &client);
  GetWindowRect(wnd, &window);
  MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  return client;
}
}  // namespace

CL_DEFINE_CLASS(TSwatchItem);
CL_DEFINE_CLASS(TSwatchControl);

// Every pixel of a floating toolbar is painted: the client area shows the bar's background and
// its items, the frame and caption the painter's colours, for an empty bar and one with items, in
// each look. (A window whose background steps paint nothing shows black on a fresh screen.)
TEST(dxBarToolbarPaint, AFloatingToolbarPaintsItsWholeWindow)
{
  struct TCase {
    TdxBarManagerStyle Style;
    int Items;
  };
  const TCase cases[] = {{bmsStandard, 0}, {bmsStandard, 2}, {bmsEnhanced, 0}, {bmsEnhanced, 2}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << static_cast<int>(c.Style) << ", items " << c.Items);
    TFloatingFixture f;
    TdxBarControl* t = f.Show(c.Style, c.Items);
    ASSERT_NE(t, nullptr);
    const HWND wnd = t->Handle();
    ASSERT_TRUE(IsWindowVisible(wnd));
    const TWindowShot shot(wnd);
    const RECT client = ClientInWindow(wnd);
    ASSERT_FALSE(IsRectEmpty(&client));

    // The client area: the items in their colour, the rest the bar's background colour.
    const COLORREF background = GetSysColor(COLOR_BTNFACE);
    int swatch = 0;
    for (int i = 0; i < f.Bar->ItemLinks()->Count(); ++i) {
      RECT item = f.Bar->ItemLinks()->Items(i)->ItemRect();
      ASSERT_FALSE(IsRectEmpty(&item));
      OffsetRect(&item, client.left, client.top);
      EXPECT_EQ(shot.Surface.Count(item, SwatchColor), shot.Area(item)) << "item " << i;
      swatch += shot.Area(item);
    }
    EXPECT_EQ(shot.Surface.Count(client, background), shot.Area(client) - swatch);

    // The frame: the caption bar is drawn in one colour over most of its rect, and black (what a
    // window shows where nothing painted) covers no more than the frame's lines and glyphs.
    const RECT caption = t->GetPainter()->GetFloatingCaptionRect(t, RECT{0, 0, shot.Surface.Width(), shot.Surface.Height()});
    ASSERT_FALSE(IsRectEmpty(&caption));
    const COLORREF captionColor = shot.Surface.Pixel(caption.left + 1, caption.bottom - 2);
    EXPECT_NE(captionColor, RGB(0, 0, 0));
    EXPECT_GT(shot.Surface.Count(caption, captionColor), shot.Area(caption) / 2);
    const int black = shot.Surface.Count(RECT{0, 0, shot.Surface.Width(), shot.Surface.Height()}, RGB(0, 0, 0));
    EXPECT_LT(black, shot.Area(caption) / 2);
  }
}

namespace {
TOwned<TBitmap> SquareGlyph(TColor color)
{
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(16, 16);
  glyph->Canvas()->Brush()->SetColor(clFuchsia);
  glyph->Canvas()->FillRect(RECT{0, 0, 16, 16});
  glyph->Canvas()->Brush()->SetColor(color);
  glyph->Canvas()->FillRect(RECT{2, 2, 14, 14});
  return glyph;
}

// Two toolbars in one row of the top dock, as the main window has them: buttons with caption and
// glyph, and an edit on the second.
struct TDockedRowFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bars[2]{};
  TdxBarEdit* Edit = nullptr;

  explicit TDockedRowFixture(TdxBarManagerStyle style)
  {
    Form->SetBounds(20, 20, 640, 300);
    Manager->SetStyle(style);
    const char* captions[2][3] = {{"Open", "Save", "Find"}, {"Bold", "Italic", nullptr}};
    const TColor colors[] = {clNavy, clGreen, clMaroon};
    for (int b = 0; b < 2; ++b) {
      TdxBar* bar = Bars[b] = Manager->Bars()->Add();
      bar->SetCaption(b ? "Font" : "Main");
      for (int i = 0; i < 3 && captions[b][i]; ++i) {
        auto* button = New<TdxBarButton>(Form);
        button->SetCaption(captions[b][i]);
        TOwned<TBitmap> glyph = SquareGlyph(colors[i]);
        button->SetGlyph(glyph.get());
        button->SetPaintStyle(psCaptionGlyph);
        bar->ItemLinks()->AddItem(button);
      }
      bar->SetDockingStyle(TdxBarDockingStyle::dsTop);
      bar->SetRow(0);
      bar->SetOneOnRow(false);
      bar->SetDockedLeft(b ? 260 : 0);
    }
    Edit = New<TdxBarEdit>(Form);
    Edit->SetWidth(80);
    Edit->SetText("Song");
    Bars[1]->ItemLinks()->AddItem(Edit);
    for (TdxBar* bar : Bars) bar->SetVisible(true);
    Form->Show();
    Pump(30);
    for (TdxBar* bar : Bars)
      if (bar->GetBarControl()) UpdateWindow(bar->GetBarControl()->Handle());
    Pump(50);
  }
};
}  // namespace

// Two toolbars stand side by side in the one row of the top dock at their stored places, the dock
// as high as the row; each paints its frame and background whole (black shows nowhere outside its
// buttons, whose content the button drawing paints), and the edit shows its text box.
TEST(dxBarToolbarPaint, TwoToolbarsDockedInOneRowOfTheTopDock)
{
  for (TdxBarManagerStyle style : {bmsEnhanced, bmsStandard}) {
    SCOPED_TRACE(static_cast<int>(style));
    TDockedRowFixture f(style);
    TdxDockControl* top = f.Manager->Bars()->DockControls(dsTop);
    TdxBarControl* first = f.Bars[0]->GetBarControl();
    TdxBarControl* second = f.Bars[1]->GetBarControl();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(top->RowCount(), 1);
    EXPECT_EQ(first->Top(), 0);
    EXPECT_EQ(second->Top(), 0);
    EXPECT_EQ(first->Left(), 0);
    EXPECT_EQ(second->Left(), 260);
    EXPECT_EQ(first->Height(), second->Height());
    EXPECT_EQ(top->Height(), first->Height());

    for (TdxBarControl* t : {first, second}) {
      const TWindowShot shot(t->Handle());
      const RECT client = ClientInWindow(t->Handle());
      int insideItems = 0;
      for (int i = 0; i < t->GetBar()->ItemLinks()->Count(); ++i) {
        RECT item = t->GetBar()->ItemLinks()->Items(i)->ItemRect();
        ASSERT_FALSE(IsRectEmpty(&item));
        OffsetRect(&item, client.left, client.top);
        insideItems += shot.Surface.Count(item, RGB(0, 0, 0));
      }
      const int black = shot.Surface.Count(RECT{0, 0, shot.Surface.Width(), shot.Surface.Height()}, RGB(0, 0, 0));
      EXPECT_EQ(black - insideItems, 0) << "black outside the items";
    }
    RECT edit = f.Bars[1]->ItemLinks()->Items(f.Bars[1]->ItemLinks()->Count() - 1)->ItemRect();
    const TWindowShot shot(second->Handle());
    const RECT client = ClientInWindow(second->Handle());
    OffsetRect(&edit, client.left, client.top);
    EXPECT_GT(shot.Surface.Count(edit, GetSysColor(COLOR_WINDOW)), shot.Area(edit) / 3) << "the edit's text box";
  }
}
