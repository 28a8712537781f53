#include "PlatformImageList.h"

#include "GdiObject.h"
#include "Graphics.h"
#include "ImgList.h"
#include "SysUtils.h"

namespace {
// Transparent pixels of the copies: the library list draws masked onto this colour.
constexpr COLORREF kMaskColour = RGB(255, 0, 255);
}  // namespace

void PlatformImageList::Clear() {
  if (list_) ImageList_Destroy(list_);
  list_ = nullptr;
}

void PlatformImageList::Assign(TCustomImageList* source) {
  Clear();
  if (!source) return;
  const int w = source->Width(), h = source->Height();
  list_ = ImageList_Create(w, h, ILC_COLOR24 | ILC_MASK, source->Count(), 1);
  if (!list_) throw EOutOfMemory("Out of system resources");
  DeviceContext screen;
  for (int i = 0; i < source->Count(); ++i) {
    GdiObject<HBITMAP> picture(CreateCompatibleBitmap(screen.get(), w, h));
    {
      MemoryDC dc(screen.get());
      SelectedObject selected(dc.get(), picture.get());
      GdiObject<HBRUSH> back(CreateSolidBrush(kMaskColour));
      RECT r{0, 0, w, h};
      FillRect(dc.get(), &r, back.get());
      TCanvas canvas;
      canvas.SetHandle(dc.get());
      source->Draw(&canvas, 0, 0, i);
      canvas.SetHandle(nullptr);
    }
    ImageList_AddMasked(list_, picture.get(), kMaskColour);
  }
}
