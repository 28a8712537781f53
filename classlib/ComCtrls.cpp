#include "ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

void InitCommonControlClasses() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
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
// TToolBar

DEFINE_COMPONENT(TToolBar, TWinControl,
                 ({Prop<&TToolBar::ButtonHeight, &TToolBar::SetButtonHeight>("ButtonHeight"),
                   Prop<&TToolBar::ButtonWidth, &TToolBar::SetButtonWidth>("ButtonWidth"),
                   Prop<&TControl::Caption, &TControl::SetCaption>("Caption"),
                   Prop<&TToolBar::Flat, &TToolBar::SetFlat>("Flat"),
                   Prop<&TToolBar::ShowCaptions, &TToolBar::SetShowCaptions>("ShowCaptions")}),
                 ({}))

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 150, 29); }

TToolBar::~TToolBar() {
  for (TToolButton* b : buttons_) b->bar_ = nullptr;  // deleted without Free: the buttons go after this part
}

void TToolBar::CreateParams(TCreateParams& p) {
  InitCommonControlClasses();
  TWinControl::CreateParams(p);
  p.SystemClass = TOOLBARCLASSNAMEA;
  // The bar keeps the bounds it was given; buttons wrap to the next row when they do not fit.
  p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_WRAPABLE;
  if (flat_) p.Style |= TBSTYLE_FLAT;
}

void TToolBar::InitializeWnd() {
  HWND wnd = Handle();
  SendMessageA(wnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(wnd, TB_SETBITMAPSIZE, 0, MAKELONG(0, 0));  // captions only
  RebuildButtons();
}

void TToolBar::RebuildButtons() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  while (SendMessageA(wnd, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(wnd, TB_DELETEBUTTON, 0, 0);
  SendMessageA(wnd, TB_SETBUTTONSIZE, 0, MAKELONG(buttonWidth_, buttonHeight_));
  SendMessageA(wnd, TB_SETBUTTONWIDTH, 0, MAKELONG(buttonWidth_, buttonWidth_));
  std::vector<std::string> captions;
  for (TToolButton* b : buttons_) captions.push_back(b->Caption());
  for (size_t i = 0; i < buttons_.size(); ++i) {
    TBBUTTON tb{};
    tb.iBitmap = I_IMAGENONE;
    tb.idCommand = static_cast<int>(i);  // the index: CN_COMMAND finds the button by it
    tb.fsState = buttons_[i]->Enabled() ? TBSTATE_ENABLED : 0;
    tb.fsStyle = BTNS_BUTTON;
    tb.iString = showCaptions_ ? reinterpret_cast<INT_PTR>(captions[i].c_str()) : -1;
    SendMessageA(wnd, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
  }
  SendMessageA(wnd, TB_AUTOSIZE, 0, 0);
  SyncBounds();
}

void TToolBar::SyncBounds() {
  if (!HandleAllocated()) return;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    RECT r{};
    if (SendMessageA(Handle(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
      buttons_[i]->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
}

void TToolBar::AddButton(TToolButton* button) {
  buttons_.push_back(button);
  RebuildButtons();
}

void TToolBar::RemoveButton(TToolButton* button) {
  buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), button), buttons_.end());
  RebuildButtons();
}

void TToolBar::SetFlat(bool value) {
  flat_ = value;
  SetWindowStyle(TBSTYLE_FLAT, value);
  Invalidate();
}

void TToolBar::SetShowCaptions(bool value) {
  showCaptions_ = value;
  RebuildButtons();
}

void TToolBar::SetButtonWidth(int32_t value) {
  buttonWidth_ = value;
  RebuildButtons();
}

void TToolBar::SetButtonHeight(int32_t value) {
  buttonHeight_ = value;
  RebuildButtons();
}

void TToolBar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND: {
      size_t id = LOWORD(m.WParam);
      if (id < buttons_.size()) buttons_[id]->Click();
      return;
    }
    case WM_SIZE:
      TWinControl::WndProc(m);
      SyncBounds();
      return;
    case WM_ERASEBKGND: {
      // A flat bar is see-through: it asks its parent for the background, and our forms paint
      // theirs in WM_PAINT only.
      RECT r;
      GetClientRect(Handle(), &r);
      FillRect(reinterpret_cast<HDC>(m.WParam), &r, BrushHandle());
      m.Result = 1;
      return;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      // The buttons live inside the bar's window: the mouse goes to the platform, not to them.
      if (m.Msg == WM_MOUSEMOVE) {
        UpdateMouseControl(this);
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&tme);
      }
      TControl::WndProc(m);
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

DEFINE_COMPONENT(TToolButton, TGraphicControl, ({Prop<&TControl::Caption, &TControl::SetCaption>("Caption")}), ({}))

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  clickEvents_ = false;  // the bar reports the clicks
  SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton() {
  if (bar_) bar_->RemoveButton(this);
}

void TToolButton::BeforeDestruction() {
  if (bar_) bar_->RemoveButton(this);
  bar_ = nullptr;
  TGraphicControl::BeforeDestruction();
}

void TToolButton::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  if (bar_) bar_->RemoveButton(this);
  bar_ = nullptr;
  TGraphicControl::SetParent(parent);
  bar_ = As<TToolBar>(parent);
  if (bar_) bar_->AddButton(this);
}

void TToolButton::WndProc(TMessage& m) {
  TGraphicControl::WndProc(m);
  if ((m.Msg == CM_TEXTCHANGED || m.Msg == CM_ENABLEDCHANGED) && bar_) bar_->RebuildButtons();
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
