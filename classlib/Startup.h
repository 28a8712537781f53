// A program's start-up and exit in an order the code states: the units' start-up, the
// application, its forms and loop, every form freed, the units' finish.
//
// A unit with work to do at start-up or exit registers its two functions (either may be null)
// once, at namespace scope of its .cpp,
//
//   const TUnitRegistration ZUBSkinStdWndUnit("ZUBSkinStdWnd", ulSkinWindowClasses,
//                                             ZUBSkinStdWndInitialization, ZUBSkinStdWndFinalization);
//
// or from code with RegisterUnit before RunProgram. (A registration object in a static library
// counts only if the linker keeps its object file: keep such units in an object library or
// register them from code.) A program's WinMain is then
//
//   return RunProgram([] {
//     Application->Initialize();
//     Application->CreateForm(Form1);
//     Application->Run();
//   });
//
// RunProgram runs, in this order:
//   1. InitializeUnits: every registered unit's start-up, by level (the table below), units of
//      one level in the order they registered;
//   2. the body: the application, the main form, the message loop;
//   3. FreeAllForms: every form and every other component the application owns, the last
//      created first, then any form that has no owner, so that what they hold (skin engines,
//      skinners, hooks) goes while every unit still stands; then the application object (its
//      window and icon) and the screen (FreeApplication);
//   4. FinalizeUnits: the finish of every unit that started, in the reverse order.
// An exception from 1 or 2 goes to Application->HandleException (the error box); steps 3 and 4
// run all the same and the result is 1, else 0. Nothing is left for static destruction.
#pragma once

#include <functional>

// Unit levels, in their start-up order.
enum TUnitLevel : int {
  ulSkinUtils = 100,           // ZUBSkinUtils: the drawing utilities and run-time User32 lookups
  ulSkinReader = 200,          // the skin file reader
  ulSkinWindowClasses = 300,   // ZUBSkinStdWnd: the window-class table's rows
  ulSkinControlClasses = 400,  // ZUBSkinStdCtrl: the control-class table's rows
  ulSkinEngine = 500,          // ZUBSkinEngine: the menu check-mark bitmap
  ulProgram = 1000,            // the program's own units
};

using TUnitProc = void (*)();

// A second registration of a name is ignored.
void RegisterUnit(const char* Name, int Level, TUnitProc Initialization, TUnitProc Finalization);

struct TUnitRegistration {
  TUnitRegistration(const char* Name, int Level, TUnitProc Initialization, TUnitProc Finalization) {
    RegisterUnit(Name, Level, Initialization, Finalization);
  }
};

// Starts the registered units that have not started. A start-up that throws finishes the units
// started so far, in reverse, and the exception passes on.
void InitializeUnits();
// Finishes the started units in reverse order; a finish that throws is reported through
// HandleException and the others still run.
void FinalizeUnits();
// Step 3 above.
void FreeAllForms();
int RunProgram(const std::function<void()>& Body);
