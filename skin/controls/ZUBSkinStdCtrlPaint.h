// What the control skinners share when they paint: rectangle conversions, colours by name, the
// off-screen bitmap's copy to the control, and the WM_PAINT they answer themselves.
#pragma once

#include <windows.h>

#include "Controls.h"
#include "Graphics.h"
#include "ZUBSkinGeometry.h"

class TzubSkinControl;
class TzubSkinEngine;

namespace zubskin {

inline RECT ToRect(const SkinRect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline SkinRect ToSkinRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The skin's colour of that name; -1 when missing, used as it is.
TColor SkinColor(const TzubSkinEngine* engine, const char* name);
// An off-screen bitmap of width x height with clientRect filled in the colour.
void PrepareBitmap(TBitmap* bitmap, int width, int height, const RECT& clientRect, TColor colour);
// The bitmap whole to (0, 0) of the window's client area (GetDC, released at once).
void CopyToClient(HWND window, TBitmap* bitmap);
// WM_ERASEBKGND answered 1, WM_PAINT with BeginPaint, PaintSkin, EndPaint and 0; true when the
// message was one of them (it is then kept from the control).
bool AnswerPaintMessages(TzubSkinControl* skinner, TMessage& message);

}  // namespace zubskin
