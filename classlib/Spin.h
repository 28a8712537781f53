// The spin button (an up-down control) and the spin edit: an edit for whole numbers with one inside.
#pragma once

#include "StdCtrls.h"

class TSpinButton : public TWinControl {
  DECLARE_CLASS(TSpinButton, TWinControl)
 public:
  explicit TSpinButton(TComponent* AOwner);
  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& Message) override;
};

class TSpinEdit : public TCustomEdit {
  DECLARE_CLASS(TSpinEdit, TCustomEdit)
 public:
  explicit TSpinEdit(TComponent* AOwner);
  void Loaded() override;

  int32_t MinValue() const { return minValue_; }
  void SetMinValue(int32_t Value) { minValue_ = Value; }
  int32_t MaxValue() const { return maxValue_; }
  void SetMaxValue(int32_t Value) { maxValue_ = Value; }
  int32_t Increment() const { return increment_; }
  void SetIncrement(int32_t Value) { increment_ = Value; }
  // The number in the text as it stands, or MinValue when the text is not a number.
  int32_t Value();
  // Writes the value brought into the range.
  void SetValue(int32_t Value);
  TSpinButton* Button() const { return button_; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& Message) override;

 private:
  // Into [MinValue, MaxValue]; a range of one value (0 to 0 by default) means no range.
  int32_t CheckValue(int32_t Value) const;
  // As the platform's number field: digits, and a minus in front where the range goes below 0.
  bool IsValidChar(char Key);
  void Step(int32_t Delta);
  void UpClick(TObject*) { Step(increment_); }
  void DownClick(TObject*) { Step(-increment_); }
  void PlaceButton();

  int32_t minValue_ = 0;
  int32_t maxValue_ = 0;
  int32_t increment_ = 1;
  TSpinButton* button_;
};
