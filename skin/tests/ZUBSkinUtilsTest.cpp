// The Win32 utilities against real windows: the active-state query, the User32 look-ups and the
// published-property test.
#include <gtest/gtest.h>

#include "Forms.h"
#include "StdCtrls.h"
#include "ZUBSkinMessages.h"
#include "ZUBSkinUtils.h"

using namespace zubskin;

namespace {

// A form whose window answers the active-state query as told.
class TAnsweringForm : public TForm {
 public:
  using TForm::TForm;
  LRESULT answer = 0;

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == ZM_GETACTIVESTATE && answer != 0) {
      Message.Result = answer;
      return;
    }
    TForm::WndProc(Message);
  }
};

}  // namespace

TEST(SkinUtils, IsFormActiveTakesThePositiveAnswerOfTheWindow) {
  TAnsweringForm form(nullptr, true);
  form.answer = 1;
  EXPECT_TRUE(IsFormActive(&form));
  form.answer = 2;  // inactive even when the form has the focus
  form.Show();
  SetActiveWindow(form.Handle());
  EXPECT_FALSE(IsFormActive(&form));
  form.answer = 0;  // no answer: the application decides, here the form's own flag
  if (!Application->MainForm()) {
    EXPECT_EQ(IsFormActive(&form), form.Active());
  }
}

TEST(SkinUtils, LookUpWrappersReachTheRealControls) {
  HWND bar = CreateWindowA("SCROLLBAR", "", WS_POPUP | SBS_HORZ, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr);
  HWND combo = CreateWindowA("COMBOBOX", "", WS_POPUP | CBS_DROPDOWN, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(bar && combo);

  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof(sbi);
  EXPECT_TRUE(zubskin::GetScrollBarInfo(bar, OBJID_CLIENT, &sbi));
  EXPECT_EQ(sbi.rcScrollBar.right - sbi.rcScrollBar.left, 200);

  COMBOBOXINFO cbi{};
  cbi.cbSize = sizeof(cbi);
  EXPECT_EQ(sizeof(cbi), sizeof(void*) == 8 ? 64u : 52u);
  EXPECT_TRUE(zubskin::GetComboBoxInfo(combo, &cbi));
  EXPECT_EQ(cbi.hwndCombo, combo);
  EXPECT_NE(cbi.hwndItem, nullptr);  // the drop-down's edit
  EXPECT_EQ(GetParent(cbi.hwndItem), combo);

  DestroyWindow(combo);
  DestroyWindow(bar);
}

TEST(SkinUtils, HasPublishedPropertyNeedsNameAndTypeName) {
  TEdit edit(nullptr);
  TForm form(nullptr, true);
  EXPECT_TRUE(HasPublishedProperty(&edit, "BorderStyle", "TBorderStyle"));
  EXPECT_TRUE(HasPublishedProperty(&edit, "borderstyle", "TBorderStyle"));
  EXPECT_FALSE(HasPublishedProperty(&edit, "BorderStyle", "TFormBorderStyle"));
  EXPECT_FALSE(HasPublishedProperty(&edit, "NoSuchProperty", "TBorderStyle"));
  EXPECT_FALSE(HasPublishedProperty(nullptr, "BorderStyle", "TBorderStyle"));
  EXPECT_FALSE(HasPublishedProperty(&form, "BorderStyle", "TBorderStyle"));  // a form's is TFormBorderStyle
}
