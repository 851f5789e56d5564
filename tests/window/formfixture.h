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

    // Writes the table's file (unless table is null), loads and shows the
    // window and waits for the start-up sequence. Its messages are recorded
    // in `messages`, or shown in real message boxes.
    explicit StartedForm(const SectionTable *table, MessageBoxes boxes = MessageBoxes::Recorded)
        : StartedForm(
              [table](const QString &path) {
                  if (table)
                      writeBytes(path, encodeSectionFile(*table).bytes);
              },
              boxes)
    {
    }

    // The same, with the folder prepared by prepare(section file path).
    explicit StartedForm(const std::function<void(const QString &path)> &prepare,
                         MessageBoxes boxes = MessageBoxes::Recorded)
    {
        prepare(path());
        form = std::make_unique<Form1>(dir.path());
        if (boxes == MessageBoxes::Recorded) {
            form->setMessageBox([this](QMessageBox::Icon icon, const QString &title, const QString &text) {
                messages.push_back({icon, title, text});
            });
        }
        started = form->Form_Load();
        if (!started)
            return;
        form->showCentred();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTRY_VERIFY(form->isReady());
    }

    static void writeBytes(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    const Form1Ui &ui() const { return form->ui(); }
    FlexGridControl &grid() const { return *form->ui().FlexGrid; }
    KeyTextBox &editor() const { return *form->ui().TXTedit; }
    QString path() const { return sectionFilePath(dir.path()); }

    QByteArray fileBytes() const
    {
        QFile file(path());
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
    bool started = false;
};
