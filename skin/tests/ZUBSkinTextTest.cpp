#include "ZUBSkinText.h"

#include <gtest/gtest.h>

using namespace zubskin;

namespace {

// Every character 10 pixels wide, except "." at 1 pixel where a test asks for narrow dots.
int TenEach(std::string_view text) { return int(text.size()) * 10; }
int NarrowDots(std::string_view text) {
  int w = 0;
  for (char c : text) w += c == '.' ? 1 : 10;
  return w;
}

}  // namespace

TEST(EllipsizeText, KeepsAShortenedFormOnlyWhenTheTextIsTooWide) {
  struct Case { const char* text; int maxWidth; const char* result; };
  for (const Case& c : {Case{"Hello", 50, "Hello"},    // fits exactly
                        Case{"Hello", 200, "Hello"},
                        Case{"Hello", 49, "He..."},    // the first form that reaches the width
                        Case{"Hello", 40, "H..."},
                        Case{"Hello", 0, "H..."},
                        Case{"", 0, ""},
                        Case{"A", 5, "A"}}) {          // no shorter form exists
    EXPECT_EQ(EllipsizeText(c.text, c.maxWidth, TenEach), c.result) << c.text << " " << c.maxWidth;
  }
}

TEST(EllipsizeText, ReturnsTheTextWhenNoShortenedFormReachesTheWidth) {
  // "Hell..." is 43 pixels, under 45; the whole text is 50.
  EXPECT_EQ(EllipsizeText("Hello", 45, NarrowDots), "Hello");
  EXPECT_EQ(EllipsizeText("Hello", 43, NarrowDots), "Hell...");
}

TEST(EllipsizeText, MeasuresWithTheGivenWidthFunction) {
  std::vector<std::string> measured;
  EllipsizeText("abc", 15, [&](std::string_view t) { measured.emplace_back(t); return int(t.size()) * 10; });
  EXPECT_EQ(measured, (std::vector<std::string>{"abc", "a..."}));
}

TEST(ReplaceAllText, Cases) {
  struct Case { const char* text; const char* oldText; const char* newText; const char* result; };
  for (const Case& c : {Case{"one two two", "two", "2", "one 2 2"},
                        Case{"abc", "", "x", "abc"},         // empty search text
                        Case{"aabb", "ab", "", ""},          // searched again from the start
                        Case{"a&b&", "&", "&&", "a&&b&&"},   // replacement holds the search text
                        Case{"xax", "a", "bb", "xbbx"},
                        Case{"aaa", "aa", "aaa", "aaaa"},
                        Case{"", "a", "b", ""},
                        Case{"abc", "abcd", "", "abc"}}) {
    EXPECT_EQ(ReplaceAllText(c.text, c.oldText, c.newText), c.result) << c.text << " / " << c.oldText;
  }
}

TEST(StripAmpersand, RemovesEveryAmpersandAlsoDoubledOnes) {
  EXPECT_EQ(StripAmpersand("E&xit"), "Exit");
  EXPECT_EQ(StripAmpersand("&&File"), "File");
  EXPECT_EQ(StripAmpersand("&"), "");
  EXPECT_EQ(StripAmpersand("plain"), "plain");
}
