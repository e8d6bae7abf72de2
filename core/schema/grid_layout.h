#pragma once
// The record grids of the main window: for each grid, the family columns it shows, in order, with
// their widths. Column 0 of every grid is the row label (the record's number); the heading of
// grid column k is interface text 10000 + 100 * g + k (gridHeading), so the label column takes
// heading 0 and the first column below heading 1.

#include "schema/family.h"

#include <span>
#include <string_view>

namespace r605 {

// 15 twips are one device-independent pixel.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kRowLabelTwips = 800;
inline constexpr int kHeaderRowTwips = 500;
// The width of a column for which the grid sets none.
inline constexpr int kDefaultColumnTwips = 1200;

struct GridColumn {
    std::string_view column; // the family column's name; "" for a cell the grid leaves empty
    int widthTwips;          // 0 hides the column
};

// The columns after the row label of grid 0 to 19 (the window's grid index).
std::span<const GridColumn> gridColumns(int grid);

} // namespace r605
