#include "classlib/Streams.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

CL_DEFINE_CLASS(TStream);
CL_DEFINE_CLASS(TCustomMemoryStream);
CL_DEFINE_CLASS(TMemoryStream);
CL_DEFINE_CLASS(THandleStream);
CL_DEFINE_CLASS(TFileStream);
CL_DEFINE_CLASS(TResourceStream);
CL_DEFINE_CLASS(TStringStream);

namespace {

constexpr int32_t MaxChunk = 0xF000;  // bytes moved per Read/Write by the buffered helpers

// The position a seek arrives at, before any range check.
int64_t SeekTarget(int64_t offset, TSeekOrigin origin, int64_t position, int64_t size)
{
  switch (origin) {
    case TSeekOrigin::soBeginning: return offset;
    case TSeekOrigin::soCurrent: return position + offset;
    case TSeekOrigin::soEnd: return size + offset;
  }
  return position;
}

// Bytes left between position and size, at most count (never negative).
int32_t Available(int64_t position, int64_t size, int32_t count)
{
  if (count <= 0 || position < 0 || position >= size) return 0;
  return static_cast<int32_t>(std::min<int64_t>(count, size - position));
}

}  // namespace

// --- TStream ---

void TStream::InvalidPosition(int64_t position)
{
  throw EStreamError("Stream position out of range (" + std::to_string(position) + ")");
}

int64_t TStream::Position() const
{
  // Seeking by nothing leaves the stream as it was.
  return const_cast<TStream*>(this)->Seek(0, TSeekOrigin::soCurrent);
}

int64_t TStream::Size() const
{
  auto* self = const_cast<TStream*>(this);
  int64_t position = self->Seek(0, TSeekOrigin::soCurrent);
  int64_t size = self->Seek(0, TSeekOrigin::soEnd);
  self->Seek(position, TSeekOrigin::soBeginning);
  return size;
}

void TStream::SetSize(int64_t) { throw EStreamError(std::string("A ") + ClassName() + " cannot change its size"); }

void TStream::ReadBuffer(void* buffer, int64_t count)
{
  if (count < 0) throw EReadError("Stream read error");
  auto* p = static_cast<char*>(buffer);
  while (count > 0) {
    int32_t n = Read(p, static_cast<int32_t>(std::min<int64_t>(count, std::numeric_limits<int32_t>::max())));
    if (n <= 0) throw EReadError("Stream read error");
    p += n;
    count -= n;
  }
}

void TStream::WriteBuffer(const void* buffer, int64_t count)
{
  if (count < 0) throw EWriteError("Stream write error");
  auto* p = static_cast<const char*>(buffer);
  while (count > 0) {
    int32_t n = Write(p, static_cast<int32_t>(std::min<int64_t>(count, std::numeric_limits<int32_t>::max())));
    if (n <= 0) throw EWriteError("Stream write error");
    p += n;
    count -= n;
  }
}

int64_t TStream::CopyFrom(TStream& source, int64_t count)
{
  if (count < 0) throw EReadError("Stream read error");
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  int64_t result = count;
  std::string buffer(static_cast<size_t>(std::min<int64_t>(count, MaxChunk)), '\0');
  while (count > 0) {
    int32_t n = static_cast<int32_t>(std::min<int64_t>(count, MaxChunk));
    source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    count -= n;
  }
  return result;
}

// --- TCustomMemoryStream ---

void TCustomMemoryStream::SetPointer(void* memory, int64_t size)
{
  FMemory = static_cast<char*>(memory);
  FSize = size;
}

int32_t TCustomMemoryStream::Read(void* buffer, int32_t count)
{
  int32_t n = Available(FPosition, FSize, count);
  if (n > 0) {
    std::memcpy(buffer, FMemory + FPosition, static_cast<size_t>(n));
    FPosition += n;
  }
  return n;
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
  int64_t target = SeekTarget(offset, origin, FPosition, FSize);
  if (target < 0) InvalidPosition(target);
  FPosition = target;
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) const
{
  if (FSize != 0) stream.WriteBuffer(FMemory, FSize);
}

void TCustomMemoryStream::SaveToFile(const std::string& fileName) const
{
  auto file = MakeOwned<TFileStream>(fileName, fmCreate);
  SaveToStream(*file);
}

// --- TMemoryStream ---

TMemoryStream::~TMemoryStream() { std::free(Memory()); }

void TMemoryStream::SetCapacity(int64_t capacity)
{
  if (capacity < Size()) capacity = Size();
  if (capacity == FCapacity) return;
  if (capacity == 0) {
    std::free(Memory());
    SetPointer(nullptr, 0);
    FCapacity = 0;
    return;
  }
  void* memory = nullptr;
  if (static_cast<uint64_t>(capacity) <= std::numeric_limits<size_t>::max())
    memory = std::realloc(Memory(), static_cast<size_t>(capacity));
  if (!memory) throw EOutOfMemory("Out of memory while expanding memory stream");
  SetPointer(memory, Size());
  FCapacity = capacity;
}

void TMemoryStream::Grow(int64_t needed)
{
  if (needed <= FCapacity) return;
  // Grows by half again at least, so that writing byte by byte stays linear, in 8 KB steps.
  int64_t capacity = std::max(needed, FCapacity + FCapacity / 2);
  capacity = (capacity + 0x1FFF) & ~int64_t(0x1FFF);
  SetCapacity(capacity);
}

void TMemoryStream::SetSize(int64_t size)
{
  if (size < 0) throw EStreamError("Stream size out of range (" + std::to_string(size) + ")");
  int64_t oldSize = Size();
  if (size > FCapacity) SetCapacity(size);
  // New bytes are zero, also where a truncated stream grows again within its capacity.
  if (size > oldSize) std::memset(static_cast<char*>(Memory()) + oldSize, 0, static_cast<size_t>(size - oldSize));
  SetPointer(Memory(), size);
  if (FPosition > size) FPosition = size;
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count)
{
  if (count <= 0) return 0;
  int64_t end = FPosition + count;
  int64_t oldSize = Size();
  if (end > oldSize) {
    Grow(end);
    // A write past the end leaves zeros, not stale memory, in the gap.
    if (FPosition > oldSize)
      std::memset(static_cast<char*>(Memory()) + oldSize, 0, static_cast<size_t>(FPosition - oldSize));
    SetPointer(Memory(), end);
  }
  std::memcpy(static_cast<char*>(Memory()) + FPosition, buffer, static_cast<size_t>(count));
  FPosition = end;
  return count;
}

void TMemoryStream::Clear()
{
  SetPointer(Memory(), 0);
  SetCapacity(0);
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream)
{
  if (&stream == this) return;
  stream.SetPosition(0);
  int64_t count = stream.Size();
  SetSize(count);
  if (count != 0) stream.ReadBuffer(Memory(), count);
}

void TMemoryStream::LoadFromFile(const std::string& fileName)
{
  auto file = MakeOwned<TFileStream>(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(*file);
}

// --- THandleStream ---

int32_t THandleStream::Read(void* buffer, int32_t count)
{
  if (count <= 0) return 0;
  DWORD read = 0;
  if (!ReadFile(FHandle, buffer, static_cast<DWORD>(count), &read, nullptr)) {
    DWORD error = GetLastError();
    // The writer of a pipe went away: that is its end, not a failure.
    if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) return 0;
    throw EReadError("Stream read error. " + SysErrorMessage(error));
  }
  return static_cast<int32_t>(read);
}

int32_t THandleStream::Write(const void* buffer, int32_t count)
{
  if (count <= 0) return 0;
  DWORD written = 0;
  if (!WriteFile(FHandle, buffer, static_cast<DWORD>(count), &written, nullptr))
    throw EWriteError("Stream write error. " + SysErrorMessage(GetLastError()));
  return static_cast<int32_t>(written);
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin)
{
  static constexpr DWORD Methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  LARGE_INTEGER distance, result;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(FHandle, distance, &result, Methods[static_cast<int>(origin)])) {
    DWORD error = GetLastError();
    if (error == ERROR_NEGATIVE_SEEK) {
      LARGE_INTEGER zero{}, current{}, size{};
      SetFilePointerEx(FHandle, zero, &current, FILE_CURRENT);
      GetFileSizeEx(FHandle, &size);
      InvalidPosition(SeekTarget(offset, origin, current.QuadPart, size.QuadPart));
    }
    throw EStreamError("Stream seek error. " + SysErrorMessage(error));
  }
  return result.QuadPart;
}

int64_t THandleStream::Size() const
{
  LARGE_INTEGER size;
  if (GetFileSizeEx(FHandle, &size)) return size.QuadPart;
  return TStream::Size();
}

void THandleStream::SetSize(int64_t size)
{
  if (size < 0) throw EStreamError("Stream size out of range (" + std::to_string(size) + ")");
  int64_t position = Position();
  Seek(size, TSeekOrigin::soBeginning);
  if (!SetEndOfFile(FHandle)) {
    DWORD error = GetLastError();
    Seek(position, TSeekOrigin::soBeginning);
    RaiseLastOSError(error);
  }
  Seek(std::min(position, size), TSeekOrigin::soBeginning);
}

// --- TFileStream ---

namespace {

HANDLE OpenFileHandle(const std::string& fileName, uint16_t mode)
{
  static constexpr DWORD ShareModes[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
  static constexpr DWORD AccessModes[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  bool create = (mode & fmCreate) == fmCreate;
  unsigned share = (mode & 0xF0) >> 4;
  unsigned access = mode & 0x0F;
  HANDLE handle = INVALID_HANDLE_VALUE;
  DWORD error = ERROR_INVALID_PARAMETER;
  if (share < std::size(ShareModes) && (create || access < std::size(AccessModes))) {
    handle = CreateFileA(fileName.c_str(), create ? GENERIC_READ | GENERIC_WRITE : AccessModes[access],
                         ShareModes[share], nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) error = GetLastError();
  }
  if (handle == INVALID_HANDLE_VALUE) {
    std::string reason = SysErrorMessage(error);
    if (create) throw EFCreateError("Cannot create file \"" + fileName + "\". " + reason);
    throw EFOpenError("Cannot open file \"" + fileName + "\". " + reason);
  }
  return handle;
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, uint16_t mode)
    : THandleStream(OpenFileHandle(fileName, mode)), FFileName(fileName)
{
}

TFileStream::~TFileStream() { CloseHandle(FHandle); }

// --- TResourceStream ---

TResourceStream::TResourceStream(HINSTANCE instance, const std::string& resName, LPCSTR resType)
{
  Initialize(instance, resName.c_str(), resType, resName);
}

TResourceStream::TResourceStream(HINSTANCE instance, int resId, LPCSTR resType)
{
  Initialize(instance, MAKEINTRESOURCEA(resId), resType, std::to_string(resId));
}

void TResourceStream::Initialize(HINSTANCE instance, LPCSTR name, LPCSTR resType, const std::string& shownName)
{
  HRSRC info = FindResourceA(instance, name, resType);
  HGLOBAL data = info ? LoadResource(instance, info) : nullptr;
  void* memory = data ? LockResource(data) : nullptr;
  if (!memory) throw EResNotFound("Resource " + shownName + " not found");
  SetPointer(memory, SizeofResource(instance, info));
}

int32_t TResourceStream::Write(const void*, int32_t)
{
  throw EStreamError("Can't write to a read-only resource stream");
}

void TResourceStream::SetSize(int64_t) { throw EStreamError("Can't write to a read-only resource stream"); }

// --- TStringStream ---

int32_t TStringStream::Read(void* buffer, int32_t count)
{
  int32_t n = Available(FPosition, Size(), count);
  if (n > 0) {
    std::memcpy(buffer, FDataString.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
  }
  return n;
}

int32_t TStringStream::Write(const void* buffer, int32_t count)
{
  if (count <= 0) return 0;
  if (static_cast<uint64_t>(FPosition) + static_cast<uint64_t>(count) > FDataString.max_size())
    throw EOutOfMemory("Out of memory while expanding string stream");
  size_t end = static_cast<size_t>(FPosition) + static_cast<size_t>(count);
  // Overwrites in place; only a write past the end grows the string (zeros fill any gap).
  if (end > FDataString.size()) FDataString.resize(end, '\0');
  std::memcpy(FDataString.data() + FPosition, buffer, static_cast<size_t>(count));
  FPosition = static_cast<int64_t>(end);
  return count;
}

int64_t TStringStream::Seek(int64_t offset, TSeekOrigin origin)
{
  int64_t target = SeekTarget(offset, origin, FPosition, Size());
  if (target < 0) InvalidPosition(target);
  FPosition = target;
  return FPosition;
}

void TStringStream::SetSize(int64_t size)
{
  if (size < 0) throw EStreamError("Stream size out of range (" + std::to_string(size) + ")");
  if (static_cast<uint64_t>(size) > FDataString.max_size())
    throw EOutOfMemory("Out of memory while expanding string stream");
  FDataString.resize(static_cast<size_t>(size), '\0');
  FPosition = std::min(FPosition, size);
}

std::string TStringStream::ReadString(int64_t count)
{
  int64_t n = std::max<int64_t>(0, std::min(count, Size() - FPosition));
  std::string result = n > 0 ? FDataString.substr(static_cast<size_t>(FPosition), static_cast<size_t>(n)) : std::string();
  FPosition += n;
  return result;
}

void TStringStream::WriteString(std::string_view text)
{
  WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}
