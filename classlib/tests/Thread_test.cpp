// Worker threads and Synchronize, with real threads and the main thread in real message loops.
#include "Thread.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "TestLoop.h"

namespace {

class TTestThread : public TThread {
 public:
  using Body = std::function<void(TTestThread&)>;
  TTestThread(Body body, bool suspended, std::atomic<bool>* destroyed = nullptr)
      : TThread(suspended), body_(std::move(body)), destroyed_(destroyed) {}
  ~TTestThread() override {
    if (destroyed_) *destroyed_ = true;
  }
  using TThread::SetReturnValue;

 protected:
  void Execute() override { body_(*this); }

 private:
  Body body_;
  std::atomic<bool>* destroyed_;
};

struct Call {
  std::function<void()> fn;
  void Run() { fn(); }
};
void SyncRun(std::function<void()> fn) {
  Call call{std::move(fn)};
  TThread::Synchronize(TThreadMethod::Bind<&Call::Run>(&call));
}

// ---------------------------------------------------------------------------------------------
// A worker's call reaches the main thread whatever loop the main thread is in.

const char* loopNow = "";  // the loop the main thread is in; main thread only

struct Probe {
  std::atomic<bool> done{false};
  DWORD ranOn = 0;
  std::string ranIn;
  TTestThread* worker = nullptr;
  DWORD started = GetTickCount();

  void StartWorker() {
    worker = NewThread<TTestThread>(
        [this](TTestThread&) {
          SyncRun([this] {
            ranOn = GetCurrentThreadId();
            ranIn = loopNow;
            done = true;
          });
        },
        false);
  }
  bool GivenUp() const { return GetTickCount() - started > 10000; }
};
Probe* probe;

void GetMessageLoop() {
  UINT_PTR wake = SetTimer(nullptr, 0, 100, nullptr);  // lets the loop notice a timeout
  MSG msg;
  while (!probe->done && !probe->GivenUp() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  KillTimer(nullptr, wake);
}

void RunPlainLoop() {
  loopNow = "GetMessage";
  probe->StartWorker();
  GetMessageLoop();
}

// As a modal form does: a handler of the outer loop runs a loop of its own.
void CALLBACK EnterNestedLoop(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  loopNow = "nested";
  probe->StartWorker();
  GetMessageLoop();
  loopNow = "outer";
}
void RunNestedLoop() {
  loopNow = "outer";
  SetTimer(nullptr, 0, 1, EnterNestedLoop);
  GetMessageLoop();
}

void RunPeekLoop() {
  loopNow = "PeekMessage";
  probe->StartWorker();
  WaitUntil([] { return probe->done.load(); });
}

void RunCheckSynchronizeLoop() {
  loopNow = "CheckSynchronize";
  probe->StartWorker();
  while (!probe->done && !probe->GivenUp()) {
    CheckSynchronize();  // no message is dispatched here
    Sleep(1);
  }
}

const char kBoxTitle[] = "Synchronize probe";
// This thread's box only: other test programs on the same desktop may show one too.
BOOL CALLBACK MatchBox(HWND wnd, LPARAM found) {
  char cls[16] = {}, title[32] = {};
  GetClassNameA(wnd, cls, sizeof cls);
  GetWindowTextA(wnd, title, sizeof title);
  if (strcmp(cls, "#32770") != 0 || strcmp(title, kBoxTitle) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = wnd;
  return FALSE;
}
HWND FindOwnBox() {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), MatchBox, reinterpret_cast<LPARAM>(&box));
  return box;
}
void CALLBACK DriveBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = FindOwnBox();
  if (!box) {
    if (probe->GivenUp()) PostQuitMessage(0);  // ends the box's loop all the same
    return;
  }
  if (!probe->worker) probe->StartWorker();
  else if (probe->done || probe->GivenUp()) PostMessageA(box, WM_COMMAND, IDOK, 0);
}
void RunMessageBoxLoop() {
  loopNow = "MessageBox";
  UINT_PTR driver = SetTimer(nullptr, 0, 20, DriveBox);
  MessageBoxA(nullptr, "Waiting for a worker", kBoxTitle, MB_OK);
  KillTimer(nullptr, driver);
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

struct LoopCase {
  const char* name;
  void (*run)();
  const char* ranIn;
};

class SynchronizeInLoop : public testing::TestWithParam<LoopCase> {};

TEST_P(SynchronizeInLoop, RunsOnTheMainThreadInsideThatLoop) {
  Probe p;
  probe = &p;
  GetParam().run();
  ASSERT_TRUE(p.worker);
  p.worker->WaitFor();
  p.worker->Free();
  EXPECT_TRUE(p.done);
  EXPECT_EQ(p.ranOn, GetCurrentThreadId());
  EXPECT_EQ(p.ranIn, GetParam().ranIn);
}

INSTANTIATE_TEST_SUITE_P(Loops, SynchronizeInLoop,
                         testing::Values(LoopCase{"GetMessage", RunPlainLoop, "GetMessage"},
                                         LoopCase{"NestedModal", RunNestedLoop, "nested"},
                                         LoopCase{"ProcessMessages", RunPeekLoop, "PeekMessage"},
                                         LoopCase{"CheckSynchronize", RunCheckSynchronizeLoop, "CheckSynchronize"},
                                         LoopCase{"MessageBox", RunMessageBoxLoop, "MessageBox"}),
                         [](const testing::TestParamInfo<LoopCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------

TEST(Synchronize, ExceptionOnTheMainThreadIsRaisedInTheWorker) {
  std::string caught;
  bool laterCallRan = false;
  std::atomic<bool> finished{false};
  TTestThread* t = NewThread<TTestThread>(
      [&](TTestThread&) {
        try {
          SyncRun([] { throw EConvertError("'x' is not a valid integer value"); });
        } catch (const EConvertError& e) {
          caught = e.Message();
        }
        SyncRun([&] { laterCallRan = true; });
        finished = true;
      },
      false);
  ASSERT_TRUE(WaitUntil([&] { return finished.load(); }));
  t->WaitFor();
  t->Free();
  EXPECT_EQ(caught, "'x' is not a valid integer value");
  EXPECT_TRUE(laterCallRan);
}

TEST(Synchronize, CallsOfManyWorkersEachRunOnce) {
  constexpr int kWorkers = 4, kCalls = 200;
  int calls = 0;  // main thread only
  std::atomic<int> finished{0};
  std::vector<TTestThread*> workers;
  for (int w = 0; w < kWorkers; ++w)
    workers.push_back(NewThread<TTestThread>(
        [&](TTestThread&) {
          for (int i = 0; i < kCalls; ++i) SyncRun([&] { ++calls; });
          ++finished;
        },
        false));
  EXPECT_TRUE(WaitUntil([&] { return finished == kWorkers; }));
  for (TTestThread* t : workers) t->Free();
  EXPECT_EQ(calls, kWorkers * kCalls);
}

TEST(Synchronize, OnTheMainThreadRunsAtOnce) {
  bool ran = false;
  SyncRun([&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_THROW(SyncRun([] { throw EConvertError("raised"); }), EConvertError);
}

// WaitFor on the main thread dispatches no messages, yet a worker that needs the main thread ends.
struct NeedCase {
  const char* name;
  int (*need)(HWND wnd);
};
class WaitForServes : public testing::TestWithParam<NeedCase> {};

TEST_P(WaitForServes, AWorkerWaitingForTheMainThread) {
  HWND wnd = CreateWindowA("STATIC", "abc", 0, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(wnd);
  int result = 0;
  TTestThread* t = NewThread<TTestThread>([&](TTestThread&) { result = GetParam().need(wnd); }, false);
  t->WaitFor();
  t->Free();
  DestroyWindow(wnd);
  EXPECT_EQ(result, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Needs, WaitForServes,
    testing::Values(NeedCase{"Synchronize",
                             [](HWND) {
                               int r = 0;
                               SyncRun([&] { r = 3; });
                               return r;
                             }},
                    NeedCase{"SendMessage",
                             [](HWND wnd) { return static_cast<int>(SendMessageA(wnd, WM_GETTEXTLENGTH, 0, 0)); }}),
    [](const testing::TestParamInfo<NeedCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------

TEST(Thread, FreeOnTerminateFreesItselfAfterOnTerminate) {
  std::atomic<bool> destroyed{false};
  struct Watcher {
    std::atomic<bool>* destroyed;
    DWORD ranOn = 0;
    bool destroyedBefore = true;
    void Terminated(TObject*) {
      ranOn = GetCurrentThreadId();
      destroyedBefore = *destroyed;
    }
  } watcher{&destroyed};
  TTestThread* t = NewThread<TTestThread>([](TTestThread&) {}, true, &destroyed);
  t->SetFreeOnTerminate(true);
  t->OnTerminate = TNotifyEvent::Bind<&Watcher::Terminated>(&watcher);
  t->Start();
  ASSERT_TRUE(WaitUntil([&] { return destroyed.load(); }));
  EXPECT_EQ(watcher.ranOn, GetCurrentThreadId());
  EXPECT_FALSE(watcher.destroyedBefore);
}

TEST(Thread, ExceptionEscapingExecuteIsKept) {
  TTestThread* t = NewThread<TTestThread>(
      [](TTestThread& self) {
        self.SetReturnValue(7);
        throw EConvertError("lost");
      },
      false);
  EXPECT_EQ(t->WaitFor(), 7u);
  ASSERT_TRUE(t->FatalException());
  try {
    std::rethrow_exception(t->FatalException());
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "lost");
  } catch (...) {
    ADD_FAILURE() << "another exception class";
  }
  t->Free();
}

// Free stops the thread and waits; a thread that never started ends without running Execute.
class FreeingAThread : public testing::TestWithParam<bool> {};

TEST_P(FreeingAThread, WaitsForExecuteToSeeTerminated) {
  const bool suspended = GetParam();
  std::atomic<bool> entered{false}, left{false};
  TTestThread* t = NewThread<TTestThread>(
      [&](TTestThread& self) {
        entered = true;
        while (!self.Terminated()) Sleep(1);
        left = true;
      },
      suspended);
  if (!suspended) {
    ASSERT_TRUE(WaitUntil([&] { return entered.load(); }));
  }
  t->Free();
  EXPECT_EQ(entered, !suspended);
  EXPECT_EQ(left, !suspended);
}

INSTANTIATE_TEST_SUITE_P(States, FreeingAThread, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "NeverStarted" : "Running");
                         });

TEST(Thread, WaitForRefusesWaitsThatCouldNeverEnd) {
  TTestThread* never = NewThread<TTestThread>([](TTestThread&) {}, true);
  EXPECT_THROW(never->WaitFor(), EThread);
  never->Free();

  std::atomic<bool> destroyed{false};
  TTestThread* selfFreeing = NewThread<TTestThread>([](TTestThread&) {}, true, &destroyed);
  selfFreeing->SetFreeOnTerminate(true);
  EXPECT_THROW(selfFreeing->WaitFor(), EThread);
  selfFreeing->Start();
  EXPECT_TRUE(WaitUntil([&] { return destroyed.load(); }));
}

}  // namespace
