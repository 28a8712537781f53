// The button family under Wine on a form read from its description, with a skin of solid
// colours: the button's clicks, its face by pixel, a TBitBtn's glyph in the four layouts, the
// check box's and the radio button's boxes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "Buttons.h"
#include "EngineTesting.h"
#include "FormReader.h"
#include "StdCtrls.h"
#include "TestLoop.h"
#include "SkinControlTesting.h"
#include "TzubSkinButton.h"
#include "TzubSkinWindowVCL.h"
#include "ZUBSkinUtils.h"

namespace {

using zubskin::SkinImage;

// Frames apart by colour (0x00BBGGRR); the bottom-left pixel of each is black, the glyphs'
// and radio boxes' transparent colour.
constexpr uint32_t kNormal = 0x0000C0, kHot = 0x00C000, kPressed = 0xC00000;
constexpr uint32_t kBoxes[4] = {0x0000A0, 0x00A000, 0xA00000, 0xA0A000};
constexpr uint32_t kGlyph = 0x00FFFF, kBack = 0x405060;

std::vector<uint8_t> Strip(int frameW, int h, std::vector<uint32_t> colours) {
  SkinImage image(frameW * static_cast<int>(colours.size()), h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < image.width; ++x)
      image.Set(x, y, (x % frameW == 0 && y == h - 1) ? 0 : zubskin::SkinRGB(colours[x / frameW] & 0xFF, (colours[x / frameW] >> 8) & 0xFF, colours[x / frameW] >> 16));
  return zubskin::EncodeBmp24(image);
}

std::string SkinHex(bool boxes) {
  zubskin::SkinFileWriter w;
  w.AddImage("TitleBarLeftImage", SolidBmp(10, 31, 0x0000C0));
  w.AddInteger("FormBackgroundColor", kBack);
  w.AddImage("ButtonImage", Strip(30, 20, {kNormal, kHot, kPressed}));
  if (boxes) {
    w.AddImage("CheckBoxImage", Strip(17, 17, {kBoxes[0], kBoxes[1], kBoxes[2], kBoxes[3]}));
    w.AddImage("RadioButtonImage", Strip(10, 10, {kBoxes[0], kBoxes[1], kBoxes[2], kBoxes[3]}));  // below 13 x 13
  }
  return Hex(w.Build());
}

class TButtonForm : public TForm {
  DECLARE_CLASS(TButtonForm, TForm)
 public:
  using TForm::TForm;
  void ButtonClick(TObject*) { ++clicks; }
  void RadioDblClick(TObject*) { ++dblClicks; }
  int clicks = 0, dblClicks = 0;
};
DEFINE_COMPONENT(TButtonForm, TForm, ({}),
                 ({Handler<&TButtonForm::ButtonClick>("ButtonClick"), Handler<&TButtonForm::RadioDblClick>("RadioDblClick")}))

TButtonForm* ReadButtonForm(bool boxes) {
  auto* form = Create<TButtonForm>(nullptr, true);
  ReadComponentText(form,
                    "object Form1: TButtonForm\n  Left = 40\n  Top = 40\n  ClientWidth = 300\n  ClientHeight = 150\n"
                    "  object Button1: TButton\n    Left = 8\n    Top = 8\n    Width = 75\n    Height = 25\n"
                    "    Caption = 'OK'\n    OnClick = ButtonClick\n  end\n"
                    "  object BitBtn1: TBitBtn\n    Left = 100\n    Top = 8\n    Width = 60\n    Height = 30\n"
                    "    Spacing = -1\n  end\n"
                    "  object CheckBox1: TCheckBox\n    Left = 8\n    Top = 50\n    Width = 100\n    Height = 17\n"
                    "    Alignment = taLeftJustify\n    Color = clRed\n    Caption = 'Check'\n  end\n"
                    "  object RadioButton1: TRadioButton\n    Left = 8\n    Top = 80\n    Width = 100\n    Height = 17\n"
                    "    Color = clRed\n    Caption = 'Radio'\n    OnDblClick = RadioDblClick\n  end\n"
                    "  object zubSkinEngine1: TzubSkinEngine\n    Active = True\n    SkinData = {" +
                        SkinHex(boxes) + "}\n  end\nend\n");
  form->Show();
  SetForegroundWindow(form->Handle());
  WaitUntil([form] { return GetForegroundWindow() == form->Handle(); });
  return form;
}

template <class T>
T* Find(TComponent* form, const char* name) {
  return As<T>(form->FindComponent(name));
}

TzubSkinWindowVCL* Skinner(TForm* form) {
  for (TzubSkinWindow* w : Find<TzubSkinEngine>(form, "zubSkinEngine1")->FWindows)
    if (w->GetHandle() == form->Handle()) return static_cast<TzubSkinWindowVCL*>(w);
  return nullptr;
}

COLORREF PixelOf(TWinControl* c, int x, int y) {
  HDC dc = GetDC(c->Handle());
  const COLORREF p = GetPixel(dc, x, y);
  ReleaseDC(c->Handle(), dc);
  return p;
}
COLORREF Rgb(uint32_t c) { return static_cast<COLORREF>(c); }
bool HasGrey(TWinControl* c) {
  HDC dc = GetDC(c->Handle());
  bool grey = false;
  for (int y = 0; y < c->Height() && !grey; ++y)
    for (int x = 0; x < c->Width() && !grey; ++x) grey = GetPixel(dc, x, y) == RGB(128, 128, 128);
  ReleaseDC(c->Handle(), dc);
  return grey;
}

class SkinButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    ZUBSkinEngineInitialization();
    RegisterSkinControlClasses({{TButton::StaticClass(), &NewSkinControlVCL<TzubSkinButton>},
                                {TCustomCheckBox::StaticClass(), &NewSkinControlVCL<TzubSkinCheckBox>},
                                {TRadioButton::StaticClass(), &NewSkinControlVCL<TzubSkinRadioButton>}});
  }
  void TearDown() override { ZUBSkinEngineFinalization(); }
};

TEST_F(SkinButtons, OneClickPerPressAndNoneForAPressThatLeftTheButton) {
  TButtonForm* form = ReadButtonForm(true);
  auto* button = Find<TButton>(form, "Button1");
  const HWND h = button->Handle();
  ASSERT_EQ(SendMessageA(h, ZM_ISSKINNED, 0, 0), 1);
  struct Msg {
    UINT msg;
    WPARAM wp;
    LPARAM at = MAKELPARAM(5, 5);
  };
  const UINT kOtherTakesTheMouse = WM_APP;  // the form takes the capture and lets it go
  const struct {
    const char* name;
    std::vector<Msg> input;
    int clicks;
  } cases[] = {
      {"mouse", {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}}, 1},
      {"double click", {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}, {WM_LBUTTONDBLCLK, MK_LBUTTON}, {WM_LBUTTONUP, 0}}, 1},
      {"space", {{WM_KEYDOWN, VK_SPACE}, {WM_CHAR, ' '}, {WM_KEYUP, VK_SPACE}}, 1},
      {"enter", {{WM_KEYDOWN, VK_RETURN}, {WM_CHAR, '\r'}, {WM_KEYUP, VK_RETURN}}, 1},
      {"ctrl+2", {{WM_CHAR, 0}}, 0},
      {"released outside", {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0, MAKELPARAM(-5, -5)}}, 0},
      {"left and back, released inside",
       {{WM_LBUTTONDOWN, MK_LBUTTON}, {CM_MOUSELEAVE, 0}, {CM_MOUSEENTER, 0}, {WM_LBUTTONUP, 0}}, 1},
      {"space while the mouse holds it",
       {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, VK_SPACE}, {WM_LBUTTONUP, 0}}, 1},
      {"cancel mode", {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_CANCELMODE, 0}, {WM_LBUTTONUP, 0}}, 0},
      {"focus lost", {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_KILLFOCUS, 0}, {WM_LBUTTONUP, 0}}, 0},
      {"mouse taken by another window", {{WM_LBUTTONDOWN, MK_LBUTTON}, {kOtherTakesTheMouse, 0}, {WM_LBUTTONUP, 0}}, 0},
  };
  for (const auto& c : cases) {
    button->SetFocus();
    form->clicks = 0;
    for (const Msg& m : c.input) {
      if (m.msg != kOtherTakesTheMouse) {
        SendMessageA(h, m.msg, m.wp, m.at);
      } else {
        SetCapture(form->Handle());
        ReleaseCapture();
      }
    }
    EXPECT_EQ(form->clicks, c.clicks) << c.name;
  }
  // A button on a named form embedded in the active one: the outer form's activity counts.
  auto* inner = Create<TForm>(form, true);
  inner->SetName("Inner");
  inner->SetBorderStyle(bsNone);
  inner->SetParent(form);
  inner->SetBounds(8, 100, 120, 40);
  auto* embedded = Create<TButton>(inner);
  embedded->SetParent(inner);
  embedded->SetBounds(4, 4, 75, 25);
  embedded->OnClick = TNotifyEvent::Bind<&TButtonForm::ButtonClick>(form);
  inner->Show();
  Skinner(form)->SkinControl(inner);
  ASSERT_EQ(SendMessageA(embedded->Handle(), ZM_ISSKINNED, 0, 0), 1);
  form->clicks = 0;
  SendMessageA(embedded->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(embedded->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(form->clicks, 1) << "a button of an embedded form";
  form->Free();
}

// Real input: the press holds the mouse, so a release back over the button clicks, however
// the pointer went meanwhile.
TEST_F(SkinButtons, APressTakesTheMouseAndItsReleaseBackOnTheButtonClicks) {
  TButtonForm* form = ReadButtonForm(true);
  auto* button = Find<TButton>(form, "Button1");
  const HWND h = button->Handle();
  const std::string on = XY(CentreOf(h));
  POINT off{200, 120};
  ClientToScreen(form->Handle(), &off);
  Xdo("mousemove " + on + " mousedown 1");
  EXPECT_TRUE(WaitUntil([&] { return GetCapture() == h; })) << "the press takes the mouse";
  Xdo("mousemove " + XY(off));
  EXPECT_TRUE(WaitUntil([&] { return PixelOf(button, 2, 12) != Rgb(kPressed); })) << "the leave";
  Xdo("mousemove " + on + " mouseup 1");
  EXPECT_TRUE(WaitUntil([&] { return form->clicks == 1; }));
  Xdo("mousemove 1270 1010");
  form->Free();
}

TEST_F(SkinButtons, TheFaceShowsTheStateByPixel) {
  TButtonForm* form = ReadButtonForm(true);
  auto* button = Find<TButton>(form, "Button1");
  const HWND h = button->Handle();
  SetFocus(nullptr);
  Find<TBitBtn>(form, "BitBtn1")->SetFocus();
  EXPECT_EQ(PixelOf(button, 2, 12), Rgb(kNormal));
  EXPECT_EQ(PixelOf(button, 5, 5), Rgb(kNormal)) << "no focus rectangle";
  SendMessageA(h, CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(PixelOf(button, 2, 12), Rgb(kHot));
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(PixelOf(button, 2, 12), Rgb(kPressed));
  EXPECT_NE(PixelOf(button, 6, 6), Rgb(kPressed)) << "the focus rectangle moved by one";
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageA(h, CM_MOUSELEAVE, 0, 0);
  EXPECT_NE(PixelOf(button, 5, 5), Rgb(kNormal)) << "the focus rectangle";
  // Pressed from outside, in the skin's face.
  SendMessageA(h, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(PixelOf(button, 2, 12), Rgb(kPressed));
  SendMessageA(h, BM_SETSTATE, FALSE, 0);
  EXPECT_EQ(PixelOf(button, 2, 12), Rgb(kNormal));
  // Space held, then the focus goes: the press ends.
  SendMessageA(h, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(PixelOf(button, 2, 12), Rgb(kPressed));
  Find<TBitBtn>(form, "BitBtn1")->SetFocus();
  EXPECT_EQ(PixelOf(button, 2, 12), Rgb(kNormal));
  // Under the mouse, then out of its reach: its form disabled (by a modal form), itself disabled.
  SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(PixelOf(button, 2, 12), Rgb(kHot));
  EnableWindow(form->Handle(), FALSE);
  EXPECT_EQ(PixelOf(button, 2, 12), Rgb(kNormal)) << "on a disabled form";
  SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // queued before
  EXPECT_EQ(PixelOf(button, 2, 12), Rgb(kNormal)) << "moved over on a disabled form";
  EnableWindow(form->Handle(), TRUE);
  SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(HasGrey(button));
  button->SetEnabled(false);
  EXPECT_EQ(PixelOf(button, 2, 12), Rgb(kNormal)) << "disabled";
  EXPECT_TRUE(HasGrey(button)) << "a disabled caption";
  form->Free();
}

TEST_F(SkinButtons, ABitBtnGlyphGoesWhereTheLayoutSaysAndTheAutomaticValuesStay) {
  TButtonForm* form = ReadButtonForm(true);
  auto* bit = Find<TBitBtn>(form, "BitBtn1");
  TBitmap glyph;
  glyph.SetSize(10, 10);
  zubskin::FillRectColor(glyph.Canvas(), {0, 0, 10, 10}, kGlyph);
  SetPixel(glyph.Canvas()->Handle(), 0, 9, RGB(0, 0, 0));
  bit->SetGlyph(&glyph);
  // 60 x 30, no caption, a margin of 4: the glyph 4 from the layout's edge, centred across.
  bit->SetMargin(4);
  const struct {
    TButtonLayout layout;
    POINT centre;
  } cases[] = {{blGlyphLeft, {4 + 5, 10 + 5}}, {blGlyphRight, {46 + 5, 10 + 5}},
               {blGlyphTop, {25 + 5, 4 + 5}},  {blGlyphBottom, {25 + 5, 16 + 5}}};
  for (const auto& c : cases) {
    bit->SetLayout(c.layout);
    UpdateWindow(bit->Handle());
    EXPECT_EQ(PixelOf(bit, c.centre.x, c.centre.y), Rgb(kGlyph)) << static_cast<int>(c.layout);
  }
  // Both automatic with a caption: margin and spacing a third each of what the glyph and the
  // caption leave, both centred across. Worked out at each paint, never written back: a longer
  // caption moves the glyph.
  bit->SetMargin(-1);
  bit->SetLayout(blGlyphLeft);
  TzubSkinButton* skinner = nullptr;
  for (TzubSkinControl* s : Find<TzubSkinEngine>(form, "zubSkinEngine1")->FWindows[0]->ControlSkinners)
    if (auto* b = As<TzubSkinButton>(s); b && b->Control == bit) skinner = b;
  ASSERT_NE(skinner, nullptr);
  TControlCanvas canvas;
  canvas.SetControl(bit);
  canvas.SetFont(bit->Font());
  for (const char* caption : {"Go", "Go on"}) {
    bit->SetCaption(caption);
    UpdateWindow(bit->Handle());
    const SIZE text = canvas.TextExtent(caption);
    const int third = (60 - 10 - text.cx) / 3, top = (30 - text.cy + 1) / 2;
    EXPECT_EQ(PixelOf(bit, third, 10), Rgb(kGlyph)) << caption << ": the glyph's top-left corner";
    EXPECT_NE(PixelOf(bit, third - 1, 10), Rgb(kGlyph)) << caption;
    TBitmap scratch;
    POINT glyphAt{};
    RECT textAt{};
    skinner->CalcBitBtnLayout(&scratch, glyphAt, textAt);
    const RECT want{third + 10 + third, top, third + 10 + third + text.cx, top + text.cy};
    EXPECT_TRUE(EqualRect(&textAt, &want)) << caption << ": " << textAt.left << "," << textAt.top << ","
                                           << textAt.right << "," << textAt.bottom;
  }
  EXPECT_EQ(bit->Margin(), -1);
  EXPECT_EQ(bit->Spacing(), -1);
  form->Free();
}

TEST_F(SkinButtons, CheckAndRadioBoxesComeFromTheSkinOrStayThePlatforms) {
  for (bool boxes : {true, false}) {
    TButtonForm* form = ReadButtonForm(boxes);
    auto* check = Find<TCheckBox>(form, "CheckBox1");  // its caption on the left, its box on the right
    auto* radio = Find<TRadioButton>(form, "RadioButton1");
    UpdateWindow(check->Handle());
    UpdateWindow(radio->Handle());
    // Read as the skinner left it, never repainted first: each change repaints the box itself.
    auto box = [&](TWinControl* c) { return PixelOf(c, c == check ? c->Width() - 10 : 5, 8); };
    if (boxes) {
      EXPECT_EQ(box(check), Rgb(kBoxes[1]));
      EXPECT_EQ(PixelOf(check, check->Width() - 18, 8), Rgb(kBoxes[1])) << "17 wide, one short of the right edge";
      EXPECT_NE(PixelOf(check, check->Width() - 19, 8), Rgb(kBoxes[1]));
      SendMessageA(check->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
      EXPECT_EQ(box(check), Rgb(kBoxes[1])) << "pressed by a double click";
      SendMessageA(check->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));  // the release clicks it
      check->SetChecked(false);
      EXPECT_EQ(box(check), Rgb(kBoxes[1]));
      check->SetChecked(true);
      EXPECT_EQ(box(check), Rgb(kBoxes[0]));
      check->SetEnabled(false);
      EXPECT_EQ(box(check), Rgb(kBoxes[2]));
      EXPECT_EQ(box(radio), Rgb(kBoxes[1]));
      EXPECT_EQ(PixelOf(radio, 11, 8), Rgb(0x0000FF)) << "a 10 x 10 box covers 13 x 13 in the control's colour";
      radio->SetChecked(true);
      EXPECT_EQ(box(radio), Rgb(kBoxes[0]));
      SendMessageA(radio->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
      EXPECT_EQ(form->dblClicks, 1);
    } else {
      EXPECT_NE(box(check), Rgb(0x0000FF)) << "no blank square of the control's colour";
      EXPECT_NE(box(radio), Rgb(0x0000FF));
    }
    form->Free();
  }
}

}  // namespace
