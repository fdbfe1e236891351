#pragma once
// How a list or a tree keeps its items in order, shared by the list view and the tree view.
#include <string_view>
#include "classlib/TypInfo.h"

// Not at all, or by OnCompare (else by text ignoring case) when the data, the text or either
// changes.
enum class TSortType { stNone, stData, stText, stBoth };
using enum TSortType;

inline constexpr std::string_view SortTypeNames[] = {"stNone", "stData", "stText", "stBoth"};
// The names of TSortType's values, for the properties of that type.
inline constexpr TEnumInfo SortTypeInfo = EnumInfo<TSortType::stBoth>("TSortType", SortTypeNames);
