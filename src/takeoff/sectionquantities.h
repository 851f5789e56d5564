#pragma once

#include "sectiondrawing.h"

#include <QList>
#include <QLocale>
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
    bool whole = true;                 // the section holds at its depth: the totals hold
    double volume = 0;
    std::optional<double> deduction; // none when an area's is unknown
    std::optional<double> net;
};

// The quantities of the drawing's areas.
SectionQuantities sectionQuantities(const SectionDrawing &drawing);

// An area's net volume: its gross volume less its coefficient of the
// pipe's cross-section `pipe`, both per metre of trench or both over a
// length; none without a coefficient.
inline std::optional<double> netVolume(double gross, const std::optional<double> &coefficient, double pipe)
{
    return coefficient ? std::optional(gross - *coefficient * pipe) : std::nullopt;
}

// Adds value to sum: a sum with a term that is not known is not known.
inline void addKnown(std::optional<double> &sum, const std::optional<double> &value)
{
    if (sum && value)
        *sum += *value;
    else
        sum.reset();
}

// How the numbers of a table of quantities are written: as the window and
// the report show them (a decimal comma, each number with its own places:
// three for lengths and volumes, two for shares and depths), or for a
// spreadsheet with the user's regional settings (six places for every
// number, so that its sums equal the totals).
struct NumberStyle
{
    QLocale locale;
    int decimals = 0; // for every number; 0: each number's own

    static NumberStyle shown();
    static NumberStyle copied();

    QString operator()(double value, int ownDecimals) const;
    // A length to the millimetre, as lengthText writes it when shown.
    QString length(double value) const;
};

// The table "Quantità per metro di scavo" as cells: the header row, a row
// per area drawn and, for a section that holds, the row "Totale".
QList<QStringList> quantityCells(const SectionQuantities &quantities, const NumberStyle &style = NumberStyle::shown());
