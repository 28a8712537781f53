// BMP files and packed DIBs (bitmap resources): decoded into 24-bit rows, written as 24-bit files.
// No Win32 here, so that the decoder is built and tested natively too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "SysUtils.h"

// A picture's data is not a picture of its kind (also raised for a bitmap too large to hold).
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
  std::string ClassName() const override { return "EInvalidGraphic"; }
};

// Pixels in the layout of a bottom-up 24-bit DIB: rows from the bottom, blue-green-red,
// each row padded to a multiple of 4 bytes.
struct Dib24 {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> bits;

  static size_t Stride(int32_t width) { return (static_cast<size_t>(width) * 3 + 3) & ~size_t(3); }
};

// Bitmaps beyond these are refused as invalid rather than allocated (96 MB of pixels at most).
constexpr int32_t kMaxBitmapSide = 32767;
constexpr int64_t kMaxBitmapPixels = int64_t(1) << 25;

// Decodes a BMP file: the core, 40-byte and later information headers; 1, 4 and 8 bits with a
// colour table, 16 and 32 bits (plain or with bit fields) and 24 bits; bottom-up and top-down.
// Every header field is checked against the data, which is never read beyond size; anything out
// of place raises EInvalidGraphic. consumed receives the length of the file within data.
Dib24 DecodeBmpFile(const uint8_t* data, size_t size, size_t* consumed = nullptr);
// The same for a packed DIB: information header, colour table and rows without a file header.
Dib24 DecodePackedDib(const uint8_t* data, size_t size);
// A 24-bit bottom-up BMP file of image; empty for an empty image.
std::vector<uint8_t> EncodeBmpFile(const Dib24& image);
