#pragma once

// The section the benchmarks work on: a full 100-area file with values of
// the kind a real section holds (a description, four decimals, a price item).

#include "section/sectionfile.h"

#include <QFile>
#include <QString>

inline SectionTable benchSection(int areas = SectionTable::kMaxAreas)
{
    SectionTable table;
    table.Intestazione[1] = QStringLiteral("Computo personalizzato");
    for (int i = 2; i <= SectionTable::kHeaderLines; ++i)
        table.Intestazione[i] = QStringLiteral("Intestazione %1").arg(i);
    table.Naree = static_cast<qint16>(areas);
    for (int a = 1; a <= areas; ++a) {
        table.Aree[a][1] = QStringLiteral("Scavo a sezione obbligata, strato %1").arg(a);
        table.Aree[a][2] = QString::number(0.25 + 0.01 * a, 'f', 2);
        table.Aree[a][3] = QString::number(0.10 * (a % 7), 'f', 2);
        table.Aree[a][4] = QString::number(0.05 * (a % 3), 'f', 2);
        table.Aree[a][5] = (a % 4 == 0) ? QStringLiteral("1") : QStringLiteral("0");
        table.Aree[a][6] = QStringLiteral("E.01.%1").arg(a, 3, 10, QLatin1Char('0'));
    }
    return table;
}

// Writes the section's file into folder; false on any failure.
inline bool writeBenchSection(const QString &folder, int areas = SectionTable::kMaxAreas)
{
    const EncodedSection encoded = encodeSectionFile(benchSection(areas));
    if (encoded.error)
        return false;
    QFile file(sectionFilePath(folder));
    return file.open(QIODevice::WriteOnly) && file.write(encoded.bytes) == encoded.bytes.size();
}
