// No process that a converter starts outlives it: a batch runs, its last encoder hangs, and whether the
// program is killed or its work form closed, no command shell, console host or encoder of that run is
// left in the session's process list. Closing the work form also takes the file the encoder had begun.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "E2E.h"
#include "ProcessTree.h"

using namespace e2e;

namespace {

const char* const kStarted[] = {"cmd.exe", "conhost.exe", "zov.exe"};

std::set<DWORD> StartedBy(const Program& P) {
  std::set<DWORD> all;
  for (const char* name : kStarted) all.merge(LiveDescendants(name, P.Id()));
  return all;
}

bool StartedEveryKind(const Program& P) {
  for (const char* name : kStarted)
    if (LiveDescendants(name, P.Id()).empty()) return false;
  return true;
}

// The DVD converter's batch over the .vob files of Folder, listed by a cancelled browse of the typed
// folder and all ticked, into Out. Returns the work form.
HWND StartDvdBatch(Program& P, HWND Main, const std::string& Folder, const std::string& Out) {
  const std::vector<HWND> edits = ChildrenOf(Main, "TEdit"), browse = ChildrenOf(Main, "TButton", "..");
  HWND list = ChildOf(Main, "TListView"), bar = ChildOf(Main, "TToolBar"), convert = ChildOf(Main, "TButton", "Convert");
  if (edits.size() < 2 || browse.empty() || !list || !bar || !convert) return nullptr;
  Ask(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Folder.c_str()));
  Ask(edits[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Out.c_str()));
  ClickOn(browse[0]);
  HWND browser = P.Window(Main);
  if (!browser) return nullptr;
  PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
  if (!WaitFor([&] { return IsWindowEnabled(Main) && Ask(list, LVM_GETITEMCOUNT) == 2; })) return nullptr;
  const RECT b = RectOf(bar);
  ClickAt({b.left + 20, b.top + 2 * 21 + 10});  // Select All, the third of the stacked buttons
  if (!WaitFor([&] { return Ask(list, LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2); }))
    return nullptr;
  ClickOn(convert);
  return P.Window(Main);
}

// The video converter's one job, Folder's clip.avi into clip.3gp. Returns the work form.
HWND StartVideoJob(Program& P, HWND Main, const std::string& Folder) {
  const std::vector<HWND> edits = ChildrenOf(Main, "TEdit");
  HWND convert = ChildOf(Main, "TButton", "Convert");
  if (edits.size() < 2 || !convert) return nullptr;
  const std::string in = Folder + "clip.avi", out = Folder + "clip.3gp";
  Ask(edits.front(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(in.c_str()));
  Ask(edits.back(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(out.c_str()));
  ClickOn(convert);
  return P.Window(Main);
}

struct EndCase {
  const char* name;
  const char* exe;
  bool kill;  // else closed: the work form's close box, then the main form's
};
const EndCase kEndCases[] = {{"DvdConverterClosed", "Dunmarrow.exe", false},
                             {"DvdConverterKilled", "Dunmarrow.exe", true},
                             {"VideoConverterClosed", "Corvale.exe", false},
                             {"VideoConverterKilled", "Corvale.exe", true}};
class Processes : public ::testing::TestWithParam<EndCase> {};

TEST_P(Processes, NoneOutlivesTheProgram) {
  const EndCase& c = GetParam();
  const bool dvd = std::string(c.exe) == "Dunmarrow.exe";
  const std::string folder = FreshFolder(c.name);
  // The DVD batch converts its first file; the last file's encoder hangs after its first progress line.
  const std::vector<std::string> inputs =
      dvd ? std::vector<std::string>{"VTS_01_1.VOB", "VTS_01_2.VOB"} : std::vector<std::string>{"clip.avi"};
  for (const std::string& in : inputs) std::ofstream(folder + in) << "video";
  std::ofstream(folder + inputs.back() + ".zov") << "hang=progress\n";
  const std::string begun = folder + (dvd ? "2.3gp" : "clip.3gp");  // the hanging job's output
  {
    Program program(c.exe);
    HWND main = program.Window();
    ASSERT_NE(main, nullptr);
    HWND work = dvd ? StartDvdBatch(program, main, folder, folder) : StartVideoJob(program, main, folder);
    ASSERT_NE(work, nullptr) << "no batch";
    ASSERT_TRUE(WaitFor([&] {
      return (!dvd || GetFileAttributesA((folder + "1.3gp").c_str()) != INVALID_FILE_ATTRIBUTES) &&
             GetFileAttributesA(begun.c_str()) != INVALID_FILE_ATTRIBUTES && StartedEveryKind(program);
    }, 60000)) << "the last job's shell, console host and encoder do not run";
    WatchedProcesses started(StartedBy(program));
    if (c.kill) {
      program.Kill();
    } else {
      PostMessageA(work, WM_SYSCOMMAND, SC_CLOSE, 0);
      EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(work) && IsWindowEnabled(main); }));
    }
    EXPECT_TRUE(WaitFor([&] { return started.AllEnded(); }, 30000)) << started.Count() << " started";
    if (!c.kill) {
      EXPECT_EQ(GetFileAttributesA(begun.c_str()), INVALID_FILE_ATTRIBUTES) << "the begun output stays";
      EXPECT_EQ(program.Close(main), 0u);
    }
  }
  for (const std::string& name : {inputs[0], inputs.back(), inputs.back() + ".zov", std::string("1.3gp"),
                                  std::string("2.3gp"), std::string("clip.3gp")})
    DeleteFileA((folder + name).c_str());
  RemoveDirectoryA(folder.c_str());
}

INSTANTIATE_TEST_SUITE_P(Converters, Processes, ::testing::ValuesIn(kEndCases),
                         [](const ::testing::TestParamInfo<EndCase>& info) { return info.param.name; });

}  // namespace
