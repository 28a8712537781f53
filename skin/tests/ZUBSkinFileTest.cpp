#include "ZUBSkinFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>

#include "SkinTestImages.h"

using namespace zubskin;
using skintest::Numbered;

namespace {

uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

SkinFile Parsed(const std::vector<uint8_t>& bytes) {
  SkinParseResult r = ParseSkinFile(bytes);
  EXPECT_TRUE(r.ok) << r.error;
  return std::move(r.skin);
}

// A small skin: an image, two integers and a boolean.
std::vector<uint8_t> SmallSkin() {
  SkinFileWriter w;
  w.AddImage("ButtonImage", EncodeBmp24(Numbered(6, 2)));
  w.AddInteger("FormBackgroundColor", 0xE8E8E8);
  w.AddInteger("TitleBarButtonRightOffsetInt", -6);
  w.AddBoolean("ButtonTransparentBool", true);
  return w.Build();
}

}  // namespace

TEST(SkinFile, BuilderAndParserRoundTrip) {
  const SkinFile skin = Parsed(SmallSkin());
  EXPECT_EQ(skin.EntryCount(), 4u);
  SkinImage image;
  ASSERT_TRUE(skin.GetImage("ButtonImage", image));
  EXPECT_EQ(image, Numbered(6, 2));
  EXPECT_EQ(skin.GetInt("FormBackgroundColor"), 0xE8E8E8);
  EXPECT_EQ(skin.GetInt("TitleBarButtonRightOffsetInt"), -6);
  EXPECT_TRUE(skin.GetBool("ButtonTransparentBool"));
}

TEST(SkinFile, BuilderLaysEntriesOutSideBySideAndClosesTheChain) {
  const std::vector<uint8_t> b = SmallSkin();
  EXPECT_EQ(std::memcmp(b.data(), "Dravnel_TB\0\0", 12), 0);
  EXPECT_EQ(Get32(b, 12), 24u);
  EXPECT_EQ(Get32(b, 16), 1u);
  EXPECT_EQ(Get32(b, 20), 24u);
  const SkinParseResult r = ParseSkinFile(b);
  ASSERT_EQ(r.chain.size(), 4u);
  uint32_t at = 24;
  for (const SkinChainEntry& e : r.chain) {
    EXPECT_EQ(e.headerOffset, at);
    EXPECT_EQ(e.dataOffset, at + 77);
    at = e.dataOffset + e.dataSize;
    EXPECT_EQ(Get32(b, e.headerOffset + 73), at);
  }
  // The closing header ends the file: empty name, kind 2, every number 0.
  ASSERT_EQ(b.size(), at + 77u);
  std::vector<uint8_t> closing(77, 0);
  closing[64] = 2;
  EXPECT_TRUE(std::equal(closing.begin(), closing.end(), b.begin() + at));
}

TEST(SkinFile, LookupsIgnoreAsciiCaseAndTheFirstEntryOfANameWins) {
  SkinFileWriter w;
  w.AddImage("Face", EncodeBmp24(Numbered(2, 1)));
  w.AddImage("FACE", EncodeBmp24(Numbered(3, 1)));
  w.AddInteger("Size", 1);
  w.AddInteger("size", 2);
  w.AddBoolean("Flag", false);
  w.AddBoolean("FLAG", true);
  w.AddInteger("Face", 7);  // each kind has its own table
  const SkinFile skin = Parsed(w.Build());
  SkinImage image;
  ASSERT_TRUE(skin.GetImage("face", image));
  EXPECT_EQ(image.width, 2);
  EXPECT_EQ(skin.GetInt("SIZE"), 1);
  EXPECT_FALSE(skin.GetBool("flag"));
  EXPECT_EQ(skin.GetInt("fAcE"), 7);
  EXPECT_EQ(skin.Images().size(), 2u);  // duplicates are kept
}

TEST(SkinFile, MissingEntriesReadAsMinusOneFalseAndNotFound) {
  const SkinFile skin = Parsed(SmallSkin());
  EXPECT_EQ(skin.GetInt("NoSuchInt"), -1);
  EXPECT_EQ(skin.GetInt("ButtonTransparentBool"), -1);  // a boolean is no integer
  EXPECT_FALSE(skin.GetBool("NoSuchBool"));
  EXPECT_FALSE(skin.GetBool("FormBackgroundColor"));
  EXPECT_EQ(skin.FindImage("NoSuchImage"), nullptr);
  SkinImage kept = Numbered(2, 2);
  EXPECT_FALSE(skin.GetImage("NoSuchImage", kept));
  EXPECT_EQ(kept, Numbered(2, 2));
  SkinImage piece = Numbered(2, 2);
  EXPECT_FALSE(skin.GetImagePiece("NoSuchImage", piece, 3, 1));
  EXPECT_TRUE(piece.Empty());
}

TEST(SkinFile, PiecesOfAnImage) {
  SkinFileWriter w;
  w.AddImage("Strip", EncodeBmp24(Numbered(100, 2)));
  const SkinFile skin = Parsed(w.Build());
  SkinImage piece;
  ASSERT_TRUE(skin.GetImagePiece("strip", piece, 3, 3));
  EXPECT_EQ(piece.width, 33);
  EXPECT_EQ(piece.At(0, 0), SkinRGB(66, 0, 7));
}

TEST(SkinFile, ValueRules) {
  SkinFileWriter w;
  w.AddInteger("Minus", -1);
  w.AddInteger("Width=3", 5);  // its own name can never be found; it answers for "Width"
  w.AddInteger("Width", 9);
  w.AddRaw("Two", ekBoolean, {2});
  const SkinFile skin = Parsed(w.Build());
  EXPECT_EQ(skin.GetInt("Minus"), skin.GetInt("Missing"));
  EXPECT_EQ(skin.GetInt("Width=3"), -1);
  EXPECT_EQ(skin.GetInt("Width"), -1);
  EXPECT_TRUE(skin.GetBool("Two"));
}

TEST(SkinFile, NamesFillTheirSixtyFourBytes) {
  const std::string longest(64, 'N');
  SkinFileWriter w;
  w.AddInteger(longest, 3);
  EXPECT_EQ(Parsed(w.Build()).GetInt(longest), 3);
  EXPECT_THROW(w.AddInteger(longest + "X", 1), std::invalid_argument);
  EXPECT_THROW(w.AddInteger(std::string("a\0b", 3), 1), std::invalid_argument);
}

TEST(SkinFile, OnlyAClosingHeaderIsAnEmptySkin) {
  const SkinParseResult r = ParseSkinFile(SkinFileWriter().Build());
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.skin.EntryCount(), 0u);
  EXPECT_EQ(r.skin.GetInt("FormBackgroundColor"), -1);
  EXPECT_EQ(r.skin.FindImage("ButtonImage"), nullptr);
}

TEST(SkinFile, ShortEntriesAndUnknownKinds) {
  SkinFileWriter w;
  w.AddRaw("TwoBytes", ekInteger, {1, 2});
  w.AddRaw("NoByte", ekBoolean, {});
  w.AddRaw("Eight", ekInteger, {5, 0, 0, 0, 9, 9, 9, 9});  // the first four bytes count
  w.AddRaw("Other", 7, {1, 2, 3});
  w.AddInteger("After", 4);
  const SkinParseResult r = ParseSkinFile(w.Build());
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.skin.GetInt("TwoBytes"), -1);
  EXPECT_FALSE(r.skin.GetBool("NoByte"));
  EXPECT_EQ(r.skin.GetInt("Eight"), 5);
  EXPECT_EQ(r.skin.GetInt("After"), 4);
  EXPECT_EQ(r.skin.EntryCount(), 2u);
  ASSERT_EQ(r.chain.size(), 5u);
  EXPECT_EQ(r.chain[0].use, SkinChainEntry::Use::TooSmall);
  EXPECT_EQ(r.chain[1].use, SkinChainEntry::Use::TooSmall);
  EXPECT_EQ(r.chain[3].use, SkinChainEntry::Use::IgnoredKind);
}

TEST(SkinFile, AnotherMagicIsReadTheSameWay) {
  std::vector<uint8_t> b = SmallSkin();
  std::memcpy(b.data(), "Other_magic", 11);
  const SkinParseResult r = ParseSkinFile(b);
  EXPECT_TRUE(r.ok);
  EXPECT_FALSE(r.magicMatches);
  EXPECT_TRUE(ParseSkinFile(SmallSkin()).magicMatches);
}

TEST(SkinFile, MalformedFilesFailWithFreshEmptyTables) {
  const std::vector<uint8_t> good = SmallSkin();
  const uint32_t first = 24, second = Get32(good, first + 73);
  struct Case {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> change;
  };
  const std::vector<Case> cases = {
      {"empty file", [](std::vector<uint8_t>& b) { b.clear(); }},
      {"header cut", [](std::vector<uint8_t>& b) { b.resize(23); }},
      {"header size 0", [](std::vector<uint8_t>& b) { Put32(b, 12, 0); }},
      {"huge header size", [](std::vector<uint8_t>& b) { Put32(b, 12, 0xFFFFFFF0u); }},
      {"header size 100", [](std::vector<uint8_t>& b) { Put32(b, 12, 100); }},
      {"first entry past the end", [](std::vector<uint8_t>& b) { Put32(b, 20, uint32_t(b.size())); }},
      {"first entry inside the header", [](std::vector<uint8_t>& b) { Put32(b, 20, 4); }},
      {"file ends inside an entry header", [](std::vector<uint8_t>& b) { b.resize(24 + 40); }},
      {"file ends inside the closing header", [](std::vector<uint8_t>& b) { b.resize(b.size() - 1); }},
      {"data past the end", [=](std::vector<uint8_t>& b) { Put32(b, first + 69, uint32_t(b.size())); }},
      {"data range wraps", [=](std::vector<uint8_t>& b) { Put32(b, first + 65, 0xFFFFFFF0u); Put32(b, first + 69, 0x20); }},
      {"integer data past the end", [=](std::vector<uint8_t>& b) { Put32(b, second + 65, uint32_t(b.size() - 2)); }},
      {"chain loops to itself", [=](std::vector<uint8_t>& b) { Put32(b, second + 73, second); }},
      {"chain loops back", [=](std::vector<uint8_t>& b) { Put32(b, second + 73, first); }},
      {"next entry past the end", [=](std::vector<uint8_t>& b) { Put32(b, second + 73, 0xFFFFFF00u); }},
      {"bad image", [=](std::vector<uint8_t>& b) { b[Get32(b, first + 65)] = 'X'; }},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> b = good;
    c.change(b);
    const SkinParseResult r = ParseSkinFile(b);
    EXPECT_FALSE(r.ok) << c.what;
    EXPECT_FALSE(r.error.empty()) << c.what;
    EXPECT_EQ(r.skin.EntryCount(), 0u) << c.what;
  }
}

TEST(SkinFile, OverlappingHeadersCannotMakeTheChainLongerThanTheFileHolds) {
  // Headers one byte apart, each pointing to the next: distinct offsets, no loop.
  std::vector<uint8_t> b(24 + 77 * 3, 0);
  std::memcpy(b.data(), "Dravnel_TB", 10);
  Put32(b, 12, 24);
  Put32(b, 20, 24);
  for (uint32_t at = 24; at + 77 <= b.size(); ++at) {
    b[at + 64] = 9;
    Put32(b, at + 73, at + 1);
  }
  const SkinParseResult r = ParseSkinFile(b);
  EXPECT_FALSE(r.ok);
  EXPECT_LE(r.chain.size(), 3u);
}

TEST(SkinFile, ImageDataCannotAddUpToMoreThanTheFile) {
  // Many image headers sharing one large data range would copy it many times over.
  SkinFileWriter w;
  for (int i = 0; i < 20; ++i) w.AddRaw("Shared" + std::to_string(i), ekData, {});
  w.AddRaw("Payload", ekData, std::vector<uint8_t>(4000, 0xAB));
  std::vector<uint8_t> b = w.Build();
  const SkinParseResult plain = ParseSkinFile(b, SkinParseOptions{false});
  ASSERT_TRUE(plain.ok) << plain.error;
  const uint32_t payload = plain.chain.back().dataOffset;
  for (const SkinChainEntry& e : plain.chain) {
    Put32(b, e.headerOffset + 65, payload);
    Put32(b, e.headerOffset + 69, 4000);
  }
  EXPECT_FALSE(ParseSkinFile(b, SkinParseOptions{false}).ok);
}

TEST(SkinFile, ImagesAreCheckedOnlyWhenAsked) {
  SkinFileWriter w;
  w.AddImage("Broken", {'B', 'M', 0, 0});
  EXPECT_FALSE(ParseSkinFile(w.Build()).ok);
  const SkinParseResult r = ParseSkinFile(w.Build(), SkinParseOptions{false});
  ASSERT_TRUE(r.ok);
  SkinImage image;
  EXPECT_NE(r.skin.FindImage("Broken"), nullptr);
  EXPECT_FALSE(r.skin.GetImage("Broken", image));
}

TEST(ReadSkinFile, MissingFileIsNotFoundAndAnEmptyFileMalformed) {
  SkinParseResult r;
  EXPECT_EQ(ReadSkinFile("/nonexistent/folder/skin.zub", r), SkinReadStatus::NotFound);
  EXPECT_FALSE(r.ok);
  const std::string path = ::testing::TempDir() + "empty-skin.zub";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_EQ(ReadSkinFile(path, r), SkinReadStatus::Malformed);
  std::remove(path.c_str());
}

// The project's own skin carries every entry of the delivered skin, in its order, with the
// delivered image sizes and values.
TEST(ProjectSkin, HoldsTheDeliveredEntriesInOrder) {
  SkinParseResult r;
  ASSERT_EQ(ReadSkinFile(std::string(SKIN_SOURCE_DIR) + "/Fernwhistle.zub", r), SkinReadStatus::Loaded) << r.error;
  EXPECT_TRUE(r.magicMatches);
  EXPECT_EQ(r.skin.Images().size(), 22u);
  EXPECT_EQ(r.skin.Integers().size(), 24u);
  EXPECT_EQ(r.skin.Booleans().size(), 2u);

  struct Image { const char* name; int width, height, bits; };
  const Image images[] = {
      {"ButtonImage", 252, 25, 24}, {"CheckBoxImage", 68, 17, 24}, {"RadioButtonImage", 68, 17, 24},
      {"TitleBarButtonImage", 324, 18, 24}, {"TitleBarLeftImage", 186, 31, 24}, {"TitleBarClientImage", 13, 31, 24},
      {"TitleBarRightImage", 14, 31, 24}, {"ProgressBarImage", 7, 11, 24}, {"TrackBarBarImage", 60, 8, 24},
      {"TrackBarSliderImage", 11, 21, 24}, {"TrackBarSliderVImage", 21, 11, 24},
      {"ScrollBarButtonImage", 108, 18, 24}, {"ScrollBarSliderImage", 63, 18, 24},
      {"CheckListBoxImage", 44, 11, 8}, {"ScrollButtonImage", 80, 20, 24}, {"TabControlTabImage", 60, 22, 24},
      {"TabControlBarImage", 8, 1, 24}, {"SideChannelHandleImage", 7, 84, 8}, {"SideChannelBarImage", 1, 21, 8},
      {"TitleBarMinimizedImage", 160, 27, 24}, {"FormLeftBorderImage", 5, 6, 24},
      {"FormBottomBorderImage", 180, 5, 24}};
  struct Value { const char* name; int32_t value; };
  const Value integers[] = {
      {"TitleBarButtonLeftOffsetInt", 20}, {"TitleBarButtonRightOffsetInt", -6}, {"TitleBarButtonTopInt", 9},
      {"FormMinWidthInt", 180}, {"FormRoundCornerInt", 8}, {"FormBackgroundColor", 0xE8E8E8},
      {"FormBorderColor", 0x6A2009}, {"FormBorderWidthInt", 1}, {"MenuSelectedBorderColor", 0x94671F},
      {"MenuSelectedBackgroundColor", 0x94671F}, {"MenuSelectedFontColor", 0xFFFFFF},
      {"MenuBackgroundColor", 0xFFF7E7}, {"MenuFontColor", 0x795316}, {"MenuBarColor", 0xBA9460},
      {"ControlBorderColor", 0x6A2009}, {"ControlBackgroundColor", 0xFFFFFF}, {"ControlFontColor", 0x7A5316},
      {"ScrollBarBackgroundColor", 0xF9F9F9}, {"ToolBarButtonBorderColor", 0x6A2009},
      {"ToolBarButtonBackgroundColor", 0xFBE0B5}, {"ToolBarButtonDownBackgroundColor", 0x956720},
      {"TitleBarFontColor", 0xFFFFFF}, {"FormBottomRoundCornerInt", 0}, {"MenuMenuBarColor", 0xE8C894}};

  ASSERT_EQ(r.chain.size(), 48u);
  for (size_t i = 0; i < 22; ++i) {
    const SkinChainEntry& e = r.chain[i];
    EXPECT_EQ(e.name, images[i].name);
    EXPECT_EQ(e.kind, ekData) << e.name;
    const std::vector<uint8_t>* bmp = r.skin.FindImage(e.name);
    ASSERT_NE(bmp, nullptr);
    BmpInfo info;
    ASSERT_TRUE(ReadBmpInfo(bmp->data(), bmp->size(), info)) << e.name;
    EXPECT_EQ(info.width, images[i].width) << e.name;
    EXPECT_EQ(info.height, images[i].height) << e.name;
    EXPECT_EQ(info.bitsPerPixel, images[i].bits) << e.name;
  }
  for (size_t i = 0; i < 24; ++i) {
    const SkinChainEntry& e = r.chain[22 + i];
    EXPECT_EQ(e.name, integers[i].name);
    EXPECT_EQ(e.kind, ekInteger);
    EXPECT_EQ(e.dataSize, 4u);
    EXPECT_EQ(r.skin.GetInt(e.name), integers[i].value) << e.name;
  }
  EXPECT_EQ(r.chain[46].name, "ButtonTransparentBool");
  EXPECT_EQ(r.chain[47].name, "TitleBarButtonTransparentBool");
  EXPECT_TRUE(r.skin.GetBool("ButtonTransparentBool"));
  EXPECT_FALSE(r.skin.GetBool("TitleBarButtonTransparentBool"));
  EXPECT_EQ(r.skin.Booleans()[1].value, 0);
}

// What the engine's skinners rely on in the images of our own skin.
TEST(ProjectSkin, ImagesFitHowTheSkinnersDrawThem) {
  SkinParseResult r;
  ASSERT_EQ(ReadSkinFile(std::string(SKIN_SOURCE_DIR) + "/Fernwhistle.zub", r), SkinReadStatus::Loaded);
  const SkinFile& skin = r.skin;
  SkinImage image;
  ASSERT_TRUE(skin.GetImage("ButtonImage", image));
  EXPECT_EQ(image.height % 2, 1);  // the nine-part face has a middle row
  // Radio buttons are drawn with the colour of their lower-left pixel left out, tab faces with
  // that of their upper-left pixel when it is magenta, track-bar thumbs like radio buttons.
  for (int i = 1; i <= 4; ++i) {
    ASSERT_TRUE(skin.GetImagePiece("RadioButtonImage", image, 4, i));
    EXPECT_EQ(image.At(0, image.height - 1), kSkinMagenta);
  }
  for (int i = 1; i <= 2; ++i) {
    ASSERT_TRUE(skin.GetImagePiece("TabControlTabImage", image, 2, i));
    EXPECT_EQ(image.At(0, 0), kSkinMagenta);
    EXPECT_EQ(image.At(0, image.height - 1), kSkinMagenta);  // the tab's own bitmap leaves this out
    for (int y = 0; y < image.height; ++y)                     // the middle third is drawn opaque
      for (int x = image.width / 3; x < 2 * (image.width / 3); ++x) ASSERT_NE(image.At(x, y), kSkinMagenta);
  }
  for (const char* thumb : {"TrackBarSliderImage", "TrackBarSliderVImage"}) {
    ASSERT_TRUE(skin.GetImage(thumb, image));
    EXPECT_EQ(image.At(0, image.height - 1), kSkinMagenta) << thumb;
  }
  // Images drawn opaque carry no magenta: it would show.
  for (const char* opaque : {"CheckBoxImage", "TitleBarButtonImage", "TitleBarLeftImage", "TitleBarClientImage",
                             "TitleBarRightImage", "TitleBarMinimizedImage", "ProgressBarImage", "TrackBarBarImage",
                             "ScrollBarButtonImage", "ScrollBarSliderImage", "TabControlBarImage",
                             "FormLeftBorderImage", "FormBottomBorderImage"}) {
    ASSERT_TRUE(skin.GetImage(opaque, image));
    for (uint32_t c : image.pixels) ASSERT_NE(c, kSkinMagenta) << opaque;
  }
}
