// The GDI and USER objects this process holds, for the skin benchmark and the tests that check what
// a program gives back.
#pragma once

#include <windows.h>

// GetGuiResources where the platform counts; where it answers 0 (Wine), GDI objects are the entries
// the GDI handle table accepts by their 16-bit index, and USER objects are the process's windows plus
// the menus and icons the USER handle table accepts by index.
struct ObjectCount {
  long gdi = 0;
  long user = 0;
  bool byPlatform = false;
};

namespace object_count {

inline long GdiByIndex() {
  long n = 0;
  for (ULONG_PTR i = 1; i <= 0xFFFF; ++i)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++n;
  return n;
}

struct WindowTally {
  DWORD pid;
  long n;
};

inline BOOL CALLBACK TallyChild(HWND Wnd, LPARAM Param) {
  auto* t = reinterpret_cast<WindowTally*>(Param);
  DWORD pid = 0;
  GetWindowThreadProcessId(Wnd, &pid);
  if (pid == t->pid) ++t->n;
  return TRUE;
}

inline BOOL CALLBACK TallyTop(HWND Wnd, LPARAM Param) {
  TallyChild(Wnd, Param);
  EnumChildWindows(Wnd, TallyChild, Param);  // every descendant, not only the children
  return TRUE;
}

inline long UserByIndex() {
  WindowTally t{GetCurrentProcessId(), 0};
  EnumWindows(TallyTop, reinterpret_cast<LPARAM>(&t));
  for (HWND w = nullptr; (w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr));) TallyTop(w, reinterpret_cast<LPARAM>(&t));
  // Menus and icons: USER handles are even values from 0x20.
  for (ULONG_PTR i = 0x20; i <= 0xFFFF; i += 2) {
    HANDLE h = reinterpret_cast<HANDLE>(i);
    if (IsMenu(static_cast<HMENU>(h))) {
      ++t.n;
      continue;
    }
    ICONINFO info;
    if (GetIconInfo(static_cast<HICON>(h), &info)) {
      ++t.n;
      if (info.hbmMask) DeleteObject(info.hbmMask);
      if (info.hbmColor) DeleteObject(info.hbmColor);
    }
  }
  return t.n;
}

}  // namespace object_count

inline ObjectCount CountObjects() {
  ObjectCount c;
  c.gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  c.user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
  c.byPlatform = c.gdi > 0 && c.user > 0;
  if (!c.byPlatform) {
    c.gdi = object_count::GdiByIndex();
    c.user = object_count::UserByIndex();
  }
  return c;
}
