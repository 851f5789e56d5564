#include "section/sectionfile.h"
#include "section/valuerules.h"

#include <QTest>

class TestValueRules : public QObject
{
    Q_OBJECT

private slots:
    void rule_data();
    void rule();
};

void TestValueRules::rule_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<ValueLine::Form>("form");
    QTest::addColumn<QByteArray>("line");         // the file's line, without CR LF
    QTest::addColumn<QString>("problemMentions"); // why the file cannot hold it
    QTest::addColumn<QString>("typedMentions");   // why typing it is refused; empty: accepted

    using F = ValueLine::Form;
    QTest::newRow("plain value: bare") << "SABBIA" << F::Bare << QByteArray("SABBIA") << "" << "";
    QTest::newRow("empty value: empty line") << "" << F::Bare << QByteArray() << "" << "";
    QTest::newRow("blanks around: bare, kept") << " *1.5 " << F::Bare << QByteArray(" *1.5 ") << "" << "";
    QTest::newRow("accents and euro: one byte each")
        << "profondità €" << F::Bare << QByteArray("profondit\xe0 \x80") << "" << "";
    QTest::newRow("unassigned U+0081: its own byte") << "\u0081" << F::Bare << QByteArray("\x81") << "" << "";
    QTest::newRow("decimal comma: quoted, typing refused with the advice")
        << "0,5" << F::Quoted << QByteArray("\"0,5\"") << "" << "0.5";
    QTest::newRow("line break: quoted, typing refused")
        << "riga\r\nspezzata" << F::Quoted << QByteArray("\"riga\r\nspezzata\"") << "" << "a capo";
    QTest::newRow("quote inside: bare, typing refused") << "2\"" << F::Bare << QByteArray("2\"") << ""
                                                        << "virgolette";
    QTest::newRow("tab inside: bare, typing refused") << "a\tb" << F::Bare << QByteArray("a\tb") << ""
                                                      << "tabulazione";
    QTest::newRow("quote with a comma: unwritable") << "a\"b,c" << F::Unwritable << QByteArray()
                                                    << "«a\"b,c»" << "virgola";
    QTest::newRow("blanks then a quote: unwritable") << "  \"x" << F::Unwritable << QByteArray() << "«  \"x»"
                                                     << "virgolette";
    QTest::newRow("letter outside Windows-1252: named") << "Łódź" << F::Unwritable << QByteArray() << "«Ł»"
                                                        << "«Ł»";
    QTest::newRow("U+0080 has no byte (0x80 is the euro)")
        << "\u0080" << F::Unwritable << QByteArray() << "«\u0080»" << "«\u0080»";
    QTest::newRow("character beyond U+FFFF named whole")
        << "a😀" << F::Unwritable << QByteArray() << "«😀»" << "«😀»";
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << F::Unwritable << QByteArray()
                                    << "Windows-1252" << "Windows-1252";
}

void TestValueRules::rule()
{
    QFETCH(QString, value);
    QFETCH(ValueLine::Form, form);
    QFETCH(QByteArray, line);
    QFETCH(QString, problemMentions);
    QFETCH(QString, typedMentions);

    QByteArray out("kept\r\n");
    const ValueLine result = appendValueLine(out, value);
    QCOMPARE(result.form, form);
    QCOMPARE(out, "kept\r\n" + line);
    QVERIFY2(result.problem.contains(problemMentions), qPrintable(result.problem));
    const std::optional<QString> asItStands = confirmationProblem(value, false);
    QCOMPARE(asItStands.has_value(), form == ValueLine::Form::Unwritable);
    const std::optional<QString> typed = confirmationProblem(value, true);
    QCOMPARE(typed.has_value(), !typedMentions.isEmpty());
    QVERIFY2(typed.value_or(QString()).contains(typedMentions), qPrintable(typed.value_or(QString())));

    // What the file holds reads back as the value.
    if (form != ValueLine::Form::Unwritable) {
        SectionTable table;
        table.Intestazione[1] = value;
        const LoadResult again = parseSectionFile(encodeSectionFile(table).bytes);
        QCOMPARE(again.table.Intestazione[1], value);
    }
}

QTEST_GUILESS_MAIN(TestValueRules)
#include "tst_valuerules.moc"
