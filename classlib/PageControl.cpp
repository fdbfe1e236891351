// The page control over the system's tab control, and its tab sheets.
#include "classlib/PageControl.h"

#include <algorithm>
#include <commctrl.h>
#include <vssym32.h>
#include "classlib/Forms.h"
#include "classlib/Themes.h"
#include "classlib/TypInfo.h"

namespace {
using TS = TTabSheet;
constexpr TPropInfo TabSheetProps[] = {
  BoolProp<&TS::TabVisible, &TS::SetTabVisible>("TabVisible", true),
  IntProp<&TS::PageIndex, &TS::SetPageIndex>("PageIndex"),
};
using TPC = TPageControl;
constexpr TPropInfo PageControlProps[] = {
  ComponentProp<&TPC::ActivePage, &TPC::SetActivePage>("ActivePage"),
  EventProp<&TPC::OnChanging, &TPC::SetOnChanging>("OnChanging"),
  EventProp<&TPC::OnChange, &TPC::SetOnChange>("OnChange"),
};

[[noreturn]] void RaiseIndex(int index)
{
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}
}  // namespace

// ----- TTabSheet ----------------------------------------------------------------------------

CL_MESSAGE_MAP(TTabSheet,
  {WM_ERASEBKGND, &TTabSheet::WMEraseBkgnd},
  {CM_TEXTCHANGED, &TTabSheet::CMTextChanged});
CL_DEFINE_CLASS(TTabSheet, .Props = TabSheetProps);

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner)
{
  FControlStyle = {TControlStyleFlag::csAcceptsControls, TControlStyleFlag::csDoubleClicks};
  // Shown by its page control while it is the active page.
  FVisible = false;
  FControlState.Include(TControlStateFlag::csCustomPaint);
  SetAlign(alClient);
}

void TTabSheet::BeforeDestruction()
{
  if (FPageControl) FPageControl->RemovePage(this);
  TWinControl::BeforeDestruction();
}

void TTabSheet::CreateParams(TCreateParams& params)
{
  TWinControl::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
}

void TTabSheet::SetParent(TWinControl* parent)
{
  auto* pageControl = dynamic_cast<TPageControl*>(parent);
  if (FPageControl && FPageControl != pageControl) FPageControl->RemovePage(this);
  TWinControl::SetParent(parent);
  if (pageControl && FPageControl != pageControl) pageControl->InsertPage(this);
}

void TTabSheet::SetPageControl(TPageControl* value) { SetParent(value); }

int TTabSheet::PageIndex() const
{
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value)
{
  if (FPageControl) FPageControl->MovePage(this, value);
}

int TTabSheet::TabIndex() const
{
  if (!FPageControl || !FTabVisible) return -1;
  int index = 0;
  for (const TTabSheet* page : FPageControl->FPages) {
    if (page == this) return index;
    if (page->FTabVisible) ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool value)
{
  if (FTabVisible == value) return;
  FTabVisible = value;
  if (!FPageControl) return;
  TPageControl* control = FPageControl;
  if (!value && control->FActivePage == this) {
    TTabSheet* next = control->FindNextPage(this, true);
    control->ShowPage(next);
  }
  control->UpdateTabs();
  if (value && !control->FActivePage && !control->IsLoading()) control->ShowPage(this);
}

HWND TTabSheet::ThemeWindow()
{
  return FPageControl && FPageControl->HandleAllocated() ? FPageControl->Handle() : Handle();
}

bool TTabSheet::PaintsStyledBackground() { return static_cast<bool>(TThemeData(ThemeWindow(), L"TAB")); }

void TTabSheet::PaintStyledBackground(HDC dc, POINT origin)
{
  RECT body = ClientRect();
  OffsetRect(&body, -origin.x, -origin.y);
  TThemeData(ThemeWindow(), L"TAB").DrawBackground(dc, TABP_BODY, 0, body);
}

void TTabSheet::PaintWindow(HDC dc)
{
  const RECT r = ClientRect();
  if (!TThemeData(ThemeWindow(), L"TAB").DrawBackground(dc, TABP_BODY, 0, r)) FillRect(dc, &r, BrushHandle());
}

void TTabSheet::WMEraseBkgnd(TMessage& msg)
{
  // PaintWindow paints all of it.
  msg.Result = 1;
}

void TTabSheet::CMTextChanged(TMessage&)
{
  if (FPageControl) FPageControl->UpdateTabs();
}

// ----- TPageControl -------------------------------------------------------------------------

CL_MESSAGE_MAP(TPageControl,
  {CN_NOTIFY, &TPageControl::CNNotify},
  {CM_DIALOGKEY, &TPageControl::CMDialogKey},
  {CM_FONTCHANGED, &TPageControl::CMFontChangedPages});
CL_DEFINE_CLASS(TPageControl, .Props = PageControlProps);

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner)
{
  FControlStyle = {TControlStyleFlag::csAcceptsControls, TControlStyleFlag::csDoubleClicks};
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

void TPageControl::BeforeDestruction()
{
  Destroying();
  TWinControl::BeforeDestruction();
}

void TPageControl::CreateParams(TCreateParams& params)
{
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_TABCONTROLA);
  params.Style |= WS_CLIPCHILDREN | TCS_TABS;
}

void TPageControl::CreateWnd()
{
  TWinControl::CreateWnd();
  UpdateTabs();
}

TTabSheet* TPageControl::Pages(int index) const
{
  if (index < 0 || index >= PageCount()) RaiseIndex(index);
  return FPages[static_cast<size_t>(index)];
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int value)
{
  SetActivePage(value == -1 ? nullptr : Pages(value));
}

void TPageControl::SetActivePage(TTabSheet* page)
{
  if (page && (page->FPageControl != this || !page->FTabVisible)) return;
  ShowPage(page);
}

TTabSheet* TPageControl::PageOfTab(int tabIndex) const
{
  if (tabIndex < 0) return nullptr;
  for (TTabSheet* page : FPages)
    if (page->FTabVisible && tabIndex-- == 0) return page;
  return nullptr;
}

TTabSheet* TPageControl::PageAt(POINT p) const
{
  if (!FHandle) return nullptr;
  TCHITTESTINFO hit{p, 0};
  return PageOfTab(static_cast<int>(SendMessageA(FHandle, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))));
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* from, bool goForward) const
{
  const int n = PageCount();
  if (n == 0) return nullptr;
  auto at = std::find(FPages.begin(), FPages.end(), from);
  const int start = at != FPages.end() ? static_cast<int>(at - FPages.begin()) : goForward ? -1 : n;
  for (int step = 1; step <= n; ++step) {
    const int i = ((start + (goForward ? step : -step)) % n + n) % n;
    if (FPages[static_cast<size_t>(i)]->FTabVisible) return FPages[static_cast<size_t>(i)];
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool goForward)
{
  TTabSheet* page = FindNextPage(FActivePage, goForward);
  if (page) ChangeActivePage(page);
}

bool TPageControl::CanChange()
{
  bool allow = true;
  if (FOnChanging) FOnChanging(this, allow);
  return allow;
}

void TPageControl::Change()
{
  if (FOnChange) FOnChange(this);
}

bool TPageControl::ChangeActivePage(TTabSheet* page)
{
  if (page == FActivePage) return false;
  if (!CanChange()) return false;
  ShowPage(page);
  Change();
  return true;
}

void TPageControl::ShowPage(TTabSheet* page)
{
  TTabSheet* old = FActivePage;
  if (page != old) {
    // The focus does not stay in a page that hides: the page control takes it.
    TCustomForm* form = GetParentForm();
    if (form && old && old->ContainsControl(form->ActiveControl()) && CanFocus()) SetFocus();
    FActivePage = page;
    if (page) {
      page->BringToFront();
      page->SetVisible(true);
    }
    if (old) old->SetVisible(false);
  }
  if (FHandle)
    SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(page ? page->TabIndex() : -1), 0);
}

void TPageControl::InsertPage(TTabSheet* page)
{
  FPages.push_back(page);
  page->FPageControl = this;
  UpdateTabs();
  if (!FActivePage && page->FTabVisible && !IsLoading()) ShowPage(page);
}

void TPageControl::RemovePage(TTabSheet* page)
{
  auto at = std::find(FPages.begin(), FPages.end(), page);
  if (at == FPages.end()) return;
  if (page == FActivePage && !IsDestroying()) {
    TTabSheet* next = FindNextPage(page, true);
    ShowPage(next == page ? nullptr : next);
  }
  if (page == FActivePage) FActivePage = nullptr;
  FPages.erase(std::find(FPages.begin(), FPages.end(), page));
  page->FPageControl = nullptr;
  if (!IsDestroying()) UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* page, int index)
{
  auto at = std::find(FPages.begin(), FPages.end(), page);
  if (at == FPages.end()) return;
  FPages.erase(at);
  index = std::clamp(index, 0, PageCount());
  FPages.insert(FPages.begin() + index, page);
  UpdateTabs();
}

void TPageControl::UpdateTabs()
{
  if (!FHandle || IsDestroying()) return;
  SendMessageA(FHandle, TCM_DELETEALLITEMS, 0, 0);
  int tab = 0;
  for (TTabSheet* page : FPages) {
    if (!page->FTabVisible) continue;
    std::string text = page->Caption();
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text.data();
    item.lParam = reinterpret_cast<LPARAM>(page);
    SendMessageA(FHandle, TCM_INSERTITEMA, static_cast<WPARAM>(tab++), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FActivePage ? FActivePage->TabIndex() : -1), 0);
  // The number of rows of tabs decides where the pages lie.
  Realign();
}

void TPageControl::AdjustClientRect(RECT& rect)
{
  if (FHandle)
    SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
  else
    InflateRect(&rect, -4, -4);
}

void TPageControl::GetChildren(const TGetChildProc& proc, TComponent* root)
{
  // The pages in page order: their order in the stream is their order on the control.
  for (TTabSheet* page : FPages)
    if (page->Owner() == root) proc(page);
}

void TPageControl::Loaded()
{
  TWinControl::Loaded();
  UpdateTabs();
  if (!FActivePage) ShowPage(FindNextPage(nullptr, true));
}

void TPageControl::CNNotify(TMessage& msg)
{
  auto* hdr = msg.LParamAs<NMHDR>();
  switch (hdr->code) {
    case TCN_SELCHANGING:
      msg.Result = CanChange() ? FALSE : TRUE;
      return;
    case TCN_SELCHANGE: {
      TTabSheet* page = PageOfTab(static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0)));
      if (page != FActivePage) {
        ShowPage(page);
        Change();
      }
      return;
    }
    default:
      Inherited<TPageControl>(msg);
  }
}

void TPageControl::CMDialogKey(TMessage& msg)
{
  // Ctrl+Tab (with Shift: backwards) while the focus is in the control or one of its pages.
  const bool focusHere = FHandle && (GetFocus() == FHandle || IsChild(FHandle, GetFocus()));
  if (msg.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && focusHere) {
    SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
    msg.Result = 1;
    return;
  }
  Inherited<TPageControl>(msg);
}

void TPageControl::CMFontChangedPages(TMessage& msg)
{
  Inherited<TPageControl>(msg);
  Realign();
}
