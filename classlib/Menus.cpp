// Menu items, menus, the menu bar and popup menus.
#include "classlib/Menus.h"

#include <algorithm>
#include <map>
#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Forms.h"
#include "classlib/ImageList.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"

namespace {
using TMI = TMenuItem;
constexpr std::string_view MenuBreakNames[] = {"mbNone", "mbBreak", "mbBarBreak"};
constexpr TEnumInfo MenuBreakInfo = EnumInfo<TMenuBreak::mbBarBreak>("TMenuBreak", MenuBreakNames);
constexpr TPropInfo MenuItemProps[] = {
  ComponentProp<&TMI::Action, &TMI::SetAction>("Action"),
  StrProp<&TMI::Caption, &TMI::SetCaption>("Caption"),
  BoolProp<&TMI::Checked, &TMI::SetChecked>("Checked", false),
  BoolProp<&TMI::Enabled, &TMI::SetEnabled>("Enabled", true),
  StrProp<&TMI::Hint, &TMI::SetHint>("Hint"),
  IntProp<&TMI::ImageIndex, &TMI::SetImageIndex>("ImageIndex", -1),
  ShortCutProp<&TMI::ShortCut, &TMI::SetShortCut>("ShortCut"),
  EnumProp<&TMI::Break, &TMI::SetBreak>("Break", MenuBreakInfo, 0),
  EventProp<&TMI::OnMeasureItem, &TMI::SetOnMeasureItem>("OnMeasureItem"),
  BoolProp<&TMI::Visible, &TMI::SetVisible>("Visible", true),
  EventProp<&TMI::OnClick, &TMI::SetOnClick>("OnClick"),
};
using TM = TMenu;
constexpr TPropInfo MenuProps[] = {
  ComponentProp<&TM::Images, &TM::SetImages>("Images"),
  BoolProp<&TM::OwnerDraw, &TM::SetOwnerDraw>("OwnerDraw", false),
};
constexpr std::string_view PopupAlignmentNames[] = {"paLeft", "paRight", "paCenter"};
constexpr TEnumInfo PopupAlignmentInfo = EnumInfo<TPopupAlignment::paCenter>("TPopupAlignment", PopupAlignmentNames);
using TPM = TPopupMenu;
constexpr TPropInfo PopupMenuProps[] = {
  EnumProp<&TPM::Alignment, &TPM::SetAlignment>("Alignment", PopupAlignmentInfo, 0),
  BoolProp<&TPM::AutoPopup, &TPM::SetAutoPopup>("AutoPopup", true),
  EventProp<&TPM::OnPopup, &TPM::SetOnPopup>("OnPopup"),
};

// The command numbers in use, each with its item (WM_COMMAND carries 16 bits of it).
std::map<UINT, TMenuItem*>& Commands()
{
  static std::map<UINT, TMenuItem*> commands;
  return commands;
}

// Menu commands start above the dialog manager's (IDOK ... IDCONTINUE and the like).
// The numbers from 0xFF00 up are left to the children an MDI client lists in its window menu.
constexpr UINT FirstCommand = 0x100, LastCommand = 0xFEFF;

UINT AllocateCommand(TMenuItem* item)
{
  static UINT next = LastCommand;
  auto& commands = Commands();
  if (commands.size() > LastCommand - FirstCommand) throw EOutOfMemory("Too many menu items");
  do next = next == LastCommand ? FirstCommand : next + 1;
  while (commands.contains(next));
  commands[next] = item;
  return next;
}
}  // namespace

TMenuItem* FindMenuItem(UINT command)
{
  auto it = Commands().find(command);
  return it == Commands().end() ? nullptr : it->second;
}

bool DispatchMenuCommand(UINT command)
{
  TMenuItem* item = FindMenuItem(command);
  if (!item) return false;
  item->Click();
  return true;
}

// ----- TMenuActionLink ----------------------------------------------------------------------

CL_DEFINE_CLASS(TMenuActionLink);

bool TMenuActionLink::IsOnExecuteLinked() const
{
  return Action() && FClient->OnClick() == Action()->OnExecute();
}

void TMenuActionLink::SetCaption(const std::string& value)
{
  if (CustomAction() && FClient->Caption() == CustomAction()->Caption()) FClient->SetCaption(value);
}

void TMenuActionLink::SetHint(const std::string& value)
{
  if (CustomAction() && FClient->Hint() == CustomAction()->Hint()) FClient->SetHint(value);
}

void TMenuActionLink::SetImageIndex(int value)
{
  if (CustomAction() && FClient->ImageIndex() == CustomAction()->ImageIndex()) FClient->SetImageIndex(value);
}

void TMenuActionLink::SetEnabled(bool value)
{
  if (CustomAction()) FClient->SetEnabled(value);
}

void TMenuActionLink::SetVisible(bool value)
{
  if (CustomAction()) FClient->SetVisible(value);
}

void TMenuActionLink::SetChecked(bool value)
{
  if (CustomAction()) FClient->SetChecked(value);
}

void TMenuActionLink::SetOnExecute(TNotifyEvent value)
{
  if (IsOnExecuteLinked()) FClient->SetOnClick(value);
}

// ----- TMenuItem ----------------------------------------------------------------------------

CL_DEFINE_CLASS(TMenuItem, .Props = MenuItemProps);

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(AllocateCommand(this)) {}

TMenuItem::~TMenuItem()
{
  Commands().erase(FCommand);
  if (FParent) std::erase(FParent->FItems, this);
  for (TMenuItem* item : FItems) item->FParent = nullptr;
}

void TMenuItem::BeforeDestruction()
{
  Destroying();
  if (FParent) FParent->Remove(this);
  while (!FItems.empty()) {
    TMenuItem* item = FItems.back();
    Remove(item);
    Free(item);
  }
  FActionLink.reset();
  TComponent::BeforeDestruction();
}

void TMenuItem::SetCaption(const std::string& value)
{
  SetAndNotify(FCaption, value, [this] { MenuChanged(); });
}

void TMenuItem::SetEnabled(bool value)
{
  SetAndNotify(FEnabled, value, [this] { MenuChanged(); });
}

void TMenuItem::SetChecked(bool value)
{
  SetAndNotify(FChecked, value, [this] { MenuChanged(); });
}

void TMenuItem::SetVisible(bool value)
{
  SetAndNotify(FVisible, value, [this] { MenuChanged(); });
}

void TMenuItem::SetAction(TBasicAction* value)
{
  if (Action() == value) return;
  if (!value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = MakeOwned<TMenuActionLink>(this);
  FActionLink->SetAction(value);
  ActionChange(value, IsLoading());
}

void TMenuItem::ActionChange(TBasicAction* sender, bool checkDefaults)
{
  TActionValues v = TActionValues::Of(sender);
  if (!checkDefaults || FCaption.empty()) SetCaption(v.Caption);
  if (!checkDefaults || FHint.empty()) SetHint(v.Hint);
  if (!checkDefaults || FImageIndex < 0) SetImageIndex(v.ImageIndex);
  if (!checkDefaults || FEnabled) SetEnabled(v.Enabled);
  if (!checkDefaults || FVisible) SetVisible(v.Visible);
  if (!checkDefaults || !FChecked) SetChecked(v.Checked);
  if (!checkDefaults || !FOnClick) SetOnClick(v.OnExecute);
}

void TMenuItem::Click()
{
  if (!FEnabled) return;
  TBasicAction* action = Action();
  if (action && (!FOnClick || FOnClick == action->OnExecute()))
    FActionLink->Execute();
  else if (FOnClick)
    FOnClick(this);
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut)
{
  if (shortCut == 0) return nullptr;
  for (TMenuItem* item : FItems) {
    if (!item->FEnabled || !item->FVisible) continue;
    if (item->FShortCut == shortCut) return item;
    if (TMenuItem* found = item->FindShortCut(shortCut)) return found;
  }
  return nullptr;
}

void TMenuItem::SetBreak(TMenuBreak value)
{
  SetAndNotify(FBreak, value, [this] { MenuChanged(); });
}

TBitmap* TMenuItem::Bitmap()
{
  if (!FBitmap) FBitmap = MakeOwned<TBitmap>();
  return FBitmap.get();
}

bool TMenuItem::HasBitmap() const { return FBitmap && !FBitmap->Empty(); }

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height)
{
  const int textHeight = canvas->TextHeight("Qg");
  if (FCaption == "-") {
    width = 0;
    height = textHeight / 2;
  } else {
    width = canvas->TextWidth(FCaption) + textHeight * 2;
    height = textHeight + 4;
  }
  TMenu* menu = GetParentMenu();
  if (auto* images = menu ? dynamic_cast<TCustomImageList*>(menu->Images()) : nullptr;
      images && FCaption != "-")
    height = std::max(height, images->Height() + 4);
  if (HasBitmap()) height = std::max(height, FBitmap->Height() + 4);
  if (FOnMeasureItem) FOnMeasureItem(this, canvas, width, height);
}

TMenuItem* TMenuItem::Items(int index) const
{
  if (index < 0 || index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FItems[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item)
{
  if (!item) return;
  if (item->FParent) throw EInvalidOperation("Menu inserted twice");
  for (TMenuItem* p = this; p; p = p->FParent)
    if (p == item) throw EInvalidOperation("Menu item cannot hold itself");
  index = std::clamp(index, 0, Count());
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  MenuChanged();
}

void TMenuItem::Remove(TMenuItem* item)
{
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  item->FParent = nullptr;
  MenuChanged();
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenu* TMenuItem::GetParentMenu() const
{
  const TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  return root->FMenu;
}

void TMenuItem::MenuChanged()
{
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

bool TMenuItem::HasParent() const { return true; }

TComponent* TMenuItem::GetParentComponent() const
{
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
  if (FParent) FParent->Remove(this);
  if (auto* menu = dynamic_cast<TMenu*>(parent))
    menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(parent))
    item->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& proc, TComponent* root)
{
  for (TMenuItem* item : FItems)
    if (item->Owner() == root) proc(item);
}

void TMenuItem::SetChildOrder(TComponent* child, int order)
{
  auto* item = dynamic_cast<TMenuItem*>(child);
  if (!item || item->FParent != this) return;
  std::erase(FItems, item);
  FItems.insert(FItems.begin() + std::clamp(order, 0, Count()), item);
  MenuChanged();
}

void TMenuItem::Notification(TComponent* component, TOperation operation)
{
  TComponent::Notification(component, operation);
}

void TMenuItem::AppendTo(HMENU menu) const
{
  for (const TMenuItem* item : FItems) {
    if (!item->FVisible) continue;
    if (item->FCaption == "-") {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (item->FEnabled ? MF_ENABLED : MF_GRAYED) | (item->FChecked ? MF_CHECKED : 0);
    if (item->FBreak == TMenuBreak::mbBreak) flags |= MF_MENUBREAK;
    if (item->FBreak == TMenuBreak::mbBarBreak) flags |= MF_MENUBARBREAK;
    if (item->FItems.empty()) {
      AppendMenuA(menu, flags, item->FCommand, item->FCaption.c_str());
      continue;
    }
    // The sub-menu belongs to the menu once appended (it goes with it); until then to this call.
    using TMenuPtr = std::unique_ptr<std::remove_pointer_t<HMENU>, decltype(&DestroyMenu)>;
    TMenuPtr sub(CreatePopupMenu(), &DestroyMenu);
    if (!sub) RaiseLastOSError();
    item->AppendTo(sub.get());
    if (!AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub.get()), item->FCaption.c_str()))
      RaiseLastOSError();
    sub.release();
  }
}

TShortCut ShortCut(WORD key, TShiftState shift)
{
  if (key & 0xFF00) return 0;
  TShortCut shortCut = key;
  if (shift.Contains(ssShift)) shortCut |= scShift;
  if (shift.Contains(ssCtrl)) shortCut |= scCtrl;
  if (shift.Contains(ssAlt)) shortCut |= scAlt;
  return shortCut;
}

TShortCut ShortCutOfKeyMessage(const TMessage& message)
{
  if (message.Msg != WM_KEYDOWN && message.Msg != WM_SYSKEYDOWN) return 0;
  TShortCut shortCut = static_cast<TShortCut>(message.WParam & 0xFF);
  if (GetKeyState(VK_SHIFT) < 0) shortCut |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) shortCut |= scCtrl;
  if (message.LParam & (1 << 29)) shortCut |= scAlt;  // the context code: Alt was down
  return shortCut;
}

namespace {
// Names of the keys whose shortcut text is not the keyboard's own name of the key.
struct TKeyName {
  BYTE Key;
  const char* Name;
};
constexpr TKeyName KeyNames[] = {
  {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},   {VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
  {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"},   {VK_HOME, "Home"},    {VK_LEFT, "Left"},
  {VK_UP, "Up"},     {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_INSERT, "Ins"},  {VK_DELETE, "Del"},
};

std::string KeyName(BYTE key)
{
  for (const TKeyName& entry : KeyNames)
    if (entry.Key == key) return entry.Name;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  const UINT scanCode = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
  if (scanCode == 0) return {};
  char name[64] = {};
  const int length = GetKeyNameTextA(static_cast<LONG>(scanCode << 16), name, sizeof(name));
  return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}
}  // namespace

std::string ShortCutToText(TShortCut shortCut)
{
  const std::string name = KeyName(static_cast<BYTE>(shortCut & 0xFF));
  if (name.empty()) return {};
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

TShortCut TextToShortCut(std::string_view text)
{
  struct TModifier {
    std::string_view Name;
    TShortCut Bit;
  };
  constexpr TModifier Modifiers[] = {{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};
  TShortCut modifiers = 0;
  for (bool found = true; found;) {
    found = false;
    for (const TModifier& m : Modifiers)
      if (text.size() > m.Name.size() && SameText(text.substr(0, m.Name.size()), m.Name)) {
        modifiers |= m.Bit;
        text.remove_prefix(m.Name.size());
        found = true;
      }
  }
  for (int key = 1; key <= 0xFF && !text.empty(); ++key)
    if (SameText(KeyName(static_cast<BYTE>(key)), text)) return static_cast<TShortCut>(key | modifiers);
  return 0;
}

std::string GetHotkey(std::string_view text)
{
  std::string hotkey;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(text[i]))) {
      ++i;  // a double-byte character is never the prefix
      continue;
    }
    if (text[i] != '&' || i + 1 >= text.size()) continue;
    ++i;
    if (text[i] == '&') continue;  // "&&": a plain "&"
    const bool doubleByte = IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size();
    hotkey.assign(text.substr(i, doubleByte ? 2 : 1));
    if (doubleByte) ++i;
  }
  return hotkey;
}

// ----- TMenu --------------------------------------------------------------------------------

CL_DEFINE_CLASS(TMenu, .Props = MenuProps);

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(New<TMenuItem>(nullptr))
{
  FItems->FMenu = this;
}

TMenu::~TMenu()
{
  // The items go first, then the handle they were built into.
  FItems->FMenu = nullptr;
  FItems.reset();
  DestroyHandle();
}

bool TMenu::IsShortCut(const TMessage& message)
{
  TMenuItem* item = FItems->FindShortCut(ShortCutOfKeyMessage(message));
  if (!item) return false;
  // The item may free the menu: keep nothing of this after the click.
  item->Click();
  return true;
}

HMENU TMenu::Handle()
{
  if (FHandle) return FHandle.get();
  decltype(FHandle) menu(CreateMenuHandle());
  if (!menu) RaiseLastOSError();
  FItems->AppendTo(menu.get());
  FHandle = std::move(menu);
  return FHandle.get();
}

void TMenu::DestroyHandle() { FHandle.reset(); }

void TMenu::MenuChanged() { DestroyHandle(); }

TMenuItem* TMenu::FindItem(UINT command) const
{
  TMenuItem* item = FindMenuItem(command);
  return item && item != FItems.get() && item->GetParentMenu() == this ? item : nullptr;
}

bool TMenu::DispatchCommand(UINT command)
{
  TMenuItem* item = FindItem(command);
  if (!item) return false;
  item->Click();
  return true;
}

void TMenu::SetImages(TComponent* value)
{
  if (FImages == value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = value;
  if (value) value->FreeNotification(this);
}

void TMenu::GetChildren(const TGetChildProc& proc, TComponent* root) { FItems->GetChildren(proc, root); }

void TMenu::SetChildOrder(TComponent* child, int order) { FItems->SetChildOrder(child, order); }

void TMenu::Notification(TComponent* component, TOperation operation)
{
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FImages) FImages = nullptr;
}

// ----- TMainMenu ----------------------------------------------------------------------------

CL_DEFINE_CLASS(TMainMenu);

TMainMenu::~TMainMenu() { SetWindowHandle(nullptr); }

namespace {
// Puts a menu bar on a window, or takes it off (nullptr); an MDI parent form's goes through its
// MDI client.
void ShowMenuBar(HWND wnd, HMENU menu)
{
  if (TCustomForm::SetMDIFrameMenu(wnd, menu)) return;
  ::SetMenu(wnd, menu);
  if (menu) DrawMenuBar(wnd);
}

bool IsMDIFrame(HWND wnd)
{
  auto* form = dynamic_cast<TCustomForm*>(FindControl(wnd));
  return form && form->ClientHandle();
}
}  // namespace

void TMainMenu::SetWindowHandle(HWND wnd)
{
  // A window destroys the menu it shows: take it off the old one before it could.
  if (FWindowHandle && IsWindow(FWindowHandle) && HandleAllocated() && GetMenu(FWindowHandle) == Handle())
    ShowMenuBar(FWindowHandle, nullptr);
  FWindowHandle = wnd;
  if (wnd) ShowMenuBar(wnd, Handle());
}

void TMainMenu::MenuChanged()
{
  HWND wnd = FWindowHandle;
  const bool shown = wnd && IsWindow(wnd) && HandleAllocated() && GetMenu(wnd) == Handle();
  const bool again = wnd && IsWindow(wnd) && !IsDestroying() && !Items()->IsDestroying();
  if (shown && again && IsMDIFrame(wnd)) {
    // The MDI client moves what it added to the bar over to the new one; the old goes after that.
    HMENU old = ReleaseHandle();
    ShowMenuBar(wnd, Handle());
    DestroyMenu(old);
    return;
  }
  if (shown) ShowMenuBar(wnd, nullptr);
  TMenu::MenuChanged();
  if (again) ShowMenuBar(wnd, Handle());
}

// ----- TPopupMenu ---------------------------------------------------------------------------

CL_DEFINE_CLASS(TPopupMenu, .Props = PopupMenuProps);

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner)
{
  FWindow = AllocateHWnd([this](TMessage& msg) { WndProc(msg); }, this);
}

TPopupMenu::~TPopupMenu() { DeallocateHWnd(FWindow); }

void TPopupMenu::WndProc(TMessage& msg)
{
  if (msg.Msg == WM_COMMAND && HIWORD(msg.WParam) == 0 && DispatchCommand(LOWORD(msg.WParam))) return;
  msg.Result = DefWindowProcA(FWindow, msg.Msg, msg.WParam, msg.LParam);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation)
{
  TMenu::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int x, int y)
{
  if (FOnPopup) FOnPopup(this);
  HMENU menu = Handle();
  UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY;
  if (FAlignment == TPopupAlignment::paRight) flags |= TPM_RIGHTALIGN;
  else if (FAlignment == TPopupAlignment::paCenter) flags |= TPM_CENTERALIGN;
  // The menu belongs to the form it is shown on (which keeps the activation), else to the hidden
  // window of the menu.
  HWND owner = FWindow;
  if (auto* control = dynamic_cast<TControl*>(FPopupComponent))
    if (TCustomForm* form = control->GetParentForm(); form && form->HandleAllocated()) owner = form->Handle();
  UINT command = TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
  // The chosen item runs through the process-wide table: the menu may be gone by then.
  if (command) DispatchMenuCommand(command);
}

bool ShowPopupMenu(TControl* control, POINT screenPos)
{
  for (TControl* c = control; c; c = c->Parent()) {
    auto* menu = dynamic_cast<TPopupMenu*>(c->PopupMenu());
    if (!menu || !menu->AutoPopup()) continue;
    menu->SetPopupComponent(c);
    c->FreeNotification(menu);
    menu->Popup(screenPos.x, screenPos.y);
    return true;
  }
  return false;
}

// ----- unit ---------------------------------------------------------------------------------

namespace {
const TClass MenusClasses[] = {TMenuItem::StaticClass(), TMainMenu::StaticClass(), TPopupMenu::StaticClass()};
void InitMenus()
{
  for (TClass c : MenusClasses) RegisterClass(c);
}
void DoneMenus()
{
  for (TClass c : MenusClasses) UnRegisterClass(c);
}
const TUnit* const MenusUses[] = {&ActnListUnit};
}  // namespace

TUnit MenusUnit{"Menus", MenusUses, InitMenus, DoneMenus};
