#include "Boundary.h"

#include <cstdio>

#include "SysUtils.h"

namespace {
void WriteToStderr(TObject*, std::exception_ptr e) {
  try {
    std::rethrow_exception(e);
  } catch (const std::exception& ex) {
    std::fprintf(stderr, "unhandled exception: %s\n", ex.what());
  } catch (...) {
    std::fprintf(stderr, "unhandled exception\n");
  }
}
TExceptionHandler handler = WriteToStderr;  // replaced by the application object
}  // namespace

void HandleException(TObject* Sender) {
  std::exception_ptr e = std::current_exception();
  if (!e) return;
  try {
    handler(Sender, e);
  } catch (...) {
    // The handler itself failed: nothing more can be done at a boundary.
  }
}

void SetExceptionHandler(TExceptionHandler Handler) { handler = Handler ? Handler : WriteToStderr; }
