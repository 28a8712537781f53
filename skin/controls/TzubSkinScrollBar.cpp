#include "TzubSkinScrollBar.h"

#include "StdCtrls.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinStdCtrlPaint.h"
#include "ZUBSkinUtils.h"

using namespace zubskin;

DEFINE_CLASS(TzubSkinScrollBar, TzubSkinControlVCL, ({}))

void TzubSkinScrollBar::SkinStateChanged() {
  TzubSkinControlVCL::SkinStateChanged();
  if (auto* bar = As<TScrollBar>(Control)) bar->SetTabStop(false);
}

void TzubSkinScrollBar::AfterMessage(TMessage& Message) {
  TzubSkinControlVCL::AfterMessage(Message);
  if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL || Message.Msg == SBM_SETSCROLLINFO) Paint();
}

void TzubSkinScrollBar::PaintSkin() {
  auto* bar = As<TScrollBar>(Control);
  if (!bar || !bar->HandleAllocated() || !Engine->DrawScrollBar) return;
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (!zubskin::GetScrollBarInfo(bar->Handle(), OBJID_CLIENT, &info)) return;
  const int w = bar->Width(), h = bar->Height();
  TBitmap bitmap;
  PrepareBitmap(&bitmap, w, h, bar->ClientRect(), SkinColor(Engine, "ScrollBarBackgroundColor"));
  TCanvas* canvas = bitmap.Canvas();
  const TzubSkinScrollBtnRes* pieces = Engine->FScrollBtnRes.get();
  auto stretch = [&](TBitmap* image, const RECT& r) {
    if (image && !image->Empty()) canvas->StretchDraw(r, image);
  };
  if (pieces && bar->Kind() == sbHorizontal) {
    stretch(pieces->GetTurnedButtonImage(1), {0, 0, 16, h});
    stretch(pieces->GetTurnedButtonImage(4), {w - 16, 0, w, h});
    stretch(pieces->GetSliderImage(), {info.xyThumbTop, 0, info.xyThumbBottom, h});
  } else if (pieces) {
    stretch(pieces->GetButtonImage(1), {0, 0, w, 16});
    stretch(pieces->GetButtonImage(4), {0, h - 16, w, h});
    if (TBitmap* slider = pieces->GetTurnedSliderImage())
      DrawThreePartVert(slider, canvas, {0, info.xyThumbTop, w, info.xyThumbBottom}, false);
  }
  HWND window = bar->Handle();
  if (HDC dc = GetWindowDC(window)) {
    BitBlt(dc, 0, 0, w, h, canvas->Handle(), 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
  }
}
