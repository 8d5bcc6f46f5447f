#include "ui/grid.h"

#include "ui/font.h"
#include "ui/handles.h"
#include "win32/text_convert.h"

namespace quorn::ui {

namespace {
UINT CellMessage() {
  static const UINT message = RegisterWindowMessageW(kGridCellMessage);
  return message;
}
UINT SelectMessage() {
  static const UINT message = RegisterWindowMessageW(kGridSelectMessage);
  return message;
}
}  // namespace

void GridCanvas::SetTextColour(COLORREF colour) {
  colour_ = colour;
  if (dc_) ::SetTextColor(dc_, colour);
}

void GridCanvas::Text(int x, int y, const std::string& shiftJis) {
  std::wstring text = WideFromShiftJis(shiftJis);
  if (dc_) {
    TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
  } else {
    recorded_ += text;
  }
}

bool Grid::Create(const ControlSpec& entry, HWND container) {
  widths_.assign(4, 64);
  return CreateFrom(entry, container, kPanelClass, WS_VSCROLL, WS_EX_CLIENTEDGE);
}

void Grid::SetColumnCount(int count) {
  widths_.resize(static_cast<std::size_t>(count > 1 ? count : 1), 64);
  Repaint();
}

void Grid::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= ColumnCount()) return;
  widths_[static_cast<std::size_t>(column)] = width > 0 ? width : 0;
  Repaint();
}

int Grid::ColumnWidth(int column) const {
  return column >= 0 && column < ColumnCount() ? widths_[static_cast<std::size_t>(column)] : 0;
}

void Grid::SetRowCount(int count) {
  rows_ = count > 2 ? count : 2;
  if (row_ >= rows_) row_ = rows_ - 1;
  if (anchor_ >= rows_) anchor_ = rows_ - 1;
  UpdateScrollBar();
  ScrollTo(top_);
}

void Grid::SetRowHeight(int height) {
  rowHeight_ = height > 1 ? height : 1;
  UpdateScrollBar();
  Repaint();
}

int Grid::ClientWidth() const {
  RECT client = {};
  GetClientRect(hwnd(), &client);
  return client.right;
}

int Grid::VisibleRows() const {
  RECT client = {};
  GetClientRect(hwnd(), &client);
  int rows = (client.bottom - rowHeight_ - GridLineWidth()) / (rowHeight_ + GridLineWidth());
  return rows > 1 ? rows : 1;
}

void Grid::UpdateScrollBar() {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 1;
  info.nMax = rows_ - 1;
  info.nPage = static_cast<UINT>(VisibleRows());
  info.nPos = top_;
  SetScrollInfo(hwnd(), SB_VERT, &info, TRUE);
}

void Grid::ScrollTo(int topRow) {
  int last = rows_ - VisibleRows();
  if (topRow > last) topRow = last;
  if (topRow < 1) topRow = 1;
  top_ = topRow;
  UpdateScrollBar();
  Repaint();
}

void Grid::SelectRow(int row, bool extend) {
  if (row < 1) row = 1;
  if (row >= rows_) row = rows_ - 1;
  if (onSelectCell && !onSelectCell(1, row)) return;
  row_ = row;
  if (!extend) anchor_ = row;
  if (row_ < top_) ScrollTo(row_);
  else if (row_ >= top_ + VisibleRows()) ScrollTo(row_ - VisibleRows() + 1);
  else Repaint();
}

void Grid::Repaint() {
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

int Grid::RowAt(int y) const {
  int step = rowHeight_ + GridLineWidth();
  if (y < step) return 0;
  return top_ + (y - step) / step;
}

void Grid::Paint(HDC dc) {
  RECT client = {};
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  ScopedSelectObject font(dc, UiFont());
  SetBkMode(dc, TRANSPARENT);
  GdiObject<HPEN> line(CreatePen(PS_SOLID, GridLineWidth(), GetSysColor(COLOR_BTNSHADOW)));
  ScopedSelectObject pen(dc, line.get());
  const int step = rowHeight_ + GridLineWidth();
  auto drawRow = [&](int row, int y) {
    int x = 0;
    for (int column = 0; column < ColumnCount(); ++column) {
      RECT cell = {x, y, x + ColumnWidth(column), y + rowHeight_};
      GridCellState state{row == 0 || column == 0, row > 0 && column > 0 && row >= SelectionFirst() &&
                                                       row <= SelectionLast()};
      FillRect(dc, &cell, GetSysColorBrush(state.fixed ? COLOR_BTNFACE : state.selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
      GridCanvas canvas(dc, GetSysColor(state.selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      SetTextColor(dc, canvas.Colour());
      SaveDC(dc);
      IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
      if (onDrawCell) onDrawCell(canvas, column, row, cell, state);
      RestoreDC(dc, -1);
      MoveToEx(dc, cell.right, y, nullptr);
      LineTo(dc, cell.right, y + step);
      x = cell.right + GridLineWidth();
    }
    MoveToEx(dc, 0, y + rowHeight_, nullptr);
    LineTo(dc, x, y + rowHeight_);
  };
  drawRow(0, 0);
  for (int row = top_, y = step; row < rows_ && y < client.bottom; ++row, y += step) drawRow(row, y);
}

bool Grid::QueryCell(int column, int row, GridCellQuery* query) {
  if (column < 0 || column >= ColumnCount() || row < 0 || row >= rows_) return false;
  GridCanvas canvas(nullptr, GetSysColor(COLOR_WINDOWTEXT));
  RECT cell = {};
  GridCellState state{row == 0 || column == 0, false};
  if (onDrawCell) onDrawCell(canvas, column, row, cell, state);
  lstrcpynW(query->text, canvas.Recorded().c_str(), 512);
  query->colour = canvas.Colour();
  return true;
}

LRESULT Grid::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CellMessage()) {
    return QueryCell(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<GridCellQuery*>(lParam)) ? 1 : 0;
  }
  if (message == SelectMessage()) {
    SelectRow(static_cast<int>(wParam));
    SelectRow(static_cast<int>(lParam), true);
    return 0;
  }
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd(), &paint);
      Paint(dc);
      EndPaint(hwnd(), &paint);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: UpdateScrollBar(); break;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: {
      SetFocus(hwnd());
      int row = RowAt(static_cast<short>(HIWORD(lParam)));
      if (row >= 1 && row < rows_) SelectRow(row, (wParam & MK_SHIFT) != 0);
      return 0;
    }
    case WM_KEYDOWN: {
      bool extend = GetKeyState(VK_SHIFT) < 0;
      switch (wParam) {
        case VK_UP: SelectRow(row_ - 1, extend); return 0;
        case VK_DOWN: SelectRow(row_ + 1, extend); return 0;
        case VK_PRIOR: SelectRow(row_ - VisibleRows(), extend); return 0;
        case VK_NEXT: SelectRow(row_ + VisibleRows(), extend); return 0;
        case VK_HOME: SelectRow(1, extend); return 0;
        case VK_END: SelectRow(rows_ - 1, extend); return 0;
        default: break;
      }
      break;
    }
    case WM_VSCROLL: {
      SCROLLINFO info = {};
      info.cbSize = sizeof info;
      info.fMask = SIF_ALL;
      GetScrollInfo(hwnd(), SB_VERT, &info);
      int top = top_;
      switch (LOWORD(wParam)) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= VisibleRows(); break;
        case SB_PAGEDOWN: top += VisibleRows(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = info.nTrackPos; break;
        default: break;
      }
      ScrollTo(top);
      return 0;
    }
    case WM_MOUSEWHEEL: ScrollTo(top_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3); return 0;
    default: break;
  }
  return Control::WndProc(message, wParam, lParam);
}

}  // namespace quorn::ui
