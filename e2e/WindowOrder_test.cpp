// Window order as a person meets it, with another program open: after the folder browser, a
// message box or the work form the converter's own form is in front, and a cancelled browse keeps
// the list as it was; the list follows the folder typed into the field.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "E2E.h"

using namespace e2e;

namespace {

bool RowChecked(HWND List, int Row) {
  return ((Ask(List, LVM_GETITEMSTATE, Row, LVIS_STATEIMAGEMASK) >> 12) & 0xF) == 2;
}

class WindowOrder : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA("ZOV_PAUSE", "5");
    SetEnvironmentVariableA("ZOV_STEPS", "2");
    ASSERT_NE(launcher.Window(), nullptr);
    dvd.emplace("Dunmarrow.exe");  // started once the launcher shows: in front of it
    main = dvd->Window();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return InFront(main); })) << "the converter does not start in front";
    std::vector<HWND> browse;
    for (HWND c : Children(main)) {
      if (ClassOf(c) == "TEdit") edits.push_back(c);
      if (ClassOf(c) == "TButton" && TextOf(c) == "..") browse.push_back(c);
    }
    list = ChildOf(main, "TListView");
    bar = ChildOf(main, "TToolBar");
    convert = ChildOf(main, "TButton", "Convert");
    ASSERT_TRUE(list && bar && convert && browse.size() == 2 && edits.size() >= 2);
    // Fields and browse buttons top to bottom: the input folder first.
    auto byTop = [](HWND a, HWND b) { return RectOf(a).top < RectOf(b).top; };
    std::sort(edits.begin(), edits.end(), byTop);
    browseInput = *std::min_element(browse.begin(), browse.end(), byTop);
  }
  void TearDown() override {
    if (dvd && main) {
      EXPECT_EQ(dvd->Close(main), 0u);
    }
    std::error_code ignored;
    for (const std::string& f : folders) std::filesystem::remove_all(f, ignored);
  }

  // A folder holding VIDEO_TS with two .vob files.
  std::string MakeDvd() {
    const std::string dvd = Folder("order");
    CreateDirectoryA((dvd + "VIDEO_TS").c_str(), nullptr);
    for (const char* vob : {"VTS_01_1.VOB", "VTS_01_2.VOB"}) std::ofstream(dvd + "VIDEO_TS\\" + vob) << "video";
    return dvd;
  }
  std::string Folder(const std::string& Name) { return folders.emplace_back(FreshFolder(Name)); }

  // Select All, clicked; both rows are ticked then.
  void SelectAll() {
    const RECT b = RectOf(bar);
    ClickAt({b.left + 20, b.top + 2 * 21 + 10});  // buttons stacked 21 pixels apart
    ASSERT_TRUE(WaitFor([&] { return RowChecked(list, 0) && RowChecked(list, 1); })) << "Select All";
  }

  // The input folder's browser, opened and cancelled with the mouse; returns once the click's
  // handler has finished.
  void BrowseAndCancel() {
    ClickAt(Center(RectOf(browseInput)));
    HWND box = dvd->WindowOfClass("#32770");
    ASSERT_NE(box, nullptr) << "no folder browser";
    HWND tree = ChildOf(box, "SysTreeView32"), cancel = ChildOf(box, "Button", "Cancel");
    ASSERT_TRUE(tree && cancel);
    ASSERT_TRUE(WaitFor([&] { return Ask(box, ZM_ISSKINNED) == 1 && Ask(tree, TVM_GETCOUNT) > 0; }));
    ClickAt(Center(RectOf(cancel)));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); })) << "the browser stays";
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(main) != 0; })) << "the main form stays disabled";
    Ask(main, WM_NULL);  // handled once the click's handler is back in the message loop
  }

  Program launcher{"Hallvex.exe"};  // the other program
  std::optional<Program> dvd;
  HWND main = nullptr, list = nullptr, bar = nullptr, convert = nullptr, browseInput = nullptr;
  std::vector<HWND> edits;
  std::vector<std::string> folders;  // removed at the end
};

TEST_F(WindowOrder, ACancelledBrowseListsATypedFolderOnceAndKeepsTheTicksTheFieldsFolderIsListed) {
  const std::string dvdFolder = MakeDvd();
  Ask(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(dvdFolder.c_str()));
  ASSERT_NO_FATAL_FAILURE(BrowseAndCancel());
  EXPECT_TRUE(WaitFor([&] { return InFront(main); })) << "after the folder browser";
  ASSERT_EQ(Ask(list, LVM_GETITEMCOUNT), 2) << "the typed folder's VIDEO_TS is not listed";
  ASSERT_NO_FATAL_FAILURE(SelectAll());
  ASSERT_NO_FATAL_FAILURE(BrowseAndCancel());
  EXPECT_EQ(Ask(list, LVM_GETITEMCOUNT), 2);
  EXPECT_TRUE(RowChecked(list, 0) && RowChecked(list, 1)) << "the ticks are lost";
  EXPECT_TRUE(WaitFor([&] { return InFront(main); })) << "after the folder browser";

  // Another folder typed into the field is listed once the focus leaves it; no tick carries over.
  std::string typed = Folder("ordertyped");
  std::ofstream(typed + "ONE.VOB") << "video";
  typed.pop_back();
  // All but the last character as if typed already (xdotool's shifted characters are not reliable here).
  const std::string start = typed.substr(0, typed.size() - 1);
  Ask(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(start.c_str()));
  ClickAt(Center(RectOf(edits[0])));
  ASSERT_TRUE(WaitFor([&] { return FocusOf(main) == edits[0]; }));
  Xdo("key End");
  Xdo(std::string("type ") + typed.back());  // a digit of the process id
  ASSERT_TRUE(WaitFor([&] { return TextOf(edits[0]) == typed; })) << TextOf(edits[0]);
  Xdo("key Tab");
  EXPECT_TRUE(WaitFor([&] { return Ask(list, LVM_GETITEMCOUNT) == 1; })) << "the typed folder is not listed";
  EXPECT_FALSE(RowChecked(list, 0));
}

TEST_F(WindowOrder, TheFormIsInFrontAfterAMessageBoxAndAfterTheWorkForm) {
  const std::string videoTs = MakeDvd() + "VIDEO_TS", out = Folder("orderout");
  Ask(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(videoTs.c_str()));
  ClickAt(Center(RectOf(convert)));  // nothing listed yet
  HWND box = dvd->Window(main);
  ASSERT_NE(box, nullptr) << "no message box";
  HWND ok = ChildOf(box, "TButton", "OK");
  ASSERT_NE(ok, nullptr);
  ASSERT_TRUE(WaitFor([&] { return Ask(box, ZM_ISSKINNED) == 1; }));
  ClickAt(Center(RectOf(ok)));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(box) || !IsWindow(box); })) << "the message box stays";
  EXPECT_TRUE(WaitFor([&] { return InFront(main); })) << "after the message box";

  ASSERT_NO_FATAL_FAILURE(BrowseAndCancel());
  ASSERT_NO_FATAL_FAILURE(SelectAll());
  Ask(edits[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(out.c_str()));
  ClickAt(Center(RectOf(convert)));
  HWND work = dvd->Window(main);
  ASSERT_NE(work, nullptr) << "no work form";
  HWND done = ChildOf(work, "TButton"), memo = ChildOf(work, "TMemo");
  ASSERT_TRUE(done && memo);
  ASSERT_TRUE(WaitFor([&] { return TextOf(memo).find("VTS_01_2") != std::string::npos && IsWindowEnabled(done); }, 60000))
      << "the batch does not end";
  ClickAt(Center(RectOf(done)));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(work) || !IsWindow(work); })) << "the work form stays";
  EXPECT_TRUE(WaitFor([&] { return InFront(main); })) << "after the work form";

  // Convert again: the batch's files are there, and Escape answers the question with No.
  ClickAt(Center(RectOf(convert)));
  HWND question = dvd->Window(main);
  ASSERT_NE(question, nullptr) << "no question";
  ASSERT_NE(ChildOf(question, "TButton", "&No"), nullptr);
  ASSERT_TRUE(WaitFor([&] { return Ask(question, ZM_ISSKINNED) == 1; }));
  Xdo("key Escape");
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(question) || !IsWindow(question); })) << "the question stays";
  EXPECT_TRUE(WaitFor([&] { return InFront(main); })) << "after the question";
  Ask(main, WM_NULL);  // handled once Convert's handler is back in the message loop
  HWND again = FindWindowA("TworkForm", nullptr);
  EXPECT_TRUE(!again || !IsWindowVisible(again)) << "a work form after No";
}

}  // namespace
