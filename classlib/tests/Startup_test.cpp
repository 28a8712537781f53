// The orderly exit of a whole program: units started by level, forms and their components freed
// after the loop, units finished in reverse while the program's static objects still stand.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

// Runs the test program beside this one; its log lines and its exit code.
std::vector<std::string> RunLogged(const std::string& mode, DWORD& exitCode) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder(self);
  folder.resize(folder.find_last_of('\\') + 1);
  const std::string log = folder + "OrderlyExit_" + (mode.empty() ? "normal" : mode) + ".log";
  DeleteFileA(log.c_str());
  std::string command = "\"" + folder + "OrderlyExit_program.exe\" \"" + log + "\" " + mode;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  exitCode = 99;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return {};
  if (WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &exitCode);
  else TerminateProcess(pi.hProcess, 98);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::vector<std::string> lines;
  std::ifstream in(log);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(OrderlyExit, UnitsStartFirstFormsGoBeforeTheUnitsFinishInReverse) {
  const struct {
    const char* mode;
    DWORD exitCode;
    std::vector<std::string> log;
  } cases[] = {
      {"",
       0,
       {"start ZUBSkinUtils", "start ZUBSkinReader", "start ZUBSkinStdWnd", "start ZUBSkinStdCtrl",
        "start ZUBSkinEngine", "application initialised", "loop ended",
        // the application's components, the last created first, each before what it owns; then
        // the application with its window and icon, and the screen, nothing left for static destruction
        "free Form2", "free Skinner2", "free MainForm", "free Engine1", "free Loose", "free Application",
        "free Screen", "finish ZUBSkinEngine, application freed, its window gone, its icon gone, objects given back",
        "finish ZUBSkinStdCtrl", "finish ZUBSkinStdWnd", "finish ZUBSkinReader", "finish ZUBSkinUtils", "exit 0",
        "static destruction"}},
      {"fail",
       1,
       {"start ZUBSkinUtils", "start ZUBSkinReader", "start ZUBSkinStdWnd", "start ZUBSkinStdCtrl",
        "finish ZUBSkinStdWnd", "finish ZUBSkinReader", "finish ZUBSkinUtils",
        "error: control-class table failed", "free Application", "free Screen", "exit 1", "static destruction"}},
  };
  for (const auto& c : cases) {
    DWORD exitCode = 0;
    EXPECT_EQ(RunLogged(c.mode, exitCode), c.log) << c.mode;
    EXPECT_EQ(exitCode, c.exitCode) << c.mode;
  }
}

}  // namespace
