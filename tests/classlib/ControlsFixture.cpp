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

TForm* NewForm(int clientWidth, int clientHeight)
{
  auto* form = New<TForm>(Application, CreateNew);
  form->SetClientSize(clientWidth, clientHeight);
  return form;
}

}  // namespace fixture
