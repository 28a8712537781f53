// A combo box with flat frames and a flat drop button drawn over its own painting.
#pragma once

#include "TzubSkinControl.h"

class TzubSkinComboBox : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinComboBox, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  void PaintSkin() override;
};
