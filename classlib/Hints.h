#pragma once
// Hints: the hint window and what the application knows about a hint about to show.
//
// THintWindow is a top-level, borderless popup owned by the application's window that draws one
// hint text on the hint colour. It never takes activation: ActivateHint places it top-most and
// shows it without activating. HintWindowClass is the class the application's hint windows are
// made of; hint style controllers replace it.
//
// THintInfo is what the application's OnShowHint handler receives and may change before a hint
// shows (the window class, the position, the colour, the timeouts, the text's data).
#include <string>
#include "classlib/Controls.h"

class THintWindow : public TCustomControl {
  CL_CLASS(THintWindow, TCustomControl)
public:
  explicit THintWindow(TComponent* owner);

  // Shows the hint text in rect (screen coordinates), top-most and without activation; the rect
  // grows by 4 at the bottom and moves, without resizing, into the screen.
  virtual void ActivateHint(RECT rect, const std::string& hint);
  virtual void ActivateHintData(RECT rect, const std::string& hint, void* data);
  // The rectangle (at 0, 0) the hint text needs, word-wrapped at maxWidth.
  virtual RECT CalcHintRect(int maxWidth, const std::string& hint, void* data);
  // Hides the window and gives its window back.
  void ReleaseHandle();
  // The window exists and is shown.
  bool IsHintShowing() const;

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  // Set while ActivateHint sets the text, so that the text change does not resize the window.
  bool FActivating = false;

private:
  void WMNCHitTest(TMessage& msg);
  void CMTextChanged(TMessage& msg);
};

// The class hint windows are made of (THintWindow or a descendant).
extern TClass HintWindowClass;
// Makes a hint window of windowClass (HintWindowClass for nullptr) owned by owner (may be nullptr:
// then the caller frees it). Raises EInvalidCast for a class that is no hint window.
THintWindow* NewHintWindow(TClass windowClass, TComponent* owner);

struct THintInfo {
  TControl* HintControl = nullptr;
  TClass HintWindowClass = nullptr;
  POINT HintPos{};        // screen coordinates of the hint's top-left corner
  int HintMaxWidth = 0;   // the widest the hint may be
  TColor HintColor = clInfoBk;
  RECT CursorRect{};      // where the cursor may move without the hint changing (control coordinates)
  POINT CursorPos{};      // the cursor in the control's client coordinates
  int ReshowTimeout = 0;  // milliseconds; 0: never reshown by itself
  int HideTimeout = 0;    // milliseconds
  std::string HintStr;
  void* HintData = nullptr;
};

// The application's last say before a hint shows: the text, whether it shows, and its info.
using TShowHintEvent = TEvent<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;
