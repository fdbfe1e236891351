// A list item's lines: button prefixes and the data index over lines with group lines.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "toolkit/bars/dxBarListItemLines.h"

TEST(dxBarListItemLines, ElevenLinesGetDigitsThenLetters)
{
  std::vector<std::string> prefixes;
  for (int k = 0; k < 11; ++k) prefixes.push_back(dxBarListItemNumberPrefix(k, true));
  EXPECT_EQ(prefixes, (std::vector<std::string>{"&1 ", "&2 ", "&3 ", "&4 ", "&5 ", "&6 ", "&7 ", "&8 ", "&9 ",
                                                 "&A ", "&B "}));
  EXPECT_EQ(dxBarListItemNumberPrefix(3, false), "");
}

TEST(dxBarListItemLines, DataIndexCountsButtonLinesBothWays)
{
  const std::vector<std::string> lines{"Alpha", "-", "Beta", "Gamma"};
  struct {
    int ItemIndex, DataIndex;
  } const pairs[] = {{0, 0}, {2, 1}, {3, 2}};
  for (auto p : pairs) {
    EXPECT_EQ(dxBarListItemDataIndex(lines, p.ItemIndex), p.DataIndex) << p.ItemIndex;
    EXPECT_EQ(dxBarListItemIndexOfData(lines, p.DataIndex), p.ItemIndex) << p.DataIndex;
  }
  // Reading outside the lines, and at a group line (it belongs to the button before it).
  EXPECT_EQ(dxBarListItemDataIndex(lines, -1), -1);
  EXPECT_EQ(dxBarListItemDataIndex(lines, 4), -1);
  EXPECT_EQ(dxBarListItemDataIndex(lines, 1), 0);
  // Writing past the last button line, below 0, or with no lines chooses nothing, never an index
  // outside the lines.
  EXPECT_EQ(dxBarListItemIndexOfData(lines, 3), -1);
  EXPECT_EQ(dxBarListItemIndexOfData(lines, 40), -1);
  EXPECT_EQ(dxBarListItemIndexOfData(lines, -1), -1);
  EXPECT_EQ(dxBarListItemIndexOfData({}, 0), -1);
  const std::vector<std::string> onlyGroups{"-", "-"};
  EXPECT_EQ(dxBarListItemIndexOfData(onlyGroups, 0), -1);
}
