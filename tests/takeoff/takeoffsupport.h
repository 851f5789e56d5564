#pragma once

// Shared by the take-off tests: sections written as one line an area.

#include "section/sectiontable.h"
#include "takeoff/priceitems.h"
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

// The section with upright walls of the items' worked example: L 0.80 and
// D 0.40 with it, the trench P + 0.10 deep.
inline const QStringList kUprightExample{"LETTO|0.10|0|0|0|A", "RINFIANCO|0.60|0|0|1|B", "RINTERRO|*0.90|0|0|0|C",
                                         "FONDAZIONE|0.30|0|0|0|D"};

// The job's items of the worked examples, as "code|description|measure|da|a|margin".
inline std::vector<PriceItem> itemsOf(const QStringList &lines)
{
    std::vector<PriceItem> items;
    for (const QString &line : lines) {
        const QStringList values = line.split(u'|');
        items.push_back({values.value(0), values.value(1), values.value(2), values.value(3), values.value(4),
                         values.value(5)});
    }
    return items;
}

inline const QStringList kWorkedItems{
    "E.02.030.a|Scavo a sezione obbligata fino a 1,50 m|Scavo||1,50|",
    "E.02.030.b|Scavo a sezione obbligata da 1,50 a 3,00 m|scavo|1,50|3,00|",
    "E.02.030.c|Sovrapprezzo per scavo oltre 3,00 m|SCAVO|3,00||",
    "E.05.010|Armatura delle pareti dello scavo|Armatura|||",
    "E.08.001|Demolizione e ripristino della pavimentazione|Pavimentazione|||0,10",
    "E.08.002|Taglio della pavimentazione|Taglio|||",
    "E.10.001|Posa della tubazione|Tubazione|||"};
