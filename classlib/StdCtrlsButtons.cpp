// The check box over the system's BUTTON window, and the group box that draws its own frame.
#include "classlib/StdCtrls.h"

#include <vssym32.h>
#include "classlib/Bitmap.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Themes.h"
#include "classlib/TypInfo.h"

namespace {
constexpr std::string_view CheckBoxStateNames[] = {"cbUnchecked", "cbChecked", "cbGrayed"};
constexpr TEnumInfo CheckBoxStateInfo = EnumInfo<cbGrayed>("TCheckBoxState", CheckBoxStateNames);

using TCB = TCheckBox;
constexpr TPropInfo CheckBoxProps[] = {
  BoolProp<&TCB::Checked, &TCB::SetChecked>("Checked", false),
  EnumProp<&TCB::State, &TCB::SetState>("State", CheckBoxStateInfo, 0),
  BoolProp<&TCB::AllowGrayed, &TCB::SetAllowGrayed>("AllowGrayed", false),
};

constexpr WPARAM CheckOf(TCheckBoxState state)
{
  return state == cbChecked ? BST_CHECKED : state == cbGrayed ? BST_INDETERMINATE : BST_UNCHECKED;
}
}  // namespace

// ----- TCheckBox ----------------------------------------------------------------------------

CL_MESSAGE_MAP(TCheckBox,
  {CN_COMMAND, &TCheckBox::CNCommand},
  {CN_CTLCOLORSTATIC, &TCheckBox::CNCtlColor},
  {CN_CTLCOLORBTN, &TCheckBox::CNCtlColor},
  {CM_DIALOGCHAR, &TCheckBox::CMDialogChar});
CL_DEFINE_CLASS(TCheckBox, .Props = CheckBoxProps);

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner)
{
  // The system button tracks the mouse itself and reports a click as BN_CLICKED.
  FControlStyle = {TControlStyleFlag::csSetCaption, TControlStyleFlag::csDoubleClicks};
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCheckBox::CreateParams(TCreateParams& params)
{
  TWinControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  // The class keeps the state: the button only shows it.
  params.Style |= BS_3STATE;
}

void TCheckBox::CreateWnd()
{
  TWinControl::CreateWnd();
  SendMessageA(Handle(), BM_SETCHECK, CheckOf(FState), 0);
}

void TCheckBox::SetState(TCheckBoxState value)
{
  if (FState == value) return;
  FState = value;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, CheckOf(value), 0);
}

void TCheckBox::Toggle()
{
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
  Click();
}

void TCheckBox::CNCommand(TMessage& msg)
{
  if (HIWORD(msg.WParam) == BN_CLICKED) Toggle();
}

void TCheckBox::CMDialogChar(TMessage& msg)
{
  if (IsAccel(static_cast<UINT>(msg.WParam), Caption()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    msg.Result = 1;
  }
}

void TCheckBox::CNCtlColor(TMessage& msg)
{
  IStyledBackground* background = StyledParentBackground(this);
  if (!background) {
    Inherited<TCheckBox>(msg);
    return;
  }
  // A brush of what lies behind the box, lined up with the box's window.
  auto image = MakeOwned<TBitmap>();
  image->SetSize(Width(), Height());
  background->PaintStyledBackground(image->Canvas()->Handle(), POINT{Left(), Top()});
  if (!FBackground) FBackground = MakeOwned<TBrush>();
  FBackground->SetBitmap(image.get());
  auto dc = reinterpret_cast<HDC>(msg.WParam);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GdiColor(Font()->Color()));
  msg.Result = reinterpret_cast<LRESULT>(FBackground->Handle());
}

// ----- TGroupBox ----------------------------------------------------------------------------

CL_MESSAGE_MAP(TGroupBox,
  {CM_TEXTCHANGED, &TGroupBox::CMTextChanged},
  {CM_FONTCHANGED, &TGroupBox::CMFontChangedBox});
CL_DEFINE_CLASS(TGroupBox);

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner)
{
  FControlStyle = {TControlStyleFlag::csAcceptsControls, TControlStyleFlag::csCaptureMouse,
                   TControlStyleFlag::csClickEvents, TControlStyleFlag::csSetCaption,
                   TControlStyleFlag::csDoubleClicks, TControlStyleFlag::csParentBackground};
  SetBounds(0, 0, 185, 105);
}

int TGroupBox::CaptionHeight()
{
  TScreenDC screen;
  HGDIOBJ old = SelectObject(screen, Font()->Handle());
  SIZE size{};
  GetTextExtentPoint32A(screen, "0", 1, &size);
  SelectObject(screen, old);
  return size.cy;
}

void TGroupBox::AdjustClientRect(RECT& rect)
{
  rect.top += CaptionHeight();
  InflateRect(&rect, -2, -2);
}

void TGroupBox::Paint()
{
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  const int h = canvas->TextHeight("0");
  const RECT client = ClientRect();
  RECT frame{client.left, client.top + h / 2 - 1, client.right, client.bottom};
  PaintControlBackground(this, canvas->Handle(), client);

  const std::string text = Caption();
  RECT caption{8, 0, 8, h};
  if (!text.empty()) canvas->TextRect(caption, text, DT_SINGLELINE | DT_CALCRECT);

  HDC dc = canvas->Handle();
  TThemeData theme(Handle(), L"BUTTON");
  const int saved = SaveDC(dc);
  if (!text.empty()) ExcludeClipRect(dc, caption.left - 2, caption.top, caption.right + 2, caption.bottom);
  const int state = Enabled() ? GBS_NORMAL : GBS_DISABLED;
  if (!theme.DrawBackground(dc, BP_GROUPBOX, state, frame)) DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  RestoreDC(dc, saved);
  canvas->Refresh();

  if (text.empty()) return;
  canvas->SetFont(Font());
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  canvas->TextRect(caption, text, DT_SINGLELINE);
}

void TGroupBox::CMTextChanged(TMessage&) { Invalidate(); }

void TGroupBox::CMFontChangedBox(TMessage& msg)
{
  Inherited<TGroupBox>(msg);
  Realign();
  Invalidate();
}
