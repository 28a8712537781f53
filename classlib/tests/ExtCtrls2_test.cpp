// Radio groups, notebooks, control bars and mask edits read from a description.
#include <gtest/gtest.h>

#include "ControlsTesting.h"
#include "ExtCtrls.h"
#include "Mask.h"

namespace {

const char kControls[] = R"(
  object RadioGroup1: TRadioGroup
    Left = 8
    Top = 8
    Width = 200
    Height = 120
    Caption = 'Frame size'
    Columns = 2
    ItemIndex = 2
    Items.Strings = (
      '176x144'
      '320x240'
      '352x288'
      '640x480')
  end
  object Notebook1: TNotebook
    Left = 220
    Top = 8
    Width = 150
    Height = 100
    PageIndex = 1
    object Page1: TPage
      Caption = 'First'
    end
    object Page2: TPage
      Caption = 'Second'
    end
  end
  object ControlBar1: TControlBar
    Left = 8
    Top = 200
    Width = 300
    Height = 40
    object Edit1: TEdit
      Left = 20
      Top = 8
      Width = 100
    end
  end
  object MaskEdit1: TMaskEdit
    Left = 8
    Top = 250
    EditMask = '!99/99/00;1;_'
    MaxLength = 8
    Text = '12/05/26'
  end)";

struct Counter {
  void Count(TObject*) { ++n; }
  int n = 0;
};

bool Checked(TWinControl* button) { return SendMessageA(button->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

TEST(RadioGroup, OneButtonPerItemInColumnsAndAClickedButtonBecomesTheItemIndex) {
  TestForm t(kControls);
  auto* group = t.Get<TRadioGroup>("RadioGroup1");
  ASSERT_TRUE(group);
  ASSERT_EQ(group->ButtonCount(), 4);
  const int lefts[] = {8, 8, 103, 103};
  for (int i = 0; i < 4; ++i) {
    TGroupButton* button = group->Buttons(i);
    EXPECT_EQ(WindowClass(button->Handle()), "TGroupButton");
    EXPECT_EQ(GetParent(button->Handle()), group->Handle());
    EXPECT_EQ(WindowText(button->Handle()), group->Items()->Strings(i));
    EXPECT_EQ(button->Left(), lefts[i]) << i;
    EXPECT_EQ(Checked(button), i == 2) << i;
  }
  EXPECT_GT(group->Buttons(1)->Top(), group->Buttons(0)->Top());
  EXPECT_EQ(group->Buttons(2)->Top(), group->Buttons(0)->Top());

  Counter clicks;
  group->OnClick = TNotifyEvent::Bind<&Counter::Count>(&clicks);
  SendMessageA(group->Buttons(3)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(group->ItemIndex(), 3);
  EXPECT_FALSE(Checked(group->Buttons(2)));
  EXPECT_EQ(clicks.n, 1);
  group->SetItemIndex(-1);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(Checked(group->Buttons(i))) << i;
  group->Items()->Delete(3);
  group->Items()->Add("720x576");
  group->Items()->Add("1280x720");
  EXPECT_EQ(group->ButtonCount(), 5);
  EXPECT_EQ(WindowText(group->Buttons(4)->Handle()), "1280x720");
}

TEST(Notebook, ShowsOnlyItsActivePageOverItsWholeClientArea) {
  TestForm t(kControls);
  auto* notebook = t.Get<TNotebook>("Notebook1");
  ASSERT_TRUE(notebook);
  ASSERT_EQ(notebook->PageCount(), 2);
  EXPECT_EQ(WindowClass(notebook->Handle()), "TNotebook");
  EXPECT_EQ(notebook->ActivePage(), "Second");
  auto shown = [&](int i) { return (GetWindowLongA(notebook->Pages(i)->Handle(), GWL_STYLE) & WS_VISIBLE) != 0; };
  EXPECT_FALSE(shown(0));
  EXPECT_TRUE(shown(1));
  RECT r;
  GetWindowRect(notebook->Pages(1)->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 150);
  EXPECT_EQ(r.bottom - r.top, 100);

  notebook->SetActivePage("First");
  EXPECT_EQ(notebook->PageIndex(), 0);
  EXPECT_TRUE(shown(0));
  EXPECT_FALSE(shown(1));
  notebook->SetPageIndex(2);  // no such page
  notebook->SetActivePage("Third");
  EXPECT_EQ(notebook->PageIndex(), 0);
  notebook->SetBounds(220, 8, 160, 120);
  GetWindowRect(notebook->Pages(0)->Handle(), &r);
  EXPECT_EQ(r.bottom - r.top, 120);
}

TEST(ControlBar, DrawsARaisedEdgeRoundEachBand) {
  TestForm t(kControls);
  auto* bar = t.Get<TControlBar>("ControlBar1");
  ASSERT_TRUE(bar);
  auto picture = PaintedPicture(bar);
  EXPECT_EQ(ColorToRGB(picture->Canvas()->Pixels(18, 6)), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(ColorToRGB(picture->Canvas()->Pixels(10, 6)), ColorToRGB(clBtnFace));
}

TEST(MaskEdit, AnEditThatKeepsItsMask) {
  TestForm t(kControls);
  auto* edit = t.Get<TMaskEdit>("MaskEdit1");
  ASSERT_TRUE(edit);
  HWND wnd = edit->Handle();
  EXPECT_EQ(WindowClass(wnd), "TMaskEdit");
  WNDCLASSA platform{};
  GetClassInfoA(nullptr, "Edit", &platform);
  EXPECT_EQ(edit->DefWndProc(), platform.lpfnWndProc);
  EXPECT_EQ(WindowText(wnd), "12/05/26");
  EXPECT_EQ(SendMessageA(wnd, EM_GETLIMITTEXT, 0, 0), 8);
  EXPECT_EQ(edit->EditMask(), "!99/99/00;1;_");
}

}  // namespace
