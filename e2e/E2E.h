// The programs as a user runs them: started from their own folder in their own process, looked
// at from outside, driven with real X input (xdotool), photographed.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "ZUBSkinMessages.h"

namespace e2e {

inline std::string BinFolder() {
  char path[MAX_PATH] = {};
  GetEnvironmentVariableA("SUITE_BIN", path, MAX_PATH);
  std::string bin(path);
  if (bin.empty()) return "..\\bin\\";
  if (bin[0] == '/') bin = "Z:" + bin;  // the build's Unix path, through Wine's root drive
  for (char& c : bin)
    if (c == '/') c = '\\';
  return bin + "\\";
}

inline std::string FreshFolder(const std::string& name) {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  const std::string dir = std::string(base) + "e2e_" + name + "_" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

// Waits for Done, polling every 20 ms, at most TimeoutMs.
template <class Condition>
bool WaitFor(Condition&& Done, DWORD TimeoutMs = 20000) {
  const DWORD start = GetTickCount();
  while (!Done()) {
    if (GetTickCount() - start > TimeoutMs) return false;
    Sleep(20);
  }
  return true;
}

// Real X input, one xdotool run per call; returns once xdotool has sent it.
inline void Xdo(const std::string& args) {
  std::string cmd = "Z:\\usr\\bin\\xdotool " + args;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

// What an xdotool run prints, its last line break taken off. Wine hands a Unix program none of
// our handles, so a shell writes it to a file under /tmp.
inline std::string XdoOutput(const std::string& args) {
  const std::string file = "/tmp/e2e_xdo_" + std::to_string(GetCurrentProcessId());
  std::string cmd = "Z:\\bin\\sh -c \"xdotool " + args + " > " + file + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return "";
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::string out;
  std::getline(std::ifstream("Z:" + file), out);
  DeleteFileA(("Z:" + file).c_str());
  return out;
}

// The X server sends the keyboard to Top's X window (Wine keeps its id in a property of the window):
// a key typed now reaches it. The system's activation comes first, the X focus a little later.
inline bool KeysReach(HWND Top) {
  const auto xid = reinterpret_cast<uintptr_t>(GetPropA(Top, "__wine_x11_whole_window"));
  return xid && XdoOutput("getwindowfocus -f") == std::to_string(xid);
}

inline std::string At(POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y); }
inline void MoveTo(POINT p) { Xdo("mousemove " + At(p)); }
inline void ClickAt(POINT p) { Xdo("mousemove " + At(p) + " click 1"); }
inline void Park() { MoveTo({1270, 1010}); }

inline COLORREF Pixel(POINT p) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

inline LRESULT Ask(HWND Wnd, UINT Msg, WPARAM W = 0, LPARAM L = 0) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(Wnd, Msg, W, L, SMTO_ABORTIFHUNG, 5000, &result);
  return static_cast<LRESULT>(result);
}

inline bool HasRegion(HWND Wnd) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(Wnd, rgn);
  DeleteObject(rgn);
  return kind == SIMPLEREGION || kind == COMPLEXREGION;
}

inline std::string ClassOf(HWND Wnd) {
  char cls[64] = "";
  GetClassNameA(Wnd, cls, sizeof cls);
  return cls;
}

inline std::string TextOf(HWND Wnd) {
  char text[256] = "";
  Ask(Wnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

inline RECT RectOf(HWND Wnd) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  return r;
}
inline POINT Center(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
inline void ClickOn(HWND Wnd) { ClickAt(Center(RectOf(Wnd))); }

inline BOOL CALLBACK AddWindow(HWND Wnd, LPARAM List) {
  reinterpret_cast<std::vector<HWND>*>(List)->push_back(Wnd);
  return TRUE;
}

// The child windows of Wnd, every level.
inline std::vector<HWND> Children(HWND Wnd) {
  std::vector<HWND> list;
  EnumChildWindows(Wnd, AddWindow, reinterpret_cast<LPARAM>(&list));
  return list;
}

inline HWND ChildOf(HWND Wnd, const std::string& Class, const std::string& Text = "") {
  for (HWND c : Children(Wnd))
    if (ClassOf(c) == Class && (Text.empty() || TextOf(c) == Text)) return c;
  return nullptr;
}

inline DWORD ProcessOf(HWND Wnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(Wnd, &pid);
  return pid;
}

// Wnd is the foreground window and no shown window of another program lies above it.
inline bool InFront(HWND Wnd) {
  if (GetForegroundWindow() != Wnd) return false;
  for (HWND w = GetWindow(Wnd, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
    if (IsWindowVisible(w) && ProcessOf(w) != ProcessOf(Wnd)) return false;
  return true;
}

// The shown child windows of Wnd of class Class (and text Text, when given), every level, top to
// bottom and then left to right.
inline std::vector<HWND> ChildrenOf(HWND Wnd, const std::string& Class, const std::string& Text = "") {
  std::vector<HWND> found;
  for (HWND c : Children(Wnd))
    if (IsWindowVisible(c) && ClassOf(c) == Class && (Text.empty() || TextOf(c) == Text)) found.push_back(c);
  std::stable_sort(found.begin(), found.end(), [](HWND a, HWND b) {
    const RECT ra = RectOf(a), rb = RectOf(b);
    return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
  });
  return found;
}

// The window that has the keyboard focus in the thread of Wnd.
inline HWND FocusOf(HWND Wnd) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(Wnd, nullptr), &info);
  return info.hwndFocus;
}

// The running processes of the program Exe that the process Parent started.
inline std::vector<DWORD> StartedBy(DWORD Parent, const std::string& Exe) {
  std::vector<DWORD> ids;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snap, &entry); more; more = Process32Next(snap, &entry))
    if (entry.th32ParentProcessID == Parent && _stricmp(entry.szExeFile, Exe.c_str()) == 0)
      ids.push_back(entry.th32ProcessID);
  CloseHandle(snap);
  return ids;
}

// Ends the processes Ids and waits until they are gone.
inline void EndProcesses(const std::vector<DWORD>& Ids) {
  for (DWORD id : Ids) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) continue;
    TerminateProcess(process, 99);
    WaitForSingleObject(process, 20000);
    CloseHandle(process);
  }
}

// A number "  Name = N" at the top level of a form description.
inline int FormValue(const std::string& FormFile, const std::string& Name) {
  std::ifstream in(FormFile);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("  " + Name + " = ", 0) == 0) return std::stoi(line.substr(Name.size() + 5));
  return -1;
}

// A program started from its own folder; ended with its window, or killed at the end of the test.
class Program {
 public:
  // Folder: where the program lies and starts (the build's bin folder when empty).
  explicit Program(const std::string& Exe, const std::string& Temp = "", std::string Folder = "") {
    if (Folder.empty()) Folder = BinFolder();
    std::string env;  // this process's environment, TMP and TEMP replaced when asked
    char* block = GetEnvironmentStringsA();
    for (const char* p = block; *p; p += std::strlen(p) + 1)
      if (Temp.empty() || (_strnicmp(p, "TMP=", 4) != 0 && _strnicmp(p, "TEMP=", 5) != 0)) env.append(p).push_back('\0');
    FreeEnvironmentStringsA(block);
    if (!Temp.empty()) {
      env.append("TMP=" + Temp).push_back('\0');
      env.append("TEMP=" + Temp).push_back('\0');
    }
    env.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    std::string line = "\"" + Folder + Exe + "\"";
    started_ = CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, &env[0], Folder.c_str(), &si, &pi_);
  }
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 99);
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
  }
  DWORD Id() const { return pi_.dwProcessId; }
  // A shown top-level window of the program with a caption, other than Except; null after 20 s.
  HWND Window(HWND Except = nullptr) {
    HWND found = nullptr;
    WaitFor([&] {
      std::vector<HWND> all;
      EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&all));
      for (HWND w : all) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == pi_.dwProcessId && w != Except && IsWindowVisible(w) && GetWindowTextLengthA(w) > 0) found = w;
      }
      return found != nullptr || !started_;
    });
    return found;
  }
  // A shown top-level window of the program of class Class; null after 20 s.
  HWND WindowOfClass(const std::string& Class) {
    HWND found = nullptr;
    WaitFor([&] {
      std::vector<HWND> all;
      EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&all));
      for (HWND w : all) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == pi_.dwProcessId && IsWindowVisible(w) && ClassOf(w) == Class) found = w;
      }
      return found != nullptr || !started_;
    });
    return found;
  }
  // The exit code once the program has ended; STILL_ACTIVE when it does not within 20 s.
  DWORD ExitCode() {
    if (!started_ || WaitForSingleObject(pi_.hProcess, 20000) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }
  // Closes Wnd as its close box would and gives the exit code.
  DWORD Close(HWND Wnd) {
    PostMessageA(Wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    return ExitCode();
  }
  // Ends the program at once, as a task manager does, and gives the exit code.
  DWORD Kill() {
    if (started_) TerminateProcess(pi_.hProcess, 99);
    return ExitCode();
  }

 private:
  PROCESS_INFORMATION pi_{};
  BOOL started_ = FALSE;
};

}  // namespace e2e
