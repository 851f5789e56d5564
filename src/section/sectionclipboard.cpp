#include "sectionclipboard.h"

#include "numbertext.h"
#include "valuerules.h"

#include <QStringList>
#include <algorithm>

namespace {

constexpr auto refused = &AreaEdit::refusal;

bool needsQuotes(const QString &cell)
{
    return cell.contains(u'\t') || cell.contains(u'\r') || cell.contains(u'\n') || cell.contains(u'"');
}

// The rows of a block of cells, a final line break ignored.
QList<QStringList> blockRows(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    qsizetype i = 0;
    const qsizetype n = text.size();
    const auto endRow = [&] {
        row << cell;
        rows << row;
        row.clear();
        cell.clear();
    };
    while (i < n) {
        if (cell.isEmpty() && text.at(i) == u'"') { // a quoted cell runs to its lone closing quote
            ++i;
            while (i < n) {
                if (text.at(i) == u'"') {
                    if (i + 1 < n && text.at(i + 1) == u'"') {
                        cell += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                cell += text.at(i++);
            }
            continue;
        }
        const QChar c = text.at(i++);
        if (c == u'\t') {
            row << cell;
            cell.clear();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i < n && text.at(i) == u'\n')
                ++i;
            endRow();
        } else {
            cell += c;
        }
    }
    if (!cell.isEmpty() || !row.isEmpty())
        endRow();
    return rows;
}

// A number as a spreadsheet's cell may hold one.
bool isNumber(const QString &value)
{
    return readNumberText(value).has_value();
}

} // namespace

QString cellsAsText(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        for (qsizetype column = 0; column < row.size(); ++column) {
            const QString &value = row.at(column);
            if (column > 0)
                text += u'\t';
            if (needsQuotes(value))
                text += u'"' + QString(value).replace(u'"', QStringLiteral("\"\"")) + u'"';
            else
                text += value;
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}

QString sectionAsText(const SectionTable &table, bool decimalComma)
{
    QList<QStringList> rows;
    for (int area = 1; area <= table.areaCount(); ++area) {
        QStringList row;
        for (int column = 1; column <= SectionTable::kColumns; ++column) {
            QString value = table.Aree[area][column];
            if (decimalComma && isNumberColumn(column - 1) && isDecimalNumber(value, u'.'))
                value.replace(u'.', u',');
            row << value;
        }
        rows << row;
    }
    return cellsAsText(rows);
}

QList<QStringList> cellBlock(const QString &text)
{
    return blockRows(text);
}

bool isHeaderRow(const QList<QStringList> &rows, const QList<qsizetype> &numberColumns)
{
    if (rows.size() < 2)
        return false;
    const QStringList &first = rows.front();
    bool titled = false;
    for (const qsizetype column : numberColumns) {
        const QString title = first.value(column).trimmed();
        if (title.isEmpty())
            continue;
        if (isNumber(title) || title.startsWith(u'*'))
            return false; // a row of data: a number, or a height that follows P
        titled = titled || std::all_of(rows.begin() + 1, rows.end(), [column](const QStringList &row) {
                     const QString value = row.value(column);
                     return value.trimmed().isEmpty() || isNumber(value);
                 });
    }
    return titled;
}

qsizetype blockWidth(const QList<QStringList> &rows)
{
    qsizetype width = 0;
    for (const QStringList &row : rows)
        width = std::max(width, row.size());
    return width;
}

QString headerLeftOut()
{
    return QStringLiteral("La prima riga, un'intestazione, non è stata incollata.");
}

QString tooWideBlock(qsizetype width, const QString &column, qsizetype room)
{
    return QStringLiteral("Il blocco incollato ha %1 colonne, ma dalla colonna «%2» in poi ce ne sono solo %3: "
                          "incollarlo in una colonna più a sinistra.")
        .arg(QString::number(width), column, QString::number(room));
}

bool isCellBlock(const QString &text)
{
    return text.contains(u'\t') || text.contains(u'\n') || text.contains(u'\r');
}

AreaEdit pasteBlock(SectionTable &table, int area, int column, const QString &text)
{
    QList<QStringList> rows = blockRows(text);
    QList<qsizetype> numberColumns;
    for (int c = column; c < SectionTable::kColumns; ++c) {
        if (isNumberColumn(c))
            numberColumns << c - column;
    }
    const bool header = isHeaderRow(rows, numberColumns);
    if (header)
        rows.removeFirst();
    if (rows.isEmpty())
        return {};
    const qsizetype width = blockWidth(rows);
    if (column + width > SectionTable::kColumns)
        return refused(tooWideBlock(width, columnTitle(column), SectionTable::kColumns - column));
    const int lastArea = area + int(rows.size()) - 1;
    if (lastArea > SectionTable::kMaxAreas)
        return refused(QStringLiteral("Il blocco incollato ha %1 righe: dall'area %2 arriverebbe all'area %3, ma una "
                                      "sezione ha al massimo %4 aree.")
                           .arg(rows.size())
                           .arg(area)
                           .arg(lastArea)
                           .arg(SectionTable::kMaxAreas));

    // Every value is checked before any is stored.
    QList<QStringList> values = rows;
    int converted = 0;
    for (qsizetype r = 0; r < values.size(); ++r) {
        for (qsizetype c = 0; c < values[r].size(); ++c) {
            QString &value = values[r][c];
            const int gridColumn = column + int(c);
            if (QString taken = withDecimalPoint(value, gridColumn); taken != value) {
                value = std::move(taken);
                ++converted;
            }
            if (const std::optional<QString> problem = confirmationProblem(value, true))
                return refused(QStringLiteral("Il blocco non è stato incollato: il valore «%1» per l'area %2, colonna "
                                              "«%3», non è accettato.\n%4")
                                   .arg(value.left(40), QString::number(area + r), columnTitle(gridColumn),
                                        *problem)); // in one go: the value may hold a %
        }
    }

    // Areas the block adds start empty.
    const int count = table.areaCount();
    for (int added = count + 1; added <= lastArea; ++added)
        table.Aree[added] = {};
    for (qsizetype r = 0; r < values.size(); ++r)
        for (qsizetype c = 0; c < values[r].size(); ++c)
            table.Aree[area + r][column + c + 1] = values[r][c];
    table.Naree = static_cast<qint16>(std::max(count, lastArea));

    // What the paste did besides, told in one message.
    QStringList told;
    if (header)
        told << headerLeftOut();
    if (converted == 1)
        told << QStringLiteral("Un numero con la virgola decimale è stato scritto con il punto, come lo legge "
                               "l'applicazione di computo.");
    else if (converted > 1)
        told << QStringLiteral("%1 numeri con la virgola decimale sono stati scritti con il punto, come li legge "
                               "l'applicazione di computo.")
                    .arg(converted);
    return {AreaEdit::Result::Changed, told.join(u'\n'), {area, column}};
}
