#include "takeoff/xpwe.h"
#include "takeoffsupport.h"

#include <QFile>
#include <QTest>
#include <QXmlStreamReader>

// The stretches' quantities as an XPWE computo: the worked example's file
// byte for byte (the one LeenO was seen to read as we meant it, see
// tests/leeno/), and what the file holds when stretches or areas are left
// out, codes are shared and descriptions hold XML's own characters.

namespace {

StretchTakeoff takeoffOf(const QStringList &given, const TrenchSection &section)
{
    std::vector<Stretch> stretches;
    for (const QString &line : given) {
        stretches.push_back(stretchOf(line));
    }
    return stretchTakeoff(section, 0.80, {0.40, {}}, stretches);
}

// What a reader finds in the file, a line each: the subject, the
// categories, the price items, then each item of the computo with its
// measurement rows ("description = factor, quantity").
QStringList readComputo(const QByteArray &bytes)
{
    QStringList lines;
    QXmlStreamReader xml(bytes);
    QString row;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        const QString name = xml.name().toString();
        if (name == u"Oggetto")
            lines << QStringLiteral("Oggetto: ") + xml.readElementText();
        else if (name == u"DesSintetica")
            lines << QStringLiteral("Categoria: ") + xml.readElementText();
        else if (name == u"Tariffa")
            lines << QStringLiteral("Voce: ") + xml.readElementText();
        else if (name == u"DesEstesa")
            lines.last() += u' ' + xml.readElementText();
        else if (name == u"IDEP")
            lines << QStringLiteral("Misura della voce ") + xml.readElementText();
        else if (name == u"IDCat")
            lines.last() += QStringLiteral(" nel tratto ") + xml.readElementText();
        else if (name == u"Descrizione")
            row = xml.readElementText();
        else if (name == u"Lunghezza")
            row += QStringLiteral(" = ") + xml.readElementText();
        else if (name == u"Quantita" && !row.isEmpty())
            lines << QStringLiteral("  ") + std::exchange(row, {}) + QStringLiteral(", ") + xml.readElementText();
    }
    return lines;
}

} // namespace

class TestXpwe : public QObject
{
    Q_OBJECT

private slots:
    void workedExampleByteForByte();
    void itemsOfTheWorkedExamples();
    void whatTheFileHolds_data();
    void whatTheFileHolds();
    void nothingToExport_data();
    void nothingToExport();
};

void TestXpwe::workedExampleByteForByte()
{
    const TrenchSection section(::section(kWorkedExample));
    const XpweComputo computo = xpweComputo(
        takeoffOf({"P1-P2|40|1,20|1,80", "P2-P3|35,50|1,80|2,60"}, section), QStringLiteral("Fognatura via Roma"));
    QFile expected(QStringLiteral(PROFILARA_TAKEOFF_DATA "/worked-example.xpwe"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(computo.bytes, expected.readAll());
    QCOMPARE(xpweLeftOut(computo), QString());
}

// The job's items over the worked examples' two stretches, each with its
// own section: a price item each with its unit, a row each a stretch, as
// one expression (the file LeenO reads, tests/leeno/).
void TestXpwe::itemsOfTheWorkedExamples()
{
    const TrenchSection sloped(::section(kWorkedExample));
    const TrenchSection upright(::section(kUprightExample));
    const SectionFinder find = [&](const QString &file) -> std::variant<const TrenchSection *, QString> {
        return file.isEmpty() ? &sloped : &upright;
    };
    const StretchTakeoff takeoff =
        stretchTakeoff(sloped, 0.80, {0.40, {}},
                       {stretchOf("P1-P2|40,00|1,20|1,80"), stretchOf("T1|50,00|1,20|2,20|||verticale.txt")}, find,
                       itemsOf(kWorkedItems));
    const XpweComputo computo = xpweComputo(takeoff, QStringLiteral("Fognatura via Roma"));
    if (qEnvironmentVariableIsSet("PROFILARA_WRITE_XPWE")) {
        QFile written(qEnvironmentVariable("PROFILARA_WRITE_XPWE"));
        QVERIFY(written.open(QIODevice::WriteOnly) && written.write(computo.bytes) == computo.bytes.size());
    }
    const QStringList lines = readComputo(computo.bytes);
    for (const QString &expected :
         {QStringLiteral("Voce: E.02.030.a Scavo a sezione obbligata fino a 1,50 m"),
          QStringLiteral("  Tratto P1-P2 – scavo fino a 1,50 m: 40,00 m × 2,1498 m² = 40.00*2.149778, 85.99112"),
          QStringLiteral("  Tratto P1-P2 – scavo da 1,50 a 3,00 m: 40,00 m × 0,2222 m² = 40.00*0.222222, 8.88888"),
          QStringLiteral("  Tratto P1-P2 – pareti armate oltre 1,50 m: 2 × 33,33 m × 1,7500 m = 2*33.333333*1.750000, "
                         "116.666667"),
          QStringLiteral("  Tratto P1-P2 – pavimentazione: 40,00 m × 2,0200 m = 40.00*2.020000, 80.8"),
          QStringLiteral("  Tratto P1-P2 – taglio: 2 × 40,00 m = 2*40.00, 80"),
          QStringLiteral("  Tratto P1-P2 – tubazione: 40,00 m = 40.00, 40"),
          QStringLiteral("  Tratto T1 – scavo fino a 1,50 m: 50,00 m × 1,1840 m² = 50.00*1.184000, 59.2"),
          QStringLiteral("  Tratto T1 – pareti armate oltre 1,50 m: 2 × 40,00 m × 1,9000 m = 2*40.00*1.900000, 152"),
          QStringLiteral("  Area 2 – RINFIANCO (verticale.txt): 50,00 m × 0,4800 m² = 50.00*0.480000, 24")})
        QVERIFY2(lines.contains(expected), qPrintable(expected + QStringLiteral("\nnot in:\n") + lines.join(u'\n')));
    QVERIFY(!lines.contains(QStringLiteral("Misura della voce 10 nel tratto 2"))); // scavo oltre 3,00: nothing
    QFile expected(QStringLiteral(PROFILARA_TAKEOFF_DATA "/items-example.xpwe"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(computo.bytes, expected.readAll());
}

void TestXpwe::whatTheFileHolds_data()
{
    QTest::addColumn<QStringList>("areas");
    QTest::addColumn<QStringList>("stretches");
    QTest::addColumn<QStringList>("read");
    QTest::addColumn<QString>("leftOut");

    QTest::newRow("a stretch out of the valid depths is left out, and told")
        << QStringList{"SABBIA|0.30|0|0|0|E.1", "RINTERRO|*0.20|0|0|0|E.2"}
        << QStringList{"P1-P2|10|1,00|1,00", "P2-P3|20|0,30|1,00"}
        << QStringList{"Categoria: P1-P2", "Voce: E.1 SABBIA", "Voce: E.2 RINTERRO", "Misura della voce 1 nel tratto 1",
                       "  Area 1 – SABBIA: 10,00 m × 0,2400 m² = 10.00*0.240000, 2.4",
                       "Misura della voce 2 nel tratto 1",
                       "  Area 2 – RINTERRO: 10,00 m × 0,6400 m² = 10.00*0.640000, 6.4"}
        << "Il file è stato scritto senza il tratto P2-P3, escluso dai totali.";
    QTest::newRow("two areas with one code: one item, a row each; the deduction a negative row")
        << QStringList{"SABBIA|0.30|0|0|0.5|E.1", "SABBIA FINE|0.20|0|0|0|E.1"} << QStringList{"A|10|0,45|0,45"}
        << QStringList{"Categoria: A", "Voce: E.1 SABBIA", "Misura della voce 1 nel tratto 1",
                       "  Area 1 – SABBIA: 10,00 m × 0,2400 m² = 10.00*0.240000, 2.4",
                       "  Area 1 – a detrarre tubo: 10,00 m × 0,0628 m² = 10.00*0.062832, -0.62832",
                       "  Area 2 – SABBIA FINE: 10,00 m × 0,1600 m² = 10.00*0.160000, 1.6"}
        << "";
    QTest::newRow("an area with no price code is left out, and told")
        << QStringList{"SABBIA|0.30|0|0|0|E.1", "RINFIANCO|0.20|0|0|0|"} << QStringList{"A|12.5|0,45|0,45"}
        << QStringList{"Categoria: A", "Voce: E.1 SABBIA", "Misura della voce 1 nel tratto 1",
                       "  Area 1 – SABBIA: 12,50 m × 0,2400 m² = 12.50*0.240000, 3"}
        << "Il file è stato scritto senza l'area 2, che non ha una voce di elenco prezzi.";
    QTest::newRow("a coefficient that is no number: its code left out, and told; a code with nothing to measure, no item")
        << QStringList{"SABBIA|0.30|0|0|abc|E.1", "GHIAIA|0.20|0|0|0|E.2", "VUOTO|0|0|0|0|E.3"}
        << QStringList{"A|10|0,45|0,45"}
        << QStringList{"Categoria: A", "Voce: E.2 GHIAIA", "Voce: E.3 VUOTO", "Misura della voce 1 nel tratto 1",
                       "  Area 2 – GHIAIA: 10,00 m × 0,1600 m² = 10.00*0.160000, 1.6"}
        << "Il file è stato scritto senza la voce E.1 (un coefficiente di detrazione non è un numero).";
    QTest::newRow("control characters, which XML cannot hold, written as blanks, and told")
        << QStringList{"SABBIA\x01" "FINE|1.00|0|0|1|E.1\t" "2"} << QStringList{"P1\x1b" "P2|5|0,50|0,50"}
        << QStringList{"Categoria: P1 P2", "Voce: E.1 2 SABBIA FINE", "Misura della voce 1 nel tratto 1",
                       "  Area 1 – SABBIA FINE: 5,00 m × 0,8000 m² = 5.00*0.800000, 4",
                       "  Area 1 – a detrarre tubo: 5,00 m × 0,1257 m² = 5.00*0.125664, -0.62832"}
        << "I caratteri di controllo nei testi sono stati scritti come spazi.";
    QTest::newRow("XML's own characters and an accent, as they are")
        << QStringList{"Sabbia & ghiaia <fine> à|0.50|0|0|0|E.1 & \"2\""} << QStringList{"Via Garibaldi & C.|5|0,45|0,45"}
        << QStringList{"Categoria: Via Garibaldi & C.", "Voce: E.1 & \"2\" Sabbia & ghiaia <fine> à",
                       "Misura della voce 1 nel tratto 1",
                       "  Area 1 – Sabbia & ghiaia <fine> à: 5,00 m × 0,4000 m² = 5.00*0.400000, 2"}
        << "";
}

void TestXpwe::whatTheFileHolds()
{
    QFETCH(QStringList, areas);
    QFETCH(QStringList, stretches);
    QFETCH(QStringList, read);
    QFETCH(QString, leftOut);

    const TrenchSection section(::section(areas));
    const bool controls = QString::fromLatin1(QTest::currentDataTag()).startsWith(u"control");
    const XpweComputo computo =
        xpweComputo(takeoffOf(stretches, section), controls ? QStringLiteral("Lavoro &\x07" "C.") : QStringLiteral("Lavoro & C."));
    QStringList lines = readComputo(computo.bytes);
    QVERIFY(!lines.isEmpty());
    QCOMPARE(lines.takeFirst(), QStringLiteral("Oggetto: Lavoro & C.")); // the control character a blank
    QCOMPARE(lines.join(u'\n'), read.join(u'\n'));
    QCOMPARE(xpweLeftOut(computo), leftOut);
}

// When no file is written, the window says the real reason.
void TestXpwe::nothingToExport_data()
{
    QTest::addColumn<QStringList>("areas");
    QTest::addColumn<QStringList>("stretches");
    QTest::addColumn<QString>("why");

    QTest::newRow("no stretch") << QStringList{"SABBIA|0.30|0|0|0|E.1"} << QStringList()
                                << "Nessun tratto da esportare.";
    QTest::newRow("every stretch left out") << QStringList{"SABBIA|1.00|0|0|0|E.1"} << QStringList{"P1|10|0,30|0,50"}
                                            << "Nessun tratto da esportare: il tratto P1 è escluso dai totali.";
    QTest::newRow("every code of an area whose coefficient is no number")
        << QStringList{"SABBIA|1.00|0|0|abc|E.1", "GHIAIA|0.20|0|0|x|E.1"} << QStringList{"P1|10|0,50|0,50"}
        << "Nessun tratto da esportare: la voce E.1 ha un coefficiente di detrazione che non è un numero.";
    QTest::newRow("no area with a price code")
        << QStringList{"SABBIA|1.00|0|0|1|", "GHIAIA|0.20|0|0|0|"} << QStringList{"P1|10|0,50|0,50"}
        << "Nessun tratto da esportare: le aree 1, 2 non hanno una voce di elenco prezzi.";
}

void TestXpwe::nothingToExport()
{
    QFETCH(QStringList, areas);
    QFETCH(QStringList, stretches);
    QFETCH(QString, why);

    const TrenchSection section(::section(areas));
    const XpweComputo computo = xpweComputo(takeoffOf(stretches, section), QStringLiteral("Lavoro"));
    QVERIFY(computo.isEmpty());
    QCOMPARE(xpweNothing(computo), why);
}

QTEST_GUILESS_MAIN(TestXpwe)
#include "tst_xpwe.moc"
