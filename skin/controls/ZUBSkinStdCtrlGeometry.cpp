#include "ZUBSkinStdCtrlGeometry.h"

#include <algorithm>

namespace zubskin {

SkinRect ProgressFillRect(const SkinRect& client, int32_t min, int32_t max, int32_t position, bool vertical) {
  SkinRect fill = client;
  const int64_t span = static_cast<int64_t>(max) - min;
  const int64_t done = span > 0 ? std::clamp<int64_t>(static_cast<int64_t>(position) - min, 0, span) : 0;
  if (vertical) {
    fill.top = span > 0 ? static_cast<int>(client.bottom - done * client.Height() / span) : client.bottom;
  } else {
    fill.right = span > 0 ? static_cast<int>(client.left + done * client.Width() / span) : client.left;
  }
  return fill;
}

SkinRect TrackBarChannel(const SkinRect& reported, int barWidth, int barHeight, bool vertical) {
  SkinRect c = reported;
  if (!vertical) {
    c.top += (c.bottom - c.top - barHeight) / 2;
    c.bottom = c.top + barHeight;
    return c;
  }
  if (c.Width() > c.Height()) c = {reported.top, reported.left, reported.bottom, reported.right};
  c.left += (c.right - c.left - barWidth) / 2 + 2;
  c.right = c.left + barWidth;
  return c;
}

SkinRect TrackBarFrame(const SkinRect& channel, const SkinRect& thumb, bool vertical) {
  SkinRect f = channel;
  if (vertical) {
    f.left = thumb.left - 2;
    f.right = thumb.right + 2;
    f.top -= 4;
    f.bottom += 4;
  } else {
    f.top = thumb.top - 2;
    f.bottom = thumb.bottom + 2;
    f.left -= 4;
    f.right += 4;
  }
  return f;
}

std::vector<SkinLine> TrackBarTicks(const SkinRect& f, const std::vector<int>& positions, bool vertical,
                                    bool topLeft, bool bottomRight) {
  std::vector<SkinLine> lines;
  auto side = [&](bool first) {
    auto mark = [&](int p) {
      if (!vertical) lines.push_back(first ? SkinLine{{p, f.top - 3}, {p, f.top}} : SkinLine{{p, f.bottom}, {p, f.bottom + 3}});
      else lines.push_back(first ? SkinLine{{f.left, p}, {f.left - 3, p}} : SkinLine{{f.right + 3, p}, {f.right, p}});
    };
    for (int p : positions) mark(p);
    mark(vertical ? f.top + 8 : f.left + 8);
    mark(vertical ? f.bottom - 8 : f.right - 8);
  };
  if (topLeft) side(true);
  if (bottomRight) side(false);
  return lines;
}

SkinRect UpDownHalf(int w, int h, bool horizontal, int half) {
  if (horizontal) return half < 0 ? SkinRect{0, 0, w / 2, h} : SkinRect{w / 2 + 1, 0, w, h};
  return half < 0 ? SkinRect{0, 0, w, h / 2} : SkinRect{0, h / 2 + 1, w, h};
}

int UpDownHalfAt(int w, int h, bool horizontal, int x, int y) {
  if (PointInRect(x, y, UpDownHalf(w, h, horizontal, -1))) return -1;
  if (PointInRect(x, y, UpDownHalf(w, h, horizontal, +1))) return 1;
  return 0;
}

SkinPoint UpDownArrowAt(const SkinRect& r, bool horizontal, int whichHalf) {
  const int w = r.Width(), h = r.Height();
  if (horizontal)
    return whichHalf < 0 ? SkinPoint{r.left + (w - 3) / 2, r.top + h / 2} : SkinPoint{r.left + (w - 3) / 2, r.top + (h - 6) / 2};
  return whichHalf < 0 ? SkinPoint{r.left + (w - 6) / 2 + 3, r.top + (h - 6) / 2 + 1}
                       : SkinPoint{r.left + (w - 6) / 2, r.top + (h - 6) / 2 + 1};
}

SkinLine TabEdgeLine(const SkinRect& p, SkinSide side) {
  switch (side) {
    case SkinSide::Top: return {{p.left + 1, p.top}, {p.right - 1, p.top}};
    case SkinSide::Bottom: return {{p.left + 1, p.bottom - 1}, {p.right - 1, p.bottom - 1}};
    case SkinSide::Left: return {{p.left, p.top + 1}, {p.left, p.bottom - 1}};
    default: return {{p.right - 1, p.top + 1}, {p.right - 1, p.bottom - 1}};
  }
}

SkinRect TabBarRect(const SkinRect& p, SkinSide side, int imageWidth, int imageHeight) {
  SkinRect r = p;
  switch (side) {
    case SkinSide::Top: r.top = p.top - 1; r.bottom = r.top + imageHeight; break;
    case SkinSide::Bottom: r.bottom = p.bottom + 1; r.top = r.bottom - imageHeight; break;
    case SkinSide::Left: r.left = p.left - 1; r.right = r.left + imageWidth; break;
    case SkinSide::Right: r.right = p.right + 1; r.left = r.right - imageWidth; break;
  }
  return r;
}

SpeedButtonPlacement SpeedButtonLayout(const SkinRect& client, int glyphWidth, int glyphHeight, int textWidth,
                                       int textHeight, TButtonLayout layout, bool rightToLeft, int32_t margin,
                                       int32_t spacing) {
  if (rightToLeft && layout == blGlyphLeft) layout = blGlyphRight;
  else if (rightToLeft && layout == blGlyphRight) layout = blGlyphLeft;
  const TButtonPlacement p = CalcButtonLayout(client.Width(), client.Height(), glyphWidth, glyphHeight, textWidth,
                                              textHeight, layout, margin, spacing);
  SpeedButtonPlacement out;
  out.glyph = {p.glyphX + client.left, p.glyphY + client.top};
  out.text = {p.textX + client.left, p.textY + client.top, p.textX + client.left + textWidth,
              p.textY + client.top + textHeight};
  return out;
}

ToolButtonPlacement ToolButtonLayout(const SkinRect& r, bool dropDown, bool hasImages, int imageWidth,
                                     int imageHeight, bool list, int textWidth, bool down) {
  const int a = dropDown ? r.right - 14 : r.right;
  ToolButtonPlacement out;
  out.image = list ? SkinPoint{r.left + 5, r.top + 3} : SkinPoint{r.left + (a - r.left - imageWidth) / 2, r.top + 3};
  const int centred = r.left + (a - r.left - textWidth) / 2;
  if (hasImages)
    out.caption = list ? SkinPoint{r.left + imageWidth + 7, r.top + (imageHeight - 16) / 2 + 4}
                       : SkinPoint{centred, r.top + imageHeight + 4};
  else
    out.caption = list ? SkinPoint{r.left + 8, r.top + 3} : SkinPoint{centred, r.top + (down ? 5 : 4)};
  return out;
}

int TrackedThumbTop(int barLength, int arrowLength, int thumbTop, int thumbLength, int32_t min, int32_t max,
                    uint32_t page, int32_t pos, int32_t trackPos) {
  const int64_t last = static_cast<int64_t>(max) - std::max<int64_t>(static_cast<int64_t>(page) - 1, 0);
  const int64_t free = barLength - 2 * arrowLength - thumbLength;
  if (last <= min || free <= 0) return thumbTop;
  const int64_t top = thumbTop + free * (static_cast<int64_t>(trackPos) - pos) / (last - min);
  return static_cast<int>(std::clamp<int64_t>(top, arrowLength, arrowLength + free));
}

}  // namespace zubskin
