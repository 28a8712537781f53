#include "TzubSkinUpDown.h"

#include "TrackBar.h"
#include "ZUBSkinStdCtrlGeometry.h"
#include "ZUBSkinStdCtrlPaint.h"
#include "ZUBSkinUtils.h"

using namespace zubskin;

DEFINE_CLASS(TzubSkinUpDown, TzubSkinControlVCL, ({}))

bool TzubSkinUpDown::BeforeMessage(TMessage& Message) {
  auto* upDown = As<TCustomUpDown>(Control);
  if (!upDown) return true;
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      FPressedHalf = UpDownHalfAt(upDown->Width(), upDown->Height(), upDown->Orientation() == udHorizontal,
                                  LOWORD(Message.LParam), HIWORD(Message.LParam));
      break;
    case WM_LBUTTONUP:
      FPressedHalf = 0;
      break;
    case WM_LBUTTONDBLCLK:
      PaintSkin();
      break;
  }
  return true;
}

void TzubSkinUpDown::PaintSkin() {
  auto* upDown = As<TCustomUpDown>(Control);
  if (!upDown || !upDown->HandleAllocated()) return;
  const int w = upDown->Width(), h = upDown->Height();
  const bool horizontal = upDown->Orientation() == udHorizontal;
  TBitmap bitmap;
  bitmap.SetSize(w, h);
  TCanvas* canvas = bitmap.Canvas();
  canvas->Pen()->SetColor(SkinColor(Engine, "ControlBorderColor"));
  for (int half : {-1, 1}) {
    const SkinRect r = UpDownHalf(w, h, horizontal, half);
    const bool pressed = FPressedHalf == half;
    canvas->Brush()->SetColor(SkinColor(Engine, pressed ? "ToolBarButtonDownBackgroundColor" : "FormBackgroundColor"));
    canvas->Rectangle(ToRect(r));
    const SkinPoint at = UpDownArrowAt(r, horizontal, half);
    const int x = at.x + pressed, y = at.y + pressed;
    const bool enabled = upDown->Enabled();
    if (horizontal) (half < 0 ? DrawArrowLeft : DrawArrowRight)(canvas, x, y, enabled);
    else (half < 0 ? DrawArrowUp : DrawArrowDown)(canvas, x, y, enabled);
  }
  CopyToClient(upDown->Handle(), &bitmap);
}
