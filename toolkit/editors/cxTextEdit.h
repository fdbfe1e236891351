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

// What a text editor reads and sets of its inner EDIT window, beyond what every editor's inner edit
// answers. The multi-line memo extends it.
class IcxInnerTextEdit : public IcxCustomInnerEdit {
public:
  virtual void CopyToClipboard() = 0;
  virtual TAlignment TextAlignment() = 0;
  virtual bool AutoSelect() = 0;
  virtual TEditCharCase CharCase() = 0;
  virtual TcxEditEchoMode EchoMode() = 0;
  // The first character shown at the left edge.
  virtual int FirstVisibleCharIndex() = 0;
  virtual bool HideSelection() = 0;
  // The second byte of the double-byte character the input method is typing; 0 when none is.
  virtual char PendingImeChar() = 0;
  virtual TImeMode ImeMode() = 0;
  virtual std::string ImeName() = 0;
  // The editor took the key being handled.
  virtual bool KeyConsumed() = 0;
  virtual int MaxLength() = 0;
  virtual bool IsMultiLine() = 0;
  virtual bool OEMConvert() = 0;
  virtual TNotifyEvent SelectionChangeHandler() = 0;
  virtual char PasswordChar() = 0;
  virtual int SelLength() = 0;
  virtual int SelStart() = 0;
  virtual std::string SelText() = 0;
  virtual bool UseLeftAlignmentOnEditing() = 0;
  virtual void SelectAll() = 0;
  virtual void SetTextAlignment(TAlignment Value) = 0;
  virtual void SetAutoSelect(bool Value) = 0;
  virtual void SetCharCase(TEditCharCase Value) = 0;
  virtual void SetEchoMode(TcxEditEchoMode Value) = 0;
  virtual void SetHideSelection(bool Value) = 0;
  virtual void SetKeyConsumed(bool Value) = 0;
  virtual void SetImeMode(TImeMode Value) = 0;
  virtual void SetImeName(const std::string& Value) = 0;
  virtual void SetMaxLength(int Value) = 0;
  virtual void SetOEMConvert(bool Value) = 0;
  virtual void SetSelectionChangeHandler(const TNotifyEvent& Value) = 0;
  virtual void SetPasswordChar(char Value) = 0;
  virtual void SetSelLength(int Value) = 0;
  virtual void SetSelStart(int Value) = 0;
  virtual void SetSelText(const std::string& Value) = 0;
  virtual void SetUseLeftAlignmentOnEditing(bool Value) = 0;

protected:
  ~IcxInnerTextEdit() = default;
};

// The inner edit's state before a key: whether a key changed anything in the EDIT window.
struct TcxCustomInnerTextEditPrevState {
  bool TextKept = false;
  std::string KeptText;
  int KeptSelStart = 0;
  int KeptSelLength = 0;
};
void CaptureInnerEditState(IcxInnerTextEdit* Edit, bool WithText, TcxCustomInnerTextEditPrevState& State);
// The window is gone, the selection moved, or the kept text differs (letter case aside).
bool HasStateChanged(IcxInnerTextEdit* Edit, const TcxCustomInnerTextEditPrevState& State);

// The inner edit's companion: the editor framework reaches the inner EDIT window through it. While
// an input method types a double-byte character, the selection it started from is read and set
// here instead of in the window.
class TcxCustomInnerTextEditHelper : public TObject, public IcxInnerTextEdit {
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

  // IcxInnerTextEdit.
  void CopyToClipboard() override;
  TAlignment TextAlignment() override;
  bool AutoSelect() override;
  TEditCharCase CharCase() override;
  TcxEditEchoMode EchoMode() override;
  int FirstVisibleCharIndex() override;
  bool HideSelection() override;
  char PendingImeChar() override;
  TImeMode ImeMode() override;
  std::string ImeName() override;
  bool KeyConsumed() override;
  int MaxLength() override;
  bool IsMultiLine() override { return false; }
  bool OEMConvert() override;
  TNotifyEvent SelectionChangeHandler() override;
  char PasswordChar() override;
  int SelLength() override;
  int SelStart() override;
  std::string SelText() override;
  bool UseLeftAlignmentOnEditing() override;
  void SelectAll() override;
  void SetTextAlignment(TAlignment Value) override;
  void SetAutoSelect(bool Value) override;
  void SetCharCase(TEditCharCase Value) override;
  void SetEchoMode(TcxEditEchoMode Value) override;
  void SetHideSelection(bool Value) override;
  void SetKeyConsumed(bool Value) override;
  void SetImeMode(TImeMode Value) override;
  void SetImeName(const std::string& Value) override;
  void SetMaxLength(int Value) override;
  void SetOEMConvert(bool Value) override;
  void SetSelectionChangeHandler(const TNotifyEvent& Value) override;
  void SetPasswordChar(char Value) override;
  void SetSelLength(int Value) override;
  void SetSelStart(int Value) override;
  void SetSelText(const std::string& Value) override;
  void SetUseLeftAlignmentOnEditing(bool Value) override;

  // The selection when an input-method character began.
  int SavedSelStart() const { return FSavedSelStart; }
  int SavedSelLength() const { return FSavedSelLength; }
  void SaveSelection();

private:
  TcxCustomInnerTextEdit* FEdit;
  int FSavedSelStart = 0;
  int FSavedSelLength = 0;
};

// The borderless EDIT window inside a text editor. Keys, characters, the mouse and focus changes go
// to the editor first; the window handles only what the editor leaves. Tab never becomes a
// character. While the editor is unfocused and its text is not left-aligned, the window paints the
// text itself in the editor's alignment (the EDIT window edits left-aligned).
class TcxCustomInnerTextEdit : public TCustomEdit, public IcxContainerInnerControl, public IcxInnerEditHelperSource {
  CL_CLASS(TcxCustomInnerTextEdit, TCustomEdit)
public:
  explicit TcxCustomInnerTextEdit(TComponent* Owner);
  TWinControl* GetControl() override { return this; }
  TcxContainer* GetControlContainer() override { return FContainer; }
  IcxCustomInnerEdit* GetInnerEditHelper() override { return FHelper.get(); }
  TcxCustomInnerTextEditHelper* Helper() const { return FHelper.get(); }
  TcxCustomTextEdit* Owner() const;
  void SetContainer(TcxContainer* Container) { FContainer = Container; }
  void SetBounds(int Left, int Top, int Width, int Height) override;
  bool CanFocus() const override;
  int BoundsHoldCount() const { return FBoundsHoldCount; }
  void AdjustBoundsHold(bool Hold);
  // The window's own handling, without the editor's.
  LRESULT CallDefaultProcedure(UINT Msg, WPARAM WParam, LPARAM LParam);
  // Password echo is a window style: a change recreates the window, keeping the text.
  TcxEditEchoMode EchoMode() const { return FEchoMode; }
  void SetEchoMode(TcxEditEchoMode Value);
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value);
  // The editor's horizontal alignment; the window takes it as its style only without
  // UseLeftAlignmentOnEditing (a change then recreates the window).
  TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TAlignment Value);
  bool UseLeftAlignmentOnEditing() const { return FUseLeftAlignmentOnEditing; }
  void SetUseLeftAlignmentOnEditing(bool Value);
  // The editor set the key being handled to 0.
  bool KeyConsumed() const { return FKeyConsumed; }
  void SetKeyConsumed(bool Value) { FKeyConsumed = Value; }
  // Characters an input method announced that have not arrived as WM_CHAR yet, and the second byte
  // of the last double-byte one.
  int PendingImeChars() const { return FPendingImeChars; }
  char PendingImeChar() const { return FPendingImeChar; }
  // Told after each EM_SETSEL.
  const TNotifyEvent& SelectionChangeHandler() const { return FSelectionChangeHandler; }
  void SetSelectionChangeHandler(const TNotifyEvent& Value) { FSelectionChangeHandler = Value; }

protected:
  // Margins: none on the left, one pixel on the right.
  virtual void SetTextMargins();
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CreateHandle() override;
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Click() override;
  void DblClick() override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, int X, int Y) override;
  // The editor handles the wheel: the turn goes on to the editor's window.
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;

private:
  void WMKeyDownForwarded(TMessage& Message);
  void WMCharCounted(TMessage& Message);
  void WMImeChar(TMessage& Message);
  void WMPaint(TMessage& Message);
  // The editor is unfocused and aligns its text other than to the left: the window paints it.
  bool PaintsOwnText();
  void PaintOwnText(HDC DC);
  // The text as shown: each character echoed by the password character in password mode.
  std::string ShownText();
  bool PaintsOnGlass();
  TOwned<TcxCustomInnerTextEditHelper> FHelper;
  TcxContainer* FContainer = nullptr;
  int FBoundsHoldCount = 0;
  bool FConstructing = true;
  TAlignment FTextAlignment = taLeftJustify;
  TcxEditEchoMode FEchoMode = eemNormal;
  int FPendingImeChars = 0;
  char FPendingImeChar = 0;
  bool FKeyConsumed = false;
  char FPasswordChar = 0;
  bool FUseLeftAlignmentOnEditing = true;
  TNotifyEvent FSelectionChangeHandler;
};

// Private messages of the text editors' inner edit windows: the extension object replaces text
// (WParam: a TcxTextEditReplaceTextParams*), and the editor refreshes the extension object once
// the window has painted.
constexpr UINT DXM_TEXTEDIT_REPLACETEXT = 0x812C;
constexpr UINT DXM_TEXTEDIT_REFRESHEXTENSION = 0x812D;

struct TcxTextEditReplaceTextParams {
  std::wstring Text;
  int SelStart = 0;
  int SelLength = 0;
  int CaretPos = 0;
};

// An optional object beside every text editor, told what happens to the inner edit windows.
class IcxTextEditExtension {
public:
  virtual void Refresh(TWinControl* InnerEdit) = 0;
  virtual void Scrolled(TWinControl* InnerEdit) = 0;
  virtual void SelectionChanged(TWinControl* InnerEdit) = 0;
  virtual void TextChanged(TWinControl* InnerEdit) = 0;
  virtual void FocusSet(TWinControl* InnerEdit) = 0;
  virtual void FocusLost(TWinControl* InnerEdit) = 0;
  virtual void Undone(TWinControl* InnerEdit) = 0;
  virtual void Painted(TWinControl* InnerEdit) = 0;
  // The window belongs to the extension object (the editor then counts it as its own).
  virtual bool IsOwnWindow(HWND Window) = 0;

protected:
  ~IcxTextEditExtension() = default;
};

// The process-wide extension object, or none. The toolkit never sets it: whoever sets one keeps it
// alive until it sets none again.
extern IcxTextEditExtension* TextEditExtension;

// The single-line text editor.
class TcxCustomTextEdit : public TcxCustomEdit, public IcxTextEditLookupOwner, public IcxFormatObserver {
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
  // Leaves the format controller; the text is kept for WM_GETTEXT once the properties are gone.
  void BeforeDestruction() override;
  // IcxFormatObserver: the locale's formats changed.
  void FormatChanged() override { ReapplyProperties(); }
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
  // --- Typing through the inner edit, the list highlight and the extension object ---
  IcxInnerTextEdit* InnerTextEditInterface() const;
  // Beeps on Enter as the EDIT window does (true by default).
  bool BeepOnEnter() const { return FBeepOnEnter; }
  void SetBeepOnEnter(bool Value) { FBeepOnEnter = Value; }
  // Set by drop-down editors when their popup closed: the inner edit drops the next Enter or Escape.
  bool PopupClosedRecently() const { return FPopupClosedRecently; }
  void SetPopupClosedRecently(bool Value) { FPopupClosedRecently = Value; }
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

  // The text is being replaced by the extension object.
  bool ExternalChange() const { return FExternalChange; }
  // The text replaced from outside (a bar's edit item); with Post, an unfocused stand-alone editor
  // stores and posts it as its value.
  void SetTextFromOutside(const std::string& Text, bool Post);
  // Start and length of the selection, in that order.
  void SetSelection(int Start, int Length);

  virtual bool IsPlainTextEditable();
  // The properties' change again, then the display value from the value (locale formats changed).
  virtual void ReapplyProperties();
  virtual bool IsUnfocusedStandalone();
  virtual void NotifyExtensionRefresh();
  virtual void NotifyExtensionScrolled();
  virtual void NotifyExtensionSelectionChanged();
  virtual void StoreDisplayTextAsValue();
  virtual void NotifyExtensionTextChanged();
  // Tells the extension object of the inner edit's message.
  virtual void DispatchExtensionMessage(TMessage& Message);
  virtual void UpdateInnerEditAppearance();
  virtual void ReformatIfNeeded();
  virtual void ReformatValue() {}
  // The selection of the inner edit moved (EM_SETSEL).
  virtual void SelectionChanged() {}
  // WM_CLEAR of the inner edit: the selection deleted as the user's change.
  virtual void ClearTextCommand();
  // WM_UNDO of the inner edit, after the window undid.
  virtual void UndoTextChange() {}
  // The text the editor's window gives for WM_GETTEXT: the display text.
  virtual std::string GetEditingText() { return Text(); }
  // Text set through WM_SETTEXT: answers whether it was taken.
  virtual bool IsTextAcceptable(const std::string& Text) { return IsTextValid(Text); }
  void ResolveTypedText() override;
  void NotifyEditValueChanged() override;
  void InnerEditChanged(TObject* Sender) override;
  bool IsOwnWindow(HWND Window) override;
  void ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error) override;

protected:
  void WndProc(TMessage& Message) override;
  // Steps through the lookup items when nothing else took the wheel.
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;
  // A changed state gives the inner edit the view info's colours and font.
  bool DoRefreshState(POINT P, int Button, TShiftState Shift) override;
  // The extension object hears of the inner edit's messages first.
  bool InnerControlMessage(TMessage& Message) override;

private:
  // Moves the lookup item (a changed item is the user's change, posted at once with ImmediatePost)
  // with Flag set and change events held.
  void StepLookupItem(TcxLookupNavigation Direction, bool& Flag, bool InSettingValueLock);
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
  // The incremental search of a typed character (one byte, or both bytes of a double-byte one);
  // clears Ch when the key is used up.
  void SearchTypedCharacter(const std::string& Typed, const TTextSelectionSplit& Split, char& Ch);
  bool FSettingTextInternally = false;
  bool FSettingValueInternally = false;
  bool FLookupMatched = false;
  // A double-byte character typed while items complete the text is searched whole: what the
  // second byte does when it comes (the first byte was used up, went to the window, or waits).
  enum class TTrailByte : uint8_t { None, Consume, Pass, Search };
  TTrailByte FTrailByte = TTrailByte::None;
  char FHeldLeadByte = 0;
  TOwned<TcxCustomTextEditLookupData> FLookupData;

  friend class TcxCustomInnerTextEdit;
  // The extension object's replacement of the inner edit's text.
  void ReplaceTextFromExtension(const TcxTextEditReplaceTextParams& Params);
  void CheckScrollOrSelection();
  void SelectionChangedHandler(TObject*) { SelectionChanged(); }
  // Re-inserts thousand separators into typed number text, keeping the caret after its digits.
  void ReinsertThousandSeparators();
  // The painted selection of the list styles.
  void UpdateListSelectionColors();
  bool FBeepOnEnter = true;
  bool FPopupClosedRecently = false;
  bool FListHighlightShown = false;
  bool FListHighlightLocked = false;
  bool FExternalChange = false;
  bool FSyncingDisplayValue = false;
  bool FListenerAdded = false;
  bool FDestroying = false;
  std::string FSavedText;
  int FReportedFirstChar = 0;
  int FReportedSelStart = 0;
  int FReportedSelLength = 0;
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
