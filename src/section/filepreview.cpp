#include "filepreview.h"

#include <QStringList>

QStringList previewLines(const SectionTable &table)
{
    QStringList values;
    values.reserve(SectionTable::kColumns * table.areaCount());
    for (int area = 1; area <= table.areaCount(); ++area) {
        for (int column = 1; column <= SectionTable::kColumns; ++column)
            values << table.Aree[area][column];
    }
    return values;
}
