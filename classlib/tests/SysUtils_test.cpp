// The text and file-name routines, natively and under Windows.
#include "SysUtils.h"

#include <gtest/gtest.h>

namespace {
struct FloatCase {
  const char* text;
  char separator;
  double value;
};

TEST(StrToFloat, AcceptsBlanksSignExponentAndTheSeparator) {
  const FloatCase cases[] = {
      {"23.45", '.', 23.45},     {"  23.45  ", '.', 23.45}, {"00", '.', 0},       {"-1.5", '.', -1.5},
      {"+7", '.', 7},            {" 25.00 ", '.', 25},      {"1e3", '.', 1000},   {"2.5E-1", '.', 0.25},
      {"-4e+2", '.', -400},      {"23,45", ',', 23.45},     {"5.", '.', 5},       {".5", '.', 0.5},
      {"29.97", '.', 29.97},     {"1,5e1", ',', 15},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(StrToFloat(c.text, c.separator), c.value) << c.text;
}

TEST(StrToFloat, RefusesAnythingElse) {
  const FloatCase cases[] = {
      {"", '.', 0},       {"   ", '.', 0},    {"23,45", '.', 0}, {"23.45", ',', 0}, {"1e", '.', 0},
      {"1e+", '.', 0},    {".", '.', 0},     {"-", '.', 0},     {"1 2", '.', 0},   {"12x", '.', 0},
      {"\t12", '.', 0},   {"+-1", '.', 0},   {"1e999", '.', 0}, {"0x10", '.', 0},  {"1.2.3", '.', 0},
  };
  for (const auto& c : cases) {
    try {
      StrToFloat(c.text, c.separator);
      ADD_FAILURE() << "accepted '" << c.text << "'";
    } catch (const Exception& e) {
      EXPECT_EQ(e.ClassName(), "EConvertError");
      EXPECT_EQ(e.Message(), std::string("'") + c.text + "' is not a valid floating point value");
    }
  }
}

TEST(StrToInt, AcceptsLeadingBlanksAndASign) {
  const std::pair<const char*, int> cases[] = {
      {"250", 250}, {"  250", 250}, {"-17", -17}, {"+3", 3}, {"007", 7},
      {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(StrToInt(text), value) << text;
}

TEST(StrToInt, RefusesTrailingTextAndOverflow) {
  for (const char* text : {"", " ", "250 ", "2.5", "x", "-", "2147483648", "-2147483649", "99999999999999999999"}) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + text + "' is not a valid integer value");
    }
  }
}

TEST(Trim, RemovesBlanksAndControlCharactersAtBothEnds) {
  EXPECT_EQ(Trim(" \t\r\n 250 q \x01"), "250 q");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(TrimLeft("  a  "), "a  ");
  EXPECT_EQ(TrimRight("  a  "), "  a");
  EXPECT_EQ(Trim("\xE9t\xE9"), "\xE9t\xE9");  // bytes above 127 are text
}

TEST(Case, ChangesAsciiLettersOnly) {
  EXPECT_EQ(UpperCase("clip.3Gp \xE9"), "CLIP.3GP \xE9");
  EXPECT_EQ(LowerCase("Windows NT"), "windows nt");
}

TEST(Format, FormatsLikePrintf) {
  EXPECT_EQ(Format("%d.%d (%d.%s)", 4, 0, 1381, "Service Pack 6"), "4.0 (1381.Service Pack 6)");
  EXPECT_EQ(Format("%u %x %.2f", 7u, 255u, 2.5), "7 ff 2.50");
  EXPECT_EQ(Format("%s", std::string(500, 'a').c_str()).size(), 500u);
  EXPECT_EQ(IntToStr(-42), "-42");
}

TEST(FileNames, SplitAtTheLastBackslashOrColon) {
  struct {
    const char* name;
    const char* path;
    const char* file;
    const char* ext;
  } const cases[] = {
      {"C:\\DVD\\VTS_01_1.VOB", "C:\\DVD\\", "VTS_01_1.VOB", ".VOB"},
      {"C:movie.avi", "C:", "movie.avi", ".avi"},
      {"C:\\My.Files\\movie", "C:\\My.Files\\", "movie", ""},
      {"movie", "", "movie", ""},
      {"C:\\DVD\\", "C:\\DVD\\", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
    EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
    EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
  }
  EXPECT_EQ(ChangeFileExt("C:\\My.Files\\movie", ".tmp"), "C:\\My.Files\\movie.tmp");
  EXPECT_EQ(ChangeFileExt("skin.zub", ".tmp"), "skin.tmp");
  EXPECT_EQ(IncludeTrailingBackslash("E:"), "E:\\");
  EXPECT_EQ(IncludeTrailingBackslash("E:\\"), "E:\\");
}
}  // namespace
