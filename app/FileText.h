#pragma once
// The text of a listed file as the program shows and searches it.
#include <string>
#include <string_view>

// Reads the file whole and answers its text up to the first NUL byte. Content that starts with the
// bytes EF BB (the UTF-8 byte-order mark) is decoded as UTF-8, mark included, and converted to the
// ANSI code page; malformed UTF-8 anywhere then gives an empty text. Other content is answered byte
// for byte. A file that cannot be opened or read, or that is too large to hold in memory, gives an
// empty text. Touches no shared state: any thread may call it.
std::string ReadFileText(std::string_view path);
