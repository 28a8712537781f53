#include "TzubSkinWindowVCL.h"

#include <algorithm>

#include "SysUtils.h"
#include "TzubSkinControl.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinMessages.h"
#include "ZUBSkinRegistry.h"
#include "ZUBSkinUtils.h"

using namespace zubskin;

DEFINE_CLASS(TzubSkinWindowVCL, TzubSkinWindow, ({}))

namespace {

constexpr UINT kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
// The class library's notices that a window was restyled or made anew.
constexpr UINT kCmFloat = CM_BASE + 58;
constexpr UINT kCnParentNotify = CN_BASE + WM_PARENTNOTIFY;

DWORD StyleOf(HWND h) { return static_cast<DWORD>(GetWindowLongPtrA(h, GWL_STYLE)); }
void SetStyle(HWND h, DWORD style) { SetWindowLongPtrA(h, GWL_STYLE, static_cast<LONG_PTR>(style)); }

bool IsAppMainForm(TCustomForm* form) { return Application && Application->MainForm() == form; }

// Whether the platform's frame has a system menu, by the form: the skin has taken it off the style.
bool HasPlatformSystemMenu(TCustomForm* form) {
  return form->BorderStyle() != bsNone && form->BorderIcons().Contains(biSystemMenu);
}

}  // namespace

// ---- Attaching ----

void TzubSkinWindowVCL::AttachWindow(HWND Handle) {
  AllFormsSkinned = ControlsShifted = MinWidthSet = MinHeightSet = false;
  Form = FindFormByHandle(Handle);
  if (!Form) throw Exception("ZUBSkin: Skinning form failed!");
  FormMenu = ChildMenu = ShownMenu = nullptr;

  // What the platform's frame gives, before the skin's frame replaces it.
  RECT client{}, window{};
  GetClientRect(Handle, &client);
  GetWindowRect(Handle, &window);
  platformClientWidth_ = client.right - client.left;
  platformClientHeight_ = client.bottom - client.top;
  platformHeight_ = window.bottom - window.top;

  CreateMenuBar();
  if (Form->FormStyle() == fsMDIForm) {
    CreateMDIButtons();
    HookMDIClient();
  }
  if (Form->FormStyle() != fsMDIChild) {
    AppEvents = Create<TApplicationEvents>(nullptr);
    AppEvents->OnMessage = TMessageEvent::Bind<&TzubSkinWindowVCL::RouteShortcut>(this);
  }
  PrevWindowProc = Form->WindowProc;
  Form->WindowProc = TWndMethod::Bind<&TzubSkinWindow::SkinWndProc>(static_cast<TzubSkinWindow*>(this));
  SetTitleBarVisible(!Form->Parent() && Form->BorderStyle() != bsNone);
  SetBorderVisible(Form->BorderStyle() != bsNone);
}

void TzubSkinWindowVCL::DetachWindow() {
  if (!Form) return;
  Form->WindowProc = PrevWindowProc;
  const bool unskinning = Engine && Engine->FUnskinning;
  if (unskinning) FreeMenuBar();
  if (AppEvents) {
    AppEvents->Free();
    AppEvents = nullptr;
  }
  UnhookMDIClient();
  if (unskinning && Form->HandleAllocated()) SetWindowPos(Form->Handle(), nullptr, 0, 0, 0, 0, kFrameChanged);
}

void TzubSkinWindowVCL::CallPrevWndProc(TMessage& Message) {
  if (PrevWindowProc) PrevWindowProc(Message);
}

// A form that goes makes no window anew.
HWND TzubSkinWindowVCL::GetHandle() {
  if (!Form || (FormDestroying() && !Form->HandleAllocated())) return nullptr;
  return Form->Handle();
}

bool TzubSkinWindowVCL::FormDestroying() const {
  return !Form || Form->ComponentState().Contains(csDestroying);
}

// ---- The control walk ----

void TzubSkinWindowVCL::SkinChildControls() {
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* control = As<TControl>(Form->Components(i))) SkinControl(control);
}

void TzubSkinWindowVCL::SkinControl(TControl* Control) {
  if (!Control || !Engine) return;
  if (Engine->ComponentState().Contains(csDesigning)) return;
  if (!Control->WindowProc) return;
  if (SkinDisabledByTag(Engine, Control)) return;
  if (auto* win = As<TWinControl>(Control))
    if (win->HandleAllocated() && SendMessageA(win->Handle(), ZM_ISSKINNED, 0, 0) == 1) return;
  // The engine's own overlays are among these.
  if (Control->ClassName().compare(0, 4, "Tzub") == 0) return;
  if (!Control->Parent()) return;

  auto visitOwned = [this](TComponent* owner) {
    for (int i = 0; i < owner->ComponentCount(); ++i)
      if (auto* control = As<TControl>(owner->Components(i))) SkinControl(control);
  };
  if (auto* form = As<TCustomForm>(Control)) {
    if (form->Name().empty()) return;
    form->SetColor(Engine->GetFormBackgroundColor());
    visitOwned(form);
    return;
  }
  TzubSkinControlVCL* skinner = nullptr;
  try {
    skinner = CreateControlSkinner(Control, this);
  } catch (const std::exception&) {
    return;
  }
  if (!skinner) return;
  ControlSkinners.push_back(skinner);
  skinner->SkinStateChanged();
  if (skinner->WantsParentColor() && HasPublishedProperty(Control, "ParentColor")) Control->SetParentColor(true);
  if (Control->ClassName() != "TDBLookupComboBox") visitOwned(Control);
}

void TzubSkinWindowVCL::UnskinChildControls() {
  auto& list = ControlSkinners;
  list.erase(std::remove(list.begin(), list.end(), nullptr), list.end());
  while (!list.empty()) UnskinControl(list.front());
}

void TzubSkinWindowVCL::UnskinControl(TzubSkinControl* Skinner) {
  auto& list = ControlSkinners;
  list.erase(std::remove(list.begin(), list.end(), Skinner), list.end());
  if (!Skinner) return;
  // A control that lives on gets its own procedure back, on the engine's own form too.
  if (auto* vcl = As<TzubSkinControlVCL>(Skinner))
    if (vcl->Control && !vcl->Control->ComponentState().Contains(csDestroying)) vcl->Unhook();
  ReleaseSkinControl(Skinner);
}

// ---- The state ----

void TzubSkinWindowVCL::SaveWindowState() {
  SavedClientWidth = platformClientWidth_;
  SavedClientHeight = platformClientHeight_;
  FormMenu = Watched(Form->Menu());
  const int m = FormMenu && !IsMDIChild() ? 20 : 0;
  CaptionHeight = std::max(platformHeight_ - platformClientHeight_ - 4 - m, 23);
  SavedColor = Form->Color();
}

void TzubSkinWindowVCL::FrameChanged() {
  if (Form->HandleAllocated()) SetWindowPos(Form->Handle(), nullptr, 0, 0, 0, 0, kFrameChanged);
}

void TzubSkinWindowVCL::SetClientSize(int Width, int Height) {
  const HWND h = Form->Handle();
  if (IsZoomed(h) || IsIconic(h)) return;  // its state gives it its size
  Form->SetClientWidth(Width);
  Form->SetClientHeight(Height);
}

void TzubSkinWindowVCL::ShiftControls(int By, bool WithMenuBar) {
  if (By == 0) return;
  for (int i = 0; i < Form->ControlCount(); ++i) {
    TControl* c = Form->Controls(i);
    if (c == MenuBar && !WithMenuBar) continue;
    const TAnchors a = c->Anchors();
    if (!a.Contains(akBottom))
      c->SetTop(c->Top() + By);
    else if (a.Contains(akTop))
      c->SetBounds(c->Left(), c->Top() + By, c->Width(), c->Height() - By);
  }
}

void TzubSkinWindowVCL::ApplySkinState() {
  if (!Form) return;
  if (!Destroying)
    for (TzubSkinControl* skinner : std::vector<TzubSkinControl*>(ControlSkinners)) {
      auto* vcl = As<TzubSkinControlVCL>(skinner);
      if (!vcl) continue;
      try {
        vcl->SkinStateChanged();
        if (vcl->Control) vcl->Control->Invalidate();
      } catch (const std::exception&) {
        // the others are switched all the same
      }
    }
  if (!Skinned && FormDestroying()) return;
  const HWND h = Form->Handle();

  if (Skinned) {
    SetStyle(h, StyleOf(h) & ~WS_SYSMENU);
    Form->SetColor(Engine->GetFormBackgroundColor());
    Form->SetMenu(nullptr);
    Form->SetAutoScroll(false);
    if (FormMenu && MenuBar) {
      MenuBar->SetTop(-100);
      MenuBar->SetVisible(!IsMDIChild());
      MenuBar->SetParentColor(false);
      MenuBar->SetColor(Engine->GetMenuBarColor());
    }
    // The children were activated before they were skinned, a single one too: told again.
    if (IsMDIChild() && Application) {
      TCustomForm* main = Application->MainForm();
      const int n = main ? main->MDIChildCount() : 0;
      if (n > 0 && main->MDIChildren(n - 1) == Form) {
        TForm* active = main->ActiveMDIChild();
        const LPARAM activeHandle = active ? reinterpret_cast<LPARAM>(active->Handle()) : 0;
        for (int i = 0; i < n; ++i) SendMessageA(main->MDIChildren(i)->Handle(), WM_MDIACTIVATE, 0, activeHandle);
      }
    }
    RebuildMenuBar(true);
    if (IsMDIForm()) PlaceMDIButtons();
    ApplySizeConstraints();
    if (!ControlsShifted) {
      ShiftControls(GetMenuBarHeight(), false);
      ControlsShifted = true;
    }
    SkinFormMenus();
    // The skin's frame first, so that the client size is set against it.
    FrameChanged();
    SetClientSize(SavedClientWidth, SavedClientHeight + GetMenuBarHeight());
    return;
  }

  // A form that goes keeps the skinned look (above); one unskinned on purpose gets its own back.
  if (HasPlatformSystemMenu(Form)) SetStyle(h, StyleOf(h) | WS_SYSMENU);
  Form->SetMenu(FormMenu);
  Form->SetColor(SavedColor);
  ClearSizeConstraints();
  const int shifted = ControlsShifted ? GetMenuBarHeight() : 0;
  if (MenuBar) MenuBar->SetVisible(false);
  SetWindowRgn(h, nullptr, TRUE);
  FrameChanged();
  SetClientSize(SavedClientWidth, SavedClientHeight);
  if (ControlsShifted) {
    ShiftControls(-shifted, false);
    ControlsShifted = false;
  }
  UnskinFormMenus();
}

void TzubSkinWindowVCL::SkinFormMenus() {
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* menu = As<TMenu>(Form->Components(i)))
      if (menu->Tag() != Engine->DisabledTag) Engine->SkinMenu(menu);
}

void TzubSkinWindowVCL::UnskinFormMenus() {
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* menu = As<TMenu>(Form->Components(i))) Engine->UnskinMenu(menu);
}

// Only what this class set goes back, to the value it had; the author's own stay.
void TzubSkinWindowVCL::ApplySizeConstraints() {
  TSizeConstraints* c = Form->Constraints();
  if (c->MinHeight() == 0 || MinHeightSet) {
    if (!MinHeightSet) prevMinHeight_ = c->MinHeight();
    c->SetMinHeight(GetMenuBarHeight() + 6);
    MinHeightSet = true;
  }
  if ((c->MinWidth() == 0 && !IsDialog) || MinWidthSet) {
    if (!MinWidthSet) prevMinWidth_ = c->MinWidth();
    c->SetMinWidth(Engine->GetSkinInt("FormMinWidthInt"));
    MinWidthSet = true;
  }
}

void TzubSkinWindowVCL::ClearSizeConstraints() {
  TSizeConstraints* c = Form->Constraints();
  if (MinHeightSet) c->SetMinHeight(prevMinHeight_);
  if (MinWidthSet) c->SetMinWidth(prevMinWidth_);
  MinHeightSet = MinWidthSet = false;
}

// ---- Messages after the form's own handling ----

bool TzubSkinWindowVCL::IsChildMenu(LPARAM Menu) {
  if (Menu == 0) return true;
  // By the children's components: a child being skinned has taken its menu off already and is
  // not yet in the engine's list.
  for (int i = 0; i < Form->MDIChildCount(); ++i) {
    TForm* child = Form->MDIChildren(i);
    for (int c = 0; c < child->ComponentCount(); ++c)
      if (reinterpret_cast<LPARAM>(As<TMainMenu>(child->Components(c))) == Menu) return true;
  }
  return false;
}

TMainMenu* TzubSkinWindowVCL::Watched(TMainMenu* Menu) {
  if (Menu) FreeNotification(Menu);
  return Menu;
}

void TzubSkinWindowVCL::Notification(TComponent* AComponent, TOperation Operation) {
  TzubSkinWindow::Notification(AComponent, Operation);
  if (Operation != opRemove || !AComponent) return;
  if (AComponent == MenuBar) MenuBar = nullptr;
  for (TWinControl*& button : MDIButtons)
    if (AComponent == button) button = nullptr;
  if (AComponent == FormMenu) FormMenu = nullptr;
  if (AComponent == ChildMenu) ChildMenu = nullptr;
  if (AComponent != ShownMenu) return;
  ShownMenu = nullptr;
  // The bar lets the gone menu's buttons go now; unskinned, the next skinning builds it anew.
  if (Skinned && !Destroying && !FormDestroying() && Engine && Engine->IsSkinning()) RebuildMenuBar(true);
}

void TzubSkinWindowVCL::Restyled() {
  const HWND h = Form->Handle();
  const DWORD style = StyleOf(h);
  if (style & WS_SYSMENU) SetStyle(h, style & ~WS_SYSMENU);
  SetTitleBarVisible(!Form->Parent() && Form->BorderStyle() != bsNone);
  SetBorderVisible(TitleBarVisible);
  if (TitleBarVisible)
    ApplySizeConstraints();
  else
    ClearSizeConstraints();
  PaintNonClient();
}

void TzubSkinWindowVCL::AfterDefaultMessage(TMessage& Message) {
  const HWND h = GetHandle();
  switch (Message.Msg) {
    case WM_MDIACTIVATE:
      if (static_cast<HWND>(reinterpret_cast<void*>(Message.LParam)) == h) {
        if (Application && Application->MainForm())
          SendMessageA(Application->MainForm()->Handle(), ZM_MDICHILDMENU, reinterpret_cast<WPARAM>(Form),
                       reinterpret_cast<LPARAM>(FormMenu));
        Active = true;
      } else {
        Active = false;
      }
      PaintNonClient();
      break;
    case WM_MDIMAXIMIZE:
      ShowMDIButtons();
      break;
    case WM_MDIRESTORE:
      HideMDIButtons();
      break;
    case ZM_MDICHILDMENU:
      // Any process may send it: only a menu of one of this form's children is taken.
      if (!IsChildMenu(Message.LParam)) break;
      ChildMenu = Watched(reinterpret_cast<TMainMenu*>(Message.LParam));
      RebuildMenuBar(false);
      break;
    case WM_MDIREFRESHMENU:
      PaintNonClient();
      break;
    case WM_SHOWWINDOW:
      if (IsAppMainForm(Form) && Engine->SkinAllForms() && !AllFormsSkinned) {
        AllFormsSkinned = true;
        Engine->SkinAllScreenForms();
      }
      break;
    case WM_SIZE:
      if (IsZoomed(h)) {
        if (!IsMDIChild()) {
          // The work area of the monitor the form is on.
          MONITORINFO info{};
          info.cbSize = sizeof info;
          GetMonitorInfoA(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST), &info);
          RECT target = info.rcWork;
          target.bottom -= 1;
          InflateRect(&target, 4, 4);
          if (Form->Height() < target.bottom - target.top || Form->Width() < target.right - target.left)
            SetControlRect(Form, target);
        } else if (!MDIMaximizeSent) {
          MDIMaximizeSent = true;
          if (Application && Application->MainForm())
            SendMessageA(Application->MainForm()->Handle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(h), 0);
        }
      } else if (IsMDIChild()) {
        Form->Invalidate();
        if (MDIMaximizeSent) {
          MDIMaximizeSent = false;
          if (Application && Application->MainForm())
            SendMessageA(Application->MainForm()->Handle(), WM_MDIRESTORE, 0, 0);
        }
      }
      UpdateRegion();
      break;
    case CM_RECREATEWND:
    case kCmFloat:
    case kCnParentNotify:
      Restyled();
      break;
  }
}

// ---- Small queries ----

bool TzubSkinWindowVCL::CanUseRegion() { return !Form->Parent() && Form->BorderStyle() != bsNone; }

int TzubSkinWindowVCL::GetMenuBarHeight() { return MenuBar && MenuBar->Visible() ? MenuBar->Height() : 0; }

HICON TzubSkinWindowVCL::GetIconHandle() {
  TIcon* icon = Form->Icon();
  return icon && !icon->Empty() ? icon->Handle() : nullptr;
}

bool TzubSkinWindowVCL::HasHelpButton() { return Form->BorderIcons().Contains(biHelp); }
bool TzubSkinWindowVCL::IsMDIForm() { return Form->FormStyle() == fsMDIForm; }
bool TzubSkinWindowVCL::IsMDIChild() { return Form->FormStyle() == fsMDIChild; }
bool TzubSkinWindowVCL::IsDialogBorder() { return Form->BorderStyle() == bsDialog; }

bool TzubSkinWindowVCL::HasSystemIcon() {
  const TFormBorderStyle b = Form->BorderStyle();
  return (b == bsSingle || b == bsSizeable) && Form->BorderIcons().Contains(biSystemMenu);
}

bool TzubSkinWindowVCL::HasCloseButton() { return Form->BorderIcons().Contains(biSystemMenu); }

bool TzubSkinWindowVCL::HasMaximizeButton() {
  const TBorderIcons i = Form->BorderIcons();
  return i.Contains(biMaximize) && i.Contains(biSystemMenu) && Form->BorderStyle() != bsDialog;
}

bool TzubSkinWindowVCL::HasMinimizeButton() {
  const TBorderIcons i = Form->BorderIcons();
  return i.Contains(biMinimize) && i.Contains(biSystemMenu) && Form->BorderStyle() != bsDialog;
}
