// The skinners of push buttons, check boxes and radio buttons. The button skinner draws the
// whole button and owns its clicks; the check-box and radio skinners paint the skin's box over
// the platform's. Registered for TButton, TCustomCheckBox and TRadioButton.
#pragma once

#include <windows.h>

#include "TzubSkinControl.h"

class TBitmap;

class TzubSkinButton : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinButton, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;

  bool BeforeMessage(TMessage& Message) override;
  void AfterMessage(TMessage& Message) override;
  void PaintSkin() override;
  void MouseDown() override;
  void MouseUp() override;
  void KeyUp(uint32_t Key) override;
  void AfterAttach() override;

  // A TBitBtn's glyph onto Target; TextRect, the client rectangle on entry, becomes the caption's.
  void DrawBitBtnGlyph(TBitmap* Target, RECT& TextRect);
  // Where the glyph and the caption go; the button's Margin and Spacing stay as they are.
  void CalcBitBtnLayout(TBitmap* Target, POINT& GlyphPos, RECT& TextRect);

  // A mouse press on the button was taken; its release over the button clicks.
  bool ClickPending = false;

 private:
  void DoClick();
  bool releasedInside_ = false;  // the last release of the left button was over the button
};

class TzubSkinCheckBox : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinCheckBox, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  void AfterMessage(TMessage& Message) override;
  void PaintSkin() override;
};

class TzubSkinRadioButton : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinRadioButton, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  bool BeforeMessage(TMessage& Message) override;
  void AfterMessage(TMessage& Message) override;
  void PaintSkin() override;
};
