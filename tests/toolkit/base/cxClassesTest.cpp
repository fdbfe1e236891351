// Base classes and services: weak links, free notification, design-time links, rescaling, event
// handler lists, unique names, interface objects and the small helpers.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Filer.h"
#include "classlib/Streams.h"
#include "classlib/TypInfo.h"
#include "toolkit/base/cxClasses.h"

namespace {
class TLinkedComponent : public TcxComponent {
  CL_CLASS(TLinkedComponent, TcxComponent)
public:
  using TcxComponent::TcxComponent;
  using TcxComponent::RefreshComponentLinks;
  std::vector<TComponent*> Linked;

protected:
  void CollectLinkedComponents(std::vector<TComponent*>& list) override { list = Linked; }
};

class TScaled : public TcxScalableComponent {
  CL_CLASS(TScaled, TcxScalableComponent)
public:
  using TcxScalableComponent::TcxScalableComponent;
  std::vector<std::pair<int, int>> Calls;

protected:
  void RescaleBy(int newDPI, int oldDPI) override { Calls.emplace_back(newDPI, oldDPI); }
};

class TFreeLog : public TObject {
  CL_CLASS(TFreeLog, TObject)
public:
  void Freed(TComponent* component) { Names.push_back(component->Name()); }
  std::vector<std::string> Names;
};

// Named like the screen tips that the unique names are made for.
class TdxScreenTip : public TComponent {
  CL_CLASS(TdxScreenTip, TComponent)
public:
  using TComponent::TComponent;
};

// An object that counts its references, to see that owned persistents count on it.
}  // namespace

CL_DEFINE_CLASS(TLinkedComponent);
CL_DEFINE_CLASS(TScaled);
CL_DEFINE_CLASS(TFreeLog);
CL_DEFINE_CLASS(TdxScreenTip);

// --- Weak links ---

TEST(ObjectLinks, LinkIsEmptiedWhenItsComponentIsDestroyed)
{
  ASSERT_FALSE(ObjectLinkControllerExists());
  auto* component = New<TcxComponent>(nullptr);
  auto* other = New<TcxComponent>(nullptr);
  TcxObjectLink* link = CreateObjectLink(component);
  TcxObjectLink* second = CreateObjectLink(component);
  TcxObjectLink* otherLink = CreateObjectLink(other);
  EXPECT_EQ(CreateObjectLink(nullptr), nullptr);
  EXPECT_TRUE(ObjectLinkControllerExists());
  EXPECT_EQ(link->Ref(), component);

  Free(component);
  EXPECT_EQ(link->Ref(), nullptr);
  EXPECT_EQ(second->Ref(), nullptr);
  EXPECT_EQ(otherLink->Ref(), other);

  Free(other);
  EXPECT_EQ(otherLink->Ref(), nullptr);

  FreeObjectLink(link);
  FreeObjectLink(second);
  FreeObjectLink(nullptr);
  EXPECT_TRUE(ObjectLinkControllerExists());  // otherLink still uses it
  FreeObjectLink(otherLink);
  EXPECT_FALSE(ObjectLinkControllerExists());
}

TEST(ObjectLinks, ControllerGoesWithTheLastLinkAndComesBackWithTheNext)
{
  auto plain = MakeOwned<TObject>();
  TcxObjectLink* link = CreateObjectLink(plain.get());
  EXPECT_TRUE(ObjectLinkControllerExists());
  FreeObjectLink(link);  // still referring to its object
  EXPECT_FALSE(ObjectLinkControllerExists());

  link = CreateObjectLink(plain.get());
  EXPECT_TRUE(ObjectLinkControllerExists());
  ResetObjectLinks(plain.get());  // what an object that is not a component calls when it dies
  EXPECT_EQ(link->Ref(), nullptr);
  FreeObjectLink(link);
  EXPECT_FALSE(ObjectLinkControllerExists());
  ResetObjectLinks(plain.get());  // without a controller: nothing
}

// --- Free notification ---

TEST(FreeNotificator, ReportsFreedWatchedComponentsOnly)
{
  auto log = MakeOwned<TFreeLog>();
  TOwned<TComponent> form(New<TComponent>(nullptr));
  auto* notificator = New<TcxFreeNotificator>(nullptr);
  notificator->SetOnFreeNotification(TcxFreeNotificationEvent(log.get(), &TFreeLog::Freed));
  auto* watched = New<TComponent>(form.get());
  watched->SetName("Watched");
  auto* unwatched = New<TComponent>(form.get());
  unwatched->SetName("Unwatched");
  auto* dropped = New<TComponent>(form.get());
  dropped->SetName("Dropped");
  notificator->WatchComponent(watched);
  notificator->WatchComponent(dropped);
  notificator->WatchComponent(nullptr);
  notificator->UnwatchComponent(dropped);
  notificator->UnwatchComponent(nullptr);

  Free(unwatched);
  Free(dropped);
  Free(watched);
  EXPECT_EQ(log->Names, (std::vector<std::string>{"Watched"}));

  // A sibling of the watched component: the owner tells it of the removal.
  auto* sibling = New<TComponent>(form.get());
  sibling->SetName("Sibling");
  auto* ownedNotificator = New<TcxFreeNotificator>(form.get());
  ownedNotificator->SetOnFreeNotification(TcxFreeNotificationEvent(log.get(), &TFreeLog::Freed));
  ownedNotificator->WatchComponent(sibling);
  Free(sibling);
  EXPECT_EQ(log->Names, (std::vector<std::string>{"Watched", "Sibling"}));

  // The notificator going first leaves nothing behind in what it watched.
  auto* last = New<TComponent>(form.get());
  notificator->WatchComponent(last);
  Free(notificator);
  Free(last);
  EXPECT_EQ(log->Names.size(), 2u);
}

// --- Components ---

TEST(Component, DesignTimeLinksFollowTheLinkedComponents)
{
  TOwned<TComponent> form(New<TComponent>(nullptr));
  auto* component = New<TLinkedComponent>(form.get());
  auto* a = New<TComponent>(form.get());
  auto* b = New<TComponent>(nullptr);
  component->Linked = {a, b};

  component->Loaded();  // at run time the links stay empty
  EXPECT_EQ(component->FakeComponentLink1(), nullptr);

  component->SetDesigning(true);
  component->Loaded();
  EXPECT_EQ(component->FakeComponentLink1(), a);
  EXPECT_EQ(component->FakeComponentLink2(), b);
  EXPECT_EQ(component->FakeComponentLink3(), nullptr);
  EXPECT_FALSE(GetPropInfo(component, "FakeComponentLink1").IsStored(component));

  Free(b);  // a linked component that goes empties its link
  EXPECT_EQ(component->FakeComponentLink2(), nullptr);
  component->Linked = {};
  component->RefreshComponentLinks();
  EXPECT_EQ(component->FakeComponentLink1(), nullptr);
  EXPECT_TRUE(component->IsInDesigner());
  EXPECT_FALSE(component->IsBeingDestroyed());
}

TEST(Component, ScalableComponentRescalesFromTheStoredDensity)
{
  TOwned<TScaled> component(New<TScaled>(nullptr));
  const int screen = component->PixelsPerInch();
  EXPECT_GT(screen, 0);
  EXPECT_TRUE(component->Scalable());

  component->Loaded();  // stored at the screen's density: nothing to do
  EXPECT_TRUE(component->Calls.empty());

  component->SetPixelsPerInch(screen * 2);  // as a stored form sets it
  component->Loaded();
  EXPECT_EQ(component->Calls, (std::vector<std::pair<int, int>>{{screen, screen * 2}}));
  EXPECT_EQ(component->PixelsPerInch(), screen);
  component->Loaded();
  EXPECT_EQ(component->Calls.size(), 1u);

  component->SetScalable(false);
  component->SetPixelsPerInch(screen / 2);
  component->Loaded();
  EXPECT_EQ(component->Calls.size(), 1u);
}

TEST(Component, ScalableComponentStoresItsDensity)
{
  TOwned<TScaled> stored(New<TScaled>(nullptr));
  stored->SetName("Scaled");
  const int screen = stored->PixelsPerInch();
  stored->SetPixelsPerInch(screen * 2);  // as if made on a denser screen
  TOwned<TMemoryStream> stream(New<TMemoryStream>());
  WriteComponentToStream(*stream, stored.get());

  TOwned<TScaled> read(New<TScaled>(nullptr));
  stream->SetPosition(0);
  ReadComponentFromStream(*stream, read.get());
  EXPECT_EQ(read->Calls, (std::vector<std::pair<int, int>>{{screen, screen * 2}}));
  EXPECT_EQ(read->PixelsPerInch(), screen);
}

// --- Event handler lists ---

namespace {
struct TTextArgs : TcxEventArgs {
  std::string Text;
};

class TListener : public TObject {
  CL_CLASS(TListener, TObject)
public:
  TListener(std::vector<std::string>& log, std::string name) : Log(log), Name(std::move(name)) {}
  void Handle(TObject*, const TcxEventArgs& args)
  {
    Log.push_back(Name + ":" + static_cast<const TTextArgs&>(args).Text);
    if (RemoveFrom) RemoveFrom->Remove(RemoveWhat);
  }
  std::vector<std::string>& Log;
  std::string Name;
  TcxEventHandlerCollection* RemoveFrom = nullptr;
  TcxEventHandler RemoveWhat;
};
}  // namespace

CL_DEFINE_CLASS(TListener);

TEST(EventHandlerCollection, CallsInOrderAndSkipsHandlersRemovedMeanwhile)
{
  std::vector<std::string> log;
  auto a = MakeOwned<TListener>(log, "a");
  auto b = MakeOwned<TListener>(log, "b");
  auto c = MakeOwned<TListener>(log, "c");
  auto handlers = MakeOwned<TcxEventHandlerCollection>();
  TcxEventHandler ha(a.get(), &TListener::Handle), hb(b.get(), &TListener::Handle), hc(c.get(), &TListener::Handle);
  handlers->Add(ha);
  handlers->Add(hb);
  handlers->Add(hc);
  b->RemoveFrom = handlers.get();
  b->RemoveWhat = hc;  // b removes c while the calls are under way

  TTextArgs args;
  args.Text = "x";
  handlers->InvokeAll(nullptr, args);
  EXPECT_EQ(log, (std::vector<std::string>{"a:x", "b:x"}));
  EXPECT_EQ(handlers->Count(), 2);

  log.clear();
  b->RemoveFrom = nullptr;
  handlers->Remove(ha);
  handlers->InvokeAll(nullptr, args);
  EXPECT_EQ(log, (std::vector<std::string>{"b:x"}));
}

// --- Unique names ---

TEST(UniqueNames, NamesAfterParentAndClassAndCountsUp)
{
  TOwned<TComponent> form(New<TComponent>(nullptr));
  auto* repository = New<TComponent>(form.get());
  repository->SetName("dxScreenTipRepository1");
  auto* tip = New<TdxScreenTip>(form.get());

  EXPECT_EQ(GenerateUniqueItemName(form.get(), repository, tip, "", "Tdx"), "dxScreenTipRepository1ScreenTip1");
  auto* taken = New<TComponent>(form.get());
  taken->SetName("dxScreenTipRepository1ScreenTip1");
  EXPECT_EQ(GenerateUniqueItemName(form.get(), repository, tip, "", "Tdx"), "dxScreenTipRepository1ScreenTip2");

  // Without a prefix the class name loses its leading T; without a parent there is no parent name.
  EXPECT_EQ(GenerateUniqueItemName(form.get(), nullptr, tip, "", ""), "dxScreenTip1");
  // The prefix is compared without regard to case.
  EXPECT_EQ(GenerateUniqueItemName(form.get(), nullptr, tip, "", "tDX"), "ScreenTip1");
}

TEST(UniqueNames, BaseNamesAreCleanedAndNumberedOnlyWhenTaken)
{
  TOwned<TComponent> form(New<TComponent>(nullptr));
  auto* tip = New<TdxScreenTip>(form.get());
  EXPECT_EQ(GenerateUniqueItemName(form.get(), nullptr, tip, "Open 文件 file!", ""), "Openfile");
  EXPECT_EQ(GenerateUniqueItemName(form.get(), nullptr, tip, "2nd", ""), "dxScreenTip2nd");
  EXPECT_EQ(GenerateUniqueItemName(form.get(), nullptr, tip, "文件", "Tdx"), "ScreenTip");

  // A component owned further down has the name, in another letter case: not unique.
  auto* panel = New<TComponent>(form.get());
  panel->SetName("Panel");
  auto* inner = New<TComponent>(panel);
  inner->SetName("OPENFILE");
  EXPECT_FALSE(IsNameUniqueAmong(form.get(), "Openfile"));
  EXPECT_EQ(GenerateUniqueItemName(form.get(), nullptr, tip, "Open file", ""), "Openfile1");
  EXPECT_TRUE(IsNameUniqueAmong(nullptr, "Anything"));
}

// --- Interface objects ---

namespace {
class IShape {
public:
  virtual int Corners() const = 0;

protected:
  ~IShape() = default;
};
class IUnrelated {
public:
  virtual void Nothing() = 0;

protected:
  ~IUnrelated() = default;
};
class TSquare : public TcxIUnknownObject, public IShape {
  CL_CLASS(TSquare, TcxIUnknownObject)
public:
  int Corners() const override { return 4; }
};
class TOwnedShape : public TcxInterfacedPersistent, public IShape {
  CL_CLASS(TOwnedShape, TcxInterfacedPersistent)
public:
  using TcxInterfacedPersistent::TcxInterfacedPersistent;
  int Corners() const override { return 3; }
};
}  // namespace

CL_DEFINE_CLASS(TSquare);
CL_DEFINE_CLASS(TOwnedShape);

TEST(Interfaces, AnObjectOffersTheInterfacesItDerivesFromAndNoOthers)
{
  auto square = MakeOwned<TSquare>();
  TObject* asObject = square.get();
  IShape* shape = Supports<IShape>(asObject);
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->Corners(), 4);
  EXPECT_EQ(Supports<IUnrelated>(asObject), nullptr);
  auto plain = MakeOwned<TcxIUnknownObject>();
  EXPECT_EQ(Supports<IShape>(static_cast<TObject*>(plain.get())), nullptr);
  EXPECT_EQ(Supports<IShape>(static_cast<TObject*>(nullptr)), nullptr);
}

TEST(Interfaces, InterfacedPersistentKnowsItsOwnerAndOffersItsInterfaces)
{
  auto owner = MakeOwned<TPersistent>();
  TOwned<TOwnedShape> persistent(New<TOwnedShape>(owner.get()));
  EXPECT_EQ(persistent->GetOwner(), owner.get());
  EXPECT_EQ(GetPersistentOwner(persistent.get()), owner.get());
  IShape* shape = Supports<IShape>(static_cast<TPersistent*>(persistent.get()));
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->Corners(), 3);
  TOwned<TcxInterfacedPersistent> orphan(New<TcxInterfacedPersistent>(nullptr));
  EXPECT_EQ(orphan->GetOwner(), nullptr);
  EXPECT_EQ(GetPersistentOwner(nullptr), nullptr);
}

// --- Small helpers ---

TEST(Helpers, ArithmeticAndText)
{
  struct {
    int A, B, Mid;
  } mids[] = {{-3, 0, -2}, {3, 0, 1}, {0, 0, 0}, {-4, 0, -2}, {-1, 0, -1}, {5, 8, 6},
              {2147483647, 2147483647, 2147483647}, {-2147483647 - 1, -1, -1073741825}};
  for (auto m : mids) EXPECT_EQ(RangeMidpoint(m.A, m.B), m.Mid) << m.A << ", " << m.B;

  EXPECT_EQ(SignAsStep(0), 1);
  EXPECT_EQ(SignAsStep(7), 1);
  EXPECT_EQ(SignAsStep(-1), -1);

  EXPECT_EQ(TakeTextBeforeBar("TextEdit|Represents a single line text editor"), "TextEdit");
  EXPECT_EQ(TakeTextBeforeBar("NoBar"), "NoBar");
  EXPECT_EQ(TakeTextBeforeBar("|x"), "");

  const std::string text = "a文b";  // a, a double-byte character, b
  ASSERT_EQ(text.size(), 4u);
  EXPECT_EQ(CharByteLength(text, 1), 1);
  EXPECT_EQ(CharByteLength(text, 2), 2);
  EXPECT_EQ(CharByteLength(text, 4), 1);
  EXPECT_EQ(CharByteLength(text, 0), 0);
  EXPECT_EQ(CharByteLength(text, 5), 0);
  EXPECT_EQ(CharByteLength(text.substr(0, 2), 2), 1);  // a lead byte cut off from its trail

  SIZE size = BuildSize(3, 4);
  EXPECT_EQ(size.cx, 3);
  EXPECT_EQ(size.cy, 4);
}

namespace {
class TSenderLog : public TObject {
  CL_CLASS(TSenderLog, TObject)
public:
  void Notify(TObject* sender) { Senders.push_back(sender); }
  void Other(TObject* sender) { Senders.push_back(sender); }
  std::vector<TObject*> Senders;
};
}  // namespace

CL_DEFINE_CLASS(TSenderLog);

TEST(Helpers, EventsAndMethods)
{
  auto log = MakeOwned<TSenderLog>();
  auto other = MakeOwned<TSenderLog>();
  FireNotifyEvent(TNotifyEvent(), log.get());  // unset: nothing
  FireNotifyEvent(TNotifyEvent(log.get(), &TSenderLog::Notify), other.get());
  EXPECT_EQ(log->Senders, (std::vector<TObject*>{other.get()}));

  TNotifyEvent a(log.get(), &TSenderLog::Notify);
  EXPECT_TRUE(MethodsEqual(a.Method(), TNotifyEvent(log.get(), &TSenderLog::Notify).Method()));
  EXPECT_FALSE(MethodsEqual(a.Method(), TNotifyEvent(other.get(), &TSenderLog::Notify).Method()));
  EXPECT_FALSE(MethodsEqual(a.Method(), TNotifyEvent(log.get(), &TSenderLog::Other).Method()));
}
