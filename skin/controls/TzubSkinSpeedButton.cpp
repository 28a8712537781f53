#include "TzubSkinSpeedButton.h"

#include "Buttons.h"
#include "ZUBSkinStdCtrlGeometry.h"
#include "ZUBSkinStdCtrlPaint.h"
#include "ZUBSkinUtils.h"

using namespace zubskin;

DEFINE_CLASS(TzubSkinSpeedButton, TzubSkinControlVCL, ({}))

bool TzubSkinSpeedButton::BeforeMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      State |= zsPressed;
      PaintSkin();
      return true;
    case WM_PAINT:
      // The button's own painting never runs while skinning. The parent composes its graphic
      // controls off screen and hands over that DC: painting elsewhere would be covered.
      if (Message.WParam) {
        TCanvas canvas;
        canvas.SetHandle(reinterpret_cast<HDC>(Message.WParam));
        PaintOn(&canvas);
        canvas.SetHandle(nullptr);
      } else {
        PaintSkin();
      }
      Message.Result = 0;
      return false;
    default:
      return true;
  }
}

void TzubSkinSpeedButton::PaintSkin() {
  if (!Control || !Control->Parent() || !Control->Parent()->HandleAllocated()) return;
  TControlCanvas canvas;
  canvas.SetControl(Control);
  PaintOn(&canvas);
}

void TzubSkinSpeedButton::PaintOn(TCanvas* Canvas) {
  auto* button = As<TSpeedButton>(Control);
  if (!button) return;
  TCanvas& canvas = *Canvas;
  const RECT client = button->ClientRect();
  const bool enabled = button->Enabled();
  const bool pressed = Pressed();
  if ((pressed && enabled) || button->Down() || (Hot() && enabled)) {
    const bool down = (pressed && enabled) || button->Down();
    canvas.Brush()->SetColor(SkinColor(Engine, down ? "ToolBarButtonDownBackgroundColor" : "ToolBarButtonBackgroundColor"));
    canvas.Pen()->SetColor(SkinColor(Engine, "ControlBorderColor"));
    canvas.Rectangle(client);
  } else {
    FillRectColor(&canvas, client, SkinColor(Engine, "FormBackgroundColor"));
  }

  // The layout, worked out here: the button's Margin and Spacing stay as they are.
  canvas.SetFont(button->Font());
  const UINT flags = button->DrawTextBiDiModeFlags(DT_LEFT);
  const std::string caption = button->Caption();
  RECT bounds{0, 0, client.right - client.left, 0};
  if (!caption.empty()) DrawTextA(canvas.Handle(), caption.c_str(), -1, &bounds, flags | DT_CALCRECT);
  else bounds = {0, 0, 0, 0};
  TBitmap* glyph = button->Glyph();
  const int frames = button->NumGlyphs() > 0 ? button->NumGlyphs() : 1;
  const int glyphW = glyph->Empty() ? 0 : glyph->Width() / frames, glyphH = glyph->Empty() ? 0 : glyph->Height();
  const SpeedButtonPlacement place =
      SpeedButtonLayout(ToSkinRect(client), glyphW, glyphH, bounds.right - bounds.left, bounds.bottom - bounds.top,
                        button->Layout(), (flags & DT_RIGHT) != 0, button->Margin(), button->Spacing());
  const int shift = pressed ? 1 : 0;

  if (glyphW > 0 && glyphH > 0) {
    TBitmap frame;
    CutStripPiece(glyph, &frame, frames, std::min(enabled ? 1 : 2, frames));
    frame.SetTransparent(true);
    canvas.Draw(place.glyph.x + shift, place.glyph.y + shift, &frame);
  }
  RECT text = ToRect(place.text);
  OffsetRect(&text, shift, shift);
  canvas.Brush()->SetStyle(bsClear);
  DrawTextA(canvas.Handle(), caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}
