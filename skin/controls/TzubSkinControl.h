// The bases of the control skinners: one object per skinned child control, kept by its window
// skinner. Every skinner of one kind is made through that kind's one constructor, by class
// reference; descendants set themselves up in AfterAttach, when the object is whole.
#pragma once

#include <windows.h>

#include "System.h"

class TControl;
class TzubSkinWindow;

class TzubSkinControl : public TObject {
  DECLARE_CLASS(TzubSkinControl, TObject)
 public:
  TzubSkinControl(HWND Handle, TzubSkinWindow* Window) : Handle(Handle), Window(Window) {}
  // Runs once after construction, with the descendant's overrides in force.
  virtual void AfterAttach() {}

  HWND Handle;
  TzubSkinWindow* Window;  // the window skinner that keeps this one
};

// A skinner of a class-library control (inside an application form).
class TzubSkinControlVCL : public TzubSkinControl {
  DECLARE_CLASS(TzubSkinControlVCL, TzubSkinControl)
 public:
  TzubSkinControlVCL(TControl* Control, TzubSkinWindow* Window);

  TControl* Control;
};

// A skinner of a plain child window (inside a system dialog).
class TzubSkinControlWnd : public TzubSkinControl {
  DECLARE_CLASS(TzubSkinControlWnd, TzubSkinControl)
 public:
  TzubSkinControlWnd(HWND Handle, TzubSkinWindow* Window) : TzubSkinControl(Handle, Window) {}
};

// Class references of the two kinds: the descendant's constructor behind the kind's one.
using TzubSkinControlVCLClass = TzubSkinControlVCL* (*)(TControl* Control, TzubSkinWindow* Window);
using TzubSkinControlWndClass = TzubSkinControlWnd* (*)(HWND Handle, TzubSkinWindow* Window);

template <class T>
TzubSkinControlVCL* NewSkinControlVCL(TControl* Control, TzubSkinWindow* Window) { return new T(Control, Window); }
template <class T>
TzubSkinControlWnd* NewSkinControlWnd(HWND Handle, TzubSkinWindow* Window) { return new T(Handle, Window); }

// Constructs through the class reference, then AfterAttach; the object is freed if that raises.
TzubSkinControlVCL* CreateSkinControl(TzubSkinControlVCLClass Class, TControl* Control, TzubSkinWindow* Window);
TzubSkinControlWnd* CreateSkinControl(TzubSkinControlWndClass Class, HWND Handle, TzubSkinWindow* Window);
