#pragma once
// The panel family's container: TRzCustomPanel draws its own frame (an outer frame at its edge, a
// border band and an inner frame, on the sides chosen), fills its interior plainly or with a
// gradient, draws an optional design grid and its caption, can show its parent through itself, and
// follows a frame controller. TRzStatusBar (RzPanelStatusBar.h) is built on it.
//
// The unit: start-up registers the status bar for stored forms; shut-down unregisters it.
#include <string>
#include "classlib/ExtCtrls.h"
#include "classlib/Strings.h"
#include "classlib/Units.h"
#include "toolkit/panels/RzCommon.h"

extern TUnit UnitRzPanel;

enum class TRzCaptionVertAlignment { cvaTop, cvaCenter, cvaBottom };
extern const TEnumInfo RzCaptionVertAlignmentInfo;
enum class TRzGridKind { gkDots, gkDottedLines, gkSolidLines };
extern const TEnumInfo RzGridKindInfo;

// The width a frame style takes from each side it is drawn on; fsStatus and fsPopup take the bevel
// width.
int FrameStyleThickness(TFrameStyleEx style, int bevelWidth);

class TRzCustomPanel : public TCustomPanel, public IRzFrameControllerClient {
  CL_CLASS(TRzCustomPanel, TCustomPanel)
public:
  explicit TRzCustomPanel(TComponent* owner);
  void BeforeDestruction() override;

  TRzCaptionVertAlignment VerticalAlignment() const { return FVerticalAlignment; }
  virtual void SetVerticalAlignment(TRzCaptionVertAlignment value);
  TFrameStyleEx BorderInner() const { return FBorderInner; }
  virtual void SetBorderInner(TFrameStyleEx value);
  TFrameStyleEx BorderOuter() const { return FBorderOuter; }
  virtual void SetBorderOuter(TFrameStyleEx value);
  TSides BorderSides() const { return FBorderSides; }
  virtual void SetBorderSides(TSides value);
  TColor BorderColor() const { return FBorderColor; }
  virtual void SetBorderColor(TColor value);
  TColor HighlightColor() const { return FHighlightColor; }
  virtual void SetHighlightColor(TColor value);
  TColor ShadowColor() const { return FShadowColor; }
  virtual void SetShadowColor(TColor value);
  TColor FlatColor() const { return FFlatColor; }
  virtual void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return FFlatColorAdjustment; }
  virtual void SetFlatColorAdjustment(int value);
  bool FillClientArea() const { return FFillClientArea; }
  virtual void SetFillClientArea(bool value);
  TRzVisualStyle VisualStyle() const { return FVisualStyle; }
  virtual void SetVisualStyle(TRzVisualStyle value);
  TRzGradientColorStyle GradientColorStyle() const { return FGradientColorStyle; }
  virtual void SetGradientColorStyle(TRzGradientColorStyle value);
  TColor GradientColorStart() const { return FGradientColorStart; }
  virtual void SetGradientColorStart(TColor value);
  TColor GradientColorStop() const { return FGradientColorStop; }
  virtual void SetGradientColorStop(TColor value);
  TGradientDirection GradientDirection() const { return FGradientDirection; }
  virtual void SetGradientDirection(TGradientDirection value);
  TColor GridLineColor() const { return FGridLineColor; }
  virtual void SetGridLineColor(TColor value);
  TRzGridKind GridKind() const { return FGridKind; }
  virtual void SetGridKind(TRzGridKind value);
  int GridSpacingX() const { return FGridSpacingX; }
  virtual void SetGridSpacingX(int value);
  int GridSpacingY() const { return FGridSpacingY; }
  virtual void SetGridSpacingY(int value);
  bool GridVisible() const { return FGridVisible; }
  virtual void SetGridVisible(bool value);
  // No interior fill; the parent's image is the background.
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool value);
  int CaptionMarginHorz() const { return FCaptionMarginHorz; }
  virtual void SetCaptionMarginHorz(int value);
  int CaptionMarginVert() const { return FCaptionMarginVert; }
  virtual void SetCaptionMarginVert(int value);
  bool WordWrap() const { return FWordWrap; }
  virtual void SetWordWrap(bool value);
  // Whether the dock manager draws the docked clients' captions (TRzPanelDockManager).
  bool DockCaptionsVisible() const { return FDockCaptionsVisible; }
  void SetDockCaptionsVisible(bool value);
  // ("1" or "0", child) pairs: which children were enabled when the panel was disabled.
  TStrings* SavedEnabledStates() const { return FSavedEnabledStates.get(); }
  // Weak; cleared when the controller is freed. Registering pushes every setting at once.
  TRzFrameController* FrameController() const { return FFrameController; }
  virtual void SetFrameController(TRzFrameController* value);
  TRzFrameControllerNotifications FrameControllerNotifications() const { return FFrameControllerNotifications; }
  void SetFrameControllerNotifications(TRzFrameControllerNotifications value) { FFrameControllerNotifications = value; }
  // Fired at the end of painting.
  TNotifyEvent OnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent e) { FOnPaint = e; }

  // The window's client rectangle less the frames (the border band is left to AdjustClientRect).
  // A dock site's client rectangle is the window's whole client area; its AdjustClientRect
  // removes the frames as well as the border band.
  RECT ClientRect() const override;
  void AdjustClientRect(RECT& rect) override;
  // An alBottom panel keeps its bottom edge when its height changes, an alRight one its right edge
  // when its width changes.
  void SetBounds(int left, int top, int width, int height) override;
  // Moves r inward by the frames on BorderSides (and first by BorderWidth on all sides when asked).
  virtual void AdjustRectForBorders(RECT& r, bool includeBorderWidth) const;
  // Takes the controller's frame style, sides, frame colour and colours while its frame is visible,
  // as far as FrameControllerNotifications accepts them.
  void ApplyFrameControllerSettings() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Reads the obsolete stored properties "FrameSides", "ThemeAware" and "UseGradients".
  void DefineProperties(TFiler& filer) override;

protected:
  // The cursor position in client coordinates.
  virtual POINT GetMousePos() const;
  virtual RECT GetPanelRect() const { return RECT{0, 0, Width(), Height()}; }
  // How far inside the frame a resize repaints.
  virtual POINT GetRepaintMargin() const { return POINT{1, 1}; }
  // Disabling records each child's state and disables it; enabling enables the children that were
  // enabled (or are not recorded).
  virtual void EnableChildControls(bool enable);
  virtual void GetGradientColors(TColor& start, TColor& stop) const;
  virtual void GetFlatColors(TColor& flatColor, int& adjustment) const;
  virtual void DrawCaption(RECT r);
  virtual void DrawGrid(const RECT& r);
  void Paint() override;
  // A TRzPanelDockManager for a dock site that uses a dock manager; the panel paints double-buffered
  // once it has one.
  TDockTree* CreateDockManager() override;
  // Repaints every child that publishes a "Transparent" property that is on.
  void InvalidateTransparentChildren();

private:
  template <class T> void Change(T& field, const T& value);
  void BordersChanged();
  void WMWindowPosChanged(TMessage& msg);
  void WMEraseBkgnd(TMessage& msg);
  void WMThemeChanged(TMessage& msg);
  void CMMouseEnter(TMessage& msg);
  void CMMouseLeave(TMessage& msg);
  void CMEnabledChanged(TMessage& msg);

  TRzCaptionVertAlignment FVerticalAlignment = TRzCaptionVertAlignment::cvaCenter;
  TFrameStyleEx FBorderInner = TFrameStyleEx::fsNone;
  TFrameStyleEx FBorderOuter = TFrameStyleEx::fsRaised;
  TSides FBorderSides = sdAllSides;
  TColor FBorderColor = clBtnFace;
  TColor FHighlightColor = clBtnHighlight;
  TColor FShadowColor = clBtnShadow;
  TColor FFlatColor = clBtnShadow;
  int FFlatColorAdjustment = 30;
  bool FFillClientArea = true;
  TRzVisualStyle FVisualStyle = TRzVisualStyle::vsWinXP;
  TRzGradientColorStyle FGradientColorStyle = TRzGradientColorStyle::gcsSystem;
  TColor FGradientColorStart = clWhite;
  TColor FGradientColorStop = clBtnFace;
  TGradientDirection FGradientDirection = TGradientDirection::gdHorizontalEnd;
  TColor FGridLineColor = clBtnShadow;
  TRzGridKind FGridKind = TRzGridKind::gkDots;
  int FGridSpacingX = 8;
  int FGridSpacingY = 8;
  bool FGridVisible = false;
  bool FTransparent = false;
  int FCaptionMarginHorz = 0;
  int FCaptionMarginVert = 0;
  bool FWordWrap = true;
  bool FDockCaptionsVisible = true;
  TOwned<TStringList> FSavedEnabledStates;
  TNotifyEvent FOnPaint;
  TRzFrameController* FFrameController = nullptr;
  TRzFrameControllerNotifications FFrameControllerNotifications = fcpAllNotifications;
};
