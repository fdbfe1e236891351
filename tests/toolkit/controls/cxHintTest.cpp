// Hint style controllers: taking over and giving back the application's hint handler and window
// class in every order; which controller a hint goes to; the show-hint pipeline through a
// controller; timings and listeners; and the plain hint layout.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/Bitmap.h"
#include "classlib/ExtCtrls.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/controls/cxControlsHelpers.h"
#include "toolkit/controls/cxHint.h"

namespace {
using controls_test::NewForm;
using controls_test::TFormGuard;

class TTestHintWindowA : public TcxCustomHintWindow {
  CL_CLASS(TTestHintWindowA, TcxCustomHintWindow)
public:
  using TcxCustomHintWindow::TcxCustomHintWindow;
};
CL_DEFINE_CLASS(TTestHintWindowA);
class TTestHintWindowB : public TcxCustomHintWindow {
  CL_CLASS(TTestHintWindowB, TcxCustomHintWindow)
public:
  using TcxCustomHintWindow::TcxCustomHintWindow;
};
CL_DEFINE_CLASS(TTestHintWindowB);
class TSomebodyElsesHintWindow : public THintWindow {
  CL_CLASS(TSomebodyElsesHintWindow, THintWindow)
public:
  using THintWindow::THintWindow;
};
CL_DEFINE_CLASS(TSomebodyElsesHintWindow);

// A style that records what it prepared and gives empty hints a text.
class TTestHintStyleA : public TcxCustomHintStyle {
  CL_CLASS(TTestHintStyleA, TcxCustomHintStyle)
public:
  TClass GetStyleWindowClass() const override { return TTestHintWindowA::StaticClass(); }
  void PrepareHint(std::string& hintStr, bool&, THintInfo&) override
  {
    ++Prepared;
    if (hintStr.empty()) hintStr = FillText;
  }
  void ComponentGone(TComponent* component) override { Gone.push_back(component); }
  void Touch() { Changed(); }
  int Prepared = 0;
  std::string FillText;
  std::vector<TComponent*> Gone;
};
CL_DEFINE_CLASS(TTestHintStyleA);
class TTestHintStyleB : public TTestHintStyleA {
  CL_CLASS(TTestHintStyleB, TTestHintStyleA)
public:
  TClass GetStyleWindowClass() const override { return TTestHintWindowB::StaticClass(); }
};
CL_DEFINE_CLASS(TTestHintStyleB);

class TControllerA : public TcxCustomHintStyleController {
  CL_CLASS(TControllerA, TcxCustomHintStyleController)
public:
  using TcxCustomHintStyleController::TcxCustomHintStyleController;
  TClass GetHintStyleClass() const override { return TTestHintStyleA::StaticClass(); }
};
CL_DEFINE_CLASS(TControllerA);
class TControllerB : public TcxCustomHintStyleController {
  CL_CLASS(TControllerB, TcxCustomHintStyleController)
public:
  using TcxCustomHintStyleController::TcxCustomHintStyleController;
  TClass GetHintStyleClass() const override { return TTestHintStyleB::StaticClass(); }
};
CL_DEFINE_CLASS(TControllerB);

// The application's own hint handler, there before any controller.
class TAppHintHandler : public TObject {
  CL_CLASS(TAppHintHandler, TObject)
public:
  void ShowHint(std::string& hintStr, bool& canShow, THintInfo&)
  {
    ++Calls;
    SeenText = hintStr;
    if (Refuse) canShow = false;
  }
  int Calls = 0;
  bool Refuse = false;
  std::string SeenText;
};
CL_DEFINE_CLASS(TAppHintHandler);

class cxHintControllerTest : public testing::Test {
protected:
  void SetUp() override
  {
    FSavedHandler = Application->OnShowHint();
    Application->SetOnShowHint(TShowHintEvent(FAppHandler.get(), &TAppHintHandler::ShowHint));
    ASSERT_EQ(cxHintController()->ControllerCount(), 0);
  }
  void TearDown() override
  {
    Application->SetOnShowHint(FSavedHandler);
    ClearHintedControl();
  }
  TShowHintEvent AppHandler() const { return TShowHintEvent(FAppHandler.get(), &TAppHintHandler::ShowHint); }
  bool HandlerIsHintController() const { return Application->OnShowHint().Data() == cxHintController(); }

  TScopedSeam<TClass> FClass{HintWindowClass, TSomebodyElsesHintWindow::StaticClass()};
  TOwned<TAppHintHandler> FAppHandler = MakeOwned<TAppHintHandler>();
  TShowHintEvent FSavedHandler;
};

TEST_F(cxHintControllerTest, RegisteringInEitherOrderRestoresHandlerAndClassExactly)
{
  for (bool newerGoesFirst : {true, false}) {
    SCOPED_TRACE(newerGoesFirst ? "newer freed first" : "older freed first");
    auto* a = New<TControllerA>(nullptr);
    EXPECT_TRUE(a->IsFirstRegistered());
    EXPECT_TRUE(HandlerIsHintController());
    EXPECT_EQ(HintWindowClass, TTestHintWindowA::StaticClass());
    auto* b = New<TControllerB>(nullptr);
    EXPECT_FALSE(b->IsFirstRegistered());
    EXPECT_EQ(HintWindowClass, TTestHintWindowB::StaticClass());
    EXPECT_EQ(cxHintController()->ControllerCount(), 2);
    if (newerGoesFirst) {
      Free(b);
      EXPECT_EQ(HintWindowClass, TTestHintWindowA::StaticClass());
      EXPECT_TRUE(HandlerIsHintController());
      Free(a);
    } else {
      Free(a);
      EXPECT_EQ(HintWindowClass, TTestHintWindowB::StaticClass());
      EXPECT_TRUE(HandlerIsHintController());
      Free(b);
    }
    EXPECT_EQ(HintWindowClass, TSomebodyElsesHintWindow::StaticClass());
    EXPECT_TRUE(Application->OnShowHint() == AppHandler());
    EXPECT_FALSE(cxHintController()->Hooked());
  }
}

TEST_F(cxHintControllerTest, AClassSetBySomebodyElseMeanwhileStays)
{
  auto* a = New<TControllerA>(nullptr);
  HintWindowClass = THintWindow::StaticClass();
  Free(a);
  EXPECT_EQ(HintWindowClass, THintWindow::StaticClass());
  EXPECT_TRUE(Application->OnShowHint() == AppHandler());
}

TEST_F(cxHintControllerTest, ChangingTheStyleClassReregistersWithTheNewWindowClass)
{
  auto* a = New<TcxCustomHintStyleController>(nullptr);
  EXPECT_EQ(a->HintStyle(), nullptr);
  EXPECT_EQ(HintWindowClass, TcxCustomHintWindow::StaticClass());
  a->SetHintStyleClass(TTestHintStyleB::StaticClass());
  ASSERT_NE(a->HintStyle(), nullptr);
  EXPECT_EQ(a->GetHintStyleClassName(), "TTestHintStyleB");
  EXPECT_EQ(HintWindowClass, TTestHintWindowB::StaticClass());
  ASSERT_NE(a->HintWindow(), nullptr);
  EXPECT_EQ(a->HintWindow()->ClassType(), TTestHintWindowB::StaticClass());
  EXPECT_EQ(cxHintController()->ControllerCount(), 1);
  Free(a);
  EXPECT_EQ(HintWindowClass, TSomebodyElsesHintWindow::StaticClass());
}

// A control that stands for another component, as bar controls stand for their bar manager.
class TSourceControl : public TCustomControl, public IdxOwnerInterfaceSource {
  CL_CLASS(TSourceControl, TCustomControl)
public:
  using TCustomControl::TCustomControl;
  TComponent* GetOwnerInterfaceSource() override { return Source; }
  TComponent* Source = nullptr;
};
CL_DEFINE_CLASS(TSourceControl);

TEST_F(cxHintControllerTest, TheFormsOwnControllerWinsOverTheGlobalOne)
{
  auto* global = New<TControllerA>(nullptr);
  TFormGuard withController{NewForm()};
  TFormGuard without{NewForm()};
  auto* own = New<TControllerB>(withController.Form);
  auto* panel = New<TPanel>(withController.Form);
  panel->SetParent(withController.Form);
  auto* inner = New<TPanel>(withController.Form);
  inner->SetParent(panel);
  auto* elsewhere = New<TPanel>(without.Form);
  elsewhere->SetParent(without.Form);

  cxHintController()->SetHintedControl(inner);
  EXPECT_EQ(FindActiveHintStyleController(), own);
  cxHintController()->SetHintedControl(elsewhere);
  EXPECT_EQ(FindActiveHintStyleController(), global);

  // Through the component a control stands for (a manager owned by the form with the controller).
  auto* manager = New<TComponent>(withController.Form);
  auto* source = New<TSourceControl>(without.Form);
  source->SetParent(without.Form);
  source->Source = manager;
  cxHintController()->SetHintedControl(source);
  EXPECT_EQ(FindActiveHintStyleController(), own);  // the manager's owner, the form, owns one

  // A freed hinted control is forgotten.
  Free(source);
  EXPECT_EQ(GetHintedControl(), nullptr);
  // Only a controller that registered first serves as the global one.
  Free(global);
  cxHintController()->SetHintedControl(elsewhere);
  EXPECT_EQ(FindActiveHintStyleController(), nullptr);
  EXPECT_EQ(GetActiveScreenTipStyle(), nullptr);
}

class TControllerEvents : public TObject {
  CL_CLASS(TControllerEvents, TObject)
public:
  void ShowHint(TObject*, std::string& hintStr, bool&, THintInfo&) { Order.push_back("show:" + hintStr); }
  void ShowHintEx(TObject*, std::string& caption, std::string& hintStr, bool&, THintInfo&)
  {
    Order.push_back("showex:" + hintStr);
    caption = Caption;
  }
  void StyleChanged(TObject*, TcxCustomHintStyle* style) { Changed.push_back(style); }
  std::vector<std::string> Order;
  std::vector<TcxCustomHintStyle*> Changed;
  std::string Caption = "caption";
};
CL_DEFINE_CLASS(TControllerEvents);

TEST_F(cxHintControllerTest, AHintGoesThroughTheControllerItsStyleAndTheSavedHandler)
{
  TFormGuard form{NewForm()};
  form.Form->Show();
  auto* controller = New<TControllerA>(form.Form);
  auto* style = static_cast<TTestHintStyleA*>(controller->HintStyle());
  TOwned<TControllerEvents> events = MakeOwned<TControllerEvents>();
  controller->SetOnShowHint(TcxShowHintEvent(events.get(), &TControllerEvents::ShowHint));
  controller->SetOnShowHintEx(TcxShowHintExEvent(events.get(), &TControllerEvents::ShowHintEx));
  auto* panel = New<TPanel>(form.Form);
  panel->SetParent(form.Form);

  style->FillText = "from the style";
  THintInfo info;
  THintWindow* window = nullptr;
  RECT rect{100, 100, 0, 0};
  ASSERT_TRUE(PrepareHintInfo(info, window, panel, 0, nullptr, rect, ""));
  EXPECT_EQ(style->Prepared, 1);
  EXPECT_EQ(events->Order, (std::vector<std::string>{"show:from the style", "showex:from the style"}));
  EXPECT_EQ(FAppHandler->Calls, 1);
  EXPECT_EQ(FAppHandler->SeenText, "from the style");
  EXPECT_EQ(info.HintWindowClass, TTestHintWindowA::StaticClass());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->ClassType(), TTestHintWindowA::StaticClass());
  EXPECT_EQ(static_cast<TcxCustomHintWindow*>(controller->HintWindow())->HintCaption(), "caption");
  EXPECT_EQ(GetHintedControl(), panel);
  Free(window);
  window = nullptr;

  // A hint with empty text, or one refused, forgets the hinted control.
  style->FillText.clear();
  EXPECT_TRUE(PrepareHintInfo(info, window, panel, 0, nullptr, rect, ""));
  EXPECT_EQ(GetHintedControl(), nullptr);
  FAppHandler->Refuse = true;
  EXPECT_FALSE(PrepareHintInfo(info, window, panel, 0, nullptr, rect, "refused"));
  EXPECT_EQ(GetHintedControl(), nullptr);
  EXPECT_EQ(window, nullptr);
}

TEST_F(cxHintControllerTest, TimingsReachTheApplicationOutsideUpdates)
{
  struct TSaved {
    int Short = Application->HintShortPause(), Pause = Application->HintPause(), Hide = Application->HintHidePause();
    ~TSaved()
    {
      Application->SetHintShortPause(Short);
      Application->SetHintPause(Pause);
      Application->SetHintHidePause(Hide);
    }
  } saved;
  TOwned<TControllerA> controller(New<TControllerA>(nullptr));
  EXPECT_EQ(controller->HintShortPause(), 50u);
  EXPECT_EQ(controller->HintPause(), 500u);
  EXPECT_EQ(controller->HintHidePause(), 2500u);
  controller->SetHintPause(700);
  EXPECT_EQ(Application->HintPause(), 700);
  controller->BeginUpdate();
  controller->SetHintHidePause(9000);
  controller->SetHintShortPause(20);
  EXPECT_EQ(Application->HintHidePause(), saved.Hide);
  controller->EndUpdate();
  EXPECT_EQ(Application->HintHidePause(), 9000);
  EXPECT_EQ(Application->HintShortPause(), 20);

  // Assign copies timings and the style class.
  TOwned<TcxCustomHintStyleController> copy(New<TcxCustomHintStyleController>(nullptr));
  copy->Assign(controller.get());
  EXPECT_EQ(copy->HintPause(), 700u);
  EXPECT_EQ(copy->HintHidePause(), 9000u);
  EXPECT_EQ(copy->GetHintStyleClassName(), "TTestHintStyleA");
}

class TListener : public IcxHintStyleControllerListener {
public:
  void HintStyleControllerChanged(TcxCustomHintStyleController* c) override { Seen.push_back({"changed", c}); }
  void HintStyleControllerRemoved(TcxCustomHintStyleController* c) override { Seen.push_back({"removed", c}); }
  std::vector<std::pair<std::string, TcxCustomHintStyleController*>> Seen;
};

TEST_F(cxHintControllerTest, ListenersHearChangesAndTheEnd)
{
  auto* controller = New<TControllerA>(nullptr);
  TOwned<TControllerEvents> events = MakeOwned<TControllerEvents>();
  controller->SetOnHintStyleChanged(TcxHintStyleChangedEvent(events.get(), &TControllerEvents::StyleChanged));
  TListener first, second;
  controller->AddListener(&first);
  controller->AddListener(&first);
  controller->AddListener(&second);
  EXPECT_EQ(controller->ListenerCount(), 2);
  static_cast<TTestHintStyleA*>(controller->HintStyle())->Touch();
  ASSERT_EQ(events->Changed.size(), 1u);
  EXPECT_EQ(events->Changed[0], controller->HintStyle());
  ASSERT_EQ(first.Seen.size(), 1u);
  EXPECT_EQ(first.Seen[0].first, "changed");
  controller->RemoveListener(&second);
  Free(controller);
  ASSERT_EQ(first.Seen.size(), 2u);
  EXPECT_EQ(first.Seen[1].first, "removed");
  EXPECT_EQ(second.Seen.size(), 1u);
}

TEST_F(cxHintControllerTest, ComponentsGoingReachTheStyle)
{
  auto* controller = New<TControllerA>(nullptr);
  auto* watched = New<TComponent>(nullptr);
  watched->FreeNotification(controller);
  Free(watched);
  auto* style = static_cast<TTestHintStyleA*>(controller->HintStyle());
  ASSERT_EQ(style->Gone.size(), 1u);
  EXPECT_EQ(style->Gone[0], watched);
  Free(controller);
}

RECT NarrowWorkArea(POINT) { return RECT{0, 0, 120, 600}; }

TEST(cxHintLayout, APlainHintMeasuresWithMarginsAndWrapsAtTheWorkAreasWidth)
{
  TScopedSeam workArea(cxDesktopWorkAreaFunc, NarrowWorkArea);
  TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(10, 10);
  TOwned<TcxCanvas> canvas = MakeOwned<TcxCanvas>(bitmap->Canvas());

  TOwned<TdxHintViewInfo> shortHint = MakeOwned<TdxHintViewInfo>("Hi", POINT{5, 6});
  shortHint->Calculate(canvas.get());
  const SIZE text = canvas->Canvas()->TextExtent("Hi");
  RECT r = shortHint->GetBoundsRect();
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, text.cx + 6);
  EXPECT_EQ(r.bottom, text.cy + 6);

  TOwned<TdxHintViewInfo> longHint =
      MakeOwned<TdxHintViewInfo>("several words that will never fit on one line of this width", POINT{});
  longHint->Calculate(canvas.get());
  r = longHint->GetBoundsRect();
  EXPECT_LE(r.right, 120 + 6);
  EXPECT_GE(r.bottom, 3 * text.cy + 6);

  TOwned<TdxHintViewInfo> empty = MakeOwned<TdxHintViewInfo>("", POINT{});
  empty->Calculate(canvas.get());
  EXPECT_TRUE(IsRectEmpty(&(r = empty->GetBoundsRect())));

  TOwned<TdxHintViewInfoHelper> suffixed = MakeOwned<TdxHintViewInfoHelper>("Open", POINT{}, " (Ctrl+O)");
  EXPECT_EQ(suffixed->Text(), "Open (Ctrl+O)");
  TOwned<TdxHintViewInfoHelper> none = MakeOwned<TdxHintViewInfoHelper>("", POINT{}, " (Ctrl+O)");
  EXPECT_EQ(none->Text(), "");
}

}  // namespace
