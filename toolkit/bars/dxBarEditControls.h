#pragma once
// The item controls that host a real window in a bar. TdxBarWinControl hooks the hosted window's
// procedure, starts and ends editing, moves the focus in and gives it back, turns Tab, Enter and
// Escape into storing or dropping the typed text, passes keys to the item's key events and routes
// mouse messages between the window and the bar. TdxBarCustomEditControl lays out caption, glyph
// and edit box and paints through the bar painter; TdxBarEditControl owns a hidden child "EDIT"
// window, shown only while the user edits (the painter draws the value otherwise).
// TCustomdxBarComboControl adds the drop-down button and opens the item's drop-down window;
// TdxBarComboControl steps through the item's rows from the keyboard and the wheel.
#include <string>
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemControlDrawParams.h"

class TcxWindowProcLinkedObject;
class TBrush;
class TFont;
class TdxBarWindowItem;
class TdxBarEdit;
class TCustomdxBarCombo;
class TdxBarCustomCombo;

// obj as a T when it is one; nullptr otherwise (the bar system asks kinds of items and controls
// this way).
template <class T>
T* ObjectAs(TObject* obj)
{
  return obj && obj->Is<T>() ? static_cast<T*>(obj) : nullptr;
}

// What the painter needs of edit-like controls beyond the base: whether the control edits, whether
// its editor is transparent, and (combos) whether it is dropped down.
class TdxBarEditLikeControlDrawParams : public TdxBarItemControlDrawParams {
  CL_CLASS(TdxBarEditLikeControlDrawParams, TdxBarItemControlDrawParams)
public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  bool IsEditing = false;
  bool IsTransparentEditor = false;
  bool DroppedDown = false;
};

// The hot parts of edit and combo controls.
constexpr int dxBarEditPart = 0;
constexpr int dxBarEditGlyphPart = 1;
constexpr int dxBarEditCaptionPart = 2;
constexpr int dxBarComboButtonPart = 3;

class TdxBarWinControl : public TdxBarItemControl {
  CL_CLASS(TdxBarWinControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  void BeforeDestruction() override;

  TdxBarWindowItem* WindowItem() const;
  // The control edits: its window is shown and focused.
  bool Focused() const { return FFocused; }
  bool InternalUpdate() const { return FInternalUpdate; }
  // Where the window goes, in bar client coordinates; empty when disabled or without an editor.
  RECT GetWindowRect() const;
  void SetWindowRect(const RECT& rect);
  // The bar control's window is enabled and so is the hosted window.
  bool CanEdit() const;
  POINT MapPointToBar(POINT p) const;
  POINT MapPointToWindow(POINT p) const;

  // --- Overrides ---
  void EnabledChanged() override;
  bool IsClickable() const override;
  bool AllowsCloseOnDeactivate() const override;
  bool CanBeSelected() const override;
  void ControlDeactivated(bool immediately) override;
  void BeforeClick(bool byMouse, bool byKey) override;
  void ClickedOnToolbar() override;
  bool OwnsWindow(HWND wnd) const override;
  bool ClosesMenusOnClick() const override { return false; }
  bool IsWindowed() const override { return true; }
  bool IsEditorActive() const override { return FFocused; }
  void KeyDown(int key, TShiftState shift) override;
  void KeyUp(int key, TShiftState shift) override;
  void KeyPress(char key) override;

  // --- Operations ---
  virtual void HookWindow();
  virtual void UnhookWindow(bool destroy);
  virtual void TrackMouseAfterEdit(bool byMouse);
  virtual HWND GetWindowHandle() const = 0;
  // The whole window text (its length asked first).
  virtual std::string ReadWindowText() const;
  virtual void HideWindow(bool store) = 0;
  virtual bool IsMenuKey(int key, TShiftState shift) const;
  virtual bool IsDropDownKey(int key, TShiftState shift) const;
  virtual void UpdateTextRect() {}
  virtual void TakeItemText();
  // Starts editing, or ends it storing the text as the manager's AlwaysSaveText says.
  void SetEditing(bool value) { SetEditing(value, false); }
  // Ends editing with the typed text dropped when cancel is set (Escape).
  virtual void SetEditing(bool value, bool cancel);
  virtual void WriteWindowText(const std::string& text);
  virtual void UpdateParentState();
  virtual void StoreWindowText();
  virtual void HandleMenuKeyDown(WORD& key, TShiftState shift);
  virtual void HandleMenuKeyUp(WORD& key, TShiftState shift);
  virtual void HostedWindowProc(TMessage& msg);
  virtual void StopTracking(HWND focused) { (void)focused; }
  // The window's previous procedure.
  void DefaultHandler(TMessage& msg);

protected:
  bool FRepaintPosted = false;
  bool FInternalUpdate = false;
  int FMenuKeyCount = 0;
  bool FBarPaintsEdits = false;
  // Stores where the window goes without moving it.
  void SetWindowRectOnly(const RECT& rect) { FWindowRect = rect; }
  // Runs f with the internal-update flag set.
  template <class F> void Internally(F f)
  {
    const bool old = FInternalUpdate;
    FInternalUpdate = true;
    f();
    FInternalUpdate = old;
  }

private:
  void HookProc(TMessage& msg);
  void HandleKeyDown(WORD& key, TShiftState shift);
  void RestoreFocusAfterEdit();
  bool FFocused = false;
  TcxWindowProcLinkedObject* FHook = nullptr;
  RECT FWindowRect{};
};

class TdxBarCustomEditControl : public TdxBarWinControl {
  CL_CLASS(TdxBarCustomEditControl, TdxBarWinControl)
public:
  using TdxBarWinControl::TdxBarWinControl;

  TdxBarEdit* EditItem() const;
  bool IsHighlighted() const override;
  TdxBarItemViewLevels GetPossibleViewLevels() const override;
  uint8_t GetDefaultViewLevelFlags() const override;
  int GetPartCount() const override { return TdxBarWinControl::GetPartCount() + 2; }
  TdxBarItemControlDrawParamsClass GetDrawParamsClass() const override
  {
    return ClassRef<TdxBarEditLikeControlDrawParams>();
  }
  void CalcDrawParams(bool full = true) override;
  void CalcParts() override;
  void CalcTextMetrics() override;
  void Draw(const RECT& rect, int flags) override;
  RECT GetCaptionMargins(int kind) const override;
  int CalcCaptionAreaWidth() override;
  int GetUserWidth() const override;
  int GetGlyphAreaWidth() const override;
  int CalcItemHeight() override;
  int CalcItemWidth() override { return CalcMenuWidth(); }
  int GetMinItemWidth() const override;
  bool CanClick() const override;
  void UpdateParentState() override;

  // --- Resizing while customizing: the 7-pixel strips at each side drag an edge ---
  using TdxBarWinControl::BeginResize;
  using TdxBarWinControl::EndResize;
  using TdxBarWinControl::ResizeTo;
  bool IsResizeHit(POINT p) const override;
  void BeginResize(POINT p);
  void ResizeTo(POINT p);
  void EndResize(bool apply);
  int DraggedWidth() const { return FDragWidth; }

  virtual void AdjustTextArea(RECT& rect) { (void)rect; }
  // The border of the edit box, then the frame inside it excluded from the canvas clip.
  virtual void DrawBorderArea();
  virtual void DrawEditValue() = 0;
  virtual RECT CalcEditRect() const;
  virtual int GetMinEditWidth() const = 0;
  virtual bool ShowsCaption() const;
  virtual void RefreshDrawParams() = 0;
  // The edit brush in the painter's edit background colour (made on first request).
  virtual HBRUSH GetEditBrush();
  TFont* GetEditFont() const;
  // The edit text height: the control's own with a StyleEdit font, else the bar control's.
  int EditTextHeight() const;
  TdxBarEditLikeControlDrawParams* EditDrawParams() const;

private:
  void DrawDragFrame();
  TOwned<TBrush> FEditBrush;
  int FEditTextHeight = 0;
  int FDragWidth = 0;
  bool FDragRightEdge = false;
  bool FDragging = false;
};

class TdxBarEditControl : public TdxBarCustomEditControl {
  CL_CLASS(TdxBarEditControl, TdxBarCustomEditControl)
public:
  using TdxBarCustomEditControl::TdxBarCustomEditControl;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  HWND EditWindow() const { return FEditWnd; }
  void BeforeClick(bool byMouse, bool byKey) override;
  bool IsDrawnByParent() const override { return false; }
  RECT GetMargins() const override;
  void HookWindow() override;
  void UnhookWindow(bool destroy) override;
  HWND GetWindowHandle() const override { return FEditWnd; }
  void HideWindow(bool store) override;
  void UpdateTextRect() override;
  using TdxBarWinControl::SetEditing;
  void SetEditing(bool value, bool cancel) override;
  void WriteWindowText(const std::string& text) override;
  void UpdateParentState() override;
  void HostedWindowProc(TMessage& msg) override;
  void DrawEditValue() override;
  int GetMinEditWidth() const override { return 20; }
  void RefreshDrawParams() override { CalcDrawParams(true); }

  virtual void CreateEditWindow();
  virtual void DestroyEditWindow(bool destroy);
  virtual DWORD GetEditWindowStyle() const { return 0x40000084; }
  virtual bool IsNotEditing() const;

private:
  HWND FEditWnd = nullptr;
};

class TCustomdxBarComboControl : public TdxBarEditControl {
  CL_CLASS(TCustomdxBarComboControl, TdxBarEditControl)
public:
  using TdxBarEditControl::TdxBarEditControl;
  void BeforeDestruction() override;

  TCustomdxBarCombo* ComboItem() const;
  bool DroppedDown() const { return FDroppedDown; }
  void EnabledChanged() override;
  void ControlDeactivated(bool immediately) override;
  int GetPartCount() const override { return TdxBarEditControl::GetPartCount() + 1; }
  void CalcDrawParams(bool full = true) override;
  void CalcParts() override;
  bool OwnsWindow(HWND wnd) const override;
  bool IsPressedOrOpen() const override { return FDroppedDown; }
  bool HasDropDownPart() const override { return true; }
  bool IsMenuKey(int key, TShiftState shift) const override;
  bool IsDropDownKey(int key, TShiftState shift) const override;
  void HandleMenuKeyDown(WORD& key, TShiftState shift) override;
  void HandleMenuKeyUp(WORD& key, TShiftState shift) override;
  void HostedWindowProc(TMessage& msg) override;
  void AdjustTextArea(RECT& rect) override;
  void DrawEditValue() override;
  bool IsNotEditing() const override;

  // In a sub-menu or on a vertical bar the control's top-right corner; elsewhere the left side of
  // the edit box at the control's bottom; in screen coordinates.
  virtual POINT GetDropDownOrigin() const;
  virtual void SetDroppedDown(bool value);

private:
  bool FOpenAtPress = false;
  bool FDroppedDown = false;
};

class TdxBarComboControl : public TCustomdxBarComboControl {
  CL_CLASS(TdxBarComboControl, TCustomdxBarComboControl)
public:
  using TCustomdxBarComboControl::TCustomdxBarComboControl;

  TdxBarCustomCombo* ListCombo() const;
  int CurItemIndex() const { return FCurItemIndex; }
  // Stores the index and shows its row in the window.
  void SetCurItemIndex(int index);
  // The open list's selected row shown in the window, not reported as typing.
  void ShowListRow(int index)
  {
    Internally([&] { SetCurItemIndex(index); });
  }
  // The list's match of the typed text.
  void SetCurItemIndexQuiet(int index) { FCurItemIndex = index; }
  void TakeItemText() override;
  using TCustomdxBarComboControl::SetEditing;
  void SetEditing(bool value, bool cancel) override;
  void HostedWindowProc(TMessage& msg) override;

private:
  // The row keys and the wheel of a closed list; true when the message is done.
  bool HandleListKeys(TMessage& msg);
  int FCurItemIndex = -1;
};
