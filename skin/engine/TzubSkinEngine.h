// The skin engine component: the skin in use, every lookup of it, the metrics the window
// skinners paint with, and the list of skinned windows.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Graphics.h"
#include "Menus.h"
#include "ZUBSkinReader.h"

class TzubSkinWindow;
class TzubSkinEngine;

class TzubSkinCollectionItem : public TCollectionItem {
  DECLARE_CLASS(TzubSkinCollectionItem, TCollectionItem)
  // Filled in with the engine.
};

class TzubSkinCollection : public TCollection {
  DECLARE_CLASS(TzubSkinCollection, TCollection)
  // Filled in with the engine.
};

class TzubSkinEngine : public TComponent {
  DECLARE_CLASS(TzubSkinEngine, TComponent)

 public:
  explicit TzubSkinEngine(TComponent* AOwner);
  ~TzubSkinEngine() override;

  // Active and Ready and not designing: every skinning action is gated on it.
  bool IsSkinning() const;

  // Whole image (Count or Index 0), or piece Index (from 1) of Count equal-width pieces.
  bool GetSkinBitmap(const std::string& Name, TBitmap* Bitmap, int Count = 0, int Index = 0) const;
  int32_t GetSkinInt(const std::string& Name) const;  // -1 when missing
  bool GetSkinBool(const std::string& Name) const;    // false when missing
  int32_t GetFormBackgroundColor() const;
  int32_t GetMenuBarColor() const;
  int32_t GetTitleFontColor() const;
  TPopupMenu* GetSystemMenu() const;

  void SkinWindow(HWND Handle);
  void SkinWindowEx(HWND Handle, bool IsDialog);
  void UnskinWindow(HWND Handle);
  void SkinAllScreenForms();
  void UnskinOtherForms();

  // Read by the window and control skinners; rebuilt by every skin load.
  std::vector<TzubSkinWindow*> FWindows;      // each skinner removes itself when freed
  TzubSkinWindow* FSystemMenuWindow = nullptr;  // a skinner that goes clears it
  bool FUnskinning = false;
  HBRUSH FBackgroundBrush = nullptr;
  std::unique_ptr<TBitmap> FRightBorderImage;  // null when the skin has no left border image
  int32_t FTitleBarHeight = 0;
  int32_t FBorderWidth = 0;
  int32_t FBottomBorderHeight = 0;
  int32_t FTitleFontColor = 0xFFFFFF;
  std::unique_ptr<TzubSkinScrollBtnRes> FScrollBtnRes;
  int32_t DisabledTag = 9999;
  bool DrawScrollBar = true;
  bool SkinDialogs = true;

  // The rest of the component (published properties, SkinData, the hook, menus) is filled in
  // with the engine.
};
