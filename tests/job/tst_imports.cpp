#include "job/manholetable.h"
#include "job/swmmmodel.h"

#include <QDir>
#include <QFile>
#include <QTest>

// The stretches read from a manhole table and from an EPA SWMM model,
// against values worked out by hand. A stretch is written
// "name|length|start|end|D|DN|from|to|ground start|invert start|ground end|invert end".

class TestImports : public QObject
{
    Q_OBJECT

private slots:
    void manholeTable_data();
    void manholeTable();
    void swmmModel_data();
    void swmmModel();
    void swmmExamples_data();
    void swmmExamples();
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
    bool fromFeet = false;
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
    out.fromFeet = imported.fromFeet;
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
    QTest::newRow("whole metres grouped by a point in a table of decimal commas: a thousand, not one")
        << QByteArray("M1;980;105,20;103,60\nM2;1.000;105,05;103,24\nM3;1.045;104,70;102,85\n") << false << 0.0
        << QStringList{"M1-M2|20,00|1,60|1,81|||M1|M2|105.2|103.6|105.05|103.24",
                       "M2-M3|45,00|1,81|1,85|||M2|M3|105.05|103.24|104.7|102.85"}
        << QString();
    QTest::newRow("a chainage beyond a thousand kilometres: refused as no number")
        << QByteArray("M1;0;105,20;103,60\nM2;2.000.000;105,05;103,24\n") << false << 0.0 << QStringList()
        << "Riga 2: il valore «2.000.000» di «Progressiva (m)» non è un numero.";
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

void TestImports::swmmModel_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<double>("wall");
    QTest::addColumn<QStringList>("stretches");
    QTest::addColumn<QStringList>("notes");
    QTest::addColumn<bool>("fromFeet");
    QTest::addColumn<QString>("refusal");

    QTest::newRow("DEPTH offsets, the default; a storage node; sections in any order, comments, tabs, others")
        << QByteArray("[TITLE]\nRete di prova ; [CONDUITS] in a comment\n\n[XSECTIONS]\nC1\tCIRCULAR\t0.4\t0\t0\t0\t1\n"
                      "[OPTIONS]\nFLOW_UNITS  LPS\n[CONDUITS]\n;;Name From To Length Roughness InOffset OutOffset\n"
                      "C1  J1  S1  35.5  0.013  0.2  0.1   ; to the tank\n[POLLUTANTS]\nTSS MG/L 0 0 0 0 NO * 0 0 0\n"
                      "[JUNCTIONS]\r\nJ1  100  2.5\r\n[STORAGE]\nS1  98.5  3.2  0  FUNCTIONAL 1000 0 0\n")
        << 0.03 << QStringList{"C1|35,50|2,33|3,13|0,46|400|J1|S1|102.5|100.2|101.7|98.6"} << QStringList() << false
        << QString();
    QTest::newRow("ELEVATION offsets, one written *; a force main")
        << QByteArray("[OPTIONS]\nFLOW_UNITS CMS\nLINK_OFFSETS ELEVATION\n[JUNCTIONS]\nA 50.0 2.0\nB 49.0 2.5\n"
                      "[CONDUITS]\nP1 A B 80 0.013 50.3 *\n[XSECTIONS]\nP1 FORCE_MAIN 0.25 120 0 0\n")
        << 0.01 << QStringList{"P1|80,00|1,71|2,51|0,27|250|A|B|52|50.3|51.5|49"} << QStringList() << false
        << QString();
    QTest::newRow("DEPTH offsets, one written *: at the node's invert")
        << QByteArray("[OPTIONS]\nFLOW_UNITS MLD\n[JUNCTIONS]\nA 50 2\nB 49 2.5\n[CONDUITS]\nP1 A B 80 0.013 * 0.5\n"
                      "[XSECTIONS]\nP1 CIRCULAR 0.3 0 0 0\n")
        << 0.0 << QStringList{"P1|80,00|2,00|2,00|0,30|300|A|B|52|50|51.5|49.5"} << QStringList() << false
        << QString();
    QTest::newRow("GPM after the conduits: feet, converted; the wall in metres")
        << QByteArray("[JUNCTIONS]\nA 100 10\nB 98 8.5\n[CONDUITS]\nP1 A B 100 0.013 0.5 0\n[XSECTIONS]\n"
                      "P1 CIRCULAR 1.25 0 0 0\n[OPTIONS]\nFLOW_UNITS GPM\n")
        << 0.02 << QStringList{"P1|30,48|2,9156|2,6108|0,421|381|A|B|33.528|30.6324|32.4612|29.8704"} << QStringList()
        << true << QString();
    QTest::newRow("names and keywords in another case; no FLOW_UNITS: SWMM's CFS")
        << QByteArray("[junctions]\nPozzo1 10 5\nPOZZO2 9 5\n[Conduits]\nc1 pozzo1 pozzo2 10 0.013 0 0\n[xsections]\n"
                      "C1 circular 1 0 0 0\n")
        << 0.0 << QStringList{"c1|3,048|1,524|1,524|0,3048|305|Pozzo1|POZZO2|4.572|3.048|4.2672|2.7432"}
        << QStringList() << true << QString();
    QTest::newRow("ends with no ground: an outfall, a divider, a MaxDepth of 0")
        << QByteArray("[OPTIONS]\nFLOW_UNITS CMS\n[JUNCTIONS]\nJ1 10 0\nJ2 9 2\n[DIVIDERS]\nD1 9.5 C3 CUTOFF 0 0 0 0 0\n"
                      "[OUTFALLS]\nOUT1 8 FREE NO\n[CONDUITS]\nC1 J2 OUT1 20 0.013 0 0\nC2 D1 J2 15 0.013 0 0\n"
                      "C3 J1 OUT1 5 0.013 0 0\n[XSECTIONS]\nC1 CIRCULAR 0.5 0 0 0\nC2 CIRCULAR 0.5 0 0 0\n"
                      "C3 CIRCULAR 0.5 0 0 0\n")
        << 0.0
        << QStringList{"C1|20,00|2,00||0,50|500|J2|OUT1|11|9||8", "C2|15,00||2,00|0,50|500|D1|J2||9.5|11|9",
                       "C3|5,00|||0,50|500|J1|OUT1||10||8"}
        << QStringList{"Tratto C1: il nodo OUT1 non ha la quota del terreno: scrivere P fine.",
                       "Tratto C2: il nodo D1 non ha la quota del terreno: scrivere P inizio.",
                       "Tratto C3: i nodi J1 e OUT1 non hanno la quota del terreno: scrivere P inizio e P fine."}
        << false << QString();
    QTest::newRow("another shape, barrels, no cross-section: imported and told; a node not in the file: left out")
        << QByteArray("[OPTIONS]\nFLOW_UNITS CMS\n[JUNCTIONS]\nA 10 2\nB 9 2\n[CONDUITS]\nC7 A B 30 0.013 0 0\n"
                      "C8 A B 30 0.013 0 0\nC9 A X 30 0.013 0 0\nC10 B A 10 0.013 0 0\nC11 Y Z 5 0.013 0 0\n"
                      "[XSECTIONS]\nC7 RECT_CLOSED 1 1.5 0 0 3\nC8 CIRCULAR 0.6 0 0 0 2\nC9 CIRCULAR 0.6 0 0 0\n")
        << 0.05
        << QStringList{"C7|30,00|2,05|2,05|||A|B|12|10|11|9", "C8|30,00|2,05|2,05|0,70|600|A|B|12|10|11|9",
                       "C10|10,00|2,05|2,05|||B|A|11|9|12|10"}
        << QStringList{"Tratto C7: sezione RECT_CLOSED: scrivere D; 3 canne affiancate: le quantità detraggono un solo "
                       "tubo.",
                       "Tratto C8: 2 canne affiancate: le quantità detraggono un solo tubo.",
                       "Tratto C9: il nodo X non è nel file: il tratto non è stato importato.",
                       "Tratto C10: non ha una riga in [XSECTIONS]: scrivere D.",
                       "Tratto C11: i nodi Y e Z non sono nel file: il tratto non è stato importato."}
        << false << QString();
    QTest::newRow("a conduit with too few fields: refused")
        << QByteArray("[CONDUITS]\nC1 A B 30 0.013 0\n") << 0.0 << QStringList() << QStringList() << false
        << "Riga 2: in [CONDUITS] mancano dei valori: ne servono almeno 7 (Name, From Node, To Node, Length, "
           "Roughness, InOffset, OutOffset).";
    QTest::newRow("a word where a number goes: refused")
        << QByteArray("[JUNCTIONS]\n;;Name Elevation MaxDepth\nA 10 due\n") << 0.0 << QStringList() << QStringList()
        << false << "Riga 3: il valore «due» di MaxDepth del nodo A non è un numero.";
    QTest::newRow("a diameter beyond a thousand kilometres: refused")
        << QByteArray("[XSECTIONS]\nC1 CIRCULAR 1e300 0 0 0 1\n") << 0.0 << QStringList() << QStringList() << false
        << "Riga 2: il valore «1e300» di Geom1 della sezione di C1 è troppo grande.";
    QTest::newRow("an unknown flow unit: refused")
        << QByteArray("[OPTIONS]\nFLOW_UNITS M3S\n") << 0.0 << QStringList() << QStringList() << false
        << "Riga 2: FLOW_UNITS «M3S» non è un'unità di SWMM: CFS, GPM, MGD, CMS, LPS o MLD.";
    QTest::newRow("a node named twice, in another case: refused")
        << QByteArray("[JUNCTIONS]\nA 10 2\n[OUTFALLS]\na 8 FREE\n") << 0.0 << QStringList() << QStringList() << false
        << "Riga 4: il nodo a compare già alla riga 2.";
    QTest::newRow("no conduit: refused")
        << QByteArray("[JUNCTIONS]\nA 10 2\n") << 0.0 << QStringList() << QStringList() << false
        << "Nel file non c'è nessuna condotta ([CONDUITS]): nessun tratto da importare.";
}

void TestImports::swmmModel()
{
    QFETCH(QByteArray, file);
    QFETCH(double, wall);
    QFETCH(QStringList, stretches);
    QFETCH(QStringList, notes);
    QFETCH(bool, fromFeet);
    QFETCH(QString, refusal);

    const Shown got = shown(readSwmmModel(file, wall));
    QCOMPARE(got.refusal, refusal);
    QCOMPARE(got.stretches, stretches);
    QCOMPARE(got.notes, notes);
    QCOMPARE(got.fromFeet, fromFeet);
}

// EPA's Example 1: 13 conduits, the outfall 18 at the end of conduit 10.
void TestImports::swmmExamples_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("picked"); // some of its stretches, in its order

    QTest::newRow("metric") << "example1-metric.inp"
                            << QStringList{"1|400,00|3,05|3,05|1,60|1500|9|10|1003|1000|998|995",
                                           "6|400,00|3,05|2,05|1,10|1000|10|21|998|995|993|991",
                                           "7|300,00|2,05|2,05|2,10|2000|21|22|993|991|990|988",
                                           "10|400,00|3,05||2,10|2000|17|18|983|980||975"};
    QTest::newRow("US: feet, converted")
        << "example1-us.inp"
        << QStringList{"1|121,92|0,9644|0,9644|0,5572|457|9|10|305.7144|304.8|304.1904|303.276",
                       "6|121,92|0,9644|0,6596|0,4048|305|10|21|304.1904|303.276|302.6664|302.0568",
                       "7|91,44|0,6596|0,6596|0,7096|610|21|22|302.6664|302.0568|301.752|301.1424",
                       "10|121,92|0,9644||0,7096|610|17|18|299.6184|298.704||297.18"};
}

void TestImports::swmmExamples()
{
    QFETCH(QString, file);
    QFETCH(QStringList, picked);

    QFile model(QDir(QStringLiteral(PROFILARA_SWMM_DATA)).filePath(file));
    if (!model.open(QIODevice::ReadOnly)) {
        // CI has the folder beside the sources and must not skip these.
        if (qEnvironmentVariableIsSet("PROFILARA_REQUIRE_SHARED"))
            QFAIL(qPrintable(QStringLiteral("No %1 in %2.").arg(model.fileName(), QStringLiteral(PROFILARA_SWMM_DATA))));
        QSKIP(qPrintable(QStringLiteral("No %1: the shared folder of SWMM models is missing.").arg(model.fileName())));
    }
    const Shown got = shown(readSwmmModel(model.readAll(), 0.05));
    QCOMPARE(got.refusal, QString());
    QCOMPARE(got.stretches.size(), 13);
    QStringList found;
    for (const QString &stretch : got.stretches)
        if (const QString name = stretch.section(u'|', 0, 0); name == u"1" || name == u"6" || name == u"7" || name == u"10")
            found << stretch;
    QCOMPARE(found, picked);
    QCOMPARE(got.notes, QStringList{"Tratto 10: il nodo 18 non ha la quota del terreno: scrivere P fine."});
    QCOMPARE(got.fromFeet, file.contains(u"-us"));
}

QTEST_GUILESS_MAIN(TestImports)
#include "tst_imports.moc"
