#pragma once
// The standard controls: push button, label, edit box, combo box and list box. The windowed ones
// are the system's BUTTON, EDIT, COMBOBOX and LISTBOX windows; their notifications come back to
// them from the parent as CN_COMMAND.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include "classlib/Controls.h"
#include "classlib/Strings.h"
#include "classlib/Units.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
using enum TAlignment;
enum class TTextLayout { tlTop, tlCenter, tlBottom };
using enum TTextLayout;
enum class TScrollBarKind { sbHorizontal, sbVertical };
using enum TScrollBarKind;
// Which scroll bars a control may show.
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
using enum TScrollStyle;
// What a scroll bar was asked to do: the SB_* requests of the platform, in its order.
enum class TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using enum TScrollCode;
// The step of a scroll bar's arrows and page areas.
using TScrollBarInc = int16_t;
// A scroll bar's request, before it takes effect: the handler may change the new position.
using TScrollEvent = TEvent<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// Flags of DrawText for a horizontal alignment.
UINT AlignmentFlags(TAlignment alignment);
// The names of TAlignment's values, for published properties of that type.
extern const TEnumInfo AlignmentInfo;

// The state of an owner-drawn item: the platform's ODS_* bits, in their order.
enum class TOwnerDrawStateFlag {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive, odNoAccel,
  odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using enum TOwnerDrawStateFlag;
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;
using TDrawItemEvent = TEvent<void(TWinControl* Control, int Index, const RECT& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = TEvent<void(TWinControl* Control, int Index, int& Height)>;

// One owner-drawn item of a list or combo box, as DRAWITEMSTRUCT gives it: the canvas takes the
// item's device context with the control's font and a solid brush of its colour (the highlight
// colours for a selected item with a valid index), draw paints the item (an invalid index only
// fills the item's rectangle), a focused item gets the focus rectangle when focusRect is set, and
// the canvas lets the context go again on every path, with the context's own objects put back.
void DrawOwnerDrawnItem(TCanvas* canvas, TWinControl* control, const DRAWITEMSTRUCT& dis, bool focusRect,
                        const std::function<void(int Index, const RECT& Rect, TOwnerDrawState State)>& draw);

class TButton : public TWinControl {
  CL_CLASS(TButton, TWinControl)
public:
  explicit TButton(TComponent* owner);
  // Enter on the form clicks the default button, Escape the cancel button.
  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value) { FCancel = value; }
  // Set on the parent form when the button is clicked (which closes a modal form).
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int value) { FModalResult = value; }
  void Click() override;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  void CNCommand(TMessage& msg);
  void CMDialogKey(TMessage& msg);
  bool FDefault = false, FCancel = false;
  int FModalResult = 0;
};

// A text drawn on the parent: no window, no focus. Its accelerator (Alt and the letter after '&',
// or the letter alone where the focused control takes no characters) focuses FocusControl.
class TLabel : public TGraphicControl {
  CL_CLASS(TLabel, TGraphicControl)
public:
  explicit TLabel(TComponent* owner);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* value);
  // Off: '&' is shown as it stands and there is no accelerator.
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  void Paint() override;
  // With AutoSize, fits the bounds to the text (keeping the side the alignment holds).
  void AdjustBounds();

private:
  UINT DrawFlags() const;
  void CMTextChanged(TMessage& msg);
  void CMFontChanged(TMessage& msg);
  void CMDialogChar(TMessage& msg);
  TWinControl* FFocusControl = nullptr;
  bool FShowAccelChar = true;
  bool FAutoSize = true, FTransparent = false, FWordWrap = false;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
};

// The letter case an edit box forces on what is typed into it.
enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
using enum TEditCharCase;
extern const TEnumInfo EditCharCaseInfo;

// A single-line EDIT window: text limit, read-only, selection, case, and the clipboard commands.
class TCustomEdit : public TWinControl {
  CL_CLASS(TCustomEdit, TWinControl)
public:
  explicit TCustomEdit(TComponent* owner);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  // The whole text is selected when the box gets the focus.
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool value) { FAutoSelect = value; }
  // The selection shows only while the box has the focus (a style: changing it recreates the window).
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value);
  // Typed text goes through the OEM code page and back (a style).
  bool OEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase value);
  // The selection in the window's characters (a double-byte character counts one); 0 without a
  // window.
  int SelStart() const;
  void SetSelStart(int value);
  int SelLength() const;
  void SetSelLength(int value);
  std::string SelText() const;
  // Replaces the selection, as an undoable edit.
  void SetSelText(std::string_view value);
  bool Modified() const;
  void SetModified(bool value);
  bool CanUndo() const;
  void SelectAll();
  void ClearSelection();
  void Clear() { SetText(""); }
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  // Runs when the text changes, by typing or by setting Text.
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = e; }

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void Change();

private:
  void CNCommand(TMessage& msg);
  void WMSetFocus(TMessage& msg);
  int FMaxLength = 0;
  bool FReadOnly = false;
  bool FAutoSelect = true;
  bool FHideSelection = true;
  bool FOEMConvert = false;
  TEditCharCase FCharCase = ecNormal;
  TNotifyEvent FOnChange;

  // --- Double-byte characters typed into the window ---
protected:
  void DefaultHandler(TMessage& msg) override;

private:
  // Hands a typed byte to the EDIT window: the first byte of a double-byte character waits for
  // the second, and the two go to the window as one character (an ANSI procedure does not always
  // join them itself). Answers whether the message was handled here.
  bool PassDoubleByteChar(TMessage& msg);
  char FHeldLeadByte = 0;
};

class TEdit : public TCustomEdit {
  CL_CLASS(TEdit, TCustomEdit)
public:
  using TCustomEdit::TCustomEdit;
};

// The items of a list control: kept here, and in the control's window while it has one (each change
// goes to both, through the window's own item messages).
class TControlItems : public TStrings {
  CL_CLASS(TControlItems, TStrings)
public:
  struct TMessages {
    UINT Insert, Delete, Reset, SetData, Error;
  };
  TControlItems(TWinControl* control, TMessages messages) : FControl(control), FMessages(messages) {}

  std::string Get(int index) const override;
  int GetCount() const override { return static_cast<int>(FItems.size()); }
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* obj) override;
  void Insert(int index, const std::string& s) override;
  void InsertObject(int index, const std::string& s, TObject* obj) override;
  void Delete(int index) override;
  void Clear() override;
  // Fills the control's new window with the items.
  void FillWindow(HWND wnd) const;

private:
  void Check(int index, int count) const;
  TWinControl* FControl;
  TMessages FMessages;
  std::vector<std::pair<std::string, TObject*>> FItems;
};

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TWinControl {
  CL_CLASS(TCustomComboBox, TWinControl)
public:
  explicit TCustomComboBox(TComponent* owner);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle value);
  TStrings* Items() const { return FItems.get(); }
  int ItemIndex() const;
  void SetItemIndex(int value);
  // Whether a stored form keeps the items and the item index (not where the box makes its items).
  virtual bool IsItemsStored() const { return true; }
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int value) { FDropDownCount = value; }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int value) { FItemHeight = value; }
  bool DroppedDown() const;
  void SetBounds(int left, int top, int width, int height) override;
  void Loaded() override;
  // The canvas owner-drawn items are painted on: it holds the item's device context while one is.
  TCanvas* Canvas() const { return FCanvas.get(); }

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = e; }
  TNotifyEvent OnSelect() const { return FOnSelect; }
  void SetOnSelect(TNotifyEvent e) { FOnSelect = e; }

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  virtual void Select();
  // Owner-drawn styles paint their items here, on Canvas.
  virtual void DrawItem(int index, const RECT& rect, TOwnerDrawState state);
  // The height of the window with the list dropped down.
  int DroppedHeight() const;

private:
  void CNCommand(TMessage& msg);
  void CNDrawItem(TMessage& msg);
  void CNMeasureItem(TMessage& msg);
  TOwned<TControlItems> FItems;
  TOwned<TControlCanvas> FCanvas;
  TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
  int FItemIndex = -1;
  int FDropDownCount = 8;
  int FItemHeight = 16;
  TNotifyEvent FOnChange, FOnSelect;
};

class TComboBox : public TCustomComboBox {
  CL_CLASS(TComboBox, TCustomComboBox)
public:
  using TCustomComboBox::TCustomComboBox;
};

// Whether a list box draws its own sunken border.
enum class TBorderStyle { bsNone, bsSingle };
// How a list box gets its items drawn: by the system, by the program (all items of ItemHeight, or
// each of the height OnMeasureItem gives), or, for the virtual styles, without items of its own: the
// list holds only Count, OnData gives an item's text and OnDataFind finds an item by its start.
enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };
using enum TListBoxStyle;
using TLBGetDataEvent = TEvent<void(TWinControl* Control, int Index, std::string& Data)>;
using TLBFindDataEvent = TEvent<int(TWinControl* Control, const std::string& FindString)>;

class TListBox : public TWinControl {
  CL_CLASS(TListBox, TWinControl)
public:
  explicit TListBox(TComponent* owner);
  // The items of the non-virtual styles.
  TStrings* Items() const { return FItems.get(); }
  int ItemIndex() const;
  void SetItemIndex(int value);
  void Loaded() override;
  // Changing the border or the selection mode re-creates the window.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  // Several items selected with Shift and Ctrl (an extended selection).
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool value);
  // The first visible item; 0 without a window.
  int TopIndex() const;
  void SetTopIndex(int value);
  bool Selected(int index) const;
  void SetSelected(int index, bool value);
  void ClearSelection();
  // Changing the style re-creates the window.
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle value);
  bool IsVirtual() const { return FStyle == lbVirtual || FStyle == lbVirtualOwnerDraw; }
  // The height of the items; the system's for the standard style while there is a window. A new
  // height re-creates the window; heights below 1 are ignored.
  int ItemHeight() const;
  void SetItemHeight(int value);
  // The number of items: the items' for the non-virtual styles; set only for the virtual ones
  // (EListError otherwise, and for a negative count).
  int Count() const;
  void SetCount(int value);
  // The width in pixels the items may be scrolled across: wider than the list, the list shows a
  // horizontal scroll bar of that range; 0 (or narrower) shows none.
  int ScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(int value);
  // The canvas items are drawn on: it holds the item's device context while one is.
  TCanvas* Canvas() const { return FCanvas.get(); }

  TDrawItemEvent OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TDrawItemEvent e) { FOnDrawItem = e; }
  TMeasureItemEvent OnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(TMeasureItemEvent e) { FOnMeasureItem = e; }
  TLBGetDataEvent OnData() const { return FOnData; }
  void SetOnData(TLBGetDataEvent e) { FOnData = e; }
  TLBFindDataEvent OnDataFind() const { return FOnDataFind; }
  void SetOnDataFind(TLBFindDataEvent e) { FOnDataFind = e; }

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // Paints one item on Canvas: OnDrawItem when assigned, else the rectangle filled with the brush
  // and the item's text (OnData's for a virtual list).
  virtual void DrawItem(int index, const RECT& rect, TOwnerDrawState state);
  // The height of one item of the variable style: OnMeasureItem may change it.
  virtual void MeasureItem(int index, int& height);
  // The text of a virtual item (OnData's; empty without it).
  virtual std::string DoGetData(int index);
  // The first virtual item starting with text, by OnDataFind; -1 when none or without it.
  virtual int DoFindData(const std::string& text);
  void CNDrawItem(TMessage& msg);
  void CNMeasureItem(TMessage& msg);

private:
  void CNCommand(TMessage& msg);
  TOwned<TControlItems> FItems;
  TOwned<TControlCanvas> FCanvas;
  TListBoxStyle FStyle = lbStandard;
  int FItemHeight = 16;
  int FCount = 0;
  TDrawItemEvent FOnDrawItem;
  TMeasureItemEvent FOnMeasureItem;
  TLBGetDataEvent FOnData;
  TLBFindDataEvent FOnDataFind;
  int FItemIndex = -1;
  int FScrollWidth = 0;
  TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
  bool FMultiSelect = false;
};

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
using enum TCheckBoxState;

// A box the user ticks: the system's check box button. A click, Space while it has the focus and
// its accelerator each toggle it and then run Click (OnClick, or the action). Setting Checked or
// State from code changes the box only.
class TCheckBox : public TWinControl {
  CL_CLASS(TCheckBox, TWinControl)
public:
  explicit TCheckBox(TComponent* owner);
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState value);
  // With AllowGrayed a click steps through unchecked, grayed and checked.
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool value) { FAllowGrayed = value; }

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // The state after the current one, then Click.
  virtual void Toggle();

private:
  void CNCommand(TMessage& msg);
  void CMDialogChar(TMessage& msg);
  // Over a styled background the box's own background is that background.
  void CNCtlColor(TMessage& msg);
  TOwned<TBrush> FBackground;
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
};

// A captioned frame around a group of controls: the style's group box, or an etched frame.
class TGroupBox : public TCustomControl {
  CL_CLASS(TGroupBox, TCustomControl)
public:
  explicit TGroupBox(TComponent* owner);
  // The children lie inside the frame, below the caption.
  void AdjustClientRect(RECT& rect) override;

protected:
  void Paint() override;

private:
  // The height of the caption in the control's font.
  int CaptionHeight();
  void CMTextChanged(TMessage& msg);
  void CMFontChangedBox(TMessage& msg);
};

extern TUnit StdCtrlsUnit;
