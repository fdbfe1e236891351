#pragma once
// Streams: sequential and random access to bytes in memory, in files, behind Win32 handles, in
// resources and in strings. Sizes and positions are 64-bit; a single Read or Write moves at most
// 2 GB, ReadBuffer/WriteBuffer and CopyFrom move any amount.
//
// Streams are TObjects with no overridable code in construction or destruction, so they can live
// on the stack as well as through New/Free and TOwned.
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include "classlib/Object.h"

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

// Modes of TFileStream: one access mode (or fmCreate) combined with one share mode.
constexpr uint16_t fmCreate = 0xFF00;  // create or truncate, open for reading and writing
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;     // as fmShareExclusive
constexpr uint16_t fmShareExclusive = 0x0010;  // others may neither read nor write
constexpr uint16_t fmShareDenyWrite = 0x0020;  // others may read
constexpr uint16_t fmShareDenyRead = 0x0030;   // others may write
constexpr uint16_t fmShareDenyNone = 0x0040;   // others may read and write

class TStream : public TObject {
  CL_CLASS(TStream, TObject)
public:
  // Reads or writes up to count bytes at the position and moves it on; returns the bytes moved
  // (0 at the end of the stream, or for count <= 0).
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  // Moves the position and returns the new one. Raises EStreamError for a position before the start.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() const;
  void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
  virtual int64_t Size() const;
  // Grows (new bytes are zero) or truncates; the position stays, cut back to the new end.
  // The plain stream cannot be resized and raises EStreamError.
  virtual void SetSize(int64_t size);

  // Read or write exactly count bytes, else raise EReadError "Stream read error" /
  // EWriteError "Stream write error".
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies count bytes from source's position, or with count 0 all of source from its start.
  // Returns the bytes copied.
  int64_t CopyFrom(TStream& source, int64_t count);

protected:
  [[noreturn]] static void InvalidPosition(int64_t position);
};

// A stream over a block of memory that the derived class provides with SetPointer.
class TCustomMemoryStream : public TStream {
  CL_CLASS(TCustomMemoryStream, TStream)
public:
  int32_t Read(void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() const override { return FSize; }
  void* Memory() const { return FMemory; }
  // Writes the whole block, whatever the position.
  void SaveToStream(TStream& stream) const;
  void SaveToFile(const std::string& fileName) const;

protected:
  void SetPointer(void* memory, int64_t size);
  int64_t FPosition = 0;

private:
  char* FMemory = nullptr;
  int64_t FSize = 0;
};

// A growable block of memory of its own.
class TMemoryStream : public TCustomMemoryStream {
  CL_CLASS(TMemoryStream, TCustomMemoryStream)
public:
  TMemoryStream() = default;
  ~TMemoryStream() override;

  int32_t Write(const void* buffer, int32_t count) override;
  void SetSize(int64_t size) override;
  int64_t Capacity() const { return FCapacity; }
  // Raises EOutOfMemory "Out of memory while expanding memory stream" when it cannot grow.
  void SetCapacity(int64_t capacity);
  // Empties the stream and releases its memory.
  void Clear();
  // Replaces the contents with all of stream (from its start) / the file.
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);

private:
  void Grow(int64_t needed);
  int64_t FCapacity = 0;
};

// A stream over a Win32 file (or pipe, device) handle, which it does not close. Failures of the
// system calls raise: EReadError / EWriteError with the system's message, EStreamError for seeks.
class THandleStream : public TStream {
  CL_CLASS(THandleStream, TStream)
public:
  // Exactly a HANDLE: any other pointer converts to one, and a component pointer must not make this
  // class look like a component to its class record.
  explicit THandleStream(std::same_as<HANDLE> auto handle) : FHandle(handle) {}

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() const override;
  void SetSize(int64_t size) override;
  HANDLE Handle() const { return FHandle; }

protected:
  HANDLE FHandle;
};

// A file opened by name. Raises EFCreateError "Cannot create file "<name>". <reason>" or
// EFOpenError "Cannot open file "<name>". <reason>" when the file cannot be had.
class TFileStream : public THandleStream {
  CL_CLASS(TFileStream, THandleStream)
public:
  TFileStream(const std::string& fileName, uint16_t mode);
  ~TFileStream() override;
  const std::string& FileName() const { return FFileName; }

private:
  std::string FFileName;
};

// A read-only stream over a resource of a module. Raises EResNotFound "Resource <name> not found";
// writing or resizing raises EStreamError "Can't write to a read-only resource stream".
class TResourceStream : public TCustomMemoryStream {
  CL_CLASS(TResourceStream, TCustomMemoryStream)
public:
  TResourceStream(HINSTANCE instance, const std::string& resName, LPCSTR resType);
  TResourceStream(HINSTANCE instance, int resId, LPCSTR resType);

  int32_t Write(const void* buffer, int32_t count) override;
  void SetSize(int64_t size) override;

private:
  void Initialize(HINSTANCE instance, LPCSTR name, LPCSTR resType, const std::string& shownName);
};

// A stream over a string of bytes, readable as DataString.
class TStringStream : public TStream {
  CL_CLASS(TStringStream, TStream)
public:
  TStringStream() = default;
  explicit TStringStream(std::string data) : FDataString(std::move(data)) {}

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() const override { return static_cast<int64_t>(FDataString.size()); }
  void SetSize(int64_t size) override;

  const std::string& DataString() const { return FDataString; }
  // Reads up to count bytes from the position; writes text at the position (overwriting, growing).
  std::string ReadString(int64_t count);
  void WriteString(std::string_view text);

private:
  std::string FDataString;
  int64_t FPosition = 0;
};
