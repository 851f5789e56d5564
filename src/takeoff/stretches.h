#pragma once

#include "sectionquantities.h"
#include "trenchsection.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The stretches of a job, between manholes: each with its length and the
// depth of the pipe's bottom at its start and at its end, P varying
// linearly between them. Over a stretch an area's cross-section is at most
// quadratic in P, so Simpson's rule (start, middle, end) gives its volume
// exactly. The quantities are then totalled per price code.

// Where an imported stretch came from: the names of the nodes (manholes)
// at its ends and their levels in metres, written with a point ("105.2");
// a level not known is empty. Nothing for a stretch typed by hand.
struct StretchOrigin
{
    QString from; // the node at the start
    QString to;   // the node at the end
    QString groundStart;
    QString invertStart;
    QString groundEnd;
    QString invertEnd;

    bool isEmpty() const;
    bool operator==(const StretchOrigin &) const = default;
};

// One stretch as the user typed it.
struct Stretch
{
    QString name;
    QString length;
    QString start;    // P at the start
    QString end;      // P at the end
    QString diameter; // its pipe's D; empty: the window's
    QString nominal;  // its pipe's DN; empty: as the window's D and DN go
    QString section;  // the file of its section; empty: the section being edited
    StretchOrigin origin;

    // Whether the user's columns are all empty.
    bool isEmpty() const;
    bool operator==(const Stretch &) const = default;
};

struct StretchQuantities
{
    Stretch given;        // as typed
    QString name;         // as typed, or "N" after its row when it has none
    bool counted = false; // its values are numbers and the section holds along it
    double length = 0;
    double start = 0;
    double end = 0;
    // Each area's mean gross cross-section along it, in m², when counted.
    std::vector<double> meanGross;
    std::optional<double> net; // m³; none when an area's is unknown
};

// The quantity of one price code over the stretches counted, in m³.
struct CodeTotal
{
    QString code;        // empty: the areas with no price code
    QString description; // of the first area with the code
    std::vector<size_t> areas; // indices into the section's areas
    std::optional<double> quantity;
};

struct StretchTakeoff
{
    std::vector<AreaValues> areas; // the section's, bottom up
    // Each area's deduction for the pipe, coefficient × π D² / 4, in m²;
    // none without a coefficient.
    std::vector<std::optional<double>> deductions;
    std::vector<StretchQuantities> stretches; // one per stretch given; an empty one is not counted
    std::vector<CodeTotal> totals;            // in the order of the areas
    // The stretches left out of the totals, and why; and net volumes below zero.
    QStringList problems;

    // An area's net volume over a stretch counted, in m³; none without a coefficient.
    std::optional<double> net(const StretchQuantities &stretch, size_t area) const;
};

StretchTakeoff stretchTakeoff(const TrenchSection &section, double L, double D, const std::vector<Stretch> &stretches);

// The table "Tratti": the stretches' values, then each area's net volume
// and their sum, in m³; a stretch left out has only its values as typed,
// an empty one no row.
QList<QStringList> stretchCells(const TrenchSection &section, const StretchTakeoff &takeoff,
                                const NumberStyle &style = NumberStyle::shown());
// The table "Quantità dei tratti per voce".
QList<QStringList> codeTotalCells(const StretchTakeoff &takeoff, const NumberStyle &style = NumberStyle::shown());

// Rows of cells pasted into the stretches from `column` (0..3) on, without
// a header row: a first row with words where later rows have numbers, in
// the columns of the length and the depths. headerLeftOut tells.
struct PastedStretches
{
    QList<QStringList> rows;
    bool headerLeftOut = false;
};
PastedStretches pastedStretches(const QList<QStringList> &rows, int column);

// How the totals name the areas with no price code.
QString codeShown(const QString &code);
