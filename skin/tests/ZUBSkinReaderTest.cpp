// The reader and the scroll-bar cache on the committed skin and on skin files built here.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "SkinTestImages.h"
#include "ZUBSkinGeometry.h"
#include "ZUBSkinReader.h"
#include "ZUBSkinUtils.h"

using namespace zubskin;

namespace {

const std::string kSkinPath = std::string(SKIN_SOURCE_DIR) + "/Fernwhistle.zub";

// A skin file in the test's working folder, removed when the test ends.
class TempSkin {
 public:
  TempSkin(const std::string& name, const std::vector<uint8_t>& bytes) : path_(name) {
    std::ofstream out(path_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  ~TempSkin() { std::remove(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

struct LoadCounter {
  int count = 0;
  TObject* sender = nullptr;
  void Loaded(TObject* Sender) {
    ++count;
    sender = Sender;
  }
};

}  // namespace

TEST(SkinReader, ReadsTheCommittedSkinAndFindsNamesWithoutRegardToCase) {
  TzubSkinReader reader(kSkinPath);
  ASSERT_TRUE(reader.IsLoaded());
  EXPECT_EQ(reader.Skin().Images().size(), 22u);
  EXPECT_EQ(reader.Skin().Integers().size(), 24u);
  EXPECT_EQ(reader.Skin().Booleans().size(), 2u);

  TBitmap bitmap;
  ASSERT_TRUE(reader.GetBitmap("buttonimage", &bitmap));
  EXPECT_EQ(bitmap.Width(), 252);
  EXPECT_EQ(bitmap.Height(), 25);
  ASSERT_TRUE(reader.GetBitmapPiece("BUTTONIMAGE", &bitmap, 3, 2));
  EXPECT_EQ(bitmap.Width(), 84);
  EXPECT_EQ(reader.GetInt("titlebarbuttonrightoffsetint"), -6);
  EXPECT_EQ(reader.GetInt("FormBackgroundColor"), 0xE8E8E8);
  EXPECT_TRUE(reader.GetBool("buttontransparentbool"));
  EXPECT_FALSE(reader.GetBool("TitleBarButtonTransparentBool"));
}

TEST(SkinReader, WithoutASkinEveryLookupFails) {
  TzubSkinReader reader("");
  EXPECT_FALSE(reader.IsLoaded());
  TBitmap bitmap;
  bitmap.SetSize(5, 4);
  EXPECT_FALSE(reader.GetBitmap("ButtonImage", &bitmap));
  EXPECT_FALSE(reader.GetBitmapPiece("ButtonImage", &bitmap, 3, 1));
  EXPECT_EQ(bitmap.Width(), 5);
  EXPECT_EQ(reader.GetInt("FormMinWidthInt"), -1);
  EXPECT_FALSE(reader.GetBool("ButtonTransparentBool"));
}

TEST(SkinReader, MissingEntriesAndBrokenImages) {
  SkinFileWriter writer;
  writer.AddImage("Good", EncodeBmp24(skintest::Numbered(100, 2)));
  writer.AddImage("Broken", {'B', 'M', 1, 2, 3});
  writer.AddInteger("Twice", 7);
  writer.AddInteger("Twice", 8);
  TempSkin file("reader_missing.zub", writer.Build());
  TzubSkinReader reader(file.Path());
  ASSERT_TRUE(reader.IsLoaded());

  TBitmap bitmap;
  bitmap.SetSize(5, 4);
  EXPECT_FALSE(reader.GetBitmap("Broken", &bitmap));  // a bad image counts as missing
  EXPECT_FALSE(reader.GetBitmap("Nothing", &bitmap));
  EXPECT_EQ(bitmap.Width(), 5);                        // and leaves the bitmap as it was
  EXPECT_FALSE(reader.GetBitmapPiece("Nothing", &bitmap, 2, 1));
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(reader.GetInt("twice"), 7);

  // 100 pixels in 3 pieces: 33 wide at columns 0, 33 and 66.
  for (int index = 1; index <= 3; ++index) {
    ASSERT_TRUE(reader.GetBitmapPiece("good", &bitmap, 3, index));
    SkinImage piece = BitmapToSkinImage(&bitmap);
    ASSERT_EQ(piece.width, 33);
    EXPECT_EQ(piece.At(0, 1), SkinRGB(33 * (index - 1), 1, 7)) << index;
  }
}

TEST(SkinReader, AReloadKeepsTheOldSkinUnlessItSucceeds) {
  LoadCounter counter;
  TzubSkinReader reader;
  reader.OnLoaded = TNotifyEvent::Bind<&LoadCounter::Loaded>(&counter);
  ASSERT_TRUE(reader.LoadFromFile(kSkinPath));
  EXPECT_EQ(counter.count, 1);
  EXPECT_EQ(counter.sender, &reader);

  std::vector<uint8_t> good;
  ASSERT_EQ(ReadFileBytes(kSkinPath, good), SkinReadStatus::Loaded);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases = {
      {"cut inside an image", std::vector<uint8_t>(good.begin(), good.begin() + 5000)},
      {"cut inside the header", std::vector<uint8_t>(good.begin(), good.begin() + 10)},
      {"empty", {}},
  };
  std::vector<uint8_t> loop = SkinFileWriter().Build();
  loop[24 + 73] = 24;  // the closing header points back at itself
  cases.push_back({"chain loops", loop});

  for (const Case& c : cases) {
    TempSkin file("reader_broken.zub", c.bytes);
    EXPECT_FALSE(reader.LoadFromFile(file.Path())) << c.what;
    EXPECT_TRUE(reader.IsLoaded()) << c.what;
    EXPECT_EQ(counter.count, 1) << c.what;
    EXPECT_EQ(reader.GetInt("FormMinWidthInt"), 180) << c.what;
    TBitmap bitmap;
    EXPECT_TRUE(reader.GetBitmap("TitleBarLeftImage", &bitmap)) << c.what;
  }

  TempSkin empty("reader_empty.zub", SkinFileWriter().Build());
  ASSERT_TRUE(reader.LoadFromFile(empty.Path()));
  EXPECT_EQ(counter.count, 2);
  EXPECT_EQ(reader.GetInt("FormMinWidthInt"), -1);

  // A missing file leaves no skin and raises nothing.
  ASSERT_TRUE(reader.LoadFromFile(kSkinPath));
  EXPECT_FALSE(reader.LoadFromFile("no such skin.zub"));
  EXPECT_FALSE(reader.IsLoaded());
  EXPECT_EQ(counter.count, 3);
  EXPECT_EQ(reader.GetInt("FormMinWidthInt"), -1);
}

TEST(SkinScrollBtnRes, IsEmptyUntilASkinIsLoadedThenHoldsCutAndTurnedPieces) {
  TzubSkinScrollBtnRes cache;
  EXPECT_EQ(cache.GetButtonImage(1), nullptr);
  EXPECT_EQ(cache.GetTurnedButtonImage(1), nullptr);
  EXPECT_EQ(cache.GetSliderImage(), nullptr);
  EXPECT_EQ(cache.GetTurnedSliderImage(), nullptr);

  TzubSkinReader none;
  cache.SetReader(&none);
  EXPECT_EQ(cache.GetSliderImage(), nullptr);

  TzubSkinReader reader(kSkinPath);
  cache.SetReader(&reader);
  TBitmap whole;
  ASSERT_TRUE(reader.GetBitmap("ScrollBarButtonImage", &whole));
  const SkinImage buttons = BitmapToSkinImage(&whole);
  for (int index = 1; index <= 6; ++index) {
    SkinImage piece;
    CutStripPiece(buttons, piece, 6, index);
    ASSERT_NE(cache.GetButtonImage(index), nullptr);
    EXPECT_EQ(BitmapToSkinImage(cache.GetButtonImage(index)), piece) << index;
    RotateBitmapLeft(piece);
    EXPECT_EQ(BitmapToSkinImage(cache.GetTurnedButtonImage(index)), piece) << index;
  }
  EXPECT_EQ(cache.GetButtonImage(0), nullptr);
  EXPECT_EQ(cache.GetButtonImage(7), nullptr);
  EXPECT_EQ(cache.GetTurnedButtonImage(7), nullptr);
  ASSERT_NE(cache.GetSliderImage(), nullptr);
  EXPECT_EQ(cache.GetSliderImage()->Width(), 63);
  EXPECT_EQ(cache.GetTurnedSliderImage()->Width(), 18);
  EXPECT_EQ(cache.GetTurnedSliderImage()->Height(), 63);

  // A skin without the images leaves the bitmaps empty, not absent.
  TempSkin empty("cache_empty.zub", SkinFileWriter().Build());
  ASSERT_TRUE(reader.LoadFromFile(empty.Path()));
  cache.SetReader(&reader);
  ASSERT_NE(cache.GetButtonImage(4), nullptr);
  EXPECT_TRUE(cache.GetButtonImage(4)->Empty());
  EXPECT_TRUE(cache.GetSliderImage()->Empty());
}
