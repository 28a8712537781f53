#include "TzubSkinWndToolbarWindow32.h"

#include <commctrl.h>

#include "SysUtils.h"

DEFINE_CLASS(TzubSkinWndToolbarWindow32, TzubSkinControlWnd, ({}))

void TzubSkinWndToolbarWindow32::AfterAttach() {
  TzubSkinControlWnd::AfterAttach();
  if (Win32Platform != VER_PLATFORM_WIN32_WINDOWS || !Handle) return;
  const LRESULT style = SendMessageA(Handle, TB_GETSTYLE, 0, 0);
  SendMessageA(Handle, TB_SETSTYLE, 0, style | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT);
}
