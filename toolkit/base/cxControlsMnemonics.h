#pragma once
// Captions without their mnemonic marks. The functions belong to the control framework's helpers,
// but sit with the base, since the base's wide-text layout hides prefixes with them.
#include <string>
#include <string_view>

// The caption without its "&" marks: "&&" gives "&", "&x" gives "x"; a single "&" as the very last
// character becomes "_" with keepTrailing, else is dropped.
std::string RemoveMnemonics(std::string_view caption, bool keepTrailing = false);
std::wstring RemoveMnemonicsW(std::wstring_view caption, bool keepTrailing = false);
