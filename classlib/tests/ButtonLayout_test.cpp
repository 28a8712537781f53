// The layout of a button's glyph and caption.
#include <gtest/gtest.h>

#include "ButtonLayout.h"

namespace {

TEST(ButtonLayout, PlacesGlyphAndCaptionByLayoutMarginAndSpacing) {
  struct Case {
    const char* what;
    int32_t clientW, clientH, glyphW, glyphH, textW, textH;
    TButtonLayout layout;
    int32_t margin, spacing;
    TButtonPlacement want;
  };
  const Case cases[] = {
      {"both automatic: thirds", 100, 30, 16, 16, 40, 13, blGlyphLeft, -1, -1, {14, 7, 44, 9, 14, 14}},
      {"margin automatic: centred", 100, 30, 16, 16, 40, 13, blGlyphLeft, -1, 4, {20, 7, 40, 9, 20, 4}},
      {"spacing automatic, glyph right", 100, 30, 16, 16, 40, 13, blGlyphRight, 5, -1, {79, 7, 20, 9, 5, 19}},
      {"glyph on top", 60, 60, 16, 16, 30, 13, blGlyphTop, -1, 4, {22, 14, 15, 34, 14, 4}},
      {"glyph below", 60, 60, 16, 16, 30, 13, blGlyphBottom, 3, 2, {22, 41, 15, 26, 3, 2}},
      {"caption only: no spacing", 41, 33, 0, 0, 12, 13, blGlyphLeft, -1, 4, {15, 17, 15, 10, 15, 0}},
      {"glyph only: no spacing", 40, 30, 16, 16, 0, 0, blGlyphLeft, -1, -1, {12, 7, 28, 15, 12, 0}},
      {"too small: negative thirds", 20, 30, 16, 16, 40, 13, blGlyphLeft, -1, -1, {-12, 7, -8, 9, -12, -12}},
  };
  for (const Case& c : cases) {
    TButtonPlacement p = CalcButtonLayout(c.clientW, c.clientH, c.glyphW, c.glyphH, c.textW, c.textH, c.layout,
                                          c.margin, c.spacing);
    EXPECT_EQ(p.glyphX, c.want.glyphX) << c.what;
    EXPECT_EQ(p.glyphY, c.want.glyphY) << c.what;
    EXPECT_EQ(p.textX, c.want.textX) << c.what;
    EXPECT_EQ(p.textY, c.want.textY) << c.what;
    EXPECT_EQ(p.margin, c.want.margin) << c.what;
    EXPECT_EQ(p.spacing, c.want.spacing) << c.what;
  }
}

}  // namespace
