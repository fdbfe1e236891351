// The panel as a dock site: its dock manager's grabber bands with the clients' captions in the
// focus colours and the close glyph, stacked or side by side; the captions' own fonts; the hook on
// the panel's window procedure; the client area of a dock site; dock drags driven by synthesized
// mouse input; the docking properties the status bar publishes; and no leaks over a hundred
// panels.
#include <gtest/gtest.h>
#include <string>
#include "classlib/Docking.h"
#include "classlib/ObjectText.h"
#include "tests/support/MessagePump.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/panels/PanelsTestSupport.h"
#include "toolkit/panels/RzPanelDockManager.h"
#include "toolkit/panels/RzPanelStatusBar.h"

namespace {

std::string Show(const RECT& r)
{
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

// Whether some pixel of r is drawn in (or within a little of) the colour: text and glyphs.
bool HasPixelOf(const TDibSurface& surface, const RECT& r, TColor color)
{
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (ColorDistance(surface.Pixel(x, y), Rgb(color)) <= 40) return true;
  return false;
}

}  // namespace

// A shown, active form with a dock-site panel (a flat frame and a border band of 2) holding the
// panels Alpha and Beta. The site's client area for docking is (3, 3, 297, 197).
class RzPanelDock : public testing::Test {
protected:
  void SetUp() override
  {
    GetCursorPos(&SavedCursor);
    Form = New<TForm>(Application, CreateNew);
    Form->SetBounds(0, 0, 100, 100);
    Form->SetClientSize(700, 500);
    Site = New<TRzCustomPanel>(Form);
    Site->SetParent(Form);
    Site->SetBounds(10, 10, 300, 200);
    Site->SetBorderOuter(TFrameStyleEx::fsFlat);
    Site->SetBorderWidth(2);
    Site->SetDockSite(true);
    Alpha = NewClient("Alpha");
    Beta = NewClient("Beta");
    Form->Show();
    ASSERT_TRUE(BringToFront(Form->Handle()));
    ASSERT_TRUE(Alpha->ManualDock(Site));
    ASSERT_TRUE(Beta->ManualDock(Site));
    HandleWaitingMessages();
  }
  void TearDown() override
  {
    TMouseDrag::Stop();
    Free(Form);
    HandleWaitingMessages();
    MoveCursorTo(SavedCursor);
  }
  TRzCustomPanel* NewClient(const char* name)
  {
    auto* client = New<TRzCustomPanel>(Form);
    client->SetName(name);
    client->SetCaption(name);
    client->SetParent(Form);
    client->SetBounds(320, 10, 180, 100);
    client->SetDragKind(dkDock);
    return client;
  }
  void FocusAlpha()
  {
    Alpha->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == Alpha->Handle(); }));
  }

  POINT SavedCursor{};
  TForm* Form = nullptr;
  TRzCustomPanel* Site = nullptr;
  TRzCustomPanel* Alpha = nullptr;
  TRzCustomPanel* Beta = nullptr;
};

TEST_F(RzPanelDock, StackedClientsShowCaptionBandsInTheFocusColours)
{
  auto* manager = dynamic_cast<TRzPanelDockManager*>(Site->DockManager());
  ASSERT_NE(manager, nullptr);
  EXPECT_TRUE(Site->DoubleBuffered());
  EXPECT_EQ(Show(Alpha->BoundsRect()), Show(RECT{3, 3 + 14, 297, 100}));
  EXPECT_EQ(Show(Beta->BoundsRect()), Show(RECT{3, 100 + 14, 297, 197}));
  ASSERT_NE(Rgb(clActiveCaption), Rgb(clInactiveCaption));

  FocusAlpha();
  TDibSurface surface(Site->Width(), Site->Height());
  PrintControl(Site, surface);
  struct TBand {
    const char* Name;
    int Top;
    TColor Brush, Text;
  };
  const TBand bands[] = {
    {"Alpha, focused", 3, clActiveCaption, clCaptionText},
    {"Beta", 100, clInactiveCaption, clInactiveCaptionText},
  };
  for (const TBand& b : bands) {
    SCOPED_TRACE(b.Name);
    // The band between the caption and the glyph, the caption at its left, the glyph in its box.
    EXPECT_EQ(surface.Pixel(250, b.Top + 7), Rgb(b.Brush));
    EXPECT_EQ(surface.Pixel(250, b.Top + 13), Rgb(b.Brush));
    EXPECT_TRUE(HasPixelOf(surface, RECT{5, b.Top, 60, b.Top + 14}, b.Text));
    const RECT glyph{297 - 15, b.Top + 1, 297 - 2, b.Top + 12};
    EXPECT_TRUE(HasPixelOf(surface, glyph, b.Text));
    EXPECT_EQ(surface.Pixel(glyph.left, glyph.top), Rgb(b.Brush));
  }
  // The captions have fonts of their own.
  EXPECT_EQ(manager->CaptionFont()->Name(), "Verdana");
  EXPECT_EQ(manager->CaptionFont()->Size(), 8);
  EXPECT_EQ(manager->CloseFont()->Name(), "Marlett");
  EXPECT_EQ(manager->CloseFont()->Size(), 8);
  EXPECT_NE(manager->CaptionFont(), Site->Font());

  // Without captions, the class library's grabbers.
  Site->SetDockCaptionsVisible(false);
  TDibSurface plain(Site->Width(), Site->Height());
  PrintControl(Site, plain);
  EXPECT_NE(plain.Pixel(250, 3 + 7), Rgb(clActiveCaption));
  EXPECT_NE(plain.Pixel(250, 100 + 7), Rgb(clInactiveCaption));
}

TEST_F(RzPanelDock, SideBySideClientsShowUpwardCaptionsInBandsOnTheirLeft)
{
  Site->SetAlign(alTop);
  const int width = Site->Width();
  const int middle = 3 + (width - 6) / 2;
  EXPECT_EQ(Show(Alpha->BoundsRect()), Show(RECT{3 + 14, 3, middle, 197}));
  EXPECT_EQ(Show(Beta->BoundsRect()), Show(RECT{middle + 14, 3, width - 3, 197}));
  FocusAlpha();
  TDibSurface surface(Site->Width(), Site->Height());
  PrintControl(Site, surface);
  struct TBand {
    const char* Name;
    int Left;
    TColor Brush, Glyph;
  };
  const TBand bands[] = {
    {"Alpha, focused", 3, clActiveCaption, clCaptionText},
    {"Beta", middle, clInactiveCaption, clInactiveCaptionText},
  };
  for (const TBand& b : bands) {
    SCOPED_TRACE(b.Name);
    EXPECT_EQ(surface.Pixel(b.Left + 7, 60), Rgb(b.Brush));
    // The caption runs upwards from the bottom in the caption text colour, focused or not.
    EXPECT_TRUE(HasPixelOf(surface, RECT{b.Left, 120, b.Left + 14, 197}, clCaptionText));
    EXPECT_TRUE(HasPixelOf(surface, RECT{b.Left + 1, 4, b.Left + 12, 15}, b.Glyph));
  }
}

TEST_F(RzPanelDock, TheManagerWatchesThePanelsCommandsUntilItGoes)
{
  auto pendingPaint = [&] {
    RECT r{};
    return GetUpdateRect(Site->Handle(), &r, FALSE) != FALSE;
  };
  for (UINT msg : {WM_COMMAND, WM_MOUSEACTIVATE}) {
    ValidateRect(Site->Handle(), nullptr);
    SendMessageA(Site->Handle(), msg, 0, 0);
    EXPECT_TRUE(pendingPaint()) << msg;
  }
  // The manager and its fonts go with the dock site, and the panel's window procedure is its own
  // again.
  const TWeakRef<TFont> captionFont(dynamic_cast<TRzPanelDockManager*>(Site->DockManager())->CaptionFont());
  Site->SetDockSite(false);
  EXPECT_EQ(Site->DockManager(), nullptr);
  EXPECT_FALSE(captionFont);
  HandleWaitingMessages();
  ValidateRect(Site->Handle(), nullptr);
  SendMessageA(Site->Handle(), WM_COMMAND, 0, 0);
  EXPECT_FALSE(pendingPaint());
}

TEST_F(RzPanelDock, ADockSitesClientAreaIsItsWindowsAndItsChildrenLieInsideTheFrames)
{
  EXPECT_EQ(Show(Site->ClientRect()), Show(RECT{0, 0, 300, 200}));
  RECT adjusted = Site->ClientRect();
  Site->AdjustClientRect(adjusted);
  EXPECT_EQ(Show(adjusted), Show(RECT{3, 3, 297, 197}));
  Site->SetDockSite(false);
  EXPECT_EQ(Show(Site->ClientRect()), Show(RECT{1, 1, 299, 199}));
  adjusted = Site->ClientRect();
  Site->AdjustClientRect(adjusted);
  EXPECT_EQ(Show(adjusted), Show(RECT{3, 3, 297, 197}));
}

TEST_F(RzPanelDock, AGrabberDraggedOutFloatsAndTheFormsCaptionDocksItBackWhileTheGlyphHides)
{
  // Beta's band, to a place away from the site.
  ASSERT_TRUE(TMouseDrag::Start(Site->ClientToScreen(POINT{150, 107}), Form->ClientToScreen(POINT{450, 350})));
  ASSERT_TRUE(PumpUntil([&] { return Beta->Floating(); }, 5000));
  EXPECT_EQ(Show(Alpha->BoundsRect()), Show(RECT{3, 3 + 14, 297, 197}));
  EXPECT_EQ(Beta->Width(), 180);
  EXPECT_EQ(Beta->Height(), 100);
  HandleWaitingMessages();

  // The floating form's caption, back onto the site's lower half.
  auto* floating = Beta->HostDockSite();
  RECT window{};
  GetWindowRect(floating->Handle(), &window);
  const POINT caption{window.left + 20, (window.top + floating->ClientToScreen(POINT{0, 0}).y) / 2};
  ASSERT_TRUE(PumpUntil([&] { return WindowFromPoint(caption) == floating->Handle(); }));
  ASSERT_TRUE(TMouseDrag::Start(caption, Site->ClientToScreen(POINT{150, 180})));
  ASSERT_TRUE(PumpUntil([&] { return Beta->HostDockSite() == Site; }, 5000));
  EXPECT_EQ(Show(Beta->BoundsRect()), Show(RECT{3, 100 + 14, 297, 197}));

  // Alpha's close glyph hides it; Beta takes the whole site.
  ASSERT_TRUE(ClickAt(Site->ClientToScreen(POINT{297 - 8, 3 + 6})));
  ASSERT_TRUE(PumpUntil([&] { return !Alpha->Visible(); }));
  EXPECT_EQ(Alpha->HostDockSite(), Site);
  EXPECT_EQ(Show(Beta->BoundsRect()), Show(RECT{3, 3 + 14, 297, 197}));
}

TEST_F(RzPanelDock, AHundredPanelsDockedPaintedFloatedAndFreedLeaveNothingBehind)
{
  HandleWaitingMessages();
  const int windows = ThreadWindowCount(), gdi = LiveGdiObjects();
  for (int i = 0; i < 100; ++i) {
    auto* site = New<TRzCustomPanel>(Form);
    site->SetParent(Form);
    site->SetBounds(320, 220, 200, 200);
    site->SetAlign(i % 2 ? alNone : alBottom);
    site->SetDockSite(true);
    auto* panel = New<TRzCustomPanel>(Form);
    panel->SetCaption("P");
    panel->ManualDock(site);
    Alpha->ManualDock(site, panel, alTop);
    UpdateWindow(site->Handle());
    panel->ManualFloat(RECT{550, 300, 700, 400});
    Alpha->ManualDock(Site);
    if (i % 3 == 0) panel->ManualDock(Site, Beta, alBottom);
    UpdateWindow(Site->Handle());
    Free(panel);
    Free(site);
  }
  EXPECT_TRUE(PumpUntil([&] { return ThreadWindowCount() == windows; }));
  EXPECT_EQ(LiveGdiObjects(), gdi);
}

TEST(RzStatusBarDocking, TheBarPublishesItsDockingPropertiesAndEvents)
{
  for (const char* name : {"DragKind", "OnStartDock", "OnEndDock"})
    EXPECT_NE(TRzStatusBar::StaticClass()->FindProp(name), nullptr) << name;
  TPanelsForm f;
  auto* bar = New<TRzStatusBar>(f.Form);
  bar->SetName("B");
  EXPECT_EQ(ComponentToText(bar).find("DragKind"), std::string::npos);
  bar->SetDragKind(dkDock);
  const std::string text = ComponentToText(bar);
  EXPECT_NE(text.find("DragKind = dkDock"), std::string::npos) << text;
  auto* form = static_cast<TForm*>(ReadComponentFromText(
      "object F: TForm\n  object B: TRzStatusBar\n    DragKind = dkDock\n  end\nend\n",
      nullptr, Application));
  auto* read = As<TRzStatusBar>(form->FindComponent("B"));
  EXPECT_EQ(read->DragKind(), dkDock);
  Free(form);
}
