// The engine's owner-drawn menus and its system menu.
#include <windows.h>

#include "ImgList.h"
#include "TzubSkinEngine.h"
#include "TzubSkinWindow.h"
#include "ZUBSkinHook.h"
#include "ZUBSkinUtils.h"

namespace {

constexpr int kStripe = 26;           // the coloured stripe on the leading side
constexpr TColor kDisabledText = 0x808080;
constexpr TColor kSeparatorLine = 0x848284;

// The image of the item that its menu's list really holds; null when it has none.
TCustomImageList* UsableImages(TMenuItem* item) {
  TMenu* menu = item->GetParentMenu();
  TCustomImageList* images = menu ? menu->Images() : nullptr;
  if (!images || item->ImageIndex() < 0 || item->ImageIndex() >= images->Count()) return nullptr;
  return images;
}

}  // namespace

void TzubSkinEngine::SkinMenu(TMenu* Menu) {
  if (!Menu) return;
  Menu->SetOwnerDraw(true);
  if (Menu->Is<TMainMenu>() && !Menu->Images()) Menu->SetImages(EmptyMenuImages);
  for (int i = 0; i < Menu->Items()->Count(); ++i) SkinMenuItem(Menu->Items()->Items(i));
}

void TzubSkinEngine::SkinMenuItem(TMenuItem* Item) {
  if (!Item) return;
  zubskin::HookMenuItemDraw(Item, TMenuDrawItemEvent::Bind<&TzubSkinEngine::DrawMenuItem>(this),
                            TMenuMeasureItemEvent::Bind<&TzubSkinEngine::MeasureMenuItem>(this));
}

void TzubSkinEngine::UnskinMenu(TMenu* Menu) {
  // A menu on its way out may hold items that are gone already.
  if (!Menu || Menu->ComponentState().Contains(csDestroying)) return;
  Menu->SetOwnerDraw(false);
  if (Menu->Is<TMainMenu>() && EmptyMenuImages && Menu->Images() == EmptyMenuImages) Menu->SetImages(nullptr);
  for (int i = 0; i < Menu->Items()->Count(); ++i) UnskinMenuItem(Menu->Items()->Items(i));
}

void TzubSkinEngine::UnskinMenuItem(TMenuItem* Item) {
  if (Item) zubskin::HookMenuItemDraw(Item, nullptr, nullptr);
}

void TzubSkinEngine::MeasureMenuItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
  auto* item = As<TMenuItem>(Sender);
  if (!item) return;
  TMenu* menu = item->GetParentMenu();
  if (menu && menu->Is<TMainMenu>() && item->Parent() == menu->Items()) return;
  Height = item->IsLine() ? 5 : 21;
  Width = ACanvas->TextWidth(item->Caption()) + ACanvas->TextWidth(ShortCutToText(item->ShortCut())) + 66;
}

void TzubSkinEngine::DrawMenuItem(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected) {
  auto* item = As<TMenuItem>(Sender);
  if (!item) return;
  TMenu* menu = item->GetParentMenu();
  const bool ltr = !menu || !menu->IsRightToLeft();
  const int L = ARect.left, T = ARect.top, R = ARect.right, B = ARect.bottom;
  const RECT stripe = ltr ? RECT{L, T, L + kStripe, B} : RECT{R - kStripe, T, R, B};
  const RECT rest = ltr ? RECT{L + kStripe, T, R, B} : RECT{L, T, R - kStripe, B};

  if (item->IsLine()) {
    zubskin::FillRectColor(ACanvas, stripe, GetSkinInt("MenuBarColor"));
    zubskin::FillRectColor(ACanvas, rest, GetSkinInt("MenuBackgroundColor"));
    zubskin::DrawMenuSeparator(ACanvas, ARect, kSeparatorLine, kStripe, ltr);
    return;
  }

  const bool enabled = item->Enabled();
  if (Selected && enabled) {
    zubskin::FillRectColor(ACanvas, ARect, GetSkinInt("MenuSelectedBackgroundColor"));
    zubskin::FrameRectColor(ACanvas, ARect, GetSkinInt("MenuSelectedBorderColor"));
  } else {
    zubskin::FillRectColor(ACanvas, stripe, GetSkinInt("MenuBarColor"));
    zubskin::FillRectColor(ACanvas, rest, GetSkinInt("MenuBackgroundColor"));
  }

  zubskin::SetMenuFont(ACanvas->Font());
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->Font()->SetColor(!enabled ? int32_t(kDisabledText)
                                     : GetSkinInt(Selected ? "MenuSelectedFontColor" : "MenuFontColor"));
  if (item->Default()) {
    TFontStyles style = ACanvas->Font()->Style();
    style += fsBold;
    ACanvas->Font()->SetStyle(style);
  }

  RECT text = ltr ? RECT{L + 30, T + 4, R, B} : RECT{L, T + 4, R - 30, B};
  const HDC dc = ACanvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, item->Caption().c_str(), -1, &text, DT_SINGLELINE | (ltr ? DT_LEFT : DT_RIGHT));

  const std::string keys = ShortCutToText(item->ShortCut());
  if (!keys.empty()) {
    // Right to left the shortcut mirrors to the leading edge, clear of the caption's start.
    const int x = ltr ? R - ACanvas->TextWidth(keys) - 16 : L + 16;
    ACanvas->TextOut(x, T + 4, keys);
  }

  TCustomImageList* images = UsableImages(item);
  const int imageWidth = images ? images->Width() : (MenuCheckImages ? MenuCheckImages->Width() : 16);
  const int imageX = ltr ? L + 4 : R - 4 - imageWidth;
  ACanvas->Brush()->SetStyle(bsSolid);
  if (item->Checked()) {
    if (images) {
      const RECT box = ltr ? RECT{L + 2, T + 1, L + 21, T + 20} : RECT{R - 21, T + 1, R - 2, T + 20};
      const RECT inside = ltr ? RECT{L + 3, T + 2, L + 20, T + 19} : RECT{R - 20, T + 2, R - 3, T + 19};
      zubskin::FrameRectColor(ACanvas, box, clBlack);
      zubskin::FillRectColor(ACanvas, inside, GetSkinInt("MenuBackgroundColor"));
    } else if (MenuCheckImages) {
      MenuCheckImages->Draw(ACanvas, imageX, T + 3, 0, enabled);
    }
  }
  if (images) images->Draw(ACanvas, imageX, T + 3, item->ImageIndex(), enabled);
}

void TzubSkinEngine::SystemMenuPopup(TObject* Sender) {
  (void)Sender;
  TzubSkinWindow* window = FSystemMenuWindow;
  if (!window) return;
  TMenuItem* items = FSystemMenu->Items();
  if (items->Count() > 3) items->Items(3)->SetEnabled(window->CloseShown);
  if (items->Count() > 1) items->Items(1)->SetEnabled(window->MaximizeShown);
  if (items->Count() > 0) items->Items(0)->SetEnabled(window->MinimizeShown);
}

void TzubSkinEngine::SystemMenuMinimizeClick(TObject* Sender) {
  (void)Sender;
  if (FSystemMenuWindow) FSystemMenuWindow->DoMinimize();
}

void TzubSkinEngine::SystemMenuMaximizeClick(TObject* Sender) {
  (void)Sender;
  if (FSystemMenuWindow) FSystemMenuWindow->DoMaximizeRestore();
}

void TzubSkinEngine::SystemMenuCloseClick(TObject* Sender) {
  (void)Sender;
  if (FSystemMenuWindow) FSystemMenuWindow->DoClose();
}
