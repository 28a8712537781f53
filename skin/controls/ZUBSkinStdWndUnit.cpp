// Compiled into every program that links the engine, so that the unit's start-up is registered
// (a registration object inside the static library would be dropped by the linker).
#include "Startup.h"
#include "ZUBSkinStdWnd.h"

namespace {
const TUnitRegistration ZUBSkinStdWndUnit("ZUBSkinStdWnd", ulSkinWindowClasses, ZUBSkinStdWndInitialization,
                                          ZUBSkinStdWndFinalization);
}  // namespace
