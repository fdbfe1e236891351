#pragma once
// The single-line text editor (unit cxTextEdit). This part holds the text-length rules every typed,
// pasted or programmatic replacement goes through; the lookup data lives in cxTextEditLookupData.
#include <string>
#include <string_view>
#include "classlib/StdCtrls.h"
#include "classlib/Units.h"
#include "toolkit/editors/cxEditControl.h"
#include "toolkit/editors/cxTextEditLookupData.h"
#include "toolkit/editors/cxTextEditProperties.h"

class TcxCustomTextEdit;
class TcxCustomInnerTextEdit;

// The unit's start-up registers the text editor's properties class; its shut-down removes it.
extern TUnit UnitcxTextEdit;

// The inner edit's companion: the editor framework reaches the inner EDIT window through it.
class TcxCustomInnerTextEditHelper : public TObject, public IcxCustomInnerEdit {
  CL_CLASS(TcxCustomInnerTextEditHelper, TObject)
public:
  explicit TcxCustomInnerTextEditHelper(TcxCustomInnerTextEdit* Edit) : FEdit(Edit) {}
  TcxCustomInnerTextEdit* InnerEdit() const { return FEdit; }
  TWinControl* GetControl() override;
  TcxContainer* GetControlContainer() override;
  // Calls the EDIT window class's own procedure.
  LRESULT ForwardToDefaultProcedure(UINT Msg, WPARAM WParam, LPARAM LParam) override;
  bool HandlesClipboardCommands() override { return false; }
  void ReadValue(Variant& Value) override;
  TNotifyEvent ReadChangeHandler() override;
  bool IsReadOnlyControl() override;
  void HoldBounds(bool Hold) override;
  void FocusWithoutSelecting() override;
  void WriteValue(const Variant& Value) override;
  void AttachToParent(TWinControl* Parent) override;
  void AssignChangeHandler(const TNotifyEvent& Handler) override;
  void SetReadOnlyControl(bool ReadOnly) override;
  void DeleteSelection() override;

private:
  TcxCustomInnerTextEdit* FEdit;
};

// The borderless EDIT window inside a text editor: its focus changes and messages go to the editor
// first; Tab never becomes a character.
class TcxCustomInnerTextEdit : public TCustomEdit, public IcxContainerInnerControl, public IcxInnerEditHelperSource {
  CL_CLASS(TcxCustomInnerTextEdit, TCustomEdit)
public:
  explicit TcxCustomInnerTextEdit(TComponent* Owner);
  TWinControl* GetControl() override { return this; }
  TcxContainer* GetControlContainer() override { return FContainer; }
  IcxCustomInnerEdit* GetInnerEditHelper() override { return FHelper.get(); }
  TcxCustomTextEdit* Owner() const;
  void SetContainer(TcxContainer* Container) { FContainer = Container; }
  void SetBounds(int Left, int Top, int Width, int Height) override;
  int BoundsHoldCount() const { return FBoundsHoldCount; }
  void AdjustBoundsHold(bool Hold);
  // The window's own handling, without the editor's.
  LRESULT CallDefaultProcedure(UINT Msg, WPARAM WParam, LPARAM LParam);
  // Password echo is a window style: a change recreates the window, keeping the text.
  TcxEditEchoMode EchoMode() const { return FEchoMode; }
  void SetEchoMode(TcxEditEchoMode Value);
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value);

protected:
  // Margins: none on the left, one pixel on the right.
  virtual void SetTextMargins();
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void KeyPress(char& Key) override;

private:
  TOwned<TcxCustomInnerTextEditHelper> FHelper;
  TcxContainer* FContainer = nullptr;
  int FBoundsHoldCount = 0;
  bool FConstructing = true;
  TcxEditEchoMode FEchoMode = eemNormal;
  char FPasswordChar = 0;
};

// The single-line text editor.
class TcxCustomTextEdit : public TcxCustomEdit, public IcxTextEditLookupOwner {
  CL_CLASS(TcxCustomTextEdit, TcxCustomEdit)
public:
  struct TMeta : TcxCustomEdit::TMeta {
    TcxCustomEditPropertiesClass PropertiesClassType() const override
    {
      return ClassRef<TcxCustomTextEditProperties>();
    }
  };
  using TcxCustomEdit::TcxCustomEdit;
  TcxCustomTextEditProperties* ActiveTextProperties() const
  {
    return static_cast<TcxCustomTextEditProperties*>(GetActiveProperties());
  }
  TcxCustomInnerTextEdit* InnerTextEdit() const { return static_cast<TcxCustomInnerTextEdit*>(InnerControl()); }
  std::string Text() const;
  // The selection; 0 in editing style 3, where setting it does nothing.
  int SelStart() const;
  void SetSelStart(int Value);
  int SelLength() const;
  void SetSelLength(int Value);

  // Checks a replacement of the selection by Text: the new text and the caret after it; false when
  // it is refused (see the implementation).
  virtual bool PrepareNewText(const std::string& Text, std::string& NewText, int& CaretPos);
  // A replacement of the selection, as the user's when focused.
  virtual void ApplyTextChange(const std::string& Text);

  void PasteFromClipboard() override;
  void CopyToClipboard() override;
  void ClearSelection() override;
  void SelectAllText() override;
  bool IsTextEditing() override;
  bool IsTextBasedEditor() override { return true; }
  // The inner edit follows the echo mode and password character.
  void PropertiesChanged(TObject* Sender) override;

  void Initialize() override;
  // The lookup items' data (none when the properties use no lookup data).
  TcxCustomTextEditLookupData* LookupData() const { return FLookupData.get(); }
  // The text shows a completion from the items: typed part plus a selected tail.
  bool LookupMatched() const { return FLookupMatched; }
  // The current lookup item (-1 for none). Setting it shows the item's text as the value; Click
  // fires only when the index changed.
  int ItemIndex() const { return FLookupData ? FLookupData->CurrentItem() : -1; }
  void SetItemIndex(int Index);
  // Typed characters complete the text from the lookup items (incremental search).
  void DoEditKeyPress(char& Ch) override;

  // IcxTextEditLookupOwner.
  TcxCustomTextEditProperties* LookupProperties() const override { return ActiveTextProperties(); }
  int LookupEditingStyle() const override { return EditingStyle(); }
  std::string LookupEditText() const override { return Text(); }
  bool EditingQueryActive() const override { return TcxCustomEdit::EditingQueryActive(); }
  bool QueryEditing() override { return DoEditing(); }
  bool SettingValueInternally() const override { return FSettingValueInternally; }
  void SetSettingValueInternally(bool Value) override { FSettingValueInternally = Value; }
  TWinControlClass InnerEditClassType() const override { return ClassRef<TcxCustomInnerTextEdit>(); }
  std::string GetDisplayTextForValue() override;
  void SynchronizeDisplayValue() override;
  void ApplyDisplayValue(const Variant& DisplayValue) override;
  void WriteDisplayValue(const Variant& Value) override;
  bool IsTextValid(const std::string& Text) override;
  bool CanStartEditing() override;
  void RefreshEditValueFromText() override;
  // The text editor's value is its text.
  void DisplayValueToEditValue(const Variant& DisplayValue, Variant& EditValue, bool Focused) override
  {
    (void)Focused;
    EditValue = DisplayValue;
  }
  void GetTypedEditValue(Variant& Value) override { Value = Variant(Text()); }

  // --- Keys, the wheel and the lookup items ---
  // Arrow, page, Home and End keys step through the lookup items where the editor allows it;
  // keys the EDIT cannot use go to OnInternalKeyDown.
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  bool IsValueChangingKey(WORD Key, TShiftState Shift) override;
  bool IsValueChangingChar(char Ch) override;
  // The inherited check, or one of the properties' AllowedChars.
  bool IsValidChar(char Ch) override;
  // Keys (or the wheel) may change the lookup item: never in the plain text editor.
  virtual bool CanChangeItemByKeys(bool ByWheel)
  {
    (void)ByWheel;
    return false;
  }
  // Whether Enter commits the list's item, given the list highlight shown when it was pressed.
  virtual bool MapItemIndex(bool Value) { return Value; }
  // The lookup data's current item becomes the value (when editing may start) and is selected.
  virtual void ApplySelectedLookupItem(TObject* Sender);
  // The object of the current lookup item; none without one.
  virtual TObject* GetSelectedItemObject();
  virtual Variant ItemIndexToVariant(int Index) { return Variant(Index); }
  // The item's text as an edit value.
  virtual Variant ItemIndexToEditValue(int Index);
  virtual int VariantToItemIndex(const Variant& Value);
  // The text is highlighted as a list item (drop-down editors). It changes only with a window and
  // while not locked; each change shows the text again.
  bool ListHighlightShown() const { return FListHighlightShown; }
  void SetListHighlightShown(bool Value);
  bool ListHighlightLocked() const { return FListHighlightLocked; }
  void SetListHighlightLocked(bool Value) { FListHighlightLocked = Value; }
  // A key, or the wheel, is moving the lookup item.
  bool LookupKeysNavigating() const { return FLookupKeysNavigating; }
  bool WheelStepping() const { return FWheelStepping; }
  TcxCustomTextEdit* LookupEdit() override { return this; }

protected:
  void WndProc(TMessage& Message) override;
  // Steps through the lookup items when nothing else took the wheel.
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;

private:
  // Moves the lookup item (a changed item is the user's change, posted at once with ImmediatePost)
  // with Flag set and change events held.
  void StepLookupItem(TcxLookupNavigation Direction, bool& Flag, bool InSettingValueLock);
  bool FListHighlightShown = false;
  bool FListHighlightLocked = false;
  bool FLookupKeysNavigating = false;
  bool FWheelStepping = false;

private:
  int EditingStyle() const { return ActiveTextProperties()->GetEditingStyle(); }
  void ShowText(const std::string& Text);
  // The text before, inside and after the inner edit's selection.
  struct TTextSelectionSplit {
    std::string Before, Selected, After;
  };
  TTextSelectionSplit SplitAtSelection() const;
  // One step of the incremental search on the search text; answers whether an item matched.
  bool SearchLookupItem(std::string Text);
  bool FSettingTextInternally = false;
  bool FSettingValueInternally = false;
  bool FLookupMatched = false;
  TOwned<TcxCustomTextEditLookupData> FLookupData;
};

class TcxTextEdit : public TcxCustomTextEdit {
  CL_CLASS(TcxTextEdit, TcxCustomTextEdit)
public:
  struct TMeta : TcxCustomTextEdit::TMeta {
    TcxCustomEditPropertiesClass PropertiesClassType() const override { return ClassRef<TcxTextEditProperties>(); }
  };
  using TcxCustomTextEdit::TcxCustomTextEdit;
  TcxTextEditProperties* Properties() const { return static_cast<TcxTextEditProperties*>(TcxCustomEdit::Properties()); }
  bool SupportsTextEditing() override { return true; }
};

// The number of bytes that make up the first maxChars characters of the ANSI text (all of it when
// it is shorter). A double-byte character counts as one and is never split; a lead byte at the end
// of the text, without its second byte, counts as one character.
size_t cxAnsiCharsPrefixLength(std::string_view text, size_t maxChars);

// Replaces the selection of a text limited to maxLength characters: newText is before + inserted
// + after, cut to its first maxLength characters, so that what exceeds the limit is dropped from the
// end (first from the text after the selection, then from the inserted characters). caretPos is
// the byte position after the inserted characters that were kept. Answers false (the replacement
// is refused) when not even the text before the selection fits.
bool cxReplaceWithinMaxLength(std::string_view before, std::string_view inserted, std::string_view after,
                              size_t maxLength, std::string& newText, size_t& caretPos);
