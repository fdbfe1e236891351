// Benchmark of typing into the text editor (a program, not a test): keys per second posted to the
// window's message queue (key down and key up, as the keyboard gives them; the application's
// message loop makes the characters), in the class library's bare edit box and in the text
// editor's inner edit, plain and with lookup items. With items, typed words that complete from the
// first item are the best case and words no item starts with (every item searched at every key)
// the worst. Each word is typed and then erased with Backspace, so the text stays short. The
// editors take turns at going first, run after run; medians of the runs are given with the lowest
// and highest, and each median against the bare edit box's.
//
// Arguments: [runs (7)] [words per run (100)] [lookup items (1000)].
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/StdCtrls.h"
#include "classlib/Units.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/editors/cxEdit.h"
#include "toolkit/editors/cxEditConsts.h"
#include "toolkit/editors/cxTextEdit.h"
#include "BenchClock.h"

namespace {

struct TSubject {
  const char* Name;
  HWND Window;      // where the keys go
  std::string Word; // typed, then erased
  std::vector<double> Rates;
};

// The message loop translates the key down into its character, as for a real keyboard.
void PostKey(HWND window, WORD key)
{
  const UINT scan = MapVirtualKeyA(key, 0);
  PostMessageA(window, WM_KEYDOWN, key, 1 | (scan << 16));
  PostMessageA(window, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000u);
}

// Types the words and answers keys per second; the queue is emptied after every word.
double Type(const TSubject& subject, int words)
{
  int keys = 0;
  const double start = SecondsNow();
  for (int w = 0; w < words; ++w) {
    for (char ch : subject.Word) {
      PostKey(subject.Window, static_cast<WORD>(VkKeyScanA(ch) & 0xFF));
      ++keys;
    }
    for (size_t i = 0; i < subject.Word.size(); ++i) {
      PostKey(subject.Window, VK_BACK);
      ++keys;
    }
    Application->ProcessMessages();
  }
  const double seconds = SecondsNow() - start;
  return seconds > 0 ? keys / seconds : 0;
}

void Report(const TSubject& subject, double baseline)
{
  const TStats s = Stats(subject.Rates);
  std::printf("%-34s %9.0f keys/s [%.0f..%.0f]   %5.2f of the bare edit box\n", subject.Name, s.Median, s.Low, s.High,
              baseline > 0 ? s.Median / baseline : 0.0);
}

int Main(int argc, char** argv)
{
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const int words = argc > 2 ? std::max(1, std::atoi(argv[2])) : 100;
  const int itemCount = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1000;

  TForm* form = New<TForm>(Application, CreateNew);
  form->SetClientSize(400, 200);
  auto* bare = New<TEdit>(form);
  bare->SetParent(form);
  bare->SetBounds(10, 10, 150, 24);
  auto* plain = New<TcxTextEdit>(form);
  plain->SetParent(form);
  plain->SetBounds(10, 40, 150, 24);
  auto* lookup = New<TcxTextEdit>(form);
  lookup->SetParent(form);
  lookup->SetBounds(10, 70, 150, 24);
  lookup->Properties()->LookupItems()->BeginUpdate();
  for (int i = 0; i < itemCount; ++i) {
    char item[16];
    std::snprintf(item, sizeof item, "item%05d", i);
    lookup->Properties()->LookupItems()->Add(item);
  }
  lookup->Properties()->LookupItems()->EndUpdate();
  form->Show();
  Application->ProcessMessages();

  const std::string word = "item0000";
  std::vector<TSubject> subjects = {
      {"bare edit box", bare->Handle(), word, {}},
      {"text editor, plain", plain->InnerTextEdit()->Handle(), word, {}},
      {"text editor, items: first matches", lookup->InnerTextEdit()->Handle(), word, {}},
      {"text editor, items: none match", lookup->InnerTextEdit()->Handle(), "zzzzzzzz", {}},
  };
  // One word each first, so that every editor has made what it makes on first use; the keys must
  // have reached the windows.
  for (const TSubject& subject : subjects) Type(subject, 1);
  PostKey(subjects[1].Window, 'A');
  Application->ProcessMessages();
  if (plain->Text() != "a") {
    std::fprintf(stderr, "the typed key did not reach the text editor (its text is \"%s\")\n", plain->Text().c_str());
    return 1;
  }
  PostKey(subjects[1].Window, VK_BACK);
  Application->ProcessMessages();
  for (int r = 0; r < runs; ++r) {
    for (size_t k = 0; k < subjects.size(); ++k) {
      // Every run starts with another editor, and odd runs go the other way round.
      size_t i = (k + static_cast<size_t>(r)) % subjects.size();
      if (r % 2) i = subjects.size() - 1 - i;
      subjects[i].Rates.push_back(Type(subjects[i], words));
    }
  }
  std::printf("typing through the message queue: medians of %d runs of %d words of %d keys (typed, then erased), "
              "lowest and highest in brackets; %d lookup items\n",
              runs, words, static_cast<int>(2 * word.size()), itemCount);
  const double baseline = Stats(subjects[0].Rates).Median;
  for (const TSubject& subject : subjects) Report(subject, baseline);
  std::fflush(stdout);
  Free(form);
  return 0;
}

TUnit* const BenchUnits[] = {&GraphicsUnit,   &FormsUnit,  &UnitdxCore,    &UnitcxClasses,
                             &UnitcxEditConsts, &UnitcxEdit, &UnitcxTextEdit};
}  // namespace

int main(int argc, char** argv)
{
  TUnitsScope units(BenchUnits);
  return Main(argc, argv);
}
