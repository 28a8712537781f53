// Waiting in tests: the calling thread's message loop runs until a condition holds.
#pragma once

#include <windows.h>

#include <algorithm>

// Dispatches messages until Done() holds or TimeoutMs pass; returns whether Done() held.
// Done() is checked after every message, so a test can stop right after the one it waits for.
// Conditions changed by other threads without a message are seen within 10 ms.
template <class Condition>
bool WaitUntil(Condition&& Done, DWORD TimeoutMs = 10000) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (Done()) return true;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= TimeoutMs) return false;
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that owns it
        return Done();
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      continue;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(10, TimeoutMs - elapsed), QS_ALLINPUT);
  }
}
