// A grid with the flat border and overlay scroll bars, its fixed cells in the form's colour.
#pragma once

#include "Graphics.h"
#include "TzubSkinScrollWinControl.h"

class TzubSkinGrid : public TzubSkinScrollWinControl {
  DECLARE_CLASS(TzubSkinGrid, TzubSkinScrollWinControl)
 public:
  using TzubSkinScrollWinControl::TzubSkinScrollWinControl;
  void SkinStateChanged() override;
  void AfterAttach() override;

  TColor FSavedFixedColor = 0;  // the fixed cells' colour before skinning

 private:
  bool applied_ = false;  // FSavedFixedColor holds the value to give back
};
