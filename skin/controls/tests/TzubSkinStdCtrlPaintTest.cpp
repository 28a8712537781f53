// The simple control skinners by pixel, with a skin of solid colours, and what they save and give back.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Grids.h"
#include "StdCtrlTesting.h"
#include "StdCtrls.h"
#include "ZUBSkinStdCtrlGeometry.h"
#include "ZUBSkinStdCtrlPaint.h"

using namespace stdctrl;

namespace {

TEST(SkinProgressBar, FillsFromMinToPositionWithTheImageAndTheRestWithTheFormColour) {
  SkinnedForm s;
  auto* h = s.Add<TProgressBar>(10, 10, 200, 20);
  auto* v = s.Add<TProgressBar>(230, 10, 20, 200);
  v->SetOrientation(pbVertical);
  s.Attach<TzubSkinProgressBar>(h);
  s.Attach<TzubSkinProgressBar>(v);
  struct Case {
    TProgressBar* bar;
    int position;
    bool inside;  // the pixel just inside the fill's moving edge, or just beyond it
    uint32_t colour;
  } cases[] = {
      {h, 0, false, kForm},     {h, 50, true, kProgress}, {h, 50, false, kForm},
      {h, 90, true, kProgress}, {h, 90, false, kForm},    {h, 100, true, kProgress},
      {h, 150, true, kProgress},  // past Max, held at Max by the control
      {v, 25, true, kProgress}, {v, 25, false, kForm},    {v, 0, false, kForm},
  };
  for (const Case& c : cases) {
    c.bar->SetPosition(c.position);
    Redraw(c.bar->Handle());
    const RECT r = c.bar->ClientRect();
    const zubskin::SkinRect fill = zubskin::ProgressFillRect(zubskin::ToSkinRect(r), c.bar->Min(), c.bar->Max(),
                                                             c.bar->Position(), c.bar == v);
    const int x = c.bar == h ? (c.inside ? fill.right - 1 : fill.right) : r.right / 2;
    const int y = c.bar == v ? (c.inside ? fill.top : fill.top - 1) : r.bottom / 2;
    EXPECT_EQ(Pixel(c.bar, x, y), c.colour) << (c.bar == h ? "horizontal " : "vertical ") << c.position;
  }
}

TEST(SkinGroupBox, FrameInTheBorderColourAndTheCaptionOverItsLineOnEitherSide) {
  SkinnedForm s;
  for (TBiDiMode mode : {bdLeftToRight, bdRightToLeft}) {
    auto* box = s.Add<TGroupBox>(10, 10 + 110 * mode, 200, 100);
    box->SetCaption("Group");
    box->SetBiDiMode(mode);
    s.Attach<TzubSkinGroupBox>(box);
    Redraw(box->Handle());
    TControlCanvas canvas;
    canvas.SetControl(box);
    canvas.SetFont(box->Font());
    const int h = canvas.TextHeight("0"), line = h / 2 - 1, text = canvas.TextWidth("Group");
    const int captionMiddle = mode == bdLeftToRight ? 8 + text / 2 : 199 - 8 - text / 2;
    const int lineOnly = mode == bdLeftToRight ? 190 : 4;
    EXPECT_EQ(Pixel(box, lineOnly, line), kBorder) << int(mode);
    EXPECT_NE(Pixel(box, captionMiddle, line), kBorder) << int(mode);
    EXPECT_EQ(Pixel(box, 0, 60), kBorder) << int(mode);
    // One caption: nothing written at the other end, where the line runs unbroken.
    const int otherLeft = mode == bdLeftToRight ? 199 - 8 - text : 8;
    int written = 0;
    for (int y = 0; y < h; ++y)
      for (int x = otherLeft; x < otherLeft + text; ++x) written += Pixel(box, x, y) == ColorToRGB(box->Font()->Color());
    EXPECT_EQ(written, 0) << int(mode);
  }
}

TEST(SkinStatusBar, TheGripIsDrawnInLinesOnTheBarsColour) {
  SkinnedForm s;
  auto* bar = s.Add<TStatusBar>(0, 0, 300, 22);
  bar->SetAlign(alBottom);
  s.Attach<TzubSkinStatusBar>(bar);
  bar->SetParentColor(true);  // as the form skinner does, before the form takes the skin's colour
  s.f.form->SetColor(static_cast<TColor>(kForm));
  Redraw(bar->Handle());
  SaveClientPicture(bar->Handle(), "skinstdctrl_statusbar");
  const int w = bar->Width(), h = bar->Height();
  const RECT g{w - 16, h - 15, w - 1, h - 1};
  EXPECT_EQ(Pixel(bar, g.left + 2, g.bottom - 1), ColorToRGB(clInactiveCaption));
  EXPECT_EQ(Pixel(bar, g.left + 1, g.top), kForm);
  EXPECT_EQ(Pixel(bar, w / 2, h / 2), kForm) << "the bar in the grip's colour";
}

TEST(SkinGrid, FixedCellsInTheFormColourAndTheirOwnColourBackAfterOnOffOnOff) {
  SkinnedForm s;
  auto* grid = s.Add<TStringGrid>(10, 10, 300, 150);
  grid->SetFixedColor(clYellow);
  s.Attach<TzubSkinGrid>(grid)->SkinStateChanged();  // a second switch on in a row saves nothing
  Redraw(grid->Handle());
  EXPECT_EQ(grid->FixedColor(), TColor(kForm));
  EXPECT_EQ(Pixel(grid, 10, 10), kForm);
  for (bool on : {false, true, false}) {
    s.Switch(on);
    EXPECT_EQ(grid->FixedColor(), on ? TColor(kForm) : clYellow) << on;
  }
}

TEST(SkinComboBox, FlatFramesAndButtonClosedAndTheListFramedWhenDropped) {
  SkinnedForm s;
  auto* combo = s.Add<TComboBox>(10, 10, 150, 24);
  combo->Items()->Add("One");
  combo->Items()->Add("Two");
  s.Attach<TzubSkinComboBox>(combo);
  Redraw(combo->Handle());
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
  EXPECT_EQ(Pixel(combo, 0, 0), kBorder);
  EXPECT_EQ(Pixel(combo, 1, 5), kBack);
  EXPECT_EQ(Pixel(combo, info.rcButton.right - 2, info.rcButton.top + 1), kForm);

  combo->SetDroppedDown(true);
  WaitUntil([] { return false; }, 200);
  combo->Perform(ZM_REPAINTSKIN);
  RECT list;
  GetWindowRect(info.hwndList, &list);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetPixel(screen, list.left, list.top + 5), kBorder);
  ReleaseDC(nullptr, screen);
  combo->SetDroppedDown(false);
}

TEST(SkinScrollBar, ButtonsAndSliderFromTheSkinAndNoTabStop) {
  SkinnedForm s;
  auto* bar = s.Add<TScrollBar>(10, 10, 17, 200);
  bar->SetKind(sbVertical);
  bar->SetBounds(10, 10, 17, 200);
  bar->SetPageSize(10);
  bar->SetTabStop(true);
  s.Attach<TzubSkinScrollBar>(bar);
  EXPECT_FALSE(bar->TabStop());
  Redraw(bar->Handle());
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetScrollBarInfo(bar->Handle(), OBJID_CLIENT, &info));
  EXPECT_EQ(Pixel(bar, 8, 8), kScrollButton);
  EXPECT_EQ(Pixel(bar, 8, 192), kScrollButton);
  EXPECT_EQ(Pixel(bar, 8, (info.xyThumbTop + info.xyThumbBottom) / 2), kScrollSlider);
  EXPECT_EQ(Pixel(bar, 8, info.xyThumbBottom + 4), kScrollBack);
}

TEST(SkinPanel, TakesTheParentsColour) {
  SkinnedForm s;
  auto* panel = s.Add<TPanel>(10, 10, 100, 50);
  EXPECT_TRUE(s.Attach<TzubSkinPanel>(panel)->WantsParentColor());
}

}  // namespace
