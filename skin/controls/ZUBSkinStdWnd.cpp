#include "ZUBSkinStdWnd.h"

#include "ZUBSkinRegistry.h"

namespace {
int initCount = 0;  // the unit's initialisation counter
}  // namespace

void ZUBSkinStdWndInitialization() {
  if (initCount++ != 0) return;
  RegisterSkinWndClasses({
      {"COMBOBOX", &NewSkinControlWnd<TzubSkinWndComboBox>},
      {"COMBOBOXEX32", &NewSkinControlWnd<TzubSkinWndComboBox>},
      {"BUTTON", &NewSkinControlWnd<TzubSkinWndButton>},
      {"BUTTON_CHECKBOX", &NewSkinControlWnd<TzubSkinWndCheckBox>},
      {"BUTTON_RADIOBUTTON", &NewSkinControlWnd<TzubSkinWndRadioButton>},
      {"SYSTABCONTROL32", &NewSkinControlWnd<TzubSkinWndTabControl>},
      {"TOOLBARWINDOW32", &NewSkinControlWnd<TzubSkinWndToolbarWindow32>},
  });
}

void ZUBSkinStdWndFinalization() {}
