#pragma once
// Edit styles (unit cxEdit): the container style of an editor in one of its four states, with the
// editor's own values (the look of its buttons, gradients, the border of its drop-down window), and
// the style controller component whose four edit styles editors may share.
//
// An editor value is resolved like the container's: the value assigned in the style itself, else the
// one assigned in its style controller's style of the same state (and in that controller's own
// controller, and so on), else the inherited value: the normal style's for a state style, a fixed
// default for the normal style. Gradients, button transparency and the popup border are carried by
// the normal style only; setting them through a state style sets them in the normal style.
//
// One default edit style controller exists while the editors' unit runs (SharedEditStyleController):
// every root edit style that is not in place and not a plain value record links to it.
#include <string>
#include <string_view>
#include "classlib/Component.h"
#include "classlib/Events.h"
#include "classlib/TypInfo.h"
#include "toolkit/controls/cxContainerStyle.h"
#include "toolkit/controls/cxContainerStyleController.h"
#include "toolkit/controls/cxControlsControl.h"

// The look of an editor's buttons.
enum class TcxEditButtonStyle { btsDefault, bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat, btsOffice11 };
using enum TcxEditButtonStyle;
// Which buttons show the editor's background instead of the button face.
enum class TcxEditButtonTransparency { ebtNone, ebtInactive, ebtAlways, ebtHideInactive, ebtHideUnselected };
using enum TcxEditButtonTransparency;
// The border of an editor: the container's border styles under the editors' names.
enum class TcxEditBorderStyle { ebsNone, ebsSingle, ebsThick, ebsFlat, ebs3D, ebsUltraFlat, ebsOffice11 };
using enum TcxEditBorderStyle;
// The direction of an editor's gradient: dirLeft to dirDown.
using TcxEditGradientDirection = TcxDirection;

extern const TEnumInfo cxEditButtonStyleInfo;
extern const TEnumInfo cxEditButtonTransparencyInfo;
extern const TEnumInfo cxEditBorderStyleInfo;
extern const TEnumInfo cxEditGradientDirectionInfo;
extern const TEnumInfo cxEditPopupBorderStyleInfo;
extern const TEnumInfo cxEditStyleValueInfo;

// The editors' style values, after the container's ten.
constexpr TcxContainerStyleValue svButtonStyle = 10;
constexpr TcxContainerStyleValue svButtonTransparency = 11;
constexpr TcxContainerStyleValue svPopupBorderStyle = 12;
constexpr TcxContainerStyleValue svGradientButtons = 13;
constexpr TcxContainerStyleValue svGradient = 14;
constexpr TcxContainerStyleValue svGradientDirection = 15;
constexpr int cxEditStyleValueCount = 16;
// The values only the normal style of an editor's set carries.
constexpr TcxContainerStyleValues cxEditStyleRootOnlyValues =
    cxContainerStyleRootOnlyValues +
    TcxContainerStyleValues{svButtonTransparency, svPopupBorderStyle, svGradientButtons, svGradient, svGradientDirection};

class TcxEditStyleController;

class TcxCustomEditStyle : public TcxContainerStyle {
  CL_CLASS(TcxCustomEditStyle, TcxContainerStyle)
public:
  TcxCustomEditStyle(TPersistent* Owner, bool DirectAccessMode, TcxContainerStyle* ParentStyle = nullptr,
                     TcxContainerStateItem State = TcxContainerStateItem::csNormal);
  // From another edit style: the editor values as they stand, then the container's values, one
  // change report (also when copying raises). Any other source: the container's Assign.
  void Assign(TPersistent* Source) override;

  TcxContainerStyleValues GetUnpublishedStyleValues() const override { return cxEditStyleRootOnlyValues; }
  int GetValueCount() const override { return cxEditStyleValueCount; }
  bool GetValueName(TcxContainerStyleValue Value, std::string& Name) const override;

  // The effective editor values.
  TcxEditButtonStyle ButtonStyle() const;
  void SetButtonStyle(TcxEditButtonStyle Value);
  TcxEditButtonTransparency ButtonTransparency() const;
  void SetButtonTransparency(TcxEditButtonTransparency Value);
  bool Gradient() const;
  void SetGradient(bool Value);
  bool GradientButtons() const;
  void SetGradientButtons(bool Value);
  TcxEditGradientDirection GradientDirection() const;
  void SetGradientDirection(TcxEditGradientDirection Value);
  TcxEditPopupBorderStyle PopupBorderStyle() const;
  void SetPopupBorderStyle(TcxEditPopupBorderStyle Value);
  // Whether an editor's drop-down window shows its close button; the normal style's, never assigned
  // nor inherited from a controller nor stored.
  bool PopupCloseButtonShown() const;
  void SetPopupCloseButtonShown(bool Value);

  // The container's values under the editors' types.
  TcxEditBorderStyle BorderStyle() const { return static_cast<TcxEditBorderStyle>(TcxContainerStyle::BorderStyle()); }
  void SetBorderStyle(TcxEditBorderStyle Value)
  {
    TcxContainerStyle::SetBorderStyle(static_cast<TcxContainerBorderStyle>(Value));
  }
  TcxEditStyleController* StyleController() const;
  void SetStyleController(TcxEditStyleController* Value);
  TcxEditStyleController* GetEffectiveStyleController() const;
  TcxCustomEditStyle* GetRootStyle() const;

protected:
  // The value used when nothing is assigned: the fixed default in the normal style, the normal
  // style's value in a state style.
  virtual TcxEditButtonStyle InheritedButtonStyle() const;
  virtual TcxEditButtonTransparency InheritedButtonTransparency() const;
  virtual bool InheritedGradient() const;
  virtual bool InheritedGradientButtons() const;
  virtual TcxEditGradientDirection InheritedGradientDirection() const;
  virtual TcxEditPopupBorderStyle InheritedPopupBorderStyle() const;
  // None for a plain value record and for the style of an editor in place; else the default edit
  // style controller.
  TcxStyleController* GetStandardStyleController() const override;

private:
  // The style's own value when it is assigned (every value of a plain value record is), else the
  // value of the style of the chain that assigns it, else the inherited value.
  template <class T>
  T EditValue(TcxContainerStyleValue Value, T TcxCustomEditStyle::*Field,
              T (TcxCustomEditStyle::*Inherited)() const) const;
  // Stores and assigns the value in this style, or in the normal style for the values only it
  // carries; nothing when it is assigned there and equal.
  template <class T>
  void SetEditValue(TcxContainerStyleValue Value, T TcxCustomEditStyle::*Field, const T& NewValue);

  TcxEditButtonStyle FButtonStyle = btsDefault;
  TcxEditButtonTransparency FButtonTransparency = ebtNone;
  bool FGradient = false;
  bool FGradientButtons = false;
  TcxEditGradientDirection FGradientDirection = dirDown;
  TcxEditPopupBorderStyle FPopupBorderStyle = epbsDefault;
  bool FPopupCloseButtonShown = true;
};

// The style class editors and the edit style controller make; it publishes the values.
class TcxEditStyle : public TcxCustomEditStyle {
  CL_CLASS(TcxEditStyle, TcxCustomEditStyle)
public:
  using TcxCustomEditStyle::TcxCustomEditStyle;
};

using TcxCustomEditStyleClass = TClassRef<TcxCustomEditStyle>;

class TcxEditStyleController : public TcxStyleController {
  CL_CLASS(TcxEditStyleController, TcxStyleController)
public:
  explicit TcxEditStyleController(TComponent* Owner) : TcxStyleController(Owner) {}
  TcxContainerStyleClass ResolveStyleClass() const override { return ClassRef<TcxEditStyle>(); }

  // The styles of the states normal, disabled, focused and hot; setting one copies its values in.
  TcxEditStyle* Style() const { return GetStateStyle(TcxContainerStateItem::csNormal); }
  void SetStyle(TcxEditStyle* Value) { SetStateStyle(TcxContainerStateItem::csNormal, Value); }
  TcxEditStyle* StyleDisabled() const { return GetStateStyle(TcxContainerStateItem::csDisabled); }
  void SetStyleDisabled(TcxEditStyle* Value) { SetStateStyle(TcxContainerStateItem::csDisabled, Value); }
  TcxEditStyle* StyleFocused() const { return GetStateStyle(TcxContainerStateItem::csActive); }
  void SetStyleFocused(TcxEditStyle* Value) { SetStateStyle(TcxContainerStateItem::csActive, Value); }
  TcxEditStyle* StyleHot() const { return GetStateStyle(TcxContainerStateItem::csHotTrack); }
  void SetStyleHot(TcxEditStyle* Value) { SetStateStyle(TcxContainerStateItem::csHotTrack, Value); }
  TcxEditStyle* GetStateStyle(TcxContainerStateItem State) const;
  void SetStateStyle(TcxContainerStateItem State, TcxEditStyle* Value);
};

// The default edit style controller while the editors' unit runs, else nullptr.
TcxEditStyleController* SharedEditStyleController();
