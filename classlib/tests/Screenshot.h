// Pictures of windows for people: a BMP of a window as the screen shows it, frame included,
// written into the folder the test run names in SUITE_SHOTS (the test script turns them into PNGs).
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

#include "Graphics.h"

inline void SaveScreenshot(HWND wnd, const std::string& name) {
  const char* shots = std::getenv("SUITE_SHOTS");
  if (!shots || !wnd) return;
  // Only a window of this thread repaints before the copy; another program's would show erased.
  if (GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId())
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT r;
  GetWindowRect(wnd, &r);
  TBitmap shot;
  shot.SetSize(r.right - r.left, r.bottom - r.top);
  HDC screen = GetDC(nullptr);
  BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  std::string path = std::string("Z:") + shots + "/" + name + ".bmp";
  for (char& c : path)
    if (c == '/') c = '\\';
  shot.SaveToFile(path);
}
