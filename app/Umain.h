#pragma once
// The main window of the file search tool and the unit's state.
//
// The user picks a folder and an extension, lists the matching files (a recursive scan on the GUI
// thread), searches their text on a worker thread, which drops every file without a match, reads a
// listed file in the text view and steps through the matches, and opens Explorer on a listed file.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include "classlib/Forms.h"
#include "classlib/Units.h"

class TAction;
class TActionList;
class TBarEditStandIn;
class TButton;
class TColorBox;
class TComboBox;
class TIdThreadComponent;
class TImageList;
class TListItem;
class TcxListView;
class TMenuItem;
class TPopupMenu;
class TRichEdit;
class TSpinEditStandIn;
class TRzStatusBar;
class TRzStatusPane;
class TTimer;

// A match of the search text in a text control: its character position and length.
struct TTextMatch {
  int Position = -1;
  int Length = 0;
  explicit operator bool() const { return Position >= 0; }
};

// The completion marker that the worker hands to the GUI thread at the end of a run.
class TCompletionMarker {
public:
  void Set(std::string value);
  // The marker, emptied in the same step.
  std::string Take();
  std::string Peek() const;
  void Clear() { Take(); }

private:
  mutable std::mutex FLock;
  std::string FValue;
};

class TFrmain : public TForm {
  CL_CLASS(TFrmain, TForm)
public:
  explicit TFrmain(TComponent* owner);
  void Loaded() override;
  void BeforeDestruction() override;

  // Handlers named by the stored form.
  void FormCreate(TObject* Sender);
  void cxListView1SelectItem(TObject* Sender, TListItem* Item, bool Selected);
  void dxBarColorCombo1Change(TObject* Sender);
  void dxBarSpinEdit1CurChange(TObject* Sender);
  void N1Click(TObject* Sender);
  void Action1Execute(TObject* Sender);
  void Action2Execute(TObject* Sender);
  void IdThreadComponent1Run(TIdThreadComponent* Sender);
  void Timer1Timer(TObject* Sender);
  void Action3Execute(TObject* Sender);
  void Button1Click(TObject* Sender);

  // Empties the list and fills it by a scan of folder.
  void ListFolder(const std::string& folder);
  // Lists every entry under folder whose path ends in "." and the chosen extension, recursively
  // through plain subfolders, and shows the count.
  void ScanFolder(const std::string& folder);
  static std::string LoadTextFile(std::string_view path);
  // Appends the document's text, page by page, to the target's lines (GUI thread).
  void LoadWordDocument(const std::string& path, TRichEdit* target);
  // The body of a background run (worker thread).
  void SearchListedFiles();
  // Shows the result of a run (GUI thread).
  void ShowFirstResult(const std::string& marker);

  // The first occurrence of the search text in a text control from a position on, or none. An empty
  // search text is found at the position itself, with no length.
  static TTextMatch FindInControl(TRichEdit* control, const std::string& text, int from);

  // The components of the stored form.
  TcxListView* cxListView1 = nullptr;
  TRichEdit* RichEdit1 = nullptr;
  TRzStatusBar* RzStatusBar1 = nullptr;
  TRzStatusPane* RzStatusPane1 = nullptr;
  TRzStatusPane* RzStatusPane2 = nullptr;
  TButton* Button1 = nullptr;
  TButton* dxBarButton1 = nullptr;
  TButton* dxBarButton5 = nullptr;
  TButton* dxBarButton6 = nullptr;
  TComboBox* dxBarCombo2 = nullptr;
  TBarEditStandIn* dxBarEdit4 = nullptr;
  TColorBox* dxBarColorCombo1 = nullptr;
  TSpinEditStandIn* dxBarSpinEdit1 = nullptr;
  TImageList* ImageList1 = nullptr;
  TActionList* ActionList1 = nullptr;
  TAction* Action1 = nullptr;
  TAction* Action2 = nullptr;
  TAction* Action3 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* N1 = nullptr;
  TIdThreadComponent* IdThreadComponent1 = nullptr;
  TTimer* Timer1 = nullptr;

  // The extension chosen in the extension box ("" for the empty line).
  std::string Extension() const;
  // The search text: what the user last committed in the search box.
  std::string SearchText() const;
  // The texts of the two status panes.
  std::string CountPaneText() const;
  std::string FolderPaneText() const;
  // The hidden text control of the run under way, or nullptr.
  TRichEdit* SearchControl() const { return FSearchControl; }

private:
  struct TRun;
  // The scan with the suffix read once for all of it.
  void ScanFolder(const std::string& folder, const std::string& suffix);
  void SetCountPane(const std::string& text);
  void SetFolderPane(const std::string& text);
  void ShowCount();
  // Loads a listed path into a text control by the rule of the list: documents through the
  // word processor, everything else as a text file.
  void FillFromPath(TRichEdit* target, const std::string& path);
  void SelectMatch(const TTextMatch& match, bool scroll);
  static std::string ItemPath(TListItem* item);
  void FetchBatch(TRun& run);
  void LoadBatch(TRun& run);
  void SearchBatch(TRun& run);
  // The list's drawing held back while a run deletes items, and let go to show what changed.
  void HoldListDrawing();
  void ShowListChanges();
  void PaceListDrawing(const TRun& run);
  void FocusView();

  TRichEdit* FSearchControl = nullptr;
  // Counts the list's replacements by a scan: a run that sees it change starts over on the new list.
  int FListGeneration = 0;
  bool FListHeld = false;
  DWORD FListShownAt = 0;
  std::atomic<bool> FClosing{false};
};

extern TFrmain* Frmain;
// The folder last chosen with "选择扫描路径"; the folder browser starts there.
extern std::string CurrentFolder;
// The text position from which "定位查找" searches next.
extern int32_t FindPosition;
// Set by the worker at the end of a run; taken by the GUI thread when it shows the result.
extern TCompletionMarker SearchCompletedPath;

// Opens Explorer on the folder of a file with the file selected (the call goes through the
// replaceable shell function below).
void OpenInExplorer(HWND owner, const std::string& path);
using TShellExecuteFunc = HINSTANCE(WINAPI*)(HWND owner, const char* verb, const char* file,
                                             const char* parameters, const char* directory, int show);
// Replaces the shell call (tests read its arguments); answers the previous one.
TShellExecuteFunc SetShellExecuteFunc(TShellExecuteFunc func);
// Reads a plain file's text: LoadTextFile goes through it, on whichever thread calls it.
using TTextFileLoader = std::string (*)(std::string_view path);
// Replaces the reader (tests count and order the loads; nullptr restores the file reader); answers
// the previous one.
TTextFileLoader SetTextFileLoader(TTextFileLoader loader);

// The unit: registers the classes its stored form names and empties its state at the end.
extern TUnit UmainUnit;
