// The toolbar window as it shows on the screen: a floating toolbar paints its whole window, frame,
// caption and client area, in the painter's colours, with its items where its layout put them.
#include <gtest/gtest.h>
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
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

// The window's pixels as the screen shows them, in window coordinates.
struct TWindowShot {
  RECT Window{};
  TDibSurface Surface;
  explicit TWindowShot(HWND wnd) : Window(WindowRectOf(wnd)), Surface(Window.right - Window.left, Window.bottom - Window.top)
  {
    HDC screen = GetDC(nullptr);
    BitBlt(Surface.DC(), 0, 0, Surface.Width(), Surface.Height(), screen, Window.left, Window.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
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
