#pragma once
// The bitmap file format: reading and checking a BITMAPFILEHEADER, its info header (core, info, v4
// or v5), colour table and pixel rows from a stream, and writing them.
//
// Reading trusts nothing in the file: every size is checked against the others and against the
// bytes the stream holds before anything is allocated or copied, so corrupt or truncated data
// raises EInvalidGraphic "Bitmap image is not valid" and never reads out of bounds. Run-length
// encoded files (RLE8, RLE4) are expanded.
#include <cstdint>
#include <vector>
#include "classlib/GraphicsUtils.h"

class TStream;

// A device-independent image as a bitmap file holds it.
struct TDibData {
  int Width = 0;
  int Height = 0;            // rows, always positive
  int BitCount = 0;          // 1, 4, 8, 16, 24 or 32
  DWORD Compression = BI_RGB;  // BI_RGB, or BI_BITFIELDS when Masks are not the format's standard
  DWORD Masks[3] = {};       // red, green, blue masks of BI_BITFIELDS
  std::vector<RGBQUAD> Colors;  // 2^BitCount entries for 1, 4 and 8 bits; empty otherwise
  std::vector<uint8_t> Bits;    // the rows, bottom row first, each DibStride bytes long
};

// Bytes of one row: whole 32-bit units.
int DibStride(int width, int bitCount);

// Reads a bitmap file from the stream's position; the position ends after the pixel data.
TDibData ReadBitmapFile(TStream& stream);
// Writes a bitmap file (BITMAPINFOHEADER, bottom-up rows) at the stream's position.
void WriteBitmapFile(TStream& stream, const TDibData& dib);
// The BITMAPINFO (header, masks or colour table) that describes dib to CreateDIBSection/GetDIBits.
std::vector<uint8_t> DibInfo(const TDibData& dib);

[[noreturn]] void InvalidBitmap();
