// The folder of a file path, with and without its trailing backslash.
#include "Pelvardi_filelib.h"

#include <gtest/gtest.h>

namespace {
TEST(FileLib, FolderOfAFilePath) {
  struct {
    const char* path;
    const char* dir;
    const char* filePath;
  } const cases[] = {
      {"C:\\DVD\\VIDEO_TS\\VTS_01_1.VOB", "C:\\DVD\\VIDEO_TS", "C:\\DVD\\VIDEO_TS\\"},
      {"C:\\movie.avi", "C:\\", "C:\\"},
      {"C:\\Program Files\\Tools\\app.exe", "C:\\Program Files\\Tools", "C:\\Program Files\\Tools\\"},
      {"C:\\DVD\\VIDEO_TS", "", ""},
      {"C:\\My.Files\\movie", "", ""},
      {"C:\\DVD\\", "", ""},
      {"movie.avi", "", ""},
      {"\\movie.avi", "", "\\"},
      {"", "", ""},
      {"C:/Videos/clip.avi", "", ""},  // a slash is an ordinary character
      {"\\\\server\\share\\a.exe", "\\\\server\\share", "\\\\server\\share\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetFileDir(c.path), c.dir) << c.path;
    EXPECT_EQ(GetFilePath(c.path), c.filePath) << c.path;
  }
}
}  // namespace
