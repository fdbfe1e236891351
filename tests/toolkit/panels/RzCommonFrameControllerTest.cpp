// The frame controller: its settings reaching one control through IRzFrameControllerClient and
// another through published properties by name (all at registration, one at a time afterwards,
// filtered by the control's notification set), updates held back inside BeginUpdate and
// EndUpdate, the setters that change more than their own value, assignment, the obsolete stored
// properties, and the links that free notification clears. The storage component's settings are
// checked with it.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Controls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/ObjectText.h"
#include "classlib/TypInfo.h"
#include "toolkit/panels/RzCommonFrameController.h"
#include "toolkit/panels/RzCommonRegIniFile.h"

namespace {
// A control that reads the settings itself.
class TClientControl : public TGraphicControl, public IRzFrameControllerClient {
  CL_CLASS(TClientControl, TGraphicControl)
public:
  explicit TClientControl(TComponent* owner) : TGraphicControl(owner) {}
  TRzFrameController* Controller = nullptr;
  int Applied = 0;
  TFrameStyle SeenStyle = TFrameStyleEx::fsNone;
  void ApplyFrameControllerSettings() override
  {
    ++Applied;
    SeenStyle = Controller->FrameStyle();
  }
};

// A control that only publishes properties of the settings' names, and logs each one set.
class TNamedControl : public TGraphicControl {
  CL_CLASS(TNamedControl, TGraphicControl)
public:
  explicit TNamedControl(TComponent* owner) : TGraphicControl(owner) {}
  std::vector<std::string> Log;

  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle value) { FFrameStyle = value, Log.push_back("FrameStyle"); }
  TSides FrameSides() const { return FFrameSides; }
  void SetFrameSides(TSides value) { FFrameSides = value, Log.push_back("FrameSides"); }
  bool FrameVisible() const { return FFrameVisible; }
  void SetFrameVisible(bool value) { FFrameVisible = value, Log.push_back("FrameVisible"); }
  TColor FocusColor() const { return FFocusColor; }
  void SetFocusColor(TColor value) { FFocusColor = value, Log.push_back("FocusColor"); }
  TColor FrameColor() const { return FFrameColor; }
  void SetFrameColor(TColor value) { FFrameColor = value, Log.push_back("FrameColor"); }
  // A property of a setting's name that cannot take it is left alone.
  std::string FlatButtons() const { return "text"; }
  void SetFlatButtons(const std::string&) { Log.push_back("FlatButtons"); }
  TRzFrameControllerNotifications FrameControllerNotifications() const { return FNotifications; }
  void SetFrameControllerNotifications(TRzFrameControllerNotifications value) { FNotifications = value; }

private:
  TFrameStyle FFrameStyle = TFrameStyleEx::fsNone;
  TSides FFrameSides;
  bool FFrameVisible = false;
  TColor FFocusColor = clNone;
  TColor FFrameColor = clNone;
  TRzFrameControllerNotifications FNotifications = fcpAllNotifications;
};

using TN = TNamedControl;
constexpr TPropInfo NamedControlProps[] = {
  EnumProp<&TN::FrameStyle, &TN::SetFrameStyle>("FrameStyle", FrameStyleInfo, 0),
  SetProp<&TN::FrameSides, &TN::SetFrameSides>("FrameSides", SideInfo, 0),
  BoolProp<&TN::FrameVisible, &TN::SetFrameVisible>("FrameVisible", false),
  ColorProp<&TN::FocusColor, &TN::SetFocusColor>("FocusColor", clNone),
  ColorProp<&TN::FrameColor, &TN::SetFrameColor>("FrameColor", clNone),
  StrProp<&TN::FlatButtons, &TN::SetFlatButtons>("FlatButtons"),
  SetProp<&TN::FrameControllerNotifications, &TN::SetFrameControllerNotifications>(
      "FrameControllerNotifications", RzFrameControllerPropertyConnectionInfo, fcpAllNotifications.ToInt()),
};
CL_DEFINE_CLASS(TClientControl);
CL_DEFINE_CLASS(TNamedControl, .Props = NamedControlProps);

using enum TRzFrameControllerProperty;

class RzFrameController : public testing::Test {
protected:
  TOwned<TRzFrameController> Controller = MakeOwned<TRzFrameController>(nullptr);
  TOwned<TClientControl> Client = MakeOwned<TClientControl>(nullptr);
  TOwned<TNamedControl> Named = MakeOwned<TNamedControl>(nullptr);
  TOwned<TPanel> Panel = MakeOwned<TPanel>(nullptr);

  void SetUp() override { Client->Controller = Controller.get(); }
  void TearDown() override
  {
    for (TControl* c : {static_cast<TControl*>(Client.get()), static_cast<TControl*>(Named.get()),
                        static_cast<TControl*>(Panel.get())})
      Controller->RemoveControl(c);
  }
};
}  // namespace

TEST_F(RzFrameController, RegistrationPushesEverySettingThroughTheInterfaceOrByName)
{
  Controller->SetFrameStyle(TFrameStyleEx::fsGroove);
  Controller->SetFrameSides(TSides{TSide::sdTop, TSide::sdBottom});
  Controller->SetFrameColor(0x123456);
  Controller->AddControl(Client.get());
  Controller->AddControl(Named.get());
  Controller->AddControl(Named.get());  // once only
  EXPECT_EQ(Controller->ControlCount(), 2);
  EXPECT_EQ(Client->Applied, 1);
  EXPECT_EQ(Client->SeenStyle, TFrameStyleEx::fsGroove);
  // The published properties of the settings' names, in the order of a full update.
  EXPECT_EQ(Named->Log,
            (std::vector<std::string>{"FocusColor", "FrameColor", "FrameSides", "FrameStyle", "FrameVisible"}));
  EXPECT_EQ(Named->FrameStyle(), TFrameStyleEx::fsGroove);
  EXPECT_EQ(Named->FrameSides(), (TSides{TSide::sdTop, TSide::sdBottom}));
  EXPECT_EQ(Named->FrameColor(), 0x123456);
  EXPECT_EQ(Named->FocusColor(), clWindow);

  // Afterwards each change sends its own setting, to every control in turn.
  Named->Log.clear();
  Controller->SetFrameStyle(TFrameStyleEx::fsBump);
  EXPECT_EQ(Client->Applied, 2);
  EXPECT_EQ(Client->SeenStyle, TFrameStyleEx::fsBump);
  EXPECT_EQ(Named->Log, (std::vector<std::string>{"FrameStyle"}));
  Controller->SetFrameStyle(TFrameStyleEx::fsBump);  // unchanged: nothing sent
  EXPECT_EQ(Client->Applied, 2);
  EXPECT_EQ(Named->Log.size(), 1u);
}

TEST_F(RzFrameController, AControlsNotificationSetFiltersTheSettingsSetByName)
{
  Named->SetFrameControllerNotifications(fcpAllNotifications - TRzFrameControllerNotifications{fcpFrameStyle});
  Controller->AddControl(Named.get());
  EXPECT_EQ(Named->FrameStyle(), TFrameStyleEx::fsNone);
  Named->Log.clear();
  Controller->SetFrameStyle(TFrameStyleEx::fsRaised);
  Controller->SetFrameVisible(true);
  EXPECT_EQ(Named->Log, (std::vector<std::string>{"FrameVisible"}));
}

TEST_F(RzFrameController, ColourSettingsFollowTheControllersParentColour)
{
  // A plain panel publishes Color and ParentColor.
  Panel->SetColor(clRed);
  Controller->SetParentColor(true);
  Controller->AddControl(Panel.get());
  EXPECT_TRUE(Panel->ParentColor());
  EXPECT_EQ(Panel->Color(), clRed);  // ParentColor set, Color not

  // Color turns ParentColor off, and FocusColor follows a colour it equalled.
  Controller->SetColor(clYellow);
  EXPECT_FALSE(Controller->ParentColor());
  EXPECT_EQ(Controller->FocusColor(), clYellow);
  EXPECT_EQ(Panel->Color(), clYellow);
  Controller->SetFocusColor(clAqua);
  Controller->SetColor(clLime);
  EXPECT_EQ(Controller->FocusColor(), clAqua);

  // Turning ParentColor off sends Color too.
  Controller->SetParentColor(true);
  Panel->SetColor(clRed);
  Controller->SetParentColor(false);
  EXPECT_FALSE(Panel->ParentColor());
  EXPECT_EQ(Panel->Color(), clLime);
}

TEST_F(RzFrameController, ChangesInsideAnUpdateArriveAsOneFullUpdateAtTheOutermostEnd)
{
  Controller->AddControl(Client.get());
  Controller->AddControl(Named.get());
  Named->Log.clear();
  Controller->BeginUpdate();
  Controller->BeginUpdate();
  Controller->SetFrameStyle(TFrameStyleEx::fsLowered);
  Controller->SetFrameColor(clRed);
  Controller->EndUpdate();
  EXPECT_EQ(Client->Applied, 1);
  EXPECT_TRUE(Named->Log.empty());
  Controller->EndUpdate();
  EXPECT_EQ(Client->Applied, 2);
  EXPECT_EQ(Named->Log.size(), 5u);
  EXPECT_EQ(Named->FrameStyle(), TFrameStyleEx::fsLowered);
  // An unbalanced EndUpdate counts from zero again.
  Controller->EndUpdate();
  Controller->SetFrameVisible(true);
  EXPECT_EQ(Client->Applied, 4);
}

TEST_F(RzFrameController, HotTrackingMakesTheFrameVisibleOnAllSides)
{
  Controller->SetFrameSides(TSides{TSide::sdLeft});
  Controller->AddControl(Named.get());
  Named->Log.clear();
  Controller->SetFrameHotTrack(true);
  EXPECT_TRUE(Controller->FrameVisible());
  EXPECT_EQ(Controller->FrameSides(), sdAllSides);
  EXPECT_EQ(Named->Log, (std::vector<std::string>{"FrameVisible"}));  // the control has no FrameHotTrack
  Controller->SetFrameHotTrack(false);
  EXPECT_TRUE(Controller->FrameVisible());
}

TEST_F(RzFrameController, AssignCopiesEverySettingInOneUpdate)
{
  auto source = MakeOwned<TRzFrameController>(nullptr);
  auto storage = MakeOwned<TRzRegIniFile>(nullptr);
  source->SetColor(clYellow);
  source->SetParentColor(true);
  source->SetFlatButtons(false);
  source->SetFrameHotTrack(true);
  source->SetFrameSides(TSides{TSide::sdRight});
  source->SetFrameStyle(TFrameStyleEx::fsButtonUp);
  source->SetFrameHotStyle(TFrameStyleEx::fsPopup);
  source->SetFramingPreference(TFramingPreference::fpCustomFraming);
  source->SetRegIniFile(storage.get());
  Controller->AddControl(Client.get());
  Controller->Assign(source.get());
  EXPECT_EQ(Client->Applied, 2);
  for (const TPropInfo* p : GetPropList(TRzFrameController::StaticClass())) {
    if (!p->GetOrd) continue;
    EXPECT_EQ(GetOrdProp(Controller.get(), p->Name), GetOrdProp(source.get(), p->Name)) << p->Name;
  }
  EXPECT_EQ(Controller->RegIniFile(), storage.get());
  EXPECT_THROW(Controller->Assign(storage.get()), EConvertError);
  storage.reset();
  EXPECT_EQ(Controller->RegIniFile(), nullptr);
  EXPECT_EQ(source->RegIniFile(), nullptr);
}

TEST_F(RzFrameController, ObsoleteStoredSettingsAreReadIntoTheirSuccessors)
{
  ReadComponentFromText(
      "object C: TRzFrameController\n  FrameFlat = True\n  FrameFlatStyle = fsStatus\nend\n", Controller.get());
  EXPECT_TRUE(Controller->FrameHotTrack());
  EXPECT_EQ(Controller->FrameStyle(), TFrameStyleEx::fsStatus);
  EXPECT_EQ(Controller->FrameHotStyle(), TFrameStyleEx::fsLowered);
  EXPECT_EQ(ComponentToText(Controller.get()).find("FrameFlat"), std::string::npos);

  auto other = MakeOwned<TRzFrameController>(nullptr);
  ReadComponentFromText("object D: TRzFrameController\n  FrameFocusStyle = fsButtonDown\nend\n", other.get());
  EXPECT_EQ(other->FrameHotStyle(), TFrameStyleEx::fsButtonDown);
  EXPECT_FALSE(other->FrameHotTrack());
  auto bad = MakeOwned<TRzFrameController>(nullptr);
  EXPECT_THROW(ReadComponentFromText("object E: TRzFrameController\n  FrameFocusStyle = fsNoSuch\nend\n", bad.get()),
               EReadError);
}

TEST_F(RzFrameController, ColorIsStoredOnlyWithoutParentColourAndLoadingPushesAll)
{
  Controller->SetColor(clYellow);
  EXPECT_NE(ComponentToText(Controller.get()).find("\n  Color = clYellow"), std::string::npos);
  Controller->SetParentColor(true);
  EXPECT_EQ(ComponentToText(Controller.get()).find("\n  Color = "), std::string::npos);

  Controller->AddControl(Client.get());
  ReadComponentFromText("object C: TRzFrameController\n  FrameStyle = fsRaised\nend\n", Controller.get());
  EXPECT_EQ(Client->SeenStyle, TFrameStyleEx::fsRaised);
}

TEST_F(RzFrameController, AFreedControlLeavesTheListWithoutUnregistering)
{
  Controller->AddControl(Named.get());
  Controller->AddControl(Client.get());
  Named.reset();
  EXPECT_EQ(Controller->ControlCount(), 1);
  Controller->SetFrameStyle(TFrameStyleEx::fsRaised);
  EXPECT_EQ(Client->SeenStyle, TFrameStyleEx::fsRaised);
  Named = MakeOwned<TNamedControl>(nullptr);
}

TEST(RzRegIniFile, SettingsAreStoredWithTheirDefaultsAndMarkedForRefreshing)
{
  auto storage = MakeOwned<TRzRegIniFile>(nullptr);
  EXPECT_EQ(storage->PathType(), TRzPathType::ptIniFile);
  EXPECT_EQ(storage->RegKey(), TRzRegKey::hkeyCurrentUser);
  EXPECT_EQ(storage->RegAccess(), TRzRegAccess{TRzRegAccessKey::keyAllAccess});
  EXPECT_EQ(storage->SpecialFolder(), TRzSpecialFolder::sfNone);
  EXPECT_EQ(storage->FileEncoding(), TRzIniFileEncoding::feDefault);
  EXPECT_TRUE(storage->RefreshStorage());
  const std::string text = ComponentToText(storage.get());
  EXPECT_EQ(text.find("PathType"), std::string::npos) << text;
  ReadComponentFromText(
      "object S: TRzRegIniFile\n  Path = 'Software\\Panels'\n  PathType = ptRegistry\n  RegKey = hkeyLocalMachine\n"
      "  RegAccess = [keyRead]\n  SpecialFolder = sfUserDocuments\n  FileEncoding = feUTF8\nend\n",
      storage.get());
  EXPECT_EQ(storage->Path(), "Software\\Panels");
  EXPECT_EQ(storage->PathType(), TRzPathType::ptRegistry);
  EXPECT_EQ(storage->RegKey(), TRzRegKey::hkeyLocalMachine);
  EXPECT_EQ(storage->RegAccess(), TRzRegAccess{TRzRegAccessKey::keyRead});
  EXPECT_EQ(storage->SpecialFolder(), TRzSpecialFolder::sfUserDocuments);
  EXPECT_EQ(storage->FileEncoding(), TRzIniFileEncoding::feUTF8);
  EXPECT_TRUE(storage->RefreshStorage());
}
