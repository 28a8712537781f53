// Test folders for the launcher: a temporary folder with stand-ins for the programs it starts,
// and the record each stand-in leaves.
#pragma once

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "TestLoop.h"

inline std::string ExeFolder() {
  char path[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

inline std::string BinFolder() { return ExeFolder() + "..\\bin\\"; }

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A fresh folder under the temporary folder, removed with what it holds.
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof base, base);
    for (unsigned n = GetTickCount();; ++n) {
      path_ = std::string(base) + "hallvex" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(n) + "\\";
      if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
  }
  ~TempFolder() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        // A started program may still be on its way out and hold its file for a moment.
        const std::string file = path_ + found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
          WaitUntil([&] { return DeleteFileA(file.c_str()) || !Exists(file); });
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
  }
  const std::string& Path() const { return path_; }
  // Puts the argument recorder into the folder under the name of a program.
  void AddRecorder(const std::string& name) const {
    ASSERT_TRUE(CopyFileA((BinFolder() + "argrecorder.exe").c_str(), (path_ + name).c_str(), FALSE)) << name;
  }

 private:
  std::string path_;
};

// The two lines the recorder writes: its command line and its current folder.
struct Record {
  std::string commandLine, folder;
};

inline Record WaitForRecord(const std::string& path) {
  Record r;
  if (!WaitUntil([&] { return Exists(path); }, 30000)) return r;
  std::istringstream lines(ReadText(path));
  std::getline(lines, r.commandLine);
  std::getline(lines, r.folder);
  if (!r.commandLine.empty() && r.commandLine.back() == '\r') r.commandLine.pop_back();
  if (!r.folder.empty() && r.folder.back() == '\r') r.folder.pop_back();
  return r;
}

inline std::string CurrentFolder() {
  char cwd[MAX_PATH * 2] = {};
  GetCurrentDirectoryA(sizeof cwd, cwd);
  return cwd;
}
