// Window procedures bound to objects, on a window this library did not create.
#include <gtest/gtest.h>

#include <vector>

#include "ObjectInstance.h"
#include "Timer.h"

namespace {

struct Hook : TObject {
  WNDPROC old = nullptr;
  HWND wnd = nullptr;
  int seen = 0;
  void Proc(TMessage& m) {
    if (m.Msg == WM_APP + 3) ++seen;
    m.Result = CallWindowProcA(old, wnd, m.Msg, m.WParam, m.LParam);
  }
};

TEST(ObjectInstance, SubclassesAForeignWindowAndGivesItBack) {
  HWND wnd = CreateWindowA("STATIC", "foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(wnd, nullptr);
  Hook a, b;
  a.wnd = b.wnd = wnd;
  WNDPROC pa = MakeObjectInstance(TWndMethod::Bind<&Hook::Proc>(&a));
  WNDPROC pb = MakeObjectInstance(TWndMethod::Bind<&Hook::Proc>(&b));
  EXPECT_NE(pa, pb);
  a.old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pa)));
  b.old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pb)));
  SendMessageA(wnd, WM_APP + 3, 0, 0);
  char text[16] = {};
  GetWindowTextA(wnd, text, sizeof text);  // reaches the platform procedure through both
  EXPECT_STREQ(text, "foreign");
  EXPECT_EQ(a.seen, 1);
  EXPECT_EQ(b.seen, 1);
  // Restored in reverse order.
  SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(b.old));
  SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(a.old));
  FreeObjectInstance(pb);
  FreeObjectInstance(pa);
  SendMessageA(wnd, WM_APP + 3, 0, 0);
  EXPECT_EQ(a.seen, 1);
  DestroyWindow(wnd);
}

TEST(ObjectInstance, AFreedProcedureIsReusedAndExhaustionRaises) {
  Hook h;
  std::vector<WNDPROC> taken;
  try {
    for (;;) taken.push_back(MakeObjectInstance(TWndMethod::Bind<&Hook::Proc>(&h)));
  } catch (const EOutOfResources&) {
  }
  EXPECT_GE(taken.size(), 256u);
  WNDPROC freed = taken.back();
  FreeObjectInstance(freed);
  EXPECT_EQ(MakeObjectInstance(TWndMethod::Bind<&Hook::Proc>(&h)), freed);
  for (WNDPROC p : taken) FreeObjectInstance(p);
}

}  // namespace
