// File names (double-byte aware), folders and directory search over a small fixture tree.
#include <gtest/gtest.h>
#include <algorithm>
#include <set>
#include <vector>
#include "classlib/DateTime.h"
#include "classlib/FileUtils.h"

// 誠 is D5 5C and 乗 is 81 5C in code page 936: their second byte is the byte of '\'.
TEST(FileNames, SecondByteBackslashIsNotADelimiter)
{
  ASSERT_EQ(std::string("誠乗"), "\xD5\x5C\x81\x5C");
  struct Case {
    const char* Name;
    const char* Path;
    const char* Dir;
    const char* FileName;
    const char* Ext;
  };
  const Case cases[] = {
      {"C:\\誠\\乗.txt", "C:\\誠\\", "C:\\誠", "乗.txt", ".txt"},
      {"C:\\誠", "C:\\", "C:\\", "誠", ""},
      {"C:\\a.b\\乗", "C:\\a.b\\", "C:\\a.b", "乗", ""},
      {"誠\\a", "誠\\", "誠", "a", ""},
      {"誠", "", "", "誠", ""},
      {"誠.txt", "", "", "誠.txt", ".txt"},
      {"C:\\dir\\name.tar.gz", "C:\\dir\\", "C:\\dir", "name.tar.gz", ".gz"},
      {"C:name.txt", "C:", "C:", "name.txt", ".txt"},
      {"\\name", "\\", "\\", "name", ""},
      {"\\\\server\\share\\f", "\\\\server\\share\\", "\\\\server\\share", "f", ""},
      {"C:/unix/style.c", "C:/unix/", "C:/unix", "style.c", ".c"},
      {"C:\\dir\\", "C:\\dir\\", "C:\\dir", "", ""},
      {"C:\\a\\\\b", "C:\\a\\\\", "C:\\a\\\\", "b", ""},
      {"", "", "", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.Name), c.Path) << c.Name;
    EXPECT_EQ(ExtractFileDir(c.Name), c.Dir) << c.Name;
    EXPECT_EQ(ExtractFileName(c.Name), c.FileName) << c.Name;
    EXPECT_EQ(ExtractFileExt(c.Name), c.Ext) << c.Name;
  }
}

TEST(FileNames, ChangeExtAndTrailingDelimiters)
{
  EXPECT_EQ(ChangeFileExt("C:\\誠\\乗", ".doc"), "C:\\誠\\乗.doc");
  EXPECT_EQ(ChangeFileExt("C:\\誠\\乗.txt", ".doc"), "C:\\誠\\乗.doc");
  EXPECT_EQ(ChangeFileExt("C:\\a.b\\c", ".d"), "C:\\a.b\\c.d");
  EXPECT_EQ(ChangeFileExt("a.txt", ""), "a");

  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\誠"), "C:\\誠\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\誠\\"), "C:\\誠\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:/a/"), "C:/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "\\");
  // Cutting the 5C of 誠 would leave a lone lead byte behind.
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\誠"), "C:\\誠");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\誠\\"), "C:\\誠");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\"), "C:");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(""), "");

  EXPECT_TRUE(IsPathDelimiter("a\\", 1));
  EXPECT_FALSE(IsPathDelimiter("誠", 1));
  EXPECT_FALSE(IsPathDelimiter("a", 5));
}

namespace {

// A fresh folder under the temporary folder, removed with everything in it afterwards:
//   a.txt (5 bytes), ro.txt (read-only), hidden.txt (hidden), 誠乗.txt, sub\, sub\inner.txt
class FileTree : public testing::Test {
protected:
  std::string Root;

  void SetUp() override
  {
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    static int counter = 0;
    Root = std::string(temp) + "fu誠" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
    RemoveTree(Root);  // left over from a run that was stopped
    ASSERT_TRUE(CreateDirectoryA(Root.c_str(), nullptr));
    Write("a.txt", "12345");
    Write("ro.txt", "r");
    Write("hidden.txt", "h");
    Write("誠乗.txt", "dbcs");
    ASSERT_TRUE(CreateDirectoryA((Root + "\\sub").c_str(), nullptr));
    Write("sub\\inner.txt", "i");
    ASSERT_TRUE(SetFileAttributesA(Path("ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesA(Path("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(GetFileAttributesA(Path("hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  }

  void TearDown() override { RemoveTree(Root); }

  std::string Path(const std::string& name) const { return Root + "\\" + name; }

  void Write(const std::string& name, const std::string& content)
  {
    HANDLE h = CreateFileA(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
    DWORD written = 0;
    WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
  }

  static void RemoveTree(const std::string& dir)
  {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        const std::string full = dir + "\\" + name;
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full);
        else DeleteFileA(full.c_str());
      } while (FindNextFileA(h, &fd));
      ::FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
  }

  // Every name FindFirst/FindNext report for a pattern and filter, sorted.
  std::vector<std::string> Found(const std::string& pattern, int attr)
  {
    std::vector<std::string> names;
    TSearchRec rec;
    int r = FindFirst(Path(pattern), attr, rec);
    while (r == 0) {
      names.push_back(rec.Name);
      r = FindNext(rec);
    }
    EXPECT_TRUE(r == ERROR_NO_MORE_FILES || r == ERROR_FILE_NOT_FOUND) << r;
    FindClose(rec);
    std::sort(names.begin(), names.end());
    return names;
  }
};

using Names = std::vector<std::string>;

}  // namespace

TEST_F(FileTree, AttributeFilter)
{
  const Names plain = {"a.txt", "ro.txt", "誠乗.txt"};
  EXPECT_EQ(Found("*", 0), plain);  // no folders, no hidden files
  EXPECT_EQ(Found("*", faReadOnly), plain);  // read-only and archive never filter
  EXPECT_EQ(Found("*", faArchive), plain);
  EXPECT_EQ(Found("*", faHidden), (Names{"a.txt", "hidden.txt", "ro.txt", "誠乗.txt"}));
  EXPECT_EQ(Found("*", faDirectory), (Names{".", "..", "a.txt", "ro.txt", "sub", "誠乗.txt"}));
  EXPECT_EQ(Found("*", faAnyFile), (Names{".", "..", "a.txt", "hidden.txt", "ro.txt", "sub", "誠乗.txt"}));
  EXPECT_EQ(Found("*.txt", faAnyFile), (Names{"a.txt", "hidden.txt", "ro.txt", "誠乗.txt"}));
  EXPECT_EQ(Found("sub\\*", 0), Names{"inner.txt"});
  EXPECT_EQ(Found("誠*", 0), Names{"誠乗.txt"});
}

TEST_F(FileTree, SearchRecordFields)
{
  TSearchRec rec;
  ASSERT_EQ(FindFirst(Path("a.txt"), faAnyFile, rec), 0);
  EXPECT_EQ(rec.Name, "a.txt");
  EXPECT_EQ(rec.Size, 5);
  EXPECT_FALSE(rec.Attr & faDirectory);
  EXPECT_EQ(FindNext(rec), ERROR_NO_MORE_FILES);
  FindClose(rec);

  ASSERT_EQ(FindFirst(Path("sub"), faDirectory, rec), 0);
  EXPECT_TRUE(rec.Attr & faDirectory);
  ASSERT_EQ(FindFirst(Path("ro.txt"), 0, rec), 0);  // the earlier search is closed first
  EXPECT_TRUE(rec.Attr & faReadOnly);
  ASSERT_EQ(FindFirst(Path("hidden.txt"), faHidden, rec), 0);
  EXPECT_TRUE(rec.Attr & faHidden);
  FindClose(rec);

  // The write time comes back as the local time it was set to, whatever the time zone.
  SYSTEMTIME st{2021, 3, 4, 4, 5, 6, 8, 0};
  FILETIME local, utc;
  ASSERT_TRUE(SystemTimeToFileTime(&st, &local));
  ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
  HANDLE h = CreateFileA(Path("a.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &utc));
  CloseHandle(h);
  ASSERT_EQ(FindFirst(Path("a.txt"), 0, rec), 0);
  EXPECT_EQ(DateTimeToStr(FileDateToDateTime(rec.Time)), DateTimeToStr(EncodeDate(2021, 3, 4) + EncodeTime(5, 6, 8, 0)));
}

TEST_F(FileTree, FailedSearchesLeaveNoHandleOpen)
{
  TSearchRec rec;
  EXPECT_EQ(FindFirst(Path("*.none"), faAnyFile, rec), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(rec.FindHandle, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FindFirst(Path("nope\\*"), faAnyFile, rec), ERROR_PATH_NOT_FOUND);
  // The only entry is hidden and hidden entries are not asked for: the system found it, the filter
  // did not, and the search is closed.
  EXPECT_EQ(FindFirst(Path("hidden.txt"), 0, rec), ERROR_NO_MORE_FILES);
  EXPECT_EQ(rec.FindHandle, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FindNext(rec), ERROR_INVALID_HANDLE);
  FindClose(rec);
  FindClose(rec);

  // A search handle is a heap block that the system reuses once it is closed: when every search of
  // a round is closed, the rounds keep getting the same few handle values; a leaked search would
  // hold its block and push each round to new ones.
  std::set<HANDLE> seen;
  auto find = [&](const std::string& pattern, int attr, TSearchRec& rec) {
    FindFirst(Path(pattern), attr, rec);
    if (rec.FindHandle != INVALID_HANDLE_VALUE) seen.insert(rec.FindHandle);
  };
  for (int i = 0; i < 40; ++i) {
    TSearchRec a, b;
    find("*", faAnyFile, a);        // left open: the record closes it
    find("*", faAnyFile, b);
    find("sub\\*", faAnyFile, b);   // reused without FindClose
    find("hidden.txt", 0, b);       // filtered to nothing
    find("*.none", 0, b);
    find("*", faAnyFile, b);
    TSearchRec c = std::move(a);    // moved: one owner, one close
    EXPECT_EQ(a.FindHandle, INVALID_HANDLE_VALUE);
    FindClose(a);
  }
  EXPECT_LE(seen.size(), 6u);
}

TEST_F(FileTree, ExistenceAndFolders)
{
  EXPECT_TRUE(FileExists(Path("a.txt")));
  EXPECT_TRUE(FileExists(Path("誠乗.txt")));
  EXPECT_TRUE(FileExists(Path("hidden.txt")));
  EXPECT_FALSE(FileExists(Path("sub")));  // a folder is not a file
  EXPECT_FALSE(FileExists(Path("none")));
  EXPECT_FALSE(FileExists(""));
  EXPECT_TRUE(DirectoryExists(Path("sub")));
  EXPECT_TRUE(DirectoryExists(Root));
  EXPECT_FALSE(DirectoryExists(Path("a.txt")));
  EXPECT_FALSE(DirectoryExists(""));

  const std::string deep = Path("新\\誠\\乗");
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep + "\\"));  // already there
  EXPECT_FALSE(ForceDirectories(Path("a.txt\\x")));  // a file stands in the way
  EXPECT_FALSE(DirectoryExists(Path("a.txt\\x")));
  EXPECT_FALSE(ForceDirectories(""));
}

TEST_F(FileTree, ExpandFileNameAndCurrentDir)
{
  const std::string saved = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDirectoryA(Path("sub").c_str()));
  EXPECT_EQ(GetCurrentDir(), Path("sub"));
  EXPECT_EQ(ExpandFileName("inner.txt"), Path("sub\\inner.txt"));
  EXPECT_EQ(ExpandFileName("..\\誠乗.txt"), Path("誠乗.txt"));
  EXPECT_EQ(ExpandFileName(".\\x\\..\\y"), Path("sub\\y"));
  EXPECT_TRUE(FileExists("inner.txt"));
  SetCurrentDirectoryA(saved.c_str());
}
