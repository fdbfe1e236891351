// The bar system's small routines: accelerators, shortcuts and keys, enumeration names, message
// pumps, fonts and the bar message box.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarRoutines.h"

namespace {
// A plain window of this thread that counts the messages it receives, by number.
class TCountingWindow {
public:
  TCountingWindow()
  {
    static const ATOM atom = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "dxBarRoutinesTestWindow";
      return RegisterClassA(&wc);
    }();
    (void)atom;
    FWnd = CreateWindowExA(0, "dxBarRoutinesTestWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(FWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~TCountingWindow() { DestroyWindow(FWnd); }
  HWND Handle() const { return FWnd; }
  std::vector<UINT> Seen;

private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
  {
    if (auto* self = reinterpret_cast<TCountingWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA))) self->Seen.push_back(msg);
    return DefWindowProcA(wnd, msg, wParam, lParam);
  }
  HWND FWnd;
};

int CountOf(const std::vector<UINT>& seen, UINT msg) { return static_cast<int>(std::count(seen.begin(), seen.end(), msg)); }

bool HasQueued(HWND wnd, UINT msg)
{
  MSG m;
  return PeekMessageA(&m, wnd, msg, msg, PM_NOREMOVE) != FALSE;
}

LOGFONTA LogFontOf(HFONT font)
{
  LOGFONTA lf{};
  GetObjectA(font, sizeof(lf), &lf);
  return lf;
}

LONG GIconTitleHeight = 0;
bool FakeIconTitleFont(LOGFONTA& font)
{
  font = LOGFONTA{};
  font.lfHeight = GIconTitleHeight;
  return true;
}

std::string GBoxText, GBoxCaption;
UINT GBoxFlags = 0;
int WINAPI AnswerNo(HWND, const char* text, const char* caption, UINT flags)
{
  GBoxText = text;
  GBoxCaption = caption;
  GBoxFlags = flags;
  return IDNO;
}
}  // namespace

TEST(BarRoutines, AcceleratorPositions)
{
  const struct {
    const char* Caption;
    bool Delete;
    int Position;
    const char* After;
  } cases[] = {
    {"&File", false, 2, "&File"},
    {"&File", true, 1, "File"},
    {"Sa&ve as", false, 4, "Sa&ve as"},
    {"Sa&ve as", true, 3, "Save as"},
    {"a&b&c", false, 5, "a&b&c"},   // the last mark wins
    {"a&b&c", true, 3, "abc"},
    {"&&", false, 0, "&&"},         // a doubled ampersand only
    {"&&", true, 0, "&"},
    {"Fish && &Chips", false, 10, "Fish && &Chips"},
    {"Fish && &Chips", true, 8, "Fish & Chips"},
    {"Tail&", false, 0, "Tail&"},   // a trailing mark is not examined
    {"Tail&", true, 0, "Tail&"},
    {"", true, 0, ""},
    {"Plain", false, 0, "Plain"},
  };
  for (const auto& c : cases) {
    std::string caption = c.Caption;
    EXPECT_EQ(FindAcceleratorPosition(caption, c.Delete), c.Position) << c.Caption << " " << c.Delete;
    EXPECT_EQ(caption, c.After) << c.Caption << " " << c.Delete;
  }
  EXPECT_EQ(StripAcceleratorMarks("Fish && &Chips&"), "Fish & Chips");
}

TEST(BarRoutines, ShortCutsFromKeyMessages)
{
  constexpr LPARAM AltContext = 0x20000000;
  const struct {
    std::initializer_list<int> Held;
    WORD Key;
    LPARAM Flags;
    TShortCut Expected;
  } cases[] = {
    {{}, 'A', 0, 'A'},
    {{VK_SHIFT}, 'A', 0, scShift | 'A'},
    {{VK_CONTROL}, VK_F5, 0, scCtrl | VK_F5},
    {{}, 'X', AltContext, scAlt | 'X'},
    {{VK_SHIFT, VK_CONTROL}, 'Z', AltContext, scShift | scCtrl | scAlt | 'Z'},
    // Alt comes from the message's context code, not from the key state.
    {{VK_MENU}, 'Q', 0, 'Q'},
    // No key: nothing, whatever is held.
    {{VK_SHIFT, VK_CONTROL}, 0, AltContext, 0},
  };
  for (const auto& c : cases) {
    TKeysDown keys(c.Held);
    EXPECT_EQ(ShortCutFromKeyMessage(c.Key, c.Flags), c.Expected) << c.Key;
  }
  EXPECT_EQ(FormatShortCutSuffix(scCtrl | 'S'), " (" + ShortCutToText(scCtrl | 'S') + ")");
  EXPECT_EQ(FormatShortCutSuffix(0), "");
}

TEST(BarRoutines, KeysAndMessages)
{
  EXPECT_TRUE(IsPrintableCharKey('A'));
  EXPECT_TRUE(IsPrintableCharKey('7'));
  EXPECT_FALSE(IsPrintableCharKey(VK_SPACE));
  EXPECT_FALSE(IsPrintableCharKey(VK_F1));
  EXPECT_FALSE(IsPrintableCharKey(VK_RETURN));

  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN,
                   WM_MBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONDBLCLK,
                   WM_NCMBUTTONDOWN, WM_NCMBUTTONDBLCLK})
    EXPECT_TRUE(IsMouseButtonDownMessage(msg)) << msg;
  for (UINT msg : {WM_LBUTTONUP, WM_MOUSEMOVE, WM_NCRBUTTONUP, WM_XBUTTONDOWN, WM_KEYDOWN})
    EXPECT_FALSE(IsMouseButtonDownMessage(msg)) << msg;
}

TEST(BarRoutines, StorageDelimitersAndEnumerationNames)
{
  EXPECT_EQ(GetStorageDelimiter(TdxBarStoringKind::bskIni), ".");
  EXPECT_EQ(GetStorageDelimiter(TdxBarStoringKind::bskRegistry), "\\");

  enum class TKind { kA, kB, kC, kD, kE };
  static constexpr std::string_view names[] = {"kA", "kB", "kC", "kD", "kE"};
  static constexpr TEnumInfo info = EnumInfo<TKind::kE>("TKind", names);
  EXPECT_EQ(GetEnumValueNames(info), (std::vector<std::string>{"kA", "kB", "kC", "kD", "kE"}));
  EXPECT_EQ(GetSetElementNames(info), GetEnumValueNames(info));

  using TKinds = TSet<TKind>;
  EXPECT_EQ(HighestSetMember(TKinds{TKind::kA, TKind::kC}), 2);
  EXPECT_EQ(HighestSetMember(TKinds{TKind::kD, TKind::kB}), 3);
  EXPECT_EQ(HighestSetMember(TKinds{TKind::kE}), 255);  // only members 0 to 3 count
  EXPECT_EQ(HighestSetMember(TKinds{}), 255);
}

TEST(BarRoutines, MousePumpDispatchesQueuedMouseMessagesAndPassesQuitOn)
{
  TCountingWindow window;
  HandleWaitingMessages();
  window.Seen.clear();
  PostMessageA(window.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  PostMessageA(window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(window.Handle(), WM_APP + 1, 0, 0);
  DispatchPendingMouseMessages();
  EXPECT_EQ(CountOf(window.Seen, WM_MOUSEMOVE), 1);
  EXPECT_EQ(CountOf(window.Seen, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(CountOf(window.Seen, WM_APP + 1), 0);  // not a mouse message: left queued
  EXPECT_TRUE(HasQueued(window.Handle(), WM_APP + 1));
  HandleWaitingMessages();

  // A quit met on the way ends the pump and stays for the loops around it.
  PostMessageA(window.Handle(), WM_MOUSEMOVE, 0, 0);
  PostQuitMessage(7);
  DispatchPendingMouseMessages();
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
  HandleWaitingMessages();
}

TEST(BarRoutines, PaintPumpRepaintsAtOnce)
{
  TCountingWindow window;
  HandleWaitingMessages();
  window.Seen.clear();
  InvalidateRect(window.Handle(), nullptr, FALSE);
  DispatchPendingPaintMessages();
  EXPECT_EQ(CountOf(window.Seen, WM_PAINT), 1);
  RECT update;
  EXPECT_FALSE(GetUpdateRect(window.Handle(), &update, FALSE));
}

TEST(BarRoutines, RemovesOnlyTheWindowsCharacters)
{
  TCountingWindow window, other;
  HandleWaitingMessages();
  PostMessageA(window.Handle(), WM_CHAR, 'a', 0);
  PostMessageA(window.Handle(), WM_KEYDOWN, 'B', 0);
  PostMessageA(window.Handle(), WM_CHAR, 'b', 0);
  PostMessageA(other.Handle(), WM_CHAR, 'c', 0);
  RemovePendingCharMessages(window.Handle());
  EXPECT_FALSE(HasQueued(window.Handle(), WM_CHAR));
  EXPECT_TRUE(HasQueued(window.Handle(), WM_KEYDOWN));
  EXPECT_TRUE(HasQueued(other.Handle(), WM_CHAR));
  HandleWaitingMessages();
}

TEST(BarRoutines, MenuFontsFollowTheSystemMetrics)
{
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
  const LOGFONTA& small = metrics.lfSmCaptionFont;

  TFontHandle system = CreateMenuFont(nullptr, true);
  LOGFONTA lf = LogFontOf(system.Get());
  EXPECT_EQ(lf.lfHeight, small.lfHeight);
  EXPECT_STREQ(lf.lfFaceName, small.lfFaceName);

  auto font = MakeOwned<TFont>();
  font->SetName("SimSun");
  TFontHandle named = CreateMenuFont(font.get(), false);
  lf = LogFontOf(named.Get());
  EXPECT_EQ(lf.lfHeight, std::min<LONG>(-11, small.lfHeight));
  EXPECT_STREQ(lf.lfFaceName, "SimSun");
  EXPECT_EQ(lf.lfWeight, small.lfWeight);

  // A face name longer than a logical font holds is cut to fit.
  font->SetName(std::string(40, 'F'));
  lf = LogFontOf(CreateMenuFont(font.get(), false).Get());
  EXPECT_EQ(std::string(lf.lfFaceName), std::string(31, 'F'));
}

TEST(BarRoutines, FontCopiesWithTheSystemHeight)
{
  LOGFONTA source{};
  source.lfHeight = -20;
  source.lfWeight = FW_BOLD;
  std::strcpy(source.lfFaceName, "SimSun");
  TFontHandle font(CreateFontIndirectA(&source));

  TFontHandle copy = CopyFontHandle(font.Get());
  ASSERT_TRUE(copy);
  EXPECT_NE(copy.Get(), font.Get());
  EXPECT_EQ(LogFontOf(copy.Get()).lfHeight, -20);

  TFontHandle dest;
  CopyFontWithSystemHeight(font.Get(), dest, false);
  EXPECT_EQ(LogFontOf(dest.Get()).lfHeight, -20);

  // Against the system's icon-title font under Wine.
  LOGFONTA iconTitle{};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(iconTitle), &iconTitle, 0));
  CopyFontWithSystemHeight(font.Get(), dest, true);
  EXPECT_EQ(LogFontOf(dest.Get()).lfHeight, iconTitle.lfHeight >= -10 ? -11 : iconTitle.lfHeight);

  TScopedSeam<TdxReadLogFontFunc> seam(dxReadIconTitleFont, FakeIconTitleFont);
  const struct {
    LONG System;
    LONG Expected;
  } cases[] = {{-9, -11}, {-10, -11}, {-11, -11}, {-15, -15}, {12, -11}};
  for (const auto& c : cases) {
    GIconTitleHeight = c.System;
    CopyFontWithSystemHeight(font.Get(), dest, true);
    const LOGFONTA lf = LogFontOf(dest.Get());
    EXPECT_EQ(lf.lfHeight, c.Expected) << c.System;
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_STREQ(lf.lfFaceName, "SimSun");
  }
}

TEST(BarRoutines, BarMessagesCarryTheApplicationTitle)
{
  TScopedSetter<TMessageBoxFunc> box(SetMessageBoxFunc, AnswerNo);
  const std::string title = Application->Title();
  EXPECT_EQ(ShowBarMessage("Delete them?", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(GBoxText, "Delete them?");
  EXPECT_EQ(GBoxCaption, title);
  EXPECT_EQ(GBoxFlags & (MB_YESNO | MB_ICONQUESTION), static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
}
