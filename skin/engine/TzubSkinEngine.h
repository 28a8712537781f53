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
#include "TzubSkinCollection.h"
#include "ZUBSkinReader.h"

class TzubSkinWindow;
class TzubSkinEngine;

class TzubSkinEngine : public TComponent {
  DECLARE_CLASS(TzubSkinEngine, TComponent)

 public:
  // Raises "Must be placed on a Form" for an owner that is no form.
  explicit TzubSkinEngine(TComponent* AOwner);
  ~TzubSkinEngine() override;
  // The first engine made at run time installs the hook.
  void AfterConstruction() override;

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

  // Owner-drawn menus in the skin's colours.
  void SkinMenu(TMenu* Menu);
  void SkinMenuItem(TMenuItem* Item);
  void UnskinMenu(TMenu* Menu);
  void UnskinMenuItem(TMenuItem* Item);
  void MeasureMenuItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);
  void DrawMenuItem(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected);
  void SystemMenuPopup(TObject* Sender);
  void SystemMenuMinimizeClick(TObject* Sender);
  void SystemMenuMaximizeClick(TObject* Sender);
  void SystemMenuCloseClick(TObject* Sender);

  // Published properties, in the order a form description stores them.
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  bool Ready() const;
  void SetReady(bool Value) { (void)Value; }
  const std::string& SkinFile() const { return FSkinFile; }
  void SetSkinFile(std::string Value);
  const std::string& ResSysMenuMin() const { return FResSysMenuMin; }
  void SetResSysMenuMin(std::string Value);
  const std::string& ResSysMenuMax() const { return FResSysMenuMax; }
  void SetResSysMenuMax(std::string Value);
  const std::string& ResSysMenuClose() const { return FResSysMenuClose; }
  void SetResSysMenuClose(std::string Value);
  bool GetDrawScrollBar() const { return DrawScrollBar; }
  void SetDrawScrollBar(bool Value) { DrawScrollBar = Value; }
  std::string Version() const { return "3.1"; }
  void SetVersion(std::string Value) { (void)Value; }
  bool BuiltIn() const { return FBuiltIn; }
  void SetBuiltIn(bool Value);
  bool SkinAllForms() const { return FSkinAllForms; }
  void SetSkinAllForms(bool Value);
  TzubSkinCollection* AdditionalBuiltInSkins() const { return FAdditionalBuiltInSkins.get(); }
  void SetAdditionalBuiltInSkins(TzubSkinCollection* Value);
  TNotifyEvent OnSkinChanged;

  // The reader every lookup uses.
  TzubSkinReader* CurrentReader() const { return FCurrentReader; }

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

  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool Designing() const { return ComponentState().Contains(csDesigning); }
  bool LoadingOrDesigning() const;
  void SkinLoaded(TObject* Sender);
  void ReadSkinData(TStream* Stream);
  void WriteSkinData(TStream* Stream);
  void SetSystemMenuCaption(int Index, const std::string& Caption);

  bool FActive = false;
  TzubSkinReader* FCurrentReader = nullptr;
  std::unique_ptr<TzubSkinReader> FReader;
  std::string FSkinFile;
  TPopupMenu* FSystemMenu = nullptr;  // owned
  bool FBuiltIn = false;
  bool FSkinAllForms = true;
  std::unique_ptr<TzubSkinCollection> FAdditionalBuiltInSkins;
  std::string FResSysMenuMin = "Mi&nimize";
  std::string FResSysMenuMax = "Ma&ximize/Restore";
  std::string FResSysMenuClose = "&Close";
};

// Makes the skinner of a top-level window; NewSkinWindow unless a test puts in its own.
using TzubSkinWindowFactory = TzubSkinWindow* (*)(HWND Handle, bool IsDialog, TzubSkinEngine* Engine);
extern TzubSkinWindowFactory SkinWindowFactory;
