#include "ZUBSkinGeometry.h"

#include <algorithm>

namespace zubskin {

namespace {

SkinRect Rect(int l, int t, int r, int b) { return SkinRect{l, t, r, b}; }

SkinRect Intersect(const SkinRect& a, const SkinRect& b) {
  return Rect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom));
}

SkinRect Offset(const SkinRect& r, int dx, int dy) { return Rect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy); }

// Adds a copy unless its source (clipped to the image) or its destination is empty.
void Add(SkinBlitPlan& plan, SkinRect src, const SkinRect& dst, int imageWidth, int imageHeight, bool keyed,
         uint32_t key = kSkinMagenta) {
  src = Intersect(src, Rect(0, 0, imageWidth, imageHeight));
  if (src.IsEmpty() || dst.IsEmpty()) return;
  plan.push_back(SkinBlit{src, dst, keyed, key});
}

}  // namespace

bool PointInRect(int x, int y, const SkinRect& rect) {
  return rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
}

void DrawBlits(const SkinImage& image, SkinImage& canvas, const SkinBlitPlan& plan) {
  for (const SkinBlit& b : plan) {
    const int64_t sw = b.src.Width(), sh = b.src.Height(), dw = b.dst.Width(), dh = b.dst.Height();
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) continue;
    const int y0 = std::max(b.dst.top, 0), y1 = std::min(b.dst.bottom, canvas.height);
    const int x0 = std::max(b.dst.left, 0), x1 = std::min(b.dst.right, canvas.width);
    for (int y = y0; y < y1; ++y) {
      const int sy = b.src.top + static_cast<int>((y - b.dst.top) * sh / dh);
      if (sy < 0 || sy >= image.height) continue;
      for (int x = x0; x < x1; ++x) {
        const int sx = b.src.left + static_cast<int>((x - b.dst.left) * sw / dw);
        if (sx < 0 || sx >= image.width) continue;
        const uint32_t c = image.At(sx, sy);
        if (b.keyed && c == b.keyColour) continue;
        canvas.Set(x, y, c);
      }
    }
  }
}

void StretchDraw(const SkinImage& image, SkinImage& canvas, const SkinRect& rect) {
  SkinBlitPlan plan;
  Add(plan, Rect(0, 0, image.width, image.height), rect, image.width, image.height, false);
  DrawBlits(image, canvas, plan);
}

SkinRect StripPieceRect(int width, int height, int count, int index) {
  if (count < 1 || index < 1 || index > count || width <= 0 || height <= 0) return SkinRect{};
  const int w = width / count;
  if (w == 0) return SkinRect{};
  return Rect((index - 1) * w, 0, index * w, height);
}

void CutStripPiece(const SkinImage& source, SkinImage& dest, int count, int index) {
  const SkinRect r = StripPieceRect(source.width, source.height, count, index);
  SkinImage piece(r.Width(), r.Height());
  for (int y = 0; y < piece.height; ++y)
    for (int x = 0; x < piece.width; ++x) piece.Set(x, y, source.At(r.left + x, y));
  dest = std::move(piece);
}

void RotateBitmapLeft(SkinImage& image) {
  SkinImage turned(image.height, image.width);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) turned.Set(y, image.width - 1 - x, image.At(x, y));
  image = std::move(turned);
}

void RotateBitmap180(SkinImage& image) {
  std::reverse(image.pixels.begin(), image.pixels.end());
}

void RotateBitmapRight(SkinImage& image) {
  SkinImage turned(image.height, image.width);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) turned.Set(image.height - 1 - y, x, image.At(x, y));
  image = std::move(turned);
}

SkinBlitPlan PlanThreePartHorz(const SkinImage& image, const SkinRect& rect, bool useCornerColour) {
  SkinBlitPlan plan;
  if (image.Empty() || rect.IsEmpty()) return plan;
  const int bw = image.width, bh = image.height, f = bw / 3;
  const int l = rect.left, t = rect.top, r = rect.right;
  if (rect.Width() < f) {
    Add(plan, Rect(0, 0, rect.Width(), bh), Rect(l, t, r, t + bh), bw, bh, false);
    return plan;
  }
  const uint32_t key = useCornerColour ? image.At(0, 0) : kSkinMagenta;
  Add(plan, Rect(0, 0, f, bh), Rect(l, t, l + f, t + bh), bw, bh, true, key);
  Add(plan, Rect(2 * f, 0, 3 * f, bh), Rect(r - f, t, r, t + bh), bw, bh, true, key);
  Add(plan, Rect(f, 0, 2 * f, bh), Rect(l + f, t, r - f, t + bh), bw, bh, false);
  return plan;
}

void DrawThreePartHorz(const SkinImage& image, SkinImage& canvas, const SkinRect& rect, bool useCornerColour) {
  DrawBlits(image, canvas, PlanThreePartHorz(image, rect, useCornerColour));
}

SkinBlitPlan PlanThreePartVert(int bw, int bh, const SkinRect& rect) {
  SkinBlitPlan plan;
  if (bw <= 0 || bh <= 0 || rect.IsEmpty() || rect.left < 0) return plan;
  const int t = bh / 3, h = rect.Height();
  const int l = rect.left, top = rect.top, r = rect.right, bottom = rect.bottom;
  if (h < t) {
    Add(plan, Rect(0, 0, bw, h), Rect(l, top, r, top + h), bw, bh, false);
    return plan;
  }
  if (h < 2 * t) {
    // Too low for both ends whole: the upper half from the top band, the lower from the bottom band.
    const int lower = h / 2, upper = h - lower;
    Add(plan, Rect(0, 0, bw, upper), Rect(l, top, r, top + upper), bw, bh, false);
    Add(plan, Rect(0, bh - lower, bw, bh), Rect(l, bottom - lower, r, bottom), bw, bh, false);
    return plan;
  }
  Add(plan, Rect(0, 0, bw, t), Rect(l, top, r, top + t), bw, bh, false);
  Add(plan, Rect(0, bh - t, bw, bh), Rect(l, bottom - t, r, bottom), bw, bh, false);
  Add(plan, Rect(0, t, bw, bh - t), Rect(l, top + t, r, bottom - t), bw, bh, false);
  return plan;
}

void DrawThreePartVert(const SkinImage& image, SkinImage& canvas, const SkinRect& rect, bool /*transparent*/) {
  DrawBlits(image, canvas, PlanThreePartVert(image.width, image.height, rect));
}

namespace {

// The nine-part plan for a rect at (0, 0) of W x H.
void NineSliceAtOrigin(SkinBlitPlan& plan, int bw, int bh, int W, int H, bool transparent) {
  const int hw = bw / 2, hh = bh / 2, dw = W / 2, dh = H / 2;
  // A corner: the part of the image quadrant that fits the rect's quadrant, from its outer corner.
  auto corner = [&](const SkinRect& quad, const SkinRect& dest, bool right, bool lower) {
    const int w = std::max(0, std::min(quad.Width(), dest.Width()));
    const int h = std::max(0, std::min(quad.Height(), dest.Height()));
    if (w == 0 || h == 0) return SkinRect{};
    const int sx = right ? quad.right - w : quad.left, sy = lower ? quad.bottom - h : quad.top;
    const int x = right ? W - w : 0, y = lower ? H - h : 0;
    const SkinRect drawn = Rect(x, y, x + w, y + h);
    Add(plan, Rect(sx, sy, sx + w, sy + h), drawn, bw, bh, transparent);
    return drawn;
  };
  // An edge or the centre: a strip cut from its outer side to a destination narrower or lower
  // than it, then stretched.
  enum Side { Left, Right, Top, Bottom, Centre };
  auto strip = [&](SkinRect s, const SkinRect& d, Side side) {
    if (d.IsEmpty()) return;
    if (side == Left && d.Width() < s.Width()) s.right = s.left + d.Width();
    if (side == Right && d.Width() < s.Width()) s.left = s.right - d.Width();
    if (side == Top && d.Height() < s.Height()) s.bottom = s.top + d.Height();
    if (side == Bottom && d.Height() < s.Height()) s.top = s.bottom - d.Height();
    Add(plan, s, d, bw, bh, true);
  };
  // With an even image height the rows bh div 2 up to bh - bh div 2 would be no row at all.
  const int middleBottom = std::max(bh - hh, hh + 1);

  const SkinRect tl = corner(Rect(0, 0, hw, hh), Rect(0, 0, dw, dh), false, false);
  const SkinRect blQuad = Rect(0, H - dh + 1, dw, H);
  if (blQuad.IsEmpty()) return;
  const SkinRect bl = corner(Rect(0, bh - hh + 1, hw, bh), blQuad, false, true);
  strip(Rect(0, hh, hw, middleBottom), Rect(0, tl.bottom, tl.right, bl.top), Left);
  const SkinRect trQuad = Rect(W - dw + 1, 0, W, dh);
  if (trQuad.IsEmpty()) return;
  const SkinRect tr = corner(Rect(bw - hw + 1, 0, bw, hh), trQuad, true, false);
  const SkinRect brQuad = Rect(W - dw + 1, H - dh + 1, W, H);
  if (brQuad.IsEmpty()) return;
  const SkinRect br = corner(Rect(bw - hw + 1, bh - hh + 1, bw, bh), brQuad, true, true);
  strip(Rect(bw - hw + 1, bh - hh, bw, hh + 2), Rect(tr.left, tr.bottom, tr.right, br.top), Right);
  strip(Rect(hw, 0, bw - hw + 1, hh), Rect(tl.right, 0, tr.left, tl.bottom), Top);
  strip(Rect(hw, hh, bw - hw + 1, middleBottom), Rect(tl.right, tl.bottom, tr.left, br.top - 1), Centre);
  // It starts one pixel left of and above the corners' edges, but never outside the rect.
  strip(Rect(hw, bh - hh, bw - hw + 1, bh), Rect(std::max(tl.right - 1, 0), std::max(bl.top - 1, 0), br.left, br.bottom),
        Bottom);
}

}  // namespace

SkinBlitPlan PlanNineSlice(int bw, int bh, const SkinRect& rect, bool transparent) {
  SkinBlitPlan plan;
  if (bw <= 0 || bh <= 0 || rect.IsEmpty()) return plan;
  NineSliceAtOrigin(plan, bw, bh, rect.Width(), rect.Height(), transparent);
  for (SkinBlit& b : plan) b.dst = Offset(b.dst, rect.left, rect.top);
  return plan;
}

void DrawNineSlice(const SkinImage& image, SkinImage& canvas, const SkinRect& rect, bool transparent) {
  DrawBlits(image, canvas, PlanNineSlice(image.width, image.height, rect, transparent));
}

}  // namespace zubskin
