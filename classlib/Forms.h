// Forms, the application object and the screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Controls.h"

class TIcon;
class TMainMenu;
class TForm;

DECLARE_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
// The two-value border style of controls shares the first two values.
using TBorderStyle = TFormBorderStyle;
extern const TTypeInfo BorderStyleType;  // "TBorderStyle": bsNone, bsSingle
DECLARE_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
             poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
DECLARE_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
DECLARE_ENUM(TTileMode, tbHorizontal, tbVertical)
DECLARE_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
DECLARE_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
DECLARE_SET(TBorderIcons, TBorderIcon)
DECLARE_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize)
DECLARE_EVENT_TYPE(TCloseEvent, void(TObject* Sender, TCloseAction& Action))
DECLARE_EVENT_TYPE(TCloseQueryEvent, void(TObject* Sender, bool& CanClose))

using TModalResult = int32_t;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO;

class TScrollingWinControl : public TWinControl {
  DECLARE_CLASS(TScrollingWinControl, TWinControl)
 public:
  using TWinControl::TWinControl;
  // Kept for form descriptions and callers; this library's forms do not scroll their controls.
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool Value) { autoScroll_ = Value; }

 private:
  bool autoScroll_ = true;
};

class TCustomForm : public TScrollingWinControl {
  DECLARE_CLASS(TCustomForm, TScrollingWinControl)
 public:
  explicit TCustomForm(TComponent* AOwner);
  // A form without a form resource (the message form, tests).
  TCustomForm(TComponent* AOwner, bool NoResource);
  ~TCustomForm() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle Value);
  // biHelp gives the title bar a help button (WS_EX_CONTEXTHELP) on a dialog or where there is
  // neither a minimise nor a maximise button.
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition Value);
  // fsMDIForm: the form's client area holds an MDI client window (ClientHandle) beside its
  // aligned controls, and the form's default handling is DefFrameProc. fsMDIChild: a window in
  // the main form's MDI client (the main form must be an MDI form), handled by DefMDIChildProc,
  // shown as soon as it is made; its WindowState goes through the MDI client.
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle Value);
  HWND ClientHandle() const { return clientHandle_; }
  // The application's MDI children, in the screen's order; a child counts until its window
  // is gone (also while the MDI client handles its WM_MDIDESTROY). None unless this is an MDI form.
  int MDIChildCount() const;
  TForm* MDIChildren(int Index) const;
  TForm* ActiveMDIChild() const;
  void Cascade();
  void Tile();
  TTileMode TileMode() const { return tileMode_; }
  void SetTileMode(TTileMode Value) { tileMode_ = Value; }
  // Follows the window when the user or the system maximises, minimises or restores it.
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState Value);
  // Without a window: the client area the window will have (its frame and menu bar taken off).
  RECT ClientRect() override;
  int32_t ClientWidthProp() { return ClientWidth(); }
  int32_t ClientHeightProp() { return ClientHeight(); }
  // The icon of the window's title bar; while it is empty, the application's icon.
  TIcon* Icon() const { return icon_; }
  void SetIcon(TIcon* Value);
  std::string HelpFile() const { return helpFile_; }
  void SetHelpFile(std::string Value) { helpFile_ = std::move(Value); }
  // The menu bar of the window (SetMenu); set to null, or when the menu is freed, the window
  // has none. Without a window the client size stays; with one the window keeps its size.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* Value);
  bool Active() const { return active_; }
  // The control that has the focus, or last had it while the form was active; the form gives
  // the focus back to it when it is activated, or else to its first control in tab order.
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* Value);
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool Value) { keyPreview_ = Value; }

  void Show();
  // Runs a modal loop that disables the other windows until ModalResult is set.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult Value) { modalResult_ = Value; }
  bool Modal() const { return inModal_; }
  void Close();
  // Frees the form once the messages already queued for it have been handled.
  void Release();
  bool CloseQuery();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnPaint;
  TNotifyEvent OnResize;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void DestroyWindowHandle() override;
  void DefaultHandler(TMessage& Message) override;
  void AlignControls(RECT& Rect) override;
  void WndProc(TMessage& Message) override;
  void PaintWindow(HDC DC) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void DoCreate();
  virtual void DoShow();
  // The name of the RCDATA resource that holds this form's description; empty for none.
  virtual std::string ResourceName() const;
  void ReadResource();

 private:
  void PlaceForPosition();
  void RememberActiveControl(TWinControl* Value);
  bool FocusActiveControl();
  void IconChanged(TObject* Sender);
  void AttachMenu();
  HICON IconHandle() const;
  TCanvas* canvas_;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = {biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  TFormStyle formStyle_ = fsNormal;
  TTileMode tileMode_ = tbHorizontal;
  HWND clientHandle_ = nullptr;
  TWindowState windowState_ = wsNormal;
  TIcon* icon_ = nullptr;
  std::string helpFile_;
  TMainMenu* menu_ = nullptr;
  bool active_ = false;
  TWinControl* activeControl_ = nullptr;
  bool keyPreview_ = false;
  TModalResult modalResult_ = mrNone;
  bool inModal_ = false;
  bool noResource_ = false;
  bool placed_ = false;
};

class TForm : public TCustomForm {
  DECLARE_CLASS(TForm, TCustomForm)
 public:
  using TCustomForm::TCustomForm;
};

// ---------------------------------------------------------------------------------------------

DECLARE_EVENT_TYPE(THelpEvent, bool(uint16_t Command, int32_t Data, bool& CallHelp))
DECLARE_EVENT_TYPE(TExceptionEvent, void(TObject* Sender, const Exception& E))
// A message taken from the queue; Handled true keeps it from being translated and dispatched.
DECLARE_EVENT_TYPE(TMessageEvent, void(MSG& Msg, bool& Handled))

class TApplication : public TComponent {
  DECLARE_CLASS(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize();
  // Creates a form owned by the application; Reference is set before the form's handlers run.
  template <class T>
  void CreateForm(T*& Reference) {
    T* form = new T(this);
    Reference = form;
    try {
      form->AfterConstruction();
    } catch (...) {
      Reference = nullptr;
      form->Free();
      throw;
    }
    if (!mainForm_) mainForm_ = form;
  }
  // The message loop, until the main form closes or Terminate is called.
  void Run();
  void ProcessMessages();
  // Waits for the next message and handles it (one turn of a loop).
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }

  TCustomForm* MainForm() const { return mainForm_; }
  HWND Handle();
  bool Active() const { return active_; }
  std::string ExeName() const;
  std::string Title() const { return title_; }
  void SetTitle(std::string Value);
  std::string HelpFile() const { return helpFile_; }
  void SetHelpFile(std::string Value) { helpFile_ = std::move(Value); }
  // The program's icon (its "MAINICON" resource, empty without one); the icon of forms whose
  // own is empty.
  TIcon* Icon() const { return icon_; }
  // Raises the help event; without a handler that answers, asks WinHelp.
  bool HelpCommand(uint16_t Command, int32_t Data);
  bool HelpContext(int32_t Context) { return HelpCommand(HELP_CONTEXT, Context); }
  THelpEvent OnHelp;
  TExceptionEvent OnException;
  TNotifyEvent OnIdle;
  // Every message the loops take from the queue (WM_QUIT aside), before the application
  // events components hear it (AppEvnts.h).
  TMessageEvent OnMessage;

  // The error box: the exception's message in a message box with the application's title.
  void ShowException(const Exception& E);
  void ShowException(const std::exception& E);
  // Called inside a catch block at a boundary: OnException, or ShowException.
  void HandleException(TObject* Sender);
  int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags = MB_OK);

 private:
  friend class TCustomForm;
  bool ProcessMessage(MSG& Msg);
  bool IsMDIMessage(MSG& Msg);
  bool IsDialogMessage(MSG& Msg);
  static LRESULT CALLBACK AppWndProc(HWND, UINT, WPARAM, LPARAM);
  HWND handle_ = nullptr;
  TIcon* icon_;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool active_ = false;
  std::string title_;
  std::string helpFile_;
};

class TScreen : public TComponent {
  DECLARE_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* AOwner);
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TForm* Forms(int Index) const;
  int CustomFormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* CustomForms(int Index) const { return forms_.at(Index); }
  TForm* ActiveForm() const;
  TCustomForm* ActiveCustomForm() const { return activeForm_; }
  TWinControl* ActiveControl() const;
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  int PixelsPerInch() const;

 private:
  friend class TCustomForm;
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetActiveForm(TCustomForm* Form);
  std::vector<TCustomForm*> forms_;
  TCustomForm* activeForm_ = nullptr;
  TCursor cursor_ = crDefault;
};

// Hands a message to every TApplicationEvents (AppEvnts.cpp).
void DispatchApplicationEvents(MSG& Msg, bool& Handled);

// The two objects the platform really has one of per program.
extern TApplication* Application;
extern TScreen* Screen;
// Frees the application object (its window and icon) and the screen at the program's end,
// before the units finish; Application and Screen are null afterwards.
void FreeApplication();

// The message box: a form of this library (class TMessageForm) that shows Msg as it stands, with
// its buttons side by side. OK answers Return and Escape alone; with Yes and No, No answers both
// and has the focus.
DECLARE_ENUM(TMsgDlgBtn, mbYes, mbNo, mbOK)
DECLARE_SET(TMsgDlgButtons, TMsgDlgBtn)
TCustomForm* CreateMessageDialog(const std::string& Msg, TMsgDlgButtons Buttons = {mbOK});
// The box shown modally: the modal result of the button pressed (mrCancel for the close box).
TModalResult MessageDlg(const std::string& Msg, TMsgDlgButtons Buttons);
// The plain message box with an OK button.
void ShowMessage(const std::string& Msg);
