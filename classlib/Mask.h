// The mask edit: an edit that keeps an edit mask. The mask is stored, not applied.
#pragma once

#include "StdCtrls.h"

class TCustomMaskEdit : public TCustomEdit {
  DECLARE_CLASS(TCustomMaskEdit, TCustomEdit)
 public:
  using TCustomEdit::TCustomEdit;
  std::string EditMask() const { return editMask_; }
  void SetEditMask(std::string Value) { editMask_ = std::move(Value); }

 private:
  std::string editMask_;
};

class TMaskEdit : public TCustomMaskEdit {
  DECLARE_CLASS(TMaskEdit, TCustomMaskEdit)
 public:
  using TCustomMaskEdit::TCustomMaskEdit;
};
