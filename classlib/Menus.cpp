#include "Menus.h"

#include <algorithm>
#include <cctype>

#include "Boundary.h"
#include "GdiObject.h"
#include "ImgList.h"

namespace {

// WM_COMMAND names a menu item by a 16-bit id alone, so the ids are one table for the program.
std::vector<TMenuItem*>& CommandTable() {
  static std::vector<TMenuItem*> table(1, nullptr);  // id 0 means "no command"
  return table;
}

uint16_t AllocateCommand(TMenuItem* item) {
  std::vector<TMenuItem*>& table = CommandTable();
  auto free = std::find(table.begin() + 1, table.end(), nullptr);
  if (free != table.end()) {
    *free = item;
    return static_cast<uint16_t>(free - table.begin());
  }
  if (table.size() > 0xFFFF) throw EMenuError("Too many menu items");
  table.push_back(item);
  return static_cast<uint16_t>(table.size() - 1);
}

void ReleaseCommand(uint16_t command) {
  std::vector<TMenuItem*>& table = CommandTable();
  if (command < table.size()) table[command] = nullptr;
}

// The item an owner-draw message is about: its id and its data must both be the item's.
TMenuItem* ItemOf(UINT command, ULONG_PTR data) {
  TMenuItem* item = FindMenuItem(command);
  return item && reinterpret_cast<ULONG_PTR>(item) == data ? item : nullptr;
}

// The upper-cased character after a single '&'; 0 when the caption has no hot key.
char HotKeyOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return static_cast<char>(toupper(static_cast<unsigned char>(caption[i + 1])));
    ++i;
  }
  return 0;
}

std::string WithoutHotKeys(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

// The captions of siblings as the handle shows them; automatic ones get the first letter or
// digit that no sibling uses yet.
std::vector<std::string> HandleTexts(const std::vector<const TMenuItem*>& items, bool automatic) {
  std::vector<std::string> texts;
  std::string used;
  for (const TMenuItem* item : items)
    if (char key = HotKeyOf(item->Caption())) used += key;
  for (const TMenuItem* item : items) {
    std::string text = item->Caption();
    if (automatic && !item->IsLine() && !HotKeyOf(text)) {
      for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!isalnum(c) || used.find(static_cast<char>(toupper(c))) != std::string::npos) continue;
        used += static_cast<char>(toupper(c));
        text.insert(i, 1, '&');
        break;
      }
    }
    texts.push_back(std::move(text));
  }
  return texts;
}

// A canvas on an owner-draw DC in the menu font; the DC's state comes back at the end.
class MenuCanvas {
 public:
  explicit MenuCanvas(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
      canvas.Font()->SetHandle(CreateFontIndirectA(&metrics.lfMenuFont));
    canvas.Font()->SetColor(clMenuText);
    canvas.SetHandle(dc);
  }
  ~MenuCanvas() {
    canvas.SetHandle(nullptr);
    if (saved_) RestoreDC(dc_, saved_);
  }
  MenuCanvas(const MenuCanvas&) = delete;
  MenuCanvas& operator=(const MenuCanvas&) = delete;
  TCanvas canvas;

 private:
  HDC dc_;
  int saved_;
};

// An item of a menu bar, rather than of a drop-down or pop-up menu.
bool OnMenuBar(const TMenuItem* item) {
  return item->Parent() && !item->Parent()->Parent() && As<TMainMenu>(item->GetParentMenu());
}

TCustomImageList* ImagesOf(const TMenuItem* item) {
  TMenu* menu = item->GetParentMenu();
  return menu ? menu->Images() : nullptr;
}

// The leading column that holds the check mark or the image.
int MarkColumnWidth(const TMenuItem* item) {
  int width = GetSystemMetrics(SM_CXMENUCHECK);
  if (TCustomImageList* images = ImagesOf(item)) width = std::max(width, images->Width());
  return width + 8;
}

void DefaultItemSize(const TMenuItem* item, TCanvas* canvas, int& width, int& height) {
  if (item->IsLine()) {
    width = 0;
    height = GetSystemMetrics(SM_CYMENUSIZE) / 2;
    return;
  }
  const SIZE text = canvas->TextExtent(WithoutHotKeys(item->Caption()));
  if (OnMenuBar(item)) {
    width = text.cx + 8;
    height = text.cy + 6;
    return;
  }
  height = std::max<int>(text.cy + 6, GetSystemMetrics(SM_CYMENUCHECK) + 4);
  if (TCustomImageList* images = ImagesOf(item)) height = std::max(height, images->Height() + 4);
  width = MarkColumnWidth(item) + text.cx + 8;
  if (item->ShortCut()) width += 16 + canvas->TextWidth(ShortCutToText(item->ShortCut()));
}

void DefaultDrawItem(const TMenuItem* item, TCanvas* canvas, const RECT& r, bool selected) {
  TMenu* menu = item->GetParentMenu();
  const bool rtl = menu && menu->IsRightToLeft();
  canvas->Brush()->SetColor(selected && !item->IsLine() ? clHighlight : clMenu);
  canvas->FillRect(r);
  if (item->IsLine()) {
    const int y = (r.top + r.bottom) / 2 - 1;
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->MoveTo(r.left + 2, y);
    canvas->LineTo(r.right - 2, y);
    canvas->Pen()->SetColor(clBtnHighlight);
    canvas->MoveTo(r.left + 2, y + 1);
    canvas->LineTo(r.right - 2, y + 1);
    return;
  }
  canvas->Font()->SetColor(!item->Enabled() ? clGrayText : selected ? clHighlightText : clMenuText);
  canvas->Brush()->SetStyle(bsClear);
  HDC dc = canvas->Handle();
  UINT align = DT_SINGLELINE | DT_VCENTER | (rtl ? DT_RTLREADING : 0);
  RECT text = r;
  if (OnMenuBar(item)) {
    DrawTextA(dc, item->Caption().c_str(), -1, &text, align | DT_CENTER);
    return;
  }
  const int column = MarkColumnWidth(item);
  RECT mark = r;
  if (rtl) mark.left = r.right - column;
  else mark.right = r.left + column;
  TCustomImageList* images = ImagesOf(item);
  if (images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count()) {
    images->Draw(canvas, (mark.left + mark.right - images->Width()) / 2,
                 (mark.top + mark.bottom - images->Height()) / 2, item->ImageIndex(), item->Enabled());
  } else if (item->Checked()) {
    const int size = GetSystemMetrics(SM_CXMENUCHECK);
    RECT check{(mark.left + mark.right - size) / 2, (mark.top + mark.bottom - size) / 2, 0, 0};
    check.right = check.left + size;
    check.bottom = check.top + size;
    DrawFrameControl(dc, &check, DFC_MENU, DFCS_MENUCHECK);
  }
  if (rtl) {
    text.left += 8;
    text.right = mark.left - 4;
  } else {
    text.left = mark.right + 4;
    text.right -= 8;
  }
  DrawTextA(dc, item->Caption().c_str(), -1, &text, align | (rtl ? DT_RIGHT : DT_LEFT));
  if (item->ShortCut()) {
    const std::string keys = ShortCutToText(item->ShortCut());
    DrawTextA(dc, keys.c_str(), -1, &text, align | DT_NOPREFIX | (rtl ? DT_LEFT : DT_RIGHT));
  }
}

LRESULT CALLBACK PopupWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    LRESULT result = 0;
    if (MenuMessage(msg, wp, lp, result)) return result;
  } catch (...) {
    HandleException(nullptr);
    return 0;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

// Field := Value; true when that changed it.
template <class T>
bool Replace(T& Field, T Value) {
  if (Field == Value) return false;
  Field = std::move(Value);
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Shortcuts

TShortCut ShortCut(uint16_t Key, TShiftState Shift) {
  int32_t value = Key & 0xFF;
  if (Shift.Contains(ssShift)) value |= scShift;
  if (Shift.Contains(ssCtrl)) value |= scCtrl;
  if (Shift.Contains(ssAlt)) value |= scAlt;
  return value;
}

namespace {
std::string KeyName(uint8_t key) {
  static const struct {
    uint8_t key;
    const char* name;
  } names[] = {{VK_BACK, "BkSp"},  {VK_TAB, "Tab"},   {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
               {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},
               {VK_HOME, "Home"},  {VK_LEFT, "Left"}, {VK_UP, "Up"},       {VK_RIGHT, "Right"},
               {VK_DOWN, "Down"},  {VK_INSERT, "Ins"}, {VK_DELETE, "Del"}};
  for (const auto& n : names)
    if (n.key == key) return n.name;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return "Num " + std::to_string(key - VK_NUMPAD0);
  // Punctuation and the rest: the keyboard layout's own name.
  char text[64] = {};
  const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
  if (scan && GetKeyNameTextA(static_cast<LONG>(scan << 16), text, sizeof text) > 0) return text;
  return "";
}
}  // namespace

std::string ShortCutToText(TShortCut ShortCut) {
  const std::string key = KeyName(static_cast<uint8_t>(ShortCut & 0xFF));
  if (key.empty()) return "";
  std::string text;
  if (ShortCut & scShift) text += "Shift+";
  if (ShortCut & scCtrl) text += "Ctrl+";
  if (ShortCut & scAlt) text += "Alt+";
  return text + key;
}

// ---------------------------------------------------------------------------------------------
// TMenuItem

DEFINE_COMPONENT(TMenuItem, TComponent,
                 ({Prop<&TMenuItem::Caption, &TMenuItem::SetCaption>("Caption"),
                   Prop<&TMenuItem::Checked, &TMenuItem::SetChecked>("Checked"),
                   Prop<&TMenuItem::Default, &TMenuItem::SetDefault>("Default"),
                   Prop<&TMenuItem::Enabled, &TMenuItem::SetEnabled>("Enabled"),
                   Prop<&TMenuItem::ImageIndex, &TMenuItem::SetImageIndex>("ImageIndex"),
                   Prop<&TMenuItem::ShortCut, &TMenuItem::SetShortCut>("ShortCut"),
                   Prop<&TMenuItem::Visible, &TMenuItem::SetVisible>("Visible"),
                   Field<&TMenuItem::OnClick>("OnClick"),
                   Field<&TMenuItem::OnDrawItem>("OnDrawItem"),
                   Field<&TMenuItem::OnMeasureItem>("OnMeasureItem")}),
                 ({}))

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), command_(AllocateCommand(this)) {}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);  // first, so that the menu is rebuilt once
  Clear();
  ReleaseCommand(command_);
}

void TMenuItem::SetCaption(std::string Value) {
  if (Replace(caption_, std::move(Value))) Changed();
}

void TMenuItem::SetEnabled(bool Value) {
  if (Replace(enabled_, Value)) Changed();
}

void TMenuItem::SetVisible(bool Value) {
  if (Replace(visible_, Value)) Changed();
}

void TMenuItem::SetChecked(bool Value) {
  if (Replace(checked_, Value)) Changed();
}

void TMenuItem::SetDefault(bool Value) {
  if (Replace(default_, Value)) Changed();
}

void TMenuItem::SetImageIndex(int32_t Value) {
  if (Replace(imageIndex_, Value)) Changed();
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (Replace(shortCut_, Value)) Changed();
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EMenuError("Menu index out of range");
  return items_[Index];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) throw EMenuError("No menu item to insert");
  if (Item->parent_ || Item->menu_) throw EMenuError("Menu item " + Item->Name() + " is already in a menu");
  for (const TMenuItem* p = this; p; p = p->parent_)
    if (p == Item) throw EMenuError("A menu item cannot hold itself");
  if (Index < 0 || Index > Count()) throw EMenuError("Menu index out of range");
  items_.insert(items_.begin() + Index, Item);
  Item->parent_ = this;
  Changed();
}

void TMenuItem::Delete(int Index) {
  TMenuItem* item = Items(Index);
  items_.erase(items_.begin() + Index);
  item->parent_ = nullptr;
  Changed();
}

void TMenuItem::Remove(TMenuItem* Item) {
  const int index = IndexOf(Item);
  if (index < 0) throw EMenuError("Menu item not found");
  Delete(index);
}

void TMenuItem::Clear() {
  while (!items_.empty()) items_.back()->Free();  // each takes itself out
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::DrawItem(TCanvas* ACanvas, const RECT& ARect, bool Selected) {
  if (OnDrawItem) OnDrawItem(this, ACanvas, ARect, Selected);
  else DefaultDrawItem(this, ACanvas, ARect, Selected);
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (auto* menu = As<TMenu>(Value)) menu->Items()->Add(this);
  else if (auto* item = As<TMenuItem>(Value)) item->Add(this);
}

void TMenuItem::Changed() {
  if (TMenu* menu = GetParentMenu()) menu->ItemsChanged();
}

void TMenuItem::FillMenu(HMENU Menu, const TMenu& Owner) const {
  std::vector<const TMenuItem*> shown;
  for (const TMenuItem* item : items_)
    if (item->visible_) shown.push_back(item);
  const std::vector<std::string> texts = HandleTexts(shown, Owner.AutoHotkeys() == maAutomatic);
  for (size_t i = 0; i < shown.size(); ++i) {
    const TMenuItem* item = shown[i];
    std::string text = texts[i];
    if (item->shortCut_ && !Owner.OwnerDraw()) text += "\t" + ShortCutToText(item->shortCut_);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    info.fType = item->IsLine() ? MFT_SEPARATOR : MFT_STRING;
    if (Owner.OwnerDraw()) info.fType |= MFT_OWNERDRAW;
    if (Owner.IsRightToLeft()) info.fType |= MFT_RIGHTORDER;
    info.fState = (item->enabled_ ? 0 : MFS_GRAYED) | (item->checked_ ? MFS_CHECKED : 0) |
                  (item->default_ ? MFS_DEFAULT : 0);
    info.wID = item->command_;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    if (!item->IsLine()) {
      info.fMask |= MIIM_STRING;
      info.dwTypeData = &text[0];
    }
    if (std::any_of(item->items_.begin(), item->items_.end(), [](const TMenuItem* i) { return i->visible_; })) {
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = ::CreatePopupMenu();
      if (!info.hSubMenu) throw EMenuError("Cannot create a menu");
      item->FillMenu(info.hSubMenu, Owner);
    }
    if (!::InsertMenuItemA(Menu, ::GetMenuItemCount(Menu), TRUE, &info)) {
      if (info.hSubMenu) ::DestroyMenu(info.hSubMenu);
      throw EMenuError("Cannot insert menu item " + item->Name());
    }
  }
}

// ---------------------------------------------------------------------------------------------
// TMenu

DEFINE_CLASS(TMenu, TComponent,
             ({Prop<&TMenu::AutoHotkeys, &TMenu::SetAutoHotkeys>("AutoHotkeys"),
               Prop<&TMenu::BiDiMode, &TMenu::SetBiDiMode>("BiDiMode"),
               Prop<&TMenu::Images, &TMenu::SetImages>("Images"),
               Prop<&TMenu::OwnerDraw, &TMenu::SetOwnerDraw>("OwnerDraw")}))

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(Create<TMenuItem>(nullptr)) { items_->menu_ = this; }

TMenu::~TMenu() {
  items_->menu_ = nullptr;  // no rebuilding while the items go
  items_->Free();
  if (handle_) ::DestroyMenu(handle_);
}

HMENU TMenu::Handle() {
  if (!handle_) {
    handle_ = CreateMenuHandle();
    if (!handle_) throw EMenuError("Cannot create a menu");
    try {
      RebuildHandle();
    } catch (...) {
      ::DestroyMenu(handle_);
      handle_ = nullptr;
      throw;
    }
  }
  return handle_;
}

void TMenu::SetOwnerDraw(bool Value) {
  if (Replace(ownerDraw_, Value)) ItemsChanged();
}

void TMenu::SetImages(TCustomImageList* Value) {
  if (Value == images_) return;
  images_ = Value;
  if (Value) Value->FreeNotification(this);
  ItemsChanged();
}

void TMenu::SetBiDiMode(TBiDiMode Value) {
  if (Replace(biDiMode_, Value)) ItemsChanged();
}

void TMenu::SetAutoHotkeys(TMenuAutoFlag Value) {
  if (Replace(autoHotkeys_, Value)) ItemsChanged();
}

TMenuItem* TMenu::FindItem(UINT Command) const {
  TMenuItem* item = FindMenuItem(Command);
  return item && item->GetParentMenu() == this ? item : nullptr;
}

bool TMenu::DispatchCommand(UINT Command) {
  TMenuItem* item = FindItem(Command);
  if (!item) return false;
  item->Click();
  return true;
}

namespace {
TMenuItem* FindShortCutIn(TMenuItem* parent, TShortCut value, bool enabledOnly) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (enabledOnly && !item->Enabled()) continue;  // nor what lies below it
    if (item->ShortCut() == value && value != scNone) return item;
    if (TMenuItem* found = FindShortCutIn(item, value, enabledOnly)) return found;
  }
  return nullptr;
}
}  // namespace

TMenuItem* TMenu::FindShortCut(TShortCut Value, bool EnabledOnly) const {
  return FindShortCutIn(items_, Value, EnabledOnly);
}

bool TMenu::IsShortCut(const TMessage& Message) {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift += ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift += ssCtrl;
  if (Message.LParam & 0x20000000) shift += ssAlt;  // the context bit: Alt was down
  TMenuItem* item = FindShortCut(ShortCut(static_cast<uint16_t>(Message.WParam), shift), true);
  if (!item) return false;
  item->Click();
  return true;
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) {
    images_ = nullptr;
    ItemsChanged();
  }
}

void TMenu::Loaded() {
  TComponent::Loaded();
  ItemsChanged();
}

void TMenu::ItemsChanged() {
  const TComponentState state = ComponentState();
  if (!handle_ || state.Contains(csLoading) || state.Contains(csDestroying)) return;
  RebuildHandle();
  if (windowHandle_ && IsWindow(windowHandle_)) DrawMenuBar(windowHandle_);
}

void TMenu::RebuildHandle() {
  while (::GetMenuItemCount(handle_) > 0) ::DeleteMenu(handle_, 0, MF_BYPOSITION);  // sub-menus go too
  items_->FillMenu(handle_, *this);
}

// ---------------------------------------------------------------------------------------------
// TMainMenu, TPopupMenu

DEFINE_COMPONENT(TMainMenu, TMenu, ({}), ({}))

HMENU TMainMenu::CreateMenuHandle() { return ::CreateMenu(); }

DEFINE_COMPONENT(TPopupMenu, TMenu, ({Field<&TPopupMenu::OnPopup>("OnPopup")}), ({}))

HMENU TPopupMenu::CreateMenuHandle() { return ::CreatePopupMenu(); }

void TPopupMenu::Popup(int X, int Y) {
  if (OnPopup) OnPopup(this);
  HWND window = PopupWindow();
  const UINT align = IsRightToLeft() ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  const UINT command = static_cast<UINT>(
      ::TrackPopupMenu(Handle(), align | TPM_RIGHTBUTTON | TPM_RETURNCMD, X, Y, 0, window, nullptr));
  // The choice arrives as the window's WM_COMMAND, as it would from any other menu.
  if (command) SendMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

// ---------------------------------------------------------------------------------------------

TMenuItem* FindMenuItem(UINT Command) {
  const std::vector<TMenuItem*>& table = CommandTable();
  return Command > 0 && Command < table.size() ? table[Command] : nullptr;
}

bool DispatchMenuCommand(UINT Command) {
  TMenuItem* item = FindMenuItem(Command);
  if (!item) return false;
  item->Click();
  return true;
}

bool MenuMeasureItem(MEASUREITEMSTRUCT& Measure) {
  if (Measure.CtlType != ODT_MENU) return false;
  TMenuItem* item = ItemOf(Measure.itemID, Measure.itemData);
  if (!item) return false;
  DeviceContext screen;
  MenuCanvas dc(screen.get());
  int width = 0, height = 0;
  DefaultItemSize(item, &dc.canvas, width, height);
  item->MeasureItem(&dc.canvas, width, height);
  Measure.itemWidth = static_cast<UINT>(std::max(width, 0));
  Measure.itemHeight = static_cast<UINT>(std::max(height, 0));
  return true;
}

bool MenuMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
  bool handled = false;
  switch (Msg) {
    case WM_COMMAND:
      handled = HIWORD(WParam) == 0 && LParam == 0 && DispatchMenuCommand(LOWORD(WParam));
      break;
    case WM_MEASUREITEM:
      handled = MenuMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(LParam));
      break;
    case WM_DRAWITEM:
      handled = MenuDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(LParam));
      break;
    default:
      break;
  }
  if (handled) Result = Msg == WM_COMMAND ? 0 : TRUE;
  return handled;
}

bool MenuDrawItem(const DRAWITEMSTRUCT& Draw) {
  if (Draw.CtlType != ODT_MENU) return false;
  TMenuItem* item = ItemOf(Draw.itemID, Draw.itemData);
  if (!item) return false;
  MenuCanvas dc(Draw.hDC);
  item->DrawItem(&dc.canvas, Draw.rcItem, (Draw.itemState & ODS_SELECTED) != 0);
  return true;
}

HWND PopupWindow() {
  static HWND window = nullptr;  // one for the program, like the application's own window
  if (window && IsWindow(window)) return window;
  WNDCLASSA wc{};
  wc.lpfnWndProc = PopupWndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TPopupMenuWindow";
  WNDCLASSA existing;
  if (!GetClassInfoA(wc.hInstance, wc.lpszClassName, &existing)) RegisterClassA(&wc);
  window = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           wc.hInstance, nullptr);
  if (!window) throw EMenuError("Cannot create the pop-up menu window");
  return window;
}
