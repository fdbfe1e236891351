#include "tests/toolkit/controls/ControlsTestSupport.h"

#include "classlib/Application.h"

namespace controls_test {

CL_DEFINE_CLASS(TRecordingControl);
CL_DEFINE_CLASS(TComponentHolder);

void TComponentHolder::GetChildren(const TGetChildProc& proc, TComponent* root)
{
  (void)root;
  for (int i = 0; i < ComponentCount(); ++i)
    if (!Components(i)->HasParent()) proc(Components(i));
}

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
