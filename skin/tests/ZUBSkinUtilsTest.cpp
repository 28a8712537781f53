// The Win32 utilities against real windows: the active-state query, the User32 look-ups and the
// published-property test.
#include <gtest/gtest.h>

#include "Forms.h"
#include "SkinTestImages.h"
#include "StdCtrls.h"
#include "ZUBSkinGeometry.h"
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

namespace {

// Which pixels a drawing covered: GDI and the pixel routines may pick different source pixels
// when stretching, but must cover the same ones and leave out the same keyed ones.
std::vector<std::string> Footprint(const SkinImage& canvas) {
  std::vector<std::string> rows;
  for (int y = 0; y < canvas.height; ++y) {
    std::string row;
    for (int x = 0; x < canvas.width; ++x) row += canvas.At(x, y) == skintest::kBackground ? '.' : '#';
    rows.push_back(row);
  }
  return rows;
}

// The canvas drawing against the same plan carried out on plain pixels.
struct StretchCase {
  const char* what;
  int imageW, imageH;
  RECT rect;
};

SkinImage Background(int w, int h) { return SkinImage(w, h, skintest::kBackground); }

TBitmap* Target(TBitmap& bitmap, int w, int h) {
  SkinImageToBitmap(Background(w, h), &bitmap);
  return &bitmap;
}

}  // namespace

TEST(SkinUtils, StretchingOntoACanvasMatchesThePixelRoutines) {
  const StretchCase cases[] = {
      {"height 3", 9, 3, {2, 1, 20, 9}},
      {"height 4", 12, 4, {0, 0, 17, 11}},
      {"narrow", 9, 4, {1, 1, 3, 6}},
      {"three high", 9, 3, {0, 0, 14, 3}},
  };
  for (const StretchCase& c : cases) {
    SkinImage source = skintest::Numbered(c.imageW, c.imageH);
    source.Set(0, 0, kSkinMagenta);
    TBitmap image;
    SkinImageToBitmap(source, &image);
    const SkinRect r{c.rect.left, c.rect.top, c.rect.right, c.rect.bottom};
    const struct {
      const char* routine;
      void (*onCanvas)(TCanvas*, TBitmap*, const RECT&);
      void (*onPixels)(const SkinImage&, SkinImage&, const SkinRect&);
      bool exact;  // copies one to one or from one-pixel strips: no choice of source pixel
    } routines[] = {
        {"three-part horizontal",
         [](TCanvas* cv, TBitmap* im, const RECT& rc) { DrawThreePartHorz(cv, im, rc, false); },
         [](const SkinImage& im, SkinImage& cv, const SkinRect& rc) { DrawThreePartHorz(im, cv, rc, false); },
         false},
        {"three-part vertical", [](TCanvas* cv, TBitmap* im, const RECT& rc) { DrawThreePartVert(cv, im, rc); },
         [](const SkinImage& im, SkinImage& cv, const SkinRect& rc) { DrawThreePartVert(im, cv, rc, false); },
         false},
        {"nine-slice", [](TCanvas* cv, TBitmap* im, const RECT& rc) { DrawNineSlice(cv, im, rc, true); },
         [](const SkinImage& im, SkinImage& cv, const SkinRect& rc) { DrawNineSlice(im, cv, rc, true); },
         true},
    };
    for (const auto& routine : routines) {
      TBitmap target;
      routine.onCanvas(Target(target, 24, 12)->Canvas(), &image, c.rect);
      SkinImage expected = Background(24, 12);
      routine.onPixels(source, expected, r);
      const SkinImage drawn = BitmapToSkinImage(&target);
      EXPECT_EQ(Footprint(drawn), Footprint(expected)) << c.what << ", " << routine.routine;
      if (routine.exact) {
        EXPECT_EQ(skintest::SourceMap(drawn), skintest::SourceMap(expected)) << c.what << ", " << routine.routine;
      }
    }
  }
}

TEST(SkinUtils, EmptyImagesAndEmptyOrInvertedRectsDrawNothing) {
  TBitmap image;
  SkinImageToBitmap(skintest::Numbered(9, 3), &image);
  TBitmap empty;
  const RECT rects[] = {{0, 0, 0, 5}, {5, 5, 2, 8}, {0, 6, 10, 2}};
  for (const RECT& rc : rects) {
    TBitmap target;
    Target(target, 12, 10);
    DrawThreePartHorz(target.Canvas(), &image, rc, false);
    DrawThreePartVert(target.Canvas(), &image, rc);
    DrawNineSlice(target.Canvas(), &image, rc, false);
    EXPECT_EQ(BitmapToSkinImage(&target), Background(12, 10));
  }
  TBitmap target;
  Target(target, 12, 10);
  DrawNineSlice(target.Canvas(), &empty, {0, 0, 12, 10}, false);
  DrawThreePartHorz(target.Canvas(), &empty, {0, 0, 12, 10}, false);
  EXPECT_EQ(BitmapToSkinImage(&target), Background(12, 10));
}

TEST(SkinUtils, SmallWin32Helpers) {
  EXPECT_TRUE(PointInRect(POINT{10, 20}, RECT{0, 0, 10, 20}));  // right and bottom edges inside
  EXPECT_FALSE(PointInRect(POINT{11, 5}, RECT{0, 0, 10, 20}));

  RECT work{}, platform{};
  GetWorkArea(work);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &platform, 0);
  EXPECT_EQ(work.bottom, platform.bottom - 1);
  EXPECT_EQ(work.right, platform.right);

  EXPECT_FALSE(IsWindows95());

  TForm* form = Create<TForm>(nullptr, true);  // made whole, so the screen lists it
  EXPECT_EQ(FindFormByHandle(form->Handle()), form);
  EXPECT_EQ(FindFormByHandle(GetDesktopWindow()), nullptr);
  TEdit* edit = Create<TEdit>(form);
  SetControlRect(edit, RECT{5, 6, 105, 30});
  EXPECT_EQ(edit->Left(), 5);
  EXPECT_EQ(edit->Width(), 100);
  EXPECT_EQ(edit->Height(), 24);
  form->Free();

  TBitmap bitmap;
  const int dots = bitmap.Canvas()->TextWidth("...");
  const int ab = bitmap.Canvas()->TextWidth("ab");
  EXPECT_EQ(EllipsizeText(bitmap.Canvas(), "abc", bitmap.Canvas()->TextWidth("abc")), "abc");
  EXPECT_EQ(EllipsizeText(bitmap.Canvas(), "abcdefgh", ab + dots), "ab...");
}
