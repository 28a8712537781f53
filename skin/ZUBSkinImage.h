// A skin image as plain pixels, and the BMP files that skin entries carry.
// No Win32 here: the Win32 layer converts SkinImage to and from its bitmaps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zubskin {

// Windows colour values: red in the low byte, then green, then blue, high byte 0.
constexpr uint32_t SkinRGB(unsigned r, unsigned g, unsigned b) {
  return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr unsigned SkinRed(uint32_t c) { return c & 0xFF; }
constexpr unsigned SkinGreen(uint32_t c) { return (c >> 8) & 0xFF; }
constexpr unsigned SkinBlue(uint32_t c) { return (c >> 16) & 0xFF; }

// The see-through colour of skin images (clFuchsia).
constexpr uint32_t kSkinMagenta = SkinRGB(255, 0, 255);

struct SkinImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // row by row from the top, each 0x00BBGGRR

  SkinImage() = default;
  SkinImage(int w, int h, uint32_t fill = 0);

  bool Empty() const { return width <= 0 || height <= 0; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  void Set(int x, int y, uint32_t c) { pixels[static_cast<size_t>(y) * width + x] = c; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

  bool operator==(const SkinImage& o) const {
    return width == o.width && height == o.height && pixels == o.pixels;
  }
  bool operator!=(const SkinImage& o) const { return !(*this == o); }
};

// What the headers of a BMP file say, after every field has been checked against the data.
struct BmpInfo {
  int width = 0;
  int height = 0;         // always positive; topDown tells the row order
  bool topDown = false;
  int bitsPerPixel = 0;   // 1, 4, 8, 16, 24 or 32
  uint32_t compression = 0;
  uint32_t paletteSize = 0;   // colour-table entries (bit depths up to 8)
  uint32_t pixelOffset = 0;   // where the rows begin
  uint32_t stride = 0;        // bytes per row, padded to 4
};

// Largest image the decoder accepts, in pixels; far above any skin image.
constexpr int64_t kMaxBmpPixels = int64_t(1) << 26;

// Checks the headers of a BMP file and that its colour table and rows lie within the data.
// False with a reason in *error when anything is out of place.
bool ReadBmpInfo(const uint8_t* data, size_t size, BmpInfo& info, std::string* error = nullptr);

// Decodes a BMP file (BI_RGB at 1, 4, 8, 16, 24, 32 bits, BI_BITFIELDS at 16 and 32 bits,
// bottom-up or top-down). On failure image is left as it was.
bool DecodeBmp(const uint8_t* data, size_t size, SkinImage& image, std::string* error = nullptr);
inline bool DecodeBmp(const std::vector<uint8_t>& data, SkinImage& image, std::string* error = nullptr) {
  return DecodeBmp(data.data(), data.size(), image, error);
}

// A complete BMP file of 24 bits per pixel, bottom-up.
std::vector<uint8_t> EncodeBmp24(const SkinImage& image);

// A complete BMP file of 8 bits per pixel with a colour table of the image's colours in order of
// first appearance; empty when the image has more than 256 colours.
std::vector<uint8_t> EncodeBmp8(const SkinImage& image);

}  // namespace zubskin
