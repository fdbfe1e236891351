// Benchmark of the main window's start (a program, not a test): the main window made from its
// stored form, shown and painted with all its child windows, against a bare form of the same client
// size read from a stored form the same way, shown and painted likewise. Each is measured several
// times, the two taking turns at going first; the medians are given with the lowest and highest
// value, and the ratio of the medians.
//
// Arguments: [repeats (9)].
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "app/Umain.h"
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/ObjectText.h"
#include "BenchClock.h"

namespace {
// Shows the form and paints it with every child window before returning; the seconds it took from
// start, which the caller took before making the form.
double ShowAndPaint(TCustomForm* form, double start)
{
  form->Show();
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Application->ProcessMessages();
  GdiFlush();
  return SecondsNow() - start;
}

double TimeMainWindow(SIZE& client)
{
  const double start = SecondsNow();
  auto* form = New<TFrmain>(Application);
  const double seconds = ShowAndPaint(form, start);
  client = SIZE{form->ClientWidth(), form->ClientHeight()};
  Free(form);
  Application->ProcessMessages();
  return seconds;
}

double TimeBareForm(SIZE client)
{
  const std::string text = "object BareForm: TForm\n  Left = 0\n  Top = 0\n  Caption = 'Bare'\n  ClientHeight = " +
                           std::to_string(client.cy) + "\n  ClientWidth = " + std::to_string(client.cx) +
                           "\n  Color = clBtnFace\nend\n";
  const double start = SecondsNow();
  auto* form = New<TForm>(Application, CreateNew);
  ReadComponentFromText(text, form);
  const double seconds = ShowAndPaint(form, start);
  Free(form);
  Application->ProcessMessages();
  return seconds;
}

void Report(const char* what, const std::vector<double>& times)
{
  const TStats s = Stats(times);
  std::printf("  %-34s median %7.1f ms  (lowest %7.1f, highest %7.1f)\n", what, s.Median * 1000, s.Low * 1000,
              s.High * 1000);
}

int Main(int argc, char** argv)
{
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  std::printf("Start of the main window, %d runs each, taking turns at going first\n", repeats);
  SIZE client{};
  TimeMainWindow(client);  // the first run loads fonts, resources and libraries for both
  TimeBareForm(client);
  std::vector<double> main, bare;
  for (int i = 0; i < repeats; ++i) {
    if (i % 2 == 0) {
      main.push_back(TimeMainWindow(client));
      bare.push_back(TimeBareForm(client));
    } else {
      bare.push_back(TimeBareForm(client));
      main.push_back(TimeMainWindow(client));
    }
  }
  Report("main window, made and painted", main);
  Report("bare form of the same size", bare);
  const double bareMedian = Stats(bare).Median;
  if (bareMedian > 0) std::printf("  ratio of the medians: %.2f\n", Stats(main).Median / bareMedian);
  return 0;
}

TUnit* const BenchUnits[] = {&GraphicsUnit, &FormsUnit, &UmainUnit};
}  // namespace

int main(int argc, char** argv)
{
  TUnitsScope units(BenchUnits);
  return Main(argc, argv);
}
