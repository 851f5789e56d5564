#include "formfixture.h"

#include "window/dimensionbox.h"
#include "window/drawingwindow.h"
#include "window/sectionpicture.h"

// The drawing window with the worked example: the dimensions typed with a
// comma.

namespace {

// L 0.80, P 1.50, D 0.40: the quantities are worked out by hand in
// tst_sectiondrawing.
SectionTable workedExample()
{
    SectionTable table;
    table.Naree = 3;
    const QStringList areas[] = {{"SABBIA", "0.30", "0.10", "0.2", "0.5", "E.01.001"},
                                 {"RINTERRO", "*0.50", "0", "0.2", "0.5", "E.01.002"},
                                 {"PAVIMENTAZIONE", "0.40", "0.15", "0", "0", "E.01.003"}};
    for (int a = 0; a < 3; ++a)
        for (int c = 0; c < 6; ++c)
            table.Aree[a + 1][c + 1] = areas[a][c];
    return table;
}

struct ShownWindow
{
    SectionTable table = workedExample();
    DrawingWindow window{table, nullptr};

    ShownWindow()
    {
        window.refresh();
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    template<typename T>
    T *child(const QString &accessibleName = {}) const
    {
        for (T *found : window.findChildren<T *>())
            if (accessibleName.isEmpty() || found->accessibleName() == accessibleName)
                return found;
        return nullptr;
    }
};

} // namespace

class TestDrawingWindow : public WindowTest
{
    Q_OBJECT

private slots:
    void dimensionsTakeACommaOrAPoint_data();
    void dimensionsTakeACommaOrAPoint();
};

// L, P and D as typed in their boxes, shown as the drawing gives them.
void TestDrawingWindow::dimensionsTakeACommaOrAPoint_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("area1"); // the drawing's words for area 1

    QTest::newRow("L 0,90 with a comma") << "Larghezza di fondo L (m)" << "0,90" << "0.90"
                                         << "Area 1, SABBIA: altezza 0.3 m, larghezza al piede 1.1 m, in sommità 1.22 m.";
    QTest::newRow("L 0.90 with a point") << "Larghezza di fondo L (m)" << "0.90" << "0.90"
                                         << "Area 1, SABBIA: altezza 0.3 m, larghezza al piede 1.1 m, in sommità 1.22 m.";
    QTest::newRow("P 2,5") << "Profondità P del fondo tubo (m)" << "2,5" << "2.50"
                           << "Area 1, SABBIA: altezza 0.3 m, larghezza al piede 1 m, in sommità 1.12 m.";
}

void TestDrawingWindow::dimensionsTakeACommaOrAPoint()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, area1);

    ShownWindow w;
    auto *field = w.child<DimensionBox>(box);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, typed);
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(field->text(), shown);
    QVERIFY(w.window.picture().accessibleDescription().startsWith(area1));
}

QTEST_MAIN(TestDrawingWindow)
#include "tst_drawingwindow.moc"
