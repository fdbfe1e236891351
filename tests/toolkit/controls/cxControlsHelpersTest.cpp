// The small window, control, key and geometry functions of the control framework.
#include <gtest/gtest.h>
#include "tests/support/TestHelpers.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/cxControlsHelpers.h"

using namespace controls_test;

TEST(ControlHelpers, WindowRelationsAndEnabledChains)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* panel = New<TRecordingControl>(form);
  panel->SetBounds(10, 10, 120, 100);
  panel->SetParent(form);
  auto* inner = New<TRecordingControl>(form);
  inner->SetBounds(5, 5, 40, 30);
  inner->SetParent(panel);
  form->Show();
  HWND f = form->Handle(), p = panel->Handle(), i = inner->Handle();

  EXPECT_FALSE(IsChildStyleWindow(f));
  EXPECT_TRUE(IsChildStyleWindow(i));
  EXPECT_TRUE(IsSameOrChildWindow(f, f));
  EXPECT_TRUE(IsSameOrChildWindow(f, i));
  EXPECT_FALSE(IsSameOrChildWindow(i, f));
  EXPECT_FALSE(IsSameOrChildWindow(nullptr, nullptr));
  EXPECT_TRUE(IsWindowAncestorOf(f, i));
  EXPECT_TRUE(IsWindowAncestorOf(p, p));
  EXPECT_FALSE(IsWindowAncestorOf(i, p));
  EXPECT_FALSE(IsWindowAncestorOf(nullptr, i));

  EXPECT_TRUE(IsWindowAndParentsEnabled(i));
  EnableWindow(p, FALSE);
  EXPECT_FALSE(IsWindowAndParentsEnabled(i));
  EXPECT_TRUE(IsWindowEnabled(i));
  EnableWindow(p, TRUE);
  EnableWindow(f, FALSE);
  EXPECT_FALSE(IsWindowAndParentsEnabled(i));
  EnableWindow(f, TRUE);

  EXPECT_EQ(FindControlOfWindow(i), inner);
  // A window of no control: the nearest parent that has one.
  HWND foreign =
      CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, i, nullptr, nullptr, nullptr);
  EXPECT_EQ(FindControlOfWindow(foreign), inner);
  EXPECT_EQ(FindControlOfWindow(GetDesktopWindow()), nullptr);
  EXPECT_EQ(FindComponentOfClass(form, TRecordingControl::StaticClass()), panel);
  EXPECT_EQ(FindComponentOfClass(form, TForm::StaticClass()), nullptr);
  EXPECT_EQ(FindComponentOfClass(nullptr, TRecordingControl::StaticClass()), nullptr);

  EXPECT_TRUE(IsControlWindowVisible(inner));
  inner->Hide();
  EXPECT_FALSE(IsControlWindowVisible(inner));
  EXPECT_FALSE(IsControlWindowVisible(nullptr));

  // Mapping between windows, point by point and corner by corner.
  POINT mapped = MapPointBetweenWindows(POINT{1, 2}, i, f);
  EXPECT_EQ(mapped.x, 16);
  EXPECT_EQ(mapped.y, 17);
  RECT r = MapRectBetweenWindows(RECT{0, 0, 10, 10}, p, nullptr);
  RECT pw = ReadWindowRect(p);
  EXPECT_EQ(r.left, pw.left);
  EXPECT_EQ(r.bottom, pw.top + 10);
  EXPECT_EQ(ReadControlWindowRect(panel).right, pw.right);
  RECT client = ReadClientRect(p);
  EXPECT_EQ(client.right, 120);
  EXPECT_EQ(client.bottom, 100);
  DestroyWindow(foreign);
  EXPECT_EQ(ReadClientRect(foreign).right, 0);
  EXPECT_EQ(ReadWindowRect(foreign).bottom, 0);
  EXPECT_EQ(ReadControlWindowRect(New<TRecordingControl>(form)).right, 0);

  // The deepest visible window under a point.
  inner->Show();
  POINT onInner = inner->ClientToScreen(POINT{3, 3});
  SetWindowZOrder(f, HWND_TOP, true);
  EXPECT_EQ(FindDeepestWindowAtPoint(onInner), i);
  inner->Hide();
  EXPECT_EQ(FindDeepestWindowAtPoint(onInner), p);
}

TEST(ControlHelpers, SettledStatesAndWindowHandles)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* control = New<TRecordingControl>(form);
  control->SetParent(form);
  EXPECT_TRUE(IsComponentSettled(control));
  EXPECT_TRUE(IsControlChainSettled(control));
  form->IncludeState(TComponentStateFlag::csLoading);
  EXPECT_TRUE(IsComponentSettled(control));
  EXPECT_FALSE(IsControlChainSettled(control));
  form->ExcludeState(TComponentStateFlag::csLoading);

  EXPECT_FALSE(CanHaveWindowHandle(nullptr));
  EXPECT_TRUE(CanHaveWindowHandle(control));  // its parent, a form, can have one
  auto* orphan = New<TRecordingControl>(form);
  EXPECT_FALSE(CanHaveWindowHandle(orphan));
  orphan->SetParentWindow(form->Handle());
  EXPECT_TRUE(CanHaveWindowHandle(orphan));
  EXPECT_TRUE(CanHaveWindowHandle(form));
  EXPECT_FALSE(IsMDIChildForm(form));
  EXPECT_FALSE(IsMDIParentForm(nullptr));
}

TEST(ControlHelpers, AlphaBlendAddsAndRemovesTheLayeredStyle)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  form->Show();
  HWND wnd = form->Handle();
  ASSERT_NE(cxSetLayeredWindowAttributes, nullptr);
  SetWindowAlphaBlend(wnd, 128);
  EXPECT_TRUE(GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_TRUE(flags & LWA_ALPHA);
  SetWindowAlphaBlend(wnd, 255);
  EXPECT_FALSE(GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);

  // Without layered windows nothing changes.
  auto saved = cxSetLayeredWindowAttributes;
  cxSetLayeredWindowAttributes = nullptr;
  SetWindowAlphaBlend(wnd, 100);
  cxSetLayeredWindowAttributes = saved;
  EXPECT_FALSE(GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST(ControlHelpers, RectanglesAreMovedOntoTheWorkArea)
{
  POINT p{10, 10};
  RECT area = GetDesktopWorkArea(p);
  ASSERT_LT(area.left, area.right);
  int w = area.right - area.left, h = area.bottom - area.top;
  struct TCase {
    const char* Name;
    RECT In;
    RECT Out;
  } cases[] = {
    {"inside stays", {area.left + 5, area.top + 5, area.left + 50, area.top + 40},
     {area.left + 5, area.top + 5, area.left + 50, area.top + 40}},
    {"past the right and bottom", {area.right - 10, area.bottom - 5, area.right + 30, area.bottom + 25},
     {area.right - 40, area.bottom - 30, area.right, area.bottom}},
    {"past the left and top", {area.left - 20, area.top - 7, area.left + 10, area.top + 3},
     {area.left, area.top, area.left + 30, area.top + 10}},
    // Larger than the work area: the left and top edges win.
    {"larger", {area.left + 100, area.top + 50, area.left + 100 + w + 60, area.top + 50 + h + 40},
     {area.left, area.top, area.left + w + 60, area.top + h + 40}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    RECT r = c.In;
    MakeRectVisibleOnDesktop(r, p);
    EXPECT_EQ(r.left, c.Out.left);
    EXPECT_EQ(r.top, c.Out.top);
    EXPECT_EQ(r.right, c.Out.right);
    EXPECT_EQ(r.bottom, c.Out.bottom);
  }
  EXPECT_TRUE(HasMonitorAtPoint(p));
}

TEST(ControlHelpers, OwnerPathsJoinNamedOwners)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  form->SetName("MainForm");
  auto* panel = New<TRecordingControl>(form);
  panel->SetName("Panel1");
  auto* owned = New<TComponent>(panel);
  owned->SetName("Inner");
  EXPECT_EQ(GetComponentOwnerPath(owned), "MainForm.Panel1.Inner");
  EXPECT_EQ(GetComponentOwnerPath(form), "MainForm");  // the application has no name
  EXPECT_EQ(GetComponentOwnerPath(nullptr), "");
}

TEST(KeyHelpers, ShiftStatesAndKeyFlags)
{
  EXPECT_TRUE(IsShiftStateEmpty({}));
  EXPECT_FALSE(IsShiftStateEmpty({ssDouble}));
  EXPECT_TRUE(IsLeftButtonOnly({ssLeft}, false));
  EXPECT_FALSE(IsLeftButtonOnly({ssLeft, ssDouble}, false));
  EXPECT_TRUE(IsLeftButtonOnly({ssLeft, ssDouble}, true));
  EXPECT_FALSE(IsLeftButtonOnly({ssLeft, ssShift}, true));
  EXPECT_FALSE(IsLeftButtonOnly({}, true));
  EXPECT_EQ(ShiftStateToKeyFlags({ssShift, ssCtrl, ssAlt, ssLeft, ssRight, ssMiddle, ssDouble}),
            WPARAM(MK_SHIFT | MK_CONTROL | MK_LBUTTON | MK_RBUTTON | MK_MBUTTON));
  EXPECT_EQ(ShiftStateToKeyFlags({ssAlt}), WPARAM(0));
  EXPECT_EQ(TranslateVirtualKey(VK_F5), VK_F5);
  EXPECT_EQ(GetDoubleClickInterval(), GetDoubleClickTime());
  EXPECT_FALSE(IsCtrlKeyDown());
}

TEST(KeyHelpers, NonCharacterKeysAndCharacters)
{
  for (unsigned key = 96; key <= 105; ++key) EXPECT_TRUE(IsNonCharacterKey(key)) << key;  // keypad digits
  const unsigned nonCharacter[] = {3, 8, 9, 12, 13, 16, 20, 27, 33, 47, 91, 145, 160, 165, 229, 246, 254};
  for (unsigned key : nonCharacter) EXPECT_TRUE(IsNonCharacterKey(key)) << key;
  const unsigned character[] = {0, 2, 10, 21, 26, 32, 48, 57, 65, 90, 146, 166, 186, 228, 245, 255, 256, 300};
  for (unsigned key : character) EXPECT_FALSE(IsNonCharacterKey(key)) << key;

  EXPECT_TRUE(IsTextChar(' '));
  EXPECT_TRUE(IsTextChar('\xB0'));  // a lead byte of code page 936
  EXPECT_FALSE(IsTextChar('\t'));
  EXPECT_EQ(VirtualKeyToChar('A'), 'a');
  EXPECT_EQ(VirtualKeyToChar(VK_F1), 0);
}

TEST_F(FixedNumberFormatTest, CharactersValidForNumbers)
{
  for (char ch : {'+', '-', '0', '9'}) {
    EXPECT_TRUE(IsCharValidForNumber(ch, TcxNumberType::ntInteger));
    EXPECT_TRUE(IsCharValidForNumber(ch, TcxNumberType::ntExponent));
  }
  EXPECT_FALSE(IsCharValidForNumber('.', TcxNumberType::ntInteger));
  EXPECT_TRUE(IsCharValidForNumber('.', TcxNumberType::ntFloat));
  EXPECT_FALSE(IsCharValidForNumber('e', TcxNumberType::ntFloat));
  EXPECT_TRUE(IsCharValidForNumber('e', TcxNumberType::ntExponent));
  EXPECT_TRUE(IsCharValidForNumber('E', TcxNumberType::ntExponent));
  EXPECT_FALSE(IsCharValidForNumber(',', TcxNumberType::ntExponent));
  EXPECT_FALSE(IsCharValidForNumber('a', TcxNumberType::ntExponent));
  FormatSettings().DecimalSeparator = ',';
  EXPECT_TRUE(IsCharValidForNumber(',', TcxNumberType::ntFloat));
  EXPECT_FALSE(IsCharValidForNumber('.', TcxNumberType::ntFloat));
}

TEST(KeyHelpers, DragDetectSquare)
{
  POINT start{100, 100};
  EXPECT_TRUE(IsWithinDragDetectSquare(start, 100, 100));
  EXPECT_TRUE(IsWithinDragDetectSquare(start, 104, 96));
  EXPECT_FALSE(IsWithinDragDetectSquare(start, 105, 100));
  EXPECT_FALSE(IsWithinDragDetectSquare(start, 100, 95));
}

TEST(KeyHelpers, MnemonicsAreRemoved)
{
  struct TCase {
    const char* In;
    bool KeepTrailing;
    const char* Out;
  } cases[] = {
    {"&File", false, "File"},       {"Save &As", false, "Save As"}, {"A&&B", false, "A&B"},
    {"Tail&", false, "Tail"},       {"Tail&", true, "Tail_"},       {"A&&", true, "A&"},
    {"&&&", true, "&_"},            {"", true, ""},                 {"文件(&F)", false, "文件(F)"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(RemoveMnemonics(c.In, c.KeepTrailing), c.Out) << c.In;
  }
  EXPECT_EQ(RemoveMnemonicsW(L"&Open && close&", true), L"Open & close_");
  EXPECT_EQ(RemoveMnemonicsW(L"x&", false), L"x");
}
