#include "toolkit/bars/dxBarItemControl.h"
#include "classlib/ActnList.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/cxGraphicsCanvas.h"

CL_DEFINE_CLASS(TdxBarItemControl);

TdxBarItemControl::TdxBarItemControl(TdxBarItemLink* link) : FLink(link)
{
  FBarControl = link ? link->GetBarControl() : nullptr;
}

void TdxBarItemControl::AfterConstruction()
{
  TcxIUnknownObject::AfterConstruction();
  FViewInfo.reset(GetViewInfoClass().Create(this));
  FDrawParams.reset(GetDrawParamsClass().Create(this));
  CalcTextMetrics();
  FHotPartIndex = dxBarNoPart;
  CalcDrawParams(true);
  FViewInfo->SetViewLevel(FBarControl ? FBarControl->GetDefaultItemViewLevel() : ivlDefault);
  CalcParts();
}

void TdxBarItemControl::BeforeDestruction()
{
  FDestroying = true;
  if (TdxFader* fader = GetFader()) fader->StopFading(this, true);
  TdxBarManager* manager = GetBarManager();
  if (manager && manager->SelectedItemControl() == this) manager->SetSelectedItemControl(nullptr);
  TCustomdxBarControl* bar = FBarControl;
  if (bar && manager && !manager->IsDestroying() && FLink && bar->SelectedLink() == FLink &&
      !manager->IsCustomizingOrDesigning()) {
    // The bar's selection leaves the control: directly when its link is no longer shown, else by
    // moving the hot tracking off it.
    if (FLink->GetVisibleIndex() == -1)
      bar->FSelectedLink = nullptr;
    else
      bar->HotTrackItemControl(nullptr);
  }
  FStyleBrush.Reset();
  TcxIUnknownObject::BeforeDestruction();
}

TdxBarItemControl::~TdxBarItemControl() { FBarControl = nullptr; }

// --- State ---

TdxBarItem* TdxBarItemControl::GetItem() const { return FLink ? FLink->Item() : nullptr; }

TdxBarManager* TdxBarItemControl::GetBarManager() const { return FLink ? FLink->GetBarManager() : nullptr; }

RECT TdxBarItemControl::GetBoundsRect() const { return FLink ? FLink->ItemRect() : RECT{}; }

TcxCanvas* TdxBarItemControl::GetCanvas() const
{
  if (FCanvasOverride) return FCanvasOverride;
  return FBarControl ? FBarControl->GetCanvas() : nullptr;
}

int TdxBarItemControl::GetPartAtPoint(POINT p) const
{
  const RECT bounds = GetBoundsRect();
  if (!PtInRect(&bounds, p)) return dxBarNoPart;
  for (size_t i = 0; i < FPartRects.size(); ++i)
    if (PtInRect(&FPartRects[i], p)) return static_cast<int>(i);
  return dxBarInsideNoPart;
}

void TdxBarItemControl::CalcParts() { FPartRects.assign(1, GetBoundsRect()); }

void TdxBarItemControl::SetHotPartIndex(int index)
{
  if (!IsEnabled()) index = dxBarNoPart;
  if (index == FHotPartIndex) return;
  const int old = std::exchange(FHotPartIndex, index);
  if (CanFade()) {
    if (old == dxBarNoPart)
      GetFader()->FadeIn(this);
    else if (index == dxBarNoPart)
      GetFader()->FadeOut(this);
  }
  Repaint();
}

void TdxBarItemControl::SetPressedForClick(bool value)
{
  if (FPressedForClick == value) return;
  FPressedForClick = value;
  StyleChanged();
}

bool TdxBarItemControl::IsSelectedControl() const
{
  return FBarControl && FLink && FBarControl->SelectedLink() == FLink;
}

bool TdxBarItemControl::IsMouseDownOver() const
{
  if (!IsEnabled() || !FBarControl || !FBarControl->HandleAllocated()) return false;
  POINT p;
  GetCursorPos(&p);
  p = FBarControl->ScreenToClient(p);
  const RECT bounds = GetBoundsRect();
  return PtInRect(&bounds, p) && IsLeftMouseButtonDown();
}

// --- Changes ---

void TdxBarItemControl::CaptionChanged()
{
  DropCachedWidths();
  TdxBarItem* item = GetItem();
  if (item && item->Align() == TdxBarItemAlign::iaClient && FBarControl &&
      (FBarControl->GetNavigationFlags() & dxBarNavigationStretchClient))
    Repaint();
  else
    RepaintBar();
}

void TdxBarItemControl::EnabledChanged()
{
  RefreshHotTrackUnderCursor(FBarControl);
  if (!IsEnabled() && IsSelectedControl()) FBarControl->FSelectedLink = nullptr;
  Repaint();
}

// Whether the glyph changes the layout is the metrics' answer; until then the bar lays out again.
void TdxBarItemControl::GlyphChanged() { RepaintBar(); }

void TdxBarItemControl::LargeGlyphChanged()
{
  if (FViewInfo->GetViewLevel() != ivlLargeIconWithText) return;
  if (FBarControl && FBarControl->GetBarControlKind() == TdxBarKind::bkSubMenu)
    Repaint();
  else
    RepaintBar();
}

void TdxBarItemControl::WidthChanged()
{
  if (FBarControl && FBarControl->GetBarControlKind() == TdxBarKind::bkBarControl) RepaintBar();
}

void TdxBarItemControl::SizeChanged() { RepaintBar(); }

bool TdxBarItemControl::Refresh()
{
  CalcDrawParams(true);
  CalcParts();
  Repaint();
  return false;
}

void TdxBarItemControl::StyleChanged()
{
  if (!FPressedForClick) Repaint();
}

void TdxBarItemControl::Repaint()
{
  if (FBarControl && FBarControl->HandleAllocated()) FBarControl->InvalidateItemControl(this);
}

void TdxBarItemControl::RepaintBar()
{
  if (FBarControl) FBarControl->Repaint();
}

// --- Answers ---

bool TdxBarItemControl::IsEnabled() const
{
  TdxBarItem* item = GetItem();
  return item && item->Enabled() && FBarControl && FBarControl->Enabled();
}

bool TdxBarItemControl::IsOwnManager() const
{
  TdxBarManager* linkManager = GetBarManager();
  TdxBarItem* item = GetItem();
  if (!linkManager) return false;
  return (item && item->GetBarManager() == linkManager) ||
         linkManager->ComponentState().Contains(TComponentStateFlag::csAncestor);
}

bool TdxBarItemControl::CanBeSelected() const { return !(FBarControl && FBarControl->IsCustomizing() && !IsOwnManager()); }

bool TdxBarItemControl::IsHighlighted() const { return IsSelectedControl() && (IsEnabled() || !FSelectedByMouse); }

bool TdxBarItemControl::HasHint() const
{
  TdxBarItem* item = GetItem();
  return item && !item->Hint().empty() && FBarControl &&
         FBarControl->GetBarControlKind() == TdxBarKind::bkBarControl;
}

bool TdxBarItemControl::JoinsOpenedMenu() const { return FBarControl && FBarControl->JoinsMenusToItems(); }

bool TdxBarItemControl::OwnsWindow(HWND wnd) const
{
  if (!FBarControl || !FBarControl->HandleAllocated() || !wnd) return false;
  HWND own = FBarControl->Handle();
  return wnd == own || IsChild(own, wnd);
}

bool TdxBarItemControl::IsRotated() const { return FBarControl && FBarControl->IsRotated(); }

bool TdxBarItemControl::UnclicksAfterClick() const
{
  TdxBarItem* item = GetItem();
  return !item || !InheritsFromClassNamed(item, "TdxBarButton") || item->UnclickAfterDoing();
}

bool TdxBarItemControl::ActsOnMouseDown() const
{
  TdxBarManager* manager = GetBarManager();
  return (manager && manager->IsDesigning()) || OpensSubMenu();
}

// --- Activation and the click path ---

void TdxBarItemControl::ControlActivated(bool, bool) { FActive = true; }

void TdxBarItemControl::ControlDeactivated(bool) { FActive = false; }

void TdxBarItemControl::PerformClick(bool byMouse, bool byKey)
{
  if (!IsEnabled()) return;
  TWeakRef<TdxBarItemControl> self(this);
  TCustomdxBarControl* bar = FBarControl;
  // BeforeClick may close, open or free things (a button opens its drop-down here).
  BeforeClick(byMouse, byKey);
  if (self && IsBarControlAlive(bar) && bar->ShowsItemControl(this)) ClickItem(byMouse);
}

void TdxBarItemControl::ClickItem(bool)
{
  TCustomdxBarControl* bar = FBarControl;
  if (!bar || !FLink) return;
  if (bar->GetBarControlKind() == TdxBarKind::bkSubMenu && InheritsFromClassNamed(this, "TdxBarButtonControl"))
    PlayMenuSound(TdxMenuSound::msMenuCommand);
  TdxBarItemLink* sourceLink = FLink->GetSourceLink();
  const bool clickable = IsClickable();
  const bool closes = ClosesMenusOnClick();
  if (closes) {
    sourceLink->RegisterUse(true);
    if (FLink != sourceLink) FLink->RegisterUse(true);
  }
  TWeakRef<TdxBarItemControl> self(this);
  TWeakRef<TdxBarItem> item(GetItem());
  TWeakRef<TdxBarItemLink> weakSource(sourceLink);
  const bool keepPressed = UnclicksAfterClick() && (!closes || !bar->IsPopup());
  if (keepPressed) SetPressedForClick(true);
  // The pressed look goes when the click is over, also when it raised; nothing is touched when the
  // click freed the control.
  struct TUnpress {
    TWeakRef<TdxBarItemControl>& Control;
    bool Active;
    ~TUnpress()
    {
      if (Active && Control) Control->SetPressedForClick(false);
    }
  } unpress{self, keepPressed};
  // Closing the chain may free this control, its bar and even the item.
  if (closes && IsBarControlAlive(bar)) bar->CloseUp(TdxBarCloseReason::ItemClick);
  if (clickable && item) {
    item->SetClickItemLink(weakSource ? weakSource.Get() : nullptr);
    struct TClearClickLink {
      TWeakRef<TdxBarItem>& Item;
      ~TClearClickLink()
      {
        if (Item) Item->SetClickItemLink(nullptr);
      }
    } clear{item};
    item->Click();
  }
}

void TdxBarItemControl::ClickedOnToolbar()
{
  if (!FBarControl) return;
  FBarControl->SetPressedItemControl(nullptr);
  FBarControl->ChangeSelection(this);
}

void TdxBarItemControl::MouseMoveOver(POINT p) { SetHotPartIndex(IsEnabled() ? GetPartAtPoint(p) : dxBarNoPart); }

// --- Drawing and measuring ---

void TdxBarItemControl::DrawTo(TcxCanvas* canvas, const RECT& rect, int flags)
{
  if (IsRectEmpty(&rect) || !canvas) return;
  canvas->PushState();
  TcxCanvas* usual = FBarControl ? FBarControl->GetCanvas() : nullptr;
  if (usual && canvas != usual) canvas->AssignFont(usual->GetCurrentFont());
  FCanvasOverride = canvas;
  struct TUndo {
    TdxBarItemControl* Control;
    TcxCanvas* Canvas;
    TSavedFont Saved;
    ~TUndo()
    {
      Control->RestoreFont(Saved);
      Control->FCanvasOverride = nullptr;
      Control->CalcDrawParams(false);
      Canvas->PopState();
    }
  } undo{this, canvas, {}};
  undo.Saved = SelectStyleFont();
  CalcDrawParams(true);
  Draw(rect, flags);
}

namespace {
LOGFONTA LogFontOf(TFont* font)
{
  LOGFONTA lf{};
  GetObjectA(font->Handle(), sizeof(lf), &lf);
  return lf;
}
}  // namespace

TdxBarItemControl::TSavedFont TdxBarItemControl::SelectStyleFont(TFont* explicitFont)
{
  TSavedFont saved;
  TdxBarItem* item = GetItem();
  TFont* styleFont = item ? item->GetItemStyleValues().Font : nullptr;
  TcxCanvas* canvas = GetCanvas();
  if ((!styleFont && !explicitFont) || !canvas) return saved;
  TFont* canvasFont = canvas->GetCurrentFont();
  saved.Selected = true;
  saved.Font = LogFontOf(canvasFont);
  LOGFONTA lf = explicitFont ? LogFontOf(explicitFont) : saved.Font;
  if (styleFont) {
    const LOGFONTA base = lf;
    lf = LogFontOf(styleFont);
    lf.lfEscapement = base.lfEscapement;
    lf.lfOrientation = base.lfEscapement;
    lf.lfOutPrecision = base.lfOutPrecision;
  }
  canvasFont->SetHandle(CreateFontIndirectA(&lf));
  return saved;
}

void TdxBarItemControl::RestoreFont(const TSavedFont& saved)
{
  if (!saved.Selected) return;
  if (TcxCanvas* canvas = GetCanvas()) canvas->GetCurrentFont()->SetHandle(CreateFontIndirectA(&saved.Font));
}

void TdxBarItemControl::GetTextColors(bool enabled, bool selected, bool flat, TColor& textColor, TColor& secondColor)
{
  TdxBarPainter* painter = FBarControl ? FBarControl->GetPainter() : nullptr;
  TdxBarItem* item = GetItem();
  if (enabled) {
    const TColor styleColor = item ? item->GetItemStyleValues().TextColor : clDefault;
    textColor = styleColor != clDefault ? styleColor
                : painter                ? painter->GetEnabledTextColor(this, selected, flat)
                                         : clBtnText;
    secondColor = textColor;
  } else if (painter) {
    painter->QueryDisabledTextColors(this, selected, flat, textColor, secondColor);
  } else {
    textColor = secondColor = clGrayText;
  }
}

void TdxBarItemControl::CalcTextMetrics()
{
  struct TRestore {
    TdxBarItemControl* Control;
    TSavedFont Saved;
    ~TRestore() { Control->RestoreFont(Saved); }
  } restore{this, SelectStyleFont()};
  UpdateStyleBrush();
}

void TdxBarItemControl::UpdateStyleBrush()
{
  FStyleBrush.Reset();
  TdxBarItem* item = GetItem();
  if (item && item->UsesStyleBackground()) {
    const TColor color = item->GetItemStyleValues().Color;
    if (color != clDefault) FStyleBrush.Reset(CreateSolidBrush(ColorToRGB(color)));
  }
  FTextHeight = FBarControl ? FBarControl->GetTextHeight() : 0;
}

int TdxBarItemControl::GetTextHeight() const
{
  TdxBarItem* item = GetItem();
  if (item && item->GetItemStyleValues().Font) return FTextHeight;
  return FBarControl ? FBarControl->TextHeight() : 0;
}

// --- Hints ---

void TdxBarItemControl::GetHintAndShortCut(std::string& hint, std::string& shortCut) const
{
  TdxBarItem* item = GetItem();
  hint.clear();
  shortCut.clear();
  if (!item) return;
  const std::string full = item->Hint();
  hint = full.substr(0, full.find('|'));
  shortCut = FormatShortCutSuffix(item->ShortCut());
}

std::string TdxBarItemControl::GetHint()
{
  TdxBarItem* item = GetItem();
  return item ? item->Hint() : std::string();
}

TBasicAction* TdxBarItemControl::GetAction()
{
  TdxBarItem* item = GetItem();
  return item ? item->Action() : nullptr;
}

TdxScreenTip* TdxBarItemControl::GetScreenTip()
{
  TdxBarItem* item = GetItem();
  return item ? item->GetScreenTip() : nullptr;
}

bool TdxBarItemControl::UsesBarHintWindow()
{
  TdxBarPainter* painter = FBarControl ? FBarControl->GetPainter() : nullptr;
  return painter && painter->SupportsOwnHintWindow();
}

bool TdxBarItemControl::GetHintTexts(bool& suppressed, std::string& hint, std::string& shortCut)
{
  suppressed = false;
  hint.clear();
  shortCut.clear();
  if (!IsBarControlAlive(FBarControl) || !FBarControl->IsInactive() || FBarControl->GetItemControlAtCursor() != this)
    return false;
  GetHintAndShortCut(hint, shortCut);
  if (auto* action = dynamic_cast<TCustomAction*>(GetAction()); action && !action->DoHint(hint)) {
    suppressed = true;
    return false;
  }
  return true;
}

bool TdxBarItemControl::CanFade()
{
  TdxBarPainter* painter = FBarControl ? FBarControl->GetPainter() : nullptr;
  return FBarControl && FBarControl->UsesFading() && GetFader() && painter && painter->IsSkinPainter();
}

TdxFader* TdxBarItemControl::GetFader() const { return FBarControl ? FBarControl->GetFader() : nullptr; }
