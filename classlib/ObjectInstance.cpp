#include "ObjectInstance.h"

#include <array>
#include <mutex>
#include <utility>

#include "Boundary.h"
#include "Timer.h"

namespace {

// A fixed set of distinct procedures, each bound to one slot: no code is made at run time, so it
// works alike on i686 and x86_64.
constexpr size_t kSlots = 512;
std::array<TWndMethod, kSlots> methods;
std::array<bool, kSlots> used{};
std::mutex lock;

template <size_t I>
LRESULT CALLBACK SlotProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  TWndMethod method = methods[I];
  if (!method) return DefWindowProcA(wnd, msg, wp, lp);
  TMessage m{msg, wp, lp, 0};
  try {
    method(m);
  } catch (...) {
    HandleException(nullptr);
  }
  return m.Result;
}

template <size_t... I>
constexpr std::array<WNDPROC, kSlots> MakeTable(std::index_sequence<I...>) {
  return {&SlotProc<I>...};
}
const std::array<WNDPROC, kSlots> procs = MakeTable(std::make_index_sequence<kSlots>());

}  // namespace

WNDPROC MakeObjectInstance(TWndMethod Method) {
  std::lock_guard<std::mutex> guard(lock);
  for (size_t i = 0; i < kSlots; ++i)
    if (!used[i]) {
      used[i] = true;
      methods[i] = Method;
      return procs[i];
    }
  throw EOutOfResources("No more window procedures can be bound to objects");
}

void FreeObjectInstance(WNDPROC Instance) {
  if (!Instance) return;
  std::lock_guard<std::mutex> guard(lock);
  for (size_t i = 0; i < kSlots; ++i)
    if (procs[i] == Instance) {
      used[i] = false;
      methods[i] = {};
      return;
    }
}
