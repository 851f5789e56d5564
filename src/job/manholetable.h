#pragma once

#include "importedstretches.h"

#include <QByteArray>
#include <QString>

// The stretches of a line from its longitudinal profile as a spreadsheet
// keeps it: one row per manhole, in order along the line, with its name,
// chainage, ground level, invert level and, for a manhole with a drop, the
// invert of the pipe leaving it (else the one arriving). Between each two
// rows runs a stretch named "M1-M2": its length the difference of the
// chainages, P at each end the ground less the invert plus the pipe's wall,
// the depth of the pipe's outside bottom. D and DN are left to the user.
//
// The values are separated by tabs, by semicolons, or else by commas; a
// value in double quotes may hold the separator. Numbers have a decimal
// comma or point; where both are written ("1.234,56") the last one is the
// decimal separator and the other groups thousands. A header row is left
// out as a paste leaves it out (isHeaderRow); blank lines are skipped. A
// length of zero or a P below zero is written as it comes: the take-off
// tells it. A row that cannot be read refuses the whole table.

// A .csv or .txt file's bytes: UTF-8 or Windows-1252.
ImportResult readManholeTable(const QByteArray &bytes, double wall);
// Text copied from a spreadsheet.
ImportResult readManholeTable(const QString &text, double wall);
