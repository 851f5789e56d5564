#include "takeoff/numbers.h"
#include "takeoff/sectiondrawing.h"
#include "takeoff/sectionquantities.h"
#include "takeoffsupport.h"

#include <QTest>

// The section as the drawing computes it, against widths, heights and
// quantities worked out by hand, and what it says cannot be drawn or does
// not add up; the numbers as the window and a spreadsheet read them; and
// the scale of a drawing on paper.

namespace {

QString plain(double value)
{
    return QString::number(value, 'g', 12);
}

// Each area drawn as "number:bottom/height/foot width/top width".
QString drawn(const SectionDrawing &drawing)
{
    QStringList areas;
    for (const DrawnArea &area : drawing.areas)
        areas << QStringLiteral("%1:%2/%3/%4/%5")
                     .arg(area.number)
                     .arg(plain(area.bottom), plain(area.height), plain(area.footWidth), plain(area.topWidth));
    return areas.join(u' ');
}

// "L P D" as typed in the window, and DN after them when there is one.
ExampleDimensions dimensionsOf(const QString &lpd)
{
    const QStringList values = lpd.split(u' ');
    return {values[0].toDouble(), values[1].toDouble(), values[2].toDouble(),
            values.size() > 3 ? std::optional(values[3].toInt()) : std::nullopt};
}

const QString kUsual = QStringLiteral("0.80 1.50 0.40");
const QString kHuge = QStringLiteral("1") + QString(300, u'0');

} // namespace

class TestSectionDrawing : public QObject
{
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void quantities_data();
    void quantities();
    void numbers();
    void standardScales();
};

void TestSectionDrawing::geometry_data()
{
    QTest::addColumn<QString>("lpd");
    QTest::addColumn<QStringList>("areas");
    QTest::addColumn<QString>("drawn");
    QTest::addColumn<QStringList>("problems");
    QTest::addColumn<QString>("pipeCentre"); // "-": no pipe drawn

    const QString uniAt = QStringLiteral("Con D = 0,40 m e uno scavo profondo %1 m, UNI EN 1610 chiede un fondo largo "
                                         "almeno 1,10 m (D + 0,70 m): il fondo è largo %2 m.");
    QTest::newRow("three areas, the middle one following P; the pipe 0.2 in area 1 and 0.8 in area 2")
        << kUsual << QStringList{"SABBIA|0.5|0|0.1|0.5", "REINTERRO|*0.4|0|0.1|0.5", "MASSICCIATA|0.3|0.2|0|"}
        << "1:0/0.5/0.8/0.9 2:0.5/1.1/0.9/1.12 3:1.6/0.3/1.52/1.52"
        << QStringList{"Area 1: il coefficiente di detrazione «0.5» non corrisponde alla parte di tubo nell'area, 0,20.",
                       "Area 2: il coefficiente di detrazione «0.5» non corrisponde alla parte di tubo nell'area, 0,80.",
                       uniAt.arg("1,90", "0,80")}
        << "0.6";
    QTest::newRow("tan alfa 0: upright walls; the pipe below the trench bottom: drawn, said first, no shares")
        << kUsual << QStringList{"A|1|0|0|0.25"} << "1:0/1/0.8/0.8"
        << QStringList{"Con P = 1,50 m il fondo del tubo è sotto il fondo dello scavo: la sezione vale per P da 0,40 a "
                       "1,00 m."}
        << "-0.3";
    QTest::newRow("P less than D: the pipe's crown above the top, said first, no shares")
        << "0.80 0.30 0.40" << QStringList{"A|0.5|0.1|0.1|"} << "1:0/0.5/1/1.1"
        << QStringList{"Con P = 0,30 m il tubo esce dallo scavo (P minore di D = 0,40 m): la sezione vale per P da "
                       "0,40 a 0,50 m."}
        << "0.4";
    QTest::newRow("a widening on area 1, from L; an empty coefficient is 0, quoted as it stands")
        << "0.80 0.45 0.40" << QStringList{"A|0.5|0.1|0.1|"} << "1:0/0.5/1/1.1"
        << QStringList{"Area 1: il coefficiente di detrazione «» non corrisponde alla parte di tubo nell'area, 1,00.",
                       uniAt.arg("0,50", "1,00")}
        << "0.25";
    QTest::newRow("DN apart from D: ductile iron DN 350, D 0,378, by its DN's allowance")
        << "0.80 1.50 0.378 350" << QStringList{"A|1.7|0|0|1"} << "1:0/1.7/0.8/0.8"
        << QStringList{"Con DN 350, D = 0,378 m e uno scavo profondo 1,70 m, UNI EN 1610 chiede un fondo largo almeno "
                       "0,878 m (D + 0,50 m): il fondo è largo 0,80 m."}
        << "0.389";
    QTest::newRow("empty values count as 0; a height of nothing is told, the areas above still drawn")
        << "1.10 1.50 0.40" << QStringList{"||||", "B|1.5|0.1|0|1"} << "1:0/0/1.1/1.1 2:0/1.5/1.3/1.3"
        << QStringList{"Area 1: l'altezza è nulla."} << "0.2";
    QTest::newRow("a clean section: the pipe on the trench bottom, wholly in its area, the bottom wide enough")
        << "1.10 1.50 0.40" << QStringList{"A|1.5|0|0|1"} << "1:0/1.5/1.1/1.1" << QStringList() << "0.2";
    QTest::newRow("a pipe wider than the trench at its centre: the net volume below zero is told")
        << "0.30 0.90 0.80" << QStringList{"A|1.0|0|0|1"} << "1:0/1/0.3/0.3"
        << QStringList{"Con D = 0,80 m il tubo è più largo dello scavo all'altezza del suo centro (0,30 m).",
                       "Con D = 0,80 m e uno scavo profondo 1,00 m, UNI EN 1610 chiede un fondo largo almeno 1,65 m "
                       "(D + 0,85 m): il fondo è largo 0,30 m.",
                       "Area 1: il volume netto risulta negativo (-0,203 m³/m): la detrazione del tubo supera il "
                       "volume dell'area."}
        << "0.5";

    // Sections not drawn whole: no total, no pipe, the areas left out first.
    QTest::newRow("not numbers: each told, the drawing stops at the first area that cannot be drawn")
        << kUsual << QStringList{"A|0.5|0|0|abc", "B|1,5|x|0.1|0.5", "C|0.3|0|0|0.5"} << "1:0/0.5/0.8/0.8"
        << QStringList{"Quantità parziali: le aree da 2 a 3 non sono disegnate.",
                       "Area 1: il valore «abc» di Coefficiente di detrazione dell'area tubazione non è un numero.",
                       "Area 2: il valore «1,5» di Altezza area H non è un numero.",
                       "Area 2: il valore «x» di Allargamento della sezione X non è un numero."}
        << "-";
    const QString beyondDouble = QStringLiteral("1") + QString(400, u'0');
    QTest::newRow("digits beyond a double make no number, quoted cut")
        << kUsual << QStringList{"A|" + beyondDouble + "|0|0|0"} << ""
        << QStringList{"Quantità parziali: le aree da 1 a 1 non sono disegnate.",
                       "Area 1: il valore «" + beyondDouble.left(40) + "…» di Altezza area H non è un numero."}
        << "-";
    QTest::newRow("two heights with *: told once, only the first follows P")
        << kUsual << QStringList{"A|*0.4|0|0", "B|*0.2|0|0", "C|*0.1|0|0"} << "1:0/1.1/0.8/0.8"
        << QStringList{"Quantità parziali: le aree da 2 a 3 non sono disegnate.",
                       "Più di un'area ha l'altezza dipendente dalla profondità P (con *)."}
        << "-";
    QTest::newRow("P below the valid range: the message gives the smallest P")
        << "0.80 0.60 0.40" << QStringList{"A|0.3|0|0|0.5", "B|0.5|0|0|0.5", "C|*0.7|0|0|0"} << "1:0/0.3/0.8/0.8 2:0.3/0.5/0.8/0.8"
        << QStringList{"Quantità parziali: le aree da 3 a 3 non sono disegnate.",
                       "Area 3: con P = 0,60 m l'altezza risulta nulla o negativa: la sezione vale per P maggiore di "
                       "0,70 m."}
        << "-";
    QTest::newRow("P too small where the pipe lies below the bottom at every depth: no range")
        << "0.80 1.00 0.40" << QStringList{"A|0.3|0|0|0.5", "B|0.5|0|0|0.5", "C|*1.07|0|0|0"} << "1:0/0.3/0.8/0.8 2:0.3/0.5/0.8/0.8"
        << QStringList{"Quantità parziali: le aree da 3 a 3 non sono disegnate.",
                       "Area 3: con P = 1,00 m l'altezza risulta nulla o negativa: la sezione non vale a nessuna "
                       "profondità."}
        << "-";
    QTest::newRow("P too small where no depth holds: said so, not a range")
        << "0.80 0.40 0.40" << QStringList{"A|*0.5|0|-0.5", "B|0.5|-0.5|0"} << ""
        << QStringList{"Quantità parziali: le aree da 1 a 2 non sono disegnate.",
                       "Area 1: con P = 0,40 m l'altezza risulta nulla o negativa: la sezione non può essere disegnata "
                       "a nessuna profondità."}
        << "-";
    QTest::newRow("a width of nothing or less") << kUsual << QStringList{"A|0.2|-0.4|0"} << ""
                                                << QStringList{"Quantità parziali: le aree da 1 a 1 non sono disegnate.",
                                                               "Area 1: la larghezza risulta nulla o negativa."}
                                                << "-";
    QTest::newRow("a width that is nothing but for rounding: 0.86 - 2 x 0.43")
        << kUsual << QStringList{"A|0.2|0.03|0", "B|0.2|-0.43|0"} << "1:0/0.2/0.86/0.86"
        << QStringList{"Quantità parziali: le aree da 2 a 2 non sono disegnate.", "Area 2: la larghezza risulta nulla o negativa."}
        << "-";
    QTest::newRow("numbers too large to draw: a value, a width, a height")
        << kUsual << QStringList{"A|0.5|0|0|" + kHuge, "B|" + kHuge + "|0|0"} << "1:0/0.5/0.8/0.8"
        << QStringList{"Quantità parziali: le aree da 2 a 2 non sono disegnate.",
                       "Area 1: il valore «" + kHuge.left(40)
                           + "…» di Coefficiente di detrazione dell'area tubazione è troppo grande per il disegno.",
                       "Area 2: il valore «" + kHuge.left(40) + "…» di Altezza area H è troppo grande per il disegno."}
        << "-";
    QTest::newRow("a width too large") << kUsual << QStringList{"A|900|0|1"} << ""
                                       << QStringList{"Quantità parziali: le aree da 1 a 1 non sono disegnate.",
                                                      "Area 1: la larghezza risulta troppo grande per il disegno."}
                                       << "-";
    QTest::newRow("a section too high") << kUsual << QStringList{"A|999|0|0", "B|999|0|0"} << "1:0/999/0.8/0.8"
                                        << QStringList{"Quantità parziali: le aree da 2 a 2 non sono disegnate.",
                                                       "Area 2: la sezione risulta troppo alta per il disegno."}
                                        << "-";
}

void TestSectionDrawing::geometry()
{
    QFETCH(QString, lpd);
    QFETCH(QStringList, areas);
    QFETCH(QString, drawn);
    QFETCH(QStringList, problems);
    QFETCH(QString, pipeCentre);

    const SectionDrawing drawing = drawSection(section(areas), dimensionsOf(lpd));
    QCOMPARE(::drawn(drawing), drawn);
    QCOMPARE(drawing.problems, problems);
    QCOMPARE(drawing.pipeShown ? plain(drawing.pipeCentre) : QStringLiteral("-"), pipeCentre);
    QCOMPARE(drawing.whole(), pipeCentre != u"-");
}

// The table as the window shows it, without its header row: area,
// description, price code, base, top, height, volume, pipe, deduction, net.
void TestSectionDrawing::quantities_data()
{
    QTest::addColumn<QStringList>("areas");
    QTest::addColumn<double>("P");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("firstProblem");

    // L 0.80 and D 0.40 throughout: the pipe's cross-section is 0.1257 m².
    QTest::newRow("the worked example: the pipe's bottom 0.20 m above the trench bottom")
        << kWorkedExample << 1.50
        << QStringList{"1|SABBIA|E.01.001|1,000|1,120|0,300|0,318|0,20|0,063|0,255",
                       "2|RINTERRO|E.01.002|1,120|1,520|1,000|1,320|0,80|0,063|1,257",
                       "3|PAVIMENTAZIONE|E.01.003|1,820|1,820|0,400|0,728|0,00|0,000|0,728",
                       "Totale||||||2,366||0,126|2,240"}
        << "Area 1: il coefficiente di detrazione «0.5» non corrisponde alla parte di tubo nell'area, 0,20.";
    QTest::newRow("the same at P 2.50: the * height is 2.00, the pipe's shares stay")
        << kWorkedExample << 2.50
        << QStringList{"1|SABBIA|E.01.001|1,000|1,120|0,300|0,318|0,20|0,063|0,255",
                       "2|RINTERRO|E.01.002|1,120|1,920|2,000|3,040|0,80|0,063|2,977",
                       "3|PAVIMENTAZIONE|E.01.003|2,220|2,220|0,400|0,888|0,00|0,000|0,888",
                       "Totale||||||4,246||0,126|4,120"}
        << "Area 1: il coefficiente di detrazione «0.5» non corrisponde alla parte di tubo nell'area, 0,20.";
    QTest::newRow("at P 0.40 the section is partial: the areas drawn, no pipe, no total")
        << kWorkedExample << 0.40 << QStringList{"1|SABBIA|E.01.001|1,000|1,120|0,300|0,318||0,063|0,255"}
        << "Quantità parziali: le aree da 2 a 3 non sono disegnate.";
    QTest::newRow("a pipe across three areas, 0.61 typed as 0.6: within 0.05")
        << QStringList{"A|0.1|0|0|0.2", "B|0.2|0|0|0.6", "C|0.1|0|0|0.2", "D|0.5|0|0|0"} << 0.90
        << QStringList{"1|A||0,800|0,800|0,100|0,080|0,20|0,025|0,055", "2|B||0,800|0,800|0,200|0,160|0,61|0,075|0,085",
                       "3|C||0,800|0,800|0,100|0,080|0,20|0,025|0,055", "4|D||0,800|0,800|0,500|0,400|0,00|0,000|0,400",
                       "Totale||||||0,720||0,126|0,594"}
        << "Con D = 0,40 m e uno scavo profondo 0,90 m, UNI EN 1610 chiede un fondo largo almeno 1,10 m (D + 0,70 m): "
           "il fondo è largo 0,80 m.";
    QTest::newRow("a coefficient that is not a number: no deduction, nor totals of it")
        << QStringList{"A|0.5|0|0|abc"} << 0.45 << QStringList{"1|A||0,800|0,800|0,500|0,400|1,00||", "Totale||||||0,400|||"}
        << "Area 1: il valore «abc» di Coefficiente di detrazione dell'area tubazione non è un numero.";
}

void TestSectionDrawing::quantities()
{
    QFETCH(QStringList, areas);
    QFETCH(double, P);
    QFETCH(QStringList, rows);
    QFETCH(QString, firstProblem);

    const SectionDrawing drawing = drawSection(section(areas), ExampleDimensions{0.80, P, 0.40});
    const QList<QStringList> cells = quantityCells(sectionQuantities(drawing));
    QCOMPARE(cells.front().join(u'|'), QStringLiteral("Area|Descrizione|Voce|Base (m)|Sommità (m)|Altezza (m)|Volume "
                                                      "(m³/m)|Tubo nell'area|Detrazione (m³/m)|Netto (m³/m)"));
    QCOMPARE(rowsOf(cells).mid(1), rows);
    QCOMPARE(drawing.problems.value(0), firstProblem);
}

// Numbers as the window writes them, and for spreadsheets of either
// regional settings: six places, so that their sums equal the totals.
void TestSectionDrawing::numbers()
{
    QCOMPARE(lengthText(0.8), QStringLiteral("0,80"));
    QCOMPARE(lengthText(1.075), QStringLiteral("1,075"));
    QCOMPARE(lengthText(-0.00001), QStringLiteral("0,00"));
    QCOMPARE(italianNumber(1234.5678, 3), QStringLiteral("1234,568"));
    QCOMPARE(typedNumber(QStringLiteral(" 0,15 ")), std::optional(0.15));
    QCOMPARE(typedNumber(QStringLiteral("-1.5")), std::optional(-1.5));
    QCOMPARE(typedNumber(QStringLiteral("1.002,50")), std::nullopt);
    QCOMPARE(typedNumber(QStringLiteral("30 cm")), std::nullopt);

    const SectionQuantities quantities =
        sectionQuantities(drawSection(section(kWorkedExample), ExampleDimensions{0.80, 1.50, 0.40}));
    const QStringList english{"1|SABBIA|E.01.001|1.000000|1.120000|0.300000|0.318000|0.195501|0.062832|0.255168",
                              "2|RINTERRO|E.01.002|1.120000|1.520000|1.000000|1.320000|0.804499|0.062832|1.257168",
                              "3|PAVIMENTAZIONE|E.01.003|1.820000|1.820000|0.400000|0.728000|0.000000|0.000000|0.728000",
                              "Totale||||||2.366000||0.125664|2.240336"};
    QCOMPARE(rowsOf(quantityCells(quantities, {QLocale(QLocale::English, QLocale::UnitedStates), 6})).mid(1), english);
    QCOMPARE(rowsOf(quantityCells(quantities, {QLocale(QLocale::Italian, QLocale::Italy), 6})).last(),
             QStringLiteral("Totale||||||2,366000||0,125664|2,240336"));
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
