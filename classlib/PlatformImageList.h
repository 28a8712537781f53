// An HIMAGELIST copy of a library image list, for the common controls that draw images themselves.
#pragma once

#include <windows.h>
#include <commctrl.h>

class TCustomImageList;

class PlatformImageList {
 public:
  PlatformImageList() = default;
  ~PlatformImageList() { Clear(); }
  PlatformImageList(const PlatformImageList&) = delete;
  PlatformImageList& operator=(const PlatformImageList&) = delete;

  // Copies every image of Source with its transparency; null leaves no list.
  void Assign(TCustomImageList* Source);
  void Clear();
  HIMAGELIST get() const { return list_; }

 private:
  HIMAGELIST list_ = nullptr;
};
