// Edit and combo items: the window item's value and events, the edit's width and limits, the
// combos' drop-down window and its placement, and the list combo's rows, index and prefix match.
#include "toolkit/bars/dxBarEdits.h"

#include <windowsx.h>
#include <algorithm>
#include "classlib/SysUtils.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarItemList.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/controls/cxControlsHelpers.h"
#include "toolkit/controls/cxStyles.h"

namespace {
bool ReadingForm(const TComponent* c) { return c->ComponentState().Contains(TComponentStateFlag::csLoading); }

using TW = TdxBarWindowItem;
const TPropInfo WindowItemProps[] = {
  EventProp<&TW::OnChange, &TW::SetOnChange>("OnChange"),
  EventProp<&TW::OnCurChange, &TW::SetOnCurChange>("OnCurChange"),
  EventProp<&TW::OnEnter, &TW::SetOnEnter>("OnEnter"),
  EventProp<&TW::OnExit, &TW::SetOnExit>("OnExit"),
  EventProp<&TW::OnKeyDown, &TW::SetOnKeyDown>("OnKeyDown"),
  EventProp<&TW::OnKeyPress, &TW::SetOnKeyPress>("OnKeyPress"),
  EventProp<&TW::OnKeyUp, &TW::SetOnKeyUp>("OnKeyUp"),
};

using TCE = TdxCustomBarEdit;
const TPropInfo CustomEditProps[] = {
  PersistentProp<&TdxBarItem::Glyph>("Glyph"),
  IntProp<&TdxBarItem::ImageIndex, &TdxBarItem::SetImageIndex>("ImageIndex", -1),
  BoolProp<&TdxBarItem::ShowCaption, &TdxBarItem::SetShowCaption>("ShowCaption", false),
  IntProp<&TCE::Width, &TCE::SetWidth>("Width"),
  EventProp<&TdxBarItem::OnClick, &TdxBarItem::SetOnClick>("OnClick"),
};

using TE = TdxBarEdit;
const TPropInfo EditProps[] = {
  IntProp<&TE::MaxLength, &TE::SetMaxLength>("MaxLength", 0),
  BoolProp<&TE::ReadOnly, &TE::SetReadOnly>("ReadOnly", false),
  ComponentProp<&TE::StyleEdit, &TE::SetStyleEdit>("StyleEdit"),
  StrProp<&TE::Text, &TE::SetTextProp>("Text"),
};

using TCC = TCustomdxBarCombo;
const TPropInfo CustomComboProps[] = {
  BoolProp<&TCC::ShowEditor, &TCC::SetShowEditor>("ShowEditor", true),
  EventProp<&TCC::OnCheckKeyForDropDownWindow, &TCC::SetOnCheckKeyForDropDownWindow>("OnCheckKeyForDropDownWindow"),
  EventProp<&TCC::OnCloseUp, &TCC::SetOnCloseUp>("OnCloseUp"),
  EventProp<&TCC::OnDropDown, &TCC::SetOnDropDown>("OnDropDown"),
  EventProp<&TCC::OnGetDropDownWindow, &TCC::SetOnGetDropDownWindow>("OnGetDropDownWindow"),
};

using TLC = TdxBarCustomCombo;
const TPropInfo ListComboProps[] = {
  IntProp<&TLC::DropDownCount, &TLC::SetDropDownCount>("DropDownCount", 8),
  IntProp<&TLC::DropDownWidth, &TLC::SetDropDownWidth>("DropDownWidth", 0),
  IntProp<&TLC::ItemHeight, &TLC::SetItemHeight>("ItemHeight", 0),
  StringsProp<&TLC::Items>("Items"),
  BoolProp<&TLC::Sorted, &TLC::SetSorted>("Sorted", false),
  // Always stored, and read after Items.
  IntProp<&TLC::ItemIndex, &TLC::SetItemIndex>("ItemIndex"),
  EventProp<&TLC::OnDrawItem, &TLC::SetOnDrawItem>("OnDrawItem"),
  EventProp<&TLC::OnMeasureItem, &TLC::SetOnMeasureItem>("OnMeasureItem"),
};
}  // namespace

CL_DEFINE_CLASS(TdxBarWindowItem, .Props = WindowItemProps);
CL_DEFINE_CLASS(TdxCustomBarEdit, .Props = CustomEditProps);
CL_DEFINE_CLASS(TdxBarEdit, .Props = EditProps);
CL_DEFINE_CLASS(TCustomdxBarCombo, .Props = CustomComboProps);
CL_DEFINE_CLASS(TdxBarDropDownListBox);
CL_DEFINE_CLASS(TdxBarComboStrings);
CL_DEFINE_CLASS(TdxBarCustomCombo, .Props = ListComboProps);
CL_DEFINE_CLASS(TdxBarCombo);

void RegisterEditItemClasses()
{
  RegisterBarItemClass(ClassRef<TdxBarEdit>(), ClassRef<TdxBarEditControl>(), true);
  RegisterBarItemClass(ClassRef<TCustomdxBarCombo>(), ClassRef<TCustomdxBarComboControl>(), false);
  RegisterBarItemClass(ClassRef<TdxBarCombo>(), ClassRef<TdxBarComboControl>(), true);
}

// --- TdxBarWindowItem ---

TdxBarItemControlClass TdxBarWindowItem::GetControlClass(bool rotated) const
{
  if (!rotated) return TdxBarItem::GetControlClass(rotated);
  // The button's control, registered with the button item.
  if (TdxBarItemList* registry = GetItemClassRegistry())
    for (int i = 0; i < registry->Count(); ++i)
      if (registry->GetRecord(i).ItemClass && std::string_view(registry->GetRecord(i).ItemClass.Name()) == "TdxBarButton")
        return registry->GetRecord(i).ControlClass;
  return TdxBarItem::GetControlClass(rotated);
}

void TdxBarWindowItem::SetText(const std::string& value)
{
  if (FText == value) return;
  FText = value;
  Changed();
}

void TdxBarWindowItem::Changed()
{
  UpdateControls();
  TWeakRef<TdxBarWindowItem> self(this);
  DoChange();
  if (self) UpdateControls();
}

void TdxBarWindowItem::FocusControl(bool onlyVisibleBars)
{
  for (int i = 0; i < GetLinkCount(); ++i) {
    TdxBarItemLink* link = GetLink(i);
    TdxBarItemControl* control = link ? link->Control() : nullptr;
    if (!control || !control->IsWindowed()) continue;
    TCustomdxBarControl* bar = control->BarControl();
    if (!bar) continue;
    if (onlyVisibleBars && !(bar->HandleAllocated() && IsWindowVisible(bar->Handle()))) continue;
    TWeakRef<TdxBarItemControl> alive(control);
    bar->ChangeSelection(control);
    if (alive) control->PerformClick(false, false);
    return;
  }
}

TdxBarWinControl* TdxBarWindowItem::GetActiveEditControl() const
{
  TdxBarItemLink* link = GetActiveEditLink();
  return link ? static_cast<TdxBarWinControl*>(link->Control()) : nullptr;
}

TdxBarItemLink* TdxBarWindowItem::GetActiveEditLink() const
{
  for (int i = 0; i < GetLinkCount(); ++i) {
    TdxBarItemLink* link = GetLink(i);
    auto* control = link ? ObjectAs<TdxBarWinControl>(link->Control()) : nullptr;
    if (control && control->Active() && control->Focused()) return link;
  }
  return nullptr;
}

std::string TdxBarWindowItem::GetEditingText() const
{
  TdxBarWinControl* control = GetActiveEditControl();
  return control ? control->ReadWindowText() : GetText();
}

void TdxBarWindowItem::SetEditingText(const std::string& value)
{
  if (TdxBarWinControl* control = GetActiveEditControl())
    control->WriteWindowText(value);
  else
    SetText(value);
}

void TdxBarWindowItem::DoChange()
{
  if (!ReadingForm(this) && FOnChange) FOnChange(this);
}
void TdxBarWindowItem::DoCurChange()
{
  if (FOnCurChange) FOnCurChange(this);
}
void TdxBarWindowItem::DoEnter()
{
  if (FOnEnter) FOnEnter(this);
}
void TdxBarWindowItem::DoExit()
{
  if (FOnExit) FOnExit(this);
}
void TdxBarWindowItem::DoKeyDown(WORD& key, TShiftState shift)
{
  if (FOnKeyDown) FOnKeyDown(this, key, shift);
}
void TdxBarWindowItem::DoKeyPress(char& key)
{
  if (FOnKeyPress) FOnKeyPress(this, key);
}
void TdxBarWindowItem::DoKeyUp(WORD& key, TShiftState shift)
{
  if (FOnKeyUp) FOnKeyUp(this, key, shift);
}

// --- TdxCustomBarEdit and TdxBarEdit ---

TdxCustomBarEdit::TdxCustomBarEdit(TComponent* owner) : TdxBarWindowItem(owner) { TdxBarItem::SetWidth(100); }

void TdxCustomBarEdit::SetWidth(int value)
{
  // While a form is read the item has no links yet, so the change reaches no control.
  if (value <= 0) return;
  TdxBarItem::SetWidth(value);
}

bool TdxCustomBarEdit::CanUseAccelerator(TdxBarItemLink* link) const
{
  if (!GetEnabled()) return false;
  TCustomdxBarControl* bar = link ? link->GetBarControl() : nullptr;
  const bool onToolbar = !bar || bar->GetBarControlKind() != TdxBarKind::bkSubMenu;
  return !onToolbar || ShowCaption();
}

void TdxCustomBarEdit::ReadState(TReader& reader)
{
  if (!FGlyphCleared) {
    FGlyphCleared = true;
    TOwned<TBitmap> empty = MakeOwned<TBitmap>();
    SetGlyph(empty.get());
  }
  TdxBarWindowItem::ReadState(reader);
}

void TdxBarEdit::SetMaxLength(int value)
{
  value = std::max(value, 0);
  if (FMaxLength == value) return;
  FMaxLength = value;
  for (int i = 0; i < GetLinkCount(); ++i)
    if (auto* control = ObjectAs<TdxBarEditControl>(GetLink(i)->Control()))
      if (control->EditWindow()) SendMessageA(control->EditWindow(), EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TdxBarEdit::SetReadOnly(bool value)
{
  if (FReadOnly == value) return;
  FReadOnly = value;
  UpdateControls();
}

void TdxBarEdit::DrawEditValue(TdxBarItemControl* control, TcxCanvas* canvas, TdxBarItemLink*, const RECT& rect)
{
  // The value where the edit window shows its text: inside the painter's text margins, one line.
  RECT r = rect;
  if (TdxBarPainter* painter = control->GetPainter()) painter->GetEditTextRect(control->GetPaintType(), r);
  const std::string text = GetText();
  SetBkMode(canvas->GetDCHandle(), TRANSPARENT);
  DrawTextA(canvas->GetDCHandle(), text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_NOPREFIX);
  SetBkMode(canvas->GetDCHandle(), OPAQUE);
}

// --- TCustomdxBarCombo ---

void TCustomdxBarCombo::SetShowEditor(bool value)
{
  if (FNoEditor == !value) return;
  FNoEditor = !value;
  UpdateControls();
}

HWND TCustomdxBarCombo::GetDropDownWindow()
{
  HWND wnd = nullptr;
  if (FOnGetDropDownWindow) FOnGetDropDownWindow(this, wnd);
  return wnd;
}

TCustomdxBarComboControl* TCustomdxBarCombo::GetActiveComboControl() const
{
  TdxBarItemLink* link = GetActiveLink();
  return link ? ObjectAs<TCustomdxBarComboControl>(link->Control()) : nullptr;
}

void TCustomdxBarCombo::CalcDropDownPosition(int& x, int& y)
{
  HWND wnd = GetDropDownWindow();
  RECT windowRect{};
  if (wnd) ::GetWindowRect(wnd, &windowRect);
  const int windowWidth = windowRect.right - windowRect.left, windowHeight = windowRect.bottom - windowRect.top;
  TdxBarItemLink* link = GetActiveLink();
  const RECT item = link ? link->ItemRect() : RECT{};
  const int itemWidth = item.right - item.left, itemHeight = item.bottom - item.top;
  TCustomdxBarControl* bar = link ? link->GetBarControl() : nullptr;
  const RECT area = GetMonitorWorkAreaAt(POINT{x, y});
  if (bar && (bar->GetBarControlKind() == TdxBarKind::bkSubMenu || bar->IsVertical())) {
    if (area.right < x + windowWidth && area.right - x < x - itemWidth - area.left) x -= windowWidth + itemWidth;
    y = std::min<int>(y, area.bottom - windowHeight);
  } else {
    x = std::min<int>(x, area.right - windowWidth);
    if (area.bottom < y + windowHeight && area.bottom - y < y - itemHeight - area.top) y -= itemHeight + windowHeight;
  }
  x = std::max<int>(x, area.left);
  y = std::max<int>(y, area.top);
}

bool TCustomdxBarCombo::CheckKeyForDropDownWindow(WORD key, TShiftState shift)
{
  bool accept = key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE;
  if (FOnCheckKey) FOnCheckKey(this, key, shift, accept);
  return accept;
}

void TCustomdxBarCombo::ApplyEditStyleTo(TWinControl* control)
{
  auto* edit = ObjectAs<TdxBarEditControl>(GetActiveLink() ? GetActiveLink()->Control() : nullptr);
  if (!control || !edit) return;
  if (TFont* font = edit->GetEditFont()) control->Font()->Assign(font);
  if (TdxBarPainter* painter = edit->GetPainter()) {
    TColor text = clWindowText, back = clWindow;
    painter->GetEditColors(edit, text, back);
    control->SetColor(back);
    control->Font()->SetColor(text);
  }
}

void TCustomdxBarCombo::DoDropDown(POINT at)
{
  TWeakRef<TCustomdxBarCombo> self(this);
  if (FOnDropDown) FOnDropDown(this);
  if (!self) return;
  HWND wnd = GetDropDownWindow();
  if (!wnd) return;
  PrepareDropDownWindow();
  int x = at.x, y = at.y;
  CalcDropDownPosition(x, y);
  SetWindowPos(wnd, nullptr, x, y, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOZORDER);
  SetWindowZOrder(wnd, nullptr, false, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
  DropDownShown();
}

void TCustomdxBarCombo::DoCloseUp()
{
  if (HWND wnd = GetDropDownWindow()) ShowWindow(wnd, SW_HIDE);
  if (FOnCloseUp) FOnCloseUp(this);
}

// --- TdxBarDropDownListBox ---

TdxBarDropDownListBox::TdxBarDropDownListBox(TComponent* owner) : TListBox(owner)
{
  SetBorderStyle(TBorderStyle::bsNone);
  SetStyle(lbOwnerDrawVariable);
  SetVisible(false);
}

void TdxBarDropDownListBox::CreateParams(TCreateParams& params)
{
  TListBox::CreateParams(params);
  params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  params.WindowClass.style |= CS_SAVEBITS;
}

void TdxBarDropDownListBox::CreateWnd()
{
  TListBox::CreateWnd();
  // A top-level popup that shows its selection as if it had the focus.
  ::SetParent(Handle(), nullptr);
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  TMessage focus{WM_SETFOCUS, 0, 0, 0};
  DefaultHandler(focus);
}

void TdxBarDropDownListBox::SetParentBarWindow(HWND wnd) { FParentBar = wnd; }

void TdxBarDropDownListBox::StartWaiting()
{
  FWaiting = true;
  SetCapture(Handle());
}

void TdxBarDropDownListBox::ChooseRow()
{
  TdxBarCustomCombo* combo = FCombo;
  if (!combo) return;
  const int row = ItemIndex();
  TWeakRef<TdxBarCustomCombo> alive(combo);
  TCustomdxBarComboControl* control = combo->GetActiveComboControl();
  TdxBarItemLink* link = control ? control->Link() : nullptr;
  TCustomdxBarControl* bar = control ? control->BarControl() : nullptr;
  if (control) control->SetDroppedDown(false);
  if (link) link->GetSourceLink()->RegisterUse(true);
  if (bar && IsBarControlAlive(bar)) bar->CloseUp(TdxBarCloseReason::ItemClick);
  if (alive && row >= 0) combo->SetItemIndex(row);
}

void TdxBarDropDownListBox::ShowSelectionInCombo(int before)
{
  const int row = ItemIndex();
  if (row == before || row < 0 || !FCombo) return;
  TdxBarItemLink* link = FCombo->GetActiveLink();
  if (auto* control = link ? ObjectAs<TdxBarComboControl>(link->Control()) : nullptr) control->ShowListRow(row);
}

void TdxBarDropDownListBox::WndProc(TMessage& msg)
{
  // The messages that move the selection: the new row is shown in the combo's edit box afterwards.
  const bool selects = msg.Msg == WM_MOUSEMOVE || msg.Msg == WM_KEYDOWN || msg.Msg == WM_LBUTTONDOWN;
  struct TAfter {
    TdxBarDropDownListBox* List;
    int Before;
    ~TAfter()
    {
      if (Before != -2 && List->HandleAllocated()) List->ShowSelectionInCombo(Before);
    }
  } after{this, selects && HandleAllocated() ? ItemIndex() : -2};
  switch (msg.Msg) {
    case WM_ERASEBKGND:
      msg.Result = 1;
      return;
    case WM_NCCALCSIZE: {
      TListBox::WndProc(msg);
      return;
    }
    case WM_KEYDOWN:
      if (ItemIndex() < 0 && Count() > 0) SetItemIndex(TopIndex());
      break;
    case WM_MOUSEMOVE: {
      const POINT p{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
      RECT client{};
      GetClientRect(Handle(), &client);
      if (FWaiting && PtInRect(&client, p)) {
        FWaiting = false;
        ReleaseCapture();
        SendMessageA(Handle(), WM_LBUTTONDOWN, MK_LBUTTON, msg.LParam);
      }
      // Hot tracking: the row under the mouse is selected.
      const LRESULT hit = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, msg.LParam);
      if (HIWORD(hit) == 0 && PtInRect(&client, p) && static_cast<int>(LOWORD(hit)) != ItemIndex())
        SetItemIndex(LOWORD(hit));
      break;
    }
    case WM_LBUTTONUP:
      if (FWaiting) {
        FWaiting = false;
        ReleaseCapture();
        return;
      }
      TListBox::WndProc(msg);
      ChooseRow();
      return;
    case WM_CAPTURECHANGED:
      FWaiting = false;
      break;
    default:
      break;
  }
  TListBox::WndProc(msg);
}

// --- TdxBarCustomCombo ---

TdxBarCustomCombo::TdxBarCustomCombo(TComponent* owner)
    : TCustomdxBarCombo(owner), FItems(MakeOwned<TdxBarComboStrings>()), FListBox(MakeOwned<TdxBarDropDownListBox>(nullptr))
{
  FItems->SetOnChange(TNotifyEvent(this, &TdxBarCustomCombo::ItemsChanged));
  FListBox->SetCombo(this);
  FListBox->SetOnDrawItem(TDrawItemEvent(this, &TdxBarCustomCombo::ListDrawItem));
  FListBox->SetOnMeasureItem(TMeasureItemEvent(this, &TdxBarCustomCombo::ListMeasureItem));
}

void TdxBarCustomCombo::BeforeDestruction()
{
  FItems->SetOnChange(TNotifyEvent());
  TCustomdxBarCombo::BeforeDestruction();
}

bool TdxBarCustomCombo::RowEquals(int index, std::string_view text) const
{
  return index >= 0 && index < FItems->Count() && FItems->SameRow(FItems->Strings(index), text);
}

void TdxBarCustomCombo::SetItems(TStrings* value) { FItems->Assign(value); }

void TdxBarCustomCombo::SetSorted(bool value)
{
  if (FItems->Sorted() == value) return;
  FItems->SetSorted(value);
  FItemIndex = FItems->IndexOf(FText);
}

void TdxBarCustomCombo::SetItemIndex(int value)
{
  if (value == FItemIndex) return;
  if (value < 0 || value >= FItems->Count()) value = -1;
  if (value == FItemIndex) return;
  FItemIndex = value;
  const std::string text = value >= 0 ? FItems->Strings(value) : std::string();
  if (text != FText)
    TdxBarWindowItem::SetText(text);
  else
    Changed();
}

void TdxBarCustomCombo::SetText(const std::string& value)
{
  // The same comparison everywhere: the rows' own (case-insensitive unless the list says so).
  if (!RowEquals(FItemIndex, value)) FItemIndex = FItems->IndexOf(value);
  TdxBarWindowItem::SetText(value);
}

void TdxBarCustomCombo::ItemsChanged(TObject*)
{
  if (FItemIndex == -1 || RowEquals(FItemIndex, FText)) return;
  // The row of the text by the same rule SetText found it with; the text keeps its own spelling.
  const int index = FItems->IndexOf(FText);
  if (index < 0) {
    FItemIndex = -1;
    TdxBarWindowItem::SetText(std::string());
    return;
  }
  FItemIndex = index;
  Changed();
}

int TdxBarCustomCombo::FindBestPrefixMatch(std::string_view text) const
{
  const std::string typed = AnsiUpperCase(text);
  int best = -1, bestLength = 0;
  for (int i = 0; i < FItems->Count(); ++i) {
    const std::string row = AnsiUpperCase(FItems->Strings(i));
    if (row.compare(0, bestLength, typed, 0, bestLength) != 0) continue;
    size_t length = bestLength;
    while (length < typed.size() && length < row.size() && row[length] == typed[length]) ++length;
    if (length == typed.size() && !typed.empty()) return i;
    if (static_cast<int>(length) > bestLength) {
      bestLength = static_cast<int>(length);
      best = i;
    }
  }
  return best;
}

HWND TdxBarCustomCombo::GetDropDownWindow()
{
  HWND wnd = TCustomdxBarCombo::GetDropDownWindow();
  if (wnd) return wnd;
  if (!FListBox->HandleAllocated()) {
    // Made as a child of the bar window (or the desktop), then detached as a top-level popup.
    TCustomdxBarControl* bar = GetActiveLink() ? GetActiveLink()->GetBarControl() : nullptr;
    FListBox->SetParentWindow(bar && bar->HandleAllocated() ? bar->Handle() : GetDesktopWindow());
    FListBox->HandleNeeded();
  }
  return FListBox->Handle();
}

int TdxBarCustomCombo::MeasureItemHeight(int index)
{
  int height = FItemHeight;
  if (height <= 0) {
    TcxCanvas* canvas = GetItemCanvas();
    TEXTMETRICA tm{};
    GetTextMetricsA(canvas->GetDCHandle(), &tm);
    height = tm.tmHeight;
  }
  if (FOnMeasureItem) FOnMeasureItem(this, index, height);
  return height;
}

int TdxBarCustomCombo::MeasureItemWidth(int index)
{
  return GetItemCanvas()->MeasureTextWidth(FItems->Strings(index)) + 2;
}

TcxCanvas* TdxBarCustomCombo::GetItemCanvas()
{
  if (FItemCanvas) return FItemCanvas;
  GetDropDownWindow();
  if (!FListCanvas) FListCanvas = MakeOwned<TcxCanvas>(FListBox->Canvas());
  return FListCanvas.get();
}

int TdxBarCustomCombo::CalcDropDownWidth()
{
  const bool scrolls = FItems->Count() > FDropDownCount;
  const int scrollBar = scrolls ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  int width = FDropDownWidth;
  if (width <= 0) {
    width = 0;
    if (auto* control = ObjectAs<TdxBarCustomEditControl>(GetActiveLink() ? GetActiveLink()->Control() : nullptr)) {
      const RECT edit = control->PartRects().empty() ? RECT{} : control->PartRects()[dxBarEditPart];
      width = edit.right - edit.left - 4;
    }
    width -= scrollBar;
    for (int i = 0; i < FItems->Count(); ++i) width = std::max(width, MeasureItemWidth(i));
  }
  return width + 4 + scrollBar;
}

void TdxBarCustomCombo::PrepareDropDownWindow()
{
  ApplyEditStyleTo(FListBox.get());
  FListBox->Canvas()->SetFont(FListBox->Font());
  FListBox->Items()->Assign(FItems.get());
  // The rows take their measured heights here: the list, made as a child of the bar and then
  // detached, need not hear its measuring messages.
  for (int i = 0; i < FItems->Count(); ++i)
    SendMessageA(FListBox->Handle(), LB_SETITEMHEIGHT, static_cast<WPARAM>(i), MeasureItemHeight(i));
  int height = 4;
  const int rows = std::min(FItems->Count(), FDropDownCount);
  for (int i = 0; i < rows; ++i) height += MeasureItemHeight(i);
  SetWindowPos(FListBox->Handle(), nullptr, 0, 0, CalcDropDownWidth(), height,
               SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
}

bool TdxBarCustomCombo::CheckKeyForDropDownWindow(WORD key, TShiftState shift)
{
  const bool noShift = !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
  return noShift && (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT);
}

void TdxBarCustomCombo::DoDropDown(POINT at)
{
  TCustomdxBarControl* bar = GetActiveLink() ? GetActiveLink()->GetBarControl() : nullptr;
  GetDropDownWindow();
  FListBox->SetParentBarWindow(bar && bar->HandleAllocated() ? bar->Handle() : nullptr);
  TWeakRef<TdxBarCustomCombo> self(this);
  TCustomdxBarCombo::DoDropDown(at);
  if (self) SyncListWithEditText();
}

void TdxBarCustomCombo::DropDownShown()
{
  if (GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) < 0) FListBox->StartWaiting();
}

void TdxBarCustomCombo::DoCloseUp()
{
  TCustomdxBarCombo::DoCloseUp();
  FListBox->SetParentBarWindow(nullptr);
}

void TdxBarCustomCombo::DoCurChange()
{
  TWeakRef<TdxBarCustomCombo> self(this);
  TCustomdxBarCombo::DoCurChange();
  if (self) SyncListWithEditText();
}

void TdxBarCustomCombo::SyncListWithEditText()
{
  auto* control = ObjectAs<TdxBarComboControl>(GetActiveLink() ? GetActiveLink()->Control() : nullptr);
  if (!control) return;
  const std::string text = control->ReadWindowText();
  int index = control->CurItemIndex();
  if (index < 0 || index >= FItems->Count() || FItems->Strings(index) != text) index = FindBestPrefixMatch(text);
  control->SetCurItemIndexQuiet(index);
  if (!control->DroppedDown() || !FListBox->HandleAllocated()) return;
  if (index >= 0 && AnsiCompareText(FItems->Strings(index), text) == 0) {
    FListBox->SetItemIndex(index);
  } else {
    FListBox->SetItemIndex(-1);
    if (index >= 0) FListBox->SetTopIndex(index);
  }
}

void TdxBarCustomCombo::DrawItem(TdxBarPainter* painter, int index, TOwnerDrawState state, const RECT& rect)
{
  if (FOnDrawItem)
    FOnDrawItem(this, index, rect, state);
  else if (painter)
    painter->DrawComboListItem(FDrawingControl ? FDrawingControl : GetActiveComboControl(), GetItemCanvas(), rect,
                               index);
  if (state.Contains(odFocused)) DrawFocusRect(GetItemCanvas()->GetDCHandle(), &rect);
}

void TdxBarCustomCombo::DrawEditValue(TdxBarItemControl* control, TcxCanvas* canvas, TdxBarItemLink* link,
                                      const RECT& rect)
{
  struct TScope {
    TdxBarCustomCombo* Combo;
    ~TScope()
    {
      Combo->FItemCanvas = nullptr;
      Combo->FDrawingControl = nullptr;
      Combo->FInteriorDrawing = false;
    }
  } scope{this};
  FItemCanvas = canvas;
  FDrawingControl = ObjectAs<TCustomdxBarComboControl>(control);
  FInteriorDrawing = true;
  auto* combo = ObjectAs<TdxBarComboControl>(control);
  const int index = combo && link == GetActiveEditLink() ? combo->CurItemIndex() : FItemIndex;
  DrawItem(control->GetPainter(), index, TOwnerDrawState(), rect);
}

void TdxBarCustomCombo::ListDrawItem(TWinControl*, int index, const RECT& rect, TOwnerDrawState state)
{
  TCustomdxBarComboControl* control = GetActiveComboControl();
  DrawItem(control ? control->GetPainter() : nullptr, index, state, rect);
}

void TdxBarCustomCombo::ListMeasureItem(TWinControl*, int index, int& height) { height = MeasureItemHeight(index); }
