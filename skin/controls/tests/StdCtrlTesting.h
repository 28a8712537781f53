// Helpers of the control-skinner tests: a skin of solid colours, a shown form with an engine and a
// stand-in window skinner, skinners attached and released, pixels read off the screen.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "ControlsTesting.h"
#include "EngineTesting.h"
#include "ZUBSkinStdCtrl.h"

namespace stdctrl {

constexpr uint32_t kForm = 0x102030, kBorder = 0x0000C0, kBack = 0x00C000, kHot = 0xC0C000, kDown = 0x00C0C0,
                   kScrollBack = 0x808000, kProgress = 0xC000C0, kTabSelected = 0x4080C0, kTabOther = 0xC08040,
                   kTabBar = 0x20A020, kTrackBar = 0x6060E0, kSlider = 0xE06060, kSliderV = 0xE06061,
                   kScrollButton = 0x3366AA, kScrollSlider = 0xAA6633;

// Left half one colour, right half another: the two pieces of a strip.
inline std::vector<uint8_t> TwoPieceBmp(int w, int h, uint32_t left, uint32_t right) {
  zubskin::SkinImage image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t c = x < w / 2 ? left : right;
      image.Set(x, y, zubskin::SkinRGB(c & 0xFF, (c >> 8) & 0xFF, c >> 16));
    }
  return zubskin::EncodeBmp24(image);
}

// One colour with a magenta bottom row, the colour a transparent bitmap leaves out.
inline std::vector<uint8_t> KeyedBmp(int w, int h, uint32_t colour) {
  zubskin::SkinImage image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.Set(x, y, y == h - 1 ? zubskin::kSkinMagenta : zubskin::SkinRGB(colour & 0xFF, (colour >> 8) & 0xFF, colour >> 16));
  return zubskin::EncodeBmp24(image);
}

inline std::vector<uint8_t> ControlSkin() {
  zubskin::SkinFileWriter writer;
  const std::pair<const char*, uint32_t> colours[] = {
      {"FormBackgroundColor", kForm}, {"ControlBorderColor", kBorder}, {"ControlBackgroundColor", kBack},
      {"ToolBarButtonBackgroundColor", kHot}, {"ToolBarButtonDownBackgroundColor", kDown},
      {"ScrollBarBackgroundColor", kScrollBack}};
  for (const auto& c : colours) writer.AddInteger(c.first, static_cast<int32_t>(c.second));
  writer.AddImage("ProgressBarImage", SolidBmp(16, 8, kProgress));
  writer.AddImage("TabControlTabImage", TwoPieceBmp(40, 30, kTabSelected, kTabOther));
  writer.AddImage("TabControlBarImage", SolidBmp(10, 3, kTabBar));
  writer.AddImage("TrackBarBarImage", SolidBmp(12, 4, kTrackBar));
  writer.AddImage("TrackBarSliderImage", KeyedBmp(10, 18, kSlider));
  writer.AddImage("TrackBarSliderVImage", KeyedBmp(18, 10, kSliderV));
  writer.AddImage("ScrollBarButtonImage", SolidBmp(96, 16, kScrollButton));
  writer.AddImage("ScrollBarSliderImage", SolidBmp(16, 16, kScrollSlider));
  return writer.Build();
}

// The engine's form, shown and skinned by the stand-in window skinner; controls go on it.
struct SkinnedForm {
  SkinnedForm() : skin("stdctrl.zub", ControlSkin()) {
    f.form->SetBounds(30, 30, 520, 420);
    f.engine->SetSkinFile(skin.path);
    f.engine->SetActive(true);
    f.engine->SkinWindow(f.form->Handle());
    window = TTestSkinWindow::Created().back();
    f.form->Show();
    UpdateWindow(f.form->Handle());
  }
  ~SkinnedForm() {
    for (TzubSkinControl* s : skinners) ReleaseSkinControl(s);
  }
  SkinnedForm(const SkinnedForm&) = delete;
  SkinnedForm& operator=(const SkinnedForm&) = delete;

  template <class T>
  T* Add(int left, int top, int width, int height, TWinControl* parent = nullptr) {
    T* c = Create<T>(f.form);
    c->SetParent(parent ? parent : f.form);
    c->SetBounds(left, top, width, height);
    return c;
  }
  // Attached as the form skinner attaches: made, then switched once.
  template <class S>
  S* Attach(TControl* control) {
    S* s = static_cast<S*>(CreateSkinControl(NewSkinControlVCL<S>, control, window));
    skinners.push_back(s);
    s->SkinStateChanged();
    return s;
  }
  void Switch(bool on) {
    f.engine->SetActive(on);
    for (TzubSkinControl* s : skinners) s->SkinStateChanged();
  }

  TempSkinFile skin;
  UseTestSkinWindows use;
  EngineForm f;
  TzubSkinWindow* window = nullptr;
  std::vector<TzubSkinControl*> skinners;
};

inline void Redraw(HWND wnd) {
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The pixel at a client point of the window, read through its own device context (what was
// drawn there, whether or not the screen shows it yet).
inline uint32_t Pixel(HWND wnd, int x, int y) {
  HDC dc = GetDC(wnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return c;
}
// The window's client area as its own device context holds it, into SUITE_SHOTS/<name>.bmp.
inline void SaveClientPicture(HWND wnd, const std::string& name) {
  const char* shots = std::getenv("SUITE_SHOTS");
  if (!shots) return;
  RECT r;
  GetClientRect(wnd, &r);
  TBitmap picture;
  picture.SetSize(r.right, r.bottom);
  HDC dc = GetDC(wnd);
  BitBlt(picture.Canvas()->Handle(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(wnd, dc);
  std::string path = std::string("Z:") + shots + "/" + name + ".bmp";
  for (char& c : path)
    if (c == '/') c = '\\';
  picture.SaveToFile(path);
}

inline uint32_t Pixel(TWinControl* c, int x, int y) { return Pixel(c->Handle(), x, y); }

}  // namespace stdctrl
