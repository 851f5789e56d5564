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
// left out of the file; so is an item with nothing to measure.

struct XpweComputo
{
    QByteArray bytes;   // UTF-8
    QStringList leftOut; // the stretches left out, by name
    QList<int> uncoded;  // the areas with no price code
    QStringList unknown; // the price codes of an area whose coefficient is no number
    bool isEmpty() const { return bytes.isEmpty(); } // no stretch to put in it
};

XpweComputo xpweComputo(const StretchTakeoff &takeoff, const QString &job);

// What the window says of the file written, besides where: the stretches
// and the areas it was written without; empty when nothing was left out.
QString xpweLeftOut(const XpweComputo &computo);
