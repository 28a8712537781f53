// Helpers of the control tests: forms read from a description, a spy on a control's messages,
// and pictures of what a window paints.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "FormReader.h"
#include "Forms.h"
#include "Graphics.h"
#include "TestLoop.h"

// A form without a resource whose controls come from Body, read as the inside of
// "object Form1: TForm"; freed at the end of the test.
struct TestForm {
  explicit TestForm(const std::string& body, TForm* form = nullptr)
      : form(form ? form : Create<TForm>(nullptr, true)) {
    ReadComponentText(this->form, "object Form1: " + this->form->ClassName() +
                                      "\n  Left = 40\n  Top = 40\n  ClientWidth = 500\n  ClientHeight = 400\n" +
                                      body + "\nend\n");
  }
  ~TestForm() { form->Free(); }
  TestForm(const TestForm&) = delete;
  TestForm& operator=(const TestForm&) = delete;

  template <class T>
  T* Get(const std::string& name) const {
    T* c = As<T>(form->FindComponent(name));
    EXPECT_NE(c, nullptr) << name << " is no " << T::StaticClass()->name;
    return c;
  }
  // Shows the form and waits until it has painted.
  void Show() {
    form->Show();
    UpdateWindow(form->Handle());
    WaitUntil([] { return false; }, 0);
  }
  TForm* form;
};

// Records each message that reaches a control's WindowProc and passes it on to the method it
// replaced, which it puts back when it goes.
class MessageSpy {
 public:
  explicit MessageSpy(TControl* control) : control_(control), saved_(control->WindowProc) {
    control->WindowProc = TWndMethod::Bind<&MessageSpy::Spy>(this);
  }
  ~MessageSpy() { control_->WindowProc = saved_; }
  MessageSpy(const MessageSpy&) = delete;
  MessageSpy& operator=(const MessageSpy&) = delete;

  int Count(UINT msg) const { return static_cast<int>(std::count(messages.begin(), messages.end(), msg)); }
  bool Saw(UINT msg) const { return Count(msg) > 0; }
  std::vector<UINT> messages;

 private:
  void Spy(TMessage& m) {
    messages.push_back(m.Msg);
    saved_(m);
  }
  TControl* control_;
  TWndMethod saved_;
};

// What an own-painted window (a form, a panel) paints, with its graphic children, into a bitmap.
inline std::unique_ptr<TBitmap> PaintedPicture(TWinControl* control) {
  RECT r;
  GetClientRect(control->Handle(), &r);
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetSize(r.right, r.bottom);
  SendMessageA(control->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(bmp->Canvas()->Handle()), 0);
  return bmp;
}

inline bool HasColour(TBitmap* bmp, const RECT& area, TColor colour) {
  COLORREF want = ColorToRGB(colour);
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (ColorToRGB(bmp->Canvas()->Pixels(x, y)) == want) return true;
  return false;
}

inline std::string WindowText(HWND wnd) {
  char text[1024] = {};
  GetWindowTextA(wnd, text, sizeof text);
  return text;
}

inline std::string WindowClass(HWND wnd) {
  char name[256] = {};
  GetClassNameA(wnd, name, sizeof name);
  return name;
}

// The shown pop-up menu window, waited for from another thread (at most 10 s); null when none.
inline HWND WaitForShownMenu() {
  for (int i = 0; i < 500; ++i) {
    HWND w = FindWindowA("#32768", nullptr);
    if (w && IsWindowVisible(w)) return w;
    Sleep(20);
  }
  return nullptr;
}

// Runs Action from the message loop (a modal loop included) once it is running.
inline void (*laterAction)() = nullptr;
inline void CALLBACK RunLater(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (laterAction) laterAction();
}
inline void Later(void (*action)()) {
  laterAction = action;
  SetTimer(nullptr, 0, 20, RunLater);
}
