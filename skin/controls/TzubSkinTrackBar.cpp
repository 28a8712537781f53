#include "TzubSkinTrackBar.h"

#include <commctrl.h>

#include "TrackBar.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinStdCtrlGeometry.h"
#include "ZUBSkinStdCtrlPaint.h"
#include "ZUBSkinUtils.h"

using namespace zubskin;

DEFINE_CLASS(TzubSkinTrackBar, TzubSkinControlVCL, ({}))

bool TzubSkinTrackBar::BeforeMessage(TMessage& Message) {
  if (AnswerPaintMessages(this, Message)) return false;
  // Repainted with or without the focus frame; the control still hears of its focus.
  if (Message.Msg == WM_KILLFOCUS || Message.Msg == CM_GOTFOCUS) PaintSkin();
  return true;
}

void TzubSkinTrackBar::SkinStateChanged() {
  TzubSkinControlVCL::SkinStateChanged();
  auto* bar = As<TTrackBar>(Control);
  if (!bar || !IsSkinning()) {
    FBarImage.reset();
    return;
  }
  FBarImage = std::make_unique<TBitmap>();
  Engine->GetSkinBitmap("TrackBarBarImage", FBarImage.get());
  if (bar->Orientation() == trVertical) RotateBitmapLeft(FBarImage.get());
}

void TzubSkinTrackBar::PaintSkin() {
  auto* bar = As<TTrackBar>(Control);
  if (!FBarImage || !bar || !bar->HandleAllocated()) return;
  HWND window = bar->Handle();
  const bool vertical = bar->Orientation() == trVertical;
  TBitmap bitmap;
  PrepareBitmap(&bitmap, bar->Width(), bar->Height(), bar->ClientRect(), SkinColor(Engine, "FormBackgroundColor"));
  TCanvas* canvas = bitmap.Canvas();

  RECT reported{};
  SendMessageA(window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&reported));
  const SkinRect channel = TrackBarChannel(ToSkinRect(reported), FBarImage->Width(), FBarImage->Height(), vertical);
  if (vertical) DrawThreePartVert(FBarImage.get(), canvas, ToRect(channel), false);
  else DrawThreePartHorz(FBarImage.get(), canvas, ToRect(channel), false);

  RECT thumb{};
  SendMessageA(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  TBitmap slider;
  Engine->GetSkinBitmap(vertical ? "TrackBarSliderVImage" : "TrackBarSliderImage", &slider);
  if (!slider.Empty() && thumb.right > thumb.left && thumb.bottom > thumb.top) {
    TBitmap face;
    face.SetSize(thumb.right - thumb.left, thumb.bottom - thumb.top);
    face.Canvas()->StretchDraw({0, 0, face.Width(), face.Height()}, &slider);
    face.SetTransparent(true);
    canvas->StretchDraw(thumb, &face);
  }
  const SkinRect frame = TrackBarFrame(channel, ToSkinRect(thumb), vertical);

  if (bar->TickStyle() == tsAuto) {
    std::vector<int> positions;
    const int ticks = static_cast<int>(SendMessageA(window, TBM_GETNUMTICS, 0, 0));
    for (int i = 0; i <= ticks - 3; ++i)
      positions.push_back(static_cast<int>(SendMessageA(window, TBM_GETTICPOS, i, 0)));
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetWidth(1);
    for (const SkinLine& line : TrackBarTicks(frame, positions, vertical, bar->TickMarks() != tmBottomRight,
                                              bar->TickMarks() != tmTopLeft)) {
      canvas->MoveTo(line.from.x, line.from.y);
      canvas->LineTo(line.to.x, line.to.y);
    }
  }
  if (GetFocus() == window) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->DrawFocusRect(ToRect(frame));
  }
  CopyToClient(window, &bitmap);
}
