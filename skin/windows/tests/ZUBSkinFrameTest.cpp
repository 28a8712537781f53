// The frame geometry of skinned windows, free of windows.
#include <gtest/gtest.h>

#include <string>

#include "ZUBSkinFrame.h"
#include "ZUBSkinText.h"

using namespace zubskin;

namespace {

// The delivered skin: title 31, borders 5, bottom border 5, 18 x 18 button slices at top 9,
// right offset -6, left offset 20.
constexpr FrameMetrics kDelivered{31, 5, 5, 0, true};
// A skin without border images: "FormBorderWidthInt" 1 (or none at all), no bottom image.
constexpr FrameMetrics kNoImages{24, 1, 0, 0, true};

TEST(SkinClientRect, FollowsTheSkinsFrameNeverNarrowerThanFour) {
  struct Case {
    const char* what;
    FrameMetrics m;
    int captionHeight;
    SkinRect window;
    bool mdiMaximized;
    SkinRect expected;
  } cases[] = {
      {"delivered skin", kDelivered, 25, {100, 100, 500, 400}, false, {105, 131, 495, 395}},
      {"own caption higher than the title", kDelivered, 40, {0, 0, 400, 300}, false, {5, 40, 395, 295}},
      {"border 1 widened to 4", kNoImages, 25, {0, 0, 400, 300}, false, {4, 25, 396, 296}},
      {"no border value at all", {24, -1, 0, 0, true}, 20, {0, 0, 400, 300}, false, {4, 24, 396, 296}},
      {"borders hidden", {31, 5, 5, 0, false}, 25, {0, 0, 400, 300}, false, {0, 31, 400, 300}},
      {"title hidden", {0, 5, 5, 0, true}, 25, {10, 10, 410, 310}, false, {15, 10, 405, 305}},
      {"maximised MDI child", kDelivered, 25, {10, 10, 410, 310}, true, {15, 0, 405, 305}},
      {"not measured yet: top and bottom kept", kDelivered, 0, {0, 0, 400, 300}, false, {5, 22, 395, 296}},
      {"minimised 160 x 24: clamped, not inverted", kDelivered, 25, {0, 0, 160, 24}, false, {5, 24, 155, 24}},
      {"narrower than both borders", kDelivered, 25, {0, 0, 6, 100}, false, {5, 31, 5, 95}},
  };
  for (const Case& c : cases) {
    FrameMetrics m = c.m;
    m.captionHeight = c.captionHeight;
    const SkinRect previous{c.window.left + 4, c.window.top + 22, c.window.right - 4, c.window.bottom - 4};
    const SkinRect r = SkinClientRect(c.window, previous, m, c.mdiMaximized);
    EXPECT_EQ(r, c.expected) << c.what << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    EXPECT_LE(r.left, r.right) << c.what;
    EXPECT_LE(r.top, r.bottom) << c.what;
  }
}

CaptionInput DeliveredCaption(int titleWidth) {
  CaptionInput in;
  in.titleWidth = titleWidth;
  in.sliceWidth = in.sliceHeight = 18;
  in.buttonTop = 9;
  in.leftOffset = 20;
  in.rightOffset = -6;
  return in;
}

TEST(LayoutCaption, ButtonsRightToLeftWithTheirSlicesAndHitBoxes) {
  CaptionInput in = DeliveredCaption(390);
  in.systemIcon = in.maximize = in.minimize = in.help = true;
  CaptionLayout l = LayoutCaption(in);
  ASSERT_EQ(l.buttons.size(), 4u);
  struct Want {
    CaptionElement e;
    SkinRect box;
    int slice;
  } want[] = {{ceClose, {366, 9, 384, 27}, 16},
              {ceMaximize, {346, 9, 364, 27}, 7},
              {ceMinimize, {326, 9, 344, 27}, 13},
              {ceHelp, {306, 9, 324, 27}, 4}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(l.buttons[i].element, want[i].e);
    EXPECT_EQ(l.buttons[i].box, want[i].box) << i;
    EXPECT_EQ(l.buttons[i].firstSlice, want[i].slice);
  }
  EXPECT_EQ(l.iconBox, (SkinRect{24, 9, 40, 25}));
  EXPECT_EQ(l.captionLeft, 42);
  EXPECT_EQ(l.captionRight, 286);  // help moves the caption's end as the others do

  in.maximized = true;
  EXPECT_EQ(LayoutCaption(in).buttons[1].firstSlice, 10);  // restore
}

TEST(LayoutCaption, ButtonTopForLowSkinsAndMinimisedWindows) {
  struct Case {
    int top, slice;
    bool minimized;
    int expected;
  } cases[] = {{9, 18, false, 9}, {3, 18, false, 4}, {-1, 18, false, 4},
               {9, 18, true, 4},  {9, 14, true, 8},  {9, 30, true, 0}};
  for (const Case& c : cases) {
    CaptionInput in = DeliveredCaption(200);
    in.buttonTop = c.top;
    in.sliceWidth = in.sliceHeight = c.slice;
    in.minimized = c.minimized;
    EXPECT_EQ(LayoutCaption(in).buttonTop, c.expected) << c.top << "/" << c.slice << "/" << c.minimized;
  }
  CaptionInput in = DeliveredCaption(160);
  in.minimized = true;
  EXPECT_EQ(LayoutCaption(in).buttons[0].box.left, 160 - 18 - 5);
}

TEST(CaptionElementAt, EdgesInsideGapsOutside) {
  CaptionInput in = DeliveredCaption(390);
  in.systemIcon = in.maximize = in.minimize = true;
  const CaptionLayout l = LayoutCaption(in);
  struct Case {
    SkinPoint p;
    CaptionElement expected;
  } cases[] = {{{366, 9}, ceClose},    {{384, 27}, ceClose},     {{385, 20}, ceNone}, {{365, 20}, ceNone},
               {{364, 20}, ceMaximize}, {{330, 20}, ceMinimize}, {{24, 9}, ceSystemIcon}, {{41, 9}, ceNone},
               {{200, 15}, ceNone},    {{370, 8}, ceNone},       {{370, 28}, ceNone}};
  for (const Case& c : cases) EXPECT_EQ(CaptionElementAt(l, c.p), c.expected) << c.p.x << "," << c.p.y;

  const CaptionButton& close = l.buttons[0];
  EXPECT_EQ(CaptionButtonSlice(close, ceNone, true), 16);
  EXPECT_EQ(CaptionButtonSlice(close, ceClose, false), 17);
  EXPECT_EQ(CaptionButtonSlice(close, ceClose, true), 18);
  EXPECT_EQ(CaptionButtonSlice(close, ceMinimize, true), 16);
}

TEST(LayoutCaption, CaptionEndsInAnEllipsisBeforeTheButtons) {
  auto width = [](std::string_view s) { return static_cast<int>(s.size()) * 7; };  // 7 pixels a character
  for (bool help : {false, true}) {
    CaptionInput in = DeliveredCaption(200);
    in.help = help;
    const CaptionLayout l = LayoutCaption(in);
    const int room = l.captionRight - l.captionLeft;
    EXPECT_EQ(room, (200 - 6 - 18 - 20 - 20 * help) - 20);  // the buttons and their gaps, the left offset
    EXPECT_EQ(EllipsizeText("Short", room, width), "Short");
    const std::string cut = EllipsizeText(std::string(40, 'x'), room, width);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    // Cut to reach its room, the caption may run past it, but stops short of the first button.
    EXPECT_LT(l.captionLeft + width(cut), l.buttons.back().box.left) << help;
  }
}

TEST(FrameGrowth, MessageBoxGrowsByTheFrameAndBackOnce) {
  // A message box's own caption is 25 high; the delivered skin's frame makes it 10 x 11 larger.
  const SkinPoint grow = FrameGrowth(5, 31, 0, 25, 5);
  EXPECT_EQ(grow.x, 10);
  EXPECT_EQ(grow.y, 11);
  EXPECT_EQ(FrameGrowth(-1, 24, 0, 25, 0).x, 0);  // no border value: no wider

  struct Step {
    bool skinned;
    SkinPoint growth;
    int dx, dy;
  } steps[] = {
      {false, {10, 11}, 0, 0},    // a first pass unskinned: never shrinks without having grown
      {true, {10, 11}, 10, 11},   // grows
      {true, {10, 11}, 0, 0},     // again: nothing
      {true, {12, 5}, 2, -6},     // another frame: only the difference
      {false, {12, 5}, -12, -5},  // back exactly
      {false, {12, 5}, 0, 0},
  };
  AppliedFrame applied;
  for (const Step& s : steps) {
    const SkinPoint d = applied.Apply(s.skinned, s.growth);
    EXPECT_EQ(d.x, s.dx);
    EXPECT_EQ(d.y, s.dy);
  }
}

TEST(SkinWindowStyle, SavedStyleBackCurrentStateKept) {
  constexpr uint32_t kVisible = 0x10000000, kSysMenu = 0x00080000, kCaption = 0x00C00000, kDisabled = 0x08000000,
                     kMinimized = 0x20000000, kMaximized = 0x01000000;
  struct Case {
    uint32_t saved, current;
    bool skinned;
    uint32_t expected;
  } cases[] = {
      {kCaption | kSysMenu | kVisible, kCaption | kSysMenu | kVisible, true, kCaption | kVisible},
      {kCaption | kSysMenu, kCaption | kVisible, false, kCaption | kSysMenu | kVisible},
      {kCaption | kSysMenu | kVisible, kCaption, false, kCaption | kSysMenu},
      {kCaption | kVisible, kCaption | kVisible | kDisabled | kMaximized, true, kCaption | kVisible | kDisabled | kMaximized},
      {kCaption | kVisible | kDisabled | kMaximized, kCaption | kMinimized, false, kCaption | kMinimized},
  };
  for (const Case& c : cases) EXPECT_EQ(SkinWindowStyle(c.saved, c.current, c.skinned), c.expected);
}

}  // namespace
