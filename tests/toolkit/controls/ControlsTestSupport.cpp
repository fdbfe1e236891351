#include "tests/toolkit/controls/ControlsTestSupport.h"

#include "classlib/Application.h"

namespace controls_test {

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
