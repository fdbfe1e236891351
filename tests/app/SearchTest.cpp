// "检索文件列表": the background run over the listed files, the completion poll that shows the
// first result, and "定位查找".
#include <gtest/gtest.h>
#include <algorithm>
#include <mutex>
#include <sstream>
#include "app/FileText.h"
#include "app/StandInControls.h"
#include "app/WordDocument.h"
#include "classlib/Application.h"
#include "classlib/ComCtrls.h"
#include "classlib/ComObj.h"
#include "classlib/ExtCtrls.h"
#include "classlib/IdThreadComponent.h"
#include "classlib/StdCtrls.h"
#include "classlib/SyncObjs.h"
#include "tests/app/MainWindowFixture.h"
#include "toolkit/panels/RzPanelStatusBar.h"
#include "toolkit/panels/RzStatus.h"
#include "tests/app/TempFolder.h"
#include "tests/support/WordStandIn.h"

namespace {
class SearchTest : public MainWindowTest {
protected:
  TTempFolder Folder{"search"};
};

// Long enough that the first match lies below the view's first screen.
std::string FarDown(const std::string& text)
{
  std::string s;
  for (int i = 0; i < 300; ++i) s += "line " + std::to_string(i) + "\r\n";
  return s + text + "\r\nmore " + text + "\r\n";
}

struct TErrorCatcher : TObject {
  std::vector<std::string> Messages;
  void Catch(TObject*, const Exception& e) { Messages.push_back(e.Message()); }
  void Fail(TObject*) { throw Exception("the count pane failed"); }
};

// Watches the completion poll: each tick notes whether a result was waiting and whether the search
// button was enabled after it.
struct TPollWatch : TObject {
  struct TTick {
    bool ResultWaiting;
    bool ButtonEnabledAfter;
  };
  TFrmain* Form;
  std::vector<TTick> Ticks;
  explicit TPollWatch(TFrmain* form) : Form(form) { form->Timer1->SetOnTimer(TNotifyEvent(this, &TPollWatch::Tick)); }
  ~TPollWatch() override { Form->Timer1->SetOnTimer(TNotifyEvent(Form, &TFrmain::Timer1Timer)); }
  void Tick(TObject* sender)
  {
    Ticks.push_back({!SearchCompletedPath.Peek().empty(), false});
    // Noted also when showing the result fails.
    struct TNoteButton {
      TPollWatch* Watch;
      ~TNoteButton() { Watch->Ticks.back().ButtonEnabledAfter = Watch->Form->dxBarButton5->Enabled(); }
    } note{this};
    Form->Timer1Timer(sender);
  }
  // The index of the first tick that found a result waiting, or the tick count.
  size_t FirstWithResult() const
  {
    size_t i = 0;
    while (i < Ticks.size() && !Ticks[i].ResultWaiting) ++i;
    return i;
  }
};

// The window's plain-file loads in order, from whichever thread makes them. A load of HoldPath
// signals Holding and then waits for Release before it reads the file.
struct TLoadLog {
  std::mutex Lock;
  std::vector<std::string> Paths;
  std::string HoldPath;
  TSyncEvent Holding, Release;

  static std::string Load(std::string_view path);
  std::vector<std::string> Taken()
  {
    std::lock_guard<std::mutex> lock(Lock);
    return Paths;
  }
};
TLoadLog* GLoads = nullptr;

std::string TLoadLog::Load(std::string_view path)
{
  bool hold;
  {
    std::lock_guard<std::mutex> lock(GLoads->Lock);
    GLoads->Paths.emplace_back(path);
    hold = !GLoads->HoldPath.empty() && path == GLoads->HoldPath;
  }
  if (hold) {
    GLoads->Holding.SetEvent();
    GLoads->Release.WaitFor(60000);
  }
  return ReadFileText(path);
}

// Counts the window's plain-file loads for its lifetime.
class TCountedLoads {
public:
  TCountedLoads() : FOld(SetTextFileLoader(TLoadLog::Load)) { GLoads = &Log; }
  ~TCountedLoads()
  {
    Log.Release.SetEvent();
    SetTextFileLoader(FOld);
    GLoads = nullptr;
  }
  TLoadLog Log;

private:
  TTextFileLoader FOld;
};

// The documents the word-processor stand-in opened, in order.
std::vector<std::string> OpenedDocuments(const TWordStandIn& standIn)
{
  std::vector<std::string> opened;
  std::istringstream lines(standIn.Log());
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("Open(", 0) == 0) opened.push_back(line.substr(5, line.size() - 6));
  return opened;
}
}  // namespace

TEST_F(SearchTest, AllMatch_FirstFileShownWithTheFirstMatchSelectedAndScrolledIntoView)
{
  std::string a = Folder.Write("a.txt", FarDown("needle"));
  std::string b = Folder.Write("b.txt", "a needle here");
  AddItem(a);
  AddItem(b);
  CommitSearchText("needle");
  RunSearch();
  EXPECT_EQ(ListedPaths(), (std::vector<std::string>{a, b}));
  EXPECT_EQ(Form->CountPaneText(), "共有2个文件");
  EXPECT_EQ(ViewText(), FarDown("needle"));
  CHARRANGE sel = ViewSelection();
  int expected = static_cast<int>(Form->RichEdit1->Text().find("needle"));
  expected -= 300;  // each CR LF counts one character in the control
  EXPECT_EQ(sel.cpMin, expected);
  EXPECT_EQ(sel.cpMax, expected + 6);
  EXPECT_GT(SendMessageA(Form->RichEdit1->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_EQ(SearchCompletedPath.Peek(), "");
  EXPECT_EQ(Form->SearchControl(), nullptr);
  EXPECT_FALSE(Form->IdThreadComponent1->Active());
}

TEST_F(SearchTest, NoneMatch_CaseSensitive_ListEmptiedViewEmpty)
{
  AddItem(Folder.Write("a.txt", "abc"));
  AddItem(Folder.Write("b.txt", "ABC"));
  AddItem(Folder / "missing.txt");
  Form->RichEdit1->SetText("old view");
  CommitSearchText("Abc");
  RunSearch();
  EXPECT_TRUE(ListedPaths().empty());
  EXPECT_EQ(Form->CountPaneText(), "共有0个文件");
  EXPECT_EQ(ViewText(), "");
  // Over an empty list the run still ends and the button comes back.
  RunSearch();
  EXPECT_EQ(Form->CountPaneText(), "共有0个文件");
}

TEST_F(SearchTest, MissesAreDroppedAndTheRestKeptInOrder)
{
  std::string a = Folder.Write("a.txt", "xx key");
  std::string b = Folder.Write("b.txt", "nothing");
  std::string c = Folder.Write("c.txt", "KEY key");
  std::string d = Folder.Write("d.txt", "Key");
  for (const auto& p : {a, b, c, d}) AddItem(p);
  CommitSearchText("key");
  RunSearch();
  EXPECT_EQ(ListedPaths(), (std::vector<std::string>{a, c}));
  EXPECT_EQ(Form->CountPaneText(), "共有2个文件");
}

TEST_F(SearchTest, ARunWithMissesLoadsEachFileOnceInListOrder)
{
  // After a miss the run goes on with the item that took the deleted one's place.
  TComInitializer com;
  TWordStandIn standIn;
  TCountedLoads loads;
  std::string a = Folder.Write("a.txt", "key");
  std::string b = Folder.Write("b.txt", "nothing");
  std::string c = Folder.Write("c.doc", "page\fkey");
  std::string d = Folder.Write("d.doc", "no");
  std::string e = Folder.Write("e.txt", "none");
  std::string f = Folder.Write("f.txt", "a key");
  std::string g = Folder.Write("g.doc", "key");
  std::string h = Folder.Write("h.txt", "last miss");
  for (const auto& p : {a, b, c, d, e, f, g, h}) AddItem(p);
  CommitSearchText("key");
  RunSearch();
  EXPECT_EQ(ListedPaths(), (std::vector<std::string>{a, c, f, g}));
  EXPECT_EQ(Form->CountPaneText(), "共有4个文件");
  // Each plain file once, then the first one again for the view; each document once.
  EXPECT_EQ(loads.Log.Taken(), (std::vector<std::string>{a, b, e, f, h, a}));
  EXPECT_EQ(OpenedDocuments(standIn), (std::vector<std::string>{c, d, g}));
  EXPECT_EQ(ViewText(), "key");
  // The list shows its items again after the run.
  HWND list = Form->cxListView1->InnerListView()->Handle();
  EXPECT_FALSE(Form->cxListView1->Items()->Updating());
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 4);
}

TEST_F(SearchTest, ADocumentIsNotLoadedBeforeItsTurn)
{
  // The plain files before a document are searched before the word processor is started for it: a
  // scan that replaces the list meanwhile leaves the document unopened.
  TComInitializer com;
  TWordStandIn standIn;
  TCountedLoads loads;
  std::string first = Folder.Write("first.txt", "hit");
  std::string second = Folder.Write("second.txt", "hit");
  std::string doc = Folder.Write("third.doc", "hit");
  AddItem(first);
  AddItem(second);
  AddItem(doc);
  TTempFolder fresh("search-turn");
  std::string fresher = fresh.Write("fresh.txt", "hit");
  loads.Log.HoldPath = first;
  CommitSearchText("hit");
  Form->Action2->Execute();
  ASSERT_TRUE(WaitUntil([&] { return loads.Log.Holding.WaitFor(0) == TWaitResult::wrSignaled; }, 30000));
  ChooseFolder(fresh.Path());
  loads.Log.Release.SetEvent();
  ASSERT_TRUE(WaitUntil([this] { return Form->dxBarButton5->Enabled(); }, 30000));
  EXPECT_EQ(ListedPaths(), std::vector<std::string>{fresher});
  EXPECT_TRUE(OpenedDocuments(standIn).empty()) << standIn.Log();
}

TEST_F(SearchTest, TextStillBeingTypedIsNotTheSearchText)
{
  std::string a = Folder.Write("a.txt", "old word");
  std::string b = Folder.Write("b.txt", "new word");
  AddItem(a);
  AddItem(b);
  CommitSearchText("old");
  Form->dxBarEdit4->SetText("new");  // typed, not committed
  RunSearch();
  EXPECT_EQ(ListedPaths(), std::vector<std::string>{a});
}

TEST_F(SearchTest, AWordDocumentIsKeptAndShownWithItsPageHeaders)
{
  TComInitializer com;
  TWordStandIn standIn;
  std::string doc = Folder.Write("report.doc", "intro\fthe target text");
  std::string other = Folder.Write("other.doc", "no match");
  AddItem(doc);
  AddItem(other);
  CommitSearchText("target");
  RunSearch();
  EXPECT_EQ(ListedPaths(), std::vector<std::string>{doc});
  std::string view = ViewText();
  EXPECT_EQ(view, PageHeader(1) + "\r\nintro\r\n" + PageHeader(2) + "\r\nthe target text\r\n");
  CHARRANGE sel = ViewSelection();
  EXPECT_EQ(sel.cpMax - sel.cpMin, 6);
  EXPECT_EQ(Form->RichEdit1->SelText(), "target");
}

TEST_F(SearchTest, FindNextStepsThroughTheMatchesAndStartsAgainAfterTheLast)
{
  AddItem(Folder.Write("a.txt", "ab ab ab"));
  CommitSearchText("ab");
  Form->cxListView1->Items()->Item(0)->SetSelected(true);
  Pump(20);
  ASSERT_EQ(FindPosition, 0);
  const std::pair<int, int> expected[] = {{0, 2}, {3, 5}, {6, 8}};
  for (auto [from, to] : expected) {
    Form->Action3->Execute();
    CHARRANGE sel = ViewSelection();
    EXPECT_EQ(sel.cpMin, from);
    EXPECT_EQ(sel.cpMax, to);
    EXPECT_EQ(FindPosition, to);
  }
  // No further match: the selection stays, and the next press starts at the top again.
  Form->Action3->Execute();
  EXPECT_EQ(ViewSelection().cpMin, 6);
  EXPECT_EQ(FindPosition, 0);
  Form->Action3->Execute();
  EXPECT_EQ(ViewSelection().cpMin, 0);
  // The hidden button selects the first match without moving FindPosition.
  Form->Action3->Execute();
  Form->Button1Click(Form->Button1);
  EXPECT_EQ(ViewSelection().cpMin, 0);
  EXPECT_EQ(FindPosition, 5);
}

TEST_F(SearchTest, AChineseSearchTextSelectsItsCharactersAndMissesNoMatch)
{
  // Positions count characters: a two-character text selects two characters and the next press
  // finds the match right after the first one.
  AddItem(Folder.Write("a.txt", "中文中文x中文"));
  CommitSearchText("中文");
  RunSearch();
  CHARRANGE sel = ViewSelection();
  EXPECT_EQ(sel.cpMin, 0);
  EXPECT_EQ(sel.cpMax, 2);
  EXPECT_EQ(Form->RichEdit1->SelText(), "中文");
  Form->cxListView1->Items()->Item(0)->SetSelected(true);
  Pump(20);
  const int starts[] = {0, 2, 5};
  for (int start : starts) {
    Form->Action3->Execute();
    EXPECT_EQ(ViewSelection().cpMin, start);
    EXPECT_EQ(ViewSelection().cpMax, start + 2);
  }
}

TEST_F(SearchTest, AnEmptySearchTextKeepsEveryFile)
{
  std::string a = Folder.Write("a.txt", "one");
  std::string b = Folder.Write("b.txt", "");
  AddItem(a);
  AddItem(b);
  CommitSearchText("");
  RunSearch();
  EXPECT_EQ(ListedPaths(), (std::vector<std::string>{a, b}));
  EXPECT_EQ(ViewText(), "one");
  EXPECT_EQ(ViewSelection().cpMin, ViewSelection().cpMax);
  Form->Action3->Execute();  // nothing to step to
  EXPECT_EQ(FindPosition, 0);
}

TEST_F(SearchTest, TheButtonIsDisabledDuringTheRunAndBackAtThePollsNextTick)
{
  // One file listed many times makes a run long enough to watch.
  std::string file = Folder.Write("f.txt", FarDown("hit"));
  AddItems(file, 300);
  CommitSearchText("hit");
  auto poll = MakeOwned<TPollWatch>(Form);
  Form->Action2->Execute();
  EXPECT_FALSE(Form->dxBarButton5->Enabled());
  // Message by message, so that the run's hand-overs are seen one at a time.
  bool enabledWhileRunning = false;
  int steps = 0;
  ASSERT_TRUE(StepUntil([&] {
    ++steps;
    if (Form->IdThreadComponent1->Active() && Form->dxBarButton5->Enabled()) enabledWhileRunning = true;
    return !Form->IdThreadComponent1->Active();
  }, 60000));
  EXPECT_GT(steps, 10);
  EXPECT_FALSE(enabledWhileRunning);
  ASSERT_TRUE(WaitUntil([this] { return Form->dxBarButton5->Enabled(); }, 30000));
  // The first tick that found the result brought the button back; none before it did.
  const size_t first = poll->FirstWithResult();
  ASSERT_LT(first, poll->Ticks.size());
  EXPECT_TRUE(poll->Ticks[first].ButtonEnabledAfter);
  for (size_t i = 0; i < first; ++i) EXPECT_FALSE(poll->Ticks[i].ButtonEnabledAfter) << "tick " << i;
  EXPECT_EQ(ListedPaths().size(), 300u);
}

TEST_F(SearchTest, AFailingFirstDocumentStillClearsTheMarkerAndEnablesTheButton)
{
  TComInitializer com;
  TWordStandIn standIn;
  auto catcher = MakeOwned<TErrorCatcher>();
  TExceptionEvent old = Application->OnException();
  Application->SetOnException(TExceptionEvent(catcher.get(), &TErrorCatcher::Catch));
  std::string doc = Folder.Write("first.doc", "the match");
  AddItem(doc);
  CommitSearchText("match");
  // The run reads the document; showing it afterwards fails.
  auto poll = MakeOwned<TPollWatch>(Form);
  Form->Timer1->SetEnabled(false);
  Form->Action2->Execute();
  ASSERT_TRUE(WaitUntil([] { return !SearchCompletedPath.Peek().empty(); }, 30000));
  standIn.FailAt("Create");
  Form->Timer1->SetEnabled(true);
  ASSERT_TRUE(WaitUntil([this] { return Form->dxBarButton5->Enabled(); }, 30000));
  // Two further ticks find no result and show nothing more.
  const size_t ticks = poll->Ticks.size();
  bool further = WaitUntil([&] { return poll->Ticks.size() >= ticks + 2; }, 30000);
  Application->SetOnException(old);
  ASSERT_TRUE(further);
  EXPECT_EQ(std::count_if(poll->Ticks.begin(), poll->Ticks.end(), [](const auto& t) { return t.ResultWaiting; }), 1);
  EXPECT_EQ(SearchCompletedPath.Peek(), "");
  EXPECT_EQ(catcher->Messages.size(), 1u);
  EXPECT_EQ(ListedPaths(), std::vector<std::string>{doc});
}

TEST_F(SearchTest, ADocumentTheWordProcessorCannotReadCountsAsAMissAndTheRunEnds)
{
  TComInitializer com;
  TWordStandIn standIn;
  standIn.FailAt("Open");
  std::string doc = Folder.Write("bad.doc", "match");
  std::string txt = Folder.Write("good.txt", "match");
  AddItem(doc);
  AddItem(txt);
  CommitSearchText("match");
  RunSearch();
  EXPECT_EQ(ListedPaths(), std::vector<std::string>{txt});
  EXPECT_EQ(ViewText(), "match");
}

TEST_F(SearchTest, AFailureOfTheEndStepsStillFreesTheSearchControlAndStops)
{
  auto catcher = MakeOwned<TErrorCatcher>();
  TExceptionEvent old = Application->OnException();
  Application->SetOnException(TExceptionEvent(catcher.get(), &TErrorCatcher::Catch));
  AddItem(Folder.Write("a.txt", "x"));
  // Showing the count fails: the count pane sizes itself to its text and fails on the new size.
  Form->RzStatusPane1->SetAutoSize(true);
  Form->RzStatusPane1->SetOnResize(TNotifyEvent(catcher.get(), &TErrorCatcher::Fail));
  CommitSearchText("x");
  Form->Action2->Execute();
  bool back = WaitUntil([this] { return Form->dxBarButton5->Enabled(); }, 10000);
  Pump(50);
  Application->SetOnException(old);
  ASSERT_TRUE(back);
  EXPECT_EQ(Form->SearchControl(), nullptr);
  EXPECT_FALSE(Form->IdThreadComponent1->Active());
  EXPECT_EQ(catcher->Messages.size(), 1u);
  EXPECT_EQ(ViewText(), "x");  // the result was shown all the same
}

TEST_F(SearchTest, ANewScanDuringARunIsTakenUpAndTheRunEnds)
{
  std::string old = Folder.Write("old.txt", FarDown("hit"));
  std::string oldMiss = Folder.Write("old-miss.txt", "none");
  Form->cxListView1->Items()->BeginUpdate();
  for (int i = 0; i < 300; ++i) {
    AddItem(old);
    AddItem(oldMiss);
  }
  Form->cxListView1->Items()->EndUpdate();
  TTempFolder fresh("search-fresh");
  std::string hit = fresh.Write("new-hit.txt", "hit");
  fresh.Write("new-miss.txt", "none");
  CommitSearchText("hit");
  Form->Action2->Execute();
  ASSERT_TRUE(StepUntil([this] { return Form->cxListView1->Items()->Count() < 590; }, 30000));
  ASSERT_TRUE(Form->IdThreadComponent1->Active());
  // The run's deletions may hold the list's drawing back: the new list is drawn all the same.
  ChooseFolder(fresh.Path());
  EXPECT_FALSE(Form->cxListView1->Items()->Updating());
  ASSERT_TRUE(WaitUntil([this] { return Form->dxBarButton5->Enabled(); }, 30000));
  EXPECT_EQ(ListedPaths(), std::vector<std::string>{hit});
  EXPECT_EQ(Form->CountPaneText(), "共有1个文件");
}

TEST_F(SearchTest, ClosingTheWindowDuringARunEndsItCleanly)
{
  std::string file = Folder.Write("f.txt", FarDown("hit"));
  AddItems(file, 600);
  CommitSearchText("hit");
  TCountedLoads loads;
  Form->Action2->Execute();
  StepMessages(50);
  ASSERT_TRUE(Form->IdThreadComponent1->Active());
  HANDLE worker = nullptr;
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), Form->IdThreadComponent1->Thread()->Handle(), GetCurrentProcess(),
                              &worker, SYNCHRONIZE, FALSE, 0));
  Free(Form);
  Form = nullptr;
  // The worker has ended by the time the window is gone, without going through the whole list.
  EXPECT_EQ(WaitForSingleObject(worker, 0), static_cast<DWORD>(WAIT_OBJECT_0));
  CloseHandle(worker);
  EXPECT_LT(loads.Log.Taken().size(), 600u);
  SearchCompletedPath.Clear();
}
