// The skinner of the tool bars of system dialogs: on the Windows 9x family only, made flat and
// transparent; nothing is painted.
#pragma once

#include "TzubSkinControl.h"

class TzubSkinWndToolbarWindow32 : public TzubSkinControlWnd {
  DECLARE_CLASS(TzubSkinWndToolbarWindow32, TzubSkinControlWnd)
 public:
  using TzubSkinControlWnd::TzubSkinControlWnd;
  void AfterAttach() override;
};
