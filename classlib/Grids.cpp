#include "Grids.h"

#include <algorithm>

#include "GdiObject.h"

namespace {
TColor LineColor(bool fixed) { return fixed ? clBlack : clSilver; }
}  // namespace

#define GRID_PROPS                                                                                   \
  Prop<&TCustomGrid::BorderStyle, &TCustomGrid::SetBorderStyle>("BorderStyle", &BorderStyleType),   \
      Prop<&TCustomGrid::ColCount, &TCustomGrid::SetColCount>("ColCount"),                            \
      Prop<&TCustomGrid::DefaultColWidth, &TCustomGrid::SetDefaultColWidth>("DefaultColWidth"),       \
      Prop<&TCustomGrid::DefaultRowHeight, &TCustomGrid::SetDefaultRowHeight>("DefaultRowHeight"),    \
      Prop<&TCustomGrid::FixedColor, &TCustomGrid::SetFixedColor>("FixedColor"),                      \
      Prop<&TCustomGrid::FixedCols, &TCustomGrid::SetFixedCols>("FixedCols"),                         \
      Prop<&TCustomGrid::FixedRows, &TCustomGrid::SetFixedRows>("FixedRows"),                         \
      Prop<&TCustomGrid::GridLineWidth, &TCustomGrid::SetGridLineWidth>("GridLineWidth"),             \
      Prop<&TCustomGrid::RowCount, &TCustomGrid::SetRowCount>("RowCount"),                            \
      Prop<&TCustomGrid::ScrollBars, &TCustomGrid::SetScrollBars>("ScrollBars"),                      \
      Prop<&TDrawGrid::DefaultDrawing, &TDrawGrid::SetDefaultDrawing>("DefaultDrawing"),              \
      Field<&TDrawGrid::OnDrawCell>("OnDrawCell")

DEFINE_CLASS(TCustomGrid, TCustomControl, ({}))
DEFINE_COMPONENT(TDrawGrid, TCustomGrid, ({GRID_PROPS}), ({}))
DEFINE_COMPONENT(TStringGrid, TDrawGrid, ({}), ({}))

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  colWidths_.assign(5, defaultColWidth_);
  rowHeights_.assign(5, defaultRowHeight_);
  SetBounds(0, 0, 320, 120);
  SetColor(clWindow);
  SetTabStop(true);
}

void TCustomGrid::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) p.Style |= WS_HSCROLL;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) p.Style |= WS_VSCROLL;
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomGrid::InitializeWnd() { UpdateScrollRanges(); }

void TCustomGrid::Changed() {
  topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, RowCount() - 1));
  leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, ColCount() - 1));
  UpdateScrollRanges();
  Invalidate();
}

void TCustomGrid::SetColCount(int32_t value) {
  value = std::max(value, 1);
  if (value <= fixedCols_) fixedCols_ = value - 1;
  colWidths_.resize(value, defaultColWidth_);
  Changed();
}

void TCustomGrid::SetRowCount(int32_t value) {
  value = std::max(value, 1);
  if (value <= fixedRows_) fixedRows_ = value - 1;
  rowHeights_.resize(value, defaultRowHeight_);
  Changed();
}

void TCustomGrid::SetFixedCols(int32_t value) {
  if (value < 0 || value >= ColCount()) throw EInvalidOperation("Fixed column count must be less than column count");
  fixedCols_ = value;
  leftCol_ = value;
  Changed();
}

void TCustomGrid::SetFixedRows(int32_t value) {
  if (value < 0 || value >= RowCount()) throw EInvalidOperation("Fixed row count must be less than row count");
  fixedRows_ = value;
  topRow_ = value;
  Changed();
}

void TCustomGrid::SetDefaultColWidth(int32_t value) {
  defaultColWidth_ = value;
  std::fill(colWidths_.begin(), colWidths_.end(), value);
  Changed();
}

void TCustomGrid::SetDefaultRowHeight(int32_t value) {
  defaultRowHeight_ = value;
  std::fill(rowHeights_.begin(), rowHeights_.end(), value);
  Changed();
}

void TCustomGrid::SetColWidths(int index, int32_t value) {
  colWidths_.at(index) = value;
  Changed();
}

void TCustomGrid::SetRowHeights(int index, int32_t value) {
  rowHeights_.at(index) = value;
  Changed();
}

void TCustomGrid::SetGridLineWidth(int32_t value) {
  gridLineWidth_ = std::max(value, 0);
  Changed();
}

void TCustomGrid::SetFixedColor(TColor value) {
  if (fixedColor_ == value) return;
  fixedColor_ = value;
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle value) {
  if (scrollBars_ == value) return;
  scrollBars_ = value;
  RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TCustomGrid::SetTopRow(int32_t value) {
  value = std::clamp(value, fixedRows_, MaxTopRow());
  if (value == topRow_) return;
  topRow_ = value;
  UpdateScrollRanges();
  Invalidate();
}

void TCustomGrid::SetLeftCol(int32_t value) {
  value = std::clamp(value, fixedCols_, MaxLeftCol());
  if (value == leftCol_) return;
  leftCol_ = value;
  UpdateScrollRanges();
  Invalidate();
}

namespace {
// The last start index from which the sizes, each with its line, still fill room.
int32_t MaxStart(const std::vector<int32_t>& sizes, int32_t fixed, int line, int room) {
  for (int32_t i = 0; i < fixed; ++i) room -= sizes[i] + line;
  int32_t start = static_cast<int32_t>(sizes.size()) - 1;
  int used = sizes[start] + line;
  while (start - 1 >= fixed && used + sizes[start - 1] + line <= room) used += sizes[--start] + line;
  return std::max(start, fixed);
}

// Where index lies along one axis: after the fixed ones, from first on; -1 when scrolled out.
int Offset(const std::vector<int32_t>& sizes, int32_t fixed, int32_t first, int line, int32_t index) {
  int at = 0;
  if (index >= fixed && index < first) return -1;
  for (int32_t i = 0; i < fixed && i < index; ++i) at += sizes[i] + line;
  for (int32_t i = first; i < index; ++i) at += sizes[i] + line;
  return at;
}
}  // namespace

int32_t TCustomGrid::MaxTopRow() { return MaxStart(rowHeights_, fixedRows_, gridLineWidth_, ClientHeight()); }
int32_t TCustomGrid::MaxLeftCol() { return MaxStart(colWidths_, fixedCols_, gridLineWidth_, ClientWidth()); }

RECT TCustomGrid::CellRect(int32_t col, int32_t row) {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return {0, 0, 0, 0};
  int x = Offset(colWidths_, fixedCols_, leftCol_, gridLineWidth_, col);
  int y = Offset(rowHeights_, fixedRows_, topRow_, gridLineWidth_, row);
  if (x < 0 || y < 0) return {0, 0, 0, 0};
  return {x, y, x + colWidths_[col], y + rowHeights_[row]};
}

void TCustomGrid::InvalidateCell(int32_t col, int32_t row) {
  if (!HandleAllocated()) return;
  RECT r = CellRect(col, row);
  InvalidateRect(Handle(), &r, FALSE);
}

// Ranges in columns and rows; a bar shows only while they do not all fit. Twice round: one bar
// appearing narrows the room of the other.
void TCustomGrid::UpdateScrollRanges() {
  if (!HandleAllocated() || updatingBars_) return;
  updatingBars_ = true;
  bool horz = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
  bool vert = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
  for (int round = 0; round < 2; ++round) {
    if (horz) {
      int32_t max = MaxLeftCol();
      leftCol_ = std::min(leftCol_, max);
      SCROLLINFO si{sizeof si, SIF_ALL, fixedCols_, ColCount() - 1, static_cast<UINT>(ColCount() - max), leftCol_, 0};
      SetScrollInfo(Handle(), SB_HORZ, &si, TRUE);
    }
    if (vert) {
      int32_t max = MaxTopRow();
      topRow_ = std::min(topRow_, max);
      SCROLLINFO si{sizeof si, SIF_ALL, fixedRows_, RowCount() - 1, static_cast<UINT>(RowCount() - max), topRow_, 0};
      SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
    }
  }
  updatingBars_ = false;
}

void TCustomGrid::Scroll(int bar, WORD code) {
  bool rows = bar == SB_VERT;
  int32_t pos = rows ? topRow_ : leftCol_;
  int32_t first = rows ? fixedRows_ : fixedCols_;
  int32_t last = rows ? MaxTopRow() : MaxLeftCol();
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(Handle(), bar, &si);
  int32_t page = std::max<int32_t>(1, static_cast<int32_t>(si.nPage) - 1);
  switch (code) {
    case SB_LINEUP: --pos; break;
    case SB_LINEDOWN: ++pos; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = si.nTrackPos; break;
    case SB_TOP: pos = first; break;
    case SB_BOTTOM: pos = last; break;
    default: return;
  }
  rows ? SetTopRow(pos) : SetLeftCol(pos);
}

void TCustomGrid::WndProc(TMessage& m) {
  // Its own bars only; a scroll bar control's messages come reflected.
  if ((m.Msg == WM_HSCROLL || m.Msg == WM_VSCROLL) && m.LParam == 0) {
    Scroll(m.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(m.WParam));
    return;
  }
  TCustomControl::WndProc(m);
  if (m.Msg == WM_SIZE) {
    UpdateScrollRanges();
    Invalidate();
  }
}

void TCustomGrid::Paint() {
  HDC dc = Canvas()->Handle();
  RECT client = ClientRect();
  GdiObject<HBRUSH> fixedBrush(CreateSolidBrush(ColorToRGB(fixedColor_)));
  GdiObject<HBRUSH> cellBrush(CreateSolidBrush(ColorToRGB(Color())));
  GdiObject<HBRUSH> fixedLine(CreateSolidBrush(ColorToRGB(LineColor(true))));
  GdiObject<HBRUSH> cellLine(CreateSolidBrush(ColorToRGB(LineColor(false))));
  const int line = gridLineWidth_;
  int y = 0;
  for (int32_t row = 0; row < RowCount() && y < client.bottom; ++row) {
    if (row == fixedRows_) row = topRow_;
    if (row >= RowCount()) break;
    int h = rowHeights_[row];
    int x = 0;
    for (int32_t col = 0; col < ColCount() && x < client.right; ++col) {
      if (col == fixedCols_) col = leftCol_;
      if (col >= ColCount()) break;
      int w = colWidths_[col];
      bool fixed = row < fixedRows_ || col < fixedCols_;
      RECT cell{x, y, x + w, y + h};
      if (defaultFill_) {
        FillRect(dc, &cell, fixed ? fixedBrush.get() : cellBrush.get());
        if (fixed) DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT);
      }
      RECT right{cell.right, y, cell.right + line, cell.bottom + line};
      RECT bottom{x, cell.bottom, cell.right, cell.bottom + line};
      FillRect(dc, &right, fixed ? fixedLine.get() : cellLine.get());
      FillRect(dc, &bottom, fixed ? fixedLine.get() : cellLine.get());
      TGridDrawState state;
      if (fixed) state += gdFixed;
      int saved = SaveDC(dc);
      IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
      DrawCell(col, row, cell, state);
      RestoreDC(dc, saved);
      x += w + line;
    }
    y += h + line;
  }
}

void TCustomGrid::DrawCell(int32_t, int32_t, RECT, TGridDrawState) {}

// ---------------------------------------------------------------------------------------------

void TDrawGrid::SetDefaultDrawing(bool value) {
  defaultFill_ = value;
  Invalidate();
}

void TDrawGrid::DrawCell(int32_t col, int32_t row, RECT rect, TGridDrawState state) {
  if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

std::string TStringGrid::Cells(int32_t col, int32_t row) const {
  auto it = cells_.find({col, row});
  return it == cells_.end() ? std::string() : it->second;
}

void TStringGrid::SetCells(int32_t col, int32_t row, const std::string& value) {
  if (value.empty()) cells_.erase({col, row});
  else cells_[{col, row}] = value;
  InvalidateCell(col, row);
}

void TStringGrid::DrawCell(int32_t col, int32_t row, RECT rect, TGridDrawState state) {
  if (DefaultDrawing()) {
    HDC dc = Canvas()->Handle();
    std::string text = Cells(col, row);
    SelectedObject font(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    ExtTextOutA(dc, rect.left + 2, rect.top + 2, ETO_CLIPPED, &rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  }
  TDrawGrid::DrawCell(col, row, rect, state);
}
