// Benchmark of the mask editors' regular-expression engine (a program, not a test): StepText over
// N and over 10N characters that every alternative of the pattern takes, on patterns whose
// alternatives overlap under repetition (the worst case: every step reaches the same states by
// several paths) and on a plain repetition (the best case). Each size is timed several times, the
// two sizes taking turns at going first; the medians are given with the lowest and highest time,
// and the ratio of the medians, which a linear engine keeps near 10 (an engine whose sets grow with
// every path would not finish).
//
// Arguments: [repeats (7)] [N (1000)].
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/Units.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/editors/cxEditConsts.h"
#include "toolkit/editors/cxRegExpr.h"
#include "BenchClock.h"

namespace {
struct TPattern {
  const char* Source;
  const char* Kind;
  std::string Unit;  // repeated to make the text
};

// Feeds the text from the start; answers the seconds taken and checks that all of it was taken.
double Feed(TcxRegExpr& expression, const std::string& text)
{
  std::string accepted;
  accepted.reserve(text.size());
  const double start = SecondsNow();
  expression.Restart();
  expression.StepText(text, accepted);
  const double seconds = SecondsNow() - start;
  if (accepted.size() != text.size()) {
    std::fprintf(stderr, "the pattern took %u of %u characters\n", static_cast<unsigned>(accepted.size()),
                 static_cast<unsigned>(text.size()));
    std::exit(1);
  }
  return seconds;
}

std::string Repeat(const std::string& unit, int length)
{
  std::string text;
  while (static_cast<int>(text.size()) < length) text += unit;
  text.resize(static_cast<size_t>(length));
  return text;
}

void Measure(const TPattern& pattern, int n, int repeats)
{
  auto expression = MakeOwned<TcxRegExpr>();
  auto source = MakeOwned<TStringStream>(std::string(pattern.Source));
  expression->CompileMask(source.get());
  const std::string small = Repeat(pattern.Unit, n), large = Repeat(pattern.Unit, 10 * n);
  std::vector<double> smallTimes, largeTimes;
  for (int r = 0; r < repeats; ++r) {
    for (int turn = 0; turn < 2; ++turn) {
      const bool smallFirst = (r % 2 == 0) == (turn == 0);
      (smallFirst ? smallTimes : largeTimes).push_back(Feed(*expression, smallFirst ? small : large));
    }
  }
  const TStats a = Stats(smallTimes), b = Stats(largeTimes);
  std::printf("%-20s %-6s N=%-6d %9.3f ms [%.3f..%.3f]   10N %9.3f ms [%.3f..%.3f]   ratio %5.2f   set %d of %d states\n",
              pattern.Source, pattern.Kind, n, a.Median * 1e3, a.Low * 1e3, a.High * 1e3, b.Median * 1e3, b.Low * 1e3,
              b.High * 1e3, a.Median > 0 ? b.Median / a.Median : 0.0, expression->Automat()->Current().Count(),
              expression->Automat()->StateCount());
  std::fflush(stdout);
}

int Main(int argc, char** argv)
{
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const int n = argc > 2 ? std::max(10, std::atoi(argv[2])) : 1000;
  const TPattern patterns[] = {
    {"\\d+", "best", "0123456789"},
    {"(\\w|\\d)+", "worst", "0123456789"},
    {"(a|\\w|[a-z])*", "worst", "a"},
    {"((\\d|[0-9])\\d?)+", "worst", "0123456789"},
  };
  std::printf("regular expressions: StepText, medians of %d runs of N and of 10N characters, lowest and highest in "
              "brackets\n",
              repeats);
  for (const TPattern& pattern : patterns) Measure(pattern, n, repeats);
  return 0;
}

TUnit* const BenchUnits[] = {&GraphicsUnit, &FormsUnit, &UnitdxCore, &UnitcxClasses, &UnitcxEditConsts};
}  // namespace

int main(int argc, char** argv)
{
  TUnitsScope units(BenchUnits);
  return Main(argc, argv);
}
