// Image lists: pictures of one size, each with its mask, drawn masked (the menus' check marks and
// item images, the skin's framed strips).
#pragma once

#include <memory>
#include <vector>

#include "Component.h"
#include "Graphics.h"

class TCustomImageList : public TComponent {
  DECLARE_CLASS(TCustomImageList, TComponent)
 public:
  explicit TCustomImageList(TComponent* AOwner);  // 16 x 16
  TCustomImageList(TComponent* AOwner, int32_t AWidth, int32_t AHeight);
  ~TCustomImageList() override;

  // Another size empties the list.
  int32_t Width() const { return width_; }
  void SetWidth(int32_t Value);
  int32_t Height() const { return height_; }
  void SetHeight(int32_t Value);
  int Count() const { return static_cast<int>(images_.size()); }

  // Adds Image cut into Width-wide pieces from the left (a rest narrower than Width is left out;
  // rows below the image are transparent). Mask: white where transparent, null for opaque.
  // Returns the index of the first new image, -1 when none was added.
  int Add(TBitmap* Image, TBitmap* Mask);
  // The same with the pixels of MaskColor transparent.
  int AddMasked(TBitmap* Image, TColor MaskColor);
  void Clear();
  // Nothing for an index outside the list. Disabled: the image's non-white shape, embossed in
  // the system's highlight and shadow colours.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);

 private:
  struct Image;
  template <class IsClear>
  int AddPieces(TBitmap* Source, IsClear isClear);

  int32_t width_, height_;
  std::vector<std::unique_ptr<Image>> images_;
};

class TImageList : public TCustomImageList {
  DECLARE_CLASS(TImageList, TCustomImageList)
 public:
  using TCustomImageList::TCustomImageList;
};
