// Bar shadows: the parts' geometry and alpha gradients, the part windows, and the shadow that keeps
// them round its bar control.
#include "toolkit/bars/dxBarShadow.h"
#include <algorithm>
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/controls/dxFading.h"

namespace {

bool IsEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

void AddPart(std::vector<TdxBarShadowPartInfo>& parts, RECT r, int kind, uint8_t faded)
{
  if (!IsEmptyRect(r)) parts.push_back({r, kind, faded});
}

}  // namespace

std::vector<TdxBarShadowPartInfo> CalcBarShadowParts(const RECT& U, const RECT& L, bool Horizontal, int S)
{
  std::vector<TdxBarShadowPartInfo> parts;
  const bool hasU = !IsEmptyRect(U);
  if (Horizontal) {
    if (hasU) AddPart(parts, {U.right, U.top + S, U.right + S, U.bottom}, dxBarShadowVertStrip, dxBarShadowFadeTop);
    AddPart(parts, {L.left + S, L.bottom, L.right + S, L.bottom + S}, dxBarShadowHorzStrip,
            dxBarShadowFadeLeft | dxBarShadowFadeRight);
    if (hasU) {
      if (U.left + S < L.left)
        AddPart(parts, {U.left + S, U.bottom, L.left, U.bottom + S}, dxBarShadowHorzStrip, dxBarShadowFadeLeft);
      if (L.right < U.right)
        AddPart(parts, {L.right, U.bottom, U.right + S, U.bottom + S}, dxBarShadowHorzStrip, dxBarShadowFadeRight);
    }
    // Right of L: it continues the shadow of a wider U without fading.
    if (!hasU || U.right < L.right)
      AddPart(parts, {L.right, L.top + S, L.right + S, L.bottom}, dxBarShadowVertStrip, dxBarShadowFadeTop);
    else
      AddPart(parts, {L.right, L.top, L.right + S, L.bottom}, dxBarShadowVertStrip, 0);
    return parts;
  }
  AddPart(parts, {L.right, L.top + S, L.right + S, L.bottom}, dxBarShadowVertStrip, dxBarShadowFadeTop);
  if (U.top + S < L.top)
    AddPart(parts, {U.right, U.top + S, U.right + S, L.top}, dxBarShadowVertStrip, dxBarShadowFadeTop);
  if (L.bottom < U.bottom) {
    AddPart(parts, {U.left + S, U.bottom, U.right + S, U.bottom + S}, dxBarShadowHorzStrip,
            dxBarShadowFadeLeft | dxBarShadowFadeRight);
    AddPart(parts, {U.right, L.bottom, U.right + S, U.bottom}, dxBarShadowVertStrip, 0);
  } else {
    AddPart(parts, {U.left + S, U.bottom, U.right, U.bottom + S}, dxBarShadowHorzStrip, dxBarShadowFadeLeft);
  }
  if (U.bottom < L.bottom)
    AddPart(parts, {L.left + S, L.bottom, L.right + S, L.bottom + S}, dxBarShadowHorzStrip,
            dxBarShadowFadeLeft | dxBarShadowFadeRight);
  else
    AddPart(parts, {L.left, L.bottom, L.right + S, L.bottom + S}, dxBarShadowHorzStrip, dxBarShadowFadeRight);
  return parts;
}

std::vector<uint8_t> CalcBarShadowPartAlphas(int Width, int Height, int Kind, uint8_t FadedEnds, int S)
{
  std::vector<uint8_t> alphas(static_cast<size_t>(std::max(Width, 0)) * std::max(Height, 0), 0);
  auto at = [&](int x, int y) -> uint8_t& { return alphas[static_cast<size_t>(y) * Width + x]; };
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) at(x, y) = static_cast<uint8_t>(15 * (Kind == dxBarShadowHorzStrip ? Height - y : Width - x));
  // Each faded end scales the S by S square at that end by (d + 1) / (S + 1), d counting from the end.
  auto fade = [&](int x, int y, int d) {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return;
    at(x, y) = static_cast<uint8_t>(MulDiv(at(x, y), d + 1, S + 1));
  };
  for (int d = 0; d < S; ++d)
    for (int k = 0; k < S; ++k) {
      if (FadedEnds & dxBarShadowFadeLeft) fade(d, k, d);
      if (FadedEnds & dxBarShadowFadeRight) fade(Width - 1 - d, k, d);
      if (FadedEnds & dxBarShadowFadeTop) fade(k, d, d);
    }
  return alphas;
}

// --- Parts ---

CL_MESSAGE_MAP(TdxBarShadowPart, {WM_NCHITTEST, &TdxBarShadowPart::WMNCHitTest},
               {WM_ERASEBKGND, &TdxBarShadowPart::WMEraseBkgnd}, {WM_PAINT, &TdxBarShadowPart::WMPaint});
CL_DEFINE_CLASS(TdxBarShadowPart);

TdxBarShadowPart::TdxBarShadowPart(TdxBarShadow* Shadow, const TdxBarShadowPartInfo& Info)
    : TCustomControl(nullptr), FShadow(Shadow), FInfo(Info), FImage(MakeOwned<TcxBitmap32>())
{
  SetVisible(false);
}

void TdxBarShadowPart::CreateParams(TCreateParams& params)
{
  TCustomControl::CreateParams(params);
  params.Style = WS_POPUP;
  // A layered part is also transparent to input, so that clicks pass through it to whatever window
  // is below, also one of another thread.
  params.ExStyle = TdxBarShadow::UsesLayeredParts() ? WS_EX_LAYERED | WS_EX_TRANSPARENT : 0;
  HWND owner = FShadow->Owner() && FShadow->Owner()->HandleAllocated() ? FShadow->Owner()->Handle() : nullptr;
  if (owner && (GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOPMOST)) params.ExStyle |= WS_EX_TOPMOST;
  params.WndParent = owner;
  params.WindowClass.style = 0;
}

bool TdxBarShadowPart::CanShow() const
{
  if (FInfo.FadedEnds == 0) return true;
  const int s = FShadow->ShadowWidth();
  return Width() >= s && Height() >= s;
}

void TdxBarShadowPart::UpdateImage()
{
  if (!CanShow()) return;
  const int w = Width(), h = Height();
  FImage->SetSize(w, h);
  const std::vector<uint8_t> alphas = CalcBarShadowPartAlphas(w, h, FInfo.Kind, FInfo.FadedEnds, FShadow->ShadowWidth());
  // Black with the alpha: premultiplied, the colour bytes stay 0. The bitmap keeps its bottom row first.
  TRGBColors pixels(static_cast<size_t>(w) * h, RGBQUAD{0, 0, 0, 0});
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels[static_cast<size_t>(h - 1 - y) * w + x].rgbReserved = alphas[static_cast<size_t>(y) * w + x];
  FImage->WritePixels(pixels);
}

void TdxBarShadowPart::Show()
{
  if (!CanShow()) return;
  HWND wnd = Handle();
  if (TdxBarShadow::UsesLayeredParts() && dxUpdateLayeredWindow) {
    SIZE size{Width(), Height()};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    dxUpdateLayeredWindow(wnd, nullptr, nullptr, &size, FImage->Canvas()->Handle(), &source, 0, &blend, ULW_ALPHA);
    FImage->Dormant();
  }
  HWND owner = FShadow->Owner() && FShadow->Owner()->HandleAllocated() ? FShadow->Owner()->Handle() : HWND_TOP;
  SetWindowPos(wnd, owner, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
}

void TdxBarShadowPart::Hide()
{
  if (!HandleAllocated()) return;
  ShowWindow(Handle(), SW_HIDE);
  DestroyHandle();
}

void TdxBarShadowPart::SetBoundsRect(const RECT& R)
{
  SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
  UpdateImage();
  if (FShadow->Visible()) Show();
}

void TdxBarShadowPart::WMNCHitTest(TMessage& msg) { msg.Result = HTTRANSPARENT; }
void TdxBarShadowPart::WMEraseBkgnd(TMessage& msg) { msg.Result = 0; }

void TdxBarShadowPart::WMPaint(TMessage& msg)
{
  PAINTSTRUCT ps;
  BeginPaint(Handle(), &ps);
  EndPaint(Handle(), &ps);
  msg.Result = 0;
}

// --- The shadow ---

CL_DEFINE_CLASS(TdxBarShadow);

TdxBarShadow::TdxBarShadow(TWinControl* Owner) : FOwner(Owner) {}
TdxBarShadow::~TdxBarShadow() { FreeParts(); }

bool TdxBarShadow::UsesLayeredParts() { return dxUpdateLayeredWindow != nullptr && dxGetScreenColorDepth() > 8; }
int TdxBarShadow::ShadowWidth() const { return UsesLayeredParts() ? 4 : 2; }

void TdxBarShadow::SetBounds(const RECT& OwnerItemRect, const RECT& ControlRect)
{
  const RECT& o = OwnerItemRect;
  const RECT& c = ControlRect;
  const bool noOwner = IsEmptyRect(o);
  FHorizontal = noOwner || o.bottom == c.top || o.top == c.bottom;
  // Afterwards the first rect (U) is the upper (or left) one, the second (L) the lower (or right).
  const bool swap = !noOwner && ((FHorizontal && o.top == c.bottom) || (!FHorizontal && o.left == c.right));
  FOwnerItemRect = noOwner ? RECT{} : (swap ? c : o);
  FControlRect = swap ? o : c;
  RebuildParts();
}

void TdxBarShadow::ShowParts(bool Show)
{
  if (FVisible == Show) return;
  FVisible = Show;
  for (auto& part : FParts)
    if (part) {
      if (Show)
        part->Show();
      else
        part->Hide();
    }
}

void TdxBarShadow::RebuildParts()
{
  FreeParts();
  BuildParts();
}

void TdxBarShadow::FreeParts()
{
  for (auto& part : FParts) part.reset();
}

void TdxBarShadow::BuildParts()
{
  const std::vector<TdxBarShadowPartInfo> infos = CalcBarShadowParts(FOwnerItemRect, FControlRect, FHorizontal, ShadowWidth());
  for (size_t i = 0; i < infos.size() && i < FParts.size(); ++i) {
    FParts[i] = MakeOwned<TdxBarShadowPart>(this, infos[i]);
    FParts[i]->SetBoundsRect(infos[i].Bounds);
  }
}
