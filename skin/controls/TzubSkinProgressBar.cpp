#include "TzubSkinProgressBar.h"

#include "ComCtrls.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinStdCtrlGeometry.h"
#include "ZUBSkinStdCtrlPaint.h"
#include "ZUBSkinUtils.h"

using namespace zubskin;

DEFINE_CLASS(TzubSkinProgressBar, TzubSkinControlVCL, ({}))

bool TzubSkinProgressBar::BeforeMessage(TMessage& Message) { return !AnswerPaintMessages(this, Message); }

void TzubSkinProgressBar::SkinStateChanged() {
  TzubSkinControlVCL::SkinStateChanged();
  auto* bar = As<TProgressBar>(Control);
  if (!bar || !IsSkinning()) {
    FBarImage.reset();
    return;
  }
  FBarImage = std::make_unique<TBitmap>();
  Engine->GetSkinBitmap("ProgressBarImage", FBarImage.get());
  if (bar->Orientation() == pbVertical) RotateBitmapLeft(FBarImage.get());
}

void TzubSkinProgressBar::PaintSkin() {
  auto* bar = As<TProgressBar>(Control);
  if (!FBarImage || !bar) return;
  const RECT client = bar->ClientRect();
  TBitmap bitmap;
  PrepareBitmap(&bitmap, bar->Width(), bar->Height(), client, SkinColor(Engine, "FormBackgroundColor"));
  const SkinRect fill =
      ProgressFillRect(ToSkinRect(client), bar->Min(), bar->Max(), bar->Position(), bar->Orientation() == pbVertical);
  if (!fill.IsEmpty() && !FBarImage->Empty()) bitmap.Canvas()->StretchDraw(ToRect(fill), FBarImage.get());
  CopyToClient(GetControlHandle(), &bitmap);
}
