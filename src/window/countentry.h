#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// Reading the count box: the text as a number in the user's regional format
// (blanks around it ignored, decimal separator and digit grouping accepted),
// rounded to the nearest whole number with exact halves going to the even
// neighbour. Nothing for an empty or non-numeric text or a number outside
// the target's range.
std::optional<qint32> countToInt32(const QString &text, const QLocale &locale);
std::optional<qint16> countToInt16(const QString &text, const QLocale &locale);

// Why the count box's text cannot be taken as the number of areas, in
// Italian, or nothing: a text that is not a number (as above), a negative
// number, or more than maxAreas once rounded.
std::optional<QString> countRefusal(const QString &text, const QLocale &locale, int maxAreas);
