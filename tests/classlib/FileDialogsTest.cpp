// The folder browser and the open dialog: SelectDirectory through a stand-in browser (what it
// asks for, the windows it disables, the error mode) and the real shell dialogs, closed by a
// timer that finds them and presses their buttons.
#include <gtest/gtest.h>
#include <string>
#include "classlib/FileDialogs.h"
#include "classlib/FileUtils.h"
#include "classlib/Forms.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/DialogCloser.h"

using namespace fixture;

namespace {

// A folder of its own under the temporary folder, removed at the end.
struct TTempFolder {
  std::string Path;
  TTempFolder()
  {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    Path = ExcludeTrailingPathDelimiter(temp) + "\\选择目录测试";
    CreateDirectoryA(Path.c_str(), nullptr);
  }
  ~TTempFolder() { RemoveDirectoryA(Path.c_str()); }
};

struct TBrowserLog {
  static inline TBrowseFolderRequest Request;
  static inline bool OwnerEnabled = true;
  static inline UINT ErrorMode = 0;
  static inline bool Answer = true;
  static inline std::string Folder;

  static bool Browse(const TBrowseFolderRequest& request, std::string& folder)
  {
    Request = request;
    OwnerEnabled = IsWindowEnabled(request.Owner) != FALSE;
    ErrorMode = SetErrorMode(0);
    SetErrorMode(ErrorMode);
    if (Answer) folder = Folder;
    return Answer;
  }
};


}  // namespace

TEST(FileDialogs, SelectDirectoryAsksTheBrowserAndDisablesTheOtherWindowsMeanwhile)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  form->Show();
  TBrowseFolderFunc old = SetBrowseFolderFunc(TBrowserLog::Browse);
  UINT modeBefore = SetErrorMode(0);

  std::string folder = "C:\\起点";
  TBrowserLog::Answer = true;
  TBrowserLog::Folder = "D:\\选中";
  EXPECT_TRUE(SelectDirectory("文件夹", folder, form->Handle()));
  EXPECT_EQ(folder, "D:\\选中");
  EXPECT_EQ(TBrowserLog::Request.Caption, "文件夹");
  EXPECT_EQ(TBrowserLog::Request.StartFolder, "C:\\起点");
  EXPECT_EQ(TBrowserLog::Request.Owner, form->Handle());
  EXPECT_EQ(TBrowserLog::Request.Flags, 0x241u);
  EXPECT_FALSE(TBrowserLog::OwnerEnabled);
  EXPECT_EQ(TBrowserLog::ErrorMode, static_cast<UINT>(SEM_FAILCRITICALERRORS));
  // All undone afterwards.
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_EQ(SetErrorMode(0), 0u);

  TBrowserLog::Answer = false;
  EXPECT_FALSE(SelectDirectory("文件夹", folder, form->Handle()));
  EXPECT_EQ(folder, "D:\\选中");

  SetBrowseFolderFunc(old);
  SetErrorMode(modeBefore);
}

TEST(FileDialogs, TheShellFolderBrowserAnswersAFolderOnOkAndNothingOnCancel)
{
  TTempFolder temp;
  TForm* form = NewForm();
  TFormGuard guard{form};
  form->Show();
  std::string folder = temp.Path;
  UINT_PTR timer = TDialogCloser::Start(IDOK, {}, true, 200);
  bool ok = SelectDirectory("文件夹", folder, form->Handle());
  KillTimer(nullptr, timer);
  EXPECT_TRUE((TDialogCloser::Seen == 1));
  EXPECT_TRUE(ok);
  // The folder the browser had selected: the start folder where the shell can select it.
  EXPECT_TRUE(DirectoryExists(folder)) << folder;

  timer = TDialogCloser::Start(IDCANCEL, {}, true, 200);
  std::string unchanged = temp.Path;
  EXPECT_FALSE(SelectDirectory("文件夹", unchanged, form->Handle()));
  KillTimer(nullptr, timer);
  EXPECT_EQ(unchanged, temp.Path);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

TEST(FileDialogs, OpenDialogAnswersTheChosenFileOrNothingWhenCancelled)
{
  TTempFolder temp;
  std::string file = temp.Path + "\\说明.txt";
  HANDLE h =
      CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  TForm* form = NewForm();
  TFormGuard guard{form};
  form->Show();
  auto* dialog = New<TOpenDialog>(form);
  dialog->SetFilter("文本文件 (*.txt)|*.txt|所有文件|*.*");
  dialog->SetInitialDir(temp.Path);
  dialog->SetTitle("打开");
  dialog->SetOptions({ofFileMustExist, ofHideReadOnly, ofEnableSizing});

  UINT_PTR timer = TDialogCloser::Start(IDCANCEL, {}, true, 200);
  EXPECT_FALSE(dialog->Execute(form->Handle()));
  KillTimer(nullptr, timer);
  EXPECT_TRUE((TDialogCloser::Seen == 1));
  EXPECT_EQ(TDialogCloser::Caption, "打开");
  EXPECT_EQ(dialog->FileName(), "");

  timer = TDialogCloser::Start(IDOK, file, true, 200);
  EXPECT_TRUE(dialog->Execute(form->Handle()));
  KillTimer(nullptr, timer);
  EXPECT_EQ(dialog->FileName(), file);
  ASSERT_EQ(dialog->Files()->Count(), 1);
  EXPECT_EQ(dialog->Files()->Strings(0), file);
  DeleteFileA(file.c_str());
}
