#include "tests/classlib/ControlsFixture.h"

namespace fixture {

const TClassRecord TTestPanel::ClassInfo =
    MakeClassRecord<TTestPanel>("TTestPanel", TCustomControl::StaticClass());
const TClassRecord TTestButton::ClassInfo =
    MakeClassRecord<TTestButton>("TTestButton", TWinControl::StaticClass());
CL_MESSAGE_MAP(TTestButton, TWinControl,
  {CN_COMMAND, &TTestButton::CNCommand},
  {CN_CTLCOLORBTN, &TTestButton::CNCtlColor},
  {CN_CTLCOLORSTATIC, &TTestButton::CNCtlColor});
const TClassRecord TTestGraphic::ClassInfo =
    MakeClassRecord<TTestGraphic>("TTestGraphic", TGraphicControl::StaticClass());

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
  DWORD start = GetTickCount();
  while (!done()) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Application->ProcessMessages();
    Application->DoApplicationIdle();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

void Pump(int ms)
{
  DWORD start = GetTickCount();
  while (static_cast<int>(GetTickCount() - start) < ms) {
    Application->ProcessMessages();
    Application->DoApplicationIdle();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

TForm* NewForm(int clientWidth, int clientHeight)
{
  auto* form = New<TForm>(Application, CreateNew);
  form->SetClientSize(clientWidth, clientHeight);
  return form;
}

}  // namespace fixture
