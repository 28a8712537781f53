// A real access violation for the test programs, ending the process with EXCEPTION_ACCESS_VIOLATION.
#pragma once

#include <windows.h>

// The process ends with the exception's code instead of starting a debugger, which under Wine would
// wait for a user who is not there.
inline LONG WINAPI EndWithExceptionCode(EXCEPTION_POINTERS*) { return EXCEPTION_EXECUTE_HANDLER; }

[[noreturn]] inline void Crash() {
  SetUnhandledExceptionFilter(EndWithExceptionCode);
  // A page that is never accessible, so the write faults on every platform and loader.
  auto* page = static_cast<volatile int*>(VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS));
  *page = 1;
  RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  ExitProcess(EXCEPTION_ACCESS_VIOLATION);
}
