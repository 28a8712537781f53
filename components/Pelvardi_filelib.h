// The folder of a file path, as the converters derive their program folder from the executable's path.
// A path counts as a file path only when the part after its last '\' holds a dot; otherwise both give "".
#pragma once

#include <string>

// The folder without its trailing backslash; a drive root ("C:\") keeps it.
std::string GetFileDir(const std::string& path);
// The folder with its trailing backslash.
std::string GetFilePath(const std::string& path);
