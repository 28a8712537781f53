// The control skinners' geometry: fills, channels, ticks, halves, bars and button layouts.
#include <gtest/gtest.h>

#include <climits>

#include "ZUBSkinStdCtrlGeometry.h"

using namespace zubskin;

namespace {

std::string Str(const SkinRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

TEST(ProgressFill, ClampedInSixtyFourBitsFromTheLeftOrTheBottom) {
  const SkinRect h{2, 2, 102, 12}, v{0, 0, 10, 200};
  struct Case {
    SkinRect client;
    int32_t min, max, pos;
    bool vertical;
    const char* fill;
  } cases[] = {
      {h, 0, 100, 0, false, "2,2,2,12"},            // at min: nothing
      {h, 0, 100, 90, false, "2,2,92,12"},          // 90 %
      {h, 0, 100, 100, false, "2,2,102,12"},        // at max: all
      {h, 0, 100, 150, false, "2,2,102,12"},        // past max: clamped, not more
      {h, 0, 100, -50, false, "2,2,2,12"},          // before min: empty, not mirrored
      {h, 0, INT_MAX, INT_MAX / 2, false, "2,2,51,12"},  // the 32-bit product would overflow
      {h, INT_MIN, INT_MAX, 0, false, "2,2,52,12"},      // the range itself would overflow
      {h, 50, 50, 50, false, "2,2,2,12"},           // no range
      {v, 0, 100, 25, true, "0,150,10,200"},        // from the bottom up
      {v, 0, 100, 101, true, "0,0,10,200"},
      {v, 10, 0, 5, true, "0,200,10,200"},          // max below min
  };
  for (const Case& c : cases)
    EXPECT_EQ(Str(ProgressFillRect(c.client, c.min, c.max, c.pos, c.vertical)), c.fill)
        << c.min << ".." << c.max << " at " << c.pos;
}

TEST(TrackBarChannel, AVerticalChannelIsTurnedOnlyWhenReportedLying) {
  struct Case {
    SkinRect reported;
    bool vertical;
    const char* channel;
  } cases[] = {
      {{8, 10, 92, 14}, false, "8,9,92,15"},    // centred across, bar 6 high
      {{10, 8, 14, 92}, true, "11,8,17,92"},    // reported standing (Wine): kept
      {{8, 10, 92, 14}, true, "11,8,17,92"},    // reported lying: turned first
  };
  for (const Case& c : cases) EXPECT_EQ(Str(TrackBarChannel(c.reported, 6, 6, c.vertical)), c.channel);
}

TEST(TrackBarTicks, PositionsThenEndMarksOnEachSideAskedFor) {
  const SkinRect f{10, 20, 110, 40};
  auto ticks = TrackBarTicks(f, {50}, false, true, true);
  ASSERT_EQ(ticks.size(), 6u);
  EXPECT_EQ(ticks[0], (SkinLine{{50, 17}, {50, 20}}));
  EXPECT_EQ(ticks[1], (SkinLine{{18, 17}, {18, 20}}));
  EXPECT_EQ(ticks[2], (SkinLine{{102, 17}, {102, 20}}));
  EXPECT_EQ(ticks[3], (SkinLine{{50, 40}, {50, 43}}));
  auto left = TrackBarTicks(f, {}, true, true, false);
  ASSERT_EQ(left.size(), 2u);  // fewer than three ticks: the end marks only
  EXPECT_EQ(left[0], (SkinLine{{10, 28}, {7, 28}}));
  EXPECT_EQ(left[1], (SkinLine{{10, 32}, {7, 32}}));
  EXPECT_EQ(TrackBarTicks(f, {}, true, false, true)[0], (SkinLine{{113, 28}, {110, 28}}));
}

TEST(UpDown, HalvesAndTheHalfUnderAPoint) {
  struct Case {
    bool horizontal;
    int x, y, half;
  } cases[] = {  // edges included: the first half's bottom (right) edge is its own
      {false, 5, 0, -1}, {false, 5, 10, -1}, {false, 5, 11, -1}, {false, 5, 12, 1}, {false, 16, 21, 1},
               {true, 8, 5, -1},  {true, 9, 5, -1},    {true, 10, 5, 1},  {false, 40, 5, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(UpDownHalfAt(16 + c.horizontal * 2, 22, c.horizontal, c.x, c.y), c.half) << c.x << "," << c.y;
  EXPECT_EQ(Str(UpDownHalf(16, 22, false, 1)), "0,12,16,22");
}

TEST(TabBar, AlongThePageEdgeNextToTheTabs) {
  const SkinRect p{10, 30, 110, 130};
  struct Case {
    SkinSide side;
    const char* bar;
    SkinLine edge;
  } cases[] = {
      {SkinSide::Top, "10,29,110,33", {{11, 30}, {109, 30}}},
      {SkinSide::Bottom, "10,127,110,131", {{11, 129}, {109, 129}}},
      {SkinSide::Left, "9,30,12,130", {{10, 31}, {10, 129}}},
      {SkinSide::Right, "108,30,111,130", {{109, 31}, {109, 129}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Str(TabBarRect(p, c.side, 3, 4)), c.bar);
    EXPECT_EQ(TabEdgeLine(p, c.side), c.edge);
  }
}

TEST(SpeedButtonLayout, AutomaticValuesWorkedOutAndTheLayoutMirroredForRightToLeft) {
  const SkinRect client{0, 0, 60, 20};
  struct Case {
    int glyphW, textW;
    TButtonLayout layout;
    bool rtl;
    int32_t margin, spacing;
    int glyphX;
    const char* text;
  } cases[] = {
      {0, 11, blGlyphLeft, false, -1, 4, 0, "25,4,36,16"},     // "...": spacing 0, caption centred
      {16, 20, blGlyphLeft, false, -1, 4, 10, "30,4,50,16"},   // glyph and caption centred together
      {16, 20, blGlyphLeft, true, -1, 4, 34, "10,4,30,16"},    // right to left: glyph on the right
      {16, 20, blGlyphRight, true, 2, 4, 2, "22,4,42,16"},
      {16, 20, blGlyphLeft, false, -1, -1, 8, "32,4,52,16"},   // both automatic: thirds
  };
  for (const Case& c : cases) {
    SpeedButtonPlacement p = SpeedButtonLayout(client, c.glyphW, c.glyphW ? 16 : 0, c.textW, 12, c.layout, c.rtl,
                                               c.margin, c.spacing);
    if (c.glyphW) {
      EXPECT_EQ(p.glyph.x, c.glyphX) << c.textW << " rtl " << c.rtl;
    }
    EXPECT_EQ(Str(p.text), c.text) << c.glyphW << " rtl " << c.rtl;
  }
}

TEST(ToolButtonLayout, CaptionPlacesByImagesAndListMode) {
  const SkinRect r{10, 0, 60, 22};
  struct Case {
    bool dropDown, images, list, down;
    int captionX, captionY;
  } cases[] = {
      {false, false, false, false, 25, 4},  // centred, four below the top when hot
      {false, false, false, true, 25, 5},   // five when pressed
      {true, false, false, false, 18, 4},   // centred in what the arrow leaves
      {false, false, true, false, 18, 3},
      {false, true, false, false, 25, 20},
      {false, true, true, false, 33, 4},
  };
  for (const Case& c : cases) {
    ToolButtonPlacement p = ToolButtonLayout(r, c.dropDown, c.images, 16, 16, c.list, 20, c.down);
    EXPECT_EQ(p.caption.x, c.captionX);
    EXPECT_EQ(p.caption.y, c.captionY);
  }
  EXPECT_EQ(ToolButtonLayout(r, true, true, 16, 16, false, 20, false).image.x, 20);
}

TEST(TrackedThumb, MovesInProportionAlongTheFreeTrackBetweenTheArrows) {
  // A bar of 100 with arrows of 16 and a thumb of 20: 48 pixels to move in, positions 0..90.
  struct Case {
    int top;
    int32_t pos, track;
    int expected;
  } cases[] = {{16, 0, 0, 16}, {16, 0, 45, 40}, {16, 0, 90, 64}, {40, 45, 0, 16}, {16, 0, 200, 64}, {40, 45, -50, 16}};
  for (const Case& c : cases)
    EXPECT_EQ(TrackedThumbTop(100, 16, c.top, 20, 0, 99, 10, c.pos, c.track), c.expected) << c.pos << " to " << c.track;
  EXPECT_EQ(TrackedThumbTop(100, 16, 16, 20, 0, 9, 10, 0, 5), 16) << "no range";
}

}  // namespace
