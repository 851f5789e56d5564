#pragma once

#include "areaoperations.h"
#include "sectiontable.h"

#include <QList>
#include <QString>
#include <QStringList>

// The section as spreadsheets copy and paste it: text with one line per
// row, the cells separated by tabs. A cell holding a tab, a line break or a
// double quote is written in double quotes, its quotes doubled, as
// spreadsheets write it, and read back so.

// Rows of cells as such text, each line ended by CR LF.
QString cellsAsText(const QList<QStringList> &rows);

// Areas 1..Naree, one line each ended by CR LF, their six values in column
// order; no header line. With decimalComma (regional settings that write
// one), a number with a decimal point in the columns of numbers ("0.30",
// "*1.20", "-0.5") gets a comma, so that such a spreadsheet reads a number;
// pasteBlock writes it back with the point.
QString sectionAsText(const SectionTable &table, bool decimalComma = false);

// The rows of cells of such text, a final line break ignored.
QList<QStringList> cellBlock(const QString &text);

// Whether the first of rows is a header row, as a spreadsheet copies one
// above its data: in one of numberColumns (indexes into each row's cells)
// it holds text that is not a number while every later row holds a number
// or nothing there, and it holds neither a number (readNumberText) nor a
// value beginning with * (a height that follows P) in any of them. A single
// row is never a header.
bool isHeaderRow(const QList<QStringList> &rows, const QList<qsizetype> &numberColumns);

// The width of a block of cells: the most cells of a row.
qsizetype blockWidth(const QList<QStringList> &rows);

// What a paste tells of the header row it left out.
QString headerLeftOut();

// Why a block `width` columns wide is refused at `column`, the title of the
// column it was pasted at, with `room` columns from it on.
QString tooWideBlock(qsizetype width, const QString &column, qsizetype room);

// Whether clipboard text is a block of cells rather than one value: it holds
// a tab or a line break.
bool isCellBlock(const QString &text);

// Pastes a block of cells at area `area`, grid column `column` (0..5),
// rightwards and downwards, as one change: rows past the last area add
// areas, up to 100. A header row above the data (isHeaderRow, in the
// columns of numbers the block lands in) is left out. In the columns of
// numbers (height, widening, tangent, coefficient) a number written with a
// decimal comma ("0,5", "*1,20", "-0,25") gets a point (withDecimalPoint).
// The message tells both, in one text. Refused, with the table as it was,
// when the block is wider than the columns from `column` on, would need
// more than 100 areas, or holds a value that may not be typed (the message
// names its area and column).
AreaEdit pasteBlock(SectionTable &table, int area, int column, const QString &text);
