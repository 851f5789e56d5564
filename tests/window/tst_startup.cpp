#include "formfixture.h"

#include "section/filepreview.h"
#include "window/examplepicture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>

namespace {

// The window as the start-up sequence must leave it.
void verifyReady(const StartedForm &f)
{
    const Form1Ui &ui = f.ui();
    QVERIFY(ui.TXTedit->isHidden());
    QVERIFY(ui.Combo1->isHidden() && ui.Combo2->isHidden());
    QVERIFY(ui.Label3->isHidden() && ui.Label4->isHidden());
    for (int n = 1; n <= 6; ++n)
        QVERIFY(!ui.Image1->line(n).visible);
    QCOMPARE(QApplication::focusWidget(), ui.Text5);
    QCOMPARE(ui.Text5->text(), QString::number(f.form->table().Naree));
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

public:
    static void initMain() { setFontSubstitutions(); } // as main() does at start

private slots:
    void startsFromTheFile_data();
    void startsFromTheFile();
    void missingFileIsReportedAndCreated();
    void unusableFileIsKeptAsBackup();
};

void TestStartup::startsFromTheFile_data()
{
    QTest::addColumn<int>("areas");
    QTest::addColumn<int>("gridRows");
    QTest::addColumn<bool>("rewritten");

    QTest::newRow("no areas: saved, then the one-row recovery") << 0 << 2 << true;
    QTest::newRow("one area") << 1 << 2 << true;
    QTest::newRow("three areas") << 3 << 4 << true;
    QTest::newRow("one hundred areas") << 100 << 101 << true;
    QTest::newRow("negative count: recovery before any save") << -4 << 2 << false;
}

void TestStartup::startsFromTheFile()
{
    QFETCH(int, areas);
    QFETCH(int, gridRows);
    QFETCH(bool, rewritten);

    // The count line without its blanks, as another program may write it:
    // a start that saves writes it back in the file's own form.
    const SectionTable section = namedSection(areas);
    QByteArray bytes = encodeSectionFile(section).bytes;
    const QByteArray countLine = (areas >= 0 ? " " : "") + QByteArray::number(areas) + " \r\n";
    bytes.replace(bytes.indexOf(countLine), countLine.size(), QByteArray::number(areas) + "\r\n");

    StartedForm f([&bytes](const QString &path) { StartedForm::writeBytes(path, bytes); });
    QVERIFY(f.started);

    verifyReady(f);
    QVERIFY(f.messages.empty());
    QCOMPARE(f.form->table(), section);
    QCOMPARE(f.grid().Rows(), gridRows);
    QCOMPARE(f.fileBytes(), rewritten ? encodeSectionFile(section).bytes : bytes);
    if (areas >= 1) {
        QCOMPARE(f.preview(), previewText(section).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QCOMPARE(f.grid().Row(), areas);
        QCOMPARE(f.grid().Col(), 5);
        QCOMPARE(f.grid().Text(), QStringLiteral("a%1c6").arg(areas));
    } else {
        QVERIFY(f.preview().isEmpty());
    }
}

void TestStartup::missingFileIsReportedAndCreated()
{
    StartedForm f(nullptr);
    QCOMPARE(f.messages.size(), size_t(1));
    QCOMPARE(f.messages.front().icon, QMessageBox::Information);
    QCOMPARE(f.messages.front().title, QStringLiteral("Attenzione"));
    QCOMPARE(f.messages.front().text, QStringLiteral("File: ComputoPersonalizzato.txt NON trovato!"));
    verifyReady(f);
    QCOMPARE(f.ui().Text5->text(), QStringLiteral("1"));
    QCOMPARE(f.grid().Rows(), 2);
    QCOMPARE(f.fileBytes(), crlfLines(QList<QByteArray>(11) << " 1 " << "" << "" << "" << "" << "" << ""));
}

void TestStartup::unusableFileIsKeptAsBackup()
{
    const QByteArray broken = crlfLines(QList<QByteArray>(11) << " 150 " << "valori");
    StartedForm f([&broken](const QString &path) {
        StartedForm::writeBytes(path + ".bak", "earlier backup");
        StartedForm::writeBytes(path, broken);
    });
    QVERIFY(f.started);

    QCOMPARE(f.messages.size(), size_t(1));
    QVERIFY(f.messages.front().text.contains(QStringLiteral("150")));
    QVERIFY(f.messages.front().text.contains(QStringLiteral("ComputoPersonalizzato.txt.bak2")));
    QFile backup(f.path() + ".bak2");
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), broken);
    QFile earlier(f.path() + ".bak");
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("earlier backup"));
    QCOMPARE(f.form->table().Naree, 1);
    QCOMPARE(f.fileBytes().count("\r\n"), 18);
    verifyReady(f);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
