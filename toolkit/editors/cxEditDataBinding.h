#pragma once
// The editor's data binding (unit cxEdit): where its value comes from and goes to. The base binding
// is unbound: the value lives in the editor, and the binding mostly forwards to it. Each binding
// owns a default-values provider that the editor's properties ask for every value they do not
// assign themselves; the base provider answers the plain defaults.
#include "classlib/ClassRef.h"
#include "classlib/Persistent.h"
#include "classlib/Variant.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/editors/cxEditProperties.h"

class TcxCustomEdit;
class TBasicAction;

class TcxCustomEditDefaultValuesProvider : public TcxInterfacedPersistent, public IcxEditDefaultValuesProvider {
  CL_CLASS(TcxCustomEditDefaultValuesProvider, TcxInterfacedPersistent)
public:
  struct TMeta : TMetaClassOf<TcxCustomEditDefaultValuesProvider, TPersistent*> {};
  explicit TcxCustomEditDefaultValuesProvider(TPersistent* Owner) : TcxInterfacedPersistent(Owner) {}
  // No properties object keeps this provider.
  void BeforeDestruction() override;

  // Not virtual here: every live properties object using this provider drops it.
  void DetachFromProperties() final;
  TObject* ImplementingObject() final { return this; }

  // --- Virtual operations, in slot order ---
  bool AllowsEditMode() override { return true; }
  TAlignment ProvidedAlignment() override { return taLeftJustify; }
  int ProvidedBlobKind() override { return 3; }
  bool ProvidedCanModify() override { return true; }
  std::string ProvidedDisplayFormat() override { return {}; }
  std::string ProvidedEditFormat() override { return {}; }
  std::string ProvidedEditMask() override { return {}; }
  bool ProvidedIsFloat() override { return false; }
  int ProvidedMaxLength() override { return 0; }
  double ProvidedMaxValue() override { return 0.0; }
  double ProvidedMinValue() override { return 0.0; }
  int ProvidedPrecision() override { return 15; }
  bool ProvidedReadOnly() override { return false; }
  bool ProvidedRequired() override { return false; }
  bool HoldsBlobData() override { return false; }
  bool HoldsCurrencyData() override { return false; }
  bool HasDataAvailable() override { return true; }
  bool IsStorageBacked() override { return false; }
  bool DefinesDisplayFormat(bool AcceptsCurrency) override { (void)AcceptsCurrency; return false; }
  bool HasGetTextHandler() override { return false; }
  bool HasSetTextHandler() override { return false; }
  bool AcceptsChar(char Ch) override { (void)Ch; return true; }
};

using TcxCustomEditDefaultValuesProviderClass = TClassRef<TcxCustomEditDefaultValuesProvider>;

class TcxEditDataBinding : public TPersistent {
  CL_CLASS(TcxEditDataBinding, TPersistent)
public:
  // Made for its editor; the provider is made in AfterConstruction.
  struct TMeta : TMetaClassOf<TcxEditDataBinding, TcxCustomEdit*> {};
  explicit TcxEditDataBinding(TcxCustomEdit* Edit) : FEdit(Edit) {}
  // Makes the provider of DefaultValuesProviderClassType, without owner.
  void AfterConstruction() override;
  TPersistent* GetOwner() const override;

  TcxCustomEdit* Edit() const { return FEdit; }
  // The provider as the interface the properties ask; none without a provider.
  IcxEditDefaultValuesProvider* GetDefaultValuesProvider() const { return FDefaultValuesProvider.get(); }
  TcxCustomEditDefaultValuesProvider* DefaultValuesProviderObject() const { return FDefaultValuesProvider.get(); }

  // --- Virtual operations, in slot order ---
  // The provider's defaults changed: the editor's properties report a change.
  virtual void DefaultValuesChanged();
  virtual void GetDisplayValueFromEdit(Variant& Value);
  virtual bool GetModifiedState();
  virtual bool CanReadData();
  virtual bool IsInEditMode();
  virtual void ReadStoredValue(Variant& Value);
  virtual bool IsDataReadOnly() { return !CanReadData(); }
  virtual bool HasDataLink() { return false; }
  virtual void AbandonEditChanges();
  virtual void PushDisplayValue(const Variant& Value);
  virtual bool EnterEditMode();
  virtual void WriteStoredValue(const Variant& Value) { (void)Value; }
  virtual bool CanReformat();
  virtual bool CanEnterEditing() { return CanReadData(); }
  virtual bool CanModifyData() { return IsInEditMode(); }
  virtual bool HandleExecuteAction(TBasicAction* Action) { (void)Action; return false; }
  virtual TcxCustomEditDefaultValuesProviderClass DefaultValuesProviderClassType() const
  {
    return ClassRef<TcxCustomEditDefaultValuesProvider>();
  }
  // When the editor is focused: SetModified(true) and true; else false and nothing changes.
  virtual bool MarkModifiedIfFocused();
  virtual bool HandleUpdateAction(TBasicAction* Action) { (void)Action; return false; }
  virtual void UpdateDisplayValue();
  virtual void EditorStateChanged() {}

private:
  TcxCustomEdit* FEdit;  // not owned
  TOwned<TcxCustomEditDefaultValuesProvider> FDefaultValuesProvider;
};
