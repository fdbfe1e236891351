#pragma once
// The parts of an editor without the editor: properties with buttons, a style and a canvas, from
// which a view data lays out view infos the way a host (a grid cell, a bar item) paints an editor.
#include <functional>
#include <optional>
#include <string>
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/editors/EditTestSupport.h"
#include "toolkit/editors/cxEdit.h"
#include "toolkit/editors/cxEditUtils.h"

// Handlers of the view data's and the view info's events, each calling the function a test sets.
class TViewHandlers : public TObject {
  CL_CLASS(TViewHandlers, TObject)
public:
  std::function<void(int, int&)> DefaultWidth;
  std::function<void(int, TcxEditButtonState&)> StateCalculated;
  std::function<void(TcxCanvas*, bool&)> Background;
  void GetDefaultWidth(TObject*, int index, int& width) { DefaultWidth(index, width); }
  void ButtonStateCalculated(TObject*, int index, TcxEditButtonState& state) { StateCalculated(index, state); }
  void PaintBackground(TObject*, TcxCanvas* canvas, bool& handled) { Background(canvas, handled); }
};

struct TButtonSetup {
  TcxEditButtonKind Kind = bkDown;
  int Width = 0;
  bool Left = false;
  bool Stretchable = true;
  std::string Caption = {};
};

// A version of Windows for the scope, through the version seam; the real one comes back after.
class TScopedWindowsVersion {
public:
  explicit TScopedWindowsVersion(DWORD major, DWORD minor = 0)
  {
    GVersion = TdxWindowsVersionInfo{VER_PLATFORM_WIN32_NT, major, minor, false};
    FSeam.emplace(dxGetWindowsVersionInfo, [] { return GVersion; });
    DetectWindowsVersion();
  }
  ~TScopedWindowsVersion()
  {
    FSeam.reset();
    DetectWindowsVersion();
  }
  TScopedWindowsVersion(const TScopedWindowsVersion&) = delete;
  TScopedWindowsVersion& operator=(const TScopedWindowsVersion&) = delete;

private:
  static inline TdxWindowsVersionInfo GVersion;
  std::optional<TScopedSeam<TdxGetWindowsVersionInfoFunc>> FSeam;
};

class TEditViewWorld {
public:
  explicit TEditViewWorld(int width = 200, int height = 40) : Surface(width, height)
  {
    Style->SetBorderStyle(ebsSingle);
    Style->SetEdges(cxBordersAll);
    Style->SetHotTrack(true);
    Style->SetTransparentBorder(false);
    Style->LookAndFeel()->SetKind(lfStandard);
    Style->LookAndFeel()->SetNativeStyle(false);
  }

  TcxEditButton* Add(const TButtonSetup& setup)
  {
    TcxEditButton* button = Properties->Buttons()->AddButton();
    button->SetKind(setup.Kind);
    button->SetWidth(setup.Width);
    button->SetLeftAlignment(setup.Left);
    button->SetStretchable(setup.Stretchable);
    button->SetCaption(setup.Caption);
    return button;
  }
  TOwned<TcxCustomEditViewData> ViewData(bool inplace = false) const
  {
    return Properties->CreateViewData(Style.get(), inplace);
  }
  TOwned<TcxCustomEditViewInfo> NewViewInfo() const
  {
    return TOwned<TcxCustomEditViewInfo>(Properties->ViewInfoClassType().Create());
  }
  // A new view info calculated for the bounds, the mouse point and the held buttons.
  TOwned<TcxCustomEditViewInfo> Calculate(TcxCustomEditViewData* viewData, const RECT& bounds, POINT p = {-1, -1},
                                          TShiftState shift = {}, bool pointerPressed = false)
  {
    TOwned<TcxCustomEditViewInfo> viewInfo = NewViewInfo();
    viewData->CalculateViewInfo(Surface.cxCanvas(), bounds, false, viewInfo.get(), shift, pointerPressed, p);
    return viewInfo;
  }
  // Lays out and paints a stand-alone or in-place editor in the bounds.
  TOwned<TcxCustomEditViewInfo> Paint(const RECT& bounds, bool inplace = false, POINT p = {-1, -1},
                                      TShiftState shift = {}, bool pointerPressed = false)
  {
    TOwned<TcxCustomEditViewData> viewData = ViewData(inplace);
    TOwned<TcxCustomEditViewInfo> viewInfo = Calculate(viewData.get(), bounds, p, shift, pointerPressed);
    viewInfo->Paint(Surface.cxCanvas());
    return viewInfo;
  }

  TOwned<TcxCustomEditProperties> Properties = MakeOwned<TcxCustomEditProperties>(nullptr);
  TOwned<TcxEditStyle> Style = MakeOwned<TcxEditStyle>(nullptr, false);
  TEditCanvas Surface;
};

inline bool RectIs(const RECT& r, int left, int top, int right, int bottom)
{
  return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

inline std::string RectText(const RECT& r)
{
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + ")";
}
