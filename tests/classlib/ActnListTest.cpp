// Actions: the hint an action may show, asked of its list and of the action itself; the changes
// the links are told of; the idle-time update through the action clients.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/ActnList.h"
#include "classlib/Application.h"
#include "tests/classlib/ControlsFixture.h"

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

namespace {
// A link that records what the action hands it, and whether each value is linked at the time.
class TRecordingLink : public TActionLink {
  CL_CLASS(TRecordingLink, TActionLink)
public:
  std::vector<std::string> Told;
  void SetShortCut(uint16_t value) override { Told.push_back("shortcut " + std::to_string(value)); }
  void SetHelpContext(int value) override { Told.push_back("help " + std::to_string(value)); }
};

// Counts the action updates it is asked for.
class TActionClientPanel : public fixture::TTestPanel {
  CL_CLASS(TActionClientPanel, fixture::TTestPanel)
public:
  explicit TActionClientPanel(TComponent* owner) : fixture::TTestPanel(owner)
  {
    TControlStyle style = ControlStyle();
    style.Include(TControlStyleFlag::csActionClient);
    SetControlStyle(style);
  }
  int Initiated = 0;
  void InitiateAction() override
  {
    ++Initiated;
    fixture::TTestPanel::InitiateAction();
  }
};

struct TUpdateLog : TObject {
  int Updates = 0;
  bool EnableTo = false;
  void Update(TObject* sender)
  {
    ++Updates;
    As<TCustomAction>(sender)->SetEnabled(EnableTo);
  }
};
}  // namespace

CL_DEFINE_CLASS(TRecordingLink);
CL_DEFINE_CLASS(TActionClientPanel);

// Shortcut and help context changes reach the links before the action stores them; the links'
// tests hold only for an action with values; the values record both.
TEST(ActnList, ShortCutAndHelpContextReachTheLinks)
{
  auto owner = MakeOwned<TComponent>(nullptr);
  auto* action = New<TAction>(owner.get());
  auto link = MakeOwned<TRecordingLink>();
  link->SetAction(action);
  action->SetShortCut(0x4046);
  action->SetShortCut(0x4046);
  action->SetHelpContext(12);
  EXPECT_EQ(link->Told, (std::vector<std::string>{"shortcut 16454", "help 12"}));
  EXPECT_TRUE(link->IsShortCutLinked() && link->IsHelpContextLinked() && link->IsCaptionLinked());
  const TActionValues values = TActionValues::Of(action);
  EXPECT_EQ(values.ShortCut, 0x4046);
  EXPECT_EQ(values.HelpContext, 12);

  auto* basic = New<TBasicAction>(owner.get());
  link->SetAction(basic);
  EXPECT_FALSE(link->IsShortCutLinked() || link->IsHelpContextLinked() || link->IsCaptionLinked() ||
               link->IsCheckedLinked() || link->IsEnabledLinked() || link->IsHintLinked() ||
               link->IsImageIndexLinked() || link->IsVisibleLinked());
  EXPECT_TRUE(link->IsOnExecuteLinked());
}

// In idle time every visible control marked as an action client of a shown form is asked to update
// its action; a control's own action runs its OnUpdate. Hidden controls and hidden forms are not
// asked; an action without OnUpdate reports that nothing ran.
TEST(ActnList, IdleTimeUpdatesTheActionsOfTheShownFormsClients)
{
  TForm* form = fixture::NewForm();
  struct TGuard {
    TForm* F;
    ~TGuard() { Free(F); }
  } guard{form};
  auto* action = New<TAction>(form);
  auto log = MakeOwned<TUpdateLog>();
  EXPECT_FALSE(action->Update());
  action->SetOnUpdate(TNotifyEvent(log.get(), &TUpdateLog::Update));

  auto* client = New<TActionClientPanel>(form);
  client->SetParent(form);
  client->SetAction(action);
  auto* hidden = New<TActionClientPanel>(form);
  hidden->SetParent(form);
  hidden->SetVisible(false);

  Application->DoApplicationIdle();
  EXPECT_EQ(client->Initiated, 0) << "the form is not shown";

  form->Show();
  Application->DoApplicationIdle();
  EXPECT_EQ(client->Initiated, 1);
  EXPECT_EQ(hidden->Initiated, 0);
  EXPECT_EQ(log->Updates, 1);
  EXPECT_FALSE(action->Enabled());
  EXPECT_FALSE(client->Enabled()) << "the control follows its action";

  log->EnableTo = true;
  Application->DoApplicationIdle();
  EXPECT_TRUE(client->Enabled());
}

// A change of the action as a whole reaches every link's change handler with the action.
TEST(ActnList, ChangeReachesEveryLinksHandler)
{
  auto owner = MakeOwned<TComponent>(nullptr);
  auto* action = New<TAction>(owner.get());
  struct TLog : TObject {
    std::vector<TObject*> Senders;
    void Changed(TObject* sender) { Senders.push_back(sender); }
  };
  auto log = MakeOwned<TLog>();
  auto first = MakeOwned<TRecordingLink>(), second = MakeOwned<TRecordingLink>();
  for (TRecordingLink* link : {first.get(), second.get()}) {
    link->SetAction(action);
    link->SetOnChange(TNotifyEvent(log.get(), &TLog::Changed));
  }
  action->Change();
  EXPECT_EQ(log->Senders, (std::vector<TObject*>{action, action}));
}
