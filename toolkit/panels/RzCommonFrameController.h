#pragma once
// The frame controller: one set of frame and colour settings pushed into many controls. A control
// registers with the controller (through its FrameController property) and at once receives every
// setting; afterwards each change reaches every registered control. A control that offers
// IRzFrameControllerClient reads what it wants from the controller itself; any other control gets
// the settings through its published properties of the same names.
#include <vector>
#include "classlib/Component.h"
#include "classlib/Controls.h"
#include "classlib/Sets.h"
#include "classlib/TypInfo.h"
#include "toolkit/panels/RzCommonFrames.h"

class TRzRegIniFile;

// The settings of a controller, each as the news of its change; fcpAll stands for all of them.
enum class TRzFrameControllerProperty {
  fcpColor, fcpFocusColor, fcpDisabledColor, fcpReadOnlyColor, fcpReadOnlyColorOnFocus, fcpParentColor,
  fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor, fcpFrameHotColor, fcpFrameHotTrack, fcpFrameHotStyle,
  fcpFrameSides, fcpFrameStyle, fcpFrameVisible, fcpFramingPreference, fcpAll
};
// The settings a control accepts from its controller (all by default).
using TRzFrameControllerNotifications = TSet<TRzFrameControllerProperty>;
constexpr TRzFrameControllerNotifications fcpAllNotifications =
    TRzFrameControllerNotifications::FromInt((1u << 16) - 1);
// The names of the settings without fcpAll, for the controls' FrameControllerNotifications.
extern const TEnumInfo RzFrameControllerPropertyConnectionInfo;

enum class TFramingPreference { fpCustomFraming, fpXPThemes };
extern const TEnumInfo FramingPreferenceInfo;

// Offered by controls that apply a controller's settings themselves.
class IRzFrameControllerClient {
public:
  // Reads the settings from the control's controller, as far as the control's own notification
  // set accepts them.
  virtual void ApplyFrameControllerSettings() = 0;

protected:
  ~IRzFrameControllerClient() = default;
};

class TRzFrameController : public TComponent {
  CL_CLASS(TRzFrameController, TComponent)
public:
  explicit TRzFrameController(TComponent* owner);

  // Registers the control (once) and pushes every setting into it; unregisters it. A registered
  // control that is freed leaves the list by itself.
  void AddControl(TControl* control);
  void RemoveControl(TControl* control);
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  bool HasControl(const TControl* control) const;

  // Changes inside an update reach no control; the outermost EndUpdate sends one fcpAll update.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  // Pushes one setting (or all) into every registered control, in registration order; nothing
  // during an update.
  virtual void UpdateControls(TRzFrameControllerProperty property);

  // Published settings. Each setter stores a changed value and sends its own setting.
  TColor Color() const { return FColor; }
  // Also moves FocusColor along when it equalled the old Color, and clears ParentColor.
  virtual void SetColor(TColor value);
  bool ParentColor() const { return FParentColor; }
  // Turning it off also sends the Color.
  virtual void SetParentColor(bool value);
  TColor FlatButtonColor() const { return FFlatButtonColor; }
  virtual void SetFlatButtonColor(TColor value);
  bool FlatButtons() const { return FFlatButtons; }
  virtual void SetFlatButtons(bool value);
  TColor DisabledColor() const { return FDisabledColor; }
  virtual void SetDisabledColor(TColor value);
  TColor ReadOnlyColor() const { return FReadOnlyColor; }
  virtual void SetReadOnlyColor(TColor value);
  bool ReadOnlyColorOnFocus() const { return FReadOnlyColorOnFocus; }
  virtual void SetReadOnlyColorOnFocus(bool value);
  TColor FocusColor() const { return FFocusColor; }
  virtual void SetFocusColor(TColor value);
  TColor FrameColor() const { return FFrameColor; }
  virtual void SetFrameColor(TColor value);
  TColor FrameHotColor() const { return FFrameHotColor; }
  virtual void SetFrameHotColor(TColor value);
  bool FrameHotTrack() const { return FFrameHotTrack; }
  // Turning it on also makes the frame visible and, unless loading, framed on all four sides.
  virtual void SetFrameHotTrack(bool value);
  TFrameStyle FrameHotStyle() const { return FFrameHotStyle; }
  virtual void SetFrameHotStyle(TFrameStyle value);
  TSides FrameSides() const { return FFrameSides; }
  virtual void SetFrameSides(TSides value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  virtual void SetFrameStyle(TFrameStyle value);
  bool FrameVisible() const { return FFrameVisible; }
  virtual void SetFrameVisible(bool value);
  TFramingPreference FramingPreference() const { return FFramingPreference; }
  virtual void SetFramingPreference(TFramingPreference value);
  // Weak: cleared when the component is freed.
  TRzRegIniFile* RegIniFile() const { return FRegIniFile; }
  virtual void SetRegIniFile(TRzRegIniFile* value);

  // From another controller: every published setting, inside one update.
  void Assign(TPersistent* source) override;
  // Reads the obsolete stored properties "FrameFlat", "FrameFocusStyle" and "FrameFlatStyle".
  void DefineProperties(TFiler& filer) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Color is stored only while ParentColor is off.
  bool IsColorStored() const { return !FParentColor; }

protected:
  // Pushes the setting (or all) into one control.
  virtual void UpdateControl(TControl* control, TRzFrameControllerProperty property);

private:
  template <class T> void Change(T& field, const T& value, TRzFrameControllerProperty property);
  // Sets the control's published property of the setting, when it has one that takes it.
  void SetControlProperty(TControl* control, TRzFrameControllerProperty property);

  int FUpdateCount = 0;
  TColor FColor = clWindow;
  bool FParentColor = false;
  TColor FFlatButtonColor = clBtnFace;
  bool FFlatButtons = true;
  TColor FDisabledColor = clBtnFace;
  TColor FReadOnlyColor = clInfoBk;
  bool FReadOnlyColorOnFocus = false;
  TColor FFocusColor = clWindow;
  TColor FFrameColor = clBtnShadow;
  TColor FFrameHotColor = clBtnShadow;
  bool FFrameHotTrack = false;
  TFrameStyle FFrameHotStyle = TFrameStyleEx::fsFlatBold;
  TSides FFrameSides = sdAllSides;
  TFrameStyle FFrameStyle = TFrameStyleEx::fsFlat;
  bool FFrameVisible = false;
  TFramingPreference FFramingPreference = TFramingPreference::fpXPThemes;
  std::vector<TControl*> FControls;
  TRzRegIniFile* FRegIniFile = nullptr;
};
