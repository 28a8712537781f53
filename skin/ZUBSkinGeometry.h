// The geometry of the skin drawing utilities: cutting strips of equal frames, turning images,
// and the three-part and nine-part stretching of skin images into a rectangle.
// Each stretching routine is first a plan, a list of copies from the image to the target, which
// the Win32 layer carries out with its own blits (StretchBlt, masked image-list draws); the
// SkinImage overloads carry the same plan out on plain pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "ZUBSkinImage.h"

namespace zubskin {

struct SkinRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }  // empty or inverted
  bool operator==(const SkinRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const SkinRect& o) const { return !(*this == o); }
};

struct SkinPoint {
  int x = 0, y = 0;
};

// True when left <= x <= right and top <= y <= bottom: all four edges count as inside.
bool PointInRect(int x, int y, const SkinRect& rect);
inline bool PointInRect(SkinPoint p, const SkinRect& rect) { return PointInRect(p.x, p.y, rect); }

// One copy of a plan: src of the image stretched onto dst of the target (the same size copies
// one to one). With keyed, pixels of keyColour are left out.
struct SkinBlit {
  SkinRect src;
  SkinRect dst;
  bool keyed = false;
  uint32_t keyColour = kSkinMagenta;
};
using SkinBlitPlan = std::vector<SkinBlit>;

// Carries a plan out, nearest pixel, clipped to both images.
void DrawBlits(const SkinImage& image, SkinImage& canvas, const SkinBlitPlan& plan);
// The whole image stretched over rect (opaque).
void StretchDraw(const SkinImage& image, SkinImage& canvas, const SkinRect& rect);

// Columns (Index - 1) * w up to Index * w, all rows, of Count pieces w = Width div Count wide;
// an empty rectangle when Count is below 1, Index lies outside 1..Count or the piece is empty.
SkinRect StripPieceRect(int width, int height, int count, int index);
// Dest becomes that piece of Source (empty for an empty Source or an impossible piece).
void CutStripPiece(const SkinImage& source, SkinImage& dest, int count, int index);

// Turned in place: Left 90 degrees counter-clockwise, Right 90 degrees clockwise.
// Pixel (x, y) of a W x H image goes to (y, W-1-x), (W-1-x, H-1-y) and (H-1-y, x).
void RotateBitmapLeft(SkinImage& image);
void RotateBitmap180(SkinImage& image);
void RotateBitmapRight(SkinImage& image);

// Three frames side by side, each Width div 3 wide: the first at the rect's left, the third at its
// right, both masked with magenta (or, with useCornerColour, with the colour of pixel (0, 0)),
// the second stretched opaque between them; always the image's own height from rect.top. A rect
// narrower than one frame gets the first frame alone, cut to its width, opaque.
SkinBlitPlan PlanThreePartHorz(const SkinImage& image, const SkinRect& rect, bool useCornerColour);
void DrawThreePartHorz(const SkinImage& image, SkinImage& canvas, const SkinRect& rect, bool useCornerColour);

// Three bands, each Height div 3 high, stretched to the rect's width: the top band at its top, the
// bottom band at its bottom, the middle band stretched between them; opaque copies. Nothing when
// rect.left is negative. A rect lower than one band gets the top of the top band; one lower than
// two bands gets the top band's upper half-rect and the bottom band's lower half-rect.
SkinBlitPlan PlanThreePartVert(int imageWidth, int imageHeight, const SkinRect& rect);
// transparent only sets a bitmap's own transparent flag in the Win32 layer: the copies are opaque.
void DrawThreePartVert(const SkinImage& image, SkinImage& canvas, const SkinRect& rect, bool transparent);

// Four corners kept (quadrants of the image, cut to the quadrants of the rect), edges and centre
// stretched between them from thin strips of the image, magenta always left out of those;
// the corners leave magenta out only when transparent. Early ends when a lower or right quadrant
// of the rect is empty. Positions count from the rect's top-left corner.
SkinBlitPlan PlanNineSlice(int imageWidth, int imageHeight, const SkinRect& rect, bool transparent);
void DrawNineSlice(const SkinImage& image, SkinImage& canvas, const SkinRect& rect, bool transparent);

}  // namespace zubskin
