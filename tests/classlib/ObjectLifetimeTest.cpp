// The life of class-library objects: weak references, calls in progress, deferred frees, and
// objects destroyed without Free.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/ObjectWindows.h"
#include "classlib/StdCtrls.h"
#include "tests/classlib/ControlsFixture.h"

namespace {

std::vector<std::string> GLog;

class TTracked : public TObject {
  CL_CLASS(TTracked, TObject)
public:
  explicit TTracked(std::string name = "tracked") : FName(std::move(name)) {}
  void BeforeDestruction() override
  {
    GLog.push_back("before destruction of " + FName);
    TObject::BeforeDestruction();
  }
  ~TTracked() override { GLog.push_back("destroyed " + FName); }

private:
  std::string FName;
};

constexpr UINT MsgFreeYourself = WM_APP + 40;

// A control that frees itself when it receives MsgFreeYourself, and goes on using itself until
// its handler returns.
class TSelfFreeing : public TCustomControl {
  CL_CLASS(TSelfFreeing, TCustomControl)
public:
  explicit TSelfFreeing(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 20, 20); }
  void BeforeDestruction() override
  {
    GLog.push_back("control goes");
    TCustomControl::BeforeDestruction();
  }
  ~TSelfFreeing() override { GLog.push_back("control destroyed"); }
  std::string Name = "self-freeing";

private:
  void MsgFree(TMessage& msg)
  {
    TWeakRef<TSelfFreeing> self(this);
    Free(this);
    GLog.push_back(std::string("weak reference ") + (self ? "set" : "empty"));
    // Taken apart, but its memory stays while its own message runs.
    GLog.push_back("handler ends for " + Name);
    msg.Result = 7;
  }
};

}  // namespace

CL_MESSAGE_MAP(TSelfFreeing, {MsgFreeYourself, &TSelfFreeing::MsgFree});
CL_DEFINE_CLASS(TSelfFreeing);
CL_DEFINE_CLASS(TTracked);

TEST(ObjectLifetime, AWeakReferenceEmptiesWhenFreeBegins)
{
  GLog.clear();
  auto* obj = New<TTracked>();
  TWeakRef<TTracked> weak(obj), copy = weak;
  EXPECT_EQ(weak.Get(), obj);
  Free(obj);
  EXPECT_EQ(weak.Get(), nullptr);
  EXPECT_EQ(copy.Get(), nullptr);
  EXPECT_TRUE(weak.Assigned());
  EXPECT_FALSE(TWeakRef<TTracked>().Assigned());
  EXPECT_EQ(GLog, (std::vector<std::string>{"before destruction of tracked", "destroyed tracked"}));
}

TEST(ObjectLifetime, AButtonFreedByItsOwnClickLeavesWeakReferencesEmpty)
{
  auto form = MakeOwned<TForm>(nullptr, CreateNew);
  form->SetBounds(0, 0, 200, 100);
  auto* button = New<TButton>(form.get());
  button->SetParent(form.get());
  TWeakRef<TButton> weak(button);
  struct TFreer : TObject {
    TButton* Target = nullptr;
    bool SawItEmpty = false;
    TWeakRef<TButton>* Weak = nullptr;
    void Click(TObject*)
    {
      Free(Target);
      SawItEmpty = !*Weak;
    }
  };
  auto freer = MakeOwned<TFreer>();
  freer->Target = button;
  freer->Weak = &weak;
  button->SetOnClick(TNotifyEvent(freer.get(), &TFreer::Click));
  form->Show();
  // A real click through the button's window: BN_CLICKED comes back reflected to the button.
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(freer->SawItEmpty);
  EXPECT_FALSE(weak);
  EXPECT_EQ(form->ControlCount(), 0);
}

TEST(ObjectLifetime, AControlFreedByItsOwnMessageIsTakenApartAtOnceAndDestroyedWhenTheMessageReturns)
{
  GLog.clear();
  auto form = MakeOwned<TForm>(nullptr, CreateNew);
  auto* control = New<TSelfFreeing>(form.get());
  control->SetParent(form.get());
  HWND wnd = control->Handle();
  TWeakRef<TSelfFreeing> weak(control);
  EXPECT_EQ(SendMessageA(wnd, MsgFreeYourself, 0, 0), 7);
  EXPECT_EQ(GLog, (std::vector<std::string>{"control goes", "weak reference empty", "handler ends for self-freeing",
                                            "control destroyed"}));
  EXPECT_FALSE(weak);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(form->ComponentCount(), 0);
}

TEST(ObjectLifetime, ACallInProgressDefersOnlyTheDestruction)
{
  GLog.clear();
  auto* obj = New<TTracked>("outer");
  {
    TObjectCall outer(obj);
    {
      TObjectCall inner(obj);
      Free(obj);
      Free(obj);  // already going: nothing more
      EXPECT_TRUE(obj->Freeing());
      EXPECT_EQ(GLog, std::vector<std::string>{"before destruction of outer"});
    }
    EXPECT_EQ(GLog.size(), 1u) << "an outer call is still in progress";
  }
  EXPECT_EQ(GLog, (std::vector<std::string>{"before destruction of outer", "destroyed outer"}));
}

namespace {
// A click handler that frees the clicked control and makes its successor under the same name, in
// the same click, and looks at what the freed control left behind meanwhile.
struct TReplacer : TObject {
  TForm* Form = nullptr;
  TControl* Target = nullptr;
  TControl* Successor = nullptr;
  bool FoundByName = true;
  bool HeardOfIt = false;
  int ControlsLeft = -1;
  TClass SuccessorClass = nullptr;
  void Click(TObject*)
  {
    const std::string name = Target->Name();
    Free(Target);
    FoundByName = Form->FindComponent(name) != nullptr;
    ControlsLeft = Form->ControlCount();
    auto* next = static_cast<TControl*>(SuccessorClass->NewComponent(Form));
    next->SetName(name);
    next->SetParent(Form);
    Successor = next;
  }
};

// Hears of components it watches being freed.
class TWatcher : public TComponent {
  CL_CLASS(TWatcher, TComponent)
public:
  using TComponent::TComponent;
  std::vector<std::string> Removed;
  void Notification(TComponent* component, TOperation operation) override
  {
    if (operation == TOperation::opRemove) Removed.push_back(component->Name());
    TComponent::Notification(component, operation);
  }
};

// A windowless control that logs its destruction.
class TLoggedGraphic : public TGraphicControl {
  CL_CLASS(TLoggedGraphic, TGraphicControl)
public:
  explicit TLoggedGraphic(TComponent* owner) : TGraphicControl(owner) { SetBounds(10, 10, 40, 20); }
  ~TLoggedGraphic() override { GLog.push_back("graphic destroyed"); }
};
}  // namespace

CL_DEFINE_CLASS(TWatcher);
CL_DEFINE_CLASS(TLoggedGraphic);

TEST(ObjectLifetime, AControlFreedInItsOwnClickLeavesAtOnceSoASuccessorCanTakeItsName)
{
  struct TCase {
    const char* Name;
    bool Windowed;  // a button clicked through its window, else a graphic control clicked on its parent
  };
  for (const TCase c : {TCase{"button", true}, TCase{"graphic control", false}}) {
    SCOPED_TRACE(c.Name);
    GLog.clear();
    auto form = MakeOwned<TForm>(nullptr, CreateNew);
    form->SetBounds(0, 0, 200, 100);
    auto watcher = MakeOwned<TWatcher>(nullptr);
    TControl* control = c.Windowed ? static_cast<TControl*>(New<TButton>(form.get()))
                                   : static_cast<TControl*>(New<TLoggedGraphic>(form.get()));
    control->SetName("Target");
    control->SetParent(form.get());
    watcher->FreeNotification(control);
    auto replacer = MakeOwned<TReplacer>();
    replacer->Form = form.get();
    replacer->Target = control;
    replacer->SuccessorClass = control->ClassType();
    control->SetOnClick(TNotifyEvent(replacer.get(), &TReplacer::Click));
    form->Show();
    if (c.Windowed) {
      // BN_CLICKED comes back reflected to the button, inside the button's own window procedure.
      SendMessageA(static_cast<TWinControl*>(control)->Handle(), BM_CLICK, 0, 0);
    } else {
      // The form hands its mouse messages to the graphic control under the point (Perform).
      SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 15));
      SendMessageA(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 15));
      EXPECT_EQ(GLog, std::vector<std::string>{"graphic destroyed"}) << "destroyed once the click returned";
    }
    ASSERT_NE(replacer->Successor, nullptr) << "no exception made the successor fail";
    EXPECT_FALSE(replacer->FoundByName);
    EXPECT_EQ(replacer->ControlsLeft, 0);
    EXPECT_EQ(watcher->Removed, std::vector<std::string>{"Target"});
    EXPECT_EQ(form->FindComponent("Target"), replacer->Successor);
    EXPECT_EQ(form->ComponentCount(), 1);
    EXPECT_EQ(form->ControlCount(), 1);
  }
}

namespace {
// An object with a utility window whose message frees the object.
class TWindowOwner : public TObject {
  CL_CLASS(TWindowOwner, TObject)
public:
  TWindowOwner() : FWindow(AllocateHWnd([this](TMessage& msg) { WndProc(msg); }, this)) {}
  ~TWindowOwner() override
  {
    DeallocateHWnd(FWindow);
    GLog.push_back("owner destroyed");
  }
  HWND Window() const { return FWindow; }

private:
  void WndProc(TMessage& msg)
  {
    if (msg.Msg != MsgFreeYourself) {
      msg.Result = DefWindowProcA(FWindow, msg.Msg, msg.WParam, msg.LParam);
      return;
    }
    Free(this);
    GLog.push_back("handler ends for window " + std::to_string(FWindow != nullptr));
    msg.Result = 7;
  }
  HWND FWindow;
};
}  // namespace

CL_DEFINE_CLASS(TWindowOwner);

TEST(ObjectLifetime, AnObjectFreedByItsOwnUtilityWindowsMessageGoesWhenTheMessageReturns)
{
  GLog.clear();
  auto* owner = New<TWindowOwner>();
  HWND wnd = owner->Window();
  EXPECT_EQ(SendMessageA(wnd, MsgFreeYourself, 0, 0), 7);
  EXPECT_EQ(GLog, (std::vector<std::string>{"handler ends for window 1", "owner destroyed"}));
  EXPECT_FALSE(IsWindow(wnd));
}

TEST(ObjectLifetime, ReleaseLaterFreesOnceTheWaitingMessagesAreHandled)
{
  GLog.clear();
  auto* later = New<TTracked>("later");
  auto* freedBefore = New<TTracked>("freed before");
  TWeakRef<TTracked> weak(later);
  ReleaseLater(later);
  ReleaseLater(freedBefore);
  ReleaseLater(later);  // twice: still freed once
  Free(freedBefore);
  EXPECT_TRUE(weak);
  EXPECT_TRUE(PumpUntil([&] { return !weak; }, 5000));
  EXPECT_EQ(GLog, (std::vector<std::string>{"before destruction of freed before", "destroyed freed before",
                                            "before destruction of later", "destroyed later"}));
}

TEST(ObjectLifetime, AFormReleasedFromItsOwnButtonGoesAfterTheClick)
{
  auto* form = New<TForm>(Application, CreateNew);
  auto* button = New<TButton>(form);
  button->SetParent(form);
  struct TCloser : TObject {
    TForm* Form = nullptr;
    void Click(TObject*) { Form->Release(); }
  };
  auto closer = MakeOwned<TCloser>();
  closer->Form = form;
  button->SetOnClick(TNotifyEvent(closer.get(), &TCloser::Click));
  TWeakRef<TForm> weak(form);
  form->Show();
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(weak) << "the form is still there while its button's click runs";
  EXPECT_TRUE(PumpUntil([&] { return !weak; }, 5000));
}

TEST(ObjectLifetime, AnObjectDestroyedWithoutFreeIsReported)
{
  static std::vector<const TObject*> reported;
  reported.clear();
  TLifetimeViolationHandler previous = SetLifetimeViolationHandler([](const TObject* obj) { reported.push_back(obj); });
  auto* obj = New<TTracked>("deleted");
  // The global delete passes over the class's protected one: the destructor still notices.
  ::delete static_cast<TObject*>(obj);
  SetLifetimeViolationHandler(previous);
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0], obj);
}
