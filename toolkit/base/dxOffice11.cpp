#include "toolkit/base/dxOffice11.h"

#include <algorithm>
#include <array>
#include <string>
#include "classlib/Bitmap.h"
#include "classlib/Exceptions.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Msimg32.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"

// --- The colour table ---

namespace {
// A colour written as the scheme tables write it, red first, as a TColor (red in the low byte).
constexpr TColor Hex(uint32_t rrggbb)
{
  return static_cast<TColor>(((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16));
}

// An operand of a rule is a colour (RGB or system) or another colour of the set, tagged with a high
// byte that neither RGB, system colours nor the sentinels use.
constexpr TColor RowTag = 0x40000000;
constexpr TColor Row(int number) { return RowTag | number; }
constexpr bool IsRow(TColor operand) { return (operand & 0xFF000000) == RowTag; }

enum class TRuleKind : uint8_t { Value, Blend, Mix, NearMix, Near, Caption };

// How one colour of one column is made: Value copies A; Blend is blend(A, B, P); Mix and NearMix
// are mix(P, Q, R) and near(mix(P, Q, R)); Near is near(A); Caption is caption(P).
struct TRule {
  TRuleKind Kind = TRuleKind::Value;
  TColor A = 0;
  TColor B = 0;
  int P = 0, Q = 0, R = 0;
};

constexpr TRule V(TColor a) { return {TRuleKind::Value, a}; }
constexpr TRule H(uint32_t rrggbb) { return V(Hex(rrggbb)); }
constexpr TRule Same(int number) { return V(Row(number)); }
constexpr TRule Blend(TColor a, TColor b, int percent) { return {TRuleKind::Blend, a, b, percent}; }
constexpr TRule Mix(int face, int highlight, int window) { return {TRuleKind::Mix, 0, 0, face, highlight, window}; }
constexpr TRule NearMix(int face, int highlight, int window)
{
  return {TRuleKind::NearMix, 0, 0, face, highlight, window};
}
constexpr TRule Near(TColor a) { return {TRuleKind::Near, a}; }
constexpr TRule Caption(int kind) { return {TRuleKind::Caption, 0, 0, kind}; }

// Columns: blue, olive green, silver, without a scheme.
struct TColorRow {
  TRule Blue, Olive, Silver, None;
};
constexpr TColorRow Schemes(uint32_t blue, uint32_t olive, uint32_t silver, TRule none)
{
  return {H(blue), H(olive), H(silver), none};
}
constexpr TColorRow Fixed(uint32_t schemes, TRule none) { return {H(schemes), H(schemes), H(schemes), none}; }
constexpr TColorRow Every(TRule rule) { return {rule, rule, rule, rule}; }

constexpr TColor White = Hex(0xFFFFFF);
constexpr TColor Black = 0;

// Row n - 1 is colour n.
constexpr TColorRow ColorTable[dxOffice11ColorCount] = {
  /* 1 */ Schemes(0x9EBEF5, 0xD9D9A7, 0xD7D7E5, V(clBtnFace)),
  /* 2 */ Schemes(0xC3DAF9, 0xF2F0E4, 0xF3F3F7, Blend(clBtnFace, clWindow, 20)),
  /* 3 */ Schemes(0xDDECFE, 0xF4F7DE, 0xF3F4FA, Blend(clBtnFace, clWindow, 22)),
  /* 4 */ Schemes(0x81A9E2, 0xB7C691, 0x9997B5, Blend(clBtnFace, clWindow, 96)),
  /* 5 */ Schemes(0x75A6F1, 0xB0C28C, 0xB3B2C8, Blend(clBtnShadow, clWindow, 74)),
  /* 6 */ Fixed(0xFFF8D3, NearMix(-15, 29, 86)),
  /* 7 */ Fixed(0xFE9552, NearMix(42, 11, 47)),
  /* 8 */ Schemes(0x003591, 0x60776B, 0x767492, V(clBtnShadow)),
  /* 9 */ Fixed(0xFFC176, NearMix(-15, 29, 86)),
  /* 10 */ Fixed(0xFFDD98, NearMix(42, 11, 47)),
  /* 11 */ Schemes(0x3B619C, 0x608058, 0x7C7C94, Blend(clBtnFace, clWindow, 85)),
  /* 12 */ Schemes(0x7BA4E0, 0xB5C48F, 0x9391B0, V(clBtnFace)),
  /* 13 */ {Blend(Row(5), Row(3), 90), Blend(Row(5), Row(3), 90), Blend(Row(5), Row(3), 90),
            Blend(Row(8), clWindow, 50)},
  /* 14 */ {Blend(Row(6), Row(3), 90), Blend(Row(6), Row(3), 90), Blend(Row(6), Row(3), 90),
            Blend(Row(9), clWindow, 50)},
  /* 15 */ {Blend(Row(7), Row(3), 90), Blend(Row(7), Row(3), 90), Blend(Row(7), Row(3), 90),
            Blend(Row(10), clWindow, 50)},
  /* 16 */ Every(Blend(Row(8), Row(12), 50)),
  /* 17 */ Every(Blend(Row(9), Row(12), 50)),
  /* 18 */ Every(Blend(Row(10), Row(12), 50)),
  /* 19 */ Schemes(0x274176, 0x515E33, 0x545475, Blend(clBtnShadow, clWindow, 76)),
  /* 20 */ Fixed(0xFFFFFF, V(clWindow)),
  /* 21 */ Schemes(0x6A8CCB, 0x608058, 0x6E6D8F, Blend(clBtnShadow, clWindow, 70)),
  /* 22 */ Schemes(0xF1F9FF, 0xF4F7DE, 0xFFFFFF, V(White)),
  /* 23 */ Fixed(0x000000, V(clBtnText)),
  /* 24 */ Fixed(0xFFFFFF, V(clWindow)),
  /* 25 */ Schemes(0x2A66C9, 0x74865E, 0x7A7999, V(clBtnShadow)),
  /* 26 */ Schemes(0xC4DBF9, 0xE1DEAD, 0xDBDAE4, Same(4)),
  /* 27 */ Every(Same(3)),
  /* 28 */ Every(Same(25)),
  /* 29 */ Fixed(0xFFFFFF, V(clBtnHighlight)),
  /* 30 */ Fixed(0x000000, V(clBtnText)),
  /* 31 */ Fixed(0x000000, V(clBtnText)),
  /* 32 */ Schemes(0xF6F6F6, 0xF4F4EE, 0xFDFAFF, V(clWindow)),
  /* 33 */ Every(Same(3)),
  /* 34 */ Every(Same(4)),
  /* 35 */ Every(Same(3)),
  /* 36 */ Every(Same(4)),
  /* 37 */ Every(Blend(Row(35), Black, 92)),
  /* 38 */ Every(Blend(Row(36), Black, 92)),
  /* 39 */ Schemes(0x002D96, 0x758D5E, 0x7C7C94, V(clBtnShadow)),
  /* 40 */ Every(Same(32)),
  /* 41 */ Fixed(0xFFEEC2, NearMix(-2, 30, 72)),
  /* 42 */ Schemes(0x000080, 0x3F5D38, 0x4B4B6F, V(clHighlight)),
  /* 43 */ Fixed(0xFFF4CC, Same(41)),
  /* 44 */ Fixed(0xFFD091, Same(41)),
  /* 45 */ Fixed(0xFFD38E, Same(49)),
  /* 46 */ Fixed(0xFE914E, Same(49)),
  /* 47 */ Schemes(0xCBE1FC, 0xD8E3B6, 0xD6D3E7, Same(4)),
  /* 48 */ Fixed(0xFFC06F, Mix(41, 11, 48)),
  /* 49 */ Fixed(0xFE803E, NearMix(14, 44, 40)),
  /* 50 */ Schemes(0xA9C7F0, 0xC5D49F, 0xC0C0D3, Same(47)),
  /* 51 */ Every(Same(41)),
  /* 52 */ Fixed(0x000000, V(clBtnText)),
  /* 53 */ Fixed(0x8D8D8D, V(clGrayText)),
  /* 54 */ Every(Same(39)),
  /* 55 */ Every(Same(1)),
  /* 56 */ Every(Same(16)),
  /* 57 */ Every(Same(29)),
  /* 58 */ Every(Same(39)),
  /* 59 */ Schemes(0xBEDAFB, 0xAFBA91, 0xE5E5EB, V(clBtnFace)),
  /* 60 */ Fixed(0xFBE694, Same(48)),
  /* 61 */ Schemes(0x002D96, 0x608058, 0x7C7C94, Same(39)),
  /* 62 */ Schemes(0xC4DAFA, 0xF2F1E4, 0xF3F3F7, Same(1)),
  /* 63 */ Fixed(0xFDEEC9, V(clBtnFace)),
  /* 64 */ Schemes(0x3768B9, 0x738954, 0x706F91, V(clBtnShadow)),
  /* 65 */ {Same(12), Same(12), Same(12), V(clBtnShadow)},
  /* 66 */ Schemes(0x002D96, 0x758D5E, 0x7C7C94, Near(clBtnShadow)),
  /* 67 */ Schemes(0xD3E5FB, 0xF2F5DB, 0xF0F1F8, Caption(1)),
  /* 68 */ Schemes(0x88AEE4, 0xBCC997, 0xA09EBA, Caption(0)),
  /* 69 */ Fixed(0xFFFFDC, Same(43)),
  /* 70 */ Fixed(0xF7C05B, Same(44)),
  /* 71 */ Fixed(0xFBE694, Same(48)),
  /* 72 */ Fixed(0xEE9515, Same(71)),
  /* 73 */ Fixed(0xE87F08, Same(49)),
  /* 74 */ Fixed(0xF7DA7C, Same(73)),
  /* 75 */ Schemes(0x5987D6, 0xAFC082, 0xA8A7BF, Same(66)),
  /* 76 */ Schemes(0x033893, 0x637A44, 0x706F91, Same(66)),
  /* 77 */ Fixed(0xFFFFFF, V(clHighlightText)),
  /* 78 */ {Same(75), Same(75), Same(75), Near(clBtnFace)},
  /* 79 */ {Same(76), Same(76), Same(76), Same(66)},
  /* 80 */ Every(H(0x9EAEBF)),
  /* 81 */ Every(H(0x2E465F)),
};

// Brush n - 1: the colour it is made from, or (negative) the brush whose handle it shares.
constexpr int BrushSources[dxOffice11BrushCount] = {19, 20, 21, 22, 32, 42, 41, 47, 48, 49, 39, -5, 50, -7, -11, 56};

// --- Process-wide state ---

struct TColorSet {
  bool Computed = false;
  TdxOffice2003Scheme Scheme = TdxOffice2003Scheme::osNone;
  bool Active = false;
  int TwoPhasePercent = 75;
  std::array<TColor, dxOffice11ColorCount + 1> Colors{};  // 1-based
};
TColorSet GSet;

struct TResources {
  std::array<TBrushHandle, dxOffice11BrushCount + 1> Brushes;  // 1-based; shared ones stay empty
  TOwned<TBitmap> SubMenuExpand;
  TOwned<TBitmap> ExpandButtonMinus;
  TOwned<TBitmap> ExpandButtonPlus;
};
std::unique_ptr<TResources> GResources;
int GUsers = 0;


int Channel(COLORREF color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }
int ClampChannel(int value) { return std::clamp(value, 0, 255); }
COLORREF MakeRGB(int r, int g, int b)
{
  return RGB(ClampChannel(r), ClampChannel(g), ClampChannel(b));
}

// --- Computing the set ---

std::wstring UpperCase(std::wstring text)
{
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

TdxOffice2003Scheme DetectOffice2003ColorScheme()
{
  TdxThemeNames names;
  if (!AreThemesAvailable() || !dxGetCurrentThemeNames(names)) return TdxOffice2003Scheme::osNone;
  std::wstring file = UpperCase(names.FileName);
  size_t slash = file.find_last_of(L"\\/");
  if (slash != std::wstring::npos) file.erase(0, slash + 1);
  if (file != L"LUNA.MSSTYLES" && !WinVistaOrLater) return TdxOffice2003Scheme::osNone;
  std::wstring color = UpperCase(names.ColorName);
  if (color == L"NORMALCOLOR") return TdxOffice2003Scheme::osBlue;
  if (color == L"HOMESTEAD") return TdxOffice2003Scheme::osOliveGreen;
  if (color == L"METALLIC") return TdxOffice2003Scheme::osSilver;
  return TdxOffice2003Scheme::osNone;
}

// mix(f, h, w): f % of the button face + h % of the highlight + w % of the window colour per channel;
// the highlight itself when the button face is black or white.
COLORREF MixSystemColors(int face, int highlight, int window)
{
  if (IsBtnFaceBlack() || IsBtnFaceWhite()) return ColorToRGB(clHighlight);
  COLORREF f = ColorToRGB(clBtnFace), h = ColorToRGB(clHighlight), w = ColorToRGB(clWindow);
  auto mix = [&](int shift) {
    return MulDiv(Channel(f, shift), face, 100) + MulDiv(Channel(h, shift), highlight, 100) +
           MulDiv(Channel(w, shift), window, 100);
  };
  return MakeRGB(mix(0), mix(8), mix(16));
}

// caption(1) and caption(0): the button face lightened toward the middle grey or kept near itself.
COLORREF CaptionColor(int kind)
{
  COLORREF face = ColorToRGB(clBtnFace);
  auto channel = [&](int shift) {
    int v = Channel(face, shift);
    return kind == 1 ? 128 + v * 127 / 255 : v - v * 4 / 255 + 4;
  };
  return ColorToRGB(GetNearestDeviceColor(static_cast<TColor>(MakeRGB(channel(0), channel(8), channel(16)))));
}

// Evaluates the rules of one column; colours refer to others in any order, each computed once.
class TColorComputer {
public:
  explicit TColorComputer(int column) : FColumn(column) {}

  COLORREF Color(int number)
  {
    if (FDone[number]) return FColors[number];
    if (FBusy[number]) throw EInvalidOperation("The Office 2003 colour rules refer to each other in a circle");
    FBusy[number] = true;
    FColors[number] = Evaluate(RuleOf(number));
    FBusy[number] = false;
    FDone[number] = true;
    return FColors[number];
  }

private:
  const TRule& RuleOf(int number) const
  {
    const TColorRow& row = ColorTable[number - 1];
    switch (FColumn) {
      case 0: return row.Blue;
      case 1: return row.Olive;
      case 2: return row.Silver;
      default: return row.None;
    }
  }

  COLORREF Operand(TColor operand) { return IsRow(operand) ? Color(operand & 0xFF) : ColorToRGB(operand); }

  COLORREF Evaluate(const TRule& rule)
  {
    switch (rule.Kind) {
      case TRuleKind::Value: return Operand(rule.A);
      case TRuleKind::Blend:
        return ColorToRGB(BlendColors(static_cast<TColor>(Operand(rule.A)), static_cast<TColor>(Operand(rule.B)),
                                      rule.P));
      case TRuleKind::Mix: return MixSystemColors(rule.P, rule.Q, rule.R);
      case TRuleKind::NearMix:
        return ColorToRGB(GetNearestDeviceColor(static_cast<TColor>(MixSystemColors(rule.P, rule.Q, rule.R))));
      case TRuleKind::Near: return ColorToRGB(GetNearestDeviceColor(static_cast<TColor>(Operand(rule.A))));
      case TRuleKind::Caption: return CaptionColor(rule.P);
    }
    return 0;
  }

  int FColumn;
  std::array<COLORREF, dxOffice11ColorCount + 1> FColors{};
  std::array<bool, dxOffice11ColorCount + 1> FDone{};
  std::array<bool, dxOffice11ColorCount + 1> FBusy{};
};

void ComputeColors()
{
  GSet.Scheme = DetectOffice2003ColorScheme();
  GSet.Active = AreThemesAvailable() && GSet.Scheme != TdxOffice2003Scheme::osNone;
  int column = GSet.Active ? static_cast<int>(GSet.Scheme) - 1 : 3;
  TColorComputer computer(column);
  for (int n = 1; n <= dxOffice11ColorCount; ++n) GSet.Colors[n] = static_cast<TColor>(computer.Color(n));
  static constexpr int Percents[] = {75, 41, 125, 40};
  GSet.TwoPhasePercent = Percents[GSet.Active ? static_cast<int>(GSet.Scheme) : 0];
  GSet.Computed = true;
}

void EnsureComputed()
{
  if (!GSet.Computed) ComputeColors();
}

void CheckNumber(int number, int count, const char* what)
{
  if (number < 1 || number > count)
    throw EInvalidOperation("Office 2003 " + std::string(what) + " number " + std::to_string(number) +
                            " is out of range 1.." + std::to_string(count));
}

TOwned<TBitmap> LoadResourceBitmap(const char* name)
{
  TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
  bitmap->LoadFromResourceName(GetModuleHandleA(nullptr), name);
  return bitmap;
}

// Brushes and bitmaps of the current colours; made whole before they replace the old ones.
void CreateResources()
{
  auto resources = std::make_unique<TResources>();
  for (int n = 1; n <= dxOffice11BrushCount; ++n) {
    int source = BrushSources[n - 1];
    if (source > 0) resources->Brushes[n].Reset(CreateSolidBrush(ColorToRGB(GSet.Colors[source])));
  }
  resources->SubMenuExpand = LoadResourceBitmap("DXSUBMENUEXPAND");
  resources->ExpandButtonMinus = LoadResourceBitmap("DXEXPANDBUTTON_MINUS");
  resources->ExpandButtonPlus = LoadResourceBitmap("DXEXPANDBUTTON_PLUS");
  TintBitmapWithScheme(resources->SubMenuExpand.get());
  GResources = std::move(resources);
}

// --- Drawing helpers ---

// Fills through the device context's own brush, so that the many bands of a gradient make no GDI
// objects; the context's brush colour is put back.
void FillWithDCBrush(HDC dc, const RECT& rect, COLORREF color)
{
  COLORREF old = SetDCBrushColor(dc, color);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SetDCBrushColor(dc, old);
}

// A temporary solid brush, or the given one.
class TBrushChoice {
public:
  TBrushChoice(HBRUSH given, TColor fallback)
  {
    if (given)
      FBrush = given;
    else {
      FOwn.Reset(CreateSolidBrush(ColorToRGB(fallback)));
      FBrush = FOwn.Get();
    }
  }
  HBRUSH Get() const { return FBrush; }

private:
  TBrushHandle FOwn;
  HBRUSH FBrush = nullptr;
};

// A brush of the set while it has users, else a temporary one of the brush's colour.
TBrushChoice SchemeBrush(HBRUSH given, int brushNumber)
{
  if (given) return TBrushChoice(given, clNone);
  int source = BrushSources[brushNumber - 1];
  if (source < 0) source = BrushSources[-source - 1];
  return TBrushChoice(dxOffice11Brush(brushNumber), dxOffice11Color(source));
}

int Extent(const RECT& rect, bool horizontal) { return horizontal ? rect.right - rect.left : rect.bottom - rect.top; }

// The band's colour: channel by channel from colour 1 (band 0) to colour 2 (band count - 1).
COLORREF BandColor(COLORREF c1, COLORREF c2, int band, int count)
{
  if (count <= 1) return c1;
  auto channel = [&](int shift) {
    return Channel(c1, shift) + (Channel(c2, shift) - Channel(c1, shift)) * band / (count - 1);
  };
  return MakeRGB(channel(0), channel(8), channel(16));
}

RECT Line(const RECT& rect, bool horizontal, int from, int to)
{
  return horizontal ? RECT{from, rect.top, to, rect.bottom} : RECT{rect.left, from, rect.right, to};
}

void InitializeUnit()
{
  dxGradientFill = Msimg32().GradientFill;
}

void FinalizeUnit()
{
  GResources.reset();
  GUsers = 0;
  dxGradientFill = nullptr;
}

const TUnit* const Uses[] = {&UnitdxCore, &UnitdxUxTheme, &UnitdxThemeManager};
}  // namespace

TUnit UnitdxOffice11{"dxOffice11", Uses, InitializeUnit, FinalizeUnit};

TdxGradientFillFunc dxGradientFill = nullptr;

// --- The set ---

void AcquireOffice2003Colors()
{
  if (GUsers == 0) {
    ComputeColors();
    CreateResources();
  }
  ++GUsers;
}

void ReleaseOffice2003Colors()
{
  if (GUsers == 0) return;
  if (--GUsers == 0) GResources.reset();
}

void RecomputeOffice2003Colors()
{
  ComputeColors();
  if (GUsers > 0) CreateResources();
}

int Office2003ColorsUsers() { return GUsers; }

TdxOffice2003Scheme GetOffice2003Scheme()
{
  EnsureComputed();
  return GSet.Scheme;
}

bool IsOffice2003SchemeActive()
{
  EnsureComputed();
  return GSet.Active;
}

int Office2003TwoPhaseGradientPercent()
{
  EnsureComputed();
  return GSet.TwoPhasePercent;
}

TColor dxOffice11Color(int number)
{
  CheckNumber(number, dxOffice11ColorCount, "colour");
  EnsureComputed();
  return GSet.Colors[number];
}

HBRUSH dxOffice11Brush(int number)
{
  CheckNumber(number, dxOffice11BrushCount, "brush");
  if (!GResources) return nullptr;
  int source = BrushSources[number - 1];
  return GResources->Brushes[source < 0 ? -source : number].Get();
}

TBitmap* dxOffice11SubMenuExpandBitmap() { return GResources ? GResources->SubMenuExpand.get() : nullptr; }
TBitmap* dxOffice11ExpandButtonMinusBitmap() { return GResources ? GResources->ExpandButtonMinus.get() : nullptr; }
TBitmap* dxOffice11ExpandButtonPlusBitmap() { return GResources ? GResources->ExpandButtonPlus.get() : nullptr; }

// --- Colour rules ---

bool IsBtnFaceBlack() { return ColorToRGB(clBtnFace) == RGB(0, 0, 0); }
bool IsBtnFaceWhite() { return ColorToRGB(clBtnFace) == RGB(255, 255, 255); }
bool IsBlackFaceNonWhiteText() { return IsBtnFaceBlack() && ColorToRGB(clBtnText) != RGB(255, 255, 255); }

TColor BlendColors(TColor a, TColor b, int percent)
{
  COLORREF ca = ColorToRGB(a), cb = ColorToRGB(b);
  auto channel = [&](int shift) {
    return std::min(255, MulDiv(Channel(ca, shift), percent, 100) + MulDiv(Channel(cb, shift), 100 - percent, 100));
  };
  return GetNearestDeviceColor(static_cast<TColor>(MakeRGB(channel(0), channel(8), channel(16))));
}

TColor GetNearestDeviceColor(TColor color)
{
  TScreenDC dc;
  return static_cast<TColor>(GetNearestColor(dc, ColorToRGB(color)));
}

// --- Drawing ---

void FillRectGradient(HDC dc, const RECT& rect, TColor color1, TColor color2, bool horizontal)
{
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  COLORREF c1 = ColorToRGB(color1), c2 = ColorToRGB(color2);
  if (c1 == c2) {
    FillWithDCBrush(dc, rect, c1);
    return;
  }
  if (!dxGradientFill) {
    FillGradientBySteps(dc, rect, c1, c2, horizontal);
    return;
  }
  auto vertex = [](LONG x, LONG y, COLORREF c) {
    return TRIVERTEX{x, y, static_cast<COLOR16>(GetRValue(c) << 8), static_cast<COLOR16>(GetGValue(c) << 8),
                     static_cast<COLOR16>(GetBValue(c) << 8), 0};
  };
  TRIVERTEX vertices[2] = {vertex(rect.left, rect.top, c1), vertex(rect.right, rect.bottom, c2)};
  GRADIENT_RECT gradient{0, 1};
  dxGradientFill(dc, vertices, 2, &gradient, 1, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void FillGradientBySteps(HDC dc, const RECT& rect, TColor color1, TColor color2, bool horizontal)
{
  int extent = Extent(rect, horizontal);
  if (extent <= 0 || rect.right <= rect.left || rect.bottom <= rect.top) return;
  COLORREF c1 = ColorToRGB(color1), c2 = ColorToRGB(color2);
  int start = horizontal ? rect.left : rect.top;
  int count = std::min(extent, 256);
  for (int band = 0; band < count; ++band) {
    int from = start + static_cast<int>(static_cast<long long>(extent) * band / count);
    int to = start + static_cast<int>(static_cast<long long>(extent) * (band + 1) / count);
    if (to <= from) continue;
    FillWithDCBrush(dc, Line(rect, horizontal, from, to), BandColor(c1, c2, band, count));
  }
}

TColor GradientColorAt(const RECT& rect, int coordinate, TColor color1, TColor color2, bool horizontal)
{
  COLORREF c1 = ColorToRGB(color1), c2 = ColorToRGB(color2);
  int extent = Extent(rect, horizontal);
  if (extent <= 0) return static_cast<TColor>(c1);
  int count = std::min(extent, 256);
  int start = horizontal ? rect.left : rect.top;
  long long offset = std::clamp(coordinate - start, 0, extent - 1);
  // Band b holds the offsets from extent * b / count up to extent * (b + 1) / count (exclusive), so
  // the band of an offset is the last b with extent * b / count <= offset.
  int band = static_cast<int>((count * (offset + 1) + extent - 1) / extent - 1);
  return static_cast<TColor>(BandColor(c1, c2, std::clamp(band, 0, count - 1), count));
}

void FillRectTwoPhaseGradient(HDC dc, const RECT& rect, TColor color1, TColor color2, bool horizontal)
{
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  COLORREF c1 = ColorToRGB(color1), c2 = ColorToRGB(color2);
  if (c1 == c2) {
    FillWithDCBrush(dc, rect, c1);
    return;
  }
  int extent = Extent(rect, horizontal);
  int half = extent / 2;
  int percent = Office2003TwoPhaseGradientPercent();
  auto middle = [&](int shift) {
    return Channel(c1, shift) - (Channel(c1, shift) - Channel(c2, shift)) * percent / 200;
  };
  COLORREF m = MakeRGB(middle(0), middle(8), middle(16));
  // Lines before the middle run from colour 1 toward the middle colour (reached at the middle line);
  // lines after it run from the middle colour to colour 2 at the last line.
  auto between = [](COLORREF from, COLORREF to, int step, int steps) {
    auto channel = [&](int shift) {
      return Channel(from, shift) + (Channel(to, shift) - Channel(from, shift)) * step / steps;
    };
    return MakeRGB(channel(0), channel(8), channel(16));
  };
  int start = horizontal ? rect.left : rect.top;
  for (int line = 0; line < extent; ++line) {
    COLORREF color = line < half ? between(c1, m, line, half)
                     : line == half ? m
                                    : between(m, c2, line - half, extent - 1 - half);
    FillWithDCBrush(dc, Line(rect, horizontal, start + line, start + line + 1), color);
  }
}

void FillRectSolidColor(HDC dc, const RECT& rect, TColor color)
{
  TBrushHandle brush(CreateSolidBrush(ColorToRGB(color)));
  FillRect(dc, &rect, brush.Get());
}

void FrameRectSolidColor(HDC dc, const RECT& rect, TColor color)
{
  TBrushHandle brush(CreateSolidBrush(ColorToRGB(color)));
  FrameRect(dc, &rect, brush.Get());
}

void FrameRectWithSchemeBorder(HDC dc, const RECT& rect)
{
  if (IsBtnFaceBlack()) {
    FrameRectSolidColor(dc, rect, clHighlightText);
    return;
  }
  TBrushChoice brush = SchemeBrush(nullptr, 6);
  FrameRect(dc, &rect, brush.Get());
}

void DrawGripDots(HDC dc, const RECT& rect, bool vertical, HBRUSH lowerBrush, HBRUSH upperBrush)
{
  TBrushChoice upper = SchemeBrush(upperBrush, 1);
  TBrushChoice lower = SchemeBrush(lowerBrush, 2);
  int start = vertical ? rect.top : rect.left;
  int end = vertical ? rect.bottom : rect.right;
  int rest = (end - start) % 4;
  int cell = start + (rest < 2 ? rest : rest / 2);
  for (; cell + 4 <= end; cell += 4) {
    int x = vertical ? rect.left : cell;
    int y = vertical ? cell : rect.top;
    RECT lowerDot{x + 1, y + 1, x + 3, y + 3};
    RECT upperDot{x, y, x + 2, y + 2};
    FillRect(dc, &lowerDot, lower.Get());
    FillRect(dc, &upperDot, upper.Get());
  }
}

void DrawSchemeItemArrow(HDC dc, const RECT& rect, bool down, bool enabled, bool selected)
{
  int n = down ? (rect.right - rect.left) - 8 : (rect.bottom - rect.top) - 6;
  DrawSchemeArrowTriangle(dc, rect, down, enabled, selected, std::max((n - 1) / 2 + (n % 2 != 0 ? 1 : 0), 3));
}

void DrawSchemeArrowTriangle(HDC dc, const RECT& rect, bool down, bool enabled, bool selected, int size)
{
  if (size <= 0) return;
  TColor color = !enabled ? dxOffice11Color(53) : selected && IsBtnFaceWhite() ? clWhite : dxOffice11Color(52);
  POINT points[3];
  if (down) {
    int x = (rect.left + rect.right - (2 * size - 1)) / 2;
    int y = (rect.top + rect.bottom - size) / 2;
    points[0] = {x, y};
    points[1] = {x + 2 * size - 2, y};
    points[2] = {x + size - 1, y + size - 1};
  } else {
    int x = (rect.left + rect.right - size) / 2;
    int y = (rect.top + rect.bottom - (2 * size - 1)) / 2;
    points[0] = {x, y};
    points[1] = {x, y + 2 * size - 2};
    points[2] = {x + size - 1, y + size - 1};
  }
  COLORREF rgb = ColorToRGB(color);
  TPenHandle pen(CreatePen(PS_SOLID, 1, rgb));
  TBrushHandle brush(CreateSolidBrush(rgb));
  TSelectObject selectPen(dc, pen.Get());
  TSelectObject selectBrush(dc, brush.Get());
  Polygon(dc, points, 3);
}

void DrawSchemeSizeGrip(HDC dc, const RECT& rect, TColor upperColor, TColor lowerColor)
{
  TBrushHandle upper, lower;
  if (upperColor != clDefault) upper.Reset(CreateSolidBrush(ColorToRGB(upperColor)));
  if (lowerColor != clDefault) lower.Reset(CreateSolidBrush(ColorToRGB(lowerColor)));
  for (int row = 0; row < 3; ++row) {
    RECT strip{rect.right - 12 + 4 * row, rect.bottom - 3 - 4 * row, rect.right, rect.bottom - 4 * row};
    DrawGripDots(dc, strip, false, lower.Get(), upper.Get());
  }
}

void TintBitmapWithScheme(TBitmap* bitmap)
{
  TRGBColors pixels;
  if (!bitmap || !GetBitmapPixels(bitmap, pixels, true)) return;
  auto rgbOf = [](const RGBQUAD& p) { return RGB(p.rgbRed, p.rgbGreen, p.rgbBlue); };
  const COLORREF background = rgbOf(pixels[0]);
  COLORREF a = ColorToRGB(dxOffice11Color(3)), b = ColorToRGB(dxOffice11Color(4));
  if (a == b) b = a == RGB(0, 0, 0) ? RGB(255, 255, 255) : RGB(0, 0, 0);
  auto isShaded = [&](const RGBQUAD& p) { return rgbOf(p) != background && rgbOf(p) != RGB(0, 0, 0); };
  int lowest = 255, highest = 1;
  for (const RGBQUAD& p : pixels) {
    if (!isShaded(p)) continue;
    lowest = std::min<int>(lowest, p.rgbRed);
    highest = std::max<int>(highest, p.rgbRed);
  }
  for (RGBQUAD& p : pixels) {
    if (!isShaded(p)) continue;
    // One shade only has no spread to map: it takes the colour halfway between.
    int percent = highest > lowest ? (p.rgbRed - lowest) * 100 / (highest - lowest) : 50;
    COLORREF c = ColorToRGB(BlendColors(static_cast<TColor>(a), static_cast<TColor>(b), percent));
    p = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
  }
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  PutBitmapPixels(bitmap, pixels, true);
}
