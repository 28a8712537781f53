// The unit's start-up. Compiled into every program that links the engine (a registration object
// in the static library would be dropped by the linker).
#include "Startup.h"
#include "ZUBSkinStdCtrl.h"

namespace {
const TUnitRegistration ZUBSkinStdCtrlUnit("ZUBSkinStdCtrl", ulSkinControlClasses, RegisterStdCtrlSkinners, nullptr);
}
