#include "TzubSkinWndTabControl.h"

#include <commctrl.h>

#include "Graphics.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinStdCtrlPaint.h"
#include "ZUBSkinUtils.h"

DEFINE_CLASS(TzubSkinWndTabControl, TzubSkinControlWnd, ({}))

namespace {
int FirstTabHeight(HWND tab) {
  RECT r{};
  if (!SendMessageA(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return 0;
  return r.bottom - r.top;
}
}  // namespace

void TzubSkinWndTabControl::AfterAttach() {
  TzubSkinControlWnd::AfterAttach();
  SavedItemHeight = Handle ? FirstTabHeight(Handle) : 0;
}

// The height is taken once: taken again it would be the skinned one after a skin reload.
void TzubSkinWndTabControl::SkinStateChanged() {
  TzubSkinControlWnd::SkinStateChanged();
  if (!Handle) return;
  if (IsSkinning()) {
    SendMessageA(Handle, TCM_SETITEMSIZE, 0, 0);
    sizeApplied_ = true;
  } else if (sizeApplied_) {
    SendMessageA(Handle, TCM_SETITEMSIZE, 0, MAKELPARAM(0, SavedItemHeight));
    sizeApplied_ = false;
  }
}

bool TzubSkinWndTabControl::BeforeMessage(TMessage& Message) { return !zubskin::AnswerPaintMessages(this, Message); }

void TzubSkinWndTabControl::PaintSkin() {
  if (!Engine || !Handle) return;
  const int w = GetWndWidth(), h = GetWndHeight();
  if (w <= 0 || h <= 0) return;
  TBitmap buffer;
  buffer.SetSize(w, h);
  TCanvas* canvas = buffer.Canvas();
  const TColor background = Engine->GetSkinInt("FormBackgroundColor");
  zubskin::FillRectColor(canvas, {0, 0, w, h}, background);
  canvas->Brush()->SetColor(background);
  canvas->Pen()->SetColor(Engine->GetSkinInt("ControlBorderColor"));

  RECT d{0, 0, w, h};
  SendMessageA(Handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&d));
  InflateRect(&d, 2, 2);
  canvas->Rectangle(d);  // the page frame

  const int current = static_cast<int>(SendMessageA(Handle, TCM_GETCURSEL, 0, 0));
  const int count = static_cast<int>(SendMessageA(Handle, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT r{};
    SendMessageA(Handle, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    PaintTab(&buffer, i, i == current, r);
  }

  canvas->Pen()->SetColor(background);  // the frame's top edge goes between its corners
  canvas->MoveTo(d.left + 1, d.top);
  canvas->LineTo(d.right - 1, d.top);
  TBitmap bar;
  Engine->GetSkinBitmap("TabControlBarImage", &bar);
  if (!bar.Empty()) canvas->StretchDraw({d.left, d.top - 1, d.right, d.top - 1 + bar.Height()}, &bar);

  HDC dc = GetWindowDC(Handle);
  if (!dc) return;
  BitBlt(dc, 0, 0, w, h, canvas->Handle(), 0, 0, SRCCOPY);
  ReleaseDC(Handle, dc);
}

void TzubSkinWndTabControl::PaintTab(TBitmap* Buffer, int Index, bool Selected, const RECT& R) {
  const int w = R.right - R.left, h = R.bottom - R.top;
  if (w <= 0 || h <= 0) return;
  TBitmap image;
  Engine->GetSkinBitmap("TabControlTabImage", &image, 2, Selected ? 1 : 2);
  const bool transparent = !image.Empty() && ColorToRGB(image.Canvas()->Pixels(0, 0)) == 0xFF00FF;
  TBitmap tab;
  tab.SetSize(w, h);
  if (!image.Empty()) {
    if (h > image.Height() + 1)
      zubskin::DrawThreePartHorz(&image, tab.Canvas(), {0, h - image.Height() - 1, w, h - 1}, transparent);
    zubskin::DrawThreePartHorz(&image, tab.Canvas(), {0, 0, w, image.Height()}, transparent);
  }
  tab.SetTransparent(transparent);

  char text[260] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(Handle, TCM_GETITEMA, Index, reinterpret_cast<LPARAM>(&item));

  TCanvas* canvas = tab.Canvas();
  zubskin::SetMenuFont(canvas->Font());
  canvas->Brush()->SetStyle(bsClear);
  HDC dc = canvas->Handle();
  SIZE extent{};
  GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &extent);
  RECT textRect{(w - extent.cx) / 2, 2, w, h};
  DrawTextA(dc, text, -1, &textRect, DT_SINGLELINE | DT_VCENTER);
  Buffer->Canvas()->Draw(R.left, R.top, &tab);
}
