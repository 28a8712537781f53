// The speed button, a graphic control with its own click logic, and the bitmap button, a push
// button the library paints; both lay out a glyph and a caption.
#pragma once

#include <memory>

#include "ButtonLayout.h"
#include "Controls.h"
#include "Graphics.h"
#include "StdCtrls.h"

class TSpeedButton : public TGraphicControl {
  DECLARE_CLASS(TSpeedButton, TGraphicControl)
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  bool Flat() const { return flat_; }
  void SetFlat(bool Value);
  // Stays pressed; only a button of a group (GroupIndex other than 0) can be down.
  bool Down() const { return down_; }
  void SetDown(bool Value);
  int32_t GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int32_t Value) { groupIndex_ = Value; }
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool Value) { allowAllUp_ = Value; }
  // Up to four images side by side: up, disabled, pressed, down.
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* Value) { glyph_->Assign(Value); }
  int32_t NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int32_t Value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout Value);
  // Pixels from the edge to the glyph and from the glyph to the caption; -1 is automatic
  // (CalcButtonLayout). Values below -1 are ignored; a change repaints.
  int32_t Margin() const { return margin_; }
  void SetMargin(int32_t Value);
  int32_t Spacing() const { return spacing_; }
  void SetSpacing(int32_t Value);
  // A flat button lets its parent show through instead of filling itself with Color.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  // Pressed and drawn so while the left button is held over it.
  bool Pressed() const { return pressed_; }

 protected:
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Paint() override;

 private:
  void GlyphChanged(TObject*) { Invalidate(); }
  bool Inside(int X, int Y) const { return X >= 0 && Y >= 0 && X < Width() && Y < Height(); }

  std::unique_ptr<TBitmap> glyph_;
  bool flat_ = false;
  bool transparent_ = true;
  bool down_ = false;
  int32_t groupIndex_ = 0;
  bool allowAllUp_ = false;
  int32_t numGlyphs_ = 1;
  TButtonLayout layout_ = blGlyphLeft;
  int32_t margin_ = -1;
  int32_t spacing_ = 4;
  bool dragging_ = false;  // the left button went down on it and is still held
  bool pressed_ = false;
  bool mouseInside_ = false;
};

DECLARE_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll)

// An owner-drawn BUTTON: the library paints its face, glyph and caption; clicks stay the platform's.
class TBitBtn : public TButton {
  DECLARE_CLASS(TBitBtn, TButton)
 public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;
  // A bkClose button closes its form instead of clicking.
  void Click() override;

  // Up to four images side by side: up, disabled, pressed, down.
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* Value) { glyph_->Assign(Value); }
  int32_t NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int32_t Value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout Value);
  // As the speed button's: -1 automatic, below -1 ignored, a change repaints.
  int32_t Margin() const { return margin_; }
  void SetMargin(int32_t Value);
  int32_t Spacing() const { return spacing_; }
  void SetSpacing(int32_t Value);
  // A stock button: its caption, modal result, and Default or Cancel. The stock glyphs are not kept.
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void SetButtonStyle(bool ADefault) override;

 private:
  void GlyphChanged(TObject*) { Invalidate(); }
  void DrawItem(const DRAWITEMSTRUCT& Item);
  std::unique_ptr<TBitmap> glyph_;
  int32_t numGlyphs_ = 1;
  TButtonLayout layout_ = blGlyphLeft;
  int32_t margin_ = -1;
  int32_t spacing_ = 4;
  TBitBtnKind kind_ = bkCustom;
};
