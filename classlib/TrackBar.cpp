#include "TrackBar.h"

#include <commctrl.h>

#include <algorithm>

#include "ComCtrls.h"

// ---------------------------------------------------------------------------------------------
// TTrackBar

DEFINE_COMPONENT(TTrackBar, TWinControl,
                 ({Prop<&TTrackBar::Frequency, &TTrackBar::SetFrequency>("Frequency"),
                   Prop<&TTrackBar::Max, &TTrackBar::SetMax>("Max"),
                   Prop<&TTrackBar::Min, &TTrackBar::SetMin>("Min"),
                   Prop<&TTrackBar::Orientation, &TTrackBar::SetOrientation>("Orientation"),
                   Prop<&TTrackBar::Position, &TTrackBar::SetPosition>("Position"),
                   Prop<&TTrackBar::TickMarks, &TTrackBar::SetTickMarks>("TickMarks"),
                   Prop<&TTrackBar::TickStyle, &TTrackBar::SetTickStyle>("TickStyle"),
                   Field<&TTrackBar::OnChange>("OnChange")}),
                 ({}))

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& p) {
  InitCommonControlClasses();
  TWinControl::CreateParams(p);
  p.SystemClass = TRACKBAR_CLASSA;
  p.Style &= ~WS_CLIPCHILDREN;
  p.Style |= orientation_ == trVertical ? TBS_VERT : TBS_HORZ;
  switch (tickStyle_) {
    case tsNone: p.Style |= TBS_NOTICKS; break;
    case tsAuto: p.Style |= TBS_AUTOTICKS; break;
    default: break;
  }
  switch (tickMarks_) {
    case tmTopLeft: p.Style |= TBS_TOP; break;
    case tmBoth: p.Style |= TBS_BOTH; break;
    default: p.Style |= TBS_BOTTOM; break;
  }
}

void TTrackBar::InitializeWnd() {
  SetRange();
  SendMessageA(Handle(), TBM_SETTICFREQ, frequency_, 0);
  SendMessageA(Handle(), TBM_SETPOS, TRUE, position_);
}

void TTrackBar::DestroyWnd() {
  position_ = Position();
  TWinControl::DestroyWnd();
}

void TTrackBar::SetRange() {
  if (HandleAllocated()) {
    SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, min_);
    SendMessageA(Handle(), TBM_SETRANGEMAX, TRUE, max_);
  } else {
    position_ = std::clamp(position_, std::min(min_, max_), std::max(min_, max_));
  }
}

void TTrackBar::SetOrientation(TTrackBarOrientation value) {
  if (orientation_ == value) return;
  orientation_ = value;
  // The bar turns: width and height change places, as the original does outside loading.
  if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle value) {
  if (tickStyle_ == value) return;
  tickStyle_ = value;
  RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark value) {
  if (tickMarks_ == value) return;
  tickMarks_ = value;
  RecreateWnd();
}

void TTrackBar::SetMin(int32_t value) {
  min_ = value;
  SetRange();
}

void TTrackBar::SetMax(int32_t value) {
  max_ = value;
  SetRange();
}

int32_t TTrackBar::Position() {
  return HandleAllocated() ? static_cast<int32_t>(SendMessageA(Handle(), TBM_GETPOS, 0, 0)) : position_;
}

void TTrackBar::SetPosition(int32_t value) {
  if (HandleAllocated()) SendMessageA(Handle(), TBM_SETPOS, TRUE, value);
  else position_ = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
  if (OnChange) OnChange(this);
}

void TTrackBar::SetFrequency(int32_t value) {
  frequency_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), TBM_SETTICFREQ, value, 0);
}

void TTrackBar::WndProc(TMessage& m) {
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    if (OnChange) OnChange(this);
    m.Result = 0;
    return;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TCustomUpDown

DEFINE_CLASS(TCustomUpDown, TWinControl, ({}))
DEFINE_COMPONENT(TUpDown, TCustomUpDown,
                 ({Prop<&TCustomUpDown::Associate, &TCustomUpDown::SetAssociate>("Associate"),
                   Prop<&TCustomUpDown::Max, &TCustomUpDown::SetMax>("Max"),
                   Prop<&TCustomUpDown::Min, &TCustomUpDown::SetMin>("Min"),
                   Prop<&TCustomUpDown::Orientation, &TCustomUpDown::SetOrientation>("Orientation"),
                   Prop<&TCustomUpDown::Position, &TCustomUpDown::SetPosition>("Position")}),
                 ({}))

TCustomUpDown::TCustomUpDown(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 15, 25); }

void TCustomUpDown::CreateParams(TCreateParams& p) {
  InitCommonControlClasses();
  TWinControl::CreateParams(p);
  p.SystemClass = UPDOWN_CLASSA;
  p.Style = (p.Style & ~WS_CLIPCHILDREN) | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS;
  if (orientation_ == udHorizontal) p.Style |= UDS_HORZ;
}

void TCustomUpDown::InitializeWnd() {
  HWND wnd = Handle();
  if (associate_) SendMessageA(wnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
  SendMessageA(wnd, UDM_SETRANGE32, min_, max_);
  SendMessageA(wnd, UDM_SETPOS32, 0, position_);  // written into the buddy
}

void TCustomUpDown::DestroyWnd() {
  position_ = Position();
  TWinControl::DestroyWnd();
}

void TCustomUpDown::SetOrientation(TUDOrientation value) {
  if (orientation_ == value) return;
  orientation_ = value;
  RecreateWnd();
}

void TCustomUpDown::SetMin(int32_t value) {
  min_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), UDM_SETRANGE32, min_, max_);
}

void TCustomUpDown::SetMax(int32_t value) {
  max_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), UDM_SETRANGE32, min_, max_);
}

int32_t TCustomUpDown::Position() {
  if (!HandleAllocated()) return position_;
  BOOL failed = FALSE;
  int32_t pos = static_cast<int32_t>(SendMessageA(Handle(), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
  return failed ? position_ : pos;
}

void TCustomUpDown::SetPosition(int32_t value) {
  position_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), UDM_SETPOS32, 0, value);
}

void TCustomUpDown::SetAssociate(TWinControl* value) {
  if (associate_ == value) return;
  if (value == this) throw EInvalidOperation("An up-down control cannot be its own associate");
  if (associate_) associate_->RemoveFreeNotification(this);
  associate_ = value;
  if (value) value->FreeNotification(this);
  if (HandleAllocated())
    SendMessageA(Handle(), UDM_SETBUDDY, value ? reinterpret_cast<WPARAM>(value->Handle()) : 0, 0);
}

void TCustomUpDown::Notification(TComponent* c, TOperation operation) {
  TWinControl::Notification(c, operation);
  if (operation == opRemove && c == associate_) {
    associate_ = nullptr;
    if (HandleAllocated()) SendMessageA(Handle(), UDM_SETBUDDY, 0, 0);
  }
}
