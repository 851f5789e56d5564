#pragma once

// Shared by the take-off tests: sections written as one line an area.

#include "section/sectiontable.h"
#include "takeoff/stretches.h"

#include <QStringList>

// Areas given as "description|H|X|tan alfa|coefficient|price code".
inline SectionTable section(const QStringList &areas)
{
    SectionTable table;
    table.Naree = static_cast<qint16>(areas.size());
    for (int a = 0; a < areas.size(); ++a) {
        const QStringList values = areas.at(a).split(u'|');
        for (int c = 0; c < values.size(); ++c)
            table.Aree[a + 1][c + 1] = values.at(c);
    }
    return table;
}

// The section of the worked example: L 0.80 and D 0.40 with it.
inline const QStringList kWorkedExample{"SABBIA|0.30|0.10|0.2|0.5|E.01.001", "RINTERRO|*0.50|0|0.2|0.5|E.01.002",
                                        "PAVIMENTAZIONE|0.40|0.15|0|0|E.01.003"};

// Cells as lines of "|"-separated values.
inline QStringList rowsOf(const QList<QStringList> &cells)
{
    QStringList rows;
    for (const QStringList &row : cells)
        rows << row.join(u'|');
    return rows;
}

// A stretch given as "name|length|P start|P end|D|DN|section", the last
// values optional.
inline Stretch stretchOf(const QString &line)
{
    const QStringList values = line.split(u'|');
    Stretch stretch;
    QString *fields[] = {&stretch.name,     &stretch.length,  &stretch.start,  &stretch.end,
                         &stretch.diameter, &stretch.nominal, &stretch.section};
    for (qsizetype i = 0; i < values.size() && i < 7; ++i)
        *fields[i] = values[i];
    return stretch;
}
