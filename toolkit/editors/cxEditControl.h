#pragma once
// The edit control (unit cxEdit): the base of every editor control. It hosts at most one inner
// windowed control, takes its settings from a properties object and holds one value, the edit
// value, as a variant. This file declares the editor's value and display value, its modified
// flags, the question whether the user may change the value, validation, writing the value out
// (posting), entering and leaving, and the change events, which a catcher can hold back.
#include <vector>
#include "classlib/Variant.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/controls/cxContainer.h"
#include "toolkit/editors/cxEditRepository.h"
#include "toolkit/editors/cxEditViewData.h"

class TcxCustomEdit;
class TcxCustomEditData;
class TcxEditDataBinding;
class TcxTimer;
class TcxWindowProcLinkedObject;
using TcxCustomEditClass = TClassRef<TcxCustomEdit>;
using TcxCustomEditDataClass = TClassRef<TcxCustomEditData>;
using TcxEditDataBindingClass = TClassRef<TcxEditDataBinding>;
using TWinControlClass = TClassRef<TWinControl>;

// The editor's view of its inner control, answered by the inner control's helper.
class IcxCustomInnerEdit : public IcxContainerInnerControl {
public:
  // Passes a message to the inner control's default window procedure.
  virtual LRESULT ForwardToDefaultProcedure(UINT Msg, WPARAM WParam, LPARAM LParam) = 0;
  // The inner control processes cut and paste itself.
  virtual bool HandlesClipboardCommands() = 0;
  virtual void ReadValue(Variant& Value) = 0;
  virtual TNotifyEvent ReadChangeHandler() = 0;
  virtual bool IsReadOnlyControl() = 0;
  // Raises or lowers (not below 0) the inner control's bounds lock.
  virtual void HoldBounds(bool Hold) = 0;
  // Focuses the inner control without its automatic select-all.
  virtual void FocusWithoutSelecting() = 0;
  virtual void WriteValue(const Variant& Value) = 0;
  virtual void AttachToParent(TWinControl* Parent) = 0;
  virtual void AssignChangeHandler(const TNotifyEvent& Handler) = 0;
  virtual void SetReadOnlyControl(bool ReadOnly) = 0;
  virtual void DeleteSelection() = 0;

protected:
  ~IcxCustomInnerEdit() = default;
};

// An inner control whose IcxCustomInnerEdit is answered by a helper object.
class IcxInnerEditHelperSource {
public:
  virtual IcxCustomInnerEdit* GetInnerEditHelper() = 0;

protected:
  ~IcxInnerEditHelperSource() = default;
};

// What a bar edit item needs of the editor it takes over.
class IcxBarHostedEdit {
public:
  virtual bool SupportsTextEditing() = 0;
  virtual void SetTextFromOutside(const std::string& Text) = 0;
  virtual void SetHostedInBar(bool Value) = 0;
  // Stores the value without the value check.
  virtual void StoreEditValueUnchecked(const Variant& Value) = 0;

protected:
  ~IcxBarHostedEdit() = default;
};

using TcxEditEditingEvent = TEvent<void(TObject* Sender, bool& CanEdit)>;
using TcxEditInternalKeyDownEvent = TEvent<void(TObject* Sender, WORD& Key, TShiftState Shift)>;

// Holds the editor's OnChange and OnEditValueChanged back while locked.
class TcxEditChangeEventsCatcher : public TObject {
  CL_CLASS(TcxEditChangeEventsCatcher, TObject)
public:
  explicit TcxEditChangeEventsCatcher(TcxCustomEdit* Edit) : Edit(Edit) {}
  TcxCustomEdit* Edit;
  int LockCount = 0;
  bool ChangePending = false;
  bool EditValueChangedPending = false;
  bool IsLocked() const { return LockCount > 0; }
};

class TcxCustomEdit : public TcxCustomEditContainer,
                      public IcxSkinSupportMarker,
                      public IcxEditValidationHost,
                      public IcxEditRepositoryItemObserver,
                      public IcxBarHostedEdit {
  CL_CLASS(TcxCustomEdit, TcxCustomEditContainer)
public:
  // Made with the owner and whether the editor is in place (CreateInplace); the class answers its
  // properties class without an instance.
  struct TMeta : TMetaClassOf<TcxCustomEdit, TComponent*, bool> {
    virtual TcxCustomEditPropertiesClass PropertiesClassType() const
    {
      return ClassRef<TcxCustomEditProperties>();
    }
  };
  // An in-place editor belongs to a host (a grid cell, a bar, a filter).
  explicit TcxCustomEdit(TComponent* Owner, bool IsInplace = false);
  ~TcxCustomEdit() override;
  // The properties of the class's properties class, the container, then Initialize.
  void AfterConstruction() override;
  void BeforeDestruction() override;
  void Loaded() override;
  void ReadState(TReader& Reader) override;
  void SetName(const std::string& Value) override;
  void SetParent(TWinControl* Parent) override;
  bool ExecuteAction(TBasicAction* Action) override;

  // --- Properties ---
  TcxCustomEditProperties* Properties() const { return FProperties.get(); }
  // The properties in effect: a repository item's when one is linked, else the own Properties.
  TcxCustomEditProperties* GetActiveProperties() const;
  TcxCustomEditProperties* ActiveProperties() const { return GetActiveProperties(); }
  TcxEditDataBinding* DataBinding() const { return FDataBinding.get(); }
  IcxCustomInnerEdit* InnerEdit() const { return FInnerEdit; }
  TcxCustomEditData* EditData() const { return FEditData; }
  // The edit value (Null at first); setting it goes through SetEditValue.
  Variant EditValue() const { return FEditValue; }
  const Variant& SavedEditValue() const { return FSavedEditValue; }
  bool Modified() const { return FModified; }
  bool ModifiedAfterEnter() const { return FModifiedAfterEnter; }
  bool Validated() const { return FValidated; }
  bool Validating() const { return FValidating; }
  bool Posting() const { return FPosting; }
  bool EditingQueryActive() const { return FEditingQueryActive; }
  bool ErrorFocusing() const { return FErrorFocusing; }
  bool Activated() const { return FActivated; }
  bool PropertiesPending() const { return FPropertiesPending; }
  int SettingValueLock() const { return FSettingValueLock; }
  int EditValueLock() const { return FEditValueLock; }
  bool UserEditInProgress() const { return FUserEditInProgress; }
  void SetUserEditInProgress(bool Value) { FUserEditInProgress = Value; }
  TcxEditChangeEventsCatcher* ChangeEventsCatcher() const { return FChangeEventsCatcher.get(); }
  TcxTimer* ClickTimer() const { return FClickTimer.get(); }
  bool AutoSize() const { return FAutoSize; }
  bool HostedInBar() const { return FHostedInBar; }
  int AnchorX() const { return FAnchorX; }
  int AnchorY() const { return FAnchorY; }
  // The button pressed under the mouse capture; -1 for none.
  int CapturedButtonIndex() const { return FCapturedButtonIndex; }
  void SetCapturedButtonIndex(int Value) { FCapturedButtonIndex = Value; }
  bool Transparent() const { return FTransparent; }
  // Adds or removes the opaque style and refreshes.
  void SetTransparent(bool Value);
  // The editor erases its own background.
  bool ErasesBackground() const { return ErasesOwnBackground(); }
  // The content offsets a view data computed once, kept so that in-place editors skip them.
  bool ContentOffsetsCached() const { return FContentOffsetsCached; }
  const TcxEditContentOffsetBlock& ContentOffsetsCache() const { return FContentOffsetsCache; }
  void CacheContentOffsets(const TcxEditContentOffsetBlock& Block);

  const TcxEditEditingEvent& OnEditing() const { return FOnEditing; }
  void SetOnEditing(const TcxEditEditingEvent& Value) { FOnEditing = Value; }
  const TNotifyEvent& OnInplacePost() const { return FOnInplacePost; }
  void SetOnInplacePost(const TNotifyEvent& Value) { FOnInplacePost = Value; }
  const TcxEditInternalKeyDownEvent& OnInternalKeyDown() const { return FOnInternalKeyDown; }
  void SetOnInternalKeyDown(const TcxEditInternalKeyDownEvent& Value) { FOnInternalKeyDown = Value; }
  // Hands a key the editor does not use to OnInternalKeyDown (a hosting grid moves its row).
  void DoInternalKeyDown(WORD& Key, TShiftState Shift)
  {
    if (FOnInternalKeyDown) FOnInternalKeyDown(this, Key, Shift);
  }
  // The repository item whose properties the editor follows; none for its own. An item whose
  // properties are not of the editor's properties class raises EcxEditError.
  TcxEditRepositoryItem* RepositoryItem() const { return FRepositoryItem; }
  void SetRepositoryItem(TcxEditRepositoryItem* Value);
  bool CanUseRepositoryItem(TcxEditRepositoryItem* Value);
  // The wheel may act: not in place, the properties accept it, or the caller forces it (bit 4 of
  // the flags).
  bool CanUseMouseWheel(TShiftState Shift);
  // The height, with the window made first so that auto size has measured it.
  int GetHeight();
  bool IsAutoWidth();
  bool IsContentAutoWidth();
  // Applies auto size to a proposed size.
  void CalculateAutoSize(int& Width, int& Height);
  // Published; the editor never calls it.
  const TNotifyEvent& PropertiesEvents() const { return FPropertiesEvents; }
  void SetPropertiesEvents(const TNotifyEvent& Value) { FPropertiesEvents = Value; }

  // --- Virtual operations, in slot order ---
  // Places the inner control on the view info's client rectangle.
  virtual void AdjustInnerEditPosition();
  virtual void LeavePostingState() { FPosting = false; }
  virtual void EnterPostingState() { FPosting = true; }
  virtual void CalculateAnchors();
  virtual bool IsAutoSizeActive() { return !FIsInplace && FAutoSize; }
  virtual bool CanAutoWidth() { return false; }
  virtual bool IsButtonsAutoWidth();
  virtual bool IsValueChangingKey(WORD Key, TShiftState Shift) { (void)Key; (void)Shift; return false; }
  virtual bool IsValueChangingChar(char Ch) { (void)Ch; return false; }
  virtual bool CanModify();
  // The inner control's change handler (wired only when the properties' inner edit reports changes).
  virtual void InnerEditChanged(TObject* Sender);
  virtual IcxCustomInnerEdit* GetInnerEditInterface();
  virtual TOwned<TcxCustomEditViewData> CreateEditViewData();
  // DoButtonClick for the first button marked Default.
  virtual void ClickDefaultButton();
  virtual void AutoSizeChanged() {}
  virtual void DoButtonClick(int Index);
  virtual void DoButtonDown(int Index) { (void)Index; }
  virtual void DoButtonUp(int Index) { (void)Index; }
  virtual void NotifyChange();
  virtual void NotifyEditValueChanged();
  // The clear key, the click key, Tab, Enter, Escape and the navigation keys.
  virtual void DoEditKeyDown(WORD& Key, TShiftState Shift);
  virtual void DoEditKeyPress(char& Ch) { FilterTypedChar(Ch); }
  virtual void DoEditKeyUp(WORD& Key, TShiftState Shift) { (void)Key; (void)Shift; }
  virtual void BeforeFocusLeavesByKey(TShiftState Shift) { (void)Shift; }
  virtual void HandleFocusChange();
  virtual void ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error);
  virtual void DoChange();
  virtual void DoEditValueChanged();
  virtual void HandleEnter();
  virtual void ApplyReadOnlyToInnerEdit();
  virtual void GetSizeLimits(TcxEditSizeProperties& Limits);
  virtual Variant GetEmptyEditValue() { return Null(); }
  virtual TcxEditDataBindingClass DataBindingClassType() const;
  virtual std::string GetDisplayTextForValue() { return {}; }
  virtual TcxCustomEditDataClass EditDataClassType() const { return {}; }
  virtual Variant GetCurrentEditValue();
  virtual Variant GetEditValue() { return FEditValue; }
  virtual TWinControlClass InnerEditClassType() const { return {}; }
  virtual void ReportValidationError(const std::string& ErrorText, bool AbortWhenSilent);
  virtual void Initialize();
  virtual void InitializeEditData() {}
  virtual void InitializeInnerEdit();
  virtual void FillViewDataState(TcxCustomEditViewData* ViewData);
  virtual bool CanStartEditing() { return true; }
  virtual void GetTypedEditValue(Variant& Value) { Value = GetEditValue(); }
  virtual void WriteDisplayValue(const Variant& Value) { (void)Value; }
  virtual void StoreEditValue(const Variant& Value, bool CheckValue);
  virtual void SynchronizeDisplayValueFromData(const Variant& Value);
  virtual bool HasFocusInForm();
  // The button whose window the window is; -1 for none (the base has no button windows).
  virtual int GetButtonIndexAt(HWND Window) { (void)Window; return -1; }
  virtual bool AllowsClickWhenLocked() { return false; }
  // The value shown differs from the stored data value.
  virtual bool DiffersFromDataValue();
  virtual bool IsShortCutHandled(WORD Key, TShiftState Shift);
  virtual bool IsEditValueStored() { return !VarIsNull(FEditValue); }
  virtual bool NeedsParentBackground() { return false; }
  virtual bool IsTransparentNow() { return !FIsInplace && FTransparent; }
  virtual bool IsValidChar(char Ch);
  virtual bool IsSpecialKey(WORD Key, TShiftState Shift) { (void)Key; (void)Shift; return false; }
  // Paints the stored data value through a temporary view data and view info.
  virtual void DrawContentOnCanvas(TcxCanvas* Canvas);
  virtual void EditValueToDisplayValue(const Variant& Value, Variant& DisplayValue, bool Focused);
  // The own properties' change handler.
  virtual void PropertiesChanged(TObject* Sender);
  virtual bool IsValueReadOnly();
  virtual void AfterRepositoryItemChange() {}
  virtual void BeforeRepositoryItemChange() {}
  virtual void AbandonChanges();
  virtual bool CanActivateByKey(char Key) { (void)Key; return true; }
  virtual bool IsTextValid(const std::string& Text) { (void)Text; return false; }
  virtual void SetAutoSize(bool Value);
  virtual void SetEditValue(const Variant& Value);
  virtual void RestoreEditValue(const Variant& Value);
  virtual void ApplyDisplayValue(const Variant& DisplayValue) { (void)DisplayValue; }
  virtual void SynchronizeDisplayValue() {}
  virtual void RefreshEditValueFromText() {}
  virtual bool WantsNavigationKeys() { return FIsInplace; }
  virtual bool SynchronizesOnEnter() { return true; }
  virtual void ResolveTypedText() {}
  virtual bool CanProcessKey(WORD Key, TShiftState Shift);
  // Drops a refused character with a beep, and a value-changing one the user may not type.
  virtual void FilterTypedChar(char& Ch);
  virtual bool IsTextBasedEditor() { return false; }
  virtual void InnerEditWindowProc(TMessage& Message);
  virtual void HookInnerEditWindowProc();
  virtual void UnhookInnerEditWindowProc();
  virtual bool UsesAnchors() { return UsesHorzAnchor() || UsesVertAnchor(); }
  virtual bool UsesHorzAnchor() { return false; }
  virtual bool UsesVertAnchor() { return false; }
  bool SupportsTextEditing() override { return false; }
  void SetHostedInBar(bool Value) override { FHostedInBar = Value; }
  void SetTextFromOutside(const std::string& Text) override { (void)Text; }
  void StoreEditValueUnchecked(const Variant& Value) override { StoreEditValue(Value, false); }
  // In-place activation: the edit data (made of EditDataClassType when none is given) becomes the
  // editor's; the editor is shown, focused and synchronised with its value.
  virtual void Activate(TcxCustomEditData*& EditData);
  virtual void ActivateByKey(char Key, TcxCustomEditData*& EditData);
  virtual void ActivateByMouse(TShiftState Shift, int X, int Y, TcxCustomEditData*& EditData);
  virtual void Clear() { SetEditValue(GetEmptyEditValue()); }
  virtual void CopyToClipboard() {}
  virtual void ClearSelection() {}
  // Ends in-place editing: validates (raising on failure) and synchronises the display value.
  virtual bool Deactivate();
  virtual bool IsOwnWindow(HWND Window);
  virtual bool IsTextEditing() { return false; }
  virtual void PasteFromClipboard() {}
  virtual void DisplayValueToEditValue(const Variant& DisplayValue, Variant& EditValue, bool Focused)
  {
    (void)DisplayValue;
    (void)EditValue;
    (void)Focused;
  }
  virtual void SelectAllText() {}
  virtual int GetBaselinePosition() { return 0; }
  virtual bool HasBaseline() { return false; }

  // --- Non-virtual operations ---
  // May the user's change proceed.
  bool DoEditing();
  // Answers whether the current modification is valid; with RaiseOnError a failure raises.
  bool ValidateEdit(bool RaiseOnError);
  void PostEditValue(bool ValidateFirst);
  // Lock: holds the change events back; unlock with FireOnRelease fires what was held.
  void LockChangeEvents(bool Lock, bool FireOnRelease = true);
  bool AreChangeEventsLocked() const { return FChangeEventsCatcher->IsLocked(); }
  void AdjustSettingValueLock(bool Raise);
  void AdjustEditValueLock(bool Raise);
  void SetModified(bool Value);
  void SetModifiedAfterEnter(bool Value);
  void PushModifiedState();
  void PopModifiedState();
  void ModifiedByUser();
  bool CanPostValue();
  // The provider reports a data storage.
  bool IsStorageBound();
  // The container is locked, or an inner control class exists without an inner control.
  bool IsInnerEditMissing();
  bool IsInEditFormat();
  bool HasOnChange() const;
  bool HasOnEditValueChanged() const;
  bool HasOnValidate() const;
  // OnPopupClosed of the own properties, then of the active ones.
  void DoClosePopup(TcxEditCloseUpReason Reason);
  // The data asks again to be filled: when it is the editor's and marked, InitializeEditData.
  void EditDataReinitializationRequested(TcxCustomEditData* Data);
  // The edit data forgets its editor.
  void EditDataGone(TcxCustomEditData* Data);

  // --- Overrides of the container ---
  bool IsInplace() override { return FIsInplace; }
  bool IsTransparent() override { return NeedsParentBackground() || IsTransparentNow(); }
  bool CanMoveFocusOnTab() override { return false; }
  TcxContainerStyleClass GetStyleClass() const override;
  TcxContainerViewInfoClass GetViewInfoClass() const override;
  bool IsNativeStyle() override;
  TcxEditStateColorKind GetPainterState() override;
  TcxContainerStyleValues GetIgnoredStyleValues() override;
  void Click() override;
  void DblClick() override;
  void DefaultHandler(TMessage& Message) override;
  void GetTabOrderList(std::vector<TWinControl*>& List) const override;
  bool CanResize(int& NewWidth, int& NewHeight) override;
  void RequestAlign() override;
  // Scales the anchors too: always outside loading, while loading only those the stored form gave.
  void ChangeScale(int M, int D) override;
  void DefineProperties(TFiler& Filer) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool IsWidthStored() const override { return false; }
  bool IsHeightStored() const override { return false; }

  // IcxEditRepositoryItemObserver.
  void RepositoryItemRemoved(TcxEditRepositoryItem* Item) override;
  void RepositoryItemPropertiesChanged(TcxEditRepositoryItem* Item) override;

  // IcxEditValidationHost.
  bool HasValidateHandler() override { return HasOnValidate(); }
  void FireValidate(Variant& DisplayValue, std::string& ErrorText, bool& Error) override;
  std::string CurrentDisplayText() override { return GetDisplayTextForValue(); }

protected:
  void DoEnter() override;
  void DoExit() override;
  void PaintControl() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void FocusChanged() override;
  void CreateHandle() override;
  void FocusInnerControl() override;
  bool InnerControlMessage(TMessage& Message) override;
  void ContainerStateChanged() override;
  bool DoRefreshState(POINT P, int Button, TShiftState Shift) override;
  RECT GetBorderExtent() override;
  void AdjustLayout() override;
  // The properties of a linked repository item take over from the own Properties (none: back to
  // the own). The repository link sets it.
  void SetLinkedProperties(TcxCustomEditProperties* Value);

private:
  // Fires an event of the own properties, then of the linked ones.
  template <class TEv, class... A>
  void FirePropertiesEvent(const TEv& (TcxCustomEditProperties::*Getter)() const, A&&... Args);
  template <class TEv>
  bool HasPropertiesEvent(const TEv& (TcxCustomEditProperties::*Getter)() const) const;
  // Runs an event with the in-place editor's flags set to modified for its duration.
  template <class F>
  void FireWithInplaceFlags(F&& Fire);
  void HandleExit();
  // The window exists and is shown (with every parent), and the control may take the focus: a
  // hidden form cannot give it.
  bool CanTakeFocusNow();
  void ClickTimerTick(TObject* Sender);
  // The button under the point (client coordinates); -1 for none.
  int ButtonIndexAt(POINT P);
  void WMCut(TMessage& Message);
  void WMCopy(TMessage& Message);
  void WMPaste(TMessage& Message);
  void CMHintShow(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  // The first button marked Default when it can be clicked; -1 otherwise.
  int DefaultButtonIndex();
  // Runs F with UserEditInProgress set, cleared again also on an exception.
  template <class F>
  void AsUserEdit(F&& Action);
  void MarkReplicatable(TWinControl* Control);

  // Anchors unset.
  static constexpr int AnchorNotSet = 2147483647;
  int FAnchorX = AnchorNotSet;
  int FAnchorY = AnchorNotSet;
  bool FAutoSize = true;
  int FCapturedButtonIndex = -1;
  TOwned<TcxEditChangeEventsCatcher> FChangeEventsCatcher;
  int FSettingValueLock = 0;
  TOwned<TcxTimer> FClickTimer;
  TcxCustomEditData* FEditData = nullptr;  // not owned
  bool FEditingQueryActive = false;
  int FEditValueLock = 0;
  IcxCustomInnerEdit* FInnerEdit = nullptr;
  bool FHostedInBar = false;
  bool FContentOffsetsCached = false;
  bool FValidated = false;
  bool FValidating = false;
  bool FIsInplace;
  bool FPropertiesPending = false;
  bool FPosting = false;
  bool FUserEditInProgress = false;
  bool FModifiedAfterEnter = false;
  bool FModified = false;
  TcxEditInternalKeyDownEvent FOnInternalKeyDown;
  TcxEditEditingEvent FOnEditing;
  TNotifyEvent FOnInplacePost;
  Variant FSavedEditValue;
  std::vector<std::pair<bool, bool>> FModifiedStateStack;
  TNotifyEvent FPropertiesEvents;
  TcxCustomEditProperties* FLinkedProperties = nullptr;  // a repository item's, not owned
  bool FTransparent = false;
  bool FErrorFocusing = false;
  TOwned<TcxEditDataBinding> FDataBinding;
  Variant FEditValue = Null();
  TOwned<TcxCustomEditProperties> FProperties;
  TcxEditContentOffsetBlock FContentOffsetsCache;
  bool FActivated = false;
  TcxEditRepositoryItem* FRepositoryItem = nullptr;
  bool FEscapeHandled = false;
  bool FFocusedWhileActive = false;
  bool FHandleCreating = false;
  // Bit 1: AnchorX came from the stored form; bit 2: AnchorY.
  int FAnchorsLoaded = 0;
  bool FAnchorsFromStream = false;
  TcxWindowProcLinkedObject* FInnerEditWindowProcLink = nullptr;  // the controller's
};
