// What both converters' work forms watch in a job: the two stall checks and, at the job's end, the
// output that the encoder was to write.
#pragma once

#include <cstdint>
#include <string>

#include "DosCommand.h"
#include "JobText.h"
#include "Timer.h"

// The stall checks of a job: its frame rate must come within the frame-rate check's interval (ten
// seconds) of the send, and once it has, every line within the silence check's (thirty seconds) of
// the last one. The two timers are the work form's own.
class TJobWatch {
 public:
  TJobWatch() = default;
  TJobWatch(TTimer* FrameRateCheck, TTimer* SilenceCheck) : frameRate_(FrameRateCheck), silence_(SilenceCheck) {}

  // At the send: the frame-rate check, which is not restarted while it runs.
  void Sent() { frameRate_->SetEnabled(true); }
  // Both checks off: at every job start, before it lets messages through, and at every job end.
  void Stop();
  // After the parser has taken a line of the job: once the frame rate is known, silence counts anew.
  void Took(int32_t ParseState, JobLine::Kind Kind);
  // The OnTimer of either check, which goes off. True when the job has stalled: its shell then ends
  // with all it started, the stalled encoder among them, and Shell is cleared.
  bool Stalled(TTimer* Check, int32_t ParseState, TDosCommand*& Shell);

 private:
  TTimer* frameRate_ = nullptr;
  TTimer* silence_ = nullptr;
};

// The log line for a job whose encoder left its output missing or empty, or "" when it wrote it. A
// relative Output lies in the shell's folder, as the encoder started there sees it.
std::string OutputProblem(const std::string& Output, const std::string& ShellFolder);
