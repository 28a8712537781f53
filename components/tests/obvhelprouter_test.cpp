// What the help router hands to the engines: a recording HtmlHelpA behind the binding's loader and a
// recording WinHelpA in place of the platform's.
#include "obvhelprouter.h"

#include <htmlhelp.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "FormReader.h"
#include "GameInfo.h"
#include "obvhhapi.h"

namespace {

constexpr const char* kNone = "(none)";

struct EngineCall {
  std::string engine;  // "HtmlHelp" or "WinHelp"
  HWND window;
  std::string file;
  UINT command;
  DWORD_PTR data;
  // A copy of the popup record of HH_DISPLAY_TEXT_POPUP, with the texts it points to.
  HH_POPUP popup;
  std::string popupText;
  std::string popupFont;
};

std::vector<EngineCall> calls;
HWND htmlHelpAnswer;
BOOL winHelpAnswer;
bool engineMissing;
int loads;

HWND WINAPI RecordHtmlHelp(HWND window, LPCSTR file, UINT command, DWORD_PTR data) {
  EngineCall call{"HtmlHelp", window, file ? file : kNone, command, data, {}, {}, {}};
  if (command == HH_DISPLAY_TEXT_POPUP) {
    call.popup = *reinterpret_cast<const HH_POPUP*>(data);
    call.popupText = call.popup.pszText ? call.popup.pszText : kNone;
    call.popupFont = call.popup.pszFont ? call.popup.pszFont : kNone;
  }
  calls.push_back(call);
  return htmlHelpAnswer;
}

BOOL WINAPI RecordWinHelp(HWND window, LPCSTR file, UINT command, ULONG_PTR data) {
  calls.push_back({"WinHelp", window, file ? file : kNone, command, data, {}, {}, {}});
  return winHelpAnswer;
}

HMODULE FakeLoad(const char*) {
  ++loads;
  return engineMissing ? nullptr : reinterpret_cast<HMODULE>(0x10000);
}
FARPROC FakeFind(HMODULE, const char*) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(RecordHtmlHelp));
}
void FakeFree(HMODULE) {}

struct FreeObject {
  void operator()(TObject* obj) const { obj->Free(); }
};
template <class T>
using Owned = std::unique_ptr<T, FreeObject>;

class HelpRouterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    htmlHelpAnswer = reinterpret_cast<HWND>(1);
    winHelpAnswer = TRUE;
    engineMissing = false;
    loads = 0;
    previousLoader_ = SetHtmlHelpLoader({FakeLoad, FakeFind, FakeFree});
    previousWinHelp_ = SetWinHelpProc(RecordWinHelp);
    Application->SetHelpFile("C:\\prog\\quorra.chm");
    router_.reset(Create<THelpRouter>(nullptr));
    router_->SetHelpType(htHTMLhelp);
  }
  void TearDown() override {
    router_.reset();
    UnloadHtmlHelp();
    SetHtmlHelpLoader(previousLoader_);
    SetWinHelpProc(previousWinHelp_);
    Application->SetHelpFile("");
  }

  bool Route(uint16_t command, int32_t data, bool* callHelpOut = nullptr) {
    bool callHelp = true;
    bool result = router_->RouteHelp(command, data, callHelp);
    if (callHelpOut) *callHelpOut = callHelp;
    return result;
  }
  Owned<THelpRouter> router_;
  THtmlHelpLoader previousLoader_{};
  TWinHelpProc previousWinHelp_ = nullptr;
};

struct Expected {
  const char* engine;
  const char* file;
  UINT command;
  DWORD_PTR data;
};

void ExpectCall(const std::optional<Expected>& expected, const std::string& what) {
  if (!expected) {
    EXPECT_TRUE(calls.empty()) << what << ": " << calls.front().engine << " " << calls.front().command;
    return;
  }
  ASSERT_EQ(calls.size(), 1u) << what;
  EXPECT_EQ(calls[0].engine, expected->engine) << what;
  EXPECT_EQ(calls[0].file, expected->file) << what;
  EXPECT_EQ(calls[0].command, expected->command) << what;
  EXPECT_EQ(calls[0].data, expected->data) << what;
}

const char* const chm = "C:\\prog\\quorra.chm";
const char* const hlp = "C:\\prog\\quorra.hlp";

TEST_F(HelpRouterTest, TranslatesEachWinHelpCommandForHtmlHelp) {
  struct Case {
    const char* name;
    uint16_t command;
    int32_t data;
    std::optional<Expected> call;
    bool result;
  };
  const Case cases[] = {
      {"context", HELP_CONTEXT, 42, Expected{"HtmlHelp", chm, HH_HELP_CONTEXT, 42}, true},
      {"contents", HELP_CONTENTS, 0, Expected{"HtmlHelp", chm, HH_DISPLAY_TOC, 0}, true},
      {"finder", HELP_FINDER, 0, Expected{"HtmlHelp", chm, HH_DISPLAY_TOC, 0}, true},
      {"tab 0", HELP_TAB, 0, Expected{"HtmlHelp", chm, HH_DISPLAY_TOC, 0}, true},
      {"tab 2", HELP_TAB, 2, Expected{"HtmlHelp", chm, HH_DISPLAY_INDEX, 0}, true},
      {"key", HELP_KEY, 0x1234, Expected{"HtmlHelp", chm, HH_DISPLAY_INDEX, 0x1234}, true},
      {"partial key", HELP_PARTIALKEY, 0x5678, Expected{"HtmlHelp", chm, HH_DISPLAY_INDEX, 0x5678}, true},
      {"quit", HELP_QUIT, 0, Expected{"HtmlHelp", kNone, HH_CLOSE_ALL, 0}, true},
      {"set popup position", HELP_SETPOPUP_POS, MAKELONG(10, 20), std::nullopt, false},
      {"unknown command", 99, 7, std::nullopt, false},
  };
  ASSERT_TRUE(LoadHtmlHelp());  // so that HELP_QUIT reaches the engine
  for (const Case& c : cases) {
    calls.clear();
    bool callHelp = true;
    EXPECT_EQ(Route(c.command, c.data, &callHelp), c.result) << c.name;
    EXPECT_FALSE(callHelp) << c.name;
    ExpectCall(c.call, c.name);
  }
  htmlHelpAnswer = nullptr;  // the engine's answer is the request's result
  EXPECT_FALSE(Route(HELP_CONTEXT, 1));
}

TEST_F(HelpRouterTest, QuitBeforeAnyRequestDoesNotLoadTheEngine) {
  bool callHelp = true;
  EXPECT_TRUE(Route(HELP_QUIT, 0, &callHelp));
  EXPECT_FALSE(callHelp);
  EXPECT_EQ(loads, 0);
  EXPECT_TRUE(calls.empty());
}

TEST_F(HelpRouterTest, MissingEngineLeavesTheRequestToTheApplication) {
  engineMissing = true;
  for (uint16_t command : {uint16_t(HELP_CONTEXT), uint16_t(HELP_CONTEXTPOPUP)}) {
    bool callHelp = true;
    EXPECT_FALSE(Route(command, 1, &callHelp)) << command;
    EXPECT_TRUE(callHelp) << command;
  }
  EXPECT_FALSE(router_->ShowPopup(1, 1, "text", 0));
  EXPECT_TRUE(calls.empty());
}

TEST_F(HelpRouterTest, ShowHelpContentsGoesThroughTheApplication) {
  EXPECT_TRUE(router_->ShowHelpContents());
  ExpectCall(Expected{"HtmlHelp", chm, HH_DISPLAY_TOC, 0}, "contents");
}

TEST_F(HelpRouterTest, ContextPopupUsesTheStoredPositionOnceAndTheCursorOtherwise) {
  SetCursorPos(123, 77);
  POINT cursor{};
  GetCursorPos(&cursor);
  if (cursor.x != 123 || cursor.y != 77) GTEST_SKIP() << "the cursor cannot be placed on this desktop";
  struct Step {
    std::optional<LONG> position;  // a HELP_SETPOPUP_POS request before the popup
    POINT cursor;
    POINT shown;
  };
  const Step steps[] = {
      {std::nullopt, {123, 77}, {123, 77}},     // nothing stored: the cursor
      {std::nullopt, {200, 150}, {200, 150}},   // and again
      {MAKELONG(300, 40), {10, 10}, {300, 40}},
      {std::nullopt, {11, 12}, {11, 12}},       // the popup reset it
      {MAKELONG(0, 0), {13, 14}, {13, 14}},     // (0, 0) counts as none
      {MAKELONG(static_cast<WORD>(-5), 20), {15, 16}, {-5, 20}},  // signed 16-bit halves
  };
  for (const Step& step : steps) {
    calls.clear();
    if (step.position) {
      EXPECT_FALSE(Route(HELP_SETPOPUP_POS, *step.position));
    }
    SetCursorPos(step.cursor.x, step.cursor.y);
    EXPECT_TRUE(Route(HELP_CONTEXTPOPUP, 5));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].popup.pt.x, step.shown.x) << step.cursor.x;
    EXPECT_EQ(calls[0].popup.pt.y, step.shown.y) << step.cursor.x;
  }
}

TEST_F(HelpRouterTest, ContextPopupTakesItsTopicFromThePopupFile) {
  htmlHelpAnswer = nullptr;  // answered True whatever the popup did
  Route(HELP_SETPOPUP_POS, MAKELONG(30, 40));
  bool callHelp = true;
  EXPECT_TRUE(Route(HELP_CONTEXTPOPUP, 77, &callHelp));
  EXPECT_FALSE(callHelp);
  ASSERT_EQ(calls.size(), 1u);
  const EngineCall& call = calls[0];
  const HH_POPUP& popup = call.popup;
  EXPECT_EQ(call.window, Application->Handle());
  EXPECT_EQ(call.file, "C:\\prog\\quorra.chm::/CSHelp.txt");
  EXPECT_EQ(call.command, static_cast<UINT>(HH_DISPLAY_TEXT_POPUP));
  EXPECT_EQ(popup.cbStruct, static_cast<int>(sizeof(HH_POPUP)));
  EXPECT_EQ(popup.hinst, nullptr);
  EXPECT_EQ(popup.idString, 77u);
  EXPECT_EQ(call.popupText, "");
  EXPECT_EQ(popup.clrForeground, static_cast<COLORREF>(-1));  // -1: the engine's own colours and margins
  EXPECT_EQ(popup.clrBackground, static_cast<COLORREF>(-1));
  for (LONG margin : {popup.rcMargins.left, popup.rcMargins.top, popup.rcMargins.right, popup.rcMargins.bottom}) {
    EXPECT_EQ(margin, -1);
  }
  EXPECT_EQ(call.popupFont, "MS Sans Serif, 8");
}

TEST_F(HelpRouterTest, PopupWithTextNeedsNoFileAndEmptyTopicFileFallsBack) {
  EXPECT_TRUE(router_->ShowPopup(5, 6, "Plain text", 12));
  router_->SetCHMPopupTopics("");
  EXPECT_TRUE(router_->ShowPopup(5, 6, "", 12));
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].file, kNone);
  EXPECT_EQ(calls[0].popup.idString, 0u);
  EXPECT_EQ(calls[0].popupText, "Plain text");
  EXPECT_EQ(calls[1].file, "C:\\prog\\quorra.chm::/CSHelp.txt");
  EXPECT_EQ(router_->CHMPopupTopics(), "CSHelp.txt");
}

TEST_F(HelpRouterTest, MainShowTypeTurnsPopupsIntoTopics) {
  struct Case {
    THelpType type;
    uint16_t command;
    std::optional<Expected> call;
    bool result;
  };
  const Case cases[] = {
      {htHTMLhelp, HELP_CONTEXTPOPUP, Expected{"HtmlHelp", chm, HH_HELP_CONTEXT, 9}, true},
      {htHTMLhelp, HELP_SETPOPUP_POS, std::nullopt, false},
      {htMixedMode, HELP_CONTEXTPOPUP, Expected{"HtmlHelp", chm, HH_HELP_CONTEXT, 9}, true},
      {htMixedMode, HELP_SETPOPUP_POS, std::nullopt, false},
      {htWinhelp, HELP_CONTEXTPOPUP, Expected{"WinHelp", hlp, HELP_CONTEXT, 9}, true},
      {htWinhelp, HELP_SETPOPUP_POS, std::nullopt, true},
  };
  router_->SetShowType(stMain);
  for (const Case& c : cases) {
    calls.clear();
    router_->SetHelpType(c.type);
    bool callHelp = true;
    std::string what = std::to_string(c.type) + "/" + std::to_string(c.command);
    EXPECT_EQ(Route(c.command, 9, &callHelp), c.result) << what;
    EXPECT_FALSE(callHelp) << what;
    ExpectCall(c.call, what);
  }
}

TEST_F(HelpRouterTest, MixedModeSendsPopupsToWinHelp) {
  struct Case {
    const char* topics;
    uint16_t command;
    Expected call;
  };
  const Case cases[] = {
      {"CSHelp.txt", HELP_CONTEXTPOPUP, {"WinHelp", hlp, HELP_CONTEXTPOPUP, 5}},
      {"popups.hlp", HELP_CONTEXTPOPUP, {"WinHelp", "C:\\prog\\popups.hlp", HELP_CONTEXTPOPUP, 5}},
      {"D:\\other\\Popups.HLP", HELP_CONTEXTPOPUP, {"WinHelp", "D:\\other\\Popups.hlp", HELP_CONTEXTPOPUP, 5}},
      {"popups.hlp", HELP_SETPOPUP_POS, {"WinHelp", hlp, HELP_SETPOPUP_POS, 5}},
      {"popups.hlp", HELP_CONTEXT, {"HtmlHelp", chm, HH_HELP_CONTEXT, 5}},
  };
  router_->SetHelpType(htMixedMode);
  for (const Case& c : cases) {
    calls.clear();
    router_->SetCHMPopupTopics(c.topics);
    std::string what = std::string(c.topics) + "/" + std::to_string(c.command);
    EXPECT_TRUE(Route(c.command, 5)) << what;
    ExpectCall(c.call, what);
  }
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].window, nullptr);  // HTML Help is asked without a caller window
}

TEST_F(HelpRouterTest, WinHelpTypeSendsEverythingButCommandZeroToWinHelp) {
  router_->SetHelpType(htWinhelp);
  router_->SetCHMPopupTopics("popups.hlp");  // only the mixed mode takes popups from it
  for (uint16_t command : {uint16_t(HELP_CONTEXT), uint16_t(HELP_QUIT), uint16_t(HELP_CONTEXTPOPUP), uint16_t(HELP_TAB)}) {
    calls.clear();
    EXPECT_TRUE(Route(command, 3)) << command;
    ExpectCall(Expected{"WinHelp", hlp, command, 3}, std::to_string(command));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].window, Application->Handle());
  }
  calls.clear();
  bool callHelp = true;
  EXPECT_TRUE(Route(0, 3, &callHelp));
  EXPECT_FALSE(callHelp);
  EXPECT_TRUE(calls.empty());
  winHelpAnswer = FALSE;
  EXPECT_FALSE(Route(HELP_CONTEXT, 3, &callHelp));
  EXPECT_EQ(loads, 0);
}

// Handlers asked before the engines; each records its turn.
struct Handler {
  std::vector<std::string>* turns;
  std::string name;
  bool answer;
  bool stop;
  bool Help(uint16_t, int32_t, bool& CallHelp) {
    turns->push_back(name);
    if (stop) CallHelp = false;
    return answer;
  }
};

TEST_F(HelpRouterTest, HandlersAnswerFirstAndCanStopTheRouting) {
  struct Case {
    const char* name;
    bool ownStops, savedStops;
    std::vector<std::string> turns;
    bool result;
    size_t engineCalls;
  };
  const Case cases[] = {
      {"own handler stops", true, false, {"own"}, true, 0},
      {"saved handler stops", false, true, {"own", "saved"}, false, 0},
      {"neither stops", false, false, {"own", "saved"}, true, 1},
  };
  for (const Case& c : cases) {
    calls.clear();
    std::vector<std::string> turns;
    Handler own{&turns, "own", true, c.ownStops};
    Handler saved{&turns, "saved", false, c.savedStops};
    router_.reset();
    Application->OnHelp = THelpEvent::Bind<&Handler::Help>(&saved);
    router_.reset(Create<THelpRouter>(nullptr));
    router_->SetHelpType(htHTMLhelp);
    router_->OnHelp = THelpEvent::Bind<&Handler::Help>(&own);
    EXPECT_EQ(Application->HelpCommand(HELP_CONTEXT, 1), c.result) << c.name;
    EXPECT_EQ(turns, c.turns) << c.name;
    EXPECT_EQ(calls.size(), c.engineCalls) << c.name;
    router_.reset();  // gives the saved handler back
    EXPECT_EQ(Application->OnHelp, THelpEvent::Bind<&Handler::Help>(&saved)) << c.name;
    Application->OnHelp = nullptr;
  }
}

TEST_F(HelpRouterTest, SecondRouterIsRefusedAndTheFirstKeepsTheHelpEvent) {
  try {
    Create<THelpRouter>(nullptr);
    FAIL() << "a second router was created";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Multiple instances of THelpRouter are not allowed");
    EXPECT_EQ(e.ClassName(), "Exception");
  }
  EXPECT_TRUE(Application->HelpCommand(HELP_CONTEXT, 3));
  ExpectCall(Expected{"HtmlHelp", chm, HH_HELP_CONTEXT, 3}, "first router");

  router_.reset();  // the registration goes with the router
  EXPECT_FALSE(Application->OnHelp.Assigned());
  ASSERT_NO_THROW(router_.reset(Create<THelpRouter>(nullptr)));
}

TEST_F(HelpRouterTest, HelpFileAndWindowComeFromRouterFormOrApplication) {
  router_.reset();
  Owned<TForm> form(Create<TForm>(nullptr, true));
  router_.reset(Create<THelpRouter>(form.get()));
  router_->SetHelpType(htHTMLhelp);
  EXPECT_EQ(router_->GetActiveForm(), form.get());
  form->SetHelpFile("C:\\form\\topics.hlp");
  EXPECT_EQ(router_->GetHelpFile(), chm);  // a form without a window is passed over
  EXPECT_EQ(router_->GetHelpWindow(), Application->Handle());
  form->HandleNeeded();
  EXPECT_EQ(router_->GetHelpWindow(), form->Handle());
  Route(HELP_CONTEXT, 1);
  router_->SetHelpfile("D:\\own\\mine.hlp");  // the router's own file wins
  Route(HELP_CONTEXT, 1);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].file, "C:\\form\\topics.chm");  // with the compiled extension
  EXPECT_EQ(calls[1].file, "D:\\own\\mine.chm");
  router_.reset();  // before the form that owns it
}

TEST_F(HelpRouterTest, OwnerOfAnotherClassIsAnInvalidCast) {
  router_.reset();
  Owned<TComponent> owner(Create<TComponent>(nullptr));
  THelpRouter* router = Create<THelpRouter>(owner.get());
  EXPECT_THROW(router->GetActiveForm(), EInvalidCast);
  owner.reset();  // frees the router with it
  EXPECT_FALSE(Application->OnHelp.Assigned());
}

TEST_F(HelpRouterTest, FormResourceSetsThePublishedProperties) {
  router_.reset();
  Owned<TForm> form(Create<TForm>(nullptr, true));
  ReadComponentText(form.get(),
                    "object Form1: TForm\n"
                    "  object HelpRouter1: THelpRouter\n"
                    "    HelpType = htHTMLhelp\n"
                    "    CHMPopupTopics = 'CSHelp.txt'\n"
                    "    ValidateID = False\n"
                    "  end\n"
                    "  object GameInfo1: TGameInfo\n"
                    "  end\n"
                    "end\n");
  auto* router = As<THelpRouter>(form->FindComponent("HelpRouter1"));
  ASSERT_NE(router, nullptr);
  EXPECT_EQ(router->HelpType(), htHTMLhelp);
  EXPECT_EQ(router->ShowType(), stDefault);
  EXPECT_EQ(router->CHMPopupTopics(), "CSHelp.txt");
  EXPECT_FALSE(router->ValidateID());
  auto* info = As<TGameInfo>(form->FindComponent("GameInfo1"));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->OSPlatform(), "Windows NT");
  form.reset();
  EXPECT_FALSE(Application->OnHelp.Assigned());
}

}  // namespace
