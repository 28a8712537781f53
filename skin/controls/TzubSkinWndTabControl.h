// The skinner of the tab controls of system dialogs: page frame and tabs painted instead of the
// platform's, the tab height given back when the skin goes.
#pragma once

#include "TzubSkinControl.h"

class TBitmap;

class TzubSkinWndTabControl : public TzubSkinControlWnd {
  DECLARE_CLASS(TzubSkinWndTabControl, TzubSkinControlWnd)
 public:
  using TzubSkinControlWnd::TzubSkinControlWnd;

  bool BeforeMessage(TMessage& Message) override;
  void PaintSkin() override;
  void SkinStateChanged() override;
  void AfterAttach() override;

  void PaintTab(TBitmap* Buffer, int Index, bool Selected, const RECT& R);

  int32_t SavedItemHeight = 0;  // the first tab's height before skinning, taken once

 private:
  bool sizeApplied_ = false;  // the skinned tab size is in force
};
