// Reading a listed file's text: the byte-order mark turns UTF-8 into the ANSI code page (the mark
// itself is not part of the text), other content is kept byte for byte, and files that cannot be
// read give an empty text.
#include <gtest/gtest.h>
#include <string>
#include "app/FileText.h"
#include "classlib/Encoding.h"
#include "tests/app/TempFolder.h"

namespace {

const std::string Bom = "\xEF\xBB\xBF";

struct TTextCase {
  const char* What;
  std::string Bytes;
  std::string Expected;
};

}  // namespace

TEST(FileText, ContentTable)
{
  TTempFolder folder("filetext");
  // Literals are code page 936; the UTF-8 form of the same text is made from them.
  const std::string chinese = "中文检索测试";
  const std::string chineseUtf8 = AnsiToUtf8(chinese);
  const TTextCase cases[] = {
    {"mark and Chinese UTF-8", Bom + chineseUtf8 + "\r\nabc", chinese + "\r\nabc"},
    {"mark then a byte that cannot continue", "\xEF\xBB\x41rest", ""},
    {"mark then a malformed sequence later", Bom + "ok \xC3\x28 bad", ""},
    {"mark then a sequence cut off at the end", Bom + "abc\xE4\xB8", ""},
    {"no mark: bytes kept (code page 936)", chinese + "\tx\xFF\x80", chinese + "\tx\xFF\x80"},
    {"no mark: UTF-8 kept undecoded", chineseUtf8, chineseUtf8},
    {"NUL in the middle cuts the text", std::string("before\0after", 12), "before"},
    {"mark, then NUL: decoded up to it", Bom + "ab" + std::string(1, '\0') + "\xC3\x28", "ab"},
    {"empty file", "", ""},
    {"only the first two mark bytes", "\xEF\xBB", ""},
    // A character outside the Basic Multilingual Plane is decoded, not taken for malformed text.
    {"four-byte sequence", Bom + "a\xF0\x9F\x98\x80z", WideToAnsi(L"a\xD83D\xDE00z")},
    {"only the mark", Bom, ""},
    {"a second mark inside the text is text", Bom + "a" + Bom + "b", WideToAnsi(L"a\xFEFF" L"b")},
  };
  for (const TTextCase& c : cases) {
    std::string path = folder.Write("case.txt", c.Bytes);
    EXPECT_EQ(ReadFileText(path), c.Expected) << c.What;
  }
}

TEST(FileText, FilesThatCannotBeReadGiveEmptyText)
{
  TTempFolder folder("filetext-missing");
  EXPECT_EQ(ReadFileText(folder / "missing.txt"), "");
  EXPECT_EQ(ReadFileText(folder.Path()), "");  // a folder opens as no file
  EXPECT_EQ(ReadFileText(""), "");
  // Locked by another handle that shares no reading.
  std::string path = folder.Write("locked.txt", "secret");
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ReadFileText(path), "");
  CloseHandle(h);
  EXPECT_EQ(ReadFileText(path), "secret");
}

TEST(FileText, AFileTooLargeToHoldGivesEmptyTextWithoutWritingPastABuffer)
{
  TTempFolder folder("filetext-large");
  std::string path = folder / "huge.txt";
  // A sparse file of just under 4 GB: its size plus the two closing bytes would not fit 32 bits.
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size;
  size.QuadPart = 0xFFFFFFFFLL;
  ASSERT_TRUE(SetFilePointerEx(h, size, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(h));
  CloseHandle(h);
  EXPECT_EQ(ReadFileText(path), "");
  // Larger than 4 GB: the low 32 bits alone would read a small part of it.
  h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  size.QuadPart = 0x100000010LL;
  SetFilePointerEx(h, size, nullptr, FILE_BEGIN);
  SetEndOfFile(h);
  CloseHandle(h);
  EXPECT_EQ(ReadFileText(path), "");
}
