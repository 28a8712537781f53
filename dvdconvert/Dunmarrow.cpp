// Dunmarrow: the DVD converter.
#include <objbase.h>

#include "Forms.h"
#include "Startup.h"
#include "ZUBSkinUnits.h"
#include "Unit1.h"

// The units start, the application runs until the main form closes, every form is freed, the
// units finish (Startup.h), the skin library's among them; an error box for a failure, then the program ends.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RegisterSkinUnits();
  // The folder browser is a shell dialog: COM for the main thread, released at exit.
  struct ComApartment {
    HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComApartment() {
      if (SUCCEEDED(result)) CoUninitialize();
    }
  } com;
  return RunProgram([] {
    Application->Initialize();
    Application->SetHelpFile("quorra.chm");
    Application->CreateForm(Form1);
    Application->Run();
  });
}
