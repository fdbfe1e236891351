#include "toolkit/bars/dxBarAccessibility.h"

#include <algorithm>
#include "classlib/SysUtils.h"
#include "toolkit/bars/dxBarNavigation.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/dxCore.h"

CL_DEFINE_CLASS(TdxBarAccessibilityHelper);

namespace {
using TDirection = TcxAccessibilityNavigationDirection;

TdxBarAccessibilityHelper* BarHelperOf(TcxAccessibilityHelper* helper)
{
  IdxBarAccessibilityHelper* bar = Supports<IdxBarAccessibilityHelper>(helper);
  return bar ? bar->GetBarHelper() : nullptr;
}

TdxBarAccessibilityHelper* BarHelperOf(IdxBarAccessibilityHelper* helper)
{
  return helper ? helper->GetBarHelper() : nullptr;
}

constexpr size_t MaxKeyTipLength = 3;
}  // namespace

void TdxBarAccessibilityHelper::MarkOwnerDestroyed()
{
  TcxAccessibilityHelper::MarkOwnerDestroyed();
  if (TdxBarNavigationController* controller = GetNavigationController()) controller->ForgetObject(this);
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetBarParent() { return BarHelperOf(GetParentHelper()); }

TdxBarManager* TdxBarAccessibilityHelper::GetOwningManager() { throw EdxException(""); }
IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetNavigationRoot() { throw EdxException(""); }

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetRootObject()
{
  TdxBarAccessibilityHelper* top = BarHelperOf(FindTopHelper());
  return top ? top : this;
}

bool TdxBarAccessibilityHelper::IsCurrentObject()
{
  TdxBarNavigationController* controller = GetNavigationController();
  return controller && BarHelperOf(controller->GetCurrentObject()) == this;
}

void TdxBarAccessibilityHelper::SelectObject(bool)
{
  if (TdxBarNavigationController* controller = GetNavigationController()) controller->SetSelection(this, GetBarParent());
}

void TdxBarAccessibilityHelper::UnselectObject(IdxBarAccessibilityHelper*)
{
  if (TdxBarNavigationController* controller = GetNavigationController()) controller->SetSelection(nullptr, nullptr);
}

// Geometric search.

bool TdxBarAccessibilityHelper::IsNavigationCandidate(TdxBarAccessibilityHelper* candidate, const RECT& reference,
                                                      TDirection direction)
{
  if (!candidate->AsSelectable()) return false;
  const RECT r = candidate->GetBoundsOnScreen(0);
  const bool sideways = direction == TDirection::andLeft || direction == TDirection::andRight;
  if (sideways) {
    if (!(r.top < reference.bottom && reference.top < r.bottom)) return false;
    return r.left != reference.left || r.right != reference.right;
  }
  if (!(r.left < reference.right && reference.left < r.right)) return false;
  if (direction == TDirection::andUp) return r.bottom <= reference.top;
  if (direction == TDirection::andDown) return r.top >= reference.bottom;
  return true;
}

void TdxBarAccessibilityHelper::CollectNavigationCandidates(TdxBarAccessibilityHelper* object, const RECT& reference,
                                                            TDirection direction,
                                                            std::vector<IdxBarAccessibilityHelper*>& candidates)
{
  if (!object || object == this || !object->IsVisible()) return;
  if (IsNavigationCandidate(object, reference, direction)) candidates.push_back(object);
  for (int i = 0, count = object->CountChildren(); i < count; ++i)
    CollectNavigationCandidates(BarHelperOf(object->ChildAt(i)), reference, direction, candidates);
}

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FindObjectInDirection(TDirection direction)
{
  const RECT reference = GetBoundsOnScreen(0);
  std::vector<IdxBarAccessibilityHelper*> candidates;
  CollectNavigationCandidates(BarHelperOf(GetRootObject()), reference, direction, candidates);
  return FindNearestObjectInDirection(this, candidates, direction, true);
}

// Logical search.

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetNavigationChild(int index)
{
  return BarHelperOf(ChildAt(index));
}

int TdxBarAccessibilityHelper::GetNavigationChildCount() { return CountChildren(); }

int TdxBarAccessibilityHelper::GetNavigationChildIndex(IdxBarAccessibilityHelper* child)
{
  for (int i = 0, count = GetNavigationChildCount(); i < count; ++i)
    if (BarHelperOf(GetNavigationChild(i)) == BarHelperOf(child)) return i;
  return -1;
}

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FindSelectableInside(bool forward)
{
  const int count = GetNavigationChildCount();
  for (int k = 0; k < count; ++k) {
    TdxBarAccessibilityHelper* child = BarHelperOf(GetNavigationChild(forward ? k : count - 1 - k));
    if (!child || !child->IsVisible()) continue;
    if (child->AsSelectable()) return child;
    if (IdxBarAccessibilityHelper* found = child->FindSelectableInside(forward)) return found;
  }
  return nullptr;
}

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FindSelectableFrom(int index, TShiftState shift)
{
  const bool forward = !shift.Contains(TShiftStateFlag::ssShift);
  const int count = GetNavigationChildCount();
  for (index += forward ? 1 : -1; index >= 0 && index < count; index += forward ? 1 : -1) {
    TdxBarAccessibilityHelper* child = BarHelperOf(GetNavigationChild(index));
    if (!child || !child->IsVisible()) continue;
    if (child->AsSelectable()) return child;
    if (IdxBarAccessibilityHelper* found = child->FindSelectableInside(forward)) return found;
  }
  if (TdxBarAccessibilityHelper* parent = GetBarParent())
    return parent->FindSelectableFrom(parent->GetNavigationChildIndex(this), shift);
  return FindSelectableInside(forward);
}

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetAdjacentSelectable(TShiftState shift)
{
  TdxBarAccessibilityHelper* parent = GetBarParent();
  return parent ? parent->FindSelectableFrom(parent->GetNavigationChildIndex(this), shift) : nullptr;
}

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FindDefaultSelectable(TDirection direction)
{
  if (!IsVisible()) return nullptr;
  if (AsSelectable()) return this;
  for (int i = 0, count = CountChildren(); i < count; ++i)
    if (TdxBarAccessibilityHelper* child = BarHelperOf(ChildAt(i)))
      if (IdxBarAccessibilityHelper* found = child->FindDefaultSelectable(direction)) return found;
  return nullptr;
}

// Key tips.

bool TdxBarAccessibilityHelper::SupportsKeyTips(IdxBarKeyTipWindowHost*& host)
{
  host = nullptr;
  IdxBarAccessibilityHelper* parent = GetKeyTipParent();
  return parent && parent->SupportsKeyTips(host);
}

std::string TdxBarAccessibilityHelper::GetEffectiveKeyTip()
{
  std::string keyTip = GetAssignedKeyTip();
  if (keyTip.empty()) keyTip = GetDefaultKeyTip();
  if (keyTip.size() > MaxKeyTipLength) keyTip.resize(MaxKeyTipLength);
  return keyTip;
}

void TdxBarAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& info)
{
  info = TdxBarKeyTipInfo{};
  info.Enabled = false;
  info.KeyTip = GetEffectiveKeyTip();
  info.Visible = IsVisible();
  info.OnExecute = TNotifyEvent(this, &TdxBarAccessibilityHelper::ExecuteKeyTip);
}

TOwned<TdxBarKeyTipData> TdxBarAccessibilityHelper::NewKeyTipData()
{
  TdxBarKeyTipInfo info;
  FillKeyTipInfo(info);
  return MakeOwned<TdxBarKeyTipData>(info);
}

void TdxBarAccessibilityHelper::AddKeyTipData(TdxBarKeyTipList& list) { list.push_back(NewKeyTipData()); }

void TdxBarAccessibilityHelper::CollectChildKeyTips(TdxBarKeyTipList& list)
{
  if (!IsVisible()) return;
  for (int i = 0, count = CountChildren(); i < count; ++i) {
    TdxBarAccessibilityHelper* child = BarHelperOf(ChildAt(i));
    if (!child) continue;
    if (child->AsSelectable())
      child->AddKeyTipData(list);
    else
      child->CollectChildKeyTips(list);
  }
}

void TdxBarAccessibilityHelper::BuildKeyTips(TdxBarKeyTipList& list)
{
  CollectChildKeyTips(list);
  MakeKeyTipsUnique(list);
}

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetKeyTipParent()
{
  return Supports<IdxBarAccessibilityHelper>(GetParentHelper());
}

void TdxBarAccessibilityHelper::ExecuteKeyTip(TObject*) {}

void TdxBarAccessibilityHelper::EscapeKeyTips()
{
  TdxBarNavigationController* controller = GetNavigationController();
  if (!controller) return;
  TWeakRef<TdxBarAccessibilityHelper> self(this);
  if (IdxBarAccessibilityHelper* container = FindEnclosingKeyTipContainer(this)) {
    controller->ShowKeyTipsOf(container, "");
    if (self) controller->MoveSelection(true, this);
  } else {
    controller->EndKeyboardMode();
  }
}

// Key-tip texts.

std::string GetItemDefaultKeyTip(TShortCut shortCut, const std::string& caption)
{
  constexpr TShortCut CtrlA = 0x4041, CtrlZ = 0x405A;
  if (shortCut >= CtrlA && shortCut <= CtrlZ) {
    const std::string text = ShortCutToText(shortCut);
    if (!text.empty()) return text.substr(text.size() - 1);
  }
  std::string text = caption;
  const int position = FindAcceleratorPosition(text, false);
  if (position > 0 && position <= static_cast<int>(text.size())) return AnsiUpperCase(text.substr(position - 1, 1));
  return "Y";
}

namespace {
// Appends k (1-based, zero-padded to the digits of the group's size) to the k-th text of the group.
void AppendSuffixes(std::vector<std::string>& texts, const std::vector<size_t>& group)
{
  const size_t width = std::to_string(group.size()).size();
  for (size_t k = 0; k < group.size(); ++k) {
    std::string suffix = std::to_string(k + 1);
    texts[group[k]] += std::string(width - suffix.size(), '0') + suffix;
  }
}

bool ResolveKeyTipCollision(std::vector<std::string>& texts, size_t i)
{
  std::vector<size_t> group;
  for (size_t j = 0; j < texts.size(); ++j)
    if (texts[j] == texts[i]) group.push_back(j);
  if (group.size() >= 2) {
    AppendSuffixes(texts, group);
    return true;
  }
  if (texts[i].empty()) return false;
  for (size_t j = 0; j < texts.size(); ++j) {
    if (j != i && texts[j].starts_with(texts[i])) {
      AppendSuffixes(texts, group);
      return true;
    }
  }
  return false;
}
}  // namespace

void MakeKeyTipTextsUnique(std::vector<std::string>& texts)
{
  for (bool changed = true; changed;) {
    changed = false;
    for (size_t i = 0; i < texts.size(); ++i) changed = ResolveKeyTipCollision(texts, i) || changed;
  }
}

void MakeKeyTipsUnique(TdxBarKeyTipList& list)
{
  std::vector<std::string> texts;
  for (const auto& data : list) texts.push_back(data->Info().KeyTip);
  MakeKeyTipTextsUnique(texts);
  for (size_t i = 0; i < list.size(); ++i) list[i]->SetKeyTip(texts[i]);
}
