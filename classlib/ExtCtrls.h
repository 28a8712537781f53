// The panel: a surface of its own with bevels and a centred caption.
#pragma once

#include "Controls.h"

DECLARE_ENUM(TPanelBevel, bvNone, bvLowered, bvRaised, bvSpace)

class TCustomPanel : public TCustomControl {
  DECLARE_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* AOwner);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel Value);
  int32_t BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int32_t Value);
  int32_t BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int32_t Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void Paint() override;

 private:
  TPanelBevel bevelInner_ = bvNone;
  TPanelBevel bevelOuter_ = bvRaised;
  int32_t bevelWidth_ = 1;
  int32_t borderWidth_ = 0;
};

class TPanel : public TCustomPanel {
  DECLARE_CLASS(TPanel, TCustomPanel)
 public:
  using TCustomPanel::TCustomPanel;
};
