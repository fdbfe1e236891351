// Button-like, button and large button controls: the delayed activation of what they drop down,
// the click of a button, the drop-down of its menu, paint styles and the large button's glyphs.
#include "toolkit/bars/dxBarButtonControls.h"

#include <algorithm>
#include "classlib/ThreadTimer.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/dxOffice11.h"

CL_DEFINE_CLASS(TdxBarButtonLikeControlDrawParams);
CL_DEFINE_CLASS(TdxBarButtonLikeControl);
CL_DEFINE_CLASS(TdxBarButtonControl);
CL_DEFINE_CLASS(TdxBarLargeButtonControl);

// ----- The delayed activation ---------------------------------------------------------------

namespace {
// One control of the process that waits, with its timer.
struct TPending {
  TdxBarButtonLikeControl* Control = nullptr;
  TThreadTimer Timer;

  void Drop()
  {
    Control = nullptr;
    Timer.Kill();
  }
  void DropIf(const TdxBarButtonLikeControl* control)
  {
    if (Control == control) Drop();
  }
  // The control waits instead of the one before; onFire runs with it when the delay is over.
  template <class F>
  void Schedule(TdxBarButtonLikeControl* control, F onFire)
  {
    Drop();
    Control = control;
    Timer.Start(dxBarButtonActivationDelay, [this, onFire] {
      TdxBarButtonLikeControl* waiting = Control;
      Drop();
      if (waiting) onFire(waiting);
    });
  }
};

TPending GPendingActivation;
TPending GPendingDeactivation;

bool IsCustomizingOrDesigning(const TdxBarItemControl* control)
{
  TdxBarManager* manager = control->GetBarManager();
  return manager && manager->IsCustomizingOrDesigning();
}

bool HasPicture(TBitmap* bitmap) { return bitmap && !bitmap->Empty(); }
}  // namespace

TdxBarButtonLikeControl* GetPendingActivationControl() { return GPendingActivation.Control; }
UINT_PTR GetPendingActivationTimer() { return GPendingActivation.Timer.ID(); }
TdxBarButtonLikeControl* GetPendingDeactivationControl() { return GPendingDeactivation.Control; }
UINT_PTR GetPendingDeactivationTimer() { return GPendingDeactivation.Timer.ID(); }

// ----- TdxBarButtonLikeControl --------------------------------------------------------------

void TdxBarButtonLikeControl::BeforeDestruction()
{
  CancelTimers();
  if (TCustomdxBarControl* opened = GetOpenedBarControl(); opened && IsBarControlAlive(opened))
    opened->DismissControl();
  TdxBarItemControl::BeforeDestruction();
}

void TdxBarButtonLikeControl::CancelTimers()
{
  GPendingActivation.DropIf(this);
  GPendingDeactivation.DropIf(this);
}

bool TdxBarButtonLikeControl::IsOnToolbar() const { return dynamic_cast<TdxBarControl*>(BarControl()) != nullptr; }

void TdxBarButtonLikeControl::ControlActivated(bool immediately, bool byMouse)
{
  if (IsPressedOrOpen()) {
    CancelTimers();
    return;
  }
  TdxBarItemControl::ControlActivated(immediately, byMouse);
  if (!HasDropDownPart() || !IsActivatable()) return;
  if (IsOnToolbar()) {
    TCustomdxBarControl* bar = BarControl();
    if (!bar->IsCustomizing() && !bar->PressedItemControl()) return;
    immediately = true;
  }
  if (immediately || IsCustomizingOrDesigning(this)) {
    if (TdxBarButtonLikeControl* waiting = GPendingDeactivation.Control) {
      waiting->ControlDeactivated(true);
      GPendingDeactivation.Drop();
    }
    DropDown(byMouse);
    return;
  }
  // A menu item reached by hot tracking opens after the delay.
  GPendingDeactivation.DropIf(this);
  GPendingActivation.Schedule(this, [](TdxBarButtonLikeControl* c) { c->ControlActivated(true, true); });
}

void TdxBarButtonLikeControl::ControlDeactivated(bool immediately)
{
  TCustomdxBarControl* bar = BarControl();
  if (IsOnToolbar() || immediately || !bar || bar->Destroying() || IsCustomizingOrDesigning(this)) {
    TdxBarItemControl::ControlDeactivated(immediately);
    CloseUp(GetOpenedBarControl() != nullptr);
    return;
  }
  GPendingActivation.DropIf(this);
  // Only what is open waits to be closed.
  if (IsPressedOrOpen())
    GPendingDeactivation.Schedule(this, [](TdxBarButtonLikeControl* c) { c->ControlDeactivated(true); });
}

void TdxBarButtonLikeControl::CloseUp(bool closeOpened)
{
  CancelTimers();
  if (closeOpened)
    if (TCustomdxBarControl* opened = GetOpenedBarControl(); opened && IsBarControlAlive(opened))
      opened->DismissControl();
  Repaint();
}

void TdxBarButtonLikeControl::ClickedOnToolbar()
{
  TCustomdxBarControl* bar = BarControl();
  if (!bar || !IsSelectedControl()) {
    TdxBarItemControl::ClickedOnToolbar();
    return;
  }
  // A second click on the open control closes what it opened.
  if (bar->PressedItemControl() && IsPressedOrOpen() && GetActiveBarControl() == bar) bar->ChangeSelection(nullptr);
}

bool TdxBarButtonLikeControl::CanFade()
{
  TCustomdxBarControl* bar = BarControl();
  return TdxBarItemControl::CanFade() && !IsPressedOrOpen() && bar && bar->AllowsItemFading() && IsHighlighted();
}

bool TdxBarButtonLikeControl::IsExpandKey(int key) const
{
  if (!HasDropDownPart()) return false;
  TCustomdxBarControl* bar = BarControl();
  if (bar && bar->GetBarControlKind() == TdxBarKind::bkSubMenu) return key == VK_RIGHT;
  return key == VK_UP || key == VK_DOWN;
}

void TdxBarButtonLikeControl::KeyDown(int key, TShiftState shift)
{
  TdxBarItemControl::KeyDown(key, shift);
  if (IsExpandKey(key)) MarkBarPressed();
}

void TdxBarButtonLikeControl::CalcDrawParams(bool full)
{
  TdxBarItemControl::CalcDrawParams(full);
  TdxBarButtonLikeControlDrawParams* p = ButtonDrawParams();
  if (full) {
    p->ButtonGroupPosition = Link() ? Link()->ButtonGroup() : bgpNone;
    p->HotTextColor = UsesHotTextColor();
    p->PainterTextColors = UsesPainterTextColors();
  }
  p->DropDownPartWidth = GetDropDownPartWidth();
  p->ArrowSize = BarControl() ? BarControl()->DropDownButtonWidth() : 0;
}

void TdxBarButtonLikeControl::Draw(const RECT& rect, int)
{
  if (TdxBarPainter* painter = GetPainter()) painter->DrawButtonContent(DrawParams(), rect);
}

int TdxBarButtonLikeControl::GetDropDownPartWidth()
{
  TCustomdxBarControl* bar = BarControl();
  if (bar && bar->GetBarControlKind() == TdxBarKind::bkSubMenu) return bar->DropDownButtonWidth();
  TdxBarPainter* painter = GetPainter();
  TdxBarManager* manager = GetBarManager();
  return painter && manager ? painter->GetLargeButtonHeightUnit(manager) : 0;
}

bool TdxBarButtonLikeControl::IsActivatable() const
{
  TdxBarManager* manager = GetBarManager();
  return IsEnabled() || (manager && manager->IsDesigning());
}

void TdxBarButtonLikeControl::MarkBarPressed()
{
  if (TCustomdxBarControl* bar = BarControl()) bar->SetPressedItemControl(this);
}

bool TdxBarButtonLikeControl::UsesPainterTextColors() const
{
  TdxBarPainter* painter = GetPainter();
  return painter && painter->HasOwnTextColors();
}

bool TdxBarButtonLikeControl::UsesHotTextColor() const
{
  TdxBarPainter* painter = GetPainter();
  return painter && painter->HasHotTextColor(const_cast<TdxBarButtonLikeControl*>(this));
}

// ----- TdxBarButtonControl ------------------------------------------------------------------

TdxBarButton* TdxBarButtonControl::Button() const { return dynamic_cast<TdxBarButton*>(GetItem()); }

bool TdxBarButtonControl::IsPressed() const
{
  TCustomdxBarControl* bar = BarControl();
  const TdxBarButton* button = Button();
  if (IsHighlighted() && bar && bar->Active() && IsMouseDownOver() && HotPartIndex() == dxBarWholeControlPart)
    return true;
  return PressedForClick() && !(button && IsCheckedStyle(button->ButtonStyle()));
}

void TdxBarButtonControl::BeforeClick(bool byMouse, bool byKey)
{
  (void)byKey;
  TCustomdxBarControl* bar = BarControl();
  if (!bar || (IsOnToolbar() && !bar->PressedItemControl())) return;
  if (HasDropDownPart() && byMouse && IsMouseDownOver() && HotPartIndex() == 1) {
    bar->SetPressedItemControl(this);
    ControlActivated(true, byMouse);
  } else if (IsOnToolbar() || HasDropDownPart()) {
    Repaint();
  }
}

void TdxBarButtonControl::ClickItem(bool byMouse)
{
  // A mouse click counts on the main part only: the drop-down part opens the menu instead.
  if (byMouse && HotPartIndex() != dxBarWholeControlPart) return;
  TWeakRef<TdxBarItemControl> self(this);
  if (TdxBarButton* button = Button(); button && IsCheckedStyle(button->ButtonStyle())) button->SetDown(!button->Down());
  if (!self) return;
  ControlDeactivated(true);
  if (self) TdxBarButtonLikeControl::ClickItem(byMouse);
}

void TdxBarButtonControl::ClickedOnToolbar()
{
  TCustomdxBarControl* bar = BarControl();
  if (bar && IsSelectedControl() && bar->PressedItemControl() && IsPressedOrOpen() &&
      HotPartIndex() == dxBarWholeControlPart) {
    if (bar->GetNavigationFlags() & 0x200) bar->ChangeSelection(nullptr);
    bar->SelectItem(this);
    return;
  }
  TdxBarButtonLikeControl::ClickedOnToolbar();
}

bool TdxBarButtonControl::IsHighlighted() const
{
  TCustomdxBarControl* bar = BarControl();
  return (TdxBarButtonLikeControl::IsHighlighted() && !(bar && bar->IsCustomizing())) || PressedForClick();
}

uint8_t TdxBarButtonControl::GetViewLevelFlags() const
{
  if (ViewInfo() && ViewInfo()->GetViewLevel() == ivlSmallIcon) return dxBarViewIcon;
  return TdxBarButtonLikeControl::GetViewLevelFlags();
}

uint8_t TdxBarButtonControl::GetDefaultViewLevelFlags() const
{
  const bool inMenu = GetPaintType() == TdxBarPaintType::ptMenu;
  switch (GetRealPaintStyle()) {
    case psStandard:
      if (inMenu) return dxBarViewIcon | dxBarViewText;
      return HasGlyphForSize(GetCurrentViewSize()) ? dxBarViewIcon : dxBarViewText;
    case psCaption:
      return dxBarViewText;
    case psCaptionInMenu:
      return inMenu ? dxBarViewText : dxBarViewIcon;
    default:
      return dxBarViewIcon | dxBarViewText;
  }
}

int TdxBarButtonControl::GetPartCount() const { return DrawParams() && DrawParams()->IsDropDown ? 2 : 1; }

void TdxBarButtonControl::CalcDrawParams(bool full)
{
  TdxBarButtonLikeControl::CalcDrawParams(full);
  if (!full) return;
  TdxBarButtonLikeControlDrawParams* p = ButtonDrawParams();
  const TdxBarButton* button = Button();
  TdxBarPainter* painter = GetPainter();
  p->ShortCutText = ShortCutToText(GetShortCut());
  p->IsPressed = IsPressed();
  p->Down = button && button->Down();
  p->PressedLook = p->IsPressed;
  p->DroppedDown = FDroppedDown;
  p->OpenInFlatLook = painter && painter->IsFlatLook() && IsPressedOrOpen();
  p->IsButton = true;
  p->DropDownEnabled = button && button->DropDownEnabled();
  p->AutoGrayScale = UsesAutoGrayScale();
  p->Lowered = button && button->Lowered();
}

void TdxBarButtonControl::CalcParts()
{
  TdxBarButtonLikeControl::CalcParts();
  std::vector<RECT> parts = PartRects();
  if (TdxBarPainter* painter = GetPainter()) {
    CalcDrawParams(true);
    painter->CalcButtonParts(DrawParams(), parts);
  }
  SetPartRects(std::move(parts));
}

int TdxBarButtonControl::CalcItemHeight()
{
  int height = TdxBarButtonLikeControl::CalcItemHeight();
  const TdxBarButton* button = Button();
  TdxBarPainter* painter = GetPainter();
  if (button && button->Lowered() && painter) height += 2 * painter->GetButtonBorderWidth();
  const RECT& margins = ButtonDrawParams()->ContentMargins;
  return height + margins.top + margins.bottom;
}

int TdxBarButtonControl::CalcItemWidth()
{
  int width = TdxBarButtonLikeControl::CalcItemWidth();
  const TdxBarButton* button = Button();
  if (TdxBarPainter* painter = GetPainter()) {
    painter->AddMenuItemIndent(DrawParams(), width);
    if (button && button->Lowered()) width += 2 * painter->GetButtonBorderWidth();
  }
  const RECT& margins = ButtonDrawParams()->ContentMargins;
  return width + margins.left + margins.right;
}

int TdxBarButtonControl::CalcSmallItemHeight()
{
  int height = TdxBarButtonLikeControl::CalcSmallItemHeight();
  // Text-only buttons are as tall as glyph buttons.
  if (DrawParams()->ViewStructure & dxBarViewText) {
    const SIZE button = DrawParams()->ButtonSize;
    height = std::max<int>(height, GetPaintType() == TdxBarPaintType::ptVert ? button.cx : button.cy);
  }
  return height;
}

bool TdxBarButtonControl::ClosesMenusOnClick() const
{
  const TdxBarButton* button = Button();
  return IsOnToolbar() || (button && button->CloseSubMenuOnClick());
}

bool TdxBarButtonControl::HasDropDownPart() const
{
  const TdxBarButton* button = Button();
  return button && IsDropDownStyle(button->ButtonStyle());
}

bool TdxBarButtonControl::IsToolbarButton() const
{
  return !FDroppedDown && BarControl() && BarControl()->GetBarControlKind() == TdxBarKind::bkQuickCustomizing;
}

bool TdxBarButtonControl::IsPressedOrOpen() const { return FDroppedDown && GetOpenedBarControl() != nullptr; }

void TdxBarButtonControl::MarkBarPressed()
{
  TdxBarButtonLikeControl::MarkBarPressed();
  ControlActivated(true, false);
}

TCustomdxBarControl* TdxBarButtonControl::GetOpenedBarControl() const
{
  const TdxBarButton* button = Button();
  return button && button->DropDownMenu() ? button->DropDownMenu()->ItemLinks()->BarControl() : nullptr;
}

bool TdxBarButtonControl::UsesPainterTextColors() const
{
  TdxBarPainter* painter = GetPainter();
  return !UsesHotTextColor() || (painter && painter->HasOwnTextColors());
}

bool TdxBarButtonControl::UsesHotTextColor() const
{
  TdxBarPainter* painter = GetPainter();
  if (!painter) return false;
  const TdxBarButton* button = Button();
  const bool down = button && button->Down();
  const bool pressed = IsPressed();
  if (painter->IsFlatLook()) return (pressed || (down && IsHighlighted())) && painter->HasDropDownSeparator();
  return (pressed || down || IsHighlighted()) &&
         ((IsBtnFaceWhite() && !FDroppedDown) || TdxBarButtonLikeControl::UsesHotTextColor());
}

void TdxBarButtonControl::CloseUp(bool closeOpened)
{
  FDroppedDown = false;
  TdxBarButtonLikeControl::CloseUp(closeOpened);
}

void TdxBarButtonControl::DropDown(bool byMouse)
{
  TdxBarButton* button = Button();
  if (FDroppedDown || !IsEnabled() || !button || !button->DropDownEnabled() || !button->DropDownMenu()) return;
  TCustomdxBarControl* bar = BarControl();
  if (!bar) return;
  FDroppedDown = true;
  TWeakRef<TdxBarItemControl> self(this);
  bar->ItemControlActivated(this);
  if (!self) return;
  Repaint();
  // Beside the control in a sub-menu or on a vertical bar (a sub-menu's first item in line with
  // it), below it elsewhere.
  const RECT r = GetBoundsRect();
  POINT at{r.left, r.bottom};
  const bool subMenu = bar->GetBarControlKind() == TdxBarKind::bkSubMenu;
  if (subMenu || bar->IsVertical()) {
    at = POINT{r.right, r.top};
    if (subMenu)
      if (TdxBarPainter* painter = GetPainter()) at.y -= bar->GetEndIndent() + painter->GetSubMenuBorderSize();
  }
  if (bar->HandleAllocated()) ClientToScreen(bar->Handle(), &at);
  button->DropDown(this, at, byMouse);
  if (!self) return;
  if (TdxBarPainter* painter = GetPainter(); painter && painter->HasFlatSubItemArrow()) Repaint();
}

TdxBarPaintStyle TdxBarButtonControl::GetRealPaintStyle() const
{
  const TdxBarPaintStyle style = Link() ? Link()->GetPaintStyle() : psStandard;
  return style == psStandard && IsOnToolbar() ? AdjustPaintStyle(style) : style;
}

TdxBarPaintStyle TdxBarButtonControl::AdjustPaintStyle(TdxBarPaintStyle style) const
{
  return style == psStandard && !HasGlyphForSize(GetCurrentViewSize()) ? psCaption : style;
}

// ----- TdxBarLargeButtonControl -------------------------------------------------------------

namespace {
TdxBarLargeButton* LargeButtonOf(const TdxBarItemControl* control)
{
  return dynamic_cast<TdxBarLargeButton*>(control->GetItem());
}
}  // namespace

void TdxBarLargeButtonControl::LargeGlyphChanged()
{
  if (GetCurrentViewSize() != TdxBarItemViewSize::Large) return;
  const TdxBarLargeButton* button = LargeButtonOf(this);
  const bool fixedSize = button && button->Width() != 0 && button->Height() != 0;
  if (fixedSize || GetPaintType() == TdxBarPaintType::ptMenu)
    Repaint();
  else
    RepaintBar();
}

TdxBarItemViewLevels TdxBarLargeButtonControl::GetPossibleViewLevels() const
{
  TdxBarItemViewLevels levels = TdxBarButtonControl::GetPossibleViewLevels();
  levels.Include(ivlLargeIconWithText);
  return levels;
}

uint8_t TdxBarLargeButtonControl::GetDefaultViewLevelFlags() const
{
  if (GetPaintType() == TdxBarPaintType::ptMenu) return TdxBarButtonControl::GetDefaultViewLevelFlags();
  const TdxBarLargeButton* button = LargeButtonOf(this);
  return button && button->ShowCaption() ? dxBarViewIcon | dxBarViewText : dxBarViewIcon;
}

TdxBarItemViewSize TdxBarLargeButtonControl::GetViewSize() const
{
  if (GetPaintType() == TdxBarPaintType::ptMenu) return TdxBarButtonControl::GetViewSize();
  return TdxBarItemViewSize::Large;
}

bool TdxBarLargeButtonControl::UsesAutoGrayScale() const
{
  const TdxBarLargeButton* button = LargeButtonOf(this);
  return !IsHighlighted() && IsEnabled() && button && button->AutoGrayScale();
}

bool TdxBarLargeButtonControl::GetGlyphSource(TdxBarItemViewSize size, bool forDrawing, int& imageIndex,
                                              TCustomImageList*& images, TBitmap*& glyph) const
{
  if (size != TdxBarItemViewSize::Large)
    return TdxBarButtonControl::GetGlyphSource(size, forDrawing, imageIndex, images, glyph);
  imageIndex = -1;
  images = nullptr;
  glyph = nullptr;
  const TdxBarLargeButton* button = LargeButtonOf(this);
  TdxBarManager* manager = GetBarManager();
  if (!button || !manager) return false;
  // Each source supplies a bitmap with a picture, or its list with an image at its index.
  struct TSource {
    TBitmap* Glyph;
    TCustomImageList* Images;
    int Index;
    bool HasListImage;
  };
  const TSource hot{button->HotGlyph(), manager->HotImages(), button->HotImageIndex(), button->HasHotListImage()};
  const TSource large{button->LargeGlyph(), manager->LargeImages(), button->LargeImageIndex(),
                      button->HasLargeListImage()};
  const bool hotFirst = forDrawing && IsHighlighted();
  for (const TSource* source : {hotFirst ? &hot : &large, hotFirst ? &large : &hot}) {
    if (HasPicture(source->Glyph)) {
      glyph = source->Glyph;
      return true;
    }
    if (source->HasListImage) {
      images = source->Images;
      imageIndex = source->Index;
      return true;
    }
  }
  images = manager->LargeImages() ? manager->LargeImages() : manager->HotImages();
  return false;
}

int TdxBarLargeButtonControl::CalcToolbarItemHeight()
{
  const TdxBarLargeButton* button = LargeButtonOf(this);
  return button && button->Height() != 0 ? button->Height() : TdxBarButtonControl::CalcToolbarItemHeight();
}

int TdxBarLargeButtonControl::CalcToolbarItemWidth()
{
  const TdxBarLargeButton* button = LargeButtonOf(this);
  return button && button->Width() != 0 ? button->Width() : TdxBarButtonControl::CalcToolbarItemWidth();
}

bool TdxBarLargeButtonControl::IsRotated() const
{
  const TdxBarLargeButton* button = LargeButtonOf(this);
  return TdxBarButtonControl::IsRotated() && button && button->ShowCaption();
}

int TdxBarLargeButtonControl::GetDropDownPartWidth()
{
  if (IsOnToolbar())
    if (TdxBarManager* manager = GetBarManager()) return manager->LargeButtonArrowWidth();
  return TdxBarButtonControl::GetDropDownPartWidth();
}

TdxBarPaintStyle TdxBarLargeButtonControl::AdjustPaintStyle(TdxBarPaintStyle) const { return psCaption; }
