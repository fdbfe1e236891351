// The picture mask: parsing, fitting text into the positions, value texts.
#include "toolkit/editors/cxStandardMask.h"
#include "classlib/Encoding.h"
#include "classlib/SysUtils.h"

CL_DEFINE_CLASS(TcxStandardMaskCustomItem);
CL_DEFINE_CLASS(TcxStandardMaskLiteralItem);
CL_DEFINE_CLASS(TcxStandardMaskManyItem);
CL_DEFINE_CLASS(TcxStandardMaskAlphaItem);
CL_DEFINE_CLASS(TcxStandardMaskAlphaNumericItem);
CL_DEFINE_CLASS(TcxStandardMaskASCIIItem);
CL_DEFINE_CLASS(TcxStandardMaskNumericItem);
CL_DEFINE_CLASS(TcxStandardMaskNumericSymbolItem);
CL_DEFINE_CLASS(TcxStandardMask);

namespace {
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }
bool IsPosition(const TcxStandardMaskCustomItem& item) { return item.Is<TcxStandardMaskManyItem>(); }
}  // namespace

// --- Items ---

bool TcxStandardMaskManyItem::Accepts(char& ch) const
{
  const bool fits = Fits(ch);
  ch = Converted(ch);
  return fits;
}

char TcxStandardMaskManyItem::Converted(char ch) const
{
  // The locale's conversion of a single-byte character; a lead byte alone stays as it is.
  const std::string_view one(&ch, 1);
  switch (FCaseControl) {
  case TcxStandardMaskCaseControl::Upper: return AnsiUpperCase(one)[0];
  case TcxStandardMaskCaseControl::Lower: return AnsiLowerCase(one)[0];
  case TcxStandardMaskCaseControl::Unchanged: break;
  }
  return ch;
}

bool TcxStandardMaskAlphaItem::Fits(char ch) const { return IsLetter(ch); }
bool TcxStandardMaskAlphaNumericItem::Fits(char ch) const { return IsLetter(ch) || IsDigit(ch); }
bool TcxStandardMaskNumericItem::Fits(char ch) const { return IsDigit(ch); }
bool TcxStandardMaskNumericSymbolItem::Fits(char ch) const { return IsDigit(ch) || ch == '+' || ch == '-'; }

// --- The mask ---

void TcxStandardMask::Clear()
{
  FMaskText.clear();
  FFitFromRight = false;
  FLiteralsInValue = true;
  FBlankChar = '_';
  FPositionItems.clear();
}

void TcxStandardMask::SetMask(std::string_view mask)
{
  Clear();
  FMaskText = mask;
  if (!mask.empty() && mask[0] == '!') {
    FFitFromRight = true;
    mask.remove_prefix(1);
  }
  Parse(mask);
}

void TcxStandardMask::Parse(std::string_view mask)
{
  using C = TcxStandardMaskCaseControl;
  C caseControl = C::Unchanged;
  auto add = [this](TcxStandardMaskCustomItem* item) { FPositionItems.emplace_back(item); };
  auto literal = [&](char ch) { add(New<TcxStandardMaskLiteralItem>(ch)); };
  // A double-byte character from pos on: both bytes literal positions.
  auto literalCharacter = [&](size_t pos) {
    const size_t length = StrCharLength(mask.substr(pos));
    for (size_t i = 0; i < length; ++i) literal(mask[pos + i]);
    return length;
  };
  for (size_t pos = 0; pos < mask.size();) {
    const char ch = mask[pos];
    if (StrCharLength(mask.substr(pos)) == 2) {
      pos += literalCharacter(pos);
      continue;
    }
    ++pos;
    switch (ch) {
    case '0': add(New<TcxStandardMaskNumericItem>(caseControl, false)); break;
    case '9': add(New<TcxStandardMaskNumericItem>(caseControl, true)); break;
    case '#': add(New<TcxStandardMaskNumericSymbolItem>(caseControl, true)); break;
    case 'L': add(New<TcxStandardMaskAlphaItem>(caseControl, false)); break;
    case 'l': add(New<TcxStandardMaskAlphaItem>(caseControl, true)); break;
    case 'A': add(New<TcxStandardMaskAlphaNumericItem>(caseControl, false)); break;
    case 'a': add(New<TcxStandardMaskAlphaNumericItem>(caseControl, true)); break;
    case 'C': add(New<TcxStandardMaskASCIIItem>(caseControl, false)); break;
    case 'c': add(New<TcxStandardMaskASCIIItem>(caseControl, true)); break;
    case '>': caseControl = C::Upper; break;
    case '<':
      if (pos < mask.size() && mask[pos] == '>') {
        caseControl = C::Unchanged;
        ++pos;
      } else {
        caseControl = C::Lower;
      }
      break;
    case '\\':
      if (pos < mask.size()) pos += literalCharacter(pos);
      break;
    case '/': literal(FormatSettings().DateSeparator); break;
    case ':': literal(FormatSettings().TimeSeparator); break;
    case ';': {
      const std::string_view rest = mask.substr(pos);
      const bool flag = !rest.empty() && (rest[0] == '0' || rest[0] == '1');
      if (flag && rest.size() == 3 && rest[1] == ';') {
        FLiteralsInValue = rest[0] != '0';
        FBlankChar = rest[2];
        return;
      }
      if (flag && rest.size() == 1) {
        FLiteralsInValue = rest[0] != '0';
        return;
      }
      literal(';');
      break;
    }
    default: literal(ch); break;
    }
  }
}

std::string TcxStandardMask::GetEmptyText() const
{
  std::string text;
  for (const auto& item : FPositionItems)
    text += IsPosition(*item) ? FBlankChar : static_cast<const TcxStandardMaskLiteralItem&>(*item).Literal();
  return text;
}

std::string TcxStandardMask::GetEmptyValueText() const
{
  std::string text;
  for (const auto& item : FPositionItems) {
    if (IsPosition(*item)) text += ' ';
    else if (FLiteralsInValue) text += static_cast<const TcxStandardMaskLiteralItem&>(*item).Literal();
  }
  return text;
}

int TcxStandardMask::Place(std::string& result, char c, int index, int step, bool convertCase,
                           bool literalsInText) const
{
  for (int i = index; i >= 0 && i < Count(); i += step) {
    const TcxStandardMaskCustomItem& item = *FPositionItems[i];
    const bool position = IsPosition(item);
    if (!FLiteralsInValue && !literalsInText && !position && c != FBlankChar) continue;
    char converted = c;
    if (item.Accepts(converted)) {
      result[i] = convertCase ? converted : c;
      return i;
    }
    if (position && (c == FBlankChar || c == ' ')) return i;
  }
  return -1;
}

void TcxStandardMask::Format(std::string& text, bool convertCase, bool literalsInText) const
{
  std::string result = GetEmptyText();
  const int step = FFitFromRight ? -1 : 1;
  int index = FFitFromRight ? Count() - 1 : 0;
  const int length = static_cast<int>(text.size());
  for (int k = 0; k < length; ++k) {
    const char c = text[FFitFromRight ? length - 1 - k : k];
    const int placed = Place(result, c, index, step, convertCase, literalsInText);
    if (placed >= 0) index = placed + step;
  }
  text = std::move(result);
}

void TcxStandardMask::GetValueText(std::string& text) const
{
  std::string value;
  const size_t count = std::min(text.size(), FPositionItems.size());
  for (size_t i = 0; i < count; ++i)
    if (FLiteralsInValue || IsPosition(*FPositionItems[i])) value += text[i] == FBlankChar ? ' ' : text[i];
  text = std::move(value);
}

bool TcxStandardMask::IsFullValid(std::string& text) const
{
  if (text.size() != FPositionItems.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const TcxStandardMaskCustomItem& item = *FPositionItems[i];
    const char typed = text[i];
    char ch = typed;
    const bool accepted = item.Accepts(ch);
    text[i] = ch;
    if (accepted) continue;
    const auto* position = dynamic_cast<const TcxStandardMaskManyItem*>(&item);
    if (!position || !position->Optional() || (typed != FBlankChar && typed != ' ')) return false;
  }
  return true;
}
