#pragma once
// Compiling expressions from text and feeding them text, for the tests of the engine and of the
// masks built for it.
#include <string>
#include <string_view>
#include "classlib/Streams.h"
#include "toolkit/editors/cxRegExpr.h"

// An expression compiled from source; raises the compile's EcxRegExprError.
inline TOwned<TcxRegExpr> CompiledRegExpr(std::string_view source, bool caseInsensitive = false)
{
  auto expression = MakeOwned<TcxRegExpr>();
  expression->SetCaseInsensitive(caseInsensitive);
  auto stream = MakeOwned<TStringStream>(std::string(source));
  expression->CompileMask(stream.get());
  return expression;
}

// Whether the expression, from its start, takes every character of text and accepts the whole.
inline bool AcceptsWhole(TcxRegExpr& expression, std::string_view text)
{
  expression.Restart();
  bool taken = true;
  ForEachRegExprChar(text, [&](TcxRegExprChar ch, size_t) { taken = taken && expression.StepChar(ch); });
  return taken && expression.AtAcceptingState();
}
