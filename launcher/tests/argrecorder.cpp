// A stand-in for the converters: writes its command line and current folder into <its own path
// without .exe>.args, so that a test sees what the launcher started and how.
#include <windows.h>

#include <string>

int main() {
  char exe[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  char cwd[MAX_PATH * 2] = {};
  GetCurrentDirectoryA(sizeof cwd, cwd);
  std::string record = std::string(GetCommandLineA()) + "\r\n" + cwd + "\r\n";

  std::string base(exe);
  if (size_t dot = base.rfind('.'); dot != std::string::npos) base.resize(dot);
  // Written aside and renamed, so that a waiting test never reads half a record.
  const std::string part = base + ".part", done = base + ".args";
  HANDLE file = CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  if (!ok || written != record.size()) return 1;
  return MoveFileExA(part.c_str(), done.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
