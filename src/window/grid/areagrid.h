#pragma once

#include "section/sectiontable.h"

class FlexGridControl;

// The title of grid column 0..5, as its header cell shows it.
QString columnTitle(int column);

// Shapes the grid for Nrighe data rows: six columns and their widths, the
// header row with its titles, and the look of every data cell. Writes no
// area values. Throws GridError on a row count the grid cannot have.
void VisualizzoFlexGrid(FlexGridControl &grid, qint32 Nrighe);

// Copies areas 1..Naree of the table into the data rows. Throws GridError
// for a row the grid does not have. Naree is at most the table's 100: the
// load and the count entry refuse larger counts.
void RiempioFlexGrid(FlexGridControl &grid, const SectionTable &table);
// The same for areas 1..lastArea only (lastArea at most 100).
void RiempioFlexGrid(FlexGridControl &grid, const SectionTable &table, int lastArea);
