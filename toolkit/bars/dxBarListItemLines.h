#pragma once
// The arithmetic of a list item's lines: a list item shows one numbered button per line of its
// strings, a line "-" standing for a group line before the next button. Its data index counts
// the lines that are buttons.
#include <span>
#include <string>

// The caption prefix of the button for data line k (counted from 0): "&1 " to "&9 ", then "&A ",
// "&B " and on; empty without numbers.
std::string dxBarListItemNumberPrefix(int k, bool showNumbers);
// Whether the line stands for a group line rather than a button.
inline bool dxBarListItemIsSeparatorLine(const std::string& line) { return line == "-"; }
// The data index of the line itemIndex: -1 when it lies outside the lines.
int dxBarListItemDataIndex(std::span<const std::string> lines, int itemIndex);
// The line of the data index: -1 when no button line has it (no lines, a negative index, or an
// index past the last button line).
int dxBarListItemIndexOfData(std::span<const std::string> lines, int dataIndex);
