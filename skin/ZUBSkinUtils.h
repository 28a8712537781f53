// The drawing utilities on the class library's bitmaps: thin wrappers that move pixels between
// TBitmap and SkinImage and leave the cutting and turning to the pure routines.
#pragma once

#include <string>

#include "Graphics.h"
#include "ZUBSkinImage.h"

namespace zubskin {

// The bitmap's pixels as 0x00BBGGRR; an empty bitmap gives an empty image.
SkinImage BitmapToSkinImage(TBitmap* bitmap);
// Resizes the bitmap to the image and copies its pixels.
void SkinImageToBitmap(const SkinImage& image, TBitmap* bitmap);

// Piece Index (from 1) of Count equal-width pieces of Source into Dest; Dest is emptied when
// the piece holds nothing.
void CutStripPiece(TBitmap* source, TBitmap* dest, int count, int index);
void RotateBitmapLeft(TBitmap* bitmap);
void RotateBitmap180(TBitmap* bitmap);
void RotateBitmapRight(TBitmap* bitmap);

}  // namespace zubskin

class TControl;
class TCustomForm;

namespace zubskin {

// True when the control's class publishes a property of that name whose type has that name.
bool HasPublishedProperty(const TControl* control, const std::string& propName, const std::string& typeName);

// Whether the form's own title bar shows as active. A window that answers ZM_GETACTIVESTATE
// with 1 is active, with any other positive value inactive; 0 leaves it to the application.
bool IsFormActive(TCustomForm* form);

// The platform functions, looked up in User32.dll at first use; 0 when one is not there.
// Each has its own not-found flag, so one missing function does not hide the other.
BOOL GetScrollBarInfo(HWND window, LONG objectId, PSCROLLBARINFO info);
BOOL GetComboBoxInfo(HWND window, PCOMBOBOXINFO info);

}  // namespace zubskin

namespace zubskin {

// The stretching routines onto a canvas, carrying out the plans with StretchBlt and
// TransparentBlt. Empty images and empty or inverted rectangles draw nothing.
void DrawThreePartHorz(TCanvas* canvas, TBitmap* image, const RECT& rect, bool useCornerColour);
void DrawThreePartVert(TCanvas* canvas, TBitmap* image, const RECT& rect);
void DrawNineSlice(TCanvas* canvas, TBitmap* image, const RECT& rect, bool transparent);

}  // namespace zubskin

namespace zubskin {

// The text cut to maxWidth with "..." by the canvas's own text width.
std::string EllipsizeText(TCanvas* canvas, const std::string& text, int maxWidth);
// All four edges count as inside, as with the skin rectangles.
bool PointInRect(const POINT& point, const RECT& rect);
// Left, Top, Width and Height set one after another.
void SetControlRect(TControl* control, const RECT& rect);
// The desktop work area with an inclusive bottom, to match PointInRect.
void GetWorkArea(RECT& rect);
// The first form of the screen's list whose window is that handle, or null.
TCustomForm* FindFormByHandle(HWND handle);
// Windows 95 itself (4.0 of the 9x family), where skinned windows get no rounded region.
bool DetectWindows95();
bool IsWindows95();

}  // namespace zubskin
