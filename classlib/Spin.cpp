#include "Spin.h"

#include <commctrl.h>

#include "ComCtrls.h"

namespace {
constexpr int kButtonWidth = 15;
}

DEFINE_COMPONENT(TSpinButton, TWinControl, ({}), ({}))

TSpinButton::TSpinButton(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, kButtonWidth, 25); }

void TSpinButton::CreateParams(TCreateParams& p) {
  InitCommonControlClasses();
  TWinControl::CreateParams(p);
  p.SystemClass = UPDOWN_CLASSA;
  p.Style &= ~WS_CLIPCHILDREN;
}

void TSpinButton::InitializeWnd() {
  // A position in the middle of a small range, so that both arrows always have a step to take.
  SendMessageA(Handle(), UDM_SETRANGE32, 0, 2);
  SendMessageA(Handle(), UDM_SETPOS32, 0, 1);
}

void TSpinButton::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    auto* n = reinterpret_cast<NMUPDOWN*>(m.LParam);
    if (n->hdr.code == UDN_DELTAPOS) {
      if (n->iDelta > 0 && OnUpClick) OnUpClick(this);
      else if (n->iDelta < 0 && OnDownClick) OnDownClick(this);
      m.Result = 1;  // the position stays in the middle
      return;
    }
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------

DEFINE_COMPONENT(TSpinEdit, TCustomEdit,
                 ({Prop<&TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect>("AutoSelect"),
                   Prop<&TSpinEdit::Increment, &TSpinEdit::SetIncrement>("Increment"),
                   Prop<&TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength>("MaxLength"),
                   Prop<&TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue>("MaxValue"),
                   Prop<&TSpinEdit::MinValue, &TSpinEdit::SetMinValue>("MinValue"),
                   Prop<&TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly>("ReadOnly"),
                   Prop<&TSpinEdit::Value, &TSpinEdit::SetValue>("Value")}),
                 ({}))

TSpinEdit::TSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetText("0");
  button_ = Create<TSpinButton>(this);
  button_->SetParent(this);
  button_->OnUpClick = TNotifyEvent::Bind<&TSpinEdit::UpClick>(this);
  button_->OnDownClick = TNotifyEvent::Bind<&TSpinEdit::DownClick>(this);
}

void TSpinEdit::Loaded() {
  TCustomEdit::Loaded();
  SetValue(Value());  // a Value read before its range
}

int32_t TSpinEdit::CheckValue(int32_t value) const {
  if (maxValue_ == minValue_) return value;
  if (value < minValue_) return minValue_;
  if (value > maxValue_) return maxValue_;
  return value;
}

int32_t TSpinEdit::Value() {
  try {
    return StrToInt(Text());
  } catch (const EConvertError&) {
    return minValue_;
  }
}

void TSpinEdit::SetValue(int32_t value) {
  if (!ComponentState().Contains(csLoading)) value = CheckValue(value);
  SetText(IntToStr(value));
}

bool TSpinEdit::IsValidChar(char key) {
  if (static_cast<unsigned char>(key) < ' ' || key == 0x7F) return true;  // editing keys: Backspace, Ctrl+V ...
  const bool digit = key >= '0' && key <= '9';
  if (!digit && (key != '-' || minValue_ >= 0)) return false;
  DWORD start = 0, end = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::string text = Text();
  if (digit) return !(start == 0 && end < text.size() && text[end] == '-');
  return start == 0 && text.find('-', end) == std::string::npos;
}

void TSpinEdit::Step(int32_t delta) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  SetValue(Value() + delta);
}

void TSpinEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN;  // the button lies inside
}

void TSpinEdit::InitializeWnd() {
  TCustomEdit::InitializeWnd();
  SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELONG(0, kButtonWidth + 2));
  PlaceButton();
}

void TSpinEdit::PlaceButton() {
  RECT r;
  GetClientRect(Handle(), &r);
  button_->SetBounds(r.right - kButtonWidth, 0, kButtonWidth, r.bottom);
}

void TSpinEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE:
      TCustomEdit::WndProc(m);
      PlaceButton();
      return;
    case WM_KEYDOWN:
      if (m.WParam == VK_UP || m.WParam == VK_DOWN) {
        Step(m.WParam == VK_UP ? increment_ : -increment_);
        return;
      }
      break;
    case WM_CHAR:
      if (!IsValidChar(static_cast<char>(m.WParam))) return;
      break;
    case CM_LOSTFOCUS: {
      int32_t value = Value();
      if (CheckValue(value) != value) SetValue(value);
      break;
    }
    default:
      break;
  }
  TCustomEdit::WndProc(m);
}
