#pragma once

// Shared by the tests: section files written out as bytes, sections whose
// values name their place, files read and written whole, and a file-size
// limit that makes a write fail part-way.

#include "section/sectiontable.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
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
