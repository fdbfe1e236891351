#include "toolkit/bars/dxBarAccessibilityHelpers.h"

#include "toolkit/bars/dxBarButtonControls.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarCaptionButtons.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarControlViewInfo.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarNavigation.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/dxCore.h"

CL_DEFINE_CLASS(TdxDockControlAccessibilityHelper);
CL_DEFINE_CLASS(TCustomdxBarControlAccessibilityHelper);
CL_DEFINE_CLASS(TdxBarControlAccessibilityHelper);
CL_DEFINE_CLASS(TdxBarItemControlAccessibilityHelper);
CL_DEFINE_CLASS(TdxBarWinControlAccessibilityHelper);
CL_DEFINE_CLASS(TdxBarButtonLikeControlAccessibilityHelper);
CL_DEFINE_CLASS(TdxBarButtonControlAccessibilityHelper);
CL_DEFINE_CLASS(TdxBarCaptionButtonsAccessibilityHelper);
CL_DEFINE_CLASS(TdxBarCaptionButtonAccessibilityHelper);
CL_DEFINE_CLASS(TdxBarControlMarkAccessibilityHelper);

namespace {
using TDirection = TcxAccessibilityNavigationDirection;

bool IsWindowShown(TWinControl* control)
{
  return control && control->HandleAllocated() && IsWindowVisible(control->Handle());
}

RECT WindowRectOf(TWinControl* control)
{
  RECT r{};
  if (control && control->HandleAllocated()) GetWindowRect(control->Handle(), &r);
  return r;
}

TdxBarItemControl* ItemControlOf(IdxBarAccessibilityHelper* helper)
{
  auto* item = dynamic_cast<TdxBarItemControlAccessibilityHelper*>(helper ? helper->GetBarHelper() : nullptr);
  return item ? item->GetItemControl() : nullptr;
}

// Selecting by keyboard makes the bar the active bar control first.
void SelectInBar(TCustomdxBarControl* bar, TdxBarItemControl* control)
{
  TWeakRef<TCustomdxBarControl> weak(bar);
  if (GetActiveBarControl() != bar) bar->SetActive(true);
  if (weak) bar->SelectItem(control);
}

// The index of the child among the helper's children; -1 when it is not one of them.
int IndexAmongChildren(TcxAccessibilityHelper& helper, TcxAccessibilityHelper* child)
{
  for (int i = 0, count = helper.CountChildren(); i < count; ++i)
    if (child && helper.ChildAt(i) == child) return i;
  return -1;
}

IdxBarAccessibilityHelper* HelperOfLink(TdxBarItemLink* link)
{
  return link && link->Control() ? link->Control()->GetAccessibilityHelper() : nullptr;
}
}  // namespace

// The dock.

TdxDockControlAccessibilityHelper::TdxDockControlAccessibilityHelper(TdxDockControl* owner)
    : TdxBarAccessibilityHelper(owner), FDockControl(owner)
{
}

TcxAccessibilityHelper* TdxDockControlAccessibilityHelper::ChildAt(int index)
{
  const std::vector<TdxDockCol*> cols = FDockControl->GetCols();
  if (index < 0 || index >= static_cast<int>(cols.size())) return nullptr;
  TdxBarControl* toolbar = cols[index]->BarControl();
  IdxBarAccessibilityHelper* helper = toolbar ? toolbar->GetAccessibilityHelper() : nullptr;
  return helper ? helper->GetHelper() : nullptr;
}

int TdxDockControlAccessibilityHelper::CountChildren() { return static_cast<int>(FDockControl->GetCols().size()); }

int TdxDockControlAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper* child)
{
  return IndexAmongChildren(*this, child);
}

HWND TdxDockControlAccessibilityHelper::GetOwnerWindow()
{
  return FDockControl->HandleAllocated() ? FDockControl->Handle() : nullptr;
}

DWORD TdxDockControlAccessibilityHelper::GetStateFlags(int)
{
  return IsWindowShown(FDockControl) ? 0 : cxSTATE_SYSTEM_INVISIBLE;
}

RECT TdxDockControlAccessibilityHelper::GetBoundsOnScreen(int)
{
  return IsVisible() ? WindowRectOf(FDockControl) : RECT{};
}

TdxBarManager* TdxDockControlAccessibilityHelper::GetOwningManager() { return FDockControl->BarManager(); }

// The bar window.

TCustomdxBarControlAccessibilityHelper::TCustomdxBarControlAccessibilityHelper(TCustomdxBarControl* owner)
    : TdxBarAccessibilityHelper(owner), FBarControl(owner)
{
}

TcxAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::ChildAt(int index)
{
  TCustomdxBarControlViewInfo* viewInfo = FBarControl->ViewInfo();
  if (!viewInfo || index < 0 || index >= viewInfo->GetItemControlViewInfoCount()) return nullptr;
  IdxBarAccessibilityHelper* helper = viewInfo->ItemControlViewInfoAt(index)->Control()->GetAccessibilityHelper();
  return helper ? helper->GetHelper() : nullptr;
}

int TCustomdxBarControlAccessibilityHelper::CountChildren()
{
  TCustomdxBarControlViewInfo* viewInfo = FBarControl->ViewInfo();
  return viewInfo ? viewInfo->GetItemControlViewInfoCount() : 0;
}

int TCustomdxBarControlAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper* child)
{
  return IndexAmongChildren(*this, child);
}

HWND TCustomdxBarControlAccessibilityHelper::GetOwnerWindow()
{
  return FBarControl->HandleAllocated() ? FBarControl->Handle() : nullptr;
}

DWORD TCustomdxBarControlAccessibilityHelper::GetStateFlags(int)
{
  return IsWindowShown(FBarControl) ? 0 : cxSTATE_SYSTEM_INVISIBLE;
}

RECT TCustomdxBarControlAccessibilityHelper::GetBoundsOnScreen(int)
{
  return IsVisible() ? WindowRectOf(FBarControl) : RECT{};
}

bool TCustomdxBarControlAccessibilityHelper::AllowsChildNavigation(WORD)
{
  TdxBarItemControl* selected = FBarControl->GetSelectedItemControl();
  return !(selected && selected->IsWindowed() && selected->IsActive());
}

TdxBarManager* TCustomdxBarControlAccessibilityHelper::GetOwningManager() { return FBarControl->BarManager(); }

IdxBarAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::FindSelectableFrom(int index, TShiftState shift)
{
  const bool backward = shift.Contains(TShiftStateFlag::ssShift);
  if (shift.Contains(TShiftStateFlag::ssCtrl)) {
    TCustomdxBarControl* next = FBarControl->GetNextToolbar(!backward);
    return next ? next->GetAccessibilityHelper() : nullptr;
  }
  IdxBarAccessibilityHelper* child = GetNavigationChild(index);
  if (!child) return nullptr;
  TDirection direction;
  if (FBarControl->IsVertical())
    direction = backward ? TDirection::andUp : TDirection::andDown;
  else
    direction = backward ? TDirection::andLeft : TDirection::andRight;
  return child->FindObjectInDirection(direction);
}

TObject* TCustomdxBarControlAccessibilityHelper::GetAssociatedObject() { throw EdxException(""); }

void TCustomdxBarControlAccessibilityHelper::GetItemKeyTipPosition(TdxBarItemControl* control, POINT& anchor,
                                                                   TdxBarKeyTipVertAlign& vertAlign,
                                                                   TAlignment& horzAlign)
{
  const RECT r = control->GetAccessibilityHelper()->GetHelper()->GetBoundsOnScreen(0);
  anchor = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  vertAlign = TdxBarKeyTipVertAlign::kvaCenter;
  horzAlign = TAlignment::taCenter;
}

IdxBarAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::FindNeighbourItem(TdxBarItemControl* control,
                                                                                    TDirection direction)
{
  IdxBarAccessibilityHelper* from = control ? control->GetAccessibilityHelper() : nullptr;
  if (!from) return nullptr;
  TdxBarAccessibilityHelper* reference = from->GetBarHelper();
  const RECT bounds = reference->GetBoundsOnScreen(0);
  std::vector<IdxBarAccessibilityHelper*> candidates;
  for (int i = 0, count = CountChildren(); i < count; ++i) {
    IdxBarAccessibilityHelper* child = Supports<IdxBarAccessibilityHelper>(ChildAt(i));
    TdxBarAccessibilityHelper* candidate = child ? child->GetBarHelper() : nullptr;
    if (!candidate || candidate == reference || !candidate->IsVisible()) continue;
    if (IsNavigationCandidate(candidate, bounds, direction)) candidates.push_back(candidate);
  }
  return FindNearestObjectInDirection(from, candidates, direction, false);
}

void TCustomdxBarControlAccessibilityHelper::ActivateBar()
{
  if (FBarControl == GetActiveBarControl())
    FBarControl->ClearSelection();
  else
    FBarControl->ChangeSelection(nullptr);
}

// The toolbar.

TdxBarControlAccessibilityHelper::TdxBarControlAccessibilityHelper(TdxBarControl* owner)
    : TCustomdxBarControlAccessibilityHelper(owner)
{
}

TdxBarControl* TdxBarControlAccessibilityHelper::GetToolbar() const
{
  return static_cast<TdxBarControl*>(GetBarControl());
}

TcxAccessibilityHelper* TdxBarControlAccessibilityHelper::GetParentHelper()
{
  TdxDockControl* dock = GetBarControl()->DockControl();
  IdxBarAccessibilityHelper* helper = dock && !GetToolbar()->IsFloating() ? dock->GetAccessibilityHelper() : nullptr;
  return helper ? helper->GetHelper() : nullptr;
}

void TdxBarControlAccessibilityHelper::SelectObject(bool) { SelectInBar(GetBarControl(), nullptr); }

void TdxBarControlAccessibilityHelper::UnselectObject(IdxBarAccessibilityHelper*)
{
  if (TdxBarNavigationController* controller = GetNavigationController()) controller->SetSelection(nullptr, nullptr);
  GetBarControl()->CloseUp(TdxBarCloseReason::ClickElsewhere);
}

IdxBarAccessibilityHelper* TdxBarControlAccessibilityHelper::FindNeighbourItem(TdxBarItemControl* control,
                                                                              TDirection direction)
{
  TDirection along = direction;
  if (GetBarControl()->IsVertical()) {
    switch (direction) {
      case TDirection::andLeft: along = TDirection::andUp; break;
      case TDirection::andUp: along = TDirection::andLeft; break;
      case TDirection::andRight: along = TDirection::andDown; break;
      case TDirection::andDown: along = TDirection::andRight; break;
      default: break;
    }
  }
  TdxBarItemLinks* links = GetBarControl()->ItemLinks();
  if (along == TDirection::andLeft)
    return links ? HelperOfLink(links->FindPrevSelectableLink(control->Link(), false)) : nullptr;
  if (along == TDirection::andRight)
    return links ? HelperOfLink(links->FindNextSelectableLink(control->Link(), false)) : nullptr;
  return TCustomdxBarControlAccessibilityHelper::FindNeighbourItem(control, direction);
}

TcxAccessibilityHelper* TdxBarControlAccessibilityHelper::ChildAt(int index)
{
  const int items = TCustomdxBarControlAccessibilityHelper::CountChildren();
  if (index < items) return TCustomdxBarControlAccessibilityHelper::ChildAt(index);
  TdxBarCaptionButtons* buttons = GetToolbar()->HasCaptionButtons() ? GetToolbar()->GetBar()->CaptionButtons() : nullptr;
  return index == items && buttons ? buttons->GetAccessibilityHelper()->GetHelper() : nullptr;
}

int TdxBarControlAccessibilityHelper::CountChildren()
{
  return TCustomdxBarControlAccessibilityHelper::CountChildren() + (GetToolbar()->HasCaptionButtons() ? 1 : 0);
}

bool TdxBarControlAccessibilityHelper::ProcessNavigationKey(WORD& key)
{
  if (GetBarControl()->IsVertical()) key = TCustomdxBarControl::TurnedArrowKey(key);
  return GetBarControl()->PassAccelToSelected(key);
}

int TdxBarControlAccessibilityHelper::GetCaptionButtonKeyTipPosition(TdxBarKeyTipVertAlign&)
{
  throw EdxException("");
}

// The item control.

TdxBarItemControlAccessibilityHelper::TdxBarItemControlAccessibilityHelper(TdxBarItemControl* owner)
    : TdxBarAccessibilityHelper(owner), FItemControl(owner)
{
}

TCustomdxBarControlAccessibilityHelper* TdxBarItemControlAccessibilityHelper::GetOwnerBarHelper() const
{
  TCustomdxBarControl* bar = FItemControl->BarControl();
  IdxBarAccessibilityHelper* helper = bar ? bar->GetAccessibilityHelper() : nullptr;
  return dynamic_cast<TCustomdxBarControlAccessibilityHelper*>(helper ? helper->GetBarHelper() : nullptr);
}

TcxAccessibilityHelper* TdxBarItemControlAccessibilityHelper::GetParentHelper() { return GetOwnerBarHelper(); }

HWND TdxBarItemControlAccessibilityHelper::GetOwnerWindow()
{
  TCustomdxBarControl* bar = FItemControl->BarControl();
  return bar && bar->HandleAllocated() ? bar->Handle() : nullptr;
}

bool TdxBarItemControlAccessibilityHelper::AsSelectable() { return IsVisible() && FItemControl->CanBeSelected(); }

DWORD TdxBarItemControlAccessibilityHelper::GetStateFlags(int)
{
  TCustomdxBarControlAccessibilityHelper* bar = GetOwnerBarHelper();
  const bool visible = IsWindowShown(FItemControl->BarControl()) && bar && !bar->HidesChildren();
  return visible ? 0 : cxSTATE_SYSTEM_INVISIBLE;
}

RECT TdxBarItemControlAccessibilityHelper::GetBoundsOnScreen(int)
{
  TCustomdxBarControl* bar = FItemControl->BarControl();
  if (!bar || !IsVisible() || !FItemControl->ViewInfo()) return RECT{};
  RECT r = FItemControl->ViewInfo()->GetBounds();
  POINT origin{0, 0};
  ClientToScreen(bar->Handle(), &origin);
  OffsetRect(&r, origin.x, origin.y);
  return r;
}

TdxBarManager* TdxBarItemControlAccessibilityHelper::GetOwningManager() { return FItemControl->GetBarManager(); }

IdxBarAccessibilityHelper* TdxBarItemControlAccessibilityHelper::FindObjectInDirection(TDirection direction)
{
  TCustomdxBarControlAccessibilityHelper* bar = GetOwnerBarHelper();
  return bar ? bar->FindNeighbourItem(FItemControl, direction) : nullptr;
}

bool TdxBarItemControlAccessibilityHelper::ProcessNavigationKey(WORD& key)
{
  TCustomdxBarControlAccessibilityHelper* bar = GetOwnerBarHelper();
  return bar && bar->ProcessNavigationKey(key);
}

void TdxBarItemControlAccessibilityHelper::SelectObject(bool byTab)
{
  TCustomdxBarControl* bar = FItemControl->BarControl();
  if (!bar) return;
  TWeakRef<TdxBarItemControl> self(FItemControl);
  if (bar->IsKeyboardActive())
    bar->ChangeSelection(FItemControl);
  else
    SelectInBar(bar, FItemControl);
  constexpr int EditsOnArrows = 0x02;
  if (self && FItemControl->IsWindowed() && (byTab || !(bar->GetNavigationFlags() & EditsOnArrows)))
    FItemControl->PerformClick(false, true);
}

void TdxBarItemControlAccessibilityHelper::UnselectObject(IdxBarAccessibilityHelper* nextObject)
{
  if (TdxBarNavigationController* controller = GetNavigationController()) controller->SetSelection(nullptr, nullptr);
  TdxBarItemControl* next = ItemControlOf(nextObject);
  if (next && next->BarControl() == FItemControl->BarControl()) return;
  if (TCustomdxBarControlAccessibilityHelper* bar = GetOwnerBarHelper()) bar->ActivateBar();
}

std::string TdxBarItemControlAccessibilityHelper::GetAssignedKeyTip()
{
  TdxBarItem* item = FItemControl->GetItem();
  return item ? item->KeyTip() : std::string();
}

std::string TdxBarItemControlAccessibilityHelper::GetDefaultKeyTip()
{
  TdxBarItem* item = FItemControl->GetItem();
  return item ? GetItemDefaultKeyTip(item->ShortCut(), item->Caption()) : std::string("Y");
}

void TdxBarItemControlAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& info)
{
  TdxBarAccessibilityHelper::FillKeyTipInfo(info);
  if (info.Visible)
    if (TCustomdxBarControlAccessibilityHelper* bar = GetOwnerBarHelper())
      bar->GetItemKeyTipPosition(FItemControl, info.BasePoint, info.VertAlign, info.HorzAlign);
  info.Enabled = FItemControl->IsEnabled();
}

// The button-like control.
void TdxBarButtonLikeControlAccessibilityHelper::ExecuteKeyTip(TObject*)
{
  if (!HasDropDown()) {
    ClickByKeyTip();
    return;
  }
  TdxBarNavigationController* controller = GetNavigationController();
  if (controller) controller->MoveSelection(true, this);
  if (!OpenDropDown() || !controller) return;
  TCustomdxBarControl* opened = GetActiveBarControl();
  controller->ShowKeyTipsOf(opened ? opened->GetAccessibilityHelper() : nullptr, "");
}

void TdxBarButtonLikeControlAccessibilityHelper::ClickByKeyTip()
{
  if (TdxBarNavigationController* controller = GetNavigationController()) controller->EndKeyboardMode();
  TdxBarItemControl* control = GetItemControl();
  TdxBarItem* item = control->GetItem();
  if (!item) return;
  TWeakRef<TdxBarItem> weakItem(item);
  const bool unclick = item->UnclickAfterDoing();
  item->SetUnclickAfterDoing(false);
  try {
    control->ClickItem(false);
  } catch (...) {
    if (weakItem) weakItem->SetUnclickAfterDoing(unclick);
    throw;
  }
  if (weakItem) weakItem->SetUnclickAfterDoing(unclick);
}

// The button.
bool TdxBarButtonControlAccessibilityHelper::HasDropDown()
{
  TdxBarButton* button = static_cast<TdxBarButtonControl*>(GetItemControl())->Button();
  return button && IsDropDownStyle(button->ButtonStyle());
}

bool TdxBarButtonControlAccessibilityHelper::OpenDropDown()
{
  auto* control = static_cast<TdxBarButtonControl*>(GetItemControl());
  TWeakRef<TdxBarButtonControl> weak(control);
  control->MarkBarPressed();
  return weak && control->IsPressedOrOpen();
}

void TdxBarWinControlAccessibilityHelper::ExecuteKeyTip(TObject*)
{
  TdxBarNavigationController* controller = GetNavigationController();
  if (controller) controller->EndKeyboardMode();
  if (controller) controller->MoveSelection(true, this);
}

// The caption buttons.
TdxBarCaptionButtonsAccessibilityHelper::TdxBarCaptionButtonsAccessibilityHelper(TdxBarCaptionButtons* owner)
    : TdxBarAccessibilityHelper(owner), FCaptionButtons(owner)
{
}

TdxBarControl* TdxBarCaptionButtonsAccessibilityHelper::GetToolbar() const
{
  TdxBar* bar = FCaptionButtons->GetBar();
  return bar ? bar->GetBarControl() : nullptr;
}

TcxAccessibilityHelper* TdxBarCaptionButtonsAccessibilityHelper::ChildAt(int index)
{
  const int count = FCaptionButtons->Count();
  if (index < 0 || index >= count) return nullptr;
  return FCaptionButtons->GetButton(count - 1 - index)->GetAccessibilityHelper()->GetHelper();
}

int TdxBarCaptionButtonsAccessibilityHelper::CountChildren() { return FCaptionButtons->Count(); }

int TdxBarCaptionButtonsAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper* child)
{
  return IndexAmongChildren(*this, child);
}

TcxAccessibilityHelper* TdxBarCaptionButtonsAccessibilityHelper::GetParentHelper()
{
  TdxBarControl* toolbar = GetToolbar();
  return toolbar ? toolbar->GetAccessibilityHelper()->GetHelper() : nullptr;
}

HWND TdxBarCaptionButtonsAccessibilityHelper::GetOwnerWindow()
{
  TdxBarControl* toolbar = GetToolbar();
  return toolbar && toolbar->HandleAllocated() ? toolbar->Handle() : nullptr;
}

DWORD TdxBarCaptionButtonsAccessibilityHelper::GetStateFlags(int)
{
  TdxBarControl* toolbar = GetToolbar();
  const RECT bounds = FCaptionButtons->GetBoundsRect();
  auto* toolbarHelper = toolbar ? dynamic_cast<TdxBarControlAccessibilityHelper*>(toolbar->GetAccessibilityHelper()) : nullptr;
  const bool visible = IsWindowShown(toolbar) && !IsRectEmpty(&bounds) && toolbarHelper && !toolbarHelper->HidesChildren();
  return visible ? 0 : cxSTATE_SYSTEM_INVISIBLE;
}

RECT TdxBarCaptionButtonsAccessibilityHelper::GetBoundsOnScreen(int)
{
  if (!IsVisible()) return RECT{};
  RECT r = FCaptionButtons->GetBoundsRect();
  const RECT window = WindowRectOf(GetToolbar());
  OffsetRect(&r, window.left, window.top);
  return r;
}

TdxBarManager* TdxBarCaptionButtonsAccessibilityHelper::GetOwningManager()
{
  TdxBar* bar = FCaptionButtons->GetBar();
  return bar ? bar->GetBarManager() : nullptr;
}

void TdxBarCaptionButtonsAccessibilityHelper::UnselectObject(IdxBarAccessibilityHelper* nextObject)
{
  TdxBarAccessibilityHelper::UnselectObject(nextObject);
  UpdateButtonStates(nullptr);
}

void TdxBarCaptionButtonsAccessibilityHelper::UpdateButtonStates(TdxBarCaptionButton* selected)
{
  const RECT window = WindowRectOf(GetToolbar());
  POINT cursor{};
  GetCursorPos(&cursor);
  FCaptionButtons->UpdateButtonStates(POINT{cursor.x - window.left, cursor.y - window.top}, false);
  if (selected && selected->State() == TdxBarCaptionButtonState::Normal) selected->SetState(TdxBarCaptionButtonState::Hot);
}

// One caption button.
TdxBarCaptionButtonAccessibilityHelper::TdxBarCaptionButtonAccessibilityHelper(TdxBarCaptionButton* owner)
    : TdxBarAccessibilityHelper(owner), FCaptionButton(owner)
{
}

TdxBarCaptionButtonsAccessibilityHelper* TdxBarCaptionButtonAccessibilityHelper::GetButtonsHelper() const
{
  TdxBarCaptionButtons* buttons = FCaptionButton->GetCaptionButtons();
  return buttons ? static_cast<TdxBarCaptionButtonsAccessibilityHelper*>(buttons->GetAccessibilityHelper()->GetBarHelper()) : nullptr;
}

TcxAccessibilityHelper* TdxBarCaptionButtonAccessibilityHelper::GetParentHelper() { return GetButtonsHelper(); }

HWND TdxBarCaptionButtonAccessibilityHelper::GetOwnerWindow()
{
  TdxBarCaptionButtonsAccessibilityHelper* parent = GetButtonsHelper();
  return parent ? parent->GetOwnerWindow() : nullptr;
}

DWORD TdxBarCaptionButtonAccessibilityHelper::GetStateFlags(int)
{
  TdxBarCaptionButtonsAccessibilityHelper* parent = GetButtonsHelper();
  const bool visible = parent && parent->IsVisible() && !IsRectEmpty(&FCaptionButton->Rect());
  return visible ? 0 : cxSTATE_SYSTEM_INVISIBLE;
}

RECT TdxBarCaptionButtonAccessibilityHelper::GetBoundsOnScreen(int)
{
  if (!IsVisible()) return RECT{};
  RECT r = FCaptionButton->Rect();
  const RECT window = WindowRectOf(GetButtonsHelper()->GetToolbar());
  OffsetRect(&r, window.left, window.top);
  return r;
}

TdxBarManager* TdxBarCaptionButtonAccessibilityHelper::GetOwningManager()
{
  TdxBarCaptionButtonsAccessibilityHelper* parent = GetButtonsHelper();
  return parent ? parent->GetOwningManager() : nullptr;
}

bool TdxBarCaptionButtonAccessibilityHelper::AcceptsNavigationKey(WORD key)
{
  return key == VK_RETURN || key == VK_SPACE || key == VK_ESCAPE;
}

bool TdxBarCaptionButtonAccessibilityHelper::ProcessNavigationKey(WORD& key)
{
  if (!AcceptsNavigationKey(key)) return false;
  TdxBarCaptionButtonsAccessibilityHelper* parent = GetButtonsHelper();
  TdxBarControl* toolbar = parent ? parent->GetToolbar() : nullptr;
  TWeakRef<TdxBarControl> weakToolbar(toolbar);
  UnselectObject(nullptr);
  if (!weakToolbar) return true;
  if (key == VK_ESCAPE)
    toolbar->CloseByKeyboard();
  else
    toolbar->ClickCaptionButton(FCaptionButton->Index());
  return true;
}

void TdxBarCaptionButtonAccessibilityHelper::SelectObject(bool byTab)
{
  TdxBarAccessibilityHelper::SelectObject(byTab);
  if (TdxBarCaptionButtonsAccessibilityHelper* parent = GetButtonsHelper()) parent->UpdateButtonStates(FCaptionButton);
}

void TdxBarCaptionButtonAccessibilityHelper::UnselectObject(IdxBarAccessibilityHelper* nextObject)
{
  TdxBarAccessibilityHelper::UnselectObject(nextObject);
  if (TdxBarCaptionButtonsAccessibilityHelper* parent = GetButtonsHelper()) parent->UpdateButtonStates(nullptr);
}

std::string TdxBarCaptionButtonAccessibilityHelper::GetAssignedKeyTip() { return FCaptionButton->KeyTip(); }

void TdxBarCaptionButtonAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& info)
{
  TdxBarAccessibilityHelper::FillKeyTipInfo(info);
  const RECT r = GetBoundsOnScreen(0);
  info.BasePoint = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  info.VertAlign = TdxBarKeyTipVertAlign::kvaCenter;
  info.HorzAlign = TAlignment::taCenter;
  info.Enabled = FCaptionButton->Enabled();
  // Only a toolbar that shows key-tip windows places them vertically (no toolbar here does).
  TdxBarCaptionButtonsAccessibilityHelper* parent = GetButtonsHelper();
  TdxBarControl* toolbar = parent ? parent->GetToolbar() : nullptr;
  auto* toolbarHelper = toolbar ? dynamic_cast<TdxBarControlAccessibilityHelper*>(toolbar->GetAccessibilityHelper()) : nullptr;
  IdxBarKeyTipWindowHost* host = nullptr;
  if (info.Visible && toolbarHelper && toolbarHelper->SupportsKeyTips(host))
    info.BasePoint.y = toolbarHelper->GetCaptionButtonKeyTipPosition(info.VertAlign);
}

void TdxBarCaptionButtonAccessibilityHelper::ExecuteKeyTip(TObject*)
{
  if (TdxBarNavigationController* controller = GetNavigationController()) controller->EndKeyboardMode();
  TdxBarCaptionButtonsAccessibilityHelper* parent = GetButtonsHelper();
  if (TdxBarControl* toolbar = parent ? parent->GetToolbar() : nullptr) toolbar->ClickCaptionButton(FCaptionButton->Index());
}

// The toolbar's mark.
TdxBarControlMarkAccessibilityHelper::TdxBarControlMarkAccessibilityHelper(TdxBarControl* owner)
    : TdxBarAccessibilityHelper(owner), FToolbar(owner)
{
}

TcxAccessibilityHelper* TdxBarControlMarkAccessibilityHelper::GetParentHelper()
{
  return FToolbar->GetAccessibilityHelper()->GetHelper();
}

HWND TdxBarControlMarkAccessibilityHelper::GetOwnerWindow()
{
  return FToolbar->HandleAllocated() ? FToolbar->Handle() : nullptr;
}

DWORD TdxBarControlMarkAccessibilityHelper::GetStateFlags(int)
{
  if (!IsWindowShown(FToolbar) || !FToolbar->HasMark()) return cxSTATE_SYSTEM_INVISIBLE;
  const RECT mark = FToolbar->GetMarkRect();
  return IsRectEmpty(&mark) ? cxSTATE_SYSTEM_INVISIBLE : 0;
}

RECT TdxBarControlMarkAccessibilityHelper::GetBoundsOnScreen(int)
{
  if (!IsVisible()) return RECT{};
  RECT r = FToolbar->GetMarkRect();
  POINT origin{0, 0};
  ClientToScreen(FToolbar->Handle(), &origin);
  OffsetRect(&r, origin.x, origin.y);
  return r;
}

TdxBarManager* TdxBarControlMarkAccessibilityHelper::GetOwningManager() { return FToolbar->BarManager(); }

bool TdxBarControlMarkAccessibilityHelper::AcceptsNavigationKey(WORD key)
{
  return key == VK_RETURN || key == VK_SPACE || key == VK_ESCAPE;
}

bool TdxBarControlMarkAccessibilityHelper::ProcessNavigationKey(WORD& key)
{
  if (key != VK_RETURN && key != VK_SPACE) return false;
  TWeakRef<TdxBarControl> toolbar(FToolbar);
  UnselectObject(nullptr);
  if (toolbar) toolbar->SetMarkState(dxBarMarkDropped);
  return true;
}

void TdxBarControlMarkAccessibilityHelper::SelectObject(bool byTab)
{
  TdxBarAccessibilityHelper::SelectObject(byTab);
  FToolbar->InvalidateMark();
}

void TdxBarControlMarkAccessibilityHelper::UnselectObject(IdxBarAccessibilityHelper* nextObject)
{
  TdxBarAccessibilityHelper::UnselectObject(nextObject);
  FToolbar->InvalidateMark();
}

// The owners make their helpers on first use.
IdxBarAccessibilityHelper* TdxBarControl::GetMarkAccessibilityHelper()
{
  if (!FMarkAccessibilityHelper) FMarkAccessibilityHelper = MakeOwned<TdxBarControlMarkAccessibilityHelper>(this);
  return FMarkAccessibilityHelper.get();
}

void TdxBarControl::InvalidateMark()
{
  if (!HandleAllocated() || !HasMark()) return;
  const RECT mark = GetMarkRect();
  InvalidateRect(Handle(), &mark, FALSE);
}

IdxBarAccessibilityHelper* TdxBarCaptionButtons::GetAccessibilityHelper()
{
  if (!FAccessibilityHelper) FAccessibilityHelper = MakeOwned<TdxBarCaptionButtonsAccessibilityHelper>(this);
  return FAccessibilityHelper.get();
}

IdxBarAccessibilityHelper* TdxBarCaptionButton::GetAccessibilityHelper()
{
  if (!FAccessibilityHelper) FAccessibilityHelper = MakeOwned<TdxBarCaptionButtonAccessibilityHelper>(this);
  return FAccessibilityHelper.get();
}


IdxBarAccessibilityHelper* TdxDockControl::GetAccessibilityHelper()
{
  if (!FAccessibilityHelper) FAccessibilityHelper = MakeOwned<TdxDockControlAccessibilityHelper>(this);
  return FAccessibilityHelper.get();
}

IdxBarAccessibilityHelper* TCustomdxBarControl::GetAccessibilityHelper()
{
  if (!FAccessibilityHelper) FAccessibilityHelper = CreateAccessibilityHelper();
  return FAccessibilityHelper.get();
}

TOwned<TdxBarAccessibilityHelper> TCustomdxBarControl::CreateAccessibilityHelper()
{
  if (auto* toolbar = dynamic_cast<TdxBarControl*>(this)) return MakeOwned<TdxBarControlAccessibilityHelper>(toolbar);
  return MakeOwned<TCustomdxBarControlAccessibilityHelper>(this);
}

IdxBarAccessibilityHelper* TdxBarItemControl::GetAccessibilityHelper()
{
  if (!FAccessibilityHelper) FAccessibilityHelper = CreateAccessibilityHelper();
  return FAccessibilityHelper.get();
}

TOwned<TdxBarAccessibilityHelper> TdxBarItemControl::CreateAccessibilityHelper()
{
  if (IsWindowed()) return MakeOwned<TdxBarWinControlAccessibilityHelper>(this);
  if (auto* button = dynamic_cast<TdxBarButtonControl*>(this)) return MakeOwned<TdxBarButtonControlAccessibilityHelper>(button);
  if (IsButtonLike()) return MakeOwned<TdxBarButtonLikeControlAccessibilityHelper>(this);
  return MakeOwned<TdxBarItemControlAccessibilityHelper>(this);
}
