// The binding to the compiled HTML help engine (HHCTRL.OCX): loaded on first use, freed at exit.
#pragma once

#include <windows.h>

using THtmlHelpProc = HWND(WINAPI*)(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);

// The module calls behind the binding; a test puts its own in place to stand in for the engine.
struct THtmlHelpLoader {
  HMODULE (*Load)(const char* FileName);
  FARPROC (*Find)(HMODULE Module, const char* ProcName);
  void (*Free)(HMODULE Module);
};

// LoadLibraryA, GetProcAddress and FreeLibrary.
THtmlHelpLoader PlatformHtmlHelpLoader();
// Returns the loader it replaced; the binding's state is not touched.
THtmlHelpLoader SetHtmlHelpLoader(const THtmlHelpLoader& Loader);

// Loads the engine when it is not loaded; True when its HtmlHelpA entry point is known.
bool HtmlHelpAvailable();
bool IsHtmlHelpLoaded();
// A failed load is tried again on the next call; a module without HtmlHelpA is kept as it is.
bool LoadHtmlHelp();
void UnloadHtmlHelp();

// HtmlHelpA of the loaded engine; null without calling anything when the entry point is unknown.
HWND CallHtmlHelp(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);
