// Panels: their bevels as painted, and clicks through the library's mouse logic.
#include <gtest/gtest.h>

#include <vector>

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
  void DoubleClicked(TObject*) { ++doubleClicks; }
  void Down(TObject*, TMouseButton, TShiftState, int, int) { ++downs; }
  int clicks = 0, doubleClicks = 0, downs = 0;
};

TEST(Panel, ClickedWhenTheButtonGoesUpInsideWhereItWentDown) {
  TestForm t(kPanel);
  auto* panel = t.Get<TPanel>("Panel1");
  ASSERT_TRUE(panel);
  HWND wnd = panel->Handle();
  struct Press {
    UINT msg;
    POINT at;
  };
  const Press down{WM_LBUTTONDOWN, {10, 10}}, up{WM_LBUTTONUP, {100, 30}}, second{WM_LBUTTONDBLCLK, {10, 10}};
  const struct {
    const char* what;
    std::vector<Press> presses;
    int clicks, doubleClicks, downs;
  } cases[] = {
      {"released inside", {down, up}, 1, 0, 1},
      {"released right of it", {down, {WM_LBUTTONUP, {300, 30}}}, 0, 0, 1},
      {"released left of it", {down, {WM_LBUTTONUP, {-4, 30}}}, 0, 0, 1},
      {"released without a press", {up}, 0, 0, 0},
      {"double click", {down, up, second, up}, 1, 1, 2},  // the second press is no click of its own
  };
  for (const auto& c : cases) {
    MouseLog log;
    panel->OnClick = TNotifyEvent::Bind<&MouseLog::Clicked>(&log);
    panel->OnDblClick = TNotifyEvent::Bind<&MouseLog::DoubleClicked>(&log);
    panel->OnMouseDown = TMouseEvent::Bind<&MouseLog::Down>(&log);
    for (const Press& p : c.presses) SendMessageA(wnd, p.msg, p.msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(p.at.x, p.at.y));
    EXPECT_EQ(log.clicks, c.clicks) << c.what;
    EXPECT_EQ(log.doubleClicks, c.doubleClicks) << c.what;
    EXPECT_EQ(log.downs, c.downs) << c.what;
  }
}

}  // namespace
