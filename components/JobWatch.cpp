#include "JobWatch.h"

namespace {
bool FileData(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
  return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
         !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

void TJobWatch::Start() {
  Stop();
  lastMessage_.clear();
  sent_ = false;
}

void TJobWatch::Sent(const std::string& Output, const std::string& ShellFolder) {
  frameRate_->SetEnabled(true);
  sent_ = true;
  output_ = Output;
  path_ = PathInFolder(Output, ShellFolder);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  existed_ = FileData(path_, data);
  written_ = data.ftLastWriteTime;
}

void TJobWatch::Stop() {
  frameRate_->SetEnabled(false);
  silence_->SetEnabled(false);
}

void TJobWatch::Took(int32_t ParseState, JobLine::Kind Kind) {
  if (ParseState < 3 || Kind == JobLine::EndOfJob) return;
  silence_->SetEnabled(false);
  silence_->SetEnabled(true);
}

bool TJobWatch::Stalled(TTimer* Check, int32_t ParseState, TDosCommand*& Shell) {
  Check->SetEnabled(false);
  // The frame-rate check stalls a job still waiting for it, the silence check one past it; no job: nothing.
  const bool stalled = Check == frameRate_ ? ParseState == 1 || ParseState == 2 : ParseState >= 3;
  if (!stalled) return false;
  EndShell(Shell);
  RemoveBegunOutput();
  return true;
}

// Shell is cleared first: its late output is ignored. Free returns once the shell and what it started
// are gone.
void TJobWatch::EndShell(TDosCommand*& Shell) {
  TDosCommand* shell = Shell;
  Shell = nullptr;
  if (shell) shell->Free();
}

// What a job broken off had begun of its output: a file it made or wrote to, never one it did not touch.
void TJobWatch::RemoveBegunOutput() const {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (sent_ && FileData(path_, data) && Touched(data)) DeleteFileA(path_.c_str());
}

// A file that was not there before the send, or has been written since, is this job's.
bool TJobWatch::Touched(const WIN32_FILE_ATTRIBUTE_DATA& now) const {
  return !existed_ || CompareFileTime(&now.ftLastWriteTime, &written_) != 0;
}

std::string TJobWatch::OutputProblem() const {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  const bool written = sent_ && FileData(path_, data) && (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0) &&
                       Touched(data);
  return written ? "" : NoOutputMessage(output_);
}

void TJobWatch::Close(int32_t& ParseState, TDosCommand*& Shell) {
  const bool running = ParseState != 0;
  Stop();
  ParseState = 0;
  EndShell(Shell);
  if (running) RemoveBegunOutput();
}
