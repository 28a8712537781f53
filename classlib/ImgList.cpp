#include "ImgList.h"

#include <algorithm>
#include <cstring>

// Drawn as dest AND mask, then OR picture: the picture is black where the mask is white.
struct TCustomImageList::Image {
  TBitmap picture;
  TBitmap mask;
};

DEFINE_CLASS(TCustomImageList, TComponent, ({}))
DEFINE_CLASS(TImageList, TCustomImageList, ({}))

TCustomImageList::TCustomImageList(TComponent* AOwner) : TCustomImageList(AOwner, 16, 16) {}

TCustomImageList::TCustomImageList(TComponent* AOwner, int32_t AWidth, int32_t AHeight)
    : TComponent(AOwner), width_(std::max(AWidth, 0)), height_(std::max(AHeight, 0)) {}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::SetWidth(int32_t Value) {
  Value = std::max(Value, 0);
  if (Value == width_) return;
  Clear();
  width_ = Value;
}

void TCustomImageList::SetHeight(int32_t Value) {
  Value = std::max(Value, 0);
  if (Value == height_) return;
  Clear();
  height_ = Value;
}

void TCustomImageList::Clear() { images_.clear(); }

template <class IsClear>
int TCustomImageList::AddPieces(TBitmap* Source, IsClear isClear) {
  if (!Source || Source->Empty() || width_ <= 0 || height_ <= 0) return -1;
  const int pieces = Source->Width() / width_;
  if (pieces == 0) return -1;
  const int first = Count();
  const int rows = std::min(height_, Source->Height());
  for (int i = 0; i < pieces; ++i) {
    auto image = std::make_unique<Image>();
    image->picture.SetSize(width_, height_);
    image->mask.SetSize(width_, height_);  // white: transparent until a pixel is copied
    for (int y = 0; y < height_; ++y) {
      uint8_t* picture = image->picture.ScanLine(y);
      uint8_t* mask = image->mask.ScanLine(y);
      std::memset(picture, 0, width_ * size_t(3));
      if (y >= rows) continue;
      const uint8_t* src = Source->ScanLine(y) + i * width_ * size_t(3);
      for (int x = 0; x < width_; ++x) {
        const uint8_t* s = src + x * 3;
        if (isClear(i * width_ + x, y, s)) continue;
        std::memcpy(picture + x * 3, s, 3);
        std::memset(mask + x * 3, 0, 3);
      }
    }
    images_.push_back(std::move(image));
  }
  return first;
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  std::vector<const uint8_t*> maskRows;
  if (Mask && !Mask->Empty())
    for (int y = 0; y < Mask->Height(); ++y) maskRows.push_back(Mask->ScanLine(y));
  const int maskWidth = Mask ? Mask->Width() : 0;
  return AddPieces(Image, [&](int x, int y, const uint8_t*) {
    if (x >= maskWidth || y >= static_cast<int>(maskRows.size())) return false;
    const uint8_t* m = maskRows[y] + x * 3;
    return m[0] == 0xFF && m[1] == 0xFF && m[2] == 0xFF;
  });
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  const COLORREF key = ColorToRGB(MaskColor);
  return AddPieces(Image, [key](int, int, const uint8_t* s) { return RGB(s[2], s[1], s[0]) == key; });
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  if (Index < 0 || Index >= Count()) return;
  Image& image = *images_[Index];
  HDC dst = Canvas->Handle();
  MemoryDC source;
  if (!source.get()) throw EOutOfMemory("Out of system resources");
  if (Enabled) {
    {
      SelectedObject selected(source.get(), image.mask.Handle());
      BitBlt(dst, X, Y, width_, height_, source.get(), 0, 0, SRCAND);
    }
    SelectedObject selected(source.get(), image.picture.Handle());
    BitBlt(dst, X, Y, width_, height_, source.get(), 0, 0, SRCPAINT);
    return;
  }
  // The shape: white where the picture shows and is not white itself.
  TBitmap ink;
  ink.SetSize(width_, height_);
  for (int y = 0; y < height_; ++y) {
    const uint8_t* picture = image.picture.ScanLine(y);
    const uint8_t* mask = image.mask.ScanLine(y);
    uint8_t* out = ink.ScanLine(y);
    for (int x = 0; x < width_ * 3; x += 3) {
      const bool shows = mask[x] == 0 && !(picture[x] == 0xFF && picture[x + 1] == 0xFF && picture[x + 2] == 0xFF);
      std::memset(out + x, shows ? 0xFF : 0, 3);
    }
  }
  SelectedObject selected(source.get(), ink.Handle());
  // Brush where the source is white, the destination elsewhere (DSPDxax).
  auto emboss = [&](int x, int y, TColor color) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(color)));
    SelectedObject selectedBrush(dst, brush.get());
    BitBlt(dst, x, y, width_, height_, source.get(), 0, 0, 0x00E20746);
  };
  emboss(X + 1, Y + 1, clBtnHighlight);
  emboss(X, Y, clBtnShadow);
}
