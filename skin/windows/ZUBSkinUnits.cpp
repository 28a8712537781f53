#include "ZUBSkinUnits.h"

#include "Startup.h"
#include "ZUBSkinHook.h"

void RegisterSkinUnits() {
  RegisterUnit("ZUBSkinEngine", ulSkinEngine, ZUBSkinEngineInitialization, ZUBSkinEngineFinalization);
}
