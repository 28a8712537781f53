// The skinner of an application form: takes over the form's WindowProc, keeps what the skin
// changes on the form (colour, menu, client size, constraints, control positions) to give it
// back, attaches a control skinner to every control the form owns, and skins the other forms
// the first time the main form is shown.
#pragma once

#include <windows.h>

#include "AppEvnts.h"
#include "Forms.h"
#include "Menus.h"
#include "ToolBar.h"
#include "TzubSkinWindow.h"

class TzubSkinControlVCL;

class TzubSkinWindowVCL : public TzubSkinWindow {
  DECLARE_CLASS(TzubSkinWindowVCL, TzubSkinWindow)

 public:
  using TzubSkinWindow::TzubSkinWindow;

  void ApplySkinState() override;
  void CallPrevWndProc(TMessage& Message) override;
  void SaveWindowState() override;
  void SkinChildControls() override;
  void UnskinChildControls() override;
  bool CanUseRegion() override;
  int GetMenuBarHeight() override;
  HICON GetIconHandle() override;
  bool HasHelpButton() override;
  bool IsMDIForm() override;
  bool IsMDIChild() override;
  bool IsDialogBorder() override;
  bool HasSystemIcon() override;
  bool HasCloseButton() override;
  bool HasMaximizeButton() override;
  bool HasMinimizeButton() override;
  bool SkinBeforeFirstPaint() override { return true; }
  HWND GetHandle() override;
  void AfterDefaultMessage(TMessage& Message) override;
  void AttachWindow(HWND Handle) override;
  void DetachWindow() override;

  void SkinControl(TControl* Control);
  void UnskinControl(TzubSkinControl* Skinner);
  void SkinFormMenus();
  void UnskinFormMenus();
  void ApplySizeConstraints();
  void ClearSizeConstraints();

  // ---- The menu bar and the MDI parts (TzubSkinWindowVCLMenuBar.cpp) ----
  // Makes the hidden menu bar (MenuBar) for AttachWindow; null leaves the form without one.
  void CreateMenuBar();
  // Makes the three hidden MDI buttons of an MDI form.
  void CreateMDIButtons();
  // Frees what the two above made, on explicit unskinning.
  void FreeMenuBar();
  void RebuildMenuBar(bool Force);
  void BuildMenuBar(TMainMenu* Menu);
  void MenuBarCustomDraw(TToolBar* Bar, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw);
  void RouteShortcut(MSG& Msg, bool& Handled);
  void PlaceMDIButtons();
  void ShowMDIButtons();
  void HideMDIButtons();
  void MDIButtonClick(TObject* Sender);
  void HookMDIClient();
  void UnhookMDIClient();
  void MDIClientWndProc(TMessage& Message);
  void CascadeMDIChildren();
  void TileMDIChildren(bool Horizontal);

  TCustomForm* Form = nullptr;
  TWndMethod PrevWindowProc;
  WNDPROC PrevClientWndProc = nullptr;
  WNDPROC ClientWndProcStub = nullptr;  // the MDI client's procedure bound to this object
  TMainMenu* FormMenu = nullptr;
  TMainMenu* ChildMenu = nullptr;
  TMainMenu* ShownMenu = nullptr;
  TWinControl* MenuBar = nullptr;  // no owner, a child of Form
  int32_t SavedColor = 0;
  TWinControl* MDIButtons[3] = {};  // close, restore, minimise child
  TApplicationEvents* AppEvents = nullptr;
  bool AllFormsSkinned = false;
  bool ControlsShifted = false;
  bool MinWidthSet = false;
  bool MinHeightSet = false;

 protected:
  // A menu it keeps or shows, the bar or an MDI button that goes is let go of.
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool FormDestroying() const;
  void ShiftControls(int By, bool WithMenuBar);
  void SetClientSize(int Width, int Height);
  void FrameChanged();
  void Restyled();
  bool IsChildMenu(LPARAM Menu);
  // The menu, told of its end through a free notification.
  TMainMenu* Watched(TMainMenu* Menu);

  // The client size and outer height with the platform's frame, taken before the skin's.
  int platformClientWidth_ = 0, platformClientHeight_ = 0, platformHeight_ = 0;
  int32_t prevMinWidth_ = 0, prevMinHeight_ = 0;
  HWND mdiClient_ = nullptr;  // the hooked MDI client window
};
