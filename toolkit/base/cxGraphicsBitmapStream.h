#pragma once
// The block-compressed stored form of a bitmap's data ("XDBM" stream).
//
// Layout, little-endian, from the start of the data:
//   0   4  body size S (signed), the bytes that follow the header
//   4   4  "XDBM"
//   8   2  version: 2 when written; 1 and 2 are read
//   10  S  body
// Body of version 2: block size B (1 to 4 bytes), remainder Q = plain length mod B, the first Q plain
// bytes as they are, then runs over the remaining blocks. Version 1: runs only, B = 1.
// A run is a control byte K and data: N = K & 0x7F blocks (1 to 125); with bit 0x80 set N blocks
// follow as they are (literal), otherwise one block follows and stands for N copies (repeat).
//
// The plain data packed is a class-library bitmap's own stored data (a 32-bit length and the bitmap
// file). Data whose bytes 4 to 7 are not "XDBM" is plain.
//
// Reading trusts nothing: a stream whose header, remainder or runs reach past the body or the stream
// raises EInvalidGraphic "Compressed bitmap data is not valid" and never reads or writes out of
// bounds.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class TStream;
class TBitmap;

constexpr uint8_t cxBitmapStreamSignature[4] = {'X', 'D', 'B', 'M'};
constexpr uint16_t cxBitmapStreamVersion = 2;
constexpr int cxBitmapStreamHeaderSize = 10;
constexpr int cxBitmapStreamMaxRun = 125;

// Bytes per block for a bitmap: its bits per pixel div 8, at least 1.
int BitmapStreamBlockSize(TBitmap* bitmap);

// Packs data (a whole number of blocks; a trailing part block is ignored) into runs.
std::vector<uint8_t> PackBitmapStreamRuns(std::span<const uint8_t> data, int blockSize);
// Unpacks runs, appending to output; raises when a run reaches past the data.
void UnpackBitmapStreamRuns(std::span<const uint8_t> runs, int blockSize, std::vector<uint8_t>& output);

// Writes header and version-2 body of the plain data at the stream's position; the position ends
// after the body.
void WriteCompressedBitmapData(TStream& stream, std::span<const uint8_t> plain, int blockSize);
// Reads compressed data at the stream's position and answers the plain data, leaving the position
// after the body. When the data there is not compressed (no signature), answers nullopt and leaves
// the position where it was.
std::optional<std::vector<uint8_t>> ReadCompressedBitmapData(TStream& stream);
