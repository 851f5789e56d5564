#include "window/linesbox.h"

#include <QScrollBar>
#include <QTest>

// The box must always show exactly the last lines it was given, whether it
// rewrote only the changed lines or reloaded them all.
class TestLinesBox : public QObject
{
    Q_OBJECT

private slots:
    void showsTheLastLinesGiven_data();
    void showsTheLastLinesGiven();
};

void TestLinesBox::showsTheLastLinesGiven_data()
{
    QTest::addColumn<QList<QStringList>>("steps");

    QTest::newRow("one line changed among many")
        << QList<QStringList>{{"a", "b", "c", "d"}, {"a", "B", "c", "d"}, {"a", "B", "c", ""}};
    QTest::newRow("more and fewer lines")
        << QList<QStringList>{{"a", "b"}, {"a", "b", "c"}, {"x"}, {"x", "y"}};
    QTest::newRow("emptied and filled again")
        << QList<QStringList>{{"a", "b"}, {}, {"a", "b"}, {""}, {"c"}};
    QTest::newRow("a value with its own line break")
        << QList<QStringList>{{"a", "b"}, {"a", "b\r\nc"}, {"a", "b"}, {"a", "d"}};
    QTest::newRow("same lines twice") << QList<QStringList>{{"", "0.5", ""}, {"", "0.5", ""}};
}

void TestLinesBox::showsTheLastLinesGiven()
{
    QFETCH(QList<QStringList>, steps);

    LinesBox box;
    box.resize(200, 60);
    box.show();
    for (const QStringList &lines : steps) {
        box.setLines(lines);
        QCOMPARE(box.toPlainText(), QString(lines.join(QLatin1Char('\n'))).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QCOMPARE(box.textCursor().position(), 0);
        QCOMPARE(box.verticalScrollBar()->value(), 0);
    }
}

QTEST_MAIN(TestLinesBox)
#include "tst_linesbox.moc"
