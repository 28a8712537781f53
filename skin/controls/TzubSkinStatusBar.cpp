#include "TzubSkinStatusBar.h"

#include "ComCtrls.h"

DEFINE_CLASS(TzubSkinStatusBar, TzubSkinControlVCL, ({}))

void TzubSkinStatusBar::PaintSkin() {
  auto* bar = As<TStatusBar>(Control);
  if (!bar || !bar->SizeGrip() || !bar->HandleAllocated()) return;
  const int w = bar->Width(), h = bar->Height();
  const RECT g{w - 16, h - 15, w - 1, h - 1};
  // A canvas of our own, whose DC goes back when the paint ends; the bar's keeps its DC.
  TControlCanvas own;
  own.SetControl(bar);
  TCanvas* canvas = &own;
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(bar->Color());
  canvas->FillRect(g);
  canvas->Pen()->SetStyle(psSolid);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetColor(clInactiveCaption);
  for (int step : {0, 4, 8, 12}) {
    canvas->MoveTo(g.left + 1 + step, g.bottom);
    canvas->LineTo(g.right, g.top + step);
  }
  if (h - 15 > 3) canvas->FillRect({w - 16, 3, w - 1, h - 15});
  canvas->FillRect({w - 20, 3, w - 16, h - 1});
}
