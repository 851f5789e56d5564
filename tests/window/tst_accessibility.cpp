#include "formfixture.h"

#include "window/examplepicture.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
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
    const QList<std::pair<QByteArray, QWidget *>> controls{{"Text5", ui.Text5}, {"FlexGrid", ui.FlexGrid},
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

private slots:
    void controlsHaveItalianNames_data();
    void controlsHaveItalianNames();
    void everyFocusableControlIsNamed();
    void headingsLabelTheirBoxes();
    void pictureIsDescribed_data();
    void pictureIsDescribed();
    void editorSaysWhereItIs_data();
    void editorSaysWhereItIs();
};

void TestAccessibility::controlsHaveItalianNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");

    QTest::newRow("Text5") << "Numero aree della sezione" << int(QAccessible::EditableText);
    QTest::newRow("FlexGrid") << "Aree della sezione" << int(QAccessible::Table);
    QTest::newRow("Text1") << "Note" << int(QAccessible::EditableText);
    QTest::newRow("Text2") << "Contenuto del file definitivo" << int(QAccessible::EditableText);
    QTest::newRow("Command1") << "Esci" << int(QAccessible::Button);
    QTest::newRow("Image1") << "ESEMPIO DI SEZIONE TIPO COSTITUITA DA 3 AREE" << int(QAccessible::Graphic);
}

void TestAccessibility::controlsHaveItalianNames()
{
    QFETCH(QString, name);
    QFETCH(int, role);

    StartedForm f(&kThreeAreas);
    QAccessibleInterface *iface = accessible(control(f.ui(), QTest::currentDataTag()));
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(int(iface->role()), role);
}

void TestAccessibility::everyFocusableControlIsNamed()
{
    StartedForm f(&kThreeAreas);
    f.clickCell(1, 0); // the editor box is open, so it is walked too
    QStringList unnamed;
    int walked = 0;
    for (QWidget *widget : f.form->findChildren<QWidget *>()) {
        if (!widget->isVisible() || widget->focusPolicy() == Qt::NoFocus || !widget->isEnabled())
            continue;
        // The grid's viewport takes the grid's focus; it is read as the grid.
        if (widget == f.grid().viewport())
            continue;
        ++walked;
        if (accessible(widget)->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QString::fromLatin1(widget->metaObject()->className());
    }
    QCOMPARE(unnamed, QStringList());
    QCOMPARE(walked, 6); // count box, grid, editor box, notes, preview, Esci
}

void TestAccessibility::headingsLabelTheirBoxes()
{
    StartedForm f(&kThreeAreas);
    for (const auto &[box, heading] : {std::pair<QWidget *, QLabel *>{f.ui().Text1, f.ui().Label6},
                                       std::pair<QWidget *, QLabel *>{f.ui().Text2, f.ui().Label7}}) {
        QList<QAccessibleInterface *> labels;
        for (const auto &[other, relation] : accessible(box)->relations(QAccessible::Label))
            labels << other;
        QCOMPARE(labels, QList<QAccessibleInterface *>{accessible(heading)});
    }
}

void TestAccessibility::pictureIsDescribed_data()
{
    QTest::addColumn<QString>("phrase");

    QTest::newRow("three stacked areas") << "tre aree sovrapposte";
    QTest::newRow("pipe half in each of two areas") << "per metà nell'AREA 1 e per metà nell'AREA 2";
    QTest::newRow("heights") << "H1, H2 e H3";
    QTest::newRow("depth") << "profondità P";
    QTest::newRow("bottom width") << "larghezza L";
    QTest::newRow("widening") << "di X per lato";
    QTest::newRow("slopes") << "tan alfa 1, tan alfa 2 e tan alfa 3";
}

void TestAccessibility::pictureIsDescribed()
{
    QFETCH(QString, phrase);
    StartedForm f(&kThreeAreas);
    const QString description = accessible(f.ui().Image1)->text(QAccessible::Description);
    QVERIFY2(description.contains(phrase), qPrintable(description));
}

void TestAccessibility::editorSaysWhereItIs_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("key"); // 0: only the click
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    const QString widening =
        QStringLiteral("Digitare solo il valore di X,\npenserà il programma a raddoppiarlo intendendo la sezione "
                       "simmetrica");
    const QString slope = QStringLiteral("Inserire la tangente dell'angolo di inclinazione delle pareti.\n"
                                         "Generalmente uguale a 0.1");
    const QString description = QStringLiteral(
        "Inserire la descrizione dell'area. Nell'esempio l'AREA 1 potrebbe chiamarsi SABBIA, l'AREA 2 "
        "REINTERRO e l'AREA 3 MASSICCIATA");
    const QString priceCode = QStringLiteral("Inserire il codice di una voce di Elenco Prezzi esistente");

    QTest::newRow("click on area 2, widening") << 2 << 2 << 0 << "Area 2, Allargamento della sezione X" << widening;
    QTest::newRow("Enter from the last column to the next area")
        << 1 << 5 << int(Qt::Key_Return) << "Area 2, Descrizione" << description;
    QTest::newRow("Enter to the next column") << 3 << 2 << int(Qt::Key_Return)
                                              << "Area 3, Inclinazione delle pareti tan alfa" << slope;
    QTest::newRow("Up from area 1 to the last area")
        << 1 << 3 << int(Qt::Key_Up) << "Area 3, Inclinazione delle pareti tan alfa" << slope;
    QTest::newRow("Down from the last area to area 1")
        << 3 << 5 << int(Qt::Key_Down) << "Area 1, Voce di elenco prezzi" << priceCode;
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
