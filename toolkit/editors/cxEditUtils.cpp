#include "toolkit/editors/cxEditUtils.h"

#include <algorithm>
#include "classlib/Bitmap.h"
#include "classlib/ImageList.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/controls/cxControlsHelpers.h"
#include "toolkit/editors/cxEditControl.h"
#include "toolkit/editors/cxEditViewInfo.h"

namespace {
// Text-out flag and DrawText flag, bit for bit.
struct TTextFlagPair {
  TcxEditTextOutFlag Flag;
  UINT DrawTextFlag;
};
constexpr TTextFlagPair TextFlagPairs[] = {
  {etoVCenter, DT_VCENTER},       {etoRight, DT_RIGHT},       {etoSingleLine, DT_SINGLELINE},
  {etoWordBreak, DT_WORDBREAK},   {etoCalcRect, DT_CALCRECT}, {etoExpandTabs, DT_EXPANDTABS},
};

// The brush style of a canvas, put back at the end of a scope.
class TBrushStyleKeeper {
public:
  explicit TBrushStyleKeeper(TBrush* Brush) : FBrush(Brush), FStyle(Brush->Style()) {}
  ~TBrushStyleKeeper() { FBrush->SetStyle(FStyle); }
  TBrushStyleKeeper(const TBrushStyleKeeper&) = delete;
  TBrushStyleKeeper& operator=(const TBrushStyleKeeper&) = delete;

private:
  TBrush* FBrush;
  TBrushStyle FStyle;
};

// A bitmap of the size filled with the colour's cached brush.
TOwned<TBitmap> FilledBitmap(int Width, int Height, TColor Color)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(Width, Height);
  const RECT r{0, 0, Width, Height};
  FillRect(bitmap->Canvas()->Handle(), &r, CachedSolidBrush(Color));
  return bitmap;
}

void FillOnePixelRect(HDC DC, int Left, int Top, int Right, int Bottom, HBRUSH Brush)
{
  const RECT r{Left, Top, Right, Bottom};
  FillRect(DC, &r, Brush);
}
}  // namespace

// --- Text flags ---

UINT ConvertTextOutFlagsToDrawText(TcxEditTextOutFlags Flags)
{
  UINT result = 0;
  for (const TTextFlagPair& pair : TextFlagPairs)
    if (Flags.Contains(pair.Flag)) result |= pair.DrawTextFlag;
  return result;
}

TcxEditTextOutFlags ConvertDrawTextFlagsToTextOut(UINT Flags)
{
  TcxEditTextOutFlags result;
  for (const TTextFlagPair& pair : TextFlagPairs)
    if (Flags & pair.DrawTextFlag) result.Include(pair.Flag);
  return result;
}

// --- Arrows, edges, lines ---

void DrawEditArrow(TcxCanvas* Canvas, int S, const RECT& ContentRect, TColor Color, bool OffsetContent,
                   bool DoubleArrow, TcxArrowDirection Direction)
{
  if (S <= 0) return;
  const int n = DoubleArrow ? 2 : 1;
  const bool vertical = Direction == adUp || Direction == adDown;
  const int width = vertical ? 2 * S - 1 : n * S;
  const int height = vertical ? n * S : 2 * S - 1;
  int x = ContentRect.left + (RectWidth(ContentRect) - width) / 2;
  int y = ContentRect.top + (RectHeight(ContentRect) - height) / 2;
  if (OffsetContent) {
    ++x;
    ++y;
  }
  HDC dc = Canvas->GetDCHandle();
  HBRUSH brush = CachedSolidBrush(Color);
  for (int arrow = 0; arrow < n; ++arrow) {
    for (int i = 0; i < S; ++i) {
      // Row (or column) i of the triangle, from its apex outwards or from its base inwards.
      const int half = Direction == adUp || Direction == adLeft ? i : S - 1 - i;
      switch (Direction) {
        case adUp:
        case adDown: FillOnePixelRect(dc, x + S - 1 - half, y + i, x + S + half, y + i + 1, brush); break;
        case adLeft:
        case adRight: FillOnePixelRect(dc, x + i, y + S - 1 - half, x + i + 1, y + S + half, brush); break;
      }
    }
    if (vertical)
      y += S;
    else
      x += S;
  }
}

SIZE CalculateArrowSize(SIZE AvailableSize, TcxArrowDirection Direction)
{
  const int m = std::min(AvailableSize.cx, AvailableSize.cy);
  int width = (m - 1) / 2;
  if (width % 2 == 0) ++width;
  const int height = width / 2 + 1;
  if (Direction == adLeft || Direction == adRight) return SIZE{height, width};
  return SIZE{width, height};
}

void DrawConnectedPoints(TcxCanvas* Canvas, std::span<const POINT> Points, int LastIndex, bool UseBrush, TColor Color)
{
  if (Points.empty() || LastIndex < 0) return;
  LastIndex = std::min<int>(LastIndex, static_cast<int>(Points.size()) - 1);
  const POINT last = Points[LastIndex];
  if (!UseBrush) {
    Canvas->GetCurrentPen()->SetColor(Color);
    Canvas->Polyline(Points.first(LastIndex + 1));
    Canvas->SetPixelColor(last.x, last.y, Color);
    return;
  }
  HDC dc = Canvas->GetDCHandle();
  HBRUSH brush = CachedSolidBrush(Color);
  for (int i = 0; i < LastIndex; ++i) {
    const POINT a = Points[i], b = Points[i + 1];
    if (a.y == b.y)
      FillOnePixelRect(dc, std::min(a.x, b.x + 1), a.y, std::max(a.x + 1, b.x), a.y + 1, brush);
    else if (a.x == b.x)
      FillOnePixelRect(dc, a.x, std::min(a.y, b.y + 1), a.x + 1, std::max(a.y + 1, b.y), brush);
  }
  FillOnePixelRect(dc, last.x, last.y, last.x + 1, last.y + 1, brush);
}

void DrawButtonEdges(TcxCanvas* Canvas, RECT& Rect, TcxBorders Sides, TColor Color)
{
  // Inclusive coordinates of the rect's last row and column.
  const RECT r{Rect.left, Rect.top, Rect.right - 1, Rect.bottom - 1};
  auto line = [&](POINT a, POINT b) {
    const POINT points[] = {a, b};
    DrawConnectedPoints(Canvas, points, 1, false, Color);
  };
  if (Sides.Contains(TcxBorder::bLeft)) {
    line({r.left, r.top}, {r.left, r.bottom});
    ++Rect.left;
  }
  if (Sides.Contains(TcxBorder::bRight)) {
    line({r.right, r.top}, {r.right, r.bottom});
    --Rect.right;
  }
  if (Sides.Contains(TcxBorder::bTop)) {
    line({r.left, r.top}, {r.right, r.top});
    ++Rect.top;
  }
  if (Sides.Contains(TcxBorder::bBottom)) {
    line({r.left, r.bottom}, {r.right, r.bottom});
    --Rect.bottom;
  }
}

// --- Glyphs and fills ---

bool IsUsableBitmap(TBitmap* Bitmap) { return Bitmap && !Bitmap->Empty() && Bitmap->Width() >= 1 && Bitmap->Height() >= 1; }

void DrawEditGlyph(TCanvas* Canvas, int X, int Y, TBitmap* Glyph, TColor BackgroundColor, bool Enabled,
                   TBitmap* WorkBitmap)
{
  if (!IsUsableBitmap(Glyph)) return;
  const int width = Glyph->Width(), height = Glyph->Height();
  const RECT glyphRect{0, 0, width, height};
  if (Enabled) {
    TCanvas* target = WorkBitmap ? WorkBitmap->Canvas() : Canvas;
    TBrush* brush = target->Brush();
    TBrushStyleKeeper keeper(brush);
    if (WorkBitmap || BackgroundColor == clNone)
      brush->SetStyle(TBrushStyle::bsClear);
    else
      brush->SetColor(BackgroundColor);
    if (WorkBitmap) {
      target->BrushCopy(glyphRect, Glyph, glyphRect, Glyph->TransparentColor());
      Canvas->Draw(X, Y, WorkBitmap);
    } else {
      target->BrushCopy(RECT{X, Y, X + width, Y + height}, Glyph, glyphRect, Glyph->TransparentColor());
    }
    return;
  }
  TOwned<TImageList> images(New<TImageList>(nullptr));
  images->SetWidth(width);
  images->SetHeight(height);
  images->AddMasked(Glyph, Glyph->TransparentColor());
  TOwned<TBitmap> background;
  if (!WorkBitmap && BackgroundColor != clNone) background = FilledBitmap(width, height, BackgroundColor);
  if (TBitmap* bitmap = WorkBitmap ? WorkBitmap : background.get()) {
    images->Draw(bitmap->Canvas(), 0, 0, 0, false);
    Canvas->Draw(X, Y, bitmap);
  } else {
    images->Draw(Canvas, X, Y, 0, false);
  }
}

void DrawEditGlyph(TcxCanvas* Canvas, int X, int Y, TBitmap* Glyph, TColor BackgroundColor, bool Enabled,
                   TBitmap* WorkBitmap)
{
  DrawEditGlyph(Canvas->Canvas(), X, Y, Glyph, BackgroundColor, Enabled, WorkBitmap);
}

void DrawButtonGlyphImage(TcxCanvas* Canvas, TCustomImageList* Images, int ImageIndex, const RECT& Rect,
                          TColor BackgroundColor, bool Enabled, TBitmap* WorkBitmap)
{
  if (!Images) return;
  TOwned<TBitmap> background;
  if (!WorkBitmap) background = FilledBitmap(Images->Width(), Images->Height(), BackgroundColor);
  TBitmap* bitmap = WorkBitmap ? WorkBitmap : background.get();
  Images->Draw(bitmap->Canvas(), 0, 0, ImageIndex, Enabled);
  Canvas->DrawGraphic(Rect.left, Rect.top, bitmap);
}

void FillRectWithCachedBrush(TcxCanvas* Canvas, const RECT& Rect, TColor Color)
{
  FillRectWithBrush(Canvas->GetDCHandle(), Rect, CachedSolidBrush(Color));
}

void FillRectWithBrush(HDC DC, const RECT& Rect, HBRUSH Brush) { FillRect(DC, &Rect, Brush); }

void DrawTwoColourFrameAndShrink(TcxCanvas* Canvas, RECT& Rect, TColor LeftTopColor, TColor RightBottomColor)
{
  Canvas->DrawTwoColorFrame(Rect, LeftTopColor, RightBottomColor);
  InflateRect(&Rect, -1, -1);
}

void DrawFrameAndShrink(TcxCanvas* Canvas, RECT& Rect, TColor Color)
{
  Canvas->DrawFrameRect(Rect, Color);
  InflateRect(&Rect, -1, -1);
}

// --- Buttons ---

RECT ThemeContentMargins(HTHEME Theme, HDC DC, int Part, int State)
{
  const RECT bounds{0, 0, 100, 100};
  RECT content = bounds;
  if (!Theme || FAILED(dxUxTheme::GetThemeBackgroundContentRect(Theme, DC, Part, State, &bounds, &content))) return {};
  return RECT{content.left - bounds.left, content.top - bounds.top, bounds.right - content.right,
              bounds.bottom - content.bottom};
}

int CalculateEditButtonWidth(TcxCanvas* Canvas, const TcxEditButtonWidthData& Button)
{
  const TdxThemedObjectType themeType = Button.SingleDropDown ? TdxThemedObjectType::totComboBox
                                                              : TdxThemedObjectType::totButton;
  const bool native = Button.NativeStyle && AreThemesAvailable({themeType});
  int margin = 4;
  if (native) {
    const RECT margins = ThemeContentMargins(GetThemeHandle(themeType), Canvas->GetDCHandle());
    margin = margins.left + margins.right;
  }
  if (Button.Width >= 1) return std::max(Button.Width, margin);
  const int scrollBarHeight = GetSystemMetrics(SM_CYHSCROLL);
  if (Button.Kind == bkGlyph && IsUsableBitmap(Button.Glyph)) return Button.Glyph->Width() + margin;
  if (Button.Kind == bkText) return std::max(scrollBarHeight, margin + Canvas->MeasureTextWidth(Button.Caption) + 3);
  return scrollBarHeight;
}

int EditButtonsVerticalContentOffset(TcxCanvas* Canvas, TcxEditButtonStyle ButtonsStyle, bool Native)
{
  if (Native) {
    const RECT margins = ThemeContentMargins(GetThemeHandle(TdxThemedObjectType::totButton), Canvas->GetDCHandle());
    return margins.top + margins.bottom;
  }
  switch (ButtonsStyle) {
    case btsDefault: return 0;
    case bts3D: return 4;
    default: return 2;
  }
}

// --- Colours and painters ---

TColor GetHighlightBorderColor(bool Office11) { return Office11 ? dxOffice11SelectionFrameColor() : clHighlight; }

TColor PainterButtonFaceColor(TcxPainterStyle Style, TcxButtonState State)
{
  TcxLookAndFeelPaintersManager* painters = cxLookAndFeelPaintersManager();
  TcxCustomLookAndFeelPainter* painter = painters ? painters->GetPainterByStyle(Style) : nullptr;
  return painter ? painter->ButtonFaceColor(State) : clBtnFace;
}

TColor GetPainterButtonColor(bool Pressed, bool Office11)
{
  return PainterButtonFaceColor(Office11 ? cpsOffice11 : cpsUltraFlat, Pressed ? cxbsPressed : cxbsHot);
}

TcxLookAndFeelKind LookAndFeelKindOfButtonStyle(TcxEditButtonStyle Style)
{
  switch (Style) {
    case btsFlat:
    case btsSimple:
    case btsHotFlat: return lfFlat;
    case btsUltraFlat: return lfUltraFlat;
    case btsOffice11: return lfOffice11;
    case btsDefault:
    case bts3D: break;
  }
  return lfStandard;
}

TcxLookAndFeelKind EditButtonsLookAndFeelKind(TcxCustomEdit* Edit)
{
  if (Edit->IsInplace()) {
    TcxLookAndFeel* lookAndFeel = Edit->GetActiveStyle()->LookAndFeel();
    return lookAndFeel ? lookAndFeel->Kind() : lfStandard;
  }
  auto* viewInfo = dynamic_cast<TcxCustomEditViewInfo*>(Edit->ViewInfo());
  if (!viewInfo || viewInfo->ButtonCount() == 0) return lfStandard;
  return LookAndFeelKindOfButtonStyle(viewInfo->Buttons(0)->Style);
}

TcxCustomLookAndFeelPainter* PainterForLookAndFeel(bool Native, TcxLookAndFeelKind Kind)
{
  TcxLookAndFeelPaintersManager* painters = cxLookAndFeelPaintersManager();
  if (!painters) return nullptr;
  if (Native && AreThemesAvailable())
    if (TcxCustomLookAndFeelPainter* native = painters->GetPainterByStyle(cpsNative)) return native;
  return painters->GetPainterByStyle(PainterStyleOfKind(Kind));
}

// --- Fonts, regions, characters and messages ---

void SetCanvasFontFromLogFont(TcxCanvas* Canvas, const LOGFONTA& LogFont)
{
  Canvas->GetCurrentFont()->SetHandle(CreateFontIndirectA(&LogFont));
}

bool GetCanvasLogFont(TcxCanvas* Canvas, LOGFONTA& LogFont)
{
  return ReadLogFont(Canvas->GetCurrentFont()->Handle(), LogFont);
}

TShiftState ShiftStateOfMouseButton(TcxMouseButton Button)
{
  switch (Button) {
    case cxmbLeft: return {ssLeft};
    case cxmbRight: return {ssRight};
    case cxmbMiddle: return {ssMiddle};
    default: return {};
  }
}

TShiftState ShiftStateOfMouseButton(TMouseButton Button)
{
  return ShiftStateOfMouseButton(static_cast<TcxMouseButton>(static_cast<int>(Button) + 1));
}

void RaisePointToMinimum(POINT& Point, POINT Minimum)
{
  Point.x = std::max(Point.x, Minimum.x);
  Point.y = std::max(Point.y, Minimum.y);
}

bool IsDigitChar(char Ch) { return Ch >= '0' && Ch <= '9'; }

bool IsBlankChar(char Ch)
{
  switch (Ch) {
    case 0: case 9: case 10: case 12: case 13: case 32: return true;
    default: return false;
  }
}

bool IsRegionEmpty(HRGN Region)
{
  RECT box;
  return GetRgnBox(Region, &box) == NULLREGION;
}

void UniteRegions(HRGN A, HRGN B) { CombineRgn(A, A, B, RGN_OR); }

LRESULT SendMouseMessage(TWinControl* Control, UINT Message, TShiftState Shift, POINT ClientPoint)
{
  if (!Control || !Control->HandleAllocated()) return 0;
  const LPARAM point = MAKELPARAM(static_cast<WORD>(ClientPoint.x), static_cast<WORD>(ClientPoint.y));
  return SendMessageA(Control->Handle(), Message, ShiftStateToKeyFlags(Shift), point);
}

LRESULT SendEditMessage(TWinControl* Control, UINT Message, WPARAM Param)
{
  if (!Control || !Control->HandleAllocated()) return 0;
  return SendMessageA(Control->Handle(), Message, Param, 0);
}

LRESULT SendKeyDownMessage(TWinControl* Control, WORD Key) { return SendEditMessage(Control, WM_KEYDOWN, Key); }

LRESULT SendCharMessage(TWinControl* Control, char Ch)
{
  return SendEditMessage(Control, WM_CHAR, static_cast<unsigned char>(Ch));
}
