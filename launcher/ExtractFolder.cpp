#include "ExtractFolder.h"

std::string ExtractFolder(const std::string& Path) {
  bool namesFile = false;
  size_t slash = std::string::npos;
  for (size_t i = Path.size(); i-- > 0;) {
    if (Path[i] == '\\') {
      slash = i;
      break;
    }
    if (Path[i] == '.') namesFile = true;
  }
  if (namesFile) return slash == std::string::npos ? std::string() : Path.substr(0, slash + 1);
  if (!Path.empty() && Path.back() == '\\') return Path;
  return Path + '\\';
}
