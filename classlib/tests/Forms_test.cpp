// Forms under Wine: the modal loop, closing, Release from inside a handler, window classes,
// the menu bar, the icon, the window state and the recreate notice.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ControlsTesting.h"
#include "Forms.h"
#include "Menus.h"
#include "Screenshot.h"

namespace {

class TPlainForm : public TForm {
  DECLARE_CLASS(TPlainForm, TForm)
 public:
  explicit TPlainForm(TComponent* owner) : TForm(owner, true) {}
  ~TPlainForm() override {
    if (freed) *freed = true;
  }
  void ReleaseInHandler(TObject*) {
    Release();
    afterRelease = Caption();  // the form is still whole until its queued messages ran
  }
  void Hidden(TObject*) { whenHidden(); }
  std::function<void()> whenHidden;
  bool* freed = nullptr;
  std::string afterRelease;
};
DEFINE_COMPONENT(TPlainForm, TForm, ({}), ({}))

// Runs an action from the message loop once the modal loop is running.
void (*pending)(HWND) = nullptr;
HWND pendingTarget = nullptr;
void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (pending) pending(pendingTarget);
}
void Later(void (*action)(HWND), HWND wnd) {
  pending = action;
  pendingTarget = wnd;
  SetTimer(nullptr, 0, 50, RunPending);
}

TEST(Forms, CloseBoxEndsTheModalLoopWithCancel) {
  TPlainForm* form = Create<TPlainForm>(Application);
  form->SetBorderStyle(bsDialog);
  Later([](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); }, form->Handle());
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  form->Free();
}

// The other windows are disabled during the loop and enabled again before the form hides (hidden
// first, it would hand the activation to another program); the activation goes back to the form
// that had it, although the platform would give it to the form above that one.
TEST(Forms, ModalResultEndsTheLoopAndOtherWindowsAreDisabledMeanwhile) {
  TPlainForm* other = Create<TPlainForm>(Application);
  other->Show();
  TPlainForm* above = Create<TPlainForm>(Application);
  SetWindowPos(above->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ASSERT_EQ(GetActiveWindow(), other->Handle());
  TPlainForm* form = Create<TPlainForm>(Application);
  static TPlainForm* modal;
  static HWND otherWnd;
  static bool otherEnabledDuringLoop;
  modal = form;
  otherWnd = other->Handle();
  bool otherEnabledAtHide = false;
  form->whenHidden = [&] { otherEnabledAtHide = IsWindowEnabled(otherWnd); };
  form->OnHide = TNotifyEvent::Bind<&TPlainForm::Hidden>(form);
  Later(
      [](HWND) {
        otherEnabledDuringLoop = IsWindowEnabled(otherWnd);
        modal->SetModalResult(mrOk);
      },
      nullptr);
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_FALSE(otherEnabledDuringLoop);
  EXPECT_TRUE(otherEnabledAtHide);
  EXPECT_EQ(GetActiveWindow(), other->Handle());
  Application->ProcessMessages();
  EXPECT_EQ(GetActiveWindow(), other->Handle()) << "once what the hiding posted has run";
  form->Free();
  above->Free();
  other->Free();
}

// The hidden application window passes the activation on to the form that had it last, or to the
// main form when that one cannot take it.
TEST(Forms, TheApplicationWindowHandsTheActivationOnToAForm) {
  TPlainForm* main = nullptr;
  Application->CreateForm(main);
  main->Show();
  enum Last { Stays, Hidden, Disabled, Freed };
  const struct {
    Last last;
    bool toMain;
  } cases[] = {{Stays, false}, {Hidden, true}, {Disabled, true}, {Freed, true}};
  for (const auto& c : cases) {
    TPlainForm* last = Create<TPlainForm>(Application);
    last->Show();
    const HWND expected = c.toMain ? main->Handle() : last->Handle();
    SetActiveWindow(Application->Handle());
    if (c.last == Hidden) last->Hide();
    if (c.last == Disabled) EnableWindow(last->Handle(), FALSE);
    if (c.last == Freed) last->Free();
    EXPECT_TRUE(WaitUntil([&] { return GetActiveWindow() == expected; })) << c.last;
    if (c.last != Freed) last->Free();
  }
  main->Free();
}

TEST(Forms, ReleaseInsideAHandlerFreesTheFormAfterwards) {
  bool freed = false;
  TPlainForm* form = Create<TPlainForm>(Application);
  form->freed = &freed;
  form->SetCaption("still here");
  form->OnShow = TNotifyEvent::Bind<&TPlainForm::ReleaseInHandler>(form);
  form->Show();
  EXPECT_EQ(form->afterRelease, "still here");
  EXPECT_FALSE(freed);
  for (int i = 0; i < 100 && !freed; ++i) Application->ProcessMessages();
  EXPECT_TRUE(freed);
}

TEST(Forms, WindowClassIsNamedAfterTheFormClass) {
  TPlainForm* form = Create<TPlainForm>(Application);
  char name[64] = {};
  GetClassNameA(form->Handle(), name, sizeof name);
  EXPECT_STREQ(name, "TPlainForm");
  EXPECT_EQ(TWinControl::FromHandle(form->Handle()), form);
  form->Free();
}

TEST(Forms, ClientSizeFromBeforeTheWindowIsTheClientSizeOfTheWindow) {
  TPlainForm* form = Create<TPlainForm>(Application);
  form->SetBorderStyle(bsDialog);
  form->SetClientWidth(477);
  form->SetClientHeight(267);
  RECT r;
  GetClientRect(form->Handle(), &r);
  EXPECT_EQ(r.right, 477);
  EXPECT_EQ(r.bottom, 267);
  form->Free();
}

TEST(Forms, WindowProcCanBeReplacedAndRestored) {
  TPlainForm* form = Create<TPlainForm>(Application);
  struct Spy : TObject {
    TWndMethod old;
    int seen = 0;
    void Proc(TMessage& m) {
      if (m.Msg == WM_APP + 7) ++seen;
      old(m);
    }
  } spy;
  spy.old = form->WindowProc;
  form->WindowProc = TWndMethod::Bind<&Spy::Proc>(&spy);
  SendMessageA(form->Handle(), WM_APP + 7, 0, 0);
  form->Perform(WM_APP + 7);
  EXPECT_EQ(spy.seen, 2);
  form->WindowProc = spy.old;
  SendMessageA(form->Handle(), WM_APP + 7, 0, 0);
  EXPECT_EQ(spy.seen, 2);
  form->Free();
}

// The bytes of an RCDATA resource of this test.
std::string ResourceBytes(const char* name) {
  HRSRC res = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));
  HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
  return data ? std::string(static_cast<const char*>(LockResource(data)), SizeofResource(nullptr, res)) : "";
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

int ClientHeightOf(HWND wnd) {
  RECT r;
  GetClientRect(wnd, &r);
  return r.bottom;
}

int WindowHeightOf(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  return r.bottom - r.top;
}

TEST(Forms, MenuIsAttachedDetachedAndLeavesNoneWhenFreed) {
  TestForm t("");
  t.Show();
  TForm* form = t.form;
  TMainMenu* menu = Create<TMainMenu>(form);
  TMenuItem* file = Create<TMenuItem>(nullptr);
  file->SetCaption("File");
  menu->Items()->Add(file);
  const int windowHeight = WindowHeightOf(form->Handle());
  const int clientHeight = ClientHeightOf(form->Handle());

  form->SetMenu(menu);
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
  EXPECT_EQ(WindowHeightOf(form->Handle()), windowHeight);  // the bar takes its room from the client
  EXPECT_LT(ClientHeightOf(form->Handle()), clientHeight);

  TMenuItem* edit = Create<TMenuItem>(nullptr);
  edit->SetCaption("Edit");
  menu->Items()->Add(edit);
  EXPECT_EQ(GetMenuItemCount(GetMenu(form->Handle())), 2);

  form->SetMenu(nullptr);
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  EXPECT_TRUE(IsMenu(menu->Handle()));  // still the menu's own

  form->SetMenu(menu);
  const HWND before = form->Handle();
  form->SetBorderStyle(bsSingle);  // a new window gets the bar again
  EXPECT_NE(form->Handle(), before);
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());

  menu->Free();
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
}

TEST(Forms, DescribedMenuAndIconAreOnTheWindowAndTheClientSizeStays) {
  TestForm t("  Icon.Data = {" + Hex(ResourceBytes("FORMICOFILE")) + "}\n  Menu = MainMenu1\n" + R"(
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = 'File'
    end
  end)");
  TForm* form = t.form;
  auto* menu = t.Get<TMainMenu>("MainMenu1");
  ASSERT_TRUE(menu);
  EXPECT_EQ(form->Menu(), menu);
  ASSERT_FALSE(form->Icon()->Empty());
  EXPECT_EQ(form->Icon()->Width(), 32);
  t.Show();
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
  EXPECT_EQ(ClientHeightOf(form->Handle()), 400);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(form->Handle(), WM_GETICON, ICON_BIG, 0)), form->Icon()->Handle());
  ASSERT_FALSE(Application->Icon()->Empty());  // the program's MAINICON
  EXPECT_EQ(Application->Icon()->Width(), GetSystemMetrics(SM_CXICON));
}

// Records CM_RECREATEWND as a window skinner would see it: its WParam and the window after the
// default handling.
struct RecreateSpy {
  explicit RecreateSpy(TControl* c) : control(c), old(c->WindowProc) { c->WindowProc = TWndMethod::Bind<&RecreateSpy::Proc>(this); }
  ~RecreateSpy() { control->WindowProc = old; }
  void Proc(TMessage& m) {
    old(m);
    if (m.Msg != CM_RECREATEWND) return;
    ++seen;
    wparam = m.WParam;
    after = static_cast<TWinControl*>(control)->Handle();
  }
  TControl* control;
  TWndMethod old;
  int seen = 0;
  WPARAM wparam = 99;
  HWND after = nullptr;
};

TEST(Forms, RestylingChangesReachAReplacedWindowProcAsRecreateNotices) {
  const struct {
    const char* name;
    void (*change)(TForm* form);
    WPARAM wparam;
    bool newWindow;
  } cases[] = {
      {"border style", [](TForm* f) { f->SetBorderStyle(bsSingle); }, 0, true},
      {"border icons", [](TForm* f) { f->SetBorderIcons({biSystemMenu, biHelp}); }, 0, true},
      {"icon", [](TForm* f) { f->Icon()->SetHandle(CopyIcon(LoadIconA(nullptr, IDI_WARNING))); }, 1, false},
  };
  for (const auto& c : cases) {
    TForm* form = Create<TForm>(nullptr, true);
    form->Show();
    const HWND before = form->Handle();
    {
      RecreateSpy spy(form);
      c.change(form);
      EXPECT_EQ(spy.seen, 1) << c.name;
      EXPECT_EQ(spy.wparam, c.wparam) << c.name;
      EXPECT_EQ(spy.after != before, c.newWindow) << c.name;
      EXPECT_EQ(spy.after, form->Handle()) << c.name;
      EXPECT_TRUE(IsWindowVisible(form->Handle())) << c.name;
    }
    form->Free();
  }
}

TEST(Forms, HelpBorderIconGivesTheContextHelpButton) {
  const struct {
    TFormBorderStyle border;
    TBorderIcons icons;
    bool help;
  } cases[] = {
      {bsDialog, {biSystemMenu, biHelp}, true},
      {bsSizeable, {biSystemMenu, biHelp}, true},
      {bsSizeable, {biSystemMenu, biMaximize, biHelp}, false},  // the platform has no room for it
      {bsSizeable, {biSystemMenu}, false},
  };
  for (const auto& c : cases) {
    TForm* form = Create<TForm>(nullptr, true);
    form->SetBorderStyle(c.border);
    form->SetBorderIcons(c.icons);
    const bool help = (GetWindowLongPtrA(form->Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP) != 0;
    EXPECT_EQ(help, c.help) << c.border << " " << c.icons.Mask();
    form->Free();
  }
}

TEST(Forms, WindowStateFollowsTheWindow) {
  TForm* form = Create<TForm>(nullptr, true);
  form->Show();
  const struct {
    int show;
    TWindowState state;
  } cases[] = {{SW_MAXIMIZE, wsMaximized}, {SW_RESTORE, wsNormal}, {SW_MINIMIZE, wsMinimized}, {SW_RESTORE, wsNormal}};
  for (const auto& c : cases) {
    ShowWindow(form->Handle(), c.show);
    EXPECT_EQ(form->WindowState(), c.state) << c.show;
  }
  form->Free();
}

TEST(Forms, ActivatedFormFocusesItsFirstControlInTabOrderOrTheOneFocusedLast) {
  const struct {
    const char* what;
    const char* body;
    const char* focused;  // empty: the form itself
  } cases[] = {
      {"labels, hidden and disabled controls are passed over",
       "object Label1: TLabel\nend\nobject Hidden: TEdit\nVisible = False\nend\n"
       "object Off: TButton\nEnabled = False\nend\nobject Edit1: TEdit\nend\nobject Edit2: TEdit\nend",
       "Edit1"},
      {"inside a panel", "object Panel1: TPanel\nobject Inner: TEdit\nend\nend\nobject Edit2: TEdit\nend", "Inner"},
      {"a work form: its log before its disabled Done",
       "object Memo1: TMemo\nend\nobject Button2: TButton\nEnabled = False\nend", "Memo1"},
      {"nothing to focus", "object Label1: TLabel\nend", ""},
  };
  for (const auto& c : cases) {
    TestForm t(c.body);
    t.Show();
    HWND expected = *c.focused ? t.Get<TWinControl>(c.focused)->Handle() : t.form->Handle();
    EXPECT_TRUE(WaitUntil([&] { return GetFocus() == expected; }, 5000)) << c.what;
  }
  // Back from another form, the focus returns to the control that had it.
  TestForm t("object Edit1: TEdit\nend\nobject Edit2: TEdit\nend");
  t.Show();
  auto* second = t.Get<TWinControl>("Edit2");
  second->SetFocus();
  TestForm other("object Edit1: TEdit\nend");
  other.Show();
  ASSERT_TRUE(WaitUntil([&] { return GetActiveWindow() == other.form->Handle(); }, 5000));
  SetActiveWindow(t.form->Handle());
  EXPECT_TRUE(WaitUntil([&] { return GetFocus() == second->Handle(); }, 5000));
  EXPECT_EQ(t.form->ActiveControl(), second);
}

// The application's main form for the MDI test, made without a description.
class TFrameForm : public TForm {
  DECLARE_CLASS(TFrameForm, TForm)
 public:
  explicit TFrameForm(TComponent* owner) : TForm(owner, true) {}
};
DEFINE_COMPONENT(TFrameForm, TForm, ({}), ({}))

// What the MDI client window receives, and the frame's child count while it destroys a child.
struct ClientSpy {
  static inline WNDPROC old = nullptr;
  static inline std::vector<UINT> seen;
  static inline std::vector<int> countsAtDestroy;
  static inline TCustomForm* frame = nullptr;
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MDIMAXIMIZE || msg == WM_MDIRESTORE || msg == WM_MDIDESTROY) seen.push_back(msg);
    if (msg == WM_MDIDESTROY) countsAtDestroy.push_back(frame->MDIChildCount());
    return CallWindowProcA(old, w, msg, wp, lp);
  }
};

// A child's WM_MDIACTIVATE as its WindowProc sees it: activated (lParam is the child) or not.
struct ActivateSpy {
  explicit ActivateSpy(TCustomForm* f) : form(f), old(f->WindowProc) { f->WindowProc = TWndMethod::Bind<&ActivateSpy::Proc>(this); }
  void Proc(TMessage& m) {
    if (m.Msg == WM_MDIACTIVATE) log.push_back(reinterpret_cast<HWND>(m.LParam) == form->Handle() ? "on" : "off");
    old(m);
  }
  TCustomForm* form;
  TWndMethod old;
  std::vector<std::string> log;
};

TForm* NewChild(const char* caption, int left) {
  TForm* child = Create<TForm>(nullptr, true);
  child->SetCaption(caption);
  child->SetBounds(left, 10, 200, 150);
  child->SetFormStyle(fsMDIChild);
  return child;
}

TEST(Forms, MDIFrameWithTwoChildren) {
  TFrameForm* frame = nullptr;
  Application->CreateForm(frame);
  ASSERT_EQ(Application->MainForm(), frame);
  frame->SetFormStyle(fsMDIForm);
  frame->SetBounds(20, 20, 640, 480);
  TWinControl* bar = Create<TWinControl>(frame);
  bar->SetBounds(0, 0, 100, 30);
  bar->SetAlign(alTop);
  bar->SetParent(frame);
  frame->Show();
  HWND client = frame->ClientHandle();
  ASSERT_TRUE(client);
  EXPECT_EQ(WindowClass(client), "MDIClient");
  RECT inFrame;  // the MDI client takes what the top bar leaves
  GetWindowRect(client, &inFrame);
  MapWindowPoints(nullptr, frame->Handle(), reinterpret_cast<POINT*>(&inFrame), 2);
  EXPECT_EQ(inFrame.top, 30);
  EXPECT_EQ(inFrame.bottom, frame->ClientHeight());
  EXPECT_EQ(inFrame.right, frame->ClientWidth());
  ClientSpy::frame = frame;
  ClientSpy::old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ClientSpy::Proc)));

  TForm* one = NewChild("One", 0);
  TForm* two = NewChild("Two", 30);
  two->SetBorderIcons({biSystemMenu, biMaximize});
  EXPECT_EQ(GetParent(one->Handle()), client);
  EXPECT_TRUE(IsWindowVisible(one->Handle()));
  EXPECT_EQ(frame->MDIChildCount(), 2);
  EXPECT_EQ(frame->MDIChildren(0), one);
  EXPECT_EQ(frame->MDIChildren(1), two);
  EXPECT_EQ(frame->ActiveMDIChild(), two);
  const LONG_PTR style = GetWindowLongPtrA(two->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);

  ActivateSpy spyOne(one), spyTwo(two);
  SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(one->Handle()), 0);
  EXPECT_EQ(spyOne.log, std::vector<std::string>{"on"});
  EXPECT_EQ(spyTwo.log, std::vector<std::string>{"off"});
  EXPECT_EQ(frame->ActiveMDIChild(), one);

  const struct {
    TWindowState state;
    UINT message;
    bool zoomed;
  } steps[] = {{wsMaximized, WM_MDIMAXIMIZE, true}, {wsNormal, WM_MDIRESTORE, false}};
  for (const auto& step : steps) {
    ClientSpy::seen.clear();
    one->SetWindowState(step.state);
    EXPECT_EQ(ClientSpy::seen, std::vector<UINT>{step.message}) << step.state;
    EXPECT_EQ(IsZoomed(one->Handle()) != FALSE, step.zoomed) << step.state;
    EXPECT_EQ(one->WindowState(), step.state);
  }

  frame->SetTileMode(tbVertical);
  frame->Tile();  // side by side
  EXPECT_EQ(one->Top(), two->Top());
  EXPECT_NE(one->Left(), two->Left());
  SaveScreenshot(frame->Handle(), "Forms_MDIFrameTiled");
  frame->Cascade();  // one below the other
  EXPECT_NE(one->Top(), two->Top());

  one->Close();  // an MDI child with a minimise button goes to an icon
  EXPECT_TRUE(IsIconic(one->Handle()));
  EXPECT_EQ(one->WindowState(), wsMinimized);

  ClientSpy::seen.clear();
  ClientSpy::countsAtDestroy.clear();
  two->Free();
  one->Free();  // the last one
  EXPECT_EQ(ClientSpy::seen, (std::vector<UINT>{WM_MDIDESTROY, WM_MDIDESTROY}));
  EXPECT_EQ(ClientSpy::countsAtDestroy, (std::vector<int>{2, 1}));  // the dying child still counts
  EXPECT_EQ(frame->MDIChildCount(), 0);
  EXPECT_EQ(frame->ActiveMDIChild(), nullptr);
  SetWindowLongPtrA(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ClientSpy::old));
  frame->Free();
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(Forms, MDIChildWithoutAnMDIFormIsRefused) {
  TForm* child = Create<TForm>(nullptr, true);
  EXPECT_THROW(child->SetFormStyle(fsMDIChild), EInvalidOperation);
  child->Free();
}

}  // namespace
