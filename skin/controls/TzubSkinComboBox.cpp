#include "TzubSkinComboBox.h"

#include "StdCtrls.h"
#include "ZUBSkinStdCtrlPaint.h"
#include "ZUBSkinUtils.h"

using namespace zubskin;

DEFINE_CLASS(TzubSkinComboBox, TzubSkinControlVCL, ({}))

void TzubSkinComboBox::PaintSkin() {
  auto* combo = As<TCustomComboBox>(Control);
  if (!combo || !combo->HandleAllocated() || combo->Style() == csSimple) return;
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!zubskin::GetComboBoxInfo(combo->Handle(), &info)) return;
  const TColor border = SkinColor(Engine, "ControlBorderColor");

  TControlCanvas canvas;
  canvas.SetControl(combo);
  RECT r = combo->ClientRect();
  FrameRectColor(&canvas, r, border);
  InflateRect(&r, -1, -1);
  FrameRectColor(&canvas, r, SkinColor(Engine, "ControlBackgroundColor"));

  if (combo->DroppedDown() && info.hwndList) {
    RECT list;
    GetWindowRect(info.hwndList, &list);
    TCanvas screen;
    HDC dc = GetDC(nullptr);
    screen.SetHandle(dc);
    FrameRectColor(&screen, list, border);
    screen.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
  }

  const RECT b = info.rcButton;
  FillRectColor(&canvas, b, SkinColor(Engine, "FormBackgroundColor"));
  const int x = combo->BiDiMode() == bdRightToLeft ? b.right : b.left;
  canvas.Pen()->SetColor(border);
  canvas.MoveTo(x, b.top - 1);
  canvas.LineTo(x, b.bottom + 1);
  DrawArrowDown(&canvas, b.left + (b.right - b.left) / 2 - 3, (b.bottom - b.top) / 2, combo->Enabled());
}
