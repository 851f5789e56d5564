#include "../formfixture.h"
#include "gridprobe.h"
#include "window/grid/areagrid.h"

namespace {

QString textAt(FlexGridControl &grid, int row, int col)
{
    grid.setRow(row);
    grid.setCol(col);
    return grid.Text();
}

} // namespace

class TestAreaGrid : public WindowTest
{
    Q_OBJECT

private slots:
    void shapesHeaderAndDataRows_data();
    void shapesHeaderAndDataRows();
    void reshapingKeepsRemainingTexts();
    void impossibleShapesFailAndRecover_data();
    void impossibleShapesFailAndRecover();
    void fillCopiesTheTableAsStored();
    void cutTextIsTheTooltip_data();
    void cutTextIsTheTooltip();
    void fillReachesTheLastArea();
    void fillWithNoAreasLeavesCurrentCell();
};

void TestAreaGrid::shapesHeaderAndDataRows_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("no data rows") << 0;
    QTest::newRow("one data row") << 1;
    QTest::newRow("one hundred data rows") << 100;
}

void TestAreaGrid::shapesHeaderAndDataRows()
{
    QFETCH(int, rows);
    FlexGridControl grid;
    const GridProbe probe(grid);
    QVERIFY(VisualizzoFlexGrid(grid, rows));

    QCOMPARE(grid.Rows(), rows + 1);
    QCOMPARE(grid.Cols(), 6);
    QCOMPARE(grid.Row(), rows >= 1 ? rows : 0); // left on the last cell styled
    QCOMPARE(grid.Col(), 5);
    QCOMPARE(probe.colWidth(0), 147);
    for (int c = 1; c < 6; ++c)
        QCOMPARE(probe.colWidth(c), 97);
    QCOMPARE(probe.rowHeight(0), 40);

    const QStringList titles{"Descrizione", "Altezza area H", "Allargamento della sezione X",
                             "Inclinazione delle pareti tan alfa",
                             "Coefficiente di detrazione dell'area tubazione", "Voce di elenco prezzi"};
    for (int c = 0; c < 6; ++c) {
        QCOMPARE(textAt(grid, 0, c), titles.at(c));
        QCOMPARE(probe.cellFont().pixelSize(), 9); // 7 points at 96 dpi, at any logical DPI
        QCOMPARE(probe.cellFont().family().toLower(), QStringLiteral("arial"));
    }
    const QColor info(255, 255, 225); // the light tooltip background, whatever the desktop's palette
    for (int r = 1; r <= rows; ++r) {
        for (int c = 0; c < 6; ++c) {
            grid.setRow(r);
            grid.setCol(c);
            QVERIFY(probe.cellFont().bold());
            QCOMPARE(probe.cellBackColor(), info);
            QCOMPARE(probe.cellForeColor(), QColor(0, 0, 255));
            QCOMPARE(probe.rowHeight(r), 20);
        }
    }
}

void TestAreaGrid::reshapingKeepsRemainingTexts()
{
    FlexGridControl grid;
    const SectionTable table = namedSection(5);
    QVERIFY(VisualizzoFlexGrid(grid, 5));
    QVERIFY(RiempioFlexGrid(grid, table));

    QVERIFY(VisualizzoFlexGrid(grid, 2));
    QCOMPARE(grid.Rows(), 3);
    QCOMPARE(textAt(grid, 2, 5), QStringLiteral("a2c6"));

    QVERIFY(VisualizzoFlexGrid(grid, 5));
    QCOMPARE(textAt(grid, 1, 0), QStringLiteral("a1c1"));
    QCOMPARE(textAt(grid, 4, 0), QString());
    QVERIFY(RiempioFlexGrid(grid, table));
    QCOMPARE(textAt(grid, 4, 0), QStringLiteral("a4c1"));
}

void TestAreaGrid::impossibleShapesFailAndRecover_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("minus one: no header row to style") << -1;
    QTest::newRow("minus two: negative row count") << -2;
    QTest::newRow("more rows than the grid holds") << 1001; // with the header row, one more than the grid holds
    QTest::newRow("largest 32-bit count") << std::numeric_limits<qint32>::max();
}

void TestAreaGrid::impossibleShapesFailAndRecover()
{
    QFETCH(int, rows);
    FlexGridControl grid;
    QVERIFY(VisualizzoFlexGrid(grid, 3));
    QVERIFY(!VisualizzoFlexGrid(grid, rows));
    QCOMPARE(grid.Cols(), 6);

    // The next shaping gives a usable header row again, shown above row 1.
    QVERIFY(VisualizzoFlexGrid(grid, 1));
    QCOMPARE(grid.Rows(), 2);
    grid.resize(600, 120);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(GridProbe(grid).cellAt(QPoint(10, 10)), std::optional(GridCell{0, 0}));
    QCOMPARE(GridProbe(grid).cellAt(QPoint(10, 50)), std::optional(GridCell{1, 0}));
    QCOMPARE(textAt(grid, 0, 0), QStringLiteral("Descrizione"));
}

void TestAreaGrid::fillCopiesTheTableAsStored()
{
    FlexGridControl grid;
    SectionTable table = namedSection(2);
    table.Aree[2][2] = QStringLiteral("  *1.2");
    table.Aree[1][1] = QStringLiteral("profondità");
    QVERIFY(VisualizzoFlexGrid(grid, 2));
    QVERIFY(RiempioFlexGrid(grid, table));

    QCOMPARE(grid.Row(), 2);
    QCOMPARE(grid.Col(), 5);
    for (int r = 1; r <= 2; ++r)
        for (int c = 0; c < 6; ++c)
            QCOMPARE(textAt(grid, r, c), table.Aree[r][c + 1]);
}

void TestAreaGrid::cutTextIsTheTooltip_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("cut");

    QTest::newRow("a height") << 1 << "*1.20" << false;
    QTest::newRow("a description that fits its column") << 0 << "MASSICCIATA" << false;
    QTest::newRow("two words that need two lines") << 0 << "MASSICCIATA STRADALE" << true;
    QTest::newRow("a description longer than its column") << 0
                                                          << "Rinfianco e ricoprimento della tubazione con sabbia"
                                                          << true;
    QTest::newRow("one long word in a column of numbers") << 1 << "0.123456789012345678901234" << true;
    QTest::newRow("two lines from another program's file") << 5 << "A.01\r\nA.02" << true;
    QTest::newRow("an empty cell") << 0 << "" << false;
}

// A value the grid cuts has its whole text as the tooltip; the layout
// stays. Filled again with a short value, the tooltip goes.
void TestAreaGrid::cutTextIsTheTooltip()
{
    QFETCH(int, column);
    QFETCH(QString, value);
    QFETCH(bool, cut);

    FlexGridControl grid;
    const GridProbe probe(grid);
    SectionTable table = namedSection(2);
    table.Aree[2][column + 1] = value;
    QVERIFY(VisualizzoFlexGrid(grid, 2));
    QVERIFY(RiempioFlexGrid(grid, table));
    grid.setRow(2);
    grid.setCol(column);
    QCOMPARE(probe.cellToolTip(), cut ? value : QString());
    QCOMPARE(probe.colWidth(column), column == 0 ? 147 : 97);
    QCOMPARE(probe.rowHeight(2), 20);
    grid.resize(700, 120);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(probe.shownToolTip(2, column), cut ? value : QString());

    grid.setText(QStringLiteral("0.1"));
    QCOMPARE(probe.cellToolTip(), QString());
    grid.setRow(1);
    QCOMPARE(probe.cellToolTip(), QString());
}

void TestAreaGrid::fillReachesTheLastArea()
{
    FlexGridControl grid;
    QVERIFY(VisualizzoFlexGrid(grid, 100));
    QVERIFY(RiempioFlexGrid(grid, namedSection(100)));
    QCOMPARE(grid.Row(), 100);
    QCOMPARE(grid.Col(), 5);
    QCOMPARE(textAt(grid, 100, 5), QStringLiteral("a100c6"));
}

void TestAreaGrid::fillWithNoAreasLeavesCurrentCell()
{
    FlexGridControl grid;
    QVERIFY(VisualizzoFlexGrid(grid, 3));
    grid.setRow(2);
    grid.setCol(1);
    QVERIFY(RiempioFlexGrid(grid, namedSection(0)));
    QCOMPARE(grid.Row(), 2);
    QCOMPARE(grid.Col(), 1);
    QCOMPARE(textAt(grid, 1, 0), QString());
}

QTEST_MAIN(TestAreaGrid)
#include "tst_areagrid.moc"
