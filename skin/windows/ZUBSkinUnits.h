// The skin library's units, registered for a program's start-up and finish (Startup.h).
#pragma once

// Registers every unit of the skin library at its level; call before RunProgram.
void RegisterSkinUnits();
