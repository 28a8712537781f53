// Panels take the skinned form's background colour and otherwise paint themselves.
#pragma once

#include "TzubSkinControl.h"

class TzubSkinPanel : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinPanel, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  bool WantsParentColor() override { return true; }
};
