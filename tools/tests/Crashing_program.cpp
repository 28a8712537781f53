// A test program whose tests fail the hard way, for the wrapper's test (wine-run_test.sh): each is run
// alone by its name. None of them is a test of the suite.
#include <windows.h>

#include <gtest/gtest.h>

#include "Crash.h"

namespace {

// A window first: a crashed program with windows is the one Wine's debugger waits over.
void ShowAWindow() {
  HWND window = CreateWindowExA(0, "STATIC", "Crashing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
  if (window) UpdateWindow(window);
}

TEST(Crashing, PageFault) {
  ShowAWindow();
  Fault();
}

// As a program without the test programs' filter: the prefix decides.
TEST(Crashing, PageFaultLeftToThePlatform) {
  ShowAWindow();
  SetUnhandledExceptionFilter(nullptr);
  Fault();
}

TEST(Crashing, ExitWithSuccessInsideATest) { ExitProcess(0); }

}  // namespace
