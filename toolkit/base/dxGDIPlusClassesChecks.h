#pragma once
// Picture data checked before GDI+ decodes it.
//
// GDI+ trusts the sizes in the data it is given, and under Wine it decodes the whole picture while
// loading: malformed files crash its decoders, and a few hundred bytes can declare a picture of
// gigabytes. So the data is first recognised by its signature (BMP, PNG, JPEG, GIF, TIFF; anything
// else is refused), its structure is walked as far as the declared sizes (PNG chunks within the
// data and not too many of them, JPEG segments up to the frame header, GIF blocks, TIFF directories),
// and every declared width x height is held to the picture readers' pixel cap. BMP data is read by
// the class library's own reader and handed to GDI+ rewritten in its plainest form.
#include <cstdint>
#include <span>
#include <vector>
#include "toolkit/base/dxGDIPlusClasses.h"

// The format of picture data, checked as above; raises EInvalidGraphic for data that is refused.
TdxImageDataFormat CheckGdipPictureData(std::span<const uint8_t> data);
// BMP data read by the class library's reader and written back as an uncompressed bitmap file with
// an info header, bottom-up rows and a full colour table; raises EInvalidGraphic as that reader does.
std::vector<uint8_t> PlainBitmapFile(std::span<const uint8_t> data);
