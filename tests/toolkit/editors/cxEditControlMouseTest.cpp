// The edit control's mouse and hosting in real windows: button clicks by pressing and releasing,
// the double click of an in-place activation, hints, bar hosting, and the live GDI objects and
// windows over many in-place activations.
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Hints.h"
#include "tests/support/MessagePump.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/editors/EditControlTestSupport.h"
#include "toolkit/base/cxClassesTimer.h"

using namespace edit_test;

namespace {

// An editor without an inner control, so that every click is its own; it counts its clicks.
class TMouseEdit : public TTestEdit {
  CL_CLASS(TMouseEdit, TTestEdit)
public:
  using TTestEdit::TTestEdit;
  TWinControlClass InnerEditClassType() const override { return {}; }
  std::vector<int> ButtonClicks;
  int DoubleClicks = 0;
  void ButtonClicked(TObject*, int Index) { ButtonClicks.push_back(Index); }
  void DoubleClicked(TObject*) { ++DoubleClicks; }
  // The centre of the first button's rectangle, on the screen.
  POINT ButtonPoint()
  {
    auto* vi = static_cast<TcxCustomEditViewInfo*>(ViewInfo());
    const RECT r = vi->Buttons(0)->Bounds;
    return ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  POINT TextPoint() { return ClientToScreen(POINT{10, Height() / 2}); }
};
CL_DEFINE_CLASS(TMouseEdit);

// Notes whether each stored value was to be checked.
class TCheckedStoreEdit : public TTestEdit {
  CL_CLASS(TCheckedStoreEdit, TTestEdit)
public:
  using TTestEdit::TTestEdit;
  std::vector<bool> Checks;
  void StoreEditValue(const Variant& Value, bool CheckValue) override
  {
    Checks.push_back(CheckValue);
    TTestEdit::StoreEditValue(Value, CheckValue);
  }
};
CL_DEFINE_CLASS(TCheckedStoreEdit);

class EditMouseTest : public TEditFormTest {
protected:
  void SetUp() override
  {
    TEditFormTest::SetUp();
    Form->Show();
    ASSERT_TRUE(BringToFront(Form->Handle()));
  }
  TMouseEdit* NewMouseEdit(bool inplace)
  {
    auto* edit = New<TMouseEdit>(Form, inplace);
    edit->SetAutoSize(false);  // without content of its own the editor would shrink to its border
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 200, 24);
    TcxEditButton* button = edit->Properties()->Buttons()->AddButton();
    button->SetKind(bkText);
    button->SetHint("Opens the list|Shows the values to choose from");
    edit->Properties()->SetOnButtonClick(TcxEditButtonClickEvent(edit, &TMouseEdit::ButtonClicked));
    edit->SetOnDblClick(TNotifyEvent(edit, &TMouseEdit::DoubleClicked));
    edit->HandleNeeded();
    edit->RefreshStateAtCursor(false);
    Pump();
    return edit;
  }
  // CM_HINTSHOW at a client point: the hint shown, or nullopt when the editor shows none.
  static std::optional<std::string> HintAt(TMouseEdit* edit, POINT p)
  {
    THintInfo info;
    info.HintControl = edit;
    info.CursorPos = p;
    if (edit->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == static_cast<LRESULT>(-1)) return std::nullopt;
    return info.HintStr;
  }
};

}  // namespace

TEST_F(EditMouseTest, AButtonReleasedOverItselfClicksOnceReleasedElsewhereNot)
{
  TMouseEdit* edit = NewMouseEdit(false);
  ASSERT_EQ(static_cast<TcxCustomEditViewInfo*>(edit->ViewInfo())->ButtonCount(), 1);
  ASSERT_TRUE(ClickAt(edit->ButtonPoint()));
  ASSERT_TRUE(PumpUntil([&] { return !edit->ButtonClicks.empty(); }, 5000));
  EXPECT_EQ(edit->ButtonClicks, std::vector<int>{0});

  // Pressed on the button, released over the text: no click; then a click proves the input done.
  const POINT text = edit->TextPoint();
  ASSERT_TRUE(TMouseDrag::Start(edit->ButtonPoint(), text));
  ASSERT_TRUE(PumpUntil([] { return TMouseDrag::Done(); }, 5000));
  Pump(100);
  ASSERT_TRUE(ClickAt(edit->ButtonPoint()));
  ASSERT_TRUE(PumpUntil([&] { return edit->ButtonClicks.size() >= 2; }, 5000));
  EXPECT_EQ(edit->ButtonClicks, (std::vector<int>{0, 0}));
}

TEST_F(EditMouseTest, AClickRightAfterActivationIsADoubleClickOnlyOnTheText)
{
  for (const bool onButton : {true, false}) {
    SCOPED_TRACE(onButton ? "on the button" : "on the text");
    TMouseEdit* edit = NewMouseEdit(true);
    edit->ClickTimer()->SetInterval(60000);  // the second click always comes within the time
    TcxCustomEditData* data = nullptr;
    const POINT inParent = Form->ScreenToClient(edit->TextPoint());
    edit->ActivateByMouse(TShiftState{ssLeft}, inParent.x, inParent.y, data);
    EXPECT_TRUE(edit->ClickTimer()->Enabled());
    EXPECT_EQ(GetCapture(), nullptr);  // the button is already up: no capture left behind
    ASSERT_TRUE(ClickAt(onButton ? edit->ButtonPoint() : edit->TextPoint()));
    ASSERT_TRUE(PumpUntil([&] { return !edit->ClickTimer()->Enabled(); }, 5000));
    Pump(100);
    EXPECT_EQ(edit->DoubleClicks, onButton ? 0 : 1);
    if (onButton) {
      EXPECT_TRUE(PumpUntil([&] { return edit->ButtonClicks.size() == 1; }, 5000));
    }
    edit->Deactivate();
    Free(edit);
  }
}

TEST_F(EditMouseTest, HintsShowTheButtonsShortHintOrTheEditorsAndNoneOutside)
{
  TMouseEdit* edit = NewMouseEdit(false);
  const POINT button = edit->ScreenToClient(edit->ButtonPoint());
  EXPECT_EQ(HintAt(edit, button), std::optional<std::string>("Opens the list"));
  edit->SetHint("The value|Type a value");
  edit->SetShowHint(true);
  EXPECT_EQ(HintAt(edit, POINT{10, 10}), std::optional<std::string>("The value"));
  edit->SetShowHint(false);
  EXPECT_EQ(HintAt(edit, POINT{10, 10}), std::optional<std::string>(""));
  EXPECT_EQ(HintAt(edit, POINT{-20, -20}), std::nullopt);
  EXPECT_EQ(HintAt(edit, POINT{edit->Width() + 5, 5}), std::nullopt);
}

TEST_F(EditMouseTest, ABarHostStoresValuesWithoutTheValueCheck)
{
  auto* edit = PlaceEdit<TCheckedStoreEdit>(false);
  IcxBarHostedEdit* hosted = Supports<IcxBarHostedEdit>(edit);
  ASSERT_NE(hosted, nullptr);
  EXPECT_FALSE(hosted->SupportsTextEditing());
  hosted->SetTextFromOutside("ignored");  // the base editor takes no text from outside
  hosted->SetHostedInBar(true);
  EXPECT_TRUE(edit->HostedInBar());
  hosted->StoreEditValueUnchecked(Variant(42));
  EXPECT_EQ(edit->EditValue(), Variant(42));
  EXPECT_EQ(edit->Checks, std::vector<bool>{false});
  hosted->SetHostedInBar(false);
  EXPECT_FALSE(edit->HostedInBar());
}

TEST_F(EditMouseTest, ManyActivationsByKeyAndByMouseLeaveNoGdiObjectsOrWindows)
{
  auto* edit = PlaceEdit<TTestEdit>(true);
  TcxCustomEditData* data = nullptr;
  // Warm up once: the first activation makes what every later one reuses.
  edit->ActivateByKey('a', data);
  edit->Deactivate();
  edit->SetVisible(false);
  Pump();
  const int windows = ThreadWindowCount();
  const int gdi = LiveGdiObjects();
  for (int i = 0; i < 200; ++i) {
    if (i % 2 == 0)
      edit->ActivateByKey('a', data);
    else
      edit->ActivateByMouse(TShiftState{ssLeft}, 20, 20, data);
    EXPECT_TRUE(edit->Activated());
    edit->Deactivate();
    edit->SetVisible(false);
  }
  Pump();
  EXPECT_EQ(ThreadWindowCount(), windows);
  EXPECT_EQ(LiveGdiObjects(), gdi);
}
