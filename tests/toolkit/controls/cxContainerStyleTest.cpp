// Container styles and style controllers: where each value comes from (own value, controller chain,
// standard value, root style, parent control), the border-style rows, direct-access mode, the
// controller links with their refusal of cycles and the default controller, the font-assigned
// lock, change reporting, copying and defaults, and stored forms.
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Filer.h"
#include "classlib/Forms.h"
#include "classlib/ObjectText.h"
#include "classlib/SysUtils.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/cxContainerStyleController.h"

namespace {
using controls_test::TComponentHolder;
using State = TcxContainerStateItem;

constexpr TcxContainerStyleClass StyleClass = ClassRef<TcxContainerStyle>();

class TChangeLog : public TObject {
  CL_CLASS(TChangeLog, TObject)
public:
  void Changed(TObject* Sender) { Senders.push_back(Sender); }
  TNotifyEvent Handler() { return TNotifyEvent(this, &TChangeLog::Changed); }
  int Count() const { return static_cast<int>(Senders.size()); }
  std::vector<TObject*> Senders;
};

// A container control as far as its styles ask it things.
class TStubContainer : public TCustomControl, public IcxContainerStyleOwner {
  CL_CLASS(TStubContainer, TCustomControl)
public:
  explicit TStubContainer(TComponent* owner) : TCustomControl(owner) {}
  void AfterConstruction() override
  {
    TCustomControl::AfterConstruction();
    FStyles = MakeOwned<TcxContainerStyles>(this, StyleClass);
  }
  bool IsParentColorDefault() override { return ParentColorDefault; }
  bool IsInplace() override { return Inplace; }
  bool IsStyleValueStored(std::string_view Name, bool NonNormalState) override
  {
    StoredQueries.push_back(std::string(Name) + (NonNormalState ? "/other" : "/normal"));
    return !NonNormalState || Style()->IsPropertyPublished(Name);
  }
  TcxContainerStyle* Style() const { return FStyles->GetNormalStyle(); }
  TcxContainerStyle* StyleHot() const { return FStyles->GetHotStyle(); }

  bool ParentColorDefault = false;
  bool Inplace = false;
  std::vector<std::string> StoredQueries;

private:
  TOwned<TcxContainerStyles> FStyles;
};

// A controller whose four styles are published, as the editors' controller publishes them.
class TTestStyleController : public TcxStyleController {
  CL_CLASS(TTestStyleController, TcxStyleController)
public:
  explicit TTestStyleController(TComponent* owner) : TcxStyleController(owner) {}
  TcxContainerStyle* Style() const { return GetNormalStyle(); }
  TcxContainerStyle* StyleDisabled() const { return GetStateStyle(State::csDisabled); }
  TcxContainerStyle* StyleFocused() const { return GetStateStyle(State::csActive); }
  TcxContainerStyle* StyleHot() const { return GetStateStyle(State::csHotTrack); }
};

// A component that publishes the two styles of its stub container.
class TStubContainerHost : public TComponent {
  CL_CLASS(TStubContainerHost, TComponent)
public:
  explicit TStubContainerHost(TComponent* owner) : TComponent(owner), FContainer(New<TStubContainer>(this)) {}
  TStubContainer* Container() const { return FContainer; }
  TcxContainerStyle* Style() const { return FContainer->Style(); }
  TcxContainerStyle* StyleHot() const { return FContainer->StyleHot(); }

private:
  TStubContainer* FContainer;
};

const TPropInfo ControllerProps[] = {
  PersistentProp<&TTestStyleController::Style>("Style"),
  PersistentProp<&TTestStyleController::StyleDisabled>("StyleDisabled"),
  PersistentProp<&TTestStyleController::StyleFocused>("StyleFocused"),
  PersistentProp<&TTestStyleController::StyleHot>("StyleHot"),
};
const TPropInfo HostProps[] = {
  PersistentProp<&TStubContainerHost::Style>("Style"),
  PersistentProp<&TStubContainerHost::StyleHot>("StyleHot"),
};
}  // namespace

CL_DEFINE_CLASS(TChangeLog);
CL_DEFINE_CLASS(TStubContainer);
CL_DEFINE_CLASS(TTestStyleController, .Props = ControllerProps);
CL_DEFINE_CLASS(TStubContainerHost, .Props = HostProps);

namespace {
// Two controllers A and B, a set of styles without a container, and a direct-access style.
struct TStyleWorld {
  TcxContainerStyle* N() const { return Styles->GetNormalStyle(); }
  TcxContainerStyle* F() const { return Styles->GetFocusedStyle(); }
  TcxContainerStyle* D() const { return Styles->GetDisabledStyle(); }
  TcxContainerStyle* H() const { return Styles->GetHotStyle(); }
  TcxContainerStyle* A(State state = State::csNormal) const { return ControllerA->GetStateStyle(state); }
  TcxContainerStyle* B(State state = State::csNormal) const { return ControllerB->GetStateStyle(state); }

  TOwned<TcxStyleController> ControllerA = MakeOwned<TcxStyleController>(nullptr);
  TOwned<TcxStyleController> ControllerB = MakeOwned<TcxStyleController>(nullptr);
  TOwned<TcxContainerStyles> Styles = MakeOwned<TcxContainerStyles>(nullptr, StyleClass);
  TOwned<TFont> DirectFont = MakeOwned<TFont>();
  TOwned<TcxContainerStyle> Direct = MakeOwned<TcxContainerStyle>(nullptr, true);
};

class ContainerStyle : public testing::Test, public TStyleWorld {
protected:
  void SetUp() override
  {
    ASSERT_EQ(GetDefaultContainerStyleController(), nullptr);
    RegisterClass(TTestStyleController::StaticClass());
  }
};

int64_t Ord(TColor c) { return c; }
int64_t Ord(TcxContainerBorderStyle s) { return static_cast<int64_t>(s); }
template <class E>
int64_t Ord(TSet<E> s)
{
  return static_cast<int64_t>(s.ToInt());
}
int64_t Ord(bool b) { return b; }

struct TResolutionCase {
  const char* Name;
  std::function<void(TStyleWorld&)> Arrange;
  std::function<int64_t(TStyleWorld&)> Read;
  int64_t Expected;
};

TEST_F(ContainerStyle, ValueResolution)
{
  using C = TStyleWorld;
  auto linkNToA = [](C& t) { t.N()->SetStyleController(t.ControllerA.get()); };
  auto chainNToAToB = [](C& t) {
    t.N()->SetStyleController(t.ControllerA.get());
    t.A()->SetStyleController(t.ControllerB.get());
  };
  const TResolutionCase cases[] = {
    // Own values and standard values.
    {"own colour", [](C& t) { t.N()->SetColor(clRed); }, [](C& t) { return Ord(t.N()->Color()); }, clRed},
    {"standard colour of a root without container", [](C&) {}, [](C& t) { return Ord(t.N()->Color()); }, clBtnFace},
    {"focused colour follows the root", [](C& t) { t.N()->SetColor(clRed); },
     [](C& t) { return Ord(t.F()->Color()); }, clRed},
    {"standard border colour of the root", [](C&) {}, [](C& t) { return Ord(t.N()->BorderColor()); }, clWindowFrame},
    {"text colour of the root is its font's", [](C& t) { t.N()->Font()->SetColor(clMaroon); },
     [](C& t) { return Ord(t.N()->TextColor()); }, clMaroon},
    {"standard edges, hot tracking, shadow, transparent border", [](C&) {},
     [](C& t) {
       return Ord(t.N()->Edges()) * 1000 + Ord(t.N()->HotTrack()) * 100 + Ord(t.N()->Shadow()) * 10 +
              Ord(t.N()->TransparentBorder());
     },
     Ord(cxBordersAll) * 1000 + 101},
    // The controller chain.
    {"colour from the controller", [=](C& t) { linkNToA(t); t.A()->SetColor(clGreen); },
     [](C& t) { return Ord(t.N()->Color()); }, clGreen},
    {"own value before the controller's", [=](C& t) { linkNToA(t); t.A()->SetColor(clGreen); t.N()->SetColor(clRed); },
     [](C& t) { return Ord(t.N()->Color()); }, clRed},
    {"chain of two controllers", [=](C& t) { chainNToAToB(t); t.B()->SetColor(clYellow); },
     [](C& t) { return Ord(t.N()->Color()); }, clYellow},
    {"the nearer controller first", [=](C& t) { chainNToAToB(t); t.B()->SetColor(clYellow); t.A()->SetColor(clGreen); },
     [](C& t) { return Ord(t.N()->Color()); }, clGreen},
    {"the controller's style of the same state", [=](C& t) { linkNToA(t); t.A(State::csActive)->SetTextColor(clNavy); },
     [](C& t) { return Ord(t.F()->TextColor()); }, clNavy},
    {"another state's value in the controller does not count",
     [=](C& t) { linkNToA(t); t.A(State::csActive)->SetTextColor(clNavy); },
     [](C& t) { return Ord(t.H()->TextColor()); }, clWindowText},
    {"chain of two, same state", [=](C& t) { chainNToAToB(t); t.B(State::csHotTrack)->SetBorderStyle(cbsThick); },
     [](C& t) { return Ord(t.H()->BorderStyle()); }, Ord(cbsThick)},
    {"assigned in the chain", [=](C& t) { chainNToAToB(t); t.B()->SetTransparentBorder(false); },
     [](C& t) { return Ord(t.H()->IsValueAssigned(svTransparentBorder)) * 10 + Ord(t.H()->TransparentBorder()); }, 10},
    {"assigned nowhere", [=](C& t) { chainNToAToB(t); },
     [](C& t) { return Ord(t.N()->IsValueAssigned(svColor)); }, 0},
    // Values only the root carries.
    {"root-only value read from the hot style", [](C& t) { t.N()->SetShadow(true); },
     [](C& t) { return Ord(t.H()->Shadow()); }, 1},
    {"root-only value set on the hot style lands in the root", [](C& t) { t.H()->SetEdges({TcxBorder::bLeft}); },
     [](C& t) { return Ord(t.N()->Edges()) * 10000 + Ord(t.N()->AssignedValues()) * 10 + Ord(t.H()->AssignedValues()); },
     Ord(TcxBorders{TcxBorder::bLeft}) * 10000 + (1 << svEdges) * 10},
    {"root-only value from the controller's root", [=](C& t) { linkNToA(t); t.A()->SetHotTrack(false); },
     [](C& t) { return Ord(t.F()->HotTrack()); }, 0},
    {"root-only value set on a controller's focused style serves from its root",
     [=](C& t) { linkNToA(t); t.A(State::csActive)->SetShadow(true); }, [](C& t) { return Ord(t.F()->Shadow()); }, 1},
    // Disabled colours.
    {"disabled border colour", [](C&) {}, [](C& t) { return Ord(t.D()->BorderColor()); }, clBtnShadow},
    {"disabled text colour", [](C& t) { t.N()->SetTextColor(clRed); }, [](C& t) { return Ord(t.D()->TextColor()); },
     clBtnShadow},
    {"disabled border colour assigned in the chain", [=](C& t) { linkNToA(t); t.A(State::csDisabled)->SetBorderColor(clRed); },
     [](C& t) { return Ord(t.D()->BorderColor()); }, clRed},
    {"focused border colour follows the root", [](C& t) { t.N()->SetBorderColor(clRed); },
     [](C& t) { return Ord(t.F()->BorderColor()); }, clRed},
    // Border-style rows.
    {"focused, hot tracking, single", [](C& t) { t.N()->SetBorderStyle(cbsSingle); },
     [](C& t) { return Ord(t.F()->BorderStyle()); }, Ord(cbsThick)},
    {"focused, no hot tracking, single", [](C& t) { t.N()->SetBorderStyle(cbsSingle); t.N()->SetHotTrack(false); },
     [](C& t) { return Ord(t.F()->BorderStyle()); }, Ord(cbsSingle)},
    {"hot, hot tracking, flat", [](C& t) { t.N()->SetBorderStyle(cbsFlat); },
     [](C& t) { return Ord(t.H()->BorderStyle()); }, Ord(cbs3D)},
    {"hot, hot tracking, none", [](C& t) { t.N()->SetBorderStyle(cbsNone); },
     [](C& t) { return Ord(t.H()->BorderStyle()); }, Ord(cbsFlat)},
    {"disabled, single", [](C& t) { t.N()->SetBorderStyle(cbsSingle); }, [](C& t) { return Ord(t.D()->BorderStyle()); },
     Ord(cbsSingle)},
    {"root border style of a standard look-and-feel", [](C& t) { t.N()->LookAndFeel()->SetKind(lfStandard); },
     [](C& t) { return Ord(t.N()->BorderStyle()); }, Ord(cbs3D)},
    {"root border style of a flat look-and-feel", [](C& t) { t.N()->LookAndFeel()->SetKind(lfFlat); },
     [](C& t) { return Ord(t.N()->BorderStyle()); }, Ord(cbsFlat)},
    {"root border style of an Office 2003 look-and-feel", [](C& t) { t.N()->LookAndFeel()->SetKind(lfOffice11); },
     [](C& t) { return Ord(t.F()->BorderStyle()); }, Ord(cbsOffice11)},
    // Direct-access mode.
    {"direct: the stored colour", [](C& t) { t.Direct->SetColor(clRed); }, [](C& t) { return Ord(t.Direct->Color()); },
     clRed},
    {"direct: no border colour", [](C& t) { t.Direct->SetBorderColor(clRed); },
     [](C& t) { return Ord(t.Direct->BorderColor()); }, clDefault},
    {"direct: no edges, no shadow, transparent border", [](C& t) { t.Direct->SetEdges(cxBordersAll); t.Direct->SetShadow(true); },
     [](C& t) { return Ord(t.Direct->Edges()) * 100 + Ord(t.Direct->Shadow()) * 10 + Ord(t.Direct->TransparentBorder()); },
     1},
    {"direct: border style standard until assigned", [](C& t) { t.Direct->LookAndFeel()->SetKind(lfFlat); },
     [](C& t) { return Ord(t.Direct->BorderStyle()); }, Ord(cbsFlat)},
    {"direct: border style once assigned", [](C& t) { t.Direct->SetBorderStyle(cbsNone); },
     [](C& t) { return Ord(t.Direct->BorderStyle()); }, Ord(cbsNone)},
    {"direct: every value counts as assigned", [](C&) {}, [](C& t) { return Ord(t.Direct->AssignedValues()); },
     (1 << cxContainerStyleValueCount) - 1},
    {"direct: the text style is the referenced font's",
     [](C& t) { t.DirectFont->SetStyle({TFontStyle::fsItalic}); t.Direct->SetFont(t.DirectFont.get()); },
     [](C& t) { return Ord(t.Direct->TextStyle()) * 10 + Ord(t.Direct->Font() == t.DirectFont.get()); },
     Ord(TFontStyles{TFontStyle::fsItalic}) * 10 + 1},
    {"direct: the controller chain is not asked", [](C& t) {
       t.Direct->SetStyleController(t.ControllerA.get());
       t.A()->SetTextColor(clRed);
       t.Direct->SetTextColor(clBlue);
     },
     [](C& t) { return Ord(t.Direct->TextColor()); }, clBlue},
  };
  for (const TResolutionCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TStyleWorld t;
    c.Arrange(t);
    EXPECT_EQ(c.Read(t), c.Expected);
  }
}

TEST_F(ContainerStyle, ContainerColourRules)
{
  controls_test::TFormGuard guard{controls_test::NewForm()};
  guard.Form->SetColor(clAqua);
  auto* container = New<TStubContainer>(guard.Form);
  container->SetParent(guard.Form);
  TcxContainerStyle* style = container->Style();

  container->SetParentColor(false);
  EXPECT_EQ(style->Color(), clWindow) << "a container whose colour does not follow its parent";
  EXPECT_EQ(container->StyleHot()->Color(), clWindow);
  container->ParentColorDefault = true;
  EXPECT_EQ(style->Color(), clBtnFace);

  container->SetParentColor(true);
  style->SetColor(clRed);
  EXPECT_EQ(style->GetColor(), clAqua) << "the parent's colour comes first";
  EXPECT_EQ(style->GetVisibleColor(), clRed) << "the visible colour takes the assigned one";
  style->SetAssignedValues({});
  EXPECT_EQ(style->GetVisibleColor(), clAqua);
  container->Inplace = true;
  EXPECT_EQ(style->GetVisibleColor(), clBtnFace) << "in place: never the parent's colour";

  // Disabled without the parent-colour default: button face.
  container->ParentColorDefault = false;
  container->SetParentColor(false);
  auto styles = MakeOwned<TcxContainerStyles>(container, StyleClass);
  EXPECT_EQ(styles->GetDisabledStyle()->Color(), clBtnFace);
  EXPECT_EQ(styles->GetFocusedStyle()->Color(), clWindow);
}

TEST_F(ContainerStyle, RestoreDefaultValues)
{
  controls_test::TFormGuard guard{controls_test::NewForm()};
  guard.Form->SetColor(clAqua);
  auto* container = New<TStubContainer>(guard.Form);
  container->SetParent(guard.Form);
  container->ParentColorDefault = true;
  TcxContainerStyle* style = container->Style();
  style->SetColor(clRed);
  style->SetBorderStyle(cbsThick);
  style->LookAndFeel()->SetKind(lfFlat);
  container->SetParentColor(false);
  container->SetParentFont(false);

  style->RestoreDefaultValues();
  EXPECT_TRUE(style->AssignedValues().Empty());
  EXPECT_TRUE(style->LookAndFeel()->AssignedValues().Empty());
  EXPECT_TRUE(container->ParentFont());
  EXPECT_TRUE(container->ParentColor()) << "no colour assigned by the controller";
  EXPECT_EQ(container->Color(), clAqua);
  EXPECT_EQ(style->Color(), clAqua);

  // With a controller that assigns a colour the container keeps a colour of its own.
  style->SetStyleController(ControllerA.get());
  A()->SetColor(clGreen);
  style->RestoreDefaultValues();
  EXPECT_FALSE(container->ParentColor());
  EXPECT_EQ(style->Color(), clGreen);

  // A non-root style only forgets its own values.
  container->StyleHot()->SetTextColor(clRed);
  container->StyleHot()->RestoreDefaultValues();
  EXPECT_TRUE(container->StyleHot()->AssignedValues().Empty());
  EXPECT_FALSE(container->ParentColor());

  // Without a container the root font goes back to the default (or the chain's) font.
  N()->Font()->SetHeight(-40);
  N()->RestoreDefaultValues();
  auto defaultFont = MakeOwned<TFont>();
  EXPECT_EQ(N()->Font()->Height(), defaultFont->Height());
  A()->Font()->SetHeight(-30);
  N()->SetStyleController(ControllerA.get());
  N()->Font()->SetHeight(-40);
  N()->RestoreDefaultValues();
  EXPECT_EQ(N()->Font()->Height(), -30);
  EXPECT_FALSE(N()->AssignedValues().Contains(svFont));
}

TEST_F(ContainerStyle, ControllerCycleIsRefused)
{
  auto log = MakeOwned<TChangeLog>();
  A()->SetStyleController(ControllerB.get());
  B()->SetOnChanged(log->Handler());

  // B's normal style reaches A, whose normal style uses B: the link would close a cycle.
  EXPECT_NO_THROW(B()->SetStyleController(ControllerA.get()));
  EXPECT_EQ(B()->StyleController(), nullptr);
  EXPECT_FALSE(ControllerA->IsListening(B()));
  EXPECT_EQ(log->Count(), 0) << "nothing changed, nothing reported";

  // A controller's style linked to the controller itself, through a non-root style too.
  A(State::csHotTrack)->SetStyleController(ControllerA.get());
  EXPECT_EQ(A()->StyleController(), ControllerB.get());

  // A chain of three: C uses A, A uses B; B may not use C.
  auto controllerC = MakeOwned<TcxStyleController>(nullptr);
  controllerC->GetNormalStyle()->SetStyleController(ControllerA.get());
  B()->SetStyleController(controllerC.get());
  EXPECT_EQ(B()->StyleController(), nullptr);
  // Unrelated links are still taken.
  N()->SetStyleController(controllerC.get());
  EXPECT_EQ(N()->StyleController(), controllerC.get());
  controllerC.reset();
  EXPECT_EQ(N()->StyleController(), nullptr) << "a freed controller lets its styles go";
}

TEST_F(ContainerStyle, ListenersFollowTheController)
{
  auto log = MakeOwned<TChangeLog>();
  N()->SetOnChanged(log->Handler());
  H()->SetOnChanged(log->Handler());
  N()->SetStyleController(ControllerA.get());
  EXPECT_TRUE(ControllerA->IsListening(N()));
  EXPECT_EQ(ControllerA->ListenerCount(), 1) << "only the root listens";
  EXPECT_EQ(N()->LookAndFeel()->MasterLookAndFeel(), A()->LookAndFeel());
  EXPECT_EQ(H()->StyleController(), ControllerA.get());
  EXPECT_EQ(H()->GetEffectiveStyleController(), ControllerA.get());

  // The controller's look-and-feel is the master of the style's.
  A()->LookAndFeel()->SetKind(lfOffice11);
  EXPECT_EQ(N()->LookAndFeel()->Kind(), lfOffice11);
  EXPECT_EQ(H()->BorderStyle(), cbsOffice11);

  // A change in any of the controller's styles reaches its listeners and the controller's event.
  auto controllerLog = MakeOwned<TChangeLog>();
  ControllerA->SetOnStyleChanged(controllerLog->Handler());
  log->Senders.clear();
  A(State::csDisabled)->SetBorderColor(clRed);
  EXPECT_EQ(controllerLog->Senders, std::vector<TObject*>{ControllerA.get()});
  EXPECT_EQ(log->Senders, std::vector<TObject*>{N()});
  EXPECT_EQ(D()->BorderColor(), clRed);

  // Another controller: the old one lets the style go, the new one's look-and-feel is master.
  N()->SetStyleController(ControllerB.get());
  EXPECT_FALSE(ControllerA->IsListening(N()));
  EXPECT_EQ(N()->LookAndFeel()->MasterLookAndFeel(), B()->LookAndFeel());
  EXPECT_EQ(D()->BorderColor(), clBtnShadow);

  // Freed: back to none (there is no default controller here), and to the root look-and-feel.
  log->Senders.clear();
  ControllerB.reset();
  EXPECT_EQ(N()->StyleController(), nullptr);
  EXPECT_EQ(N()->GetEffectiveStyleController(), nullptr);
  EXPECT_EQ(N()->LookAndFeel()->MasterLookAndFeel(), nullptr);
  EXPECT_EQ(log->Count(), 1);

  // A style freed first leaves its controller.
  N()->SetStyleController(ControllerA.get());
  Styles.reset();
  EXPECT_EQ(ControllerA->ListenerCount(), 0);
}

TEST_F(ContainerStyle, DefaultController)
{
  auto defaultController = MakeOwned<TcxStyleController>(nullptr);
  SetDefaultContainerStyleController(defaultController.get());
  defaultController->GetNormalStyle()->SetColor(clTeal);

  auto styles = MakeOwned<TcxContainerStyles>(nullptr, StyleClass);
  TcxContainerStyle* style = styles->GetNormalStyle();
  EXPECT_EQ(style->GetEffectiveStyleController(), defaultController.get()) << "linked from birth";
  EXPECT_EQ(style->StyleController(), nullptr) << "the default link reads as none";
  EXPECT_EQ(style->Color(), clTeal);
  EXPECT_FALSE(style->IsStyleControllerStored() && style->StyleController());

  // The default controller's own styles do not follow it.
  EXPECT_EQ(defaultController->GetNormalStyle()->GetEffectiveStyleController(), nullptr);
  defaultController->GetNormalStyle()->SetStyleController(ControllerA.get());
  EXPECT_EQ(defaultController->GetNormalStyle()->GetEffectiveStyleController(), nullptr);

  // Another controller made now links to the default too: a chain of two.
  style->SetStyleController(ControllerA.get());
  EXPECT_EQ(style->Color(), clBtnFace) << "A was made before the default controller";
  auto later = MakeOwned<TcxStyleController>(nullptr);
  EXPECT_EQ(later->GetNormalStyle()->GetEffectiveStyleController(), defaultController.get());
  style->SetStyleController(later.get());
  EXPECT_EQ(style->Color(), clTeal);
  // None means the default.
  style->SetStyleController(nullptr);
  EXPECT_EQ(style->GetEffectiveStyleController(), defaultController.get());

  // The framework empties the slot before freeing its controller: the styles let it go and stay
  // unlinked.
  SetDefaultContainerStyleController(nullptr);
  defaultController.reset();
  EXPECT_EQ(style->GetEffectiveStyleController(), nullptr);
  EXPECT_EQ(later->GetNormalStyle()->GetEffectiveStyleController(), nullptr);

  // A default controller freed while still in the slot empties the slot and lets its styles go.
  auto second = MakeOwned<TcxStyleController>(nullptr);
  SetDefaultContainerStyleController(second.get());
  style->SetStyleController(nullptr);
  EXPECT_EQ(style->GetEffectiveStyleController(), second.get());
  second.reset();
  EXPECT_EQ(GetDefaultContainerStyleController(), nullptr);
  EXPECT_EQ(style->GetEffectiveStyleController(), nullptr);
}

TEST_F(ContainerStyle, FontAssignedLock)
{
  // A change through the font itself assigns it.
  N()->Font()->SetName("SimSun");
  EXPECT_TRUE(N()->AssignedValues().Contains(svFont));
  N()->SetAssignedValues({});

  // Refreshing from the controller copies the controller's font without assigning it.
  A()->Font()->SetHeight(-20);
  ASSERT_TRUE(A()->AssignedValues().Contains(svFont));
  N()->SetStyleController(ControllerA.get());
  EXPECT_EQ(N()->Font()->Height(), -20);
  EXPECT_FALSE(N()->AssignedValues().Contains(svFont));
  EXPECT_TRUE(H()->IsValueAssigned(svFont)) << "assigned in the chain";

  // The controller's later font changes are followed.
  A()->Font()->SetHeight(-24);
  EXPECT_EQ(N()->Font()->Height(), -24);
  EXPECT_FALSE(N()->AssignedValues().Contains(svFont));

  // An assigned font stays; unassigning it brings the controller's back.
  auto font = MakeOwned<TFont>();
  font->SetHeight(-11);
  H()->SetFont(font.get());
  EXPECT_TRUE(N()->AssignedValues().Contains(svFont)) << "the font belongs to the root";
  A()->Font()->SetHeight(-28);
  EXPECT_EQ(N()->Font()->Height(), -11);
  N()->SetAssignedValues(N()->AssignedValues() - TcxContainerStyleValues{svFont});
  EXPECT_EQ(N()->Font()->Height(), -28);

  // The effective font: the root font in the effective text colour and style.
  F()->SetTextColor(clRed);
  F()->SetTextStyle({TFontStyle::fsBold});
  TFont* effective = F()->GetEffectiveFont();
  EXPECT_EQ(effective->Height(), -28);
  EXPECT_EQ(effective->Color(), clRed);
  EXPECT_EQ(effective->Style(), TFontStyles{TFontStyle::fsBold});
  EXPECT_EQ(N()->Font()->Style(), TFontStyles{}) << "the root font itself is untouched";
}

TEST_F(ContainerStyle, ChangeReporting)
{
  auto log = MakeOwned<TChangeLog>();
  Styles->AssignChangeHandler(log->Handler());

  N()->BeginUpdate();
  N()->BeginUpdate();
  N()->SetColor(clRed);
  N()->SetBorderColor(clBlue);
  N()->EndUpdate();
  EXPECT_EQ(log->Count(), 0);
  N()->EndUpdate();
  N()->EndUpdate();  // one too many: no harm
  EXPECT_EQ(log->Senders, std::vector<TObject*>{N()});

  // Equal values are no change once assigned; text colour compares with the effective value.
  log->Senders.clear();
  N()->SetColor(clRed);
  F()->SetTextColor(clWindowText);
  EXPECT_EQ(log->Senders, std::vector<TObject*>{F()}) << "not yet assigned: assigning is a change";
  F()->SetTextColor(clWindowText);
  H()->SetHotTrack(false);
  EXPECT_EQ(log->Senders, (std::vector<TObject*>{F(), N()})) << "a root-only value changes the root";

  // A font assigned through the style: one report.
  log->Senders.clear();
  auto font = MakeOwned<TFont>();
  font->SetHeight(-30);
  N()->SetFont(font.get());
  EXPECT_EQ(log->Count(), 1);

  // The look-and-feel's changes are the style's.
  log->Senders.clear();
  N()->LookAndFeel()->SetKind(lfFlat);
  EXPECT_EQ(log->Senders, std::vector<TObject*>{N()});

  // Direct-access mode never reports.
  auto directLog = MakeOwned<TChangeLog>();
  Direct->SetOnChanged(directLog->Handler());
  Direct->SetColor(clRed);
  Direct->SetFont(font.get());
  Direct->LookAndFeel()->SetKind(lfStandard);
  EXPECT_EQ(directLog->Count(), 0);
}

TEST_F(ContainerStyle, AssignCopiesValuesOnce)
{
  N()->SetStyleController(ControllerA.get());
  N()->SetColor(clRed);
  N()->SetBorderStyle(cbsThick);
  N()->SetShadow(true);
  N()->Font()->SetHeight(-17);
  N()->LookAndFeel()->SetKind(lfStandard);

  auto target = MakeOwned<TcxContainerStyles>(nullptr, StyleClass);
  auto log = MakeOwned<TChangeLog>();
  target->AssignChangeHandler(log->Handler());
  target->SetNormalStyle(N());
  TcxContainerStyle* copy = target->GetNormalStyle();
  EXPECT_EQ(log->Count(), 1);
  EXPECT_EQ(copy->AssignedValues(), N()->AssignedValues());
  EXPECT_EQ(copy->StyleController(), ControllerA.get());
  EXPECT_EQ(copy->Color(), clRed);
  EXPECT_EQ(copy->BorderStyle(), cbsThick);
  EXPECT_TRUE(copy->Shadow());
  EXPECT_EQ(copy->Font()->Height(), -17);
  EXPECT_EQ(copy->LookAndFeel()->Kind(), lfStandard);

  // A direct-access copy refers to the source's font.
  Direct->Assign(N());
  EXPECT_EQ(Direct->Font(), N()->Font());
  EXPECT_EQ(Direct->Color(), clRed);

  // A non-root copy takes the effective text values but no controller.
  F()->SetTextColor(clNavy);
  target->SetFocusedStyle(F());
  EXPECT_EQ(target->GetFocusedStyle()->TextColor(), clNavy);

  auto font = MakeOwned<TFont>();
  EXPECT_THROW(copy->Assign(font.get()), EConvertError);
}

TEST_F(ContainerStyle, ValueNames)
{
  const char* names[] = {"BorderColor", "BorderStyle", "Color",     "Edges",     "Font",
                         "HotTrack",    "Shadow",      "TextColor", "TextStyle", "TransparentBorder"};
  std::string name;
  for (int value = 0; value < cxContainerStyleValueCount; ++value) {
    ASSERT_TRUE(N()->GetValueName(value, name));
    EXPECT_EQ(name, names[value]);
    TcxContainerStyleValue found = -1;
    EXPECT_TRUE(N()->FindStyleValue(AnsiLowerCase(names[value]), found));
    EXPECT_EQ(found, value);
  }
  EXPECT_FALSE(N()->GetValueName(cxContainerStyleValueCount, name));
  EXPECT_EQ(name, "");
  EXPECT_FALSE(N()->GetValueName(-1, name));
  TcxContainerStyleValue found = -1;
  EXPECT_FALSE(N()->FindStyleValue("Colour", found));

  struct {
    const char* Name;
    bool Published;
  } published[] = {{"LookAndFeel", false}, {"stylecontroller", false}, {"Color", true}, {"TextStyle", true},
                   {"Edges", false},       {"Font", false},            {"HotTrack", false}, {"Tag", true}};
  for (const auto& p : published) EXPECT_EQ(H()->IsPropertyPublished(p.Name), p.Published) << p.Name;
  EXPECT_TRUE(N()->IsBorderShown());
  EXPECT_TRUE(H()->IsBorderShown());
}

TEST_F(ContainerStyle, StoredFormRoundTrip)
{
  auto holder = MakeOwned<TComponentHolder>(nullptr);
  holder->SetName("Holder");
  auto* first = New<TTestStyleController>(holder.get());
  first->SetName("First");
  auto* second = New<TTestStyleController>(holder.get());
  second->SetName("Second");
  first->Style()->SetColor(clRed);
  first->Style()->SetBorderStyle(cbsThick);
  first->Style()->Font()->SetName("SimSun");
  first->StyleFocused()->SetTextColor(clBlue);
  first->StyleHot()->SetEdges({TcxBorder::bTop});
  first->Style()->LookAndFeel()->SetKind(lfFlat);
  second->Style()->SetStyleController(first);

  const std::string text = ComponentToText(holder.get());
  EXPECT_NE(text.find("Style.IsFontAssigned = True"), std::string::npos) << text;
  EXPECT_NE(text.find("Style.Edges = [bTop]"), std::string::npos) << "set on the hot style, stored in the root";
  EXPECT_NE(text.find("Style.StyleController = First"), std::string::npos) << text;
  EXPECT_NE(text.find("StyleFocused.TextColor = clBlue"), std::string::npos) << text;
  EXPECT_EQ(text.find("AssignedValues"), std::string::npos) << "never stored";
  EXPECT_EQ(text.find("StyleFocused.Color"), std::string::npos) << "not assigned, not stored";
  EXPECT_EQ(text.find("StyleHot.Edges"), std::string::npos) << text;
  EXPECT_EQ(text.find("FakeStyleController"), std::string::npos) << text;

  auto read = MakeOwned<TComponentHolder>(nullptr);
  ReadComponentFromText(text, read.get());
  EXPECT_EQ(ComponentToText(read.get()), text);
  auto* readFirst = As<TTestStyleController>(read->FindComponent("First"));
  auto* readSecond = As<TTestStyleController>(read->FindComponent("Second"));
  ASSERT_TRUE(readFirst && readSecond);
  EXPECT_EQ(readFirst->Style()->AssignedValues(), first->Style()->AssignedValues());
  EXPECT_EQ(readFirst->StyleFocused()->AssignedValues(), first->StyleFocused()->AssignedValues());
  EXPECT_EQ(readFirst->Style()->Font()->Name(), "SimSun");
  EXPECT_EQ(readFirst->Style()->LookAndFeel()->Kind(), lfFlat);
  EXPECT_EQ(readSecond->Style()->StyleController(), readFirst);
  EXPECT_EQ(readSecond->Style()->Color(), clRed);
  EXPECT_EQ(readSecond->FakeStyleController(), readFirst);

  // "IsFontAssigned" alone marks the font assigned, whatever it says.
  auto bare = MakeOwned<TComponentHolder>(nullptr);
  ReadComponentFromText(
      "object Holder: TComponentHolder\n"
      "  object Bare: TTestStyleController\n"
      "    Style.IsFontAssigned = False\n"
      "  end\n"
      "end\n",
      bare.get());
  auto* bareController = As<TTestStyleController>(bare->FindComponent("Bare"));
  EXPECT_EQ(bareController->Style()->AssignedValues(), TcxContainerStyleValues{svFont});
}

TEST_F(ContainerStyle, ContainerDecidesWhatIsStored)
{
  RegisterClass(TStubContainerHost::StaticClass());
  auto holder = MakeOwned<TComponentHolder>(nullptr);
  holder->SetName("Holder");
  auto* host = New<TStubContainerHost>(holder.get());
  host->SetName("Host");
  host->StyleHot()->SetColor(clRed);
  host->StyleHot()->SetTextColor(clBlue);
  host->StyleHot()->SetAssignedValues(host->StyleHot()->AssignedValues() + TcxContainerStyleValues{svShadow});
  host->Style()->SetBorderColor(clGreen);

  const std::string text = ComponentToText(holder.get());
  EXPECT_NE(text.find("StyleHot.Color = clRed"), std::string::npos) << text;
  EXPECT_NE(text.find("Style.BorderColor = clGreen"), std::string::npos) << text;
  EXPECT_EQ(text.find("StyleHot.Shadow"), std::string::npos) << "only the normal style carries it";
  const std::vector<std::string>& queries = host->Container()->StoredQueries;
  for (const char* query : {"BorderColor/normal", "Color/other", "TextColor/other", "Shadow/other"})
    EXPECT_NE(std::find(queries.begin(), queries.end(), query), queries.end()) << query;
  EXPECT_EQ(std::find(queries.begin(), queries.end(), "Color/normal"), queries.end()) << "not assigned, not asked";
}

TEST_F(ContainerStyle, ControllerRescalesAssignedFonts)
{
  const int dpi = ScreenPixelsPerInch();
  auto holder = MakeOwned<TComponentHolder>(nullptr);
  ReadComponentFromText(
      "object Holder: TComponentHolder\n"
      "  object Scaled: TTestStyleController\n"
      "    Style.Font.Height = -10\n"
      "    PixelsPerInch = " + std::to_string(dpi / 2) + "\n"
      "  end\n"
      "  object Fixed: TTestStyleController\n"
      "    Scalable = False\n"
      "    Style.Font.Height = -10\n"
      "    PixelsPerInch = " + std::to_string(dpi / 2) + "\n"
      "  end\n"
      "end\n",
      holder.get());
  EXPECT_EQ(As<TTestStyleController>(holder->FindComponent("Scaled"))->Style()->Font()->Height(), -20);
  EXPECT_EQ(As<TTestStyleController>(holder->FindComponent("Fixed"))->Style()->Font()->Height(), -10);
}
}  // namespace
