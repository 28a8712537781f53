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

// Whether the shell replaces %Name%: a variable of this program's environment, which every shell it
// starts gets, or one of the shell's own (CD, DATE, RANDOM...), which no environment holds.
bool InShellEnvironment(const std::string& Name);
// Whether Path reaches the shell as it stands: no "?" (which the system puts where this program's
// code page lacks a character, or a wildcard) and no character that the shell's code page lacks.
bool ReachesShellUnchanged(const std::string& Path);
// The log line for a path that cannot be typed into the shell as it stands, or "" when it can.
std::string ShellPathProblem(const std::string& Path);

// A hidden shell behind a new runner ("cmd.exe" on the NT family, else "command.exe") that Owner
// owns, started in the current folder, which Folder receives. The shell ends, with all it started,
// when the runner goes.
TDosCommand* StartShell(TComponent* Owner, bool IsNT, TNewLineEvent OnNewLine, std::string& Folder);
