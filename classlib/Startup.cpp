#include "Startup.h"

#include <algorithm>
#include <string>
#include <vector>

#include "Boundary.h"
#include "Forms.h"

namespace {

struct Unit {
  std::string name;
  int level;
  TUnitProc initialization;
  TUnitProc finalization;
};

// The registered units in registration order, and those started, in start-up order: one table
// for the program, filled by registrations that may run before main.
std::vector<Unit>& Registered() {
  static std::vector<Unit> units;
  return units;
}
std::vector<Unit>& Started() {
  static std::vector<Unit> units;
  return units;
}

bool IsStarted(const std::string& name) {
  const std::vector<Unit>& started = Started();
  return std::any_of(started.begin(), started.end(), [&](const Unit& u) { return u.name == name; });
}

}  // namespace

void RegisterUnit(const char* Name, int Level, TUnitProc Initialization, TUnitProc Finalization) {
  std::vector<Unit>& units = Registered();
  if (std::any_of(units.begin(), units.end(), [&](const Unit& u) { return u.name == Name; })) return;
  units.push_back({Name, Level, Initialization, Finalization});
}

void InitializeUnits() {
  std::vector<Unit> order = Registered();
  std::stable_sort(order.begin(), order.end(), [](const Unit& a, const Unit& b) { return a.level < b.level; });
  for (const Unit& unit : order) {
    if (IsStarted(unit.name)) continue;
    try {
      if (unit.initialization) unit.initialization();
    } catch (...) {
      FinalizeUnits();
      throw;
    }
    Started().push_back(unit);
  }
}

void FinalizeUnits() {
  std::vector<Unit>& started = Started();
  while (!started.empty()) {
    Unit unit = started.back();
    started.pop_back();
    try {
      if (unit.finalization) unit.finalization();
    } catch (...) {
      HandleException(nullptr);
    }
  }
}

void FreeAllForms() {
  if (Application) Application->DestroyComponents();
  while (Screen && Screen->CustomFormCount() > 0) Screen->CustomForms(Screen->CustomFormCount() - 1)->Free();
}

int RunProgram(const std::function<void()>& Body) {
  int result = 0;
  try {
    InitializeUnits();
    Body();
  } catch (...) {
    if (Application) Application->HandleException(Application);
    result = 1;
  }
  try {
    FreeAllForms();
  } catch (...) {
    HandleException(nullptr);
    result = 1;
  }
  FreeApplication();
  FinalizeUnits();
  return result;
}
