#include "toolkit/controls/cxControlsDragImages.h"

#include "classlib/Bitmap.h"
#include "classlib/Colors.h"

// --- Drag image ---

CL_MESSAGE_MAP(TcxCustomDragImage,
  {WM_ERASEBKGND, &TcxCustomDragImage::WMEraseBkgnd},
  {WM_NCHITTEST, &TcxCustomDragImage::WMNCHitTest});
CL_DEFINE_CLASS(TcxCustomDragImage);

TcxCustomDragImage::TcxCustomDragImage(TComponent* Owner) : TcxPopupWindow(Owner)
{
  SetBounds(0, 0, 0, 0);
  SetAlphaBlend(true);
  SetAlphaBlendValue(180);
  SetPopupMode(TPopupMode::pmExplicit);
}

void TcxCustomDragImage::BeforeDestruction()
{
  // The window goes first, so that the change of popup mode does not make another one.
  if (HandleAllocated()) DestroyHandle();
  SetPopupMode(TPopupMode::pmNone);
  TcxPopupWindow::BeforeDestruction();
}

void TcxCustomDragImage::CreateParams(TCreateParams& Params)
{
  TcxPopupWindow::CreateParams(Params);
  if (TCustomForm* parent = PopupParent())
    Params.WndParent = parent->Handle();
  else if (TCustomForm* active = Screen ? Screen->ActiveForm() : nullptr; active && active != this)
    Params.WndParent = active->Handle();
}

void TcxCustomDragImage::ShowWithCommand(int Command)
{
  ShowWindow(Handle(), Command);
  Update();
}

void TcxCustomDragImage::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TcxCustomDragImage::WMNCHitTest(TMessage& Message) { Message.Result = HTTRANSPARENT; }

// --- Size frame ---

CL_DEFINE_CLASS(TcxSizeFrame);

TcxSizeFrame::TcxSizeFrame(int FrameWidth) : TcxCustomDragImage(nullptr), FFrameWidth(FrameWidth)
{
  SetAlphaBlend(false);
  FFrameRegion = MakeOwned<TcxRegion>();
  Canvas()->Brush()->SetBitmap(AllocPatternBitmap(clBlack, clWhite).get());
}

TcxSizeFrame::~TcxSizeFrame() = default;

void TcxSizeFrame::Paint()
{
  const RECT r = ClientRect();
  Canvas()->FillRect(r);
}

void TcxSizeFrame::SetFrameRect(const RECT& R)
{
  FFrameRegion = MakeOwned<TcxRegion>(0, 0, R.right - R.left, R.bottom - R.top);
  SetBoundsRect(R);
}

void TcxSizeFrame::SetBounds(int Left, int Top, int Width, int Height)
{
  TcxCustomDragImage::SetBounds(Left, Top, Width, Height);
  if (!HandleAllocated() || !FFrameRegion || 2 * FFrameWidth >= Width || 2 * FFrameWidth >= Height) return;
  BuildFrameRegion();
  ApplyFrameRegion();
}

void TcxSizeFrame::BuildFrameRegion()
{
  // The inside: the region's common part with its copies moved by the frame width each way.
  auto inside = MakeOwned<TcxRegion>();
  inside->CombineWith(FFrameRegion.get(), roSet);
  constexpr POINT directions[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  for (const POINT d : directions) {
    auto moved = MakeOwned<TcxRegion>();
    moved->CombineWith(FFrameRegion.get(), roSet);
    moved->OffsetBy(d.x * FFrameWidth, d.y * FFrameWidth);
    inside->CombineWith(std::move(moved), roIntersect);
  }
  FFrameRegion->CombineWith(std::move(inside), roSubtract);
}

void TcxSizeFrame::ApplyFrameRegion()
{
  auto current = MakeOwned<TcxRegion>();
  const bool hasRegion = GetWindowRgn(Handle(), current->Handle()) != ERROR;
  if (hasRegion && current->SameAs(FFrameRegion.get())) return;
  TRegionHandle copy(CreateRectRgn(0, 0, 0, 0));
  CombineRgn(copy.Get(), FFrameRegion->Handle(), nullptr, RGN_COPY);
  // The window owns the region it was given.
  if (SetWindowRgn(Handle(), copy.Get(), TRUE)) copy.Release();
}
