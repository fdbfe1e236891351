// Benchmark of the file search tool (a program, not a test): generates a tree of 20,000 entries in
// 400 folders, about 4,000 of them matching files, under the temporary folder (kept for later runs),
// and reports
//  - the scan with the list filled against a bare recursive FindFirstFile walk of the same tree,
//  - a search over 2,000 listed files, in files per second, against loading and searching the same
//    files in a rich-edit control on the GUI thread without the worker and its hand-overs.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "app/FileText.h"
#include "app/StandInControls.h"
#include "app/Umain.h"
#include "classlib/Application.h"
#include "classlib/ComCtrls.h"
#include "classlib/FileUtils.h"
#include "classlib/Graphics.h"
#include "classlib/StdCtrls.h"
#include <commctrl.h>

namespace {
constexpr int TopFolders = 20;
constexpr int SubFolders = 19;             // 20 + 20 x 19 = 400 folders
constexpr int FilesPerFolder = 49;         // 400 x 49 = 19,600 files: 20,000 entries
constexpr int MatchingEvery = 5;           // one file in five ends in .txt: 3,920
constexpr int SearchedFiles = 2000;

double Now()
{
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

std::string FileText(int n)
{
  std::string s;
  for (int line = 0; line < 40; ++line)
    s += "第" + std::to_string(line) + "行 some text of file " + std::to_string(n) + " for the benchmark\r\n";
  return s + "the needle\r\n";
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
    WriteFile(folder + "\\file" + std::to_string(n) + ext, FileText(n));
  }
}

// The tree, made once: a marker file says it is whole.
std::string MakeTree()
{
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string root = ExcludeTrailingPathDelimiter(temp) + "\\filesearch-bench";
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

void RunUntil(TFrmain* form, bool (*done)(TFrmain*))
{
  while (!done(form)) Application->HandleMessage();
}

int Main()
{
  std::string root = MakeTree();
  auto* form = static_cast<TFrmain*>(Application->CreateForm(TFrmain::StaticClass()));
  form->Show();
  Application->ProcessMessages();

  // The scan, twice each way; the better time counts (the first pass warms the file system).
  double walkBest = 1e9, scanBest = 1e9;
  int entries = 0;
  for (int pass = 0; pass < 2; ++pass) {
    double t0 = Now();
    entries = Walk(root);
    walkBest = std::min(walkBest, Now() - t0);
    t0 = Now();
    form->ListFolder(root);
    scanBest = std::min(scanBest, Now() - t0);
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
    double t0 = Now();
    SendMessageA(lv, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < listed; ++i) {
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = const_cast<char*>("x");
      SendMessageA(lv, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(lv, WM_SETREDRAW, TRUE, 0);
    insertFloor = Now() - t0;
    DestroyWindow(lv);
  }
  std::printf("scan: %d entries, %d listed; bare walk %.3f s, scan with the list %.3f s, ratio %.2f\n",
              entries, listed, walkBest, scanBest, scanBest / walkBest);
  std::printf("      (%d bare inserts into the list control alone: %.3f s)\n", listed, insertFloor);

  // The search over the first 2,000 listed files, all of which hold the search text.
  std::vector<std::string> paths;
  TListItems* items = form->cxListView1->Items();
  for (int i = 0; i < items->Count() && static_cast<int>(paths.size()) < SearchedFiles; ++i)
    paths.push_back(items->Item(i)->SubItems()->Strings(0));
  items->BeginUpdate();
  while (items->Count() > static_cast<int>(paths.size())) items->Delete(items->Count() - 1);
  items->EndUpdate();
  form->dxBarEdit4->SetCommittedText("needle");

  // Directly: the same files loaded and searched in a hidden rich-edit control on this thread.
  TRichEdit* direct = New<TRichEdit>(form);
  direct->SetVisible(false);
  direct->SetParent(form);
  double t0 = Now();
  int found = 0;
  for (const std::string& path : paths) {
    direct->Clear();
    direct->SetText(TFrmain::LoadTextFile(path));
    if (TFrmain::FindInControl(direct, "needle", 0)) ++found;
  }
  double directTime = Now() - t0;
  Free(direct);

  t0 = Now();
  form->Action2->Execute();
  RunUntil(form, [](TFrmain* f) { return f->dxBarButton5->Enabled(); });
  double runTime = Now() - t0;
  std::printf(
      "search: %d files (%d found directly, %d kept); run %.3f s = %.0f files/s; direct %.3f s; "
      "ratio %.3f\n",
      static_cast<int>(paths.size()), found, items->Count(), runTime, paths.size() / runTime, directTime,
      runTime / directTime);
  std::fflush(stdout);
  form->Close();
  return 0;
}

TUnit* const BenchUnits[] = {&GraphicsUnit, &FormsUnit, &UmainUnit};
}  // namespace

int main()
{
  TUnitsScope units(BenchUnits);
  return Main();
}
