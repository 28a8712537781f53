// The window-class unit: the skinners of the child windows of system dialogs, entered in the
// window-class table at start-up (level ulSkinWindowClasses).
#pragma once

#include "TzubSkinWndButton.h"
#include "TzubSkinWndComboBox.h"
#include "TzubSkinWndTabControl.h"
#include "TzubSkinWndToolbarWindow32.h"

// Appends the unit's seven rows to SkinWndClassTable, once however often it is called.
void ZUBSkinStdWndInitialization();
void ZUBSkinStdWndFinalization();
