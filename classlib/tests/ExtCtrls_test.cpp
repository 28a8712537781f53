// Panels: their bevels as painted, and clicks through the library's mouse logic.
#include <gtest/gtest.h>

#include "ControlsTesting.h"
#include "ExtCtrls.h"

namespace {

const char kPanel[] = R"(
  object Panel1: TPanel
    Left = 64
    Top = 24
    Width = 233
    Height = 65
    Cursor = crHandPoint
    BevelInner = bvRaised
    Caption = '3GP Video converter'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 0
  end)";

TEST(Panel, BevelsArePaintedAndRepaintedWhenTheyChange) {
  TestForm t(kPanel);
  auto* panel = t.Get<TPanel>("Panel1");
  ASSERT_TRUE(panel);
  HWND wnd = panel->Handle();
  EXPECT_EQ(WindowClass(wnd), "TPanel");
  EXPECT_EQ(WindowText(wnd), "3GP Video converter");
  EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & (WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN),
            WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  EXPECT_TRUE(panel->Font()->Style().Contains(fsBold));
  EXPECT_EQ(panel->Cursor(), crHandPoint);
  EXPECT_EQ(panel->BevelOuter(), bvRaised);

  struct Case {
    TPanelBevel outer, inner;
    TColor topLeft, innerTopLeft;  // the pixels at (0, 0) and (1, 1)
  };
  const Case cases[] = {
      {bvRaised, bvRaised, clBtnHighlight, clBtnHighlight},
      {bvRaised, bvLowered, clBtnHighlight, clBtnShadow},
      {bvLowered, bvNone, clBtnShadow, clBtnFace},
      {bvNone, bvNone, clBtnFace, clBtnFace},
  };
  t.Show();
  for (const Case& c : cases) {
    panel->SetBevelOuter(c.outer);
    panel->SetBevelInner(c.inner);
    RECT dirty;
    EXPECT_TRUE(GetUpdateRect(wnd, &dirty, FALSE) || (c.outer == bvRaised && c.inner == bvRaised));
    auto picture = PaintedPicture(panel);
    EXPECT_EQ(ColorToRGB(picture->Canvas()->Pixels(0, 0)), ColorToRGB(c.topLeft)) << c.outer << c.inner;
    EXPECT_EQ(ColorToRGB(picture->Canvas()->Pixels(1, 1)), ColorToRGB(c.innerTopLeft)) << c.outer << c.inner;
    EXPECT_TRUE(HasColour(picture.get(), RECT{60, 20, 170, 45}, clWindowText));  // the caption
    UpdateWindow(wnd);
  }
}

struct MouseLog {
  void Clicked(TObject*) { ++clicks; }
  void Down(TObject*, TMouseButton, TShiftState, int x, int) { downs.push_back(x); }
  int clicks = 0;
  std::vector<int> downs;
};

TEST(Panel, ClickedWhenTheButtonGoesUpInsideWhereItWentDown) {
  TestForm t(kPanel);
  auto* panel = t.Get<TPanel>("Panel1");
  ASSERT_TRUE(panel);
  MouseLog log;
  panel->OnClick = TNotifyEvent::Bind<&MouseLog::Clicked>(&log);
  panel->OnMouseDown = TMouseEvent::Bind<&MouseLog::Down>(&log);
  HWND wnd = panel->Handle();
  struct Case {
    POINT up;
    int clicks;
  };
  for (Case c : {Case{{100, 30}, 1}, Case{{300, 30}, 0}, Case{{-4, 30}, 0}}) {
    log.clicks = 0;
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(c.up.x, c.up.y));
    EXPECT_EQ(log.clicks, c.clicks) << c.up.x;
  }
  EXPECT_EQ(log.downs, (std::vector<int>{10, 10, 10}));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(100, 30));  // no press before it
  EXPECT_EQ(log.clicks, 0);
}

}  // namespace
