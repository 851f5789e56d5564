#include "depthtable.h"

#include "depthrule.h"
#include "numbers.h"
#include "pipeshare.h"

#include <cmath>

DepthSteps depthSteps(double from, double to, double step)
{
    if (step <= 0)
        return {{}, QStringLiteral("Il passo deve essere maggiore di zero.")};
    if (to < from)
        return {{}, QStringLiteral("La profondità finale deve essere almeno quella iniziale.")};
    const double count = std::floor((to - from) / step + 1e-9) + 1;
    if (count > kMaxDepthRows)
        return {{},
                QStringLiteral("Da %1 m a %2 m con passo %3 m le profondità sarebbero %4: al massimo %5. Aumentare il "
                               "passo.")
                    .arg(lengthText(from), lengthText(to), lengthText(step), QString::number(count, 'f', 0))
                    .arg(kMaxDepthRows)};
    DepthSteps steps;
    for (int i = 0; i < int(count); ++i)
        steps.depths.push_back(from + i * step); // not summed: no creeping error
    return steps;
}

DepthRow depthRow(const TrenchSection &section, const ExampleDimensions &dimensions)
{
    DepthRow row;
    row.P = dimensions.P;
    const CrossSection drawn = section.at(dimensions.L, dimensions.P);
    if (depthFault(drawn, dimensions.P, dimensions.D) || drawn.areas.empty())
        return row;
    row.valid = true;
    const double pipe = pipeArea(dimensions.D);
    row.net = 0.0;
    for (const AreaShape &area : drawn.areas) {
        row.nets.push_back(netVolume(area.volume(), area.values->coefficient, pipe));
        addKnown(row.net, row.nets.back());
    }
    row.depth = drawn.top;
    row.cover = dimensions.P - dimensions.D;
    const BottomCheck bottom = checkBottom(drawn, dimensions.D, dimensions.DN, drawn.top);
    row.minimum = bottom.minimum;
    row.narrow = bottom.narrow;
    row.pipeShares = pipeShares(drawn, dimensions.P, dimensions.D);
    return row;
}

int minimumWidthColumn(const TrenchSection &section)
{
    return int(section.areas().size()) + 4;
}

QList<QStringList> depthCells(const TrenchSection &section, const std::vector<DepthRow> &rows,
                              const NumberStyle &style)
{
    QStringList header{QStringLiteral("P (m)")};
    for (const AreaValues &area : section.areas())
        header << (area.priceCode.trimmed().isEmpty()
                       ? QStringLiteral("Area %1").arg(area.number)
                       : QStringLiteral("Area %1 (%2)").arg(QString::number(area.number), area.priceCode.trimmed()));
    header << QStringLiteral("Netto (m³/m)") << QStringLiteral("Profondità scavo (m)") << QStringLiteral("Ricoprimento (m)")
           << QStringLiteral("Larghezza minima UNI EN 1610 (m)");
    QList<QStringList> cells{header};
    const auto volume = [&style](const std::optional<double> &value) { return value ? style(*value, 3) : QString(); };
    for (const DepthRow &row : rows) {
        QStringList cellsOfRow{style.length(row.P)};
        if (!row.valid) {
            cellsOfRow << QStringLiteral("non valida");
            while (cellsOfRow.size() < header.size())
                cellsOfRow << QString();
            cells << cellsOfRow;
            continue;
        }
        for (const std::optional<double> &net : row.nets)
            cellsOfRow << volume(net);
        cellsOfRow << volume(row.net) << style.length(row.depth) << style.length(row.cover)
                   << style.length(row.minimum.width);
        cells << cellsOfRow;
    }
    return cells;
}

std::vector<MarkedCell> depthMarks(const TrenchSection &section, double L, const std::vector<DepthRow> &rows)
{
    std::vector<MarkedCell> marks;
    const QString belowZero = QStringLiteral("volume netto negativo: la detrazione del tubo supera il volume dell'area");
    for (size_t r = 0; r < rows.size(); ++r) {
        const DepthRow &row = rows[r];
        if (!row.valid)
            continue;
        for (size_t a = 0; a < row.nets.size(); ++a) {
            const AreaValues &area = section.areas()[a];
            if (coefficientDiffers(area, row.pipeShares[a]))
                marks.push_back({int(r), int(a) + 1, DepthMark::Coefficient,
                                 QStringLiteral("l'area contiene %1 del tubo, ma il suo coefficiente di detrazione è «%2»")
                                     .arg(italianNumber(row.pipeShares[a], 2), area.coefficientText)});
            if (row.nets[a] && writtenBelowZero(*row.nets[a]))
                marks.push_back({int(r), int(a) + 1, DepthMark::BelowZero, belowZero});
        }
        if (row.net && writtenBelowZero(*row.net))
            marks.push_back({int(r), int(row.nets.size()) + 1, DepthMark::BelowZero, belowZero});
        if (row.narrow)
            marks.push_back({int(r), minimumWidthColumn(section), DepthMark::Narrow,
                             QStringLiteral("il fondo, largo %1 m, è più stretto").arg(lengthText(section.bottomWidth(L)))});
    }
    return marks;
}
