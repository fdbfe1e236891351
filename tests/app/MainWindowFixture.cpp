#include "tests/app/MainWindowFixture.h"

#include "tests/support/MessagePump.h"

#include "app/StandInControls.h"
#include "classlib/Application.h"
#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/StdCtrls.h"
#include "classlib/Thread.h"

TRecordedCalls Recorded;

namespace {
bool FakeBrowse(const TBrowseFolderRequest& request, std::string& folder)
{
  Recorded.Browses.push_back(request);
  if (Recorded.BrowseCancels) return false;
  folder = Recorded.BrowseAnswer;
  return true;
}

HINSTANCE WINAPI FakeShellExecute(HWND owner, const char* verb, const char* file, const char* parameters,
                                  const char* directory, int show)
{
  auto text = [](const char* s) { return s ? std::string(s) : std::string("(null)"); };
  bool ownerIsForm = owner && TWinControl::FromHandle(owner) && TWinControl::FromHandle(owner)->Is<TFrmain>();
  Recorded.ShellCalls.push_back(std::string(ownerIsForm ? "form" : "other") + "|" + text(verb) + "|" +
                                text(file) + "|" + text(parameters) + "|" + text(directory) + "|" +
                                std::to_string(show));
  return reinterpret_cast<HINSTANCE>(42);
}

int WINAPI FakeMessageBox(HWND, const char* text, const char*, UINT)
{
  Recorded.Messages.push_back(text ? text : "");
  return IDOK;
}
}  // namespace

void MainWindowTest::SetUp()
{
  Recorded = TRecordedCalls();
  CurrentFolder.clear();
  FindPosition = 0;
  SearchCompletedPath.Clear();
  FOldBrowse = SetBrowseFolderFunc(FakeBrowse);
  FOldShell = SetShellExecuteFunc(FakeShellExecute);
  SetMessageBoxFunc(FakeMessageBox);
  Form = New<TFrmain>(Application);
  Form->Show();
  Pump(20);
}

void MainWindowTest::TearDown()
{
  if (Form) Free(Form);
  Form = nullptr;
  SetBrowseFolderFunc(FOldBrowse);
  SetShellExecuteFunc(FOldShell);
  SetMessageBoxFunc(nullptr);
  SearchCompletedPath.Clear();
}

bool MainWindowTest::WaitUntil(const std::function<bool()>& pred, DWORD ms)
{
  return PumpUntil(pred, static_cast<int>(ms));
}

bool MainWindowTest::StepUntil(const std::function<bool()>& pred, DWORD ms)
{
  return ::StepUntil(pred, static_cast<int>(ms));
}

void MainWindowTest::StepMessages(int count)
{
  for (int i = 0; i < count; ++i) HandleOneMessage();
}

void MainWindowTest::Pump(DWORD ms)
{
  ::Pump(static_cast<int>(ms));
}

void MainWindowTest::AddItem(const std::string& path)
{
  TListItem* item = Form->cxListView1->Items()->Add();
  item->SetCaption(path.substr(path.find_last_of('\\') + 1));
  item->SubItems()->Add(path);
}

void MainWindowTest::AddItems(const std::string& path, int count)
{
  Form->cxListView1->Items()->BeginUpdate();
  for (int i = 0; i < count; ++i) AddItem(path);
  Form->cxListView1->Items()->EndUpdate();
}

std::vector<std::string> MainWindowTest::ListedPaths() const
{
  std::vector<std::string> paths;
  TListItems* items = Form->cxListView1->Items();
  for (int i = 0; i < items->Count(); ++i) paths.push_back(items->Item(i)->SubItems()->Strings(0));
  return paths;
}

void MainWindowTest::CommitSearchText(const std::string& text) { Form->dxBarEdit4->SetCommittedText(text); }

void MainWindowTest::RunSearch()
{
  Form->Action2->Execute();
  ASSERT_TRUE(WaitUntil([this] { return Form->dxBarButton5->Enabled(); }, 30000)) << "the run did not end";
}

CHARRANGE MainWindowTest::ViewSelection() const
{
  CHARRANGE r{};
  SendMessageA(Form->RichEdit1->Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return r;
}

std::string MainWindowTest::ViewText() const { return Form->RichEdit1->Text(); }

void MainWindowTest::ChooseFolder(const std::string& folder)
{
  Recorded.BrowseAnswer = folder;
  Form->Action1->Execute();
}
