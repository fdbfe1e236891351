#pragma once
// A class-library canvas drawing on a DIB surface whose pixels the tests read, and colour checks
// for the panel tests.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include "classlib/Application.h"
#include "classlib/Canvas.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/DibSurface.h"
#include "toolkit/base/dxUxTheme.h"

class TCanvasOnSurface {
public:
  TCanvasOnSurface(int width, int height, COLORREF fill = RGB(255, 0, 255))
      : FSurface(width, height, fill), FCanvas(MakeOwned<TCanvas>())
  {
    FCanvas->SetHandle(FSurface.DC());
  }
  ~TCanvasOnSurface() { FCanvas->SetHandle(nullptr); }
  TCanvasOnSurface(const TCanvasOnSurface&) = delete;
  TCanvasOnSurface& operator=(const TCanvasOnSurface&) = delete;

  TCanvas* Canvas() const { return FCanvas.get(); }
  TDibSurface& Surface() { return FSurface; }
  COLORREF Pixel(int x, int y) const { return FSurface.Pixel(x, y); }

private:
  TDibSurface FSurface;
  TOwned<TCanvas> FCanvas;
};

// The largest difference of one channel between two colours.
inline int ColorDistance(COLORREF a, COLORREF b)
{
  return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                   std::abs(GetBValue(a) - GetBValue(b))});
}

// The RGB value GDI draws a colour in.
inline COLORREF Rgb(TColor color) { return GdiColor(color); }

// An empty form of the given client size, owned by the application and freed at the end of the
// scope. Its window is made only when a control on it needs one; it is never shown.
struct TPanelsForm {
  explicit TPanelsForm(int clientWidth = 400, int clientHeight = 300) : Form(New<TForm>(Application, CreateNew))
  {
    Form->SetClientSize(clientWidth, clientHeight);
  }
  ~TPanelsForm() { Free(Form); }
  TPanelsForm(const TPanelsForm&) = delete;
  TPanelsForm& operator=(const TPanelsForm&) = delete;
  TForm* Form;
};

// Paints a windowed control, its graphic children included, into the surface as WM_PRINTCLIENT
// asks it to.
inline void PrintControl(TWinControl* control, TDibSurface& surface)
{
  control->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.DC()), PRF_CLIENT);
}

// Paints a graphic control into the surface at (0, 0) as its parent's paint cycle would.
inline void PaintControl(TControl* control, TDibSurface& surface)
{
  control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.DC()), 0);
}

// Visual styles off for the application while the object lives.
inline BOOL WINAPI VisualStylesOff() { return FALSE; }
