// A scroll bar drawn from the skin's scroll-bar pieces: two arrow buttons and the slider.
#pragma once

#include "TzubSkinControl.h"

class TzubSkinScrollBar : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinScrollBar, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  void AfterMessage(TMessage& Message) override;
  void PaintSkin() override;
  void SkinStateChanged() override;
};
