#include "TzubSkinButton.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "Buttons.h"
#include "Forms.h"
#include "Graphics.h"
#include "StdCtrls.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinUtils.h"

using namespace zubskin;

DEFINE_CLASS(TzubSkinButton, TzubSkinControlVCL, ({}))
DEFINE_CLASS(TzubSkinCheckBox, TzubSkinControlVCL, ({}))
DEFINE_CLASS(TzubSkinRadioButton, TzubSkinControlVCL, ({}))

namespace {

// The class library's got-focus and lost-focus notices.
constexpr UINT kCmGotFocus = 0xB002;
constexpr UINT kCmLostFocus = 0xB003;

RECT ClientRectOf(TControl* control) {
  const RECT r = control->ClientRect();
  return {0, 0, r.right - r.left, r.bottom - r.top};
}

}  // namespace

// ---- The push button ----

bool TzubSkinButton::BeforeMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
      return Message.WParam != VK_RETURN && Message.WParam != VK_SPACE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      State |= zsPressed;
      Paint();
      return false;
    case WM_LBUTTONUP: {
      const RECT client = ClientRectOf(Control);
      releasedInside_ = PtInRect(&client, {GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}) != 0;
      return true;
    }
    case WM_KILLFOCUS:
    case kCmGotFocus:
    case kCmLostFocus:
      if (Message.Msg != kCmGotFocus) {  // a press, by mouse or by Space, ends with the focus
        ClickPending = false;
        State &= ~zsPressed;
      }
      Paint();
      return false;
    case WM_CAPTURECHANGED:
      if (ClickPending && reinterpret_cast<HWND>(Message.LParam) != GetControlHandle()) {
        ClickPending = false;
        State &= ~zsPressed;
        Paint();
      }
      return true;
    case WM_CANCELMODE:
      ClickPending = false;
      return true;
    case WM_ERASEBKGND:
      Message.Result = 1;
      return false;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HWND h = GetControlHandle();
      BeginPaint(h, &ps);
      Paint();
      EndPaint(h, &ps);
      Message.Result = 0;
      return false;
    }
  }
  return true;
}

void TzubSkinButton::AfterMessage(TMessage& Message) {
  TzubSkinControlVCL::AfterMessage(Message);
  if (Detached) return;
  if (Message.Msg == WM_SETFOCUS) {
    Paint();
  } else if (Message.Msg == BM_SETSTATE) {  // the platform has painted its own face
    if (Message.WParam) State |= zsPressed;
    else State &= ~zsPressed;
    Paint();
  } else if (Message.Msg == WM_CHAR && Message.WParam == VK_RETURN) {  // not character 0 (Ctrl+2)
    State &= ~zsPressed;
    Paint();
    DoClick();
  }
}

void TzubSkinButton::DoClick() {
  if (Control) Control->Click();
}

// As the platform's button: the press takes the mouse, so its release comes here wherever it
// happens, and clicks when it is over the button.
void TzubSkinButton::MouseDown() {
  TCustomForm* form = GetParentForm(Control);  // an embedded form is never active itself
  if (!form || !IsFormActive(form)) return;
  if (auto* win = As<TWinControl>(Control); win && win->CanFocus() && win->Enabled() && win->Visible()) {
    try {
      win->SetFocus();
    } catch (const std::exception&) {
      // the press counts all the same
    }
  }
  ClickPending = true;
  SetCapture(GetControlHandle());
}

void TzubSkinButton::MouseUp() {
  const bool click = std::exchange(ClickPending, false) && releasedInside_;
  if (GetCapture() == GetControlHandle()) ReleaseCapture();
  if (click) DoClick();
}

void TzubSkinButton::KeyUp(uint32_t Key) {
  auto* win = As<TWinControl>(Control);
  if (Key != VK_SPACE || !win || !win->Focused() || !win->Enabled() || !IsSkinning()) return;
  ClickPending = false;  // a mouse press held meanwhile ends with this click
  State &= ~zsPressed;
  Paint();
  DoClick();
}

void TzubSkinButton::AfterAttach() {
  TzubSkinControlVCL::AfterAttach();
  ClickPending = false;
}

void TzubSkinButton::PaintSkin() {
  if (!Control || !Engine) return;
  const int w = Control->Width(), h = Control->Height();
  if (w <= 0 || h <= 0) return;
  TBitmap frame, face;
  face.SetSize(w, h);
  TCanvas* canvas = face.Canvas();
  const RECT client = ClientRectOf(Control);
  FillRectColor(canvas, client, Engine->GetFormBackgroundColor());

  const int index = Pressed() ? 3 : Hot() ? 2 : 1;
  Engine->GetSkinBitmap("ButtonImage", &frame, 3, index);
  const bool transparent = Engine->GetSkinBool("ButtonTransparentBool");
  frame.SetTransparent(transparent);
  if (!frame.Empty()) DrawNineSlice(&frame, canvas, client, transparent);

  auto* win = As<TWinControl>(Control);
  if (win && win->Focused()) {
    RECT focus = client;
    InflateRect(&focus, -5, -5);
    if (Pressed()) OffsetRect(&focus, 1, 1);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->DrawFocusRect(focus);
  }

  RECT text = client;
  if (Control->Is<TBitBtn>()) DrawBitBtnGlyph(&face, text);
  DrawCaptionText(&face, Control->Caption(), text, Control->Font());
}

void TzubSkinButton::DrawBitBtnGlyph(TBitmap* Target, RECT& TextRect) {
  auto* button = As<TBitBtn>(Control);
  if (!button || !button->Glyph()) return;
  POINT pos{};
  CalcBitBtnLayout(Target, pos, TextRect);
  TBitmap* glyph = button->Glyph();
  if (glyph->Width() == 0 || glyph->Height() == 0) return;
  const int count = std::max(button->NumGlyphs(), 1);
  const int index = std::min(button->Enabled() ? 1 : 2, count);
  TBitmap piece;
  CutStripPiece(glyph, &piece, count, index);
  piece.SetTransparent(true);
  if (Pressed()) {
    ++pos.x;
    ++pos.y;
  }
  Target->Canvas()->Draw(pos.x, pos.y, &piece);
}

void TzubSkinButton::CalcBitBtnLayout(TBitmap* Target, POINT& GlyphPos, RECT& TextRect) {
  auto* button = As<TBitBtn>(Control);
  if (!button) return;
  const UINT bidi = button->DrawTextBiDiModeFlags(0);
  const RECT client = button->ClientRect();
  const POINT clientSize{client.right - client.left, client.bottom - client.top};
  TCanvas* canvas = Target->Canvas();
  if (button->Font()) canvas->Font()->Assign(button->Font());

  TButtonLayout layout = button->Layout();
  if (bidi & DT_RIGHT) {
    if (layout == blGlyphLeft) layout = blGlyphRight;
    else if (layout == blGlyphRight) layout = blGlyphLeft;
  }
  TBitmap* glyph = button->Glyph();
  const int count = std::max(button->NumGlyphs(), 1);
  const POINT glyphSize = glyph && !glyph->Empty() ? POINT{glyph->Width() / count, glyph->Height()} : POINT{0, 0};

  const std::string caption = button->Caption();
  POINT textSize{0, 0};
  if (caption.empty()) {
    TextRect = {0, 0, 0, 0};
  } else {
    TextRect = {0, 0, clientSize.x, 0};
    canvas->TextExtent("");  // the font selected into the canvas
    DrawTextA(canvas->Handle(), caption.c_str(), -1, &TextRect, bidi | DT_CALCRECT);
    textSize = {TextRect.right - TextRect.left, TextRect.bottom - TextRect.top};
  }

  // Along the layout and across it.
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  auto along = [horizontal](POINT& p) -> LONG& { return horizontal ? p.x : p.y; };
  auto across = [horizontal](POINT& p) -> LONG& { return horizontal ? p.y : p.x; };
  POINT cs = clientSize, gs = glyphSize, ts = textSize, textPos{0, 0};
  across(GlyphPos) = (across(cs) - across(gs) + 1) / 2;
  across(textPos) = (across(cs) - across(ts) + 1) / 2;

  // Automatic values are worked out here, never written back into the button.
  int margin = button->Margin(), spacing = button->Spacing();
  if (textSize.x == 0 || glyphSize.x == 0) spacing = 0;
  if (margin == -1 && spacing == -1) {
    margin = (along(cs) - (along(gs) + along(ts))) / 3;
    spacing = margin;
  } else if (margin == -1) {
    margin = (along(cs) - (along(gs) + spacing + along(ts)) + 1) / 2;
  } else if (spacing == -1) {
    spacing = (along(cs) - (margin + along(gs)) - along(ts)) / 2;
  }

  switch (layout) {
    case blGlyphLeft:
    case blGlyphTop:
      along(GlyphPos) = margin;
      along(textPos) = along(GlyphPos) + along(gs) + spacing;
      break;
    case blGlyphRight:
    case blGlyphBottom:
      along(GlyphPos) = along(cs) - margin - along(gs);
      along(textPos) = along(GlyphPos) - spacing - along(ts);
      break;
  }
  GlyphPos.x += client.left;
  GlyphPos.y += client.top;
  OffsetRect(&TextRect, textPos.x + client.left, textPos.y + client.top);
}

// ---- The check box and the radio button ----

namespace {

// The skin's box over the platform's: frame 1 checked, 2 unchecked, 3 and 4 the same disabled.
void PaintBox(TzubSkinControl* skinner, TControl* control, const char* entry, bool checked, bool transparent,
              TAlignment alignment) {
  if (!control || !skinner->Engine) return;
  const int index = (control->Enabled() ? 0 : 2) + (checked ? 1 : 2);
  TBitmap box;
  skinner->Engine->GetSkinBitmap(entry, &box, 4, index);
  if (box.Empty() || box.Width() == 0 || box.Height() == 0) return;  // the platform's box stays
  box.SetTransparent(transparent);
  TBitmap back;
  back.SetSize(std::max(box.Width(), 13), std::max(box.Height(), 13));
  FillRectColor(back.Canvas(), {0, 0, back.Width(), back.Height()}, control->Color());
  back.Canvas()->Draw(0, 0, &box);
  const bool rtl = control->BiDiMode() == bdRightToLeft;
  const bool left = (alignment == taRightJustify && !rtl) || (alignment == taLeftJustify && rtl);
  const int x = left ? 0 : control->Width() - box.Width() - 1;
  const int y = (control->ClientHeight() - box.Height()) / 2;
  skinner->DrawBitmapAt(&back, {x, y});
}

}  // namespace

void TzubSkinCheckBox::AfterMessage(TMessage& Message) {
  TzubSkinControlVCL::AfterMessage(Message);
  if (!Detached && (Message.Msg == BM_SETCHECK || Message.Msg == WM_LBUTTONDBLCLK)) Paint();
}

void TzubSkinCheckBox::PaintSkin() {
  auto* box = As<TCustomCheckBox>(Control);
  if (box) PaintBox(this, box, "CheckBoxImage", box->State() == cbChecked, false, box->Alignment());
}

bool TzubSkinRadioButton::BeforeMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
      if (Control && Control->OnDblClick) Control->OnDblClick(Control);
      return false;
    case WM_ERASEBKGND:
      Message.Result = 1;
      return false;
  }
  return true;
}

void TzubSkinRadioButton::AfterMessage(TMessage& Message) {
  TzubSkinControlVCL::AfterMessage(Message);
  if (!Detached && Message.Msg == BM_SETCHECK) Paint();
}

void TzubSkinRadioButton::PaintSkin() {
  auto* radio = As<TRadioButton>(Control);
  if (radio) PaintBox(this, radio, "RadioButtonImage", radio->Checked(), true, radio->Alignment());
}
