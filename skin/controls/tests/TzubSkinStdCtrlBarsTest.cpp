// The speed-button, tool-bar, tab-control, track-bar and up-down skinners by pixel, what they
// save and give back, and how they let go of their controls.
#include <windows.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include "Buttons.h"
#include "ComCtrls.h"
#include "ImgList.h"
#include "StdCtrlTesting.h"
#include "StdCtrls.h"
#include "ZUBSkinStdCtrlGeometry.h"
#include "ZUBSkinStdCtrlPaint.h"

using namespace stdctrl;
using zubskin::SkinRect;
using zubskin::ToRect;
using zubskin::ToSkinRect;

namespace {

constexpr uint32_t kGreen = 0x00FF00;

// Green with a magenta bottom row: the row a bitmap's transparent colour is taken from.
void PaintGlyph(TBitmap* glyph) {
  glyph->SetSize(16, 16);
  glyph->Canvas()->Brush()->SetColor(static_cast<int32_t>(kGreen));
  glyph->Canvas()->FillRect({0, 0, 16, 15});
  glyph->Canvas()->Brush()->SetColor(static_cast<int32_t>(0xFF00FF));
  glyph->Canvas()->FillRect({0, 15, 16, 16});
}

// Does any pixel of the rectangle show the colour?
bool Shows(HWND wnd, const RECT& r, uint32_t colour) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (Pixel(wnd, x, y) == colour) return true;
  return false;
}

TEST(SkinSpeedButton, FaceByStateAndTheGlyphInEachLayoutWithMarginAndSpacingLeftAlone) {
  SkinnedForm s;
  auto* b = s.Add<TSpeedButton>(20, 20, 90, 40);
  TBitmap glyph;
  PaintGlyph(&glyph);
  b->SetGlyph(&glyph);
  b->SetCaption("Go");
  auto* skinner = s.Attach<TzubSkinSpeedButton>(b);
  HWND form = s.f.form->Handle();
  auto at = [&](int x, int y) { return Pixel(form, b->Left() + x, b->Top() + y); };

  struct State {
    const char* name;
    bool enabled, hot, down;
    uint32_t face;
  } states[] = {
      {"normal", true, false, false, kForm}, {"hot", true, true, false, kHot},
      {"down", true, false, true, kDown},    {"disabled under the mouse", false, true, false, kForm},
  };
  for (const State& st : states) {
    b->SetGroupIndex(st.down ? 1 : 0);
    b->SetDown(st.down);
    b->SetEnabled(st.enabled);
    b->Perform(st.hot ? CM_MOUSEENTER : CM_MOUSELEAVE);
    Redraw(form);
    EXPECT_EQ(at(2, 2), st.face) << st.name;
    if (st.face != kForm) {
      EXPECT_EQ(at(0, 0), kBorder) << st.name;
    }
  }
  b->SetEnabled(true);
  b->SetDown(false);
  b->Perform(CM_MOUSELEAVE);

  TControlCanvas canvas;
  canvas.SetControl(b);
  canvas.SetFont(b->Font());
  const SIZE text = canvas.TextExtent("Go");
  for (TButtonLayout layout : {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom}) {
    b->SetLayout(layout);
    Redraw(form);
    const auto place = zubskin::SpeedButtonLayout({0, 0, 90, 40}, 16, 16, text.cx, text.cy, layout, false, -1, 4);
    EXPECT_EQ(at(place.glyph.x + 8, place.glyph.y + 8), kGreen) << int(layout);
    EXPECT_EQ(at(place.glyph.x + 16, place.glyph.y + 8), kForm) << int(layout);
    // Held down: the glyph one pixel right and down.
    b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(at(place.glyph.x + 16, place.glyph.y + 8), kGreen) << int(layout);
    b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  EXPECT_EQ(b->Margin(), -1);
  EXPECT_EQ(b->Spacing(), 4);
  (void)skinner;
}

// A recorder of the bar's own custom-draw handler.
struct AppHandler {
  void Draw(TToolBar*, TToolButton*, TCustomDrawState, bool&) { ++calls; }
  TTBCustomDrawBtnEvent Event() { return TTBCustomDrawBtnEvent::Bind<&AppHandler::Draw>(this); }
  int calls = 0;
};

TToolBar* NewToolBar(SkinnedForm& s) {
  auto* bar = s.Add<TToolBar>(0, 0, 400, 30);
  bar->SetShowCaptions(true);
  bar->SetButtonWidth(60);
  for (const char* caption : {"Open", "Bold", "Drop"}) {
    auto* b = Create<TToolButton>(s.f.form);
    b->SetCaption(caption);
    b->SetParent(bar);
  }
  bar->Buttons(1)->SetStyle(tbsCheck);
  bar->Buttons(1)->SetDown(true);
  bar->Buttons(2)->SetStyle(tbsDropDown);
  return bar;
}

TEST(SkinToolBar, HotDownCheckedAndDropDownButtonsInTheSkinsColours) {
  SkinnedForm s;
  TToolBar* bar = NewToolBar(s);
  auto* skinner = s.Attach<TzubSkinToolBar>(bar);
  Redraw(bar->Handle());
  const RECT bold = bar->Buttons(1)->BoundsRect();
  EXPECT_EQ(Pixel(bar, bold.left + 2, bold.top + 2), kHot);  // checked, not hot: the hot look

  struct Case {
    int button;
    TCustomDrawState state;
    bool defaultDraw;
    uint32_t face;
  } cases[] = {
      {0, {cdsHot}, false, kHot},
      {0, {cdsHot, cdsSelected}, false, kDown},
      {0, {cdsSelected}, false, kDown},  // held down, as Wine reports it
      {1, {cdsChecked}, false, kHot},
      {0, {}, true, 0},
      {2, {cdsHot}, false, kHot},
  };
  for (const Case& c : cases) {
    TToolButton* button = bar->Buttons(c.button);
    bool defaultDraw = true;
    skinner->ToolBarCustomDrawButton(bar, button, c.state, defaultDraw);
    EXPECT_EQ(defaultDraw, c.defaultDraw) << c.button;
    const RECT r = button->BoundsRect();
    if (!c.defaultDraw) {
      EXPECT_EQ(Pixel(bar, r.left + 2, r.top + 2), c.face) << c.button;
      EXPECT_EQ(Pixel(bar, r.left, r.top), kBorder) << c.button;
    }
  }
  // The drop-down arrow and the line that parts it off.
  const RECT drop = bar->Buttons(2)->BoundsRect();
  const int m = drop.top + (drop.bottom - drop.top) / 2;
  EXPECT_EQ(Pixel(bar, drop.right - 7, m), 0u);
  EXPECT_EQ(Pixel(bar, drop.right - 14, drop.top + 2), 0u);
}

TEST(SkinToolBar, FlatAndTheOwnHandlerComeBackAfterOnOnOffOnOff) {
  SkinnedForm s;
  TToolBar* bar = NewToolBar(s);
  AppHandler app;
  bar->OnCustomDrawButton = app.Event();
  auto* skinner = s.Attach<TzubSkinToolBar>(bar);
  skinner->SkinStateChanged();  // switched on twice in a row
  EXPECT_TRUE(bar->Flat());
  EXPECT_TRUE(bar->OnCustomDrawButton.Data() == skinner);
  for (bool on : {false, true, false}) {
    s.Switch(on);
    EXPECT_EQ(bar->Flat(), on) << on;
    EXPECT_TRUE(bar->Transparent());
    EXPECT_EQ(bar->OnCustomDrawButton == app.Event(), !on) << on;
  }
  s.Switch(true);
  ReleaseSkinControl(skinner);  // detached from a live bar: the bar's handler back
  s.skinners.clear();
  EXPECT_TRUE(bar->OnCustomDrawButton == app.Event());
  Redraw(bar->Handle());
  EXPECT_GT(app.calls, 0);
}

TEST(SkinToolBar, ABarThatGoesFirstIsNotTouchedAgain) {
  SkinnedForm s;
  TToolBar* bar = NewToolBar(s);
  TzubSkinControlVCL* skinner = CreateSkinControl(NewSkinControlVCL<TzubSkinToolBar>, bar, s.window);
  s.window->ControlSkinners.push_back(skinner);
  skinner->SkinStateChanged();
  bar->Free();  // the skinner hears of it, leaves its window's list and goes without touching it
  EXPECT_EQ(s.window->ControlSkinners, std::vector<TzubSkinControl*>{nullptr});
}

TEST(SkinTabControl, TabsAndBarAtEachPositionAndTheTabHeightBackAfterOnOnOffOnOff) {
  SkinnedForm s;
  auto* tabs = s.Add<TTabControl>(10, 10, 300, 200);
  for (const char* t : {"One", "Two", "Three"}) tabs->Tabs()->Add(t);
  tabs->SetTabIndex(0);
  tabs->SetTabHeight(30);
  auto* skinner = s.Attach<TzubSkinTabControl>(tabs);
  skinner->SkinStateChanged();
  EXPECT_EQ(tabs->TabHeight(), 0);

  for (TTabPosition position : {tpTop, tpBottom, tpLeft, tpRight}) {
    tabs->SetTabPosition(position);
    Redraw(tabs->Handle());
    for (int i : {0, 1}) {
      RECT item{};
      SendMessageA(tabs->Handle(), TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
      EXPECT_EQ(Pixel(tabs, item.left + 1, item.top + 1), i == 0 ? kTabSelected : kTabOther)
          << "position " << int(position) << " tab " << i;
    }
    RECT page = tabs->ClientRect();
    SendMessageA(tabs->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    InflateRect(&page, 2, 2);
    const bool sideways = position == tpLeft || position == tpRight;
    const SkinRect bar = zubskin::TabBarRect(ToSkinRect(page), static_cast<zubskin::SkinSide>(position),
                                             sideways ? 3 : 10, sideways ? 10 : 3);
    EXPECT_EQ(Pixel(tabs, (bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2), kTabBar) << int(position);
  }
  for (bool on : {false, true, false}) {
    s.Switch(on);
    EXPECT_EQ(tabs->TabHeight(), on ? 0 : 30) << on;
  }
}

TEST(SkinTabControl, APageControlsTabShowsTheImageOfItsVisiblePageAndNoneForANegativeIndex) {
  SkinnedForm s;
  auto* images = Create<TImageList>(s.f.form);
  const uint32_t colours[] = {0x0000FF, 0x00FF00, 0xFF0000};
  for (uint32_t c : colours) {
    TBitmap bmp;
    bmp.SetSize(16, 16);
    bmp.Canvas()->Brush()->SetColor(static_cast<int32_t>(c));
    bmp.Canvas()->FillRect({0, 0, 16, 16});
    images->Add(&bmp, nullptr);
  }
  auto* pages = s.Add<TPageControl>(10, 10, 360, 200);
  pages->SetImages(images);
  const int imageOfPage[] = {-1, 1, 2};
  for (int i = 0; i < 3; ++i) {
    auto* sheet = Create<TTabSheet>(s.f.form);
    sheet->SetCaption("Page");
    sheet->SetPageControl(pages);
    sheet->SetImageIndex(imageOfPage[i]);
  }
  pages->Pages(1)->SetTabVisible(false);
  s.Attach<TzubSkinTabControl>(pages);
  Redraw(pages->Handle());
  RECT tab0{}, tab1{};
  SendMessageA(pages->Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab0));
  SendMessageA(pages->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab1));
  for (uint32_t c : colours) EXPECT_FALSE(Shows(pages->Handle(), tab0, c)) << std::hex << c;
  // Without an image the caption is centred, not moved aside for one.
  TControlCanvas canvas;
  canvas.SetControl(pages);
  canvas.SetFont(pages->Font());
  const int textEnd = tab0.left + (tab0.right - tab0.left + canvas.TextWidth("Page")) / 2;
  EXPECT_TRUE(Shows(pages->Handle(), {tab0.left, tab0.top, textEnd, tab0.bottom}, 0));
  EXPECT_FALSE(Shows(pages->Handle(), {textEnd + 1, tab0.top, tab0.right, tab0.bottom}, 0));
  EXPECT_TRUE(Shows(pages->Handle(), tab1, colours[2]));   // the second visible page's image
  EXPECT_FALSE(Shows(pages->Handle(), tab1, colours[1]));  // not the hidden page's
}

TEST(SkinTrackBar, ChannelThumbAndTicksInBothOrientations) {
  SkinnedForm s;
  for (TTrackBarOrientation o : {trHorizontal, trVertical}) {
    const bool vertical = o == trVertical;
    auto* bar = vertical ? s.Add<TTrackBar>(300, 10, 45, 200) : s.Add<TTrackBar>(10, 10, 200, 45);
    bar->SetOrientation(o);
    bar->SetTickMarks(tmBoth);
    bar->SetFrequency(5);
    s.Attach<TzubSkinTrackBar>(bar);
    Redraw(bar->Handle());
    HWND w = bar->Handle();
    RECT c{}, thumb{};  // the channel as the control reports it: as it lies under Wine
    SendMessageA(w, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&c));
    SendMessageA(w, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    // The 4-pixel bar along the channel's middle, 2 pixels right of it when upright.
    const int cx = (c.left + c.right) / 2 + 2, cy = (c.top + c.bottom) / 2;
    EXPECT_EQ(vertical ? Pixel(bar, cx, c.bottom - 10) : Pixel(bar, c.right - 10, cy), kTrackBar) << int(o);
    EXPECT_EQ(Pixel(bar, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2), vertical ? kSliderV : kSlider);
    // The first end mark on each side: 4 pixels in from the channel's end, 2 beyond the thumb
    // and 3 long.
    if (vertical) {
      EXPECT_EQ(Pixel(bar, thumb.left - 4, c.top + 4), 0u);
      EXPECT_EQ(Pixel(bar, thumb.right + 3, c.top + 4), 0u);
    } else {
      EXPECT_EQ(Pixel(bar, c.left + 4, thumb.top - 4), 0u);
      EXPECT_EQ(Pixel(bar, c.left + 4, thumb.bottom + 3), 0u);
    }
  }
}

TEST(SkinTrackBar, FocusChangesArePaintedAndStillReachTheControl) {
  SkinnedForm s;
  auto* edit = s.Add<TEdit>(10, 100, 100, 22);
  auto* bar = s.Add<TTrackBar>(10, 10, 200, 45);
  MessageSpy spy(bar);
  s.Attach<TzubSkinTrackBar>(bar);
  SetForegroundWindow(s.f.form->Handle());
  SetFocus(bar->Handle());
  SetFocus(edit->Handle());
  EXPECT_TRUE(spy.Saw(CM_GOTFOCUS));
  EXPECT_TRUE(spy.Saw(WM_KILLFOCUS));
}

TEST(SkinUpDown, ThePressedHalfInTheDownColourUntilTheButtonIsReleased) {
  SkinnedForm s;
  for (TUDOrientation o : {udVertical, udHorizontal}) {
    const bool horizontal = o == udHorizontal;
    auto* ud = s.Add<TUpDown>(10 + 60 * horizontal, 10, horizontal ? 40 : 16, horizontal ? 16 : 40);
    ud->SetOrientation(o);
    s.Attach<TzubSkinUpDown>(ud);
    const SkinRect first = zubskin::UpDownHalf(ud->Width(), ud->Height(), horizontal, -1);
    const SkinRect second = zubskin::UpDownHalf(ud->Width(), ud->Height(), horizontal, 1);
    const SkinRect& pressed = horizontal ? second : first;
    const SkinRect& other = horizontal ? first : second;
    ud->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pressed.left + 2, pressed.top + 2));
    EXPECT_EQ(Pixel(ud, pressed.left + 1, pressed.top + 1), kDown) << int(o);
    EXPECT_EQ(Pixel(ud, other.left + 1, other.top + 1), kForm) << int(o);
    ud->Perform(WM_LBUTTONUP, 0, MAKELPARAM(pressed.left + 2, pressed.top + 2));
    EXPECT_EQ(Pixel(ud, pressed.left + 1, pressed.top + 1), kForm) << int(o);
    // The second half is outlined after the first arrow is drawn: still in the border colour.
    for (bool enabled : {true, false}) {
      ud->SetEnabled(enabled);
      EXPECT_EQ(Pixel(ud, second.left, second.bottom - 1), kBorder) << int(o) << " enabled " << enabled;
    }
  }
}

}  // namespace
