#include "ZUBSkinUtils.h"

#include "ZUBSkinGeometry.h"

namespace zubskin {

SkinImage BitmapToSkinImage(TBitmap* bitmap) {
  SkinImage image;
  if (!bitmap || bitmap->Empty()) return image;
  image = SkinImage(bitmap->Width(), bitmap->Height());
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* row = bitmap->ScanLine(y);
    for (int x = 0; x < image.width; ++x)
      image.Set(x, y, SkinRGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
  }
  return image;
}

void SkinImageToBitmap(const SkinImage& image, TBitmap* bitmap) {
  if (image.Empty()) {
    bitmap->SetSize(0, 0);
    return;
  }
  bitmap->SetSize(image.width, image.height);
  for (int y = 0; y < image.height; ++y) {
    uint8_t* row = bitmap->ScanLine(y);
    for (int x = 0; x < image.width; ++x) {
      uint32_t c = image.At(x, y);
      row[3 * x] = static_cast<uint8_t>(c >> 16);
      row[3 * x + 1] = static_cast<uint8_t>(c >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(c);
    }
  }
}

void CutStripPiece(TBitmap* source, TBitmap* dest, int count, int index) {
  SkinImage piece;
  CutStripPiece(BitmapToSkinImage(source), piece, count, index);
  SkinImageToBitmap(piece, dest);
}

void RotateBitmapLeft(TBitmap* bitmap) {
  SkinImage image = BitmapToSkinImage(bitmap);
  RotateBitmapLeft(image);
  SkinImageToBitmap(image, bitmap);
}

void RotateBitmap180(TBitmap* bitmap) {
  SkinImage image = BitmapToSkinImage(bitmap);
  RotateBitmap180(image);
  SkinImageToBitmap(image, bitmap);
}

void RotateBitmapRight(TBitmap* bitmap) {
  SkinImage image = BitmapToSkinImage(bitmap);
  RotateBitmapRight(image);
  SkinImageToBitmap(image, bitmap);
}

}  // namespace zubskin
