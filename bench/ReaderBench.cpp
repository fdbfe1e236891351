// Benchmark of the loads that were quadratic in their input (a program, not a test): an ini file of
// many sections and of many keys in one section, a rich edit's stored lines, a form of many
// components, and a toolkit image list's stored items without images. Each load is timed for N and
// for 4N items, several times with the two sizes taking turns at going first; the medians are given
// with the lowest and highest time, and the ratio of the medians, which a linear load keeps near 4
// (a quadratic one near 16).
//
// Arguments: [repeats (5)] [scale (1.0): N is multiplied by it].
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>
#include "classlib/FileDialogs.h"
#include "classlib/Filer.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/IniFiles.h"
#include "classlib/ObjectText.h"
#include "classlib/RichEdit.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"
#include "classlib/Units.h"
#include "toolkit/base/cxImageList.h"
#include "toolkit/base/dxCore.h"
#include "BenchClock.h"

namespace {
// What one load needs: made before the clock starts, read while it runs.
using TLoad = std::function<std::function<void()>(int n)>;

// An ini file of n sections of one key each, or of one section of n keys.
TLoad IniFile(bool sections)
{
  return [sections](int n) {
    std::string text = sections ? "" : "[Keys]\n";
    for (int i = 0; i < n; ++i)
      text += (sections ? "[Section" + std::to_string(i) + "]\nkey=" : "Key" + std::to_string(i) + "=") +
              std::to_string(i) + "\n";
    return [text] {
      auto lines = MakeOwned<TStringList>();
      lines->SetText(text);
      auto ini = MakeOwned<TMemIniFile>("");
      ini->SetStrings(*lines);
    };
  };
}

TLoad RichEditLines()
{
  return [](int n) {
    std::string text = "object R: TRichEdit\n  Lines.Strings = (";
    for (int i = 0; i < n; ++i) text += "\n    'line " + std::to_string(i) + "'";
    text += ")\nend\n";
    return [text] {
      TOwned<TRichEdit> edit(New<TRichEdit>(nullptr));
      ReadComponentFromText(text, edit.get());
    };
  };
}

TLoad Components()
{
  return [](int n) {
    std::string text = "object F: TForm\n";
    for (int i = 0; i < n; ++i) text += "  object D" + std::to_string(i) + ": TOpenDialog\n  end\n";
    text += "end\n";
    auto binary = std::make_shared<std::string>();
    auto stream = MakeOwned<TMemoryStream>();
    ObjectTextToBinary(text, *stream);
    binary->assign(static_cast<const char*>(stream->Memory()), static_cast<size_t>(stream->Size()));
    return [binary] {
      auto stream = MakeOwned<TStringStream>(*binary);
      TOwned<TForm> form(New<TForm>(nullptr, CreateNew));
      ReadComponentFromStream(*stream, form.get());
    };
  };
}

TLoad EmptyImageListItems()
{
  return [](int n) {
    auto list = TOwned<TcxImageList>(New<TcxImageList>(nullptr));
    auto stream = MakeOwned<TMemoryStream>();
    WriteComponentToStream(*stream, list.get());
    std::string bytes(static_cast<const char*>(stream->Memory()), static_cast<size_t>(stream->Size()));
    // An empty list stores no ImageInfo: the items go before the list's end, as a collection.
    std::string items = std::string("\x09ImageInfo\x0E", 11);
    for (int i = 0; i < n; ++i) items += std::string("\x01\x00", 2);
    items += '\0';
    bytes.insert(bytes.size() - 2, items);
    return [bytes] {
      auto stream = MakeOwned<TStringStream>(bytes);
      TOwned<TcxImageList> read(New<TcxImageList>(nullptr));
      ReadComponentFromStream(*stream, read.get());
    };
  };
}

void Measure(const char* name, const TLoad& load, int n, int repeats)
{
  std::function<void()> small = load(n), large = load(4 * n);
  std::vector<double> smallTimes, largeTimes;
  for (int r = 0; r < repeats; ++r) {
    for (int turn = 0; turn < 2; ++turn) {
      const bool smallFirst = (r % 2 == 0) == (turn == 0);
      const double start = SecondsNow();
      (smallFirst ? small : large)();
      (smallFirst ? smallTimes : largeTimes).push_back(SecondsNow() - start);
    }
  }
  const TStats a = Stats(smallTimes), b = Stats(largeTimes);
  std::printf("%-34s N=%-7d %8.3f s [%.3f..%.3f]   4N %8.3f s [%.3f..%.3f]   ratio %5.2f\n", name, n, a.Median, a.Low,
              a.High, b.Median, b.Low, b.High, a.Median > 0 ? b.Median / a.Median : 0.0);
  std::fflush(stdout);
}

int Main(int argc, char** argv)
{
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const double scale = argc > 2 ? std::max(0.01, std::atof(argv[2])) : 1.0;
  auto n = [&](int base) { return std::max(1, static_cast<int>(base * scale)); };
  std::printf("readers: medians of %d runs of N and of 4N items, lowest and highest in brackets\n", repeats);
  Measure("ini file, sections", IniFile(true), n(20000), repeats);
  Measure("ini file, keys of one section", IniFile(false), n(20000), repeats);
  Measure("rich edit, stored lines", RichEditLines(), n(8000), repeats);
  Measure("form, components", Components(), n(40000), repeats);
  Measure("toolkit image list, empty items", EmptyImageListItems(), n(100000), repeats);
  return 0;
}

TUnit* const BenchUnits[] = {&GraphicsUnit, &FormsUnit, &FileDialogsUnit, &UnitdxCore};
}  // namespace

int main(int argc, char** argv)
{
  TUnitsScope units(BenchUnits);
  return Main(argc, argv);
}
