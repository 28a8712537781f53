// libFuzzer target: any bytes as a skin file and as a BMP file. Besides the sanitizers it checks
// what callers rely on: a sound parse holds only images that decode, and decoded images survive
// the stretching routines and a round trip through the encoder.
#include <cstdint>
#include <cstdlib>

#include "ZUBSkinFile.h"
#include "ZUBSkinGeometry.h"

using namespace zubskin;

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// The stretching routines into a small canvas, with rects taken from the input.
void Exercise(const SkinImage& image, const uint8_t* data, size_t size) {
  if (image.Empty() || int64_t(image.width) * image.height > 512 * 512) return;
  auto byte = [&](size_t i) { return size ? int(data[i % size]) : 0; };
  SkinRect rect{byte(1) % 40 - 8, byte(2) % 40 - 8, byte(3) % 72 - 8, byte(4) % 72 - 8};
  SkinImage canvas(64, 64, 0);
  DrawNineSlice(image, canvas, rect, byte(5) & 1);
  DrawThreePartHorz(image, canvas, rect, byte(5) & 2);
  DrawThreePartVert(image, canvas, rect, false);
  for (const SkinBlit& b : PlanNineSlice(image.width, image.height, rect, true)) {
    Require(b.src.left >= 0 && b.src.top >= 0 && b.src.right <= image.width && b.src.bottom <= image.height);
    Require(!b.src.IsEmpty() && !b.dst.IsEmpty());
  }
  SkinImage piece;
  CutStripPiece(image, piece, byte(6) % 8, byte(7) % 9);
  SkinImage turned = image;
  RotateBitmapLeft(turned);
  RotateBitmapRight(turned);
  Require(turned == image);
  SkinImage again;
  Require(DecodeBmp(EncodeBmp24(image), again) && again == image);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SkinParseResult parsed = ParseSkinFile(data, size);
  if (parsed.ok) {
    for (const SkinFile::Image& e : parsed.skin.Images()) {
      SkinImage image;
      Require(parsed.skin.GetImage(e.name, image));
      Exercise(image, data, size);
    }
    for (const SkinFile::Integer& e : parsed.skin.Integers()) (void)parsed.skin.GetInt(e.name);
    for (const SkinFile::Boolean& e : parsed.skin.Booleans()) (void)parsed.skin.GetBool(e.name);
  }
  SkinParseOptions lax;
  lax.validateImages = false;
  const SkinParseResult walked = ParseSkinFile(data, size, lax);
  Require(walked.ok || !parsed.ok);
  if (walked.ok)
    for (const SkinFile::Image& e : walked.skin.Images()) {
      SkinImage image;
      (void)DecodeBmp(e.bmp, image);
    }

  SkinImage image;
  if (DecodeBmp(data, size, image)) Exercise(image, data, size);
  return 0;
}
