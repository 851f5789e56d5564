#include "takeoff/depthtable.h"
#include "takeoff/numbers.h"
#include "takeoff/sectiondrawing.h"
#include "takeoff/stretches.h"
#include "takeoff/trenchwidth.h"
#include "takeoffsupport.h"

#include <QTest>

// The section along the pipeline: from which depth it holds and where its
// pipe lies, its quantities depth by depth, the stretches of a job and
// their totals per price code, and the trench width of UNI EN 1610, against
// numbers worked out by hand.

class TestPipeline : public QObject
{
    Q_OBJECT

private slots:
    void depthSummary_data();
    void depthSummary();
    void depthTable_data();
    void depthTable();
    void minimumWidth_data();
    void minimumWidth();
    void stretches_data();
    void stretches();
    void stretchesOfTwoSections();
    void itemsOfTheJob();
};

void TestPipeline::depthSummary_data()
{
    QTest::addColumn<QStringList>("areas");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("the worked example: from P 0,50, the pipe 0,20 above the bottom (0,30 fixed less 0,10)")
        << kWorkedExample
        << QStringList{"La sezione vale per P maggiore di 0,50 m.",
                       "Il fondo del tubo è 0,20 m sopra il fondo dello scavo a ogni profondità."};
    QTest::newRow("no *: the quantities hold from P = D down to the section's height")
        << QStringList{"A|1.7|0|0|1"}
        << QStringList{"Le quantità non dipendono da P: il tubo sta nello scavo per P da 0,40 a 1,70 m.",
                       "Con P = 1,50 m il fondo del tubo è 0,20 m sopra il fondo dello scavo."};
    QTest::newRow("no *, a trench lower than the pipe: at no depth")
        << QStringList{"A|0.3|0|0|1"}
        << QStringList{"Le quantità non dipendono da P, ma il tubo (D = 0,40 m) non sta nello scavo, alto 0,30 m, a "
                       "nessuna profondità.",
                       "Con P = 1,50 m il fondo del tubo è 1,20 m sotto il fondo dello scavo."};
    QTest::newRow("the number after * larger than the fixed heights: the pipe below at every depth, no range")
        << QStringList{"A|0.1|0|0", "B|*0.5|0|0"}
        << QStringList{"La sezione non vale a nessuna profondità.",
                       "Il fondo del tubo è 0,40 m sotto il fondo dello scavo a ogni profondità."};
    QTest::newRow("walls closing in above the * area: up to the last millimetre with a top half a millimetre wide")
        << QStringList{"A|0.5|0|0", "B|*0.5|0|-0.2"}
        << QStringList{"La sezione vale per P maggiore di 0,50 e fino a 2,498 m.",
                       "Il fondo del tubo è sul fondo dello scavo a ogni profondità."};
    QTest::newRow("*-1: never a negative P, the pipe's own bound, D, holding")
        << QStringList{"A|0.3|0|0", "B|*-1|0|0"}
        << QStringList{"La sezione vale per P di almeno 0,40 m.",
                       "Il fondo del tubo è 1,30 m sopra il fondo dello scavo a ogni profondità."};
    QTest::newRow("a bottom 0,4 mm wide: the drawing's half a millimetre, no depth")
        << QStringList{"A|0.3|-0.3998|0|0|X", "B|*0.5|0|0|0|Y"}
        << QStringList{"La sezione non può essere disegnata a nessuna profondità."};
    QTest::newRow("a widening that needs depth: the * area's walls must first make room")
        << QStringList{"A|*0.2|0|0.5", "B|0.3|-0.6|0"}
        << QStringList{"La sezione vale per P maggiore di 0,60 m.",
                       "Il fondo del tubo è 0,10 m sopra il fondo dello scavo a ogni profondità."};
    QTest::newRow("values that cannot be drawn at any depth") << QStringList{"A|abc|0|0"}
                                                              << QStringList{"La sezione non può essere disegnata a "
                                                                             "nessuna profondità."};
}

void TestPipeline::depthSummary()
{
    QFETCH(QStringList, areas);
    QFETCH(QStringList, lines);
    QCOMPARE(::depthSummary(TrenchSection(section(areas)), ExampleDimensions{0.80, 1.50, 0.40}), lines);
}

void TestPipeline::depthTable_data()
{
    QTest::addColumn<QStringList>("areas");
    QTest::addColumn<QList<double>>("fromToStep");
    QTest::addColumn<QStringList>("rows");  // the header first
    QTest::addColumn<QStringList>("marks"); // "row, column: why"

    const QString narrow = QStringLiteral("il fondo, largo %1 m, è più stretto");
    QTest::newRow("the worked example from 1,00 to 2,50 by 0,50: the shares differ from 0.5 at every depth")
        << kWorkedExample << QList<double>{1.00, 2.50, 0.50}
        << QStringList{"P (m)|Area 1 (E.01.001)|Area 2 (E.01.002)|Area 3 (E.01.003)|Netto (m³/m)|Profondità scavo "
                       "(m)|Ricoprimento (m)|Larghezza minima UNI EN 1610 (m)",
                       "1,00|0,255|0,547|0,648|1,450|1,20|0,60|1,10", "1,50|0,255|1,257|0,728|2,240|1,70|1,10|1,10",
                       "2,00|0,255|2,067|0,808|3,130|2,20|1,60|1,10", "2,50|0,255|2,977|0,888|4,120|2,70|2,10|1,10"}
        << QStringList{"0, 1: l'area contiene 0,20 del tubo, ma il suo coefficiente di detrazione è «0.5»",
                       "0, 2: l'area contiene 0,80 del tubo, ma il suo coefficiente di detrazione è «0.5»",
                       "0, 7: " + narrow.arg("1,00"),
                       "1, 1: l'area contiene 0,20 del tubo, ma il suo coefficiente di detrazione è «0.5»",
                       "1, 2: l'area contiene 0,80 del tubo, ma il suo coefficiente di detrazione è «0.5»",
                       "1, 7: " + narrow.arg("1,00"),
                       "2, 1: l'area contiene 0,20 del tubo, ma il suo coefficiente di detrazione è «0.5»",
                       "2, 2: l'area contiene 0,80 del tubo, ma il suo coefficiente di detrazione è «0.5»",
                       "2, 7: " + narrow.arg("1,00"),
                       "3, 1: l'area contiene 0,20 del tubo, ma il suo coefficiente di detrazione è «0.5»",
                       "3, 2: l'area contiene 0,80 del tubo, ma il suo coefficiente di detrazione è «0.5»",
                       "3, 7: " + narrow.arg("1,00")};
    QTest::newRow("P less than D, the pipe out of the top: not valid; an area with no price code")
        << QStringList{"A|0.3|0|0|0.5|", "B|*0.2|0.35|0|0.5|V"} << QList<double>{0.25, 0.75, 0.25}
        << QStringList{"P (m)|Area 1|Area 2 (V)|Netto (m³/m)|Profondità scavo (m)|Ricoprimento (m)|Larghezza minima UNI "
                       "EN 1610 (m)",
                       "0,25|non valida|||||", "0,50|0,177|0,387|0,564|0,60|0,10|1,10",
                       "0,75|0,177|0,762|0,939|0,85|0,35|1,10"}
        << QStringList{"1, 6: " + narrow.arg("0,80"), "2, 6: " + narrow.arg("0,80")};
    QTest::newRow("no *: deeper than the section, the pipe's bottom below the trench's: not valid")
        << QStringList{"A|1.7|0|0|1|X"} << QList<double>{1.50, 4.50, 1.50}
        << QStringList{"P (m)|Area 1 (X)|Netto (m³/m)|Profondità scavo (m)|Ricoprimento (m)|Larghezza minima UNI EN 1610 "
                       "(m)",
                       "1,50|1,234|1,234|1,70|1,10|1,10", "3,00|non valida||||", "4,50|non valida||||"}
        << QStringList{"0, 5: " + narrow.arg("0,80")};
    QTest::newRow("the pipe half in each of two areas at 1,50, wholly in area 1 from 1,70: marked there")
        << QStringList{"A|*1.0|0|0|0.5", "B|0.6|0|0|0.5", "C|0.7|0|0|0"} << QList<double>{1.50, 2.50, 1.00}
        << QStringList{"P (m)|Area 1|Area 2|Area 3|Netto (m³/m)|Profondità scavo (m)|Ricoprimento (m)|Larghezza minima "
                       "UNI EN 1610 (m)",
                       "1,50|0,337|0,417|0,560|1,314|1,80|1,10|1,10", "2,50|1,137|0,417|0,560|2,114|2,80|2,10|1,10"}
        << QStringList{"0, 7: " + narrow.arg("0,80"),
                       "1, 1: l'area contiene 1,00 del tubo, ma il suo coefficiente di detrazione è «0.5»",
                       "1, 2: l'area contiene 0,00 del tubo, ma il suo coefficiente di detrazione è «0.5»",
                       "1, 7: " + narrow.arg("0,80")};
    QTest::newRow("too many depths: told") << kWorkedExample << QList<double>{1.00, 3.00, 0.01} << QStringList()
                                           << QStringList();
}

void TestPipeline::depthTable()
{
    QFETCH(QStringList, areas);
    QFETCH(QList<double>, fromToStep);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, marks);

    const DepthSteps steps = depthSteps(fromToStep[0], fromToStep[1], fromToStep[2]);
    if (rows.isEmpty()) {
        QCOMPARE(steps.problem, QStringLiteral("Da 1,00 m a 3,00 m con passo 0,01 m le profondità sarebbero 201: al "
                                               "massimo 200. Aumentare il passo."));
        return;
    }
    const TrenchSection trench(section(areas));
    std::vector<DepthRow> table;
    for (const double P : steps.depths)
        table.push_back(depthRow(trench, {0.80, P, 0.40}));
    QCOMPARE(rowsOf(depthCells(trench, table)), rows);
    QStringList marked;
    for (const MarkedCell &cell : depthMarks(trench, 0.80, table))
        marked << QStringLiteral("%1, %2: %3").arg(cell.row).arg(cell.column).arg(cell.why);
    QCOMPARE(marked, marks);
}

// D (m), the depth (m), tan alfa of area 1: the width and the rule.
void TestPipeline::minimumWidth_data()
{
    QTest::addColumn<double>("D");
    QTest::addColumn<int>("DN"); // 0: none, D in millimetres
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("slope");
    QTest::addColumn<QString>("width");

    // Table 1 at the edges of each size, in a trench too shallow for table 2.
    QTest::newRow("DN 225: D + 0,40") << 0.225 << 0 << 0.9 << 0.0 << "0,625 D + 0,40 m";
    QTest::newRow("DN 226: D + 0,50") << 0.226 << 0 << 0.9 << 0.0 << "0,726 D + 0,50 m";
    QTest::newRow("DN 350: D + 0,50") << 0.350 << 0 << 0.9 << 0.0 << "0,850 D + 0,50 m";
    QTest::newRow("DN 351: D + 0,70") << 0.351 << 0 << 0.9 << 0.0 << "1,051 D + 0,70 m";
    QTest::newRow("DN 700: D + 0,70") << 0.700 << 0 << 0.9 << 0.0 << "1,400 D + 0,70 m";
    QTest::newRow("DN 701: D + 0,85") << 0.701 << 0 << 0.9 << 0.0 << "1,551 D + 0,85 m";
    QTest::newRow("DN 1200: D + 0,85") << 1.200 << 0 << 0.9 << 0.0 << "2,050 D + 0,85 m";
    QTest::newRow("DN 1201: D + 1,00") << 1.201 << 0 << 0.9 << 0.0 << "2,201 D + 1,00 m";
    QTest::newRow("walls at 60° from the horizontal: D + 0,40 at any size") << 1.201 << 0 << 0.9 << 0.577 << "1,601 D + 0,40 m";
    QTest::newRow("walls a little steeper: the size's own") << 1.201 << 0 << 0.9 << 0.57 << "2,201 D + 1,00 m";
    // Table 2 at its edges, with a small pipe.
    QTest::newRow("0,99 m deep: no minimum of its own") << 0.1 << 0 << 0.99 << 0.0 << "0,500 D + 0,40 m";
    QTest::newRow("1,00 m deep: 0,80") << 0.1 << 0 << 1.00 << 0.0 << "0,800 per la profondità";
    QTest::newRow("1,75 m deep: 0,80") << 0.1 << 0 << 1.75 << 0.0 << "0,800 per la profondità";
    QTest::newRow("1,76 m deep: 0,90") << 0.1 << 0 << 1.76 << 0.0 << "0,900 per la profondità";
    QTest::newRow("4,00 m deep: 0,90") << 0.1 << 0 << 4.00 << 0.0 << "0,900 per la profondità";
    QTest::newRow("4,01 m deep: 1,00") << 0.1 << 0 << 4.01 << 0.0 << "1,000 per la profondità";
    QTest::newRow("the larger of the two: the pipe's") << 0.4 << 0 << 4.01 << 0.0 << "1,100 D + 0,70 m";
    // DN apart from D: ductile iron and concrete, whose D is well above DN.
    QTest::newRow("DN 350, D 0,378: D + 0,50 by its DN") << 0.378 << 350 << 1.70 << 0.0 << "0,878 D + 0,50 m";
    QTest::newRow("DN 700, D 0,84: D + 0,70 by its DN") << 0.84 << 700 << 1.70 << 0.0 << "1,540 D + 0,70 m";
}

void TestPipeline::minimumWidth()
{
    QFETCH(double, D);
    QFETCH(int, DN);
    QFETCH(double, depth);
    QFETCH(double, slope);
    QFETCH(QString, width);
    const MinimumWidth minimum = minimumTrenchWidth(D, DN > 0 ? std::optional(DN) : std::nullopt, depth, slope);
    QCOMPARE(italianNumber(minimum.width, 3) + u' ' + minimum.rule(), width);
}

void TestPipeline::stretches_data()
{
    QTest::addColumn<QStringList>("areas");
    QTest::addColumn<QStringList>("given"); // name|length|start|end[|D|DN|section]
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("totals");
    QTest::addColumn<QStringList>("problems");

    const QString typed = QStringLiteral("Tratto|Lunghezza (m)|P inizio (m)|P fine (m)|D (m)|DN|Sezione|");
    const QString header = typed + QStringLiteral("E.01.001 (m³)|E.01.002 (m³)|E.01.003 (m³)|Netto (m³)|Note");
    const QString worked = QStringLiteral("l'area %1 contiene %2 del tubo, ma il suo coefficiente di detrazione è «0.5».");
    const QString uni = QStringLiteral("con D = 0,40 m e uno scavo profondo %1 m (a P = %2 m), UNI EN 1610 chiede un "
                                       "fondo largo almeno 1,10 m (D + 0,70 m): il fondo è largo %3 m.");
    QTest::newRow("the worked example: two stretches, P varying along each; what the pipe contradicts named")
        << kWorkedExample << QStringList{"P1-P2|40|1.20|1.80", "P2-P3|35,50|1,80|2,6"}
        << QStringList{header, "P1-P2|40,00|1,20|1,80||||10,207|50,527|29,120|89,853|",
                       "P2-P3|35,50|1,80|2,60||||9,058|86,259|29,820|125,138|",
                       "Totale|75,50||||||19,265|136,786|58,940|214,991|"}
        << QStringList{"Voce|Descrizione|Unità|Quantità", "E.01.001|SABBIA|m³|19,265", "E.01.002|RINTERRO|m³|136,786",
                       "E.01.003|PAVIMENTAZIONE|m³|58,940"}
        << QStringList{"Tratto P1-P2: a P = 1,80 m " + worked.arg(1).arg("0,20"),
                       "Tratto P1-P2: a P = 1,80 m " + worked.arg(2).arg("0,80"),
                       "Tratto P1-P2: " + uni.arg("2,00", "1,80", "1,00"),
                       "Tratto P2-P3: a P = 2,60 m " + worked.arg(1).arg("0,20"),
                       "Tratto P2-P3: a P = 2,60 m " + worked.arg(2).arg("0,80"),
                       "Tratto P2-P3: " + uni.arg("2,80", "2,60", "1,00")};
    const QString matching = QStringLiteral("A|1.7|0|0|1|X");
    QTest::newRow("stretches left out: depths the pipe leaves the trench at, not numbers, no length; an empty row")
        << QStringList{matching}
        << QStringList{"T1|10|1,50|5,00", "T2|20|0,30|1,00", "|||", "|abc|1|2", "P5|0|1|1", "P6|5|1|1|0|",
                       "P7|5|1|1||3.5"}
        << QStringList{typed + "X (m³)|Netto (m³)|Note", "T1|10|1,50|5,00||||||escluso dai totali",
                       "T2|20|0,30|1,00||||||escluso dai totali", "4|abc|1|2||||||escluso dai totali",
                       "P5|0|1|1||||||escluso dai totali", "P6|5|1|1|0|||||escluso dai totali",
                       "P7|5|1|1||3.5||||escluso dai totali", "Totale|0,00||||||0,000|0,000|"}
        << QStringList{"Voce|Descrizione|Unità|Quantità", "X|A|m³|0,000"}
        << QStringList{"Tratto T1: con P = 5,00 m il fondo del tubo è sotto il fondo dello scavo.",
                       "Tratto T2: con P = 0,30 m il tubo esce dallo scavo (P minore di D = 0,40 m).",
                       "Tratto 4: il valore «abc» di Lunghezza (m) non è un numero.",
                       "Tratto P5: la lunghezza deve essere maggiore di zero.",
                       "Tratto P6: il valore «0» di D (m) non è un diametro in metri.",
                       "Tratto P7: il valore «3.5» di DN non è un numero intero di millimetri."};
    QTest::newRow("P below the range of the * area: the range said")
        << kWorkedExample << QStringList{"P3-P4|20|0.40|1.20"}
        << QStringList{header, "P3-P4|20|0.40|1.20||||||||escluso dai totali", "Totale|0,00||||||0,000|0,000|0,000|0,000|"}
        << QStringList{"Voce|Descrizione|Unità|Quantità", "E.01.001|SABBIA|m³|0,000", "E.01.002|RINTERRO|m³|0,000",
                       "E.01.003|PAVIMENTAZIONE|m³|0,000"}
        << QStringList{"Tratto P3-P4: con P = 0,40 m la sezione non vale (vale per P maggiore di 0,50 m)."};
    QTest::newRow("the pipe moving from half in area 1 to wholly in it along a stretch: named at its end")
        << QStringList{"A|*1.0|0|0|0.5", "B|0.6|0|0|0.5", "C|0.7|0|0|0"}
        << QStringList{"P1-P2|10|1,50|2,50"}
        << QStringList{typed + "(senza voce) (m³)|Netto (m³)|Note", "P1-P2|10,00|1,50|2,50||||17,143|17,143|",
                       "Totale|10,00||||||17,143|17,143|"}
        << QStringList{"Voce|Descrizione|Unità|Quantità", "(senza voce)|A|m³|17,143"}
        << QStringList{"Tratto P1-P2: a P = 2,50 m l'area 1 contiene 1,00 del tubo, ma il suo coefficiente di "
                       "detrazione è «0.5».",
                       "Tratto P1-P2: a P = 2,50 m l'area 2 contiene 0,00 del tubo, ma il suo coefficiente di "
                       "detrazione è «0.5».",
                       "Tratto P1-P2: " + uni.arg("2,80", "2,50", "0,80")};
    QTest::newRow("coefficients that hold all along a stretch within area 1, a bottom DN 300 is content with")
        << QStringList{"A|*1.0|0.1|0|1", "B|0.6|0|0|0", "C|0.7|0|0|0"} << QStringList{"P1-P2|10|1,80|2,50||300"}
        << QStringList{typed + "(senza voce) (m³)|Netto (m³)|Note", "P1-P2|10,00|1,80|2,50||300||23,243|23,243|",
                       "Totale|10,00||||||23,243|23,243|"}
        << QStringList{"Voce|Descrizione|Unità|Quantità", "(senza voce)|A|m³|23,243"} << QStringList();
    QTest::newRow("a net volume below zero is told, the stretch counted; a length too long is left out")
        << QStringList{"A|0.5|0|0|5|V"} << QStringList{"P1|10|0,45|0,45", "P2|1000000|1|1"}
        << QStringList{typed + "V (m³)|Netto (m³)|Note", "P1|10,00|0,45|0,45||||-2,283|-2,283|",
                       "P2|1000000|1|1||||||escluso dai totali", "Totale|10,00||||||-2,283|-2,283|"}
        << QStringList{"Voce|Descrizione|Unità|Quantità", "V|A|m³|-2,283"}
        << QStringList{"Tratto P1: a P = 0,45 m l'area 1 contiene 1,00 del tubo, ma il suo coefficiente di detrazione "
                       "è «5».",
                       "Tratto P1: " + uni.arg("0,50", "0,45", "0,80"),
                       "Tratto P1: il volume netto dell'area 1 risulta negativo (-2,283 m³): la detrazione del tubo "
                       "supera il volume dell'area.",
                       "Tratto P2: la lunghezza «1000000» è troppo grande."};
}

void TestPipeline::stretches()
{
    QFETCH(QStringList, areas);
    QFETCH(QStringList, given);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, totals);
    QFETCH(QStringList, problems);

    std::vector<Stretch> stretches;
    for (const QString &line : given)
        stretches.push_back(stretchOf(line));
    const TrenchSection trench(section(areas));
    const StretchTakeoff takeoff = stretchTakeoff(trench, 0.80, {0.40, {}}, stretches);
    QCOMPARE(rowsOf(stretchCells(takeoff)), rows);
    QCOMPARE(rowsOf(codeTotalCells(takeoff)), totals);
    QCOMPARE(takeoff.problemLines(), problems);
}

// A job whose second stretch has its own pipe and section: one column per
// price code, in the order they are first met, each code summed over both
// sections; a section that cannot be read leaves its stretch out.
void TestPipeline::stretchesOfTwoSections()
{
    const TrenchSection edited(section(kWorkedExample));
    const TrenchSection verde(section({"SABBIA|0.30|0.10|0.2|0.5|E.01.001", "RINTERRO|*0.40|0|0.2|0.5|E.01.002",
                                       "TERRENO VEGETALE|0.30|0.15|0|0|E.01.004"}));
    const SectionFinder find = [&](const QString &file) -> std::variant<const TrenchSection *, QString> {
        if (file.isEmpty())
            return &edited;
        if (file == u"verde.txt")
            return &verde;
        return QStringLiteral("il file non esiste.");
    };
    const StretchTakeoff takeoff =
        stretchTakeoff(edited, 0.80, {0.40, {}},
                       {stretchOf("P1-P2|40,00|1,20|1,80"), stretchOf("P3-P4|30,00|1,50|2,00|0,50|500|verde.txt"),
                        stretchOf("P5-P6|10|1,50|1,50|||giallo.txt")},
                       find);
    QCOMPARE(rowsOf(stretchCells(takeoff)),
             QStringList({"Tratto|Lunghezza (m)|P inizio (m)|P fine (m)|D (m)|DN|Sezione|E.01.001 (m³)|E.01.002 "
                          "(m³)|E.01.003 (m³)|E.01.004 (m³)|Netto (m³)|Note",
                          "P1-P2|40,00|1,20|1,80||||10,207|50,527|29,120||89,853|",
                          "P3-P4|30,00|1,50|2,00|0,50|500|verde.txt|6,595|53,475||17,640|77,710|",
                          "P5-P6|10|1,50|1,50|||giallo.txt||||||escluso dai totali",
                          "Totale|70,00||||||16,801|104,001|29,120|17,640|167,563|"}));
    QCOMPARE(rowsOf(codeTotalCells(takeoff)),
             QStringList({"Voce|Descrizione|Unità|Quantità", "E.01.001|SABBIA|m³|16,801", "E.01.002|RINTERRO|m³|104,001",
                          "E.01.003|PAVIMENTAZIONE|m³|29,120", "E.01.004|TERRENO VEGETALE|m³|17,640"}));
    QCOMPARE(takeoff.problemLines().last(),
             QStringLiteral("Tratto P5-P6: la sezione «giallo.txt» non si legge: il file non esiste."));
    const QString worked = QStringLiteral("l'area %1 contiene %2 del tubo, ma il suo coefficiente di detrazione è «0.5».");
    QCOMPARE(takeoff.problemLines(),
             QStringList({"Tratto P1-P2: a P = 1,80 m " + worked.arg(1).arg("0,20"),
                          "Tratto P1-P2: a P = 1,80 m " + worked.arg(2).arg("0,80"),
                          "Tratto P1-P2: con D = 0,40 m e uno scavo profondo 2,00 m (a P = 1,80 m), UNI EN 1610 chiede "
                          "un fondo largo almeno 1,10 m (D + 0,70 m): il fondo è largo 1,00 m.",
                          "Tratto P3-P4: a P = 2,00 m " + worked.arg("1 della sezione «verde.txt»").arg("0,14"),
                          "Tratto P3-P4: a P = 2,00 m " + worked.arg("2 della sezione «verde.txt»").arg("0,86"),
                          "Tratto P3-P4: con DN 500, D = 0,50 m e uno scavo profondo 2,20 m (a P = 2,00 m, sezione "
                          "«verde.txt»), UNI EN 1610 chiede un fondo largo almeno 1,20 m (D + 0,70 m): il fondo è "
                          "largo 1,00 m.",
                          "Tratto P5-P6: la sezione «giallo.txt» non si legge: il file non esiste."}));
}

// The job's own items over the worked examples' stretches: each one's
// column and total, with its unit; an item refused is named and measures
// nothing.
void TestPipeline::itemsOfTheJob()
{
    const TrenchSection upright(section(kUprightExample));
    std::vector<PriceItem> items = itemsOf(kWorkedItems);
    items.push_back({"E.99", "Nulla", "Rinterro", "", "", ""});
    items.push_back({"A", "Già un'area", "Taglio", "", "", ""});
    const StretchTakeoff takeoff =
        stretchTakeoff(upright, 0.80, {0.40, {}}, {stretchOf("T1|50,00|1,20|2,20")}, {}, items);
    QCOMPARE(rowsOf(stretchCells(takeoff)).mid(0, 2),
             QStringList({"Tratto|Lunghezza (m)|P inizio (m)|P fine (m)|D (m)|DN|Sezione|A (m³)|B (m³)|C (m³)|D "
                          "(m³)|Netto (m³)|E.02.030.a (m³)|E.02.030.b (m³)|E.02.030.c (m³)|E.05.010 (m²)|E.08.001 "
                          "(m²)|E.08.002 (m)|E.10.001 (m)|Note",
                          "T1|50,00|1,20|2,20||||4,000|17,717|32,000|12,000|65,717|59,200|12,800|0,000|152,000|50,000|"
                          "100,000|50,000|"}));
    QCOMPARE(rowsOf(codeTotalCells(takeoff)).mid(5),
             QStringList({"E.02.030.a|Scavo a sezione obbligata fino a 1,50 m|m³|59,200",
                          "E.02.030.b|Scavo a sezione obbligata da 1,50 a 3,00 m|m³|12,800",
                          "E.02.030.c|Sovrapprezzo per scavo oltre 3,00 m|m³|0,000",
                          "E.05.010|Armatura delle pareti dello scavo|m²|152,000",
                          "E.08.001|Demolizione e ripristino della pavimentazione|m²|50,000",
                          "E.08.002|Taglio della pavimentazione|m|100,000", "E.10.001|Posa della tubazione|m|50,000"}));
    QCOMPARE(takeoff.itemProblems,
             QStringList({"Voce 8 (E.99): «Misura» deve essere Scavo, Armatura, Pavimentazione, Taglio o Tubazione.",
                          "Voce 9 (A): il codice è già di un'altra voce o di un'area della sezione."}));

    // The sloped walls: the bands together the areas' gross volumes.
    const TrenchSection sloped(section(kWorkedExample));
    const StretchTakeoff second =
        stretchTakeoff(sloped, 0.80, {0.40, {}}, {stretchOf("P1-P2|40,00|1,20|1,80")}, {}, itemsOf(kWorkedItems));
    QCOMPARE(rowsOf(stretchCells(second)).at(1).section(u'|', 11),
             QStringLiteral("85,991|8,889|0,000|116,667|80,800|80,000|40,000|"));
}

QTEST_GUILESS_MAIN(TestPipeline)
#include "tst_pipeline.moc"
