#include "ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

void InitCommonControlClasses() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS |
                                 ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES | ICC_DATE_CLASSES | ICC_HOTKEY_CLASS};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)done;
}

// ---------------------------------------------------------------------------------------------
// Columns

DEFINE_CLASS(TListColumn, TCollectionItem,
             ({Prop<&TListColumn::Caption, &TListColumn::SetCaption>("Caption"),
               Prop<&TListColumn::Width, &TListColumn::SetWidth>("Width")}))
DEFINE_CLASS(TListColumns, TCollection, ({}))

TCustomListView* TListColumn::ListView() const { return static_cast<TListColumns*>(Collection())->Owner(); }

void TListColumn::SetCaption(std::string value) {
  caption_ = std::move(value);
  Changed(false);
}

int32_t TListColumn::Width() {
  TCustomListView* lv = ListView();
  if (lv->HandleAllocated()) return static_cast<int32_t>(SendMessageA(lv->Handle(), LVM_GETCOLUMNWIDTH, Index(), 0));
  return width_;
}

void TListColumn::SetWidth(int32_t value) {
  width_ = value;
  Changed(false);
}

void TListColumns::Update(TCollectionItem*) { owner_->UpdateColumns(); }

void TCustomListView::UpdateColumns() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  while (SendMessageA(wnd, LVM_DELETECOLUMN, 0, 0)) {
  }
  for (int i = 0; i < columns_->Count(); ++i) {
    TListColumn* c = columns_->Items(i);
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.cx = c->width_;
    col.pszText = const_cast<char*>(c->caption_.c_str());
    col.iSubItem = i;
    SendMessageA(wnd, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
  }
}

// ---------------------------------------------------------------------------------------------
// Items

DEFINE_CLASS(TSubItems, TStrings, ({}))

std::string TSubItems::Strings(int index) const {
  if (index < 0 || index >= Count()) Error(index);
  return strings_[index];
}

void TSubItems::SetString(int index, const std::string& s) {
  if (index < 0 || index >= Count()) Error(index);
  strings_[index] = s;
  item_->PushSubItems();
}

void TSubItems::Insert(int index, const std::string& s) {
  if (index < 0 || index > Count()) Error(index);
  strings_.insert(strings_.begin() + index, s);
  item_->PushSubItems();
}

void TSubItems::Delete(int index) {
  if (index < 0 || index >= Count()) Error(index);
  strings_.erase(strings_.begin() + index);
  item_->PushSubItems();
}

void TSubItems::Clear() {
  strings_.clear();
  item_->PushSubItems();
}

DEFINE_CLASS(TListItem, TPersistent, ({}))

TListItem::TListItem(TListItems* owner) : owner_(owner), subItems_(new TSubItems(this)) {}

TListItem::~TListItem() = default;

int TListItem::Index() const { return owner_->IndexOf(this); }

HWND TListItem::Wnd() const {
  TCustomListView* lv = owner_->Owner();
  return lv->HandleAllocated() ? lv->Handle() : nullptr;
}

void TListItem::SetCaption(const std::string& value) {
  caption_ = value;
  if (HWND wnd = Wnd()) {
    LVITEMA it{};
    it.iSubItem = 0;
    it.pszText = const_cast<char*>(caption_.c_str());
    SendMessageA(wnd, LVM_SETITEMTEXTA, Index(), reinterpret_cast<LPARAM>(&it));
  }
}

void TListItem::PushSubItems() const {
  HWND wnd = Wnd();
  if (!wnd) return;
  int index = Index();
  const std::vector<std::string>& texts = subItems_->strings_;
  // Columns past the last sub-item are emptied, for a sub-item just deleted.
  int columns = std::max(static_cast<int>(texts.size()), owner_->Owner()->Columns()->Count() - 1);
  for (int i = 0; i < columns; ++i) {
    LVITEMA it{};
    it.iSubItem = i + 1;
    it.pszText = const_cast<char*>(i < static_cast<int>(texts.size()) ? texts[i].c_str() : "");
    SendMessageA(wnd, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&it));
  }
}

bool TListItem::Checked() const {
  HWND wnd = Wnd();
  if (!wnd) return checked_;
  // State image 1 is the empty box, 2 the ticked one.
  return (SendMessageA(wnd, LVM_GETITEMSTATE, Index(), LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) ==
         INDEXTOSTATEIMAGEMASK(2);
}

void TListItem::SetChecked(bool value) {
  checked_ = value;
  if (HWND wnd = Wnd()) {
    LVITEMA it{};
    it.stateMask = LVIS_STATEIMAGEMASK;
    it.state = INDEXTOSTATEIMAGEMASK(value ? 2 : 1);
    SendMessageA(wnd, LVM_SETITEMSTATE, Index(), reinterpret_cast<LPARAM>(&it));
  }
}

bool TListItem::Selected() const {
  HWND wnd = Wnd();
  if (!wnd) return selected_;
  return SendMessageA(wnd, LVM_GETITEMSTATE, Index(), LVIS_SELECTED) & LVIS_SELECTED;
}

void TListItem::SetSelected(bool value) {
  selected_ = value;
  if (HWND wnd = Wnd()) {
    LVITEMA it{};
    it.stateMask = LVIS_SELECTED;
    it.state = value ? LVIS_SELECTED : 0;
    SendMessageA(wnd, LVM_SETITEMSTATE, Index(), reinterpret_cast<LPARAM>(&it));
  }
}

DEFINE_CLASS(TListItems, TPersistent, ({}))

TListItems::~TListItems() {
  for (TListItem* item : items_) delete item;
}

TListItem* TListItems::Add() {
  auto item = std::make_unique<TListItem>(this);
  items_.push_back(item.get());
  if (owner_->HandleAllocated()) owner_->InsertItemWnd(item.get(), Count() - 1);
  return item.release();
}

void TListItems::Delete(int index) {
  TListItem* item = items_.at(index);
  if (owner_->HandleAllocated()) SendMessageA(owner_->Handle(), LVM_DELETEITEM, index, 0);
  items_.erase(items_.begin() + index);
  delete item;
}

void TListItems::Clear() {
  if (owner_->HandleAllocated()) SendMessageA(owner_->Handle(), LVM_DELETEALLITEMS, 0, 0);
  for (TListItem* item : items_) delete item;
  items_.clear();
}

int TListItems::IndexOf(const TListItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TListItems::BeginUpdate() {
  if (updateCount_++ == 0 && owner_->HandleAllocated()) SendMessageA(owner_->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0 || !owner_->HandleAllocated()) return;
  SendMessageA(owner_->Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(owner_->Handle(), nullptr, TRUE);
}

// ---------------------------------------------------------------------------------------------
// TCustomListView

DEFINE_CLASS(TCustomListView, TWinControl, ({}))
DEFINE_COMPONENT(TListView, TCustomListView,
                 ({Prop<&TCustomListView::BorderStyle, &TCustomListView::SetBorderStyle>("BorderStyle", &BorderStyleType),
                   Prop<&TCustomListView::Checkboxes, &TCustomListView::SetCheckboxes>("Checkboxes"),
                   PropRO<&TCustomListView::Columns>("Columns"),
                   Prop<&TCustomListView::RowSelect, &TCustomListView::SetRowSelect>("RowSelect"),
                   Prop<&TCustomListView::ViewStyle, &TCustomListView::SetViewStyle>("ViewStyle")}),
                 ({}))

TCustomListView::TCustomListView(TComponent* AOwner)
    : TWinControl(AOwner), columns_(new TListColumns(this)), items_(new TListItems(this)) {
  SetBounds(0, 0, 250, 150);
  SetColor(clWindow);
  SetTabStop(true);
}

TCustomListView::~TCustomListView() = default;

namespace {
DWORD ViewStyleBits(TViewStyle v) {
  switch (v) {
    case vsSmallIcon: return LVS_SMALLICON;
    case vsList: return LVS_LIST;
    case vsReport: return LVS_REPORT;
    default: return LVS_ICON;
  }
}
}  // namespace

void TCustomListView::CreateParams(TCreateParams& p) {
  InitCommonControlClasses();
  TWinControl::CreateParams(p);
  p.SystemClass = WC_LISTVIEWA;
  p.Style = (p.Style & ~WS_CLIPCHILDREN) | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | ViewStyleBits(viewStyle_);
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

DWORD TCustomListView::ExtendedStyle() const {
  return (checkboxes_ ? LVS_EX_CHECKBOXES : 0) | (rowSelect_ ? LVS_EX_FULLROWSELECT : 0);
}

void TCustomListView::InitializeWnd() {
  HWND wnd = Handle();
  SendMessageA(wnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT, ExtendedStyle());
  SendMessageA(wnd, LVM_SETBKCOLOR, 0, ColorToRGB(Color()));
  SendMessageA(wnd, LVM_SETTEXTBKCOLOR, 0, ColorToRGB(Color()));
  SendMessageA(wnd, LVM_SETTEXTCOLOR, 0, ColorToRGB(Font()->Color()));
  UpdateColumns();
  for (int i = 0; i < items_->Count(); ++i) InsertItemWnd(items_->Item(i), i);
}

void TCustomListView::InsertItemWnd(TListItem* item, int index) {
  LVITEMA it{};
  it.mask = LVIF_TEXT | LVIF_PARAM;
  it.iItem = index;
  it.pszText = const_cast<char*>(item->caption_.c_str());
  it.lParam = reinterpret_cast<LPARAM>(item);
  SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
  item->PushSubItems();
  if (checkboxes_) item->SetChecked(item->checked_);
  if (item->selected_) item->SetSelected(true);
}

void TCustomListView::DestroyWnd() {
  for (int i = 0; i < columns_->Count(); ++i) columns_->Items(i)->width_ = columns_->Items(i)->Width();
  for (int i = 0; i < items_->Count(); ++i) {
    TListItem* item = items_->Item(i);
    item->checked_ = item->Checked();
    item->selected_ = item->Selected();
  }
  TWinControl::DestroyWnd();
}

TListItem* TCustomListView::Selected() {
  if (!HandleAllocated()) {
    for (int i = 0; i < items_->Count(); ++i)
      if (items_->Item(i)->selected_) return items_->Item(i);
    return nullptr;
  }
  int i = static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  return i >= 0 && i < items_->Count() ? items_->Item(i) : nullptr;
}

void TCustomListView::SetCheckboxes(bool value) {
  checkboxes_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, ExtendedStyle());
}

void TCustomListView::SetRowSelect(bool value) {
  rowSelect_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, ExtendedStyle());
}

void TCustomListView::SetViewStyle(TViewStyle value) {
  viewStyle_ = value;
  if (!HandleAllocated()) return;
  LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
  SetWindowLongPtrA(Handle(), GWL_STYLE, (style & ~LVS_TYPEMASK) | ViewStyleBits(value));
}

void TCustomListView::SetBorderStyle(TBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  RecreateWnd();
}

// ---------------------------------------------------------------------------------------------
// TProgressBar

DEFINE_COMPONENT(TProgressBar, TWinControl,
                 ({Prop<&TProgressBar::Max, &TProgressBar::SetMax>("Max"),
                   Prop<&TProgressBar::Min, &TProgressBar::SetMin>("Min"),
                   Prop<&TProgressBar::Orientation, &TProgressBar::SetOrientation>("Orientation"),
                   Prop<&TProgressBar::Position, &TProgressBar::SetPosition>("Position"),
                   Prop<&TProgressBar::Smooth, &TProgressBar::SetSmooth>("Smooth"),
                   Prop<&TProgressBar::Step, &TProgressBar::SetStep>("Step")}),
                 ({}))

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& p) {
  InitCommonControlClasses();
  TWinControl::CreateParams(p);
  p.SystemClass = PROGRESS_CLASSA;
  p.Style &= ~WS_CLIPCHILDREN;
  if (smooth_) p.Style |= PBS_SMOOTH;
  if (orientation_ == pbVertical) p.Style |= PBS_VERTICAL;
}

void TProgressBar::InitializeWnd() {
  SetRange();
  SendMessageA(Handle(), PBM_SETSTEP, step_, 0);
  SendMessageA(Handle(), PBM_SETPOS, position_, 0);
}

void TProgressBar::DestroyWnd() {
  position_ = Position();
  TWinControl::DestroyWnd();
}

void TProgressBar::SetRange() {
  if (HandleAllocated()) SendMessageA(Handle(), PBM_SETRANGE32, min_, max_);
  else position_ = std::clamp(position_, std::min(min_, max_), std::max(min_, max_));
}

void TProgressBar::SetMin(int32_t value) {
  min_ = value;
  SetRange();
}

void TProgressBar::SetMax(int32_t value) {
  max_ = value;
  SetRange();
}

int32_t TProgressBar::Position() {
  return HandleAllocated() ? static_cast<int32_t>(SendMessageA(Handle(), PBM_GETPOS, 0, 0)) : position_;
}

void TProgressBar::SetPosition(int32_t value) {
  if (HandleAllocated()) SendMessageA(Handle(), PBM_SETPOS, value, 0);
  else position_ = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
}

void TProgressBar::SetStep(int32_t value) {
  step_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), PBM_SETSTEP, value, 0);
}

void TProgressBar::StepIt() {
  if (HandleAllocated()) {
    SendMessageA(Handle(), PBM_STEPIT, 0, 0);
    return;
  }
  position_ += step_;
  if (position_ > max_) position_ = min_ + (position_ - max_);
}

void TProgressBar::SetSmooth(bool value) {
  if (smooth_ == value) return;
  smooth_ = value;
  RecreateWnd();
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
  if (orientation_ == value) return;
  orientation_ = value;
  RecreateWnd();
}

// ---------------------------------------------------------------------------------------------
// TStatusBar

DEFINE_COMPONENT(TStatusBar, TWinControl,
                 ({Prop<&TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel>("SimplePanel"),
                   Prop<&TStatusBar::SimpleText, &TStatusBar::SetSimpleText>("SimpleText"),
                   Prop<&TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip>("SizeGrip")}),
                 ({}))

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner), canvas_(new TControlCanvas) {
  canvas_->SetControl(this);
  SetBounds(0, 0, 150, 19);
  SetAlign(alBottom);
}

void TStatusBar::CreateParams(TCreateParams& p) {
  InitCommonControlClasses();
  TWinControl::CreateParams(p);
  p.SystemClass = STATUSCLASSNAMEA;
  // The library places the bar; the platform would move it to the parent's bottom.
  p.Style = (p.Style & ~WS_CLIPCHILDREN) | CCS_NOPARENTALIGN | CCS_NORESIZE;
  if (sizeGrip_) p.Style |= SBARS_SIZEGRIP;
}

namespace {
// The bar's colour to the platform. A themed bar paints the theme's face whatever colour it is
// given, so a bar of a colour of its own takes the plain look (a theme class list naming no
// class). Theming is uxtheme.dll's: where that is not loaded (older systems have none), nothing is themed.
void ShowBarColour(HWND bar, TColor color) {
  SendMessageA(bar, SB_SETBKCOLOR, 0, ColorToRGB(color));
  HMODULE uxtheme = GetModuleHandleA("uxtheme.dll");
  FARPROC entry = uxtheme ? GetProcAddress(uxtheme, "SetWindowTheme") : nullptr;
  if (!entry) return;
  using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  const bool own = color != clBtnFace;
  reinterpret_cast<SetWindowThemeFn>(reinterpret_cast<void*>(entry))(bar, own ? L" " : nullptr, own ? L" " : nullptr);
}
}  // namespace

void TStatusBar::InitializeWnd() {
  ShowBarColour(Handle(), Color());
  SendMessageA(Handle(), SB_SIMPLE, simplePanel_, 0);
  SendMessageA(Handle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
}

void TStatusBar::WndProc(TMessage& m) {
  TWinControl::WndProc(m);
  if ((m.Msg == CM_COLORCHANGED || m.Msg == CM_PARENTCOLORCHANGED) && HandleAllocated())
    ShowBarColour(Handle(), Color());
}

void TStatusBar::DestroyWnd() {
  canvas_->FreeHandle();  // the next drawing takes the DC of the new window
  TWinControl::DestroyWnd();
}

void TStatusBar::SetSizeGrip(bool value) {
  if (sizeGrip_ == value) return;
  sizeGrip_ = value;
  RecreateWnd();
}

void TStatusBar::SetSimpleText(std::string value) {
  simpleText_ = std::move(value);
  if (HandleAllocated())
    SendMessageA(Handle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
}

void TStatusBar::SetSimplePanel(bool value) {
  simplePanel_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), SB_SIMPLE, value, 0);
}

// ---------------------------------------------------------------------------------------------
// TDateTimePicker

DEFINE_CLASS(TCommonCalendar, TWinControl, ({}))
DEFINE_COMPONENT(TDateTimePicker, TCommonCalendar,
                 ({Prop<&TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat>("DateFormat"),
                   Prop<&TDateTimePicker::Kind, &TDateTimePicker::SetKind>("Kind")}),
                 ({}))

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCommonCalendar(AOwner) {
  SetBounds(0, 0, 186, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
  InitCommonControlClasses();
  TCommonCalendar::CreateParams(p);
  p.SystemClass = DATETIMEPICK_CLASSA;
  if (kind_ == dtkTime) p.Style |= DTS_TIMEFORMAT;
  else if (dateFormat_ == dfLong) p.Style |= DTS_LONGDATEFORMAT;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TDateTimePicker::InitializeWnd() {
  if (dateTime_.wYear) SendMessageA(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&dateTime_));
}

void TDateTimePicker::DestroyWnd() {
  dateTime_ = DateTime();
  TCommonCalendar::DestroyWnd();
}

SYSTEMTIME TDateTimePicker::DateTime() {
  if (!HandleAllocated()) return dateTime_;
  SYSTEMTIME t{};
  SendMessageA(Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t));
  return t;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& value) {
  dateTime_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&dateTime_));
}

void TDateTimePicker::SetKind(TDateTimeKind value) {
  if (kind_ == value) return;
  kind_ = value;
  RecreateWnd();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat value) {
  if (dateFormat_ == value) return;
  dateFormat_ = value;
  RecreateWnd();
}

// ---------------------------------------------------------------------------------------------
// TCustomTreeView

DEFINE_CLASS(TCustomTreeView, TWinControl, ({}))
DEFINE_COMPONENT(TTreeView, TCustomTreeView,
                 ({Prop<&TCustomTreeView::BorderStyle, &TCustomTreeView::SetBorderStyle>("BorderStyle", &BorderStyleType),
                   Prop<&TCustomTreeView::ShowButtons, &TCustomTreeView::SetShowButtons>("ShowButtons"),
                   Prop<&TCustomTreeView::ShowLines, &TCustomTreeView::SetShowLines>("ShowLines"),
                   Prop<&TCustomTreeView::ShowRoot, &TCustomTreeView::SetShowRoot>("ShowRoot")}),
                 ({}))

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 97);
  SetColor(clWindow);
  SetTabStop(true);
}

void TCustomTreeView::CreateParams(TCreateParams& p) {
  InitCommonControlClasses();
  TWinControl::CreateParams(p);
  p.SystemClass = WC_TREEVIEWA;
  p.Style &= ~WS_CLIPCHILDREN;
  if (showButtons_) p.Style |= TVS_HASBUTTONS;
  if (showLines_) p.Style |= TVS_HASLINES;
  if (showRoot_) p.Style |= TVS_LINESATROOT;
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

// The items live in the window only: styles change in place rather than with a new window.
void TCustomTreeView::SetStyleBit(bool& field, DWORD style, bool value) {
  field = value;
  SetWindowStyle(style, value);
  Invalidate();
}

void TCustomTreeView::SetShowButtons(bool value) { SetStyleBit(showButtons_, TVS_HASBUTTONS, value); }
void TCustomTreeView::SetShowLines(bool value) { SetStyleBit(showLines_, TVS_HASLINES, value); }
void TCustomTreeView::SetShowRoot(bool value) { SetStyleBit(showRoot_, TVS_LINESATROOT, value); }

void TCustomTreeView::SetBorderStyle(TBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  if (!HandleAllocated()) return;
  LONG_PTR ex = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
  ex = value == bsSingle ? (ex | WS_EX_CLIENTEDGE) : (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
  SetWindowLongPtrA(Handle(), GWL_EXSTYLE, ex);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

HTREEITEM TCustomTreeView::AddItem(HTREEITEM parent, const std::string& text) {
  TVINSERTSTRUCTA ins{};
  ins.hParent = parent ? parent : TVI_ROOT;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT;
  ins.item.pszText = const_cast<char*>(text.c_str());
  return reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

int TCustomTreeView::ItemCount() {
  return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), TVM_GETCOUNT, 0, 0)) : 0;
}

// ---------------------------------------------------------------------------------------------
// TCustomHotKey

namespace {
// Short cuts keep Shift, Ctrl and Alt in bits 13 to 15, the control in HOTKEYF_ bits of the high byte.
WORD ShortCutToHotKey(TShortCut s) {
  BYTE mods = ((s & scShift) ? HOTKEYF_SHIFT : 0) | ((s & scCtrl) ? HOTKEYF_CONTROL : 0) | ((s & scAlt) ? HOTKEYF_ALT : 0);
  return MAKEWORD(LOBYTE(s.value), mods);
}

TShortCut HotKeyToShortCut(WORD k) {
  BYTE mods = HIBYTE(k);
  return LOBYTE(k) | ((mods & HOTKEYF_SHIFT) ? scShift : 0) | ((mods & HOTKEYF_CONTROL) ? scCtrl : 0) |
         ((mods & HOTKEYF_ALT) ? scAlt : 0);
}
}  // namespace

DEFINE_CLASS(TCustomHotKey, TWinControl, ({}))
DEFINE_COMPONENT(THotKey, TCustomHotKey, ({Prop<&TCustomHotKey::HotKey, &TCustomHotKey::SetHotKey>("HotKey")}), ({}))

TCustomHotKey::TCustomHotKey(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 19);
  SetColor(clWindow);
  SetTabStop(true);
}

void TCustomHotKey::CreateParams(TCreateParams& p) {
  InitCommonControlClasses();
  TWinControl::CreateParams(p);
  p.SystemClass = HOTKEY_CLASSA;
  p.Style &= ~WS_CLIPCHILDREN;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomHotKey::InitializeWnd() { SendMessageA(Handle(), HKM_SETHOTKEY, ShortCutToHotKey(hotKey_), 0); }

void TCustomHotKey::DestroyWnd() {
  hotKey_ = HotKey();
  TWinControl::DestroyWnd();
}

TShortCut TCustomHotKey::HotKey() {
  if (!HandleAllocated()) return hotKey_;
  return HotKeyToShortCut(LOWORD(SendMessageA(Handle(), HKM_GETHOTKEY, 0, 0)));
}

void TCustomHotKey::SetHotKey(TShortCut value) {
  hotKey_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), HKM_SETHOTKEY, ShortCutToHotKey(value), 0);
}
