// The edit control: construction, destruction, the properties and their changes, the view data
// and view info, and what the editor answers the container.
#include "toolkit/editors/cxEditControl.h"

#include "classlib/Forms.h"
#include "toolkit/base/cxClassesTimer.h"
#include "toolkit/editors/cxEdit.h"
#include "toolkit/editors/cxEditConsts.h"
#include "toolkit/editors/cxEditDataBinding.h"
#include "toolkit/editors/cxEditInplaceList.h"
#include "toolkit/editors/cxEditStyles.h"
#include "toolkit/editors/cxEditViewInfo.h"

CL_MESSAGE_MAP(TcxCustomEdit,
  {WM_CUT, &TcxCustomEdit::WMCut},
  {WM_COPY, &TcxCustomEdit::WMCopy},
  {WM_PASTE, &TcxCustomEdit::WMPaste},
  {CM_HINTSHOW, &TcxCustomEdit::CMHintShow},
  {CM_DIALOGCHAR, &TcxCustomEdit::CMDialogChar},
  {CM_ENTER, &TcxCustomEdit::CMEnter},
  {CM_SHOWINGCHANGED, &TcxCustomEdit::CMShowingChanged});
CL_DEFINE_CLASS(TcxCustomEdit);
CL_DEFINE_CLASS(TcxEditChangeEventsCatcher);

TcxCustomEdit::TcxCustomEdit(TComponent* Owner, bool IsInplace) : TcxCustomEditContainer(Owner), FIsInplace(IsInplace)
{
}

TcxCustomEdit::~TcxCustomEdit() = default;

void TcxCustomEdit::AfterConstruction()
{
  // The container asks the properties for its style and view info classes while it is made.
  FChangeEventsCatcher = MakeOwned<TcxEditChangeEventsCatcher>(this);
  FProperties.reset(TcxCustomEditClass(ClassType())->PropertiesClassType().Create(this));
  TcxCustomEditContainer::AfterConstruction();
  Initialize();
  if (HandleAllocated()) RefreshStateAtCursor(false);
}

void TcxCustomEdit::Initialize()
{
  auto viewData = CreateEditViewData();
  viewData->CalculateContentOffsets(FContentOffsetsCache);
  FContentOffsetsCached = true;

  TControlStyle style = ControlStyle();
  style.Include(TControlStyleFlag::csCaptureMouse);
  style.Include(TControlStyleFlag::csSetCaption);
  SetControlStyle(style);
  SetTabStop(true);

  FInnerEdit = GetInnerEditInterface();
  if (FInnerEdit) {
    InitializeInnerEdit();
    SetInnerControl(FInnerEdit->GetControl());
  }
  MarkReplicatable(this);

  FDataBinding.reset(DataBindingClassType().Create(this));
  FAutoSize = !FIsInplace;
  FCapturedButtonIndex = -1;
  FEditValue = Null();
  FProperties->SetOwnerChangeHandler(TNotifyEvent(this, &TcxCustomEdit::PropertiesChanged));
  if (FIsInplace) {
    TcxControlKeys keys = Keys();
    keys.Include(ckAll);
    keys.Include(ckArrows);
    if (!InnerEditClassType()) keys.Include(ckTab);
    SetKeys(keys);
  }
  FClickTimer = MakeOwned<TcxTimer>(nullptr);
  FClickTimer->SetEnabled(false);
  FClickTimer->SetInterval(GetDoubleClickTime());
  FClickTimer->SetOnTimer(TNotifyEvent(this, &TcxCustomEdit::ClickTimerTick));
  if (!FIsInplace) FProperties->AttachDefaultValuesProvider(FDataBinding->GetDefaultValuesProvider());
  if (auto* viewInfo = dynamic_cast<TcxCustomEditViewInfo*>(ViewInfo())) viewInfo->Edit = this;
  FPropertiesPending = true;
}

void TcxCustomEdit::MarkReplicatable(TWinControl* Control)
{
  TControlStyle style = Control->ControlStyle();
  style.Include(TControlStyleFlag::csReplicatable);
  Control->SetControlStyle(style);
  for (int i = 0; i < Control->ControlCount(); ++i) {
    TControl* child = Control->Controls(i);
    if (auto* winChild = dynamic_cast<TWinControl*>(child))
      MarkReplicatable(winChild);
    else {
      TControlStyle childStyle = child->ControlStyle();
      childStyle.Include(TControlStyleFlag::csReplicatable);
      child->SetControlStyle(childStyle);
    }
  }
}

IcxCustomInnerEdit* TcxCustomEdit::GetInnerEditInterface()
{
  const TWinControlClass innerClass = InnerEditClassType();
  if (!innerClass) return nullptr;
  TWinControl* control = innerClass.Create(this);
  if (auto* source = Supports<IcxInnerEditHelperSource>(control)) return source->GetInnerEditHelper();
  return Supports<IcxCustomInnerEdit>(control);
}

void TcxCustomEdit::InitializeInnerEdit()
{
  FInnerEdit->AttachToParent(this);
  if (GetActiveProperties()->InnerEditReportsChanges())
    FInnerEdit->AssignChangeHandler(TNotifyEvent(this, &TcxCustomEdit::InnerEditChanged));
  FInnerEdit->GetControl()->SetParentShowHint(false);
}

void TcxCustomEdit::BeforeDestruction()
{
  Destroying();
  FClickTimer.reset();
  if (FInnerEdit) FInnerEdit->AssignChangeHandler(TNotifyEvent());
  FInnerEdit = nullptr;
  if (FProperties) {
    FProperties->SetOwnerChangeHandler(TNotifyEvent());
    if (!FIsInplace) FProperties->AttachDefaultValuesProvider(nullptr);
  }
  TcxCustomEditContainer::BeforeDestruction();
  // The container and the child controls are gone: nothing asks for the properties any more.
  FDataBinding.reset();
  FModifiedStateStack.clear();
  FProperties.reset();
  FChangeEventsCatcher.reset();
}

void TcxCustomEdit::ClickTimerTick(TObject*) { FClickTimer->SetEnabled(false); }

TcxCustomEditProperties* TcxCustomEdit::GetActiveProperties() const
{
  if (!FLinkedProperties) return FProperties.get();
  FLinkedProperties->AttachDefaultValuesProvider(FDataBinding ? FDataBinding->GetDefaultValuesProvider() : nullptr);
  return FLinkedProperties;
}

void TcxCustomEdit::SetLinkedProperties(TcxCustomEditProperties* Value)
{
  if (FLinkedProperties == Value) return;
  BeforeRepositoryItemChange();
  FLinkedProperties = Value;
  if (!IsLoading()) PropertiesChanged(GetActiveProperties());
  AfterRepositoryItemChange();
}

// --- The repository link ---

bool TcxCustomEdit::CanUseRepositoryItem(TcxEditRepositoryItem* Value)
{
  return !Value || Value->PropertiesInheritFrom(TcxCustomEditClass(ClassType())->PropertiesClassType().Class());
}

void TcxCustomEdit::SetRepositoryItem(TcxEditRepositoryItem* Value)
{
  if (FRepositoryItem == Value) return;
  if (!CanUseRepositoryItem(Value)) throw EcxEditError(GetResStringText(&cxSEditInvalidRepositoryItem));
  BeforeRepositoryItemChange();
  if (FRepositoryItem) {
    FRepositoryItem->RemoveListener(this);
    RemoveFreeNotification(FRepositoryItem);
  }
  FRepositoryItem = Value;
  FLinkedProperties = Value ? Value->Properties() : nullptr;
  if (Value) {
    Value->AddListener(this);
    FreeNotification(Value);
    FProperties->AttachDefaultValuesProvider(nullptr);
    RepositoryItemPropertiesChanged(Value);
    FProperties->SetOwnerChangeHandler(TNotifyEvent());
  } else if (!IsLoading() && !IsDestroying()) {
    FProperties->SetOwnerChangeHandler(TNotifyEvent(this, &TcxCustomEdit::PropertiesChanged));
    FProperties->SetDefaultValuesProvider(FDataBinding->GetDefaultValuesProvider());
  }
  AfterRepositoryItemChange();
}

void TcxCustomEdit::RepositoryItemRemoved(TcxEditRepositoryItem* Item)
{
  if (Item != FRepositoryItem) return;
  // The item is going: the own properties take over again with their change handler.
  FRepositoryItem = nullptr;
  FLinkedProperties = nullptr;
  RemoveFreeNotification(Item);
  if (IsDestroying()) return;
  FProperties->SetOwnerChangeHandler(TNotifyEvent(this, &TcxCustomEdit::PropertiesChanged));
  if (!FIsInplace) FProperties->AttachDefaultValuesProvider(FDataBinding->GetDefaultValuesProvider());
  if (!IsLoading()) PropertiesChanged(FProperties.get());
}

void TcxCustomEdit::RepositoryItemPropertiesChanged(TcxEditRepositoryItem* Item)
{
  if (!IsLoading() && !IsDestroying()) PropertiesChanged(Item->Properties());
}

void TcxCustomEdit::Notification(TComponent* AComponent, TOperation Operation)
{
  TcxCustomEditContainer::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FRepositoryItem && FRepositoryItem) SetRepositoryItem(nullptr);
}

// --- Stored forms and the parent ---

void TcxCustomEdit::Loaded()
{
  TcxCustomEditContainer::Loaded();
  // Stored anchors hold for the first layout.
  FAnchorsFromStream = true;
  LockChangeEvents(true);
  AdjustSettingValueLock(true);
  try {
    FDataBinding->EditorStateChanged();
    RefreshStateAtCursor(false);
    if (!FLinkedProperties) FProperties->SetOwnerChangeHandler(TNotifyEvent(this, &TcxCustomEdit::PropertiesChanged));
    PropertiesChanged(GetActiveProperties());
    ViewInfo()->Shadow = false;
    ContainerStyleChanged(GetStyle());
  } catch (...) {
    AdjustSettingValueLock(false);
    LockChangeEvents(false, false);
    throw;
  }
  AdjustSettingValueLock(false);
  LockChangeEvents(false, false);
}

void TcxCustomEdit::ReadState(TReader& Reader)
{
  FProperties->SetOwnerChangeHandler(TNotifyEvent());
  TcxCustomEditContainer::ReadState(Reader);
}

void TcxCustomEdit::SetName(const std::string& Value)
{
  TcxCustomEditContainer::SetName(Value);
  if (FDataBinding) FDataBinding->EditorStateChanged();
}

void TcxCustomEdit::SetParent(TWinControl* Parent)
{
  if (FPropertiesPending && Parent) {
    FPropertiesPending = false;
    FDataBinding->EditorStateChanged();
    PropertiesChanged(FProperties.get());
    FDataBinding->UpdateDisplayValue();
  }
  TcxCustomEditContainer::SetParent(Parent);
}

bool TcxCustomEdit::ExecuteAction(TBasicAction* Action)
{
  return TcxCustomEditContainer::ExecuteAction(Action) || FDataBinding->HandleExecuteAction(Action);
}

// --- Properties changes ---

void TcxCustomEdit::PropertiesChanged(TObject*)
{
  FValidated = false;
  ApplyReadOnlyToInnerEdit();
  if (FModified && IsValueReadOnly()) SetModified(false);
  if (GetActiveProperties()->Transparent()) FTransparent = true;
  CalculateAnchors();
  RefreshStateAtCursor(false);
}

void TcxCustomEdit::ApplyReadOnlyToInnerEdit()
{
  if (FInnerEdit && !IsInnerEditMissing()) FInnerEdit->SetReadOnlyControl(IsValueReadOnly());
}

bool TcxCustomEdit::IsValueReadOnly()
{
  return GetActiveProperties()->GetReadOnly() || FDataBinding->IsDataReadOnly();
}

bool TcxCustomEdit::IsInnerEditMissing() { return IsRefreshLocked() || (InnerEditClassType() && !FInnerEdit); }

bool TcxCustomEdit::IsButtonsAutoWidth() { return GetActiveProperties()->ButtonsDisplayKind() == 2; }

bool TcxCustomEdit::IsValidChar(char Ch)
{
  IcxEditDefaultValuesProvider* provider = GetActiveProperties()->DefaultValuesProvider();
  return !provider || provider->AcceptsChar(Ch) || provider->HasSetTextHandler();
}

void TcxCustomEdit::EditValueToDisplayValue(const Variant& Value, Variant& DisplayValue, bool Focused)
{
  GetActiveProperties()->EditValueToDisplayValue(Value, DisplayValue, Focused);
}

bool TcxCustomEdit::IsOwnWindow(HWND Window)
{
  if (!Window) return false;
  if (HandleAllocated() && Window == Handle()) return true;
  TWinControl* control = FindControl(Window);
  for (TWinControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return HandleAllocated() && IsChild(Handle(), Window);
}

void TcxCustomEdit::CacheContentOffsets(const TcxEditContentOffsetBlock& Block)
{
  FContentOffsetsCache = Block;
  FContentOffsetsCached = true;
}

// --- Buttons ---

void TcxCustomEdit::ClickDefaultButton()
{
  TcxEditButtons* buttons = GetActiveProperties()->Buttons();
  for (int i = 0; i < buttons->Count(); ++i)
    if (buttons->Items(i)->Default()) {
      DoButtonClick(i);
      return;
    }
}


// --- View data, view info and painting ---

TcxEditDataBindingClass TcxCustomEdit::DataBindingClassType() const { return ClassRef<TcxEditDataBinding>(); }

TcxContainerStyleClass TcxCustomEdit::GetStyleClass() const
{
  return FProperties ? TcxContainerStyleClass(FProperties->StyleClassType()) : TcxCustomEditContainer::GetStyleClass();
}

TcxContainerViewInfoClass TcxCustomEdit::GetViewInfoClass() const
{
  return FProperties ? TcxContainerViewInfoClass(FProperties->ViewInfoClassType())
                     : TcxCustomEditContainer::GetViewInfoClass();
}

bool TcxCustomEdit::IsNativeStyle()
{
  return GetActiveProperties()->ViewDataClassType()->UsesNativeEditStyle(GetStyle()->LookAndFeel());
}

TcxEditStateColorKind TcxCustomEdit::GetPainterState()
{
  TcxEditStateColorKind state = TcxCustomEditContainer::GetPainterState();
  if (state != esckDisabled && FProperties->ReadOnly()) state = esckReadOnly;
  return state;
}

TcxContainerStyleValues TcxCustomEdit::GetIgnoredStyleValues()
{
  return {svButtonStyle, svButtonTransparency, svPopupBorderStyle, svGradientButtons, svGradient, svGradientDirection};
}

TOwned<TcxCustomEditViewData> TcxCustomEdit::CreateEditViewData()
{
  auto* style = static_cast<TcxCustomEditStyle*>(GetStyle());
  TOwned<TcxCustomEditViewData> viewData = GetActiveProperties()->CreateViewData(style, FIsInplace, false);
  if (FIsInplace && FContentOffsetsCached) viewData->ContentOffsetBlock = FContentOffsetsCache;
  if (!IsInnerEditMissing()) viewData->Edit = this;
  if (HandleAllocated()) viewData->WindowHandle = Handle();
  FillViewDataState(viewData.get());
  return viewData;
}

void TcxCustomEdit::FillViewDataState(TcxCustomEditViewData* ViewData)
{
  ViewData->Enabled = Enabled();
  ViewData->Focused = Focused();
  ViewData->InnerEdit = FInnerEdit;
  ViewData->IsDesigning = IsDesigning();
}

void TcxCustomEdit::AdjustInnerEditPosition()
{
  if (TWinControl* inner = InnerControl()) {
    const RECT r = ViewInfo()->ClientRect;
    inner->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
}

bool TcxCustomEdit::DiffersFromDataValue()
{
  if (!IsStorageBound() || !ControlState().Contains(TControlStateFlag::csPaintCopy) || FModified) return false;
  Variant stored;
  FDataBinding->ReadStoredValue(stored);
  return !EditValuesEqual(FEditValue, stored);
}

void TcxCustomEdit::PaintControl()
{
  if (DiffersFromDataValue())
    DrawContentOnCanvas(Canvas());
  else
    TcxCustomEditContainer::PaintControl();
}

void TcxCustomEdit::DrawContentOnCanvas(TcxCanvas* Canvas)
{
  Variant stored;
  FDataBinding->ReadStoredValue(stored);
  TOwned<TcxCustomEditViewInfo> viewInfo(GetActiveProperties()->ViewInfoClassType().Create());
  auto viewData = CreateEditViewData();
  viewData->ApplyValueToViewInfo(Canvas, stored, viewInfo.get());
  viewData->CalculateViewInfo(Canvas, ClientRect(), false, viewInfo.get(), {}, false, POINT{-1, -1});
  viewInfo->Paint(Canvas);
  Canvas->ExcludeRectFromClip(viewInfo->Bounds);
}

bool TcxCustomEdit::HasFocusInForm()
{
  if (Focused()) return true;
  TCustomForm* form = GetParentForm();
  if (!form) return false;
  TWinControl* active = form->ActiveControl();
  return active && (active == this || active == InnerControl());
}

void TcxCustomEdit::Click()
{
  if (!IsDestroying() && FSettingValueLock == 0 && (!IsLoading() || AllowsClickWhenLocked()))
    TcxCustomEditContainer::Click();
}
