// The test child as a real process: its script's output, input echo, exit codes, hang and crash.
#include <gtest/gtest.h>

#include <cstdio>

#include "ChildProcess.h"

namespace {
std::string TestChild(const std::string& script) { return BinFolder() + "testchild.exe " + script; }

TEST(TestChild, WritesTheScriptsTextWithItsEscapes) {
  const std::pair<const char*, std::string> cases[] = {
      {"out:\"abc\" pause:50 out:\"def\\r\\n\"", "abcdef\r\n"},
      {"out:\"a b\\tc\\\\d\"", "a b\tc\\d"},
      {"nul cr lf crlf out:x\\0y\\x41", std::string("\0\r\n\r\nx\0yA", 9)},
      {"lines:3", "line 1\r\nline 2\r\nline 3\r\n"},
      {"out:a err:b out:c", "abc"},
  };
  for (const auto& [script, output] : cases) {
    ChildProcess child(TestChild(script));
    EXPECT_EQ(child.ReadAll(), output) << script;
    EXPECT_EQ(child.Wait(), 0u) << script;
  }
  ChildProcess outOnly(TestChild("out:a err:b out:c"), Capture::StdOut);
  EXPECT_EQ(outOnly.ReadAll(), "ac");
}

TEST(TestChild, EchoesInputUntilTheStopLineOrTheEnd) {
  ChildProcess child(TestChild("echo:quit out:done exit:3"));
  child.Write("one\r\n");
  ASSERT_TRUE(child.ReadUntil("one\r\n"));
  child.Write("two\nquit\r\nthree\r\n");
  EXPECT_EQ(child.ReadAll(), "one\r\ntwo\ndone");
  EXPECT_EQ(child.Wait(), 3u);

  ChildProcess toEnd(TestChild("echo"));
  toEnd.Write("a\r\nb");
  toEnd.CloseInput();
  EXPECT_EQ(toEnd.ReadAll(), "a\r\nb");
}

TEST(TestChild, BurstIsOneLargeRunOfNumberedLines) {
  ChildProcess child(TestChild("burst:4000000"));
  const std::string& text = child.ReadAll();
  ASSERT_EQ(text.size(), 4000000u);
  char expected[16];
  size_t wrong = 0;
  for (unsigned long line = 0; line * 9 + 9 <= text.size(); ++line) {
    std::snprintf(expected, sizeof expected, "%07lu\r\n", line);
    if (text.compare(line * 9, 9, expected) != 0) ++wrong;
  }
  EXPECT_EQ(wrong, 0u);
  EXPECT_EQ(text.substr(444444 * 9), "0444");  // the last line cut at the size
}

TEST(TestChild, ExitsWithTheGivenCode) {
  for (DWORD code : {0ul, 3ul, 259ul}) {
    ChildProcess child(TestChild("exit:" + std::to_string(code) + " out:never"));
    EXPECT_EQ(child.ReadAll(), "");
    EXPECT_EQ(child.Wait(), code);
  }
}

TEST(TestChild, HangsUntilKilledAndCrashesWithAnAccessViolation) {
  ChildProcess hanging(TestChild("out:ready hang"));
  ASSERT_TRUE(hanging.ReadUntil("ready"));
  EXPECT_TRUE(hanging.Running());
  hanging.Kill();
  EXPECT_EQ(hanging.Wait(), 99u);

  ChildProcess crashing(TestChild("out:before crash out:after"));
  EXPECT_EQ(crashing.ReadAll(), "before");
  EXPECT_EQ(crashing.Wait(), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
}

TEST(TestChild, StartsInTheFolderItIsGiven) {
  TempFolder dir;
  ChildProcess child(TestChild("cwd"), Capture::Both, dir.Path());
  EXPECT_EQ(child.ReadAll(), dir.Path() + "\r\n");
}
}  // namespace
