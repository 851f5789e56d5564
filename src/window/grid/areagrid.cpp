#include "areagrid.h"

#include "flexgridcontrol.h"
#include "window/systemcolours.h"
#include "window/twips.h"

#include <limits>

bool VisualizzoFlexGrid(FlexGridControl &grid, qint32 Nrighe)
{
    if (!grid.setCols(SectionTable::kColumns))
        return false;
    if (Nrighe == std::numeric_limits<qint32>::max() || !grid.setRows(Nrighe + 1))
        return false;
    const FlexGridControl::Batch batch(grid);

    grid.setColWidth(0, px(2200));
    for (int c = 1; c < SectionTable::kColumns; ++c)
        grid.setColWidth(c, px(1450));

    if (!grid.setRow(0))
        return false; // no header row: a grid without rows
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
    return true;
}

bool RiempioFlexGrid(FlexGridControl &grid, const SectionTable &table)
{
    return RiempioFlexGrid(grid, table, table.Naree);
}

bool RiempioFlexGrid(FlexGridControl &grid, const SectionTable &table, int lastArea)
{
    Q_ASSERT(lastArea <= SectionTable::kMaxAreas);
    const FlexGridControl::Batch batch(grid);
    for (int r = 1; r <= lastArea; ++r) {
        if (!grid.setRow(r))
            return false;
        for (int c = 0; c < SectionTable::kColumns; ++c) {
            grid.setCol(c);
            grid.setText(table.Aree[r][c + 1]);
        }
    }
    return true;
}
