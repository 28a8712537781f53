// A tool bar made flat and transparent, whose hot, pressed and checked buttons it draws itself
// through the bar's custom-draw event.
#pragma once

#include <string>

#include "ToolBar.h"
#include "TzubSkinControl.h"

class TCustomImageList;

class TzubSkinToolBar : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinToolBar, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  void SkinStateChanged() override;
  void AfterAttach() override;
  void Detach() override;
  bool WantsParentColor() override { return true; }

  void ToolBarCustomDrawButton(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw);
  void PaintDownToolButton(TCanvas* Canvas, const RECT& Rect, bool IsDropDown, const std::string& Caption,
                           int ImageIndex, TCustomImageList* Images);
  void PaintHotToolButton(TCanvas* Canvas, const RECT& Rect, bool IsDropDown, const std::string& Caption,
                          int ImageIndex, TCustomImageList* Images);

  bool FSavedFlat = false;  // the bar's Flat before skinning

 private:
  void PaintToolButton(TCanvas* Canvas, const RECT& Rect, bool IsDropDown, const std::string& Caption,
                       int ImageIndex, TCustomImageList* Images, bool Down);
  // The bar's handler back when ours is still its handler.
  void Unhook(TToolBar* Bar);
  TTBCustomDrawBtnEvent OwnHandler() { return TTBCustomDrawBtnEvent::Bind<&TzubSkinToolBar::ToolBarCustomDrawButton>(this); }

  bool applied_ = false;              // FSavedFlat and savedHandler_ hold what to give back
  TTBCustomDrawBtnEvent savedHandler_;  // the application's own handler
};
