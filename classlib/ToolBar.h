// The tool bar: a ToolbarWindow32 whose buttons are graphic controls, drawn by the bar's window,
// custom-drawn through OnCustomDrawButton, and dropping menu items' sub-menus.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Controls.h"
#include "PlatformImageList.h"

class TCustomImageList;
class TMenuItem;
class TPopupMenu;

DECLARE_ENUM(TEdgeBorder, ebLeft, ebTop, ebRight, ebBottom)
DECLARE_SET(TEdgeBorders, TEdgeBorder)
// The item states of the common controls' custom draw, bit n = CDIS_ bit n.
DECLARE_ENUM(TCustomDrawStateItem, cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot,
             cdsMarked, cdsIndeterminate)
DECLARE_SET(TCustomDrawState, TCustomDrawStateItem)
DECLARE_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider)

class TToolBar;
class TToolButton;
DECLARE_EVENT_TYPE(TTBCustomDrawBtnEvent,
                   void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw))

// A window with etched edges on the sides EdgeBorders names, drawn in its non-client area.
class TToolWindow : public TWinControl {
  DECLARE_CLASS(TToolWindow, TWinControl)
 public:
  explicit TToolWindow(TComponent* AOwner) : TWinControl(AOwner) {}
  TEdgeBorders EdgeBorders() const { return edgeBorders_; }
  void SetEdgeBorders(TEdgeBorders Value);

 protected:
  void InitializeWnd() override;
  void WndProc(TMessage& Message) override;

 private:
  TEdgeBorders edgeBorders_{ebTop};
};

class TToolBar : public TToolWindow {
  DECLARE_CLASS(TToolBar, TToolWindow)
 public:
  explicit TToolBar(TComponent* AOwner);
  ~TToolBar() override;
  bool Flat() const { return flat_; }
  void SetFlat(bool Value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  // Captions right of the images rather than below them.
  bool List() const { return list_; }
  void SetList(bool Value);
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool Value);
  // Buttons that do not fit go to the next row.
  bool Wrapable() const { return wrapable_; }
  void SetWrapable(bool Value);
  // The bar's height follows its rows of buttons.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  int32_t ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int32_t Value);
  int32_t ButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(int32_t Value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* HotImages() const { return hotImages_; }
  void SetHotImages(TCustomImageList* Value);
  // On the item's DC while OnCustomDrawButton runs; on the bar's window otherwise.
  TCanvas* Canvas() const { return canvas_.get(); }
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TToolButton* Buttons(int Index) const { return buttons_.at(Index); }

  // Each button before the bar paints it; DefaultDraw = false leaves the button as the handler drew it.
  TTBCustomDrawBtnEvent OnCustomDrawButton;

  // Drops Button's menu item's sub-items below the button, in the bar's own pop-up menu.
  void TrackMenu(TToolButton* Button);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TToolButton;
  void AddButton(TToolButton* Button);
  void RemoveButton(TToolButton* Button);
  // Puts the buttons into the window again, and their places back into the TToolButtons.
  void RebuildButtons();
  void SyncBounds();
  void SetBarStyle(DWORD Style, bool On);
  LRESULT CustomDraw(NMCUSTOMDRAW& Draw);
  int IndexOf(const TToolButton* Button) const;
  std::vector<TToolButton*> buttons_;
  std::unique_ptr<TControlCanvas> canvas_;
  PlatformImageList platformImages_, platformHotImages_;
  TCustomImageList* images_ = nullptr;
  TCustomImageList* hotImages_ = nullptr;
  TPopupMenu* menu_ = nullptr;  // owned by the bar, made at the first drop
  bool flat_ = false;
  bool transparent_ = false;
  bool list_ = false;
  bool showCaptions_ = false;
  bool wrapable_ = true;
  bool autoSize_ = false;
  int32_t buttonWidth_ = 23;
  int32_t buttonHeight_ = 22;
};

// A button of a tool bar: the bar's window draws it and reports its clicks.
class TToolButton : public TGraphicControl {
  DECLARE_CLASS(TToolButton, TGraphicControl)
 public:
  explicit TToolButton(TComponent* AOwner);
  ~TToolButton() override;
  void BeforeDestruction() override;
  void SetParent(TWinControl* AParent) override;
  void Loaded() override;
  TToolBar* ToolBar() const { return bar_; }

  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle Value);
  int32_t ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int32_t Value);
  // Checked for a check button, held pressed for any other; as the bar's window holds it.
  bool Down() const;
  void SetDown(bool Value);
  // Check buttons next to each other with Grouped make a group of which one is down.
  bool Grouped() const { return grouped_; }
  void SetGrouped(bool Value);
  // The next button starts a new row.
  bool Wrap() const { return wrap_; }
  void SetWrap(bool Value);
  // As wide as its caption and image rather than the bar's ButtonWidth.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  // The button shows the item's caption, image and state, and drops its sub-items when clicked.
  TMenuItem* MenuItem() const { return menuItem_; }
  void SetMenuItem(TMenuItem* Value);
  // A menu item without sub-items is clicked with the button.
  void Click() override;

 protected:
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TToolBar;
  void Changed();
  void TakeMenuItem();
  TToolBar* bar_ = nullptr;
  TToolButtonStyle style_ = tbsButton;
  int32_t imageIndex_ = -1;
  bool down_ = false;
  bool grouped_ = false;
  bool wrap_ = false;
  bool autoSize_ = false;
  TMenuItem* menuItem_ = nullptr;
};
