#pragma once
// The visual side of one shown item link: item controls are not windows; they draw on their bar
// control's canvas through its bar painter and take their input from it. Each item class is
// paired with the item-control class that shows it (TdxBarItemList); the bar control makes one
// control per shown link from that class and frees it again, nothing else does.
//
// What a control keeps: its link and bar control, which of its parts is hot (-1 none; 100 inside
// the control but on no part), whether it is active (an edit editing, a drop-down open), pressed
// for a click, selected by the mouse, and its text height in the item's style font. The click of
// an item always runs through PerformClick: the menu sound, the use recorded for personalized
// menus, the menu chain closed, then the item's click; the click may free the control, its bar
// control or its item, and nothing is touched afterwards when it did.
#include <memory>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/ClassRef.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Sets.h"
#include "toolkit/bars/dxBarAccessibility.h"
#include "toolkit/bars/dxBarControlViewInfo.h"
#include "toolkit/bars/dxBarItemControlDrawParams.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/controls/dxFading.h"
#include "toolkit/controls/dxScreenTip.h"

class TCustomdxBarControl;
class TcxCanvas;
class TdxBarItem;
class TdxBarItemLink;
class TdxBarManager;
class TdxBarPainter;
class TdxBarCustomHintViewInfo;
// Defined with the item links and the bar painter.
enum class TdxBarMenuItemSize : uint8_t;
enum class TdxBarPaintType : uint8_t;
using TdxBarItemViewLevels = TSet<TdxBarItemViewLevel>;

// The object a hint is shown for: the bar control that shows it, and whether the bar's own hint
// window is used.
class IdxBarHintContext {
public:
  virtual TCustomdxBarControl* GetBarControl() = 0;
  virtual bool UsesBarHintWindow() = 0;

protected:
  ~IdxBarHintContext() = default;
};

// An object with a hint: its texts (refused through suppressed), its screen tip at a point,
// whether a hint may show now, and showing the hint for its rect.
class IdxBarHintSource {
public:
  virtual bool GetHintTexts(bool& suppressed, std::string& hint, std::string& shortCut) = 0;
  // The view info of the hint with the two texts, shown at the point (item controls and caption
  // buttons add their screen tip); nullptr leaves the plain bar hint to the hint window.
  virtual TOwned<TdxBarCustomHintViewInfo> ShowScreenTip(POINT at, const std::string& hint,
                                                         const std::string& shortCut) = 0;
  virtual bool CanShowHint() = 0;
  virtual void ShowHintAt(POINT& at) = 0;

protected:
  ~IdxBarHintSource() = default;
};

// Part indices of an item control.
constexpr int dxBarWholeControlPart = 0;
constexpr int dxBarNoPart = -1;
constexpr int dxBarInsideNoPart = 100;

class TdxBarItemControl : public TcxIUnknownObject,
                          public IdxScreenTipSource,
                          public IdxBarHintContext,
                          public IdxBarHintSource,
                          public IdxFadingObject {
  CL_CLASS(TdxBarItemControl, TcxIUnknownObject)
public:
  // Every item-control class is made for a link.
  struct TMeta : TMetaClassOf<TdxBarItemControl, TdxBarItemLink*> {};
  // Takes the link and its bar control, makes the view info, measures the text, no hot part, and
  // the view level the bar control gives its items.
  explicit TdxBarItemControl(TdxBarItemLink* link);
  void AfterConstruction() override;
  // Sets the destroying flag, stops a fade, and lets the manager, the link and the bar control
  // forget the control.
  void BeforeDestruction() override;
  ~TdxBarItemControl() override;

  // --- State ---
  TdxBarItemLink* Link() const { return FLink; }
  TCustomdxBarControl* BarControl() const { return FBarControl; }
  TdxBarItem* GetItem() const;
  // The link's manager; nullptr without a link.
  TdxBarManager* GetBarManager() const;
  // The link's item rect in the bar control's client coordinates.
  RECT GetBoundsRect() const;
  // The canvas override while drawn elsewhere, else the bar control's canvas.
  TcxCanvas* GetCanvas() const;
  TdxBarItemControlViewInfo* ViewInfo() const { return FViewInfo.get(); }
  bool Destroying() const { return FDestroying; }
  bool Active() const { return FActive; }
  int HotPartIndex() const { return FHotPartIndex; }
  bool PressedForClick() const { return FPressedForClick; }
  bool SelectedByMouse() const { return FSelectedByMouse; }
  void SetSelectedByMouse(bool value) { FSelectedByMouse = value; }
  int TextHeight() const { return FTextHeight; }
  HBRUSH StyleBrush() const { return FStyleBrush.Get(); }
  // The control's parts in bar-control client coordinates; part 0 is the whole control.
  const std::vector<RECT>& PartRects() const { return FPartRects; }
  // -1 outside the control's rect; else the first part holding the point; else 100.
  int GetPartAtPoint(POINT p) const;
  // A disabled control always takes -1. A change from or to -1 fades when the control can fade;
  // every change repaints.
  void SetHotPartIndex(int index);
  // Stored and StyleChanged when it changes.
  void SetPressedForClick(bool value);
  // The control is its bar's selected control.
  bool IsSelectedControl() const;
  // Enabled, the cursor (in the bar's client area) in the control's rect and the left button down.
  bool IsMouseDownOver() const;

  // --- Marks a menu window sets on the controls it shows ---
  // The last control shown; the control's link lies in the less used part of a personalized menu;
  // the control begins a run of recent or of less used links.
  bool LastShown() const { return FLastShown; }
  void SetLastShown(bool value) { FLastShown = value; }
  bool NonRecent() const { return FNonRecent; }
  void SetNonRecent(bool value) { FNonRecent = value; }
  bool GroupStart() const { return FGroupStart; }
  void SetGroupStart(bool value) { FGroupStart = value; }

  // --- Changes of the item or of the link's own values ---
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void GlyphChanged();
  virtual void HotGlyphChanged() {}
  virtual void LargeGlyphChanged();
  virtual void PaintStyleChanged() {}
  virtual void WidthChanged();
  // The space the control needs may have changed: the bar is repainted.
  virtual void SizeChanged();
  // The link was given its rectangle in the bar control: the parts follow.
  virtual void ItemRectChanged() { CalcParts(); }
  // The part rects; the base has one part, the whole control.
  virtual void CalcParts();
  // Drops what the control measured or drew before.
  virtual void DropCachedImage() { ResetViewInfo(false); }
  virtual void DropCachedWidths() { ResetViewInfo(true); }
  // Recalculates what is drawn and repaints; the answer is whether the control needs more.
  virtual bool Refresh();
  virtual void StyleChanged();
  virtual void ParentVisibleChanged() {}
  virtual void ShowHostedWindow() {}
  virtual void BeforeDestroy() {}
  // Asks the bar control to invalidate this control (with a window only).
  virtual void Repaint();
  // Repaints the bar control.
  virtual void RepaintBar();

  // --- Answers to the bar control ---
  // Active: an edit being edited, a combo dropped down.
  bool IsActive() const { return FActive; }
  // The keyboard may select it.
  virtual bool CanSelect() const { return CanBeSelected(); }
  // Enabled: the item exists and is enabled, and so is the bar control.
  virtual bool IsEnabled() const;
  virtual bool IsButtonLike() const { return false; }
  virtual bool IsClickable() const { return true; }
  // The link's manager is the item's, or the link's manager comes from an ancestor form.
  virtual bool IsOwnManager() const;
  virtual bool AllowsCloseOnDeactivate() const { return AllowsActivationChange(); }
  virtual bool AllowsActivationChange() const { return true; }
  virtual bool IsHotTrackable() const { return CanBeSelected(); }
  // False only while the bar is customized and the item belongs to another manager.
  virtual bool CanBeSelected() const;
  virtual bool CanClick() const { return CanBeSelected() || IsClickable(); }
  virtual bool IsHighlighted() const;
  virtual bool IsExpandKey(int key) const { (void)key; return false; }
  virtual bool HasHint() const;
  virtual bool JoinsOpenedMenu() const;
  virtual bool OwnsWindow(HWND wnd) const;
  virtual bool ClosesMenusOnClick() const { return true; }
  virtual bool HasDropDownPart() const { return false; }
  virtual bool HasTransparentEditor() const { return false; }
  virtual bool OpensSubMenu() const { return false; }
  virtual bool IgnoredWhileCustomizing() const { return false; }
  virtual bool IsInSubMenu() const { return false; }
  virtual bool IsOnMainMenu() const { return false; }
  virtual bool IsRotated() const;
  virtual bool IsToolbarButton() const { return false; }
  virtual bool IsWindowed() const { return false; }
  // A windowed control whose editor runs.
  virtual bool IsEditorActive() const { return false; }
  virtual bool IsPressedOrOpen() const { return false; }
  // Whether the item's click leaves the control unpressed: the item's UnclickAfterDoing for
  // buttons, true for every other item.
  virtual bool UnclicksAfterClick() const;
  virtual void BeginResize() {}
  virtual bool IsResizeHit(POINT p) const { (void)p; return false; }
  virtual void EndResize() {}
  virtual void ResizeTo(int width) { (void)width; }
  // Keyboard access: the control's accessibility helper, made on first use.
  IdxBarAccessibilityHelper* GetAccessibilityHelper();
  virtual TOwned<TdxBarAccessibilityHelper> CreateAccessibilityHelper();

  // --- Activation and the click path ---
  virtual void ControlActivated(bool immediately, bool byMouse);
  virtual void ControlDeactivated(bool immediately);
  // Nothing for a disabled control; else BeforeClick, then, while the bar control lives and still
  // shows this control, ClickItem.
  virtual void PerformClick(bool byMouse, bool byKey);
  virtual void BeforeClick(bool byMouse, bool byKey) { (void)byMouse; (void)byKey; }
  // The menu sound, the use recorded, the chain closed (reason 2), the item's click.
  virtual void ClickItem(bool byMouse);
  // The bar's pressed mark cleared and this control selected.
  virtual void ClickedOnToolbar();

  // --- Mouse and keys from the bar control ---
  virtual void DblClick() {}
  virtual bool ActsOnMouseDown() const;
  virtual void KeyDown(int key, TShiftState shift) { (void)key; (void)shift; }
  virtual void KeyUp(int key, TShiftState shift) { (void)key; (void)shift; }
  virtual void KeyPress(char key) { (void)key; }
  virtual void MouseDownInside(TMouseButton button, TShiftState shift, POINT p) { (void)button; (void)shift; (void)p; }
  virtual void MouseUpInside(TMouseButton button, TShiftState shift, POINT p) { (void)button; (void)shift; (void)p; }
  virtual void MouseEntered(TShiftState shift, POINT p) { (void)shift; MouseMoveOver(p); }
  virtual void MouseMovedInside(TShiftState shift, POINT p) { (void)shift; MouseMoveOver(p); }
  virtual void MouseLeft() { MouseMoveOver(POINT{-1, -1}); }
  // The hot part follows the point (-1 when disabled).
  virtual void MouseMoveOver(POINT p);

  // --- Drawing and measuring ---
  // Recalculates what the painter is given: with full every field, else only the canvas, the view
  // size, the view structure and the button size that measuring needs.
  virtual void CalcDrawParams(bool full = true);
  TdxBarItemControlDrawParams* DrawParams() const { return FDrawParams.get(); }
  TdxCachedImageOptions* CachedImage() const { return FCachedImage.get(); }
  // Draws the control in the rect; flags are the bar control's orientation flags.
  virtual void Draw(const RECT& rect, int flags) { (void)rect; (void)flags; }
  virtual bool IsDrawnByParent() const { return true; }

  // --- Metrics (all measured on the canvas in the style font) ---
  // The view levels this kind can show; never empty.
  virtual TdxBarItemViewLevels GetPossibleViewLevels() const;
  // The possible levels the link allows; all possible levels when the link allows none of them.
  // Raises EdxException when the kind has no possible level.
  TdxBarItemViewLevels GetAllowedViewLevels() const;
  // The view structure (dxBarViewIcon, dxBarViewText) of the current view level.
  virtual uint8_t GetViewLevelFlags() const;
  virtual uint8_t GetDefaultViewLevelFlags() const { return 0; }
  // Large for large menus; large icons on toolbars under the manager's LargeIcons; else small.
  virtual TdxBarItemViewSize GetViewSize() const;
  // The view size of the current view level.
  TdxBarItemViewSize GetCurrentViewSize() const;
  TdxBarPaintType GetPaintType() const;
  virtual int GetPartCount() const { return 1; }
  virtual bool UsesAutoGrayScale() const { return false; }
  virtual std::string GetCaption() const;
  virtual TWinControl* GetHostedControl() const { return nullptr; }
  virtual TdxBarItemControlDrawParamsClass GetDrawParamsClass() const
  {
    return ClassRef<TdxBarItemControlDrawParams>();
  }
  // The link's own glyph when it defines one, else the item's.
  virtual TBitmap* GetGlyph() const;
  // False asks the painter to derive the disabled look.
  virtual bool IsGlyphDrawnAsIs() const;
  virtual int GetImageIndex() const;
  virtual TCustomImageList* GetImagesForSize(TdxBarItemViewSize size) const;
  virtual TCustomImageList* GetSmallImages() const;
  virtual TCustomImageList* GetHotImages() const;
  virtual TBitmap* GetLargeGlyph() const;
  virtual int GetLargeImageIndex() const;
  virtual TCustomImageList* GetLargeImages() const;
  TdxBarMenuItemSize GetMenuItemSize() const;
  TdxBarPainter* GetPainter() const;
  virtual TShortCut GetShortCut() const;
  virtual int GetLeftIndent() const;
  virtual TCustomdxBarControl* GetSubMenuControl() const { return nullptr; }
  virtual RECT GetMargins() const { return RECT{}; }
  // The width of the caption as one text row.
  virtual int GetCaptionWidth();
  // Whether the control has a glyph for the size, and where it comes from: a bitmap, or else the
  // list and the index.
  virtual bool GetGlyphSource(TdxBarItemViewSize size, bool forDrawing, int& imageIndex, TCustomImageList*& images,
                              TBitmap*& glyph) const;
  bool HasGlyphForSize(TdxBarItemViewSize size) const;
  int GetImageIndexForSize(TdxBarItemViewSize size) const;
  bool UsesLargeImagesFor(TdxBarItemViewSize size) const;
  bool CanUseLargeImagesFor(TdxBarItemViewSize size) const;
  // The glyph's size; without a glyph 20 x 20 for the large size, else the manager's glyph size.
  virtual SIZE GetGlyphSize(TdxBarItemViewSize size) const;
  virtual RECT GetCaptionMargins(int kind) const;
  virtual int CalcCaptionAreaWidth();
  virtual int GetUserWidth() const { return 0; }
  virtual int GetGlyphAreaWidth() const;
  int GetHalfFontSize() const;
  virtual int CalcItemHeight();
  virtual int CalcItemWidth();
  virtual int CalcMenuWidth();
  virtual int CalcMenuHeight();
  virtual int CalcMenuItemWidth();
  virtual int CalcLargeItemWidth();
  virtual int CalcLargeItemHeight();
  virtual int CalcSmallItemHeight();
  virtual int CalcToolbarItemHeight();
  virtual int CalcToolbarItemWidth();
  virtual int GetMinItemHeight() const { return 1; }
  virtual int GetMinItemWidth() const { return 1; }
  // The sizes the bar layout places the control with.
  int GetLayoutHeight();
  int GetLayoutWidth();
  // The layout width at the level; the current level is kept.
  int CalcWidthAtLevel(TdxBarItemViewLevel level);
  SIZE MeasureText(std::string_view text);
  int GetTextWidth(std::string_view text) { return MeasureText(text).cx; }
  int GetSampleTextHeight() { return MeasureText("Zq").cy; }
  // Drops the cached glyph picture, and the cached widths when asked.
  void ResetViewInfo(bool resetWidths);
  // Draws into another canvas with the canvas state saved and the style font selected; every step
  // after the override is undone also when drawing raises.
  void DrawTo(TcxCanvas* canvas, const RECT& rect, int flags);
  // The saved font of SelectStyleFont.
  struct TSavedFont {
    bool Selected = false;
    LOGFONTA Font{};
  };
  // Nothing unless the item's style sets a font or an explicit one is given; the style font keeps
  // the escapement and output precision of the canvas font, so rotated text stays rotated.
  TSavedFont SelectStyleFont(TFont* explicitFont = nullptr);
  void RestoreFont(const TSavedFont& saved);
  // Text colours: the style's text colour or the painter's for enabled controls; the painter's
  // disabled colours otherwise.
  void GetTextColors(bool enabled, bool selected, bool flat, TColor& textColor, TColor& secondColor);
  // The style brush again, then the text height from the bar control, with the style font.
  virtual void CalcTextMetrics();
  // The brush of the style's colour when the item paints its style background.
  void UpdateStyleBrush();
  // The own text height when the style sets a font, else the bar control's.
  int GetTextHeight() const;

  // --- Hints ---
  // The part of the item's Hint before "|" and " (shortcut)".
  void GetHintAndShortCut(std::string& hint, std::string& shortCut) const;
  std::string GetHint() override;

  // --- IdxScreenTipSource ---
  TBasicAction* GetAction() override;
  TdxScreenTip* GetScreenTip() override;
  // --- IdxBarHintContext ---
  TCustomdxBarControl* GetBarControl() override { return FBarControl; }
  bool UsesBarHintWindow() override;
  // --- IdxBarHintSource ---
  // False unless the bar control lives, is inactive, and this is the control under the cursor; an
  // action whose DoHint refuses suppresses the hint.
  bool GetHintTexts(bool& suppressed, std::string& hint, std::string& shortCut) override;
  // The painter's hint view info with the item's screen tip (dxBarHintSources.cpp).
  TOwned<TdxBarCustomHintViewInfo> ShowScreenTip(POINT at, const std::string& hint,
                                                 const std::string& shortCut) override;
  bool CanShowHint() override { return IsEnabled(); }
  void ShowHintAt(POINT& at) override { (void)at; }
  // --- IdxFadingObject ---
  bool CanFade() override;
  void RefreshFadingFrame() override { Repaint(); }
  void GetFadingImages(TOwned<TBitmap>& fadeOutImage, TOwned<TBitmap>& fadeInImage) override
  {
    (void)fadeOutImage;
    (void)fadeInImage;
  }
  TdxFader* GetFader() const;

protected:
  virtual TdxBarItemControlViewInfoClass GetViewInfoClass() const { return ClassRef<TdxBarItemControlViewInfo>(); }
  void SetPartRects(std::vector<RECT> rects) { FPartRects = std::move(rects); }

private:
  TcxCanvas* FCanvasOverride = nullptr;
  TBrushHandle FStyleBrush;
  bool FGroupStart = false;
  bool FDestroying = false;
  bool FActive = false;
  TdxBarItemLink* FLink;
  bool FLastShown = false;
  bool FNonRecent = false;
  TCustomdxBarControl* FBarControl = nullptr;
  bool FPressedForClick = false;
  bool FSelectedByMouse = false;
  int FTextHeight = 0;
  int FHotPartIndex = dxBarNoPart;
  std::vector<RECT> FPartRects;
  TOwned<TdxBarItemControlViewInfo> FViewInfo;
  TOwned<TdxBarItemControlDrawParams> FDrawParams;
  std::unique_ptr<TdxCachedImageOptions> FCachedImage = std::make_unique<TdxCachedImageOptions>();
  // Keyboard access.
  TOwned<TdxBarAccessibilityHelper> FAccessibilityHelper;
};

using TdxBarItemControlClass = TClassRef<TdxBarItemControl>;
