#include "tests/toolkit/controls/ControlsTestSupport.h"

#include "classlib/Application.h"

namespace controls_test {

namespace {
void HandleWaitingMessages()
{
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}
}  // namespace

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
  DWORD start = GetTickCount();
  while (!done()) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    HandleWaitingMessages();
    if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

void Pump(int ms)
{
  DWORD start = GetTickCount();
  while (static_cast<int>(GetTickCount() - start) < ms) {
    HandleWaitingMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  HandleWaitingMessages();
}

CL_DEFINE_CLASS(TRecordingControl);

TRecordingControl::TRecordingControl(TComponent* owner) : TCustomControl(owner) {}

int TRecordingControl::Count(UINT msg) const
{
  int n = 0;
  for (const TMessage& m : Seen) n += m.Msg == msg;
  return n;
}

void TRecordingControl::WndProc(TMessage& msg)
{
  if (msg.Msg >= WM_APP && msg.Msg < 0xC000) Seen.push_back(msg);
  TCustomControl::WndProc(msg);
}

TForm* NewForm(int clientWidth, int clientHeight)
{
  auto* form = New<TForm>(Application, CreateNew);
  form->SetClientSize(clientWidth, clientHeight);
  return form;
}

}  // namespace controls_test
