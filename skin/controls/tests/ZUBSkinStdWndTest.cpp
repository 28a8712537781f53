// The window-class skinners under Wine: the children of a message box, the open-file dialog and
// the folder browser skinned, probed by pixel and pictured; a dialog's push button clicked by
// mouse and by Space with real X input, its hover look; check box, radio button and tab control.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <functional>
#include <map>

#include "ModalTesting.h"
#include "Screenshot.h"
#include "SkinControlTesting.h"
#include "TzubSkinWindowWnd.h"
#include "ZUBSkinStdWnd.h"

using namespace skin_colours;

namespace {

std::string ClassOf(HWND h) {
  char name[64] = {};
  GetClassNameA(h, name, sizeof name);
  return name;
}

struct Child {
  HWND handle;
  std::string cls;
  LONG_PTR style;
};
std::vector<Child> ChildrenOf(HWND dialog) {
  std::vector<Child> list;
  for (HWND c = GetTopWindow(dialog); c; c = GetWindow(c, GW_HWNDNEXT))
    if (IsWindowVisible(c)) list.push_back({c, ClassOf(c), GetWindowLongPtrA(c, GWL_STYLE)});
  return list;
}
bool IsPushButton(const Child& c) { return c.cls == "Button" && (c.style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON; }
bool IsCheckBox(const Child& c) { return c.cls == "Button" && (c.style & BS_TYPEMASK) == BS_AUTOCHECKBOX; }
bool IsDropCombo(const Child& c) { return c.cls == "ComboBox" && (c.style & 3) != CBS_SIMPLE; }
int Height(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r.bottom - r.top;
}
// Where a push button shows its face: left of the focus rectangle and the caption.
COLORREF FaceOf(HWND button) { return SurfacePixel(button, 2, Height(button) / 2); }

class StdWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ZUBSkinStdWndInitialization();
    Xdo("mousemove 1270 1010");
  }
  TzubSkinControl* SkinnerOf(HWND child) {
    for (TzubSkinWindow* w : f.engine->FWindows)
      for (TzubSkinControl* s : w->ControlSkinners)
        if (s && s->Handle == child) return s;
    return nullptr;
  }
  bool FirstSkinDone(HWND dialog) {
    for (TzubSkinWindow* w : f.engine->FWindows)
      if (w->GetHandle() == dialog) return w->FirstSkinDone;
    return false;
  }
  SkinnedEngineForm f;
};

// What a skinned system dialog shows: each push button, check box and drop-down combo skinned,
// the faces by pixel.
struct DialogLook {
  int pushButtons = 0, skinnedPushButtons = 0, checkBoxes = 0, skinnedCheckBoxes = 0, combos = 0, skinnedCombos = 0;
  COLORREF buttonFace = CLR_INVALID, checkFace = CLR_INVALID, comboEdge = CLR_INVALID;
};

DialogLook LookOf(HWND dialog) {
  DialogLook look;
  for (const Child& c : ChildrenOf(dialog)) {
    const bool skinned = SendMessageA(c.handle, ZM_ISSKINNED, 0, 0) == 1;
    if (IsPushButton(c)) {
      ++look.pushButtons;
      look.skinnedPushButtons += skinned;
      look.buttonFace = FaceOf(c.handle);
    } else if (IsCheckBox(c)) {
      ++look.checkBoxes;
      look.skinnedCheckBoxes += skinned;
      look.checkFace = SurfacePixel(c.handle, 3, 3);
    } else if (IsDropCombo(c)) {
      ++look.combos;
      look.skinnedCombos += skinned;
      look.comboEdge = SurfacePixel(c.handle, 0, Height(c.handle) / 2);
    }
  }
  return look;
}

// Runs Open (which shows a modal dialog) and, inside its loop, waits until the dialog that Find
// returns is skinned and painted, takes its look and picture, and cancels it.
DialogLook LookInsideModal(const std::function<HWND()>& Find, const std::function<bool(HWND)>& Skinned,
                           const char* Shot, const std::function<void()>& Open) {
  DialogLook look;
  int ticks = 0;
  WatchWhileModal([&] {
    HWND dialog = Find();
    if (!dialog || !Skinned(dialog)) return false;
    look = LookOf(dialog);
    // Painting comes through posted messages: wait for the faces, within bounds.
    if (look.buttonFace != kButton[0] && ++ticks < 100) return false;
    SaveScreenshot(dialog, Shot);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return true;
  });
  Open();
  return look;
}

TEST_F(StdWndTest, SystemDialogsHaveTheirButtonsCheckBoxesAndCombosSkinned) {
  auto skinned = [&](HWND d) { return SendMessageA(d, ZM_ISSKINNED, 0, 0) == 1 && FirstSkinDone(d); };
  char file[MAX_PATH] = {};
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrTitle = "Skinned open";
  ofn.lpstrFilter = "All files\0*.*\0Text\0*.txt\0";
  ofn.Flags = OFN_EXPLORER;
  BROWSEINFOA bi{};
  bi.lpszTitle = "Skinned folders";
  const struct {
    const char* name;
    std::function<HWND()> find;
    std::function<void()> open;
    bool checkBox, combos;
  } cases[] = {
      {"skinstdwnd_messagebox", [] { return FindWindowA("#32770", "Skinned box"); },
       [] { MessageBoxA(nullptr, "Text of the box", "Skinned box", MB_OKCANCEL); }, false, false},
      {"skinstdwnd_openfile", [] { return FindWindowA("#32770", "Skinned open"); },
       [&] { GetOpenFileNameA(&ofn); }, true, true},
      {"skinstdwnd_folders", [] { return FindWindowA("#32770", nullptr); },
       [&] { CoTaskMemFree(SHBrowseForFolderA(&bi)); }, false, false},
  };
  for (const auto& c : cases) {
    const DialogLook look = LookInsideModal(c.find, skinned, c.name, c.open);
    EXPECT_GT(look.pushButtons, 0) << c.name;
    EXPECT_EQ(look.skinnedPushButtons, look.pushButtons) << c.name;
    EXPECT_EQ(look.buttonFace, kButton[0]) << c.name;
    if (c.checkBox) {
      EXPECT_GT(look.checkBoxes, 0) << c.name;
      EXPECT_EQ(look.skinnedCheckBoxes, look.checkBoxes) << c.name;
      EXPECT_EQ(look.checkFace, kCheck[1]) << c.name;
    }
    if (c.combos) {
      EXPECT_GT(look.combos, 0) << c.name;
      EXPECT_EQ(look.skinnedCombos, look.combos) << c.name;
      EXPECT_EQ(look.comboEdge, kBorder) << c.name;
    }
    EXPECT_TRUE(f.engine->FWindows.empty()) << c.name;
  }
}

// ---- A dialog of our own, made modeless so the test drives it ----

constexpr int kButtonId = 101, kCheckId = 102, kRadioId = 103, kTabId = 104;
int clicks = 0, checkClicks = 0;

std::function<void(HWND)> initDialog;  // makes the children before the dialog is activated

INT_PTR CALLBACK CountingDialog(HWND h, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_INITDIALOG) initDialog(h);
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) ++(LOWORD(wp) == kCheckId ? checkClicks : clicks);
  return msg == WM_INITDIALOG;
}

class OwnDialogTest : public StdWndTest {
 protected:
  void SetUp() override {
    StdWndTest::SetUp();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    clicks = checkClicks = 0;
    struct {
      DLGTEMPLATE t;
      WORD menu, cls, title;
    } tmpl{};
    tmpl.t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    tmpl.t.cx = 200;
    tmpl.t.cy = 140;
    initDialog = [&](HWND h) { dialog = h; MakeChildren(); };
    CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &tmpl.t, nullptr, CountingDialog, 0);
    SetWindowPos(dialog, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(dialog, SW_SHOW);
    ASSERT_TRUE(WaitUntil([&] { return FirstSkinDone(dialog) && FaceOf(button) == kButton[0]; }))
        << FirstSkinDone(dialog) << " " << SendMessageA(dialog, ZM_ISSKINNED, 0, 0) << " "
        << SendMessageA(button, ZM_ISSKINNED, 0, 0) << " " << std::hex << FaceOf(button);
  }
  void MakeChildren() {
    auto child = [&](const char* cls, const char* text, DWORD style, int id, int x, int y, int w, int h) {
      return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, dialog,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    };
    button = child("Button", "Press", BS_PUSHBUTTON | WS_TABSTOP, kButtonId, 10, 10, 100, 30);
    check = child("Button", "Check", BS_AUTOCHECKBOX, kCheckId, 10, 50, 100, 20);
    radio = child("Button", "Radio", BS_AUTORADIOBUTTON, kRadioId, 10, 75, 100, 20);
    tab = child(WC_TABCONTROLA, "", 0, kTabId, 130, 10, 150, 100);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("One");
    SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.pszText = const_cast<char*>("Two");
    SendMessageA(tab, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
    SendMessageA(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(0, 30));
  }
  void TearDown() override {
    DestroyWindow(dialog);
    Xdo("mousemove 1270 1010");
  }
  // Real input from the focused button, and the clicks it makes: a marker click on the check
  // box that follows ends the wait, after the button's commands, which are posted before it.
  int ClicksOf(const std::string& input) {
    SetFocus(button);
    const int before = clicks, marks = checkClicks;
    Xdo(input + " mousemove " + XY(CentreOf(check)) + " click 1");
    EXPECT_TRUE(WaitUntil([&] { return checkClicks > marks; })) << input;
    return clicks - before;
  }
  int TabHeight() {
    RECT r{};
    SendMessageA(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.bottom - r.top;
  }
  HWND dialog = nullptr, button = nullptr, check = nullptr, radio = nullptr, tab = nullptr;
};

TEST_F(OwnDialogTest, ChildrenAnswerThatTheyAreSkinnedAndShowTheirFaces) {
  const struct {
    const char* name;
    HWND* child;
    POINT probe;
    COLORREF face;
  } cases[] = {
      {"push button", &button, {2, 15}, kButton[0]},
      {"check box", &check, {3, 3}, kCheck[1]},
      {"radio button", &radio, {3, 3}, kRadio[1]},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SendMessageA(*c.child, ZM_ISSKINNED, 0, 0), 1) << c.name;
    EXPECT_TRUE(WaitUntil([&] { return SurfacePixel(*c.child, c.probe.x, c.probe.y) == c.face; })) << c.name;
  }
  EXPECT_EQ(SendMessageA(tab, ZM_ISSKINNED, 0, 0), 1);
  // Checked from code: the box follows at once.
  SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SurfacePixel(check, 3, 3), kCheck[0]);
  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SurfacePixel(radio, 3, 3), kRadio[0]);
}

TEST_F(OwnDialogTest, APushButtonClicksOnceByMouseAndBySpaceAndNeverForAPressThatBeganElsewhere) {
  RECT r{};
  GetWindowRect(dialog, &r);
  const std::string on = "mousemove " + XY(CentreOf(button)), off = "mousemove " + XY({r.right - 20, r.bottom - 20});
  const struct {
    const char* name;
    std::string input;
    int clicks;
  } cases[] = {
      {"mouse", on + " click 1", 1},
      {"space", "key space", 1},
      {"pressed, dragged off and released elsewhere", on + " mousedown 1 " + off + " mouseup 1", 0},
      {"pressed elsewhere, released on the button", off + " mousedown 1 " + on + " mouseup 1", 0},
      {"Space pressed and released while the mouse holds it", on + " mousedown 1 key space mouseup 1", 1},
      {"pressed on it and released elsewhere, then pressed elsewhere and released on it",
       on + " mousedown 1 " + off + " mouseup 1 mousedown 1 " + on + " mouseup 1", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ClicksOf(c.input), c.clicks) << c.name;
}

TEST_F(OwnDialogTest, TheHoverLookComesAndGoesAndIsNotPaintedOnceSkinningIsOff) {
  Xdo("mousemove " + XY(CentreOf(button)));
  EXPECT_TRUE(WaitUntil([&] { return FaceOf(button) == kButton[1]; }));
  Xdo("mousemove 1270 1010");
  EXPECT_TRUE(WaitUntil([&] { return FaceOf(button) == kButton[0]; }));

  Xdo("mousemove " + XY(CentreOf(button)));
  ASSERT_TRUE(WaitUntil([&] { return FaceOf(button) == kButton[1]; }));
  auto* skinner = static_cast<TzubSkinWndButton*>(SkinnerOf(button));
  ASSERT_NE(skinner, nullptr);
  f.engine->SetActive(false);
  EXPECT_EQ(skinner->State, 0);  // nothing hot left for the timer to paint
  Xdo("mousemove 1270 1010");
  EXPECT_TRUE(WaitUntil([&] { return FaceOf(button) != kButton[1]; }));  // the platform's face
  skinner->State = zsHot;  // even so, a tick while skinning is off paints nothing
  skinner->HoverTimer(nullptr);
  EXPECT_EQ(skinner->State, 0);
  EXPECT_NE(FaceOf(button), kButton[0]);
}

TEST_F(OwnDialogTest, TheTabHeightComesBackAfterTheSkinIsAppliedTwice) {
  EXPECT_NE(TabHeight(), 30);  // the control's default while skinned
  SkinnerOf(tab)->SkinStateChanged();  // applied again, as a skin reload does
  f.engine->SetActive(false);
  EXPECT_EQ(TabHeight(), 30);
  f.engine->SetActive(true);
  f.engine->SetActive(false);
  EXPECT_EQ(TabHeight(), 30);
}

}  // namespace
