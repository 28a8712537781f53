// The standard controls: label, edit, memo, group box, buttons, check box, radio button, list box,
// combo box and scroll bar.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "Controls.h"
#include "Forms.h"
#include "StringList.h"

DECLARE_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)

// The form a control sits on, or null.
TCustomForm* GetParentForm(TControl* Control);

// Text painted on its parent's surface with DrawText.
class TCustomLabel : public TGraphicControl {
  DECLARE_CLASS(TCustomLabel, TGraphicControl)
 public:
  explicit TCustomLabel(TComponent* AOwner);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  // "&" underlines the next character; off, the caption shows as it stands.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool Value);
  void Loaded() override;

 protected:
  void WndProc(TMessage& Message) override;
  void Paint() override;

 private:
  UINT TextFlags() const;
  void AdjustBounds();
  bool autoSize_ = true;
  bool transparent_ = false;
  TAlignment alignment_ = taLeftJustify;
  bool showAccelChar_ = true;
};

class TLabel : public TCustomLabel {
  DECLARE_CLASS(TLabel, TCustomLabel)
 public:
  using TCustomLabel::TCustomLabel;
};

// A single-line EDIT; the memo makes it multi-line.
class TCustomEdit : public TWinControl {
  DECLARE_CLASS(TCustomEdit, TWinControl)
 public:
  explicit TCustomEdit(TComponent* AOwner);
  int32_t MaxLength() const { return maxLength_; }
  void SetMaxLength(int32_t Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  // A single-line edit entered other than by a click selects its whole text.
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool Value) { autoSelect_ = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& Message) override;

 private:
  int32_t maxLength_ = 0;  // 0: no limit
  bool readOnly_ = false;
  TBorderStyle borderStyle_ = bsSingle;
  bool autoSelect_ = true;
  bool pressed_ = false;  // a click is focusing the edit
};

class TEdit : public TCustomEdit {
  DECLARE_CLASS(TEdit, TCustomEdit)
 public:
  using TCustomEdit::TCustomEdit;
};

class TCustomMemo;

// The memo's lines, read from and written to the window (its text while there is none).
class TMemoStrings : public TStrings {
  DECLARE_CLASS(TMemoStrings, TStrings)
 public:
  explicit TMemoStrings(TCustomMemo* Memo) : memo_(Memo) {}
  int Count() const override;
  std::string Strings(int Index) const override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;
  std::string Text() const override;
  void SetText(const std::string& Value) override;

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  HWND Wnd() const;
  TCustomMemo* memo_;
};

class TCustomMemo : public TCustomEdit {
  DECLARE_CLASS(TCustomMemo, TCustomEdit)
 public:
  explicit TCustomMemo(TComponent* AOwner);
  TStrings* Lines() const { return lines_.get(); }
  // Tab and Return typed into the memo, or left to the form (the focus moves on, the default
  // button is pressed).
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool Value) { wantTabs_ = Value; }
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

 private:
  std::unique_ptr<TMemoStrings> lines_;
  bool wantTabs_ = false;
  bool wantReturns_ = true;
};

class TMemo : public TCustomMemo {
  DECLARE_CLASS(TMemo, TCustomMemo)
 public:
  using TCustomMemo::TCustomMemo;
};

// A BUTTON window; the mnemonic of its caption acts as a click on it.
class TButtonControl : public TWinControl {
  DECLARE_CLASS(TButtonControl, TWinControl)
 public:
  explicit TButtonControl(TComponent* AOwner);

 protected:
  void WndProc(TMessage& Message) override;
};

// A BUTTON: clicks come from its BN_CLICKED, not from the library's mouse logic.
class TButton : public TButtonControl {
  DECLARE_CLASS(TButton, TButtonControl)
 public:
  explicit TButton(TComponent* AOwner);
  // Sets the parent form's ModalResult, then OnClick.
  void Click() override;
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult Value) { modalResult_ = Value; }
  bool Default() const { return default_; }
  void SetDefault(bool Value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool Value) { cancel_ = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  // Shows the window as the default button or not; an owner-drawn button repaints instead.
  virtual void SetButtonStyle(bool ADefault);

 private:
  TModalResult modalResult_ = mrNone;
  bool default_ = false;
  bool cancel_ = false;
};

// The messages a list window (list box, combo box) takes for its strings.
struct TListMessages {
  UINT getCount, getTextLen, getText, getItemData, setItemData, insertString, deleteString, resetContent;
};
extern const TListMessages ListBoxMessages, ComboBoxMessages;

// A list window's items: the window's strings, or a list of their own while there is no window.
class TListBoxStrings : public TStrings {
  DECLARE_CLASS(TListBoxStrings, TStrings)
 public:
  TListBoxStrings(TWinControl* Control, const TListMessages& Messages) : control_(Control), msg_(Messages) {}
  int Count() const override;
  std::string Strings(int Index) const override;
  TObject* Objects(int Index) const override;
  void SetObject(int Index, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  friend class TCustomListBox;
  friend class TCustomComboBox;
  HWND Wnd() const;
  TWinControl* control_;
  const TListMessages& msg_;
  TStringList saved_;
};

class TCustomListBox : public TWinControl {
  DECLARE_CLASS(TCustomListBox, TWinControl)
 public:
  explicit TCustomListBox(TComponent* AOwner);
  TStrings* Items() const { return items_.get(); }
  int32_t ItemIndex();
  void SetItemIndex(int32_t Value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void DestroyWnd() override;

 private:
  std::unique_ptr<TListBoxStrings> items_;
  int32_t itemIndex_ = -1;
  TBorderStyle borderStyle_ = bsSingle;
};

class TListBox : public TCustomListBox {
  DECLARE_CLASS(TListBox, TCustomListBox)
 public:
  using TCustomListBox::TCustomListBox;
};

DECLARE_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)

// A three-state BUTTON; on its BN_CLICKED the library, not the platform, moves it to its next state.
class TCustomCheckBox : public TButtonControl {
  DECLARE_CLASS(TCustomCheckBox, TButtonControl)
 public:
  explicit TCustomCheckBox(TComponent* AOwner);
  TCheckBoxState State();
  // A change clicks the box (OnClick), except while it is read from a description.
  void SetState(TCheckBoxState Value);
  bool Checked() { return State() == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool Value) { allowGrayed_ = Value; }
  // taRightJustify: the caption right of the box; taLeftJustify: left of it.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  // Unchecked, checked, grayed (when allowed), unchecked...
  virtual void Toggle();

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  DECLARE_CLASS(TCheckBox, TCustomCheckBox)
 public:
  using TCustomCheckBox::TCustomCheckBox;
};

// A radio button: checking one unchecks the other radio buttons of its parent.
class TRadioButton : public TButtonControl {
  DECLARE_CLASS(TRadioButton, TButtonControl)
 public:
  explicit TRadioButton(TComponent* AOwner);
  bool Checked() const { return checked_; }
  // Checking clicks the button (OnClick), except while it is read from a description; only a
  // checked radio button is a tab stop.
  void SetChecked(bool Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& Message) override;

 private:
  bool checked_ = false;
  TAlignment alignment_ = taRightJustify;
};

// A frame with its caption on the top line, painted by the library; a container for controls.
class TCustomGroupBox : public TCustomControl {
  DECLARE_CLASS(TCustomGroupBox, TCustomControl)
 public:
  explicit TCustomGroupBox(TComponent* AOwner);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
  DECLARE_CLASS(TGroupBox, TCustomGroupBox)
 public:
  using TCustomGroupBox::TCustomGroupBox;
};

DECLARE_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList)

class TCustomComboBox : public TWinControl {
  DECLARE_CLASS(TCustomComboBox, TWinControl)
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  TStrings* Items() const { return items_.get(); }
  int32_t ItemIndex();
  void SetItemIndex(int32_t Value);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle Value);
  // Items the dropped-down list shows without scrolling.
  int32_t DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int32_t Value);
  bool DroppedDown();
  void SetDroppedDown(bool Value);

  // The text was edited or another item chosen.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void BoundsChanged() override;

 private:
  // A drop-down combo box's window is as high as its field and its list together.
  int DroppedHeight();
  std::unique_ptr<TListBoxStrings> items_;
  int32_t itemIndex_ = -1;
  TComboBoxStyle style_ = csDropDown;
  int32_t dropDownCount_ = 8;
};

class TComboBox : public TCustomComboBox {
  DECLARE_CLASS(TComboBox, TCustomComboBox)
 public:
  using TCustomComboBox::TCustomComboBox;
};

DECLARE_ENUM(TScrollBarKind, sbHorizontal, sbVertical)

// A SCROLLBAR control; its parent reflects WM_HSCROLL / WM_VSCROLL to it as CN_HSCROLL / CN_VSCROLL.
class TScrollBar : public TWinControl {
  DECLARE_CLASS(TScrollBar, TWinControl)
 public:
  explicit TScrollBar(TComponent* AOwner);
  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind Value);
  int32_t Min() const { return min_; }
  void SetMin(int32_t Value) { SetParams(position_, Value, max_); }
  int32_t Max() const { return max_; }
  void SetMax(int32_t Value) { SetParams(position_, min_, Value); }
  int32_t Position() const { return position_; }
  void SetPosition(int32_t Value) { SetParams(Value, min_, max_); }
  int32_t PageSize() const { return pageSize_; }
  void SetPageSize(int32_t Value);
  int32_t SmallChange() const { return smallChange_; }
  void SetSmallChange(int32_t Value) { smallChange_ = Value; }
  int32_t LargeChange() const { return largeChange_; }
  void SetLargeChange(int32_t Value) { largeChange_ = Value; }
  // Position brought into [AMin, AMax]; raises EInvalidOperation when AMax < AMin. The control
  // gets all of it in one SetScrollInfo.
  void SetParams(int32_t APosition, int32_t AMin, int32_t AMax);

  // The position changed, by the user or by the program.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& Message) override;

 private:
  void SetScrollInfo();
  void Scroll(WORD Code);
  TScrollBarKind kind_ = sbHorizontal;
  int32_t min_ = 0;
  int32_t max_ = 100;
  int32_t position_ = 0;
  int32_t pageSize_ = 0;
  int32_t smallChange_ = 1;
  int32_t largeChange_ = 1;
};
