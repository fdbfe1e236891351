// The tool bar over the system's tool bar window, and its buttons.
#include "classlib/ToolBar.h"

#include <algorithm>
#include <commctrl.h>
#include "classlib/Themes.h"
#include "classlib/TypInfo.h"

namespace {
constexpr std::string_view ToolButtonStyleNames[] = {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator",
                                                     "tbsDivider"};
constexpr TEnumInfo ToolButtonStyleInfo = EnumInfo<tbsDivider>("TToolButtonStyle", ToolButtonStyleNames);

using TTB = TToolButton;
constexpr TPropInfo ToolButtonProps[] = {
  EnumProp<&TTB::Style, &TTB::SetStyle>("Style", ToolButtonStyleInfo, 0),
  IntProp<&TTB::ImageIndex, &TTB::SetImageIndex>("ImageIndex", -1),
  BoolProp<&TTB::Down, &TTB::SetDown>("Down", false),
};
using TBar = TToolBar;
constexpr TPropInfo ToolBarProps[] = {
  ComponentProp<&TBar::Images, &TBar::SetImages>("Images"),
  BoolProp<&TBar::Flat, &TBar::SetFlat>("Flat", false),
  IntProp<&TBar::ButtonWidth, &TBar::SetButtonWidth>("ButtonWidth", 23),
  IntProp<&TBar::ButtonHeight, &TBar::SetButtonHeight>("ButtonHeight", 22),
};

// Command numbers of the buttons, unique in the process.
int GNextCommand = 1;

bool IsSeparator(TToolButtonStyle style) { return style == tbsSeparator || style == tbsDivider; }

// A tool button follows its action's image too.
class TToolButtonActionLink : public TControlActionLink {
  CL_CLASS(TToolButtonActionLink, TControlActionLink)
public:
  explicit TToolButtonActionLink(TToolButton* client) : TControlActionLink(client), FButton(client) {}
  void SetImageIndex(int value) override
  {
    if (CustomAction() && FButton->ImageIndex() == CustomAction()->ImageIndex()) FButton->SetImageIndex(value);
  }

private:
  TToolButton* FButton;
};
}  // namespace

CL_DEFINE_CLASS(TToolButtonActionLink);

// ----- TToolButton --------------------------------------------------------------------------

CL_MESSAGE_MAP(TToolButton,
  {CM_HITTEST, &TToolButton::CMHitTest},
  {CM_ENABLEDCHANGED, &TToolButton::CMStateChanged},
  {CM_VISIBLECHANGED, &TToolButton::CMStateChanged});
CL_DEFINE_CLASS(TToolButton, .Props = ToolButtonProps);

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner), FCommand(GNextCommand++)
{
  SetBounds(0, 0, 23, 22);
}

void TToolButton::BeforeDestruction()
{
  if (FToolBar) FToolBar->RemoveButton(this);
  TGraphicControl::BeforeDestruction();
}

int TToolButton::Index() const
{
  if (!FToolBar) return -1;
  const auto& buttons = FToolBar->FButtons;
  return static_cast<int>(std::find(buttons.begin(), buttons.end(), this) - buttons.begin());
}

void TToolButton::SetParent(TWinControl* parent)
{
  auto* bar = dynamic_cast<TToolBar*>(parent);
  if (FToolBar && FToolBar != bar) FToolBar->RemoveButton(this);
  TGraphicControl::SetParent(parent);
  if (bar && FToolBar != bar) bar->InsertButton(this);
}

void TToolButton::SetBounds(int left, int top, int width, int height)
{
  const bool widthChanged = width != Width();
  TGraphicControl::SetBounds(left, top, width, height);
  // The bar decides where its buttons lie; only a separator's width is the button's own.
  if (FToolBar && !FPlacing && widthChanged && IsSeparator(FStyle)) FToolBar->RecreateButtons();
}

void TToolButton::SetStyle(TToolButtonStyle value)
{
  if (FStyle == value) return;
  FStyle = value;
  if (FToolBar) FToolBar->RecreateButtons();
}

void TToolButton::SetImageIndex(int value)
{
  SetAndNotify(FImageIndex, value, [this] { Changed(); });
}

void TToolButton::SetDown(bool value)
{
  SetAndNotify(FDown, value, [this] { Changed(); });
}

void TToolButton::Changed()
{
  if (FToolBar) FToolBar->UpdateButton(this);
}

TOwned<TControlActionLink> TToolButton::NewActionLink() { return MakeOwned<TToolButtonActionLink>(this); }

void TToolButton::ActionChange(TBasicAction* sender, bool checkDefaults)
{
  TGraphicControl::ActionChange(sender, checkDefaults);
  const TActionValues v = TActionValues::Of(sender);
  if (!checkDefaults || FImageIndex == -1) SetImageIndex(v.ImageIndex);
}

void TToolButton::CMHitTest(TMessage& msg)
{
  // The bar's window tracks the mouse over its buttons itself.
  msg.Result = HTNOWHERE;
}

void TToolButton::CMStateChanged(TMessage& msg)
{
  Inherited<TToolButton>(msg);
  Changed();
}

// ----- TToolBar -----------------------------------------------------------------------------

CL_MESSAGE_MAP(TToolBar,
  {CN_COMMAND, &TToolBar::CNCommand},
  {WM_NOTIFY, &TToolBar::WMNotifyTips},
  {WM_PAINT, &TToolBar::WMPaintBar},
  {WM_ERASEBKGND, &TToolBar::WMEraseBkgndBar});
CL_DEFINE_CLASS(TToolBar, .Props = ToolBarProps);

TToolBar::TToolBar(TComponent* owner)
    : TWinControl(owner), FImages(this, TNotifyEvent(this, &TToolBar::ImageListChange))
{
  FControlStyle = {TControlStyleFlag::csAcceptsControls, TControlStyleFlag::csDoubleClicks};
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
}

void TToolBar::BeforeDestruction()
{
  Destroying();
  FImages.Set(nullptr);
  TWinControl::BeforeDestruction();
}

void TToolBar::CreateParams(TCreateParams& params)
{
  TWinControl::CreateParams(params);
  CreateSubClass(params, TOOLBARCLASSNAMEA);
  // The bar keeps the bounds the control gives it.
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS;
  if (FFlat) params.Style |= TBSTYLE_FLAT;
}

void TToolBar::CreateWnd()
{
  TWinControl::CreateWnd();
  SendMessageA(FHandle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  ImageListChange(nullptr);
  RecreateButtons();
}

TToolButton* TToolBar::Buttons(int index) const
{
  if (index < 0 || index >= ButtonCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FButtons[static_cast<size_t>(index)];
}

TToolButton* TToolBar::ButtonOfCommand(int command) const
{
  for (TToolButton* button : FButtons)
    if (button->FCommand == command) return button;
  return nullptr;
}

void TToolBar::SetImages(TCustomImageList* value) { FImages.Set(value); }

void TToolBar::SetFlat(bool value)
{
  SetAndNotify(FFlat, value, [this] {
    if (HandleAllocated()) RecreateWnd();
  });
}

void TToolBar::SetButtonWidth(int value)
{
  SetAndNotify(FButtonWidth, std::max(value, 1), [this] { ImageListChange(nullptr); });
}

void TToolBar::SetButtonHeight(int value)
{
  SetAndNotify(FButtonHeight, std::max(value, 1), [this] { ImageListChange(nullptr); });
}

void TToolBar::ImageListChange(TObject*)
{
  if (!FHandle || IsDestroying()) return;
  TCustomImageList* images = FImages.Get();
  SendMessageA(FHandle, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
  if (images) SendMessageA(FHandle, TB_SETBITMAPSIZE, 0, MAKELPARAM(images->Width(), images->Height()));
  SendMessageA(FHandle, TB_SETBUTTONSIZE, 0, MAKELPARAM(FButtonWidth, FButtonHeight));
  InvalidateRect(FHandle, nullptr, TRUE);
  UpdateButtonBounds();
}

TBBUTTON TToolBar::ButtonData(const TToolButton* button) const
{
  TBBUTTON data{};
  data.idCommand = button->FCommand;
  data.dwData = reinterpret_cast<DWORD_PTR>(button);
  data.iString = -1;
  if (IsSeparator(button->FStyle)) {
    data.fsStyle = BTNS_SEP;
    data.iBitmap = button->Width();
  } else {
    data.fsStyle = button->FStyle == tbsCheck ? BTNS_CHECK : button->FStyle == tbsDropDown ? BTNS_DROPDOWN : BTNS_BUTTON;
    data.iBitmap = button->FImageIndex >= 0 ? button->FImageIndex : I_IMAGENONE;
  }
  if (button->Enabled()) data.fsState |= TBSTATE_ENABLED;
  if (!button->Visible()) data.fsState |= TBSTATE_HIDDEN;
  if (button->FDown) data.fsState |= TBSTATE_CHECKED;
  return data;
}

void TToolBar::InsertButton(TToolButton* button)
{
  FButtons.push_back(button);
  button->FToolBar = this;
  RecreateButtons();
}

void TToolBar::RemoveButton(TToolButton* button)
{
  std::erase(FButtons, button);
  button->FToolBar = nullptr;
  if (!IsDestroying()) RecreateButtons();
}

void TToolBar::RecreateButtons()
{
  if (!FHandle || IsDestroying()) return;
  while (SendMessageA(FHandle, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(FHandle, TB_DELETEBUTTON, 0, 0);
  std::vector<TBBUTTON> data;
  for (const TToolButton* button : FButtons) data.push_back(ButtonData(button));
  if (!data.empty())
    SendMessageA(FHandle, TB_ADDBUTTONSA, data.size(), reinterpret_cast<LPARAM>(data.data()));
  UpdateButtonBounds();
}

void TToolBar::UpdateButton(TToolButton* button)
{
  if (!FHandle || IsDestroying()) return;
  if (IsSeparator(button->FStyle)) {
    RecreateButtons();
    return;
  }
  const TBBUTTON data = ButtonData(button);
  SendMessageA(FHandle, TB_SETSTATE, static_cast<WPARAM>(data.idCommand), MAKELPARAM(data.fsState, 0));
  SendMessageA(FHandle, TB_CHANGEBITMAP, static_cast<WPARAM>(data.idCommand), MAKELPARAM(data.iBitmap, 0));
  UpdateButtonBounds();
}

void TToolBar::UpdateButtonBounds()
{
  if (!FHandle) return;
  for (size_t i = 0; i < FButtons.size(); ++i) {
    RECT r{};
    SendMessageA(FHandle, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    TToolButton* button = FButtons[i];
    button->FPlacing = true;
    button->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    button->FPlacing = false;
  }
}

void TToolBar::GetChildren(const TGetChildProc& proc, TComponent* root)
{
  for (TToolButton* button : FButtons)
    if (button->Owner() == root) proc(button);
}

void TToolBar::Notification(TComponent* component, TOperation operation)
{
  TWinControl::Notification(component, operation);
  FImages.Notification(component, operation);
}

void TToolBar::Loaded()
{
  TWinControl::Loaded();
  RecreateButtons();
}

void TToolBar::CNCommand(TMessage& msg)
{
  TToolButton* button = ButtonOfCommand(LOWORD(msg.WParam));
  if (!button) return;
  if (button->FStyle == tbsCheck)
    button->FDown = SendMessageA(FHandle, TB_ISBUTTONCHECKED, static_cast<WPARAM>(button->FCommand), 0) != 0;
  button->Click();
}

void TToolBar::WMNotifyTips(TMessage& msg)
{
  // The bar's tip asks for the text of the button under the mouse: the short part of its hint.
  auto* hdr = msg.LParamAs<NMHDR>();
  const bool tipText = hdr->code == TTN_GETDISPINFOA || hdr->code == TTN_GETDISPINFOW;
  if (!tipText || !FHandle || hdr->hwndFrom != reinterpret_cast<HWND>(SendMessageA(FHandle, TB_GETTOOLTIPS, 0, 0))) {
    Inherited<TToolBar>(msg);
    return;
  }
  const TToolButton* button = ButtonOfCommand(static_cast<int>(hdr->idFrom));
  const std::string hint = button ? GetShortHint(button->Hint()) : std::string();
  const int n = MultiByteToWideChar(CP_ACP, 0, hint.data(), static_cast<int>(hint.size()), nullptr, 0);
  FTipText.assign(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, hint.data(), static_cast<int>(hint.size()), FTipText.data(), n);
  if (hdr->code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
    info->hinst = nullptr;
    info->lpszText = FTipText.data();
  } else {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
    info->hinst = nullptr;
    lstrcpynA(info->szText, hint.c_str(), static_cast<int>(sizeof info->szText));
    info->lpszText = info->szText;
  }
  msg.Result = 0;
}

void TToolBar::WMPaintBar(TMessage& msg)
{
  // The system's bar draws its buttons; the button controls draw nothing.
  DefaultHandler(msg);
}

void TToolBar::WMEraseBkgndBar(TMessage& msg)
{
  // What lies behind the bar: its colour, or the styled background of its parent.
  const RECT client = ClientRect();
  PaintControlBackground(this, reinterpret_cast<HDC>(msg.WParam), client);
  msg.Result = 1;
}
