// The menu bar that stands in for a skinned form's main menu, the MDI child buttons on it and
// the MDI client's hook.
#include "TzubSkinWindowVCL.h"

#include <utility>

#include "ObjectInstance.h"
#include "TzubSkinEngine.h"
#include "TzubSkinMenuBar.h"
#include "TzubSkinMenuBarControlButton.h"
#include "ZUBSkinMessages.h"
#include "ZUBSkinUtils.h"

namespace {
constexpr int32_t kWhiteCaptionsFontColor = 0x30000;
constexpr int kMDIButtonSize = 18;

TCustomForm* MainForm() { return Application ? Application->MainForm() : nullptr; }
TzubSkinMenuBar* Bar(TWinControl* bar) { return static_cast<TzubSkinMenuBar*>(bar); }
}  // namespace

// ---- Making and freeing ----

void TzubSkinWindowVCL::CreateMenuBar() {
  auto* bar = Create<TzubSkinMenuBar>(nullptr);
  MenuBar = bar;
  bar->SetFormSkinner(this);
  bar->SetVisible(false);
  bar->SetParent(Form);
  bar->SetFlat(true);
  bar->SetEdgeBorders({});
  bar->SetShowCaptions(true);
  bar->SetParentColor(false);
  bar->OnCustomDrawButton = TTBCustomDrawBtnEvent::Bind<&TzubSkinWindowVCL::MenuBarCustomDraw>(this);
  bar->SetWrapable(true);
  bar->SetAutoSize(true);
}

void TzubSkinWindowVCL::CreateMDIButtons() {
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
    button->OnClick = TNotifyEvent::Bind<&TzubSkinWindowVCL::MDIButtonClick>(this);
    FreeNotification(button);  // the button may outlive this skinner with its form
    button->SetColor(MenuBar ? MenuBar->Color() : Form->Color());
    button->BringToFront();
  }
}

void TzubSkinWindowVCL::FreeMenuBar() {
  if (MenuBar) MenuBar->Free();
  MenuBar = nullptr;
  for (TWinControl*& button : MDIButtons) {
    if (button) button->Free();
    button = nullptr;
  }
}

// ---- The bar's contents and drawing ----

void TzubSkinWindowVCL::RebuildMenuBar(bool Force) {
  if (!MenuBar) return;
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

void TzubSkinWindowVCL::BuildMenuBar(TMainMenu* Menu) {
  TzubSkinMenuBar* bar = Bar(MenuBar);
  bar->SetAutoSize(false);
  while (bar->ButtonCount() > 0) bar->Buttons(bar->ButtonCount() - 1)->Free();
  // The bar adds each button after those there: taken in menu order, they show in menu order.
  TMenuItem* items = Menu->Items();
  for (int i = 0; i < items->Count(); ++i) {
    auto* button = Create<TToolButton>(nullptr);
    button->SetGrouped(true);
    button->SetMenuItem(items->Items(i));
    button->SetAutoSize(true);
    button->SetParent(bar);
  }
  bar->SetAutoSize(true);
  if (!IsMDIChild() && !bar->Visible()) bar->SetVisible(true);
}

void TzubSkinWindowVCL::MenuBarCustomDraw(TToolBar* Bar, TToolButton* Button, TCustomDrawState State,
                                          bool& DefaultDraw) {
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

void TzubSkinWindowVCL::RouteShortcut(MSG& Msg, bool& Handled) {
  if (!Engine->IsSkinning() || (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN)) return;
  if (!ShownMenu || !zubskin::IsFormActive(Form)) return;
  if (!IsMDIForm() && Screen->ActiveForm() != Form) return;
  TMessage key{Msg.message, Msg.wParam, Msg.lParam, 0};
  // Only ever true: another form's or the program's handler may have handled the key already.
  if (ShownMenu->IsShortCut(key)) Handled = true;
}

// ---- The MDI buttons ----

void TzubSkinWindowVCL::PlaceMDIButtons() {
  for (int i = 1; i <= 3; ++i) {
    TWinControl* button = MDIButtons[i - 1];
    if (!button) continue;
    button->SetBounds(Form->Width() - 26 - kMDIButtonSize * (i - 1), -GetMenuBarHeight(), button->Width(),
                      button->Height());
    button->BringToFront();
    button->SetColor(Form->Color());
  }
}

void TzubSkinWindowVCL::ShowMDIButtons() {
  TForm* child = Form->ActiveMDIChild();
  if (!child || !MDIButtons[0]) return;
  const TBorderIcons icons = child->BorderIcons();
  const TBorderIcon wanted[3] = {biSystemMenu, biMaximize, biMinimize};
  for (int i = 0; i < 3; ++i) {
    MDIButtons[i]->SetVisible(icons.Contains(wanted[i]));
    if (MenuBar) MDIButtons[i]->SetColor(MenuBar->Color());
    MDIButtons[i]->BringToFront();
  }
}

void TzubSkinWindowVCL::HideMDIButtons() {
  for (TWinControl* button : MDIButtons)
    if (button) button->SetVisible(false);
}

void TzubSkinWindowVCL::MDIButtonClick(TObject* Sender) {
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

// ---- The MDI client window ----

void TzubSkinWindowVCL::HookMDIClient() {
  if (PrevClientWndProc || !Form->ClientHandle()) return;
  mdiClient_ = Form->ClientHandle();
  ClientWndProcStub = MakeObjectInstance(TWndMethod::Bind<&TzubSkinWindowVCL::MDIClientWndProc>(this));
  PrevClientWndProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(mdiClient_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ClientWndProcStub)));
}

// The stub goes with the hook: kept, every skinned MDI frame would use up one for good.
void TzubSkinWindowVCL::UnhookMDIClient() {
  if (!ClientWndProcStub) return;
  if (PrevClientWndProc && IsWindow(mdiClient_))
    SetWindowLongPtrA(mdiClient_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrevClientWndProc));
  FreeObjectInstance(std::exchange(ClientWndProcStub, nullptr));
  PrevClientWndProc = nullptr;
  mdiClient_ = nullptr;
}

void TzubSkinWindowVCL::MDIClientWndProc(TMessage& Message) {
  Message.Result = CallWindowProcA(PrevClientWndProc, mdiClient_, Message.Msg, Message.WParam, Message.LParam);
  if (!Engine || !Engine->IsSkinning()) return;
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

void TzubSkinWindowVCL::CascadeMDIChildren() {
  const int w = static_cast<int>(Form->ClientWidth() * 0.8), h = static_cast<int>(Form->ClientHeight() * 0.6);
  int at = 0;
  for (int i = Form->MDIChildCount() - 1; i >= 0; --i) {
    TForm* child = Form->MDIChildren(i);
    if (IsIconic(child->Handle())) continue;
    child->SetBounds(at, at, w, h);
    at += 22;
  }
}

void TzubSkinWindowVCL::TileMDIChildren(bool Horizontal) {
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
