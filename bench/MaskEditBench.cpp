// Benchmark of the mask editor's keys (a program, not a test): characters typed into a TcxMaskEdit
// with a picture mask and with a regular-expression mask, against the class library's bare TEdit.
// Each editor takes the same number of characters per run, in rounds that refill the text; the
// three take turns at going first. Medians of the runs are given with the lowest and highest, and
// the ratio of each mask editor's median to the bare edit's.
//
// Arguments: [repeats (7)] [characters per run (4000)].
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/StdCtrls.h"
#include "classlib/Units.h"
#include "toolkit/editors/cxMaskEdit.h"
#include "BenchClock.h"

namespace {
// One character into a mask editor: its key step, then the EDIT window's own handling of what the
// step left, as a key typed into the editor goes.
void TypeInto(TcxMaskEdit* edit, char ch)
{
  char c = ch;
  edit->DoEditKeyPress(c);
  if (c) edit->InnerTextEdit()->CallDefaultProcedure(WM_CHAR, static_cast<unsigned char>(c), 1);
}

void HomeOf(TcxMaskEdit* edit)
{
  WORD key = VK_HOME;
  edit->DoEditKeyDown(key, {});
  if (key) edit->InnerTextEdit()->CallDefaultProcedure(WM_KEYDOWN, key, 1);
}

struct TSubject {
  const char* Name;
  std::function<void(int)> Type;  // types n characters
};

int Main(int argc, char** argv)
{
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const int count = argc > 2 ? std::max(100, std::atoi(argv[2])) : 4000;
  TForm* form = New<TForm>(Application, CreateNew);
  form->SetClientSize(400, 200);
  form->Show();

  auto* bare = New<TEdit>(form);
  bare->SetParent(form);
  bare->SetBounds(10, 10, 300, 24);

  auto* picture = New<TcxMaskEdit>(form);
  picture->SetParent(form);
  picture->SetBounds(10, 40, 300, 24);
  picture->Properties()->SetEditMask("(000)0000-0000");

  auto* regExpr = New<TcxMaskEdit>(form);
  regExpr->SetParent(form);
  regExpr->SetBounds(10, 70, 300, 24);
  regExpr->Properties()->SetMaskKind(emkRegExpr);
  regExpr->Properties()->SetEditMask("[a-z]+\\d*");

  // Rounds of 20 characters: the bare edit and the regular expression start again on an empty
  // text, the picture mask is overwritten from its first position.
  const std::string letters = "abcdefghijklmnopqrst", digits = "12345678901234567890";
  const TSubject subjects[] = {
      {"TEdit (bare)",
       [&](int n) {
         for (int i = 0; i < n; ++i) {
           if (i % 20 == 0) bare->SetText("");
           SendMessageA(bare->Handle(), WM_CHAR, static_cast<unsigned char>(letters[static_cast<size_t>(i % 20)]), 1);
         }
       }},
      {"TcxMaskEdit picture",
       [&](int n) {
         for (int i = 0; i < n; ++i) {
           if (i % 20 == 0) HomeOf(picture);
           TypeInto(picture, digits[static_cast<size_t>(i % 20)]);
         }
       }},
      {"TcxMaskEdit regexpr",
       [&](int n) {
         for (int i = 0; i < n; ++i) {
           if (i % 20 == 0) regExpr->InnerTextEdit()->SetText("");
           TypeInto(regExpr, i % 20 < 12 ? letters[static_cast<size_t>(i % 20)] : digits[static_cast<size_t>(i % 20)]);
         }
       }},
  };
  constexpr int subjectCount = 3;
  std::vector<double> times[subjectCount];
  for (int r = 0; r < repeats; ++r) {
    for (int turn = 0; turn < subjectCount; ++turn) {
      const int s = (r + turn) % subjectCount;
      const double start = SecondsNow();
      subjects[s].Type(count);
      times[s].push_back(SecondsNow() - start);
    }
  }
  std::printf("mask editor keys: %d characters per run, medians of %d runs (keys per second, lowest and highest in "
              "brackets)\n",
              count, repeats);
  const TStats base = Stats(times[0]);
  for (int s = 0; s < subjectCount; ++s) {
    const TStats st = Stats(times[s]);
    std::printf("%-22s %10.0f keys/s [%.0f..%.0f]   time ratio to bare %5.2f\n", subjects[s].Name, count / st.Median,
                count / st.High, count / st.Low, base.Median > 0 ? st.Median / base.Median : 0.0);
  }
  std::fflush(stdout);
  Free(form);
  return 0;
}

TUnit* const BenchUnits[] = {&GraphicsUnit, &FormsUnit, &UnitcxMaskEdit};
}  // namespace

int main(int argc, char** argv)
{
  TUnitsScope units(BenchUnits);
  return Main(argc, argv);
}
