#pragma once
// Test equipment of the editor framework's tests: a toolkit canvas on a DIB surface whose pixels the
// tests read, and a unit shut down for a check and started again afterwards.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Canvas.h"
#include "classlib/Units.h"
#include "tests/support/DibSurface.h"
#include "toolkit/base/cxGraphicsCanvas.h"

class TEditCanvas {
public:
  TEditCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255))
      : FSurface(width, height, fill), FCanvas(MakeOwned<TCanvas>())
  {
    FCanvas->SetHandle(FSurface.DC());
    FcxCanvas = MakeOwned<TcxCanvas>(FCanvas.get());
  }
  ~TEditCanvas() { FCanvas->SetHandle(nullptr); }
  TEditCanvas(const TEditCanvas&) = delete;
  TEditCanvas& operator=(const TEditCanvas&) = delete;

  TCanvas* Canvas() const { return FCanvas.get(); }
  TcxCanvas* cxCanvas() const { return FcxCanvas.get(); }
  TDibSurface& Surface() { return FSurface; }
  COLORREF Pixel(int x, int y) const { return FSurface.Pixel(x, y); }
  // Rows of the rect as text: '#' where the pixel has the colour, '.' elsewhere.
  std::vector<std::string> Picture(const RECT& r, COLORREF color) const
  {
    std::vector<std::string> rows;
    for (int y = r.top; y < r.bottom; ++y) {
      std::string row;
      for (int x = r.left; x < r.right; ++x) row += FSurface.Pixel(x, y) == color ? '#' : '.';
      rows.push_back(row);
    }
    return rows;
  }

private:
  TDibSurface FSurface;
  TOwned<TCanvas> FCanvas;
  TOwned<TcxCanvas> FcxCanvas;
};

// Runs the unit's shut-down procedure now and its start-up procedure again at the end of the scope,
// for checks of what a shut-down leaves behind.
class TUnitShutDown {
public:
  explicit TUnitShutDown(TUnit& unit) : FUnit(unit)
  {
    if (FUnit.Finalize) FUnit.Finalize();
  }
  ~TUnitShutDown()
  {
    if (FUnit.Initialize) FUnit.Initialize();
  }
  TUnitShutDown(const TUnitShutDown&) = delete;
  TUnitShutDown& operator=(const TUnitShutDown&) = delete;

private:
  TUnit& FUnit;
};
