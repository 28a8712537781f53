#include "TzubSkinMenuBarControlButton.h"

#include "ZUBSkinUtils.h"

DEFINE_COMPONENT(TzubSkinMenuBarControlButton, TCustomPanel,
                 ({Prop<&TzubSkinMenuBarControlButton::Glyph, &TzubSkinMenuBarControlButton::SetGlyph>("Glyph")}),
                 ({}))

TzubSkinMenuBarControlButton::TzubSkinMenuBarControlButton(TComponent* AOwner)
    : TCustomPanel(AOwner), glyph_(new TBitmap) {
  SetBounds(Left(), Top(), 18, 18);
}

void TzubSkinMenuBarControlButton::SetGlyph(TBitmap* Value) {
  glyph_->Assign(Value);
  Invalidate();
}

void TzubSkinMenuBarControlButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomPanel::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent && OnClick.Data() == dynamic_cast<void*>(AComponent)) OnClick = {};
}

void TzubSkinMenuBarControlButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      Hot = Message.Msg == CM_MOUSEENTER;
      Invalidate();
      break;
    case WM_ERASEBKGND:
      Message.Result = 1;  // Paint covers every pixel
      return;
  }
  TCustomPanel::WndProc(Message);
}

void TzubSkinMenuBarControlButton::Paint() {
  glyph_->SetTransparent(true);
  TBitmap buffer;
  buffer.SetSize(Width(), Height());
  const RECT all{0, 0, Width(), Height()};
  zubskin::FillRectColor(buffer.Canvas(), all, Color());
  if (!glyph_->Empty()) {
    if (Hot) zubskin::FrameRectColor(buffer.Canvas(), all, clBlack);
    buffer.Canvas()->Draw(1, 1, glyph_.get());
  }
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), buffer.Canvas()->Handle(), 0, 0, SRCCOPY);
}
