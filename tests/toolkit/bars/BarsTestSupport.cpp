#include "tests/toolkit/bars/BarsTestSupport.h"

CL_DEFINE_CLASS(TTestBarItem);

TForm* NewForm()
{
  auto* form = New<TForm>(Application, CreateNew);
  form->SetBounds(100, 100, 300, 200);
  return form;
}

TPanel* NewPanel(TWinControl* parent, int left, int top)
{
  auto* panel = New<TPanel>(parent);
  panel->SetParent(parent);
  panel->SetBounds(left, top, 100, 80);
  return panel;
}
