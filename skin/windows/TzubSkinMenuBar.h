// The tool bar that stands in for a skinned form's main menu, and the menu side of a form
// skinner: the bar's buttons and drawing, shortcut routing, the MDI buttons, the MDI client hook.
#pragma once

#include <windows.h>

#include "AppEvnts.h"
#include "Forms.h"
#include "Menus.h"
#include "ToolBar.h"

class TzubSkinEngine;
class TzubSkinFormMenus;
class TzubSkinMenuBarControlButton;
class TzubSkinWindow;

// One button per top-level item of the menu it shows, custom-drawn by its form skinner.
class TzubSkinMenuBar : public TToolBar {
  DECLARE_CLASS(TzubSkinMenuBar, TToolBar)

 public:
  using TToolBar::TToolBar;

  TzubSkinFormMenus* FormSkinner = nullptr;  // the form skinner's menu side that made the bar; not owned

 protected:
  // The pop-up menu that drops a button's sub-menu takes AutoHotkeys from the shown menu.
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void DropDownPopup(TObject* Sender);
};

// What a form skinner does for the form's menus. Made by the skinner's AttachWindow and freed
// by its DetachWindow; the skinner calls the steps below from ApplySkinState and passes its
// messages to AfterDefaultMessage.
class TzubSkinFormMenus {
 public:
  // The hidden bar; on an MDI frame the hidden MDI buttons and the client hook; unless the form
  // is an MDI child, the application-events object that routes shortcuts.
  TzubSkinFormMenus(TzubSkinWindow* Skinner, TCustomForm* Form);
  // Frees the router and gives the MDI client its procedure back; the bar and the buttons go
  // only when the engine unskins the form, else with the form.
  ~TzubSkinFormMenus();
  TzubSkinFormMenus(const TzubSkinFormMenus&) = delete;
  TzubSkinFormMenus& operator=(const TzubSkinFormMenus&) = delete;

  // ---- Steps of the skinner's SaveWindowState and ApplySkinState ----
  void SaveWindowState() { FormMenu = Form->Menu(); }
  // Skinned: the form's menu off the window, the bar shown and filled, the MDI buttons placed.
  void ApplySkinned();
  // Plain: the form's menu back on the window.
  void ApplyPlain();
  // Every control but the bar (Down) or every one (back up) by the bar's height: those anchored
  // at the top only move, those anchored at top and bottom also shrink; once per skinned period.
  void ShiftControls(bool Down);
  void HideMenuBar();
  void SkinFormMenus();
  void UnskinFormMenus();

  void RebuildMenuBar(bool Force);
  void BuildMenuBar(TMainMenu* Menu);
  void MenuBarCustomDraw(TToolBar* Bar, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw);
  void RouteShortcut(MSG& Msg, bool& Handled);
  int GetMenuBarHeight();

  void PlaceMDIButtons();
  void ShowMDIButtons();
  void HideMDIButtons();
  void MDIButtonClick(TObject* Sender);

  // WM_MDIACTIVATE, WM_MDIMAXIMIZE, WM_MDIRESTORE, ZM_MDICHILDMENU, WM_MDIREFRESHMENU and an MDI
  // child's WM_SIZE, after the form's own handling.
  void AfterDefaultMessage(TMessage& Message);

  void HookMDIClient();
  void UnhookMDIClient();
  void MDIClientWndProc(TMessage& Message);
  void CascadeMDIChildren();
  void TileMDIChildren(bool Horizontal);

  TzubSkinWindow* Skinner;
  TzubSkinEngine* Engine;
  TCustomForm* Form;
  TzubSkinMenuBar* MenuBar = nullptr;
  TzubSkinMenuBarControlButton* MDIButtons[3] = {};  // close, restore, minimise
  TMainMenu* FormMenu = nullptr;
  TMainMenu* ChildMenu = nullptr;
  TMainMenu* ShownMenu = nullptr;
  TApplicationEvents* AppEvents = nullptr;
  WNDPROC PrevClientWndProc = nullptr;
  bool ControlsShifted = false;

 private:
  bool IsMDIForm() const { return Form->FormStyle() == fsMDIForm; }
  bool IsMDIChild() const { return Form->FormStyle() == fsMDIChild; }
  WNDPROC clientStub_ = nullptr;  // the procedure bound to MDIClientWndProc
  HWND client_ = nullptr;
};

// Tags of the MDI buttons: close, restore, minimise.
constexpr int32_t kMDICloseTag = -1381, kMDIRestoreTag = -1382, kMDIMinimizeTag = -1383;
