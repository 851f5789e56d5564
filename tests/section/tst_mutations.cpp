#include "section/sectionfile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QList<QByteArray> validFiles()
{
    const QList<QByteArray> headers(11);
    return {
        crlfLines(headers + QList<QByteArray>{" 1 ", "SABBIA", "0.3", "0.2", "0.1", "0.5", "A.01"}),
        crlfLines(QList<QByteArray>{"\"Progetto, lotto 2\"", "profondit\xe0 \x80"} + QList<QByteArray>(9)
                  + QList<QByteArray>{" 2 ", "\"SABBIA\", \"0.3\",0.2, \"0.1\"", "\"0,5\"  x", "A.01",
                                      "  *1.5 ", "\"riga", "spezzata\"", "", "", "", ""}),
        QByteArray("\n").repeated(11) + "-3\nR\n",
        crlfLines(headers + QList<QByteArray>{" 3 "} + QList<QByteArray>(9, "val,ore")),
    };
}

// One to four edits of the kinds that break a section file: changed, added
// and removed bytes, separators, quotes, line ends, digits, a cut and a
// repeated line.
QByteArray mutate(QByteArray bytes, QRandomGenerator &rng)
{
    static const QByteArray special(",\"\r\n0123456789- \t\x80\x81\xe0\xff");
    const auto pos = [&](qsizetype extra = 0) { return qsizetype(rng.bounded(int(bytes.size() + extra))); };
    for (int edits = 1 + rng.bounded(4); edits > 0; --edits) {
        const int kind = rng.bounded(9);
        if (bytes.isEmpty() && kind < 2)
            continue;
        switch (kind) {
        case 0: bytes[pos()] = char(rng.bounded(256)); break;
        case 1: bytes.remove(pos(), 1 + rng.bounded(8)); break;
        case 2: bytes.insert(pos(1), char(rng.bounded(256))); break;
        case 3: bytes.insert(pos(1), ','); break;
        case 4: bytes.insert(pos(1), '"'); break;
        case 5: bytes.insert(pos(1), QByteArray("\r\n\r\n").mid(rng.bounded(3), 1 + rng.bounded(2))); break;
        case 6: bytes.insert(pos(1), special.at(4 + rng.bounded(11))); break;
        case 7: bytes.truncate(pos(1)); break;
        case 8: {
            const qsizetype start = bytes.lastIndexOf('\n', pos(1)) + 1;
            const qsizetype end = bytes.indexOf('\n', start);
            const QByteArray line = bytes.mid(start, end < 0 ? -1 : end - start + 1);
            bytes.insert(start, line);
            break;
        }
        }
        if (rng.bounded(4) == 0)
            bytes.insert(pos(1), special.at(rng.bounded(int(special.size()))));
    }
    return bytes;
}

// What is wrong with the load or the save of these bytes; empty when nothing.
QString violation(const QByteArray &bytes, bool *loaded)
{
    const LoadResult result = parseSectionFile(bytes);
    *loaded = result.outcome == LoadResult::Outcome::Loaded;
    if (!*loaded) {
        if (result.outcome != LoadResult::Outcome::Unreadable || result.problem.isEmpty()
            || result.table.Naree != 1)
            return QStringLiteral("refused without a reason or without one empty area");
        return {};
    }
    const SectionTable &table = result.table;
    if (table.Naree > SectionTable::kMaxAreas)
        return QStringLiteral("loaded %1 areas").arg(table.Naree);
    static const std::array<QString, SectionTable::kColumns + 1> emptyArea;
    for (int area = table.areaCount() + 1; area <= SectionTable::kMaxAreas; ++area)
        if (table.Aree[area] != emptyArea)
            return QStringLiteral("values in area %1 beyond the count").arg(area);

    const EncodedSection first = encodeSectionFile(table);
    if (first.error)
        return first.error->message.contains(u'«') ? QString()
                                                    : QStringLiteral("unclear save error: ") + first.error->message;
    const LoadResult again = parseSectionFile(first.bytes);
    if (again.outcome != LoadResult::Outcome::Loaded || again.table != table)
        return QStringLiteral("saved file loads back differently: ") + QString::fromLatin1(first.bytes.toPercentEncoding());
    const EncodedSection second = encodeSectionFile(again.table);
    if (second.error || second.bytes != first.bytes)
        return QStringLiteral("second save gives other bytes");
    return {};
}

} // namespace

class TestMutations : public QObject
{
    Q_OBJECT

private slots:
    void mutatedFilesLoadOrAreRefused();
    void saveIntoRemovedFolder();
};

void TestMutations::mutatedFilesLoadOrAreRefused()
{
    const QList<QByteArray> seeds = validFiles();
    QRandomGenerator rng(0x5e2104);
    int loaded = 0;
    for (int i = 0; i < 10000; ++i) {
        const QByteArray bytes = mutate(seeds.at(i % seeds.size()), rng);
        bool wasLoaded = false;
        const QString problem = violation(bytes, &wasLoaded);
        QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("mutation %1 (%2): %3")
                                                   .arg(i)
                                                   .arg(QString::fromLatin1(bytes.toPercentEncoding()), problem)));
        loaded += wasLoaded;
    }
    // Both paths must have been exercised for the run to mean anything.
    QVERIFY2(loaded > 1000 && loaded < 9000, qPrintable(QString::number(loaded)));
}

void TestMutations::saveIntoRemovedFolder()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("programma"));
    QVERIFY(QDir().mkpath(folder));
    SectionTable table;
    table.Naree = 2;
    table.Aree[2][1] = QStringLiteral("GHIAIA");
    QVERIFY(!writeSectionFile(table, folder).error.has_value());

    QVERIFY(QDir(folder).removeRecursively());
    const std::optional<SaveError> error = writeSectionFile(table, folder).error;
    QVERIFY(error.has_value());
    QVERIFY(error->message.contains(QDir::toNativeSeparators(folder)));
    QVERIFY2(!QFileInfo::exists(folder), "a failed save must not create the folder");

    // A plain file where the folder was.
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(writeSectionFile(table, folder).error.has_value());
    QVERIFY(blocker.remove());

    QVERIFY(QDir().mkpath(folder));
    QVERIFY(!writeSectionFile(table, folder).error.has_value());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QLatin1String(kSectionFileName)});
    QCOMPARE(LeggeFileSezione(folder).table, table);
}

QTEST_GUILESS_MAIN(TestMutations)
#include "tst_mutations.moc"
