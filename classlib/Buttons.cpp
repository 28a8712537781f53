#include "Buttons.h"

#include "GdiObject.h"

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
                   Prop<&TSpeedButton::Spacing, &TSpeedButton::SetSpacing>("Spacing")}),
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
  margin_ = value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int32_t value) {
  spacing_ = value;
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
  } else if (sunken) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  } else if (mouseInside_ && Enabled()) {
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  }

  // The glyph and the caption as one block, placed by Layout, Margin and Spacing.
  std::string text = Caption();
  SelectedObject font(dc, Font()->Handle());
  SIZE ts{0, 0};
  if (!text.empty()) {
    RECT tr{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &tr, DT_SINGLELINE | DT_CALCRECT);
    ts = {tr.right, tr.bottom};
  }
  SIZE gs{0, 0};
  if (!glyph_->Empty()) gs = {glyph_->Width() / numGlyphs_, glyph_->Height()};
  int gap = gs.cx && ts.cx ? spacing_ : 0;
  int w = r.right, h = r.bottom;
  POINT gp, tp;
  bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
  int total = horizontal ? gs.cx + gap + ts.cx : gs.cy + gap + ts.cy;
  int extent = horizontal ? w : h;
  int start = margin_ < 0 ? (extent - total) / 2 : margin_;
  bool glyphFirst = layout_ == blGlyphLeft || layout_ == blGlyphTop;
  if (margin_ >= 0 && !glyphFirst) start = extent - margin_ - total;
  int first = start, second = start + (glyphFirst ? gs.cx : ts.cx) + gap;
  if (!horizontal) second = start + (glyphFirst ? gs.cy : ts.cy) + gap;
  if (horizontal) {
    gp = {glyphFirst ? first : second, (h - gs.cy) / 2};
    tp = {glyphFirst ? second : first, (h - ts.cy) / 2};
  } else {
    gp = {(w - gs.cx) / 2, glyphFirst ? first : second};
    tp = {(w - ts.cx) / 2, glyphFirst ? second : first};
  }
  int shift = sunken ? 1 : 0;

  if (gs.cx) {
    // Up, disabled, pressed, down: the images a glyph has, the first for what it lacks.
    int index = !Enabled() ? 1 : pressed_ ? 2 : down_ ? 3 : 0;
    if (index >= numGlyphs_) index = 0;
    HDC src = glyph_->Canvas()->Handle();
    TransparentBlt(dc, gp.x + shift, gp.y + shift, gs.cx, gs.cy, src, index * gs.cx, 0, gs.cx, gs.cy,
                   ColorToRGB(glyph_->TransparentColor()));
  }
  if (ts.cx) {
    SetBkMode(dc, TRANSPARENT);
    RECT tr{tp.x + shift, tp.y + shift, tp.x + shift + ts.cx, tp.y + shift + ts.cy};
    if (!Enabled()) {
      RECT hr = tr;
      OffsetRect(&hr, 1, 1);
      SetTextColor(dc, ColorToRGB(clBtnHighlight));
      DrawTextA(dc, text.c_str(), -1, &hr, DT_SINGLELINE);
      SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
      SetTextColor(dc, ColorToRGB(Font()->Color()));
    }
    DrawTextA(dc, text.c_str(), -1, &tr, DT_SINGLELINE);
  }
}
