#include "sectionreport.h"

#include "cellsmodel.h"
#include "reportlayout.h"
#include "sectionpicture.h"
#include "sectiontab.h"
#include "takeoff/depthtable.h"
#include "takeoff/numbers.h"
#include "takeoff/sectionquantities.h"
#include "takeoff/trenchwidth.h"

#include <QDir>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSet>

namespace {

// The page is laid out in pixels of 1/96 inch, as the window is.
constexpr int kDotsPerInch = 96;
constexpr double kPixelsPerPaperMetre = kDotsPerInch / 0.0254;
constexpr double kMarginMillimetres = 15;
// The most of the page's height the drawing may take.
constexpr double kDrawingShare = 0.42;
// The most columns of a table on the width of a page.
constexpr int kMostColumns = 10;

const ReportLayout::TextStyle kHeading{true, 1, false, 12, true};

// A table of cells with its columns' shares of the width; equal shares
// where none are given.
ReportLayout::Table table(const QList<QStringList> &cells, QList<double> widths = {},
                          std::function<bool(int)> alignRight = {}, std::function<bool(int, int)> bold = {})
{
    const qsizetype columns = cells.isEmpty() ? 0 : cells.front().size();
    if (widths.isEmpty())
        widths = QList<double>(columns, 1.0 / double(columns));
    return {cells, widths, std::move(alignRight), std::move(bold)};
}

// The same table with only the columns given, in that order. A row that
// reads "non valida" keeps those words in each part, after its first cell.
QList<QStringList> columnsOf(const QList<QStringList> &cells, const QList<int> &columns)
{
    const QString notValid = QStringLiteral("non valida");
    QList<QStringList> chosen;
    for (const QStringList &row : cells) {
        QStringList kept;
        for (const int column : columns)
            kept << row.value(column);
        if (row.value(1) == notValid && kept.size() > 1)
            kept[1] = notValid;
        chosen << kept;
    }
    return chosen;
}

// A table with a column per area, between `leading` columns and `trailing`
// ones: whole when it fits the page's width; else the leading and trailing
// columns first, then the areas' columns a part of the width at a time,
// after the first column.
void addAreaTable(ReportLayout &layout, const QList<QStringList> &cells, int leading, int trailing,
                  bool firstIsNumber, const std::function<bool(int, int)> &bold = {})
{
    const int columns = cells.isEmpty() ? 0 : int(cells.front().size());
    const auto numbers = [firstIsNumber](int column) { return firstIsNumber || column > 0; };
    if (columns <= kMostColumns) {
        layout.addTable(table(cells, {}, numbers, bold));
        return;
    }
    QList<int> outer;
    for (int c = 0; c < columns; ++c)
        if (c < leading || c >= columns - trailing)
            outer << c;
    layout.addTable(table(columnsOf(cells, outer), {}, numbers, [&](int row, int column) {
        return bold && bold(row, outer[column]);
    }));
    const int perTable = kMostColumns - 1;
    for (int first = leading; first < columns - trailing; first += perTable) {
        QList<int> part{0};
        for (int c = first; c < std::min(first + perTable, columns - trailing); ++c)
            part << c;
        layout.addTable(table(columnsOf(cells, part), {}, numbers, [&](int row, int column) {
            return bold && bold(row, part[column]);
        }));
    }
}

// The heading of a table of quantities with each unit on a line of its own.
QList<QStringList> unitsBelow(QList<QStringList> cells)
{
    if (!cells.isEmpty())
        for (QString &title : cells.front())
            title = headerTitle(title);
    return cells;
}

void addParagraphs(ReportLayout &layout, const QStringList &lines)
{
    for (const QString &line : lines)
        layout.addParagraph(line, {false, 1, false, 4, false});
}

// The title, the job and the date.
void titleOfTheReport(ReportLayout &layout, const ReportContent &content)
{
    layout.addParagraph(QStringLiteral("Sezione tipo personalizzata"), {true, 1.8, false, 0, false});
    if (!content.job.trimmed().isEmpty())
        layout.addParagraph(QStringLiteral("Lavoro: %1").arg(content.job.trimmed()), {true, 1.2, false, 6, false});
    layout.addParagraph(QLocale(QLocale::Italian, QLocale::Italy).toString(content.date, u"d MMMM yyyy"),
                        {false, 1, false, 6, false});
}

// The areas' values as the file holds them.
void areaValues(ReportLayout &layout, const SectionTable &sectionTable, const QString &heading)
{
    layout.addParagraph(heading, kHeading);
    QList<QStringList> cells{{QStringLiteral("Area")}};
    for (int column = 0; column < SectionTable::kColumns; ++column)
        cells.front() << columnTitle(column);
    for (int area = 1; area <= sectionTable.areaCount(); ++area) {
        QStringList row{QString::number(area)};
        for (int column = 1; column <= SectionTable::kColumns; ++column)
            row << sectionTable.Aree[area][column];
        cells << row;
    }
    layout.addTable(table(cells, {0.06, 0.24, 0.12, 0.14, 0.14, 0.16, 0.14}, [](int column) { return column == 0; }));
}

// The share of the page's width of each column of quantities.
const QList<double> kQuantityWidths{0.06, 0.20, 0.10, 0.08, 0.09, 0.09, 0.10, 0.09, 0.10, 0.09};

} // namespace

QSizeF reportPageSize()
{
    const QPageLayout page(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                           QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
                           QPageLayout::Millimeter);
    return page.paintRectPixels(kDotsPerInch).size();
}

namespace {

// A section's part of the report: its values, its drawing at a usual
// scale, the dimensions of the calculation, where it holds along the
// pipeline, its quantities per metre of trench and the problems of its
// drawing. Why not, when the drawing fits the page at no usual scale.
std::optional<QString> sectionPart(ReportLayout &layout, const SectionTable &sectionTable, const TrenchSection &section,
                                   const ExampleDimensions &dimensions, const QFont &font, const QString &name)
{
    const QSizeF page = reportPageSize();
    const SectionDrawing drawing = drawSection(section, dimensions);
    const QString of = name.isEmpty() ? QString() : QStringLiteral(" «%1»").arg(name);
    areaValues(layout, sectionTable, name.isEmpty() ? QStringLiteral("Aree della sezione")
                                                    : QStringLiteral("Aree della sezione%1").arg(of));

    // The drawing at the largest usual scale at which it fits its room.
    if (!drawing.areas.empty()) {
        const QSizeF room(page.width(), page.height() * kDrawingShare);
        const double fitted = SectionPicture::scaleToFit(font, drawing, dimensions, room);
        int scale = fitted > 0 ? standardScale(kPixelsPerPaperMetre / fitted) : 1'000'000;
        // Drawn smaller, more labels may move beside their areas: the next
        // usual scale, until it fits.
        QSizeF size = SectionPicture::sizeAt(font, drawing, dimensions, kPixelsPerPaperMetre / scale);
        while (size.width() > room.width() || size.height() > room.height()) {
            if (scale >= 1'000'000)
                return QStringLiteral("il disegno della sezione%1 non entra nella pagina a nessuna scala.").arg(of);
            scale = standardScale(scale + 1);
            size = SectionPicture::sizeAt(font, drawing, dimensions, kPixelsPerPaperMetre / scale);
        }
        const double pixelsPerMetre = kPixelsPerPaperMetre / scale;
        layout.addPicture(
            size,
            [drawing, dimensions, font, pixelsPerMetre](QPainter &painter, const QRectF &rect) {
                SectionPicture::paint(painter, rect, font, drawing, dimensions, pixelsPerMetre);
            },
            true);
        layout.addParagraph(QStringLiteral("Scala 1:%1").arg(scale), {false, 1, true, 4, false});
    } else {
        layout.addParagraph(QStringLiteral("Nessuna area da disegnare."), {false, 1, true, 12, false});
    }

    addParagraphs(layout, QStringList{QStringLiteral("Dimensioni di calcolo (dalle sezioni tipo standard, non salvate "
                                                     "nel file): L = %1 m, P = %2 m, %3.")
                                          .arg(lengthText(dimensions.L), lengthText(dimensions.P),
                                               pipeText(dimensions.D, dimensions.DN))}
                              + depthSummary(section, dimensions));

    layout.addParagraph(QStringLiteral("Quantità per metro di scavo%1").arg(of), kHeading);
    const SectionQuantities quantities = sectionQuantities(drawing);
    const QList<QStringList> cells = quantityCells(quantities);
    const qsizetype totalRow = quantities.whole ? cells.size() - 2 : -1;
    layout.addTable(table(unitsBelow(cells), kQuantityWidths,
                          [](int column) { return column == 0 || column >= 3; },
                          [totalRow](int row, int) { return row == totalRow; }));
    if (!quantities.whole)
        addParagraphs(layout, {drawing.problems.front()});
    layout.addParagraph(QStringLiteral("Problemi del disegno%1").arg(of), kHeading);
    addParagraphs(layout, problemLines(drawing));
    return std::nullopt;
}

} // namespace

std::optional<QString> layOutReport(ReportLayout &layout, const SectionTable &sectionTable, const ReportContent &content)
{
    const ExampleDimensions &dimensions = content.dimensions;
    const TrenchSection section(sectionTable);
    titleOfTheReport(layout, content);
    if (const std::optional<QString> why = sectionPart(layout, sectionTable, section, dimensions, content.font, {}))
        return why;

    if (!content.depths.empty()) {
        std::vector<DepthRow> rows;
        for (const double P : content.depths)
            rows.push_back(depthRow(section, {dimensions.L, P, dimensions.D, dimensions.DN}));
        // Marked cells in bold, and what they mean under the table.
        QSet<std::pair<int, int>> bold;
        bool narrow = false;
        bool belowZero = false;
        bool coefficient = false;
        for (const MarkedCell &cell : depthMarks(section, dimensions.L, rows)) {
            bold.insert({cell.row, cell.column});
            (cell.mark == DepthMark::Narrow ? narrow : cell.mark == DepthMark::BelowZero ? belowZero : coefficient) = true;
        }
        layout.addParagraph(QStringLiteral("Quantità per profondità"), kHeading);
        addAreaTable(layout, unitsBelow(depthCells(section, rows)), 1, 4, true,
                     [&bold](int row, int column) { return bold.contains({row, column}); });
        if (narrow)
            addParagraphs(layout, {QStringLiteral("In grassetto le larghezze minime che il fondo, largo %1 m, non "
                                                  "raggiunge.")
                                       .arg(lengthText(section.bottomWidth(dimensions.L)))});
        if (belowZero)
            addParagraphs(layout, {QStringLiteral("In grassetto i volumi netti negativi: la detrazione del tubo supera "
                                                  "il volume dell'area.")});
        if (coefficient)
            addParagraphs(layout, {QStringLiteral("In grassetto i volumi netti delle aree il cui coefficiente di "
                                                  "detrazione differisce di più di 0,05 dalla parte di tubo che "
                                                  "contengono.")});
    }

    const StretchTakeoff takeoff =
        stretchTakeoff(section, dimensions.L, {dimensions.D, dimensions.DN}, content.stretches, content.findSection,
                       content.items);
    // Each other section the stretches use, with the pipe of its first stretch.
    for (size_t used = 1; used < takeoff.sections.size() && content.findTable; ++used) {
        const UsedSection &other = takeoff.sections[used];
        const SectionTable *otherTable = content.findTable(other.file);
        const auto first = std::find_if(takeoff.stretches.begin(), takeoff.stretches.end(), [used](const auto &s) {
            return s.counted && s.section == used;
        });
        if (!otherTable || first == takeoff.stretches.end())
            continue;
        if (const std::optional<QString> why = sectionPart(layout, *otherTable, *other.section,
                                                           {dimensions.L, dimensions.P, first->D, first->DN},
                                                           content.font, other.shortName()))
            return why;
    }
    if (std::any_of(takeoff.stretches.begin(), takeoff.stretches.end(),
                    [](const StretchQuantities &stretch) { return !stretch.given.isEmpty(); })) {
        layout.addParagraph(QStringLiteral("Tratti"), kHeading);
        // The columns a stretch may leave empty (D, DN, Sezione, Note) only where one fills them.
        QList<QStringList> cells = stretchCells(takeoff);
        const qsizetype noteColumn = cells.front().size() - 1;
        QList<int> kept;
        int leading = 0;
        int trailing = 0;
        for (int column = 0; column < cells.front().size(); ++column) {
            const bool optional = (column >= 4 && column < stretchColumns().size()) || column == noteColumn;
            if (optional && std::all_of(cells.begin() + 1, cells.end(),
                                        [column](const QStringList &row) { return row.value(column).isEmpty(); }))
                continue;
            kept << column;
            if (column < stretchColumns().size())
                ++leading;
            else if (column >= noteColumn - 1 - qsizetype(takeoff.items.size()))
                ++trailing; // the net volume, the items' quantities, the note
        }
        const qsizetype totalRow = cells.size() - 2;
        addAreaTable(layout, unitsBelow(columnsOf(cells, kept)), leading, trailing, false,
                     [totalRow](int row, int) { return row == totalRow; });
        if (!takeoff.excludedText().isEmpty())
            addParagraphs(layout, {takeoff.excludedText()});
        layout.addParagraph(QStringLiteral("Quantità dei tratti per voce"), kHeading);
        layout.addTable(table(codeTotalCells(takeoff), {0.2, 0.5, 0.1, 0.2}, [](int column) { return column == 3; }));
        if (!takeoff.problems.empty()) {
            layout.addParagraph(QStringLiteral("Problemi dei tratti"), kHeading);
            addParagraphs(layout, takeoff.problemLines());
        }
    }
    return std::nullopt;
}

std::optional<QString> writeSectionReport(const QString &path, const SectionTable &table,
                                          const ReportContent &content)
{
    const QString where = QDir::toNativeSeparators(path);
    ReportLayout layout(content.font, reportPageSize());
    if (const std::optional<QString> why = layOutReport(layout, table, content))
        return QStringLiteral("Il PDF non è stato scritto: %1").arg(*why);
    const auto failure = [&where](const QString &reason) {
        return QStringLiteral("Il PDF non è stato salvato in %1 (il sistema risponde: «%2»).").arg(where, reason);
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(
            QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
            QPageLayout::Millimeter);
        writer.setResolution(kDotsPerInch);
        writer.setTitle(content.job.trimmed().isEmpty()
                            ? QStringLiteral("Sezione tipo personalizzata")
                            : QStringLiteral("Sezione tipo personalizzata – %1").arg(content.job.trimmed()));
        writer.setCreator(QStringLiteral("Profilara"));
        layout.print(writer);
    }
    if (!file.commit())
        return failure(file.errorString());
    return std::nullopt;
}
