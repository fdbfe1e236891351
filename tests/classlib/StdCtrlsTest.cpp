// The standard controls, panels, splitter, timer, colour box, actions and menus on a stored form
// shown in real windows; message dialogs over the system box.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/ActnList.h"
#include "classlib/Clipbrd.h"
#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "tests/support/FormTree.h"
#include "classlib/TypInfo.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/DialogCloser.h"
#include "tests/support/WindowCount.h"

using namespace fixture;

namespace {

class TStdCtrlsTestForm : public TForm {
  CL_CLASS(TStdCtrlsTestForm, TForm)
public:
  using TForm::TForm;
  std::vector<std::string> Log;
  std::vector<WORD> Keys;
  int Ticks = 0;

  template <class T> T* Get(const char* name) const
  {
    auto* c = dynamic_cast<T*>(FindComponent(name));
    if (!c) throw Exception(std::string("no ") + name);
    return c;
  }
  void RunActionExecute(TObject*) { Log.push_back("run"); }
  void NameEditChange(TObject*) { Log.push_back("change " + Get<TEdit>("NameEdit")->Text()); }
  void NameEditExit(TObject*) { Log.push_back("exit " + Get<TEdit>("NameEdit")->Text()); }
  void NameEditKeyDown(TObject*, WORD& key, TShiftState) { Keys.push_back(key); }
  void FileListClick(TObject*)
  {
    Log.push_back("list " + std::to_string(Get<TListBox>("FileList")->ItemIndex()));
  }
  void KindBoxChange(TObject*) { Log.push_back("kind " + Get<TComboBox>("KindBox")->Text()); }
  void ColorBox1Change(TObject*)
  {
    Log.push_back("color " + ColorToString(Get<TColorBox>("ColorBox1")->Selected()));
  }
  void ListMenuPopup(TObject*) { Log.push_back("popup"); }
  void OpenItemClick(TObject*) { Log.push_back("open"); }
  void Timer1Timer(TObject*) { ++Ticks; }
};

constexpr TMethodInfo StdCtrlsTestFormMethods[] = {
  PublishedMethod<TNotifyEvent, &TStdCtrlsTestForm::RunActionExecute>("RunActionExecute"),
  PublishedMethod<TNotifyEvent, &TStdCtrlsTestForm::NameEditChange>("NameEditChange"),
  PublishedMethod<TNotifyEvent, &TStdCtrlsTestForm::NameEditExit>("NameEditExit"),
  PublishedMethod<TKeyEvent, &TStdCtrlsTestForm::NameEditKeyDown>("NameEditKeyDown"),
  PublishedMethod<TNotifyEvent, &TStdCtrlsTestForm::FileListClick>("FileListClick"),
  PublishedMethod<TNotifyEvent, &TStdCtrlsTestForm::KindBoxChange>("KindBoxChange"),
  PublishedMethod<TNotifyEvent, &TStdCtrlsTestForm::ColorBox1Change>("ColorBox1Change"),
  PublishedMethod<TNotifyEvent, &TStdCtrlsTestForm::ListMenuPopup>("ListMenuPopup"),
  PublishedMethod<TNotifyEvent, &TStdCtrlsTestForm::OpenItemClick>("OpenItemClick"),
  PublishedMethod<TNotifyEvent, &TStdCtrlsTestForm::Timer1Timer>("Timer1Timer"),
};

struct TShownForm {
  TStdCtrlsTestForm* Form;
  TShownForm() : Form(New<TStdCtrlsTestForm>(Application))
  {
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Pump(50);
  }
  ~TShownForm() { Free(Form); }
  TStdCtrlsTestForm* operator->() const { return Form; }
};

::testing::AssertionResult HasBounds(const TControl* c, RECT want)
{
  RECT r = c->BoundsRect();
  if (EqualRect(&r, &want)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << c->Name() << " at " << r.left << "," << r.top << "," << r.right
                                       << "," << r.bottom << ", expected " << want.left << "," << want.top
                                       << "," << want.right << "," << want.bottom;
}

}  // namespace

CL_DEFINE_CLASS(TStdCtrlsTestForm, .Methods = StdCtrlsTestFormMethods);

TEST(StdCtrls, TheStoredFormOpensLaysItsControlsOutAndTheyAnswerTheirProperties)
{
  TShownForm form;
  auto* top = form->Get<TPanel>("TopPanel");
  auto* list = form->Get<TListBox>("FileList");
  auto* splitter = form->Get<TSplitter>("Splitter1");
  auto* client = form->Get<TPanel>("ClientPanel");
  auto* status = form->Get<TLabel>("StatusLabel");
  EXPECT_TRUE(HasBounds(top, {0, 0, 400, 41}));
  EXPECT_TRUE(HasBounds(list, {0, 41, 120, 300}));
  EXPECT_TRUE(HasBounds(splitter, {120, 41, 124, 300}));
  EXPECT_TRUE(HasBounds(client, {124, 41, 400, 300}));
  // Inside the lowered bevel (1) and the border (2).
  EXPECT_TRUE(HasBounds(status, {3, 240, 273, 256}));

  EXPECT_EQ(list->Items()->Count(), 3);
  EXPECT_EQ(list->Items()->Strings(1), "乙");
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(list->Style(), lbOwnerDrawFixed);
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 18);
  auto* kind = form->Get<TComboBox>("KindBox");
  EXPECT_EQ(kind->ItemIndex(), 1);
  EXPECT_EQ(kind->Text(), "txt");
  EXPECT_EQ(form->Get<TColorBox>("ColorBox1")->Selected(), clRed);
  auto* label = form->Get<TLabel>("NameLabel");
  EXPECT_GT(label->Width(), 40);  // sized to its text
  EXPECT_GT(label->Height(), 8);
  EXPECT_EQ(form->Get<TTimer>("Timer1")->Interval(), 20u);
  EXPECT_FALSE(form->Get<TTimer>("Timer1")->Enabled());
  auto* actions = form->Get<TActionList>("ActionList1");
  ASSERT_EQ(actions->ActionCount(), 1);
  EXPECT_EQ(actions->Actions(0), form->Get<TAction>("RunAction"));
  EXPECT_EQ(list->PopupMenu(), form->Get<TPopupMenu>("ListMenu"));

  // The panel's caption is drawn in its middle, the bevel on its edge.
  form.Form->Update();
  client->Update();
  HDC dc = GetDC(client->Handle());
  EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 275, 258), GetSysColor(COLOR_BTNHIGHLIGHT));
  ReleaseDC(client->Handle(), dc);
  // The colour box draws the chosen colour's swatch in its box.
  auto* colors = form->Get<TColorBox>("ColorBox1");
  dc = GetDC(colors->Handle());
  EXPECT_EQ(GetPixel(dc, 12, colors->Height() / 2), RGB(255, 0, 0));
  ReleaseDC(colors->Handle(), dc);
  // A label fills its bounds with its colour unless transparent.
  label->SetColor(clYellow);
  top->Update();
  dc = GetDC(top->Handle());
  EXPECT_EQ(GetPixel(dc, label->Left(), label->Top()), RGB(255, 255, 0));
  label->SetTransparent(true);
  top->Update();
  EXPECT_EQ(GetPixel(dc, label->Left(), label->Top()), GetSysColor(COLOR_BTNFACE));
  ReleaseDC(top->Handle(), dc);
}

TEST(StdCtrls, ActionsRunFromButtonsAndMenuItemsAndTheirClientsFollowThem)
{
  TShownForm form;
  auto* action = form->Get<TAction>("RunAction");
  auto* run = form->Get<TButton>("RunButton");
  auto* own = form->Get<TButton>("OwnButton");
  auto* late = form->Get<TButton>("LateButton");
  auto* item = form->Get<TMenuItem>("RunItem");
  // The caption comes from the action unless the client stores one, read before or after Action.
  EXPECT_EQ(run->Caption(), "检索文件");
  EXPECT_EQ(own->Caption(), "检索文件列表");
  EXPECT_EQ(late->Caption(), "稍后");
  EXPECT_EQ(item->Caption(), "检索文件");
  EXPECT_EQ(run->Hint(), "开始检索");
  EXPECT_EQ(item->ImageIndex(), 125);

  // A real click on each button, and the menu item's command, run OnExecute.
  SendMessageA(run->Handle(), BM_CLICK, 0, 0);
  SendMessageA(own->Handle(), BM_CLICK, 0, 0);
  SendMessageA(form->Get<TPopupMenu>("ListMenu")->WindowHandle(), WM_COMMAND, item->Command(), 0);
  EXPECT_EQ(form->Log, (std::vector<std::string>{"run", "run", "run"}));

  // Disabling the action disables its clients; a disabled action does not run.
  action->SetEnabled(false);
  EXPECT_FALSE(run->Enabled());
  EXPECT_FALSE(IsWindowEnabled(run->Handle()));
  EXPECT_FALSE(IsWindowEnabled(own->Handle()));
  EXPECT_FALSE(item->Enabled());
  DispatchMenuCommand(item->Command());
  run->Click();
  EXPECT_EQ(form->Log.size(), 3u);
  action->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(run->Handle()));

  // A caption change reaches the clients that show the action's caption, not the others.
  action->SetCaption("定位查找");
  EXPECT_EQ(run->Caption(), "定位查找");
  EXPECT_EQ(GetWindowTextLengthA(run->Handle()), 8);
  EXPECT_EQ(item->Caption(), "定位查找");
  EXPECT_EQ(own->Caption(), "检索文件列表");
  action->SetVisible(false);
  EXPECT_FALSE(run->Visible());
  EXPECT_FALSE(item->Visible());

  // A freed action leaves its clients unbound.
  Free(action);
  EXPECT_EQ(run->Action(), nullptr);
  EXPECT_EQ(item->Action(), nullptr);
  EXPECT_EQ(run->Caption(), "定位查找");
}

TEST(StdCtrls, EnterAndTabEndEditingInTheEdit)
{
  TShownForm form;
  auto* edit = form->Get<TEdit>("NameEdit");
  edit->SetFocus();
  Pump(20);
  ASSERT_TRUE(edit->Focused());
  HWND wnd = edit->Handle();
  PostMessageA(wnd, WM_CHAR, 'a', 1);
  PostMessageA(wnd, WM_CHAR, 'b', 1);
  PostMessageA(wnd, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(wnd, WM_KEYUP, VK_RETURN, 0xC0000001);
  Pump(50);
  EXPECT_EQ(edit->Text(), "ab");
  EXPECT_EQ(form->Keys, (std::vector<WORD>{VK_RETURN}));
  EXPECT_TRUE(edit->Focused());
  PostMessageA(wnd, WM_KEYDOWN, VK_TAB, 1);
  PostMessageA(wnd, WM_KEYUP, VK_TAB, 0xC0000001);
  Pump(50);
  EXPECT_FALSE(edit->Focused());
  EXPECT_EQ(form->Log, (std::vector<std::string>{"change a", "change ab", "exit ab"}));
  EXPECT_EQ(form->Get<TListBox>("FileList")->Focused(), true);  // next in tab order

  // With a default button on the form, Enter clicks it instead.
  form->Get<TButton>("RunButton")->SetDefault(true);
  edit->SetFocus();
  PostMessageA(wnd, WM_KEYDOWN, VK_RETURN, 1);
  Pump(50);
  EXPECT_EQ(form->Keys.size(), 1u);
  EXPECT_EQ(form->Log.back(), "run");

  edit->SetMaxLength(3);
  edit->SetText("12345");
  EXPECT_EQ(edit->Text(), "12345");  // the limit is for typing
  edit->SetReadOnly(true);
  EXPECT_TRUE(GetWindowLongPtrA(wnd, GWL_STYLE) & ES_READONLY);
}

// Chinese reaches the window whole, whether typed, posted as two WM_CHAR bytes or sent by an
// input method as one WM_IME_CHAR.
TEST(StdCtrls, ChineseTypedIntoTheEditArrivesWhole)
{
  TShownForm form;
  auto* edit = form->Get<TEdit>("NameEdit");
  edit->SetFocus();
  Pump(20);
  ASSERT_TRUE(edit->Focused());
  HWND wnd = edit->Handle();
  INPUT keys[2]{};
  for (int i = 0; i < 2; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wScan = L'\x4E1C';  // 东
    keys[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
  }
  ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
  Pump(50);
  const std::string east = "东";
  PostMessageA(wnd, WM_CHAR, static_cast<unsigned char>(east[0]), 1);
  PostMessageA(wnd, WM_CHAR, static_cast<unsigned char>(east[1]), 1);
  PostMessageA(wnd, WM_CHAR, 'a', 1);
  PostMessageA(wnd, WM_IME_CHAR, (static_cast<unsigned char>(east[0]) << 8) | static_cast<unsigned char>(east[1]), 1);
  Pump(50);
  EXPECT_EQ(edit->Text(), "东东a东");
  EXPECT_EQ(edit->SelStart(), 4);
}

TEST(StdCtrls, EditSelectionClipboardUndoAndCase)
{
  TShownForm form;
  auto* edit = form->Get<TEdit>("NameEdit");
  edit->SetText("中文abc");
  edit->SetSelStart(1);
  edit->SetSelLength(2);
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelLength(), 2);
  EXPECT_EQ(edit->SelText(), "文a");
  edit->CutToClipboard();
  EXPECT_EQ(edit->Text(), "中bc");
  EXPECT_EQ(Clipboard()->AsText(), "文a");
  EXPECT_TRUE(edit->CanUndo());
  edit->Undo();
  EXPECT_EQ(edit->Text(), "中文abc");
  edit->SelectAll();
  edit->CopyToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "中文abc");
  edit->SetSelStart(0);
  edit->SetSelText("x");
  EXPECT_EQ(edit->Text(), "x中文abc");
  EXPECT_TRUE(edit->Modified());
  edit->SetModified(false);
  EXPECT_FALSE(edit->Modified());
  edit->SetSelStart(1);
  edit->SetSelLength(2);
  edit->ClearSelection();
  EXPECT_EQ(edit->Text(), "xabc");
  edit->SetSelStart(4);
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "xabc中文abc");

  // The case applies to the stored text and, through the window's style, to typing.
  edit->SetCharCase(ecUpperCase);
  EXPECT_EQ(edit->Text(), "XABC中文ABC");
  EXPECT_TRUE(GetWindowLongPtrA(edit->Handle(), GWL_STYLE) & ES_UPPERCASE);
  edit->SetHideSelection(false);
  EXPECT_TRUE(GetWindowLongPtrA(edit->Handle(), GWL_STYLE) & ES_NOHIDESEL);
  EXPECT_EQ(edit->Text(), "XABC中文ABC");
  TOwned<TEdit> loose = MakeOwned<TEdit>(nullptr);
  EXPECT_EQ(loose->SelStart(), 0);  // no window: nothing selected, nothing made
  EXPECT_FALSE(loose->HandleAllocated());
}

TEST(StdCtrls, ListItemsStayInStepWithTheWindowAndSelectionsReportChanges)
{
  TShownForm form;
  auto* kind = form->Get<TComboBox>("KindBox");
  HWND wnd = kind->Handle();
  kind->Items()->Add("doc");
  kind->Items()->Insert(0, "");
  EXPECT_EQ(SendMessageA(wnd, CB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(kind->ItemIndex(), 2);  // the window keeps the chosen item when one goes in before it
  kind->Items()->Delete(0);
  EXPECT_EQ(kind->Text(), "txt");
  EXPECT_THROW(kind->SetItemIndex(9), EListError);
  EXPECT_THROW(kind->Items()->Delete(9), EListError);
  // Choosing from the list, as the window reports it.
  SendMessageA(wnd, CB_SETCURSEL, 2, 0);
  SendMessageA(kind->Parent()->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(wnd), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(wnd));
  // The items survive a new window.
  kind->RecreateWnd();
  EXPECT_EQ(SendMessageA(kind->Handle(), CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(kind->ItemIndex(), 2);

  auto* colors = form->Get<TColorBox>("ColorBox1");
  HWND cw = colors->Handle();
  SendMessageA(cw, CB_SETCURSEL, 12, 0);
  SendMessageA(colors->Parent()->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(cw), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(cw));
  EXPECT_EQ(colors->Selected(), clBlue);
  colors->SetSelected(static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(colors->Selected(), static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(colors->Items()->Count(), 17);

  auto* list = form->Get<TListBox>("FileList");
  SendMessageA(list->Handle(), LB_SETCURSEL, 2, 0);
  SendMessageA(form.Form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list->Handle()), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list->Handle()));
  list->Items()->Clear();
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(form->Log, (std::vector<std::string>{"kind ini", "color clBlue", "list 2"}));
}

TEST(StdCtrls, TheSplitterResizesItsNeighbourWithinMinSize)
{
  TShownForm form;
  auto* splitter = form->Get<TSplitter>("Splitter1");
  auto* list = form->Get<TListBox>("FileList");
  EXPECT_EQ(splitter->FindControl(), list);
  splitter->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 50));
  splitter->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(31, 50));
  EXPECT_EQ(list->Width(), 150);
  EXPECT_EQ(splitter->Left(), 150);
  // Not smaller than MinSize, and the rest keeps MinSize too.
  splitter->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-500, 50));
  EXPECT_EQ(list->Width(), 40);
  splitter->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1000, 50));
  EXPECT_EQ(list->Width(), 400 - 4 - 40);
  splitter->Perform(WM_LBUTTONUP, 0, MAKELPARAM(1000, 50));
  EXPECT_TRUE(HasBounds(form->Get<TPanel>("ClientPanel"), {360, 41, 400, 300}));
}

TEST(StdCtrls, TheTimerTicksWhileEnabledAndNeverAfterwards)
{
  TShownForm form;
  auto* timer = form->Get<TTimer>("Timer1");
  timer->SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return form->Ticks >= 3; }, 3000));
  // A tick already due when the timer stops does not run when the queue's messages are handled
  // afterwards.
  auto tickDue = [] {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE) != FALSE;
  };
  ASSERT_TRUE(WaitWithoutPumping(tickDue, 3000));
  timer->SetEnabled(false);
  int ticks = form->Ticks;
  HandleWaitingMessages();
  EXPECT_EQ(form->Ticks, ticks);
  // Nor one due when it is freed.
  timer->SetEnabled(true);
  ASSERT_TRUE(WaitWithoutPumping(tickDue, 3000));
  Free(timer);
  HandleWaitingMessages();
  EXPECT_EQ(form->Ticks, ticks);
  // No handler, no system timer.
  TOwned<TTimer> idle(New<TTimer>(nullptr));
  EXPECT_FALSE(idle->Running());
}

namespace {
// Chooses the first item of the popup menu shown on this thread, from the menu's own loop.
void CALLBACK ChooseFirstItem(HWND, UINT, UINT_PTR id, DWORD)
{
  HWND menu = FindWindowA("#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  KillTimer(nullptr, id);
  PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
}
}  // namespace

TEST(StdCtrls, APopupMenuShowsOnContextMenuAndRunsTheChosenItem)
{
  TShownForm form;
  auto* list = form->Get<TListBox>("FileList");
  auto* menu = form->Get<TPopupMenu>("ListMenu");
  UINT_PTR timer = SetTimer(nullptr, 0, 50, ChooseFirstItem);
  POINT p = list->ClientToScreen(POINT{10, 10});
  SendMessageA(list->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list->Handle()),
               MAKELPARAM(p.x, p.y));
  KillTimer(nullptr, timer);
  EXPECT_EQ(form->Log, (std::vector<std::string>{"popup", "open"}));
  EXPECT_EQ(menu->PopupComponent(), list);
  ASSERT_TRUE(menu->HandleAllocated());
  HMENU handle = menu->Handle();
  EXPECT_EQ(GetMenuItemCount(handle), 2);
  // A change drops the built menu; the next use builds it again.
  form->Get<TMenuItem>("OpenItem")->SetCaption("打开");
  EXPECT_FALSE(IsMenu(handle));
  // An item with sub-items becomes a sub-menu.
  auto* sub = New<TMenuItem>(form.Form);
  sub->SetCaption("更多");
  form->Get<TMenuItem>("OpenItem")->Add(sub);
  EXPECT_NE(GetSubMenu(menu->Handle(), 0), nullptr);
  EXPECT_THROW(sub->Add(form->Get<TMenuItem>("OpenItem")), EInvalidOperation);
}

TEST(StdCtrls, AMainMenuShowsOnItsFormKeepingTheClientAreaAndRunsItsItems)
{
  TShownForm form;
  auto* main = New<TMainMenu>(form.Form);
  auto* file = New<TMenuItem>(form.Form);
  file->SetCaption("文件");
  auto* run = New<TMenuItem>(form.Form);
  run->SetAction(form->Get<TAction>("RunAction"));
  file->Add(run);
  main->Items()->Add(file);
  form->SetMenu(main);
  EXPECT_EQ(GetMenu(form->Handle()), main->Handle());
  EXPECT_EQ(form->ClientWidth(), 400);
  EXPECT_EQ(form->ClientHeight(), 300);
  // The form's WM_COMMAND from the menu runs the item; a change rebuilds the bar in place.
  SendMessageA(form->Handle(), WM_COMMAND, run->Command(), 0);
  EXPECT_EQ(form->Log, (std::vector<std::string>{"run"}));
  file->SetCaption("文件(&F)");
  EXPECT_EQ(GetMenu(form->Handle()), main->Handle());
  // A new window gets the menu again; a freed menu leaves the form without one.
  form->RecreateWnd();
  EXPECT_EQ(GetMenu(form->Handle()), main->Handle());
  HMENU handle = main->Handle();
  Free(main);
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_FALSE(IsMenu(handle));
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  EXPECT_EQ(form->ClientHeight(), 300);
}

TEST(Dialogs, MessageDlgShowsTheSystemBoxAndAnswersTheButtonChosen)
{
  struct TCase {
    TMsgDlgType Type;
    TMsgDlgButtons Buttons;
    UINT Flags;
  };
  const TCase cases[] = {
    {mtCustom, {mbOK}, MB_OK},
    {mtInformation, {mbOK, mbCancel}, MB_OKCANCEL | MB_ICONINFORMATION},
    {mtConfirmation, {mbYes, mbNo}, MB_YESNO | MB_ICONQUESTION},
    {mtWarning, {mbYes, mbNo, mbCancel}, MB_YESNOCANCEL | MB_ICONWARNING},
    {mtError, {mbRetry, mbCancel}, MB_RETRYCANCEL | MB_ICONERROR},
    {mtError, {mbAbort, mbRetry, mbIgnore}, MB_ABORTRETRYIGNORE | MB_ICONERROR},
  };
  for (const TCase& c : cases) EXPECT_EQ(MessageDlgFlags(c.Type, c.Buttons), c.Flags);
  EXPECT_THROW(MessageDlgFlags(mtCustom, {}), EInvalidOperation);
  EXPECT_THROW(MessageDlg("x", mtCustom, {mbYes, mbOK}, 0), EInvalidOperation);

  TShownForm form;
  UINT_PTR timer = TDialogCloser::Start(IDNO);
  int answer = MessageDlg("没有选择数据", mtConfirmation, {mbYes, mbNo}, 0);
  TDialogCloser::Stop(timer);
  EXPECT_EQ(answer, mrNo);
  EXPECT_EQ(TDialogCloser::Text, "没有选择数据");
  EXPECT_EQ(TDialogCloser::Caption, Application->Title());
  timer = TDialogCloser::Start(IDOK);
  ShowMessage("完成");
  TDialogCloser::Stop(timer);
  EXPECT_EQ(TDialogCloser::Text, "完成");
}

TEST(StdCtrls, FormsWithTheseControlsLeaveNoWindowsMenusOrGdiObjectsBehind)
{
  { TShownForm warmUp; }
  Pump(20);
  const int windowsBefore = ThreadWindowCount();
  const int gdiBefore = LiveGdiObjects();
  std::vector<HMENU> menus;
  for (int i = 0; i < 15; ++i) {
    TShownForm form;
    auto* popup = form->Get<TPopupMenu>("ListMenu");
    menus.push_back(popup->Handle());
    auto* main = New<TMainMenu>(form.Form);
    auto* item = New<TMenuItem>(form.Form);
    item->SetCaption("文件");
    main->Items()->Add(item);
    form->SetMenu(main);
    menus.push_back(main->Handle());
    form->Get<TTimer>("Timer1")->SetEnabled(true);
    form->Get<TComboBox>("KindBox")->RecreateWnd();
    form->Get<TColorBox>("ColorBox1")->SetSelected(clLime);
    Pump(10);
  }
  Pump(20);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
  for (HMENU m : menus) EXPECT_FALSE(IsMenu(m));
}

// What the writer writes of the stored form reads back to the same tree and the same text: the
// action list, its actions, the menus and the timer included.
TEST(StoredFormRoundTrip, StdCtrlsForm)
{
  TCustomForm* form = New<TStdCtrlsTestForm>(Application);
  TFormGuard guard{form};
  ExpectFormRoundTrip(form, ResourceText("TSTDCTRLSTESTFORM"));
}
