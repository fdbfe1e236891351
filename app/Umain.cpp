#include "app/Umain.h"

#include <exception>
#include <optional>
#include <richedit.h>
#include <vector>
#include "app/FileText.h"
#include "app/Glyphs.h"
#include "app/StandInControls.h"
#include "app/WordDocument.h"
#include "classlib/ActnList.h"
#include "classlib/Application.h"
#include "classlib/ComCtrls.h"
#include "classlib/ComObj.h"
#include "classlib/Dialogs.h"
#include "classlib/Encoding.h"
#include "classlib/ExtCtrls.h"
#include "classlib/FileDialogs.h"
#include "classlib/FileUtils.h"
#include "classlib/IdThreadComponent.h"
#include "classlib/ImageList.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "toolkit/editors/cxListView.h"
#include "toolkit/panels/RzPanelStatusBar.h"
#include "toolkit/panels/RzStatus.h"

TFrmain* Frmain = nullptr;
std::string CurrentFolder;
int32_t FindPosition = 0;
TCompletionMarker SearchCompletedPath;

namespace {
// What a run over an empty list leaves as its marker: no path, only the news that it ended.
constexpr const char* EmptyRunMarker = "*";

bool IsDocumentPath(std::string_view path)
{
  return path.size() >= 3 && path.substr(path.size() - 3) == "doc";
}

HINSTANCE WINAPI SystemShellExecute(HWND owner, const char* verb, const char* file, const char* parameters,
                                    const char* directory, int show)
{
  return ShellExecuteA(owner, verb, file, parameters, directory, show);
}
TShellExecuteFunc GShellExecute = SystemShellExecute;

std::string ReadTextFile(std::string_view path) { return ReadFileText(path); }
TTextFileLoader GTextFileLoader = ReadTextFile;

constexpr TMethodInfo FrmainMethods[] = {
  PublishedMethod<TNotifyEvent, &TFrmain::FormCreate>("FormCreate"),
  PublishedMethod<TLVSelectItemEvent, &TFrmain::cxListView1SelectItem>("cxListView1SelectItem"),
  PublishedMethod<TNotifyEvent, &TFrmain::dxBarColorCombo1Change>("dxBarColorCombo1Change"),
  PublishedMethod<TNotifyEvent, &TFrmain::dxBarSpinEdit1CurChange>("dxBarSpinEdit1CurChange"),
  PublishedMethod<TNotifyEvent, &TFrmain::N1Click>("N1Click"),
  PublishedMethod<TNotifyEvent, &TFrmain::Action1Execute>("Action1Execute"),
  PublishedMethod<TNotifyEvent, &TFrmain::Action2Execute>("Action2Execute"),
  PublishedMethod<TIdNotifyThreadComponentEvent, &TFrmain::IdThreadComponent1Run>("IdThreadComponent1Run"),
  PublishedMethod<TNotifyEvent, &TFrmain::Timer1Timer>("Timer1Timer"),
  PublishedMethod<TNotifyEvent, &TFrmain::Action3Execute>("Action3Execute"),
  PublishedMethod<TNotifyEvent, &TFrmain::Button1Click>("Button1Click"),
};

constexpr TFieldInfo FrmainFields[] = {
  CL_FIELD(TFrmain, cxListView1),      CL_FIELD(TFrmain, RichEdit1),        CL_FIELD(TFrmain, RzStatusBar1),
  CL_FIELD(TFrmain, RzStatusPane1),    CL_FIELD(TFrmain, RzStatusPane2),
  CL_FIELD(TFrmain, Button1),          CL_FIELD(TFrmain, dxBarButton1),     CL_FIELD(TFrmain, dxBarButton5),
  CL_FIELD(TFrmain, dxBarButton6),     CL_FIELD(TFrmain, dxBarCombo2),      CL_FIELD(TFrmain, dxBarEdit4),
  CL_FIELD(TFrmain, dxBarColorCombo1), CL_FIELD(TFrmain, dxBarSpinEdit1),   CL_FIELD(TFrmain, ImageList1),
  CL_FIELD(TFrmain, ActionList1),      CL_FIELD(TFrmain, Action1),          CL_FIELD(TFrmain, Action2),
  CL_FIELD(TFrmain, Action3),          CL_FIELD(TFrmain, PopupMenu1),       CL_FIELD(TFrmain, N1),
  CL_FIELD(TFrmain, IdThreadComponent1), CL_FIELD(TFrmain, Timer1),
};
}  // namespace

CL_DEFINE_CLASS(TFrmain, .Methods = FrmainMethods, .Fields = FrmainFields);

// The marker ----------------------------------------------------------------------------------------

void TCompletionMarker::Set(std::string value)
{
  std::lock_guard<std::mutex> lock(FLock);
  FValue = std::move(value);
}

std::string TCompletionMarker::Take()
{
  std::lock_guard<std::mutex> lock(FLock);
  return std::exchange(FValue, std::string());
}

std::string TCompletionMarker::Peek() const
{
  std::lock_guard<std::mutex> lock(FLock);
  return FValue;
}

// The window -----------------------------------------------------------------------------------------

TFrmain::TFrmain(TComponent* owner) : TForm(owner) {}

void TFrmain::Loaded()
{
  TForm::Loaded();
  AddGlyphs(ImageList1);
}

void TFrmain::BeforeDestruction()
{
  // A run under way ends first: its end steps still find every control, and the wait serves the
  // calls it hands to this thread meanwhile.
  FClosing = true;
  if (IdThreadComponent1) IdThreadComponent1->TerminateAndWaitFor();
  TForm::BeforeDestruction();
}

void TFrmain::FormCreate(TObject*)
{
  cxListView1->SetGridLines(true);
  RichEdit1->Font()->SetColor(dxBarColorCombo1->Selected());
  RichEdit1->Font()->SetSize(dxBarSpinEdit1->Value());
}

std::string TFrmain::Extension() const
{
  int index = dxBarCombo2->ItemIndex();
  return index < 0 ? std::string() : dxBarCombo2->Items()->Strings(index);
}

std::string TFrmain::SearchText() const { return dxBarEdit4->CommittedText(); }

std::string TFrmain::CountPaneText() const { return RzStatusPane1->Caption(); }
std::string TFrmain::FolderPaneText() const { return RzStatusPane2->Caption(); }
void TFrmain::SetCountPane(const std::string& text) { RzStatusPane1->SetCaption(text); }
void TFrmain::SetFolderPane(const std::string& text) { RzStatusPane2->SetCaption(text); }

void TFrmain::ShowCount() { SetCountPane("共有" + std::to_string(cxListView1->Items()->Count()) + "个文件"); }

std::string TFrmain::ItemPath(TListItem* item)
{
  if (item->SubItems()->Count() == 0) return {};
  return Trim(item->SubItems()->Strings(0));
}

// The list, the view and the font ---------------------------------------------------------------------

void TFrmain::cxListView1SelectItem(TObject*, TListItem*, bool Selected)
{
  if (!Selected) return;
  TListItem* item = cxListView1->GetSelectedItem();
  if (!item) return;
  FindPosition = 0;
  FillFromPath(RichEdit1, item->SubItems()->Count() ? item->SubItems()->Strings(0) : std::string());
}

void TFrmain::FillFromPath(TRichEdit* target, const std::string& path)
{
  target->Clear();
  if (IsDocumentPath(path))
    LoadWordDocument(path, target);
  else
    target->SetText(LoadTextFile(path));
}

std::string TFrmain::LoadTextFile(std::string_view path) { return GTextFileLoader(path); }

TTextFileLoader SetTextFileLoader(TTextFileLoader loader)
{
  return std::exchange(GTextFileLoader, loader ? loader : ReadTextFile);
}

void TFrmain::LoadWordDocument(const std::string& path, TRichEdit* target)
{
  ReadWordDocument(path, [target](const std::string& entry) { target->Lines()->Add(entry); });
}

void TFrmain::dxBarColorCombo1Change(TObject*) { RichEdit1->Font()->SetColor(dxBarColorCombo1->Selected()); }

void TFrmain::dxBarSpinEdit1CurChange(TObject*)
{
  dxBarSpinEdit1->SetValue(dxBarSpinEdit1->GetEditingValue());
  RichEdit1->Font()->SetSize(StrToInt(std::to_string(dxBarSpinEdit1->Value())));
}

void TFrmain::N1Click(TObject*)
{
  TListItem* item = cxListView1->GetSelectedItem();
  if (!item) {
    MessageDlg("没有选择数据", mtInformation, {mbOK}, 0);
    return;
  }
  OpenInExplorer(Handle(), item->SubItems()->Count() ? item->SubItems()->Strings(0) : std::string());
}

void OpenInExplorer(HWND owner, const std::string& path)
{
  // Quoted, so that a path holding a comma is taken whole.
  std::string parameters = "/e, /select,\"" + path + "\"";
  GShellExecute(owner, "open", "Explorer.exe", parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

TShellExecuteFunc SetShellExecuteFunc(TShellExecuteFunc func)
{
  return std::exchange(GShellExecute, func ? func : SystemShellExecute);
}

// The folder scan -------------------------------------------------------------------------------------

void TFrmain::Action1Execute(TObject*)
{
  std::string folder = CurrentFolder;
  if (!SelectDirectory("文件夹", folder, Application->Handle())) return;
  CurrentFolder = folder;
  SetFolderPane("文件夹路径：" + CurrentFolder);
  if (Extension().empty()) {
    MessageDlg("请选择需要检索的文件扩展名称", mtInformation, {mbOK}, 0);
    return;
  }
  ListFolder(CurrentFolder);
}

namespace {
// Holds back a control's painting for a scope and paints it whole at the end. The scan holds the
// GUI thread, so nothing would be painted before its end anyway; without the hold some system
// controls repaint at once on every change, and the count pane changes once a folder.
class TRedrawHold {
public:
  explicit TRedrawHold(TWinControl* control)
      : FWindow(control->HandleAllocated() ? control->Handle() : nullptr)
  {
    if (FWindow) SendMessageA(FWindow, WM_SETREDRAW, FALSE, 0);
  }
  ~TRedrawHold()
  {
    if (!FWindow || !IsWindow(FWindow)) return;
    SendMessageA(FWindow, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(FWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  TRedrawHold(const TRedrawHold&) = delete;
  TRedrawHold& operator=(const TRedrawHold&) = delete;

private:
  HWND FWindow;
};
}  // namespace

void TFrmain::ListFolder(const std::string& folder)
{
  // A run under way lets go of the list first, so that the new list is drawn at the scan's end.
  ShowListChanges();
  TRedrawHold holdPanes(RzStatusBar1);
  TListItems* items = cxListView1->Items();
  items->BeginUpdate();
  try {
    items->Clear();
    ++FListGeneration;
    ScanFolder(folder);
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
}

void TFrmain::ScanFolder(const std::string& folder)
{
  // The extension box cannot change while the scan holds the GUI thread: it is read once for the
  // whole scan (every read is a message to the box).
  ScanFolder(folder, "." + Extension());
}

void TFrmain::ScanFolder(const std::string& folder, const std::string& suffix)
{
  TSearchRec rec;
  if (FindFirst(folder + "\\*.*", faAnyFile, rec) != 0) return;
  // One buffer for the entries' paths: the folder's part stays, each name replaces the last.
  std::string path = folder + "\\";
  const size_t folderPart = path.size();
  do {
    if (rec.Name == "." || rec.Name == "..") continue;
    path.resize(folderPart);
    path += rec.Name;
    if (path.size() >= suffix.size() &&
        path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0) {
      TListItem* item = cxListView1->Items()->Add();
      item->SetCaption(rec.Name);
      item->SubItems()->Add(path);
    }
    // Only a folder with no other attribute is entered.
    if (rec.Attr == faDirectory) ScanFolder(path, suffix);
  } while (FindNext(rec) == 0);
  FindClose(rec);
  ShowCount();
}

// The background search --------------------------------------------------------------------------------

// One file of the batch a run loads on the worker before the GUI thread searches it.
struct TLoadedFile {
  std::string Path;
  bool IsDocument = false;
  std::string Text;                // a plain file's text
  std::vector<std::string> Lines;  // a document's entries
  bool LoadFailed = false;
};

struct TFrmain::TRun {
  int Generation = 0;
  int Index = 0;  // the item of the batch's next file
  bool Done = false;
  std::vector<TLoadedFile> Batch;
  std::string LastPath;  // the last file the run handled
};

namespace {
// Files are handed to the GUI thread in batches, so that the hand-over costs little next to the
// loading; a batch stays small enough that the window answers in between.
constexpr size_t BatchFiles = 16;
constexpr size_t BatchBytes = 1 << 20;
// A list that draws each deletion at once spends longer on it than on searching a file: a run holds
// the list's drawing back while it deletes and lets it show the changes at most this often (ms).
constexpr DWORD ListDrawInterval = 500;
}  // namespace

void TFrmain::Action2Execute(TObject*)
{
  dxBarButton5->SetEnabled(false);
  IdThreadComponent1->Start();
}

void TFrmain::IdThreadComponent1Run(TIdThreadComponent*) { SearchListedFiles(); }

void TFrmain::SearchListedFiles()
{
  TThread* thread = IdThreadComponent1->Thread();
  auto onGui = [thread](TThreadMethod method) { TThread::Synchronize(thread, std::move(method)); };
  TRun run;
  std::exception_ptr error;
  std::optional<TComInitializer> com;
  try {
    com.emplace();
    onGui([&] {
      RichEdit1->Clear();
      FSearchControl = New<TRichEdit>(this);
      FSearchControl->SetVisible(false);
      FSearchControl->SetParent(this);
      FSearchControl->HandleNeeded();
      run.Generation = FListGeneration;
      FListShownAt = GetTickCount();
      FetchBatch(run);
    });
    while (!run.Done && !FClosing) {
      LoadBatch(run);
      onGui([&] {
        SearchBatch(run);
        FetchBatch(run);
        PaceListDrawing(run);
      });
    }
  } catch (...) {
    error = std::current_exception();
  }
  // The end steps run whatever happened above, so that the search command comes back.
  try {
    onGui([&] {
      // The search control goes even when showing the count fails.
      struct TFreeSearchControl {
        TRichEdit*& Control;
        ~TFreeSearchControl() { Free(std::exchange(Control, nullptr)); }
      } freeControl{FSearchControl};
      ShowListChanges();
      ShowCount();
    });
  } catch (...) {
    if (!error) error = std::current_exception();
  }
  com.reset();
  IdThreadComponent1->Stop();
  SearchCompletedPath.Set(run.LastPath.empty() ? EmptyRunMarker : run.LastPath);
  if (error && !FClosing) TThread::Queue(thread, [error] { std::rethrow_exception(error); });
}

void TFrmain::FetchBatch(TRun& run)
{
  // The items are read afresh from the list at each batch. A document is loaded only when its turn
  // has come (each load starts the word processor, which a new scan or a close would waste): it
  // makes a batch of its own, and a batch of plain files ends before it.
  run.Batch.clear();
  TListItems* items = cxListView1->Items();
  for (int i = run.Index; i < items->Count() && run.Batch.size() < BatchFiles; ++i) {
    TLoadedFile file;
    file.Path = ItemPath(items->Item(i));
    file.IsDocument = IsDocumentPath(file.Path);
    if (file.IsDocument && !run.Batch.empty()) break;
    run.Batch.push_back(std::move(file));
    if (run.Batch.back().IsDocument) break;
  }
  run.Done = run.Batch.empty();
}

void TFrmain::LoadBatch(TRun& run)
{
  size_t bytes = 0;
  for (size_t i = 0; i < run.Batch.size(); ++i) {
    TLoadedFile& file = run.Batch[i];
    if (!file.IsDocument) {
      file.Text = LoadTextFile(file.Path);
      bytes += file.Text.size();
    } else {
      // A document the word processor cannot read has no text to match: it counts as a miss.
      try {
        ReadWordDocument(file.Path, [&file](const std::string& entry) { file.Lines.push_back(entry); });
      } catch (const Exception&) {
        file.LoadFailed = true;
      }
    }
    if (bytes >= BatchBytes || FClosing) {
      run.Batch.resize(i + 1);
      break;
    }
  }
}

void TFrmain::SearchBatch(TRun& run)
{
  if (run.Generation != FListGeneration) {
    // A new scan replaced the list while the files were loading: start over on the new list.
    run.Generation = FListGeneration;
    run.Index = 0;
    return;
  }
  std::string text = SearchText();
  for (TLoadedFile& file : run.Batch) {
    FSearchControl->Clear();
    if (file.IsDocument) {
      for (const std::string& entry : file.Lines) FSearchControl->Lines()->Add(entry);
    } else {
      FSearchControl->SetText(file.Text);
    }
    run.LastPath = file.Path;
    if (!file.LoadFailed && FindInControl(FSearchControl, text, 0)) {
      ++run.Index;
    } else {
      // A miss: the item goes, and the next file of the batch is the item that took its place.
      HoldListDrawing();
      cxListView1->Items()->Delete(run.Index);
    }
  }
}

void TFrmain::HoldListDrawing()
{
  if (FListHeld) return;
  cxListView1->Items()->BeginUpdate();
  FListHeld = true;
}

void TFrmain::ShowListChanges()
{
  if (!FListHeld) return;
  FListHeld = false;
  FListShownAt = GetTickCount();
  cxListView1->Items()->EndUpdate();
}

void TFrmain::PaceListDrawing(const TRun& run)
{
  // A document may take a while to load: what was deleted before it is shown first.
  const bool documentNext = !run.Batch.empty() && run.Batch.front().IsDocument;
  if (run.Done || documentNext || GetTickCount() - FListShownAt >= ListDrawInterval) ShowListChanges();
}

TTextMatch TFrmain::FindInControl(TRichEdit* control, const std::string& text, int from)
{
  if (from < 0) return {};
  if (text.empty()) return from <= control->TextLength() ? TTextMatch{from, 0} : TTextMatch{};
  int pos = control->FindText(text, from, control->TextLength(), TSearchTypes{TSearchType::stMatchCase});
  if (pos < 0) return {};
  // Positions count characters: the match's length is its length in characters, not in bytes.
  return TTextMatch{pos, static_cast<int>(AnsiToWide(text).size())};
}

// The result and the match navigation ---------------------------------------------------------------

void TFrmain::Timer1Timer(TObject*)
{
  std::string marker = SearchCompletedPath.Take();
  if (!marker.empty()) ShowFirstResult(marker);
}

void TFrmain::ShowFirstResult(const std::string&)
{
  // The button comes back whatever happens below (a document the word processor fails on).
  struct TEnableAgain {
    TButton* Button;
    ~TEnableAgain() { Button->SetEnabled(true); }
  } enableAgain{dxBarButton5};
  SearchCompletedPath.Clear();
  if (cxListView1->Items()->Count() == 0) return;
  FocusView();
  RichEdit1->Clear();
  FillFromPath(RichEdit1, ItemPath(cxListView1->Items()->Item(0)));
  TTextMatch match = FindInControl(RichEdit1, SearchText(), 0);
  if (match)
    SelectMatch(match, true);
  else
    RichEdit1->Clear();
}

void TFrmain::FocusView()
{
  if (Visible() && RichEdit1->CanFocus()) RichEdit1->SetFocus();
}

void TFrmain::SelectMatch(const TTextMatch& match, bool scroll)
{
  FocusView();
  SendMessageA(RichEdit1->Handle(), EM_SETSEL, match.Position, match.Position + match.Length);
  if (scroll) SendMessageA(RichEdit1->Handle(), EM_SCROLLCARET, 0, 0);
}

void TFrmain::Action3Execute(TObject*)
{
  std::string text = SearchText();
  if (text.empty()) return;
  TTextMatch match = FindInControl(RichEdit1, text, FindPosition);
  if (!match) {
    // Nothing further: the next press starts again at the top.
    FindPosition = 0;
    return;
  }
  SelectMatch(match, true);
  FindPosition = match.Position + match.Length;
}

void TFrmain::Button1Click(TObject*)
{
  TTextMatch match = FindInControl(RichEdit1, SearchText(), 0);
  if (match) SelectMatch(match, false);
}

// The unit ---------------------------------------------------------------------------------------------

namespace {
void InitUmain()
{
  RegisterClass(TFrmain::StaticClass());
  RegisterClass(TIdThreadComponent::StaticClass());
  RegisterStandInControls();
}

void DoneUmain()
{
  CurrentFolder.clear();
  SearchCompletedPath.Clear();
  UnregisterStandInControls();
  UnRegisterClass(TIdThreadComponent::StaticClass());
  UnRegisterClass(TFrmain::StaticClass());
}

const TUnit* const UmainUses[] = {&FormsUnit, &ActnListUnit, &MenusUnit, &StdCtrlsUnit, &ExtCtrlsUnit,
                                   &ComCtrlsUnit, &FileDialogsUnit, &UnitRzStatus, &UnitcxListView};
}  // namespace

TUnit UmainUnit{"Umain", UmainUses, InitUmain, DoneUmain};
