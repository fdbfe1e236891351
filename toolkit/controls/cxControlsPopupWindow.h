#pragma once
// The two window bases the toolkit builds its floating windows on.
//
// TcxPopupWindow: a borderless, stay-on-top form that opens next to a rectangle of an owner control
// (below, above, left or right of it), flips to the other side when the work area leaves more room
// there, keeps itself inside the work area, can draw a thin frame and sizes itself to its child
// controls. Drop-down windows, drag images and the resize frame derive from it.
//
// TcxBaseHintWindow: a hint window that stays on the desktop work area, shows top-most without
// activation and animates its appearance as the system's tooltip settings say.
//
// PrepareHintInfo and ShowHintWindowAt let code that shows its own hints (the bar manager) go
// through the application's hint pipeline.
#include <string>
#include "classlib/Forms.h"
#include "classlib/Hints.h"

class TcxCanvas;

// --- Popup window ---

enum class TcxPopupHorzPlacement { phpLeft, phpCenter, phpRight };
enum class TcxPopupVertPlacement { pvpTop, pvpCenter, pvpBottom };
enum class TcxPopupFrameStyle { pfsNone, pfsSingle, pfsFlat, pfs3D };
enum class TcxPopupOpenDirection { podHorizontal, podVertical };
using enum TcxPopupHorzPlacement;
using enum TcxPopupVertPlacement;
using enum TcxPopupFrameStyle;
using enum TcxPopupOpenDirection;

// Sides of the frame.
enum TcxPopupSide : int { psLeft = 0, psTop = 1, psRight = 2, psBottom = 3 };

class TcxPopupWindow : public TForm {
  CL_CLASS(TcxPopupWindow, TForm)
public:
  // Made without a stored form; hidden until Popup.
  explicit TcxPopupWindow(TComponent* owner = nullptr);
  ~TcxPopupWindow() override;

  // Takes the owner's font, sizes itself, moves to CalculatePosition and shows.
  virtual void Popup();
  // Hides (also when the form or the application loses activation).
  virtual void CloseUp();

  // Where the popup opens: the placements read on the owner rectangle in screen coordinates. The
  // properties keep their values when a popup flips.
  virtual POINT CalculatePosition();
  // With AutoSizeToControls: moves the children in by the frame offsets and fits the popup to them.
  virtual void CalculateSize();
  virtual int GetFrameOffset(TcxPopupSide side);
  virtual RECT GetFrameClientRect();
  virtual int GetFrameWidth(TcxPopupSide side);
  virtual RECT GetOwnerScreenBounds();
  virtual void TakeOwnerFont();
  virtual void DrawFrame();

  bool AutoSizeToControls() const { return FAutoSizeToControls; }
  void SetAutoSizeToControls(bool value) { FAutoSizeToControls = value; }
  TcxPopupHorzPlacement HorzPlacement() const { return FHorzPlacement; }
  void SetHorzPlacement(TcxPopupHorzPlacement value) { FHorzPlacement = value; }
  TcxPopupVertPlacement VertPlacement() const { return FVertPlacement; }
  void SetVertPlacement(TcxPopupVertPlacement value) { FVertPlacement = value; }
  int FrameSpacing() const { return FFrameSpacing; }
  void SetFrameSpacing(int value) { FFrameSpacing = value; }
  TcxPopupFrameStyle FrameStyle() const { return FFrameStyle; }
  // Moves the children back by the current left and top frame offsets first, so that the next
  // sizing does not add them twice.
  void SetFrameStyle(TcxPopupFrameStyle value);
  TcxPopupOpenDirection OpenDirection() const { return FOpenDirection; }
  void SetOpenDirection(TcxPopupOpenDirection value) { FOpenDirection = value; }
  TColor FrameLineColor() const { return FFrameLineColor; }
  void SetFrameLineColor(TColor value) { FFrameLineColor = value; }
  // The rectangle the popup opens next to, in OwnerParentControl's client coordinates (screen
  // coordinates without an owner parent).
  RECT OwnerRect() const { return FOwnerRect; }
  void SetOwnerRect(const RECT& value) { FOwnerRect = value; }
  TControl* OwnerParentControl() const { return FOwnerParentControl; }
  void SetOwnerParentControl(TControl* value);
  TcxCanvas* cxCanvas() const { return FcxCanvas.get(); }
  // The window that was active when the popup was activated.
  HWND PrevActiveWindow() const { return FPrevActiveWindow; }

  void Notification(TComponent* component, TOperation operation) override;

protected:
  void Paint() override;
  void Deactivate() override;
  // Called after every change of visibility; nothing here.
  virtual void VisibleChanged() {}

private:
  void WMActivate(TMessage& msg);
  void WMActivateApp(TMessage& msg);
  void CMVisibleChanged(TMessage& msg);

  bool FAutoSizeToControls = true;
  TcxPopupHorzPlacement FHorzPlacement = phpLeft;
  TcxPopupVertPlacement FVertPlacement = pvpBottom;
  int FFrameSpacing = 0;
  TcxPopupFrameStyle FFrameStyle = pfsNone;
  TOwned<TcxCanvas> FcxCanvas;
  TcxPopupOpenDirection FOpenDirection = podVertical;
  TColor FFrameLineColor = clWindowFrame;
  RECT FOwnerRect{};
  TControl* FOwnerParentControl = nullptr;
  HWND FPrevActiveWindow = nullptr;
};

// The position CalculatePosition gives for an owner rectangle in screen coordinates and a popup
// size, reading the work area through GetDesktopWorkArea.
POINT CalculatePopupPosition(const RECT& owner, SIZE popupSize, TcxPopupOpenDirection direction,
                             TcxPopupHorzPlacement horz, TcxPopupVertPlacement vert);

// --- Hint window ---

// A hint window told the area it is a hint for.
class IcxHintWindowPlacement {
public:
  virtual void SetHintArea(const RECT& r, bool flag) = 0;

protected:
  ~IcxHintWindowPlacement() = default;
};

// Animation kinds of hint windows.
constexpr BYTE cxhakSlideLeftToRight = 0, cxhakSlideRightToLeft = 1, cxhakSlideTopToBottom = 2,
               cxhakSlideBottomToTop = 3, cxhakCenter = 4, cxhakHide = 5, cxhakActivate = 6, cxhakFade = 7,
               cxhakSystemDefault = 8, cxhakNone = 9;
// A hint animates only when this much time passed since the previous one and its text is shorter
// than cxHintAnimationMaxTextLength.
constexpr DWORD cxHintAnimationMinInterval = 251;
constexpr size_t cxHintAnimationMaxTextLength = 100;

// The system's tooltip animation settings; replaceable so tests cover each of them.
struct TcxTooltipAnimationSettings {
  bool Animation;  // SPI_GETTOOLTIPANIMATION
  bool Fade;       // SPI_GETTOOLTIPFADE
};
using TcxReadTooltipAnimationFunc = TcxTooltipAnimationSettings (*)();
extern TcxReadTooltipAnimationFunc cxReadTooltipAnimation;
// AnimateWindow; nullptr when the platform has none. Wine's only shows or hides, so tests record
// the calls instead.
using TcxAnimateWindowFunc = BOOL(WINAPI*)(HWND wnd, DWORD time, DWORD flags);
extern TcxAnimateWindowFunc cxAnimateWindow;
// The tick count hint windows time their animation with.
using TcxTickCountFunc = DWORD(WINAPI*)();
extern TcxTickCountFunc cxHintTickCount;

// The kind a hint of the given kind animates with under the settings: cxhakNone for none.
BYTE cxEffectiveHintAnimation(BYTE kind, const TcxTooltipAnimationSettings& settings);
// The AnimateWindow flags of a kind (with AW_SLIDE); 0 for the system default and none.
DWORD cxHintAnimationFlags(BYTE kind);

class TcxBaseHintWindow : public THintWindow, public IcxHintWindowPlacement {
  CL_CLASS(TcxBaseHintWindow, THintWindow)
public:
  explicit TcxBaseHintWindow(TComponent* owner);
  ~TcxBaseHintWindow() override;

  void ActivateHint(RECT rect, const std::string& hint) override;
  // Moves the position onto the work area of the monitor nearest to (left, top).
  void SetBounds(int left, int top, int width, int height) override;

  virtual void FitBoundsToDesktop(RECT& r);
  virtual void RemoveWindowShape();
  virtual void ApplyWindowShape() {}
  virtual bool HasWindowShadow() { return false; }
  void SetHintArea(const RECT& r, bool flag) override;
  virtual void ShowNoActivate();

  BYTE AnimationKind() const { return FAnimationKind; }
  void SetAnimationKind(BYTE value) { FAnimationKind = value; }
  DWORD AnimationTime() const { return FAnimationTime; }
  void SetAnimationTime(DWORD value) { FAnimationTime = value; }
  bool Bordered() const { return FBordered; }
  void SetBordered(bool value) { FBordered = value; }
  bool ForceErase() const { return FForceErase; }
  void SetForceErase(bool value) { FForceErase = value; }
  bool StandardMode() const { return FStandardMode; }
  virtual void SetStandardMode(bool value) { FStandardMode = value; }
  bool IsAnimating() const { return FIsAnimating; }
  RECT HintArea() const { return FHintArea; }
  bool HintAreaFlag() const { return FHintAreaFlag; }
  TcxCanvas* cxCanvas() const { return FcxCanvas.get(); }

protected:
  void CreateParams(TCreateParams& params) override;

private:
  void AnimateShow(const std::string& hint);
  void WMEraseBkgnd(TMessage& msg);
  void CMTextChanged(TMessage& msg);

  bool FSettingText = false;
  BYTE FAnimationKind = cxhakSystemDefault;
  DWORD FAnimationTime = 100;
  bool FBordered = false;
  TOwned<TcxCanvas> FcxCanvas;
  bool FIsAnimating = false;
  RECT FHintArea{};
  bool FHintAreaFlag = false;
  DWORD FLastActivateTick = 0;
  bool FHasActivated = false;
  bool FForceErase = false;
  bool FStandardMode = false;
};

// --- Hint functions ---

// Fills info for a hint of text at rect's top-left corner, lets the application's OnShowHint have
// its say and, when the hint may show and has text, makes sure window is of the info's window
// class (else HintWindowClass; another or no window is replaced by a new one without owner, which
// the caller frees) and sets rect to the window's hint rectangle at the info's position. Answers
// whether the hint may show.
bool PrepareHintInfo(THintInfo& info, THintWindow*& window, TControl* control, int hideTimeout, void* hintData,
                     RECT& rect, const std::string& text);
// Shows the hint in rect when a monitor can be found for its top-left corner.
void ShowHintWindowAt(THintWindow* window, const RECT& rect, const std::string& text);
