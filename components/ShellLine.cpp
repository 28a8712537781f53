#include "ShellLine.h"

#include "Forms.h"
#include "JobText.h"
#include "SysUtils.h"

std::string ReadBackWindowText(HWND wnd) {
  int length = GetWindowTextLengthW(wnd);
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  length = GetWindowTextW(wnd, &wide[0], length + 1);
  int bytes = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, wide.c_str(), length, &text[0], bytes, nullptr, nullptr);
  return text;
}

std::string LineTooLongMessage(size_t length) {
  return "Error. The command line is " + std::to_string(length) + " characters long; the command shell takes at most " +
         std::to_string(kShellLineLimit) + ".";
}

std::string FolderChangeMessage(const std::string& folder, const std::string& reason) {
  return "Error. The program folder " + folder + " cannot be made current (" + reason + "); the job is not sent.";
}

bool InShellEnvironment(const std::string& name) {
  static const char* const ownNames[] = {"CD",           "DATE",          "TIME",       "RANDOM",
                                         "ERRORLEVEL",   "CMDEXTVERSION", "CMDCMDLINE", "HIGHESTNUMANODENUMBER"};
  for (const char* own : ownNames)
    if (UpperCase(name) == own) return true;
  return GetEnvironmentVariableA(name.c_str(), nullptr, 0) > 0;
}

bool ReachesShellUnchanged(const std::string& path) {
  if (path.find('?') != std::string::npos) return false;
  if (path.empty() || GetOEMCP() == CP_UTF8) return true;
  const int size = static_cast<int>(path.size());
  std::wstring wide(static_cast<size_t>(size), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, path.data(), size, &wide[0], size);
  BOOL lost = FALSE;
  return WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr, &lost) > 0 &&
         !lost;
}

std::string ShellPathProblem(const std::string& path) {
  if (HoldsShellVariable(path, InShellEnvironment)) return ShellVariableMessage(path);
  if (!ReachesShellUnchanged(path)) return CodePageMessage(path);
  return "";
}

TDosCommand* StartShell(TComponent* owner, bool isNT, TNewLineEvent onNewLine, std::string& folder) {
  TDosCommand* runner = Create<TDosCommand>(owner);
  runner->SetCommandLine(isNT ? "cmd.exe" : "command.exe");
  runner->OnNewLine = onNewLine;
  folder = GetCurrentDir();
  runner->Execute();
  return runner;
}
