// Where a button's glyph and caption go, along and across its layout; shared by the speed
// button and the bitmap button, and by whatever paints them instead.
#pragma once

#include <cstdint>

#include "TypInfo.h"

DECLARE_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)

struct TButtonPlacement {
  int32_t glyphX, glyphY;  // the glyph's top-left corner in the client area
  int32_t textX, textY;    // the caption's
  int32_t margin, spacing;  // as laid out: automatic (-1) ones computed
};

// Sizes in pixels. Margin (edge to glyph) and Spacing (glyph to caption) of -1 are automatic:
// both -1 share the free room in three; Margin alone centres glyph and caption; Spacing alone
// centres the caption in what the glyph leaves. Without a glyph or a caption Spacing is 0.
// Across the layout each is centred on its own. Divisions truncate toward zero.
TButtonPlacement CalcButtonLayout(int32_t ClientWidth, int32_t ClientHeight, int32_t GlyphWidth,
                                  int32_t GlyphHeight, int32_t TextWidth, int32_t TextHeight,
                                  TButtonLayout Layout, int32_t Margin, int32_t Spacing);
