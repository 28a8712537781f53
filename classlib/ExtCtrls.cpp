#include "ExtCtrls.h"

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
