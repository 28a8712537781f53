// The timer component, ticking through real message loops. Nothing here asserts how soon a timer
// ticks; "not yet" is judged against another timer, "no earlier than" against the clock.
#include "Timer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Boundary.h"
#include "TestLoop.h"
#include "Thread.h"

namespace {

struct Ticks {
  int count = 0;
  DWORD at = 0;
  DWORD thread = 0;
  std::function<void(TTimer*)> action;

  void OnTimer(TObject* Sender) {
    ++count;
    at = GetTickCount();
    thread = GetCurrentThreadId();
    if (action) action(static_cast<TTimer*>(Sender));
  }
  void OnTimerToo(TObject* Sender) { OnTimer(Sender); }
  TNotifyEvent Handler() { return TNotifyEvent::Bind<&Ticks::OnTimer>(this); }
};

struct Owner {
  TComponent* c = Create<TComponent>(nullptr);
  ~Owner() { c->Free(); }
};

TTimer* NewTimer(TComponent* owner, uint32_t interval, TNotifyEvent handler, bool enabled = true) {
  TTimer* t = Create<TTimer>(owner);
  t->SetEnabled(enabled);
  t->SetInterval(interval);
  t->SetOnTimer(handler);
  return t;
}

// Lets the loop run until a new timer of the given interval has ticked once.
void RunForTickOf(uint32_t interval, TComponent* owner) {
  Ticks sentinel;
  TTimer* t = NewTimer(owner, interval, sentinel.Handler());
  EXPECT_TRUE(WaitUntil([&] { return sentinel.count > 0; }));
  t->Free();
}

void SetProp(TTimer* t, const char* name, const TValue& value) {
  const TPropInfo* prop = GetPropInfo(t, name);
  ASSERT_NE(prop, nullptr) << name;
  prop->set(t, value);
}

class TWorker : public TThread {
 public:
  explicit TWorker(std::function<void()> body) : TThread(false), body_(std::move(body)) {}

 protected:
  void Execute() override { body_(); }

 private:
  std::function<void()> body_;
};

void RunOnWorker(std::function<void()> body) {
  TWorker* worker = NewThread<TWorker>(std::move(body));
  worker->WaitFor();  // dispatches no posted message, so no tick runs meanwhile
  worker->Free();
}

TEST(Timer, TicksThroughTheMessageLoopOfItsThread) {
  Owner o;
  Ticks ticks;
  NewTimer(o.c, 10, ticks.Handler());
  ASSERT_TRUE(WaitUntil([&] { return ticks.count >= 3; }));
  EXPECT_EQ(ticks.thread, GetCurrentThreadId());
}

TEST(Timer, PublishedDefaultsAreEnabledAndOneSecond) {
  Owner o;
  TTimer* t = Create<TTimer>(o.c);
  EXPECT_EQ(GetPropInfo(t, "Enabled")->get(t).i, 1);
  EXPECT_EQ(GetPropInfo(t, "Interval")->get(t).i, 1000);
}

// Each case holds one condition back, then gives it.
struct HoldCase {
  const char* name;
  void (*hold)(TTimer*, TNotifyEvent);
  void (*release)(TTimer*, TNotifyEvent);
};
class TimerRunsOnlyWhen : public testing::TestWithParam<HoldCase> {};

TEST_P(TimerRunsOnlyWhen, EveryConditionHolds) {
  Owner o;
  Ticks ticks;
  TTimer* t = Create<TTimer>(o.c);
  GetParam().hold(t, ticks.Handler());
  RunForTickOf(100, o.c);
  EXPECT_EQ(ticks.count, 0);
  GetParam().release(t, ticks.Handler());
  EXPECT_TRUE(WaitUntil([&] { return ticks.count > 0; }));
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, TimerRunsOnlyWhen,
    testing::Values(
        HoldCase{"Enabled",
                 [](TTimer* t, TNotifyEvent h) {
                   t->SetEnabled(false);
                   t->SetInterval(10);
                   t->SetOnTimer(h);
                 },
                 [](TTimer* t, TNotifyEvent) { t->SetEnabled(true); }},
        HoldCase{"IntervalAboveZero",
                 [](TTimer* t, TNotifyEvent h) {
                   t->SetInterval(0);
                   t->SetOnTimer(h);
                 },
                 [](TTimer* t, TNotifyEvent) { t->SetInterval(10); }},
        HoldCase{"OnTimerAssigned", [](TTimer* t, TNotifyEvent) { t->SetInterval(10); },
                 [](TTimer* t, TNotifyEvent h) { t->SetOnTimer(h); }},
        // As the form reader sets it: loading first, then the published properties by name.
        HoldCase{"Loaded",
                 [](TTimer* t, TNotifyEvent h) {
                   t->BeginLoading();
                   SetProp(t, "Interval", TValue::Int(10));
                   SetProp(t, "OnTimer", TValue::Meth(h.Raw()));
                   SetProp(t, "Enabled", TValue::Int(1));
                 },
                 [](TTimer* t, TNotifyEvent) {
                   t->EndReading();
                   t->Loaded();
                 }}),
    [](const testing::TestParamInfo<HoldCase>& info) { return std::string(info.param.name); });

TEST(Timer, EnablingAnEnabledTimerKeepsItsSchedule) {
  Owner o;
  Ticks subject, again;
  TTimer* s = NewTimer(o.c, 300, subject.Handler());
  again.action = [s](TTimer*) { s->SetEnabled(true); };
  NewTimer(o.c, 20, again.Handler());
  // Restarted by every re-enabling, it would never tick.
  EXPECT_TRUE(WaitUntil([&] { return subject.count > 0; }));
}

// A new Interval or OnTimer starts the count again from the change.
struct RestartCase {
  const char* name;
  void (*change)(TTimer*, Ticks&);
};
class TimerRestartsOnChangeOf : public testing::TestWithParam<RestartCase> {};

TEST_P(TimerRestartsOnChangeOf, TheProperty) {
  Owner o;
  Ticks subject, changer;
  TTimer* s = NewTimer(o.c, 400, subject.Handler());
  bool changed = false;
  DWORD changedAt = 0;
  int ticksBefore = 0;
  changer.action = [&](TTimer* self) {
    self->SetEnabled(false);
    ticksBefore = subject.count;
    changedAt = GetTickCount();
    changed = true;
    GetParam().change(s, subject);
  };
  NewTimer(o.c, 100, changer.Handler());
  ASSERT_TRUE(WaitUntil([&] { return changed && subject.count > ticksBefore; }));
  // A timer never ticks early: kept running, it would tick well within its interval of the change.
  EXPECT_GE(subject.at - changedAt, s->Interval() - 50);
}

INSTANTIATE_TEST_SUITE_P(
    Properties, TimerRestartsOnChangeOf,
    testing::Values(RestartCase{"Interval", [](TTimer* t, Ticks&) { t->SetInterval(401); }},
                    RestartCase{"OnTimer",
                                [](TTimer* t, Ticks& ticks) {
                                  t->SetOnTimer(TNotifyEvent::Bind<&Ticks::OnTimerToo>(&ticks));
                                }}),
    [](const testing::TestParamInfo<RestartCase>& info) { return std::string(info.param.name); });

// A tick already in the queue when the timer stops must not reach OnTimer.
struct StopCase {
  const char* name;
  void (*stop)(TTimer*);
};
class StoppingATimer : public testing::TestWithParam<StopCase> {};

bool TickQueued() {
  const DWORD start = GetTickCount();
  MSG msg;
  while (!PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE)) {
    if (GetTickCount() - start > 10000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_TIMER);
  }
  return true;
}

TEST_P(StoppingATimer, DropsTheTickAlreadyQueued) {
  Owner o;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);  // earlier tests' leftovers
  Ticks subject;
  TTimer* s = NewTimer(o.c, 10, subject.Handler());
  ASSERT_TRUE(TickQueued());
  GetParam().stop(s);
  RunForTickOf(50, o.c);
  EXPECT_EQ(subject.count, 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, StoppingATimer,
                         testing::Values(StopCase{"Disabled", [](TTimer* t) { t->SetEnabled(false); }},
                                         StopCase{"Freed", [](TTimer* t) { t->Free(); }}),
                         [](const testing::TestParamInfo<StopCase>& info) { return std::string(info.param.name); });

// A handler may end its own timer, directly or by freeing the form that owns it.
struct EndCase {
  const char* name;
  void (*end)(TTimer* self, TComponent*& form);
};
class OnTimerThat : public testing::TestWithParam<EndCase> {};

TEST_P(OnTimerThat, EndsItsTimerTicksOnce) {
  Owner o;
  TComponent* form = Create<TComponent>(o.c);
  Ticks subject;
  subject.action = [&](TTimer* self) { GetParam().end(self, form); };
  NewTimer(form, 10, subject.Handler());
  ASSERT_TRUE(WaitUntil([&] { return subject.count > 0; }));
  RunForTickOf(50, o.c);
  EXPECT_EQ(subject.count, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, OnTimerThat,
    testing::Values(EndCase{"DisablesIt", [](TTimer* t, TComponent*&) { t->SetEnabled(false); }},
                    EndCase{"FreesIt", [](TTimer* t, TComponent*&) { t->Free(); }},
                    EndCase{"FreesItsOwner", [](TTimer*, TComponent*& form) { FreeAndNil(form); }}),
    [](const testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

struct Reported {
  static inline int count = 0;
  static inline TObject* sender = nullptr;
  static inline std::string message;
  static void Record(TObject* Sender, std::exception_ptr E) {
    ++count;
    sender = Sender;
    try {
      std::rethrow_exception(E);
    } catch (const Exception& e) {
      message = e.Message();
    }
  }
};

TEST(Timer, ExceptionInOnTimerGoesToTheInstalledHandler) {
  SetExceptionHandler(&Reported::Record);
  Owner o;
  Ticks ticks;
  ticks.action = [](TTimer*) { throw EConvertError("tick failed"); };
  TTimer* t = NewTimer(o.c, 10, ticks.Handler());
  // A second report shows that both the loop and the timer went on.
  EXPECT_TRUE(WaitUntil([] { return Reported::count >= 2; }));
  SetExceptionHandler(nullptr);
  EXPECT_EQ(Reported::sender, t);
  EXPECT_EQ(Reported::message, "tick failed");
}

TEST(Timer, EnabledFromAnotherThreadTicksOnItsOwn) {
  Owner o;
  Ticks ticks;
  TTimer* t = NewTimer(o.c, 10, ticks.Handler(), false);
  RunOnWorker([t] { t->SetEnabled(true); });
  ASSERT_TRUE(WaitUntil([&] { return ticks.count >= 2; }));
  EXPECT_EQ(ticks.thread, GetCurrentThreadId());

  RunOnWorker([t] { t->SetEnabled(false); });
  const int before = ticks.count;
  RunForTickOf(50, o.c);
  EXPECT_EQ(ticks.count, before);
}

}  // namespace
