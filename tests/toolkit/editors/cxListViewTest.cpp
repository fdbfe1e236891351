// The list view container and its inner list view: defaults and forwarding, icon options, the
// stored form, input forwarding, label edits, info tips, painted scroll bars over native scrolling,
// and no windows or GDI objects left behind.
#include <string>
#include <vector>
#include "classlib/Docking.h"
#include "classlib/ExtCtrls.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Hints.h"
#include "classlib/ObjectText.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/editors/ListViewTestSupport.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsScrollBars.h"
#include "toolkit/controls/cxControlsWindowProc.h"

using namespace listview_test;

namespace {

// An inner list view that records the characters and Tab keys that reach its native handling.
class TRecordingInnerListView : public TcxCustomInnerListView {
  CL_CLASS(TRecordingInnerListView, TcxCustomInnerListView)
public:
  using TcxCustomInnerListView::TcxCustomInnerListView;
  std::string NativeChars;
  int NativeTabs = 0;
  void DefaultHandler(TMessage& msg) override
  {
    if (msg.Msg == WM_CHAR) NativeChars += static_cast<char>(msg.WParam);
    if (msg.Msg == WM_KEYDOWN && msg.WParam == VK_TAB) ++NativeTabs;
    TcxCustomInnerListView::DefaultHandler(msg);
  }
};
CL_DEFINE_CLASS(TRecordingInnerListView);

// A list view hosting the recording inner list view, counting its visual-state refreshes.
class TRecordingListView : public TcxListView {
  CL_CLASS(TRecordingListView, TcxListView)
public:
  using TcxListView::TcxListView;
  int Refreshes = 0;
  struct TMeta : TcxListView::TMeta {
    TcxInnerListViewClass InnerListViewClassType() const override { return ClassRef<TRecordingInnerListView>(); }
  };
  bool RefreshVisualState() override
  {
    ++Refreshes;
    return TcxListView::RefreshVisualState();
  }
  TRecordingInnerListView* Recorder() const { return static_cast<TRecordingInnerListView*>(InnerListView()); }
  int Wheels = 0;
  bool ClaimWheel = true;
  int FocusChanges = 0;
  void FocusChanged() override
  {
    ++FocusChanges;
    TcxListView::FocusChanged();
  }

protected:
  bool DoMouseWheel(TShiftState, int, POINT) override
  {
    ++Wheels;
    return ClaimWheel;
  }
};
CL_DEFINE_CLASS(TRecordingListView);

// What the list view's events report: the senders, the characters, the cancelled edits.
class TEvents : public TObject {
  CL_CLASS(TEvents, TObject)
public:
  std::vector<TObject*> Senders;
  std::string Chars;
  int Cancels = 0;
  void Record(TObject* sender) { Senders.push_back(sender); }
  void SelectItem(TObject* sender, TListItem*, bool) { Senders.push_back(sender); }
  void KeyPress(TObject*, char& key) { Chars += key; }
  void CancelEdit(TObject* sender)
  {
    ++Cancels;
    Senders.push_back(sender);
  }
  void InfoTip(TObject*, TListItem* item, std::string& tip) { tip = "tip " + item->Caption(); }
  std::vector<TObject*> StartDocks, EndDocks, EndTargets;
  void StartDock(TObject* sender, TDragDockObject*&) { StartDocks.push_back(sender); }
  void EndDock(TObject* sender, TObject* target, int, int)
  {
    EndDocks.push_back(sender);
    EndTargets.push_back(target);
  }
  void ContextPopup(TObject* sender, POINT, bool& handled)
  {
    Senders.push_back(sender);
    handled = true;
  }
};
CL_DEFINE_CLASS(TEvents);

class cxListViewTest : public ListViewFixture {
protected:
  TRecordingListView* NewRecordingList()
  {
    auto* list = New<TRecordingListView>(Form);
    list->SetParent(Form);
    list->SetBounds(10, 10, 300, 200);
    list->SetViewStyle(vsReport);
    list->Columns()->Add()->SetCaption("a");
    return list;
  }
  RECT ItemRect(int index) { return List->Items()->Item(index)->DisplayRect(drBounds); }
  TOwned<TEvents> Events = MakeOwned<TEvents>();
};

}  // namespace

// A new list view: its size, views, header switches, icon options, its inner list view without a
// border, and nothing selected.
TEST_F(cxListViewTest, NewListViewHasItsDefaults)
{
  TOwned<TcxListView> list = MakeOwned<TcxListView>(nullptr);
  EXPECT_EQ(list->Width(), 121);
  EXPECT_EQ(list->Height(), 97);
  EXPECT_EQ(list->ViewStyle(), vsIcon);
  EXPECT_TRUE(list->ShowColumnHeaders());
  EXPECT_TRUE(list->ColumnClick());
  EXPECT_TRUE(list->HideSelection());
  EXPECT_FALSE(list->ReadOnly());
  EXPECT_FALSE(list->OwnerDraw());
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(list->InnerListView()->BorderStyle(), TBorderStyle::bsNone);
  EXPECT_EQ(list->InnerListView()->Align(), alClient);
  EXPECT_EQ(list->InnerListView()->Container(), list.get());
  EXPECT_EQ(list->InnerControl(), list->InnerListView());
  EXPECT_EQ(list->IconOptions()->Arrangement(), iaTop);
  EXPECT_FALSE(list->IconOptions()->AutoArrange());
  EXPECT_TRUE(list->IconOptions()->WrapText());
  EXPECT_EQ(list->InnerListView()->IconOptions()->Arrangement(), iaTop);
  list->Clear();
  EXPECT_EQ(list->GetSelectedItem(), nullptr);

  // On a form: no border on the inner window, which fills the container's client area.
  ShowOnTop();
  EXPECT_FALSE(GetWindowLongPtrA(Inner()->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(GetWindowLongPtrA(Inner()->Handle(), GWL_STYLE) & WS_BORDER);
}

// Every forwarded property lands on the inner list view and reads back from it; the events are
// the inner list view's.
TEST_F(cxListViewTest, PropertiesAndEventsAreTheInnerListViews)
{
  struct Case {
    const char* Name;
    std::function<void(bool)> Set;
    std::function<bool()> Inner;
  };
  const Case cases[] = {
    {"Checkboxes", [&](bool v) { List->SetCheckboxes(v); }, [&] { return Inner()->Checkboxes(); }},
    {"HotTrack", [&](bool v) { List->SetHotTrack(v); }, [&] { return Inner()->HotTrack(); }},
    {"MultiSelect", [&](bool v) { List->SetMultiSelect(v); }, [&] { return Inner()->MultiSelect(); }},
    {"RowSelect", [&](bool v) { List->SetRowSelect(v); }, [&] { return Inner()->RowSelect(); }},
    {"ShowWorkAreas", [&](bool v) { List->SetShowWorkAreas(v); }, [&] { return Inner()->ShowWorkAreas(); }},
    {"ColumnClick", [&](bool v) { List->SetColumnClick(v); }, [&] { return Inner()->ColumnClick(); }},
    {"HideSelection", [&](bool v) { List->SetHideSelection(v); }, [&] { return Inner()->HideSelection(); }},
    {"ShowColumnHeaders", [&](bool v) { List->SetShowColumnHeaders(v); }, [&] { return Inner()->ShowColumnHeaders(); }},
    {"GridLines", [&](bool v) { List->SetGridLines(v); }, [&] { return Inner()->GridLines(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const bool was = c.Inner();
    c.Set(!was);
    EXPECT_EQ(c.Inner(), !was);
    c.Set(was);
    EXPECT_EQ(c.Inner(), was);
  }
  List->SetHoverTime(200);
  EXPECT_EQ(Inner()->HoverTime(), 200);
  List->SetSortType(stText);
  EXPECT_EQ(Inner()->SortType(), stText);
  List->SetOnSelectItem(TLVSelectItemEvent(Events.get(), &TEvents::SelectItem));
  EXPECT_TRUE(Inner()->OnSelectItem() == List->OnSelectItem());
  EXPECT_TRUE(Inner()->OnSelectItem());
}

// ReadOnly refreshes the visual state only on a real change, and then blocks label editing and
// deleting the selection.
TEST_F(cxListViewTest, ReadOnlyRefreshesOnlyOnAChangeAndBlocksEditingAndDeleting)
{
  auto* list = NewRecordingList();
  list->Items()->Add()->SetCaption("x");
  list->Items()->Add()->SetCaption("y");
  ShowOnTop();
  list->SetReadOnly(false);
  EXPECT_EQ(list->Refreshes, 0);
  list->SetReadOnly(true);
  EXPECT_EQ(list->Refreshes, 1);
  EXPECT_TRUE(list->InnerListView()->ReadOnly());
  EXPECT_TRUE(list->IsNativeReadOnly());
  list->SetReadOnly(true);
  EXPECT_EQ(list->Refreshes, 1);

  list->SetItemIndex(0);
  EXPECT_FALSE(list->Items()->Item(1)->EditCaption());
  EXPECT_FALSE(list->InnerListView()->IsEditing());
  list->InnerListView()->DeleteSelected();
  EXPECT_EQ(list->Items()->Count(), 2);
  list->SetReadOnly(false);
  ASSERT_TRUE(list->Items()->Item(1)->EditCaption());
  SendMessageA(list->InnerListView()->Handle(), LVM_CANCELEDITLABEL, 0, 0);
  list->SetItemIndex(0);
  list->InnerListView()->DeleteSelected();
  EXPECT_EQ(list->Items()->Count(), 1);
}

// Changing the view re-reads the native bars: a report of many items shows the painted vertical
// bar, an empty icon view none.
TEST_F(cxListViewTest, ViewStyleBringsThePaintedBarsInLine)
{
  Fill(100);
  ShowOnTop();
  ASSERT_TRUE(PumpUntil([&] { return List->VScrollBar() && List->VScrollBar()->Visible(); }));
  List->Clear();
  List->SetViewStyle(vsIcon);
  EXPECT_FALSE(List->VScrollBar()->Visible());
  EXPECT_FALSE(List->HScrollBar()->Visible());
}

// Icon options: set on the container they reach the inner list view; assigning another object
// copies its values; the inner list view's window takes AutoArrange when it is made.
TEST_F(cxListViewTest, IconOptionsReachTheInnerListView)
{
  List->SetViewStyle(vsIcon);
  ShowOnTop();
  List->IconOptions()->SetArrangement(iaLeft);
  EXPECT_EQ(Inner()->IconOptions()->Arrangement(), iaLeft);
  EXPECT_TRUE(GetWindowLongPtrA(Inner()->Handle(), GWL_STYLE) & LVS_ALIGNLEFT);
  TOwned<TcxIconOptions> other = MakeOwned<TcxIconOptions>(nullptr);
  other->SetAutoArrange(true);
  other->SetWrapText(false);
  TcxIconOptions* own = List->IconOptions();
  List->SetIconOptions(other.get());
  EXPECT_EQ(List->IconOptions(), own);  // the list view keeps its own object
  EXPECT_EQ(own->Arrangement(), iaTop);
  EXPECT_TRUE(own->AutoArrange());
  EXPECT_FALSE(own->WrapText());
  EXPECT_TRUE(Inner()->IconOptions()->AutoArrange());
  EXPECT_FALSE(Inner()->IconOptions()->WrapText());
  const LONG_PTR style = GetWindowLongPtrA(Inner()->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & LVS_AUTOARRANGE);
  EXPECT_TRUE(style & LVS_NOLABELWRAP);
  EXPECT_FALSE(style & LVS_ALIGNLEFT);
}

// A stored list view: its properties and columns read into the inner list view, OwnerDraw and the
// icon options applied when loading ends; an unknown property or value name is the reader's
// clear error.
TEST_F(cxListViewTest, StoredFormsReadIntoTheInnerListView)
{
  const std::string text =
      "object Stored: TcxListView\n"
      "  Left = 5\n"
      "  Top = 6\n"
      "  Width = 200\n"
      "  Height = 120\n"
      "  Columns = <\n"
      "    item\n"
      "      Caption = 'Files'\n"
      "      Width = 109\n"
      "    end>\n"
      "  DragCursor = -21\n"
      "  DragKind = dkDock\n"
      "  IconOptions.AutoArrange = True\n"
      "  OwnerDraw = True\n"
      "  RowSelect = True\n"
      "  ViewStyle = vsReport\n"
      "end\n";
  auto* stored = New<TcxListView>(Form);
  stored->SetParent(Form);
  ReadComponentFromText(text, stored);
  EXPECT_EQ(stored->Width(), 200);
  EXPECT_EQ(stored->Columns()->Count(), 1);
  EXPECT_EQ(stored->Columns()->Items(0)->Caption(), "Files");
  EXPECT_TRUE(stored->InnerListView()->OwnerDraw());
  EXPECT_TRUE(stored->InnerListView()->RowSelect());
  EXPECT_TRUE(stored->InnerListView()->IconOptions()->AutoArrange());
  EXPECT_EQ(stored->ViewStyle(), vsReport);
  EXPECT_EQ(stored->DragCursor(), crHandPoint);
  EXPECT_EQ(stored->DragKind(), dkDock);
  EXPECT_EQ(List->DragCursor(), crDrag);
  ShowOnTop();
  EXPECT_TRUE(GetWindowLongPtrA(stored->InnerListView()->Handle(), GWL_STYLE) & LVS_OWNERDRAWFIXED);
  // Written again it reads the same.
  const std::string written = ComponentToText(stored);
  EXPECT_NE(written.find("OwnerDraw = True"), std::string::npos) << written;
  EXPECT_EQ(written.find("ItemIndex"), std::string::npos) << written;

  struct Bad {
    const char* Line;
    const char* Named;  // what the error names
  };
  for (const Bad& bad : {Bad{"Bogus = 1", "Bogus"}, Bad{"ViewStyle = vsNowhere", "vsNowhere"},
                         Bad{"IconOptions.Arrangement = iaMiddle", "iaMiddle"}}) {
    auto* other = New<TcxListView>(Form);
    const std::string message = MessageOf<Exception>(
        [&] { ReadComponentFromText("object Bad: TcxListView\n  " + std::string(bad.Line) + "\nend\n", other); });
    EXPECT_NE(message.find(bad.Named), std::string::npos) << message;
  }
}

// Scaling scales the list view and, through it, its inner list view and columns, each once.
TEST_F(cxListViewTest, ScalingScalesTheListAndItsColumnsOnce)
{
  ShowOnTop();
  List->ChangeScale(3, 2);
  EXPECT_EQ(List->Width(), 450);
  EXPECT_EQ(List->Height(), 300);
  EXPECT_EQ(List->Columns()->Items(0)->Width(), 120);
  EXPECT_EQ(List->Columns()->Items(1)->Width(), 150);
  EXPECT_EQ(HeaderItemRect(1).right, 270);
}

// Keys: the container sees every key first; Tab never reaches the native list, Enter reaches the
// container's OnKeyPress but neither the inner list view's nor the native list.
TEST_F(cxListViewTest, TabAndEnterStopAtTheContainer)
{
  auto* list = NewRecordingList();
  ASSERT_TRUE(list->InnerListView()->Is<TRecordingInnerListView>());  // the class the list view's class names
  list->Items()->Add()->SetCaption("x");
  ShowOnTop();
  list->SetFocus();
  list->SetOnKeyPress(TKeyPressEvent(Events.get(), &TEvents::KeyPress));
  TOwned<TEvents> innerEvents = MakeOwned<TEvents>();
  list->InnerListView()->SetOnKeyPress(TKeyPressEvent(innerEvents.get(), &TEvents::KeyPress));
  HWND wnd = list->InnerListView()->Handle();
  for (char ch : std::string("\tz\r")) PostMessageA(wnd, WM_CHAR, static_cast<unsigned char>(ch), 1);
  PostMessageA(wnd, WM_KEYUP, VK_TAB, 1);
  HandleWaitingMessages();
  EXPECT_EQ(Events->Chars, std::string("\0z\r", 3));
  EXPECT_EQ(innerEvents->Chars, "z");
  EXPECT_EQ(list->Recorder()->NativeChars, "z");
  EXPECT_EQ(list->Recorder()->NativeTabs, 0);
  // The list asks for characters and Tab unless Ctrl is down.
  const LRESULT code = SendMessageA(wnd, WM_GETDLGCODE, 0, 0);
  EXPECT_TRUE(code & DLGC_WANTCHARS);
  EXPECT_TRUE(code & DLGC_WANTTAB);
}

// The wheel goes to the container first and scrolls the list only when the container leaves it;
// the inner list view's focus changes are the container's.
TEST_F(cxListViewTest, TheWheelAndTheFocusAreTheContainers)
{
  auto* list = NewRecordingList();
  list->Items()->BeginUpdate();
  for (int i = 0; i < 100; ++i) list->Items()->Add()->SetCaption("item " + std::to_string(i));
  list->Items()->EndUpdate();
  ShowOnTop();
  HWND wnd = list->InnerListView()->Handle();
  const POINT at = list->InnerListView()->ClientToScreen(POINT{20, 40});
  const WPARAM down = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
  SendMessageA(wnd, WM_MOUSEWHEEL, down, MAKELPARAM(at.x, at.y));
  EXPECT_EQ(list->Wheels, 1);
  EXPECT_EQ(SendMessageA(wnd, LVM_GETTOPINDEX, 0, 0), 0);
  list->ClaimWheel = false;
  SendMessageA(wnd, WM_MOUSEWHEEL, down, MAKELPARAM(at.x, at.y));
  EXPECT_EQ(list->Wheels, 2);
  EXPECT_GT(SendMessageA(wnd, LVM_GETTOPINDEX, 0, 0), 0);
  ASSERT_TRUE(PumpUntil([&] { return list->VScrollBar()->Position() == GetScrollPos(wnd, SB_VERT); }));

  const int before = list->FocusChanges;
  list->InnerListView()->SetFocus();
  EXPECT_EQ(GetFocus(), wnd);
  EXPECT_GT(list->FocusChanges, before);
  const int focused = list->FocusChanges;
  List->InnerListView()->SetFocus();
  EXPECT_GT(list->FocusChanges, focused);
}

// OnSelectItem comes from the inner list view, OnClick from the container.
TEST_F(cxListViewTest, SelectionAndClickEventsNameTheirSenders)
{
  Fill(3);
  List->SetOnSelectItem(TLVSelectItemEvent(Events.get(), &TEvents::SelectItem));
  List->SetOnClick(TNotifyEvent(Events.get(), &TEvents::Record));
  ShowOnTop();
  List->SetItemIndex(1);
  ASSERT_FALSE(Events->Senders.empty());
  EXPECT_EQ(Events->Senders.back(), static_cast<TObject*>(Inner()));
  Events->Senders.clear();
  const RECT r = ItemRect(2);
  const LPARAM at = MAKELPARAM(r.left + 10, (r.top + r.bottom) / 2);
  SendMessageA(Inner()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(Inner()->Handle(), WM_LBUTTONUP, 0, at);
  HandleWaitingMessages();
  ASSERT_EQ(std::count(Events->Senders.begin(), Events->Senders.end(), static_cast<TObject*>(List)), 1);
  EXPECT_EQ(List->ItemIndex(), 2);
}

// The context menu of a right click on the list is the container's.
TEST_F(cxListViewTest, ContextMenusAreTheContainers)
{
  Fill(2);
  List->SetOnContextPopup(TContextPopupEvent(Events.get(), &TEvents::ContextPopup));
  ShowOnTop();
  const RECT r = ItemRect(1);
  const POINT screen = Inner()->ClientToScreen(POINT{r.left + 5, r.top + 2});
  SendMessageA(Inner()->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Inner()->Handle()),
               MAKELPARAM(screen.x, screen.y));
  EXPECT_EQ(Events->Senders, std::vector<TObject*>{List});
}

// Escape in a label edit fires OnCancelEdit once, with the list view as Sender; an edit end for no
// item, or one with a text, cancels nothing (the text is applied, in either code).
TEST_F(cxListViewTest, LabelEditEndsCancelOrApply)
{
  Fill(2);
  List->SetOnCancelEdit(TNotifyEvent(Events.get(), &TEvents::CancelEdit));
  ShowOnTop();
  ASSERT_TRUE(List->Items()->Item(0)->EditCaption());
  auto edit = reinterpret_cast<HWND>(SendMessageA(Inner()->Handle(), LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  SetWindowTextA(edit, "不要");
  SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(PumpUntil([&] { return !Inner()->IsEditing(); }));
  EXPECT_EQ(Events->Cancels, 1);
  EXPECT_EQ(Events->Senders, std::vector<TObject*>{List});
  EXPECT_EQ(List->Items()->Item(0)->Caption(), "item 0");

  // An end with a text applies it; one for item -1 does nothing; without an open edit no cancel.
  for (UINT code : {UINT(LVN_ENDLABELEDITA), UINT(LVN_ENDLABELEDITW)}) {
    SCOPED_TRACE(code);
    std::string ansi = "新";
    std::wstring wide = L"新W";
    NMLVDISPINFOA a{};
    a.hdr.hwndFrom = Inner()->Handle();
    a.hdr.code = code;
    a.item.iItem = 1;
    a.item.pszText = code == LVN_ENDLABELEDITA ? ansi.data() : reinterpret_cast<char*>(wide.data());
    Inner()->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&a));
    EXPECT_EQ(List->Items()->Item(1)->Caption(), code == LVN_ENDLABELEDITA ? "新" : "新W");
    a.item.iItem = -1;
    a.item.pszText = nullptr;
    Inner()->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&a));
    a.item.iItem = 1;
    Inner()->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&a));
  }
  EXPECT_EQ(Events->Cancels, 1);
}

// Info tips: with OnInfoTip the tip is the item's, placed below the cursor's size from the item's
// corner, the area the item's bounds; asked again for the same item nothing changes; without the
// event the saved hint comes back.
TEST_F(cxListViewTest, InfoTipsDescribeTheItemUnderTheCursor)
{
  Fill(3);
  Inner()->SetHint("saved");
  Inner()->Loaded();
  List->SetOnInfoTip(TLVInfoTipEvent(Events.get(), &TEvents::InfoTip));
  ShowOnTop();
  const RECT r = ItemRect(1);
  THintInfo info;
  info.CursorPos = POINT{r.left + 5, (r.top + r.bottom) / 2};
  Inner()->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.HintStr, "tip item 1");
  EXPECT_TRUE(EqualRect(&info.CursorRect, &r));
  const POINT corner = Inner()->ClientToScreen(POINT{r.left, r.top});
  EXPECT_EQ(info.HintPos.x, corner.x + GetSystemMetrics(SM_CXCURSOR));
  EXPECT_EQ(info.HintPos.y, corner.y + GetSystemMetrics(SM_CYCURSOR));
  EXPECT_EQ(info.HintMaxWidth, Inner()->ClientWidth());
  EXPECT_EQ(Inner()->Hint(), "tip item 1");
  info.HintStr = "unchanged";
  Inner()->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.HintStr, "unchanged");

  List->SetOnInfoTip(nullptr);
  const RECT r2 = ItemRect(2);
  info.CursorPos = POINT{r2.left + 5, (r2.top + r2.bottom) / 2};
  Inner()->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(Inner()->Hint(), "saved");
}

// The painted bars follow native scrolling in report view: by thumb tracking, by line and page
// codes, and when a column changes its width (both codes of the header's notice).
TEST_F(cxListViewTest, PaintedBarsFollowNativeScrolling)
{
  List->Columns()->Items(1)->SetWidth(600);
  Fill(100);
  ShowOnTop();
  ASSERT_TRUE(PumpUntil([&] { return List->VScrollBar()->Visible() && List->HScrollBar()->Visible(); }));
  HWND wnd = Inner()->Handle();
  int pos = 20;
  List->Scroll(sbVertical, scTrack, pos);
  EXPECT_EQ(SendMessageA(wnd, LVM_GETTOPINDEX, 0, 0), 20);
  EXPECT_EQ(List->VScrollBar()->Position(), GetScrollPos(wnd, SB_VERT));
  pos = List->VScrollBar()->Position();
  List->Scroll(sbVertical, scLineDown, pos);
  EXPECT_EQ(SendMessageA(wnd, LVM_GETTOPINDEX, 0, 0), 21);
  EXPECT_EQ(pos, GetScrollPos(wnd, SB_VERT));
  const int page = static_cast<int>(SendMessageA(wnd, LVM_GETCOUNTPERPAGE, 0, 0));
  List->Scroll(sbVertical, scPageDown, pos);
  EXPECT_EQ(SendMessageA(wnd, LVM_GETTOPINDEX, 0, 0), 21 + page);
  EXPECT_EQ(List->VScrollBar()->Position(), GetScrollPos(wnd, SB_VERT));

  pos = 60;
  List->Scroll(sbHorizontal, scTrack, pos);
  EXPECT_EQ(GetScrollPos(wnd, SB_HORZ), 60);
  EXPECT_EQ(List->HScrollBar()->Position(), 60);
  List->Scroll(sbHorizontal, scLineDown, pos);  // a line to the right
  EXPECT_GT(GetScrollPos(wnd, SB_HORZ), 60);
  EXPECT_EQ(pos, GetScrollPos(wnd, SB_HORZ));

  // A wider column: the horizontal bar takes the new range.
  SendMessageA(wnd, LVM_SETCOLUMNWIDTH, 1, 900);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(wnd, SB_HORZ, &si);
  EXPECT_EQ(List->HScrollBar()->Max(), si.nMax);
  // Each code of the header's notice brings the position in line.
  HWND header = Inner()->HeaderWindow();
  for (UINT code : {UINT(HDN_ITEMCHANGEDA), UINT(HDN_ITEMCHANGEDW)}) {
    SCOPED_TRACE(code);
    List->HScrollBar()->SetPosition(0);
    NMHEADERA nm{};
    nm.hdr.hwndFrom = header;
    nm.hdr.code = code;
    nm.iItem = 1;
    SendMessageA(wnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(List->HScrollBar()->Position(), GetScrollPos(wnd, SB_HORZ));
  }
}

// The corner between the two painted bars shows the painter's form content colour.
TEST_F(cxListViewTest, TheCornerBetweenThePaintedBarsIsFilled)
{
  List->Columns()->Items(1)->SetWidth(600);
  Fill(100);
  ShowOnTop();
  ASSERT_TRUE(PumpUntil([&] { return List->VScrollBar()->Visible() && List->HScrollBar()->Visible(); }));
  HandleWaitingMessages();
  const RECT grip = GetInnerSizeGripRect(Inner());
  ASSERT_FALSE(IsRectEmpty(&grip));
  EXPECT_EQ(grip.right - grip.left, List->VScrollBar()->Width());
  EXPECT_EQ(grip.bottom - grip.top, List->HScrollBar()->Height());
  HDC dc = GetWindowDC(Inner()->Handle());
  const COLORREF corner = GetPixel(dc, (grip.left + grip.right) / 2, (grip.top + grip.bottom) / 2);
  ReleaseDC(Inner()->Handle(), dc);
  EXPECT_EQ(corner, ColorToRGB(List->GetPainter()->FormContentColor()));
}

// With automatic dragging a press on the list drags the list view, not its inner list view.
TEST_F(cxListViewTest, APressDragsTheContainer)
{
  Fill(3);
  ShowOnTop();
  List->SetDragMode(dmAutomatic);
  EXPECT_EQ(Inner()->DragMode(), dmAutomatic);
  const RECT r = ItemRect(1);
  SendMessageA(Inner()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 10, (r.top + r.bottom) / 2));
  EXPECT_TRUE(List->Dragging());
  EXPECT_FALSE(Inner()->Dragging());
  List->EndDrag(false);
  HandleWaitingMessages();
  EXPECT_FALSE(List->Dragging());
}

// With DragKind dkDock a list view dragged by the mouse from one of its items docks into a site as
// a whole: its inner list view stays inside it, and the docking events fire once each with the
// list view as Sender.
TEST_F(cxListViewTest, AListViewDraggedByItsItemsDocksWhole)
{
  POINT savedCursor{};
  GetCursorPos(&savedCursor);
  Form->SetClientSize(700, 300);
  auto* site = New<TPanel>(Form);
  site->SetParent(Form);
  site->SetBounds(400, 10, 250, 250);
  site->SetDockSite(true);
  Fill(3);
  List->SetDragKind(dkDock);
  List->SetDragMode(dmAutomatic);
  List->SetOnStartDock(TStartDockEvent(Events.get(), &TEvents::StartDock));
  List->SetOnEndDock(TEndDockEvent(Events.get(), &TEvents::EndDock));
  ShowOnTop();
  ASSERT_TRUE(BringToFront(Form->Handle()));

  const RECT r = ItemRect(1);
  POINT from{r.left + 10, (r.top + r.bottom) / 2};
  ClientToScreen(Inner()->Handle(), &from);
  ASSERT_TRUE(TMouseDrag::Start(from, site->ClientToScreen(POINT{120, 120})));
  const bool ended = PumpUntil([&] { return !Events->EndDocks.empty() && TMouseDrag::Done(); }, 5000);
  TMouseDrag::Stop();
  HandleWaitingMessages();
  MoveCursorTo(savedCursor);
  ASSERT_TRUE(ended);

  EXPECT_EQ(List->HostDockSite(), site);
  EXPECT_EQ(List->Parent(), site);
  EXPECT_EQ(Inner()->Parent(), List);
  EXPECT_EQ(Inner()->HostDockSite(), nullptr);
  EXPECT_EQ(Events->StartDocks, std::vector<TObject*>{List});
  EXPECT_EQ(Events->EndDocks, std::vector<TObject*>{List});
  EXPECT_EQ(Events->EndTargets, std::vector<TObject*>{site});
  EXPECT_FALSE(DockDragging());
}

// A hundred list views made, filled, given new windows and freed leave no window and no GDI
// object of the class library behind.
TEST_F(cxListViewTest, ListViewsLeaveNoWindowsOrGdiObjectsBehind)
{
  ShowOnTop();
  auto round = [&] {
    auto* list = New<TcxListView>(Form);
    list->SetParent(Form);
    list->SetBounds(0, 0, 200, 120);
    list->SetViewStyle(vsReport);
    list->Columns()->Add()->SetCaption("a");
    list->Columns()->Add()->SetCaption("b");
    list->HandleNeeded();
    list->Items()->BeginUpdate();
    for (int i = 0; i < 50; ++i) list->Items()->Add()->SetCaption("item " + std::to_string(i));
    list->Items()->EndUpdate();
    list->InnerListView()->RecreateWnd();
    list->Repaint();
    HandleWaitingMessages();
    Free(list);
  };
  round();  // what is made once for the process
  HandleWaitingMessages();
  const int gdiBefore = LiveGdiObjects();
  const int windowsBefore = ThreadWindowCount();
  const int chainsBefore = GetWindowProcController()->ChainCount();
  for (int i = 0; i < 100; ++i) round();
  HandleWaitingMessages();
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
  EXPECT_EQ(GetWindowProcController()->ChainCount(), chainsBefore);  // the headers' hooks went with them
}
