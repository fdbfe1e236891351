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
