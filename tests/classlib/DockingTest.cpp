// Docking: clients laid out in a dock site's zones under their grabbers, dock drags driven by
// synthesized mouse input (out of a site into a floating form, back by the form's caption, into a
// site that refuses, onto sites that offer nothing, cancelled by Escape), the close button, and
// no windows or GDI objects left behind.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/DockTree.h"
#include "classlib/Docking.h"
#include "classlib/ExtCtrls.h"
#include "classlib/GraphicsUtils.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/MessagePump.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"

namespace {

// What the events of the sites and clients report, in order; the sites' DockOver apart (the mouse
// may pass a site more than once on its way).
struct TDockLog : TObject {
  std::vector<std::string> Events;
  std::vector<std::string> Overs;
  bool SiteAccepts = true;
  bool SiteLetsGo = true;
  bool SiteOffers = true;
  RECT LastDockRect{};  // the frame of the last move over a site
  std::vector<std::string> SiteInfos;  // who asked which site, once each
  TObject* EndTarget = reinterpret_cast<TObject*>(1);  // none yet

  static std::string NameOf(const TObject* obj)
  {
    if (!obj) return "nil";
    if (auto* c = dynamic_cast<const TControl*>(obj); c && !c->Name().empty()) return c->Name();
    return obj->ClassName();
  }
  void StartDock(TObject* sender, TDragDockObject*&) { Events.push_back("start " + NameOf(sender)); }
  void EndDock(TObject* sender, TObject* target, int, int)
  {
    EndTarget = target;
    Events.push_back("end " + NameOf(sender) + " in " + NameOf(target));
  }
  void DockOver(TObject* sender, TDragDockObject* source, int, int, TDragState state, bool& accept)
  {
    if (state == dsDragMove) LastDockRect = source->DockRect();
    static const char* const States[] = {"enter", "leave", "move"};
    // Moves are as many as the mouse makes: only the first after each entry is logged.
    const std::string entry = NameOf(sender) + " " + States[static_cast<int>(state)];
    if (state != dsDragMove || Overs.empty() || Overs.back() != entry) Overs.push_back(entry);
    accept = SiteAccepts;
  }
  void DockDrop(TObject* sender, TDragDockObject* source, int, int)
  {
    Events.push_back("drop " + NameOf(source->Control()) + " on " + NameOf(sender));
  }
  void GetSiteInfo(TObject* sender, TControl* client, RECT&, POINT, bool& canDock)
  {
    const std::string entry = NameOf(client) + " asks " + NameOf(sender);
    if (std::find(SiteInfos.begin(), SiteInfos.end(), entry) == SiteInfos.end()) SiteInfos.push_back(entry);
    canDock = SiteOffers;
  }
  void UnDock(TObject* sender, TControl* client, TWinControl* target, bool& allow)
  {
    Events.push_back("undock " + NameOf(client) + " from " + NameOf(sender) + " to " + NameOf(target));
    allow = SiteLetsGo;
  }
};

// Each entry of a site is followed by its leaving before anything else enters.
bool EntriesAndLeavesPair(const std::vector<std::string>& overs)
{
  std::string inside;
  for (const std::string& o : overs) {
    const std::string site = o.substr(0, o.find(' ')), what = o.substr(o.find(' ') + 1);
    if (what == "enter") {
      if (!inside.empty()) return false;
      inside = site;
    } else if (site != inside) {
      return false;
    } else if (what == "leave") {
      inside.clear();
    }
  }
  return inside.empty();
}

std::string Text(const RECT& r)
{
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + ")";
}

}  // namespace

// A shown, active form with two dock sites side by side: A holds the clients One and Two, B is
// empty. Each site's client area is 200 x 280. The form covers the whole path of every drag.
class Docking : public testing::Test {
protected:
  void SetUp() override
  {
    GetCursorPos(&SavedCursor);
    Log = MakeOwned<TDockLog>();
    Form = New<TForm>(Application, CreateNew);
    Form->SetBounds(0, 0, 100, 100);
    Form->SetClientSize(1100, 850);
    SiteA = NewSite("SiteA", 10);
    SiteB = NewSite("SiteB", 300);
    One = NewClient("One");
    Two = NewClient("Two");
    Form->Show();
    ASSERT_TRUE(BringToFront(Form->Handle()));
    ASSERT_TRUE(One->ManualDock(SiteA));
    ASSERT_TRUE(Two->ManualDock(SiteA));
    HandleWaitingMessages();
    Log->Events.clear();
    Log->Overs.clear();
  }
  void TearDown() override
  {
    TMouseDrag::Stop();
    Free(Form);
    HandleWaitingMessages();
    MoveCursorTo(SavedCursor);
  }

  TPanel* NewSite(const char* name, int left)
  {
    auto* site = New<TPanel>(Form);
    site->SetName(name);
    site->SetBevelOuter(bvNone);
    site->SetParent(Form);
    site->SetBounds(left, 10, 200, 280);
    site->SetDockSite(true);
    site->SetOnDockOver(TDockOverEvent(Log.get(), &TDockLog::DockOver));
    site->SetOnDockDrop(TDockDropEvent(Log.get(), &TDockLog::DockDrop));
    site->SetOnUnDock(TUnDockEvent(Log.get(), &TDockLog::UnDock));
    site->SetOnGetSiteInfo(TGetSiteInfoEvent(Log.get(), &TDockLog::GetSiteInfo));
    return site;
  }
  TPanel* NewClient(const char* name)
  {
    auto* client = New<TPanel>(Form);
    client->SetName(name);
    client->SetCaption(name);
    client->SetParent(Form);
    client->SetBounds(10, 10, 160, 90);
    client->SetDragKind(dkDock);
    client->SetOnStartDock(TStartDockEvent(Log.get(), &TDockLog::StartDock));
    client->SetOnEndDock(TEndDockEvent(Log.get(), &TDockLog::EndDock));
    return client;
  }
  static POINT OnScreen(TControl* control, POINT client) { return control->ClientToScreen(client); }
  // Handles messages until the client's dock drag has ended.
  void WaitForEndDock()
  {
    ASSERT_TRUE(PumpUntil([&] { return !Log->Events.empty() && Log->Events.back().rfind("end ", 0) == 0; }, 5000));
    HandleWaitingMessages();
  }

  POINT SavedCursor{};
  TOwned<TDockLog> Log;
  TForm* Form = nullptr;
  TPanel* SiteA = nullptr;
  TPanel* SiteB = nullptr;
  TPanel* One = nullptr;
  TPanel* Two = nullptr;
};

TEST_F(Docking, ClientsShareTheSiteInZonesBelowTheirGrabbers)
{
  TDockTree* tree = SiteA->DockManager();
  ASSERT_NE(tree, nullptr);
  EXPECT_TRUE(SiteA->DoubleBuffered());
  EXPECT_EQ(SiteA->DockClientCount(), 2);
  EXPECT_EQ(One->HostDockSite(), SiteA);
  EXPECT_EQ(Two->Parent(), SiteA);
  EXPECT_FALSE(One->Floating());
  // Stacked, each below a grabber of 12 pixels.
  EXPECT_EQ(Text(One->BoundsRect()), Text(RECT{0, 12, 200, 140}));
  EXPECT_EQ(Text(Two->BoundsRect()), Text(RECT{0, 152, 200, 280}));

  struct THit {
    POINT At;
    TControl* Client;
    int Flag;
  };
  const THit hits[] = {
    {{50, 5}, One, HTCAPTION},   {{192, 5}, One, HTCLOSE}, {{50, 145}, Two, HTCAPTION},
    {{192, 145}, Two, HTCLOSE},  {{50, 60}, nullptr, HTNOWHERE},
  };
  for (const THit& h : hits) {
    int flag = -1;
    EXPECT_EQ(tree->HitTest(h.At, flag), h.Client) << h.At.x << ", " << h.At.y;
    EXPECT_EQ(flag, h.Flag) << h.At.x << ", " << h.At.y;
  }

  // A third client dropped on the upper half of Two goes before it.
  TPanel* three = NewClient("Three");
  ASSERT_TRUE(three->ManualDock(SiteA, Two, alTop));
  EXPECT_EQ(tree->Clients(), (std::vector<TControl*>{One, three, Two}));
  EXPECT_EQ(Text(three->BoundsRect()), Text(RECT{0, 93 + 12, 200, 186}));
  EXPECT_EQ(Log->Events, std::vector<std::string>{"drop Three on SiteA"});

  // A hidden client keeps its place but takes no zone.
  three->Hide();
  EXPECT_EQ(Text(Two->BoundsRect()), Text(RECT{0, 152, 200, 280}));
  three->Show();
  EXPECT_EQ(Text(Two->BoundsRect()), Text(RECT{0, 186 + 12, 200, 280}));

  // Aligned to the top or bottom of its parent, the site puts its clients side by side, grabbers
  // on their left edges.
  Free(three);
  EXPECT_EQ(SiteA->DockClientCount(), 2);
  SiteA->SetAlign(alBottom);
  const int half = SiteA->Width() / 2;
  EXPECT_EQ(Text(One->BoundsRect()), Text(RECT{12, 0, half, 280}));
  EXPECT_EQ(Text(Two->BoundsRect()), Text(RECT{half + 12, 0, SiteA->Width(), 280}));
  int flag = -1;
  EXPECT_EQ(tree->HitTest(POINT{5, 5}, flag), One);
  EXPECT_EQ(flag, HTCLOSE);
  EXPECT_EQ(tree->HitTest(POINT{half + 5, 100}, flag), Two);
  EXPECT_EQ(flag, HTCAPTION);
}

TEST_F(Docking, AGrabberDraggedOutFloatsTheClientAndTheFormsCaptionDocksItBack)
{
  const POINT drop = OnScreen(Form, POINT{800, 600});
  ASSERT_TRUE(TMouseDrag::Start(OnScreen(SiteA, POINT{50, 146}), drop));
  WaitForEndDock();
  ASSERT_TRUE(Two->Floating());
  auto* floating = dynamic_cast<TCustomDockForm*>(Two->Parent());
  ASSERT_NE(floating, nullptr);
  EXPECT_EQ(Two->HostDockSite(), floating);
  EXPECT_TRUE(IsWindowVisible(floating->Handle()));
  EXPECT_EQ(floating->Caption(), "Two");
  // The point grabbed stays under the mouse (one on the grabber puts the client's top edge there);
  // the floating size is the size before docking.
  EXPECT_EQ(Text(RECT{Two->ClientToScreen(POINT{0, 0}).x, Two->ClientToScreen(POINT{0, 0}).y, 0, 0}),
            Text(RECT{drop.x - 50, drop.y, 0, 0}));
  EXPECT_EQ(Two->Width(), 160);
  EXPECT_EQ(Two->Height(), 90);
  EXPECT_EQ(Log->Events, (std::vector<std::string>{"start Two", "undock Two from SiteA to nil",
                                                   "end Two in TCustomDockForm"}));
  EXPECT_TRUE(EntriesAndLeavesPair(Log->Overs)) << testing::PrintToString(Log->Overs);
  EXPECT_EQ(SiteA->DockClientCount(), 1);
  EXPECT_EQ(Text(One->BoundsRect()), Text(RECT{0, 12, 200, 280}));

  // Closing the floating form hides the client; showing the client shows the form again.
  floating->Close();
  EXPECT_FALSE(Two->Visible());
  EXPECT_FALSE(IsWindowVisible(floating->Handle()));
  Two->Show();
  EXPECT_TRUE(IsWindowVisible(floating->Handle()));
  HandleWaitingMessages();

  // The caption of the floating form drags the client back, here into site B.
  Log->Events.clear();
  Log->Overs.clear();
  const TWeakRef<TCustomDockForm> form(floating);
  RECT window{};
  GetWindowRect(floating->Handle(), &window);
  const POINT caption{window.left + 20, (window.top + floating->ClientToScreen(POINT{0, 0}).y) / 2};
  ASSERT_TRUE(PumpUntil([&] { return WindowFromPoint(caption) == floating->Handle(); }));
  ASSERT_TRUE(TMouseDrag::Start(caption, OnScreen(SiteB, POINT{100, 140})));
  WaitForEndDock();
  EXPECT_EQ(Two->HostDockSite(), SiteB);
  EXPECT_EQ(Text(Two->BoundsRect()), Text(RECT{0, 12, 200, 280}));
  // Over the empty site the frame showed the site's whole client area.
  const POINT siteOrigin = OnScreen(SiteB, POINT{0, 0});
  EXPECT_EQ(Text(Log->LastDockRect), Text(RECT{siteOrigin.x, siteOrigin.y, siteOrigin.x + 200, siteOrigin.y + 280}));
  EXPECT_EQ(Log->Events, (std::vector<std::string>{"start Two", "drop Two on SiteB", "end Two in SiteB"}));
  EXPECT_TRUE(EntriesAndLeavesPair(Log->Overs)) << testing::PrintToString(Log->Overs);
  ASSERT_GE(Log->Overs.size(), 2u);
  EXPECT_EQ(Log->Overs.back(), "SiteB leave");
  // The empty floating form goes.
  EXPECT_TRUE(PumpUntil([&] { return !form; }));
}

TEST_F(Docking, TheCloseButtonHidesItsClient)
{
  // Released away from the button: nothing.
  ASSERT_TRUE(TMouseDrag::Start(OnScreen(SiteA, POINT{192, 5}), OnScreen(SiteA, POINT{100, 60})));
  ASSERT_TRUE(PumpUntil([] { return TMouseDrag::Done(); }, 5000));
  HandleWaitingMessages();
  EXPECT_TRUE(One->Visible());
  ASSERT_TRUE(ClickAt(OnScreen(SiteA, POINT{192, 5})));
  ASSERT_TRUE(PumpUntil([&] { return !One->Visible(); }));
  EXPECT_EQ(One->HostDockSite(), SiteA);
  EXPECT_EQ(Text(Two->BoundsRect()), Text(RECT{0, 12, 200, 280}));
  EXPECT_TRUE(Log->Events.empty());
}

TEST_F(Docking, EscapeDuringTheDragLeavesEverythingWhereItWas)
{
  const int windows = ThreadWindowCount();
  const RECT before = Two->BoundsRect();
  ASSERT_TRUE(TMouseDrag::Start(OnScreen(SiteA, POINT{50, 146}), OnScreen(SiteB, POINT{100, 140}), true));
  WaitForEndDock();
  EXPECT_EQ(Two->HostDockSite(), SiteA);
  EXPECT_EQ(Text(Two->BoundsRect()), Text(before));
  EXPECT_EQ(Log->EndTarget, nullptr);
  EXPECT_EQ(Log->Events.front(), "start Two");
  EXPECT_EQ(Log->Events.back(), "end Two in nil");
  EXPECT_EQ(Log->Events.size(), 2u) << testing::PrintToString(Log->Events);
  EXPECT_TRUE(EntriesAndLeavesPair(Log->Overs)) << testing::PrintToString(Log->Overs);
  EXPECT_EQ(ThreadWindowCount(), windows);
  EXPECT_FALSE(DockDragging());
}

TEST_F(Docking, ADropStaysPutWhenTheSiteRefusesOrTheOldSiteHoldsOnAndFloatsWhereNoSiteOffers)
{
  struct TCase {
    const char* Name;
    bool Offers, Accepts, LetsGo;
    TWinControl* Host;  // where Two is afterwards; nullptr: floating
  };
  const TCase cases[] = {
    {"site refuses", true, false, true, SiteA},
    {"old site holds on", true, true, false, SiteA},
    {"no site offers itself", false, true, true, nullptr},
    {"all agree", true, true, true, SiteB},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ASSERT_TRUE(Two->ManualDock(SiteA));
    HandleWaitingMessages();
    Log->Events.clear();
    Log->Overs.clear();
    Log->SiteInfos.clear();
    Log->SiteOffers = c.Offers;
    Log->SiteAccepts = c.Accepts;
    Log->SiteLetsGo = c.LetsGo;
    ASSERT_TRUE(TMouseDrag::Start(OnScreen(SiteA, POINT{50, 146}), OnScreen(SiteB, POINT{100, 140})));
    WaitForEndDock();
    // Every site the drag passes is asked about the client.
    EXPECT_NE(std::find(Log->SiteInfos.begin(), Log->SiteInfos.end(), "Two asks SiteB"), Log->SiteInfos.end())
        << testing::PrintToString(Log->SiteInfos);
    if (c.Host) {
      EXPECT_EQ(Two->HostDockSite(), c.Host);
      EXPECT_FALSE(Two->Floating());
    } else {
      EXPECT_TRUE(Two->Floating());
      EXPECT_TRUE(Log->Overs.empty()) << testing::PrintToString(Log->Overs);
    }
    const bool dropped =
        std::find(Log->Events.begin(), Log->Events.end(), "drop Two on SiteB") != Log->Events.end();
    EXPECT_EQ(dropped, c.Host == SiteB) << testing::PrintToString(Log->Events);
    if (c.Host) {
      EXPECT_EQ(Log->EndTarget, c.Host == SiteB ? static_cast<TObject*>(SiteB) : nullptr);
    }
  }
}

TEST_F(Docking, AControlDraggedAutomaticallyDocksAndFloatsAtItsOwnSize)
{
  TPanel* free = NewClient("Free");
  free->SetBounds(220, 300, 150, 80);
  free->SetDragMode(dmAutomatic);
  HandleWaitingMessages();
  ASSERT_TRUE(TMouseDrag::Start(OnScreen(free, POINT{30, 20}), OnScreen(SiteB, POINT{100, 140})));
  WaitForEndDock();
  EXPECT_EQ(free->HostDockSite(), SiteB);
  EXPECT_EQ(free->UndockWidth(), 150);
  EXPECT_EQ(free->UndockHeight(), 80);
  // Floated by code, at the size it had before it was docked.
  ASSERT_TRUE(free->ManualDock(nullptr));
  ASSERT_TRUE(free->Floating());
  EXPECT_EQ(free->Width(), 150);
  EXPECT_EQ(free->Height(), 80);
  // Freed while floating, it takes its form with it.
  const TWeakRef<TWinControl> form(free->HostDockSite());
  Free(free);
  EXPECT_TRUE(PumpUntil([&] { return !form; }));
}

TEST_F(Docking, AHundredPanelsDockedUndockedAndFreedLeaveNothingBehind)
{
  HandleWaitingMessages();
  const int windows = ThreadWindowCount(), gdi = LiveGdiObjects();
  for (int i = 0; i < 100; ++i) {
    auto* panel = New<TPanel>(Form);
    panel->SetParent(Form);
    panel->SetCaption("P");
    panel->ManualDock(i % 2 ? SiteA : SiteB, One, alBottom);
    UpdateWindow(SiteA->Handle());
    UpdateWindow(SiteB->Handle());
    panel->ManualFloat(RECT{600, 400, 700, 460});
    if (i % 3 == 0) panel->ManualDock(SiteB);
    Free(panel);
  }
  // A site freed with clients docked.
  auto* site = New<TPanel>(Form);
  site->SetParent(Form);
  site->SetDockSite(true);
  auto* client = New<TPanel>(Form);
  client->ManualDock(site);
  Free(site);
  HandleWaitingMessages();
  EXPECT_TRUE(PumpUntil([&] { return ThreadWindowCount() == windows; }));
  EXPECT_EQ(ThreadWindowCount(), windows);
  EXPECT_EQ(LiveGdiObjects(), gdi);
  EXPECT_EQ(SiteA->DockClientCount(), 2);
  EXPECT_EQ(SiteB->DockClientCount(), 0);
}
