#include "toolkit/base/cxLookAndFeelPaintersRadio.h"

#include <algorithm>
#include "classlib/Bitmap.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/ImageList.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/dxOffice11.h"

namespace {
using enum TcxRadioPatternCode;

TUnitObject<TcxRadioButtonImageList> GRadioList{UnitcxLookAndFeelPainters};

// A 32-bit bitmap of the size filled with the colour.
TOwned<TBitmap> NewFilledBitmap(int width, int height, TColor color)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf32bit);
  bitmap->SetSize(width, height);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(color);
  canvas->FillRect(RECT{0, 0, width, height});
  return bitmap;
}

// The colour of a pixel of a 32-bit bitmap as a COLORREF.
COLORREF PixelAt(TBitmap* bitmap, int x, int y)
{
  GdiFlush();
  const uint32_t v = static_cast<const uint32_t*>(bitmap->ScanLine(y))[x];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

// A colour as a 32-bit pixel: red and blue exchanged.
uint32_t PixelValue(TColor color)
{
  const COLORREF c = ColorToRGB(color);
  return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

// A rounded rect over the rectangle with a corner ellipse one pixel smaller than it, outlined in
// black and, when asked, filled black.
void DrawRound(TCanvas* canvas, const RECT& r, bool filled)
{
  canvas->Pen()->SetColor(clBlack);
  if (filled)
    canvas->Brush()->SetColor(clBlack);
  else
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  canvas->RoundRect(r.left, r.top, r.right, r.bottom, r.right - r.left - 1, r.bottom - r.top - 1);
}
}  // namespace

int RadioGlyphMapIndex(TcxLookAndFeelKind kind, TcxButtonState state, bool checked, bool designing, bool focused)
{
  const int s = state == cxbsDefault ? static_cast<int>(cxbsNormal) : static_cast<int>(state);
  return (s - 1) + 4 * checked + 8 * static_cast<int>(kind) + 32 * designing + 64 * focused;
}

TcxRadioColorMap PrepareRadioColorMap(TcxLookAndFeelKind kind, TcxButtonState state, bool checked, bool designing,
                                      bool focused)
{
  const bool disabled = state == cxbsDisabled;
  const bool active = state == cxbsHot || state == cxbsPressed;
  TColor body = clWindow;
  if (TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager())
    if (TcxCustomLookAndFeelPainter* painter = manager->GetPainterByStyle(PainterStyleOfKind(kind)))
      body = painter->RadioButtonFaceColor(state);

  TcxRadioColorMap map{};
  TColor* c = map.Colors;
  c[0] = clBlack;
  c[5] = body;
  switch (kind) {
  case lfFlat:
    c[1] = clBtnShadow;
    c[2] = clBtnHighlight;
    c[3] = c[4] = cl3DLight;
    break;
  case lfStandard:
    c[1] = clBtnShadow;
    c[2] = clBtnHighlight;
    c[3] = cl3DDkShadow;
    c[4] = cl3DLight;
    break;
  case lfUltraFlat:
    c[1] = c[2] = focused || active || (designing && !disabled) ? clHighlight : clBtnShadow;
    c[3] = c[4] = body;
    break;
  case lfOffice11:
    c[1] = c[2] = disabled                        ? dxOffice11DisabledGlyphColor()
                  : focused || active || designing ? dxOffice11SelectionFrameColor()
                                                   : clBtnText;
    c[3] = c[4] = body;
    break;
  }
  if (!checked)
    c[6] = body;
  else if (disabled)
    c[6] = kind == lfOffice11 ? dxOffice11DisabledGlyphColor() : clBtnShadow;
  else
    c[6] = clWindowText;
  return map;
}

// --- TcxRadioButtonImageList ---

CL_DEFINE_CLASS(TcxRadioButtonImageList);

TcxRadioButtonImageList::TcxRadioButtonImageList()
{
  MeasureSystemRadioButton();
  FList = MakeOwned<TImageList>(nullptr);
  FList->SetWidth(FSize.cx);
  FList->SetHeight(FSize.cy);
  FList->SetMasked(true);
  FList->SetImageType(TImageType::itImage);
  MakeButtonMask();
  MakePattern();
  BuildGlyphs();
}

TcxRadioButtonImageList::~TcxRadioButtonImageList() = default;

void TcxRadioButtonImageList::MeasureSystemRadioButton()
{
  const SIZE cell = MeasureCheckBoxGlyph();
  const RECT cellRect{0, 0, cell.cx, cell.cy};
  TOwned<TBitmap> bitmap = NewFilledBitmap(cell.cx, cell.cy, clBlack);
  DrawFrameControl(bitmap->Canvas()->Handle(), const_cast<RECT*>(&cellRect), DFC_BUTTON,
                   DFCS_BUTTONRADIOMASK | DFCS_FLAT);

  // The columns and rows that hold a black pixel of the mask.
  int left = -1, right = -1, top = -1, bottom = -1;
  for (int y = 0; y < cell.cy; ++y)
    for (int x = 0; x < cell.cx; ++x)
      if (PixelAt(bitmap.get(), x, y) == RGB(0, 0, 0)) {
        left = left < 0 ? x : std::min(left, x);
        right = std::max(right, x);
        top = top < 0 ? y : std::min(top, y);
        bottom = std::max(bottom, y);
      }
  FSize = left < 0 ? SIZE{} : SIZE{right - left + 1, bottom - top + 1};
  FRadioRect = RECT{left < 0 ? 0 : left, top < 0 ? 0 : top, 0, 0};
  FRadioRect.right = FRadioRect.left + FSize.cx;
  FRadioRect.bottom = FRadioRect.top + FSize.cy;

  // The check dot: the window-text pixels joined to the middle of the button. (Walking one column
  // and one row from fixed offsets off the middle misses the dot of small radio buttons.)
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clBlack);
  canvas->FillRect(cellRect);
  DrawFrameControl(canvas->Handle(), const_cast<RECT*>(&cellRect), DFC_BUTTON,
                   DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED | DFCS_FLAT);
  const COLORREF dotColor = ColorToRGB(clWindowText);
  std::vector<bool> seen(static_cast<size_t>(cell.cx) * cell.cy, false);
  std::vector<POINT> pending;
  for (int dy : {-1, 0})
    for (int dx : {-1, 0})
      pending.push_back({FRadioRect.left + FSize.cx / 2 + dx, FRadioRect.top + FSize.cy / 2 + dy});
  RECT dot{cell.cx, cell.cy, 0, 0};
  while (!pending.empty()) {
    const POINT p = pending.back();
    pending.pop_back();
    if (!PtInRect(&FRadioRect, p) || seen[p.y * cell.cx + p.x]) continue;
    seen[p.y * cell.cx + p.x] = true;
    if (PixelAt(bitmap.get(), p.x, p.y) != dotColor) continue;
    dot = RECT{std::min<LONG>(dot.left, p.x), std::min<LONG>(dot.top, p.y), std::max<LONG>(dot.right, p.x + 1),
               std::max<LONG>(dot.bottom, p.y + 1)};
    for (POINT next : {POINT{p.x - 1, p.y}, POINT{p.x + 1, p.y}, POINT{p.x, p.y - 1}, POINT{p.x, p.y + 1}})
      pending.push_back(next);
  }
  if (dot.left >= dot.right) {
    // No dot drawn in the window-text colour: a centred one of a third of the button.
    const int d = std::max<int>(2, (FSize.cx + 1) / 3);
    dot.left = FRadioRect.left + (FSize.cx - d) / 2;
    dot.top = FRadioRect.top + (FSize.cy - d) / 2;
    dot.right = dot.left + d;
    dot.bottom = dot.top + d;
  }
  FCheckRect = dot;
}

void TcxRadioButtonImageList::MakeButtonMask()
{
  FButtonMask = NewFilledBitmap(FSize.cx, FSize.cy, clWhite);
  DrawRound(FButtonMask->Canvas(), RECT{0, 0, FSize.cx, FSize.cy}, true);
  FButtonMask->SetMonochrome(true);
}

void TcxRadioButtonImageList::MakePattern()
{
  const int w = FSize.cx, h = FSize.cy;
  // Which half of the button a pixel lies in, split along the diagonal from the top-right corner to
  // the bottom-left one.
  auto lower = [w, h](int x, int y) { return (h - 1) * (w - 1 - x) < y * (w - 1); };
  auto onLine = [w, h](int x, int y) { return (h - 1) * (w - 1 - x) == y * (w - 1); };
  FPattern.assign(h, std::vector<TcxRadioPatternCode>(w, rpcOutside));
  auto isRing = [this](int x, int y) {
    return FPattern[y][x] == rpcOuterUpperLeft || FPattern[y][x] == rpcOuterLowerRight;
  };

  // The outer ring.
  TOwned<TBitmap> bitmap = NewFilledBitmap(w, h, clWhite);
  DrawRound(bitmap->Canvas(), RECT{0, 0, w, h}, false);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (PixelAt(bitmap.get(), x, y) == RGB(0, 0, 0)) FPattern[y][x] = lower(x, y) ? rpcOuterLowerRight : rpcOuterUpperLeft;

  // The body: from the middle of each row outward to the ring.
  for (int y = 1; y < h - 1; ++y) {
    for (int x = w / 2 - 1; x >= 0 && FPattern[y][x] == rpcOutside; --x) FPattern[y][x] = rpcBody;
    for (int x = w / 2; x < w && FPattern[y][x] == rpcOutside; ++x) FPattern[y][x] = rpcBody;
  }

  // The inner ring: the last cell before the outer ring, walking from the middle of each row and of
  // each column; in the first and last of them every cell walked over.
  std::vector<std::vector<bool>> inner(h, std::vector<bool>(w, false));
  auto walk = [&](int x, int y, int dx, int dy, bool all) {
    int lastX = -1, lastY = -1;
    for (; x >= 0 && y >= 0 && x < w && y < h && !isRing(x, y); x += dx, y += dy) {
      if (all) inner[y][x] = true;
      lastX = x;
      lastY = y;
    }
    if (lastX >= 0) inner[lastY][lastX] = true;
  };
  for (int y = 1; y < h - 1; ++y) {
    const bool edge = y == 1 || y == h - 2;
    walk(w / 2 - 1, y, -1, 0, edge);
    walk(w / 2, y, 1, 0, edge);
  }
  for (int x = 1; x < w - 1; ++x) {
    const bool edge = x == 1 || x == w - 2;
    walk(x, h / 2, 0, -1, edge);
    walk(x, h / 2, 0, 1, edge);
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (inner[y][x])
        FPattern[y][x] = lower(x, y) || (onLine(x, y) && x > w / 2 - 1) ? rpcInnerLowerRight : rpcInnerUpperLeft;

  // The check dot.
  bitmap = NewFilledBitmap(w, h, clWhite);
  RECT dot = FCheckRect;
  OffsetRect(&dot, -FRadioRect.left, -FRadioRect.top);
  if (!IsRectEmpty(&dot)) DrawRound(bitmap->Canvas(), dot, true);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (PixelAt(bitmap.get(), x, y) == RGB(0, 0, 0)) FPattern[y][x] = rpcCheckDot;
}

void TcxRadioButtonImageList::BuildGlyphs()
{
  if (FList->Count() > 0 || FSize.cx <= 0 || FSize.cy <= 0) return;
  FIndexMap.assign(cxRadioGlyphCount, -1);
  TOwned<TBitmap> glyph = NewFilledBitmap(FSize.cx, FSize.cy, clBlack);
  std::vector<uint32_t> pixels(static_cast<size_t>(FSize.cx) * FSize.cy);
  for (bool focused : {false, true})
    for (bool designing : {false, true})
      for (TcxLookAndFeelKind kind : {lfFlat, lfStandard, lfUltraFlat, lfOffice11})
        for (bool checked : {false, true})
          for (TcxButtonState state : {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled}) {
            const TcxRadioColorMap map = PrepareRadioColorMap(kind, state, checked, designing, focused);
            uint32_t values[cxRadioPatternCodeCount];
            for (int i = 0; i < cxRadioPatternCodeCount; ++i) values[i] = PixelValue(map.Colors[i]);
            for (int y = 0; y < FSize.cy; ++y)
              for (int x = 0; x < FSize.cx; ++x)
                pixels[y * FSize.cx + x] = values[static_cast<int>(FPattern[y][x])];
            GdiFlush();
            for (int y = 0; y < FSize.cy; ++y)
              std::copy_n(&pixels[y * FSize.cx], FSize.cx, static_cast<uint32_t*>(glyph->ScanLine(y)));
            FIndexMap[RadioGlyphMapIndex(kind, state, checked, designing, focused)] =
                FList->Add(glyph.get(), FButtonMask.get());
          }
}

void TcxRadioButtonImageList::Reset()
{
  FList->Clear();
  FIndexMap.clear();
  BuildGlyphs();
}

int TcxRadioButtonImageList::ImageIndex(TcxLookAndFeelKind Kind, TcxButtonState State, bool Checked, bool Designing,
                                        bool Focused) const
{
  const size_t i = RadioGlyphMapIndex(Kind, State, Checked, Designing, Focused);
  return i < FIndexMap.size() ? FIndexMap[i] : -1;
}

TcxRadioPatternCode TcxRadioButtonImageList::PatternCode(int X, int Y) const
{
  if (Y < 0 || Y >= static_cast<int>(FPattern.size()) || X < 0 || X >= FSize.cx) return rpcOutside;
  return FPattern[Y][X];
}

void TcxRadioButtonImageList::Draw(TcxCanvas* Canvas, int X, bool Designing, bool Focused, bool Checked,
                                   TcxButtonState State, TcxLookAndFeelKind Kind, TColor BkColor, int Y)
{
  const int index = ImageIndex(Kind, State, Checked, Designing, Focused);
  if (index < 0) return;
  if (BkColor == clDefault || BkColor == clNone) {
    FList->Draw(Canvas->Canvas(), X, Y, index);
    return;
  }
  TOwned<TBitmap> bitmap = NewFilledBitmap(FSize.cx, FSize.cy, BkColor);
  FList->Draw(bitmap->Canvas(), 0, 0, index);
  Canvas->DrawGraphic(X, Y, bitmap.get());
}

TcxRadioButtonImageList* GetRadioButtonImageList() { return GRadioList.Get(); }
TcxRadioButtonImageList* PeekRadioButtonImageList() { return GRadioList.Peek(); }
void FreeRadioButtonImageList() { GRadioList.Free(); }

// --- TSystemPaletteChangedNotifier ---

CL_DEFINE_CLASS(TSystemPaletteChangedNotifier);

void TSystemPaletteChangedNotifier::NotifyPaletteChanged()
{
  if (TcxRadioButtonImageList* list = PeekRadioButtonImageList()) list->Reset();
}
