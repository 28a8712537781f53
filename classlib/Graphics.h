// Colours, fonts, pens, brushes, canvases and the pictures drawn on them (bitmaps, icons).
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "BmpFormat.h"
#include "Component.h"
#include "GdiObject.h"

class TStream;
class TCanvas;

// A colour: an RGB value (red in the low byte) or a system colour (0x80000000 | COLOR_ index).
struct TColor {
  int32_t value = 0;
  constexpr TColor() = default;
  constexpr TColor(int32_t v) : value(v) {}
  constexpr operator int32_t() const { return value; }
};

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080, clNavy = 0x800000,
                 clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080, clSilver = 0xC0C0C0, clRed = 0x0000FF,
                 clLime = 0x00FF00, clYellow = 0x00FFFF, clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00,
                 clWhite = 0xFFFFFF;
constexpr int32_t clSystemColor = static_cast<int32_t>(0x80000000u);
constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR, clBackground = clSystemColor | COLOR_BACKGROUND,
                 clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION,
                 clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION, clMenu = clSystemColor | COLOR_MENU,
                 clWindow = clSystemColor | COLOR_WINDOW, clWindowFrame = clSystemColor | COLOR_WINDOWFRAME,
                 clMenuText = clSystemColor | COLOR_MENUTEXT, clWindowText = clSystemColor | COLOR_WINDOWTEXT,
                 clCaptionText = clSystemColor | COLOR_CAPTIONTEXT, clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER,
                 clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER,
                 clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE, clHighlight = clSystemColor | COLOR_HIGHLIGHT,
                 clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT, clBtnFace = clSystemColor | COLOR_BTNFACE,
                 clBtnShadow = clSystemColor | COLOR_BTNSHADOW, clGrayText = clSystemColor | COLOR_GRAYTEXT,
                 clBtnText = clSystemColor | COLOR_BTNTEXT,
                 clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT,
                 clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT, cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW,
                 cl3DLight = clSystemColor | COLOR_3DLIGHT, clInfoText = clSystemColor | COLOR_INFOTEXT,
                 clInfoBk = clSystemColor | COLOR_INFOBK;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

// The RGB value of a colour: system colours through GetSysColor, anything else cut to its 24 bits.
COLORREF ColorToRGB(TColor Color);

extern const TIdentMapEntry ColorIdents[];  // clBlack ... clDefault, for form resources
DECLARE_INT_TYPE(TColor, ColorIdents)

// A font's character set (the platform's *_CHARSET values), by name in form resources.
struct TFontCharset {
  int32_t value = DEFAULT_CHARSET;
  constexpr TFontCharset() = default;
  constexpr TFontCharset(int32_t v) : value(v) {}
  constexpr operator int32_t() const { return value; }
};
extern const TIdentMapEntry CharsetIdents[];
DECLARE_INT_TYPE(TFontCharset, CharsetIdents)

DECLARE_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
DECLARE_SET(TFontStyles, TFontStyle)
DECLARE_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed)
DECLARE_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross)
DECLARE_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)
DECLARE_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
             pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor)
DECLARE_ENUM(TTransparentMode, tmAuto, tmFixed)

// A resource that the program should carry is missing.
class EResNotFound : public Exception {
 public:
  using Exception::Exception;
  std::string ClassName() const override { return "EResNotFound"; }
};

// Base of fonts, pens and brushes: owns its GDI handle, made on demand, dropped on change.
// OnChange fires after every change while the old handle still exists, so that a canvas can
// take it out of its DC before it is deleted.
class TGraphicsObject : public TPersistent {
  DECLARE_CLASS(TGraphicsObject, TPersistent)
 public:
  TNotifyEvent OnChange;

 protected:
  void Changed();
};

class TFont : public TGraphicsObject {
  DECLARE_CLASS(TFont, TGraphicsObject)
 public:
  TFont();
  ~TFont() override;
  void Assign(TPersistent* Source) override;

  // Made from the properties on first use; every change but Color makes a new one.
  HFONT Handle();
  // Takes Value over (it is deleted with the font) and reads the properties back from it.
  void SetHandle(HFONT Value);
  std::string Name() const { return name_; }
  void SetName(std::string Value);
  int32_t Height() const { return height_; }
  void SetHeight(int32_t Value);
  int32_t Size() const;  // points, from Height and the screen's pixels per inch
  void SetSize(int32_t Value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch Value);

 private:
  std::string name_ = "MS Sans Serif";
  int32_t height_ = -11;
  TFontStyles style_;
  TColor color_ = clWindowText;
  TFontCharset charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  GdiObject<HFONT> handle_;
};

class TPen : public TGraphicsObject {
  DECLARE_CLASS(TPen, TGraphicsObject)
 public:
  ~TPen() override;
  void Assign(TPersistent* Source) override;
  HPEN Handle();
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  int32_t Width() const { return width_; }
  void SetWidth(int32_t Value);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle Value);
  // Not part of the handle: the canvas sets it as the DC's drawing mode.
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode Value);

 private:
  TColor color_ = clBlack;
  int32_t width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
  GdiObject<HPEN> handle_;
};

class TBrush : public TGraphicsObject {
  DECLARE_CLASS(TBrush, TGraphicsObject)
 public:
  ~TBrush() override;
  void Assign(TPersistent* Source) override;
  HBRUSH Handle();
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  // bsClear also makes the canvas write text without a background.
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle Value);

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  GdiObject<HBRUSH> handle_;
};

// ---------------------------------------------------------------------------------------------

// A picture: a bitmap or an icon, drawn on a canvas, read from and written to streams.
class TGraphic : public TPersistent {
  DECLARE_CLASS(TGraphic, TPersistent)
 public:
  virtual bool Empty() const = 0;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool Value);

  // Read from the stream's position on; a malformed picture raises EInvalidGraphic and leaves
  // the picture as it was.
  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);
  // Form resources carry the picture's file image as the binary property "Data".
  void DefineProperties(TFiler* Filer) override;

  TNotifyEvent OnChange;

 protected:
  friend class TCanvas;
  // Draws the picture stretched over Rect of the canvas.
  virtual void Draw(TCanvas* ACanvas, const RECT& Rect) = 0;
  void Changed();
  bool transparent_ = false;

 private:
  void ReadData(TStream* Stream) { LoadFromStream(Stream); }
  void WriteData(TStream* Stream) { SaveToStream(Stream); }
};

// Drawing on a device context. The canvas selects its font, pen and brush into the DC when a
// drawing call needs them and takes them out again when the DC is given back (SetHandle with
// another DC or null, FreeHandle, destruction): a DC never keeps one of them selected.
// Stretching copies always set COLORONCOLOR first, so that a picture stretches the same on
// every DC.
// The raster operation of CopyRect.
using TCopyMode = int32_t;
constexpr TCopyMode cmBlackness = BLACKNESS, cmDstInvert = DSTINVERT, cmMergeCopy = MERGECOPY,
                    cmMergePaint = MERGEPAINT, cmNotSrcCopy = NOTSRCCOPY, cmNotSrcErase = NOTSRCERASE,
                    cmPatCopy = PATCOPY, cmPatInvert = PATINVERT, cmPatPaint = PATPAINT, cmSrcAnd = SRCAND,
                    cmSrcCopy = SRCCOPY, cmSrcErase = SRCERASE, cmSrcInvert = SRCINVERT, cmSrcPaint = SRCPAINT,
                    cmWhiteness = WHITENESS;

class TCanvas : public TPersistent {
  DECLARE_CLASS(TCanvas, TPersistent)
 public:
  TCanvas();
  ~TCanvas() override;

  // The DC with the font, pen and brush selected; asks CreateHandle for one when there is none
  // and raises EInvalidOperation when it still has none.
  HDC Handle();
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return dc_ != nullptr; }
  // Deselects the objects and forgets the DC; a descendant that got the DC releases it here
  // (and calls FreeHandle from its own destructor).
  virtual void FreeHandle();

  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  TPen* Pen() const { return pen_.get(); }
  void SetPen(TPen* Value) { pen_->Assign(Value); }
  TBrush* Brush() const { return brush_.get(); }
  void SetBrush(TBrush* Value) { brush_->Assign(Value); }

  void FillRect(const RECT& Rect);
  // A one-pixel frame in the brush.
  void FrameRect(const RECT& Rect);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const RECT& Rect) { Rectangle(Rect.left, Rect.top, Rect.right, Rect.bottom); }
  void MoveTo(int X, int Y);
  // A line in the pen from the current position to (X, Y), which itself is not drawn.
  void LineTo(int X, int Y);
  void Polygon(const POINT* Points, int Count);
  void Polygon(std::initializer_list<POINT> Points) { Polygon(Points.begin(), static_cast<int>(Points.size())); }
  // The platform's TextOut macro renames this to TextOutA, for callers as well.
  void TextOut(int X, int Y, const std::string& Text);
  // Text at (X, Y) clipped to Rect, which is filled with the brush first unless it is bsClear.
  void TextRect(const RECT& Rect, int X, int Y, const std::string& Text);
  SIZE TextExtent(const std::string& Text);
  int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
  int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }
  // The graphic at its own size with its top-left corner at (X, Y); nothing for null or empty.
  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const RECT& Rect, TGraphic* Graphic);
  // Source of Canvas stretched onto Dest of this canvas with the raster operation CopyMode
  // (transparency ignored).
  void CopyRect(const RECT& Dest, TCanvas* Canvas, const RECT& Source);
  TCopyMode CopyMode() const { return copyMode_; }
  void SetCopyMode(TCopyMode Value) { copyMode_ = Value; }
  void DrawFocusRect(const RECT& Rect);
  // clNone outside the DC's surface.
  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);

 protected:
  // Called when a DC is needed and there is none; a descendant gets one and calls SetHandle.
  virtual void CreateHandle() {}

 private:
  enum : unsigned { kFont = 1, kPen = 2, kBrush = 4, kAll = 7 };
  HDC Require(unsigned objects);
  void Deselect(unsigned objects);
  void FontChanged(TObject*) { Deselect(kFont); }
  void PenChanged(TObject*) { Deselect(kPen); }
  void BrushChanged(TObject*) { Deselect(kBrush); }

  HDC dc_ = nullptr;
  TCopyMode copyMode_ = cmSrcCopy;
  unsigned selected_ = 0;
  HGDIOBJ oldFont_ = nullptr, oldPen_ = nullptr, oldBrush_ = nullptr;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
};

// A bitmap: a 24-bit DIB section (new pixels white) that its canvas draws on through a memory
// DC of its own. Every BMP it reads becomes 24 bits; it writes 24-bit BMP files.
class TBitmap : public TGraphic {
  DECLARE_CLASS(TBitmap, TGraphic)
 public:
  TBitmap();
  ~TBitmap() override;
  // A deep copy of another bitmap, its transparency settings included; null empties.
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return width_ == 0 || height_ == 0; }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  void SetWidth(int32_t Value) { SetSize(Value, height_); }
  void SetHeight(int32_t Value) { SetSize(width_, Value); }
  // Keeps the pixels that stay inside (from the top-left corner); new ones are white. Negative
  // sizes count as 0; beyond kMaxBitmapSide or kMaxBitmapPixels raises EInvalidGraphic.
  void SetSize(int32_t AWidth, int32_t AHeight);

  TCanvas* Canvas();
  // The DIB section; null while empty. It stays selected into the canvas's DC while that
  // exists, so blit from Canvas()->Handle() rather than selecting it elsewhere.
  HBITMAP Handle() const { return dib_.get(); }
  // Row Row from the top: Width pixels of blue, green, red bytes. Raises EInvalidGraphic for a
  // row outside the bitmap.
  uint8_t* ScanLine(int32_t Row);

  // tmAuto: the colour of the bottom-left pixel (clDefault while empty); tmFixed: the colour set.
  TColor TransparentColor() const;
  // Any colour but clDefault also sets tmFixed; clDefault sets tmAuto.
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode Value);

  // A BMP file (an empty stream rest gives an empty bitmap); the stream is left after the file.
  void LoadFromStream(TStream* Stream) override;
  // A 24-bit BMP file; nothing for an empty bitmap.
  void SaveToStream(TStream* Stream) override;
  // A bitmap resource (RT_BITMAP) of the module; EResNotFound when it has none of that name.
  void LoadFromResourceName(HINSTANCE Instance, const std::string& ResName);

 protected:
  void Draw(TCanvas* ACanvas, const RECT& Rect) override;

 private:
  class TBitmapCanvas;
  void Adopt(Dib24 image);
  void Replace(GdiObject<HBITMAP> dib, uint8_t* bits, int32_t width, int32_t height);
  size_t Stride() const { return Dib24::Stride(width_); }

  GdiObject<HBITMAP> dib_;
  uint8_t* bits_ = nullptr;  // rows from the bottom, Stride() bytes each
  int32_t width_ = 0, height_ = 0;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = tmAuto;
  std::unique_ptr<TCanvas> canvas_;
};

// An icon, drawn through its own mask (always transparent).
class TIcon : public TGraphic {
  DECLARE_CLASS(TIcon, TGraphic)
 public:
  TIcon();
  ~TIcon() override;
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return !icon_; }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  HICON Handle() const { return icon_.get(); }
  // Takes Value over: it is destroyed with the icon or when the icon changes.
  void SetHandle(HICON Value);
  // An icon resource (RT_GROUP_ICON, such as "MAINICON") at the system's icon size.
  void LoadFromResourceName(HINSTANCE Instance, const std::string& ResName);

  // An .ico file: the image nearest the system's icon size, of the most colours.
  void LoadFromStream(TStream* Stream) override;
  // The .ico file it was read from; an icon made from a handle or resource has none and raises
  // EInvalidGraphic (an empty icon writes nothing).
  void SaveToStream(TStream* Stream) override;

 protected:
  void Draw(TCanvas* ACanvas, const RECT& Rect) override;

 private:
  void Take(IconHandle icon, std::vector<uint8_t> data);

  IconHandle icon_;
  int32_t width_ = 0, height_ = 0;
  std::vector<uint8_t> data_;  // the .ico file, when it came from one
};
