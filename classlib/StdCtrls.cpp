#include "StdCtrls.h"

#include <algorithm>
#include <cstring>

#include "GdiObject.h"
#include "Graphics.h"

// The outermost form: a form embedded in another acts through the one it lies on.
TCustomForm* GetParentForm(TControl* control) {
  TCustomForm* form = nullptr;
  for (; control; control = control->Parent())
    if (auto* f = As<TCustomForm>(control)) form = f;
  return form;
}

// ---------------------------------------------------------------------------------------------
// TCustomLabel

DEFINE_CLASS(TCustomLabel, TGraphicControl, ({}))
DEFINE_COMPONENT(TLabel, TCustomLabel,
                 ({Prop<&TControl::Caption, &TControl::SetCaption>("Caption"),
                   Prop<&TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize>("AutoSize"),
                   Prop<&TCustomLabel::Transparent, &TCustomLabel::SetTransparent>("Transparent"),
                   Prop<&TCustomLabel::Alignment, &TCustomLabel::SetAlignment>("Alignment"),
                   Prop<&TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar>("ShowAccelChar")}),
                 ({}))

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TCustomLabel::SetAutoSize(bool value) {
  autoSize_ = value;
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (showAccelChar_ == value) return;
  showAccelChar_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  Invalidate();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

UINT TCustomLabel::TextFlags() const {
  UINT flags = DT_EXPANDTABS | (showAccelChar_ ? 0 : DT_NOPREFIX);
  if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  else if (alignment_ == taCenter) flags |= DT_CENTER;
  return flags;
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || ComponentState().Contains(csLoading)) return;
  std::string text = Caption();
  if (text.empty()) text = " ";  // an empty label keeps the height of a line
  DeviceContext dc;
  SelectedObject font(dc.get(), Font()->Handle());
  RECT r{0, 0, 0, 0};
  DrawTextA(dc.get(), text.c_str(), -1, &r, TextFlags() | DT_CALCRECT);
  int width = Caption().empty() ? 0 : r.right;
  int left = alignment_ == taRightJustify ? Left() + Width() - width : Left();
  SetBounds(left, Top(), width, r.bottom);
}

void TCustomLabel::WndProc(TMessage& m) {
  TGraphicControl::WndProc(m);
  if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_FONTCHANGED) AdjustBounds();
}

void TCustomLabel::Paint() {
  HDC dc = Canvas()->Handle();
  RECT r = ClientRect();
  if (!transparent_) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color())));
    FillRect(dc, &r, brush.get());
  }
  SelectedObject font(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
  std::string text = Caption();
  DrawTextA(dc, text.c_str(), -1, &r, TextFlags());
}

// ---------------------------------------------------------------------------------------------
// TCustomEdit

DEFINE_CLASS(TCustomEdit, TWinControl, ({}))
DEFINE_COMPONENT(TEdit, TCustomEdit,
                 ({Prop<&TControl::Text, &TControl::SetTextProp>("Text"),
                   Prop<&TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect>("AutoSelect"),
                   Prop<&TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength>("MaxLength"),
                   Prop<&TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly>("ReadOnly"),
                   Prop<&TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle>("BorderStyle", &BorderStyleType)}),
                 ({}))

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "EDIT";
  p.Style = (p.Style & ~WS_CLIPCHILDREN) | ES_AUTOHSCROLL;
  if (readOnly_) p.Style |= ES_READONLY;
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::InitializeWnd() {
  if (maxLength_) SendMessageA(Handle(), EM_LIMITTEXT, maxLength_, 0);
}

void TCustomEdit::SetMaxLength(int32_t value) {
  maxLength_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, value, 0);
}

void TCustomEdit::SetReadOnly(bool value) {
  readOnly_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
      // The press focuses the edit inside the platform's handling, and places the caret.
      pressed_ = true;
      try {
        TWinControl::WndProc(m);
      } catch (...) {
        pressed_ = false;
        throw;
      }
      pressed_ = false;
      return;
    case CM_ENTER:
      if (autoSelect_ && !pressed_ && !(GetWindowLongPtrA(Handle(), GWL_STYLE) & ES_MULTILINE))
        SendMessageA(Handle(), EM_SETSEL, 0, -1);
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TCustomMemo

namespace {
// The edit control breaks lines only at CR LF.
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}
}  // namespace

DEFINE_CLASS(TMemoStrings, TStrings, ({}))

HWND TMemoStrings::Wnd() const { return memo_->HandleAllocated() ? memo_->Handle() : nullptr; }

int TMemoStrings::Count() const {
  HWND wnd = Wnd();
  if (!wnd) {
    TStringList list;
    list.SetText(memo_->Text());
    return list.Count();
  }
  // The line after a final line break is empty and is no string of the list.
  int n = static_cast<int>(SendMessageA(wnd, EM_GETLINECOUNT, 0, 0));
  LRESULT last = SendMessageA(wnd, EM_LINEINDEX, n - 1, 0);
  if (SendMessageA(wnd, EM_LINELENGTH, last, 0) == 0) --n;
  return n;
}

std::string TMemoStrings::Strings(int index) const {
  if (index < 0 || index >= Count()) Error(index);
  HWND wnd = Wnd();
  if (!wnd) {
    TStringList list;
    list.SetText(memo_->Text());
    return list.Strings(index);
  }
  LRESULT start = SendMessageA(wnd, EM_LINEINDEX, index, 0);
  WORD length = static_cast<WORD>(SendMessageA(wnd, EM_LINELENGTH, start, 0));
  if (length == 0) return {};
  std::string line(std::max<size_t>(length, sizeof(WORD)), '\0');
  memcpy(&line[0], &length, sizeof length);  // EM_GETLINE reads the buffer's size from its first word
  LRESULT n = SendMessageA(wnd, EM_GETLINE, index, reinterpret_cast<LPARAM>(&line[0]));
  line.resize(static_cast<size_t>(n));
  return line;
}

void TMemoStrings::Insert(int index, const std::string& s) {
  int count = Count();
  if (index < 0 || index > count) Error(index);
  HWND wnd = Wnd();
  if (!wnd) {
    TStringList list;
    list.SetText(memo_->Text());
    list.Insert(index, s);
    memo_->SetText(list.Text());
    return;
  }
  LRESULT pos;
  std::string text = s + "\r\n";
  if (index < count) {
    pos = SendMessageA(wnd, EM_LINEINDEX, index, 0);
  } else {
    pos = GetWindowTextLengthA(wnd);
    // A last line without its line break gets one first.
    if (SendMessageA(wnd, EM_GETLINECOUNT, 0, 0) == count) text = "\r\n" + text;
  }
  SendMessageA(wnd, EM_SETSEL, pos, pos);
  SendMessageA(wnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TMemoStrings::Delete(int index) {
  if (index < 0 || index >= Count()) Error(index);
  HWND wnd = Wnd();
  if (!wnd) {
    TStringList list;
    list.SetText(memo_->Text());
    list.Delete(index);
    memo_->SetText(list.Text());
    return;
  }
  LRESULT start = SendMessageA(wnd, EM_LINEINDEX, index, 0);
  LRESULT end = SendMessageA(wnd, EM_LINEINDEX, index + 1, 0);
  if (end < 0) end = GetWindowTextLengthA(wnd);
  SendMessageA(wnd, EM_SETSEL, start, end);
  SendMessageA(wnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
}

void TMemoStrings::Clear() { memo_->SetText(""); }

std::string TMemoStrings::Text() const { return memo_->Text(); }

void TMemoStrings::SetText(const std::string& value) { memo_->SetText(WithCrLf(value)); }

void TMemoStrings::SetUpdateState(bool updating) {
  HWND wnd = Wnd();
  if (!wnd) return;
  SendMessageA(wnd, WM_SETREDRAW, !updating, 0);
  if (!updating) InvalidateRect(wnd, nullptr, TRUE);
}

DEFINE_CLASS(TCustomMemo, TCustomEdit, ({}))
DEFINE_COMPONENT(TMemo, TCustomMemo,
                 ({PropRO<&TCustomMemo::Lines>("Lines"),
                   Prop<&TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength>("MaxLength"),
                   Prop<&TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly>("ReadOnly"),
                   Prop<&TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle>("BorderStyle", &BorderStyleType),
                   Prop<&TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns>("WantReturns"),
                   Prop<&TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs>("WantTabs")}),
                 ({}))

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), lines_(new TMemoStrings(this)) {
  SetBounds(0, 0, 185, 89);
}

void TCustomMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style = (p.Style & ~ES_AUTOHSCROLL) | ES_MULTILINE | ES_AUTOVSCROLL | (wantReturns_ ? ES_WANTRETURN : 0);
}

void TCustomMemo::SetWantReturns(bool value) {
  wantReturns_ = value;
  SetWindowStyle(ES_WANTRETURN, value);
}

void TCustomMemo::WndProc(TMessage& m) {
  if (m.Msg != WM_GETDLGCODE) return TCustomEdit::WndProc(m);
  // The edit is asked without the message: given one, it takes itself to be in a dialog and acts
  // on Tab, Return and Escape itself. It asks for every key; the memo keeps Tab and Return only
  // where it wants them.
  const auto* key = reinterpret_cast<const MSG*>(m.LParam);
  m.LParam = 0;
  TCustomEdit::WndProc(m);
  m.LParam = reinterpret_cast<LPARAM>(key);
  const bool tab = key && key->message == WM_KEYDOWN && key->wParam == VK_TAB;
  if (wantTabs_) m.Result |= DLGC_WANTTAB;
  else m.Result &= ~DLGC_WANTTAB;
  if (!wantReturns_ || (tab && !wantTabs_)) m.Result &= ~DLGC_WANTALLKEYS;
}

// ---------------------------------------------------------------------------------------------
// TButton

DEFINE_CLASS(TButtonControl, TWinControl, ({}))

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TButtonControl::WndProc(TMessage& m) {
  if (m.Msg == CM_DIALOGCHAR && IsAccel(static_cast<UINT>(m.WParam), Caption()) && CanFocus()) {
    Perform(CN_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(Handle()));
    m.Result = 1;
    return;
  }
  TWinControl::WndProc(m);
}

DEFINE_COMPONENT(TButton, TButtonControl,
                 ({Prop<&TControl::Caption, &TControl::SetCaption>("Caption"),
                   Prop<&TButton::ModalResult, &TButton::SetModalResult>("ModalResult"),
                   Prop<&TButton::Default, &TButton::SetDefault>("Default"),
                   Prop<&TButton::Cancel, &TButton::SetCancel>("Cancel")}),
                 ({}))

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  clickEvents_ = false;  // the BUTTON reports its clicks itself
  SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.SystemClass = "BUTTON";
  p.Style = (p.Style & ~WS_CLIPCHILDREN) | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::SetDefault(bool value) {
  default_ = value;
  SetButtonStyle(value);
}

void TButton::SetButtonStyle(bool isDefault) {
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (modalResult_ != mrNone)
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TButtonControl::Click();
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY: {
      // Return goes to the focused button, or to the default one when no button has the focus.
      TButton* focused = As<TButton>(FromHandle(GetFocus()));
      bool active = focused ? focused == this : default_;
      if (((m.WParam == VK_RETURN && active) || (m.WParam == VK_ESCAPE && cancel_)) && CanFocus()) {
        Click();
        m.Result = 1;
        return;
      }
      break;
    }
    default:
      break;
  }
  TButtonControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TCustomListBox

DEFINE_CLASS(TListBoxStrings, TStrings, ({}))

const TListMessages ListBoxMessages{LB_GETCOUNT,    LB_GETTEXTLEN,    LB_GETTEXT,    LB_GETITEMDATA,
                                    LB_SETITEMDATA, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT};
const TListMessages ComboBoxMessages{CB_GETCOUNT,    CB_GETLBTEXTLEN,  CB_GETLBTEXT,   CB_GETITEMDATA,
                                     CB_SETITEMDATA, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT};

HWND TListBoxStrings::Wnd() const { return control_->HandleAllocated() ? control_->Handle() : nullptr; }

int TListBoxStrings::Count() const {
  HWND wnd = Wnd();
  return wnd ? static_cast<int>(SendMessageA(wnd, msg_.getCount, 0, 0)) : saved_.Count();
}

std::string TListBoxStrings::Strings(int index) const {
  HWND wnd = Wnd();
  if (!wnd) return saved_.Strings(index);
  if (index < 0 || index >= Count()) Error(index);
  std::string s(static_cast<size_t>(SendMessageA(wnd, msg_.getTextLen, index, 0)) + 1, '\0');
  LRESULT n = SendMessageA(wnd, msg_.getText, index, reinterpret_cast<LPARAM>(&s[0]));
  s.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return s;
}

TObject* TListBoxStrings::Objects(int index) const {
  HWND wnd = Wnd();
  if (!wnd) return saved_.Objects(index);
  if (index < 0 || index >= Count()) Error(index);
  return reinterpret_cast<TObject*>(SendMessageA(wnd, msg_.getItemData, index, 0));
}

void TListBoxStrings::SetObject(int index, TObject* object) {
  HWND wnd = Wnd();
  if (!wnd) return saved_.SetObject(index, object);
  if (index < 0 || index >= Count()) Error(index);
  SendMessageA(wnd, msg_.setItemData, index, reinterpret_cast<LPARAM>(object));
}

void TListBoxStrings::Insert(int index, const std::string& s) {
  HWND wnd = Wnd();
  if (!wnd) return saved_.Insert(index, s);
  if (index < 0 || index > Count()) Error(index);
  LRESULT r = SendMessageA(wnd, msg_.insertString, index, reinterpret_cast<LPARAM>(s.c_str()));
  if (r < 0) throw EStringListError("The list refused a string");  // LB_ERR, LB_ERRSPACE and their CB_ twins
}

void TListBoxStrings::Delete(int index) {
  HWND wnd = Wnd();
  if (!wnd) return saved_.Delete(index);
  if (index < 0 || index >= Count()) Error(index);
  SendMessageA(wnd, msg_.deleteString, index, 0);
}

void TListBoxStrings::Clear() {
  HWND wnd = Wnd();
  if (!wnd) return saved_.Clear();
  SendMessageA(wnd, msg_.resetContent, 0, 0);
}

void TListBoxStrings::SetUpdateState(bool updating) {
  if (HWND wnd = Wnd()) SendMessageA(wnd, WM_SETREDRAW, !updating, 0);
}

DEFINE_CLASS(TCustomListBox, TWinControl, ({}))
DEFINE_COMPONENT(TListBox, TCustomListBox,
                 ({PropRO<&TCustomListBox::Items>("Items"),
                   Prop<&TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle>("BorderStyle", &BorderStyleType)}),
                 ({}))

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner), items_(new TListBoxStrings(this, ListBoxMessages)) {
  SetBounds(0, 0, 121, 97);
  SetColor(clWindow);
  SetTabStop(true);
}

void TCustomListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "LISTBOX";
  p.Style = (p.Style & ~WS_CLIPCHILDREN) | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::InitializeWnd() {
  TStringList& saved = items_->saved_;
  for (int i = 0; i < saved.Count(); ++i) {
    SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(saved.Strings(i).c_str()));
    SendMessageA(Handle(), LB_SETITEMDATA, i, reinterpret_cast<LPARAM>(saved.Objects(i)));
  }
  saved.Clear();
  SendMessageA(Handle(), LB_SETCURSEL, itemIndex_, 0);
}

void TCustomListBox::DestroyWnd() {
  TStringList& saved = items_->saved_;
  saved.Clear();
  for (int i = 0, n = items_->Count(); i < n; ++i) saved.AddObject(items_->Strings(i), items_->Objects(i));
  itemIndex_ = static_cast<int32_t>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
  TWinControl::DestroyWnd();
}

int32_t TCustomListBox::ItemIndex() {
  return HandleAllocated() ? static_cast<int32_t>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0)) : itemIndex_;
}

void TCustomListBox::SetItemIndex(int32_t value) {
  itemIndex_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), LB_SETCURSEL, value, 0);
}

void TCustomListBox::SetBorderStyle(TBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  RecreateWnd();
}

// ---------------------------------------------------------------------------------------------
// TCustomCheckBox

namespace {
// Which side of the box the caption lies on.
DWORD AlignmentStyle(TAlignment alignment) { return alignment == taLeftJustify ? BS_LEFTTEXT : 0; }
}  // namespace

DEFINE_CLASS(TCustomCheckBox, TButtonControl, ({}))
DEFINE_COMPONENT(TCheckBox, TCustomCheckBox,
                 ({Prop<&TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment>("Alignment"),
                   Prop<&TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed>("AllowGrayed"),
                   Prop<&TControl::Caption, &TControl::SetCaption>("Caption"),
                   Prop<&TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked>("Checked"),
                   Prop<&TCustomCheckBox::State, &TCustomCheckBox::SetState>("State")}),
                 ({}))

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  clickEvents_ = false;  // the BUTTON reports its clicks itself
  SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.SystemClass = "BUTTON";
  p.Style = (p.Style & ~WS_CLIPCHILDREN) | BS_3STATE | AlignmentStyle(alignment_);
}

void TCustomCheckBox::InitializeWnd() { SendMessageA(Handle(), BM_SETCHECK, state_, 0); }

void TCustomCheckBox::DestroyWnd() {
  state_ = State();
  TButtonControl::DestroyWnd();
}

TCheckBoxState TCustomCheckBox::State() {
  if (!HandleAllocated()) return state_;
  return static_cast<TCheckBoxState>(SendMessageA(Handle(), BM_GETCHECK, 0, 0));
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
  if (State() == value) return;
  state_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, value, 0);
  if (!ComponentState().Contains(csLoading)) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  RecreateWnd();
}

void TCustomCheckBox::Toggle() {
  switch (State()) {
    case cbUnchecked: SetState(cbChecked); break;
    case cbChecked: SetState(allowGrayed_ ? cbGrayed : cbUnchecked); break;
    default: SetState(cbUnchecked); break;
  }
}

void TCustomCheckBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == BN_CLICKED) Toggle();
    return;
  }
  TButtonControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TRadioButton

DEFINE_COMPONENT(TRadioButton, TButtonControl,
                 ({Prop<&TRadioButton::Alignment, &TRadioButton::SetAlignment>("Alignment"),
                   Prop<&TControl::Caption, &TControl::SetCaption>("Caption"),
                   Prop<&TRadioButton::Checked, &TRadioButton::SetChecked>("Checked")}),
                 ({}))

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  clickEvents_ = false;  // the BUTTON reports its clicks itself
  SetTabStop(false);
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.SystemClass = "BUTTON";
  p.Style = (p.Style & ~WS_CLIPCHILDREN) | BS_RADIOBUTTON | AlignmentStyle(alignment_);
}

void TRadioButton::InitializeWnd() { SendMessageA(Handle(), BM_SETCHECK, checked_, 0); }

void TRadioButton::SetChecked(bool value) {
  if (checked_ == value) return;
  checked_ = value;
  SetTabStop(value);
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, value, 0);
  if (!value) return;
  if (Parent()) {
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto* other = As<TRadioButton>(Parent()->Controls(i)); other && other != this) other->SetChecked(false);
  }
  if (!ComponentState().Contains(csLoading)) Click();
}

void TRadioButton::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  RecreateWnd();
}

void TRadioButton::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == BN_CLICKED) SetChecked(true);
    return;
  }
  TButtonControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TCustomGroupBox

DEFINE_CLASS(TCustomGroupBox, TCustomControl, ({}))
DEFINE_COMPONENT(TGroupBox, TCustomGroupBox, ({Prop<&TControl::Caption, &TControl::SetCaption>("Caption")}), ({}))

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 105); }

void TCustomGroupBox::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.ExStyle |= WS_EX_CONTROLPARENT;
  p.WindowClass.style |= CS_HREDRAW | CS_VREDRAW;  // the frame follows the size
}

void TCustomGroupBox::WndProc(TMessage& m) {
  TCustomControl::WndProc(m);
  if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_FONTCHANGED) Invalidate();
}

void TCustomGroupBox::Paint() {
  HDC dc = Canvas()->Handle();
  SelectedObject font(dc, Font()->Handle());
  SIZE zero;
  GetTextExtentPoint32A(dc, "0", 1, &zero);
  int h = zero.cy;
  // An etched frame whose top runs through the middle of the caption line.
  RECT r{1, h / 2, Width(), Height()};
  FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  OffsetRect(&r, -1, -1);
  FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
  std::string text = Caption();
  if (text.empty()) return;
  // 8 pixels in from the leading end of the frame: the right one when aligned right to left.
  SIZE extent;
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  const int left = UseRightToLeftAlignment() ? r.right - extent.cx - 8 : 8;
  RECT tr{left, 0, left, h};
  const UINT flags = DrawTextBiDiModeFlags(DT_SINGLELINE);
  DrawTextA(dc, text.c_str(), -1, &tr, flags | DT_CALCRECT);
  // On the group box's colour, so that the frame line stops at the caption.
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ColorToRGB(Color()));
  SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
  DrawTextA(dc, text.c_str(), -1, &tr, flags);
}

// ---------------------------------------------------------------------------------------------
// TCustomComboBox

namespace {
const DWORD kComboStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
}

DEFINE_CLASS(TCustomComboBox, TWinControl, ({}))
DEFINE_COMPONENT(TComboBox, TCustomComboBox,
                 ({Prop<&TCustomComboBox::Style, &TCustomComboBox::SetStyle>("Style"),
                   Prop<&TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount>("DropDownCount"),
                   PropRO<&TCustomComboBox::Items>("Items"),
                   Prop<&TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex>("ItemIndex"),
                   Prop<&TControl::Text, &TControl::SetTextProp>("Text"),
                   Field<&TCustomComboBox::OnChange>("OnChange")}),
                 ({}))

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(new TListBoxStrings(this, ComboBoxMessages)) {
  SetBounds(0, 0, 145, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

void TCustomComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "COMBOBOX";
  p.Style = (p.Style & ~WS_CLIPCHILDREN) | kComboStyles[style_] | CBS_AUTOHSCROLL | WS_VSCROLL;
  if (style_ != csSimple) p.Height = DroppedHeight();
}

int TCustomComboBox::DroppedHeight() {
  int item = HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), CB_GETITEMHEIGHT, 0, 0)) : 16;
  return Height() + dropDownCount_ * item + 2;
}

void TCustomComboBox::BoundsChanged() {
  if (!HandleAllocated() || style_ == csSimple) return TWinControl::BoundsChanged();
  SetWindowPos(Handle(), nullptr, Left(), Top(), Width(), DroppedHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::InitializeWnd() {
  TStringList& saved = items_->saved_;
  for (int i = 0; i < saved.Count(); ++i) {
    SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(saved.Strings(i).c_str()));
    SendMessageA(Handle(), CB_SETITEMDATA, i, reinterpret_cast<LPARAM>(saved.Objects(i)));
  }
  saved.Clear();
  if (itemIndex_ >= 0) SendMessageA(Handle(), CB_SETCURSEL, itemIndex_, 0);
}

void TCustomComboBox::DestroyWnd() {
  TStringList& saved = items_->saved_;
  saved.Clear();
  for (int i = 0, n = items_->Count(); i < n; ++i) saved.AddObject(items_->Strings(i), items_->Objects(i));
  itemIndex_ = static_cast<int32_t>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
  TWinControl::DestroyWnd();
}

int32_t TCustomComboBox::ItemIndex() {
  return HandleAllocated() ? static_cast<int32_t>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)) : itemIndex_;
}

void TCustomComboBox::SetItemIndex(int32_t value) {
  itemIndex_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), CB_SETCURSEL, value, 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
  if (style_ == value) return;
  style_ = value;
  RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int32_t value) {
  dropDownCount_ = value;
  BoundsChanged();
}

bool TCustomComboBox::DroppedDown() {
  return HandleAllocated() && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value) { SendMessageA(Handle(), CB_SHOWDROPDOWN, value, 0); }

void TCustomComboBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    switch (HIWORD(m.WParam)) {
      case CBN_SELCHANGE:
        Click();
        [[fallthrough]];
      case CBN_EDITCHANGE:
        if (OnChange) OnChange(this);
        break;
      default:
        break;
    }
    return;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TScrollBar

DEFINE_COMPONENT(TScrollBar, TWinControl,
                 ({Prop<&TScrollBar::Kind, &TScrollBar::SetKind>("Kind"),
                   Prop<&TScrollBar::LargeChange, &TScrollBar::SetLargeChange>("LargeChange"),
                   Prop<&TScrollBar::Max, &TScrollBar::SetMax>("Max"),
                   Prop<&TScrollBar::Min, &TScrollBar::SetMin>("Min"),
                   Prop<&TScrollBar::PageSize, &TScrollBar::SetPageSize>("PageSize"),
                   Prop<&TScrollBar::Position, &TScrollBar::SetPosition>("Position"),
                   Prop<&TScrollBar::SmallChange, &TScrollBar::SetSmallChange>("SmallChange"),
                   Field<&TScrollBar::OnChange>("OnChange")}),
                 ({}))

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "SCROLLBAR";
  p.Style = (p.Style & ~WS_CLIPCHILDREN) | (kind_ == sbHorizontal ? SBS_HORZ : SBS_VERT);
}

void TScrollBar::InitializeWnd() { SetScrollInfo(); }

void TScrollBar::SetScrollInfo() {
  if (!HandleAllocated()) return;
  SCROLLINFO si{sizeof si, SIF_ALL, min_, max_, static_cast<UINT>(pageSize_), position_, 0};
  ::SetScrollInfo(Handle(), SB_CTL, &si, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind value) {
  if (kind_ == value) return;
  kind_ = value;
  if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::SetParams(int32_t position, int32_t min, int32_t max) {
  if (max < min) throw EInvalidOperation("Scroll bar property out of range");
  position = std::clamp(position, min, max);
  if (position == position_ && min == min_ && max == max_) return;
  bool moved = position != position_;
  position_ = position;
  min_ = min;
  max_ = max;
  SetScrollInfo();
  if (moved && OnChange) OnChange(this);
}

void TScrollBar::SetPageSize(int32_t value) {
  if (pageSize_ == value) return;
  pageSize_ = value;
  SetScrollInfo();
}

void TScrollBar::Scroll(WORD code) {
  int32_t position = position_;
  switch (code) {
    case SB_LINEUP: position -= smallChange_; break;
    case SB_LINEDOWN: position += smallChange_; break;
    case SB_PAGEUP: position -= largeChange_; break;
    case SB_PAGEDOWN: position += largeChange_; break;
    case SB_TOP: position = min_; break;
    case SB_BOTTOM: position = max_; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(Handle(), SB_CTL, &si);  // 32 bits, where the message carries only 16
      position = si.nTrackPos;
      break;
    }
    default: return;
  }
  // Within a page of the end, as the control lets the thumb go.
  if (pageSize_ > 0) position = std::min(position, std::max(min_, max_ - pageSize_ + 1));
  SetPosition(position);
}

void TScrollBar::WndProc(TMessage& m) {
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    Scroll(LOWORD(m.WParam));
    return;
  }
  TWinControl::WndProc(m);
}
