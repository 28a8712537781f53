// What works for every engine of a program: the thread's CBT hook that skins message forms and
// system dialogs as they are activated and refuses size grips (closes a dialog's once made), the
// class names whose border is not painted, the image lists of owner-drawn menus, and the unit's
// start-up and finish.
#pragma once

#include <windows.h>

#include <string>

class TzubSkinEngine;
class TStringList;
class TCustomImageList;

// The installed hook (null when none) and the engine it acts for: the first engine created at
// run time; the hook goes with it.
extern HHOOK SkinHookHandle;
extern TzubSkinEngine* SkinHookEngine;

extern TStringList* NoBorderClassNames;
extern TCustomImageList* MenuCheckImages;  // the check mark of checked items, white masked out
extern TCustomImageList* EmptyMenuImages;  // given to main menus without an image list

LRESULT CALLBACK SkinCBTHookProc(int Code, WPARAM wParam, LPARAM lParam);
// Called by the engine's construction and destruction.
void InstallSkinHook(TzubSkinEngine* Engine);
void RemoveSkinHook(TzubSkinEngine* Engine);

void AddNoBorderClassName(const std::string& ClassName);

// Start-up after the skinner units have filled the tables; the finish runs before theirs and
// empties both tables. A missing ZUBSKIN_MENU_CHECKED resource raises.
void ZUBSkinEngineInitialization();
void ZUBSkinEngineFinalization();
