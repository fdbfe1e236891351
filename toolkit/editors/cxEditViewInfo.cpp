#include "toolkit/editors/cxEditViewInfo.h"

#include <algorithm>
#include "classlib/Forms.h"
#include "classlib/Units.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsParentImage.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/controls/cxControlsHelpers.h"
#include "toolkit/editors/cxEdit.h"
#include "toolkit/editors/cxEditControl.h"
#include "toolkit/editors/cxEditUtils.h"

namespace {
// The edit theme's border part from Windows Vista on.
constexpr int cxEditThemeBorderPartVista = 6;


THintWindow* NewMeasuringHintWindow() { return NewHintWindow(nullptr, nullptr); }
TUnitObject<THintWindow> GHintWindow{UnitcxEdit, NewMeasuringHintWindow};

// The hint of a button: its text up to the first "|".
std::string ShortHint(const std::string& Hint) { return Hint.substr(0, Hint.find('|')); }
}  // namespace

THintWindow* EditHintMeasuringWindow()
{
  const TClass wanted = HintWindowClass ? HintWindowClass : THintWindow::StaticClass();
  if (THintWindow* window = GHintWindow.Peek(); window && window->ClassType() != wanted) GHintWindow.Free();
  return GHintWindow.Get();
}

// --- TcxEditButtonViewInfo ---

CL_DEFINE_CLASS(TcxEditButtonViewInfo);

void TcxEditButtonViewInfo::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TcxEditButtonViewInfo*>(Source);
  if (!source) return TPersistent::Assign(Source);
  ThemeState = source->ThemeState;
  BackgroundColor = source->BackgroundColor;
  Bounds = source->Bounds;
  Style = source->Style;
  State = source->State;
}

bool TcxEditButtonViewInfo::DiffersFrom(const TcxEditButtonViewInfo* Previous) const
{
  return Style != Previous->Style || State != Previous->State || BackgroundColor != Previous->BackgroundColor ||
         ThemeState != Previous->ThemeState;
}

TOwned<TcxRegion> TcxEditButtonViewInfo::GetUpdateRegion(TcxEditButtonViewInfo* Previous)
{
  if (Previous && !DiffersFrom(Previous)) return MakeOwned<TcxRegion>();
  return MakeOwned<TcxRegion>(Bounds);
}

bool TcxEditButtonViewInfo::InvalidateIfChanged(HWND Window, TcxEditButtonViewInfo* Previous, POINT Origin)
{
  if (Previous && !DiffersFrom(Previous)) return false;
  if (Window) {
    const RECT r = OffsetRectByPoint(Bounds, Origin);
    if (!IsRectEmpty(&r)) InvalidateRect(Window, &r, EraseOnInvalidate);
  }
  return true;
}

// --- TcxCustomEditViewInfo ---

CL_DEFINE_CLASS(TcxCustomEditViewInfo);

TcxCustomEditViewInfo::TcxCustomEditViewInfo() = default;

void TcxCustomEditViewInfo::SetButtonCount(int Count)
{
  Count = std::max(Count, 0);
  if (ButtonCount() > Count) ButtonViewInfos.resize(Count);
  while (ButtonCount() < Count) ButtonViewInfos.emplace_back(ButtonViewInfoClassType().Create());
}

void TcxCustomEditViewInfo::Assign(TObject* Source)
{
  if (auto* source = dynamic_cast<TcxCustomEditViewInfo*>(Source)) {
    BackgroundColor = source->BackgroundColor;
    BorderColor = source->BorderColor;
    EditBorderStyle = source->EditBorderStyle;
    BorderStyle = source->BorderStyle;
    ContainerState = source->ContainerState;
    NativeState = source->NativeState;
    SetButtonCount(source->ButtonCount());
    for (int i = 0; i < ButtonCount(); ++i) Buttons(i)->Assign(source->Buttons(i));
    PressedButtonIndex = source->PressedButtonIndex;
    HotButtonIndex = source->HotButtonIndex;
  }
  TcxContainerViewInfo::Assign(Source);
}

TOwned<TcxRegion> TcxCustomEditViewInfo::CreateUpdateRegion(TcxContainerViewInfo* Other)
{
  TOwned<TcxRegion> region = TcxContainerViewInfo::CreateUpdateRegion(Other);
  auto* previous = dynamic_cast<TcxCustomEditViewInfo*>(Other);
  const bool sameFrame = previous && (EditBorderStyle == ebsNone || BorderColor == previous->BorderColor) &&
                         EditBorderStyle == previous->EditBorderStyle && ButtonCount() == previous->ButtonCount() &&
                         NativeState == previous->NativeState;
  if (sameFrame) {
    for (int i = 0; i < ButtonCount(); ++i)
      region->CombineWith(Buttons(i)->GetUpdateRegion(previous->Buttons(i)), roAdd);
  } else {
    region->CombineWith(MakeOwned<TcxRegion>(Bounds), roAdd);
  }
  return region;
}

void TcxCustomEditViewInfo::ShiftBy(int DX, int DY)
{
  TcxContainerViewInfo::ShiftBy(DX, DY);
  InnerAreaBounds = OffsetRectXY(InnerAreaBounds, DX, DY);
  CalculatedBorderRect = OffsetRectXY(CalculatedBorderRect, DX, DY);
  for (auto& button : ButtonViewInfos) {
    button->Bounds = OffsetRectXY(button->Bounds, DX, DY);
    button->VisibleBounds = OffsetRectXY(button->VisibleBounds, DX, DY);
  }
}

void TcxCustomEditViewInfo::Paint(TcxCanvas* Canvas)
{
  if (OnBeforePaint) OnBeforePaint(this, Canvas);
  TcxContainerViewInfo::Paint(Canvas);
}

void TcxCustomEditViewInfo::GetContentColors(TColor& Background, TColor& Text)
{
  Background = clDefault;
  Text = clDefault;
  if (!IsInplace && Edit) Edit->GetSkinColors(Background, Text);
}

// --- Painting the background ---

void TcxCustomEditViewInfo::DrawContent(TcxCanvas* Canvas)
{
  if (IsRectEmpty(&Bounds)) return;
  Canvas->PushDCState();
  // Nothing lands outside the bounds; the buttons paint their own areas unless the theme shows
  // the background through them.
  Canvas->IntersectClipWithRect(Bounds);
  if (ButtonCount() > 0 && !Buttons(0)->BackgroundShowsThrough)
    for (const auto& button : ButtonViewInfos)
      if (!IsRectEmpty(&button->VisibleBounds)) Canvas->ExcludeRectFromClip(button->VisibleBounds);
  DrawBackgroundAndBorder(Canvas, true);
  Canvas->PopDCState();
  DrawButtons(Canvas);
}

void TcxCustomEditViewInfo::DrawBackgroundAndBorder(TcxCanvas* Canvas, bool FillAll)
{
  HBRUSH brush = CachedSolidBrush(BackgroundColor);
  if (DrawBackgroundByHandler(Canvas)) return;
  if (NativeStyle)
    DrawEditBackground(Canvas, FillAll, brush, 0);
  else
    DrawPlainBackground(Canvas, FillAll);
}

void TcxCustomEditViewInfo::DrawPlainBackground(TcxCanvas* Canvas, bool FillAll)
{
  DrawShadowAndBorder(Canvas);
  if (DrawTransparent) return;
  if (IsInplace) {
    if (FillAll)
      FillRectWithCachedBrush(Canvas, Bounds, BackgroundColor);
    else if (HasInplaceBorder)
      FillRectOutside(Canvas, Bounds, BorderRect, BackgroundColor);
  } else if (FillAll) {
    FillRectWithCachedBrush(Canvas, BorderRect, BackgroundColor);
  }
}

void TcxCustomEditViewInfo::DrawEditBackground(TcxCanvas* Canvas, bool FillAll, HBRUSH Brush,
                                               TcxEditBackgroundMode Mode)
{
  HDC dc = Canvas->GetDCHandle();
  RECT content = Bounds;
  if (!IsInplace && EditBorderStyle != ebsNone) {
    const bool buttonTheme = WinVistaOrLater && Mode == 2;
    HTHEME theme = GetThemeHandle(buttonTheme ? TdxThemedObjectType::totButton : TdxThemedObjectType::totEdit);
    const int part = buttonTheme ? cxButtonThemePushPart : WinVistaOrLater ? cxEditThemeBorderPartVista : cxEditThemeTextPart;
    const RECT themeRect = buttonTheme ? InflateRectXY(Bounds, 1, 1) : Bounds;
    switch (Mode) {
      case 1:
        content = InflateRectSides(Bounds, -3, -3, -4, -3);
        break;
      case 2:
        content = WinVistaOrLater ? RECT{} : ClientRect;
        break;
      default:
        if (WinVistaOrLater)
          content = InflateRectXY(Bounds, -2, -2);
        else if (theme)
          dxUxTheme::GetThemeBackgroundContentRect(theme, dc, part, NativeState, &Bounds, &content);
        break;
    }
    if (theme) {
      Canvas->PushClipRegion();
      if (!IsRectEmpty(&content)) Canvas->ExcludeRectFromClip(content);
      if (Edit && dxUxTheme::IsThemeBackgroundPartiallyTransparent(theme, part, NativeState))
        PaintParentBackground(Edit, Canvas, Bounds);
      dxUxTheme::DrawThemeBackground(theme, dc, part, NativeState, &themeRect, nullptr);
      Canvas->PopClipRegion();
    }
  }
  if (DrawTransparent || IsRectEmpty(&content)) return;
  if (!IsInplace && EditBorderStyle != ebsNone && !FillAll) {
    if (Mode == 2) return;
    if (!RectsEqual(content, BorderRect)) {
      Canvas->PushClipRegion();
      Canvas->ExcludeRectFromClip(BorderRect);
      FillRectWithBrush(dc, content, Brush);
      Canvas->PopClipRegion();
    }
  } else {
    FillRectWithBrush(dc, content, Brush);
  }
}

bool TcxCustomEditViewInfo::DrawBackgroundByHandler(TcxCanvas* Canvas)
{
  if (!IsInplace || !OnBackgroundPainting) return false;
  bool handled = false;
  OnBackgroundPainting(this, Canvas, handled);
  return handled;
}

TcxEditBackgroundKind TcxCustomEditViewInfo::GetBackgroundKind()
{
  if (IsInplace) {
    if (HasBackgroundHandler()) return ebkHandler;
    return DrawTransparent ? ebkInplaceTransparent : ebkColor;
  }
  if (DrawTransparent || (Edit && Edit->Transparent())) return ebkParentImage;
  if (Edit && Edit->NeedsParentBackground()) return ebkParentBackground;
  return NativeStyle ? ebkColor : ebkPlain;
}

bool TcxCustomEditViewInfo::IsPlainBackgroundState()
{
  const TcxEditBackgroundKind kind = GetBackgroundKind();
  return kind != ebkPlain && kind != ebkColor;
}

void TcxCustomEditViewInfo::DrawBackgroundInRect(TcxCanvas* Canvas, const RECT& Rect, bool FillAll,
                                                 const RECT& InnerRect)
{
  Canvas->PushDCState();
  if (!FillAll && !IsRectEmpty(&InnerRect)) Canvas->ExcludeRectFromClip(InnerRect);
  switch (GetBackgroundKind()) {
    case ebkHandler: {
      Canvas->IntersectClipWithRect(Rect);
      bool handled = false;
      OnBackgroundPainting(this, Canvas, handled);
      break;
    }
    case ebkPlain: DrawPlainBackground(Canvas, true); break;
    case ebkColor: FillRectWithCachedBrush(Canvas, Rect, BackgroundColor); break;
    case ebkParentImage:
      if (Edit) PaintParentImage(Edit, Canvas, Rect, false);
      break;
    case ebkParentBackground:
      if (Edit) PaintParentBackground(Edit, Canvas, Rect);
      break;
    case ebkInplaceTransparent: break;
  }
  Canvas->PopDCState();
}

// --- Buttons ---

void TcxCustomEditViewInfo::DrawButtons(TcxCanvas* Canvas)
{
  if (PaintingButtons) return;
  if (Edit && Edit->GetButtonIndexAt(WindowFromDC(Canvas->GetDCHandle())) >= 0) return;
  PaintingButtons = true;
  try {
    for (int i = 0; i < ButtonCount(); ++i) DrawButton(Canvas, i);
  } catch (...) {
    PaintingButtons = false;
    throw;
  }
  PaintingButtons = false;
}

void TcxCustomEditViewInfo::DrawButton(TcxCanvas* Canvas, int Index)
{
  TcxEditButtonViewInfo* button = Buttons(Index);
  button->BackgroundColor = BackgroundColor;
  if (IsRectEmpty(&button->VisibleBounds)) return;
  const RECT& b = button->Bounds;
  const bool clip = b.left < BorderRect.left || b.top < BorderRect.top || b.right > BorderRect.right ||
                    b.bottom > BorderRect.bottom;
  if (clip) {
    Canvas->PushClipRegion();
    Canvas->IntersectClipWithRect(button->VisibleBounds);
  }
  bool handled = false;
  if (OnButtonPainting) OnButtonPainting(this, Canvas, handled, Index);
  if (!handled) DrawButtonContent(Canvas, Index);
  if (clip) Canvas->PopClipRegion();
}

bool TcxCustomEditViewInfo::HasCustomButtonDrawing(int Index) const
{
  (void)Index;
  return OnButtonBorderPainting || OnButtonBackgroundPainting || OnButtonPainting;
}

void TcxCustomEditViewInfo::SaveButtonStates()
{
  PreviousPressedButtonIndex = PressedButtonIndex;
  PreviousHotButtonIndex = HotButtonIndex;
}

bool TcxCustomEditViewInfo::HasHotTrackedPart()
{
  return std::any_of(ButtonViewInfos.begin(), ButtonViewInfos.end(),
                     [](const auto& button) { return button->State == ebsHot; });
}

bool TcxCustomEditViewInfo::IsHotTrackPoint(POINT P)
{
  const POINT p = OffsetPointByPoint(P, Origin, false);
  return std::any_of(ButtonViewInfos.begin(), ButtonViewInfos.end(),
                     [p](const auto& button) { return IsPointInRect(p, button->Bounds); });
}

// --- Hit tests and hints ---

int TcxCustomEditViewInfo::GetPartAt(POINT P)
{
  for (int i = 0; i < ButtonCount(); ++i)
    if (IsPointInRect(P, Buttons(i)->Bounds)) return i;
  return IsPointInRect(P, BorderRect) ? cxEditPartBorder : cxEditPartNone;
}

bool TcxCustomEditViewInfo::GetPartRect(int Part, RECT& Rect)
{
  if (Part >= 0 && Part < ButtonCount()) {
    Rect = Buttons(Part)->Bounds;
    return true;
  }
  if (Part != cxEditPartBorder) {
    Rect = RECT{};
    return false;
  }
  Rect = BorderRect;
  for (const auto& button : ButtonViewInfos) {
    if (button->LeftAlignment && button->AtRightEnd) Rect.left = button->Bounds.right;
    if (!button->LeftAlignment && button->AtLeftEnd) Rect.right = button->Bounds.left;
  }
  return true;
}

std::string TcxCustomEditViewInfo::GetHintText(POINT P)
{
  const int part = GetPartAt(OffsetPointByPoint(P, Origin, false));
  return part >= 0 ? ShortHint(Buttons(part)->Hint) : std::string();
}

bool TcxCustomEditViewInfo::GetHintAt(POINT P, RECT& Rect, bool& IsMultiLine, std::string& Text)
{
  Rect = RECT{};
  IsMultiLine = false;
  Text = GetHintText(P);
  if (Text.empty()) return false;
  IsMultiLine = Text.find_first_of("\r\n") != std::string::npos;
  if (THintWindow* window = EditHintMeasuringWindow())
    Rect = window->CalcHintRect(GetSystemMetrics(SM_CXSCREEN), Text, nullptr);
  const POINT cursor = ReadCursorPos();
  Rect = OffsetRectXY(Rect, cursor.x, cursor.y + GetSystemMetrics(SM_CYCURSOR));
  return true;
}

// --- Invalidation ---

void TcxCustomEditViewInfo::InvalidateChanges(HWND Window, TcxCustomEditViewInfo* Previous)
{
  InvalidateChangedParts(Window, RECT{}, Previous);
}

bool TcxCustomEditViewInfo::InvalidateChangedParts(HWND Window, const RECT& InnerRect, TcxCustomEditViewInfo* Previous)
{
  if (!Window) return false;
  const RECT bounds = OffsetRectByPoint(Bounds, Origin);
  if (!Previous) {
    InvalidateRectOutside(Window, bounds, InnerRect, ErasesBackground);
    return false;
  }
  bool changed = false;
  RECT kept{};
  if (NativeState != Previous->NativeState || BackgroundColor != Previous->BackgroundColor ||
      ButtonCount() != Previous->ButtonCount() || (DrawsText() && ContainerState != Previous->ContainerState)) {
    changed = true;
    kept = InnerRect;
  } else if ((EditBorderStyle != ebsNone && BorderColor != Previous->BorderColor) ||
             EditBorderStyle != Previous->EditBorderStyle) {
    changed = true;
    kept = OffsetRectByPoint(BorderRect, Origin);
  }
  if (changed && !IsRectEmpty(&bounds) && !RectsEqual(bounds, kept))
    InvalidateRectOutside(Window, bounds, kept, Previous->ErasesBackground);
  if (ButtonCount() == Previous->ButtonCount())
    for (int i = 0; i < ButtonCount(); ++i)
      if (Buttons(i)->InvalidateIfChanged(Window, Previous->Buttons(i), Origin)) changed = true;
  return changed;
}
