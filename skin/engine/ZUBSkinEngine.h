// The skin engine unit: the engine component, its hook and registration tables, owner-drawn
// menus and the system menu.
#pragma once

#include "TzubSkinCollection.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinHook.h"
#include "ZUBSkinRegistry.h"
#include "ZUBSkinStoredSkin.h"
