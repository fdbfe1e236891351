// Lookups between components, controls, forms and windows, and the clip, window and screen helpers.
#include <gtest/gtest.h>
#include "classlib/Application.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/controls/cxControlsHelpers.h"

namespace {
// A form holding a panel that holds another, none with a window yet.
struct TNestedPanels {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TPanel* Panel = NewPanel(Form);
  TPanel* Nested = NewPanel(Panel);
};

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

class TChangeCounter : public TObject {
public:
  int Changes = 0;
  void Changed(TObject*) { ++Changes; }
};

RECT WorkAreaOfFakeMonitors(POINT p) { return p.x < 1000 ? RECT{0, 0, 1000, 760} : RECT{1000, 20, 2000, 780}; }
}  // namespace

TEST(BarWindows, OwnersControlsAndFormsOfComponents)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  TPanel* panel = NewPanel(form);
  auto* component = New<TComponent>(panel);  // owned by the panel, not windowed itself

  EXPECT_EQ(FindWinControlOwner(component), panel);
  EXPECT_EQ(FindWinControlOwner(form), form);
  EXPECT_EQ(FindWinControlOwner(nullptr), nullptr);
  EXPECT_EQ(FindWinControlOwner(Application), nullptr);

  // A form has to have a window before the walk can find it.
  EXPECT_EQ(FindParentFormOfControl(panel, TdxParentFormKind::pfkAnyForm), nullptr);
  panel->HandleNeeded();
  EXPECT_EQ(FormOfComponent(component), form);
  EXPECT_EQ(FindParentFormOfControl(nullptr, TdxParentFormKind::pfkTopForm), nullptr);

  EXPECT_EQ(WinControlOf(panel), panel);
  EXPECT_EQ(WinControlOf(nullptr), nullptr);
  EXPECT_EQ(FindClassLibraryControl(panel->Handle()), panel);
  EXPECT_EQ(FindClassLibraryControl(nullptr), nullptr);
}

TEST(BarWindows, AFormInsideAFormByKind)
{
  TForm* outer = NewForm();
  TFormGuard outerGuard{outer};
  TForm* inner = NewForm();
  TFormGuard innerGuard{inner};
  TPanel* panel = NewPanel(inner);
  panel->HandleNeeded();
  // The class library makes every form a top-level window: embed the inner one by hand.
  const HWND innerWnd = inner->Handle();
  SetWindowLongPtrA(innerWnd, GWL_STYLE, (GetWindowLongPtrA(innerWnd, GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
  ::SetParent(innerWnd, outer->Handle());

  EXPECT_EQ(FindParentFormOfControl(panel, TdxParentFormKind::pfkAnyForm), inner);
  EXPECT_EQ(FindParentFormOfControl(panel, TdxParentFormKind::pfkTopForm), outer);
  EXPECT_EQ(FindParentFormOfControl(panel, TdxParentFormKind::pfkMDIChildOrTop), outer);  // not an MDI child
  EXPECT_EQ(FindParentFormOfControl(outer, TdxParentFormKind::pfkTopForm), outer);
  ::SetParent(innerWnd, nullptr);
  SetWindowLongPtrA(innerWnd, GWL_STYLE, GetWindowLongPtrA(innerWnd, GWL_STYLE) & ~WS_CHILD);
}

TEST(BarWindows, HostControlsOfPlainChildWindows)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  TPanel* panel = NewPanel(form);
  HWND raw = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, panel->Handle(), nullptr, nullptr, nullptr);
  HWND rawInner = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, raw, nullptr, nullptr, nullptr);

  EXPECT_EQ(FindHostControlOfChildWindow(rawInner), panel);
  EXPECT_EQ(FindHostControlOfChildWindow(panel->Handle()), form);
  EXPECT_EQ(FindHostControlOfChildWindow(form->Handle()), nullptr);  // not a child window
  EXPECT_EQ(FindHostControlOfChildWindow(nullptr), nullptr);
  EXPECT_EQ(FindClassLibraryControl(rawInner), panel);

  EXPECT_TRUE(ControlContains(form, panel));
  EXPECT_FALSE(ControlContains(panel, form));
  EXPECT_FALSE(ControlContains(nullptr, panel));
  EXPECT_TRUE(IsAncestorWindow(rawInner, form->Handle()));
  EXPECT_FALSE(IsAncestorWindow(form->Handle(), rawInner));
  DestroyWindow(raw);
}

TEST(BarWindows, ContainmentWithoutWindowsFollowsParents)
{
  TNestedPanels f;
  ASSERT_FALSE(f.Form->HandleAllocated());
  EXPECT_TRUE(ControlContains(f.Form, f.Nested));
  EXPECT_FALSE(ControlContains(f.Nested, f.Panel));
}

TEST(BarWindows, TheHostPopupOfAControl)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* popup = New<TcxCustomPopupWindow>(form);
  TPanel* panel = NewPanel(popup);
  TPanel* nested = NewPanel(panel);
  nested->HandleNeeded();
  EXPECT_EQ(FindHostPopupWindow(nested), popup);
  EXPECT_EQ(FindHostPopupWindow(popup), nullptr);  // its own window does not count
  TPanel* onForm = NewPanel(form);
  onForm->HandleNeeded();
  EXPECT_EQ(FindHostPopupWindow(onForm), nullptr);
  EXPECT_EQ(FindHostPopupWindow(nullptr), nullptr);
  Free(popup);
}

TEST(BarWindows, FocusChainsProcessesAndAncestorComparison)
{
  TNestedPanels f;
  TForm* form = f.Form;
  TPanel* panel = f.Panel;
  TPanel* nested = f.Nested;
  nested->HandleNeeded();
  SetFocus(panel->Handle());
  if (GetFocus() == panel->Handle()) {
    EXPECT_TRUE(IsWindowInFocusChain(nested->Handle()));
    EXPECT_TRUE(IsWindowInFocusChain(panel->Handle()));
    EXPECT_FALSE(IsWindowInFocusChain(form->Handle()));
  }
  EXPECT_FALSE(IsWindowInFocusChain(nullptr));

  EXPECT_TRUE(IsOtherProcessWindow(nullptr));
  EXPECT_FALSE(IsOtherProcessWindow(form->Handle()));

  auto component = MakeOwned<TComponent>(nullptr);
  EXPECT_FALSE(IsComparingWithAncestor(component.get()));
  EXPECT_FALSE(IsComparingWithAncestor(nullptr));
}

TEST(BarWindows, SavedClipRegionsComeBack)
{
  TDibSurface surface(40, 40);
  const HDC dc = surface.DC();
  // Without a clip region to begin with.
  TdxSavedClipRegion saved = SaveCurrentClipRegion(dc);
  EXPECT_FALSE(saved.HadRegion);
  IntersectClipWithRect(dc, RECT{10, 10, 20, 20});
  RECT box;
  ASSERT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_TRUE(SameRect(box, RECT{10, 10, 20, 20}));
  IntersectClipWithRect(dc, RECT{15, 0, 40, 40});
  GetClipBox(dc, &box);
  EXPECT_TRUE(SameRect(box, RECT{15, 10, 20, 20}));
  RestoreSavedClipRegion(dc, saved);
  TRegionHandle probe(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetClipRgn(dc, probe.Get()), 0);

  // With one.
  IntersectClipWithRect(dc, RECT{5, 5, 30, 30});
  saved = SaveCurrentClipRegion(dc);
  EXPECT_TRUE(saved.HadRegion);
  IntersectClipWithRect(dc, RECT{0, 0, 8, 8});
  RestoreSavedClipRegion(dc, saved);
  GetClipBox(dc, &box);
  EXPECT_TRUE(SameRect(box, RECT{5, 5, 30, 30}));
  EXPECT_FALSE(saved.Region);
  SelectClipRgn(dc, nullptr);
}

TEST(BarWindows, ExcludingAFrameLeavesItsInsideDrawable)
{
  TDibSurface surface(40, 40);
  auto canvas = MakeOwned<TCanvas>();
  canvas->SetHandle(surface.DC());
  auto cx = MakeOwned<TcxCanvas>(canvas.get());
  ExcludeFrameFromClip(cx.get(), RECT{5, 5, 35, 35}, RECT{10, 10, 30, 30});
  TBrushHandle red(CreateSolidBrush(RGB(255, 0, 0)));
  const RECT all{0, 0, 40, 40};
  FillRect(surface.DC(), &all, red.Get());
  EXPECT_EQ(surface.Count(RECT{5, 5, 35, 35}, RGB(255, 0, 0)), 20 * 20);  // the ring stays white
  EXPECT_EQ(surface.Count(all, RGB(255, 0, 0)), 40 * 40 - (30 * 30 - 20 * 20));
  canvas->SetHandle(nullptr);
}

TEST(BarWindows, TimersWindowsAndScreenHelpers)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  const HWND wnd = form->Handle();
  UINT_PTR id = SetTimer(wnd, 77, 100000, nullptr);
  ASSERT_EQ(id, 77u);
  EXPECT_TRUE(StopWindowTimer(wnd, id));
  EXPECT_EQ(id, 0u);
  EXPECT_FALSE(StopWindowTimer(wnd, id));  // already stopped
  UINT_PTR unknown = 78;
  EXPECT_FALSE(StopWindowTimer(wnd, unknown));
  EXPECT_EQ(unknown, 78u);

  HWND raw = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND kept = raw;
  DestroyWindowAndClearHandle(raw, false);
  EXPECT_EQ(raw, nullptr);
  EXPECT_TRUE(IsWindow(kept));
  raw = kept;
  DestroyWindowAndClearHandle(raw, true);
  EXPECT_EQ(raw, nullptr);
  EXPECT_FALSE(IsWindow(kept));

  {
    TScopedSeam<TcxDesktopWorkAreaFunc> monitors(cxDesktopWorkAreaFunc, WorkAreaOfFakeMonitors);
    EXPECT_TRUE(SameRect(GetMonitorWorkAreaAt({1500, 10}), RECT{1000, 20, 2000, 780}));
    EXPECT_TRUE(SameRect(GetMonitorWorkAreaAt({10, 10}), RECT{0, 0, 1000, 760}));
  }

  int width = 5;
  EnsureMinWidth(width, 12);
  EXPECT_EQ(width, 12);
  EnsureMinWidth(width, 3);
  EXPECT_EQ(width, 12);

  EXPECT_EQ(NearestScreenColor(clRed), RGB(255, 0, 0));  // the virtual screen shows every colour
  EXPECT_EQ(NearestScreenColor(clBtnFace), ColorToRGB(clBtnFace));
}

TEST(BarWindows, BarBitmapsReportTheirChanges)
{
  auto counter = MakeOwned<TChangeCounter>();
  TOwned<TBitmap> bitmap = CreateBarBitmap(TNotifyEvent(counter.get(), &TChangeCounter::Changed));
  EXPECT_TRUE(bitmap->Empty());
  bitmap->SetSize(8, 8);
  EXPECT_GE(counter->Changes, 1);
}

TEST(BarWindows, TheActiveFormAndActivatingATopLevelParent)
{
  TForm* first = NewForm();
  TFormGuard firstGuard{first};
  TForm* second = NewForm();
  TFormGuard secondGuard{second};
  TPanel* panel = NewPanel(second);
  first->Show();
  second->Show();
  SetForegroundWindow(first->Handle());
  ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == first->Handle(); }));
  EXPECT_EQ(GetActiveFormOrMDIChild(), first);

  ActivateTopLevelParent(panel->Handle());
  ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == second->Handle(); }));
  EXPECT_EQ(GetActiveFormOrMDIChild(), second);
  EXPECT_TRUE(PumpUntil([] { return ApplicationHasFocus(); }));

  // A disabled active window has no active form.
  EnableWindow(second->Handle(), FALSE);
  EXPECT_EQ(GetActiveFormOrMDIChild(), nullptr);
  EnableWindow(second->Handle(), TRUE);
}

TEST(BarWindows, ObjectLinksEmptyWithTheirObject)
{
  TObject* object = New<TObject>();
  TcxObjectLink* link = CreateObjectLink(object);
  EXPECT_EQ(ObjectOfObjectLink(link), object);
  Free(object);
  EXPECT_EQ(ObjectOfObjectLink(link), nullptr);
  EXPECT_EQ(ObjectOfObjectLink(nullptr), nullptr);
  ReleaseObjectLink(link);
  EXPECT_EQ(link, nullptr);
  ReleaseObjectLink(link);  // nothing for none
}
