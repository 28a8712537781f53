// The console command runner: one console program behind redirected pipes, run on a worker thread,
// fed texts from a queue; every piece of its output reaches the main thread through OnNewLine.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "Component.h"
#include "StringList.h"
#include "SysUtils.h"
#include "Thread.h"
#include "Timer.h"

DECLARE_ENUM(TShowWindow, swHIDE, swMAXIMIZE, swMINIMIZE, swRESTORE, swSHOW, swSHOWDEFAULT, swSHOWMAXIMIZED,
             swSHOWMINIMIZED, swSHOWMINNOACTIVE, swSHOWNA, swSHOWNOACTIVATE, swSHOWNORMAL)
DECLARE_ENUM(TCreationFlag, fCREATE_DEFAULT_ERROR_MODE, fCREATE_NEW_CONSOLE, fCREATE_NEW_PROCESS_GROUP,
             fCREATE_SEPARATE_WOW_VDM, fCREATE_SHARED_WOW_VDM, fCREATE_SUSPENDED, fCREATE_UNICODE_ENVIRONMENT,
             fDEBUG_PROCESS, fDEBUG_ONLY_THIS_PROCESS, fDETACHED_PROCESS)
DECLARE_ENUM(TReturnCode, rcCRLF, rcLF)
// otBeginningOfLine: a line not finished yet; it comes again, from its start, longer or whole.
DECLARE_ENUM(TOutputType, otEntireLine, otBeginningOfLine)

DECLARE_EVENT_TYPE(TNewLineEvent, void(TObject* Sender, std::string NewLine, TOutputType OutputType))
DECLARE_EVENT_TYPE(TTerminateEvent, void(TObject* Sender, uint32_t ExitCode))

class TCreatePipeError : public Exception {
 public:
  using Exception::Exception;
  std::string ClassName() const override { return "TCreatePipeError"; }
};

class TCreateProcessError : public Exception {
 public:
  using Exception::Exception;
  std::string ClassName() const override { return "TCreateProcessError"; }
};

// Counts the seconds of a run on the main thread; the worker starts, resets and stops it.
class TProcessTimer : public TTimer {
  DECLARE_CLASS(TProcessTimer, TTimer)
 public:
  explicit TProcessTimer(TComponent* AOwner);

  void ProcessTimerTick(TObject* Sender);
  void StartTimer();
  void ResetLastOutput() { secondsSinceLastOutput_ = 0; }
  void StopTimer() { SetEnabled(false); }
  int32_t SecondsSinceStart() const { return secondsSinceStart_; }
  int32_t SecondsSinceLastOutput() const { return secondsSinceLastOutput_; }

 private:
  // Ticked on the main thread, read and reset by the worker.
  std::atomic<int32_t> secondsSinceStart_{0};
  std::atomic<int32_t> secondsSinceLastOutput_{0};
};

class TDosCommand;
struct TDosLink;

// The worker of one run. It frees itself when the run ends and reaches its runner only through the
// shared link, so a runner destroyed meanwhile is never touched.
class TDosThread : public TThread {
  DECLARE_CLASS(TDosThread, TThread)
 public:
  explicit TDosThread(TDosCommand* ADosCommand);

 protected:
  void Execute() override;

 private:
  friend class TDosCommand;
  struct TRun;
  void RunProcess();
  void RunSteps(TRun& Run);
  void ReadChunk(TRun& Run, DWORD Available);
  bool WriteQueue(TRun& Run);  // whether it wrote
  bool TimeLimitExceeded();
  // Ends the child and what it started (the job when there is one, else the child alone) and waits,
  // a few seconds at most, until they are gone: the files they held are closed then.
  static void EndChild(HANDLE Job, HANDLE Process);
  void EndRun(TRun& Run);
  void AddNewLine(const std::string& NewLine, TOutputType OutputType);
  void SyncNewLine();
  // Calls F(runner) under the runner's lock while this run owns the runner: the runner exists and
  // no newer run has started. Returns whether it did.
  template <class F>
  bool WithRunner(F&& f);

  std::shared_ptr<TDosLink> link_;
  uint32_t serial_;  // the runner's run number at creation: a newer run takes the runner over
  std::string commandLine_;
  int32_t maxTimeAfterBeginning_;
  int32_t maxTimeAfterLastOutput_;
  TNewLineEvent onNewLine_;
  TTerminateEvent onTerminated_;
  uint32_t priorityClass_;
  TShowWindow showWindow_;
  TCreationFlag creationFlag_;
  std::string newLine_;  // the piece being handed over, and its type
  TOutputType outputType_ = otEntireLine;
  bool lastWasBeginning_ = false;
  // The running child and its job, for Stop; under the runner's lock, cleared before they close.
  HANDLE child_ = nullptr;
  HANDLE childJob_ = nullptr;
};

class TDosCommand : public TComponent {
  DECLARE_CLASS(TDosCommand, TComponent)
 public:
  explicit TDosCommand(TComponent* AOwner);
  ~TDosCommand() override;
  void BeforeDestruction() override;

  // Starts a run of CommandLine (nothing when it is empty), stopping the one in progress first.
  void Execute();
  // Ends the run in progress, and its child with what the child started, without waiting for the
  // worker; the child and what it started are gone when it returns.
  void Stop();
  // Queues Value, with ReturnCode's line end when AddReturn; ignored while no run is in progress.
  void SendLine(const std::string& Value, bool AddReturn);

  const std::string& CommandLine() const { return commandLine_; }
  void SetCommandLine(std::string Value) { commandLine_ = std::move(Value); }
  bool InputToOutput() const { return inputToOutput_; }
  void SetInputToOutput(bool Value) { inputToOutput_ = Value; }
  int32_t MaxTimeAfterBeginning() const { return maxTimeAfterBeginning_; }
  void SetMaxTimeAfterBeginning(int32_t Value) { maxTimeAfterBeginning_ = Value; }
  int32_t MaxTimeAfterLastOutput() const { return maxTimeAfterLastOutput_; }
  void SetMaxTimeAfterLastOutput(int32_t Value) { maxTimeAfterLastOutput_ = Value; }
  TShowWindow ShowWindow() const { return showWindow_; }
  void SetShowWindow(TShowWindow Value) { showWindow_ = Value; }
  TCreationFlag CreationFlag() const { return creationFlag_; }
  void SetCreationFlag(TCreationFlag Value) { creationFlag_ = Value; }
  TReturnCode ReturnCode() const { return returnCode_; }
  void SetReturnCode(TReturnCode Value) { returnCode_ = Value; }
  TReturnCode OutputReturnCode() const { return outputReturnCode_; }
  uint32_t PriorityClass() const { return priorityClass_; }

  // 0 preparing, 2 creating the pipes, 4 starting the child, 6 running (each failure: one more);
  // 8 the child exited, 9 stopped, 10 a time limit was exceeded.
  uint8_t RunState() const { return runState_; }
  // The child's exit code after state 8; the platform's error code after a failed run.
  uint32_t LastExitCode() const { return lastExitCode_; }
  TProcessTimer* ProcessTimer() const { return timer_; }

  // Every piece delivered in the current run, in delivery order.
  TStringList* Lines() const { return lines_.get(); }
  // A list kept in step with the output (a memo's lines); not owned.
  TStrings* OutputLines() const { return outputLines_; }
  void SetOutputLines(TStrings* Value) { outputLines_ = Value; }

  TNewLineEvent OnNewLine;       // main thread
  TTerminateEvent OnTerminated;  // the worker thread, once at the end of every run

 private:
  friend class TDosThread;
  void Detach();

  TProcessTimer* timer_ = nullptr;
  TDosThread* worker_ = nullptr;  // guarded by the link's lock: the worker clears it at its end
  std::atomic<uint8_t> runState_{0};
  std::string commandLine_;
  std::unique_ptr<TStringList> lines_;
  std::unique_ptr<TStringList> inputLines_;
  TStrings* outputLines_ = nullptr;
  std::atomic<bool> inputToOutput_{false};
  int32_t maxTimeAfterBeginning_ = 0;
  int32_t maxTimeAfterLastOutput_ = 0;
  uint32_t priorityClass_ = NORMAL_PRIORITY_CLASS;
  TShowWindow showWindow_ = swHIDE;
  TCreationFlag creationFlag_ = fCREATE_NEW_CONSOLE;
  std::atomic<uint32_t> lastExitCode_{0};
  TReturnCode returnCode_ = rcCRLF;
  std::atomic<TReturnCode> outputReturnCode_{rcCRLF};
  uint32_t runSerial_ = 0;  // the number of the latest run, written under the link's lock
  std::shared_ptr<TDosLink> link_;
};
