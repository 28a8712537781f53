// Grids read from a description: their windows, cells as painted, and scrolling.
#include <gtest/gtest.h>

#include "ControlsTesting.h"
#include "Grids.h"

namespace {

const char kGrids[] = R"(
  object StringGrid1: TStringGrid
    Left = 8
    Top = 8
    Width = 220
    Height = 130
    ColCount = 6
    RowCount = 10
    DefaultColWidth = 50
    DefaultRowHeight = 20
    FixedColor = clYellow
    Font.Color = clNavy
  end
  object DrawGrid1: TDrawGrid
    Left = 250
    Top = 8
    Width = 200
    Height = 120
    ColCount = 2
    RowCount = 2
    FixedCols = 0
    FixedRows = 0
    ScrollBars = ssNone
    BorderStyle = bsNone
    DefaultDrawing = False
  end)";

bool HasBar(TWinControl* control, LONG idObject) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  return GetScrollBarInfo(control->Handle(), idObject, &info) && !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
}

TColor At(TBitmap* picture, RECT cell, int dx = 10, int dy = 10) {
  return ColorToRGB(picture->Canvas()->Pixels(cell.left + dx, cell.top + dy));
}

TEST(Grids, WindowsBordersAndScrollBarsWhereTheCellsDoNotFit) {
  TestForm t(kGrids);
  struct Case {
    const char* name;
    bool edge, bars;
  };
  for (Case c : {Case{"StringGrid1", true, true}, Case{"DrawGrid1", false, false}}) {
    auto* grid = t.Get<TCustomGrid>(c.name);
    ASSERT_TRUE(grid);
    HWND wnd = grid->Handle();
    EXPECT_EQ(WindowClass(wnd), grid->ClassName());
    EXPECT_EQ(grid->DefWndProc(), reinterpret_cast<WNDPROC>(DefWindowProcA)) << c.name;
    EXPECT_EQ((GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, c.edge) << c.name;
    EXPECT_EQ(HasBar(grid, OBJID_HSCROLL), c.bars) << c.name;
    EXPECT_EQ(HasBar(grid, OBJID_VSCROLL), c.bars) << c.name;
  }
  auto* grid = t.Get<TStringGrid>("StringGrid1");
  EXPECT_EQ(grid->FixedColor(), clYellow);
  grid->SetBounds(8, 8, 600, 300);  // everything fits: no bars
  EXPECT_FALSE(HasBar(grid, OBJID_HSCROLL));
  EXPECT_FALSE(HasBar(grid, OBJID_VSCROLL));
}

TEST(StringGrid, PaintsFixedCellsInFixedColorAndTheTextOfEachCell) {
  TestForm t(kGrids);
  auto* grid = t.Get<TStringGrid>("StringGrid1");
  ASSERT_TRUE(grid);
  grid->SetCells(1, 1, "WWW");
  EXPECT_EQ(grid->Cells(1, 1), "WWW");
  auto picture = PaintedPicture(grid);
  RECT fixed = grid->CellRect(0, 1), cell = grid->CellRect(1, 1), empty = grid->CellRect(2, 1);
  EXPECT_EQ(fixed.right, 50);
  EXPECT_EQ(cell.left, 51);
  EXPECT_EQ(At(picture.get(), fixed), ColorToRGB(clYellow));
  EXPECT_EQ(At(picture.get(), cell, 40, 15), ColorToRGB(clWindow));
  EXPECT_TRUE(HasColour(picture.get(), cell, clNavy));
  EXPECT_FALSE(HasColour(picture.get(), empty, clNavy));
  EXPECT_EQ(At(picture.get(), cell, 50, 5), ColorToRGB(clSilver));  // the grid line right of it
  EXPECT_EQ(At(picture.get(), fixed, 50, 5), ColorToRGB(clBlack));

  grid->SetFixedColor(clAqua);
  picture = PaintedPicture(grid);
  EXPECT_EQ(At(picture.get(), fixed), ColorToRGB(clAqua));
}

TEST(StringGrid, ScrollBarsMoveTheScrollingCellsByWholeRowsAndColumns) {
  TestForm t(kGrids);
  auto* grid = t.Get<TStringGrid>("StringGrid1");
  ASSERT_TRUE(grid);
  HWND wnd = grid->Handle();
  struct Case {
    UINT msg;
    WORD code;
    int topRow, leftCol;
  };
  const Case cases[] = {{WM_VSCROLL, SB_LINEDOWN, 2, 1}, {WM_HSCROLL, SB_LINEDOWN, 2, 2},
                        {WM_VSCROLL, SB_BOTTOM, -1, 2},  {WM_VSCROLL, SB_TOP, 1, 2},
                        {WM_HSCROLL, SB_LINEUP, 1, 1},   {WM_HSCROLL, SB_LINEUP, 1, 1}};
  for (const Case& c : cases) {
    SendMessageA(wnd, c.msg, c.code, 0);
    if (c.topRow >= 0) {
      EXPECT_EQ(grid->TopRow(), c.topRow) << c.msg << " " << c.code;
    }
    EXPECT_EQ(grid->LeftCol(), c.leftCol) << c.msg << " " << c.code;
    EXPECT_EQ(GetScrollPos(wnd, SB_VERT), grid->TopRow());
  }
  SendMessageA(wnd, WM_VSCROLL, SB_BOTTOM, 0);
  RECT last = grid->CellRect(1, 9), client = grid->ClientRect();
  EXPECT_LE(last.bottom, client.bottom);  // the last row shows whole
  EXPECT_GT(last.bottom + 21, client.bottom);  // and no further row would fit
  EXPECT_EQ(grid->CellRect(0, 0).top, 0);  // the fixed row stays
  RECT hidden = grid->CellRect(1, 1);
  EXPECT_TRUE(IsRectEmpty(&hidden));
}

struct CellLog {
  void Draw(TObject* sender, int32_t col, int32_t row, RECT rect, TGridDrawState state) {
    cells.push_back(col * 10 + row);
    fixed += state.Contains(gdFixed);
    if (col == 1 && row == 1) {
      TCanvas* canvas = static_cast<TDrawGrid*>(sender)->Canvas();
      canvas->Brush()->SetColor(clLime);
      canvas->FillRect(rect);
    }
  }
  std::vector<int> cells;
  int fixed = 0;
};

TEST(DrawGrid, OnDrawCellPaintsEachCell) {
  TestForm t(kGrids);
  auto* grid = t.Get<TDrawGrid>("DrawGrid1");
  ASSERT_TRUE(grid);
  CellLog log;
  grid->OnDrawCell = TDrawCellEvent::Bind<&CellLog::Draw>(&log);
  auto picture = PaintedPicture(grid);
  EXPECT_EQ(log.cells, (std::vector<int>{0, 10, 1, 11}));
  EXPECT_EQ(log.fixed, 0);
  EXPECT_EQ(At(picture.get(), grid->CellRect(1, 1)), ColorToRGB(clLime));
}

}  // namespace
