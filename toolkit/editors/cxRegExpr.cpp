// The regular-expression engine: character tests, quantifiers, errors, and the expression that
// compiles a source and steps over typed text. Tokens and the parse tree are in
// cxRegExprParser.cpp, the automaton in cxRegExprAutomat.cpp.
#include "toolkit/editors/cxRegExpr.h"
#include <algorithm>
#include "classlib/Encoding.h"
#include "classlib/SysUtils.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/editors/cxEditConsts.h"

CL_DEFINE_CLASS(TcxRegExprItem);
CL_DEFINE_CLASS(TcxRegExprSymbol);
CL_DEFINE_CLASS(TcxRegExprDateSeparator);
CL_DEFINE_CLASS(TcxRegExprTimeSeparator);
CL_DEFINE_CLASS(TcxRegExprSubrange);
CL_DEFINE_CLASS(TcxRegExprEnumeration);
CL_DEFINE_CLASS(TcxRegExprUserEnumeration);
CL_DEFINE_CLASS(TcxRegExprDigit);
CL_DEFINE_CLASS(TcxRegExprIdLetter);
CL_DEFINE_CLASS(TcxRegExprSpace);
CL_DEFINE_CLASS(TcxRegExprAll);
CL_DEFINE_CLASS(TcxRegExprQuantifier);
CL_DEFINE_CLASS(TcxRegExprSimpleQuantifier);
CL_DEFINE_CLASS(TcxRegExprQuestionQuantifier);
CL_DEFINE_CLASS(TcxRegExprStarQuantifier);
CL_DEFINE_CLASS(TcxRegExprPlusQuantifier);
CL_DEFINE_CLASS(TcxRegExpr);

namespace {
// The locale's upper case of a character.
std::string UpperChar(TcxRegExprChar ch) { return AnsiUpperCase(ch.Text()); }

std::string JoinFullTexts(const TcxRegExprErrors& errors)
{
  std::string text;
  for (const TcxRegExprError& error : errors) text += (text.empty() ? "" : "\r\n") + error.FullText();
  return text;
}
}  // namespace

// --- Characters ---

TcxRegExprChar TcxRegExprChar::First(std::string_view text)
{
  if (text.empty()) return {};
  if (text.size() > 1 && StrCharLength(text) == 2) return TcxRegExprChar(text[0], text[1]);
  return TcxRegExprChar(text[0]);
}

std::string TcxRegExprChar::Text() const
{
  if (IsDouble()) return {static_cast<char>(FCode >> 8), static_cast<char>(FCode & 0xFF)};
  return std::string(1, static_cast<char>(FCode));
}

int RegExprCharCount(std::string_view text)
{
  int count = 0;
  ForEachRegExprChar(text, [&](TcxRegExprChar, size_t) { ++count; });
  return count;
}

// --- Character tests ---

bool IsRegExprSpace(char ch) { return ch == ' ' || ch == '\0' || ch == '\t' || ch == '\n' || ch == '\f' || ch == '\r'; }

bool TcxRegExprSymbol::Accepts(TcxRegExprChar& ch, bool caseInsensitive) const
{
  if (ch == FSymbol) return true;
  if (!caseInsensitive || UpperChar(ch) != UpperChar(FSymbol)) return false;
  ch = FSymbol;
  return true;
}

bool TcxRegExprDateSeparator::Accepts(TcxRegExprChar& ch, bool) const
{
  return ch == TcxRegExprChar(FormatSettings().DateSeparator);
}
bool TcxRegExprTimeSeparator::Accepts(TcxRegExprChar& ch, bool) const
{
  return ch == TcxRegExprChar(FormatSettings().TimeSeparator);
}

bool TcxRegExprSubrange::Accepts(TcxRegExprChar& ch, bool) const
{
  return ch.Code() >= FFirst.Code() && ch.Code() <= FLast.Code();
}

bool TcxRegExprEnumeration::Accepts(TcxRegExprChar& ch, bool caseInsensitive) const
{
  // A member's rewriting of the character counts only when the class takes it.
  TcxRegExprChar probe = ch;
  if (Contains(probe, caseInsensitive) == FInverse) return false;
  ch = probe;
  return true;
}

TOwned<TcxRegExprItem> TcxRegExprUserEnumeration::Copy() const
{
  auto copy = MakeOwned<TcxRegExprUserEnumeration>(Inverse());
  for (const auto& member : FMembers) copy->Add(member->Copy());
  return copy;
}

bool TcxRegExprUserEnumeration::Contains(TcxRegExprChar& ch, bool caseInsensitive) const
{
  return std::any_of(FMembers.begin(), FMembers.end(),
                     [&](const TOwned<TcxRegExprItem>& member) { return member->Accepts(ch, caseInsensitive); });
}

bool TcxRegExprIdLetter::Contains(TcxRegExprChar& character, bool) const
{
  const char ch = character.Single();
  return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_';
}

bool TcxRegExprSpace::Contains(TcxRegExprChar& ch, bool) const { return !ch.IsDouble() && IsRegExprSpace(ch.Single()); }

// --- Errors ---

std::string TcxRegExprError::FullText() const
{
  std::string prefix;
  if (Line > 0) {
    prefix = GetResStringText(&scxRegExprLine) + IntToStr(Line);
    if (Position > 0) prefix += ", " + GetResStringText(&scxRegExprChar) + IntToStr(Position);
    prefix += ": ";
  }
  return prefix + Message;
}

EcxRegExprError::EcxRegExprError(TcxRegExprErrors errors)
    : EcxEditError(JoinFullTexts(errors)), FErrors(std::move(errors))
{
}

// --- The expression ---

TcxRegExpr::~TcxRegExpr() = default;

void TcxRegExpr::ClearAll()
{
  FSource.reset();
  FErrors.clear();
  FLexems.clear();
  FAutomat.reset();
  FCompiled = false;
  ++FChanges;
}

void TcxRegExpr::RaiseErrors() const { throw EcxRegExprError(FErrors); }

void TcxRegExpr::CompileMask(TStream* stream)
{
  ClearAll();
  if (!stream) {
    FErrors.push_back({0, 0, GetResStringText(&scxRegExprNotAssignedSourceStream)});
    RaiseErrors();
  }
  FSource = MakeOwned<TStringStream>();
  if (stream->Size() > 0) FSource->CopyFrom(*stream, 0);
  const std::string& text = FSource->DataString();
  if (std::all_of(text.begin(), text.end(), IsRegExprSpace)) {
    FErrors.push_back({0, 0, GetResStringText(&scxRegExprEmptySourceStream)});
    RaiseErrors();
  }
  TokenizeRegExpr(text, FLexems, FErrors);
  if (!FErrors.empty()) RaiseErrors();
  TOwned<TcxRegExprParserAlts> tree = ParseRegExpr(FLexems, FErrors);
  if (!FErrors.empty()) RaiseErrors();
  FAutomat = MakeOwned<TcxRegExprAutomat>(std::move(tree));
  FCompiled = true;
  if (FAutoStepLiterals) StepForwardOverLiterals();
}

void TcxRegExpr::CheckCompiled() const
{
  if (!FCompiled) throw EcxEditError(GetResStringText(&scxRegExprNotCompiled));
}

bool TcxRegExpr::StepChar(TcxRegExprChar& ch)
{
  CheckCompiled();
  if (!FAutomat->Advance(ch, FCaseInsensitive)) return false;
  ++FChanges;
  if (FAutoStepLiterals && !FAutomat->AtAccept()) StepForwardOverLiterals();
  return true;
}

void TcxRegExpr::StepText(std::string_view text, std::string& accepted)
{
  CheckCompiled();
  ForEachRegExprChar(text, [&](TcxRegExprChar ch, size_t) {
    if (!FAutomat->Advance(ch, FCaseInsensitive)) return;
    ++FChanges;
    accepted += ch.Text();
  });
}

bool TcxRegExpr::StepBack()
{
  CheckCompiled();
  if (FAutoStepLiterals && !StepBackOverLiterals()) return false;
  if (!FAutomat->Retreat()) return false;
  ++FChanges;
  return true;
}

void TcxRegExpr::Restart()
{
  CheckCompiled();
  FAutomat->Restart();
  ++FChanges;
}

bool TcxRegExpr::AtAcceptingState()
{
  CheckCompiled();
  return FAutomat->AtAccept();
}

bool TcxRegExpr::AtStartState()
{
  CheckCompiled();
  return FAutomat->AtStart();
}

void TcxRegExpr::SetAutoStepLiterals(bool value)
{
  const bool turnedOn = value && !FAutoStepLiterals;
  FAutoStepLiterals = value;
  if (turnedOn && FCompiled) StepForwardOverLiterals();
}

bool TcxRegExpr::StepForwardOverLiterals()
{
  TWeakRef<TcxRegExpr> self(this);
  while (!FAutomat->AtAccept()) {
    TcxRegExprStates next = FAutomat->Successors(FAutomat->Current());
    TcxRegExprChar ch;
    if (!next.LiteralChar(ch)) break;
    if (FOnLiteralStepForward) {
      // The handler may step, restart, compile or free the expression: then this walk is over.
      const uint32_t changes = FChanges;
      const TcxRegExprLiteralStepForwardEvent event = FOnLiteralStepForward;
      event(ch);
      if (!self) return false;
      if (FChanges != changes) break;
    }
    FAutomat->Push(std::move(next));
    ++FChanges;
  }
  return true;
}

bool TcxRegExpr::StepBackOverLiterals()
{
  TWeakRef<TcxRegExpr> self(this);
  TcxRegExprChar ch;
  // The last character taken was forced when its set is a literal one and the set before it
  // forced it: neither accepting nor followed by anything but that literal.
  while (FAutomat->Current().LiteralChar(ch)) {
    const TcxRegExprStates* previous = FAutomat->Previous();
    if (!previous || previous->HasAccepting() || !FAutomat->Successors(*previous).LiteralChar(ch)) break;
    if (FOnLiteralStepBack) {
      const uint32_t changes = FChanges;
      const TcxRegExprLiteralStepBackEvent event = FOnLiteralStepBack;
      event();
      if (!self) return false;
      if (FChanges != changes) break;
    }
    FAutomat->Retreat();
    ++FChanges;
  }
  return true;
}
