// The BMP codec: every layout it reads gives the same pixels, and malformed files are refused
// without reading outside the data.
#include "BmpFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "BmpBuilder.h"

namespace {

constexpr uint32_t kBlack = 0x000000, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

// 0x00RRGGBB of pixel (x, y), y from the top.
uint32_t Pixel(const Dib24& d, int x, int y) {
  const uint8_t* p = d.bits.data() + (d.height - 1 - y) * Dib24::Stride(d.width) + x * 3;
  return uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
}

std::vector<uint32_t> TopRow(const Dib24& d) {
  std::vector<uint32_t> row;
  for (int x = 0; x < d.width; ++x) row.push_back(Pixel(d, x, 0));
  return row;
}

Dib24 Decode(const std::vector<uint8_t>& file) { return DecodeBmpFile(file.data(), file.size()); }

// 3 x 2, 8 bits, four colours; the rows hold indices 1 2 3 (bottom) and 3 2 1 (top).
BmpShape Valid8() {
  BmpShape s;
  s.width = 3;
  s.height = 2;
  s.bits = 8;
  s.colorsUsed = 4;
  s.palette = {kBlack, kRed, kGreen, kBlue};
  s.rows = {1, 2, 3, 0, 3, 2, 1, 0};
  return s;
}

}  // namespace

TEST(BmpFormat, TwentyFourBitRowsReadTheSameBottomUpAndTopDown) {
  BmpShape bottomUp;  // 2 x 2: blue, white on top; red, green below
  bottomUp.rows = {0, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0};
  BmpShape topDown = bottomUp;
  topDown.height = -2;
  topDown.rows = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0, 0};
  for (const BmpShape& shape : {bottomUp, topDown}) {
    const Dib24 d = Decode(MakeBmp(shape));
    ASSERT_EQ(d.width, 2);
    ASSERT_EQ(d.height, 2);
    EXPECT_EQ(Pixel(d, 0, 0), kBlue);
    EXPECT_EQ(Pixel(d, 1, 0), kWhite);
    EXPECT_EQ(Pixel(d, 0, 1), kRed);
    EXPECT_EQ(Pixel(d, 1, 1), kGreen);
  }
}

TEST(BmpFormat, EveryDepthGivesTheSamePixels) {
  auto shape = [](uint32_t header, uint16_t bits, uint32_t compression, std::vector<uint8_t> row) {
    BmpShape s;
    s.headerSize = header;
    s.width = 3;
    s.height = 1;
    s.bits = bits;
    s.compression = compression;
    s.rows = std::move(row);
    return s;
  };
  struct Case {
    const char* name;
    BmpShape shape;
    std::vector<uint32_t> expected;
  };
  std::vector<Case> cases;
  {
    BmpShape s = shape(40, 1, 0, {0xA0, 0, 0, 0});  // indices 1 0 1
    s.palette = {kBlack, kRed};
    cases.push_back({"1 bit", s, {kRed, kBlack, kRed}});
    s = shape(40, 4, 0, {0x12, 0x30, 0, 0});
    s.colorsUsed = 4;
    s.palette = {kBlack, kRed, kGreen, kBlue};
    cases.push_back({"4 bits, short palette", s, {kRed, kGreen, kBlue}});
    s = shape(40, 8, 0, {1, 2, 3, 0});
    s.colorsUsed = 4;
    s.palette = {kBlack, kRed, kGreen, kBlue};
    cases.push_back({"8 bits", s, {kRed, kGreen, kBlue}});
    s = shape(12, 8, 0, {1, 2, 3, 0});
    s.palette.assign(256, kWhite);
    s.palette[1] = kRed, s.palette[2] = kGreen, s.palette[3] = kBlue;
    cases.push_back({"8 bits, core header", s, {kRed, kGreen, kBlue}});
    s = shape(40, 16, 0, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0});
    cases.push_back({"16 bits, 5-5-5", s, {kRed, kGreen, kBlue}});
    s = shape(40, 16, 3, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0});
    s.masks = {0xF800, 0x07E0, 0x001F};
    cases.push_back({"16 bits, 5-6-5 fields", s, {kRed, kGreen, kBlue}});
    cases.push_back({"32 bits", shape(40, 32, 0, {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0}), {kRed, kGreen, kBlue}});
    s = shape(108, 32, 3, {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0});  // red in the low byte
    s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    cases.push_back({"32 bits, fields in a V4 header", s, {kRed, kGreen, kBlue}});
    cases.push_back({"24 bits, V5 header", shape(124, 24, 0, {0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0}),
                     {kRed, kGreen, kBlue}});
  }
  for (const Case& c : cases) EXPECT_EQ(TopRow(Decode(MakeBmp(c.shape))), c.expected) << c.name;
}

TEST(BmpFormat, IndexPastAShortPaletteReadsBlack) {
  BmpShape s = Valid8();
  s.colorsUsed = 2;
  s.palette = {kWhite, kRed};
  s.rows = {1, 5, 200, 0, 1, 1, 1, 0};
  EXPECT_EQ(TopRow(Decode(MakeBmp(s))), (std::vector<uint32_t>{kRed, kRed, kRed}));
  s.rows = {1, 5, 200, 0, 0, 0, 0, 0};
  const Dib24 d = Decode(MakeBmp(s));
  EXPECT_EQ(Pixel(d, 0, 1), kRed);
  EXPECT_EQ(Pixel(d, 1, 1), kBlack);
  EXPECT_EQ(Pixel(d, 2, 1), kBlack);
}

TEST(BmpFormat, MalformedFilesAreRefused) {
  auto from = [](std::function<void(BmpShape&)> change) {
    return [change] {
      BmpShape s = Valid8();
      change(s);
      return MakeBmp(s);
    };
  };
  auto bytes = [](std::function<void(std::vector<uint8_t>&)> change) {
    return [change] {
      std::vector<uint8_t> b = MakeBmp(Valid8());
      change(b);
      return b;
    };
  };
  auto fields16 = [&](std::vector<uint32_t> masks) {
    return from([masks](BmpShape& s) { s.bits = 16, s.compression = 3, s.masks = masks, s.rows.clear(); });
  };
  struct Case {
    const char* name;
    std::function<std::vector<uint8_t>()> make;
  };
  const Case cases[] = {
      {"no data", [] { return std::vector<uint8_t>(); }},
      {"file header cut", bytes([](auto& b) { b.resize(10); })},
      {"information header cut", bytes([](auto& b) { b.resize(14 + 20); })},
      {"not BM", bytes([](auto& b) { b[1] = 'A'; })},
      {"unknown header size", from([](BmpShape& s) { s.headerSize = 41; })},
      {"header longer than the data", bytes([](auto& b) { b[14] = 124; b.resize(14 + 60); })},
      {"zero width", from([](BmpShape& s) { s.width = 0; })},
      {"negative width", from([](BmpShape& s) { s.width = -3; })},
      {"zero height", from([](BmpShape& s) { s.height = 0; })},
      {"lowest height", from([](BmpShape& s) { s.height = INT32_MIN; s.rows.clear(); })},
      {"huge width", from([](BmpShape& s) { s.width = 40000; s.height = 1; s.rows.clear(); })},
      {"huge height", from([](BmpShape& s) { s.width = 1; s.height = -40000; s.rows.clear(); })},
      {"huge area", from([](BmpShape& s) { s.width = 8000; s.height = 8000; s.rows.clear(); })},
      {"two planes", from([](BmpShape& s) { s.planes = 2; })},
      {"bit depth 7", from([](BmpShape& s) { s.bits = 7; })},
      {"bit depth 0", from([](BmpShape& s) { s.bits = 0; })},
      {"run-length compression", from([](BmpShape& s) { s.compression = 1; })},
      {"unknown compression", from([](BmpShape& s) { s.compression = 99; })},
      {"bit fields at 8 bits", from([](BmpShape& s) { s.compression = 3; s.masks = {0xE0, 0x1C, 0x03}; })},
      {"palette too large for 8 bits", from([](BmpShape& s) { s.colorsUsed = 257; s.palette.assign(257, 0); })},
      {"three colours at 1 bit", from([](BmpShape& s) { s.bits = 1, s.colorsUsed = 3, s.rows.clear(); })},
      {"palette past the end", from([](BmpShape& s) { s.colorsUsed = 256; s.rows.clear(); s.height = 1; s.width = 1; })},
      {"rows past the end", bytes([](auto& b) { b.pop_back(); })},
      {"rows pointer past the end", from([](BmpShape& s) { s.offBitsDelta = 1000; })},
      {"rows pointer inside the palette", from([](BmpShape& s) { s.offBitsDelta = -4; })},
      {"rows pointer inside the file header", bytes([](auto& b) { b[10] = 10; })},
      {"image size below the rows", from([](BmpShape& s) { s.sizeImage = 7; })},
      {"bit fields cut off", bytes([](auto& b) { b[28] = 16; b[30] = 3; b.resize(14 + 40 + 4); })},
      {"zero mask", fields16({0, 0x07E0, 0x001F})},
      {"mask with a gap", fields16({0xF0F0, 0x0E00, 0x000F})},
      {"overlapping masks", fields16({0xF800, 0x0FE0, 0x001F})},
      {"mask beyond 16 bits", fields16({0x1F0000, 0x07E0, 0x001F})},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> file = c.make();
    EXPECT_THROW(DecodeBmpFile(file.data(), file.size()), EInvalidGraphic) << c.name;
  }
}

TEST(BmpFormat, EveryTruncationIsRefused) {
  for (const BmpShape& shape : {Valid8(), BmpShape()}) {
    const std::vector<uint8_t> file = MakeBmp(shape);
    ASSERT_NO_THROW(Decode(file));
    for (size_t n = 0; n < file.size(); ++n) {
      const std::vector<uint8_t> cut(file.begin(), file.begin() + n);  // a copy of exactly n bytes
      EXPECT_THROW(DecodeBmpFile(cut.data(), cut.size()), EInvalidGraphic) << n << " of " << file.size();
    }
  }
}

TEST(BmpFormat, FileLengthComesFromItsHeaderWhenConsistent) {
  const std::vector<uint8_t> file = MakeBmp(Valid8());
  std::vector<uint8_t> padded = file;
  padded.resize(file.size() + 10, 0xEE);
  size_t used = 0;
  DecodeBmpFile(padded.data(), padded.size(), &used);
  EXPECT_EQ(used, file.size());

  BmpShape zeroSize = Valid8();
  zeroSize.fileSize = 0xFFFFFF;  // beyond the data: the rows end the file
  std::vector<uint8_t> wrong = MakeBmp(zeroSize);
  wrong.resize(wrong.size() + 10);
  DecodeBmpFile(wrong.data(), wrong.size(), &used);
  EXPECT_EQ(used, file.size());
}

TEST(BmpFormat, PackedDibReadsLikeAFile) {
  BmpShape packed = Valid8();
  packed.fileHeader = false;
  const std::vector<uint8_t> dib = MakeBmp(packed);
  const Dib24 d = DecodePackedDib(dib.data(), dib.size());
  const Dib24 f = Decode(MakeBmp(Valid8()));
  EXPECT_EQ(d.bits, f.bits);
  EXPECT_EQ(TopRow(d), (std::vector<uint32_t>{kBlue, kGreen, kRed}));
}

TEST(BmpFormat, EncodedFileReadsBackUnchanged) {
  const Dib24 image = Decode(MakeBmp(Valid8()));
  const std::vector<uint8_t> file = EncodeBmpFile(image);
  ASSERT_GE(file.size(), 54u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[28], 24);  // bits per pixel
  EXPECT_EQ(file.size(), 54 + Dib24::Stride(3) * 2);
  size_t used = 0;
  const Dib24 back = DecodeBmpFile(file.data(), file.size(), &used);
  EXPECT_EQ(used, file.size());
  EXPECT_EQ(back.width, 3);
  EXPECT_EQ(back.height, 2);
  EXPECT_EQ(back.bits, image.bits);
  EXPECT_TRUE(EncodeBmpFile(Dib24()).empty());
}
