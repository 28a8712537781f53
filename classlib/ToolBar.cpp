#include "ToolBar.h"

#include <commctrl.h>

#include <algorithm>

#include "ComCtrls.h"
#include "ImgList.h"
#include "Menus.h"

// ---------------------------------------------------------------------------------------------
// TToolWindow

DEFINE_CLASS(TToolWindow, TWinControl, ({}))

void TToolWindow::SetEdgeBorders(TEdgeBorders value) {
  if (edgeBorders_ == value) return;
  edgeBorders_ = value;
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TToolWindow::InitializeWnd() {
  // Creation sized the client area without the edges.
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TToolWindow::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCCALCSIZE: {
      TWinControl::WndProc(m);
      // An etched edge is two pixels on each side it is drawn.
      RECT& r = *reinterpret_cast<RECT*>(m.LParam);
      if (edgeBorders_.Contains(ebLeft)) r.left += 2;
      if (edgeBorders_.Contains(ebTop)) r.top += 2;
      if (edgeBorders_.Contains(ebRight)) r.right -= 2;
      if (edgeBorders_.Contains(ebBottom)) r.bottom -= 2;
      return;
    }
    case WM_NCPAINT: {
      TWinControl::WndProc(m);
      if (edgeBorders_.Empty()) return;
      HDC dc = GetWindowDC(Handle());
      RECT r;
      GetWindowRect(Handle(), &r);
      OffsetRect(&r, -r.left, -r.top);
      UINT sides = (edgeBorders_.Contains(ebLeft) ? BF_LEFT : 0) | (edgeBorders_.Contains(ebTop) ? BF_TOP : 0) |
                   (edgeBorders_.Contains(ebRight) ? BF_RIGHT : 0) | (edgeBorders_.Contains(ebBottom) ? BF_BOTTOM : 0);
      DrawEdge(dc, &r, EDGE_ETCHED, sides);
      ReleaseDC(Handle(), dc);
      return;
    }
    default:
      break;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TToolBar

DEFINE_COMPONENT(TToolBar, TToolWindow,
                 ({Prop<&TToolBar::AutoSize, &TToolBar::SetAutoSize>("AutoSize"),
                   Prop<&TToolBar::ButtonHeight, &TToolBar::SetButtonHeight>("ButtonHeight"),
                   Prop<&TToolBar::ButtonWidth, &TToolBar::SetButtonWidth>("ButtonWidth"),
                   Prop<&TControl::Caption, &TControl::SetCaption>("Caption"),
                   Prop<&TToolWindow::EdgeBorders, &TToolWindow::SetEdgeBorders>("EdgeBorders"),
                   Prop<&TToolBar::Flat, &TToolBar::SetFlat>("Flat"),
                   Prop<&TToolBar::HotImages, &TToolBar::SetHotImages>("HotImages"),
                   Prop<&TToolBar::Images, &TToolBar::SetImages>("Images"),
                   Prop<&TToolBar::List, &TToolBar::SetList>("List"),
                   Prop<&TToolBar::ShowCaptions, &TToolBar::SetShowCaptions>("ShowCaptions"),
                   Prop<&TToolBar::Transparent, &TToolBar::SetTransparent>("Transparent"),
                   Prop<&TToolBar::Wrapable, &TToolBar::SetWrapable>("Wrapable"),
                   Field<&TToolBar::OnCustomDrawButton>("OnCustomDrawButton")}),
                 ({}))

TToolBar::TToolBar(TComponent* AOwner) : TToolWindow(AOwner), canvas_(new TControlCanvas) {
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
  canvas_->SetControl(this);
}

TToolBar::~TToolBar() {
  for (TToolButton* b : buttons_) b->bar_ = nullptr;  // deleted without Free: the buttons go after this part
}

void TToolBar::CreateParams(TCreateParams& p) {
  InitCommonControlClasses();
  TToolWindow::CreateParams(p);
  p.SystemClass = TOOLBARCLASSNAMEA;
  // The bar keeps the bounds it was given.
  p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (flat_) p.Style |= TBSTYLE_FLAT;
  if (transparent_) p.Style |= TBSTYLE_TRANSPARENT;
  if (list_) p.Style |= TBSTYLE_LIST;
  if (wrapable_) p.Style |= TBSTYLE_WRAPABLE;
}

void TToolBar::InitializeWnd() {
  TToolWindow::InitializeWnd();
  HWND wnd = Handle();
  SendMessageA(wnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(wnd, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  RebuildButtons();
}

int TToolBar::IndexOf(const TToolButton* button) const {
  auto it = std::find(buttons_.begin(), buttons_.end(), button);
  return it == buttons_.end() ? -1 : static_cast<int>(it - buttons_.begin());
}

void TToolBar::RebuildButtons() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  while (SendMessageA(wnd, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(wnd, TB_DELETEBUTTON, 0, 0);
  SendMessageA(wnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(platformImages_.get()));
  SendMessageA(wnd, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(platformHotImages_.get()));
  if (images_) SendMessageA(wnd, TB_SETBITMAPSIZE, 0, MAKELONG(images_->Width(), images_->Height()));
  else SendMessageA(wnd, TB_SETBITMAPSIZE, 0, MAKELONG(0, 0));  // captions only
  SendMessageA(wnd, TB_SETBUTTONSIZE, 0, MAKELONG(buttonWidth_, buttonHeight_));
  SendMessageA(wnd, TB_SETBUTTONWIDTH, 0, MAKELONG(buttonWidth_, buttonWidth_));
  std::vector<std::string> captions;
  for (TToolButton* b : buttons_) captions.push_back(b->Caption());
  for (size_t i = 0; i < buttons_.size(); ++i) {
    TToolButton* b = buttons_[i];
    const bool separator = b->style_ == tbsSeparator || b->style_ == tbsDivider;
    TBBUTTON tb{};
    tb.idCommand = static_cast<int>(i);  // the index: CN_COMMAND finds the button by it
    if (separator) tb.iBitmap = b->Width();
    else tb.iBitmap = images_ && b->imageIndex_ >= 0 ? b->imageIndex_ : I_IMAGENONE;
    tb.fsState = (b->Enabled() ? TBSTATE_ENABLED : 0) | (b->wrap_ ? TBSTATE_WRAP : 0) |
                 (b->Visible() ? 0 : TBSTATE_HIDDEN);
    if (b->down_) tb.fsState |= b->style_ == tbsCheck ? TBSTATE_CHECKED : TBSTATE_PRESSED;
    switch (b->style_) {
      case tbsCheck: tb.fsStyle = BTNS_CHECK | (b->grouped_ ? BTNS_GROUP : 0); break;
      case tbsDropDown: tb.fsStyle = BTNS_DROPDOWN; break;
      case tbsSeparator:
      case tbsDivider: tb.fsStyle = BTNS_SEP; break;
      default: tb.fsStyle = BTNS_BUTTON; break;
    }
    if (b->autoSize_) tb.fsStyle |= BTNS_AUTOSIZE;
    tb.iString = showCaptions_ && !separator ? reinterpret_cast<INT_PTR>(captions[i].c_str()) : -1;
    SendMessageA(wnd, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
  }
  SendMessageA(wnd, TB_AUTOSIZE, 0, 0);
  SyncBounds();
  if (autoSize_ && !buttons_.empty()) {
    int bottom = 0;
    for (TToolButton* b : buttons_) bottom = std::max(bottom, b->Top() + b->Height());
    RECT window, client;
    GetWindowRect(wnd, &window);
    GetClientRect(wnd, &client);
    SetHeight(bottom + (window.bottom - window.top) - client.bottom);
  }
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

void TToolBar::SetBarStyle(DWORD style, bool on) {
  SetWindowStyle(style, on);
  RebuildButtons();
  Invalidate();
}

void TToolBar::SetFlat(bool value) {
  flat_ = value;
  SetBarStyle(TBSTYLE_FLAT, value);
}

void TToolBar::SetTransparent(bool value) {
  transparent_ = value;
  SetBarStyle(TBSTYLE_TRANSPARENT, value);
}

void TToolBar::SetList(bool value) {
  list_ = value;
  SetBarStyle(TBSTYLE_LIST, value);
}

void TToolBar::SetWrapable(bool value) {
  wrapable_ = value;
  SetBarStyle(TBSTYLE_WRAPABLE, value);
}

void TToolBar::SetAutoSize(bool value) {
  autoSize_ = value;
  RebuildButtons();
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

void TToolBar::SetImages(TCustomImageList* value) {
  if (images_) images_->RemoveFreeNotification(this);
  images_ = value;
  if (value) value->FreeNotification(this);
  platformImages_.Assign(value);
  RebuildButtons();
}

void TToolBar::SetHotImages(TCustomImageList* value) {
  if (hotImages_) hotImages_->RemoveFreeNotification(this);
  hotImages_ = value;
  if (value) value->FreeNotification(this);
  platformHotImages_.Assign(value);
  RebuildButtons();
}

void TToolBar::Notification(TComponent* c, TOperation operation) {
  TToolWindow::Notification(c, operation);
  if (operation != opRemove) return;
  if (c == images_) SetImages(nullptr);
  if (c == hotImages_) SetHotImages(nullptr);
  if (c == menu_) menu_ = nullptr;
}

LRESULT TToolBar::CustomDraw(NMCUSTOMDRAW& draw) {
  if (!OnCustomDrawButton) return CDRF_DODEFAULT;
  if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.dwDrawStage != CDDS_ITEMPREPAINT || draw.dwItemSpec >= buttons_.size()) return CDRF_DODEFAULT;
  bool defaultDraw = true;
  canvas_->FreeHandle();
  canvas_->SetHandle(draw.hdc);
  canvas_->SetFont(Font());
  try {
    OnCustomDrawButton(this, buttons_[draw.dwItemSpec], TCustomDrawState::FromMask(draw.uItemState & 0x1FF),
                       defaultDraw);
  } catch (...) {
    canvas_->SetHandle(nullptr);
    throw;
  }
  canvas_->SetHandle(nullptr);
  return defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
}

void TToolBar::TrackMenu(TToolButton* button) {
  TMenuItem* source = button->MenuItem();
  int index = IndexOf(button);
  if (!source || source->Count() == 0 || index < 0) return;
  if (!menu_) {
    menu_ = Create<TPopupMenu>(this);
    menu_->FreeNotification(this);
  }
  if (TMenu* from = source->GetParentMenu()) {
    menu_->SetImages(from->Images());
    menu_->SetOwnerDraw(from->OwnerDraw());
    menu_->SetBiDiMode(from->BiDiMode());
  }
  // The sub-items are lent to the bar's menu while it is open, and given back after.
  struct Lent {
    TMenuItem* owner;
    TMenuItem* borrower;
    ~Lent() {
      while (borrower->Count() > 0) {
        TMenuItem* item = borrower->Items(0);
        borrower->Delete(0);
        owner->Add(item);
      }
    }
  } lent{source, menu_->Items()};
  while (source->Count() > 0) {
    TMenuItem* item = source->Items(0);
    source->Delete(0);
    menu_->Items()->Add(item);
  }
  HWND wnd = Handle();
  RECT r{};
  SendMessageA(wnd, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  POINT at{r.left, r.bottom};
  ::ClientToScreen(wnd, &at);
  SendMessageA(wnd, TB_PRESSBUTTON, index, TRUE);
  menu_->Popup(at.x, at.y);
  if (IndexOf(button) == index) SendMessageA(wnd, TB_PRESSBUTTON, index, button->down_);
}

void TToolBar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND: {
      size_t id = LOWORD(m.WParam);
      if (id >= buttons_.size()) return;
      TToolButton* b = buttons_[id];
      if (b->style_ == tbsCheck)
        for (TToolButton* other : buttons_)  // a group's other buttons may have come up
          if (other->style_ == tbsCheck) other->down_ = other->Down();
      if (b->menuItem_ && b->menuItem_->Count() > 0) TrackMenu(b);
      else b->Click();
      return;
    }
    case CN_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
      if (hdr->code == NM_CUSTOMDRAW) {
        m.Result = CustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(m.LParam));
        return;
      }
      if (hdr->code == TBN_DROPDOWN) {
        size_t id = reinterpret_cast<NMTOOLBARA*>(m.LParam)->iItem;
        if (id < buttons_.size()) TrackMenu(buttons_[id]);
        m.Result = TBDDRET_DEFAULT;
        return;
      }
      break;
    }
    case WM_SIZE:
      TToolWindow::WndProc(m);
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
  TToolWindow::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TToolButton

DEFINE_COMPONENT(TToolButton, TGraphicControl,
                 ({Prop<&TToolButton::AutoSize, &TToolButton::SetAutoSize>("AutoSize"),
                   Prop<&TControl::Caption, &TControl::SetCaption>("Caption"),
                   Prop<&TToolButton::Down, &TToolButton::SetDown>("Down"),
                   Prop<&TToolButton::Grouped, &TToolButton::SetGrouped>("Grouped"),
                   Prop<&TToolButton::ImageIndex, &TToolButton::SetImageIndex>("ImageIndex"),
                   Prop<&TToolButton::MenuItem, &TToolButton::SetMenuItem>("MenuItem"),
                   Prop<&TToolButton::Style, &TToolButton::SetStyle>("Style"),
                   Prop<&TToolButton::Wrap, &TToolButton::SetWrap>("Wrap")}),
                 ({}))

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

void TToolButton::Loaded() {
  TGraphicControl::Loaded();
  if (menuItem_) TakeMenuItem();
}

void TToolButton::Changed() {
  if (bar_) bar_->RebuildButtons();
}

void TToolButton::SetStyle(TToolButtonStyle value) {
  if (style_ == value) return;
  style_ = value;
  // A separator is narrow unless the description gives its width.
  if ((value == tbsSeparator || value == tbsDivider) && !ComponentState().Contains(csLoading)) SetWidth(8);
  Changed();
}

void TToolButton::SetImageIndex(int32_t value) {
  imageIndex_ = value;
  Changed();
}

bool TToolButton::Down() const {
  if (bar_ && bar_->HandleAllocated()) {
    int index = bar_->IndexOf(this);
    LRESULT state = SendMessageA(bar_->Handle(), TB_GETSTATE, index, 0);
    if (state != -1) return state & (style_ == tbsCheck ? TBSTATE_CHECKED : TBSTATE_PRESSED);
  }
  return down_;
}

void TToolButton::SetDown(bool value) {
  down_ = value;
  if (!bar_ || !bar_->HandleAllocated()) return;
  int index = bar_->IndexOf(this);
  SendMessageA(bar_->Handle(), style_ == tbsCheck ? TB_CHECKBUTTON : TB_PRESSBUTTON, index, value);
  if (value && style_ == tbsCheck && grouped_)
    for (TToolButton* other : bar_->buttons_)
      if (other != this && other->style_ == tbsCheck) other->down_ = other->Down();
}

void TToolButton::SetGrouped(bool value) {
  grouped_ = value;
  Changed();
}

void TToolButton::SetWrap(bool value) {
  wrap_ = value;
  Changed();
}

void TToolButton::SetAutoSize(bool value) {
  autoSize_ = value;
  Changed();
}

void TToolButton::SetMenuItem(TMenuItem* value) {
  if (menuItem_ == value) return;
  if (menuItem_) menuItem_->RemoveFreeNotification(this);
  menuItem_ = value;
  if (!value) return;
  value->FreeNotification(this);
  if (!ComponentState().Contains(csLoading)) TakeMenuItem();
}

void TToolButton::TakeMenuItem() {
  imageIndex_ = menuItem_->ImageIndex();
  down_ = menuItem_->Checked();
  SetEnabled(menuItem_->Enabled());
  SetCaption(menuItem_->Caption());
  Changed();
}

void TToolButton::Click() {
  TGraphicControl::Click();
  if (menuItem_ && menuItem_->Count() == 0) menuItem_->Click();
}

void TToolButton::Notification(TComponent* c, TOperation operation) {
  TGraphicControl::Notification(c, operation);
  if (operation == opRemove && c == menuItem_) menuItem_ = nullptr;
}

void TToolButton::WndProc(TMessage& m) {
  TGraphicControl::WndProc(m);
  if ((m.Msg == CM_TEXTCHANGED || m.Msg == CM_ENABLEDCHANGED || m.Msg == CM_VISIBLECHANGED) && bar_)
    bar_->RebuildButtons();
}
