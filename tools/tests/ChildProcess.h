// A console program started behind pipes, for the tools' tests.
#pragma once

#include <windows.h>

#include <string>

// A handle that is closed when it goes away.
class Handle {
public:
  Handle() = default;
  explicit Handle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  Handle(Handle&& other) noexcept : h_(other.Release()) {}
  Handle& operator=(Handle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  ~Handle() { Reset(); }
  HANDLE Get() const { return h_; }
  HANDLE Release() {
    HANDLE h = h_;
    h_ = nullptr;
    return h;
  }
  void Reset(HANDLE h = nullptr) {
    if (h_) CloseHandle(h_);
    h_ = h;
  }

private:
  HANDLE h_ = nullptr;
};

// Which of the child's output handles the test reads; the other one goes to NUL.
enum class Capture { Both, StdOut, StdErr };

class ChildProcess {
public:
  // Starts commandLine with its standard input and the captured output on pipes.
  ChildProcess(const std::string& commandLine, Capture capture = Capture::Both, const std::string& folder = "");
  ~ChildProcess();  // kills the child when it still runs

  bool Started() const { return process_.Get() != nullptr; }
  void Write(const std::string& text);
  void CloseInput() { input_.Reset(); }
  // Reads until the output holds text (true) or ends (false); everything read so far is in Output().
  bool ReadUntil(const std::string& text);
  // Reads until the output ends: the child and every process that inherited the pipe are gone.
  const std::string& ReadAll();
  const std::string& Output() const { return output_; }
  bool Running() const;
  void Kill();
  DWORD Wait();  // the exit code

private:
  bool ReadSome();
  Handle process_, input_, output_pipe_;
  std::string output_;
};

// The folder of the programs, test encoder and test children: bin beside the tests folder.
std::string BinFolder();

// A fresh folder under the temporary folder, removed with what it holds.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  const std::string& Path() const { return path_; }
  std::string Write(const std::string& name, const std::string& content) const;  // the file's path

private:
  std::string path_;
};

std::string ReadFileText(const std::string& path);
