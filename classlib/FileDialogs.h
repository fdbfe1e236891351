#pragma once
// The shell's folder browser (SelectDirectory) and the system's open-file dialog (TOpenDialog).
#include <string>
#include "classlib/Component.h"
#include "classlib/Sets.h"
#include "classlib/Strings.h"
#include "classlib/Units.h"
#include "classlib/Win.h"
#include <shlobj.h>

// What the folder browser shows: the text above the tree, the folder selected when it opens
// (when it exists) and the BIF_* flags.
struct TBrowseFolderRequest {
  HWND Owner = nullptr;
  std::string Caption;
  std::string StartFolder;
  UINT Flags = 0;
};

// Shows a folder browser; answers true with the chosen folder's path, false when cancelled.
using TBrowseFolderFunc = bool (*)(const TBrowseFolderRequest& request, std::string& folder);
// The shell's browser, centred on its monitor when it opens.
bool ShowShellFolderBrowser(const TBrowseFolderRequest& request, std::string& folder);
// Replaces the browser SelectDirectory shows (tests); answers the previous one.
TBrowseFolderFunc SetBrowseFolderFunc(TBrowseFolderFunc func);

// File-system folders only, the resizable dialog, no button that makes folders.
constexpr UINT DefaultBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;

// Lets the user choose a folder, starting at directory; on OK directory := the chosen folder and
// the answer is true. While the browser is shown the thread's other windows are disabled, COM is
// initialised as a single-threaded apartment and critical-error boxes are suppressed.
bool SelectDirectory(const std::string& caption, std::string& directory, HWND owner,
                     UINT flags = DefaultBrowseFlags);

enum class TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
  ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
  ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
  ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent,
  ofForceShowHidden
};
using enum TOpenOption;
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog : public TComponent {
  CL_CLASS(TOpenDialog, TComponent)
public:
  explicit TOpenDialog(TComponent* owner);

  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& value) { FFileName = value; }
  // The chosen files (several with ofAllowMultiSelect), as full paths.
  TStrings* Files() const { return FFiles.get(); }
  // "Description|pattern|Description|pattern..."
  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& value) { FFilter = value; }
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int value) { FFilterIndex = value; }
  const std::string& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& value) { FInitialDir = value; }
  const std::string& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& value) { FDefaultExt = value; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& value) { FTitle = value; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions value) { FOptions = value; }

  // Shows the dialog (owned by owner, or the active window); true when the user chose a file.
  // Raises when the dialog could not be shown.
  virtual bool Execute(HWND owner = nullptr);

private:
  std::string FFileName;
  TOwned<TStringList> FFiles;
  std::string FFilter;
  int FFilterIndex = 1;
  std::string FInitialDir;
  std::string FDefaultExt;
  std::string FTitle;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

// The unit registers the open dialog and the font dialog (classlib/FontDialog.h) for stored forms.
extern TUnit FileDialogsUnit;
