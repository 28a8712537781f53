#include "TzubSkinWindowWnd.h"

#include <algorithm>

#include "ObjectInstance.h"
#include "TzubSkinControl.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinMessages.h"
#include "ZUBSkinRegistry.h"

using namespace zubskin;

DEFINE_CLASS(TzubSkinWindowWnd, TzubSkinWindow, ({}))

namespace {
constexpr UINT kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

void ResizeBy(HWND h, SkinPoint d) {
  if (d.x == 0 && d.y == 0) return;
  RECT r{};
  GetWindowRect(h, &r);
  MoveWindow(h, r.left, r.top, r.right - r.left + d.x, r.bottom - r.top + d.y, TRUE);
}
}  // namespace

void TzubSkinWindowWnd::AttachWindow(HWND AHandle) {
  Handle = AHandle;
  HeightFixed = EraseStyleTaken = false;
  EraseStyle = 0;
  PrevWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(Handle, GWLP_WNDPROC));
  ObjectInstance = MakeObjectInstance(TWndMethod::Bind<&TzubSkinWindow::SkinWndProc>(static_cast<TzubSkinWindow*>(this)));
  SetWindowLongPtrA(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ObjectInstance));
}

void TzubSkinWindowWnd::DetachWindow() {
  if (!ObjectInstance) return;
  SetWindowLongPtrA(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrevWndProc));
  FreeObjectInstance(std::exchange(ObjectInstance, nullptr));
  SetWindowPos(Handle, nullptr, 0, 0, 0, 0, kFrameChanged);
}

void TzubSkinWindowWnd::CallPrevWndProc(TMessage& Message) {
  Message.Result = CallWindowProcA(PrevWndProc, Handle, Message.Msg, Message.WParam, Message.LParam);
}

void TzubSkinWindowWnd::SaveWindowState() {
  SavedStyle = static_cast<DWORD>(GetWindowLongPtrA(Handle, GWL_STYLE));
  RECT client{}, window{};
  GetClientRect(Handle, &client);
  GetWindowRect(Handle, &window);
  SavedClientHeight = client.bottom - client.top;
  SavedClientWidth = client.right - client.left;
  CaptionHeight = (window.bottom - window.top) - SavedClientHeight;
}

// Direct children only: grandchildren belong to their own parents.
void TzubSkinWindowWnd::SkinChildControls() {
  for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongPtrA(child, GWL_STYLE) & WS_CHILD) SkinChildWindow(child);
}

void TzubSkinWindowWnd::SkinChildWindow(HWND Child) {
  if (SendMessageA(Child, ZM_ISSKINNED, 0, 0) == 1) return;
  ControlSkinners.push_back(CreateWndSkinner(Child, this));  // null too: no skinner for that class
}

void TzubSkinWindowWnd::UnskinChildControls() {
  auto& list = ControlSkinners;
  list.erase(std::remove(list.begin(), list.end(), nullptr), list.end());
  while (!list.empty()) {
    TzubSkinControl* skinner = list.front();
    list.erase(list.begin());
    ReleaseSkinControl(skinner);  // detached; freed once no call through it runs
  }
}

bool TzubSkinWindowWnd::BeforeDefaultMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      if (!EraseStyleTaken) {
        EraseStyle = static_cast<DWORD>(GetWindowLongPtrA(Handle, GWL_STYLE));
        EraseStyleTaken = true;
      }
      return true;
    case WM_DESTROY: {
      // The dialog's own procedure still gets WM_DESTROY for its clean-up, after the skinner
      // has gone and the procedure is back; nothing of this object is touched after it goes.
      HWND h = Handle;
      WNDPROC prev = PrevWndProc;
      TzubSkinEngine* engine = Engine;
      if (engine && std::find(engine->FWindows.begin(), engine->FWindows.end(), this) != engine->FWindows.end())
        engine->UnskinWindow(h);
      else
        Free();
      Message.Result = CallWindowProcA(prev, h, Message.Msg, Message.WParam, Message.LParam);
      return false;
    }
    case WM_SYSCOMMAND:
      if (Message.WParam != SC_CLOSE) return true;
      PostMessageA(Handle, WM_COMMAND, IDCANCEL, 0);  // closes as its Cancel button does
      return false;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetBkMode(reinterpret_cast<HDC>(Message.WParam), TRANSPARENT);
      Message.Result = reinterpret_cast<LRESULT>(Engine->FBackgroundBrush);
      return false;
  }
  return true;
}

void TzubSkinWindowWnd::AfterDefaultMessage(TMessage& Message) {
  if (Message.Msg != WM_SIZE) return;
  RECT client{};
  GetClientRect(Handle, &client);
  const int cw = client.right - client.left, ch = client.bottom - client.top;
  // Widened a lot but lower than at skinning: the height is put right once.
  if (!IsZoomed(Handle) && ch < SavedClientHeight && cw * 2 > SavedClientWidth * 3 && !HeightFixed) {
    HeightFixed = true;
    RECT r{};
    GetWindowRect(Handle, &r);
    MoveWindow(Handle, r.left, r.top, r.right - r.left,
               (r.bottom - r.top) + GetTitleBarHeight() + GetMenuBarHeight() - CaptionHeight +
                   Engine->FBottomBorderHeight,
               TRUE);
  }
  UpdateRegion();
}

void TzubSkinWindowWnd::ApplySkinState() {
  if (!Destroying)
    for (TzubSkinControl* skinner : ControlSkinners) {
      if (!skinner) continue;
      try {
        skinner->SkinStateChanged();
        // Invalidated, not a bare WM_PAINT: the platform repaints nothing without an update region.
        if (skinner->Handle && IsWindow(skinner->Handle))
          RedrawWindow(skinner->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      } catch (...) {
        // one child's failure leaves the others to be switched
      }
    }
  const DWORD current = static_cast<DWORD>(GetWindowLongPtrA(Handle, GWL_STYLE));
  SetWindowLongPtrA(Handle, GWL_STYLE, static_cast<LONG_PTR>(SkinWindowStyle(SavedStyle, current, Skinned)));
  if (Skinned) {
    SetMenu(Handle, nullptr);
    ResizeBy(Handle, applied_.Apply(true, FrameGrowth(Engine->FBorderWidth, GetTitleBarHeight(), GetMenuBarHeight(),
                                                      CaptionHeight, Engine->FBottomBorderHeight)));
  } else {
    ResizeBy(Handle, applied_.Apply(false, {}));
    SetWindowRgn(Handle, nullptr, TRUE);
  }
  SetWindowPos(Handle, nullptr, 0, 0, 0, 0, kFrameChanged);
}
