// Actions: the hint an action may show, asked of its list and of the action itself.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/ActnList.h"

namespace {
// A hint handler that records what it was asked, may rewrite the text and may refuse.
struct THintLog : TObject {
  std::vector<std::string> Asked;
  std::string Prefix;
  bool Refuse = false;
  void Hint(std::string& hint, bool& canShow)
  {
    Asked.push_back(hint);
    hint = Prefix + hint;
    if (Refuse) canShow = false;
  }
};
}  // namespace

// The list's handler comes first and may rewrite the text or refuse; a refusal keeps the action's
// own handler from being asked. Without handlers every hint shows.
TEST(ActnList, DoHintAsksTheListThenTheAction)
{
  auto owner = MakeOwned<TComponent>(nullptr);
  auto* list = New<TActionList>(owner.get());
  auto* action = New<TAction>(owner.get());
  std::string hint = "Open";
  EXPECT_TRUE(action->DoHint(hint));
  action->SetActionList(list);
  EXPECT_TRUE(action->DoHint(hint));
  EXPECT_EQ(hint, "Open");

  auto listLog = MakeOwned<THintLog>(), actionLog = MakeOwned<THintLog>();
  listLog->Prefix = "L:";
  list->SetOnHint(THintEvent(listLog.get(), &THintLog::Hint));
  action->SetOnHint(THintEvent(actionLog.get(), &THintLog::Hint));
  EXPECT_TRUE(action->DoHint(hint));
  EXPECT_EQ(hint, "L:Open");
  EXPECT_EQ(listLog->Asked, std::vector<std::string>{"Open"});
  EXPECT_EQ(actionLog->Asked, std::vector<std::string>{"L:Open"});

  listLog->Refuse = true;
  hint = "Save";
  EXPECT_FALSE(action->DoHint(hint));
  EXPECT_EQ(actionLog->Asked.size(), 1u);

  listLog->Refuse = false;
  actionLog->Refuse = true;
  EXPECT_FALSE(action->DoHint(hint));
}
