#include "ZUBSkinHook.h"

#include <cstring>

#include "ImgList.h"
#include "StringList.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinMessages.h"
#include "ZUBSkinRegistry.h"

// One hook per program, as the platform hooks one thread.
HHOOK SkinHookHandle = nullptr;
TzubSkinEngine* SkinHookEngine = nullptr;

TStringList* NoBorderClassNames = nullptr;
TCustomImageList* MenuCheckImages = nullptr;
TCustomImageList* EmptyMenuImages = nullptr;

namespace {

// The class name as the system gives it; false when it gives none.
bool WindowClassName(HWND window, std::string& name) {
  char buffer[100];
  int n = GetClassNameA(window, buffer, sizeof buffer);
  if (n <= 0) return false;
  name.assign(buffer, static_cast<size_t>(n));
  return true;
}

// True when the creation is to be refused.
bool HandleHook(int Code, WPARAM wParam, LPARAM lParam) {
  TzubSkinEngine* engine = SkinHookEngine;
  if (Code <= 0 || !engine || !engine->IsSkinning()) return false;
  HWND window = reinterpret_cast<HWND>(wParam);
  std::string name;
  if (Code == HCBT_CREATEWND) {
    if (!WindowClassName(window, name) || _stricmp(name.c_str(), "SCROLLBAR") != 0) return false;
    auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
    if (!create || !create->lpcs || !(create->lpcs->style & SBS_SIZEGRIP) || !engine->IsSkinning()) return false;
    // Refused, a grip in a dialog's template would fail the whole dialog: it goes once made.
    std::string parent;
    if (!WindowClassName(create->lpcs->hwndParent, parent) || parent != "#32770") return true;
    PostMessageA(window, WM_CLOSE, 0, 0);
    return false;
  }
  if (Code == HCBT_ACTIVATE) {
    if (!WindowClassName(window, name)) return false;
    if (name != "TMessageForm" && name != "#32770") return false;
    if (engine->SkinDialogs && SendMessageA(window, ZM_ISSKINNED, 0, 0) == 0) engine->SkinWindowEx(window, true);
  }
  return false;
}

}  // namespace

LRESULT CALLBACK SkinCBTHookProc(int Code, WPARAM wParam, LPARAM lParam) {
  try {
    if (HandleHook(Code, wParam, lParam)) return 1;
  } catch (const std::exception&) {
    // A window that cannot be skinned keeps its plain look.
  }
  return CallNextHookEx(SkinHookHandle, Code, wParam, lParam);
}

void InstallSkinHook(TzubSkinEngine* Engine) {
  SkinHookHandle = SetWindowsHookExA(WH_CBT, SkinCBTHookProc, nullptr, GetCurrentThreadId());
  SkinHookEngine = Engine;
}

void RemoveSkinHook(TzubSkinEngine* Engine) {
  if (SkinHookEngine != Engine) return;
  if (SkinHookHandle) UnhookWindowsHookEx(SkinHookHandle);
  SkinHookHandle = nullptr;
  SkinHookEngine = nullptr;
}

void AddNoBorderClassName(const std::string& ClassName) {
  if (!NoBorderClassNames) NoBorderClassNames = new TStringList();
  NoBorderClassNames->Add(ClassName);
}

void ZUBSkinEngineInitialization() {
  MenuCheckImages = Create<TCustomImageList>(nullptr);
  TBitmap check;
  check.LoadFromResourceName(GetModuleHandleA(nullptr), "ZUBSKIN_MENU_CHECKED");
  check.SetTransparent(true);
  MenuCheckImages->AddMasked(&check, clWhite);
  EmptyMenuImages = Create<TCustomImageList>(nullptr);
  if (!NoBorderClassNames) NoBorderClassNames = new TStringList();
  // A wizard form of the designer; never seen in the programs.
  AddNoBorderClassName("TzubDesignWizard");
}

void ZUBSkinEngineFinalization() {
  delete NoBorderClassNames;
  NoBorderClassNames = nullptr;
  FreeAndNil(EmptyMenuImages);
  FreeAndNil(MenuCheckImages);
  SkinWndClassTable.clear();
  SkinControlClassTable.clear();
}
