// Menus under Wine: the item tree, shortcut texts, the HMENU built from the items, owner-drawn
// items reached through hand-made WM_MEASUREITEM / WM_DRAWITEM, commands, form descriptions and
// a pop-up menu driven by posted keys.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlsTesting.h"
#include "ImgList.h"
#include "Menus.h"

namespace {

// A form whose menu events bind by name to its handlers.
class TMenuForm : public TForm {
  DECLARE_CLASS(TMenuForm, TForm)
 public:
  using TForm::TForm;
  void OpenClick(TObject* sender) { clicked.push_back(sender); }
  std::vector<TObject*> clicked;
};
DEFINE_COMPONENT(TMenuForm, TForm, ({}), ({Handler<&TMenuForm::OpenClick>("OpenClick")}))

// What the items' handlers were called with.
struct Recorder {
  void Click(TObject* sender) { clicked.push_back(sender); }
  void Measure(TObject* sender, TCanvas* canvas, int& width, int& height) {
    measured = sender;
    presetWidth = width;
    presetHeight = height;
    measureCanvas = canvas;
    width = 77;
    height = 19;
  }
  void Draw(TObject* sender, TCanvas* canvas, const RECT& rect, bool selected) {
    drawn = sender;
    drawDC = canvas->Handle();
    drawRect = rect;
    drawSelected = selected;
  }
  std::vector<TObject*> clicked;
  TObject* measured = nullptr;
  TCanvas* measureCanvas = nullptr;
  int presetWidth = 0, presetHeight = 0;
  TObject* drawn = nullptr;
  HDC drawDC = nullptr;
  RECT drawRect{};
  bool drawSelected = false;
};

TMenuItem* NewItem(TMenuItem* parent, const std::string& caption) {
  TMenuItem* item = Create<TMenuItem>(nullptr);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

std::string MenuText(HMENU menu, int pos) {
  char text[256] = {};
  GetMenuStringA(menu, pos, text, sizeof text, MF_BYPOSITION);
  return text;
}

TEST(Menus, ItemTreeAddsInsertsDeletesAndFreesWithSubItems) {
  std::unique_ptr<TPopupMenu> menu(Create<TPopupMenu>(nullptr));
  TMenuItem* root = menu->Items();
  TMenuItem* file = NewItem(root, "File");
  TMenuItem* help = NewItem(root, "Help");
  TMenuItem* edit = Create<TMenuItem>(nullptr);
  root->Insert(1, edit);
  ASSERT_EQ(root->Count(), 3);
  EXPECT_EQ(root->Items(1), edit);
  EXPECT_EQ(root->IndexOf(help), 2);
  TMenuItem* open = NewItem(file, "Open");
  EXPECT_EQ(open->Parent(), file);
  EXPECT_EQ(file->Parent(), root);
  EXPECT_EQ(root->Parent(), nullptr);
  EXPECT_EQ(open->GetParentMenu(), menu.get());
  EXPECT_NE(open->Command(), file->Command());
  EXPECT_EQ(FindMenuItem(open->Command()), open);

  EXPECT_THROW(root->Add(open), EMenuError);        // already has a parent
  EXPECT_THROW(open->Add(file), EMenuError);        // would hold its own ancestor
  EXPECT_THROW(root->Insert(9, Create<TMenuItem>(menu.get())), EMenuError);
  EXPECT_THROW(root->Items(3), EMenuError);

  // Delete takes out without freeing; the item can go elsewhere.
  root->Delete(1);
  EXPECT_EQ(edit->Parent(), nullptr);
  EXPECT_EQ(edit->GetParentMenu(), nullptr);
  EXPECT_EQ(root->IndexOf(help), 1);
  file->Add(edit);
  EXPECT_EQ(edit->GetParentMenu(), menu.get());

  // Freeing an item frees what lies below it and takes it out of its parent.
  TComponent owner(nullptr);
  TMenuItem* deep = Create<TMenuItem>(&owner);
  open->Add(deep);
  const UINT deepCommand = deep->Command();
  file->Free();
  EXPECT_EQ(root->Count(), 1);
  EXPECT_EQ(root->Items(0), help);
  EXPECT_EQ(owner.ComponentCount(), 0);
  EXPECT_EQ(FindMenuItem(deepCommand), nullptr);
}

TEST(Menus, ShortCutText) {
  const struct {
    int32_t shortCut;
    const char* text;
  } cases[] = {{scCtrl | 'S', "Ctrl+S"},        {scShift | VK_F1, "Shift+F1"}, {scAlt | 'X', "Alt+X"},
               {VK_DELETE, "Del"},               {scShift | scCtrl | VK_INSERT, "Shift+Ctrl+Ins"},
               {scCtrl | VK_RETURN, "Ctrl+Enter"}, {VK_F12, "F12"},            {'7', "7"},
               {0, ""}};
  for (const auto& c : cases) EXPECT_EQ(ShortCutToText(c.shortCut), c.text) << c.shortCut;
  EXPECT_EQ(ShortCut('S', {ssCtrl, ssShift}), scCtrl | scShift | 'S');
}

TEST(Menus, HandleShowsTheItemsAndFollowsTheirChanges) {
  std::unique_ptr<TMainMenu> menu(Create<TMainMenu>(nullptr));
  menu->SetAutoHotkeys(maManual);
  TMenuItem* file = NewItem(menu->Items(), "&File");
  TMenuItem* save = NewItem(file, "Save");
  save->SetShortCut(scCtrl | 'S');
  save->SetChecked(true);
  NewItem(file, "-");
  TMenuItem* quit = NewItem(file, "Quit");
  quit->SetEnabled(false);
  quit->SetDefault(true);
  TMenuItem* hidden = NewItem(menu->Items(), "Hidden");
  hidden->SetVisible(false);

  HMENU bar = menu->Handle();
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  EXPECT_EQ(MenuText(bar, 0), "&File");
  HMENU drop = GetSubMenu(bar, 0);
  ASSERT_TRUE(drop);
  ASSERT_EQ(GetMenuItemCount(drop), 3);
  EXPECT_EQ(MenuText(drop, 0), "Save\tCtrl+S");
  EXPECT_TRUE(GetMenuState(drop, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(drop, 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_TRUE(GetMenuState(drop, 2, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(drop, 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(GetMenuItemID(drop, 2), quit->Command());
  EXPECT_EQ(static_cast<int>(GetMenuDefaultItem(drop, TRUE, GMDI_USEDISABLED)), 2);

  // Changes rebuild the entries of the same handle.
  save->SetChecked(false);
  quit->SetEnabled(true);
  hidden->SetVisible(true);
  NewItem(menu->Items(), "Help");
  EXPECT_EQ(menu->Handle(), bar);
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  EXPECT_EQ(MenuText(bar, 1), "Hidden");
  EXPECT_EQ(MenuText(bar, 2), "Help");
  drop = GetSubMenu(bar, 0);
  EXPECT_FALSE(GetMenuState(drop, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(drop, 2, MF_BYPOSITION) & MF_GRAYED);
  file->Delete(1);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 2);

  // Automatic hot keys: the first letter no sibling has taken yet, in the handle only.
  menu->SetAutoHotkeys(maAutomatic);
  EXPECT_EQ(MenuText(bar, 0), "&File");
  EXPECT_EQ(MenuText(bar, 1), "&Hidden");
  EXPECT_EQ(MenuText(bar, 2), "H&elp");
  EXPECT_EQ(hidden->Caption(), "Hidden");
}

class OwnerDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    menu.reset(Create<TPopupMenu>(nullptr));
    menu->SetOwnerDraw(true);
    drawn = NewItem(menu->Items(), "Drawn");
    drawn->OnMeasureItem = TMenuMeasureItemEvent::Bind<&Recorder::Measure>(&rec);
    drawn->OnDrawItem = TMenuDrawItemEvent::Bind<&Recorder::Draw>(&rec);
    plain = NewItem(menu->Items(), "Plain item");
  }
  MEASUREITEMSTRUCT MeasureOf(TMenuItem* item) {
    MEASUREITEMSTRUCT m{ODT_MENU, 0, item->Command(), 0, 0, reinterpret_cast<ULONG_PTR>(item)};
    return m;
  }
  DRAWITEMSTRUCT DrawOf(TMenuItem* item, HDC dc, UINT state) {
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.itemID = item->Command();
    d.itemAction = ODA_DRAWENTIRE;
    d.itemState = state;
    d.hwndItem = reinterpret_cast<HWND>(menu->Handle());
    d.hDC = dc;
    d.rcItem = {4, 6, 84, 26};
    d.itemData = reinterpret_cast<ULONG_PTR>(item);
    return d;
  }
  std::unique_ptr<TPopupMenu> menu;
  TMenuItem* drawn = nullptr;
  TMenuItem* plain = nullptr;
  Recorder rec;
};

TEST_F(OwnerDrawTest, HandleItemsAreOwnerDrawnWithTheItemAsData) {
  HMENU h = menu->Handle();
  for (int i = 0; i < 2; ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoA(h, i, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(menu->Items()->Items(i)));
  }
  menu->SetOwnerDraw(false);
  EXPECT_FALSE(GetMenuState(h, 0, MF_BYPOSITION) & MF_OWNERDRAW);
}

TEST_F(OwnerDrawTest, MeasureReachesTheHandlerAfterTheDefaultSize) {
  MEASUREITEMSTRUCT m = MeasureOf(drawn);
  EXPECT_TRUE(SendMessageA(PopupWindow(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m)));
  EXPECT_EQ(rec.measured, drawn);
  EXPECT_NE(rec.measureCanvas, nullptr);
  EXPECT_GT(rec.presetWidth, 0);
  EXPECT_GT(rec.presetHeight, 0);
  EXPECT_EQ(m.itemWidth, 77u);
  EXPECT_EQ(m.itemHeight, 19u);

  // Without a handler the size comes from the caption: a longer one is wider.
  MEASUREITEMSTRUCT shortOne = MeasureOf(plain);
  ASSERT_TRUE(MenuMeasureItem(shortOne));
  plain->SetCaption("Plain item with a much longer caption");
  MEASUREITEMSTRUCT longOne = MeasureOf(plain);
  ASSERT_TRUE(MenuMeasureItem(longOne));
  EXPECT_GT(longOne.itemWidth, shortOne.itemWidth);

  // Data that is not the item of that id is not ours.
  MEASUREITEMSTRUCT stranger = MeasureOf(drawn);
  stranger.itemData = reinterpret_cast<ULONG_PTR>(plain);
  EXPECT_FALSE(MenuMeasureItem(stranger));
}

TEST_F(OwnerDrawTest, DrawReachesTheHandlerWithRectAndSelection) {
  TBitmap bmp;
  bmp.SetSize(100, 40);
  HDC dc = bmp.Canvas()->Handle();
  DRAWITEMSTRUCT d = DrawOf(drawn, dc, ODS_SELECTED);
  EXPECT_TRUE(SendMessageA(PopupWindow(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d)));
  EXPECT_EQ(rec.drawn, drawn);
  EXPECT_EQ(rec.drawDC, dc);
  EXPECT_TRUE(EqualRect(&rec.drawRect, &d.rcItem));
  EXPECT_TRUE(rec.drawSelected);
  d.itemState = 0;
  ASSERT_TRUE(MenuDrawItem(d));
  EXPECT_FALSE(rec.drawSelected);

  // Without a handler, a selected item is painted in the highlight colour inside its rectangle.
  d = DrawOf(plain, dc, ODS_SELECTED);
  ASSERT_TRUE(MenuDrawItem(d));
  EXPECT_TRUE(HasColour(&bmp, d.rcItem, clHighlight));
  EXPECT_FALSE(HasColour(&bmp, {0, 30, 100, 40}, clHighlight));
}

TEST_F(OwnerDrawTest, AFormPassesMenuMessagesToTheItems) {
  TestForm t("");
  MEASUREITEMSTRUCT m = MeasureOf(drawn);
  EXPECT_TRUE(SendMessageA(t.form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m)));
  EXPECT_EQ(m.itemHeight, 19u);
  plain->OnClick = TNotifyEvent::Bind<&Recorder::Click>(&rec);
  SendMessageA(t.form->Handle(), WM_COMMAND, MAKEWPARAM(plain->Command(), 0), 0);
  ASSERT_EQ(rec.clicked.size(), 1u);
  EXPECT_EQ(rec.clicked[0], plain);
}

TEST(Menus, DispatchCommandClicksEnabledItemsOfThisMenuOnly) {
  Recorder rec;
  std::unique_ptr<TPopupMenu> menu(Create<TPopupMenu>(nullptr)), other(Create<TPopupMenu>(nullptr));
  TMenuItem* item = NewItem(NewItem(menu->Items(), "Sub"), "Deep");
  item->OnClick = TNotifyEvent::Bind<&Recorder::Click>(&rec);
  TMenuItem* foreign = NewItem(other->Items(), "Foreign");
  EXPECT_EQ(menu->FindItem(item->Command()), item);
  EXPECT_EQ(menu->FindItem(foreign->Command()), nullptr);
  EXPECT_TRUE(menu->DispatchCommand(item->Command()));
  EXPECT_FALSE(menu->DispatchCommand(foreign->Command()));
  item->SetEnabled(false);
  EXPECT_TRUE(menu->DispatchCommand(item->Command()));
  ASSERT_EQ(rec.clicked.size(), 1u);
  EXPECT_EQ(rec.clicked[0], item);
}

// Sets the thread's key state for Ctrl alone (Shift up), as GetKeyState reads it.
void HoldCtrl(bool down) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = down ? 0x80 : 0;
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

TEST(Menus, IsShortCutClicksTheFirstEnabledItemWithTheKey) {
  Recorder rec;
  std::unique_ptr<TMainMenu> menu(Create<TMainMenu>(nullptr));
  TMenuItem* file = NewItem(menu->Items(), "File");
  TMenuItem* open = NewItem(file, "Open");
  open->SetShortCut(scCtrl | 'O');
  TMenuItem* save = NewItem(file, "Save");
  save->SetShortCut(scCtrl | 'S');
  save->SetEnabled(false);
  TMenuItem* oldPrint = NewItem(file, "Old print");
  oldPrint->SetShortCut(scCtrl | 'P');
  oldPrint->SetEnabled(false);
  TMenuItem* print = NewItem(NewItem(file, "More"), "Print");
  print->SetShortCut(scCtrl | 'P');
  TMenuItem* exit = NewItem(file, "Exit");
  exit->SetShortCut(scAlt | 'X');
  for (TMenuItem* item : {open, save, oldPrint, print, exit}) item->OnClick = TNotifyEvent::Bind<&Recorder::Click>(&rec);
  const LPARAM altDown = 0x20000000;
  const struct {
    const char* name;
    WPARAM key;
    bool ctrl;
    LPARAM keyData;
    TMenuItem* clicked;  // null: no shortcut ran
  } cases[] = {
      {"Ctrl+O in a sub-menu", 'O', true, 0, open},
      {"O alone", 'O', false, 0, nullptr},
      {"Ctrl+S of a disabled item", 'S', true, 0, nullptr},
      {"Ctrl+P: the disabled one is passed over", 'P', true, 0, print},
      {"Alt+X from the key data", 'X', false, altDown, exit},
      {"Ctrl+Alt+X", 'X', true, altDown, nullptr},
  };
  for (const auto& c : cases) {
    rec.clicked.clear();
    HoldCtrl(c.ctrl);
    const bool ran = menu->IsShortCut({WM_KEYDOWN, c.key, c.keyData, 0});
    EXPECT_EQ(ran, c.clicked != nullptr) << c.name;
    if (c.clicked) {
      ASSERT_EQ(rec.clicked.size(), 1u) << c.name;
      EXPECT_EQ(rec.clicked[0], c.clicked) << c.name;
    } else {
      EXPECT_TRUE(rec.clicked.empty()) << c.name;
    }
  }
  HoldCtrl(false);
}

TEST(Menus, FreedImageListIsForgotten) {
  std::unique_ptr<TMainMenu> menu(Create<TMainMenu>(nullptr));
  TImageList* images = Create<TImageList>(nullptr);
  menu->SetImages(images);
  EXPECT_EQ(menu->Images(), images);
  images->Free();
  EXPECT_EQ(menu->Images(), nullptr);
}

TEST(Menus, FormDescriptionNestsItemsInTheirMenus) {
  TestForm t(R"(
  object MainMenu1: TMainMenu
    AutoHotkeys = maManual
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Caption = '&Open'
        ShortCut = 16463
        OnClick = OpenClick
      end
      object N1: TMenuItem
        Caption = '-'
      end
    end
  end
  object PopupMenu1: TPopupMenu
    BiDiMode = bdRightToLeft
    OwnerDraw = True
    object Copy1: TMenuItem
      Caption = 'Copy'
      Checked = True
    end
  end)", Create<TMenuForm>(nullptr, true));
  auto* mainMenu = t.Get<TMainMenu>("MainMenu1");
  auto* file = t.Get<TMenuItem>("File1");
  auto* open = t.Get<TMenuItem>("Open1");
  auto* popup = t.Get<TPopupMenu>("PopupMenu1");
  ASSERT_TRUE(mainMenu && file && open && popup);
  ASSERT_EQ(mainMenu->Items()->Count(), 1);
  EXPECT_EQ(mainMenu->Items()->Items(0), file);
  ASSERT_EQ(file->Count(), 2);
  EXPECT_EQ(file->Items(0), open);
  EXPECT_TRUE(file->Items(1)->IsLine());
  EXPECT_EQ(open->ShortCut(), scCtrl | 'O');
  EXPECT_EQ(MenuText(GetSubMenu(mainMenu->Handle(), 0), 0), "&Open\tCtrl+O");
  ASSERT_EQ(popup->Items()->Count(), 1);
  EXPECT_TRUE(popup->Items()->Items(0)->Checked());
  EXPECT_TRUE(popup->OwnerDraw());
  EXPECT_EQ(popup->BiDiMode(), bdRightToLeft);
  EXPECT_TRUE(mainMenu->DispatchCommand(open->Command()));
  auto* form = static_cast<TMenuForm*>(t.form);
  ASSERT_EQ(form->clicked.size(), 1u);
  EXPECT_EQ(form->clicked[0], open);
}

// Keys posted from OnPopup are read by the menu's own loop once it runs.
struct PopupDriver {
  void Popup(TObject*) {
    for (WPARAM key : keys) {
      PostMessageA(PopupWindow(), WM_KEYDOWN, key, 0);
      PostMessageA(PopupWindow(), WM_KEYUP, key, 0xC0000000);
    }
    ++popups;
  }
  std::vector<WPARAM> keys;
  int popups = 0;
};

TEST(Menus, PopupRunsOnPopupAndClicksTheChosenItem) {
  Recorder rec;
  PopupDriver driver;
  std::unique_ptr<TPopupMenu> menu(Create<TPopupMenu>(nullptr));
  menu->OnPopup = TNotifyEvent::Bind<&PopupDriver::Popup>(&driver);
  TMenuItem* first = NewItem(menu->Items(), "First");
  TMenuItem* second = NewItem(menu->Items(), "Second");
  first->OnClick = second->OnClick = TNotifyEvent::Bind<&Recorder::Click>(&rec);

  driver.keys = {VK_DOWN, VK_DOWN, VK_RETURN};
  menu->Popup(100, 100);
  EXPECT_EQ(driver.popups, 1);
  ASSERT_EQ(rec.clicked.size(), 1u);
  EXPECT_EQ(rec.clicked[0], second);

  driver.keys = {VK_ESCAPE};
  menu->Popup(100, 100);
  EXPECT_EQ(driver.popups, 2);
  EXPECT_EQ(rec.clicked.size(), 1u);
}

}  // namespace
