// The reader of the readable image sources that every generator shares. A source is made of lines;
// empty lines and lines starting with # are skipped, trailing blanks are ignored:
//   size <width> <height>
//   colour <character> <RRGGBB>     (one per palette entry, in palette order; at most 256)
//   <statements of the format>      (a keyword and blank-separated arguments)
//   <a statement that opens pixel rows, e.g. pixels or glyph 99>
//   <height rows of width characters, top row first>
// Pixel rows never contain blanks, so inside a block a line with a blank is the next statement.
// Each row character is a colour declared before it, or one of the format's fixed pixel
// characters where the format has no colour lines.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace generators {

// A fault in a source; printed as "<file>:<line>: error: <message>", without the line when it
// concerns the whole file.
class ESourceError : public std::runtime_error {
public:
  ESourceError(const std::filesystem::path& file, int line, const std::string& message);
};

struct TRgb {
  std::uint8_t Red = 0, Green = 0, Blue = 0;
};

// One statement line: its keyword and arguments.
struct TStatement {
  int Line = 0;
  std::string Keyword;
  std::vector<std::string> Arguments;
};

// A statement that opens pixel rows, and its rows as palette indexes, top row first.
struct TPixelBlock {
  TStatement Header;
  std::vector<std::vector<std::uint8_t>> Rows;
};

// A statement a format accepts besides size and colour. Usage is the keyword followed by one
// name per argument ("hotspot <x> <y>"); it gives the argument count and the error texts.
struct TKeyword {
  std::string_view Usage;
  bool OpensBlock = false;
  bool Required = false;
  bool Repeats = false;  // may be given more than once (block keywords only)
};

struct TGrammar {
  std::span<const TKeyword> Keywords;
  // Empty: the palette is declared by colour lines. Otherwise the only pixel characters, whose
  // positions are their palette indexes, and colour lines are refused.
  std::string_view FixedPixels;
  // False for sources of data rather than pictures: no size, colour lines or pixel rows.
  bool Pictures = true;
};

class TTextSource {
public:
  // Reads and checks a whole source; throws ESourceError at its first fault.
  static TTextSource Read(const std::filesystem::path& file, const TGrammar& grammar);

  const std::filesystem::path& File() const { return FFile; }
  // The resource name: the file's base name, an upper-case identifier.
  const std::string& Name() const { return FName; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  const TStatement& SizeStatement() const { return FSize; }
  const std::vector<TRgb>& Palette() const { return FPalette; }
  const std::vector<TPixelBlock>& Blocks() const { return FBlocks; }
  // The statement with this keyword that is not repeated, or nullptr when the source has none.
  const TStatement* Find(std::string_view keyword) const;

  // Argument <index> of <statement> as a whole number from <low> to <high>.
  int Number(const TStatement& statement, std::size_t index, int low, int high) const;
  [[noreturn]] void Fail(int line, const std::string& message) const;

private:
  explicit TTextSource(std::filesystem::path file) : FFile(std::move(file)) {}
  void ReadLine(int line, std::string_view text);
  void ReadStatement(int line, std::string_view text);
  void ReadColour(const TStatement& statement);
  void ReadRow(int line, std::string_view text);
  void CloseBlock();
  void CheckComplete() const;
  const TKeyword* FindKeyword(std::string_view keyword) const;

  std::filesystem::path FFile;
  std::string FName;
  TGrammar FGrammar;
  TStatement FSize;
  int FWidth = 0, FHeight = 0;
  std::vector<TRgb> FPalette;
  std::array<int, 256> FIndexes{};  // palette index of each character, -1 when undeclared
  std::array<int, 256> FColourLines{};
  std::vector<TStatement> FStatements;
  std::vector<TPixelBlock> FBlocks;
  bool FInBlock = false;
};

}  // namespace generators
