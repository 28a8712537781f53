// The launcher program.
#include <windows.h>

#include "Forms.h"
#include "Unita.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    Application->Initialize();
    Application->SetHelpFile("quorra.chm");  // the form's creation puts the full path in its place
    Application->CreateForm(mainform);
    Application->Run();
  } catch (...) {
    Application->HandleException(Application);
  }
  return 0;
}
