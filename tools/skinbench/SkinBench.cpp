#include "SkinBench.h"

#include <vector>

#include "TzubSkinEngine.h"
#include "TzubSkinWindow.h"

namespace skinbench {

bool CountsFollowHandles(std::string& Why) {
  const ObjectCount before = CountObjects();
  std::vector<HBRUSH> brushes;
  for (int i = 0; i < 5; ++i) brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
  std::vector<HWND> windows;
  for (int i = 0; i < 2; ++i)
    windows.push_back(CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  std::vector<HMENU> menus;
  for (int i = 0; i < 3; ++i) menus.push_back(CreatePopupMenu());
  const ObjectCount during = CountObjects();
  for (HBRUSH b : brushes) DeleteObject(b);
  for (HWND w : windows) DestroyWindow(w);
  for (HMENU m : menus) DestroyMenu(m);
  const ObjectCount after = CountObjects();
  if (during.gdi - before.gdi != 5 || during.user - before.user != 5 || after.gdi != before.gdi ||
      after.user != before.user) {
    Why = "5 brushes, 2 windows and 3 menus counted as GDI " + std::to_string(before.gdi) + " -> " +
          std::to_string(during.gdi) + " -> " + std::to_string(after.gdi) + ", USER " + std::to_string(before.user) +
          " -> " + std::to_string(during.user) + " -> " + std::to_string(after.user);
    return false;
  }
  return true;
}

double NowMs() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

double TimeRepaints(HWND Window, int Count) {
  PumpMessages();
  const double start = NowMs();
  for (int i = 0; i < Count; ++i) {
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();  // what the painting posted is part of it
  }
  GdiFlush();
  return NowMs() - start;
}

void NonClientActivity(HWND Window, int Count) {
  RECT wr;
  GetWindowRect(Window, &wr);
  // The title bar's row with the most caption-button hits, the middle of the top 40 lines else.
  int row = wr.top + 10, best = -1;
  for (int y = wr.top + 1; y < wr.top + 40 && y < wr.bottom; ++y) {
    int hits = 0;
    for (int x = wr.left; x < wr.right; ++x) {
      const LRESULT ht = SendMessageA(Window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
      if (ht == HTCLOSE || ht == HTMINBUTTON || ht == HTMAXBUTTON || ht == HTHELP) ++hits;
    }
    if (hits > best) best = hits, row = y;
  }
  const int width = wr.right - wr.left;
  for (int i = 0; i < Count; ++i) {
    // 97 is prime to most widths: the sweep visits every column over the rounds.
    const int x = wr.left + 2 + (i * 97) % (width > 4 ? width - 4 : 1);
    SetCursorPos(x, row);
    const LPARAM at = MAKELPARAM(x, row);
    const LRESULT ht = SendMessageA(Window, WM_NCHITTEST, 0, at);
    SendMessageA(Window, WM_SETCURSOR, reinterpret_cast<WPARAM>(Window), MAKELPARAM(ht, WM_MOUSEMOVE));
    SendMessageA(Window, WM_NCMOUSEMOVE, static_cast<WPARAM>(ht), at);
    if (i % 10 == 9)
      RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
  }
  SetCursorPos(wr.left + width / 2, wr.bottom + 40);
  SendMessageA(Window, WM_NCMOUSELEAVE, 0, 0);
  PumpMessages();
}

namespace {
TzubSkinWindow* InactiveSkinWindow(HWND Handle, bool IsDialog, TzubSkinEngine* Engine) {
  if (Engine && Engine->Active()) Engine->SetActive(false);
  return NewSkinWindow(Handle, IsDialog, Engine);
}
}  // namespace

void StartInactive() { SkinWindowFactory = &InactiveSkinWindow; }

}  // namespace skinbench
