#pragma once
// The picture mask of the mask editors ("!99/99/9999;1; ", ">LL<ll", "(000);0"): one item per text
// position, which either is a fixed character (a literal) or takes a typed character of a class
// (digit, letter, letter or digit, any) and converts its case. The mask fits whole texts into the
// positions and extracts the value text.
//
// Mask characters: "0" digit, "9" optional digit, "#" optional digit or sign, "L"/"l" letter
// (required/optional), "A"/"a" letter or digit, "C"/"c" any character, ">" upper case from here,
// "<" lower case, "<>" no conversion, "\" the next character as a literal, "/" and ":" the current
// date and time separators; a leading "!" fits text from the right; a trailing ";0" or ";1" says
// whether literals belong to the value, and ";1;_" also names the blank character. A double-byte
// character is never read as mask characters: its two bytes are two literal positions.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/Object.h"

// The case conversion of a position.
enum class TcxStandardMaskCaseControl : uint8_t { Upper = 0, Lower = 1, Unchanged = 2 };

// One text position of a mask.
class TcxStandardMaskCustomItem : public TObject {
  CL_CLASS(TcxStandardMaskCustomItem, TObject)
public:
  // Whether the position takes ch; a position item also converts ch by its case, accepted or not.
  virtual bool Accepts(char& ch) const = 0;
};

// A fixed character.
class TcxStandardMaskLiteralItem : public TcxStandardMaskCustomItem {
  CL_CLASS(TcxStandardMaskLiteralItem, TcxStandardMaskCustomItem)
public:
  explicit TcxStandardMaskLiteralItem(char literal) : FLiteral(literal) {}
  char Literal() const { return FLiteral; }
  bool Accepts(char& ch) const override { return ch == FLiteral; }

private:
  char FLiteral;
};

// A position the user fills: its case conversion and whether it may stay empty.
class TcxStandardMaskManyItem : public TcxStandardMaskCustomItem {
  CL_CLASS(TcxStandardMaskManyItem, TcxStandardMaskCustomItem)
public:
  TcxStandardMaskManyItem(TcxStandardMaskCaseControl caseControl, bool optional)
      : FCaseControl(caseControl), FOptional(optional)
  {
  }
  TcxStandardMaskCaseControl CaseControl() const { return FCaseControl; }
  bool Optional() const { return FOptional; }
  bool Accepts(char& ch) const override;
  // ch as the position converts it.
  char Converted(char ch) const;

protected:
  // Whether the character as typed belongs to the position's class.
  virtual bool Fits(char ch) const = 0;

private:
  TcxStandardMaskCaseControl FCaseControl;
  bool FOptional;
};

// "A" to "Z", "a" to "z".
class TcxStandardMaskAlphaItem : public TcxStandardMaskManyItem {
  CL_CLASS(TcxStandardMaskAlphaItem, TcxStandardMaskManyItem)
public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

protected:
  bool Fits(char ch) const override;
};

// Digits and letters.
class TcxStandardMaskAlphaNumericItem : public TcxStandardMaskManyItem {
  CL_CLASS(TcxStandardMaskAlphaNumericItem, TcxStandardMaskManyItem)
public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

protected:
  bool Fits(char ch) const override;
};

// Any character.
class TcxStandardMaskASCIIItem : public TcxStandardMaskManyItem {
  CL_CLASS(TcxStandardMaskASCIIItem, TcxStandardMaskManyItem)
public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

protected:
  bool Fits(char) const override { return true; }
};

// "0" to "9".
class TcxStandardMaskNumericItem : public TcxStandardMaskManyItem {
  CL_CLASS(TcxStandardMaskNumericItem, TcxStandardMaskManyItem)
public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

protected:
  bool Fits(char ch) const override;
};

// "0" to "9", "+" and "-".
class TcxStandardMaskNumericSymbolItem : public TcxStandardMaskManyItem {
  CL_CLASS(TcxStandardMaskNumericSymbolItem, TcxStandardMaskManyItem)
public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

protected:
  bool Fits(char ch) const override;
};

class TcxStandardMask : public TObject {
  CL_CLASS(TcxStandardMask, TObject)
public:
  TcxStandardMask() = default;

  const std::string& MaskText() const { return FMaskText; }
  // Clears the mask (defaults restored, items freed), then reads the new one.
  void SetMask(std::string_view mask);

  bool FitFromRight() const { return FFitFromRight; }
  bool LiteralsInValue() const { return FLiteralsInValue; }
  char BlankChar() const { return FBlankChar; }
  int Count() const { return static_cast<int>(FPositionItems.size()); }
  TcxStandardMaskCustomItem* GetItem(int index) const { return FPositionItems[index].get(); }

  // The text of an empty editor: the literals, BlankChar at every position.
  std::string GetEmptyText() const;
  // The value of an empty editor: a blank per position, and the literals when they are part of
  // the value.
  std::string GetEmptyValueText() const;
  // Fits text into the mask, from the left or (with "!") from the right: each character goes to
  // the next item that takes it, converted by the item's case when convertCase; BlankChar or a
  // blank leaves a position empty; characters no item takes are dropped. Without literalsInText,
  // when literals are not part of the value, the text is taken to hold none: literal items are
  // passed over.
  void Format(std::string& text, bool convertCase = true, bool literalsInText = true) const;
  // The value text of a full mask text: the literals only when they are part of the value,
  // BlankChar as a blank, at most Count characters.
  void GetValueText(std::string& text) const;
  // Whether text has exactly Count characters, each taken by its item (the text is converted by
  // the items' cases), or BlankChar or a blank at an optional position.
  bool IsFullValid(std::string& text) const;

private:
  void Clear();
  void Parse(std::string_view mask);
  // Tries c at the items from index on, moving by step; answers the item that took c or left its
  // position empty, or -1.
  int Place(std::string& result, char c, int index, int step, bool convertCase, bool literalsInText) const;

  std::string FMaskText;
  bool FFitFromRight = false;
  bool FLiteralsInValue = true;
  char FBlankChar = '_';
  std::vector<TOwned<TcxStandardMaskCustomItem>> FPositionItems;
};
