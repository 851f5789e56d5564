#include "form1.h"

#include "countentry.h"
#include "drawing/drawingwindow.h"
#include "editactions.h"
#include "editorannouncer.h"
#include "examplepicture.h"
#include "grid/areagrid.h"
#include "grid/flexgridcontrol.h"
#include "keytextbox.h"
#include "linesbox.h"
#include "messageboxes.h"
#include "section/filepreview.h"
#include "section/sectionclipboard.h"
#include "sectionfiledialog.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QSessionManager>
#include <algorithm>
#include <utility>

namespace {

const QString kAttention = QStringLiteral("Attenzione");
// What a failed save leaves, by the change it was to save.
const QString kValueKept =
    QStringLiteral("\n\nIl valore resta nella tabella e sarà salvato alla prossima conferma.");
const QString kChangeKept = QStringLiteral("\n\nLa modifica resta nella tabella e sarà salvata alla prossima conferma.");
const QString kUndoneKept = QStringLiteral("\n\nLa sezione resta com'era prima della modifica e sarà salvata alla "
                                           "prossima conferma.");

} // namespace

Form1::Form1(const QString &folder, QWidget *parent)
    : CentredWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint),
      m_document(folder), m_folder(folder)
{
    setWindowTitle(QStringLiteral("Profilara"));
    setWindowIcon(QIcon(QPixmap::fromImage(readAsset(QStringLiteral(":/assets/profilara.png"), "png"))));
    setFixedSize(700, 603);
    m_ui.setupUi(this);

    m_messageBox = [this](QMessageBox::Icon icon, const QString &title, const QString &text) {
        showMessage(isVisible() ? this : nullptr, icon, title, text);
    };
    m_question = [this](const QString &title, const QString &text, const QStringList &buttons) {
        return askQuestion(this, title, text, buttons);
    };
    m_chooseFile = [this](SectionFileChoice choice) { return chooseSectionFile(this, choice); };

    connect(m_ui.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(m_ui.Image1, &ExamplePicture::clicked, this, &Form1::Image1_Click);
    connect(m_ui.FlexGrid, &FlexGridControl::Click, this, &Form1::FlexGrid_Click);
    connect(m_ui.FlexGrid, &FlexGridControl::Scroll, this, &Form1::FlexGrid_Scroll);
    connect(m_ui.FlexGrid, &FlexGridControl::KeyPress, this, &Form1::FlexGrid_KeyPress);
    m_ui.Text5->setKeyPressHandler([this](qint16 &key) { Text5_KeyPress(key); });
    m_ui.TXTedit->setKeyPressHandler([this](qint16 &key) { TXTedit_KeyPress(key); });
    m_ui.TXTedit->setKeyDownHandler([this](qint16 &key) { TXTedit_KeyDown(key); });
    m_ui.TXTedit->setLostFocusHandler([this] { TXTedit_LostFocus(); });
    m_ui.TXTedit->setKeypadDecimalPoint(true);
    m_document.setChangeListener([this] { refreshDrawing(); });
    connectCommands();
#ifndef QT_NO_SESSIONMANAGER
    // The session ending asks about the job's changes as a close does.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &manager) {
        if (m_drawing && m_drawing->hasJobChanges() && manager.allowsInteraction()) {
            if (!m_drawing->settleJob())
                manager.cancel();
            manager.release();
        }
    });
#endif
}

// The commands go first: they follow the focus, which moves while the
// controls are destroyed.
Form1::~Form1()
{
    delete std::exchange(m_actions, nullptr);
}

bool Form1::Form_Load()
{
    const SessionStart start = m_document.start();
    for (const SessionNotice &notice : start.notices) {
        // In the order of SessionNotice::Level.
        const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Warning, QMessageBox::Critical};
        m_messageBox(icons[static_cast<int>(notice.level)], kAttention, notice.text);
    }
    return start.starts;
}

void Form1::closeEvent(QCloseEvent *event)
{
    // The job's changes first: its question may keep the program open.
    if ((m_drawing && !m_drawing->settleJob()) || !saveBeforeClosing()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    if (m_drawing)
        m_drawing->close();
    m_document.session().end();
}

// Every confirmed change is saved when it is confirmed; one whose save
// failed is saved now, or the user decides. False: the window stays open.
bool Form1::saveBeforeClosing()
{
    SectionSession &session = m_document.session();
    while (session.hasUnsavedChanges()) {
        const SessionSave saved = session.ScriveFileSezione();
        if (saved.keptCopy)
            m_messageBox(QMessageBox::Warning, kAttention, *saved.keptCopy);
        if (!saved.notSaved)
            return true;
        const int choice = m_question(kAttention, session.closingQuestion(*saved.notSaved),
                                      {QStringLiteral("Riprova"), QStringLiteral("Esci senza salvare"),
                                       QStringLiteral("Annulla")});
        if (choice == 1) {
            if (const std::optional<QString> failure = session.dropUnsavedChanges())
                m_messageBox(QMessageBox::Critical, kAttention, *failure);
            return true;
        }
        if (choice != 0)
            return false;
    }
    return true;
}

void Form1::Form_Activate()
{
    m_ui.Text5->setText(QString::number(table().Naree));
    qint16 key = KeyTextBox::kEnter;
    Text5_KeyPress(key);
    m_ui.Text5->setFocus(); // the editor box hides as it loses the focus
    hideEditor();
    ScriveContenutoFile();
    // Fill once more, never past the grid's last data row (after a recovery
    // the grid may have fewer rows than areas).
    const bool filled = RiempioFlexGrid(*m_ui.FlexGrid, table(), qMin<int>(table().Naree, m_ui.FlexGrid->Rows() - 1));
    Q_ASSERT(filled);
    Q_UNUSED(filled);
    m_ui.Text5->setFocus();
    m_ready = true;
    m_actions->update();
    emit ready();
}

void Form1::Command1_Click()
{
    close();
}

void Form1::Image1_Click()
{
    hideEditor();
}

void Form1::Text5_KeyPress(qint16 &key)
{
    hideEditor();
    if (key != KeyTextBox::kEnter)
        return;
    key = 0;

    // A count that cannot be taken is told, and the section is shown again
    // as it is; the section's own count (a negative one from the file, at
    // start) without a word.
    const QLocale locale;
    const QString typed = m_ui.Text5->text();
    if (const std::optional<QString> refusal = countRefusal(typed, locale, SectionTable::kMaxAreas)) {
        showAreas();
        m_ui.Text5->selectAll();
        if (typed != QString::number(table().Naree))
            m_messageBox(QMessageBox::Information, kAttention, *refusal);
        return;
    }

    // A count that cannot be converted ends in the recovery.
    const std::optional<qint32> rows = countToInt32(typed, locale);
    const std::optional<qint16> count = countToInt16(typed, locale);
    if (!rows || !count)
        return recover();
    const SectionOutcome taken = m_document.takeCount(*count);
    m_ui.Text5->clearUndoHistory(); // its Ctrl+Z now takes back the count
    // Shown as every change is, also when its save failed: the table holds
    // the count, and the next confirmation saves it.
    tellSave(taken.saved, taken.changed() ? kChangeKept : QString());
    showSection(taken.openOn);
}

// What a save came to: another program's kept version first, then a
// failure with its consequence for the change. False when the file was not
// saved.
bool Form1::tellSave(const std::optional<SessionSave> &saved, const QString &consequence)
{
    if (!saved)
        return true;
    if (saved->keptCopy)
        m_messageBox(QMessageBox::Warning, kAttention, *saved->keptCopy);
    if (saved->notSaved)
        m_messageBox(QMessageBox::Warning, kAttention, *saved->notSaved + consequence);
    return !saved->notSaved;
}

void Form1::recover()
{
    const bool shaped = VisualizzoFlexGrid(*m_ui.FlexGrid, 1);
    Q_ASSERT(shaped); // one data row always fits
    Q_UNUSED(shaped);
}

void Form1::FlexGrid_Click()
{
    FlexGridControl &grid = *m_ui.FlexGrid;
    const int column = grid.Col();
    if (column < 0 || column >= SectionTable::kColumns)
        return;

    // Bring the cell into view first, so that the box lies where the grid
    // draws it. This scroll is the opening's own: the box, moved below,
    // stays open and keeps the focus.
    {
        const QSignalBlocker opening(grid);
        grid.showCurrentCell();
    }
    const QRect cell = grid.cellRect();
    KeyTextBox &box = *m_ui.TXTedit;
    box.setGeometry(grid.x() + cell.left(), grid.y() + cell.top(), cell.width(), cell.height());
    box.show();
    box.raise();
    box.setTextSelected(grid.Text());
    // An empty entry falls back to the value the area holds; the empty row
    // of a section without areas holds none.
    const int row = grid.Row();
    ValoreVecchio = row >= 1 && row <= table().areaCount() ? table().Aree[row][column + 1] : box.text();
    announceEditor(box, row, column);
    box.setFocus();
    m_ui.showGuidance(column);
    m_actions->update();
}

// On the grid, as in a spreadsheet: Enter and F2 open the editor on the
// current cell, its text selected; a character opens it holding that
// character, typed over the text.
void Form1::FlexGrid_KeyPress(QKeyEvent *event)
{
    const bool open = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_F2;
    // Ctrl or Alt alone make a command of the key; both are AltGr on Windows.
    const Qt::KeyboardModifiers command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    const bool typed = !event->text().isEmpty() && event->text().at(0).isPrint()
                       && (command == Qt::NoModifier || command == (Qt::ControlModifier | Qt::AltModifier));
    if ((!open && !typed) || m_ui.FlexGrid->Row() < 1)
        return;
    FlexGrid_Click();
    if (typed && !m_ui.TXTedit->isHidden())
        QCoreApplication::sendEvent(m_ui.TXTedit, event);
    event->accept();
}

void Form1::TXTedit_KeyPress(qint16 &key)
{
    if (key == KeyTextBox::kEscape) {
        key = 0;
        hideEditor();
        return;
    }
    if (key != KeyTextBox::kEnter)
        return;
    key = 0;

    FlexGridControl &grid = *m_ui.FlexGrid;
    const qint16 c = static_cast<qint16>(grid.Col());
    const qint16 r = static_cast<qint16>(grid.Row());

    const QString typed = m_ui.TXTedit->text();
    const QString value = typed.isEmpty() ? ValoreVecchio : typed;
    // Only text the user changed is held to what may be typed; the value as
    // it stands (a quoted value from another program's file, say) walks through.
    const qint16 countBefore = table().Naree;
    const SectionOutcome confirmed = m_document.confirmValue({r, c}, value, value != ValoreVecchio);
    if (confirmed.result == SectionOutcome::Result::Refused) {
        m_messageBox(QMessageBox::Warning, kAttention, confirmed.message);
        return; // the editor stays open with what was typed
    }
    // As stored: a decimal comma typed in a column of numbers is a point.
    grid.setText(r <= table().areaCount() ? table().Aree[r][c + 1] : value);
    if (table().Naree != countBefore) { // the empty row became area 1
        m_ui.Text5->setText(QString::number(table().Naree));
        const bool filled = RiempioFlexGrid(grid, table());
        Q_ASSERT(filled);
        Q_UNUSED(filled);
    }
    if (!tellSave(confirmed.saved, kValueKept))
        return;
    ScriveContenutoFile();

    if (c < SectionTable::kColumns - 1) {
        grid.setCol(c + 1);
        grid.setRow(r);
    } else {
        grid.setCol(0);
        const int rows = grid.Rows();
        grid.setRow(r < rows - 1 ? r + 1 : 1);
    }
    FlexGrid_Click();
}

// A move consumes the key: the box it opened on the new cell, all selected,
// must not see it.
void Form1::TXTedit_KeyDown(qint16 &key)
{
    FlexGridControl &grid = *m_ui.FlexGrid;
    const int lastRow = grid.Rows() - 1;
    if (key == KeyTextBox::kUp) {
        key = 0;
        grid.setRow(grid.Row() > 1 ? grid.Row() - 1 : lastRow);
        FlexGrid_Click();
    } else if (key == KeyTextBox::kDown) {
        key = 0;
        grid.setRow(grid.Row() < lastRow ? grid.Row() + 1 : 1);
        FlexGrid_Click();
    }
}

void Form1::TXTedit_LostFocus()
{
    m_ui.showGuidance(-1);
    m_ui.TXTedit->hide();
    m_actions->update();
}

void Form1::FlexGrid_Scroll()
{
    hideEditor();
}

// Hiding the open editor box counts as its losing the focus, whether or not
// the window is active, so the guidance is cleared with it. A box that holds
// the focus leaves it to the grid, on the cell it was editing: a key typed
// next opens the editor there again, and never lands in the count box.
void Form1::hideEditor()
{
    if (m_ui.TXTedit->isHidden())
        return;
    if (focusWidget() == m_ui.TXTedit)
        m_ui.FlexGrid->focusCurrentCell(); // the box hides as it loses the focus
    m_ui.TXTedit->hide();
    m_ui.showGuidance(-1);
    m_actions->update();
}

// The preview shows what the file holds: after a failed save, the section
// as the file still has it.
void Form1::ScriveContenutoFile()
{
    m_ui.Text2->setLines(previewLines(m_document.session().tableInFile()));
}

// The drawing follows the document: every change, saved or not.
void Form1::refreshDrawing()
{
    if (!m_drawing || !m_drawing->isVisible())
        return;
    m_drawing->setSaved(!m_document.session().hasUnsavedChanges());
    m_drawing->refresh();
}

// ---- The commands beyond the handlers --------------------------------------

void Form1::connectCommands()
{
    m_actions = new EditActions(this, m_ui.TXTedit, m_ui.Text5, m_ui.FlexGrid, [this] {
        return EditActions::SectionState{m_document.canUndo(), m_document.canRedo(), m_ui.FlexGrid->Row(),
                                         table().areaCount()};
    });
    const auto on = [this](EditActions::Command command, auto run) {
        connect(m_actions->action(command), &QAction::triggered, this, run);
    };
    on(EditActions::InsertArea, [this] { apply(m_document.insertArea(currentCell()), kChangeKept); });
    on(EditActions::DeleteArea, [this] { apply(m_document.deleteArea(currentCell()), kChangeKept); });
    on(EditActions::MoveAreaUp, [this] { apply(m_document.moveArea(currentCell(), -1), kChangeKept); });
    on(EditActions::MoveAreaDown, [this] { apply(m_document.moveArea(currentCell(), 1), kChangeKept); });
    // A spreadsheet with a decimal comma reads the numbers copied with one.
    on(EditActions::CopyTable, [this] {
        QGuiApplication::clipboard()->setText(sectionAsText(table(), QLocale().decimalPoint() == u','));
    });
    on(EditActions::Drawing, [this] { showDrawing(); });
    on(EditActions::SaveCopy, [this] { saveCopy(); });
    on(EditActions::LoadSection, [this] { loadSection(); });
    connect(m_actions, &EditActions::undoSection, this, [this] { apply(m_document.undo(), kUndoneKept); });
    connect(m_actions, &EditActions::redoSection, this, [this] { apply(m_document.redo(), kChangeKept); });
    connect(m_actions, &EditActions::pasteBlock, this,
            [this](const QString &text) { apply(m_document.pasteBlock(currentCell(), text), kChangeKept); });
}

void Form1::showDrawing()
{
    if (!m_drawing) {
        m_drawing = new DrawingWindow(table(), m_folder, this);
        m_drawing->setFont(font());
        m_drawing->setPalette(palette());
        m_drawing->setQuestion([this](const QString &title, const QString &text, const QStringList &buttons) {
            return m_question(title, text, buttons);
        });
    }
    m_drawing->setSaved(!m_document.session().hasUnsavedChanges());
    m_drawing->refresh();
    m_drawing->showBeside(*this);
}

void Form1::saveCopy()
{
    const QString path = m_chooseFile(SectionFileChoice::SaveCopy);
    if (path.isEmpty())
        return;
    if (const std::optional<QString> failure = m_document.saveCopy(path))
        m_messageBox(QMessageBox::Warning, kAttention, *failure);
}

// Not while typing: EditActions disables it then.
void Form1::loadSection()
{
    const QString path = m_chooseFile(SectionFileChoice::Load);
    if (!path.isEmpty())
        apply(m_document.loadFrom(path), kChangeKept);
}

SectionCell Form1::currentCell() const
{
    return {m_ui.FlexGrid->Row(), m_ui.FlexGrid->Col()};
}

// A change made, refused or not needed: the user is told what it came to,
// and a change is shown with the editor open on it.
void Form1::apply(const SectionOutcome &outcome, const QString &consequence)
{
    if (outcome.result == SectionOutcome::Result::Refused) {
        m_messageBox(QMessageBox::Warning, kAttention, outcome.message);
        return;
    }
    if (outcome.changed()) {
        tellSave(outcome.saved, consequence);
        showSection(outcome.openOn);
    }
    if (!outcome.message.isEmpty())
        m_messageBox(QMessageBox::Information, kAttention, outcome.message);
    m_actions->update();
}

// The section as the table now stands, and the editor open on a cell of
// it; no editor without areas.
void Form1::showSection(const SectionCell &openOn)
{
    showAreas();
    const int count = table().areaCount();
    if (count == 0) {
        m_ui.Text5->setFocus();
        hideEditor();
        return;
    }
    FlexGridControl &grid = *m_ui.FlexGrid;
    grid.setCol(openOn.column);
    grid.setRow(std::clamp(openOn.area, 1, count));
    FlexGrid_Click();
}

// The count box, the preview and the grid as the table now stands; a
// section without areas shows as the count 0 leaves it, with one empty row.
void Form1::showAreas()
{
    FlexGridControl &grid = *m_ui.FlexGrid;
    // A count typed that reads as the section's stays as typed ("2,5" for 2).
    if (countToInt16(m_ui.Text5->text(), QLocale()) != table().Naree)
        m_ui.Text5->setText(QString::number(table().Naree));
    ScriveContenutoFile();
    const bool shown = VisualizzoFlexGrid(grid, table().areaCount()) && RiempioFlexGrid(grid, table());
    Q_ASSERT(shown);
    Q_UNUSED(shown);
    if (table().areaCount() == 0)
        recover();
}
