// Late-bound automation calls, against the tests' own in-process automation object.
#include <gtest/gtest.h>
#include <fstream>
#include "classlib/ComObj.h"
#include "tests/support/WordStandIn.h"

namespace {

class ComObjTest : public testing::Test {
protected:
  TComInitializer Com;
  TWordStandIn StandIn;

  std::string MakeDocument(const std::string& bytes)
  {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + "comobj-test.doc";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
};

}  // namespace

TEST_F(ComObjTest, GetPutAndCallByName)
{
  std::string path = MakeDocument("第一页\f第二页");
  TOleObject app = CreateOleObject("Word.Application");
  TOleObject doc = app.GetObject("Documents").GetObject("Open", {path});
  app.Put("Visible", false);
  TOleObject sel = app.GetObject("Selection");
  EXPECT_EQ(sel.Get("Information", {4}).AsInteger(), 2);  // property get with an argument
  sel.Call("WholeStory");
  EXPECT_EQ(sel.Get("Text").AsString(), "第一页第二页");
  sel.Call("GoTo", {1, 2, std::string("2")});
  EXPECT_EQ(sel.Get("Start").AsInteger(), 6);
  app.Call("Quit");
  EXPECT_EQ(StandIn.Log(), "Create\nDocuments\nOpen(" + path + ")\nVisible=False\nSelection\nInformation(4)\n"
                           "WholeStory\nText\nGoTo(1,2,2)\nStart\nQuit\n");
}

TEST_F(ComObjTest, ByReferenceIntegerArguments)
{
  std::string path = MakeDocument("abcdef");
  TOleObject app = CreateOleObject("Word.Application");
  TOleObject doc = app.GetObject("Documents").GetObject("Open", {path});
  int32_t start = 1, finish = 4;
  TOleObject range = doc.GetObject("Range", {TOleArg::ByRef(start), TOleArg::ByRef(finish)});
  EXPECT_EQ(range.Get("Text").AsString(), "bcd");
  EXPECT_EQ(start, 1);
  EXPECT_EQ(finish, 4);
}

TEST_F(ComObjTest, ServerErrorsCarryTheirTextAndSource)
{
  TOleObject app = CreateOleObject("Word.Application");
  StandIn.FailAt("Quit");
  try {
    app.Call("Quit");
    FAIL();
  } catch (const EOleException& e) {
    EXPECT_EQ(e.Message(), "Stand-in failure at Quit");
    EXPECT_EQ(e.Source(), "WordStandIn");
  }
  try {
    app.Call("NoSuchMethod");
    FAIL();
  } catch (const EOleError& e) {
    EXPECT_EQ(e.Message(), "Method 'NoSuchMethod' not supported by automation object");
  }
  EXPECT_THROW(app.GetObject("Documents").Call("Open", {std::string("Z:\\no\\such\\file.doc")}), EOleException);
}

TEST_F(ComObjTest, UnknownProgramAndFailedCreationRaiseWithTheSystemText)
{
  try {
    CreateOleObject("No.Such.Program");
    FAIL();
  } catch (const EOleSysError& e) {
    EXPECT_EQ(e.ErrorCode(), CO_E_CLASSSTRING);
    EXPECT_FALSE(e.Message().empty());
  }
  StandIn.FailAt("Create");
  EXPECT_THROW(CreateOleObject("Word.Application"), EOleSysError);
  EXPECT_THROW(TOleObject(Variant(5)), EOleError);
  EXPECT_THROW(TOleObject().Call("Quit"), EOleError);
}
