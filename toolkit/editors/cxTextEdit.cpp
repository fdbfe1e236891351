#include "toolkit/editors/cxTextEdit.h"

#include "classlib/Win.h"

size_t cxAnsiCharsPrefixLength(std::string_view text, size_t maxChars)
{
  size_t pos = 0;
  for (size_t chars = 0; chars < maxChars && pos < text.size(); ++chars) {
    const bool lead = IsDBCSLeadByte(static_cast<BYTE>(text[pos])) != FALSE;
    pos += lead && pos + 1 < text.size() ? 2 : 1;
  }
  return pos;
}

bool cxReplaceWithinMaxLength(std::string_view before, std::string_view inserted, std::string_view after,
                              size_t maxLength, std::string& newText, size_t& caretPos)
{
  newText.assign(before);
  newText += inserted;
  caretPos = cxAnsiCharsPrefixLength(newText, maxLength);
  if (caretPos < before.size()) {
    newText.clear();
    caretPos = 0;
    return false;
  }
  newText += after;
  newText.resize(cxAnsiCharsPrefixLength(newText, maxLength));
  return true;
}
