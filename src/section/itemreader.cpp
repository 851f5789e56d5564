#include "itemreader.h"

#include <algorithm>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// What a reader may pass over without losing text: blanks, line ends, and
// the commas and double quotes that separate and delimit items.
bool isStructure(QChar c)
{
    return isBlank(c) || isLineBreak(c) || c == u',' || c == u'"';
}

} // namespace

bool ItemReader::startsQuoted(QStringView line)
{
    for (QChar c : line) {
        if (!isBlank(c))
            return c == u'"';
    }
    return false;
}

bool ItemReader::takesLineWhole(QStringView line)
{
    return std::find(line.begin(), line.end(), u',') == line.end() && !startsQuoted(line);
}

bool ItemReader::holdsLineBreak(QStringView text)
{
    return std::any_of(text.begin(), text.end(), isLineBreak);
}

bool ItemReader::atLineEnd() const
{
    return m_pos >= m_text.size() || isLineBreak(m_text.at(m_pos));
}

void ItemReader::skipLineEnd()
{
    if (m_pos < m_text.size() && m_text.at(m_pos) == u'\r')
        ++m_pos;
    if (m_pos < m_text.size() && m_text.at(m_pos) == u'\n')
        ++m_pos; // LF alone, or the LF of CR LF
    m_atLineStart = true;
}

qsizetype ItemReader::lineEnd() const
{
    qsizetype end = m_pos;
    while (end < m_text.size() && !isLineBreak(m_text.at(end)))
        ++end;
    return end;
}

void ItemReader::noteDropped(qsizetype at)
{
    if (m_dropped)
        return;
    int line = 1;
    for (qsizetype i = 0; i < at; ++i) {
        const QChar c = m_text.at(i);
        if (c == u'\n' || (c == u'\r' && (i + 1 >= m_text.size() || m_text.at(i + 1) != u'\n')))
            ++line;
    }
    qsizetype end = at;
    while (end < m_text.size() && !isLineBreak(m_text.at(end)))
        ++end;
    m_dropped = Dropped{line, m_text.sliced(at, end - at)};
}

void ItemReader::dropUpTo(qsizetype stop)
{
    for (qsizetype i = m_pos; i < stop; ++i) {
        if (!isStructure(m_text.at(i))) {
            noteDropped(i);
            break;
        }
    }
    m_pos = stop;
}

void ItemReader::dropRest()
{
    dropUpTo(m_text.size());
}

// At an opening double quote: the text up to the next one, which is passed.
QString ItemReader::quotedItem()
{
    const qsizetype close = m_text.indexOf(u'"', m_pos + 1);
    const qsizetype stop = close < 0 ? m_text.size() : close;
    const QString item = m_text.sliced(m_pos + 1, stop - m_pos - 1);
    m_pos = close < 0 ? m_text.size() : close + 1;
    return item;
}

std::optional<QString> ItemReader::next()
{
    if (m_pos >= m_text.size())
        return std::nullopt;

    const qsizetype end = lineEnd();
    const QStringView line = QStringView(m_text).sliced(m_pos, end - m_pos);
    if (m_atLineStart && takesLineWhole(line)) {
        m_pos = end;
        skipLineEnd();
        return line.toString();
    }

    m_atLineStart = false;
    while (m_pos < end && isBlank(m_text.at(m_pos)))
        ++m_pos;

    QString item;
    if (m_pos < m_text.size() && m_text.at(m_pos) == u'"') {
        item = quotedItem();
        qsizetype stop = m_pos;
        while (stop < m_text.size() && !isLineBreak(m_text.at(stop)) && m_text.at(stop) != u',')
            ++stop;
        dropUpTo(stop);
    } else {
        const qsizetype start = m_pos;
        while (!atLineEnd() && m_text.at(m_pos) != u',')
            ++m_pos;
        item = m_text.sliced(start, m_pos - start);
    }

    if (m_pos < m_text.size() && m_text.at(m_pos) == u',')
        ++m_pos;
    else
        skipLineEnd();
    return item;
}

std::optional<QString> ItemReader::nextLine()
{
    if (m_pos >= m_text.size())
        return std::nullopt;

    const qsizetype end = lineEnd();
    const QStringView line = QStringView(m_text).sliced(m_pos, end - m_pos);
    if (!startsQuoted(line) || line.count(u'"') >= 2) {
        m_pos = end;
        skipLineEnd();
        return line.toString();
    }
    while (isBlank(m_text.at(m_pos)))
        ++m_pos;
    const QString item = quotedItem(); // it holds a line break
    dropUpTo(lineEnd());
    skipLineEnd();
    return item;
}
