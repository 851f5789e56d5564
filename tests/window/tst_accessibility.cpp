#include "formfixture.h"

#include "window/examplepicture.h"

#include <QAccessible>
#include <QPushButton>

// What assistive technology reads of the window: the names of the controls,
// the described picture, and the editor box telling which cell it edits.

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qFatal("no accessible interface");
    return iface;
}

QWidget *control(const Form1Ui &ui, const QByteArray &name)
{
    const QList<std::pair<QByteArray, QWidget *>> controls{{"Text5", ui.Text5}, {"FlexGrid", ui.FlexGrid->focusProxy()},
                                                           {"Text1", ui.Text1}, {"Text2", ui.Text2},
                                                           {"Command1", ui.Command1}, {"Image1", ui.Image1}};
    for (const auto &[controlName, widget] : controls) {
        if (controlName == name)
            return widget;
    }
    qFatal("no control %s", name.constData());
}

const SectionTable kThreeAreas = namedSection(3);

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

public:
    static void initMain() { setFontSubstitutions(); }

private slots:
    void controlsHaveItalianNames_data();
    void controlsHaveItalianNames();
    void editorSaysWhereItIs_data();
    void editorSaysWhereItIs();
};

void TestAccessibility::controlsHaveItalianNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("label");         // the name of the label related to it, if any
    QTest::addColumn<QStringList>("described"); // what its description tells

    QTest::newRow("Text5") << "Numero aree della sezione" << int(QAccessible::EditableText) << "" << QStringList();
    QTest::newRow("FlexGrid") << "Aree della sezione" << int(QAccessible::Table) << "" << QStringList();
    QTest::newRow("Text1") << "Note" << int(QAccessible::EditableText) << "Note" << QStringList();
    QTest::newRow("Text2") << "Contenuto del file definitivo" << int(QAccessible::EditableText)
                           << "Contenuto del file definitivo" << QStringList();
    QTest::newRow("Command1") << "Esci" << int(QAccessible::Button) << "" << QStringList();
    QTest::newRow("Image1") << "ESEMPIO DI SEZIONE TIPO COSTITUITA DA 3 AREE" << int(QAccessible::Graphic) << ""
                            << QStringList{"tre aree sovrapposte", "per metà nell'AREA 1 e per metà nell'AREA 2",
                                           "H1, H2 e H3", "profondità P", "larghezza L", "di X per lato",
                                           "tan alfa 1, tan alfa 2 e tan alfa 3"};
}

void TestAccessibility::controlsHaveItalianNames()
{
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(QString, label);
    QFETCH(QStringList, described);

    StartedForm f(&kThreeAreas);
    QAccessibleInterface *iface = accessible(control(f.ui(), QTest::currentDataTag()));
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(int(iface->role()), role);
    const auto labels = iface->relations(QAccessible::Label);
    QCOMPARE(labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name), label);
    const QString description = iface->text(QAccessible::Description);
    for (const QString &phrase : described)
        QVERIFY2(description.contains(phrase), qPrintable(phrase));
}

void TestAccessibility::editorSaysWhereItIs_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("key"); // 0: only the click
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    const QString slope = QStringLiteral("Inserire la tangente dell'angolo di inclinazione delle pareti.\n"
                                         "Generalmente uguale a 0.1");

    QTest::newRow("click on area 2, widening")
        << 2 << 2 << 0 << "Area 2, Allargamento della sezione X"
        << "Digitare solo il valore di X,\npenserà il programma a raddoppiarlo intendendo la sezione simmetrica";
    QTest::newRow("Enter from the last column to the next area")
        << 1 << 5 << int(Qt::Key_Return) << "Area 2, Descrizione"
        << "Inserire la descrizione dell'area. Nell'esempio l'AREA 1 potrebbe chiamarsi SABBIA, l'AREA 2 "
           "REINTERRO e l'AREA 3 MASSICCIATA";
    QTest::newRow("Enter to the next column")
        << 3 << 2 << int(Qt::Key_Return) << "Area 3, Inclinazione delle pareti tan alfa" << slope;
    QTest::newRow("Up from area 1 to the last area")
        << 1 << 3 << int(Qt::Key_Up) << "Area 3, Inclinazione delle pareti tan alfa" << slope;
    QTest::newRow("Down from the last area to area 1")
        << 3 << 5 << int(Qt::Key_Down) << "Area 1, Voce di elenco prezzi"
        << "Inserire il codice di una voce di Elenco Prezzi esistente";
}

void TestAccessibility::editorSaysWhereItIs()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, key);
    QFETCH(QString, name);
    QFETCH(QString, description);

    StartedForm f(&kThreeAreas);
    f.clickCell(row, column);
    if (key)
        QTest::keyClick(&f.editor(), Qt::Key(key));

    QAccessibleInterface *editor = accessible(&f.editor());
    QCOMPARE(editor->text(QAccessible::Name), name);
    QCOMPARE(editor->text(QAccessible::Description), description);
    QCOMPARE(f.ui().Text1->toPlainText(), description); // the notes box says the same
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
