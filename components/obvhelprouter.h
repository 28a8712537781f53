// THelpRouter: takes over the application's help event and hands each request to HTML Help or WinHelp.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "Component.h"
#include "Forms.h"

#ifndef HELP_TAB
#define HELP_TAB 0x000F  // the contents page on a given tab; the platform headers lack it
#endif

DECLARE_ENUM(THelpType, htWinhelp, htHTMLhelp, htMixedMode)
DECLARE_ENUM(TShowType, stDefault, stMain, stPopup)

using TWinHelpProc = BOOL(WINAPI*)(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData);
// Returns the WinHelp entry it replaced (WinHelpA at start); a test puts a recorder in its place.
TWinHelpProc SetWinHelpProc(TWinHelpProc Proc);

class THelpRouter : public TComponent {
  DECLARE_CLASS(THelpRouter, TComponent)
 public:
  // Raises Exception when another router has the application's help event.
  explicit THelpRouter(TComponent* AOwner);
  ~THelpRouter() override;

  // The application's help event while this router is registered.
  bool RouteHelp(uint16_t Command, int32_t Data, bool& CallHelp);
  // A text popup at a screen point: Text, or when it is empty the topic Context of CHMPopupTopics.
  bool ShowPopup(int32_t X, int32_t Y, const std::string& Text, int32_t Context);
  bool ShowHelpContents();

  TCustomForm* GetActiveForm();
  std::string GetHelpFile();
  HWND GetHelpWindow();

  THelpType HelpType() const { return FHelpType; }
  void SetHelpType(THelpType Value);
  TShowType ShowType() const { return FShowType; }
  void SetShowType(TShowType Value) { FShowType = Value; }
  // Wins over the form's and the application's help file when not empty.
  std::string Helpfile() const { return FHelpfile; }
  void SetHelpfile(std::string Value) { FHelpfile = std::move(Value); }
  // The topic file inside the compiled help file that text popups come from.
  std::string CHMPopupTopics() const { return FCHMPopupTopics; }
  void SetCHMPopupTopics(std::string Value) { FCHMPopupTopics = std::move(Value); }
  // Stored by the form resources; the router does not use it.
  bool ValidateID() const { return FValidateID; }
  void SetValidateID(bool Value) { FValidateID = Value; }

  // Asked first on every request; clearing CallHelp ends the routing with its result.
  THelpEvent OnHelp;

 private:
  void CheckSingleInstance();
  bool RouteToWinHelp(uint16_t Command, int32_t Data, bool& CallHelp);
  bool RouteToHtmlHelp(uint16_t Command, int32_t Data, bool& CallHelp, bool Result);

  THelpType FHelpType = htWinhelp;
  TShowType FShowType = stDefault;
  THelpEvent FSavedHelp;  // the application's help event before this router took it over
  std::string FHelpfile;
  std::string FCHMPopupTopics;
  bool FValidateID = false;
  // From a HELP_SETPOPUP_POS request to the next context popup; (0, 0) means none.
  int32_t FPopupX = 0;
  int32_t FPopupY = 0;
};

// Form resources create THelpRouter by name: every unit that includes this header links its registration.
namespace {
[[maybe_unused]] const TClass HelpRouterClassLinked = THelpRouter::StaticClass();
}
