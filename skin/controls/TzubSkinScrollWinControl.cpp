#include "TzubSkinScrollWinControl.h"

#include <windowsx.h>

#include <algorithm>

#include "Forms.h"
#include "Mask.h"
#include "StdCtrls.h"
#include "TzubSkinEngine.h"
#include "TzubSkinWindow.h"
#include "ZUBSkinStdCtrlGeometry.h"
#include "ZUBSkinUtils.h"

DEFINE_CLASS(TzubSkinInternalScrollBar, TCustomPanel, ({}))
DEFINE_CLASS(TzubSkinScrollWinControl, TzubSkinBorderWinControl, ({}))

// ---- TzubSkinInternalScrollBar ----

TzubSkinInternalScrollBar::TzubSkinInternalScrollBar(TComponent* AOwner)
    : TCustomPanel(AOwner), Bitmap(std::make_unique<TBitmap>()) {}

TzubSkinInternalScrollBar::~TzubSkinInternalScrollBar() {
  Bitmap.reset();
  Control = nullptr;
  if (Skinner && !Skinner->Detached) (BarKind == 0 ? Skinner->VertBar : Skinner->HorzBar) = nullptr;
}

void TzubSkinInternalScrollBar::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // every press counts: quick clicks on an arrow each scroll
    case WM_LBUTTONUP: {
      TCustomPanel::WndProc(Message);
      const DWORD pos = GetMessagePos();
      ReleaseCapture();
      auto* control = Control;
      if (control && control->HandleAllocated())
        SendMessageA(control->Handle(), Message.Msg == WM_LBUTTONUP ? WM_NCLBUTTONUP : WM_NCLBUTTONDOWN,
                     BarKind == 0 ? HTVSCROLL : HTHSCROLL, static_cast<LPARAM>(pos));
      return;
    }
  }
  TCustomPanel::WndProc(Message);
}

void TzubSkinInternalScrollBar::Paint() {
  if (Bitmap && !Bitmap->Empty()) {
    Canvas()->Draw(0, 0, Bitmap.get());
    return;
  }
  SetVisible(false);
  TCustomPanel::Paint();
}

// ---- TzubSkinScrollWinControl ----

TzubSkinScrollWinControl::~TzubSkinScrollWinControl() {
  if (!Detached) Detach();
}

TzubSkinInternalScrollBar* TzubSkinScrollWinControl::NewBar(int32_t Kind) {
  auto* bar = Create<TzubSkinInternalScrollBar>(Engine);
  bar->Skinner = this;
  bar->BarKind = Kind;
  bar->Control = As<TWinControl>(Control);
  try {
    TWinControl* parent = Control->Parent();
    if (!parent && Window) parent = zubskin::FindFormByHandle(Window->GetHandle());
    bar->SetParent(parent);
    bar->SetVisible(false);
  } catch (...) {
    bar->Skinner = nullptr;
    bar->Free();
    return nullptr;
  }
  return bar;
}

void TzubSkinScrollWinControl::AfterAttach() {
  TzubSkinBorderWinControl::AfterAttach();
  VertBar = HorzBar = nullptr;
  if (!Engine || Engine->ComponentState().Contains(csDesigning) || !Control) return;
  if (Control->Is<TControlBar>() || Control->Is<TCustomMaskEdit>()) return;
  if (Control->Is<TCustomEdit>() && !(GetWindowLongPtrA(GetControlHandle(), GWL_STYLE) & ES_MULTILINE)) return;
  VertBar = NewBar(0);
  HorzBar = NewBar(1);
}

void TzubSkinScrollWinControl::Detach() {
  TzubSkinBorderWinControl::Detach();
  if (VertBar) std::exchange(VertBar, nullptr)->Free();
  if (HorzBar) std::exchange(HorzBar, nullptr)->Free();
}

bool TzubSkinScrollWinControl::OverlaysWanted() {
  return IsSkinning() && Engine->DrawScrollBar && Control && Control->Visible();
}

void TzubSkinScrollWinControl::HideBars() {
  for (TzubSkinInternalScrollBar* bar : {VertBar, HorzBar})
    if (bar) bar->SetVisible(false);
}

void TzubSkinScrollWinControl::SkinStateChanged() {
  TzubSkinBorderWinControl::SkinStateChanged();
  if (!OverlaysWanted())
    HideBars();
  else if (auto* win = As<TWinControl>(Control); win && win->HandleAllocated())
    PaintScrollBars();
}

void TzubSkinScrollWinControl::AfterMessage(TMessage& Message) {
  TzubSkinBorderWinControl::AfterMessage(Message);
  switch (Message.Msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (Message.LParam == 0) tracking_[Message.Msg == WM_VSCROLL ? 0 : 1] = LOWORD(Message.WParam) == SB_THUMBTRACK;
      Paint();
      break;
    case CM_VISIBLECHANGED:
      SkinStateChanged();
      break;
  }
}

void TzubSkinScrollWinControl::PaintSkin() {
  PaintBorder();
  if (auto* win = As<TWinControl>(Control); win && win->HandleAllocated()) PaintScrollBars();
}

void TzubSkinScrollWinControl::PaintScrollBars() {
  if (!OverlaysWanted()) {
    HideBars();
    return;
  }
  for (TzubSkinInternalScrollBar* bar : {VertBar, HorzBar})
    if (bar && bar->Bitmap) PlaceBar(bar);
}

void TzubSkinScrollWinControl::PlaceBar(TzubSkinInternalScrollBar* bar) {
  const bool vertical = bar->BarKind == 0;
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  // A bit set: an absent bar reads invisible and off screen together.
  if (!zubskin::GetScrollBarInfo(GetControlHandle(), vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info) ||
      (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
    bar->SetVisible(false);
    return;
  }
  TWinControl* parent = bar->Parent();
  if (!parent) return;
  TBitmap* bitmap = bar->Bitmap.get();
  bitmap->Canvas()->Brush()->SetColor(Engine->GetSkinInt("ScrollBarBackgroundColor"));
  RECT r = info.rcScrollBar;
  MapWindowPoints(nullptr, parent->Handle(), reinterpret_cast<POINT*>(&r), 2);
  if (r.left > r.right || r.bottom < r.top) return;
  bar->BringToFront();
  bar->SetVisible(true);
  bar->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  const int w = bar->Width(), h = bar->Height();
  bitmap->SetSize(w, h);
  TCanvas* canvas = bitmap->Canvas();
  canvas->FillRect({0, 0, w, h});
  TzubSkinScrollBtnRes* res = Engine->FScrollBtnRes.get();
  auto stretch = [&](TBitmap* piece, const RECT& to) {
    if (piece && !piece->Empty()) canvas->StretchDraw(to, piece);
  };
  const bool thumb = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
  SCROLLINFO scroll{sizeof scroll, SIF_ALL, 0, 0, 0, 0, 0};
  if (tracking_[vertical ? 0 : 1] && GetScrollInfo(GetControlHandle(), vertical ? SB_VERT : SB_HORZ, &scroll)) {
    // Wine reports the thumb's length as dxyLineButton: the arrows' length comes from the metrics.
    const int length = vertical ? h : w, thumbLength = info.xyThumbBottom - info.xyThumbTop;
    const int arrow = std::min(GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL), length / 2);
    info.xyThumbTop = zubskin::TrackedThumbTop(length, arrow, info.xyThumbTop, thumbLength, scroll.nMin, scroll.nMax,
                                               scroll.nPage, scroll.nPos, scroll.nTrackPos);
    info.xyThumbBottom = info.xyThumbTop + thumbLength;
  }
  if (vertical) {
    if (res) {
      stretch(res->GetButtonImage(1), {0, 0, w, 16});
      stretch(res->GetButtonImage(4), {0, h - 16, w, h});
      TBitmap* slider = res->GetTurnedSliderImage();
      if (thumb && slider && !slider->Empty())
        zubskin::DrawThreePartVert(slider, canvas, {0, info.xyThumbTop, std::min(slider->Width(), 16), info.xyThumbBottom},
                                   false);
    }
  } else if (res) {
    stretch(res->GetTurnedButtonImage(1), {0, 0, 16, h});
    stretch(res->GetTurnedButtonImage(4), {w - 16, 0, w, h});
    TBitmap* slider = res->GetSliderImage();
    if (thumb && slider && !slider->Empty())
      zubskin::DrawThreePartHorz(slider, canvas, {info.xyThumbTop, 0, info.xyThumbBottom, std::min(slider->Height(), 16)},
                                 false);
  }
  bar->Repaint();
}
