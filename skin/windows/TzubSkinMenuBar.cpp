#include "TzubSkinMenuBar.h"

#include <utility>

#include "ObjectInstance.h"
#include "TzubSkinEngine.h"
#include "TzubSkinMenuBarControlButton.h"
#include "TzubSkinWindow.h"
#include "ZUBSkinMessages.h"
#include "ZUBSkinUtils.h"

DEFINE_CLASS(TzubSkinMenuBar, TToolBar, ({}))

namespace {
constexpr int32_t kWhiteCaptionsFontColor = 0x30000;
constexpr int kMDIButtonSize = 18;

TCustomForm* MainForm() { return Application ? Application->MainForm() : nullptr; }
}  // namespace

// ---- The bar ----

void TzubSkinMenuBar::Notification(TComponent* AComponent, TOperation Operation) {
  TToolBar::Notification(AComponent, Operation);
  if (Operation != opInsert || AComponent->Owner() != this) return;
  if (auto* popup = As<TPopupMenu>(AComponent)) popup->OnPopup = TNotifyEvent::Bind<&TzubSkinMenuBar::DropDownPopup>(this);
}

void TzubSkinMenuBar::DropDownPopup(TObject* Sender) {
  auto* popup = As<TPopupMenu>(Sender);
  if (popup && FormSkinner && FormSkinner->ShownMenu) popup->SetAutoHotkeys(FormSkinner->ShownMenu->AutoHotkeys());
}

// ---- Attaching and detaching ----

TzubSkinFormMenus::TzubSkinFormMenus(TzubSkinWindow* Skinner, TCustomForm* Form)
    : Skinner(Skinner), Engine(Skinner->Engine), Form(Form) {
  MenuBar = Create<TzubSkinMenuBar>(nullptr);
  MenuBar->FormSkinner = this;
  MenuBar->SetVisible(false);
  MenuBar->SetParent(Form);
  MenuBar->SetFlat(true);
  MenuBar->SetEdgeBorders({});
  MenuBar->SetShowCaptions(true);
  MenuBar->SetParentColor(false);
  MenuBar->OnCustomDrawButton = TTBCustomDrawBtnEvent::Bind<&TzubSkinFormMenus::MenuBarCustomDraw>(this);
  MenuBar->SetWrapable(true);
  MenuBar->SetAutoSize(true);

  if (IsMDIForm()) {
    TBitmap strip;
    strip.LoadFromResourceName(GetModuleHandleA(nullptr), "ZUBSKIN_MDI_CONTROLER");
    strip.SetTransparent(true);
    for (int i = 1; i <= 3; ++i) {
      auto* button = Create<TzubSkinMenuBarControlButton>(nullptr);
      MDIButtons[i - 1] = button;
      button->SetVisible(false);
      button->SetParent(Form);
      button->SetAnchors({akTop, akRight});
      TBitmap glyph;
      zubskin::CutStripPiece(&strip, &glyph, 3, 4 - i);
      button->SetGlyph(&glyph);
      button->SetBounds(Form->Width() - 25 - kMDIButtonSize * (i - 1), 1, kMDIButtonSize, kMDIButtonSize);
      button->SetTag(-1380 - i);
      button->OnClick = TNotifyEvent::Bind<&TzubSkinFormMenus::MDIButtonClick>(this);
      button->SetColor(MenuBar->Color());
      button->BringToFront();
    }
    HookMDIClient();
  }
  if (!IsMDIChild()) {
    AppEvents = Create<TApplicationEvents>(nullptr);
    AppEvents->OnMessage = TMessageEvent::Bind<&TzubSkinFormMenus::RouteShortcut>(this);
  }
}

TzubSkinFormMenus::~TzubSkinFormMenus() {
  // A form that is being destroyed has freed its controls, the bar and the buttons among them.
  if (!Form->ComponentState().Contains(csDestroying)) {
    if (Engine->FUnskinning) {
      std::exchange(MenuBar, nullptr)->Free();
      for (auto*& button : MDIButtons)
        if (button) std::exchange(button, nullptr)->Free();
    } else {
      MenuBar->FormSkinner = nullptr;  // the bar stays with the form, its drawing goes with us
      MenuBar->OnCustomDrawButton = nullptr;
      for (auto* button : MDIButtons)
        if (button) button->OnClick = nullptr;
    }
  }
  if (AppEvents) std::exchange(AppEvents, nullptr)->Free();
  UnhookMDIClient();
}

// ---- The skinned look and back ----

void TzubSkinFormMenus::ApplySkinned() {
  Form->SetMenu(nullptr);
  if (FormMenu) {
    MenuBar->SetTop(-100);  // above every other top-aligned control
    if (!IsMDIChild()) MenuBar->SetVisible(true);
    MenuBar->SetParentColor(false);
    MenuBar->SetColor(Engine->GetMenuBarColor());
  }
  TCustomForm* main = MainForm();
  if (IsMDIChild() && main && main->MDIChildCount() > 1 && main->MDIChildren(main->MDIChildCount() - 1) == Form) {
    // The last child skinned: every child learns which of them is active.
    TForm* active = main->ActiveMDIChild();
    const LPARAM activeHandle = active ? reinterpret_cast<LPARAM>(active->Handle()) : 0;
    for (int i = 0; i < main->MDIChildCount(); ++i)
      SendMessageA(main->MDIChildren(i)->Handle(), WM_MDIACTIVATE, 0, activeHandle);
  }
  RebuildMenuBar(true);
  if (IsMDIForm()) PlaceMDIButtons();
}

void TzubSkinFormMenus::ApplyPlain() { Form->SetMenu(FormMenu); }

void TzubSkinFormMenus::HideMenuBar() { MenuBar->SetVisible(false); }

void TzubSkinFormMenus::ShiftControls(bool Down) {
  if (Down == ControlsShifted) return;
  const int by = Down ? GetMenuBarHeight() : -GetMenuBarHeight();
  for (int i = 0; i < Form->ControlCount(); ++i) {
    TControl* c = Form->Controls(i);
    if (Down && c == MenuBar) continue;
    const TAnchors anchors = c->Anchors();
    // One SetBounds a control: moving and sizing apart would re-enter every nested resize twice.
    if (!anchors.Contains(akBottom)) c->SetBounds(c->Left(), c->Top() + by, c->Width(), c->Height());
    else if (anchors.Contains(akTop)) c->SetBounds(c->Left(), c->Top() + by, c->Width(), c->Height() - by);
  }
  ControlsShifted = Down;
}

void TzubSkinFormMenus::SkinFormMenus() {
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* menu = As<TMenu>(Form->Components(i)))
      if (menu->Tag() != Engine->DisabledTag) Engine->SkinMenu(menu);
}

void TzubSkinFormMenus::UnskinFormMenus() {
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* menu = As<TMenu>(Form->Components(i))) Engine->UnskinMenu(menu);
}

// ---- The bar's contents and drawing ----

void TzubSkinFormMenus::RebuildMenuBar(bool Force) {
  TMainMenu* wanted = IsMDIForm() && ChildMenu ? ChildMenu : FormMenu;
  if (!wanted) {
    MenuBar->SetVisible(false);
    ShownMenu = nullptr;  // a child's menu may go with its child: no shortcut reaches it then
    return;
  }
  if (!Force && ShownMenu == wanted) return;
  BuildMenuBar(wanted);
  ShownMenu = wanted;
}

void TzubSkinFormMenus::BuildMenuBar(TMainMenu* Menu) {
  MenuBar->SetAutoSize(false);
  while (MenuBar->ButtonCount() > 0) MenuBar->Buttons(MenuBar->ButtonCount() - 1)->Free();
  // The bar adds each button after those there: taken in menu order, they show in menu order.
  TMenuItem* items = Menu->Items();
  for (int i = 0; i < items->Count(); ++i) {
    auto* button = Create<TToolButton>(nullptr);
    button->SetGrouped(true);
    button->SetMenuItem(items->Items(i));
    button->SetAutoSize(true);
    button->SetParent(MenuBar);
  }
  MenuBar->SetAutoSize(true);
  if (!IsMDIChild() && !MenuBar->Visible()) MenuBar->SetVisible(true);
}

void TzubSkinFormMenus::MenuBarCustomDraw(TToolBar* Bar, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw) {
  DefaultDraw = false;
  TCanvas* canvas = Bar->Canvas();
  RECT r = Button->BoundsRect();
  zubskin::SetMenuFont(canvas->Font());
  const bool selected = State.Contains(cdsSelected);
  if (selected || State.Contains(cdsHot)) {
    if (selected) r.right -= 2;
    zubskin::FillRectColor(canvas, r, Engine->GetSkinInt("MenuSelectedBackgroundColor"));
    zubskin::FrameRectColor(canvas, r, Engine->GetSkinInt("MenuSelectedBorderColor"));
    if (selected) r.left += 2;
    r.top += 2;
    canvas->Font()->SetColor(Engine->GetSkinInt("MenuSelectedFontColor"));
  } else {
    r.top += 2;
    canvas->Font()->SetColor(Engine->GetSkinInt("ControlFontColor") == kWhiteCaptionsFontColor
                                 ? int32_t(0xFFFFFF)
                                 : Engine->GetSkinInt("MenuFontColor"));
  }
  const HDC dc = canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, Button->Caption().c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void TzubSkinFormMenus::RouteShortcut(MSG& Msg, bool& Handled) {
  if (!Engine->IsSkinning() || (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN)) return;
  if (!ShownMenu || !zubskin::IsFormActive(Form)) return;
  if (!IsMDIForm() && Screen->ActiveForm() != Form) return;
  TMessage key{Msg.message, Msg.wParam, Msg.lParam, 0};
  // Only ever true: another form's or the program's handler may have handled the key already.
  if (ShownMenu->IsShortCut(key)) Handled = true;
}

int TzubSkinFormMenus::GetMenuBarHeight() { return MenuBar && MenuBar->Visible() ? MenuBar->Height() : 0; }

// ---- The MDI buttons ----

void TzubSkinFormMenus::PlaceMDIButtons() {
  for (int i = 1; i <= 3; ++i) {
    TzubSkinMenuBarControlButton* button = MDIButtons[i - 1];
    if (!button) continue;
    button->SetBounds(Form->Width() - 26 - kMDIButtonSize * (i - 1), -GetMenuBarHeight(), button->Width(),
                      button->Height());
    button->BringToFront();
    button->SetColor(Form->Color());
  }
}

void TzubSkinFormMenus::ShowMDIButtons() {
  TForm* child = Form->ActiveMDIChild();
  if (!child || !MDIButtons[0]) return;
  const TBorderIcons icons = child->BorderIcons();
  const TBorderIcon wanted[3] = {biSystemMenu, biMaximize, biMinimize};
  for (int i = 0; i < 3; ++i) {
    MDIButtons[i]->SetVisible(icons.Contains(wanted[i]));
    MDIButtons[i]->SetColor(MenuBar->Color());
    MDIButtons[i]->BringToFront();
  }
}

void TzubSkinFormMenus::HideMDIButtons() {
  for (auto* button : MDIButtons)
    if (button) button->SetVisible(false);
}

void TzubSkinFormMenus::MDIButtonClick(TObject* Sender) {
  auto* button = As<TzubSkinMenuBarControlButton>(Sender);
  TForm* child = Form->ActiveMDIChild();
  if (!button || !child) return;
  switch (button->Tag()) {
    case kMDICloseTag: child->Close(); break;
    case kMDIRestoreTag: child->SetWindowState(wsNormal); break;
    case kMDIMinimizeTag: ShowWindow(child->Handle(), SW_SHOWMINIMIZED); break;
    default: return;
  }
  Application->ProcessMessages();
}

// ---- MDI messages of the frame and its children ----

void TzubSkinFormMenus::AfterDefaultMessage(TMessage& Message) {
  TCustomForm* main = MainForm();
  switch (Message.Msg) {
    case WM_MDIACTIVATE:
      if (reinterpret_cast<HWND>(Message.LParam) == Form->Handle()) {
        if (main)
          SendMessageA(main->Handle(), ZM_MDICHILDMENU, reinterpret_cast<WPARAM>(Form),
                       reinterpret_cast<LPARAM>(FormMenu));
        Skinner->Active = true;
      } else {
        Skinner->Active = false;
      }
      Skinner->PaintNonClient();
      break;
    case WM_MDIMAXIMIZE: ShowMDIButtons(); break;
    case WM_MDIRESTORE: HideMDIButtons(); break;
    case ZM_MDICHILDMENU:
      ChildMenu = reinterpret_cast<TMainMenu*>(Message.LParam);
      RebuildMenuBar(false);
      break;
    case WM_MDIREFRESHMENU: Skinner->PaintNonClient(); break;
    case WM_SIZE:
      if (!IsMDIChild()) break;
      if (IsZoomed(Form->Handle())) {
        if (!Skinner->MDIMaximizeSent) {
          Skinner->MDIMaximizeSent = true;
          if (main) SendMessageA(main->Handle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(Form->Handle()), 0);
        }
      } else {
        Form->Invalidate();
        if (Skinner->MDIMaximizeSent) {
          Skinner->MDIMaximizeSent = false;
          if (main) SendMessageA(main->Handle(), WM_MDIRESTORE, 0, 0);
        }
      }
      break;
  }
}

// ---- The MDI client window ----

void TzubSkinFormMenus::HookMDIClient() {
  if (PrevClientWndProc || !Form->ClientHandle()) return;
  client_ = Form->ClientHandle();
  clientStub_ = MakeObjectInstance(TWndMethod::Bind<&TzubSkinFormMenus::MDIClientWndProc>(this));
  PrevClientWndProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(client_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(clientStub_)));
}

void TzubSkinFormMenus::UnhookMDIClient() {
  if (!clientStub_) return;
  if (PrevClientWndProc && IsWindow(client_))
    SetWindowLongPtrA(client_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrevClientWndProc));
  FreeObjectInstance(std::exchange(clientStub_, nullptr));
  PrevClientWndProc = nullptr;
  client_ = nullptr;
}

void TzubSkinFormMenus::MDIClientWndProc(TMessage& Message) {
  Message.Result = CallWindowProcA(PrevClientWndProc, client_, Message.Msg, Message.WParam, Message.LParam);
  if (!Engine->IsSkinning()) return;
  switch (Message.Msg) {
    case WM_MDICASCADE: CascadeMDIChildren(); break;
    case WM_MDITILE: TileMDIChildren(Message.WParam != 0); break;
    case WM_MDIDESTROY: {
      TCustomForm* main = MainForm();
      if (main && main->MDIChildCount() == 1) {  // the child going away is the last one
        SendMessageA(main->Handle(), ZM_MDICHILDMENU, reinterpret_cast<WPARAM>(Form->Handle()), 0);
        HideMDIButtons();
      }
      break;
    }
  }
}

void TzubSkinFormMenus::CascadeMDIChildren() {
  const int w = static_cast<int>(Form->ClientWidth() * 0.8), h = static_cast<int>(Form->ClientHeight() * 0.6);
  int at = 0;
  for (int i = Form->MDIChildCount() - 1; i >= 0; --i) {
    TForm* child = Form->MDIChildren(i);
    if (IsIconic(child->Handle())) continue;
    child->SetBounds(at, at, w, h);
    at += 22;
  }
}

void TzubSkinFormMenus::TileMDIChildren(bool Horizontal) {
  const int count = Form->MDIChildCount();
  int shown = 0;
  for (int i = 0; i < count; ++i) shown += !IsIconic(Form->MDIChildren(i)->Handle());
  if (shown == 0) return;
  int a = Form->ClientHeight();
  for (int i = 0; i < Form->ControlCount(); ++i) {
    TControl* c = Form->Controls(i);
    if (c->Align() == alTop || c->Align() == alBottom) a -= c->Height();
  }
  if (shown < count) a -= 25;  // room for the icons
  int at = 0;
  if (Horizontal) {
    a /= shown;
    if (count == 1) a -= 2;
    const int w = Form->ClientWidth() - 4;
    for (int i = count - 1; i >= 0; --i) {
      TForm* child = Form->MDIChildren(i);
      if (IsIconic(child->Handle())) continue;
      child->SetBounds(0, at, w, a - 2);
      at += a - 2;
    }
  } else {
    int b = Form->ClientWidth() / shown;
    if (count == 1) b -= 2;
    for (int i = count - 1; i >= 0; --i) {
      TForm* child = Form->MDIChildren(i);
      if (IsIconic(child->Handle())) continue;
      child->SetBounds(at, 0, b - 2, a - 4);
      at += b - 2;
    }
  }
}
