#include "classlib/Hints.h"

#include <algorithm>
#include "classlib/Application.h"
#include "classlib/Forms.h"

CL_MESSAGE_MAP(THintWindow,
  {WM_NCHITTEST, &THintWindow::WMNCHitTest},
  {CM_TEXTCHANGED, &THintWindow::CMTextChanged});
CL_DEFINE_CLASS(THintWindow);

TClass HintWindowClass = THintWindow::StaticClass();

THintWindow* NewHintWindow(TClass windowClass, TComponent* owner)
{
  if (!windowClass) windowClass = HintWindowClass;
  if (!windowClass || !windowClass->InheritsFrom(THintWindow::StaticClass()) || !windowClass->NewComponent)
    throw EInvalidCast("Invalid class typecast");
  return static_cast<THintWindow*>(windowClass->NewComponent(owner));
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner)
{
  SetVisible(false);
  SetColor(clInfoBk);
  if (Screen) Font()->Assign(Screen->HintFont());
}

void THintWindow::CreateParams(TCreateParams& params)
{
  inherited::CreateParams(params);
  params.Style = WS_POPUP | WS_BORDER;
  params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  params.WndParent = Application ? Application->Handle() : nullptr;
  params.WindowClass.style |= CS_SAVEBITS;
}

void THintWindow::WMNCHitTest(TMessage& msg) { msg.Result = HTTRANSPARENT; }

void THintWindow::CMTextChanged(TMessage& msg)
{
  Inherited<THintWindow>(msg);
  if (FActivating) return;
  SetWidth(Canvas()->TextWidth(Caption()) + 6);
  SetHeight(Canvas()->TextHeight(Caption()) + 4);
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::string& hint, void*)
{
  RECT r{0, 0, std::max(maxWidth, 0), 0};
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  DrawTextA(canvas->Handle(), hint.c_str(), static_cast<int>(hint.size()), &r,
            DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  r.right += 6;
  r.bottom += 2;
  return r;
}

void THintWindow::ActivateHint(RECT rect, const std::string& hint)
{
  FActivating = true;
  try {
    SetCaption(hint);
    rect.bottom += 4;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (rect.top + height > screenHeight) rect.top = screenHeight - height;
    if (rect.left + width > screenWidth) rect.left = screenWidth - width;
    rect.left = std::max<LONG>(rect.left, 0);
    rect.top = std::max<LONG>(rect.top, 0);
    SetBounds(rect.left, rect.top, width, height);
    SetWindowPos(Handle(), HWND_TOPMOST, rect.left, rect.top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
  } catch (...) {
    FActivating = false;
    throw;
  }
  FActivating = false;
}

void THintWindow::ActivateHintData(RECT rect, const std::string& hint, void*) { ActivateHint(rect, hint); }

void THintWindow::ReleaseHandle()
{
  if (HandleAllocated()) DestroyHandle();
}

bool THintWindow::IsHintShowing() const { return FHandle && IsWindowVisible(FHandle); }

void THintWindow::Paint()
{
  RECT r = ClientRect();
  r.left += 2;
  r.top += 2;
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  canvas->Font()->SetColor(Screen ? Screen->HintFont()->Color() : clInfoText);
  SetBkMode(canvas->Handle(), TRANSPARENT);
  const std::string text = Caption();
  DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}
