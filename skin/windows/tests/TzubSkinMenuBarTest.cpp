// The menu bar in place of a skinned form's main menu: its buttons and drawing, the sub-menu it
// drops, shortcuts through the application events, and an MDI frame with two children.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "AppEvnts.h"
#include "ControlsTesting.h"
#include "EngineTesting.h"
#include "ExtCtrls.h"
#include "ObjectInstance.h"
#include "Screenshot.h"
#include "TzubSkinMenuBar.h"
#include "TzubSkinMenuBarControlButton.h"
#include "ZUBSkinUtils.h"

namespace {

constexpr TColor kMenuFont = 0x000080, kSelBack = 0xFF0000, kMenuStripe = 0x0000FF;

// A form skinner that does what the form skinner does with its menus, in the same order.
class TMenuSkinner : public TzubSkinWindow {
 public:
  using TzubSkinWindow::TzubSkinWindow;
  static TzubSkinWindow* Make(HWND h, bool isDialog, TzubSkinEngine* engine) {
    return Create<TMenuSkinner>(nullptr, h, isDialog, engine);
  }
  void AttachWindow(HWND h) override {
    form = zubskin::FindFormByHandle(h);
    menus = std::make_unique<TzubSkinFormMenus>(this, form);
    prev = form->WindowProc;
    form->WindowProc = TWndMethod::Bind<&TzubSkinWindow::SkinWndProc>(static_cast<TzubSkinWindow*>(this));
  }
  void DetachWindow() override {
    form->WindowProc = prev;
    menus.reset();
  }
  void CallPrevWndProc(TMessage& m) override { prev(m); }
  void SaveWindowState() override {
    SavedClientHeight = form->ClientHeight();
    menus->SaveWindowState();
  }
  void ApplySkinState() override {
    if (Skinned) {
      menus->ApplySkinned();
      menus->ShiftControls(true);
      form->SetClientHeight(SavedClientHeight + GetMenuBarHeight());
      menus->SkinFormMenus();
    } else if (!Destroying) {
      menus->ApplyPlain();
      form->SetClientHeight(SavedClientHeight);
      menus->ShiftControls(false);
      menus->UnskinFormMenus();
      menus->HideMenuBar();
    }
  }
  int GetMenuBarHeight() override { return menus->GetMenuBarHeight(); }
  bool IsMDIForm() override { return form->FormStyle() == fsMDIForm; }
  bool IsMDIChild() override { return form->FormStyle() == fsMDIChild; }
  bool SkinBeforeFirstPaint() override { return true; }
  HWND GetHandle() override { return form->Handle(); }
  void AfterDefaultMessage(TMessage& m) override { menus->AfterDefaultMessage(m); }

  TCustomForm* form = nullptr;
  TWndMethod prev;
  std::unique_ptr<TzubSkinFormMenus> menus;
};

TzubSkinFormMenus* MenusOf(TzubSkinEngine* engine, TCustomForm* form) {
  for (TzubSkinWindow* w : engine->FWindows)
    if (w->GetHandle() == form->Handle()) return static_cast<TMenuSkinner*>(w)->menus.get();
  return nullptr;
}

std::vector<SkinEntry> MenuSkin(int32_t controlFontColor = -1) {
  std::vector<SkinEntry> e = {Img("TitleBarLeftImage", 0x0000C0, 10, 31), Int("FormBackgroundColor", 0x102030),
                              Int("MenuBarColor", kMenuStripe), Int("MenuMenuBarColor", 0x404040),
                              Int("MenuBackgroundColor", 0x00FF00), Int("MenuSelectedBackgroundColor", kSelBack),
                              Int("MenuSelectedBorderColor", 0x00FFFF), Int("MenuFontColor", kMenuFont),
                              Int("MenuSelectedFontColor", 0x800000)};
  if (controlFontColor != -1) e.push_back(Int("ControlFontColor", controlFontColor));
  return e;
}

std::string ButtonText(TToolBar* bar, int i) {
  char text[64] = {};
  SendMessageA(bar->Handle(), TB_GETBUTTONTEXTA, i, reinterpret_cast<LPARAM>(text));
  return text;
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
      object Copy1: TMenuItem
        Caption = '&Copy'
      end
    end
    object Help1: TMenuItem
      Caption = '&Help'
      object About1: TMenuItem
        Caption = '&About'
      end
    end
  end
  object TopOnly: TPanel
    Left = 8
    Top = 10
    Width = 100
    Height = 30
  end
  object Stretched: TPanel
    Left = 8
    Top = 50
    Width = 100
    Height = 200
    Anchors = [akLeft, akTop, akBottom]
  end
  object BottomOnly: TPanel
    Left = 8
    Top = 300
    Width = 100
    Height = 30
    Anchors = [akLeft, akBottom]
  end)";

// A form with a main menu, skinned by its own engine.
struct MenuForm {
  explicit MenuForm(int32_t controlFontColor = -1)
      : skin("menubar.zub", BuildSkin(MenuSkin(controlFontColor))), t(kMenuForm) {
    engine = Create<TzubSkinEngine>(t.form);
    engine->SetSkinFile(skin.path);
    engine->SetActive(true);
    engine->SkinWindow(t.form->Handle());
    menus = MenusOf(engine, t.form);
  }
  UseTestSkinWindows factory;  // replaced below by the menu skinner
  struct Use {
    Use() { SkinWindowFactory = &TMenuSkinner::Make; }
  } use;
  TempSkinFile skin;
  TestForm t;
  TzubSkinEngine* engine;
  TzubSkinFormMenus* menus = nullptr;
};

struct ClickLog {
  void Clicked(TObject*) { ++clicks; }
  int clicks = 0;
};

}  // namespace

TEST(SkinMenuBar, StandsInForTheMainMenuAndGivesItBack) {
  MenuForm f;
  ASSERT_NE(f.menus, nullptr);
  TForm* form = f.t.form;
  auto* menu = f.t.Get<TMainMenu>("MainMenu1");
  TToolBar* bar = f.menus->MenuBar;
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  EXPECT_TRUE(bar->Visible());
  ASSERT_EQ(bar->ButtonCount(), 3);
  EXPECT_EQ((std::vector<std::string>{ButtonText(bar, 0), ButtonText(bar, 1), ButtonText(bar, 2)}),
            (std::vector<std::string>{"&File", "&Edit", "&Help"}));
  const int h = static_cast<int>(SendMessageA(form->Handle(), ZM_GETMENUBARHEIGHT, 0, 0));
  EXPECT_GT(h, 0);
  EXPECT_EQ(h, bar->Height());
  EXPECT_EQ(bar->Top(), 0);

  const struct {
    const char* name;
    RECT skinned;  // left, top, right, bottom
  } controls[] = {{"TopOnly", {8, 10 + h, 108, 40 + h}},
                  {"Stretched", {8, 50 + h, 108, 250 + h}},  // moved down and shrunk, then the form grew by h
                  {"BottomOnly", {8, 300 + h, 108, 330 + h}}};  // stays, then follows the grown bottom
  for (const auto& c : controls) {
    RECT r = f.t.Get<TControl>(c.name)->BoundsRect();
    EXPECT_EQ(r.top, c.skinned.top) << c.name;
    EXPECT_EQ(r.bottom, c.skinned.bottom) << c.name;
  }

  // Each control moves with one change of its window, not one per property.
  MessageSpy spy(f.t.Get<TControl>("Stretched"));
  f.menus->ShiftControls(false);
  f.menus->ShiftControls(true);
  EXPECT_EQ(spy.Count(WM_WINDOWPOSCHANGED), 2);

  f.engine->SetActive(false);
  EXPECT_EQ(form->Menu(), menu);
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
  EXPECT_FALSE(bar->Visible());
  EXPECT_EQ(f.menus->GetMenuBarHeight(), 0);
  const struct {
    const char* name;
    int top, bottom;
  } plain[] = {{"TopOnly", 10, 40}, {"Stretched", 50, 250}, {"BottomOnly", 300, 330}};
  for (const auto& c : plain) {
    RECT r = f.t.Get<TControl>(c.name)->BoundsRect();
    EXPECT_EQ(r.top, c.top) << c.name;
    EXPECT_EQ(r.bottom, c.bottom) << c.name;
  }
}

TEST(SkinMenuBar, AFormWithoutAMainMenuHasNoBar) {
  UseTestSkinWindows factory;
  SkinWindowFactory = &TMenuSkinner::Make;
  TempSkinFile skin("menubar.zub", BuildSkin(MenuSkin()));
  TestForm t("");
  auto* engine = Create<TzubSkinEngine>(t.form);
  engine->SetSkinFile(skin.path);
  engine->SetActive(true);
  engine->SkinWindow(t.form->Handle());
  EXPECT_FALSE(MenusOf(engine, t.form)->MenuBar->Visible());
  EXPECT_EQ(SendMessageA(t.form->Handle(), ZM_GETMENUBARHEIGHT, 0, 0), 0);
}

// What a second thread saw while the sub-menu was open: its items and the colours drawn.
struct DropWatch {
  HWND bar = nullptr;
  RECT button{};
  int items = -1;
  bool stripe = false;    // the menu's leading stripe in the skin's colour
  bool selected = false;  // the bar's button drawn selected
};

DWORD WINAPI WatchAndClose(void* param) {
  auto* watch = static_cast<DropWatch*>(param);
  HWND menu = nullptr;
  for (int i = 0; i < 500 && !menu; ++i) {
    HWND w = FindWindowA("#32768", nullptr);
    if (w && IsWindowVisible(w)) menu = w;
    else Sleep(20);
  }
  if (!menu) return 1;
  watch->items = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)));
  for (int i = 0; i < 250 && !(watch->stripe && watch->selected); ++i) {
    HDC dc = GetDC(menu);
    watch->stripe = GetPixel(dc, 8, 10) == kMenuStripe;
    ReleaseDC(menu, dc);
    watch->selected = CountPixels(watch->bar, watch->button, kSelBack) > 0;
    Sleep(20);
  }
  PostMessageA(PopupWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(PopupWindow(), WM_KEYUP, VK_ESCAPE, 0xC0000000);
  return 0;
}

TEST(SkinMenuBar, AButtonDropsItsSubMenuOwnerDrawn) {
  MenuForm f;
  f.t.Show();
  TToolBar* bar = f.menus->MenuBar;
  DropWatch watch;
  watch.bar = bar->Handle();
  TToolButton* file = bar->Buttons(0);
  watch.button = file->BoundsRect();
  HANDLE thread = CreateThread(nullptr, 0, WatchAndClose, &watch, 0, nullptr);
  const LPARAM at = MAKELPARAM(file->Left() + 5, file->Top() + 5);
  SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, at);  // the menu runs in here
  WaitForSingleObject(thread, 15000);
  CloseHandle(thread);
  EXPECT_EQ(watch.items, 2);
  EXPECT_TRUE(watch.stripe);
  EXPECT_TRUE(watch.selected);
  TPopupMenu* dropped = nullptr;
  for (int i = 0; i < bar->ComponentCount(); ++i)
    if (auto* m = As<TPopupMenu>(bar->Components(i))) dropped = m;
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
    TToolBar* bar = f.menus->MenuBar;
    UpdateWindow(bar->Handle());
    EXPECT_GT(CountPixels(bar->Handle(), bar->Buttons(1)->BoundsRect(), c.caption), 5) << c.controlFontColor;
  }
}

// The oldest listener hears the key last: what Handled is after the skinned forms' routers.
struct LastListener {
  void Heard(MSG& msg, bool& handled) {
    if (msg.message == WM_KEYDOWN && msg.wParam == 'O') handledSeen.push_back(handled);
  }
  std::vector<bool> handledSeen;
};

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

  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  PostMessageA(active.t.form->Handle(), WM_KEYDOWN, 'O', 1);
  Application->ProcessMessages();
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);

  EXPECT_EQ(activeLog.clicks, 1);
  EXPECT_EQ(otherLog.clicks, 0);
  EXPECT_EQ(last.handledSeen, std::vector<bool>{true});
  oldest->Free();
}

// ---- An MDI frame with two children ----

class TSkinFrameForm : public TForm {
  DECLARE_CLASS(TSkinFrameForm, TForm)
 public:
  explicit TSkinFrameForm(TComponent* owner) : TForm(owner, true) {}
};
DEFINE_COMPONENT(TSkinFrameForm, TForm, ({}), ({}))

TMainMenu* MenuWith(TComponent* owner, const std::vector<std::string>& captions) {
  auto* menu = Create<TMainMenu>(owner);
  for (const std::string& caption : captions) {
    auto* item = Create<TMenuItem>(owner);
    item->SetCaption(caption);
    auto* sub = Create<TMenuItem>(owner);
    sub->SetCaption("Item");
    item->Add(sub);
    menu->Items()->Add(item);
  }
  return menu;
}

std::vector<std::string> Captions(TToolBar* bar) {
  std::vector<std::string> list;
  for (int i = 0; i < bar->ButtonCount(); ++i) list.push_back(ButtonText(bar, i));
  return list;
}

std::vector<bool> Shown(TzubSkinFormMenus* m) {
  return {m->MDIButtons[0]->Visible(), m->MDIButtons[1]->Visible(), m->MDIButtons[2]->Visible()};
}

TEST(SkinMenuBar, MDIFrameShowsTheActiveChildsMenuAndItsButtons) {
  UseTestSkinWindows factory;
  SkinWindowFactory = &TMenuSkinner::Make;
  TempSkinFile skin("menubar.zub", BuildSkin(MenuSkin()));
  TSkinFrameForm* frame = nullptr;
  Application->CreateForm(frame);
  frame->SetFormStyle(fsMDIForm);
  frame->SetBounds(20, 20, 640, 480);
  frame->SetMenu(MenuWith(frame, {"&Window"}));
  auto* engine = Create<TzubSkinEngine>(frame);
  engine->SetSkinFile(skin.path);
  engine->SetActive(true);
  engine->SkinWindow(frame->Handle());
  frame->Show();
  TzubSkinFormMenus* menus = MenusOf(engine, frame);
  ASSERT_NE(menus, nullptr);
  HWND client = frame->ClientHandle();

  TForm* children[2] = {};
  const char* names[2] = {"&Document", "&Picture"};
  for (int i = 0; i < 2; ++i) {
    TForm* child = Create<TForm>(nullptr, true);
    child->SetBounds(10 + 30 * i, 10, 200, 150);
    child->SetMenu(MenuWith(child, {names[i]}));
    if (i == 0) child->SetBorderIcons({biSystemMenu, biMaximize});
    child->SetFormStyle(fsMDIChild);
    engine->SkinWindow(child->Handle());
    children[i] = child;
  }
  TForm* one = children[0];
  TForm* two = children[1];
  EXPECT_EQ(frame->ActiveMDIChild(), two);
  EXPECT_EQ(Captions(menus->MenuBar), std::vector<std::string>{"&Picture"});
  SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(one->Handle()), 0);
  EXPECT_EQ(Captions(menus->MenuBar), std::vector<std::string>{"&Document"});
  EXPECT_FALSE(MenusOf(engine, one)->MenuBar->Visible()) << "a child's own bar is never shown";
  EXPECT_EQ(SendMessageA(two->Handle(), ZM_GETACTIVESTATE, 0, 0), 2);

  one->SetWindowState(wsMaximized);
  EXPECT_EQ(Shown(menus), (std::vector<bool>{true, true, false}));  // close, restore; no minimise icon
  SaveScreenshot(frame->Handle(), "SkinMenuBar_MDIFrameMaximized");
  TControl* restore = menus->MDIButtons[1];
  restore->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  restore->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(IsZoomed(one->Handle()));
  EXPECT_EQ(Shown(menus), (std::vector<bool>{false, false, false}));

  frame->SetClientWidth(500);
  frame->SetClientHeight(400);
  const int bar = menus->GetMenuBarHeight();
  const struct {
    UINT msg;
    WPARAM wp;
    RECT twoAt, oneAt;  // left, top, width, height: the highest index first
  } layouts[] = {{WM_MDICASCADE, 0, {0, 0, 400, 240}, {22, 22, 400, 240}},
                 {WM_MDITILE, MDITILE_VERTICAL, {0, 0, 248, 400 - bar - 4}, {248, 0, 248, 400 - bar - 4}},
                 {WM_MDITILE, MDITILE_HORIZONTAL, {0, 0, 496, (400 - bar) / 2 - 2}, {0, (400 - bar) / 2 - 2, 496, (400 - bar) / 2 - 2}}};
  for (const auto& l : layouts) {
    SendMessageA(client, l.msg, l.wp, 0);
    const RECT t{two->Left(), two->Top(), two->Width(), two->Height()}, o{one->Left(), one->Top(), one->Width(), one->Height()};
    EXPECT_TRUE(EqualRect(&t, &l.twoAt)) << l.msg << "/" << l.wp << ": " << t.left << "," << t.top << " " << t.right << "x" << t.bottom;
    EXPECT_TRUE(EqualRect(&o, &l.oneAt)) << l.msg << "/" << l.wp << ": " << o.left << "," << o.top << " " << o.right << "x" << o.bottom;
  }
  SaveScreenshot(frame->Handle(), "SkinMenuBar_MDIFrameTiled");

  two->Free();
  EXPECT_EQ(Captions(menus->MenuBar), std::vector<std::string>{"&Document"});
  one->Free();  // the last one: the frame's own menu is back
  EXPECT_EQ(Captions(menus->MenuBar), std::vector<std::string>{"&Window"});
  EXPECT_EQ(Shown(menus), (std::vector<bool>{false, false, false}));

  // The client's procedure stub is given back each time the hook goes: more hooks than stubs.
  for (int i = 0; i < 600; ++i) {
    menus->UnhookMDIClient();
    menus->HookMDIClient();
  }
  const LONG_PTR hooked = GetWindowLongPtrA(client, GWLP_WNDPROC);
  engine->UnskinWindow(frame->Handle());
  EXPECT_NE(GetWindowLongPtrA(client, GWLP_WNDPROC), hooked);
  frame->Free();
}
