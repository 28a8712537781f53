// A speed button painted wholly by the skinner: a flat face by state, its glyph and caption.
#pragma once

#include "TzubSkinControl.h"

class TzubSkinSpeedButton : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinSpeedButton, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  bool BeforeMessage(TMessage& Message) override;
  void PaintSkin() override;

 private:
  void PaintOn(TCanvas* Canvas);
};
