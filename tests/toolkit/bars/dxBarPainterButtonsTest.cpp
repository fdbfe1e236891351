// A button's whole content drawn by the standard and enhanced looks, on surfaces: its frame and
// background per state, the glyph in its area and the caption beside it, a lowered button's sunken
// edge, the drop-down part and a hidden arrow, a large button's caption on the side its glyph
// layout leaves free; and menu items: the check mark in the icon column, the highlighted face, the
// right-aligned shortcut and a description of at most two rows under the caption.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Menus.h"
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtonControls.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarControlViewInfo.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"

namespace {
const COLORREF Ground = RGB(255, 0, 255);
const COLORREF Blue = RGB(0, 0, 255);
COLORREF Sys(int index) { return GetSysColor(index); }

TOwned<TBitmap> BlueGlyph(int size)
{
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(size, size);
  glyph->Canvas()->Brush()->SetColor(clBlue);
  glyph->Canvas()->FillRect(RECT{0, 0, size, size});
  glyph->Canvas()->Brush()->SetColor(clFuchsia);  // the left-bottom pixel names the transparent colour
  glyph->Canvas()->FillRect(RECT{0, size - 1, 1, size});
  return glyph;
}

// A shown toolbar of the look with the buttons added before it is shown; each button is drawn on a
// surface of its own with its draw parameters as the control computes them, changed by the case.
struct TButtonFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bar = Manager->Bars()->Add();
  TdxBarControl* Toolbar = nullptr;

  explicit TButtonFixture(TdxBarManagerStyle style)
  {
    Manager->SetStyle(style);
    Form->Show();
  }
  ~TButtonFixture() { Free(Toolbar); }
  template <class T = TdxBarButton>
  T* Add(const std::string& caption, TdxBarPaintStyle paintStyle = psCaptionGlyph)
  {
    auto* item = New<T>(Form);
    item->SetCaption(caption);
    item->SetPaintStyle(paintStyle);
    Bar->ItemLinks()->AddItem(item);
    return item;
  }
  void Show()
  {
    Toolbar = New<TdxBarControl>(Manager);
    Toolbar->SetBar(Bar);
    Toolbar->SetItemLinks(Bar->ItemLinks());
    Toolbar->SetBounds(100, 100, 400, 60);
    Toolbar->ShowToolbar();
    Pump(20);
  }
  TdxBarButtonControl* ControlOf(TdxBarItem* item) const
  {
    return dynamic_cast<TdxBarButtonControl*>(item->GetLink(0)->Control());
  }
  TdxBarPainter* Painter() const { return Toolbar->GetPainter(); }
};

// The drawing of one control on a surface of the size, its parameters changed by adjust first.
struct TDrawn {
  TDibSurface Surface;
  TOwned<TCanvas> Canvas = MakeOwned<TCanvas>();
  TOwned<TcxCanvas> Cx;

  template <class F>
  TDrawn(TdxBarButtonControl* control, SIZE size, F adjust) : Surface(size.cx, size.cy, Ground)
  {
    Canvas->SetHandle(Surface.DC());
    Cx = MakeOwned<TcxCanvas>(Canvas.get());
    control->CalcDrawParams(true);
    TdxBarButtonLikeControlDrawParams* p = control->ButtonDrawParams();
    p->Canvas = Cx.get();
    adjust(p);
    control->GetPainter()->DrawButtonContent(p, RECT{0, 0, size.cx, size.cy});
    control->CalcDrawParams(true);
  }
  TDrawn(TdxBarButtonControl* control, SIZE size) : TDrawn(control, size, [](TdxBarButtonLikeControlDrawParams*) {}) {}
  ~TDrawn() { Canvas->SetHandle(nullptr); }
  RECT Text() const { return Surface.Extent(Sys(COLOR_BTNTEXT)); }
  RECT Glyph() const { return Surface.Extent(Blue); }
};

const TdxBarManagerStyle Looks[] = {TdxBarManagerStyle::bmsStandard, TdxBarManagerStyle::bmsEnhanced};
std::string LookName(TdxBarManagerStyle style) { return style == TdxBarManagerStyle::bmsStandard ? "standard" : "enhanced"; }
}  // namespace

// A caption-and-glyph button on a toolbar: at rest no edge, hot a raised edge round the button,
// pressed or checked a sunken one with the glyph one pixel further right and down per state; a
// checked button at rest lies on the checker brush. The glyph is centred in the button-sized area
// at the left, the caption starts after that area and moves with a pressed glyph.
TEST(dxBarPainterButtons, FacesGlyphAndCaptionByState)
{
  const struct {
    const char* Name;
    bool Hot, Pressed, Checked;
    COLORREF TopLeft, BottomRight;
    int Shift;
  } cases[] = {
      {"at rest", false, false, false, Sys(COLOR_BTNFACE), Sys(COLOR_BTNFACE), 0},
      {"hot", true, false, false, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW), 0},
      {"pressed", true, true, false, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT), 1},
      {"checked", false, false, true, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT), 1},
  };
  auto glyph = BlueGlyph(16);
  for (TdxBarManagerStyle look : Looks) {
    TButtonFixture f(look);
    auto* item = f.Add("Find");
    item->Glyph()->Assign(glyph.get());
    item->SetButtonStyle(bsChecked);
    f.Show();
    TdxBarButtonControl* control = f.ControlOf(item);
    ASSERT_NE(control, nullptr);
    const SIZE button = control->DrawParams()->ButtonSize;
    ASSERT_GT(button.cx, 18);
    const SIZE size{button.cx + 60, button.cy};
    RECT restText{};
    for (const auto& c : cases) {
      SCOPED_TRACE(LookName(look) + " " + c.Name);
      item->SetDown(c.Checked);
      TDrawn d(control, size, [&](TdxBarButtonLikeControlDrawParams* p) {
        p->DrawSelected = c.Hot;
        p->PressedLook = c.Pressed;
      });
      EXPECT_EQ(d.Surface.Pixel(0, 0), c.TopLeft);
      EXPECT_EQ(d.Surface.Pixel(size.cx - 1, size.cy - 1), c.BottomRight);
      const RECT g = d.Glyph();
      EXPECT_EQ(g.right - g.left, 16);
      EXPECT_EQ(g.left, (button.cx - 16) / 2 + c.Shift);
      EXPECT_EQ(g.top, (button.cy - 16) / 2 + c.Shift);
      const RECT text = d.Text();
      ASSERT_FALSE(IsRectEmpty(&text));
      EXPECT_GE(text.left, button.cx) << "the caption starts after the glyph area";
      if (c.Shift == 0 && !c.Hot) restText = text;
      EXPECT_EQ(text.left - restText.left, c.Shift);
      if (c.Checked && look == TdxBarManagerStyle::bmsStandard)
        EXPECT_GT(d.Surface.Count(RECT{1, 1, g.left, size.cy - 1}, Sys(COLOR_BTNHIGHLIGHT)), 4) << "the checker";
    }
    item->SetDown(false);
  }
}

// A lowered button: a sunken outer edge round it and its content one pixel in; a caption-only
// button centres nothing in a glyph area and starts its caption half a text height in.
TEST(dxBarPainterButtons, ALoweredButtonAndACaptionOnlyButton)
{
  TButtonFixture f(TdxBarManagerStyle::bmsEnhanced);
  auto glyph = BlueGlyph(16);
  auto* lowered = f.Add("Find");
  lowered->Glyph()->Assign(glyph.get());
  lowered->SetLowered(true);
  auto* plain = f.Add("Find");
  plain->Glyph()->Assign(glyph.get());
  auto* caption = f.Add("Find", psCaption);
  f.Show();
  const SIZE size{90, 24};
  TDrawn low(f.ControlOf(lowered), size), flat(f.ControlOf(plain), size), text(f.ControlOf(caption), size);
  EXPECT_EQ(low.Surface.Pixel(0, 0), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(low.Surface.Pixel(size.cx - 1, size.cy - 1), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(flat.Surface.Pixel(0, 0), Sys(COLOR_BTNFACE));
  EXPECT_EQ(low.Glyph().left, flat.Glyph().left + 1);
  EXPECT_EQ(low.Glyph().top - flat.Glyph().top, 0) << "centred across the shrunk button";
  const RECT noGlyph = text.Glyph();
  EXPECT_TRUE(IsRectEmpty(&noGlyph));
  const RECT t = text.Text();
  ASSERT_FALSE(IsRectEmpty(&t));
  EXPECT_LT(t.left, f.ControlOf(caption)->DrawParams()->ButtonSize.cx);
  EXPECT_GE(t.left, f.ControlOf(caption)->GetTextHeight() / 2);
  EXPECT_EQ(text.Surface.Count(RECT{0, 0, size.cx, size.cy}, Ground), 0) << "the whole button is filled";
}

// A drop-down button: its part at the right end with its arrow; a hot button's raised edge ends
// where the part begins. With the arrow hidden neither the part nor an arrow is drawn.
TEST(dxBarPainterButtons, TheDropDownPartAndAHiddenArrow)
{
  TButtonFixture f(TdxBarManagerStyle::bmsStandard);
  auto glyph = BlueGlyph(16);
  auto* item = f.Add("Find", psStandard);
  item->Glyph()->Assign(glyph.get());
  item->SetButtonStyle(bsDropDown);
  f.Show();
  TdxBarButtonControl* control = f.ControlOf(item);
  ASSERT_NE(control, nullptr);
  const SIZE size{40, 22};
  for (bool hidden : {false, true}) {
    SCOPED_TRACE(hidden ? "hidden" : "shown");
    int part = 0;
    TDrawn d(control, size, [&](TdxBarButtonLikeControlDrawParams* p) {
      ASSERT_TRUE(p->IsDropDown);
      p->DrawSelected = true;
      p->ArrowHidden = hidden;
      part = p->DropDownPartWidth;
    });
    ASSERT_GT(part, 5);
    const RECT partRect{size.cx - part, 0, size.cx, size.cy};
    EXPECT_EQ(d.Surface.Pixel(size.cx - part - 1, size.cy / 2), Sys(COLOR_BTNSHADOW)) << "the main part's edge";
    EXPECT_EQ(d.Surface.Count(partRect, Sys(COLOR_BTNTEXT)) > 0, !hidden) << "the arrow";
    EXPECT_EQ(d.Surface.Pixel(size.cx - part, 0) == Sys(COLOR_BTNHIGHLIGHT), !hidden) << "the part's raised edge";
    EXPECT_LT(d.Glyph().right, size.cx - part);
  }
}

// A large button's caption lies on the side its glyph layout leaves free: below a glyph at the top,
// right of a glyph at the left (3 pixels apart), above one at the bottom.
TEST(dxBarPainterButtons, ALargeButtonsCaptionFollowsItsGlyphLayout)
{
  auto glyph = BlueGlyph(32);
  const TdxBarGlyphLayout layouts[] = {glTop, glLeft, glBottom, glRight};
  for (TdxBarGlyphLayout layout : layouts) {
    SCOPED_TRACE(static_cast<int>(layout));
    TButtonFixture f(TdxBarManagerStyle::bmsEnhanced);
    auto* item = f.Add<TdxBarLargeButton>("Find");
    item->SetLargeGlyph(glyph.get());
    item->SetGlyphLayoutProp(layout);
    f.Show();
    TdxBarButtonControl* control = f.ControlOf(item);
    ASSERT_NE(control, nullptr);
    const SIZE size{110, 70};
    TDrawn d(control, size);
    ASSERT_EQ(control->DrawParams()->ViewSize(), TdxBarItemViewSize::Large);
    const RECT g = d.Glyph(), t = d.Text();
    ASSERT_EQ(g.right - g.left, 32);
    ASSERT_FALSE(IsRectEmpty(&t));
    switch (layout) {
      case glTop: EXPECT_GE(t.top, g.bottom); break;
      case glBottom: EXPECT_LE(t.bottom, g.top); break;
      case glLeft: EXPECT_GE(t.left, g.right + 3); break;
      case glRight: EXPECT_LE(t.right, g.left - 3); break;
    }
    const RECT bounds = control->ViewInfo()->ImageBounds();
    EXPECT_TRUE(EqualRect(&bounds, &g)) << "the view info keeps the glyph's place";
  }
}

namespace {
// A look whose menus have a glyph band 24 pixels wide, their texts starting 3 pixels after it.
class TBandPainter : public TdxBarStandardPainter {
  CL_CLASS(TBandPainter, TdxBarStandardPainter)
public:
  using TdxBarStandardPainter::TdxBarStandardPainter;
  int GetParentGlyphBandWidth(TdxBarItemControlDrawParams*) const override { return 24; }
  int GetMenuTextIndent(TdxBarItemControlDrawParams*) const override { return 27; }
};
}  // namespace
CL_DEFINE_CLASS(TBandPainter);

// Menu items in the standard look: a checked item without a glyph shows the check mark in the icon
// column; a selected one is highlighted right of the column; the shortcut ends the bar's text height
// + 5 pixels before the item's end; a large item's description takes at most two rows under its
// caption, the second holding the rest of the text.
TEST(dxBarPainterButtons, MenuItems)
{
  TButtonFixture f(TdxBarManagerStyle::bmsStandard);
  auto* checked = f.Add("Find", psStandard);
  checked->SetButtonStyle(bsChecked);
  checked->SetDown(true);
  auto* shortcut = f.Add("Find", psStandard);
  shortcut->SetShortCut(TextToShortCut("Ctrl+F"));
  auto* described = f.Add("Find", psStandard);
  described->SetDescription("one two three four five six seven eight nine ten eleven twelve");
  f.Show();
  TOwned<TdxBarPainter> painter(ClassRef<TBandPainter>().Create(nullptr));
  auto inMenu = [&](TdxBarButtonControl* control, SIZE size, bool selected) {
    control->CalcDrawParams(true);
    auto* p = control->ButtonDrawParams();
    auto s = std::make_unique<TDibSurface>(size.cx, size.cy, Ground);
    auto canvas = MakeOwned<TCanvas>();
    canvas->SetHandle(s->DC());
    auto cx = MakeOwned<TcxCanvas>(canvas.get());
    p->Canvas = cx.get();
    p->PaintType = static_cast<uint8_t>(ptMenu);
    p->DrawSelected = selected;
    p->ViewStructure = dxBarViewIcon | dxBarViewText;
    painter->DrawButtonContent(p, RECT{0, 0, size.cx, size.cy});
    canvas->SetHandle(nullptr);
    control->CalcDrawParams(true);
    return s;
  };
  {
    const auto held = inMenu(f.ControlOf(checked), SIZE{120, 22}, false);
    const TDibSurface& s = *held;
    EXPECT_GT(s.Count(RECT{0, 0, 24, 22}, RGB(0, 0, 0)), 5) << "the check mark in the icon column";
    EXPECT_EQ(s.Count(RECT{24, 0, 27, 22}, RGB(0, 0, 0)), 0);
    EXPECT_GT(s.Count(RECT{27, 0, 120, 22}, Sys(COLOR_BTNTEXT)), 0) << "the caption after the column";
  }
  {
    const auto held = inMenu(f.ControlOf(shortcut), SIZE{160, 22}, true);
    const TDibSurface& s = *held;
    EXPECT_EQ(s.Count(RECT{26, 0, 160, 22}, Ground), 0);
    EXPECT_GT(s.Count(RECT{26, 0, 160, 22}, Sys(COLOR_HIGHLIGHT)), 100) << "highlighted";
    const RECT text = s.Extent(Sys(COLOR_HIGHLIGHTTEXT));
    const int unit = f.Toolbar->TextHeight();
    EXPECT_LE(text.right, 160 - unit - 5);
    EXPECT_GT(text.right, 160 - unit - 5 - 8) << "the shortcut is right-aligned";
  }
  {
    f.Bar->ItemLinks()->ItemOptions()->SetSize(misLarge);
    f.Bar->ItemLinks()->ItemOptions()->SetShowDescriptions(true);
    const int row = f.ControlOf(described)->GetTextHeight();
    const SIZE size{140, 5 * row};
    const auto held = inMenu(f.ControlOf(described), size, false);
    const TDibSurface& s = *held;
    const RECT text = s.Extent(Sys(COLOR_BTNTEXT));
    ASSERT_FALSE(IsRectEmpty(&text));
    const int top = size.cy - ((size.cy - 3 * row) / 4) * 2 - 2 * row;
    int rowsInk = 0;
    for (int r = 0; r < 2; ++r) rowsInk += s.Count(RECT{24, top + r * row, size.cx, top + (r + 1) * row}, Sys(COLOR_BTNTEXT)) > 0;
    EXPECT_EQ(rowsInk, 2) << "two description rows";
    EXPECT_EQ(s.Count(RECT{24, top + 2 * row, size.cx, size.cy}, Sys(COLOR_BTNTEXT)), 0) << "no third row";
    EXPECT_GT(s.Count(RECT{24, 0, size.cx, top}, Sys(COLOR_BTNTEXT)), 0) << "the caption above";
  }
}

// Drawing a button's content leaves no graphics object behind, in every state and kind.
TEST(dxBarPainterButtons, DrawingLeavesNoGraphicsObjects)
{
  TButtonFixture f(TdxBarManagerStyle::bmsStandard);
  auto glyph = BlueGlyph(16);
  auto* item = f.Add("Find");
  item->Glyph()->Assign(glyph.get());
  item->SetButtonStyle(bsDropDown);
  auto* described = f.Add("Find", psStandard);
  described->SetDescription("a description of several words");
  f.Show();
  { TDrawn warm(f.ControlOf(item), SIZE{60, 22}); }
  const int before = LiveGdiObjects();
  for (int i = 0; i < 4; ++i) {
    TDrawn d(f.ControlOf(item), SIZE{60, 22}, [&](TdxBarButtonLikeControlDrawParams* p) {
      p->DrawSelected = i & 1;
      p->Lowered = i & 2;
    });
    TDrawn m(f.ControlOf(described), SIZE{120, 60}, [&](TdxBarButtonLikeControlDrawParams* p) {
      p->PaintType = static_cast<uint8_t>(ptMenu);
      p->DrawSelected = i & 1;
    });
  }
  EXPECT_EQ(LiveGdiObjects(), before);
}

// A drop-down button is wider than a plain one by its part and the glyph margin's right side; its
// main part ends where the drop-down part begins, and a point on the part finds part 1.
TEST(dxBarPainterButtons, TheDropDownPartWidensTheButtonAndIsAPartOfItsOwn)
{
  TButtonFixture f(TdxBarManagerStyle::bmsEnhanced);
  auto glyph = BlueGlyph(16);
  auto* plain = f.Add("Open");
  auto* dropDown = f.Add("Open");
  for (TdxBarButton* b : {plain, dropDown}) b->Glyph()->Assign(glyph.get());
  dropDown->SetButtonStyle(bsDropDown);
  f.Show();
  TdxBarButtonControl* control = f.ControlOf(dropDown);
  ASSERT_NE(control, nullptr);
  control->CalcDrawParams(true);
  const int part = control->ButtonDrawParams()->DropDownPartWidth;
  ASSERT_GT(part, 0);
  EXPECT_EQ(control->CalcItemWidth() - f.ControlOf(plain)->CalcItemWidth(),
            part + f.Painter()->GetMenuGlyphMargins().right);
  control->CalcParts();
  const std::vector<RECT>& parts = control->PartRects();
  ASSERT_EQ(parts.size(), 2u);
  const RECT bounds = control->GetBoundsRect();
  EXPECT_EQ(parts[0].left, bounds.left);
  EXPECT_EQ(parts[0].right, parts[1].left);
  EXPECT_EQ(parts[1].right, bounds.right);
  EXPECT_EQ(parts[1].right - parts[1].left, part);
  EXPECT_EQ(control->GetPartAtPoint(POINT{bounds.right - 2, (bounds.top + bounds.bottom) / 2}), 1);
  EXPECT_EQ(control->GetPartAtPoint(POINT{bounds.left + 2, (bounds.top + bounds.bottom) / 2}), 0);
}
