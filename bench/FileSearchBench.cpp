// Benchmark of the file search tool (a program, not a test). It generates, under the temporary
// folder (kept for later runs), a tree of 20,000 entries in 400 folders, about 4,000 of them
// matching files, and a folder of 2,000 files that hold the search word and 1,000 that do not. It
// reports
//  - the scan with the list filled against a bare recursive FindFirstFile walk of the same tree,
//    several runs with the two taking turns at going first,
//  - filling 20,000 rows into the toolkit's list view against the class library's list view, the
//    two taking turns likewise,
//  - the background search over lists of 2,000 files of which 0 %, 5 % and 50 % miss, in files per
//    second, against loading and searching the same files in a rich-edit control on the GUI thread
//    without the worker and its hand-overs ("direct"). Each list is measured several times, the
//    two ways taking turns at going first, and the medians are given with the lowest and highest
//    value. A run counts from "检索文件" to the worker's completion marker; the poll that shows
//    the result comes at most one 300 ms timer tick later and is left out. A run that does not end
//    within the time limit is stopped by closing the window and reported as unfinished.
//
// Arguments: [repeats (5)] [time limit per run in seconds (120)].
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "app/FileText.h"
#include "app/StandInControls.h"
#include "app/Umain.h"
#include "classlib/Application.h"
#include "classlib/ComCtrls.h"
#include "toolkit/editors/cxListView.h"
#include "classlib/ExtCtrls.h"
#include "classlib/FileUtils.h"
#include "classlib/Graphics.h"
#include "classlib/IdThreadComponent.h"
#include "classlib/StdCtrls.h"
#include "classlib/Thread.h"
#include <commctrl.h>
#include "BenchClock.h"

namespace {
constexpr int TopFolders = 20;
constexpr int SubFolders = 19;      // 20 + 20 x 19 = 400 folders
constexpr int FilesPerFolder = 49;  // 400 x 49 = 19,600 files: 20,000 entries
constexpr int MatchingEvery = 5;    // one file in five ends in .txt: 3,920
constexpr int SearchedFiles = 2000;
constexpr int MissPercents[] = {0, 5, 50};
constexpr const char* SearchWord = "needle";

std::string FileText(int n, bool hit)
{
  std::string s;
  for (int line = 0; line < 40; ++line)
    s += "第" + std::to_string(line) + "行 some text of file " + std::to_string(n) + " for the benchmark\r\n";
  return s + (hit ? "the needle\r\n" : "the end\r\n");
}

void WriteFile(const std::string& path, const std::string& bytes)
{
  HANDLE h =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

void FillFolder(const std::string& folder, int& n)
{
  for (int i = 0; i < FilesPerFolder; ++i, ++n) {
    const char* ext = n % MatchingEvery == 0 ? ".txt" : ".dat";
    WriteFile(folder + "\\file" + std::to_string(n) + ext, FileText(n, true));
  }
}

std::string TempRoot()
{
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return ExcludeTrailingPathDelimiter(temp);
}

// The scanned tree, made once: a marker file says it is whole.
std::string MakeTree()
{
  std::string root = TempRoot() + "\\filesearch-bench";
  std::string done = root + ".complete";
  if (FileExists(done)) return root;
  std::printf("generating the tree under %s ...\n", root.c_str());
  std::fflush(stdout);
  int n = 0;
  for (int t = 0; t < TopFolders; ++t) {
    std::string top = root + "\\top" + std::to_string(t);
    ForceDirectories(top);
    FillFolder(top, n);
    for (int s = 0; s < SubFolders; ++s) {
      std::string sub = top + "\\sub" + std::to_string(s);
      ForceDirectories(sub);
      FillFolder(sub, n);
    }
  }
  WriteFile(done, "");
  return root;
}

// The searched files, made once: hit0..hit1999 hold the search word, miss0..miss999 do not.
struct TSearchFiles {
  std::vector<std::string> Hits, Misses;
};

TSearchFiles MakeSearchFiles()
{
  std::string root = TempRoot() + "\\filesearch-bench-search";
  std::string done = root + ".complete";
  bool make = !FileExists(done);
  if (make) {
    std::printf("generating the searched files under %s ...\n", root.c_str());
    std::fflush(stdout);
    ForceDirectories(root);
  }
  TSearchFiles files;
  for (int i = 0; i < SearchedFiles; ++i) {
    files.Hits.push_back(root + "\\hit" + std::to_string(i) + ".txt");
    if (make) WriteFile(files.Hits.back(), FileText(i, true));
  }
  for (int i = 0; i < SearchedFiles / 2; ++i) {
    files.Misses.push_back(root + "\\miss" + std::to_string(i) + ".txt");
    if (make) WriteFile(files.Misses.back(), FileText(i, false));
  }
  if (make) WriteFile(done, "");
  return files;
}

// 2,000 paths of which the given percentage miss, spread evenly over the list.
std::vector<std::string> ListWithMisses(const TSearchFiles& files, int percent)
{
  std::vector<std::string> list;
  size_t hit = 0, miss = 0;
  for (int i = 0; i < SearchedFiles; ++i) {
    const bool isMiss = (i + 1) * percent / 100 > i * percent / 100;
    list.push_back(isMiss ? files.Misses[miss++] : files.Hits[hit++]);
  }
  return list;
}

// The bare walk: every entry of every folder, recursively.
int Walk(const std::string& folder)
{
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((folder + "\\*.*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    if (std::strcmp(data.cFileName, ".") == 0 || std::strcmp(data.cFileName, "..") == 0) continue;
    ++count;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) count += Walk(folder + "\\" + data.cFileName);
  } while (FindNextFileA(h, &data));
  FindClose(h);
  return count;
}

TFrmain* NewForm()
{
  auto* form = New<TFrmain>(Application);
  form->Show();
  Application->ProcessMessages();
  return form;
}

struct TSpread {
  double Median = 0, Low = 0, High = 0;
};

TSpread SpreadOf(std::vector<double> values)
{
  TSpread s;
  if (values.empty()) return s;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  s.Median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  s.Low = values.front();
  s.High = values.back();
  return s;
}

void MeasureScan(TFrmain* form, const std::string& root, int repeats)
{
  // The walk and the scan take turns at going first; a first pass of each warms the file system.
  Walk(root);
  form->ListFolder(root);
  std::vector<double> walks, scans, ratios;
  int entries = 0;
  for (int rep = 0; rep < repeats; ++rep) {
    double walk = 0, scan = 0;
    auto timeWalk = [&] {
      const double t0 = SecondsNow();
      entries = Walk(root);
      walk = SecondsNow() - t0;
    };
    auto timeScan = [&] {
      const double t0 = SecondsNow();
      form->ListFolder(root);
      scan = SecondsNow() - t0;
    };
    if (rep % 2 == 0) {
      timeWalk();
      timeScan();
    } else {
      timeScan();
      timeWalk();
    }
    walks.push_back(walk);
    scans.push_back(scan);
    ratios.push_back(walk > 0 ? scan / walk : 0);
  }
  int listed = form->cxListView1->Items()->Count();
  // For scale: as many bare inserts straight into a plain report list control of the same size
  // (the form's list is a virtual one that takes no inserts).
  double insertFloor = 0;
  {
    RECT r;
    GetWindowRect(form->cxListView1->Handle(), &r);
    HWND lv = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                              r.right - r.left, r.bottom - r.top, form->Handle(), nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = const_cast<char*>("x");
    col.cx = 100;
    SendMessageA(lv, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
    double t0 = SecondsNow();
    SendMessageA(lv, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < listed; ++i) {
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = const_cast<char*>("x");
      SendMessageA(lv, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(lv, WM_SETREDRAW, TRUE, 0);
    insertFloor = SecondsNow() - t0;
    DestroyWindow(lv);
  }
  const TSpread w = SpreadOf(walks), sc = SpreadOf(scans), q = SpreadOf(ratios);
  std::printf("scan: %d entries, %d listed, %d runs taking turns; median (lowest-highest): bare walk %.3f s "
              "(%.3f-%.3f), scan with the list %.3f s (%.3f-%.3f), ratio %.2f (%.2f-%.2f)\n",
              entries, listed, repeats, w.Median, w.Low, w.High, sc.Median, sc.Low, sc.High, q.Median, q.Low,
              q.High);
  std::printf("      (%d bare inserts into the list control alone: %.3f s)\n", listed, insertFloor);
  std::fflush(stdout);
}

// Fills rows (caption and one sub-item, under one update) into a new report list of each kind on
// the form, shown and painted, and frees it; answers the seconds from the first row to the painted
// list.
template <class TList>
double TimeFill(TFrmain* form, int rows)
{
  auto* list = New<TList>(form);
  list->SetParent(form);
  list->SetBounds(0, 60, 361, 640);
  list->SetViewStyle(vsReport);
  list->Columns()->Add()->SetCaption("文件列表");
  list->Columns()->Add()->SetCaption("文件路径");
  list->HandleNeeded();
  Application->ProcessMessages();
  const std::string caption = "file.txt", path = "C:\\some\\folder\\file.txt";
  const double t0 = SecondsNow();
  TListItems* items = list->Items();
  items->BeginUpdate();
  for (int i = 0; i < rows; ++i) {
    TListItem* item = items->Add();
    item->SetCaption(caption);
    item->SubItems()->Add(path);
  }
  items->EndUpdate();
  list->Repaint();
  Application->ProcessMessages();
  const double seconds = SecondsNow() - t0;
  Free(list);
  Application->ProcessMessages();
  return seconds;
}

void MeasureFill(TFrmain* form, int repeats)
{
  constexpr int Rows = 20000;
  TimeFill<TListView>(form, Rows);
  TimeFill<TcxListView>(form, Rows);
  std::vector<double> plain, toolkit, ratios;
  for (int rep = 0; rep < repeats; ++rep) {
    double p = 0, t = 0;
    if (rep % 2 == 0) {
      p = TimeFill<TListView>(form, Rows);
      t = TimeFill<TcxListView>(form, Rows);
    } else {
      t = TimeFill<TcxListView>(form, Rows);
      p = TimeFill<TListView>(form, Rows);
    }
    plain.push_back(p);
    toolkit.push_back(t);
    ratios.push_back(p > 0 ? t / p : 0);
  }
  const TSpread p = SpreadOf(plain), t = SpreadOf(toolkit), q = SpreadOf(ratios);
  std::printf("fill: %d rows, %d runs taking turns; median (lowest-highest): the toolkit's list view %.3f s "
              "(%.3f-%.3f), the class library's %.3f s (%.3f-%.3f), ratio %.2f (%.2f-%.2f)\n",
              Rows, repeats, t.Median, t.Low, t.High, p.Median, p.Low, p.High, q.Median, q.Low, q.High);
  std::fflush(stdout);
}

// Loads and searches the files in a hidden rich-edit control on this thread; answers the seconds
// taken and the number of files that hold the word.
double TimeDirect(TFrmain* form, const std::vector<std::string>& paths, int& found)
{
  TRichEdit* direct = New<TRichEdit>(form);
  direct->SetVisible(false);
  direct->SetParent(form);
  direct->HandleNeeded();
  found = 0;
  double t0 = SecondsNow();
  for (const std::string& path : paths) {
    direct->Clear();
    direct->SetText(TFrmain::LoadTextFile(path));
    if (TFrmain::FindInControl(direct, SearchWord, 0)) ++found;
  }
  double seconds = SecondsNow() - t0;
  Free(direct);
  return seconds;
}

void FillList(TFrmain* form, const std::vector<std::string>& paths)
{
  TListItems* items = form->cxListView1->Items();
  items->BeginUpdate();
  items->Clear();
  for (const std::string& path : paths) {
    TListItem* item = items->Add();
    item->SetCaption(ExtractFileName(path));
    item->SubItems()->Add(path);
  }
  items->EndUpdate();
}

// Runs "检索文件" over the paths and answers the seconds until the worker set its completion marker,
// or a negative value when the run did not end within the limit (the window is then closed and made
// anew). The result is shown afterwards, outside the time taken.
double TimeRun(TFrmain*& form, const std::vector<std::string>& paths, double limit, int& kept)
{
  FillList(form, paths);
  form->RichEdit1->Clear();
  SearchCompletedPath.Clear();
  // The poll would take the marker away: it is run by hand once the marker is there.
  form->Timer1->SetEnabled(false);
  double t0 = SecondsNow();
  form->Action2->Execute();
  while (SearchCompletedPath.Peek().empty()) {
    if (SecondsNow() - t0 > limit) {
      Free(form);
      SearchCompletedPath.Clear();
      form = NewForm();
      form->dxBarEdit4->SetCommittedText(SearchWord);
      kept = -1;
      return -1;
    }
    Application->ProcessMessages();
    CheckSynchronize(1);
  }
  double seconds = SecondsNow() - t0;
  kept = form->cxListView1->Items()->Count();
  form->Timer1Timer(form->Timer1);
  form->Timer1->SetEnabled(true);
  while (!form->dxBarButton5->Enabled() || form->IdThreadComponent1->Active()) {
    Application->ProcessMessages();
    CheckSynchronize(1);
  }
  return seconds;
}

// For scale: deleting every second item of a 2,000-item list, each deletion drawn at once, and with
// the list's drawing held until the end.
void MeasureDeletions(TFrmain* form, const TSearchFiles& files)
{
  const std::vector<std::string> paths = ListWithMisses(files, 50);
  double seconds[2] = {0, 0};
  for (int held = 0; held < 2; ++held) {
    FillList(form, paths);
    Application->ProcessMessages();
    TListItems* items = form->cxListView1->Items();
    double t0 = SecondsNow();
    if (held) items->BeginUpdate();
    for (int i = 0; i < items->Count(); ++i) items->Delete(i);
    if (held) items->EndUpdate();
    Application->ProcessMessages();
    seconds[held] = SecondsNow() - t0;
  }
  std::printf("      (deleting %d of %d list items: %.3f s drawn one by one, %.3f s with the drawing held)\n",
              SearchedFiles / 2, SearchedFiles, seconds[0], seconds[1]);
  std::fflush(stdout);
}

void MeasureSearch(TFrmain*& form, const TSearchFiles& files, int repeats, double limit)
{
  form->dxBarEdit4->SetCommittedText(SearchWord);
  // The file system's cache warmed once for every file the lists use.
  {
    int found = 0;
    std::vector<std::string> all = files.Hits;
    all.insert(all.end(), files.Misses.begin(), files.Misses.end());
    TimeDirect(form, all, found);
  }
  std::printf("search: %d files a list, %d repeats, the two ways taking turns at going first; "
              "median (lowest-highest)\n",
              SearchedFiles, repeats);
  std::fflush(stdout);
  for (int percent : MissPercents) {
    const std::vector<std::string> paths = ListWithMisses(files, percent);
    std::vector<double> runRates, directRates, ratios;
    int found = 0, kept = 0, unfinished = 0;
    for (int rep = 0; rep < repeats; ++rep) {
      double direct = 0, run = 0;
      if (rep % 2 == 0) {
        direct = TimeDirect(form, paths, found);
        run = TimeRun(form, paths, limit, kept);
      } else {
        run = TimeRun(form, paths, limit, kept);
        direct = TimeDirect(form, paths, found);
      }
      directRates.push_back(paths.size() / direct);
      if (run < 0) {
        ++unfinished;
        std::printf("  %2d%% misses: a run did not end within %.0f s; the rest of this list is skipped\n",
                    percent, limit);
        std::fflush(stdout);
        break;
      }
      runRates.push_back(paths.size() / run);
      ratios.push_back(run / direct);
      if (kept != found) std::printf("  %2d%% misses: the run kept %d files, directly %d match\n", percent, kept, found);
    }
    TSpread r = SpreadOf(runRates), d = SpreadOf(directRates), q = SpreadOf(ratios);
    if (runRates.empty()) {
      std::printf("  %2d%% misses: run did not end within %.0f s (more than %.0f s, under %.1f files/s); "
                  "direct %.0f files/s (%.0f-%.0f)\n",
                  percent, limit, limit, paths.size() / limit, d.Median, d.Low, d.High);
    } else {
      std::printf("  %2d%% misses: run %.0f files/s (%.0f-%.0f); direct %.0f files/s (%.0f-%.0f); "
                  "run / direct %.3f (%.3f-%.3f)%s\n",
                  percent, r.Median, r.Low, r.High, d.Median, d.Low, d.High, q.Median, q.Low, q.High,
                  unfinished ? " [some runs unfinished]" : "");
    }
    std::fflush(stdout);
  }
}

int Main(int argc, char** argv)
{
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const double limit = argc > 2 ? std::max(1.0, std::atof(argv[2])) : 120.0;
  std::string root = MakeTree();
  TSearchFiles files = MakeSearchFiles();
  TFrmain* form = NewForm();
  MeasureScan(form, root, repeats);
  MeasureFill(form, repeats);
  MeasureSearch(form, files, repeats, limit);
  MeasureDeletions(form, files);
  Free(form);
  return 0;
}

TUnit* const BenchUnits[] = {&GraphicsUnit, &FormsUnit, &UmainUnit};
}  // namespace

int main(int argc, char** argv)
{
  TUnitsScope units(BenchUnits);
  return Main(argc, argv);
}
