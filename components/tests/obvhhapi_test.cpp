// The HTML Help binding: its load rules behind a stand-in loader, then Wine's own engine.
#include "obvhhapi.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "obvhelprouter.h"

namespace {

enum class Module { missing, throws, withoutEntry, complete };

Module module;
int loads;
std::vector<std::string> asked;  // module and entry-point names, in order
std::vector<HMODULE> freed;
std::vector<UINT> engineCommands;
const HMODULE fakeModule = reinterpret_cast<HMODULE>(0x20000);

HWND WINAPI FakeHtmlHelp(HWND, LPCSTR, UINT command, DWORD_PTR) {
  engineCommands.push_back(command);
  return reinterpret_cast<HWND>(2);
}

HMODULE FakeLoad(const char* name) {
  ++loads;
  asked.push_back(name);
  if (module == Module::throws) throw std::runtime_error("loader failed");
  return module == Module::missing ? nullptr : fakeModule;
}
FARPROC FakeFind(HMODULE, const char* name) {
  asked.push_back(name);
  if (module != Module::complete) return nullptr;
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(FakeHtmlHelp));
}
void FakeFree(HMODULE m) { freed.push_back(m); }

class HtmlHelpLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loads = 0;
    asked.clear();
    freed.clear();
    engineCommands.clear();
    previous_ = SetHtmlHelpLoader({FakeLoad, FakeFind, FakeFree});
  }
  void TearDown() override {
    UnloadHtmlHelp();
    SetHtmlHelpLoader(previous_);
  }
  THtmlHelpLoader previous_{};
};

TEST_F(HtmlHelpLoaderTest, FailedLoadIsTriedAgainAndMissingEntryPointIsNot) {
  struct Case {
    const char* name;
    Module module;
    bool loaded;
    bool available;
    int loadsAfterTwoRequests;
  };
  const Case cases[] = {
      {"module missing", Module::missing, false, false, 2},
      {"loader throws", Module::throws, false, false, 2},
      {"no HtmlHelpA", Module::withoutEntry, true, false, 1},
      {"complete", Module::complete, true, true, 1},
  };
  for (const Case& c : cases) {
    UnloadHtmlHelp();
    loads = 0;
    module = c.module;
    EXPECT_EQ(LoadHtmlHelp(), c.loaded) << c.name;
    EXPECT_EQ(IsHtmlHelpLoaded(), c.loaded) << c.name;
    EXPECT_EQ(HtmlHelpAvailable(), c.available) << c.name;
    EXPECT_EQ(loads, c.loadsAfterTwoRequests) << c.name;
  }
}

TEST_F(HtmlHelpLoaderTest, LoadsTheEngineByNameAndFreesIt) {
  module = Module::complete;
  EXPECT_EQ(CallHtmlHelp(nullptr, nullptr, 18, 0), nullptr);  // nothing to call before the load
  ASSERT_TRUE(HtmlHelpAvailable());
  EXPECT_EQ(asked, (std::vector<std::string>{"HHCTRL.OCX", "HtmlHelpA"}));
  EXPECT_EQ(CallHtmlHelp(nullptr, nullptr, 18, 0), reinterpret_cast<HWND>(2));
  EXPECT_EQ(engineCommands, std::vector<UINT>{18});

  UnloadHtmlHelp();
  EXPECT_EQ(freed, std::vector<HMODULE>{fakeModule});
  EXPECT_FALSE(IsHtmlHelpLoaded());
  EXPECT_EQ(CallHtmlHelp(nullptr, nullptr, 18, 0), nullptr);
  EXPECT_EQ(engineCommands.size(), 1u);
  UnloadHtmlHelp();
  EXPECT_EQ(freed.size(), 1u);
}

// ---------------------------------------------------------------------------------------------
// Wine's own engine: requests must come back, whatever they find.

struct FreeObject {
  void operator()(TObject* obj) const { obj->Free(); }
};

BOOL CALLBACK CountVisible(HWND window, LPARAM counter) {
  if (IsWindowVisible(window)) ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

// Visible top-level windows of this thread (the help viewer opens on the calling thread).
int VisibleWindowsOfThisThread() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountVisible, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::string TestFolder() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string exe(path, length);
  return exe.substr(0, exe.find_last_of('\\') + 1);
}

class RealEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    router_.reset(Create<THelpRouter>(nullptr));
    router_->SetHelpType(htHTMLhelp);
  }
  void TearDown() override {
    bool callHelp = true;
    router_->RouteHelp(HELP_QUIT, 0, callHelp);
    router_.reset();
    Application->SetHelpFile("");
  }
  bool Route(uint16_t command, int32_t data) {
    bool callHelp = true;
    bool result = router_->RouteHelp(command, data, callHelp);
    EXPECT_FALSE(callHelp) << command;
    return result;
  }
  std::unique_ptr<THelpRouter, FreeObject> router_;
};

TEST_F(RealEngineTest, MissingHelpFileFindsNothingAndNothingBreaks) {
  ASSERT_TRUE(HtmlHelpAvailable()) << "Wine ships HHCTRL.OCX";
  Application->SetHelpFile("C:\\nowhere\\quorra.chm");
  EXPECT_FALSE(Route(HELP_CONTEXT, 1));
  EXPECT_FALSE(Route(HELP_TAB, 0));
  EXPECT_TRUE(Route(HELP_CONTEXTPOPUP, 5));
  router_->ShowPopup(10, 10, "Plain text", 0);
  Route(HELP_QUIT, 0);
  EXPECT_EQ(VisibleWindowsOfThisThread(), 0);
}

TEST_F(RealEngineTest, CompiledHelpFileOpensItsContentsAndQuitClosesThem) {
  std::string chm = TestFolder() + "help\\quorra.chm";
  if (GetFileAttributesA(chm.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no help compiler at build time";
  Application->SetHelpFile(chm);
  EXPECT_TRUE(router_->ShowHelpContents());
  EXPECT_GT(VisibleWindowsOfThisThread(), 0);
  EXPECT_TRUE(Route(HELP_CONTEXT, 1));
  EXPECT_TRUE(Route(HELP_CONTEXTPOPUP, 5));
  Route(HELP_QUIT, 0);
  EXPECT_EQ(VisibleWindowsOfThisThread(), 0);
}

}  // namespace
