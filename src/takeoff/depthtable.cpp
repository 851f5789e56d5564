#include "depthtable.h"

#include "numbers.h"

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

std::vector<std::optional<double>> areaNets(const CrossSection &drawn, double D)
{
    std::vector<std::optional<double>> nets;
    nets.reserve(drawn.areas.size());
    const double pipe = pipeArea(D);
    for (const AreaShape &area : drawn.areas)
        nets.push_back(area.values->coefficient ? std::optional(area.volume() - *area.values->coefficient * pipe)
                                              : std::nullopt);
    return nets;
}

DepthRow depthRow(const TrenchSection &section, const ExampleDimensions &dimensions)
{
    DepthRow row;
    row.P = dimensions.P;
    if (dimensions.P <= 0)
        return row;
    const CrossSection drawn = section.at(dimensions.L, dimensions.P);
    if (!drawn.whole())
        return row;
    row.valid = true;
    row.nets = areaNets(drawn, dimensions.D);
    row.net = 0.0;
    for (const std::optional<double> &net : row.nets)
        row.net = row.net && net ? std::optional(*row.net + *net) : std::nullopt;
    row.depth = drawn.top;
    row.cover = dimensions.P - dimensions.D;
    if (!drawn.areas.empty()) {
        const AreaShape &bottom = drawn.areas.front();
        row.minimum = minimumTrenchWidth(dimensions.D, drawn.top, bottom.values->slope);
        row.narrow = bottom.footWidth < row.minimum.width - kNothing;
    }
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
        QStringList cellsOfRow{style(row.P, 2)};
        if (!row.valid) {
            cellsOfRow << QStringLiteral("non valida");
            while (cellsOfRow.size() < header.size())
                cellsOfRow << QString();
            cells << cellsOfRow;
            continue;
        }
        for (const std::optional<double> &net : row.nets)
            cellsOfRow << volume(net);
        cellsOfRow << volume(row.net) << style(row.depth, 2) << style(row.cover, 2) << style(row.minimum.width, 2);
        cells << cellsOfRow;
    }
    return cells;
}

std::vector<std::tuple<int, int, DepthMark>> depthMarks(const TrenchSection &section, const std::vector<DepthRow> &rows)
{
    std::vector<std::tuple<int, int, DepthMark>> marks;
    for (size_t r = 0; r < rows.size(); ++r) {
        const DepthRow &row = rows[r];
        if (!row.valid)
            continue;
        for (size_t a = 0; a < row.nets.size(); ++a)
            if (row.nets[a] && writtenBelowZero(*row.nets[a]))
                marks.emplace_back(int(r), int(a) + 1, DepthMark::BelowZero);
        if (row.net && writtenBelowZero(*row.net))
            marks.emplace_back(int(r), int(row.nets.size()) + 1, DepthMark::BelowZero);
        if (row.narrow)
            marks.emplace_back(int(r), minimumWidthColumn(section), DepthMark::Narrow);
    }
    return marks;
}
