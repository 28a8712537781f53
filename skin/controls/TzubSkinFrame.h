// Frames keep their look; the hook only tracks the hot and pressed states.
#pragma once

#include "TzubSkinControl.h"

class TzubSkinFrame : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinFrame, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
};
