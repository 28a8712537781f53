// The panel, the radio group, the notebook with its pages, and the control bar.
#pragma once

#include <memory>
#include <vector>

#include "Controls.h"
#include "StdCtrls.h"

DECLARE_ENUM(TPanelBevel, bvNone, bvLowered, bvRaised, bvSpace)

// A surface of its own with bevels and a centred caption.
class TCustomPanel : public TCustomControl {
  DECLARE_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* AOwner);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel Value);
  int32_t BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int32_t Value);
  int32_t BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int32_t Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void Paint() override;

 private:
  TPanelBevel bevelInner_ = bvNone;
  TPanelBevel bevelOuter_ = bvRaised;
  int32_t bevelWidth_ = 1;
  int32_t borderWidth_ = 0;
};

class TPanel : public TCustomPanel {
  DECLARE_CLASS(TPanel, TCustomPanel)
 public:
  using TCustomPanel::TCustomPanel;
};

class TCustomRadioGroup;

// A radio button that a radio group makes for one of its items.
class TGroupButton : public TRadioButton {
  DECLARE_CLASS(TGroupButton, TRadioButton)
 public:
  using TRadioButton::TRadioButton;
};

// A group box with one radio button per item, laid out in columns.
class TCustomRadioGroup : public TCustomGroupBox {
  DECLARE_CLASS(TCustomRadioGroup, TCustomGroupBox)
 public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;
  void Loaded() override;
  TStrings* Items() const { return items_.get(); }
  // The checked item, or -1; a change checks its button and clicks the group (OnClick).
  int32_t ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int32_t Value);
  int32_t Columns() const { return columns_; }
  void SetColumns(int32_t Value);
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TGroupButton* Buttons(int Index) const { return buttons_.at(Index); }

 protected:
  void WndProc(TMessage& Message) override;

 private:
  void ItemsChanged(TObject*) { UpdateButtons(); }
  void ButtonClick(TObject* Sender);
  // One button per item, captioned, the checked one checked, then laid out.
  void UpdateButtons();
  void ArrangeButtons();
  std::unique_ptr<TStringList> items_;
  std::vector<TGroupButton*> buttons_;
  int32_t itemIndex_ = -1;
  int32_t columns_ = 1;
  bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
  DECLARE_CLASS(TRadioGroup, TCustomRadioGroup)
 public:
  using TCustomRadioGroup::TCustomRadioGroup;
};

// A page of a notebook: it fills the notebook and shows while it is the notebook's active page.
class TPage : public TCustomControl {
  DECLARE_CLASS(TPage, TCustomControl)
 public:
  explicit TPage(TComponent* AOwner);
  void SetParent(TWinControl* AParent) override;
};

// Pages on top of each other, one showing at a time: its TPage children, in the order written.
class TNotebook : public TCustomControl {
  DECLARE_CLASS(TNotebook, TCustomControl)
 public:
  explicit TNotebook(TComponent* AOwner);
  void Loaded() override;
  int PageCount() const;
  TPage* Pages(int Index) const;
  int32_t PageIndex() const { return pageIndex_; }
  void SetPageIndex(int32_t Value);
  // The active page's caption; setting one that no page has changes nothing.
  std::string ActivePage() const;
  void SetActivePage(std::string Value);

 protected:
  void WndProc(TMessage& Message) override;

 private:
  friend class TPage;
  void ShowPages();
  int32_t pageIndex_ = 0;
};

// A bar of bands: each child control is one band, drawn with a raised edge.
class TCustomControlBar : public TCustomControl {
  DECLARE_CLASS(TCustomControlBar, TCustomControl)
 public:
  explicit TCustomControlBar(TComponent* AOwner);

 protected:
  void Paint() override;
};

class TControlBar : public TCustomControlBar {
  DECLARE_CLASS(TControlBar, TCustomControlBar)
 public:
  using TCustomControlBar::TCustomControlBar;
};
