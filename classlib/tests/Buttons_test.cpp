// The speed button's own click logic: pressed while held over it, clicked on release inside.
#include <gtest/gtest.h>

#include "Buttons.h"
#include "ControlsTesting.h"

namespace {

const char kSpeedButtons[] = R"(
  object SpeedButton1: TSpeedButton
    Left = 384
    Top = 24
    Width = 41
    Height = 33
    Caption = '...'
    Flat = True
    Font.Style = [fsBold]
    ParentFont = False
  end
  object SpeedButton2: TSpeedButton
    Left = 10
    Top = 100
    GroupIndex = 1
    Caption = 'A'
  end
  object SpeedButton3: TSpeedButton
    Left = 40
    Top = 100
    GroupIndex = 1
    Down = True
    Caption = 'B'
  end)";

struct ClickCounter {
  void Clicked(TObject*) { ++clicks; }
  int clicks = 0;
};

TEST(SpeedButton, PressedWhileHeldOverItAndClickedOnReleaseInside) {
  TestForm t(kSpeedButtons);
  auto* button = t.Get<TSpeedButton>("SpeedButton1");
  ASSERT_TRUE(button);
  EXPECT_TRUE(button->IsGraphic());
  EXPECT_TRUE(button->Flat());
  EXPECT_TRUE(button->Font()->Style().Contains(fsBold));
  ClickCounter counter;
  button->OnClick = TNotifyEvent::Bind<&ClickCounter::Clicked>(&counter);
  HWND form = t.form->Handle();
  auto at = [&](int x, int y) { return MAKELPARAM(button->Left() + x, button->Top() + y); };

  struct Case {
    const char* what;
    POINT up;
    int clicks;
  };
  const Case cases[] = {{"released inside", {20, 15}, 1},
                        {"released outside", {60, 15}, 0},
                        {"released just past the edge", {41, 15}, 0}};
  for (const Case& c : cases) {
    counter.clicks = 0;
    SendMessageA(form, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    EXPECT_TRUE(button->Pressed()) << c.what;
    EXPECT_EQ(CaptureControl(), button) << c.what;
    EXPECT_EQ(GetCapture(), form) << c.what;  // through its parent's window
    SendMessageA(form, WM_MOUSEMOVE, MK_LBUTTON, at(80, 5));  // the capture brings the move outside to it
    EXPECT_FALSE(button->Pressed()) << c.what;
    SendMessageA(form, WM_MOUSEMOVE, MK_LBUTTON, at(10, 10));
    EXPECT_TRUE(button->Pressed()) << c.what;
    SendMessageA(form, WM_LBUTTONUP, 0, at(c.up.x, c.up.y));
    EXPECT_FALSE(button->Pressed()) << c.what;
    EXPECT_EQ(CaptureControl(), nullptr) << c.what;
    EXPECT_EQ(counter.clicks, c.clicks) << c.what;
  }
}

TEST(SpeedButton, OneButtonOfAGroupIsDown) {
  TestForm t(kSpeedButtons);
  auto* a = t.Get<TSpeedButton>("SpeedButton2");
  auto* b = t.Get<TSpeedButton>("SpeedButton3");
  ASSERT_TRUE(a && b);
  EXPECT_TRUE(b->Down());
  HWND form = t.form->Handle();
  SendMessageA(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a->Left() + 3, a->Top() + 3));
  SendMessageA(form, WM_LBUTTONUP, 0, MAKELPARAM(a->Left() + 3, a->Top() + 3));
  EXPECT_TRUE(a->Down());
  EXPECT_FALSE(b->Down());
  SendMessageA(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a->Left() + 3, a->Top() + 3));
  SendMessageA(form, WM_LBUTTONUP, 0, MAKELPARAM(a->Left() + 3, a->Top() + 3));
  EXPECT_TRUE(a->Down());  // stays down without AllowAllUp
  t.Get<TSpeedButton>("SpeedButton1")->SetDown(true);
  EXPECT_FALSE(t.Get<TSpeedButton>("SpeedButton1")->Down());  // not in a group
}

TEST(SpeedButton, PaintsItsGlyphWithoutItsTransparentColourAndTheCaption) {
  TestForm t(kSpeedButtons);
  auto* button = t.Get<TSpeedButton>("SpeedButton1");
  ASSERT_TRUE(button);
  TBitmap glyph;
  glyph.SetSize(16, 8);  // two images of 8 x 8: red on a fuchsia ground, then blue for disabled
  glyph.Canvas()->Brush()->SetColor(clFuchsia);
  glyph.Canvas()->FillRect(RECT{0, 0, 16, 8});
  glyph.Canvas()->Brush()->SetColor(clRed);
  glyph.Canvas()->FillRect(RECT{2, 2, 6, 6});
  glyph.Canvas()->Brush()->SetColor(clBlue);
  glyph.Canvas()->FillRect(RECT{10, 2, 14, 6});
  button->SetGlyph(&glyph);
  button->SetNumGlyphs(2);
  button->SetCaption("");
  RECT area = button->BoundsRect();
  auto picture = PaintedPicture(t.form);
  EXPECT_TRUE(HasColour(picture.get(), area, clRed));
  EXPECT_FALSE(HasColour(picture.get(), area, clFuchsia));
  EXPECT_FALSE(HasColour(picture.get(), area, clBlue));
  button->SetEnabled(false);
  picture = PaintedPicture(t.form);
  EXPECT_TRUE(HasColour(picture.get(), area, clBlue));
  EXPECT_FALSE(HasColour(picture.get(), area, clRed));
}

}  // namespace
