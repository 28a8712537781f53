#include "TzubSkinGroupBox.h"

#include "ZUBSkinStdCtrlPaint.h"
#include "ZUBSkinUtils.h"

using namespace zubskin;

DEFINE_CLASS(TzubSkinGroupBox, TzubSkinControlVCL, ({}))

void TzubSkinGroupBox::PaintSkin() {
  if (!Control || !GetControlHandle()) return;
  TControlCanvas canvas;
  canvas.SetControl(Control);
  canvas.SetFont(Control->Font());
  const int h = canvas.TextHeight("0");
  const RECT frame{0, h / 2 - 1, Control->Width() - 1, Control->Height() - 1};
  FrameRectColor(&canvas, frame, SkinColor(Engine, "ControlBorderColor"));

  const std::string caption = Control->Caption();
  if (caption.empty()) return;
  const int left = Control->UseRightToLeftAlignment() ? frame.right - canvas.TextWidth(caption) - 8 : 8;
  RECT text{left, 0, left, h};
  const UINT flags = Control->DrawTextBiDiModeFlags(DT_SINGLELINE);
  HDC dc = canvas.Handle();
  DrawTextA(dc, caption.c_str(), -1, &text, flags | DT_CALCRECT);
  // An opaque background in the box's colour hides the frame line behind the text.
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ColorToRGB(Control->Color()));
  SetTextColor(dc, ColorToRGB(Control->Font()->Color()));
  DrawTextA(dc, caption.c_str(), -1, &text, flags);
}
