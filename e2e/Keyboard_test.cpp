// Keyboard, focus and mouse in the three programs as a person uses them, with real X input.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "E2E.h"

using namespace e2e;

namespace {

int ValueOf(HWND Spin) { return std::atoi(TextOf(Spin).c_str()); }

// The converters' frame width and height, left to right.
std::vector<HWND> SizeFields(HWND Main) { return ChildrenOf(Main, "TSpinEdit"); }

}  // namespace

// One click on an arrow is one step, and the value stays there (a repeat that runs on would
// step again within two seconds).
TEST(Keyboard, OneClickOnASpinArrowIsOneStep) {
  for (const char* exe : {"Dunmarrow.exe", "Corvale.exe"}) {
    Program program(exe);
    HWND w = program.Window();
    ASSERT_NE(w, nullptr) << exe;
    ASSERT_EQ(SizeFields(w).size(), 2u) << exe;
    for (HWND spin : SizeFields(w)) {
      HWND arrows = ChildOf(spin, "TSpinButton");
      ASSERT_NE(arrows, nullptr) << exe;
      const RECT r = RectOf(arrows);
      for (int step : {1, -1}) {
        const std::string what = std::string(exe) + (step > 0 ? " up" : " down");
        const int before = ValueOf(spin);
        ClickAt({(r.left + r.right) / 2, step > 0 ? r.top + 3 : r.bottom - 4});
        EXPECT_TRUE(WaitFor([&] { return ValueOf(spin) != before; })) << what;
        EXPECT_FALSE(WaitFor([&] { return ValueOf(spin) != before + step; }, 2000)) << what << ": " << ValueOf(spin);
        Park();
      }
    }
    EXPECT_EQ(program.Close(w), 0u) << exe;
  }
}

// Keys typed as soon as a converter shows land in its first field; the width entered with Tab
// from the height takes the typed number in place of its value.
TEST(Keyboard, TypingAtStartFillsTheFirstFieldAndTabSelectsTheWidth) {
  for (const char* exe : {"Dunmarrow.exe", "Corvale.exe"}) {
    Program program(exe);
    HWND w = program.Window();
    ASSERT_NE(w, nullptr) << exe;
    HWND first = ChildrenOf(w, "TEdit").at(0);
    ASSERT_TRUE(WaitFor([&] { return FocusOf(w) == first; })) << exe << ": the first field has no focus";
    ASSERT_TRUE(WaitFor([&] { return KeysReach(w); })) << exe << ": the X focus is on " << XdoOutput("getwindowfocus");
    Xdo("type --delay 30 abc");
    EXPECT_TRUE(WaitFor([&] { return TextOf(first) == "abc"; })) << exe << ": \"" << TextOf(first) << "\"";
    const std::vector<HWND> size = SizeFields(w);
    ASSERT_EQ(size.size(), 2u) << exe;
    ClickAt({RectOf(size[1]).left + 8, Center(RectOf(size[1])).y});
    ASSERT_TRUE(WaitFor([&] { return FocusOf(w) == size[1]; })) << exe;
    Xdo("key shift+Tab");
    ASSERT_TRUE(WaitFor([&] { return FocusOf(w) == size[0]; })) << exe;
    Xdo("type 5");
    EXPECT_TRUE(WaitFor([&] { return TextOf(size[0]) == "5"; })) << exe << ": \"" << TextOf(size[0]) << "\"";
    EXPECT_EQ(program.Close(w), 0u) << exe;
  }
}

// The work form's log keeps no Tab: Tab reaches Done, and Space presses it; Alt+D presses
// "&Done" from the log as well.
TEST(Keyboard, WorkFormDoneIsReachedByTabAndPressedBySpaceOrAltD) {
  const std::string folder = FreshFolder("keys");
  const std::string in = folder + "clip.avi", out = folder + "clip.3gp";
  std::ofstream(in) << "video";
  {
    Program video("Corvale.exe");
    HWND w = video.Window();
    ASSERT_NE(w, nullptr);
    const std::vector<HWND> fields = ChildrenOf(w, "TEdit");
    ASSERT_GE(fields.size(), 2u);
    Ask(fields[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(in.c_str()));
    Ask(fields[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(out.c_str()));
    HWND convert = ChildOf(w, "TButton", "Convert");
    ASSERT_NE(convert, nullptr);
    for (const bool byTab : {true, false}) {
      const char* what = byTab ? "Tab, Space" : "Alt+D";
      DeleteFileA(out.c_str());  // else Convert asks first whether to replace it
      ClickAt(Center(RectOf(convert)));
      HWND work = video.Window(w);
      ASSERT_NE(work, nullptr) << what;
      HWND done = ChildOf(work, "TButton"), log = ChildOf(work, "TMemo");
      ASSERT_TRUE(done && log) << what;
      ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(done) != 0; }, 60000)) << what << ": the job does not end";
      ClickAt(Center(RectOf(log)));
      ASSERT_TRUE(WaitFor([&] { return FocusOf(work) == log; })) << what;
      if (byTab) {
        Xdo("key Tab");
        EXPECT_TRUE(WaitFor([&] { return FocusOf(work) == done; })) << what;
        Xdo("key space");
      } else {
        Xdo("key alt+d");
      }
      ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(work); })) << what << ": Done is not pressed";
    }
    EXPECT_EQ(video.Close(w), 0u);
  }
  DeleteFileA(in.c_str());
  DeleteFileA(out.c_str());
  RemoveDirectoryA(folder.c_str());
}

// Alt+Space opens the skin's window menu from a focused button, at the title's top-left corner
// (this skin's title starts at the window's corner), and presses nothing.
TEST(Keyboard, AltSpaceOpensTheWindowMenuAndPressesNotTheFocusedButton) {
  const struct {
    const char* exe;
    const char* button;
  } cases[] = {{"Corvale.exe", "Convert"}, {"Dunmarrow.exe", ".."}};
  for (const auto& c : cases) {
    Program program(c.exe);
    HWND w = program.Window();
    ASSERT_NE(w, nullptr) << c.exe;
    HWND button = ChildOf(w, "TButton", c.button);
    ASSERT_NE(button, nullptr) << c.exe;
    // Focused by a press released beside it, which clicks nothing.
    const RECT b = RectOf(button);
    Xdo("mousemove " + At(Center(b)) + " mousedown 1 mousemove " + At({Center(b).x, b.bottom + 15}) + " mouseup 1");
    ASSERT_TRUE(WaitFor([&] { return FocusOf(w) == button; })) << c.exe;
    Xdo("key alt+space");
    HWND menu = program.WindowOfClass("#32768");
    ASSERT_NE(menu, nullptr) << c.exe << ": no window menu";
    EXPECT_EQ(RectOf(menu).left, RectOf(w).left) << c.exe;
    EXPECT_EQ(RectOf(menu).top, RectOf(w).top) << c.exe;
    Xdo("key Escape");
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); })) << c.exe;
    // Keys come in order: a press would have put its box or dialog in front of this Tab.
    Xdo("key Tab");
    EXPECT_TRUE(WaitFor([&] { return FocusOf(w) != button && IsChild(w, FocusOf(w)); }))
        << c.exe << " pressed " << c.button;
    EXPECT_EQ(program.Close(w), 0u) << c.exe;
  }
}

// A double click on a panel starts its program once: the second press is no second click.
TEST(Keyboard, DoubleClickOnALauncherPanelStartsOneProgram) {
  Program launcher("Hallvex.exe");
  HWND w = launcher.Window();
  ASSERT_NE(w, nullptr);
  const struct {
    const char* panel;
    const char* exe;
  } cases[] = {{"3GP Video converter", "Corvale.exe"}, {"DVD To 3GP Converter", "Dunmarrow.exe"}};
  for (const auto& c : cases) {
    HWND panel = ChildOf(w, "TPanel", c.panel);
    ASSERT_NE(panel, nullptr) << c.panel;
    // The second press at once: under Wine a press that comes once the started program has taken
    // the activation is lost.
    Xdo("mousemove " + At(Center(RectOf(panel))) + " mousedown 1 mouseup 1 mousedown 1 mouseup 1");
    Park();
    EXPECT_TRUE(WaitFor([&] { return !StartedBy(launcher.Id(), c.exe).empty(); })) << c.exe << " is not started";
    EXPECT_FALSE(WaitFor([&] { return StartedBy(launcher.Id(), c.exe).size() > 1; }, 3000)) << c.exe << " twice";
    EndProcesses(StartedBy(launcher.Id(), c.exe));  // its window would cover the next panel
  }
  EXPECT_EQ(launcher.Close(w), 0u);
}
