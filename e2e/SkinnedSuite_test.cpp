// The three programs, skinned, as a user runs them: each started from its own folder, every
// window checked from outside and photographed, the skin's own input driven with real X input.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "E2E.h"
#include "Screenshot.h"
#include "ZUBSkinFile.h"
#include "ZUBSkinFrame.h"

using namespace e2e;

namespace {

// Window classes of the programs' controls that the control-class table covers.
const std::set<std::string> kCovered = {"TEdit",    "TButton", "TListView",    "TToolBar", "TListBox",
                                        "TPanel",   "TMemo",   "TProgressBar", "TSpinEdit"};

// Skinned, rounded, as large inside as its form description says, every covered control skinned.
void ExpectSkinned(HWND Wnd, const std::string& FormFile = "") {
  EXPECT_EQ(Ask(Wnd, ZM_ISSKINNED), 1) << ClassOf(Wnd);
  EXPECT_TRUE(HasRegion(Wnd)) << ClassOf(Wnd);
  if (!FormFile.empty()) {
    RECT c{};
    GetClientRect(Wnd, &c);
    EXPECT_EQ(c.right, FormValue(FormFile, "ClientWidth")) << FormFile;
    EXPECT_EQ(c.bottom, FormValue(FormFile, "ClientHeight")) << FormFile;
  }
  for (HWND child : Children(Wnd)) {
    if (kCovered.count(ClassOf(child)) == 0) continue;
    EXPECT_EQ(Ask(child, ZM_ISSKINNED), 1) << ClassOf(child) << " \"" << TextOf(child) << "\" of " << ClassOf(Wnd);
  }
}

// What the screen shows in R, one colour per pixel.
std::vector<DWORD> Capture(const RECT& R) {
  const int w = R.right - R.left, h = R.bottom - R.top;
  if (w <= 0 || h <= 0) return {};
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, R.left, R.top, SRCCOPY);
  SelectObject(mem, old);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<DWORD> px(size_t(w) * h);
  GetDIBits(mem, bmp, 0, h, px.data(), &bi, DIB_RGB_COLORS);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  for (DWORD& p : px) p &= 0xFFFFFF;
  return px;
}

// A fingerprint of what the screen shows in R.
unsigned long long Look(const RECT& R) {
  unsigned long long sum = 1469598103934665603ull;
  for (DWORD p : Capture(R)) sum = (sum ^ p) * 1099511628211ull;
  return sum;
}

// The look of R once it holds still over a few polls: a paint has reached the screen whole.
unsigned long long SettledLook(const RECT& R) {
  unsigned long long last = Look(R);
  int same = 0;
  WaitFor([&] {
    const unsigned long long now = Look(R);
    same = now == last ? same + 1 : 0;
    last = now;
    return same >= 3;
  }, 5000);
  return last;
}

// Whether the screen shows more than one colour in R: a control has reached the screen.
bool ShowsSomething(const RECT& R) {
  const std::vector<DWORD> px = Capture(R);
  return std::any_of(px.begin(), px.end(), [&](DWORD p) { return p != px[0]; });
}

// Waits until R looks different from Before.
bool Changes(const RECT& R, unsigned long long Before) {
  return WaitFor([&] { return Look(R) != Before; });
}

// The caption buttons' hit boxes on the screen, laid out from the skin as the skinner lays them out.
std::vector<std::pair<zubskin::CaptionElement, RECT>> CaptionButtons(HWND Wnd) {
  std::vector<std::pair<zubskin::CaptionElement, RECT>> boxes;
  zubskin::SkinParseResult skin;
  if (zubskin::ReadSkinFile(SKIN_FILE, skin) != zubskin::SkinReadStatus::Loaded) return boxes;
  const RECT w = RectOf(Wnd);
  const LONG_PTR style = GetWindowLongPtrA(Wnd, GWL_STYLE);
  zubskin::SkinImage border, slice;
  const bool hasRight = skin.skin.GetImage("FormLeftBorderImage", border);
  const int bw = std::max(0, hasRight ? border.width : skin.skin.GetInt("FormBorderWidthInt"));
  skin.skin.GetImagePiece("TitleBarButtonImage", slice, 18, 1);
  zubskin::CaptionInput in;
  in.titleWidth = hasRight ? w.right - w.left : w.right - w.left - 2 * bw;
  in.sliceWidth = slice.width;
  in.sliceHeight = slice.height;
  in.buttonTop = skin.skin.GetInt("TitleBarButtonTopInt");
  in.leftOffset = skin.skin.GetInt("TitleBarButtonLeftOffsetInt");
  in.rightOffset = skin.skin.GetInt("TitleBarButtonRightOffsetInt");
  in.maximize = (style & WS_MAXIMIZEBOX) != 0;
  in.minimize = (style & WS_MINIMIZEBOX) != 0;
  in.maximized = IsZoomed(Wnd) != 0;
  const int x = w.left + zubskin::TitleOffsetX(hasRight, bw);
  for (const zubskin::CaptionButton& b : zubskin::LayoutCaption(in).buttons)
    boxes.push_back({b.element, {x + b.box.left, w.top + b.box.top, x + b.box.right + 1, w.top + b.box.bottom + 1}});
  return boxes;
}

// A colour of the programs' skin, as the screen shows it.
COLORREF SkinColour(const std::string& Name) {
  zubskin::SkinParseResult skin;
  if (zubskin::ReadSkinFile(SKIN_FILE, skin) != zubskin::SkinReadStatus::Loaded) return CLR_INVALID;
  return static_cast<COLORREF>(skin.skin.GetInt(Name));
}

RECT CloseButton(HWND Wnd) {
  for (const auto& b : CaptionButtons(Wnd))
    if (b.first == zubskin::ceClose) return b.second;
  return {};
}

// A point of the title bar that holds no caption element.
POINT TitleGap(HWND Wnd) {
  const RECT w = RectOf(Wnd);
  return {w.left + 60, w.top + 8};
}

// Every pixel of every caption button, edges included (or its four corners only), takes a real
// press: the button shows its pressed slice. Each press is let go on the title gap, where it does
// nothing. Consecutive presses lie apart, so that none is taken for a double click.
void CaptionButtonsTakePresses(HWND Wnd, bool EveryPixel) {
  // An inactive title may show through the buttons: the window is active throughout.
  SetForegroundWindow(Wnd);
  ASSERT_TRUE(WaitFor([&] { return Ask(Wnd, ZM_GETACTIVESTATE) == 1; })) << "the window is not active";
  for (const auto& [element, box] : CaptionButtons(Wnd)) {
    MoveTo(TitleGap(Wnd));
    const unsigned long long plain = SettledLook(box);
    MoveTo(Center(box));
    ASSERT_TRUE(Changes(box, plain)) << "button " << element << " shows no hot slice";
    const unsigned long long hot = SettledLook(box);
    Xdo("mousedown 1");
    ASSERT_TRUE(Changes(box, hot)) << "button " << element << " shows no pressed slice";
    const unsigned long long pressed = SettledLook(box);
    Xdo("mousemove " + At(TitleGap(Wnd)) + " mouseup 1");
    ASSERT_TRUE(WaitFor([&] { return Look(box) == plain; })) << "button " << element << " stays pressed";
    std::vector<POINT> order = {{box.left, box.top}, {box.right - 1, box.top},
                                {box.left, box.bottom - 1}, {box.right - 1, box.bottom - 1}};
    if (EveryPixel) {
      order.clear();
      const int half = (box.right - box.left + 1) / 2;
      for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.left + half; ++x) {
          order.push_back({x, y});
          if (x + half < box.right) order.push_back({x + half, y});
        }
    }
    for (const POINT p : order) {
      Xdo("mousemove " + At(p) + " mousedown 1");
      const bool taken = WaitFor([&] { return Look(box) == pressed; });
      Xdo("mousemove " + At(TitleGap(Wnd)) + " mouseup 1");
      ASSERT_TRUE(taken) << "button " << element << " takes no press at " << At(p);
      ASSERT_TRUE(WaitFor([&] { return Look(box) == plain; })) << "button " << element << " stays pressed";
    }
    // A hot button goes plain when the pointer leaves for the client area.
    MoveTo(Center(box));
    ASSERT_TRUE(WaitFor([&] { return Look(box) == hot; })) << "button " << element;
    POINT inside{20, 20};
    ClientToScreen(Wnd, &inside);
    MoveTo(inside);
    EXPECT_TRUE(WaitFor([&] { return Look(box) == plain; })) << "button " << element << " stays hot";
  }
}

// A double click on the title, which maximises only a form that allows it; then the pointer on
// the close button shows its hot slice (so the double click has been handled), and the click on
// its first pixel closes the window and the program ends normally.
void HoverAndCloseByTheSkinnedButton(Program& P, HWND Wnd, const std::string& Shot) {
  const bool maximizable = (GetWindowLongPtrA(Wnd, GWL_STYLE) & WS_MAXIMIZEBOX) != 0;
  const RECT w = RectOf(Wnd);
  Xdo("mousemove " + At({w.left + 60, w.top + 8}) + " click --repeat 2 1");
  if (maximizable) {
    EXPECT_TRUE(WaitFor([&] { return IsZoomed(Wnd) != 0; }));
  }
  const RECT close = CloseButton(Wnd);
  ASSERT_LT(close.left, close.right) << "no close button";
  Park();
  const unsigned long long plain = Look(close);
  MoveTo(Center(close));
  EXPECT_TRUE(Changes(close, plain)) << "the close button shows no hot slice";
  EXPECT_EQ(IsZoomed(Wnd) != 0, maximizable) << "double click on the title";
  SaveScreenshot(Wnd, Shot);
  ClickAt({close.left, close.top});
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(Wnd); })) << "the close button does not close";
  const DWORD code = P.ExitCode();
  EXPECT_EQ(code, 0u);
  if (code == STILL_ACTIVE) SaveScreenshot(GetDesktopWindow(), Shot + "_STUCK");
}

// The message box or dialog the program shows next: skinned, photographed, answered by Keys.
void ExpectSkinnedBox(Program& P, HWND Main, const std::string& Shot, const std::string& Keys) {
  HWND box = P.Window(Main);
  ASSERT_NE(box, nullptr) << Shot;
  ASSERT_TRUE(WaitFor([&] { return Ask(box, ZM_ISSKINNED) == 1; })) << Shot << " is not skinned";
  ExpectSkinned(box);
  // The folder browser fills its tree after it shows, and the dialogs' controls reach the screen
  // late: the picture waits for them, a little.
  if (HWND tree = ChildOf(box, "SysTreeView32")) WaitFor([&] { return Ask(tree, TVM_GETCOUNT) > 0; }, 3000);
  const std::set<std::string> labelled = {"Button", "ComboBox", "Static"};
  WaitFor([&] {
    for (HWND c : Children(box)) {
      const bool shows = ClassOf(c) == "SysTreeView32" || (labelled.count(ClassOf(c)) && !TextOf(c).empty());
      if (shows && IsWindowVisible(c) && !ShowsSomething(RectOf(c))) return false;
    }
    return true;
  }, 3000);
  SaveScreenshot(box, Shot);
  HWND named = nullptr;  // Keys naming a button: a click on it
  for (HWND c : Children(box))
    if ((ClassOf(c) == "TButton" || ClassOf(c) == "Button") && TextOf(c) == Keys) named = c;
  if (named) {
    ClickAt(Center(RectOf(named)));
  } else if (Keys == "click") {
    HWND ok = nullptr;
    for (HWND c : Children(box))
      if (ClassOf(c) == "TButton" || ClassOf(c) == "Button") ok = c;
    ASSERT_NE(ok, nullptr);
    ClickAt(Center(RectOf(ok)));
  } else {
    SetForegroundWindow(box);
    Xdo("key " + Keys);
  }
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); })) << Shot << " stays";
}


// A new, empty folder on the desktop, where the folder browser lists it right under its root;
// one an earlier run left behind goes first.
std::string DesktopFolder(const std::string& Name) {
  char desk[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desk);
  const std::string dir = std::string(desk) + "\\" + Name;
  std::string from = dir + '\0';  // the list ends in two zeros
  SHFILEOPSTRUCTA op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NO_UI;
  SHFileOperationA(&op);
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

// The folder browser behind Browse, driven from the keyboard as a user would: the first letter of
// the desktop folder Name, the only item under the root with that letter, selects it in the tree
// (one key: a loaded machine may pause long enough between keys to end a typed search), Return
// takes it; Field then shows it.
void PickInBrowser(Program& P, HWND Main, HWND Browse, const std::string& Name, HWND Field, const std::string& Shot) {
  ClickAt(Center(RectOf(Browse)));
  HWND box = P.Window(Main);
  ASSERT_NE(box, nullptr) << Shot;
  HWND tree = ChildOf(box, "SysTreeView32");
  ASSERT_NE(tree, nullptr) << Shot;
  ASSERT_TRUE(WaitFor([&] { return Ask(tree, TVM_GETCOUNT) > 0; })) << Shot << ": empty tree";
  ClickAt(Center(RectOf(tree)));  // focus in the tree (the item clicked is selected, then replaced)
  ASSERT_TRUE(WaitFor([&] { return Ask(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != 0; })) << Shot;
  Xdo("key Home type " + Name.substr(0, 1));
  const LRESULT root = Ask(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  WaitFor([&] { const LRESULT c = Ask(tree, TVM_GETNEXTITEM, TVGN_CARET, 0); return c != 0 && c != root; });
  SaveScreenshot(box, Shot);
  Xdo("key Return");
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); })) << Shot << " stays";
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(Main) != 0; })) << Shot << ": the main form stays disabled";
  const std::string text = TextOf(Field);
  EXPECT_TRUE(text.size() >= Name.size() && text.compare(text.size() - Name.size(), Name.size(), Name) == 0)
      << Shot << ": the field shows \"" << text << "\"";
}

// The DVD converter's ".." buttons, top to bottom: the input folder's first.
std::vector<HWND> BrowseButtons(HWND Main) {
  std::vector<HWND> browse;
  for (HWND c : Children(Main))
    if (ClassOf(c) == "TButton" && TextOf(c) == "..") browse.push_back(c);
  std::sort(browse.begin(), browse.end(), [](HWND a, HWND b) { return RectOf(a).top < RectOf(b).top; });
  return browse;
}
HWND InputBrowseButton(HWND Main) {
  const std::vector<HWND> browse = BrowseButtons(Main);
  return browse.empty() ? nullptr : browse[0];
}

bool RowChecked(HWND List, int Row) {
  return ((Ask(List, LVM_GETITEMSTATE, Row, LVIS_STATEIMAGEMASK) >> 12) & 0xF) == 2;
}

const std::string kSource = SOURCE_DIR;

// The program's main window, skinned as its form description says, photographed; null when none.
HWND MainWindowSkinned(Program& P, const std::string& FormFile, const std::string& Shot) {
  HWND w = P.Window();
  if (!w) return nullptr;
  ExpectSkinned(w, kSource + FormFile);
  Park();
  SaveScreenshot(w, Shot);
  return w;
}

// The video converter's input and output fields filled in; the input field lies above.
void FillVideoFields(HWND Main, const std::string& In, const std::string& Out) {
  std::vector<HWND> edits;
  for (HWND e : Children(Main))
    if (ClassOf(e) == "TEdit") edits.push_back(e);
  ASSERT_GE(edits.size(), 2u);
  if (RectOf(edits[0]).top > RectOf(edits[1]).top) std::swap(edits[0], edits[1]);
  Ask(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(In.c_str()));
  Ask(edits[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Out.c_str()));
}

}  // namespace

TEST(SkinnedSuite, LauncherPanelsNormalHotAndPressed) {
  Program launcher("Hallvex.exe");
  HWND w = MainWindowSkinned(launcher, "/launcher/Unita.form", "suite_hallvex");
  ASSERT_NE(w, nullptr);
  HWND panel = ChildOf(w, "TPanel", "DVD To 3GP Converter");
  ASSERT_NE(panel, nullptr);
  const RECT r = RectOf(panel);
  unsigned long long look = Look(r);
  MoveTo({r.left + 20, r.top + 20});
  Changes(r, look);  // the skinned panel may draw both bevels alike: for the picture only
  SaveScreenshot(w, "suite_hallvex_panel_hot");
  look = Look(r);
  Xdo("mousedown 1");
  EXPECT_TRUE(Changes(r, look)) << "press";
  SaveScreenshot(w, "suite_hallvex_panel_pressed");
  // Released off the panel: no click, nothing started.
  Xdo("mousemove " + At({r.left + 20, r.bottom + 3}) + " mouseup 1");
  CaptionButtonsTakePresses(w, true);
  HoverAndCloseByTheSkinnedButton(launcher, w, "suite_hallvex_close_hot");
}

TEST(SkinnedSuite, DvdConverterMessageBoxesAndFolderBrowser) {
  Program dvd("Dunmarrow.exe");
  HWND w = MainWindowSkinned(dvd, "/dvdconvert/Unit1.form", "suite_dunmarrow");
  ASSERT_NE(w, nullptr);
  // A tool-bar button under the pointer.
  HWND bar = ChildOf(w, "TToolBar");
  ASSERT_NE(bar, nullptr);
  const RECT b = RectOf(bar);
  const unsigned long long look = Look(b);
  MoveTo({b.left + 15, (b.top + b.bottom) / 2});
  EXPECT_TRUE(Changes(b, look)) << "tool-bar button hot";
  SaveScreenshot(w, "suite_dunmarrow_toolbar_hot");
  // "Select" held down shows the pressed colour; let go below the bar, it runs nothing.
  Xdo("mousemove " + At({b.left + 15, b.top + 10}) + " mousedown 1");
  const COLORREF down = SkinColour("ToolBarButtonDownBackgroundColor");
  EXPECT_TRUE(WaitFor([&] { return Pixel({b.left + 4, b.top + 10}) == down; })) << "Select is not shown pressed";
  SaveScreenshot(w, "suite_dunmarrow_toolbar_pressed");
  Xdo("mousemove " + At({b.left + 15, b.bottom + 20}) + " mouseup 1");
  // Convert with nothing set, then with a folder holding no .vob file.
  HWND convert = ChildOf(w, "TButton", "Convert");
  ASSERT_NE(convert, nullptr);
  ClickAt(Center(RectOf(convert)));
  ExpectSkinnedBox(dvd, w, "suite_dunmarrow_msg_input", "click");
  HWND input = ChildOf(w, "TEdit");
  ASSERT_NE(input, nullptr);
  const std::string empty = FreshFolder("novob");
  Ask(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(empty.c_str()));
  ClickAt(Center(RectOf(convert)));
  ExpectSkinnedBox(dvd, w, "suite_dunmarrow_msg_novob", "click");
  // The folder browser, skinned through the hook, cancelled.
  HWND browse = InputBrowseButton(w);
  ASSERT_NE(browse, nullptr);
  ClickAt(Center(RectOf(browse)));
  ExpectSkinnedBox(dvd, w, "suite_dunmarrow_folder_browser", "Cancel");
  // The program keeps its forms disabled while the browser is up: input reaches them once it is back.
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(w) != 0; })) << "the main form stays disabled";
  // A long list scrolls one row per click of a quick series on its skinned down arrow.
  const std::string rowsName = "jrows";
  const std::string rows = DesktopFolder(rowsName) + "\\";
  for (int i = 10; i < 30; ++i) std::ofstream(rows + "VTS_" + std::to_string(i) + "_1.VOB") << "video";
  PickInBrowser(dvd, w, browse, rowsName, input, "suite_dunmarrow_browse_rows");
  HWND list = ChildOf(w, "TListView");
  ASSERT_TRUE(list && WaitFor([&] { return Ask(list, LVM_GETITEMCOUNT) == 20; })) << "the .vob files are not listed";
  const RECT l = RectOf(list);
  Xdo("mousemove " + At({l.right - 10, l.bottom - 10}) + " click --repeat 4 --delay 80 1");
  WaitFor([&] { return Ask(list, LVM_GETTOPINDEX) >= 4; });
  EXPECT_EQ(Ask(list, LVM_GETTOPINDEX), 4) << "rows scrolled by four clicks";
  Park();
  SaveScreenshot(w, "suite_dunmarrow_list_scrolled");
  CaptionButtonsTakePresses(w, false);
  HoverAndCloseByTheSkinnedButton(dvd, w, "suite_dunmarrow_close_hot");
  RemoveDirectoryA(empty.c_str());
  for (int i = 10; i < 30; ++i) DeleteFileA((rows + "VTS_" + std::to_string(i) + "_1.VOB").c_str());
  RemoveDirectoryA(rows.c_str());
}

TEST(SkinnedSuite, DvdConverterBatchFromFoldersPickedInTheBrowser) {
  const std::string dvdName = "qdvd", outName = "xout";  // first letters found once
  const std::string dvd = DesktopFolder(dvdName), out = DesktopFolder(outName);
  const std::string vts = dvd + "\\VIDEO_TS\\";
  CreateDirectoryA(vts.c_str(), nullptr);
  for (const char* vob : {"VTS_01_1.VOB", "VTS_01_2.VOB"}) std::ofstream(vts + vob) << "video";
  SetEnvironmentVariableA("ZOV_PAUSE", "300");  // the work form is seen while the batch runs
  SetEnvironmentVariableA("ZOV_STEPS", "5");
  {
    Program dvdApp("Dunmarrow.exe");
    HWND w = dvdApp.Window();
    ASSERT_NE(w, nullptr);
    std::vector<HWND> edits;
    for (HWND e : Children(w))
      if (ClassOf(e) == "TEdit") edits.push_back(e);
    HWND input = ChildOf(w, "TEdit"), list = ChildOf(w, "TListView"), bar = ChildOf(w, "TToolBar");
    HWND convert = ChildOf(w, "TButton", "Convert");
    const std::vector<HWND> browse = BrowseButtons(w);
    ASSERT_TRUE(input && list && bar && convert && browse.size() == 2 && edits.size() >= 2);
    // Fields top to bottom: the input folder first.
    std::sort(edits.begin(), edits.end(), [](HWND a, HWND b) { return RectOf(a).top < RectOf(b).top; });
    PickInBrowser(dvdApp, w, browse[0], dvdName, edits[0], "suite_dunmarrow_browse_input");
    ASSERT_TRUE(WaitFor([&] { return Ask(list, LVM_GETITEMCOUNT) == 2; })) << "the .vob files are not listed";
    // Tool-bar buttons stacked 21 pixels apart: Select, Unselect, Select All, Unselect All.
    const RECT b = RectOf(bar);
    auto tool = [&](int Index) { ClickAt({b.left + 20, b.top + Index * 21 + 10}); };
    tool(2);
    EXPECT_TRUE(WaitFor([&] { return RowChecked(list, 0) && RowChecked(list, 1); })) << "Select All";
    tool(3);
    EXPECT_TRUE(WaitFor([&] { return !RowChecked(list, 0) && !RowChecked(list, 1); })) << "Unselect All";
    ClickAt(Center(RectOf(convert)));
    ExpectSkinnedBox(dvdApp, w, "suite_dunmarrow_msg_select", "click");
    tool(2);
    EXPECT_TRUE(WaitFor([&] { return RowChecked(list, 0) && RowChecked(list, 1); })) << "Select All";
    Park();
    SaveScreenshot(w, "suite_dunmarrow_list_filled");
    ClickAt(Center(RectOf(convert)));
    ExpectSkinnedBox(dvdApp, w, "suite_dunmarrow_msg_output", "click");
    PickInBrowser(dvdApp, w, browse[1], outName, edits[1], "suite_dunmarrow_browse_output");
    // The batch, in the skinned work form.
    ClickAt(Center(RectOf(convert)));
    HWND work = dvdApp.Window(w);
    ASSERT_NE(work, nullptr);
    EXPECT_TRUE(WaitFor([&] { return Ask(work, ZM_ISSKINNED) == 1; }));
    ExpectSkinned(work, kSource + "/dvdconvert/working.form");
    SaveScreenshot(work, "suite_dunmarrow_work_running");
    HWND done = ChildOf(work, "TButton");
    ASSERT_NE(done, nullptr);
    HWND memo = ChildOf(work, "TMemo");
    ASSERT_TRUE(WaitFor([&] { return memo && TextOf(memo).find("VTS_01_2") != std::string::npos && IsWindowEnabled(done); },
                        60000))
        << "the batch does not reach its last file";
    SaveScreenshot(work, "suite_dunmarrow_work_done");
    for (const char* made : {"\\1.3gp", "\\2.3gp"})
      EXPECT_NE(GetFileAttributesA((out + made).c_str()), INVALID_FILE_ATTRIBUTES) << made;
    ClickAt(Center(RectOf(done)));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(work); }));
    EXPECT_EQ(dvdApp.Close(w), 0u);
  }
  for (const char* vob : {"VTS_01_1.VOB", "VTS_01_2.VOB"}) DeleteFileA((vts + vob).c_str());
  RemoveDirectoryA(vts.c_str());
  RemoveDirectoryA(dvd.c_str());
  WIN32_FIND_DATAA f;
  HANDLE h = FindFirstFileA((out + "\\*").c_str(), &f);
  if (h != INVALID_HANDLE_VALUE) {
    do DeleteFileA((out + "\\" + f.cFileName).c_str());
    while (FindNextFileA(h, &f));
    FindClose(h);
  }
  RemoveDirectoryA(out.c_str());
}

TEST(SkinnedSuite, VideoConverterBoxDialogAndBatch) {
  SetEnvironmentVariableA("ZOV_PAUSE", "300");  // the work form is seen while the job runs
  SetEnvironmentVariableA("ZOV_STEPS", "5");
  Program video("Corvale.exe");
  HWND w = MainWindowSkinned(video, "/videoconvert/Unit1.form", "suite_corvale");
  ASSERT_NE(w, nullptr);
  HWND convert = ChildOf(w, "TButton", "Convert");
  ASSERT_NE(convert, nullptr);
  // An output name without ".3gp".
  ClickAt(Center(RectOf(convert)));
  ExpectSkinnedBox(video, w, "suite_corvale_msg_3gp", "click");
  // The open-file dialog behind the "..." speed button (a graphic control, placed by the form).
  POINT dots{384 + 20, 24 + 16};
  ClientToScreen(w, &dots);
  ClickAt(dots);
  ExpectSkinnedBox(video, w, "suite_corvale_open_dialog", "Escape");
  // A real job: the click on the skinned Convert starts it in the skinned work form.
  const std::string folder = FreshFolder("video");
  const std::string in = folder + "clip.avi", out = folder + "clip.3gp";
  std::ofstream(in) << "video";
  DeleteFileA(out.c_str());
  ASSERT_NO_FATAL_FAILURE(FillVideoFields(w, in, out));
  ClickAt(Center(RectOf(convert)));
  HWND work = video.Window(w);
  ASSERT_NE(work, nullptr);
  EXPECT_TRUE(WaitFor([&] { return Ask(work, ZM_ISSKINNED) == 1; }));
  ExpectSkinned(work, kSource + "/videoconvert/working.form");
  SaveScreenshot(work, "suite_corvale_work_running");
  HWND done = ChildOf(work, "TButton");
  ASSERT_NE(done, nullptr);
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(done) != 0; }, 60000)) << "the job does not end";
  SaveScreenshot(work, "suite_corvale_work_done");
  ClickAt(Center(RectOf(done)));
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(work); }));
  EXPECT_NE(GetFileAttributesA(out.c_str()), INVALID_FILE_ATTRIBUTES) << "no output written";
  CaptionButtonsTakePresses(w, false);
  HoverAndCloseByTheSkinnedButton(video, w, "suite_corvale_close_hot");
  DeleteFileA(in.c_str());
  DeleteFileA(out.c_str());
  RemoveDirectoryA(folder.c_str());
}

// The one window that keeps the platform's look: the runner's box when the shell cannot start.
// A program folder holding a "cmd.exe" that is no program makes the shell fail to start.
TEST(SkinnedSuite, RunnerFailureBoxKeepsThePlatformLook) {
  const std::string folder = FreshFolder("noshell");
  for (const char* exe : {"Corvale.exe", "zov.exe"})
    ASSERT_TRUE(CopyFileA((BinFolder() + exe).c_str(), (folder + exe).c_str(), FALSE)) << exe;
  std::ofstream(folder + "cmd.exe") << "not a program";
  const std::string in = folder + "clip.avi", out = folder + "clip.3gp";
  std::ofstream(in) << "video";
  {
    Program video("Corvale.exe", "", folder);
    HWND w = video.Window();
    ASSERT_NE(w, nullptr);
    ASSERT_NO_FATAL_FAILURE(FillVideoFields(w, in, out));
    HWND convert = ChildOf(w, "TButton", "Convert");
    ASSERT_NE(convert, nullptr);
    ClickAt(Center(RectOf(convert)));
    HWND box = video.WindowOfClass("#32770");
    ASSERT_NE(box, nullptr) << "no failure box";
    bool namesTheShell = false;
    for (HWND c : Children(box)) namesTheShell |= TextOf(c).find("cmd.exe") != std::string::npos;
    EXPECT_TRUE(namesTheShell);
    EXPECT_EQ(Ask(box, ZM_ISSKINNED), 0);
    EXPECT_FALSE(HasRegion(box));
    HWND ok = ChildOf(box, "Button");
    ASSERT_NE(ok, nullptr);
    // The box runs on the runner's thread: it is pictured and clicked once it has painted.
    ASSERT_TRUE(WaitFor([&] { return ShowsSomething(RectOf(ok)); })) << "the failure box is not painted";
    SaveScreenshot(box, "suite_runner_failure_box");
    ClickAt(Center(RectOf(ok)));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); })) << "the failure box stays";
  }
  for (const char* name : {"Corvale.exe", "zov.exe", "cmd.exe", "clip.avi", "clip.3gp"}) DeleteFileA((folder + name).c_str());
  RemoveDirectoryA(folder.c_str());
}
