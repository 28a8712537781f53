// A status bar whose size grip is drawn in flat lines of the inactive caption colour.
#pragma once

#include "TzubSkinControl.h"

class TzubSkinStatusBar : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinStatusBar, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  void PaintSkin() override;
  bool WantsParentColor() override { return true; }
};
