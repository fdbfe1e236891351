#include "classlib/FileUtils.h"

#include <climits>
#include <utility>
#include <vector>

namespace {

bool IsDelimiterByte(char c) { return c == '\\' || c == '/'; }

// Calls fn(index, byte) for the first byte of every character, walking double-byte characters whole.
template <class F>
void ForEachChar(std::string_view s, F fn)
{
  for (size_t i = 0; i < s.size();) {
    fn(i, s[i]);
    i += IsDBCSLeadByte(static_cast<BYTE>(s[i])) && i + 1 < s.size() && s[i + 1] ? 2 : 1;
  }
}

// Index of the last character that is one of `chars`, or npos.
size_t LastDelimiter(std::string_view s, std::string_view chars)
{
  size_t last = std::string_view::npos;
  ForEachChar(s, [&](size_t i, char c) {
    if (chars.find(c) != std::string_view::npos) last = i;
  });
  return last;
}

constexpr std::string_view kPathDelimiters = "\\/:";

DWORD Attributes(std::string_view name)
{
  if (name.empty()) return INVALID_FILE_ATTRIBUTES;
  return GetFileAttributesA(std::string(name).c_str());
}

}  // namespace

bool FileExists(std::string_view fileName)
{
  const DWORD a = Attributes(fileName);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(std::string_view directory)
{
  const DWORD a = Attributes(directory);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsPathDelimiter(std::string_view path, size_t index)
{
  if (index >= path.size() || !IsDelimiterByte(path[index])) return false;
  bool isCharStart = false;
  ForEachChar(path.substr(0, index + 1), [&](size_t i, char) { isCharStart = i == index; });
  return isCharStart;
}

std::string ExtractFilePath(std::string_view fileName)
{
  const size_t i = LastDelimiter(fileName, kPathDelimiters);
  return i == std::string_view::npos ? std::string() : std::string(fileName.substr(0, i + 1));
}

std::string ExtractFileDir(std::string_view fileName)
{
  size_t i = LastDelimiter(fileName, kPathDelimiters);
  if (i == std::string_view::npos) return {};
  // Drop the delimiter unless it belongs to a root ("C:\", "\") or follows another delimiter.
  if (i > 0 && IsDelimiterByte(fileName[i]) && fileName[i - 1] != ':' && !IsPathDelimiter(fileName, i - 1))
    return std::string(fileName.substr(0, i));
  return std::string(fileName.substr(0, i + 1));
}

std::string ExtractFileName(std::string_view fileName)
{
  const size_t i = LastDelimiter(fileName, kPathDelimiters);
  return std::string(i == std::string_view::npos ? fileName : fileName.substr(i + 1));
}

std::string ExtractFileExt(std::string_view fileName)
{
  const size_t i = LastDelimiter(fileName, ".\\/:");
  if (i == std::string_view::npos || fileName[i] != '.') return {};
  return std::string(fileName.substr(i));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension)
{
  size_t i = LastDelimiter(fileName, ".\\/:");
  if (i == std::string_view::npos || fileName[i] != '.') i = fileName.size();
  return std::string(fileName.substr(0, i)) + std::string(extension);
}

std::string IncludeTrailingPathDelimiter(std::string_view path)
{
  std::string r(path);
  if (r.empty() || !IsPathDelimiter(r, r.size() - 1)) r += '\\';
  return r;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path)
{
  if (!path.empty() && IsPathDelimiter(path, path.size() - 1)) path.remove_suffix(1);
  return std::string(path);
}

std::string ExpandFileName(std::string_view fileName)
{
  if (fileName.empty()) return {};
  const std::string name(fileName);
  std::string buf(MAX_PATH, '\0');
  for (;;) {
    char* filePart = nullptr;
    const DWORD n = GetFullPathNameA(name.c_str(), static_cast<DWORD>(buf.size()), buf.data(), &filePart);
    if (n == 0) return name;
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.assign(n, '\0');
  }
}

std::string GetCurrentDir()
{
  std::string buf(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(buf.size()), buf.data());
    if (n == 0) return {};
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.assign(n, '\0');
  }
}

bool ForceDirectories(std::string_view directory)
{
  if (directory.empty()) return false;
  // Walk up to the nearest folder that exists, then create the missing ones downwards. Each step
  // up is shorter, so the walk ends at a root even for names the system cannot resolve.
  std::vector<std::string> missing;
  std::string dir = ExcludeTrailingPathDelimiter(ExpandFileName(directory));
  while (!DirectoryExists(dir)) {
    missing.push_back(dir);
    std::string parent = ExcludeTrailingPathDelimiter(ExtractFileDir(dir));
    if (parent.empty() || parent.size() >= dir.size()) break;
    dir = std::move(parent);
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    // A folder made meanwhile by someone else counts as made.
    if (!CreateDirectoryA(it->c_str(), nullptr) && !DirectoryExists(*it)) return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Directory search

TSearchRec::TSearchRec(TSearchRec&& other) noexcept
    : Time(other.Time), Size(other.Size), Attr(other.Attr), Name(std::move(other.Name)),
      ExcludeAttr(other.ExcludeAttr), FindHandle(std::exchange(other.FindHandle, INVALID_HANDLE_VALUE)),
      FindData(other.FindData)
{
}

TSearchRec& TSearchRec::operator=(TSearchRec&& other) noexcept
{
  if (this != &other) {
    FindClose(*this);
    Time = other.Time;
    Size = other.Size;
    Attr = other.Attr;
    Name = std::move(other.Name);
    ExcludeAttr = other.ExcludeAttr;
    FindHandle = std::exchange(other.FindHandle, INVALID_HANDLE_VALUE);
    FindData = other.FindData;
  }
  return *this;
}

TSearchRec::~TSearchRec() { FindClose(*this); }

namespace {

// Steps past entries with an excluded attribute, then fills the record from the current entry.
int FindMatchingFile(TSearchRec& rec)
{
  while (rec.FindData.dwFileAttributes & static_cast<DWORD>(rec.ExcludeAttr)) {
    if (!FindNextFileA(rec.FindHandle, &rec.FindData)) return static_cast<int>(GetLastError());
  }
  FILETIME local;
  WORD dosDate = 0, dosTime = 0;
  if (FileTimeToLocalFileTime(&rec.FindData.ftLastWriteTime, &local)) FileTimeToDosDateTime(&local, &dosDate, &dosTime);
  rec.Time = static_cast<int>((static_cast<DWORD>(dosDate) << 16) | dosTime);
  rec.Size = static_cast<int64_t>(rec.FindData.nFileSizeHigh) << 32 | rec.FindData.nFileSizeLow;
  rec.Attr = static_cast<int>(rec.FindData.dwFileAttributes);
  rec.Name = rec.FindData.cFileName;
  return 0;
}

}  // namespace

int FindFirst(std::string_view path, int attr, TSearchRec& rec)
{
  FindClose(rec);  // a record reused without FindClose would leak its handle
  constexpr int special = faHidden | faSysFile | faVolumeID | faDirectory;
  rec.ExcludeAttr = ~attr & special;
  rec.FindHandle = FindFirstFileA(std::string(path).c_str(), &rec.FindData);
  if (rec.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  const int result = FindMatchingFile(rec);
  if (result != 0) FindClose(rec);
  return result;
}

int FindNext(TSearchRec& rec)
{
  if (rec.FindHandle == INVALID_HANDLE_VALUE) return ERROR_INVALID_HANDLE;
  if (!FindNextFileA(rec.FindHandle, &rec.FindData)) return static_cast<int>(GetLastError());
  return FindMatchingFile(rec);
}

void FindClose(TSearchRec& rec)
{
  if (rec.FindHandle != INVALID_HANDLE_VALUE) {
    ::FindClose(rec.FindHandle);
    rec.FindHandle = INVALID_HANDLE_VALUE;
  }
}
