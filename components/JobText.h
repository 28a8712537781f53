// The converters' job text: the encoder's command line, the output name, and what the output parser
// reads from the shell's and the encoder's lines. Shared by both converters' work forms.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

// Sep is one character. TextBefore knows only the keyword "LEFT" (first occurrence; the whole text when
// Sep is missing); any other Dir takes the last occurrence (empty when missing). TextAfter knows only
// "RIGHT" (last occurrence; the whole text when missing); any other Dir takes the first (empty when missing).
std::string TextBefore(const std::string& Sep, const std::string& Text, const std::string& Dir);
std::string TextAfter(const std::string& Sep, const std::string& Text, const std::string& Dir);
// True when Text holds a blank (character 32); other white space does not count.
bool HasSpace(const std::string& Text);

// A path as one argument of a line typed into the shell: in double quotes when it holds a blank or a
// character the shell would act on (& | < > ^ ( ) % ! , ; =). Double quotes and control characters,
// which no file name holds, are dropped so that the piece cannot end its quotes early.
std::string QuotePath(const std::string& path);

// The encoder's command line; encoder, input and output are quoted by QuotePath.
std::string EncoderCommandLine(const std::string& encoder, const std::string& input, int width, int height,
                               const std::string& output);

// True when text holds %NAME%, or %NAME:...% (the shell's substring and replace forms), with a NAME
// that defined() knows: the command shell replaces a defined variable, also inside double quotes, and
// leaves every other %...% as it stands ("My%20Video%20Clip.avi"). Each percent sign may open a name.
bool HoldsShellVariable(const std::string& text, const std::function<bool(const std::string&)>& defined);
// The log line for a job refused because one of its paths holds a defined %NAME%.
std::string ShellVariableMessage(const std::string& path);
// The log line for a job refused because one of its paths holds a character that cannot reach the
// command shell unchanged.
std::string CodePageMessage(const std::string& path);
// The message box for a picked folder whose name holds such a character.
std::string FolderNameMessage(const std::string& folder);

// The question before a job writes over files: folder already holds names.
std::string ReplaceQuestion(const std::string& folder, const std::vector<std::string>& names);

// A relative path as a program started in folder sees it; a path from a root or a drive unchanged.
std::string PathInFolder(const std::string& path, const std::string& folder);
// The log line for a job whose encoder left its output file missing or empty.
std::string NoOutputMessage(const std::string& output);

// <folder>\<fileIndex>.3gp, with no second backslash when the folder already ends with one.
std::string JobOutputFile(const std::string& outputFolder, int fileIndex);

// The tests of the output parser's states.
bool IsDurationLine(const std::string& line);   // holds "Duration"
bool IsFrameRateLine(const std::string& line);  // holds "fps"
bool IsProgressLine(const std::string& line);   // begins with "frame="
// The shell's prompt of folder: the folder followed by ">", exactly. An empty folder never matches.
bool IsPromptLine(const std::string& line, const std::string& folder);
// A line the encoder, or the shell for it, printed to say something: not blank, no progress line,
// neither the prompt of one of the folders nor a line typed after it.
bool IsMessageLine(const std::string& line, std::initializer_list<std::string> promptFolders);

// The values the parser takes from the encoder's lines, or nothing when a piece does not convert or
// does not fit a signed 32-bit integer. Decimal pieces take a point, as the encoder prints them
// whatever the user's separator, and are truncated toward zero.
// "  Duration: 00:01:23.45, start: ..." gives 83.
std::optional<int> ParseDuration(const std::string& line);
// "    Stream #0.0: Video: mpeg2video, yuv420p, 720x576, 25.00 fps(r)" gives 25.
std::optional<int> ParseFrameRate(const std::string& line);
// "frame=  250 q=2.0 size=..." gives 250.
std::optional<int> ParseFrameCount(const std::string& line);

// The file bar's position, 0 to 100: frameCount * 100 / (durationSeconds * frameRate). Nothing (the bar
// stays where it is) when the duration is under one second or the frame rate below 1.
std::optional<int> ProgressPosition(int frameCount, int durationSeconds, int frameRate);

// The job state that the output parser keeps (once per program, in the converter's work unit).
struct JobState {
  // 0 no job runs (before the first job starts, after the batch); 1 waiting for the duration, 2 for
  // the frame rate, anything else: progress
  int32_t& parseState;
  int32_t& durationSeconds;
  int32_t& frameRate;
  int32_t& frameCount;
};

// What one line of output means for the job, after the state has taken it in.
struct JobLine {
  enum Kind { Nothing, FrameRateKnown, EndOfJob, Progress } kind = Nothing;
  std::optional<int> position;  // for Progress: the file bar's new position, if it moves
};

// The parser's rules, shared by both converters: the duration line, then the frame-rate line, then
// progress lines until a line equals one of the prompt folders followed by ">". In state 0 no line
// means anything.
JobLine ReadJobLine(JobState state, const std::string& line, std::initializer_list<std::string> promptFolders);
