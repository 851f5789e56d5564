#pragma once

// Shared by the tests: section files written out as bytes, sections whose
// values name their place, files read and written whole, and a file-size
// limit that makes a write fail part-way.

#include "section/sectiontable.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

// The bytes of a file made of these lines, each ending in CR LF.
inline QByteArray crlfLines(const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &line : lines)
        out += line + "\r\n";
    return out;
}

// A section of n areas whose values name their place: "a<area>c<column>".
inline SectionTable namedSection(int areas)
{
    SectionTable table;
    table.Naree = static_cast<qint16>(areas);
    for (int a = 1; a <= qMin(areas, SectionTable::kMaxAreas); ++a)
        for (int c = 1; c <= SectionTable::kColumns; ++c)
            table.Aree[a][c] = QStringLiteral("a%1c%2").arg(a).arg(c);
    return table;
}

// The file of namedSection(named) after a count that adds `empty` empty
// areas: eleven empty header lines, the count line as given, the named
// areas' lines "a<area>c<column>" and the empty areas' empty lines.
inline QByteArray namedSectionFile(const QByteArray &countLine, int named, int empty = 0)
{
    QList<QByteArray> lines = QList<QByteArray>(11) << countLine;
    for (int a = 1; a <= named; ++a)
        for (int c = 1; c <= 6; ++c)
            lines << "a" + QByteArray::number(a) + "c" + QByteArray::number(c);
    return crlfLines(lines + QList<QByteArray>(6 * empty));
}

// The preview box's text for the same areas: one value a line.
inline QString namedSectionPreview(int named, int empty = 0)
{
    QStringList lines;
    for (int a = 1; a <= named; ++a)
        for (int c = 1; c <= 6; ++c)
            lines << QStringLiteral("a%1c%2").arg(a).arg(c);
    return (lines + QStringList(6 * empty)).join(QLatin1Char('\n'));
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

#ifdef Q_OS_UNIX
// While it lives, no file of this process may grow beyond `bytes`: a write
// past that fails (SIGXFSZ is ignored) instead of ending the process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_saved;
        small.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = SIG_DFL;
    bool m_active = false;
};
#endif
