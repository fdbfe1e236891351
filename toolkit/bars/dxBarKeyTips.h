#pragma once
// One key tip of keyboard access: its text, where it stands and how it is aligned there, whether it
// shows and is enabled, and what it does; and the window that shows it while it is on screen.
#include <string>
#include "classlib/Events.h"
#include "classlib/Object.h"
#include "classlib/StdCtrls.h"
#include "classlib/Win.h"

// How a key tip stands above, on or below its anchor point.
enum class TdxBarKeyTipVertAlign : uint8_t { kvaTop, kvaCenter, kvaBottom };

struct TdxBarKeyTipInfo {
  std::string KeyTip;
  POINT BasePoint{};
  TAlignment HorzAlign = TAlignment::taLeftJustify;
  TdxBarKeyTipVertAlign VertAlign = TdxBarKeyTipVertAlign::kvaTop;
  bool Visible = true;
  bool Enabled = true;
  // Runs when the key tip's keys are typed.
  TNotifyEvent OnExecute;
};

// The windows of the key tips on screen, supplied by a key-tip container.
class IdxBarKeyTipWindowHost {
public:
  // Shows a window for the key tip; window receives it.
  virtual void AddWindow(const std::string& keyTip, POINT basePoint, TObject*& window, bool enabled,
                         TdxBarKeyTipVertAlign vertAlign, TAlignment horzAlign) = 0;
  virtual void RemoveWindow(TObject* window) = 0;
  // Called once after each series of adds and removes.
  virtual void ApplyWindows() = 0;

protected:
  ~IdxBarKeyTipWindowHost() = default;
};

class TdxBarKeyTipData : public TObject {
  CL_CLASS(TdxBarKeyTipData, TObject)
public:
  explicit TdxBarKeyTipData(const TdxBarKeyTipInfo& info) : FInfo(info) {}
  const TdxBarKeyTipInfo& Info() const { return FInfo; }
  void SetKeyTip(std::string keyTip) { FInfo.KeyTip = std::move(keyTip); }
  TObject* Window() const { return FWindow; }
  // The key tip in the upper case of the user's locale.
  std::string GetUpperCaseKeyTip() const;
  // Nothing while a window is shown; otherwise the host shows one for the upper-case key tip.
  void ShowKeyTipWindow(IdxBarKeyTipWindowHost* host);
  // The host takes the shown window back.
  void ReleaseKeyTipWindow(IdxBarKeyTipWindowHost* host);

private:
  TdxBarKeyTipInfo FInfo;
  TObject* FWindow = nullptr;
};
