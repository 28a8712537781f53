// Bitmap buttons (stock kinds, glyph and caption as painted) and the speed button's Transparent,
// Margin and Spacing.
#include <gtest/gtest.h>

#include "Buttons.h"
#include "ControlsTesting.h"
#include "ExtCtrls.h"

namespace {

const char kButtons[] = R"(
  object BitBtn1: TBitBtn
    Left = 8
    Top = 8
    Width = 120
    Height = 40
    Kind = bkOK
  end
  object BitBtn2: TBitBtn
    Left = 8
    Top = 60
    Caption = 'Shut'
    Kind = bkClose
  end
  object Panel1: TPanel
    Left = 200
    Top = 8
    Width = 100
    Height = 60
    BevelOuter = bvNone
    Color = clRed
    object SpeedButton1: TSpeedButton
      Left = 10
      Top = 10
      Width = 40
      Height = 30
      Flat = True
      Margin = 2
      Spacing = 3
    end
  end)";

// A 16 x 16 red square in a fuchsia border, then the same in blue for disabled.
void MakeGlyph(TBitmap& glyph) {
  glyph.SetSize(32, 16);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);
  glyph.Canvas()->FillRect(RECT{0, 0, 32, 16});
  glyph.Canvas()->Brush()->SetColor(clRed);
  glyph.Canvas()->FillRect(RECT{1, 1, 15, 15});
  glyph.Canvas()->Brush()->SetColor(clBlue);
  glyph.Canvas()->FillRect(RECT{17, 1, 31, 15});
}

// What the button paints when its parent asks it to draw itself into a bitmap.
std::unique_ptr<TBitmap> DrawnPicture(TBitBtn* button, UINT state) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetSize(button->Width(), button->Height());
  DRAWITEMSTRUCT item{ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, state, button->Handle(), bmp->Canvas()->Handle(),
                      {0, 0, button->Width(), button->Height()}, 0};
  SendMessageA(button->Parent()->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  return bmp;
}

// The bounding box, inside the button's edges, of a colour's pixels; of the caption's (anything
// but the face and the glyph, the text being smoothed) for clNone.
RECT Box(TBitmap* bmp, TColor colour) {
  RECT box{bmp->Width(), bmp->Height(), -1, -1};
  for (int y = 4; y < bmp->Height() - 4; ++y)
    for (int x = 4; x < bmp->Width() - 4; ++x)
      if (COLORREF pixel = ColorToRGB(bmp->Canvas()->Pixels(x, y));
          colour == clNone ? pixel != ColorToRGB(clBtnFace) && pixel != ColorToRGB(clRed) : pixel == ColorToRGB(colour)) {
        box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
               std::max<LONG>(box.bottom, y + 1)};
      }
  return box;
}

TEST(BitBtn, AnOwnerDrawnButtonWhoseKindGivesCaptionResultAndDefault) {
  TestForm t(kButtons);
  auto* ok = t.Get<TBitBtn>("BitBtn1");
  auto* close = t.Get<TBitBtn>("BitBtn2");
  ASSERT_TRUE(ok && close);
  HWND wnd = ok->Handle();
  EXPECT_EQ(WindowClass(wnd), "TBitBtn");
  WNDCLASSA platform{};
  GetClassInfoA(nullptr, "Button", &platform);
  EXPECT_EQ(ok->DefWndProc(), platform.lpfnWndProc);
  EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(WindowText(wnd), "OK");
  EXPECT_EQ(ok->ModalResult(), mrOk);
  EXPECT_TRUE(ok->Default());
  EXPECT_EQ(close->Caption(), "Shut");  // written before the kind
  close->SetKind(bkCancel);
  EXPECT_EQ(close->Caption(), "Cancel");
  EXPECT_TRUE(close->Cancel());

  static HWND closeWnd;
  closeWnd = close->Handle();
  close->SetKind(bkClose);
  Later([] { SendMessageA(closeWnd, BM_CLICK, 0, 0); });
  EXPECT_EQ(t.form->ShowModal(), mrCancel);  // closed by the button
}

TEST(BitBtn, PaintsItsGlyphBesideItsCaptionByLayout) {
  TestForm t(kButtons);
  auto* button = t.Get<TBitBtn>("BitBtn1");
  ASSERT_TRUE(button);
  TBitmap glyph;
  MakeGlyph(glyph);
  button->SetGlyph(&glyph);
  button->SetNumGlyphs(2);
  struct Case {
    TButtonLayout layout;
    bool (*order)(const RECT& glyph, const RECT& text);
  };
  const Case cases[] = {
      {blGlyphLeft, [](const RECT& g, const RECT& c) { return g.right <= c.left; }},
      {blGlyphRight, [](const RECT& g, const RECT& c) { return g.left >= c.right; }},
      {blGlyphTop, [](const RECT& g, const RECT& c) { return g.bottom <= c.top; }},
      {blGlyphBottom, [](const RECT& g, const RECT& c) { return g.top >= c.bottom; }},
  };
  for (const Case& c : cases) {
    button->SetLayout(c.layout);
    auto picture = DrawnPicture(button, 0);
    RECT g = Box(picture.get(), clRed), text = Box(picture.get(), clNone);
    EXPECT_EQ(g.right - g.left, 14) << c.layout;
    EXPECT_TRUE(c.order(g, text)) << c.layout;
    EXPECT_FALSE(HasColour(picture.get(), RECT{0, 0, 120, 40}, clFuchsia)) << c.layout;
  }
  // Left with both automatic: margin, spacing and the room after the caption about equal.
  button->SetLayout(blGlyphLeft);
  button->SetSpacing(-1);
  auto picture = DrawnPicture(button, 0);
  RECT g = Box(picture.get(), clRed), text = Box(picture.get(), clNone);
  int margin = g.left - 1, spacing = text.left - (g.right + 1), after = 120 - text.right;
  EXPECT_NEAR(margin, spacing, 3);
  EXPECT_NEAR(margin, after, 3);

  RECT pressed = Box(DrawnPicture(button, ODS_SELECTED).get(), clRed);
  EXPECT_EQ(pressed.left, g.left + 1);
  EXPECT_EQ(pressed.top, g.top + 1);
  EXPECT_TRUE(HasColour(DrawnPicture(button, ODS_DISABLED).get(), RECT{0, 0, 120, 40}, clBlue));
}

TEST(SpeedButton, TransparentLetsTheParentShowThroughAFlatButton) {
  TestForm t(kButtons);
  auto* button = t.Get<TSpeedButton>("SpeedButton1");
  auto* panel = t.Get<TPanel>("Panel1");
  ASSERT_TRUE(button && panel);
  EXPECT_TRUE(button->Transparent());
  RECT area = button->BoundsRect();
  EXPECT_TRUE(HasColour(PaintedPicture(panel).get(), area, clRed));
  button->SetTransparent(false);
  EXPECT_FALSE(HasColour(PaintedPicture(panel).get(), area, clRed));
}

TEST(SpeedButton, MarginAndSpacingIgnoreValuesBelowMinusOneAndRepaintOnAChange) {
  TestForm t(kButtons);
  auto* button = t.Get<TSpeedButton>("SpeedButton1");
  auto* panel = t.Get<TPanel>("Panel1");
  ASSERT_TRUE(button && panel);
  struct Case {
    void (TSpeedButton::*set)(int32_t);
    int32_t (TSpeedButton::*get)() const;
    int32_t value, want;
    bool repainted;
  };
  const Case cases[] = {
      {&TSpeedButton::SetMargin, &TSpeedButton::Margin, -5, 2, false},
      {&TSpeedButton::SetMargin, &TSpeedButton::Margin, 2, 2, false},
      {&TSpeedButton::SetMargin, &TSpeedButton::Margin, -1, -1, true},
      {&TSpeedButton::SetSpacing, &TSpeedButton::Spacing, -2, 3, false},
      {&TSpeedButton::SetSpacing, &TSpeedButton::Spacing, 0, 0, true},
  };
  t.Show();  // a hidden window keeps no update region
  HWND wnd = panel->Handle();
  for (const Case& c : cases) {
    ValidateRect(wnd, nullptr);
    (button->*c.set)(c.value);
    EXPECT_EQ((button->*c.get)(), c.want) << c.value;
    RECT dirty;
    EXPECT_EQ(GetUpdateRect(wnd, &dirty, FALSE) != 0, c.repainted) << c.value;
  }
}

}  // namespace
