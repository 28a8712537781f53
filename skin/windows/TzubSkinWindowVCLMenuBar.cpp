// The menu bar that stands in for a skinned form's main menu, the MDI child buttons on it and
// the MDI client's hook. Until the bar exists a form keeps no bar: these do nothing.
#include "TzubSkinWindowVCL.h"

void TzubSkinWindowVCL::CreateMenuBar() {}
void TzubSkinWindowVCL::CreateMDIButtons() {}

void TzubSkinWindowVCL::FreeMenuBar() {
  if (MenuBar) MenuBar->Free();
  MenuBar = nullptr;
  for (TWinControl*& button : MDIButtons) {
    if (button) button->Free();
    button = nullptr;
  }
}

void TzubSkinWindowVCL::RebuildMenuBar(bool Force) { (void)Force; }
void TzubSkinWindowVCL::RouteShortcut(MSG& Msg, bool& Handled) { (void)Msg; (void)Handled; }
void TzubSkinWindowVCL::PlaceMDIButtons() {}
void TzubSkinWindowVCL::ShowMDIButtons() {}
void TzubSkinWindowVCL::HideMDIButtons() {}
void TzubSkinWindowVCL::HookMDIClient() {}
void TzubSkinWindowVCL::UnhookMDIClient() {}
void TzubSkinWindowVCL::CascadeMDIChildren() {}
void TzubSkinWindowVCL::TileMDIChildren(bool Horizontal) { (void)Horizontal; }
