// Dunmarrow: the DVD converter.
#include <objbase.h>

#include "Forms.h"
#include "Unit1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The folder browser is a shell dialog: COM for the main thread, released at exit.
  struct ComApartment {
    HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComApartment() {
      if (SUCCEEDED(result)) CoUninitialize();
    }
  } com;
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
