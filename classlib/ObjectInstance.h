// Window procedures bound to an object and one of its methods, for windows this library did not
// create (the skin engine subclasses system dialogs and their children with them).
#pragma once

#include <windows.h>

#include "Controls.h"

// A window procedure that hands each message to Method as a TMessage and returns its Result.
// Raises EOutOfResources when every one of the procedures is in use.
WNDPROC MakeObjectInstance(TWndMethod Method);
// Gives the procedure back; a null or unknown one is ignored.
void FreeObjectInstance(WNDPROC Instance);
