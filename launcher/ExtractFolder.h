// The launcher's folder rule, free of Win32 so that it is built and tested natively too.
#pragma once

#include <string>

// The folder part of Path with a trailing backslash. A dot after the last backslash means the
// path names a file: the result ends at that backslash (empty without one). Otherwise the path
// names a folder and is returned whole, with a backslash appended unless it ends with one.
std::string ExtractFolder(const std::string& Path);
