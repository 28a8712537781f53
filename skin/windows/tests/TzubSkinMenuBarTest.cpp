// The menu bar in place of a skinned form's main menu: its buttons and drawing, the sub-menu it
// drops, shortcuts through the application events, and an MDI frame with its children.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AppEvnts.h"
#include "ControlsTesting.h"
#include "EngineTesting.h"
#include "Screenshot.h"
#include "TzubSkinMenuBar.h"
#include "TzubSkinToolBar.h"
#include "TzubSkinWindowVCL.h"
#include "ZUBSkinRegistry.h"

namespace {

constexpr TColor kMenuFont = 0x400000, kSelBack = 0xC07030, kMenuStripe = 0x0000FF;

std::vector<SkinEntry> MenuSkin(int32_t controlFontColor = -1) {
  std::vector<SkinEntry> e = {Img("TitleBarLeftImage", 0x0000C0, 10, 26), Img("TitleBarClientImage", 0x8C4A1E, 10, 26),
                              Img("FormLeftBorderImage", 0x8C4A1E, 4, 20), Img("FormBottomBorderImage", 0x8C4A1E, 20, 4),
                              Int("FormBackgroundColor", 0xD8E4EC), Int("TitleBarFontColor", 0xFFFFFF),
                              Int("MenuBarColor", kMenuStripe), Int("MenuMenuBarColor", 0xF0E0D0),
                              Int("MenuBackgroundColor", 0x00FF00), Int("MenuSelectedBackgroundColor", kSelBack),
                              Int("MenuSelectedBorderColor", 0x00FFFF), Int("MenuFontColor", kMenuFont),
                              Int("MenuSelectedFontColor", 0xFFFFFF)};
  if (controlFontColor != -1) e.push_back(Int("ControlFontColor", controlFontColor));
  return e;
}

TzubSkinWindowVCL* SkinnerOf(TzubSkinEngine* engine, TCustomForm* form) {
  for (TzubSkinWindow* w : engine->FWindows)
    if (auto* vcl = As<TzubSkinWindowVCL>(w); vcl && vcl->Form == form) return vcl;
  return nullptr;
}
TToolBar* BarOf(TzubSkinWindowVCL* skinner) { return static_cast<TToolBar*>(skinner->MenuBar); }

std::vector<std::string> Captions(TToolBar* bar) {
  std::vector<std::string> list;
  for (int i = 0; i < bar->ButtonCount(); ++i) {
    char text[64] = {};
    SendMessageA(bar->Handle(), TB_GETBUTTONTEXTA, i, reinterpret_cast<LPARAM>(text));
    list.push_back(text);
  }
  return list;
}

int CountPixels(HWND wnd, const RECT& r, TColor colour) {
  HDC dc = GetDC(wnd);
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == static_cast<COLORREF>(colour);
  ReleaseDC(wnd, dc);
  return n;
}

const char kMenuForm[] = R"(
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    AutoHotkeys = maManual
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Caption = '&Open'
        ShortCut = 16463
      end
      object Close1: TMenuItem
        Caption = '&Close'
      end
    end
    object Edit1: TMenuItem
      Caption = '&Edit'
    end
    object Help1: TMenuItem
      Caption = '&Help'
    end
  end
  object TopOnly: TPanel
    Top = 10
    Height = 30
  end
  object Stretched: TPanel
    Top = 50
    Height = 200
    Anchors = [akLeft, akTop, akBottom]
  end
  object BottomOnly: TPanel
    Top = 300
    Height = 30
    Anchors = [akLeft, akBottom]
  end)";

// A form with a main menu, skinned by its own engine.
struct MenuForm {
  explicit MenuForm(int32_t controlFontColor = -1)
      : skin("menubar.zub", BuildSkin(MenuSkin(controlFontColor))), t(kMenuForm), engine(Create<TzubSkinEngine>(t.form)) {
    engine->SetSkinFile(skin.path);
    engine->SetActive(true);
    engine->SkinWindow(t.form->Handle());
    skinner = SkinnerOf(engine, t.form);
    bar = BarOf(skinner);
  }
  TempSkinFile skin;
  TestForm t;
  TzubSkinEngine* engine;
  TzubSkinWindowVCL* skinner;
  TToolBar* bar;
};

// Where a control lies each time its window moves or changes size.
struct BoundsLog {
  explicit BoundsLog(TWinControl* c) : control(c), saved(c->WindowProc) { c->WindowProc = TWndMethod::Bind<&BoundsLog::Proc>(this); }
  ~BoundsLog() { control->WindowProc = saved; }
  void Proc(TMessage& m) {
    saved(m);
    if (m.Msg != WM_WINDOWPOSCHANGED) return;
    RECT r{};
    GetWindowRect(control->Handle(), &r);
    MapWindowPoints(nullptr, GetParent(control->Handle()), reinterpret_cast<POINT*>(&r), 2);
    seen.push_back(r);
  }
  TWinControl* control;
  TWndMethod saved;
  std::vector<RECT> seen;
};

}  // namespace

TEST(SkinMenuBar, StandsInForTheMainMenuAndGivesItBack) {
  MenuForm f;
  TForm* form = f.t.form;
  auto* menu = f.t.Get<TMainMenu>("MainMenu1");
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  EXPECT_EQ(Captions(f.bar), (std::vector<std::string>{"&File", "&Edit", "&Help"}));
  const int h = static_cast<int>(SendMessageA(form->Handle(), ZM_GETMENUBARHEIGHT, 0, 0));
  EXPECT_GT(h, 0);
  EXPECT_EQ(h, f.bar->Height());

  const struct {
    const char* name;
    int top, height;  // the one anchored at the bottom follows the client area, grown by as much
  } controls[] = {{"TopOnly", 10, 30}, {"Stretched", 50, 200}, {"BottomOnly", 300, 30}};
  auto expectAt = [&](int by, const char* when) {
    for (const auto& c : controls) {
      EXPECT_EQ(f.t.Get<TControl>(c.name)->Top(), c.top + by) << c.name << " " << when;
      EXPECT_EQ(f.t.Get<TControl>(c.name)->Height(), c.height) << c.name << " " << when;
    }
  };
  expectAt(h, "skinned");
  BoundsLog log(f.t.Get<TWinControl>("Stretched"));
  f.engine->SetActive(false);
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
  EXPECT_FALSE(f.bar->Visible());
  expectAt(0, "plain");
  f.engine->SetActive(true);
  expectAt(h, "skinned again");
  // Anchored at top and bottom, it moves and shrinks in one step: its bottom never jumps with its top.
  for (size_t i = 1; i < log.seen.size(); ++i)
    if (log.seen[i].top != log.seen[i - 1].top) {
      EXPECT_EQ(log.seen[i].bottom, log.seen[i - 1].bottom) << i;
    }
}

TEST(SkinMenuBar, NoBarWithoutAMenuNorDrawingAfterItsSkinnerWent) {
  TempSkinFile skin("menubar.zub", BuildSkin(MenuSkin()));
  TestForm own(""), other(kMenuForm);
  // A tool bar of the other form, with the tool-bar skinner, draws through its skinner too.
  auto* tools = Create<TToolBar>(other.form);
  tools->SetParent(other.form);
  Create<TToolButton>(other.form)->SetParent(tools);
  SkinControlClassTable.push_back({TToolBar::StaticClass(), NewSkinControlVCL<TzubSkinToolBar>});
  auto* engine = Create<TzubSkinEngine>(own.form);
  engine->SetSkinFile(skin.path);
  engine->SetActive(true);
  engine->SkinWindow(own.form->Handle());
  engine->SkinWindow(other.form->Handle());
  SkinControlClassTable.pop_back();
  EXPECT_FALSE(SkinnerOf(engine, own.form)->MenuBar->Visible());
  EXPECT_EQ(SendMessageA(own.form->Handle(), ZM_GETMENUBARHEIGHT, 0, 0), 0);
  TToolBar* bar = BarOf(SkinnerOf(engine, other.form));
  ASSERT_TRUE(tools->OnCustomDrawButton);
  other.Show();
  engine->Free();  // the other form's skinner goes with it, the bars stay on its form
  for (TToolBar* b : {bar, tools}) {
    EXPECT_FALSE(b->OnCustomDrawButton) << b->ClassName();
    RedrawWindow(b->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
}

// What a second thread saw while the sub-menu was open.
struct DropWatch {
  HWND bar;
  RECT button;
  int items = -1;
  bool stripe = false;    // the menu's leading stripe in the skin's colour: drawn by the engine
  bool selected = false;  // the bar's button drawn selected
};

DWORD WINAPI WatchAndClose(void* param) {
  auto* watch = static_cast<DropWatch*>(param);
  HWND menu = WaitForShownMenu();
  if (!menu) return 1;
  watch->items = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)));
  for (int i = 0; i < 250 && !(watch->stripe && watch->selected); ++i, Sleep(20)) {
    watch->stripe = CountPixels(menu, RECT{8, 10, 9, 11}, kMenuStripe) == 1;
    watch->selected = CountPixels(watch->bar, watch->button, kSelBack) > 0;
  }
  PostMessageA(PopupWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
  return 0;
}

TEST(SkinMenuBar, AButtonDropsItsSubMenuOwnerDrawn) {
  MenuForm f;
  f.t.Show();
  TToolButton* file = f.bar->Buttons(0);
  DropWatch watch{f.bar->Handle(), file->BoundsRect()};
  HANDLE thread = CreateThread(nullptr, 0, WatchAndClose, &watch, 0, nullptr);
  const LPARAM at = MAKELPARAM(file->Left() + 5, file->Top() + 5);
  SendMessageA(f.bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(f.bar->Handle(), WM_LBUTTONUP, 0, at);  // the menu runs in here
  WaitForSingleObject(thread, 15000);
  CloseHandle(thread);
  EXPECT_EQ(watch.items, 2);
  EXPECT_TRUE(watch.stripe);
  EXPECT_TRUE(watch.selected);
  TPopupMenu* dropped = nullptr;
  for (int i = 0; i < f.bar->ComponentCount(); ++i)
    if (auto* m = As<TPopupMenu>(f.bar->Components(i))) dropped = m;
  ASSERT_NE(dropped, nullptr);
  EXPECT_EQ(dropped->AutoHotkeys(), maManual);  // as the menu the bar shows
  SaveScreenshot(f.t.form->Handle(), "SkinMenuBar_MenuForm");
}

TEST(SkinMenuBar, CaptionsInTheSkinsFontColour) {
  const struct {
    int32_t controlFontColor;
    TColor caption;
  } cases[] = {{-1, kMenuFont}, {0x30000, 0xFFFFFF}};
  for (const auto& c : cases) {
    MenuForm f(c.controlFontColor);
    f.t.Show();
    UpdateWindow(f.bar->Handle());
    EXPECT_GT(CountPixels(f.bar->Handle(), f.bar->Buttons(1)->BoundsRect(), c.caption), 5) << c.controlFontColor;
  }
}

// The oldest listener hears a key last: what Handled is after the skinned forms' routers.
struct LastListener {
  void Heard(MSG& msg, bool& handled) {
    if (msg.message == WM_KEYDOWN && msg.wParam == 'O') handledSeen.push_back(handled);
  }
  std::vector<bool> handledSeen;
};
struct ClickLog {
  void Clicked(TObject*) { ++clicks; }
  int clicks = 0;
};

// Ctrl and a key, posted as the keyboard posts it and taken through the application's loop.
void PressCtrl(HWND to, char key) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  PostMessageA(to, WM_KEYDOWN, key, 1);
  Application->ProcessMessages();
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

TEST(SkinMenuBar, ShortcutRunsItsItemOnceAndStaysHandled) {
  LastListener last;
  TApplicationEvents* oldest = Create<TApplicationEvents>(nullptr);
  oldest->OnMessage = TMessageEvent::Bind<&LastListener::Heard>(&last);
  MenuForm other;  // inactive, its router runs after the active form's
  MenuForm active;
  ClickLog activeLog, otherLog;
  active.t.Get<TMenuItem>("Open1")->OnClick = TNotifyEvent::Bind<&ClickLog::Clicked>(&activeLog);
  other.t.Get<TMenuItem>("Open1")->OnClick = TNotifyEvent::Bind<&ClickLog::Clicked>(&otherLog);
  other.t.Show();
  active.t.Show();
  SetForegroundWindow(active.t.form->Handle());
  ASSERT_TRUE(WaitUntil([&] { return Screen->ActiveForm() == active.t.form; }));

  PressCtrl(active.t.form->Handle(), 'O');
  EXPECT_EQ(activeLog.clicks, 1);
  EXPECT_EQ(otherLog.clicks, 0);
  EXPECT_EQ(last.handledSeen, std::vector<bool>{true});
  oldest->Free();
}

// ---- An MDI frame and its children ----

class TSkinFrameForm : public TForm {
  DECLARE_CLASS(TSkinFrameForm, TForm)
 public:
  explicit TSkinFrameForm(TComponent* owner) : TForm(owner, true) {}
};
DEFINE_COMPONENT(TSkinFrameForm, TForm, ({}), ({}))

TMainMenu* MenuWith(TComponent* owner, const std::string& caption) {
  auto* menu = Create<TMainMenu>(owner);
  auto* item = Create<TMenuItem>(owner);
  item->SetCaption(caption);
  menu->Items()->Add(item);
  return menu;
}

struct CloseToFree {
  void Closed(TObject*, TCloseAction& action) { action = caFree; }
};

// The application's main form, an MDI frame skinned by its own engine; its menu's one item
// "&Window" runs on Ctrl+W.
struct MDIFrame {
  MDIFrame() {
    Application->CreateForm(form);
    form->SetFormStyle(fsMDIForm);
    form->SetCaption("Frame");
    form->SetBounds(20, 20, 640, 480);
    TMainMenu* menu = MenuWith(form, "&Window");
    menu->Items()->Items(0)->SetShortCut(ShortCut('W', TShiftState{ssCtrl}));
    menu->Items()->Items(0)->OnClick = TNotifyEvent::Bind<&ClickLog::Clicked>(&log);
    form->SetMenu(menu);
    engine = Create<TzubSkinEngine>(form);
    engine->SetSkinFile(skin.path);
    engine->SetActive(true);
    engine->SkinWindow(form->Handle());
    form->Show();
    skinner = SkinnerOf(engine, form);
  }
  ~MDIFrame() { form->Free(); }
  MDIFrame(const MDIFrame&) = delete;
  MDIFrame& operator=(const MDIFrame&) = delete;

  // A child with a menu of one item, skinned by the frame's engine unless asked not to.
  TForm* Child(const std::string& menu, bool skinned = true, TBorderIcons icons = {biSystemMenu, biMinimize, biMaximize}) {
    TForm* child = Create<TForm>(nullptr, true);
    child->SetCaption(menu.substr(1));
    child->SetBounds(10 + 30 * form->MDIChildCount(), 10, 200, 150);
    child->SetMenu(MenuWith(child, menu));
    child->SetBorderIcons(icons);
    child->SetFormStyle(fsMDIChild);
    if (skinned) engine->SkinWindow(child->Handle());
    return child;
  }
  std::vector<std::string> Bar() { return Captions(BarOf(skinner)); }
  void Activate(HWND h) {
    SetForegroundWindow(h);
    ASSERT_TRUE(WaitUntil([&] {
      return GetForegroundWindow() == h && (!engine->IsSkinning() || skinner->Active == (h == form->Handle()));
    }));
  }

  TempSkinFile skin{"menubar.zub", BuildSkin(MenuSkin())};
  TSkinFrameForm* form = nullptr;
  TzubSkinEngine* engine = nullptr;
  TzubSkinWindowVCL* skinner = nullptr;
  ClickLog log;
};

std::vector<bool> Shown(TzubSkinWindowVCL* frame) {
  return {frame->MDIButtons[0]->Visible(), frame->MDIButtons[1]->Visible(), frame->MDIButtons[2]->Visible()};
}
RECT Bounds(TControl* c) { return {c->Left(), c->Top(), c->Width(), c->Height()}; }

TEST(SkinMenuBar, MDIFrameShowsTheActiveChildsMenuAndItsButtons) {
  MDIFrame f;
  TzubSkinWindowVCL* skinner = f.skinner;
  HWND client = f.form->ClientHandle();
  TForm* one = f.Child("&Document", true, {biSystemMenu, biMaximize});
  EXPECT_EQ(f.Bar(), std::vector<std::string>{"&Document"}) << "a single child's menu";
  TForm* two = f.Child("&Picture");
  EXPECT_EQ(f.Bar(), std::vector<std::string>{"&Picture"});
  SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(one->Handle()), 0);
  EXPECT_EQ(f.Bar(), std::vector<std::string>{"&Document"});
  EXPECT_FALSE(SkinnerOf(f.engine, one)->MenuBar->Visible()) << "a child's own bar is never shown";
  EXPECT_EQ(SendMessageA(two->Handle(), ZM_GETACTIVESTATE, 0, 0), 2);

  auto click = [&](int button) {
    TControl* b = skinner->MDIButtons[button];
    b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  };
  Application->ProcessMessages();  // the MDI client sets its scroll bars from posted messages
  one->SetWindowState(wsMaximized);
  EXPECT_EQ(Shown(skinner), (std::vector<bool>{true, true, false}));  // close, restore; no minimise icon
  Application->ProcessMessages();
  SaveScreenshot(f.form->Handle(), "SkinMenuBar_MDIFrameMaximized");
  click(1);  // restore
  EXPECT_FALSE(IsZoomed(one->Handle()));
  EXPECT_EQ(Shown(skinner), (std::vector<bool>{false, false, false}));

  f.form->SetClientWidth(500);
  f.form->SetClientHeight(400);
  const int a = 400 - skinner->GetMenuBarHeight();  // the height below the bar
  const struct {
    UINT msg;
    WPARAM wp;
    RECT two, one;  // left, top, width, height: the highest index first
  } layouts[] = {{WM_MDICASCADE, 0, {0, 0, 400, 240}, {22, 22, 400, 240}},
                 {WM_MDITILE, MDITILE_VERTICAL, {0, 0, 248, a - 4}, {248, 0, 248, a - 4}},
                 {WM_MDITILE, MDITILE_HORIZONTAL, {0, 0, 496, a / 2 - 2}, {0, a / 2 - 2, 496, a / 2 - 2}}};
  for (const auto& l : layouts) {
    SendMessageA(client, l.msg, l.wp, 0);
    const RECT t = Bounds(two), o = Bounds(one);
    EXPECT_TRUE(EqualRect(&t, &l.two) && EqualRect(&o, &l.one)) << l.msg << "/" << l.wp;
  }
  SaveScreenshot(f.form->Handle(), "SkinMenuBar_MDIFrameTiled");

  SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(two->Handle()), 0);
  two->SetWindowState(wsMaximized);
  EXPECT_EQ(Shown(skinner), (std::vector<bool>{true, true, true}));
  click(2);  // minimise
  EXPECT_TRUE(IsIconic(two->Handle()));
  EXPECT_EQ(Shown(skinner), (std::vector<bool>{false, false, false}));
  two->Free();
  EXPECT_EQ(f.Bar(), std::vector<std::string>{"&Document"});

  CloseToFree toFree;
  one->OnClose = TCloseEvent::Bind<&CloseToFree::Closed>(&toFree);
  one->SetWindowState(wsMaximized);
  click(0);  // close: the last one goes, the frame's own menu is back
  EXPECT_EQ(f.form->MDIChildCount(), 0);
  EXPECT_EQ(f.Bar(), std::vector<std::string>{"&Window"});
  EXPECT_EQ(Shown(skinner), (std::vector<bool>{false, false, false}));

  // The client's procedure stub goes with each hook: more hooks than there are stubs.
  for (int i = 0; i < 600; ++i) {
    skinner->UnhookMDIClient();
    skinner->HookMDIClient();
  }
  const LONG_PTR hooked = GetWindowLongPtrA(client, GWLP_WNDPROC);
  f.engine->UnskinWindow(f.form->Handle());
  EXPECT_NE(GetWindowLongPtrA(client, GWLP_WNDPROC), hooked);
}

// The frame watches the children's menus it keeps and shows: one that goes, with its child or
// before it, while the skin is off or while an unskinned child stays, leaves the bar.
TEST(SkinMenuBar, AGoneChildsMenuLeavesTheFramesBarAndKeysStillWork) {
  const struct {
    const char* what;
    bool skinOff;         // while the children go
    bool menusFirst;      // each menu freed before its child
    bool newestFirst;     // the children go from the newest
    bool unskinnedStays;  // an unskinned child stays open
  } cases[] = {{"skin off, children closed, skin on", true, false, false, false},
               {"skin off, menus freed, newest first, skin on", true, true, true, false},
               {"a skinned child closed, an unskinned one stays", false, false, false, true},
               {"a skinned child's menu freed, an unskinned one stays", false, true, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MDIFrame f;
    TForm* plain = c.unskinnedStays ? f.Child("&Plain", false) : nullptr;
    std::vector<TForm*> children{f.Child("&Document")};
    if (!c.unskinnedStays) children.push_back(f.Child("&Picture"));
    if (c.newestFirst) std::reverse(children.begin(), children.end());
    ASSERT_NE(f.Bar(), std::vector<std::string>{"&Window"});
    f.engine->SetActive(!c.skinOff);
    for (TForm* child : children) {
      if (c.menusFirst) child->Components(0)->Free();
      child->Free();
    }
    f.engine->SetActive(true);
    EXPECT_EQ(f.Bar(), std::vector<std::string>{"&Window"});
    f.Activate(f.form->Handle());
    PressCtrl(f.form->Handle(), 'W');
    EXPECT_EQ(f.log.clicks, 1);
    if (plain) plain->Free();
  }
}

TEST(SkinMenuBar, AnMDIFramesShortcutRunsOnlyWhileSkinnedAndActive) {
  MDIFrame f;
  TestForm other("");
  other.Show();
  const struct {
    const char* what;
    bool skinning;
    TCustomForm* active;
    int clicks;
  } cases[] = {{"skinned, active", true, f.form, 1}, {"engine off", false, f.form, 0}, {"inactive", true, other.form, 0}};
  for (const auto& c : cases) {
    f.engine->SetActive(c.skinning);
    f.Activate(c.active->Handle());
    f.log.clicks = 0;
    PressCtrl(f.form->Handle(), 'W');
    EXPECT_EQ(f.log.clicks, c.clicks) << c.what;
  }
}
