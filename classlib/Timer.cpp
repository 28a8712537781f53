#include "Timer.h"

#include <map>

#include "Boundary.h"
#include "SyncObjs.h"

DEFINE_COMPONENT(TTimer, TComponent,
                 ({Prop<&TTimer::Enabled, &TTimer::SetEnabled>("Enabled"),
                   Prop<&TTimer::Interval, &TTimer::SetInterval>("Interval"),
                   Prop<&TTimer::OnTimer, &TTimer::SetOnTimer>("OnTimer")}),
                 ({}))

namespace {

const UINT WM_TIMERUPDATE = WM_APP + 1;  // wParam: serial of a timer changed on another thread
const char kTimerWindowClass[] = "TTimerWindow";

// Every live timer by serial, and every running system timer by id. Shared by the timer windows
// of all threads, since a timer may be changed or freed on a thread other than its own. A message
// whose timer is no longer listed here is stale and is dropped.
struct TimerRegistry {
  TMultiReadExclusiveWriteSynchronizer lock;
  std::map<uint32_t, TTimer*> timers;
  std::map<UINT_PTR, TTimer*> running;
  uint32_t lastSerial = 0;
  UINT_PTR lastId = 0;  // a fresh id per start: a tick queued before a restart finds nothing
};

// Never destroyed: timers of objects freed during the program's exit still unregister.
TimerRegistry& Registry() {
  static TimerRegistry* registry = new TimerRegistry;
  return *registry;
}

template <class Map>
typename Map::mapped_type Lookup(const Map& map, typename Map::key_type key) {
  TReadGuard guard(Registry().lock);
  auto it = map.find(key);
  return it == map.end() ? nullptr : it->second;
}

}  // namespace

LRESULT CALLBACK TTimer::WindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TimerRegistry& reg = Registry();
  if (Msg == WM_TIMER) {
    TTimer* timer = Lookup(reg.running, WParam);
    if (!timer) {
      KillTimer(Wnd, WParam);  // left behind by a timer freed on another thread
      return 0;
    }
    if (!timer->enabled_ || timer->ComponentState().Contains(csDestroying)) return 0;
    try {
      TNotifyEvent handler = timer->onTimer_;
      handler(timer);  // may free the timer: it is not touched afterwards
    } catch (...) {
      HandleException(timer);
    }
    return 0;
  }
  if (Msg == WM_TIMERUPDATE) {
    if (TTimer* timer = Lookup(reg.timers, static_cast<uint32_t>(WParam))) {
      try {
        timer->UpdateTimer();
      } catch (...) {
        HandleException(timer);
      }
    }
    return 0;
  }
  return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

namespace {
// One hidden window per thread that has timers; the system destroys it with its thread.
HWND ThreadTimerWindow(WNDPROC proc) {
  thread_local HWND window = nullptr;
  if (window && IsWindow(window)) return window;
  static const bool registered = [proc] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kTimerWindowClass;
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
  window = CreateWindowExA(0, kTimerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  if (!window) throw EOutOfResources(Format("Cannot create the timer window (error %lu)", GetLastError()));
  return window;
}
}  // namespace

TTimer::TTimer(TComponent* AOwner)
    : TComponent(AOwner), window_(ThreadTimerWindow(&TTimer::WindowProc)), threadId_(GetCurrentThreadId()) {
  TimerRegistry& reg = Registry();
  TWriteGuard guard(reg.lock);
  serial_ = ++reg.lastSerial;
  reg.timers[serial_] = this;
}

TTimer::~TTimer() {
  enabled_ = false;
  TimerRegistry& reg = Registry();
  {
    TWriteGuard guard(reg.lock);
    reg.timers.erase(serial_);
    if (timerId_) reg.running.erase(timerId_);
  }
  // On another thread the system timer is left to its window, which kills it at its next tick.
  if (timerId_ && GetCurrentThreadId() == threadId_) KillTimer(window_, timerId_);
}

void TTimer::Loaded() {
  inherited::Loaded();
  UpdateTimer();
}

void TTimer::SetEnabled(bool Value) {
  if (enabled_.exchange(Value) == Value) return;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t Value) {
  if (interval_.exchange(Value) == Value) return;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  if (onTimer_ == Value) return;
  onTimer_ = Value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (GetCurrentThreadId() != threadId_) {
    PostMessageA(window_, WM_TIMERUPDATE, serial_, 0);
    return;
  }
  StopSystemTimer();
  TComponentState state = ComponentState();
  if (enabled_ && interval_ > 0 && onTimer_.Assigned() && !state.Contains(csLoading) &&
      !state.Contains(csDestroying))
    StartSystemTimer();
}

void TTimer::StartSystemTimer() {
  TimerRegistry& reg = Registry();
  UINT_PTR id;
  {
    TWriteGuard guard(reg.lock);
    id = ++reg.lastId;
    reg.running[id] = this;
  }
  if (!SetTimer(window_, id, interval_, nullptr)) {
    TWriteGuard guard(reg.lock);
    reg.running.erase(id);
    throw EOutOfResources("Not enough timers available");
  }
  timerId_ = id;
}

void TTimer::StopSystemTimer() {
  if (!timerId_) return;
  KillTimer(window_, timerId_);
  TimerRegistry& reg = Registry();
  TWriteGuard guard(reg.lock);
  reg.running.erase(timerId_);
  timerId_ = 0;
}
