// The drawing utilities on the class library's bitmaps: thin wrappers that move pixels between
// TBitmap and SkinImage and leave the cutting and turning to the pure routines.
#pragma once

#include "Graphics.h"
#include "ZUBSkinImage.h"

namespace zubskin {

// The bitmap's pixels as 0x00BBGGRR; an empty bitmap gives an empty image.
SkinImage BitmapToSkinImage(TBitmap* bitmap);
// Resizes the bitmap to the image and copies its pixels.
void SkinImageToBitmap(const SkinImage& image, TBitmap* bitmap);

// Piece Index (from 1) of Count equal-width pieces of Source into Dest; Dest is emptied when
// the piece holds nothing.
void CutStripPiece(TBitmap* source, TBitmap* dest, int count, int index);
void RotateBitmapLeft(TBitmap* bitmap);
void RotateBitmap180(TBitmap* bitmap);
void RotateBitmapRight(TBitmap* bitmap);

}  // namespace zubskin
