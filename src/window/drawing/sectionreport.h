#pragma once

#include "takeoff/stretches.h"

#include <QDate>
#include <QFont>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class ReportLayout;

// What the report of the section holds besides the section itself.
struct ReportContent
{
    ExampleDimensions dimensions;
    QString job; // the name of the job, printed under the title when there is one
    QDate date;
    QFont font;
    std::vector<double> depths;     // the rows of the quantities depth by depth
    std::vector<Stretch> stretches; // the stretches of the job, if any
    SectionFinder findSection;      // the sections they name
    std::vector<PriceItem> items;   // the job's own price items
    // The values of the section a stretch names, as its file holds them.
    std::function<const SectionTable *(const QString &file)> findTable;
};

// The section for a report, as A4 pages: the title, the job and the date,
// the six values of every area as the file holds them, the drawing at a
// usual scale (written under it), the dimensions of the calculation, where
// the section holds along the pipeline, the quantities per metre of trench
// and the problems of the drawing, the quantities depth by depth and, when
// there are stretches, each other section they use with its values,
// drawing and quantities per metre (at the D of its first stretch), and
// their quantities and totals per price code. Laid out
// on pages of `page` size (pixels of 1/96 inch). Why not, when the drawing
// fits the page at no usual scale.
std::optional<QString> layOutReport(ReportLayout &layout, const SectionTable &table, const ReportContent &content);

// The same report as a PDF with selectable text, written whole or not at
// all. Returns why the file could not be written, in Italian, or nothing.
std::optional<QString> writeSectionReport(const QString &path, const SectionTable &table,
                                          const ReportContent &content);

// The printable size of an A4 page of the report, in its pixels.
QSizeF reportPageSize();
