// Skinned top-level windows under Wine: the frame applied and taken back, the private messages,
// caption buttons clicked with real X input, message boxes and dialogs caught by the hook, the
// non-client painting probed by pixel off screen and on screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "ControlsTesting.h"
#include "Menus.h"
#include "ModalTesting.h"
#include "Screenshot.h"
#include "TestLoop.h"
#include "TzubSkinEngine.h"
#include "TzubSkinWindowWnd.h"
#include "ZUBSkinFile.h"
#include "ZUBSkinMessages.h"

using namespace zubskin;

namespace {

// ---- Skins of solid colours: a pixel tells which entry and which piece was drawn ----

constexpr uint32_t kLeft = 0x0000C0, kLeftTail = 0x000060, kMinimized = 0x606000, kClient = 0x00C000, kRight = 0xC00000, kSide = 0x00C0C0,
                   kBottom1 = 0x404000, kBottom2 = 0x004040, kBottom3 = 0x400040, kBackground = 0x102030,
                   kBorder = 0x305070;
// The program's icon (the test's MAINICON), drawn where the window has none of its own.
constexpr uint32_t kAppIcon = 0x0000FF;
// Each button's three looks apart by green: normal 60, hot 140, pressed 220.
constexpr uint32_t SliceColour(int slice) { return SkinRGB(12 * slice, 60 + 80 * ((slice - 1) % 3), 200); }

std::vector<uint8_t> Bmp(int w, int h, uint32_t (*colourAt)(int x)) {
  SkinImage image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.Set(x, y, colourAt(x));
  return EncodeBmp24(image);
}
template <uint32_t C>
uint32_t Solid(int) { return C; }
uint32_t ButtonStrip(int x) { return SliceColour(x / 18 + 1); }
uint32_t BottomThirds(int x) { return x < 10 ? kBottom1 : x < 20 ? kBottom2 : kBottom3; }
uint32_t LeftWithTail(int x) { return x < 35 ? kLeft : kLeftTail; }

struct SkinShape {
  const char* name;
  bool borderImages;  // else "FormBorderWidthInt" 1 and no bottom image
  int titleX;         // where the title bitmap lies in the window
  int border;         // the engine's border width
  int bottom;         // the engine's bottom border height
};
const SkinShape kFramed{"framed", true, 0, 5, 5};
const SkinShape kThin{"thin", false, 1, 1, 0};

std::vector<uint8_t> BuildSkin(const SkinShape& shape) {
  SkinFileWriter w;
  w.AddImage("TitleBarLeftImage", Bmp(60, 31, LeftWithTail));
  w.AddImage("TitleBarClientImage", Bmp(10, 31, Solid<kClient>));
  w.AddImage("TitleBarRightImage", Bmp(20, 31, Solid<kRight>));
  w.AddImage("TitleBarButtonImage", Bmp(18 * 18, 18, ButtonStrip));
  if (shape.borderImages) {
    w.AddImage("FormLeftBorderImage", Bmp(5, 6, Solid<kSide>));
    w.AddImage("FormBottomBorderImage", Bmp(30, 5, BottomThirds));
    w.AddImage("TitleBarMinimizedImage", Bmp(10, 10, Solid<kMinimized>));
  } else {
    w.AddInteger("FormBorderWidthInt", 1);
  }
  w.AddInteger("TitleBarButtonTopInt", 9);
  w.AddInteger("TitleBarButtonLeftOffsetInt", 20);
  w.AddInteger("TitleBarButtonRightOffsetInt", -6);
  w.AddInteger("FormRoundCornerInt", 8);
  w.AddInteger("FormBottomRoundCornerInt", 0);
  w.AddInteger("FormBackgroundColor", kBackground);
  w.AddInteger("FormBorderColor", kBorder);
  w.AddInteger("TitleBarFontColor", 0xFFFFFF);
  return w.Build();
}

// A skinner with the system icon and every caption button, made as the engine makes its own:
// two-phase.
class TAllButtons : public TzubSkinWindowWnd {
 public:
  using TzubSkinWindowWnd::TzubSkinWindowWnd;
  bool HasSystemIcon() override { return true; }
  bool HasMaximizeButton() override { return true; }
  bool HasMinimizeButton() override { return true; }
  bool HasHelpButton() override { return true; }
};

// ---- A plain top-level window that logs what reaches its own procedure ----

constexpr UINT kMarker = WM_APP + 7;
struct Log {
  int cancels = 0;
  int markers = 0;
  int ncReleases = 0;
} wndLog;

LRESULT CALLBACK LoggingProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) ++wndLog.cancels;
  if (msg == kMarker) ++wndLog.markers;
  if (msg == WM_NCLBUTTONUP) ++wndLog.ncReleases;
  return DefWindowProcA(h, msg, wp, lp);
}

HWND MakeWindow(int x, int y, bool visible, const char* caption = "") {
  static ATOM atom = [] {
    WNDCLASSA c{};
    c.lpfnWndProc = LoggingProc;
    c.hInstance = GetModuleHandleA(nullptr);
    c.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    c.hCursor = LoadCursor(nullptr, IDC_ARROW);
    c.lpszClassName = "ZubSkinWindowTest";
    return RegisterClassA(&c);
  }();
  (void)atom;
  wndLog = {};
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | (visible ? WS_VISIBLE : 0);
  return CreateWindowExA(0, "ZubSkinWindowTest", caption, style, x, y, 400, 300, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

RECT WindowRectOf(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}
RECT ClientRectOf(HWND h) {
  RECT r{};
  GetClientRect(h, &r);
  return r;
}
POINT ClientOrigin(HWND h) {  // in window coordinates
  POINT p{0, 0};
  ClientToScreen(h, &p);
  const RECT w = WindowRectOf(h);
  return {p.x - w.left, p.y - w.top};
}
bool HasRegion(HWND h) {
  GdiObject<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
  return GetWindowRgn(h, rgn.get()) != ERROR;
}
// What the window's own surface holds now, before anything reaches the screen.
COLORREF WindowPixel(HWND h, int x, int y) {
  HDC dc = GetWindowDC(h);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(h, dc);
  return c;
}
COLORREF ScreenPixel(int x, int y) {
  DeviceContext screen;
  return GetPixel(screen.get(), x, y);
}

// The icons this process holds, found by their handles.
int IconCount() {
  int n = 0;
  for (ULONG_PTR i = 0x20; i <= 0xFFFF; i += 2) {
    ICONINFO info;
    if (!GetIconInfo(reinterpret_cast<HICON>(i), &info)) continue;
    ++n;
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
  return n;
}

// Real X input: returns once xdotool has sent it, so no run overtakes the one before; the test
// waits on what it causes, never on time.
void Xdo(const std::string& args) {
  std::string cmd = "Z:\\usr\\bin\\xdotool " + args;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  // Wine may hand back stray values for a Unix program: closing them could close our own output.
  if (!pi.hProcess || GetProcessId(pi.hProcess) != pi.dwProcessId) return;
  WaitForSingleObject(pi.hProcess, 30000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}
void ClickAt(POINT p) { Xdo("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " click 1"); }
// Puts the pointer there and waits until it is.
void PointAt(POINT p) {
  Xdo("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y));
  WaitUntil([&] {
    POINT at{};
    GetCursorPos(&at);
    return at.x == p.x && at.y == p.y;
  });
}
// Parks the pointer where no test window lies, and waits until it is there.
void ParkPointer() { PointAt({1270, 1010}); }

// ---- The engine on its form, with a skin loaded ----

class SkinWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = Create<TForm>(nullptr, true);
    engine = Create<TzubSkinEngine>(form);
  }
  void TearDown() override {
    for (HWND h : windows) DestroyWindow(h);
    form->Free();
    std::remove(path.c_str());
  }
  void UseSkin(const SkinShape& shape, bool active = true) {
    const std::vector<uint8_t> bytes = BuildSkin(shape);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    engine->SetSkinFile(path);
    engine->SetActive(active);
    ASSERT_EQ(engine->FBorderWidth, shape.border);
  }
  HWND Window(int x, int y, bool visible, const char* caption = "") {
    HWND h = MakeWindow(x, y, visible, caption);
    windows.push_back(h);
    return h;
  }
  TzubSkinWindow* SkinnerOf(HWND h) {
    for (TzubSkinWindow* w : engine->FWindows)
      if (w->GetHandle() == h) return w;
    return nullptr;
  }
  template <class T = TzubSkinWindowWnd>
  T* Skin(HWND h) {
    T* skinner = Create<T>(nullptr, h, true, engine);
    engine->FWindows.push_back(skinner);
    return skinner;
  }

  TForm* form = nullptr;
  TzubSkinEngine* engine = nullptr;
  std::vector<HWND> windows;
  std::string path = "skinwindow_test.zub";
};

// ---- Geometry that needs the platform but no window ----

TEST(SkinWindowRegion, OnlyTheUpperCornersAreRound) {
  struct Case {
    int round, bottomRound;
    POINT p;
    bool inside;
  } cases[] = {{8, 0, {0, 0}, false},     {8, 0, {399, 0}, false},  {8, 0, {4, 0}, true},   {8, 0, {0, 4}, true},
               {8, 0, {0, 299}, true},    {8, 0, {399, 299}, true}, {8, 0, {0, 149}, true}, {8, 0, {400, 150}, false},
               {8, 8, {0, 299}, false},   {8, 8, {399, 299}, false}, {8, 8, {0, 151}, true}, {-1, -1, {0, 0}, true}};
  for (const Case& c : cases) {
    GdiObject<HRGN> rgn(CreateSkinWindowRegion(400, 300, c.round, c.bottomRound));
    EXPECT_EQ(PtInRegion(rgn.get(), c.p.x, c.p.y) != 0, c.inside)
        << c.round << "/" << c.bottomRound << " at " << c.p.x << "," << c.p.y;
  }
}

// ---- Skinned and unskinned ----

TEST_F(SkinWindowTest, SkinningFramesTheWindowAndUnskinningGivesEverythingBack) {
  for (const SkinShape* shape : {&kFramed, &kThin}) {
    SCOPED_TRACE(shape->name);
    UseSkin(*shape);
    HWND h = Window(100, 100, true);
    const RECT window0 = WindowRectOf(h), client0 = ClientRectOf(h);
    const LONG_PTR style0 = GetWindowLongPtrA(h, GWL_STYLE), proc0 = GetWindowLongPtrA(h, GWLP_WNDPROC);
    const int caption = (window0.bottom - window0.top) - client0.bottom;

    engine->SkinWindowEx(h, true);
    ASSERT_NE(SkinnerOf(h), nullptr);
    const int side = std::max(shape->border, 4), bottom = shape->bottom ? shape->bottom : side;
    const RECT window1 = WindowRectOf(h), client1 = ClientRectOf(h);
    EXPECT_EQ(window1.right - window1.left, 400 + 2 * shape->border);
    EXPECT_EQ(window1.bottom - window1.top, 300 + 31 - caption + shape->bottom);
    EXPECT_EQ(client1.right, window1.right - window1.left - 2 * side);
    EXPECT_EQ(client1.bottom, window1.bottom - window1.top - 31 - bottom);
    EXPECT_EQ(ClientOrigin(h).x, side);
    EXPECT_EQ(ClientOrigin(h).y, 31);
    EXPECT_EQ(GetWindowLongPtrA(h, GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_TRUE(HasRegion(h));
    EXPECT_EQ(SendMessageA(h, ZM_ISSKINNED, 0, 0), 1);
    for (HWND active : {Window(700, 500, true), h}) {  // 1 while active, 2 while another window is
      SetForegroundWindow(active);
      EXPECT_TRUE(WaitUntil([&] { return SendMessageA(h, ZM_GETACTIVESTATE, 0, 0) == (active == h ? 1 : 2); }));
    }
    EXPECT_EQ(SendMessageA(h, ZM_GETMENUBARHEIGHT, 0, 0), 0);

    engine->UnskinWindow(h);
    EXPECT_EQ(SkinnerOf(h), nullptr);
    const RECT window2 = WindowRectOf(h), client2 = ClientRectOf(h);
    EXPECT_TRUE(EqualRect(&window2, &window0));
    EXPECT_TRUE(EqualRect(&client2, &client0));
    EXPECT_EQ(GetWindowLongPtrA(h, GWL_STYLE), style0);  // visible still, system menu back
    EXPECT_FALSE(HasRegion(h));
    EXPECT_EQ(GetWindowLongPtrA(h, GWLP_WNDPROC), proc0);
    EXPECT_EQ(SendMessageA(h, ZM_ISSKINNED, 0, 0), 0);
  }
}

TEST_F(SkinWindowTest, AWindowFirstSkinnedWhileOffGrowsOnceShrinksOnceAndGoesWithItsSkinner) {
  UseSkin(kFramed, false);
  HWND h = Window(100, 100, true);
  const RECT window0 = WindowRectOf(h);
  engine->SkinWindowEx(h, true);  // the first pass runs unskinned: nothing to shrink
  RECT r = WindowRectOf(h);
  EXPECT_TRUE(EqualRect(&r, &window0));
  engine->SetActive(true);
  EnableWindow(h, FALSE);  // as its own modal box does: switching the skin keeps it so
  engine->SetActive(true);
  r = WindowRectOf(h);
  EXPECT_EQ(r.right - r.left, 410);
  engine->SetActive(false);
  r = WindowRectOf(h);
  EXPECT_TRUE(EqualRect(&r, &window0));
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_FALSE(IsWindowEnabled(h));
  DestroyWindow(h);  // the engine is off: its skinner goes all the same
  EXPECT_TRUE(engine->FWindows.empty());
}

// ---- Painting ----

TEST_F(SkinWindowTest, PaintNonClientDrawsTitlePiecesButtonsAndBordersOffScreen) {
  struct Probe {
    const SkinShape* skin;
    const char* what;
    int x, y;
    uint32_t colour;
  } probes[] = {
      {&kFramed, "title left", 10, 15, kLeft},
      {&kFramed, "title client", 200, 5, kClient},
      {&kFramed, "title right", 390, 5, kRight},
      {&kFramed, "close", 376 + 9, 18, SliceColour(16)},
      {&kFramed, "maximize", 356 + 9, 18, SliceColour(7)},
      {&kFramed, "minimize", 336 + 9, 18, SliceColour(13)},
      {&kFramed, "help", 316 + 9, 18, SliceColour(4)},
      {&kFramed, "system icon", 20 + 4 + 8, 9 + 8, kAppIcon},
      {&kFramed, "left border", 2, 150, kSide},
      {&kFramed, "right border", 397, 150, kSide},
      {&kFramed, "bottom left end", 3, 297, kBottom1},
      {&kFramed, "bottom middle", 200, 297, kBottom2},
      {&kFramed, "bottom right end", 396, 297, kBottom3},
      {&kThin, "title inside the left border", 10, 15, kLeft},
      {&kThin, "left border", 0, 150, kBorder},
      {&kThin, "left gap", 2, 150, kBackground},
      {&kThin, "right gap", 397, 150, kBackground},
      {&kThin, "bottom border", 200, 299, kBorder},
      {&kThin, "bottom gap", 200, 297, kBackground},
  };
  for (const SkinShape* shape : {&kFramed, &kThin}) {
    UseSkin(*shape);
    ParkPointer();
    HWND h = Window(100, 100, false);  // hidden: no first pass, the window keeps its size
    TzubSkinWindow* skinner = Skin<TAllButtons>(h);
    TBitmap shot;
    shot.SetSize(400, 300);
    skinner->PaintNonClient(shot.Canvas()->Handle());
    for (const Probe& p : probes) {
      if (p.skin != shape) continue;
      EXPECT_EQ(static_cast<uint32_t>(shot.Canvas()->Pixels(p.x, p.y)), p.colour) << shape->name << ": " << p.what;
    }
    const int icons = IconCount();  // the program's icon is made once, not at every paint
    for (int i = 0; i < 20; ++i) skinner->PaintNonClient(shot.Canvas()->Handle());
    EXPECT_EQ(IconCount(), icons);
    engine->UnskinWindow(h);
  }
}

TEST_F(SkinWindowTest, MinimisedAndNarrowTitlesOffScreen) {
  UseSkin(kFramed);
  ParkPointer();
  struct Probe {
    int x, y;
    uint32_t colour;
    bool drawn;
  };
  const struct {
    const char* what;
    int width;
    bool minimized;
    std::vector<Probe> probes;
  } cases[] = {
      {"minimised: its own image, the buttons lower and further right, no borders", 400, true,
       {{200, 15, kMinimized, true}, {377 + 9, 4 + 2, SliceColour(16), true}, {2, 150, kSide, false}}},
      // The right image leaves the left one no room: cut to 50 columns, its last 25 from 25 on.
      {"narrow dialog: the title's left image cut", 70, false, {{30, 3, kLeftTail, true}, {55, 3, kRight, true}}},
  };
  for (const auto& c : cases) {
    HWND h = Window(100, 100, false);
    SetWindowPos(h, nullptr, 0, 0, c.width, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (c.minimized) SetWindowLongPtrA(h, GWL_STYLE, GetWindowLongPtrA(h, GWL_STYLE) | WS_MINIMIZE);
    TzubSkinWindow* skinner = Skin(h);
    TBitmap shot;
    shot.SetSize(c.width, 300);
    skinner->PaintNonClient(shot.Canvas()->Handle());
    for (const Probe& p : c.probes)
      EXPECT_EQ(static_cast<uint32_t>(shot.Canvas()->Pixels(p.x, p.y)) == p.colour, p.drawn)
          << c.what << " at " << p.x << "," << p.y;
    engine->UnskinWindow(h);
  }
}

TEST_F(SkinWindowTest, TheSkinnedFrameIsPaintedAgainAfterThePlatformPaintsItsCaption) {
  UseSkin(kFramed);
  ParkPointer();
  HWND h = Window(100, 100, true, "Caption");
  Skin(h);
  ASSERT_TRUE(WaitUntil([&] { return WindowPixel(h, 10, 15) == kLeft; }));
  struct Case {
    const char* what;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
  } cases[] = {{"WM_SETICON", WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIcon(nullptr, IDI_APPLICATION))},
               {"WM_SETTEXT", WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Another caption")},
               {"WM_NCACTIVATE", WM_NCACTIVATE, FALSE, 0}};
  for (const Case& c : cases) {
    SendMessageA(h, c.msg, c.wp, c.lp);
    EXPECT_EQ(WindowPixel(h, 10, 15), kLeft) << c.what;
  }
}

// ---- Caption buttons with real input ----

TEST_F(SkinWindowTest, AClickOnTheCloseButtonClosesTheWindowAsCancel) {
  // Row 25 of the framed skin's button lies below the platform's caption; the thin skin's border
  // is narrower than 4, and its button's first column is hit only from the right origin.
  struct Case {
    const SkinShape* skin;
    POINT inTitle;  // title-bitmap coordinates
  } cases[] = {{&kFramed, {376 + 9 + 10, 25}}, {&kThin, {376, 12}}};
  for (const Case& c : cases) {
    UseSkin(*c.skin);
    HWND h = Window(100, 100, true);
    engine->SkinWindowEx(h, true);
    const RECT r = WindowRectOf(h);
    ClickAt({r.left + c.skin->titleX + c.inTitle.x, r.top + c.inTitle.y});
    EXPECT_TRUE(WaitUntil([] { return wndLog.cancels == 1; })) << c.skin->name;
    engine->UnskinWindow(h);
  }
}

TEST_F(SkinWindowTest, AReleaseOnTheCloseButtonAfterAPressElsewhereRunsNothing) {
  UseSkin(kFramed);
  HWND h = Window(100, 100, true);
  engine->SkinWindowEx(h, true);
  const RECT r = WindowRectOf(h);
  const POINT close{r.left + 376 + 9 + 10, r.top + 18};
  const std::string at = std::to_string(close.x) + " " + std::to_string(close.y);
  // One run of xdotool, so the events come in this order: the last click is the one that counts.
  Xdo("mousemove " + std::to_string(r.left + 200) + " " + std::to_string(r.top + 150) + " mousedown 1 mousemove " +
      at + " mouseup 1 click 1");
  ASSERT_TRUE(WaitUntil([] { return wndLog.ncReleases == 2; }));
  // A release posts SC_CLOSE, which posts IDCANCEL: two rounds of the queue see both through.
  for (int round = 1; round <= 2; ++round) {
    PostMessageA(h, kMarker, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return wndLog.markers == round; }));
  }
  EXPECT_EQ(wndLog.cancels, 1);
}

TEST_F(SkinWindowTest, ADoubleClickOnTheCaptionMaximisesAndRestores) {
  UseSkin(kFramed);
  HWND h = Window(100, 100, true, "Double click");
  Skin<TAllButtons>(h);
  RECT r = WindowRectOf(h);
  Xdo("mousemove " + std::to_string(r.left + 150) + " " + std::to_string(r.top + 15) + " click --repeat 2 1");
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(h) != 0; }));
  r = WindowRectOf(h);
  Xdo("mousemove " + std::to_string(r.left + 150) + " " + std::to_string(r.top + 15) + " click --repeat 2 1");
  EXPECT_TRUE(WaitUntil([&] { return !IsZoomed(h); }));
}

TEST_F(SkinWindowTest, ClicksOnTheCaptionButtonsCornersRunTheirCommands) {
  UseSkin(kFramed);
  HWND h = Window(100, 100, true, "Buttons");
  Skin<TAllButtons>(h);
  // A button's box from the window's right edge, 18 pixels plus the edge each way.
  struct Case {
    const char* what;
    int fromRight;
    POINT corner;
    bool zoomed, iconic;
  } cases[] = {{"maximize, top left", 44, {0, 0}, true, false},
               {"restore, bottom right", 44, {18, 18}, false, false},
               {"minimize, top right", 64, {18, 0}, false, true}};
  for (const Case& c : cases) {
    const RECT r = WindowRectOf(h);
    ClickAt({r.right - c.fromRight + c.corner.x, r.top + 9 + c.corner.y});
    EXPECT_TRUE(WaitUntil([&] { return (IsZoomed(h) != 0) == c.zoomed && (IsIconic(h) != 0) == c.iconic; })) << c.what;
  }
}

// A second thread waits for the shown pop-up menu, takes where it lies and closes it; its exit
// code is 0 when it saw one.
DWORD WINAPI SeeAndCloseMenu(void* param) {
  HWND menu = WaitForShownMenu();
  if (!menu) return 1;
  GetWindowRect(menu, static_cast<RECT*>(param));
  PostMessageA(PopupWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
  return 0;
}

TEST_F(SkinWindowTest, TheSystemIconIsHotInItsBoxOpensTheSystemMenuAndClosesOnADoubleClick) {
  UseSkin(kFramed);
  HWND h = Window(100, 100, true, "Icon");
  TzubSkinWindow* skinner = Skin<TAllButtons>(h);
  ASSERT_TRUE(WaitUntil([&] { return skinner->FirstSkinDone; }));
  const RECT r = WindowRectOf(h);
  // The box (24, 9)-(40, 25) of the title, its edges included.
  const struct {
    POINT at;
    int hot;
  } points[] = {{{24, 9}, ceSystemIcon}, {{40, 25}, ceSystemIcon}, {{23, 9}, ceNone}, {{41, 17}, ceNone}};
  for (const auto& p : points) {
    PointAt({r.left + p.at.x, r.top + p.at.y});
    skinner->PaintNonClient();
    EXPECT_EQ(skinner->HotButton, p.hot) << p.at.x << "," << p.at.y;
  }

  RECT menu{};
  HANDLE thread = CreateThread(nullptr, 0, SeeAndCloseMenu, &menu, 0, nullptr);
  ClickAt({r.left + 32, r.top + 17});
  ASSERT_TRUE(WaitUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 30000));
  DWORD missed = 1;
  GetExitCodeThread(thread, &missed);
  CloseHandle(thread);
  EXPECT_EQ(missed, 0u);
  EXPECT_EQ(menu.left, r.left + ClientOrigin(h).x);  // at the client area's top-left corner
  EXPECT_EQ(menu.top, r.top + ClientOrigin(h).y);
  EXPECT_EQ(engine->FSystemMenuWindow, skinner);

  // A real double click opens the menu on its first release, whose focus events then reach the
  // next test's windows: the pointer is real, the double click is sent.
  PointAt({r.left + 32, r.top + 17});
  SendMessageA(h, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(r.left + 32, r.top + 17));
  EXPECT_TRUE(WaitUntil([] { return wndLog.cancels == 1; }, 30000));
}

TEST_F(SkinWindowTest, ScreenshotsActiveInactiveHotAndPressed) {
  UseSkin(kFramed);
  ParkPointer();
  HWND other = Window(700, 500, true, "Other window");
  HWND h = Window(100, 100, true, "A skinned window with a long caption that ends in an ellipsis");
  TzubSkinWindow* skinner = Skin<TAllButtons>(h);
  SetForegroundWindow(h);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == h && skinner->Active; }));
  SaveScreenshot(h, "skinwindow_active");
  SetForegroundWindow(other);
  ASSERT_TRUE(WaitUntil([&] { return !skinner->Active; }));
  SaveScreenshot(h, "skinwindow_inactive");

  const RECT r = WindowRectOf(h);
  const POINT close{r.left + 386 + 9, r.top + 18};
  Xdo("mousemove " + std::to_string(close.x) + " " + std::to_string(close.y));
  EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(close.x, close.y) == SliceColour(17); }));
  SaveScreenshot(h, "skinwindow_close_hot");
  Xdo("mousedown 1");
  EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(close.x, close.y) == SliceColour(18); }));
  SaveScreenshot(h, "skinwindow_close_pressed");
  Xdo("mousemove 1270 1010 mouseup 1");
  ParkPointer();
}

TEST_F(SkinWindowTest, AfterATitleClickOrADragTheCloseButtonIsHotNotPressed) {
  UseSkin(kFramed);
  ParkPointer();
  HWND h = Window(100, 100, true, "Title");
  Skin<TAllButtons>(h);
  // Apart on the title, so that the two presses make no double click.
  const struct {
    const char* name;
    int x;
    std::string press;
    POINT moved;  // how far the press moves the window
  } cases[] = {{"title clicked", 150, "click 1", {0, 0}},
               {"dragged", 250, "mousedown 1 mousemove_relative 30 20 mouseup 1", {30, 20}}};
  for (const auto& c : cases) {
    const RECT r = WindowRectOf(h);
    Xdo("mousemove " + std::to_string(r.left + c.x) + " " + std::to_string(r.top + 15) + " " + c.press);
    // The caption press ends where the window has come to rest; then the pointer goes straight
    // to the button, crossing no free title.
    ASSERT_TRUE(WaitUntil([&] {
      const RECT now = WindowRectOf(h);
      return now.left == r.left + c.moved.x && now.top == r.top + c.moved.y && GetCapture() == nullptr;
    })) << c.name;
    const POINT close{r.left + 386 + 9 + c.moved.x, r.top + 18 + c.moved.y};
    Xdo("mousemove " + std::to_string(close.x) + " " + std::to_string(close.y));
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(close.x, close.y) == SliceColour(17); })) << c.name;
  }
  ParkPointer();
}

// The non-client right presses that this thread takes from its queue.
int titlePresses = 0;
LRESULT CALLBACK CountTitlePresses(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && wp == PM_REMOVE && reinterpret_cast<const MSG*>(lp)->message == WM_NCRBUTTONDOWN)
    ++titlePresses;
  return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(SkinWindowTest, ARightClickOnTheTitleOpensTheSkinsMenuOnceAtThePointerOnTheRelease) {
  UseSkin(kFramed);
  HWND h = Window(100, 100, true, "Right click");
  engine->SkinWindowEx(h, true);
  SetForegroundWindow(h);
  // Each menu shown runs its loop on this thread: noted and closed from there.
  std::vector<std::pair<HMENU, RECT>> shown;
  WatchWhileModal([&] {
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu && IsWindowVisible(menu)) {
      shown.push_back({reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)), WindowRectOf(menu)});
      EndMenu();
    }
    return false;
  });
  const RECT r = WindowRectOf(h);
  const POINT at{r.left + 150, r.top + 15};
  // The press alone, handled once this thread has taken it and the next message is due.
  titlePresses = 0;
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, CountTitlePresses, nullptr, GetCurrentThreadId());
  Xdo("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " mousedown 3");
  EXPECT_TRUE(WaitUntil([&] { return titlePresses == 1; }));
  UnhookWindowsHookEx(hook);
  EXPECT_TRUE(shown.empty()) << "a menu on the press";
  Xdo("mouseup 3");
  // Checked between messages: every menu the release brings has come and gone.
  EXPECT_TRUE(WaitUntil([&] { return !shown.empty() && !IsWindowVisible(FindWindowA("#32768", nullptr)); }));
  modal_testing::Pending() = [] { return true; };
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].first, engine->GetSystemMenu()->Handle());
  EXPECT_EQ(shown[0].second.left, at.x);
  EXPECT_EQ(shown[0].second.top, at.y);
}

// ---- Dialogs caught by the hook ----

TEST_F(SkinWindowTest, AMessageBoxGrowsByTheFrameAndClosesThroughItsSkinnedCloseButton) {
  UseSkin(kFramed);
  RECT plain{}, skinned{};
  int caption = 0;
  engine->SkinDialogs = false;
  WatchWhileModal([&] {
    HWND box = FindWindowA("#32770", "Skinned box");
    if (!box || !IsWindowVisible(box)) return false;
    plain = WindowRectOf(box);
    caption = (plain.bottom - plain.top) - ClientRectOf(box).bottom;
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    return true;
  });
  MessageBoxA(nullptr, "Text of the box", "Skinned box", MB_OK);

  engine->SkinDialogs = true;
  WatchWhileModal([&] {
    HWND box = FindWindowA("#32770", "Skinned box");
    if (!box || SendMessageA(box, ZM_ISSKINNED, 0, 0) != 1) return false;
    TzubSkinWindow* skinner = SkinnerOf(box);
    if (!skinner || !skinner->FirstSkinDone) return false;
    skinned = WindowRectOf(box);
    SaveScreenshot(box, "skinwindow_messagebox");
    ClickAt({skinned.right - 6 - 9 - 2, skinned.top + 18});
    return true;
  });
  EXPECT_EQ(MessageBoxA(nullptr, "Text of the box", "Skinned box", MB_OK), IDCANCEL);
  EXPECT_EQ(skinned.right - skinned.left, plain.right - plain.left + 10);
  EXPECT_EQ(skinned.bottom - skinned.top, plain.bottom - plain.top + 31 - caption + 5);
  EXPECT_TRUE(engine->FWindows.empty());
}

struct DialogLog {
  LONG_PTR procAtInit = 0, procAtDestroy = 0;
  bool destroyed = false;
} dialogLog;

INT_PTR CALLBACK LoggingDialog(HWND h, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      dialogLog.procAtInit = GetWindowLongPtrA(h, GWLP_WNDPROC);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDCANCEL) EndDialog(h, IDCANCEL);
      return TRUE;
    case WM_DESTROY:
      dialogLog.destroyed = true;
      dialogLog.procAtDestroy = GetWindowLongPtrA(h, GWLP_WNDPROC);
      return TRUE;
  }
  return FALSE;
}

TEST_F(SkinWindowTest, ADialogStillRunsItsOwnCleanUpWhenItsSkinnerGoes) {
  UseSkin(kFramed);
  // A dialog template: no controls, a caption.
  struct alignas(4) Template {
    DLGTEMPLATE t;
    WORD menu, cls;
    wchar_t title[8];
  } tpl{};
  tpl.t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  tpl.t.cx = 160;
  tpl.t.cy = 80;
  wcscpy(tpl.title, L"Cleanup");
  dialogLog = {};
  WatchWhileModal([&] {
    HWND dlg = FindWindowA("#32770", "Cleanup");
    if (!dlg || SendMessageA(dlg, ZM_ISSKINNED, 0, 0) != 1) return false;
    SkinnerOf(dlg)->DoClose();  // the skinned close button's command
    return true;
  });
  EXPECT_EQ(DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &tpl.t, nullptr, LoggingDialog, 0), IDCANCEL);
  EXPECT_TRUE(dialogLog.destroyed);
  EXPECT_EQ(dialogLog.procAtDestroy, dialogLog.procAtInit);  // its own procedure was back
  EXPECT_TRUE(engine->FWindows.empty());
}

TEST_F(SkinWindowTest, TheOpenFileDialogClosesThroughItsSkinnerAndOpensAgain) {
  UseSkin(kFramed);
  for (int round = 0; round < 2; ++round) {
    char file[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = "Skinned open";
    ofn.Flags = OFN_EXPLORER;
    WatchWhileModal([&] {
      HWND dlg = FindWindowA("#32770", "Skinned open");
      TzubSkinWindow* skinner = dlg ? SkinnerOf(dlg) : nullptr;
      if (!skinner || !skinner->FirstSkinDone) return false;
      skinner->DoClose();
      return true;
    });
    EXPECT_FALSE(GetOpenFileNameA(&ofn)) << round;
    EXPECT_EQ(CommDlgExtendedError(), 0u) << round;  // cancelled, not failed
    EXPECT_TRUE(engine->FWindows.empty()) << round;
  }
}

}  // namespace
