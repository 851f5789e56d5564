#pragma once

#include "measures.h"
#include "priceitems.h"
#include "sectionquantities.h"
#include "trenchsection.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <limits>
#include <optional>
#include <variant>
#include <vector>

// The stretches of a job, between manholes: each with its length, the
// depth of the pipe's bottom at its start and at its end, P varying
// linearly between them, and its own pipe and section where it gives them.
// Over a stretch an area's cross-section is at most quadratic in P, so
// Simpson's rule (start, middle, end) gives its volume exactly. The
// quantities are then totalled per price code, over every section used.

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

// The window's own pipe, which a stretch takes when it gives none.
struct PipeSize
{
    double D = 0.40;
    std::optional<int> DN;
};

// A section the stretches use: the one being edited (no file), or one read
// from the file a stretch names.
struct UsedSection
{
    QString file; // as the first stretch naming it gives it; empty: the section being edited
    const TrenchSection *section = nullptr;
    // The column of each of its areas among the price codes, and the
    // columns of its codes.
    std::vector<size_t> codeOfArea;
    std::vector<size_t> codes;

    // How a computo names it beside an area: "verde.txt"; nothing for the one being edited.
    QString shortName() const;
};

// The section of a stretch for its "Sezione" text: empty for the section
// being edited, a file's name or path for another. Either the section, or
// why it cannot be read, in Italian ("il file non esiste").
using SectionFinder = std::function<std::variant<const TrenchSection *, QString>(const QString &file)>;

struct StretchQuantities
{
    Stretch given;        // as typed
    QString name;         // as typed, or "N" after its row when it has none
    bool counted = false; // its values are numbers and the section holds along it
    double length = 0;
    double start = 0;
    double end = 0;
    double D = 0;
    std::optional<int> DN;
    size_t section = 0; // into StretchTakeoff::sections, when counted
    // Each area's mean gross cross-section along it, in m², when counted.
    std::vector<double> meanGross;
    std::optional<double> net; // m³; none when an area's is unknown
    // Each of the job's items over it, in the order of StretchTakeoff::items,
    // when counted.
    std::vector<ItemQuantity> items;
};

// One of the job's own price items, and its quantity over the stretches counted.
struct ItemTotal
{
    PriceItem given;
    ItemRule rule;
    double quantity = 0;
};

// A problem of a stretch: the words after its name and, where they say at
// which depth, the depth ("a P = 2,50 m " before them). A job's stretches
// may share the same words many times over, so they are kept once
// (StretchTakeoff::problemWords) and worded whole only when shown.
struct StretchProblem
{
    quint32 stretch = 0; // into StretchTakeoff::stretches
    quint32 words = 0;   // into StretchTakeoff::problemWords
    double at = std::numeric_limits<double>::quiet_NaN(); // no depth
};

// The quantity of one price code over the stretches counted, in m³.
struct CodeTotal
{
    QString code;        // empty: the areas with no price code
    QString description; // of the first area with the code
    std::optional<double> quantity;
    bool known = true; // no area with it has a coefficient that is no number
};

struct StretchTakeoff
{
    // The sections used: the one being edited first, then the others in
    // the order the stretches first name them.
    std::vector<UsedSection> sections;
    std::vector<StretchQuantities> stretches; // one per stretch given; an empty one is not counted
    // The price codes in the order they are first met, the section being
    // edited's first; the columns of the table of stretches.
    std::vector<CodeTotal> totals;
    // The stretches left out of the totals, and why; and, of the stretches
    // counted, what the pipe contradicts along them and net volumes below
    // zero: in the order of the stretches, worded by problemLines.
    std::deque<StretchProblem> problems; // never moved as it grows
    std::vector<QString> problemWords;
    // The job's items that measure something, in their order, and why the
    // others measure nothing.
    std::vector<ItemTotal> items;
    QStringList itemProblems;
    double countedLength = 0;
    double excludedLength = 0; // of the stretches left out whose length is a number
    int excluded = 0;          // stretches left out
    std::optional<double> net; // of the stretches counted

    // "Lunghezza esclusa dai totali: 55,00 m (1 tratto)."; empty when none is.
    QString excludedText() const;
    // The problems, a line each: "Tratto P1-P2: a P = 2,50 m l'area 2 ...".
    QStringList problemLines() const;
    // Each price code's net volume over a stretch, in m³: none where its
    // section has no area with the code, or one's is not known.
    std::vector<std::optional<double>> codeNets(const StretchQuantities &stretch) const;
};

// The stretches' quantities: each with its own section, D and DN, or the
// section being edited and the window's pipe where it gives none (a DN
// only with the window's D).
// The job's own price items are measured over every stretch counted.
StretchTakeoff stretchTakeoff(const TrenchSection &edited, double L, const PipeSize &pipe,
                              const std::vector<Stretch> &stretches, const SectionFinder &findSection = {},
                              const std::vector<PriceItem> &items = {});

// The typed columns: "Tratto", "Lunghezza (m)", "P inizio (m)", "P fine (m)",
// "D (m)", "DN", "Sezione".
const QStringList &stretchColumns();

// The table "Tratti": the stretches' values, then each price code's net
// volume and their sum, in m³, each item's quantity, a last column "Note"
// that reads "escluso dai totali" for a stretch left out, and the row
// "Totale"; an empty stretch has no row. A stretch left out has its values as typed, or, copied
// (style.decimals), its numbers as numbers.
QList<QStringList> stretchCells(const StretchTakeoff &takeoff, const NumberStyle &style = NumberStyle::shown());
// The table "Quantità dei tratti per voce": the sections' price codes, in
// m³, then the job's items, each with its unit.
QList<QStringList> codeTotalCells(const StretchTakeoff &takeoff, const NumberStyle &style = NumberStyle::shown());

// Rows of cells pasted into the stretches from `column` (0..6) on: without
// a header row (a first row with words where later rows have numbers, in
// the columns of the length and the depths); a block copied by "Copia
// tratti" (its own header row) gives its stretches' typed columns alone.
// Refused whole, with why, when wider than the columns from `column` on.
struct PastedStretches
{
    QList<QStringList> rows;
    QString told;    // what the paste did besides, for the window to tell
    QString refusal; // why nothing was pasted
};
PastedStretches pastedStretches(const QList<QStringList> &rows, int column);

// How the totals name the areas with no price code.
QString codeShown(const QString &code);
