// Colours, fonts, canvases, bitmaps, icons and image lists, checked by the pixels they leave.
#include "Graphics.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "BmpBuilder.h"
#include "ImgList.h"
#include "Streams.h"

namespace {

struct Counter {
  int changes = 0;
  void Changed(TObject*) { ++changes; }
  TNotifyEvent Event() { return TNotifyEvent::Bind<&Counter::Changed>(this); }
};

COLORREF At(TBitmap& b, int x, int y) {
  const uint8_t* p = b.ScanLine(y) + x * 3;
  return RGB(p[2], p[1], p[0]);
}

std::unique_ptr<TBitmap> Filled(int w, int h, TColor colour) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(colour);
  b->Canvas()->FillRect({0, 0, w, h});
  return b;
}

void Fill(TMemoryStream& s, const std::vector<uint8_t>& bytes) {
  s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  s.SetPosition(0);
}

std::vector<uint8_t> Resource(const char* name) {
  HRSRC info = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, info)));
  return std::vector<uint8_t>(data, data + SizeofResource(nullptr, info));
}

LOGFONTA FontOf(HFONT font) {
  LOGFONTA lf{};
  GetObjectA(font, sizeof lf, &lf);
  return lf;
}

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255),
               kBlack = 0, kFuchsia = RGB(255, 0, 255);

}  // namespace

TEST(Colors, SystemColoursResolveAndFlagsAreCut) {
  const struct {
    TColor colour;
    COLORREF rgb;
  } cases[] = {
      {clRed, 0x0000FF},
      {clNavy, 0x800000},
      {clBtnFace, GetSysColor(COLOR_BTNFACE)},
      {clWindowText, GetSysColor(COLOR_WINDOWTEXT)},
      {clInfoBk, GetSysColor(COLOR_INFOBK)},
      {clNone, 0xFFFFFF},
      {clDefault, 0x000000},
  };
  for (const auto& c : cases) EXPECT_EQ(ColorToRGB(c.colour), c.rgb) << std::hex << c.colour.value;
}

TEST(Colors, FormResourceIdentifiersNameColoursAndCharsets) {
  const struct {
    const TTypeInfo* type;
    const char* ident;
    int32_t value;
  } cases[] = {
      {TypeInfo<TColor>(), "clNavy", clNavy},
      {TypeInfo<TColor>(), "clWhite", clWhite},
      {TypeInfo<TColor>(), "clBtnFace", clBtnFace},
      {TypeInfo<TColor>(), "cl3DDkShadow", cl3DDkShadow},
      {TypeInfo<TFontCharset>(), "DEFAULT_CHARSET", DEFAULT_CHARSET},
      {TypeInfo<TFontCharset>(), "ANSI_CHARSET", ANSI_CHARSET},
      {TypeInfo<TFontCharset>(), "OEM_CHARSET", OEM_CHARSET},
  };
  for (const auto& c : cases) {
    int32_t v = -1;
    EXPECT_TRUE(c.type->IdentToInt(c.ident, v)) << c.ident;
    EXPECT_EQ(v, c.value) << c.ident;
  }
  int32_t v = 0;
  EXPECT_FALSE(TypeInfo<TColor>()->IdentToInt("clPink", v));
}

TEST(Font, PublishedPropertiesSetTheFont) {
  TFont f;
  for (const char* name : {"Charset", "Color", "Height", "Name", "Pitch", "Size", "Style"})
    EXPECT_NE(GetPropInfo(&f, name), nullptr) << name;
  GetPropInfo(&f, "Style")->set(&f, TValue::Int(TFontStyles{fsBold}.Mask()));
  GetPropInfo(&f, "Color")->set(&f, TValue::Int(clNavy));
  GetPropInfo(&f, "Charset")->set(&f, TValue::Int(ANSI_CHARSET));
  GetPropInfo(&f, "Name")->set(&f, TValue::Str("Tahoma"));
  GetPropInfo(&f, "Height")->set(&f, TValue::Int(-13));
  EXPECT_TRUE(f.Style().Contains(fsBold));
  EXPECT_EQ(f.Color(), clNavy);
  EXPECT_EQ(GetPropInfo(&f, "Color")->get(&f).i, clNavy);
  EXPECT_EQ(f.Charset(), ANSI_CHARSET);
  const LOGFONTA lf = FontOf(f.Handle());
  EXPECT_EQ(lf.lfHeight, -13);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
  EXPECT_STREQ(lf.lfFaceName, "Tahoma");
}

TEST(Font, HandleIsRemadeAfterAChangeAndEveryChangeIsTold) {
  TFont f;
  Counter counter;
  f.OnChange = counter.Event();
  EXPECT_EQ(FontOf(f.Handle()).lfHeight, -11);

  f.SetHeight(-20);
  EXPECT_EQ(counter.changes, 1);
  EXPECT_EQ(FontOf(f.Handle()).lfHeight, -20);
  f.SetHeight(-20);  // no change, no news
  EXPECT_EQ(counter.changes, 1);

  HFONT before = f.Handle();
  f.SetColor(clRed);  // the colour is not in the handle
  EXPECT_EQ(counter.changes, 2);
  EXPECT_EQ(f.Handle(), before);

  f.SetStyle({fsItalic});
  EXPECT_EQ(counter.changes, 3);
  EXPECT_TRUE(FontOf(f.Handle()).lfItalic);

  const int ppi = GetDeviceCaps(DeviceContext().get(), LOGPIXELSY);
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -MulDiv(12, ppi, 72));
  EXPECT_EQ(f.Size(), 12);

  TFont copy;
  Counter copied;
  copy.OnChange = copied.Event();
  copy.Assign(&f);
  EXPECT_EQ(copied.changes, 1);
  EXPECT_EQ(copy.Height(), f.Height());
  EXPECT_EQ(copy.Color(), clRed);
  EXPECT_NE(copy.Handle(), f.Handle());
}

TEST(Font, TakenHandleGivesItsProperties) {
  TFont f;
  HFONT made =
      CreateFontA(-15, 0, 0, 0, FW_BOLD, FALSE, TRUE, FALSE, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH, "Courier New");
  f.SetHandle(made);
  EXPECT_EQ(f.Handle(), made);
  EXPECT_EQ(f.Height(), -15);
  EXPECT_EQ(f.Name(), "Courier New");
  EXPECT_EQ(f.Style(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(f.Pitch(), fpFixed);
}

TEST(Canvas, GivesTheDcBackWithItsOwnObjects) {
  MemoryDC dc;
  const HGDIOBJ font = GetCurrentObject(dc.get(), OBJ_FONT), pen = GetCurrentObject(dc.get(), OBJ_PEN),
                brush = GetCurrentObject(dc.get(), OBJ_BRUSH);
  auto untouched = [&] {
    return GetCurrentObject(dc.get(), OBJ_FONT) == font && GetCurrentObject(dc.get(), OBJ_PEN) == pen &&
           GetCurrentObject(dc.get(), OBJ_BRUSH) == brush;
  };
  {
    TCanvas canvas;
    canvas.SetHandle(dc.get());
    canvas.TextOut(0, 0, "x");
    canvas.Rectangle(0, 0, 4, 4);
    HFONT old = canvas.Font()->Handle();
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), old);
    // A changed font leaves the DC before its old handle is deleted.
    canvas.Font()->SetHeight(-30);
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), font);
    EXPECT_EQ(GetObjectType(old), 0u);
    canvas.TextOut(0, 0, "x");
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), canvas.Font()->Handle());
    canvas.SetHandle(nullptr);
    EXPECT_TRUE(untouched());
    canvas.SetHandle(dc.get());
    canvas.FillRect({0, 0, 2, 2});
  }  // destroyed while it holds the DC
  EXPECT_TRUE(untouched());
}

TEST(Canvas, WithoutADcRefusesToDraw) {
  TCanvas canvas;
  EXPECT_THROW(canvas.FillRect({0, 0, 1, 1}), EInvalidOperation);
}

TEST(Canvas, DrawingLeavesItsPixels) {
  auto b = Filled(40, 24, clWhite);
  TCanvas* c = b->Canvas();
  c->Brush()->SetColor(clRed);
  c->FillRect({2, 2, 6, 6});
  c->Brush()->SetColor(clBlue);
  c->FrameRect({8, 2, 14, 8});
  c->Pen()->SetColor(clLime);
  c->MoveTo(0, 20);
  c->LineTo(10, 20);
  c->SetPixels(30, 2, clBlack);
  const struct {
    int x, y;
    COLORREF rgb;
  } probes[] = {
      {2, 2, kRed},    {5, 5, kRed},    {6, 6, kWhite},    // filled, right and bottom edges excluded
      {8, 2, kBlue},   {13, 7, kBlue},  {10, 4, kWhite},   // framed, the inside left alone
      {0, 20, kGreen}, {9, 20, kGreen}, {10, 20, kWhite},  // the end point is not drawn
      {30, 2, kBlack},
  };
  for (const auto& p : probes) EXPECT_EQ(At(*b, p.x, p.y), p.rgb) << p.x << "," << p.y;
  EXPECT_EQ(c->Pixels(30, 2), clBlack);
  EXPECT_EQ(c->Pixels(500, 2), clNone);
}

TEST(Canvas, TextChangesPixelsAndAClearBrushKeepsTheBackground) {
  for (TBrushStyle style : {bsSolid, bsClear}) {
    auto b = Filled(40, 20, clBlue);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clWhite);
    c->Brush()->SetStyle(style);
    c->Font()->SetColor(clBlack);
    c->TextOut(2, 2, "WH");
    const SIZE size = c->TextExtent("WH");
    ASSERT_GT(size.cx, 0);
    int ink = 0, white = 0;
    for (int y = 2; y < 2 + size.cy && y < 20; ++y)
      for (int x = 2; x < 2 + size.cx && x < 40; ++x) {
        ink += At(*b, x, y) == kBlack;
        white += At(*b, x, y) == kWhite;
      }
    EXPECT_GT(ink, 0) << style;
    if (style == bsClear)
      EXPECT_EQ(white, 0);
    else
      EXPECT_GT(white, 0);
  }
}

TEST(Canvas, StretchingCopiesNearestPixels) {
  auto src = Filled(2, 2, clWhite);
  src->Canvas()->SetPixels(0, 0, clRed);
  src->Canvas()->SetPixels(1, 1, clBlue);
  TBitmap dst;
  dst.SetSize(4, 4);
  dst.Canvas()->CopyRect({0, 0, 4, 4}, src->Canvas(), {0, 0, 2, 2});
  const COLORREF expected[4][4] = {{kRed, kRed, kWhite, kWhite},
                                   {kRed, kRed, kWhite, kWhite},
                                   {kWhite, kWhite, kBlue, kBlue},
                                   {kWhite, kWhite, kBlue, kBlue}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(At(dst, x, y), expected[y][x]) << x << "," << y;
  TBitmap stretched;
  stretched.SetSize(4, 4);
  stretched.Canvas()->StretchDraw({0, 0, 4, 4}, src.get());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(At(stretched, x, y), expected[y][x]) << x << "," << y;
}

TEST(Canvas, CopyRectUsesTheCopyMode) {
  auto src = Filled(1, 1, clRed);
  const struct {
    TCopyMode mode;
    COLORREF expected;  // over a white destination
  } cases[] = {{cmSrcCopy, kRed}, {cmSrcAnd, kRed}, {cmNotSrcCopy, RGB(0, 255, 255)}, {cmBlackness, RGB(0, 0, 0)},
               {cmDstInvert, RGB(0, 0, 0)}, {cmSrcPaint, kWhite}};
  for (const auto& c : cases) {
    auto dst = Filled(1, 1, clWhite);
    dst->Canvas()->SetCopyMode(c.mode);
    dst->Canvas()->CopyRect({0, 0, 1, 1}, src->Canvas(), {0, 0, 1, 1});
    EXPECT_EQ(At(*dst, 0, 0), c.expected) << std::hex << c.mode;
  }
  EXPECT_EQ(TCanvas().CopyMode(), cmSrcCopy);
}

TEST(Bitmap, TransparentDrawLeavesTheKeyColourUntouched) {
  auto src = Filled(4, 4, clFuchsia);
  src->Canvas()->SetPixels(1, 1, clRed);
  src->Canvas()->SetPixels(2, 2, clLime);
  src->SetTransparent(true);
  src->SetTransparentColor(clFuchsia);

  auto dst = Filled(8, 8, clBlue);
  dst->Canvas()->Draw(2, 2, src.get());
  EXPECT_EQ(At(*dst, 3, 3), kRed);
  EXPECT_EQ(At(*dst, 4, 4), kGreen);
  for (auto [x, y] : {std::pair{2, 2}, {5, 5}, {0, 0}, {5, 2}}) EXPECT_EQ(At(*dst, x, y), kBlue) << x << "," << y;

  auto stretched = Filled(8, 8, clBlue);
  stretched->Canvas()->StretchDraw({0, 0, 8, 8}, src.get());
  EXPECT_EQ(At(*stretched, 2, 2), kRed);
  EXPECT_EQ(At(*stretched, 3, 3), kRed);
  EXPECT_EQ(At(*stretched, 4, 5), kGreen);
  EXPECT_EQ(At(*stretched, 0, 0), kBlue);
  EXPECT_EQ(At(*stretched, 7, 7), kBlue);

  src->SetTransparent(false);
  dst->Canvas()->Draw(2, 2, src.get());
  EXPECT_EQ(At(*dst, 2, 2), kFuchsia);
}

TEST(Bitmap, AutoTransparentColourIsTheBottomLeftPixel) {
  auto b = Filled(3, 3, clWhite);
  b->Canvas()->SetPixels(0, 2, clLime);
  EXPECT_EQ(b->TransparentMode(), tmAuto);
  EXPECT_EQ(b->TransparentColor(), clLime);
  b->SetTransparentColor(clRed);
  EXPECT_EQ(b->TransparentMode(), tmFixed);
  EXPECT_EQ(b->TransparentColor(), clRed);
  b->SetTransparentMode(tmAuto);
  EXPECT_EQ(b->TransparentColor(), clLime);

  b->SetTransparent(true);
  auto dst = Filled(3, 3, clBlue);
  dst->Canvas()->Draw(0, 0, b.get());
  EXPECT_EQ(At(*dst, 0, 2), kBlue);
  EXPECT_EQ(At(*dst, 1, 1), kWhite);
  EXPECT_EQ(TBitmap().TransparentColor(), clDefault);
}

TEST(Bitmap, SizeChangesKeepPixelsAndCopiesAreDeep) {
  auto b = Filled(3, 2, clRed);
  b->SetSize(5, 4);
  EXPECT_EQ(At(*b, 2, 1), kRed);
  EXPECT_EQ(At(*b, 3, 1), kWhite);
  EXPECT_EQ(At(*b, 0, 3), kWhite);

  TBitmap copy;
  copy.SetTransparent(false);
  b->SetTransparent(true);
  copy.Assign(b.get());
  EXPECT_TRUE(copy.Transparent());
  copy.Canvas()->SetPixels(0, 0, clBlue);
  EXPECT_EQ(At(*b, 0, 0), kRed);
  EXPECT_EQ(At(copy, 0, 0), kBlue);

  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
  EXPECT_EQ(copy.Handle(), nullptr);
  EXPECT_THROW(b->ScanLine(4), EInvalidGraphic);
  EXPECT_THROW(b->ScanLine(-1), EInvalidGraphic);
  EXPECT_THROW(copy.Assign(b->Canvas()->Font()), EConvertError);
  EXPECT_THROW(b->SetSize(kMaxBitmapSide + 1, 1), EInvalidGraphic);
  EXPECT_EQ(b->Width(), 5);
}

TEST(Bitmap, Bmp24RoundTripThroughAStream) {
  TBitmap b;
  b.SetSize(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) b.Canvas()->SetPixels(x, y, TColor(RGB(x * 50, y * 80, 200 - x * 10)));
  TMemoryStream s;
  b.SaveToStream(&s);
  s.WriteBuffer("tail", 4);
  s.SetPosition(0);
  TBitmap back;
  back.LoadFromStream(&s);
  EXPECT_EQ(s.Position(), s.Size() - 4);  // left right after the file
  ASSERT_EQ(back.Width(), 5);
  ASSERT_EQ(back.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(At(back, x, y), RGB(x * 50, y * 80, 200 - x * 10)) << x << "," << y;

  TMemoryStream empty;
  back.LoadFromStream(&empty);
  EXPECT_TRUE(back.Empty());
}

TEST(Bitmap, EightBitFileReadsAndWritesBackAsTwentyFour) {
  BmpShape shape;
  shape.width = 3;
  shape.height = 2;
  shape.bits = 8;
  shape.colorsUsed = 3;
  shape.palette = {0xFF0000, 0x00FF00, 0x0000FF};
  shape.rows = {0, 1, 2, 0, 2, 1, 0, 0};
  TMemoryStream s;
  Fill(s, MakeBmp(shape));
  TBitmap b;
  b.LoadFromStream(&s);
  const COLORREF top[] = {kBlue, kGreen, kRed}, bottom[] = {kRed, kGreen, kBlue};
  for (int x = 0; x < 3; ++x) {
    EXPECT_EQ(At(b, x, 0), top[x]);
    EXPECT_EQ(At(b, x, 1), bottom[x]);
  }
  TMemoryStream saved;
  b.SaveToStream(&saved);
  EXPECT_EQ(saved.Memory()[28], 24);
  saved.SetPosition(0);
  TBitmap back;
  back.LoadFromStream(&saved);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(At(back, x, 0), top[x]);
}

TEST(Bitmap, MalformedFileLeavesTheBitmapAndStreamAsTheyWere) {
  auto spoilt = [](std::function<void(BmpShape&)> change, size_t cut = 0) {
    BmpShape s;
    change(s);
    std::vector<uint8_t> b = MakeBmp(s);
    b.resize(b.size() - cut);
    return b;
  };
  const struct {
    const char* name;
    std::vector<uint8_t> file;
  } cases[] = {
      {"truncated header", std::vector<uint8_t>{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0}},
      {"huge width and height", spoilt([](BmpShape& s) {
         s.width = 30000;
         s.height = 30000;
       })},
      {"pixel data past the end", spoilt([](BmpShape&) {}, 1)},
      {"bad bit depth", spoilt([](BmpShape& s) { s.bits = 12; })},
      {"palette too large", spoilt([](BmpShape& s) {
         s.bits = 4;
         s.colorsUsed = 17;
         s.palette.assign(17, 0);
       })},
      {"negative width", spoilt([](BmpShape& s) { s.width = -2; })},
  };
  auto b = Filled(2, 2, clRed);
  for (const auto& c : cases) {
    TMemoryStream s;
    Fill(s, c.file);
    EXPECT_THROW(b->LoadFromStream(&s), EInvalidGraphic) << c.name;
    EXPECT_EQ(s.Position(), 0) << c.name;
    EXPECT_EQ(b->Width(), 2) << c.name;
    EXPECT_EQ(At(*b, 1, 1), kRed) << c.name;
  }
}

TEST(Bitmap, FilesAndResourcesLoad) {
  TBitmap b;
  b.LoadFromResourceName(GetModuleHandleA(nullptr), "TESTBITMAP");  // 8 bits, 4 x 2
  ASSERT_EQ(b.Width(), 4);
  ASSERT_EQ(b.Height(), 2);
  const COLORREF top[] = {kRed, kGreen, kBlue, kWhite};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(At(b, x, 0), top[x]);
  EXPECT_EQ(At(b, 0, 1), kBlack);
  EXPECT_THROW(b.LoadFromResourceName(GetModuleHandleA(nullptr), "NOSUCHBITMAP"), EResNotFound);

  const std::string file = "Graphics_test_roundtrip.bmp";
  b.SaveToFile(file);
  TBitmap back;
  back.LoadFromFile(file);
  DeleteFileA(file.c_str());
  for (int x = 0; x < 4; ++x) EXPECT_EQ(At(back, x, 0), top[x]);
  EXPECT_THROW(back.LoadFromFile(file), EFOpenError);
}

TEST(Icon, ResourceAndIcoFileGiveTheSystemSize) {
  const int size = GetSystemMetrics(SM_CXICON);
  TIcon fromResource;
  fromResource.LoadFromResourceName(GetModuleHandleA(nullptr), "TESTICON");
  EXPECT_EQ(fromResource.Width(), size);
  EXPECT_THROW(fromResource.LoadFromResourceName(GetModuleHandleA(nullptr), "NOSUCHICON"), EResNotFound);

  const std::vector<uint8_t> ico = Resource("TESTICOFILE");  // a red 16 x 16 and a blue 32 x 32 image
  TMemoryStream s;
  Fill(s, ico);
  TIcon icon;
  Counter counter;
  icon.OnChange = counter.Event();
  icon.LoadFromStream(&s);
  EXPECT_EQ(counter.changes, 1);
  ASSERT_FALSE(icon.Empty());
  EXPECT_EQ(icon.Width(), 32);
  EXPECT_EQ(s.Position(), static_cast<int64_t>(ico.size()));
  auto canvas = Filled(40, 40, clWhite);
  canvas->Canvas()->Draw(0, 0, &icon);
  EXPECT_EQ(At(*canvas, 10, 10), kBlue);
  EXPECT_EQ(At(*canvas, 35, 35), kWhite);

  TMemoryStream saved;
  icon.SaveToStream(&saved);
  EXPECT_EQ(std::vector<uint8_t>(saved.Memory(), saved.Memory() + saved.Size()), ico);
  EXPECT_THROW(fromResource.SaveToStream(&saved), EInvalidGraphic);

  TIcon copy;
  copy.Assign(&icon);
  EXPECT_NE(copy.Handle(), icon.Handle());
  EXPECT_EQ(copy.Width(), 32);
}

TEST(Icon, MalformedIcoFilesAreRefused) {
  const std::vector<uint8_t> ico = Resource("TESTICOFILE");
  auto spoilt = [&](std::function<void(std::vector<uint8_t>&)> change) {
    std::vector<uint8_t> b = ico;
    change(b);
    return b;
  };
  const struct {
    const char* name;
    std::vector<uint8_t> file;
  } cases[] = {
      {"directory cut", spoilt([](auto& b) { b.resize(20); })},
      {"not an icon", spoilt([](auto& b) { b[2] = 2; })},
      {"no images", spoilt([](auto& b) { b[4] = 0; })},
      {"image past the end", spoilt([](auto& b) { b.resize(b.size() - 1); })},
      {"image offset past the end", spoilt([](auto& b) { b[6 + 12 + 2] = 0x7F; })},
      {"image header claims more rows", spoilt([](auto& b) { b[38 + 8] = 64; })},
  };
  TIcon icon;
  for (const auto& c : cases) {
    TMemoryStream s;
    Fill(s, c.file);
    EXPECT_THROW(icon.LoadFromStream(&s), EInvalidGraphic) << c.name;
    EXPECT_EQ(s.Position(), 0) << c.name;
    EXPECT_TRUE(icon.Empty()) << c.name;
  }
}

TEST(ImageList, MaskedStripBecomesImagesDrawnOverTheCanvas) {
  // Three 4 x 4 frames, red, green, blue, each with a fuchsia top-left pixel.
  TBitmap strip;
  strip.SetSize(12, 4);
  const TColor colours[] = {clRed, clLime, clBlue};
  for (int i = 0; i < 3; ++i) {
    strip.Canvas()->Brush()->SetColor(colours[i]);
    strip.Canvas()->FillRect({i * 4, 0, i * 4 + 4, 4});
    strip.Canvas()->SetPixels(i * 4, 0, clFuchsia);
  }
  TImageList list(nullptr, 4, 4);
  EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
  EXPECT_EQ(list.Count(), 3);

  auto dst = Filled(8, 8, clWhite);
  list.Draw(dst->Canvas(), 2, 2, 1);
  EXPECT_EQ(At(*dst, 2, 2), kWhite);  // the masked pixel
  EXPECT_EQ(At(*dst, 3, 2), kGreen);
  EXPECT_EQ(At(*dst, 5, 5), kGreen);
  EXPECT_EQ(At(*dst, 6, 6), kWhite);
  list.Draw(dst->Canvas(), 0, 0, 3);  // no such image
  EXPECT_EQ(At(*dst, 0, 0), kWhite);

  // An explicit mask: white is transparent.
  auto mask = Filled(4, 4, clBlack);
  mask->Canvas()->SetPixels(1, 1, clWhite);
  EXPECT_EQ(list.Add(&strip, mask.get()), 3);
  EXPECT_EQ(list.Count(), 6);
  auto masked = Filled(4, 4, clWhite);
  list.Draw(masked->Canvas(), 0, 0, 3);
  EXPECT_EQ(At(*masked, 1, 1), kWhite);
  EXPECT_EQ(At(*masked, 0, 0), kFuchsia);  // the mask, not the colour, decides here
  EXPECT_EQ(At(*masked, 2, 2), kRed);

  auto narrow = Filled(3, 4, clRed);
  EXPECT_EQ(list.AddMasked(narrow.get(), clFuchsia), -1);
  list.SetWidth(8);
  EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, DisabledImageShowsItsShapeInShadow) {
  auto check = Filled(16, 16, clWhite);
  check->Canvas()->Brush()->SetColor(clBlack);
  check->Canvas()->FillRect({4, 4, 8, 8});
  TImageList list(nullptr);
  EXPECT_EQ(list.Width(), 16);
  list.AddMasked(check.get(), clWhite);
  auto dst = Filled(20, 20, clRed);
  list.Draw(dst->Canvas(), 0, 0, 0, false);
  EXPECT_EQ(At(*dst, 4, 4), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(At(*dst, 8, 8), GetSysColor(COLOR_BTNHIGHLIGHT));  // the highlight, one pixel down and right
  EXPECT_EQ(At(*dst, 1, 1), kRed);
  EXPECT_EQ(At(*dst, 12, 12), kRed);
}
