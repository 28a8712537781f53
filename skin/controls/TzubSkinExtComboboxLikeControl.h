// The border skinner of controls with a drop-down button of their own (the date-time picker):
// a flat 16 x 16 button laid over the control's, whose presses reach the control at the same point.
#pragma once

#include "ExtCtrls.h"
#include "TzubSkinControl.h"

class TzubSkinExtComboboxLikeControl;

// A message position (GetMessagePos) as a screen point, signed: screens left of or above the
// primary one have negative coordinates.
POINT MessagePosToPoint(DWORD Pos);

// A child of the control, aligned to its right edge. Owned by the engine component; freed by
// its skinner at Detach.
class TzubSkinInternalComboButton : public TCustomPanel {
  DECLARE_CLASS(TzubSkinInternalComboButton, TCustomPanel)
 public:
  explicit TzubSkinInternalComboButton(TComponent* AOwner);
  ~TzubSkinInternalComboButton() override;

  TControl* Control = nullptr;
  TzubSkinExtComboboxLikeControl* Skinner = nullptr;

 protected:
  void WndProc(TMessage& Message) override;
  void Paint() override;
};

class TzubSkinExtComboboxLikeControl : public TzubSkinBorderWinControl {
  DECLARE_CLASS(TzubSkinExtComboboxLikeControl, TzubSkinBorderWinControl)
 public:
  using TzubSkinBorderWinControl::TzubSkinBorderWinControl;
  ~TzubSkinExtComboboxLikeControl() override;

  void AfterMessage(TMessage& Message) override;
  void PaintSkin() override;
  void SkinStateChanged() override;
  void AfterAttach() override;
  void Detach() override;

  TzubSkinInternalComboButton* Button = nullptr;
};
