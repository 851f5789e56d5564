#include "section/filepreview.h"

#include <QTest>

class TestFilePreview : public QObject
{
    Q_OBJECT

private slots:
    void joinsAreaValuesByCrLf_data();
    void joinsAreaValuesByCrLf();
};

void TestFilePreview::joinsAreaValuesByCrLf_data()
{
    QTest::addColumn<SectionTable>("table");
    QTest::addColumn<QString>("text");

    SectionTable sand;
    sand.Naree = 1;
    sand.Aree[1][1] = QStringLiteral("SABBIA");
    QTest::newRow("one area, five empty values: five CR LF after the first")
        << sand << QStringLiteral("SABBIA\r\n\r\n\r\n\r\n\r\n");

    SectionTable emptyFirst;
    emptyFirst.Naree = 1;
    emptyFirst.Aree[1][2] = QStringLiteral("0.3");
    QTest::newRow("empty first value: the text begins with CR LF")
        << emptyFirst << QStringLiteral("\r\n0.3\r\n\r\n\r\n\r\n");

    SectionTable lowered;
    lowered.Naree = 2;
    for (int a = 1; a <= 3; ++a)
        for (int c = 1; c <= 6; ++c)
            lowered.Aree[a][c] = QString::number(a * 10 + c);
    QTest::newRow("areas above the count are not shown")
        << lowered << QStringLiteral("11\r\n12\r\n13\r\n14\r\n15\r\n16\r\n21\r\n22\r\n23\r\n24\r\n25\r\n26");

    SectionTable none;
    none.Aree[1][1] = QStringLiteral("not shown");
    QTest::newRow("no areas: empty") << none << QString();
    none.Naree = -3;
    QTest::newRow("negative count: empty") << none << QString();
}

void TestFilePreview::joinsAreaValuesByCrLf()
{
    QFETCH(SectionTable, table);
    QFETCH(QString, text);
    QCOMPARE(previewLines(table).join(QStringLiteral("\r\n")), text); // as the box joins its lines
}

QTEST_GUILESS_MAIN(TestFilePreview)
#include "tst_filepreview.moc"
