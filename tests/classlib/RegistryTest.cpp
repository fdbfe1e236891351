// The registry classes over the real registry of the test prefix, below a key of the test's own
// that is deleted afterwards.
#include <gtest/gtest.h>
#include <algorithm>
#include "classlib/Registry.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"
#include "tests/classlib/IniFileChecks.h"

namespace {


std::string ErrorOf(const std::function<void()>& f)
{
  try {
    f();
  } catch (const ERegistryException& e) {
    return e.Message();
  }
  return "no error";
}

class RegistryTest : public testing::Test {
protected:
  void SetUp() override
  {
    FKey = "Software\\ClasslibTests\\Registry" + std::to_string(GetCurrentProcessId());
    auto reg = MakeOwned<TRegistry>();
    reg->DeleteKey("\\" + FKey);
  }
  void TearDown() override
  {
    auto reg = MakeOwned<TRegistry>();
    reg->DeleteKey("\\" + FKey);
    EXPECT_FALSE(reg->KeyExists("\\" + FKey));
    reg->DeleteKey("\\Software\\ClasslibTests");
  }
  std::string FKey;
};

TEST_F(RegistryTest, ValuesRoundTrip)
{
  {
    auto reg = MakeOwned<TRegistry>();
    EXPECT_EQ(reg->RootKey(), HKEY_CURRENT_USER);
    EXPECT_FALSE(reg->OpenKey(FKey, false));
    ASSERT_TRUE(reg->OpenKey(FKey, true));
    EXPECT_EQ(reg->CurrentPath(), FKey);
    reg->WriteString("标题", "文件检索");
    reg->WriteExpandString("Path", "%TEMP%\\x");
    reg->WriteInteger("Count", -42);
    reg->WriteBool("Visible", true);
    const uint8_t bytes[] = {0, 1, 0x7F, 0x80, 0xFF};
    reg->WriteBinaryData("Blob", bytes, 5);
    reg->WriteString("", "default value");
  }
  auto reg = MakeOwned<TRegistry>();
  ASSERT_TRUE(reg->OpenKeyReadOnly("\\" + FKey));
  EXPECT_EQ(reg->ReadString("标题"), "文件检索");
  EXPECT_EQ(reg->ReadString("Path"), "%TEMP%\\x");
  EXPECT_EQ(reg->ReadInteger("Count"), -42);
  EXPECT_TRUE(reg->ReadBool("Visible"));
  EXPECT_EQ(reg->ReadBinaryData("Blob"), (std::vector<uint8_t>{0, 1, 0x7F, 0x80, 0xFF}));
  uint8_t small[2];
  EXPECT_EQ(ErrorOf([&] { reg->ReadBinaryData("Blob", small, 2); }), "Buffer too small for the data of 'Blob'");
  EXPECT_EQ(reg->ReadString(""), "default value");
  EXPECT_EQ(reg->ReadString("Missing"), "");
  EXPECT_EQ(reg->GetDataType("标题"), TRegDataType::rdString);
  EXPECT_EQ(reg->GetDataType("Path"), TRegDataType::rdExpandString);
  EXPECT_EQ(reg->GetDataType("Count"), TRegDataType::rdInteger);
  EXPECT_EQ(reg->GetDataType("Blob"), TRegDataType::rdBinary);
  EXPECT_EQ(reg->GetDataSize("Blob"), 5);
  EXPECT_EQ(reg->GetDataSize("Missing"), -1);
  EXPECT_TRUE(reg->ValueExists("Count"));
  EXPECT_FALSE(reg->ValueExists("Missing"));
  auto names = MakeOwned<TStringList>();
  reg->GetValueNames(*names);
  EXPECT_EQ(Sorted(*names), (std::vector<std::string>{"", "Blob", "Count", "Path", "Visible", "标题"}));
  // Errors name the value.
  EXPECT_EQ(ErrorOf([&] { reg->ReadInteger("标题"); }), "Invalid data type for '标题'");
  EXPECT_EQ(ErrorOf([&] { reg->ReadString("Count"); }), "Invalid data type for 'Count'");
  EXPECT_EQ(ErrorOf([&] { reg->ReadInteger("Missing"); }), "Failed to get data for 'Missing'");
  EXPECT_EQ(ErrorOf([&] { reg->WriteString("New", "x"); }), "Failed to set data for 'New'");  // read-only
  EXPECT_FALSE(reg->DeleteValue("Count"));
  reg->CloseKey();
  EXPECT_EQ(reg->CurrentPath(), "");
  EXPECT_EQ(ErrorOf([&] { reg->WriteInteger("Nowhere", 1); }), "Failed to set data for 'Nowhere'");

  ASSERT_TRUE(reg->OpenKey(FKey, false));
  EXPECT_TRUE(reg->DeleteValue("Count"));
  EXPECT_FALSE(reg->ValueExists("Count"));
}

TEST_F(RegistryTest, KeysNestAndDeleteWithTheirSubkeys)
{
  auto reg = MakeOwned<TRegistry>();
  ASSERT_TRUE(reg->OpenKey(FKey, true));
  EXPECT_TRUE(reg->CreateKey("A\\Deep\\Deeper"));
  EXPECT_TRUE(reg->CreateKey("B"));
  EXPECT_TRUE(reg->HasSubKeys());
  auto names = MakeOwned<TStringList>();
  reg->GetKeyNames(*names);
  EXPECT_EQ(Sorted(*names), (std::vector<std::string>{"A", "B"}));
  EXPECT_TRUE(reg->KeyExists("A\\Deep"));
  EXPECT_TRUE(reg->KeyExists("\\" + FKey + "\\A\\Deep\\Deeper"));
  EXPECT_FALSE(reg->KeyExists("C"));
  // Relative paths go on from the open key; a failed open leaves it open.
  ASSERT_TRUE(reg->OpenKey("A", false));
  EXPECT_EQ(reg->CurrentPath(), FKey + "\\A");
  EXPECT_FALSE(reg->OpenKey("Missing", false));
  EXPECT_EQ(reg->CurrentPath(), FKey + "\\A");
  ASSERT_TRUE(reg->OpenKey("Deep\\", false));
  EXPECT_EQ(reg->CurrentPath(), FKey + "\\A\\Deep");
  reg->WriteString("v", "1");
  ASSERT_TRUE(reg->OpenKey("\\" + FKey, false));
  EXPECT_EQ(reg->CurrentPath(), FKey);
  EXPECT_TRUE(reg->DeleteKey("A"));
  EXPECT_FALSE(reg->KeyExists("A"));
  EXPECT_FALSE(reg->DeleteKey("A"));
  reg->GetKeyNames(*names);
  EXPECT_EQ(Sorted(*names), std::vector<std::string>{"B"});
}

TEST_F(RegistryTest, RegistryIniFileRoundTripsEveryKindOfValue)
{
  auto ini = MakeOwned<TRegistryIniFile>(FKey);
  ExpectIniFileRoundTrip(*ini, [&] { return TOwned<TCustomIniFile>(New<TRegistryIniFile>(FKey)); });
  // Sections are subkeys; integers and Booleans are DWORD values.
  auto reg = MakeOwned<TRegistry>();
  ASSERT_TRUE(reg->OpenKeyReadOnly("\\" + FKey + "\\General"));
  EXPECT_EQ(reg->GetDataType("Count"), TRegDataType::rdInteger);
  EXPECT_EQ(reg->ReadInteger("Count"), -42);
}

TEST_F(RegistryTest, RegIniFileSectionsMayBeAbsoluteKeyPaths)
{
  auto ini = MakeOwned<TRegIniFile>(FKey + "\\Layout");
  ini->WriteString("\\" + FKey + "\\Layout\\Bar0", "Caption", "主菜单");
  ini->WriteInteger("Bar1", "Row", 1);
  ini->WriteString("", "Top", "here");
  EXPECT_EQ(ini->ReadString("Bar0", "Caption", ""), "主菜单");
  EXPECT_EQ(ini->ReadInteger("\\" + FKey + "\\Layout\\Bar1", "Row", 0), 1);
  EXPECT_EQ(ini->ReadString("", "Top", ""), "here");
  ini->WriteString("Bar1", "Text", "12");
  EXPECT_EQ(ini->ReadInteger("Bar1", "Text", 0), 12);   // a number stored as text
  EXPECT_EQ(ini->ReadString("Bar1", "Row", ""), "1");   // and a DWORD read as text
  auto sections = MakeOwned<TStringList>();
  ini->ReadSections(*sections);
  EXPECT_EQ(Sorted(*sections), (std::vector<std::string>{"Bar0", "Bar1"}));
  ini->EraseSection("Bar0");
  ini->ReadSections(*sections);
  EXPECT_EQ(Sorted(*sections), std::vector<std::string>{"Bar1"});
}

}  // namespace
