#include "toolkit/bars/dxBarPopupMenu.h"

#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/bars/dxBarUnit.h"
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

// --- TdxBarCustomPopupMenu ---

TdxBarCustomPopupMenu::TdxBarCustomPopupMenu(TComponent* owner) : TdxBarCustomPopupComponent(owner) {}

void TdxBarCustomPopupMenu::AfterConstruction()
{
  TdxBarCustomPopupComponent::AfterConstruction();
  ItemLinks()->SetUseRecentItems(false);
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
