#pragma once
// The main window made from its stored form and shown, with the outside dialogs and programs
// replaced: the folder browser answers the folder a test gives, the shell call and message boxes
// are recorded.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include <richedit.h>
#include "app/Umain.h"
#include "classlib/FileDialogs.h"
#include "toolkit/editors/cxListView.h"

// What the replaced dialogs and calls saw, and what the folder browser answers.
struct TRecordedCalls {
  bool BrowseCancels = false;
  std::string BrowseAnswer;
  std::vector<TBrowseFolderRequest> Browses;
  std::vector<std::string> Messages;
  std::vector<std::string> ShellCalls;  // "owner-is-form|verb|file|parameters|directory|show"
};
extern TRecordedCalls Recorded;

class MainWindowTest : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Handles messages and calls handed to the GUI thread until pred holds or ms pass.
  static bool WaitUntil(const std::function<bool()>& pred, DWORD ms = 10000);
  static void Pump(DWORD ms);
  // Handles one message (or one call handed to the GUI thread) at a time until pred holds.
  static bool StepUntil(const std::function<bool()>& pred, DWORD ms = 10000);
  static void StepMessages(int count);
  // Adds a list item as a scan would.
  void AddItem(const std::string& path);
  // Adds the same path count times, under one update of the list.
  void AddItems(const std::string& path, int count);
  std::vector<std::string> ListedPaths() const;
  // Commits a search text as the user would with Enter.
  void CommitSearchText(const std::string& text);
  // Runs "检索文件" and waits until the result is shown and the button is back.
  void RunSearch();
  // The text view's selection, in characters.
  CHARRANGE ViewSelection() const;
  std::string ViewText() const;
  // Chooses a folder through "选择扫描路径".
  void ChooseFolder(const std::string& folder);

  TFrmain* Form = nullptr;

private:
  TBrowseFolderFunc FOldBrowse = nullptr;
  TShellExecuteFunc FOldShell = nullptr;
};
