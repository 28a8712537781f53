#include "ExtCtrls.h"

#include <algorithm>

#include "GdiObject.h"
#include "Graphics.h"

DEFINE_CLASS(TCustomPanel, TCustomControl, ({}))
DEFINE_COMPONENT(TPanel, TCustomPanel,
                 ({Prop<&TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner>("BevelInner"),
                   Prop<&TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter>("BevelOuter"),
                   Prop<&TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth>("BevelWidth"),
                   Prop<&TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth>("BorderWidth"),
                   Prop<&TControl::Caption, &TControl::SetCaption>("Caption")}),
                 ({}))

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 41); }

void TCustomPanel::SetBevelInner(TPanelBevel value) {
  if (bevelInner_ == value) return;
  bevelInner_ = value;
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel value) {
  if (bevelOuter_ == value) return;
  bevelOuter_ = value;
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int32_t value) {
  bevelWidth_ = value;
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int32_t value) {
  borderWidth_ = value;
  Invalidate();
}

void TCustomPanel::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.WindowClass.style |= CS_HREDRAW | CS_VREDRAW;  // the bevels and the centred caption follow the size
}

void TCustomPanel::WndProc(TMessage& m) {
  TCustomControl::WndProc(m);
  if (m.Msg == CM_TEXTCHANGED) Invalidate();
}

namespace {
// Width lines of a bevel inside r, which shrinks by them; bvSpace leaves the background.
void DrawBevel(HDC dc, RECT& r, TPanelBevel bevel, int width) {
  if (bevel == bvNone) return;
  if (bevel == bvSpace) {
    InflateRect(&r, -width, -width);
    return;
  }
  HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT), dark = GetSysColorBrush(COLOR_BTNSHADOW);
  HBRUSH topLeft = bevel == bvRaised ? light : dark, bottomRight = bevel == bvRaised ? dark : light;
  for (int i = 0; i < width; ++i) {
    RECT top{r.left, r.top, r.right, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom};
    RECT bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &top, topLeft);
    FillRect(dc, &left, topLeft);
    FillRect(dc, &bottom, bottomRight);
    FillRect(dc, &right, bottomRight);
    InflateRect(&r, -1, -1);
  }
}
}  // namespace

void TCustomPanel::Paint() {
  HDC dc = Canvas()->Handle();
  RECT r = ClientRect();  // the background is already in the panel's colour
  DrawBevel(dc, r, bevelOuter_, bevelWidth_);
  InflateRect(&r, -borderWidth_, -borderWidth_);
  DrawBevel(dc, r, bevelInner_, bevelWidth_);
  std::string text = Caption();
  SelectedObject font(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
  DrawTextA(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
}

// ---------------------------------------------------------------------------------------------
// TCustomRadioGroup

DEFINE_CLASS(TGroupButton, TRadioButton, ({}))
DEFINE_CLASS(TCustomRadioGroup, TCustomGroupBox, ({}))
DEFINE_COMPONENT(TRadioGroup, TCustomRadioGroup,
                 ({Prop<&TControl::Caption, &TControl::SetCaption>("Caption"),
                   Prop<&TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns>("Columns"),
                   PropRO<&TCustomRadioGroup::Items>("Items"),
                   Prop<&TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex>("ItemIndex")}),
                 ({}))

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner), items_(new TStringList) {
  items_->OnChange = TNotifyEvent::Bind<&TCustomRadioGroup::ItemsChanged>(this);
}

TCustomRadioGroup::~TCustomRadioGroup() { items_->OnChange = nullptr; }

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  UpdateButtons();
}

void TCustomRadioGroup::SetItemIndex(int32_t value) {
  if (ComponentState().Contains(csLoading)) {
    itemIndex_ = value;
    return;
  }
  value = std::clamp(value, -1, ButtonCount() - 1);
  if (value == itemIndex_) return;
  if (itemIndex_ >= 0) buttons_[itemIndex_]->SetChecked(false);
  itemIndex_ = value;
  if (value >= 0) buttons_[value]->SetChecked(true);  // clicks the group through ButtonClick
}

void TCustomRadioGroup::SetColumns(int32_t value) {
  value = std::clamp(value, 1, 16);
  if (columns_ == value) return;
  columns_ = value;
  ArrangeButtons();
}

void TCustomRadioGroup::ButtonClick(TObject* sender) {
  if (updating_) return;
  auto it = std::find(buttons_.begin(), buttons_.end(), sender);
  itemIndex_ = static_cast<int32_t>(it - buttons_.begin());
  Click();
}

void TCustomRadioGroup::UpdateButtons() {
  if (ComponentState().Contains(csLoading)) return;
  updating_ = true;
  while (ButtonCount() > items_->Count()) {
    buttons_.back()->Free();
    buttons_.pop_back();
  }
  while (ButtonCount() < items_->Count()) {
    auto* button = Create<TGroupButton>(this);
    button->OnClick = TNotifyEvent::Bind<&TCustomRadioGroup::ButtonClick>(this);
    button->SetParent(this);
    buttons_.push_back(button);
  }
  if (itemIndex_ >= ButtonCount()) itemIndex_ = -1;
  for (int i = 0; i < ButtonCount(); ++i) {
    buttons_[i]->SetCaption(items_->Strings(i));
    buttons_[i]->SetChecked(i == itemIndex_);
  }
  updating_ = false;
  ArrangeButtons();
  Invalidate();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  DeviceContext dc;
  SelectedObject font(dc.get(), Font()->Handle());
  SIZE zero;
  GetTextExtentPoint32A(dc.get(), "0", 1, &zero);
  // Column by column below the caption line, the rows sharing the height that is left.
  int perColumn = (ButtonCount() + columns_ - 1) / columns_;
  int width = (Width() - 10) / columns_;
  int room = Height() - zero.cy - 5;
  int height = room / perColumn;
  int top = zero.cy + 1 + (room % perColumn) / 2;
  for (int i = 0; i < ButtonCount(); ++i)
    buttons_[i]->SetBounds((i / perColumn) * width + 8, (i % perColumn) * height + top, width, height);
}

void TCustomRadioGroup::WndProc(TMessage& m) {
  TCustomGroupBox::WndProc(m);
  if (m.Msg == WM_SIZE || m.Msg == CM_FONTCHANGED) ArrangeButtons();
}

// ---------------------------------------------------------------------------------------------
// TNotebook and TPage

DEFINE_COMPONENT(TPage, TCustomControl, ({Prop<&TControl::Caption, &TControl::SetCaption>("Caption")}), ({}))

TPage::TPage(TComponent* AOwner) : TCustomControl(AOwner) {
  SetVisible(false);
  SetAlign(alClient);
}

void TPage::SetParent(TWinControl* parent) {
  TCustomControl::SetParent(parent);
  if (auto* notebook = As<TNotebook>(parent)) notebook->ShowPages();
}

DEFINE_COMPONENT(TNotebook, TCustomControl,
                 ({Prop<&TNotebook::ActivePage, &TNotebook::SetActivePage>("ActivePage"),
                   Prop<&TNotebook::PageIndex, &TNotebook::SetPageIndex>("PageIndex")}),
                 ({}))

TNotebook::TNotebook(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 150, 150); }

void TNotebook::Loaded() {
  TCustomControl::Loaded();
  ShowPages();
}

int TNotebook::PageCount() const {
  int n = 0;
  for (int i = 0; i < ControlCount(); ++i) n += Controls(i)->Is<TPage>();
  return n;
}

TPage* TNotebook::Pages(int index) const {
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* page = As<TPage>(Controls(i)); page && index-- == 0) return page;
  return nullptr;
}

void TNotebook::SetPageIndex(int32_t value) {
  if (!ComponentState().Contains(csLoading) && (value < 0 || value >= PageCount())) return;
  pageIndex_ = value;
  ShowPages();
}

std::string TNotebook::ActivePage() const {
  TPage* page = Pages(pageIndex_);
  return page ? page->Caption() : std::string();
}

void TNotebook::SetActivePage(std::string value) {
  for (int i = 0; i < PageCount(); ++i)
    if (Pages(i)->Caption() == value) return SetPageIndex(i);
}

void TNotebook::ShowPages() {
  if (ComponentState().Contains(csLoading)) return;
  RECT r = ClientRect();
  for (int i = 0, n = PageCount(); i < n; ++i) {
    TPage* page = Pages(i);
    page->SetBounds(0, 0, r.right, r.bottom);
    page->SetVisible(i == pageIndex_);
  }
}

void TNotebook::WndProc(TMessage& m) {
  TCustomControl::WndProc(m);
  if (m.Msg == WM_SIZE) ShowPages();
}

// ---------------------------------------------------------------------------------------------
// TCustomControlBar

DEFINE_CLASS(TCustomControlBar, TCustomControl, ({}))
DEFINE_COMPONENT(TControlBar, TCustomControlBar, ({}), ({}))

TCustomControlBar::TCustomControlBar(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 100, 50); }

void TCustomControlBar::Paint() {
  HDC dc = Canvas()->Handle();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* band = Controls(i);
    if (!band->Visible()) continue;
    RECT r = band->BoundsRect();
    InflateRect(&r, 2, 2);
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  }
}
