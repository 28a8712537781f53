// Frames and scroll boxes: their windows, and scroll bars that follow the children.
#include <gtest/gtest.h>

#include "ControlsTesting.h"
#include "ExtCtrls.h"
#include "Frames.h"
#include "StdCtrls.h"

namespace {

const char kBoxes[] = R"(
  object ScrollBox1: TScrollBox
    Left = 10
    Top = 10
    Width = 200
    Height = 100
    object Panel1: TPanel
      Left = 0
      Top = 0
      Width = 400
      Height = 40
    end
    object Label1: TLabel
      Left = 10
      Top = 180
      Caption = 'far down'
    end
  end
  object ScrollBox2: TScrollBox
    Left = 10
    Top = 150
    BorderStyle = bsNone
  end
  object Frame1: TFrame
    Left = 250
    Top = 10
    Width = 200
    Height = 100
    object Label2: TLabel
      Left = 10
      Top = 10
      Caption = 'inside'
    end
  end)";

bool HasBar(TWinControl* control, LONG idObject) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  return GetScrollBarInfo(control->Handle(), idObject, &info) && !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
}

TEST(Frames, WindowsAndBordersAndBarsWhereTheChildrenReachOut) {
  TestForm t(kBoxes);
  struct Case {
    const char* name;
    bool edge, horz, vert;
  };
  const Case cases[] = {{"ScrollBox1", true, true, true}, {"ScrollBox2", false, false, false},
                        {"Frame1", false, false, false}};
  for (const Case& c : cases) {
    auto* control = t.Get<TScrollingWinControl>(c.name);
    ASSERT_TRUE(control);
    HWND wnd = control->Handle();
    EXPECT_EQ(WindowClass(wnd), control->ClassName());
    EXPECT_TRUE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) << c.name;
    EXPECT_EQ((GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, c.edge) << c.name;
    EXPECT_EQ(HasBar(control, OBJID_HSCROLL), c.horz) << c.name;
    EXPECT_EQ(HasBar(control, OBJID_VSCROLL), c.vert) << c.name;
  }
}

TEST(ScrollBox, ScrollingMovesTheChildrenAndAWiderBoxTakesItsBarsAway) {
  TestForm t(kBoxes);
  auto* box = t.Get<TScrollBox>("ScrollBox1");
  auto* panel = t.Get<TPanel>("Panel1");
  auto* label = t.Get<TLabel>("Label1");
  ASSERT_TRUE(box && panel && label);
  HWND wnd = box->Handle();
  struct Case {
    UINT msg;
    WORD code;
    int panelLeft, labelTop;
  };
  const Case cases[] = {{WM_HSCROLL, SB_LINEDOWN, -8, 180}, {WM_VSCROLL, SB_LINEDOWN, -8, 172},
                        {WM_HSCROLL, SB_LINEUP, 0, 172},    {WM_HSCROLL, SB_LINEUP, 0, 172},
                        {WM_VSCROLL, SB_TOP, 0, 180}};
  for (const Case& c : cases) {
    SendMessageA(wnd, c.msg, c.code, 0);
    EXPECT_EQ(panel->Left(), c.panelLeft) << c.msg << " " << c.code;
    EXPECT_EQ(label->Top(), c.labelTop) << c.msg << " " << c.code;
  }
  SendMessageA(wnd, WM_HSCROLL, SB_BOTTOM, 0);  // the panel's right edge at the client's
  RECT client;
  GetClientRect(wnd, &client);
  EXPECT_EQ(panel->Left() + panel->Width(), client.right);
  POINT origin{0, 0};
  MapWindowPoints(panel->Handle(), wnd, &origin, 1);
  EXPECT_EQ(origin.x, panel->Left());  // the window moved with it

  box->SetBounds(10, 10, 450, 300);
  EXPECT_FALSE(HasBar(box, OBJID_HSCROLL));
  EXPECT_FALSE(HasBar(box, OBJID_VSCROLL));
  EXPECT_EQ(panel->Left(), 0);
}

TEST(ScrollBox, ANewWindowStartsUnscrolled) {
  TestForm t(kBoxes);
  auto* box = t.Get<TScrollBox>("ScrollBox1");
  auto* label = t.Get<TLabel>("Label1");
  ASSERT_TRUE(box && label);
  SendMessageA(box->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_LT(label->Top(), 180);
  box->SetBorderStyle(bsNone);
  EXPECT_EQ(label->Top(), 180);
  EXPECT_FALSE(GetWindowLongA(box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(HasBar(box, OBJID_VSCROLL));
}

}  // namespace
