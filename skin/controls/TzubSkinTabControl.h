// A tab control or page control composed whole from the skin: the page frame, tabs from
// "TabControlTabImage" (side tabs drawn as top tabs and turned) and the bar along the page edge.
#pragma once

#include "Graphics.h"
#include "TzubSkinControl.h"

class TzubSkinTabControl : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinTabControl, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  bool BeforeMessage(TMessage& Message) override;
  void PaintSkin() override;
  void SkinStateChanged() override;
  void AfterAttach() override;

  // Tab Index into the control's off-screen bitmap.
  void PaintTab(TBitmap* Bitmap, int Index, bool Selected, const RECT& ItemRect);

  int16_t FSavedTabHeight = 0;  // the control's TabHeight before skinning

 private:
  // The image of tab Index, -1 for none: a page control's i-th visible page's.
  int TabImageIndex(int Index);
  bool applied_ = false;  // FSavedTabHeight holds the value to give back
};
