// The private window messages of the skin engine. Each is sent with SendMessageA and answered
// through the message result; a window without a skinner answers 0, the platform's default.
// Plain constants at global scope, like the platform's own messages, with no windows.h needed.
#pragma once

constexpr unsigned kSkinWmApp = 0x8000;  // WM_APP

// Is the window skinned already? 1 from a skinned window or control.
constexpr unsigned ZM_ISSKINNED = 0x2AAA;
// Caption state of a skinned window: 1 active, 2 inactive; 0 lets the asker use its own rules.
constexpr unsigned ZM_GETACTIVESTATE = 0x2AAB;
// Makes a control skinner paint its skinned look again; no answer.
constexpr unsigned ZM_REPAINTSKIN = 0x2AAC;
// To the main form's skinner: lParam is the menu its menu bar shows from now on (0: its own).
constexpr unsigned ZM_MDICHILDMENU = kSkinWmApp + 1000;
// The window's menu bar height.
constexpr unsigned ZM_GETMENUBARHEIGHT = kSkinWmApp + 1001;

constexpr unsigned kSkinActiveStateActive = 1;
constexpr unsigned kSkinActiveStateInactive = 2;

static_assert(ZM_MDICHILDMENU == 0x83E8 && ZM_GETMENUBARHEIGHT == 0x83E9, "message values are fixed");
