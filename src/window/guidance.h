#pragma once

#include <QString>
#include <QStringList>
#include <array>

// What the window shows while a value of a given grid column is edited: the
// hint for the notes box, which of the highlight lines Line1..Line6 are shown
// over the example picture, and whether the two "50%" labels are.
struct ColumnGuidance
{
    QString hint;
    std::array<bool, 6> lines{}; // lines[0] is Line1
    bool halfLabels = false;

    // The hint's lines, as the notes box shows them one under the other.
    QStringList hintLines() const { return hint.split(QStringLiteral("\r\n")); }
};

// The guidance for grid column 0..5; an empty guidance for any other column.
ColumnGuidance guidanceFor(int column);
