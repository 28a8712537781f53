// Synthetic images for the skin tests: every pixel tells where it came from.
#pragma once

#include <string>
#include <vector>

#include "ZUBSkinImage.h"

namespace skintest {

// Pixel (x, y) holds red x, green y, blue 7: never magenta, never the background below.
inline zubskin::SkinImage Numbered(int w, int h) {
  zubskin::SkinImage image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.Set(x, y, zubskin::SkinRGB(x, y, 7));
  return image;
}

constexpr uint32_t kBackground = zubskin::SkinRGB(0, 0, 200);

// Each canvas pixel as the digits "xy" of the Numbered pixel it shows, "." for the background,
// "M" for magenta; pixels in one row separated by blanks.
inline std::vector<std::string> SourceMap(const zubskin::SkinImage& canvas) {
  std::vector<std::string> rows;
  for (int y = 0; y < canvas.height; ++y) {
    std::string row;
    for (int x = 0; x < canvas.width; ++x) {
      const uint32_t c = canvas.At(x, y);
      if (!row.empty()) row += ' ';
      if (c == kBackground) row += ".";
      else if (c == zubskin::kSkinMagenta) row += "M";
      else row += std::to_string(zubskin::SkinRed(c)) + std::to_string(zubskin::SkinGreen(c));
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace skintest
