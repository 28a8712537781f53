#include "ZUBSkinImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "SkinTestImages.h"

using namespace zubskin;
using skintest::Numbered;

namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = v & 0xFF;
  b[at + 1] = (v >> 8) & 0xFF;
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

// A BMP file written field by field, so that tests can break any field.
struct Bmp {
  int32_t width = 2, height = 2;
  uint16_t bits = 24;
  uint32_t compression = 0, clrUsed = 0, headerSize = 40;
  std::vector<uint32_t> palette;  // 0x00RRGGBB as stored
  std::vector<uint32_t> masks;    // after the header, for BI_BITFIELDS
  std::vector<std::vector<uint8_t>> rows;  // as stored, padding added here
  std::function<void(std::vector<uint8_t>&)> tweak;

  std::vector<uint8_t> Build() const {
    const uint32_t tables = uint32_t(palette.size() + masks.size()) * 4;
    std::vector<uint8_t> b(14 + std::max<uint32_t>(headerSize, 40) + tables, 0);  // room for the fields
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 10, uint32_t(b.size()));
    Put32(b, 14, headerSize);
    Put32(b, 18, uint32_t(width));
    Put32(b, 22, uint32_t(height));
    Put16(b, 26, 1);
    Put16(b, 28, bits);
    Put32(b, 30, compression);
    Put32(b, 46, clrUsed);
    size_t at = 14 + headerSize;
    for (uint32_t m : masks) Put32(b, (at += 4) - 4, m);
    for (uint32_t c : palette) Put32(b, (at += 4) - 4, c);
    for (std::vector<uint8_t> r : rows) {
      while (r.size() % 4) r.push_back(0);
      b.insert(b.end(), r.begin(), r.end());
    }
    Put32(b, 2, uint32_t(b.size()));
    if (tweak) tweak(b);
    return b;
  }
};

SkinImage Decoded(const Bmp& bmp) {
  SkinImage image;
  std::string why;
  EXPECT_TRUE(DecodeBmp(bmp.Build(), image, &why)) << why;
  return image;
}

// A valid 24-bit file 2 x 2: red and green on the lower row, blue and white on the upper.
Bmp TwoByTwo() {
  Bmp b;
  b.rows = {{0, 0, 255, 0, 255, 0}, {255, 0, 0, 255, 255, 255}};
  return b;
}

}  // namespace

TEST(DecodeBmp, TwentyFourBitsBottomUpAndTopDown) {
  const SkinImage up = Decoded(TwoByTwo());
  EXPECT_EQ(up.pixels, (std::vector<uint32_t>{SkinRGB(0, 0, 255), SkinRGB(255, 255, 255), SkinRGB(255, 0, 0),
                                              SkinRGB(0, 255, 0)}));
  Bmp down = TwoByTwo();
  down.height = -2;
  const SkinImage flipped = Decoded(down);
  EXPECT_EQ(flipped.At(0, 0), SkinRGB(255, 0, 0));
  EXPECT_EQ(flipped.At(1, 1), SkinRGB(255, 255, 255));
}

TEST(DecodeBmp, ColourValuesHoldRedInTheLowByte) {
  Bmp b;
  b.width = b.height = 1;
  b.rows = {{3, 2, 1}};  // blue 3, green 2, red 1
  EXPECT_EQ(Decoded(b).At(0, 0), 0x00030201u);
}

TEST(DecodeBmp, PalettedDepths) {
  Bmp one;
  one.bits = 1;
  one.width = 10;
  one.height = 1;
  one.palette = {0x000000, 0xFFFFFF};
  one.rows = {{0b10100000, 0b01000000}};
  const SkinImage mono = Decoded(one);
  EXPECT_EQ(mono.At(0, 0), SkinRGB(255, 255, 255));
  EXPECT_EQ(mono.At(1, 0), 0u);
  EXPECT_EQ(mono.At(9, 0), SkinRGB(255, 255, 255));

  Bmp four;
  four.bits = 4;
  four.width = 3;
  four.height = 1;
  four.clrUsed = 3;
  four.palette = {0x000000, 0xFF0000, 0x0000FF};
  four.rows = {{0x12, 0x00}};
  const SkinImage nibbles = Decoded(four);
  EXPECT_EQ(nibbles.At(0, 0), SkinRGB(255, 0, 0));
  EXPECT_EQ(nibbles.At(1, 0), SkinRGB(0, 0, 255));
  EXPECT_EQ(nibbles.At(2, 0), 0u);

  Bmp eight;
  eight.bits = 8;
  eight.width = 2;
  eight.height = 1;
  eight.clrUsed = 2;
  eight.palette = {0x102030, 0xFF00FF};
  eight.rows = {{1, 0}};
  EXPECT_EQ(Decoded(eight).pixels, (std::vector<uint32_t>{kSkinMagenta, SkinRGB(0x10, 0x20, 0x30)}));
}

TEST(DecodeBmp, SixteenAndThirtyTwoBits) {
  Bmp rgb555;
  rgb555.bits = 16;
  rgb555.width = 1;
  rgb555.height = 1;
  rgb555.rows = {{0x00, 0x7C}};  // red full
  EXPECT_EQ(Decoded(rgb555).At(0, 0), SkinRGB(255, 0, 0));

  Bmp rgb565 = rgb555;
  rgb565.compression = 3;
  rgb565.masks = {0xF800, 0x07E0, 0x001F};
  rgb565.rows = {{0xE0, 0x07}};  // green full
  EXPECT_EQ(Decoded(rgb565).At(0, 0), SkinRGB(0, 255, 0));

  Bmp argb;
  argb.bits = 32;
  argb.width = 1;
  argb.height = 1;
  argb.rows = {{0x30, 0x20, 0x10, 0x80}};
  EXPECT_EQ(Decoded(argb).At(0, 0), SkinRGB(0x10, 0x20, 0x30));
}

TEST(DecodeBmp, MalformedFilesAreRejectedAndLeaveTheImageAlone) {
  struct Case {
    const char* what;
    std::function<void(Bmp&)> change;
  };
  const std::vector<Case> cases = {
      {"not BM", [](Bmp& b) { b.tweak = [](std::vector<uint8_t>& f) { f[0] = 'X'; }; }},
      {"core header", [](Bmp& b) { b.headerSize = 12; }},
      {"header past the end", [](Bmp& b) { b.headerSize = 124; b.rows.clear(); b.tweak = [](std::vector<uint8_t>& f) { f.resize(60); }; }},
      {"zero width", [](Bmp& b) { b.width = 0; }},
      {"negative width", [](Bmp& b) { b.width = -2; }},
      {"zero height", [](Bmp& b) { b.height = 0; }},
      {"lowest height", [](Bmp& b) { b.height = INT32_MIN; }},
      {"two planes", [](Bmp& b) { b.tweak = [](std::vector<uint8_t>& f) { Put16(f, 26, 2); }; }},
      {"7 bits", [](Bmp& b) { b.bits = 7; }},
      {"RLE8", [](Bmp& b) { b.bits = 8; b.compression = 1; b.palette.assign(256, 0); }},
      {"bit fields at 24 bits", [](Bmp& b) { b.compression = 3; b.masks = {0xFF0000, 0xFF00, 0xFF}; }},
      {"empty mask", [](Bmp& b) { b.bits = 32; b.compression = 3; b.masks = {0xFF0000, 0, 0xFF}; b.rows = {{0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}}; }},
      {"last row cut", [](Bmp& b) { b.tweak = [](std::vector<uint8_t>& f) { f.pop_back(); Put32(f, 2, uint32_t(f.size())); }; }},
      {"file size too large", [](Bmp& b) { b.tweak = [](std::vector<uint8_t>& f) { Put32(f, 2, uint32_t(f.size() + 1)); }; }},
      {"file size too small", [](Bmp& b) { b.tweak = [](std::vector<uint8_t>& f) { Put32(f, 2, 20); }; }},
      {"image size below the rows", [](Bmp& b) { b.tweak = [](std::vector<uint8_t>& f) { Put32(f, 34, 4); }; }},
      {"image size past the end", [](Bmp& b) { b.tweak = [](std::vector<uint8_t>& f) { Put32(f, 34, 1000); Put32(f, 2, 0); }; }},
      {"pixels inside the header", [](Bmp& b) { b.tweak = [](std::vector<uint8_t>& f) { Put32(f, 10, 40); }; }},
      {"pixel offset past the end", [](Bmp& b) { b.tweak = [](std::vector<uint8_t>& f) { Put32(f, 10, 0xFFFFFFF0u); Put32(f, 2, 0); }; }},
      {"huge image", [](Bmp& b) { b.width = 1 << 20; b.height = 1 << 20; }},
      {"huge width", [](Bmp& b) { b.width = INT32_MAX; b.height = 1; }},
      {"colour table larger than 2^bits", [](Bmp& b) { b.bits = 1; b.width = 1; b.height = 1; b.clrUsed = 3; b.palette.assign(3, 0); b.rows = {{0}}; }},
      {"colour table cut", [](Bmp& b) { b.bits = 8; b.width = 1; b.height = 1; b.palette.assign(16, 0); b.rows = {{0}}; }},
      {"index outside the colour table", [](Bmp& b) { b.bits = 8; b.width = 1; b.height = 1; b.clrUsed = 2; b.palette.assign(2, 0); b.rows = {{2}}; }},
  };
  for (const Case& c : cases) {
    Bmp b = TwoByTwo();
    c.change(b);
    const std::vector<uint8_t> file = b.Build();
    SkinImage image = Numbered(3, 3);
    std::string why;
    EXPECT_FALSE(DecodeBmp(file, image, &why)) << c.what;
    EXPECT_FALSE(why.empty()) << c.what;
    EXPECT_EQ(image, Numbered(3, 3)) << c.what;
  }
  SkinImage image;
  EXPECT_FALSE(DecodeBmp(nullptr, 0, image));
  EXPECT_FALSE(DecodeBmp(std::vector<uint8_t>{'B', 'M'}, image));
}

TEST(EncodeBmp, TwentyFourBitRoundTripForEveryRowPadding) {
  for (int w = 1; w <= 5; ++w) {
    const SkinImage original = Numbered(w, 3);
    const std::vector<uint8_t> file = EncodeBmp24(original);
    BmpInfo info;
    ASSERT_TRUE(ReadBmpInfo(file.data(), file.size(), info));
    EXPECT_EQ(info.bitsPerPixel, 24);
    EXPECT_FALSE(info.topDown);
    EXPECT_EQ(file.size(), 54 + size_t(info.stride) * 3);
    SkinImage back;
    ASSERT_TRUE(DecodeBmp(file, back));
    EXPECT_EQ(back, original) << w;
  }
}

TEST(EncodeBmp, EightBitsCarryOnlyTheColoursUsed) {
  SkinImage image(3, 2, SkinRGB(1, 2, 3));
  image.Set(1, 1, kSkinMagenta);
  const std::vector<uint8_t> file = EncodeBmp8(image);
  BmpInfo info;
  ASSERT_TRUE(ReadBmpInfo(file.data(), file.size(), info));
  EXPECT_EQ(info.bitsPerPixel, 8);
  EXPECT_EQ(info.paletteSize, 2u);
  SkinImage back;
  ASSERT_TRUE(DecodeBmp(file, back));
  EXPECT_EQ(back, image);
  EXPECT_TRUE(EncodeBmp8(Numbered(17, 16)).empty());  // 272 colours
  EXPECT_TRUE(EncodeBmp24(SkinImage()).empty());
}
