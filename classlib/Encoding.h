#pragma once
// Conversions between the ANSI code page (936), UTF-16 and UTF-8, and the layout of double-byte
// characters in ANSI text. Every function takes explicit lengths: embedded NUL bytes are text like
// any other and nothing is read past the end of the input.
#include <cstddef>
#include <string>
#include <string_view>

// ANSI (CP_ACP) and UTF-16. Characters the code page lacks become '?'; a malformed double-byte
// character becomes the system's default character.
std::wstring AnsiToWide(std::string_view s);
std::string WideToAnsi(std::wstring_view s);

// UTF-8 and UTF-16. Utf8ToWide replaces each malformed sequence (stray continuation byte, cut-off
// or overlong sequence, encoded surrogate, value above U+10FFFF) with U+FFFD; TryUtf8ToWide
// refuses such text instead. WideToUtf8 writes an unpaired surrogate as U+FFFD.
std::wstring Utf8ToWide(std::string_view s);
bool TryUtf8ToWide(std::string_view s, std::wstring& result);
std::string WideToUtf8(std::wstring_view s);
bool IsValidUtf8(std::string_view s);
// Bytes of the well-formed UTF-8 character at the front of s; 0 when it is malformed or cut off.
size_t Utf8SequenceLength(std::string_view s);

// UTF-8 and ANSI, through UTF-16, with the rules above.
std::string Utf8ToAnsi(std::string_view s);
bool TryUtf8ToAnsi(std::string_view s, std::string& result);
std::string AnsiToUtf8(std::string_view s);

// What the byte at `index` (0-based) of ANSI text is: a character of its own, the first byte of a
// double-byte character, or its second byte. A lead byte with nothing (or a NUL) after it counts as
// a single byte, so a caller stepping by characters never steps past the end. An index past the
// end gives mbSingleByte.
enum class TMbcsByteType { mbSingleByte, mbLeadByte, mbTrailByte };
TMbcsByteType ByteType(std::string_view s, size_t index);
// Bytes of the first character of s: 0 for empty text, 2 for a double-byte character, else 1.
size_t StrCharLength(std::string_view s);
