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
};

void TestPipeline::depthSummary_data()
{
    QTest::addColumn<QStringList>("areas");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("the worked example: from P 0,50, the pipe 0,20 above the bottom (0,30 fixed less 0,10)")
        << kWorkedExample
        << QStringList{"La sezione vale per P maggiore di 0,50 m.",
                       "Il fondo del tubo è 0,20 m sopra il fondo dello scavo a ogni profondità."};
    QTest::newRow("no *: the quantities hold at any P, the pipe placed at the example P")
        << QStringList{"A|1.7|0|0|1"}
        << QStringList{"Le quantità non dipendono da P.",
                       "Con P = 1,50 m il fondo del tubo è 0,20 m sopra il fondo dello scavo."};
    QTest::newRow("the number after * larger than the fixed heights: the pipe below at every depth")
        << QStringList{"A|0.1|0|0", "B|*0.5|0|0"}
        << QStringList{"La sezione vale per P maggiore di 0,50 m.",
                       "Il fondo del tubo è 0,40 m sotto il fondo dello scavo a ogni profondità."};
    QTest::newRow("walls closing in above the * area: the section holds up to a depth as well")
        << QStringList{"A|0.5|0|0", "B|*0.5|0|-0.2"}
        << QStringList{"La sezione vale per P tra 0,50 e 2,50 m.",
                       "Il fondo del tubo è sul fondo dello scavo a ogni profondità."};
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
    QTest::addColumn<QStringList>("rows"); // the header first
    QTest::addColumn<QList<int>>("narrow"); // the rows whose bottom is narrower than UNI EN 1610 asks

    QTest::newRow("the worked example from 1,00 to 2,50 by 0,50")
        << kWorkedExample << QList<double>{1.00, 2.50, 0.50}
        << QStringList{"P (m)|Area 1 (E.01.001)|Area 2 (E.01.002)|Area 3 (E.01.003)|Netto (m³/m)|Profondità scavo "
                       "(m)|Ricoprimento (m)|Larghezza minima UNI EN 1610 (m)",
                       "1,00|0,255|0,547|0,648|1,450|1,20|0,60|1,10", "1,50|0,255|1,257|0,728|2,240|1,70|1,10|1,10",
                       "2,00|0,255|2,067|0,808|3,130|2,20|1,60|1,10", "2,50|0,255|2,977|0,888|4,120|2,70|2,10|1,10"}
        << QList<int>{0, 1, 2, 3};
    QTest::newRow("below the range: not valid; an area with no price code")
        << QStringList{"A|0.3|0|0|0|", "B|*0.5|0.35|0|0|V"} << QList<double>{0.25, 0.75, 0.25}
        << QStringList{"P (m)|Area 1|Area 2 (V)|Netto (m³/m)|Profondità scavo (m)|Ricoprimento (m)|Larghezza minima UNI "
                       "EN 1610 (m)",
                       "0,25|non valida|||||", "0,50|non valida|||||", "0,75|0,240|0,375|0,615|0,55|0,35|1,10"}
        << QList<int>{2};
    QTest::newRow("too many depths: told") << kWorkedExample << QList<double>{1.00, 3.00, 0.01} << QStringList()
                                           << QList<int>();
}

void TestPipeline::depthTable()
{
    QFETCH(QStringList, areas);
    QFETCH(QList<double>, fromToStep);
    QFETCH(QStringList, rows);
    QFETCH(QList<int>, narrow);

    const DepthSteps steps = depthSteps(fromToStep[0], fromToStep[1], fromToStep[2]);
    if (rows.isEmpty()) {
        QCOMPARE(steps.problem, QStringLiteral("Da 1,00 m a 3,00 m con passo 0,01 m le profondità sarebbero 201: al "
                                               "massimo 200. Aumentare il passo."));
        return;
    }
    const TrenchSection trench(section(areas));
    std::vector<DepthRow> table;
    QList<int> narrowRows;
    for (const double P : steps.depths) {
        table.push_back(depthRow(trench, {0.80, P, 0.40}));
        if (table.back().narrow)
            narrowRows << int(table.size()) - 1;
    }
    QCOMPARE(rowsOf(depthCells(trench, table)), rows);
    QCOMPARE(narrowRows, narrow);
}

// D (m), the depth (m), tan alfa of area 1: the width and the rule.
void TestPipeline::minimumWidth_data()
{
    QTest::addColumn<double>("D");
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("slope");
    QTest::addColumn<QString>("width");

    // Table 1 at the edges of each size, in a trench too shallow for table 2.
    QTest::newRow("DN 225: D + 0,40") << 0.225 << 0.9 << 0.0 << "0,625 D + 0,40 m";
    QTest::newRow("DN 226: D + 0,50") << 0.226 << 0.9 << 0.0 << "0,726 D + 0,50 m";
    QTest::newRow("DN 350: D + 0,50") << 0.350 << 0.9 << 0.0 << "0,850 D + 0,50 m";
    QTest::newRow("DN 351: D + 0,70") << 0.351 << 0.9 << 0.0 << "1,051 D + 0,70 m";
    QTest::newRow("DN 700: D + 0,70") << 0.700 << 0.9 << 0.0 << "1,400 D + 0,70 m";
    QTest::newRow("DN 701: D + 0,85") << 0.701 << 0.9 << 0.0 << "1,551 D + 0,85 m";
    QTest::newRow("DN 1200: D + 0,85") << 1.200 << 0.9 << 0.0 << "2,050 D + 0,85 m";
    QTest::newRow("DN 1201: D + 1,00") << 1.201 << 0.9 << 0.0 << "2,201 D + 1,00 m";
    QTest::newRow("walls at 60° from the horizontal: D + 0,40 at any size") << 1.201 << 0.9 << 0.577 << "1,601 D + 0,40 m";
    QTest::newRow("walls a little steeper: the size's own") << 1.201 << 0.9 << 0.57 << "2,201 D + 1,00 m";
    // Table 2 at its edges, with a small pipe.
    QTest::newRow("0,99 m deep: no minimum of its own") << 0.1 << 0.99 << 0.0 << "0,500 D + 0,40 m";
    QTest::newRow("1,00 m deep: 0,80") << 0.1 << 1.00 << 0.0 << "0,800 per la profondità";
    QTest::newRow("1,75 m deep: 0,80") << 0.1 << 1.75 << 0.0 << "0,800 per la profondità";
    QTest::newRow("1,76 m deep: 0,90") << 0.1 << 1.76 << 0.0 << "0,900 per la profondità";
    QTest::newRow("4,00 m deep: 0,90") << 0.1 << 4.00 << 0.0 << "0,900 per la profondità";
    QTest::newRow("4,01 m deep: 1,00") << 0.1 << 4.01 << 0.0 << "1,000 per la profondità";
    QTest::newRow("the larger of the two: the pipe's") << 0.4 << 4.01 << 0.0 << "1,100 D + 0,70 m";
}

void TestPipeline::minimumWidth()
{
    QFETCH(double, D);
    QFETCH(double, depth);
    QFETCH(double, slope);
    QFETCH(QString, width);
    const MinimumWidth minimum = minimumTrenchWidth(D, depth, slope);
    QCOMPARE(italianNumber(minimum.width, 3) + u' ' + minimum.rule(), width);
}

void TestPipeline::stretches_data()
{
    QTest::addColumn<QStringList>("areas");
    QTest::addColumn<QStringList>("given"); // name|length|start|end
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("totals");
    QTest::addColumn<QStringList>("problems");

    const QString header = QStringLiteral("Tratto|Lunghezza (m)|P inizio (m)|P fine (m)|Area 1 (E.01.001) (m³)|Area 2 "
                                          "(E.01.002) (m³)|Area 3 (E.01.003) (m³)|Netto (m³)");
    QTest::newRow("the worked example: two stretches, P varying along each")
        << kWorkedExample << QStringList{"P1-P2|40|1.20|1.80", "P2-P3|35,50|1,80|2,6"}
        << QStringList{header, "P1-P2|40,00|1,20|1,80|10,207|50,527|29,120|89,853",
                       "P2-P3|35,50|1,80|2,60|9,058|86,259|29,820|125,138"}
        << QStringList{"Voce|Descrizione|Quantità (m³)", "E.01.001|SABBIA|19,265", "E.01.002|RINTERRO|136,786",
                       "E.01.003|PAVIMENTAZIONE|58,940"}
        << QStringList();
    QTest::newRow("stretches left out: out of the valid depths, not numbers, no length; an empty row ignored")
        << kWorkedExample << QStringList{"P3-P4|20|0.40|1.20", "|||", "|abc|1|2", "P5|0|1|1"}
        << QStringList{header, "P3-P4|20|0.40|1.20", "3|abc|1|2", "P5|0|1|1"}
        << QStringList{"Voce|Descrizione|Quantità (m³)", "E.01.001|SABBIA|0,000", "E.01.002|RINTERRO|0,000",
                       "E.01.003|PAVIMENTAZIONE|0,000"}
        << QStringList{"Tratto P3-P4: con P = 0,40 m la sezione non vale.",
                       "Tratto 3: il valore «abc» di Lunghezza (m) non è un numero.",
                       "Tratto P5: la lunghezza deve essere maggiore di zero."};
    QTest::newRow("a net volume below zero is told, the stretch counted; a length too long is left out")
        << QStringList{"A|0.1|0|0|1|V"} << QStringList{"P1|10|1|1", "P2|1000000|1|1"}
        << QStringList{"Tratto|Lunghezza (m)|P inizio (m)|P fine (m)|Area 1 (V) (m³)|Netto (m³)",
                       "P1|10,00|1,00|1,00|-0,457|-0,457", "P2|1000000|1|1"}
        << QStringList{"Voce|Descrizione|Quantità (m³)", "V|A|-0,457"}
        << QStringList{"Tratto P1: il volume netto dell'area 1 risulta negativo (-0,457 m³): la detrazione del tubo "
                       "supera il volume dell'area.",
                       "Tratto P2: la lunghezza «1000000» è troppo grande."};
    QTest::newRow("two areas with one price code, one with none; no * area: P does not matter")
        << QStringList{"SABBIA|0.5|0|0|0.5|E.1", "RINFIANCO|0.5|0|0|0.5|", "SABBIA FINE|0.2|0|0|0|E.1"}
        << QStringList{"A|10|1|3"}
        << QStringList{"Tratto|Lunghezza (m)|P inizio (m)|P fine (m)|Area 1 (E.1) (m³)|Area 2 (m³)|Area 3 (E.1) "
                       "(m³)|Netto (m³)",
                       "A|10,00|1,00|3,00|3,372|3,372|1,600|8,343"}
        << QStringList{"Voce|Descrizione|Quantità (m³)", "E.1|SABBIA|4,972", "(senza voce)|RINFIANCO|3,372"}
        << QStringList();
}

void TestPipeline::stretches()
{
    QFETCH(QStringList, areas);
    QFETCH(QStringList, given);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, totals);
    QFETCH(QStringList, problems);

    std::vector<Stretch> stretches;
    for (const QString &line : given) {
        stretches.push_back(stretchOf(line));
    }
    const TrenchSection trench(section(areas));
    const StretchTakeoff takeoff = stretchTakeoff(trench, 0.80, 0.40, stretches);
    QCOMPARE(rowsOf(stretchCells(trench, takeoff)), rows);
    QCOMPARE(rowsOf(codeTotalCells(takeoff)), totals);
    QCOMPARE(takeoff.problems, problems);
}

QTEST_GUILESS_MAIN(TestPipeline)
#include "tst_pipeline.moc"
