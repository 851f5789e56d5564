#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// How the take-off writes and reads its numbers. What the program computes
// or shows is written as an Italian reads it, with a decimal comma; a copy
// for a spreadsheet follows the user's regional settings; what the user
// types may have a comma or a point.

// A number with a decimal comma and `decimals` places, no thousands
// separator, and no minus before a value that rounds to 0.
QString italianNumber(double value, int decimals);

// Whether a volume, written with three places, reads below zero.
bool writtenBelowZero(double volume);

// A length in metres, to the millimetre: a decimal comma, two places, and
// three when the third is not zero ("0,80", "1,075").
QString lengthText(double value);

// A number for a spreadsheet with these regional settings: their decimal
// separator, `decimals` places, no thousands separator.
QString spreadsheetNumber(double value, int decimals, const QLocale &locale);

// A number as the user types it (readNumberText, without a *): an optional
// sign, digits with a decimal comma or point, blanks around it. Nothing for
// anything else.
std::optional<double> typedNumber(const QString &text);
