#pragma once

#include <span>
#include <vector>

class QTableView;
class QWidget;

namespace zvc {

// Widths that fill `total` pixels in the proportions of the designed widths, none narrower than
// its minimum; the last column that is not at its minimum takes what rounding leaves. When the
// minimums alone take more than `total`, the columns get their minimums.
std::vector<int> fittedColumnWidths(std::span<const int> designed, std::span<const int> minimums,
                                    int total);

// Keeps the columns of `grid` filling its viewport in the proportions of the designed widths
// (the designer's units are not this screen's pixels), each at least as wide as its heading:
// the columns follow the window's size and make room for the vertical scroll bar while it shows.
void fitColumnsToGrid(QTableView* grid, std::vector<int> designed);

// A grid of records: no row numbers, one whole row selected at a time, nothing to edit, texts
// never wrapped.
void useRecordRows(QTableView* grid);

// Rows of one text line each, all of one fixed height; the grid never shrinks below one row.
void useSingleLineRows(QTableView* grid);

// Makes `window` `width` wide and as tall as `rows` rows of its grid need, in whole rows and at
// least one, but never taller than the screen less 60 pixels, title bar included.
void fitWindowToRows(QWidget* window, QTableView* grid, int width, int rows);

}  // namespace zvc
