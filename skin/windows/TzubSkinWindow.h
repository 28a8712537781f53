// The base of the window skinners: paints the whole non-client area from the skin, computes
// the client area, drives the caption buttons and the system menu, answers the private messages.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Component.h"
#include "Controls.h"

class TzubSkinEngine;
class TzubSkinControl;

class TzubSkinWindow : public TComponent {
  DECLARE_CLASS(TzubSkinWindow, TComponent)

 public:
  // Two-phase: construct with Create<T>(owner, Handle, IsDialog, Engine); AfterConstruction
  // attaches and skins, so the descendant's overrides are in force.
  TzubSkinWindow(TComponent* AOwner, HWND Handle, bool IsDialog, TzubSkinEngine* Engine);
  ~TzubSkinWindow() override;  // plain look back, out of Engine->FWindows, clears FSystemMenuWindow

  virtual HWND GetHandle() = 0;
  void SetSkinned(bool Value);

  // Posted to the window as WM_SYSCOMMAND.
  void DoClose();
  void DoMinimize();
  void DoHelp();
  void DoMaximizeRestore();

  TzubSkinEngine* Engine;
  bool IsDialog;
  bool Skinned;
  bool MaximizeEnabled = false;
  bool MaximizeShown = false;
  bool MinimizeShown = false;
  bool CloseShown = false;

  // The rest of the base (fields, the 22 virtual operations, SkinWndProc, PaintNonClient,
  // UpdateRegion) is filled in with the window skinners.
};

// The skinner for a top-level window: TzubSkinWindowVCL for an application form, else
// TzubSkinWindowWnd. Null where no variant exists for the window.
TzubSkinWindow* NewSkinWindow(HWND Handle, bool IsDialog, TzubSkinEngine* Engine);
