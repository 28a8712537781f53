// skingen: draws the images of the suite's own skin, Fernwhistle, and writes the skin: every entry
// the engine knows, in the delivered order, sizes and values. A blue glossy title bar and frame
// over a light grey face; magenta only where an image is drawn see-through, with hard edges.
//   skingen --zub OUT.zub     the skin file
//   skingen --dir FOLDER      its images as BMP files and the manifest that skinbuild builds
#include <cmath>
#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "SkinManifest.h"
#include "ZUBSkinImage.h"

using zubskin::kSkinMagenta;
using zubskin::SkinImage;
using zubskin::SkinRGB;
using Colour = uint32_t;

namespace {

// ---- Colours ----

Colour Mix(Colour a, Colour b, double t) {
  t = t < 0 ? 0 : t > 1 ? 1 : t;
  auto ch = [t](unsigned x, unsigned y) { return unsigned(std::lround(x + (double(y) - double(x)) * t)); };
  return SkinRGB(ch(zubskin::SkinRed(a), zubskin::SkinRed(b)), ch(zubskin::SkinGreen(a), zubskin::SkinGreen(b)),
                 ch(zubskin::SkinBlue(a), zubskin::SkinBlue(b)));
}
double Ramp(int i, int from, int to) { return to == from ? 0.0 : double(i - from) / double(to - from); }

const Colour kWhite = SkinRGB(255, 255, 255);
const Colour kFace = SkinRGB(0xE8, 0xE8, 0xE8);        // FormBackgroundColor
const Colour kScrollFace = SkinRGB(0xF9, 0xF9, 0xF9);  // ScrollBarBackgroundColor
const Colour kNavy = SkinRGB(9, 32, 106);              // FormBorderColor, ControlBorderColor
const Colour kFrameBody = SkinRGB(30, 74, 158);
const Colour kFrameInner = SkinRGB(16, 44, 116);
const Colour kAccent = SkinRGB(31, 103, 148);          // MenuSelectedBackgroundColor
const Colour kMark = SkinRGB(22, 83, 170);
const Colour kControlLine = SkinRGB(52, 82, 146);
const Colour kDisabledLine = SkinRGB(166, 172, 186);
const Colour kDisabledFill = SkinRGB(240, 240, 240);
const Colour kDisabledMark = SkinRGB(156, 160, 170);

// The gloss of the title bar, row by row: outline, highlight, a light upper and a deeper lower tone.
Colour GlossRow(int y, int height) {
  const int last = height - 1, split = height / 2;
  if (y <= 0) return kNavy;
  if (y == 1) return SkinRGB(140, 182, 236);
  if (y < split) return Mix(SkinRGB(100, 152, 224), SkinRGB(72, 126, 206), Ramp(y, 2, split - 1));
  if (y < last) return Mix(SkinRGB(44, 96, 182), kFrameBody, Ramp(y, split, last - 1));
  return kFrameInner;
}
constexpr int kTitleHeight = 31;
Colour TitleRow(int y) { return GlossRow(y, kTitleHeight); }

// ---- Shapes: pixel-centre tests, so every edge is hard ----

using Inside = std::function<bool(int x, int y)>;
using Paint = std::function<Colour(int x, int y)>;

// A rectangle [l, r) x [t, b) with corners of radius rad rounded where the mask says
// (1 top-left, 2 top-right, 4 bottom-left, 8 bottom-right).
Inside RoundRect(int l, int t, int r, int b, double rad, int corners = 15) {
  return [=](int x, int y) {
    if (x < l || x >= r || y < t || y >= b) return false;
    const double px = x + 0.5, py = y + 0.5;
    auto out = [&](double cx, double cy) { return (px - cx) * (px - cx) + (py - cy) * (py - cy) > rad * rad; };
    if ((corners & 1) && px < l + rad && py < t + rad && out(l + rad, t + rad)) return false;
    if ((corners & 2) && px > r - rad && py < t + rad && out(r - rad, t + rad)) return false;
    if ((corners & 4) && px < l + rad && py > b - rad && out(l + rad, b - rad)) return false;
    if ((corners & 8) && px > r - rad && py > b - rad && out(r - rad, b - rad)) return false;
    return true;
  };
}

Inside Circle(double cx, double cy, double rad) {
  return [=](int x, int y) { return (x + 0.5 - cx) * (x + 0.5 - cx) + (y + 0.5 - cy) * (y + 0.5 - cy) <= rad * rad; };
}

// Fills a shape inside [x0, x0 + w) x [y0, y0 + h), clipped to the image: its edge pixels (those
// with a side neighbour outside) in the outline colour, the rest from fill; pixels outside are
// left alone.
void DrawShape(SkinImage& img, int x0, int y0, int w, int h, const Inside& inside, Colour outline, const Paint& fill) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!inside(x, y) || !img.Contains(x0 + x, y0 + y)) continue;
      const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      img.Set(x0 + x, y0 + y, edge ? outline : fill(x, y));
    }
}

void FillRect(SkinImage& img, int x0, int y0, int x1, int y1, Colour c) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) img.Set(x, y, c);
}

// Pixel art: '#' in colour, anything else left alone.
void Stamp(SkinImage& img, int x0, int y0, const std::vector<const char*>& rows, Colour c) {
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; rows[y][x]; ++x)
      if (rows[y][x] == '#') img.Set(x0 + int(x), y0 + int(y), c);
}

void Blit(SkinImage& dst, int x0, int y0, const SkinImage& src) {
  for (int y = 0; y < src.height; ++y)
    for (int x = 0; x < src.width; ++x) dst.Set(x0 + x, y0 + y, src.At(x, y));
}

SkinImage Transposed(const SkinImage& src) {
  SkinImage out(src.height, src.width);
  for (int y = 0; y < src.height; ++y)
    for (int x = 0; x < src.width; ++x) out.Set(y, x, src.At(x, y));
  return out;
}

// ---- Glyphs ----

const std::vector<const char*> kGlyphClose = {"##....##", "###..###", ".######.", "..####..",
                                              "..####..", ".######.", "###..###", "##....##"};
const std::vector<const char*> kGlyphMaximize = {"########", "########", "#......#", "#......#",
                                                 "#......#", "#......#", "#......#", "########"};
const std::vector<const char*> kGlyphRestore = {"..######", "..######", "..#....#", "######.#",
                                                "######.#", "#....###", "#....#..", "######.."};
const std::vector<const char*> kGlyphMinimize = {"........", "........", "........", "........",
                                                 "........", "........", "########", "########"};
const std::vector<const char*> kGlyphHelp = {"..####..", ".##..##.", ".....##.", "....##..",
                                             "...##...", "...##...", "........", "...##..."};
const std::vector<const char*> kTick = {".......##", "......###", "#....###.", "##..###..",
                                        "###.##...", ".####....", "..##....."};
const std::vector<const char*> kSmallTick = {"......#", ".....##", "#...##.", "##.##..", ".###...", "..#...."};

// ---- The images ----

enum class State { Normal, Hot, Pressed };

// Push-button face: three frames 84 x 25 (normal, hot, pressed) for the nine-part draw. Rows 11
// to 14 are one flat band, since the edges and the centre stretch rows 12 and 13.
SkinImage ButtonImage() {
  const int fw = 84, fh = 25;
  SkinImage img(fw * 3, fh, kSkinMagenta);
  for (int f = 0; f < 3; ++f) {
    const State s = State(f);
    Colour top0, top1, mid, bottom0, bottom1, line, lip;
    if (s == State::Normal) {
      top0 = SkinRGB(253, 253, 254), top1 = SkinRGB(240, 243, 248), mid = SkinRGB(236, 239, 245);
      bottom0 = SkinRGB(228, 232, 240), bottom1 = SkinRGB(210, 216, 228), line = kControlLine, lip = kWhite;
    } else if (s == State::Hot) {
      top0 = SkinRGB(250, 253, 255), top1 = SkinRGB(232, 243, 253), mid = SkinRGB(224, 239, 253);
      bottom0 = SkinRGB(212, 232, 252), bottom1 = SkinRGB(190, 218, 248), line = SkinRGB(31, 103, 180), lip = kWhite;
    } else {
      top0 = SkinRGB(194, 208, 230), top1 = SkinRGB(206, 218, 237), mid = SkinRGB(210, 221, 239);
      bottom0 = SkinRGB(214, 225, 242), bottom1 = SkinRGB(224, 232, 246), line = kNavy, lip = SkinRGB(178, 192, 218);
    }
    auto fill = [&](int, int y) {
      if (y == 1) return lip;
      if (y < 11) return Mix(top0, top1, Ramp(y, 2, 10));
      if (y <= 14) return mid;
      return Mix(bottom0, bottom1, Ramp(y, 15, fh - 2));
    };
    DrawShape(img, f * fw, 0, fw, fh, RoundRect(0, 0, fw, fh, 4), line, fill);
  }
  return img;
}

// Check box: four frames 17 x 17 (checked, unchecked, disabled checked, disabled unchecked),
// drawn opaque on the face colour.
SkinImage CheckBoxImage() {
  const int fs = 17;
  SkinImage img(fs * 4, fs, kFace);
  for (int f = 0; f < 4; ++f) {
    const bool checked = f % 2 == 0, enabled = f < 2;
    auto fill = [&](int, int y) {
      return enabled ? Mix(kWhite, SkinRGB(222, 231, 245), Ramp(y, 1, 11)) : kDisabledFill;
    };
    DrawShape(img, f * fs + 2, 2, 13, 13, RoundRect(0, 0, 13, 13, 1.5), enabled ? kNavy : kDisabledLine, fill);
    if (checked) Stamp(img, f * fs + 4, 5, kTick, enabled ? kMark : kDisabledMark);
  }
  return img;
}

// Radio button: four frames 17 x 17 in the check box's order, drawn with the colour of their
// lower-left pixel left out: magenta around the circle.
SkinImage RadioButtonImage() {
  const int fs = 17;
  SkinImage img(fs * 4, fs, kSkinMagenta);
  for (int f = 0; f < 4; ++f) {
    const bool checked = f % 2 == 0, enabled = f < 2;
    auto fill = [&](int, int y) {
      return enabled ? Mix(kWhite, SkinRGB(222, 231, 245), Ramp(y, 3, 14)) : kDisabledFill;
    };
    DrawShape(img, f * fs, 0, fs, fs, Circle(8.5, 8.5, 6.6), enabled ? kNavy : kDisabledLine, fill);
    if (checked) {
      const Inside dot = Circle(8.5, 8.5, 2.9);
      DrawShape(img, f * fs, 0, fs, fs, dot, enabled ? kMark : kDisabledMark,
                [&](int, int) { return enabled ? SkinRGB(64, 128, 212) : kDisabledMark; });
    }
  }
  return img;
}

// Caption buttons: eighteen slices 18 x 18 drawn opaque on the title bar at row 9, so their
// background is the title bar's gloss from row 9 on. Slices 1-3 plain, then help, maximize,
// restore, minimize and close, each normal, hot and pressed.
SkinImage TitleBarButtonImage() {
  const int fs = 18, top = 9;
  SkinImage img(fs * 18, fs);
  const std::vector<const char*>* glyphs[6] = {nullptr, &kGlyphHelp, &kGlyphMaximize, &kGlyphRestore, &kGlyphMinimize,
                                               &kGlyphClose};
  for (int slice = 0; slice < 18; ++slice) {
    const int kind = slice / 3;
    const State s = State(slice % 3);
    const int x0 = slice * fs;
    for (int y = 0; y < fs; ++y) FillRect(img, x0, y, x0 + fs, y + 1, TitleRow(top + y));
    const bool close = kind == 5;
    Colour line;
    Paint fill;
    if (close && s != State::Normal) {
      const bool hot = s == State::Hot;
      line = hot ? SkinRGB(255, 196, 186) : SkinRGB(120, 22, 16);
      fill = [hot](int, int y) {
        return hot ? Mix(SkinRGB(232, 86, 68), SkinRGB(190, 44, 34), y / 17.0)
                   : Mix(SkinRGB(160, 36, 28), SkinRGB(182, 50, 38), y / 17.0);
      };
    } else if (s == State::Pressed) {
      line = Mix(TitleRow(top + 8), kNavy, 0.75);
      fill = [&](int, int y) { return Mix(TitleRow(top + y), kNavy, 0.45); };
    } else {
      const double lift = s == State::Hot ? 0.32 : 0.10;
      line = Mix(TitleRow(top + 8), kWhite, s == State::Hot ? 0.8 : 0.45);
      fill = [lift](int, int y) { return Mix(TitleRow(top + y), kWhite, lift); };
    }
    DrawShape(img, x0, 0, fs, fs, RoundRect(0, 0, fs, fs, 3), line, fill);
    if (glyphs[kind]) {
      const int shift = s == State::Pressed ? 1 : 0;
      Stamp(img, x0 + 5 + shift, 5 + shift, *glyphs[kind], kWhite);
    }
  }
  return img;
}

// Title bar ends and middle: the gloss, the navy outline on the outer edges with the window's
// rounded corners, and the frame's inner line along the bottom row.
SkinImage TitleBarPart(int width, bool leftEnd, bool rightEnd) {
  SkinImage img(width, kTitleHeight);
  for (int y = 0; y < kTitleHeight; ++y) FillRect(img, 0, y, width, y + 1, TitleRow(y));
  const int last = kTitleHeight - 1;
  if (leftEnd) {
    for (int y = 0; y < kTitleHeight; ++y) img.Set(0, y, kNavy);
    for (int y = 2; y < last; ++y) img.Set(1, y, Mix(TitleRow(y), kWhite, 0.25));
    FillRect(img, 1, last, 4, kTitleHeight, kFrameBody);
  }
  if (rightEnd) {
    for (int y = 0; y < kTitleHeight; ++y) img.Set(width - 1, y, kNavy);
    FillRect(img, width - 4, last, width - 1, kTitleHeight, kFrameBody);
  }
  // In the rounded corners: navy outside the arc, like the outline (the window region cuts it off).
  const Inside shape = RoundRect(0, 0, width, kTitleHeight, 4.5, (leftEnd ? 1 : 0) | (rightEnd ? 2 : 0));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < width; ++x) {
      const bool corner = (leftEnd && x < 5) || (rightEnd && x >= width - 5);
      if (corner && (!shape(x, y) || !shape(x - 1, y) || !shape(x + 1, y) || !shape(x, y - 1))) img.Set(x, y, kNavy);
    }
  return img;
}

SkinImage TitleBarMinimizedImage() {
  const int w = 160, h = 27;
  SkinImage img(w, h, kNavy);
  DrawShape(img, 0, 0, w, h, RoundRect(0, 0, w, h, 4.5, 3), kNavy, [h](int, int y) { return GlossRow(y, h + 1); });
  return img;
}

SkinImage ProgressBarImage() {
  SkinImage img(7, 11);
  for (int y = 0; y < 11; ++y) {
    const Colour c = y < 5 ? Mix(SkinRGB(136, 194, 248), SkinRGB(98, 162, 234), Ramp(y, 0, 4))
                           : Mix(SkinRGB(50, 118, 208), SkinRGB(84, 152, 230), Ramp(y, 5, 10));
    FillRect(img, 0, y, 7, y + 1, c);
  }
  return img;
}

// The sunken channel of a track bar, three frames for the three-part draw; round ends painted
// on the face colour, since the vertical bar is drawn opaque.
SkinImage TrackBarBarImage() {
  SkinImage img(60, 8, kFace);
  DrawShape(img, 0, 1, 60, 6, RoundRect(0, 0, 60, 6, 2.5), SkinRGB(128, 140, 168),
            [](int, int y) { return Mix(SkinRGB(200, 209, 224), SkinRGB(244, 246, 250), Ramp(y, 1, 4)); });
  return img;
}

// Horizontal thumb: a rounded head with a point downwards, magenta around it.
SkinImage TrackBarSliderImage() {
  const int w = 11, h = 21, neck = 14;
  SkinImage img(w, h, kSkinMagenta);
  const Inside head = RoundRect(0, 0, w, neck, 3, 3);
  const Inside shape = [&](int x, int y) {
    if (y < neck) return head(x, y);
    if (x < 0 || x >= w || y >= h) return false;
    const double half = 5.5 * (h - y - 0.5) / (h - neck);
    return std::fabs(x + 0.5 - 5.5) <= half;
  };
  DrawShape(img, 0, 0, w, h, shape, kControlLine,
            [](int, int y) { return Mix(kWhite, SkinRGB(196, 214, 240), Ramp(y, 1, 18)); });
  return img;
}

// Scroll bars: the thumb's cross-section, shared by the thumb and the buttons so that they look
// like one piece whichever way the bar runs.
Colour CrossSection(int i, State s) {
  const double t = Ramp(i, 0, 17);
  switch (s) {
    case State::Hot: return Mix(SkinRGB(238, 247, 255), SkinRGB(182, 212, 248), t);
    case State::Pressed: return Mix(SkinRGB(172, 196, 234), SkinRGB(204, 220, 246), t);
    default: return Mix(SkinRGB(248, 250, 255), SkinRGB(206, 220, 243), t);
  }
}

// A square button with an arrow up (or down) for vertical bars; turned for horizontal ones.
SkinImage ScrollButton(int size, bool down, State s, Colour background) {
  SkinImage img(size, size, background);
  const Colour line = s == State::Hot ? SkinRGB(31, 103, 180) : s == State::Pressed ? kControlLine : SkinRGB(156, 174, 206);
  DrawShape(img, 0, 0, size, size, RoundRect(1, 1, size - 1, size - 1, 2.5), line,
            [&](int x, int) { return CrossSection((size - 1 - x) * 17 / (size - 1), s); });
  const Colour arrow = s == State::Hot ? SkinRGB(20, 70, 160) : SkinRGB(34, 58, 116);
  const int cx = size / 2, rows = 5, y0 = (size - rows) / 2;
  for (int k = 0; k < rows; ++k) {
    const int y = down ? y0 + rows - 1 - k : y0 + k;
    FillRect(img, cx - 1 - k, y, cx + 1 + k, y + 1, arrow);
  }
  return img;
}

SkinImage ScrollBarButtonImage() {
  SkinImage img(108, 18);
  for (int p = 0; p < 6; ++p) Blit(img, p * 18, 0, ScrollButton(18, p >= 3, State(p % 3), kScrollFace));
  return img;
}

// Horizontal thumb, stored as three frames 21 wide: a pill inset from the bar's edges.
SkinImage ScrollBarSliderImage() {
  SkinImage img(63, 18, kScrollFace);
  DrawShape(img, 0, 2, 63, 14, RoundRect(0, 0, 63, 14, 3.5), SkinRGB(140, 160, 198),
            [](int, int y) { return CrossSection(y + 2, State::Normal); });
  return img;
}

SkinImage CheckListBoxImage() {
  SkinImage img(44, 11, kWhite);
  for (int f = 0; f < 4; ++f) {
    const bool checked = f % 2 == 0, enabled = f < 2;
    DrawShape(img, f * 11, 0, 11, 11, RoundRect(0, 0, 11, 11, 0), enabled ? kNavy : kDisabledLine,
              [&](int, int) { return enabled ? kWhite : kDisabledFill; });
    if (checked) Stamp(img, f * 11 + 2, 2, kSmallTick, enabled ? kMark : kDisabledMark);
  }
  return img;
}

// Four arrow buttons 20 x 20: up, down, left, right.
SkinImage ScrollButtonImage() {
  SkinImage img(80, 20);
  Blit(img, 0, 0, ScrollButton(20, false, State::Normal, kFace));
  Blit(img, 20, 0, ScrollButton(20, true, State::Normal, kFace));
  Blit(img, 40, 0, Transposed(ScrollButton(20, false, State::Normal, kFace)));
  Blit(img, 60, 0, Transposed(ScrollButton(20, true, State::Normal, kFace)));
  return img;
}

// Tabs: two pieces 30 x 22, the selected tab and the others. Their first and last columns and
// the corners above their rounded tops are magenta: a tab is drawn with the colour of its
// upper-left pixel left out of its ends, and the bitmap it is drawn into with that of its
// lower-left pixel. The middle columns are stretched opaque, so above the lower tab they hold
// the face colour instead.
SkinImage TabControlTabImage() {
  const int fw = 30, fh = 22;
  SkinImage img(fw * 2, fh, kSkinMagenta);
  DrawShape(img, 1, 0, fw - 2, fh + 1, RoundRect(0, 0, fw - 2, fh + 1, 3.5, 3), kNavy, [](int, int y) {
    return y <= 2 ? SkinRGB(72, 140, 218) : Mix(kWhite, kFace, Ramp(y, 3, 14));
  });
  FillRect(img, fw + 10, 0, fw + 20, 2, kFace);
  DrawShape(img, fw + 1, 2, fw - 2, fh - 1, RoundRect(0, 0, fw - 2, fh - 1, 3.5, 3), SkinRGB(120, 136, 170),
            [](int, int y) { return Mix(SkinRGB(232, 236, 243), SkinRGB(206, 212, 224), Ramp(y, 1, 18)); });
  return img;
}

SkinImage TabControlBarImage() { return SkinImage(8, 1, kAccent); }

// A vertical grip handle and its channel, carried by the skin for side channels.
SkinImage SideChannelHandleImage() {
  SkinImage img(7, 84, kFace);
  DrawShape(img, 0, 0, 7, 84, RoundRect(0, 0, 7, 84, 3), kControlLine,
            [](int x, int) { return Mix(SkinRGB(246, 249, 255), SkinRGB(196, 212, 240), Ramp(x, 1, 5)); });
  for (int y = 38; y <= 46; y += 4) FillRect(img, 2, y, 5, y + 1, kControlLine);
  return img;
}

SkinImage SideChannelBarImage() {
  SkinImage img(1, 21);
  for (int y = 0; y < 21; ++y) img.Set(0, y, Mix(SkinRGB(200, 209, 224), SkinRGB(244, 246, 250), Ramp(y, 0, 20)));
  return img;
}

// The frame: navy outside, the title bar's deep blue, a darker inner line next to the client.
SkinImage FormLeftBorderImage() {
  SkinImage img(5, 6, kFrameBody);
  FillRect(img, 0, 0, 1, 6, kNavy);
  FillRect(img, 4, 0, 5, 6, kFrameInner);
  return img;
}

SkinImage FormBottomBorderImage() {
  const int w = 180;
  SkinImage img(w, 5, kFrameBody);
  FillRect(img, 4, 0, w - 4, 1, kFrameInner);
  FillRect(img, 0, 4, w, 5, kNavy);
  FillRect(img, 0, 0, 1, 5, kNavy);
  FillRect(img, w - 1, 0, w, 5, kNavy);
  return img;
}

// ---- The skin ----

struct Entry {
  skinbuild::ManifestEntry manifest;
  std::vector<uint8_t> bmp;  // images
};

std::vector<Entry> Fernwhistle() {
  std::vector<Entry> entries;
  auto image = [&](const char* name, const SkinImage& img, int bits = 24) {
    Entry e;
    e.manifest.kind = skinbuild::ManifestEntry::Kind::Image;
    e.manifest.name = name;
    e.manifest.file = std::string(name) + ".bmp";
    e.bmp = bits == 8 ? zubskin::EncodeBmp8(img) : zubskin::EncodeBmp24(img);
    if (e.bmp.empty()) throw std::runtime_error(std::string(name) + " cannot be encoded at 8 bits");
    entries.push_back(e);
  };
  auto value = [&](skinbuild::ManifestEntry::Kind kind, const char* name, int32_t v) {
    Entry e;
    e.manifest.kind = kind;
    e.manifest.name = name;
    e.manifest.value = v;
    entries.push_back(e);
  };
  using K = skinbuild::ManifestEntry::Kind;
  auto integer = [&](const char* name, int32_t v) { value(K::Integer, name, v); };
  auto colour = [&](const char* name, uint32_t v) { value(K::Colour, name, int32_t(v)); };

  image("ButtonImage", ButtonImage());
  image("CheckBoxImage", CheckBoxImage());
  image("RadioButtonImage", RadioButtonImage());
  image("TitleBarButtonImage", TitleBarButtonImage());
  image("TitleBarLeftImage", TitleBarPart(186, true, false));
  image("TitleBarClientImage", TitleBarPart(13, false, false));
  image("TitleBarRightImage", TitleBarPart(14, false, true));
  image("ProgressBarImage", ProgressBarImage());
  image("TrackBarBarImage", TrackBarBarImage());
  image("TrackBarSliderImage", TrackBarSliderImage());
  image("TrackBarSliderVImage", Transposed(TrackBarSliderImage()));
  image("ScrollBarButtonImage", ScrollBarButtonImage());
  image("ScrollBarSliderImage", ScrollBarSliderImage());
  image("CheckListBoxImage", CheckListBoxImage(), 8);
  image("ScrollButtonImage", ScrollButtonImage());
  image("TabControlTabImage", TabControlTabImage());
  image("TabControlBarImage", TabControlBarImage());
  image("SideChannelHandleImage", SideChannelHandleImage(), 8);
  image("SideChannelBarImage", SideChannelBarImage(), 8);
  image("TitleBarMinimizedImage", TitleBarMinimizedImage());
  image("FormLeftBorderImage", FormLeftBorderImage());
  image("FormBottomBorderImage", FormBottomBorderImage());

  integer("TitleBarButtonLeftOffsetInt", 20);
  integer("TitleBarButtonRightOffsetInt", -6);
  integer("TitleBarButtonTopInt", 9);
  integer("FormMinWidthInt", 180);
  integer("FormRoundCornerInt", 8);
  colour("FormBackgroundColor", 0xE8E8E8);
  colour("FormBorderColor", 0x6A2009);
  integer("FormBorderWidthInt", 1);
  colour("MenuSelectedBorderColor", 0x94671F);
  colour("MenuSelectedBackgroundColor", 0x94671F);
  colour("MenuSelectedFontColor", 0xFFFFFF);
  colour("MenuBackgroundColor", 0xFFF7E7);
  colour("MenuFontColor", 0x795316);
  colour("MenuBarColor", 0xBA9460);
  colour("ControlBorderColor", 0x6A2009);
  colour("ControlBackgroundColor", 0xFFFFFF);
  colour("ControlFontColor", 0x7A5316);
  colour("ScrollBarBackgroundColor", 0xF9F9F9);
  colour("ToolBarButtonBorderColor", 0x6A2009);
  colour("ToolBarButtonBackgroundColor", 0xFBE0B5);
  colour("ToolBarButtonDownBackgroundColor", 0x956720);
  colour("TitleBarFontColor", 0xFFFFFF);
  integer("FormBottomRoundCornerInt", 0);
  colour("MenuMenuBarColor", 0xE8C894);
  value(K::Boolean, "ButtonTransparentBool", 1);
  value(K::Boolean, "TitleBarButtonTransparentBool", 0);
  return entries;
}

std::vector<uint8_t> Build(const std::vector<Entry>& entries) {
  std::vector<skinbuild::ManifestEntry> manifest;
  std::map<std::string, const std::vector<uint8_t>*> files;
  for (const Entry& e : entries) {
    manifest.push_back(e.manifest);
    if (!e.bmp.empty()) files[e.manifest.file] = &e.bmp;
  }
  return skinbuild::BuildSkin(manifest, [&files](const std::string& file) { return *files.at(file); });
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string mode = argc == 3 ? argv[1] : "";
    const std::vector<Entry> entries = Fernwhistle();
    if (mode == "--zub") {
      skinbuild::WriteBinaryFile(argv[2], Build(entries));
      return 0;
    }
    if (mode == "--dir") {
      std::string folder = argv[2];
      if (!folder.empty() && folder.back() != '/') folder += '/';
      std::vector<skinbuild::ManifestEntry> manifest;
      for (const Entry& e : entries) {
        manifest.push_back(e.manifest);
        if (!e.bmp.empty()) skinbuild::WriteBinaryFile(folder + e.manifest.file, e.bmp);
      }
      const std::string text = "# Fernwhistle, the suite's own skin, as skingen draws it\n" +
                               skinbuild::FormatManifest(manifest);
      skinbuild::WriteBinaryFile(folder + "manifest.txt", std::vector<uint8_t>(text.begin(), text.end()));
      return 0;
    }
    std::fprintf(stderr, "usage: skingen --zub OUT.zub | skingen --dir FOLDER\n");
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skingen: %s\n", e.what());
    return 1;
  }
}
