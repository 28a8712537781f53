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

namespace {

int lookUps = 0;
FARPROC WINAPI LookUpWithoutScrollBarInfo(HMODULE module, LPCSTR name) {
  ++lookUps;
  return std::string(name) == "GetScrollBarInfo" ? nullptr : GetProcAddress(module, name);
}

}  // namespace

TEST(SkinUtils, OneMissingLookUpMakesBothWrappersGiveNothing) {
  HWND combo = CreateWindowA("COMBOBOX", "", WS_POPUP | CBS_DROPDOWN, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(combo);
  COMBOBOXINFO cbi{};
  cbi.cbSize = sizeof(cbi);
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof(sbi);

  SetUser32LookUp(LookUpWithoutScrollBarInfo);
  lookUps = 0;
  EXPECT_FALSE(zubskin::GetScrollBarInfo(combo, OBJID_CLIENT, &sbi));
  EXPECT_FALSE(zubskin::GetComboBoxInfo(combo, &cbi));  // there, but never looked up
  EXPECT_FALSE(zubskin::GetScrollBarInfo(combo, OBJID_CLIENT, &sbi));
  EXPECT_EQ(lookUps, 1);

  SetUser32LookUp(LookUpWithoutScrollBarInfo);  // the same look-up, everything forgotten
  lookUps = 0;
  EXPECT_TRUE(zubskin::GetComboBoxInfo(combo, &cbi));  // found first, it keeps working...
  EXPECT_FALSE(zubskin::GetScrollBarInfo(combo, OBJID_CLIENT, &sbi));
  EXPECT_FALSE(zubskin::GetComboBoxInfo(combo, &cbi));  // ...until the other one is missing
  EXPECT_EQ(lookUps, 2);

  SetUser32LookUp(nullptr);
  EXPECT_TRUE(zubskin::GetComboBoxInfo(combo, &cbi));
  DestroyWindow(combo);
}

namespace {

// Records which items it was asked to draw or measure, in order.
struct MenuPainter {
  std::vector<TObject*> drawn, measured;
  void Draw(TObject* sender, TCanvas*, const RECT&, bool) { drawn.push_back(sender); }
  void Measure(TObject* sender, TCanvas*, int&, int&) { measured.push_back(sender); }
};

}  // namespace

TEST(SkinUtils, HookMenuItemDrawReachesEveryItemBelowAndEmptyHandlersClear) {
  TPopupMenu menu(nullptr);
  auto item = [](TMenuItem* parent, const char* caption) {
    auto* i = new TMenuItem(nullptr);
    i->SetCaption(caption);
    parent->Add(i);
    return i;
  };
  TMenuItem* file = item(menu.Items(), "&File");
  TMenuItem* open = item(file, "&Open");
  TMenuItem* recent = item(file, "&Recent");
  TMenuItem* first = item(recent, "one");
  TMenuItem* help = item(menu.Items(), "&Help");
  const std::vector<TObject*> all{menu.Items(), file, open, recent, first, help};

  MenuPainter painter;
  HookMenuItemDraw(menu.Items(), TMenuDrawItemEvent::Bind<&MenuPainter::Draw>(&painter),
                   TMenuMeasureItemEvent::Bind<&MenuPainter::Measure>(&painter));
  for (TObject* o : all) {
    auto* i = static_cast<TMenuItem*>(o);
    int w = 0, h = 0;
    i->OnMeasureItem(i, nullptr, w, h);
    i->OnDrawItem(i, nullptr, RECT{}, false);
  }
  EXPECT_EQ(painter.drawn, all);
  EXPECT_EQ(painter.measured, all);

  HookMenuItemDraw(file, {}, {});  // only the file menu and what lies below it
  EXPECT_FALSE(file->OnDrawItem || file->OnMeasureItem || first->OnDrawItem || first->OnMeasureItem);
  EXPECT_TRUE(help->OnDrawItem && help->OnMeasureItem && menu.Items()->OnDrawItem);
}

TEST(SkinUtils, HasPublishedPropertyByNameInAnyCase) {
  TEdit edit(nullptr);
  TForm form(nullptr, true);
  EXPECT_TRUE(HasPublishedProperty(&edit, "BorderStyle"));
  EXPECT_TRUE(HasPublishedProperty(&edit, "borderstyle"));
  EXPECT_TRUE(HasPublishedProperty(&form, "BorderStyle"));
  EXPECT_FALSE(HasPublishedProperty(&edit, "NoSuchProperty"));
  EXPECT_FALSE(HasPublishedProperty(nullptr, "BorderStyle"));
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
         [](TCanvas* cv, TBitmap* im, const RECT& rc) { DrawThreePartHorz(im, cv, rc, false); },
         [](const SkinImage& im, SkinImage& cv, const SkinRect& rc) { DrawThreePartHorz(im, cv, rc, false); },
         false},
        {"three-part vertical", [](TCanvas* cv, TBitmap* im, const RECT& rc) { DrawThreePartVert(im, cv, rc, false); },
         [](const SkinImage& im, SkinImage& cv, const SkinRect& rc) { DrawThreePartVert(im, cv, rc, false); },
         false},
        {"nine-slice", [](TCanvas* cv, TBitmap* im, const RECT& rc) { DrawNineSlice(im, cv, rc, true); },
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
    DrawThreePartHorz(&image, target.Canvas(), rc, false);
    DrawThreePartVert(&image, target.Canvas(), rc, false);
    DrawNineSlice(&image, target.Canvas(), rc, false);
    EXPECT_EQ(BitmapToSkinImage(&target), Background(12, 10));
  }
  TBitmap target;
  Target(target, 12, 10);
  DrawNineSlice(&empty, target.Canvas(), {0, 0, 12, 10}, false);
  DrawThreePartHorz(&empty, target.Canvas(), {0, 0, 12, 10}, false);
  EXPECT_EQ(BitmapToSkinImage(&target), Background(12, 10));
}

TEST(SkinUtils, ThreePartVertSetsTheBitmapsFlagUnlessLeftIsNegative) {
  TBitmap image;
  SkinImageToBitmap(skintest::Numbered(4, 9), &image);
  TBitmap target;
  Target(target, 12, 12);
  DrawThreePartVert(&image, target.Canvas(), {-1, 0, 4, 12}, true);
  EXPECT_FALSE(image.Transparent());
  EXPECT_EQ(BitmapToSkinImage(&target), Background(12, 12));
  DrawThreePartVert(&image, target.Canvas(), {0, 0, 4, 12}, true);
  EXPECT_TRUE(image.Transparent());
  EXPECT_EQ(BitmapToSkinImage(&target).At(0, 11), BitmapToSkinImage(&image).At(0, 8));  // opaque all the same
  DrawThreePartVert(&image, target.Canvas(), {0, 0, 4, 12}, false);
  EXPECT_FALSE(image.Transparent());
}

namespace {

// A canvas's pixels as rows of characters: '.' background, 'k' black, 'w' white, 'g' grey,
// 'r' red, '?' anything else.
std::vector<std::string> Picture(TBitmap& bitmap) {
  std::vector<std::string> rows;
  const SkinImage image = BitmapToSkinImage(&bitmap);
  for (int y = 0; y < image.height; ++y) {
    std::string row;
    for (int x = 0; x < image.width; ++x) {
      const uint32_t c = image.At(x, y);
      row += c == skintest::kBackground ? '.' : c == 0 ? 'k' : c == 0xFFFFFF ? 'w' : c == 0x808080 ? 'g'
             : c == 0x0000FF ? 'r' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

TEST(SkinUtils, ArrowsAreSmallTrianglesGreyOverWhiteWhenDisabled) {
  TBitmap b;
  Target(b, 9, 5);
  DrawArrowDown(b.Canvas(), 1, 1, true);
  EXPECT_EQ(Picture(b), (std::vector<std::string>{
                            ".........",
                            ".kkkkkkk.",
                            "..kkkkk..",
                            "...kkk...",
                            "....k....",
                        }));
  Target(b, 9, 6);
  DrawArrowDown(b.Canvas(), 1, 1, false);
  EXPECT_EQ(Picture(b), (std::vector<std::string>{
                            ".........",
                            ".ggggggg.",
                            "..gggggww",
                            "...gggww.",
                            "....gww..",
                            ".....w...",
                        }));
  // The others by their extent: the apex and the base they span.
  Target(b, 9, 9);
  DrawArrowUp(b.Canvas(), 4, 2, true);
  const auto up = Picture(b);
  EXPECT_EQ(up[2], "....k....");
  EXPECT_EQ(up[5], ".kkkkkkk.");
  EXPECT_EQ(up[6], ".........");
  Target(b, 9, 9);
  DrawArrowLeft(b.Canvas(), 2, 4, true);
  const auto left = Picture(b);
  EXPECT_EQ(left[4], "..kkkk...");
  EXPECT_EQ(left[1], ".....k...");
  EXPECT_EQ(left[7], ".....k...");
  Target(b, 9, 9);
  DrawArrowRight(b.Canvas(), 2, 1, true);
  const auto right = Picture(b);
  EXPECT_EQ(right[4], "..kkkk...");
  EXPECT_EQ(right[1], "..k......");
  EXPECT_EQ(right[7], "..k......");
}

TEST(SkinUtils, FillsFramesAndTheMenuSeparator) {
  TBitmap b;
  Target(b, 8, 5);
  FillRectColor(b.Canvas(), {1, 1, 4, 3}, clBlack);
  FrameRectColor(b.Canvas(), {4, 0, 8, 5}, clRed);
  EXPECT_EQ(Picture(b), (std::vector<std::string>{
                            "....rrrr",
                            ".kkkr..r",
                            ".kkkr..r",
                            "....r..r",
                            "....rrrr",
                        }));
  Target(b, 16, 4);
  DrawMenuSeparator(b.Canvas(), {0, 0, 16, 4}, clRed, 3, true);
  EXPECT_EQ(Picture(b)[2], ".......rrrrrrr..");  // from 3 + 4 up to 16 - 2, the end left out
  Target(b, 16, 4);
  DrawMenuSeparator(b.Canvas(), {0, 0, 16, 4}, clRed, 3, false);
  EXPECT_EQ(Picture(b)[2], "..rrrrrrr.......");
  EXPECT_EQ(Picture(b)[1], "................");
}

TEST(SkinUtils, WindowBorderFramesTheWholeWindow) {
  HWND window = CreateWindowA("STATIC", "", WS_POPUP | WS_BORDER | WS_VISIBLE, 50, 50, 40, 30, nullptr, nullptr,
                              nullptr, nullptr);
  ASSERT_TRUE(window);
  UpdateWindow(window);
  DrawWindowBorder(window, clRed, clBlue, true);
  HDC dc = GetWindowDC(window);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 39, 29), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 38, 15), RGB(0, 0, 255));
  EXPECT_NE(GetPixel(dc, 2, 2), RGB(0, 0, 255));
  DrawWindowBorder(window, clBlue, clRed, false);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 255));  // the inner frame stays as it was
  ReleaseDC(window, dc);
  DestroyWindow(window);
}

TEST(SkinUtils, MenuFontIsTheSystemsInMenuTextColour) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = 340;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
  TFont font;
  font.SetName("Courier New");
  SetMenuFont(&font);
  EXPECT_EQ(font.Name(), metrics.lfMenuFont.lfFaceName);
  EXPECT_EQ(font.Height(), metrics.lfMenuFont.lfHeight);
  EXPECT_EQ(font.Color(), clMenuText);
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
