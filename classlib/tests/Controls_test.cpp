// What every control shares: one replaceable WindowProc, one window each, the mouse entering
// and leaving windowed and graphic controls; and a picture of a form holding one of each.
#include <gtest/gtest.h>

#include <cstdlib>

#include "Buttons.h"
#include "ComCtrls.h"
#include "ControlsTesting.h"
#include "ExtCtrls.h"
#include "Spin.h"
#include "StdCtrls.h"
#include "TrackBar.h"

namespace {

TEST(Controls, WindowProcSwappedForASpySeesEveryMessageAndIsRestored) {
  TestForm t("object Edit1: TEdit\n  Left = 10\n  Top = 10\n end");
  auto* edit = t.Get<TEdit>("Edit1");
  ASSERT_TRUE(edit);
  TWndMethod original = edit->WindowProc;
  {
    MessageSpy spy(edit);
    SetWindowTextA(edit->Handle(), "seen");
    SendMessageA(edit->Handle(), WM_SETFONT, 0, FALSE);
    edit->Perform(CM_TEXTCHANGED);
    EXPECT_TRUE(spy.Saw(WM_SETTEXT));
    EXPECT_TRUE(spy.Saw(WM_SETFONT));
    EXPECT_TRUE(spy.Saw(CM_TEXTCHANGED));
    EXPECT_EQ(edit->Text(), "seen");  // passed on to the control's own handling
  }
  EXPECT_TRUE(edit->WindowProc == original);
  SetWindowTextA(edit->Handle(), "after");
  EXPECT_EQ(edit->Text(), "after");
}

struct ChildCount {
  const char* cls;
  int n;
};
BOOL CALLBACK CountChild(HWND w, LPARAM lp) {
  auto* c = reinterpret_cast<ChildCount*>(lp);
  if (WindowClass(w) == c->cls) ++c->n;
  return TRUE;
}
int CountChildren(HWND parent, const char* cls) {
  ChildCount c{cls, 0};
  EnumChildWindows(parent, CountChild, reinterpret_cast<LPARAM>(&c));
  return c.n;
}

TEST(Controls, AControlAskedForItsWindowBeforeItsFormGetsOnlyOne) {
  TestForm t("object Button1: TButton\n end\n object Memo1: TMemo\n  Top = 40\n end");
  HWND button = t.Get<TButton>("Button1")->Handle();
  EXPECT_EQ(CountChildren(t.form->Handle(), "TButton"), 1);
  EXPECT_EQ(CountChildren(t.form->Handle(), "TMemo"), 1);
  EXPECT_EQ(GetParent(button), t.form->Handle());
  EXPECT_EQ(TWinControl::FromHandle(button), t.Get<TButton>("Button1"));
}

TEST(Controls, MouseEntersAndLeavesWindowedAndGraphicControls) {
  TestForm t(R"(
  object Label1: TLabel
    Left = 20
    Top = 20
    Caption = 'Width and height'
  end
  object Edit1: TEdit
    Left = 20
    Top = 80
  end)");
  auto* label = t.Get<TLabel>("Label1");
  auto* edit = t.Get<TEdit>("Edit1");
  ASSERT_TRUE(label && edit);
  t.Show();
  MessageSpy labelSpy(label), editSpy(edit), formSpy(t.form);
  // The pointer goes there and the window hears of it, as when the user moves the mouse.
  auto moveTo = [&](TWinControl* window, POINT p) {
    POINT screen = p;
    ClientToScreen(window->Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageA(window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  };
  moveTo(t.form, {300, 300});
  ASSERT_TRUE(WaitUntil([&] { return MouseControl() == t.form; }));
  moveTo(t.form, {label->Left() + 5, label->Top() + 5});
  EXPECT_TRUE(WaitUntil([&] { return labelSpy.Saw(CM_MOUSEENTER); }));
  EXPECT_EQ(MouseControl(), label);
  EXPECT_TRUE(formSpy.Saw(CM_MOUSELEAVE));
  moveTo(edit, {10, 10});
  EXPECT_TRUE(WaitUntil([&] { return editSpy.Saw(CM_MOUSEENTER); }));
  EXPECT_TRUE(labelSpy.Saw(CM_MOUSELEAVE));
  moveTo(t.form, {300, 300});
  EXPECT_TRUE(WaitUntil([&] { return editSpy.Saw(CM_MOUSELEAVE); }));
  EXPECT_TRUE(WaitUntil([&] { return MouseControl() == t.form; }));
  EXPECT_EQ(labelSpy.Count(CM_MOUSEENTER), 1);
  EXPECT_EQ(editSpy.Count(CM_MOUSEENTER), 1);
}

// A control whose platform handling notes whether the control held the mouse when the button
// went up.
template <class T>
class ReleaseProbe : public T {
 public:
  using T::T;
  void DefaultHandler(TMessage& m) override {
    if (m.Msg == WM_LBUTTONUP) held = GetCapture() == this->Handle();
    T::DefaultHandler(m);
  }
  bool held = false;
};

// Whether a T placed at Bounds on Form, pressed and released at At, saw its release holding the mouse.
template <class T>
bool HeldAtRelease(TWinControl* form, RECT bounds, POINT at) {
  auto* control = Create<ReleaseProbe<T>>(form);
  control->SetBounds(bounds.left, bounds.top, bounds.right, bounds.bottom);
  control->SetParent(form);
  SendMessageA(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageA(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  const bool held = control->held;
  control->Free();
  return held;
}

// The platform stops repeating an up-down's step or tracking a thumb at its own button-up, which
// it takes only while it holds the mouse. (The list view and the scroll bar track a press inside
// their handling of the press.)
TEST(Controls, PlatformControlsSeeTheirButtonGoUpWhileTheyHoldTheMouse) {
  TestForm t("");
  t.Show();
  const struct {
    const char* what;
    bool (*pressAndRelease)(TWinControl*, RECT, POINT);
    RECT bounds;  // left, top, width, height
    POINT at;
  } cases[] = {
      {"spin edit's arrows", HeldAtRelease<TSpinButton>, {10, 10, 15, 22}, {7, 4}},
      {"up-down", HeldAtRelease<TUpDown>, {40, 10, 17, 22}, {8, 17}},
      {"track bar", HeldAtRelease<TTrackBar>, {10, 50, 200, 40}, {100, 20}},
      {"edit", HeldAtRelease<TEdit>, {10, 100, 120, 21}, {20, 8}},
  };
  for (const auto& c : cases) EXPECT_TRUE(c.pressAndRelease(t.form, c.bounds, c.at)) << c.what;
  EXPECT_EQ(GetCapture(), nullptr);
}

// What the window shows at client point (X, Y).
COLORREF ScreenPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

TEST(Controls, ControlCanvasDrawsAGraphicControlOnItsParentMovedAndClipped) {
  TestForm t(R"(
  object Label1: TLabel
    Left = 50
    Top = 60
    Width = 40
    Height = 30
    AutoSize = False
  end
  object Edit1: TEdit
    Left = 200
    Top = 60
  end)");
  auto* label = t.Get<TLabel>("Label1");
  auto* edit = t.Get<TEdit>("Edit1");
  ASSERT_TRUE(label && edit);
  t.Show();
  HWND form = t.form->Handle();
  COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
  {
    TControlCanvas canvas;
    canvas.SetControl(label);
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect({-20, -20, 200, 200});  // far beyond the label: only the label's place is hit
    canvas.Pen()->SetColor(clBlue);
    canvas.MoveTo(0, 0);
    canvas.LineTo(1, 0);
    canvas.FreeHandle();
    EXPECT_EQ(ScreenPixel(form, 50, 60), blue);  // the canvas's origin is the label's corner
    EXPECT_EQ(ScreenPixel(form, 51, 60), red);
    EXPECT_EQ(ScreenPixel(form, 89, 89), red);
    EXPECT_NE(ScreenPixel(form, 49, 70), red);
    EXPECT_NE(ScreenPixel(form, 90, 70), red);
    EXPECT_NE(ScreenPixel(form, 70, 90), red);
    EXPECT_NE(ScreenPixel(form, 70, 59), red);

    canvas.SetControl(edit);  // a windowed control draws on its own window
    canvas.Brush()->SetColor(clBlue);
    canvas.FillRect({0, 0, 4, 4});
    canvas.SetControl(nullptr);  // gives the DC back
    EXPECT_FALSE(canvas.HandleAllocated());
    EXPECT_EQ(ScreenPixel(edit->Handle(), 0, 0), blue);
    EXPECT_THROW(canvas.Handle(), EInvalidOperation);  // no control, nothing to draw on
  }
}

std::string PanelText(const char* name, const char* props) {
  return std::string("  object ") + name + ": TPanel\n" + props + "\n  end\n";
}

// Where the window of a windowed control really lies in its parent's client area.
RECT WindowBounds(TWinControl* c) {
  RECT r;
  GetWindowRect(c->Handle(), &r);
  MapWindowPoints(nullptr, GetParent(c->Handle()), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST(Layout, AlignedAndAnchoredChildrenFollowTheirParentsResize) {
  // Described at a client size of 500 x 400, then resized to 700 x 500.
  TestForm t(PanelText("Top2", "    Top = 50\n    Height = 20\n    Align = alTop") +
             PanelText("Top1", "    Top = 0\n    Height = 30\n    Align = alTop") +
             PanelText("Bottom1", "    Height = 25\n    Align = alBottom") +
             PanelText("Left1", "    Width = 40\n    Align = alLeft") +
             PanelText("Client1", "    Align = alClient") +
             PanelText("RightBottom", "    Left = 400\n    Top = 340\n    Width = 80\n    Height = 25\n"
                                      "    Anchors = [akRight, akBottom]") +
             PanelText("LeftRight", "    Left = 100\n    Top = 100\n    Width = 300\n    Height = 21\n"
                                    "    Anchors = [akLeft, akTop, akRight]") +
             PanelText("AllFour", "    Left = 100\n    Top = 150\n    Width = 300\n    Height = 100\n"
                                  "    Anchors = [akLeft, akTop, akRight, akBottom]") +
             PanelText("Centred", "    Left = 200\n    Top = 10\n    Width = 100\n    Height = 20\n"
                                  "    Anchors = [akTop]") +
             PanelText("Plain", "    Left = 5\n    Top = 6\n    Width = 7\n    Height = 8"));
  t.Show();
  t.form->SetClientWidth(700);
  t.form->SetClientHeight(500);
  ASSERT_EQ(t.form->ClientWidth(), 700);
  ASSERT_EQ(t.form->ClientHeight(), 500);
  const struct {
    const char* name;
    RECT bounds;
  } cases[] = {
      {"Top1", {0, 0, 700, 30}},           // the top bars stack by their position
      {"Top2", {0, 30, 700, 50}},
      {"Bottom1", {0, 475, 700, 500}},
      {"Left1", {0, 50, 40, 475}},         // what the bars leave
      {"Client1", {40, 50, 700, 475}},     // the rest
      {"RightBottom", {600, 440, 680, 465}},
      {"LeftRight", {100, 100, 600, 121}},
      {"AllFour", {100, 150, 600, 350}},
      {"Centred", {300, 10, 400, 30}},     // its centre stays at half the width
      {"Plain", {5, 6, 12, 14}},
  };
  for (const auto& c : cases) {
    auto* panel = t.Get<TWinControl>(c.name);
    ASSERT_TRUE(panel);
    const RECT b = panel->BoundsRect(), w = WindowBounds(panel);
    EXPECT_TRUE(EqualRect(&b, &c.bounds)) << c.name << ": " << b.left << "," << b.top << "," << b.right << "," << b.bottom;
    EXPECT_TRUE(EqualRect(&w, &c.bounds)) << c.name << " window: " << w.left << "," << w.top << "," << w.right << "," << w.bottom;
  }
  t.Get<TWinControl>("Top1")->SetVisible(false);  // a hidden bar gives its room back
  EXPECT_EQ(t.Get<TWinControl>("Top2")->Top(), 0);
  EXPECT_EQ(t.Get<TWinControl>("Client1")->Top(), 20);
}

TEST(Layout, ConstraintsHoldAgainstSetBoundsAndAFrameSizedOutside) {
  TestForm t(R"(
  Constraints.MinWidth = 300
  Constraints.MinHeight = 200
  Constraints.MaxWidth = 600
  Constraints.MaxHeight = 450
  object Panel1: TPanel
    Width = 100
    Height = 100
    Constraints.MaxWidth = 50
    Constraints.MinHeight = 120
  end)");
  t.Show();
  TForm* form = t.form;
  HWND wnd = form->Handle();
  const struct {
    const char* name;
    bool outside;  // sized by the platform, not through SetBounds
    int width, height;
    int expectedWidth, expectedHeight;
  } cases[] = {
      {"SetBounds below the minimum", false, 200, 100, 300, 200},
      {"SetBounds above the maximum", false, 800, 900, 600, 450},
      {"SetBounds within", false, 400, 300, 400, 300},
      {"frame sized below the minimum", true, 250, 150, 300, 200},
      {"frame sized above the maximum", true, 900, 700, 600, 450},
  };
  for (const auto& c : cases) {
    if (c.outside) SetWindowPos(wnd, nullptr, 0, 0, c.width, c.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    else form->SetBounds(form->Left(), form->Top(), c.width, c.height);
    RECT r;
    GetWindowRect(wnd, &r);
    EXPECT_EQ(r.right - r.left, c.expectedWidth) << c.name;
    EXPECT_EQ(r.bottom - r.top, c.expectedHeight) << c.name;
    EXPECT_EQ(form->Width(), c.expectedWidth) << c.name;
    EXPECT_EQ(form->Height(), c.expectedHeight) << c.name;
  }
  MINMAXINFO info{};
  SendMessageA(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 300);
  EXPECT_EQ(info.ptMaxTrackSize.y, 450);
  auto* panel = t.Get<TWinControl>("Panel1");
  EXPECT_EQ(panel->Width(), 50);
  EXPECT_EQ(panel->Height(), 120);
  panel->Constraints()->SetMaxWidth(40);  // applied at once
  EXPECT_EQ(WindowBounds(panel).right - WindowBounds(panel).left, 40);
  panel->Constraints()->SetMaxHeight(100);  // below the minimum: the minimum follows
  EXPECT_EQ(panel->Constraints()->MinHeight(), 100);
  EXPECT_EQ(panel->Height(), 100);
}

TEST(Controls, RightToLeftOnlyWhereBiDiModeSaysSo) {
  const struct {
    TBiDiMode mode;
    bool alignment, reading;
    UINT left, right, centre;  // DrawTextBiDiModeFlags of DT_LEFT, DT_RIGHT, DT_CENTER
  } cases[] = {
      {bdLeftToRight, false, false, DT_LEFT, DT_RIGHT, DT_CENTER},
      {bdRightToLeft, true, true, DT_RIGHT | DT_RTLREADING, DT_LEFT | DT_RTLREADING, DT_CENTER | DT_RTLREADING},
      {bdRightToLeftNoAlign, false, true, DT_RTLREADING, DT_RIGHT | DT_RTLREADING, DT_CENTER | DT_RTLREADING},
      {bdRightToLeftReadingOnly, false, true, DT_RTLREADING, DT_RIGHT | DT_RTLREADING, DT_CENTER | DT_RTLREADING},
  };
  for (const auto& c : cases) {
    TestForm t("  BiDiMode = " + std::string(TypeInfo<TBiDiMode>()->EnumName(c.mode)) +
               "\n  object Panel1: TPanel\n  end\n  object Panel2: TPanel\n    BiDiMode = bdLeftToRight\n  end");
    auto* follows = t.Get<TControl>("Panel1");
    auto* own = t.Get<TControl>("Panel2");
    EXPECT_EQ(follows->BiDiMode(), c.mode);  // ParentBiDiMode
    EXPECT_EQ(own->BiDiMode(), bdLeftToRight);
    EXPECT_EQ(follows->UseRightToLeftAlignment(), c.alignment) << c.mode;
    EXPECT_EQ(follows->UseRightToLeftReading(), c.reading) << c.mode;
    EXPECT_EQ(follows->DrawTextBiDiModeFlags(DT_LEFT), c.left) << c.mode;
    EXPECT_EQ(follows->DrawTextBiDiModeFlags(DT_RIGHT), c.right) << c.mode;
    EXPECT_EQ(follows->DrawTextBiDiModeFlags(DT_CENTER), c.centre) << c.mode;
    t.form->SetBiDiMode(bdLeftToRight);  // followed later too
    EXPECT_EQ(follows->BiDiMode(), bdLeftToRight);
  }
}

// A form holding one of each control, written as a BMP into the folder SUITE_SHOTS names.
TEST(Controls, PictureOfAFormWithEveryControl) {
  TestForm t(R"(
  object Label1: TLabel
    Left = 16
    Top = 16
    Caption = 'Input DVD Directory:'
  end
  object Label7: TLabel
    Left = 16
    Top = 40
    Cursor = crHandPoint
    Caption = 'Help'
    Font.Color = clNavy
    Font.Height = -16
    Font.Style = [fsUnderline]
  end
  object Edit1: TEdit
    Left = 128
    Top = 16
    Width = 273
    Height = 21
    Text = 'C:\DVD'
  end
  object SpeedButton1: TSpeedButton
    Left = 410
    Top = 10
    Width = 41
    Height = 33
    Caption = '...'
    Flat = True
    Font.Style = [fsBold]
  end
  object ListView1: TListView
    Left = 128
    Top = 48
    Width = 249
    Height = 120
    Checkboxes = True
    Columns = <
      item
        Caption = 'Vob Files:'
        Width = 100
      end
      item
        Caption = 'Size'
        Width = 100
      end>
    RowSelect = True
    ViewStyle = vsReport
  end
  object ToolBar1: TToolBar
    Left = 400
    Top = 56
    Width = 81
    Height = 113
    ButtonHeight = 21
    ButtonWidth = 63
    Flat = True
    ShowCaptions = True
    object ToolButton1: TToolButton
      Caption = 'Select'
    end
    object ToolButton2: TToolButton
      Caption = 'Unselect'
    end
    object ToolButton4: TToolButton
      Caption = 'Select All'
    end
    object ToolButton3: TToolButton
      Caption = 'Unselect All'
    end
  end
  object SpinEdit3: TSpinEdit
    Left = 168
    Top = 180
    Width = 57
    Height = 22
    MaxValue = 1000
    MinValue = 0
    Value = 128
  end
  object Memo1: TMemo
    Left = 16
    Top = 212
    Width = 300
    Height = 60
    Lines.Strings = (
      'Please be patient..'
      'frame=  120 fps= 25')
  end
  object ProgressBar1: TProgressBar
    Left = 16
    Top = 280
    Width = 300
    Height = 9
    Smooth = True
    Position = 60
  end
  object ListBox1: TListBox
    Left = 330
    Top = 212
    Width = 150
    Height = 60
    Items.Strings = (
      'VTS_01_1.VOB'
      'VTS_01_2.VOB')
  end
  object Panel1: TPanel
    Left = 16
    Top = 300
    Width = 233
    Height = 65
    Cursor = crHandPoint
    BevelInner = bvRaised
    Caption = '3GP Video converter'
    Font.Style = [fsBold]
  end
  object Button1: TButton
    Left = 344
    Top = 310
    Width = 121
    Height = 41
    Caption = 'Convert'
  end)");
  auto* lv = t.Get<TListView>("ListView1");
  ASSERT_TRUE(lv);
  for (const char* name : {"VTS_01_1.VOB", "VTS_01_2.VOB"}) {
    TListItem* item = lv->Items()->Add();
    item->SetCaption(name);
    item->SubItems()->Add("1073709056");
  }
  lv->Items()->Item(0)->SetChecked(true);
  t.form->SetCaption("Every control");
  t.Show();
  for (int i = 0; i < 3; ++i) {
    RedrawWindow(t.form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WaitUntil([] { return false; }, 100);
  }

  RECT r;
  GetWindowRect(t.form->Handle(), &r);
  TBitmap shot;
  shot.SetSize(r.right - r.left, r.bottom - r.top);
  {
    DeviceContext screen;
    BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), screen.get(), r.left, r.top, SRCCOPY);
  }
  // The flat tool bar shows the form's face behind its buttons.
  auto* bar = t.Get<TToolBar>("ToolBar1");
  POINT corner{bar->Width() - 3, bar->Height() - 3};
  ClientToScreen(bar->Handle(), &corner);
  EXPECT_EQ(ColorToRGB(shot.Canvas()->Pixels(corner.x - r.left, corner.y - r.top)), ColorToRGB(clBtnFace));

  const char* folder = getenv("SUITE_SHOTS");
  if (!folder) GTEST_SKIP() << "SUITE_SHOTS is not set";
  std::string path = std::string("Z:") + folder + "/controls.bmp";
  for (char& c : path)
    if (c == '/') c = '\\';
  shot.SaveToFile(path);
  EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
