// The common controls read from descriptions, checked through their messages.
#include "ComCtrls.h"
#include "StdCtrls.h"
#include "TrackBar.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "ControlsTesting.h"

namespace {

const char kListView[] = R"(
  object ListView1: TListView
    Left = 128
    Top = 88
    Width = 249
    Height = 153
    Checkboxes = True
    Columns = <
      item
        Caption = 'Vob Files:'
        Width = 100
      end
      item
        Caption = 'Size'
        Width = 100
      end>
    RowSelect = True
    TabOrder = 2
    ViewStyle = vsReport
  end)";

std::string ItemText(HWND wnd, int item, int sub) {
  char text[256] = {};
  LVITEMA it{};
  it.iSubItem = sub;
  it.pszText = text;
  it.cchTextMax = sizeof text;
  SendMessageA(wnd, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&it));
  return text;
}

bool TickedInWindow(HWND wnd, int item) {
  return (SendMessageA(wnd, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) ==
         INDEXTOSTATEIMAGEMASK(2);
}

void AddFiles(TListView* lv) {
  lv->Items()->BeginUpdate();
  for (const char* name : {"VTS_01_1.VOB", "VTS_01_2.VOB", "VTS_01_3.VOB"}) {
    TListItem* item = lv->Items()->Add();
    item->SetCaption(name);
    item->SubItems()->Add("1073709056");
  }
  lv->Items()->EndUpdate();
}

TEST(ListView, ReportViewWithCheckBoxesAndColumnsFromTheDescription) {
  TestForm t(kListView);
  auto* lv = t.Get<TListView>("ListView1");
  ASSERT_TRUE(lv);
  HWND wnd = lv->Handle();
  EXPECT_EQ(WindowClass(wnd), "TListView");
  EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  DWORD ex = static_cast<DWORD>(SendMessageA(wnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_EQ(ex & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT), DWORD(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));
  ASSERT_EQ(lv->Columns()->Count(), 2);
  const char* captions[] = {"Vob Files:", "Size"};
  for (int i = 0; i < 2; ++i) {
    char text[64] = {};
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = text;
    col.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(wnd, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&col)));
    EXPECT_STREQ(text, captions[i]);
    EXPECT_EQ(col.cx, 100);
  }
  SendMessageA(wnd, LVM_SETCOLUMNWIDTH, 1, 60);  // the user drags the divider
  EXPECT_EQ(lv->Columns()->Items(1)->Width(), 60);
}

TEST(ListView, ItemsCheckedAndSelectedAreTheControlsState) {
  TestForm t(kListView);
  auto* lv = t.Get<TListView>("ListView1");
  ASSERT_TRUE(lv);
  AddFiles(lv);  // before the window: kept by the items, pushed into it later
  lv->Items()->Item(2)->SetChecked(true);
  HWND wnd = lv->Handle();
  ASSERT_EQ(SendMessageA(wnd, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(ItemText(wnd, 1, 0), "VTS_01_2.VOB");
  EXPECT_EQ(ItemText(wnd, 1, 1), "1073709056");
  EXPECT_FALSE(TickedInWindow(wnd, 0));
  EXPECT_TRUE(TickedInWindow(wnd, 2));

  // A tick and a selection made in the control, as by the user.
  LVITEMA state{};
  state.stateMask = LVIS_STATEIMAGEMASK;
  state.state = INDEXTOSTATEIMAGEMASK(2);
  SendMessageA(wnd, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  SendMessageA(wnd, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  EXPECT_TRUE(lv->Items()->Item(0)->Checked());
  EXPECT_FALSE(lv->Items()->Item(1)->Checked());
  EXPECT_EQ(lv->Selected(), lv->Items()->Item(1));
  lv->Selected()->SetChecked(true);
  EXPECT_TRUE(TickedInWindow(wnd, 1));
  lv->Items()->Item(2)->SetChecked(false);
  EXPECT_FALSE(TickedInWindow(wnd, 2));

  lv->SetBorderStyle(bsNone);  // a new window: ticks, selection and texts come along
  ASSERT_NE(lv->Handle(), wnd);
  wnd = lv->Handle();
  EXPECT_TRUE(TickedInWindow(wnd, 0));
  EXPECT_TRUE(TickedInWindow(wnd, 1));
  EXPECT_FALSE(TickedInWindow(wnd, 2));
  EXPECT_EQ(lv->Selected(), lv->Items()->Item(1));
  EXPECT_EQ(ItemText(wnd, 2, 1), "1073709056");

  lv->Items()->Item(0)->SubItems()->SetString(0, "12");
  EXPECT_EQ(ItemText(wnd, 0, 1), "12");
  lv->Items()->Clear();
  EXPECT_EQ(lv->Items()->Count(), 0);
  EXPECT_EQ(SendMessageA(wnd, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(lv->Selected(), nullptr);
}

struct ClickLog {
  void Clicked(TObject* sender) { senders.push_back(sender); }
  std::vector<TObject*> senders;
};

const char kToolBar[] = R"(
  object ToolBar1: TToolBar
    Left = 400
    Top = 104
    Width = 81
    Height = 113
    Align = alNone
    ButtonHeight = 21
    ButtonWidth = 63
    Caption = 'ToolBar1'
    Flat = True
    ShowCaptions = True
    TabOrder = 3
    object ToolButton1: TToolButton
      Left = 0
      Top = 0
      Caption = 'Select'
    end
    object ToolButton2: TToolButton
      Left = 0
      Top = 21
      Caption = 'Unselect'
    end
    object ToolButton4: TToolButton
      Left = 0
      Top = 42
      Caption = 'Select All'
    end
    object ToolButton3: TToolButton
      Left = 0
      Top = 63
      Caption = 'Unselect All'
    end
  end)";

TEST(ToolBar, ButtonsOnePerRowAndClickedThroughTheBarsCommand) {
  TestForm t(kToolBar);
  auto* bar = t.Get<TToolBar>("ToolBar1");
  ASSERT_TRUE(bar);
  ASSERT_EQ(bar->ButtonCount(), 4);
  EXPECT_TRUE(bar->Buttons(0)->IsGraphic());
  EXPECT_TRUE(TToolButton::StaticClass()->InheritsFrom(TGraphicControl::StaticClass()));
  t.Show();
  HWND wnd = bar->Handle();
  EXPECT_EQ(WindowClass(wnd), "TToolBar");
  EXPECT_TRUE(GetWindowLongA(wnd, GWL_STYLE) & TBSTYLE_FLAT);
  ASSERT_EQ(SendMessageA(wnd, TB_BUTTONCOUNT, 0, 0), 4);
  const char* captions[] = {"Select", "Unselect", "Select All", "Unselect All"};
  int lastTop = -1;
  for (int i = 0; i < 4; ++i) {
    RECT r{};
    ASSERT_TRUE(SendMessageA(wnd, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)));
    EXPECT_EQ(r.left, 0) << captions[i];  // one per row
    EXPECT_GT(r.top, lastTop) << captions[i];
    EXPECT_EQ(r.right - r.left, 63) << captions[i];
    lastTop = r.top;
    TToolButton* b = bar->Buttons(i);
    EXPECT_EQ(b->Caption(), captions[i]);
    EXPECT_EQ(b->BoundsRect().top, r.top);  // the graphic control lies where the bar drew it
    char text[64] = {};
    SendMessageA(wnd, TB_GETBUTTONTEXTA, i, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, captions[i]);
  }

  ClickLog log;
  for (int i = 0; i < 4; ++i) bar->Buttons(i)->OnClick = TNotifyEvent::Bind<&ClickLog::Clicked>(&log);
  TToolButton* second = bar->Buttons(1);
  int x = second->Left() + second->Width() / 2, y = second->Top() + second->Height() / 2;
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  WaitUntil([&] { return !log.senders.empty(); }, 2000);
  ASSERT_EQ(log.senders.size(), 1u);
  EXPECT_EQ(log.senders[0], second);
}

TEST(ToolBar, NotificationsOfTheBarReachItAsCnNotify) {
  TestForm t(kToolBar);
  auto* bar = t.Get<TToolBar>("ToolBar1");
  ASSERT_TRUE(bar);
  t.Show();
  MessageSpy spy(bar);
  RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(spy.Saw(CN_NOTIFY));
  EXPECT_FALSE(spy.Saw(WM_NOTIFY));
}

TEST(ProgressBar, PositionIsReadBackAsTheControlClampsIt) {
  TestForm t(R"(
  object ProgressBar1: TProgressBar
    Left = 16
    Top = 176
    Width = 441
    Height = 9
    Min = 0
    Max = 100
    Smooth = True
    Step = 1
    TabOrder = 1
  end)");
  auto* bar = t.Get<TProgressBar>("ProgressBar1");
  ASSERT_TRUE(bar);
  bar->SetPosition(250);  // no window yet
  EXPECT_EQ(bar->Position(), 100);
  HWND wnd = bar->Handle();
  EXPECT_EQ(WindowClass(wnd), "TProgressBar");
  EXPECT_TRUE(GetWindowLongA(wnd, GWL_STYLE) & PBS_SMOOTH);
  EXPECT_EQ(SendMessageA(wnd, PBM_GETPOS, 0, 0), 100);
  EXPECT_EQ(SendMessageA(wnd, PBM_GETRANGE, FALSE, 0), 100);
  struct Case {
    int32_t set, read;
  };
  for (Case c : {Case{50, 50}, Case{150, 100}, Case{-5, 0}, Case{99, 99}}) {
    bar->SetPosition(c.set);
    EXPECT_EQ(bar->Position(), c.read) << c.set;
    EXPECT_EQ(SendMessageA(wnd, PBM_GETPOS, 0, 0), c.read) << c.set;
  }
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 100);
  bar->SetMax(40);  // the range shrinks below the position
  EXPECT_EQ(bar->Position(), 40);
  bar->SetMax(4);
  bar->SetPosition(3);
  bar->SetSmooth(false);  // a new window, at the same position
  EXPECT_NE(bar->Handle(), wnd);
  EXPECT_FALSE(GetWindowLongA(bar->Handle(), GWL_STYLE) & PBS_SMOOTH);
  EXPECT_EQ(SendMessageA(bar->Handle(), PBM_GETPOS, 0, 0), 3);
}

const char kThinControls[] = R"(
  object StatusBar1: TStatusBar
    Top = 370
    Width = 500
    SimpleText = 'Ready'
  end
  object DateTimePicker1: TDateTimePicker
    Left = 8
    Top = 8
    Kind = dtkTime
  end
  object TreeView1: TTreeView
    Left = 8
    Top = 40
    ShowLines = False
  end
  object HotKey1: THotKey
    Left = 8
    Top = 150
    HotKey = 16449
  end
  object TrackBar1: TTrackBar
    Left = 200
    Top = 8
    Width = 45
    Height = 150
    Orientation = trVertical
    TickStyle = tsNone
    TickMarks = tmBoth
    Min = 5
    Max = 50
    Position = 20
    Frequency = 5
  end
  object Edit1: TEdit
    Left = 300
    Top = 8
    Width = 80
  end
  object UpDown1: TUpDown
    Left = 380
    Top = 8
    Orientation = udHorizontal
    Min = -10
    Max = 10
    Position = 3
    Associate = Edit1
  end)";

TEST(CommonControls, EachMakesItsPlatformControlWithTheStylesOfItsProperties) {
  TestForm t(kThinControls);
  struct Case {
    const char* name;
    DWORD set, clear;
  };
  const Case cases[] = {
      {"StatusBar1", SBARS_SIZEGRIP, 0},
      {"DateTimePicker1", DTS_TIMEFORMAT, 0},
      {"TreeView1", TVS_HASBUTTONS | TVS_LINESATROOT, TVS_HASLINES},
      {"HotKey1", 0, 0},
      {"TrackBar1", TBS_VERT | TBS_NOTICKS | TBS_BOTH, TBS_AUTOTICKS},
      {"UpDown1", UDS_HORZ | UDS_SETBUDDYINT, 0},
  };
  for (const Case& c : cases) {
    auto* control = t.Get<TWinControl>(c.name);
    ASSERT_TRUE(control);
    HWND wnd = control->Handle();
    EXPECT_EQ(WindowClass(wnd), control->ClassName()) << c.name;
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(wnd, GWL_STYLE));
    EXPECT_EQ(style & c.set, c.set) << c.name;
    EXPECT_EQ(style & c.clear, 0u) << c.name;
  }
}

TEST(CommonControls, PropertiesReachTheControlAndReadBack) {
  TestForm t(kThinControls);
  auto* status = t.Get<TStatusBar>("StatusBar1");
  char text[64] = {};
  // Wine answers the simple text for part 0, not for SB_SIMPLEID.
  EXPECT_TRUE(SendMessageA(status->Handle(), SB_ISSIMPLE, 0, 0));
  SendMessageA(status->Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Ready");
  EXPECT_EQ(WindowFromDC(status->Canvas()->Handle()), status->Handle());
  status->SetSizeGrip(false);
  EXPECT_FALSE(GetWindowLongPtrA(status->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
  EXPECT_EQ(WindowFromDC(status->Canvas()->Handle()), status->Handle()) << "the canvas follows the new window";

  auto* hotKey = t.Get<THotKey>("HotKey1");
  EXPECT_EQ(SendMessageA(hotKey->Handle(), HKM_GETHOTKEY, 0, 0), MAKEWORD('A', HOTKEYF_CONTROL));
  SendMessageA(hotKey->Handle(), HKM_SETHOTKEY, MAKEWORD(VK_F2, HOTKEYF_SHIFT | HOTKEYF_ALT), 0);
  EXPECT_EQ(hotKey->HotKey(), scShift | scAlt | VK_F2);

  auto* track = t.Get<TTrackBar>("TrackBar1");
  HWND wnd = track->Handle();
  EXPECT_EQ(SendMessageA(wnd, TBM_GETRANGEMIN, 0, 0), 5);
  EXPECT_EQ(SendMessageA(wnd, TBM_GETRANGEMAX, 0, 0), 50);
  EXPECT_EQ(SendMessageA(wnd, TBM_GETPOS, 0, 0), 20);
  struct Case {
    int32_t set, read;
  };
  for (Case c : {Case{60, 50}, Case{-1, 5}, Case{33, 33}}) {
    track->SetPosition(c.set);
    EXPECT_EQ(track->Position(), c.read) << c.set;
  }
  track->SetTickStyle(tsAuto);  // a new window: marks every Frequency positions, the position kept
  EXPECT_EQ(SendMessageA(track->Handle(), TBM_GETNUMTICS, 0, 0), (50 - 5) / 5 + 1);
  EXPECT_EQ(track->Position(), 33);

  auto* upDown = t.Get<TUpDown>("UpDown1");
  auto* edit = t.Get<TEdit>("Edit1");
  HWND ud = upDown->Handle();
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(ud, UDM_GETBUDDY, 0, 0)), edit->Handle());
  EXPECT_EQ(edit->Text(), "3");
  EXPECT_EQ(upDown->Left(), edit->Left() + edit->Width());  // moved to its associate's edge
  SendMessageA(ud, UDM_SETPOS32, 0, 8);
  EXPECT_EQ(upDown->Position(), 8);
  EXPECT_EQ(edit->Text(), "8");
  int lo = 0, hi = 0;
  SendMessageA(ud, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
  EXPECT_EQ(lo, -10);
  EXPECT_EQ(hi, 10);
  edit->Free();  // the associate goes: the up-down lets go of it
  EXPECT_EQ(upDown->Associate(), nullptr);
  EXPECT_EQ(SendMessageA(ud, UDM_GETBUDDY, 0, 0), 0);

  auto* tree = t.Get<TTreeView>("TreeView1");
  HTREEITEM root = tree->AddItem(nullptr, "Root");
  tree->AddItem(root, "Child");
  HWND treeWnd = tree->Handle();
  tree->SetShowLines(true);  // in place: the items stay
  tree->SetBorderStyle(bsNone);
  EXPECT_EQ(tree->Handle(), treeWnd);
  EXPECT_TRUE(GetWindowLongPtrA(treeWnd, GWL_STYLE) & TVS_HASLINES);
  EXPECT_FALSE(GetWindowLongPtrA(treeWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(tree->ItemCount(), 2);
}

}  // namespace
