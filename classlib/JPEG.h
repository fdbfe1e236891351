#pragma once
// TJPEGImage: a JPEG picture over libjpeg.
//
// The image keeps the JPEG data it was loaded from (or compressed to) and a decoded 24-bit bitmap.
// Loading decodes at once, so corrupt or truncated data fails there: EInvalidGraphic "JPEG image is
// not valid (<libjpeg's reason>)", and the image is empty afterwards; decoding stops at the first
// sign of corruption, and a progressive file of more than 500 scans is refused. A header that
// declares more than MaxPixels pixels (the picture readers' one cap, MaxPicturePixels) is refused
// before anything is allocated for it, and a bitmap that cannot be allocated fails the same way:
// EInvalidGraphic "JPEG image is too large (...)". Saving writes the JPEG data;
// an image made from a bitmap is compressed first with CompressionQuality (1..100, 90 unless set),
// in grey when Grayscale is set. Grayscale also decodes the data in grey.
//
// The picture registry offers the class for "jpg" and "jpeg" files. Stored forms keep the data as a
// 32-bit length followed by the JPEG bytes.
#include <cstdint>
#include <memory>
#include <string>
#include "classlib/Bitmap.h"
#include "classlib/Graphic.h"

class TJPEGImage : public TGraphic {
  CL_CLASS(TJPEGImage, TGraphic)
public:
  TJPEGImage();
  ~TJPEGImage() override;
  // From another JPEG image (its data and settings), a bitmap (compressed on the next save), or
  // nullptr (empty).
  void Assign(TPersistent* source) override;

  // The size of the decoded bitmap, so that it stays true when the bitmap is changed through Bitmap().
  bool Empty() const override { return !FBitmap || FBitmap->Empty(); }
  int Width() const override { return FBitmap ? FBitmap->Width() : 0; }
  int Height() const override { return FBitmap ? FBitmap->Height() : 0; }
  // The size of a JPEG image cannot be changed: EInvalidGraphicOperation.
  void SetWidth(int value) override;
  void SetHeight(int value) override;
  void SetSize(int width, int height) override;

  // The JPEG file from the stream's position to its end.
  void LoadFromStream(TStream& stream) override;
  // The most pixels a picture may declare: its 24-bit bitmap then takes at most 192 MiB.
  static constexpr uint64_t MaxPixels = MaxPicturePixels;
  void SaveToStream(TStream& stream) override;

  int CompressionQuality() const { return FCompressionQuality; }
  // Values outside 1..100 are brought into it; used by the next compression.
  void SetCompressionQuality(int value);
  bool Grayscale() const { return FGrayscale; }
  // Decodes the data again (in grey or in colour); the next compression follows it too.
  void SetGrayscale(bool value);

  // Compresses the bitmap into new JPEG data with the current quality and grayscale settings.
  void Compress();
  // The decoded image (a 24-bit bitmap owned by the JPEG image; empty when the image is).
  TBitmap* Bitmap();
  // The JPEG data, compressing the bitmap first when it has none.
  const std::string& Data();

protected:
  void AssignTo(TPersistent* dest) override;
  void Draw(TCanvas* canvas, const RECT& rect) override;
  void ReadData(TStream& stream) override;
  void WriteData(TStream& stream) override;

private:
  // Decodes data into a new bitmap; raises EInvalidGraphic for data libjpeg cannot read.
  TOwned<TBitmap> Decode(const std::string& data) const;
  // Takes the data as the picture (raising for data that cannot be decoded, which leaves it empty)
  // and tells the image's users.
  void LoadData(std::string data);
  void Clear();

  std::string FData;
  TOwned<TBitmap> FBitmap;
  int FCompressionQuality = 90;
  bool FGrayscale = false;
};
