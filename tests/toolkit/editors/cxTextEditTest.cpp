// The text editor's length rules: characters counted with double-byte characters whole, and
// replacements cut from the end to the maximum length.
#include <gtest/gtest.h>
#include <string>
#include "toolkit/editors/cxTextEdit.h"

namespace {

TEST(TextEditLength, PrefixLengthCountsDoubleByteCharactersWhole)
{
  struct TCase {
    std::string Text;
    size_t MaxChars, Bytes;
  };
  const TCase cases[] = {
      {"abcdef", 3, 3}, {"ab", 5, 2}, {"中文字", 2, 4}, {"a中b", 2, 3}, {"a中b", 3, 4},
      {"", 4, 0},       {"ab\xD6", 3, 3},  // a lone lead byte at the end is one character
      {"中文", 0, 0},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(cxAnsiCharsPrefixLength(c.Text, c.MaxChars), c.Bytes) << c.Text << " " << c.MaxChars;
}

TEST(TextEditLength, ReplacementsAreCutFromTheEnd)
{
  struct TCase {
    std::string Before, Inserted, After;
    size_t Max;
    bool Accepted;
    std::string Text;
    size_t Caret;
  };
  const TCase cases[] = {
      {"abc", "12345", "", 5, true, "abc12", 5},     // paste at the end keeps the first two
      {"ab", "123", "cd", 5, true, "ab123", 5},      // the text after the selection goes first
      {"ab", "1", "cdef", 5, true, "ab1cd", 3},
      {"中文", "一二三四五", "", 5, true, "中文一二三", 10},
      {"中", "a二b", "文", 3, true, "中a二", 5},
      {"abcdef", "x", "", 5, false, "", 0},         // too long already before the selection
      {"abcde", "x", "", 5, true, "abcde", 5},       // nothing of the insertion fits: caret stays
      {"", "", "", 5, true, "", 0},
  };
  for (const TCase& c : cases) {
    std::string text = "unchanged";
    size_t caret = 99;
    const bool accepted = cxReplaceWithinMaxLength(c.Before, c.Inserted, c.After, c.Max, text, caret);
    SCOPED_TRACE(c.Before + "|" + c.Inserted + "|" + c.After);
    EXPECT_EQ(accepted, c.Accepted);
    EXPECT_EQ(text, c.Text);
    EXPECT_EQ(caret, c.Caret);
  }
}

}  // namespace
