#include "Buttons.h"

#include <algorithm>

#include "Forms.h"
#include "GdiObject.h"

namespace {

// The glyph's image Index (of NumGlyphs side by side) drawn without its transparent colour, and
// the caption, placed in Client by the layout and moved by Shift pixels right and down.
void DrawGlyphAndCaption(HDC dc, TBitmap* glyph, int numGlyphs, int index, const std::string& text, TFont* font,
                         bool enabled, TButtonLayout layout, int margin, int spacing, RECT client, int shift) {
  SelectedObject selected(dc, font->Handle());
  SIZE ts{0, 0};
  if (!text.empty()) {
    RECT tr{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &tr, DT_SINGLELINE | DT_CALCRECT);
    ts = {tr.right, tr.bottom};
  }
  SIZE gs{0, 0};
  if (!glyph->Empty()) gs = {glyph->Width() / numGlyphs, glyph->Height()};
  TButtonPlacement p = CalcButtonLayout(client.right - client.left, client.bottom - client.top, gs.cx, gs.cy, ts.cx,
                                        ts.cy, layout, margin, spacing);
  int x = client.left + shift, y = client.top + shift;
  if (gs.cx && gs.cy) {
    if (index >= numGlyphs) index = 0;
    TransparentBlt(dc, x + p.glyphX, y + p.glyphY, gs.cx, gs.cy, glyph->Canvas()->Handle(), index * gs.cx, 0, gs.cx,
                   gs.cy, ColorToRGB(glyph->TransparentColor()));
  }
  if (!ts.cx) return;
  SetBkMode(dc, TRANSPARENT);
  RECT tr{x + p.textX, y + p.textY, x + p.textX + ts.cx, y + p.textY + ts.cy};
  if (!enabled) {
    // Embossed: a highlight one pixel down and right under the shadow.
    RECT hr = tr;
    OffsetRect(&hr, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextA(dc, text.c_str(), -1, &hr, DT_SINGLELINE);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
  } else {
    SetTextColor(dc, ColorToRGB(font->Color()));
  }
  DrawTextA(dc, text.c_str(), -1, &tr, DT_SINGLELINE);
}

}  // namespace

DEFINE_COMPONENT(TSpeedButton, TGraphicControl,
                 ({Prop<&TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp>("AllowAllUp"),
                   Prop<&TControl::Caption, &TControl::SetCaption>("Caption"),
                   Prop<&TSpeedButton::Down, &TSpeedButton::SetDown>("Down"),
                   Prop<&TSpeedButton::Flat, &TSpeedButton::SetFlat>("Flat"),
                   Prop<&TSpeedButton::Glyph, &TSpeedButton::SetGlyph>("Glyph"),
                   Prop<&TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex>("GroupIndex"),
                   Prop<&TSpeedButton::Layout, &TSpeedButton::SetLayout>("Layout"),
                   Prop<&TSpeedButton::Margin, &TSpeedButton::SetMargin>("Margin"),
                   Prop<&TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs>("NumGlyphs"),
                   Prop<&TSpeedButton::Spacing, &TSpeedButton::SetSpacing>("Spacing"),
                   Prop<&TSpeedButton::Transparent, &TSpeedButton::SetTransparent>("Transparent")}),
                 ({}))

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), glyph_(new TBitmap) {
  clickEvents_ = false;  // clicked on release inside, by MouseUp below
  glyph_->OnChange = TNotifyEvent::Bind<&TSpeedButton::GlyphChanged>(this);
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetFlat(bool value) {
  flat_ = value;
  Invalidate();
}

void TSpeedButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (down_ == value) return;
  down_ = value;
  Invalidate();
  if (!value || !Parent()) return;
  // One button of a group is down at a time.
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = As<TSpeedButton>(Parent()->Controls(i));
    if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
      other->down_ = false;
      other->Invalidate();
    }
  }
}

void TSpeedButton::SetNumGlyphs(int32_t value) {
  numGlyphs_ = value < 1 ? 1 : value > 4 ? 4 : value;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
  layout_ = value;
  Invalidate();
}

void TSpeedButton::SetMargin(int32_t value) {
  if (value < -1 || value == margin_) return;
  margin_ = value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int32_t value) {
  if (value < -1 || value == spacing_) return;
  spacing_ = value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  Invalidate();
}

void TSpeedButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      mouseInside_ = m.Msg == CM_MOUSEENTER;
      if (flat_) Invalidate();
      break;
    case CM_ENABLEDCHANGED:
      if (!Enabled()) dragging_ = pressed_ = false;
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(m);
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  dragging_ = pressed_ = true;
  Invalidate();
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (dragging_ && Inside(x, y) != pressed_) {
    pressed_ = !pressed_;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || !dragging_) return;
  dragging_ = pressed_ = false;
  Invalidate();
  if (!Inside(x, y)) return;
  if (groupIndex_ != 0) SetDown(!(down_ && allowAllUp_));
  Click();
}

void TSpeedButton::Paint() {
  HDC dc = Canvas()->Handle();
  RECT r = ClientRect();
  bool sunken = pressed_ || down_;
  if (!flat_) {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (sunken ? DFCS_PUSHED : 0));
  } else {
    if (!transparent_) {
      GdiObject<HBRUSH> face(CreateSolidBrush(ColorToRGB(Color())));
      FillRect(dc, &r, face.get());
    }
    if (sunken) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (mouseInside_ && Enabled()) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  }
  // Up, disabled, pressed, down: the images a glyph has, the first for what it lacks.
  int index = !Enabled() ? 1 : pressed_ ? 2 : down_ ? 3 : 0;
  DrawGlyphAndCaption(dc, glyph_.get(), numGlyphs_, index, Caption(), Font(), Enabled(), layout_, margin_, spacing_, r,
                      sunken ? 1 : 0);
}

// ---------------------------------------------------------------------------------------------
// TBitBtn

DEFINE_COMPONENT(TBitBtn, TButton,
                 ({Prop<&TControl::Caption, &TControl::SetCaption>("Caption"),
                   Prop<&TButton::Cancel, &TButton::SetCancel>("Cancel"),
                   Prop<&TButton::Default, &TButton::SetDefault>("Default"),
                   Prop<&TBitBtn::Glyph, &TBitBtn::SetGlyph>("Glyph"),
                   Prop<&TBitBtn::Kind, &TBitBtn::SetKind>("Kind"),
                   Prop<&TBitBtn::Layout, &TBitBtn::SetLayout>("Layout"),
                   Prop<&TBitBtn::Margin, &TBitBtn::SetMargin>("Margin"),
                   Prop<&TButton::ModalResult, &TButton::SetModalResult>("ModalResult"),
                   Prop<&TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs>("NumGlyphs"),
                   Prop<&TBitBtn::Spacing, &TBitBtn::SetSpacing>("Spacing")}),
                 ({}))

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), glyph_(new TBitmap) {
  glyph_->OnChange = TNotifyEvent::Bind<&TBitBtn::GlyphChanged>(this);
}

TBitBtn::~TBitBtn() = default;

void TBitBtn::CreateParams(TCreateParams& p) {
  TButton::CreateParams(p);
  p.Style = (p.Style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TBitBtn::SetButtonStyle(bool) { Invalidate(); }  // the default frame is painted, not a style

void TBitBtn::SetNumGlyphs(int32_t value) {
  numGlyphs_ = value < 1 ? 1 : value > 4 ? 4 : value;
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout value) {
  if (layout_ == value) return;
  layout_ = value;
  Invalidate();
}

void TBitBtn::SetMargin(int32_t value) {
  if (value < -1 || value == margin_) return;
  margin_ = value;
  Invalidate();
}

void TBitBtn::SetSpacing(int32_t value) {
  if (value < -1 || value == spacing_) return;
  spacing_ = value;
  Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind value) {
  struct Stock {
    const char* caption;
    TModalResult result;
  };
  static const Stock stock[] = {{"", mrNone},       {"OK", mrOk},         {"Cancel", mrCancel}, {"&Help", mrNone},
                                {"&Yes", mrYes},    {"&No", mrNo},        {"&Close", mrNone},   {"Abort", mrAbort},
                                {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&All", mrNo + 1}};  // the modal result "all" follows "no"
  if (kind_ == value) return;
  kind_ = value;
  if (value == bkCustom) return;
  SetDefault(value == bkOK || value == bkYes);
  SetCancel(value == bkCancel || value == bkNo);
  // A caption read before the kind stays.
  if (!ComponentState().Contains(csLoading) || Caption().empty()) SetCaption(stock[value].caption);
  SetModalResult(stock[value].result);
}

void TBitBtn::Click() {
  if (kind_ == bkClose)
    if (TCustomForm* form = GetParentForm(this)) return form->Close();
  TButton::Click();
}

void TBitBtn::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
      m.Result = TRUE;
      return;
    case WM_LBUTTONDBLCLK:
      m.Msg = WM_LBUTTONDOWN;  // a quick second press is a second click
      break;
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      Invalidate();
      break;
    default:
      break;
  }
  TButton::WndProc(m);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  RECT r{0, 0, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top};
  bool pressed = item.itemState & ODS_SELECTED;
  bool focused = item.itemState & ODS_FOCUS;
  bool enabled = !(item.itemState & ODS_DISABLED) && Enabled();
  // Composed off screen, copied once.
  MemoryDC mem(item.hDC);
  GdiObject<HBITMAP> bmp(CreateCompatibleBitmap(item.hDC, std::max<LONG>(r.right, 1), std::max<LONG>(r.bottom, 1)));
  SelectedObject selected(mem.get(), bmp.get());
  RECT face = r;
  if (focused || Default()) {
    FrameRect(mem.get(), &face, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&face, -1, -1);
  }
  DrawFrameControl(mem.get(), &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  // Up, disabled, pressed: the images a glyph has, the first for what it lacks.
  int index = !enabled ? 1 : pressed ? 2 : 0;
  DrawGlyphAndCaption(mem.get(), glyph_.get(), numGlyphs_, index, Caption(), Font(), enabled, layout_, margin_,
                      spacing_, r, pressed ? 1 : 0);
  if (focused) {
    RECT f = r;
    InflateRect(&f, -4, -4);
    DrawFocusRect(mem.get(), &f);
  }
  BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, r.right, r.bottom, mem.get(), 0, 0, SRCCOPY);
}
