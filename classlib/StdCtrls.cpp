#include "StdCtrls.h"

#include <algorithm>
#include <cstring>

#include "GdiObject.h"
#include "Graphics.h"

TCustomForm* GetParentForm(TControl* control) {
  while (control && !control->Is<TCustomForm>()) control = control->Parent();
  return static_cast<TCustomForm*>(control);
}

// ---------------------------------------------------------------------------------------------
// TCustomLabel

DEFINE_CLASS(TCustomLabel, TGraphicControl, ({}))
DEFINE_COMPONENT(TLabel, TCustomLabel,
                 ({Prop<&TControl::Caption, &TControl::SetCaption>("Caption"),
                   Prop<&TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize>("AutoSize"),
                   Prop<&TCustomLabel::Transparent, &TCustomLabel::SetTransparent>("Transparent"),
                   Prop<&TCustomLabel::Alignment, &TCustomLabel::SetAlignment>("Alignment")}),
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
  UINT flags = DT_EXPANDTABS;
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
                   Prop<&TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle>("BorderStyle", &BorderStyleType)}),
                 ({}))

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), lines_(new TMemoStrings(this)) {
  SetBounds(0, 0, 185, 89);
}

void TCustomMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style = (p.Style & ~ES_AUTOHSCROLL) | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
}

// ---------------------------------------------------------------------------------------------
// TButton

DEFINE_CLASS(TButtonControl, TWinControl, ({}))

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

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
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
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

HWND TListBoxStrings::Wnd() const { return listBox_->HandleAllocated() ? listBox_->Handle() : nullptr; }

int TListBoxStrings::Count() const {
  HWND wnd = Wnd();
  return wnd ? static_cast<int>(SendMessageA(wnd, LB_GETCOUNT, 0, 0)) : saved_.Count();
}

std::string TListBoxStrings::Strings(int index) const {
  HWND wnd = Wnd();
  if (!wnd) return saved_.Strings(index);
  if (index < 0 || index >= Count()) Error(index);
  std::string s(static_cast<size_t>(SendMessageA(wnd, LB_GETTEXTLEN, index, 0)) + 1, '\0');
  LRESULT n = SendMessageA(wnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&s[0]));
  s.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return s;
}

TObject* TListBoxStrings::Objects(int index) const {
  HWND wnd = Wnd();
  if (!wnd) return saved_.Objects(index);
  if (index < 0 || index >= Count()) Error(index);
  return reinterpret_cast<TObject*>(SendMessageA(wnd, LB_GETITEMDATA, index, 0));
}

void TListBoxStrings::SetObject(int index, TObject* object) {
  HWND wnd = Wnd();
  if (!wnd) return saved_.SetObject(index, object);
  if (index < 0 || index >= Count()) Error(index);
  SendMessageA(wnd, LB_SETITEMDATA, index, reinterpret_cast<LPARAM>(object));
}

void TListBoxStrings::Insert(int index, const std::string& s) {
  HWND wnd = Wnd();
  if (!wnd) return saved_.Insert(index, s);
  if (index < 0 || index > Count()) Error(index);
  LRESULT r = SendMessageA(wnd, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(s.c_str()));
  if (r == LB_ERR || r == LB_ERRSPACE) throw EStringListError("The list box refused a string");
}

void TListBoxStrings::Delete(int index) {
  HWND wnd = Wnd();
  if (!wnd) return saved_.Delete(index);
  if (index < 0 || index >= Count()) Error(index);
  SendMessageA(wnd, LB_DELETESTRING, index, 0);
}

void TListBoxStrings::Clear() {
  HWND wnd = Wnd();
  if (!wnd) return saved_.Clear();
  SendMessageA(wnd, LB_RESETCONTENT, 0, 0);
}

void TListBoxStrings::SetUpdateState(bool updating) {
  if (HWND wnd = Wnd()) SendMessageA(wnd, WM_SETREDRAW, !updating, 0);
}

DEFINE_CLASS(TCustomListBox, TWinControl, ({}))
DEFINE_COMPONENT(TListBox, TCustomListBox,
                 ({PropRO<&TCustomListBox::Items>("Items"),
                   Prop<&TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle>("BorderStyle", &BorderStyleType)}),
                 ({}))

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner), items_(new TListBoxStrings(this)) {
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
