// A group box framed in the skin's border colour, its caption over the frame's top line.
#pragma once

#include "TzubSkinControl.h"

class TzubSkinGroupBox : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinGroupBox, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  void PaintSkin() override;
  bool WantsParentColor() override { return true; }
};
