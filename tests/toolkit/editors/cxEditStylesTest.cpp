// Edit styles and the edit style controller: where each editor value comes from, the values only
// the normal style carries, copying, value names, stored forms, and the default controller that the
// editors' unit sets up and takes down.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Forms.h"
#include "classlib/ObjectText.h"
#include "tests/toolkit/editors/EditTestSupport.h"
#include "toolkit/editors/cxEdit.h"

namespace {
using State = TcxContainerStateItem;

class TChangeCounter : public TObject {
  CL_CLASS(TChangeCounter, TObject)
public:
  void Changed(TObject*)
  {
    ++Count;
    Slots.push_back(GetDefaultContainerStyleController());
  }
  TNotifyEvent Handler() { return TNotifyEvent(this, &TChangeCounter::Changed); }
  int Count = 0;
  // The default controller slot at each change.
  std::vector<TcxStyleController*> Slots;
};

// The owner of a set of edit styles, as far as the styles ask it things.
class TStubEditor : public TCustomControl, public IcxContainerStyleOwner {
  CL_CLASS(TStubEditor, TCustomControl)
public:
  explicit TStubEditor(TComponent* owner) : TCustomControl(owner) {}
  bool IsParentColorDefault() override { return false; }
  bool IsInplace() override { return Inplace; }
  bool IsStyleValueStored(std::string_view, bool) override { return true; }
  bool Inplace = false;
};

CL_DEFINE_CLASS(TChangeCounter);
CL_DEFINE_CLASS(TStubEditor);

TcxCustomEditStyle* Edit(TcxContainerStyle* style) { return static_cast<TcxCustomEditStyle*>(style); }

// A set of edit styles linked to a controller of its own, beside the default controller.
struct TEditStyleWorld {
  TcxCustomEditStyle* S(State state) const { return Edit(Styles->GetStateStyle(state)); }
  TcxEditStyle* C(State state) const { return Controller->GetStateStyle(state); }

  TOwned<TcxEditStyleController> Controller = MakeOwned<TcxEditStyleController>(nullptr);
  TOwned<TcxContainerStyles> Styles = MakeOwned<TcxContainerStyles>(nullptr, ClassRef<TcxEditStyle>());
};

TEST(EditStyle, AFreshNormalStyleAnswersTheFixedDefaults)
{
  auto style = MakeOwned<TcxEditStyle>(nullptr, false);
  EXPECT_EQ(style->ButtonStyle(), btsDefault);
  EXPECT_EQ(style->ButtonTransparency(), ebtNone);
  EXPECT_FALSE(style->Gradient());
  EXPECT_FALSE(style->GradientButtons());
  EXPECT_EQ(style->GradientDirection(), dirDown);
  EXPECT_EQ(style->PopupBorderStyle(), epbsDefault);
  EXPECT_TRUE(style->PopupCloseButtonShown());
  EXPECT_TRUE(style->AssignedValues().Empty());
}

TEST(EditStyle, ValuesResolveFromTheStyleItsControllerOrTheNormalStyle)
{
  struct TCase {
    const char* Name;
    std::function<void(TEditStyleWorld&)> Arrange;
    // The ButtonStyle, or for the normal-only values the GradientDirection, of the four states.
    bool ReadGradientDirection;
    int Normal, Focused, Disabled, Hot;
  };
  auto bs = [](TcxEditButtonStyle s) { return static_cast<int>(s); };
  auto dir = [](TcxDirection d) { return static_cast<int>(d); };
  const TCase cases[] = {
    {"nothing assigned", [](TEditStyleWorld&) {}, false, bs(btsDefault), bs(btsDefault), bs(btsDefault),
     bs(btsDefault)},
    {"own value of a state style stays in that state",
     [](TEditStyleWorld& w) { w.S(State::csActive)->SetButtonStyle(btsFlat); }, false, bs(btsDefault), bs(btsFlat),
     bs(btsDefault), bs(btsDefault)},
    {"the normal style's value is what the state styles inherit",
     [](TEditStyleWorld& w) { w.S(State::csNormal)->SetButtonStyle(bts3D); }, false, bs(bts3D), bs(bts3D), bs(bts3D),
     bs(bts3D)},
    {"the controller's style of the same state",
     [](TEditStyleWorld& w) { w.C(State::csHotTrack)->SetButtonStyle(btsUltraFlat); }, false, bs(btsDefault),
     bs(btsDefault), bs(btsDefault), bs(btsUltraFlat)},
    {"the controller's normal style reaches the states through the normal style",
     [](TEditStyleWorld& w) { w.C(State::csNormal)->SetButtonStyle(btsOffice11); }, false, bs(btsOffice11),
     bs(btsOffice11), bs(btsOffice11), bs(btsOffice11)},
    {"an own value comes before the controller's",
     [](TEditStyleWorld& w) {
       w.C(State::csHotTrack)->SetButtonStyle(btsSimple);
       w.S(State::csHotTrack)->SetButtonStyle(btsHotFlat);
     },
     false, bs(btsDefault), bs(btsDefault), bs(btsDefault), bs(btsHotFlat)},
    {"a normal-only value written through a state style is the normal style's",
     [](TEditStyleWorld& w) { w.S(State::csActive)->SetGradientDirection(dirLeft); }, true, dir(dirLeft),
     dir(dirLeft), dir(dirLeft), dir(dirLeft)},
    {"a normal-only value of the controller's normal style",
     [](TEditStyleWorld& w) { w.C(State::csHotTrack)->SetGradientDirection(dirUp); }, true, dir(dirUp), dir(dirUp),
     dir(dirUp), dir(dirUp)},
  };
  for (const TCase& c : cases) {
    TEditStyleWorld world;
    world.S(State::csNormal)->SetStyleController(world.Controller.get());
    c.Arrange(world);
    auto read = [&](State state) {
      TcxCustomEditStyle* style = world.S(state);
      return c.ReadGradientDirection ? dir(style->GradientDirection()) : bs(style->ButtonStyle());
    };
    EXPECT_EQ(read(State::csNormal), c.Normal) << c.Name;
    EXPECT_EQ(read(State::csActive), c.Focused) << c.Name;
    EXPECT_EQ(read(State::csDisabled), c.Disabled) << c.Name;
    EXPECT_EQ(read(State::csHotTrack), c.Hot) << c.Name;
  }
}

TEST(EditStyle, NormalOnlyValuesAreAssignedInTheNormalStyle)
{
  TEditStyleWorld world;
  TcxCustomEditStyle* focused = world.S(State::csActive);
  focused->SetGradientDirection(dirRight);
  focused->SetGradient(true);
  focused->SetGradientButtons(true);
  focused->SetButtonTransparency(ebtAlways);
  focused->SetPopupBorderStyle(epbsFlat);
  focused->SetPopupCloseButtonShown(false);
  EXPECT_TRUE(focused->AssignedValues().Empty());
  EXPECT_EQ(world.S(State::csNormal)->AssignedValues(),
            (TcxContainerStyleValues{svGradientDirection, svGradient, svGradientButtons, svButtonTransparency,
                                     svPopupBorderStyle}));
  for (State state : {State::csNormal, State::csDisabled, State::csHotTrack}) {
    TcxCustomEditStyle* style = world.S(state);
    EXPECT_EQ(style->GradientDirection(), dirRight);
    EXPECT_TRUE(style->Gradient());
    EXPECT_TRUE(style->GradientButtons());
    EXPECT_EQ(style->ButtonTransparency(), ebtAlways);
    EXPECT_EQ(style->PopupBorderStyle(), epbsFlat);
    EXPECT_FALSE(style->PopupCloseButtonShown());
  }
}

TEST(EditStyle, TheStyleOfAnEditorInPlaceHasNoStandardController)
{
  TcxEditStyleController* shared = SharedEditStyleController();
  ASSERT_NE(shared, nullptr);
  shared->StyleHot()->SetButtonStyle(btsFlat);
  TOwned<TStubEditor> inplace(New<TStubEditor>(nullptr)), standalone(New<TStubEditor>(nullptr));
  inplace->Inplace = true;
  TOwned<TcxContainerStyles> inplaceStyles = MakeOwned<TcxContainerStyles>(inplace.get(), ClassRef<TcxEditStyle>());
  TOwned<TcxContainerStyles> standaloneStyles =
      MakeOwned<TcxContainerStyles>(standalone.get(), ClassRef<TcxEditStyle>());
  auto* inplaceHot = Edit(inplaceStyles->GetHotStyle());
  EXPECT_EQ(inplaceHot->GetEffectiveStyleController(), nullptr);
  EXPECT_EQ(inplaceHot->ButtonStyle(), btsDefault) << "only its own values and the defaults";
  inplaceHot->SetButtonStyle(bts3D);
  EXPECT_EQ(inplaceHot->ButtonStyle(), bts3D);
  auto* standaloneHot = Edit(standaloneStyles->GetHotStyle());
  EXPECT_EQ(standaloneHot->GetEffectiveStyleController(), shared);
  EXPECT_EQ(standaloneHot->ButtonStyle(), btsFlat);
  // A plain value record has no controller either.
  auto direct = MakeOwned<TcxEditStyle>(nullptr, true);
  EXPECT_EQ(direct->GetEffectiveStyleController(), nullptr);
  EXPECT_EQ(direct->ButtonStyle(), btsDefault);
  shared->StyleHot()->RestoreDefaultValues();
}

TEST(EditStyle, ASettingReportsAChangeOnlyWhenItChangesSomething)
{
  TEditStyleWorld world;
  auto counter = MakeOwned<TChangeCounter>();
  world.Styles->AssignChangeHandler(counter->Handler());
  world.S(State::csHotTrack)->SetButtonStyle(btsFlat);
  world.S(State::csHotTrack)->SetButtonStyle(btsFlat);
  EXPECT_EQ(counter->Count, 1);
  world.S(State::csHotTrack)->SetGradient(true);
  world.S(State::csNormal)->SetGradient(true);
  EXPECT_EQ(counter->Count, 2);
  world.S(State::csActive)->SetPopupCloseButtonShown(true);
  EXPECT_EQ(counter->Count, 2);
  // Assigning the default value explicitly still counts as a setting.
  world.S(State::csNormal)->SetButtonStyle(btsDefault);
  EXPECT_EQ(counter->Count, 3);
  EXPECT_TRUE(world.S(State::csNormal)->AssignedValues().Contains(svButtonStyle));
}

TEST(EditStyle, AssignCopiesTheEditorValuesWithOneChange)
{
  auto source = MakeOwned<TcxEditStyle>(nullptr, false);
  source->SetButtonStyle(btsSimple);
  source->SetGradientDirection(dirUp);
  source->SetPopupCloseButtonShown(false);
  source->SetBorderStyle(ebsThick);
  auto target = MakeOwned<TcxEditStyle>(nullptr, false);
  auto counter = MakeOwned<TChangeCounter>();
  target->SetOnChanged(counter->Handler());
  target->Assign(source.get());
  EXPECT_EQ(counter->Count, 1);
  EXPECT_EQ(target->ButtonStyle(), btsSimple);
  EXPECT_EQ(target->GradientDirection(), dirUp);
  EXPECT_FALSE(target->PopupCloseButtonShown());
  EXPECT_EQ(target->BorderStyle(), ebsThick);
  EXPECT_EQ(target->AssignedValues(), source->AssignedValues());
}

TEST(EditStyle, ValueNames)
{
  auto style = MakeOwned<TcxEditStyle>(nullptr, false);
  EXPECT_EQ(style->GetValueCount(), 16);
  const char* names[] = {"BorderColor", "BorderStyle", "Color", "Edges", "Font", "HotTrack", "Shadow", "TextColor",
                         "TextStyle", "TransparentBorder", "ButtonStyle", "ButtonTransparency", "PopupBorderStyle",
                         "GradientButtons", "Gradient", "GradientDirection"};
  std::string name;
  for (int value = 0; value < 16; ++value) {
    EXPECT_TRUE(style->GetValueName(value, name));
    EXPECT_EQ(name, names[value]);
  }
  name = "x";
  EXPECT_FALSE(style->GetValueName(16, name));
  EXPECT_EQ(name, "");
  EXPECT_FALSE(style->IsPropertyPublished("GradientDirection"));
  EXPECT_TRUE(style->IsPropertyPublished("ButtonStyle"));
  EXPECT_EQ(style->GetUnpublishedStyleValues().ToInt(), 64120u);
}

TEST(EditStyleController, TheStoredFormHoldsTheAssignedValuesOfEachState)
{
  auto controller = MakeOwned<TcxEditStyleController>(nullptr);
  controller->SetName("Controller");
  controller->Style()->SetButtonStyle(btsFlat);
  controller->Style()->SetBorderStyle(ebsSingle);
  controller->StyleFocused()->SetButtonStyle(bts3D);
  controller->StyleFocused()->SetGradientDirection(dirLeft);
  controller->StyleHot()->SetPopupBorderStyle(epbsFrame3D);
  const std::string text = ComponentToText(controller.get());
  EXPECT_NE(text.find("Style.ButtonStyle = btsFlat"), std::string::npos) << text;
  EXPECT_NE(text.find("Style.BorderStyle = ebsSingle"), std::string::npos) << text;
  EXPECT_NE(text.find("StyleFocused.ButtonStyle = bts3D"), std::string::npos) << text;
  EXPECT_NE(text.find("Style.GradientDirection = dirLeft"), std::string::npos) << text;
  EXPECT_NE(text.find("Style.PopupBorderStyle = epbsFrame3D"), std::string::npos) << text;
  EXPECT_EQ(text.find("StyleFocused.GradientDirection"), std::string::npos) << text;
  EXPECT_EQ(text.find("StyleHot.PopupBorderStyle"), std::string::npos) << text;
  EXPECT_EQ(text.find("Gradient ="), std::string::npos) << text;

  auto read = MakeOwned<TcxEditStyleController>(nullptr);
  ReadComponentFromText(text, read.get());
  EXPECT_EQ(read->Style()->ButtonStyle(), btsFlat);
  EXPECT_EQ(read->Style()->BorderStyle(), ebsSingle);
  EXPECT_EQ(read->StyleFocused()->ButtonStyle(), bts3D);
  EXPECT_EQ(read->StyleHot()->GradientDirection(), dirLeft);
  EXPECT_EQ(read->StyleHot()->PopupBorderStyle(), epbsFrame3D);
  EXPECT_EQ(ComponentToText(read.get()), text);
}

TEST(EditStyleController, SettingAStateStyleCopiesItsValues)
{
  auto controller = MakeOwned<TcxEditStyleController>(nullptr);
  auto style = MakeOwned<TcxEditStyle>(nullptr, false);
  style->SetButtonStyle(btsHotFlat);
  controller->SetStyleDisabled(style.get());
  EXPECT_EQ(controller->StyleDisabled()->ButtonStyle(), btsHotFlat);
  EXPECT_NE(controller->StyleDisabled(), style.get());
  EXPECT_EQ(controller->GetStateStyle(State::csDisabled), controller->StyleDisabled());
}

// --- The editors' unit ---

TEST(EditUnit, ContainerStylesMadeAfterStartUpAttachToTheDefaultEditController)
{
  TcxEditStyleController* shared = SharedEditStyleController();
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(GetDefaultContainerStyleController(), shared);
  auto containerStyle = MakeOwned<TcxContainerStyle>(nullptr, false);
  EXPECT_EQ(containerStyle->GetEffectiveStyleController(), shared);
  EXPECT_EQ(containerStyle->StyleController(), nullptr) << "the standard controller reads as none";
  // Its own styles are not linked to it.
  EXPECT_EQ(shared->Style()->GetEffectiveStyleController(), nullptr);
}

TEST(EditUnit, ShutDownEmptiesTheSlotBeforeTheDefaultControllerGoes)
{
  auto style = MakeOwned<TcxContainerStyle>(nullptr, false);
  ASSERT_NE(style->GetEffectiveStyleController(), nullptr);
  auto counter = MakeOwned<TChangeCounter>();
  style->SetOnChanged(counter->Handler());
  {
    TUnitShutDown shutDown(UnitcxEdit);
    EXPECT_EQ(SharedEditStyleController(), nullptr);
    EXPECT_EQ(GetDefaultContainerStyleController(), nullptr);
    EXPECT_EQ(style->GetEffectiveStyleController(), nullptr);
    EXPECT_EQ(Screen->Cursors(crcxEditMouseWheel), Screen->Cursors(4999)) << "the cursor went too";
  }
  ASSERT_FALSE(counter->Slots.empty()) << "the style was told its controller went";
  EXPECT_EQ(counter->Slots.front(), nullptr);
  EXPECT_NE(SharedEditStyleController(), nullptr);
  EXPECT_EQ(GetDefaultContainerStyleController(), SharedEditStyleController());
}

TEST(EditUnit, TheMouseWheelCursorIsLoaded)
{
  HCURSOR cursor = Screen->Cursors(crcxEditMouseWheel);
  ASSERT_NE(cursor, nullptr);
  EXPECT_NE(cursor, Screen->Cursors(4999)) << "an unknown cursor number answers the arrow";
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_EQ(info.xHotspot, 15u);
  EXPECT_EQ(info.yHotspot, 15u);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

}  // namespace
