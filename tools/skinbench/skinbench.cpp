// skinbench: one program's main form, skinned and with the engine inactive, in one run.
//   skinbench_<program>            repaint and start-up times and object counts, printed
//   skinbench_<program> --check    exits 1 unless turning the skin on, off and on gives back the
//                                  form and its controls exactly, and no objects grow over the rounds
//   skinbench_<program> --start skinned|inactive   (internal) start-up to first paint, in ms
// BENCH_UNIT, BENCH_FORM and BENCH_PROGRAM name the program's main form unit, form and name.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Forms.h"
#include "SkinBench.h"
#include "Startup.h"
#include "ZUBSkinMessages.h"
#include "ZUBSkinUnits.h"
#include BENCH_UNIT

using namespace skinbench;

namespace {

constexpr int kRepaints = 200;
constexpr int kRounds = 1000;
constexpr int kStarts = 5;

double startedMs = 0;
HWND formWnd = nullptr;

// Dispatches messages until the main form is shown and painted (no update region left);
// returns the time then, 0 when it did not happen within ten seconds.
double ShowAndWaitForPaint() {
  formWnd = BENCH_FORM->Handle();
  BENCH_FORM->Show();
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      if (IsWindowVisible(formWnd) && !GetUpdateRect(formWnd, nullptr, FALSE)) return NowMs();
    }
    if (IsWindowVisible(formWnd) && !GetUpdateRect(formWnd, nullptr, FALSE)) return NowMs();
    if (GetTickCount() - start > 10000) return 0;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
}

// The program's own start-up; Body runs with the main form created.
int RunForm(void (*Body)()) {
  RegisterSkinUnits();
  static void (*body)() = Body;
  return RunProgram([] {
    Application->Initialize();
    Application->SetHelpFile("quorra.chm");
    Application->CreateForm(BENCH_FORM);
    body();
  });
}

double firstPaintMs = 0;

int StartToFirstPaint(bool Skinned) {
  if (!Skinned) StartInactive();
  const int rc = RunForm([] {
    firstPaintMs = ShowAndWaitForPaint();
    if (firstPaintMs != 0) std::printf("%.3f\n", firstPaintMs - startedMs);
    std::fflush(stdout);
  });
  return firstPaintMs == 0 ? 1 : rc;
}

// Runs this program again with Args; returns what it printed, or empty.
std::string RunSelf(const std::string& Args) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
  HANDLE readEnd, writeEnd;
  if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return "";
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = writeEnd;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  std::string line = "\"" + std::string(exe) + "\" " + Args;
  const BOOL ok = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(writeEnd);
  std::string out;
  if (ok) {
    char buf[256];
    DWORD n;
    while (ReadFile(readEnd, buf, sizeof(buf), &n, nullptr) && n) out.append(buf, n);
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  CloseHandle(readEnd);
  return out;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// What turning the skin off and on must give back: the form's client size, styles and menu,
// and every child window's class, styles, place, enabled and visible state and text.
struct FormState {
  std::vector<std::string> lines;
};

BOOL CALLBACK AddChild(HWND Wnd, LPARAM Param) {
  auto* state = reinterpret_cast<FormState*>(Param);
  char cls[64] = "", text[128] = "";
  GetClassNameA(Wnd, cls, sizeof(cls));
  GetWindowTextA(Wnd, text, sizeof(text));
  RECT r;
  GetWindowRect(Wnd, &r);
  MapWindowPoints(nullptr, formWnd, reinterpret_cast<POINT*>(&r), 2);
  char line[400];
  std::snprintf(line, sizeof(line), "%s \"%s\" style %llx ex %llx at %ld,%ld %ldx%ld%s%s", cls, text,
                static_cast<unsigned long long>(GetWindowLongPtrA(Wnd, GWL_STYLE)),
                static_cast<unsigned long long>(GetWindowLongPtrA(Wnd, GWL_EXSTYLE)), r.left, r.top, r.right - r.left,
                r.bottom - r.top, IsWindowEnabled(Wnd) ? "" : " disabled", IsWindowVisible(Wnd) ? "" : " hidden");
  state->lines.push_back(line);
  return TRUE;
}

FormState Capture() {
  PumpMessages();
  FormState state;
  RECT c;
  GetClientRect(formWnd, &c);
  char line[200];
  std::snprintf(line, sizeof(line), "form client %ldx%ld style %llx ex %llx menu %p", c.right, c.bottom,
                static_cast<unsigned long long>(GetWindowLongPtrA(formWnd, GWL_STYLE)),
                static_cast<unsigned long long>(GetWindowLongPtrA(formWnd, GWL_EXSTYLE)),
                static_cast<void*>(GetMenu(formWnd)));
  state.lines.push_back(line);
  EnumChildWindows(formWnd, AddChild, reinterpret_cast<LPARAM>(&state));
  return state;
}

// Prints what differs; true when nothing does.
bool Same(const char* What, const FormState& A, const FormState& B) {
  bool same = A.lines.size() == B.lines.size();
  if (!same) std::printf("%-10s %s: %zu windows, then %zu\n", BENCH_PROGRAM, What, A.lines.size(), B.lines.size());
  for (size_t i = 0; i < std::min(A.lines.size(), B.lines.size()); ++i)
    if (A.lines[i] != B.lines[i]) {
      std::printf("%-10s %s:\n  %s\n  %s\n", BENCH_PROGRAM, What, A.lines[i].c_str(), B.lines[i].c_str());
      same = false;
    }
  return same;
}

bool HasRegion(HWND Wnd) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(Wnd, rgn);
  DeleteObject(rgn);
  return kind == SIMPLEREGION || kind == COMPLEXREGION;
}

// The form started with the engine inactive, then the skin turned on, off and on again.
bool ActiveRestores() {
  TzubSkinEngine* engine = BENCH_FORM->zubSkinEngine1;
  const FormState plain = Capture();
  const bool plainRegion = HasRegion(formWnd);
  engine->SetActive(true);
  const FormState skinned = Capture();
  const bool skinnedRegion = HasRegion(formWnd);
  engine->SetActive(false);
  const FormState plainAgain = Capture();
  engine->SetActive(true);
  const FormState skinnedAgain = Capture();
  bool ok = Same("skin off gives back", plain, plainAgain) & Same("skin on again gives", skinned, skinnedAgain);
  if (plain.lines[0].substr(0, plain.lines[0].find(" style")) != skinned.lines[0].substr(0, skinned.lines[0].find(" style"))) {
    std::printf("%-10s client size changes with the skin: %s / %s\n", BENCH_PROGRAM, plain.lines[0].c_str(),
                skinned.lines[0].c_str());
    ok = false;
  }
  if (plainRegion || !skinnedRegion) {
    std::printf("%-10s window region: plain %d, skinned %d\n", BENCH_PROGRAM, plainRegion, skinnedRegion);
    ok = false;
  }
  std::printf("%-10s skin off and on: %s\n", BENCH_PROGRAM, ok ? "form and controls restored" : "NOT restored");
  return ok;
}

int objectsResult = 0;
bool printFigures = true;

void Measure() {
  ShowAndWaitForPaint();
  PumpMessages();
  HWND form = formWnd;
  TzubSkinEngine* engine = BENCH_FORM->zubSkinEngine1;
  const bool restored = printFigures || ActiveRestores();
  if (printFigures) {
    TimeRepaints(form, 20);  // caches filled on both sides before timing
    engine->SetActive(false);
    TimeRepaints(form, 20);
    engine->SetActive(true);
    const double skinned = TimeRepaints(form, kRepaints);
    engine->SetActive(false);
    PumpMessages();
    const double inactive = TimeRepaints(form, kRepaints);
    engine->SetActive(true);
    PumpMessages();
    std::printf("%-10s %d full repaints:    skinned %8.1f ms  inactive %8.1f ms  ratio %.2f\n", BENCH_PROGRAM,
                kRepaints, skinned, inactive, inactive > 0 ? skinned / inactive : 0.0);
  }
  const bool skinned = SendMessageA(form, ZM_ISSKINNED, 0, 0) != 0;
  std::string why;
  const bool countable = CountsFollowHandles(why);
  NonClientActivity(form, 100);  // what the first hovers make once is not growth
  const ObjectCount before = CountObjects();
  NonClientActivity(form, kRounds);
  const ObjectCount after = CountObjects();
  std::printf("%-10s objects over %d non-client rounds (%s): GDI %ld -> %ld, USER %ld -> %ld%s\n", BENCH_PROGRAM,
              kRounds, before.byPlatform ? "GetGuiResources" : "handle-table walk", before.gdi, after.gdi,
              before.user, after.user, skinned ? "" : " [form NOT skinned]");
  if (!countable) std::printf("%-10s object counts do not follow handles: %s\n", BENCH_PROGRAM, why.c_str());
  std::fflush(stdout);
  objectsResult = (restored && countable && skinned && after.gdi <= before.gdi && after.user <= before.user) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  startedMs = NowMs();
  if (argc == 3 && std::strcmp(argv[1], "--start") == 0) return StartToFirstPaint(std::strcmp(argv[2], "skinned") == 0);
  printFigures = !(argc == 2 && std::strcmp(argv[1], "--check") == 0);
  if (!printFigures) StartInactive();
  if (printFigures) {
    std::vector<double> skinned, inactive;
    for (int i = 0; i < kStarts; ++i) {  // alternated, so that a slower spell hits both
      skinned.push_back(std::atof(RunSelf("--start skinned").c_str()));
      inactive.push_back(std::atof(RunSelf("--start inactive").c_str()));
    }
    const double s = Median(skinned), n = Median(inactive);
    std::printf("%-10s start to first paint: skinned %8.1f ms  inactive %8.1f ms  ratio %.2f (median of %d)\n",
                BENCH_PROGRAM, s, n, n > 0 ? s / n : 0.0, kStarts);
    std::fflush(stdout);
  }
  const int rc = RunForm(Measure);
  return rc ? rc : objectsResult;
}
