// Figures of the console command runner (not a test): throughput against a bare blocking pipe reader,
// latency from a child's write to OnNewLine, and the CPU time of an idle run. Run it with
// scripts/dosbench.sh. "dosbench stamps N GAP" is its own child for the latency: N lines, each the
// child's performance counter at the write, GAP ms apart.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "DosCommand.h"
#include "Forms.h"

namespace {

const int kThroughputLines = 200000;
const int kLatencyLines = 1000;
const DWORD kIdleMs = 5000;

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string ProgramFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.resize(folder.find_last_of('\\') + 1);
  return folder;
}

int Stamps(int count, DWORD gap) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  Sleep(200);  // let the reader settle into its loop
  for (int i = 0; i < count; ++i) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    char line[32];
    int length = std::snprintf(line, sizeof line, "%lld\r\n", static_cast<long long>(now.QuadPart));
    DWORD written = 0;
    WriteFile(out, line, static_cast<DWORD>(length), &written, nullptr);
    Sleep(gap);
  }
  return 0;
}

// Runs the message loop until done holds, as a converter's main thread does.
template <class Condition>
void RunUntil(Condition done) {
  while (!done()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Application->ProcessMessages();
  }
}

struct THandleGuard {
  HANDLE h;
  ~THandleGuard() {
    if (h) CloseHandle(h);
  }
};

// The same child read by the simplest reader there is: blocking reads until the pipe breaks.
double BareReaderLinesPerSecond(const std::string& commandLine, int& lines) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &sa, 0)) return 0;
  THandleGuard readGuard{read}, writeGuard{write};
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdOutput = write;
  startup.hStdError = write;
  PROCESS_INFORMATION child{};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  const double start = Now();
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr, nullptr, &startup,
                      &child))
    return 0;
  THandleGuard process{child.hProcess}, thread{child.hThread};
  CloseHandle(write);
  writeGuard.h = nullptr;
  std::vector<char> buffer(65536);
  DWORD got = 0;
  lines = 0;
  while (ReadFile(read, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0)
    lines += static_cast<int>(std::count(buffer.begin(), buffer.begin() + got, '\n'));
  return lines / (Now() - start);
}

struct Throughput {
  int lines = 0;
  double end = 0;
  void NewLine(TObject*, std::string, TOutputType OutputType) {
    if (OutputType == otEntireLine && ++lines == kThroughputLines) end = Now();
  }
};

struct Latency {
  std::vector<double> delays;
  double frequency;
  void NewLine(TObject*, std::string NewLine, TOutputType OutputType) {
    if (OutputType != otEntireLine) return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    delays.push_back(static_cast<double>(now.QuadPart - std::atoll(NewLine.c_str())) / frequency);
  }
};

struct Prompt {
  bool seen = false;
  void NewLine(TObject*, std::string NewLine, TOutputType OutputType) {
    if (OutputType == otBeginningOfLine && !NewLine.empty() && NewLine.back() == '>') seen = true;
  }
};

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

// CPU milliseconds per wall second while the main thread waits in its message loop.
double IdleCpuPerSecond() {
  const double cpu = ProcessCpuSeconds();
  const double start = Now();
  const DWORD begin = GetTickCount();
  for (DWORD elapsed; (elapsed = GetTickCount() - begin) < kIdleMs;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kIdleMs - elapsed, QS_ALLINPUT);
    Application->ProcessMessages();
  }
  return (ProcessCpuSeconds() - cpu) * 1000 / (Now() - start);
}

void Free(TDosCommand*& dos) {
  dos->Free();
  dos = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "stamps") return Stamps(std::atoi(argv[2]), std::atoi(argv[3]));
  Application->Initialize();
  const std::string folder = ProgramFolder();
  const std::string child = "\"" + folder + "testchild.exe\" lines:" + std::to_string(kThroughputLines);

  // (1) Throughput, bare reader first so that both see a warm child.
  int bareLines = 0;
  const double bare = BareReaderLinesPerSecond(child, bareLines);
  Throughput counted;
  TDosCommand* dos = Create<TDosCommand>(nullptr);
  dos->SetCommandLine(child);
  dos->OnNewLine = TNewLineEvent::Bind<&Throughput::NewLine>(&counted);
  const double start = Now();
  dos->Execute();
  RunUntil([&] { return counted.lines >= kThroughputLines || dos->RunState() >= 7; });
  const double runner = counted.lines / ((counted.end > 0 ? counted.end : Now()) - start);
  RunUntil([&] { return dos->RunState() >= 7; });
  std::printf("throughput: runner %.0f lines/s (%d lines), bare reader %.0f lines/s (%d lines), ratio %.2f\n",
              runner, counted.lines, bare, bareLines, bare > 0 ? runner / bare : 0.0);
  std::fflush(stdout);
  Free(dos);

  // (2) Latency from the child's write to OnNewLine.
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  Latency latency;
  latency.frequency = static_cast<double>(frequency.QuadPart);
  dos = Create<TDosCommand>(nullptr);
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  dos->SetCommandLine("\"" + std::string(self) + "\" stamps " + std::to_string(kLatencyLines) + " 2");
  dos->OnNewLine = TNewLineEvent::Bind<&Latency::NewLine>(&latency);
  dos->Execute();
  RunUntil([&] { return dos->RunState() >= 7; });
  std::vector<double> delays = latency.delays;
  std::sort(delays.begin(), delays.end());
  if (!delays.empty())
    std::printf("latency: median %.2f ms, 99th percentile %.2f ms, max %.2f ms (%zu lines)\n",
                delays[delays.size() / 2] * 1000, delays[delays.size() * 99 / 100] * 1000, delays.back() * 1000,
                delays.size());
  std::fflush(stdout);
  Free(dos);

  // (3) CPU of an idle run: a shell waiting at its prompt, against the same wait with no run.
  const double quiet = IdleCpuPerSecond();
  Prompt prompt;
  dos = Create<TDosCommand>(nullptr);
  dos->SetCommandLine("cmd.exe");
  dos->OnNewLine = TNewLineEvent::Bind<&Prompt::NewLine>(&prompt);
  dos->Execute();
  RunUntil([&] { return prompt.seen || dos->RunState() >= 7; });
  const double idle = IdleCpuPerSecond();
  std::printf("idle run: %.1f ms CPU per wall second with a shell at its prompt (%.1f ms with no run)\n", idle,
              quiet);
  std::fflush(stdout);
  dos->Stop();
  Free(dos);
  return 0;
}
