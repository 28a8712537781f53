// A real access violation for the test programs, ending the process with EXCEPTION_ACCESS_VIOLATION.
#pragma once

#include <windows.h>

// The process ends with the exception's code instead of starting a debugger, which under Wine would
// wait for a user who is not there.
inline LONG WINAPI EndWithExceptionCode(EXCEPTION_POINTERS*) { return EXCEPTION_EXECUTE_HANDLER; }

// A write to a page that is never accessible, so it faults on every platform and loader; what the
// process does with the fault is up to its filter.
[[noreturn]] inline void Fault() {
  auto* page = static_cast<volatile int*>(VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS));
  *page = 1;
  RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  ExitProcess(EXCEPTION_ACCESS_VIOLATION);
}

[[noreturn]] inline void Crash() {
  SetUnhandledExceptionFilter(EndWithExceptionCode);
  Fault();
}
