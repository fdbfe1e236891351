#pragma once
// TParser: the tokenizer of the text form of component streams. It reads UTF-8 text and hands out
// symbols, strings (decoded to UTF-16, with #nnn character codes), integers, floats and single
// characters, each with the line it starts on, so that every error can name its line.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/Encoding.h"
#include "classlib/Exceptions.h"

CL_EXCEPTION(EParserError, EReadError);

enum class TToken { toEOF, toSymbol, toString, toInteger, toFloat, toChar };

class TParser {
public:
  // text is UTF-8; a leading byte-order mark is skipped. The first token is read at once.
  explicit TParser(std::string_view text);

  TToken Token() const { return FToken; }
  // The character of a toChar token.
  char TokenChar() const { return FChar; }
  // A symbol as written; for numbers and strings the source text of the token.
  const std::string& TokenString() const { return FText; }
  // The value of a toString token: quoted parts and #nnn codes joined, as UTF-16.
  const std::wstring& TokenWideString() const { return FWide; }
  int64_t TokenInt() const { return FInt; }
  double TokenFloat() const { return FFloat; }
  // The suffix of a float: 0 for none, 's' single, 'c' currency, 'd' date.
  char FloatType() const { return FFloatType; }
  int SourceLine() const { return FTokenLine; }
  // How the current token reads in a message: the symbol, the number, 'x', or "end of file".
  std::string TokenDescription() const;

  TToken NextToken();
  bool IsChar(char c) const { return FToken == TToken::toChar && FChar == c; }
  bool IsSymbol(std::string_view symbol) const;
  // Raise "Line N: 'x' expected but <token> found" unless the current token is as required.
  void CheckChar(char c) const;
  void CheckSymbol(std::string_view symbol) const;
  void CheckToken(TToken token) const;
  // After a '{' token: reads hexadecimal digit pairs (blanks and line breaks between them are
  // allowed) up to the closing '}', then reads the next token.
  std::vector<uint8_t> ReadBinaryBlock();

  // Raises EParserError "Line N: <message>" for the line of the current token.
  [[noreturn]] void Error(const std::string& message) const;
  [[noreturn]] void ErrorAt(int line, const std::string& message) const;

private:
  int Peek(size_t ahead = 0) const;
  void SkipBlanks();
  void ReadSymbol();
  void ReadNumber();
  void ReadString();
  void AppendUtf8Char(std::string_view& quoted);

  std::string_view FSource;
  size_t FPos = 0;
  int FLine = 1;
  int FTokenLine = 1;
  TToken FToken = TToken::toEOF;
  char FChar = 0;
  std::string FText;
  std::wstring FWide;
  int64_t FInt = 0;
  double FFloat = 0;
  char FFloatType = 0;
};

