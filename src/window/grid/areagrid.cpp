#include "areagrid.h"

#include "flexgridcontrol.h"
#include "window/systemcolours.h"
#include "window/twips.h"

#include <QStringList>
#include <limits>

namespace {

const QStringList &columnTitles()
{
    static const QStringList titles{
        QStringLiteral("Descrizione"),
        QStringLiteral("Altezza area H"),
        QStringLiteral("Allargamento della sezione X"),
        QStringLiteral("Inclinazione delle pareti tan alfa"),
        QStringLiteral("Coefficiente di detrazione dell'area tubazione"),
        QStringLiteral("Voce di elenco prezzi"),
    };
    return titles;
}

} // namespace

QString columnTitle(int column)
{
    return columnTitles().at(column);
}

void VisualizzoFlexGrid(FlexGridControl &grid, qint32 Nrighe)
{
    grid.setCols(SectionTable::kColumns);
    if (Nrighe == std::numeric_limits<qint32>::max())
        throw GridError("row count overflows");
    grid.setRows(Nrighe + 1);
    const FlexGridControl::Batch batch(grid);

    grid.setColWidth(0, px(2200));
    for (int c = 1; c < SectionTable::kColumns; ++c)
        grid.setColWidth(c, px(1450));

    grid.setRow(0);
    grid.setRowHeight(0, px(600));
    for (int c = 0; c < SectionTable::kColumns; ++c) {
        grid.setCol(c);
        grid.setCellAlignment(Qt::AlignCenter);
        grid.setCellFontName(QStringLiteral("Arial"));
        grid.setCellFontSize(7);
        grid.setText(columnTitle(c));
    }

    const QColor infoBackground = systemColour(SystemColour::InfoBackground);
    for (int r = 1; r <= Nrighe; ++r) {
        grid.setRow(r);
        for (int c = 0; c < SectionTable::kColumns; ++c) {
            grid.setCol(c);
            grid.setCellBackColor(infoBackground);
            grid.setCellFontBold(true);
            grid.setCellForeColor(kBlue);
        }
    }
}

void RiempioFlexGrid(FlexGridControl &grid, const SectionTable &table)
{
    RiempioFlexGrid(grid, table, table.Naree);
}

void RiempioFlexGrid(FlexGridControl &grid, const SectionTable &table, int lastArea)
{
    Q_ASSERT(lastArea <= SectionTable::kMaxAreas);
    const FlexGridControl::Batch batch(grid);
    for (int r = 1; r <= lastArea; ++r) {
        grid.setRow(r);
        for (int c = 0; c < SectionTable::kColumns; ++c) {
            grid.setCol(c);
            grid.setText(table.Aree[r][c + 1]);
        }
    }
}
