// Owner-drawn menu items measured and drawn by pixel, menus skinned as they come and go, and the
// system menu's enabling and commands.
#include <gtest/gtest.h>

#include "EngineTesting.h"
#include "ImgList.h"
#include "ZUBSkinUtils.h"

namespace {

constexpr TColor kBar = 0x0000FF, kBack = 0x00FF00, kSelBack = 0xFF0000, kSelBorder = 0x00FFFF,
                 kFont = 0x000080, kSelFont = 0x800000, kGrey = 0x808080, kLine = 0x848284;
constexpr TColor kImages[] = {0x112233, 0x445566, 0x778899};

struct SkinnedMenu : EngineForm {
  SkinnedMenu() : skin("menus.zub", BasicSkin()), menu(Create<TPopupMenu>(nullptr)), images(Create<TCustomImageList>(nullptr)) {
    engine->SetSkinFile(skin.path);
    engine->SetActive(true);
    TBitmap strip;
    strip.SetSize(48, 16);
    for (int i = 0; i < 3; ++i) zubskin::FillRectColor(strip.Canvas(), RECT{16 * i, 0, 16 * i + 16, 16}, kImages[i]);
    images->Add(&strip, nullptr);
    menu->SetImages(images);
  }
  ~SkinnedMenu() {
    menu->Free();
    images->Free();
  }
  TMenuItem* Item(const std::string& caption) {
    TMenuItem* item = Create<TMenuItem>(nullptr);
    item->SetCaption(caption);
    menu->Items()->Add(item);
    return item;
  }
  TempSkinFile skin;
  TPopupMenu* menu;
  TCustomImageList* images;
};

struct Probe {
  int x, y;
  TColor colour;
};

int CountColour(TBitmap& bmp, const RECT& r, TColor colour) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += bmp.Canvas()->Pixels(x, y) == colour;
  return n;
}

}  // namespace

TEST(SkinEngineMenus, ItemsAreDrawnInTheSkinColours) {
  const RECT kRect{0, 0, 200, 21};
  const struct {
    const char* what;
    std::string caption;
    bool selected, enabled, checked, rtl;
    int image;
    std::vector<Probe> probes;
    TColor textColour;  // somewhere in the caption's rectangle; clNone: not looked at
  } cases[] = {
      {"separator", "-", false, true, false, false, -1, {{5, 2, kBar}, {100, 1, kBack}, {40, 2, kLine}}, clNone},
      {"separator rtl", "-", false, true, false, true, -1, {{195, 2, kBar}, {100, 1, kBack}, {100, 2, kLine}}, clNone},
      {"plain", "Open", false, true, false, false, -1, {{5, 10, kBar}, {190, 18, kBack}}, kFont},
      {"selected", "Open", true, true, false, false, -1, {{0, 0, kSelBorder}, {199, 20, kSelBorder}, {190, 18, kSelBack}}, kSelFont},
      {"selected disabled", "Open", true, false, false, false, -1, {{5, 10, kBar}, {190, 18, kBack}}, kGrey},
      {"checked", "Open", false, true, true, false, -1, {{10, 14, clBlack}, {4, 3, kBar}}, kFont},
      {"checked image", "Open", false, true, true, false, 2, {{2, 1, clBlack}, {3, 2, kBack}, {10, 10, kImages[2]}}, clNone},
      {"checked, index past the list", "Open", false, true, true, false, 3, {{10, 14, clBlack}, {2, 1, kBar}}, clNone},
      {"image", "Open", false, true, false, false, 1, {{10, 10, kImages[1]}, {2, 1, kBar}}, clNone},
      {"rtl", "Open", false, true, false, true, -1, {{195, 10, kBar}, {5, 18, kBack}}, kFont},
  };
  for (const auto& c : cases) {
    SkinnedMenu m;
    m.menu->SetBiDiMode(c.rtl ? bdRightToLeft : bdLeftToRight);
    TMenuItem* item = m.Item(c.caption);
    item->SetEnabled(c.enabled);
    item->SetChecked(c.checked);
    item->SetImageIndex(c.image);
    TBitmap bmp;
    bmp.SetSize(200, 21);
    m.engine->DrawMenuItem(item, bmp.Canvas(), kRect, c.selected);
    for (const Probe& p : c.probes)
      EXPECT_EQ(int32_t(bmp.Canvas()->Pixels(p.x, p.y)), int32_t(p.colour)) << c.what << " at " << p.x << "," << p.y;
    if (c.textColour != clNone) {
      const RECT caption = c.rtl ? RECT{0, 4, 170, 21} : RECT{30, 4, 200, 21};
      EXPECT_GT(CountColour(bmp, caption, c.textColour), 0) << c.what;
    }
  }
}

TEST(SkinEngineMenus, ShortcutsKeepClearOfTheCaptionInBothDirections) {
  for (bool rtl : {false, true}) {
    SkinnedMenu m;
    m.menu->SetBiDiMode(rtl ? bdRightToLeft : bdLeftToRight);
    TMenuItem* item = m.Item("O");
    item->SetShortCut(ShortCut('S', {ssCtrl, ssShift, ssAlt}));
    TBitmap bmp;
    bmp.SetSize(200, 21);
    m.engine->DrawMenuItem(item, bmp.Canvas(), RECT{0, 0, 200, 21}, false);
    const int keys = bmp.Canvas()->TextWidth(ShortCutToText(item->ShortCut()));  // in the menu font now
    // The shortcut lies 16 pixels in from the trailing edge: right to left that is the left one.
    // A long one, so that a shortcut put anywhere else shows outside its place.
    const RECT shortcut = rtl ? RECT{16, 4, 16 + keys, 21} : RECT{200 - 16 - keys, 4, 184, 21};
    const RECT beyond = rtl ? RECT{0, 0, 16, 21} : RECT{184, 0, 200, 21};
    const RECT towardCaption = rtl ? RECT{16 + keys, 0, 16 + keys + 20, 21} : RECT{200 - 16 - keys - 20, 0, 200 - 16 - keys, 21};
    EXPECT_GT(CountColour(bmp, shortcut, kFont), 0) << rtl;
    EXPECT_EQ(CountColour(bmp, beyond, kFont), 0) << rtl;
    EXPECT_EQ(CountColour(bmp, towardCaption, kFont), 0) << rtl;
  }
}

TEST(SkinEngineMenus, ItemsMeasureByTheirTexts) {
  SkinnedMenu m;
  TBitmap bmp;
  TCanvas* canvas = bmp.Canvas();
  TMenuItem* save = m.Item("&Save");
  save->SetShortCut(ShortCut('S', {ssCtrl}));
  const struct {
    TMenuItem* item;
    int width, height;
  } cases[] = {{m.Item("-"), canvas->TextWidth("-") + 66, 5},
               {m.Item("Open"), canvas->TextWidth("Open") + 66, 21},
               {save, canvas->TextWidth("&Save") + canvas->TextWidth("Ctrl+S") + 66, 21}};
  for (const auto& c : cases) {
    int w = 7, h = 9;
    m.engine->MeasureMenuItem(c.item, canvas, w, h);
    EXPECT_EQ(w, c.width) << c.item->Caption();
    EXPECT_EQ(h, c.height) << c.item->Caption();
  }

  // A main menu's top-level item keeps what the class library gave it; its sub-items do not.
  TMainMenu* main = Create<TMainMenu>(nullptr);
  TMenuItem* top = Create<TMenuItem>(nullptr);
  TMenuItem* sub = Create<TMenuItem>(nullptr);
  top->SetCaption("File");
  sub->SetCaption("Open");
  main->Items()->Add(top);
  top->Add(sub);
  int w = 7, h = 9;
  m.engine->MeasureMenuItem(top, canvas, w, h);
  EXPECT_EQ(w * 100 + h, 709);
  m.engine->MeasureMenuItem(sub, canvas, w, h);
  EXPECT_EQ(h, 21);
  main->Free();
}

TEST(SkinEngineMenus, MenusAreSkinnedAsTheyComeAndGo) {
  TempSkinFile skin("notify.zub", BasicSkin());
  EngineForm f;
  f.engine->SetSkinFile(skin.path);
  const struct {
    bool active;
    bool destroying;  // removed while on its way out
    bool ownerDrawnWhileIn, ownerDrawnAfter;
  } cases[] = {{true, false, true, false}, {false, false, false, false}, {true, true, true, true}};
  for (const auto& c : cases) {
    f.engine->SetActive(c.active);
    TMainMenu* menu = Create<TMainMenu>(f.form);
    TMenuItem* item = Create<TMenuItem>(f.form);
    menu->Items()->Add(item);
    EXPECT_EQ(menu->OwnerDraw(), c.ownerDrawnWhileIn) << c.active;
    EXPECT_EQ(menu->Images() == EmptyMenuImages, c.ownerDrawnWhileIn) << c.active;
    EXPECT_EQ(item->OnDrawItem.Assigned(), c.active) << c.active;
    if (c.destroying) menu->Destroying();
    f.form->RemoveComponent(menu);
    EXPECT_EQ(menu->OwnerDraw(), c.ownerDrawnAfter) << c.active << c.destroying;
    menu->Free();
  }
}

TEST(SkinEngineMenus, TheSystemMenuFollowsTheShownButtons) {
  UseTestSkinWindows use;
  EngineForm f;
  TForm* target = Create<TForm>(nullptr, true);
  f.engine->SkinWindow(target->Handle());
  TzubSkinWindow* window = f.engine->FWindows[0];
  TMenuItem* items = f.engine->GetSystemMenu()->Items();
  EXPECT_TRUE(f.engine->GetSystemMenu()->OwnerDraw());
  EXPECT_EQ(f.engine->GetSystemMenu()->AutoHotkeys(), maManual);

  const struct {
    bool close, maximize, minimize;
  } cases[] = {{true, false, false}, {true, true, true}, {false, true, false}};
  for (const auto& c : cases) {
    window->CloseShown = c.close;
    window->MaximizeShown = c.maximize;
    window->MinimizeShown = c.minimize;
    f.engine->FSystemMenuWindow = window;
    f.engine->GetSystemMenu()->OnPopup(f.engine->GetSystemMenu());
    EXPECT_EQ(items->Items(3)->Enabled(), c.close);
    EXPECT_EQ(items->Items(1)->Enabled(), c.maximize);
    EXPECT_EQ(items->Items(0)->Enabled(), c.minimize);
  }

  f.engine->SetResSysMenuClose("Shut");
  EXPECT_EQ(items->Items(3)->Caption(), "Shut");
  EXPECT_EQ(items->Items(2)->Caption(), "-");
  target->Free();
}

TEST(SkinEngineMenus, SystemMenuCommandsArePostedToTheWindow) {
  UseTestSkinWindows use;
  EngineForm f;
  TForm* target = Create<TForm>(nullptr, true);
  f.engine->SkinWindow(target->Handle());
  TzubSkinWindow* window = f.engine->FWindows[0];
  const HWND h = target->Handle();
  const struct {
    int item;
    int show;  // SW_ state of the window first
    bool maximizeEnabled;
    WPARAM command;  // 0: nothing posted
  } cases[] = {{0, SW_HIDE, false, SC_MINIMIZE}, {1, SW_HIDE, true, SC_MAXIMIZE}, {1, SW_HIDE, false, 0},
               {1, SW_MAXIMIZE, false, SC_RESTORE}, {3, SW_HIDE, false, SC_CLOSE}};
  for (const auto& c : cases) {
    ShowWindow(h, c.show);
    window->MaximizeEnabled = c.maximizeEnabled;
    f.engine->FSystemMenuWindow = window;
    f.engine->GetSystemMenu()->Items()->Items(c.item)->Click();
    MSG msg{};
    const bool posted = PeekMessageA(&msg, h, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE);
    EXPECT_EQ(posted ? msg.wParam : 0, c.command) << c.item << " " << c.show;
    ShowWindow(h, SW_HIDE);
    ShowWindow(h, SW_RESTORE);
    ShowWindow(h, SW_HIDE);
  }
  target->Free();
}
