#include "TzubSkinTabControl.h"

#include <algorithm>
#include <commctrl.h>

#include "ImgList.h"
#include "TabControls.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinStdCtrlGeometry.h"
#include "ZUBSkinStdCtrlPaint.h"
#include "ZUBSkinUtils.h"

using namespace zubskin;

DEFINE_CLASS(TzubSkinTabControl, TzubSkinControlVCL, ({}))

bool TzubSkinTabControl::BeforeMessage(TMessage& Message) { return !AnswerPaintMessages(this, Message); }

void TzubSkinTabControl::AfterAttach() {
  TzubSkinControlVCL::AfterAttach();
  if (auto* tabs = As<TCustomTabControl>(Control)) FSavedTabHeight = static_cast<int16_t>(tabs->TabHeight());
}

// Saved on the first switch on only: a repeated switch on would save the skinned height.
void TzubSkinTabControl::SkinStateChanged() {
  TzubSkinControlVCL::SkinStateChanged();
  auto* tabs = As<TCustomTabControl>(Control);
  if (!tabs) return;
  if (IsSkinning()) {
    if (!applied_) FSavedTabHeight = static_cast<int16_t>(tabs->TabHeight());
    applied_ = true;
    tabs->SetTabHeight(0);
  } else if (applied_) {
    applied_ = false;
    tabs->SetTabHeight(FSavedTabHeight);
  }
}

int TzubSkinTabControl::TabImageIndex(int Index) {
  auto* pages = As<TPageControl>(Control);
  if (!pages) return Index;
  for (int i = 0; i < pages->PageCount(); ++i)
    if (pages->Pages(i)->TabIndex() == Index) return pages->Pages(i)->ImageIndex();
  return -1;
}

void TzubSkinTabControl::PaintSkin() {
  auto* tabs = As<TCustomTabControl>(Control);
  if (!tabs || !tabs->HandleAllocated()) return;
  HWND window = tabs->Handle();
  const RECT client = tabs->ClientRect();
  const TColor background = SkinColor(Engine, "FormBackgroundColor");
  TBitmap bitmap;
  PrepareBitmap(&bitmap, tabs->Width(), tabs->Height(), client, background);
  TCanvas* canvas = bitmap.Canvas();

  RECT page = client;
  SendMessageA(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  InflateRect(&page, 2, 2);
  canvas->Pen()->SetColor(SkinColor(Engine, "ControlBorderColor"));
  canvas->Brush()->SetColor(background);
  canvas->Rectangle(page);

  const int count = static_cast<int>(SendMessageA(window, TCM_GETITEMCOUNT, 0, 0));
  const int current = static_cast<int>(SendMessageA(window, TCM_GETCURSEL, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT item{};
    if (SendMessageA(window, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item))) PaintTab(&bitmap, i, i == current, item);
  }

  const SkinSide side = static_cast<SkinSide>(tabs->TabPosition());  // tpTop, tpBottom, tpLeft, tpRight
  const SkinLine edge = TabEdgeLine(ToSkinRect(page), side);
  canvas->Pen()->SetColor(background);
  canvas->MoveTo(edge.from.x, edge.from.y);
  canvas->LineTo(edge.to.x, edge.to.y);
  TBitmap bar;
  Engine->GetSkinBitmap("TabControlBarImage", &bar);
  if (side == SkinSide::Bottom) RotateBitmap180(&bar);
  else if (side == SkinSide::Left) RotateBitmapLeft(&bar);
  else if (side == SkinSide::Right) RotateBitmapRight(&bar);
  if (!bar.Empty()) canvas->StretchDraw(ToRect(TabBarRect(ToSkinRect(page), side, bar.Width(), bar.Height())), &bar);

  // Through a DC given back at once; the control's canvas would keep its DC.
  CopyToClient(window, &bitmap);
}

void TzubSkinTabControl::PaintTab(TBitmap* Bitmap, int Index, bool Selected, const RECT& ItemRect) {
  auto* tabs = As<TCustomTabControl>(Control);
  TBitmap piece;
  Engine->GetSkinBitmap("TabControlTabImage", &piece, 2, Selected ? 1 : 2);
  const bool transparent = !piece.Empty() && piece.Canvas()->Pixels(0, 0) == TColor(0xFF00FF);
  const TTabPosition position = tabs->TabPosition();
  const bool sideways = position == tpLeft || position == tpRight;
  const int itemW = ItemRect.right - ItemRect.left, itemH = ItemRect.bottom - ItemRect.top;
  const int w = sideways ? itemH : itemW, h = sideways ? itemW : itemH;
  if (w <= 0 || h <= 0) return;

  TBitmap tab;
  tab.SetSize(w, h);
  TCanvas* canvas = tab.Canvas();
  if (!piece.Empty()) {
    if (h > piece.Height() + 1)
      DrawThreePartHorz(&piece, canvas, {0, h - piece.Height() - 1, w, h - 1}, false);
    DrawThreePartHorz(&piece, canvas, {0, 0, w, piece.Height()}, false);
  }

  const std::string text = Index < tabs->Tabs()->Count() ? tabs->Tabs()->Strings(Index) : std::string();
  canvas->SetFont(tabs->Font());
  const SIZE extent = canvas->TextExtent(text);
  RECT textRect{(w - extent.cx) / 2, 2, w, h};
  if (position == tpBottom) RotateBitmap180(&tab);

  TCustomImageList* images = tabs->Images();
  const int image = images ? TabImageIndex(Index) : -1;
  if (images && image >= 0 && image < images->Count()) {
    const int x = (w - extent.cx - images->Width() - 4) / 2;
    const int y = std::max<int>((h - std::max<int>(extent.cy, images->Height())) / 2, position == tpBottom ? 1 : 0);
    images->Draw(canvas, x, position == tpBottom ? y : y + 1, image, true);
    textRect.left = x + images->Width() + 4;
  }
  canvas->Brush()->SetStyle(bsClear);
  DrawTextA(canvas->Handle(), text.c_str(), -1, &textRect, DT_SINGLELINE | DT_VCENTER);
  if (position == tpLeft) RotateBitmapLeft(&tab);
  else if (position == tpRight) RotateBitmapRight(&tab);

  tab.SetTransparent(transparent);
  Bitmap->Canvas()->Draw(ItemRect.left, ItemRect.top, &tab);
}
