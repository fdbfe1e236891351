// The visual-styles binding, the theme-handle cache with its change window, and the desktop
// composition binding. The system's style here is the "light" style with the colour name "Blue";
// switching visual styles off is reached by putting a function of the tests' own into the bound
// IsThemeActive entry, and the opening and closing of theme handles is counted the same way.
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <vssym32.h>
#include "classlib/Exceptions.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/MessagePump.h"
#include "toolkit/base/cxDWMApi.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"

namespace {
bool EndsWithNoCase(const std::wstring& text, const std::wstring& tail)
{
  return text.size() >= tail.size() &&
         lstrcmpiW(text.c_str() + (text.size() - tail.size()), tail.c_str()) == 0;
}

// Sends a message to every top-level window, as the system does on a change of style or colours.
void Broadcast(UINT message)
{
  BroadcastToOwnWindows(message);
}

constexpr TdxThemedObjectType AllTypes[dxThemedObjectTypeCount] = {
  TdxThemedObjectType::totButton,     TdxThemedObjectType::totClock,      TdxThemedObjectType::totComboBox,
  TdxThemedObjectType::totEdit,       TdxThemedObjectType::totExplorerBar, TdxThemedObjectType::totHeader,
  TdxThemedObjectType::totListBox,    TdxThemedObjectType::totListView,   TdxThemedObjectType::totMenu,
  TdxThemedObjectType::totPage,       TdxThemedObjectType::totProgress,   TdxThemedObjectType::totRebar,
  TdxThemedObjectType::totScrollBar,  TdxThemedObjectType::totSpin,       TdxThemedObjectType::totStartPanel,
  TdxThemedObjectType::totStatus,     TdxThemedObjectType::totTab,        TdxThemedObjectType::totTaskBand,
  TdxThemedObjectType::totTaskBar,    TdxThemedObjectType::totToolBar,    TdxThemedObjectType::totToolTip,
  TdxThemedObjectType::totTrackBar,   TdxThemedObjectType::totTrayNotify, TdxThemedObjectType::totTreeView,
  TdxThemedObjectType::totWindow,
};

// Counts the opening and closing of theme handles by standing in the bound entries.
struct TThemeCalls {
  static inline int Opens = 0;
  static inline int Closes = 0;
  static inline std::vector<std::wstring> OpenedLists;
  static inline decltype(TdxUxThemeEntryPoints::OpenThemeData) RealOpen = nullptr;
  static inline decltype(TdxUxThemeEntryPoints::CloseThemeData) RealClose = nullptr;

  static HTHEME WINAPI Open(HWND window, LPCWSTR classList)
  {
    ++Opens;
    OpenedLists.push_back(classList);
    return RealOpen(window, classList);
  }
  static HRESULT WINAPI Close(HTHEME theme)
  {
    ++Closes;
    return RealClose(theme);
  }
  static BOOL WINAPI ThemeActiveOff() { return FALSE; }
};

// Records the order in which listeners are told.
class TListener : public TObject {
public:
  TListener(std::vector<int>& log, int id) : FLog(log), FId(id)
  {
    FNotificator->SetOnThemeChanged(TdxThemeChangedEvent(this, &TListener::ThemeChanged));
  }
  void ThemeChanged()
  {
    FLog.push_back(FId);
    if (FOnTold) FOnTold();
  }
  TdxThemeChangedNotificator* Notificator() { return FNotificator.get(); }
  std::function<void()> FOnTold;

private:
  std::vector<int>& FLog;
  int FId;
  TOwned<TdxThemeChangedNotificator> FNotificator = MakeOwned<TdxThemeChangedNotificator>();
};

class ThemeCache : public testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(IsUxThemeLoaded());
    ASSERT_TRUE(AreThemesAvailable()) << "the test system runs with visual styles on";
    for (TdxThemedObjectType type : AllTypes) ReleaseThemeHandle(type);
    TThemeCalls::Opens = TThemeCalls::Closes = 0;
    TThemeCalls::OpenedLists.clear();
    TThemeCalls::RealOpen = dxUxThemeEntryPoints.OpenThemeData;
    TThemeCalls::RealClose = dxUxThemeEntryPoints.CloseThemeData;
    FRealThemeActive = dxUxThemeEntryPoints.IsThemeActive;
    dxUxThemeEntryPoints.OpenThemeData = TThemeCalls::Open;
    dxUxThemeEntryPoints.CloseThemeData = TThemeCalls::Close;
  }
  void TearDown() override
  {
    dxUxThemeEntryPoints.IsThemeActive = FRealThemeActive;
    Broadcast(WM_THEMECHANGED);
    for (TdxThemedObjectType type : AllTypes) ReleaseThemeHandle(type);
    dxUxThemeEntryPoints.OpenThemeData = TThemeCalls::RealOpen;
    dxUxThemeEntryPoints.CloseThemeData = TThemeCalls::RealClose;
  }
  decltype(TdxUxThemeEntryPoints::IsThemeActive) FRealThemeActive = nullptr;
};
}  // namespace

// --- Binding ---

TEST(UxThemeBinding, TheLibraryIsLoadedWithEveryEntryPointAndTheLightStyleIsActive)
{
  ASSERT_TRUE(IsUxThemeLoaded());
  std::vector<std::string> missing;
#define CHECK_ENTRY(name) \
  if (!dxUxThemeEntryPoints.name) missing.push_back(#name);
  DX_UXTHEME_ENTRY_POINTS(CHECK_ENTRY)
#undef CHECK_ENTRY
  EXPECT_EQ(missing, std::vector<std::string>{});
  EXPECT_TRUE(dxUxTheme::IsThemeActive());

  TdxThemeNames names;
  ASSERT_TRUE(dxReadCurrentThemeNames(names));
  EXPECT_TRUE(EndsWithNoCase(names.FileName, L"\\light.msstyles")) << ConvertWideToAnsi(names.FileName);
  EXPECT_EQ(names.ColorName, L"Blue");
  EXPECT_FALSE(names.SizeName.empty());
}

TEST(UxThemeBinding, AnEntryTheLibraryLacksAnswersFailureInsteadOfBeingCalled)
{
  TdxUxThemeEntryPoints saved = dxUxThemeEntryPoints;
  dxUxThemeEntryPoints = {};
  RECT r{0, 0, 10, 10};
  SIZE size{};
  EXPECT_EQ(dxUxTheme::OpenThemeData(nullptr, L"Button"), nullptr);
  EXPECT_EQ(dxUxTheme::DrawThemeBackground(nullptr, nullptr, 1, 1, &r, nullptr), E_NOTIMPL);
  EXPECT_EQ(dxUxTheme::GetThemePartSize(nullptr, nullptr, 1, 1, TS_TRUE, &size), E_NOTIMPL);
  EXPECT_EQ(dxUxTheme::BeginBufferedPaint(nullptr, &r, BPBF_TOPDOWNDIB, nullptr, nullptr), nullptr);
  EXPECT_FALSE(dxUxTheme::IsThemeActive());
  TdxThemeNames names;
  EXPECT_FALSE(dxReadCurrentThemeNames(names));
  dxUxThemeEntryPoints = saved;
}

TEST(UxThemeBinding, AnsiTextIsDrawnAsTheSameWideText)
{
  HTHEME theme = dxUxTheme::OpenThemeData(nullptr, L"Button");
  ASSERT_NE(theme, nullptr);
  auto draw = [&](bool ansi) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    TBitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    TDCHandle dc(CreateCompatibleDC(nullptr));
    TSelectObject select(dc.Get(), bitmap.Get());
    RECT r{0, 0, 64, 20};
    FillRect(dc.Get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HRESULT hr = ansi ? DrawThemeTextAnsi(theme, dc.Get(), BP_PUSHBUTTON, PBS_NORMAL, "文件", DT_LEFT, 0, &r)
                      : dxUxTheme::DrawThemeText(theme, dc.Get(), BP_PUSHBUTTON, PBS_NORMAL, L"\u6587\u4ef6",
                                                 DT_LEFT, 0, &r);
    EXPECT_EQ(hr, S_OK);
    GdiFlush();
    auto* p = static_cast<const uint32_t*>(bits);
    return std::vector<uint32_t>(p, p + 64 * 20);
  };
  std::vector<uint32_t> wide = draw(false), ansi = draw(true);
  EXPECT_EQ(ansi, wide);
  EXPECT_TRUE(std::any_of(wide.begin(), wide.end(), [](uint32_t px) { return (px & 0xFFFFFF) != 0xFFFFFF; }))
      << "the text drew nothing";
  dxUxTheme::CloseThemeData(theme);
}

namespace {
HFONT GParentFont = nullptr;

// A parent that paints its background and leaves its own font selected in the context.
LRESULT CALLBACK CarelessParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  if (message == WM_ERASEBKGND || message == WM_PRINTCLIENT) {
    SelectObject(reinterpret_cast<HDC>(wParam), GParentFont);
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

TEST(UxThemeBinding, DrawingTheParentBackgroundKeepsTheFontOfTheContext)
{
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = CarelessParentProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "CarelessParent";
  ASSERT_TRUE(RegisterClassA(&windowClass));
  HWND parent = CreateWindowExA(0, "CarelessParent", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 10, 10, 50, 20, parent, nullptr, windowClass.hInstance,
                               nullptr);
  ASSERT_TRUE(parent && child);
  TFontHandle parentFont(CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
  TFontHandle ownFont(CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
  GParentFont = parentFont.Get();
  HDC dc = GetDC(child);
  HGDIOBJ old = SelectObject(dc, ownFont.Get());
  EXPECT_EQ(dxUxTheme::DrawThemeParentBackground(child, dc, nullptr), S_OK);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), ownFont.Get());
  SelectObject(dc, old);
  ReleaseDC(child, dc);
  DestroyWindow(parent);
  UnregisterClassA("CarelessParent", windowClass.hInstance);
}

// --- Theme-handle cache ---

TEST_F(ThemeCache, AskingWithTheClassListAndThenWithoutGivesTheSameHandle)
{
  HTHEME button = GetThemeHandle(TdxThemedObjectType::totButton, L"Button");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(GetThemeHandle(TdxThemedObjectType::totButton), button);
  EXPECT_EQ(GetThemeHandle(TdxThemedObjectType::totButton, L"BUTTON"), button);  // compared without case
  EXPECT_EQ(TThemeCalls::Opens, 1);
  EXPECT_EQ(TThemeCalls::Closes, 0);
  EXPECT_EQ(dxThemeData(TdxThemedObjectType::totButton).ClassList, L"Button");
}

TEST_F(ThemeCache, AnotherClassListClosesTheCachedHandleAndAReleaseEmptiesTheEntry)
{
  ASSERT_NE(GetThemeHandle(TdxThemedObjectType::totButton), nullptr);
  EXPECT_EQ(TThemeCalls::OpenedLists.back(), L"Button");  // the type's own class
  ASSERT_NE(GetThemeHandle(TdxThemedObjectType::totButton, L"Edit"), nullptr);
  EXPECT_EQ(TThemeCalls::Closes, 1);
  EXPECT_EQ(dxThemeData(TdxThemedObjectType::totButton).ClassList, L"Edit");

  EXPECT_EQ(ReleaseThemeHandle(TdxThemedObjectType::totButton), S_OK);
  EXPECT_EQ(TThemeCalls::Closes, 2);
  EXPECT_EQ(dxThemeData(TdxThemedObjectType::totButton).Handle, nullptr);
  EXPECT_EQ(dxThemeData(TdxThemedObjectType::totButton).ClassList, L"");
  EXPECT_EQ(ReleaseThemeHandle(TdxThemedObjectType::totButton), S_OK);  // nothing to close
  EXPECT_EQ(TThemeCalls::Closes, 2);

  ASSERT_NE(GetThemeHandle(TdxThemedObjectType::totButton), nullptr);
  EXPECT_EQ(TThemeCalls::OpenedLists.back(), L"Button");
}

TEST_F(ThemeCache, AChangeOfStyleOrColoursClosesEveryHandleTellsTheListenersAndTheHandlesReopen)
{
  for (UINT message : {static_cast<UINT>(WM_THEMECHANGED), static_cast<UINT>(WM_SYSCOLORCHANGE)}) {
    SCOPED_TRACE(message);
    std::vector<int> told;
    auto first = MakeOwned<TListener>(told, 1);
    auto second = MakeOwned<TListener>(told, 2);
    ASSERT_NE(GetThemeHandle(TdxThemedObjectType::totButton), nullptr);
    ASSERT_NE(GetThemeHandle(TdxThemedObjectType::totEdit, L"ListBox;Edit"), nullptr);
    ASSERT_NE(GetThemeHandle(TdxThemedObjectType::totScrollBar), nullptr);
    int opens = TThemeCalls::Opens, closes = TThemeCalls::Closes;

    Broadcast(message);
    EXPECT_EQ(TThemeCalls::Closes - closes, 3);
    EXPECT_EQ(told, (std::vector<int>{1, 2}));
    for (TdxThemedObjectType type : AllTypes) EXPECT_EQ(dxThemeData(type).Handle, nullptr);
    // The class lists stay, so each type reopens as it was opened.
    EXPECT_EQ(dxThemeData(TdxThemedObjectType::totEdit).ClassList, L"ListBox;Edit");
    EXPECT_TRUE(AreThemesAvailable());

    EXPECT_NE(GetThemeHandle(TdxThemedObjectType::totEdit), nullptr);
    EXPECT_EQ(TThemeCalls::Opens - opens, 1);
    EXPECT_EQ(TThemeCalls::OpenedLists.back(), L"ListBox;Edit");
    EXPECT_NE(GetThemeHandle(TdxThemedObjectType::totButton), nullptr);
    EXPECT_EQ(TThemeCalls::Opens - opens, 2);
    for (TdxThemedObjectType type : AllTypes) ReleaseThemeHandle(type);
  }
}

TEST_F(ThemeCache, WithVisualStylesSwitchedOffNoTypeHasAHandle)
{
  std::vector<int> told;
  auto listener = MakeOwned<TListener>(told, 1);
  ASSERT_NE(GetThemeHandle(TdxThemedObjectType::totButton), nullptr);
  dxUxThemeEntryPoints.IsThemeActive = TThemeCalls::ThemeActiveOff;
  Broadcast(WM_THEMECHANGED);
  EXPECT_EQ(told, std::vector<int>{1});
  EXPECT_EQ(TThemeCalls::Closes, 1);
  EXPECT_FALSE(AreThemesAvailable());
  int opens = TThemeCalls::Opens;
  for (TdxThemedObjectType type : AllTypes) {
    EXPECT_EQ(GetThemeHandle(type), nullptr);
    EXPECT_FALSE(IsThemeTypeAvailable(type));
  }
  EXPECT_EQ(TThemeCalls::Opens, opens);
  EXPECT_EQ(ReleaseThemeHandle(TdxThemedObjectType::totButton), S_FALSE);

  // Switched on again: a handle asked for afterwards is opened anew.
  dxUxThemeEntryPoints.IsThemeActive = FRealThemeActive;
  Broadcast(WM_THEMECHANGED);
  EXPECT_EQ(told, (std::vector<int>{1, 1}));
  EXPECT_TRUE(AreThemesAvailable());
  EXPECT_NE(GetThemeHandle(TdxThemedObjectType::totButton), nullptr);
  EXPECT_EQ(TThemeCalls::Opens, opens + 1);
}

TEST_F(ThemeCache, ATypeWhoseClassTheStyleLacksHasNoHandle)
{
  // The light style has no taskbar or clock classes.
  EXPECT_EQ(GetThemeHandle(TdxThemedObjectType::totTaskBar), nullptr);
  EXPECT_EQ(dxThemeData(TdxThemedObjectType::totTaskBar).ClassList, L"");
  EXPECT_FALSE(IsThemeTypeAvailable(TdxThemedObjectType::totClock));
  EXPECT_TRUE(AreThemesAvailable({TdxThemedObjectType::totButton, TdxThemedObjectType::totScrollBar}));
  EXPECT_FALSE(AreThemesAvailable({TdxThemedObjectType::totButton, TdxThemedObjectType::totTaskBar}));
  EXPECT_TRUE(IsThemeTypeAvailable(TdxThemedObjectType::totWindow));
}

TEST_F(ThemeCache, ListenersFreedOrMadeWhileOthersAreToldAreSkippedAndAFailingOneStopsNoOther)
{
  TExceptionHandler oldHandler = SetExceptionHandler([](std::exception_ptr) {});
  std::vector<int> told;
  auto first = MakeOwned<TListener>(told, 1);
  auto second = MakeOwned<TListener>(told, 2);
  auto third = MakeOwned<TListener>(told, 3);
  TOwned<TListener> late;
  first->FOnTold = [&] {
    second.reset();
    late = MakeOwned<TListener>(told, 4);
    throw Exception("the listener failed");
  };
  Broadcast(WM_SYSCOLORCHANGE);
  EXPECT_EQ(told, (std::vector<int>{1, 3}));
  first->FOnTold = nullptr;
  Broadcast(WM_SYSCOLORCHANGE);
  EXPECT_EQ(told, (std::vector<int>{1, 3, 1, 3, 4}));
  SetExceptionHandler(oldHandler);
}

TEST(ThemeChangedNotificator, WithoutAHandlerItDoesNothing)
{
  TOwned<TdxThemeChangedNotificator> notificator = MakeOwned<TdxThemeChangedNotificator>();
  notificator->NotifyThemeChanged();
  EXPECT_FALSE(notificator->OnThemeChanged());
}

// --- Desktop composition ---

namespace {
TdxWindowsVersionInfo GVersion;
TdxWindowsVersionInfo FakeVersion() { return GVersion; }
HRESULT WINAPI CompositionOn(BOOL* enabled)
{
  *enabled = TRUE;
  return S_OK;
}
HRESULT WINAPI CompositionFails(BOOL* enabled)
{
  *enabled = TRUE;
  return E_FAIL;
}
}  // namespace

TEST(DwmApi, LoadedOnWindows6AndLaterAndReportsTheSystemsComposition)
{
  ASSERT_TRUE(WinVistaOrLater);
  ASSERT_TRUE(IsDwmApiLoaded());
  ASSERT_NE(cxDwmApiEntryPoints.DwmIsCompositionEnabled, nullptr);
  BOOL enabled = FALSE;
  ASSERT_EQ(cxDwmApiEntryPoints.DwmIsCompositionEnabled(&enabled), S_OK);
  EXPECT_EQ(IsDwmCompositionOn(), enabled != FALSE);

  auto real = cxDwmApiEntryPoints.DwmIsCompositionEnabled;
  cxDwmApiEntryPoints.DwmIsCompositionEnabled = CompositionOn;
  EXPECT_TRUE(IsDwmCompositionOn());
  cxDwmApiEntryPoints.DwmIsCompositionEnabled = CompositionFails;
  EXPECT_FALSE(IsDwmCompositionOn());
  cxDwmApiEntryPoints.DwmIsCompositionEnabled = real;
}

TEST(DwmApi, OnWindowsXPTheLibraryIsNotEvenLoaded)
{
  FreeDwmApiLibrary();
  GVersion = {VER_PLATFORM_WIN32_NT, 5, 1, false};
  dxGetWindowsVersionInfo = FakeVersion;
  DetectWindowsVersion();
  LoadDwmApiLibrary();
  EXPECT_FALSE(IsDwmApiLoaded());
  EXPECT_EQ(cxDwmApiEntryPoints.DwmIsCompositionEnabled, nullptr);
  EXPECT_FALSE(IsDwmCompositionOn());

  dxGetWindowsVersionInfo = dxReadWindowsVersionInfo;
  DetectWindowsVersion();
  LoadDwmApiLibrary();
  EXPECT_TRUE(IsDwmApiLoaded());
}
