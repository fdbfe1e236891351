#include "toolkit/controls/cxStyles.h"

#include <algorithm>
#include "classlib/Filer.h"
#include "classlib/SysUtils.h"

namespace {
void InitializeUnit()
{
  RegisterClass(TcxStyle::StaticClass());
  RegisterClass(TcxStyleRepository::StaticClass());
}

void FinalizeUnit()
{
  UnRegisterClass(TcxStyleRepository::StaticClass());
  UnRegisterClass(TcxStyle::StaticClass());
}

const TUnit* const Uses[] = {&GraphicsUnit, &UnitcxClasses};

constexpr std::string_view StyleValueNames[] = {"svBitmap", "svColor", "svFont", "svTextColor"};

// Chains of followed sheets are kept free of cycles; a chain longer than this is cut short anyway.
constexpr int MaxSheetChainLength = 256;

[[noreturn]] void IndexError(int index)
{
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

// Styles and style sheets are members of a repository in the same way, each kind in its own list.
struct TcxRepositoryMembership {
  static std::vector<TcxCustomStyle*>& List(TcxStyleRepository* repository, TcxCustomStyle*)
  {
    return repository->FItems;
  }
  static std::vector<TcxCustomStyleSheet*>& List(TcxStyleRepository* repository, TcxCustomStyleSheet*)
  {
    return repository->FStyleSheets;
  }

  // Leaves the repository in Field and joins Value (once).
  template <class T>
  static void Move(T* member, TcxStyleRepository*& Field, TcxStyleRepository* Value)
  {
    if (Field == Value) return;
    if (Field) std::erase(List(Field, member), member);
    if (Value && std::ranges::find(List(Value, member), member) == List(Value, member).end())
      List(Value, member).push_back(member);
    Field = Value;
  }

  // The parent given outside loading must be a repository; after reading, the reader's parent is.
  template <class T>
  static void SetParent(T* member, TComponent* Parent)
  {
    if (!member->IsLoading()) member->SetStyleRepository(As<TcxStyleRepository>(Parent));
  }
  template <class T>
  static void AfterReading(T* member, TReader& Reader)
  {
    member->SetStyleRepository(dynamic_cast<TcxStyleRepository*>(Reader.Parent()));
  }
};

TUnit UnitcxStyles{"cxStyles", Uses, InitializeUnit, FinalizeUnit};

const TEnumInfo cxStyleValueInfo = EnumInfo<TcxStyleValue::svTextColor>("TcxStyleValue", StyleValueNames);

// --- TcxCustomStyle ---

CL_DEFINE_CLASS(TcxCustomStyle);

TcxCustomStyle::TcxCustomStyle(TComponent* Owner) : TComponent(Owner) {}

void TcxCustomStyle::BeforeDestruction()
{
  Destroying();
  // Each observer leaves the list before it is told, so that one that does not remove itself
  // cannot keep the style waiting for it.
  while (!FListeners.empty()) {
    IcxStyleObserver* observer = FListeners.back();
    FListeners.pop_back();
    observer->StyleRemoving(this);
  }
  SetStyleRepository(nullptr);
  TComponent::BeforeDestruction();
}

TComponent* TcxCustomStyle::GetParentComponent() const { return FStyleRepository; }

void TcxCustomStyle::SetParentComponent(TComponent* Parent) { TcxRepositoryMembership::SetParent(this, Parent); }

void TcxCustomStyle::ReadState(TReader& Reader)
{
  TComponent::ReadState(Reader);
  TcxRepositoryMembership::AfterReading(this, Reader);
}

void TcxCustomStyle::SetStyleRepository(TcxStyleRepository* Value)
{
  TcxRepositoryMembership::Move(this, FStyleRepository, Value);
}

void TcxCustomStyle::NotifyChanged()
{
  TWeakRef<TcxCustomStyle> self(this);
  // An observer may leave (or another one join) while it is told; only those still listening are.
  const std::vector<IcxStyleObserver*> observers = FListeners;
  for (auto it = observers.rbegin(); it != observers.rend() && self; ++it)
    if (std::find(FListeners.begin(), FListeners.end(), *it) != FListeners.end()) (*it)->StyleModified(this);
}

void TcxCustomStyle::AddChangeListener(IcxStyleObserver* Observer)
{
  if (Observer && std::find(FListeners.begin(), FListeners.end(), Observer) == FListeners.end())
    FListeners.push_back(Observer);
}

void TcxCustomStyle::RemoveChangeListener(IcxStyleObserver* Observer) { std::erase(FListeners, Observer); }

// --- TcxStyle ---

namespace {
using TS = TcxStyle;
const TPropInfo StyleProps[] = {
  OrdProp<&TS::AssignedValues, &TS::SetAssignedValues>("AssignedValues", TPropKind::Set, &cxStyleValueInfo),
  Stored<&TS::IsColorStored>(OrdProp<&TS::Color, &TS::SetColor>("Color", TPropKind::Color)),
  Stored<&TS::IsBitmapStored>(PersistentProp<&TS::Bitmap>("Bitmap")),
  Stored<&TS::IsFontStored>(PersistentProp<&TS::Font>("Font")),
  Stored<&TS::IsTextColorStored>(OrdProp<&TS::TextColor, &TS::SetTextColor>("TextColor", TPropKind::Color)),
};
}  // namespace

CL_DEFINE_CLASS(TcxStyle, .Props = StyleProps);

TcxStyle::TcxStyle(TComponent* Owner)
    : TcxCustomStyle(Owner), FBitmap(MakeOwned<TBitmap>()), FFont(MakeOwned<TFont>())
{
  FBitmap->SetOnChange(TNotifyEvent(this, &TcxStyle::BitmapChanged));
  FFont->SetOnChange(TNotifyEvent(this, &TcxStyle::FontChanged));
}

void TcxStyle::SetAssignedValues(TcxStyleValues Value)
{
  SetAndNotify(FAssignedValues, Value, [this] { NotifyChanged(); });
}

void TcxStyle::SetColorValue(TColor& Field, TColor Value, TcxStyleValue AssignedValue)
{
  SetAndNotify(Field, Value, [&] {
    FAssignedValues.IncludeIf(AssignedValue, Value != clDefault);
    NotifyChanged();
  });
}

void TcxStyle::SetColor(TColor Value) { SetColorValue(FColor, Value, TcxStyleValue::svColor); }

void TcxStyle::SetTextColor(TColor Value) { SetColorValue(FTextColor, Value, TcxStyleValue::svTextColor); }

void TcxStyle::SetBitmap(TBitmap* Value) { FBitmap->Assign(Value); }

void TcxStyle::SetFont(TFont* Value)
{
  if (Value) FFont->Assign(Value);
}

void TcxStyle::BitmapChanged(TObject* Sender)
{
  (void)Sender;
  if (FInternalChangeLock > 0) return;
  FAssignedValues.IncludeIf(TcxStyleValue::svBitmap, !FBitmap->Empty());
  NotifyChanged();
}

void TcxStyle::FontChanged(TObject* Sender)
{
  (void)Sender;
  if (FInternalChangeLock > 0) return;
  FAssignedValues.Include(TcxStyleValue::svFont);
  NotifyChanged();
}

void TcxStyle::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TcxStyle*>(Source);
  if (!source) return TcxCustomStyle::Assign(Source);
  SetBitmap(source->Bitmap());
  SetColor(source->Color());
  SetFont(source->Font());
  SetTextColor(source->TextColor());
  SetAssignedValues(source->AssignedValues());
}

void TcxStyle::ApplyScale(int M, int D)
{
  const int height = MulDiv(FFont->Height(), M, D);
  if (height == FFont->Height()) return;
  ++FInternalChangeLock;
  try {
    FFont->SetHeight(height);
  } catch (...) {
    --FInternalChangeLock;
    throw;
  }
  --FInternalChangeLock;
  NotifyChanged();
}

void TcxStyle::ResetValues()
{
  ++FInternalChangeLock;
  try {
    FBitmap->Assign(nullptr);
  } catch (...) {
    --FInternalChangeLock;
    throw;
  }
  --FInternalChangeLock;
  FAssignedValues = {};
  FColor = clDefault;
  FTextColor = clDefault;
  NotifyChanged();
}

// --- TcxStyleRepository ---

namespace {
using TSR = TcxStyleRepository;
const TPropInfo StyleRepositoryProps[] = {
  BoolProp<&TSR::Scalable, &TSR::SetScalable>("Scalable", false),
};
}  // namespace

CL_DEFINE_CLASS(TcxStyleRepository, .Props = StyleRepositoryProps);

TcxStyleRepository::TcxStyleRepository(TComponent* Owner) : TcxScalableComponent(Owner) { SetScalable(false); }

void TcxStyleRepository::BeforeDestruction()
{
  Destroying();
  // The styles and sheets may belong to the form; the repository frees them all the same.
  while (!FItems.empty()) {
    TcxCustomStyle* style = FItems.back();
    FItems.pop_back();
    style->FStyleRepository = nullptr;
    Free(style);
  }
  while (!FStyleSheets.empty()) {
    TcxCustomStyleSheet* sheet = FStyleSheets.back();
    FStyleSheets.pop_back();
    sheet->FStyleRepository = nullptr;
    Free(sheet);
  }
  TcxScalableComponent::BeforeDestruction();
}

void TcxStyleRepository::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
  for (TcxCustomStyle* style : FItems)
    if (style->Owner() == Root) Proc(style);
  for (TcxCustomStyleSheet* sheet : FStyleSheets)
    if (sheet->Owner() == Root) Proc(sheet);
}

TcxCustomStyle* TcxStyleRepository::CreateItem(TcxCustomStyleClass StyleClass) { return CreateItemEx(StyleClass, this); }

TcxCustomStyle* TcxStyleRepository::CreateItemEx(TcxCustomStyleClass StyleClass, TComponent* Owner)
{
  TcxCustomStyle* style = StyleClass.Create(Owner);
  style->SetStyleRepository(this);
  return style;
}

TcxCustomStyleSheet* TcxStyleRepository::CreateStyleSheet(TcxCustomStyleSheetClass SheetClass)
{
  return CreateStyleSheetEx(SheetClass, this);
}

TcxCustomStyleSheet* TcxStyleRepository::CreateStyleSheetEx(TcxCustomStyleSheetClass SheetClass, TComponent* Owner)
{
  TcxCustomStyleSheet* sheet = SheetClass.Create(Owner);
  sheet->SetStyleRepository(this);
  return sheet;
}

TcxCustomStyle* TcxStyleRepository::Items(int Index) const
{
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return FItems[Index];
}

TcxCustomStyleSheet* TcxStyleRepository::StyleSheets(int Index) const
{
  if (Index < 0 || Index >= StyleSheetCount()) IndexError(Index);
  return FStyleSheets[Index];
}

void TcxStyleRepository::RescaleBy(int NewDPI, int OldDPI)
{
  TcxScalableComponent::RescaleBy(NewDPI, OldDPI);
  for (TcxCustomStyle* style : std::vector<TcxCustomStyle*>(FItems)) style->ApplyScale(NewDPI, OldDPI);
}

// --- TcxCustomStyles ---

CL_DEFINE_CLASS(TcxCustomStyles);

TcxCustomStyles::TcxCustomStyles(TPersistent* Owner) : TcxInterfacedPersistent(Owner) {}

void TcxCustomStyles::BeforeDestruction()
{
  FDestroying = true;
  Clear();
  AttachStyleSheet(nullptr);
  TcxInterfacedPersistent::BeforeDestruction();
}

void TcxCustomStyles::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TcxCustomStyles*>(Source);
  if (!source) return TcxInterfacedPersistent::Assign(Source);
  AttachStyleSheet(source->StyleSheet());
}

bool TcxCustomStyles::HoldsStyle(const TcxCustomStyle* Style) const
{
  return std::any_of(FItems.begin(), FItems.end(), [Style](const TItem& item) { return item.Style == Style; });
}

void TcxCustomStyles::StyleModified(TcxCustomStyle* Style)
{
  std::vector<int> indexes;
  for (const TItem& item : FItems)
    if (item.Style == Style) indexes.push_back(item.Index);
  for (int index : indexes) NotifyValueChanged(index);
}

void TcxCustomStyles::StyleRemoving(TcxCustomStyle* Style)
{
  for (int i = ItemCount() - 1; i >= 0; --i)
    if (i < ItemCount() && FItems[i].Style == Style) Delete(i);
}

TcxStyle* TcxCustomStyles::GetValue(int Index) const
{
  const TcxCustomStyles* styles = this;
  for (int depth = 0; styles && depth < MaxSheetChainLength; ++depth) {
    for (const TItem& item : styles->FItems)
      if (item.Index == Index) return item.Style;
    styles = styles->FStyleSheet ? styles->FStyleSheet->GetStyles() : nullptr;
  }
  return nullptr;
}

void TcxCustomStyles::SetValue(int Index, TcxStyle* Value)
{
  auto it = std::find_if(FItems.begin(), FItems.end(), [Index](const TItem& item) { return item.Index == Index; });
  if (!Value) {
    if (it != FItems.end()) Delete(static_cast<int>(it - FItems.begin()));
    return;
  }
  if (it != FItems.end()) {
    if (it->Style == Value) return;
    TcxStyle* old = std::exchange(it->Style, Value);
    if (!HoldsStyle(old)) old->RemoveChangeListener(this);
  } else {
    FItems.push_back({Index, Value});
  }
  Value->AddChangeListener(this);
  NotifyValueChanged(Index);
}

void TcxCustomStyles::Delete(int I)
{
  if (I < 0 || I >= ItemCount()) IndexError(I);
  const TItem item = FItems[I];
  FItems.erase(FItems.begin() + I);
  // The same style may stand at another index too: it is watched while any index holds it.
  if (!HoldsStyle(item.Style)) item.Style->RemoveChangeListener(this);
  NotifyValueChanged(item.Index);
}

void TcxCustomStyles::Clear()
{
  while (!FItems.empty()) Delete(ItemCount() - 1);
}

void TcxCustomStyles::NotifyValueChanged(int Index)
{
  if (FDestroying) return;
  ValueChanged(Index);
  if (FOwnerStyleSheet) FOwnerStyleSheet->DoStyleChanged(Index);
}

bool TcxCustomStyles::IsStyleSheetAllowed(TcxCustomStyleSheet* Sheet) const
{
  if (!Sheet) return true;
  if (Sheet == FOwnerStyleSheet || Sheet->ResolveStylesClass() != ClassType()) return false;
  if (!FOwnerStyleSheet) return true;
  int depth = 0;
  for (const TcxCustomStyleSheet* s = Sheet; s; s = s->GetStyles()->StyleSheet())
    if (s == FOwnerStyleSheet || ++depth > MaxSheetChainLength) return false;
  return true;
}

void TcxCustomStyles::CollectIndexes(const TcxCustomStyleSheet* Sheet, std::vector<int>& Indexes)
{
  for (int depth = 0; Sheet && depth < MaxSheetChainLength; ++depth) {
    for (const TItem& item : Sheet->GetStyles()->FItems)
      if (std::find(Indexes.begin(), Indexes.end(), item.Index) == Indexes.end()) Indexes.push_back(item.Index);
    Sheet = Sheet->GetStyles()->StyleSheet();
  }
}

void TcxCustomStyles::AttachStyleSheet(TcxCustomStyleSheet* Sheet)
{
  if (Sheet == FStyleSheet || !IsStyleSheetAllowed(Sheet)) return;
  std::vector<int> indexes;
  if (FStyleSheet) {
    std::erase(FStyleSheet->FStylesList, this);
    if (!FDestroying) CollectIndexes(FStyleSheet, indexes);
  }
  FStyleSheet = Sheet;
  if (Sheet) {
    Sheet->FStylesList.push_back(this);
    CollectIndexes(Sheet, indexes);
  }
  for (int index : indexes) NotifyValueChanged(index);
}

// --- TcxCustomStyleSheet ---

namespace {
using TCSS = TcxCustomStyleSheet;
const TPropInfo StyleSheetProps[] = {
  Stored<&TCSS::IsCaptionStored>(StrProp<&TCSS::Caption, &TCSS::SetCaption>("Caption")),
};
}  // namespace

CL_DEFINE_CLASS(TcxCustomStyleSheet, .Props = StyleSheetProps);

TcxCustomStyleSheet::TcxCustomStyleSheet(TComponent* Owner) : TcxComponent(Owner) {}

void TcxCustomStyleSheet::AfterConstruction()
{
  TcxComponent::AfterConstruction();
  FStyles.reset(ResolveStylesClass().Create(this));
  FStyles->FOwnerStyleSheet = this;
  FBuiltIn = IsDesigning();
}

void TcxCustomStyleSheet::BeforeDestruction()
{
  Destroying();
  while (!FStylesList.empty()) {
    TcxCustomStyles* follower = FStylesList.back();
    follower->AttachStyleSheet(nullptr);
    std::erase(FStylesList, follower);
  }
  SetStyleRepository(nullptr);
  FStyles.reset();
  TcxComponent::BeforeDestruction();
}

TcxCustomStylesClass TcxCustomStyleSheet::ResolveStylesClass() const { return ClassRef<TcxCustomStyles>(); }

std::string TcxCustomStyleSheet::Caption() const { return FCaption.empty() ? Name() : FCaption; }

void TcxCustomStyleSheet::SetCaption(const std::string& Value)
{
  if (SameText(Value, Name()))
    FCaption.clear();
  else
    FCaption = Value;
}

void TcxCustomStyleSheet::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TcxCustomStyleSheet*>(Source);
  if (!source) return TcxComponent::Assign(Source);
  SetCaption(source->Caption());
  FStyles->Assign(source->GetStyles());
}

void TcxCustomStyleSheet::DefineProperties(TFiler& Filer)
{
  TcxComponent::DefineProperties(Filer);
  Filer.DefineProperty(
      "BuiltIn", [this](TReader& reader) { FBuiltIn = reader.ReadBoolean(); },
      [this](TWriter& writer) { writer.WriteBoolean(FBuiltIn); }, true);
}

TComponent* TcxCustomStyleSheet::GetParentComponent() const { return FStyleRepository; }

void TcxCustomStyleSheet::SetParentComponent(TComponent* Parent) { TcxRepositoryMembership::SetParent(this, Parent); }

void TcxCustomStyleSheet::ReadState(TReader& Reader)
{
  TcxComponent::ReadState(Reader);
  TcxRepositoryMembership::AfterReading(this, Reader);
}

void TcxCustomStyleSheet::SetStyleRepository(TcxStyleRepository* Value)
{
  TcxRepositoryMembership::Move(this, FStyleRepository, Value);
}

void TcxCustomStyleSheet::DoStyleChanged(int Index)
{
  const std::vector<TcxCustomStyles*> followers = FStylesList;
  for (TcxCustomStyles* follower : followers)
    if (std::find(FStylesList.begin(), FStylesList.end(), follower) != FStylesList.end())
      follower->NotifyValueChanged(Index);
  RefreshComponentLinks();
}

void TcxCustomStyleSheet::CollectLinkedComponents(std::vector<TComponent*>& List)
{
  if (!Owner() || !FStyles) return;
  for (const auto& item : FStyles->FItems) {
    TComponent* owner = item.Style->Owner();
    if (owner != Owner() && std::find(List.begin(), List.end(), owner) == List.end()) List.push_back(owner);
  }
}
