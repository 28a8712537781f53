// The system information component on the test's own Wine prefix.
#include "GameInfo.h"

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <vector>

#include "SysUtils.h"

namespace {

struct FreeComponent {
  void operator()(TObject* obj) const { obj->Free(); }
};
using GameInfoPtr = std::unique_ptr<TGameInfo, FreeComponent>;

GameInfoPtr NewGameInfo() { return GameInfoPtr(Create<TGameInfo>(nullptr)); }

bool KeyExists(HKEY root, const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// A key of the test's own, written with the platform's calls and removed with everything below it.
class TestKey {
 public:
  TestKey(HKEY root, std::string path) : root_(root), path_(std::move(path)) {
    RegDeleteTreeA(root_, path_.c_str());
    RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
  }
  ~TestKey() {
    RegCloseKey(key_);
    RegDeleteTreeA(root_, path_.c_str());
    RegDeleteKeyA(root_, path_.c_str());
  }
  void Set(const char* name, DWORD type, const void* data, DWORD size) {
    RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size);
  }
  void SetString(const char* name, DWORD type, const std::string& text) {
    Set(name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }
  void SetDword(const char* name, DWORD value) { Set(name, REG_DWORD, &value, sizeof(value)); }

 private:
  HKEY root_;
  std::string path_;
  HKEY key_ = nullptr;
};

TEST(TGameInfo, ReportsTheNtFamilyNamesAndFolders) {
  GameInfoPtr info = NewGameInfo();
  EXPECT_EQ(info->OSPlatform(), "Windows NT");
  EXPECT_TRUE(std::regex_match(info->OSVersion(), std::regex(R"(\d+\.\d+ \(\d+\..*\))"))) << info->OSVersion();
  EXPECT_FALSE(info->ComputerName().empty());
  EXPECT_FALSE(info->UserName().empty());
  ASSERT_FALSE(info->WinDir().empty());
  EXPECT_EQ(LowerCase(info->SysDir()).rfind(LowerCase(info->WinDir()) + "\\", 0), 0u) << info->SysDir();
}

TEST(TGameInfo, ReadsTheMachineKeysOfThePrefix) {
  GameInfoPtr info = NewGameInfo();
  // Wine's prefix stores a DirectX version and the processor's vendor.
  EXPECT_FALSE(info->DirectXvs().empty());
  EXPECT_FALSE(info->CPUvendor().empty());
  if (!KeyExists(HKEY_CURRENT_CONFIG, "Display\\Settings")) {
    EXPECT_EQ(info->DispResu(), "");
    EXPECT_EQ(info->BitsPixel(), "");
  }
}

TEST(TGameInfo, NumericValueInTheDisplayKeyReadsAsEmptyWithoutStoppingTheConstructor) {
  TestKey key(HKEY_CURRENT_CONFIG, "Display\\Settings");
  key.SetString("Resolution", REG_SZ, "800,600");
  key.SetDword("BitsPerPixel", 32);
  GameInfoPtr info;
  ASSERT_NO_THROW(info = NewGameInfo());
  EXPECT_EQ(info->DispResu(), "800,600");
  EXPECT_EQ(info->BitsPixel(), "");
  EXPECT_EQ(info->OSPlatform(), "Windows NT");  // the readers before the registry ran as usual
}

TEST(ReadRegistryStrings, ReadsEveryValueAsStringOrEmpty) {
  const char* path = "Software\\SuiteTests\\GameInfo";
  TestKey key(HKEY_CURRENT_USER, path);
  key.SetString("Text", REG_SZ, "Ann");
  key.SetString("Expand", REG_EXPAND_SZ, "%TEMP%\\x");
  key.SetDword("Number", 32);
  const BYTE blob[] = {1, 2, 3};
  key.Set("Blob", REG_BINARY, blob, sizeof(blob));

  struct Case {
    const char* name;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"Text", "Ann"}, {"Expand", "%TEMP%\\x"}, {"Number", ""}, {"Blob", ""}, {"Missing", ""}};
  std::vector<std::string> read(cases.size(), "stale");
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_NO_THROW(ReadRegistryStrings(reg, std::string("\\") + path,
                                      {{"Text", &read[0]},
                                       {"Expand", &read[1]},
                                       {"Number", &read[2]},
                                       {"Blob", &read[3]},
                                       {"Missing", &read[4]}}));
  for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(read[i], cases[i].expected) << cases[i].name;
}

TEST(ReadRegistryStrings, MissingKeyLeavesTheTargetsAndIsNotCreated) {
  const char* path = "Software\\SuiteTests\\NoSuchKey";
  RegDeleteTreeA(HKEY_CURRENT_USER, path);
  std::string value = "kept";
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  ReadRegistryStrings(reg, path, {{"Value", &value}});
  EXPECT_EQ(value, "kept");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, path));
}

TEST(TGameInfo, NumericFiguresFitTheirRange) {
  GameInfoPtr info = NewGameInfo();
  EXPECT_LE(info->dwMemoryLoad(), 100u);
  EXPECT_GT(info->dwTotalPhys(), 0u);
  EXPECT_LE(info->dwAvailPhys(), info->dwTotalPhys());
  EXPECT_LE(info->dwAvailPageFile(), info->dwTotalPageFile());
  EXPECT_LE(info->dwAvailVirtual(), info->dwTotalVirtual());
  // Terabytes of 64-bit user address space lie beyond 32 bits of KB: the largest figure, not wrapped.
  if (sizeof(void*) == 8) {
    EXPECT_EQ(info->dwTotalVirtual(), UINT32_MAX);
  }
  EXPECT_EQ(info->PageSize(), 4096u);
  EXPECT_EQ(info->AllocationGranularity(), 65536u);
  EXPECT_GE(info->NumberOfProcessors(), 1u);
}

TEST(TGameInfo, PublishesItsPropertiesReadOnly) {
  TClass cls = TGameInfo::StaticClass();
  EXPECT_EQ(cls->propCount, 24);
  for (int i = 0; i < cls->propCount; ++i) EXPECT_EQ(cls->props[i].set, nullptr) << cls->props[i].name;
}

}  // namespace
