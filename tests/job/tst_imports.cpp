#include "job/manholetable.h"

#include <QTest>

// The stretches read from a manhole table, against values worked out by
// hand. A stretch is written
// "name|length|start|end|D|DN|from|to|ground start|invert start|ground end|invert end".

class TestImports : public QObject
{
    Q_OBJECT

private slots:
    void manholeTable_data();
    void manholeTable();
};

namespace {

QString written(const Stretch &s)
{
    const StretchOrigin &o = s.origin;
    QStringList values{s.name, s.length, s.start,       s.end,         s.diameter,  s.nominal,
                       o.from, o.to,     o.groundStart, o.invertStart, o.groundEnd, o.invertEnd};
    if (!s.section.isEmpty())
        values << s.section; // never filled
    return values.join(u'|');
}

// What the user sees of an import: the stretches and the notes, or why
// the file was refused.
struct Shown
{
    QStringList stretches;
    QStringList notes;
    QString refusal;
};

Shown shown(const ImportResult &result)
{
    Shown out;
    if (const QString *refusal = std::get_if<QString>(&result)) {
        out.refusal = *refusal;
        return out;
    }
    const ImportedStretches &imported = std::get<ImportedStretches>(result);
    for (const Stretch &stretch : imported.stretches)
        out.stretches << written(stretch);
    out.notes = imported.notes;
    return out;
}

} // namespace

void TestImports::manholeTable_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("pasted"); // given as the clipboard's text rather than a file's bytes
    QTest::addColumn<double>("wall");
    QTest::addColumn<QStringList>("stretches");
    QTest::addColumn<QString>("refusal");

    QTest::newRow("the worked example: semicolons, decimal commas, CR LF; a drop at M3")
        << QByteArray("M1;0,00;105,20;103,60\r\nM2;45,00;105,05;103,24\r\nM3;92,50;104,70;102,85;102,80\r\n"
                      "M4;130,00;104,90;102,51\r\n")
        << false << 0.012
        << QStringList{"M1-M2|45,00|1,612|1,822|||M1|M2|105.2|103.6|105.05|103.24",
                       "M2-M3|47,50|1,822|1,862|||M2|M3|105.05|103.24|104.7|102.85",
                       "M3-M4|37,50|1,912|2,402|||M3|M4|104.7|102.8|104.9|102.51"}
        << QString();
    QTest::newRow("pasted: tabs, decimal points, a header row, the last column empty")
        << QByteArray("Pozzetto\tProgressiva (m)\tQuota terreno (m)\tQuota di scorrimento (m)\tQuota di scorrimento "
                      "in uscita (m)\nM1\t0.00\t105.20\t103.60\t\nM2\t45.00\t105.05\t103.24\t\n")
        << true << 0.0 << QStringList{"M1-M2|45,00|1,60|1,81|||M1|M2|105.2|103.6|105.05|103.24"} << QString();
    QTest::newRow("commas between the values, decimal points, a header row of its own words")
        << QByteArray("Nome,Progr.,Terreno,Scorrimento\nA,0,10,8.5\nB,20.5,10.2,8.3\n") << false << 0.05
        << QStringList{"A-B|20,50|1,55|1,95|||A|B|10|8.5|10.2|8.3"} << QString();
    QTest::newRow("Windows-1252: accented names")
        << QByteArray("Citt\xE0;0;100;98\r\nPi\xF9 avanti;12,5;100,4;98,2\r\n") << false << 0.0
        << QStringList{"Città-Più avanti|12,50|2,00|2,20|||Città|Più avanti|100|98|100.4|98.2"} << QString();
    QTest::newRow("UTF-8 with a BOM; a blank line, a row of separators and empty cells at the end skipped")
        << QByteArray("\xEF\xBB\xBFN\xC2\xB0"
                      "1;0;50;48;;\n\n;;;;\nN\xC2\xB0"
                      "2;10;50;48,5;;\n")
        << false << 0.0 << QStringList{"N°1-N°2|10,00|2,00|1,50|||N°1|N°2|50|48|50|48.5"} << QString();
    QTest::newRow("a zero length, a P below zero and a chainage going back: written as they come")
        << QByteArray("P1;10;100;99\nP2;10;100;100,2\nP3;5;100;99\n") << false << 0.0
        << QStringList{"P1-P2|0,00|1,00|-0,20|||P1|P2|100|99|100|100.2",
                       "P2-P3|-5,00|-0,20|1,00|||P2|P3|100|100.2|100|99"}
        << QString();
    QTest::newRow("thousands grouped, Italian and English: the last separator is the decimal one")
        << QByteArray("A;1.234,56;1.005,20;1.003,60\nB;1,279.56;1,005.05;1,003.24\n") << false << 0.0
        << QStringList{"A-B|45,00|1,60|1,81|||A|B|1005.2|1003.6|1005.05|1003.24"} << QString();
    QTest::newRow("a word where a number goes: refused, its line named past a blank one")
        << QByteArray("M1;0;105,20;103,60\n\nM2;45;abc;103,24\n") << false << 0.0 << QStringList()
        << "Riga 3: il valore «abc» di «Quota terreno (m)» non è un numero.";
    QTest::newRow("too few values on a row: refused")
        << QByteArray("M1;0;105,20;103,60\nM2;45;105,05\n") << false << 0.0 << QStringList()
        << "Riga 2: mancano dei valori: ogni riga ha almeno Pozzetto, Progressiva (m), Quota terreno (m) e Quota di "
           "scorrimento (m).";
    QTest::newRow("commas between values with decimal commas: too many values, refused")
        << QByteArray("M1,0,00,105,20,103,60\nM2,45,00,105,05,103,24\n") << false << 0.0 << QStringList()
        << "Riga 1: ci sono 7 valori, ma la tabella ha al massimo 5 colonne: Pozzetto, Progressiva (m), Quota terreno "
           "(m), Quota di scorrimento (m), Quota di scorrimento in uscita (m). Se i numeri hanno la virgola decimale, "
           "separare i valori con il punto e virgola o con il tabulatore.";
    QTest::newRow("a header and one manhole: refused")
        << QByteArray("Pozzetto;Progressiva\nM1;0;105;103\n") << false << 0.0 << QStringList()
        << "Nella tabella c'è un solo pozzetto: ne servono almeno due, uno per riga.";
}

void TestImports::manholeTable()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, pasted);
    QFETCH(double, wall);
    QFETCH(QStringList, stretches);
    QFETCH(QString, refusal);

    const Shown got = shown(pasted ? readManholeTable(QString::fromUtf8(bytes), wall) : readManholeTable(bytes, wall));
    QCOMPARE(got.refusal, refusal);
    QCOMPARE(got.stretches, stretches);
    QCOMPARE(got.notes, QStringList());
}

QTEST_GUILESS_MAIN(TestImports)
#include "tst_imports.moc"
