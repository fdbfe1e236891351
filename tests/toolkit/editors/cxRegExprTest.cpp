// The regular-expression engine: tokens, compile errors with their lines and positions, the
// limits on copies, the parse tree of quantifiers, equivalent expressions, stepping and stepping
// back, forced characters, and sets that stay small under overlapping repetition.
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <vector>
#include "tests/toolkit/editors/EditorsTestSupport.h"
#include "tests/toolkit/editors/RegExprTestSupport.h"
#include "toolkit/editors/cxRegExpr.h"

namespace {

// The errors of compiling source (none when it compiles).
TcxRegExprErrors CompileErrors(std::string_view source)
{
  try {
    CompiledRegExpr(source);
  } catch (const EcxRegExprError& e) {
    return e.Errors();
  }
  return {};
}

// The tokens as "code:text" with the text's control characters as "#n".
std::string Tokens(std::string_view source)
{
  TcxLexems lexems;
  TcxRegExprErrors errors;
  TokenizeRegExpr(source, lexems, errors);
  std::string text;
  for (const TcxLexem& lexem : lexems) {
    text += (text.empty() ? "" : " ") + std::to_string(static_cast<int>(lexem.Code)) + ":";
    for (char ch : lexem.Text) text += static_cast<unsigned char>(ch) < ' ' ? "#" + std::to_string(ch) : std::string(1, ch);
  }
  return text;
}

class cxRegExprTest : public testing::Test {
protected:
  TScopedFormatSettings FSettings;
  void SetUp() override
  {
    FormatSettings().DateSeparator = '/';
    FormatSettings().TimeSeparator = ':';
    FormatSettings().DecimalSeparator = ',';
  }
};

}  // namespace

TEST_F(cxRegExprTest, TokensCarryTheirCodes)
{
  struct TCase {
    const char* Source;
    const char* Tokens;
  };
  const TCase cases[] = {
    {"a b", "0:a 0:b"},
    {"a' 'b'it''s'", "0:a 0:  0:b 0:i 0:t 0:' 0:s"},
    {"(a)*+?|.", "1:( 0:a 1:) 1:* 1:+ 1:? 1:| 3:."},
    {"\\w\\W\\d\\D\\s\\S\\3/:", "4:w 5:W 6:d 7:D 8:s 9:S 10:3 11:/ 12::"},
    {"\\a\\e\\f\\n\\r\\t\\p\\x41\\x7a\\0\\.", "0:#7 0:#27 0:#12 0:#10 0:#13 0:#9 0:, 0:A 0:z 0:0 0:."},
    {"]}-^,", "0:] 0:} 0:- 0:^ 0:,"},
    {"[^a-z]", "1:[ 1:^ 0:a 1:- 0:z 1:]"},
    {"[-a^-]", "1:[ 0:- 0:a 0:^ 0:- 1:]"},
    {"[a - ]", "1:[ 0:a 0:- 1:]"},
    {"['x]'/:\\d]", "1:[ 0:x 0:] 11:/ 12:: 6:d 1:]"},
    {"x{ 12 , 345 }", "0:x 1:{ 2:12 1:, 2:345 1:}"},
    // A double-byte character is one literal, whatever its second byte.
    {"\x81\x7C", "0:\x81|"},
    {"'\x81\x7C'[\x81\x7C]", "0:\x81| 1:[ 0:\x81| 1:]"},
  };
  for (const TCase& c : cases) EXPECT_EQ(Tokens(c.Source), c.Tokens) << c.Source;
}

namespace {
struct TErrorCase {
  const char* Source;
  const char* Message;
  int Line, Position;
};

const TErrorCase ErrorCases[] = {
  {"", "The source stream is empty", 0, 0},
  {" \t\r\n", "The source stream is empty", 0, 0},
  {"(", "Missing ')'", 0, 0},
  {"a)", "Unnecessary ')'", 0, 0},
  {")(", "Illegal ')'", 1, 1},
  {"*a", "Illegal quantifier '*'", 1, 1},
  {"a?*", "The '*' quantifier cannot be applied here", 1, 3},
  {"(a?)+", "The '+' quantifier cannot be applied here", 1, 5},
  {"a||b", "The alternative should not be empty", 1, 3},
  {"|a", "The alternative should not be empty", 1, 1},
  {"a|", "The alternative should not be empty", 0, 0},
  {"''", "The alternative should not be empty", 0, 0},
  {"()", "The block should not be empty", 1, 2},
  {"(a|)", "The block should not be empty", 1, 4},
  {"[z-a]", "The starting character of the subrange must be less than the finishing one", 1, 4},
  {"[a-a]", "The starting character of the subrange must be less than the finishing one", 1, 4},
  {"[a-c-e]", "Illegal '-'", 1, 5},
  {"[]", "Can't create empty enumeration", 1, 2},
  {"[^]", "Can't create empty enumeration", 1, 3},
  {"[ab", "Missing ']'", 1, 4},
  {"[a-", "Missing ']'", 1, 4},
  {"(a)\\2", "Too big reference number", 1, 5},
  {"x{3,2}", "Incorrect parameter quantifier", 1, 5},
  {"x{}", "Incorrect parameter quantifier", 1, 3},
  {"x{,2}", "Incorrect parameter quantifier", 1, 3},
  {"x{1 2}", "Incorrect parameter quantifier", 1, 5},
  {"{2}", "Incorrect parameter quantifier", 1, 1},
  {"x{a}", "Illegal 'a'", 1, 3},
  {"x{2", "Missing '}'", 1, 4},
  {"x?{2}", "The parameter quantifier cannot be applied here", 1, 3},
  {"\\xG1", "Hexadecimal number expected but 'G' found", 1, 3},
  {"\\x4", "Hexadecimal number expected", 1, 4},
  {"\\x", "Hexadecimal number expected", 1, 3},
  {"a\\ b", "The space character is not allowed after '\\'", 1, 3},
  {"'abc", "Missing '''", 1, 5},
  // Counts in braces are bounded: a count past 32 bits, and copies past the expression's limit.
  {"x{99999999999}", "Incorrect parameter quantifier", 1, 13},
  {"x{2000000000}", "Incorrect parameter quantifier", 1, 2},
  {"x{1,4294967296}", "Incorrect parameter quantifier", 1, 14},
  {"x{10001}", "Incorrect parameter quantifier", 1, 2},
  {"x{0,}{10000}", "Incorrect parameter quantifier", 1, 6},
  {"x{5000}y{5001}", "Incorrect parameter quantifier", 1, 9},
  {"(a{4000})\\1\\1", "Too big reference number", 1, 13},
  // Line numbers count carriage returns; a line feed starts the position again.
  {"a\r\nb|\r\n|c", "The alternative should not be empty", 3, 1},
  {"x\r\n\r\n  {1,0}", "Incorrect parameter quantifier", 3, 6},
  {"ab\r\n[c\r\n-", "Missing ']'", 3, 2},
};
}  // namespace

TEST_F(cxRegExprTest, CompileErrorsCarryTheirMessageLineAndPosition)
{
  for (const TErrorCase& c : ErrorCases) {
    SCOPED_TRACE(c.Source);
    const TcxRegExprErrors errors = CompileErrors(c.Source);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[0].Message, c.Message);
    EXPECT_EQ(errors[0].Line, c.Line);
    EXPECT_EQ(errors[0].Position, c.Position);
  }
}

TEST_F(cxRegExprTest, AFailedCompileLeavesTheExpressionNotCompiledWithEveryError)
{
  auto expression = MakeOwned<TcxRegExpr>();
  auto stream = MakeOwned<TStringStream>(std::string(")("));
  try {
    expression->CompileMask(stream.get());
    FAIL() << "compiled";
  } catch (const EcxRegExprError& e) {
    ASSERT_EQ(e.Errors().size(), 2u);
    EXPECT_EQ(e.Errors()[0].FullText(), "Line1, Char1: Illegal ')'");
    EXPECT_EQ(e.Errors()[1].FullText(), "The alternative should not be empty");
    EXPECT_EQ(e.Message(), "Line1, Char1: Illegal ')'\r\nThe alternative should not be empty");
  }
  EXPECT_FALSE(expression->Compiled());
  EXPECT_EQ(expression->Errors().size(), 2u);
  EXPECT_EQ(expression->GetSource(), nullptr);

  // A position of 0 leaves out the "Char" part.
  EXPECT_EQ((TcxRegExprError{2, 0, "m"}).FullText(), "Line2: m");

  // No stream.
  EXPECT_THROW(expression->CompileMask(nullptr), EcxRegExprError);
  ASSERT_EQ(expression->Errors().size(), 1u);
  EXPECT_EQ(expression->Errors()[0].Message, "The source stream is not assigned");

  // A good compile clears the errors and keeps its source.
  stream = MakeOwned<TStringStream>(std::string("ab|c"));
  expression->CompileMask(stream.get());
  EXPECT_TRUE(expression->Compiled());
  EXPECT_TRUE(expression->Errors().empty());
  ASSERT_NE(expression->GetSource(), nullptr);
  auto again = MakeOwned<TcxRegExpr>();
  again->CompileMask(expression->GetSource());
  EXPECT_TRUE(AcceptsWhole(*again, "c"));
}

TEST_F(cxRegExprTest, SteppingBeforeACompileRaises)
{
  auto expression = MakeOwned<TcxRegExpr>();
  TcxRegExprChar ch('a');
  std::string accepted;
  const auto notCompiled = [&](auto call) {
    try {
      call();
    } catch (const EcxRegExprError&) {
      return false;
    } catch (const EcxEditError& e) {
      return e.Message() == "Regular expression is not compiled";
    }
    return false;
  };
  EXPECT_TRUE(notCompiled([&] { expression->StepChar(ch); }));
  EXPECT_TRUE(notCompiled([&] { expression->StepText("a", accepted); }));
  EXPECT_TRUE(notCompiled([&] { expression->StepBack(); }));
  EXPECT_TRUE(notCompiled([&] { expression->Restart(); }));
  EXPECT_TRUE(notCompiled([&] { expression->AtAcceptingState(); }));
  EXPECT_TRUE(notCompiled([&] { expression->AtStartState(); }));
  EXPECT_THROW(expression->CompileMask(nullptr), EcxRegExprError);
  EXPECT_TRUE(notCompiled([&] { expression->StepChar(ch); }));
  expression = CompiledRegExpr("a");
  expression->ClearAll();
  EXPECT_TRUE(notCompiled([&] { expression->StepChar(ch); }));
}

TEST_F(cxRegExprTest, QuantifiersBuildTheirTrees)
{
  const std::string item = "item --> ";
  auto alt = [](std::string items) { return "<Start_Alt>\r\n" + items + "<Finish_Alt>\r\n"; };
  auto block = [](std::string alts, std::string q) { return "<Start_Block>\r\n" + alts + "<Finish_Block> --> " + q + "\r\n"; };
  auto simple = [&](std::string q) { return item + q + "\r\n"; };
  auto tree = [](const char* source) { return CompiledRegExpr(source)->Automat()->Tree().Describe(); };
  // A second quantifier applies to a group around the first.
  EXPECT_EQ(tree("a*?"), alt(block(alt(simple("*")), "?")));
  EXPECT_EQ(tree("a+*"), alt(block(alt(simple("+")), "*")));
  EXPECT_EQ(tree("(a)?"), alt(block(alt(simple("")), "?")));
  // Parameter quantifiers: copies in a group of their own, the optional tail nested.
  EXPECT_EQ(tree("x{2}"), alt(block(alt(simple("") + simple("")), "")));
  EXPECT_EQ(tree("x{2,}"), alt(block(alt(simple("") + simple("") + simple("*")), "")));
  EXPECT_EQ(tree("x{2,4}"),
            alt(block(alt(simple("") + simple("") + block(alt(simple("") + simple("?")), "?")), "")));
  EXPECT_EQ(tree("x{0,1}"), alt(block(alt(simple("?")), "")));
  // A reference copies the group's pattern with its quantifier.
  EXPECT_EQ(tree("(a)?\\1"), alt(block(alt(simple("")), "?") + block(alt(simple("")), "?")));
  // A group a parameter quantifier replaced is still the pattern references copy.
  EXPECT_EQ(tree("(ab){2}\\1"),
            alt(block(alt(block(alt(simple("") + simple("")), "") + block(alt(simple("") + simple("")), "")), "") +
                block(alt(simple("") + simple("")), "")));
}

namespace {
struct TEquivalence {
  const char* A;
  const char* B;
  const char* Alphabet;
};
const TEquivalence Equivalences[] = {
  {"a b", "ab", "ab"},
  {"a' 'b", "a\\x20b", "a b"},
  {"x{2}", "xx", "xy"},
  {"x{2,4}", "xx(x(x)?)?", "xy"},
  {"x{2,}", "xxx*", "xy"},
  {"(ab){1,2}c", "ab(ab)?c", "abc"},
  {"(ab)\\1", "(ab)(ab)", "ab"},
  {"(a|b)\\1+", "(a|b)(a|b)+", "abc"},
  {"a*?", "(a*)?", "ab"},
  {"a+?", "(a+)?", "ab"},
  {"[a-c]x", "(a|b|c)x", "abcdx"},
  {"[^a-c]", "[d-z]", "abcdz"},
  {"\\d+\\D", "[0-9]+[^0-9]", "1a "},
  {"\\w\\W", "[a-zA-Z0-9_][^a-zA-Z0-9_]", "a_ ."},
  {"\\s\\S", "[' '\\t][^' '\\t]", "a \t"},
  {"[\\d.]", "\\d|'.'", "5a."},
  {"(\\w|\\d)+", "\\w+", "a1-"},
  {"((\\d|[0-9])\\d?)+", "\\d+", "12a"},
  {"(a|\\w|[a-z])*", "\\w*", "aZ-"},
};

// Every text of up to five characters over the alphabet.
std::vector<std::string> Texts(std::string_view alphabet)
{
  std::vector<std::string> texts{""};
  for (size_t begin = 0, length = 0; length < 5; ++length) {
    const size_t end = texts.size();
    for (size_t i = begin; i < end; ++i)
      for (char ch : alphabet) texts.push_back(texts[i] + ch);
    begin = end;
  }
  return texts;
}
}  // namespace

TEST_F(cxRegExprTest, EquivalentExpressionsAcceptTheSameTexts)
{
  for (const TEquivalence& e : Equivalences) {
    SCOPED_TRACE(std::string(e.A) + " ~ " + e.B);
    TOwned<TcxRegExpr> a = CompiledRegExpr(e.A), b = CompiledRegExpr(e.B);
    int accepted = 0;
    for (const std::string& text : Texts(e.Alphabet)) {
      const bool byA = AcceptsWhole(*a, text);
      EXPECT_EQ(byA, AcceptsWhole(*b, text)) << "\"" << text << "\"";
      accepted += byA;
    }
    EXPECT_GT(accepted, 0);
  }
}

namespace {
struct TSteppingCase {
  const char* Pattern;
  bool CaseInsensitive;
  const char* Typed;
  const char* Taken;      // per typed character: as taken, or "-" when refused
  const char* Accepting;  // per typed character: "y" when accepting afterwards
  int SetSize;            // states in the last set
};

const TSteppingCase SteppingCases[] = {
  {"ab|ac", false, "adc", "a-c", "nny", 1},
  {"ab|ac", false, "a", "a", "n", 2},
  {"a*", false, "aab", "aa-", "yyy", 1},
  {"b(a?)", false, "ba", "ba", "ny", 1},
  {"b(a)?", false, "ba", "ba", "yy", 1},
  {"ba?", false, "bab", "ba-", "yyy", 1},
  // The copies of a parameter quantifier are a group without a quantifier: the empty text is not
  // complete.
  {"x{0,2}", false, "xxx", "xx-", "yyy", 1},
  {"abc", true, "ABc", "abc", "nny", 1},
  {"abc", false, "A", "-", "n", 1},
  {"[a-c]", true, "Aa", "-a", "ny", 1},
  {"[abc]", true, "B", "b", "y", 1},
  {"[^a]", true, "Ab", "-b", "ny", 1},
  {"a/b:c", false, "a-/b.:c", "a-/b-:c", "nnnnnny", 1},
};
}  // namespace

namespace {
// Typed is fed one character at a time, as a mask editor does; Taken is what was taken.
struct TDoubleByteCase {
  const char* Pattern;
  const char* Typed;
  const char* Taken;
  bool Complete;
};

const TDoubleByteCase DoubleByteCases[] = {
  {"中+", "中中中", "中中中", true},  // the quantifier repeats the whole character
  {"中+", "中文", "中", true},
  {".", "中", "中", true},  // "." takes one character, not half of one
  {"..", "中a", "中a", true},
  {"...", "a中", "a中", false},
  {"a.b", "a中b", "a中b", true},
  {"'中'x", "中x", "中x", true},
  {"[中文]+", "文中国", "文中", true},
  {"[^中]+", "中文a", "文a", true},
  {"[啊-座]+", "中文丂国", "中文国", true},  // a range of double-byte characters
  {"[a-z]+", "中b", "b", true},
  {"\\W\\D", "中文", "中文", true},
  {"\\w|\\s|\\d", "中", "", false},
  {"(\\d|中)+元", "1中2元", "1中2元", true},
  // A double-byte character whose second byte is "|" is neither an operator nor a "|".
  {"\x81\x7C+", "|\x81\x7C\x81\x7C", "\x81\x7C\x81\x7C", true},
};
}  // namespace

TEST_F(cxRegExprTest, DoubleByteCharactersAreTakenWhole)
{
  for (const TDoubleByteCase& c : DoubleByteCases) {
    SCOPED_TRACE(c.Pattern + std::string(" <- ") + c.Typed);
    TOwned<TcxRegExpr> expression = CompiledRegExpr(c.Pattern);
    std::string taken;
    ForEachRegExprChar(c.Typed, [&](TcxRegExprChar ch, size_t) {
      const int before = expression->Automat()->HistoryCount();
      if (expression->StepChar(ch)) taken += ch.Text();
      else EXPECT_EQ(expression->Automat()->HistoryCount(), before);
    });
    EXPECT_EQ(taken, c.Taken);
    EXPECT_EQ(expression->AtAcceptingState(), c.Complete);
    // One step per character, and each steps back exactly.
    EXPECT_EQ(expression->Automat()->HistoryCount(), RegExprCharCount(taken));
    for (int i = RegExprCharCount(taken); i > 0; --i) ASSERT_TRUE(expression->StepBack());
    EXPECT_TRUE(expression->AtStartState());
    // The whole text at once takes the same.
    std::string accepted;
    expression->StepText(c.Typed, accepted);
    EXPECT_EQ(accepted, c.Taken);
  }
}

TEST_F(cxRegExprTest, SteppingTakesRefusesAndStepsBackExactly)
{
  for (const TSteppingCase& c : SteppingCases) {
    SCOPED_TRACE(c.Pattern + std::string(" <- ") + c.Typed);
    TOwned<TcxRegExpr> expression = CompiledRegExpr(c.Pattern, c.CaseInsensitive);
    EXPECT_TRUE(expression->AtStartState());
    struct TAnswer {
      bool Accepting, Start;
      int Count;
    };
    std::vector<TAnswer> answers{{expression->AtAcceptingState(), true, expression->Automat()->Current().Count()}};
    const std::string typed = c.Typed;
    for (size_t i = 0; i < typed.size(); ++i) {
      TcxRegExprChar ch(typed[i]);
      const bool taken = expression->StepChar(ch);
      EXPECT_EQ(taken ? ch.Single() : '-', c.Taken[i]) << i;
      EXPECT_EQ(expression->AtAcceptingState(), c.Accepting[i] == 'y') << i;
      if (taken) {
        EXPECT_FALSE(expression->AtStartState());
        answers.push_back({expression->AtAcceptingState(), false, expression->Automat()->Current().Count()});
      } else {
        EXPECT_EQ(ch.Single(), typed[i]) << "a refused character comes back as typed";
      }
    }
    EXPECT_EQ(expression->Automat()->Current().Count(), c.SetSize);
    // Stepping back restores every earlier answer, down to the start.
    for (size_t k = answers.size() - 1; k > 0; --k) {
      ASSERT_TRUE(expression->StepBack());
      EXPECT_EQ(expression->AtAcceptingState(), answers[k - 1].Accepting);
      EXPECT_EQ(expression->AtStartState(), answers[k - 1].Start);
      EXPECT_EQ(expression->Automat()->Current().Count(), answers[k - 1].Count);
    }
    EXPECT_FALSE(expression->StepBack());
    EXPECT_TRUE(expression->AtStartState());
  }
}

TEST_F(cxRegExprTest, StepTextSkipsRefusedCharactersAndRestartGoesBackToTheStart)
{
  TOwned<TcxRegExpr> expression = CompiledRegExpr("abc", true);
  std::string accepted;
  expression->StepText("AxBc", accepted);
  EXPECT_EQ(accepted, "abc");
  EXPECT_TRUE(expression->AtAcceptingState());
  EXPECT_EQ(expression->Automat()->HistoryCount(), 3);
  expression->Restart();
  EXPECT_TRUE(expression->AtStartState());
  EXPECT_EQ(expression->Automat()->HistoryCount(), 0);
  // A start that accepts: every top alternative item may be absent.
  EXPECT_TRUE(CompiledRegExpr("a?b*|c")->AtAcceptingState());
  EXPECT_FALSE(CompiledRegExpr("a?b")->AtAcceptingState());
}

namespace {
// Records the events of an expression's forced characters.
class TLiteralRecorder : public TObject {
  CL_CLASS(TLiteralRecorder, TObject)
public:
  std::vector<std::string> Events;
  void Attach(TcxRegExpr& expression)
  {
    expression.SetOnLiteralStepForward(TcxRegExprLiteralStepForwardEvent(this, &TLiteralRecorder::Forward));
    expression.SetOnLiteralStepBack(TcxRegExprLiteralStepBackEvent(this, &TLiteralRecorder::Back));
  }
  void Forward(TcxRegExprChar ch) { Events.push_back("+" + ch.Text()); }
  void Back() { Events.push_back("-"); }
  std::string Take()
  {
    std::string text;
    for (const std::string& event : Events) text += (text.empty() ? "" : " ") + event;
    Events.clear();
    return text;
  }
};
CL_DEFINE_CLASS(TLiteralRecorder);
}  // namespace

TEST_F(cxRegExprTest, ForcedCharactersAreSteppedOverBothWays)
{
  for (char separator : {'/', '-'}) {
    SCOPED_TRACE(separator);
    FormatSettings().DateSeparator = separator;
    TOwned<TcxRegExpr> expression = CompiledRegExpr("\\d\\d/\\d\\d");
    auto recorder = MakeOwned<TLiteralRecorder>();
    recorder->Attach(*expression);
    expression->SetAutoStepLiterals(true);
    EXPECT_EQ(recorder->Take(), "");
    TcxRegExprChar ch('1');
    ASSERT_TRUE(expression->StepChar(ch));
    EXPECT_EQ(recorder->Take(), "");
    ch = TcxRegExprChar('2');
    ASSERT_TRUE(expression->StepChar(ch));
    EXPECT_EQ(recorder->Take(), std::string("+") + separator);
    EXPECT_EQ(expression->Automat()->HistoryCount(), 3);
    // The separator is taken already: the next character is a digit.
    ch = TcxRegExprChar(separator);
    EXPECT_FALSE(expression->StepChar(ch));
    ASSERT_TRUE(expression->StepBack());
    EXPECT_EQ(recorder->Take(), "-");
    EXPECT_EQ(expression->Automat()->HistoryCount(), 1);
    ASSERT_TRUE(expression->StepBack());
    EXPECT_EQ(recorder->Take(), "");
    EXPECT_TRUE(expression->AtStartState());
    // Typed through to the end: nothing forced after an accepting set, nothing taken back before
    // a typed digit.
    for (char typed : std::string("1234")) {
      ch = TcxRegExprChar(typed);
      ASSERT_TRUE(expression->StepChar(ch));
    }
    EXPECT_EQ(recorder->Take(), std::string("+") + separator);
    EXPECT_TRUE(expression->AtAcceptingState());
    ASSERT_TRUE(expression->StepBack());
    EXPECT_EQ(recorder->Take(), "");
  }
}

TEST_F(cxRegExprTest, AForcedPrefixIsTakenAtCompileAndWhenTheSwitchTurnsOn)
{
  auto recorder = MakeOwned<TLiteralRecorder>();
  auto expression = MakeOwned<TcxRegExpr>();
  recorder->Attach(*expression);
  expression->SetAutoStepLiterals(true);
  auto stream = MakeOwned<TStringStream>(std::string("'No.'(1|2)(a|A)?"));
  expression->CompileMask(stream.get());
  EXPECT_EQ(recorder->Take(), "+N +o +.");
  EXPECT_FALSE(expression->AtStartState());
  TcxRegExprChar ch('1');
  ASSERT_TRUE(expression->StepChar(ch));
  EXPECT_EQ(recorder->Take(), "");  // accepting: nothing is forced
  // Switching off and on again steps over what is forced from here.
  expression->Restart();
  expression->SetAutoStepLiterals(false);
  expression->SetAutoStepLiterals(true);
  EXPECT_EQ(recorder->Take(), "+N +o +.");
  // Stepping back over a forced prefix takes all of it back, one event each, and then finds no
  // typed character to step back over.
  EXPECT_FALSE(expression->StepBack());
  EXPECT_EQ(recorder->Take(), "- - -");
  EXPECT_TRUE(expression->AtStartState());
  // Literals that differ in case are not forced.
  TOwned<TcxRegExpr> either = CompiledRegExpr("\\d(a|A)");
  recorder->Attach(*either);
  either->SetAutoStepLiterals(true);
  ch = TcxRegExprChar('1');
  ASSERT_TRUE(either->StepChar(ch));
  EXPECT_EQ(recorder->Take(), "");
}

namespace {
// Frees the expression from inside its own event.
class TFreeingHandler : public TObject {
  CL_CLASS(TFreeingHandler, TObject)
public:
  TOwned<TcxRegExpr> Expression;
  int Calls = 0;
  void Forward(TcxRegExprChar)
  {
    ++Calls;
    Expression.reset();
  }
};
CL_DEFINE_CLASS(TFreeingHandler);
}  // namespace

TEST_F(cxRegExprTest, AnExpressionFreedByItsOwnEventStopsStepping)
{
  auto handler = MakeOwned<TFreeingHandler>();
  handler->Expression = CompiledRegExpr("\\d'bcd'");
  handler->Expression->SetOnLiteralStepForward(TcxRegExprLiteralStepForwardEvent(handler.get(), &TFreeingHandler::Forward));
  handler->Expression->SetAutoStepLiterals(true);
  TcxRegExprChar ch('1');
  EXPECT_TRUE(handler->Expression->StepChar(ch));
  EXPECT_EQ(handler->Calls, 1);
  EXPECT_EQ(handler->Expression, nullptr);
}

TEST_F(cxRegExprTest, OverlappingRepetitionKeepsSetsNoLargerThanTheAutomaton)
{
  TOwned<TcxRegExpr> expression = CompiledRegExpr("(\\w|\\d)+");
  const int states = expression->Automat()->StateCount();
  std::string accepted;
  for (int i = 0; i < 64; ++i) {
    TcxRegExprChar ch(static_cast<char>('0' + i % 10));
    ASSERT_TRUE(expression->StepChar(ch));
    ASSERT_LE(expression->Automat()->Current().Count(), states);
    ASSERT_EQ(expression->Automat()->Current().Count(), 2);  // \w and \d, once each
  }
  EXPECT_TRUE(expression->AtAcceptingState());

  // Optional groups in a row, each reached through every one before it.
  std::string chain;
  for (char ch = 'a'; ch <= 'z'; ++ch) chain += std::string("(") + ch + "?)?";
  expression = CompiledRegExpr(chain);
  EXPECT_EQ(expression->Automat()->Current().Count(), 1);
  TcxRegExprChar ch('m');
  ASSERT_TRUE(expression->StepChar(ch));
  ch = TcxRegExprChar('z');
  ASSERT_TRUE(expression->StepChar(ch));
  EXPECT_TRUE(expression->AtAcceptingState());
}

TEST_F(cxRegExprTest, LargeAndLoopingExpressionsStepWithoutHanging)
{
  // The limit of copies itself compiles and runs.
  TOwned<TcxRegExpr> expression = CompiledRegExpr("x{10000}");
  std::string accepted;
  expression->StepText(std::string(10001, 'x'), accepted);
  EXPECT_EQ(accepted.size(), 10000u);
  EXPECT_TRUE(expression->AtAcceptingState());
  // The deepest nesting allowed: an optional tail, groups as typed, groups around quantifiers.
  expression = CompiledRegExpr("x{0,1000}y");
  EXPECT_TRUE(AcceptsWhole(*expression, std::string(1000, 'x') + "y"));
  EXPECT_FALSE(AcceptsWhole(*expression, std::string(1001, 'x') + "y"));
  expression = CompiledRegExpr(std::string(1000, '(') + "a" + std::string(1000, ')') + "b");
  EXPECT_TRUE(AcceptsWhole(*expression, "ab"));
  expression = CompiledRegExpr("a" + std::string(1001, '?'));
  EXPECT_TRUE(AcceptsWhole(*expression, "a"));
  // A repeated copy of a group that may be empty links its exit and entry to each other.
  expression = CompiledRegExpr("(a?){2,}b");
  EXPECT_TRUE(AcceptsWhole(*expression, "aaaab"));
  EXPECT_TRUE(AcceptsWhole(*expression, "b"));
  expression->SetAutoStepLiterals(true);
  expression->Restart();
  TcxRegExprChar ch('a');
  EXPECT_TRUE(expression->StepChar(ch));
}

TEST_F(cxRegExprTest, NestingDeeperThanTheLimitIsRefused)
{
  struct TCase {
    std::string Source;
    const char* Message;
    int Position;
  };
  const TCase cases[] = {
    {"x{0,1001}", "Incorrect parameter quantifier", 2},
    {"(x){0,1000}", "Incorrect parameter quantifier", 4},
    {std::string(1001, '(') + "a" + std::string(1001, ')'), "Illegal '('", 1001},
    {"(" + std::string(1000, '(') + "a" + std::string(1000, ')') + ")", "Illegal '('", 1001},
    {"(" + std::string("x{0,1000}") + ")", "Illegal '('", 1},
    {"a" + std::string(1002, '?'), "Illegal quantifier '?'", 1003},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Source.substr(0, 12));
    const TcxRegExprErrors errors = CompileErrors(c.Source);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[0].Message, c.Message);
    EXPECT_EQ(errors[0].Position, c.Position);
  }
  // A typed group past the limit is passed over whole: what follows it is still read.
  const TcxRegExprErrors errors = CompileErrors(std::string(1001, '(') + std::string(1001, ')') + "?");
  ASSERT_EQ(errors.size(), 1u);
}

TEST_F(cxRegExprTest, RandomSourcesCompileOrFailWithAKnownMessage)
{
  const std::vector<std::string> templates = {
    "The source stream is not assigned", "The source stream is empty", "The '+' quantifier cannot be applied here",
    "The '*' quantifier cannot be applied here", "The alternative should not be empty", "The block should not be empty",
    "Illegal '%s'", "Illegal quantifier '%s'", "The parameter quantifiers are not supported", "Illegal integer value",
    "Too big reference number", "Can't create empty enumeration",
    "The starting character of the subrange must be less than the finishing one", "Hexadecimal number expected",
    "Hexadecimal number expected but '%s' found", "Missing '%s'", "Unnecessary '%s'",
    "The space character is not allowed after '\\'", "Incorrect parameter quantifier",
    "The parameter quantifier cannot be applied here"};
  const auto known = [&](const std::string& message) {
    for (const std::string& t : templates) {
      const size_t s = t.find("%s");
      if (s == std::string::npos ? message == t
                                 : message.size() > t.size() - 2 && message.starts_with(t.substr(0, s)) &&
                                       message.ends_with(t.substr(s + 2)))
        return true;
    }
    return false;
  };
  const std::string syntax = "ab01(()[]{}*+?|^-,.\\/:' dwx9";
  std::mt19937 random(58);
  int compiled = 0;
  for (int i = 0; i < 10000; ++i) {
    std::string source(1 + random() % 12, ' ');
    for (char& ch : source) ch = syntax[random() % syntax.size()];
    SCOPED_TRACE(source);
    TOwned<TcxRegExpr> expression;
    try {
      expression = CompiledRegExpr(source, i % 2 == 0);
    } catch (const EcxRegExprError& e) {
      ASSERT_FALSE(e.Errors().empty());
      for (const TcxRegExprError& error : e.Errors()) ASSERT_TRUE(known(error.Message)) << error.Message;
      continue;
    }
    ++compiled;
    expression->SetAutoStepLiterals(i % 3 == 0);
    for (const char* text : {"ab01", "aaaa", "1/0:b", "(x)"}) {
      expression->Restart();
      std::string accepted;
      for (const char* p = text; *p; ++p) {
        TcxRegExprChar ch(*p);
        expression->StepChar(ch);
      }
      while (expression->StepBack()) {
      }
      expression->StepText(text, accepted);
    }
  }
  EXPECT_GT(compiled, 500);
  EXPECT_LT(compiled, 9500);
}
