#pragma once
// The two process-wide canvases: the screen canvas, on a device context of the desktop window, for
// measuring text; and the paint canvas, whose wrapped canvas changes with nested begin and end pairs
// over a raw device context or an existing class-library canvas.
#include <memory>
#include <vector>
#include "toolkit/base/cxGraphicsCanvas.h"

// A class-library canvas on a device context of the desktop window, taken when drawing needs one
// (GetDCEx with DCX_CACHE | DCX_LOCKWINDOWUPDATE) and given back by ReleaseDeviceContext.
class TScreenCanvas : public TCanvas {
  CL_CLASS(TScreenCanvas, TCanvas)
public:
  TScreenCanvas() = default;
  ~TScreenCanvas() override;
  void ReleaseDeviceContext();

protected:
  void CreateHandle() override;

private:
  HWND FWindow = nullptr;
  HDC FDC = nullptr;
};

class TcxScreenCanvas : public TcxCanvas {
  CL_CLASS(TcxScreenCanvas, TcxCanvas)
public:
  TcxScreenCanvas();
  ~TcxScreenCanvas() override;
  // Gives the desktop's device context back; the next use takes a new one.
  void ReleaseDeviceContext() { FScreenCanvas->ReleaseDeviceContext(); }

private:
  TOwned<TScreenCanvas> FScreenCanvas;
};

class TcxPaintCanvas : public TcxCanvas {
  CL_CLASS(TcxPaintCanvas, TcxCanvas)
public:
  TcxPaintCanvas();
  ~TcxPaintCanvas() override;

  // Opens a level over a device context: its state is saved and a temporary class-library canvas that
  // adopts its font, brush and pen becomes the wrapped canvas.
  void BeginPaintOnDC(HDC dc);
  // Opens a level over an existing canvas.
  void BeginPaintOnCanvas(TCanvas* canvas);
  // Closes the innermost level and puts the previous wrapped canvas back; nothing at level 0.
  void EndPaint();
  int LevelCount() const { return FLevelCount; }

private:
  struct TLevel {
    TCanvas* PreviousCanvas = nullptr;
    HDC DC = nullptr;
    int SavedIndex = 0;  // 0 for a level over a canvas
    TOwned<TCanvas> OwnCanvas;
  };

  int FLevelCount = 0;
  // Only grows (in steps of at least four); at least FLevelCount long.
  std::vector<TLevel> FLevels;
};

// The process-wide instances, made on first use; nullptr once the unit has begun finishing.
TcxScreenCanvas* GetSharedScreenCanvas();
TcxPaintCanvas* GetSharedPaintCanvas();

// Frees the shared canvases (the unit's shut-down).
void FreeSharedCanvases();
