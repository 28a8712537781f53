// The control-skinner bases under Wine: the message flow around the control's own handling, a
// skinner freed from inside its own call, hooks given back, the border rules and the overlay
// scroll bars.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "ControlsTesting.h"
#include "ModalTesting.h"
#include "SkinControlTesting.h"
#include "StdCtrls.h"
#include "TzubSkinExtComboboxLikeControl.h"
#include "TzubSkinScrollWinControl.h"
#include "ZUBSkinHook.h"

using namespace skin_colours;

namespace {

constexpr UINT kMarker = WM_APP + 11;
std::vector<std::string> flow;  // what ran, in order
int freedSkinners = 0;

// Records each step of the flow; BeforeMessage answers as told.
template <class Base>
class TCounting : public Base {
 public:
  using Base::Base;
  ~TCounting() override { ++freedSkinners; }
  bool BeforeMessage(TMessage& m) override {
    if (m.Msg != kMarker) return true;
    flow.push_back("before");
    if (releaseInBefore) ReleaseSkinControl(this);
    m.Result = 7;
    return pass;
  }
  void AfterMessage(TMessage& m) override {
    Base::AfterMessage(m);
    if (m.Msg == kMarker) flow.push_back("after");
  }
  void AfterAttach() override { attachedTo = this->GetControlHandle(); }
  bool pass = true;
  bool releaseInBefore = false;
  HWND attachedTo = nullptr;
};
using TCountingVCL = TCounting<TzubSkinControlVCL>;
using TCountingWnd = TCounting<TzubSkinControlWnd>;

// The control's own handling, seen from below the skinner.
struct OwnHandling {
  explicit OwnHandling(TControl* c) : control(c), own(c->WindowProc) {
    c->WindowProc = TWndMethod::Bind<&OwnHandling::Proc>(this);
  }
  void Proc(TMessage& m) {
    own(m);
    if (m.Msg == kMarker) {
      flow.push_back("previous");
      m.Result = 3;
      if (onMarker) onMarker();
    }
  }
  TControl* control;
  TWndMethod own;
  std::function<void()> onMarker;
};

LRESULT CALLBACK PlainProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kMarker) {
    flow.push_back("previous");
    return 3;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

HWND PlainChild(HWND parent) {
  static ATOM atom = [] {
    WNDCLASSA c{};
    c.lpfnWndProc = PlainProc;
    c.hInstance = GetModuleHandleA(nullptr);
    c.lpszClassName = "ZubPlainChild";
    return RegisterClassA(&c);
  }();
  (void)atom;
  return CreateWindowExA(0, "ZubPlainChild", "", WS_CHILD | WS_VISIBLE, 10, 10, 60, 30, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

class SkinControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    flow.clear();
    freedSkinners = 0;
    window = TTestSkinWindow::Make(f.form->Handle(), false, f.engine);
  }
  void TearDown() override { window->Free(); }
  SkinnedEngineForm f;
  TzubSkinWindow* window = nullptr;
};

TEST_F(SkinControlTest, MessagesPassThroughBeforeThePreviousHandlingAndAfter) {
  const std::vector<std::string> all{"before", "previous", "after"}, swallowed{"before", "after"},
      passed{"previous"};
  const struct {
    const char* name;
    bool active;
    int32_t disabledTag, tag;
    bool pass;
    std::vector<std::string> expected;
    LRESULT result;  // of the class-library control's message
  } cases[] = {
      {"skinning", true, 9999, 0, true, all, 3},
      {"BeforeMessage keeps it", true, 9999, 0, false, swallowed, 7},
      {"engine not skinning", false, 9999, 0, true, passed, 3},
      {"disabled tag", true, 5, 5, true, passed, 3},
      {"disabled tag 0 excludes nothing", true, 0, 0, true, all, 3},
  };
  for (const auto& c : cases) {
    f.engine->SetActive(c.active);
    f.engine->DisabledTag = c.disabledTag;
    for (bool plain : {false, true}) {
      if (plain && c.tag) continue;  // a plain window has no tag
      flow.clear();
      TzubSkinControl* skinner = nullptr;
      TButton* button = nullptr;
      HWND child = nullptr;
      std::unique_ptr<OwnHandling> own;
      if (plain) {
        child = PlainChild(f.form->Handle());
        auto* s = static_cast<TCountingWnd*>(CreateSkinControl(&NewSkinControlWnd<TCountingWnd>, child, window));
        s->pass = c.pass;
        skinner = s;
        EXPECT_EQ(s->attachedTo, child) << "the descendant's AfterAttach ran";
      } else {
        button = Create<TButton>(f.form);
        button->SetParent(f.form);
        button->SetTag(c.tag);
        own = std::make_unique<OwnHandling>(button);
        auto* s = static_cast<TCountingVCL*>(CreateSkinControl(&NewSkinControlVCL<TCountingVCL>, button, window));
        s->pass = c.pass;
        skinner = s;
        EXPECT_EQ(s->attachedTo, button->Handle()) << "the descendant's AfterAttach ran";
      }
      const LRESULT result = SendMessageA(skinner->GetControlHandle(), kMarker, 0, 0);
      EXPECT_EQ(flow, c.expected) << c.name << (plain ? " (window)" : " (control)");
      EXPECT_EQ(result, c.result) << c.name;
      EXPECT_EQ(SendMessageA(skinner->GetControlHandle(), ZM_ISSKINNED, 0, 0),
                c.expected.size() == 1 ? 0 : 1)
          << c.name;
      ReleaseSkinControl(skinner);
      if (plain) DestroyWindow(child);
      if (button) button->Free();
    }
  }
}

TEST_F(SkinControlTest, ASkinnerReleasedInsideItsOwnCallGoesWhenTheCallReturns) {
  // From BeforeMessage, and from the control's own handling (a click handler that unskins).
  for (bool fromOwnHandling : {false, true}) {
    flow.clear();
    freedSkinners = 0;
    auto* button = Create<TButton>(f.form);
    button->SetParent(f.form);
    OwnHandling own(button);
    auto* s = static_cast<TCountingVCL*>(CreateSkinControl(&NewSkinControlVCL<TCountingVCL>, button, window));
    s->releaseInBefore = !fromOwnHandling;
    int freedDuringCall = -1;
    own.onMarker = [&] {
      if (fromOwnHandling) ReleaseSkinControl(s);
      freedDuringCall = freedSkinners;
    };
    SendMessageA(button->Handle(), kMarker, 0, 0);
    EXPECT_EQ(freedDuringCall, 0) << fromOwnHandling;
    EXPECT_EQ(freedSkinners, 1) << fromOwnHandling;
    EXPECT_EQ(flow, (std::vector<std::string>{"before", "previous"})) << "no AfterMessage once detached";
    EXPECT_EQ(SendMessageA(button->Handle(), ZM_ISSKINNED, 0, 0), 0);  // its own handling is back
    button->Free();
  }
}

// A dialog child whose own handling destroys the dialog: the dialog's skinner releases the
// child's skinner while the child's call runs through it.
LRESULT CALLBACK DestroyingChildProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kMarker) {
    flow.push_back("previous");
    DestroyWindow(GetParent(h));
    flow.push_back(freedSkinners ? "freed inside" : "alive inside");
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

TEST_F(SkinControlTest, ADialogDestroyedFromItsChildsHandlingFreesTheChildsSkinnerAfterwards) {
  WNDCLASSA c{};
  c.lpfnWndProc = DestroyingChildProc;
  c.hInstance = GetModuleHandleA(nullptr);
  c.lpszClassName = "ZubDestroyingChild";
  RegisterClassA(&c);
  std::vector<TzubSkinWndRegistration> saved = SkinWndClassTable;
  SkinWndClassTable = {{"ZUBDESTROYINGCHILD", &NewSkinControlWnd<TCountingWnd>}};
  HWND dialog = CreateWindowExA(0, "#32770", "Host", WS_POPUP | WS_CAPTION, 500, 100, 200, 120, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  HWND child = CreateWindowExA(0, "ZubDestroyingChild", "", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, dialog, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  f.engine->SkinWindowEx(dialog, true);
  SkinWndClassTable = saved;
  ASSERT_EQ(SendMessageA(child, ZM_ISSKINNED, 0, 0), 1);
  SendMessageA(child, kMarker, 0, 0);
  EXPECT_EQ(flow, (std::vector<std::string>{"before", "previous", "alive inside"}));
  EXPECT_EQ(freedSkinners, 1);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(SkinControlTest, UnhookingLeavesALaterSubclassInPlaceAndAWindowGoneIsLeftAlone) {
  static WNDPROC below = nullptr;
  static int laterCalls = 0;
  struct Later {
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
      if (m == kMarker) ++laterCalls;
      return CallWindowProcA(below, h, m, w, l);
    }
  };
  HWND child = PlainChild(f.form->Handle());
  TzubSkinControl* skinner = CreateSkinControl(&NewSkinControlWnd<TCountingWnd>, child, window);
  below = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Later::Proc)));
  ReleaseSkinControl(skinner);
  EXPECT_EQ(GetWindowLongPtrA(child, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&Later::Proc));
  flow.clear();
  EXPECT_EQ(SendMessageA(child, kMarker, 0, 0), 3);  // through what we left behind to the window's own
  EXPECT_EQ(flow, std::vector<std::string>{"previous"});
  EXPECT_EQ(laterCalls, 1);
  DestroyWindow(child);

  // The same for a control hooked through its WindowProc after its skinner.
  struct LaterHook {
    explicit LaterHook(TControl* c) : below(c->WindowProc) { c->WindowProc = TWndMethod::Bind<&LaterHook::Proc>(this); }
    void Proc(TMessage& m) {
      if (m.Msg == kMarker) ++laterCalls;
      below(m);
    }
    TWndMethod below;
  };
  auto* button = Create<TButton>(f.form);
  button->SetParent(f.form);
  OwnHandling own(button);
  skinner = CreateSkinControl(&NewSkinControlVCL<TCountingVCL>, button, window);
  LaterHook later(button);
  ReleaseSkinControl(skinner);
  EXPECT_EQ(freedSkinners, 2);
  flow.clear();
  EXPECT_EQ(SendMessageA(button->Handle(), kMarker, 0, 0), 3);
  EXPECT_EQ(flow, std::vector<std::string>{"previous"});
  EXPECT_EQ(laterCalls, 2);
  button->Free();

  // The window destroyed under a live skinner: nothing to give back when the skinner goes.
  child = PlainChild(f.form->Handle());
  auto* live = static_cast<TzubSkinControlWnd*>(CreateSkinControl(&NewSkinControlWnd<TCountingWnd>, child, window));
  DestroyWindow(child);
  EXPECT_EQ(live->Handle, nullptr);
  ReleaseSkinControl(live);
}

TEST_F(SkinControlTest, AControlFreedFirstTakesItsSkinnerWithIt) {
  auto* button = Create<TButton>(f.form);
  button->SetParent(f.form);
  window->ControlSkinners.push_back(CreateSkinControl(&NewSkinControlVCL<TCountingVCL>, button, window));
  button->Free();
  EXPECT_EQ(freedSkinners, 1);
  EXPECT_EQ(window->ControlSkinners, std::vector<TzubSkinControl*>{nullptr});
}

TEST_F(SkinControlTest, BordersByClassAndBorderStyle) {
  AddNoBorderClassName("TListBox");
  auto edit = [&](TBorderStyle style) {
    auto* e = Create<TEdit>(f.form);
    e->SetBorderStyle(style);
    return static_cast<TControl*>(e);
  };
  const struct {
    const char* name;
    TControl* control;
    bool border;
  } cases[] = {
      {"edit", edit(bsSingle), true},
      {"edit without border", edit(bsNone), false},
      {"button: no BorderStyle", Create<TButton>(f.form), true},
      {"notebook", Create<TNotebook>(f.form), false},
      {"class in NoBorderClassNames", Create<TListBox>(f.form), false},
  };
  f.form->Show();
  for (const auto& c : cases) {
    c.control->SetBounds(20, 20, 100, 60);
    c.control->SetParent(f.form);
    auto* s = static_cast<TzubSkinBorderWinControl*>(
        CreateSkinControl(&NewSkinControlVCL<TzubSkinBorderWinControl>, c.control, window));
    EXPECT_EQ(s->WantsBorder(), c.border) << c.name;
    if (c.border) {
      s->PaintSkin();
      HWND h = s->GetControlHandle();
      EXPECT_EQ(SurfacePixel(h, 0, 30), kBorder) << c.name;
      EXPECT_EQ(SurfacePixel(h, 1, 30), kInnerBorder) << c.name;
    }
    ReleaseSkinControl(s);
    c.control->Free();
  }
  NoBorderClassNames->Delete(NoBorderClassNames->Count() - 1);
}

// ---- Overlay scroll bars ----

class TScrollMemo : public TMemo {
 public:
  using TMemo::TMemo;
  DWORD bars = WS_VSCROLL;

 protected:
  void CreateParams(TCreateParams& p) override {
    TMemo::CreateParams(p);
    p.Style |= bars;
  }
};

std::string Lines(int n, int width = 0) {
  std::string text;
  for (int i = 0; i < n; ++i) text += "line " + std::to_string(i) + std::string(width, 'w') + "\r\n";
  return text;
}

TzubSkinScrollWinControl* AttachScrollSkinner(TWinControl* control, TzubSkinWindow* window) {
  return static_cast<TzubSkinScrollWinControl*>(
      CreateSkinControl(&NewSkinControlVCL<TzubSkinScrollWinControl>, control, window));
}

SCROLLBARINFO BarInfo(HWND h, LONG bar) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  GetScrollBarInfo(h, bar, &info);
  return info;
}

// The overlay lies over the control's bar: its end buttons, the thumb where the bar has it, the
// track beside it.
void ExpectOverlayOver(TzubSkinInternalScrollBar* overlay, HWND control, const char* name) {
  const bool vertical = overlay->BarKind == 0;
  const SCROLLBARINFO info = BarInfo(control, vertical ? OBJID_VSCROLL : OBJID_HSCROLL);
  RECT r{};
  GetWindowRect(overlay->Handle(), &r);
  EXPECT_TRUE(EqualRect(&r, &info.rcScrollBar)) << name << (vertical ? " vertical" : " horizontal");
  const int length = vertical ? r.bottom - r.top : r.right - r.left, across = 5;
  auto at = [&](int along) {
    return vertical ? SurfacePixel(overlay->Handle(), across, along) : SurfacePixel(overlay->Handle(), along, across);
  };
  EXPECT_EQ(at(2), kScrollButton) << name;
  EXPECT_EQ(at(length - 3), kScrollButton) << name;
  EXPECT_EQ(at((info.xyThumbTop + info.xyThumbBottom) / 2), kSlider) << name;
  EXPECT_EQ(at(info.xyThumbBottom + 2), kScrollBack) << name;
}

TEST_F(SkinControlTest, OverlaysLieOverTheBarsThatShowWhileSkinningAndVisible) {
  f.form->Show();
  enum Setup { kPlain, kScrolling, kBothBars, kHidden, kNoDrawScrollBar, kListView, kSingleLine };
  const struct {
    const char* name;
    Setup setup;
    bool vertical, horizontal;  // which overlays show
  } cases[] = {
      {"memo with its bar taken away", kPlain, false, false},
      {"memo with a scroll bar", kScrolling, true, false},
      {"memo with both bars", kBothBars, true, true},
      {"hidden memo", kHidden, false, false},
      {"DrawScrollBar off", kNoDrawScrollBar, false, false},
      {"list view with many items", kListView, true, false},
      {"single-line edit", kSingleLine, false, false},
  };
  for (const auto& c : cases) {
    TWinControl* control = nullptr;
    if (c.setup == kListView) {
      auto* list = Create<TListView>(f.form);
      list->SetViewStyle(vsReport);
      control = list;
    } else if (c.setup == kSingleLine) {
      control = Create<TEdit>(f.form);
    } else {
      auto* memo = Create<TScrollMemo>(f.form);
      if (c.setup == kBothBars) memo->bars |= WS_HSCROLL;
      control = memo;
    }
    control->SetBounds(20, 20, 150, 100);
    control->SetParent(f.form);
    if (auto* list = As<TListView>(control)) {
      list->Columns()->Add()->SetCaption("Name");
      for (int i = 0; i < 40; ++i) list->Items()->Add()->SetCaption("item " + std::to_string(i));
    } else if (c.setup == kPlain) {
      // With nothing to scroll, a bar taken away reads invisible and off screen together.
      ShowScrollBar(control->Handle(), SB_VERT, FALSE);
    } else if (c.setup != kSingleLine) {
      SetWindowTextA(control->Handle(), Lines(40, 60).c_str());
    }
    auto* s = AttachScrollSkinner(control, window);
    if (c.setup == kSingleLine) {
      EXPECT_EQ(s->VertBar, nullptr);
      EXPECT_EQ(s->HorzBar, nullptr);
    } else {
      ASSERT_NE(s->VertBar, nullptr) << c.name;
      if (c.setup == kHidden) control->Hide();
      f.engine->DrawScrollBar = c.setup != kNoDrawScrollBar;
      s->SkinStateChanged();
      s->PaintSkin();
      EXPECT_EQ(s->VertBar->Visible(), c.vertical) << c.name;
      EXPECT_EQ(s->HorzBar->Visible(), c.horizontal) << c.name;
      if (c.vertical) ExpectOverlayOver(s->VertBar, control->Handle(), c.name);
      if (c.horizontal) ExpectOverlayOver(s->HorzBar, control->Handle(), c.name);
      if (c.vertical) {
        // Switched off, the overlays go and the live bars show.
        f.engine->SetActive(false);
        s->SkinStateChanged();
        EXPECT_FALSE(s->VertBar->Visible()) << c.name;
        EXPECT_FALSE(s->HorzBar->Visible()) << c.name;
        f.engine->SetActive(true);
      }
    }
    f.engine->DrawScrollBar = true;
    ReleaseSkinControl(s);
    control->Free();
  }
}

// A memo scrolled to its top, skinned, on the shown form.
struct SkinnedMemo {
  SkinnedMemo(TForm* form, TzubSkinWindow* window, int lines) {
    memo = Create<TScrollMemo>(form);
    memo->SetBounds(20, 20, 150, 100);
    memo->SetParent(form);
    SetWindowTextA(memo->Handle(), Lines(lines).c_str());
    SendMessageA(memo->Handle(), EM_SETSEL, 0, 0);
    SendMessageA(memo->Handle(), EM_SCROLLCARET, 0, 0);
    skinner = AttachScrollSkinner(memo, window);
    skinner->SkinStateChanged();
    SetForegroundWindow(form->Handle());
  }
  ~SkinnedMemo() {
    Xdo("mousemove 1270 1010");
    ReleaseSkinControl(skinner);
    memo->Free();
  }
  LRESULT FirstLine() { return SendMessageA(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0); }
  RECT Overlay() {
    RECT r{};
    GetWindowRect(skinner->VertBar->Handle(), &r);
    return r;
  }
  TScrollMemo* memo;
  TzubSkinScrollWinControl* skinner;
};

TEST_F(SkinControlTest, QuickClicksOnTheOverlaysDownArrowScrollOneLineEach) {
  f.form->Show();
  SkinnedMemo m(f.form, window, 40);
  ASSERT_TRUE(m.skinner->VertBar->Visible());
  const RECT r = m.Overlay();
  // Within the double-click time: every second press comes as a double click.
  Xdo("mousemove " + XY({(r.left + r.right) / 2, r.bottom - 5}) + " click --repeat 4 --delay 80 1");
  WaitUntil([&] { return m.FirstLine() >= 4; });
  EXPECT_EQ(m.FirstLine(), 4);
}

TEST_F(SkinControlTest, AMemosOverlayThumbFollowsWhileItIsDragged) {
  f.form->Show();
  SkinnedMemo m(f.form, window, 20);
  const RECT r = m.Overlay();
  const SCROLLBARINFO info = BarInfo(m.memo->Handle(), OBJID_VSCROLL);
  const int x = (r.left + r.right) / 2, grab = r.top + (info.xyThumbTop + info.xyThumbBottom) / 2;
  const int drag = info.xyThumbBottom - info.xyThumbTop + 4;  // past the thumb's first place
  ASSERT_GT(info.xyThumbBottom - info.xyThumbTop, 12);
  // The memo scrolls its text inside the tracking loop; the overlay is read there.
  bool released = false;
  int ticks = 0;
  COLORREF under = CLR_INVALID;
  WatchWhileModal([&] {
    if (m.FirstLine() == 0 && ++ticks < 400) return false;
    under = SurfacePixel(m.skinner->VertBar->Handle(), 5, grab + drag - r.top);
    Xdo("mouseup 1");
    return released = true;
  });
  Xdo("mousemove " + XY({x, grab}) + " mousedown 1 mousemove " + XY({x, grab + drag}));
  ASSERT_TRUE(WaitUntil([&] { return released; }, 30000));
  EXPECT_GT(m.FirstLine(), 0);
  EXPECT_EQ(under, kSlider) << "the overlay's thumb under the pointer";
}

TEST_F(SkinControlTest, TheDropButtonIsFlatAndEveryPressReachesThePicker) {
  f.form->Show();
  auto* picker = Create<TDateTimePicker>(f.form);
  picker->SetBounds(20, 20, 150, 24);
  picker->SetParent(f.form);
  auto* s = static_cast<TzubSkinExtComboboxLikeControl*>(
      CreateSkinControl(&NewSkinControlVCL<TzubSkinExtComboboxLikeControl>, picker, window));
  s->SkinStateChanged();
  ASSERT_NE(s->Button, nullptr);
  HWND button = s->Button->Handle();
  // The right 16 pixels of the client area, filled, edged on the left, the arrow in the middle.
  RECT client{}, r{};
  GetClientRect(picker->Handle(), &client);
  GetWindowRect(button, &r);
  MapWindowPoints(nullptr, picker->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, client.right - 16);
  EXPECT_EQ(r.bottom - r.top, client.bottom);
  UpdateWindow(button);
  EXPECT_EQ(SurfacePixel(button, 0, 3), kBorder);
  EXPECT_EQ(SurfacePixel(button, 3, 3), kBackground);
  EXPECT_EQ(SurfacePixel(button, 8, client.bottom / 2 + 1), 0u);
  // Quick presses: the second of each pair comes as a double click.
  {
    MessageSpy spy(picker);
    Xdo("mousemove " + XY(CentreOf(button)) + " click --repeat 3 --delay 80 1");
    WaitUntil([&] { return spy.Count(WM_LBUTTONDOWN) >= 3; });
    EXPECT_EQ(spy.Count(WM_LBUTTONDOWN), 3);
    Xdo("key Escape mousemove 1270 1010");
  }
  ReleaseSkinControl(s);
  picker->Free();
}

TEST(SkinComboButton, MessagePositionsAreSigned) {
  const struct {
    DWORD pos;
    POINT point;
  } cases[] = {{0x00C80064, {100, 200}}, {0xFFF6FFEC, {-20, -10}}, {0x0005FFFF, {-1, 5}}};
  for (const auto& c : cases) {
    const POINT p = MessagePosToPoint(c.pos);
    EXPECT_EQ(p.x, c.point.x);
    EXPECT_EQ(p.y, c.point.y);
  }
}

}  // namespace
