// The base of the window skinners: paints the whole non-client area from the skin, computes
// the client area, drives the caption buttons and the system menu, answers the private messages.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Component.h"
#include "Controls.h"
#include "GdiObject.h"
#include "ZUBSkinFrame.h"

class TzubSkinEngine;
class TzubSkinControl;

class TzubSkinWindow : public TComponent {
  DECLARE_CLASS(TzubSkinWindow, TComponent)

 public:
  // Two-phase: construct with Create<T>(owner, Handle, IsDialog, Engine); AfterConstruction
  // attaches and skins, so the descendant's overrides are in force.
  TzubSkinWindow(TComponent* AOwner, HWND Handle, bool IsDialog, TzubSkinEngine* Engine);
  ~TzubSkinWindow() override;  // out of Engine->FWindows, clears FSystemMenuWindow
  void AfterConstruction() override;
  // Plain look back, child skinners freed, window procedure given back.
  void BeforeDestruction() override;

  void SetSkinned(bool Value);
  void SetTitleBarVisible(bool Value);
  void SetBorderVisible(bool Value);

  // The message handler that AttachWindow installs.
  void SkinWndProc(TMessage& Message);
  void PaintNonClient();
  // The same into any DC laid out as the window's (a memory DC off screen).
  void PaintNonClient(HDC DC);
  void UpdateRegion();

  // Posted to the window as WM_SYSCOMMAND.
  void DoClose();
  void DoMinimize();
  void DoHelp();
  void DoMaximizeRestore();
  void ShowSystemMenuAtIcon();
  void ShowSystemMenuAt(POINT Point);

  std::string GetCaptionText();
  int GetWindowWidth();
  int GetWindowHeight();
  int GetTitleBarHeight();

  // ---- Virtual operations. Those with empty bodies are the variants' to fill: applying the
  // look, passing messages on, the child skinners, attaching to and detaching from the window.
  virtual void ApplySkinState() {}
  virtual void CallPrevWndProc(TMessage& Message) { (void)Message; }
  virtual void SaveWindowState() {}
  virtual void SkinChildControls() {}
  virtual void UnskinChildControls() {}
  virtual bool CanUseRegion() { return true; }
  virtual int GetMenuBarHeight() { return 0; }
  virtual HICON GetIconHandle() { return nullptr; }
  virtual bool HasHelpButton() { return false; }
  virtual bool IsMDIForm() { return false; }
  virtual bool IsMDIChild() { return false; }
  virtual bool IsDialogBorder() { return false; }
  virtual bool HasSystemIcon() { return false; }
  virtual bool HasCloseButton() { return true; }
  virtual bool HasMaximizeButton() { return false; }
  virtual bool HasMinimizeButton() { return false; }
  virtual bool SkinBeforeFirstPaint() { return false; }
  virtual HWND GetHandle() = 0;
  // False swallows the message.
  virtual bool BeforeDefaultMessage(TMessage& Message) { (void)Message; return true; }
  virtual void AfterDefaultMessage(TMessage& Message) { (void)Message; }
  virtual void AttachWindow(HWND Handle) { (void)Handle; }
  virtual void DetachWindow() {}

  TzubSkinEngine* Engine;
  bool TitleBarVisible = true;
  bool BorderVisible = true;
  bool Destroying = false;
  int32_t SavedClientHeight = 0, SavedClientWidth = 0;
  bool IsDialog;
  std::vector<TzubSkinControl*> ControlSkinners;  // owned; null entries are kept and skipped
  bool MaximizeEnabled = false;
  bool MaximizeShown = false;
  bool MinimizeShown = false;
  bool CloseShown = false;
  int32_t HotButton = zubskin::ceNone;
  bool ButtonPressed = false;
  bool Active = true;
  bool Skinned;
  bool FirstSkinDone = false;
  bool MDIMaximizeSent = false;
  int32_t CaptionHeight = 0;
  // The caption element the left button went down on; a release runs only that one.
  int32_t PressedButton = zubskin::ceNone;

 protected:
  void DoFirstSkin();
  // The engine's border width, no less than 0.
  int BorderWidth() const;
  // The metrics the client rectangle is computed from.
  zubskin::FrameMetrics Metrics();

 private:
  void HandleNcCalcSize(TMessage& Message);
  void HandleNcHitTest(TMessage& Message);
  void AnswerCaptionRightClick(TMessage& Message);
  void PaintTitleBar(HDC dc, bool& drawnMinimized);
  void PaintBorders(HDC dc);
  HICON TitleIcon();

  HWND firstHandle_;      // the constructor's Handle, attached by AfterConstruction
  IconHandle appIcon_;    // the application's icon at 16 x 16, made once
  bool rightPressed_ = false;  // the right button went down on the title, which opens the menu
};

// The rounded window region: upper corners of radius Round, lower ones of BottomRound (a
// negative radius counts as 0). The caller owns it.
HRGN CreateSkinWindowRegion(int Width, int Height, int Round, int BottomRound);

// The skinner for a top-level window: TzubSkinWindowVCL for an application form, else
// TzubSkinWindowWnd. Null where no variant exists for the window.
TzubSkinWindow* NewSkinWindow(HWND Handle, bool IsDialog, TzubSkinEngine* Engine);
