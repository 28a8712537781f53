#include "JobWatch.h"

#include <windows.h>

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
  TDosCommand* shell = Shell;
  Shell = nullptr;  // its late output is ignored
  if (shell) shell->Free();
  return true;
}

std::string OutputProblem(const std::string& Output, const std::string& ShellFolder) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  const bool written = GetFileAttributesExA(PathInFolder(Output, ShellFolder).c_str(), GetFileExInfoStandard, &data) &&
                       !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                       (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0);
  return written ? "" : NoOutputMessage(Output);
}
