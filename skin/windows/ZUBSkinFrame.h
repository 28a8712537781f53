// The geometry of a skinned window's frame: the client rectangle inside the skin's title bar and
// borders, the caption buttons and their hit boxes, and the size a foreign window grows by.
// Plain C++; the window skinners feed it the engine's metrics and carry the results out.
#pragma once

#include <cstdint>
#include <vector>

#include "ZUBSkinGeometry.h"

namespace zubskin {

// The non-client border is never narrower than this, even when the skin's border is.
constexpr int kMinFrameBorder = 4;

struct FrameMetrics {
  int titleBarHeight = 0;      // 0 while the title bar is hidden
  int borderWidth = 0;         // the skin's; -1 when the skin has none
  int bottomBorderHeight = 0;  // 0: the bottom border is borderWidth high
  int captionHeight = 0;       // the window's own caption; 0 until measured
  bool borderVisible = true;
};

// The client rectangle for a window at `window`, given what the default handling computed
// (`previous`). Never inverted: a window lower than its frame gets an empty client area at the
// bottom of the frame.
SkinRect SkinClientRect(const SkinRect& window, const SkinRect& previous, const FrameMetrics& m,
                        bool maximizedMdiChild);

// Caption elements, as HotButton holds them.
enum CaptionElement { ceNone = -1, ceSystemIcon = 0, ceClose = 1, ceMaximize = 2, ceMinimize = 3, ceHelp = 4 };

struct CaptionInput {
  int titleWidth = 0;
  int sliceWidth = 0, sliceHeight = 0;  // one of the 18 slices of the button strip
  int buttonTop = -1;                   // the skin's integers, -1 when missing
  int leftOffset = -1;
  int rightOffset = -1;
  bool minimized = false, maximized = false;
  bool systemIcon = false, close = true, maximize = false, minimize = false, help = false;
};

struct CaptionButton {
  CaptionElement element;
  SkinRect box;     // hit box; its edges count as inside
  int firstSlice;   // normal look; +1 hot, +2 pressed
};

struct CaptionLayout {
  bool hasIcon = false;
  SkinRect iconBox;                    // 16 x 16
  std::vector<CaptionButton> buttons;  // right to left
  int captionLeft = 0;                 // the text starts here
  int captionRight = 0;                // its room ends here, a button and gap short of the buttons
  int buttonTop = 0;
};

CaptionLayout LayoutCaption(const CaptionInput& in);
// The element whose box holds the point (title-bitmap coordinates), else ceNone.
CaptionElement CaptionElementAt(const CaptionLayout& layout, SkinPoint p);
// The slice a button shows: its hot look under the point, pressed while the button is held.
int CaptionButtonSlice(const CaptionButton& button, CaptionElement hot, bool pressed);

// Whether "TitleBarLeftImage" of a dialog or minimised window is cut to 50 columns (its last 25
// scaled onto 26..50) because the right image leaves it no room.
bool CutTitleLeft(int imageWidth, int rightImageLeft, bool minimizedOrDialog);

// Where the title bitmap lies in the window: at the left edge when the skin has a right-border
// image, else inside the left border.
int TitleOffsetX(bool hasRightBorderImage, int borderWidth);

// How much a foreign window grows for the skin's frame: the skin's borders on both sides, and the
// title, menu bar and bottom border in place of its own caption.
SkinPoint FrameGrowth(int borderWidth, int titleBarHeight, int menuBarHeight, int captionHeight,
                      int bottomBorderHeight);

// The growth a window carries now. Apply gives the size change that brings it to the wanted
// state and records it: nothing when that state is in force, the exact inverse of the growth on
// the way back, so a window never shrinks without having grown.
class AppliedFrame {
 public:
  SkinPoint Apply(bool skinned, SkinPoint growth);
  SkinPoint Current() const { return current_; }

 private:
  SkinPoint current_;
};

// The window style for the skinned look (the platform's caption buttons and system menu gone)
// or for the plain look (the style saved before skinning), the current state kept: visible,
// disabled, minimised, maximised.
uint32_t SkinWindowStyle(uint32_t savedStyle, uint32_t currentStyle, bool skinned);

}  // namespace zubskin
