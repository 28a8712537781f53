// The processes that a process started, directly or through its children, for tests that check
// what a run leaves behind.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <set>
#include <vector>

// The ids of the running descendants of Root whose program file is ExeName.
inline std::set<DWORD> LiveDescendants(const char* ExeName, DWORD Root = GetCurrentProcessId()) {
  std::set<DWORD> found;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return found;
  std::vector<PROCESSENTRY32> all;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snap, &entry); ok; ok = Process32Next(snap, &entry)) all.push_back(entry);
  CloseHandle(snap);
  std::set<DWORD> mine{Root};
  for (size_t grown = 1; grown;) {  // generation by generation
    grown = 0;
    for (const PROCESSENTRY32& e : all)
      if (mine.count(e.th32ParentProcessID) && mine.insert(e.th32ProcessID).second) ++grown;
  }
  for (const PROCESSENTRY32& e : all)
    if (e.th32ProcessID != Root && mine.count(e.th32ProcessID) && lstrcmpiA(e.szExeFile, ExeName) == 0)
      found.insert(e.th32ProcessID);
  return found;
}

// Processes watched until they end. Opened while they are still descendants: one whose parent has
// ended is nobody's descendant any more.
class WatchedProcesses {
 public:
  explicit WatchedProcesses(const std::set<DWORD>& Ids) {
    for (DWORD id : Ids)
      if (HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, id)) handles_.push_back(h);
  }
  WatchedProcesses(const WatchedProcesses&) = delete;
  WatchedProcesses& operator=(const WatchedProcesses&) = delete;
  ~WatchedProcesses() {
    for (HANDLE h : handles_) CloseHandle(h);
  }
  size_t Count() const { return handles_.size(); }
  bool AllEnded() const {
    for (HANDLE h : handles_)
      if (WaitForSingleObject(h, 0) != WAIT_OBJECT_0) return false;
    return true;
  }

 private:
  std::vector<HANDLE> handles_;
};
