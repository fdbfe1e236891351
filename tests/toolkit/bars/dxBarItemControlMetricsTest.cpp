// The measurements of item controls on a real bar control: view levels and their cached widths,
// glyph sources and sizes, caption areas in menus and on toolbars, the large sizes per glyph
// layout, client-aligned controls, and the two programming errors of a kind.
#include <gtest/gtest.h>
#include <string>
#include "classlib/Bitmap.h"
#include "classlib/Menus.h"
#include "tests/support/MessagePump.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarItemList.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/dxCore.h"

namespace {
class TMtrItem : public TdxBarItem {
  CL_CLASS(TMtrItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
};
class TMtrEmptyItem : public TdxBarItem {
  CL_CLASS(TMtrEmptyItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
};

// Counts how often its width is measured.
class TMtrControl : public TdxBarItemControl {
  CL_CLASS(TMtrControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  int WidthMeasures = 0;
  int CalcItemWidth() override
  {
    ++WidthMeasures;
    return TdxBarItemControl::CalcItemWidth();
  }
};

// A kind that forgets to name any view level once Forget is set.
class TMtrEmptyLevelsControl : public TdxBarItemControl {
  CL_CLASS(TMtrEmptyLevelsControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  bool Forget = false;
  TdxBarItemViewLevels GetPossibleViewLevels() const override
  {
    return Forget ? TdxBarItemViewLevels{} : TdxBarItemControl::GetPossibleViewLevels();
  }
};

// A floating window without layout; the test asks its orientation and kind.
class TMtrBarControl : public TCustomdxBarControl {
  CL_CLASS(TMtrBarControl, TCustomdxBarControl)
public:
  using TCustomdxBarControl::TCustomdxBarControl;
  TdxBarKind Kind = TdxBarKind::bkBarControl;
  bool Vertical = false;
  int Orientation = 0;
  int NavigationFlags = 0;
  TBitmap* GetBackgroundBitmap() const override { return nullptr; }
  int GetBeginGroupSize() const override { return 6; }
  bool IsMainMenu() const override { return false; }
  bool IsStatusBar() const override { return false; }
  TCustomdxBarControlViewInfoClass GetViewInfoClass() const override
  {
    return ClassRef<TCustomdxBarControlViewInfo>();
  }
  void SetMarkState(int) override {}
  void UpdateFont() override {}
  void InvalidateItemControl(TdxBarItemControl*) override {}
  void FillBackground(HDC, const RECT&) override {}
  void DismissControl() override {}
  TdxBarKind GetBarControlKind() const override { return Kind; }
  bool IsVertical() const override { return Vertical; }
  int GetOrientationFlags() const override { return Orientation; }
  int GetNavigationFlags() const override { return NavigationFlags; }
  int GetItemLineHeight(TdxBarItemControl*) const override { return 20; }
  void CreateItemControls() override { CalcLinesFrom(0); }

protected:
  void CreateParams(TCreateParams& params) override
  {
    TCustomdxBarControl::CreateParams(params);
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_TOOLWINDOW;
  }
};

struct TPaired {
  TPaired()
  {
    RegisterBarItemClass(ClassRef<TMtrItem>(), ClassRef<TMtrControl>(), true);
    RegisterBarItemClass(ClassRef<TMtrEmptyItem>(), ClassRef<TMtrEmptyLevelsControl>(), true);
  }
  ~TPaired()
  {
    UnregisterBarItemClass(ClassRef<TMtrItem>());
    UnregisterBarItemClass(ClassRef<TMtrEmptyItem>());
  }
};

TOwned<TBitmap> NewGlyph(int width, int height)
{
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(width, height);
  return glyph;
}

struct TMetricsFixture {
  TPaired Paired;
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bar = Manager->Bars()->Add();
  TMtrBarControl* Control = nullptr;

  TMetricsFixture() { Form->Show(); }
  ~TMetricsFixture() { Free(Control); }
  TdxBarItemLink* Add(const std::string& caption, bool emptyLevels = false)
  {
    TdxBarItem* item = emptyLevels ? static_cast<TdxBarItem*>(New<TMtrEmptyItem>(Form)) : New<TMtrItem>(Form);
    item->SetCaption(caption);
    return Bar->ItemLinks()->AddItem(item);
  }
  TMtrBarControl* Show()
  {
    Control = New<TMtrBarControl>(Manager);
    Control->SetBounds(100, 100, 200, 100);
    Control->SetParentWindow(Form->Handle());
    Control->SetItemLinks(Bar->ItemLinks());
    Control->HandleNeeded();
    Control->ShowNoActivate();
    Pump(20);
    return Control;
  }
  TMtrControl* ControlOf(TdxBarItemLink* link) const { return static_cast<TMtrControl*>(link->Control()); }
  // The control after a change: the bar makes its controls again for many changes.
  TMtrControl* Again(TdxBarItemLink* link)
  {
    Pump(10);
    TMtrControl* control = ControlOf(link);
    EXPECT_NE(control, nullptr);
    return control;
  }
};
}  // namespace

CL_DEFINE_CLASS(TMtrItem);
CL_DEFINE_CLASS(TMtrEmptyItem);
CL_DEFINE_CLASS(TMtrControl);
CL_DEFINE_CLASS(TMtrEmptyLevelsControl);
CL_DEFINE_CLASS(TMtrBarControl);

// A control offers the small icon only with a glyph; a link that allows none of the possible
// levels falls back to them all; the most compact level and the level in a button group follow.
TEST(dxBarItemControlMetrics, ViewLevelsFollowTheGlyphAndTheLink)
{
  TMetricsFixture f;
  TdxBarItemLink* plain = f.Add("Plain");
  TdxBarItemLink* glyphed = f.Add("Glyphed");
  TdxBarItemLink* narrow = f.Add("Narrow");
  auto glyph = NewGlyph(16, 16);
  glyphed->Item()->Glyph()->Assign(glyph.get());
  narrow->Item()->Glyph()->Assign(glyph.get());
  narrow->SetViewLevels({ivlLargeIconWithText});
  f.Show();

  TdxBarItemControl* c = f.ControlOf(plain);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->GetPossibleViewLevels(), TdxBarItemViewLevels{ivlSmallIconWithText});
  EXPECT_EQ(c->ViewInfo()->MostCompactViewLevel(), ivlSmallIconWithText);

  c = f.ControlOf(glyphed);
  EXPECT_EQ(c->GetPossibleViewLevels(), (TdxBarItemViewLevels{ivlSmallIconWithText, ivlSmallIcon}));
  EXPECT_EQ(c->ViewInfo()->MostCompactViewLevel(), ivlSmallIcon);
  EXPECT_EQ(c->ViewInfo()->ButtonGroupViewLevel(), ivlSmallIcon);

  c = f.ControlOf(narrow);
  EXPECT_EQ(c->GetAllowedViewLevels(), (TdxBarItemViewLevels{ivlSmallIconWithText, ivlSmallIcon}));
  narrow->SetViewLevels({ivlSmallIcon, ivlControlOnly});
  c = f.Again(narrow);
  EXPECT_EQ(c->GetAllowedViewLevels(), TdxBarItemViewLevels{ivlSmallIcon});

  // The view structure of each level.
  struct TCase {
    TdxBarItemViewLevel Level;
    uint8_t Plain, Glyphed;
  };
  const TCase cases[] = {
      {ivlLargeIconWithText, dxBarViewText, dxBarViewText | dxBarViewIcon},
      {ivlSmallIconWithText, dxBarViewText, dxBarViewText | dxBarViewIcon},
      {ivlSmallIcon, 0, dxBarViewIcon},
      {ivlControlOnly, 0, 0},
      {ivlDefault, 0, 0},
  };
  for (const TCase& k : cases) {
    SCOPED_TRACE(static_cast<int>(k.Level));
    f.ControlOf(plain)->ViewInfo()->SetViewLevel(k.Level);
    f.ControlOf(glyphed)->ViewInfo()->SetViewLevel(k.Level);
    EXPECT_EQ(f.ControlOf(plain)->GetViewLevelFlags(), k.Plain);
    EXPECT_EQ(f.ControlOf(glyphed)->GetViewLevelFlags(), k.Glyphed);
  }
}

// A width is measured once per level and measured again after a reset or a caption change; a level the
// control does not allow raises, and the measurement leaves the current level as it was.
TEST(dxBarItemControlMetrics, WidthsAreCachedPerLevelUntilTheCaptionChanges)
{
  TMetricsFixture f;
  TdxBarItemLink* link = f.Add("Open");
  f.Show();
  TMtrControl* c = f.ControlOf(link);
  c->ViewInfo()->SetViewLevel(ivlDefault);
  const int before = c->WidthMeasures;
  const int width = c->ViewInfo()->GetWidthAtLevel(ivlSmallIconWithText);
  EXPECT_GT(width, 0);
  EXPECT_EQ(c->ViewInfo()->GetWidthAtLevel(ivlSmallIconWithText), width);
  EXPECT_EQ(c->WidthMeasures, before + 1);
  EXPECT_EQ(c->ViewInfo()->GetViewLevel(), ivlDefault);

  c->ResetViewInfo(true);
  EXPECT_EQ(c->ViewInfo()->GetWidthAtLevel(ivlSmallIconWithText), width);
  EXPECT_EQ(c->WidthMeasures, before + 2);

  // A caption change measures anew (the bar may make the control again for it).
  link->Item()->SetCaption("Open a much longer caption");
  Pump(20);
  c = f.ControlOf(link);
  ASSERT_NE(c, nullptr);
  EXPECT_GT(c->ViewInfo()->GetWidthAtLevel(ivlSmallIconWithText), width);

  try {
    c->ViewInfo()->GetWidthAtLevel(ivlSmallIcon);
    ADD_FAILURE() << "no exception";
  } catch (const EdxException& e) {
    EXPECT_STREQ(e.what(), "Testing! The level is not allowed");
  }
  EXPECT_THROW(c->ViewInfo()->GetWidthAtLevel(ivlDefault), EdxException);
}

// A kind without any possible level is refused with its class name.
TEST(dxBarItemControlMetrics, AKindWithoutViewLevelsRaisesWithItsClassName)
{
  TMetricsFixture f;
  TdxBarItemLink* link = f.Add("Broken", true);
  f.Show();
  auto* c = static_cast<TMtrEmptyLevelsControl*>(link->Control());
  ASSERT_NE(c, nullptr);
  c->Forget = true;
  try {
    c->GetAllowedViewLevels();
    ADD_FAILURE() << "no exception";
  } catch (const EdxException& e) {
    EXPECT_STREQ(e.what(), "TMtrEmptyLevelsControl.GetPossibleViewLevels = []");
  }
  c->Forget = false;
}

// Glyph sizes: the glyph's own, the image list's, or without a glyph 20 x 20 for large and the
// manager's glyph size otherwise.
TEST(dxBarItemControlMetrics, GlyphSizeComesFromTheGlyphOrTheDefaults)
{
  TMetricsFixture f;
  TdxBarItemLink* plain = f.Add("Plain");
  TdxBarItemLink* glyphed = f.Add("Glyphed");
  auto glyph = NewGlyph(24, 18);
  glyphed->Item()->Glyph()->Assign(glyph.get());
  f.Show();
  TdxBarItemControl* c = f.ControlOf(plain);
  EXPECT_EQ(c->GetGlyphSize(TdxBarItemViewSize::Large).cx, 20);
  EXPECT_EQ(c->GetGlyphSize(TdxBarItemViewSize::Large).cy, 20);
  EXPECT_EQ(c->GetGlyphSize(TdxBarItemViewSize::Small).cx, f.Manager->ImageOptions()->GlyphSize());
  c = f.ControlOf(glyphed);
  EXPECT_EQ(c->GetGlyphSize(TdxBarItemViewSize::Small).cx, 24);
  EXPECT_EQ(c->GetGlyphSize(TdxBarItemViewSize::Small).cy, 18);
  // A link's own glyph replaces the item's.
  auto own = NewGlyph(12, 10);
  glyphed->SetUserGlyph(own.get());
  glyphed->SetUserDefine({udGlyph});
  Pump(20);
  c = f.ControlOf(glyphed);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->GetGlyphSize(TdxBarItemViewSize::Small).cx, 12);
}

// The large sizes per glyph layout, without a glyph (20 x 20) and with a caption.
TEST(dxBarItemControlMetrics, LargeSizesFollowTheGlyphLayout)
{
  TMetricsFixture f;
  TdxBarItemLink* link = f.Add("Find");
  f.Show();
  TMtrControl* c = f.ControlOf(link);
  c->ViewInfo()->SetViewLevel(ivlLargeIconWithText);
  c->CalcDrawParams(true);
  const int caption = c->GetCaptionWidth();
  const int text = c->GetSampleTextHeight();
  ASSERT_GT(caption, 0);
  struct TCase {
    TdxBarGlyphLayout Layout;
    int Width, Height;
  };
  const TCase cases[] = {
      {glTop, std::max(20, caption + 6) + 10, 20 + text + 7},
      {glBottom, std::max(20, caption + 6) + 10, 20 + text + 7},
      {glLeft, 20 + caption + 16, std::max(20, text) + 6},
      {glRight, 20 + caption + 16, std::max(20, text) + 6},
  };
  for (const TCase& k : cases) {
    SCOPED_TRACE(static_cast<int>(k.Layout));
    link->Item()->SetGlyphLayout(k.Layout);
    ASSERT_EQ(f.ControlOf(link), c);
    EXPECT_EQ(c->CalcLargeItemWidth(), k.Width);
    EXPECT_EQ(c->CalcLargeItemHeight(), k.Height);
  }
  // Without text only the glyph and its padding.
  c->ViewInfo()->SetViewLevel(ivlControlOnly);
  c->CalcDrawParams(false);
  EXPECT_EQ(c->CalcLargeItemWidth(), 30);
  EXPECT_EQ(c->CalcLargeItemHeight(), 26);
}

// In a menu the caption area holds the shortcut column; in a large menu with descriptions it is
// at least as wide as the description in two rows.
TEST(dxBarItemControlMetrics, MenuCaptionAreaHoldsShortcutAndDescription)
{
  TMetricsFixture f;
  TdxBarItemLink* link = f.Add("Go");
  f.Show();
  f.Control->Orientation = 1;
  TMtrControl* c = f.ControlOf(link);
  c->ViewInfo()->SetViewLevel(ivlSmallIconWithText);
  c->CalcDrawParams(true);
  const int plain = c->CalcCaptionAreaWidth();

  link->Item()->SetShortCut(ShortCut(VK_F12, TShiftState{ssCtrl, ssShift}));
  c = f.Again(link);
  c->ViewInfo()->SetViewLevel(ivlSmallIconWithText);
  c->CalcDrawParams(true);
  const int withShortcut = c->CalcCaptionAreaWidth();
  EXPECT_EQ(withShortcut - plain,
            c->GetTextWidth(ShortCutToText(link->Item()->ShortCut())) + f.Control->GetTextHeight() - 6);

  const std::string description = "A long description that the menu wraps into two rows of text";
  link->Item()->SetDescription(description);
  f.Bar->ItemLinks()->ItemOptions()->SetSize(misLarge);
  f.Bar->ItemLinks()->ItemOptions()->SetShowDescriptions(true);
  c = f.Again(link);
  c->ViewInfo()->SetViewLevel(ivlSmallIconWithText);
  c->CalcDrawParams(true);
  const RECT twoRows = CalcTextRectForRows(c->GetCanvas()->GetDCHandle(), description, 2);
  EXPECT_GE(c->CalcCaptionAreaWidth(), twoRows.right - twoRows.left);
  EXPECT_GT(c->CalcCaptionAreaWidth(), withShortcut);
}

// A client-aligned control on a horizontal bar that stretches it reports its minimum width; on a
// vertical bar its minimum height.
TEST(dxBarItemControlMetrics, ClientAlignedControlsReportTheirMinimum)
{
  TMetricsFixture f;
  TdxBarItemLink* link = f.Add("Stretched caption");
  link->Item()->SetAlign(iaClient);
  f.Show();
  TMtrControl* c = f.ControlOf(link);
  c->ViewInfo()->SetViewLevel(ivlSmallIconWithText);
  EXPECT_GT(c->GetLayoutWidth(), 1);
  f.Control->NavigationFlags = dxBarNavigationStretchClient;
  EXPECT_EQ(c->GetLayoutWidth(), 1);
  EXPECT_GT(c->GetLayoutHeight(), 1);
  f.Control->Vertical = true;
  EXPECT_EQ(c->GetLayoutHeight(), 1);
}

// The picture cache answers only for the mode and source it was rendered with, and a new view
// size drops it.
TEST(dxBarItemControlMetrics, CachedGlyphIsValidForItsModeAndSourceOnly)
{
  TMetricsFixture f;
  TdxBarItemLink* link = f.Add("Glyphed");
  auto glyph = NewGlyph(16, 16);
  link->Item()->Glyph()->Assign(glyph.get());
  f.Show();
  TMtrControl* c = f.ControlOf(link);
  TBitmap* source = link->Item()->Glyph();
  c->CachedImage()->CacheGlyph(RECT{0, 0, 16, 16}, source, idmNormal, nullptr, -1);
  EXPECT_TRUE(c->CachedImage()->IsValidFor(idmNormal, source, nullptr));
  EXPECT_FALSE(c->CachedImage()->IsValidFor(idmDisabled, source, nullptr));
  EXPECT_FALSE(c->CachedImage()->IsValidFor(idmNormal, glyph.get(), nullptr));
  c->ViewInfo()->SetViewLevel(ivlLargeIconWithText);
  c->CalcDrawParams(false);
  EXPECT_FALSE(c->CachedImage()->IsValidFor(idmNormal, source, nullptr));
}
