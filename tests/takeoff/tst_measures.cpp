#include "takeoff/measures.h"
#include "takeoff/numbers.h"
#include "takeoffsupport.h"

#include <QTest>

// The quantities a price list pays along a stretch, by excavation band,
// shoring, road surface, cut and pipe, and the items refused, against
// numbers worked out by hand. L is 0,80 throughout.

namespace {

// Vertical walls 0,80 wide; the trench is P + 0,10 deep.
const QStringList kVertical{"LETTO|0.10|0|0|0|A", "RINFIANCO|0.60|0|0|1|B", "RINTERRO|*0.90|0|0|0|C",
                            "FONDAZIONE|0.30|0|0|0|D"};
// 0,80 wide up to 0,40, then widening by 1 m per metre of height
// (w = y + 0,40); the trench is P deep. Up to a height y it holds 0,80 y
// below 0,40, and y²/2 + 0,40 y + 0,08 above.
const QStringList kWidening{"A|0.40|0|0|0|S1", "B|*0.40|0|0.5|0|S2"};

// An item given as "code|measure|da|a|margin".
PriceItem itemOf(const QString &line)
{
    const QStringList values = line.split(u'|');
    return {values[0], QStringLiteral("Descrizione"), values[1], values[2], values[3], values[4]};
}

} // namespace

class TestMeasures : public QObject
{
    Q_OBJECT

private slots:
    void quantities_data();
    void quantities();
    void refused_data();
    void refused();
};

void TestMeasures::quantities_data()
{
    QTest::addColumn<QStringList>("areas");
    QTest::addColumn<QList<double>>("stretch"); // length, P at its start, P at its end
    QTest::addColumn<QString>("item");          // code|measure|da|a|margin
    QTest::addColumn<QString>("measured");      // quantity|times|length|factor|words

    const QList<double> t1{50, 1.20, 2.20}; // 1,30 to 2,30 deep: 1,50 at 10 m
    QTest::newRow("vertical, to 1,50: 10 m at 1,30-1,50 deep, 40 m at 1,50; (14 + 60) × 0,80")
        << kVertical << t1 << "S|Scavo||1,50|" << "59,200|1|50,00|1,1840|scavo fino a 1,50 m";
    QTest::newRow("vertical, 1,50 to 3,00: 40 m at 0-0,80 below 1,50; 16 × 0,80")
        << kVertical << t1 << "S|scavo|1.5|3|" << "12,800|1|50,00|0,2560|scavo da 1,50 a 3,00 m";
    QTest::newRow("vertical, beyond 3,00: the band wholly below the trench")
        << kVertical << t1 << "S|Scavo|3||" << "0,000|1|50,00|0,0000|scavo oltre 3,00 m";
    QTest::newRow("vertical, the whole: 1,80 deep on average; 50 × 1,80 × 0,80")
        << kVertical << t1 << "S| SCAVO |||" << "72,000|1|50,00|1,4400|scavo";
    QTest::newRow("vertical, 0,50 to 1,00: the band inside the trench all along; 50 × 0,50 × 0,80")
        << kVertical << t1 << "S|Scavo|0,50|1,00|" << "20,000|1|50,00|0,4000|scavo da 0,50 a 1,00 m";
    QTest::newRow("vertical, shoring beyond 1,50 by default: 40 m, 1,50 to 2,30 deep; 2 × 40 × 1,90")
        << kVertical << t1 << "A|Armatura|||" << "152,000|2|40,00|1,9000|pareti armate oltre 1,50 m";
    QTest::newRow("vertical, shoring beyond 1,00: the whole stretch; 2 × 50 × 1,80")
        << kVertical << t1 << "A|armatura|1||" << "180,000|2|50,00|1,8000|pareti armate oltre 1,00 m";
    QTest::newRow("vertical, surface: 0,80 + 2 × 0,10") << kVertical << t1 << "P|Pavimentazione|||0,10"
                                                        << "50,000|1|50,00|1,0000|pavimentazione";

    QTest::newRow("going up, shoring: the first 40 m")
        << kVertical << QList<double>{50, 2.20, 1.20} << "A|Armatura|||"
        << "152,000|2|40,00|1,9000|pareti armate oltre 1,50 m";

    const QList<double> toLimit{20, 1.20, 1.40}; // 1,30 to 1,50 deep
    QTest::newRow("1,50 met at the end, beyond it: nothing")
        << kVertical << toLimit << "S|Scavo|1,50||" << "0,000|1|20,00|0,0000|scavo oltre 1,50 m";
    QTest::newRow("1,50 met at the end, shoring: none")
        << kVertical << toLimit << "A|Armatura|||" << "0,000|2|0,00|0,0000|pareti armate oltre 1,50 m";
    const QList<double> fromLimit{10, 1.40, 2.40}; // 1,50 to 2,50 deep
    QTest::newRow("1,50 met at the start, 1,50 to 3,00: 0,50 × 0,80 × 10")
        << kVertical << fromLimit << "S|Scavo|1,50|3,00|" << "4,000|1|10,00|0,4000|scavo da 1,50 a 3,00 m";
    QTest::newRow("1,50 met at the start, shoring: all of it, 2 × 10 × 2,00")
        << kVertical << fromLimit << "A|Armatura|||" << "40,000|2|10,00|2,0000|pareti armate oltre 1,50 m";

    // The worked example, 1,40 to 2,00 deep: its areas hold 94,880 m³.
    const QList<double> p1p2{40, 1.20, 1.80};
    QTest::newRow("sloped, to 1,50: the whole less the band below")
        << kWorkedExample << p1p2 << "E.1|Scavo||1,50|" << "85,991|1|40,00|2,1498|scavo fino a 1,50 m";
    // From P 1,30, h = P - 1,30 deep, w = 1,00 + 0,40 y: ∫(h + 0,2 h²) dh to 0,50 × 40 / 0,60.
    QTest::newRow("sloped, 1,50 to 3,00: the band from 6,67 m")
        << kWorkedExample << p1p2 << "E.2|Scavo|1,50|3,00|" << "8,889|1|40,00|0,2222|scavo da 1,50 a 3,00 m";
    QTest::newRow("sloped, shoring: from 6,67 m, 1,50 to 2,00 deep; 2 × 33,33 × 1,75")
        << kWorkedExample << p1p2 << "E.3|Armatura|||" << "116,667|2|33,33|1,7500|pareti armate oltre 1,50 m";
    QTest::newRow("sloped, surface: top 1,70 to 1,94, + 2 × 0,10")
        << kWorkedExample << p1p2 << "E.4|Pavimentazione|||0.1" << "80,800|1|40,00|2,0200|pavimentazione";
    QTest::newRow("sloped, cut") << kWorkedExample << p1p2 << "E.5|Taglio|||" << "80,000|2|40,00|-|taglio";
    QTest::newRow("sloped, pipe") << kWorkedExample << p1p2 << "E.6|Tubazione|||" << "40,000|1|40,00|-|tubazione";

    // P 1,60 to 3,00 over 70 m: 50 m per metre of P.
    const QList<double> widening{70, 1.60, 3.00};
    // Up to P - 1: ∫ from 0,60 to 2,00 of (u²/2 + 0,4 u + 0,08) = 2,137333; less up to P - 2, from P 2:
    // 0,064 to P 2,40, 0,372 beyond; × 50.
    QTest::newRow("band's foot crossing the widening at P 2,40")
        << kWidening << widening << "W|Scavo|1|2|" << "85,067|1|70,00|1,2152|scavo da 1,00 a 2,00 m";
    QTest::newRow("band's foot crossing the widening, going up")
        << kWidening << QList<double>{70, 3.00, 1.60} << "W|Scavo|1|2|"
        << "85,067|1|70,00|1,2152|scavo da 1,00 a 2,00 m";
    QTest::newRow("widening, shoring beyond 2,00: the last 50 m, 2,00 to 3,00 deep")
        << kWidening << widening << "W|Armatura|2||" << "250,000|2|50,00|2,5000|pareti armate oltre 2,00 m";
}

void TestMeasures::quantities()
{
    QFETCH(QStringList, areas);
    QFETCH(QList<double>, stretch);
    QFETCH(QString, item);
    QFETCH(QString, measured);

    const std::variant<ItemRule, QString> rule = itemRule(itemOf(item), 1);
    const QString *refused = std::get_if<QString>(&rule);
    QVERIFY2(!refused, refused ? qPrintable(*refused) : "");
    const ItemQuantity quantity = measureItem(TrenchSection(section(areas)), 0.80, std::get<ItemRule>(rule),
                                              stretch[0], stretch[1], stretch[2]);
    const QString shown = QStringList{italianNumber(quantity.quantity, 3), QString::number(quantity.times),
                                      italianNumber(quantity.length, 2),
                                      quantity.factor ? italianNumber(*quantity.factor, 4) : QStringLiteral("-"),
                                      quantity.words}
                              .join(u'|');
    QCOMPARE(shown, measured);
    // The row an estimating program prints multiplies back to the quantity.
    QVERIFY(qAbs(quantity.times * quantity.length * quantity.factor.value_or(1) - quantity.quantity) < 1e-9);
}

void TestMeasures::refused_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("item"); // code|measure|da|a|margin
    QTest::addColumn<QString>("reason");

    const QString measures =
        QStringLiteral("«Misura» deve essere Scavo, Armatura, Pavimentazione, Taglio o Tubazione.");
    QTest::newRow("an unknown word") << 3 << "E.02.030.a|Scavi|||" << "Voce 3 (E.02.030.a): " + measures;
    QTest::newRow("no measure, no code") << 2 << "||1||" << "Voce 2: " + measures;
    QTest::newRow("not a number") << 1 << "S.01|Scavo|1,5 m||"
                                  << "Voce 1 (S.01): il valore «1,5 m» di «Profondità da (m)» non è un numero.";
    QTest::newRow("a negative depth") << 4 << "S.02|Scavo||-2|"
                                      << "Voce 4 (S.02): il valore di «Profondità a (m)» non può essere negativo.";
    QTest::newRow("a depth beyond a kilometre")
        << 1 << "S.01|Scavo||2000|" << "Voce 1 (S.01): il valore «2000» di «Profondità a (m)» è troppo grande.";
    QTest::newRow("da at a, written otherwise")
        << 1 << "S.01|Scavo|1,5|1.50|"
        << "Voce 1 (S.01): «Profondità da (m)» deve essere minore di «Profondità a (m)».";
    QTest::newRow("a margin for Scavo")
        << 1 << "S.01|scavo|||0,10" << "Voce 1 (S.01): per Scavo il campo «Margine (m)» va lasciato vuoto.";
    QTest::newRow("a for Armatura")
        << 6 << "A.01|ARMATURA|1,50|3,00|"
        << "Voce 6 (A.01): per Armatura il campo «Profondità a (m)» va lasciato vuoto.";
    QTest::newRow("da for Pavimentazione")
        << 1 << "P.01|Pavimentazione|0||"
        << "Voce 1 (P.01): per Pavimentazione il campo «Profondità da (m)» va lasciato vuoto.";
    QTest::newRow("not a number where none is used")
        << 7 << "U.01|Tubazione|||abc" << "Voce 7 (U.01): per Tubazione il campo «Margine (m)» va lasciato vuoto.";
}

void TestMeasures::refused()
{
    QFETCH(int, row);
    QFETCH(QString, item);
    QFETCH(QString, reason);

    const std::variant<ItemRule, QString> rule = itemRule(itemOf(item), row);
    QVERIFY(std::holds_alternative<QString>(rule));
    QCOMPARE(std::get<QString>(rule), reason);
}

QTEST_GUILESS_MAIN(TestMeasures)
#include "tst_measures.moc"
