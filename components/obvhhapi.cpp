#include "obvhhapi.h"

namespace {

HMODULE PlatformLoad(const char* FileName) { return LoadLibraryA(FileName); }
FARPROC PlatformFind(HMODULE Module, const char* ProcName) { return GetProcAddress(Module, ProcName); }
void PlatformFree(HMODULE Module) { FreeLibrary(Module); }

// The engine is loaded once per program, so its handle and entry point are program-wide.
THtmlHelpLoader loader = {PlatformLoad, PlatformFind, PlatformFree};
HMODULE module = nullptr;
THtmlHelpProc htmlHelpA = nullptr;

// Stands for the unit's finalisation: the engine is freed when the program ends.
struct TUnloadAtExit {
  ~TUnloadAtExit() { UnloadHtmlHelp(); }
} unloadAtExit;

}  // namespace

THtmlHelpLoader PlatformHtmlHelpLoader() { return {PlatformLoad, PlatformFind, PlatformFree}; }

THtmlHelpLoader SetHtmlHelpLoader(const THtmlHelpLoader& Loader) {
  THtmlHelpLoader previous = loader;
  loader = Loader;
  return previous;
}

bool IsHtmlHelpLoaded() { return module != nullptr; }

bool LoadHtmlHelp() {
  if (!module) {
    htmlHelpA = nullptr;
    try {
      module = loader.Load("HHCTRL.OCX");
      if (module) {
        // Through the generic function type: GetProcAddress knows nothing of the signature.
        htmlHelpA = reinterpret_cast<THtmlHelpProc>(reinterpret_cast<void (*)()>(loader.Find(module, "HtmlHelpA")));
      }
    } catch (...) {
      // A failed load leaves the request to the application; nothing is reported.
    }
  }
  return module != nullptr;
}

bool HtmlHelpAvailable() {
  if (!IsHtmlHelpLoaded()) LoadHtmlHelp();
  return htmlHelpA != nullptr;
}

void UnloadHtmlHelp() {
  if (module) loader.Free(module);
  module = nullptr;
  htmlHelpA = nullptr;
}

HWND CallHtmlHelp(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData) {
  return htmlHelpA ? htmlHelpA(hwndCaller, pszFile, uCommand, dwData) : nullptr;
}
