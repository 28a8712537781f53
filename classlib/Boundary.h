// Exceptions never unwind through a window procedure, a hook, a timer or a thread boundary:
// each such boundary catches and calls HandleException, which hands the exception to the
// application object (its error box) once the application has installed its handler.
#pragma once

#include <exception>

class TObject;

using TExceptionHandler = void (*)(TObject* Sender, std::exception_ptr E);

// Call inside a catch block.
void HandleException(TObject* Sender);
void SetExceptionHandler(TExceptionHandler Handler);
