// Reading a document page by page through the automation server, against the stand-in server of
// the tests (pages separated by form feeds; it logs every call and can be told to fail one).
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "app/WordDocument.h"
#include "classlib/ComObj.h"
#include "tests/app/TempFolder.h"
#include "tests/support/WordStandIn.h"

namespace {

class WordDocumentTest : public testing::Test {
protected:
  TComInitializer Com;
  TWordStandIn StandIn;
  TTempFolder Folder{"worddoc"};

  std::vector<std::string> Read(const std::string& path)
  {
    std::vector<std::string> lines;
    ReadWordDocument(path, [&lines](const std::string& s) { lines.push_back(s); });
    return lines;
  }
};

}  // namespace

TEST_F(WordDocumentTest, HeaderLine)
{
  EXPECT_EQ(PageHeader(1), "=============第1页内容：===================");
  EXPECT_EQ(PageHeader(12), "=============第12页内容：===================");
}

TEST_F(WordDocumentTest, OnePageTakesTheWholeStory)
{
  std::string path = Folder.Write("one.doc", "第一页的内容\rsecond paragraph");
  EXPECT_EQ(Read(path), (std::vector<std::string>{PageHeader(1), "第一页的内容\rsecond paragraph"}));
  EXPECT_EQ(StandIn.Log(), "Create\nDocuments\nOpen(" + path +
                               ")\nVisible=False\nSelection\nInformation(4)\nSelection\nWholeStory\n"
                               "Selection\nText\nQuit\n");
}

TEST_F(WordDocumentTest, ThreePagesEachWithItsOwnText)
{
  std::string path = Folder.Write("three.doc", "page one\fpage two\fpage three, to the end");
  EXPECT_EQ(Read(path), (std::vector<std::string>{PageHeader(1), "page one", PageHeader(2), "page two",
                                                  PageHeader(3), "page three, to the end"}));
  // The exact calls, in order, with their arguments.
  EXPECT_EQ(StandIn.Log(),
            "Create\nDocuments\nOpen(" + path +
                ")\nVisible=False\nSelection\nInformation(4)\n"
                "Selection\nGoTo(1,2,1)\nSelection\nStart\nSelection\nGoTo(1,2,2)\nSelection\nStart\n"
                "Doc.Range(0,8)\nSelect\nRange.Text\n"
                "Selection\nGoTo(1,2,2)\nSelection\nStart\nSelection\nGoTo(1,2,3)\nSelection\nStart\n"
                "Doc.Range(8,16)\nSelect\nRange.Text\n"
                "Selection\nGoTo(1,2,3)\nSelection\nEndKey(6,1)\nSelection\nRange\nRange.Text\n"
                "Quit\n");
}

TEST_F(WordDocumentTest, NoPagesAppendNothingAndStillQuit)
{
  std::string path = Folder.Write("empty.doc", "");
  EXPECT_TRUE(Read(path).empty());
  EXPECT_EQ(StandIn.Log(),
            "Create\nDocuments\nOpen(" + path + ")\nVisible=False\nSelection\nInformation(4)\nQuit\n");
}

TEST_F(WordDocumentTest, AFailingCallRaisesAndTheServerQuits)
{
  std::string path = Folder.Write("fail.doc", "a\fb\fc");
  struct TFailCase {
    const char* Call;
    size_t LinesBefore;  // entries appended before the failure
  };
  const TFailCase cases[] = {{"Open", 0}, {"Visible", 0}, {"Information", 0}, {"GoTo#3", 2},
                             {"Range.Text#2", 2}, {"EndKey", 4}};
  for (const TFailCase& c : cases) {
    StandIn.FailAt(c.Call);
    StandIn.ClearLog();
    std::vector<std::string> lines;
    std::string message;
    try {
      ReadWordDocument(path, [&lines](const std::string& s) { lines.push_back(s); });
    } catch (const EOleException& e) {
      message = e.Message();
    }
    std::string call = c.Call;
    EXPECT_EQ(message, "Stand-in failure at " + call.substr(0, call.find('#'))) << c.Call;
    EXPECT_EQ(lines.size(), c.LinesBefore) << c.Call;
    std::string log = StandIn.Log();
    EXPECT_TRUE(log.size() >= 5 && log.substr(log.size() - 5) == "Quit\n") << c.Call << "\n" << log;
  }
  // A missing document: the server's error, and Quit.
  StandIn.FailAt("");
  StandIn.ClearLog();
  EXPECT_THROW(Read(Folder / "missing.doc"), EOleException);
  EXPECT_NE(StandIn.Log().find("Quit"), std::string::npos);
  // A server that cannot be created: nothing to quit.
  StandIn.FailAt("Create");
  StandIn.ClearLog();
  EXPECT_THROW(Read(path), EOleSysError);
  EXPECT_EQ(StandIn.Log(), "Create\n");
}

TEST_F(WordDocumentTest, AFailingQuitOnTheNormalPathIsRaised)
{
  std::string path = Folder.Write("quit.doc", "x");
  StandIn.FailAt("Quit");
  try {
    Read(path);
    FAIL() << "a failing Quit on the normal path is an error of the call";
  } catch (const EOleException& e) {
    EXPECT_EQ(e.Message(), "Stand-in failure at Quit");
  }
}
