// The thread's CBT hook on real windows and dialogs, the two factories against tables of our
// own, and the unit's start-up and finish.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

#include "Dialogs.h"
#include "EngineTesting.h"
#include "ImgList.h"
#include "StdCtrls.h"
#include "StringList.h"
#include "ExtCtrls.h"

namespace {

// An engine that skins: active, with a skin loaded.
struct SkinningEngine : EngineForm {
  SkinningEngine() : skin("hook.zub", BasicSkin()) {
    engine->SetSkinFile(skin.path);
    engine->SetActive(true);
  }
  TempSkinFile skin;
};

std::string ClassOf(HWND window) {
  char name[100] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK FindVisibleDialog(HWND w, LPARAM found) {
  if (!IsWindowVisible(w) || ClassOf(w) != "#32770") return TRUE;
  *reinterpret_cast<HWND*>(found) = w;
  return FALSE;
}

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Runs a modal dialog; a second thread answers it with Cancel once it shows, after handing it
// to Probe.
void RunAndCancel(const std::function<void()>& modal, std::function<void(HWND)> probe = nullptr) {
  const DWORD thread = GetCurrentThreadId();
  std::atomic<bool> done{false};
  std::thread closer([&] {
    while (!done) {
      HWND found = nullptr;
      EnumThreadWindows(thread, FindVisibleDialog, reinterpret_cast<LPARAM>(&found));
      if (found && probe) probe(found), probe = nullptr;
      if (found) PostMessageA(found, WM_COMMAND, IDCANCEL, 0);
      Sleep(50);
    }
  });
  modal();
  done = true;
  closer.join();
}

// A modeless system dialog with nothing in it, or with a size grip (control 1).
HWND NewSystemDialog(bool grip = false) {
  struct alignas(4) {
    DLGTEMPLATE t;
    WORD menu, cls, title;
    DLGITEMTEMPLATE item;  // DWORD-aligned here
    WORD classMark, classAtom, text, extra;
  } tmpl{};
  tmpl.t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  tmpl.t.cdit = grip ? 1 : 0;
  tmpl.t.cx = 120;
  tmpl.t.cy = 60;
  tmpl.item = {WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN, 0, 100, 40, 20, 20, 1};
  tmpl.classMark = 0xFFFF;
  tmpl.classAtom = 0x0084;  // scroll bar
  return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &tmpl.t, nullptr, EmptyDialogProc, 0);
}

// Control skinners that say which row made them and whether AfterAttach ran.
template <int Row>
class TRowSkinVCL : public TzubSkinControlVCL {
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  void AfterAttach() override { attached = true; }
  int row = Row;
  bool attached = false;
};
template <int Row>
class TRowSkinWnd : public TzubSkinControlWnd {
 public:
  using TzubSkinControlWnd::TzubSkinControlWnd;
  void AfterAttach() override { attached = true; }
  int row = Row;
  bool attached = false;
};

// The tables as they were, back after the test.
struct SavedTables {
  SavedTables() : control(SkinControlClassTable), wnd(SkinWndClassTable) {
    SkinControlClassTable.clear();
    SkinWndClassTable.clear();
  }
  ~SavedTables() {
    SkinControlClassTable = control;
    SkinWndClassTable = wnd;
  }
  std::vector<TzubSkinControlRegistration> control;
  std::vector<TzubSkinWndRegistration> wnd;
};

// What a failed class-name look-up would leave in a name buffer on the stack below the caller:
// the name given, at every 16-byte boundary, where such buffers lie.
[[gnu::noinline]] void LeaveNameOnStack(const char* name) {
  volatile char area[4096];
  for (size_t i = 0; i < sizeof area; ++i) area[i] = i % 16 < std::strlen(name) ? name[i % 16] : '\0';
}

}  // namespace

TEST(SkinHook, SizeGripsAreRefusedWhileTheEngineSkins) {
  SkinningEngine f;
  const struct {
    bool active;
    DWORD style;
    bool created;
  } cases[] = {{true, SBS_SIZEGRIP, false}, {true, SBS_VERT, true}, {false, SBS_SIZEGRIP, true}};
  for (const auto& c : cases) {
    f.engine->SetActive(c.active);
    HWND bar = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | c.style, 0, 0, 16, 16, f.form->Handle(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(bar != nullptr, c.created) << c.active << " " << c.style;
    if (bar) DestroyWindow(bar);
  }
  // One in a dialog's template would fail the whole dialog: the dialog opens, the grip unseen.
  f.engine->SetActive(true);
  HWND dialog = NewSystemDialog(true);
  ASSERT_NE(dialog, nullptr);
  ShowWindow(dialog, SW_SHOW);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(GetDlgItem(dialog, 1)); }));
  DestroyWindow(dialog);
}

TEST(SkinHook, DialogsAreSkinnedOnceWhenActivated) {
  UseTestSkinWindows use;
  SkinningEngine f;
  char file[MAX_PATH] = {};
  OPENFILENAMEA open{};
  open.lStructSize = sizeof open;
  open.lpstrFile = file;
  open.nMaxFile = MAX_PATH;
  open.Flags = OFN_EXPLORER;
  const struct {
    const char* what;
    bool skinDialogs;
    std::function<void()> run;
    bool skinned;
  } cases[] = {
      {"message box", true, [] { RunAndCancel([] { MessageBoxA(nullptr, "text", "box", MB_OK); }); }, true},
      {"open dialog", true, [&] { RunAndCancel([&] { GetOpenFileNameA(&open); }); }, true},
      {"message box, dialogs off", false, [] { RunAndCancel([] { MessageBoxA(nullptr, "text", "box", MB_OK); }); }, false},
      {"message form", true,
       [] {
         TCustomForm* form = CreateMessageDialog("text");
         form->Show();
         form->Free();
       },
       true},
      {"other form", true,
       [] {
         TForm* form = Create<TForm>(nullptr, true);
         form->Show();
         form->Free();
       },
       false},
  };
  for (const auto& c : cases) {
    TTestSkinWindow::Created().clear();
    f.engine->SkinDialogs = c.skinDialogs;
    c.run();
    if (!c.skinned) {
      EXPECT_TRUE(TTestSkinWindow::Created().empty()) << c.what;
      continue;
    }
    ASSERT_EQ(TTestSkinWindow::Created().size(), 1u) << c.what;
    EXPECT_TRUE(TTestSkinWindow::Created()[0]->IsDialog) << c.what;
    f.engine->UnskinWindow(TTestSkinWindow::Created()[0]->GetHandle());
  }
}

TEST(SkinHook, DialogsGetTheForeignWindowSkinnerOnce) {
  SkinningEngine f;
  LRESULT answer = 0;
  RunAndCancel([] { MessageBoxA(nullptr, "text", "box", MB_OK); },
               [&](HWND box) { answer = SendMessageA(box, ZM_ISSKINNED, 0, 0); });
  EXPECT_EQ(answer, 1) << "the message box was skinned";

  HWND dialog = NewSystemDialog();
  ShowWindow(dialog, SW_SHOW);
  f.form->Show();
  SetActiveWindow(dialog);
  EXPECT_TRUE(WaitUntil([&] { return GetActiveWindow() == dialog; }));
  EXPECT_EQ(SendMessageA(dialog, ZM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(std::count_if(f.engine->FWindows.begin(), f.engine->FWindows.end(),
                          [&](TzubSkinWindow* w) { return w->GetHandle() == dialog; }), 1);
  DestroyWindow(dialog);
}

TEST(SkinHook, AWindowWithoutAClassNameIsLeftAlone) {
  UseTestSkinWindows use;
  SkinningEngine f;
  HWND gone = NewSystemDialog();
  DestroyWindow(gone);
  CREATESTRUCTA create{};
  create.style = SBS_SIZEGRIP;
  CBT_CREATEWNDA cbt{&create, nullptr};
  // Names that would count, had the hook read them where the system wrote nothing.
  LeaveNameOnStack("ScrollBar");
  const LRESULT refused = SkinCBTHookProc(HCBT_CREATEWND, reinterpret_cast<WPARAM>(gone), reinterpret_cast<LPARAM>(&cbt));
  EXPECT_EQ(refused, 0);
  LeaveNameOnStack("#32770");
  SkinCBTHookProc(HCBT_ACTIVATE, reinterpret_cast<WPARAM>(gone), 0);
  EXPECT_TRUE(TTestSkinWindow::Created().empty());
}

TEST(SkinHook, TheFirstEngineHooksAndTakesTheHookAlong) {
  ASSERT_EQ(SkinHookHandle, nullptr);
  TForm* form1 = Create<TForm>(nullptr, true);
  TForm* form2 = Create<TForm>(nullptr, true);
  auto* first = Create<TzubSkinEngine>(form1);
  EXPECT_NE(SkinHookHandle, nullptr);
  EXPECT_EQ(SkinHookEngine, first);
  auto* second = Create<TzubSkinEngine>(form2);
  EXPECT_EQ(SkinHookEngine, first);
  form1->Free();
  EXPECT_EQ(SkinHookHandle, nullptr);
  EXPECT_EQ(SkinHookEngine, nullptr);
  (void)second;
  form2->Free();
  EngineForm next;
  EXPECT_EQ(SkinHookEngine, next.engine);
}

// The designer's view of an engine, from its construction on or switched on later.
class TDesignedEngine : public TzubSkinEngine {
 public:
  TDesignedEngine(TComponent* owner, bool designing) : TzubSkinEngine(owner) { SetDesigning(designing); }
  using TzubSkinEngine::SetDesigning;
};

TEST(SkinHook, ADesignedEngineNeitherHooksNorLeavesTheHookWithItself) {
  ASSERT_EQ(SkinHookEngine, nullptr);
  for (bool designedFromTheStart : {true, false}) {
    TForm* form = Create<TForm>(nullptr, true);
    auto* engine = Create<TDesignedEngine>(form, designedFromTheStart);
    EXPECT_EQ(SkinHookEngine, designedFromTheStart ? nullptr : engine);
    engine->SetDesigning(true);
    form->Free();
    EXPECT_EQ(SkinHookHandle, nullptr) << designedFromTheStart;
    EXPECT_EQ(SkinHookEngine, nullptr) << designedFromTheStart;
  }
}

TEST(SkinRegistry, ControlSkinnersByClassLastRowFirst) {
  SavedTables saved;
  RegisterSkinControlClasses({{TWinControl::StaticClass(), &NewSkinControlVCL<TRowSkinVCL<1>>},
                              {TCustomEdit::StaticClass(), &NewSkinControlVCL<TRowSkinVCL<2>>}});
  RegisterSkinControlClasses({{TButton::StaticClass(), &NewSkinControlVCL<TRowSkinVCL<3>>}});
  EngineForm f;
  const struct {
    TControl* control;
    int row;  // 0: none
  } cases[] = {{Create<TButton>(f.form), 3}, {Create<TMemo>(f.form), 2}, {Create<TEdit>(f.form), 2},
               {Create<TPanel>(f.form), 1}, {Create<TLabel>(f.form), 0}};
  for (const auto& c : cases) {
    std::unique_ptr<TzubSkinControlVCL> skinner(CreateControlSkinner(c.control, nullptr));
    if (!c.row) {
      EXPECT_EQ(skinner, nullptr) << c.control->ClassName();
      continue;
    }
    ASSERT_NE(skinner, nullptr) << c.control->ClassName();
    EXPECT_EQ(static_cast<TRowSkinVCL<0>*>(skinner.get())->row, c.row) << c.control->ClassName();
    EXPECT_TRUE(static_cast<TRowSkinVCL<0>*>(skinner.get())->attached);
    EXPECT_EQ(skinner->Control, c.control);
  }
}

TEST(SkinRegistry, WindowSkinnersByClassNameAndButtonType) {
  SavedTables saved;
  RegisterSkinWndClasses({{"BUTTON", &NewSkinControlWnd<TRowSkinWnd<1>>},
                          {"BUTTON_CHECKBOX", &NewSkinControlWnd<TRowSkinWnd<2>>},
                          {"BUTTON_RADIOBUTTON", &NewSkinControlWnd<TRowSkinWnd<3>>},
                          {"COMBOBOX", &NewSkinControlWnd<TRowSkinWnd<4>>},
                          {"COMBOBOXEX32", &NewSkinControlWnd<TRowSkinWnd<5>>},
                          {"BUTTON", &NewSkinControlWnd<TRowSkinWnd<6>>}});
  EngineForm f;
  const struct {
    const char* cls;
    DWORD style;
    int row;  // 0: none
  } cases[] = {
      {"Button", BS_PUSHBUTTON, 1},      {"button", BS_DEFPUSHBUTTON, 1}, {"Button", BS_USERBUTTON, 1},
      {"Button", BS_PUSHBOX, 1},         {"Button", BS_CHECKBOX, 2},      {"Button", BS_AUTOCHECKBOX, 2},
      {"Button", BS_3STATE, 2},          {"Button", BS_AUTO3STATE, 2},    {"Button", BS_RADIOBUTTON, 3},
      {"Button", BS_AUTORADIOBUTTON, 3}, {"Button", BS_GROUPBOX, 0},      {"Button", BS_OWNERDRAW, 0},
      {"Button", 0xC /* split */, 0},    {"Button", 0xE /* command link */, 0},
      {"ComboBox", CBS_DROPDOWN, 4},     {"ComboBox", CBS_SIMPLE, 0},     {"Edit", 0, 0},
  };
  for (const auto& c : cases) {
    HWND w = CreateWindowExA(0, c.cls, "", WS_CHILD | c.style, 0, 0, 80, 80, f.form->Handle(), nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(w, nullptr) << c.cls << c.style;
    std::unique_ptr<TzubSkinControlWnd> skinner(CreateWndSkinner(w, nullptr));
    EXPECT_EQ(skinner ? static_cast<TRowSkinWnd<0>*>(skinner.get())->row : 0, c.row) << c.cls << " " << c.style;
    if (skinner) {
      EXPECT_TRUE(static_cast<TRowSkinWnd<0>*>(skinner.get())->attached);
    }
    DestroyWindow(w);
  }

  // The extended combo box's skinner goes to the inner combo box; without one there is none.
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_USEREX_CLASSES};
  InitCommonControlsEx(&icc);
  HWND ex = CreateWindowExA(0, "ComboBoxEx32", "", WS_CHILD | CBS_DROPDOWN, 0, 0, 80, 80, f.form->Handle(),
                            nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(ex, nullptr);
  HWND inner = GetTopWindow(ex);
  std::unique_ptr<TzubSkinControlWnd> skinner(CreateWndSkinner(ex, nullptr));
  ASSERT_NE(skinner, nullptr);
  EXPECT_EQ(skinner->Handle, inner);
  EXPECT_EQ(ClassOf(inner), "ComboBox");
  DestroyWindow(inner);
  EXPECT_EQ(CreateWndSkinner(ex, nullptr), nullptr);
  DestroyWindow(ex);
}

TEST(SkinEngineUnit, StartUpLoadsTheCheckMarkAndFinishEmptiesTheTables) {
  ASSERT_NE(MenuCheckImages, nullptr);
  EXPECT_EQ(MenuCheckImages->Count(), 1);
  EXPECT_EQ(MenuCheckImages->Width(), 16);
  EXPECT_EQ(EmptyMenuImages->Count(), 0);
  EXPECT_EQ(NoBorderClassNames->Count(), 1);

  SavedTables saved;
  RegisterSkinWndClasses({{"BUTTON", &NewSkinControlWnd<TRowSkinWnd<1>>}});
  RegisterSkinControlClasses({{TButton::StaticClass(), &NewSkinControlVCL<TRowSkinVCL<1>>}});
  ZUBSkinEngineFinalization();
  EXPECT_TRUE(SkinWndClassTable.empty() && SkinControlClassTable.empty());
  EXPECT_EQ(MenuCheckImages, nullptr);
  EXPECT_EQ(NoBorderClassNames, nullptr);
  ZUBSkinEngineInitialization();
}
