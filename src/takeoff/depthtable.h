#pragma once

#include "sectionquantities.h"
#include "trenchsection.h"
#include "trenchwidth.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The section's quantities depth by depth: for each depth P of the pipe's
// bottom, each area's net volume per metre of trench, their sum, the depth
// of the trench, the cover over the pipe's crown and the minimum width of
// the trench's bottom by UNI EN 1610.

constexpr int kMaxDepthRows = 200;

struct DepthRow
{
    double P = 0;
    bool valid = false; // the section holds at P (depthFault)
    std::vector<std::optional<double>> nets; // m³/m per area; none without a coefficient
    std::optional<double> net;
    double depth = 0; // the section's whole height
    double cover = 0; // P - D
    MinimumWidth minimum;
    bool narrow = false; // the bottom is narrower than the minimum
    std::vector<double> pipeShares; // per area
};

// The depths from `from` to `to`, both included, `step` apart; why not,
// in Italian, when they are not such depths or more than kMaxDepthRows.
struct DepthSteps
{
    std::vector<double> depths;
    QString problem;
};
DepthSteps depthSteps(double from, double to, double step);

// The row of one depth.
DepthRow depthRow(const TrenchSection &section, const ExampleDimensions &dimensions);

// The table "Quantità per profondità" as cells: the header row (an area's
// column named "Area N (voce)" with its price code), then a row per depth;
// a depth at which the section does not hold reads "non valida" in place of
// its numbers.
QList<QStringList> depthCells(const TrenchSection &section, const std::vector<DepthRow> &rows,
                              const NumberStyle &style = NumberStyle::shown());

// The column of the minimum width in those cells.
int minimumWidthColumn(const TrenchSection &section);

// What a row's cells are marked for: its minimum width where the bottom is
// narrower, its net volumes that come out below zero, an area's net volume
// where its coefficient of deduction differs from its share of the pipe.
enum class DepthMark { Narrow, BelowZero, Coefficient };
struct MarkedCell
{
    int row = 0;    // of the rows, without the header
    int column = 0; // of depthCells
    DepthMark mark = DepthMark::Narrow;
    QString why; // for a screen reader and a tooltip
};
// Each marked cell of the rows, in order.
std::vector<MarkedCell> depthMarks(const TrenchSection &section, double L, const std::vector<DepthRow> &rows);
