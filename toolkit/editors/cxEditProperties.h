#pragma once
// Edit properties (unit cxEdit): every setting and event of one kind of editor, apart from the
// control. An editor owns one properties object; a repository item owns one that many editors use.
// The properties name the classes a host needs to make, measure and paint an editor, gather the
// changes of several steps into one notification to their owner, turn edit values into display
// values and validate what the user typed.
//
// Values that the properties do not assign themselves (alignment, read-only state, bounds) come from
// a default-values provider when one is set: the data binding of the editor.
#include <span>
#include <string>
#include "classlib/ClassRef.h"
#include "classlib/Events.h"
#include "classlib/Menus.h"
#include "classlib/Persistent.h"
#include "classlib/Sets.h"
#include "classlib/StdCtrls.h"
#include "classlib/TypInfo.h"
#include "classlib/Variant.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxClassesRegistries.h"
#include "toolkit/editors/cxEditButtons.h"
#include "toolkit/editors/cxEditStyles.h"

class TcxCustomEdit;
class TcxCustomEditProperties;
class TcxCustomEditViewData;
class TcxCustomEditViewInfo;
using TcxCustomEditViewDataClass = TClassRef<TcxCustomEditViewData>;
using TcxCustomEditViewInfoClass = TClassRef<TcxCustomEditViewInfo>;

// The defaults of a data binding for the values the properties do not assign.
class IcxEditDefaultValuesProvider {
public:
  virtual bool AllowsEditMode() = 0;
  // Every live properties object that uses this provider drops it.
  virtual void DetachFromProperties() = 0;
  virtual TAlignment ProvidedAlignment() = 0;
  // 0 to 4.
  virtual int ProvidedBlobKind() = 0;
  virtual bool ProvidedCanModify() = 0;
  virtual std::string ProvidedDisplayFormat() = 0;
  virtual std::string ProvidedEditFormat() = 0;
  virtual std::string ProvidedEditMask() = 0;
  virtual bool ProvidedIsFloat() = 0;
  virtual int ProvidedMaxLength() = 0;
  virtual double ProvidedMaxValue() = 0;
  virtual double ProvidedMinValue() = 0;
  virtual int ProvidedPrecision() = 0;
  virtual bool ProvidedReadOnly() = 0;
  virtual bool ProvidedRequired() = 0;
  // The object that answers the interface.
  virtual TObject* ImplementingObject() = 0;
  virtual bool IsStorageBacked() = 0;
  virtual bool HoldsBlobData() = 0;
  virtual bool HoldsCurrencyData() = 0;
  virtual bool HasDataAvailable() = 0;
  virtual bool DefinesDisplayFormat(bool AcceptsCurrency) = 0;
  virtual bool HasGetTextHandler() = 0;
  virtual bool HasSetTextHandler() = 0;
  virtual bool AcceptsChar(char Ch) = 0;

protected:
  ~IcxEditDefaultValuesProvider() = default;
};

// What the validation of a display value asks of the editor it runs for; the edit control answers.
class IcxEditValidationHost {
public:
  // Whether the editor's own properties, or its repository item's, have an OnValidate handler.
  virtual bool HasValidateHandler() = 0;
  // OnValidate of the own properties, then of the repository item's.
  virtual void FireValidate(Variant& DisplayValue, std::string& ErrorText, bool& Error) = 0;
  // The text the editor shows for its value now.
  virtual std::string CurrentDisplayText() = 0;

protected:
  ~IcxEditValidationHost() = default;
};

using TcxEditButtonClickEvent = TEvent<void(TObject* Sender, int AButtonIndex)>;
using TcxEditValidateEvent = TEvent<void(TObject* Sender, Variant& DisplayValue, std::string& ErrorText, bool& Error)>;
// Why a drop-down editor's popup closed, as the drop-down editors number it.
using TcxEditCloseUpReason = int;
using TcxEditClosePopupEvent = TEvent<void(TObject* Sender, TcxEditCloseUpReason Reason)>;

// Which formats a kind of editor uses.
enum class TcxEditDisplayFormatOption { dfoDisplayFormat, dfoEditFormat };
using TcxEditDisplayFormatOptions = TSet<TcxEditDisplayFormatOption>;
// Capability bits of an editor kind; the hosts give the bits their meaning.
using TcxEditCapabilities = uint32_t;
constexpr TcxEditCapabilities cxEditCapabilityButtons = 0x20;

enum class TcxEditVertAlignment { taTopJustify, taBottomJustify, taVCenter };
using enum TcxEditVertAlignment;
extern const TEnumInfo cxEditVertAlignmentInfo;

// The alignment of an editor's content. Horz counts as set only once it was assigned.
class TcxEditAlignment : public TPersistent {
  CL_CLASS(TcxEditAlignment, TPersistent)
public:
  explicit TcxEditAlignment(TPersistent* Owner, const TNotifyEvent& OnChanged = {})
      : FOwner(Owner), FOnChanged(OnChanged)
  {
  }
  // From another alignment: Vert, Horz and whether Horz is assigned, then the change handler. Any
  // other source: the class library's Assign.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FOwner; }

  TAlignment Horz() const { return FHorz; }
  // Nothing when Horz is assigned and equal; else assigns it and calls the change handler.
  void SetHorz(TAlignment Value);
  TcxEditVertAlignment Vert() const { return FVert; }
  void SetVert(TcxEditVertAlignment Value);
  bool HorzAssigned() const { return FHorzAssigned; }
  // Horz no longer counts as set (its value stays); the change handler is called.
  void ClearHorzAssignment();
  // Back to the defaults (Horz left and not assigned, Vert top) without calling the handler.
  void Reset();
  // Whether anything is worth storing: an assigned Horz or a Vert other than top.
  bool IsStored() const { return FHorzAssigned || FVert != taTopJustify; }

  const TNotifyEvent& OnChanged() const { return FOnChanged; }
  void SetOnChanged(const TNotifyEvent& Value) { FOnChanged = Value; }

private:
  friend class TcxCustomEditProperties;
  void DoChanged();

  TPersistent* FOwner;
  TAlignment FHorz = taLeftJustify;
  TcxEditVertAlignment FVert = taTopJustify;
  bool FHorzAssigned = false;
  TNotifyEvent FOnChanged;
};

// Which of MaxValue, MinValue and ReadOnly the properties assign themselves.
class TcxCustomEditPropertiesValues : public TPersistent {
  CL_CLASS(TcxCustomEditPropertiesValues, TPersistent)
public:
  struct TMeta : TMetaClassOf<TcxCustomEditPropertiesValues, TcxCustomEditProperties*> {};
  explicit TcxCustomEditPropertiesValues(TcxCustomEditProperties* Owner) : FOwner(Owner) {}
  // From another values object: the three flags, inside one update of the owner.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override;
  TcxCustomEditProperties* Properties() const { return FOwner; }
  // Clears the flags inside one update of the owner.
  virtual void ResetAssignedFlags();

  // Each setter reports a change to the owner when the flag changes.
  bool MaxValue() const { return FMaxValue; }
  void SetMaxValue(bool Value);
  bool MinValue() const { return FMinValue; }
  void SetMinValue(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);

  // A flag of a zero bound is stored, since the bound itself is not (when the owner publishes it).
  bool IsMaxValueStored() const;
  bool IsMinValueStored() const;

private:
  void SetFlag(bool& Flag, bool Value);
  bool IsBoundFlagStored(bool Flag, const char* PropertyName, double Bound) const;

  TcxCustomEditProperties* FOwner;
  bool FMaxValue = false;
  bool FMinValue = false;
  bool FReadOnly = false;
};

using TcxCustomEditPropertiesValuesClass = TClassRef<TcxCustomEditPropertiesValues>;
using TcxCustomEditPropertiesClass = TClassRef<TcxCustomEditProperties>;

class TcxCustomEditProperties : public TcxInterfacedPersistent {
  CL_CLASS(TcxCustomEditProperties, TcxInterfacedPersistent)
public:
  // Made with their owner: an editor, a repository item or none.
  struct TMeta : TMetaClassOf<TcxCustomEditProperties, TPersistent*> {
    // The editor class these properties belong to (the pools make in-place editors of it).
    virtual TClassRef<TcxCustomEdit> ContainerClassType() const;
  };
  explicit TcxCustomEditProperties(TPersistent* Owner);
  ~TcxCustomEditProperties() override;
  // Joins the live properties; makes the sub-objects of the classes this class answers.
  void AfterConstruction() override;
  // Every in-place edit list forgets them; leaves the live properties; the provider is dropped.
  void BeforeDestruction() override;
  // From other properties, inside one update: the settings, the provider, the bounds and read-only
  // state as the source resolves them, and the events other than OnPopupClosed. Any other source
  // raises the class library's assignment error.
  void Assign(TPersistent* Source) override;

  // --- Change notification ---
  void BeginUpdate();
  // Closes a level; the outermost one reports one change when asked and when a change came meanwhile.
  void EndUpdate(bool Notify = true);
  // Reports a change now, or only marks it while an update is open, notifications are held or the
  // owner is being destroyed.
  void Changed();
  bool IsChangeHeld() const { return FChangeNotificationsHeld || FUpdateLockCount > 0; }
  bool ChangeNotificationsHeld() const { return FChangeNotificationsHeld; }
  // Stores the flag; releasing it reports nothing by itself.
  void SetChangeNotificationsHeld(bool Value) { FChangeNotificationsHeld = Value; }
  bool ChangedWhileLocked() const { return FChangedWhileLocked; }
  int UpdateLockCount() const { return FUpdateLockCount; }
  int ChangeNotificationDepth() const { return FChangeNotificationDepth; }
  // The owner's change handler (the editor's PropertiesChanged); called with the properties.
  const TNotifyEvent& OwnerChangeHandler() const { return FOwnerChangeHandler; }
  void SetOwnerChangeHandler(const TNotifyEvent& Value) { FOwnerChangeHandler = Value; }

  // --- Defaults provider ---
  IcxEditDefaultValuesProvider* DefaultValuesProvider() const { return FDefaultValuesProvider; }
  // Stores the provider; the properties of an editor report a change.
  void SetDefaultValuesProvider(IcxEditDefaultValuesProvider* Value);
  // Stores the provider without reporting a change (the editor and its binding set it).
  void AttachDefaultValuesProvider(IcxEditDefaultValuesProvider* Value) { FDefaultValuesProvider = Value; }
  bool UsesProviderDisplayFormat();

  // --- Values ---
  // The published face of the stored alignment: Horz comes from DefaultHorzAlignment until it is set.
  TcxEditAlignment* GetAlignment() const;
  bool IsAlignmentStored() const { return FStoredAlignment->IsStored(); }
  TcxEditAlignment* StoredAlignment() const { return FStoredAlignment.get(); }
  TcxCustomEditPropertiesValues* AssignedValues() const { return FAssignedValues.get(); }
  void SetAssignedValues(TcxCustomEditPropertiesValues* Value) { FAssignedValues->Assign(Value); }
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value);
  bool AcceptsMouseWheel() const { return FAcceptsMouseWheel; }
  void SetAcceptsMouseWheel(bool Value);
  bool BeepOnError() const { return FBeepOnError; }
  void SetBeepOnError(bool Value);
  TcxEditButtons* Buttons() const { return FButtons.get(); }
  void SetButtons(TcxEditButtons* Value);
  // 0 normal, 1 buttons only, 2 buttons auto width.
  int ButtonsDisplayKind() const { return FButtonsDisplayKind; }
  void SetButtonsDisplayKind(int Value);
  TShortCut ClearKey() const { return FClearKey; }
  void SetClearKey(TShortCut Value);
  TShortCut ClickKey() const { return FClickKey; }
  void SetClickKey(TShortCut Value);
  bool ImmediatePost() const { return FImmediatePost; }
  void SetImmediatePost(bool Value);
  // The assigned bound, else the provider's, else 0.
  double MaxValue() const { return GetMaxValue(); }
  void SetMaxValue(double Value);
  double MinValue() const { return GetMinValue(); }
  void SetMinValue(double Value);
  bool IsMaxValueStored() const { return FAssignedValues->MaxValue(); }
  bool IsMinValueStored() const { return FAssignedValues->MinValue(); }
  // The assigned state, else the provider's, else false.
  bool ReadOnly() const { return GetReadOnly(); }
  bool GetReadOnly() const;
  void SetReadOnly(bool Value);
  bool IsReadOnlyStored() const { return FAssignedValues->ReadOnly(); }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool UseLeftAlignmentOnEditing() const { return FUseLeftAlignmentOnEditing; }
  void SetUseLeftAlignmentOnEditing(bool Value);
  bool IsUseLeftAlignmentOnEditingStored() const;
  bool ValidateOnEnter() const { return FValidateOnEnter; }
  void SetValidateOnEnter(bool Value);
  // Whether the value may change when the editor is in place.
  bool CanModify() const;

  // --- Events ---
  const TcxEditButtonClickEvent& OnButtonClick() const { return FOnButtonClick; }
  void SetOnButtonClick(const TcxEditButtonClickEvent& Value) { FOnButtonClick = Value; }
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }
  const TNotifyEvent& OnEditValueChanged() const { return FOnEditValueChanged; }
  void SetOnEditValueChanged(const TNotifyEvent& Value) { FOnEditValueChanged = Value; }
  const TcxEditClosePopupEvent& OnPopupClosed() const { return FOnPopupClosed; }
  void SetOnPopupClosed(const TcxEditClosePopupEvent& Value) { FOnPopupClosed = Value; }
  const TcxEditValidateEvent& OnValidate() const { return FOnValidate; }
  void SetOnValidate(const TcxEditValidateEvent& Value) { FOnValidate = Value; }

  // --- Virtual operations, with the base answers ---
  // The change handler of the published Alignment: the stored alignment takes a copy, then Changed.
  virtual void AlignmentChanged();
  virtual void SetAlignment(TcxEditAlignment* Value);
  // The change handler of the owned sub-objects (Buttons).
  virtual void SubObjectChanged();
  virtual bool CanValidate() const { return false; }
  virtual bool DefaultUseLeftAlignmentOnEditing() const { return true; }
  virtual void ClearDefaultValuesProvider() { FDefaultValuesProvider = nullptr; }
  // Calls the owner's change handler, counting the depth while it runs.
  virtual void DoChanged();
  virtual void ReferencedComponentFreed(TComponent* Component) { (void)Component; }
  virtual TcxCustomEditPropertiesValuesClass AssignedValuesClassType() const
  {
    return ClassRef<TcxCustomEditPropertiesValues>();
  }
  // The provider's alignment when there is a provider, else Alignment's Horz.
  virtual TAlignment DefaultHorzAlignment() const;
  virtual TcxEditDisplayFormatOptions SupportedDisplayFormats() const { return {}; }
  virtual double GetMaxValue() const;
  virtual double GetMinValue() const;
  virtual std::string GetInvalidValueMessage(int Kind) const;
  virtual bool HasProviderDisplayFormat(bool Focused) const;
  virtual bool InnerEditReportsChanges() const { return false; }
  virtual bool HandlesTabKey() const { return false; }
  virtual bool FormatsDifferentlyUnfocused() const { return true; }
  virtual bool SupportsValueComparison() const { return false; }
  virtual TcxEditButtonsClass ButtonsClassType() const { return ClassRef<TcxEditButtons>(); }
  // The editor class of the properties' class.
  TClassRef<TcxCustomEdit> ContainerClassType() const;
  virtual TcxCustomEditStyleClass StyleClassType() const { return ClassRef<TcxEditStyle>(); }
  // The classes that lay out (TcxCustomEditViewData) and paint (TcxCustomEditViewInfo) an editor
  // of this kind.
  virtual TcxCustomEditViewDataClass ViewDataClassType() const;
  virtual TcxCustomEditViewInfoClass ViewInfoClassType() const;
  // A new view data of ViewDataClassType for the style; ValueHidden: the value is not shown.
  virtual TOwned<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle* Style, bool IsInplace,
                                                       bool ValueHidden = false) const;
  // Copies data kept outside the published properties (nothing here).
  virtual void AssignExtraTo(TcxCustomEditProperties* Target) const { (void)Target; }
  virtual bool IsPaintSupported() const { return true; }
  // The unfocused display values of both, compared by the class library's variant equality.
  virtual bool DisplayValuesEqual(const Variant& A, const Variant& B);
  // New properties of the same class, without owner.
  virtual TcxCustomEditProperties* CreatePreviewCopy() const;
  virtual void PrepareForPaint() {}
  virtual std::wstring GetDisplayText(const Variant& Value, bool FullText, bool Inplace);
  virtual TcxEditCapabilities GetExtraCapabilities() const { return 0; }
  // cxEditCapabilityButtons while there is a button.
  virtual TcxEditCapabilities GetCapabilities() const;
  virtual bool IsActivationChar(char Ch) const { (void)Ch; return false; }
  virtual bool IsEditValueValid(const Variant& EditValue, bool Focused) const;
  virtual bool IsResetEditValueSupported() const { return false; }
  virtual void EditValueToDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Focused);
  // The stored alignment and the assigned flags back to their defaults, in one update.
  virtual void ResetToDefaults();
  // When the kind validates: a missing error text becomes the invalid-value message, then the
  // editor's OnValidate handlers run (DoValidate).
  virtual void ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error,
                                    IcxEditValidationHost* Edit);
  virtual bool IsDisplayFormatted(bool Focused) const { (void)Focused; return false; }

protected:
  // Watches the components the properties refer to: ReferencedComponentFreed hears of their end.
  TcxFreeNotificator* ReferenceWatcher() const { return FReferenceWatcher.get(); }
  // Fires the editor's OnValidate handlers on a copy of the display value. When a handler keeps the
  // error and leaves the text as it was, the value becomes the editor's current display text.
  void DoValidate(Variant& DisplayValue, std::string& ErrorText, bool& Error, IcxEditValidationHost* Edit);

private:
  void HandleAlignmentChange(TObject* Sender);
  void HandleButtonsChange(TObject* Sender);
  void HandleReferencedComponentFreed(TComponent* Component);
  template <class T>
  void SetValue(T& Field, const T& Value);
  // Sets a bound or the read-only state and its assigned flag.
  template <class T>
  void SetAssignedValue(T& Field, const T& Value, bool (TcxCustomEditPropertiesValues::*Flag)() const,
                        void (TcxCustomEditPropertiesValues::*SetFlag)(bool));

  bool FAutoSelect = true;
  bool FBeepOnError = false;
  TOwned<TcxEditButtons> FButtons;
  int FButtonsDisplayKind = 0;
  bool FChangedWhileLocked = false;
  TShortCut FClearKey = 0;
  TShortCut FClickKey = 0x400D;  // Ctrl+Enter
  TOwned<TcxFreeNotificator> FReferenceWatcher;
  bool FImmediatePost = false;
  TOwned<TcxEditAlignment> FStoredAlignment;
  int FChangeNotificationDepth = 0;
  double FMaxValue = 0;
  double FMinValue = 0;
  bool FReadOnly = false;
  bool FTransparent = false;
  int FUpdateLockCount = 0;
  bool FUseLeftAlignmentOnEditing = true;
  bool FAcceptsMouseWheel = true;
  bool FValidateOnEnter = false;
  TcxEditButtonClickEvent FOnButtonClick;
  TNotifyEvent FOnChange;
  TcxEditClosePopupEvent FOnPopupClosed;
  TNotifyEvent FOnEditValueChanged;
  TcxEditValidateEvent FOnValidate;
  TNotifyEvent FOwnerChangeHandler;
  TOwned<TcxEditAlignment> FAlignment;
  TOwned<TcxCustomEditPropertiesValues> FAssignedValues;
  bool FChangeNotificationsHeld = false;
  IcxEditDefaultValuesProvider* FDefaultValuesProvider = nullptr;
};

// Opens an update of the properties (when there are any) for the life of a scope; closing it reports
// one change.
class TcxEditPropertiesUpdate {
public:
  explicit TcxEditPropertiesUpdate(TcxCustomEditProperties* Properties) : FProperties(Properties)
  {
    if (FProperties) FProperties->BeginUpdate();
  }
  ~TcxEditPropertiesUpdate()
  {
    if (FProperties) FProperties->EndUpdate(true);
  }
  TcxEditPropertiesUpdate(const TcxEditPropertiesUpdate&) = delete;
  TcxEditPropertiesUpdate& operator=(const TcxEditPropertiesUpdate&) = delete;

private:
  TcxCustomEditProperties* FProperties;
};

// The properties objects alive now, oldest first (while the editors' unit runs).
std::span<TcxCustomEditProperties* const> LiveEditProperties();

// The registry of the editors' properties classes, sorted case-insensitively by description; made
// when first asked for while the editors' unit runs, else nullptr.
TcxRegisteredClasses* GetEditPropertiesRegistry();

// Both values of the same variant type and exactly equal.
bool EditValuesEqual(const Variant& A, const Variant& B);
// Both numbers (of any kind) or of the same variant type, and exactly equal.
bool EditValuesMatch(const Variant& A, const Variant& B);
// The first component met walking GetOwner from the object (itself included); nullptr when none.
TComponent* FindOwnerComponent(TPersistent* Object);
