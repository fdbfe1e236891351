// The life of class-library objects: weak references, calls in progress, deferred frees, and
// objects destroyed without Free.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Application.h"
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
  std::string Name = "self-freeing";

private:
  void MsgFree(TMessage& msg)
  {
    TWeakRef<TSelfFreeing> self(this);
    Free(this);
    GLog.push_back(std::string("weak reference ") + (self ? "set" : "empty"));
    // Still whole while its own message runs.
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

TEST(ObjectLifetime, AControlFreedByItsOwnMessageGoesWhenTheMessageReturns)
{
  GLog.clear();
  auto form = MakeOwned<TForm>(nullptr, CreateNew);
  auto* control = New<TSelfFreeing>(form.get());
  control->SetParent(form.get());
  HWND wnd = control->Handle();
  TWeakRef<TSelfFreeing> weak(control);
  EXPECT_EQ(SendMessageA(wnd, MsgFreeYourself, 0, 0), 7);
  EXPECT_EQ(GLog, (std::vector<std::string>{"weak reference empty", "handler ends for self-freeing", "control goes"}));
  EXPECT_FALSE(weak);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(form->ComponentCount(), 0);
}

TEST(ObjectLifetime, ACallInProgressDefersTheDestruction)
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
      EXPECT_TRUE(GLog.empty());
    }
    EXPECT_TRUE(GLog.empty()) << "an outer call is still in progress";
  }
  EXPECT_EQ(GLog, (std::vector<std::string>{"before destruction of outer", "destroyed outer"}));
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
