#include "TzubSkinControl.h"

#include <algorithm>
#include <memory>

#include "ExtCtrls.h"
#include "Graphics.h"
#include "ObjectInstance.h"
#include "StringList.h"
#include "SysUtils.h"
#include "TypInfo.h"
#include "TzubSkinEngine.h"
#include "TzubSkinWindow.h"
#include "ZUBSkinHook.h"
#include "ZUBSkinMessages.h"
#include "ZUBSkinUtils.h"

DEFINE_CLASS(TzubSkinControl, TManagedObject, ({}))
DEFINE_CLASS(TzubSkinControlVCL, TzubSkinControl, ({}))
DEFINE_CLASS(TzubSkinControlWnd, TzubSkinControl, ({}))
DEFINE_CLASS(TzubSkinBorderWinControl, TzubSkinControlVCL, ({}))
DEFINE_CLASS(TzubSkinBorderWndControl, TzubSkinControlWnd, ({}))

bool SkinDisabledByTag(const TzubSkinEngine* Engine, const TControl* Control) {
  return Engine && Control && Engine->DisabledTag != 0 && Control->Tag() == Engine->DisabledTag;
}

// ---- TzubSkinControl ----

TzubSkinControl::TzubSkinControl(HWND Handle, TzubSkinWindow* Window)
    : Handle(Handle), Window(Window), Engine(Window ? Window->Engine : nullptr) {
  Watch(Engine);
}

TzubSkinControl::~TzubSkinControl() = default;

bool TzubSkinControl::EngineGoing() const {
  return !Engine || Engine->ComponentState().Contains(csDestroying);
}

bool TzubSkinControl::IsSkinning() const { return !EngineGoing() && Engine->IsSkinning(); }

void TzubSkinControl::ComponentFreed(TComponent* Component) {
  if (Component == Engine) Engine = nullptr;
}

void TzubSkinControl::Release() {
  if (Destroying()) return;
  if (!Detached) Detach();
  if (calls_ > 0) {
    releasePending_ = true;
    return;
  }
  Free();
}

void ReleaseSkinControl(TzubSkinControl* Skinner) {
  if (Skinner) Skinner->Release();
}

bool TzubSkinControl::BeforeMessage(TMessage& Message) {
  (void)Message;
  return true;
}

void TzubSkinControl::AfterMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
    case WM_ERASEBKGND:
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
    case WM_SETTEXT:
    case ZM_REPAINTSKIN:
    case WM_ENABLE:
      Paint();
      break;
    case CM_MOUSEENTER:
      State |= zsHot;
      Paint();
      MouseEnter();
      break;
    case CM_MOUSELEAVE:
      State &= static_cast<uint8_t>(~(zsHot | zsPressed));
      Paint();
      MouseLeave();
      break;
    case WM_LBUTTONUP:
      State &= static_cast<uint8_t>(~zsPressed);
      Paint();
      MouseUp();
      break;
    case WM_LBUTTONDOWN:
      State |= zsPressed;
      Paint();
      MouseDown();
      break;
    case WM_KEYDOWN:
      if (Message.WParam == VK_SPACE || Message.WParam == VK_RETURN) State |= zsPressed;
      Paint();
      KeyDown(static_cast<uint32_t>(Message.WParam));
      break;
    case WM_KEYUP:
      if (Message.WParam == VK_SPACE || Message.WParam == VK_RETURN) State &= static_cast<uint8_t>(~zsPressed);
      Paint();
      KeyUp(static_cast<uint32_t>(Message.WParam));
      break;
    case ZM_ISSKINNED:
      Message.Result = 1;
      break;
  }
}

void TzubSkinControl::DrawCaptionText(TBitmap* Bitmap, const std::string& Text, RECT TextRect, TFont* Font) {
  DrawCaption(Bitmap, Text.empty() ? nullptr : Text.c_str(), false, TextRect, Font);
}

void TzubSkinControl::DrawCaptionTextW(TBitmap* Bitmap, const std::wstring& Text, RECT TextRect, TFont* Font) {
  DrawCaption(Bitmap, Text.empty() ? nullptr : Text.c_str(), true, TextRect, Font);
}

void TzubSkinControl::DrawCaption(TBitmap* Bitmap, const void* Text, bool Wide, RECT TextRect, TFont* Font) {
  HWND h = GetControlHandle();
  HDC dc = h ? GetDC(h) : nullptr;
  if (!dc) return;
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    const RECT r = GetControlRect();
    if (Bitmap)
      BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, Bitmap->Canvas()->Handle(), r.left, r.top,
             SRCCOPY);
    if (Text) {
      canvas.Brush()->SetStyle(bsClear);
      if (Font) canvas.SetFont(Font);
      if (!GetControlEnabled()) canvas.Font()->SetColor(0x808080);
      if (Pressed()) OffsetRect(&TextRect, 1, 1);
      constexpr UINT kFlags = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
      HDC textDc = canvas.Handle();
      if (Wide)
        DrawTextW(textDc, static_cast<const wchar_t*>(Text), -1, &TextRect, kFlags);
      else
        DrawTextA(textDc, static_cast<const char*>(Text), -1, &TextRect, kFlags);
    }
    canvas.SetHandle(nullptr);
  }
  ReleaseDC(h, dc);
}

void TzubSkinControl::DrawBitmapAt(TBitmap* Bitmap, POINT Point) {
  HWND h = GetControlHandle();
  HDC dc = h ? GetDC(h) : nullptr;
  if (!dc) return;
  if (Bitmap && !Bitmap->Empty())
    BitBlt(dc, Point.x, Point.y, Bitmap->Width(), Bitmap->Height(), Bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
  ReleaseDC(h, dc);
}

// ---- TzubSkinControlVCL ----

// The WindowProc in place while the control is hooked. It outlives the skinner when someone
// hooked the control after us (their method still calls ours: we pass on), and a call through
// it keeps it until the call returns; it goes with the control.
class TzubSkinControlVCL::THook : public TManagedObject {
 public:
  THook(TControl* Control, TzubSkinControlVCL* Skinner) : control(Control), skinner(Skinner), old(Control->WindowProc) {
    own = TWndMethod::Bind<&THook::Proc>(this);
    control->WindowProc = own;
    Watch(control);
  }

  void Proc(TMessage& m) {
    ++calls;
    try {
      if (skinner)
        skinner->ControlWindowProc(m);
      else if (old)
        old(m);
    } catch (...) {
      Leave();
      throw;
    }
    Leave();
  }

  // The skinner goes: our method out when it is still the control's, else pass on until the
  // control goes.
  void Unhook() {
    skinner = nullptr;
    if (!control || control->WindowProc == own) {
      if (control) control->WindowProc = old;
      freePending = true;
    }
    FreeWhenIdle();
  }

  TControl* control;
  TzubSkinControlVCL* skinner;
  TWndMethod old;

 protected:
  void ComponentFreed(TComponent* Component) override {
    if (Component != control) return;
    control = nullptr;
    if (!skinner) freePending = true;  // else the skinner's Unhook follows
    FreeWhenIdle();
  }

 private:
  void Leave() {
    --calls;
    FreeWhenIdle();
  }
  void FreeWhenIdle() {
    if (freePending && calls == 0) Free();
  }

  TWndMethod own;
  int calls = 0;
  bool freePending = false;
};

TzubSkinControlVCL::TzubSkinControlVCL(TControl* Control, TzubSkinWindow* Window)
    : TzubSkinControl(nullptr, Window), Control(Control) {}

void TzubSkinControlVCL::AfterConstruction() {
  TzubSkinControl::AfterConstruction();
  if (Control) {
    if (auto* win = As<TWinControl>(Control); win && win->HandleAllocated()) Handle = win->Handle();
    Watch(Control);
    hook_ = new THook(Control, this);
    OldWindowProc = hook_->old;
  }
  State = 0;
  Detached = false;
  AfterAttach();
}

TzubSkinControlVCL::~TzubSkinControlVCL() {
  Unhook();
  Control = nullptr;
}

void TzubSkinControlVCL::Unhook() {
  if (hook_) std::exchange(hook_, nullptr)->Unhook();
}

void TzubSkinControlVCL::ComponentFreed(TComponent* Component) {
  TzubSkinControl::ComponentFreed(Component);
  if (Component != Control) return;
  // The control goes first: it gets its own handling back, and its window skinner loses us.
  Unhook();
  Control = nullptr;
  Handle = nullptr;
  if (Window) std::replace(Window->ControlSkinners.begin(), Window->ControlSkinners.end(),
                           static_cast<TzubSkinControl*>(this), static_cast<TzubSkinControl*>(nullptr));
  Release();
}

void TzubSkinControlVCL::ControlWindowProc(TMessage& Message) {
  Guarded([&] {
    if (auto* win = As<TWinControl>(Control); win && win->HandleAllocated()) Handle = win->Handle();
    if (!IsSkinning() || SkinDisabledByTag(Engine, Control)) {
      if (OldWindowProc) OldWindowProc(Message);
      return;
    }
    if (BeforeMessage(Message) && OldWindowProc) OldWindowProc(Message);
    if (!Detached) AfterMessage(Message);
  });
}

RECT TzubSkinControlVCL::GetControlRect() { return Control ? Control->ClientRect() : RECT{}; }

HWND TzubSkinControlVCL::GetControlHandle() {
  auto* win = As<TWinControl>(Control);
  return win ? win->Handle() : nullptr;
}

bool TzubSkinControlVCL::GetControlEnabled() { return Control && Control->Enabled(); }

// ---- TzubSkinControlWnd ----

// The window procedure in place while the window is hooked. It outlives the skinner when
// someone subclassed the window after us (their procedure still calls ours: we pass on), and a
// call through it keeps it until the call returns; it goes with the window at WM_NCDESTROY.
class TzubSkinControlWnd::THook {
 public:
  THook(HWND Handle, TzubSkinControlWnd* Skinner) : handle(Handle), skinner(Skinner) {
    old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(handle, GWLP_WNDPROC));
    stub = MakeObjectInstance(TWndMethod::Bind<&THook::Proc>(this));
    SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(stub));
  }

  void Proc(TMessage& m) {
    ++calls;
    try {
      if (skinner)
        skinner->ControlWndProc(m);
      else
        m.Result = CallWindowProcA(old, handle, m.Msg, m.WParam, m.LParam);
    } catch (...) {
      Leave(m.Msg);
      throw;
    }
    Leave(m.Msg);
  }

  // The skinner goes: our procedure out when it is still the window's, else pass on until the
  // window goes.
  void Unhook() {
    skinner = nullptr;
    if (!IsWindow(handle)) {
      freePending = true;
    } else if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(handle, GWLP_WNDPROC)) == stub) {
      SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
      freePending = true;
    }
    if (freePending && calls == 0) Destroy();
  }

  HWND handle;
  WNDPROC old;
  WNDPROC stub;
  TzubSkinControlWnd* skinner;

 private:
  void Leave(UINT msg) {
    --calls;
    if (msg == WM_NCDESTROY) {
      // The window is gone: nothing more to give back.
      if (skinner) skinner->hook_ = nullptr, skinner->Handle = nullptr;
      skinner = nullptr;
      freePending = true;
    }
    if (freePending && calls == 0) Destroy();
  }
  void Destroy() {
    FreeObjectInstance(stub);
    delete this;
  }

  int calls = 0;
  bool freePending = false;
};

TzubSkinControlWnd::TzubSkinControlWnd(HWND Handle, TzubSkinWindow* Window) : TzubSkinControl(Handle, Window) {}

void TzubSkinControlWnd::AfterConstruction() {
  TzubSkinControl::AfterConstruction();
  if (Handle && IsWindow(Handle)) {
    hook_ = new THook(Handle, this);
    OldWndProc = hook_->old;
    WndProcStub = hook_->stub;
  }
  State = 0;
  Detached = false;
  AfterAttach();
}

TzubSkinControlWnd::~TzubSkinControlWnd() {
  Unhook();
  Handle = nullptr;
}

void TzubSkinControlWnd::Unhook() {
  if (!hook_) return;
  std::exchange(hook_, nullptr)->Unhook();
  WndProcStub = nullptr;
}

void TzubSkinControlWnd::ControlWndProc(TMessage& Message) {
  Guarded([&] {
    auto previous = [&] { Message.Result = CallWindowProcA(OldWndProc, Handle, Message.Msg, Message.WParam, Message.LParam); };
    if (!IsSkinning()) {
      previous();
      return;
    }
    if (BeforeMessage(Message)) previous();
    if (!Detached) AfterMessage(Message);
  });
}

RECT TzubSkinControlWnd::GetControlRect() { return {0, 0, GetWndWidth(), GetWndHeight()}; }

bool TzubSkinControlWnd::GetControlEnabled() { return Handle && IsWindowEnabled(Handle) != 0; }

int TzubSkinControlWnd::GetWndWidth() {
  RECT r{};
  GetWindowRect(Handle, &r);
  return r.right - r.left;
}

int TzubSkinControlWnd::GetWndHeight() {
  RECT r{};
  GetWindowRect(Handle, &r);
  return r.bottom - r.top;
}

std::string TzubSkinControlWnd::GetWndText() {
  char text[260] = {};
  GetWindowTextA(Handle, text, sizeof text);
  return text;
}

// ---- Borders ----

namespace {
void DrawSkinBorder(TzubSkinEngine* engine, HWND window) {
  if (!engine || !window) return;
  zubskin::DrawWindowBorder(window, engine->GetSkinInt("ControlBorderColor"), engine->GetSkinInt("ControlBackgroundColor"),
                   true);
}
}  // namespace

bool TzubSkinBorderWinControl::WantsBorder() {
  auto* win = As<TWinControl>(Control);
  if (!win || !win->HandleAllocated()) return false;
  if (Control->Is<TNotebook>() || Control->Is<TPage>()) return false;
  if (const TPropInfo* prop = GetPropInfo(Control, "BorderStyle")) {
    try {
      const std::string type = prop->type ? prop->type->name : "";
      if (type != "TBorderStyle" && type != "TFormBorderStyle") return false;
      if (prop->get && prop->get(Control).i == 0) return false;  // bsNone
    } catch (...) {
      // unreadable: the border is painted
    }
  }
  if (NoBorderClassNames) {
    const std::string name = UpperCase(Control->ClassName());
    for (int i = 0; i < NoBorderClassNames->Count(); ++i)
      if (UpperCase(NoBorderClassNames->Strings(i)) == name) return false;
  }
  return true;
}

void TzubSkinBorderWinControl::PaintBorder() {
  if (WantsBorder()) DrawSkinBorder(Engine, GetControlHandle());
}

void TzubSkinBorderWinControl::PaintSkin() { PaintBorder(); }

void TzubSkinBorderWndControl::PaintSkin() { DrawSkinBorder(Engine, Handle); }

// ---- Factories ----

TzubSkinControlVCL* CreateSkinControl(TzubSkinControlVCLClass Class, TControl* Control, TzubSkinWindow* Window) {
  return Class ? Class(Control, Window) : nullptr;
}

TzubSkinControlWnd* CreateSkinControl(TzubSkinControlWndClass Class, HWND Handle, TzubSkinWindow* Window) {
  return Class ? Class(Handle, Window) : nullptr;
}
