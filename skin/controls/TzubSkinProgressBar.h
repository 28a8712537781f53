// A progress bar drawn as one stretched "ProgressBarImage" over its filled part.
#pragma once

#include <memory>

#include "Graphics.h"
#include "TzubSkinControl.h"

class TzubSkinProgressBar : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinProgressBar, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  bool BeforeMessage(TMessage& Message) override;
  void PaintSkin() override;
  void SkinStateChanged() override;

  std::unique_ptr<TBitmap> FBarImage;  // null while not skinning; turned for a vertical bar
};
