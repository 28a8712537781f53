// An up-down control drawn as two flat half-buttons with arrows, the pressed one in the down colour.
#pragma once

#include "TzubSkinControl.h"

class TzubSkinUpDown : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinUpDown, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  bool BeforeMessage(TMessage& Message) override;
  void PaintSkin() override;

  int32_t FPressedHalf = 0;  // -1 the first (left or upper) half, +1 the second, 0 none
};
