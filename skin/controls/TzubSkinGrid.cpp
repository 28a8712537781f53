#include "TzubSkinGrid.h"

#include "Grids.h"
#include "ZUBSkinStdCtrlPaint.h"

DEFINE_CLASS(TzubSkinGrid, TzubSkinScrollWinControl, ({}))

void TzubSkinGrid::AfterAttach() {
  TzubSkinScrollWinControl::AfterAttach();
  if (auto* grid = As<TCustomGrid>(Control)) FSavedFixedColor = grid->FixedColor();
}

// Saved on the first switch on only: a repeated switch on would save the skinned colour.
void TzubSkinGrid::SkinStateChanged() {
  TzubSkinScrollWinControl::SkinStateChanged();
  auto* grid = As<TCustomGrid>(Control);
  if (!grid) return;
  if (IsSkinning()) {
    if (!applied_) FSavedFixedColor = grid->FixedColor();
    applied_ = true;
    grid->SetFixedColor(zubskin::SkinColor(Engine, "FormBackgroundColor"));
  } else if (applied_) {
    applied_ = false;
    grid->SetFixedColor(FSavedFixedColor);
  }
}
