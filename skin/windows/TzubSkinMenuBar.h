// The tool bar that stands in for a skinned form's main menu: one button per top-level item of
// the menu it shows, custom-drawn by the form skinner that made it.
#pragma once

#include "Menus.h"
#include "ToolBar.h"

class TzubSkinWindowVCL;

class TzubSkinMenuBar : public TToolBar {
  DECLARE_CLASS(TzubSkinMenuBar, TToolBar)

 public:
  using TToolBar::TToolBar;

  // The form skinner that made the bar; not owned. Set with SetFormSkinner, cleared when it goes.
  TzubSkinWindowVCL* FormSkinner = nullptr;
  void SetFormSkinner(TzubSkinWindowVCL* Value);

 protected:
  // The pop-up menu that drops a button's sub-menu takes AutoHotkeys from the shown menu; a form
  // skinner that goes takes its drawing with it (the bar may stay with its form).
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void DropDownPopup(TObject* Sender);
};

// Tags of the MDI buttons: close, restore, minimise.
constexpr int32_t kMDICloseTag = -1381, kMDIRestoreTag = -1382, kMDIMinimizeTag = -1383;
