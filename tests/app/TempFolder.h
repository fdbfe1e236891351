#pragma once
// A folder of the test's own under the temporary folder, removed with everything in it at the end.
#include <string>
#include <string_view>
#include "classlib/Win.h"

class TTempFolder {
public:
  explicit TTempFolder(std::string_view name);
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::string& Path() const { return FPath; }
  // Path of a name relative to the folder ("sub\\a.txt").
  std::string operator/(std::string_view relative) const { return FPath + "\\" + std::string(relative); }
  // Writes a file (creating its folders); answers its full path.
  std::string Write(std::string_view relative, std::string_view bytes) const;
  std::string MakeFolder(std::string_view relative, DWORD attributes = 0) const;

private:
  std::string FPath;
};

// Deletes a folder and everything under it (attributes that would prevent it are cleared first).
void RemoveTree(const std::string& path);
