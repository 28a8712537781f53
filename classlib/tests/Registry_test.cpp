#include "Registry.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const char kTestKey[] = "Software\\SuiteTest";

bool KeyExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// HKEY_CURRENT_USER\Software\SuiteTest of the test's own prefix, filled afresh for every test.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
              ERROR_SUCCESS);
    SetValue("Owner", REG_SZ, "Test Owner", 11);
    SetValue("Path", REG_EXPAND_SZ, "%SystemRoot%\\x", 15);
    SetValue("Empty", REG_SZ, "", 1);
    SetValue("Unterminated", REG_SZ, "abc", 3);
    DWORD number = 7;
    SetValue("Count", REG_DWORD, &number, sizeof number);
    SetValue("Blob", REG_BINARY, "\x01\x02", 2);
    SetValue("List", REG_MULTI_SZ, "a\0b\0", 5);
    HKEY sub = nullptr;
    ASSERT_EQ(RegCreateKeyExA(key_, "Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(sub, "Inner", 0, REG_SZ, reinterpret_cast<const BYTE*>("deep"), 5), ERROR_SUCCESS);
    RegCloseKey(sub);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
  }
  void SetValue(const char* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS) << name;
  }
  HKEY key_ = nullptr;
};
}  // namespace

TEST_F(RegistryTest, DefaultsAreTheCurrentUserWithFullAccess) {
  TRegistry registry;
  EXPECT_EQ(registry.RootKey(), HKEY_CURRENT_USER);
  EXPECT_EQ(registry.Access(), static_cast<REGSAM>(KEY_ALL_ACCESS));
  EXPECT_EQ(registry.CurrentKey(), nullptr);
  EXPECT_EQ(registry.ClassName(), "TRegistry");
}

TEST_F(RegistryTest, ReadStringGivesStringValuesAndEmptyForMissingOnes) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("\\Software\\SuiteTest", false));
  struct Case {
    const char* name;
    const char* text;
  } cases[] = {
      {"Owner", "Test Owner"},  {"Path", "%SystemRoot%\\x"}, {"Empty", ""},
      {"Unterminated", "abc"},    {"Missing", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(registry.ReadString(c.name), c.text) << c.name;
  EXPECT_TRUE(registry.ValueExists("Owner"));
  EXPECT_TRUE(registry.ValueExists("Count"));
  EXPECT_FALSE(registry.ValueExists("Missing"));
}

TEST_F(RegistryTest, ValueOfAnotherTypeRaises) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kTestKey, false));
  for (const char* name : {"Count", "Blob", "List"}) {
    try {
      registry.ReadString(name);
      ADD_FAILURE() << name << " read as a string";
    } catch (const ERegistryException& e) {
      EXPECT_EQ(e.Message(), std::string("Invalid data type for '") + name + "'");
      EXPECT_EQ(e.ClassName(), "ERegistryException");
    }
  }
}

TEST_F(RegistryTest, KeyThatCannotBeOpenedGivesFalseAndKeepsTheOpenKey) {
  TRegistry registry;
  EXPECT_FALSE(registry.OpenKey("\\Software\\SuiteTest\\Missing", false));
  EXPECT_EQ(registry.CurrentKey(), nullptr);
  EXPECT_EQ(registry.ReadString("Owner"), "");
  EXPECT_FALSE(registry.ValueExists("Owner"));

  ASSERT_TRUE(registry.OpenKey("\\Software\\SuiteTest", false));
  HKEY open = registry.CurrentKey();
  EXPECT_FALSE(registry.OpenKey("Missing", false));
  EXPECT_EQ(registry.CurrentKey(), open);
  EXPECT_EQ(registry.CurrentPath(), kTestKey);
  EXPECT_FALSE(KeyExists("Software\\SuiteTest\\Missing"));
}

TEST_F(RegistryTest, OnlyCanCreateCreatesAKey) {
  TRegistry registry;
  EXPECT_FALSE(registry.OpenKey("\\Software\\SuiteTest\\New", false));
  EXPECT_FALSE(registry.OpenKeyReadOnly("\\Software\\SuiteTest\\New"));
  EXPECT_FALSE(KeyExists("Software\\SuiteTest\\New"));
  EXPECT_TRUE(registry.OpenKey("\\Software\\SuiteTest\\New", true));
  EXPECT_TRUE(KeyExists("Software\\SuiteTest\\New"));
  EXPECT_EQ(registry.CurrentPath(), "Software\\SuiteTest\\New");
}

TEST_F(RegistryTest, KeyWithoutBackslashIsBelowTheOpenKey) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("Software\\SuiteTest", false));  // none open: from the root
  ASSERT_TRUE(registry.OpenKey("Sub", false));
  EXPECT_EQ(registry.CurrentPath(), "Software\\SuiteTest\\Sub");
  EXPECT_EQ(registry.ReadString("Inner"), "deep");
  EXPECT_FALSE(registry.OpenKey("Software\\SuiteTest", false));  // not below Sub
  ASSERT_TRUE(registry.OpenKey("\\Software\\SuiteTest", false));
  EXPECT_EQ(registry.ReadString("Owner"), "Test Owner");
}

TEST_F(RegistryTest, AnotherRootClosesTheOpenKey) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kTestKey, false));
  registry.SetRootKey(HKEY_CURRENT_USER);
  EXPECT_NE(registry.CurrentKey(), nullptr);
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(registry.CurrentKey(), nullptr);
  EXPECT_EQ(registry.CurrentPath(), "");
  EXPECT_EQ(registry.ReadString("Owner"), "");
  EXPECT_FALSE(registry.OpenKey("Software\\SuiteTest", false));  // now looked for under the machine
}

TEST_F(RegistryTest, KeyIsOpenedWithTheAccessAskedFor) {
  auto canWrite = [](HKEY key) {
    return RegSetValueExA(key, "Written", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2) == ERROR_SUCCESS;
  };
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kTestKey, false));
  EXPECT_TRUE(canWrite(registry.CurrentKey()));
  ASSERT_TRUE(registry.OpenKeyReadOnly("\\Software\\SuiteTest"));
  EXPECT_FALSE(canWrite(registry.CurrentKey()));
  EXPECT_EQ(registry.ReadString("Owner"), "Test Owner");
  EXPECT_EQ(registry.Access(), static_cast<REGSAM>(KEY_ALL_ACCESS));

  TRegistry reader(KEY_READ);
  ASSERT_TRUE(reader.OpenKey(kTestKey, false));
  EXPECT_FALSE(canWrite(reader.CurrentKey()));
}
