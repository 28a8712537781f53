// The standard controls: label, edit, memo, button and list box.
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

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;

 private:
  int32_t maxLength_ = 0;  // 0: no limit
  bool readOnly_ = false;
  TBorderStyle borderStyle_ = bsSingle;
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

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  std::unique_ptr<TMemoStrings> lines_;
};

class TMemo : public TCustomMemo {
  DECLARE_CLASS(TMemo, TCustomMemo)
 public:
  using TCustomMemo::TCustomMemo;
};

class TButtonControl : public TWinControl {
  DECLARE_CLASS(TButtonControl, TWinControl)
 public:
  explicit TButtonControl(TComponent* AOwner);
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

 private:
  TModalResult modalResult_ = mrNone;
  bool default_ = false;
  bool cancel_ = false;
};

class TCustomListBox;

// The list box's items: the window's strings, or a list of their own while there is no window.
class TListBoxStrings : public TStrings {
  DECLARE_CLASS(TListBoxStrings, TStrings)
 public:
  explicit TListBoxStrings(TCustomListBox* ListBox) : listBox_(ListBox) {}
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
  HWND Wnd() const;
  TCustomListBox* listBox_;
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
