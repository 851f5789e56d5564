#include "section/sectionclipboard.h"
#include "takeoff/sectiondrawing.h"
#include "takeoff/sectionquantities.h"

#include <QTest>

// The section as the drawing computes it, against widths, heights and
// quantities worked out by hand, and what it says cannot be drawn; and the
// scale of a drawing on paper.

namespace {

// Areas given as "description|H|X|tan alfa|coefficient|price code".
SectionTable section(const QStringList &areas)
{
    SectionTable table;
    table.Naree = static_cast<qint16>(areas.size());
    for (int a = 0; a < areas.size(); ++a) {
        const QStringList values = areas.at(a).split(u'|');
        for (int c = 0; c < values.size(); ++c)
            table.Aree[a + 1][c + 1] = values.at(c);
    }
    return table;
}

// Each area drawn as "number:bottom/height/foot width/top width".
QString drawn(const SectionDrawing &drawing)
{
    QStringList areas;
    for (const DrawnArea &area : drawing.areas)
        areas << QStringLiteral("%1:%2/%3/%4/%5")
                     .arg(area.number)
                     .arg(metres(area.bottom), metres(area.height), metres(area.footWidth), metres(area.topWidth));
    return areas.join(u' ');
}

} // namespace

class TestSectionDrawing : public QObject
{
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void quantities_data();
    void quantities();
    void standardScales();
};

void TestSectionDrawing::geometry_data()
{
    QTest::addColumn<QStringList>("areas");
    QTest::addColumn<QString>("drawn");
    QTest::addColumn<QStringList>("problems");
    QTest::addColumn<QString>("sum");
    QTest::addColumn<QString>("pipeCentre");

    // L 0.80, P 1.50, D 0.40 throughout.
    QTest::newRow("three areas, the middle one following P; the pipe 0.2 in area 1 and 0.8 in area 2")
        << QStringList{"SABBIA|0.5|0|0.1|0.5", "REINTERRO|*0.4|0|0.1|0.5", "MASSICCIATA|0.3|0.2|0|"}
        << "1:0/0.5/0.8/0.9 2:0.5/1.1/0.9/1.12 3:1.6/0.3/1.52/1.52"
        << QStringList{"Area 1: il coefficiente di detrazione è 0.5, ma nel disegno l'area contiene 0,20 del tubo.",
                       "Area 2: il coefficiente di detrazione è 0.5, ma nel disegno l'area contiene 0,80 del tubo."}
        << "1" << "0.6";
    QTest::newRow("tan alfa 0: upright walls; the pipe below the trench bottom, none of it in the area")
        << QStringList{"A|1|0|0|0.25"} << "1:0/1/0.8/0.8"
        << QStringList{"Con P = 1.5 il fondo del tubo è sotto il fondo dello scavo.",
                       "Area 1: il coefficiente di detrazione è 0.25, ma nel disegno l'area contiene 0,00 del tubo."}
        << "0.25" << "-0.3";
    QTest::newRow("a widening on area 1, from L") << QStringList{"A|0.5|0.1|0.1"} << "1:0/0.5/1/1.1"
                                                  << QStringList{"Con P = 1.5 il fondo del tubo è sotto il fondo dello scavo."}
                                                  << "0" << "-0.8";
    QTest::newRow("empty values count as 0; a height of nothing is told, the areas above still drawn")
        << QStringList{"||||", "B|1.5|0.1|0|1"} << "1:0/0/0.8/0.8 2:0/1.5/1/1"
        << QStringList{"Area 1: l'altezza è nulla."} << "1" << "0.2";
    QTest::newRow("not numbers: each told, the drawing stops at the first area that cannot be drawn")
        << QStringList{"A|0.5|0|0|abc", "B|1,5|x|0.1|0.5", "C|0.3|0|0|0.5"} << "1:0/0.5/0.8/0.8"
        << QStringList{"Area 1: il valore «abc» di Coefficiente di detrazione dell'area tubazione non è un numero.",
                       "Area 2: il valore «1,5» di Altezza area H non è un numero.",
                       "Area 2: il valore «x» di Allargamento della sezione X non è un numero."}
        << "1" << "-0.8";
    const QString huge = QStringLiteral("1") + QString(400, u'0');
    QTest::newRow("digits beyond a double make no number")
        << QStringList{"A|" + huge + "|0|0|0"} << ""
        << QStringList{"Area 1: il valore «" + huge + "» di Altezza area H non è un numero."} << "0" << "-1.3";
    QTest::newRow("two heights with *: told once, only the first follows P")
        << QStringList{"A|*0.4|0|0", "B|*0.2|0|0", "C|*0.1|0|0"} << "1:0/1.1/0.8/0.8"
        << QStringList{"Più di un'area ha l'altezza dipendente dalla profondità P (con *)."} << "0" << "-0.2";
    QTest::newRow("a * height of P or more") << QStringList{"A|0.2|0|0", "B|*1.6|0|0"} << "1:0/0.2/0.8/0.8"
                                             << QStringList{"Area 2: con P = 1.5 l'altezza risulta nulla o negativa."}
                                             << "0" << "-1.1";
    QTest::newRow("a width of nothing or less") << QStringList{"A|0.2|-0.4|0"} << ""
                                                << QStringList{"Area 1: la larghezza risulta nulla o negativa."} << "0"
                                                << "-1.3";
    QTest::newRow("a width that is nothing but for rounding: 0.86 - 2 x 0.43")
        << QStringList{"A|0.2|0.03|0", "B|0.2|-0.43|0"} << "1:0/0.2/0.86/0.86"
        << QStringList{"Area 2: la larghezza risulta nulla o negativa."} << "0" << "-1.1";
    QTest::newRow("the pipe's bottom on the trench bottom is not below it")
        << QStringList{"A|1.5|0|0|1"} << "1:0/1.5/0.8/0.8" << QStringList() << "1" << "0.2";
}

void TestSectionDrawing::geometry()
{
    QFETCH(QStringList, areas);
    QFETCH(QString, drawn);
    QFETCH(QStringList, problems);
    QFETCH(QString, sum);
    QFETCH(QString, pipeCentre);

    const SectionDrawing drawing = drawSection(section(areas), ExampleDimensions{0.80, 1.50, 0.40});
    QCOMPARE(::drawn(drawing), drawn);
    QCOMPARE(drawing.problems, problems);
    QCOMPARE(metres(drawing.coefficientSum), sum);
    QCOMPARE(metres(drawing.pipeCentre), pipeCentre);
    QCOMPARE(drawing.pipeDiameter, 0.40);
}

// The table as "Copia quantità" copies it, without its header row: area,
// description, price code, base, top, height, volume, pipe, deduction, net.
void TestSectionDrawing::quantities_data()
{
    QTest::addColumn<QStringList>("areas");
    QTest::addColumn<double>("P");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("problems");

    const QStringList example{"SABBIA|0.30|0.10|0.2|0.5|E.01.001", "RINTERRO|*0.50|0|0.2|0.5|E.01.002",
                              "PAVIMENTAZIONE|0.40|0.15|0|0|E.01.003"};
    const QStringList coefficients{
        "Area 1: il coefficiente di detrazione è 0.5, ma nel disegno l'area contiene 0,20 del tubo.",
        "Area 2: il coefficiente di detrazione è 0.5, ma nel disegno l'area contiene 0,80 del tubo."};
    // L 0.80 and D 0.40 throughout: the pipe's cross-section is 0.1257 m².
    QTest::newRow("the worked example: the pipe's bottom 0.20 m above the trench bottom")
        << example << 1.50
        << QStringList{"1|SABBIA|E.01.001|1,000|1,120|0,300|0,318|0,20|0,063|0,255",
                       "2|RINTERRO|E.01.002|1,120|1,520|1,000|1,320|0,80|0,063|1,257",
                       "3|PAVIMENTAZIONE|E.01.003|1,820|1,820|0,400|0,728|0,00|0,000|0,728",
                       "Totale||||||2,366||0,126|2,240"}
        << coefficients;
    QTest::newRow("the same at P 2.50: the * height is 2.00, the pipe's shares stay")
        << example << 2.50
        << QStringList{"1|SABBIA|E.01.001|1,000|1,120|0,300|0,318|0,20|0,063|0,255",
                       "2|RINTERRO|E.01.002|1,120|1,920|2,000|3,040|0,80|0,063|2,977",
                       "3|PAVIMENTAZIONE|E.01.003|2,220|2,220|0,400|0,888|0,00|0,000|0,888",
                       "Totale||||||4,246||0,126|4,120"}
        << coefficients;
    QTest::newRow("a pipe wholly inside area 1") << QStringList{"A|1.0|0|0|1|V1", "B|0.5|0|0|0|V2"} << 1.00
                                                 << QStringList{"1|A|V1|0,800|0,800|1,000|0,800|1,00|0,126|0,674",
                                                                "2|B|V2|0,800|0,800|0,500|0,400|0,00|0,000|0,400",
                                                                "Totale||||||1,200||0,126|1,074"}
                                                 << QStringList();
    QTest::newRow("a pipe across three areas, 0.61 typed as 0.6: within 0.05")
        << QStringList{"A|0.1|0|0|0.2", "B|0.2|0|0|0.6", "C|0.1|0|0|0.2", "D|0.5|0|0|0"} << 0.90
        << QStringList{"1|A||0,800|0,800|0,100|0,080|0,20|0,025|0,055", "2|B||0,800|0,800|0,200|0,160|0,61|0,075|0,085",
                       "3|C||0,800|0,800|0,100|0,080|0,20|0,025|0,055", "4|D||0,800|0,800|0,500|0,400|0,00|0,000|0,400",
                       "Totale||||||0,720||0,126|0,594"}
        << QStringList();
    QTest::newRow("a coefficient that is not a number: no deduction, nor totals of it")
        << QStringList{"A|0.5|0|0|abc"} << 1.50
        << QStringList{"1|A||0,800|0,800|0,500|0,400|0,00||", "Totale||||||0,400|||"}
        << QStringList{"Area 1: il valore «abc» di Coefficiente di detrazione dell'area tubazione non è un numero.",
                       "Con P = 1.5 il fondo del tubo è sotto il fondo dello scavo."};
}

void TestSectionDrawing::quantities()
{
    QFETCH(QStringList, areas);
    QFETCH(double, P);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, problems);

    const SectionDrawing drawing = drawSection(section(areas), ExampleDimensions{0.80, P, 0.40});
    QString text = QStringLiteral("Area\tDescrizione\tVoce\tBase (m)\tSommità (m)\tAltezza (m)\tVolume (m³/m)\t"
                                  "Tubo nell'area\tDetrazione (m³/m)\tNetto (m³/m)\r\n");
    for (const QString &row : rows)
        text += QString(row).replace(u'|', u'\t') + QStringLiteral("\r\n");
    QCOMPARE(cellsAsText(quantityCells(sectionQuantities(drawing))), text);
    QCOMPARE(drawing.problems, problems);
}

void TestSectionDrawing::standardScales()
{
    const QList<std::pair<double, int>> scales{{0.4, 1},  {1.5, 2},    {3, 5},     {14.2, 20}, {20, 20},
                                               {20.1, 25}, {26, 50},   {230, 250}, {501, 1000}};
    for (const auto &[atLeast, scale] : scales)
        QCOMPARE(standardScale(atLeast), scale);
}

QTEST_GUILESS_MAIN(TestSectionDrawing)
#include "tst_sectiondrawing.moc"
