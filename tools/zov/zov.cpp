// zov: the test encoder. It takes the converters' command line
//   zov -y -i <input> -vcodec xvid -f 3gp  -s  WxH -r 12 -acodec aac -ac 1 -ar 8000 -b 30 -ab 12 <output>
// prints on standard error what an encoder of its kind prints (banner, input section with the Duration
// and the video stream's frame rate, output section, then progress lines separated by a lone CR and ended
// by a LF), and writes a small fake 3GP file holding the parameters it received: made (empty) with the
// output section, filled at the end.
//
// Behaviour, for the tests: key=value lines in "<input>.zov" beside the input, or environment variables
// ZOV_<KEY> (key in upper case); the file wins.
//   duration=00:01:23.45  the Duration field
//   fps=25.00             the frame rate in the video stream line; "none" prints that line without one
//   frames=250            frame number of the last progress line
//   steps=5               number of progress lines, their frame numbers evenly up to frames
//   pause=20              milliseconds before each progress line
//   input=ok              "missing" or "unreadable": fail as for such an input (also without the knob)
//   hang=<stage>          wait until killed after a stage: banner, duration, stream, progress (the first
//                         progress line), end (everything printed and written)
//   crash=<stage>         end with an access violation after a stage
//   garbage=0             1: print noise after the banner (NULs, lone CRs, bytes above 127, a Duration
//                         line and progress lines that do not convert)
//   exit=<code>           exit code (default 0 after a run, 1 after a failure)
//   output=1              0: write no output file; empty: write it empty
//   refuse=<text>         print <text> after the banner and end, as an encoder that refuses the command line
// ZOV_LOG=<file>: append the raw command line (GetCommandLineA) to that file as one line.
#include <windows.h>

#include "Crash.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {
std::map<std::string, std::string> knobs;

std::string Knob(const std::string& key, const std::string& fallback) {
  auto it = knobs.find(key);
  return it == knobs.end() ? fallback : it->second;
}

int KnobInt(const std::string& key, int fallback) {
  std::string value = Knob(key, "");
  return value.empty() ? fallback : std::atoi(value.c_str());
}

void ReadKnobs(const std::string& input) {
  static const char* const keys[] = {"duration", "fps",   "frames",  "steps", "pause",  "input",
                                     "hang",     "crash", "garbage", "exit",  "output", "refuse"};
  for (const char* key : keys) {
    std::string name = "ZOV_";
    for (const char* c = key; *c; ++c) name += static_cast<char>(*c - 'a' + 'A');
    char value[1024];
    DWORD length = GetEnvironmentVariableA(name.c_str(), value, sizeof value);
    if (length > 0 && length < sizeof value) knobs[key] = value;
  }
  FILE* file = std::fopen((input + ".zov").c_str(), "rb");
  if (!file) return;
  char line[1024];
  while (std::fgets(line, sizeof line, file)) {
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    size_t equals = text.find('=');
    if (equals != std::string::npos) knobs[text.substr(0, equals)] = text.substr(equals + 1);
  }
  std::fclose(file);
}

// Every piece is one write, so a reader sees the encoder's output as it goes.
void Say(const std::string& text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void Line(const std::string& text) { Say(text + "\r\n"); }

int ExitCode(int fallback) { return KnobInt("exit", fallback); }

// The stage hooks: hang or crash where the knobs say.
void Stage(const char* stage) {
  if (Knob("hang", "") == stage)
    for (;;) Sleep(INFINITE);
  if (Knob("crash", "") == stage) {
    Crash();
  }
}

void LogCommandLine() {
  char path[MAX_PATH];
  DWORD length = GetEnvironmentVariableA("ZOV_LOG", path, sizeof path);
  if (length == 0 || length >= sizeof path) return;
  HANDLE log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return;
  std::string line = std::string(GetCommandLineA()) + "\r\n";
  DWORD written = 0;
  WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(log);
}

struct Options {
  std::string input, output, vcodec, format, size, rate, acodec, channels, sampleRate, bitrate, audioBitrate;
  bool overwrite = false;
};

// Returns an error text, or "" when the arguments make a job.
std::string ParseArguments(int argc, char** argv, Options& options) {
  const std::pair<const char*, std::string Options::*> valued[] = {
      {"-i", &Options::input},      {"-vcodec", &Options::vcodec},       {"-f", &Options::format},
      {"-s", &Options::size},       {"-r", &Options::rate},              {"-acodec", &Options::acodec},
      {"-ac", &Options::channels},  {"-ar", &Options::sampleRate},       {"-b", &Options::bitrate},
      {"-ab", &Options::audioBitrate},
  };
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "-y") {
      options.overwrite = true;
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      bool known = false;
      for (const auto& [name, field] : valued) {
        if (arg != name) continue;
        if (i + 1 >= argc) return "Option '" + arg + "' requires an argument";
        options.*field = argv[++i];
        known = true;
      }
      if (!known) return "Unrecognized option '" + arg + "'";
      continue;
    }
    if (!options.output.empty()) return "Only one output file is supported: '" + arg + "'";
    options.output = arg;
  }
  if (options.input.empty()) return "No input file given (-i)";
  if (options.output.empty()) return "At least one output file must be specified";
  int width = 0, height = 0;
  char rest = 0;
  if (std::sscanf(options.size.c_str(), "%dx%d%c", &width, &height, &rest) != 2 || width <= 0 || height <= 0)
    return "Incorrect frame size '" + options.size + "'";
  return "";
}

void PrintGarbage() {
  Say(std::string("\x01\x02\xff\xfe garbage\0\0 here\r", 20));
  Say("\r\r\xe4\xf6\xfc\x80\x81\r\n");
  Line("  Duration: ab:cd:ef.gh, start: ?");
  Say("frame=  xyz q=?? size=\r");
  Say("frame=\r");
  Line(std::string(300, '#'));
}

HANDLE CreateOutput(const Options& options) {
  return CreateFileA(options.output.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteOutput(HANDLE file, const Options& options, int frames, bool empty) {
  if (file == INVALID_HANDLE_VALUE) return false;
  static const char header[] = "\0\0\0\x14" "ftyp3gp4\0\0\x02\0" "3gp4";
  std::string content(header, sizeof header - 1);
  content += "\r\nzov test output\r\n";
  content += "input=" + options.input + "\r\n";
  content += "vcodec=" + options.vcodec + "\r\nformat=" + options.format + "\r\nsize=" + options.size + "\r\n";
  content += "rate=" + options.rate + "\r\nacodec=" + options.acodec + "\r\nac=" + options.channels + "\r\n";
  content += "ar=" + options.sampleRate + "\r\nb=" + options.bitrate + "\r\nab=" + options.audioBitrate + "\r\n";
  content += "frames=" + std::to_string(frames) + "\r\n";
  if (empty) content.clear();
  DWORD written = 0;
  BOOL ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == content.size();
}
}  // namespace

int main(int argc, char** argv) {
  LogCommandLine();
  Options options;
  std::string error = ParseArguments(argc, argv, options);
  if (!options.input.empty()) ReadKnobs(options.input);

  Line("zov version 0.4.9-pre1, Copyright (c) 2004-2007 the zov developers");
  Line("  configuration: --enable-xvid --enable-aac --enable-3gp");
  Line("  built on Mar 11 2007 10:02:41, gcc: 4.2.1");
  Stage("banner");
  if (!error.empty()) {
    Line(error);
    return ExitCode(1);
  }
  if (!Knob("refuse", "").empty()) {
    Line(Knob("refuse", ""));
    return ExitCode(1);
  }
  if (!options.overwrite && GetFileAttributesA(options.output.c_str()) != INVALID_FILE_ATTRIBUTES) {
    Line("File '" + options.output + "' already exists. Overwrite ? [y/N] Not overwriting - exiting");
    return ExitCode(1);
  }
  if (Knob("garbage", "0") == "1") PrintGarbage();

  std::string inputState = Knob("input", "ok");
  if (inputState == "ok" && GetFileAttributesA(options.input.c_str()) == INVALID_FILE_ATTRIBUTES) inputState = "missing";
  if (inputState == "ok") {
    HANDLE file = CreateFileA(options.input.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) inputState = "unreadable";
    else CloseHandle(file);
  }
  if (inputState != "ok") {
    Line(options.input + (inputState == "missing" ? ": No such file or directory"
                                                  : ": Invalid data found when processing input"));
    return ExitCode(1);
  }

  std::string fps = Knob("fps", "25.00");
  Line("Input #0, mpeg, from '" + options.input + "':");
  Line("  Duration: " + Knob("duration", "00:01:23.45") + ", start: 0.000000, bitrate: 7597 kb/s");
  Stage("duration");
  Line("    Stream #0.0[0x1e0]: Video: mpeg2video, yuv420p, 720x576, 9800 kb/s" +
       (fps == "none" ? std::string() : ", " + fps + " fps(r)"));
  Stage("stream");
  Line("    Stream #0.1[0x80]: Audio: ac3, 48000 Hz, stereo, 192 kb/s");
  const std::string output = Knob("output", "1");
  HANDLE file = output == "0" ? INVALID_HANDLE_VALUE : CreateOutput(options);
  Line("Output #0, 3gp, to '" + options.output + "':");
  Line("    Stream #0.0: Video: " + options.vcodec + ", yuv420p, " + options.size + ", q=2-31, " + options.bitrate +
       " kb/s");
  Line("    Stream #0.1: Audio: " + options.acodec + ", " + options.sampleRate + " Hz, mono, " +
       options.audioBitrate + " kb/s");
  Line("Stream mapping:");
  Line("  Stream #0.0 -> #0.0");
  Line("  Stream #0.1 -> #0.1");
  Line("Press [q] to stop encoding");

  int frames = KnobInt("frames", 250);
  int steps = KnobInt("steps", 5);
  int pause = KnobInt("pause", 20);
  double rate = fps == "none" ? 25.0 : std::atof(fps.c_str());
  if (rate <= 0) rate = 25.0;
  for (int step = 1; step <= steps; ++step) {
    if (pause > 0) Sleep(static_cast<DWORD>(pause));
    int frame = static_cast<int>(static_cast<long long>(frames) * step / steps);
    char progress[160];
    std::snprintf(progress, sizeof progress, "frame=%5d q=2.0 size=%8dkB time=%.1f bitrate=  96.0kbits/s\r", frame,
                  frame / 2, frame / rate);
    Say(progress);
    if (step == 1) Stage("progress");
  }
  Say("\n");
  Line("video:" + std::to_string(frames / 3) + "kB audio:" + std::to_string(frames / 10) +
       "kB global headers:0kB muxing overhead 4.521%");
  if (output != "0" && !WriteOutput(file, options, frames, output == "empty")) {
    Line(options.output + ": Permission denied");
    return ExitCode(1);
  }
  Stage("end");
  return ExitCode(0);
}
