// A skin that cannot be loaded leaves a program starting and working with the platform's look,
// and no temporary skin file is left behind; a skin whose entries share data loads.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "E2E.h"
#include "Forms.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinFile.h"
#include "ZUBSkinMessages.h"

using namespace e2e;

namespace {

// The regular files named ZUBSKNT*.zub in Folder.
std::vector<std::string> TempSkins(const std::string& Folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((Folder + "ZUBSKNT*.zub").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
  } while (FindNextFileA(h, &data));
  FindClose(h);
  return names;
}

}  // namespace

TEST(SkinRobust, ALauncherWhoseSkinCannotBeLoadedStartsAndWorksPlain) {
  const std::string writable = FreshFolder("temp");
  const std::string withFolder = FreshFolder("folder");
  CreateDirectoryA((withFolder + "ZUBSKNT.zub").c_str(), nullptr);
  const struct {
    const char* what;
    const char* exe;
    std::string temp;
    bool skinned;
  } cases[] = {
      {"the skin as built", "Hallvex.exe", writable, true},
      {"a temporary folder that does not exist", "Hallvex.exe", "C:\\no such folder\\", false},
      {"a folder named ZUBSKNT.zub in the temporary folder", "Hallvex.exe", withFolder, true},
      {"a corrupt stored skin", "HallvexBrokenSkin.exe", writable, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Program program(c.exe, c.temp);
    HWND wnd = program.Window();
    ASSERT_NE(wnd, nullptr) << "no window shown";
    EXPECT_EQ(Ask(wnd, ZM_ISSKINNED), c.skinned ? 1 : 0);
    EXPECT_EQ(HasRegion(wnd), c.skinned);
    // The platform's frame when plain: a caption of its own.
    if (!c.skinned) {
      EXPECT_TRUE(GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CAPTION);
    }
    EXPECT_EQ(program.Close(wnd), 0u) << "ends normally";
    EXPECT_TRUE(TempSkins(c.temp).empty()) << "a temporary skin file was left behind";
  }
  RemoveDirectoryA((withFolder + "ZUBSKNT.zub").c_str());
  RemoveDirectoryA(withFolder.c_str());
  RemoveDirectoryA(writable.c_str());
}

TEST(SkinRobust, ASkinWhoseEntriesShareOneDataBlockLoads) {
  std::ifstream in(SKIN_FILE, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  const zubskin::SkinParseResult parsed = zubskin::ParseSkinFile(bytes);
  ASSERT_TRUE(parsed.ok) << parsed.error;
  // Two images of one size: the second is pointed at the first one's data.
  const zubskin::SkinChainEntry *first = nullptr, *second = nullptr;
  for (size_t i = 0; i < parsed.chain.size() && !second; ++i)
    for (size_t j = i + 1; j < parsed.chain.size() && !second; ++j)
      if (parsed.chain[i].kind == zubskin::ekData && parsed.chain[j].kind == zubskin::ekData &&
          parsed.chain[i].dataSize == parsed.chain[j].dataSize)
        first = &parsed.chain[i], second = &parsed.chain[j];
  ASSERT_NE(second, nullptr);
  auto put32 = [&](uint32_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) bytes[at + k] = uint8_t(v >> (8 * k));
  };
  put32(second->headerOffset + 65, first->dataOffset);
  put32(second->headerOffset + 69, first->dataSize);
  const std::string path = FreshFolder("shared") + "shared.zub";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());

  TForm* form = Create<TForm>(nullptr, true);
  TzubSkinEngine* engine = Create<TzubSkinEngine>(form);
  engine->SetSkinFile(path);
  EXPECT_TRUE(engine->Ready());
  EXPECT_EQ(engine->SkinFile(), path);
  TBitmap a, b;
  EXPECT_TRUE(engine->GetSkinBitmap(first->name, &a));
  EXPECT_TRUE(engine->GetSkinBitmap(second->name, &b));
  EXPECT_EQ(a.Width(), b.Width());
  EXPECT_EQ(a.Height(), b.Height());
  EXPECT_GT(engine->FTitleBarHeight, 0);
  form->Free();
  DeleteFileA(path.c_str());
}
