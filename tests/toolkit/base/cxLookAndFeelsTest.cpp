// Look-and-feel settings: the effective values through own values, master chains and the root, the
// painter each combination picks, listeners told once each even when they detach themselves, masters
// freed under their followers, the controllers of the root, visual styles switched off, the
// skin-support test and storing a look-and-feel in a form.
#include <gtest/gtest.h>
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include "classlib/ObjectText.h"
#include "classlib/TypInfo.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/base/cxLookAndFeelsTestSupport.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/cxLookAndFeels.h"

namespace {
// Logs what a look-and-feel tells it; an action may run on each change.
class TObserver : public TObject, public IcxLookAndFeelObserver {
  CL_CLASS(TObserver, TObject)
public:
  TObserver(std::vector<std::string>& log, std::string id) : FLog(log), FId(std::move(id)) {}
  TObject* GetObserverObject() override { return this; }
  void MasterValuesChanged(TcxLookAndFeel*, TcxLookAndFeelValues Values) override
  {
    FLog.push_back(FId + " " + SetToString(cxLookAndFeelValueInfo, Values.ToInt()));
    if (OnChange) OnChange();
  }
  void MasterDestroying(TcxLookAndFeel*) override { FLog.push_back(FId + " destroying"); }
  std::function<void()> OnChange;

private:
  std::vector<std::string>& FLog;
  std::string FId;
};

// Logs the change handler's calls.
class TChangeLog : public TObject {
  CL_CLASS(TChangeLog, TObject)
public:
  void Changed(TcxLookAndFeel*, TcxLookAndFeelValues Values)
  {
    Calls.push_back(SetToString(cxLookAndFeelValueInfo, Values.ToInt()));
  }
  TcxLookAndFeelChangedEvent Event() { return TcxLookAndFeelChangedEvent(this, &TChangeLog::Changed); }
  std::vector<std::string> Calls;
};

class TSkinPainter : public TcxUltraFlatLookAndFeelPainter {
  CL_CLASS(TSkinPainter, TcxUltraFlatLookAndFeelPainter)
public:
  std::string GetPainterName() const override { return "TestSkin"; }
  TcxPainterStyle PainterStyle() const override { return cpsSkin; }
};

class TSkinQuery : public TObject, public IcxSkinSupportQuery {
  CL_CLASS(TSkinQuery, TObject)
public:
  bool AcceptsSkins() override { return Answer; }
  bool Answer = false;
};

class TSkinMarked : public TObject, public IcxSkinSupportMarker {
  CL_CLASS(TSkinMarked, TObject)
};

// A component that owns a look-and-feel and stores the components it owns as its children.
class TLookAndFeelHolder : public TComponent {
  CL_CLASS(TLookAndFeelHolder, TComponent)
public:
  explicit TLookAndFeelHolder(TComponent* owner) : TComponent(owner), FLookAndFeel(MakeOwned<TcxLookAndFeel>(this)) {}
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  void GetChildren(const TGetChildProc& proc, TComponent* root) override
  {
    (void)root;
    for (int i = 0; i < ComponentCount(); ++i) proc(Components(i));
  }

private:
  TOwned<TcxLookAndFeel> FLookAndFeel;
};

const TPropInfo HolderProps[] = {PersistentProp<&TLookAndFeelHolder::LookAndFeel>("LookAndFeel")};

std::string PainterName(TcxLookAndFeel* lookAndFeel)
{
  TcxCustomLookAndFeelPainter* painter = lookAndFeel->Painter();
  return painter ? painter->GetPainterName() : "(none)";
}

class LookAndFeel : public testing::Test {
protected:
  void SetUp() override
  {
    FRoot = GetRootLookAndFeel();
    ASSERT_NE(FRoot, nullptr);
    ASSERT_TRUE(FRoot->AssignedValues().Empty());
  }
  void TearDown() override { FRoot->ResetAssignedValues(); }
  TcxLookAndFeel* FRoot = nullptr;
};
}  // namespace

CL_DEFINE_CLASS(TObserver);
CL_DEFINE_CLASS(TChangeLog);
CL_DEFINE_CLASS(TSkinPainter);
CL_DEFINE_CLASS(TSkinQuery);
CL_DEFINE_CLASS(TSkinMarked);
CL_DEFINE_CLASS(TLookAndFeelHolder, .Props = HolderProps);

// --- Effective values and painters ---

TEST_F(LookAndFeel, KindResolvesThroughOwnValueMasterChainAndRoot)
{
  using TKind = std::optional<TcxLookAndFeelKind>;
  struct TCase {
    const char* Name;
    TKind Root;
    bool HasMaster;
    TKind Master;
    TKind Follower;
    TcxLookAndFeelKind Expected;
    const char* Painter;
  };
  const TCase cases[] = {
    {"nothing assigned", {}, false, {}, {}, lfUltraFlat, "UltraFlat"},
    {"the root's kind", lfOffice11, false, {}, {}, lfOffice11, "Office11"},
    {"own kind over the root's", lfOffice11, false, {}, lfFlat, lfFlat, "Flat"},
    {"the master's kind", lfFlat, true, lfStandard, {}, lfStandard, "Standard"},
    {"through the master to the root", lfFlat, true, {}, {}, lfFlat, "Flat"},
    {"own kind over the master's", lfFlat, true, lfStandard, lfOffice11, lfOffice11, "Office11"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto master = MakeOwned<TcxLookAndFeel>(nullptr);
    auto follower = MakeOwned<TcxLookAndFeel>(nullptr);
    if (c.HasMaster) follower->SetMaster(master.get());
    if (c.Master) master->SetKind(*c.Master);
    if (c.Follower) follower->SetKind(*c.Follower);
    // The root last: its change reaches the follower through the listeners.
    if (c.Root) FRoot->SetKind(*c.Root);
    EXPECT_EQ(follower->Kind(), c.Expected);
    EXPECT_EQ(PainterName(follower.get()), c.Painter);
    EXPECT_EQ(follower->CurrentPainterStyle(), PainterStyleOfKind(c.Expected));
    EXPECT_EQ(follower->AssignedValues().Contains(lfvKind), c.Follower.has_value());
    FRoot->ResetAssignedValues();
  }
}

TEST_F(LookAndFeel, NativeStyleAndSkinNamePickTheirPainters)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  ASSERT_TRUE(manager->Register(MakeOwned<TSkinPainter>()));
  ASSERT_TRUE(AreThemesAvailable());
  struct TCase {
    const char* Name;
    std::function<void(TcxLookAndFeel* root, TcxLookAndFeel* follower)> Set;
    const char* Painter;
    TcxPainterStyle Style;
    bool HasSkinPainter;
  };
  const TCase cases[] = {
    {"own native style", [](TcxLookAndFeel*, TcxLookAndFeel* f) { f->SetNativeStyle(true); }, "Native", cpsNative,
     false},
    {"the root's native style", [](TcxLookAndFeel* r, TcxLookAndFeel*) { r->SetNativeStyle(true); }, "Native",
     cpsNative, false},
    {"own native style off under the root's",
     [](TcxLookAndFeel* r, TcxLookAndFeel* f) {
       f->SetNativeStyle(false);
       f->SetKind(lfStandard);
       r->SetNativeStyle(true);
     },
     "Standard", cpsStandard, false},
    {"a registered skin", [](TcxLookAndFeel*, TcxLookAndFeel* f) { f->SetSkinName("TestSkin"); }, "TestSkin", cpsSkin,
     true},
    {"the root's skin, named in other letter case",
     [](TcxLookAndFeel* r, TcxLookAndFeel*) { r->SetSkinName("testskin"); }, "TestSkin", cpsSkin, true},
    {"native style wins over a skin",
     [](TcxLookAndFeel*, TcxLookAndFeel* f) {
       f->SetSkinName("TestSkin");
       f->SetNativeStyle(true);
     },
     "Native", cpsNative, false},
    {"an unknown skin falls back to the kind",
     [](TcxLookAndFeel*, TcxLookAndFeel* f) {
       f->SetKind(lfFlat);
       f->SetSkinName("NoSuchSkin");
     },
     "Flat", cpsFlat, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto follower = MakeOwned<TcxLookAndFeel>(nullptr);
    c.Set(FRoot, follower.get());
    EXPECT_EQ(PainterName(follower.get()), c.Painter);
    EXPECT_EQ(follower->CurrentPainterStyle(), c.Style);
    EXPECT_EQ(follower->SkinPainter() != nullptr, c.HasSkinPainter);
    FRoot->ResetAssignedValues();
  }
  // Unregistering the skin leaves its users on the painter of their kind.
  auto user = MakeOwned<TcxLookAndFeel>(nullptr);
  user->SetSkinName("TestSkin");
  EXPECT_EQ(PainterName(user.get()), "TestSkin");
  ASSERT_TRUE(manager->Unregister("TestSkin"));
  EXPECT_EQ(PainterName(user.get()), "UltraFlat");
  EXPECT_EQ(user->SkinPainter(), nullptr);
}

TEST_F(LookAndFeel, NativeStyleWithVisualStylesSwitchedOffGivesThePainterOfTheKind)
{
  auto lookAndFeel = MakeOwned<TcxLookAndFeel>(nullptr);
  lookAndFeel->SetKind(lfStandard);
  lookAndFeel->SetNativeStyle(true);
  EXPECT_EQ(PainterName(lookAndFeel.get()), "Native");
  EXPECT_EQ(lookAndFeel->GetPainterForThemePart(TdxThemedObjectType::totScrollBar)->PainterStyle(), cpsNative);
  {
    TScopedSeam off(dxUxThemeEntryPoints.IsThemeActive, ThemeActiveOff);
    BroadcastToOwnWindows(WM_THEMECHANGED);
    // A change of the system colours makes every look-and-feel choose again.
    BroadcastToOwnWindows(WM_SYSCOLORCHANGE);
    EXPECT_TRUE(lookAndFeel->NativeStyle());
    EXPECT_EQ(lookAndFeel->CurrentPainterStyle(), cpsStandard);
    EXPECT_EQ(PainterName(lookAndFeel.get()), "Standard");
    EXPECT_EQ(lookAndFeel->GetPainterForThemePart(TdxThemedObjectType::totScrollBar)->PainterStyle(), cpsStandard);
  }
  BroadcastToOwnWindows(WM_THEMECHANGED);
  BroadcastToOwnWindows(WM_SYSCOLORCHANGE);
  EXPECT_EQ(PainterName(lookAndFeel.get()), "Native");
}

TEST_F(LookAndFeel, ApplyPainterStyle)
{
  struct TCase {
    TcxPainterStyle Style;
    bool Native;
    TcxLookAndFeelKind Kind;
  };
  const TCase cases[] = {{cpsFlat, false, lfFlat},         {cpsStandard, false, lfStandard},
                         {cpsUltraFlat, false, lfUltraFlat}, {cpsOffice11, false, lfOffice11},
                         {cpsSkin, false, lfUltraFlat},      {cpsNative, true, lfOffice11}};
  auto lookAndFeel = MakeOwned<TcxLookAndFeel>(nullptr);
  for (const TCase& c : cases) {
    lookAndFeel->SetKind(lfOffice11);
    lookAndFeel->SetNativeStyle(false);
    lookAndFeel->ApplyPainterStyle(c.Style);
    EXPECT_EQ(lookAndFeel->NativeStyle(), c.Native) << static_cast<int>(c.Style);
    EXPECT_EQ(lookAndFeel->Kind(), c.Kind) << static_cast<int>(c.Style);
  }
}

// --- Changes and listeners ---

TEST_F(LookAndFeel, SettingTheCurrentEffectiveValueAssignsItButTellsNobody)
{
  std::vector<std::string> log;
  auto lookAndFeel = MakeOwned<TcxLookAndFeel>(nullptr);
  auto observer = MakeOwned<TObserver>(log, "observer");
  auto changes = MakeOwned<TChangeLog>();
  lookAndFeel->AttachListener(observer.get());
  lookAndFeel->SetOnChanged(changes->Event());
  lookAndFeel->SetKind(lfUltraFlat);
  EXPECT_TRUE(lookAndFeel->AssignedValues().Contains(lfvKind));
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(changes->Calls.empty());
  // Assigned, it no longer follows the root.
  FRoot->SetKind(lfFlat);
  EXPECT_EQ(lookAndFeel->Kind(), lfUltraFlat);
  EXPECT_TRUE(log.empty());
  // A real change is told to the listeners, then to the change handler.
  lookAndFeel->SetNativeStyle(true);
  EXPECT_EQ(log, (std::vector<std::string>{"observer [lfvNativeStyle]"}));
  EXPECT_EQ(changes->Calls, (std::vector<std::string>{"[lfvNativeStyle]"}));
  // Dropping the assignment applies the differences from the root at once.
  log.clear();
  lookAndFeel->SetAssignedValues({lfvNativeStyle});
  EXPECT_EQ(lookAndFeel->Kind(), lfFlat);
  EXPECT_EQ(log, (std::vector<std::string>{"observer [lfvKind]"}));
  lookAndFeel->SetAssignedValues({lfvNativeStyle});
  EXPECT_EQ(log.size(), 1u) << "an unchanged set does nothing";
}

TEST_F(LookAndFeel, ListenersDetachingDuringANotificationMakeNoOtherMissIt)
{
  std::vector<std::string> log;
  auto lookAndFeel = MakeOwned<TcxLookAndFeel>(nullptr);
  auto a = MakeOwned<TObserver>(log, "a");
  auto b = MakeOwned<TObserver>(log, "b");
  auto c = MakeOwned<TObserver>(log, "c");
  for (TObserver* o : {a.get(), b.get(), c.get()}) lookAndFeel->AttachListener(o);
  lookAndFeel->AttachListener(b.get());
  EXPECT_EQ(lookAndFeel->ListenerCount(), 3) << "an object listens once";

  // a detaches itself: b, right after it, is still told.
  a->OnChange = [&] { lookAndFeel->DetachListener(a.get()); };
  lookAndFeel->SetKind(lfFlat);
  EXPECT_EQ(log, (std::vector<std::string>{"a [lfvKind]", "b [lfvKind]", "c [lfvKind]"}));

  // b detaches c, which comes later: c is not told.
  log.clear();
  b->OnChange = [&] { lookAndFeel->DetachListener(c.get()); };
  lookAndFeel->SetKind(lfStandard);
  EXPECT_EQ(log, (std::vector<std::string>{"b [lfvKind]"}));
  EXPECT_EQ(lookAndFeel->ListenerCount(), 1);

  // A listener freed without detaching is passed over.
  log.clear();
  b.reset();
  lookAndFeel->SetKind(lfOffice11);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(lookAndFeel->ListenerCount(), 0);

  // A listener that frees the look-and-feel ends the notification.
  auto doomed = MakeOwned<TcxLookAndFeel>(nullptr);
  auto changes = MakeOwned<TChangeLog>();
  doomed->SetOnChanged(changes->Event());
  auto killer = MakeOwned<TObserver>(log, "killer");
  auto after = MakeOwned<TObserver>(log, "after");
  doomed->AttachListener(killer.get());
  doomed->AttachListener(after.get());
  killer->OnChange = [&] { doomed.reset(); };
  log.clear();
  doomed->SetKind(lfFlat);
  EXPECT_EQ(log, (std::vector<std::string>{"killer [lfvKind]", "killer destroying", "after destroying"}));
  EXPECT_TRUE(changes->Calls.empty());
}

TEST_F(LookAndFeel, AFreedMasterLeavesItsFollowersToTheRootWithOneNotification)
{
  FRoot->SetKind(lfFlat);
  auto master = MakeOwned<TcxLookAndFeel>(nullptr);
  master->SetKind(lfStandard);
  auto follower = MakeOwned<TcxLookAndFeel>(nullptr);
  follower->SetMaster(master.get());
  auto second = MakeOwned<TcxLookAndFeel>(nullptr);
  second->SetMaster(follower.get());
  auto changes = MakeOwned<TChangeLog>();
  follower->SetOnChanged(changes->Event());
  EXPECT_EQ(second->Kind(), lfStandard);
  const int rootListeners = FRoot->ListenerCount();

  master.reset();
  EXPECT_EQ(follower->MasterLookAndFeel(), nullptr);
  EXPECT_EQ(follower->GetMasterOrRoot(), FRoot);
  EXPECT_EQ(follower->Kind(), lfFlat);
  EXPECT_EQ(second->Kind(), lfFlat) << "the change travels down the chain";
  EXPECT_EQ(PainterName(second.get()), "Flat");
  EXPECT_EQ(changes->Calls, (std::vector<std::string>{"[lfvKind]"}));
  EXPECT_EQ(FRoot->ListenerCount(), rootListeners) << "the master left the root's listeners, its follower joined";

  // The root's later changes reach the orphan.
  FRoot->SetKind(lfOffice11);
  EXPECT_EQ(second->Kind(), lfOffice11);
}

TEST_F(LookAndFeel, MastersThatWouldFormACycleAreIgnored)
{
  auto a = MakeOwned<TcxLookAndFeel>(nullptr);
  auto b = MakeOwned<TcxLookAndFeel>(nullptr);
  auto c = MakeOwned<TcxLookAndFeel>(nullptr);
  b->SetMaster(a.get());
  c->SetMaster(b.get());
  a->SetMaster(c.get());
  EXPECT_EQ(a->MasterLookAndFeel(), nullptr);
  a->SetMaster(a.get());
  EXPECT_EQ(a->MasterLookAndFeel(), nullptr);
  b->SetMaster(FRoot);
  EXPECT_EQ(b->MasterLookAndFeel(), a.get()) << "the root is no master to set";
  a->SetKind(lfStandard);
  EXPECT_EQ(c->Kind(), lfStandard);
}

TEST_F(LookAndFeel, AssignCopiesValuesAndMaster)
{
  auto master = MakeOwned<TcxLookAndFeel>(nullptr);
  master->SetNativeStyle(true);
  auto source = MakeOwned<TcxLookAndFeel>(nullptr);
  source->SetKind(lfOffice11);
  source->SetMaster(master.get());
  auto target = MakeOwned<TcxLookAndFeel>(nullptr);
  target->SetKind(lfFlat);
  target->SetSkinName("x");
  std::vector<std::string> log;
  auto observer = MakeOwned<TObserver>(log, "observer");
  target->AttachListener(observer.get());

  target->Assign(source.get());
  EXPECT_EQ(target->AssignedValues(), (TcxLookAndFeelValues{lfvKind}));
  EXPECT_EQ(target->MasterLookAndFeel(), master.get());
  EXPECT_EQ(target->Kind(), lfOffice11);
  EXPECT_TRUE(target->NativeStyle());
  EXPECT_EQ(target->SkinName(), "");
  EXPECT_EQ(log, (std::vector<std::string>{"observer [lfvKind,lfvNativeStyle,lfvSkinName]"}));
}

// --- Controllers ---

TEST_F(LookAndFeel, ControllersEditTheRootAndTheLastOneResetsIt)
{
  auto follower = MakeOwned<TcxLookAndFeel>(nullptr);
  auto* first = New<TcxLookAndFeelController>(nullptr);
  auto* second = New<TcxLookAndFeelController>(nullptr);
  first->SetKind(lfOffice11);
  EXPECT_EQ(FRoot->Kind(), lfOffice11);
  EXPECT_EQ(second->Kind(), lfOffice11);
  EXPECT_EQ(PainterName(follower.get()), "Office11");
  second->SetSkinName("Anything");
  EXPECT_EQ(first->SkinName(), "Anything");

  // A controller is a listener of the root only.
  auto other = MakeOwned<TcxLookAndFeel>(nullptr);
  other->AttachListener(first);
  EXPECT_EQ(other->ListenerCount(), 0);

  Free(first);
  EXPECT_EQ(FRoot->Kind(), lfOffice11) << "one controller is left";
  Free(second);
  EXPECT_TRUE(FRoot->AssignedValues().Empty());
  EXPECT_EQ(FRoot->Kind(), lfUltraFlat);
  EXPECT_EQ(FRoot->SkinName(), "");
  EXPECT_EQ(PainterName(follower.get()), "UltraFlat");

  auto third = MakeOwned<TcxLookAndFeelController>(nullptr);
  third->SetNativeStyle(true);
  third->ResetToDefaults();
  EXPECT_EQ(FRoot->AssignedValues(), cxLookAndFeelAllValues);
  EXPECT_EQ(FRoot->Kind(), lfUltraFlat);
  EXPECT_FALSE(FRoot->NativeStyle());
}

// --- Skin support ---

TEST(LookAndFeelSkinSupport, AQueryAnswersItselfAndAMarkerAcceptsSkins)
{
  auto query = MakeOwned<TSkinQuery>();
  auto marked = MakeOwned<TSkinMarked>();
  std::vector<std::string> log;
  auto plain = MakeOwned<TObserver>(log, "plain");
  EXPECT_FALSE(InstanceAcceptsSkins(query.get()));
  query->Answer = true;
  EXPECT_TRUE(InstanceAcceptsSkins(query.get()));
  EXPECT_TRUE(InstanceAcceptsSkins(marked.get()));
  EXPECT_FALSE(InstanceAcceptsSkins(plain.get()));
  EXPECT_FALSE(InstanceAcceptsSkins(nullptr));
  EXPECT_EQ(cxSkinSupportTest, &InstanceAcceptsSkins);
}

// --- Stored forms ---

TEST_F(LookAndFeel, StoredFormsKeepTheAssignedValuesOnly)
{
  auto holder = MakeOwned<TLookAndFeelHolder>(nullptr);
  holder->SetName("Holder");
  holder->LookAndFeel()->SetKind(lfFlat);
  holder->LookAndFeel()->SetSkinName("");
  const std::string text = ComponentToText(holder.get());
  EXPECT_NE(text.find("LookAndFeel.Kind = lfFlat"), std::string::npos) << text;
  EXPECT_NE(text.find("LookAndFeel.SkinName = ''"), std::string::npos) << "an assigned empty skin name";
  EXPECT_EQ(text.find("NativeStyle"), std::string::npos) << "not assigned, not stored";
  EXPECT_EQ(text.find("AssignedValues"), std::string::npos);

  FRoot->SetNativeStyle(true);
  FRoot->SetSkinName("RootSkin");
  auto read = MakeOwned<TLookAndFeelHolder>(nullptr);
  ReadComponentFromText(text, read.get());
  EXPECT_EQ(read->LookAndFeel()->AssignedValues(), (TcxLookAndFeelValues{lfvKind, lfvSkinName}));
  EXPECT_EQ(read->LookAndFeel()->Kind(), lfFlat);
  EXPECT_EQ(read->LookAndFeel()->SkinName(), "") << "the assigned empty name survives";
  EXPECT_TRUE(read->LookAndFeel()->NativeStyle()) << "follows the root";
}

TEST_F(LookAndFeel, AControllerInAStoredFormSetsTheRoot)
{
  const char* text = R"(object Holder: TLookAndFeelHolder
  LookAndFeel.NativeStyle = False
  object Controller: TcxLookAndFeelController
    Kind = lfStandard
    NativeStyle = False
    SkinName = 'SomeSkin'
  end
end
)";
  auto holder = MakeOwned<TLookAndFeelHolder>(nullptr);
  ReadComponentFromText(text, holder.get());
  ASSERT_EQ(holder->ComponentCount(), 1);
  auto* controller = As<TcxLookAndFeelController>(holder->Components(0));
  EXPECT_EQ(FRoot->Kind(), lfStandard);
  EXPECT_EQ(FRoot->SkinName(), "SomeSkin");
  EXPECT_EQ(holder->LookAndFeel()->Kind(), lfStandard);
  EXPECT_EQ(holder->LookAndFeel()->AssignedValues(), (TcxLookAndFeelValues{lfvNativeStyle}));

  // Written back: kind and native style always, the skin name because it is set.
  const std::string written = ComponentToText(holder.get());
  EXPECT_NE(written.find("    Kind = lfStandard"), std::string::npos) << written;
  EXPECT_NE(written.find("    NativeStyle = False"), std::string::npos) << written;
  EXPECT_NE(written.find("    SkinName = 'SomeSkin'"), std::string::npos) << written;
  EXPECT_EQ(controller->Kind(), lfStandard);
  holder.reset();
  EXPECT_TRUE(FRoot->AssignedValues().Empty()) << "the form's controller was the last";
}
