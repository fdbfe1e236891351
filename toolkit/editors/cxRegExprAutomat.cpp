// The regular-expression engine's automaton: states, the sets of current states, linking the
// parse tree and stepping.
//
// A set is built by one walk from the successors of the current states through the pass-through
// states. Every state a walk adds or passes carries the walk's stamp, so that a set holds each
// state once and a pass-through state reached again is not walked again: overlapping
// alternatives under repetition ("(\w|\d)+") keep sets no larger than the automaton, where a set
// that kept every path would double on each character. Sets keep the order of first reaching, so
// the answers (and the character a case-insensitive symbol hands back) are those of walking every
// path.
#include <algorithm>
#include "classlib/SysUtils.h"
#include "toolkit/editors/cxRegExpr.h"

CL_DEFINE_CLASS(TcxRegExprState);
CL_DEFINE_CLASS(TcxRegExprSimpleState);
CL_DEFINE_CLASS(TcxRegExprBlockState);
CL_DEFINE_CLASS(TcxRegExprAutomat);

TOwned<TcxRegExprState> TcxRegExprSimpleState::Copy() const
{
  return MakeOwned<TcxRegExprSimpleState>(FTest ? FTest->Copy() : nullptr);
}

// --- Walks ---

// One walk over the automaton under a stamp of its own. Walks are iterative: chains of
// pass-through states may be as long as the expression.
class TcxRegExprWalk {
public:
  explicit TcxRegExprWalk(uint32_t stamp) : FStamp(stamp) {}

  // Adds the simple states that the states stand for (themselves, or what a pass-through state's
  // successors stand for) to into.
  void Expand(const std::vector<TcxRegExprState*>& states, TcxRegExprStates& into);
  // Adds the simple states that the states stand for and that take ch to into; a symbol taking a
  // character of another case rewrites ch, and later tests see the rewritten character.
  void Match(const std::vector<TcxRegExprState*>& states, TcxRegExprChar& ch, bool caseInsensitive, TcxRegExprStates& into);

  static void ClearStamp(TcxRegExprState& state) { state.FStamp = 0; }

private:
  struct TFrame {
    const std::vector<TcxRegExprState*>* States;
    size_t Next;
    TcxRegExprBlockState* Owner;  // the pass-through state whose successors these are
    TcxRegExprChar In;            // the character the walk brought to it
  };
  void AddOnce(TcxRegExprSimpleState* state, TcxRegExprStates& into)
  {
    if (state->FStamp == FStamp) return;
    state->FStamp = FStamp;
    into.FStates.push_back(state);
  }
  // The pass of a pass-through state with the character, or nullptr.
  TcxRegExprBlockState::TPass* FindPass(TcxRegExprBlockState& state, TcxRegExprChar in)
  {
    if (state.FStamp != FStamp) {
      state.FStamp = FStamp;
      state.FPasses.clear();
    }
    for (TcxRegExprBlockState::TPass& pass : state.FPasses)
      if (pass.In == in) return &pass;
    return nullptr;
  }

  uint32_t FStamp;
  std::vector<TFrame> FStack;
};

void TcxRegExprWalk::Expand(const std::vector<TcxRegExprState*>& states, TcxRegExprStates& into)
{
  FStack.push_back({&states, 0, nullptr, {}});
  while (!FStack.empty()) {
    TFrame& frame = FStack.back();
    if (frame.Next == frame.States->size()) {
      FStack.pop_back();
      continue;
    }
    TcxRegExprState* state = (*frame.States)[frame.Next++];
    if (TcxRegExprSimpleState* simple = state->AsSimple()) {
      AddOnce(simple, into);
    } else if (state->FStamp != FStamp) {
      state->FStamp = FStamp;
      FStack.push_back({&state->FSuccessors, 0, nullptr, {}});
    }
  }
}

void TcxRegExprWalk::Match(const std::vector<TcxRegExprState*>& states, TcxRegExprChar& ch, bool caseInsensitive,
                           TcxRegExprStates& into)
{
  FStack.push_back({&states, 0, nullptr, {}});
  while (!FStack.empty()) {
    TFrame& frame = FStack.back();
    if (frame.Next == frame.States->size()) {
      // What the walk made of the character behind this pass-through state answers the next
      // pass with the same character.
      if (frame.Owner) FindPass(*frame.Owner, frame.In)->Out = ch;
      FStack.pop_back();
      continue;
    }
    TcxRegExprState* state = (*frame.States)[frame.Next++];
    if (TcxRegExprSimpleState* simple = state->AsSimple()) {
      // Tested on every reaching, added once: a test may rewrite the character each time.
      if (simple->Matches(ch, caseInsensitive)) AddOnce(simple, into);
      continue;
    }
    auto& block = static_cast<TcxRegExprBlockState&>(*state);
    if (const TcxRegExprBlockState::TPass* pass = FindPass(block, ch)) {
      ch = pass->Out;  // a pass still under way (a loop of pass-through states) leaves ch as it is
      continue;
    }
    block.FPasses.push_back({ch, ch});
    FStack.push_back({&block.FSuccessors, 0, &block, ch});
  }
}

// --- Sets ---

bool TcxRegExprStates::HasAccepting() const
{
  return std::any_of(FStates.begin(), FStates.end(), [](const TcxRegExprSimpleState* s) { return s->Accepting(); });
}

bool TcxRegExprStates::LiteralChar(TcxRegExprChar& ch) const
{
  if (FStates.empty()) return false;
  TcxRegExprChar literal;
  for (size_t i = 0; i < FStates.size(); ++i) {
    const TcxRegExprItem* test = FStates[i]->Test();
    TcxRegExprChar c;
    if (const auto* symbol = dynamic_cast<const TcxRegExprSymbol*>(test)) c = symbol->Symbol();
    else if (dynamic_cast<const TcxRegExprDateSeparator*>(test)) c = TcxRegExprChar(FormatSettings().DateSeparator);
    else if (dynamic_cast<const TcxRegExprTimeSeparator*>(test)) c = TcxRegExprChar(FormatSettings().TimeSeparator);
    else return false;
    if (i > 0 && c != literal) return false;
    literal = c;
  }
  ch = literal;
  return true;
}

// --- The automaton ---

TcxRegExprAutomat::TcxRegExprAutomat(TOwned<TcxRegExprParserAlts> tree)
    : FTree(std::move(tree)), FStart(MakeOwned<TcxRegExprSimpleState>(nullptr))
{
  Link(*FTree, nullptr);
  bool startAccepting = false;
  for (int a = 0; a < FTree->Count(); ++a) {
    TcxRegExprParserAlt& alt = *FTree->Alt(a);
    LinkToItemsFrom(FStart.get(), alt, 0);
    startAccepting = startAccepting || alt.AllAllowAbsence();
    alt.MarkAccepting();
  }
  FStart->SetAccepting(startAccepting);
  FAllStates.push_back(FStart.get());
  for (const auto& state : FContinuations) FAllStates.push_back(state.get());
  CollectStates(*FTree);
  FContinuationOf.clear();
  FCurrent = TcxRegExprStates(FStart.get());
}

TcxRegExprAutomat::~TcxRegExprAutomat() = default;

void TcxRegExprAutomat::Link(TcxRegExprParserAlts& alts, TcxRegExprState* exit)
{
  for (int a = 0; a < alts.Count(); ++a) Link(*alts.Alt(a), exit);
}

void TcxRegExprAutomat::Link(TcxRegExprParserAlt& alt, TcxRegExprState* exit)
{
  for (int i = 0; i < alt.Count(); ++i) {
    TcxRegExprParserItem& item = *alt.Item(i);
    TcxRegExprState* entry = item.EntryState();
    TcxRegExprState* itemExit = item.ExitState();
    LinkToItemsFrom(itemExit, alt, i + 1);
    if (item.AllowsRepeat()) itemExit->AddSuccessor(entry);
    auto* block = dynamic_cast<TcxRegExprParserBlockItem*>(&item);
    if (!block) continue;
    TcxRegExprParserAlts& inner = block->Alts();
    bool mayBeEmpty = false;
    for (int a = 0; a < inner.Count(); ++a) {
      LinkToItemsFrom(entry, *inner.Alt(a), 0);
      mayBeEmpty = mayBeEmpty || inner.Alt(a)->AllAllowAbsence();
    }
    if (mayBeEmpty) entry->AddSuccessor(itemExit);
    Link(inner, itemExit);
  }
  // Inside a group, the items that may end the alternative lead out of the group.
  if (!exit) return;
  for (int i = alt.Count() - 1; i >= 0; --i) {
    alt.Item(i)->ExitState()->AddSuccessor(exit);
    if (!alt.Item(i)->AllowsAbsence()) break;
  }
}

void TcxRegExprAutomat::LinkToItemsFrom(TcxRegExprState* state, TcxRegExprParserAlt& alt, int index)
{
  if (index >= alt.Count()) return;
  // The items from index on are entered at the first and, while they may be absent, at the ones
  // after it: one pass-through state stands for all of them, instead of a link to each.
  if (index == alt.Count() - 1 || !alt.Item(index)->AllowsAbsence())
    state->AddSuccessor(alt.Item(index)->EntryState());
  else
    state->AddSuccessor(Continuation(alt, index));
}

TcxRegExprState* TcxRegExprAutomat::Continuation(TcxRegExprParserAlt& alt, int index)
{
  TcxRegExprState*& continuation = FContinuationOf[{&alt, index}];
  if (continuation) return continuation;
  continuation = FContinuations.emplace_back(MakeOwned<TcxRegExprBlockState>()).get();
  continuation->AddSuccessor(alt.Item(index)->EntryState());
  LinkToItemsFrom(continuation, alt, index + 1);
  return continuation;
}

void TcxRegExprAutomat::CollectStates(TcxRegExprParserAlts& alts)
{
  for (int a = 0; a < alts.Count(); ++a) {
    TcxRegExprParserAlt& alt = *alts.Alt(a);
    for (int i = 0; i < alt.Count(); ++i) {
      TcxRegExprParserItem& item = *alt.Item(i);
      FAllStates.push_back(item.EntryState());
      if (item.ExitState() != item.EntryState()) FAllStates.push_back(item.ExitState());
      if (auto* block = dynamic_cast<TcxRegExprParserBlockItem*>(&item)) CollectStates(block->Alts());
    }
  }
}

uint32_t TcxRegExprAutomat::NextStamp()
{
  if (++FStamp == 0) {
    for (TcxRegExprState* state : FAllStates) TcxRegExprWalk::ClearStamp(*state);
    FStamp = 1;
  }
  return FStamp;
}

bool TcxRegExprAutomat::Advance(TcxRegExprChar& ch, bool caseInsensitive)
{
  TcxRegExprStates next;
  TcxRegExprChar taken = ch;
  TcxRegExprWalk walk(NextStamp());
  for (TcxRegExprSimpleState* state : FCurrent.States()) walk.Match(state->Successors(), taken, caseInsensitive, next);
  if (next.Empty()) return false;
  ch = taken;
  Push(std::move(next));
  return true;
}

TcxRegExprStates TcxRegExprAutomat::Successors(const TcxRegExprStates& states)
{
  TcxRegExprStates result;
  TcxRegExprWalk walk(NextStamp());
  for (TcxRegExprSimpleState* state : states.States()) walk.Expand(state->Successors(), result);
  return result;
}

void TcxRegExprAutomat::Push(TcxRegExprStates next)
{
  FHistory.push_back(std::move(FCurrent));
  FCurrent = std::move(next);
}

bool TcxRegExprAutomat::Retreat()
{
  if (FHistory.empty()) return false;
  FCurrent = std::move(FHistory.back());
  FHistory.pop_back();
  return true;
}

void TcxRegExprAutomat::Restart()
{
  FHistory.clear();
  FCurrent = TcxRegExprStates(FStart.get());
}

bool TcxRegExprAutomat::AtStart() const { return !FCurrent.Empty() && FCurrent.State(0) == FStart.get(); }
