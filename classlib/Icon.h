#pragma once
// TIcon: an icon (HICON) with the icon file format as its stream form. An icon file may hold several
// images; the one nearest the system's icon size (highest colour depth among equals) becomes the
// icon. The file as loaded is kept, so saving writes it back unchanged; an icon that came from a
// handle is saved as a one-image file made from it.
#include <cstdint>
#include <string>
#include <vector>
#include "classlib/Graphic.h"

class TIcon : public TGraphic {
  CL_CLASS(TIcon, TGraphic)
public:
  TIcon();
  ~TIcon() override;
  // From another icon (a copy), or nullptr (empty).
  void Assign(TPersistent* source) override;

  bool Empty() const override { return !FHandle; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // An icon's size is its image's: these raise EInvalidGraphicOperation "Cannot change the size of an icon".
  void SetWidth(int value) override;
  void SetHeight(int value) override;
  bool Transparent() const override { return true; }

  HICON Handle() const { return FHandle.Get(); }
  // Takes ownership of an icon (nullptr empties).
  void SetHandle(HICON icon);
  // Gives the icon to the caller; the TIcon is empty afterwards.
  HICON ReleaseHandle();

  // The icon file format. Loading raises EInvalidGraphic "Icon image is not valid" for corrupt or
  // truncated data.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  // An icon resource of a module, at the system's icon size; EResNotFound when there is none.
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);
  void LoadFromResourceID(HINSTANCE instance, int id);

protected:
  void Draw(TCanvas* canvas, const RECT& rect) override;

private:
  void Adopt(TIconHandle icon, std::vector<uint8_t> data);

  TIconHandle FHandle;
  std::vector<uint8_t> FData;  // the icon file it was loaded from; empty for a handle
  int FWidth = 0;
  int FHeight = 0;
};
