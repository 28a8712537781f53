// The bases of the control skinners: one object per skinned child control, kept by its window
// skinner. A skinner sees every message of its control before and after the control's own
// handling, and paints the skinned look over it.
//
// Every skinner of one kind is made through that kind's one constructor, by class reference,
// in two phases (NewObject): the constructor only records; AfterConstruction hooks the control
// and calls the virtual AfterAttach, where descendants set themselves up.
//
// A window skinner gives a skinner up with ReleaseSkinControl, never with Free or delete: a
// skinner whose handler is still on the stack (a click that unskins the form, a dialog child
// whose handling destroys the dialog) is freed when the outermost call through it returns.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "Controls.h"
#include "ObjectFactory.h"

class TBitmap;
class TFont;
class TzubSkinWindow;
class TzubSkinEngine;

// The class library's notifications the skinners use (CM_VISIBLECHANGED, CM_ENABLEDCHANGED,
// CM_TEXTCHANGED, CM_MOUSEENTER, CM_MOUSELEAVE) come from Controls.h; a plain window never gets them.
static_assert(CM_VISIBLECHANGED == 0xB00B && CM_MOUSELEAVE == 0xB014);

// The bits of TzubSkinControl::State.
constexpr uint8_t zsHot = 1;
constexpr uint8_t zsPressed = 2;

// A control whose Tag is the engine's DisabledTag is left alone; a DisabledTag of 0 excludes
// nothing. The one rule for the form skinner's walk and the message handler.
bool SkinDisabledByTag(const TzubSkinEngine* Engine, const TControl* Control);

class TzubSkinControl : public TManagedObject {
  DECLARE_CLASS(TzubSkinControl, TManagedObject)
 public:
  TzubSkinControl(HWND Handle, TzubSkinWindow* Window);
  ~TzubSkinControl() override;

  // ---- The sixteen virtual operations, in order.
  // False keeps the message from the control; its result is then what this put there.
  virtual bool BeforeMessage(TMessage& Message);
  // Repaint triggers, the hot and pressed states, ZM_ISSKINNED.
  virtual void AfterMessage(TMessage& Message);
  virtual void PaintSkin() {}
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void MouseDown() {}
  virtual void MouseUp() {}
  virtual void KeyDown(uint32_t Key) { (void)Key; }
  virtual void KeyUp(uint32_t Key) { (void)Key; }
  // Skinning switched on or off (and once after a class-library skinner is made).
  virtual void SkinStateChanged() {}
  // The last step of construction.
  virtual void AfterAttach() {}
  // Right before the skinner goes: AfterMessage is no longer called.
  virtual void Detach() { Detached = true; }
  // The client rectangle, from (0, 0).
  virtual RECT GetControlRect() = 0;
  virtual HWND GetControlHandle() = 0;
  virtual bool GetControlEnabled() = 0;
  // True: the form skinner sets the control's ParentColor.
  virtual bool WantsParentColor() { return false; }

  // ---- Drawing helpers of the concrete skinners.
  // Copies the control's rectangle of Bitmap onto the control and centres Text on one line.
  void DrawCaptionText(TBitmap* Bitmap, const std::string& Text, RECT TextRect, TFont* Font);
  void DrawCaptionTextW(TBitmap* Bitmap, const std::wstring& Text, RECT TextRect, TFont* Font);
  void DrawBitmapAt(TBitmap* Bitmap, POINT Point);

  bool Hot() const { return (State & zsHot) != 0; }
  bool Pressed() const { return (State & zsPressed) != 0; }
  // Skinning in force: an engine that is not going and IsSkinning.
  bool IsSkinning() const;

  // Detach, then free now or when the outermost call through the skinner returns.
  void Release();

  // Kept up to date by the hooks: the control's window (0 when it has none or it is gone).
  HWND Handle;
  TzubSkinWindow* Window;  // the window skinner that keeps this one; not owned
  TzubSkinEngine* Engine;  // the window skinner's engine; null once the engine goes
  uint8_t State = 0;       // zsHot, zsPressed
  bool Detached = false;

 protected:
  // The engine goes (or has gone): every message passes from then on.
  bool EngineGoing() const;
  // Runs Body as one call through the skinner; a Release meanwhile waits for the outermost.
  template <class F>
  void Guarded(F&& Body);
  void ComponentFreed(TComponent* Component) override;
  void Paint() {
    if (IsSkinning()) PaintSkin();
  }

 private:
  void DrawCaption(TBitmap* Bitmap, const void* Text, bool Wide, RECT TextRect, TFont* Font);
  int calls_ = 0;
  bool releasePending_ = false;
};

// Frees the skinner at once or, when a call through it runs, once it returns. Safe on null.
void ReleaseSkinControl(TzubSkinControl* Skinner);

// A skinner of a class-library control (inside an application form), hooked through the
// control's WindowProc.
class TzubSkinControlVCL : public TzubSkinControl {
  DECLARE_CLASS(TzubSkinControlVCL, TzubSkinControl)
 public:
  TzubSkinControlVCL(TControl* Control, TzubSkinWindow* Window);
  // Gives the control its WindowProc back when ours is still the current one.
  ~TzubSkinControlVCL() override;
  void AfterConstruction() override;

  RECT GetControlRect() override;
  HWND GetControlHandle() override;
  bool GetControlEnabled() override;

  // The installed message handler.
  void ControlWindowProc(TMessage& Message);
  // Puts OldWindowProc back when ours is current (the window skinner's part on removal).
  void Unhook();

  TWndMethod OldWindowProc;
  TControl* Control;

 protected:
  void ComponentFreed(TComponent* Component) override;

 private:
  class THook;
  THook* hook_ = nullptr;  // outlives the skinner while someone hooked the control after us
};

// A skinner of a plain child window (inside a system dialog), hooked by subclassing it.
class TzubSkinControlWnd : public TzubSkinControl {
  DECLARE_CLASS(TzubSkinControlWnd, TzubSkinControl)
 public:
  TzubSkinControlWnd(HWND Handle, TzubSkinWindow* Window);
  // Unhooks: the old procedure back only while ours is current.
  ~TzubSkinControlWnd() override;
  void AfterConstruction() override;

  RECT GetControlRect() override;
  HWND GetControlHandle() override { return Handle; }
  bool GetControlEnabled() override;

  // The installed message handler.
  void ControlWndProc(TMessage& Message);
  void Unhook();

  int GetWndWidth();
  int GetWndHeight();
  std::string GetWndText();  // at most 259 characters

  WNDPROC OldWndProc = nullptr;
  WNDPROC WndProcStub = nullptr;  // a procedure bound to this window's hook

 private:
  class THook;
  THook* hook_ = nullptr;  // outlives the skinner while someone subclassed the window after us
};

// The flat one-pixel border round a class-library control, by its class and BorderStyle.
class TzubSkinBorderWinControl : public TzubSkinControlVCL {
  DECLARE_CLASS(TzubSkinBorderWinControl, TzubSkinControlVCL)
 public:
  using TzubSkinControlVCL::TzubSkinControlVCL;
  void PaintSkin() override;
  // The border's tests: a window, no notebook or page, a BorderStyle other than none, a class
  // not in NoBorderClassNames.
  bool WantsBorder();
  void PaintBorder();
};

// The same border round a plain window, always.
class TzubSkinBorderWndControl : public TzubSkinControlWnd {
  DECLARE_CLASS(TzubSkinBorderWndControl, TzubSkinControlWnd)
 public:
  using TzubSkinControlWnd::TzubSkinControlWnd;
  void PaintSkin() override;
};

// Class references of the two kinds: the descendant's constructor behind the kind's one.
using TzubSkinControlVCLClass = TzubSkinControlVCL* (*)(TControl* Control, TzubSkinWindow* Window);
using TzubSkinControlWndClass = TzubSkinControlWnd* (*)(HWND Handle, TzubSkinWindow* Window);

template <class T>
TzubSkinControlVCL* NewSkinControlVCL(TControl* Control, TzubSkinWindow* Window) {
  return NewObject<T>(Control, Window);
}
template <class T>
TzubSkinControlWnd* NewSkinControlWnd(HWND Handle, TzubSkinWindow* Window) {
  return NewObject<T>(Handle, Window);
}

// Constructs through the class reference: hooked, AfterAttach run; freed again if that raises.
TzubSkinControlVCL* CreateSkinControl(TzubSkinControlVCLClass Class, TControl* Control, TzubSkinWindow* Window);
TzubSkinControlWnd* CreateSkinControl(TzubSkinControlWndClass Class, HWND Handle, TzubSkinWindow* Window);

template <class F>
void TzubSkinControl::Guarded(F&& Body) {
  ++calls_;
  try {
    Body();
  } catch (...) {
    if (--calls_ == 0 && releasePending_) Free();
    throw;
  }
  if (--calls_ == 0 && releasePending_) Free();
}
