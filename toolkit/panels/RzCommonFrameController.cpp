#include "toolkit/panels/RzCommonFrameController.h"

#include <algorithm>
#include <string>
#include <string_view>
#include "classlib/Filer.h"
#include "toolkit/panels/RzCommonRegIniFile.h"

namespace {
constexpr std::string_view PropertyConnectionNames[] = {
  "fcpColor",           "fcpFocusColor",  "fcpDisabledColor", "fcpReadOnlyColor", "fcpReadOnlyColorOnFocus",
  "fcpParentColor",     "fcpFlatButtonColor", "fcpFlatButtons", "fcpFrameColor",   "fcpFrameHotColor",
  "fcpFrameHotTrack",   "fcpFrameHotStyle",   "fcpFrameSides",  "fcpFrameStyle",   "fcpFrameVisible",
  "fcpFramingPreference"};
constexpr std::string_view FramingPreferenceNames[] = {"fpCustomFraming", "fpXPThemes"};

using enum TRzFrameControllerProperty;

// The order in which an fcpAll update sets a control's properties (Color only while the controller's
// ParentColor is off).
constexpr TRzFrameControllerProperty AllSettingsOrder[] = {
  fcpParentColor, fcpColor,      fcpDisabledColor, fcpReadOnlyColor, fcpReadOnlyColorOnFocus, fcpFocusColor,
  fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor, fcpFrameHotColor, fcpFrameHotTrack, fcpFrameHotStyle,
  fcpFrameSides, fcpFrameStyle, fcpFrameVisible, fcpFramingPreference};

constexpr std::string_view NotificationsPropertyName = "FrameControllerNotifications";

// The published property of a setting carries the setting's name without its "fcp" prefix.
std::string SettingPropertyName(TRzFrameControllerProperty property)
{
  return std::string(RzFrameControllerPropertyConnectionInfo.NameOf(static_cast<int>(property)).substr(3));
}

bool IsOrdinalKind(TPropKind kind)
{
  return kind == TPropKind::Integer || kind == TPropKind::Boolean || kind == TPropKind::Enumeration ||
         kind == TPropKind::Set || kind == TPropKind::Color;
}
}  // namespace

const TEnumInfo RzFrameControllerPropertyConnectionInfo =
    EnumInfo<fcpFramingPreference>("TRzFrameControllerPropertyConnection", PropertyConnectionNames);
const TEnumInfo FramingPreferenceInfo =
    EnumInfo<TFramingPreference::fpXPThemes>("TFramingPreference", FramingPreferenceNames);

namespace {
using TF = TRzFrameController;
constexpr TPropInfo FrameControllerProps[] = {
  Stored<&TF::IsColorStored>(ColorProp<&TF::Color, &TF::SetColor>("Color", clWindow)),
  BoolProp<&TF::ParentColor, &TF::SetParentColor>("ParentColor", false),
  ColorProp<&TF::FlatButtonColor, &TF::SetFlatButtonColor>("FlatButtonColor", clBtnFace),
  BoolProp<&TF::FlatButtons, &TF::SetFlatButtons>("FlatButtons", true),
  ColorProp<&TF::DisabledColor, &TF::SetDisabledColor>("DisabledColor", clBtnFace),
  ColorProp<&TF::ReadOnlyColor, &TF::SetReadOnlyColor>("ReadOnlyColor", clInfoBk),
  BoolProp<&TF::ReadOnlyColorOnFocus, &TF::SetReadOnlyColorOnFocus>("ReadOnlyColorOnFocus", false),
  ColorProp<&TF::FocusColor, &TF::SetFocusColor>("FocusColor", clWindow),
  ColorProp<&TF::FrameColor, &TF::SetFrameColor>("FrameColor", clBtnShadow),
  ColorProp<&TF::FrameHotColor, &TF::SetFrameHotColor>("FrameHotColor", clBtnShadow),
  BoolProp<&TF::FrameHotTrack, &TF::SetFrameHotTrack>("FrameHotTrack", false),
  EnumProp<&TF::FrameHotStyle, &TF::SetFrameHotStyle>("FrameHotStyle", FrameStyleInfo,
                                                       static_cast<int>(TFrameStyleEx::fsFlatBold)),
  SetProp<&TF::FrameSides, &TF::SetFrameSides>("FrameSides", SideInfo, sdAllSides.ToInt()),
  EnumProp<&TF::FrameStyle, &TF::SetFrameStyle>("FrameStyle", FrameStyleInfo, static_cast<int>(TFrameStyleEx::fsFlat)),
  BoolProp<&TF::FrameVisible, &TF::SetFrameVisible>("FrameVisible", false),
  EnumProp<&TF::FramingPreference, &TF::SetFramingPreference>("FramingPreference", FramingPreferenceInfo,
                                                               static_cast<int>(TFramingPreference::fpXPThemes)),
  ComponentProp<&TF::RegIniFile, &TF::SetRegIniFile>("RegIniFile"),
};
}  // namespace

CL_DEFINE_CLASS(TRzFrameController, .Props = FrameControllerProps);

TRzFrameController::TRzFrameController(TComponent* owner) : TComponent(owner) {}

bool TRzFrameController::HasControl(const TControl* control) const
{
  return std::find(FControls.begin(), FControls.end(), control) != FControls.end();
}

void TRzFrameController::AddControl(TControl* control)
{
  if (!control || HasControl(control)) return;
  FControls.push_back(control);
  // A control freed without unregistering must not stay behind in the list.
  FreeNotification(control);
  UpdateControl(control, fcpAll);
}

void TRzFrameController::RemoveControl(TControl* control)
{
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
}

void TRzFrameController::EndUpdate()
{
  if (--FUpdateCount > 0) return;
  FUpdateCount = 0;
  UpdateControls(fcpAll);
}

void TRzFrameController::UpdateControls(TRzFrameControllerProperty property)
{
  if (FUpdateCount > 0 || FControls.empty()) return;
  // A control may unregister, or be freed, while it is updated.
  const std::vector<TControl*> controls = FControls;
  for (TControl* control : controls)
    if (HasControl(control)) UpdateControl(control, property);
}

void TRzFrameController::UpdateControl(TControl* control, TRzFrameControllerProperty property)
{
  if (!control) return;
  if (auto* client = Supports<IRzFrameControllerClient>(control)) {
    client->ApplyFrameControllerSettings();
    return;
  }
  TRzFrameControllerNotifications accepted = fcpAllNotifications;
  const TPropInfo* notifications = control->ClassType()->FindProp(NotificationsPropertyName);
  if (notifications && notifications->Kind == TPropKind::Set && notifications->GetOrd)
    accepted = TRzFrameControllerNotifications::FromInt(static_cast<uint64_t>(notifications->GetOrd(control)));
  auto push = [&](TRzFrameControllerProperty setting) {
    if (accepted.Contains(setting)) SetControlProperty(control, setting);
  };
  if (property != fcpAll) {
    push(property);
    return;
  }
  for (TRzFrameControllerProperty setting : AllSettingsOrder)
    if (setting != fcpColor || !FParentColor) push(setting);
}

void TRzFrameController::SetControlProperty(TControl* control, TRzFrameControllerProperty property)
{
  const std::string name = SettingPropertyName(property);
  const TPropInfo* target = control->ClassType()->FindProp(name);
  if (!target) return;
  if (property == fcpFrameSides) {
    // Copied through the text form, so that a set type of the control's own with the same names
    // takes it.
    if (target->Kind == TPropKind::Set && target->SetOrd) SetSetProp(control, name, GetSetProp(this, name));
    return;
  }
  if (IsOrdinalKind(target->Kind) && target->SetOrd) SetOrdProp(control, name, GetOrdProp(this, name));
}

template <class T>
void TRzFrameController::Change(T& field, const T& value, TRzFrameControllerProperty property)
{
  SetAndNotify(field, value, [&] { UpdateControls(property); });
}

void TRzFrameController::SetColor(TColor value)
{
  if (value == FColor) return;
  if (FFocusColor == FColor) FFocusColor = value;
  FColor = value;
  FParentColor = false;
  UpdateControls(fcpColor);
}

void TRzFrameController::SetParentColor(bool value)
{
  SetAndNotify(FParentColor, value, [this] {
    UpdateControls(fcpParentColor);
    if (!FParentColor) UpdateControls(fcpColor);
  });
}

void TRzFrameController::SetFlatButtonColor(TColor value) { Change(FFlatButtonColor, value, fcpFlatButtonColor); }
void TRzFrameController::SetFlatButtons(bool value) { Change(FFlatButtons, value, fcpFlatButtons); }
void TRzFrameController::SetDisabledColor(TColor value) { Change(FDisabledColor, value, fcpDisabledColor); }
void TRzFrameController::SetReadOnlyColor(TColor value) { Change(FReadOnlyColor, value, fcpReadOnlyColor); }
void TRzFrameController::SetReadOnlyColorOnFocus(bool value)
{
  Change(FReadOnlyColorOnFocus, value, fcpReadOnlyColorOnFocus);
}
void TRzFrameController::SetFocusColor(TColor value) { Change(FFocusColor, value, fcpFocusColor); }
void TRzFrameController::SetFrameColor(TColor value) { Change(FFrameColor, value, fcpFrameColor); }
void TRzFrameController::SetFrameHotColor(TColor value) { Change(FFrameHotColor, value, fcpFrameHotColor); }

void TRzFrameController::SetFrameHotTrack(bool value)
{
  SetAndNotify(FFrameHotTrack, value, [&] {
    if (value) {
      SetFrameVisible(true);
      if (!IsLoading()) FFrameSides = sdAllSides;
    }
    UpdateControls(fcpFrameHotTrack);
  });
}

void TRzFrameController::SetFrameHotStyle(TFrameStyle value) { Change(FFrameHotStyle, value, fcpFrameHotStyle); }
void TRzFrameController::SetFrameSides(TSides value) { Change(FFrameSides, value, fcpFrameSides); }
void TRzFrameController::SetFrameStyle(TFrameStyle value) { Change(FFrameStyle, value, fcpFrameStyle); }
void TRzFrameController::SetFrameVisible(bool value) { Change(FFrameVisible, value, fcpFrameVisible); }
void TRzFrameController::SetFramingPreference(TFramingPreference value)
{
  Change(FFramingPreference, value, fcpFramingPreference);
}

void TRzFrameController::SetRegIniFile(TRzRegIniFile* value)
{
  FRegIniFile = value;
  if (value) FreeNotification(value);
}

void TRzFrameController::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TRzFrameController*>(source);
  if (!other) {
    TComponent::Assign(source);
    return;
  }
  BeginUpdate();
  try {
    SetColor(other->Color());
    SetParentColor(other->ParentColor());
    SetFlatButtonColor(other->FlatButtonColor());
    SetFlatButtons(other->FlatButtons());
    SetDisabledColor(other->DisabledColor());
    SetReadOnlyColor(other->ReadOnlyColor());
    SetReadOnlyColorOnFocus(other->ReadOnlyColorOnFocus());
    SetFocusColor(other->FocusColor());
    SetFrameColor(other->FrameColor());
    SetFrameHotColor(other->FrameHotColor());
    SetFrameHotTrack(other->FrameHotTrack());
    SetFrameHotStyle(other->FrameHotStyle());
    SetFrameSides(other->FrameSides());
    SetFrameStyle(other->FrameStyle());
    SetFrameVisible(other->FrameVisible());
    SetFramingPreference(other->FramingPreference());
    SetRegIniFile(other->RegIniFile());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TRzFrameController::DefineProperties(TFiler& filer)
{
  TComponent::DefineProperties(filer);
  // Settings of older versions, read and never written.
  filer.DefineProperty(
      "FrameFlat",
      [this](TReader& reader) {
        const bool flat = reader.ReadBoolean();
        SetFrameHotTrack(flat);
        if (flat) {
          SetFrameStyle(TFrameStyleEx::fsStatus);
          SetFrameHotStyle(TFrameStyleEx::fsLowered);
        }
      },
      nullptr, false);
  filer.DefineProperty(
      "FrameFocusStyle",
      [this](TReader& reader) {
        const std::string ident = reader.ReadIdent();
        const int style = FrameStyleInfo.ValueOf(ident);
        if (style < 0) reader.Error("Invalid property value '" + ident + "'");
        SetFrameHotStyle(static_cast<TFrameStyle>(style));
      },
      nullptr, false);
  filer.DefineProperty("FrameFlatStyle", [](TReader& reader) { reader.ReadIdent(); }, nullptr, false);
}

void TRzFrameController::Loaded()
{
  TComponent::Loaded();
  UpdateControls(fcpAll);
}

void TRzFrameController::Notification(TComponent* component, TOperation operation)
{
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FRegIniFile) FRegIniFile = nullptr;
  if (auto* control = dynamic_cast<TControl*>(component)) RemoveControl(control);
}
