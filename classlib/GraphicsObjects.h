#pragma once
// The drawing tools of a canvas: TFont, TBrush and TPen. Each is a persistent object with published
// properties, an OnChange event, and one GDI object of its own that is created when first asked for
// and created anew after any change.
//
// A change fires OnChange while the old GDI object still exists and destroys it only afterwards, so
// that a canvas (or a window) listening to the change can first put the new object in its place; a
// GDI object is never deleted while the canvas that owns the tool has it selected.
#include <cstdint>
#include <string>
#include "classlib/Events.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Persistent.h"
#include "classlib/Sets.h"
#include "classlib/TypInfo.h"

class TBitmap;

class TGraphicsObject : public TPersistent {
  CL_CLASS(TGraphicsObject, TPersistent)
public:
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& value) { FOnChange = value; }
  virtual bool HandleAllocated() const = 0;

protected:
  // Fires OnChange.
  virtual void Changed();

private:
  TNotifyEvent FOnChange;
};

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum class TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;

// The font that new TFont objects start with: the screen's default face at 8 points.
struct TFontData {
  std::string Name;
  int Height;
  TFontCharset Charset;
};
const TFontData& DefFontData();

class TFont : public TGraphicsObject {
  CL_CLASS(TFont, TGraphicsObject)
public:
  TFont();
  ~TFont() override;
  void Assign(TPersistent* source) override;
  bool HandleAllocated() const override { return static_cast<bool>(FHandle); }

  // The font object, created on demand.
  HFONT Handle();
  // Takes ownership of a font object and takes its properties from its LOGFONT.
  void SetHandle(HFONT font);

  const std::string& Name() const { return FName; }
  void SetName(const std::string& value);
  // Character height in pixels: negative for the em height, positive for the cell height.
  int Height() const { return FHeight; }
  void SetHeight(int value);
  // Size in points, from Height and PixelsPerInch.
  int Size() const;
  void SetSize(int value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch value);
  // Angle of the baseline in tenths of a degree.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int value);
  // The resolution Size converts at; the screen's by default.
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int value) { FPixelsPerInch = value > 0 ? value : ScreenPixelsPerInch(); }

  LOGFONTA LogFont() const;

protected:
  void Changed() override;

private:
  std::string FName;
  int FHeight;
  TColor FColor = clWindowText;
  TFontCharset FCharset;
  TFontStyles FStyle;
  TFontPitch FPitch = TFontPitch::fpDefault;
  int FOrientation = 0;
  int FPixelsPerInch;
  TFontHandle FHandle;
};

// Names of the character sets as stored forms write them ("DEFAULT_CHARSET", "GB2312_CHARSET").
bool CharsetToIdent(int64_t charset, std::string& ident);
bool IdentToCharset(std::string_view ident, int64_t& charset);

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
  CL_CLASS(TBrush, TGraphicsObject)
public:
  TBrush();
  ~TBrush() override;
  void Assign(TPersistent* source) override;
  bool HandleAllocated() const override { return static_cast<bool>(FHandle); }

  HBRUSH Handle();
  // Takes ownership of a brush object and takes colour and style from its LOGBRUSH.
  void SetHandle(HBRUSH brush);

  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle value);
  // A pattern: the brush keeps its own copy of the bitmap (nullptr removes the pattern). While a
  // pattern is set it takes the place of colour and style.
  TBitmap* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(TBitmap* value);

protected:
  void Changed() override;

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = TBrushStyle::bsSolid;
  TOwned<TBitmap> FBitmap;
  TBrushHandle FHandle;
};

// The raster operation of each mode is its R2_ value (PenModeToRop2).
enum class TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
  pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
int PenModeToRop2(TPenMode mode);
// The mode of a raster operation; pmCopy when none has it.
TPenMode Rop2ToPenMode(int rop2);

enum class TPenStyle {
  psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate
};

class TPen : public TGraphicsObject {
  CL_CLASS(TPen, TGraphicsObject)
public:
  TPen();
  ~TPen() override;
  void Assign(TPersistent* source) override;
  bool HandleAllocated() const override { return static_cast<bool>(FHandle); }

  HPEN Handle();
  // Takes ownership of a pen object and takes colour, style and width from its LOGPEN.
  void SetHandle(HPEN pen);

  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  // The mode is not part of the pen object: a canvas sets it on its device context.
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle value);
  int Width() const { return FWidth; }
  void SetWidth(int value);

protected:
  void Changed() override;

private:
  TColor FColor = clBlack;
  TPenMode FMode = TPenMode::pmCopy;
  TPenStyle FStyle = TPenStyle::psSolid;
  int FWidth = 1;
  TPenHandle FHandle;
};

extern const TEnumInfo FontStyleInfo;
extern const TEnumInfo FontPitchInfo;
extern const TEnumInfo BrushStyleInfo;
extern const TEnumInfo PenModeInfo;
extern const TEnumInfo PenStyleInfo;
