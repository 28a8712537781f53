#include "Frames.h"

#include <algorithm>

namespace {

constexpr int kLineStep = 8;  // pixels per arrow click

// Moves the children so that the bar's position becomes pos, within its range.
void ScrollTo(TWinControl* w, int bar, int pos) {
  HWND wnd = w->Handle();
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(wnd, bar, &si);
  pos = std::clamp(pos, 0, std::max(0, si.nMax - static_cast<int>(si.nPage) + 1));
  int delta = si.nPos - pos;
  if (delta == 0) return;
  for (int i = 0; i < w->ControlCount(); ++i) {
    TControl* c = w->Controls(i);
    if (bar == SB_HORZ) c->SetLeft(c->Left() + delta);
    else c->SetTop(c->Top() + delta);
  }
  SetScrollPos(wnd, bar, pos, TRUE);
  w->Invalidate();
}

// Ranges from the children's extent; a bar shows only while they reach past the client area.
// Twice round: one bar appearing narrows the room of the other.
void UpdateScrollRanges(TWinControl* w, bool& busy) {
  if (!w->HandleAllocated() || busy) return;
  busy = true;
  HWND wnd = w->Handle();
  for (int round = 0; round < 2; ++round) {
    for (int bar : {SB_HORZ, SB_VERT}) {
      int pos = GetScrollPos(wnd, bar);
      int extent = 0;
      for (int i = 0; i < w->ControlCount(); ++i) {
        TControl* c = w->Controls(i);
        if (c->Visible()) extent = std::max(extent, (bar == SB_HORZ ? c->Left() + c->Width() : c->Top() + c->Height()) + pos);
      }
      RECT client;
      GetClientRect(wnd, &client);
      int page = bar == SB_HORZ ? client.right : client.bottom;
      if (extent <= page) ScrollTo(w, bar, 0);
      SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, std::max(extent - 1, 0), static_cast<UINT>(page), 0, 0};
      SetScrollInfo(wnd, bar, &si, TRUE);
    }
  }
  busy = false;
}

// A new window starts unscrolled: the children go back to their places first.
void Unscroll(TWinControl* w) {
  ScrollTo(w, SB_HORZ, 0);
  ScrollTo(w, SB_VERT, 0);
}

// WM_HSCROLL / WM_VSCROLL from the window's own bars (a scroll bar control's come reflected).
bool HandleScroll(TWinControl* w, TMessage& m) {
  if ((m.Msg != WM_HSCROLL && m.Msg != WM_VSCROLL) || m.LParam != 0) return false;
  int bar = m.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(w->Handle(), bar, &si);
  int pos = si.nPos;
  switch (LOWORD(m.WParam)) {
    case SB_LINEUP: pos -= kLineStep; break;
    case SB_LINEDOWN: pos += kLineStep; break;
    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: break;
  }
  ScrollTo(w, bar, pos);
  m.Result = 0;
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TCustomFrame

DEFINE_CLASS(TCustomFrame, TScrollingWinControl, ({}))
DEFINE_COMPONENT(TFrame, TCustomFrame, ({}), ({}))

TCustomFrame::TCustomFrame(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  ownPaint_ = true;  // the background and the graphic children
  SetBounds(0, 0, 320, 240);
}

void TCustomFrame::CreateParams(TCreateParams& p) {
  TScrollingWinControl::CreateParams(p);
  p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TCustomFrame::InitializeWnd() { UpdateScrollRanges(this, scrolling_); }

void TCustomFrame::DestroyWnd() {
  Unscroll(this);
  TScrollingWinControl::DestroyWnd();
}

void TCustomFrame::Loaded() {
  TScrollingWinControl::Loaded();
  UpdateScrollRanges(this, scrolling_);
}

void TCustomFrame::WndProc(TMessage& m) {
  if (HandleScroll(this, m)) return;
  TScrollingWinControl::WndProc(m);
  if (m.Msg == WM_SIZE) UpdateScrollRanges(this, scrolling_);
}

// ---------------------------------------------------------------------------------------------
// TScrollBox

DEFINE_COMPONENT(TScrollBox, TScrollingWinControl,
                 ({Prop<&TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle>("BorderStyle", &BorderStyleType)}),
                 ({}))

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  ownPaint_ = true;  // the background and the graphic children
  SetBounds(0, 0, 185, 41);
}

void TScrollBox::CreateParams(TCreateParams& p) {
  TScrollingWinControl::CreateParams(p);
  p.ExStyle |= WS_EX_CONTROLPARENT;
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::SetBorderStyle(TBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TScrollBox::InitializeWnd() { UpdateScrollRanges(this, scrolling_); }

void TScrollBox::DestroyWnd() {
  Unscroll(this);
  TScrollingWinControl::DestroyWnd();
}

void TScrollBox::Loaded() {
  TScrollingWinControl::Loaded();
  UpdateScrollRanges(this, scrolling_);
}

void TScrollBox::WndProc(TMessage& m) {
  if (HandleScroll(this, m)) return;
  TScrollingWinControl::WndProc(m);
  if (m.Msg == WM_SIZE) UpdateScrollRanges(this, scrolling_);
}
