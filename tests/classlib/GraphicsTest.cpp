// Colours for GDI, and the drawing tools: fonts, brushes and pens with their published properties,
// change notification, handles and copying.
#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Graphics.h"
#include "tests/support/DibSurface.h"

namespace {
struct TChangeCounter : TObject {
  int Count = 0;
  // While the change is told, the object the tool had is still alive (or there was none).
  std::vector<HGDIOBJ> AliveDuringChange;
  HGDIOBJ Watched = nullptr;
  void Changed(TObject*)
  {
    ++Count;
    if (Watched && GetObjectType(Watched) != 0) AliveDuringChange.push_back(Watched);
  }
};
}  // namespace

TEST(Colors, SystemColoursAreTheIndexPlus0xFF000000)
{
  struct TCase {
    TColor Color;
    uint32_t Value;
    bool System;
    const char* Text;
  };
  const TCase cases[] = {
      {clScrollBar, 0xFF000000u, true, "clScrollBar"},
      {clWindow, 0xFF000005u, true, "clWindow"},
      {clBtnFace, 0xFF00000Fu, true, "clBtnFace"},
      {clBtnText, 0xFF000012u, true, "clBtnText"},
      {clMenuBar, 0xFF00001Eu, true, "clMenuBar"},
      {static_cast<TColor>(0xFF000019u), 0xFF000019u, true, "$FF000019"},
      {clBlack, 0x00000000u, false, "clBlack"},
      {clWhite, 0x00FFFFFFu, false, "clWhite"},
      {0x0080FF40, 0x0080FF40u, false, "$0080FF40"},
      {clNone, 0x1FFFFFFFu, false, "clNone"},
      {clDefault, 0x20000000u, false, "clDefault"},
      {static_cast<TColor>(0x8000000Fu), 0x8000000Fu, false, "$8000000F"},  // not a system colour
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(static_cast<uint32_t>(c.Color), c.Value);
    EXPECT_EQ(IsSystemColor(c.Color), c.System);
    EXPECT_EQ(ColorToString(c.Color), c.Text);
    EXPECT_EQ(StringToColor(c.Text), c.Color);
    if (c.System) {
      EXPECT_EQ(ColorToRGB(c.Color), GetSysColor(static_cast<int>(c.Value & 0xFF)));
    }
  }
  // Numbers in either notation read as they stand.
  EXPECT_EQ(StringToColor("-16777201"), clBtnFace);
  EXPECT_EQ(StringToColor("$FF000012"), clBtnText);
}

TEST(ColorToRGB, ResolvesSystemColoursAndLeavesTheRestAlone)
{
  EXPECT_EQ(ColorToRGB(clRed), RGB(255, 0, 0));
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
  EXPECT_EQ(ColorToRGB(clNone), 0x1FFFFFFFu);
  EXPECT_EQ(ColorToRGB(clDefault), 0x20000000u);
  const struct {
    TColor Color;
    int Index;
  } system[] = {{clBtnFace, COLOR_BTNFACE},   {clWindowText, COLOR_WINDOWTEXT}, {clHighlight, COLOR_HIGHLIGHT},
                {clGrayText, COLOR_GRAYTEXT}, {clInfoBk, COLOR_INFOBK},         {clMenuBar, COLOR_MENUBAR},
                {cl3DDkShadow, COLOR_3DDKSHADOW}};
  for (const auto& s : system) EXPECT_EQ(ColorToRGB(s.Color), GetSysColor(s.Index)) << s.Index;
  // GDI never sees the sentinels' high bits.
  EXPECT_EQ(GdiColor(clNone), 0xFFFFFFu);
  EXPECT_EQ(GdiColor(clDefault), 0u);
  EXPECT_EQ(GdiColor(clBtnFace), GetSysColor(COLOR_BTNFACE));
}

TEST(SystemColorBrush, IsTheIndexPlusOneAndFillsInTheSystemColour)
{
  EXPECT_EQ(reinterpret_cast<INT_PTR>(SystemColorBrush(COLOR_BTNFACE)), 16);
  TDibSurface surface(4, 4, RGB(1, 2, 3));
  for (int index : {COLOR_HIGHLIGHT, COLOR_BTNSHADOW}) {
    RECT r{0, 0, 4, 4};
    FillRect(surface.DC(), &r, SystemColorBrush(index));
    EXPECT_EQ(surface.Pixel(2, 2), GetSysColor(index)) << index;
  }
}

TEST(Font, StartsWithTheDefaultFontAndConvertsSizeAndHeight)
{
  auto font = MakeOwned<TFont>();
  EXPECT_EQ(font->Name(), DefFontData().Name);
  EXPECT_EQ(font->Height(), -MulDiv(8, ScreenPixelsPerInch(), 72));
  EXPECT_EQ(font->Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(font->Color(), clWindowText);
  EXPECT_TRUE(font->Style().Empty());

  font->SetPixelsPerInch(96);
  font->SetSize(12);
  EXPECT_EQ(font->Height(), -16);
  font->SetHeight(-13);
  EXPECT_EQ(font->Size(), 10);
  font->SetPixelsPerInch(120);
  EXPECT_EQ(font->Size(), 8);
}

TEST(Font, PublishesItsPropertiesWithSizeNotStored)
{
  std::vector<std::string> names;
  for (const TPropInfo* p : GetPropList(TFont::StaticClass())) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Charset", "Color", "Height", "Name", "Orientation", "Pitch", "Size",
                                             "Style"}));
  auto font = MakeOwned<TFont>();
  SetSetProp(font.get(), "Style", "[fsBold,fsStrikeOut]");
  EXPECT_EQ(font->Style(), (TFontStyles{TFontStyle::fsBold, TFontStyle::fsStrikeOut}));
  SetEnumProp(font.get(), "Pitch", "fpFixed");
  EXPECT_EQ(font->Pitch(), TFontPitch::fpFixed);
  SetOrdProp(font.get(), "Color", clRed);
  EXPECT_EQ(font->Color(), clRed);
  SetStrProp(font.get(), "Name", "SimSun");
  EXPECT_EQ(font->Name(), "SimSun");
  EXPECT_FALSE(GetPropInfo(font.get(), "Size").IsStored(font.get()));
  EXPECT_TRUE(GetPropInfo(font.get(), "Height").IsStored(font.get()));
  EXPECT_TRUE(GetPropInfo(font.get(), "Color").IsStored(font.get())) << "fonts store their colour always";

  std::string ident;
  int64_t charset = 0;
  EXPECT_TRUE(CharsetToIdent(GB2312_CHARSET, ident));
  EXPECT_EQ(ident, "GB2312_CHARSET");
  EXPECT_TRUE(IdentToCharset("default_charset", charset));
  EXPECT_EQ(charset, DEFAULT_CHARSET);
  EXPECT_FALSE(IdentToCharset("NO_CHARSET", charset));
  EXPECT_FALSE(CharsetToIdent(3, ident));
}

TEST(Font, ChangesNotifyOnceAndTheOldObjectOutlivesTheNotification)
{
  auto font = MakeOwned<TFont>();
  auto counter = MakeOwned<TChangeCounter>();
  font->SetOnChange(TNotifyEvent(counter.get(), &TChangeCounter::Changed));

  struct Step {
    const char* What;
    std::function<void()> Change;
    bool NewObject;
  };
  const Step steps[] = {
    {"name", [&] { font->SetName("Arial"); }, true},
    {"height", [&] { font->SetHeight(-20); }, true},
    {"style", [&] { font->SetStyle({TFontStyle::fsItalic}); }, true},
    {"charset", [&] { font->SetCharset(GB2312_CHARSET); }, true},
    {"pitch", [&] { font->SetPitch(TFontPitch::fpVariable); }, true},
    {"orientation", [&] { font->SetOrientation(900); }, true},
    {"colour", [&] { font->SetColor(clRed); }, false},
  };
  for (const Step& s : steps) {
    HFONT before = font->Handle();
    counter->Count = 0;
    counter->AliveDuringChange.clear();
    counter->Watched = before;
    s.Change();
    EXPECT_EQ(counter->Count, 1) << s.What;
    if (s.NewObject) {
      EXPECT_EQ(counter->AliveDuringChange.size(), 1u) << s.What;
      EXPECT_EQ(GetObjectType(before), 0u) << s.What << ": deleted after the notification";
      EXPECT_FALSE(font->HandleAllocated()) << s.What;
    } else {
      EXPECT_EQ(font->Handle(), before) << s.What << " is not part of the font object";
    }
    // The same value again is no change.
    counter->Count = 0;
    s.Change();
    EXPECT_EQ(counter->Count, 0) << s.What;
  }
  LOGFONTA lf{};
  ASSERT_EQ(GetObjectA(font->Handle(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  EXPECT_STREQ(lf.lfFaceName, "Arial");
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
  EXPECT_EQ(lf.lfEscapement, 900);
  EXPECT_EQ(lf.lfOrientation, 900);
  EXPECT_EQ(lf.lfPitchAndFamily & 3, VARIABLE_PITCH);
}

TEST(Font, AssignCopiesEverythingWithOneNotification)
{
  auto source = MakeOwned<TFont>();
  auto dest = MakeOwned<TFont>();
  source->SetName("宋体");
  source->SetHeight(-15);
  source->SetColor(clBlue);
  source->SetStyle({TFontStyle::fsBold, TFontStyle::fsUnderline});
  source->SetCharset(GB2312_CHARSET);
  source->SetOrientation(450);
  auto counter = MakeOwned<TChangeCounter>();
  dest->SetOnChange(TNotifyEvent(counter.get(), &TChangeCounter::Changed));
  dest->Assign(source.get());
  EXPECT_EQ(counter->Count, 1);
  EXPECT_EQ(dest->Name(), "宋体");
  EXPECT_EQ(dest->Height(), -15);
  EXPECT_EQ(dest->Color(), clBlue);
  EXPECT_EQ(dest->Style(), source->Style());
  EXPECT_EQ(dest->Charset(), GB2312_CHARSET);
  EXPECT_EQ(dest->Orientation(), 450);
  dest->Assign(source.get());
  EXPECT_EQ(counter->Count, 1) << "nothing changed";

  // From another resolution a font keeps its point size.
  auto large = MakeOwned<TFont>();
  large->SetPixelsPerInch(192);
  large->SetSize(10);
  auto screen = MakeOwned<TFont>();
  screen->SetPixelsPerInch(96);
  screen->Assign(large.get());
  EXPECT_EQ(screen->Size(), 10);
  EXPECT_EQ(screen->Height(), -13);

  auto brush = MakeOwned<TBrush>();
  EXPECT_THROW(dest->Assign(brush.get()), EConvertError);
  EXPECT_THROW(dest->Assign(nullptr), EConvertError);
}

TEST(Font, SetHandleAdoptsTheObjectAndItsProperties)
{
  LOGFONTA lf{};
  lf.lfHeight = -17;
  lf.lfWeight = FW_BOLD;
  lf.lfStrikeOut = TRUE;
  lf.lfCharSet = GB2312_CHARSET;
  lf.lfPitchAndFamily = FIXED_PITCH;
  std::strcpy(lf.lfFaceName, "Courier New");
  HFONT handle = CreateFontIndirectA(&lf);
  auto font = MakeOwned<TFont>();
  int before = LiveGdiObjects(TGdiKind::Font);
  font->SetHandle(handle);
  EXPECT_EQ(LiveGdiObjects(TGdiKind::Font), before + 1) << "owned from now on";
  EXPECT_EQ(font->Handle(), handle);
  EXPECT_EQ(font->Name(), "Courier New");
  EXPECT_EQ(font->Height(), -17);
  EXPECT_EQ(font->Style(), (TFontStyles{TFontStyle::fsBold, TFontStyle::fsStrikeOut}));
  EXPECT_EQ(font->Charset(), GB2312_CHARSET);
  EXPECT_EQ(font->Pitch(), TFontPitch::fpFixed);
  font->SetHeight(-12);
  EXPECT_EQ(GetObjectType(handle), 0u);
  EXPECT_THROW(font->SetHandle(reinterpret_cast<HFONT>(GetStockObject(BLACK_BRUSH))), EInvalidGraphic);
}

TEST(Font, LongFaceNamesAreCutWithoutSplittingACharacter)
{
  auto font = MakeOwned<TFont>();
  std::string name = "A";
  for (int i = 0; i < 20; ++i) name += "宋";  // 1 + 40 bytes in code page 936
  font->SetName(name);
  LOGFONTA lf = font->LogFont();
  EXPECT_EQ(std::strlen(lf.lfFaceName), 31u);  // 'A' and 15 whole characters
  EXPECT_EQ(std::string(lf.lfFaceName), name.substr(0, 31));
  font->SetName(std::string(40, 'x'));
  EXPECT_EQ(std::strlen(font->LogFont().lfFaceName), 31u);
}

TEST(Brush, StylesMakeTheMatchingBrushObjects)
{
  struct Case {
    TBrushStyle Style;
    UINT LbStyle;
    ULONG_PTR Hatch;
  };
  const Case cases[] = {
    {TBrushStyle::bsSolid, BS_SOLID, 0},         {TBrushStyle::bsClear, BS_NULL, 0},
    {TBrushStyle::bsHorizontal, BS_HATCHED, HS_HORIZONTAL}, {TBrushStyle::bsVertical, BS_HATCHED, HS_VERTICAL},
    {TBrushStyle::bsFDiagonal, BS_HATCHED, HS_FDIAGONAL},   {TBrushStyle::bsBDiagonal, BS_HATCHED, HS_BDIAGONAL},
    {TBrushStyle::bsCross, BS_HATCHED, HS_CROSS},           {TBrushStyle::bsDiagCross, BS_HATCHED, HS_DIAGCROSS},
  };
  for (const Case& c : cases) {
    auto brush = MakeOwned<TBrush>();
    brush->SetColor(clBtnFace);
    brush->SetStyle(c.Style);
    LOGBRUSH lb{};
    ASSERT_EQ(GetObjectA(brush->Handle(), sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
    EXPECT_EQ(lb.lbStyle, c.LbStyle) << static_cast<int>(c.Style);
    if (c.LbStyle == BS_HATCHED) {
      EXPECT_EQ(lb.lbHatch, c.Hatch);
    }
    if (c.LbStyle != BS_NULL) {
      EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
    }

    // Adopting the object gives back the same style.
    auto copy = MakeOwned<TBrush>();
    copy->SetHandle(brush->Handle() ? CreateBrushIndirect(&lb) : nullptr);
    EXPECT_EQ(copy->Style(), c.Style);
  }
  auto brush = MakeOwned<TBrush>();
  brush->SetStyle(TBrushStyle::bsClear);
  brush->SetColor(clRed);
  EXPECT_EQ(brush->Style(), TBrushStyle::bsSolid) << "a colour makes a clear brush solid";
  EXPECT_EQ(GetOrdProp(brush.get(), "Color"), clRed);
  EXPECT_TRUE(GetPropInfo(brush.get(), "Style").IsDefault(brush.get()));
}

TEST(Brush, APatternBitmapIsCopiedAndPaints)
{
  auto pattern = MakeOwned<TBitmap>();
  pattern->SetPixelFormat(TPixelFormat::pf24bit);
  pattern->SetSize(8, 8);
  pattern->Canvas()->Brush()->SetColor(clRed);
  pattern->Canvas()->FillRect(RECT{0, 0, 8, 4});
  auto brush = MakeOwned<TBrush>();
  brush->SetBitmap(pattern.get());
  pattern->SetSize(0, 0);  // the brush has its own copy
  ASSERT_NE(brush->Bitmap(), nullptr);
  EXPECT_EQ(brush->Bitmap()->Width(), 8);

  auto target = MakeOwned<TBitmap>();
  target->SetPixelFormat(TPixelFormat::pf24bit);
  target->SetSize(16, 16);
  target->Canvas()->Brush()->Assign(brush.get());
  target->Canvas()->FillRect(RECT{0, 0, 16, 16});
  EXPECT_EQ(target->Canvas()->Pixels(1, 1), clRed);
  EXPECT_EQ(target->Canvas()->Pixels(1, 5), clWhite);
  EXPECT_EQ(target->Canvas()->Pixels(9, 9), clRed);
  brush->SetBitmap(nullptr);
  EXPECT_EQ(brush->Bitmap(), nullptr);
}

TEST(Pen, ModesMapToRasterOperationsBothWays)
{
  const struct {
    TPenMode Mode;
    int Rop2;
  } table[] = {{TPenMode::pmBlack, R2_BLACK},           {TPenMode::pmWhite, R2_WHITE},
               {TPenMode::pmNop, R2_NOP},               {TPenMode::pmNot, R2_NOT},
               {TPenMode::pmCopy, R2_COPYPEN},          {TPenMode::pmNotCopy, R2_NOTCOPYPEN},
               {TPenMode::pmMergePenNot, R2_MERGEPENNOT}, {TPenMode::pmMaskPenNot, R2_MASKPENNOT},
               {TPenMode::pmMergeNotPen, R2_MERGENOTPEN}, {TPenMode::pmMaskNotPen, R2_MASKNOTPEN},
               {TPenMode::pmMerge, R2_MERGEPEN},        {TPenMode::pmNotMerge, R2_NOTMERGEPEN},
               {TPenMode::pmMask, R2_MASKPEN},          {TPenMode::pmNotMask, R2_NOTMASKPEN},
               {TPenMode::pmXor, R2_XORPEN},            {TPenMode::pmNotXor, R2_NOTXORPEN}};
  for (const auto& t : table) {
    EXPECT_EQ(PenModeToRop2(t.Mode), t.Rop2);
    EXPECT_EQ(Rop2ToPenMode(t.Rop2), t.Mode);
    EXPECT_EQ(PenModeInfo.NameOf(static_cast<int>(t.Mode)).substr(0, 2), "pm");
  }
  EXPECT_EQ(Rop2ToPenMode(0), TPenMode::pmCopy);
  EXPECT_EQ(Rop2ToPenMode(99), TPenMode::pmCopy);
}

TEST(Pen, StylesWidthAndColourMakeThePenObject)
{
  const TPenStyle styles[] = {TPenStyle::psSolid,        TPenStyle::psDash,  TPenStyle::psDot,
                              TPenStyle::psDashDot,      TPenStyle::psDashDotDot, TPenStyle::psClear,
                              TPenStyle::psInsideFrame, TPenStyle::psAlternate};
  for (TPenStyle style : styles) {
    auto pen = MakeOwned<TPen>();
    pen->SetColor(clBlue);
    pen->SetStyle(style);
    HPEN handle = pen->Handle();
    ASSERT_NE(handle, nullptr);
    // Adopting a pen object reads its logical pen back.
    auto adopted = MakeOwned<TPen>();
    if (style == TPenStyle::psAlternate) {
      LOGBRUSH lb{BS_SOLID, RGB(0, 0, 255), 0};
      adopted->SetHandle(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr));
    } else {
      adopted->SetHandle(CreatePen(static_cast<int>(style), 1, RGB(0, 0, 255)));
    }
    EXPECT_EQ(adopted->Style(), style);
    if (style != TPenStyle::psClear) {
      EXPECT_EQ(adopted->Color(), clBlue) << static_cast<int>(style);
    }
  }
  auto pen = MakeOwned<TPen>();
  pen->SetWidth(3);
  LOGPEN lp{};
  ASSERT_EQ(GetObjectA(pen->Handle(), sizeof(lp), &lp), static_cast<int>(sizeof(lp)));
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_SOLID));
  EXPECT_EQ(lp.lopnColor, RGB(0, 0, 0));
  pen->SetWidth(-1);
  EXPECT_EQ(pen->Width(), 3) << "negative widths are refused";

  auto counter = MakeOwned<TChangeCounter>();
  pen->SetOnChange(TNotifyEvent(counter.get(), &TChangeCounter::Changed));
  HPEN before = pen->Handle();
  pen->SetMode(TPenMode::pmXor);
  EXPECT_EQ(counter->Count, 1);
  EXPECT_EQ(pen->Handle(), before) << "the mode is not part of the pen object";
  auto other = MakeOwned<TPen>();
  other->Assign(pen.get());
  EXPECT_EQ(other->Mode(), TPenMode::pmXor);
  EXPECT_EQ(other->Width(), 3);
  EXPECT_EQ(GetEnumProp(other.get(), "Mode"), "pmXor");
}
