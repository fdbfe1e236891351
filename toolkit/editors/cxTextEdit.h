#pragma once
// The single-line text editor (unit cxTextEdit). This part holds the text-length rules every typed,
// pasted or programmatic replacement goes through; the lookup data lives in cxTextEditLookupData.
#include <string>
#include <string_view>

// The number of bytes that make up the first maxChars characters of the ANSI text (all of it when
// it is shorter). A double-byte character counts as one and is never split; a lead byte at the end
// of the text, without its second byte, counts as one character.
size_t cxAnsiCharsPrefixLength(std::string_view text, size_t maxChars);

// Replaces the selection of a text limited to maxLength characters: newText is before + inserted
// + after, cut to its first maxLength characters, so that what exceeds the limit is dropped from the
// end (first from the text after the selection, then from the inserted characters). caretPos is
// the byte position after the inserted characters that were kept. Answers false (the replacement
// is refused) when not even the text before the selection fits.
bool cxReplaceWithinMaxLength(std::string_view before, std::string_view inserted, std::string_view after,
                              size_t maxLength, std::string& newText, size_t& caretPos);
