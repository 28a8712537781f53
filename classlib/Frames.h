// The frame and the scroll box: scrolling containers placed on forms. Scroll bars appear where
// the children reach past the client area, and scrolling moves the children.
#pragma once

#include "Forms.h"

class TCustomFrame : public TScrollingWinControl {
  DECLARE_CLASS(TCustomFrame, TScrollingWinControl)
 public:
  explicit TCustomFrame(TComponent* AOwner);
  void Loaded() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;

 private:
  bool scrolling_ = false;
};

class TFrame : public TCustomFrame {
  DECLARE_CLASS(TFrame, TCustomFrame)
 public:
  using TCustomFrame::TCustomFrame;
};

class TScrollBox : public TScrollingWinControl {
  DECLARE_CLASS(TScrollBox, TScrollingWinControl)
 public:
  explicit TScrollBox(TComponent* AOwner);
  void Loaded() override;
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;

 private:
  TBorderStyle borderStyle_ = bsSingle;
  bool scrolling_ = false;
};
