#pragma once
// The window of one toolbar: TdxBarDockedControl shows a bar and keeps the internal-change count of
// docking changes; TdxBarControl is the toolbar itself, a child of its dock when docked and a popup
// owned by the manager's owner control when floating, with its non-client frame from the bar
// painter, the hit codes of its frame, caption and close button, and the press loop of the floating
// close button.
#include "toolkit/bars/dxBarControl.h"

class TdxBarDockedControl : public TCustomdxBarControl {
  CL_CLASS(TdxBarDockedControl, TCustomdxBarControl)
public:
  using TCustomdxBarControl::TCustomdxBarControl;

  virtual void SetBar(TdxBar* bar) { FBar = bar; }
  TdxBar* GetBarOfControl() const { return FBar; }
  TdxBar* GetBar() const override { return FBar; }
  // While above 0 the window is being re-created by a docking change.
  void BeginInternalChange() { ++FInternalChangeCount; }
  void EndInternalChange()
  {
    if (FInternalChangeCount > 0) --FInternalChangeCount;
  }
  bool InternalChanging() const { return FInternalChangeCount > 0; }

  // The caption button under a window point; -1 none.
  virtual int GetCaptionButtonAt(POINT windowPoint) const { (void)windowPoint; return -1; }
  virtual bool HasCaptionButtons() const { return false; }
  virtual void CaptionButtonsChanged() {}
  virtual void ClickCaptionButton(int index) { (void)index; CaptionButtonsChanged(); }
  virtual void TrackCaptionButtons(POINT windowPoint, bool pressed) { (void)windowPoint; (void)pressed; }

private:
  TdxBar* FBar = nullptr;
  int FInternalChangeCount = 0;
};

// Hit codes of a toolbar: what the last WM_NCHITTEST found for the bar itself.
constexpr int dxBarHitNone = 0;
constexpr int dxBarHitClient = 1;
constexpr int dxBarHitDrag = 2;
constexpr int dxBarHitCloseButton = 20;
// The caption-button index of the floating close button.
constexpr int dxBarCloseButtonIndex = -2;

class TdxBarControl : public TdxBarDockedControl {
  CL_CLASS(TdxBarControl, TdxBarDockedControl)
public:
  using TdxBarDockedControl::TdxBarDockedControl;

  // Creates the window when needed and shows it without activation (a parentless control is not
  // shown by Visible alone).
  void ShowToolbar();
  int HitCode() const { return FHitCode; }
  // 0 normal, 1 hot, 2 pressed.
  int CloseButtonState() const { return FCloseButtonState; }
  bool IsFloating() const { return DockingStyle() == TdxBarDockingStyle::dsNone; }
  virtual bool HasCaption() const { return true; }
  // Floating and the bar may be closed.
  virtual bool HasCloseButton() const;
  virtual bool HasGrip() const;
  virtual bool IsMultiLine() const;
  virtual bool CanHideFirstItem() const { return false; }
  // The close button in window coordinates; empty without one.
  RECT GetCloseButtonRect() const;
  // The border sizes the painter gives for the current docking style.
  RECT GetBorderSizes() const;
  virtual std::string GetBarCaption() const;
  virtual void UpdateCaption();

  // --- TCustomdxBarControl ---
  TBitmap* GetBackgroundBitmap() const override;
  int GetBeginGroupSize() const override;
  bool IsMainMenu() const override;
  bool IsStatusBar() const override;
  TCustomdxBarControlViewInfoClass GetViewInfoClass() const override
  {
    return ClassRef<TCustomdxBarControlViewInfo>();
  }
  void SetMarkState(int) override {}
  void UpdateFont() override;
  void InvalidateItemControl(TdxBarItemControl* control) override;
  void FillBackground(HDC dc, const RECT& rect) override;
  void DismissControl() override;
  TdxBarKind GetBarControlKind() const override { return TdxBarKind::bkBarControl; }
  bool IsVertical() const override;
  bool IsRotated() const override;
  TFont* GetFont() const override;
  void DrawNonClient(HDC dc) override;
  bool HasNonClientFrame() const override;
  void UpdateAlphaBlend() override;
  void ClickCaptionButton(int index) override;
  void TrackCaptionButtons(POINT windowPoint, bool pressed) override;
  int GetCaptionButtonAt(POINT windowPoint) const override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;
  // A left press outside the client area (the caption and its close button answer the hit test
  // as client) goes to the non-client press handling.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  void SetCloseButtonState(int value);
  // Runs the press loop of a caption button; answers whether the click counts.
  bool TrackCaptionButtonPress(int index);
  void WMNCCalcSize(TMessage& msg);
  void WMNCHitTest(TMessage& msg);
  void WMNCLButtonDown(TMessage& msg);
  void WMGetMinMaxInfo(TMessage& msg);
  void WMGetDlgCode(TMessage& msg);
  void WMSize(TMessage& msg);
  void CMEnabledChanged(TMessage& msg);
  void CMFontChanged(TMessage& msg);

  int FHitCode = dxBarHitNone;
  int FCloseButtonState = 0;
};
