// The converters' job text: command line, output name, and the values read from the encoder's lines.
#include "JobText.h"

#include <gtest/gtest.h>

namespace {
TEST(TextBeforeAfter, PickTheFirstOrLastOccurrenceByKeyword) {
  struct {
    const char* sep;
    const char* text;
    const char* dir;
    const char* before;
    const char* after;
  } const cases[] = {
      {",", "abc", "LEFT", "abc", ""},
      {",", "abc", "RIGHT", "", "abc"},
      {":", "1:2:3", "LEFT", "1", "2:3"},
      {":", "1:2:3", "RIGHT", "1:2", "3"},
      {":", "1:2:3", "left", "1:2", "2:3"},  // the keywords are case-sensitive
      {":", "", "LEFT", "", ""},
      {":", "", "RIGHT", "", ""},
      {":", ":", "LEFT", "", ""},
      {"", "a:b", "LEFT", "a:b", ""},  // no one-character separator: never found
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextBefore(c.sep, c.text, c.dir), c.before) << c.text << " " << c.dir;
    EXPECT_EQ(TextAfter(c.sep, c.text, c.dir), c.after) << c.text << " " << c.dir;
  }
}

TEST(HasSpace, CountsOnlyTheBlank) {
  EXPECT_TRUE(HasSpace("C:\\Program Files\\zov.exe"));
  EXPECT_FALSE(HasSpace("C:\\Conv\\zov.exe"));
  EXPECT_FALSE(HasSpace("a\tb"));
}

TEST(QuotePath, QuotesBlanksAndShellCharacters) {
  const std::pair<const char*, const char*> cases[] = {
      {"E:\\VIDEO_TS\\VTS_01_1.VOB", "E:\\VIDEO_TS\\VTS_01_1.VOB"},
      {"D:\\my films\\1.3gp", "\"D:\\my films\\1.3gp\""},
      {"D:\\Tom&Jerry\\1.3gp", "\"D:\\Tom&Jerry\\1.3gp\""},
      {"a|b", "\"a|b\""}, {"a<b", "\"a<b\""}, {"a>b", "\"a>b\""}, {"a^b", "\"a^b\""},
      {"a(b)", "\"a(b)\""}, {"100%", "\"100%\""}, {"hi!", "\"hi!\""}, {"a,b", "\"a,b\""},
      {"a;b", "\"a;b\""}, {"a=b", "\"a=b\""},
      {"a\" & del x & \".3gp", "\"a & del x & .3gp\""},  // a quote cannot close the piece early
      {"clip\r\n.3gp", "clip.3gp"},
      {"", ""},
  };
  for (const auto& [path, piece] : cases) EXPECT_EQ(QuotePath(path), piece) << path;
}

TEST(EncoderCommandLine, JoinsTheNinePiecesExactly) {
  EXPECT_EQ(EncoderCommandLine("C:\\Conv\\zov.exe", "E:\\VIDEO_TS\\VTS_01_1.VOB", 176, 144, "D:\\out\\1.3gp"),
            "C:\\Conv\\zov.exe -y -i E:\\VIDEO_TS\\VTS_01_1.VOB -vcodec xvid -f 3gp  -s  176x144"
            " -r 12 -acodec aac -ac 1 -ar 8000 -b 30 -ab 12 D:\\out\\1.3gp");
}

TEST(EncoderCommandLine, QuotesOnlyThePieceThatNeedsIt) {
  const char* tail = " -r 12 -acodec aac -ac 1 -ar 8000 -b 30 -ab 12 ";
  EXPECT_EQ(EncoderCommandLine("C:\\Program Files\\Conv\\zov.exe", "E:\\a.vob", 128, 128, "D:\\1.3gp"),
            std::string("\"C:\\Program Files\\Conv\\zov.exe\" -y -i E:\\a.vob -vcodec xvid -f 3gp  -s  128x128") +
                tail + "D:\\1.3gp");
  EXPECT_EQ(EncoderCommandLine("C:\\Conv\\zov.exe", "E:\\My DVD\\a.vob", 128, 128, "D:\\1.3gp"),
            std::string("C:\\Conv\\zov.exe -y -i \"E:\\My DVD\\a.vob\" -vcodec xvid -f 3gp  -s  128x128") + tail +
                "D:\\1.3gp");
  EXPECT_EQ(EncoderCommandLine("C:\\Conv\\zov.exe", "E:\\a.vob", 10, 1000, "D:\\R&D\\1.3gp"),
            std::string("C:\\Conv\\zov.exe -y -i E:\\a.vob -vcodec xvid -f 3gp  -s  10x1000") + tail +
                "\"D:\\R&D\\1.3gp\"");
}

TEST(HoldsShellVariable, FindsADefinedNameBetweenTwoPercentSigns) {
  const auto defined = [](const std::string& name) { return name == "OS"; };
  const std::pair<const char*, bool> cases[] = {
      {"D:\\%OS%\\a.vob", true},        {"D:\\%%OS%\\a.vob", true},  {"D:\\%OS:~0,3%\\a.vob", true},
      {"D:\\%X%OS%\\a.vob", true},      {"D:\\100%\\a.vob", false},  {"D:\\a%%b.vob", false},
      {"My%20Video%20Clip.avi", false}, {"D:\\%TEMP%\\a.vob", false}, {"D:\\%:OS%\\a.vob", false},
  };
  for (const auto& [text, holds] : cases) EXPECT_EQ(HoldsShellVariable(text, defined), holds) << text;
}

TEST(PathInFolder, PutsOnlyARelativePathInTheFolder) {
  const std::pair<const char*, const char*> cases[] = {
      {"clip.3gp", "D:\\v\\clip.3gp"}, {"out\\1.3gp", "D:\\v\\out\\1.3gp"}, {"E:\\clip.3gp", "E:\\clip.3gp"},
      {"\\clip.3gp", "\\clip.3gp"},   {"\\\\pc\\s\\clip.3gp", "\\\\pc\\s\\clip.3gp"},
  };
  for (const auto& [path, seen] : cases) EXPECT_EQ(PathInFolder(path, "D:\\v"), seen) << path;
  EXPECT_EQ(PathInFolder("clip.3gp", "D:\\"), "D:\\clip.3gp");
}

TEST(JobOutputFile, AddsABackslashOnlyWhenMissing) {
  EXPECT_EQ(JobOutputFile("D:\\out", 3), "D:\\out\\3.3gp");
  EXPECT_EQ(JobOutputFile("D:\\out\\", 3), "D:\\out\\3.3gp");
  EXPECT_EQ(JobOutputFile("D:\\", 3), "D:\\3.3gp");
  EXPECT_EQ(JobOutputFile("D:\\out", 12), "D:\\out\\12.3gp");
}

TEST(IsPromptLine, MatchesTheFolderAndGreaterThanExactly) {
  EXPECT_TRUE(IsPromptLine("C:\\Conv>", "C:\\Conv"));
  EXPECT_TRUE(IsPromptLine("C:\\>", "C:\\"));
  EXPECT_FALSE(IsPromptLine("c:\\conv>", "C:\\Conv"));
  EXPECT_FALSE(IsPromptLine("C:\\Conv>dir", "C:\\Conv"));
  EXPECT_FALSE(IsPromptLine(" C:\\Conv>", "C:\\Conv"));
  EXPECT_FALSE(IsPromptLine(">", ""));  // no input folder yet
}

TEST(IsMessageLine, LeavesOutBlanksProgressPromptsAndTypedLines) {
  const std::pair<const char*, bool> cases[] = {
      {"Unknown encoder 'xvid'", true},  {"D:\\out\\1.3gp: Permission denied", true},
      {"frame=  250 q=2.0", false},      {" \t", false},
      {"C:\\Conv>", false},              {"C:\\Conv>C:\\Conv\\zov.exe -y -i E:\\a.vob", false},
      {"E:\\VIDEO_TS>", false},          {">", true},  // an empty folder is no prompt
  };
  for (const auto& [line, message] : cases) EXPECT_EQ(IsMessageLine(line, {"C:\\Conv", "E:\\VIDEO_TS", ""}), message) << line;
}

TEST(ReplaceQuestion, NamesThreeFilesAtMostAndCountsTheRest) {
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"clip.3gp"}, "D:\\out already holds clip.3gp.\nReplace it?"},
      {{"1.3gp", "2.3gp"}, "D:\\out already holds 1.3gp and 2.3gp.\nReplace them?"},
      {{"1.3gp", "2.3gp", "3.3gp", "4.3gp", "5.3gp"},
       "D:\\out already holds 5 of the files to be written: 1.3gp, 2.3gp, 3.3gp and 2 more.\nReplace them?"},
  };
  for (const auto& [names, question] : cases) EXPECT_EQ(ReplaceQuestion("D:\\out", names), question);
}

TEST(LineTests, RecogniseTheParsersLines) {
  EXPECT_TRUE(IsDurationLine("  Duration: 00:01:23.45, start: 0.000000"));
  EXPECT_FALSE(IsDurationLine("  duration: 00:01:23.45"));
  EXPECT_TRUE(IsFrameRateLine("    Stream #0.0: Video: mpeg2video, 25.00 fps(r)"));
  EXPECT_TRUE(IsProgressLine("frame=  250 q=2.0"));
  EXPECT_FALSE(IsProgressLine(" frame=  250 q=2.0"));
  EXPECT_FALSE(IsProgressLine("frame"));
}

TEST(ParseDuration, TakesHoursMinutesSecondsBeforeTheFirstComma) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"  Duration: 00:01:23.45, start: 0.000000, bitrate: 7597 kb/s", 83},
      {"Duration: 00:01:23.45, start: 0.000000, bitrate: 7597 kb/s", 83},
      {"Duration: 02:00:00.99", 7200},
      {"  Duration: 00:00:00.80, start: 0.0", 0},
      {"  Duration: N/A, start: 0.000000, bitrate: N/A", std::nullopt},
      {"  Duration: 00:xx:23.45, start: 0", std::nullopt},
      {"  Duration: 1000000:00:00.00, start: 0", std::nullopt},  // beyond 32 bits
  };
  for (const auto& [line, seconds] : cases) EXPECT_EQ(ParseDuration(line), seconds) << line;
}

TEST(ParseFrameRate, TakesTheNumberAfterTheLastComma) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"    Stream #0.0: Video: mpeg2video, yuv420p, 720x576, 25.00 fps(r)", 25},
      {"    Stream #0.0: Video: mpeg2video, yuv420p, 720x480, 29.97 fps(r)", 29},
      {"    Stream #0.0: Video: wmv3, 320x240, 0.50 fps(r)", 0},
      {"    Stream #0.0: Video: h264, 120 fps", 120},
      {"    Stream #0.0: Video: mpeg2video, yuv420p, 720x576, fps(r)", std::nullopt},
      {"fps", std::nullopt},
  };
  for (const auto& [line, rate] : cases) EXPECT_EQ(ParseFrameRate(line), rate) << line;
}

TEST(ParseFrameCount, TakesTheNumberBetweenTheFirstEqualsAndTheLastQ) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"frame=  250 q=2.0 size=     123kB time=10.0 bitrate=  96.0kbits/s", 250},
      {"frame=1 q=0.0 size=0kB time=0.0 bitrate=0.0kbits/s", 1},
      {"frame=\t250\tq=2.0", 250},
      {"frame=  250", std::nullopt},
      {"frame=abc q=2.0", std::nullopt},
      {"frame=  2.5 q=2.0", std::nullopt},
  };
  for (const auto& [line, count] : cases) EXPECT_EQ(ParseFrameCount(line), count) << line;
}

TEST(ProgressPosition, IsThePercentOfAllFrames) {
  struct {
    int frames, seconds, rate;
    std::optional<int> position;
  } const cases[] = {
      {250, 83, 25, 12},     {2075, 83, 25, 100},   {1037, 83, 25, 49},
      {250, 83, 29, 10},     {1203, 83, 29, 49},    {2490, 83, 30, 100},
      {4980, 83, 120, 50},   {9960, 83, 120, 100},  {99, 1, 120, 82},
      {0, 83, 25, 0},        {3000, 83, 25, 100},   {2147483647, 1, 1, 100},
      {250, 0, 25, std::nullopt}, {250, 83, 0, std::nullopt}, {250, -5, 25, std::nullopt},
      {2147483647, 2147483647, 2147483647, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ProgressPosition(c.frames, c.seconds, c.rate), c.position)
        << c.frames << " frames, " << c.seconds << " s, " << c.rate << " fps";
}
}  // namespace

TEST(ReadJobLine, WalksDurationFrameRateProgressAndPrompt) {
  int32_t parseState = 1, duration = 0, rate = 0, frames = 0;
  JobState state{parseState, duration, rate, frames};
  auto read = [&](const std::string& line) { return ReadJobLine(state, line, {"C:\\Conv", "E:\\VIDEO_TS"}); };

  EXPECT_EQ(read("C:\\Conv>").kind, JobLine::Nothing);  // no prompt before the frame rate
  EXPECT_EQ(read("  Duration: 00:xx:23.45, start").kind, JobLine::Nothing);
  EXPECT_EQ(parseState, 1);  // a duration that does not convert leaves the state
  read("  Duration: 00:01:23.45, start: 0.000000, bitrate: 7597 kb/s");
  EXPECT_EQ(parseState, 2);
  EXPECT_EQ(duration, 83);
  EXPECT_EQ(read("frame=  10 q=2.0").kind, JobLine::Nothing);
  EXPECT_EQ(read("    Stream #0.0: Video: mpeg2video, yuv420p, 720x576, 25.00 fps(r)").kind, JobLine::FrameRateKnown);
  EXPECT_EQ(rate, 25);

  JobLine progress = read("frame=  250 q=2.0 size=  123kB");
  EXPECT_EQ(progress.kind, JobLine::Progress);
  EXPECT_EQ(progress.position, 12);
  EXPECT_EQ(frames, 250);
  progress = read("frame=  nope q=2.0");
  EXPECT_EQ(progress.kind, JobLine::Progress);
  EXPECT_FALSE(progress.position);
  EXPECT_EQ(read("c:\\conv>").kind, JobLine::Nothing);
  EXPECT_EQ(read("E:\\VIDEO_TS>").kind, JobLine::EndOfJob);
  EXPECT_EQ(read("C:\\Conv>").kind, JobLine::EndOfJob);
}

// State 0: no job runs (the shell's first prompt before job 1, prompts after the batch).
TEST(ReadJobLine, WhileNoJobRunsNoLineMeansAnything) {
  for (const char* line : {"C:\\Conv>", "  Duration: 00:01:23.45, start: 0", "frame=  250 q=2.0"}) {
    int32_t parseState = 0, duration = 10, rate = 10, frames = 0;
    EXPECT_EQ(ReadJobLine({parseState, duration, rate, frames}, line, {"C:\\Conv"}).kind, JobLine::Nothing) << line;
    EXPECT_EQ(parseState, 0);
    EXPECT_EQ(frames, 0);
  }
}

TEST(ReadJobLine, AnEmptyPromptFolderNeverEndsAJob) {
  int32_t parseState = 3, duration = 10, rate = 10, frames = 0;
  EXPECT_EQ(ReadJobLine({parseState, duration, rate, frames}, ">", {"", ""}).kind, JobLine::Nothing);
}
