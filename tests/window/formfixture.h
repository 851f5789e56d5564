#pragma once

// Shared by the window tests: a section file in a temporary folder, a Form1
// started on it the way the program starts, and the messages it showed.

#include "section/sectionfile.h"
#include "testsupport.h"
#include "window/fontsubstitutions.h"
#include "window/form1.h"
#include "window/form1ui.h"
#include "window/grid/flexgridcontrol.h"
#include "window/keytextbox.h"
#include "window/linesbox.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

// The base of the window tests: fonts set up as main() sets them at start.
class WindowTest : public QObject
{
public:
    static void initMain() { setFontSubstitutions(); }
};

// The notes box's hint for each column, as it shows it.
inline const QString kHints[6] = {
    QStringLiteral("Inserire la descrizione dell'area. Nell'esempio l'AREA 1 potrebbe chiamarsi SABBIA, "
                   "l'AREA 2 REINTERRO e l'AREA 3 MASSICCIATA"),
    QStringLiteral("Immettere direttamente l'altezza H dell'area \n(H2 - linea rossa nell'esempio)\noppure digitare * "
                   "(che indica la dipendenza dell'altezza dalla profondità della tubazione) seguito dalla somma "
                   "delle altezze fisse al di sopra di P \n(H3+parte di H1 - linee blu nell'esempio)"),
    QStringLiteral("Digitare solo il valore di X,\n"
                   "penserà il programma a raddoppiarlo intendendo la sezione simmetrica"),
    QStringLiteral("Inserire la tangente dell'angolo di inclinazione delle pareti.\nGeneralmente uguale a 0.1"),
    QStringLiteral("Se un'area della sezione include una parte di tubazione è possibile inserire qui il coefficiente "
                   "di area tubazione da detrarre nel computo.\nNell'esempio l'AREA 1 e l'AREA 2 contengono "
                   "entrambe il 50% della superficie della tubazione, per cui il coefficiente sarebbe 0.5 "),
    QStringLiteral("Inserire il codice di una voce di Elenco Prezzi esistente"),
};

struct Message
{
    QMessageBox::Icon icon;
    QString title;
    QString text;
};

class StartedForm
{
public:
    enum class MessageBoxes { Recorded, Shown };

    // Writes the section file's bytes, loads and shows the window and waits
    // for the start-up sequence.
    explicit StartedForm(const QByteArray &bytes)
        : StartedForm([&bytes](const QString &path) { writeBytes(path, bytes); })
    {
    }

    // The same, with the folder prepared by prepare(section file path). Its
    // messages are recorded in `messages`, or shown in real message boxes.
    explicit StartedForm(const std::function<void(const QString &path)> &prepare,
                         MessageBoxes boxes = MessageBoxes::Recorded)
    {
        prepare(path());
        form = std::make_unique<Form1>(dir.path());
        if (boxes == MessageBoxes::Recorded) {
            form->setMessageBox([this](QMessageBox::Icon icon, const QString &title, const QString &text) {
                messages.push_back({icon, title, text});
            });
            form->setQuestion([this](const QString &title, const QString &text, const QStringList &buttons) {
                questions.push_back({QMessageBox::Warning, title, text});
                return answer ? answer(buttons) : int(buttons.size()) - 1;
            });
        }
        started = form->Form_Load();
        if (!started)
            return;
        form->showCentred();
        form->activateWindow(); // on an X display without a window manager, none does it
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTRY_VERIFY(form->isReady());
    }

    // Writes a file; an hour-old one is dated back once flushed, as a copy
    // that keeps its source's time.
    static void writeBytes(const QString &path, const QByteArray &bytes, bool hourOld = false)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush());
        if (hourOld)
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    }

    const Form1Ui &ui() const { return form->ui(); }
    FlexGridControl &grid() const { return *form->ui().FlexGrid; }
    KeyTextBox &editor() const { return *form->ui().TXTedit; }
    QString path() const { return sectionFilePath(dir.path()); }

    // The section file's bytes, or of the file named by it and a suffix.
    QByteArray fileBytes(const QString &suffix = {}) const
    {
        QFile file(path() + suffix);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QString preview() const { return ui().Text2->toPlainText(); }

    // Types a count into the count box as a user would and presses Enter.
    void enterCount(const QString &text) const
    {
        ui().Text5->setFocus();
        ui().Text5->selectAll();
        QTest::keyClick(ui().Text5, Qt::Key_Backspace);
        QTest::keyClicks(ui().Text5, text);
        QTest::keyClick(ui().Text5, Qt::Key_Return);
    }

    // Clicks data cell (row, column) of the grid, bringing it into view first.
    void clickCell(int row, int column) const
    {
        grid().setRow(row);
        grid().setCol(column);
        grid().showCurrentCell();
        clickGridAt(grid().cellRect().center());
    }

    // Clicks the grid at a point of its own, on whatever part of it lies there.
    void clickGridAt(const QPoint &point) const
    {
        QWidget *target = grid().childAt(point);
        if (!target)
            target = &grid();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&grid(), point));
    }

    // Types text into the editor box one character at a time (QTest's
    // keyClicks cannot type non-ASCII letters).
    void type(const QString &text) const
    {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, &editor(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    QTemporaryDir dir;
    std::unique_ptr<Form1> form;
    std::vector<Message> messages;
    std::vector<Message> questions;
    // Answers a question by the index of a button; unset: the last, the cancel button.
    std::function<int(const QStringList &buttons)> answer;
    bool started = false;
};
