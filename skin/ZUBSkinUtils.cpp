#include "ZUBSkinUtils.h"

#include "Forms.h"
#include "TypInfo.h"
#include "ZUBSkinGeometry.h"
#include "ZUBSkinMessages.h"
#include "ZUBSkinText.h"

namespace zubskin {

SkinImage BitmapToSkinImage(TBitmap* bitmap) {
  SkinImage image;
  if (!bitmap || bitmap->Empty()) return image;
  image = SkinImage(bitmap->Width(), bitmap->Height());
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* row = bitmap->ScanLine(y);
    for (int x = 0; x < image.width; ++x)
      image.Set(x, y, SkinRGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
  }
  return image;
}

void SkinImageToBitmap(const SkinImage& image, TBitmap* bitmap) {
  if (image.Empty()) {
    bitmap->SetSize(0, 0);
    return;
  }
  bitmap->SetSize(image.width, image.height);
  for (int y = 0; y < image.height; ++y) {
    uint8_t* row = bitmap->ScanLine(y);
    for (int x = 0; x < image.width; ++x) {
      uint32_t c = image.At(x, y);
      row[3 * x] = static_cast<uint8_t>(c >> 16);
      row[3 * x + 1] = static_cast<uint8_t>(c >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(c);
    }
  }
}

void CutStripPiece(TBitmap* source, TBitmap* dest, int count, int index) {
  SkinImage piece;
  CutStripPiece(BitmapToSkinImage(source), piece, count, index);
  SkinImageToBitmap(piece, dest);
}

void RotateBitmapLeft(TBitmap* bitmap) {
  SkinImage image = BitmapToSkinImage(bitmap);
  RotateBitmapLeft(image);
  SkinImageToBitmap(image, bitmap);
}

void RotateBitmap180(TBitmap* bitmap) {
  SkinImage image = BitmapToSkinImage(bitmap);
  RotateBitmap180(image);
  SkinImageToBitmap(image, bitmap);
}

void RotateBitmapRight(TBitmap* bitmap) {
  SkinImage image = BitmapToSkinImage(bitmap);
  RotateBitmapRight(image);
  SkinImageToBitmap(image, bitmap);
}


bool HasPublishedProperty(const TControl* control, const std::string& propName) {
  return control && GetPropInfo(control, propName);
}

void HookMenuItemDraw(TMenuItem* item, TMenuDrawItemEvent drawHandler, TMenuMeasureItemEvent measureHandler) {
  item->OnDrawItem = drawHandler;
  item->OnMeasureItem = measureHandler;
  for (int i = 0; i < item->Count(); ++i) HookMenuItemDraw(item->Items(i), drawHandler, measureHandler);
}

bool IsFormActive(TCustomForm* form) {
  const LRESULT answer = SendMessage(form->Handle(), ZM_GETACTIVESTATE, 0, 0);
  if (answer > 0) return answer == 1;
  TCustomForm* mainForm = Application->MainForm();
  if (!mainForm) return form->Active();
  const bool mdiFrame = mainForm->FormStyle() == fsMDIForm;
  if (mdiFrame && form == mainForm) return true;
  if (!Application->Active()) return false;
  if (form == mainForm) return true;
  if (mdiFrame) {
    HWND client = FindWindowExA(mainForm->Handle(), nullptr, "MDICLIENT", nullptr);
    if (client && reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, 0)) == form->Handle()) return true;
  }
  return form->Active();
}

namespace {

// The entry points, looked up once; User32.dll is given back when the program ends.
struct User32Entries {
  HMODULE module = nullptr;
  FARPROC scrollBarInfo = nullptr;
  FARPROC comboBoxInfo = nullptr;
  bool missing = false;  // one failed look-up ends them all
  User32LookUp lookUp = GetProcAddress;

  ~User32Entries() { Forget(); }
  void Forget() {
    if (module) FreeLibrary(module);
    module = nullptr;
    scrollBarInfo = comboBoxInfo = nullptr;
    missing = false;
  }
  FARPROC Find(const char* name, FARPROC& entry) {
    if (missing) return nullptr;
    if (!entry) {
      if (!module) module = LoadLibraryA("User32.dll");
      entry = module ? lookUp(module, name) : nullptr;
      if (!entry) missing = true;
    }
    return entry;
  }
} user32;

}  // namespace

BOOL GetScrollBarInfo(HWND window, LONG objectId, PSCROLLBARINFO info) {
  using Fn = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
  FARPROC entry = user32.Find("GetScrollBarInfo", user32.scrollBarInfo);
  return entry ? reinterpret_cast<Fn>(reinterpret_cast<void*>(entry))(window, objectId, info) : FALSE;
}

BOOL GetComboBoxInfo(HWND window, PCOMBOBOXINFO info) {
  using Fn = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);
  FARPROC entry = user32.Find("GetComboBoxInfo", user32.comboBoxInfo);
  return entry ? reinterpret_cast<Fn>(reinterpret_cast<void*>(entry))(window, info) : FALSE;
}

void SetUser32LookUp(User32LookUp lookUp) {
  user32.lookUp = lookUp ? lookUp : GetProcAddress;
  user32.Forget();
}


namespace {

SkinRect ToSkinRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

void DrawPlan(TCanvas* canvas, TBitmap* image, const SkinBlitPlan& plan) {
  HDC dst = canvas->Handle();
  HDC src = image->Canvas()->Handle();
  const int oldMode = SetStretchBltMode(dst, COLORONCOLOR);
  for (const SkinBlit& b : plan) {
    if (b.src.IsEmpty() || b.dst.IsEmpty()) continue;
    if (b.keyed) {
      const COLORREF key = b.keyColour;  // 0x00BBGGRR is a COLORREF already
      TransparentBlt(dst, b.dst.left, b.dst.top, b.dst.Width(), b.dst.Height(), src, b.src.left, b.src.top,
                     b.src.Width(), b.src.Height(), key);
    } else {
      StretchBlt(dst, b.dst.left, b.dst.top, b.dst.Width(), b.dst.Height(), src, b.src.left, b.src.top,
                 b.src.Width(), b.src.Height(), SRCCOPY);
    }
  }
  SetStretchBltMode(dst, oldMode);
}

bool NothingToDraw(TBitmap* image, const RECT& rect) {
  return !image || image->Empty() || rect.right <= rect.left || rect.bottom <= rect.top;
}

}  // namespace

void DrawThreePartHorz(TBitmap* image, TCanvas* canvas, const RECT& rect, bool useCornerColour) {
  if (NothingToDraw(image, rect)) return;
  DrawPlan(canvas, image, PlanThreePartHorz(BitmapToSkinImage(image), ToSkinRect(rect), useCornerColour));
}

void DrawThreePartVert(TBitmap* image, TCanvas* canvas, const RECT& rect, bool transparent) {
  if (!image || rect.left < 0) return;
  image->SetTransparent(transparent);
  if (NothingToDraw(image, rect)) return;
  DrawPlan(canvas, image, PlanThreePartVert(image->Width(), image->Height(), ToSkinRect(rect)));
}

void DrawNineSlice(TBitmap* image, TCanvas* canvas, const RECT& rect, bool transparent) {
  if (NothingToDraw(image, rect)) return;
  DrawPlan(canvas, image, PlanNineSlice(image->Width(), image->Height(), ToSkinRect(rect), transparent));
}

void FrameRectColor(TCanvas* canvas, const RECT& rect, TColor color) {
  canvas->Brush()->SetColor(color);
  canvas->FrameRect(rect);
}

void FillRectColor(TCanvas* canvas, const RECT& rect, TColor color) {
  canvas->Brush()->SetColor(color);
  canvas->FillRect(rect);
}

void DrawMenuSeparator(TCanvas* canvas, const RECT& rect, TColor color, int indent, bool leftToRight) {
  canvas->Pen()->SetColor(color);
  const int y = rect.top + 2;
  canvas->MoveTo(leftToRight ? rect.left + indent + 4 : rect.left + 2, y);
  canvas->LineTo(leftToRight ? rect.right - 2 : rect.right - indent - 4, y);
}

namespace {

void DrawArrow(TCanvas* canvas, POINT a, POINT b, POINT c, bool enabled) {
  // The caller's pen and brush come back: its next shape is drawn in its own colours.
  const TColor pen = canvas->Pen()->Color(), brush = canvas->Brush()->Color();
  auto triangle = [canvas](POINT p, POINT q, POINT r, TColor colour) {
    canvas->Pen()->SetColor(colour);
    canvas->Brush()->SetColor(colour);
    canvas->Polygon({p, q, r});
  };
  auto shifted = [](POINT p) { return POINT{p.x + 1, p.y + 1}; };
  if (!enabled) triangle(shifted(a), shifted(b), shifted(c), clWhite);
  triangle(a, b, c, enabled ? clBlack : TColor(0x808080));
  canvas->Pen()->SetColor(pen);
  canvas->Brush()->SetColor(brush);
}

}  // namespace

void DrawArrowDown(TCanvas* canvas, int x, int y, bool enabled) {
  DrawArrow(canvas, {x, y}, {x + 6, y}, {x + 3, y + 3}, enabled);
}

void DrawArrowUp(TCanvas* canvas, int x, int y, bool enabled) {
  DrawArrow(canvas, {x, y}, {x - 3, y + 3}, {x + 3, y + 3}, enabled);
}

void DrawArrowLeft(TCanvas* canvas, int x, int y, bool enabled) {
  DrawArrow(canvas, {x, y}, {x + 3, y + 3}, {x + 3, y - 3}, enabled);
}

void DrawArrowRight(TCanvas* canvas, int x, int y, bool enabled) {
  DrawArrow(canvas, {x, y}, {x, y + 6}, {x + 3, y + 3}, enabled);
}

void DrawWindowBorder(HWND window, TColor outerColor, TColor innerColor, bool withInner) {
  RECT r;
  if (!GetWindowRect(window, &r)) return;
  OffsetRect(&r, -r.left, -r.top);
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    FrameRectColor(&canvas, r, outerColor);
    if (withInner) {
      InflateRect(&r, -1, -1);
      FrameRectColor(&canvas, r, innerColor);
    }
  }  // the canvas lets go of the DC before it goes back
  ReleaseDC(window, dc);
}

void DrawControlBorder(TWinControl* control, TColor outerColor, TColor innerColor, bool withInner) {
  DrawWindowBorder(control->Handle(), outerColor, innerColor, withInner);
}

void SetMenuFont(TFont* font) {
  // The block without the padded border width that later systems added: every system takes it.
  constexpr UINT kMetricsSize = 340;
  static_assert(sizeof(NONCLIENTMETRICSA) >= kMetricsSize);
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = kMetricsSize;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kMetricsSize, &metrics, 0)) return;
  HFONT handle = CreateFontIndirectA(&metrics.lfMenuFont);
  if (!handle) return;
  font->SetHandle(handle);
  font->SetColor(clMenuText);
}


std::string EllipsizeText(TCanvas* canvas, const std::string& text, int maxWidth) {
  return EllipsizeText(text, maxWidth, [canvas](std::string_view s) { return canvas->TextWidth(std::string(s)); });
}

bool PointInRect(int x, int y, const RECT& rect) {
  return PointInRect(x, y, SkinRect{rect.left, rect.top, rect.right, rect.bottom});
}

bool PointInRect(const POINT& point, const RECT& rect) { return PointInRect(point.x, point.y, rect); }

void SetControlRect(TControl* control, const RECT& rect) {
  control->SetLeft(rect.left);
  control->SetTop(rect.top);
  control->SetWidth(rect.right - rect.left);
  control->SetHeight(rect.bottom - rect.top);
}

void GetWorkArea(RECT& rect) {
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &rect, 0);
  rect.bottom -= 1;
}

TCustomForm* FindFormByHandle(HWND handle) {
  for (int i = 0; i < Screen->CustomFormCount(); ++i) {
    TCustomForm* form = Screen->CustomForms(i);
    if (form->HandleAllocated() && form->Handle() == handle) return form;
  }
  return nullptr;
}

bool DetectWindows95() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) return false;
#pragma GCC diagnostic pop
  return info.dwMajorVersion == 4 && info.dwMinorVersion == 0 && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

namespace {
const bool isWindows95 = DetectWindows95();  // asked once, as the program starts
}  // namespace

bool IsWindows95() { return isWindows95; }

}  // namespace zubskin
