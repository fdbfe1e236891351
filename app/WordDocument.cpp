#include "app/WordDocument.h"

#include <cstdint>
#include "classlib/ComObj.h"

std::string PageHeader(int page)
{
  return "=============第" + std::to_string(page) + "页内容：===================";
}

namespace {
// What the server's calls mean: Information(4) is the page count, GoTo(1, 2, n) moves to the start
// of page n, EndKey(6, 1) extends the selection to the end of the document.
constexpr int wdNumberOfPagesInDocument = 4;
constexpr int wdGoToPage = 1;
constexpr int wdGoToAbsolute = 2;
constexpr int wdStory = 6;
constexpr int wdExtend = 1;

void ReadPages(const TOleObject& app, std::string_view path,
               const std::function<void(const std::string&)>& append)
{
  TOleObject doc(app.GetObject("Documents").Call("Open", {std::string(path)}));
  app.Put("Visible", false);
  // The selection is read anew at each use, as the server may hand out a new object each time.
  auto sel = [&app] { return app.GetObject("Selection"); };
  int pages = sel().Get("Information", {wdNumberOfPagesInDocument}).AsInteger();
  if (pages == 1) {
    sel().Call("WholeStory");
    append(PageHeader(1));
    append(sel().Get("Text").AsString());
    return;
  }
  for (int n = 1; n <= pages; ++n) {
    sel().Call("GoTo", {wdGoToPage, wdGoToAbsolute, std::to_string(n)});
    if (n == pages) {
      sel().Call("EndKey", {wdStory, wdExtend});
      std::string text = sel().GetObject("Range").Get("Text").AsString();
      append(PageHeader(n));
      append(text);
      return;
    }
    int32_t start = sel().Get("Start").AsInteger();
    sel().Call("GoTo", {wdGoToPage, wdGoToAbsolute, std::to_string(n + 1)});
    int32_t finish = sel().Get("Start").AsInteger();
    TOleObject range(doc.Call("Range", {TOleArg::ByRef(start), TOleArg::ByRef(finish)}));
    range.Call("Select");
    std::string text = range.Get("Text").AsString();
    append(PageHeader(n));
    append(text);
  }
}
}  // namespace

void ReadWordDocument(std::string_view path, const std::function<void(const std::string&)>& append)
{
  TOleObject app = CreateOleObject("Word.Application");
  try {
    ReadPages(app, path, append);
  } catch (...) {
    // The error that ended the reading is the one the caller hears of, not a failing Quit.
    try {
      app.Call("Quit");
    } catch (...) {
    }
    throw;
  }
  app.Call("Quit");
}
