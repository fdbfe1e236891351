#include "toolkit/bars/dxBarPopupMenu.h"

#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarPopupMenuWait.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/controls/cxControlsHelpers.h"
#include "toolkit/base/dxCore.h"

namespace {
using TPM = TdxBarCustomPopupMenu;
const TPropInfo PopupMenuProps[] = {
  ComponentProp<&TPM::GetBarManagerProp, &TPM::SetBarManagerProp>("BarManager"),
  IntProp<&TPM::BarSize, &TPM::SetBarSize>("BarSize", 0),
  EventProp<&TPM::OnCloseUp, &TPM::SetOnCloseUp>("OnCloseUp"),
  EventProp<&TPM::OnPopup, &TPM::SetOnPopup>("OnPopup"),
  CollectionProp<&TPM::ItemLinks>("ItemLinks"),
  PersistentProp<&TPM::ItemOptions>("ItemOptions"),
  BoolProp<&TPM::UseRecentItems, &TPM::SetUseRecentItems>("UseRecentItems", false),
};
}  // namespace

CL_DEFINE_CLASS(TdxBarCustomPopupComponent);
CL_DEFINE_CLASS(TdxBarCustomPopupMenu, .Props = PopupMenuProps);
CL_DEFINE_CLASS(TdxBarPopupMenu);

// --- TdxBarCustomPopupComponent ---

TdxBarCustomPopupComponent::TdxBarCustomPopupComponent(TComponent* owner) : TdxBarComponent(owner) {}

TdxBarCustomPopupComponent::~TdxBarCustomPopupComponent() = default;

void TdxBarCustomPopupComponent::AfterConstruction()
{
  TdxBarComponent::AfterConstruction();
  TdxBarManagerList* list = GetBarManagerList();
  if (!list || list->Count() == 0) throw EdxException(GetResStringText(&dxSBAR_NOBARMANAGERS));
  TdxBarManager* manager = FindBarManagerOfComponent(Owner());
  if (!manager) manager = list->GetManager(0);
  FItemLinks.reset(GetItemLinksClass().Create(manager, static_cast<IdxBarLinksOwner*>(this)));
  SetBarManager(manager);
}

void TdxBarCustomPopupComponent::BeforeDestruction()
{
  // An open menu window goes with its links.
  if (FItemLinks && FItemLinks->BarControl()) Free(FItemLinks->BarControl());
  SetBarManager(nullptr);
  FItemLinks.reset();
  TdxBarComponent::BeforeDestruction();
}

TClassRef<TdxBarItemLinks> TdxBarCustomPopupComponent::GetItemLinksClass() const
{
  return ClassRef<TdxBarSubMenuControlItemLinks>();
}

void TdxBarCustomPopupComponent::SetBarManager(TdxBarManager* value)
{
  TdxBarManager* old = GetBarManager();
  if (old == value) return;
  if (old) old->RemovePopupMenu(this);
  TdxBarComponent::SetBarManager(value);
  if (FItemLinks) FItemLinks->SetBarManager(value);
  if (value) value->AddPopupMenu(this);
}

void TdxBarCustomPopupComponent::Loaded()
{
  TdxBarComponent::Loaded();
  TdxBarDesignController* controller = GetDesignController();
  if (controller) controller->LockNotify();
  try {
    FItemLinks->ResolveItemNames();
  } catch (...) {
    if (controller) controller->UnlockNotify();
    throw;
  }
  if (controller) controller->UnlockNotify();
}

bool TdxBarCustomPopupComponent::AcceptsItem(TdxBarItem* item, std::string& message)
{
  if (!item->CanBePlacedIn(TdxBarLinksKind::lkMenu, nullptr, message)) return false;
  if (TdxBarItemLinks* links = item->GetItemLinks(); links && links->ContainsLinksOwner(this)) {
    message = GetResStringText(&dxSBAR_RECURSIVEMENUS);
    return false;
  }
  return true;
}

TClassRef<TdxBarSubMenuControl> TdxBarCustomPopupComponent::GetSubMenuControlClass() const
{
  return ClassRef<TdxBarSubMenuControl>();
}

TdxBarSubMenuControl* TdxBarCustomPopupComponent::CreateSubMenuControl()
{
  return GetSubMenuControlClass().Create(GetBarManager());
}

// --- TdxBarCustomPopupMenu ---

TdxBarCustomPopupMenu::TdxBarCustomPopupMenu(TComponent* owner) : TdxBarCustomPopupComponent(owner) {}

void TdxBarCustomPopupMenu::AfterConstruction()
{
  TdxBarCustomPopupComponent::AfterConstruction();
  // Made here, not in Loaded: a menu made in code is never loaded.
  FBackgroundBitmap = CreateBarBitmap(TNotifyEvent{});
  ItemLinks()->SetUseRecentItems(false);
}

TdxBarSubMenuControl* TdxBarCustomPopupMenu::GetBarControl() const
{
  return ObjectAs<TdxBarSubMenuControl>(ItemLinks()->BarControl());
}

namespace {
// The focus lies in a window of the open chain of bar controls.
bool FocusInsideOpenMenus(TCustomdxBarControl* active)
{
  HWND focus = GetFocus();
  for (TCustomdxBarControl* c = active; c; c = c->OwnerBarControl())
    if (c->OwnsWindow(focus)) return true;
  return false;
}
}  // namespace

void TdxBarCustomPopupMenu::Popup(int x, int y)
{
  if (ItemLinks()->BarControl()) return;
  CancelModeOfActiveForm();
  TdxBarManager* manager = GetBarManager();
  if (!manager || !manager->IsCustomizingOrDesigning())
    if (HWND capture = GetCapture()) {
      SendMessageA(capture, CM_CANCELMODE, 0, 0);
      ReleaseCapture();
    }
  if (!FOwnerBarControl)
    if (TCustomdxBarControl* active = GetActiveBarControl(); active && !FocusInsideOpenMenus(active))
      active->CloseUp(TdxBarCloseReason::ClickElsewhere);

  auto* menu = static_cast<TdxBarSubMenuControl*>(ItemLinks()->BarControl());
  if (!menu) {
    menu = CreateSubMenuControl();
    menu->SetItemLinks(ItemLinks());
  }
  menu->SetLeft(x);
  menu->SetTop(y);
  if (FOpeningItemControl && FOpeningItemControl->BarControl())
    FOpeningItemControl->BarControl()->SetChildControl(menu);
  if (FHasOwnerRect) menu->SetOwnerRect(FOwnerRect, nullptr);
  if (FOwnerBarControl) menu->SetOwnerBarControl(FOwnerBarControl);
  menu->SetOwnerWidth(FOwnerWidth);
  menu->SetOwnerHeight(FOwnerHeight);
  TWeakRef<TdxBarCustomPopupMenu> self(this);
  menu->OnPopupNotice = [self](TdxBarSubMenuControl*) {
    if (self) self->PopupNotice();
  };
  menu->OnCloseUpNotice = [self](TdxBarSubMenuControl*, TdxBarCloseReason reason) {
    if (self) self->CloseUpNotice(reason);
  };
  TWeakRef<TdxBarSubMenuControl> weakMenu(menu);
  try {
    menu->StartPopup();
  } catch (...) {
    if (weakMenu) weakMenu->CloseUp(TdxBarCloseReason::ClickElsewhere);
    throw;
  }
  if (!FWait) return;
  dxBarWaitWhileMenuOpen([weakMenu] { return static_cast<bool>(weakMenu); });
}

void TdxBarCustomPopupMenu::PopupAtCursor()
{
  const POINT p = ReadCursorPos();
  Popup(p.x, p.y);
}

void TdxBarCustomPopupMenu::PopupWithOwner(int x, int y, int ownerWidth, int ownerHeight, bool show,
                                           const RECT* ownerRect, bool wait, TCustomdxBarControl* ownerBarControl)
{
  FOwnerWidth = ownerWidth;
  FOwnerHeight = ownerHeight;
  FShow = show;
  FHasOwnerRect = ownerRect != nullptr;
  if (ownerRect) FOwnerRect = *ownerRect;
  FWait = wait;
  FOwnerBarControl = ownerBarControl;
  struct TReset {
    TWeakRef<TdxBarCustomPopupMenu> Menu;
    ~TReset()
    {
      if (!Menu) return;
      Menu->FWait = true;
      Menu->FShow = true;
      Menu->FOwnerBarControl = nullptr;
      Menu->FHasOwnerRect = false;
      Menu->FOwnerRect = RECT{};
      Menu->FOwnerWidth = 0;
      Menu->FOwnerHeight = 0;
    }
  } reset{TWeakRef<TdxBarCustomPopupMenu>(this)};
  Popup(x, y);
}

void TdxBarCustomPopupMenu::DoPaintBar(TcxCanvas* canvas, const RECT& rect)
{
  if (FOnPaintBar) FOnPaintBar(this, canvas, rect);
}

bool TdxBarCustomPopupMenu::IsMenuShortCut(TMessage& message)
{
  const TShortCut shortCut = ShortCutFromKeyMessage(static_cast<WORD>(message.WParam), message.LParam);
  return shortCut != 0 && ItemLinks()->HandleShortCut(shortCut);
}

void TdxBarCustomPopupMenu::PopupNotice()
{
  FOpen = true;
  DoPopup();
}

void TdxBarCustomPopupMenu::CloseUpNotice(TdxBarCloseReason)
{
  FOpen = false;
  DoCloseUp();
}

void TdxBarCustomPopupMenu::DoPopup()
{
  if (FOnPopup) FOnPopup(this);
}

void TdxBarCustomPopupMenu::DoCloseUp()
{
  if (FOnCloseUp) FOnCloseUp(this);
}
