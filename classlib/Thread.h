// Worker threads and the hand-over of calls to the main thread.
//
// The main thread is the one that calls InitThreadSync (the application object does so in
// Initialize); until then it is the thread that started the program. Synchronize posts to a hidden
// window of the main thread, so a waiting call runs in whatever message loop the main thread is in:
// the application's, a modal form's, ProcessMessages, a message box's or a common dialog's.
#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <utility>

#include "SysUtils.h"
#include "System.h"

class EThread : public Exception {
 public:
  using Exception::Exception;
  std::string ClassName() const override { return "EThread"; }
};

using TThreadMethod = TMethod<void()>;

// Makes the calling thread the main thread and creates its hidden window; later calls do nothing.
void InitThreadSync();
// Runs the calls that wait for the main thread; for loops that do not dispatch messages.
// Returns whether any ran. Does nothing on other threads.
bool CheckSynchronize();

// Create with NewThread<T>(...): the thread starts (unless created suspended) once the most derived
// constructor has finished, so Execute never sees a half-built object.
//
// Ending a thread: Free() from another thread sets Terminated, waits for Execute to return and
// then destroys the object (a thread that never started ends without running Execute). The owner
// must free what Execute and the synchronized methods use only after that. A thread that frees
// itself (FreeOnTerminate) must never be freed or waited for from outside: ask it to stop with
// Terminate, and let the object it reports to learn of its end through OnTerminate or its own flag.
//
// Waiting on the main thread (WaitFor, Free) runs pending Synchronize calls and answers messages
// sent by other threads, so a worker blocked in either still gets to its end. Those calls then run
// inside WaitFor: what they touch must still be alive.
class TThread : public TObject {
  DECLARE_CLASS(TThread, TObject)
 public:
  explicit TThread(bool CreateSuspended);
  ~TThread() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  // Starts a thread created suspended (or not yet started); does nothing once it runs.
  void Start();
  void Resume() { Start(); }
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  // Waits until Execute has returned (OnTerminate included) and gives ReturnValue.
  // Raises EThread for a self-freeing thread, on the thread itself, or for one never started.
  uint32_t WaitFor();

  bool FreeOnTerminate() const { return freeOnTerminate_; }
  void SetFreeOnTerminate(bool Value) { freeOnTerminate_ = Value; }
  HANDLE Handle() const { return handle_; }
  DWORD ThreadID() const { return threadId_; }
  uint32_t ReturnValue() const { return returnValue_; }
  // What escaped Execute, caught at the thread's boundary; null when Execute returned normally.
  std::exception_ptr FatalException() const { return fatal_; }

  // Runs on the main thread after Execute, through Synchronize; its exceptions go to HandleException.
  TNotifyEvent OnTerminate;

  // Runs Method on the main thread while the caller waits; an exception raised there is raised
  // again in the caller. Called on the main thread, it runs Method directly.
  static void Synchronize(TThreadMethod Method);

 protected:
  virtual void Execute() = 0;
  void SetReturnValue(uint32_t Value) { returnValue_ = Value; }

 private:
  static unsigned __stdcall ThreadProc(void* Param);
  void DoTerminate();
  void CallOnTerminate();
  void Wait();

  HANDLE handle_ = nullptr;
  DWORD threadId_ = 0;
  bool createSuspended_;
  std::atomic<bool> started_{false};
  std::atomic<bool> skipExecute_{false};
  std::atomic<bool> terminated_{false};
  std::atomic<bool> freeOnTerminate_{false};
  std::atomic<uint32_t> returnValue_{0};
  std::exception_ptr fatal_;
};

template <class T, class... A>
T* NewThread(A&&... args) {
  T* thread = new T(std::forward<A>(args)...);
  try {
    thread->AfterConstruction();
  } catch (...) {
    thread->Free();
    throw;
  }
  return thread;
}
