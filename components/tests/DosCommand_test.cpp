// The console command runner with real children behind real pipes: testchild.exe from the bin folder
// (its script decides how the output splits across reads) and the platform's cmd.exe. The tests wait
// by running the message loop until a condition holds; a split across reads is forced by a child that
// waits for a line on its input, which the test sends once the first part has arrived.
#include "DosCommand.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "ProcessTree.h"
#include "TestLoop.h"

namespace {

const DWORD kWait = 60000;  // generous: a loaded machine is slow, never wrong

std::string TestChild() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.resize(folder.find_last_of('\\') + 1);
  return "\"" + folder + "..\\bin\\testchild.exe\"";
}

// Every delivery as "+text" (a beginning) or "=text" (a whole line).
struct Recorder {
  std::vector<std::string> pieces;
  std::vector<TReturnCode> returnCodes;  // OutputReturnCode at each whole line
  std::atomic<int> terminations{0};
  std::atomic<uint32_t> exitCode{0};
  std::vector<TObject*> senders;

  void NewLine(TObject* Sender, std::string NewLine, TOutputType OutputType) {
    pieces.push_back((OutputType == otBeginningOfLine ? "+" : "=") + NewLine);
    if (OutputType == otEntireLine) returnCodes.push_back(static_cast<TDosCommand*>(Sender)->OutputReturnCode());
    senders.push_back(Sender);
  }
  void Terminated(TObject*, uint32_t ExitCode) {
    exitCode = ExitCode;
    ++terminations;
  }
  bool Has(const std::string& piece) const {
    for (const std::string& p : pieces)
      if (p == piece) return true;
    return false;
  }
};

struct FreeComponent {
  void operator()(TComponent* c) const { c->Free(); }
};
using Runner = std::unique_ptr<TDosCommand, FreeComponent>;

Runner NewRunner(Recorder& rec, const std::string& commandLine) {
  Runner dos(Create<TDosCommand>(nullptr));
  dos->SetCommandLine(commandLine);
  dos->OnNewLine = TNewLineEvent::Bind<&Recorder::NewLine>(&rec);
  dos->OnTerminated = TTerminateEvent::Bind<&Recorder::Terminated>(&rec);
  return dos;
}

bool Ended(const TDosCommand& dos, const Recorder& rec) {
  const uint8_t state = dos.RunState();
  return rec.terminations > 0 && state != 0 && state != 2 && state != 4 && state != 6;
}

std::set<DWORD> TestChildren() { return LiveDescendants("testchild.exe"); }
int LiveChildren() { return static_cast<int>(TestChildren().size()); }

// The handles of Pid whose kind is File, Process or Thread (the kinds a run opens: its pipes, its
// child's process and thread, its worker thread), from the system's handle table. Other kinds are left
// out: the class library's locks keep semaphores of their own. Kinds are told by name for this
// process's handles, and by the table's type numbers of those for another process's.
int OpenHandles(DWORD Pid = GetCurrentProcessId()) {
  struct Entry {
    ULONG ownerPid;
    BYTE objectType, flags;
    USHORT value;
    PVOID object;
    ULONG access;
  };
  struct TypeName {
    USHORT length, maximumLength;
    PWSTR buffer;
  };
  using QuerySystem = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  using QueryObject = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  static const auto querySystem =
      reinterpret_cast<QuerySystem>(reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "NtQuerySystemInformation")));
  static const auto queryObject =
      reinterpret_cast<QueryObject>(reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "NtQueryObject")));
  const ULONG kSystemHandleInformation = 16, kObjectTypeInformation = 2;
  std::vector<char> buffer(1 << 20);
  ULONG size = 0;
  LONG status;
  while ((status = querySystem(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                               &size)) == static_cast<LONG>(0xC0000004))  // too small
    buffer.resize(buffer.size() * 2);
  if (status != 0) return -1;
  const ULONG count = *reinterpret_cast<ULONG*>(buffer.data());
  const Entry* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(void*));
  std::set<BYTE> counted;  // the type numbers of the kinds
  for (ULONG i = 0; i < count; ++i) {
    if (entries[i].ownerPid != GetCurrentProcessId()) continue;
    alignas(8) char info[512] = {};
    HANDLE handle = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(entries[i].value));
    if (queryObject(handle, kObjectTypeInformation, info, sizeof info, nullptr) != 0) continue;
    const TypeName* type = reinterpret_cast<const TypeName*>(info);
    const std::wstring name(type->buffer, type->length / sizeof(wchar_t));
    if (name == L"File" || name == L"Process" || name == L"Thread") counted.insert(entries[i].objectType);
  }
  int found = 0;
  for (ULONG i = 0; i < count; ++i)
    if (entries[i].ownerPid == Pid && counted.count(entries[i].objectType)) ++found;
  return found;
}

// The texts of a message box that another thread of this process shows, or empty.
struct FoundBox {
  HWND window = nullptr;
  std::string text;
};
BOOL CALLBACK CollectText(HWND child, LPARAM param) {
  char text[512] = {};
  GetWindowTextA(child, text, sizeof text);
  reinterpret_cast<FoundBox*>(param)->text += std::string(text) + "\n";
  return TRUE;
}
BOOL CALLBACK FindBox(HWND wnd, LPARAM param) {
  DWORD pid = 0;
  const DWORD thread = GetWindowThreadProcessId(wnd, &pid);
  char cls[64] = {};
  GetClassNameA(wnd, cls, sizeof cls);
  if (pid != GetCurrentProcessId() || thread == GetCurrentThreadId() || std::string(cls) != "#32770" ||
      !IsWindowVisible(wnd))
    return TRUE;
  auto* box = reinterpret_cast<FoundBox*>(param);
  box->window = wnd;
  EnumChildWindows(wnd, CollectText, param);
  return FALSE;
}
FoundBox WorkerMessageBox() {
  FoundBox box;
  EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
  return box;
}

class DosCommandTest : public ::testing::Test {
 protected:
  // Runs one child, so that what the platform loads for the first child is not counted as a leak.
  static void WarmUp() {
    static bool done = false;
    if (done) return;
    done = true;
    Recorder rec;
    Runner dos = NewRunner(rec, TestChild() + " exit:0");
    dos->Execute();
    ASSERT_TRUE(WaitUntil([&] { return Ended(*dos, rec); }, kWait));
    ASSERT_TRUE(WaitUntil([] { return LiveChildren() == 0; }, kWait));
  }
  void TearDown() override {
    // No test leaves a child behind for the next one.
    EXPECT_TRUE(WaitUntil([] { return LiveChildren() == 0; }, kWait));
  }
  Recorder rec;
};

// ---------------------------------------------------------------------------------------------
// Splitting the output into lines.

struct SplitCase {
  const char* name;
  const char* first;   // written in one read
  const char* second;  // written once the first has been delivered; null: none
  std::vector<std::string> pieces;
  std::vector<TReturnCode> returnCodes;  // at each whole line
  std::vector<std::string> outputLines;
};

const SplitCase kSplitCases[] = {
    {"LineAcrossTwoReads", "abc", "def\\r\\n", {"+abc", "=abcdef"}, {rcCRLF}, {"abcdef"}},
    {"CrLfInsideOneRead", "a\\r\\nb", nullptr, {"=a", "+b", "+b"}, {rcCRLF}, {"a", "b"}},
    {"LoneCr", "a\\rb\\r\\n", nullptr, {"=a", "=b"}, {rcLF, rcCRLF}, {"a", "b"}},
    {"CrEndsOneReadLfBeginsTheNext", "a\\r", "\\nb\\r\\n", {"=a", "=b"}, {rcLF, rcCRLF}, {"a", "b"}},
    {"CrCrLfIsTwoLineEnds", "a\\r\\r\\n", nullptr, {"=a", "="}, {rcLF, rcCRLF}, {"a", ""}},
    {"LfAloneEndsALine", "a\\nb\\n", nullptr, {"=a", "=b"}, {rcLF, rcLF}, {"a", "b"}},
    {"NulsNeverDelivered", "\\0a\\0b\\0\\r\\n\\0", nullptr, {"=ab"}, {rcCRLF}, {"ab"}},
    {"NulAcrossReads", "x\\0", "\\0y\\r\\n", {"+x", "=xy"}, {rcCRLF}, {"xy"}},
    {"PromptWithoutLineEnd", "C:\\\\work>", nullptr, {"+C:\\work>", "+C:\\work>"}, {}, {"C:\\work>"}},
};

class LineSplitting : public DosCommandTest, public ::testing::WithParamInterface<SplitCase> {};

TEST_P(LineSplitting, DeliversPiecesInOrder) {
  const SplitCase& c = GetParam();
  std::string script = std::string(" out:") + c.first;
  if (c.second) script += std::string(" echo:go out:") + c.second;
  Runner dos = NewRunner(rec, TestChild() + script);
  TStringList output;
  dos->SetOutputLines(&output);
  dos->Execute();
  if (c.second) {
    ASSERT_TRUE(WaitUntil([&] { return !rec.pieces.empty(); }, kWait));
    dos->SendLine("go", true);
  }
  ASSERT_TRUE(WaitUntil([&] { return Ended(*dos, rec); }, kWait));
  EXPECT_EQ(rec.pieces, c.pieces);
  EXPECT_EQ(rec.returnCodes, c.returnCodes);
  std::vector<std::string> items;
  for (int i = 0; i < output.Count(); ++i) items.push_back(output.Strings(i));
  EXPECT_EQ(items, c.outputLines);
  EXPECT_EQ(dos->RunState(), 8);
  // Lines holds every piece as delivered.
  ASSERT_EQ(dos->Lines()->Count(), static_cast<int>(c.pieces.size()));
  for (size_t i = 0; i < c.pieces.size(); ++i) EXPECT_EQ(dos->Lines()->Strings(i), c.pieces[i].substr(1));
}

INSTANTIATE_TEST_SUITE_P(DosCommand, LineSplitting, ::testing::ValuesIn(kSplitCases),
                         [](const ::testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

// Text after a NUL in the same read is converted from the OEM code page like the rest.
TEST_F(DosCommandTest, ConvertsTheWholeReadFromTheOemCodePage) {
  char oem[] = "\x81\x82";
  char ansi[sizeof oem];
  OemToCharBuffA(oem, ansi, 2);
  ansi[2] = 0;
  if (std::string(ansi) == oem) GTEST_SKIP() << "the OEM and ANSI code pages agree here";
  Runner dos = NewRunner(rec, TestChild() + " out:\\x81\\0\\x82\\r\\n");
  dos->Execute();
  ASSERT_TRUE(WaitUntil([&] { return Ended(*dos, rec); }, kWait));
  EXPECT_EQ(rec.pieces, std::vector<std::string>{"=" + std::string(ansi)});
}

// The child's console reads in the OEM code page too: an echoed text comes back as it was sent.
TEST_F(DosCommandTest, TextsReachTheChildInTheOemCodePage) {
  const std::string text = "caf\xe9 na\xefve \xfc";  // in the ANSI code page
  Runner dos = NewRunner(rec, TestChild() + " echo:quit");
  dos->Execute();
  dos->SendLine(text, true);
  dos->SendLine("quit", true);
  ASSERT_TRUE(WaitUntil([&] { return Ended(*dos, rec); }, kWait));
  EXPECT_EQ(rec.pieces, std::vector<std::string>{"=" + text});
}

TEST_F(DosCommandTest, MegabytesArriveWholeAndInOrder) {
  const int kBytes = 2000000;  // lines "0000000\r\n" and on, 9 bytes each; the last one cut
  Runner dos = NewRunner(rec, TestChild() + " burst:" + std::to_string(kBytes));
  dos->Execute();
  ASSERT_TRUE(WaitUntil([&] { return Ended(*dos, rec); }, 5 * kWait));
  int next = 0;
  std::string partial;
  bool inOrder = true;
  for (const std::string& piece : rec.pieces) {
    char expected[16];
    std::snprintf(expected, sizeof expected, "%07d", next);
    if (piece[0] == '=') {
      if (piece.substr(1) != expected) inOrder = false;
      ++next;
    } else if (std::string(expected).compare(0, piece.size() - 1, piece.substr(1)) != 0) {
      inOrder = false;  // a beginning is always the start of the line that comes next
    }
    if (!inOrder) {
      ADD_FAILURE() << "piece " << piece << " where line " << expected << " was due";
      break;
    }
  }
  EXPECT_EQ(next, kBytes / 9);
  EXPECT_EQ(rec.pieces.back(), "+02");  // the cut last line "0222222", delivered again at the end
  EXPECT_EQ(dos->RunState(), 8);
}

// ---------------------------------------------------------------------------------------------
// How a run ends.

TEST_F(DosCommandTest, ChildThatExitsHasItsLastOutputReadAndItsCodeKept) {
  Runner dos = NewRunner(rec, TestChild() + " lines:2000 out:bye exit:7");
  dos->Execute();
  ASSERT_TRUE(WaitUntil([&] { return Ended(*dos, rec); }, kWait));
  ASSERT_GE(rec.pieces.size(), 2002u);
  EXPECT_EQ(rec.pieces[rec.pieces.size() - 3], "=line 2000");
  EXPECT_EQ(rec.pieces[rec.pieces.size() - 2], "+bye");
  EXPECT_EQ(rec.pieces.back(), "+bye");
  EXPECT_EQ(dos->RunState(), 8);
  EXPECT_EQ(dos->LastExitCode(), 7u);
  EXPECT_EQ(rec.exitCode, 7u);
  EXPECT_EQ(rec.terminations, 1);
}

// The child is gone when Stop returns: the files it held are closed then.
TEST_F(DosCommandTest, StopTerminatesTheChild) {
  Runner dos = NewRunner(rec, TestChild() + " out:ready\\r\\n hang");
  dos->Execute();
  ASSERT_TRUE(WaitUntil([&] { return rec.Has("=ready"); }, kWait));
  EXPECT_EQ(dos->RunState(), 6);
  WatchedProcesses child(TestChildren());
  ASSERT_EQ(child.Count(), 1u);
  dos->Stop();
  EXPECT_TRUE(child.AllEnded());
  ASSERT_TRUE(WaitUntil([&] { return Ended(*dos, rec); }, kWait));
  EXPECT_EQ(dos->RunState(), 9);
  EXPECT_EQ(rec.exitCode, static_cast<uint32_t>(STILL_ACTIVE));
}

// A process that already sits in a job which allows no nested job, as older platforms have it (Wine
// nests every job): the program's import of AssignProcessToJobObject refuses as such a platform does.
class NestedJobRefused {
 public:
  explicit NestedJobRefused(bool Refused) {
    const FARPROC assign = GetProcAddress(GetModuleHandleA("kernel32.dll"), "AssignProcessToJobObject");
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
    auto** slots = reinterpret_cast<void**>(base + imports.VirtualAddress);
    for (size_t i = 0; Refused && i < imports.Size / sizeof(void*); ++i)
      if (slots[i] == reinterpret_cast<void*>(assign)) slot_ = &slots[i];
    Swap(reinterpret_cast<void*>(&Refuse));
  }
  ~NestedJobRefused() { Swap(saved_); }
  bool Refusing() const { return slot_ != nullptr; }

 private:
  static BOOL WINAPI Refuse(HANDLE, HANDLE) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  void Swap(void* Value) {
    DWORD access = 0;
    if (!slot_ || !VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &access)) return;
    saved_ = *slot_;
    *slot_ = Value;
    VirtualProtect(slot_, sizeof *slot_, access, &access);
  }
  void** slot_ = nullptr;
  void* saved_ = nullptr;
};

// Stop and the runner's destruction end the child with all it started, also while the worker is
// blocked writing to a child that never reads; without a job of its own, a run ends its child.
struct EndCase {
  const char* name;
  bool throughShell;  // cmd.exe starts the testchild
  bool destroy;       // else Stop
  bool noJob;         // the run's child cannot join a job of the run
};
const EndCase kEndCases[] = {{"StopThroughTheShell", true, false, false},
                             {"DestroyThroughTheShell", true, true, false},
                             {"StopWhileAWriteWaits", false, false, false},
                             {"DestroyWhileAWriteWaits", false, true, false},
                             {"StopWithoutAJob", false, false, true}};
class Ending : public DosCommandTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(Ending, EndsTheChildAndWhatItStarted) {
  NestedJobRefused refused(GetParam().noJob);
  ASSERT_EQ(refused.Refusing(), GetParam().noJob);
  const std::string event = "dostest-input-" + std::to_string(GetCurrentProcessId());
  HANDLE waiting = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
  Runner dos = NewRunner(rec, GetParam().throughShell ? "cmd.exe" : TestChild() + " waitinput signal:" + event + " hang");
  dos->Execute();
  if (GetParam().throughShell) {
    dos->SendLine(TestChild() + " hang", true);
    ASSERT_TRUE(WaitUntil([] { return LiveChildren() == 1; }, kWait));
  } else {
    dos->SendLine(std::string(4 << 20, 'x'), true);  // far more than the pipe holds
    ASSERT_TRUE(WaitUntil([&] { return WaitForSingleObject(waiting, 0) == WAIT_OBJECT_0; }, kWait));
  }
  CloseHandle(waiting);
  WatchedProcesses started(TestChildren());
  ASSERT_EQ(started.Count(), 1u);
  if (GetParam().destroy) {
    dos.reset();
  } else {
    dos->Stop();
    ASSERT_TRUE(WaitUntil([&] { return Ended(*dos, rec); }, kWait));
    EXPECT_EQ(dos->RunState(), 9);
    EXPECT_EQ(rec.exitCode, static_cast<uint32_t>(STILL_ACTIVE));
  }
  EXPECT_TRUE(WaitUntil([&] { return started.AllEnded(); }, kWait));
}

// A run's child holds its own pipe ends only, none that another run keeps: a shell holding the input
// of another would keep that shell from ever seeing its input end, when its program has ended. Two
// runs started at once make their pipes and children on their two workers side by side; each child
// holds what a child started alone holds.
TEST_F(DosCommandTest, AChildInheritsNoPipeEndOfAnotherRun) {
  Recorder alone, second;
  Runner lone = NewRunner(alone, TestChild() + " out:ready\\r\\n hang");
  lone->Execute();
  ASSERT_TRUE(WaitUntil([&] { return alone.Has("=ready"); }, kWait));
  const std::set<DWORD> before = TestChildren();
  ASSERT_EQ(before.size(), 1u);
  Runner one = NewRunner(rec, TestChild() + " out:ready\\r\\n hang");
  Runner two = NewRunner(second, TestChild() + " out:ready\\r\\n hang");
  one->Execute();
  two->Execute();
  ASSERT_TRUE(WaitUntil([&] { return rec.Has("=ready") && second.Has("=ready"); }, kWait));
  std::set<DWORD> pair = TestChildren();
  pair.erase(*before.begin());
  ASSERT_EQ(pair.size(), 2u);
  for (DWORD child : pair) EXPECT_EQ(OpenHandles(child), OpenHandles(*before.begin()));
}

INSTANTIATE_TEST_SUITE_P(DosCommand, Ending, ::testing::ValuesIn(kEndCases),
                         [](const ::testing::TestParamInfo<EndCase>& info) { return info.param.name; });

struct LimitCase {
  const char* name;
  void (TDosCommand::*set)(int32_t);
  int32_t (TProcessTimer::*counter)() const;
};
const LimitCase kLimitCases[] = {
    {"AfterBeginning", &TDosCommand::SetMaxTimeAfterBeginning, &TProcessTimer::SecondsSinceStart},
    {"AfterLastOutput", &TDosCommand::SetMaxTimeAfterLastOutput, &TProcessTimer::SecondsSinceLastOutput},
};
class TimeLimits : public DosCommandTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(TimeLimits, EndTheRunOnceTheCounterPassesTheLimit) {
  Runner dos = NewRunner(rec, TestChild() + " out:ready\\r\\n hang");
  (dos.get()->*GetParam().set)(1);
  dos->Execute();
  ASSERT_TRUE(WaitUntil([&] { return Ended(*dos, rec); }, kWait));
  EXPECT_EQ(dos->RunState(), 10);
  EXPECT_GT((dos->ProcessTimer()->*GetParam().counter)(), 1);
  EXPECT_EQ(rec.exitCode, static_cast<uint32_t>(STILL_ACTIVE));
  EXPECT_TRUE(rec.Has("=ready"));
  EXPECT_TRUE(WaitUntil([] { return LiveChildren() == 0; }, kWait));
}

INSTANTIATE_TEST_SUITE_P(DosCommand, TimeLimits, ::testing::ValuesIn(kLimitCases),
                         [](const ::testing::TestParamInfo<LimitCase>& info) { return info.param.name; });

TEST_F(DosCommandTest, CommandLineThatNamesNoProgramIsReportedOnTheWorker) {
  Runner dos = NewRunner(rec, "no-such-program-here.exe /x");
  dos->Execute();
  FoundBox box;
  ASSERT_TRUE(WaitUntil([&] { return (box = WorkerMessageBox()).window != nullptr; }, kWait));
  EXPECT_NE(box.text.find("no-such-program-here.exe /x doesn't exist."), std::string::npos) << box.text;
  EXPECT_EQ(dos->RunState(), 5);
  EXPECT_NE(dos->LastExitCode(), 0u);
  EXPECT_EQ(rec.exitCode, dos->LastExitCode());
  EXPECT_EQ(rec.terminations, 1);
  PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_TRUE(WaitUntil([] { return WorkerMessageBox().window == nullptr; }, kWait));
}

TEST_F(DosCommandTest, EmptyCommandLineStartsNothing) {
  Runner dos = NewRunner(rec, "");
  dos->Execute();
  dos->SendLine("ignored", true);
  EXPECT_EQ(dos->ProcessTimer(), nullptr);
  EXPECT_EQ(dos->RunState(), 0);
}

// ---------------------------------------------------------------------------------------------
// Writing to the child.

TEST_F(DosCommandTest, TextsSentOutsideARunNeverReachAChild) {
  Runner dos = NewRunner(rec, TestChild() + " echo:quit");
  dos->SendLine("before the first run", true);
  dos->Execute();
  dos->SendLine("first", true);
  ASSERT_TRUE(WaitUntil([&] { return rec.Has("=first"); }, kWait));
  dos->SendLine("dropped by the next run", true);
  dos->Execute();  // texts still queued now are dropped
  dos->SendLine("second", true);
  ASSERT_TRUE(WaitUntil([&] { return rec.Has("=second"); }, kWait));
  dos->SendLine("quit", true);
  ASSERT_TRUE(WaitUntil([&] { return rec.terminations == 2 && dos->RunState() == 8; }, kWait));
  // The run ended by itself: its worker is gone and nothing may reach for it.
  dos->SendLine("after the run", true);
  dos->Stop();
  EXPECT_FALSE(rec.Has("=before the first run"));
  // The first run may have written the dropped text before it was stopped; the second never got it.
  ASSERT_EQ(dos->Lines()->Count(), 1);
  EXPECT_EQ(dos->Lines()->Strings(0), "second");
}

TEST_F(DosCommandTest, LineEndFollowsReturnCode) {
  Runner dos = NewRunner(rec, TestChild() + " echo:quit");
  dos->SetReturnCode(rcLF);
  dos->Execute();
  dos->SendLine("one", true);
  dos->SendLine("two", false);
  dos->SendLine("-three", true);
  dos->SendLine("quit", true);
  ASSERT_TRUE(WaitUntil([&] { return Ended(*dos, rec); }, kWait));
  EXPECT_EQ(rec.pieces, (std::vector<std::string>{"=one", "=two-three"}));
  EXPECT_EQ(rec.returnCodes, (std::vector<TReturnCode>{rcLF, rcLF}));
}

TEST_F(DosCommandTest, InputToOutputEchoesAfterThePendingPrompt) {
  Runner dos = NewRunner(rec, TestChild() + " out:C:\\\\> echo:quit");
  dos->SetInputToOutput(true);
  dos->Execute();
  ASSERT_TRUE(WaitUntil([&] { return rec.Has("+C:\\>"); }, kWait));
  dos->SendLine("dir", true);
  ASSERT_TRUE(WaitUntil([&] { return rec.Has("=dir"); }, kWait));
  dos->SendLine("partial", false);
  ASSERT_TRUE(WaitUntil([&] { return rec.Has("+partial"); }, kWait));
  dos->SendLine(" quit", true);  // the child sees "partial quit"
  ASSERT_TRUE(WaitUntil([&] { return rec.Has("=partial quit"); }, kWait));
  dos->SendLine("quit", true);
  ASSERT_TRUE(WaitUntil([&] { return Ended(*dos, rec); }, kWait));
  EXPECT_EQ(rec.pieces, (std::vector<std::string>{"+C:\\>", "=C:\\>dir\r\n", "=dir", "+partial",
                                                  "=partial quit\r\n", "=partial quit", "=quit\r\n"}));
}

TEST_F(DosCommandTest, CommandShellAnswersAndPromptsAgain) {
  Runner dos = NewRunner(rec, "cmd.exe");
  dos->Execute();
  auto prompts = [&] {
    int n = 0;
    for (const std::string& p : rec.pieces)
      if (p[0] == '+' && p.back() == '>') ++n;
    return n;
  };
  ASSERT_TRUE(WaitUntil([&] { return prompts() > 0; }, kWait));
  const int before = prompts();
  // The answer cannot be mistaken for the typed line, which a shell may echo after its prompt.
  dos->SendLine("echo %OS%-answer", true);
  auto answered = [&] {
    for (const std::string& p : rec.pieces)
      if (p[0] == '=' && p.size() >= 17 && p.compare(p.size() - 17, 17, "Windows_NT-answer") == 0) return true;
    return false;
  };
  ASSERT_TRUE(WaitUntil([&] { return answered() && prompts() > before; }, kWait));
  EXPECT_EQ(dos->RunState(), 6);
  dos->Stop();
  ASSERT_TRUE(WaitUntil([&] { return Ended(*dos, rec); }, kWait));
  EXPECT_EQ(dos->RunState(), 9);
}

// ---------------------------------------------------------------------------------------------
// Lifetime: the runner and its workers.

// A run replaced by a new Execute still finishing must leave the new run's state and timer alone.
TEST_F(DosCommandTest, ReplacedRunLeavesTheNewRunAlone) {
  Runner dos = NewRunner(rec, TestChild() + " out:first\\r\\n hang");
  struct Replace {
    TDosCommand* dos;
    std::string next;
    bool done = false;
    void NewLine(TObject*, std::string, TOutputType) {
      if (done) return;
      done = true;
      // The old worker waits in this hand-over while the new run starts.
      dos->SetCommandLine(next);
      dos->SetMaxTimeAfterBeginning(1);
      dos->OnNewLine = nullptr;
      const std::set<DWORD> old = TestChildren();
      dos->Execute();
      // Until the new child is there, state 6 is still the old run's.
      WaitUntil([&] {
        for (DWORD pid : TestChildren())
          if (!old.count(pid)) return dos->RunState() == 6;
        return false;
      }, kWait);
    }
  } replace{dos.get(), TestChild() + " hang"};
  dos->OnNewLine = TNewLineEvent::Bind<&Replace::NewLine>(&replace);
  dos->Execute();
  ASSERT_TRUE(WaitUntil([&] { return rec.terminations == 1; }, kWait));  // the old run has ended
  EXPECT_EQ(rec.exitCode, static_cast<uint32_t>(STILL_ACTIVE));
  EXPECT_EQ(dos->RunState(), 6);
  ASSERT_TRUE(WaitUntil([&] { return rec.terminations == 2; }, kWait));  // its timer still counts
  EXPECT_EQ(dos->RunState(), 10);
}

struct DestroyCase {
  const char* name;
  bool insideHandler;
};
const DestroyCase kDestroyCases[] = {{"BetweenDeliveries", false}, {"InsideItsOwnHandler", true}};
class Destroying : public DosCommandTest, public ::testing::WithParamInterface<DestroyCase> {};

TEST_P(Destroying, RunnerDuringARunEndsItQuietly) {
  struct Counter {
    Runner* dos;
    bool destroyInHandler;
    int lines = 0;
    int afterDestroy = 0;
    void NewLine(TObject*, std::string, TOutputType) {
      if (!*dos) {
        ++afterDestroy;
        return;
      }
      if (++lines == 100 && destroyInHandler) dos->reset();
    }
  };
  WarmUp();
  const int handlesBefore = OpenHandles();
  Runner dos = NewRunner(rec, TestChild() + " lines:100000000");
  Counter counter{&dos, GetParam().insideHandler};
  dos->OnNewLine = TNewLineEvent::Bind<&Counter::NewLine>(&counter);
  dos->Execute();
  ASSERT_TRUE(WaitUntil([&] { return counter.lines >= 100; }, kWait));
  dos.reset();
  ASSERT_TRUE(WaitUntil([] { return LiveChildren() == 0; }, kWait));
  // The worker closes every handle, its own thread's included, and frees itself.
  EXPECT_TRUE(WaitUntil([&] { return OpenHandles() <= handlesBefore; }, kWait))
      << OpenHandles() << " handles, " << handlesBefore << " before";
  EXPECT_EQ(counter.afterDestroy, 0);
  EXPECT_EQ(rec.terminations, 0);  // its handler's object may be gone with the runner
}

INSTANTIATE_TEST_SUITE_P(DosCommand, Destroying, ::testing::ValuesIn(kDestroyCases),
                         [](const ::testing::TestParamInfo<DestroyCase>& info) { return info.param.name; });

// Every way a run ends gives back every handle it took.
TEST_F(DosCommandTest, NoRunLeaksAHandle) {
  WarmUp();
  const int before = OpenHandles();
  Runner dos = NewRunner(rec, TestChild() + " out:x exit:3");
  dos->Execute();
  ASSERT_TRUE(WaitUntil([&] { return Ended(*dos, rec); }, kWait));
  rec.terminations = 0;
  dos->SetCommandLine(TestChild() + " out:x\\r\\n hang");
  dos->Execute();
  ASSERT_TRUE(WaitUntil([&] { return rec.Has("=x"); }, kWait));
  dos->Stop();
  ASSERT_TRUE(WaitUntil([&] { return Ended(*dos, rec); }, kWait));
  ASSERT_TRUE(WaitUntil([] { return LiveChildren() == 0; }, kWait));
  EXPECT_TRUE(WaitUntil([&] { return OpenHandles() <= before; }, kWait))
      << OpenHandles() << " handles, " << before << " before";
}

// A form resource sets the runner's properties by name.
TEST(DosCommandProperties, PublishedInOrderWithTheirValueNames) {
  const char* expected[] = {"CommandLine", "OnNewLine", "OnTerminated", "InputToOutput",
                            "MaxTimeAfterBeginning", "MaxTimeAfterLastOutput", "ShowWindow", "CreationFlag",
                            "ReturnCode", "OutputReturnCode"};
  TClass cls = TDosCommand::StaticClass();
  ASSERT_EQ(cls->propCount, 10);
  for (int i = 0; i < cls->propCount; ++i) EXPECT_STREQ(cls->props[i].name, expected[i]);
  EXPECT_EQ(cls->props[9].set, nullptr);

  Runner dos(static_cast<TDosCommand*>(CreateComponent(FindClass("TDosCommand"), nullptr)));
  const TPropInfo* show = GetPropInfo(dos.get(), "ShowWindow");
  show->set(dos.get(), TValue::Int(show->type->EnumValue("swSHOWMINNOACTIVE")));
  EXPECT_EQ(dos->ShowWindow(), swSHOWMINNOACTIVE);
  const TPropInfo* flag = GetPropInfo(dos.get(), "CreationFlag");
  EXPECT_STREQ(flag->type->EnumName(flag->get(dos.get()).i), "fCREATE_NEW_CONSOLE");
  EXPECT_EQ(flag->type->EnumValue("fDETACHED_PROCESS"), 9);
  EXPECT_STREQ(GetPropInfo(dos.get(), "OutputReturnCode")->type->EnumName(1), "rcLF");
  EXPECT_STREQ(GetPropInfo(dos.get(), "OnNewLine")->type->name, "TNewLineEvent");
  EXPECT_STREQ(GetPropInfo(dos.get(), "OnTerminated")->type->name, "TTerminateEvent");
}

}  // namespace
