// The platform under the tests: a real window answers a message sent to it.
#include <windows.h>
#include <gtest/gtest.h>

namespace {
LRESULT CALLBACK EchoProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP) return static_cast<LRESULT>(wp * 2 + lp);
  return DefWindowProcA(wnd, msg, wp, lp);
}
}  // namespace

TEST(Win32Smoke, WindowAnswersSentMessage) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = EchoProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "SmokeEcho";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND wnd = CreateWindowA("SmokeEcho", "smoke", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           wc.hInstance, nullptr);
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(SendMessageA(wnd, WM_APP, 20, 2), 42);
  char text[16] = {};
  GetWindowTextA(wnd, text, sizeof text);
  EXPECT_STREQ(text, "smoke");
  DestroyWindow(wnd);
}
