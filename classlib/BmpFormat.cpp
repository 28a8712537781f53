#include "BmpFormat.h"

#include <cstring>

namespace {

constexpr uint32_t kRgb = 0, kBitFields = 3;
constexpr size_t kFileHeaderSize = 14, kInfoHeaderSize = 40, kCoreHeaderSize = 12;

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}
void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// One colour channel of a 16- or 32-bit pixel, widened to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  // A mask must be one run of set bits inside the pixel.
  static Channel FromMask(uint32_t mask, int bitsPerPixel) {
    if (mask == 0 || (bitsPerPixel == 16 && mask > 0xFFFF)) Invalid();
    Channel c;
    c.mask = mask;
    while (!(mask & 1)) {
      mask >>= 1;
      ++c.shift;
    }
    if (mask & (mask + 1)) Invalid();
    c.max = mask;
    return c;
  }
  uint8_t Get(uint32_t pixel) const {
    uint32_t v = (pixel & mask) >> shift;
    return static_cast<uint8_t>(max == 255 ? v : (static_cast<uint64_t>(v) * 255 + max / 2) / max);
  }
};

// Checks the information header at data[header] and converts the rows. pixelOffset 0: the rows
// follow the colour table (a packed DIB). Returns the end of the rows in *end.
Dib24 Decode(const uint8_t* data, size_t size, size_t header, uint32_t pixelOffset, size_t* end) {
  if (size < header || size - header < 4) Invalid();
  const uint32_t headerSize = U32(data + header);
  if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize && headerSize != 52 && headerSize != 56 &&
      headerSize != 108 && headerSize != 124)
    Invalid();
  if (size - header < headerSize) Invalid();
  const uint8_t* h = data + header;

  int64_t width, height;
  unsigned planes, bits;
  uint32_t compression = kRgb, sizeImage = 0, colorsUsed = 0;
  size_t entrySize = 4;
  if (headerSize == kCoreHeaderSize) {
    width = U16(h + 4);
    height = U16(h + 6);
    planes = U16(h + 8);
    bits = U16(h + 10);
    entrySize = 3;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) Invalid();
  } else {
    width = static_cast<int32_t>(U32(h + 4));
    height = static_cast<int32_t>(U32(h + 8));
    planes = U16(h + 12);
    bits = U16(h + 14);
    compression = U32(h + 16);
    sizeImage = U32(h + 20);
    colorsUsed = U32(h + 32);
  }
  if (planes != 1) Invalid();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) Invalid();
  if (compression != kRgb && !(compression == kBitFields && (bits == 16 || bits == 32))) Invalid();

  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
      width * height > kMaxBitmapPixels)
    Invalid();

  // Bit fields: inside a later header, or three masks after the 40-byte one.
  size_t table = header + headerSize;
  Channel red, green, blue;
  if (compression == kBitFields) {
    const uint8_t* masks = h + kInfoHeaderSize;
    if (headerSize == kInfoHeaderSize) {
      if (size - table < 12) Invalid();
      masks = data + table;
      table += 12;
    }
    red = Channel::FromMask(U32(masks), bits);
    green = Channel::FromMask(U32(masks + 4), bits);
    blue = Channel::FromMask(U32(masks + 8), bits);
    if ((red.mask & green.mask) || (red.mask & blue.mask) || (green.mask & blue.mask)) Invalid();
  } else if (bits == 16) {
    red = Channel::FromMask(0x7C00, 16);
    green = Channel::FromMask(0x03E0, 16);
    blue = Channel::FromMask(0x001F, 16);
  } else if (bits == 32) {
    red = Channel::FromMask(0xFF0000, 32);
    green = Channel::FromMask(0x00FF00, 32);
    blue = Channel::FromMask(0x0000FF, 32);
  }

  // The colour table: required up to 8 bits, and never longer than the indices can reach;
  // beyond 8 bits an optional table that is skipped.
  uint64_t entries = colorsUsed;
  if (bits <= 8) {
    if (entries == 0) entries = uint64_t(1) << bits;
    if (entries > (uint64_t(1) << bits)) Invalid();
  }
  const uint64_t tableEnd = table + entries * entrySize;
  if (tableEnd > size) Invalid();

  const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  const uint64_t rowBytes = stride * static_cast<uint64_t>(height);
  if (sizeImage != 0 && sizeImage < rowBytes) Invalid();
  const uint64_t rows = pixelOffset ? pixelOffset : tableEnd;
  if (rows < tableEnd || rows > size || rowBytes > size - rows) Invalid();
  *end = static_cast<size_t>(rows + rowBytes);

  uint8_t palette[256][3] = {};
  const unsigned paletteCount = bits <= 8 ? static_cast<unsigned>(entries) : 0;
  for (unsigned i = 0; i < paletteCount; ++i) std::memcpy(palette[i], data + table + i * entrySize, 3);

  Dib24 image;
  image.width = static_cast<int32_t>(width);
  image.height = static_cast<int32_t>(height);
  const size_t outStride = Dib24::Stride(image.width);
  image.bits.assign(outStride * image.height, 0);
  for (int32_t r = 0; r < image.height; ++r) {
    const uint8_t* src = data + rows + r * stride;
    uint8_t* dst = image.bits.data() + (topDown ? image.height - 1 - r : r) * outStride;
    for (int32_t x = 0; x < image.width; ++x, dst += 3) {
      if (bits <= 8) {
        const unsigned perByte = 8 / bits;
        const unsigned shift = 8 - bits * (x % perByte + 1);
        const unsigned index = (src[x / perByte] >> shift) & ((1u << bits) - 1);
        // An index past a short colour table reads as black.
        if (index < paletteCount) std::memcpy(dst, palette[index], 3);
      } else if (bits == 24) {
        std::memcpy(dst, src + x * 3, 3);
      } else {
        const uint32_t pixel = bits == 16 ? U16(src + x * 2) : U32(src + x * 4);
        dst[0] = blue.Get(pixel);
        dst[1] = green.Get(pixel);
        dst[2] = red.Get(pixel);
      }
    }
  }
  return image;
}

}  // namespace

Dib24 DecodeBmpFile(const uint8_t* data, size_t size, size_t* consumed) {
  if (size < kFileHeaderSize || data[0] != 'B' || data[1] != 'M') Invalid();
  const uint32_t fileSize = U32(data + 2);
  const uint32_t offBits = U32(data + 10);
  if (offBits < kFileHeaderSize) Invalid();
  size_t end = 0;
  Dib24 image = Decode(data, size, kFileHeaderSize, offBits, &end);
  // The file's own size counts when it covers the rows and lies within the data; writers that
  // leave it 0 or wrong end the file after the rows.
  if (consumed) *consumed = fileSize >= end && fileSize <= size ? fileSize : end;
  return image;
}

Dib24 DecodePackedDib(const uint8_t* data, size_t size) {
  size_t end = 0;
  return Decode(data, size, 0, 0, &end);
}

std::vector<uint8_t> EncodeBmpFile(const Dib24& image) {
  std::vector<uint8_t> out;
  if (image.width <= 0 || image.height <= 0) return out;
  const uint32_t rowBytes = static_cast<uint32_t>(Dib24::Stride(image.width) * image.height);
  if (image.bits.size() < rowBytes) Invalid();
  const uint32_t offBits = kFileHeaderSize + kInfoHeaderSize;
  out.reserve(offBits + rowBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offBits + rowBytes);
  Put32(out, 0);
  Put32(out, offBits);
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<uint32_t>(image.width));
  Put32(out, static_cast<uint32_t>(image.height));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, kRgb);
  Put32(out, rowBytes);
  Put32(out, 0);  // pixels per metre: unknown
  Put32(out, 0);
  Put32(out, 0);  // no colour table
  Put32(out, 0);
  out.insert(out.end(), image.bits.begin(), image.bits.begin() + rowBytes);
  return out;
}
