// The registration tables that the skinner units fill at start-up, and the two factories that
// pick a control skinner from them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "System.h"
#include "TzubSkinControl.h"

class TControl;
class TzubSkinWindow;

struct TzubSkinControlRegistration {
  TClass ControlClass;  // a class-library control class
  TzubSkinControlVCLClass SkinnerClass;
};

struct TzubSkinWndRegistration {
  std::string ClassName;  // upper case, "BUTTON_CHECKBOX" and "BUTTON_RADIOBUTTON" for buttons
  TzubSkinControlWndClass SkinnerClass;
};

// In registration order; empty from program start, emptied by the engine unit's finish.
extern std::vector<TzubSkinControlRegistration> SkinControlClassTable;
extern std::vector<TzubSkinWndRegistration> SkinWndClassTable;

void RegisterSkinControlClasses(const std::vector<TzubSkinControlRegistration>& Registrations);
void RegisterSkinWndClasses(const std::vector<TzubSkinWndRegistration>& Registrations);

// The skinner of the row registered last whose class the control is or inherits from; null
// when none fits.
TzubSkinControlVCL* CreateControlSkinner(TControl* Control, TzubSkinWindow* Window);
// The skinner of the first row named after the window's class (buttons by type); null when
// none fits or the window's kind is not skinned.
TzubSkinControlWnd* CreateWndSkinner(HWND Handle, TzubSkinWindow* Window);
