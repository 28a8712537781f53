// The border skinner of scrolling class-library controls, with two overlay panels laid over the
// control's own scroll bars: painted from the skin's scroll pieces, their presses handed on to
// the control as presses on its bars.
#pragma once

#include <memory>

#include "ExtCtrls.h"
#include "TzubSkinControl.h"

class TzubSkinScrollWinControl;

// A sibling of the control laid over one of its scroll bars, in the parent's coordinates. Owned
// by the engine component; freed by its skinner at Detach.
class TzubSkinInternalScrollBar : public TCustomPanel {
  DECLARE_CLASS(TzubSkinInternalScrollBar, TCustomPanel)
 public:
  explicit TzubSkinInternalScrollBar(TComponent* AOwner);
  // Takes itself out of its skinner unless the skinner is the one freeing it.
  ~TzubSkinInternalScrollBar() override;

  TWinControl* Control = nullptr;
  std::unique_ptr<TBitmap> Bitmap;  // the painted face; empty until the first placing
  TzubSkinScrollWinControl* Skinner = nullptr;
  int32_t BarKind = 0;  // 0: the vertical bar; else the horizontal one

 protected:
  void WndProc(TMessage& Message) override;
  void Paint() override;
};

class TzubSkinScrollWinControl : public TzubSkinBorderWinControl {
  DECLARE_CLASS(TzubSkinScrollWinControl, TzubSkinBorderWinControl)
 public:
  using TzubSkinBorderWinControl::TzubSkinBorderWinControl;
  ~TzubSkinScrollWinControl() override;

  void AfterMessage(TMessage& Message) override;
  void PaintSkin() override;
  void SkinStateChanged() override;
  void AfterAttach() override;
  void Detach() override;

  // Places and paints both overlays over the control's bars, or hides them.
  void PaintScrollBars();
  // Overlays are shown only while skinning, the control is visible and DrawScrollBar is set.
  bool OverlaysWanted();

  TzubSkinInternalScrollBar* VertBar = nullptr;
  TzubSkinInternalScrollBar* HorzBar = nullptr;

 private:
  TzubSkinInternalScrollBar* NewBar(int32_t Kind);
  void PlaceBar(TzubSkinInternalScrollBar* Bar);
  void HideBars();
  // The control's own bar (vertical, horizontal) has its thumb dragged: the platform reports the
  // thumb where it was until the drag ends, and some controls set no position meanwhile.
  bool tracking_[2] = {false, false};
};
