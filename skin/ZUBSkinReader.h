// The skin reader: one skin file's entries, looked up by name without regard to case. A load
// parses into fresh tables and swaps them in only when the whole file was sound, so a failed
// reload of a malformed file keeps the previous skin; lookups never raise.
#pragma once

#include <string>

#include "Graphics.h"
#include "System.h"
#include "ZUBSkinFile.h"

class TzubSkinReader : public TObject {
 public:
  explicit TzubSkinReader(const std::string& FileName = std::string());

  // True when the file was read. A missing file leaves no skin; a file that cannot be read or
  // is malformed keeps the previous skin (IsLoaded as before) and raises no OnLoaded.
  bool LoadFromFile(const std::string& FileName);
  void SetFileName(const std::string& FileName) { LoadFromFile(FileName); }

  bool IsLoaded() const { return loaded_; }
  TNotifyEvent OnLoaded;

  // The whole named image; false with Bitmap untouched when it is missing or not a valid BMP.
  bool GetBitmap(const std::string& Name, TBitmap* Bitmap) const;
  // Piece Index of Count equal-width pieces; a missing image gives an empty Bitmap. False with
  // Bitmap untouched while no skin is loaded.
  bool GetBitmapPiece(const std::string& Name, TBitmap* Bitmap, int Count, int Index) const;
  int32_t GetInt(const std::string& Name) const;  // -1 when missing
  bool GetBool(const std::string& Name) const;    // false when missing

  const zubskin::SkinFile& Skin() const { return skin_; }

 private:
  bool loaded_ = false;
  zubskin::SkinFile skin_;
};

// A cache of bitmaps built from a reader, rebuilt each time it is given one.
class TzubSkinRes : public TObject {
 public:
  void SetReader(TzubSkinReader* AReader) {
    Reader = AReader;
    LoadFromReader();
  }
  virtual void LoadFromReader() {}

  TzubSkinReader* Reader = nullptr;  // not owned
};

// The scroll-bar pieces, cut and turned once per skin since turning goes pixel by pixel.
class TzubSkinScrollBtnRes : public TzubSkinRes {
 public:
  void LoadFromReader() override;

  // Owned by the cache; null while it is empty or for an index outside 1..6.
  TBitmap* GetTurnedButtonImage(int Index) const;
  TBitmap* GetButtonImage(int Index) const;
  TBitmap* GetSliderImage() const { return slider_.get(); }
  TBitmap* GetTurnedSliderImage() const { return turnedSlider_.get(); }

 private:
  static constexpr int kPieces = 6;
  std::unique_ptr<TBitmap> turnedButtons_[kPieces];
  std::unique_ptr<TBitmap> buttons_[kPieces];
  std::unique_ptr<TBitmap> turnedSlider_;
  std::unique_ptr<TBitmap> slider_;
};
