#include "app/FileText.h"

#include <limits>
#include <memory>
#include <new>
#include "classlib/Encoding.h"
#include "classlib/Win.h"

namespace {
struct THandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using TFileHandle = std::unique_ptr<void, THandleCloser>;

// The file's bytes, read in one call; empty when it cannot be opened, sized or read, or when it is
// larger than this process can hold (with room for the two NUL bytes that end the text).
std::string ReadAllBytes(std::string_view path)
{
  std::string name(path);
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  TFileHandle file(h);
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size) || size.QuadPart < 0) return {};
  constexpr uint64_t limit = std::numeric_limits<DWORD>::max() - 2;
  if (static_cast<uint64_t>(size.QuadPart) > limit ||
      static_cast<uint64_t>(size.QuadPart) > std::numeric_limits<size_t>::max() / 2)
    return {};
  std::string bytes;
  try {
    bytes.resize(static_cast<size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return {};
  } catch (const std::length_error&) {
    return {};
  }
  DWORD got = 0;
  if (!bytes.empty() && !ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
    return {};
  bytes.resize(got);
  return bytes;
}
}  // namespace

std::string ReadFileText(std::string_view path)
{
  std::string bytes = ReadAllBytes(path);
  size_t end = bytes.find('\0');
  if (end != std::string::npos) bytes.resize(end);
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
      static_cast<unsigned char>(bytes[1]) == 0xBB) {
    // A whole mark is left out of the text: the ANSI code page has no character for it, and it
    // would show as a stray "?" before the first line. A broken mark still fails the decoding.
    std::string_view content(bytes);
    if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
    std::string text;
    if (!TryUtf8ToAnsi(content, text)) return {};
    return text;
  }
  return bytes;
}
