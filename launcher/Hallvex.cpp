// The launcher program.
#include <windows.h>

#include "Forms.h"
#include "Startup.h"
#include "Unita.h"

// The units start, the application runs until the main form closes, every form is freed, the
// units finish (Startup.h).
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RunProgram([] {
    Application->Initialize();
    Application->SetHelpFile("quorra.chm");  // the form's creation puts the full path in its place
    Application->CreateForm(mainform);
    Application->Run();
  });
  return 0;
}
