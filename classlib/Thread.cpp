#include "Thread.h"

#include <process.h>

#include <deque>
#include <mutex>

#include "Boundary.h"
#include "TypInfo.h"

DEFINE_CLASS(TThread, TObject, ({}))

namespace {

const UINT WM_SYNCHRONIZE = WM_APP + 1;  // posted to the sync window: calls are waiting
const char kSyncWindowClass[] = "TThreadSyncWindow";

struct SyncRequest {
  TThreadMethod method;
  std::exception_ptr error;
  bool done = false;
};

// The calls waiting for the main thread. One per program, as there is one main thread.
struct SyncQueue {
  SRWLOCK lock = SRWLOCK_INIT;
  CONDITION_VARIABLE finished = CONDITION_VARIABLE_INIT;  // a request was run
  std::deque<SyncRequest*> pending;
  HANDLE pendingEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);  // wakes WaitFor on the main thread
  std::atomic<DWORD> mainThread{GetCurrentThreadId()};
  std::atomic<HWND> window{nullptr};
  std::once_flag init;
};

// Never destroyed: a worker may still hand over a call while the program exits.
SyncQueue& Sync() {
  static SyncQueue* queue = new SyncQueue;
  return *queue;
}

class QueueLock {
 public:
  QueueLock() { AcquireSRWLockExclusive(&Sync().lock); }
  ~QueueLock() { ReleaseSRWLockExclusive(&Sync().lock); }
  QueueLock(const QueueLock&) = delete;
  QueueLock& operator=(const QueueLock&) = delete;
};

// Built while the program starts, so the thread that started it is the main thread by default.
const bool kQueueBuilt = (Sync(), true);

bool OnMainThread() { return GetCurrentThreadId() == Sync().mainThread; }

LRESULT CALLBACK SyncWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_SYNCHRONIZE) return DefWindowProcA(wnd, msg, wp, lp);
  try {
    CheckSynchronize();
  } catch (...) {
    HandleException(nullptr);
  }
  return 0;
}

void CreateSyncWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = SyncWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kSyncWindowClass;
  RegisterClassA(&wc);
  // Message-only: no window walk (enumeration, the skin engine's) ever meets it.
  HWND wnd = CreateWindowExA(0, kSyncWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  if (!wnd) throw EThread(Format("Cannot create the thread synchronization window (error %lu)", GetLastError()));
  Sync().window = wnd;
}

}  // namespace

void InitThreadSync() {
  (void)kQueueBuilt;
  SyncQueue& s = Sync();
  std::call_once(s.init, [&] {
    s.mainThread = GetCurrentThreadId();
    CreateSyncWindow();
  });
}

bool CheckSynchronize() {
  if (!OnMainThread()) return false;
  SyncQueue& s = Sync();
  bool ran = false;
  for (;;) {
    SyncRequest* req;
    {
      QueueLock guard;
      if (s.pending.empty()) break;
      req = s.pending.front();
      s.pending.pop_front();
    }
    try {
      req->method();
    } catch (...) {
      req->error = std::current_exception();
    }
    {
      QueueLock guard;
      req->done = true;  // req belongs to the waiting thread from here on
    }
    WakeAllConditionVariable(&s.finished);
    ran = true;
  }
  return ran;
}

void TThread::Synchronize(TThreadMethod Method) {
  if (OnMainThread()) {
    Method();
    return;
  }
  SyncQueue& s = Sync();
  SyncRequest req;
  req.method = Method;
  {
    QueueLock guard;
    s.pending.push_back(&req);
    // One message per request: a loop that drained the queue early just finds it empty.
    if (HWND wnd = s.window) PostMessageA(wnd, WM_SYNCHRONIZE, 0, 0);
    SetEvent(s.pendingEvent);
    while (!req.done) SleepConditionVariableSRW(&s.finished, &s.lock, INFINITE, 0);
  }
  if (req.error) std::rethrow_exception(req.error);
}

// ---------------------------------------------------------------------------------------------

TThread::TThread(bool CreateSuspended) : createSuspended_(CreateSuspended) {
  if (OnMainThread()) InitThreadSync();
  unsigned id = 0;
  // Always suspended here: Start runs it once the derived object is complete.
  uintptr_t h = _beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id);
  if (!h) throw EThread(Format("Thread creation error (error %lu)", GetLastError()));
  handle_ = reinterpret_cast<HANDLE>(h);
  threadId_ = id;
}

TThread::~TThread() {
  // Only reached here with a running thread when deleted without Free (or from a failed
  // constructor); the derived part is gone then, so this is the last resort.
  BeforeDestruction();
  if (handle_) CloseHandle(handle_);
}

void TThread::AfterConstruction() {
  if (!createSuspended_) Start();
}

void TThread::BeforeDestruction() {
  if (!handle_ || GetCurrentThreadId() == threadId_) return;  // a self-freeing thread at its end
  Terminate();
  if (!started_.exchange(true)) {
    skipExecute_ = true;
    ResumeThread(handle_);
  }
  Wait();
}

void TThread::Start() {
  if (!started_.exchange(true)) ResumeThread(handle_);
}

uint32_t TThread::WaitFor() {
  if (GetCurrentThreadId() == threadId_) throw EThread("A thread cannot wait for itself");
  if (freeOnTerminate_) throw EThread("Cannot wait for a thread that frees itself");
  if (!started_) throw EThread("Cannot wait for a thread that was never started");
  Wait();
  return returnValue_;
}

void TThread::Wait() {
  if (!OnMainThread()) {
    WaitForSingleObject(handle_, INFINITE);
    return;
  }
  // The worker may be waiting for the main thread: serve it until the thread has ended.
  HANDLE objects[2] = {handle_, Sync().pendingEvent};
  for (;;) {
    DWORD r = MsgWaitForMultipleObjects(2, objects, FALSE, INFINITE, QS_SENDMESSAGE);
    if (r == WAIT_OBJECT_0 + 1) {
      CheckSynchronize();
    } else if (r == WAIT_OBJECT_0 + 2) {
      MSG msg;
      PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // answers sent messages only
    } else {
      return;  // ended, or the handle is unusable
    }
  }
}

unsigned __stdcall TThread::ThreadProc(void* Param) {
  auto* thread = static_cast<TThread*>(Param);
  if (thread->skipExecute_) return 0;
  try {
    thread->Execute();
  } catch (...) {
    thread->fatal_ = std::current_exception();
  }
  unsigned result = thread->returnValue_;
  thread->DoTerminate();
  if (thread->freeOnTerminate_) thread->Free();
  return result;
}

void TThread::DoTerminate() {
  if (!OnTerminate.Assigned()) return;
  try {
    Synchronize(TThreadMethod::Bind<&TThread::CallOnTerminate>(this));
  } catch (...) {
    // CallOnTerminate reports its own failures; nothing else can reach here but a failed lock.
  }
}

void TThread::CallOnTerminate() {
  try {
    OnTerminate(this);
  } catch (...) {
    HandleException(this);
  }
}
