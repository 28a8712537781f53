// What the skin costs a program's main form: repaint and start-up times skinned and with the
// engine inactive, and the GDI and USER objects the process holds across non-client activity.
#pragma once

#include <windows.h>

#include <string>

#include "ObjectCount.h"

namespace skinbench {

// Whether CountObjects sees a few brushes, windows and menus come and go; a message when not.
bool CountsFollowHandles(std::string& Why);

double NowMs();

// Dispatches what is queued for this thread, without waiting.
void PumpMessages();

// Milliseconds for Count full repaints (frame, client, children, each updated at once).
double TimeRepaints(HWND Window, int Count);

// Count rounds of non-client activity: the pointer swept along the title bar (over the caption
// buttons), hit-tested and moved there, a full repaint every tenth round; the pointer leaves last.
void NonClientActivity(HWND Window, int Count);

// The skinner factory that starts the engine inactive, for the plain start-up.
void StartInactive();

}  // namespace skinbench
