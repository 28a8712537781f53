// Helpers of the engine tests: skins built from solid-coloured images, forms with an engine,
// and a stand-in window skinner that records what the engine does to it.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "Forms.h"
#include "TestLoop.h"
#include "TzubSkinWindow.h"
#include "ZUBSkinEngine.h"
#include "ZUBSkinFile.h"
#include "ZUBSkinImage.h"
#include "ZUBSkinMessages.h"

// A BMP of one colour (0x00BBGGRR).
inline std::vector<uint8_t> SolidBmp(int w, int h, uint32_t colour) {
  zubskin::SkinImage image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.Set(x, y, zubskin::SkinRGB(colour & 0xFF, (colour >> 8) & 0xFF, colour >> 16));
  return zubskin::EncodeBmp24(image);
}

struct SkinEntry {
  enum Kind { Image, Integer, Boolean } kind;
  std::string name;
  int32_t value;   // integer, boolean, or the image's colour
  int w = 0, h = 0;
};

inline std::vector<uint8_t> BuildSkin(const std::vector<SkinEntry>& entries) {
  zubskin::SkinFileWriter writer;
  for (const SkinEntry& e : entries) {
    if (e.kind == SkinEntry::Image) writer.AddImage(e.name, SolidBmp(e.w, e.h, static_cast<uint32_t>(e.value)));
    else if (e.kind == SkinEntry::Integer) writer.AddInteger(e.name, e.value);
    else writer.AddBoolean(e.name, e.value != 0);
  }
  return writer.Build();
}

inline SkinEntry Img(const std::string& name, uint32_t colour, int w, int h) {
  return {SkinEntry::Image, name, static_cast<int32_t>(colour), w, h};
}
inline SkinEntry Int(const std::string& name, int32_t value) { return {SkinEntry::Integer, name, value}; }

// A small skin with the metrics' entries and the menu colours.
inline std::vector<uint8_t> BasicSkin() {
  return BuildSkin({Img("TitleBarLeftImage", 0x0000C0, 10, 31), Img("FormLeftBorderImage", 0x00C000, 5, 20),
                    Img("FormBottomBorderImage", 0xC00000, 20, 6), Int("FormBackgroundColor", 0x102030),
                    Int("TitleBarFontColor", 0x0A0B0C), Int("MenuBarColor", 0x0000FF),
                    Int("MenuBackgroundColor", 0x00FF00), Int("MenuSelectedBackgroundColor", 0xFF0000),
                    Int("MenuSelectedBorderColor", 0x00FFFF), Int("MenuFontColor", 0x000080),
                    Int("MenuSelectedFontColor", 0x800000)});
}

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::string Hex(const std::vector<uint8_t>& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (uint8_t b : bytes) text += {digits[b >> 4], digits[b & 15]};
  return text;
}

// A skin file in the working folder, removed when the test ends.
struct TempSkinFile {
  TempSkinFile(const std::string& path, const std::vector<uint8_t>& bytes) : path(path) { WriteFile(path, bytes); }
  ~TempSkinFile() { std::remove(path.c_str()); }
  std::string path;
};

// Stands in for the window skinners: counts what the engine asks of it.
class TTestSkinWindow : public TzubSkinWindow {
 public:
  TTestSkinWindow(TComponent* owner, HWND handle, bool isDialog, TzubSkinEngine* engine)
      : TzubSkinWindow(owner, handle, isDialog, engine), handle_(handle) {
    Created().push_back(this);
  }
  ~TTestSkinWindow() override {
    Freed().push_back({handle_, Engine && Engine->FUnskinning, Engine && Engine->FScrollBtnRes != nullptr});
  }
  HWND GetHandle() override { return handle_; }

  static TzubSkinWindow* Make(HWND handle, bool isDialog, TzubSkinEngine* engine) {
    return Create<TTestSkinWindow>(nullptr, handle, isDialog, engine);
  }
  static std::vector<TTestSkinWindow*>& Created() {
    static std::vector<TTestSkinWindow*> list;
    return list;
  }
  struct FreedRecord {
    HWND handle;
    bool unskinning;   // freed by UnskinWindow
    bool cachesAlive;  // the engine's caches still there
  };
  static std::vector<FreedRecord>& Freed() {
    static std::vector<FreedRecord> list;
    return list;
  }

 private:
  HWND handle_;
};

// The stand-in skinner in place of the real ones for one test.
struct UseTestSkinWindows {
  UseTestSkinWindows() : saved(SkinWindowFactory) {
    SkinWindowFactory = &TTestSkinWindow::Make;
    TTestSkinWindow::Created().clear();
    TTestSkinWindow::Freed().clear();
  }
  ~UseTestSkinWindows() { SkinWindowFactory = saved; }
  TzubSkinWindowFactory saved;
};

// A form with an engine on it, both freed at the end of the test.
struct EngineForm {
  EngineForm() : form(Create<TForm>(nullptr, true)), engine(Create<TzubSkinEngine>(form)) {}
  ~EngineForm() { form->Free(); }
  EngineForm(const EngineForm&) = delete;
  EngineForm& operator=(const EngineForm&) = delete;
  TForm* form;
  TzubSkinEngine* engine;
};
