#include "toolkit/base/cxGraphicsPaintCanvas.h"

#include "toolkit/base/cxGraphicsFunctions.h"

CL_DEFINE_CLASS(TScreenCanvas);
CL_DEFINE_CLASS(TcxScreenCanvas);
CL_DEFINE_CLASS(TcxPaintCanvas);

namespace {
TUnitObject<TcxScreenCanvas> GScreenCanvas{UnitcxGraphics};
TUnitObject<TcxPaintCanvas> GPaintCanvas{UnitcxGraphics};
}  // namespace

// --- TScreenCanvas ---

TScreenCanvas::~TScreenCanvas() { ReleaseDeviceContext(); }

void TScreenCanvas::CreateHandle()
{
  FWindow = GetDesktopWindow();
  FDC = GetDCEx(FWindow, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  if (FDC) SetHandle(FDC);
}

void TScreenCanvas::ReleaseDeviceContext()
{
  if (!FDC) return;
  SetHandle(nullptr);
  ReleaseDC(FWindow, FDC);
  FWindow = nullptr;
  FDC = nullptr;
}

// --- TcxScreenCanvas ---

TcxScreenCanvas::TcxScreenCanvas() : TcxCanvas(nullptr), FScreenCanvas(MakeOwned<TScreenCanvas>())
{
  SetCanvas(FScreenCanvas.get());
}

TcxScreenCanvas::~TcxScreenCanvas() { SetCanvas(nullptr); }

// --- TcxPaintCanvas ---

TcxPaintCanvas::TcxPaintCanvas() : TcxCanvas(nullptr) {}

// Levels still open are closed, so that no context keeps a saved state or a temporary canvas.
TcxPaintCanvas::~TcxPaintCanvas()
{
  while (FLevelCount > 0) EndPaint();
}

void TcxPaintCanvas::BeginPaintOnDC(HDC dc)
{
  if (FLevels.size() < static_cast<size_t>(FLevelCount) + 1) FLevels.resize(static_cast<size_t>(FLevelCount) + 4);
  TLevel& level = FLevels[static_cast<size_t>(FLevelCount)];
  level.PreviousCanvas = Canvas();
  level.DC = dc;
  level.SavedIndex = SaveDC(dc);
  level.OwnCanvas = MakeOwned<TCanvas>();
  level.OwnCanvas->SetHandle(dc);
  try {
    AdoptDCObjectsIntoCanvas(level.OwnCanvas.get(), dc);
    SetCanvas(level.OwnCanvas.get());
    PushState();
  } catch (...) {
    SetCanvas(level.PreviousCanvas);
    level.OwnCanvas.reset();
    RestoreDC(dc, level.SavedIndex);
    throw;
  }
  ++FLevelCount;
}

void TcxPaintCanvas::BeginPaintOnCanvas(TCanvas* canvas)
{
  if (FLevels.size() < static_cast<size_t>(FLevelCount) + 1) FLevels.resize(static_cast<size_t>(FLevelCount) + 4);
  TLevel& level = FLevels[static_cast<size_t>(FLevelCount)];
  level.PreviousCanvas = Canvas();
  level.DC = nullptr;
  level.SavedIndex = 0;
  SetCanvas(canvas);
  try {
    PushState();
  } catch (...) {
    SetCanvas(level.PreviousCanvas);
    throw;
  }
  ++FLevelCount;
}

void TcxPaintCanvas::EndPaint()
{
  if (FLevelCount == 0) return;
  --FLevelCount;
  TLevel& level = FLevels[static_cast<size_t>(FLevelCount)];
  PopState();
  if (level.SavedIndex != 0) {
    level.OwnCanvas.reset();
    RestoreDC(level.DC, level.SavedIndex);
  }
  SetCanvas(level.PreviousCanvas);
  level = TLevel{};
}

// --- Shared instances ---

TcxScreenCanvas* GetSharedScreenCanvas() { return GScreenCanvas.Get(); }
TcxPaintCanvas* GetSharedPaintCanvas() { return GPaintCanvas.Get(); }

void FreeSharedCanvases()
{
  GScreenCanvas.Free();
  GPaintCanvas.Free();
}
