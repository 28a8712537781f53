// The launcher program.
#include <windows.h>

#include "Forms.h"
#include "Startup.h"
#include "ZUBSkinUnits.h"
#include "Unita.h"

// The units start, the application runs until the main form closes, every form is freed, the
// units finish (Startup.h), the skin library's among them.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RegisterSkinUnits();
  RunProgram([] {
    Application->Initialize();
    Application->SetHelpFile("quorra.chm");  // the form's creation puts the full path in its place
    Application->CreateForm(mainform);
    Application->Run();
  });
  return 0;
}
