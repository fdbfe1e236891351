// The program entry: starts the units, makes the main window from its stored form and runs the
// message loop until it closes; the units then shut down in reverse order.
#include "app/Umain.h"
#include "classlib/Application.h"
#include "classlib/Graphics.h"

namespace {
TUnit* const ProgramUnits[] = {&GraphicsUnit, &FormsUnit, &UmainUnit};

void ProgramMain()
{
  TUnitsScope units(ProgramUnits);
  Application->Initialize();  // the main form owns the task bar button
  Application->CreateForm(Frmain);
  Application->Run();
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
  try {
    ProgramMain();
  } catch (const std::exception& e) {
    MessageBoxA(nullptr, e.what(), "文件检索", MB_ICONERROR | MB_OK);
    return 1;
  }
  return 0;
}
