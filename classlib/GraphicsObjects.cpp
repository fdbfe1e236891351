#include "classlib/GraphicsObjects.h"

#include <algorithm>
#include <cstring>
#include <vector>
#include "classlib/Bitmap.h"

// ---- Enumerations --------------------------------------------------------------------------------

namespace {
constexpr std::string_view FontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
constexpr std::string_view FontPitchNames[] = {"fpDefault", "fpVariable", "fpFixed"};
constexpr std::string_view BrushStyleNames[] = {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                                "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
constexpr std::string_view PenModeNames[] = {
  "pmBlack",        "pmWhite",       "pmNop",       "pmNot",  "pmCopy",    "pmNotCopy",
  "pmMergePenNot",  "pmMaskPenNot",  "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge",
  "pmMask",         "pmNotMask",     "pmXor",       "pmNotXor"};
constexpr std::string_view PenStyleNames[] = {"psSolid",     "psDash",        "psDot",
                                              "psDashDot",   "psDashDotDot",  "psClear",
                                              "psInsideFrame", "psUserStyle", "psAlternate"};

// R2_ value of each TPenMode, in order.
constexpr int PenModeRops[] = {R2_BLACK,       R2_WHITE,       R2_NOP,         R2_NOT,
                               R2_COPYPEN,     R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,
                               R2_MERGENOTPEN, R2_MASKNOTPEN,  R2_MERGEPEN,    R2_NOTMERGEPEN,
                               R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,      R2_NOTXORPEN};
static_assert(std::size(PenModeRops) == std::size(PenModeNames));

constexpr int BrushHatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
}  // namespace

const TEnumInfo FontStyleInfo = EnumInfo<TFontStyle::fsStrikeOut>("TFontStyle", FontStyleNames);
const TEnumInfo FontPitchInfo = EnumInfo<TFontPitch::fpFixed>("TFontPitch", FontPitchNames);
const TEnumInfo BrushStyleInfo = EnumInfo<TBrushStyle::bsDiagCross>("TBrushStyle", BrushStyleNames);
const TEnumInfo PenModeInfo = EnumInfo<TPenMode::pmNotXor>("TPenMode", PenModeNames);
const TEnumInfo PenStyleInfo = EnumInfo<TPenStyle::psAlternate>("TPenStyle", PenStyleNames);

int PenModeToRop2(TPenMode mode) { return PenModeRops[static_cast<int>(mode)]; }

TPenMode Rop2ToPenMode(int rop2)
{
  for (size_t i = 0; i < std::size(PenModeRops); ++i)
    if (PenModeRops[i] == rop2) return static_cast<TPenMode>(i);
  return TPenMode::pmCopy;
}

// ---- Published properties ------------------------------------------------------------------------

namespace {
template <auto Get, auto Set>
constexpr TPropInfo StoredColor(const char* name)  // a colour property that is always stored
{
  return OrdProp<Get, Set>(name, TPropKind::Color);
}

constexpr TPropInfo FontSizeProp()
{
  TPropInfo p = IntProp<&TFont::Size, &TFont::SetSize>("Size");
  p.Stored = [](const TObject*) { return false; };  // Height carries it
  return p;
}

constexpr TPropInfo FontProps[] = {
  IntProp<&TFont::Charset, &TFont::SetCharset>("Charset"),
  StoredColor<&TFont::Color, &TFont::SetColor>("Color"),
  IntProp<&TFont::Height, &TFont::SetHeight>("Height"),
  StrProp<&TFont::Name, &TFont::SetName>("Name"),
  IntProp<&TFont::Orientation, &TFont::SetOrientation>("Orientation", 0),
  EnumProp<&TFont::Pitch, &TFont::SetPitch>("Pitch", FontPitchInfo, 0),
  FontSizeProp(),
  SetProp<&TFont::Style, &TFont::SetStyle>("Style", FontStyleInfo, 0),
};

constexpr TPropInfo BrushProps[] = {
  ColorProp<&TBrush::Color, &TBrush::SetColor>("Color", clWhite),
  EnumProp<&TBrush::Style, &TBrush::SetStyle>("Style", BrushStyleInfo, 0),
};

constexpr TPropInfo PenProps[] = {
  ColorProp<&TPen::Color, &TPen::SetColor>("Color", clBlack),
  EnumProp<&TPen::Mode, &TPen::SetMode>("Mode", PenModeInfo, static_cast<int>(TPenMode::pmCopy)),
  EnumProp<&TPen::Style, &TPen::SetStyle>("Style", PenStyleInfo, 0),
  IntProp<&TPen::Width, &TPen::SetWidth>("Width", 1),
};
}  // namespace

CL_DEFINE_CLASS(TGraphicsObject);
CL_DEFINE_CLASS(TFont, .Props = FontProps);
CL_DEFINE_CLASS(TBrush, .Props = BrushProps);
CL_DEFINE_CLASS(TPen, .Props = PenProps);

void TGraphicsObject::Changed()
{
  if (FOnChange) FOnChange(this);
}

// ---- TFont ---------------------------------------------------------------------------------------

const TFontData& DefFontData()
{
  static const TFontData data{"Tahoma", -MulDiv(8, ScreenPixelsPerInch(), 72), DEFAULT_CHARSET};
  return data;
}

namespace {
struct TCharsetName {
  int Value;
  std::string_view Name;
};
constexpr TCharsetName CharsetNames[] = {
  {ANSI_CHARSET, "ANSI_CHARSET"},         {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
  {SYMBOL_CHARSET, "SYMBOL_CHARSET"},     {MAC_CHARSET, "MAC_CHARSET"},
  {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"}, {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
  {JOHAB_CHARSET, "JOHAB_CHARSET"},       {GB2312_CHARSET, "GB2312_CHARSET"},
  {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"}, {GREEK_CHARSET, "GREEK_CHARSET"},
  {TURKISH_CHARSET, "TURKISH_CHARSET"},   {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
  {HEBREW_CHARSET, "HEBREW_CHARSET"},     {ARABIC_CHARSET, "ARABIC_CHARSET"},
  {BALTIC_CHARSET, "BALTIC_CHARSET"},     {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
  {THAI_CHARSET, "THAI_CHARSET"},         {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
  {OEM_CHARSET, "OEM_CHARSET"},
};

// Copies a face name into LOGFONT's 32-byte field without splitting a double-byte character.
void CopyFaceName(char (&dest)[LF_FACESIZE], std::string_view name)
{
  size_t n = 0;
  while (n < name.size()) {
    size_t len = IsDBCSLeadByte(static_cast<BYTE>(name[n])) && n + 1 < name.size() ? 2 : 1;
    if (n + len > LF_FACESIZE - 1) break;
    n += len;
  }
  std::memcpy(dest, name.data(), n);
  dest[n] = 0;
}
}  // namespace

bool CharsetToIdent(int64_t charset, std::string& ident)
{
  for (const TCharsetName& c : CharsetNames)
    if (c.Value == charset) {
      ident = c.Name;
      return true;
    }
  return false;
}

bool IdentToCharset(std::string_view ident, int64_t& charset)
{
  for (const TCharsetName& c : CharsetNames)
    if (SameIdent(c.Name, ident)) {
      charset = c.Value;
      return true;
    }
  return false;
}

TFont::TFont()
    : FName(DefFontData().Name), FHeight(DefFontData().Height), FCharset(DefFontData().Charset),
      FPixelsPerInch(ScreenPixelsPerInch())
{
}

TFont::~TFont() = default;

void TFont::Changed()
{
  // The old font lives until the listeners have let go of it.
  TFontHandle old = std::move(FHandle);
  TGraphicsObject::Changed();
}

LOGFONTA TFont::LogFont() const
{
  LOGFONTA lf{};
  lf.lfHeight = FHeight;
  lf.lfEscapement = FOrientation;
  lf.lfOrientation = FOrientation;
  lf.lfWeight = FStyle.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = FStyle.Contains(TFontStyle::fsItalic);
  lf.lfUnderline = FStyle.Contains(TFontStyle::fsUnderline);
  lf.lfStrikeOut = FStyle.Contains(TFontStyle::fsStrikeOut);
  lf.lfCharSet = FCharset;
  lf.lfOutPrecision = FOrientation != 0 ? OUT_TT_ONLY_PRECIS : OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  switch (FPitch) {
    case TFontPitch::fpVariable: lf.lfPitchAndFamily = VARIABLE_PITCH; break;
    case TFontPitch::fpFixed: lf.lfPitchAndFamily = FIXED_PITCH; break;
    default: lf.lfPitchAndFamily = DEFAULT_PITCH; break;
  }
  CopyFaceName(lf.lfFaceName, SameIdent(FName, "Default") ? DefFontData().Name : FName);
  return lf;
}

HFONT TFont::Handle()
{
  if (!FHandle) {
    LOGFONTA lf = LogFont();
    HFONT font = CreateFontIndirectA(&lf);
    if (!font) RaiseLastOSError();
    FHandle.Reset(font);
  }
  return FHandle.Get();
}

void TFont::SetHandle(HFONT font)
{
  if (font == FHandle.Get()) return;
  LOGFONTA lf{};
  if (font && GetObjectA(font, sizeof(lf), &lf) != sizeof(lf))
    throw EInvalidGraphic("Invalid font handle");
  if (font) {
    FName = lf.lfFaceName;
    FHeight = lf.lfHeight;
    FCharset = lf.lfCharSet;
    FOrientation = lf.lfOrientation;
    FStyle = {};
    if (lf.lfWeight >= FW_BOLD) FStyle.Include(TFontStyle::fsBold);
    if (lf.lfItalic) FStyle.Include(TFontStyle::fsItalic);
    if (lf.lfUnderline) FStyle.Include(TFontStyle::fsUnderline);
    if (lf.lfStrikeOut) FStyle.Include(TFontStyle::fsStrikeOut);
    switch (lf.lfPitchAndFamily & 3) {
      case FIXED_PITCH: FPitch = TFontPitch::fpFixed; break;
      case VARIABLE_PITCH: FPitch = TFontPitch::fpVariable; break;
      default: FPitch = TFontPitch::fpDefault; break;
    }
  }
  TFontHandle old = std::move(FHandle);
  FHandle.Reset(font);
  TGraphicsObject::Changed();
}

void TFont::Assign(TPersistent* source)
{
  if (auto* f = dynamic_cast<TFont*>(source)) {
    if (f == this) return;
    bool same = FName == f->FName && FCharset == f->FCharset && FColor == f->FColor && FStyle == f->FStyle &&
                FPitch == f->FPitch && FOrientation == f->FOrientation;
    FName = f->FName;
    FCharset = f->FCharset;
    FColor = f->FColor;
    FStyle = f->FStyle;
    FPitch = f->FPitch;
    FOrientation = f->FOrientation;
    // A font from another resolution keeps its point size.
    int height = FPixelsPerInch == f->FPixelsPerInch ? f->FHeight : -MulDiv(f->Size(), FPixelsPerInch, 72);
    same = same && FHeight == height;
    FHeight = height;
    if (!same) Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TFont::SetName(const std::string& value)
{
  if (value.empty() || value == FName) return;
  FName = value;
  Changed();
}

void TFont::SetHeight(int value)
{
  SetAndNotify(FHeight, value, [this] { Changed(); });
}

int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int value) { SetHeight(-MulDiv(value, FPixelsPerInch, 72)); }

void TFont::SetColor(TColor value)
{
  SetAndNotify(FColor, value, [this] {
    TGraphicsObject::Changed();  // the colour is not part of the font object
  });
}

void TFont::SetCharset(TFontCharset value)
{
  SetAndNotify(FCharset, value, [this] { Changed(); });
}

void TFont::SetStyle(TFontStyles value)
{
  SetAndNotify(FStyle, value, [this] { Changed(); });
}

void TFont::SetPitch(TFontPitch value)
{
  SetAndNotify(FPitch, value, [this] { Changed(); });
}

void TFont::SetOrientation(int value)
{
  SetAndNotify(FOrientation, value, [this] { Changed(); });
}

// ---- TBrush --------------------------------------------------------------------------------------

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

void TBrush::Changed()
{
  TBrushHandle old = std::move(FHandle);
  TGraphicsObject::Changed();
}

HBRUSH TBrush::Handle()
{
  if (!FHandle) {
    HBRUSH brush = nullptr;
    if (FBitmap && !FBitmap->Empty()) {
      brush = CreatePatternBrush(FBitmap->Handle());
    } else {
      LOGBRUSH lb{BS_SOLID, GdiColor(FColor), 0};
      if (FStyle == TBrushStyle::bsClear) {
        lb.lbStyle = BS_NULL;
      } else if (FStyle != TBrushStyle::bsSolid) {
        lb.lbStyle = BS_HATCHED;
        lb.lbHatch = BrushHatches[static_cast<int>(FStyle) - static_cast<int>(TBrushStyle::bsHorizontal)];
      }
      brush = CreateBrushIndirect(&lb);
    }
    if (!brush) RaiseLastOSError();
    FHandle.Reset(brush);
  }
  return FHandle.Get();
}

void TBrush::SetHandle(HBRUSH brush)
{
  if (brush == FHandle.Get()) return;
  LOGBRUSH lb{};
  if (brush && GetObjectA(brush, sizeof(lb), &lb) != sizeof(lb)) throw EInvalidGraphic("Invalid brush handle");
  if (brush) {
    FBitmap.reset();
    switch (lb.lbStyle) {
      case BS_NULL:
        FStyle = TBrushStyle::bsClear;
        break;
      case BS_HATCHED: {
        auto it = std::find(std::begin(BrushHatches), std::end(BrushHatches), static_cast<int>(lb.lbHatch));
        FStyle = it == std::end(BrushHatches)
                     ? TBrushStyle::bsSolid
                     : static_cast<TBrushStyle>(static_cast<int>(TBrushStyle::bsHorizontal) + (it - std::begin(BrushHatches)));
        FColor = static_cast<TColor>(lb.lbColor);
        break;
      }
      default:
        FStyle = TBrushStyle::bsSolid;
        if (lb.lbStyle == BS_SOLID) FColor = static_cast<TColor>(lb.lbColor);
        break;
    }
  }
  TBrushHandle old = std::move(FHandle);
  FHandle.Reset(brush);
  TGraphicsObject::Changed();
}

void TBrush::Assign(TPersistent* source)
{
  if (auto* b = dynamic_cast<TBrush*>(source)) {
    if (b == this) return;
    FColor = b->FColor;
    FStyle = b->FStyle;
    if (b->FBitmap) {
      if (!FBitmap) FBitmap = MakeOwned<TBitmap>();
      FBitmap->Assign(b->FBitmap.get());
    } else {
      FBitmap.reset();
    }
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TBrush::SetColor(TColor value)
{
  if (value == FColor && FStyle != TBrushStyle::bsClear) return;
  FColor = value;
  // A colour makes a clear brush solid.
  if (FStyle == TBrushStyle::bsClear) FStyle = TBrushStyle::bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle value)
{
  SetAndNotify(FStyle, value, [this] { Changed(); });
}

void TBrush::SetBitmap(TBitmap* value)
{
  if (!value && !FBitmap) return;
  if (value) {
    if (!FBitmap) FBitmap = MakeOwned<TBitmap>();
    FBitmap->Assign(value);
  } else {
    FBitmap.reset();
  }
  Changed();
}

// ---- TPen ----------------------------------------------------------------------------------------

TPen::TPen() = default;
TPen::~TPen() = default;

void TPen::Changed()
{
  TPenHandle old = std::move(FHandle);
  TGraphicsObject::Changed();
}

HPEN TPen::Handle()
{
  if (!FHandle) {
    HPEN pen = nullptr;
    COLORREF color = GdiColor(FColor);
    switch (FStyle) {
      case TPenStyle::psAlternate: {
        LOGBRUSH lb{BS_SOLID, color, 0};
        pen = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr);
        break;
      }
      case TPenStyle::psUserStyle:  // no dash pattern of its own: draws solid
        pen = CreatePen(PS_SOLID, FWidth, color);
        break;
      default:
        pen = CreatePen(static_cast<int>(FStyle), FWidth, color);
        break;
    }
    if (!pen) RaiseLastOSError();
    FHandle.Reset(pen);
  }
  return FHandle.Get();
}

void TPen::SetHandle(HPEN pen)
{
  if (pen == FHandle.Get()) return;
  if (pen) {
    int size = GetObjectA(pen, 0, nullptr);
    if (size == sizeof(LOGPEN)) {
      LOGPEN lp{};
      GetObjectA(pen, sizeof(lp), &lp);
      FColor = static_cast<TColor>(lp.lopnColor);
      FStyle = static_cast<TPenStyle>(std::min<UINT>(lp.lopnStyle & PS_STYLE_MASK, PS_ALTERNATE));
      FWidth = std::max<int>(lp.lopnWidth.x, 1);
    } else if (size >= static_cast<int>(sizeof(EXTLOGPEN) - sizeof(DWORD))) {
      std::vector<char> buffer(size);
      GetObjectA(pen, size, buffer.data());
      const auto* ep = reinterpret_cast<const EXTLOGPEN*>(buffer.data());
      FColor = static_cast<TColor>(ep->elpColor);
      FStyle = static_cast<TPenStyle>(std::min<UINT>(ep->elpPenStyle & PS_STYLE_MASK, PS_ALTERNATE));
      FWidth = std::max<int>(ep->elpWidth, 1);
    } else {
      throw EInvalidGraphic("Invalid pen handle");
    }
  }
  TPenHandle old = std::move(FHandle);
  FHandle.Reset(pen);
  TGraphicsObject::Changed();
}

void TPen::Assign(TPersistent* source)
{
  if (auto* p = dynamic_cast<TPen*>(source)) {
    if (p == this) return;
    FColor = p->FColor;
    FMode = p->FMode;
    FStyle = p->FStyle;
    FWidth = p->FWidth;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TPen::SetColor(TColor value)
{
  SetAndNotify(FColor, value, [this] { Changed(); });
}

void TPen::SetMode(TPenMode value)
{
  SetAndNotify(FMode, value, [this] {
    TGraphicsObject::Changed();  // the mode is not part of the pen object
  });
}

void TPen::SetStyle(TPenStyle value)
{
  SetAndNotify(FStyle, value, [this] { Changed(); });
}

void TPen::SetWidth(int value)
{
  if (value < 0 || value == FWidth) return;
  FWidth = value;
  Changed();
}
