#pragma once
// Edit view info (unit cxEdit): everything an editor needs to paint itself and to answer hit tests,
// as a view data (cxEditViewData.h) calculated it: the container's bounds, border, client area and
// colours, and one record per shown button. It paints the background and the border, and each
// button through an off-screen bitmap in one of the six button styles, themed, or through a skin
// painter. Compared with a previous view info it invalidates only what changed.
//
// A view info holds no GDI object beyond a paint: colours, rectangles, and fonts and glyphs owned
// elsewhere.
#include <string>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/ClassRef.h"
#include "classlib/Events.h"
#include "classlib/Graphics.h"
#include "classlib/Hints.h"
#include "classlib/Persistent.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsRegion.h"
#include "toolkit/controls/cxContainerViewInfo.h"
#include "toolkit/editors/cxEditButtons.h"
#include "toolkit/editors/cxEditProperties.h"
#include "toolkit/editors/cxEditStyles.h"
#include "toolkit/editors/cxEditViewData.h"

class TcxCustomEdit;

// One shown button.
class TcxEditButtonViewInfo : public TPersistent {
  CL_CLASS(TcxEditButtonViewInfo, TPersistent)
public:
  TcxEditButtonViewInfo() = default;

  RECT Bounds{};
  TColor BackgroundColor = clDefault;  // under the button: the editor's background
  std::string Caption;
  TAlignment ContentAlignment = taCenter;
  bool Default = false;
  bool Gradient = false;
  std::string Hint;
  bool IsInplace = false;
  TcxEditButtonKind Kind = bkDown;
  bool LeftAlignment = false;
  // The button ends its group on that side.
  bool AtLeftEnd = false;
  bool AtRightEnd = false;
  bool NativeStyle = false;
  TcxEditButtonState State = ebsNormal;
  TcxEditButtonStyle Style = bts3D;  // never btsDefault
  TColor TextColor = clBtnText;
  // Shows the editor's background instead of the button face.
  bool Transparent = false;
  std::string ShownCaption;
  // The themed or skinned button is partly transparent.
  bool BackgroundShowsThrough = false;
  // The only button, of kind bkDown.
  bool SingleDropDown = false;
  int ThemePart = 0;  // 0 when not themed
  int ThemeState = 0;
  bool SkinPainted = false;
  TBitmap* Glyph = nullptr;  // the button's, not owned
  bool EraseOnInvalidate = false;
  int ButtonIndex = 0;  // in the Buttons collection
  bool Stretchable = true;
  RECT VisibleBounds{};
  int Width = 0;

  // Copies ThemeState, BackgroundColor, Bounds, Style and State of another record; any other
  // source: the class library's Assign.
  void Assign(TPersistent* Source) override;
  // An empty region when Style, State, BackgroundColor and ThemeState equal the previous record's,
  // else a region of Bounds.
  virtual TOwned<TcxRegion> GetUpdateRegion(TcxEditButtonViewInfo* Previous);
  // Invalidates Bounds (moved by Origin) in the window when one of those differs; answers whether.
  virtual bool InvalidateIfChanged(HWND Window, TcxEditButtonViewInfo* Previous, POINT Origin);

protected:
  bool DiffersFrom(const TcxEditButtonViewInfo* Previous) const;
};
using TcxEditButtonViewInfoClass = TClassRef<TcxEditButtonViewInfo>;

using TcxEditPaintEvent = TEvent<void(TObject* Sender, TcxCanvas* Canvas)>;
using TcxEditDrawBackgroundEvent = TEvent<void(TObject* Sender, TcxCanvas* Canvas, bool& Handled)>;
using TcxEditDrawButtonEvent = TEvent<void(TObject* Sender, TcxCanvas* Canvas, bool& Handled, int ButtonIndex)>;
using TcxEditDrawButtonBackgroundEvent =
    TEvent<void(TObject* Sender, TcxCanvas* Canvas, bool& Handled, int ButtonIndex, const RECT& Rect)>;
using TcxEditDrawButtonBorderEvent = TEvent<void(TObject* Sender, TcxCanvas* Canvas, bool& Handled, RECT& ContentRect,
                                                 RECT& FrameRect, int ButtonIndex)>;
using TcxEditButtonStateCalculatedEvent = TEvent<void(TObject* Sender, int ButtonIndex, TcxEditButtonState& State)>;

// How the background of an editor is drawn.
enum class TcxEditBackgroundKind {
  ebkHandler,            // in place: the background-drawing handler
  ebkPlain,              // the border and a colour fill
  ebkInplaceTransparent, // in place and transparent: nothing
  ebkColor,              // a colour fill
  ebkParentImage,        // stand-alone and transparent: the parent's image
  ebkParentBackground,   // the parent's background
};
using enum TcxEditBackgroundKind;

// What DrawEditBackground draws around the content: 0 the edit's border, 1 a narrower content, 2 a
// drop-down combination (the button theme from Windows Vista on).
using TcxEditBackgroundMode = int;

// The editor's paint option: an external border is drawn around it (in place).
constexpr int cxEditPaintOptionExternalBorder = 4;
// Parts of GetPartAt other than button indexes.
constexpr int cxEditPartBorder = -1;
constexpr int cxEditPartNone = -2;

class TcxCustomEditViewInfo : public TcxContainerViewInfo {
  CL_CLASS(TcxCustomEditViewInfo, TcxContainerViewInfo)
public:
  TcxCustomEditViewInfo();

  // --- Fields ---
  TcxEditDrawBackgroundEvent OnBackgroundPainting;
  TcxEditDrawButtonEvent OnButtonPainting;
  TcxEditDrawButtonBackgroundEvent OnButtonBackgroundPainting;
  TcxEditDrawButtonBorderEvent OnButtonBorderPainting;
  TcxEditButtonStateCalculatedEvent OnButtonStateCalculated;
  TcxEditPaintEvent OnBeforePaint;
  TcxCustomEdit* Edit = nullptr;
  bool PaintingButtons = false;
  TcxEditBorderStyle EditBorderStyle = ebsNone;
  std::vector<TOwned<TcxEditButtonViewInfo>> ButtonViewInfos;
  TcxCustomEditProperties* Properties = nullptr;
  bool Enabled = true;
  bool Focused = false;
  TFont* Font = nullptr;  // the style's, not owned
  bool ErasesBackground = false;
  bool HasInplaceBorder = false;
  bool InnerControlVisible = false;
  // HotState of the container records the hot-tracking state (0 none, 1 normal, 2 highlighted).
  RECT InnerAreaBounds{};
  bool ButtonPressedByMouse = false;
  bool IsInnerControl = false;
  bool DiffersFromData = false;
  bool IsDesigning = false;
  bool IsInplace = false;
  int PreviousPressedButtonIndex = -1;
  int PreviousHotButtonIndex = -1;
  // Where the view info lies in its window; hit tests subtract it.
  POINT Origin{};
  int PaintFlags = 0;
  TcxEditPopupBorderStyle PopupBorderStyle = epbsDefault;
  int PressedButtonIndex = -1;
  int HotButtonIndex = -1;
  RECT CalculatedBorderRect{};
  // The border widths on the four sides, as calculated.
  RECT BorderExtent{};
  TColor ContentTextColor = clDefault;
  // Backgrounds are not filled.
  bool DrawTransparent = false;
  HWND WindowHandle = nullptr;

  // --- Overrides of the container view info ---
  TcxContainerBorderStyle GetBorderStyle() const override
  {
    return static_cast<TcxContainerBorderStyle>(EditBorderStyle);
  }
  void DrawContent(TcxCanvas* Canvas) override;
  // Background and border colours, border style, state, native state, the button records and the
  // pressed and hot buttons, then the container's values.
  void Assign(TObject* Source) override;
  TOwned<TcxRegion> CreateUpdateRegion(TcxContainerViewInfo* Other) override;
  void ShiftBy(int DX, int DY) override;
  // OnBeforePaint, then the container's Paint.
  void Paint(TcxCanvas* Canvas) override;

  // --- Virtual operations ---
  virtual TcxEditButtonViewInfoClass ButtonViewInfoClassType() const { return ClassRef<TcxEditButtonViewInfo>(); }
  // Both clDefault, or the editor's skin colours for a stand-alone editor.
  virtual void GetContentColors(TColor& Background, TColor& Text);
  // The index of the button under the point, else cxEditPartBorder inside the border rectangle,
  // else cxEditPartNone.
  virtual int GetPartAt(POINT P);
  virtual bool GetPartRect(int Part, RECT& Rect);
  virtual bool DrawsText() { return true; }
  virtual void DrawButtonContent(TcxCanvas* Canvas, int Index);
  virtual void SetBackgroundDrawHandler(const TcxEditDrawBackgroundEvent& Handler) { OnBackgroundPainting = Handler; }
  virtual void SaveButtonStates();
  // The frames of the six button styles; each draws on the canvas, narrows ContentRect to what
  // remains inside its lines and FrameRect to the area the background fills.
  virtual void Draw3DButton(TcxCanvas* Canvas, TcxEditButtonViewInfo* Button, TColor& Background, RECT& ContentRect,
                            RECT& FrameRect);
  virtual void DrawFlatButton(TcxCanvas* Canvas, TcxEditButtonViewInfo* Button, TColor& Background, RECT& ContentRect,
                              RECT& FrameRect);
  virtual void DrawHotFlatButton(TcxCanvas* Canvas, TcxEditButtonViewInfo* Button, TColor& Background,
                                 TColor& TextColor, RECT& ContentRect, RECT& FrameRect);
  virtual void DrawNativeStyleButton(TcxCanvas* Canvas, int Index, RECT& ContentRect, RECT& FrameRect);
  virtual void DrawSimpleButton(TcxCanvas* Canvas, TcxEditButtonViewInfo* Button, TColor& Background,
                                RECT& ContentRect, RECT& FrameRect);
  virtual void DrawUltraFlatButton(TcxCanvas* Canvas, TcxEditButtonViewInfo* Button, TColor& Background,
                                   RECT& ContentRect, RECT& FrameRect, bool IsOffice11);
  virtual void DrawThemedButtonBackground(TcxCanvas* Canvas, TcxEditButtonViewInfo* Button, const RECT& Rect);
  virtual void DrawButtonBackground(TcxCanvas* Canvas, TcxEditButtonViewInfo* Button, TColor Color, const RECT& Rect);
  virtual void DrawButton(TcxCanvas* Canvas, int Index);
  // The themed background of the edit around its content.
  virtual void DrawEditBackground(TcxCanvas* Canvas, bool FillAll, HBRUSH Brush, TcxEditBackgroundMode Mode);
  virtual void DrawButtonFrame(TcxCanvas* Canvas, int Index, TColor& Background, TColor& TextColor,
                               RECT& ContentRect, RECT& FrameRect);
  // The content of a button (its arrow, dots, glyph or caption) inside the rect.
  virtual void PaintButtonGlyph(TcxCanvas* Canvas, int Index, int PressedShift, TColor Background, TColor TextColor,
                                const RECT& Rect);
  virtual bool HasHotTrackedPart();
  virtual bool IsHotTrackPoint(POINT P);
  virtual std::string GetHintText(POINT P);
  // The hint of the button under the point: its text before the first "|" and the rectangle the
  // application's hint window needs for it, at the cursor; answers whether there is a text.
  virtual bool GetHintAt(POINT P, RECT& Rect, bool& IsMultiLine, std::string& Text);
  virtual void PrepareCanvasFont(TcxCanvas* Canvas) { (void)Canvas; }
  virtual void InvalidateChanges(HWND Window, TcxCustomEditViewInfo* Previous);
  // Invalidates what changed against the previous view info, leaving out InnerRect (in window
  // coordinates); answers whether anything changed.
  virtual bool InvalidateChangedParts(HWND Window, const RECT& InnerRect, TcxCustomEditViewInfo* Previous);

  // --- Non-virtual ---
  int ButtonCount() const { return static_cast<int>(ButtonViewInfos.size()); }
  TcxEditButtonViewInfo* Buttons(int Index) const { return ButtonViewInfos.at(Index).get(); }
  // Frees surplus records and makes missing ones of ButtonViewInfoClassType.
  void SetButtonCount(int Count);
  // In place, OnBackgroundPainting answered handled.
  bool DrawBackgroundByHandler(TcxCanvas* Canvas);
  bool HasBackgroundHandler() const { return static_cast<bool>(OnBackgroundPainting); }
  // A handler would draw the button.
  bool HasCustomButtonDrawing(int Index) const;
  TcxEditBackgroundKind GetBackgroundKind();
  // The background is something other than a plain fill.
  bool IsPlainBackgroundState();
  // Draws the background by its kind inside the rect, leaving out InnerRect unless FillAll.
  void DrawBackgroundInRect(TcxCanvas* Canvas, const RECT& Rect, bool FillAll, const RECT& InnerRect);

protected:
  // The plain background: shadow, the painter's border, and the fill (FillAll: the content too).
  void DrawPlainBackground(TcxCanvas* Canvas, bool FillAll);
  // Background and border by kind: the handler, the theme or the plain painting.
  void DrawBackgroundAndBorder(TcxCanvas* Canvas, bool FillAll);
  // The buttons, unless they are being drawn or the editor claims the canvas's window.
  void DrawButtons(TcxCanvas* Canvas);

private:
  void PaintEllipsis(TcxCanvas* Canvas, const TcxEditButtonViewInfo* Button, int PressedShift, TColor Color,
                     const RECT& Rect);
  void PaintArrow(TcxCanvas* Canvas, const TcxEditButtonViewInfo* Button, int PressedShift, TColor Color,
                  const RECT& Rect);
  void PaintGlyph(TcxCanvas* Canvas, const TcxEditButtonViewInfo* Button, int PressedShift, const RECT& Rect);
  void PaintCaption(TcxCanvas* Canvas, const TcxEditButtonViewInfo* Button, int PressedShift, const RECT& Rect);
  // Whether a pressed button moves its content by a pixel.
  int PressedShiftOf(const TcxEditButtonViewInfo* Button) const;
};

// The hint window the view infos measure hints with: one shared window of the application's hint
// window class (made again when that class changes), freed when the editors' unit shuts down.
THintWindow* EditHintMeasuringWindow();
