// The owner-drawn grid: columns of set widths, rows of one height, the first
// row and the first column fixed, grid lines between all cells, whole-row
// selection with ranges (Shift with a click or an arrow key), a vertical
// scroll bar. The grid paints each cell's background (fixed, selected or
// plain) and resets the text colour; then onDrawCell draws the content.
//
// Automation reads a cell as its draw handler draws it: the registered
// message kGridCellMessage (wParam: MAKEWPARAM(column, row); lParam: a
// GridCellQuery*) runs the handler on a recording canvas and answers 0 for
// a cell outside the grid; kGridSelectMessage (wParam: first row, lParam:
// last row) selects rows as a click and a Shift click do.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace quorn::ui {

// Where a cell's handler draws: text in the current colour.
class GridCanvas {
 public:
  GridCanvas(HDC dc, COLORREF colour) : dc_(dc), colour_(colour) {}
  void SetTextColour(COLORREF colour);
  void Text(int x, int y, const std::string& shiftJis);
  // What was drawn, for a recording canvas (no DC).
  const std::wstring& Recorded() const { return recorded_; }
  COLORREF Colour() const { return colour_; }

 private:
  HDC dc_;
  COLORREF colour_;
  std::wstring recorded_;
};

struct GridCellState {
  bool fixed;
  bool selected;
};

struct GridCellQuery {
  wchar_t text[512];
  COLORREF colour;
};
inline constexpr wchar_t kGridCellMessage[] = L"QuornGridCell";
inline constexpr wchar_t kGridSelectMessage[] = L"QuornGridSelect";

class Grid : public Control {
 public:
  bool Create(const ControlSpec& entry, HWND container);
  void SetColumnCount(int count);
  int ColumnCount() const { return static_cast<int>(widths_.size()); }
  void SetColumnWidth(int column, int width);
  int ColumnWidth(int column) const;
  void SetRowCount(int count);
  int RowCount() const { return rows_; }
  void SetRowHeight(int height);
  int GridLineWidth() const { return 1; }
  int ClientWidth() const;
  // The current row and the selected range of rows (both ends included).
  int Row() const { return row_; }
  int SelectionFirst() const { return row_ < anchor_ ? row_ : anchor_; }
  int SelectionLast() const { return row_ < anchor_ ? anchor_ : row_; }
  // Moves the current row as a click would (onSelectCell may refuse);
  // `extend` keeps the range's other end.
  void SelectRow(int row, bool extend = false);
  void Repaint();

  std::function<void(GridCanvas&, int column, int row, const RECT& cell, GridCellState)> onDrawCell;
  std::function<bool(int column, int row)> onSelectCell;  // false refuses

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  int VisibleRows() const;
  void UpdateScrollBar();
  void ScrollTo(int topRow);
  int RowAt(int y) const;
  bool QueryCell(int column, int row, GridCellQuery* query);

  std::vector<int> widths_;
  int rows_ = 2;
  int rowHeight_ = 18;
  int row_ = 1;
  int anchor_ = 1;
  int top_ = 1;  // first scrolling row shown below the fixed row
};

}  // namespace quorn::ui
