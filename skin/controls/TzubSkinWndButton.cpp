#include "TzubSkinWndButton.h"

#include <windowsx.h>

#include <algorithm>

#include "Graphics.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinStdCtrlPaint.h"
#include "ZUBSkinUtils.h"

DEFINE_CLASS(TzubSkinWndButton, TzubSkinControlWnd, ({}))
DEFINE_CLASS(TzubSkinWndCheckBox, TzubSkinControlWnd, ({}))
DEFINE_CLASS(TzubSkinWndRadioButton, TzubSkinControlWnd, ({}))

// ---- Push button ----

TzubSkinWndButton::~TzubSkinWndButton() { FreeAndNil(Timer); }

void TzubSkinWndButton::AfterAttach() {
  TzubSkinControlWnd::AfterAttach();
  ClickPending = false;
  Timer = Create<TTimer>(nullptr);
  Timer->SetInterval(138);
  Timer->SetOnTimer(TNotifyEvent::Bind<&TzubSkinWndButton::HoverTimer>(this));
  Timer->SetEnabled(true);
}

void TzubSkinWndButton::Detach() {
  FreeAndNil(Timer);
  if (Handle && GetCapture() == Handle) ReleaseCapture();
  TzubSkinControlWnd::Detach();
}

void TzubSkinWndButton::ClearPressed() {
  State &= static_cast<uint8_t>(~zsPressed);
  ClickPending = false;
}

void TzubSkinWndButton::Click() {
  HWND parent = GetParent(Handle);
  if (parent) PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle), BN_CLICKED), reinterpret_cast<LPARAM>(Handle));
}

bool TzubSkinWndButton::BeforeMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
      if (Message.WParam != VK_RETURN && Message.WParam != VK_SPACE) return true;
      Message.Result = 0;
      return false;
    case WM_KEYUP:
      // As on the platform's button: Space released while pressed clicks, and ends a mouse
      // press held meanwhile.
      if (Message.WParam == VK_SPACE && Pressed()) {
        ClickPending = false;
        Click();
        if (GetCapture() == Handle) ReleaseCapture();
      }
      return true;
    case WM_MOUSEMOVE: {
      const POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
      RECT client{};
      GetClientRect(Handle, &client);
      if (PtInRect(&client, p)) State |= zsHot;
      PaintSkin();
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      State |= zsPressed;
      SetCapture(Handle);  // the release comes here wherever it happens
      PaintSkin();
      Message.Result = 0;
      return false;
    case WM_LBUTTONUP: {
      const POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
      RECT client{};
      GetClientRect(Handle, &client);
      mouseUpInside_ = PtInRect(&client, p) != 0;
      return true;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(Message.LParam) != Handle && ClickPending) {
        ClearPressed();
        PaintSkin();
      }
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (Message.Msg == WM_KILLFOCUS) ClearPressed();
      PaintSkin();
      Message.Result = 0;
      return false;
    case WM_PAINT:
      zubskin::AnswerPaintMessages(this, Message);
      return false;
    case WM_ERASEBKGND:
      PaintSkin();
      return true;
  }
  return true;
}

void TzubSkinWndButton::AfterMessage(TMessage& Message) {
  TzubSkinControlWnd::AfterMessage(Message);
  if (Message.Msg == WM_SETFOCUS) Paint();
}

void TzubSkinWndButton::MouseDown() {
  SetFocus(Handle);
  ClickPending = true;
}

void TzubSkinWndButton::MouseUp() {
  // Only a press that began here and ends over the button clicks it.
  if (ClickPending && mouseUpInside_) Click();
  ClickPending = false;
  mouseUpInside_ = false;
  if (GetCapture() == Handle) ReleaseCapture();
}

void TzubSkinWndButton::SkinStateChanged() {
  TzubSkinControlWnd::SkinStateChanged();
  if (IsSkinning()) return;
  State = 0;
  ClickPending = false;
  if (Handle && GetCapture() == Handle) ReleaseCapture();
}

bool TzubSkinWndButton::CursorInside() {
  POINT p{};
  RECT r{};
  GetCursorPos(&p);
  GetWindowRect(Handle, &r);
  return zubskin::PointInRect(p, r);
}

void TzubSkinWndButton::HoverTimer(TObject* Sender) {
  (void)Sender;
  if (!Handle) return;
  if (!IsSkinning()) {
    State = 0;
    ClickPending = false;
    return;
  }
  if (!Hot() || CursorInside()) return;
  State &= static_cast<uint8_t>(~zsHot);
  ClearPressed();
  PaintSkin();
}

void TzubSkinWndButton::PaintSkin() {
  if (!Engine || !Handle) return;
  const int w = GetWndWidth(), h = GetWndHeight();
  if (w <= 0 || h <= 0) return;
  TBitmap buffer;
  buffer.SetSize(w, h);
  zubskin::FillRectColor(buffer.Canvas(), {0, 0, w, h}, Engine->GetSkinInt("FormBackgroundColor"));
  TBitmap face;
  Engine->GetSkinBitmap("ButtonImage", &face, 3, Pressed() ? 3 : Hot() ? 2 : 1);
  const bool transparent = Engine->GetSkinBool("ButtonTransparentBool");
  face.SetTransparent(transparent);
  zubskin::DrawNineSlice(&face, buffer.Canvas(), {0, 0, w, h}, transparent);
  if (GetFocus() == Handle) {
    RECT focus{5, 5, w - 5, h - 5};
    if (Pressed()) OffsetRect(&focus, 1, 1);
    buffer.Canvas()->Brush()->SetStyle(bsSolid);
    buffer.Canvas()->DrawFocusRect(focus);
  }
  zubskin::SetMenuFont(buffer.Canvas()->Font());
  DrawCaptionText(&buffer, GetWndText(), {0, 0, w, h}, buffer.Canvas()->Font());
}

// ---- Check box and radio button: the box only ----

namespace {

void PaintBox(TzubSkinControlWnd* skinner, const char* image, bool transparent) {
  TzubSkinEngine* engine = skinner->Engine;
  HWND h = skinner->Handle;
  if (!engine || !h) return;
  const bool checked = SendMessageA(h, BM_GETCHECK, 0, 0) != 0;  // indeterminate counts as checked
  const bool enabled = IsWindowEnabled(h) != 0;
  const int piece = enabled ? (checked ? 1 : 2) : (checked ? 3 : 4);
  TBitmap face;
  engine->GetSkinBitmap(image, &face, 4, piece);
  face.SetTransparent(transparent);
  TBitmap buffer;
  buffer.SetSize(std::max(face.Width(), 14), std::max(face.Height(), skinner->GetWndHeight()));
  zubskin::FillRectColor(buffer.Canvas(), {0, 0, buffer.Width(), buffer.Height()}, engine->GetFormBackgroundColor());
  if (!face.Empty()) buffer.Canvas()->Draw(0, 0, &face);
  skinner->DrawBitmapAt(&buffer, {0, 0});
}

}  // namespace

void TzubSkinWndCheckBox::AfterMessage(TMessage& Message) {
  TzubSkinControlWnd::AfterMessage(Message);
  if (Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == BM_SETCHECK) Paint();
}

void TzubSkinWndCheckBox::PaintSkin() { PaintBox(this, "CheckBoxImage", false); }

void TzubSkinWndRadioButton::AfterMessage(TMessage& Message) {
  TzubSkinControlWnd::AfterMessage(Message);
  if (Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == BM_SETCHECK) Paint();
}

void TzubSkinWndRadioButton::PaintSkin() { PaintBox(this, "RadioButtonImage", true); }
