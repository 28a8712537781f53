// A track bar composed whole from the skin: the bar image in the channel, the slider image on the
// thumb, black tick marks and the focus frame.
#pragma once

#include <memory>

#include "Graphics.h"
#include "TzubSkinControl.h"

class TzubSkinTrackBar : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinTrackBar, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  bool BeforeMessage(TMessage& Message) override;
  void PaintSkin() override;
  void SkinStateChanged() override;

  std::unique_ptr<TBitmap> FBarImage;  // null while not skinning; turned for a vertical bar
};
