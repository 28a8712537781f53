// Builds BMP files field by field for the tests, so that each case can spoil one field.
#pragma once

#include <cstdint>
#include <vector>

struct BmpShape {
  uint32_t headerSize = 40;
  int32_t width = 2;
  int32_t height = 2;  // negative: top-down
  uint16_t planes = 1;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t sizeImage = 0;
  uint32_t colorsUsed = 0;
  std::vector<uint32_t> masks;    // bit fields: after a 40-byte header, inside a longer one
  std::vector<uint32_t> palette;  // 0x00RRGGBB, written as blue, green, red, 0
  std::vector<uint8_t> rows;      // the pixel bytes as stored; zeros of the right size when empty
  int64_t offBitsDelta = 0;       // moves the file header's pointer to the rows
  uint32_t fileSize = 0;          // 0: the real size
  bool fileHeader = true;         // false: a packed DIB
};

inline void BmpPut(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline std::vector<uint8_t> MakeBmp(const BmpShape& s) {
  std::vector<uint8_t> info;
  BmpPut(info, s.headerSize, 4);
  if (s.headerSize == 12) {
    BmpPut(info, static_cast<uint32_t>(s.width), 2);
    BmpPut(info, static_cast<uint32_t>(s.height), 2);
    BmpPut(info, s.planes, 2);
    BmpPut(info, s.bits, 2);
  } else {
    BmpPut(info, static_cast<uint32_t>(s.width), 4);
    BmpPut(info, static_cast<uint32_t>(s.height), 4);
    BmpPut(info, s.planes, 2);
    BmpPut(info, s.bits, 2);
    BmpPut(info, s.compression, 4);
    BmpPut(info, s.sizeImage, 4);
    BmpPut(info, 0, 4);
    BmpPut(info, 0, 4);
    BmpPut(info, s.colorsUsed, 4);
    BmpPut(info, 0, 4);
    if (s.headerSize > 40)
      for (uint32_t m : s.masks) BmpPut(info, m, 4);
    while (info.size() < s.headerSize) info.push_back(0);
    if (s.headerSize <= 40)
      for (uint32_t m : s.masks) BmpPut(info, m, 4);
  }
  for (uint32_t c : s.palette) BmpPut(info, s.headerSize == 12 ? c : c & 0xFFFFFF, s.headerSize == 12 ? 3 : 4);

  std::vector<uint8_t> rows = s.rows;
  if (rows.empty()) {
    const uint64_t h = s.height < 0 ? -int64_t(s.height) : s.height;
    const uint64_t stride = (uint64_t(s.width > 0 ? s.width : 0) * s.bits + 31) / 32 * 4;
    if (stride * h < (1u << 24)) rows.assign(stride * h, 0);
  }

  std::vector<uint8_t> out;
  if (s.fileHeader) {
    const uint32_t offBits = static_cast<uint32_t>(14 + info.size() + s.offBitsDelta);
    out.push_back('B');
    out.push_back('M');
    BmpPut(out, s.fileSize ? s.fileSize : static_cast<uint32_t>(14 + info.size() + rows.size()), 4);
    BmpPut(out, 0, 4);
    BmpPut(out, offBits, 4);
  }
  out.insert(out.end(), info.begin(), info.end());
  out.insert(out.end(), rows.begin(), rows.end());
  return out;
}
