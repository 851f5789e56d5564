#pragma once

#include "section/sectiontable.h"

class FlexGridControl;

// Shapes the grid for Nrighe data rows: six columns and their widths, the
// header row with its titles, and the look of every data cell. Writes no
// area values. False when the grid refuses the shape (a row count below 0 or
// beyond what it holds, or no header row for Nrighe = -1): it stops at that
// step, and the next shaping sets it right.
[[nodiscard]] bool VisualizzoFlexGrid(FlexGridControl &grid, qint32 Nrighe);

// Copies areas 1..Naree of the table into the data rows. False when the grid
// lacks a row, at which the fill stops. Naree is at most the table's 100:
// the load and the count entry refuse larger counts.
[[nodiscard]] bool RiempioFlexGrid(FlexGridControl &grid, const SectionTable &table);
// The same for areas 1..lastArea only (lastArea at most 100).
[[nodiscard]] bool RiempioFlexGrid(FlexGridControl &grid, const SectionTable &table, int lastArea);
