// The folder browser and the open-file dialog.
#include "classlib/FileDialogs.h"
#include <commdlg.h>
#include <cstring>
#include <objbase.h>
#include <shlobj.h>
#include <memory>
#include <vector>
#include "classlib/FileUtils.h"
#include "classlib/FontDialog.h"
#include "classlib/TypInfo.h"

namespace {
TBrowseFolderFunc GBrowseFolder = ShowShellFolderBrowser;

int CALLBACK BrowseCallback(HWND wnd, UINT msg, LPARAM, LPARAM data)
{
  if (msg != BFFM_INITIALIZED) return 0;
  try {
    const auto* request = reinterpret_cast<const TBrowseFolderRequest*>(data);
    RECT r;
    MONITORINFO mi{sizeof mi, {}, {}, 0};
    if (GetWindowRect(wnd, &r) && GetMonitorInfoA(MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &mi)) {
      int w = r.right - r.left, h = r.bottom - r.top;
      int x = mi.rcMonitor.left + (mi.rcMonitor.right - mi.rcMonitor.left - w) / 2;
      int y = mi.rcMonitor.top + (mi.rcMonitor.bottom - mi.rcMonitor.top - h) / 2;
      SetWindowPos(wnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!request->StartFolder.empty() && DirectoryExists(request->StartFolder))
      SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(request->StartFolder.c_str()));
  } catch (...) {
    // Nothing may leave the shell's callback; the browser then opens where it would by itself.
  }
  return 0;
}

struct TCoTaskMemDeleter {
  void operator()(void* p) const { CoTaskMemFree(p); }
};

// The visible, enabled top-level windows of this thread, disabled while the browser is shown.
class TThreadWindowsDisabler {
public:
  TThreadWindowsDisabler()
  {
    EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
  }
  ~TThreadWindowsDisabler()
  {
    for (HWND w : FWindows)
      if (IsWindow(w)) EnableWindow(w, TRUE);
  }
  TThreadWindowsDisabler(const TThreadWindowsDisabler&) = delete;
  TThreadWindowsDisabler& operator=(const TThreadWindowsDisabler&) = delete;

private:
  static BOOL CALLBACK Disable(HWND wnd, LPARAM data)
  {
    auto* self = reinterpret_cast<TThreadWindowsDisabler*>(data);
    if (!IsWindowVisible(wnd) || !IsWindowEnabled(wnd)) return TRUE;
    try {
      self->FWindows.push_back(wnd);
    } catch (...) {
      return FALSE;
    }
    EnableWindow(wnd, FALSE);
    return TRUE;
  }
  std::vector<HWND> FWindows;
};

class TErrorModeScope {
public:
  explicit TErrorModeScope(UINT mode) : FOld(SetErrorMode(mode)) {}
  ~TErrorModeScope() { SetErrorMode(FOld); }
  TErrorModeScope(const TErrorModeScope&) = delete;
  TErrorModeScope& operator=(const TErrorModeScope&) = delete;

private:
  UINT FOld;
};

class TComScope {
public:
  TComScope() : FStarted(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~TComScope()
  {
    if (FStarted) CoUninitialize();
  }
  TComScope(const TComScope&) = delete;
  TComScope& operator=(const TComScope&) = delete;

private:
  bool FStarted;
};
}  // namespace

bool ShowShellFolderBrowser(const TBrowseFolderRequest& request, std::string& folder)
{
  char displayName[MAX_PATH] = {};
  BROWSEINFOA bi{};
  bi.hwndOwner = request.Owner;
  bi.pszDisplayName = displayName;
  bi.lpszTitle = request.Caption.c_str();
  bi.ulFlags = request.Flags;
  bi.lpfn = BrowseCallback;
  bi.lParam = reinterpret_cast<LPARAM>(&request);
  std::unique_ptr<ITEMIDLIST, TCoTaskMemDeleter> pidl(SHBrowseForFolderA(&bi));
  if (!pidl) return false;
  char path[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(pidl.get(), path)) return false;
  folder = path;
  return true;
}

TBrowseFolderFunc SetBrowseFolderFunc(TBrowseFolderFunc func)
{
  TBrowseFolderFunc old = GBrowseFolder;
  GBrowseFolder = func ? func : ShowShellFolderBrowser;
  return old;
}

bool SelectDirectory(const std::string& caption, std::string& directory, HWND owner, UINT flags)
{
  TBrowseFolderRequest request{owner, caption, directory, flags};
  std::string chosen;
  bool ok;
  {
    TComScope com;
    TThreadWindowsDisabler disabled;
    TErrorModeScope errorMode(SEM_FAILCRITICALERRORS);
    ok = GBrowseFolder(request, chosen);
  }
  if (ok) directory = chosen;
  return ok;
}

// ---------------------------------------------------------------------------------------------
// TOpenDialog

namespace {
constexpr DWORD OpenOptionFlags[] = {
  OFN_READONLY, OFN_OVERWRITEPROMPT, OFN_HIDEREADONLY, OFN_NOCHANGEDIR, OFN_SHOWHELP, OFN_NOVALIDATE,
  OFN_ALLOWMULTISELECT, OFN_EXTENSIONDIFFERENT, OFN_PATHMUSTEXIST, OFN_FILEMUSTEXIST, OFN_CREATEPROMPT,
  OFN_SHAREAWARE, OFN_NOREADONLYRETURN, OFN_NOTESTFILECREATE, OFN_NONETWORKBUTTON, OFN_NOLONGNAMES,
  0 /* ofOldStyleDialog: no OFN_EXPLORER */, OFN_NODEREFERENCELINKS, OFN_ENABLEINCLUDENOTIFY,
  OFN_ENABLESIZING, OFN_DONTADDTORECENT, OFN_FORCESHOWHIDDEN};
// Room for many names when several may be chosen.
constexpr size_t FileNameBufferSize = 65536;

using TOD = TOpenDialog;
constexpr std::string_view OpenOptionNames[] = {
  "ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
  "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
  "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
  "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing",
  "ofDontAddToRecent", "ofForceShowHidden"};
constexpr TEnumInfo OpenOptionInfo = EnumInfo<TOpenOption::ofForceShowHidden>("TOpenOption", OpenOptionNames);
constexpr TPropInfo OpenDialogProps[] = {
  StrProp<&TOD::FileName, &TOD::SetFileName>("FileName"),
  StrProp<&TOD::Filter, &TOD::SetFilter>("Filter"),
  IntProp<&TOD::FilterIndex, &TOD::SetFilterIndex>("FilterIndex", 1),
  StrProp<&TOD::InitialDir, &TOD::SetInitialDir>("InitialDir"),
  StrProp<&TOD::DefaultExt, &TOD::SetDefaultExt>("DefaultExt"),
  StrProp<&TOD::Title, &TOD::SetTitle>("Title"),
  SetProp<&TOD::Options, &TOD::SetOptions>("Options", OpenOptionInfo,
                                           TOpenOptions{ofHideReadOnly, ofEnableSizing}.ToInt()),
};

// "a|b|c|d" as the dialog takes it: "a\0b\0c\0d\0\0".
std::string FilterList(const std::string& filter)
{
  if (filter.empty()) return std::string(2, '\0');
  std::string list = filter;
  for (char& c : list)
    if (c == '|') c = '\0';
  list.append(2, '\0');
  return list;
}
}  // namespace

CL_DEFINE_CLASS(TOpenDialog, .Props = OpenDialogProps);

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner), FFiles(MakeOwned<TStringList>()) {}

bool TOpenDialog::Execute(HWND owner)
{
  std::string filter = FilterList(FFilter);
  std::vector<char> buffer(FileNameBufferSize, '\0');
  FFileName.copy(buffer.data(), std::min(FFileName.size(), buffer.size() - 2));
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner ? owner : GetActiveWindow();
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FFilterIndex);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
  ofn.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
  ofn.lpstrDefExt = FDefaultExt.empty() ? nullptr : FDefaultExt.c_str();
  for (int i = 0; i < static_cast<int>(std::size(OpenOptionFlags)); ++i)
    if (FOptions.Contains(static_cast<TOpenOption>(i))) ofn.Flags |= OpenOptionFlags[i];
  if (!FOptions.Contains(ofOldStyleDialog)) ofn.Flags |= OFN_EXPLORER;
  if (!GetOpenFileNameA(&ofn)) {
    if (DWORD error = CommDlgExtendedError())
      throw EInvalidOperation("The open dialog could not be shown (error " + std::to_string(error) + ")");
    return false;
  }
  FFilterIndex = static_cast<int>(ofn.nFilterIndex);
  FFiles->Clear();
  // Several names: the folder, then each name, each ended by a NUL, the list by a second one.
  const char* p = buffer.data();
  std::string first = p;
  p += first.size() + 1;
  if ((ofn.Flags & OFN_ALLOWMULTISELECT) && *p) {
    for (; *p; p += std::strlen(p) + 1) FFiles->Add(IncludeTrailingPathDelimiter(first) + p);
  } else {
    FFiles->Add(first);
  }
  FFileName = FFiles->Strings(0);
  return true;
}

namespace {
const TClass FileDialogsClasses[] = {TOpenDialog::StaticClass(), TFontDialog::StaticClass()};
void InitFileDialogs() { RegisterClasses(FileDialogsClasses); }
void DoneFileDialogs()
{
  for (TClass c : FileDialogsClasses) UnRegisterClass(c);
}
}  // namespace

TUnit FileDialogsUnit{"FileDialogs", {}, InitFileDialogs, DoneFileDialogs};
