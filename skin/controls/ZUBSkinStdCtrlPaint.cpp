#include "ZUBSkinStdCtrlPaint.h"

#include "TzubSkinControl.h"
#include "TzubSkinEngine.h"

namespace zubskin {

TColor SkinColor(const TzubSkinEngine* engine, const char* name) { return engine ? engine->GetSkinInt(name) : -1; }

void PrepareBitmap(TBitmap* bitmap, int width, int height, const RECT& clientRect, TColor colour) {
  bitmap->SetSize(width, height);
  bitmap->Canvas()->Brush()->SetColor(colour);
  bitmap->Canvas()->FillRect(clientRect);
}

void CopyToClient(HWND window, TBitmap* bitmap) {
  if (!window) return;
  if (HDC dc = GetDC(window)) {
    BitBlt(dc, 0, 0, bitmap->Width(), bitmap->Height(), bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
  }
}

bool AnswerPaintMessages(TzubSkinControl* skinner, TMessage& message) {
  if (message.Msg == WM_ERASEBKGND) {
    message.Result = 1;
    return true;
  }
  if (message.Msg != WM_PAINT) return false;
  PAINTSTRUCT ps;
  HWND window = skinner->GetControlHandle();
  BeginPaint(window, &ps);
  skinner->PaintSkin();
  EndPaint(window, &ps);
  message.Result = 0;
  return true;
}

}  // namespace zubskin
