#include "TzubSkinExtComboboxLikeControl.h"

#include <windowsx.h>

#include "TzubSkinEngine.h"
#include "ZUBSkinUtils.h"

DEFINE_CLASS(TzubSkinInternalComboButton, TCustomPanel, ({}))
DEFINE_CLASS(TzubSkinExtComboboxLikeControl, TzubSkinBorderWinControl, ({}))

POINT MessagePosToPoint(DWORD Pos) { return {GET_X_LPARAM(Pos), GET_Y_LPARAM(Pos)}; }

// ---- TzubSkinInternalComboButton ----

TzubSkinInternalComboButton::TzubSkinInternalComboButton(TComponent* AOwner) : TCustomPanel(AOwner) {
  SetWidth(16);
  SetHeight(16);
}

TzubSkinInternalComboButton::~TzubSkinInternalComboButton() {
  Control = nullptr;
  if (Skinner && !Skinner->Detached) Skinner->Button = nullptr;
}

void TzubSkinInternalComboButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // every press counts
    case WM_LBUTTONUP: {
      TCustomPanel::WndProc(Message);
      POINT p = MessagePosToPoint(GetMessagePos());
      auto* control = As<TWinControl>(Control);
      if (!control || !control->HandleAllocated()) return;
      ::ScreenToClient(control->Handle(), &p);
      ReleaseCapture();
      SendMessageA(control->Handle(), Message.Msg == WM_LBUTTONUP ? WM_LBUTTONUP : WM_LBUTTONDOWN, MK_LBUTTON,
                   MAKELPARAM(p.x, p.y));
      return;
    }
  }
  TCustomPanel::WndProc(Message);
}

void TzubSkinInternalComboButton::Paint() {
  TzubSkinEngine* engine = Skinner ? Skinner->Engine : nullptr;
  if (!engine) return;
  const RECT r = ClientRect();
  TCanvas* canvas = Canvas();
  zubskin::FillRectColor(canvas, r, engine->GetSkinInt("FormBackgroundColor"));
  canvas->Pen()->SetColor(engine->GetSkinInt("ControlBorderColor"));
  canvas->MoveTo(r.left, r.top - 1);
  canvas->LineTo(r.left, r.bottom + 1);
  zubskin::DrawArrowDown(canvas, r.left + (r.right - r.left) / 2 - 3, (r.bottom - r.top) / 2,
                         Control && Control->Enabled());
}

// ---- TzubSkinExtComboboxLikeControl ----

TzubSkinExtComboboxLikeControl::~TzubSkinExtComboboxLikeControl() {
  if (!Detached) Detach();
}

void TzubSkinExtComboboxLikeControl::AfterAttach() {
  TzubSkinBorderWinControl::AfterAttach();
  if (!Engine || Engine->ComponentState().Contains(csDesigning)) return;
  auto* win = As<TWinControl>(Control);
  if (!win) return;
  Button = Create<TzubSkinInternalComboButton>(Engine);
  Button->Skinner = this;
  Button->Control = Control;
  try {
    Button->SetParent(win);
    Button->SetVisible(IsSkinning() && Control->Visible());
    Button->BringToFront();
    Button->SetAlign(alRight);
  } catch (...) {
    Button->Skinner = nullptr;
    std::exchange(Button, nullptr)->Free();
  }
}

void TzubSkinExtComboboxLikeControl::Detach() {
  TzubSkinBorderWinControl::Detach();
  if (Button) std::exchange(Button, nullptr)->Free();
}

void TzubSkinExtComboboxLikeControl::SkinStateChanged() {
  TzubSkinBorderWinControl::SkinStateChanged();
  if (Button) Button->SetVisible(IsSkinning() && Control && Control->Visible());
}

void TzubSkinExtComboboxLikeControl::AfterMessage(TMessage& Message) {
  TzubSkinBorderWinControl::AfterMessage(Message);
  if (Message.Msg == CM_VISIBLECHANGED && Button) Button->SetVisible(IsSkinning() && Control && Control->Visible());
}

void TzubSkinExtComboboxLikeControl::PaintSkin() {
  PaintBorder();
  if (auto* win = As<TWinControl>(Control); win && win->HandleAllocated() && Button) Button->Repaint();
}
