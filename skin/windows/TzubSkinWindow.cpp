#include "TzubSkinWindow.h"

#include <algorithm>

#include "TzubSkinEngine.h"

DEFINE_CLASS(TzubSkinWindow, TComponent, ({}))

TzubSkinWindow::TzubSkinWindow(TComponent* AOwner, HWND Handle, bool IsDialog, TzubSkinEngine* Engine)
    : TComponent(AOwner), Engine(Engine), IsDialog(IsDialog), Skinned(Engine && Engine->IsSkinning()) {
  (void)Handle;
}

TzubSkinWindow::~TzubSkinWindow() {
  if (!Engine) return;
  auto& list = Engine->FWindows;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (Engine->FSystemMenuWindow == this) Engine->FSystemMenuWindow = nullptr;
}

void TzubSkinWindow::SetSkinned(bool Value) { Skinned = Value; }

void TzubSkinWindow::DoClose() { PostMessageA(GetHandle(), WM_SYSCOMMAND, SC_CLOSE, 0); }
void TzubSkinWindow::DoMinimize() { PostMessageA(GetHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }
void TzubSkinWindow::DoHelp() { PostMessageA(GetHandle(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0); }

void TzubSkinWindow::DoMaximizeRestore() {
  HWND h = GetHandle();
  if (IsZoomed(h) || IsIconic(h))
    PostMessageA(h, WM_SYSCOMMAND, SC_RESTORE, 0);
  else if (MaximizeEnabled)
    PostMessageA(h, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

TzubSkinWindow* NewSkinWindow(HWND Handle, bool IsDialog, TzubSkinEngine* Engine) {
  (void)Handle, (void)IsDialog, (void)Engine;
  return nullptr;
}
