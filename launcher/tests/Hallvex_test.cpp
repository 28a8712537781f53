// The program itself: Hallvex.exe copied beside a stand-in converter starts it from its own folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "LaunchFolder.h"
#include "TestLoop.h"

namespace {

struct Find {
  DWORD process;
  HWND found = nullptr;
};

BOOL CALLBACK ByProcess(HWND wnd, LPARAM lp) {
  auto* find = reinterpret_cast<Find*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  char cls[64] = {};
  GetClassNameA(wnd, cls, sizeof cls);
  if (pid != find->process || strcmp(cls, "Tmainform") != 0 || !IsWindowVisible(wnd)) return TRUE;
  find->found = wnd;
  return FALSE;
}

HWND WaitForMainWindow(DWORD process) {
  Find find{process};
  WaitUntil([&] {
    EnumWindows(ByProcess, reinterpret_cast<LPARAM>(&find));
    return find.found != nullptr;
  }, 30000);
  return find.found;
}

TEST(Hallvex, PanelClickStartsTheConverterBesideTheProgramAndClosingEndsIt) {
  TempFolder folder;
  ASSERT_TRUE(CopyFileA((BinFolder() + "Hallvex.exe").c_str(), (folder.Path() + "Hallvex.exe").c_str(), FALSE));
  folder.AddRecorder("Corvale.exe");

  // Started from elsewhere: the folder comes from the program's path, not the current folder.
  std::string commandLine = "\"" + folder.Path() + "Hallvex.exe\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, ExeFolder().c_str(), &si, &pi));
  CloseHandle(pi.hThread);

  HWND main = WaitForMainWindow(pi.dwProcessId);
  ASSERT_NE(main, nullptr);
  HWND panel = FindWindowExA(main, nullptr, nullptr, "3GP Video converter");
  ASSERT_NE(panel, nullptr);
  PostMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));

  const Record r = WaitForRecord(folder.Path() + "Corvale.args");
  EXPECT_NE(r.commandLine.find(folder.Path() + "Corvale.exe"), std::string::npos) << r.commandLine;
  EXPECT_NE(r.commandLine.find("homepagea"), std::string::npos) << r.commandLine;
  EXPECT_EQ(r.folder + "\\", ExeFolder());

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(pi.hProcess);
}

}  // namespace
