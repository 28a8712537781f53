#include "ZUBSkinRegistry.h"

#include "Controls.h"
#include "SysUtils.h"

// Filled by the skinner units at start-up and read on the main thread afterwards.
std::vector<TzubSkinControlRegistration> SkinControlClassTable;
std::vector<TzubSkinWndRegistration> SkinWndClassTable;

void RegisterSkinControlClasses(const std::vector<TzubSkinControlRegistration>& Registrations) {
  SkinControlClassTable.insert(SkinControlClassTable.end(), Registrations.begin(), Registrations.end());
}

void RegisterSkinWndClasses(const std::vector<TzubSkinWndRegistration>& Registrations) {
  SkinWndClassTable.insert(SkinWndClassTable.end(), Registrations.begin(), Registrations.end());
}

TzubSkinControlVCL* CreateControlSkinner(TControl* Control, TzubSkinWindow* Window) {
  if (!Control) return nullptr;
  for (auto row = SkinControlClassTable.rbegin(); row != SkinControlClassTable.rend(); ++row)
    if (Control->InheritsFrom(row->ControlClass)) return CreateSkinControl(row->SkinnerClass, Control, Window);
  return nullptr;
}

namespace {

// The table name of a button by its type; empty for the kinds no skinner paints.
std::string ButtonKind(LONG_PTR style) {
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case BS_USERBUTTON:
    case BS_PUSHBOX:
      return "BUTTON";
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return "BUTTON_CHECKBOX";
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return "BUTTON_RADIOBUTTON";
    default:  // group boxes, owner-drawn, split buttons, command links
      return std::string();
  }
}

}  // namespace

TzubSkinControlWnd* CreateWndSkinner(HWND Handle, TzubSkinWindow* Window) {
  char buffer[100];
  const int n = GetClassNameA(Handle, buffer, sizeof buffer);
  if (n <= 0) return nullptr;
  std::string name = UpperCase(std::string(buffer, static_cast<size_t>(n)));
  const LONG_PTR style = GetWindowLongPtrA(Handle, GWL_STYLE);
  if (name == "BUTTON") {
    name = ButtonKind(style);
    if (name.empty()) return nullptr;
  } else if (name == "COMBOBOX") {
    if ((style & 3) == CBS_SIMPLE) return nullptr;
  } else if (name == "COMBOBOXEX32") {
    Handle = GetTopWindow(Handle);  // the inner combo box
    if (!Handle) return nullptr;
  }
  for (const TzubSkinWndRegistration& row : SkinWndClassTable)
    if (row.ClassName == name) return CreateSkinControl(row.SkinnerClass, Handle, Window);
  return nullptr;
}
