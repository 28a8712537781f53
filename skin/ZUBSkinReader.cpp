#include "ZUBSkinReader.h"

#include "ZUBSkinUtils.h"

TzubSkinReader::TzubSkinReader(const std::string& FileName) {
  if (!FileName.empty()) LoadFromFile(FileName);
}

bool TzubSkinReader::LoadFromFile(const std::string& FileName) {
  zubskin::SkinParseResult result;
  // Images are checked at lookup, so one broken image does not cost the whole skin.
  zubskin::SkinParseOptions options;
  options.validateImages = false;
  zubskin::SkinReadStatus status;
  try {
    status = zubskin::ReadSkinFile(FileName, result, options);
  } catch (const std::exception&) {
    status = zubskin::SkinReadStatus::CannotRead;
  }
  if (status == zubskin::SkinReadStatus::NotFound) {
    skin_ = zubskin::SkinFile();
    loaded_ = false;
    return false;
  }
  if (status != zubskin::SkinReadStatus::Loaded) return false;
  skin_ = std::move(result.skin);
  loaded_ = true;
  if (OnLoaded) OnLoaded(this);
  return true;
}

bool TzubSkinReader::GetBitmap(const std::string& Name, TBitmap* Bitmap) const {
  if (!loaded_ || !Bitmap) return false;
  zubskin::SkinImage image;
  if (!skin_.GetImage(Name, image)) return false;
  try {
    zubskin::SkinImageToBitmap(image, Bitmap);
  } catch (...) {
    return false;
  }
  return true;
}

bool TzubSkinReader::GetBitmapPiece(const std::string& Name, TBitmap* Bitmap, int Count, int Index) const {
  if (!loaded_ || !Bitmap) return false;
  zubskin::SkinImage piece;
  bool found = skin_.GetImagePiece(Name, piece, Count, Index);
  try {
    zubskin::SkinImageToBitmap(piece, Bitmap);
  } catch (...) {
    Bitmap->SetSize(0, 0);
    return false;
  }
  return found;
}

int32_t TzubSkinReader::GetInt(const std::string& Name) const {
  return loaded_ ? skin_.GetInt(Name) : -1;
}

bool TzubSkinReader::GetBool(const std::string& Name) const {
  return loaded_ && skin_.GetBool(Name);
}

void TzubSkinScrollBtnRes::LoadFromReader() {
  for (auto& b : turnedButtons_) b.reset();
  for (auto& b : buttons_) b.reset();
  turnedSlider_.reset();
  slider_.reset();
  if (!Reader || !Reader->IsLoaded()) return;

  TBitmap work;
  Reader->GetBitmap("ScrollBarButtonImage", &work);
  for (int k = 0; k < kPieces; ++k) {
    buttons_[k] = std::make_unique<TBitmap>();
    zubskin::CutStripPiece(&work, buttons_[k].get(), kPieces, k + 1);
    turnedButtons_[k] = std::make_unique<TBitmap>();
    zubskin::CutStripPiece(&work, turnedButtons_[k].get(), kPieces, k + 1);
    zubskin::RotateBitmapLeft(turnedButtons_[k].get());
  }
  slider_ = std::make_unique<TBitmap>();
  turnedSlider_ = std::make_unique<TBitmap>();
  Reader->GetBitmap("ScrollBarSliderImage", slider_.get());
  Reader->GetBitmap("ScrollBarSliderImage", turnedSlider_.get());
  zubskin::RotateBitmapRight(turnedSlider_.get());
}

TBitmap* TzubSkinScrollBtnRes::GetTurnedButtonImage(int Index) const {
  return Index >= 1 && Index <= kPieces ? turnedButtons_[Index - 1].get() : nullptr;
}

TBitmap* TzubSkinScrollBtnRes::GetButtonImage(int Index) const {
  return Index >= 1 && Index <= kPieces ? buttons_[Index - 1].get() : nullptr;
}
