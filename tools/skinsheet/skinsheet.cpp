// skinsheet: a contact sheet of a skin file, one PNG with every image under its name and size,
// and first a mock window put together from the skin the way the skinners draw it (title bar,
// caption buttons, frame, buttons, check boxes, radio buttons, progress and track bars, scroll
// bars, tabs), so that a person can judge a theme at a glance. Uses ImageMagick for the PNG.
//   skinsheet SKIN.zub OUT.png [SCALE]
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "SkinManifest.h"
#include "ZUBSkinFile.h"
#include "ZUBSkinGeometry.h"

using namespace zubskin;

namespace {

SkinImage Scaled(const SkinImage& src, int factor) {
  SkinImage out(src.width * factor, src.height * factor);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) out.Set(x, y, src.At(x / factor, y / factor));
  return out;
}

// Copies with the colour of a corner pixel left out, as a transparent class-library bitmap draws.
void DrawKeyed(const SkinImage& img, SkinImage& canvas, int x, int y, uint32_t key) {
  DrawBlits(img, canvas, {SkinBlit{{0, 0, img.width, img.height}, {x, y, x + img.width, y + img.height}, true, key}});
}
void Draw(const SkinImage& img, SkinImage& canvas, int x, int y) {
  DrawBlits(img, canvas, {SkinBlit{{0, 0, img.width, img.height}, {x, y, x + img.width, y + img.height}, false}});
}
void Fill(SkinImage& canvas, const SkinRect& r, uint32_t c) {
  for (int y = std::max(r.top, 0); y < std::min(r.bottom, canvas.height); ++y)
    for (int x = std::max(r.left, 0); x < std::min(r.right, canvas.width); ++x) canvas.Set(x, y, c);
}
void Frame(SkinImage& canvas, const SkinRect& r, uint32_t c) {
  Fill(canvas, {r.left, r.top, r.right, r.top + 1}, c);
  Fill(canvas, {r.left, r.bottom - 1, r.right, r.bottom}, c);
  Fill(canvas, {r.left, r.top, r.left + 1, r.bottom}, c);
  Fill(canvas, {r.right - 1, r.top, r.right, r.bottom}, c);
}

const uint32_t kSheetBackground = SkinRGB(200, 200, 200);

struct Label {
  int x, y;
  std::string text;
  bool bold;
  uint32_t colour;
};

// A window as a skinned form would show it. Texts are added by ImageMagick afterwards.
SkinImage MockWindow(const SkinFile& skin, std::vector<Label>& labels) {
  const int W = 500, H = 300;
  const uint32_t face = uint32_t(skin.GetInt("FormBackgroundColor"));
  SkinImage win(W, H, face);
  SkinImage left, client, right, buttons, border, bottom;
  skin.GetImage("TitleBarLeftImage", left);
  skin.GetImage("TitleBarClientImage", client);
  skin.GetImage("TitleBarRightImage", right);
  const int titleH = left.height;
  // Title bar: right end, left end, middle stretched between them.
  Draw(right, win, W - right.width, 0);
  Draw(left, win, 0, 0);
  StretchDraw(client, win, {left.width, 0, W - right.width, client.height});
  // Caption buttons from the right: close, maximize, minimize; the help slice beside them.
  SkinImage slice;
  skin.GetImagePiece("TitleBarButtonImage", slice, 18, 1);
  const int top = skin.GetInt("TitleBarButtonTopInt");
  int x = W + skin.GetInt("TitleBarButtonRightOffsetInt") - slice.width;
  for (int first : {16, 7, 13}) {
    skin.GetImagePiece("TitleBarButtonImage", slice, 18, first == 16 ? 17 : first);  // close shown hot
    Draw(slice, win, x, top);
    x -= slice.width + 2;
  }
  labels.push_back({42, top + 1, "Fernwhistle - Corvale", true, uint32_t(skin.GetInt("TitleBarFontColor"))});
  // Frame: left border, the same turned for the right, the bottom border in three parts.
  skin.GetImage("FormLeftBorderImage", border);
  skin.GetImage("FormBottomBorderImage", bottom);
  const int bw = border.width, bh = bottom.height;
  StretchDraw(border, win, {0, titleH, bw, H - bh});
  SkinImage rightBorder = border;
  RotateBitmap180(rightBorder);
  StretchDraw(rightBorder, win, {W - bw, titleH, W, H - bh});
  DrawThreePartHorz(bottom, win, {0, H - bh, W, H}, false);
  // Menu bar.
  Fill(win, {bw, titleH, W - bw, titleH + 20}, uint32_t(skin.GetInt("MenuMenuBarColor")));
  labels.push_back({12, titleH + 3, "File   Convert   Help", false, uint32_t(skin.GetInt("MenuFontColor"))});

  // Push buttons: normal, hot, pressed, at a size other than the image's.
  const int row1 = titleH + 32;
  const char* captions[] = {"Convert", "Browse...", "Done"};
  for (int i = 0; i < 3; ++i) {
    SkinImage face3;
    skin.GetImagePiece("ButtonImage", face3, 3, i + 1);
    const SkinRect r{16 + i * 90, row1, 16 + i * 90 + 80, row1 + 25};
    DrawNineSlice(face3, win, r, skin.GetBool("ButtonTransparentBool"));
    labels.push_back({r.left + 18 + (i == 2 ? 1 : 0), r.top + 5 + (i == 2 ? 1 : 0), captions[i], false, 0});
  }
  // Check boxes (opaque) and radio buttons (lower-left colour left out), in their four states.
  const int row2 = row1 + 38;
  for (int i = 0; i < 4; ++i) {
    SkinImage box, radio;
    skin.GetImagePiece("CheckBoxImage", box, 4, i + 1);
    skin.GetImagePiece("RadioButtonImage", radio, 4, i + 1);
    Draw(box, win, 16 + i * 70, row2);
    DrawKeyed(radio, win, 16 + i * 70, row2 + 22, radio.At(0, radio.height - 1));
    labels.push_back({36 + i * 70, row2 + 1, i < 2 ? "Check" : "Grey", false, 0});
    labels.push_back({36 + i * 70, row2 + 23, i < 2 ? "Radio" : "Grey", false, 0});
  }
  // Progress bar: the image stretched over the filled part.
  const int row3 = row2 + 52;
  SkinImage bar;
  skin.GetImage("ProgressBarImage", bar);
  Frame(win, {16, row3, 216, row3 + 18}, uint32_t(skin.GetInt("ControlBorderColor")));
  StretchDraw(bar, win, {17, row3 + 1, 17 + 130, row3 + 17});
  // Track bar: the channel in three parts, the thumb transparent.
  SkinImage channel, thumb;
  skin.GetImage("TrackBarBarImage", channel);
  skin.GetImage("TrackBarSliderImage", thumb);
  const int row4 = row3 + 30;
  DrawThreePartHorz(channel, win, {16, row4 + 6, 216, row4 + 6 + channel.height}, false);
  DrawKeyed(thumb, win, 80, row4, thumb.At(0, thumb.height - 1));
  // Tabs over a page: pieces in three parts at their rects, the bar along the page's top edge.
  const int tabTop = row4 + 34;
  const SkinRect page{16, tabTop + 20, 216, H - bh - 10};
  Fill(win, page, face);
  Frame(win, page, uint32_t(skin.GetInt("ControlBorderColor")));
  const char* tabs[] = {"Video", "Audio", "Output"};
  for (int i = 2; i >= 0; --i) {
    SkinImage tab;
    skin.GetImagePiece("TabControlTabImage", tab, 2, i == 0 ? 1 : 2);
    const bool keyed = tab.At(0, 0) == kSkinMagenta;
    SkinImage tabBitmap(60, 20, face);
    DrawThreePartHorz(tab, tabBitmap, {0, 0, 60, 20}, keyed);
    DrawKeyed(tabBitmap, win, 18 + i * 60, tabTop, tabBitmap.At(0, tabBitmap.height - 1));
    labels.push_back({18 + i * 60 + 14, tabTop + 3, tabs[i], false, 0});
  }
  SkinImage tabBar;
  skin.GetImage("TabControlBarImage", tabBar);
  Fill(win, {page.left + 1, page.top, page.right - 1, page.top + 1}, face);
  StretchDraw(tabBar, win, {page.left, page.top - 1, page.right, page.top - 1 + tabBar.height});

  // A list with both scroll bars: end buttons are pieces 1 and 4 (turned for horizontal bars),
  // the thumb is the turned slider in three vertical parts or the slider in three horizontal ones.
  const SkinRect list{300, row1, W - 16, H - bh - 10};
  Fill(win, list, uint32_t(skin.GetInt("ControlBackgroundColor")));
  Frame(win, list, uint32_t(skin.GetInt("ControlBorderColor")));
  const uint32_t track = uint32_t(skin.GetInt("ScrollBarBackgroundColor"));
  const SkinRect vbar{list.right - 18, list.top + 1, list.right - 1, list.bottom - 18};
  const SkinRect hbar{list.left + 1, list.bottom - 18, list.right - 18, list.bottom - 1};
  Fill(win, vbar, track);
  Fill(win, hbar, track);
  Fill(win, {vbar.left, hbar.top, vbar.right, hbar.bottom}, track);
  SkinImage up, down, leftButton, rightButton, slider, turned;
  skin.GetImagePiece("ScrollBarButtonImage", up, 6, 1);
  skin.GetImagePiece("ScrollBarButtonImage", down, 6, 4);
  leftButton = up;
  rightButton = down;
  RotateBitmapLeft(leftButton);
  RotateBitmapLeft(rightButton);
  skin.GetImage("ScrollBarSliderImage", slider);
  turned = slider;
  RotateBitmapRight(turned);
  StretchDraw(up, win, {vbar.left, vbar.top, vbar.right, vbar.top + 16});
  StretchDraw(down, win, {vbar.left, vbar.bottom - 16, vbar.right, vbar.bottom});
  DrawThreePartVert(turned, win, {vbar.left, vbar.top + 30, vbar.left + std::min(turned.width, 16), vbar.top + 100}, false);
  StretchDraw(leftButton, win, {hbar.left, hbar.top, hbar.left + 16, hbar.bottom});
  StretchDraw(rightButton, win, {hbar.right - 16, hbar.top, hbar.right, hbar.bottom});
  DrawThreePartHorz(slider, win, {hbar.left + 24, hbar.top, hbar.left + 90, hbar.top + std::min(slider.height, 16)}, false);
  // The window region rounds the upper corners (an ellipse of FormRoundCornerInt).
  const double r = skin.GetInt("FormRoundCornerInt") / 2.0;
  for (int y = 0; y < r; ++y)
    for (int x = 0; x < r; ++x)
      if ((x + 0.5 - r) * (x + 0.5 - r) + (y + 0.5 - r) * (y + 0.5 - r) > r * r) {
        win.Set(x, y, kSheetBackground);
        win.Set(W - 1 - x, y, kSheetBackground);
      }
  const char* items[] = {"VTS_01_1.VOB   1073709056", "VTS_01_2.VOB   1073709056", "VTS_01_3.VOB    402851840"};
  for (int i = 0; i < 3; ++i) labels.push_back({list.left + 6, list.top + 4 + i * 16, items[i], false, 0});
  return win;
}

std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string Hex(uint32_t c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", SkinRed(c), SkinGreen(c), SkinBlue(c));
  return buf;
}

int Run(const std::string& skinPath, const std::string& outPath, int scale) {
  SkinParseResult parsed;
  if (ReadSkinFile(skinPath, parsed) != SkinReadStatus::Loaded) {
    std::fprintf(stderr, "skinsheet: %s: %s\n", skinPath.c_str(), parsed.error.c_str());
    return 1;
  }
  // The mock window at twice its size on top, then every image scaled, row by row, each with
  // its name and size beneath.
  std::vector<Label> labels;
  std::vector<Label> mockLabels;
  const SkinImage mock = Scaled(MockWindow(parsed.skin, mockLabels), 2);
  const int margin = 16, gap = 24, labelHeight = 20, maxWidth = std::max(1500, mock.width + 2 * margin);
  struct Cell {
    SkinImage image;
    int x, y;
  };
  std::vector<Cell> cells;
  int x = margin, y = margin + mock.height + labelHeight + gap, rowHeight = 0;
  labels.push_back({margin, margin + mock.height + 2, "A window drawn from the skin (twice its size)", false, 0});
  for (const SkinFile::Image& e : parsed.skin.Images()) {
    SkinImage image;
    if (!parsed.skin.GetImage(e.name, image)) continue;
    image = Scaled(image, scale);
    const std::string text = e.name + "  " + std::to_string(image.width / scale) + " x " +
                             std::to_string(image.height / scale);
    const int cellWidth = std::max(image.width, int(text.size()) * 8);
    if (x > margin && x + cellWidth > maxWidth - margin) {
      x = margin;
      y += rowHeight + labelHeight + gap;
      rowHeight = 0;
    }
    cells.push_back({image, x, y});
    labels.push_back({x, y + image.height + 2, text, false, 0});
    x += cellWidth + gap;
    rowHeight = std::max(rowHeight, image.height);
  }
  SkinImage sheet(maxWidth, y + rowHeight + labelHeight + margin, kSheetBackground);
  Draw(mock, sheet, margin, margin);
  for (const Cell& c : cells) Draw(c.image, sheet, c.x, c.y);

  char name[] = "/tmp/skinsheet-XXXXXX.bmp";
  const int fd = mkstemps(name, 4);
  if (fd < 0) throw std::runtime_error("cannot make a temporary file");
  close(fd);
  skinbuild::WriteBinaryFile(name, EncodeBmp24(sheet));
  std::string command = std::string("convert ") + name;
  auto annotate = [&command](const Label& l, int factor, int dx, int dy, int points) {
    command += " -font DejaVu-Sans" + std::string(l.bold ? "-Bold" : "") + " -pointsize " + std::to_string(points) +
               " -fill " + Quote(Hex(l.colour)) + " -annotate +" + std::to_string(dx + factor * l.x) + "+" +
               std::to_string(dy + factor * l.y + points) + " " + Quote(l.text);
  };
  for (const Label& l : mockLabels) annotate(l, 2, margin, margin, l.bold ? 22 : 20);
  for (const Label& l : labels) annotate(l, 1, 0, 0, 13);
  command += " " + Quote(outPath);
  const int rc = std::system(command.c_str());
  std::remove(name);
  if (rc != 0) throw std::runtime_error("ImageMagick's convert failed");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: skinsheet SKIN.zub OUT.png [SCALE]\n");
    return 2;
  }
  try {
    return Run(argv[1], argv[2], argc == 4 ? std::max(1, std::atoi(argv[3])) : 3);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinsheet: %s\n", e.what());
    return 1;
  }
}
