#pragma once

#include "takeoff/sectiondrawing.h"

#include <QDate>
#include <QFont>
#include <QString>
#include <optional>

// The section for a report, as an A4 PDF with selectable text: the title
// "Sezione tipo personalizzata" and the date, the six values of every area
// as the file holds them, the drawing at a usual scale (written under it),
// the example L, P and D, the quantities per metre of trench and the
// problems of the drawing. The text is in font; the file is written whole
// or not at all.
//
// Returns why the file could not be written, in Italian, or nothing.
std::optional<QString> writeSectionReport(const QString &path, const SectionTable &table,
                                          const ExampleDimensions &dimensions, const QDate &date, const QFont &font);
