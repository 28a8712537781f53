// Driving modal loops from a test: an action that runs on timer ticks inside whatever loop is
// running, and the plain message box read and answered.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "Forms.h"
#include "StdCtrls.h"

namespace modal_testing {
inline std::function<bool()>& Pending() {
  static std::function<bool()> action;
  return action;
}
inline void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
  if (Pending() && Pending()()) {
    KillTimer(nullptr, id);
    Pending() = nullptr;
  }
}
}  // namespace modal_testing

// Runs Action every 50 ms in the message loop of the moment until it returns true.
inline void WatchWhileModal(std::function<bool()> Action) {
  modal_testing::Pending() = std::move(Action);
  SetTimer(nullptr, 0, 50, modal_testing::Tick);
}

// The text of an open message form, which is then answered with OK; empty when none is open.
inline std::string TakeMessage() {
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TForm* f = Screen->Forms(i);
    if (f->ClassName() != "TMessageForm" || !f->Visible()) continue;
    std::string text;
    for (int c = 0; c < f->ControlCount(); ++c)
      if (auto* label = As<TLabel>(f->Controls(c))) text = label->Caption();
    f->SetModalResult(mrOk);
    return text;
  }
  return "";
}
