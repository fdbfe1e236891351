#pragma once
// Small controls for the window tests: a container that paints itself, a push button made from
// the system's BUTTON class, and helpers that pump messages for a bounded time.
#include <functional>
#include <string>
#include <vector>
#include <commctrl.h>
#include "classlib/Forms.h"
#include "tests/support/MessagePump.h"

namespace fixture {

// A container: accepts child controls, paints its colour.
class TTestPanel : public TCustomControl {
  CL_CLASS(TTestPanel, TCustomControl)
public:
  explicit TTestPanel(TComponent* owner) : TCustomControl(owner)
  {
    FControlStyle.Include(TControlStyleFlag::csAcceptsControls);
    SetBounds(0, 0, 50, 50);
    SetParentColor(false);
  }
  int Paints = 0;

protected:
  void Paint() override
  {
    ++Paints;
    Canvas()->Brush()->SetColor(Color());
    RECT r = ClientRect();
    Canvas()->FillRect(r);
  }
};

// A push button on the system BUTTON class; its clicks come back reflected as CN_COMMAND.
class TTestButton : public TWinControl {
  CL_CLASS(TTestButton, TWinControl)
public:
  explicit TTestButton(TComponent* owner) : TWinControl(owner)
  {
    // The system button tracks the mouse itself and reports clicks as BN_CLICKED.
    FControlStyle = {TControlStyleFlag::csSetCaption, TControlStyleFlag::csDoubleClicks};
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
  }
  std::vector<UINT> Reflected;

protected:
  void CreateParams(TCreateParams& params) override
  {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= BS_PUSHBUTTON;
  }

private:
  void CNCommand(TMessage& msg)
  {
    Reflected.push_back(msg.Msg);
    if (HIWORD(msg.WParam) == BN_CLICKED) Click();
  }
  void CNCtlColor(TMessage& msg)
  {
    Reflected.push_back(msg.Msg);
    Inherited<TTestButton>(msg);
  }
};

// A windowless control that counts what it receives.
class TTestGraphic : public TGraphicControl {
  CL_CLASS(TTestGraphic, TGraphicControl)
public:
  explicit TTestGraphic(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 20, 20); }
  int Paints = 0;

protected:
  void Paint() override
  {
    ++Paints;
    Canvas()->Brush()->SetColor(clRed);
    RECT r = ClientRect();
    Canvas()->FillRect(r);
  }
};

// Frees a form at the end of a scope.
struct TFormGuard {
  TCustomForm* Form;
  ~TFormGuard() { Free(Form); }
};

// An empty form owned by the application, of the given client size.
TForm* NewForm(int clientWidth = 400, int clientHeight = 300);

// The text of a list view control's item (sub 0) or sub-item, read from the control.
inline std::string ItemText(HWND lv, int index, int sub)
{
  char buf[256] = {};
  LVITEMA item{};
  item.iSubItem = sub;
  item.pszText = buf;
  item.cchTextMax = sizeof buf;
  SendMessageA(lv, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return buf;
}

}  // namespace fixture
