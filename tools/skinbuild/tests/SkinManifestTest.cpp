#include "SkinManifest.h"

#include <gtest/gtest.h>

#include <map>

using namespace skinbuild;
using Kind = ManifestEntry::Kind;

namespace {

std::vector<uint8_t> TinyBmp() { return zubskin::EncodeBmp24(zubskin::SkinImage(2, 1, zubskin::SkinRGB(1, 2, 3))); }

std::vector<uint8_t> BuildText(const std::string& manifest, std::map<std::string, std::vector<uint8_t>> files) {
  return BuildSkin(ParseManifest(manifest), [&files](const std::string& f) {
    if (!files.count(f)) throw std::runtime_error("no file " + f);
    return files[f];
  });
}

}  // namespace

TEST(ParseManifest, EveryKindOfLine) {
  const std::vector<ManifestEntry> e = ParseManifest(
      "# a comment\n"
      "\n"
      "image   ButtonImage  button.bmp   # trailing comment\n"
      "integer TitleBarButtonRightOffsetInt -6\n"
      "colour  FormBackgroundColor $E8E8E8\n"
      "integer Hex 0x10\n"
      "boolean ButtonTransparentBool true\n"
      "boolean Off false\n"
      "boolean Byte 2\n"
      "integer \"Name With Blanks\" 4294967295\r\n");
  ASSERT_EQ(e.size(), 8u);
  EXPECT_EQ(e[0].kind, Kind::Image);
  EXPECT_EQ(e[0].file, "button.bmp");
  EXPECT_EQ(e[0].line, 3);
  EXPECT_EQ(e[1].value, -6);
  EXPECT_EQ(e[2].kind, Kind::Colour);
  EXPECT_EQ(e[2].value, 0xE8E8E8);
  EXPECT_EQ(e[3].value, 16);
  EXPECT_EQ(e[4].value, 1);
  EXPECT_EQ(e[5].value, 0);
  EXPECT_EQ(e[6].value, 2);
  EXPECT_EQ(e[7].name, "Name With Blanks");
  EXPECT_EQ(e[7].value, -1);
}

TEST(ParseManifest, FaultsNameTheirLine) {
  for (const char* bad : {"bitmap X x.bmp", "integer X", "integer X 12 13", "integer X twelve", "integer X $",
                          "integer X 4294967296", "boolean X maybe", "boolean X 256", "integer \"X 1",
                          "colour X -4294967296"}) {
    try {
      ParseManifest(std::string("# first\n") + bad + "\n");
      ADD_FAILURE() << bad;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(ParseManifest("integer " + std::string(65, 'n') + " 1"), std::runtime_error);
}

TEST(FormatManifest, ReadsBackAsTheSameEntries) {
  const std::string text =
      "image   A a.bmp\n"
      "integer B -6\n"
      "colour  FormBorderColor $6A2009\n"
      "boolean C true\n"
      "boolean D false\n"
      "boolean E 7\n"
      "integer \"F G\" 3\n";
  EXPECT_EQ(FormatManifest(ParseManifest(text)), text);
}

TEST(BuildSkin, WritesTheEntriesInManifestOrder) {
  const std::vector<uint8_t> skin = BuildText(
      "integer First 1\nimage Face face.bmp\nboolean Flag true\ncolour FormBackgroundColor $E8E8E8\n",
      {{"face.bmp", TinyBmp()}});
  const zubskin::SkinParseResult r = zubskin::ParseSkinFile(skin);
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.chain.size(), 4u);
  EXPECT_EQ(r.chain[0].name, "First");
  EXPECT_EQ(r.chain[1].kind, zubskin::ekData);
  EXPECT_EQ(r.skin.GetInt("FormBackgroundColor"), 0xE8E8E8);
  EXPECT_TRUE(r.skin.GetBool("Flag"));
  EXPECT_EQ(*r.skin.FindImage("Face"), TinyBmp());
}

TEST(BuildSkin, RefusesImagesThatAreNoBmp) {
  EXPECT_THROW(BuildText("image Face face.bmp\n", {{"face.bmp", {'B', 'M', 1, 2}}}), std::runtime_error);
  EXPECT_THROW(BuildText("image Face missing.bmp\n", {}), std::runtime_error);
}

TEST(DumpSkin, ListsNameKindSizeAndValueOfEveryEntry) {
  zubskin::SkinFileWriter w;
  w.AddImage("Face", TinyBmp());
  w.AddInteger("TitleBarButtonTopInt", 9);
  w.AddInteger("FormBorderColor", 0x6A2009);
  w.AddBoolean("ButtonTransparentBool", true);
  w.AddRaw("Short", zubskin::ekInteger, {1, 2});
  w.AddRaw("Odd", 5, {});
  const std::string dump = DumpSkin(w.Build());
  EXPECT_NE(dump.find("  1  \"Face\""), std::string::npos) << dump;
  EXPECT_NE(dump.find("image         62  2 x 1, 24"), std::string::npos) << dump;
  EXPECT_NE(dump.find("integer        4  9\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("integer        4  $6A2009\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("boolean        1  true (1)\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("integer        2  skipped: too small\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("kind 5         0  ignored\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("4 entries (1 images, 2 integers, 1 booleans)"), std::string::npos) << dump;
  EXPECT_EQ(dump.find("malformed"), std::string::npos);
}

TEST(DumpSkin, ShowsABrokenImageAndWhyTheFileIsMalformed) {
  zubskin::SkinFileWriter w;
  w.AddImage("Broken", {'B', 'M', 0, 0});
  const std::string dump = DumpSkin(w.Build());
  EXPECT_NE(dump.find("not a valid BMP"), std::string::npos) << dump;
  EXPECT_NE(dump.find("malformed at offset 24: image \"Broken\""), std::string::npos) << dump;
  EXPECT_NE(DumpSkin({1, 2, 3}).find("malformed at offset 0"), std::string::npos);
}
