#pragma once
// File names, folders and directory search. Names are ANSI (code page 936), where the second byte
// of a double-byte character may be 0x5C, the byte of '\': every function here walks names by
// characters, so such a byte is never taken for a path delimiter. Both '\' and '/' delimit, ':'
// ends a drive.
#include <cstdint>
#include <string>
#include <string_view>
#include "classlib/Win.h"

bool FileExists(std::string_view fileName);  // an existing file, not a folder
bool DirectoryExists(std::string_view directory);

// "C:\dir\name.ext": path "C:\dir\", dir "C:\dir", name "name.ext", extension ".ext".
std::string ExtractFilePath(std::string_view fileName);
std::string ExtractFileDir(std::string_view fileName);  // a root keeps its delimiter: "C:\"
std::string ExtractFileName(std::string_view fileName);
std::string ExtractFileExt(std::string_view fileName);  // with the dot; empty when there is none
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);
// True when the byte at `index` is a path delimiter ('\' or '/') and not the second byte of a
// double-byte character.
bool IsPathDelimiter(std::string_view path, size_t index);

// The absolute form of a name relative to the current folder; "." and ".." resolved.
std::string ExpandFileName(std::string_view fileName);
std::string GetCurrentDir();
// Creates a folder and every missing folder above it. True when the folder exists afterwards;
// false for an empty name or when a folder cannot be created (a file stands in the way, no access).
bool ForceDirectories(std::string_view directory);

// Attributes of FindFirst's filter and of TSearchRec::Attr (the Win32 file attribute bits).
constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

// One entry of a directory search. It owns the search handle: FindClose, another FindFirst or the
// end of the record's life releases it. Records can be moved, not copied.
struct TSearchRec {
  int Time = 0;      // last write, local time, in the packed DOS form (FileDateToDateTime reads it)
  int64_t Size = 0;
  int Attr = 0;      // the entry's attributes
  std::string Name;  // name without the folder
  int ExcludeAttr = 0;
  HANDLE FindHandle = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA FindData{};

  TSearchRec() = default;
  TSearchRec(const TSearchRec&) = delete;
  TSearchRec& operator=(const TSearchRec&) = delete;
  TSearchRec(TSearchRec&& other) noexcept;
  TSearchRec& operator=(TSearchRec&& other) noexcept;
  ~TSearchRec();
};

// Finds the first entry matching a path with wildcards ("C:\dir\*.txt"). The entries found are
// ordinary files and those special entries (hidden, system, volume, folder) whose attributes are all
// asked for in `attr`: an entry with any special attribute not in `attr` is skipped. Read-only and
// archive bits never exclude. Returns 0, or the Win32 error code (ERROR_FILE_NOT_FOUND,
// ERROR_NO_MORE_FILES, ERROR_PATH_NOT_FOUND...), in which case no handle is left open.
int FindFirst(std::string_view path, int attr, TSearchRec& rec);
// The next matching entry: 0, or the Win32 error code (ERROR_NO_MORE_FILES at the end).
int FindNext(TSearchRec& rec);
// Ends the search; safe to call any number of times, and after a failed FindFirst.
void FindClose(TSearchRec& rec);
