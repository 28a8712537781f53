// The common controls: list view, tool bar with its buttons, progress bar, status bar, date-time
// picker, tree view and hot-key edit; tab controls, track bar and up-down have their own units.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Controls.h"
#include "Forms.h"
#include "Menus.h"
#include "StringList.h"
#include "TabControls.h"
#include "ToolBar.h"
#include "TrackBar.h"

// Registers the common control classes with the platform, once per program.
void InitCommonControlClasses();

DECLARE_ENUM(TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport)

class TCustomListView;
class TListItems;

class TListColumn : public TCollectionItem {
  DECLARE_CLASS(TListColumn, TCollectionItem)
 public:
  explicit TListColumn(TCollection* Collection) : TCollectionItem(Collection) {}
  std::string Caption() const { return caption_; }
  void SetCaption(std::string Value);
  // The control's width of the column while it has a window.
  int32_t Width();
  void SetWidth(int32_t Value);

 private:
  friend class TCustomListView;
  TCustomListView* ListView() const;
  std::string caption_;
  int32_t width_ = 50;
};

class TListColumns : public TCollection {
  DECLARE_CLASS(TListColumns, TCollection)
 public:
  explicit TListColumns(TCustomListView* Owner) : TCollection(NewCollectionItem<TListColumn>), owner_(Owner) {}
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* Items(int Index) const { return static_cast<TListColumn*>(TCollection::Items(Index)); }
  TCustomListView* Owner() const { return owner_; }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TCustomListView* owner_;
};

class TListItem;

// An item's sub-items: the texts of its second and later columns.
class TSubItems : public TStrings {
  DECLARE_CLASS(TSubItems, TStrings)
 public:
  explicit TSubItems(TListItem* Item) : item_(Item) {}
  int Count() const override { return static_cast<int>(strings_.size()); }
  std::string Strings(int Index) const override;
  void SetString(int Index, const std::string& S) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;

 private:
  friend class TListItem;
  TListItem* item_;
  std::vector<std::string> strings_;
};

// One row. Checked and Selected live in the control while it has a window.
class TListItem : public TPersistent {
  DECLARE_CLASS(TListItem, TPersistent)
 public:
  explicit TListItem(TListItems* Owner);
  ~TListItem() override;
  TListItems* Owner() const { return owner_; }
  int Index() const;
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& Value);
  TStrings* SubItems() const { return subItems_.get(); }
  bool Checked() const;
  void SetChecked(bool Value);
  bool Selected() const;
  void SetSelected(bool Value);

 private:
  friend class TSubItems;
  friend class TCustomListView;
  HWND Wnd() const;
  void PushSubItems() const;
  TListItems* owner_;
  std::string caption_;
  std::unique_ptr<TSubItems> subItems_;
  bool checked_ = false;
  bool selected_ = false;
};

class TListItems : public TPersistent {
  DECLARE_CLASS(TListItems, TPersistent)
 public:
  explicit TListItems(TCustomListView* Owner) : owner_(Owner) {}
  ~TListItems() override;
  TCustomListView* Owner() const { return owner_; }
  // A new last row.
  TListItem* Add();
  void Delete(int Index);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TListItem* Item(int Index) const { return items_.at(Index); }
  TListItem* operator[](int Index) const { return Item(Index); }
  int IndexOf(const TListItem* Item) const;
  // Nested pairs; the control does not redraw until the outermost ends.
  void BeginUpdate();
  void EndUpdate();

 private:
  TCustomListView* owner_;
  std::vector<TListItem*> items_;  // owned, in the control's order
  int updateCount_ = 0;
};

class TCustomListView : public TWinControl {
  DECLARE_CLASS(TCustomListView, TWinControl)
 public:
  explicit TCustomListView(TComponent* AOwner);
  ~TCustomListView() override;
  TListColumns* Columns() const { return columns_.get(); }
  TListItems* Items() const { return items_.get(); }
  // The first selected row, or null.
  TListItem* Selected();
  void Clear() { items_->Clear(); }

  bool Checkboxes() const { return checkboxes_; }
  void SetCheckboxes(bool Value);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool Value);
  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle Value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void DestroyWnd() override;

 private:
  friend class TListColumns;
  friend class TListColumn;
  friend class TListItems;
  DWORD ExtendedStyle() const;
  void UpdateColumns();
  void InsertItemWnd(TListItem* Item, int Index);
  std::unique_ptr<TListColumns> columns_;
  std::unique_ptr<TListItems> items_;
  bool checkboxes_ = false;
  bool rowSelect_ = false;
  TViewStyle viewStyle_ = vsIcon;
  TBorderStyle borderStyle_ = bsSingle;
};

class TListView : public TCustomListView {
  DECLARE_CLASS(TListView, TCustomListView)
 public:
  using TCustomListView::TCustomListView;
};

DECLARE_ENUM(TProgressBarOrientation, pbHorizontal, pbVertical)

class TProgressBar : public TWinControl {
  DECLARE_CLASS(TProgressBar, TWinControl)
 public:
  explicit TProgressBar(TComponent* AOwner);
  int32_t Min() const { return min_; }
  void SetMin(int32_t Value);
  int32_t Max() const { return max_; }
  void SetMax(int32_t Value);
  // As the control holds it: within Min and Max.
  int32_t Position();
  void SetPosition(int32_t Value);
  int32_t Step() const { return step_; }
  void SetStep(int32_t Value);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool Value);
  TProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TProgressBarOrientation Value);
  // Advances by Step; past Max the control starts again from Min.
  void StepIt();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void DestroyWnd() override;

 private:
  void SetRange();
  int32_t min_ = 0;
  int32_t max_ = 100;
  int32_t position_ = 0;  // while there is no window
  int32_t step_ = 10;
  bool smooth_ = false;
  TProgressBarOrientation orientation_ = pbHorizontal;
};

// A STATUSCLASSNAME window showing one text across it, on the control's Color.
class TStatusBar : public TWinControl {
  DECLARE_CLASS(TStatusBar, TWinControl)
 public:
  explicit TStatusBar(TComponent* AOwner);
  // The platform's grip in the bottom-right corner.
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool Value);
  // The text the bar shows while SimplePanel is on (the only way it shows text here).
  std::string SimpleText() const { return simpleText_; }
  void SetSimpleText(std::string Value);
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool Value);
  // Drawing on the bar's window, over what the platform painted.
  TCanvas* Canvas() const { return canvas_.get(); }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
  std::string simpleText_;
  bool sizeGrip_ = true;
  bool simplePanel_ = true;
};

// The base of the platform's calendar controls.
class TCommonCalendar : public TWinControl {
  DECLARE_CLASS(TCommonCalendar, TWinControl)
 public:
  using TWinControl::TWinControl;
};

DECLARE_ENUM(TDateTimeKind, dtkDate, dtkTime)
DECLARE_ENUM(TDTDateFormat, dfShort, dfLong)

// A DATETIMEPICK_CLASS edit with its drop-down calendar (or its spin buttons for a time).
class TDateTimePicker : public TCommonCalendar {
  DECLARE_CLASS(TDateTimePicker, TCommonCalendar)
 public:
  explicit TDateTimePicker(TComponent* AOwner);
  TDateTimeKind Kind() const { return kind_; }
  void SetKind(TDateTimeKind Value);
  TDTDateFormat DateFormat() const { return dateFormat_; }
  void SetDateFormat(TDTDateFormat Value);
  // The date and time the control shows.
  SYSTEMTIME DateTime();
  void SetDateTime(const SYSTEMTIME& Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void DestroyWnd() override;

 private:
  TDateTimeKind kind_ = dtkDate;
  TDTDateFormat dateFormat_ = dfShort;
  SYSTEMTIME dateTime_{};  // while there is no window; zero: the control's today
};

// A WC_TREEVIEW window; its items live in the control only.
class TCustomTreeView : public TWinControl {
  DECLARE_CLASS(TCustomTreeView, TWinControl)
 public:
  explicit TCustomTreeView(TComponent* AOwner);
  bool ShowButtons() const { return showButtons_; }
  void SetShowButtons(bool Value);
  bool ShowLines() const { return showLines_; }
  void SetShowLines(bool Value);
  bool ShowRoot() const { return showRoot_; }
  void SetShowRoot(bool Value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  // A new last item under Parent (null: at the top level).
  HTREEITEM AddItem(HTREEITEM Parent, const std::string& Text);
  int ItemCount();

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  void SetStyleBit(bool& Field, DWORD Style, bool Value);
  bool showButtons_ = true;
  bool showLines_ = true;
  bool showRoot_ = true;
  TBorderStyle borderStyle_ = bsSingle;
};

class TTreeView : public TCustomTreeView {
  DECLARE_CLASS(TTreeView, TCustomTreeView)
 public:
  using TCustomTreeView::TCustomTreeView;
};

// A HOTKEY_CLASS edit that shows the key combination pressed in it.
class TCustomHotKey : public TWinControl {
  DECLARE_CLASS(TCustomHotKey, TWinControl)
 public:
  explicit TCustomHotKey(TComponent* AOwner);
  // The combination, as menu short cuts hold it.
  TShortCut HotKey();
  void SetHotKey(TShortCut Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void DestroyWnd() override;

 private:
  TShortCut hotKey_;
};

class THotKey : public TCustomHotKey {
  DECLARE_CLASS(THotKey, TCustomHotKey)
 public:
  using TCustomHotKey::TCustomHotKey;
};
