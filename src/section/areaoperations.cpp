#include "areaoperations.h"

#include <algorithm>
#include <utility>

namespace {

constexpr auto refused = &AreaEdit::refusal;

AreaEdit changed(int area, int column)
{
    return {AreaEdit::Result::Changed, {}, {area, column}};
}

} // namespace

// Every row of the table moves, those above the count too: the values kept
// there for a count raised again stay with the areas around them.
AreaEdit insertArea(SectionTable &table, int area, int column)
{
    const int count = table.areaCount();
    if (count >= SectionTable::kMaxAreas)
        return refused(QStringLiteral("Una sezione può avere al massimo %1 aree: non è possibile inserirne "
                                      "un'altra.")
                           .arg(SectionTable::kMaxAreas));
    if (area < 1 || area > count + 1)
        return refused(QStringLiteral("Non c'è un'area %1 prima della quale inserire la nuova.").arg(area));
    std::move_backward(table.Aree.begin() + area, table.Aree.end() - 1, table.Aree.end());
    table.Aree[area] = {};
    table.Naree = static_cast<qint16>(count + 1);
    return changed(area, column);
}

AreaEdit deleteArea(SectionTable &table, int area, int column)
{
    const int count = table.areaCount();
    if (area < 1 || area > count)
        return refused(QStringLiteral("Non c'è un'area %1 da eliminare: la sezione ha %2 aree.").arg(area).arg(count));
    std::move(table.Aree.begin() + area + 1, table.Aree.end(), table.Aree.begin() + area);
    table.Aree.back() = {};
    table.Naree = static_cast<qint16>(count - 1);
    return changed(std::min(area, std::max(count - 1, 1)), column);
}

AreaEdit moveArea(SectionTable &table, int area, int column, int by)
{
    const int other = area + by;
    if (area < 1 || area > table.areaCount() || other < 1 || other > table.areaCount())
        return {};
    std::swap(table.Aree[area], table.Aree[other]);
    return changed(other, column);
}
