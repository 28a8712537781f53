#include "ZUBSkinImage.h"

#include <cstring>
#include <unordered_map>

namespace zubskin {

SkinImage::SkinImage(int w, int h, uint32_t fill) {
  if (w > 0 && h > 0) {
    width = w;
    height = h;
    pixels.assign(static_cast<size_t>(w) * h, fill);
  }
}

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

bool Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}

// One channel described by a BI_BITFIELDS mask, widened to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  bool Set(uint32_t m) {
    if (m == 0) return false;
    mask = m;
    shift = 0;
    while (((m >> shift) & 1) == 0) ++shift;
    max = m >> shift;
    return true;
  }
  unsigned Read(uint32_t v) const {
    uint64_t c = (v & mask) >> shift;
    return static_cast<unsigned>(c * 255 / max);
  }
};

}  // namespace

bool ReadBmpInfo(const uint8_t* data, size_t size, BmpInfo& info, std::string* error) {
  if (!data || size < kFileHeaderSize + kInfoHeaderSize) return Fail(error, "shorter than the BMP headers");
  if (data[0] != 'B' || data[1] != 'M') return Fail(error, "does not begin with BM");
  const uint32_t fileSize = Get32(data + 2);
  const uint32_t offBits = Get32(data + 10);
  const uint8_t* ih = data + kFileHeaderSize;
  const uint32_t headerSize = Get32(ih);
  if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124)
    return Fail(error, "unknown information header size");
  if (uint64_t(kFileHeaderSize) + headerSize > size) return Fail(error, "information header past the end");
  const int32_t w = static_cast<int32_t>(Get32(ih + 4));
  const int32_t h = static_cast<int32_t>(Get32(ih + 8));
  const uint16_t planes = Get16(ih + 12);
  const uint16_t bits = Get16(ih + 14);
  const uint32_t compression = Get32(ih + 16);
  const uint32_t sizeImage = Get32(ih + 20);
  const uint32_t clrUsed = Get32(ih + 32);
  if (w <= 0) return Fail(error, "width not positive");
  if (h == 0 || h == INT32_MIN) return Fail(error, "height zero or out of range");
  if (planes != 1) return Fail(error, "planes not 1");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return Fail(error, "unsupported bit depth");
  if (compression != BI_RGB && !(compression == BI_BITFIELDS && (bits == 16 || bits == 32)))
    return Fail(error, "unsupported compression");
  const int64_t height = h < 0 ? -int64_t(h) : int64_t(h);
  if (int64_t(w) * height > kMaxBmpPixels) return Fail(error, "image too large");

  uint64_t tableEnd = uint64_t(kFileHeaderSize) + headerSize;
  if (compression == BI_BITFIELDS && headerSize == 40) tableEnd += 12;  // masks follow the header
  uint32_t paletteSize = 0;
  if (bits <= 8) {
    const uint32_t maxColours = 1u << bits;
    if (clrUsed > maxColours) return Fail(error, "colour table larger than the bit depth allows");
    paletteSize = clrUsed ? clrUsed : maxColours;
    tableEnd += uint64_t(paletteSize) * 4;
  }
  if (offBits < tableEnd) return Fail(error, "pixels overlap the headers or the colour table");
  const uint64_t stride = ((uint64_t(w) * bits + 31) / 32) * 4;
  const uint64_t rowsSize = stride * uint64_t(height);
  if (sizeImage != 0 && sizeImage < rowsSize) return Fail(error, "image size field smaller than the rows");
  const uint64_t pixelEnd = uint64_t(offBits) + (sizeImage > rowsSize ? sizeImage : rowsSize);
  if (pixelEnd > size) return Fail(error, "pixels past the end of the data");
  if (fileSize != 0 && (fileSize > size || fileSize < pixelEnd)) return Fail(error, "file size field does not match");

  info.width = w;
  info.height = static_cast<int>(height);
  info.topDown = h < 0;
  info.bitsPerPixel = bits;
  info.compression = compression;
  info.paletteSize = paletteSize;
  info.pixelOffset = offBits;
  info.stride = static_cast<uint32_t>(stride);
  return true;
}

bool DecodeBmp(const uint8_t* data, size_t size, SkinImage& image, std::string* error) {
  BmpInfo info;
  if (!ReadBmpInfo(data, size, info, error)) return false;
  const uint8_t* ih = data + kFileHeaderSize;
  const uint32_t headerSize = Get32(ih);

  std::vector<uint32_t> palette;
  if (info.bitsPerPixel <= 8) {
    const uint8_t* p = data + kFileHeaderSize + headerSize;
    palette.reserve(info.paletteSize);
    for (uint32_t i = 0; i < info.paletteSize; ++i, p += 4) palette.push_back(SkinRGB(p[2], p[1], p[0]));
  }
  Channel red, green, blue;
  if (info.compression == BI_BITFIELDS) {
    const uint8_t* m = ih + 40;  // right after a 40-byte header, or inside a longer one: the same place
    if (!red.Set(Get32(m)) || !green.Set(Get32(m + 4)) || !blue.Set(Get32(m + 8)))
      return Fail(error, "empty colour mask");
  } else if (info.bitsPerPixel == 16) {
    red.Set(0x7C00);
    green.Set(0x03E0);
    blue.Set(0x001F);
  } else if (info.bitsPerPixel == 32) {
    red.Set(0x00FF0000);
    green.Set(0x0000FF00);
    blue.Set(0x000000FF);
  }

  SkinImage out(info.width, info.height);
  for (int row = 0; row < info.height; ++row) {
    const uint8_t* src = data + info.pixelOffset + static_cast<size_t>(row) * info.stride;
    const int y = info.topDown ? row : info.height - 1 - row;
    uint32_t* dst = &out.pixels[static_cast<size_t>(y) * info.width];
    for (int x = 0; x < info.width; ++x) {
      uint32_t c;
      switch (info.bitsPerPixel) {
        case 24:
          c = SkinRGB(src[x * 3 + 2], src[x * 3 + 1], src[x * 3]);
          break;
        case 32: {
          const uint32_t v = Get32(src + x * 4);
          c = SkinRGB(red.Read(v), green.Read(v), blue.Read(v));
          break;
        }
        case 16: {
          const uint32_t v = Get16(src + x * 2);
          c = SkinRGB(red.Read(v), green.Read(v), blue.Read(v));
          break;
        }
        default: {
          const int bits = info.bitsPerPixel;
          const int bitPos = x * bits;
          const unsigned byte = src[bitPos / 8];
          const unsigned index = (byte >> (8 - bits - bitPos % 8)) & ((1u << bits) - 1);
          if (index >= palette.size()) return Fail(error, "colour index outside the colour table");
          c = palette[index];
        }
      }
      dst[x] = c;
    }
  }
  image = std::move(out);
  return true;
}

namespace {

std::vector<uint8_t> BmpHeaders(const SkinImage& image, int bits, uint32_t paletteSize) {
  const uint32_t stride = ((uint32_t(image.width) * bits + 31) / 32) * 4;
  const uint32_t offBits = kFileHeaderSize + kInfoHeaderSize + paletteSize * 4;
  const uint32_t sizeImage = stride * uint32_t(image.height);
  std::vector<uint8_t> out;
  out.reserve(offBits + sizeImage);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offBits + sizeImage);
  Put32(out, 0);
  Put32(out, offBits);
  Put32(out, kInfoHeaderSize);
  Put32(out, uint32_t(image.width));
  Put32(out, uint32_t(image.height));
  Put16(out, 1);
  Put16(out, bits);
  Put32(out, BI_RGB);
  Put32(out, sizeImage);
  Put32(out, 0);  // no resolution: screen images
  Put32(out, 0);
  Put32(out, paletteSize);
  Put32(out, 0);
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const SkinImage& image) {
  if (image.Empty()) return {};
  std::vector<uint8_t> out = BmpHeaders(image, 24, 0);
  const size_t pad = (4 - (image.width * 3) % 4) % 4;
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const uint32_t c = image.At(x, y);
      out.push_back(SkinBlue(c));
      out.push_back(SkinGreen(c));
      out.push_back(SkinRed(c));
    }
    out.insert(out.end(), pad, 0);
  }
  return out;
}

std::vector<uint8_t> EncodeBmp8(const SkinImage& image) {
  if (image.Empty()) return {};
  std::vector<uint32_t> palette;
  std::unordered_map<uint32_t, uint8_t> index;
  for (uint32_t c : image.pixels) {
    if (index.count(c)) continue;
    if (palette.size() == 256) return {};
    index.emplace(c, static_cast<uint8_t>(palette.size()));
    palette.push_back(c);
  }
  std::vector<uint8_t> out = BmpHeaders(image, 8, static_cast<uint32_t>(palette.size()));
  for (uint32_t c : palette) {
    out.push_back(SkinBlue(c));
    out.push_back(SkinGreen(c));
    out.push_back(SkinRed(c));
    out.push_back(0);
  }
  const size_t pad = (4 - image.width % 4) % 4;
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) out.push_back(index[image.At(x, y)]);
    out.insert(out.end(), pad, 0);
  }
  return out;
}

}  // namespace zubskin
