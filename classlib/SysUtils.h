// Exceptions and the text and file routines of the class library.
// Strings are byte strings in the system code page; positions count from 1 where a routine takes one.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#ifdef _WIN32
// Included first so that every unit sees DeleteFile under the same (macro) name.
#include <windows.h>
#endif

// The base of every exception the library and the programs raise; thrown by value, caught as const&.
class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  virtual std::string ClassName() const { return "Exception"; }
  const char* what() const noexcept override { return message_.c_str(); }

private:
  std::string message_;
};

class EConvertError : public Exception {
public:
  using Exception::Exception;
  std::string ClassName() const override { return "EConvertError"; }
};

// A failed file-system call; ErrorCode is the platform's error code.
class EInOutError : public Exception {
public:
  EInOutError(std::string message, int errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
  int ErrorCode() const { return errorCode_; }
  std::string ClassName() const override { return "EInOutError"; }

private:
  int errorCode_;
};

class EInvalidCast : public Exception {
public:
  using Exception::Exception;
  std::string ClassName() const override { return "EInvalidCast"; }
};

class EReadError : public Exception {
public:
  using Exception::Exception;
  std::string ClassName() const override { return "EReadError"; }
};

class EFOpenError : public Exception {
public:
  using Exception::Exception;
  std::string ClassName() const override { return "EFOpenError"; }
};

class EInvalidOperation : public Exception {
public:
  using Exception::Exception;
  std::string ClassName() const override { return "EInvalidOperation"; }
};

class EOutOfMemory : public Exception {
public:
  using Exception::Exception;
  std::string ClassName() const override { return "EOutOfMemory"; }
};

// Text. Trim* remove blanks and control characters (every byte <= ' ').
std::string Trim(const std::string& text);
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);
std::string UpperCase(const std::string& text);  // ASCII letters only
std::string LowerCase(const std::string& text);
std::string IntToStr(int64_t value);
// Leading blanks, an optional sign, decimal digits, nothing after; raises EConvertError otherwise.
int StrToInt(const std::string& text);
// Blanks around, an optional sign, digits with an optional decimal separator, an optional exponent;
// raises EConvertError otherwise (also for an empty text or a value beyond the double range).
double StrToFloat(const std::string& text, char decimalSeparator);
double StrToFloat(const std::string& text);  // with DecimalSeparator()
// The first character of the user's decimal separator ('.' outside Windows).
char DecimalSeparator();
// printf-like; arguments as for printf (std::string via c_str()).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// File names. A folder ends with '\' or with the drive's ':'.
std::string ExtractFilePath(const std::string& fileName);  // with its trailing '\'
std::string ExtractFileName(const std::string& fileName);
std::string ExtractFileExt(const std::string& fileName);   // with its dot, or empty
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);
std::string IncludeTrailingBackslash(const std::string& path);

#ifdef _WIN32
// The platform family, as GetVersionEx names it: 1 (VER_PLATFORM_WIN32_WINDOWS) on the 9x family,
// 2 (VER_PLATFORM_WIN32_NT) on the NT family. Set when the library starts.
extern int Win32Platform;

bool FileExists(const std::string& fileName);       // a file, not a folder
bool DirectoryExists(const std::string& directory);
bool DeleteFile(const std::string& fileName);
std::string GetCurrentDir();
// Makes directory current; raises EInOutError with the platform's error code when it cannot.
void ChDir(const std::string& directory);

enum : int {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSysFile = 0x04,
  faVolumeID = 0x08,
  faDirectory = 0x10,
  faArchive = 0x20,
  faAnyFile = 0x3F,
};

// One entry of a file search. Hidden, system and directory entries (and volume labels) are returned
// only when the search's attribute mask includes them. The search handle is closed by FindClose or,
// at the latest, when the record goes away.
struct TSearchRec {
  TSearchRec() = default;
  TSearchRec(const TSearchRec&) = delete;
  TSearchRec& operator=(const TSearchRec&) = delete;
  ~TSearchRec();

  std::string Name;
  int32_t Size = 0;  // the low 32 bits of the size, as the classic record holds it
  int Attr = 0;
  int ExcludeAttr = 0;
  HANDLE FindHandle = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA FindData{};
};

// Return 0 when an entry was found, else the platform's error code (no more files: ERROR_NO_MORE_FILES).
int FindFirst(const std::string& path, int attr, TSearchRec& rec);
int FindNext(TSearchRec& rec);
void FindClose(TSearchRec& rec);
#endif
