#pragma once
// Bar painters: the one object through which every toolbar, dock, menu window and item control of the
// bars measures and draws itself.
//
// The shape of the painter family
// -------------------------------
// - A painter owns no state. It is a table of virtual operations: metrics (sizes, margins, indents),
//   colours and brushes, yes-or-no questions about the look (flat or 3-D, hot tracking, a glyph band
//   in menus), and drawings of the parts of bars, menus and items on the device context or canvas the
//   caller hands in. Every operation is const; the same painter answers the same inputs alike,
//   whatever it drew before.
// - The order of the virtual operations below is part of the interface: a painter derived outside
//   this family (a skin bar painter) relies on the list being complete and in this order. Add new
//   operations after the last one of the class that introduces them.
// - Classes: TdxBarPainter is the base; TdxBarStandardPainter (and TdxBarEnhancedPainter under it),
//   TdxBarFlatPainter (and TdxBarOffice11Painter under it) and TdxBarXPPainter derive from it. The
//   flat painter adds eight operations, the Office 2003 painter two more. A painter class is a value
//   (TdxBarPainterClass); its virtual constructor takes the look-and-feel's skin painter (nullptr
//   when there is none), which the painters of this family ignore:
//     TOwned<TdxBarPainter> painter(painterClass.Create(skinPainter));
//   The bar manager owns the painter of its style and replaces it as a whole; the bar unit owns one
//   shared flat painter.
// - Colour sentinels: clDefault as an answer means "no colour of its own, the caller's default
//   applies"; clNone means "draw nothing". System colours are the class library's named colours
//   (clBtnText, ...). A brush answer may be a system colour brush (SystemColorBrush: the index + 1),
//   which FillRect takes and which is never freed.
// - Callers: bar controls (TCustomdxBarControl; toolbars TdxBarControl, menus TdxBarSubMenuControl),
//   docks (TdxDockControl), item controls (TdxBarItemControl) through their draw parameters
//   (TdxBarItemControlDrawParams and its kinds), the bar manager and its bars. The operations take
//   them as they are; an operation whose answer reads one of them gives its neutral answer (0, false,
//   clDefault, no brush, an empty rect, nothing drawn) until that object can be asked, and so does an
//   operation whose drawing is not built yet (see dxBarPainterPending.cpp).
#include <cstdint>
#include <string_view>
#include <vector>
#include "classlib/ClassRef.h"
#include "classlib/Colors.h"
#include "classlib/Sets.h"
#include "classlib/StdCtrls.h"
#include "classlib/Win.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxLookAndFeelPainters.h"

class TBitmap;
class TCustomImageList;
class TWinControl;
class TcxCanvas;
class TcxLookAndFeel;
class TdxScreenTip;

// The bar manager and its item model.
class TdxBar;
class TdxBarItem;
class TdxBarItemLink;
class TdxBarManager;
class TdxBarCustomHintViewInfo;
class TdxBarCaptionButton;
// Bar controls: the base, toolbar windows, menu windows; docks.
class TCustomdxBarControl;
class TdxBarControl;
class TdxBarSubMenuControl;
class TdxDockControl;
// Item controls and the draw parameters they hand to the painter.
class TdxBarItemControl;
class TdxBarEditControl;
class TCustomdxBarComboControl;
class TdxBarItemControlDrawParams;
class TdxBarButtonLikeControlDrawParams;
class TdxBarEditLikeControlDrawParams;
class TdxBarStaticLikeControlDrawParams;
class TdxBarSeparatorControlDrawParams;
class TdxBarColorComboControlDrawParams;
class TdxBarSpinEditDrawParams;
class TdxBarProgressControlDrawParams;
class TdxBarInPlaceSubItemControlDrawParams;

// Where a bar is: floating (dsNone) or docked at an edge.
enum class TdxBarDockingStyle : uint8_t { dsNone, dsLeft, dsTop, dsRight, dsBottom };
using enum TdxBarDockingStyle;

// How an item control is painted: on a horizontal toolbar, in a menu, on a rotated (vertical) toolbar.
enum class TdxBarPaintType : uint8_t { ptHorz, ptMenu, ptVert };
using enum TdxBarPaintType;

// The state of an item's glyph: checked (the button is down), pressed by the mouse, hot (selected).
enum class TdxBarPaintingState : uint8_t { psChecked, psPressed, psHot };
using TdxBarPaintingStates = TSet<TdxBarPaintingState>;

// Border styles of static items.
enum class TdxBarStaticBorderStyle : uint8_t { sbsNone, sbsLowered, sbsRaised, sbsEtched, sbsBump };
using enum TdxBarStaticBorderStyle;

// The buttons of a spin edit.
enum class TdxBarSpinEditButton : uint8_t { sbNone, sbUp, sbDown };
using enum TdxBarSpinEditButton;

// Painters that render the two pictures of a fading item or bar part themselves (skin painters).
class IdxBarFadingImagePainter {
public:
  virtual bool SupportsFadingImages() const = 0;
  virtual bool DrawBarFadingImage(TCustomdxBarControl* BarControl, HDC DC, const RECT& R, bool Hot) const = 0;
  virtual void DrawItemFadingImage(TdxBarItemControlDrawParams* DrawParams) const = 0;

protected:
  ~IdxBarFadingImagePainter() = default;
};

// What the draw parameters of the extended items tell their painter beyond the base parameters. Each
// kind of parameters offers the interface of its values (the painter finds it with Supports); where
// a kind offers none, the painter takes the neutral values (no custom-colour button, nothing
// pressed, an empty progress track).
class IdxBarColorComboDrawValues {
public:
  virtual bool ShowsCustomColorButton() const = 0;
  // The custom-colour button is held down (its dialog is open).
  virtual bool IsCustomColorButtonPressed() const = 0;

protected:
  ~IdxBarColorComboDrawValues() = default;
};

class IdxBarSpinEditDrawValues {
public:
  // The spin button shown pressed: 3 up, 4 down, -1 none.
  virtual int SpinPressedPart() const = 0;

protected:
  ~IdxBarSpinEditDrawValues() = default;
};

class IdxBarProgressDrawValues {
public:
  virtual int ProgressPosition() const = 0;
  virtual int ProgressMin() const = 0;
  virtual int ProgressMax() const = 0;
  virtual bool ProgressSmooth() const = 0;

protected:
  ~IdxBarProgressDrawValues() = default;
};

class TdxBarPainter : public TcxIUnknownObject {
  CL_CLASS(TdxBarPainter, TcxIUnknownObject)
public:
  // Every painter class is made with the look-and-feel's skin painter (nullptr without one).
  struct TMeta : TMetaClassOf<TdxBarPainter, TcxCustomLookAndFeelPainter*> {};
  explicit TdxBarPainter(TcxCustomLookAndFeelPainter* SkinPainter);

  // Mark states (toolbar mark, close button, selected frames): 0 normal, 1 hot, 2 pressed or open.
  // MDI button states: 0 normal, 1 disabled, 2 hot, 3 pressed but not hot, 4 hot and pressed.

  // The client background through the bar control's own background routine and brush, colour clNone.
  virtual void FillClientBackground(TCustomdxBarControl* BarControl) const;
  // Called only when PaintsWholeBarFrame answers true; nothing in the base.
  virtual void DrawBarNonClientArea(TdxBarControl* Toolbar, HDC DC) const;
  // The window rect deflated by the floating frame, Bottom := Top + GetFloatingCaptionHeight.
  virtual RECT GetFloatingCaptionRect(TdxBarControl* Toolbar, const RECT& WindowRect) const;
  virtual bool PaintsWholeBarFrame() const;
  virtual bool UsesDoubleBuffering() const;
  // Whether item controls honour the manager's LargeIcons.
  virtual bool SupportsLargeIcons() const;
  // Moves the content rect's edge past the glyph; answers the alignment of the caption.
  virtual TAlignment CalcGlyphPlacement(TdxBarItemControlDrawParams* DrawParams, RECT& ContentRect,
                                        const RECT& GlyphRect) const;
  virtual void FrameItemGlyph(TdxBarItemControl* ItemControl, HDC DC, TdxBarPaintingStates States,
                              const RECT& GlyphRect) const;
  // The check mark of a checked menu item at (X, Y); SizeFactor 1, or 2 for large fonts.
  virtual void PaintCheckGlyph(TdxBarItemControl* ItemControl, HDC DC, int SizeFactor, int X, int Y) const;
  virtual void DrawCheckOverlay(TdxBarItemControl* ItemControl, HDC DC, bool Checked, TdxBarPaintType PaintType,
                                const RECT& GlyphRect) const;
  // The small item arrow centred in the rect (clDefault: the colour of the states).
  virtual void PaintDropDownArrow(HDC DC, const RECT& R, TColor Color, bool Flat, bool Selected, bool Enabled,
                                  TcxArrowDirection Direction) const;
  // The item arrow of the given size centred in the rect.
  virtual void PaintLargeDropDownArrow(HDC DC, const RECT& R, TColor Color, bool Flat, bool Selected, bool Enabled,
                                       int Size, TcxArrowDirection Direction) const;
  virtual void OutlineFlatSelection(HDC DC, const RECT& R) const;
  // clBtnText, or clHighlightText when selected in a look that is not flat.
  virtual TColor GetTextColorByState(TdxBarItemControl* ItemControl, bool Selected, bool Flat) const;
  // Disabled text: the colour, and the colour drawn one pixel right and down under it.
  virtual void QueryDisabledTextColors(TdxBarItemControl* ItemControl, bool Selected, bool Flat, TColor& TextColor,
                                       TColor& ShadowColor) const;
  virtual TColor GetEnabledTextColor(TdxBarItemControl* ItemControl, bool Selected, bool Flat) const;
  // The item control's own text colour when HasOwnTextColors, else clDefault.
  virtual TColor GetOwnTextColor(TdxBarItemControlDrawParams* DrawParams) const;
  // The manager's MakeDisabledImagesFaded.
  virtual bool AreDisabledImagesFaded(TCustomdxBarControl* BarControl) const;
  virtual bool IsClassicLook() const;
  virtual bool UsesMenuBandBackground() const;
  // Whether the painter renders fading pictures itself (IdxBarFadingImagePainter).
  virtual bool IsSkinPainter() const;
  virtual bool UsesMenuBarLook(TdxBarItemControl* ItemControl) const;
  virtual bool HasOwnTextColors() const;
  // Maps the item rect to the screen and lets the bar control adjust the hint point.
  virtual void ShowControlScreenTip(TCustomdxBarControl* BarControl, const RECT& ItemRect, POINT& HintPoint,
                                    SIZE HintSize) const;
  // A new plain bar hint view info at the cursor position; the screen tip is for painters that
  // show screen tips.
  virtual TOwned<TdxBarCustomHintViewInfo> MakeHintViewInfo(TdxBarManager* Manager, std::string_view HintText,
                                                            TdxScreenTip* ScreenTip, std::string_view ShortCut) const;
  virtual bool SupportsOwnHintWindow() const;
  // A rect lower than 17 pixels.
  virtual bool IsSmallBar(TdxBarControl* Toolbar, const RECT& R) const;
  virtual TColor GetFloatingCaptionBackColor(TdxBarControl* Toolbar, bool Active) const;
  virtual TColor GetFloatingCaptionTextColor(TdxBarControl* Toolbar) const;
  virtual TColor GetMarkGlyphColor(TdxBarControl* Toolbar, int MarkState) const;
  virtual void DrawStatusBarSizeGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) const;
  virtual void DrawMarkDownArrow(TdxBarControl* Toolbar, HDC DC, const RECT& R) const;
  virtual void DrawMarkChevrons(TdxBarControl* Toolbar, HDC DC, int Position, const RECT& R) const;
  virtual void DrawBarMarkBackground(TdxBarControl* Toolbar, HDC DC, int MarkState, const RECT& R) const;
  virtual void DrawBarMarkGlyphs(TdxBarControl* Toolbar, HDC DC, const RECT& R) const;
  // X := the right edge of the toolbar's floating mark-button rect + 3.
  virtual void GetFloatingCaptionTextLeft(TdxBarControl* Toolbar, int& X, RECT& CaptionRect) const;
  // The system colour index (COLOR_xxx) of the mark's glyphs.
  virtual int GetMarkElementColorIndex(TdxBarControl* Toolbar) const;
  virtual void DrawItemCaptionFromParams(TdxBarItemControlDrawParams* DrawParams, const RECT& R, UINT TextFlags,
                                         TAlignment Alignment) const;
  virtual RECT GetMenuGlyphMargins() const;
  virtual void CalcCaptionTextRect(TdxBarItemControlDrawParams* DrawParams, RECT& R) const;
  virtual void AddMenuItemIndent(TdxBarItemControlDrawParams* DrawParams, int& Width) const;
  virtual int GetSpaceAfterDot(int DotSize) const;
  virtual RECT CalcCustomColorButtonRect(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  // ((height − 4) div 7) × 7 − the left and right colour button margins + 4.
  virtual int CalcCustomColorButtonSize(TdxBarPaintType PaintType, const RECT& R) const;
  virtual void PaintEllipsisDot(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual void DrawEllipsisDots(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual void DrawSubMenuArrow(TdxBarItemControlDrawParams* DrawParams, const RECT& R, TColor Color, int Size) const;
  virtual void FillRectWithBarColor(TcxCanvas* Canvas, const RECT& R, TColor Color) const;
  virtual void DrawScrollArrow(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, TcxArrowDirection Direction,
                               TColor Color, const RECT& R) const;
  virtual void DrawScrollButton(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Bottom) const;
  virtual void DrawScrollButtonBackground(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Bottom) const;
  virtual void DrawScrollButtonEdge(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Top) const;
  virtual RECT GetScrollButtonRect(TdxBarSubMenuControl* SubMenu, bool Bottom) const;
  // The sub-menu's text height unit.
  virtual int GetScrollButtonHeight(TdxBarSubMenuControl* SubMenu) const;
  // ArrowSize := Size div 3 − 1, Remainder := Size mod 3.
  virtual void SplitScrollArrowSize(int Size, int& ArrowSize, int& Remainder) const;
  virtual void DrawDetachStripe(TdxBarSubMenuControl* SubMenu, HDC DC, bool Hot, const RECT& R) const;
  virtual void DrawDetachCaption(TdxBarSubMenuControl* SubMenu, const RECT& R, bool Hot) const;
  virtual void DrawHotDetachCaption(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) const;
  virtual bool ReservesScrollButtonSpace() const;
  virtual void GetEditTextRect(TdxBarPaintType PaintType, RECT& R) const;
  // The spin arrow at the point (the name is the historical one).
  virtual void DrawTextAtPoint(TdxBarItemControlDrawParams* DrawParams, POINT P, TdxBarSpinEditButton Button) const;
  virtual TColor GetSeparatorLineColor() const;
  // The look-and-feel painter whose look the screen tips and sizing panels of bars take.
  virtual TcxCustomLookAndFeelPainter* GetPairedLookAndFeelPainter() const;
  virtual void DrawCenteredButtonText(HDC DC, const RECT& R, bool Opaque, std::string_view Text, int Shift) const;
  // (The virtual constructor stands here: TMeta::NewInstance.)
  // Part rects of item controls (part 0 is the whole control).
  virtual void CalcItemParts(TdxBarItemControlDrawParams* DrawParams, std::vector<RECT>& Parts) const;
  virtual void CalcButtonParts(TdxBarItemControlDrawParams* DrawParams, std::vector<RECT>& Parts) const;
  virtual void CalcColorComboParts(TdxBarItemControlDrawParams* DrawParams, std::vector<RECT>& Parts, const RECT& R,
                                   int Width) const;
  virtual void CalcComboParts(TdxBarItemControlDrawParams* DrawParams, std::vector<RECT>& Parts, const RECT& R,
                              int Width) const;
  virtual void CalcEditParts(TdxBarItemControlDrawParams* DrawParams, std::vector<RECT>& Parts) const;
  virtual void CalcSpinEditParts(TdxBarItemControlDrawParams* DrawParams, std::vector<RECT>& Parts,
                                 const RECT& R) const;
  virtual void CalcBarBorderSize(TdxBar* Bar, TdxBarDockingStyle DockingStyle, RECT& Borders,
                                 bool WithSizeGrip) const;
  virtual int GetAutoAlignToolbarsOffset() const;
  virtual int GetBarEndIndent() const;
  virtual int CalcGlyphAreaSize(TCustomdxBarControl* BarControl) const;
  virtual int GetSubItemArrowOffset(TdxBarItemControl* ItemControl) const;
  // The text-metric height of the canvas font + 6.
  virtual int GetDefaultItemHeight(TcxCanvas* Canvas) const;
  virtual int GetPopupBorderWidth() const;
  virtual RECT CalcHintPosition(SIZE HintSize, const RECT& ItemRect, TdxBarPaintType PaintType, int GlyphLayout,
                                const RECT& GlyphRect) const;
  // With UseBrush: FillRect with the brush; else the bar control's own background routine.
  virtual void FillItemBackground(TdxBarItemControl* ItemControl, HDC DC, bool UseBrush, HBRUSH Brush,
                                  const RECT& R) const;
  virtual void FrameItemBackground(TdxBarItemControl* ItemControl, HDC DC, bool UseBrush, HBRUSH Brush,
                                   const RECT& R) const;
  // Fills the rect with the COLOR_BTNSHADOW system brush.
  virtual void PaintDisabledShadow(TdxBarItemControl* ItemControl, HDC DC, const RECT& R) const;
  virtual void FillEditBackground(TdxBarItemControlDrawParams* DrawParams, TcxCanvas* Canvas, HBRUSH Brush,
                                  const RECT& R) const;
  virtual void DrawItemGlyph(TdxBarItemControl* ItemControl, HDC DC, TdxBarPaintingStates States,
                             TCustomImageList* Images, int ImageIndex, TBitmap* Glyph, const RECT& ItemRect,
                             const RECT& AreaRect) const;
  virtual void DrawItemGlyphState(TdxBarItemControl* ItemControl, HDC DC, TdxBarPaintingStates States,
                                  bool DrawAsCheckMark, TCustomImageList* Images, int ImageIndex, TBitmap* Glyph,
                                  const RECT& ItemRect, const RECT& GlyphRect) const;
  virtual void DrawButtonFace(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual void DrawItemCaption(TdxBarItemControl* ItemControl, HDC DC, std::string_view Text, const RECT& R,
                               TAlignment Alignment, bool Enabled, bool Selected, bool Rotated, bool Clip,
                               bool FlatLook, UINT TextFlags) const;
  // A sunken outer edge round the rect, which then shrinks by one.
  virtual void DrawSunkenEdge(HDC DC, RECT& R) const;
  virtual void DrawCheckedFrame(TdxBarItemControl* ItemControl, HDC DC, bool Pressed, bool Hot, bool Enabled,
                                const RECT& R) const;
  virtual RECT GetCaptionMargins() const;
  // The item control's brush.
  virtual HBRUSH GetGlyphBackgroundBrush(TdxBarItemControl* ItemControl, TdxBarPaintingStates States) const;
  virtual int GetCheckedGlyphShift() const;
  virtual int GetPressedGlyphShift() const;
  virtual bool DrawsGlyphShadow() const;
  virtual bool IsFlatLook() const;
  // IsFlatLook, and the button face is not white (no high-contrast scheme).
  virtual bool IsFlatAndNoHighContrast() const;
  virtual bool HasHotTextColor(TdxBarItemControl* ItemControl) const;
  virtual bool IsItemDrawnSelected(TdxBarItemControl* ItemControl, TdxBarPaintingStates States) const;
  virtual bool UsesPressedGlyphMode() const;
  // True when DrawsNativeBackground; else false for a non-recent item control; else whether its bar
  // control has a custom background.
  virtual bool IsBackgroundDrawnByBar(TdxBarItemControl* ItemControl) const;
  virtual bool HasDropDownSeparator() const;
  virtual int GetButtonBorderWidth() const;
  // The bar control's text height unit + 1 when it is docked at the top, else 0.
  virtual int GetItemLeftIndent(TdxBarItemControl* ItemControl) const;
  virtual int GetGripMargin() const;
  // SM_CXFRAME and SM_CYFRAME.
  virtual int GetFloatingFrameWidth() const;
  virtual int GetFloatingFrameHeight() const;
  virtual int GetNoGripIndent() const;
  virtual int GetGripAreaSize(TdxBarControl* Toolbar) const;
  virtual int GetGripSize() const;
  // The manager's ButtonArrowWidth, doubled with LargeIcons, plus 1 when that is even.
  virtual int GetLargeButtonHeightUnit(TdxBarManager* Manager) const;
  // The bar control's item line height.
  virtual int GetItemRowHeight(TCustomdxBarControl* BarControl) const;
  virtual int GetSubMenuGroupIndent() const;
  virtual void FillDockBackground(TdxDockControl* Dock, HDC DC, HBRUSH Brush, TColor Color, const RECT& Origin,
                                  const RECT& R, const RECT& ClipRect) const;
  virtual bool DrawsNativeBackground() const;
  virtual bool JoinsMenusToToolbarItems() const;
  // HasFlatDropDownArrow and the bar control floats.
  virtual bool HasBarBorderLine(TCustomdxBarControl* BarControl) const;
  // HasBarBorderLine, and the bar control that opened it is missing or docked.
  virtual bool HasOwnerBarBorderLine(TCustomdxBarControl* BarControl) const;
  // The manager's flat toolbar brush.
  virtual HBRUSH GetOwnerBarBrush(TdxBarManager* Manager) const;
  virtual int GetDockRowSpacing() const;
  virtual void FillDockedBarBackground(TdxBarControl* Toolbar, HDC DC, HBRUSH Brush, TColor Color, const RECT& R,
                                       const RECT& ClipRect) const;
  virtual void FillFloatingBarBackground(TdxBarControl* Toolbar, HDC DC, HBRUSH Brush, TColor Color,
                                         const RECT& R, const RECT& ClipRect) const;
  // Fills the strip joining a popup to its owner with GetOwnerBarBrush.
  virtual void FillQuickControlFrame(TCustomdxBarControl* BarControl, HDC DC) const;
  // The COLOR_BTNFACE system brush.
  virtual HBRUSH GetToolbarBrush() const;
  virtual HBRUSH GetBarBrush(TCustomdxBarControl* BarControl) const;
  // The bar unit's checker brush.
  virtual HBRUSH GetSelectedItemBrush() const;
  virtual HBRUSH GetMenuBrush() const;
  virtual HBRUSH GetHighlightBrush() const;
  // 2 × the width of "0" − 1.
  virtual int CalcDropDownButtonWidth(TcxCanvas* Canvas, int ZeroWidth) const;
  virtual int CalcEditItemHeight(TCustomdxBarControl* BarControl, int TextHeight) const;
  virtual void GetEditTextVertMargins(int& Top, int& Bottom) const;
  // Told when a menu window changed its size: its window and its non-client rect at the origin.
  virtual void MenuWindowResized(HWND Wnd, const RECT& WindowRect, bool Redraw) const;
  virtual bool UsesHotTrackLook() const;
  virtual bool AllowsQuickCustomizingMark() const;
  // (GetBarBeginGroupSize − 2) div 2.
  virtual int GetBeginGroupLineOffset() const;
  virtual int GetBarBeginGroupSize() const;
  // Every side GetStatusBarBorderWidth.
  virtual void CalcStatusBarBorders(TdxBar* Bar, RECT& R) const;
  virtual int GetStatusBarBorderWidth() const;
  // The borders of a docked toolbar with BorderStyle bbsSingle.
  virtual RECT GetStatusBarMargins(TdxBar* Bar, TdxBarDockingStyle DockingStyle) const;
  virtual int GetFloatingCaptionHeightWithLine() const;
  virtual void FillFloatingCaption(TdxBarControl* Toolbar, HDC DC, HBRUSH Brush, const RECT& R) const;
  // The system's small caption height (non-client metrics).
  virtual int GetFloatingCaptionHeight() const;
  virtual bool HasThemedFloatingCaption() const;
  virtual SIZE GetFloatingCaptionButtonSize() const;
  virtual void FillBarControlBackground(TdxBarControl* Toolbar, HDC DC, HBRUSH Brush, TColor Color, const RECT& R,
                                        const RECT& ClipRect) const;
  virtual void DrawBeginGroupSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Horizontal, HBRUSH Brush,
                                       const RECT& R) const;
  virtual void DrawSelectedItemFrame(TCustomdxBarControl* BarControl, HDC DC, int State, const RECT& R) const;
  virtual void DrawFloatingCloseButton(TdxBarControl* Toolbar, HDC DC, bool Pressed, const RECT& R) const;
  // One of the bar's caption buttons in a floating caption: the caption's colour, a raised edge
  // while hot, a sunken one while pressed (its glyph one pixel right and down), the glyph grey
  // while disabled (dxBarPainterCaptionButtons.cpp).
  virtual void DrawCaptionButton(TdxBarControl* Toolbar, HDC DC, TdxBarCaptionButton* Button, const RECT& R) const;
  virtual void DrawDockedBarBorder(TdxBarControl* Toolbar, HDC DC, const RECT& R) const;
  virtual void DrawFloatingBarFrame(TdxBarControl* Toolbar, HDC DC, const RECT& R) const;
  virtual void DrawFloatingCaption(TdxBarControl* Toolbar, HDC DC, HBRUSH Brush, const RECT& WindowRect,
                                   const RECT& CaptionRect) const;
  // DrawMarkDownArrow.
  virtual void DrawFloatingMarkButton(TdxBarControl* Toolbar, HDC DC, const RECT& R) const;
  virtual void DrawBarMark(TdxBarControl* Toolbar, TcxCanvas* Canvas, int MarkState, const RECT& R) const;
  // Button 0 minimize, 1 restore, 2 close.
  virtual void DrawMdiButton(TdxBarControl* Toolbar, int Button, HDC DC, int State, const RECT& R) const;
  virtual void DrawSizeGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) const;
  // The top strip of height GetStatusBarTopBorder through the bar control's background routine.
  virtual void FillStatusBarTop(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) const;
  virtual int GetBarHorzMargin() const;
  virtual RECT GetBarMarkHitRect(TdxBarControl* Toolbar) const;
  virtual RECT GetBarMarkRect(TdxBarControl* Toolbar) const;
  virtual void InvalidateBarMark(TdxBarControl* Toolbar) const;
  virtual int GetBarTopMargin() const;
  virtual int GetBarBottomMargin() const;
  virtual bool HasSizingBorder() const;
  virtual bool HasThickBorder() const;
  virtual int GetMarkWidth() const;
  virtual void FillStatusBarBackground(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, TColor Color,
                                       const RECT& Origin, const RECT& R, const RECT& ClipRect) const;
  virtual RECT GetSizeGripMargins() const;
  virtual int GetStatusBarTopBorder() const;
  // The themed size grip when native backgrounds are drawn and visual styles are available, else
  // (SM_CXHSCROLL, SM_CYHSCROLL).
  virtual SIZE GetSizeGripSize(TdxBarManager* Manager) const;
  virtual HBRUSH GetQuickControlBrush(TCustomdxBarControl* BarControl) const;
  // The check box of a quick-customization item: R's Right := Left + its height; Width := that width.
  virtual void CalcQuickCustItemCheckRect(TdxBarItemControl* ItemControl, HDC DC, bool Hot, int& Width,
                                          RECT& R) const;
  virtual void DrawQuickCustItemCheck(TdxBarItemControl* ItemControl, HDC DC, bool Hot, const RECT& CheckRect,
                                      const RECT& ItemRect) const;
  virtual bool IsQuickPopupOnRight() const;
  // The glyph band width of the sub-menu that shows the item.
  virtual int GetParentGlyphBandWidth(TdxBarItemControlDrawParams* DrawParams) const;
  virtual RECT GetMenuCaptionMargins() const;
  // The item control's brush.
  virtual HBRUSH GetDropDownPartBrush(TdxBarItemControlDrawParams* DrawParams) const;
  virtual bool IsDropDownPartSelected(TdxBarItemControlDrawParams* DrawParams) const;
  virtual bool IsDropDownArrowSelected(TdxBarItemControlDrawParams* DrawParams) const;
  virtual bool HasFlatDropDownArrow() const;
  virtual bool HasFlatSubItemArrow() const;
  virtual int GetButtonVertPadding() const;
  virtual int GetButtonHorzPadding() const;
  virtual int CalcButtonHeight(int ContentHeight) const;
  virtual int CalcButtonWidth(int ContentWidth) const;
  virtual SIZE CalcButtonSize(int ContentWidth, int ContentHeight) const;
  virtual SIZE GetDropDownArrowSize() const;
  virtual void AdjustItemHeight(int& Height) const;
  virtual void AdjustItemWidth(int& Width) const;
  virtual void ShiftPressedArrowRect(bool Down, bool DroppedDown, RECT& R) const;
  // One pixel right and down when pressed and not IsFlatLook.
  virtual void ShiftPressedContentRect(bool Pressed, RECT& R) const;
  virtual void DrawButtonContent(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual void DrawButtonCaption(TdxBarItemControlDrawParams* DrawParams, const RECT& R, const RECT& GlyphRect) const;
  // Button content: the menu item drawn in a menu (face, glyph or check mark, description, caption,
  // shortcut); whether the drop-down is drawn as a part of its own; whether the control hides its
  // arrow.
  void DrawMenuItemContent(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  bool HasSeparateDropDownPart(TdxBarItemControlDrawParams* DrawParams) const;
  bool IsOwnArrowHidden(TdxBarItemControlDrawParams* DrawParams) const;
  virtual void DrawDropDownPartArrow(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual void FillDropDownPart(TdxBarItemControlDrawParams* DrawParams, const RECT& R, HBRUSH Brush) const;
  virtual void DrawDropDownPart(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual void DrawButtonOwnArrow(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual TColor GetComboArrowColor(TdxBarItemControlDrawParams* DrawParams) const;
  // GetDropDownPartBrush.
  virtual HBRUSH GetComboButtonBrush(TdxBarItemControlDrawParams* DrawParams) const;
  virtual int GetComboButtonBorder() const;
  // GetEditContentMargins.
  virtual RECT GetComboContentMargins(TdxBarPaintType PaintType) const;
  virtual void DrawComboButton(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  // Nothing in the base. A painter that moves a dropped-down button's face moves the rect with it, so
  // that the arrow drawn after it follows.
  virtual void DrawPlainComboButton(TdxBarItemControlDrawParams* DrawParams, RECT& R, HBRUSH Brush) const;
  virtual int GetDropDownListBorder() const;
  // A COLOR_BTNSHADOW frame and, inside it, a frame of the colour.
  virtual void DrawDropDownListFrame(HDC DC, TColor Color, const RECT& R) const;
  virtual bool ShowsSubMenuGlyphBand() const;
  virtual bool IndentsRecentItemGroup() const;
  virtual int GetSubMenuArrowIndent() const;
  // TextSize div 4 × 3 + 1.
  virtual int CalcSubItemArrowWidth(int TextSize) const;
  virtual int GetMenuBeginGroupSize() const;
  // GetSubMenuInnerBorder + GetSubMenuOuterBorder.
  virtual int GetSubMenuBorderSize() const;
  virtual int GetSubMenuInnerBorder() const;
  virtual int GetSubMenuOuterBorder() const;
  virtual void CalcSubMenuMetrics(TcxCanvas* Canvas, int TextSize, int& TextHeight, int& ArrowWidth) const;
  // Every side GetSubMenuOuterBorder.
  virtual RECT GetSubMenuBorderRect(TdxBarSubMenuControl* SubMenu) const;
  // The sub-menu's detach caption size + 3.
  virtual int CalcDetachCaptionSize(TdxBarSubMenuControl* SubMenu) const;
  // The sub-menu's glyph area size.
  virtual int GetSubMenuGlyphBandWidth(TdxBarSubMenuControl* SubMenu) const;
  // The side-bar size of the sub-menu's owner + its glyph band width, then AdjustItemHeight.
  virtual int CalcMenuBandWidth(TdxBarSubMenuControl* SubMenu) const;
  virtual int GetSubMenuExtraWidth() const;
  virtual int GetSubMenuExtraHeight() const;
  // (Size − 6) div 2.
  virtual int CalcStripeMargin(int Size) const;
  virtual int GetMenuItemMinHeight() const;
  // The item rect with Right := Left + the glyph band width.
  virtual RECT GetMenuIconArea(const RECT& ItemRect, int GlyphBandWidth) const;
  // The item rect with Left moved right by GetMenuTextIndent.
  virtual RECT GetMenuTextArea(TdxBarItemControlDrawParams* DrawParams, const RECT& ItemRect) const;
  // The sub-menu's glyph band width + 3.
  virtual int GetMenuTextIndent(TdxBarItemControlDrawParams* DrawParams) const;
  virtual RECT GetMenuSeparatorRect(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* ItemControl,
                                    const RECT& ItemRect) const;
  // The rect deflated by 3.
  virtual void GetDetachCaptionContent(TdxBarSubMenuControl* SubMenu, RECT& R) const;
  virtual void DrawScrollButtonExtras(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Bottom) const;
  // The sub-menu's background bitmap tiled over the rect, or the brush.
  virtual void FillSubMenuBackground(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, TColor Color, HBRUSH Brush,
                                     const RECT& R) const;
  virtual void DrawSubMenuEdges(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) const;
  virtual void DrawSubMenuBorderFrame(TdxBarSubMenuControl* SubMenu, HDC DC, HBRUSH Brush, const RECT& R) const;
  virtual void FillDetachCaptionBackground(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) const;
  virtual void DrawMenuGroupSeparator(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* ItemControl, const RECT& R,
                                      TcxCanvas* Canvas) const;
  virtual void FrameMenuItem(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* ItemControl, HDC DC, const RECT& R,
                             bool Selected) const;
  // An etched line along the rect's top.
  virtual void EtchSeparatorLine(TcxCanvas* Canvas, const RECT& R) const;
  // Brush := GetMenuBackgroundBrush when UsesHotTrackLook.
  virtual void PickMenuItemBrush(TdxBarItemControlDrawParams* DrawParams, HBRUSH& Brush) const;
  // GetDefaultItemHeight.
  virtual int GetMenuItemTextHeight(TcxCanvas* Canvas) const;
  // The COLOR_BTNFACE system brush.
  virtual HBRUSH GetMenuBackgroundBrush() const;
  virtual RECT GetDefaultContentMargins() const;
  // Everything of the sub-menu but the rect, through FillSubMenuBackground with colour clNone.
  virtual void FillSubMenuOutside(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, const RECT& R,
                                  HBRUSH Brush) const;
  virtual void DrawExtraDecoration() const;
  virtual RECT GetDefaultFrameMargins() const;
  virtual TColor GetDefaultBackColor() const;
  // The bar control's background bitmap tiled over the rect, or the brush.
  virtual void FillControlBackgroundBitmap(TCustomdxBarControl* BarControl, TcxCanvas* Canvas, TColor Color,
                                           HBRUSH Brush, const RECT& R) const;
  // DrawBeginGroupSeparator on the canvas's device context.
  virtual void DrawSeparatorOnCanvas(TCustomdxBarControl* BarControl, TcxCanvas* Canvas, bool Horizontal,
                                     HBRUSH Brush, const RECT& R) const;
  virtual void DrawExtraBackground() const;
  virtual TColor GetDefaultTextColor() const;
  virtual int GetItemPartWidth() const;
  virtual int GetDefaultSpacing() const;
  virtual void DrawEditInCustomizing(TdxBarItem* Item, TdxBarItemLink* Link, const RECT& R, TcxCanvas* Canvas) const;
  // The manager's ApplyStyleToLookAndFeel.
  virtual void ApplyLookAndFeelToManager(TdxBarManager* Manager, TcxLookAndFeel* LookAndFeel) const;
  virtual TColor GetEditWindowColor() const;
  // The colour of the bar control's background brush.
  virtual TColor GetInactiveEditColor(TdxBarItemControl* ItemControl) const;
  virtual TColor GetEditBackColor(TdxBarItemControlDrawParams* DrawParams) const;
  virtual TColor GetEditWindowTextColor() const;
  virtual TColor GetInactiveEditTextColor() const;
  virtual TColor GetEditTextColor(TdxBarEditControl* EditControl) const;
  virtual void GetEditColors(TdxBarEditControl* EditControl, TColor& TextColor, TColor& BackColor) const;
  virtual bool UsesEditorHotTrack() const;
  virtual bool DrawsEditorDropDownButton() const;
  // The parameters' selected (hot) flag.
  virtual bool IsEditorFrameHot(TdxBarItemControlDrawParams* DrawParams) const;
  virtual bool DrawsEditorButtons() const;
  // ButtonKind: 1 drop-down, 2 glyph or text, 3 ellipsis.
  virtual bool DrawsEditorButtonBackground(int ButtonKind) const;
  virtual void AdjustEditorButtonsWidth(int& Width) const;
  virtual void DrawEditorButtonBackground(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const;
  virtual void PaintEditorButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const;
  virtual void DrawComboListItem(TCustomdxBarComboControl* Combo, TcxCanvas* Canvas, const RECT& R,
                                 int Index) const;
  virtual void PaintEditControl(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual RECT GetEditContentMargins(TdxBarPaintType PaintType) const;
  virtual void FillEditAreas(TdxBarItemControlDrawParams* DrawParams) const;
  virtual void DrawEditBorder(TdxBarItemControlDrawParams* DrawParams, RECT& R) const;
  virtual void DrawEditCaption(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  // OutlineFlatSelection on the parameters' canvas.
  virtual void OutlineSelectedEdit(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual void DrawEditTextArea(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  // In a menu, and selected (hot) or non-recent.
  virtual bool IsEditInMenuSelected(TdxBarItemControlDrawParams* DrawParams) const;
  // In a menu and non-recent.
  virtual bool IsNonRecentEdit(TdxBarItemControlDrawParams* DrawParams) const;
  virtual void DrawEditValue(TdxBarItemControl* ItemControl, TcxCanvas* Canvas, const RECT& R) const;
  virtual bool AlignsEditToMenuBand() const;
  // Part 0 the edit box, 1 the glyph area, 2 the caption area.
  virtual RECT GetEditIndents(TdxBarItemControlDrawParams* DrawParams, int Part) const;
  // Without a glyph GetEditGlyphIndent, in a menu GetMenuEditIndent, else 0.
  virtual int GetEditCaptionIndent(TdxBarItemControlDrawParams* DrawParams) const;
  virtual int GetMenuEditIndent() const;
  virtual int GetEditGlyphIndent() const;
  virtual int GetEditRightIndent() const;
  virtual RECT GetMenuEditMargins(TdxBarPaintType PaintType) const;
  // The bar control's background brush.
  virtual HBRUSH GetEditCaptionBrush(TdxBarItemControl* ItemControl) const;
  virtual bool SeparatesEditCaption(TdxBarItemControl* ItemControl) const;
  virtual void SelectAllEditText(HWND EditWnd, bool Notify) const;
  virtual bool HasFlatMenuEdit() const;
  virtual bool DrawsColorBoxFrame() const;
  // The custom-colour button part of the colour combo is not empty.
  virtual bool HasCustomColorButton(TdxBarItemControlDrawParams* DrawParams) const;
  virtual void GetColorBoxIndent(TdxBarItemControlDrawParams* DrawParams, RECT& R) const;
  virtual RECT GetColorButtonMargins(TdxBarPaintType PaintType) const;
  virtual void DrawCustomColorButton(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual void DrawColorSample(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual void CalcPopupPanelBorders(NCCALCSIZE_PARAMS& CalcSizeParams, RECT& GripRect, bool AllowsResizing,
                                     TWinControl* Owner, TcxGripCorner& Corner, RECT& CloseButtonRect) const;
  virtual void DrawPopupPanel(HWND Wnd, bool AllowsResizing, TcxGripCorner Corner, const RECT& GripRect,
                              const RECT& CloseButtonRect, bool CloseButtonTracking,
                              bool MouseOverCloseButton) const;
  // The larger of SM_CYHSCROLL + 3 and SM_CYSIZE + 1.
  virtual int GetPopupPanelHeight() const;
  virtual bool HasFlatCalendar() const;
  virtual void PaintCalendarButton(HDC DC, bool Pushed, std::string_view Caption, const RECT& R) const;
  virtual TColor GetCalendarHeaderColor() const;
  virtual POINT CalcSpinArrowOrigin(TdxBarItemControlDrawParams* DrawParams, const RECT& R,
                                    TdxBarSpinEditButton Button) const;
  virtual void CalcSpinEditTextRect(TdxBarItemControlDrawParams* DrawParams, RECT& R) const;
  virtual void CalcSpinArrowSize(int Height, int& Width, int& ArrowHeight) const;
  virtual RECT CalcSpinButtonRect(TdxBarItemControlDrawParams* DrawParams, const RECT& R,
                                  TdxBarSpinEditButton Button) const;
  virtual RECT GetSpinButtonsMargins(TdxBarPaintType PaintType) const;
  virtual int CalcSpinButtonsWidth(TdxBarPaintType PaintType, const RECT& R) const;
  // Disabled, else pressed for the pressed button, hot for the hot one, else normal.
  virtual TcxButtonState ResolveSpinButtonState(TdxBarItemControlDrawParams* DrawParams,
                                                TdxBarSpinEditButton Button) const;
  virtual void DrawSpinButton(TdxBarItemControlDrawParams* DrawParams, const RECT& R,
                              TdxBarSpinEditButton Button) const;
  // FillItemBackground with the bar control's background brush.
  virtual void FillSpinEditBackground(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual TColor GetProgressFillColor() const;
  virtual bool DrawsProgressBorder() const;
  virtual int GetProgressTrackHeight() const;
  virtual int GetProgressIndent() const;
  virtual void DrawProgressTrack(TdxBarItemControlDrawParams* DrawParams, const RECT& R, TColor Color) const;
  // FillItemBackground with the bar control's background brush.
  virtual void FillProgressBackground(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual void PaintProgressSegments(TdxBarItemControlDrawParams* DrawParams, const RECT& R, HBRUSH Brush) const;
  // FillRect on the parameters' canvas.
  virtual void FillProgressSegment(TdxBarItemControlDrawParams* DrawParams, const RECT& R, HBRUSH Brush) const;
  // FillProgressSegment.
  virtual void FillProgressSegmentArea(TdxBarItemControlDrawParams* DrawParams, const RECT& R, HBRUSH Brush) const;
  virtual int GetContainerMenuIndent() const;
  // The COLOR_BTNSHADOW system brush.
  virtual HBRUSH GetInPlaceSubItemFill() const;
  // The sub-menu's text height unit.
  virtual int GetInPlaceSubItemIndent(TdxBarItemControlDrawParams* DrawParams) const;
  virtual int GetInPlaceSubItemArrowSize() const;
  // The parameters' selected (hot) flag.
  virtual bool IsInPlaceSubItemHot(TdxBarItemControlDrawParams* DrawParams) const;
  virtual bool DrawsInPlaceSubItemBackground(TdxBarItemControlDrawParams* DrawParams) const;
  virtual void DrawInPlaceSubItemArrow(TdxBarItemControlDrawParams* DrawParams, TcxArrowDirection Direction,
                                       const RECT& R) const;
  virtual void DrawInPlaceSubItemBackground(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual void DrawInPlaceSubItem(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  // FillItemBackground with the item control's brush, selected as IsStaticDrawnSelected.
  virtual void DrawStaticBackground(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual void DrawStaticBorder(TdxBarItemControlDrawParams* DrawParams, RECT& R) const;
  virtual void DrawStaticContent(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual void DrawStaticItem(TdxBarItemControlDrawParams* DrawParams, RECT& R) const;
  // Whether the item control has a style brush (its item's Style sets a colour).
  virtual bool IsStaticDrawnSelected(TdxBarItemControlDrawParams* DrawParams) const;
  // Every side: none 0, lowered and raised 1, etched and bump 2.
  virtual RECT GetStaticBorderMargins(TdxBarItemControlDrawParams* DrawParams,
                                      TdxBarStaticBorderStyle BorderStyle) const;
  virtual RECT GetSeparatorItemMargins() const;
  // GetMenuSeparatorThickness.
  virtual int GetSeparatorItemHeight() const;
  virtual int GetMenuSeparatorThickness() const;
  // DrawStaticContent.
  virtual void DrawSeparatorCaption(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  virtual void DrawSeparatorItem(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const;
  // EtchSeparatorLine.
  virtual void DrawSeparatorItemLine(TcxCanvas* Canvas, const RECT& R) const;
  // Screen tips take the paired look-and-feel painter's colours, footer line and background.
  virtual TColor GetScreenTipTextColor() const;
  virtual TColor GetScreenTipHeaderColor() const;
  virtual int GetScreenTipFooterLineWidth() const;
  virtual void DrawScreenTipWindow(TcxCanvas* Canvas, const RECT& R) const;
  virtual void DrawScreenTipFooterLine(TcxCanvas* Canvas, const RECT& R) const;
};

using TdxBarPainterClass = TClassRef<TdxBarPainter>;

// The classic three-dimensional look: raised and sunken one-pixel edges round hot and pressed
// buttons, a checker background under checked buttons, two raised grip bars, embossed check marks
// and chevrons. Edges: raised is BDR_RAISEDINNER, sunken BDR_SUNKENOUTER.
class TdxBarStandardPainter : public TdxBarPainter {
  CL_CLASS(TdxBarStandardPainter, TdxBarPainter)
public:
  using TdxBarPainter::TdxBarPainter;

  // A raised or sunken edge round the glyph of a down or selected button; else the background ring.
  void FrameItemGlyph(TdxBarItemControl* ItemControl, HDC DC, TdxBarPaintingStates States,
                      const RECT& GlyphRect) const override;
  // The embossed check mark: silver, black and white strokes (shadow and highlight when disabled).
  void PaintCheckGlyph(TdxBarItemControl* ItemControl, HDC DC, int SizeFactor, int X, int Y) const override;
  bool IsClassicLook() const override;
  // Never: the chevrons keep their place on low bars.
  bool IsSmallBar(TdxBarControl* Toolbar, const RECT& R) const override;
  // One embossed chevron at the position.
  void DrawMarkChevrons(TdxBarControl* Toolbar, HDC DC, int Position, const RECT& R) const override;
  // The toolbar's background under the mark.
  void DrawBarMarkBackground(TdxBarControl* Toolbar, HDC DC, int MarkState, const RECT& R) const override;
  // The flat look-and-feel painter.
  TcxCustomLookAndFeelPainter* GetPairedLookAndFeelPainter() const override;
  int GetBarEndIndent() const override;
  // A highlight copy one pixel right and down under the shadow fill: an embossed shadow.
  void PaintDisabledShadow(TdxBarItemControl* ItemControl, HDC DC, const RECT& R) const override;
  void DrawCheckedFrame(TdxBarItemControl* ItemControl, HDC DC, bool Pressed, bool Hot, bool Enabled,
                        const RECT& R) const override;
  RECT GetCaptionMargins() const override;
  // The checker brush under a down glyph, the highlight under a selected menu check mark.
  HBRUSH GetGlyphBackgroundBrush(TdxBarItemControl* ItemControl, TdxBarPaintingStates States) const override;
  int GetCheckedGlyphShift() const override;
  int GetPressedGlyphShift() const override;
  int GetButtonBorderWidth() const override;
  int GetGripMargin() const override;
  // Two grip bars with their margin: 2 × GetGripSize + GetGripMargin + 1.
  int GetGripAreaSize(TdxBarControl* Toolbar) const override;
  void GetEditTextVertMargins(int& Top, int& Bottom) const override;
  bool UsesHotTrackLook() const override;
  bool AllowsQuickCustomizingMark() const override;
  // A frame of the caption colour round the platform's caption close button.
  void DrawFloatingCloseButton(TdxBarControl* Toolbar, HDC DC, bool Pressed, const RECT& R) const override;
  // A raised edge round the bar and two raised grip bars.
  void DrawDockedBarBorder(TdxBarControl* Toolbar, HDC DC, const RECT& R) const override;
  // A raised outer edge and two frames of the button face inside it.
  void DrawFloatingBarFrame(TdxBarControl* Toolbar, HDC DC, const RECT& R) const override;
  // The platform's caption buttons; a flat close button of the manager with its own edge.
  void DrawMdiButton(TdxBarControl* Toolbar, int Button, HDC DC, int State, const RECT& R) const override;
  int GetBarHorzMargin() const override;
  // A menu item's face: the icon column in the item's brush (highlighted for a selected item
  // without a glyph), the text part highlighted while selected.
  void DrawButtonFace(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const override;
  // Floating: the left 13 pixels of the caption.
  RECT GetBarMarkRect(TdxBarControl* Toolbar) const override;
  int GetBarTopMargin() const override;
  int GetBarBottomMargin() const override;
  bool HasSizingBorder() const override;
  bool HasThickBorder() const override;
  // A raised outer edge; the colour is not used.
  void DrawDropDownListFrame(HDC DC, TColor Color, const RECT& R) const override;
  bool DrawsProgressBorder() const override;

  // The base fill, then a raised edge round a selected part (sunken when dropped down), or an etched
  // line left of a part in a menu.
  void FillDropDownPart(TdxBarItemControlDrawParams* DrawParams, const RECT& R, HBRUSH Brush) const override;
  // A raised edge (sunken when dropped down) round a selected button, else a frame of the edit
  // brush; the face inside in the brush, one pixel right and down when dropped down.
  void DrawPlainComboButton(TdxBarItemControlDrawParams* DrawParams, RECT& R, HBRUSH Brush) const override;

  // --- Menus: a two-pixel border inside the frame, group lines indented by 2, runs apart ---
  int GetSubMenuGroupIndent() const override;
  bool IndentsRecentItemGroup() const override;
  int GetSubMenuOuterBorder() const override;
  // The base rect, with no top margin under a detach caption.
  RECT GetSubMenuBorderRect(TdxBarSubMenuControl* SubMenu) const override;
};

// The standard look with one grip bar, a toolbar mark with hot and pressed edges and quick
// customization.
class TdxBarEnhancedPainter : public TdxBarStandardPainter {
  CL_CLASS(TdxBarEnhancedPainter, TdxBarStandardPainter)
public:
  using TdxBarStandardPainter::TdxBarStandardPainter;

  // The base painter's chevrons, one pixel higher on a bar lower than 17 pixels.
  void DrawMarkChevrons(TdxBarControl* Toolbar, HDC DC, int Position, const RECT& R) const override;
  // A raised edge when hot, a sunken one when pressed or open, over the toolbar's background.
  void DrawBarMarkBackground(TdxBarControl* Toolbar, HDC DC, int MarkState, const RECT& R) const override;
  int GetGripMargin() const override;
  // One grip bar: GetGripSize + GetGripMargin + 2.
  int GetGripAreaSize(TdxBarControl* Toolbar) const override;
  bool AllowsQuickCustomizingMark() const override;
  // A raised edge round the bar and one raised grip bar.
  void DrawDockedBarBorder(TdxBarControl* Toolbar, HDC DC, const RECT& R) const override;

  // --- Menus: group lines indented by 12 ---
  int GetSubMenuGroupIndent() const override;
};

// The flat look; its operations below come after every operation of TdxBarPainter.
class TdxBarFlatPainter : public TdxBarPainter {
  CL_CLASS(TdxBarFlatPainter, TdxBarPainter)
public:
  using TdxBarPainter::TdxBarPainter;

  // --- The flat look's answers (one-pixel frames, highlight blends, joined menus) ---
  TColor GetFloatingCaptionBackColor(TdxBarControl* Toolbar, bool Active) const override;
  TColor GetMarkGlyphColor(TdxBarControl* Toolbar, int MarkState) const override;
  TColor GetSeparatorLineColor() const override;
  TcxCustomLookAndFeelPainter* GetPairedLookAndFeelPainter() const override;
  // The base parts; the up button one pixel taller, so that the two buttons share a line.
  void CalcSpinEditParts(TdxBarItemControlDrawParams* DrawParams, std::vector<RECT>& Parts,
                         const RECT& R) const override;
  int GetBarEndIndent() const override;
  void DrawSunkenEdge(HDC DC, RECT& R) const override;
  bool DrawsGlyphShadow() const override;
  bool IsFlatLook() const override;
  bool UsesPressedGlyphMode() const override;
  bool JoinsMenusToToolbarItems() const override;
  int GetButtonBorderWidth() const override;
  int GetGripMargin() const override;
  int GetGripAreaSize(TdxBarControl* Toolbar) const override;
  int GetLargeButtonHeightUnit(TdxBarManager* Manager) const override;
  int GetItemRowHeight(TCustomdxBarControl* BarControl) const override;
  int GetSubMenuGroupIndent() const override;
  // The flat brushes of the bar managers (they follow the system colours alike).
  HBRUSH GetToolbarBrush() const override;
  HBRUSH GetBarBrush(TCustomdxBarControl* BarControl) const override;
  HBRUSH GetSelectedItemBrush() const override;
  HBRUSH GetMenuBrush() const override;
  HBRUSH GetHighlightBrush() const override;
  int GetBeginGroupLineOffset() const override;
  int GetBarBeginGroupSize() const override;
  HBRUSH GetQuickControlBrush(TCustomdxBarControl* BarControl) const override;
  bool IsQuickPopupOnRight() const override;
  void AdjustItemHeight(int& Height) const override;
  void AdjustItemWidth(int& Width) const override;
  TColor GetComboArrowColor(TdxBarItemControlDrawParams* DrawParams) const override;
  int GetSubMenuArrowIndent() const override;
  int GetMenuBeginGroupSize() const override;
  // The base; then an odd stripe margin of the text height − 2 makes the text height 2 × margin + 4.
  void CalcSubMenuMetrics(TcxCanvas* Canvas, int TextSize, int& TextHeight, int& ArrowWidth) const override;
  // (Size − 4) div 2; from 5 on rounded down to even.
  int CalcStripeMargin(int Size) const override;
  int GetMenuItemMinHeight() const override;
  void GetDetachCaptionContent(TdxBarSubMenuControl* SubMenu, RECT& R) const override;
  int GetMenuItemTextHeight(TcxCanvas* Canvas) const override;
  HBRUSH GetMenuBackgroundBrush() const override;
  RECT GetEditContentMargins(TdxBarPaintType PaintType) const override;
  int GetEditGlyphIndent() const override;
  int GetEditRightIndent() const override;
  RECT GetMenuEditMargins(TdxBarPaintType PaintType) const override;
  bool HasFlatCalendar() const override;
  bool DrawsProgressBorder() const override;
  int GetContainerMenuIndent() const override;
  bool IsInPlaceSubItemHot(TdxBarItemControlDrawParams* DrawParams) const override;
  bool DrawsInPlaceSubItemBackground(TdxBarItemControlDrawParams* DrawParams) const override;

  // A frame of the highlight colour (of the highlight-text colour in a black high-contrast scheme).
  void OutlineFlatSelection(HDC DC, const RECT& R) const override;
  void FrameItemGlyph(TdxBarItemControl* ItemControl, HDC DC, TdxBarPaintingStates States,
                      const RECT& GlyphRect) const override;
  HBRUSH GetGlyphBackgroundBrush(TdxBarItemControl* ItemControl, TdxBarPaintingStates States) const override;
  // The standard check mark's black strokes only, white on a white or black face.
  void PaintCheckGlyph(TdxBarItemControl* ItemControl, HDC DC, int SizeFactor, int X, int Y) const override;
  void DrawCheckedFrame(TdxBarItemControl* ItemControl, HDC DC, bool Pressed, bool Hot, bool Enabled,
                        const RECT& R) const override;
  // A button-face frame with rounded corners and a 3-pixel grip of shadow rows on every even row.
  void DrawDockedBarBorder(TdxBarControl* Toolbar, HDC DC, const RECT& R) const override;
  void DrawFloatingBarFrame(TdxBarControl* Toolbar, HDC DC, const RECT& R) const override;
  void DrawBeginGroupSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Horizontal, HBRUSH Brush,
                               const RECT& R) const override;
  void DrawBarMarkBackground(TdxBarControl* Toolbar, HDC DC, int MarkState, const RECT& R) const override;
  void DrawSpinButton(TdxBarItemControlDrawParams* DrawParams, const RECT& R,
                      TdxBarSpinEditButton Button) const override;
  // One triangle, never shifted and never embossed.
  void DrawTextAtPoint(TdxBarItemControlDrawParams* DrawParams, POINT P, TdxBarSpinEditButton Button) const override;
  void DrawEditBorder(TdxBarItemControlDrawParams* DrawParams, RECT& R) const override;
  void DrawPlainComboButton(TdxBarItemControlDrawParams* DrawParams, RECT& R, HBRUSH Brush) const override;
  void PaintCalendarButton(HDC DC, bool Pushed, std::string_view Caption, const RECT& R) const override;
  // The top one-pixel band in the flat separator colour.
  void EtchSeparatorLine(TcxCanvas* Canvas, const RECT& R) const override;


  // Frames a button by its state (an outline when selected).
  virtual void FrameFlatButton(TdxBarItemControl* ItemControl, HDC DC, bool Down, bool Selected,
                               TdxBarPaintType PaintType, HBRUSH Brush, const RECT& R) const;
  // The brush of the glyph band of menus: the manager's flat toolbar brush.
  virtual HBRUSH GetFlatGlyphBandBrush(TdxBarItemControl* ItemControl) const;
  // The brush of flat borders: the COLOR_BTNSHADOW system brush.
  virtual HBRUSH GetFlatBorderBrush(TdxBarItemControl* ItemControl, TdxBarStaticBorderStyle BorderStyle) const;
  // Joins the open mark popup to the mark and fills the mark.
  virtual void FillFlatMark(TdxBarControl* Toolbar, HDC DC, TCustomdxBarControl* Popup, const RECT& R) const;
  // Joins an open sub-menu or popup to the item that opened it.
  virtual void DrawOwnerConnection(TCustomdxBarControl* BarControl, HDC DC, TCustomdxBarControl* ChildControl,
                                   TdxBarItemControl* ItemControl, const RECT& R) const;
  // Frames the item that opened a sub-menu.
  virtual void FrameOwnerItem(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) const;
  // Fills the joint between that item and its sub-menu.
  virtual void FillOwnerJoint(TCustomdxBarControl* BarControl, HDC DC, TdxBarItemControl* ItemControl,
                              const RECT& JointRect, const RECT& ItemRect) const;
  // The colour of separator lines: clBtnShadow.
  virtual TColor GetFlatSeparatorColor() const;
};

// The Office 2003 look; its operations below come after every operation of TdxBarFlatPainter.
class TdxBarOffice11Painter : public TdxBarFlatPainter {
  CL_CLASS(TdxBarOffice11Painter, TdxBarFlatPainter)
public:
  using TdxBarFlatPainter::TdxBarFlatPainter;

  // --- The Office 2003 look's answers (the colour set of dxOffice11, gradients, rounded boxes) ---
  void PaintDropDownArrow(HDC DC, const RECT& R, TColor Color, bool Flat, bool Selected, bool Enabled,
                          TcxArrowDirection Direction) const override;
  void PaintLargeDropDownArrow(HDC DC, const RECT& R, TColor Color, bool Flat, bool Selected, bool Enabled, int Size,
                               TcxArrowDirection Direction) const override;
  // A frame of the scheme's border brush.
  void OutlineFlatSelection(HDC DC, const RECT& R) const override;
  void QueryDisabledTextColors(TdxBarItemControl* ItemControl, bool Selected, bool Flat, TColor& TextColor,
                               TColor& ShadowColor) const override;
  bool AreDisabledImagesFaded(TCustomdxBarControl* BarControl) const override;
  bool UsesMenuBandBackground() const override;
  bool DrawsNativeBackground() const override;
  bool ShowsSubMenuGlyphBand() const override;
  TColor GetFloatingCaptionBackColor(TdxBarControl* Toolbar, bool Active) const override;
  TColor GetFloatingCaptionTextColor(TdxBarControl* Toolbar) const override;
  TColor GetMarkGlyphColor(TdxBarControl* Toolbar, int MarkState) const override;
  TcxCustomLookAndFeelPainter* GetPairedLookAndFeelPainter() const override;
  bool DrawsGlyphShadow() const override;
  bool UsesPressedGlyphMode() const override;
  bool HasDropDownSeparator() const override;
  HBRUSH GetFlatBorderBrush(TdxBarItemControl* ItemControl, TdxBarStaticBorderStyle BorderStyle) const override;
  int GetGripMargin() const override;
  int GetFloatingFrameWidth() const override;
  int GetFloatingFrameHeight() const override;
  int GetNoGripIndent() const override;
  HBRUSH GetOwnerBarBrush(TdxBarManager* Manager) const override;
  void FrameOwnerItem(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) const override;
  HBRUSH GetToolbarBrush() const override;
  HBRUSH GetMenuBackgroundBrush() const override;
  HBRUSH GetQuickControlBrush(TCustomdxBarControl* BarControl) const override;
  HBRUSH GetSelectedItemBrush() const override;
  HBRUSH GetMenuBrush() const override;
  HBRUSH GetHighlightBrush() const override;
  int CalcDropDownButtonWidth(TcxCanvas* Canvas, int ZeroWidth) const override;
  TColor GetFlatSeparatorColor() const override;
  void GetDetachCaptionContent(TdxBarSubMenuControl* SubMenu, RECT& R) const override;
  void DrawDropDownListFrame(HDC DC, TColor Color, const RECT& R) const override;
  TColor GetInactiveEditColor(TdxBarItemControl* ItemControl) const override;
  TColor GetInactiveEditTextColor() const override;
  TColor GetCalendarHeaderColor() const override;
  HBRUSH GetInPlaceSubItemFill() const override;
  HBRUSH GetFlatGlyphBandBrush(TdxBarItemControl* ItemControl) const override;

  // Hot, pressed and checked items in the gradient pairs of the colour set, framed in the scheme's
  // border colour.
  void FrameItemGlyph(TdxBarItemControl* ItemControl, HDC DC, TdxBarPaintingStates States,
                      const RECT& GlyphRect) const override;
  void DrawCheckedFrame(TdxBarItemControl* ItemControl, HDC DC, bool Pressed, bool Hot, bool Enabled,
                        const RECT& R) const override;
  void FrameFlatButton(TdxBarItemControl* ItemControl, HDC DC, bool Down, bool Selected, TdxBarPaintType PaintType,
                       HBRUSH Brush, const RECT& R) const override;
  // A left-to-right gradient from dock colour 1 to 2 made once per dock size and copied from.
  void FillDockBackground(TdxDockControl* Dock, HDC DC, HBRUSH Brush, TColor Color, const RECT& Origin,
                          const RECT& R, const RECT& ClipRect) const override;
  void FillDockedBarBackground(TdxBarControl* Toolbar, HDC DC, HBRUSH Brush, TColor Color, const RECT& R,
                               const RECT& ClipRect) const override;
  // A rounded box on the dock with a shadow line, blended corner pixels and grip dots.
  void DrawDockedBarBorder(TdxBarControl* Toolbar, HDC DC, const RECT& R) const override;
  void DrawFloatingBarFrame(TdxBarControl* Toolbar, HDC DC, const RECT& R) const override;
  void DrawBeginGroupSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Horizontal, HBRUSH Brush,
                               const RECT& R) const override;
  void DrawSelectedItemFrame(TCustomdxBarControl* BarControl, HDC DC, int State, const RECT& R) const override;
  void DrawBarMarkBackground(TdxBarControl* Toolbar, HDC DC, int MarkState, const RECT& R) const override;
  void DrawEditBorder(TdxBarItemControlDrawParams* DrawParams, RECT& R) const override;


  // The Office 2003 grip dots over the rect (a row when horizontal) with the colour set's dot brushes.
  virtual void DrawOffice11GripDots(TdxBarControl* Toolbar, HDC DC, bool Horizontal, const RECT& R) const;
  // Added to the flat painter's grip margin.
  virtual int GetOffice11GripIndent() const;
};

// The visual-styles look: toolbar buttons, separators, grips, docks, caption and MDI buttons, spin
// buttons, progress bars, edits and combo buttons are theme parts in their states. Used only while
// visual styles are available (the manager falls back to the enhanced painter without them).
class TdxBarXPPainter : public TdxBarPainter {
  CL_CLASS(TdxBarXPPainter, TdxBarPainter)
public:
  // Measures the theme metrics that every XP painter then answers.
  explicit TdxBarXPPainter(TcxCustomLookAndFeelPainter* SkinPainter);

  // The theme metrics, measured when an XP painter is made and kept for all of them.
  struct TThemeMetrics {
    int ToolbarBeginGroupSize = 0;
    SIZE CaptionCloseButtonSize{};
    int ButtonPadding = 0;
    int ComboArrowWidth = 0;
    RECT EditBorderOffsets{};
    int GripSize = 0;
    int ProgressHeight = 0;
    int MenuBeginGroupSize = 0;
    SIZE StatusGripSize{};
  };
  static const TThemeMetrics& Metrics();

  HBRUSH GetGlyphBackgroundBrush(TdxBarItemControl* ItemControl, TdxBarPaintingStates States) const override;
  int GetCheckedGlyphShift() const override;
  int GetPressedGlyphShift() const override;
  bool DrawsGlyphShadow() const override;
  bool AreDisabledImagesFaded(TCustomdxBarControl* BarControl) const override;
  bool DrawsNativeBackground() const override;
  bool HasThemedFloatingCaption() const override;
  bool HasFlatDropDownArrow() const override;
  bool HasFlatCalendar() const override;
  bool IsQuickPopupOnRight() const override;
  bool UsesMenuBarLook(TdxBarItemControl* ItemControl) const override;
  int GetGripMargin() const override;
  int GetGripSize() const override;
  int GetGripAreaSize(TdxBarControl* Toolbar) const override;
  int GetLargeButtonHeightUnit(TdxBarManager* Manager) const override;
  int GetItemRowHeight(TCustomdxBarControl* BarControl) const override;
  HBRUSH GetToolbarBrush() const override;
  HBRUSH GetBarBrush(TCustomdxBarControl* BarControl) const override;
  HBRUSH GetMenuBrush() const override;
  HBRUSH GetHighlightBrush() const override;
  int CalcDropDownButtonWidth(TcxCanvas* Canvas, int ZeroWidth) const override;
  int GetBarBeginGroupSize() const override;
  int GetBeginGroupLineOffset() const override;
  int GetStatusBarBorderWidth() const override;
  SIZE GetFloatingCaptionButtonSize() const override;
  int GetSubMenuArrowIndent() const override;
  int GetMenuBeginGroupSize() const override;
  int GetMenuSeparatorThickness() const override;
  void GetDetachCaptionContent(TdxBarSubMenuControl* SubMenu, RECT& R) const override;
  HBRUSH GetMenuBackgroundBrush() const override;
  RECT GetColorButtonMargins(TdxBarPaintType PaintType) const override;
  int GetPopupPanelHeight() const override;
  RECT GetSpinButtonsMargins(TdxBarPaintType PaintType) const override;
  TColor GetProgressFillColor() const override;
  int GetProgressTrackHeight() const override;
  TColor GetEditWindowColor() const override;
  TColor GetInactiveEditColor(TdxBarItemControl* ItemControl) const override;
  TColor GetEditWindowTextColor() const override;
  TColor GetInactiveEditTextColor() const override;
  int GetButtonVertPadding() const override;
  int GetButtonHorzPadding() const override;
  void AdjustItemHeight(int& Height) const override;
  RECT GetEditContentMargins(TdxBarPaintType PaintType) const override;
  int GetEditGlyphIndent() const override;
  int GetEditRightIndent() const override;
  RECT GetMenuEditMargins(TdxBarPaintType PaintType) const override;
  int GetComboButtonBorder() const override;
  int GetSpaceAfterDot(int DotSize) const override;
  TcxCustomLookAndFeelPainter* GetPairedLookAndFeelPainter() const override;

  // ToolBar TP_BUTTON (TP_SPLITBUTTON when split) in its state; a main-menu item filled with the
  // highlight colour instead.
  void FrameItemGlyph(TdxBarItemControl* ItemControl, HDC DC, TdxBarPaintingStates States,
                      const RECT& GlyphRect) const override;
  // The shared flat painter's check mark and floating frame.
  void PaintCheckGlyph(TdxBarItemControl* ItemControl, HDC DC, int SizeFactor, int X, int Y) const override;
  void DrawFloatingBarFrame(TdxBarControl* Toolbar, HDC DC, const RECT& R) const override;
  void PaintEllipsisDot(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const override;
  // The Rebar background, made once per dock size, with a highlight line at each row's start and a
  // shadow line at its end.
  void FillDockBackground(TdxDockControl* Dock, HDC DC, HBRUSH Brush, TColor Color, const RECT& Origin,
                          const RECT& R, const RECT& ClipRect) const override;
  void DrawDockedBarBorder(TdxBarControl* Toolbar, HDC DC, const RECT& R) const override;
  void DrawBeginGroupSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Horizontal, HBRUSH Brush,
                               const RECT& R) const override;
  void FillFloatingCaption(TdxBarControl* Toolbar, HDC DC, HBRUSH Brush, const RECT& R) const override;
  void DrawFloatingCloseButton(TdxBarControl* Toolbar, HDC DC, bool Pressed, const RECT& R) const override;
  void DrawMdiButton(TdxBarControl* Toolbar, int Button, HDC DC, int State, const RECT& R) const override;
  void DrawBarMarkBackground(TdxBarControl* Toolbar, HDC DC, int MarkState, const RECT& R) const override;
  void DrawEditBorder(TdxBarItemControlDrawParams* DrawParams, RECT& R) const override;
  void DrawComboButton(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const override;
  void DrawSpinButton(TdxBarItemControlDrawParams* DrawParams, const RECT& R,
                      TdxBarSpinEditButton Button) const override;
  void FillProgressBackground(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const override;
  void PaintProgressSegments(TdxBarItemControlDrawParams* DrawParams, const RECT& R, HBRUSH Brush) const override;
  void DrawCustomColorButton(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const override;
  void DrawColorSample(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const override;
  void PaintCalendarButton(HDC DC, bool Pushed, std::string_view Caption, const RECT& R) const override;
  void EtchSeparatorLine(TcxCanvas* Canvas, const RECT& R) const override;
};

// The flat painter the bar unit shares (made on first use, freed at the unit's shut-down; nil once
// the shut-down has begun).
TdxBarFlatPainter* GetSharedFlatPainter();
