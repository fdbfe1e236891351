// The regular-expression engine's tokens and parse tree: the tokenizer with line and position,
// the items of the tree, and the parser that builds it.
#include <algorithm>
#include <cstdint>
#include "classlib/Encoding.h"
#include "classlib/SysUtils.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/editors/cxEditConsts.h"
#include "toolkit/editors/cxRegExpr.h"

CL_DEFINE_CLASS(TcxRegExprParserItem);
CL_DEFINE_CLASS(TcxRegExprParserSimpleItem);
CL_DEFINE_CLASS(TcxRegExprParserBlockItem);
CL_DEFINE_CLASS(TcxRegExprParserAlt);
CL_DEFINE_CLASS(TcxRegExprParserAlts);

namespace {
using C = TcxLexemCode;

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
int HexValue(char ch)
{
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

std::string Message(const TResStringRec& rec) { return GetResStringText(&rec); }
std::string Message(const TResStringRec& rec, std::string_view argument)
{
  return Format(GetResStringText(&rec), {std::string(argument)});
}

// --- Tokenizer ---

// Reads a source into tokens. Each character read moves the position on by one; a carriage
// return also starts the next line, a line feed sets the position back to 0.
class TTokenizer {
public:
  TTokenizer(std::string_view source, TcxLexems& lexems, TcxRegExprErrors& errors)
      : FSource(source), FLexems(lexems), FErrors(errors)
  {
  }
  void Run();

private:
  bool AtEnd() const { return FIndex >= FSource.size(); }
  char Read();
  // The rest of a double-byte character whose lead byte was just read ("" for a single byte);
  // the character stays one position.
  std::string ReadTrail();
  // Passes white space; false at the end of the text.
  bool SkipWhiteSpace();
  void Add(C code, std::string text) { FLexems.push_back({FPosition, code, FLine, std::move(text)}); }
  void AddOperator(char ch) { Add(C::Operator, std::string(1, ch)); }
  // A character of the text as one literal token, both bytes of a double-byte character.
  void AddLiteral(char ch);
  void Error(std::string message, int32_t line, int32_t position) { FErrors.push_back({line, position, std::move(message)}); }
  void ErrorHere(std::string message) { Error(std::move(message), FLine, FPosition); }
  // At the end of the text: a character is missing just past it.
  void ErrorMissing(char ch) { Error(Message(scxRegExprMissing, std::string(1, ch)), FLine, FPosition + 1); }

  void ReadQuoted();
  void ReadEscape();
  void ReadBrackets();
  void ReadBraces();

  std::string_view FSource;
  TcxLexems& FLexems;
  TcxRegExprErrors& FErrors;
  size_t FIndex = 0;
  int32_t FLine = 1;
  int32_t FPosition = 0;
};

char TTokenizer::Read()
{
  const char ch = FSource[FIndex++];
  if (ch == '\r') ++FLine;
  if (ch == '\n') FPosition = 0;
  else ++FPosition;
  return ch;
}

std::string TTokenizer::ReadTrail()
{
  if (FIndex == 0 || FIndex >= FSource.size() || StrCharLength(FSource.substr(FIndex - 1)) != 2) return {};
  return std::string(1, FSource[FIndex++]);
}

bool TTokenizer::SkipWhiteSpace()
{
  while (!AtEnd() && IsRegExprSpace(FSource[FIndex])) Read();
  return !AtEnd();
}

void TTokenizer::AddLiteral(char ch)
{
  Add(C::Literal, std::string(1, ch) + ReadTrail());
}

void TTokenizer::Run()
{
  int depth = 0;
  while (SkipWhiteSpace()) {
    const char ch = Read();
    switch (ch) {
    case '\'': ReadQuoted(); break;
    case '(':
      ++depth;
      AddOperator(ch);
      break;
    case ')':
      --depth;
      AddOperator(ch);
      break;
    case '*':
    case '+':
    case '?':
    case '|': AddOperator(ch); break;
    case '{':
      AddOperator(ch);
      ReadBraces();
      break;
    case '[':
      AddOperator(ch);
      ReadBrackets();
      break;
    case '.': Add(C::Any, "."); break;
    case '/': Add(C::DateSeparator, "/"); break;
    case ':': Add(C::TimeSeparator, ":"); break;
    case '\\': ReadEscape(); break;
    default: AddLiteral(ch); break;
    }
  }
  if (depth > 0) Error(Message(scxRegExprMissing, ")"), 0, 0);
  if (depth < 0) Error(Message(scxRegExprUnnecessary, ")"), 0, 0);
}

void TTokenizer::ReadQuoted()
{
  for (;;) {
    if (AtEnd()) {
      ErrorMissing('\'');
      return;
    }
    const char ch = Read();
    if (ch == '\'') {
      if (AtEnd() || FSource[FIndex] != '\'') return;
      Read();
    }
    AddLiteral(ch);
  }
}

void TTokenizer::ReadEscape()
{
  if (AtEnd()) return;
  const char ch = Read();
  if (ch >= '1' && ch <= '9') {
    Add(C::Reference, std::string(1, ch));
    return;
  }
  if (IsRegExprSpace(ch)) {
    ErrorHere(Message(scxRegExprIncorrectSpace));
    return;
  }
  switch (ch) {
  case 'd': Add(C::Digit, "d"); return;
  case 'D': Add(C::NotDigit, "D"); return;
  case 'w': Add(C::Word, "w"); return;
  case 'W': Add(C::NotWord, "W"); return;
  case 's': Add(C::Space, "s"); return;
  case 'S': Add(C::NotSpace, "S"); return;
  case 'a': Add(C::Literal, "\a"); return;
  case 'e': Add(C::Literal, "\x1B"); return;
  case 'f': Add(C::Literal, "\f"); return;
  case 'n': Add(C::Literal, "\n"); return;
  case 'r': Add(C::Literal, "\r"); return;
  case 't': Add(C::Literal, "\t"); return;
  case 'p': Add(C::Literal, std::string(1, FormatSettings().DecimalSeparator)); return;
  case 'x': {
    int code = 0;
    for (int digit = 0; digit < 2; ++digit) {
      if (AtEnd()) {
        Error(Message(scxRegExprHexNumberExpected0), FLine, FPosition + 1);
        return;
      }
      const char hex = Read();
      if (HexValue(hex) < 0) {
        ErrorHere(Message(scxRegExprHexNumberExpected, std::string(1, hex) + ReadTrail()));
        return;
      }
      code = code * 16 + HexValue(hex);
    }
    Add(C::Literal, std::string(1, static_cast<char>(code)));
    return;
  }
  default: AddLiteral(ch); return;
  }
}

void TTokenizer::ReadBrackets()
{
  bool first = true;
  for (;;) {
    if (!SkipWhiteSpace()) {
      ErrorMissing(']');
      return;
    }
    const char ch = Read();
    switch (ch) {
    case ']':
      AddOperator(ch);
      return;
    case '\'': ReadQuoted(); break;
    case '/': Add(C::DateSeparator, "/"); break;
    case ':': Add(C::TimeSeparator, ":"); break;
    case '\\': ReadEscape(); break;
    case '^':
      if (first) AddOperator(ch);
      else AddLiteral(ch);
      break;
    case '-':
      // A "-" first or last in the class is the character itself; between two it makes a range.
      if (first) {
        AddLiteral(ch);
      } else if (!SkipWhiteSpace()) {
        AddOperator(ch);
        ErrorMissing(']');
        return;
      } else if (FSource[FIndex] == ']') {
        AddLiteral(ch);
      } else {
        AddOperator(ch);
      }
      break;
    default: AddLiteral(ch); break;
    }
    first = false;
  }
}

void TTokenizer::ReadBraces()
{
  for (;;) {
    if (!SkipWhiteSpace()) {
      ErrorMissing('}');
      return;
    }
    const char ch = Read();
    if (IsDigit(ch)) {
      std::string digits(1, ch);
      while (!AtEnd() && IsDigit(FSource[FIndex])) digits += Read();
      Add(C::Integer, std::move(digits));
    } else if (ch == ',') {
      AddOperator(ch);
    } else if (ch == '}') {
      AddOperator(ch);
      return;
    } else {
      ErrorHere(Message(scxRegExprIllegalSymbol, std::string(1, ch) + ReadTrail()));
    }
  }
}

}  // namespace

void TokenizeRegExpr(std::string_view source, TcxLexems& lexems, TcxRegExprErrors& errors)
{
  TTokenizer(source, lexems, errors).Run();
}

// --- Parse tree ---

TcxRegExprParserItem::TcxRegExprParserItem(TOwned<TcxRegExprQuantifier> quantifier)
    : FQuantifier(quantifier ? std::move(quantifier) : MakeOwned<TcxRegExprSimpleQuantifier>())
{
}

bool TcxRegExprParserItem::HasPlainQuantifier() const { return FQuantifier->Is<TcxRegExprSimpleQuantifier>(); }

void TcxRegExprParserItem::ReplaceQuantifier(TOwned<TcxRegExprQuantifier> quantifier)
{
  if (quantifier) FQuantifier = std::move(quantifier);
}

TcxRegExprParserSimpleItem::TcxRegExprParserSimpleItem(TOwned<TcxRegExprItem> test,
                                                       TOwned<TcxRegExprQuantifier> quantifier)
    : TcxRegExprParserItem(std::move(quantifier)), FState(MakeOwned<TcxRegExprSimpleState>(std::move(test)))
{
}

TOwned<TcxRegExprParserItem> TcxRegExprParserSimpleItem::Copy() const
{
  return MakeOwned<TcxRegExprParserSimpleItem>(FState->Test()->Copy(), Quantifier()->Copy());
}

std::string TcxRegExprParserSimpleItem::Describe() const { return "item --> " + Quantifier()->Notation() + "\r\n"; }

TcxRegExprParserBlockItem::TcxRegExprParserBlockItem(TOwned<TcxRegExprQuantifier> quantifier)
    : TcxRegExprParserItem(std::move(quantifier)), FAlts(MakeOwned<TcxRegExprParserAlts>()),
      FEntry(MakeOwned<TcxRegExprBlockState>()), FExit(MakeOwned<TcxRegExprBlockState>())
{
}

bool TcxRegExprParserBlockItem::CanMatchEmpty() const
{
  if (AllowsAbsence()) return true;
  for (int a = 0; a < FAlts->Count(); ++a) {
    const TcxRegExprParserAlt& alt = *FAlts->Alt(a);
    bool empty = true;
    for (int i = 0; i < alt.Count() && empty; ++i) empty = alt.Item(i)->CanMatchEmpty();
    if (empty) return true;
  }
  return false;
}

TOwned<TcxRegExprParserItem> TcxRegExprParserBlockItem::Copy() const
{
  auto copy = MakeOwned<TcxRegExprParserBlockItem>(Quantifier()->Copy());
  copy->FAlts = FAlts->Copy();
  copy->FHeight = FHeight;
  return copy;
}

void TcxRegExprParserBlockItem::UpdateHeight()
{
  int deepest = 0;
  for (int a = 0; a < FAlts->Count(); ++a)
    for (int i = 0; i < FAlts->Alt(a)->Count(); ++i) deepest = std::max(deepest, FAlts->Alt(a)->Item(i)->Height());
  FHeight = deepest + 1;
}

std::string TcxRegExprParserBlockItem::Describe() const
{
  return "<Start_Block>\r\n" + FAlts->Describe() + "<Finish_Block> --> " + Quantifier()->Notation() + "\r\n";
}

void TcxRegExprParserBlockItem::MarkAccepting()
{
  for (int a = 0; a < FAlts->Count(); ++a) FAlts->Alt(a)->MarkAccepting();
}

int TcxRegExprParserBlockItem::ItemCount() const { return 1 + FAlts->ItemCount(); }

TOwned<TcxRegExprParserItem> TcxRegExprParserAlt::ReplaceLast(TOwned<TcxRegExprParserItem> item)
{
  std::swap(FItems.back(), item);
  return item;
}

bool TcxRegExprParserAlt::AllAllowAbsence() const
{
  for (const auto& item : FItems)
    if (!item->AllowsAbsence()) return false;
  return true;
}

TOwned<TcxRegExprParserAlt> TcxRegExprParserAlt::Copy() const
{
  auto copy = MakeOwned<TcxRegExprParserAlt>();
  for (const auto& item : FItems) copy->Add(item->Copy());
  return copy;
}

std::string TcxRegExprParserAlt::Describe() const
{
  std::string text = "<Start_Alt>\r\n";
  for (const auto& item : FItems) text += item->Describe();
  return text + "<Finish_Alt>\r\n";
}

void TcxRegExprParserAlt::MarkAccepting()
{
  for (auto item = FItems.rbegin(); item != FItems.rend(); ++item) {
    (*item)->MarkAccepting();
    if (!(*item)->AllowsAbsence()) break;
  }
}

int TcxRegExprParserAlt::ItemCount() const
{
  int count = 0;
  for (const auto& item : FItems) count += item->ItemCount();
  return count;
}

TcxRegExprParserAlt* TcxRegExprParserAlts::Add() { return FAlts.emplace_back(MakeOwned<TcxRegExprParserAlt>()).get(); }

TOwned<TcxRegExprParserAlts> TcxRegExprParserAlts::Copy() const
{
  auto copy = MakeOwned<TcxRegExprParserAlts>();
  for (const auto& alt : FAlts) copy->FAlts.push_back(alt->Copy());
  return copy;
}

std::string TcxRegExprParserAlts::Describe() const
{
  std::string text;
  for (const auto& alt : FAlts) text += alt->Describe();
  return text;
}

int TcxRegExprParserAlts::ItemCount() const
{
  int count = 0;
  for (const auto& alt : FAlts) count += alt->ItemCount();
  return count;
}

// --- Parser ---

namespace {

// How an alternative ended.
enum class TAltEnd { Bar, Close, End };

class TParser {
public:
  TParser(const TcxLexems& lexems, TcxRegExprErrors& errors) : FLexems(lexems), FErrors(errors) {}
  TOwned<TcxRegExprParserAlts> Run();

private:
  const TcxLexem* Peek() const { return FIndex < FLexems.size() ? &FLexems[FIndex] : nullptr; }
  const TcxLexem* Next() { return FIndex < FLexems.size() ? &FLexems[FIndex++] : nullptr; }
  static bool IsOperator(const TcxLexem* lexem, char ch)
  {
    return lexem && lexem->Code == C::Operator && lexem->Text[0] == ch;
  }
  void Error(std::string message, const TcxLexem& at) { FErrors.push_back({at.Line, at.Position, std::move(message)}); }

  // Parses alternatives into alts until the end or, inside a group, its ")".
  TAltEnd ParseAlternatives(TcxRegExprParserAlts& alts, bool top);
  TAltEnd ParseAlternative(TcxRegExprParserAlt& alt, bool top);
  void ParseBracket(TcxRegExprParserAlt& alt);
  void ApplyQuantifier(TcxRegExprParserAlt& alt, const TcxLexem& lexem);
  void ParseParameterQuantifier(TcxRegExprParserAlt& alt, const TcxLexem& brace);
  // Reads "n}", "n,}" or "n,m}" (m < 0 for no bound); false at a token that does not fit, which
  // is reported, the rest of the braces passed over.
  bool ReadBounds(const TcxLexem& brace, int& n, int& m);
  void SkipBraces();
  // Passes over the tokens of a group whose "(" was just read, up to its ")"; false at the end.
  bool SkipGroup();
  // Counts count more copied items; false (and nothing counted) past the limit.
  bool TakeCopies(int64_t count);
  // The test of a token of a class code (any, word, digit, space and their negations, separators).
  static TOwned<TcxRegExprItem> ClassTest(C code);

  const TcxLexems& FLexems;
  TcxRegExprErrors& FErrors;
  size_t FIndex = 0;
  // The groups in the order of their "(", for references; the items stay alive (owned by the tree
  // or, once a parameter quantifier replaced them, by FReplaced) until the parse ends.
  std::vector<TcxRegExprParserBlockItem*> FGroups;
  std::vector<TOwned<TcxRegExprParserItem>> FReplaced;
  int64_t FCopiedItems = 0;
  int FDepth = 0;  // groups open around the token being read
};

TOwned<TcxRegExprParserAlts> TParser::Run()
{
  auto alts = MakeOwned<TcxRegExprParserAlts>();
  ParseAlternatives(*alts, true);
  return alts;
}

TAltEnd TParser::ParseAlternatives(TcxRegExprParserAlts& alts, bool top)
{
  TAltEnd end;
  do end = ParseAlternative(*alts.Add(), top);
  while (end == TAltEnd::Bar);
  return end;
}

TOwned<TcxRegExprItem> TParser::ClassTest(C code)
{
  switch (code) {
  case C::Any: return MakeOwned<TcxRegExprAll>();
  case C::Word: return MakeOwned<TcxRegExprIdLetter>(false);
  case C::NotWord: return MakeOwned<TcxRegExprIdLetter>(true);
  case C::Digit: return MakeOwned<TcxRegExprDigit>(false);
  case C::NotDigit: return MakeOwned<TcxRegExprDigit>(true);
  case C::Space: return MakeOwned<TcxRegExprSpace>(false);
  case C::NotSpace: return MakeOwned<TcxRegExprSpace>(true);
  case C::DateSeparator: return MakeOwned<TcxRegExprDateSeparator>();
  case C::TimeSeparator: return MakeOwned<TcxRegExprTimeSeparator>();
  default: return nullptr;
  }
}

TAltEnd TParser::ParseAlternative(TcxRegExprParserAlt& alt, bool top)
{
  const TcxLexem* first = Peek();
  if (!first) {
    FErrors.push_back({0, 0, Message(scxRegExprCantCreateEmptyAlt)});
    return TAltEnd::End;
  }
  if (IsOperator(first, '|')) {
    Error(Message(scxRegExprCantCreateEmptyAlt), *Next());
    return TAltEnd::Bar;
  }
  if (!top && IsOperator(first, ')')) {
    Error(Message(scxRegExprCantCreateEmptyBlock), *Next());
    return TAltEnd::Close;
  }
  while (const TcxLexem* lexem = Next()) {
    switch (lexem->Code) {
    case C::Literal: alt.Add(MakeOwned<TcxRegExprParserSimpleItem>(MakeOwned<TcxRegExprSymbol>(TcxRegExprChar::First(lexem->Text)))); break;
    case C::Integer: Error(Message(scxRegExprIllegalIntegerValue), *lexem); break;
    case C::Reference: {
      const size_t number = static_cast<size_t>(lexem->Text[0] - '0');
      if (number > FGroups.size() || !TakeCopies(FGroups[number - 1]->ItemCount()))
        Error(Message(scxRegExprTooBigReferenceNumber), *lexem);
      else
        alt.Add(FGroups[number - 1]->Copy());
      break;
    }
    case C::Operator:
      switch (lexem->Text[0]) {
      case '(': {
        if (FDepth >= cxRegExprMaxDepth) {
          Error(Message(scxRegExprIllegalSymbol, "("), *lexem);
          if (!SkipGroup()) return TAltEnd::End;
          break;
        }
        auto group = MakeOwned<TcxRegExprParserBlockItem>();
        TcxRegExprParserBlockItem* block = group.get();
        FGroups.push_back(block);
        alt.Add(std::move(group));
        ++FDepth;
        const TAltEnd end = ParseAlternatives(block->Alts(), false);
        --FDepth;
        block->UpdateHeight();
        if (block->Height() > cxRegExprMaxDepth) Error(Message(scxRegExprIllegalSymbol, "("), *lexem);
        if (end == TAltEnd::End) return TAltEnd::End;
        break;
      }
      case ')':
        if (!top) return TAltEnd::Close;
        Error(Message(scxRegExprIllegalSymbol, ")"), *lexem);
        break;
      case '|': return TAltEnd::Bar;
      case '[': ParseBracket(alt); break;
      case '*':
      case '+':
      case '?': ApplyQuantifier(alt, *lexem); break;
      case '{': ParseParameterQuantifier(alt, *lexem); break;
      case '-':
      case ']':
      case '}': Error(Message(scxRegExprIllegalSymbol, lexem->Text), *lexem); break;
      default: break;
      }
      break;
    default: alt.Add(MakeOwned<TcxRegExprParserSimpleItem>(ClassTest(lexem->Code))); break;
    }
  }
  return TAltEnd::End;
}

void TParser::ApplyQuantifier(TcxRegExprParserAlt& alt, const TcxLexem& lexem)
{
  const char kind = lexem.Text[0];
  TcxRegExprParserItem* last = alt.Last();
  if (!last) {
    Error(Message(scxRegExprIllegalQuantifier, lexem.Text), lexem);
    return;
  }
  if (kind == '*' && last->CanMatchEmpty()) {
    Error(Message(scxRegExprCantUseStarQuantifier), lexem);
    return;
  }
  if (kind == '+' && last->CanMatchEmpty()) {
    Error(Message(scxRegExprCantUsePlusQuantifier), lexem);
    return;
  }
  TOwned<TcxRegExprQuantifier> quantifier;
  if (kind == '*') quantifier = MakeOwned<TcxRegExprStarQuantifier>();
  else if (kind == '+') quantifier = MakeOwned<TcxRegExprPlusQuantifier>();
  else quantifier = MakeOwned<TcxRegExprQuestionQuantifier>();
  if (last->HasPlainQuantifier()) {
    last->ReplaceQuantifier(std::move(quantifier));
    return;
  }
  if (last->Height() >= cxRegExprMaxDepth) {
    Error(Message(scxRegExprIllegalQuantifier, lexem.Text), lexem);
    return;
  }
  // A second quantifier applies to a group around the quantified item: "a*?" is "(a*)?".
  auto block = MakeOwned<TcxRegExprParserBlockItem>(std::move(quantifier));
  TcxRegExprParserBlockItem* wrapper = block.get();
  wrapper->Alts().Add()->Add(alt.ReplaceLast(std::move(block)));
  wrapper->UpdateHeight();
}

void TParser::SkipBraces()
{
  while (const TcxLexem* lexem = Next())
    if (IsOperator(lexem, '}')) return;
}

bool TParser::SkipGroup()
{
  for (int open = 1; const TcxLexem* lexem = Next();) {
    if (IsOperator(lexem, '(')) ++open;
    else if (IsOperator(lexem, ')') && --open == 0) return true;
  }
  return false;
}

bool TParser::ReadBounds(const TcxLexem& brace, int& n, int& m)
{
  // A count that does not fit in 32 bits is refused like any other bad parameter.
  auto integer = [](const TcxLexem* lexem, int& value) {
    if (!lexem || lexem->Code != C::Integer) return false;
    int64_t result = 0;
    for (char digit : lexem->Text) {
      result = result * 10 + (digit - '0');
      if (result > INT32_MAX) return false;
    }
    value = static_cast<int>(result);
    return true;
  };
  auto refuse = [&](const TcxLexem* at) {
    Error(Message(scxRegExprIncorrectParameterQuantifier), at ? *at : brace);
    if (at && !IsOperator(at, '}')) SkipBraces();
    return false;
  };
  const TcxLexem* lexem = Next();
  if (!integer(lexem, n)) return refuse(lexem);
  lexem = Next();
  if (IsOperator(lexem, '}')) {
    m = n;
    return true;
  }
  if (!IsOperator(lexem, ',')) return refuse(lexem);
  lexem = Next();
  if (IsOperator(lexem, '}')) {
    m = -1;
    return true;
  }
  if (!integer(lexem, m) || m < n) return refuse(lexem);
  lexem = Next();
  if (!IsOperator(lexem, '}')) return refuse(lexem);
  return true;
}

bool TParser::TakeCopies(int64_t count)
{
  if (FCopiedItems + count > cxRegExprMaxCopiedItems) return false;
  FCopiedItems += count;
  return true;
}

void TParser::ParseParameterQuantifier(TcxRegExprParserAlt& alt, const TcxLexem& brace)
{
  TcxRegExprParserItem* item = alt.Last();
  if (!item) {
    Error(Message(scxRegExprIncorrectParameterQuantifier), brace);
    SkipBraces();
    return;
  }
  int n = 0, m = 0;
  if (!ReadBounds(brace, n, m)) return;
  if (item->AllowsAbsence()) {
    Error(Message(scxRegExprCantUseParameterQuantifier), brace);
    return;
  }
  // The optional copies nest one level each, inside the new group.
  const int64_t copies = static_cast<int64_t>(n) + (m < 0 ? 1 : m - n);
  const int64_t height = item->Height() + 1 + (m > n ? m - n - 1 : 0);
  if (height > cxRegExprMaxDepth || !TakeCopies(copies * item->ItemCount())) {
    Error(Message(scxRegExprIncorrectParameterQuantifier), brace);
    return;
  }
  // X{n,m}: n copies of X, then for no bound one more with "*", else the optional tail
  // (X(X(...)?)?)? of m - n copies.
  auto block = MakeOwned<TcxRegExprParserBlockItem>();
  TcxRegExprParserAlt& sequence = *block->Alts().Add();
  for (int i = 0; i < n; ++i) sequence.Add(item->Copy());
  if (m < 0) {
    TOwned<TcxRegExprParserItem> repeated = item->Copy();
    repeated->ReplaceQuantifier(MakeOwned<TcxRegExprStarQuantifier>());
    sequence.Add(std::move(repeated));
  } else if (m > n) {
    TcxRegExprParserAlt* tail = &sequence;
    std::vector<TcxRegExprParserBlockItem*> optionals;
    for (int k = n; k < m - 1; ++k) {
      auto optional = MakeOwned<TcxRegExprParserBlockItem>(MakeOwned<TcxRegExprQuestionQuantifier>());
      optionals.push_back(optional.get());
      TcxRegExprParserAlt* inner = optional->Alts().Add();
      inner->Add(item->Copy());
      tail->Add(std::move(optional));
      tail = inner;
    }
    TOwned<TcxRegExprParserItem> last = item->Copy();
    last->ReplaceQuantifier(MakeOwned<TcxRegExprQuestionQuantifier>());
    tail->Add(std::move(last));
    for (auto optional = optionals.rbegin(); optional != optionals.rend(); ++optional) (*optional)->UpdateHeight();
  }
  block->UpdateHeight();
  // The item may be a group that references copy later: it stays alive until the parse ends.
  FReplaced.push_back(alt.ReplaceLast(std::move(block)));
}

void TParser::ParseBracket(TcxRegExprParserAlt& alt)
{
  const bool inverse = IsOperator(Peek(), '^');
  if (inverse) Next();
  if (IsOperator(Peek(), ']')) {
    Error(Message(scxRegExprCantCreateEmptyEnum), *Next());
    return;
  }
  auto enumeration = MakeOwned<TcxRegExprUserEnumeration>(inverse);
  while (const TcxLexem* lexem = Next()) {
    if (IsOperator(lexem, ']')) break;
    if (IsOperator(Peek(), '-')) {
      Next();
      const TcxLexem* last = Next();
      if (!last || IsOperator(last, ']')) break;
      const TcxRegExprChar from = TcxRegExprChar::First(lexem->Text), to = TcxRegExprChar::First(last->Text);
      if (from.Code() >= to.Code()) Error(Message(scxRegExprSubrangeOrder), *last);
      enumeration->Add(MakeOwned<TcxRegExprSubrange>(from, to));
      while (IsOperator(Peek(), '-')) Error(Message(scxRegExprIllegalSymbol, "-"), *Next());
      continue;
    }
    TOwned<TcxRegExprItem> member = ClassTest(lexem->Code);
    enumeration->Add(member ? std::move(member) : MakeOwned<TcxRegExprSymbol>(TcxRegExprChar::First(lexem->Text)));
  }
  alt.Add(MakeOwned<TcxRegExprParserSimpleItem>(std::move(enumeration)));
}

}  // namespace

TOwned<TcxRegExprParserAlts> ParseRegExpr(const TcxLexems& lexems, TcxRegExprErrors& errors)
{
  return TParser(lexems, errors).Run();
}
