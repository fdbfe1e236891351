#include "tests/app/TempFolder.h"

#include <stdexcept>
#include "classlib/FileUtils.h"

TTempFolder::TTempFolder(std::string_view name)
{
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  FPath = ExcludeTrailingPathDelimiter(temp) + "\\" + std::string(name) + "-" +
          std::to_string(GetCurrentProcessId());
  RemoveTree(FPath);
  if (!ForceDirectories(FPath)) throw std::runtime_error("cannot create " + FPath);
}

TTempFolder::~TTempFolder() { RemoveTree(FPath); }

std::string TTempFolder::Write(std::string_view relative, std::string_view bytes) const
{
  std::string path = *this / relative;
  ForceDirectories(ExtractFileDir(path));
  HANDLE h =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  return path;
}

std::string TTempFolder::MakeFolder(std::string_view relative, DWORD attributes) const
{
  std::string path = *this / relative;
  ForceDirectories(path);
  if (attributes) SetFileAttributesA(path.c_str(), attributes);
  return path;
}

void RemoveTree(const std::string& path)
{
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((path + "\\*").c_str(), &data);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileA(child.c_str());
    } while (FindNextFileA(h, &data));
    FindClose(h);
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(path.c_str());
}
