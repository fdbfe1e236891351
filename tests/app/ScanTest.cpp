// "选择扫描路径": the folder browser, the recursive scan and the two status panes.
#include <gtest/gtest.h>
#include <algorithm>
#include "classlib/ComCtrls.h"
#include "classlib/StdCtrls.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/app/TempFolder.h"

namespace {
std::vector<std::string> Sorted(std::vector<std::string> v)
{
  std::sort(v.begin(), v.end());
  return v;
}
}  // namespace

TEST_F(MainWindowTest, ScanListsByCaseSensitiveSuffixAndEntersOnlyPlainFolders)
{
  TTempFolder folder("scan");
  const std::string& f = folder.Path();
  folder.Write("a.txt", "x");
  folder.Write("a.TXT.x", "x");
  folder.Write("b.TXT", "x");
  folder.Write("a.txt.bak", "x");
  folder.Write("atxt", "x");
  folder.Write("notes.txt\\inner.txt", "x");  // a folder named like a listed file
  folder.Write("sub\\deep\\d.txt", "x");
  std::string hidden = folder.Write("hidden.txt", "x");
  SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
  std::string system = folder.Write("system.txt", "x");
  SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_SYSTEM);
  folder.Write("hiddendir\\h.txt", "x");
  folder.MakeFolder("hiddendir", FILE_ATTRIBUTE_HIDDEN);
  folder.Write("readonlydir\\r.txt", "x");
  std::string readOnly = folder.MakeFolder("readonlydir", FILE_ATTRIBUTE_READONLY);
  // Some file systems keep no read-only flag on folders: such a folder is a plain one and entered.
  bool keepsReadOnly = GetFileAttributesA(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY;

  ChooseFolder(f);
  ASSERT_EQ(Recorded.Browses.size(), 1u);
  EXPECT_EQ(Recorded.Browses[0].Caption, "文件夹");
  EXPECT_EQ(Recorded.Browses[0].Flags, 0x241u);
  EXPECT_EQ(Recorded.Browses[0].StartFolder, "");
  EXPECT_EQ(CurrentFolder, f);
  EXPECT_EQ(Form->FolderPaneText(), "文件夹路径：" + f);

  std::vector<std::string> paths = ListedPaths();
  std::vector<std::string> expected = {f + "\\a.txt", f + "\\notes.txt", f + "\\notes.txt\\inner.txt",
                                       f + "\\sub\\deep\\d.txt", f + "\\hidden.txt", f + "\\system.txt"};
  if (!keepsReadOnly) expected.push_back(f + "\\readonlydir\\r.txt");
  EXPECT_EQ(Sorted(paths), Sorted(expected));
  // Depth first: a folder's items come right after the item of the folder itself.
  auto at = std::find(paths.begin(), paths.end(), f + "\\notes.txt");
  ASSERT_NE(at, paths.end());
  ASSERT_NE(at + 1, paths.end());
  EXPECT_EQ(*(at + 1), f + "\\notes.txt\\inner.txt");
  EXPECT_EQ(Form->cxListView1->Items()->Item(static_cast<int>(at - paths.begin()))->Caption(), "notes.txt");
  EXPECT_EQ(Form->CountPaneText(), "共有" + std::to_string(expected.size()) + "个文件");

  // A second scan, of another folder and extension, empties the list first; the browser starts at
  // the last folder.
  TTempFolder second("scan2");
  second.Write("x.ini", "x");
  Form->dxBarCombo2->SetItemIndex(2);
  ChooseFolder(second.Path());
  EXPECT_EQ(Recorded.Browses[1].StartFolder, f);
  EXPECT_EQ(ListedPaths(), std::vector<std::string>{second.Path() + "\\x.ini"});
  EXPECT_EQ(Form->CountPaneText(), "共有1个文件");
  EXPECT_EQ(Form->FolderPaneText(), "文件夹路径：" + second.Path());
}

TEST_F(MainWindowTest, ScanEdgeCases)
{
  TTempFolder folder("scan-edge");
  folder.Write("a.txt", "x");
  ChooseFolder(folder.Path());
  ASSERT_EQ(Form->CountPaneText(), "共有1个文件");

  // Cancelled: nothing changes.
  Recorded.BrowseCancels = true;
  Form->Action1->Execute();
  EXPECT_EQ(ListedPaths().size(), 1u);
  Recorded.BrowseCancels = false;

  // The empty extension: the message, the list unchanged, the folder taken all the same.
  std::string empty = folder.MakeFolder("empty");
  Form->dxBarCombo2->SetItemIndex(4);
  ChooseFolder(empty);
  EXPECT_EQ(Recorded.Messages, std::vector<std::string>{"请选择需要检索的文件扩展名称"});
  EXPECT_EQ(ListedPaths().size(), 1u);
  EXPECT_EQ(CurrentFolder, empty);
  EXPECT_EQ(Form->FolderPaneText(), "文件夹路径：" + empty);

  // An empty folder: no items, a count of 0.
  Form->dxBarCombo2->SetItemIndex(1);
  ChooseFolder(empty);
  EXPECT_TRUE(ListedPaths().empty());
  EXPECT_EQ(Form->CountPaneText(), "共有0个文件");

  // A folder that cannot be read: the list emptied, the count pane as it was.
  ChooseFolder(folder.Path());
  ASSERT_EQ(Form->CountPaneText(), "共有1个文件");
  ChooseFolder(folder / "no-such-folder");
  EXPECT_TRUE(ListedPaths().empty());
  EXPECT_EQ(Form->CountPaneText(), "共有1个文件");
}

TEST_F(MainWindowTest, ADriveRootGivesTwoBackslashesInARow)
{
  // The root of the drive the temporary folder is on, with an extension only this test's file has.
  TTempFolder folder("scan-root");
  std::string file = folder.Write("r.zq9", "x");
  Form->dxBarCombo2->Items()->Add("zq9");
  Form->dxBarCombo2->SetItemIndex(5);
  std::string root = folder.Path().substr(0, 3);  // "C:\"
  ChooseFolder(root);
  EXPECT_EQ(ListedPaths(), std::vector<std::string>{root + "\\" + file.substr(3)});
  EXPECT_EQ(Form->FolderPaneText(), "文件夹路径：" + root);
}
