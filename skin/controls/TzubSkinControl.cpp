#include "TzubSkinControl.h"

#include <memory>

#include "Controls.h"
#include "TypInfo.h"

DEFINE_CLASS(TzubSkinControl, TObject, ({}))
DEFINE_CLASS(TzubSkinControlVCL, TzubSkinControl, ({}))
DEFINE_CLASS(TzubSkinControlWnd, TzubSkinControl, ({}))

TzubSkinControlVCL::TzubSkinControlVCL(TControl* Control, TzubSkinWindow* Window)
    : TzubSkinControl(nullptr, Window), Control(Control) {
  if (auto* win = As<TWinControl>(Control); win && win->HandleAllocated()) Handle = win->Handle();
}

namespace {
template <class T>
T* Attach(T* skinner) {
  std::unique_ptr<T> guard(skinner);
  skinner->AfterAttach();
  return guard.release();
}
}  // namespace

TzubSkinControlVCL* CreateSkinControl(TzubSkinControlVCLClass Class, TControl* Control, TzubSkinWindow* Window) {
  return Attach(Class(Control, Window));
}

TzubSkinControlWnd* CreateSkinControl(TzubSkinControlWndClass Class, HWND Handle, TzubSkinWindow* Window) {
  return Attach(Class(Handle, Window));
}
