#include "classlib/Parser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include "classlib/Object.h"

namespace {
bool IsAlpha(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsHex(int c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
int HexValue(int c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

void AppendCodePoint(std::wstring& out, uint32_t cp)
{
  if (cp >= 0x10000) {
    cp -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (cp >> 10));
    out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
  } else {
    out += static_cast<wchar_t>(cp);
  }
}

}  // namespace

TParser::TParser(std::string_view text) : FSource(text)
{
  if (FSource.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
  NextToken();
}

int TParser::Peek(size_t ahead) const
{
  size_t i = FPos + ahead;
  return i < FSource.size() ? static_cast<unsigned char>(FSource[i]) : -1;
}

void TParser::SkipBlanks()
{
  for (;;) {
    int c = Peek();
    if (c == '\n') {
      ++FLine;
    } else if (c < 0 || c > ' ') {
      return;
    }
    ++FPos;
  }
}

TToken TParser::NextToken()
{
  SkipBlanks();
  FTokenLine = FLine;
  FText.clear();
  FWide.clear();
  FInt = 0;
  FFloat = 0;
  FFloatType = 0;
  FChar = 0;
  int c = Peek();
  if (c < 0) {
    FToken = TToken::toEOF;
  } else if (IsAlpha(c)) {
    ReadSymbol();
  } else if (IsDigit(c) || c == '$' || (c == '-' && (IsDigit(Peek(1)) || Peek(1) == '$'))) {
    ReadNumber();
  } else if (c == '\'' || c == '#') {
    ReadString();
  } else {
    FToken = TToken::toChar;
    FChar = static_cast<char>(c);
    FText.assign(1, FChar);
    ++FPos;
  }
  return FToken;
}

void TParser::ReadSymbol()
{
  size_t start = FPos;
  while (IsAlpha(Peek()) || IsDigit(Peek())) ++FPos;
  FToken = TToken::toSymbol;
  FText.assign(FSource.substr(start, FPos - start));
}

void TParser::ReadNumber()
{
  size_t start = FPos;
  bool negative = Peek() == '-';
  if (negative) ++FPos;
  if (Peek() == '$') {
    ++FPos;
    size_t digits = FPos;
    while (IsHex(Peek())) ++FPos;
    FText.assign(FSource.substr(start, FPos - start));
    uint64_t v = 0;
    auto [end, ec] = std::from_chars(FSource.data() + digits, FSource.data() + FPos, v, 16);
    (void)end;
    if (FPos == digits || ec != std::errc()) Error("Invalid integer value " + FText);
    FToken = TToken::toInteger;
    FInt = negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
    return;
  }
  while (IsDigit(Peek())) ++FPos;
  bool isFloat = false;
  if (Peek() == '.' && IsDigit(Peek(1))) {
    isFloat = true;
    ++FPos;
    while (IsDigit(Peek())) ++FPos;
  }
  if ((Peek() == 'e' || Peek() == 'E') &&
      (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
    isFloat = true;
    FPos += 2;
    while (IsDigit(Peek())) ++FPos;
  }
  std::string number(FSource.substr(start, FPos - start));
  int suffix = Peek() | 0x20;
  if (suffix == 's' || suffix == 'c' || suffix == 'd') {
    if (!IsAlpha(Peek(1)) && !IsDigit(Peek(1))) {
      isFloat = true;
      FFloatType = static_cast<char>(suffix);
      ++FPos;
    }
  }
  FText.assign(FSource.substr(start, FPos - start));
  if (IsAlpha(Peek())) {
    while (IsAlpha(Peek()) || IsDigit(Peek())) ++FPos;
    FText.assign(FSource.substr(start, FPos - start));
    Error("Invalid number " + FText);
  }
  if (isFloat) {
    FToken = TToken::toFloat;
    char* end = nullptr;
    FFloat = std::strtod(number.c_str(), &end);
    // Single and currency values have ranges of their own: past them a value cannot be stored.
    const bool inRange = FFloatType == 's'   ? std::fabs(FFloat) <= 3.4028234663852886e38
                         : FFloatType == 'c' ? std::fabs(FFloat * 10000.0) < 9223372036854775807.0
                                             : std::isfinite(FFloat);
    if (!inRange) Error("Invalid floating point value " + FText);
  } else {
    FToken = TToken::toInteger;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), FInt);
    (void)end;
    if (ec != std::errc()) Error("Invalid integer value " + FText);
  }
}

void TParser::ReadString()
{
  size_t start = FPos;
  FToken = TToken::toString;
  for (;;) {
    int c = Peek();
    if (c == '\'') {
      ++FPos;
      for (;;) {
        c = Peek();
        if (c < 0 || c == '\r' || c == '\n') {
          // Quote at most 40 characters of the string in the message.
          const size_t length = FPos - start;
          std::string text(FSource.substr(start, std::min<size_t>(length, 40)));
          if (length > 40) text.append("...");
          Error("Unterminated string " + text);
        }
        if (c == '\'') {
          ++FPos;
          if (Peek() != '\'') break;
          ++FPos;
          FWide += L'\'';
          continue;
        }
        size_t n = Utf8SequenceLength(FSource.substr(FPos));
        std::wstring ch;
        if (!n || !TryUtf8ToWide(FSource.substr(FPos, n), ch)) Error("Invalid UTF-8 text in string");
        FPos += n;
        FWide += ch;
      }
    } else if (c == '#') {
      ++FPos;
      size_t digits = FPos;
      int base = 10;
      if (Peek() == '$') {
        base = 16;
        digits = ++FPos;
      }
      while (base == 16 ? IsHex(Peek()) : IsDigit(Peek())) ++FPos;
      uint32_t cp = 0;
      auto [end, ec] = std::from_chars(FSource.data() + digits, FSource.data() + FPos, cp, base);
      (void)end;
      if (FPos == digits || ec != std::errc() || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        FText.assign(FSource.substr(start, FPos - start));
        Error("Invalid character code in " + FText);
      }
      AppendCodePoint(FWide, cp);
    } else {
      break;
    }
  }
  FText.assign(FSource.substr(start, FPos - start));
}

bool TParser::IsSymbol(std::string_view symbol) const
{
  return FToken == TToken::toSymbol && SameIdent(FText, symbol);
}

std::string TParser::TokenDescription() const
{
  switch (FToken) {
    case TToken::toEOF: return "end of file";
    case TToken::toChar: return std::string("'") + FChar + "'";
    default: return FText;
  }
}

void TParser::CheckChar(char c) const
{
  if (IsChar(c)) return;
  std::string message{'\'', c, '\''};
  message.append(" expected but ").append(TokenDescription()).append(" found");
  Error(message);
}

void TParser::CheckSymbol(std::string_view symbol) const
{
  if (!IsSymbol(symbol)) Error("'" + std::string(symbol) + "' expected but " + TokenDescription() + " found");
}

void TParser::CheckToken(TToken token) const
{
  if (FToken == token) return;
  const char* what = token == TToken::toSymbol    ? "Identifier"
                     : token == TToken::toString  ? "String"
                     : token == TToken::toInteger ? "Integer"
                     : token == TToken::toFloat   ? "Number"
                                                  : "Token";
  Error(std::string(what) + " expected but " + TokenDescription() + " found");
}

std::vector<uint8_t> TParser::ReadBinaryBlock()
{
  int startLine = FTokenLine;
  std::vector<uint8_t> data;
  for (;;) {
    SkipBlanks();
    int c = Peek();
    if (c == '}') {
      ++FPos;
      break;
    }
    if (c < 0) ErrorAt(startLine, "Binary block is not terminated: '}' expected but end of file found");
    if (!IsHex(c) || !IsHex(Peek(1))) {
      FTokenLine = FLine;
      std::string bad(1, static_cast<char>(c));
      if (IsHex(c) && Peek(1) >= 0) bad += static_cast<char>(Peek(1));
      Error("Invalid binary value '" + bad + "'");
    }
    data.push_back(static_cast<uint8_t>(HexValue(c) * 16 + HexValue(Peek(1))));
    FPos += 2;
  }
  NextToken();
  return data;
}

void TParser::Error(const std::string& message) const { ErrorAt(FTokenLine, message); }

void TParser::ErrorAt(int line, const std::string& message) const
{
  throw EParserError("Line " + std::to_string(line) + ": " + message);
}
