#include "ButtonLayout.h"

TButtonPlacement CalcButtonLayout(int32_t clientW, int32_t clientH, int32_t glyphW, int32_t glyphH, int32_t textW,
                                  int32_t textH, TButtonLayout layout, int32_t margin, int32_t spacing) {
  TButtonPlacement p{};
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  if (horizontal) {
    p.glyphY = (clientH - glyphH + 1) / 2;
    p.textY = (clientH - textH + 1) / 2;
  } else {
    p.glyphX = (clientW - glyphW + 1) / 2;
    p.textX = (clientW - textW + 1) / 2;
  }
  if (textW == 0 || glyphW == 0) spacing = 0;

  // Along the layout.
  const int32_t client = horizontal ? clientW : clientH;
  const int32_t glyph = horizontal ? glyphW : glyphH;
  const int32_t text = horizontal ? textW : textH;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (client - (glyph + text)) / 3;
      spacing = margin;
    } else {
      margin = (client - (glyph + spacing + text) + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (client - (margin + glyph) - text) / 2;
  }
  int32_t glyphAt, textAt;
  if (layout == blGlyphLeft || layout == blGlyphTop) {
    glyphAt = margin;
    textAt = glyphAt + glyph + spacing;
  } else {
    glyphAt = client - margin - glyph;
    textAt = glyphAt - spacing - text;
  }
  (horizontal ? p.glyphX : p.glyphY) = glyphAt;
  (horizontal ? p.textX : p.textY) = textAt;
  p.margin = margin;
  p.spacing = spacing;
  return p;
}
