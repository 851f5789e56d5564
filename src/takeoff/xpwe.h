#pragma once

#include "stretches.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The stretches' quantities as a computo for estimating software, in XPWE,
// the XML format in which Italian estimating programs exchange one (LeenO,
// the computo extension of LibreOffice, reads it):
// - the job's name as the project's subject, and one category per stretch;
// - one price item per price code of the section, in the order of the
//   areas, with the description of the first area with that code, unit m³
//   and no price (the prices are the estimator's);
// - for each stretch, for each price code with a quantity there, one item
//   whose measurement rows are, for each area with that code, its gross
//   volume over the stretch (its length × the area's mean cross-section,
//   written as one expression, which the program works out whole) and, for
//   an area whose coefficient deducts, the pipe's share as a negative row.
// A stretch left out of the totals, an area with no price code and a price
// code whose quantity is not known (a coefficient that is no number) are
// left out of the file; so is an item with nothing to measure. The job's own
// price items follow the codes in the list, each with its unit, and measure
// a row per stretch ("Tratto P1-P2 – taglio: 2 × 40,00 m"). An area of a
// section other than the one being edited names its file. A control
// character, which XML cannot hold, is written as a blank.

struct XpweComputo
{
    QByteArray bytes;    // UTF-8; empty when nothing was written
    QStringList leftOut; // the stretches left out, by name
    QStringList uncoded; // the areas with no price code: "2", or "2 della sezione «verde.txt»"
    QStringList unknown; // the price codes of an area whose coefficient is no number
    bool blanked = false; // a control character in a text was written as a blank
    QString failure;      // why the writer could not write it; empty when it could
    bool isEmpty() const { return bytes.isEmpty(); }
};

XpweComputo xpweComputo(const StretchTakeoff &takeoff, const QString &job);

// What the window says of the file written, besides where: the stretches
// and the areas it was written without, and the blanks written for control
// characters; empty when there is nothing to say.
QString xpweLeftOut(const XpweComputo &computo);

// Why no file was written, when the computo is empty: no stretch counted,
// no price code whose quantity is known, or the writer's failure.
QString xpweNothing(const XpweComputo &computo);
