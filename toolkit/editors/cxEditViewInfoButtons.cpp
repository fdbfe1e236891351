// The edit view info's buttons: each is drawn through an off-screen bitmap that starts as a copy of
// what lies under it, in one of six frame styles, themed, or by a skin painter, then its content.
#include <algorithm>
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsBitmaps.h"
#include "toolkit/base/cxGraphicsImages.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/editors/cxEditControl.h"
#include "toolkit/editors/cxEditUtils.h"
#include "toolkit/editors/cxEditViewInfo.h"

namespace {
// The skin painter's editor button kinds: drop-down, glyph or text, ellipsis.
constexpr int cxEditorButtonKindDropDown = 1;
constexpr int cxEditorButtonKindGlyph = 2;
constexpr int cxEditorButtonKindEllipsis = 3;
// The Office 2003 gradient pairs of a button: normal (the toolbar gradient), hot, pressed.
constexpr int Office11GradientColors[3][2] = {{3, 4}, {43, 44}, {45, 46}};
// The gap between the dots of an ellipsis.
constexpr int EllipsisDotGap = 2;

bool IsActive(const TcxEditButtonViewInfo* Button) { return Button->State == ebsPressed || Button->State == ebsHot; }

// The face under a 3-D, flat or simple button.
TColor ButtonFace(const TcxEditButtonViewInfo* Button) { return Button->Transparent ? Button->BackgroundColor : clBtnFace; }

// Widens [Low, High) to Target; an odd pixel goes to the low side, or to the high one with HighFirst.
void WidenTo(LONG& Low, LONG& High, int Target, bool HighFirst)
{
  const int d = Target - (High - Low);
  if (d <= 0) return;
  Low -= d / 2 + (HighFirst ? 0 : d % 2);
  High += d / 2 + (HighFirst ? d % 2 : 0);
}

int DrawTextAlignment(TAlignment Alignment)
{
  switch (Alignment) {
    case taLeftJustify: return cxAlignLeft;
    case taRightJustify: return cxAlignRight;
    case taCenter: break;
  }
  return cxAlignHCenter;
}

TcxCustomLookAndFeelPainter* StandardPainter()
{
  TcxLookAndFeelPaintersManager* painters = cxLookAndFeelPaintersManager();
  return painters ? painters->GetPainterByStyle(cpsStandard) : nullptr;
}
}  // namespace

int TcxCustomEditViewInfo::PressedShiftOf(const TcxEditButtonViewInfo* Button) const
{
  if (Button->State != ebsPressed) return 0;
  if (Edit && Edit->ContentOffsetsCached() && !(Edit->ContentOffsetsCache().Flags & cxEditContentOffsetsPressedShift))
    return 0;
  return 1;
}

void TcxCustomEditViewInfo::DrawButtonContent(TcxCanvas* Canvas, int Index)
{
  TcxEditButtonViewInfo* button = Buttons(Index);
  // Only the shown part of the button that the canvas can show gets a bitmap; it is drawn in the
  // button's own coordinates.
  RECT shown{}, canvasArea{};
  if (!IntersectRectPair(shown, button->Bounds, button->VisibleBounds)) return;
  if (GetClipBox(Canvas->GetDCHandle(), &canvasArea) == NULLREGION || !IntersectRectPair(shown, shown, canvasArea))
    return;
  auto bitmap = MakeOwned<TcxBitmap>(RectWidth(shown), RectHeight(shown));
  TcxCanvas* canvas = bitmap->cxCanvas();
  BitBlt(canvas->GetDCHandle(), 0, 0, RectWidth(shown), RectHeight(shown), Canvas->GetDCHandle(), shown.left,
         shown.top, SRCCOPY);
  canvas->SetWindowOrigin(POINT{shown.left, shown.top});

  TColor background = button->BackgroundColor;
  TColor textColor = clBtnText;
  RECT content = button->Bounds;
  RECT frame = button->Bounds;
  DrawButtonFrame(canvas, Index, background, textColor, content, frame);
  if (!IsRectEmpty(&frame)) {
    bool handled = false;
    if (OnButtonBackgroundPainting) OnButtonBackgroundPainting(this, canvas, handled, Index, frame);
    if (!handled) {
      if (button->ThemePart != 0)
        DrawThemedButtonBackground(canvas, button, frame);
      else if (!button->SkinPainted)
        DrawButtonBackground(canvas, button, background, frame);
    }
  }
  if (!IsRectEmpty(&content)) PaintButtonGlyph(canvas, Index, PressedShiftOf(button), background, textColor, content);

  canvas->SetWindowOrigin(POINT{0, 0});
  BitBlt(Canvas->GetDCHandle(), shown.left, shown.top, RectWidth(shown), RectHeight(shown), canvas->GetDCHandle(), 0,
         0, SRCCOPY);
}

void TcxCustomEditViewInfo::DrawButtonFrame(TcxCanvas* Canvas, int Index, TColor& Background, TColor& TextColor,
                                            RECT& ContentRect, RECT& FrameRect)
{
  TcxEditButtonViewInfo* button = Buttons(Index);
  FrameRect = button->Bounds;
  ContentRect = button->Bounds;
  if (OnButtonBorderPainting) {
    bool handled = false;
    OnButtonBorderPainting(this, Canvas, handled, ContentRect, FrameRect, Index);
    if (handled) return;
  }
  if (button->ThemeState != 0) {
    DrawNativeStyleButton(Canvas, Index, ContentRect, FrameRect);
    return;
  }
  if (button->SkinPainted) {
    TColor background = clDefault, text = clDefault;
    GetContentColors(background, text);
    if (background == clDefault)
      background = Edit ? Edit->GetBackgroundColor() : button->State == ebsDisabled ? clBtnFace : clWindow;
    Background = background;
    TextColor = text == clDefault ? clBtnText : text;
    return;
  }
  TcxEditButtonStyle style = button->Style;
  if (style == btsSimple && IsActive(button)) style = btsFlat;
  switch (style) {
    case btsFlat: DrawFlatButton(Canvas, button, Background, ContentRect, FrameRect); break;
    case btsSimple: DrawSimpleButton(Canvas, button, Background, ContentRect, FrameRect); break;
    case btsHotFlat: DrawHotFlatButton(Canvas, button, Background, TextColor, ContentRect, FrameRect); break;
    case btsUltraFlat:
    case btsOffice11:
      DrawUltraFlatButton(Canvas, button, Background, ContentRect, FrameRect, style == btsOffice11);
      break;
    case btsDefault:
    case bts3D: Draw3DButton(Canvas, button, Background, ContentRect, FrameRect); break;
  }
}

void TcxCustomEditViewInfo::Draw3DButton(TcxCanvas* Canvas, TcxEditButtonViewInfo* Button, TColor& Background,
                                         RECT& ContentRect, RECT& FrameRect)
{
  Background = ButtonFace(Button);
  RECT r = Button->Bounds;
  if (Button->State == ebsPressed) {
    DrawFrameAndShrink(Canvas, r, clBtnShadow);
    FrameRect = r;
    DrawFrameAndShrink(Canvas, r, Background);
  } else {
    DrawTwoColourFrameAndShrink(Canvas, r, cl3DLight, cl3DDkShadow);
    DrawTwoColourFrameAndShrink(Canvas, r, clBtnHighlight, clBtnShadow);
    FrameRect = r;
  }
  ContentRect = r;
}

void TcxCustomEditViewInfo::DrawFlatButton(TcxCanvas* Canvas, TcxEditButtonViewInfo* Button, TColor& Background,
                                           RECT& ContentRect, RECT& FrameRect)
{
  Background = ButtonFace(Button);
  RECT r = Button->Bounds;
  DrawButtonEdges(Canvas, r, TcxBorders{TcxBorder::bLeft}, Background);
  if (Button->State == ebsPressed)
    DrawTwoColourFrameAndShrink(Canvas, r, clBtnShadow, clBtnHighlight);
  else
    DrawTwoColourFrameAndShrink(Canvas, r, clBtnHighlight, clBtnShadow);
  FrameRect = r;
  DrawButtonEdges(Canvas, r, TcxBorders{TcxBorder::bRight}, Background);
  ContentRect = r;
}

void TcxCustomEditViewInfo::DrawSimpleButton(TcxCanvas* Canvas, TcxEditButtonViewInfo* Button, TColor& Background,
                                             RECT& ContentRect, RECT& FrameRect)
{
  Background = ButtonFace(Button);
  RECT r = Button->Bounds;
  if (DrawTransparent)
    r = InflateRectXY(r, -1, -1);
  else
    DrawFrameAndShrink(Canvas, r, Button->BackgroundColor);
  FrameRect = r;
  DrawButtonEdges(Canvas, r, TcxBorders{TcxBorder::bLeft, TcxBorder::bRight}, Background);
  ContentRect = r;
}

void TcxCustomEditViewInfo::DrawHotFlatButton(TcxCanvas* Canvas, TcxEditButtonViewInfo* Button, TColor& Background,
                                              TColor& TextColor, RECT& ContentRect, RECT& FrameRect)
{
  // Face by state: disabled, normal, pressed, hot.
  static constexpr TColor Faces[] = {clBtnFace, clBtnFace, clBtnText, clBtnShadow};
  Background = Button->Transparent ? Button->BackgroundColor : Faces[static_cast<int>(Button->State)];
  RECT r = Button->Bounds;
  const bool facesText = Button->LeftAlignment ? Button->AtRightEnd : Button->AtLeftEnd;
  if (facesText) {
    DrawFrameAndShrink(Canvas, r, clBtnShadow);
  } else {
    const TcxBorder outer = Button->LeftAlignment ? TcxBorder::bLeft : TcxBorder::bRight;
    const TcxBorder inner = Button->LeftAlignment ? TcxBorder::bRight : TcxBorder::bLeft;
    DrawButtonEdges(Canvas, r, TcxBorders{outer, TcxBorder::bTop, TcxBorder::bBottom}, clBtnShadow);
    DrawButtonEdges(Canvas, r, TcxBorders{inner}, Background);
  }
  FrameRect = r;
  DrawButtonEdges(Canvas, r, TcxBorders{TcxBorder::bLeft, TcxBorder::bRight}, Background);
  ContentRect = r;
  if (!IsActive(Button))
    TextColor = clBtnText;
  else
    TextColor = Button->Transparent && Button->State == ebsHot ? clBtnShadow : clWindow;
}

void TcxCustomEditViewInfo::DrawUltraFlatButton(TcxCanvas* Canvas, TcxEditButtonViewInfo* Button,
                                                TColor& Background, RECT& ContentRect, RECT& FrameRect,
                                                bool IsOffice11)
{
  const bool active = IsActive(Button);
  if (Button->Transparent)
    Background = Button->BackgroundColor;
  else if (Button->State == ebsDisabled)
    Background = clBtnFace;
  else if (!active)
    Background = IsOffice11 ? PainterButtonFaceColor(cpsOffice11, cxbsNormal) : clBtnFace;
  else
    Background = GetPainterButtonColor(Button->State == ebsPressed, IsOffice11);
  const TColor highlight = GetHighlightBorderColor(IsOffice11);
  RECT r = Button->Bounds;
  const bool withoutBorder =
      IsInplace ? !(PaintFlags & cxEditPaintOptionExternalBorder) : EditBorderStyle == ebsNone;
  if (!active || withoutBorder) {
    if (active)
      DrawFrameAndShrink(Canvas, r, highlight);
    else if (!DrawTransparent)
      DrawFrameAndShrink(Canvas, r, Button->BackgroundColor);
    else
      r = InflateRectXY(r, -1, -1);
    FrameRect = r;
    r = InflateRectXY(r, -1, 0);
  } else {
    // Inside a border only the separators from the neighbours and the text are drawn.
    TcxBorders lines;
    if (Button->LeftAlignment) {
      if (!Button->AtLeftEnd) lines.Include(TcxBorder::bLeft);
      if (Button->Bounds.right != BorderRect.right) lines.Include(TcxBorder::bRight);
    } else {
      if (!Button->AtRightEnd) lines.Include(TcxBorder::bRight);
      if (Button->Bounds.left != BorderRect.left) lines.Include(TcxBorder::bLeft);
    }
    DrawButtonEdges(Canvas, r, lines, highlight);
    FrameRect = r;
  }
  ContentRect = r;
}

void TcxCustomEditViewInfo::DrawNativeStyleButton(TcxCanvas* Canvas, int Index, RECT& ContentRect, RECT& FrameRect)
{
  TcxEditButtonViewInfo* button = Buttons(Index);
  FrameRect = button->Bounds;
  if (HasCustomButtonDrawing(0)) {
    ContentRect = FrameRect;
  } else if (button->SingleDropDown) {
    ContentRect = RECT{};  // the theme's drop-down part carries its arrow
  } else {
    ContentRect = button->Bounds;
    if (HTHEME theme = GetThemeHandle(TdxThemedObjectType::totButton))
      dxUxTheme::GetThemeBackgroundContentRect(theme, Canvas->GetDCHandle(), cxButtonThemePushPart, button->ThemeState,
                                               &button->Bounds, &ContentRect);
  }
}

void TcxCustomEditViewInfo::DrawThemedButtonBackground(TcxCanvas* Canvas, TcxEditButtonViewInfo* Button,
                                                       const RECT& Rect)
{
  HTHEME theme = GetThemeHandle(Button->SingleDropDown ? TdxThemedObjectType::totComboBox
                                                       : TdxThemedObjectType::totButton);
  if (!theme) return;
  const int part = Button->ThemePart != 0 ? Button->ThemePart : cxButtonThemePushPart;
  dxUxTheme::DrawThemeBackground(theme, Canvas->GetDCHandle(), part, Button->ThemeState, &Button->Bounds, &Rect);
}

void TcxCustomEditViewInfo::DrawButtonBackground(TcxCanvas* Canvas, TcxEditButtonViewInfo* Button, TColor Color,
                                                 const RECT& Rect)
{
  if (Button->Style != btsOffice11 || !Button->Gradient || Button->Transparent || Button->State == ebsDisabled) {
    FillRectWithCachedBrush(Canvas, Rect, Color);
    return;
  }
  const int pair = Button->State == ebsHot ? 1 : Button->State == ebsPressed ? 2 : 0;
  RECT gradient{Button->Bounds.left, BorderRect.top, Button->Bounds.right, BorderRect.bottom};
  if (Button->State == ebsNormal) gradient = InflateRectXY(gradient, 0, -1);
  Canvas->PushClipRegion();
  Canvas->IntersectClipWithRect(Rect);
  FillRectGradient(Canvas->GetDCHandle(), gradient, dxOffice11Color(Office11GradientColors[pair][0]),
                   dxOffice11Color(Office11GradientColors[pair][1]), false);
  Canvas->PopClipRegion();
}

// --- Content ---

void TcxCustomEditViewInfo::PaintButtonGlyph(TcxCanvas* Canvas, int Index, int PressedShift, TColor Background,
                                             TColor TextColor, const RECT& Rect)
{
  (void)Background;  // the frame filled it already
  TcxEditButtonViewInfo* button = Buttons(Index);
  Canvas->PushClipRegion();
  Canvas->IntersectClipWithRect(Rect);
  const bool skinned = button->SkinPainted && Painter;
  if (skinned) {
    const int kind = button->Kind == bkEllipsis ? cxEditorButtonKindEllipsis
                     : button->Kind == bkDown   ? cxEditorButtonKindDropDown
                                                : cxEditorButtonKindGlyph;
    Painter->DrawEditorButtonOfKind(Canvas, Rect, button->LeftAlignment ? 0 : 1,
                                    EditButtonStateToButtonState(button->State), kind);
  }
  switch (button->Kind) {
    case bkEllipsis:
      if (!skinned) PaintEllipsis(Canvas, button, PressedShift, TextColor, Rect);
      break;
    case bkDown:
      if (!skinned) PaintArrow(Canvas, button, PressedShift, TextColor, Rect);
      break;
    case bkGlyph: PaintGlyph(Canvas, button, PressedShift, Rect); break;
    case bkText: PaintCaption(Canvas, button, PressedShift, Rect); break;
  }
  Canvas->PopClipRegion();
}

void TcxCustomEditViewInfo::PaintEllipsis(TcxCanvas* Canvas, const TcxEditButtonViewInfo* Button, int PressedShift,
                                          TColor Color, const RECT& Rect)
{
  const int size = RectWidth(Rect) > 11 ? 2 : 1;
  const int groupWidth = 3 * size + 2 * EllipsisDotGap;
  int x = Rect.left + (RectWidth(Rect) - groupWidth) / 2;
  int y = Rect.top + (RectHeight(Rect) - size) / 2;
  if (PressedShift && x + 1 + groupWidth <= Rect.right && y + 1 + size <= Rect.bottom) {
    ++x;
    ++y;
  }
  const auto dots = [&](int offset, TColor color) {
    for (int k = 0; k < 3; ++k) {
      const int left = x + offset + k * (size + EllipsisDotGap);
      FillRectWithCachedBrush(Canvas, RECT{left, y + offset, left + size, y + offset + size}, color);
    }
  };
  if (Button->State == ebsDisabled) {
    dots(1, clBtnHighlight);
    dots(0, clBtnShadow);
  } else {
    dots(0, Color);
  }
}

void TcxCustomEditViewInfo::PaintArrow(TcxCanvas* Canvas, const TcxEditButtonViewInfo* Button, int PressedShift,
                                       TColor Color, const RECT& Rect)
{
  TcxCustomLookAndFeelPainter* painter = StandardPainter();
  if (!painter) painter = Painter;
  if (!painter) return;
  RECT r = Rect;
  const bool pressed = Button->State == ebsPressed;
  WidenTo(r.left, r.right, RectWidth(Button->Bounds), pressed);
  if (IsInplace) WidenTo(r.top, r.bottom, RectHeight(Button->Bounds), pressed);
  if (PressedShift) r = OffsetRectXY(r, 1, 1);
  if (Button->State == ebsDisabled) {
    painter->DrawArrowGlyph(Canvas, OffsetRectXY(r, 1, 1), clBtnHighlight, adDown);
    painter->DrawArrowGlyph(Canvas, r, clBtnShadow, adDown);
  } else {
    painter->DrawArrowGlyph(Canvas, r, Color, adDown);
  }
}

void TcxCustomEditViewInfo::PaintGlyph(TcxCanvas* Canvas, const TcxEditButtonViewInfo* Button, int PressedShift,
                                       const RECT& Rect)
{
  if (!IsUsableBitmap(Button->Glyph)) return;
  const int width = Button->Glyph->Width(), height = Button->Glyph->Height();
  const int x = Rect.left + (RectWidth(Rect) - width) / 2 + PressedShift;
  const int y = Rect.top + (RectHeight(Rect) - height) / 2 + PressedShift;
  const RECT target{x, y, x + width, y + height};
  DrawImageInMode(Canvas->GetDCHandle(), target, target, Button->Glyph, nullptr, -1,
                  Button->State == ebsDisabled ? idmDisabled : idmNormal);
}

void TcxCustomEditViewInfo::PaintCaption(TcxCanvas* Canvas, const TcxEditButtonViewInfo* Button, int PressedShift,
                                         const RECT& Rect)
{
  RECT r = IsInplace ? InflateRectXY(Rect, -1, 0) : InflateRectXY(Rect, -1, -1);
  r.right -= 1;
  if (PressedShift) r = OffsetRectXY(r, 1, 1);
  Canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsClear);
  if (Font) Canvas->AssignFont(Font);
  const int flags = cxSingleLine | cxAlignVCenter | DrawTextAlignment(Button->ContentAlignment);
  TFont* font = Canvas->GetCurrentFont();
  if (Button->State == ebsDisabled) {
    font->SetColor(clBtnHighlight);
    Canvas->DrawTextInRect(Button->ShownCaption, OffsetRectXY(r, 1, 1), flags);
    font->SetColor(clBtnShadow);
  } else if (Button->Style == btsHotFlat && IsActive(Button) && Button->ThemeState == 0 && !Button->SkinPainted) {
    // On its own dark hot-flat face; a themed or skinned face is light, and the caption keeps its
    // colour there.
    font->SetColor(Button->BackgroundColor);
  } else {
    const TColor color = Button->TextColor != clDefault ? Button->TextColor : ContentTextColor;
    font->SetColor(color != clDefault ? color : clBtnText);
  }
  Canvas->DrawTextInRect(Button->ShownCaption, r, flags);
}
