// Forms under Wine: the modal loop, closing, Release from inside a handler, window classes.
#include <gtest/gtest.h>

#include <string>

#include "Forms.h"

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

TEST(Forms, ModalResultEndsTheLoopAndOtherWindowsAreDisabledMeanwhile) {
  TPlainForm* other = Create<TPlainForm>(Application);
  other->Show();
  TPlainForm* form = Create<TPlainForm>(Application);
  static TPlainForm* modal;
  static HWND otherWnd;
  static bool otherEnabledDuringLoop;
  modal = form;
  otherWnd = other->Handle();
  Later(
      [](HWND) {
        otherEnabledDuringLoop = IsWindowEnabled(otherWnd);
        modal->SetModalResult(mrOk);
      },
      nullptr);
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_FALSE(otherEnabledDuringLoop);
  EXPECT_TRUE(IsWindowEnabled(other->Handle()));
  form->Free();
  other->Free();
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

}  // namespace
