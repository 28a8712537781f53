// The spin edit's value rules and its arrows, on real windows.
#include <gtest/gtest.h>

#include "ControlsTesting.h"
#include "Spin.h"

namespace {

const char kSpinEdits[] = R"(
  object SpinEdit3: TSpinEdit
    Left = 168
    Top = 248
    Width = 57
    Height = 22
    MaxLength = 10
    MaxValue = 1000
    MinValue = 0
    TabOrder = 4
    Value = 128
  end
  object SpinEdit4: TSpinEdit
    Left = 288
    Top = 248
    Width = 65
    Height = 22
    MaxValue = 1000
    MinValue = 10
    TabOrder = 5
    Value = 128
  end)";

TEST(SpinEdit, ReadFromTheDescriptionWithItsButtonInside) {
  TestForm t(kSpinEdits);
  auto* width = t.Get<TSpinEdit>("SpinEdit3");
  ASSERT_TRUE(width);
  HWND wnd = width->Handle();
  EXPECT_EQ(WindowClass(wnd), "TSpinEdit");
  EXPECT_EQ(WindowText(wnd), "128");
  EXPECT_EQ(width->Value(), 128);
  EXPECT_EQ(SendMessageA(wnd, EM_GETLIMITTEXT, 0, 0), 10);
  EXPECT_EQ(TSpinButton::StaticClass()->parent, TWinControl::StaticClass());
  HWND button = FindWindowExA(wnd, nullptr, "TSpinButton", nullptr);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button, width->Button()->Handle());
  RECT client, r;
  GetClientRect(wnd, &client);
  GetClientRect(button, &r);
  EXPECT_NEAR(width->Button()->BoundsRect().right, client.right, 1);  // at the right edge, over the whole height
  EXPECT_EQ(r.bottom, client.bottom);
}

TEST(SpinEdit, TextThatIsNoNumberGivesTheMinimumAndLeavingClampsIntoTheRange) {
  struct Case {
    const char* text;
    int32_t value;          // read while the field has the focus
    const char* afterExit;  // the text once the focus moved on
  };
  const Case cases[] = {
      {"42", 42, "42"},       {"abc", 10, "abc"},   {"", 10, ""},
      {"5000", 5000, "1000"}, {"-3", -3, "10"},     {"1000", 1000, "1000"},
  };
  TestForm t(kSpinEdits);
  auto* height = t.Get<TSpinEdit>("SpinEdit4");
  auto* other = t.Get<TSpinEdit>("SpinEdit3");
  ASSERT_TRUE(height && other);
  t.Show();
  for (const Case& c : cases) {
    height->SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return height->Focused(); }, 5000));
    SetWindowTextA(height->Handle(), c.text);  // typed
    EXPECT_EQ(height->Value(), c.value) << c.text;
    other->SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return other->Focused(); }, 5000));
    EXPECT_EQ(WindowText(height->Handle()), c.afterExit) << c.text;
  }
}

// Typed one character after the other, as the keyboard delivers them, from the front of the text.
TEST(SpinEdit, TakesOnlyDigitsAndAMinusInFrontWhereTheRangeGoesBelowZero) {
  const struct {
    int32_t min;
    const char* before;
    const char* typed;
    const char* after;
  } cases[] = {
      {10, "", "a1b2", "12"}, {10, "", "1 2.3", "123"}, {10, "", "-5", "5"},   {-10, "", "-5", "-5"},
      {-10, "", "5-", "5"},   {-10, "", "--5", "-5"},   {-10, "5", "-", "-5"}, {-10, "-5", "7", "-5"},
  };
  TestForm t(kSpinEdits);
  auto* spin = t.Get<TSpinEdit>("SpinEdit4");
  ASSERT_TRUE(spin);
  t.Show();
  const HWND wnd = spin->Handle();
  for (const auto& c : cases) {
    spin->SetMinValue(c.min);
    SetWindowTextA(wnd, c.before);
    SendMessageA(wnd, EM_SETSEL, 0, 0);
    for (const char* p = c.typed; *p; ++p) SendMessageA(wnd, WM_CHAR, static_cast<unsigned char>(*p), 1);
    EXPECT_EQ(WindowText(wnd), c.after) << "\"" << c.typed << "\" before \"" << c.before << "\" from " << c.min;
  }
}

TEST(SpinEdit, ArrowsStepByTheIncrementWithinTheRange) {
  TestForm t(kSpinEdits);
  auto* spin = t.Get<TSpinEdit>("SpinEdit4");
  ASSERT_TRUE(spin);
  spin->SetIncrement(5);
  t.Show();
  HWND button = spin->Button()->Handle();
  RECT r;
  GetClientRect(button, &r);
  auto press = [&](bool up) {
    LPARAM at = MAKELPARAM(r.right / 2, up ? 2 : r.bottom - 3);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(button, WM_LBUTTONUP, 0, at);
  };
  press(true);
  EXPECT_EQ(spin->Value(), 133);
  press(false);
  press(false);
  EXPECT_EQ(spin->Value(), 123);
  spin->SetValue(998);
  press(true);
  EXPECT_EQ(WindowText(spin->Handle()), "1000");
  spin->SetValue(-20);  // brought into the range when written
  EXPECT_EQ(spin->Value(), 10);
}

}  // namespace
