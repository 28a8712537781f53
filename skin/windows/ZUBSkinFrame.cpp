#include "ZUBSkinFrame.h"

#include <algorithm>

namespace zubskin {

namespace {
constexpr uint32_t kStyleVisible = 0x10000000;  // WS_VISIBLE
// The window's state now: visible, disabled, minimised, maximised.
constexpr uint32_t kStyleState = kStyleVisible | 0x08000000 | 0x20000000 | 0x01000000;
constexpr uint32_t kStyleSysMenu = 0x00080000;  // WS_SYSMENU
}  // namespace

SkinRect SkinClientRect(const SkinRect& window, const SkinRect& previous, const FrameMetrics& m,
                        bool maximizedMdiChild) {
  SkinRect r = previous;
  const int t = m.titleBarHeight;
  const int b = std::max(m.borderWidth, kMinFrameBorder);
  const bool measured = m.captionHeight > 0;
  if (maximizedMdiChild)
    r.top = 0;
  else if (t == 0)
    r.top = window.top;
  else if (measured)
    r.top = window.top + std::max(t, m.captionHeight);
  if (m.borderVisible) {
    r.left = window.left + b;
    r.right = window.right - b;
    if (measured) r.bottom = window.bottom - (m.bottomBorderHeight != 0 ? m.bottomBorderHeight : b);
  } else {
    r.left = window.left;
    r.right = window.right;
    if (measured) r.bottom = window.bottom;
  }
  // A window lower or narrower than its frame (a minimised one) gets an empty client area.
  r.top = std::min(r.top, window.bottom);
  r.bottom = std::max(r.bottom, r.top);
  r.left = std::min(r.left, window.right);
  r.right = std::max(r.right, r.left);
  return r;
}

CaptionLayout LayoutCaption(const CaptionInput& in) {
  CaptionLayout out;
  int y = in.buttonTop;
  if (in.minimized) {
    y = std::max((26 - in.sliceHeight) / 2, 0);
    if (in.sliceHeight + y < 22) y += 2;
  } else if (y <= 3) {
    y = 4;
  }
  out.buttonTop = y;

  int x1 = std::max(in.leftOffset, 0);
  if (in.systemIcon) {
    out.hasIcon = true;
    out.iconBox = {x1 + 4, y, x1 + 20, y + 16};
    x1 += 4 + 18;
  }
  out.captionLeft = x1;

  int x = in.minimized ? in.titleWidth - in.sliceWidth - 5 : in.titleWidth + in.rightOffset - in.sliceWidth;
  auto add = [&](CaptionElement e, int slice) {
    out.buttons.push_back({e, {x, y, x + in.sliceWidth, y + in.sliceHeight}, slice});
    x -= in.sliceWidth + 2;
  };
  if (in.close) add(ceClose, 16);
  if (in.maximize) add(ceMaximize, in.maximized ? 10 : 7);
  if (in.minimize) add(ceMinimize, 13);
  // The help button moves the caption's end as the others do: a caption cut with "..." may run
  // past its room by part of a letter, and so stops short of whichever button comes first.
  if (in.help) add(ceHelp, 4);
  out.captionRight = x;
  return out;
}

CaptionElement CaptionElementAt(const CaptionLayout& layout, SkinPoint p) {
  CaptionElement hot = ceNone;
  if (layout.hasIcon && PointInRect(p, layout.iconBox)) hot = ceSystemIcon;
  for (const CaptionButton& b : layout.buttons)
    if (PointInRect(p, b.box)) hot = b.element;
  return hot;
}

int CaptionButtonSlice(const CaptionButton& button, CaptionElement hot, bool pressed) {
  if (button.element != hot) return button.firstSlice;
  return button.firstSlice + (pressed ? 2 : 1);
}

bool CutTitleLeft(int imageWidth, int rightImageLeft, bool minimizedOrDialog) {
  return minimizedOrDialog && rightImageLeft < imageWidth && imageWidth > 50;
}

int TitleOffsetX(bool hasRightBorderImage, int borderWidth) {
  return hasRightBorderImage ? 0 : std::max(borderWidth, 0);
}

SkinPoint FrameGrowth(int borderWidth, int titleBarHeight, int menuBarHeight, int captionHeight,
                      int bottomBorderHeight) {
  return {2 * std::max(borderWidth, 0), titleBarHeight + menuBarHeight - captionHeight + bottomBorderHeight};
}

SkinPoint AppliedFrame::Apply(bool skinned, SkinPoint growth) {
  const SkinPoint target = skinned ? growth : SkinPoint{};
  const SkinPoint change{target.x - current_.x, target.y - current_.y};
  current_ = target;
  return change;
}

uint32_t SkinWindowStyle(uint32_t savedStyle, uint32_t currentStyle, bool skinned) {
  uint32_t style = savedStyle & ~kStyleState;
  if (skinned) style &= ~kStyleSysMenu;
  return style | (currentStyle & kStyleState);
}

}  // namespace zubskin
