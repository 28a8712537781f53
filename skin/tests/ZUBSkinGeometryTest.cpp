#include "ZUBSkinGeometry.h"

#include <gtest/gtest.h>

#include "SkinTestImages.h"

using namespace zubskin;
using skintest::kBackground;
using skintest::Numbered;
using skintest::SourceMap;
using Rows = std::vector<std::string>;

TEST(CutStripPiece, ScrollButtonStripGivesSquarePiecesFromTheirColumns) {
  SkinImage piece;
  CutStripPiece(Numbered(108, 18), piece, 6, 4);
  EXPECT_EQ(piece.width, 18);
  EXPECT_EQ(piece.height, 18);
  EXPECT_EQ(piece.At(0, 0), SkinRGB(54, 0, 7));
  EXPECT_EQ(piece.At(17, 17), SkinRGB(71, 17, 7));
}

TEST(CutStripPiece, UnevenWidthNeverUsesTheLastColumns) {
  const SkinImage strip = Numbered(100, 3);
  for (int index = 1; index <= 3; ++index) {
    SkinImage piece;
    CutStripPiece(strip, piece, 3, index);
    EXPECT_EQ(piece.width, 33);
    EXPECT_EQ(piece.At(0, 1), SkinRGB((index - 1) * 33, 1, 7));
    EXPECT_EQ(piece.At(32, 2), SkinRGB(index * 33 - 1, 2, 7));
  }
}

TEST(CutStripPiece, ImpossiblePiecesAreEmpty) {
  struct Case { int width, count, index; };
  for (const Case& c : {Case{12, 0, 1}, Case{12, -1, 1}, Case{12, 3, 0}, Case{12, 3, 4}, Case{2, 3, 1}, Case{0, 1, 1}}) {
    SkinImage piece = Numbered(4, 4);
    CutStripPiece(Numbered(c.width, 5), piece, c.count, c.index);
    EXPECT_TRUE(piece.Empty()) << c.width << " " << c.count << " " << c.index;
    EXPECT_EQ(StripPieceRect(c.width, 5, c.count, c.index), SkinRect{});
  }
}

TEST(Rotate, PixelsGoWhereTheTurnSends) {
  SkinImage left = Numbered(3, 2), right = Numbered(3, 2), half = Numbered(3, 2);
  RotateBitmapLeft(left);
  RotateBitmapRight(right);
  RotateBitmap180(half);
  EXPECT_EQ(SourceMap(left), (Rows{"20 21", "10 11", "00 01"}));
  EXPECT_EQ(SourceMap(right), (Rows{"01 00", "11 10", "21 20"}));
  EXPECT_EQ(SourceMap(half), (Rows{"21 11 01", "20 10 00"}));
}

TEST(Rotate, AnArrowUpPointsLeftAfterTurningLeftAndRightAfterTurningRight) {
  // An arrow up: its apex at the top middle.
  SkinImage arrow(3, 2, kBackground);
  arrow.Set(1, 0, 0);
  arrow.Set(0, 1, 0);
  arrow.Set(1, 1, 0);
  arrow.Set(2, 1, 0);
  SkinImage left = arrow, right = arrow;
  RotateBitmapLeft(left);
  RotateBitmapRight(right);
  EXPECT_EQ(left.At(0, 1), 0u);   // apex on the left
  EXPECT_EQ(left.At(0, 0), kBackground);
  EXPECT_EQ(right.At(1, 1), 0u);  // apex on the right
  EXPECT_EQ(right.At(1, 0), kBackground);
}

TEST(PointInRect, AllFourEdgesCountAsInside) {
  const SkinRect r{10, 20, 30, 40};
  struct Case { int x, y; bool inside; };
  for (const Case& c : {Case{10, 20, true}, Case{30, 40, true}, Case{20, 30, true}, Case{9, 20, false},
                        Case{31, 40, false}, Case{20, 19, false}, Case{20, 41, false}}) {
    EXPECT_EQ(PointInRect(c.x, c.y, r), c.inside) << c.x << "," << c.y;
    EXPECT_EQ(PointInRect(SkinPoint{c.x, c.y}, r), c.inside);
  }
}

namespace {

Rows DrawHorz(const SkinImage& image, const SkinRect& rect, bool useCornerColour, int w = 14, int h = 4) {
  SkinImage canvas(w, h, kBackground);
  DrawThreePartHorz(image, canvas, rect, useCornerColour);
  return SourceMap(canvas);
}

Rows DrawVert(const SkinImage& image, const SkinRect& rect) {
  SkinImage canvas(3, 12, kBackground);
  DrawThreePartVert(image, canvas, rect, true);
  return SourceMap(canvas);
}

Rows DrawNine(const SkinImage& image, const SkinRect& rect, bool transparent, int w, int h) {
  SkinImage canvas(w, h, kBackground);
  DrawNineSlice(image, canvas, rect, transparent);
  return SourceMap(canvas);
}

}  // namespace

TEST(DrawThreePartHorz, EndsKeptMiddleStretchedAtTheImagesOwnHeight) {
  // Frames of 3 columns; the rect is one row high, the drawing two.
  EXPECT_EQ(DrawHorz(Numbered(9, 2), {1, 1, 13, 2}, false),
            (Rows{". . . . . . . . . . . . . .",
                  ". 00 10 20 30 30 40 40 50 50 60 70 80 .",
                  ". 01 11 21 31 31 41 41 51 51 61 71 81 .",
                  ". . . . . . . . . . . . . ."}));
}

TEST(DrawThreePartHorz, EndsLeaveOutMagentaOrTheCornerColourAndTheMiddleIsOpaque) {
  SkinImage image = Numbered(9, 1);
  image.Set(1, 0, kSkinMagenta);
  image.Set(4, 0, kSkinMagenta);
  image.Set(7, 0, kSkinMagenta);
  EXPECT_EQ(DrawHorz(image, {0, 0, 9, 1}, false, 9, 1), (Rows{"00 . 20 30 M 50 60 . 80"}));
  EXPECT_EQ(DrawHorz(image, {0, 0, 9, 1}, true, 9, 1), (Rows{". M 20 30 M 50 60 M 80"}));
}

TEST(DrawThreePartHorz, RectNarrowerThanAFrameGetsTheFirstFrameCutAndOpaque) {
  SkinImage image = Numbered(9, 1);
  image.Set(1, 0, kSkinMagenta);
  EXPECT_EQ(DrawHorz(image, {1, 0, 3, 1}, false, 5, 1), (Rows{". 00 M . ."}));
}

TEST(DrawThreePartHorz, EmptyOrInvertedRectsAndEmptyImagesDrawNothing) {
  const Rows blank{". . . .", ". . . ."};
  for (const SkinRect& r : {SkinRect{2, 0, 2, 1}, SkinRect{3, 0, 1, 1}, SkinRect{0, 1, 4, 1}, SkinRect{0, 1, 4, 0}})
    EXPECT_EQ(DrawHorz(Numbered(9, 2), r, false, 4, 2), blank);
  EXPECT_EQ(DrawHorz(SkinImage(), {0, 0, 4, 2}, false, 4, 2), blank);
}

TEST(DrawThreePartVert, BandsKeptMiddleStretchedAcrossTheWidth) {
  EXPECT_EQ(DrawVert(Numbered(2, 9), {0, 0, 3, 12}),
            (Rows{"00 00 10", "01 01 11", "02 02 12", "03 03 13", "03 03 13", "04 04 14",
                  "04 04 14", "05 05 15", "05 05 15", "06 06 16", "07 07 17", "08 08 18"}));
}

TEST(DrawThreePartVert, LowRects) {
  const std::string b = ". . .";
  // Lower than a band: the top of the top band.
  EXPECT_EQ(DrawVert(Numbered(2, 9), {0, 0, 3, 2}), (Rows{"00 00 10", "01 01 11", b, b, b, b, b, b, b, b, b, b}));
  // Lower than two bands: the upper part from the top band, the lower from the bottom band.
  EXPECT_EQ(DrawVert(Numbered(2, 9), {0, 0, 3, 5}),
            (Rows{"00 00 10", "01 01 11", "02 02 12", "07 07 17", "08 08 18", b, b, b, b, b, b, b}));
}

TEST(DrawThreePartVert, NegativeLeftOrEmptyRectDrawsNothing) {
  const Rows blank(12, ". . .");
  EXPECT_EQ(DrawVert(Numbered(2, 9), {-1, 0, 3, 12}), blank);
  EXPECT_EQ(DrawVert(Numbered(2, 9), {0, 5, 3, 5}), blank);
  EXPECT_EQ(DrawVert(Numbered(2, 9), {2, 0, 1, 12}), blank);
}

TEST(DrawNineSlice, OddImageAtItsOwnSize) {
  EXPECT_EQ(DrawNine(Numbered(5, 5), {0, 0, 5, 5}, false, 5, 5),
            (Rows{"00 10 20 30 40",
                  "01 11 21 31 41",
                  "02 12 22 32 43",
                  "02 23 23 33 43",
                  "04 24 24 34 44"}));
}

TEST(DrawNineSlice, EvenImageHeightStillFillsTheLeftEdge) {
  // Rows bh div 2 to bh - bh div 2 are no row at all for height 4: the left edge takes row 2.
  EXPECT_EQ(DrawNine(Numbered(5, 4), {0, 0, 5, 4}, false, 5, 4),
            (Rows{"00 10 20 30 40",
                  "01 11 21 31 41",
                  "02 22 22 32 42",
                  "03 23 23 33 43"}));
}

TEST(DrawNineSlice, RectThreePixelsHighDrawsOnlyTheTopLeftCorner) {
  EXPECT_EQ(DrawNine(Numbered(5, 5), {0, 0, 5, 3}, false, 5, 3), (Rows{"00 10 . . .", ". . . . .", ". . . . ."}));
  EXPECT_EQ(DrawNine(Numbered(5, 3), {0, 0, 5, 3}, false, 5, 3), (Rows{"00 10 . . .", ". . . . .", ". . . . ."}));
}

TEST(DrawNineSlice, ImageThreePixelsHighHasNoLowerCorners) {
  EXPECT_EQ(DrawNine(Numbered(5, 3), {0, 0, 5, 4}, false, 5, 4),
            (Rows{"00 10 20 30 40", ". . . . .", ". . . . .", ". . . . ."}));
}

TEST(DrawNineSlice, StretchedAndShrunk) {
  // Wider and higher: the edges and the centre stretch their one-pixel strips.
  EXPECT_EQ(DrawNine(Numbered(5, 5), {0, 0, 7, 6}, false, 7, 6),
            (Rows{"00 10 20 20 30 30 40",
                  "01 11 21 21 31 31 41",
                  "02 12 22 22 32 32 43",
                  "02 12 22 22 32 32 43",
                  "02 23 23 23 33 33 43",
                  "04 24 24 24 34 34 44"}));
}

TEST(DrawNineSlice, CornersLeaveOutMagentaOnlyWhenTransparentEdgesAlways) {
  SkinImage image = Numbered(5, 5);
  image.Set(0, 0, kSkinMagenta);
  image.Set(2, 2, kSkinMagenta);
  const Rows opaque = DrawNine(image, {0, 0, 5, 5}, false, 5, 5);
  const Rows transparent = DrawNine(image, {0, 0, 5, 5}, true, 5, 5);
  EXPECT_EQ(opaque[0].substr(0, 1), "M");
  EXPECT_EQ(transparent[0].substr(0, 1), ".");
  EXPECT_EQ(opaque[2], "02 12 . 32 43");
  EXPECT_EQ(transparent[2], "02 12 . 32 43");
}

TEST(DrawNineSlice, RectAwayFromTheOriginDrawsTheSameThere) {
  const Rows moved = DrawNine(Numbered(5, 5), {2, 1, 7, 6}, false, 8, 7);
  EXPECT_EQ(moved[0], ". . . . . . . .");
  EXPECT_EQ(moved[3], ". . 02 12 22 32 43 .");
  EXPECT_EQ(moved[5], ". . 04 24 24 34 44 .");
}

TEST(DrawNineSlice, EmptyRectsAndImagesDrawNothing) {
  const Rows blank(3, ". . . .");
  EXPECT_EQ(DrawNine(Numbered(5, 5), {0, 2, 4, 2}, false, 4, 3), blank);
  EXPECT_EQ(DrawNine(Numbered(5, 5), {4, 0, 0, 3}, false, 4, 3), blank);
  EXPECT_EQ(DrawNine(SkinImage(), {0, 0, 4, 3}, false, 4, 3), blank);
}

TEST(DrawNineSlice, ButtonFaceCoversEveryPixelOfButtonSizedRects) {
  const SkinImage face = Numbered(84, 25);
  for (int h = 4; h <= 40; h += 3)
    for (int w = 4; w <= 130; w += 7) {
      SkinImage canvas(w, h, kBackground);
      DrawNineSlice(face, canvas, {0, 0, w, h}, true);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) ASSERT_NE(canvas.At(x, y), kBackground) << w << "x" << h << " at " << x << "," << y;
    }
}

TEST(NinePlan, CopiesStayInsideTheImageAndTheRect) {
  for (int bw : {1, 2, 3, 84})
    for (int bh : {1, 2, 3, 4, 25})
      for (int w : {1, 2, 3, 6, 75})
        for (int h : {1, 3, 4, 23})
          for (const SkinBlit& b : PlanNineSlice(bw, bh, {5, 6, 5 + w, 6 + h}, true)) {
            EXPECT_TRUE(b.src.left >= 0 && b.src.top >= 0 && b.src.right <= bw && b.src.bottom <= bh);
            EXPECT_TRUE(b.dst.left >= 5 && b.dst.top >= 6 && b.dst.right <= 5 + w && b.dst.bottom <= 6 + h)
                << bw << "x" << bh << " into " << w << "x" << h;
          }
}
