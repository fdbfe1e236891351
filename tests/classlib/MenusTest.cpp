// Shortcut texts and caption hot keys as menus show them.
#include <gtest/gtest.h>
#include "classlib/Menus.h"

namespace {
TEST(ShortCutText, ModifiersThenTheKeysName)
{
  struct TCase {
    TShortCut ShortCut;
    const char* Text;
  };
  const TCase cases[] = {
    {0, ""},
    {'A', "A"},
    {'7', "7"},
    {static_cast<TShortCut>(scCtrl | 'S'), "Ctrl+S"},
    {static_cast<TShortCut>(scShift | scCtrl | scAlt | 'Z'), "Shift+Ctrl+Alt+Z"},
    {VK_F1, "F1"},
    {static_cast<TShortCut>(scAlt | VK_F12), "Alt+F12"},
    {VK_DELETE, "Del"},
    {static_cast<TShortCut>(scShift | VK_INSERT), "Shift+Ins"},
    {VK_PRIOR, "PgUp"},
    {VK_RETURN, "Enter"},
    {VK_ESCAPE, "Esc"},
    {VK_BACK, "BkSp"},
    {static_cast<TShortCut>(scCtrl | VK_SPACE), "Ctrl+Space"},
    {scCtrl, ""},  // no key
  };
  for (const TCase& c : cases) EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text) << c.ShortCut;
  // Other keys are named by the keyboard.
  EXPECT_FALSE(ShortCutToText(VK_ADD).empty());
}

TEST(Hotkey, TheCharacterAfterTheLastSingleAmpersand)
{
  struct TCase {
    const char* Caption;
    const char* Hotkey;
  };
  const TCase cases[] = {
    {"", ""},           {"Open", ""},           {"&Open", "O"},     {"Save &as", "a"},
    {"&Open &recent", "r"}, {"Fish && chips", ""}, {"&&&x", "x"},   {"end&", ""},
    {"打开(&O)", "O"},  {"打开(&文)", "文"},      {"文&&件", ""},
  };
  for (const TCase& c : cases) EXPECT_EQ(GetHotkey(c.Caption), c.Hotkey) << c.Caption;
}
}  // namespace

namespace {
TEST(ShortCutText, TextToShortCutReadsWhatShortCutToTextWrites)
{
  // Every key in every shift state: the text read back names the same shortcut (keys that share a
  // name, like the two Shift keys, read back as the first of them).
  int named = 0;
  for (int key = 1; key <= 0xFF; ++key)
    for (int shift : {0, scShift + 0, scCtrl + 0, scAlt + 0, scShift | scCtrl, scShift | scAlt, scCtrl | scAlt,
                      scShift | scCtrl | scAlt}) {
      const auto shortCut = static_cast<TShortCut>(key | shift);
      const std::string text = ShortCutToText(shortCut);
      if (text.empty()) continue;
      ++named;
      const TShortCut read = TextToShortCut(text);
      EXPECT_EQ(ShortCutToText(read), text) << key;
      EXPECT_EQ(read & (scShift | scCtrl | scAlt), shift) << text;
    }
  EXPECT_GT(named, 8 * 60);

  struct TCase {
    const char* Text;
    TShortCut ShortCut;
  };
  const TCase cases[] = {
    {"Ctrl+F4", static_cast<TShortCut>(scCtrl | VK_F4)},
    {"alt+f4", static_cast<TShortCut>(scAlt | VK_F4)},                              // any case
    {"Ctrl+Shift+A", static_cast<TShortCut>(scShift | scCtrl | 'A')},               // any order
    {"Shift+Ctrl+Alt+PgUp", static_cast<TShortCut>(scShift | scCtrl | scAlt | VK_PRIOR)},
    {"Del", VK_DELETE},
    {"", 0},
    {"Ctrl+", 0},
    {"Ctrl", 0},
    {"Ctrl+Bogus", 0},
    {"F25", 0},
    {"Win+A", 0},
  };
  for (const TCase& c : cases) EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut) << c.Text;
}
}  // namespace
