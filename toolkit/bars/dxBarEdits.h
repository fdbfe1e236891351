#pragma once
// Items whose controls host a real window: a text box (TdxBarEdit) and a text box with a drop-down
// list (TdxBarCombo). TdxBarWindowItem holds the Text value and the events of editing; the editing
// itself (the hosted "EDIT" window, focus, keys) belongs to the item controls of
// dxBarEditControls.h, which call into these items. TCustomdxBarCombo drops down any window its
// OnGetDropDownWindow supplies; TdxBarCustomCombo supplies its own owner-drawn list of rows and keeps
// Text and ItemIndex in step with it.
#include <string>
#include <string_view>
#include "classlib/Controls.h"
#include "classlib/StdCtrls.h"
#include "classlib/Strings.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/bars/dxBarItem.h"

class TcxCanvas;
class TCustomdxBarComboControl;
class TdxBarItemControl;
class TdxBarPainter;
class TdxBarWinControl;
class TdxBarCustomCombo;

using TdxBarCheckKeyForDropDownWindowEvent =
    TEvent<void(TObject* Sender, WORD Key, TShiftState Shift, bool& AcceptKey)>;
using TdxBarGetDropDownWindowEvent = TEvent<void(TObject* Sender, HWND& Window)>;
using TdxBarDrawItemEvent = TEvent<void(TObject* Sender, int AIndex, const RECT& ARect, TOwnerDrawState AState)>;
using TdxBarMeasureItemEvent = TEvent<void(TObject* Sender, int AIndex, int& AHeight)>;

class TdxBarWindowItem : public TdxBarItem {
  CL_CLASS(TdxBarWindowItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;

  // A click on an edit control does not run the item's click: the control decides.
  bool CanClick() const override { return false; }
  // On a rotated bar the item shows as a button.
  TdxBarItemControlClass GetControlClass(bool rotated) const override;

  // --- Value ---
  std::string Text() const { return GetText(); }
  virtual std::string GetText() const { return FText; }
  // Stores a changed value: the controls repaint, OnChange fires (not while loading), they repaint
  // again.
  virtual void SetText(const std::string& value);
  // Makes the first windowed control of the item (on a visible bar when asked) the selected control
  // of its toolbar and clicks it, which starts editing.
  virtual void FocusControl(bool onlyVisibleBars = true);

  // --- Editing helpers ---
  // The active link whose windowed control is editing; nullptr when none.
  TdxBarItemLink* GetActiveEditLink() const;
  TdxBarWinControl* GetActiveEditControl() const;
  // The text in the editing control's window, else Text.
  std::string GetEditingText() const;
  // Writes into the editing control's window, else SetText.
  void SetEditingText(const std::string& value);

  // --- Events ---
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& e) { FOnChange = e; }
  const TNotifyEvent& OnCurChange() const { return FOnCurChange; }
  void SetOnCurChange(const TNotifyEvent& e) { FOnCurChange = e; }
  const TNotifyEvent& OnEnter() const { return FOnEnter; }
  void SetOnEnter(const TNotifyEvent& e) { FOnEnter = e; }
  const TNotifyEvent& OnExit() const { return FOnExit; }
  void SetOnExit(const TNotifyEvent& e) { FOnExit = e; }
  const TKeyEvent& OnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(const TKeyEvent& e) { FOnKeyDown = e; }
  const TKeyEvent& OnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(const TKeyEvent& e) { FOnKeyUp = e; }
  const TKeyPressEvent& OnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(const TKeyPressEvent& e) { FOnKeyPress = e; }

  virtual void DoChange();
  virtual void DoCurChange();
  virtual void DoEnter();
  virtual void DoExit();
  virtual void DoKeyDown(WORD& key, TShiftState shift);
  virtual void DoKeyPress(char& key);
  virtual void DoKeyUp(WORD& key, TShiftState shift);

protected:
  // The controls repaint, OnChange fires (not while loading), the controls repaint again.
  void Changed();
  std::string FText;

private:
  TNotifyEvent FOnChange, FOnCurChange, FOnEnter, FOnExit;
  TKeyEvent FOnKeyDown, FOnKeyUp;
  TKeyPressEvent FOnKeyPress;
};

class TdxCustomBarEdit : public TdxBarWindowItem {
  CL_CLASS(TdxCustomBarEdit, TdxBarWindowItem)
public:
  explicit TdxCustomBarEdit(TComponent* owner);

  int Width() const { return GetWidth(); }
  // Values of 0 or less and unchanged values are ignored.
  void SetWidth(int value) override;
  int GetStyleCount() const override { return 2; }
  TcxStyle* StyleEdit() const { return GetStyleByIndex(1); }
  void SetStyleEdit(TcxStyle* value) { SetStyleByIndex(1, value); }
  // Enabled, and on a toolbar only with ShowCaption.
  bool CanUseAccelerator(TdxBarItemLink* link) const override;
  // The glyph is emptied once before the first reading.
  void ReadState(TReader& reader) override;

private:
  bool FGlyphCleared = false;
};

class TdxBarEdit : public TdxCustomBarEdit {
  CL_CLASS(TdxBarEdit, TdxCustomBarEdit)
public:
  using TdxCustomBarEdit::TdxCustomBarEdit;

  int MaxLength() const { return FMaxLength; }
  // Values below 0 become 0 (no limit).
  void SetMaxLength(int value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  std::string Text() const { return GetText(); }
  void SetTextProp(const std::string& value) { SetText(value); }

  // The control's painter draws the item's value in the rect.
  virtual void DrawEditValue(TdxBarItemControl* control, TcxCanvas* canvas, TdxBarItemLink* link, const RECT& rect);

private:
  int FMaxLength = 0;
  bool FReadOnly = false;
};

class TCustomdxBarCombo : public TdxBarEdit {
  CL_CLASS(TCustomdxBarCombo, TdxBarEdit)
public:
  using TdxBarEdit::TdxBarEdit;

  bool ShowEditor() const { return !FNoEditor; }
  void SetShowEditor(bool value);

  // The window OnGetDropDownWindow supplies; 0 without the event.
  virtual HWND GetDropDownWindow();
  virtual void PrepareDropDownWindow() {}
  // Moves the point so the drop-down window fits the work area of the monitor nearest it.
  virtual void CalcDropDownPosition(int& x, int& y);
  // Whether a key typed in the edit box goes to the open drop-down window.
  virtual bool CheckKeyForDropDownWindow(WORD key, TShiftState shift);
  // Gives a drop-down control the font of the active edit control and the painter's edit colours.
  void ApplyEditStyleTo(TWinControl* control);
  // The combo control opens at the point below its box: OnDropDown, then the window is prepared,
  // placed and shown on top without activation.
  virtual void DoDropDown(POINT at);
  // The window is hidden, then OnCloseUp.
  virtual void DoCloseUp();
  virtual void DropDownShown() {}
  // The active link's control when it is a combo control.
  TCustomdxBarComboControl* GetActiveComboControl() const;

  const TdxBarCheckKeyForDropDownWindowEvent& OnCheckKeyForDropDownWindow() const { return FOnCheckKey; }
  void SetOnCheckKeyForDropDownWindow(const TdxBarCheckKeyForDropDownWindowEvent& e) { FOnCheckKey = e; }
  const TNotifyEvent& OnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(const TNotifyEvent& e) { FOnCloseUp = e; }
  const TNotifyEvent& OnDropDown() const { return FOnDropDown; }
  void SetOnDropDown(const TNotifyEvent& e) { FOnDropDown = e; }
  const TdxBarGetDropDownWindowEvent& OnGetDropDownWindow() const { return FOnGetDropDownWindow; }
  void SetOnGetDropDownWindow(const TdxBarGetDropDownWindowEvent& e) { FOnGetDropDownWindow = e; }

private:
  // Kept as "no edit window", so that a new combo shows its editor.
  bool FNoEditor = false;
  TdxBarCheckKeyForDropDownWindowEvent FOnCheckKey;
  TNotifyEvent FOnCloseUp, FOnDropDown;
  TdxBarGetDropDownWindowEvent FOnGetDropDownWindow;
};

// The owner-drawn list a TdxBarCustomCombo drops down: a hidden, borderless top-level tool window
// that stays on top, hot-tracks its rows and gives the chosen row to its combo.
class TdxBarDropDownListBox : public TListBox {
  CL_CLASS(TdxBarDropDownListBox, TListBox)
public:
  explicit TdxBarDropDownListBox(TComponent* owner);
  TdxBarCustomCombo* Combo() const { return FCombo; }
  void SetCombo(TdxBarCustomCombo* combo) { FCombo = combo; }
  // The list holds the mouse capture after a press on the combo and waits for a drag into it.
  bool WaitingForDrag() const { return FWaiting; }
  void StartWaiting();
  // The bar control the list is parented to while open; nullptr when closed.
  HWND ParentBarWindow() const { return FParentBar; }
  void SetParentBarWindow(HWND wnd);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;

private:
  void ChooseRow();
  // A new selection of the list shows its row in the combo control's edit box.
  void ShowSelectionInCombo(int before);
  TdxBarCustomCombo* FCombo = nullptr;
  HWND FParentBar = nullptr;
  bool FWaiting = false;
};

// The rows of a combo: a string list whose one case rule the combo uses for every comparison of a
// row with Text.
class TdxBarComboStrings : public TStringList {
  CL_CLASS(TdxBarComboStrings, TStringList)
public:
  using TStringList::TStringList;
  bool SameRow(std::string_view a, std::string_view b) const { return CompareStrings(a, b) == 0; }
};

class TdxBarCustomCombo : public TCustomdxBarCombo {
  CL_CLASS(TdxBarCustomCombo, TCustomdxBarCombo)
public:
  explicit TdxBarCustomCombo(TComponent* owner);
  void BeforeDestruction() override;

  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int value) { FDropDownCount = value; }
  int DropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(int value) { FDropDownWidth = value; }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int value) { FItemHeight = value; }
  TStrings* Items() const { return FItems.get(); }
  // Copies the strings.
  void SetItems(TStrings* value);
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool value);
  int ItemIndex() const { return FItemIndex; }
  // Out-of-range values become -1; every real change fires OnChange once.
  void SetItemIndex(int value);
  // ItemIndex follows the value by the rows' own comparison, then the value is stored.
  void SetText(const std::string& value) override;
  TdxBarDropDownListBox* ListBox() const { return FListBox.get(); }

  // The row of the typed text: compared in upper case, the row agreeing longest with it, the first
  // row that begins with the whole text at once; -1 when none agrees at all.
  int FindBestPrefixMatch(std::string_view text) const;

  HWND GetDropDownWindow() override;
  void PrepareDropDownWindow() override;
  bool CheckKeyForDropDownWindow(WORD key, TShiftState shift) override;
  void DoDropDown(POINT at) override;
  void DoCloseUp() override;
  void DropDownShown() override;
  void DoCurChange() override;
  void DrawEditValue(TdxBarItemControl* control, TcxCanvas* canvas, TdxBarItemLink* link, const RECT& rect) override;

  virtual void DrawItem(TdxBarPainter* painter, int index, TOwnerDrawState state, const RECT& rect);
  virtual TcxCanvas* GetItemCanvas();
  // The list's outer width: DropDownWidth or the edit box's width grown to the widest row, plus
  // the list's border and a scroll bar when there are more rows than DropDownCount.
  virtual int CalcDropDownWidth();
  virtual int MeasureItemHeight(int index);
  virtual int MeasureItemWidth(int index);
  // While the closed combo's value is drawn, the canvas it is drawn on.
  bool DrawingInterior() const { return FInteriorDrawing; }

  const TdxBarDrawItemEvent& OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(const TdxBarDrawItemEvent& e) { FOnDrawItem = e; }
  const TdxBarMeasureItemEvent& OnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(const TdxBarMeasureItemEvent& e) { FOnMeasureItem = e; }

private:
  void ItemsChanged(TObject* sender);
  // The list follows the typed text of the active combo control.
  void SyncListWithEditText();
  void ListDrawItem(TWinControl* control, int index, const RECT& rect, TOwnerDrawState state);
  void ListMeasureItem(TWinControl* control, int index, int& height);
  bool RowEquals(int index, std::string_view text) const;
  int FDropDownCount = 8;
  int FDropDownWidth = 0;
  int FItemHeight = 0;
  int FItemIndex = -1;
  TOwned<TdxBarComboStrings> FItems;
  TOwned<TdxBarDropDownListBox> FListBox;
  TcxCanvas* FItemCanvas = nullptr;
  TOwned<TcxCanvas> FListCanvas;
  // The closed combo's control whose value is being drawn.
  TCustomdxBarComboControl* FDrawingControl = nullptr;
  bool FInteriorDrawing = false;
  TdxBarDrawItemEvent FOnDrawItem;
  TdxBarMeasureItemEvent FOnMeasureItem;
};

class TdxBarCombo : public TdxBarCustomCombo {
  CL_CLASS(TdxBarCombo, TdxBarCustomCombo)
public:
  using TdxBarCustomCombo::TdxBarCustomCombo;
};

// Registers the edit and combo item classes with their controls (at the bar unit's start).
void RegisterEditItemClasses();
