#include "ZUBSkinUtils.h"

#include "ZUBSkinGeometry.h"

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

}  // namespace zubskin

#include "Forms.h"
#include "TypInfo.h"
#include "ZUBSkinMessages.h"

namespace zubskin {

bool HasPublishedProperty(const TControl* control, const std::string& propName, const std::string& typeName) {
  if (!control) return false;
  const TPropInfo* info = GetPropInfo(control, propName);
  return info && info->type && info->type->name && typeName == info->type->name;
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

// User32.dll stays loaded for the life of the process; the system keeps it loaded anyway.
FARPROC LookUpUser32(const char* name, FARPROC& entry, bool& missing) {
  if (missing) return nullptr;
  if (!entry) {
    static HMODULE user32 = LoadLibraryA("User32.dll");
    entry = user32 ? GetProcAddress(user32, name) : nullptr;
    if (!entry) missing = true;
  }
  return entry;
}

FARPROC scrollBarInfoEntry = nullptr;
bool scrollBarInfoMissing = false;
FARPROC comboBoxInfoEntry = nullptr;
bool comboBoxInfoMissing = false;

}  // namespace

BOOL GetScrollBarInfo(HWND window, LONG objectId, PSCROLLBARINFO info) {
  using Fn = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
  FARPROC entry = LookUpUser32("GetScrollBarInfo", scrollBarInfoEntry, scrollBarInfoMissing);
  return entry ? reinterpret_cast<Fn>(reinterpret_cast<void*>(entry))(window, objectId, info) : FALSE;
}

BOOL GetComboBoxInfo(HWND window, PCOMBOBOXINFO info) {
  using Fn = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);
  FARPROC entry = LookUpUser32("GetComboBoxInfo", comboBoxInfoEntry, comboBoxInfoMissing);
  return entry ? reinterpret_cast<Fn>(reinterpret_cast<void*>(entry))(window, info) : FALSE;
}

}  // namespace zubskin

#include "ZUBSkinGeometry.h"

namespace zubskin {

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

void DrawThreePartHorz(TCanvas* canvas, TBitmap* image, const RECT& rect, bool useCornerColour) {
  if (NothingToDraw(image, rect)) return;
  DrawPlan(canvas, image, PlanThreePartHorz(BitmapToSkinImage(image), ToSkinRect(rect), useCornerColour));
}

void DrawThreePartVert(TCanvas* canvas, TBitmap* image, const RECT& rect) {
  if (NothingToDraw(image, rect)) return;
  DrawPlan(canvas, image, PlanThreePartVert(image->Width(), image->Height(), ToSkinRect(rect)));
}

void DrawNineSlice(TCanvas* canvas, TBitmap* image, const RECT& rect, bool transparent) {
  if (NothingToDraw(image, rect)) return;
  DrawPlan(canvas, image, PlanNineSlice(image->Width(), image->Height(), ToSkinRect(rect), transparent));
}

}  // namespace zubskin

#include "ZUBSkinText.h"

namespace zubskin {

std::string EllipsizeText(TCanvas* canvas, const std::string& text, int maxWidth) {
  return EllipsizeText(text, maxWidth, [canvas](std::string_view s) { return canvas->TextWidth(std::string(s)); });
}

bool PointInRect(const POINT& point, const RECT& rect) {
  return PointInRect(point.x, point.y, SkinRect{rect.left, rect.top, rect.right, rect.bottom});
}

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

bool IsWindows95() {
  static const bool windows95 = DetectWindows95();
  return windows95;
}

}  // namespace zubskin
