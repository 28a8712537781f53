// Text and file-name routines; the Win32 file routines are in SysUtilsWin.cpp.
#include "SysUtils.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <limits>

namespace {
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsPathDelimiter(char c) { return c == '\\' || c == ':'; }

// Position just after the last '\' or ':' (0 when there is none).
size_t NameStart(const std::string& fileName) {
  size_t i = fileName.size();
  while (i > 0 && !IsPathDelimiter(fileName[i - 1])) --i;
  return i;
}

// Position of the extension's dot, or npos when the name part holds none.
size_t ExtensionDot(const std::string& fileName) {
  size_t start = NameStart(fileName);
  size_t dot = fileName.rfind('.');
  return dot != std::string::npos && dot >= start ? dot : std::string::npos;
}
}  // namespace

std::string TrimLeft(const std::string& text) {
  size_t first = 0;
  while (first < text.size() && IsBlankOrControl(text[first])) ++first;
  return text.substr(first);
}

std::string TrimRight(const std::string& text) {
  size_t end = text.size();
  while (end > 0 && IsBlankOrControl(text[end - 1])) --end;
  return text.substr(0, end);
}

std::string Trim(const std::string& text) { return TrimLeft(TrimRight(text)); }

std::string UpperCase(const std::string& text) {
  std::string result = text;
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

std::string LowerCase(const std::string& text) {
  std::string result = text;
  for (char& c : result)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return result;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

int StrToInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  size_t digits = i;
  int64_t value = 0;
  // Accumulated as a negative number so that the most negative integer fits too.
  constexpr int64_t limit = -int64_t{std::numeric_limits<int>::min()};
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > limit) break;
  }
  if (i == digits || i != text.size() || value > limit || (!negative && value == limit))
    throw EConvertError("'" + text + "' is not a valid integer value");
  return static_cast<int>(negative ? -value : value);
}

double StrToFloat(const std::string& text, char decimalSeparator) {
  auto fail = [&]() { return EConvertError("'" + text + "' is not a valid floating point value"); };
  // Rebuilt with '.' for the conversion, which knows no other separator and no leading '+'.
  std::string number;
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  size_t mantissaDigits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++mantissaDigits) number += text[i];
  if (i < text.size() && text[i] == decimalSeparator) {
    number += '.';
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++mantissaDigits) number += text[i];
  }
  if (mantissaDigits == 0) throw fail();
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    number += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
    size_t exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits) number += text[i];
    if (exponentDigits == 0) throw fail();
  }
  while (i < text.size() && text[i] == ' ') ++i;
  if (i != text.size()) throw fail();
  double value = 0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size()) throw fail();
  return value;
}

double StrToFloat(const std::string& text) { return StrToFloat(text, DecimalSeparator()); }

#ifndef _WIN32
char DecimalSeparator() { return '.'; }
#endif

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string result;
  if (length > 0) {
    result.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(&result[0], result.size(), format, again);
    result.resize(static_cast<size_t>(length));
  }
  va_end(again);
  return result;
}

std::string ExtractFilePath(const std::string& fileName) { return fileName.substr(0, NameStart(fileName)); }

std::string ExtractFileName(const std::string& fileName) { return fileName.substr(NameStart(fileName)); }

std::string ExtractFileExt(const std::string& fileName) {
  size_t dot = ExtensionDot(fileName);
  return dot == std::string::npos ? std::string() : fileName.substr(dot);
}

std::string ChangeFileExt(const std::string& fileName, const std::string& extension) {
  return fileName.substr(0, ExtensionDot(fileName)) + extension;
}

std::string IncludeTrailingBackslash(const std::string& path) {
  return !path.empty() && path.back() == '\\' ? path : path + '\\';
}
