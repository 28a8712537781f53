#include "TzubSkinToolBar.h"

#include "ImgList.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinStdCtrlGeometry.h"
#include "ZUBSkinStdCtrlPaint.h"
#include "ZUBSkinUtils.h"

using namespace zubskin;

DEFINE_CLASS(TzubSkinToolBar, TzubSkinControlVCL, ({}))

void TzubSkinToolBar::AfterAttach() {
  TzubSkinControlVCL::AfterAttach();
  if (auto* bar = As<TToolBar>(Control)) FSavedFlat = bar->Flat();
}

// Flat and the handler are saved on the first switch on only: a repeated switch on would save
// the skinned values.
void TzubSkinToolBar::SkinStateChanged() {
  TzubSkinControlVCL::SkinStateChanged();
  auto* bar = As<TToolBar>(Control);
  if (!bar) return;
  if (IsSkinning()) {
    if (!applied_) {
      FSavedFlat = bar->Flat();
      savedHandler_ = bar->OnCustomDrawButton == OwnHandler() ? TTBCustomDrawBtnEvent() : bar->OnCustomDrawButton;
      applied_ = true;
    }
    bar->SetFlat(true);
    bar->SetTransparent(true);
    if (!bar->ComponentState().Contains(csDesigning)) bar->OnCustomDrawButton = OwnHandler();
  } else if (applied_) {
    applied_ = false;
    bar->SetFlat(FSavedFlat);
    Unhook(bar);
  }
}

void TzubSkinToolBar::Detach() {
  TzubSkinControlVCL::Detach();
  if (auto* bar = As<TToolBar>(Control)) Unhook(bar);  // Control is null once the bar is gone
}

void TzubSkinToolBar::Unhook(TToolBar* bar) {
  if (bar->OnCustomDrawButton == OwnHandler()) bar->OnCustomDrawButton = savedHandler_;
  bar->Invalidate();
}

void TzubSkinToolBar::ToolBarCustomDrawButton(TToolBar* Sender, TToolButton* Button, TCustomDrawState State,
                                              bool& DefaultDraw) {
  TCanvas* canvas = Sender->Canvas();
  const RECT r = Button->BoundsRect();
  const bool dropDown = Button->Style() == tbsDropDown;
  TCustomImageList* images = Sender->HotImages() ? Sender->HotImages() : Sender->Images();
  // Held down is pressed, hot or not: Wine reports a held button selected without hot.
  const bool held = State.Contains(cdsSelected);
  if (held || State.Contains(cdsHot)) {
    if (held) PaintDownToolButton(canvas, r, dropDown, Button->Caption(), Button->ImageIndex(), images);
    else PaintHotToolButton(canvas, r, dropDown, Button->Caption(), Button->ImageIndex(), images);
    if (dropDown) {
      const int m = r.top + (r.bottom - r.top) / 2;
      canvas->Brush()->SetStyle(bsSolid);
      canvas->Brush()->SetColor(clBlack);
      canvas->Pen()->SetColor(clBlack);
      canvas->Polygon({{r.right - 9, m}, {r.right - 5, m}, {r.right - 7, m + 2}});
      canvas->Polygon({{r.right - 8, m}, {r.right - 6, m}, {r.right - 7, m + 1}});
      canvas->MoveTo(r.right - 14, r.top);
      canvas->LineTo(r.right - 14, r.bottom);
    }
    DefaultDraw = false;
  } else if (State.Contains(cdsChecked)) {
    PaintHotToolButton(canvas, r, dropDown, Button->Caption(), Button->ImageIndex(), images);
    DefaultDraw = false;
  }
}

void TzubSkinToolBar::PaintDownToolButton(TCanvas* Canvas, const RECT& Rect, bool IsDropDown,
                                          const std::string& Caption, int ImageIndex, TCustomImageList* Images) {
  PaintToolButton(Canvas, Rect, IsDropDown, Caption, ImageIndex, Images, true);
}

void TzubSkinToolBar::PaintHotToolButton(TCanvas* Canvas, const RECT& Rect, bool IsDropDown,
                                         const std::string& Caption, int ImageIndex, TCustomImageList* Images) {
  PaintToolButton(Canvas, Rect, IsDropDown, Caption, ImageIndex, Images, false);
}

void TzubSkinToolBar::PaintToolButton(TCanvas* Canvas, const RECT& Rect, bool IsDropDown, const std::string& Caption,
                                      int ImageIndex, TCustomImageList* Images, bool Down) {
  auto* bar = As<TToolBar>(Control);
  if (!bar) return;
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(SkinColor(Engine, Down ? "ToolBarButtonDownBackgroundColor" : "ToolBarButtonBackgroundColor"));
  Canvas->Pen()->SetColor(SkinColor(Engine, "ControlBorderColor"));
  Canvas->Rectangle(Rect);
  const int textWidth = Canvas->TextWidth(StripAmpersand(Caption));
  const ToolButtonPlacement place =
      ToolButtonLayout(ToSkinRect(Rect), IsDropDown, Images != nullptr, Images ? Images->Width() : 0,
                       Images ? Images->Height() : 0, bar->List(), textWidth, Down);
  if (Images && ImageIndex >= 0 && ImageIndex < Images->Count())
    Images->Draw(Canvas, place.image.x, place.image.y, ImageIndex, true);
  if (bar->ShowCaptions()) {
    RECT text{place.caption.x, place.caption.y, Rect.right, Rect.bottom};
    DrawTextA(Canvas->Handle(), Caption.c_str(), -1, &text, 0);
  }
}
