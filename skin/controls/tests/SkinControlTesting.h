// Helpers of the control-skinner tests: a skin of solid colours for the controls' entries, an
// engine on a shown form with it loaded, pixels read from a window's own surface.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "EngineTesting.h"
#include "TestLoop.h"

// Colours of the skin's pieces, one per fact a probe reads.
namespace skin_colours {
constexpr uint32_t kBackground = 0x102030, kBorder = 0x2040F0, kInnerBorder = 0x40F020, kScrollBack = 0x605040;
constexpr uint32_t kButton[3] = {0x0000A0, 0x00A000, 0xA00000};         // normal, hot, pressed
constexpr uint32_t kCheck[4] = {0x00A0A0, 0xA0A000, 0xA000A0, 0x505050};  // checked, unchecked, and disabled
constexpr uint32_t kRadio[4] = {0x30C030, 0xC03030, 0x3030C0, 0x909090};
constexpr uint32_t kScrollButton = 0x0080FF, kSlider = 0xFF8000;
}  // namespace skin_colours

// A BMP strip of Count pieces, each Width x Height of its own colour.
inline std::vector<uint8_t> StripBmp(const std::vector<uint32_t>& colours, int w, int h) {
  zubskin::SkinImage image(w * static_cast<int>(colours.size()), h);
  for (size_t i = 0; i < colours.size(); ++i)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const uint32_t c = colours[i];
        image.Set(static_cast<int>(i) * w + x, y, zubskin::SkinRGB(c & 0xFF, (c >> 8) & 0xFF, c >> 16));
      }
  return zubskin::EncodeBmp24(image);
}

// The same with the bottom row magenta: the colour a transparent piece leaves out.
inline std::vector<uint8_t> MaskedStripBmp(const std::vector<uint32_t>& colours, int w, int h) {
  zubskin::SkinImage image(w * static_cast<int>(colours.size()), h);
  for (size_t i = 0; i < colours.size(); ++i)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const uint32_t c = y == h - 1 ? 0xFF00FF : colours[i];
        image.Set(static_cast<int>(i) * w + x, y, zubskin::SkinRGB(c & 0xFF, (c >> 8) & 0xFF, c >> 16));
      }
  return zubskin::EncodeBmp24(image);
}

inline std::vector<uint8_t> ControlsSkin() {
  using namespace skin_colours;
  zubskin::SkinFileWriter w;
  w.AddImage("TitleBarLeftImage", SolidBmp(10, 31, 0x0000C0));
  w.AddImage("FormLeftBorderImage", SolidBmp(5, 20, 0x00C000));
  w.AddImage("FormBottomBorderImage", SolidBmp(20, 6, 0xC00000));
  w.AddInteger("FormBackgroundColor", kBackground);
  w.AddInteger("ControlBorderColor", kBorder);
  w.AddInteger("ControlBackgroundColor", kInnerBorder);
  w.AddInteger("ScrollBarBackgroundColor", kScrollBack);
  w.AddImage("ButtonImage", StripBmp({kButton[0], kButton[1], kButton[2]}, 18, 18));
  w.AddImage("CheckBoxImage", StripBmp({kCheck[0], kCheck[1], kCheck[2], kCheck[3]}, 13, 13));
  w.AddImage("RadioButtonImage", MaskedStripBmp({kRadio[0], kRadio[1], kRadio[2], kRadio[3]}, 13, 13));
  w.AddImage("ScrollBarButtonImage", StripBmp(std::vector<uint32_t>(6, kScrollButton), 16, 16));
  w.AddImage("ScrollBarSliderImage", SolidBmp(30, 16, kSlider));
  w.AddImage("TabControlTabImage", StripBmp({0x00C0C0, 0xC0C000}, 20, 18));
  w.AddImage("TabControlBarImage", SolidBmp(10, 3, 0xC000C0));
  return w.Build();
}

// What the window's own surface holds at (x, y) of its window rectangle.
inline COLORREF SurfacePixel(HWND h, int x, int y) {
  HDC dc = GetWindowDC(h);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(h, dc);
  return c;
}

// Real X input: xdotool runs beside the test, which waits on what it causes, never on time.
inline void Xdo(const std::string& args) {
  std::string cmd = "Z:\\usr\\bin\\xdotool " + args;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
  // Wine may hand back stray values for a Unix program: closing them could close our own output.
  if (!pi.hProcess || GetProcessId(pi.hProcess) != pi.dwProcessId) return;
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

inline POINT CentreOf(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

inline std::string XY(POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

// A form with an engine skinning it with ControlsSkin, freed at the end.
struct SkinnedEngineForm {
  SkinnedEngineForm() : file("zubskincontrols.zub", ControlsSkin()) {
    form = Create<TForm>(nullptr, true);
    form->SetBounds(60, 60, 420, 320);
    engine = Create<TzubSkinEngine>(form);
    engine->SetSkinFile(file.path);
    engine->SetActive(true);
  }
  ~SkinnedEngineForm() { form->Free(); }
  SkinnedEngineForm(const SkinnedEngineForm&) = delete;
  SkinnedEngineForm& operator=(const SkinnedEngineForm&) = delete;
  TempSkinFile file;
  TForm* form;
  TzubSkinEngine* engine;
};
