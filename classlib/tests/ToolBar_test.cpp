// The tool bar: its styles and buttons in the control, custom draw with real mouse input, and a
// button that drops its menu item's sub-menu.
#include "ToolBar.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "ComCtrls.h"
#include "ControlsTesting.h"
#include "ImgList.h"
#include "Menus.h"

namespace {

// Real X input: the pointer moves and clicks as a user's would.
void Xdo(const std::string& args) {
  std::string cmd = "/usr/bin/xdotool " + args;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) << cmd;
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

POINT ScreenCentre(TToolButton* b) {
  RECT r = b->BoundsRect();
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(b->ToolBar()->Handle(), &p);
  return p;
}

const char kBar[] = R"(
  object ToolBar1: TToolBar
    Left = 8
    Top = 8
    Width = 300
    Height = 60
    Align = alNone
    ButtonWidth = 60
    Flat = True
    List = True
    ShowCaptions = True
    Transparent = True
    Wrapable = False
    EdgeBorders = [ebLeft, ebTop]
    object Plain: TToolButton
      Caption = 'Plain'
    end
    object Check1: TToolButton
      Caption = 'One'
      Style = tbsCheck
      Grouped = True
      Down = True
    end
    object Check2: TToolButton
      Caption = 'Two'
      Style = tbsCheck
      Grouped = True
      Wrap = True
    end
    object Sep: TToolButton
      Width = 8
      Style = tbsSeparator
    end
    object Drop: TToolButton
      Caption = 'Drop'
      Style = tbsDropDown
    end
    object Wide: TToolButton
      Caption = 'A much longer caption'
      AutoSize = True
    end
  end)";

TBBUTTON ButtonOf(HWND bar, int i) {
  TBBUTTON b{};
  SendMessageA(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
  return b;
}

TEST(ToolBar, StylesAndButtonsReachTheControl) {
  EXPECT_EQ(TToolBar(nullptr).Align(), alTop);
  TestForm t(kBar);
  auto* bar = t.Get<TToolBar>("ToolBar1");
  ASSERT_TRUE(bar);
  HWND wnd = bar->Handle();
  EXPECT_EQ(WindowClass(wnd), "TToolBar");
  const LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
  EXPECT_EQ(style & (TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TRANSPARENT | TBSTYLE_WRAPABLE),
            TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TRANSPARENT);
  // Edges on the left and top only.
  RECT window, client;
  GetWindowRect(wnd, &window);
  GetClientRect(wnd, &client);
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  EXPECT_EQ(origin.x - window.left, 2);
  EXPECT_EQ(origin.y - window.top, 2);
  EXPECT_EQ(window.right - origin.x, client.right);

  struct Case {
    const char* name;
    BYTE style, stateSet, stateClear;
  };
  const Case cases[] = {
      {"Plain", BTNS_BUTTON, TBSTATE_ENABLED, TBSTATE_CHECKED | TBSTATE_WRAP},
      {"Check1", BTNS_CHECKGROUP, TBSTATE_CHECKED, TBSTATE_WRAP},
      {"Check2", BTNS_CHECKGROUP, TBSTATE_WRAP, TBSTATE_CHECKED},
      {"Sep", BTNS_SEP, 0, 0},
      {"Drop", BTNS_DROPDOWN, TBSTATE_ENABLED, 0},
  };
  ASSERT_EQ(bar->ButtonCount(), 6);
  for (int i = 0; i < 5; ++i) {
    const Case& c = cases[i];
    EXPECT_EQ(bar->Buttons(i)->Name(), c.name);
    TBBUTTON b = ButtonOf(wnd, i);
    EXPECT_EQ(b.fsStyle & (BTNS_CHECKGROUP | BTNS_SEP | BTNS_DROPDOWN), c.style) << c.name;
    EXPECT_EQ(b.fsState & c.stateSet, c.stateSet) << c.name;
    EXPECT_EQ(b.fsState & c.stateClear, 0) << c.name;
  }
  EXPECT_EQ(ButtonOf(wnd, 3).iBitmap, 8);  // a separator's width
  EXPECT_GT(bar->Buttons(4)->Top(), bar->Buttons(0)->Top());  // after the wrap
  EXPECT_GT(bar->Buttons(5)->Width(), bar->ButtonWidth());     // as wide as its caption

  // The user checks the group's second button: the first comes up, and both read so.
  auto* one = t.Get<TToolButton>("Check1");
  auto* two = t.Get<TToolButton>("Check2");
  POINT p{two->Left() + 5, two->Top() + 5};
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  EXPECT_TRUE(two->Down());
  EXPECT_FALSE(one->Down());
  bar->SetShowCaptions(false);  // the buttons are put in again, in the state the user left
  EXPECT_TRUE(SendMessageA(wnd, TB_ISBUTTONCHECKED, 2, 0));
  EXPECT_FALSE(SendMessageA(wnd, TB_ISBUTTONCHECKED, 1, 0));
  one->SetDown(true);
  EXPECT_FALSE(two->Down());
}

TEST(ToolBar, ImagesAndAutoSize) {
  TestForm t(R"(
  object ToolBar1: TToolBar
    Width = 200
    Height = 80
    AutoSize = True
    object B1: TToolButton
      ImageIndex = 0
    end
  end)");
  auto* bar = t.Get<TToolBar>("ToolBar1");
  ASSERT_TRUE(bar);
  auto* images = Create<TImageList>(t.form, 24, 20);  // image lists are not read from descriptions
  TBitmap strip;
  strip.SetSize(48, 20);
  images->Add(&strip, nullptr);
  bar->SetImages(images);
  HWND wnd = bar->Handle();
  EXPECT_EQ(ButtonOf(wnd, 0).iBitmap, 0);
  HIMAGELIST list = reinterpret_cast<HIMAGELIST>(SendMessageA(wnd, TB_GETIMAGELIST, 0, 0));
  ASSERT_TRUE(list);
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  RECT client;
  GetClientRect(wnd, &client);
  EXPECT_EQ(client.bottom, bar->Buttons(0)->BoundsRect().bottom);  // the bar fits its row
  images->Free();  // the bar lets go of a list that goes
  EXPECT_EQ(bar->Images(), nullptr);
  EXPECT_FALSE(SendMessageA(wnd, TB_GETIMAGELIST, 0, 0));
}

struct DrawLog {
  void Draw(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw) {
    for (int i = 0; i < sender->ButtonCount() && i < 8; ++i)
      if (sender->Buttons(i) == button) states[i] = states[i] + state;
    RECT r = button->BoundsRect();
    sender->Canvas()->Brush()->SetColor(clRed);
    sender->Canvas()->FillRect(r);
    defaultDraw = button != skip;
  }
  TCustomDrawState states[8];
  TToolButton* skip = nullptr;
};

// A picture of the bar as the screen shows it.
std::unique_ptr<TBitmap> Photograph(TToolBar* bar) {
  RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RECT r;
  GetClientRect(bar->Handle(), &r);
  POINT origin{0, 0};
  ClientToScreen(bar->Handle(), &origin);
  auto shot = std::make_unique<TBitmap>();
  shot->SetSize(r.right, r.bottom);
  DeviceContext screen;
  BitBlt(shot->Canvas()->Handle(), 0, 0, r.right, r.bottom, screen.get(), origin.x, origin.y, SRCCOPY);
  return shot;
}

TEST(ToolBar, CustomDrawReportsStatesAndHonoursDefaultDraw) {
  TestForm t(kBar);
  auto* bar = t.Get<TToolBar>("ToolBar1");
  ASSERT_TRUE(bar);
  DrawLog log;
  log.skip = bar->Buttons(0);
  bar->OnCustomDrawButton = TTBCustomDrawBtnEvent::Bind<&DrawLog::Draw>(&log);
  t.Show();
  SetForegroundWindow(t.form->Handle());

  auto shot = Photograph(bar);
  RECT skipped = bar->Buttons(0)->BoundsRect(), drawn = bar->Buttons(4)->BoundsRect();
  int notRed = 0;
  for (int y = skipped.top; y < skipped.bottom; ++y)
    for (int x = skipped.left; x < skipped.right; ++x) notRed += shot->Canvas()->Pixels(x, y) != clRed;
  EXPECT_EQ(notRed, 0) << "the platform painted over a button left to the handler";
  EXPECT_TRUE(HasColour(shot.get(), drawn, clRed));
  EXPECT_TRUE(HasColour(shot.get(), drawn, clBlack)) << "the platform drew the caption of a default button";
  EXPECT_TRUE(log.states[1].Contains(cdsChecked));

  POINT p = ScreenCentre(bar->Buttons(0));
  Xdo("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y));
  EXPECT_TRUE(WaitUntil([&] { return log.states[0].Contains(cdsHot); }));
  Xdo("mousedown 1");
  EXPECT_TRUE(WaitUntil([&] { return log.states[0].Contains(cdsSelected); }));
  Xdo("mouseup 1");
  Xdo("mousemove 0 0");
  WaitUntil([] { return false; }, 100);
}

struct MenuLog {
  void Clicked(TObject* sender) { clicked.push_back(sender); }
  std::vector<TObject*> clicked;
};

// What the second thread saw of the open menu.
struct MenuWatch {
  int items = -1;
};

DWORD WINAPI ChooseSecondItem(void* param) {
  auto* watch = static_cast<MenuWatch*>(param);
  HWND menu = WaitForShownMenu();
  if (!menu) return 1;
  watch->items = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)));
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
    PostMessageA(PopupWindow(), WM_KEYDOWN, key, 0);
    PostMessageA(PopupWindow(), WM_KEYUP, key, 0xC0000000);
  }
  return 0;
}

TEST(ToolBar, MenuItemButtonDropsItsSubMenu) {
  TestForm t(R"(
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Caption = 'Open'
      end
      object Close1: TMenuItem
        Caption = 'Close'
      end
    end
    object Help1: TMenuItem
      Caption = 'Help'
      Enabled = False
    end
  end
  object ToolBar1: TToolBar
    ShowCaptions = True
    ButtonWidth = 50
    object FileButton: TToolButton
      MenuItem = File1
    end
    object HelpButton: TToolButton
      MenuItem = Help1
    end
  end)");
  auto* bar = t.Get<TToolBar>("ToolBar1");
  auto* file = t.Get<TMenuItem>("File1");
  ASSERT_TRUE(bar && file);
  MenuLog log;
  t.Get<TMenuItem>("Close1")->OnClick = TNotifyEvent::Bind<&MenuLog::Clicked>(&log);
  t.Show();
  HWND wnd = bar->Handle();
  char text[64] = {};
  SendMessageA(wnd, TB_GETBUTTONTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "&File");
  EXPECT_FALSE(SendMessageA(wnd, TB_ISBUTTONENABLED, 1, 0));  // the item's state

  MenuWatch watch;
  HANDLE thread = CreateThread(nullptr, 0, ChooseSecondItem, &watch, 0, nullptr);
  TToolButton* button = bar->Buttons(0);
  POINT p{button->Left() + 5, button->Top() + 5};
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));  // the menu runs in here
  WaitForSingleObject(thread, 15000);
  CloseHandle(thread);
  EXPECT_EQ(watch.items, 2);
  ASSERT_EQ(log.clicked.size(), 1u);
  EXPECT_EQ(log.clicked[0], t.Get<TMenuItem>("Close1"));
  EXPECT_EQ(file->Count(), 2) << "the sub-items are back in their item";
  EXPECT_FALSE(SendMessageA(wnd, TB_ISBUTTONPRESSED, 0, 0));
  TPopupMenu* own = nullptr;
  for (int i = 0; i < bar->ComponentCount(); ++i)
    if (auto* m = As<TPopupMenu>(bar->Components(i))) own = m;
  ASSERT_NE(own, nullptr) << "the bar owns the menu it dropped";
  EXPECT_EQ(own->Items()->Count(), 0);
}

}  // namespace
