// Check boxes, radio buttons, combo boxes, scroll bars and group boxes read from a description,
// checked in their windows.
#include <gtest/gtest.h>

#include "ControlsTesting.h"
#include "StdCtrls.h"

namespace {

const char kControls[] = R"(
  object CheckBox1: TCheckBox
    Left = 8
    Top = 8
    Caption = 'Grey'
    AllowGrayed = True
    State = cbGrayed
    Alignment = taLeftJustify
  end
  object RadioButton1: TRadioButton
    Left = 8
    Top = 32
    Caption = 'One'
    Checked = True
  end
  object RadioButton2: TRadioButton
    Left = 8
    Top = 56
    Caption = 'Two'
  end
  object ComboBox1: TComboBox
    Left = 8
    Top = 80
    Style = csDropDownList
    DropDownCount = 6
    Items.Strings = (
      'low'
      'medium'
      'high')
    ItemIndex = 1
  end
  object ComboBox2: TComboBox
    Left = 8
    Top = 110
    Height = 80
    Style = csSimple
  end
  object ScrollBar1: TScrollBar
    Left = 300
    Top = 8
    Width = 17
    Height = 150
    Kind = sbVertical
    Max = 50
    PageSize = 10
    Position = 20
    LargeChange = 5
  end
  object GroupBox1: TGroupBox
    Left = 200
    Top = 200
    Width = 185
    Height = 105
    Caption = 'Options'
  end)";

struct Counter {
  void Count(TObject*) { ++n; }
  int n = 0;
};

TEST(StdCtrls2, EachControlMakesItsPlatformWindowWithItsStyles) {
  TestForm t(kControls);
  struct Case {
    const char* name;
    const char* systemClass;
    LONG mask, style;
  };
  const Case cases[] = {
      {"CheckBox1", "Button", BS_TYPEMASK | BS_LEFTTEXT, BS_3STATE | BS_LEFTTEXT},
      {"RadioButton1", "Button", BS_TYPEMASK | BS_LEFTTEXT | WS_TABSTOP, BS_RADIOBUTTON | WS_TABSTOP},
      {"RadioButton2", "Button", BS_TYPEMASK | WS_TABSTOP, BS_RADIOBUTTON},
      {"ComboBox1", "ComboBox", 3, CBS_DROPDOWNLIST},
      {"ComboBox2", "ComboBox", 3, CBS_SIMPLE},
      {"ScrollBar1", "ScrollBar", SBS_VERT | WS_TABSTOP, SBS_VERT | WS_TABSTOP},
      {"GroupBox1", nullptr, WS_CHILD | WS_CLIPCHILDREN, WS_CHILD | WS_CLIPCHILDREN},
  };
  for (const Case& c : cases) {
    auto* control = t.Get<TWinControl>(c.name);
    ASSERT_TRUE(control);
    HWND wnd = control->Handle();
    EXPECT_EQ(WindowClass(wnd), control->ClassName()) << c.name;
    // Built on the platform's control, or (the group box) on nothing but the default procedure.
    WNDCLASSA platform{};
    platform.lpfnWndProc = DefWindowProcA;
    if (c.systemClass) GetClassInfoA(nullptr, c.systemClass, &platform);
    EXPECT_EQ(control->DefWndProc(), platform.lpfnWndProc) << c.name;
    EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & c.mask, c.style) << c.name;
  }
  EXPECT_TRUE(GetWindowLongA(t.Get<TGroupBox>("GroupBox1")->Handle(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
}

TEST(CheckBox, ClicksStepThroughItsStatesAndTheStateOutlivesItsWindow) {
  TestForm t(kControls);
  auto* box = t.Get<TCheckBox>("CheckBox1");
  ASSERT_TRUE(box);
  Counter clicks;
  box->OnClick = TNotifyEvent::Bind<&Counter::Count>(&clicks);
  HWND wnd = box->Handle();
  EXPECT_EQ(SendMessageA(wnd, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  const TCheckBoxState steps[] = {cbUnchecked, cbChecked, cbGrayed};
  for (TCheckBoxState want : steps) {
    SendMessageA(wnd, BM_CLICK, 0, 0);
    EXPECT_EQ(box->State(), want);
    EXPECT_EQ(SendMessageA(wnd, BM_GETCHECK, 0, 0), want);
  }
  EXPECT_EQ(clicks.n, 3);
  box->SetAllowGrayed(false);
  box->SetChecked(true);
  SendMessageA(wnd, BM_CLICK, 0, 0);
  EXPECT_FALSE(box->Checked());  // checked goes back to unchecked
  box->SetState(cbGrayed);
  box->SetAlignment(taRightJustify);  // a new window, the caption on the right
  EXPECT_NE(box->Handle(), wnd);
  EXPECT_FALSE(GetWindowLongA(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
  EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
}

TEST(RadioButton, CheckingOneUnchecksItsSiblingsAndMovesTheTabStop) {
  TestForm t(kControls);
  auto* one = t.Get<TRadioButton>("RadioButton1");
  auto* two = t.Get<TRadioButton>("RadioButton2");
  ASSERT_TRUE(one && two);
  Counter clicks;
  two->OnClick = TNotifyEvent::Bind<&Counter::Count>(&clicks);
  SendMessageA(two->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(two->Checked());
  EXPECT_FALSE(one->Checked());
  EXPECT_EQ(SendMessageA(two->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(one->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(GetWindowLongA(two->Handle(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_FALSE(GetWindowLongA(one->Handle(), GWL_STYLE) & WS_TABSTOP);
  SendMessageA(two->Handle(), BM_CLICK, 0, 0);  // already checked: no second click
  EXPECT_EQ(clicks.n, 1);
}

TEST(ComboBox, ItemsSelectionAndDropDownReachTheWindowAndSurviveAStyleChange) {
  TestForm t(kControls);
  auto* combo = t.Get<TComboBox>("ComboBox1");
  ASSERT_TRUE(combo);
  HWND wnd = combo->Handle();
  EXPECT_EQ(SendMessageA(wnd, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(wnd, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(combo->Text(), "medium");
  // The list drops below the field with room for DropDownCount items.
  RECT field, list;
  GetWindowRect(wnd, &field);
  SendMessageA(wnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
  EXPECT_LT(field.bottom - field.top, 30);
  EXPECT_GT(list.bottom - list.top, 6 * SendMessageA(wnd, CB_GETITEMHEIGHT, 0, 0));
  combo->SetWidth(200);  // moving keeps the list's room
  SendMessageA(wnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
  EXPECT_GT(list.bottom - list.top, 6 * SendMessageA(wnd, CB_GETITEMHEIGHT, 0, 0));

  t.Show();
  combo->SetDroppedDown(true);
  EXPECT_TRUE(combo->DroppedDown());
  combo->SetDroppedDown(false);
  EXPECT_FALSE(combo->DroppedDown());

  Counter changes;
  combo->OnChange = TNotifyEvent::Bind<&Counter::Count>(&changes);
  combo->SetStyle(csDropDown);
  EXPECT_NE(combo->Handle(), wnd);
  EXPECT_EQ(GetWindowLongA(combo->Handle(), GWL_STYLE) & 3, CBS_DROPDOWN);
  EXPECT_EQ(combo->Items()->Count(), 3);
  EXPECT_EQ(combo->Items()->Strings(2), "high");
  EXPECT_EQ(combo->ItemIndex(), 1);
  SetWindowTextA(combo->Handle(), "typed");  // as the user types: the edit tells its combo box
  SendMessageA(t.form->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(combo->Handle()));
  EXPECT_EQ(changes.n, 1);
}

struct PositionLog {
  void Changed(TObject* sender) { positions.push_back(static_cast<TScrollBar*>(sender)->Position()); }
  std::vector<int> positions;
};

TEST(ScrollBar, RangeAndPositionReachTheControlAndReflectedScrollsMoveIt) {
  TestForm t(kControls);
  auto* bar = t.Get<TScrollBar>("ScrollBar1");
  ASSERT_TRUE(bar);
  HWND wnd = bar->Handle();
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(wnd, SB_CTL, &si);
  EXPECT_EQ(si.nMin, 0);
  EXPECT_EQ(si.nMax, 50);
  EXPECT_EQ(si.nPage, 10u);
  EXPECT_EQ(si.nPos, 20);
  EXPECT_TRUE(bar->TabStop());

  PositionLog log;
  bar->OnChange = TNotifyEvent::Bind<&PositionLog::Changed>(&log);
  struct Case {
    WORD code;
    int position;
  };
  const Case cases[] = {{SB_LINEDOWN, 21}, {SB_PAGEDOWN, 26}, {SB_PAGEUP, 21}, {SB_LINEUP, 20},
                        {SB_BOTTOM, 41}, {SB_TOP, 0}, {SB_ENDSCROLL, 0}};
  for (const Case& c : cases) {
    // As the control's parent gets it: reflected to the bar.
    SendMessageA(t.form->Handle(), WM_VSCROLL, c.code, reinterpret_cast<LPARAM>(wnd));
    EXPECT_EQ(bar->Position(), c.position) << c.code;
    EXPECT_EQ(GetScrollPos(wnd, SB_CTL), c.position) << c.code;
  }
  EXPECT_EQ(log.positions, (std::vector<int>{21, 26, 21, 20, 41, 0}));

  MessageSpy spy(bar);
  bar->SetParams(70, 0, 60);  // brought into the range, in one call to the control
  EXPECT_EQ(bar->Position(), 60);
  EXPECT_EQ(spy.Count(SBM_SETSCROLLINFO), 1);
  EXPECT_THROW(bar->SetParams(0, 10, 5), EInvalidOperation);
  EXPECT_EQ(bar->Max(), 60);

  bar->SetKind(sbHorizontal);  // turned on its side
  EXPECT_EQ(GetWindowLongA(bar->Handle(), GWL_STYLE) & SBS_VERT, 0);
  EXPECT_EQ(bar->Width(), 150);
  GetScrollInfo(bar->Handle(), SB_CTL, &si);
  EXPECT_EQ(si.nMax, 60);
}

TEST(GroupBox, PaintsAnEtchedFrameBehindItsCaption) {
  TestForm t(kControls);
  auto* group = t.Get<TGroupBox>("GroupBox1");
  ASSERT_TRUE(group);
  auto picture = PaintedPicture(group);
  TCanvas* c = picture->Canvas();
  int line = -1;  // the frame's top line: the first row of shadow at the left edge
  for (int y = 0; y < 20 && line < 0; ++y)
    if (ColorToRGB(c->Pixels(0, y)) == ColorToRGB(clBtnShadow)) line = y;
  ASSERT_GT(line, 2);
  EXPECT_EQ(ColorToRGB(c->Pixels(100, line)), ColorToRGB(clBtnShadow));
  EXPECT_EQ(ColorToRGB(c->Pixels(100, line + 1)), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(ColorToRGB(c->Pixels(184, 104)), ColorToRGB(clBtnHighlight));
  EXPECT_TRUE(HasColour(picture.get(), RECT{8, 0, 60, line * 2}, clWindowText));
  // The caption's background hides the line behind it.
  int hidden = 0;
  for (int x = 8; x < 40; ++x) hidden += ColorToRGB(c->Pixels(x, line)) != ColorToRGB(clBtnShadow);
  EXPECT_GT(hidden, 20);
}

}  // namespace
