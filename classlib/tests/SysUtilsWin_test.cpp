// The file routines on a real (temporary) folder.
#include "SysUtils.h"

#include <gtest/gtest.h>

#include <set>

namespace {
// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
  TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    path_ = Format("%ssysutils_%lu_%lu", base, GetCurrentProcessId(), GetTickCount());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() { Remove(path_); }
  const std::string& Path() const { return path_; }

  std::string AddFile(const std::string& name, DWORD attributes, size_t size = 0) {
    std::string file = path_ + "\\" + name;
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string content(size, 'x');
    DWORD written = 0;
    if (size) WriteFile(h, content.data(), static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(h);
    SetFileAttributesA(file.c_str(), attributes);
    return file;
  }

private:
  static void Remove(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        std::string full = folder + "\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          Remove(full);
        } else {
          SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileA(full.c_str());
        }
      } while (FindNextFileA(h, &data));
      ::FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
  }
  std::string path_;
};

std::set<std::string> Search(const std::string& pattern, int mask) {
  std::set<std::string> names;
  TSearchRec rec;
  for (int found = FindFirst(pattern, mask, rec); found == 0; found = FindNext(rec)) names.insert(rec.Name);
  FindClose(rec);
  return names;
}

TEST(FindFirst, MaskDecidesWhichHiddenSystemAndFolderEntriesAreReturned) {
  TempFolder dir;
  dir.AddFile("plain.vob", FILE_ATTRIBUTE_NORMAL);
  dir.AddFile("readonly.vob", FILE_ATTRIBUTE_READONLY);
  dir.AddFile("archived.vob", FILE_ATTRIBUTE_ARCHIVE);
  dir.AddFile("hidden.vob", FILE_ATTRIBUTE_HIDDEN);
  dir.AddFile("system.vob", FILE_ATTRIBUTE_SYSTEM);
  dir.AddFile("other.txt", FILE_ATTRIBUTE_NORMAL);
  CreateDirectoryA((dir.Path() + "\\x.vob").c_str(), nullptr);
  const std::string pattern = dir.Path() + "\\*.vob";

  using Names = std::set<std::string>;
  EXPECT_EQ(Search(pattern, faReadOnly | faHidden | faSysFile | faArchive),
            (Names{"plain.vob", "readonly.vob", "archived.vob", "hidden.vob", "system.vob"}));
  EXPECT_EQ(Search(pattern, 0), (Names{"plain.vob", "readonly.vob", "archived.vob"}));
  EXPECT_EQ(Search(pattern, faHidden), (Names{"plain.vob", "readonly.vob", "archived.vob", "hidden.vob"}));
  EXPECT_EQ(Search(pattern, faDirectory), (Names{"plain.vob", "readonly.vob", "archived.vob", "x.vob"}));
  EXPECT_EQ(Search(pattern, faAnyFile).size(), 6u);
}

TEST(FindFirst, ReportsSizeAttributesAndTheEnd) {
  TempFolder dir;
  dir.AddFile("VTS_01_1.VOB", FILE_ATTRIBUTE_HIDDEN, 1234);
  TSearchRec rec;
  ASSERT_EQ(FindFirst(dir.Path() + "\\*.vob", 39, rec), 0);
  EXPECT_EQ(rec.Name, "VTS_01_1.VOB");
  EXPECT_EQ(rec.Size, 1234);
  EXPECT_TRUE(rec.Attr & faHidden);
  EXPECT_EQ(FindNext(rec), ERROR_NO_MORE_FILES);
  FindClose(rec);
  EXPECT_EQ(FindNext(rec), ERROR_NO_MORE_FILES);  // after the close too
}

TEST(FindFirst, FailsWithTheErrorCodeWhenNothingMatches) {
  TempFolder dir;
  dir.AddFile("hidden.vob", FILE_ATTRIBUTE_HIDDEN);
  TSearchRec rec;
  EXPECT_NE(FindFirst(dir.Path() + "\\*.vob", 0, rec), 0);  // only an excluded entry
  EXPECT_EQ(rec.FindHandle, INVALID_HANDLE_VALUE);
  EXPECT_NE(FindFirst(dir.Path() + "\\missing\\*.vob", 39, rec), 0);
}

TEST(ChDir, ChangesTheCurrentFolderOrRaisesEInOutError) {
  TempFolder dir;
  const std::string before = GetCurrentDir();
  ChDir(dir.Path());
  EXPECT_TRUE(DirectoryExists(GetCurrentDir()));
  EXPECT_EQ(LowerCase(GetCurrentDir()), LowerCase(dir.Path()));
  try {
    ChDir(dir.Path() + "\\missing");
    ADD_FAILURE() << "no exception";
  } catch (const EInOutError& e) {
    EXPECT_TRUE(e.ErrorCode() == ERROR_FILE_NOT_FOUND || e.ErrorCode() == ERROR_PATH_NOT_FOUND) << e.ErrorCode();
    EXPECT_EQ(e.ClassName(), "EInOutError");
  }
  EXPECT_EQ(LowerCase(GetCurrentDir()), LowerCase(dir.Path()));  // unchanged by the failure
  ChDir(before);
}

TEST(FileExists, TellsFilesFromFoldersAndDeletes) {
  TempFolder dir;
  std::string file = dir.AddFile("a.txt", FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(dir.Path()));
  EXPECT_TRUE(DirectoryExists(dir.Path()));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_TRUE(DeleteFile(file));
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(DeleteFile(file));
}
}  // namespace

TEST(Platform, Win32PlatformNamesTheFamilyGetVersionExReports) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExA(&info));
  EXPECT_EQ(Win32Platform, static_cast<int>(info.dwPlatformId));
  EXPECT_TRUE(Win32Platform == 1 || Win32Platform == 2);
}
