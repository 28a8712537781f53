// The Win32 file routines and the user's decimal separator.
#include "SysUtils.h"

namespace {
int PlatformId() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) ? static_cast<int>(info.dwPlatformId) : VER_PLATFORM_WIN32_NT;
}
}  // namespace

int Win32Platform = PlatformId();

char DecimalSeparator() {
  char separator[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) > 1) return separator[0];
  return '.';
}

bool FileExists(const std::string& fileName) {
  DWORD attributes = GetFileAttributesA(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& directory) {
  DWORD attributes = GetFileAttributesA(directory.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteFile(const std::string& fileName) { return DeleteFileA(fileName.c_str()) != FALSE; }

std::string GetCurrentDir() {
  DWORD length = GetCurrentDirectoryA(0, nullptr);
  std::string directory(length, '\0');
  length = GetCurrentDirectoryA(length, &directory[0]);
  directory.resize(length);
  return directory;
}

void ChDir(const std::string& directory) {
  if (!SetCurrentDirectoryA(directory.c_str())) {
    int code = static_cast<int>(GetLastError());
    throw EInOutError(Format("I/O error %d", code), code);
  }
}

namespace {
constexpr int kExcludable = faHidden | faSysFile | faVolumeID | faDirectory;

// Skips the entries whose attributes the search excludes; fills the record from the first one left.
int FindMatchingFile(TSearchRec& rec) {
  while (rec.FindData.dwFileAttributes & rec.ExcludeAttr) {
    if (!FindNextFileA(rec.FindHandle, &rec.FindData)) return static_cast<int>(GetLastError());
  }
  rec.Size = static_cast<int32_t>(rec.FindData.nFileSizeLow);
  rec.Attr = static_cast<int>(rec.FindData.dwFileAttributes);
  rec.Name = rec.FindData.cFileName;
  return 0;
}
}  // namespace

TSearchRec::~TSearchRec() { FindClose(*this); }

int FindFirst(const std::string& path, int attr, TSearchRec& rec) {
  FindClose(rec);
  rec.ExcludeAttr = ~attr & kExcludable;
  rec.FindHandle = FindFirstFileA(path.c_str(), &rec.FindData);
  if (rec.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  int result = FindMatchingFile(rec);
  if (result != 0) FindClose(rec);
  return result;
}

int FindNext(TSearchRec& rec) {
  if (rec.FindHandle == INVALID_HANDLE_VALUE) return ERROR_NO_MORE_FILES;
  if (!FindNextFileA(rec.FindHandle, &rec.FindData)) return static_cast<int>(GetLastError());
  return FindMatchingFile(rec);
}

void FindClose(TSearchRec& rec) {
  if (rec.FindHandle != INVALID_HANDLE_VALUE) ::FindClose(rec.FindHandle);
  rec.FindHandle = INVALID_HANDLE_VALUE;
}
