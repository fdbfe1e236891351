// The combo controls: the drop-down button part, opening and closing the item's drop-down window,
// the keys that go to the open window, and (list combos) stepping through the rows with the
// keyboard and the wheel while the list is closed.
#include "toolkit/bars/dxBarEditControls.h"

#include <algorithm>
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarEdits.h"
#include "toolkit/bars/dxBarPainter.h"

CL_DEFINE_CLASS(TCustomdxBarComboControl);
CL_DEFINE_CLASS(TdxBarComboControl);

namespace {
bool NoShift(TShiftState shift) { return !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt); }
bool IsUpOrDown(int key) { return key == VK_UP || key == VK_DOWN; }
}  // namespace

// --- TCustomdxBarComboControl ---

void TCustomdxBarComboControl::BeforeDestruction()
{
  SetDroppedDown(false);
  TdxBarEditControl::BeforeDestruction();
}

TCustomdxBarCombo* TCustomdxBarComboControl::ComboItem() const { return ObjectAs<TCustomdxBarCombo>(GetItem()); }

void TCustomdxBarComboControl::EnabledChanged()
{
  SetDroppedDown(false);
  TdxBarEditControl::EnabledChanged();
}

void TCustomdxBarComboControl::ControlDeactivated(bool immediately)
{
  TWeakRef<TCustomdxBarComboControl> self(this);
  SetDroppedDown(false);
  if (self) TdxBarEditControl::ControlDeactivated(immediately);
}

void TCustomdxBarComboControl::CalcDrawParams(bool full)
{
  TdxBarEditControl::CalcDrawParams(full);
  if (full)
    if (TdxBarEditLikeControlDrawParams* p = EditDrawParams()) p->DroppedDown = FDroppedDown;
}

void TCustomdxBarComboControl::CalcParts()
{
  TdxBarEditControl::CalcParts();
  std::vector<RECT> parts = PartRects();
  parts.resize(static_cast<size_t>(GetPartCount()));
  if (TdxBarPainter* painter = GetPainter()) painter->CalcComboParts(DrawParams(), parts, GetBoundsRect(), 0);
  SetPartRects(std::move(parts));
}

bool TCustomdxBarComboControl::OwnsWindow(HWND wnd) const
{
  if (TdxBarEditControl::OwnsWindow(wnd)) return true;
  TCustomdxBarCombo* combo = ComboItem();
  HWND dropDown = FDroppedDown && combo ? combo->GetDropDownWindow() : nullptr;
  return dropDown && IsWindowVisible(dropDown) && wnd && (wnd == dropDown || IsChild(dropDown, wnd));
}

bool TCustomdxBarComboControl::IsMenuKey(int key, TShiftState shift) const
{
  return TdxBarEditControl::IsMenuKey(key, shift) || (IsUpOrDown(key) && shift.Contains(ssAlt));
}

bool TCustomdxBarComboControl::IsDropDownKey(int key, TShiftState shift) const
{
  return TdxBarEditControl::IsDropDownKey(key, shift) || (IsUpOrDown(key) && shift.Contains(ssAlt));
}

void TCustomdxBarComboControl::HandleMenuKeyDown(WORD& key, TShiftState shift)
{
  if (IsUpOrDown(key)) {
    SetDroppedDown(!FDroppedDown);
    key = 0;
    return;
  }
  TdxBarEditControl::HandleMenuKeyDown(key, shift);
}

void TCustomdxBarComboControl::HandleMenuKeyUp(WORD& key, TShiftState shift)
{
  if (IsUpOrDown(key)) {
    key = 0;
    return;
  }
  TdxBarEditControl::HandleMenuKeyUp(key, shift);
}

void TCustomdxBarComboControl::AdjustTextArea(RECT& rect)
{
  TdxBarPainter* painter = GetPainter();
  if (!painter || PartRects().size() <= static_cast<size_t>(dxBarComboButtonPart)) return;
  rect.right = PartRects()[dxBarComboButtonPart].right + painter->GetComboContentMargins(GetPaintType()).right;
}

void TCustomdxBarComboControl::DrawEditValue()
{
  if (TdxBarPainter* painter = GetPainter(); painter && PartRects().size() > static_cast<size_t>(dxBarComboButtonPart))
    painter->DrawComboButton(DrawParams(), PartRects()[dxBarComboButtonPart]);
  TdxBarEditControl::DrawEditValue();
}

bool TCustomdxBarComboControl::IsNotEditing() const
{
  TCustomdxBarCombo* combo = ComboItem();
  return !(IsEnabled() && Focused() && combo && combo->ShowEditor());
}

POINT TCustomdxBarComboControl::GetDropDownOrigin() const
{
  TCustomdxBarControl* bar = BarControl();
  const RECT r = GetBoundsRect();
  POINT p{};
  if (bar && (bar->GetBarControlKind() == TdxBarKind::bkSubMenu || bar->IsVertical())) {
    p = POINT{r.right, r.top};
  } else {
    const int left = PartRects().empty() ? r.left : PartRects()[dxBarEditPart].left;
    p = POINT{left, r.bottom};
  }
  if (bar && bar->HandleAllocated()) ClientToScreen(bar->Handle(), &p);
  return p;
}

void TCustomdxBarComboControl::SetDroppedDown(bool value)
{
  TCustomdxBarCombo* combo = ComboItem();
  if (FDroppedDown == value || !combo || combo->ReadOnly()) return;
  FDroppedDown = value;
  Repaint();
  if (value)
    combo->DoDropDown(GetDropDownOrigin());
  else
    combo->DoCloseUp();
}

void TCustomdxBarComboControl::HostedWindowProc(TMessage& msg)
{
  TWeakRef<TCustomdxBarComboControl> self(this);
  if (msg.Msg == WM_KEYDOWN || msg.Msg == WM_KEYUP || msg.Msg == WM_CHAR) {
    if (msg.Msg == WM_KEYDOWN && msg.WParam == VK_F4) {
      SetDroppedDown(!FDroppedDown);
      return;
    }
    TCustomdxBarCombo* combo = ComboItem();
    HWND dropDown = FDroppedDown && combo ? combo->GetDropDownWindow() : nullptr;
    if (dropDown && combo->CheckKeyForDropDownWindow(static_cast<WORD>(msg.WParam), KeyboardShiftState())) {
      msg.Result = SendMessageA(dropDown, msg.Msg, msg.WParam, msg.LParam);
      return;
    }
  }
  TdxBarEditControl::HostedWindowProc(msg);
  if (!self || !EditWindow() || !IsWindowVisible(EditWindow())) return;
  if (msg.Msg == WM_LBUTTONDOWN || msg.Msg == WM_LBUTTONDBLCLK) FOpenAtPress = FDroppedDown;
  TCustomdxBarCombo* combo = ComboItem();
  const bool onButton = HotPartIndex() == dxBarComboButtonPart || (combo && !combo->ShowEditor() && HotPartIndex() == 0);
  if (!onButton) return;
  if ((msg.Msg == WM_LBUTTONDOWN && !FOpenAtPress) || (msg.Msg == WM_LBUTTONUP && FOpenAtPress))
    SetDroppedDown(!FDroppedDown);
}

// --- TdxBarComboControl ---

TdxBarCustomCombo* TdxBarComboControl::ListCombo() const { return ObjectAs<TdxBarCustomCombo>(GetItem()); }

void TdxBarComboControl::SetCurItemIndex(int index)
{
  FCurItemIndex = index;
  TakeItemText();
  TCustomdxBarCombo* combo = ComboItem();
  if (combo && !combo->ShowEditor()) Repaint();
}

void TdxBarComboControl::TakeItemText()
{
  TdxBarCustomCombo* combo = ListCombo();
  if (!combo) return;
  if (FCurItemIndex >= 0 && FCurItemIndex < combo->Items()->Count())
    WriteWindowText(combo->Items()->Strings(FCurItemIndex));
  else
    WriteWindowText(combo->GetText());
}

void TdxBarComboControl::SetEditing(bool value, bool cancel)
{
  if (value && !Focused())
    if (TdxBarCustomCombo* combo = ListCombo()) Internally([&] { FCurItemIndex = combo->ItemIndex(); });
  TCustomdxBarComboControl::SetEditing(value, cancel);
}

bool TdxBarComboControl::HandleListKeys(TMessage& msg)
{
  TdxBarCustomCombo* combo = ListCombo();
  if (!combo || combo->ReadOnly()) return false;
  const int count = combo->Items()->Count();
  switch (msg.Msg) {
    case WM_KEYDOWN: {
      const int key = static_cast<int>(msg.WParam);
      if (key == VK_RETURN || key == VK_TAB) {
        if (FCurItemIndex >= 0 && FCurItemIndex < count && ReadWindowText() == combo->Items()->Strings(FCurItemIndex)) {
          TWeakRef<TdxBarComboControl> self(this);
          combo->SetItemIndex(FCurItemIndex);
          if (!self || !EditWindow() || !IsWindowVisible(EditWindow())) return true;
        }
        return false;
      }
      if (DroppedDown() || !IsUpOrDown(key) || !NoShift(KeyboardShiftState())) return false;
      const int index = std::clamp(FCurItemIndex + (key == VK_UP ? -1 : 1), 0, std::max(count - 1, 0));
      if (count > 0 && index != FCurItemIndex) SetCurItemIndex(index);
      return true;
    }
    case WM_MOUSEWHEEL: {
      const int delta = GET_WHEEL_DELTA_WPARAM(msg.WParam);
      if (DroppedDown()) {
        if (HWND list = combo->GetDropDownWindow()) SendMessageA(list, WM_VSCROLL, delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
      } else if (delta > 0 && FCurItemIndex > 0) {
        SetCurItemIndex(FCurItemIndex - 1);
      } else if (delta <= 0 && FCurItemIndex < count - 1) {
        SetCurItemIndex(FCurItemIndex + 1);
      }
      return true;
    }
    default:
      return false;
  }
}

void TdxBarComboControl::HostedWindowProc(TMessage& msg)
{
  TWeakRef<TdxBarComboControl> self(this);
  if (HandleListKeys(msg) || !self) return;
  TCustomdxBarComboControl::HostedWindowProc(msg);
}
