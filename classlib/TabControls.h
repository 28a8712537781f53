// Tab controls over WC_TABCONTROL: the tab control with its list of tabs, and the page control
// whose tabs are its tab sheets, one shown at a time.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Controls.h"
#include "PlatformImageList.h"
#include "StringList.h"

class TCustomImageList;

DECLARE_ENUM(TTabPosition, tpTop, tpBottom, tpLeft, tpRight)

class TCustomTabControl : public TWinControl {
  DECLARE_CLASS(TCustomTabControl, TWinControl)
 public:
  explicit TCustomTabControl(TComponent* AOwner);
  ~TCustomTabControl() override;
  // The tabs' captions; every change reaches the control.
  TStrings* Tabs() const { return tabs_.get(); }
  // The selected tab, -1 for none.
  int32_t TabIndex();
  void SetTabIndex(int32_t Value);
  // Pixels; 0 is the platform's height for the font.
  int32_t TabHeight() const { return tabHeight_; }
  void SetTabHeight(int32_t Value);
  TTabPosition TabPosition() const { return tabPosition_; }
  void SetTabPosition(TTabPosition Value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  // The client area less the tabs: where pages go.
  RECT DisplayRect();
  // Drawing on the control's window.
  TCanvas* Canvas() const { return canvas_.get(); }

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The image of tab Index; by default the tab's own index.
  virtual int GetImageIndex(int TabIndex) { return TabIndex; }
  // The selection moved to another tab.
  virtual void Change();
  // Puts Tabs into the control again.
  void UpdateTabs();
  // The tabs or the control's size changed: what lies in the display area follows.
  virtual void Realign() {}

 private:
  void TabsChanged(TObject*) { UpdateTabs(); }
  void UpdateTabSize();
  std::unique_ptr<TStringList> tabs_;
  std::unique_ptr<TControlCanvas> canvas_;
  int32_t tabIndex_ = -1;  // while there is no window
  int16_t tabHeight_ = 0;
  TTabPosition tabPosition_ = tpTop;
  TCustomImageList* images_ = nullptr;
  PlatformImageList platformImages_;
};

class TTabControl : public TCustomTabControl {
  DECLARE_CLASS(TTabControl, TCustomTabControl)
 public:
  using TCustomTabControl::TCustomTabControl;
};

class TPageControl;

// A page of a page control: a plain window that holds the page's controls.
class TTabSheet : public TWinControl {
  DECLARE_CLASS(TTabSheet, TWinControl)
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  void BeforeDestruction() override;
  void SetParent(TWinControl* AParent) override;
  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* Value);
  int32_t ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int32_t Value);
  // A page without a tab stays in Pages but cannot be shown.
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool Value);
  // The page's place among the visible tabs, -1 without a tab.
  int TabIndex() const;

 protected:
  void WndProc(TMessage& Message) override;

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
  int32_t imageIndex_ = 0;
  bool tabVisible_ = true;
};

class TPageControl : public TCustomTabControl {
  DECLARE_CLASS(TPageControl, TCustomTabControl)
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int Index) const { return pages_.at(Index); }
  // The page shown; null for none. Only a page of this control with a tab can be shown.
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* Value);
  int32_t ActivePageIndex() const;
  void SetActivePageIndex(int32_t Value);

 protected:
  int GetImageIndex(int TabIndex) override;
  void Change() override;
  void Realign() override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  // Tabs from the pages, the active page placed over the display area and shown, the others hidden.
  void UpdatePages();
  TTabSheet* PageOfTab(int TabIndex) const;
  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
};
