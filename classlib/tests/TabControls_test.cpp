// Tab control and page control: the tabs in the control, the tab height, and pages shown one at
// a time over the display area.
#include "TabControls.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "ComCtrls.h"
#include "ControlsTesting.h"
#include "ImgList.h"

namespace {

int TabRowHeight(HWND wnd) {
  RECT r{};
  SendMessageA(wnd, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  return r.bottom - r.top;
}

std::string TabText(HWND wnd, int i) {
  char text[64] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(wnd, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
  return text;
}

TEST(TabControl, TabsIndexPositionAndHeightReachTheControl) {
  TestForm t(R"(
  object TabControl1: TTabControl
    Width = 300
    Height = 120
    TabHeight = 30
    TabPosition = tpBottom
    Tabs.Strings = (
      'One'
      'Two'
      'Three')
    TabIndex = 1
  end)");
  auto* tc = t.Get<TTabControl>("TabControl1");
  ASSERT_TRUE(tc);
  HWND wnd = tc->Handle();
  EXPECT_EQ(WindowClass(wnd), "TTabControl");
  EXPECT_TRUE(GetWindowLongPtrA(wnd, GWL_STYLE) & TCS_BOTTOM);
  ASSERT_EQ(SendMessageA(wnd, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(TabText(wnd, 2), "Three");
  EXPECT_EQ(SendMessageA(wnd, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(TabRowHeight(wnd), 30);
  EXPECT_THROW(tc->SetTabHeight(-1), EInvalidOperation);
  tc->SetTabHeight(0);
  EXPECT_NE(TabRowHeight(wnd), 30);  // the platform's own height again
  tc->Tabs()->Delete(0);
  EXPECT_EQ(SendMessageA(wnd, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(TabText(wnd, 0), "Two");
  EXPECT_EQ(WindowFromDC(tc->Canvas()->Handle()), wnd);
  tc->SetTabPosition(tpLeft);  // a new window, with the same tabs and selection
  EXPECT_NE(tc->Handle(), wnd);
  EXPECT_TRUE(GetWindowLongPtrA(tc->Handle(), GWL_STYLE) & TCS_VERTICAL);
  EXPECT_EQ(SendMessageA(tc->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(tc->TabIndex(), 1);
  EXPECT_EQ(WindowFromDC(tc->Canvas()->Handle()), tc->Handle()) << "the canvas follows the new window";
}

struct ChangeLog {
  void Changed(TObject*) { ++changes; }
  int changes = 0;
};

TEST(PageControl, OnePageShownOverTheDisplayAreaAndSwitchedByItsTab) {
  TestForm t(R"(
  object PageControl1: TPageControl
    Left = 10
    Top = 10
    Width = 300
    Height = 200
    ActivePage = TabSheet2
    object TabSheet1: TTabSheet
      Caption = 'First'
      ImageIndex = 1
    end
    object TabSheet2: TTabSheet
      Caption = 'Second'
      object Edit1: TEdit
        Left = 8
        Top = 8
      end
    end
    object TabSheet3: TTabSheet
      Caption = 'Hidden'
      TabVisible = False
    end
  end)");
  auto* pc = t.Get<TPageControl>("PageControl1");
  auto* first = t.Get<TTabSheet>("TabSheet1");
  auto* second = t.Get<TTabSheet>("TabSheet2");
  auto* hidden = t.Get<TTabSheet>("TabSheet3");
  ASSERT_TRUE(pc && first && second && hidden);
  ChangeLog log;
  pc->OnChange = TNotifyEvent::Bind<&ChangeLog::Changed>(&log);
  t.Show();
  HWND wnd = pc->Handle();
  EXPECT_EQ(WindowClass(wnd), "TPageControl");
  EXPECT_EQ(WindowClass(second->Handle()), "TTabSheet");
  ASSERT_EQ(pc->PageCount(), 3);
  EXPECT_EQ(SendMessageA(wnd, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(wnd, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(IsWindowVisible(second->Handle()));
  EXPECT_FALSE(IsWindowVisible(first->Handle()));
  RECT display = pc->DisplayRect(), page = second->BoundsRect();
  EXPECT_TRUE(EqualRect(&display, &page));

  auto* images = Create<TImageList>(t.form, 16, 16);
  TBitmap strip;
  strip.SetSize(32, 16);
  images->Add(&strip, nullptr);
  pc->SetImages(images);  // each tab shows its page's image
  ASSERT_TRUE(SendMessageA(wnd, TCM_GETIMAGELIST, 0, 0));
  TCITEMA item{};
  item.mask = TCIF_IMAGE;
  SendMessageA(wnd, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.iImage, 1);

  pc->SetTabHeight(40);  // the page moves below the taller tabs
  EXPECT_EQ(second->Top(), pc->DisplayRect().top);
  EXPECT_GT(second->Top(), page.top);

  // The user clicks the first tab.
  RECT tab{};
  SendMessageA(wnd, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2));
  EXPECT_EQ(pc->ActivePage(), first);
  EXPECT_EQ(log.changes, 1);
  EXPECT_TRUE(IsWindowVisible(first->Handle()));
  EXPECT_FALSE(IsWindowVisible(second->Handle()));

  pc->SetActivePage(hidden);  // a page without a tab cannot be shown
  EXPECT_EQ(pc->ActivePage(), first);
  hidden->SetTabVisible(true);
  EXPECT_EQ(SendMessageA(wnd, TCM_GETITEMCOUNT, 0, 0), 3);
  second->SetCaption("Renamed");
  EXPECT_EQ(TabText(wnd, 1), "Renamed");
  first->Free();  // the active page goes: no page is shown, the tabs follow
  EXPECT_EQ(pc->ActivePage(), nullptr);
  EXPECT_EQ(pc->PageCount(), 2);
  EXPECT_EQ(SendMessageA(wnd, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(wnd, TCM_GETCURSEL, 0, 0), -1);
}

}  // namespace
