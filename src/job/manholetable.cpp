#include "manholetable.h"

#include "section/sectionclipboard.h"
#include "takeoff/numbers.h"

#include <QStringView>
#include <optional>

namespace {

const QString kTitles[] = {QStringLiteral("Pozzetto"), QStringLiteral("Progressiva (m)"),
                           QStringLiteral("Quota terreno (m)"), QStringLiteral("Quota di scorrimento (m)"),
                           QStringLiteral("Quota di scorrimento in uscita (m)")};
constexpr qsizetype kColumns = 5;
constexpr qsizetype kRequired = 4; // the invert leaving is optional

struct Manhole
{
    QString name;
    double chainage = 0;
    double ground = 0;
    double invert = 0;    // of the pipe arriving
    double invertOut = 0; // of the pipe leaving
};

// The cells of one line. A cell opening with a double quote runs to the
// lone closing one, its quotes doubled, and may hold the separator.
QStringList cellsOf(QStringView line, QChar separator)
{
    QStringList cells;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c != u'"')
                cell += c;
            else if (i + 1 < line.size() && line[i + 1] == u'"')
                cell += line[++i];
            else
                quoted = false;
        } else if (c == u'"' && cell.trimmed().isEmpty()) {
            cell.clear();
            quoted = true;
        } else if (c == separator) {
            cells << cell;
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells << cell;
    while (cells.size() > 1 && cells.back().trimmed().isEmpty())
        cells.removeLast(); // a spreadsheet's empty columns at the end
    return cells;
}

// Whether the digits of a whole part are grouped by three after the first
// one to three.
bool groupedByThousands(QStringView whole, QChar group)
{
    const auto groups = whole.split(group);
    if (groups.front().isEmpty() || groups.front().size() > 3)
        return false;
    for (qsizetype g = 1; g < groups.size(); ++g)
        if (groups[g].size() != 3)
            return false;
    return true;
}

// A number as a spreadsheet writes it: an optional sign, digits with a
// decimal comma or point; where both are written the last one is the
// decimal separator and the other groups thousands ("1.234,56",
// "1,234.56"), as does one written more than once ("1.234.567").
// A thousand kilometres: no chainage or level of a line comes near it.
constexpr double kLargestValue = 1e6;

// A number of the table. Where the table writes its decimals with a comma
// (commaDecimals), a point groups thousands ("1.000" is a thousand metres,
// as an Italian spreadsheet writes it); else a lone point is the decimal
// separator.
std::optional<double> tableNumber(const QString &cell, bool commaDecimals)
{
    QString text = cell.trimmed();
    const qsizetype commas = text.count(u',');
    const qsizetype points = text.count(u'.');
    QChar group;
    if (commas > 0 && points > 0)
        group = text.lastIndexOf(u',') > text.lastIndexOf(u'.') ? u'.' : u',';
    else if (commas > 1 || points > 1 || (commaDecimals && points > 0))
        group = commas > 1 ? u',' : u'.';
    if (!group.isNull()) {
        const QChar decimal = group == u'.' ? u',' : u'.';
        if (text.count(decimal) > 1)
            return std::nullopt;
        qsizetype start = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
        qsizetype end = text.indexOf(decimal);
        if (end < 0)
            end = text.size();
        if (!groupedByThousands(QStringView(text).sliced(start, end - start), group))
            return std::nullopt;
        text.remove(group);
    }
    const std::optional<double> number = typedNumber(text);
    if (number && std::abs(*number) > kLargestValue)
        return std::nullopt;
    return number;
}

QString lineText(qsizetype line)
{
    return QStringLiteral("Riga %1: ").arg(line);
}

// The manhole of a row of cells, or why it cannot be read.
std::variant<Manhole, QString> manholeOf(const QStringList &cells, qsizetype line, bool commas, bool commaDecimals)
{
    if (cells.size() > kColumns) {
        QString why = lineText(line)
                      + QStringLiteral("ci sono %1 valori, ma la tabella ha al massimo %2 colonne: %3.")
                            .arg(cells.size())
                            .arg(kColumns)
                            .arg(QStringList(std::begin(kTitles), std::end(kTitles)).join(QStringLiteral(", ")));
        if (commas)
            why += QStringLiteral(" Se i numeri hanno la virgola decimale, separare i valori con il punto e virgola "
                                  "o con il tabulatore.");
        return why;
    }
    if (cells.size() < kRequired)
        return lineText(line)
               + QStringLiteral("mancano dei valori: ogni riga ha almeno %1, %2, %3 e %4.")
                     .arg(kTitles[0], kTitles[1], kTitles[2], kTitles[3]);
    Manhole manhole;
    manhole.name = cells[0].trimmed();
    if (manhole.name.isEmpty())
        return lineText(line) + QStringLiteral("manca il nome del pozzetto.");
    double *const into[] = {&manhole.chainage, &manhole.ground, &manhole.invert, &manhole.invertOut};
    for (qsizetype column = 1; column < kColumns; ++column) {
        const QString value = cells.value(column).trimmed();
        if (value.isEmpty()) {
            if (column < kRequired)
                return lineText(line) + QStringLiteral("manca il valore di «%1».").arg(kTitles[column]);
            manhole.invertOut = manhole.invert;
            continue;
        }
        const std::optional<double> number = tableNumber(value, commaDecimals);
        if (!number)
            return lineText(line)
                   + QStringLiteral("il valore «%1» di «%2» non è un numero.").arg(value.left(40), kTitles[column]);
        *into[column - 1] = *number;
    }
    return manhole;
}

} // namespace

ImportResult readManholeTable(const QByteArray &bytes, double wall)
{
    return readManholeTable(importedText(bytes), wall);
}

ImportResult readManholeTable(const QString &text, double wall)
{
    QChar separator = u',';
    if (text.contains(u'\t'))
        separator = u'\t';
    else if (text.contains(u';'))
        separator = u';';

    // The rows that hold anything, with their lines.
    QList<QStringList> rows;
    QList<qsizetype> lines;
    qsizetype line = 0;
    for (QStringView written : QStringView(text).split(u'\n')) {
        ++line;
        if (written.endsWith(u'\r'))
            written.chop(1);
        if (written.trimmed().isEmpty())
            continue;
        QStringList cells = cellsOf(written, separator);
        if (cells.size() == 1 && cells.front().trimmed().isEmpty())
            continue; // only separators
        rows << std::move(cells);
        lines << line;
    }

    // Whether the table writes its decimals with a comma.
    bool commaDecimals = false;
    for (const QStringList &cells : std::as_const(rows))
        for (qsizetype column = 1; separator != u',' && column < cells.size() && column < kColumns; ++column)
            commaDecimals = commaDecimals || cells[column].contains(u',');

    // A header as a paste knows one, its numbers read as this table reads them.
    if (rows.size() > 1) {
        QList<QStringList> checked = rows;
        for (QStringList &cells : checked)
            for (qsizetype column = 1; column < cells.size() && column < kColumns; ++column)
                if (tableNumber(cells[column], commaDecimals))
                    cells[column] = QStringLiteral("0");
        if (isHeaderRow(checked, {1, 2, 3, 4})) {
            rows.removeFirst();
            lines.removeFirst();
        }
    }

    std::vector<Manhole> manholes;
    manholes.reserve(rows.size());
    for (qsizetype r = 0; r < rows.size(); ++r) {
        auto manhole = manholeOf(rows[r], lines[r], separator == u',', commaDecimals);
        if (QString *why = std::get_if<QString>(&manhole))
            return *why;
        manholes.push_back(std::get<Manhole>(std::move(manhole)));
    }
    if (manholes.size() < 2)
        return manholes.empty()
                   ? QStringLiteral("Nella tabella non c'è nessun pozzetto: ne servono almeno due, uno per riga.")
                   : QStringLiteral("Nella tabella c'è un solo pozzetto: ne servono almeno due, uno per riga.");

    ImportedStretches imported;
    imported.stretches.reserve(manholes.size() - 1);
    for (size_t m = 1; m < manholes.size(); ++m) {
        const Manhole &from = manholes[m - 1];
        const Manhole &to = manholes[m];
        Stretch stretch;
        stretch.name = from.name + u'-' + to.name;
        stretch.length = importedNumber(to.chainage - from.chainage);
        stretch.start = importedNumber(from.ground - from.invertOut + wall);
        stretch.end = importedNumber(to.ground - to.invert + wall);
        stretch.origin.from = from.name;
        stretch.origin.to = to.name;
        stretch.origin.groundStart = levelText(from.ground);
        stretch.origin.invertStart = levelText(from.invertOut);
        stretch.origin.groundEnd = levelText(to.ground);
        stretch.origin.invertEnd = levelText(to.invert);
        imported.stretches.push_back(std::move(stretch));
    }
    return imported;
}
