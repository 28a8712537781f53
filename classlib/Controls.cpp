#include "Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <map>

#include "Boundary.h"
#include "Graphics.h"

namespace {

// The control behind each of our windows is kept in a window property.
const char kControlProp[] = "SuiteControl";

// Set while CreateWindowEx runs, so that the first message can attach the window to its object.
thread_local TWinControl* creatingControl = nullptr;

// The platform procedure behind each superclass we registered, by window class name.
std::map<std::string, WNDPROC>& ClassProcs() {
  static std::map<std::string, WNDPROC> procs;  // one per registered window class
  return procs;
}

TControl* mouseControl = nullptr;    // the control the mouse is over
TControl* captureControl = nullptr;  // the control holding the capture

bool IsWithin(const TControl* control, const TControl* window) {
  for (; control; control = control->Parent())
    if (control == window) return true;
  return false;
}

// The window and every window it lies in are enabled, so the mouse can reach it.
bool TakesMouse(HWND wnd) {
  for (; wnd; wnd = (GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CHILD) ? GetParent(wnd) : nullptr)
    if (!IsWindowEnabled(wnd)) return false;
  return true;
}

}  // namespace

LRESULT CALLBACK ControlWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

LRESULT CALLBACK InitWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  TWinControl* control = creatingControl;
  if (!control) return DefWindowProcA(wnd, msg, wp, lp);
  creatingControl = nullptr;
  control->AttachHandle(wnd);
  return ControlWndProc(wnd, msg, wp, lp);
}

LRESULT CALLBACK ControlWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* control = static_cast<TWinControl*>(GetPropA(wnd, kControlProp));
  if (!control) return DefWindowProcA(wnd, msg, wp, lp);
  TMessage m{msg, wp, lp, 0};
  try {
    control->WindowProc(m);
  } catch (...) {
    HandleException(control);
  }
  if (msg == WM_NCDESTROY && control->handle_ == wnd) {
    RemovePropA(wnd, kControlProp);
    control->handle_ = nullptr;
  }
  return m.Result;
}

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s += ssShift;
  if (keys & MK_CONTROL) s += ssCtrl;
  if (keys & MK_LBUTTON) s += ssLeft;
  if (keys & MK_RBUTTON) s += ssRight;
  if (keys & MK_MBUTTON) s += ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s += ssAlt;
  return s;
}

bool IsAccel(UINT key, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[++i] == '&') continue;  // "&&" shows one "&"
    return toupper(static_cast<unsigned char>(caption[i])) == toupper(static_cast<int>(key));
  }
  return false;
}

const TIdentMapEntry CursorIdents[] = {
    {"crDefault", 0},     {"crNone", -1},       {"crArrow", -2},     {"crCross", -3},    {"crIBeam", -4},
    {"crSizeNESW", -6},   {"crSizeNS", -7},     {"crSizeNWSE", -8},  {"crSizeWE", -9},   {"crUpArrow", -10},
    {"crHourGlass", -11}, {"crNo", -18},        {"crAppStart", -19}, {"crHelp", -20},    {"crHandPoint", -21},
    {"crSizeAll", -22},   {"crSize", -22},      {nullptr, 0}};

HCURSOR CursorHandle(TCursor cursor) {
  LPCSTR id = IDC_ARROW;
  switch (cursor) {
    case -1: return nullptr;
    case -3: id = IDC_CROSS; break;
    case -4: id = IDC_IBEAM; break;
    case -6: id = IDC_SIZENESW; break;
    case -7: id = IDC_SIZENS; break;
    case -8: id = IDC_SIZENWSE; break;
    case -9: id = IDC_SIZEWE; break;
    case -10: id = IDC_UPARROW; break;
    case -11: id = IDC_WAIT; break;
    case -18: id = IDC_NO; break;
    case -19: id = IDC_APPSTARTING; break;
    case -20: id = IDC_HELP; break;
    case -21: id = IDC_HAND; break;
    case -22: id = IDC_SIZEALL; break;
    default: break;
  }
  return LoadCursorA(nullptr, id);
}

TControl* MouseControl() { return mouseControl; }
TControl* CaptureControl() { return captureControl; }

void SetCaptureControl(TControl* control) {
  captureControl = control;
  if (!control) {
    ReleaseCapture();
    return;
  }
  auto* win = control->IsGraphic() ? control->Parent() : static_cast<TWinControl*>(control);
  if (win && win->HandleAllocated()) SetCapture(win->Handle());
}

void UpdateMouseControl(TControl* control) {
  if (control == mouseControl) return;
  TControl* old = mouseControl;
  mouseControl = control;
  if (old) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
  if (control) control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
}

// ---------------------------------------------------------------------------------------------
// TControl

DEFINE_CLASS(TControl, TComponent,
             ({Prop<&TControl::Left, &TControl::SetLeft>("Left"),
               Prop<&TControl::Top, &TControl::SetTop>("Top"),
               Prop<&TControl::Width, &TControl::SetWidth>("Width"),
               Prop<&TControl::Height, &TControl::SetHeight>("Height"),
               Prop<&TControl::Align, &TControl::SetAlign>("Align"),
               Prop<&TControl::Anchors, &TControl::SetAnchors>("Anchors"),
               PropRO<&TControl::Constraints>("Constraints"),
               Prop<&TControl::Visible, &TControl::SetVisible>("Visible"),
               Prop<&TControl::Enabled, &TControl::SetEnabled>("Enabled"),
               Prop<&TControl::Color, &TControl::SetColor>("Color"),
               Prop<&TControl::ParentColor, &TControl::SetParentColor>("ParentColor"),
               Prop<&TControl::ParentFont, &TControl::SetParentFont>("ParentFont"),
               PropRO<&TControl::Font>("Font"),
               Prop<&TControl::Cursor, &TControl::SetCursor>("Cursor"),
               Prop<&TControl::BiDiMode, &TControl::SetBiDiMode>("BiDiMode"),
               Prop<&TControl::ParentBiDiMode, &TControl::SetParentBiDiMode>("ParentBiDiMode"),
               Field<&TControl::OnClick>("OnClick"),
               Field<&TControl::OnDblClick>("OnDblClick"),
               Field<&TControl::OnMouseDown>("OnMouseDown"),
               Field<&TControl::OnMouseMove>("OnMouseMove"),
               Field<&TControl::OnMouseUp>("OnMouseUp")}))

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), constraints_(new TSizeConstraints(this)), font_(new TFont) {
  WindowProc = TWndMethod::Bind<&TControl::WndProc>(this);
  font_->OnChange = TNotifyEvent::Bind<&TControl::FontChangedThunk>(this);
}

TControl::~TControl() {
  if (mouseControl == this) mouseControl = nullptr;
  if (captureControl == this) captureControl = nullptr;
  if (parent_) parent_->RemoveControl(this);
  delete font_;
  delete constraints_;
}

void TControl::BeforeDestruction() {
  Destroying();
  if (mouseControl == this) mouseControl = nullptr;
  if (captureControl == this) SetCaptureControl(nullptr);
  if (parent_) parent_->RemoveControl(this);
  TComponent::BeforeDestruction();
}

LRESULT TControl::Perform(UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The second press of a double click is no click of its own.
      if (clickEvents_ && m.Msg == WM_LBUTTONDOWN) clicked_ = true;
      // The control keeps the mouse until the button goes up, so a release outside is seen.
      if (clickEvents_ || isGraphic_) SetCaptureControl(this);
      if (m.Msg == WM_LBUTTONDBLCLK && OnDblClick) OnDblClick(this);
      MouseDown(mbLeft, KeysToShiftState(m.WParam), MessageX(m.LParam), MessageY(m.LParam));
      break;
    case WM_RBUTTONDOWN:
      MouseDown(mbRight, KeysToShiftState(m.WParam), MessageX(m.LParam), MessageY(m.LParam));
      break;
    case WM_MBUTTONDOWN:
      MouseDown(mbMiddle, KeysToShiftState(m.WParam), MessageX(m.LParam), MessageY(m.LParam));
      break;
    case WM_LBUTTONUP: {
      // A platform control that captured the mouse itself must see its button go up while it
      // still holds the capture, or it keeps repeating (an up-down's arrows) or tracking.
      DefaultHandler(m);
      if (captureControl == this) SetCaptureControl(nullptr);
      bool wasClicked = clicked_;
      clicked_ = false;
      int x = MessageX(m.LParam), y = MessageY(m.LParam);
      if (wasClicked && x >= 0 && y >= 0 && x < width_ && y < height_) Click();
      MouseUp(mbLeft, KeysToShiftState(m.WParam), x, y);
      return;
    }
    case WM_RBUTTONUP:
      MouseUp(mbRight, KeysToShiftState(m.WParam), MessageX(m.LParam), MessageY(m.LParam));
      break;
    case WM_MBUTTONUP:
      MouseUp(mbMiddle, KeysToShiftState(m.WParam), MessageX(m.LParam), MessageY(m.LParam));
      break;
    case WM_MOUSEMOVE:
      MouseMove(KeysToShiftState(m.WParam), MessageX(m.LParam), MessageY(m.LParam));
      break;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_ && parent_) {
        color_ = parent_->Color();
        Invalidate();
      }
      break;
    case CM_PARENTFONTCHANGED:
      if (parentFont_ && parent_) {
        font_->Assign(parent_->Font());
        parentFont_ = true;  // assigning counts as a change; the font still follows the parent
      }
      break;
    default:
      break;
  }
  DefaultHandler(m);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::SetParent(TWinControl* AParent) {
  if (parent_ == AParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int32_t l, int32_t t, int32_t w, int32_t h) {
  constraints_->Apply(w, h);
  if (l == left_ && t == top_ && w == width_ && h == height_) return;
  if (isGraphic_ && visible_) Invalidate();  // the old area
  left_ = l;
  top_ = t;
  width_ = w;
  height_ = h;
  BoundsChanged();
  if (isGraphic_ && visible_) Invalidate();  // the new area
  if (anchorMove_) return;
  UpdateAnchorRules();
  if (align_ != alNone) RequestAlign();  // its siblings make room
}

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorRules();
}

void TControl::RequestAlign() {
  if (parent_) parent_->Realign();
}

void TControl::UpdateAnchorRules() {
  if (anchors_ == TAnchors{akLeft, akTop} || !parent_) {
    originalParentSize_ = {0, 0};
    return;
  }
  if (anchors_.Contains(akRight)) anchorRules_.x = anchors_.Contains(akLeft) ? width_ : left_;
  else anchorRules_.x = left_ + width_ / 2;
  if (anchors_.Contains(akBottom)) anchorRules_.y = anchors_.Contains(akTop) ? height_ : top_;
  else anchorRules_.y = top_ + height_ / 2;
  RECT r = parent_->ClientRect();
  originalParentSize_ = {r.right - r.left, r.bottom - r.top};
}

void TControl::AnchorMove(POINT size) {
  if (originalParentSize_.x == 0 && originalParentSize_.y == 0) return;
  int32_t l = left_, t = top_, w = width_, h = height_;
  if (anchors_.Contains(akRight)) {
    if (anchors_.Contains(akLeft)) w = size.x - (originalParentSize_.x - anchorRules_.x);
    else l = size.x - (originalParentSize_.x - anchorRules_.x);
  } else if (!anchors_.Contains(akLeft) && originalParentSize_.x) {
    l = MulDiv(anchorRules_.x, size.x, originalParentSize_.x) - w / 2;
  }
  if (anchors_.Contains(akBottom)) {
    if (anchors_.Contains(akTop)) h = size.y - (originalParentSize_.y - anchorRules_.y);
    else t = size.y - (originalParentSize_.y - anchorRules_.y);
  } else if (!anchors_.Contains(akTop) && originalParentSize_.y) {
    t = MulDiv(anchorRules_.y, size.y, originalParentSize_.y) - h / 2;
  }
  anchorMove_ = true;
  try {
    SetBounds(l, t, std::max(w, 0), std::max(h, 0));
  } catch (...) {
    anchorMove_ = false;
    throw;
  }
  anchorMove_ = false;
}

void TControl::SetAnchors(TAnchors value) {
  if (anchors_ == value) return;
  anchors_ = value;
  UpdateAnchorRules();
}

void TControl::ConstraintsChanged() {
  int32_t w = width_, h = height_;
  constraints_->Apply(w, h);
  if (w != width_ || h != height_) SetBounds(left_, top_, width_, height_);
}

// ---------------------------------------------------------------------------------------------
// TSizeConstraints

DEFINE_CLASS(TSizeConstraints, TPersistent,
             ({Prop<&TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight>("MaxHeight"),
               Prop<&TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth>("MaxWidth"),
               Prop<&TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight>("MinHeight"),
               Prop<&TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth>("MinWidth")}))

void TSizeConstraints::SetMinWidth(int32_t value) {
  if (value == minWidth_) return;
  minWidth_ = std::max(value, 0);
  if (maxWidth_ > 0 && minWidth_ > maxWidth_) maxWidth_ = minWidth_;
  Changed();
}

void TSizeConstraints::SetMinHeight(int32_t value) {
  if (value == minHeight_) return;
  minHeight_ = std::max(value, 0);
  if (maxHeight_ > 0 && minHeight_ > maxHeight_) maxHeight_ = minHeight_;
  Changed();
}

void TSizeConstraints::SetMaxWidth(int32_t value) {
  if (value == maxWidth_) return;
  maxWidth_ = std::max(value, 0);
  if (maxWidth_ > 0 && minWidth_ > maxWidth_) minWidth_ = maxWidth_;
  Changed();
}

void TSizeConstraints::SetMaxHeight(int32_t value) {
  if (value == maxHeight_) return;
  maxHeight_ = std::max(value, 0);
  if (maxHeight_ > 0 && minHeight_ > maxHeight_) minHeight_ = maxHeight_;
  Changed();
}

void TSizeConstraints::Assign(TPersistent* Source) {
  auto* src = As<TSizeConstraints>(Source);
  if (!src) return TPersistent::Assign(Source);
  minWidth_ = src->minWidth_;
  minHeight_ = src->minHeight_;
  maxWidth_ = src->maxWidth_;
  maxHeight_ = src->maxHeight_;
  Changed();
}

TPersistent* TSizeConstraints::GetOwner() { return control_; }

void TSizeConstraints::Apply(int32_t& w, int32_t& h) const {
  if (maxWidth_ > 0) w = std::min(w, maxWidth_);
  if (maxHeight_ > 0) h = std::min(h, maxHeight_);
  w = std::max(w, minWidth_);
  h = std::max(h, minHeight_);
}

void TSizeConstraints::Changed() {
  if (control_) control_->ConstraintsChanged();
}

RECT TControl::ClientRect() { return {0, 0, width_, height_}; }

void TControl::SetClientWidth(int32_t value) {
  RECT r = ClientRect();
  SetWidth(width_ - (r.right - r.left) + value);
}

void TControl::SetClientHeight(int32_t value) {
  RECT r = ClientRect();
  SetHeight(height_ - (r.bottom - r.top) + value);
}

void TControl::SetAlign(TAlign value) {
  if (align_ == value) return;
  static const TAnchors kAnchorAlign[] = {
      {akLeft, akTop},                  // alNone
      {akLeft, akTop, akRight},         // alTop
      {akLeft, akRight, akBottom},      // alBottom
      {akLeft, akTop, akBottom},        // alLeft
      {akRight, akTop, akBottom},       // alRight
      {akLeft, akTop, akRight, akBottom},  // alClient
      {akLeft, akTop}};                 // alCustom
  align_ = value;
  anchors_ = kAnchorAlign[value];
  UpdateAnchorRules();
  RequestAlign();
}

void TControl::SetVisible(bool value) {
  if (visible_ == value) return;
  if (isGraphic_) Invalidate();
  visible_ = value;
  if (isGraphic_) Invalidate();
  Perform(CM_VISIBLECHANGED, value);
  if (align_ != alNone) RequestAlign();
}

bool TControl::Showing() const {
  if (!visible_) return false;
  if (!parent_) {
    auto* self = dynamic_cast<const TWinControl*>(this);
    return self && self->handle_ && IsWindowVisible(self->handle_);
  }
  return parent_->Showing();
}

void TControl::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  Perform(CM_ENABLEDCHANGED);
  if (isGraphic_) Invalidate();
}

std::string TControl::GetText() { return text_; }

void TControl::SetText(std::string value) {
  if (value == text_) return;
  text_ = std::move(value);
  Perform(CM_TEXTCHANGED);
  if (isGraphic_) Invalidate();
}

void TControl::SetColor(TColor value) {
  if (value == color_ && !parentColor_) return;
  color_ = value;
  parentColor_ = false;
  Perform(CM_COLORCHANGED);
  Invalidate();
}

void TControl::SetParentColor(bool value) {
  if (parentColor_ == value) return;
  parentColor_ = value;
  if (value) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool value) {
  if (parentFont_ == value) return;
  parentFont_ = value;
  if (value) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged() {
  parentFont_ = false;
  Perform(CM_FONTCHANGED);
  Invalidate();
}

void TControl::SetCursor(TCursor value) {
  if (cursor_ == value) return;
  cursor_ = value;
  Perform(CM_CURSORCHANGED);
}

namespace {
// The children of a control that follow its mode take it, and so on down.
void PassBiDiModeDown(TControl* control) {
  auto* win = dynamic_cast<TWinControl*>(control);
  if (!win) return;
  for (int i = 0; i < win->ControlCount(); ++i) {
    TControl* child = win->Controls(i);
    if (child->ParentBiDiMode()) child->SetParentBiDiMode(true);
  }
}
}  // namespace

void TControl::SetBiDiMode(TBiDiMode value) {
  parentBiDiMode_ = false;
  if (biDiMode_ == value) return;
  biDiMode_ = value;
  Invalidate();
  PassBiDiModeDown(this);
}

void TControl::SetParentBiDiMode(bool value) {
  parentBiDiMode_ = value;
  if (!value || !parent_) return;
  SetBiDiMode(parent_->BiDiMode());
  parentBiDiMode_ = true;
}

UINT TControl::DrawTextBiDiModeFlags(UINT flags) const {
  if (UseRightToLeftAlignment()) {
    if (flags & DT_RIGHT) flags &= ~DT_RIGHT;  // DT_LEFT is 0
    else if (!(flags & DT_CENTER)) flags |= DT_RIGHT;
  }
  return flags | DrawTextBiDiModeFlagsReadingOnly();
}

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated()) return;
  RECT r = BoundsRect();
  InvalidateRect(parent_->Handle(), &r, TRUE);
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::BringToFront() {
  if (parent_) {
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
  }
  if (auto* win = dynamic_cast<TWinControl*>(this); win && win->HandleAllocated())
    SetWindowPos(win->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  else
    Invalidate();
}

void TControl::SendToBack() {
  if (parent_) {
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
  }
  if (auto* win = dynamic_cast<TWinControl*>(this); win && win->HandleAllocated())
    SetWindowPos(win->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  else
    Invalidate();
}

POINT TControl::ClientOrigin() {
  if (auto* win = dynamic_cast<TWinControl*>(this); win && (win->HandleAllocated() || !parent_)) {
    POINT p{0, 0};
    ::ClientToScreen(win->Handle(), &p);
    return p;
  }
  POINT p = parent_ ? parent_->ClientOrigin() : POINT{0, 0};
  return {p.x + left_, p.y + top_};
}

POINT TControl::ClientToScreen(POINT p) {
  POINT o = ClientOrigin();
  return {p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) {
  POINT o = ClientOrigin();
  return {p.x - o.x, p.y - o.y};
}

// ---------------------------------------------------------------------------------------------
// TGraphicControl

DEFINE_CLASS(TGraphicControl, TControl, ({}))

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), canvas_(new TCanvas) {
  isGraphic_ = true;
}

TGraphicControl::~TGraphicControl() { delete canvas_; }

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    // The parent hands over its DC, already moved to this control's origin and clipped to it.
    canvas_->SetHandle(reinterpret_cast<HDC>(m.WParam));
    try {
      Paint();
    } catch (...) {
      canvas_->SetHandle(nullptr);
      throw;
    }
    canvas_->SetHandle(nullptr);
    return;
  }
  TControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TControlCanvas

DEFINE_CLASS(TControlCanvas, TCanvas, ({}))

void TControlCanvas::SetControl(TControl* Value) {
  if (Value == control_) return;
  FreeHandle();
  control_ = Value;
}

void TControlCanvas::CreateHandle() {
  if (!control_) return;
  auto* windowed = As<TWinControl>(control_);
  TWinControl* host = windowed ? windowed : control_->Parent();
  if (!host) return;  // a graphic control without a parent has nothing to draw on
  HWND window = host->Handle();
  HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!dc) return;
  if (!windowed) {
    savedDC_ = SaveDC(dc);
    SetViewportOrgEx(dc, control_->Left(), control_->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, control_->Width(), control_->Height());
  }
  window_ = window;
  ownDC_ = dc;
  SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
  TCanvas::FreeHandle();
  if (!ownDC_) return;
  if (savedDC_) RestoreDC(ownDC_, savedDC_);
  ReleaseDC(window_, ownDC_);
  ownDC_ = nullptr;
  window_ = nullptr;
  savedDC_ = 0;
}

// ---------------------------------------------------------------------------------------------
// TWinControl

DEFINE_CLASS(TWinControl, TControl,
             ({Prop<&TWinControl::TabStop, &TWinControl::SetTabStop>("TabStop"),
               Prop<&TWinControl::TabOrder, &TWinControl::SetTabOrder>("TabOrder"),
               Field<&TWinControl::OnExit>("OnExit")}))

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  if (handle_) {
    // Deleted without Free: the window must not call back into a half-destroyed object.
    RemovePropA(handle_, kControlProp);
    SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defWndProc_ ? defWndProc_ : DefWindowProcA));
    DestroyWindow(handle_);
    handle_ = nullptr;
  }
  while (!controls_.empty()) delete controls_.back();
  if (brush_) DeleteObject(brush_);
}

void TWinControl::BeforeDestruction() {
  Destroying();
  DestroyHandle();
  while (!controls_.empty()) controls_.back()->Free();  // removes itself from the list
  TControl::BeforeDestruction();
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
  return wnd ? static_cast<TWinControl*>(GetPropA(wnd, kControlProp)) : nullptr;
}

HWND TWinControl::Handle() {
  if (!handle_) {
    if (ComponentState().Contains(csDestroying)) throw EInvalidOperation("Control is being destroyed");
    CreateHandle();
  }
  return handle_;
}

void TWinControl::SetParentWindow(HWND value) {
  if (parentWindow_ == value) return;
  parentWindow_ = value;
  if (handle_ && !Parent()) ::SetParent(handle_, value);
}

HWND TWinControl::ParentHandle() {
  if (Parent()) return Parent()->Handle();
  return parentWindow_;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = text_;
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (Parent() || parentWindow_) p.Style |= WS_CHILD;
  if (visible_) p.Style |= WS_VISIBLE;
  if (!enabled_) p.Style |= WS_DISABLED;
  if (tabStop_) p.Style |= WS_TABSTOP;
  p.X = left_;
  p.Y = top_;
  p.Width = width_;
  p.Height = height_;
  p.WndParent = ParentHandle();
  p.WindowClass.style = CS_DBLCLKS;
  p.WindowClass.lpfnWndProc = DefWindowProcA;
  p.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  p.WindowClass.hInstance = GetModuleHandleA(nullptr);
  p.WinClassName = ClassName();
}

void TWinControl::CreateHandle() {
  // A parent without a window makes its children's windows, this one's included, as it gets one.
  if (Parent()) Parent()->HandleNeeded();
  if (handle_) return;
  CreateWnd();
  // Children get their windows as soon as their parent has one.
  for (TControl* c : std::vector<TControl*>(controls_))
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->CreateHandle();
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if (p.Style & WS_CHILD && !p.WndParent) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (!GetClassInfoA(inst, p.WinClassName.c_str(), &existing)) {
    WNDCLASSA wc = p.WindowClass;
    WNDPROC base = wc.lpfnWndProc;
    if (!p.SystemClass.empty()) {
      if (!GetClassInfoA(nullptr, p.SystemClass.c_str(), &wc))
        throw EInvalidOperation("Window class " + p.SystemClass + " is not available");
      base = wc.lpfnWndProc;
      wc.hInstance = inst;
      wc.style &= ~CS_GLOBALCLASS;
    }
    ClassProcs()[p.WinClassName] = base;
    wc.lpfnWndProc = InitWndProc;
    wc.lpszClassName = p.WinClassName.c_str();
    if (!RegisterClassA(&wc)) throw EInvalidOperation("Cannot register window class " + p.WinClassName);
  }
  defWndProc_ = ClassProcs()[p.WinClassName];
  CreateWindowHandle(p);
  if (!handle_) throw EInvalidOperation("Error creating window for " + ClassName());
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
  InitializeWnd();
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
  creatingControl = this;
  HWND wnd = CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                             p.Height, p.WndParent, nullptr, GetModuleHandleA(nullptr), nullptr);
  creatingControl = nullptr;
  if (wnd && !handle_) AttachHandle(wnd);
}

void TWinControl::AttachHandle(HWND wnd) {
  handle_ = wnd;
  SetPropA(wnd, kControlProp, this);
  SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlWndProc));
}

void TWinControl::DestroyWnd() { text_ = TWinControl::GetText(); }

void TWinControl::DestroyHandle() {
  if (!handle_ || destroyingHandle_) return;
  destroyingHandle_ = true;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->handle_) w->DestroyWnd();
  DestroyWnd();
  DestroyWindowHandle();  // children go with it; each detaches on WM_NCDESTROY
  handle_ = nullptr;
  destroyingHandle_ = false;
}

void TWinControl::DestroyWindowHandle() { DestroyWindow(handle_); }

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

void TWinControl::RecreateWnd() {
  if (handle_) Perform(CM_RECREATEWND);
}

void TWinControl::Realign() {
  if (ComponentState().Contains(csLoading)) return;  // the described positions stand until Loaded
  if (aligning_) {
    realignAgain_ = true;  // a child moved while its siblings were placed
    return;
  }
  ++aligning_;
  try {
    for (int pass = 0; pass < 3; ++pass) {
      realignAgain_ = false;
      RECT r = ClientRect();
      AlignControls(r);
      if (!realignAgain_) break;
    }
  } catch (...) {
    --aligning_;
    throw;
  }
  --aligning_;
}

void TWinControl::AlignControls(RECT& rect) {
  // The platform library's order: top, bottom, left, right, client; within one side by position.
  auto key = [](TControl* c) {
    switch (c->Align()) {
      case alTop: return c->Top();
      case alBottom: return -(c->Top() + c->Height());
      case alLeft: return c->Left();
      case alRight: return -(c->Left() + c->Width());
      default: return 0;
    }
  };
  auto place = [](TControl* c, int32_t l, int32_t t, int32_t w, int32_t h) {
    c->anchorMove_ = true;
    try {
      c->SetBounds(l, t, std::max(w, 0), std::max(h, 0));
    } catch (...) {
      c->anchorMove_ = false;
      throw;
    }
    c->anchorMove_ = false;
  };
  for (TAlign side : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    for (TControl* c : controls_)
      if (c->Align() == side && c->Visible()) list.push_back(c);
    std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) { return key(a) < key(b); });
    for (TControl* c : list) {
      const int32_t w = rect.right - rect.left, h = rect.bottom - rect.top;
      switch (side) {
        case alTop:
          place(c, rect.left, rect.top, w, c->Height());
          rect.top += c->Height();
          break;
        case alBottom:
          place(c, rect.left, rect.bottom - c->Height(), w, c->Height());
          rect.bottom -= c->Height();
          break;
        case alLeft:
          place(c, rect.left, rect.top, c->Width(), h);
          rect.left += c->Width();
          break;
        case alRight:
          place(c, rect.right - c->Width(), rect.top, c->Width(), h);
          rect.right -= c->Width();
          break;
        default:
          place(c, rect.left, rect.top, w, h);
          break;
      }
    }
  }
  RECT client = ClientRect();
  const POINT size{client.right - client.left, client.bottom - client.top};
  for (TControl* c : std::vector<TControl*>(controls_))
    if (c->Align() == alNone) c->AnchorMove(size);
}

void TWinControl::SetWindowStyle(DWORD style, bool on) {
  if (!handle_) return;
  LONG_PTR s = GetWindowLongPtrA(handle_, GWL_STYLE);
  LONG_PTR n = on ? (s | style) : (s & ~static_cast<LONG_PTR>(style));
  if (n != s) SetWindowLongPtrA(handle_, GWL_STYLE, n);
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
  c->parent_ = this;
  if (c->parentColor_) c->color_ = Color();
  if (c->parentFont_) c->Perform(CM_PARENTFONTCHANGED);
  if (c->parentBiDiMode_) c->SetParentBiDiMode(true);
  c->UpdateAnchorRules();
  if (c->align_ != alNone) Realign();
  if (auto* w = dynamic_cast<TWinControl*>(c); w && handle_) w->CreateHandle();
  else if (c->isGraphic_) c->Invalidate();
}

void TWinControl::RemoveControl(TControl* c) {
  if (c->isGraphic_) c->Invalidate();
  if (auto* w = dynamic_cast<TWinControl*>(c); w && w->handle_) w->DestroyHandle();
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
  c->parent_ = nullptr;
  if (c->align_ != alNone && !ComponentState().Contains(csDestroying)) Realign();
}

TControl* TWinControl::ControlAtPos(POINT pos, bool allowDisabled) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!c->isGraphic_ || !c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, pos)) return c;
  }
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (c->isGraphic_ || !c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, pos)) return c;
  }
  return nullptr;
}

void TWinControl::SetTabStop(bool value) {
  tabStop_ = value;
  SetWindowStyle(WS_TABSTOP, value);
}

int32_t TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  int order = 0;
  for (TControl* c : Parent()->controls_) {
    if (c == this) return order;
    if (dynamic_cast<TWinControl*>(c)) ++order;
  }
  return -1;
}

void TWinControl::SetTabOrder(int32_t) {
  // Tab order follows creation order: the form descriptions list controls in that order.
}

bool TWinControl::CanFocus() {
  for (TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

TWinControl* TWinControl::FirstTabControl() {
  for (TControl* c : controls_) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (!w) continue;
    if (w->TabStop() && w->CanFocus()) return w;
    if (TWinControl* inner = w->FirstTabControl()) return inner;
  }
  return nullptr;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  ::SetFocus(Handle());
}

RECT TWinControl::ClientRect() {
  RECT r{0, 0, Width(), Height()};
  if (handle_) GetClientRect(handle_, &r);
  return r;
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

std::string TWinControl::GetText() {
  if (!handle_) return TControl::GetText();
  int n = GetWindowTextLengthA(handle_);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  n = GetWindowTextA(handle_, &s[0], n + 1);
  s.resize(static_cast<size_t>(std::max(n, 0)));
  return s;
}

void TWinControl::SetText(std::string value) {
  if (!handle_) return TControl::SetText(std::move(value));
  if (value == GetText()) return;
  SetWindowTextA(handle_, value.c_str());
  text_ = value;
  Perform(CM_TEXTCHANGED);
}

void TWinControl::BoundsChanged() {
  // With a window, its WM_SIZE realigns.
  if (handle_) SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  else Realign();
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
  for (TControl* c : controls_) c->Perform(CM_PARENTFONTCHANGED);
}

HBRUSH TWinControl::BrushHandle() {
  if (!brush_ || brushColor_ != Color()) {
    if (brush_) DeleteObject(brush_);
    brushColor_ = Color();
    brush_ = CreateSolidBrush(ColorToRGB(brushColor_));
  }
  return brush_;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (handle_) m.Result = CallWindowProcA(defWndProc_ ? defWndProc_ : DefWindowProcA, handle_, m.Msg, m.WParam, m.LParam);
}

bool TWinControl::ReflectNotification(TMessage& m) {
  HWND child = nullptr;
  switch (m.Msg) {
    case WM_COMMAND: child = reinterpret_cast<HWND>(m.LParam); break;
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom; break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: child = reinterpret_cast<HWND>(m.LParam); break;
    case WM_DRAWITEM: child = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->hwndItem; break;
    default: return false;
  }
  TWinControl* target = FromHandle(child);
  if (!target || target == this) return false;
  m.Result = target->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}

void TWinControl::RouteMouse(TMessage& m) {
  POINT p{MessageX(m.LParam), MessageY(m.LParam)};
  TControl* target = nullptr;
  if (captureControl && captureControl->isGraphic_ && captureControl->Parent() == this) target = captureControl;
  else if (TControl* c = ControlAtPos(p); c && c->isGraphic_) target = c;
  if (m.Msg == WM_MOUSEMOVE && !TakesMouse(handle_)) {
    // Queued before a window it lies in was disabled (a click that opened a modal form).
    if (IsWithin(mouseControl, this)) UpdateMouseControl(nullptr);
  } else if (m.Msg == WM_MOUSEMOVE) {
    UpdateMouseControl(target ? target : this);
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, handle_, 0};
    TrackMouseEvent(&tme);
  }
  if (!target) return TControl::WndProc(m);
  LPARAM lp = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
  m.Result = target->Perform(m.Msg, m.WParam, lp);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : controls_) {
    if (!c->isGraphic_ || !c->Visible()) continue;
    int saved = SaveDC(dc);
    POINT old;
    OffsetViewportOrgEx(dc, c->Left(), c->Top(), &old);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::WndProc(TMessage& m) {
  if (ReflectNotification(m)) return;
  switch (m.Msg) {
    case CM_EXIT:
      if (OnExit) OnExit(this);
      return;
    case WM_PAINT:
      // Platform controls paint a given DC themselves (a skinner may hand them a bitmap's).
      if (ownPaint_) {
        PAINTSTRUCT ps;
        HDC given = reinterpret_cast<HDC>(m.WParam);
        HDC dc = given ? given : BeginPaint(handle_, &ps);
        RECT r;
        GetClientRect(handle_, &r);
        // Compose off screen, copy once.
        HDC mem = CreateCompatibleDC(dc);
        HBITMAP bmp = CreateCompatibleBitmap(dc, std::max<LONG>(r.right, 1), std::max<LONG>(r.bottom, 1));
        HGDIOBJ oldBmp = SelectObject(mem, bmp);
        FillRect(mem, &r, BrushHandle());
        try {
          PaintWindow(mem);
          PaintControls(mem);
        } catch (...) {
          SelectObject(mem, oldBmp);
          DeleteObject(bmp);
          DeleteDC(mem);
          if (!given) EndPaint(handle_, &ps);
          throw;
        }
        BitBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
        SelectObject(mem, oldBmp);
        DeleteObject(bmp);
        DeleteDC(mem);
        if (!given) EndPaint(handle_, &ps);
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (ownPaint_) {
        m.Result = 1;  // WM_PAINT fills the background itself
        return;
      }
      break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetTextColor(dc, ColorToRGB(Font()->Color()));
      SetBkColor(dc, ColorToRGB(Color()));
      m.Result = reinterpret_cast<LRESULT>(BrushHandle());
      return;
    }
    case WM_SETCURSOR:
      if (LOWORD(m.LParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ::ScreenToClient(handle_, &p);
        TControl* c = ControlAtPos(p);
        TCursor cursor = (c && c->isGraphic_) ? c->Cursor() : Cursor();
        if (cursor != crDefault) {
          ::SetCursor(CursorHandle(cursor));
          m.Result = TRUE;
          return;
        }
      }
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      RouteMouse(m);
      return;
    case WM_MOUSELEAVE:
      if (mouseControl == this || (mouseControl && mouseControl->isGraphic_ && mouseControl->Parent() == this))
        UpdateMouseControl(nullptr);
      break;
    case WM_ENABLE:
      // A disabled window gets no mouse, and the platform tells it of no leave: the control under
      // the mouse is left now (a modal form disables the others).
      if (!m.WParam && IsWithin(mouseControl, this)) UpdateMouseControl(nullptr);
      break;
    case WM_CAPTURECHANGED:
      if (captureControl && (captureControl == this || captureControl->Parent() == this) &&
          reinterpret_cast<HWND>(m.LParam) != handle_)
        captureControl = nullptr;
      break;
    case WM_SETFOCUS: {
      Perform(CM_GOTFOCUS);
      TControl::WndProc(m);
      TWinControl* top = this;
      while (top->Parent()) top = top->Parent();
      if (top != this) top->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
      return;
    }
    case CM_DIALOGCHAR:
      for (TControl* c : std::vector<TControl*>(controls_)) {
        m.Result = c->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
        if (m.Result) return;
      }
      break;
    case WM_KILLFOCUS:
      Perform(CM_LOSTFOCUS);
      break;
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(m.LParam);
      if (!(wp->flags & SWP_NOMOVE) || !(wp->flags & SWP_NOSIZE)) {
        RECT r;
        GetWindowRect(handle_, &r);
        HWND parent = GetParent(handle_);
        if (parent && (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_CHILD)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        // Record where the window really is, without moving it again.
        left_ = r.left;
        top_ = r.top;
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
        if (!anchorMove_) UpdateAnchorRules();
      }
      break;
    }
    case WM_SIZE:
      TControl::WndProc(m);
      Realign();
      return;
    case CM_RECREATEWND:
      if (m.WParam == 0 && handle_) {
        DestroyHandle();
        CreateHandle();
      }
      return;
    case CM_COLORCHANGED:
      for (TControl* c : controls_) c->Perform(CM_PARENTCOLORCHANGED);
      break;
    case CM_ENABLEDCHANGED:
      if (handle_) EnableWindow(handle_, Enabled());
      break;
    case CM_VISIBLECHANGED:
      if (handle_) ShowWindow(handle_, Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
      break;
    default:
      break;
  }
  TControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TCustomControl

DEFINE_CLASS(TCustomControl, TWinControl, ({}))

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), canvas_(new TCanvas) { ownPaint_ = true; }

TCustomControl::~TCustomControl() { delete canvas_; }

void TCustomControl::PaintWindow(HDC dc) {
  canvas_->SetHandle(dc);
  try {
    Paint();
  } catch (...) {
    canvas_->SetHandle(nullptr);
    throw;
  }
  canvas_->SetHandle(nullptr);
}
