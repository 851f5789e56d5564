#pragma once

#include "sectionhistory.h"
#include "sectiontable.h"

#include <QString>

// The operations on whole areas, and the spreadsheet paste, on the table.
// Each either changes the table as one change or leaves it as it was.

struct AreaEdit
{
    enum class Result {
        Changed,   // the table holds the change
        Unchanged, // there was nothing to do (a move at either end)
        Refused,   // the table is as it was; message says why
    };
    Result result = Result::Unchanged;
    QString message;    // Refused: why; Changed: what the user is told, if anything
    SectionCell openOn; // Changed: where the editor opens to show the change

    static AreaEdit refusal(const QString &why) { return {Result::Refused, why, {}}; }
};

// Inserts an empty area at `area` (1..Naree+1): it and every area after it
// move one place up. Refused with 100 areas. The editor opens on the new
// area, in `column`.
AreaEdit insertArea(SectionTable &table, int area, int column);

// Deletes area `area` (1..Naree): every area after it moves one place down.
// The editor opens on the area that took its place, or on the last one.
AreaEdit deleteArea(SectionTable &table, int area, int column);

// Swaps area `area` with the one before it (by = -1) or after it (by = +1);
// nothing at either end. The editor follows the moved area.
AreaEdit moveArea(SectionTable &table, int area, int column, int by);
