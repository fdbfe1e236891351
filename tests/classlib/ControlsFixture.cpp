#include "tests/classlib/ControlsFixture.h"

#include "classlib/Application.h"

CL_MESSAGE_MAP(fixture::TTestButton,
  {CN_COMMAND, &fixture::TTestButton::CNCommand},
  {CN_CTLCOLORBTN, &fixture::TTestButton::CNCtlColor},
  {CN_CTLCOLORSTATIC, &fixture::TTestButton::CNCtlColor});

namespace fixture {

CL_DEFINE_CLASS(TTestPanel);
CL_DEFINE_CLASS(TTestButton);
CL_DEFINE_CLASS(TTestGraphic);

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
