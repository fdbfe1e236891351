#pragma once
// The standard controls: push button, label, edit box, combo box and list box. The windowed ones
// are the system's BUTTON, EDIT, COMBOBOX and LISTBOX windows; their notifications come back to
// them from the parent as CN_COMMAND.
#include <cstdint>
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

// A text drawn on the parent: no window, no focus.
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
  void Loaded() override;

protected:
  void Paint() override;
  // With AutoSize, fits the bounds to the text (keeping the side the alignment holds).
  void AdjustBounds();

private:
  UINT DrawFlags() const;
  void CMTextChanged(TMessage& msg);
  void CMFontChanged(TMessage& msg);
  bool FAutoSize = true, FTransparent = false, FWordWrap = false;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
};

class TEdit : public TWinControl {
  CL_CLASS(TEdit, TWinControl)
public:
  explicit TEdit(TComponent* owner);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  void SelectAll();
  // Runs when the text changes, by typing or by setting Text.
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = e; }

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void Change();

private:
  void CNCommand(TMessage& msg);
  int FMaxLength = 0;
  bool FReadOnly = false;
  TNotifyEvent FOnChange;
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
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int value) { FDropDownCount = value; }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int value) { FItemHeight = value; }
  bool DroppedDown() const;
  void SetBounds(int left, int top, int width, int height) override;
  void Loaded() override;

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
  // Owner-drawn styles paint their items here.
  virtual void DrawItem(HDC dc, int index, const RECT& rect, UINT state);
  // The height of the window with the list dropped down.
  int DroppedHeight() const;

private:
  void CNCommand(TMessage& msg);
  void CNDrawItem(TMessage& msg);
  void CNMeasureItem(TMessage& msg);
  TOwned<TControlItems> FItems;
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

class TListBox : public TWinControl {
  CL_CLASS(TListBox, TWinControl)
public:
  explicit TListBox(TComponent* owner);
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

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  void CNCommand(TMessage& msg);
  TOwned<TControlItems> FItems;
  int FItemIndex = -1;
  TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
  bool FMultiSelect = false;
};

extern TUnit StdCtrlsUnit;
