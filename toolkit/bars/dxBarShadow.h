#pragma once
// The drop shadow of a bar control that draws a border line (menus, popups): up to five small popup
// windows round the control's window, also round the item it was opened from when the two are
// joined. With layered windows they are per-pixel alpha black gradients ShadowWidth pixels wide;
// without them (no UpdateLayeredWindow, or a screen of 8 bits per pixel or less) they are 2-pixel
// windows that paint nothing. Every part lets the mouse through to the window below.
#include <array>
#include <cstdint>
#include <vector>
#include "classlib/Controls.h"
#include "classlib/Win.h"
#include "toolkit/base/cxGraphicsBitmaps.h"

class TdxBarShadow;

// Kinds of parts: a strip below a rect, or a strip right of a rect.
constexpr int dxBarShadowHorzStrip = 0;
constexpr int dxBarShadowVertStrip = 1;
// Faded ends of a part: the left and right ends of a horizontal strip, the top end of a vertical one.
constexpr uint8_t dxBarShadowFadeLeft = 1;
constexpr uint8_t dxBarShadowFadeRight = 2;
constexpr uint8_t dxBarShadowFadeTop = 4;

// Where one part goes and how it looks.
struct TdxBarShadowPartInfo {
  RECT Bounds{};
  int Kind = dxBarShadowHorzStrip;
  uint8_t FadedEnds = 0;
  bool operator==(const TdxBarShadowPartInfo& other) const
  {
    return EqualRect(&Bounds, &other.Bounds) && Kind == other.Kind && FadedEnds == other.FadedEnds;
  }
};

// The parts round the upper (or left) rect U and the lower (or right) rect L of a shadow of width S,
// in creation order; U may be empty. Horizontal: U lies above L (or is empty); else U lies left of L.
std::vector<TdxBarShadowPartInfo> CalcBarShadowParts(const RECT& U, const RECT& L, bool Horizontal, int S);
// The alpha of every pixel of a part, top row first: 15 × the distance from the part's far edge,
// faded over the S by S square at each faded end.
std::vector<uint8_t> CalcBarShadowPartAlphas(int Width, int Height, int Kind, uint8_t FadedEnds, int S);

class TdxBarShadowPart : public TCustomControl {
  CL_CLASS(TdxBarShadowPart, TCustomControl)
public:
  TdxBarShadowPart(TdxBarShadow* Shadow, const TdxBarShadowPartInfo& Info);

  const TdxBarShadowPartInfo& Info() const { return FInfo; }
  TcxBitmap32* Image() const { return FImage.get(); }
  // A part without faded ends always; one with faded ends only when at least S by S.
  bool CanShow() const;
  void UpdateImage();
  void Show();
  void Hide();
  // Places the part, rebuilds its image and shows it when the shadow is visible.
  void SetBoundsRect(const RECT& R);

protected:
  void CreateParams(TCreateParams& params) override;

private:
  void WMNCHitTest(TMessage& msg);
  void WMEraseBkgnd(TMessage& msg);
  void WMPaint(TMessage& msg);

  TdxBarShadow* FShadow;
  TdxBarShadowPartInfo FInfo;
  TOwned<TcxBitmap32> FImage;
};

class TdxBarShadow : public TObject {
  CL_CLASS(TdxBarShadow, TObject)
public:
  // The owner is the bar control whose window the parts surround and stay behind.
  explicit TdxBarShadow(TWinControl* Owner);
  ~TdxBarShadow() override;

  TWinControl* Owner() const { return FOwner; }
  // Screen rects; the owner-item rect may be empty. Orders them and rebuilds the parts.
  void SetBounds(const RECT& OwnerItemRect, const RECT& ControlRect);
  // Shows or hides every part on a change.
  void ShowParts(bool Show);
  void RebuildParts();
  bool Visible() const { return FVisible; }
  bool Horizontal() const { return FHorizontal; }
  // 4 with layered parts, else 2.
  int ShadowWidth() const;
  // UpdateLayeredWindow is there and the screen has more than 8 bits per pixel.
  static bool UsesLayeredParts();
  // The part in a slot (0 to 4), nullptr where none was made.
  TdxBarShadowPart* Parts(int Index) const { return FParts[Index].get(); }

private:
  void FreeParts();
  void BuildParts();

  TWinControl* FOwner;
  RECT FOwnerItemRect{};
  RECT FControlRect{};
  bool FHorizontal = true;
  bool FVisible = false;
  std::array<TOwned<TdxBarShadowPart>, 5> FParts;
};
