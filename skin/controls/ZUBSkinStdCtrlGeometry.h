// The geometry of the control skinners: where the progress fill, the track bar's channel, thumb
// frame and ticks, the up-down's halves and arrows, the tab control's bar, the speed button's
// glyph and caption, the tool button's image and caption and a dragged scroll thumb go. Plain
// C++; the skinners paint it.
#pragma once

#include <cstdint>
#include <vector>

#include "ButtonLayout.h"
#include "ZUBSkinGeometry.h"

namespace zubskin {

struct SkinLine {
  SkinPoint from, to;  // the end point is not drawn
  bool operator==(const SkinLine& o) const {
    return from.x == o.from.x && from.y == o.from.y && to.x == o.to.x && to.y == o.to.y;
  }
};

// The filled part of a progress bar: from the left (from the bottom when vertical), in 64-bit
// arithmetic, the position clamped to min..max; empty when max <= min.
SkinRect ProgressFillRect(const SkinRect& client, int32_t min, int32_t max, int32_t position, bool vertical);

// The bar image's place in the channel the control reports: centred across it. A vertical
// channel is turned only when the control reports it wider than high (Wine reports it turned).
SkinRect TrackBarChannel(const SkinRect& reported, int barWidth, int barHeight, bool vertical);
// The rectangle around the thumb and channel that the ticks and the focus frame keep to.
SkinRect TrackBarFrame(const SkinRect& channel, const SkinRect& thumb, bool vertical);
// Three-pixel marks at each position, then the two end marks, on the sides asked for.
std::vector<SkinLine> TrackBarTicks(const SkinRect& frame, const std::vector<int>& positions, bool vertical,
                                    bool topLeft, bool bottomRight);

// The up-down's halves: -1 the first (left or upper), +1 the second; and which half a point
// falls in, edges included (0: neither).
SkinRect UpDownHalf(int width, int height, bool horizontal, int half);
int UpDownHalfAt(int width, int height, bool horizontal, int x, int y);
// Where the half's arrow is drawn (the drawing utilities' arrow origin), unpressed.
SkinPoint UpDownArrowAt(const SkinRect& half, bool horizontal, int whichHalf);

enum class SkinSide { Top, Bottom, Left, Right };
// The page frame's edge next to the tabs, erased before the bar goes on it.
SkinLine TabEdgeLine(const SkinRect& page, SkinSide side);
// Where the bar image (as turned for the side) is stretched along the page frame's edge.
SkinRect TabBarRect(const SkinRect& page, SkinSide side, int imageWidth, int imageHeight);

// The speed button's glyph and caption in its client rectangle: the layout mirrored for right to
// left, automatic margin and spacing worked out here and nowhere stored.
struct SpeedButtonPlacement {
  SkinPoint glyph;
  SkinRect text;
};
SpeedButtonPlacement SpeedButtonLayout(const SkinRect& client, int glyphWidth, int glyphHeight, int textWidth,
                                       int textHeight, TButtonLayout layout, bool rightToLeft, int32_t margin,
                                       int32_t spacing);

// A tool button's image and caption origins in its bounds R. The caption's left for a button
// without images in list mode, or centred over what the drop-down arrow leaves.
struct ToolButtonPlacement {
  SkinPoint image;
  SkinPoint caption;
};
ToolButtonPlacement ToolButtonLayout(const SkinRect& r, bool dropDown, bool hasImages, int imageWidth,
                                     int imageHeight, bool list, int textWidth, bool down);

// Where a scroll bar's thumb starts while it is dragged to TrackPos: moved from where the bar
// reports it (at Pos) in proportion along the free track, kept between the arrows.
int TrackedThumbTop(int barLength, int arrowLength, int thumbTop, int thumbLength, int32_t min, int32_t max,
                    uint32_t page, int32_t pos, int32_t trackPos);

}  // namespace zubskin
