#include "Pelvardi_filelib.h"

namespace {
// Position of the last backslash, or npos; hasDot tells whether a dot follows it.
size_t LastBackslash(const std::string& path, bool& hasDot) {
  hasDot = false;
  for (size_t i = path.size(); i > 0; --i) {
    if (path[i - 1] == '\\') return i - 1;
    if (path[i - 1] == '.') hasDot = true;
  }
  return std::string::npos;
}
}  // namespace

std::string GetFileDir(const std::string& path) {
  bool hasDot;
  size_t slash = LastBackslash(path, hasDot);
  if (!hasDot || slash == std::string::npos) return "";
  std::string dir = path.substr(0, slash);
  if (!dir.empty() && dir.back() == ':') dir += '\\';
  return dir;
}

std::string GetFilePath(const std::string& path) {
  bool hasDot;
  size_t slash = LastBackslash(path, hasDot);
  if (!hasDot || slash == std::string::npos) return "";
  return path.substr(0, slash + 1);
}
