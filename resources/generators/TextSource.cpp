#include "TextSource.h"

#include <algorithm>
#include <charconv>
#include <fstream>

namespace generators {

namespace {

constexpr TKeyword SizeKeyword{"size <width> <height>"};
constexpr TKeyword ColourKeyword{"colour <character> <RRGGBB>"};
constexpr int MaxSide = 32767;
constexpr std::size_t MaxColours = 256;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string_view> Words(std::string_view text)
{
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::size_t start = i;
    while (i < text.size() && !IsBlank(text[i])) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

std::string_view KeywordOf(std::string_view usage) { return usage.substr(0, usage.find(' ')); }

// The usage text's argument names: "hotspot <x> <y>" -> {"<x>", "<y>"}.
std::vector<std::string_view> UsageArguments(std::string_view usage)
{
  std::vector<std::string_view> words = Words(usage);
  words.erase(words.begin());
  return words;
}

bool IsResourceName(std::string_view name)
{
  if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; });
}

int HexDigit(char c)
{
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// The statement as written, blanks made single: 'glyph 99'.
std::string Written(const TStatement& statement)
{
  std::string text = statement.Keyword;
  for (const std::string& argument : statement.Arguments) text += " " + argument;
  return Quoted(text);
}

}  // namespace

ESourceError::ESourceError(const std::filesystem::path& file, int line, const std::string& message)
    : std::runtime_error(file.string() + (line > 0 ? ":" + std::to_string(line) : std::string()) +
                         ": error: " + message)
{
}

TTextSource TTextSource::Read(const std::filesystem::path& file, const TGrammar& grammar)
{
  TTextSource source(file);
  source.FGrammar = grammar;
  source.FIndexes.fill(-1);
  for (std::size_t i = 0; i < grammar.FixedPixels.size(); ++i)
    source.FIndexes[static_cast<unsigned char>(grammar.FixedPixels[i])] = static_cast<int>(i);
  source.FName = file.stem().string();
  if (!IsResourceName(source.FName))
    source.Fail(0, "the file name must be an upper-case identifier (A-Z, 0-9 and _, not starting with a digit): "
                   "it names the resource");
  std::ifstream in(file, std::ios::binary);
  if (!in) source.Fail(0, "cannot be read");
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) source.ReadLine(line, text);
  if (in.bad()) source.Fail(0, "cannot be read");
  source.CloseBlock();
  source.CheckComplete();
  return source;
}

void TTextSource::ReadLine(int line, std::string_view text)
{
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  if (text.empty() || text[0] == '#') return;
  if (FInBlock && std::none_of(text.begin(), text.end(), IsBlank)) {
    ReadRow(line, text);
  } else {
    CloseBlock();
    ReadStatement(line, text);
  }
}

void TTextSource::ReadStatement(int line, std::string_view text)
{
  std::vector<std::string_view> words = Words(text);
  TStatement statement{line, std::string(words[0]), {words.begin() + 1, words.end()}};
  const TKeyword* keyword = nullptr;
  if (FGrammar.Pictures && statement.Keyword == KeywordOf(SizeKeyword.Usage)) keyword = &SizeKeyword;
  else if (FGrammar.Pictures && statement.Keyword == KeywordOf(ColourKeyword.Usage)) keyword = &ColourKeyword;
  else keyword = FindKeyword(statement.Keyword);

  if (!keyword) Fail(line, "cannot read the line " + Quoted(text));
  if (keyword == &ColourKeyword && !FGrammar.FixedPixels.empty())
    Fail(line, "this kind of source has no colour lines: its pixels are the characters " +
                   Quoted(FGrammar.FixedPixels));
  if (statement.Arguments.size() != UsageArguments(keyword->Usage).size())
    Fail(line, "expected " + Quoted(keyword->Usage) + ", found " + Quoted(text));

  if (keyword == &ColourKeyword) {
    ReadColour(statement);
    return;
  }
  const TStatement* earlier = keyword == &SizeKeyword ? (FSize.Line ? &FSize : nullptr) : Find(statement.Keyword);
  if (earlier && !keyword->Repeats)
    Fail(line, Quoted(statement.Keyword) + " is given twice (first at line " + std::to_string(earlier->Line) + ")");

  if (keyword == &SizeKeyword) {
    FSize = statement;
    FWidth = Number(statement, 0, 1, MaxSide);
    FHeight = Number(statement, 1, 1, MaxSide);
  } else if (keyword->OpensBlock) {
    if (!FSize.Line) Fail(line, "pixel rows need the size first: put " + Quoted(SizeKeyword.Usage) + " above this line");
    FBlocks.push_back({statement, {}});
    FInBlock = true;
  } else {
    FStatements.push_back(statement);
  }
}

void TTextSource::ReadColour(const TStatement& statement)
{
  const std::string& character = statement.Arguments[0];
  const std::string& rgb = statement.Arguments[1];
  if (character.size() != 1)
    Fail(statement.Line, "a colour is named by one character, not " + Quoted(character));
  if (character[0] == '#')
    Fail(statement.Line, "'#' cannot name a colour: a row starting with it would be a comment");
  unsigned char c = static_cast<unsigned char>(character[0]);
  if (FIndexes[c] >= 0)
    Fail(statement.Line, "colour " + Quoted(character) + " is declared twice (first at line " +
                             std::to_string(FColourLines[c]) + ")");
  if (FPalette.size() == MaxColours) Fail(statement.Line, "more than 256 colours");
  int digits[6];
  for (std::size_t i = 0; i < 6; ++i) digits[i] = i < rgb.size() ? HexDigit(rgb[i]) : -1;
  if (rgb.size() != 6 || std::count(std::begin(digits), std::end(digits), -1) > 0)
    Fail(statement.Line, "the colour must be six hexadecimal digits RRGGBB, not " + Quoted(rgb));
  FIndexes[c] = static_cast<int>(FPalette.size());
  FColourLines[c] = statement.Line;
  FPalette.push_back({static_cast<std::uint8_t>(digits[0] * 16 + digits[1]),
                      static_cast<std::uint8_t>(digits[2] * 16 + digits[3]),
                      static_cast<std::uint8_t>(digits[4] * 16 + digits[5])});
}

void TTextSource::ReadRow(int line, std::string_view text)
{
  TPixelBlock& block = FBlocks.back();
  std::string owner = Written(block.Header);
  if (block.Rows.size() == static_cast<std::size_t>(FHeight))
    Fail(line, owner + " has more than " + std::to_string(FHeight) + " rows (the size's height)");
  if (text.size() != static_cast<std::size_t>(FWidth))
    Fail(line, "row " + std::to_string(block.Rows.size() + 1) + " of " + owner + " has " + std::to_string(text.size()) +
                   " pixels instead of " + std::to_string(FWidth));
  std::vector<std::uint8_t> row;
  row.reserve(text.size());
  for (std::size_t x = 0; x < text.size(); ++x) {
    int index = FIndexes[static_cast<unsigned char>(text[x])];
    if (index < 0) {
      std::string where = " in column " + std::to_string(x + 1);
      if (FGrammar.FixedPixels.empty()) Fail(line, "undeclared colour " + Quoted(text.substr(x, 1)) + where);
      Fail(line, "unknown pixel " + Quoted(text.substr(x, 1)) + where + " (the pixels are the characters " +
                     Quoted(FGrammar.FixedPixels) + ")");
    }
    row.push_back(static_cast<std::uint8_t>(index));
  }
  block.Rows.push_back(std::move(row));
}

void TTextSource::CloseBlock()
{
  if (!FInBlock) return;
  FInBlock = false;
  const TPixelBlock& block = FBlocks.back();
  if (block.Rows.size() != static_cast<std::size_t>(FHeight))
    Fail(block.Header.Line, Written(block.Header) + " has " + std::to_string(block.Rows.size()) + " rows instead of " +
                                std::to_string(FHeight) + " (the size's height)");
}

void TTextSource::CheckComplete() const
{
  if (FGrammar.Pictures && !FSize.Line) Fail(0, "needs a " + Quoted(SizeKeyword.Usage) + " line");
  if (FGrammar.Pictures && FGrammar.FixedPixels.empty() && FPalette.empty())
    Fail(0, "needs at least one " + Quoted(ColourKeyword.Usage) + " line");
  for (const TKeyword& keyword : FGrammar.Keywords) {
    std::string_view name = KeywordOf(keyword.Usage);
    bool found = keyword.OpensBlock
                     ? std::any_of(FBlocks.begin(), FBlocks.end(), [&](const TPixelBlock& b) { return b.Header.Keyword == name; })
                     : Find(name) != nullptr;
    if (keyword.Required && !found) Fail(0, "needs a " + Quoted(keyword.Usage) + " line");
  }
}

const TKeyword* TTextSource::FindKeyword(std::string_view keyword) const
{
  for (const TKeyword& k : FGrammar.Keywords)
    if (KeywordOf(k.Usage) == keyword) return &k;
  return nullptr;
}

const TStatement* TTextSource::Find(std::string_view keyword) const
{
  for (const TStatement& statement : FStatements)
    if (statement.Keyword == keyword) return &statement;
  for (const TPixelBlock& block : FBlocks)
    if (block.Header.Keyword == keyword) return &block.Header;
  return nullptr;
}

int TTextSource::Number(const TStatement& statement, std::size_t index, int low, int high) const
{
  const std::string& text = statement.Arguments.at(index);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    const TKeyword* keyword = statement.Keyword == KeywordOf(SizeKeyword.Usage) ? &SizeKeyword : FindKeyword(statement.Keyword);
    std::string name = keyword ? std::string(UsageArguments(keyword->Usage).at(index)) : "argument " + std::to_string(index + 1);
    Fail(statement.Line, Quoted(statement.Keyword) + ": " + name + " must be a whole number from " + std::to_string(low) +
                             " to " + std::to_string(high) + ", not " + Quoted(text));
  }
  return value;
}

void TTextSource::Fail(int line, const std::string& message) const { throw ESourceError(FFile, line, message); }

}  // namespace generators
