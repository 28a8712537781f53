// The folder rule the launcher finds its converters with.
#include <gtest/gtest.h>

#include "ExtractFolder.h"

namespace {

struct Case {
  const char* path;
  const char* folder;
};

TEST(ExtractFolder, FilePathsGiveTheirFolderAndFolderPathsEndWithABackslash) {
  const Case cases[] = {
      {R"(C:\Apps\Tool.exe)", R"(C:\Apps\)"},          // a file: the folder up to its backslash
      {R"(C:\Apps)", R"(C:\Apps\)"},                   // a folder: backslash appended
      {R"(C:\Apps\)", R"(C:\Apps\)"},                  // already ends with one
      {"Tool.exe", ""},                                // a file name without a folder
      {R"(C:\My.Apps\Tool)", R"(C:\My.Apps\Tool\)"},   // a dot before the last backslash is not seen
      {R"(C:\My.Apps\Tool.exe)", R"(C:\My.Apps\)"},
      {R"(\\server\share\bin\Hallvex.exe)", R"(\\server\share\bin\)"},
      {R"(C:\Apps\archive.tar.gz)", R"(C:\Apps\)"},
      {R"(C:\Apps\.hidden)", R"(C:\Apps\)"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExtractFolder(c.path), c.folder) << c.path;
}

}  // namespace
