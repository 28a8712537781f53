// The test encoder as a real process: what it prints, writes and how it fails, as its knobs choose.
#include <gtest/gtest.h>

#include <vector>

#include "ChildProcess.h"
#include "JobText.h"

namespace {
// The lines as the converters' runner splits them: at CR, LF or CR LF.
std::vector<std::string> Lines(const std::string& output) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < output.size(); ++i) {
    char c = output[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (c == '\r' && i + 1 < output.size() && output[i + 1] == '\n') ++i;
    lines.push_back(line);
    line.clear();
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

struct Job {
  TempFolder dir;
  std::string input = dir.Write("VTS_01_1.VOB", "mpeg data");
  std::string output = dir.Path() + "\\1.3gp";

  std::string CommandLine() const {
    return EncoderCommandLine(BinFolder() + "zov.exe", input, 176, 144, output);
  }
  void Knobs(const std::string& lines) const { dir.Write("VTS_01_1.VOB.zov", lines); }
};

// What the converters' parser reads from the encoder's lines, in its order.
struct Parsed {
  std::optional<int> duration, frameRate;
  std::vector<int> frames;
};

Parsed Parse(const std::string& output) {
  Parsed parsed;
  int state = 1;
  for (const std::string& line : Lines(output)) {
    if (state == 1 && IsDurationLine(line)) {
      parsed.duration = ParseDuration(line);
      if (parsed.duration) state = 2;
    } else if (state == 2 && IsFrameRateLine(line)) {
      parsed.frameRate = ParseFrameRate(line);
      state = 3;
    } else if (state == 3 && IsProgressLine(line)) {
      if (auto frame = ParseFrameCount(line)) parsed.frames.push_back(*frame);
    }
  }
  return parsed;
}

TEST(Zov, PrintsWhatTheParserReadsOnStandardErrorAndWritesTheOutput) {
  Job job;
  ChildProcess errors(job.CommandLine(), Capture::StdErr);
  ASSERT_TRUE(errors.Started());
  const std::string& text = errors.ReadAll();
  EXPECT_EQ(errors.Wait(), 0u);

  EXPECT_NE(text.find("  Duration: 00:01:23.45, start: 0.000000, bitrate: 7597 kb/s\r\n"), std::string::npos);
  EXPECT_NE(text.find("frame=  250 q=2.0 size=     125kB time=10.0 bitrate=  96.0kbits/s\r\n"), std::string::npos);
  Parsed parsed = Parse(text);
  EXPECT_EQ(parsed.duration, 83);
  EXPECT_EQ(parsed.frameRate, 25);
  EXPECT_EQ(parsed.frames, (std::vector<int>{50, 100, 150, 200, 250}));
  // Progress lines are separated by a lone CR.
  EXPECT_NE(text.find("kbits/s\rframe="), std::string::npos);

  std::string written = ReadFileText(job.output);
  EXPECT_EQ(written.compare(4, 8, "ftyp3gp4"), 0);
  EXPECT_NE(written.find("input=" + job.input + "\r\n"), std::string::npos);
  EXPECT_NE(written.find("size=176x144\r\n"), std::string::npos);

  Job again;
  ChildProcess out(again.CommandLine(), Capture::StdOut);
  EXPECT_EQ(out.ReadAll(), "");
}

TEST(Zov, KnobsChooseTheValuesAndTheExitCode) {
  Job job;
  job.Knobs("duration=01:00:00.00\nfps=29.97\nframes=1000\nsteps=4\npause=0\nexit=7\n");
  ChildProcess zov(job.CommandLine());
  Parsed parsed = Parse(zov.ReadAll());
  EXPECT_EQ(zov.Wait(), 7u);
  EXPECT_EQ(parsed.duration, 3600);
  EXPECT_EQ(parsed.frameRate, 29);
  EXPECT_EQ(parsed.frames, (std::vector<int>{250, 500, 750, 1000}));
}

TEST(Zov, WithoutAFrameRateTheParserNeverReachesProgress) {
  Job job;
  job.Knobs("fps=none\n");
  ChildProcess zov(job.CommandLine());
  const std::string& text = zov.ReadAll();
  EXPECT_EQ(zov.Wait(), 0u);
  EXPECT_EQ(text.find("fps"), std::string::npos);
  EXPECT_FALSE(Parse(text).frameRate);
}

TEST(Zov, GarbageDoesNotHideTheRealLines) {
  Job job;
  job.Knobs("garbage=1\r\npause=0\r\n");
  ChildProcess zov(job.CommandLine());
  const std::string& text = zov.ReadAll();
  EXPECT_NE(text.find('\0'), std::string::npos);
  Parsed parsed = Parse(text);
  EXPECT_EQ(parsed.duration, 83);
  EXPECT_EQ(parsed.frames.back(), 250);
}

TEST(Zov, FailsOnAMissingOrUnreadableInput) {
  const std::pair<const char*, const char*> cases[] = {
      {"input=missing\n", ": No such file or directory\r\n"},
      {"input=unreadable\n", ": Invalid data found when processing input\r\n"},
  };
  for (const auto& [knobs, message] : cases) {
    Job job;
    job.Knobs(knobs);
    ChildProcess zov(job.CommandLine());
    const std::string& text = zov.ReadAll();
    EXPECT_EQ(zov.Wait(), 1u) << knobs;
    EXPECT_NE(text.find(job.input + message), std::string::npos) << text;
    EXPECT_EQ(text.find("Duration"), std::string::npos);
    EXPECT_EQ(GetFileAttributesA(job.output.c_str()), INVALID_FILE_ATTRIBUTES);
  }
  Job job;
  DeleteFileA(job.input.c_str());
  ChildProcess zov(job.CommandLine());
  EXPECT_NE(zov.ReadAll().find(job.input + ": No such file or directory"), std::string::npos);
  EXPECT_EQ(zov.Wait(), 1u);
}

TEST(Zov, HangsAfterTheChosenStageUntilKilled) {
  Job job;
  job.Knobs("hang=stream\n");
  ChildProcess zov(job.CommandLine());
  ASSERT_TRUE(zov.ReadUntil(" fps(r)\r\n"));
  EXPECT_TRUE(zov.Running());
  zov.Kill();
  EXPECT_EQ(zov.Output().find("frame="), std::string::npos);
}

TEST(Zov, CrashesWithAnAccessViolation) {
  Job job;
  job.Knobs("crash=duration\n");
  ChildProcess zov(job.CommandLine());
  const std::string& text = zov.ReadAll();
  EXPECT_EQ(zov.Wait(), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
  EXPECT_NE(text.find("Duration"), std::string::npos);
  EXPECT_EQ(text.find("Stream #0.0"), std::string::npos);
}

TEST(Zov, TakesQuotedPathsWithBlanksAndLogsTheRawCommandLine) {
  TempFolder dir;
  CreateDirectoryA((dir.Path() + "\\my dvd").c_str(), nullptr);
  std::string input = dir.Write("my dvd\\VTS 01.VOB", "mpeg data");
  std::string output = dir.Path() + "\\my dvd\\out (1).3gp";
  std::string log = dir.Path() + "\\zov.log";
  std::string line = EncoderCommandLine(BinFolder() + "zov.exe", input, 320, 240, output);
  SetEnvironmentVariableA("ZOV_LOG", log.c_str());
  SetEnvironmentVariableA("ZOV_PAUSE", "0");
  ChildProcess zov(line);
  SetEnvironmentVariableA("ZOV_LOG", nullptr);
  SetEnvironmentVariableA("ZOV_PAUSE", nullptr);
  zov.ReadAll();
  EXPECT_EQ(zov.Wait(), 0u) << zov.Output();
  EXPECT_EQ(ReadFileText(log), line + "\r\n");
  std::string written = ReadFileText(output);
  EXPECT_NE(written.find("input=" + input + "\r\n"), std::string::npos);
  EXPECT_NE(written.find("size=320x240\r\n"), std::string::npos);
}

TEST(Zov, RefusesABrokenCommandLine) {
  Job job;
  const std::string zov = BinFolder() + "zov.exe";
  const std::pair<std::string, const char*> cases[] = {
      {zov + " -y -i " + job.input + " -vcodec xvid -q 3 " + job.output, "Unrecognized option '-q'"},
      {zov + " -y -i " + job.input + " -s 176 " + job.output, "Incorrect frame size '176'"},
      {zov + " -y -i " + job.input + " -s 176x144", "At least one output file must be specified"},
      {zov + " -y -s 176x144 " + job.output, "No input file given"},
      {zov + " -y -i", "requires an argument"},
  };
  for (const auto& [line, message] : cases) {
    ChildProcess child(line);
    EXPECT_NE(child.ReadAll().find(message), std::string::npos) << line << "\n" << child.Output();
    EXPECT_EQ(child.Wait(), 1u) << line;
  }
  job.dir.Write("1.3gp", "older");
  ChildProcess noOverwrite(zov + " -i " + job.input + " -s 176x144 " + job.output);
  EXPECT_NE(noOverwrite.ReadAll().find("already exists"), std::string::npos);
  EXPECT_EQ(noOverwrite.Wait(), 1u);
  EXPECT_EQ(ReadFileText(job.output), "older");
}
}  // namespace
