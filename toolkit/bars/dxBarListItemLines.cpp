#include "toolkit/bars/dxBarListItemLines.h"

std::string dxBarListItemNumberPrefix(int k, bool showNumbers)
{
  if (!showNumbers) return {};
  const char mark = k < 9 ? static_cast<char>('1' + k) : static_cast<char>('A' + (k - 9));
  return std::string("&") + mark + " ";
}

int dxBarListItemDataIndex(std::span<const std::string> lines, int itemIndex)
{
  if (itemIndex < 0 || itemIndex >= static_cast<int>(lines.size())) return -1;
  int count = 0;
  for (int i = 0; i <= itemIndex; ++i)
    if (!dxBarListItemIsSeparatorLine(lines[i])) ++count;
  return count - 1;
}

int dxBarListItemIndexOfData(std::span<const std::string> lines, int dataIndex)
{
  if (dataIndex < 0) return -1;
  int count = 0;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    if (dxBarListItemIsSeparatorLine(lines[i])) continue;
    if (count == dataIndex) return i;
    ++count;
  }
  // Past the last button line there is no line to choose; an index equal to the line count would
  // lie outside the lines.
  return -1;
}
