// The small glyph buttons at the right end of an MDI frame's menu bar that close, restore and
// minimise the active child while it is maximised.
#pragma once

#include <memory>

#include "ExtCtrls.h"
#include "Graphics.h"

class TzubSkinMenuBarControlButton : public TCustomPanel {
  DECLARE_CLASS(TzubSkinMenuBarControlButton, TCustomPanel)

 public:
  explicit TzubSkinMenuBarControlButton(TComponent* AOwner);  // 18 x 18

  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* Value);

  bool Hot = false;  // the mouse is over the button

 protected:
  // The object OnClick is bound to, when it goes, takes the handler with it.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;
  void Paint() override;

 private:
  std::unique_ptr<TBitmap> glyph_;
};
