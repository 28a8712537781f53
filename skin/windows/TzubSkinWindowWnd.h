// The skinner of a foreign top-level window (a system dialog or message box that the hook
// catches): subclassed through a window procedure bound to the skinner, its direct children
// given window-class skinners, grown by the skin's frame and shrunk back.
#pragma once

#include "TzubSkinWindow.h"

class TzubSkinWindowWnd : public TzubSkinWindow {
  DECLARE_CLASS(TzubSkinWindowWnd, TzubSkinWindow)

 public:
  using TzubSkinWindow::TzubSkinWindow;

  void ApplySkinState() override;
  void CallPrevWndProc(TMessage& Message) override;
  void SaveWindowState() override;
  void SkinChildControls() override;
  void UnskinChildControls() override;
  HWND GetHandle() override { return Handle; }
  bool BeforeDefaultMessage(TMessage& Message) override;
  void AfterDefaultMessage(TMessage& Message) override;
  void AttachWindow(HWND AHandle) override;
  void DetachWindow() override;

  void SkinChildWindow(HWND Child);

  HWND Handle = nullptr;
  WNDPROC PrevWndProc = nullptr;
  WNDPROC ObjectInstance = nullptr;
  DWORD SavedStyle = 0;
  DWORD EraseStyle = 0;
  bool EraseStyleTaken = false;
  bool HeightFixed = false;

 private:
  zubskin::AppliedFrame applied_;  // what the window has grown by for the skin's frame
};
