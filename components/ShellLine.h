// The converters' command line on its way to the shell: carried by a hidden edit field and read
// back from the window whole (the shell takes at most kShellLineLimit characters).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "DosCommand.h"

constexpr size_t kShellLineLimit = 8191;

// The window's text as UTF-16, converted to the system code page; never cut.
std::string ReadBackWindowText(HWND Wnd);
// The log line for a command line the shell cannot take.
std::string LineTooLongMessage(size_t Length);
// The log line for a job start that cannot make Folder current.
std::string FolderChangeMessage(const std::string& Folder, const std::string& Reason);

// Whether Name is a variable of this program's environment, which every shell it starts gets.
bool InShellEnvironment(const std::string& Name);

// A hidden shell behind a new runner ("cmd.exe" on the NT family, else "command.exe"), started in the
// current folder, which Folder receives. The application owns the runner: the shell runs for the
// program's life and ends, with all it started, when the application frees its components.
TDosCommand* StartShell(bool IsNT, TNewLineEvent OnNewLine, std::string& Folder);
