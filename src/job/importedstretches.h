#pragma once

#include "takeoff/stretches.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

// What an import of the office's data gives the table "Tratti", and what
// both readers share: a file's bytes as text, the levels of an origin.
// The stretches' numbers are written by importedNumber ("45,00", "1,612",
// "0,9644").

struct ImportedStretches
{
    // In order, their name, length, depths and pipe written as the table
    // shows them; a value the file does not give is empty, for the user.
    std::vector<Stretch> stretches;
    QStringList notes;     // one line per stretch that needs the user, or was left out
    bool fromFeet = false; // the file was in feet, converted to metres
};

// Either the stretches, or why the file cannot be read as a whole (in
// Italian, naming its line).
using ImportResult = std::variant<ImportedStretches, QString>;

// A text file's bytes: UTF-8, with or without BOM, or else Windows-1252.
QString importedText(const QByteArray &bytes);

// A number of a stretch as an import writes it: a decimal comma, two
// decimals, and up to four when they matter ("45,00", "1,612", "0,9644"),
// as a length in feet turned into metres may need.
QString importedNumber(double metres);

// A level for a stretch's origin: a decimal point and no more decimals
// than it needs, rounded at four ("105.2", "1003", "305.7144").
QString levelText(double metres);
