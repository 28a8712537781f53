// Skinners of the buttons of system dialogs: the push button painted and clicked by the skinner
// itself; check boxes and radio buttons with their box painted over the platform's.
#pragma once

#include "Timer.h"
#include "TzubSkinControl.h"

class TzubSkinWndButton : public TzubSkinControlWnd {
  DECLARE_CLASS(TzubSkinWndButton, TzubSkinControlWnd)
 public:
  using TzubSkinControlWnd::TzubSkinControlWnd;
  ~TzubSkinWndButton() override;

  bool BeforeMessage(TMessage& Message) override;
  void AfterMessage(TMessage& Message) override;
  void PaintSkin() override;
  void MouseDown() override;
  void MouseUp() override;
  void SkinStateChanged() override;
  void AfterAttach() override;
  void Detach() override;

  // Every 138 ms: the hot look goes once the cursor has left the button.
  void HoverTimer(TObject* Sender);

  bool ClickPending = false;  // a press began on the button and has not been released
  TTimer* Timer = nullptr;    // owned

 private:
  // The pressed look goes, and with it any click still pending.
  void ClearPressed();
  void Click();
  bool CursorInside();
  bool mouseUpInside_ = false;
};

class TzubSkinWndCheckBox : public TzubSkinControlWnd {
  DECLARE_CLASS(TzubSkinWndCheckBox, TzubSkinControlWnd)
 public:
  using TzubSkinControlWnd::TzubSkinControlWnd;
  void AfterMessage(TMessage& Message) override;
  void PaintSkin() override;
};

class TzubSkinWndRadioButton : public TzubSkinControlWnd {
  DECLARE_CLASS(TzubSkinWndRadioButton, TzubSkinControlWnd)
 public:
  using TzubSkinControlWnd::TzubSkinControlWnd;
  void AfterMessage(TMessage& Message) override;
  void PaintSkin() override;
};
