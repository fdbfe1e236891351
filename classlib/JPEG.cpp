#include "classlib/JPEG.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include "classlib/Canvas.h"
#include "classlib/ReaderWork.h"
#include "classlib/Streams.h"
#include "classlib/Win.h"
// After the Windows headers, so that libjpeg takes their "boolean" (as the library was built).
#include <jerror.h>
#include <jpeglib.h>

CL_DEFINE_CLASS(TJPEGImage);

// ---- libjpeg behind a guard -----------------------------------------------------------------------
//
// libjpeg reports a fatal error by calling error_exit, which must not return. The library is C: a
// C++ exception cannot pass through its frames. So each run of library calls happens inside a small
// function that sets a jump point with __builtin_setjmp; error_exit jumps back to it (the library
// frames in between have nothing to clean up, and the guarded functions hold no objects with
// destructors), the function reports failure, and its C++ caller raises EInvalidGraphic after
// releasing the library's state. A warning about corrupt data (a truncated file, a bad Huffman code)
// is an error too, since it means that part of the picture is made up: decoding stops at the first
// one rather than going on to the end of a file that will be refused. Extraneous bytes between
// markers are tolerated, as they lose nothing.
//
// A progressive file may repeat its scans, each one costing a pass over the whole picture: the
// scans are counted as they are read and a file with more than MaxJpegScans is refused, far above
// the few dozen that encoders write.
namespace {
constexpr int MaxJpegScans = 500;

struct TJpegErrorManager {
  jpeg_error_mgr Public;
  void* JumpBuffer[5];
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr info)
{
  auto* err = reinterpret_cast<TJpegErrorManager*>(info->err);
  (*info->err->format_message)(info, err->Message);
  __builtin_longjmp(err->JumpBuffer, 1);
}

void EmitMessage(j_common_ptr info, int level)
{
  if (level >= 0) return;  // trace messages
  if (info->err->msg_code == JWRN_EXTRANEOUS_DATA) return;
  ErrorExit(info);
}

struct TJpegProgress {
  jpeg_progress_mgr Public;
  int Scan;
};

// Called by the library while it reads: counts the scans of the input and stops past the bound.
void MonitorProgress(j_common_ptr info)
{
  if (!info->is_decompressor) return;
  auto* progress = reinterpret_cast<TJpegProgress*>(info->progress);
  const int scan = reinterpret_cast<j_decompress_ptr>(info)->input_scan_number;
  if (scan == progress->Scan) return;
  CountReaderWork(static_cast<uint64_t>(scan > progress->Scan ? scan - progress->Scan : 1));
  progress->Scan = scan;
  if (scan <= MaxJpegScans) return;
  auto* err = reinterpret_cast<TJpegErrorManager*>(info->err);
  std::snprintf(err->Message, sizeof err->Message, "more than %d scans", MaxJpegScans);
  __builtin_longjmp(err->JumpBuffer, 1);
}

void OutputMessage(j_common_ptr) {}  // nothing goes to standard error

void InitErrorManager(TJpegErrorManager& err)
{
  std::memset(&err, 0, sizeof err);
  jpeg_std_error(&err.Public);
  err.Public.error_exit = ErrorExit;
  err.Public.emit_message = EmitMessage;
  err.Public.output_message = OutputMessage;
}

// ---- Decoding ----

struct TDecodeJob {
  jpeg_decompress_struct Info;
  TJpegErrorManager Err;
  TJpegProgress Progress;
  const unsigned char* Data;
  unsigned long Size;
  bool Grayscale;
  bool Created;
  int Width, Height, Components;
  bool Cmyk;
  bool Inverted;              // CMYK written by Adobe: a byte of 255 means no ink
  unsigned char** Rows;       // Height rows of Width BGR pixels, given between the steps
  unsigned char* Scratch;     // one row of Width * Components bytes when Components is not 3
};

// Reads the header: the declared size and the colours, before anything is allocated for the pixels.
__attribute__((noinline)) bool DecodeHeader(TDecodeJob* job)
{
  if (__builtin_setjmp(job->Err.JumpBuffer)) return false;
  job->Info.err = &job->Err.Public;
  jpeg_create_decompress(&job->Info);
  job->Created = true;
  job->Progress.Public.progress_monitor = MonitorProgress;
  job->Info.progress = &job->Progress.Public;
  jpeg_mem_src(&job->Info, job->Data, job->Size);
  jpeg_read_header(&job->Info, TRUE);
  job->Cmyk = job->Info.jpeg_color_space == JCS_CMYK || job->Info.jpeg_color_space == JCS_YCCK;
  job->Inverted = job->Cmyk && job->Info.saw_Adobe_marker;
  if (job->Grayscale)
    job->Info.out_color_space = JCS_GRAYSCALE;
  else if (job->Cmyk)
    job->Info.out_color_space = JCS_CMYK;
  else
    job->Info.out_color_space = JCS_EXT_BGR;
  job->Width = static_cast<int>(job->Info.image_width);
  job->Height = static_cast<int>(job->Info.image_height);
  return true;
}

__attribute__((noinline)) bool StartDecoding(TDecodeJob* job)
{
  if (__builtin_setjmp(job->Err.JumpBuffer)) return false;
  jpeg_start_decompress(&job->Info);
  job->Width = static_cast<int>(job->Info.output_width);
  job->Height = static_cast<int>(job->Info.output_height);
  job->Components = job->Info.output_components;
  return true;
}

// One decoded row of grey or CMYK samples as BGR pixels.
void ToBgr(const TDecodeJob* job, const unsigned char* in, unsigned char* out)
{
  const int n = job->Components;
  for (int x = 0; x < job->Width; ++x, in += n, out += 3) {
    if (n == 1) {
      out[0] = out[1] = out[2] = in[0];
    } else {
      int c = in[0], m = in[1], ye = in[2], k = in[3];
      if (!job->Inverted) c = 255 - c, m = 255 - m, ye = 255 - ye, k = 255 - k;
      out[2] = static_cast<unsigned char>(c * k / 255);
      out[1] = static_cast<unsigned char>(m * k / 255);
      out[0] = static_cast<unsigned char>(ye * k / 255);
    }
  }
}

__attribute__((noinline)) bool DecodePixels(TDecodeJob* job)
{
  if (__builtin_setjmp(job->Err.JumpBuffer)) return false;
  while (job->Info.output_scanline < job->Info.output_height) {
    unsigned char* out = job->Rows[job->Info.output_scanline];
    JSAMPROW row = job->Components == 3 ? out : job->Scratch;
    if (jpeg_read_scanlines(&job->Info, &row, 1) != 1) ERREXIT(&job->Info, JERR_INPUT_EMPTY);
    if (job->Components != 3) ToBgr(job, job->Scratch, out);
  }
  jpeg_finish_decompress(&job->Info);
  return true;
}

// ---- Encoding ----

// Output into memory of our own (malloc'd, so that the library's callbacks never throw).
struct TEncodeJob {
  jpeg_compress_struct Info;
  TJpegErrorManager Err;
  jpeg_destination_mgr Dest;
  bool Created;
  unsigned char* Buffer;
  size_t Capacity;
  size_t Size;
  int Width, Height, Quality;
  bool Grayscale;
  const unsigned char* Pixels;  // BGR rows, top-down
};

TEncodeJob* JobOf(j_compress_ptr info)
{
  return reinterpret_cast<TEncodeJob*>(reinterpret_cast<char*>(info) - offsetof(TEncodeJob, Info));
}

void InitDestination(j_compress_ptr info)
{
  TEncodeJob* job = JobOf(info);
  job->Capacity = 65536;
  job->Buffer = static_cast<unsigned char*>(std::malloc(job->Capacity));
  if (!job->Buffer) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
  job->Dest.next_output_byte = job->Buffer;
  job->Dest.free_in_buffer = job->Capacity;
}

boolean EmptyOutputBuffer(j_compress_ptr info)
{
  TEncodeJob* job = JobOf(info);
  const size_t old = job->Capacity;
  auto* grown = static_cast<unsigned char*>(std::realloc(job->Buffer, old * 2));
  if (!grown) ERREXIT1(info, JERR_OUT_OF_MEMORY, 1);
  job->Buffer = grown;
  job->Capacity = old * 2;
  job->Dest.next_output_byte = job->Buffer + old;
  job->Dest.free_in_buffer = job->Capacity - old;
  return TRUE;
}

void TermDestination(j_compress_ptr info)
{
  TEncodeJob* job = JobOf(info);
  job->Size = job->Capacity - job->Dest.free_in_buffer;
}

__attribute__((noinline)) bool EncodePixels(TEncodeJob* job)
{
  if (__builtin_setjmp(job->Err.JumpBuffer)) return false;
  job->Info.err = &job->Err.Public;
  jpeg_create_compress(&job->Info);
  job->Created = true;
  job->Dest.init_destination = InitDestination;
  job->Dest.empty_output_buffer = EmptyOutputBuffer;
  job->Dest.term_destination = TermDestination;
  job->Info.dest = &job->Dest;
  job->Info.image_width = static_cast<JDIMENSION>(job->Width);
  job->Info.image_height = static_cast<JDIMENSION>(job->Height);
  job->Info.input_components = 3;
  job->Info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&job->Info);
  if (job->Grayscale) jpeg_set_colorspace(&job->Info, JCS_GRAYSCALE);
  jpeg_set_quality(&job->Info, job->Quality, TRUE);
  jpeg_start_compress(&job->Info, TRUE);
  const size_t stride = static_cast<size_t>(job->Width) * 3;
  while (job->Info.next_scanline < job->Info.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(job->Pixels) + stride * job->Info.next_scanline;
    jpeg_write_scanlines(&job->Info, &row, 1);
  }
  jpeg_finish_compress(&job->Info);
  return true;
}

[[noreturn]] void RaiseInvalid(const char* reason)
{
  throw EInvalidGraphic(std::string("JPEG image is not valid (") + reason + ")");
}

std::string SizeText(uint64_t width, uint64_t height)
{
  return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

// The bitmap's pixels as tight BGR rows, top-down.
std::vector<unsigned char> BgrRows(TBitmap* source)
{
  auto copy = MakeOwned<TBitmap>();
  copy->Assign(source);
  copy->SetPixelFormat(TPixelFormat::pf24bit);
  const int w = copy->Width(), h = copy->Height();
  std::vector<unsigned char> rows(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    std::memcpy(rows.data() + static_cast<size_t>(y) * w * 3, copy->ScanLine(y), static_cast<size_t>(w) * 3);
  return rows;
}
}  // namespace

// ---- TJPEGImage -----------------------------------------------------------------------------------

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

TOwned<TBitmap> TJPEGImage::Decode(const std::string& data) const
{
  auto job = std::make_unique<TDecodeJob>();
  std::memset(static_cast<void*>(job.get()), 0, sizeof(TDecodeJob));
  InitErrorManager(job->Err);
  job->Data = reinterpret_cast<const unsigned char*>(data.data());
  job->Size = static_cast<unsigned long>(data.size());
  job->Grayscale = FGrayscale;
  struct TRelease {
    TDecodeJob* Job;
    ~TRelease()
    {
      if (Job->Created) jpeg_destroy_decompress(&Job->Info);
    }
  } release{job.get()};

  if (!DecodeHeader(job.get())) RaiseInvalid(job->Err.Message);
  // The declared size is refused before any memory is taken for it: a few bytes of header can
  // declare up to 65,500 x 65,500 pixels.
  CheckPictureSize("JPEG", job->Info.image_width, job->Info.image_height);
  if (!StartDecoding(job.get())) RaiseInvalid(job->Err.Message);
  if (job->Width <= 0 || job->Height <= 0 || (job->Components != 1 && job->Components != 3 && job->Components != 4))
    RaiseInvalid("unsupported image layout");

  // The pixels are decoded straight into the bitmap, row by row.
  try {
    auto bitmap = MakeOwned<TBitmap>();
    bitmap->SetPixelFormat(TPixelFormat::pf24bit);
    bitmap->SetSize(job->Width, job->Height);
    std::vector<unsigned char*> rows(static_cast<size_t>(job->Height));
    for (int y = 0; y < job->Height; ++y) rows[static_cast<size_t>(y)] = static_cast<unsigned char*>(bitmap->ScanLine(y));
    std::vector<unsigned char> scratch(job->Components == 3 ? 0 : static_cast<size_t>(job->Width) * job->Components);
    job->Rows = rows.data();
    job->Scratch = scratch.data();
    if (!DecodePixels(job.get())) RaiseInvalid(job->Err.Message);
    return bitmap;
  } catch (const std::bad_alloc&) {
  } catch (const EOutOfMemory&) {
  }
  throw EInvalidGraphic("JPEG image is too large to hold in memory (" + SizeText(job->Width, job->Height) + ")");
}

void TJPEGImage::Clear()
{
  FData.clear();
  FBitmap.reset();
}

void TJPEGImage::LoadData(std::string data)
{
  // The users are told of the change either way: to the new picture, or to an empty one.
  try {
    Clear();
    if (!data.empty()) {
      FBitmap = Decode(data);
      FData = std::move(data);
    }
  } catch (...) {
    Clear();
    Changed(this);
    throw;
  }
  Changed(this);
}

void TJPEGImage::LoadFromStream(TStream& stream)
{
  std::string data = GuardReaderMemory("JPEG data", [&] {
    const int64_t size = std::max<int64_t>(stream.Size() - stream.Position(), 0);
    std::string bytes(static_cast<size_t>(size), '\0');
    stream.ReadBuffer(bytes.data(), size);
    return bytes;
  });
  LoadData(std::move(data));
}

void TJPEGImage::Compress()
{
  if (!FBitmap || FBitmap->Empty()) return;
  std::vector<unsigned char> rows = BgrRows(FBitmap.get());
  auto job = std::make_unique<TEncodeJob>();
  std::memset(static_cast<void*>(job.get()), 0, sizeof(TEncodeJob));
  InitErrorManager(job->Err);
  job->Width = FBitmap->Width();
  job->Height = FBitmap->Height();
  job->Quality = FCompressionQuality;
  job->Grayscale = FGrayscale;
  job->Pixels = rows.data();
  struct TRelease {
    TEncodeJob* Job;
    ~TRelease()
    {
      if (Job->Created) jpeg_destroy_compress(&Job->Info);
      std::free(Job->Buffer);
    }
  } release{job.get()};
  if (!EncodePixels(job.get())) throw EInvalidGraphic(std::string("JPEG compression failed (") + job->Err.Message + ")");
  FData.assign(reinterpret_cast<const char*>(job->Buffer), job->Size);
}

void TJPEGImage::SaveToStream(TStream& stream)
{
  const std::string& data = Data();
  if (!data.empty()) stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

const std::string& TJPEGImage::Data()
{
  if (FData.empty()) Compress();
  return FData;
}

TBitmap* TJPEGImage::Bitmap()
{
  if (!FBitmap) FBitmap = MakeOwned<TBitmap>();
  return FBitmap.get();
}

void TJPEGImage::SetWidth(int value)
{
  if (value != Width()) throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::SetHeight(int value)
{
  if (value != Height()) throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::SetSize(int width, int height)
{
  SetWidth(width);
  SetHeight(height);
}

void TJPEGImage::SetCompressionQuality(int value) { FCompressionQuality = std::clamp(value, 1, 100); }

void TJPEGImage::SetGrayscale(bool value)
{
  if (value == FGrayscale) return;
  FGrayscale = value;
  if (!FData.empty()) {
    // The data decodes again in the new colours; a bitmap without data is compressed first, so that
    // nothing is lost.
    FBitmap = Decode(FData);
  } else if (FBitmap && !FBitmap->Empty() && value) {
    Compress();
    FBitmap = Decode(FData);
  }
  Changed(this);
}

void TJPEGImage::Assign(TPersistent* source)
{
  if (!source) {
    Clear();
    Changed(this);
  } else if (auto* jpeg = dynamic_cast<TJPEGImage*>(source)) {
    if (jpeg == this) return;
    FCompressionQuality = jpeg->FCompressionQuality;
    FGrayscale = jpeg->FGrayscale;
    FData = jpeg->FData;
    FBitmap.reset();
    if (jpeg->FBitmap) {
      FBitmap = MakeOwned<TBitmap>();
      FBitmap->Assign(jpeg->FBitmap.get());
    }
    Changed(this);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
    auto copy = MakeOwned<TBitmap>();
    copy->Assign(bitmap);
    copy->SetPixelFormat(TPixelFormat::pf24bit);
    Clear();
    FBitmap = std::move(copy);
    Changed(this);
  } else {
    TGraphic::Assign(source);
  }
}

void TJPEGImage::AssignTo(TPersistent* dest)
{
  if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
    if (FBitmap)
      bitmap->Assign(FBitmap.get());
    else
      bitmap->Assign(nullptr);
  } else {
    TGraphic::AssignTo(dest);
  }
}

void TJPEGImage::Draw(TCanvas* canvas, const RECT& rect)
{
  if (canvas && FBitmap && !FBitmap->Empty()) canvas->StretchDraw(rect, FBitmap.get());
}

void TJPEGImage::ReadData(TStream& stream)
{
  int32_t size = 0;
  stream.ReadBuffer(&size, sizeof size);
  if (size < 0 || size > stream.Size() - stream.Position()) throw EInvalidGraphic("JPEG image is not valid (truncated data)");
  std::string data(static_cast<size_t>(size), '\0');
  stream.ReadBuffer(data.data(), size);
  LoadData(std::move(data));
}

void TJPEGImage::WriteData(TStream& stream)
{
  const std::string& data = Data();
  const auto size = static_cast<int32_t>(data.size());
  stream.WriteBuffer(&size, sizeof size);
  if (size > 0) stream.WriteBuffer(data.data(), size);
}
