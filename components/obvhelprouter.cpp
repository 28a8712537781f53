#include "obvhelprouter.h"

#include <htmlhelp.h>
#include <windowsx.h>

#include "SysUtils.h"
#include "obvhhapi.h"

DEFINE_COMPONENT(THelpRouter, TComponent,
                 ({Prop<&THelpRouter::HelpType, &THelpRouter::SetHelpType>("HelpType"),
                   Prop<&THelpRouter::ShowType, &THelpRouter::SetShowType>("ShowType"),
                   Field<&THelpRouter::OnHelp>("OnHelp"),
                   Prop<&THelpRouter::Helpfile, &THelpRouter::SetHelpfile>("Helpfile"),
                   Prop<&THelpRouter::CHMPopupTopics, &THelpRouter::SetCHMPopupTopics>("CHMPopupTopics"),
                   Prop<&THelpRouter::ValidateID, &THelpRouter::SetValidateID>("ValidateID")}),
                 ({}))

namespace {

// The one router that has the application's help event: a program has one help event to take over.
THelpRouter* registeredRouter = nullptr;

// What the engines are handed lives on after the call, since an engine may read it later.
std::string currentHelpFile;
std::string popupText;
HH_POPUP popup;

TWinHelpProc winHelp = WinHelpA;

const char* const defaultPopupTopics = "CSHelp.txt";

DWORD_PTR EngineData(int32_t Data) { return static_cast<uint32_t>(Data); }

}  // namespace

TWinHelpProc SetWinHelpProc(TWinHelpProc Proc) {
  TWinHelpProc previous = winHelp;
  winHelp = Proc;
  return previous;
}

THelpRouter::THelpRouter(TComponent* AOwner) : TComponent(AOwner) {
  CheckSingleInstance();
  if (!ComponentState().Contains(csDesigning)) {
    FSavedHelp = Application->OnHelp;
    Application->OnHelp = THelpEvent::Bind<&THelpRouter::RouteHelp>(this);
    registeredRouter = this;
  }
  FShowType = stDefault;
  FCHMPopupTopics = defaultPopupTopics;
}

THelpRouter::~THelpRouter() {
  if (!ComponentState().Contains(csDesigning) && registeredRouter == this) {
    if (Application) Application->OnHelp = FSavedHelp;
    registeredRouter = nullptr;
  }
}

void THelpRouter::CheckSingleInstance() {
  if (registeredRouter) throw Exception("Multiple instances of THelpRouter are not allowed");
}

void THelpRouter::SetHelpType(THelpType Value) {
  if (Value != FHelpType) FHelpType = Value;
}

bool THelpRouter::RouteHelp(uint16_t Command, int32_t Data, bool& CallHelp) {
  bool result = false;
  if (OnHelp) {
    result = OnHelp(Command, Data, CallHelp);
    if (!CallHelp) return result;
  }
  if (FSavedHelp) {
    result = FSavedHelp(Command, Data, CallHelp);
    if (!CallHelp) return result;
  }
  currentHelpFile = GetHelpFile();
  if (FShowType == stMain) {
    if (Command == HELP_CONTEXTPOPUP) Command = HELP_CONTEXT;
    else if (Command == HELP_SETPOPUP_POS) Command = 0;
  }
  bool popupRequest = Command == HELP_CONTEXTPOPUP || Command == HELP_SETPOPUP_POS;
  if (FHelpType == htHTMLhelp || (FHelpType == htMixedMode && !popupRequest))
    return RouteToHtmlHelp(Command, Data, CallHelp, result);
  return RouteToWinHelp(Command, Data, CallHelp);
}

bool THelpRouter::RouteToWinHelp(uint16_t Command, int32_t Data, bool& CallHelp) {
  bool result = true;
  if (Command != 0) {
    if (FHelpType == htMixedMode && Command == HELP_CONTEXTPOPUP &&
        LowerCase(ExtractFileExt(FCHMPopupTopics)) == ".hlp") {
      // A WinHelp file of popups named without a folder lies beside the help file.
      currentHelpFile = ExtractFilePath(FCHMPopupTopics).empty()
                            ? ExtractFilePath(currentHelpFile) + FCHMPopupTopics
                            : FCHMPopupTopics;
    }
    std::string file = ChangeFileExt(currentHelpFile, ".hlp");
    result = winHelp(GetHelpWindow(), file.c_str(), Command, EngineData(Data)) != 0;
  }
  CallHelp = false;
  return result;
}

bool THelpRouter::RouteToHtmlHelp(uint16_t Command, int32_t Data, bool& CallHelp, bool Result) {
  if (!IsHtmlHelpLoaded() && Command == HELP_QUIT) {
    // Nothing to close: the engine is not loaded just to be told to quit.
    CallHelp = false;
    return true;
  }
  if (!HtmlHelpAvailable()) return Result;  // CallHelp stays set: the application goes on itself
  currentHelpFile = ChangeFileExt(currentHelpFile, ".chm");
  const char* file = currentHelpFile.c_str();
  HWND answer = nullptr;
  switch (Command) {
    case HELP_CONTEXT:
      answer = CallHtmlHelp(nullptr, file, HH_HELP_CONTEXT, EngineData(Data));
      break;
    case HELP_QUIT:
      answer = CallHtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
      break;
    case HELP_CONTENTS:
    case HELP_FINDER:
      answer = CallHtmlHelp(nullptr, file, HH_DISPLAY_TOC, 0);
      break;
    case HELP_TAB:
      answer = CallHtmlHelp(nullptr, file, Data != 0 ? HH_DISPLAY_INDEX : HH_DISPLAY_TOC, 0);
      break;
    case HELP_KEY:
    case HELP_PARTIALKEY:
      answer = CallHtmlHelp(nullptr, file, HH_DISPLAY_INDEX, EngineData(Data));
      break;
    case HELP_SETPOPUP_POS:
      FPopupX = GET_X_LPARAM(static_cast<LPARAM>(Data));
      FPopupY = GET_Y_LPARAM(static_cast<LPARAM>(Data));
      break;
    case HELP_CONTEXTPOPUP: {
      if (FPopupX == 0 && FPopupY == 0) {
        POINT cursor{};
        GetCursorPos(&cursor);
        FPopupX = cursor.x;
        FPopupY = cursor.y;
      }
      ShowPopup(FPopupX, FPopupY, "", Data);
      FPopupX = 0;
      FPopupY = 0;
      CallHelp = false;
      return true;
    }
    default:
      break;
  }
  CallHelp = false;
  return answer != nullptr;
}

bool THelpRouter::ShowPopup(int32_t X, int32_t Y, const std::string& Text, int32_t Context) {
  if (!HtmlHelpAvailable()) return false;
  popupText = Text;
  popup = HH_POPUP{};
  popup.cbStruct = sizeof(popup);
  popup.hinst = nullptr;
  popup.idString = Text.empty() ? static_cast<UINT>(Context) : 0;
  popup.pszText = popupText.c_str();
  popup.pt = POINT{X, Y};
  popup.clrForeground = static_cast<COLORREF>(-1);  // -1: the engine's own colours and margins
  popup.clrBackground = static_cast<COLORREF>(-1);
  popup.rcMargins = RECT{-1, -1, -1, -1};
  popup.pszFont = "MS Sans Serif, 8";
  HWND answer;
  if (popup.idString != 0) {
    if (FCHMPopupTopics.empty()) FCHMPopupTopics = defaultPopupTopics;
    currentHelpFile = ChangeFileExt(GetHelpFile(), ".chm") + "::/" + FCHMPopupTopics;
    answer = CallHtmlHelp(GetHelpWindow(), currentHelpFile.c_str(), HH_DISPLAY_TEXT_POPUP,
                          reinterpret_cast<DWORD_PTR>(&popup));
  } else {
    answer = CallHtmlHelp(GetHelpWindow(), nullptr, HH_DISPLAY_TEXT_POPUP, reinterpret_cast<DWORD_PTR>(&popup));
  }
  return answer != nullptr;
}

bool THelpRouter::ShowHelpContents() { return Application->HelpCommand(HELP_TAB, 0); }

TCustomForm* THelpRouter::GetActiveForm() {
  if (TCustomForm* form = Screen->ActiveForm()) return form;
  if (TCustomForm* form = Screen->ActiveCustomForm()) return form;
  if (!Owner()) return nullptr;
  if (TCustomForm* form = As<TCustomForm>(Owner())) return form;
  throw EInvalidCast("Invalid class typecast");
}

std::string THelpRouter::GetHelpFile() {
  if (!FHelpfile.empty()) return FHelpfile;
  TCustomForm* form = GetActiveForm();
  if (form && form->HandleAllocated() && !form->HelpFile().empty()) return form->HelpFile();
  return Application->HelpFile();
}

HWND THelpRouter::GetHelpWindow() {
  TCustomForm* form = GetActiveForm();
  if (form && form->HandleAllocated()) return form->Handle();
  return Application->Handle();
}
