// The grids: cells in columns and rows, the first ones fixed, painted by the library, with
// scroll bars that move the others by whole columns and rows.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Controls.h"
#include "Forms.h"

DECLARE_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)
DECLARE_ENUM(TGridDrawStateItem, gdSelected, gdFocused, gdFixed)
DECLARE_SET(TGridDrawState, TGridDrawStateItem)
DECLARE_EVENT_TYPE(TDrawCellEvent, void(TObject* Sender, int32_t ACol, int32_t ARow, RECT Rect, TGridDrawState State))

class TCustomGrid : public TCustomControl {
  DECLARE_CLASS(TCustomGrid, TCustomControl)
 public:
  explicit TCustomGrid(TComponent* AOwner);

  int32_t ColCount() const { return static_cast<int32_t>(colWidths_.size()); }
  void SetColCount(int32_t Value);
  int32_t RowCount() const { return static_cast<int32_t>(rowHeights_.size()); }
  void SetRowCount(int32_t Value);
  // Fewer than the columns (rows); raises EInvalidOperation otherwise.
  int32_t FixedCols() const { return fixedCols_; }
  void SetFixedCols(int32_t Value);
  int32_t FixedRows() const { return fixedRows_; }
  void SetFixedRows(int32_t Value);
  // Setting a default sizes every column (row) to it.
  int32_t DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int32_t Value);
  int32_t DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int32_t Value);
  int32_t ColWidths(int Index) const { return colWidths_.at(Index); }
  void SetColWidths(int Index, int32_t Value);
  int32_t RowHeights(int Index) const { return rowHeights_.at(Index); }
  void SetRowHeights(int Index, int32_t Value);
  int32_t GridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int32_t Value);
  TColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor Value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  // The first scrolling row (column) shown after the fixed ones.
  int32_t TopRow() const { return topRow_; }
  void SetTopRow(int32_t Value);
  int32_t LeftCol() const { return leftCol_; }
  void SetLeftCol(int32_t Value);
  // Where a cell lies in the client area; empty for a cell scrolled out before the first shown.
  RECT CellRect(int32_t ACol, int32_t ARow);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& Message) override;
  void Paint() override;
  // Paints one cell after the grid has filled it; Rect excludes the grid lines.
  virtual void DrawCell(int32_t ACol, int32_t ARow, RECT Rect, TGridDrawState State);
  void InvalidateCell(int32_t ACol, int32_t ARow);
  bool defaultFill_ = true;  // the grid fills each cell with its colour before DrawCell

 private:
  // The largest TopRow (LeftCol) that still fills the client area.
  int32_t MaxTopRow();
  int32_t MaxLeftCol();
  void UpdateScrollRanges();
  void Scroll(int Bar, WORD Code);
  void Changed();
  std::vector<int32_t> colWidths_, rowHeights_;
  int32_t fixedCols_ = 1;
  int32_t fixedRows_ = 1;
  int32_t defaultColWidth_ = 64;
  int32_t defaultRowHeight_ = 24;
  int32_t gridLineWidth_ = 1;
  TColor fixedColor_ = clBtnFace;
  TScrollStyle scrollBars_ = ssBoth;
  TBorderStyle borderStyle_ = bsSingle;
  int32_t topRow_ = 1;
  int32_t leftCol_ = 1;
  bool updatingBars_ = false;
};

// A grid whose cells its owner paints, in OnDrawCell.
class TDrawGrid : public TCustomGrid {
  DECLARE_CLASS(TDrawGrid, TCustomGrid)
 public:
  using TCustomGrid::TCustomGrid;
  // Off: the cells are left to OnDrawCell alone, unfilled.
  bool DefaultDrawing() const { return defaultFill_; }
  void SetDefaultDrawing(bool Value);
  TDrawCellEvent OnDrawCell;

 protected:
  void DrawCell(int32_t ACol, int32_t ARow, RECT Rect, TGridDrawState State) override;
};

// A grid of texts, each cell drawn two pixels in from its top-left corner.
class TStringGrid : public TDrawGrid {
  DECLARE_CLASS(TStringGrid, TDrawGrid)
 public:
  using TDrawGrid::TDrawGrid;
  std::string Cells(int32_t ACol, int32_t ARow) const;
  void SetCells(int32_t ACol, int32_t ARow, const std::string& Value);

 protected:
  void DrawCell(int32_t ACol, int32_t ARow, RECT Rect, TGridDrawState State) override;

 private:
  std::map<std::pair<int32_t, int32_t>, std::string> cells_;
};
