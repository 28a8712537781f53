// The main of every Windows test program: gtest's, with a crash made a failure at once. An unhandled
// exception prints its code and address and ends the program with the code as its status; left to the
// platform, Wine would start its debugger, which waits on a display and may end the program with 0.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

namespace {

// Appends Value in hexadecimal: no formatting that could take a lock the crashed thread holds.
char* PutHex(char* out, uintptr_t Value, int Digits) {
  for (int i = Digits - 1; i >= 0; --i) *out++ = "0123456789ABCDEF"[(Value >> (4 * i)) & 0xF];
  return out;
}

char* Put(char* out, const char* text) {
  while (*text) *out++ = *text++;
  return out;
}

LONG WINAPI ReportAndExit(EXCEPTION_POINTERS* Info) {
  const DWORD code = Info->ExceptionRecord->ExceptionCode;
  const auto address = reinterpret_cast<uintptr_t>(Info->ExceptionRecord->ExceptionAddress);
  char module[MAX_PATH] = "?";
  HMODULE base = nullptr;
  if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(address), &base))
    GetModuleFileNameA(base, module, MAX_PATH);
  const char* name = module;
  for (const char* c = module; *c; ++c)
    if (*c == '\\' || *c == '/') name = c + 1;
  char line[MAX_PATH + 96];
  char* out = Put(line, "unhandled exception ");
  out = PutHex(out, code, 8);
  out = Put(out, " at 0x");
  out = PutHex(out, address, 2 * sizeof address);
  out = Put(Put(Put(out, " ("), name), "+0x");
  out = PutHex(out, address - reinterpret_cast<uintptr_t>(base), 8);
  out = Put(out, ")\r\n");
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(out - line), &written, nullptr);
  // Wine hands only the status's low byte on: a code ending in 00 would read as success.
  TerminateProcess(GetCurrentProcess(), (code & 0xFF) ? code : code | 0xFF);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  SetUnhandledExceptionFilter(ReportAndExit);
  // Unbuffered, so that a crash's report follows the test it happened in.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
