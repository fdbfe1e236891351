#include "toolkit/controls/cxContainerStyle.h"

#include "classlib/Filer.h"
#include "classlib/SysUtils.h"
#include "toolkit/controls/cxContainerPopupWindow.h"
#include "toolkit/controls/cxContainerStyleController.h"
#include "toolkit/base/dxHooks.h"

namespace {
const TUnit* const Uses[] = {&UnitcxClasses, &UnitcxLookAndFeels, &UnitdxHooks};

constexpr std::string_view BorderStyleNames[] = {"cbsNone", "cbsSingle",    "cbsThick",   "cbsFlat",
                                                 "cbs3D",   "cbsUltraFlat", "cbsOffice11"};
constexpr std::string_view BorderNames[] = {"bLeft", "bTop", "bRight", "bBottom"};
constexpr std::string_view StyleValueNames[] = {"svBorderColor", "svBorderStyle", "svColor",     "svEdges",
                                                "svFont",        "svHotTrack",    "svShadow",    "svTextColor",
                                                "svTextStyle",   "svTransparentBorder"};
// The names the values are published under.
constexpr std::string_view ValuePropertyNames[] = {"BorderColor", "BorderStyle", "Color",     "Edges",
                                                   "Font",        "HotTrack",    "Shadow",    "TextColor",
                                                   "TextStyle",   "TransparentBorder"};
static_assert(std::size(ValuePropertyNames) == cxContainerStyleValueCount);

constexpr int BorderStyleCount = static_cast<int>(cbsOffice11) + 1;

// The border style of a root style for each look-and-feel kind.
constexpr TcxContainerBorderStyle BorderStyleOfKind[] = {cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11};

// The border style a style of each state shows for each border style of its root, when hot
// tracking is on or the state is disabled; otherwise the root's border style holds.
constexpr TcxContainerBorderStyle StateBorderStyles[cxContainerStateCount][BorderStyleCount] = {
  {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11},    // normal
  {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11},       // focused
  {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11},    // disabled
  {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11},       // hot
};

// Controller cycles are refused when linking; a chain longer than this is taken for one anyway.
constexpr int MaxChainLength = 256;

// The root font changes without that counting as assigning it.
class TFontAssignedLock {
public:
  explicit TFontAssignedLock(int& Lock) : FLock(Lock) { ++FLock; }
  ~TFontAssignedLock() { --FLock; }
  TFontAssignedLock(const TFontAssignedLock&) = delete;
  TFontAssignedLock& operator=(const TFontAssignedLock&) = delete;

private:
  int& FLock;
};

class TStyleUpdate {
public:
  explicit TStyleUpdate(TcxContainerStyle* Style) : FStyle(Style) { FStyle->BeginUpdate(); }
  ~TStyleUpdate() { FStyle->EndUpdate(); }
  TStyleUpdate(const TStyleUpdate&) = delete;
  TStyleUpdate& operator=(const TStyleUpdate&) = delete;

private:
  TcxContainerStyle* FStyle;
};

constexpr TPropInfo NotStored(TPropInfo p)
{
  p.Stored = [](const TObject*) { return false; };
  return p;
}

using TCS = TcxContainerStyle;
template <TcxContainerStyleValue V>
constexpr TPropInfo StoredValue(TPropInfo p)
{
  return Stored<&TCS::IsValueStored<V>>(p);
}
}  // namespace

// The popup-closing hooks stay installed while the unit runs.
TUnit UnitcxContainer{"cxContainer", Uses, InstallPopupHooks, UninstallPopupHooks};

const TEnumInfo cxContainerBorderStyleInfo = EnumInfo<cbsOffice11>("TcxContainerBorderStyle", BorderStyleNames);
const TEnumInfo cxBorderInfo = EnumInfo<TcxBorder::bBottom>("TcxBorder", BorderNames);
const TEnumInfo cxContainerStyleValueInfo = EnumInfo<svTransparentBorder>("TcxContainerStyleValue", StyleValueNames);

namespace {
const TPropInfo ContainerStyleProps[] = {
  NotStored(OrdProp<&TCS::AssignedValues, &TCS::SetAssignedValues>("AssignedValues", TPropKind::Set,
                                                                   &cxContainerStyleValueInfo)),
  StoredValue<svBorderColor>(OrdProp<&TCS::BorderColor, &TCS::SetBorderColor>("BorderColor", TPropKind::Color)),
  StoredValue<svBorderStyle>(OrdProp<&TCS::BorderStyle, &TCS::SetBorderStyle>(
      "BorderStyle", TPropKind::Enumeration, &cxContainerBorderStyleInfo)),
  StoredValue<svColor>(OrdProp<&TCS::Color, &TCS::SetColor>("Color", TPropKind::Color)),
  StoredValue<svEdges>(OrdProp<&TCS::Edges, &TCS::SetEdges>("Edges", TPropKind::Set, &cxBorderInfo)),
  StoredValue<svFont>(PersistentProp<&TCS::Font>("Font")),
  StoredValue<svHotTrack>(OrdProp<&TCS::HotTrack, &TCS::SetHotTrack>("HotTrack", TPropKind::Boolean)),
  PersistentProp<&TCS::LookAndFeel>("LookAndFeel"),
  StoredValue<svShadow>(OrdProp<&TCS::Shadow, &TCS::SetShadow>("Shadow", TPropKind::Boolean)),
  Stored<&TCS::IsStyleControllerStored>(
      ComponentProp<&TCS::StyleController, &TCS::SetStyleController>("StyleController")),
  StoredValue<svTextColor>(OrdProp<&TCS::TextColor, &TCS::SetTextColor>("TextColor", TPropKind::Color)),
  StoredValue<svTextStyle>(
      OrdProp<&TCS::TextStyle, &TCS::SetTextStyle>("TextStyle", TPropKind::Set, &FontStyleInfo)),
  StoredValue<svTransparentBorder>(
      OrdProp<&TCS::TransparentBorder, &TCS::SetTransparentBorder>("TransparentBorder", TPropKind::Boolean)),
};
}  // namespace

CL_DEFINE_CLASS(TcxContainerStyle, .Props = ContainerStyleProps);

TcxContainerStyle::TcxContainerStyle(TPersistent* Owner, bool DirectAccessMode, TcxContainerStyle* ParentStyle,
                                     TcxContainerStateItem State)
    : TcxInterfacedPersistent(Owner), FDirectAccessMode(DirectAccessMode), FState(State)
{
  if (State != TcxContainerStateItem::csNormal) FParentStyle = ParentStyle;
  if (DirectAccessMode) FAssignedValues = {svColor, svFont, svTextColor, svTextStyle};
  if (IsBaseStyle() && !DirectAccessMode) {
    FOwnFont = MakeOwned<TFont>();
    FOwnFont->SetOnChange(TNotifyEvent(this, &TcxContainerStyle::HandleFontChange));
    FFont = FOwnFont.get();
  }
  FVisibleFont = MakeOwned<TFont>();
}

TcxContainerStyle::~TcxContainerStyle() = default;

void TcxContainerStyle::AfterConstruction()
{
  TcxInterfacedPersistent::AfterConstruction();
  if (!IsBaseStyle()) return;
  FLookAndFeel = MakeOwned<TcxLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent(this, &TcxContainerStyle::LookAndFeelChanged));
  SetStyleController(GetStandardStyleController());
}

void TcxContainerStyle::BeforeDestruction()
{
  FIsDestroying = true;
  if (IsBaseStyle() && FStyleController) {
    TcxStyleController* controller = FStyleController;
    FStyleController = nullptr;
    controller->RemoveStyleListener(this);
  }
  TcxInterfacedPersistent::BeforeDestruction();
}

// --- Resolution of values ---

TcxContainerStyle* TcxContainerStyle::GetRootStyle() const
{
  return FParentStyle ? FParentStyle : const_cast<TcxContainerStyle*>(this);
}

TcxStyleController* TcxContainerStyle::GetEffectiveStyleController() const { return GetRootStyle()->FStyleController; }

const TcxContainerStyle* TcxContainerStyle::FindAssigningStyle(TcxContainerStyleValue Value) const
{
  const TcxContainerStyle* style = GetUnpublishedStyleValues().Contains(Value) ? GetRootStyle() : this;
  for (int depth = 0; style && depth < MaxChainLength; ++depth) {
    if (style->FAssignedValues.Contains(Value)) return style;
    TcxStyleController* controller = style->GetEffectiveStyleController();
    style = controller ? controller->GetStateStyle(style->FState) : nullptr;
  }
  return nullptr;
}

template <class T>
T TcxContainerStyle::EffectiveValue(TcxContainerStyleValue Value, T TcxContainerStyle::*Field,
                                    T (TcxContainerStyle::*Standard)() const) const
{
  if (const TcxContainerStyle* style = FindAssigningStyle(Value)) return style->*Field;
  return (this->*Standard)();
}

TControl* TcxContainerStyle::OwningContainer() const
{
  auto* control = dynamic_cast<TControl*>(GetOwner());
  return Supports<IcxContainerStyleOwner>(control) ? control : nullptr;
}

IcxContainerStyleOwner* TcxContainerStyle::OwnerContainer() const
{
  return Supports<IcxContainerStyleOwner>(dynamic_cast<TControl*>(GetOwner()));
}

bool TcxContainerStyle::HasParentColorDefault() const
{
  IcxContainerStyleOwner* container = OwnerContainer();
  return !container || container->IsParentColorDefault();
}

bool TcxContainerStyle::TakesParentColor(TColor& Color) const
{
  if (!IsBaseStyle()) return false;
  TControl* container = OwningContainer();
  if (!container || !container->ParentColor() || !container->Parent()) return false;
  Color = container->Parent()->Color();
  return true;
}

TColor TcxContainerStyle::BorderColor() const
{
  if (FDirectAccessMode) return clDefault;
  return EffectiveValue(svBorderColor, &TcxContainerStyle::FBorderColor, &TcxContainerStyle::StandardBorderColor);
}

TcxContainerBorderStyle TcxContainerStyle::BorderStyle() const
{
  if (FDirectAccessMode)
    return FAssignedValues.Contains(svBorderStyle) ? FBorderStyle : StandardBorderStyle();
  return EffectiveValue(svBorderStyle, &TcxContainerStyle::FBorderStyle, &TcxContainerStyle::StandardBorderStyle);
}

TColor TcxContainerStyle::GetColor() const
{
  if (FDirectAccessMode) return FColor;
  TColor parentColor;
  if (TakesParentColor(parentColor)) return parentColor;
  return EffectiveValue(svColor, &TcxContainerStyle::FColor, &TcxContainerStyle::StandardColor);
}

TColor TcxContainerStyle::GetVisibleColor() const
{
  if (FDirectAccessMode) return FColor;
  if (const TcxContainerStyle* style = FindAssigningStyle(svColor)) return style->FColor;
  TColor parentColor;
  if (TakesParentColor(parentColor) && !OwnerContainer()->IsInplace()) return parentColor;
  return StandardColor();
}

TcxBorders TcxContainerStyle::Edges() const
{
  if (!IsBaseStyle()) return FParentStyle->Edges();
  if (FDirectAccessMode) return {};
  return EffectiveValue(svEdges, &TcxContainerStyle::FEdges, &TcxContainerStyle::StandardEdges);
}

TFont* TcxContainerStyle::Font() const { return GetRootStyle()->FFont; }

bool TcxContainerStyle::HotTrack() const
{
  if (!IsBaseStyle()) return FParentStyle->HotTrack();
  if (FDirectAccessMode) return FAssignedValues.Contains(svHotTrack) ? FHotTrack : StandardHotTrack();
  return EffectiveValue(svHotTrack, &TcxContainerStyle::FHotTrack, &TcxContainerStyle::StandardHotTrack);
}

bool TcxContainerStyle::Shadow() const
{
  if (!IsBaseStyle()) return FParentStyle->Shadow();
  if (FDirectAccessMode) return false;
  return EffectiveValue(svShadow, &TcxContainerStyle::FShadow, &TcxContainerStyle::StandardShadow);
}

TColor TcxContainerStyle::GetTextColor() const
{
  if (FDirectAccessMode) return FTextColor;
  return EffectiveValue(svTextColor, &TcxContainerStyle::FTextColor, &TcxContainerStyle::StandardTextColor);
}

TFontStyles TcxContainerStyle::GetTextStyle() const
{
  if (FDirectAccessMode) return FFont ? FFont->Style() : TFontStyles();
  return EffectiveValue(svTextStyle, &TcxContainerStyle::FTextStyle, &TcxContainerStyle::StandardTextStyle);
}

bool TcxContainerStyle::TransparentBorder() const
{
  if (!IsBaseStyle()) return FParentStyle->TransparentBorder();
  if (FDirectAccessMode) return true;
  return EffectiveValue(svTransparentBorder, &TcxContainerStyle::FTransparentBorder,
                        &TcxContainerStyle::StandardTransparentBorder);
}

TcxLookAndFeel* TcxContainerStyle::LookAndFeel() const { return GetRootStyle()->FLookAndFeel.get(); }

TcxStyleController* TcxContainerStyle::StyleController() const
{
  const TcxContainerStyle* root = GetRootStyle();
  return root->FStyleController == root->GetStandardStyleController() ? nullptr : root->FStyleController;
}

TcxContainerStyleValues TcxContainerStyle::AssignedValues() const
{
  if (!FDirectAccessMode) return FAssignedValues;
  TcxContainerStyleValues all;
  for (int value = 0; value < GetValueCount(); ++value) all.Include(value);
  return all;
}

bool TcxContainerStyle::IsValueAssigned(TcxContainerStyleValue Value) const
{
  if (FDirectAccessMode) return AssignedValues().Contains(Value);
  return FindAssigningStyle(Value) != nullptr;
}

// --- Standard values ---

TColor TcxContainerStyle::StandardBorderColor() const
{
  if (FState == TcxContainerStateItem::csDisabled) return clBtnShadow;
  if (IsBaseStyle()) return clWindowFrame;
  return FParentStyle->BorderColor();
}

TcxContainerBorderStyle TcxContainerStyle::StandardBorderStyle() const
{
  if (IsBaseStyle()) return BorderStyleOfKind[static_cast<int>(LookAndFeel()->Kind())];
  const auto row = HotTrack() || FState == TcxContainerStateItem::csDisabled ? FState : TcxContainerStateItem::csNormal;
  return StateBorderStyles[static_cast<int>(row)][static_cast<int>(FParentStyle->BorderStyle())];
}

TColor TcxContainerStyle::StandardColor() const
{
  const bool parentColorDefault = HasParentColorDefault();
  if (IsBaseStyle()) return parentColorDefault ? clBtnFace : clWindow;
  if (FState == TcxContainerStateItem::csDisabled && !parentColorDefault) return clBtnFace;
  return FParentStyle->GetColor();
}

TcxBorders TcxContainerStyle::StandardEdges() const { return cxBordersAll; }

bool TcxContainerStyle::StandardHotTrack() const { return true; }

bool TcxContainerStyle::StandardShadow() const { return false; }

TColor TcxContainerStyle::StandardTextColor() const
{
  if (FState == TcxContainerStateItem::csDisabled) return clBtnShadow;
  if (IsBaseStyle()) return FFont ? FFont->Color() : clWindowText;
  return FParentStyle->GetTextColor();
}

TFontStyles TcxContainerStyle::StandardTextStyle() const
{
  if (IsBaseStyle()) return FFont ? FFont->Style() : TFontStyles();
  return FParentStyle->GetTextStyle();
}

bool TcxContainerStyle::StandardTransparentBorder() const { return true; }

TcxStyleController* TcxContainerStyle::GetStandardStyleController() const
{
  return GetDefaultContainerStyleController();
}

// --- Setters ---

template <class T>
void TcxContainerStyle::SetStoredValue(TcxContainerStyleValue Value, T& Field, const T& NewValue)
{
  if (FAssignedValues.Contains(Value) && Field == NewValue) return;
  Field = NewValue;
  FAssignedValues.Include(Value);
  Changed();
}

template <class T>
void TcxContainerStyle::SetRootValue(TcxContainerStyleValue Value, T TcxContainerStyle::*Field, const T& NewValue)
{
  TcxContainerStyle* root = GetRootStyle();
  root->SetStoredValue(Value, root->*Field, NewValue);
}

void TcxContainerStyle::SetBorderColor(TColor Value) { SetStoredValue(svBorderColor, FBorderColor, Value); }

void TcxContainerStyle::SetBorderStyle(TcxContainerBorderStyle Value) { SetStoredValue(svBorderStyle, FBorderStyle, Value); }

void TcxContainerStyle::SetColor(TColor Value) { SetStoredValue(svColor, FColor, Value); }

void TcxContainerStyle::SetEdges(TcxBorders Value) { SetRootValue(svEdges, &TcxContainerStyle::FEdges, Value); }

void TcxContainerStyle::SetHotTrack(bool Value) { SetRootValue(svHotTrack, &TcxContainerStyle::FHotTrack, Value); }

void TcxContainerStyle::SetShadow(bool Value) { SetRootValue(svShadow, &TcxContainerStyle::FShadow, Value); }

void TcxContainerStyle::SetTransparentBorder(bool Value) { SetRootValue(svTransparentBorder, &TcxContainerStyle::FTransparentBorder, Value); }

void TcxContainerStyle::SetTextColor(TColor Value)
{
  if (FAssignedValues.Contains(svTextColor) && GetTextColor() == Value) return;
  FTextColor = Value;
  FAssignedValues.Include(svTextColor);
  Changed();
}

void TcxContainerStyle::SetTextStyle(TFontStyles Value)
{
  if (FAssignedValues.Contains(svTextStyle) && GetTextStyle() == Value) return;
  FTextStyle = Value;
  FAssignedValues.Include(svTextStyle);
  Changed();
}

void TcxContainerStyle::SetFont(TFont* Value)
{
  if (!IsBaseStyle()) return FParentStyle->SetFont(Value);
  if (FDirectAccessMode) {
    FFont = Value;
    FAssignedValues.Include(svFont);
    return;
  }
  if (!Value) return;
  TStyleUpdate update(this);
  FFont->Assign(Value);
  FAssignedValues.Include(svFont);
  Changed();
}

void TcxContainerStyle::SetLookAndFeel(TcxLookAndFeel* Value)
{
  TcxLookAndFeel* own = LookAndFeel();
  if (Value && own && Value != own) own->Assign(Value);
}

void TcxContainerStyle::SetStyleController(TcxStyleController* Value)
{
  if (!IsBaseStyle()) return FParentStyle->SetStyleController(Value);
  TcxStyleController* standard = GetStandardStyleController();
  // The default controller's own styles never link to it.
  if (standard && GetOwner() == standard) return;
  if (!Value) Value = standard;
  if (Value && LeadsBackToThis(Value)) return;
  if (Value == FStyleController) return;
  ChangeStyleController(Value);
}

bool TcxContainerStyle::LeadsBackToThis(TcxStyleController* Controller) const
{
  for (int depth = 0; Controller; ++depth) {
    if (depth == MaxChainLength) return true;
    TcxContainerStyle* normal = Controller->GetNormalStyle();
    if (!normal) return false;
    if (normal == this) return true;
    Controller = normal->FStyleController;
  }
  return false;
}

void TcxContainerStyle::ChangeStyleController(TcxStyleController* Value)
{
  if (Value == FStyleController) return;
  if (FStyleController) FStyleController->RemoveStyleListener(this);
  FStyleController = Value;
  if (Value) Value->AddStyleListener(this);
  StyleControllerChanged(Value);
}

void TcxContainerStyle::StyleControllerChanged(TcxStyleController* Controller)
{
  (void)Controller;
  UpdateFont();
  Changed();
}

void TcxContainerStyle::StyleControllerFreed(TcxStyleController* Controller)
{
  if (!IsBaseStyle() || FStyleController != Controller) return;
  // Back to the standard controller, unless that is the one going or it cannot be linked to.
  TcxStyleController* standard = GetStandardStyleController();
  if (standard == Controller || (standard && (GetOwner() == standard || LeadsBackToThis(standard))))
    standard = nullptr;
  ChangeStyleController(standard);
}

void TcxContainerStyle::SetAssignedValues(TcxContainerStyleValues Value)
{
  SetAndNotify(FAssignedValues, Value, [this] {
    if (IsBaseStyle()) UpdateFont();
    Changed();
  });
}

// --- Font ---

void TcxContainerStyle::HandleFontChange(TObject* Sender)
{
  (void)Sender;
  if (FFontAssignedLock == 0) FAssignedValues.Include(svFont);
  Changed();
}

void TcxContainerStyle::SetFontUnassigned(TFont* Value)
{
  TFontAssignedLock lock(FFontAssignedLock);
  FFont->Assign(Value);
}

void TcxContainerStyle::UpdateFont()
{
  if (!IsBaseStyle()) return FParentStyle->UpdateFont();
  if (FDirectAccessMode || !FFont || FAssignedValues.Contains(svFont)) return;
  if (const TcxContainerStyle* source = FindAssigningStyle(svFont)) {
    SetFontUnassigned(source->Font());
    return;
  }
  // A container whose font follows its parent's gets it from there.
  TControl* container = OwningContainer();
  if (!container || !container->ParentFont()) {
    auto defaultFont = MakeOwned<TFont>();
    SetFontUnassigned(defaultFont.get());
  }
}

TFont* TcxContainerStyle::GetEffectiveFont() const
{
  if (TFont* font = Font()) FVisibleFont->Assign(font);
  FVisibleFont->SetColor(GetTextColor());
  FVisibleFont->SetStyle(GetTextStyle());
  return FVisibleFont.get();
}

// --- Change reporting ---

void TcxContainerStyle::LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues)
{
  (void)Sender;
  (void)ChangedValues;
  Changed();
}

void TcxContainerStyle::Changed()
{
  FModified = true;
  CheckChanges();
}

void TcxContainerStyle::CheckChanges()
{
  if (!FModified || FUpdateCount != 0) return;
  FModified = false;
  if (!FIsDestroying && !FDirectAccessMode && FOnChanged) FOnChanged(this);
}

void TcxContainerStyle::BeginUpdate() { ++FUpdateCount; }

void TcxContainerStyle::EndUpdate()
{
  if (FUpdateCount > 0) --FUpdateCount;
  CheckChanges();
}

// --- Copying and defaults ---

void TcxContainerStyle::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TcxContainerStyle*>(Source);
  if (!source) return TcxInterfacedPersistent::Assign(Source);
  TStyleUpdate update(this);
  if (IsBaseStyle()) {
    SetStyleController(source->StyleController());
    SetLookAndFeel(source->LookAndFeel());
  }
  FBorderColor = source->FBorderColor;
  FBorderStyle = source->FBorderStyle;
  FEdges = source->FEdges;
  FHotTrack = source->FHotTrack;
  FShadow = source->FShadow;
  FTransparentBorder = source->FTransparentBorder;
  FColor = source->FColor;
  if (FDirectAccessMode) {
    FFont = source->Font();
    FTextColor = source->GetTextColor();
  } else {
    if (FOwnFont && source->Font()) {
      FOwnFont->Assign(source->Font());
      if (source->FDirectAccessMode) FOwnFont->SetColor(source->GetTextColor());
    }
    FTextColor = source->GetTextColor();
    FTextStyle = source->GetTextStyle();
  }
  FAssignedValues = source->FAssignedValues;
  Changed();
}

void TcxContainerStyle::RestoreDefaultValues()
{
  TStyleUpdate update(this);
  FAssignedValues = {};
  Changed();
  if (!IsBaseStyle()) return;
  FLookAndFeel->ResetAssignedValues();
  TControl* container = OwningContainer();
  if (container) {
    container->SetParentColor(false);
    container->SetParentFont(true);
  } else {
    // The font the chain assigns, else the default font.
    UpdateFont();
  }
  if (container && OwnerContainer()->IsParentColorDefault()) {
    TcxStyleController* controller = FStyleController;
    if (!controller || !controller->GetNormalStyle()->IsValueAssigned(svColor)) container->SetParentColor(true);
  }
}

// --- Value names ---

TcxContainerStyleValues TcxContainerStyle::GetUnpublishedStyleValues() const { return cxContainerStyleRootOnlyValues; }

bool TcxContainerStyle::GetValueName(TcxContainerStyleValue Value, std::string& Name) const
{
  Name.clear();
  if (Value < 0 || Value >= GetValueCount() || Value >= cxContainerStyleValueCount) return false;
  Name = ValuePropertyNames[Value];
  return true;
}

bool TcxContainerStyle::FindStyleValue(std::string_view Name, TcxContainerStyleValue& Value) const
{
  const std::string wanted = AnsiUpperCase(Name);
  std::string name;
  for (int value = 0; value < GetValueCount(); ++value)
    if (GetValueName(value, name) && AnsiUpperCase(name) == wanted) {
      Value = value;
      return true;
    }
  return false;
}

bool TcxContainerStyle::IsPropertyPublished(std::string_view Name) const
{
  if (SameText(Name, "LookAndFeel") || SameText(Name, "StyleController")) return false;
  TcxContainerStyleValue value;
  if (!FindStyleValue(Name, value)) return true;
  return !GetUnpublishedStyleValues().Contains(value);
}

bool TcxContainerStyle::IsBorderShown() const { return IsBaseStyle() || FParentStyle->IsBorderShown(); }

// --- Streaming ---

bool TcxContainerStyle::IsStyleValueStored(TcxContainerStyleValue Value) const
{
  if (!FAssignedValues.Contains(Value)) return false;
  IcxContainerStyleOwner* container = OwnerContainer();
  if (!container) return true;
  std::string name;
  GetValueName(Value, name);
  return container->IsStyleValueStored(name, FState != TcxContainerStateItem::csNormal);
}

void TcxContainerStyle::DefineProperties(TFiler& Filer)
{
  TcxInterfacedPersistent::DefineProperties(Filer);
  Filer.DefineProperty(
      "IsFontAssigned",
      [this](TReader& reader) {
        reader.ReadBoolean();
        SetAssignedValues(FAssignedValues + TcxContainerStyleValues{svFont});
      },
      [](TWriter& writer) { writer.WriteBoolean(true); }, IsStyleValueStored(svFont));
}
