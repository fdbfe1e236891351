// Ini files through the system's profile functions and in memory.
#include <gtest/gtest.h>
#include <algorithm>
#include "classlib/IniFiles.h"
#include "classlib/ReaderWork.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"
#include "tests/classlib/IniFileChecks.h"
#include "tests/support/ScopedSeam.h"

namespace {

void ExpectContents(const TCustomIniFile& ini, bool erased)
{
  EXPECT_EQ(ini.ReadString("常规", "标题", ""), "文件检索");
  EXPECT_EQ(ini.ReadString("general", "PATH", ""), "C:\\数据\\a b.txt");  // names ignore case
  EXPECT_EQ(ini.ReadInteger("General", "Count", 0), -42);
  EXPECT_EQ(ini.ReadInteger("General", "Hex", 0), 31);
  EXPECT_TRUE(ini.ReadBool("General", "Visible", false));
  EXPECT_EQ(ini.ReadString("General", "Missing", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadInteger("General", "Path", 7), 7);
  EXPECT_TRUE(ini.ReadBool("Nowhere", "Missing", true));
  EXPECT_TRUE(ini.ValueExists("General", "Count"));
  EXPECT_FALSE(ini.ValueExists("General", "Nope"));
  EXPECT_TRUE(ini.SectionExists("Empty"));
  EXPECT_FALSE(ini.SectionExists("Nope"));
  EXPECT_EQ(ini.ReadString("Empty", "Key", "x"), "");
  auto list = MakeOwned<TStringList>();
  ini.ReadSectionValues("General", *list);
  std::vector<std::string> general = {"Count=-42", "Hex=31", "Path=C:\\数据\\a b.txt", "Visible=1"};
  if (!erased) general.insert(general.begin() + 2, "Hidden=0");
  EXPECT_EQ(Sorted(*list), general);
  ini.ReadSections(*list);
  std::vector<std::string> sections = {"Empty", "General", "常规"};
  if (!erased) sections.insert(sections.begin(), "Data");
  EXPECT_EQ(Sorted(*list), sections);
  auto data = MakeOwned<TMemoryStream>();
  if (erased) {
    EXPECT_EQ(ini.ReadBinaryStream("Data", "Blob", *data), 0);
    EXPECT_FALSE(ini.ValueExists("General", "Hidden"));
    EXPECT_TRUE(ini.ReadBool("General", "Hidden", true));
  } else {
    EXPECT_FALSE(ini.ReadBool("General", "Hidden", true));
    ASSERT_EQ(ini.ReadBinaryStream("Data", "Blob", *data), 5);
    EXPECT_EQ(std::string(static_cast<const char*>(data->Memory()), 5), std::string("\x00\x01\x7F\x80\xFF", 5));
  }
}
}  // namespace

void ExpectIniFileRoundTrip(TCustomIniFile& ini, const std::function<TOwned<TCustomIniFile>()>& reopen)
{
  ini.WriteString("常规", "标题", "文件检索");
  ini.WriteString("General", "Path", "C:\\数据\\a b.txt");
  ini.WriteInteger("General", "Count", -42);
  ini.WriteInteger("General", "Hex", 31);
  ini.WriteBool("General", "Visible", true);
  ini.WriteBool("General", "Hidden", false);
  ini.WriteString("Empty", "Key", "");
  auto blob = MakeOwned<TMemoryStream>();
  blob->WriteBuffer("\x00\x01\x7F\x80\xFF", 5);
  blob->SetPosition(0);
  ini.WriteBinaryStream("Data", "Blob", *blob);
  ini.UpdateFile();
  {
    SCOPED_TRACE("same instance");
    ExpectContents(ini, false);
  }
  {
    SCOPED_TRACE("reopened");
    ExpectContents(*reopen(), false);
  }
  ini.EraseSection("Data");
  ini.DeleteKey("General", "Hidden");
  ini.UpdateFile();
  {
    SCOPED_TRACE("reopened after erasing");
    ExpectContents(*reopen(), true);
  }
}

namespace {

class IniFilesTest : public testing::Test {
protected:
  void SetUp() override
  {
    char dir[MAX_PATH], file[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "ini", 0, file);
    FFileName = file;
  }
  void TearDown() override { DeleteFileA(FFileName.c_str()); }
  std::string FFileName;
};

TEST_F(IniFilesTest, IniFileRoundTripsEveryKindOfValue)
{
  auto ini = MakeOwned<TIniFile>(FFileName);
  ExpectIniFileRoundTrip(*ini, [&] { return TOwned<TCustomIniFile>(New<TIniFile>(FFileName)); });
}

TEST_F(IniFilesTest, MemIniFileRoundTripsEveryKindOfValue)
{
  auto ini = MakeOwned<TMemIniFile>(FFileName);
  ExpectIniFileRoundTrip(*ini, [&] { return TOwned<TCustomIniFile>(New<TMemIniFile>(FFileName)); });
  // What the memory file wrote is what the system's functions read.
  auto system = MakeOwned<TIniFile>(FFileName);
  EXPECT_EQ(system->ReadString("常规", "标题", ""), "文件检索");
  EXPECT_EQ(system->ReadInteger("General", "Count", 0), -42);
}

TEST_F(IniFilesTest, MemIniFileReadsTheSystemsFiles)
{
  auto system = MakeOwned<TIniFile>(FFileName);
  system->WriteString("A", "Key", "值");
  system->WriteString("B", "Other", "x=y");
  system->UpdateFile();
  auto ini = MakeOwned<TMemIniFile>(FFileName);
  EXPECT_EQ(ini->ReadString("a", "KEY", ""), "值");
  EXPECT_EQ(ini->ReadString("B", "Other", ""), "x=y");
}

TEST_F(IniFilesTest, MemIniFileTextFormat)
{
  auto ini = MakeOwned<TMemIniFile>("");
  auto lines = MakeOwned<TStringList>();
  lines->SetText("stray=before any section\n"
                "; a comment\n"
                "[One]\n"
                "  a = 1 \n"
                "A=duplicate\n"
                "noequals\n"
                "\n"
                "[Two]\n"
                "b=\n"
                "[one]\n"
                "c=3\n");
  ini->SetStrings(*lines);
  EXPECT_EQ(ini->ReadString("One", "a", ""), "1");  // blanks trimmed, the first of a repeated key
  EXPECT_EQ(ini->ReadString("One", "noequals", "d"), "");
  EXPECT_EQ(ini->ReadString("One", "c", ""), "3");  // a section named again continues
  EXPECT_EQ(ini->ReadString("", "stray", "none"), "none");
  ini->WriteString("Three", "k", "v");
  ini->GetStrings(*lines);
  EXPECT_EQ(lines->Text(), "[One]\r\na=1\r\nnoequals=\r\nc=3\r\n\r\n[Two]\r\nb=\r\n\r\n[Three]\r\nk=v\r\n");
  ini->UpdateFile();  // no file name: nothing to write, no error
}

// Each section and key was looked for among all before it: 20,000 took 45 s to load. Names are
// found through an index now, and the work of loading grows with their number; the first of a
// repeated key still counts and a repeated section still continues the first.
TEST_F(IniFilesTest, MemIniFileLoadsManySectionsAndKeysInProportion)
{
  auto load = [](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "[Section" + std::to_string(i) + "]\nkey=" + std::to_string(i) + "\n";
    text += "[Keys]\n";
    for (int i = 0; i < count; ++i) text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    text += "KEY0=again\n[SECTION0]\nmore=1\n";
    auto lines = MakeOwned<TStringList>();
    lines->SetText(text);
    auto ini = MakeOwned<TMemIniFile>("");
    uint64_t steps = 0;
    {
      TScopedSetter<uint64_t*> counter(SetReaderWorkCounter, &steps);
      ini->SetStrings(*lines);
    }
    EXPECT_EQ(ini->ReadString("keys", "key0", ""), "0") << "the first of a repeated key";
    EXPECT_EQ(ini->ReadString("Section0", "More", ""), "1") << "a repeated section continues the first";
    EXPECT_EQ(ini->ReadString("section" + std::to_string(count - 1), "KEY", ""), std::to_string(count - 1));
    auto sections = MakeOwned<TStringList>();
    ini->ReadSections(*sections);
    EXPECT_EQ(sections->Count(), count + 1);
    return steps;
  };
  const uint64_t n = load(2000), n4 = load(8000);
  EXPECT_GT(n, 4000u);
  EXPECT_LT(n4, n * 5) << "4N names took " << n4 << " steps, N took " << n;

  // Erasing and deleting keep the indexes right.
  auto ini = MakeOwned<TMemIniFile>("");
  for (const char* section : {"A", "B", "C"})
    for (const char* key : {"x", "y", "z"}) ini->WriteString(section, key, std::string(section) + key);
  ini->EraseSection("b");
  ini->DeleteKey("a", "X");
  EXPECT_EQ(ini->ReadString("C", "z", ""), "Cz");
  EXPECT_EQ(ini->ReadString("A", "y", ""), "Ay");
  EXPECT_EQ(ini->ReadString("A", "z", ""), "Az");
  EXPECT_EQ(ini->ReadString("A", "x", "gone"), "gone");
  EXPECT_EQ(ini->ReadString("B", "x", "gone"), "gone");
  ini->WriteString("A", "x", "new");
  auto values = MakeOwned<TStringList>();
  ini->ReadSectionValues("A", *values);
  EXPECT_EQ(values->Text(), "y=Ay\r\nz=Az\r\nx=new\r\n");
}

TEST_F(IniFilesTest, ErrorsAreReported)
{
  auto ini = MakeOwned<TMemIniFile>(FFileName + "\\no such folder\\x.ini");
  ini->WriteString("S", "K", "V");
  EXPECT_THROW(ini->UpdateFile(), EIniFileException);
  auto bad = MakeOwned<TMemIniFile>("");
  bad->WriteString("S", "Blob", "0G");
  auto data = MakeOwned<TMemoryStream>();
  try {
    bad->ReadBinaryStream("S", "Blob", *data);
    ADD_FAILURE() << "no error";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Invalid binary value for Blob in section S");
  }
  EXPECT_EQ(bad->ReadInteger("S", "Blob", -1), -1);
}

}  // namespace
