#include "TabControls.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>

#include "ComCtrls.h"
#include "ImgList.h"

// ---------------------------------------------------------------------------------------------
// TCustomTabControl

DEFINE_CLASS(TCustomTabControl, TWinControl, ({}))
DEFINE_COMPONENT(TTabControl, TCustomTabControl,
                 ({Prop<&TCustomTabControl::Images, &TCustomTabControl::SetImages>("Images"),
                   Prop<&TCustomTabControl::TabHeight, &TCustomTabControl::SetTabHeight>("TabHeight"),
                   Prop<&TCustomTabControl::TabIndex, &TCustomTabControl::SetTabIndex>("TabIndex"),
                   Prop<&TCustomTabControl::TabPosition, &TCustomTabControl::SetTabPosition>("TabPosition"),
                   PropRO<&TCustomTabControl::Tabs>("Tabs"),
                   Field<&TCustomTabControl::OnChange>("OnChange")}),
                 ({}))

TCustomTabControl::TCustomTabControl(TComponent* AOwner)
    : TWinControl(AOwner), tabs_(new TStringList), canvas_(new TControlCanvas) {
  canvas_->SetControl(this);
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
  tabs_->OnChange = TNotifyEvent::Bind<&TCustomTabControl::TabsChanged>(this);
}

TCustomTabControl::~TCustomTabControl() { tabs_->OnChange = nullptr; }

void TCustomTabControl::CreateParams(TCreateParams& p) {
  InitCommonControlClasses();
  TWinControl::CreateParams(p);
  p.SystemClass = WC_TABCONTROLA;
  switch (tabPosition_) {
    case tpBottom: p.Style |= TCS_BOTTOM; break;
    case tpLeft: p.Style |= TCS_VERTICAL | TCS_MULTILINE; break;
    case tpRight: p.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
    default: break;
  }
}

void TCustomTabControl::InitializeWnd() {
  SendMessageA(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(platformImages_.get()));
  UpdateTabSize();
  UpdateTabs();
  SendMessageA(Handle(), TCM_SETCURSEL, tabIndex_, 0);
  Realign();
}

void TCustomTabControl::DestroyWnd() {
  tabIndex_ = TabIndex();
  canvas_->FreeHandle();  // the next drawing takes the DC of the new window
  TWinControl::DestroyWnd();
}

void TCustomTabControl::UpdateTabs() {
  if (!HandleAllocated() || ComponentState().Contains(csDestroying)) return;
  HWND wnd = Handle();
  int selected = TabIndex();
  SendMessageA(wnd, TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < tabs_->Count(); ++i) {
    std::string text = tabs_->Strings(i);
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = images_ ? GetImageIndex(i) : -1;
    SendMessageA(wnd, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  if (selected < tabs_->Count()) SendMessageA(wnd, TCM_SETCURSEL, selected, 0);
  Realign();
}

void TCustomTabControl::UpdateTabSize() {
  if (!HandleAllocated()) return;
  SendMessageA(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(0, tabHeight_));
  Realign();
}

int32_t TCustomTabControl::TabIndex() {
  return HandleAllocated() ? static_cast<int32_t>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)) : tabIndex_;
}

void TCustomTabControl::SetTabIndex(int32_t value) {
  tabIndex_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), TCM_SETCURSEL, value, 0);
}

void TCustomTabControl::SetTabHeight(int32_t value) {
  if (value < 0 || value > INT16_MAX) throw EInvalidOperation("Property TabHeight out of range");
  tabHeight_ = static_cast<int16_t>(value);
  UpdateTabSize();
}

void TCustomTabControl::SetTabPosition(TTabPosition value) {
  if (tabPosition_ == value) return;
  tabPosition_ = value;
  RecreateWnd();
}

void TCustomTabControl::SetImages(TCustomImageList* value) {
  if (images_) images_->RemoveFreeNotification(this);
  images_ = value;
  if (value) value->FreeNotification(this);
  platformImages_.Assign(value);
  if (!HandleAllocated()) return;
  SendMessageA(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(platformImages_.get()));
  UpdateTabs();
}

void TCustomTabControl::Notification(TComponent* c, TOperation operation) {
  TWinControl::Notification(c, operation);
  if (operation == opRemove && c == images_) SetImages(nullptr);
}

RECT TCustomTabControl::DisplayRect() {
  RECT r = ClientRect();
  if (HandleAllocated()) SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TCustomTabControl::Change() {
  if (OnChange) OnChange(this);
}

void TCustomTabControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_NOTIFY:
      if (reinterpret_cast<NMHDR*>(m.LParam)->code == TCN_SELCHANGE) {
        Change();
        m.Result = 0;
        return;
      }
      break;
    case WM_SIZE:
      TWinControl::WndProc(m);
      Realign();
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TTabSheet

DEFINE_COMPONENT(TTabSheet, TWinControl,
                 ({Prop<&TControl::Caption, &TControl::SetCaption>("Caption"),
                   Prop<&TTabSheet::ImageIndex, &TTabSheet::SetImageIndex>("ImageIndex"),
                   Prop<&TTabSheet::TabVisible, &TTabSheet::SetTabVisible>("TabVisible")}),
                 ({}))

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  ownPaint_ = true;
  SetVisibleField(false);  // shown when it becomes the active page
}

TTabSheet::~TTabSheet() {
  if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::BeforeDestruction() {
  if (pageControl_) pageControl_->RemovePage(this);
  pageControl_ = nullptr;
  TWinControl::BeforeDestruction();
}

void TTabSheet::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  if (pageControl_) pageControl_->RemovePage(this);
  pageControl_ = nullptr;
  TWinControl::SetParent(parent);
  pageControl_ = As<TPageControl>(parent);
  if (pageControl_) pageControl_->InsertPage(this);
}

void TTabSheet::SetPageControl(TPageControl* value) { SetParent(value); }

void TTabSheet::SetImageIndex(int32_t value) {
  imageIndex_ = value;
  if (pageControl_) pageControl_->UpdatePages();
}

void TTabSheet::SetTabVisible(bool value) {
  if (tabVisible_ == value) return;
  tabVisible_ = value;
  if (pageControl_) pageControl_->UpdatePages();
}

int TTabSheet::TabIndex() const {
  if (!pageControl_ || !tabVisible_) return -1;
  int index = 0;
  for (TTabSheet* p : pageControl_->pages_) {
    if (p == this) return index;
    if (p->tabVisible_) ++index;
  }
  return -1;
}

void TTabSheet::WndProc(TMessage& m) {
  TWinControl::WndProc(m);
  if (m.Msg == CM_TEXTCHANGED && pageControl_) pageControl_->UpdatePages();
}

// ---------------------------------------------------------------------------------------------
// TPageControl

DEFINE_COMPONENT(TPageControl, TCustomTabControl,
                 ({Prop<&TPageControl::ActivePage, &TPageControl::SetActivePage>("ActivePage"),
                   Prop<&TCustomTabControl::Images, &TCustomTabControl::SetImages>("Images"),
                   Prop<&TCustomTabControl::TabHeight, &TCustomTabControl::SetTabHeight>("TabHeight"),
                   Prop<&TCustomTabControl::TabPosition, &TCustomTabControl::SetTabPosition>("TabPosition"),
                   Field<&TCustomTabControl::OnChange>("OnChange")}),
                 ({}))

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

TPageControl::~TPageControl() {
  for (TTabSheet* p : pages_) p->pageControl_ = nullptr;  // deleted without Free: the pages go after this part
}

void TPageControl::InsertPage(TTabSheet* page) {
  pages_.push_back(page);
  UpdatePages();
}

void TPageControl::RemovePage(TTabSheet* page) {
  pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
  if (activePage_ == page) activePage_ = nullptr;
  UpdatePages();
}

TTabSheet* TPageControl::PageOfTab(int tabIndex) const {
  for (TTabSheet* p : pages_)
    if (p->TabIndex() == tabIndex && tabIndex >= 0) return p;
  return nullptr;
}

int TPageControl::GetImageIndex(int tabIndex) {
  TTabSheet* page = PageOfTab(tabIndex);
  return page ? page->imageIndex_ : -1;
}

void TPageControl::UpdatePages() {
  if (ComponentState().Contains(csDestroying)) return;
  if (activePage_ && !activePage_->tabVisible_) activePage_ = nullptr;
  Tabs()->BeginUpdate();
  Tabs()->Clear();
  for (TTabSheet* p : pages_)
    if (p->tabVisible_) Tabs()->Add(p->Caption());
  Tabs()->EndUpdate();  // puts the tabs into the control and realigns
  SetTabIndex(activePage_ ? activePage_->TabIndex() : -1);
  Realign();
}

void TPageControl::Realign() {
  if (ComponentState().Contains(csDestroying)) return;
  RECT r = DisplayRect();
  for (TTabSheet* p : pages_) {
    if (p == activePage_) p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    p->SetVisible(p == activePage_);
  }
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && (page->pageControl_ != this || !page->tabVisible_)) return;
  activePage_ = page;
  SetTabIndex(page ? page->TabIndex() : -1);
  Realign();
}

int32_t TPageControl::ActivePageIndex() const {
  auto it = std::find(pages_.begin(), pages_.end(), activePage_);
  return activePage_ && it != pages_.end() ? static_cast<int32_t>(it - pages_.begin()) : -1;
}

void TPageControl::SetActivePageIndex(int32_t index) {
  SetActivePage(index >= 0 && index < PageCount() ? pages_[index] : nullptr);
}

void TPageControl::Change() {
  SetActivePage(PageOfTab(TabIndex()));
  TCustomTabControl::Change();
}
