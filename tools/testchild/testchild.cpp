// testchild: a console child for the command runner's tests. Its arguments are a script, run in order;
// every write is a WriteFile of its own on the standard handle, so the script decides how the output
// splits across the reader's reads.
//   out:TEXT      write TEXT to standard output; escapes \r \n \t \0 \\ \xHH
//   err:TEXT      the same on standard error
//   pause:MS      sleep MS milliseconds
//   nul cr lf crlf  write one NUL, CR, LF, or CR LF
//   echo[:STOP]   copy standard input to standard output line by line, each line with its own line end,
//                 until the input ends or a line equals STOP (that line is not copied)
//   cwd           write the current folder and CR LF
//   burst:N       write N bytes in one write: the lines "0000000\r\n", "0000001\r\n", ... (9 bytes each,
//                 the last one cut at N)
//   lines:N       write the lines "line 1\r\n" to "line N\r\n", one write each, as fast as possible
//   waitinput     wait until something waits on standard input, and read none of it
//   signal:NAME   set the event NAME, which the test has made
//   exit:N        exit with code N at once (the end of the script exits with 0)
//   hang          wait until killed
//   crash         end with an access violation
// Example: testchild out:"abc" pause:200 out:"def\r\n" echo:quit exit:3
#include <windows.h>

#include "Crash.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
void Write(DWORD which, const std::string& text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(which), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void Out(const std::string& text) { Write(STD_OUTPUT_HANDLE, text); }

std::string Unescape(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      result += text[i];
      continue;
    }
    char c = text[++i];
    if (c == 'r') result += '\r';
    else if (c == 'n') result += '\n';
    else if (c == 't') result += '\t';
    else if (c == '0') result += '\0';
    else if (c == 'x' && i + 2 < text.size()) {
      result += static_cast<char>(std::strtoul(text.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else result += c;
  }
  return result;
}

unsigned long Number(const std::string& text) { return std::strtoul(text.c_str(), nullptr, 0); }

// Copies input lines until the input ends or a line equals stop (with stopAtLine).
void Echo(bool stopAtLine, const std::string& stop) {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  std::string line;
  char c;
  DWORD got = 0;
  while (ReadFile(input, &c, 1, &got, nullptr) && got == 1) {
    line += c;
    if (c != '\n') continue;
    std::string bare = line.substr(0, line.find_first_of("\r\n"));
    if (stopAtLine && bare == stop) return;
    Out(line);
    line.clear();
  }
  if (!line.empty() && !(stopAtLine && line == stop)) Out(line);
}

void Burst(unsigned long size) {
  std::string data;
  data.reserve(size + 16);
  char number[16];
  for (unsigned long n = 0; data.size() < size; ++n) {
    std::snprintf(number, sizeof number, "%07lu\r\n", n);
    data += number;
  }
  data.resize(size);
  Out(data);
}
}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string command = argv[i];
    size_t colon = command.find(':');
    std::string verb = command.substr(0, colon);
    std::string arg = colon == std::string::npos ? std::string() : command.substr(colon + 1);
    if (verb == "out") Out(Unescape(arg));
    else if (verb == "err") Write(STD_ERROR_HANDLE, Unescape(arg));
    else if (verb == "pause") Sleep(Number(arg));
    else if (verb == "nul") Out(std::string(1, '\0'));
    else if (verb == "cr") Out("\r");
    else if (verb == "lf") Out("\n");
    else if (verb == "crlf") Out("\r\n");
    else if (verb == "echo") Echo(colon != std::string::npos, arg);
    else if (verb == "cwd") {
      char dir[MAX_PATH];
      GetCurrentDirectoryA(MAX_PATH, dir);
      Out(std::string(dir) + "\r\n");
    } else if (verb == "burst") Burst(Number(arg));
    else if (verb == "lines") {
      unsigned long count = Number(arg);
      for (unsigned long n = 1; n <= count; ++n) Out("line " + std::to_string(n) + "\r\n");
    } else if (verb == "waitinput") {
      DWORD available = 0;
      while (PeekNamedPipe(GetStdHandle(STD_INPUT_HANDLE), nullptr, 0, nullptr, &available, nullptr) && available == 0)
        Sleep(10);
    } else if (verb == "signal") {
      if (HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, arg.c_str())) {
        SetEvent(event);
        CloseHandle(event);
      }
    } else if (verb == "exit") ExitProcess(static_cast<UINT>(Number(arg)));
    else if (verb == "hang")
      for (;;) Sleep(INFINITE);
    else if (verb == "crash") {
      Crash();
    } else {
      Write(STD_ERROR_HANDLE, "testchild: unknown command " + command + "\r\n");
      return 2;
    }
  }
  return 0;
}
