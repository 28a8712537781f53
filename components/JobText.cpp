#include "JobText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "SysUtils.h"

namespace {
bool IsSeparator(const std::string& sep, char c) { return sep.size() == 1 && sep[0] == c; }

size_t FirstOf(const std::string& sep, const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i)
    if (IsSeparator(sep, text[i])) return i;
  return std::string::npos;
}

size_t LastOf(const std::string& sep, const std::string& text) {
  for (size_t i = text.size(); i > 0; --i)
    if (IsSeparator(sep, text[i - 1])) return i - 1;
  return std::string::npos;
}

std::optional<int> ToInt32(int64_t value) {
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(value);
}

// A decimal piece truncated toward zero. The encoder prints a point whatever the user's separator
// (a comma already separates its fields).
std::optional<int> TruncatedNumber(const std::string& text) {
  double value;
  try {
    value = StrToFloat(text, '.');
  } catch (const EConvertError&) {
    return std::nullopt;
  }
  double whole = std::trunc(value);
  if (!(whole >= std::numeric_limits<int>::min() && whole <= std::numeric_limits<int>::max())) return std::nullopt;
  return static_cast<int>(whole);
}

bool IsShellSpecial(char c) {
  for (char special : std::string("&|<>^()%!,;="))
    if (c == special) return true;
  return false;
}
}  // namespace

std::string TextBefore(const std::string& Sep, const std::string& Text, const std::string& Dir) {
  if (Dir == "LEFT") {
    size_t at = FirstOf(Sep, Text);
    return at == std::string::npos ? Text : Text.substr(0, at);
  }
  size_t at = LastOf(Sep, Text);
  return at == std::string::npos ? std::string() : Text.substr(0, at);
}

std::string TextAfter(const std::string& Sep, const std::string& Text, const std::string& Dir) {
  if (Dir == "RIGHT") {
    size_t at = LastOf(Sep, Text);
    return at == std::string::npos ? Text : Text.substr(at + 1);
  }
  size_t at = FirstOf(Sep, Text);
  return at == std::string::npos ? std::string() : Text.substr(at + 1);
}

bool HasSpace(const std::string& Text) { return Text.find(' ') != std::string::npos; }

std::string QuotePath(const std::string& path) {
  std::string piece;
  bool quote = false;
  for (char c : path) {
    if (c == '"' || static_cast<unsigned char>(c) < ' ') continue;
    quote = quote || c == ' ' || IsShellSpecial(c);
    piece += c;
  }
  return quote ? '"' + piece + '"' : piece;
}

std::string EncoderCommandLine(const std::string& encoder, const std::string& input, int width, int height,
                               const std::string& output) {
  return QuotePath(encoder) + " -y -i " + QuotePath(input) + " -vcodec xvid -f 3gp  -s  " + IntToStr(width) + "x" +
         IntToStr(height) + " -r 12 -acodec aac -ac 1 -ar 8000 -b 30 -ab 12 " + QuotePath(output);
}

std::string JobOutputFile(const std::string& outputFolder, int fileIndex) {
  std::string separator = !outputFolder.empty() && outputFolder.back() == '\\' ? "" : "\\";
  return outputFolder + separator + IntToStr(fileIndex) + ".3gp";
}

bool IsDurationLine(const std::string& line) { return line.find("Duration") != std::string::npos; }
bool IsFrameRateLine(const std::string& line) { return line.find("fps") != std::string::npos; }
bool IsProgressLine(const std::string& line) { return line.compare(0, 6, "frame=") == 0; }

bool HoldsShellVariable(const std::string& text, const std::function<bool(const std::string&)>& defined) {
  for (size_t open = text.find('%'); open != std::string::npos;) {
    size_t close = text.find('%', open + 1);
    if (close == std::string::npos) return false;
    std::string name = text.substr(open + 1, close - open - 1);
    name.resize(std::min(name.size(), name.find(':')));
    if (!name.empty() && defined(name)) return true;
    open = close;
  }
  return false;
}

std::string ShellVariableMessage(const std::string& path) {
  return "Error. " + path + " holds a %NAME% that the command shell would replace; the job is not sent.";
}

std::string CodePageMessage(const std::string& path) {
  return "Error. " + path + " holds a character that cannot reach the command shell unchanged; the job is not sent.";
}

std::string FolderNameMessage(const std::string& folder) {
  return "You should choose another folder: the name " + folder +
         " holds a character that cannot reach the command shell unchanged.";
}

std::string ReplaceQuestion(const std::string& folder, const std::vector<std::string>& names) {
  const size_t shown = 3;
  std::string list;
  for (size_t i = 0; i < names.size() && i < shown; ++i)
    list += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
  if (names.size() > shown) list = IntToStr(static_cast<int>(names.size())) + " of the files to be written: " + list +
                                   " and " + IntToStr(static_cast<int>(names.size() - shown)) + " more";
  return folder + " already holds " + list + ".\n" + (names.size() == 1 ? "Replace it?" : "Replace them?");
}

std::string PathInFolder(const std::string& path, const std::string& folder) {
  const bool fromRoot = !path.empty() && (path[0] == '\\' || path[0] == '/');
  if (fromRoot || (path.size() >= 2 && path[1] == ':') || folder.empty()) return path;
  return folder + (folder.back() == '\\' ? "" : "\\") + path;
}

std::string NoOutputMessage(const std::string& output) {
  return "Error. The encoder wrote nothing to " + output + ".";
}

bool IsPromptLine(const std::string& line, const std::string& folder) {
  return !folder.empty() && line == folder + ">";
}

bool IsMessageLine(const std::string& line, std::initializer_list<std::string> promptFolders) {
  if (Trim(line).empty() || IsProgressLine(line)) return false;
  for (const std::string& folder : promptFolders)
    if (!folder.empty() && line.compare(0, folder.size() + 1, folder + ">") == 0) return false;
  return true;
}

std::optional<int> ParseDuration(const std::string& line) {
  std::string time = TextAfter(" ", TextBefore(",", line, "LEFT"), "RIGHT");
  std::string rest = TextAfter(":", time, "LEFT");
  std::optional<int> h = TruncatedNumber(TextBefore(":", time, "LEFT"));
  std::optional<int> m = TruncatedNumber(TextBefore(":", rest, "LEFT"));
  std::optional<int> s = TruncatedNumber(TextAfter(":", rest, "RIGHT"));
  if (!h || !m || !s) return std::nullopt;
  return ToInt32(int64_t{*s} + int64_t{*h} * 3600 + int64_t{*m} * 60);
}

std::optional<int> ParseFrameRate(const std::string& line) {
  return TruncatedNumber(TextBefore("f", TextAfter(",", line, "RIGHT"), "RIGHT"));
}

std::optional<int> ParseFrameCount(const std::string& line) {
  try {
    return StrToInt(Trim(TextBefore("q", TextAfter("=", line, "LEFT"), "RIGHT")));
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

std::optional<int> ProgressPosition(int frameCount, int durationSeconds, int frameRate) {
  if (durationSeconds < 1 || frameRate < 1) return std::nullopt;
  int64_t position = int64_t{frameCount} * 100 / (int64_t{durationSeconds} * frameRate);
  return static_cast<int>(position < 0 ? 0 : position > 100 ? 100 : position);
}

JobLine ReadJobLine(JobState state, const std::string& line, std::initializer_list<std::string> promptFolders) {
  JobLine result;
  switch (state.parseState) {
    case 0:  // no job runs: nothing to end or to read
      return result;
    case 1:
      if (IsDurationLine(line)) {
        if (std::optional<int> seconds = ParseDuration(line)) {
          state.durationSeconds = *seconds;
          state.parseState = 2;
        }
      }
      return result;
    case 2:
      if (IsFrameRateLine(line)) {
        if (std::optional<int> rate = ParseFrameRate(line)) {
          state.frameRate = *rate;
          state.parseState = 3;
          result.kind = JobLine::FrameRateKnown;
        }
      }
      return result;
    default:
      for (const std::string& folder : promptFolders)
        if (IsPromptLine(line, folder)) {
          result.kind = JobLine::EndOfJob;
          return result;
        }
      if (IsProgressLine(line)) {
        result.kind = JobLine::Progress;
        if (std::optional<int> frames = ParseFrameCount(line)) {
          state.frameCount = *frames;
          result.position = ProgressPosition(state.frameCount, state.durationSeconds, state.frameRate);
        }
      }
      return result;
  }
}
