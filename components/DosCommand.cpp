#include "DosCommand.h"

#include <algorithm>
#include <iterator>
#include <mutex>
#include <vector>

#include "Boundary.h"
#include "Forms.h"
#include "SyncObjs.h"

DEFINE_COMPONENT(TDosCommand, TComponent,
                 ({Prop<&TDosCommand::CommandLine, &TDosCommand::SetCommandLine>("CommandLine"),
                   Field<&TDosCommand::OnNewLine>("OnNewLine"),
                   Field<&TDosCommand::OnTerminated>("OnTerminated"),
                   Prop<&TDosCommand::InputToOutput, &TDosCommand::SetInputToOutput>("InputToOutput"),
                   Prop<&TDosCommand::MaxTimeAfterBeginning, &TDosCommand::SetMaxTimeAfterBeginning>(
                       "MaxTimeAfterBeginning"),
                   Prop<&TDosCommand::MaxTimeAfterLastOutput, &TDosCommand::SetMaxTimeAfterLastOutput>(
                       "MaxTimeAfterLastOutput"),
                   Prop<&TDosCommand::ShowWindow, &TDosCommand::SetShowWindow>("ShowWindow"),
                   Prop<&TDosCommand::CreationFlag, &TDosCommand::SetCreationFlag>("CreationFlag"),
                   Prop<&TDosCommand::ReturnCode, &TDosCommand::SetReturnCode>("ReturnCode"),
                   PropRO<&TDosCommand::OutputReturnCode>("OutputReturnCode")}),
                 ({}))
DEFINE_CLASS(TProcessTimer, TTimer, ({}))
DEFINE_CLASS(TDosThread, TThread, ({}))

namespace {

const UINT kShowCommands[] = {SW_HIDE, SW_MAXIMIZE, SW_MINIMIZE, SW_RESTORE, SW_SHOW, SW_SHOWDEFAULT,
                              SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED, SW_SHOWMINNOACTIVE, SW_SHOWNA,
                              SW_SHOWNOACTIVATE, SW_SHOWNORMAL};
const DWORD kCreationFlags[] = {CREATE_DEFAULT_ERROR_MODE, CREATE_NEW_CONSOLE, CREATE_NEW_PROCESS_GROUP,
                                CREATE_SEPARATE_WOW_VDM, CREATE_SHARED_WOW_VDM, CREATE_SUSPENDED,
                                CREATE_UNICODE_ENVIRONMENT, DEBUG_PROCESS, DEBUG_ONLY_THIS_PROCESS,
                                DETACHED_PROCESS};

const DWORD kInitialBufferSize = 1024;
const char CR = 13, LF = 10;

// One kernel handle, closed when it goes out of scope.
class THandle {
 public:
  THandle() = default;
  explicit THandle(HANDLE h) : handle_(h) {}
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  ~THandle() { Close(); }
  HANDLE Get() const { return handle_; }
  HANDLE* Receive() { return &handle_; }
  void Close() {
    if (handle_) CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_ = nullptr;
};

// Runs a clean-up stage when the scope ends, also when an exception passes.
template <class F>
class TFinally {
 public:
  explicit TFinally(F f) : f_(std::move(f)) {}
  TFinally(const TFinally&) = delete;
  TFinally& operator=(const TFinally&) = delete;
  ~TFinally() { f_(); }

 private:
  F f_;
};
template <class F>
TFinally<F> Finally(F f) { return TFinally<F>(std::move(f)); }

// A child inherits every inheritable handle of the program at its start. Runs make their pipes, keep
// their own ends out of inheritance and start their child one at a time, so that no run's child takes
// another run's ends (a shell holding the input of another would never see that input end).
std::mutex& InheritanceLock() {
  static std::mutex lock;
  return lock;
}

void KeepFromChildren(HANDLE h) { SetHandleInformation(h, HANDLE_FLAG_INHERIT, 0); }

// A job whose processes end when its last handle closes: when the run ends, or the program with it.
HANDLE NewKillOnCloseJob() {
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  if (!job) return nullptr;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  return job;
}

// The wait after a pass: 1 ms after a pass that read or wrote; after quiet passes it doubles up to
// one clock tick of the platform (about 16 ms), which is what a 1 ms Sleep gives there. An idle shell
// so costs next to nothing; its input, its Stop and its child's end wake the worker at once.
const DWORD kLongestIdleWait = 16;

// How long ending a child waits for it and what it started to be gone, files closed.
const DWORD kEndWait = 5000;

bool IsNTFamily() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// A written text counts as ended when its first CR LF, or else its first LF, closes it.
bool EndsLine(const std::string& text) {
  size_t crlf = text.find("\r\n");
  if (crlf != std::string::npos && crlf + 2 == text.size()) return true;
  size_t lf = text.find('\n');
  return lf != std::string::npos && lf + 1 == text.size();
}

}  // namespace

// What a runner shares with its workers. It outlives both: a worker may still be finishing its run
// when its runner is destroyed, and then finds runner cleared and leaves everything alone.
struct TDosLink {
  // The runner's lock: its queue, Lines, its worker and run number, and runner itself.
  TMultiReadExclusiveWriteSynchronizer lock;
  TDosCommand* runner = nullptr;  // cleared on the main thread when the runner goes
  std::atomic<int> callbacks{0};  // OnTerminated calls in progress on workers
  THandle wake{CreateEventA(nullptr, FALSE, FALSE, nullptr)};  // a text queued, or Stop
};

// ---------------------------------------------------------------------------------------------

TProcessTimer::TProcessTimer(TComponent* AOwner) : TTimer(AOwner) {
  SetEnabled(false);
  SetOnTimer(TNotifyEvent::Bind<&TProcessTimer::ProcessTimerTick>(this));
}

void TProcessTimer::ProcessTimerTick(TObject*) {
  ++secondsSinceStart_;
  ++secondsSinceLastOutput_;
}

void TProcessTimer::StartTimer() {
  SetEnabled(false);  // a timer left running by an earlier run starts its count afresh
  SetInterval(1000);
  secondsSinceStart_ = 0;
  secondsSinceLastOutput_ = 0;
  SetEnabled(true);
}


// ---------------------------------------------------------------------------------------------
// The worker.

// The run's own state, kept for its duration.
struct TDosThread::TRun {
  std::vector<char> buffer;
  HANDLE inputWrite = nullptr;  // where queued texts go
  HANDLE outputRead = nullptr;  // where the child's output comes from
  bool started = false;         // the child was started
  DWORD exitCode = STILL_ACTIVE;
  DWORD failure = 0;  // the error code of a failed run, taken where it failed
  std::string pending;  // the unfinished rest of the current output line
  bool previousEndedWithCR = false;
};

namespace {
template <class E>
[[noreturn]] void Fail(DWORD& failure, const std::string& message) {
  failure = GetLastError();
  throw E(message);
}
}  // namespace

template <class F>
bool TDosThread::WithRunner(F&& f) {
  TWriteGuard guard(link_->lock);
  TDosCommand* runner = link_->runner;
  if (!runner || runner->runSerial_ != serial_) return false;
  f(*runner);
  return true;
}

TDosThread::TDosThread(TDosCommand* ADosCommand)
    : TThread(false),
      link_(ADosCommand->link_),
      serial_(ADosCommand->runSerial_),
      commandLine_(ADosCommand->commandLine_),
      maxTimeAfterBeginning_(ADosCommand->maxTimeAfterBeginning_),
      maxTimeAfterLastOutput_(ADosCommand->maxTimeAfterLastOutput_),
      onNewLine_(ADosCommand->OnNewLine),
      onTerminated_(ADosCommand->OnTerminated),
      priorityClass_(ADosCommand->priorityClass_),
      showWindow_(ADosCommand->showWindow_),
      creationFlag_(ADosCommand->creationFlag_) {
  SetFreeOnTerminate(true);
  ADosCommand->inputLines_->Clear();  // Execute holds the runner's lock
}

void TDosThread::Execute() {
  try {
    RunProcess();
  } catch (const TCreatePipeError& e) {
    if (Application) Application->ShowException(e);
  } catch (const TCreateProcessError& e) {
    if (Application) Application->ShowException(e);
  }
}

void TDosThread::RunProcess() {
  TRun run;
  try {
    RunSteps(run);
  } catch (...) {
    if (!run.failure) run.failure = GetLastError();
    EndRun(run);
    throw;
  }
  EndRun(run);
}

void TDosThread::RunSteps(TRun& run) {
  auto setState = [this](uint8_t state) { WithRunner([state](TDosCommand& r) { r.runState_ = state; }); };

  setState(0);
  SECURITY_ATTRIBUTES attributes{};
  attributes.nLength = sizeof attributes;
  attributes.bInheritHandle = TRUE;
  SECURITY_DESCRIPTOR descriptor{};
  if (IsNTFamily()) {
    // A null DACL: the pipes are open to every user.
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    attributes.lpSecurityDescriptor = &descriptor;
  }
  run.buffer.assign(kInitialBufferSize, 0);

  setState(2);
  THandle inputRead, inputWrite, outputRead, outputWrite;
  std::unique_lock<std::mutex> inheriting(InheritanceLock());
  if (!CreatePipe(inputRead.Receive(), inputWrite.Receive(), &attributes, 0))
    Fail<TCreatePipeError>(run.failure, "Cannot create the input pipe for " + commandLine_ + ".");
  if (!CreatePipe(outputRead.Receive(), outputWrite.Receive(), &attributes, 0)) {
    run.failure = GetLastError();
    inputRead.Close();
    inputWrite.Close();
    throw TCreatePipeError("Cannot create the output pipe for " + commandLine_ + ".");
  }
  auto pipeStage = Finally([&] {
    inputRead.Close();
    outputWrite.Close();
    outputRead.Close();
    inputWrite.Close();
  });
  KeepFromChildren(inputWrite.Get());
  KeepFromChildren(outputRead.Get());
  run.inputWrite = inputWrite.Get();
  run.outputRead = outputRead.Get();

  setState(4);
  STARTUPINFOA startup{};
  GetStartupInfoA(&startup);
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(kShowCommands[showWindow_ < std::size(kShowCommands) ? showWindow_ : 0]);
  startup.hStdInput = inputRead.Get();
  startup.hStdOutput = outputWrite.Get();
  startup.hStdError = outputWrite.Get();
  // The C run-time's inherited file table would override the standard handles in the child.
  startup.cbReserved2 = 0;
  startup.lpReserved2 = nullptr;
  std::vector<char> commandLine(commandLine_.begin(), commandLine_.end());
  commandLine.push_back('\0');
  DWORD flags = kCreationFlags[creationFlag_ < std::size(kCreationFlags) ? creationFlag_ : 1] | priorityClass_;
  // The child and what it starts share a job, so that ending the run, or the program, ends them all.
  // Where the job cannot be had (a parent job that forbids it), the run ends only its child.
  THandle job(NewKillOnCloseJob());
  PROCESS_INFORMATION child{};
  // The child inherits its own two pipe ends; the end of a run shows only in its exit code.
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, flags | CREATE_SUSPENDED, nullptr,
                      nullptr, &startup, &child))
    Fail<TCreateProcessError>(run.failure, commandLine_ + " doesn't exist.");
  THandle process(child.hProcess), thread(child.hThread);
  if (job.Get() && !AssignProcessToJobObject(job.Get(), process.Get())) job.Close();
  if (creationFlag_ != fCREATE_SUSPENDED) ResumeThread(thread.Get());
  // Without this copy of the child's input end, a write blocked on a child that never reads returns
  // once the child is ended.
  inputRead.Close();
  KeepFromChildren(outputWrite.Get());
  inheriting.unlock();
  run.started = true;
  run.exitCode = STILL_ACTIVE;
  {
    TWriteGuard guard(link_->lock);
    child_ = process.Get();
    childJob_ = job.Get();
  }
  auto childStage = Finally([&] {
    {
      TWriteGuard guard(link_->lock);
      child_ = childJob_ = nullptr;
    }
    if (run.exitCode == STILL_ACTIVE) EndChild(job.Get(), process.Get());
    WithRunner([](TDosCommand& r) { r.timer_->StopTimer(); });
    thread.Close();
    process.Close();
  });

  WithRunner([](TDosCommand& r) { r.timer_->StartTimer(); });
  setState(6);
  run.pending.clear();
  run.previousEndedWithCR = false;

  DWORD idleWait = 1;
  for (;;) {
    DWORD code = STILL_ACTIVE;
    if (GetExitCodeProcess(process.Get(), &code)) run.exitCode = code;
    DWORD available = 0;
    if (!PeekNamedPipe(outputRead.Get(), nullptr, 0, nullptr, &available, nullptr)) available = 0;
    bool busy = available > 0;
    if (busy)
      ReadChunk(run, available);
    else
      busy = WriteQueue(run);
    idleWait = busy ? 1 : std::min(idleWait * 2, kLongestIdleWait);
    const HANDLE wakers[] = {process.Get(), link_->wake.Get()};
    WaitForMultipleObjects(2, wakers, FALSE, idleWait);
    if (Terminated()) {
      run.exitCode = STILL_ACTIVE;  // stopped: Stop may have ended the child itself
      setState(9);
      break;
    }
    if (run.exitCode != STILL_ACTIVE) {
      const DWORD exitCode = run.exitCode;
      WithRunner([exitCode](TDosCommand& r) {
        r.runState_ = 8;
        r.lastExitCode_ = exitCode;
      });
      break;
    }
    if (TimeLimitExceeded()) {
      setState(10);
      break;
    }
  }
  if (!run.pending.empty()) AddNewLine(run.pending, otBeginningOfLine);
}

void TDosThread::ReadChunk(TRun& run, DWORD available) {
  if (available > run.buffer.size()) run.buffer.resize(available);  // never shrinks
  std::fill(run.buffer.begin(), run.buffer.end(), 0);
  char* bytes = run.buffer.data();
  DWORD read = 0;
  if (!ReadFile(run.outputRead, bytes, static_cast<DWORD>(run.buffer.size()), &read, nullptr)) read = 0;
  read = std::min<DWORD>(read, static_cast<DWORD>(run.buffer.size()));
  // The whole chunk, NULs and all, so that text after a NUL is converted too.
  if (read > 0) OemToCharBuffA(bytes, bytes, read);

  std::string line = run.pending;
  DWORD i = 0;
  char last = 0;
  while (i < read && !Terminated()) {
    const char c = bytes[i];
    if (c == 0 || (c == LF && i == 0 && run.previousEndedWithCR)) {  // a NUL, or the LF of a split CR LF
      last = c;
      ++i;
      continue;
    }
    if (c == CR || c == LF) {
      TReturnCode code = rcLF;
      if (c == CR && i + 1 < read && bytes[i + 1] == LF) {
        code = rcCRLF;
        last = LF;
        i += 2;
      } else {
        last = c;
        ++i;
      }
      WithRunner([code](TDosCommand& r) { r.outputReturnCode_ = code; });
      AddNewLine(line, otEntireLine);
      line.clear();
      continue;
    }
    line += c;
    last = c;
    ++i;
  }
  run.previousEndedWithCR = i > 0 && last == CR;
  run.pending = line;
  if (!run.pending.empty()) AddNewLine(run.pending, otBeginningOfLine);
}

bool TDosThread::WriteQueue(TRun& run) {
  bool wrote = false;
  while (!Terminated()) {
    std::string text;
    bool queued = false;
    WithRunner([&](TDosCommand& r) {
      queued = r.inputLines_->Count() > 0;
      if (queued) text = r.inputLines_->Strings(0);
    });
    if (!queued) return wrote;
    wrote = true;
    const bool ended = EndsLine(text);
    // The child's console reads in the OEM code page, as it writes.
    std::string oem(text.size(), '\0');
    if (!text.empty()) CharToOemBuffA(text.data(), &oem[0], static_cast<DWORD>(text.size()));
    DWORD written = 0;
    if (!oem.empty()) WriteFile(run.inputWrite, oem.data(), static_cast<DWORD>(oem.size()), &written, nullptr);
    bool echo = false;
    WithRunner([&](TDosCommand& r) { echo = r.inputToOutput_; });
    if (echo) {
      if (lastWasBeginning_)
        run.pending += text;
      else
        run.pending = text;
      if (ended) {
        AddNewLine(run.pending, otEntireLine);
        run.pending.clear();
      } else {
        AddNewLine(run.pending, otBeginningOfLine);
      }
    }
    WithRunner([](TDosCommand& r) {
      if (r.inputLines_->Count() > 0) r.inputLines_->Delete(0);
    });
  }
  return wrote;
}

void TDosThread::EndChild(HANDLE Job, HANDLE Process) {
  const ULONGLONG until = GetTickCount64() + kEndWait;
  if (Job) {
    TerminateJobObject(Job, 0);
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
    while (QueryInformationJobObject(Job, JobObjectBasicAccountingInformation, &info, sizeof info, nullptr) &&
           info.ActiveProcesses > 0 && GetTickCount64() < until)
      Sleep(1);
  } else if (Process) {
    TerminateProcess(Process, 0);
    WaitForSingleObject(Process, kEndWait);
  }
}

bool TDosThread::TimeLimitExceeded() {
  if (maxTimeAfterBeginning_ <= 0 && maxTimeAfterLastOutput_ <= 0) return false;
  bool exceeded = false;
  WithRunner([&](TDosCommand& r) {
    exceeded = (maxTimeAfterBeginning_ > 0 && maxTimeAfterBeginning_ < r.timer_->SecondsSinceStart()) ||
               (maxTimeAfterLastOutput_ > 0 && maxTimeAfterLastOutput_ < r.timer_->SecondsSinceLastOutput());
  });
  return exceeded;
}

void TDosThread::EndRun(TRun& run) {
  const DWORD failure = run.failure;
  TDosCommand* sender = nullptr;
  {
    TReadGuard guard(link_->lock);
    sender = link_->runner;
    if (sender) ++link_->callbacks;  // the runner's destruction waits for the handler to return
  }
  if (sender) {
    try {
      if (onTerminated_) onTerminated_(sender, run.started ? run.exitCode : failure);
    } catch (...) {
      HandleException(sender);
    }
    --link_->callbacks;
  }
  {
    TWriteGuard guard(link_->lock);
    if (TDosCommand* r = link_->runner) {
      if (r->runSerial_ == serial_) {
        const uint8_t state = r->runState_;
        if (state == 0 || state == 2 || state == 4 || state == 6) {
          r->runState_ = static_cast<uint8_t>(state + 1);
          r->lastExitCode_ = failure;
        }
      }
      if (r->worker_ == this) r->worker_ = nullptr;  // it frees itself from here on
    }
  }
  Terminate();
}

void TDosThread::AddNewLine(const std::string& NewLine, TOutputType OutputType) {
  try {
    bool delivered = false;
    {
      TWriteGuard guard(link_->lock);
      if (TDosCommand* r = link_->runner) {
        delivered = true;
        if (r->runSerial_ == serial_) {
          r->lines_->Add(NewLine);
          r->timer_->ResetLastOutput();
        }
      }
    }
    if (!delivered) return;  // the runner and what its handlers belong to are gone
    newLine_ = NewLine;
    outputType_ = OutputType;
    Synchronize(TThreadMethod::Bind<&TDosThread::SyncNewLine>(this));
  } catch (...) {
    // A failing handler does not end the run.
  }
}

void TDosThread::SyncNewLine() {
  TDosCommand* runner = link_->runner;  // changed only on this thread
  const bool own = runner && runner->runSerial_ == serial_;
  if (own && runner->outputLines_) {
    TStrings* list = runner->outputLines_;
    list->BeginUpdate();
    auto endUpdate = Finally([list] { list->EndUpdate(); });
    if (list->Count() > 0) {
      if (lastWasBeginning_)
        list->SetString(list->Count() - 1, newLine_);
      else
        list->Add(newLine_);
    } else if (outputType_ == otBeginningOfLine) {
      list->SetText(newLine_);
    } else {
      list->Add(newLine_);
    }
  }
  lastWasBeginning_ = outputType_ == otBeginningOfLine;
  if (runner && onNewLine_) onNewLine_(runner, newLine_, outputType_);
}

// ---------------------------------------------------------------------------------------------

TDosCommand::TDosCommand(TComponent* AOwner)
    : TComponent(AOwner),
      lines_(std::make_unique<TStringList>()),
      inputLines_(std::make_unique<TStringList>()),
      link_(std::make_shared<TDosLink>()) {
  link_->runner = this;
}

TDosCommand::~TDosCommand() { Detach(); }

void TDosCommand::BeforeDestruction() {
  Detach();  // before the owned timer goes with the inherited steps
  inherited::BeforeDestruction();
}

void TDosCommand::Detach() {
  if (link_->runner != this) return;
  Stop();
  {
    TWriteGuard guard(link_->lock);
    link_->runner = nullptr;
  }
  // A worker inside OnTerminated may be waiting for this thread: serve it until the handler returns.
  while (link_->callbacks > 0) {
    CheckSynchronize();
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    Sleep(1);
  }
}

void TDosCommand::Execute() {
  if (commandLine_.empty()) return;
  Stop();
  if (!timer_) timer_ = Create<TProcessTimer>(this);
  TWriteGuard guard(link_->lock);
  lines_->Clear();
  ++runSerial_;
  worker_ = NewThread<TDosThread>(this);
}

void TDosCommand::Stop() {
  TWriteGuard guard(link_->lock);
  if (!worker_) return;
  worker_->SetFreeOnTerminate(true);
  worker_->Terminate();  // seen at the worker's next check; it ends the run with state 9
  // Ended from here, so that a worker blocked writing to a child that never reads gets free too.
  TDosThread::EndChild(worker_->childJob_, worker_->child_);
  worker_ = nullptr;
  SetEvent(link_->wake.Get());
}

void TDosCommand::SendLine(const std::string& Value, bool AddReturn) {
  TWriteGuard guard(link_->lock);
  if (!worker_) return;
  std::string text = Value;
  if (AddReturn) text += returnCode_ == rcCRLF ? "\r\n" : "\n";
  inputLines_->Add(text);
  SetEvent(link_->wake.Get());
}
