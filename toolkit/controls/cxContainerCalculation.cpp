// The container's view-info calculation: state, border, content, shadow and colour rules.
#include <algorithm>
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/controls/cxContainer.h"

namespace {
constexpr int cxThemeFillColorProperty = 3802;

bool IsBorderStyleDrawnAsSingle(TcxContainerBorderStyle Style) { return Style == cbsUltraFlat || Style == cbsOffice11; }
}  // namespace

bool TcxContainer::IsNativeStyle()
{
  return IsNativeStyleAvailable(GetStyle()->LookAndFeel()->NativeStyle(), GetThemedObjectType());
}

void TcxContainer::CalculateContainerState(POINT P, bool HotAllowed)
{
  TcxContainerState state;
  if (!Enabled()) {
    state.Include(TcxContainerStateFlag::csDisabled);
  } else if (IsDesigning()) {
    state.Include(TcxContainerStateFlag::csNormal);
  } else {
    state.Include(Focused() ? TcxContainerStateFlag::csActive : TcxContainerStateFlag::csNormal);
    if (HotAllowed && IsPointInRect(P, GetContentRect())) state.Include(TcxContainerStateFlag::csHotTrack);
  }
  FViewInfo->ContainerState = state;
  TcxContainerStyle* active = GetActiveStyle();
  if (!active->HotTrack())
    FViewInfo->HotState = 0;
  else if (state.Contains(TcxContainerStateFlag::csActive) || state.Contains(TcxContainerStateFlag::csHotTrack))
    FViewInfo->HotState = 2;
  else
    FViewInfo->HotState = 1;
  if (FViewInfo->NativeStyle) {
    FViewInfo->BorderStyle = GetStyle()->BorderStyle();
  } else {
    const TcxContainerBorderStyle style = active->BorderStyle();
    FViewInfo->BorderStyle = IsBorderStyleDrawnAsSingle(style) ? cbsSingle : style;
  }
}

void TcxContainer::CalculateViewInfo(POINT P, bool HotAllowed)
{
  TcxContainerViewInfo* vi = FViewInfo.get();
  vi->NativeStyle = IsNativeStyle();
  vi->TakePainterFromStyle(GetStyle());
  const int previousWidth = StandardBorderWidth();
  CalculateContainerState(P, HotAllowed);
  // A thinner border widens the content: the hot test runs again on it.
  if (!vi->NativeStyle && StandardBorderWidth() < previousWidth) CalculateContainerState(P, HotAllowed);
  if (vi->NativeStyle) {
    vi->ThemedObjectType = GetThemedObjectType();
    vi->NativePart = GetNativePart();
    vi->NativeState = GetNativeState();
  }
  vi->Bounds = GetControlBoundsAtOrigin(this);
  const RECT extent = GetBorderExtent();
  vi->BorderRect = RectInsideMargins(vi->Bounds, extent);
  vi->ClientRect = vi->BorderRect;
  vi->BorderWidth = vi->Painter ? vi->Painter->ContainerBorderWidth(vi->BorderStyle) : 0;
  vi->Edges = GetActiveStyle()->Edges();
  vi->Shadow = HasShadow();
  vi->BorderColor = GetBorderColor();
  vi->AssignBackgroundColor(GetBackgroundColor());
}

int TcxContainer::GetNativePart() { return WinVistaOrLater ? 3 : 1; }

int TcxContainer::GetNativeState()
{
  const TcxContainerState state = FViewInfo->ContainerState;
  if (state.Contains(TcxContainerStateFlag::csDisabled)) return 4;
  if (IsNativeReadOnly()) return 6;
  if (state.Contains(TcxContainerStateFlag::csActive)) return 5;
  if (state.Contains(TcxContainerStateFlag::csHotTrack)) return 2;
  return 1;
}

bool TcxContainer::HasShadow() { return GetActiveStyle()->Shadow() && !FViewInfo->NativeStyle; }

bool TcxContainer::HasTransparentBorder()
{
  return GetActiveStyle()->TransparentBorder() && !(FViewInfo->NativeStyle && FViewInfo->BorderStyle != cbsNone);
}

RECT TcxContainer::GetBorderExtent()
{
  TcxContainerStyle* active = GetActiveStyle();
  RECT extent{};
  if (active->TransparentBorder()) {
    extent = RECT{cxContainerMaxBorderWidth, cxContainerMaxBorderWidth, cxContainerMaxBorderWidth,
                  cxContainerMaxBorderWidth};
  } else if (!active->IsBorderShown() || (FViewInfo->NativeStyle && GetStyle()->BorderStyle() == cbsNone)) {
    extent = RECT{};
  } else if (FViewInfo->NativeStyle) {
    extent = RECT{cxContainerMaxBorderWidth, cxContainerMaxBorderWidth, cxContainerMaxBorderWidth,
                  cxContainerMaxBorderWidth};
  } else {
    const int w = StandardBorderWidth();
    const TcxBorders edges = active->Edges();
    extent = RECT{edges.Contains(TcxBorder::bLeft) ? w : 0, edges.Contains(TcxBorder::bTop) ? w : 0,
                  edges.Contains(TcxBorder::bRight) ? w : 0, edges.Contains(TcxBorder::bBottom) ? w : 0};
  }
  if (HasShadow()) {
    extent.right += cxContainerShadowWidth;
    extent.bottom += cxContainerShadowWidth;
  }
  return extent;
}

RECT TcxContainer::GetContentRect()
{
  RECT r = GetControlBoundsAtOrigin(this);
  if (IsInplace()) return r;
  if (HasShadow()) {
    r.right -= cxContainerShadowWidth;
    r.bottom -= cxContainerShadowWidth;
  }
  TcxContainerStyle* active = GetActiveStyle();
  const bool transparent = active->TransparentBorder();
  if (GetStyle()->IsBorderShown()) {
    if (FViewInfo->NativeStyle) {
      if (transparent && GetStyle()->BorderStyle() == cbsNone) r = InflateRectXY(r, -2, -2);
    } else if (transparent) {
      const int w = StandardBorderWidth();
      r = InflateRectXY(r, w - cxContainerMaxBorderWidth, w - cxContainerMaxBorderWidth);
      r = ShrinkRectByMissingEdges(r, w, active->Edges());
    }
  } else if (transparent) {
    r = InflateRectXY(r, -2, -2);
  }
  if (r.bottom < r.top) r = RECT{r.left, 0, r.right, 0};
  return r;
}

RECT TcxContainer::GetShadowRect()
{
  const RECT extent = GetBorderExtent();
  RECT r = RectInsideMargins(FViewInfo->Bounds, extent);
  const int w = FViewInfo->Painter ? FViewInfo->Painter->ContainerBorderWidth(FViewInfo->BorderStyle) : 0;
  r = InflateRectXY(r, w, w);
  return ShrinkRectByMissingEdges(r, w, GetActiveStyle()->Edges());
}

TcxEditStateColorKind TcxContainer::GetPainterState()
{
  if (Focused()) return esckNormal;
  return Enabled() ? esckInactive : esckDisabled;
}

void TcxContainer::GetSkinColors(TColor& Background, TColor& Text)
{
  Background = clDefault;
  Text = clDefault;
  if (!FViewInfo->IsSkinned || !FViewInfo->Painter) return;
  TcxContainerStyle* active = GetActiveStyle();
  if (!GetStyle()->IsValueAssigned(svTextColor) && !active->IsValueAssigned(svTextColor))
    Text = FViewInfo->Painter->EditorStateTextColor(GetPainterState());
  if (!ParentColor() && !GetStyle()->IsValueAssigned(svColor) && !active->IsValueAssigned(svColor))
    Background = FViewInfo->Painter->EditorStateBackgroundColor(GetPainterState());
}

TColor TcxContainer::GetBackgroundColor()
{
  TColor background = clDefault, text = clDefault;
  GetSkinColors(background, text);
  if (background != clDefault) return background;
  TcxContainerStyle* active = GetActiveStyle();
  if (FViewInfo->NativeStyle && FViewInfo->ContainerState.Contains(TcxContainerStateFlag::csDisabled) &&
      !active->IsValueAssigned(svColor)) {
    COLORREF fill = 0;
    if (HTHEME theme = GetThemeHandle(FViewInfo->ThemedObjectType);
        theme && SUCCEEDED(dxUxTheme::GetThemeColor(theme, FViewInfo->NativePart, FViewInfo->NativeState,
                                                    cxThemeFillColorProperty, &fill)))
      return static_cast<TColor>(fill);
  }
  return active->GetColor();
}

TColor TcxContainer::GetBorderColor()
{
  TcxContainerStyle* active = GetActiveStyle();
  const TcxContainerState state = FViewInfo->ContainerState;
  const bool highlighted = state.Contains(TcxContainerStateFlag::csActive) ||
                           (state.Contains(TcxContainerStateFlag::csHotTrack) && active->HotTrack()) ||
                           (Enabled() && IsDesigning());
  if (FViewInfo->IsSkinned && FViewInfo->Painter) return FViewInfo->Painter->ContainerBorderColorEx(highlighted);
  switch (active->BorderStyle()) {
    case cbsUltraFlat: return highlighted ? clHighlight : clBtnShadow;
    case cbsOffice11: return highlighted ? dxOffice11SelectionFrameColor() : clBtnShadow;
    default: return active->BorderColor();
  }
}
