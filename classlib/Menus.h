// Menus: a tree of items, the menus that own a root item and build an HMENU from it, the main
// menu and the pop-up menu. Owner-drawn items are measured and drawn by their handlers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Component.h"
#include "Controls.h"
#include "Graphics.h"

class TMenu;
class TCustomImageList;

class EMenuError : public Exception {
 public:
  using Exception::Exception;
  std::string ClassName() const override { return "EMenuError"; }
};

// A key with its modifiers: the virtual key in the low byte, scShift, scCtrl and scAlt above.
struct TShortCut {
  uint16_t value = 0;
  constexpr TShortCut() = default;
  constexpr TShortCut(int32_t v) : value(static_cast<uint16_t>(v)) {}
  constexpr operator int32_t() const { return value; }
};
constexpr int32_t scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
DECLARE_INT_TYPE(TShortCut, nullptr)

TShortCut ShortCut(uint16_t Key, TShiftState Shift);
// "Ctrl+S", "Shift+F1", "Alt+X", "Del"; empty for none or a key without a name.
std::string ShortCutToText(TShortCut ShortCut);

DECLARE_ENUM(TMenuAutoFlag, maAutomatic, maManual)

DECLARE_EVENT_TYPE(TMenuDrawItemEvent, void(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected))
DECLARE_EVENT_TYPE(TMenuMeasureItemEvent, void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height))

// One entry of a menu and the list of its sub-items, which it frees with itself. An item that
// is freed leaves its parent; every change rebuilds the handle of the menu it belongs to.
class TMenuItem : public TComponent {
  DECLARE_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string Value);
  bool IsLine() const { return caption_ == "-"; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  bool Checked() const { return checked_; }
  void SetChecked(bool Value);
  bool Default() const { return default_; }
  void SetDefault(bool Value);
  int32_t ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int32_t Value);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut Value);
  // The id that WM_COMMAND, WM_MEASUREITEM and WM_DRAWITEM carry for this item; unique in the program.
  uint16_t Command() const { return command_; }

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int Index) const;
  int IndexOf(const TMenuItem* Item) const;
  void Add(TMenuItem* Item);
  // Raises EMenuError for an index outside 0..Count, an item that has a parent already, or an
  // item that would hold itself.
  void Insert(int Index, TMenuItem* Item);
  // Takes the item out of the list without freeing it.
  void Delete(int Index);
  void Remove(TMenuItem* Item);
  // Frees every sub-item.
  void Clear();
  TMenuItem* Parent() const { return parent_; }
  // The menu whose root item this item is, or lies below; null for an item outside a menu.
  TMenu* GetParentMenu() const;

  // OnClick, when the item is enabled.
  virtual void Click();
  // Fills in Width and Height (preset by the caller) through OnMeasureItem, if set.
  virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
  // OnDrawItem when set; the caption and its marks in the menu colours otherwise.
  virtual void DrawItem(TCanvas* ACanvas, const RECT& ARect, bool Selected);
  // Nested in a menu or an item in a form description: becomes its sub-item.
  void SetParentComponent(TComponent* Value) override;

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

 private:
  friend class TMenu;
  void Changed();
  // Appends the visible sub-items to Menu, with sub-menus of their own.
  void FillMenu(HMENU Menu, const TMenu& Owner) const;

  std::string caption_;
  bool enabled_ = true, visible_ = true, checked_ = false, default_ = false;
  int32_t imageIndex_ = -1;
  TShortCut shortCut_;
  uint16_t command_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on a menu's root item only
  std::vector<TMenuItem*> items_;
};

// The owner of a root item and of the HMENU built from it on demand. The handle stays the same
// for the menu's life; its entries are rebuilt whenever an item changes.
class TMenu : public TComponent {
  DECLARE_CLASS(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  TMenuItem* Items() const { return items_; }
  HMENU Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Items are MF_OWNERDRAW with the item as their data: measured and drawn by the items.
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool Value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode Value);
  // maAutomatic gives every caption without a hot key one, in the handle only; maManual uses
  // captions as given.
  TMenuAutoFlag AutoHotkeys() const { return autoHotkeys_; }
  void SetAutoHotkeys(TMenuAutoFlag Value);
  bool IsRightToLeft() const { return biDiMode_ != bdLeftToRight; }
  // The window whose menu bar shows this menu (set by the form); its bar is redrawn after every
  // change of the items.
  HWND WindowHandle() const { return windowHandle_; }
  void SetWindowHandle(HWND Value) { windowHandle_ = Value; }

  // The item of this menu with that command id, or null.
  TMenuItem* FindItem(UINT Command) const;
  // Clicks the item of that command; false when this menu has none.
  bool DispatchCommand(UINT Command);
  // A key message (WM_KEYDOWN, WM_SYSKEYDOWN: the virtual key in WParam, the key data in LParam)
  // with the Shift and Ctrl keys as they are now and Alt from the key data: clicks the first
  // enabled item with that shortcut, sub-menus searched in depth (what lies below a disabled
  // item is passed over); whether one was clicked.
  bool IsShortCut(const TMessage& Message);
  // The first item with that shortcut, searched as above; null when none.
  TMenuItem* FindShortCut(TShortCut Value, bool EnabledOnly) const;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual HMENU CreateMenuHandle() = 0;
  void Loaded() override;

 private:
  friend class TMenuItem;
  void RebuildHandle();
  void ItemsChanged();

  TMenuItem* items_;
  HMENU handle_ = nullptr;
  HWND windowHandle_ = nullptr;
  bool ownerDraw_ = false;
  TCustomImageList* images_ = nullptr;
  TBiDiMode biDiMode_ = bdLeftToRight;
  TMenuAutoFlag autoHotkeys_ = maAutomatic;
};

// The menu bar of a form (CreateMenu).
class TMainMenu : public TMenu {
  DECLARE_CLASS(TMainMenu, TMenu)
 public:
  using TMenu::TMenu;

 protected:
  HMENU CreateMenuHandle() override;
};

// A menu shown at a point of the screen, owned by a hidden window of this library while it is
// open: that window receives its commands and its owner-draw messages.
class TPopupMenu : public TMenu {
  DECLARE_CLASS(TPopupMenu, TMenu)
 public:
  using TMenu::TMenu;
  // OnPopup, then the menu until it closes; the chosen item is clicked through WM_COMMAND.
  virtual void Popup(int X, int Y);
  TNotifyEvent OnPopup;

 protected:
  HMENU CreateMenuHandle() override;
};

// The owner-draw messages of menu items (CtlType ODT_MENU), for any window procedure that
// receives them; false when the message is not for an item of this library.
bool MenuMeasureItem(MEASUREITEMSTRUCT& Measure);
bool MenuDrawItem(const DRAWITEMSTRUCT& Draw);
// A WM_COMMAND from a menu (notification code 0, no control): clicks the item of that id;
// false when there is none.
bool DispatchMenuCommand(UINT Command);
// The three above for any window procedure: true, with the message's result, when it was a
// menu command or an owner-draw message of an item of this library.
bool MenuMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result);
// The item of that command id, wherever it is; null when none has it.
TMenuItem* FindMenuItem(UINT Command);
// The hidden window that owns pop-up menus while they are open.
HWND PopupWindow();
