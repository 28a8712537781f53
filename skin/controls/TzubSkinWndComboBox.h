// The skinner of the combo boxes of system dialogs: the flat border and drop button painted over
// the platform's.
#pragma once

#include "TzubSkinControl.h"

class TzubSkinWndComboBox : public TzubSkinBorderWndControl {
  DECLARE_CLASS(TzubSkinWndComboBox, TzubSkinBorderWndControl)
 public:
  using TzubSkinBorderWndControl::TzubSkinBorderWndControl;
  void PaintSkin() override;
};
