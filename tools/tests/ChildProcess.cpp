#include "ChildProcess.h"

#include <stdexcept>

namespace {
// A pipe whose one end the child inherits.
void MakePipe(Handle& parentEnd, Handle& childEnd, bool childReads) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) throw std::runtime_error("CreatePipe failed");
  parentEnd.Reset(childReads ? write : read);
  childEnd.Reset(childReads ? read : write);
  SetHandleInformation(parentEnd.Get(), HANDLE_FLAG_INHERIT, 0);
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = folder + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}
}  // namespace

ChildProcess::ChildProcess(const std::string& commandLine, Capture capture, const std::string& folder) {
  Handle childInput, childOutput;
  MakePipe(input_, childInput, true);
  MakePipe(output_pipe_, childOutput, false);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  Handle nul(CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                         nullptr));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = childInput.Get();
  startup.hStdOutput = capture == Capture::StdErr ? nul.Get() : childOutput.Get();
  startup.hStdError = capture == Capture::StdOut ? nul.Get() : childOutput.Get();
  PROCESS_INFORMATION info{};
  std::string line = commandLine;
  if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                     folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
  }
  // The child's ends close here, so the output ends when the child does.
}

ChildProcess::~ChildProcess() {
  if (Running()) Kill();
}

void ChildProcess::Write(const std::string& text) {
  DWORD written = 0;
  WriteFile(input_.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

bool ChildProcess::ReadSome() {
  char buffer[65536];
  DWORD got = 0;
  if (!ReadFile(output_pipe_.Get(), buffer, sizeof buffer, &got, nullptr) || got == 0) return false;
  output_.append(buffer, got);
  return true;
}

bool ChildProcess::ReadUntil(const std::string& text) {
  while (output_.find(text) == std::string::npos)
    if (!ReadSome()) return false;
  return true;
}

const std::string& ChildProcess::ReadAll() {
  while (ReadSome()) {
  }
  return output_;
}

bool ChildProcess::Running() const {
  return process_.Get() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

void ChildProcess::Kill() {
  TerminateProcess(process_.Get(), 99);
  WaitForSingleObject(process_.Get(), INFINITE);
}

DWORD ChildProcess::Wait() {
  WaitForSingleObject(process_.Get(), INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process_.Get(), &code);
  return code;
}

std::string BinFolder() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string exe(path, length);
  std::string tests = exe.substr(0, exe.find_last_of('\\'));
  return tests.substr(0, tests.find_last_of('\\')) + "\\bin\\";
}

TempFolder::TempFolder() {
  static int serial = 0;
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  path_ = std::string(base) + "tools_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial);
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string TempFolder::Write(const std::string& name, const std::string& content) const {
  std::string path = path_ + "\\" + name;
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  return path;
}

std::string ReadFileText(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  while (file.Get() && ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
  return content;
}
