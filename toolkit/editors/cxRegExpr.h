#pragma once
// The regular-expression engine of the mask editors. It is no search engine: a compiled
// expression follows the user's typing from the first character on (there are no anchors,
// captures or backtracking), answers after each character whether it was taken and whether the
// text so far is complete, steps back exactly on deletion, and can step over the characters the
// expression forces (a date separator after the day).
//
// Syntax: literals (blanks are skipped: quote them, 'a b', or write \x20), "." any character,
// \w \W \d \D \s \S, "/" and ":" the current date and time separators, \p the decimal separator,
// \a \e \f \n \r \t \xHH, "[...]" classes with ranges and "^", "(...)" groups, "|", "*", "+", "?",
// "{n}", "{n,}", "{n,m}", and \1 to \9 (a copy of a group's pattern, not of its match).
//
// Compiling tokenizes the source, parses it into a tree of alternatives, items and quantifiers,
// and links the tree into a nondeterministic automaton whose states are the tree's character
// tests. The sets of current states hold each state once, so a step costs at most the size of
// the automaton, whatever the overlap of the alternatives. Text is ANSI (code page 936 here): a
// double-byte character is one character everywhere: a literal (never read as an operator), what
// "." takes, a member or bound of a class, what a quantifier repeats, and what a step feeds.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#include "classlib/Events.h"
#include "classlib/Object.h"
#include "classlib/Streams.h"
#include "toolkit/editors/cxEdit.h"

// --- Characters ---

// One character of ANSI text: a single byte, or a lead and a trail byte of a double-byte
// character. Characters order by their bytes, a single byte before every double-byte character.
class TcxRegExprChar {
public:
  constexpr TcxRegExprChar() = default;
  constexpr explicit TcxRegExprChar(char single) : FCode(static_cast<unsigned char>(single)) {}
  constexpr TcxRegExprChar(char lead, char trail)
      : FCode(static_cast<uint16_t>(static_cast<unsigned char>(lead) << 8 | static_cast<unsigned char>(trail)))
  {
  }
  // The character that text starts with (a lead byte without its trail is a single byte);
  // nothing for an empty text.
  static TcxRegExprChar First(std::string_view text);
  bool IsDouble() const { return FCode > 0xFF; }
  // The byte of a single-byte character; 0 for a double-byte one.
  char Single() const { return IsDouble() ? '\0' : static_cast<char>(FCode); }
  int Size() const { return IsDouble() ? 2 : 1; }
  std::string Text() const;
  uint16_t Code() const { return FCode; }
  friend bool operator==(TcxRegExprChar a, TcxRegExprChar b) { return a.FCode == b.FCode; }
  friend bool operator!=(TcxRegExprChar a, TcxRegExprChar b) { return a.FCode != b.FCode; }

private:
  uint16_t FCode = 0;  // the byte, or the lead byte times 256 plus the trail byte
};

// The characters of text in order, each with the byte where it starts.
template <typename F>
void ForEachRegExprChar(std::string_view text, F&& f)
{
  for (size_t i = 0; i < text.size();) {
    const TcxRegExprChar ch = TcxRegExprChar::First(text.substr(i));
    f(ch, i);
    i += static_cast<size_t>(ch.Size());
  }
}
// The characters of text.
int RegExprCharCount(std::string_view text);

// --- Tokens ---

enum class TcxLexemCode : uint8_t {
  Literal = 0,
  Operator = 1,  // ( ) * + ? | [ ] ^ - { } ,
  Integer = 2,   // digits inside braces
  Any = 3,
  Word = 4,
  NotWord = 5,
  Digit = 6,
  NotDigit = 7,
  Space = 8,
  NotSpace = 9,
  Reference = 10,  // \1 to \9: the digit
  DateSeparator = 11,
  TimeSeparator = 12,
};

// One token: where its (last) character stands, its code and its text.
struct TcxLexem {
  int32_t Position = 0;
  TcxLexemCode Code = TcxLexemCode::Literal;
  int32_t Line = 0;
  std::string Text;
};
using TcxLexems = std::vector<TcxLexem>;

// --- Errors ---

// One mistake in a source: line and position (0 when the whole text is meant) and the message.
struct TcxRegExprError {
  int32_t Line = 0;
  int32_t Position = 0;
  std::string Message;
  // "Line<n>, Char<p>: <message>", the parts for a line or a position of 0 left out.
  std::string FullText() const;
};
using TcxRegExprErrors = std::vector<TcxRegExprError>;

// A compile failed: every error found, in source order.
class EcxRegExprError : public EcxEditError {
public:
  explicit EcxRegExprError(TcxRegExprErrors errors);
  const char* ClassName() const override { return "EcxRegExprError"; }
  const TcxRegExprErrors& Errors() const { return FErrors; }

private:
  TcxRegExprErrors FErrors;
};

// --- Character tests ---

// The white space of the syntax (skipped between tokens) and of "\s": blank, #0, tab, line feed,
// form feed, carriage return.
bool IsRegExprSpace(char ch);

class TcxRegExprItem : public TObject {
  CL_CLASS(TcxRegExprItem, TObject)
public:
  // Whether the test takes ch; a symbol that takes a character of another case rewrites ch to its
  // own.
  virtual bool Accepts(TcxRegExprChar& ch, bool caseInsensitive) const = 0;
  virtual TOwned<TcxRegExprItem> Copy() const = 0;
};

// One character; case-insensitively, any character equal to it when both are upper-cased by the
// locale.
class TcxRegExprSymbol : public TcxRegExprItem {
  CL_CLASS(TcxRegExprSymbol, TcxRegExprItem)
public:
  explicit TcxRegExprSymbol(TcxRegExprChar symbol) : FSymbol(symbol) {}
  TcxRegExprChar Symbol() const { return FSymbol; }
  bool Accepts(TcxRegExprChar& ch, bool caseInsensitive) const override;
  TOwned<TcxRegExprItem> Copy() const override { return MakeOwned<TcxRegExprSymbol>(FSymbol); }

private:
  TcxRegExprChar FSymbol;
};

// The class library's date separator at the moment of the test.
class TcxRegExprDateSeparator : public TcxRegExprItem {
  CL_CLASS(TcxRegExprDateSeparator, TcxRegExprItem)
public:
  bool Accepts(TcxRegExprChar& ch, bool caseInsensitive) const override;
  TOwned<TcxRegExprItem> Copy() const override { return MakeOwned<TcxRegExprDateSeparator>(); }
};

// The class library's time separator at the moment of the test.
class TcxRegExprTimeSeparator : public TcxRegExprItem {
  CL_CLASS(TcxRegExprTimeSeparator, TcxRegExprItem)
public:
  bool Accepts(TcxRegExprChar& ch, bool caseInsensitive) const override;
  TOwned<TcxRegExprItem> Copy() const override { return MakeOwned<TcxRegExprTimeSeparator>(); }
};

// first <= ch <= last in the order of characters, case never folded.
class TcxRegExprSubrange : public TcxRegExprItem {
  CL_CLASS(TcxRegExprSubrange, TcxRegExprItem)
public:
  TcxRegExprSubrange(TcxRegExprChar first, TcxRegExprChar last) : FFirst(first), FLast(last) {}
  bool Accepts(TcxRegExprChar& ch, bool caseInsensitive) const override;
  TOwned<TcxRegExprItem> Copy() const override { return MakeOwned<TcxRegExprSubrange>(FFirst, FLast); }

private:
  TcxRegExprChar FFirst, FLast;
};

// A class of characters, negated when inverse.
class TcxRegExprEnumeration : public TcxRegExprItem {
  CL_CLASS(TcxRegExprEnumeration, TcxRegExprItem)
public:
  explicit TcxRegExprEnumeration(bool inverse) : FInverse(inverse) {}
  bool Inverse() const { return FInverse; }
  bool Accepts(TcxRegExprChar& ch, bool caseInsensitive) const override;

protected:
  virtual bool Contains(TcxRegExprChar& ch, bool caseInsensitive) const = 0;

private:
  bool FInverse;
};

// A bracket class: any of its member tests.
class TcxRegExprUserEnumeration : public TcxRegExprEnumeration {
  CL_CLASS(TcxRegExprUserEnumeration, TcxRegExprEnumeration)
public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  void Add(TOwned<TcxRegExprItem> member) { FMembers.push_back(std::move(member)); }
  int Count() const { return static_cast<int>(FMembers.size()); }
  TOwned<TcxRegExprItem> Copy() const override;

protected:
  bool Contains(TcxRegExprChar& ch, bool caseInsensitive) const override;

private:
  std::vector<TOwned<TcxRegExprItem>> FMembers;
};

// "0" to "9".
class TcxRegExprDigit : public TcxRegExprEnumeration {
  CL_CLASS(TcxRegExprDigit, TcxRegExprEnumeration)
public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  TOwned<TcxRegExprItem> Copy() const override { return MakeOwned<TcxRegExprDigit>(Inverse()); }

protected:
  bool Contains(TcxRegExprChar& ch, bool) const override { return ch.Single() >= '0' && ch.Single() <= '9'; }
};

// Letters, digits and "_".
class TcxRegExprIdLetter : public TcxRegExprEnumeration {
  CL_CLASS(TcxRegExprIdLetter, TcxRegExprEnumeration)
public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  TOwned<TcxRegExprItem> Copy() const override { return MakeOwned<TcxRegExprIdLetter>(Inverse()); }

protected:
  bool Contains(TcxRegExprChar& ch, bool caseInsensitive) const override;
};

// Blank, #0, tab, line feed, form feed, carriage return.
class TcxRegExprSpace : public TcxRegExprEnumeration {
  CL_CLASS(TcxRegExprSpace, TcxRegExprEnumeration)
public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  TOwned<TcxRegExprItem> Copy() const override { return MakeOwned<TcxRegExprSpace>(Inverse()); }

protected:
  bool Contains(TcxRegExprChar& ch, bool caseInsensitive) const override;
};

// Any character.
class TcxRegExprAll : public TcxRegExprItem {
  CL_CLASS(TcxRegExprAll, TcxRegExprItem)
public:
  bool Accepts(TcxRegExprChar&, bool) const override { return true; }
  TOwned<TcxRegExprItem> Copy() const override { return MakeOwned<TcxRegExprAll>(); }
};

// --- Quantifiers ---

class TcxRegExprQuantifier : public TObject {
  CL_CLASS(TcxRegExprQuantifier, TObject)
public:
  virtual bool AllowsAbsence() const = 0;
  virtual bool AllowsRepeat() const = 0;
  virtual TOwned<TcxRegExprQuantifier> Copy() const = 0;
  virtual std::string Notation() const = 0;
};

// Exactly once.
class TcxRegExprSimpleQuantifier : public TcxRegExprQuantifier {
  CL_CLASS(TcxRegExprSimpleQuantifier, TcxRegExprQuantifier)
public:
  bool AllowsAbsence() const override { return false; }
  bool AllowsRepeat() const override { return false; }
  TOwned<TcxRegExprQuantifier> Copy() const override { return MakeOwned<TcxRegExprSimpleQuantifier>(); }
  std::string Notation() const override { return ""; }
};

class TcxRegExprQuestionQuantifier : public TcxRegExprQuantifier {
  CL_CLASS(TcxRegExprQuestionQuantifier, TcxRegExprQuantifier)
public:
  bool AllowsAbsence() const override { return true; }
  bool AllowsRepeat() const override { return false; }
  TOwned<TcxRegExprQuantifier> Copy() const override { return MakeOwned<TcxRegExprQuestionQuantifier>(); }
  std::string Notation() const override { return "?"; }
};

class TcxRegExprStarQuantifier : public TcxRegExprQuantifier {
  CL_CLASS(TcxRegExprStarQuantifier, TcxRegExprQuantifier)
public:
  bool AllowsAbsence() const override { return true; }
  bool AllowsRepeat() const override { return true; }
  TOwned<TcxRegExprQuantifier> Copy() const override { return MakeOwned<TcxRegExprStarQuantifier>(); }
  std::string Notation() const override { return "*"; }
};

class TcxRegExprPlusQuantifier : public TcxRegExprQuantifier {
  CL_CLASS(TcxRegExprPlusQuantifier, TcxRegExprQuantifier)
public:
  bool AllowsAbsence() const override { return false; }
  bool AllowsRepeat() const override { return true; }
  TOwned<TcxRegExprQuantifier> Copy() const override { return MakeOwned<TcxRegExprPlusQuantifier>(); }
  std::string Notation() const override { return "+"; }
};

// --- Automaton states ---

class TcxRegExprSimpleState;

// A node of the automaton with its successors (not owned).
class TcxRegExprState : public TObject {
  CL_CLASS(TcxRegExprState, TObject)
public:
  const std::vector<TcxRegExprState*>& Successors() const { return FSuccessors; }
  void AddSuccessor(TcxRegExprState* state) { FSuccessors.push_back(state); }
  // A copy without successors.
  virtual TOwned<TcxRegExprState> Copy() const = 0;
  // The state as a simple state; nullptr for a pass-through state.
  virtual TcxRegExprSimpleState* AsSimple() { return nullptr; }

private:
  friend class TcxRegExprWalk;
  std::vector<TcxRegExprState*> FSuccessors;
  uint32_t FStamp = 0;  // the last walk that added or passed this state
};

// A state that consumes one character that its test takes; the start state has no test.
class TcxRegExprSimpleState : public TcxRegExprState {
  CL_CLASS(TcxRegExprSimpleState, TcxRegExprState)
public:
  explicit TcxRegExprSimpleState(TOwned<TcxRegExprItem> test) : FTest(std::move(test)) {}
  TcxRegExprItem* Test() const { return FTest.get(); }
  bool Accepting() const { return FAccepting; }
  void SetAccepting(bool value) { FAccepting = value; }
  bool Matches(TcxRegExprChar& ch, bool caseInsensitive) const { return FTest && FTest->Accepts(ch, caseInsensitive); }
  TOwned<TcxRegExprState> Copy() const override;
  TcxRegExprSimpleState* AsSimple() override { return this; }

private:
  TOwned<TcxRegExprItem> FTest;
  bool FAccepting = false;
};

// A pass-through node (a group's entry or exit): it stands for its successors and is never
// accepting.
class TcxRegExprBlockState : public TcxRegExprState {
  CL_CLASS(TcxRegExprBlockState, TcxRegExprState)
public:
  TOwned<TcxRegExprState> Copy() const override { return MakeOwned<TcxRegExprBlockState>(); }

private:
  friend class TcxRegExprWalk;
  // What walks of one stamp made of the character they brought here: the character each left
  // with, so that a second pass with the same character is answered without walking again.
  struct TPass {
    TcxRegExprChar In, Out;
  };
  std::vector<TPass> FPasses;
};

// A set of simple states, each once, in the order of first reaching.
class TcxRegExprStates {
public:
  TcxRegExprStates() = default;
  explicit TcxRegExprStates(TcxRegExprSimpleState* state) : FStates{state} {}
  int Count() const { return static_cast<int>(FStates.size()); }
  bool Empty() const { return FStates.empty(); }
  TcxRegExprSimpleState* State(int index) const { return FStates[index]; }
  const std::vector<TcxRegExprSimpleState*>& States() const { return FStates; }
  // Some state is accepting.
  bool HasAccepting() const;
  // True when the set is not empty and every state tests for one fixed character, the same for
  // all (a symbol, or the current date or time separator): that character.
  bool LiteralChar(TcxRegExprChar& ch) const;

private:
  friend class TcxRegExprWalk;
  std::vector<TcxRegExprSimpleState*> FStates;
};

// --- Parse tree ---

// An item of an alternative with its quantifier (exactly once when none was given).
class TcxRegExprParserItem : public TObject {
  CL_CLASS(TcxRegExprParserItem, TObject)
public:
  explicit TcxRegExprParserItem(TOwned<TcxRegExprQuantifier> quantifier);

  virtual bool CanMatchEmpty() const = 0;
  // A deep copy, with fresh states.
  virtual TOwned<TcxRegExprParserItem> Copy() const = 0;
  // The item as text, for diagnosis.
  virtual std::string Describe() const = 0;
  // Marks the states that end a match through this item as accepting.
  virtual void MarkAccepting() = 0;
  // The state through which the item is entered and the one through which it is left.
  virtual TcxRegExprState* EntryState() const = 0;
  virtual TcxRegExprState* ExitState() const = 0;
  // Items in the subtree, this one included.
  virtual int ItemCount() const { return 1; }
  // Groups nested in the subtree: 0 for a simple item, one more than its deepest item for a group.
  int Height() const { return FHeight; }

  TcxRegExprQuantifier* Quantifier() const { return FQuantifier.get(); }
  bool AllowsAbsence() const { return FQuantifier->AllowsAbsence(); }
  bool AllowsRepeat() const { return FQuantifier->AllowsRepeat(); }
  bool HasPlainQuantifier() const;
  // Takes the new quantifier and frees the old one; none keeps the old one.
  void ReplaceQuantifier(TOwned<TcxRegExprQuantifier> quantifier);

protected:
  int FHeight = 0;

private:
  TOwned<TcxRegExprQuantifier> FQuantifier;
};

// An item of one character test.
class TcxRegExprParserSimpleItem : public TcxRegExprParserItem {
  CL_CLASS(TcxRegExprParserSimpleItem, TcxRegExprParserItem)
public:
  explicit TcxRegExprParserSimpleItem(TOwned<TcxRegExprItem> test, TOwned<TcxRegExprQuantifier> quantifier = nullptr);
  TcxRegExprSimpleState* State() const { return FState.get(); }
  bool CanMatchEmpty() const override { return AllowsAbsence(); }
  TOwned<TcxRegExprParserItem> Copy() const override;
  std::string Describe() const override;
  void MarkAccepting() override { FState->SetAccepting(true); }
  TcxRegExprState* EntryState() const override { return FState.get(); }
  TcxRegExprState* ExitState() const override { return FState.get(); }

private:
  TOwned<TcxRegExprSimpleState> FState;
};

// Items in sequence.
class TcxRegExprParserAlt : public TObject {
  CL_CLASS(TcxRegExprParserAlt, TObject)
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TcxRegExprParserItem* Item(int index) const { return FItems[index].get(); }
  TcxRegExprParserItem* Last() const { return FItems.empty() ? nullptr : FItems.back().get(); }
  void Add(TOwned<TcxRegExprParserItem> item) { FItems.push_back(std::move(item)); }
  // Puts item in the last place and hands the item that was there to the caller.
  TOwned<TcxRegExprParserItem> ReplaceLast(TOwned<TcxRegExprParserItem> item);
  // Every item allows absence (true for no items).
  bool AllAllowAbsence() const;
  TOwned<TcxRegExprParserAlt> Copy() const;
  std::string Describe() const;
  // Marks accepting from the last item back, past each item that may be absent.
  void MarkAccepting();
  int ItemCount() const;

private:
  std::vector<TOwned<TcxRegExprParserItem>> FItems;
};

class TcxRegExprParserAlts : public TObject {
  CL_CLASS(TcxRegExprParserAlts, TObject)
public:
  int Count() const { return static_cast<int>(FAlts.size()); }
  TcxRegExprParserAlt* Alt(int index) const { return FAlts[index].get(); }
  TcxRegExprParserAlt* Add();
  TOwned<TcxRegExprParserAlts> Copy() const;
  std::string Describe() const;
  int ItemCount() const;

private:
  std::vector<TOwned<TcxRegExprParserAlt>> FAlts;
};

// A group of alternatives, entered and left through two pass-through states.
class TcxRegExprParserBlockItem : public TcxRegExprParserItem {
  CL_CLASS(TcxRegExprParserBlockItem, TcxRegExprParserItem)
public:
  explicit TcxRegExprParserBlockItem(TOwned<TcxRegExprQuantifier> quantifier = nullptr);
  TcxRegExprParserAlts& Alts() const { return *FAlts; }
  bool CanMatchEmpty() const override;
  TOwned<TcxRegExprParserItem> Copy() const override;
  std::string Describe() const override;
  void MarkAccepting() override;
  TcxRegExprState* EntryState() const override { return FEntry.get(); }
  TcxRegExprState* ExitState() const override { return FExit.get(); }
  int ItemCount() const override;
  // Takes the height from the items now in the alternatives.
  void UpdateHeight();

private:
  TOwned<TcxRegExprParserAlts> FAlts;
  TOwned<TcxRegExprBlockState> FEntry, FExit;
};

// Tokenizing and parsing. Errors are added to errors; the tree is made even when there are some.
void TokenizeRegExpr(std::string_view source, TcxLexems& lexems, TcxRegExprErrors& errors);
TOwned<TcxRegExprParserAlts> ParseRegExpr(const TcxLexems& lexems, TcxRegExprErrors& errors);
// Items that the parameter quantifiers and the group references of one expression may copy in
// all; a copy past it is refused.
constexpr int cxRegExprMaxCopiedItems = 10000;
// Levels of groups in groups (typed, or made by a second quantifier or by the optional copies of
// a parameter quantifier) an expression may have.
constexpr int cxRegExprMaxDepth = 1000;

// --- The automaton and the expression ---

class TcxRegExprAutomat : public TObject {
  CL_CLASS(TcxRegExprAutomat, TObject)
public:
  // Links the tree (which it takes), marks the accepting states and starts.
  explicit TcxRegExprAutomat(TOwned<TcxRegExprParserAlts> tree);
  ~TcxRegExprAutomat() override;

  TcxRegExprParserAlts& Tree() const { return *FTree; }
  TcxRegExprSimpleState* StartState() const { return FStart.get(); }
  const TcxRegExprStates& Current() const { return FCurrent; }
  int HistoryCount() const { return static_cast<int>(FHistory.size()); }
  // Simple and pass-through states, the start state included.
  int StateCount() const { return static_cast<int>(FAllStates.size()); }

  // The states that take ch from the current set; when there are any, the current set goes to the
  // history and they become current.
  bool Advance(TcxRegExprChar& ch, bool caseInsensitive);
  // The set before the last step becomes current; false when there is none.
  bool Retreat();
  void Restart();
  bool AtStart() const;
  bool AtAccept() const { return FCurrent.HasAccepting(); }
  // Every state that can follow one of the set.
  TcxRegExprStates Successors(const TcxRegExprStates& states);
  // The current set to the history, next current.
  void Push(TcxRegExprStates next);
  // The set before the last step, or nullptr at the start of the history.
  const TcxRegExprStates* Previous() const { return FHistory.empty() ? nullptr : &FHistory.back(); }

private:
  void Link(TcxRegExprParserAlts& alts, TcxRegExprState* exit);
  void Link(TcxRegExprParserAlt& alt, TcxRegExprState* exit);
  // Links from state to what stands for the items of alt from index on (entered at the first,
  // continuing past each item that may be absent); nothing when index is past the end.
  void LinkToItemsFrom(TcxRegExprState* state, TcxRegExprParserAlt& alt, int index);
  // A pass-through state of the automaton's own for the items of alt from index on (made once).
  TcxRegExprState* Continuation(TcxRegExprParserAlt& alt, int index);
  void CollectStates(TcxRegExprParserAlts& alts);
  uint32_t NextStamp();

  TOwned<TcxRegExprParserAlts> FTree;
  TOwned<TcxRegExprSimpleState> FStart;
  std::vector<TOwned<TcxRegExprBlockState>> FContinuations;
  std::map<std::pair<const TcxRegExprParserAlt*, int>, TcxRegExprState*> FContinuationOf;
  std::vector<TcxRegExprState*> FAllStates;
  TcxRegExprStates FCurrent;
  std::vector<TcxRegExprStates> FHistory;
  uint32_t FStamp = 0;
};

using TcxRegExprLiteralStepBackEvent = TEvent<void()>;
using TcxRegExprLiteralStepForwardEvent = TEvent<void(TcxRegExprChar ch)>;

class TcxRegExpr : public TObject {
  CL_CLASS(TcxRegExpr, TObject)
public:
  TcxRegExpr() = default;
  ~TcxRegExpr() override;

  // Compiles the whole of stream (from its start). Raises EcxRegExprError with every error found;
  // the expression is then not compiled and Errors lists them.
  void CompileMask(TStream* stream);
  // Empties the source, errors and tokens and frees the automaton.
  void ClearAll();
  // The source when compiled, else nullptr.
  TStream* GetSource() const { return FCompiled ? FSource.get() : nullptr; }
  bool Compiled() const { return FCompiled; }
  const TcxRegExprErrors& Errors() const { return FErrors; }
  const TcxLexems& Lexems() const { return FLexems; }
  // The automaton while compiled.
  TcxRegExprAutomat* Automat() const { return FAutomat.get(); }

  // The operations below raise EcxEditError "Regular expression is not compiled" before a
  // successful compile.
  // Feeds one character; case-insensitively ch comes back as the mask's own character. With
  // AutoStepLiterals, the characters the expression then forces are stepped over.
  bool StepChar(TcxRegExprChar& ch);
  // Feeds the characters of text in order, skipping those refused; accepted collects those taken
  // (as rewritten). Forced characters are not stepped over.
  void StepText(std::string_view text, std::string& accepted);
  // Steps back one character (with AutoStepLiterals, first over the forced characters before it).
  bool StepBack();
  void Restart();
  bool AtAcceptingState();
  bool AtStartState();

  bool AutoStepLiterals() const { return FAutoStepLiterals; }
  // Turning it on while compiled steps over the characters forced now.
  void SetAutoStepLiterals(bool value);
  bool CaseInsensitive() const { return FCaseInsensitive; }
  void SetCaseInsensitive(bool value) { FCaseInsensitive = value; }
  // The owner removes the last character of its text.
  const TcxRegExprLiteralStepBackEvent& OnLiteralStepBack() const { return FOnLiteralStepBack; }
  void SetOnLiteralStepBack(const TcxRegExprLiteralStepBackEvent& value) { FOnLiteralStepBack = value; }
  // The owner appends ch.
  const TcxRegExprLiteralStepForwardEvent& OnLiteralStepForward() const { return FOnLiteralStepForward; }
  void SetOnLiteralStepForward(const TcxRegExprLiteralStepForwardEvent& value) { FOnLiteralStepForward = value; }

private:
  void CheckCompiled() const;
  [[noreturn]] void RaiseErrors() const;
  // Both answer false when an event handler freed the expression.
  bool StepForwardOverLiterals();
  bool StepBackOverLiterals();

  TOwned<TStringStream> FSource;
  TcxRegExprErrors FErrors;
  TcxLexems FLexems;
  TOwned<TcxRegExprAutomat> FAutomat;
  bool FCompiled = false;
  bool FAutoStepLiterals = false;
  bool FCaseInsensitive = false;
  // Counts every change of the current set, so that stepping over literals notices an event
  // handler that stepped, restarted or compiled meanwhile.
  uint32_t FChanges = 0;
  TcxRegExprLiteralStepBackEvent FOnLiteralStepBack;
  TcxRegExprLiteralStepForwardEvent FOnLiteralStepForward;
};
