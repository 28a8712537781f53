// Corvale: the video converter.
#include "Forms.h"
#include "Unit1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    Application->Initialize();
    Application->SetHelpFile("quorra.chm");
    Application->CreateForm(Form1);
    Application->Run();
  } catch (...) {
    Application->HandleException(nullptr);  // the error box, then the program ends
    return 1;
  }
  return 0;
}
