// What both converters' work forms watch in a job: the two stall checks, the encoder's last message,
// and, at the job's end, the output that the encoder was to write.
#pragma once

#include <windows.h>

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

  // At every job start, before it lets messages through: both checks off, nothing heard or sent yet.
  void Start();
  // At the send: the frame-rate check, which is not restarted while it runs, and the job's output
  // file as it stands before the encoder can touch it. A relative Output lies in ShellFolder, where
  // the encoder starts.
  void Sent(const std::string& Output, const std::string& ShellFolder);
  // Both checks off: at every job end.
  void Stop();
  // After the parser has taken a line of the job: once the frame rate is known, silence counts anew.
  void Took(int32_t ParseState, JobLine::Kind Kind);
  // A message line of the job (IsMessageLine): the last one says why a job failed.
  void Heard(const std::string& Message) { lastMessage_ = Message; }
  const std::string& LastMessage() const { return lastMessage_; }
  // The OnTimer of either check, which goes off. True when the job has stalled: its shell then ends
  // with all it started, the stalled encoder among them, Shell is cleared, and what the encoder had
  // begun of its output goes.
  bool Stalled(TTimer* Check, int32_t ParseState, TDosCommand*& Shell);

  // The log line for output this job did not write (missing, empty, or as it was before the send),
  // or "" when it wrote it.
  std::string OutputProblem() const;
  // At the work form's close: both checks off, no job (ParseState 0), Shell ended, and what a job
  // broken off had begun of its output gone.
  void Close(int32_t& ParseState, TDosCommand*& Shell);

 private:
  bool Touched(const WIN32_FILE_ATTRIBUTE_DATA& Now) const;
  static void EndShell(TDosCommand*& Shell);
  void RemoveBegunOutput() const;

  TTimer* frameRate_ = nullptr;
  TTimer* silence_ = nullptr;
  std::string lastMessage_;
  bool sent_ = false;
  std::string output_;  // as the job names it
  std::string path_;    // as this program finds it
  bool existed_ = false;
  FILETIME written_{};  // its last write before the send
};
