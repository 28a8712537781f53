// Checks of skinned windows for the programs' tests: skinned or not, the client size, the
// rounded top corners, a message box answered once the hook has skinned it.
#pragma once

#include <windows.h>

#include <string>

#include "Forms.h"
#include "GdiObject.h"
#include "Screenshot.h"
#include "StdCtrls.h"
#include "ZUBSkinMessages.h"

inline bool IsSkinnedWindow(HWND h) { return SendMessageA(h, ZM_ISSKINNED, 0, 0) == 1; }

inline SIZE ClientSizeOf(HWND h) {
  RECT r{};
  GetClientRect(h, &r);
  return {r.right, r.bottom};
}

// The window's region leaves out its top-left corner and holds its middle.
inline bool HasRoundedTop(HWND h) {
  GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(h, region.get()) == ERROR) return false;
  RECT r{};
  GetWindowRect(h, &r);
  return !PtInRegion(region.get(), 0, 0) && PtInRegion(region.get(), (r.right - r.left) / 2, (r.bottom - r.top) / 2);
}

// For WatchWhileModal: the text of an open message form, answered with Answer once it is skinned
// (or after Patience polls); empty while none is open. Skinned tells which; a picture is taken.
inline std::string TakeSkinnedMessage(bool& Skinned, const std::string& Shot, int Patience = 100,
                                      TModalResult Answer = mrOk) {
  static int polls = 0;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TForm* f = Screen->Forms(i);
    if (f->ClassName() != "TMessageForm" || !f->Visible()) continue;
    Skinned = IsSkinnedWindow(f->Handle());
    if (!Skinned && ++polls < Patience) return "";
    polls = 0;
    if (!Shot.empty()) SaveScreenshot(f->Handle(), Shot);
    std::string text;
    for (int c = 0; c < f->ControlCount(); ++c)
      if (auto* label = As<TLabel>(f->Controls(c))) text = label->Caption();
    f->SetModalResult(Answer);
    return text;
  }
  return "";
}
