#include "toolkit/base/cxLookAndFeels.h"

#include <algorithm>
#include "classlib/Filer.h"
#include "classlib/TypInfo.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/dxOffice11.h"

namespace {
constexpr std::string_view KindNames[] = {"lfFlat", "lfStandard", "lfUltraFlat", "lfOffice11"};
constexpr std::string_view ValueNames[] = {"lfvKind", "lfvNativeStyle", "lfvSkinName"};

TcxLookAndFeel* GRoot = nullptr;
int GRootControllerCount = 0;

// --- The shared palette listener ---

TUnitObject<TcxSystemPaletteChangedListener> GPaletteListener{UnitcxLookAndFeels};
int GPaletteListenerUsers = 0;

// Calls each notifier of the list that is still attached, last attached first; notifiers that
// detach or go meanwhile are not called, and one failing does not keep the others from being told.
void NotifyLastToFirst(const std::vector<TcxSystemPaletteChangedNotifier*>& live)
{
  const std::vector<TcxSystemPaletteChangedNotifier*> snapshot(live.rbegin(), live.rend());
  for (TcxSystemPaletteChangedNotifier* notifier : snapshot)
    if (std::find(live.begin(), live.end(), notifier) != live.end())
      GuardCallback([notifier] { notifier->NotifyPaletteChanged(); });
}

bool IsController(IcxLookAndFeelObserver* observer)
{
  TObject* obj = observer->GetObserverObject();
  return obj && obj->Is<TcxLookAndFeelController>();
}
}  // namespace

const TEnumInfo cxLookAndFeelKindInfo = EnumInfo<lfOffice11>("TcxLookAndFeelKind", KindNames);
const TEnumInfo cxLookAndFeelValueInfo = EnumInfo<lfvSkinName>("TcxLookAndFeelValue", ValueNames);

TcxSkinSupportTestFunc cxSkinSupportTest = nullptr;

bool InstanceAcceptsSkins(TObject* obj)
{
  if (auto* query = Supports<IcxSkinSupportQuery>(obj)) return query->AcceptsSkins();
  return Supports<IcxSkinSupportMarker>(obj) != nullptr;
}

// --- TcxSystemPaletteChangedListener ---

CL_DEFINE_CLASS(TcxSystemPaletteChangedListener);

TcxSystemPaletteChangedListener::TcxSystemPaletteChangedListener() { AcquireOffice2003Colors(); }

TcxSystemPaletteChangedListener::~TcxSystemPaletteChangedListener() { ReleaseOffice2003Colors(); }

void TcxSystemPaletteChangedListener::Attach(TcxSystemPaletteChangedNotifier* Notifier, bool IsPrimary)
{
  Detach(Notifier);
  (IsPrimary ? FPrimaryNotifiers : FNotifiers).push_back(Notifier);
}

void TcxSystemPaletteChangedListener::Detach(TcxSystemPaletteChangedNotifier* Notifier)
{
  std::erase(FPrimaryNotifiers, Notifier);
  std::erase(FNotifiers, Notifier);
}

void TcxSystemPaletteChangedListener::NotifyAll()
{
  GuardCallback([] { RecomputeOffice2003Colors(); });
  NotifyLastToFirst(FPrimaryNotifiers);
  NotifyLastToFirst(FNotifiers);
}

void TcxSystemPaletteChangedListener::WndProc(TMessage& Message)
{
  // A notifier may free the last look-and-feel and with it this listener: its window's message is
  // a call in progress on it, so its memory stays until the message is handled.
  if (Message.Msg == WM_SYSCOLORCHANGE) NotifyAll();
  TcxMessageWindow::WndProc(Message);
}

TcxSystemPaletteChangedListener* AcquirePaletteListener()
{
  TcxSystemPaletteChangedListener* listener = GPaletteListener.Get();
  if (listener) ++GPaletteListenerUsers;
  return listener;
}

void ReleasePaletteListener()
{
  if (GPaletteListenerUsers == 0) return;
  if (--GPaletteListenerUsers == 0) GPaletteListener.Free();
}

// --- TcxSystemPaletteChangedNotifier ---

CL_DEFINE_CLASS(TcxSystemPaletteChangedNotifier);

TcxSystemPaletteChangedNotifier::TcxSystemPaletteChangedNotifier(bool IsPrimary) : FIsPrimary(IsPrimary)
{
  if (TcxSystemPaletteChangedListener* listener = AcquirePaletteListener()) {
    listener->Attach(this, IsPrimary);
    FAttached = true;
  }
}

TcxSystemPaletteChangedNotifier::~TcxSystemPaletteChangedNotifier()
{
  if (!FAttached) return;
  if (TcxSystemPaletteChangedListener* listener = GPaletteListener.Peek()) listener->Detach(this);
  ReleasePaletteListener();
}

void TcxSystemPaletteChangedNotifier::NotifyPaletteChanged()
{
  if (FOnSystemPaletteChanged) FOnSystemPaletteChanged();
}

// --- TcxLookAndFeel ---

namespace {
const TPropInfo LookAndFeelProps[] = {
  Stored<&TcxLookAndFeel::IsAssignedValuesStored>(
      OrdProp<&TcxLookAndFeel::AssignedValues, &TcxLookAndFeel::SetAssignedValues>(
          "AssignedValues", TPropKind::Set, &cxLookAndFeelValueInfo)),
  Stored<&TcxLookAndFeel::IsKindStored>(OrdProp<&TcxLookAndFeel::Kind, &TcxLookAndFeel::SetKind>(
      "Kind", TPropKind::Enumeration, &cxLookAndFeelKindInfo)),
  Stored<&TcxLookAndFeel::IsNativeStyleStored>(
      OrdProp<&TcxLookAndFeel::NativeStyle, &TcxLookAndFeel::SetNativeStyle>("NativeStyle", TPropKind::Boolean)),
  Stored<&TcxLookAndFeel::IsSkinNameStored>(StrProp<&TcxLookAndFeel::SkinName, &TcxLookAndFeel::SetSkinName>("SkinName")),
};
}  // namespace

CL_DEFINE_CLASS(TcxLookAndFeel, .Props = LookAndFeelProps);

TcxLookAndFeel::TcxLookAndFeel(TPersistent* Owner) : TcxInterfacedPersistent(Owner) { FCurrentState = FData; }

TcxLookAndFeel::~TcxLookAndFeel() = default;

void TcxLookAndFeel::AfterConstruction()
{
  TcxInterfacedPersistent::AfterConstruction();
  FPaletteNotifier = MakeOwned<TcxSystemPaletteChangedNotifier>(false);
  FPaletteNotifier->SetOnSystemPaletteChanged(TcxSystemPaletteChangedEvent(this, &TcxLookAndFeel::PaletteChanged));
  if (GRoot) {
    GRoot->AttachListener(this);
    RefreshEffectiveState();
  }
  RefreshPainter();
}

void TcxLookAndFeel::BeforeDestruction()
{
  FPaletteNotifier.reset();
  FIsDestroying = true;
  NotifyListeners([this](IcxLookAndFeelObserver* listener) { listener->MasterDestroying(this); }, false);
  FListeners.clear();
  if (TcxLookAndFeel* master = GetMasterOrRoot()) master->DetachListener(this);
  FMaster = nullptr;
  if (FIsRoot && GRoot == this) {
    GRoot = nullptr;
    GRootControllerCount = 0;
  }
  TcxInterfacedPersistent::BeforeDestruction();
}

void TcxLookAndFeel::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TcxLookAndFeel*>(Source);
  if (!source) return TcxInterfacedPersistent::Assign(Source);
  if (source == this) return;
  const TcxLookAndFeelData remembered = FCurrentState;
  FData = source->FData;
  FAssignedValues = source->FAssignedValues;
  ChangeMaster(source->FMaster);
  ApplyDifferences(remembered);
}

void TcxLookAndFeel::DefineProperties(TFiler& Filer)
{
  TcxInterfacedPersistent::DefineProperties(Filer);
  Filer.DefineProperty(
      "SkinName", [this](TReader& reader) { SetSkinName(reader.ReadString()); },
      [this](TWriter& writer) { writer.WriteString(FData.SkinName); },
      IsSkinNameStored() && FData.SkinName.empty());
}

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind Value)
{
  FAssignedValues.Include(lfvKind);
  FData.Kind = Value;
  if (GetEffectiveKind() != FCurrentState.Kind) ApplyChanges({lfvKind});
}

void TcxLookAndFeel::SetNativeStyle(bool Value)
{
  FAssignedValues.Include(lfvNativeStyle);
  FData.NativeStyle = Value;
  if (GetEffectiveNativeStyle() != FCurrentState.NativeStyle) ApplyChanges({lfvNativeStyle});
}

void TcxLookAndFeel::SetSkinName(const TdxSkinName& Value)
{
  FAssignedValues.Include(lfvSkinName);
  FData.SkinName = Value;
  if (GetEffectiveSkinName() != FCurrentState.SkinName) ApplyChanges({lfvSkinName});
}

void TcxLookAndFeel::SetAssignedValues(TcxLookAndFeelValues Value)
{
  if (Value == FAssignedValues) return;
  const TcxLookAndFeelData remembered = FCurrentState;
  FAssignedValues = Value;
  ApplyDifferences(remembered);
}

void TcxLookAndFeel::SetMaster(TcxLookAndFeel* Value)
{
  if (Value == this || (Value && Value == GRoot) || (Value ? Value : GRoot) == GetMasterOrRoot()) return;
  const TcxLookAndFeelData remembered = FCurrentState;
  ChangeMaster(Value);
  ApplyDifferences(remembered);
}

void TcxLookAndFeel::ChangeMaster(TcxLookAndFeel* Value)
{
  if (Value == this || Value == GRoot) Value = nullptr;
  // A master that follows this look-and-feel would make the effective values depend on themselves.
  for (TcxLookAndFeel* m = Value; m; m = m->FMaster)
    if (m == this) return;
  if (TcxLookAndFeel* old = GetMasterOrRoot()) old->DetachListener(this);
  FMaster = Value;
  if (TcxLookAndFeel* master = GetMasterOrRoot()) master->AttachListener(this);
}

TcxLookAndFeel* TcxLookAndFeel::GetMasterOrRoot() const
{
  if (FMaster) return FMaster;
  return FIsRoot ? nullptr : GRoot;
}

void TcxLookAndFeel::AttachListener(TObject* Listener)
{
  auto* observer = Supports<IcxLookAndFeelObserver>(Listener);
  if (!observer || FIsDestroying) return;
  DropFreedListeners();
  if (IsListening(observer)) return;
  if (IsController(observer)) {
    if (!FIsRoot) return;
    ++GRootControllerCount;
  }
  FListeners.push_back({observer, TWeakRef<TObject>(observer->GetObserverObject())});
}

void TcxLookAndFeel::DetachListener(TObject* Listener)
{
  auto* observer = Supports<IcxLookAndFeelObserver>(Listener);
  if (!observer || FIsDestroying) return;
  // Found by address: a listener detaching while it is being freed no longer has a live reference.
  const size_t removed =
      std::erase_if(FListeners, [observer](const TListener& l) { return l.Observer == observer; });
  DropFreedListeners();
  if (removed == 0) return;
  if (FIsRoot && IsController(observer) && GRootControllerCount > 0 && --GRootControllerCount == 0)
    ResetAssignedValues();
}

int TcxLookAndFeel::ListenerCount() const
{
  return static_cast<int>(std::count_if(FListeners.begin(), FListeners.end(),
                                        [](const TListener& l) { return static_cast<bool>(l.Object); }));
}

bool TcxLookAndFeel::IsListening(const IcxLookAndFeelObserver* Observer) const
{
  return std::any_of(FListeners.begin(), FListeners.end(),
                     [Observer](const TListener& l) { return l.Observer == Observer && l.Object; });
}

void TcxLookAndFeel::DropFreedListeners()
{
  std::erase_if(FListeners, [](const TListener& l) { return !l.Object; });
}

void TcxLookAndFeel::NotifyListeners(const std::function<void(IcxLookAndFeelObserver*)>& Notify, bool StopWhenFreed)
{
  const TWeakRef<TcxLookAndFeel> self(this);
  std::vector<IcxLookAndFeelObserver*> listeners;
  for (const TListener& l : FListeners)
    if (l.Object) listeners.push_back(l.Observer);
  for (IcxLookAndFeelObserver* listener : listeners) {
    if (StopWhenFreed && !self) return;
    if (IsListening(listener)) Notify(listener);
  }
}

void TcxLookAndFeel::NotifyAllChanged() { ApplyChanges(cxLookAndFeelAllValues); }

void TcxLookAndFeel::ApplyPainterStyle(TcxPainterStyle Style)
{
  SetNativeStyle(Style == cpsNative);
  if (Style == cpsNative) return;
  switch (Style) {
  case cpsFlat: SetKind(lfFlat); break;
  case cpsStandard: SetKind(lfStandard); break;
  case cpsOffice11: SetKind(lfOffice11); break;
  default: SetKind(lfUltraFlat); break;  // cpsUltraFlat and cpsSkin
  }
}

TcxPainterStyle TcxLookAndFeel::CurrentPainterStyle() const
{
  if (FCurrentState.NativeStyle && AreThemesAvailable()) return cpsNative;
  if (FSkinPainter) return cpsSkin;
  return PainterStyleOfKind(FCurrentState.Kind);
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::Painter()
{
  // A painter unregistered (or a registry freed) since it was chosen is chosen again.
  if (!FPainter) RefreshPainter();
  return FPainter.Get();
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::GetPainterForThemePart(TdxThemedObjectType ThemedObjectType)
{
  return ChoosePainter({ThemedObjectType});
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::ChoosePainter(TdxThemedObjectTypes Types) const
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  if (!manager) return nullptr;
  if (FCurrentState.NativeStyle && AreThemesAvailable(Types)) return manager->GetPainterByStyle(cpsNative);
  if (TcxCustomLookAndFeelPainter* skin = FSkinPainter.Get()) return skin;
  return manager->GetPainterByStyle(CurrentPainterStyle());
}

void TcxLookAndFeel::MasterValuesChanged(TcxLookAndFeel*, TcxLookAndFeelValues ChangedValues)
{
  ApplyChanges(ChangedValues - FAssignedValues);
}

void TcxLookAndFeel::MasterDestroying(TcxLookAndFeel* Sender)
{
  if (Sender == FMaster) SetMaster(nullptr);
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::FindSkinPainter(std::string_view Name) const
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  if (Name.empty() || !manager) return nullptr;
  return manager->GetPainterByName(Name);
}

void TcxLookAndFeel::RefreshEffectiveState()
{
  FCurrentState = {GetEffectiveKind(), GetEffectiveNativeStyle(), GetEffectiveSkinName()};
  FSkinPainter = FCurrentState.NativeStyle ? nullptr : GetEffectiveSkinPainter();
}

void TcxLookAndFeel::RefreshPainter() { FPainter = ChoosePainter({}); }

TcxLookAndFeelKind TcxLookAndFeel::GetEffectiveKind() const
{
  if (FAssignedValues.Contains(lfvKind)) return FData.Kind;
  TcxLookAndFeel* master = GetMasterOrRoot();
  return master ? master->Kind() : lfUltraFlat;
}

bool TcxLookAndFeel::GetEffectiveNativeStyle() const
{
  if (FAssignedValues.Contains(lfvNativeStyle)) return FData.NativeStyle;
  TcxLookAndFeel* master = GetMasterOrRoot();
  return master ? master->NativeStyle() : false;
}

TdxSkinName TcxLookAndFeel::GetEffectiveSkinName() const
{
  if (FAssignedValues.Contains(lfvSkinName)) return FData.SkinName;
  TcxLookAndFeel* master = GetMasterOrRoot();
  return master ? master->SkinName() : TdxSkinName();
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::GetEffectiveSkinPainter() const
{
  if (FAssignedValues.Contains(lfvSkinName)) return FindSkinPainter(FData.SkinName);
  TcxLookAndFeel* master = GetMasterOrRoot();
  return master ? FindSkinPainter(master->SkinName()) : nullptr;
}

void TcxLookAndFeel::PaletteChanged() { ApplyChanges({lfvNativeStyle}); }

void TcxLookAndFeel::ApplyChanges(TcxLookAndFeelValues ChangedValues)
{
  if (FIsDestroying || ChangedValues.Empty()) return;
  RefreshEffectiveState();
  RefreshPainter();
  // A listener may detach itself, or others, or free this look-and-feel: each listener still
  // listening is told once, and nothing more happens once this one is going (it stays whole until
  // this call ends).
  const TObjectCall call(this);
  const TWeakRef<TcxLookAndFeel> self(this);
  NotifyListeners([&](IcxLookAndFeelObserver* listener) { listener->MasterValuesChanged(this, ChangedValues); },
                  true);
  if (self && FOnChanged) FOnChanged(this, ChangedValues);
}

void TcxLookAndFeel::ApplyDifferences(const TcxLookAndFeelData& Remembered)
{
  TcxLookAndFeelValues changed;
  if (GetEffectiveKind() != Remembered.Kind) changed.Include(lfvKind);
  if (GetEffectiveNativeStyle() != Remembered.NativeStyle) changed.Include(lfvNativeStyle);
  if (GetEffectiveSkinName() != Remembered.SkinName) changed.Include(lfvSkinName);
  ApplyChanges(changed);
}

void TcxLookAndFeel::MarkAsRoot() { FIsRoot = true; }

TcxLookAndFeel* GetRootLookAndFeel() { return GRoot; }

// --- TcxLookAndFeelController ---

namespace {
const TPropInfo ControllerProps[] = {
  OrdProp<&TcxLookAndFeelController::Kind, &TcxLookAndFeelController::SetKind>("Kind", TPropKind::Enumeration,
                                                                                &cxLookAndFeelKindInfo),
  OrdProp<&TcxLookAndFeelController::NativeStyle, &TcxLookAndFeelController::SetNativeStyle>("NativeStyle",
                                                                                            TPropKind::Boolean),
  Stored<&TcxLookAndFeelController::IsSkinNameStored>(
      StrProp<&TcxLookAndFeelController::SkinName, &TcxLookAndFeelController::SetSkinName>("SkinName")),
};
}  // namespace

CL_DEFINE_CLASS(TcxLookAndFeelController, .Props = ControllerProps);

TcxLookAndFeelController::TcxLookAndFeelController(TComponent* Owner) : TComponent(Owner) {}

void TcxLookAndFeelController::AfterConstruction()
{
  TComponent::AfterConstruction();
  if (GRoot) GRoot->AttachListener(this);
}

void TcxLookAndFeelController::BeforeDestruction()
{
  if (GRoot) GRoot->DetachListener(this);
  TComponent::BeforeDestruction();
}

TcxLookAndFeelKind TcxLookAndFeelController::Kind() const { return GRoot ? GRoot->Kind() : lfUltraFlat; }

void TcxLookAndFeelController::SetKind(TcxLookAndFeelKind Value)
{
  if (GRoot) GRoot->SetKind(Value);
}

bool TcxLookAndFeelController::NativeStyle() const { return GRoot ? GRoot->NativeStyle() : false; }

void TcxLookAndFeelController::SetNativeStyle(bool Value)
{
  if (GRoot) GRoot->SetNativeStyle(Value);
}

TdxSkinName TcxLookAndFeelController::SkinName() const { return GRoot ? GRoot->SkinName() : TdxSkinName(); }

void TcxLookAndFeelController::SetSkinName(const TdxSkinName& Value)
{
  if (GRoot) GRoot->SetSkinName(Value);
}

void TcxLookAndFeelController::MasterValuesChanged(TcxLookAndFeel*, TcxLookAndFeelValues) { Changed(); }

void TcxLookAndFeelController::MasterDestroying(TcxLookAndFeel*) {}

void TcxLookAndFeelController::Changed()
{
  if (IsDesigning()) NotifyFormDesigner();
}

void TcxLookAndFeelController::NotifyFormDesigner() {}

void TcxLookAndFeelController::ResetToDefaults()
{
  SetKind(lfUltraFlat);
  SetNativeStyle(false);
  SetSkinName({});
}

// --- The unit ---

void InitializeLookAndFeelsUnit()
{
  RegisterClass(TcxLookAndFeelController::StaticClass());
  TcxLookAndFeel* root = New<TcxLookAndFeel>(nullptr);
  root->MarkAsRoot();
  GRoot = root;
  cxSkinSupportTest = InstanceAcceptsSkins;
}

namespace {
void FinalizeUnit()
{
  cxSkinSupportTest = nullptr;
  Free(GRoot);
  GRoot = nullptr;
  GRootControllerCount = 0;
  UnRegisterClass(TcxLookAndFeelController::StaticClass());
}

const TUnit* const Uses[] = {&UnitcxClasses, &UnitdxThemeManager, &UnitdxOffice11};
}  // namespace

TUnit UnitcxLookAndFeels{"cxLookAndFeels", Uses, InitializeLookAndFeelsUnit, FinalizeUnit};
