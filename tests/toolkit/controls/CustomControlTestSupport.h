#pragma once
// Test equipment of the painted scroll bar and the control base: a painter that fills every
// scroll-bar part and state with a colour of its own (so pixels tell which part was drawn in which
// state, whatever the real painters draw), and a custom-drawn control that paints a text-free
// picture, scrolls a content of a given size and records what reaches it.
#include <functional>
#include <vector>
#include "classlib/Forms.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/controls/cxControlsControl.h"
#include "toolkit/controls/cxControlsPopupMenus.h"
#include "toolkit/controls/cxControlsScrollBars.h"

namespace controls_test {

// The colour the test painter fills a scroll-bar part with in a state; the background has its own.
COLORREF PartColor(TcxScrollBarElement Part, TcxButtonState State);
constexpr COLORREF ScrollBarBackgroundColor = RGB(1, 2, 3);
// The test painter's form content colour (the size grip's fill).
constexpr COLORREF FormContentTestColor = RGB(0, 128, 64);
// The test painter's minimum thumb size.
constexpr int TestMinThumbSize = 8;

// Registers the test painter (a skin painter named "cxTestPainter") for the life of the scope.
class TTestPainterScope {
public:
  TTestPainterScope();
  ~TTestPainterScope();
  TTestPainterScope(const TTestPainterScope&) = delete;
  TTestPainterScope& operator=(const TTestPainterScope&) = delete;
  static constexpr const char* Name = "cxTestPainter";
};

// What the test control draws: its client bounds in ContentColor with a MarkColor square at
// (5, 5, 15, 15).
constexpr COLORREF ContentColor = RGB(200, 30, 30);
constexpr COLORREF MarkColor = RGB(20, 40, 220);

struct TScrollCall {
  TScrollBarKind Kind;
  TScrollCode Code;
};

// A TcxControl whose content is ContentSize large, scrolled to Origin. It describes both bars from
// its content and client bounds (page = client extent), or from fixed pages when FixedPages is set.
class TTestControl : public TcxControl {
  CL_CLASS(TTestControl, TcxControl)
public:
  explicit TTestControl(TComponent* Owner);

  SIZE ContentSize{0, 0};
  POINT Origin{0, 0};
  bool AllowHide = true;
  bool OverlapCheck = false;
  // Pages given instead of the client extent (0: the client extent).
  int FixedHPage = 0, FixedVPage = 0;
  // The content height follows the vertical bar's actual visibility: tall while it is hidden,
  // short while it shows (a control that would make the bar come and go forever).
  bool HeightFollowsBar = false;
  // The wish for the vertical bar flips on every pass (a control whose wishes never settle).
  bool FlipVerticalWish = false;
  int CalculationPasses = 0;
  bool FocusOnClick = true;
  // When set, IsFocused answers false whatever happens (focusing fails).
  bool NeverFocused = false;
  bool CaptureWithoutFocus = false;
  bool OwnErase = false;

  std::vector<TScrollCall> Scrolls;
  // Called after each recorded Scroll.
  std::function<void()> OnScrolled;
  // The kinds of the device contexts PaintControl drew on (OBJ_DC, OBJ_MEMDC), in order.
  std::vector<DWORD> PaintedOn;
  // Called with every message that reaches WndProc, before the control handles it.
  std::function<void(TMessage&)> OnMessage;

  void Scroll(TScrollBarKind Kind, TScrollCode Code, int& Pos) override;
  void CalculateScrollBarParams() override;
  bool CheckScrollBarOverlap(TScrollBarKind) const override { return OverlapCheck; }
  bool MayFocusOnClick() const override { return FocusOnClick; }
  bool IsFocused() const override { return !NeverFocused && TcxControl::IsFocused(); }
  bool AllowCaptureWithoutFocus() const override { return CaptureWithoutFocus; }
  bool ErasesOwnBackground() const override { return OwnErase; }
  void PaintControl() override;
  void WndProc(TMessage& Message) override;
  using TcxControl::GetClientBounds;
  using TcxControl::MouseDown;
};

// A component that acts as a popup menu through the handler interface and records where it shows.
class THandlerMenu : public TComponent, public IcxPopupMenuHandler {
  CL_CLASS(THandlerMenu, TComponent)
public:
  using TComponent::TComponent;
  bool IsMenuShortCut(TMessage&) override { return false; }
  void Popup(int x, int y) override { Shown.push_back(POINT{x, y}); }
  std::vector<POINT> Shown;
};

// The pixel of a window's client area as the screen shows it now.
COLORREF WindowPixel(HWND wnd, int x, int y);

}  // namespace controls_test
