#include "Graphics.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "Streams.h"

namespace {

// Enumeration values come from form resources as ordinals: one out of range takes the default.
template <class T, size_t N>
T Lookup(const T (&table)[N], unsigned index) {
  return index < N ? table[index] : table[0];
}

[[noreturn]] void OutOfResources() { throw EOutOfMemory("Out of system resources"); }

// The system's pixels per inch do not change while a program runs.
int ScreenPixelsPerInch() {
  static const int ppi = [] {
    DeviceContext screen;
    const int v = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return v > 0 ? v : 96;
  }();
  return ppi;
}

// The rest of a stream from its position, at most limit bytes.
std::vector<uint8_t> ReadRest(TStream* stream, int64_t limit) {
  const int64_t left = std::min(stream->Size() - stream->Position(), limit);
  std::vector<uint8_t> data(left > 0 ? static_cast<size_t>(left) : 0);
  if (!data.empty()) stream->ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
  return data;
}

// Headers, a colour table and the largest rows a bitmap may have.
constexpr int64_t kMaxBmpFileSize = 14 + 124 + 12 + 256 * 4 + 4 * kMaxBitmapPixels;
constexpr int64_t kMaxIconFileSize = 16 << 20;

GdiObject<HBITMAP> MakeDib(int32_t width, int32_t height, uint8_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  GdiObject<HBITMAP> dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!dib || !pixels) OutOfResources();
  *bits = static_cast<uint8_t*>(pixels);
  std::memset(*bits, 0xFF, Dib24::Stride(width) * height);
  return dib;
}

}  // namespace

COLORREF ColorToRGB(TColor Color) {
  if (Color.value < 0) return GetSysColor(Color.value & 0xFF);
  return static_cast<COLORREF>(Color.value) & 0xFFFFFF;
}

const TIdentMapEntry ColorIdents[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
    {"clNone", clNone},
    {"clDefault", clDefault},
    {nullptr, 0},
};

const TIdentMapEntry CharsetIdents[] = {
    {"ANSI_CHARSET", ANSI_CHARSET},
    {"DEFAULT_CHARSET", DEFAULT_CHARSET},
    {"SYMBOL_CHARSET", SYMBOL_CHARSET},
    {"MAC_CHARSET", MAC_CHARSET},
    {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET},
    {"HANGEUL_CHARSET", HANGEUL_CHARSET},
    {"JOHAB_CHARSET", JOHAB_CHARSET},
    {"GB2312_CHARSET", GB2312_CHARSET},
    {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET},
    {"GREEK_CHARSET", GREEK_CHARSET},
    {"TURKISH_CHARSET", TURKISH_CHARSET},
    {"VIETNAMESE_CHARSET", VIETNAMESE_CHARSET},
    {"HEBREW_CHARSET", HEBREW_CHARSET},
    {"ARABIC_CHARSET", ARABIC_CHARSET},
    {"BALTIC_CHARSET", BALTIC_CHARSET},
    {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
    {"THAI_CHARSET", THAI_CHARSET},
    {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
    {"OEM_CHARSET", OEM_CHARSET},
    {nullptr, 0},
};

// ---------------------------------------------------------------------------------------------
// Fonts, pens, brushes

DEFINE_CLASS(TGraphicsObject, TPersistent, ({}))

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

DEFINE_CLASS(TFont, TGraphicsObject,
             ({Prop<&TFont::Charset, &TFont::SetCharset>("Charset"), Prop<&TFont::Color, &TFont::SetColor>("Color"),
               Prop<&TFont::Height, &TFont::SetHeight>("Height"), Prop<&TFont::Name, &TFont::SetName>("Name"),
               Prop<&TFont::Pitch, &TFont::SetPitch>("Pitch"), Prop<&TFont::Size, &TFont::SetSize>("Size"),
               Prop<&TFont::Style, &TFont::SetStyle>("Style")}))

TFont::TFont() = default;
TFont::~TFont() = default;

// Each setter keeps the old handle until the listeners have heard of the change.
void TFont::Assign(TPersistent* Source) {
  auto* src = As<TFont>(Source);
  if (!src) return TPersistent::Assign(Source);
  if (src == this) return;
  GdiObject<HFONT> old = std::move(handle_);
  name_ = src->name_;
  height_ = src->height_;
  style_ = src->style_;
  color_ = src->color_;
  charset_ = src->charset_;
  pitch_ = src->pitch_;
  Changed();
}

HFONT TFont::Handle() {
  if (!handle_) {
    static const BYTE pitches[] = {DEFAULT_PITCH, VARIABLE_PITCH, FIXED_PITCH};
    LOGFONTA lf{};
    lf.lfHeight = height_;
    lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic);
    lf.lfUnderline = style_.Contains(fsUnderline);
    lf.lfStrikeOut = style_.Contains(fsStrikeOut);
    lf.lfCharSet = static_cast<BYTE>(charset_.value);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = Lookup(pitches, pitch_);
    name_.copy(lf.lfFaceName, LF_FACESIZE - 1);
    handle_.reset(CreateFontIndirectA(&lf));
    if (!handle_) OutOfResources();
  }
  return handle_.get();
}

void TFont::SetHandle(HFONT Value) {
  GdiObject<HFONT> old = std::move(handle_);
  LOGFONTA lf{};
  if (Value && GetObjectA(Value, sizeof lf, &lf) == sizeof lf) {
    lf.lfFaceName[LF_FACESIZE - 1] = 0;
    name_ = lf.lfFaceName;
    height_ = lf.lfHeight;
    style_ = {};
    if (lf.lfWeight >= FW_BOLD) style_ += fsBold;
    if (lf.lfItalic) style_ += fsItalic;
    if (lf.lfUnderline) style_ += fsUnderline;
    if (lf.lfStrikeOut) style_ += fsStrikeOut;
    charset_ = lf.lfCharSet;
    const int pitch = lf.lfPitchAndFamily & 3;
    pitch_ = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
  }
  handle_.reset(Value);
  Changed();
}

void TFont::SetName(std::string Value) {
  if (Value.empty() || Value == name_) return;
  GdiObject<HFONT> old = std::move(handle_);
  name_ = std::move(Value);
  Changed();
}

void TFont::SetHeight(int32_t Value) {
  if (Value == height_) return;
  GdiObject<HFONT> old = std::move(handle_);
  height_ = Value;
  Changed();
}

int32_t TFont::Size() const { return -MulDiv(height_, 72, ScreenPixelsPerInch()); }

void TFont::SetSize(int32_t Value) { SetHeight(-MulDiv(Value, ScreenPixelsPerInch(), 72)); }

void TFont::SetStyle(TFontStyles Value) {
  if (Value == style_) return;
  GdiObject<HFONT> old = std::move(handle_);
  style_ = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;  // the canvas sets the text colour; the handle does not hold it
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == charset_) return;
  GdiObject<HFONT> old = std::move(handle_);
  charset_ = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == pitch_) return;
  GdiObject<HFONT> old = std::move(handle_);
  pitch_ = Value;
  Changed();
}

DEFINE_CLASS(TPen, TGraphicsObject, ({}))

TPen::~TPen() = default;

void TPen::Assign(TPersistent* Source) {
  auto* src = As<TPen>(Source);
  if (!src) return TPersistent::Assign(Source);
  if (src == this) return;
  GdiObject<HPEN> old = std::move(handle_);
  color_ = src->color_;
  width_ = src->width_;
  style_ = src->style_;
  mode_ = src->mode_;
  Changed();
}

HPEN TPen::Handle() {
  if (!handle_) {
    static const UINT styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    LOGPEN lp{Lookup(styles, style_), {width_, 0}, ColorToRGB(color_)};
    handle_.reset(CreatePenIndirect(&lp));
    if (!handle_) OutOfResources();
  }
  return handle_.get();
}

void TPen::SetColor(TColor Value) {
  if (Value == color_) return;
  GdiObject<HPEN> old = std::move(handle_);
  color_ = Value;
  Changed();
}

void TPen::SetWidth(int32_t Value) {
  if (Value == width_) return;
  GdiObject<HPEN> old = std::move(handle_);
  width_ = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == style_) return;
  GdiObject<HPEN> old = std::move(handle_);
  style_ = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == mode_) return;
  mode_ = Value;
  Changed();
}

DEFINE_CLASS(TBrush, TGraphicsObject, ({}))

TBrush::~TBrush() = default;

void TBrush::Assign(TPersistent* Source) {
  auto* src = As<TBrush>(Source);
  if (!src) return TPersistent::Assign(Source);
  if (src == this) return;
  GdiObject<HBRUSH> old = std::move(handle_);
  color_ = src->color_;
  style_ = src->style_;
  Changed();
}

HBRUSH TBrush::Handle() {
  if (!handle_) {
    static const LONG hatches[] = {0,        0,           HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL,
                                   HS_CROSS, HS_DIAGCROSS};
    LOGBRUSH lb{};
    lb.lbStyle = style_ == bsSolid ? BS_SOLID : style_ == bsClear ? BS_NULL : BS_HATCHED;
    lb.lbColor = ColorToRGB(color_);
    lb.lbHatch = static_cast<ULONG_PTR>(Lookup(hatches, style_));
    handle_.reset(CreateBrushIndirect(&lb));
    if (!handle_) OutOfResources();
  }
  return handle_.get();
}

void TBrush::SetColor(TColor Value) {
  if (Value == color_) return;
  GdiObject<HBRUSH> old = std::move(handle_);
  color_ = Value;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == style_) return;
  GdiObject<HBRUSH> old = std::move(handle_);
  style_ = Value;
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Canvas

DEFINE_CLASS(TCanvas, TPersistent, ({}))

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
  font_->OnChange = TNotifyEvent::Bind<&TCanvas::FontChanged>(this);
  pen_->OnChange = TNotifyEvent::Bind<&TCanvas::PenChanged>(this);
  brush_->OnChange = TNotifyEvent::Bind<&TCanvas::BrushChanged>(this);
}

TCanvas::~TCanvas() { Deselect(kAll); }

HDC TCanvas::Require(unsigned objects) {
  if (!dc_) {
    CreateHandle();
    if (!dc_) throw EInvalidOperation("Canvas does not allow drawing");
  }
  const unsigned missing = objects & ~selected_;
  if (missing & kFont) {
    oldFont_ = SelectObject(dc_, font_->Handle());
    SetTextColor(dc_, ColorToRGB(font_->Color()));
  }
  if (missing & kPen) {
    static const int rops[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                               R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                               R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                               R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    oldPen_ = SelectObject(dc_, pen_->Handle());
    SetROP2(dc_, Lookup(rops, pen_->Mode()));
  }
  if (missing & kBrush) {
    oldBrush_ = SelectObject(dc_, brush_->Handle());
    SetBkColor(dc_, ColorToRGB(brush_->Color()));
    SetBkMode(dc_, brush_->Style() == bsClear ? TRANSPARENT : OPAQUE);
  }
  selected_ |= missing;
  return dc_;
}

void TCanvas::Deselect(unsigned objects) {
  const unsigned present = objects & selected_;
  if (dc_) {
    if (present & kFont) SelectObject(dc_, oldFont_);
    if (present & kPen) SelectObject(dc_, oldPen_);
    if (present & kBrush) SelectObject(dc_, oldBrush_);
  }
  selected_ &= ~present;
}

HDC TCanvas::Handle() { return Require(kAll); }

void TCanvas::SetHandle(HDC Value) {
  if (Value == dc_) return;
  Deselect(kAll);
  dc_ = Value;
}

void TCanvas::FreeHandle() { SetHandle(nullptr); }

void TCanvas::FillRect(const RECT& Rect) { ::FillRect(Require(kBrush), &Rect, brush_->Handle()); }

void TCanvas::FrameRect(const RECT& Rect) { ::FrameRect(Require(kBrush), &Rect, brush_->Handle()); }

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) { ::Rectangle(Require(kPen | kBrush), X1, Y1, X2, Y2); }

void TCanvas::MoveTo(int X, int Y) { MoveToEx(Require(0), X, Y, nullptr); }

void TCanvas::LineTo(int X, int Y) { ::LineTo(Require(kPen), X, Y); }

void TCanvas::Polygon(const POINT* Points, int Count) {
  if (Count > 0) ::Polygon(Require(kPen | kBrush), Points, Count);
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  ::TextOutA(Require(kFont | kBrush), X, Y, Text.data(), static_cast<int>(Text.size()));
}

void TCanvas::TextRect(const RECT& Rect, int X, int Y, const std::string& Text) {
  const UINT options = ETO_CLIPPED | (brush_->Style() != bsClear ? ETO_OPAQUE : 0);
  ExtTextOutA(Require(kFont | kBrush), X, Y, options, &Rect, Text.data(), static_cast<UINT>(Text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::string& Text) {
  SIZE size{};
  GetTextExtentPoint32A(Require(kFont), Text.data(), static_cast<int>(Text.size()), &size);
  return size;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (Graphic && !Graphic->Empty()) Graphic->Draw(this, {X, Y, X + Graphic->Width(), Y + Graphic->Height()});
}

void TCanvas::StretchDraw(const RECT& Rect, TGraphic* Graphic) {
  if (Graphic && !Graphic->Empty()) Graphic->Draw(this, Rect);
}

void TCanvas::CopyRect(const RECT& Dest, TCanvas* Canvas, const RECT& Source) {
  HDC src = Canvas->Handle();
  HDC dst = Require(kFont | kBrush);
  SetStretchBltMode(dst, COLORONCOLOR);
  StretchBlt(dst, Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top, src, Source.left, Source.top,
             Source.right - Source.left, Source.bottom - Source.top, static_cast<DWORD>(copyMode_));
}

void TCanvas::DrawFocusRect(const RECT& Rect) { ::DrawFocusRect(Require(kBrush), &Rect); }

TColor TCanvas::Pixels(int X, int Y) {
  const COLORREF c = GetPixel(Require(0), X, Y);
  return c == CLR_INVALID ? clNone : TColor(static_cast<int32_t>(c));
}

void TCanvas::SetPixels(int X, int Y, TColor Value) { SetPixel(Require(0), X, Y, ColorToRGB(Value)); }

// ---------------------------------------------------------------------------------------------
// Graphics

DEFINE_CLASS(TGraphic, TPersistent, ({}))

void TGraphic::SetTransparent(bool Value) {
  if (Value == transparent_) return;
  transparent_ = Value;
  Changed();
}

void TGraphic::LoadFromFile(const std::string& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const std::string& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TGraphic::DefineProperties(TFiler* Filer) {
  Filer->DefineBinaryProperty("Data", TFiler::TStreamProc::Bind<&TGraphic::ReadData>(this),
                              TFiler::TStreamProc::Bind<&TGraphic::WriteData>(this), !Empty());
}

void TGraphic::Changed() {
  if (OnChange) OnChange(this);
}

// The bitmap's canvas draws through a memory DC that holds the DIB while the canvas has it.
class TBitmap::TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override { FreeHandle(); }

  void FreeHandle() override {
    if (!memory_) return;
    TCanvas::FreeHandle();
    if (oldBitmap_) SelectObject(memory_->get(), oldBitmap_);
    oldBitmap_ = nullptr;
    memory_.reset();
  }

 protected:
  // An empty bitmap's canvas still measures text: the DC then keeps its own 1 x 1 bitmap.
  void CreateHandle() override {
    auto memory = std::make_unique<MemoryDC>();
    if (!memory->get()) OutOfResources();
    if (bitmap_->dib_) oldBitmap_ = SelectObject(memory->get(), bitmap_->dib_.get());
    memory_ = std::move(memory);
    SetHandle(memory_->get());
  }

 private:
  TBitmap* bitmap_;
  std::unique_ptr<MemoryDC> memory_;
  HGDIOBJ oldBitmap_ = nullptr;
};

DEFINE_CLASS(TBitmap, TGraphic, ({}))

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() { canvas_.reset(); }  // the canvas's DC lets go of the DIB before it is deleted

void TBitmap::Replace(GdiObject<HBITMAP> dib, uint8_t* bits, int32_t width, int32_t height) {
  if (canvas_) canvas_->FreeHandle();  // the old DIB leaves the canvas's DC before it goes
  dib_ = std::move(dib);
  bits_ = bits;
  width_ = width;
  height_ = height;
}

void TBitmap::Adopt(Dib24 image) {
  uint8_t* bits = nullptr;
  GdiObject<HBITMAP> dib = MakeDib(image.width, image.height, &bits);
  std::memcpy(bits, image.bits.data(), Dib24::Stride(image.width) * image.height);
  Replace(std::move(dib), bits, image.width, image.height);
  Changed();
}

void TBitmap::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (!Source) {
    Replace({}, nullptr, 0, 0);
    Changed();
    return;
  }
  auto* src = As<TBitmap>(Source);
  if (!src) return TPersistent::Assign(Source);
  GdiObject<HBITMAP> dib;
  uint8_t* bits = nullptr;
  if (src->bits_) {
    dib = MakeDib(src->width_, src->height_, &bits);
    GdiFlush();
    std::memcpy(bits, src->bits_, src->Stride() * src->height_);
  }
  Replace(std::move(dib), bits, src->width_, src->height_);
  transparent_ = src->transparent_;
  transparentColor_ = src->transparentColor_;
  transparentMode_ = src->transparentMode_;
  Changed();
}

void TBitmap::SetSize(int32_t AWidth, int32_t AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == width_ && AHeight == height_) return;
  if (AWidth > kMaxBitmapSide || AHeight > kMaxBitmapSide || int64_t(AWidth) * AHeight > kMaxBitmapPixels)
    throw EInvalidGraphic("Bitmap is too large");
  GdiObject<HBITMAP> dib;
  uint8_t* bits = nullptr;
  if (AWidth > 0 && AHeight > 0) {
    dib = MakeDib(AWidth, AHeight, &bits);
    if (bits_) {
      GdiFlush();
      const size_t stride = Dib24::Stride(AWidth), bytes = std::min(AWidth, width_) * size_t(3);
      for (int32_t y = 0; y < std::min(AHeight, height_); ++y)
        std::memcpy(bits + (AHeight - 1 - y) * stride, bits_ + (height_ - 1 - y) * Stride(), bytes);
    }
  }
  Replace(std::move(dib), bits, AWidth, AHeight);
  Changed();
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(this);
  return canvas_.get();
}

uint8_t* TBitmap::ScanLine(int32_t Row) {
  if (!bits_ || Row < 0 || Row >= height_) throw EInvalidGraphic("Scan line index out of range");
  GdiFlush();  // drawing through the DC may still be queued
  return bits_ + (height_ - 1 - Row) * Stride();
}

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed) return transparentColor_;
  if (!bits_) return clDefault;
  GdiFlush();
  const uint8_t* p = bits_;  // the first row in memory is the bottom one
  return TColor(p[2] | p[1] << 8 | p[0] << 16);
}

void TBitmap::SetTransparentColor(TColor Value) {
  transparentColor_ = Value;
  transparentMode_ = Value == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == transparentMode_) return;
  transparentMode_ = Value;
  if (Value == tmAuto) transparentColor_ = clDefault;
  Changed();
}

void TBitmap::LoadFromStream(TStream* Stream) {
  const int64_t start = Stream->Position();
  const std::vector<uint8_t> data = ReadRest(Stream, kMaxBmpFileSize);
  if (data.empty()) {
    Replace({}, nullptr, 0, 0);
    Changed();
    return;
  }
  size_t used = 0;
  Dib24 image;
  try {
    image = DecodeBmpFile(data.data(), data.size(), &used);
  } catch (...) {
    Stream->SetPosition(start);
    throw;
  }
  Stream->SetPosition(start + static_cast<int64_t>(used));
  Adopt(std::move(image));
}

void TBitmap::SaveToStream(TStream* Stream) {
  if (!bits_) return;
  GdiFlush();
  Dib24 image;
  image.width = width_;
  image.height = height_;
  image.bits.assign(bits_, bits_ + Stride() * height_);
  const std::vector<uint8_t> file = EncodeBmpFile(image);
  Stream->WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const std::string& ResName) {
  HRSRC info = FindResourceA(Instance, ResName.c_str(), RT_BITMAP);
  HGLOBAL resource = info ? LoadResource(Instance, info) : nullptr;
  const void* data = resource ? LockResource(resource) : nullptr;
  if (!data) throw EResNotFound("Resource " + ResName + " not found");
  Adopt(DecodePackedDib(static_cast<const uint8_t*>(data), SizeofResource(Instance, info)));
}

void TBitmap::Draw(TCanvas* ACanvas, const RECT& Rect) {
  if (!bits_) return;
  HDC dst = ACanvas->Handle();
  // A bitmap that is only drawn needs no DC of its own: it is lent to a temporary one.
  std::optional<MemoryDC> lent;
  std::optional<SelectedObject> selected;
  HDC src;
  if (canvas_ && canvas_->HandleAllocated()) {
    src = canvas_->Handle();
  } else {
    lent.emplace();
    if (!lent->get()) OutOfResources();
    selected.emplace(lent->get(), dib_.get());
    src = lent->get();
  }
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  SetStretchBltMode(dst, COLORONCOLOR);
  if (Transparent())
    TransparentBlt(dst, Rect.left, Rect.top, w, h, src, 0, 0, width_, height_, ColorToRGB(TransparentColor()));
  else
    StretchBlt(dst, Rect.left, Rect.top, w, h, src, 0, 0, width_, height_, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// Icons

namespace {

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic("Icon image is not valid"); }

uint32_t Le16(const uint8_t* p) { return p[0] | p[1] << 8; }
uint32_t Le32(const uint8_t* p) { return Le16(p) | Le16(p + 2) << 16; }

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {0, 0};
  GdiObject<HBITMAP> mask(info.hbmMask), color(info.hbmColor);
  BITMAP bm{};
  if (!mask || GetObjectA(mask.get(), sizeof bm, &bm) == 0) return {0, 0};
  return {bm.bmWidth, color ? bm.bmHeight : bm.bmHeight / 2};  // a monochrome icon stacks its two masks
}

// A DIB image of an .ico file: the header must describe rows and a mask that lie inside it.
// PNG images are left to the platform, which checks them against their length.
void CheckIconImage(const uint8_t* p, uint32_t size) {
  static const uint8_t png[] = {0x89, 'P', 'N', 'G'};
  if (size >= 8 && std::memcmp(p, png, sizeof png) == 0) return;
  if (size < 40 || Le32(p) < 40 || Le32(p) > size) InvalidIcon();
  const int32_t width = static_cast<int32_t>(Le32(p + 4)), height = static_cast<int32_t>(Le32(p + 8));
  const uint32_t planes = Le16(p + 12), bits = Le16(p + 14), compression = Le32(p + 16), used = Le32(p + 32);
  if (width <= 0 || width > 256 || height <= 0 || height > 512 || height % 2 || planes != 1 || compression != BI_RGB)
    InvalidIcon();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) InvalidIcon();
  const uint64_t colours = bits <= 8 ? (used ? used : 1u << bits) : used;
  if (bits <= 8 && colours > (1u << bits)) InvalidIcon();
  const uint64_t rows = height / 2;
  const uint64_t xorBytes = (uint64_t(width) * bits + 31) / 32 * 4 * rows;
  const uint64_t andBytes = (uint64_t(width) + 31) / 32 * 4 * rows;
  if (Le32(p) + colours * 4 + xorBytes + andBytes > size) InvalidIcon();
}

struct IconChoice {
  uint32_t offset = 0, bytes = 0;
  int width = 0, height = 0;
  size_t end = 0;  // of the furthest image: the length of the file
};

// The image of an .ico file nearest the system's icon size, then the one of most colours.
IconChoice ChooseIconImage(const uint8_t* p, size_t size) {
  if (size < 6 || Le16(p) != 0 || Le16(p + 2) != 1 || Le16(p + 4) == 0) InvalidIcon();
  const uint32_t count = Le16(p + 4);
  if (6 + 16 * count > size) InvalidIcon();
  const int want = GetSystemMetrics(SM_CXICON);
  auto side = [](uint8_t v) { return v ? int(v) : 256; };
  IconChoice best;
  int bestDistance = 0;
  uint32_t bestBits = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* e = p + 6 + 16 * i;
    const uint32_t bytes = Le32(e + 8), offset = Le32(e + 12), bits = Le16(e + 6);
    if (offset < 6 + 16 * count || offset > size || bytes > size - offset) InvalidIcon();
    CheckIconImage(p + offset, bytes);
    best.end = std::max<size_t>(best.end, offset + bytes);
    const int distance = std::abs(side(e[0]) - want);
    if (best.bytes == 0 || distance < bestDistance || (distance == bestDistance && bits > bestBits)) {
      best.offset = offset;
      best.bytes = bytes;
      best.width = side(e[0]);
      best.height = side(e[1]);
      bestDistance = distance;
      bestBits = bits;
    }
  }
  return best;
}

}  // namespace

DEFINE_CLASS(TIcon, TGraphic, ({}))

TIcon::TIcon() { transparent_ = true; }
TIcon::~TIcon() = default;

void TIcon::Take(IconHandle icon, std::vector<uint8_t> data) {
  const SIZE size = icon ? IconSize(icon.get()) : SIZE{0, 0};
  icon_ = std::move(icon);
  data_ = std::move(data);
  width_ = size.cx;
  height_ = size.cy;
  Changed();
}

void TIcon::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (!Source) return Take({}, {});
  auto* src = As<TIcon>(Source);
  if (!src) return TPersistent::Assign(Source);
  IconHandle copy;
  if (src->icon_) {
    copy.reset(CopyIcon(src->icon_.get()));
    if (!copy) OutOfResources();
  }
  Take(std::move(copy), src->data_);
}

void TIcon::SetHandle(HICON Value) { Take(IconHandle(Value), {}); }

void TIcon::LoadFromResourceName(HINSTANCE Instance, const std::string& ResName) {
  IconHandle icon(static_cast<HICON>(LoadImageA(Instance, ResName.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
  if (!icon) throw EResNotFound("Resource " + ResName + " not found");
  Take(std::move(icon), {});
}

void TIcon::LoadFromStream(TStream* Stream) {
  const int64_t start = Stream->Position();
  std::vector<uint8_t> data = ReadRest(Stream, kMaxIconFileSize);
  if (data.empty()) return Take({}, {});
  IconHandle icon;
  size_t end = 0;
  try {
    const IconChoice choice = ChooseIconImage(data.data(), data.size());
    icon.reset(CreateIconFromResourceEx(data.data() + choice.offset, choice.bytes, TRUE, 0x00030000, choice.width,
                                        choice.height, LR_DEFAULTCOLOR));
    if (!icon) InvalidIcon();
    end = choice.end;
  } catch (...) {
    Stream->SetPosition(start);
    throw;
  }
  data.resize(end);
  Stream->SetPosition(start + static_cast<int64_t>(end));
  Take(std::move(icon), std::move(data));
}

void TIcon::SaveToStream(TStream* Stream) {
  if (!icon_) return;
  if (data_.empty()) throw EInvalidGraphic("Icon has no file image to save");
  Stream->WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TIcon::Draw(TCanvas* ACanvas, const RECT& Rect) {
  if (icon_)
    DrawIconEx(ACanvas->Handle(), Rect.left, Rect.top, icon_.get(), Rect.right - Rect.left, Rect.bottom - Rect.top, 0,
               nullptr, DI_NORMAL);
}
