#include "TzubSkinWndComboBox.h"

#include "Graphics.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinUtils.h"

DEFINE_CLASS(TzubSkinWndComboBox, TzubSkinBorderWndControl, ({}))

void TzubSkinWndComboBox::PaintSkin() {
  if (!Engine || !Handle) return;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;  // the platform's own size: 52 bytes on i686, 64 on x86_64
  if (!zubskin::GetComboBoxInfo(Handle, &info)) return;
  TzubSkinBorderWndControl::PaintSkin();
  HDC dc = GetWindowDC(Handle);
  if (!dc) return;
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    const RECT b = info.rcButton;
    zubskin::FillRectColor(&canvas, b, Engine->GetSkinInt("FormBackgroundColor"));
    canvas.Pen()->SetColor(Engine->GetSkinInt("ControlBorderColor"));
    canvas.MoveTo(b.left, b.top - 1);
    canvas.LineTo(b.left, b.bottom + 1);
    zubskin::DrawArrowDown(&canvas, b.left + (b.right - b.left) / 2 - 3, (b.bottom - b.top) / 2, true);
    canvas.SetHandle(nullptr);
  }
  ReleaseDC(Handle, dc);
}
