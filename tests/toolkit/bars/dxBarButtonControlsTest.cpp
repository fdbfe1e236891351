// Button controls on a toolbar window and in a menu-like bar control: what each paint style shows,
// the drop-down part widths, the delayed activation in menus driven through the timer hook, the
// drop-down's opening point, clicks on the two parts, the large button's glyph sources and image
// indexes outside the image list.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/ImageList.h"
#include "classlib/ThreadTimer.h"
#include "tests/support/MessagePump.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtonControls.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/base/cxGraphicsCanvas.h"

namespace {
// A popup menu that records where it was asked to open.
class TRecordingMenu : public TdxBarPopupMenu {
  CL_CLASS(TRecordingMenu, TdxBarPopupMenu)
public:
  using TdxBarPopupMenu::TdxBarPopupMenu;
  std::vector<POINT> Opened;
  void Popup(int x, int y) override { Opened.push_back(POINT{x, y}); }
};

// A menu-like bar control without layout of its own: it places its links one under another.
class TBtnMenuControl : public TCustomdxBarControl {
  CL_CLASS(TBtnMenuControl, TCustomdxBarControl)
public:
  using TCustomdxBarControl::TCustomdxBarControl;
  TBitmap* GetBackgroundBitmap() const override { return nullptr; }
  int GetBeginGroupSize() const override { return 6; }
  bool IsMainMenu() const override { return false; }
  bool IsStatusBar() const override { return false; }
  TCustomdxBarControlViewInfoClass GetViewInfoClass() const override
  {
    return ClassRef<TCustomdxBarControlViewInfo>();
  }
  void SetMarkState(int) override {}
  void UpdateFont() override {}
  void InvalidateItemControl(TdxBarItemControl*) override {}
  void FillBackground(HDC, const RECT&) override {}
  void DismissControl() override {}
  TdxBarKind GetBarControlKind() const override { return TdxBarKind::bkSubMenu; }
  int GetOrientationFlags() const override { return 1; }
  int GetItemLineHeight(TdxBarItemControl*) const override { return 20; }
  void CreateItemControls() override { CalcLinesFrom(0); }

protected:
  void CreateParams(TCreateParams& params) override
  {
    TCustomdxBarControl::CreateParams(params);
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_TOOLWINDOW;
  }
};

TOwned<TBitmap> NewGlyph(int size)
{
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(size, size);
  return glyph;
}

struct TControlsFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bar = Manager->Bars()->Add();
  TCustomdxBarControl* Control = nullptr;

  TControlsFixture() { Form->Show(); }
  ~TControlsFixture() { Free(Control); }
  template <class T = TdxBarButton>
  TdxBarItemLink* Add(const std::string& caption, TdxBarButtonStyle style = bsDefault)
  {
    auto* item = New<T>(Form);
    item->SetCaption(caption);
    item->SetButtonStyle(style);
    return Bar->ItemLinks()->AddItem(item);
  }
  void ShowToolbar()
  {
    auto* toolbar = New<TdxBarControl>(Manager);
    toolbar->SetBar(Bar);
    toolbar->SetItemLinks(Bar->ItemLinks());
    toolbar->SetBounds(100, 100, 300, 40);
    toolbar->ShowToolbar();
    Control = toolbar;
    Pump(20);
  }
  void ShowMenu()
  {
    auto* menu = New<TBtnMenuControl>(Manager);
    menu->SetBounds(100, 100, 200, 120);
    menu->SetParentWindow(Form->Handle());
    menu->SetItemLinks(Bar->ItemLinks());
    menu->HandleNeeded();
    menu->ShowNoActivate();
    Control = menu;
    Pump(20);
  }
  static TdxBarButtonControl* ControlOf(TdxBarItemLink* link)
  {
    return dynamic_cast<TdxBarButtonControl*>(link->Control());
  }
};
}  // namespace

CL_DEFINE_CLASS(TRecordingMenu);
CL_DEFINE_CLASS(TBtnMenuControl);

// What a button shows by paint style and bar kind: on a toolbar psStandard shows the glyph when
// there is one and the caption otherwise (its real style becomes psCaption); in a menu it shows
// both; psCaptionInMenu shows the caption in menus and the glyph on toolbars.
TEST(dxBarButtonControl, PaintStyleAndBarKindDecideWhatIsShown)
{
  constexpr uint8_t Icon = dxBarViewIcon, Text = dxBarViewText;
  struct TCase {
    TdxBarPaintStyle Style;
    bool Glyph;
    uint8_t OnToolbar, InMenu;
  };
  const TCase cases[] = {
      {psStandard, true, Icon, Icon | Text},          {psStandard, false, Text, Icon | Text},
      {psCaption, true, Text, Text},                  {psCaptionInMenu, true, Icon, Text},
      {psCaptionGlyph, true, Icon | Text, Icon | Text}, {psCaptionGlyph, false, Icon | Text, Icon | Text},
  };
  auto glyph = NewGlyph(16);
  for (bool menu : {false, true}) {
    TControlsFixture f;
    std::vector<TdxBarItemLink*> links;
    for (const TCase& c : cases) {
      TdxBarItemLink* link = f.Add("Button");
      link->Item()->SetPaintStyle(c.Style);
      if (c.Glyph) link->Item()->Glyph()->Assign(glyph.get());
      links.push_back(link);
    }
    menu ? f.ShowMenu() : f.ShowToolbar();
    for (size_t i = 0; i < links.size(); ++i) {
      const TCase& c = cases[i];
      SCOPED_TRACE(std::to_string(i) + (menu ? " in a menu" : " on a toolbar"));
      TdxBarButtonControl* control = f.ControlOf(links[i]);
      ASSERT_NE(control, nullptr);
      EXPECT_EQ(control->GetViewLevelFlags(), menu ? c.InMenu : c.OnToolbar);
    }
    EXPECT_EQ(f.ControlOf(links[1])->GetRealPaintStyle(), menu ? psStandard : psCaption);
  }
}

// The drop-down part: the manager's ButtonArrowWidth with small icons, twice it made odd with
// large ones; a large button on a toolbar takes LargeButtonArrowWidth. Only drop-down styles have
// the part.
TEST(dxBarButtonControl, DropDownPartWidths)
{
  struct TCase {
    bool Large, LargeIcons;
    int Width;
  };
  const TCase cases[] = {{false, false, 11}, {false, true, 23}, {true, false, 17}, {true, true, 17}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Large) + std::to_string(c.LargeIcons));
    TControlsFixture f;
    f.Manager->SetButtonArrowWidth(11);
    f.Manager->SetLargeButtonArrowWidth(17);
    f.Manager->SetLargeIcons(c.LargeIcons);
    TdxBarItemLink* link = c.Large ? f.Add<TdxBarLargeButton>("L", bsDropDown) : f.Add("B", bsDropDown);
    TdxBarItemLink* plain = f.Add("P");
    f.ShowToolbar();
    TdxBarButtonControl* control = f.ControlOf(link);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetDropDownPartWidth(), c.Width);
    EXPECT_TRUE(control->HasDropDownPart());
    EXPECT_FALSE(f.ControlOf(plain)->HasDropDownPart());
    control->CalcDrawParams(true);
    EXPECT_EQ(control->GetPartCount(), 2);
  }
}

// In a menu a drop-down button reached by the mouse opens after the delay; a second request
// replaces the first, whose timer never fires; a control freed while its timer runs is never
// called. The timer ticks are fired through the timer hook.
TEST(dxBarButtonControl, DelayedActivationInMenus)
{
  TControlsFixture f;
  TdxBarItemLink* first = f.Add("First", bsDropDown);
  TdxBarItemLink* second = f.Add("Second", bsDropDown);
  TdxBarItemLink* third = f.Add("Third", bsDropDown);
  std::vector<TRecordingMenu*> menus;
  for (TdxBarItemLink* link : {first, second, third}) {
    menus.push_back(New<TRecordingMenu>(f.Form));
    As<TdxBarButton>(link->Item())->SetDropDownMenu(menus.back());
  }
  f.ShowMenu();
  const int timers = ThreadTimerCount();

  f.ControlOf(first)->ControlActivated(false, true);
  EXPECT_EQ(GetPendingActivationControl(), f.ControlOf(first));
  const UINT_PTR firstTimer = GetPendingActivationTimer();
  ASSERT_NE(firstTimer, 0u);
  EXPECT_TRUE(menus[0]->Opened.empty()) << "not before the delay";

  f.ControlOf(second)->ControlActivated(false, true);
  EXPECT_EQ(GetPendingActivationControl(), f.ControlOf(second));
  EXPECT_EQ(ThreadTimerCount(), timers + 1) << "one pending activation in the process";
  EXPECT_FALSE(FireThreadTimer(firstTimer)) << "the replaced request's timer is gone";
  ASSERT_TRUE(FireThreadTimer(GetPendingActivationTimer()));
  EXPECT_TRUE(menus[0]->Opened.empty());
  EXPECT_EQ(menus[1]->Opened.size(), 1u);
  EXPECT_TRUE(f.ControlOf(second)->DroppedDown());
  EXPECT_EQ(GetPendingActivationControl(), nullptr);
  EXPECT_EQ(ThreadTimerCount(), timers);

  // A control that is not open schedules no deactivation.
  f.ControlOf(first)->ControlDeactivated(false);
  EXPECT_EQ(GetPendingDeactivationControl(), nullptr);

  // Freed while waiting.
  f.ControlOf(third)->ControlActivated(false, true);
  const UINT_PTR thirdTimer = GetPendingActivationTimer();
  Free(third);
  Pump(10);
  EXPECT_EQ(GetPendingActivationControl(), nullptr);
  EXPECT_FALSE(FireThreadTimer(thirdTimer));
  EXPECT_TRUE(menus[2]->Opened.empty());
  EXPECT_EQ(ThreadTimerCount(), timers);
}

// The menu opens below a toolbar button (its bottom-left corner) and beside a menu item (its top-
// right corner moved up by the menu's end indent and border), in screen coordinates; a disabled
// drop-down part opens nothing.
TEST(dxBarButtonControl, TheDropDownOpensBelowOrBeside)
{
  for (bool menu : {false, true}) {
    SCOPED_TRACE(menu ? "menu" : "toolbar");
    TControlsFixture f;
    TdxBarItemLink* link = f.Add("Drop", bsDropDown);
    auto* dropDown = New<TRecordingMenu>(f.Form);
    auto* button = As<TdxBarButton>(link->Item());
    button->SetDropDownMenu(dropDown);
    menu ? f.ShowMenu() : f.ShowToolbar();
    TdxBarButtonControl* control = f.ControlOf(link);
    ASSERT_NE(control, nullptr);
    const RECT r = control->GetBoundsRect();
    POINT expected = menu ? POINT{r.right, r.top - f.Control->GetEndIndent() -
                                               f.Control->GetPainter()->GetSubMenuBorderSize()}
                          : POINT{r.left, r.bottom};
    ClientToScreen(f.Control->Handle(), &expected);
    control->DropDown(true);
    ASSERT_EQ(dropDown->Opened.size(), 1u);
    EXPECT_EQ(dropDown->Opened[0].x, expected.x);
    EXPECT_EQ(dropDown->Opened[0].y, expected.y);
    control->DropDown(true);
    EXPECT_EQ(dropDown->Opened.size(), 1u) << "already dropped down";
    control->CloseUp(false);
    button->SetDropDownEnabled(false);
    control->DropDown(true);
    EXPECT_EQ(dropDown->Opened.size(), 1u);
  }
}

namespace {
struct TDownLog : TObject {
  std::vector<std::string> Clicks;
  void Click(TObject* sender) { Clicks.push_back(As<TdxBarButton>(sender)->Down() ? "down" : "up"); }
};
}  // namespace

// A mouse click on the drop-down part does not run the item; on the main part a checked button
// toggles Down before its click runs.
TEST(dxBarButtonControl, ClicksOnTheTwoParts)
{
  TControlsFixture f;
  auto log = MakeOwned<TDownLog>();
  TdxBarItemLink* link = f.Add("Checked", bsCheckedDropDown);
  auto* button = As<TdxBarButton>(link->Item());
  button->SetOnClick(TNotifyEvent(log.get(), &TDownLog::Click));
  f.ShowMenu();
  TdxBarButtonControl* control = f.ControlOf(link);
  ASSERT_NE(control, nullptr);
  control->SetHotPartIndex(1);
  control->PerformClick(true, false);
  EXPECT_TRUE(log->Clicks.empty());
  EXPECT_FALSE(button->Down());
  for (int i = 0; i < 2; ++i) {
    control = f.ControlOf(link);
    ASSERT_NE(control, nullptr);
    control->SetHotPartIndex(dxBarWholeControlPart);
    control->PerformClick(true, false);
    Pump(10);
  }
  EXPECT_EQ(log->Clicks, (std::vector<std::string>{"down", "up"}));
}

// The large button's glyph at the large size: the large glyph, else LargeImages at
// LargeImageIndex, with the hot source first while highlighted for drawing; an index beyond the
// list supplies nothing. A small button whose ImageIndex lies beyond the list shows its caption and
// draws without raising.
TEST(dxBarLargeButtonControl, GlyphSourcesAndIndexesBeyondTheList)
{
  TControlsFixture f;
  auto* large = New<TImageList>(f.Form);
  large->SetWidth(32);
  large->SetHeight(32);
  auto image = NewGlyph(32);
  for (int i = 0; i < 3; ++i) large->Add(image.get(), nullptr);
  f.Manager->SetLargeImages(large);
  f.Manager->SetHotImages(large);
  TdxBarItemLink* link = f.Add<TdxBarLargeButton>("Large");
  auto* item = As<TdxBarLargeButton>(link->Item());
  item->SetLargeImageIndex(2);
  TdxBarItemLink* beyond = f.Add("Beyond");
  beyond->Item()->SetImageIndex(99);
  f.Manager->SetImages(large);
  f.ShowToolbar();

  ASSERT_EQ(large->Count(), 3);
  int index = -1;
  TCustomImageList* images = nullptr;
  TBitmap* glyph = nullptr;
  // A change of a glyph may make the bar's controls anew: the control is asked each time.
  auto source = [&](bool forDrawing) {
    Pump(10);
    TdxBarButtonControl* control = f.ControlOf(link);
    EXPECT_NE(control, nullptr);
    return control && control->GetGlyphSource(TdxBarItemViewSize::Large, forDrawing, index, images, glyph);
  };
  EXPECT_TRUE(source(true));
  EXPECT_EQ(images, large);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(glyph, nullptr);

  item->SetHotGlyph(image.get());
  EXPECT_TRUE(source(true));
  EXPECT_EQ(glyph, nullptr) << "not highlighted: the large source first";
  item->SetLargeImageIndex(7);
  EXPECT_TRUE(source(false));
  EXPECT_EQ(glyph, item->HotGlyph()) << "the hot source when the large one has nothing";
  item->HotGlyph()->Assign(nullptr);
  EXPECT_FALSE(source(false));
  EXPECT_EQ(images, large);
  EXPECT_EQ(index, -1);

  TdxBarButtonControl* small = f.ControlOf(beyond);
  ASSERT_NE(small, nullptr);
  EXPECT_FALSE(small->HasGlyphForSize(TdxBarItemViewSize::Small));
  EXPECT_EQ(small->GetRealPaintStyle(), psCaption);
  EXPECT_NO_THROW(small->DrawTo(f.Control->GetCanvas(), small->GetBoundsRect(), 0));
}
