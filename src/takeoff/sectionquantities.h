#pragma once

#include "sectiondrawing.h"

#include <QList>
#include <QString>
#include <QStringList>

// The take-off of the drawn section per metre of trench: each area's
// trapezoid, the share of the pipe that lies in it, the deduction its
// coefficient gives and what remains.

struct AreaQuantities
{
    DrawnArea area;
    double volume = 0;                // m³/m: height × (base + top) / 2
    std::optional<double> deduction; // m³/m: coefficient × π D² / 4; none without a coefficient
    std::optional<double> net;       // volume - deduction
};

struct SectionQuantities
{
    std::vector<AreaQuantities> areas; // one per drawn area, bottom up
    double volume = 0;
    std::optional<double> deduction; // none when an area's is unknown
    std::optional<double> net;
};

// The quantities of the drawing's areas.
SectionQuantities sectionQuantities(const SectionDrawing &drawing);

// The table "Quantità per metro di scavo" as cells: the header row, a row
// per area and the row "Totale", numbers with a decimal comma.
QList<QStringList> quantityCells(const SectionQuantities &quantities);
