#include "Forms.h"

#include <algorithm>
#include <cctype>

#include "Boundary.h"
#include "FormReader.h"
#include "Graphics.h"
#include "Menus.h"
#include "Thread.h"

namespace {

void RouteToApplication(TObject* sender, std::exception_ptr e) {
  if (!Application) return;
  try {
    std::rethrow_exception(e);
  } catch (...) {
    Application->HandleException(sender);
  }
}

// The application object and the screen live for the whole program; FreeApplication ends them
// before the units finish, so that nothing is left to static destruction.
struct Globals {
  Globals() {
    Application = new TApplication(nullptr);
    Screen = new TScreen(nullptr);
    SetExceptionHandler(RouteToApplication);
  }
};

}  // namespace

TApplication* Application = nullptr;
TScreen* Screen = nullptr;
namespace {
Globals globals;
}

void FreeApplication() {
  SetExceptionHandler(nullptr);
  if (Application) Application->Free();  // its forms go first, while Application and Screen still stand
  Application = nullptr;
  if (Screen) Screen->Free();
  Screen = nullptr;
}

namespace {
const char* const kBorderStyleNames[] = {"bsNone", "bsSingle"};
}
const TTypeInfo BorderStyleType{"TBorderStyle", TTypeKind::Enumeration, kBorderStyleNames, 2};

// ---------------------------------------------------------------------------------------------
// TCustomForm

DEFINE_CLASS(TScrollingWinControl, TWinControl,
             ({Prop<&TScrollingWinControl::AutoScroll, &TScrollingWinControl::SetAutoScroll>("AutoScroll")}))

DEFINE_CLASS(TCustomForm, TScrollingWinControl,
             ({Prop<&TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle>("BorderStyle"),
               Prop<&TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons>("BorderIcons"),
               Prop<&TCustomForm::Caption, &TCustomForm::SetCaption>("Caption"),
               Prop<&TCustomForm::ClientHeightProp, &TCustomForm::SetClientHeight>("ClientHeight"),
               Prop<&TCustomForm::ClientWidthProp, &TCustomForm::SetClientWidth>("ClientWidth"),
               Prop<&TCustomForm::FormStyle, &TCustomForm::SetFormStyle>("FormStyle"),
               Prop<&TCustomForm::HelpFile, &TCustomForm::SetHelpFile>("HelpFile"),
               Prop<&TCustomForm::Icon, &TCustomForm::SetIcon>("Icon"),
               Prop<&TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview>("KeyPreview"),
               Prop<&TCustomForm::Menu, &TCustomForm::SetMenu>("Menu"),
               Prop<&TCustomForm::Position, &TCustomForm::SetPosition>("Position"),
               Prop<&TCustomForm::TileMode, &TCustomForm::SetTileMode>("TileMode"),
               Prop<&TCustomForm::WindowState, &TCustomForm::SetWindowState>("WindowState"),
               Field<&TCustomForm::OnActivate>("OnActivate"),
               Field<&TCustomForm::OnClose>("OnClose"),
               Field<&TCustomForm::OnCloseQuery>("OnCloseQuery"),
               Field<&TCustomForm::OnCreate>("OnCreate"),
               Field<&TCustomForm::OnDeactivate>("OnDeactivate"),
               Field<&TCustomForm::OnDestroy>("OnDestroy"),
               Field<&TCustomForm::OnHide>("OnHide"),
               Field<&TCustomForm::OnPaint>("OnPaint"),
               Field<&TCustomForm::OnResize>("OnResize"),
               Field<&TCustomForm::OnShow>("OnShow")}))

DEFINE_CLASS(TForm, TCustomForm, ({}))

TCustomForm::TCustomForm(TComponent* AOwner) : TScrollingWinControl(AOwner), canvas_(new TCanvas), icon_(new TIcon) {
  icon_->OnChange = TNotifyEvent::Bind<&TCustomForm::IconChanged>(this);
  ownPaint_ = true;
  SetVisibleField(false);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
}

TCustomForm::TCustomForm(TComponent* AOwner, bool NoResource) : TCustomForm(AOwner) { noResource_ = NoResource; }

TCustomForm::~TCustomForm() {
  if (Screen) Screen->RemoveForm(this);
  delete canvas_;
  delete icon_;
}

std::string TCustomForm::ResourceName() const {
  std::string name = ClassName();
  for (char& c : name) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return name;
}

void TCustomForm::AfterConstruction() {
  TScrollingWinControl::AfterConstruction();
  Screen->AddForm(this);
  if (!noResource_) ReadResource();
  DoCreate();
  // An MDI child is shown as soon as it is made.
  if (formStyle_ == fsMDIChild && Visible() && !HandleAllocated()) Perform(CM_VISIBLECHANGED, 1);
}

void TCustomForm::ReadResource() { ReadComponentText(this, LoadFormResource(ResourceName())); }

void TCustomForm::DoCreate() {
  try {
    if (OnCreate) OnCreate(this);
  } catch (...) {
    HandleException(this);
  }
}

void TCustomForm::BeforeDestruction() {
  if (!ComponentState().Contains(csDestroying)) {
    Destroying();
    try {
      if (OnDestroy) OnDestroy(this);
    } catch (...) {
      HandleException(this);
    }
  }
  // An MDI child still counts while its MDI client destroys its window.
  DestroyHandle();
  if (Screen) Screen->RemoveForm(this);
  if (Application && Application->mainForm_ == this) Application->mainForm_ = nullptr;
  TScrollingWinControl::BeforeDestruction();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
  if (borderIcons_ == value) return;
  borderIcons_ = value;
  RecreateWnd();
}

void TCustomForm::SetPosition(TPosition value) { position_ = value; }
void TCustomForm::SetFormStyle(TFormStyle value) {
  if (value == formStyle_) return;
  DestroyHandle();  // the window is made anew for its new kind
  formStyle_ = value;
  if (value != fsMDIChild) return;
  if (ComponentState().Contains(csLoading)) SetVisibleField(true);  // shown after the creation
  else SetVisible(true);
}

void TCustomForm::SetWindowState(TWindowState value) {
  windowState_ = value;
  if (!HandleAllocated() || !Visible()) return;
  HWND client = formStyle_ == fsMDIChild ? GetParent(Handle()) : nullptr;
  if (client && value == wsMaximized) SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(Handle()), 0);
  else if (client && value == wsNormal) SendMessageA(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(Handle()), 0);
  else ShowWindow(Handle(), value == wsMaximized ? SW_MAXIMIZE : value == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

int TCustomForm::MDIChildCount() const {
  if (formStyle_ != fsMDIForm || !clientHandle_ || !Screen) return 0;
  int count = 0;
  for (int i = 0; i < Screen->CustomFormCount(); ++i)
    if (Screen->CustomForms(i)->FormStyle() == fsMDIChild) ++count;
  return count;
}

TForm* TCustomForm::MDIChildren(int index) const {
  if (formStyle_ == fsMDIForm && clientHandle_ && Screen)
    for (int i = 0; i < Screen->CustomFormCount(); ++i)
      if (Screen->CustomForms(i)->FormStyle() == fsMDIChild && index-- == 0) return As<TForm>(Screen->CustomForms(i));
  return nullptr;
}

TForm* TCustomForm::ActiveMDIChild() const {
  if (formStyle_ != fsMDIForm || !clientHandle_) return nullptr;
  return As<TForm>(FromHandle(reinterpret_cast<HWND>(SendMessageA(clientHandle_, WM_MDIGETACTIVE, 0, 0))));
}

void TCustomForm::Cascade() {
  if (clientHandle_) SendMessageA(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile() {
  if (clientHandle_)
    SendMessageA(clientHandle_, WM_MDITILE, tileMode_ == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TCustomForm::DefaultHandler(TMessage& m) {
  if (!HandleAllocated()) return;
  if (formStyle_ == fsMDIForm) m.Result = DefFrameProcA(Handle(), clientHandle_, m.Msg, m.WParam, m.LParam);
  else if (formStyle_ == fsMDIChild) m.Result = DefMDIChildProcA(Handle(), m.Msg, m.WParam, m.LParam);
  else TScrollingWinControl::DefaultHandler(m);
}

void TCustomForm::AlignControls(RECT& rect) {
  TScrollingWinControl::AlignControls(rect);
  // The MDI client takes what the aligned controls leave.
  if (clientHandle_)
    SetWindowPos(clientHandle_, HWND_BOTTOM, rect.left, rect.top, std::max<LONG>(rect.right - rect.left, 0),
                 std::max<LONG>(rect.bottom - rect.top, 0), SWP_NOACTIVATE);
}

void TCustomForm::DestroyWindowHandle() {
  HWND wnd = Handle();
  HWND client = formStyle_ == fsMDIChild ? GetParent(wnd) : nullptr;
  // The MDI client destroys its children itself, so that it can activate the next one.
  if (client) SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(wnd), 0);
  if (IsWindow(wnd)) DestroyWindow(wnd);
  clientHandle_ = nullptr;
}

void TCustomForm::SetMenu(TMainMenu* value) {
  if (value == menu_) return;
  const bool keepClient = !HandleAllocated() && !ComponentState().Contains(csDestroying);
  const int32_t clientHeight = keepClient ? ClientHeight() : 0;
  if (menu_) {
    menu_->RemoveFreeNotification(this);
    RemoveFreeNotification(menu_);
    menu_->SetWindowHandle(nullptr);
  }
  menu_ = value;
  if (value) value->FreeNotification(this);
  if (HandleAllocated()) AttachMenu();
  else if (keepClient) SetClientHeight(clientHeight);
}

// The window shows menu_'s bar, or none; an MDI child has no bar of its own.
void TCustomForm::AttachMenu() {
  HWND wnd = Handle();
  if (formStyle_ == fsMDIChild) return;
  HMENU bar = menu_ ? menu_->Handle() : nullptr;
  if (::GetMenu(wnd) != bar) ::SetMenu(wnd, bar);
  if (menu_) menu_->SetWindowHandle(wnd);
  DrawMenuBar(wnd);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TScrollingWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == menu_) SetMenu(nullptr);
  if (Operation == opRemove && AComponent == activeControl_) activeControl_ = nullptr;
}

void TCustomForm::SetIcon(TIcon* value) { icon_->Assign(value); }

HICON TCustomForm::IconHandle() const {
  if (!icon_->Empty()) return icon_->Handle();
  return Application && !Application->Icon()->Empty() ? Application->Icon()->Handle() : nullptr;
}

void TCustomForm::IconChanged(TObject*) {
  if (!HandleAllocated()) return;
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(IconHandle()));
  Perform(CM_RECREATEWND, 1);  // restyled in place
}

void TCustomForm::CreateWnd() {
  TScrollingWinControl::CreateWnd();
  if (formStyle_ == fsMDIForm && !clientHandle_) {
    CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
    RECT r;
    GetClientRect(Handle(), &r);
    clientHandle_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL |
                                        MDIS_ALLCHILDSTYLES,  // the children keep the border icons they ask for
                                    0, 0, r.right, r.bottom, Handle(), nullptr, GetModuleHandleA(nullptr), &ccs);
    if (!clientHandle_) throw EInvalidOperation("Cannot create the MDI client window");
    Realign();
  }
  if (menu_) AttachMenu();
  if (!icon_->Empty()) SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_->Handle()));
}

void TCustomForm::DestroyWnd() {
  // The menu outlives the window: DestroyWindow would destroy an attached menu with it.
  if (::GetMenu(Handle())) ::SetMenu(Handle(), nullptr);
  if (menu_) menu_->SetWindowHandle(nullptr);
  TScrollingWinControl::DestroyWnd();
}

void TCustomForm::SetActiveControl(TWinControl* value) {
  if (value && HandleAllocated() && Visible() && value->CanFocus()) value->SetFocus();
  RememberActiveControl(value);
}

void TCustomForm::RememberActiveControl(TWinControl* value) {
  if (value == activeControl_) return;
  if (activeControl_) {
    activeControl_->RemoveFreeNotification(this);
    RemoveFreeNotification(activeControl_);
  }
  activeControl_ = value;
  if (value) value->FreeNotification(this);
}

bool TCustomForm::FocusActiveControl() {
  TWinControl* target = activeControl_ && activeControl_->CanFocus() ? activeControl_ : FirstTabControl();
  if (!target) return false;
  ::SetFocus(target->Handle());
  return true;
}

namespace {
int ShowCommand(TWindowState state) {
  return state == wsMaximized ? SW_SHOWMAXIMIZED : state == wsMinimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
}

void StylesFor(TFormBorderStyle border, TBorderIcons icons, DWORD& style, DWORD& ex) {
  style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  ex = 0;
  switch (border) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle: style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      style |= WS_POPUP | WS_CAPTION;
      ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      icons -= biMinimize;
      icons -= biMaximize;
      break;
    case bsToolWindow: style |= WS_CAPTION; ex |= WS_EX_TOOLWINDOW; break;
    case bsSizeToolWin: style |= WS_CAPTION | WS_THICKFRAME; ex |= WS_EX_TOOLWINDOW; break;
  }
  if (border != bsNone) {
    if (icons.Contains(biSystemMenu)) style |= WS_SYSMENU;
    if (icons.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
    if (icons.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
    // The platform shows the help button only without minimise and maximise buttons.
    if (icons.Contains(biHelp) && (border == bsDialog || (!icons.Contains(biMinimize) && !icons.Contains(biMaximize))))
      ex |= WS_EX_CONTEXTHELP;
  }
}
}  // namespace

RECT TCustomForm::ClientRect() {
  if (HandleAllocated()) return TScrollingWinControl::ClientRect();
  DWORD style, ex;
  StylesFor(borderStyle_, borderIcons_, style, ex);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style, menu_ && formStyle_ != fsMDIChild, ex);
  return {0, 0, std::max<LONG>(Width() - (frame.right - frame.left), 0),
          std::max<LONG>(Height() - (frame.bottom - frame.top), 0)};
}


void TCustomForm::CreateParams(TCreateParams& p) {
  TScrollingWinControl::CreateParams(p);
  DWORD style, ex;
  StylesFor(borderStyle_, borderIcons_, style, ex);
  p.Style = style;
  p.ExStyle = ex;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (Parent() || ParentWindow()) {
    p.Style = (p.Style & ~WS_POPUP) | WS_CHILD;
  } else if (Application->MainForm() && Application->MainForm() != this && Application->MainForm()->HandleAllocated()) {
    p.WndParent = Application->MainForm()->Handle();  // keeps the form above the main window
  } else {
    p.ExStyle |= WS_EX_APPWINDOW;
  }
  if (formStyle_ == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
  if (formStyle_ == fsMDIChild) {
    TCustomForm* main = Application->MainForm();
    if (!main || main == this || main->FormStyle() != fsMDIForm || !main->HandleAllocated() || !main->ClientHandle())
      throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    p.Style = (p.Style & ~WS_POPUP) | WS_CHILD | (Visible() ? WS_VISIBLE : 0);
    p.ExStyle = (p.ExStyle & ~WS_EX_APPWINDOW) | WS_EX_MDICHILD;
    p.WndParent = main->ClientHandle();
  }
  p.WindowClass.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  if (!p.WindowClass.hIcon) p.WindowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  p.WindowClass.hbrBackground = nullptr;
}

void TCustomForm::PlaceForPosition() {
  if (placed_) return;
  placed_ = true;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  switch (position_) {
    case poDesktopCenter:
    case poMainFormCenter:
    case poOwnerFormCenter:
      SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
      [[fallthrough]];
    case poScreenCenter:
      SetBounds(area.left + (area.right - area.left - Width()) / 2, area.top + (area.bottom - area.top - Height()) / 2,
                Width(), Height());
      break;
    default:
      break;
  }
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::Show() {
  SetVisible(true);
  if (formStyle_ == fsMDIChild) {
    SendMessageA(GetParent(Handle()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
  } else if (HandleAllocated()) {
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(Handle());
  }
}

namespace {
struct DisabledWindows {
  HWND except;
  std::vector<HWND> list;
};
BOOL CALLBACK DisableOne(HWND wnd, LPARAM lp) {
  auto* d = reinterpret_cast<DisabledWindows*>(lp);
  if (wnd != d->except && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
    d->list.push_back(wnd);
    EnableWindow(wnd, FALSE);
  }
  return TRUE;
}
}  // namespace

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || inModal_) throw EInvalidOperation("Cannot make a visible window modal");
  if (GetCapture()) SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  HWND previous = GetActiveWindow();
  inModal_ = true;
  modalResult_ = mrNone;
  DisabledWindows disabled{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabled));
  auto restore = [&] {
    for (HWND w : disabled.list)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    inModal_ = false;
  };
  try {
    Show();
    while (modalResult_ == mrNone) {
      Application->HandleMessage();
      if (Application->Terminated()) {
        modalResult_ = mrCancel;
        break;
      }
      if (modalResult_ != mrNone) {
        // The form may refuse to close; a close action of caNone keeps it open.
        TCloseAction action = caHide;
        if (!CloseQuery()) action = caNone;
        else if (OnClose) OnClose(this, action);
        if (action == caNone) modalResult_ = mrNone;
      }
    }
  } catch (...) {
    restore();
    throw;
  }
  // Hidden while every other window is disabled, the form would hand the activation to another
  // program's window: enable first, then hide, then give the activation back.
  restore();
  SetVisible(false);
  if (previous && IsWindow(previous)) SetActiveWindow(previous);
  return modalResult_;
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (inModal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  // An MDI child cannot hide: it goes to an icon, or stays.
  TCloseAction action = formStyle_ != fsMDIChild ? caHide : borderIcons_.Contains(biMinimize) ? caMinimize : caNone;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  if (action == caHide) SetVisible(false);
  else if (action == caMinimize) SetWindowState(wsMinimized);
  else Release();
}

void TCustomForm::Release() { PostMessageA(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::PaintWindow(HDC dc) {
  canvas_->SetHandle(dc);
  try {
    if (OnPaint) OnPaint(this);
  } catch (...) {
    canvas_->SetHandle(nullptr);
    throw;
  }
  canvas_->SetHandle(nullptr);
}

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case CM_RELEASE:
      Free();
      return;  // nothing of this object may be touched any more
    case CM_VISIBLECHANGED:
      if (Visible() && formStyle_ == fsMDIChild) {
        HWND client = GetParent(Handle());
        DoShow();
        if (!IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOW);
        SendMessageA(client, windowState_ == wsMaximized ? WM_MDIMAXIMIZE : WM_MDIACTIVATE,
                     reinterpret_cast<WPARAM>(Handle()), 0);
      } else if (Visible()) {
        Handle();
        PlaceForPosition();
        DoShow();
        ShowWindow(Handle(), ShowCommand(windowState_));
      } else {
        if (OnHide) OnHide(this);
        if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
      }
      return;
    case WM_ACTIVATE: {
      active_ = LOWORD(m.WParam) != WA_INACTIVE;
      bool focused = false;  // else the platform focuses the form itself
      if (active_) {
        Screen->SetActiveForm(this);
        focused = !HIWORD(m.WParam) && formStyle_ != fsMDIForm && FocusActiveControl();
        if (OnActivate) OnActivate(this);
      } else if (OnDeactivate) {
        OnDeactivate(this);
      }
      if (focused) return;
      break;
    }
    case CM_FOCUSCHANGED: {
      auto* control = reinterpret_cast<TWinControl*>(m.LParam);
      if (control == activeControl_ || ComponentState().Contains(csDestroying)) return;
      TWinControl* left = activeControl_;
      RememberActiveControl(control);
      if (left) left->Perform(CM_EXIT);
      control->Perform(CM_ENTER);
      return;
    }
    case WM_ACTIVATEAPP:
      Application->active_ = m.WParam != 0;
      break;
    case WM_SIZE:
      switch (m.WParam) {
        case SIZE_MAXIMIZED: windowState_ = wsMaximized; break;
        case SIZE_MINIMIZED: windowState_ = wsMinimized; break;
        case SIZE_RESTORED:
          if (IsWindowVisible(Handle())) windowState_ = wsNormal;
          break;
        default: break;
      }
      TScrollingWinControl::WndProc(m);
      if (OnResize) OnResize(this);
      return;
    case CM_RECREATEWND:
      TScrollingWinControl::WndProc(m);
      // The new window of a shown form is shown too (the form's styles leave WS_VISIBLE out).
      if (m.WParam == 0 && Visible() && HandleAllocated() && !IsWindowVisible(Handle()))
        ShowWindow(Handle(), ShowCommand(windowState_));
      return;
    case WM_GETMINMAXINFO: {
      TScrollingWinControl::WndProc(m);
      auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
      const TSizeConstraints* c = Constraints();
      if (c->MinWidth() > 0) info->ptMinTrackSize.x = c->MinWidth();
      if (c->MinHeight() > 0) info->ptMinTrackSize.y = c->MinHeight();
      if (c->MaxWidth() > 0) info->ptMaxTrackSize.x = c->MaxWidth();
      if (c->MaxHeight() > 0) info->ptMaxTrackSize.y = c->MaxHeight();
      return;
    }
    // A main menu's commands and owner-drawn items.
    case WM_COMMAND:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (MenuMessage(m.Msg, m.WParam, m.LParam, m.Result)) return;
      break;
    case CM_DIALOGKEY: {
      // Offer the key to every control; then Tab moves the focus.
      std::vector<TWinControl*> stack{this};
      while (!stack.empty() && m.Result == 0) {
        TWinControl* w = stack.back();
        stack.pop_back();
        for (int i = w->ControlCount() - 1; i >= 0; --i)
          if (auto* c = As<TWinControl>(w->Controls(i))) {
            if (c->Visible() && c->Enabled()) {
              m.Result = c->Perform(CM_DIALOGKEY, m.WParam, m.LParam);
              if (m.Result) return;
              stack.push_back(c);
            }
          }
      }
      if (m.WParam == VK_TAB) {
        HWND next = GetNextDlgTabItem(Handle(), GetFocus(), GetKeyState(VK_SHIFT) < 0);
        if (next) ::SetFocus(next);
        m.Result = 1;
      }
      return;
    }
    default:
      break;
  }
  TScrollingWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TApplication

DEFINE_CLASS(TApplication, TComponent, ({}))

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), icon_(new TIcon) {
  if (FindResourceA(GetModuleHandleA(nullptr), "MAINICON", MAKEINTRESOURCEA(14)))  // RT_GROUP_ICON
    icon_->LoadFromResourceName(GetModuleHandleA(nullptr), "MAINICON");
}

TApplication::~TApplication() {
  DestroyComponents();  // the forms, while the application object is still whole
  if (handle_) DestroyWindow(handle_);
  delete icon_;
}

void TApplication::Initialize() { InitThreadSync(); }

namespace {
// The form that had the activation last, or else the main form, when it can take it.
void HandOnActivation() {
  for (TCustomForm* form : {Screen->ActiveCustomForm(), Application->MainForm()}) {
    if (form && form->HandleAllocated() && IsWindowVisible(form->Handle()) && IsWindowEnabled(form->Handle())) {
      SetActiveWindow(form->Handle());
      return;
    }
  }
}
}  // namespace

LRESULT CALLBACK TApplication::AppWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ACTIVATE:
      // The hidden window keeps no activation (the system gives it to the owner of a closed
      // dialog): it goes on to a form once this activation is over.
      if (LOWORD(wp) != WA_INACTIVE) PostMessageA(wnd, CM_ACTIVATE, 0, 0);
      break;
    case CM_ACTIVATE:
      if (GetActiveWindow() == wnd && Application && Screen) HandOnActivation();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

HWND TApplication::Handle() {
  if (!handle_) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = AppWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TApplication";
    WNDCLASSA existing;
    if (!GetClassInfoA(wc.hInstance, wc.lpszClassName, &existing)) RegisterClassA(&wc);
    handle_ = CreateWindowExA(0, "TApplication", title_.c_str(), WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU,
                              0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
  }
  return handle_;
}

std::string TApplication::ExeName() const {
  char path[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
}

void TApplication::SetTitle(std::string value) {
  title_ = std::move(value);
  if (handle_) SetWindowTextA(handle_, title_.c_str());
}

void TApplication::Run() {
  if (mainForm_) mainForm_->Show();
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
  if (!terminated_) PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  try {
    if (OnMessage) OnMessage(msg, handled);
    DispatchApplicationEvents(msg, handled);
  } catch (...) {
    HandleException(this);
  }
  if (handled || IsMDIMessage(msg) || IsDialogMessage(msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

bool TApplication::IsMDIMessage(MSG& msg) {
  if (!mainForm_ || mainForm_->FormStyle() != fsMDIForm || !mainForm_->ClientHandle()) return false;
  return TranslateMDISysAccel(mainForm_->ClientHandle(), &msg) != FALSE;
}

bool TApplication::IsDialogMessage(MSG& msg) {
  // Tab, Return and Escape belong to the form unless the focused control asks for them; a
  // character is a mnemonic with Alt, or without where the control takes no characters.
  UINT question = CM_DIALOGKEY;
  LRESULT wanted = 0;  // what the control answers to WM_GETDLGCODE when it keeps the key
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) wanted = DLGC_WANTTAB;
  else if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) wanted = DLGC_WANTALLKEYS;
  else if (msg.message == WM_CHAR) question = CM_DIALOGCHAR, wanted = DLGC_WANTCHARS;
  else if (msg.message == WM_SYSCHAR && msg.wParam != VK_SPACE) question = CM_DIALOGCHAR;  // Alt+Space: the window menu
  else return false;
  // Asked with the message, as the platform asks: some controls answer by the key (a combo box
  // keeps Return and Escape while its list is dropped), and one that wants the message keeps it.
  if (wanted && (SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) &
                 (wanted | DLGC_WANTMESSAGE)))
    return false;
  auto* form = As<TCustomForm>(TWinControl::FromHandle(GetAncestor(msg.hwnd, GA_ROOT)));
  return form && form->Perform(question, msg.wParam, msg.lParam) != 0;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ProcessMessage(msg);
    if (msg.message == WM_QUIT) break;
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ProcessMessage(msg);
    return;
  }
  try {
    if (OnIdle) OnIdle(this);
  } catch (...) {
    HandleException(this);
  }
  WaitMessage();
}

bool TApplication::HelpCommand(uint16_t command, int32_t data) {
  bool callHelp = true;
  bool result = false;
  if (OnHelp) result = OnHelp(command, data, callHelp);
  if (callHelp && !helpFile_.empty()) result = WinHelpA(Handle(), helpFile_.c_str(), command, static_cast<ULONG_PTR>(data)) != 0;
  return result;
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND owner = GetActiveWindow();
  if (!owner && mainForm_ && mainForm_->HandleAllocated()) owner = mainForm_->Handle();
  return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void TApplication::ShowException(const Exception& e) { ShowException(static_cast<const std::exception&>(e)); }

void TApplication::ShowException(const std::exception& e) {
  std::string text = e.what();
  if (!text.empty() && text.back() > '.') text += '.';
  std::string caption = title_.empty() ? ExeName().substr(ExeName().find_last_of('\\') + 1) : title_;
  if (size_t dot = caption.rfind('.'); dot != std::string::npos && title_.empty()) caption.resize(dot);
  MessageBox(text, caption, MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(TObject* sender) {
  try {
    throw;
  } catch (const Exception& e) {
    if (OnException) OnException(sender, e);
    else ShowException(e);
  } catch (const std::exception& e) {
    Exception wrapped(e.what());
    if (OnException) OnException(sender, wrapped);
    else ShowException(wrapped);
  } catch (...) {
    Exception wrapped("Unknown exception");
    if (OnException) OnException(sender, wrapped);
    else ShowException(wrapped);
  }
}

// ---------------------------------------------------------------------------------------------
// TScreen

DEFINE_CLASS(TScreen, TComponent, ({}))

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TForm* TScreen::Forms(int index) const { return static_cast<TForm*>(forms_.at(index)); }

TForm* TScreen::ActiveForm() const { return As<TForm>(activeForm_); }

TWinControl* TScreen::ActiveControl() const { return TWinControl::FromHandle(GetFocus()); }

void TScreen::SetCursor(TCursor value) {
  cursor_ = value;
  ::SetCursor(CursorHandle(value == crDefault ? crArrow : value));
}

int TScreen::PixelsPerInch() const {
  HDC dc = GetDC(nullptr);
  int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi;
}

void TScreen::AddForm(TCustomForm* form) {
  if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (activeForm_ == form) activeForm_ = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* form) { activeForm_ = form; }
