// The skinners of the class library's standard controls, and the rows that tell which skinner
// serves which control class.
#pragma once

#include "TzubSkinComboBox.h"
#include "TzubSkinFrame.h"
#include "TzubSkinGrid.h"
#include "TzubSkinGroupBox.h"
#include "TzubSkinPanel.h"
#include "TzubSkinProgressBar.h"
#include "TzubSkinScrollBar.h"
#include "TzubSkinSpeedButton.h"
#include "TzubSkinStatusBar.h"
#include "TzubSkinTabControl.h"
#include "TzubSkinToolBar.h"
#include "TzubSkinTrackBar.h"
#include "TzubSkinUpDown.h"

// Appends the 24 rows to the control-class table, once however often it is called; the unit's
// start-up (level ulSkinControlClasses) calls it.
void RegisterStdCtrlSkinners();
