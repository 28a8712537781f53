// The drawing utilities on the class library's bitmaps, canvases, fonts, menus and controls. The
// bitmap routines are thin wrappers that move pixels between TBitmap and SkinImage and leave the
// cutting, turning and stretching plans to the pure routines.
#pragma once

#include <string>

#include "Graphics.h"
#include "Menus.h"
#include "ZUBSkinImage.h"
#include "ZUBSkinText.h"  // ReplaceAllText, StripAmpersand

class TControl;
class TCustomForm;
class TWinControl;

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

// True when the control's class publishes a property of that name (in any case).
bool HasPublishedProperty(const TControl* control, const std::string& propName);

// The item's draw and measure handlers set, then those of every item below it in index order;
// empty handlers clear them.
void HookMenuItemDraw(TMenuItem* item, TMenuDrawItemEvent drawHandler, TMenuMeasureItemEvent measureHandler);

// Whether the form's own title bar shows as active. A window that answers ZM_GETACTIVESTATE
// with 1 is active, with any other positive value inactive; 0 leaves it to the application.
bool IsFormActive(TCustomForm* form);

// The platform functions, looked up in User32.dll at first use; 0 when one is not there. One
// missing function makes both give 0 from then on, without looking anything up again.
BOOL GetScrollBarInfo(HWND window, LONG objectId, PSCROLLBARINFO info);
BOOL GetComboBoxInfo(HWND window, PCOMBOBOXINFO info);
// For tests: the look-up (GetProcAddress by default) replaced, and what was looked up forgotten.
using User32LookUp = FARPROC(WINAPI*)(HMODULE, LPCSTR);
void SetUser32LookUp(User32LookUp lookUp);

// The stretching routines onto a canvas, carrying out the plans with StretchBlt and
// TransparentBlt. Empty images and empty or inverted rectangles draw nothing.
void DrawThreePartHorz(TBitmap* image, TCanvas* canvas, const RECT& rect, bool useCornerColour);
// Transparent only becomes the bitmap's own flag (unless rect.left is negative): the copies are opaque.
void DrawThreePartVert(TBitmap* image, TCanvas* canvas, const RECT& rect, bool transparent);
void DrawNineSlice(TBitmap* image, TCanvas* canvas, const RECT& rect, bool transparent);

// The brush colour set, then a one-pixel frame around rect or rect filled.
void FrameRectColor(TCanvas* canvas, const RECT& rect, TColor color);
void FillRectColor(TCanvas* canvas, const RECT& rect, TColor color);
// A line in color at rect.top + 2, kept indent + 4 pixels off the leading side and 2 off the other.
void DrawMenuSeparator(TCanvas* canvas, const RECT& rect, TColor color, int indent, bool leftToRight);
// Small filled triangles: black, or grey over a white copy one pixel down and right when disabled.
// (x, y) is the apex of the up and left arrows, the top-left corner of the down and right ones.
// The canvas's pen and brush colours are left as they were.
void DrawArrowDown(TCanvas* canvas, int x, int y, bool enabled);
void DrawArrowUp(TCanvas* canvas, int x, int y, bool enabled);
void DrawArrowLeft(TCanvas* canvas, int x, int y, bool enabled);
void DrawArrowRight(TCanvas* canvas, int x, int y, bool enabled);
// One-pixel frames along the outer edge of the window's whole rectangle, in its window DC; with
// withInner a second one just inside it.
void DrawWindowBorder(HWND window, TColor outerColor, TColor innerColor, bool withInner);
void DrawControlBorder(TWinControl* control, TColor outerColor, TColor innerColor, bool withInner);
// The system's menu font in clMenuText; the font stays as it was when the system gives none.
void SetMenuFont(TFont* font);

// The text cut to maxWidth with "..." by the canvas's own text width.
std::string EllipsizeText(TCanvas* canvas, const std::string& text, int maxWidth);
// All four edges count as inside, as with the skin rectangles.
bool PointInRect(int x, int y, const RECT& rect);
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
