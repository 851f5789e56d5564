#include "form1.h"

#include "countentry.h"
#include "drawingwindow.h"
#include "examplepicture.h"
#include "grid/areagrid.h"
#include "grid/flexgridcontrol.h"
#include "guidance.h"
#include "keytextbox.h"
#include "linesbox.h"
#include "section/filepreview.h"
#include "section/sectionclipboard.h"
#include "section/valuerules.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>
#include <algorithm>
#include <map>
#include <QCloseEvent>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace {
const QString kAttention = QStringLiteral("Attenzione");

void notifyAccessibility(QWidget &widget, QAccessible::Event type)
{
    QAccessibleEvent event(&widget, type);
    QAccessible::updateAccessibility(&event);
}
} // namespace

Form1::Form1(const QString &folder, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint),
      m_session(folder), m_folder(folder)
{
    setWindowTitle(QStringLiteral("Profilara"));
    setWindowIcon(QIcon(QPixmap::fromImage(readAsset(QStringLiteral(":/assets/profilara.png"), "png"))));
    setFixedSize(700, 603);
    m_ui.setupUi(this);

    m_messageBox = [this](QMessageBox::Icon icon, const QString &title, const QString &text) {
        QMessageBox box(icon, title, text, QMessageBox::Ok, isVisible() ? this : nullptr);
        box.exec();
    };
    m_question = [this](const QString &title, const QString &text, const QStringList &buttons) {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, this);
        QList<QAbstractButton *> added;
        for (const QString &label : buttons)
            added << box.addButton(label, added.size() + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                              : QMessageBox::AcceptRole);
        box.setDefaultButton(qobject_cast<QPushButton *>(added.first()));
        box.setEscapeButton(added.last());
        box.exec();
        return int(added.indexOf(box.clickedButton()));
    };

    connect(m_ui.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(m_ui.Image1, &ExamplePicture::clicked, this, &Form1::Image1_Click);
    connect(m_ui.FlexGrid, &FlexGridControl::Click, this, &Form1::FlexGrid_Click);
    connect(m_ui.FlexGrid, &FlexGridControl::Scroll, this, &Form1::FlexGrid_Scroll);
    m_ui.Text5->setKeyPressHandler([this](qint16 &key) { Text5_KeyPress(key); });
    m_ui.TXTedit->setKeyPressHandler([this](qint16 &key) { TXTedit_KeyPress(key); });
    m_ui.TXTedit->setKeyDownHandler([this](qint16 &key) { TXTedit_KeyDown(key); });
    m_ui.TXTedit->setLostFocusHandler([this] { TXTedit_LostFocus(); });
    m_ui.TXTedit->setShortcutHandler([this](const QKeyEvent &event) { return TXTedit_Shortcut(event); });
    m_ui.TXTedit->setContextMenuHandler([this](const QPoint &at) { showEditMenu(at, true); });
    m_ui.TXTedit->setKeypadDecimalPoint(true);

    // On the grid, as in the editor box (which may be hidden): the context
    // menu (right click, the Menu key, Shift+F10), undo and redo, the copy
    // of the whole table, the paste of a block and the drawing.
    connect(m_ui.FlexGrid, &FlexGridControl::ContextMenu, this, [this](const QPoint &at) { showEditMenu(at, false); });
    const auto onGrid = [this](const QKeySequence &keys, auto run) {
        auto *shortcut = new QShortcut(keys, m_ui.FlexGrid, run);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    };
    onGrid(QKeySequence(Qt::SHIFT | Qt::Key_F10), [this] {
        FlexGridControl &grid = *m_ui.FlexGrid;
        showEditMenu(grid.mapToGlobal(grid.cellRect().center()), false);
    });
    onGrid(QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { undoChange(); });
    onGrid(QKeySequence(Qt::CTRL | Qt::Key_Y), [this] { redoChange(); });
    onGrid(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] { redoChange(); });
    onGrid(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), [this] { copyTable(); });
    onGrid(QKeySequence(Qt::CTRL | Qt::Key_V), [this] { pasteBlock(QGuiApplication::clipboard()->text()); });
    onGrid(QKeySequence(Qt::CTRL | Qt::Key_D), [this] { showDrawing(); });
}

bool Form1::Form_Load()
{
    const SessionStart start = m_session.start();
    for (const SessionNotice &notice : start.notices) {
        // In the order of SessionNotice::Level.
        const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Warning, QMessageBox::Critical};
        m_messageBox(icons[static_cast<int>(notice.level)], kAttention, notice.text);
    }
    return start.starts;
}

void Form1::showCentred()
{
    centreOnScreen();
    m_centring = true; // a platform may activate the window within show()
    show();
}

// Centres the window's frame, title bar included. Before the window is
// first shown its frame is not known and the client area stands for it.
void Form1::centreOnScreen()
{
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - QRect(QPoint(), frameGeometry().size()).center());
}

// A window manager frames the window only after it is shown; by its first
// activation the frame is known, and the window is centred again by it.
void Form1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_centring) {
        m_centring = false;
        if (frameGeometry().size() != size())
            centreOnScreen();
    }
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The start-up sequence runs once, right after the window is first
    // shown; it does not wait for an activation that may never come.
    if (!m_activated) {
        m_activated = true;
        QMetaObject::invokeMethod(this, &Form1::Form_Activate, Qt::QueuedConnection);
    }
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (!saveBeforeClosing()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    if (m_drawing)
        m_drawing->close();
    m_session.end();
}

// Every confirmed change is saved when it is confirmed; one whose save
// failed is saved now, or the user decides. False: the window stays open.
bool Form1::saveBeforeClosing()
{
    while (m_session.hasUnsavedChanges()) {
        const SessionSave saved = m_session.ScriveFileSezione();
        if (saved.keptCopy)
            m_messageBox(QMessageBox::Warning, kAttention, *saved.keptCopy);
        if (!saved.notSaved)
            return true;
        const QString question =
            QStringLiteral("%1\n\nLe ultime modifiche confermate non sono nel file %2. Uscendo senza salvare "
                           "andranno perse.")
                .arg(*saved.notSaved, QDir::toNativeSeparators(sectionFilePath(m_folder)));
        const int choice = m_question(kAttention, question,
                                      {QStringLiteral("Riprova"), QStringLiteral("Esci senza salvare"),
                                       QStringLiteral("Annulla")});
        if (choice == 1)
            return true;
        if (choice != 0)
            return false;
    }
    return true;
}

void Form1::Form_Activate()
{
    const SectionTable &table = m_session.table();
    m_ui.Text5->setText(QString::number(table.Naree));
    qint16 key = KeyTextBox::kEnter;
    Text5_KeyPress(key);
    hideEditor();
    ScriveContenutoFile();
    // Fill once more, never past the grid's last data row (after a recovery
    // the grid may have fewer rows than areas).
    const bool filled = RiempioFlexGrid(*m_ui.FlexGrid, table, qMin<int>(table.Naree, m_ui.FlexGrid->Rows() - 1));
    Q_ASSERT(filled);
    Q_UNUSED(filled);
    m_ui.Text5->setFocus();
    m_history = {}; // the history starts with the program
    m_ready = true;
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

    // Every failure on the way ends in the recovery.
    FlexGridControl &grid = *m_ui.FlexGrid;
    const QLocale locale;
    const std::optional<qint32> rows = countToInt32(m_ui.Text5->text(), locale);
    if (!rows)
        return recover();
    if (*rows > SectionTable::kMaxAreas && *rows <= 32767) {
        m_messageBox(QMessageBox::Information, kAttention,
                     QStringLiteral("Una sezione può avere al massimo %1 aree.").arg(SectionTable::kMaxAreas));
        return recover();
    }
    if (!VisualizzoFlexGrid(grid, *rows))
        return recover();

    const std::optional<qint16> count = countToInt16(m_ui.Text5->text(), locale);
    if (!count)
        return recover();
    m_history.record({m_session.table().Naree, *count, {}, {1, 0}, {1, 0}});
    m_session.table().Naree = *count;
    if (!RiempioFlexGrid(grid, m_session.table()))
        return recover();

    if (!saveSection(QString()))
        return recover();
    ScriveContenutoFile();

    // With no areas there is no row 1.
    if (!grid.setCol(0) || !grid.setRow(1))
        return recover();
    FlexGrid_Click();
}

// The save of both handlers. What the session tells is shown, another
// program's kept version first, and a failure with its consequence for this
// handler. False when the file was not saved.
bool Form1::saveSection(const QString &consequence)
{
    const SessionSave saved = m_session.ScriveFileSezione();
    if (saved.keptCopy)
        m_messageBox(QMessageBox::Warning, kAttention, *saved.keptCopy);
    if (saved.notSaved)
        m_messageBox(QMessageBox::Warning, kAttention, *saved.notSaved + consequence);
    return !saved.notSaved;
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
    // draws it (a scroll hides the box; it is shown again below).
    grid.showCurrentCell();
    const QRect cell = grid.cellRect();
    KeyTextBox &box = *m_ui.TXTedit;
    box.setGeometry(grid.x() + cell.left(), grid.y() + cell.top(), cell.width(), cell.height());
    box.show();
    box.raise();
    box.setText(grid.Text());
    m_openedText = box.text();
    // An empty entry falls back to the value the area holds. The grid shows
    // it too, except on a row the count entry's recovery left blank, where
    // taking the blank cell would erase the area's value.
    const int row = grid.Row();
    ValoreVecchio =
        row >= 1 && row <= SectionTable::kMaxAreas ? m_session.table().Aree[row][column + 1] : box.text();
    box.setSelection(0, static_cast<int>(box.text().size()));
    describeEditor(row, column);
    box.setFocus();
    applyGuidance(column);
    // The box keeps the focus while Enter, Up and Down move it, and the
    // grid reports its new current cell as focused: the box has the last word
    // (unless the window is not active, as during the start-up sequence).
    if (box.hasFocus())
        notifyAccessibility(box, QAccessible::Focus);
}

// What assistive technology reads of the open editor box: the area and the
// column it edits, and the column's hint as the notes box shows it. Qt
// reports a changed name or description by itself; one that stays the same
// (the hint after Up or Down, the same cell opened again) is reported here,
// so that a screen reader hears every opening once.
void Form1::describeEditor(int row, int column)
{
    KeyTextBox &box = *m_ui.TXTedit;
    const QString name = QStringLiteral("Area %1, %2").arg(row).arg(columnTitle(column));
    if (box.accessibleName() == name)
        notifyAccessibility(box, QAccessible::NameChanged);
    else
        box.setAccessibleName(name);
    const QString description = guidanceFor(column).hintLines().join(QLatin1Char('\n'));
    if (box.accessibleDescription() == description)
        notifyAccessibility(box, QAccessible::DescriptionChanged);
    else
        box.setAccessibleDescription(description);
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
    if (const std::optional<QString> problem = confirmationProblem(value, value != ValoreVecchio)) {
        m_messageBox(QMessageBox::Warning, kAttention, *problem);
        return; // the editor stays open with what was typed
    }

    grid.setText(value);
    QString &stored = m_session.table().Aree[r][c + 1];
    if (stored != value) {
        const qint16 count = m_session.table().Naree;
        m_history.record({count, count, {{r, c + 1, stored, value}}, {r, c}, {r, c}});
    }
    stored = value;
    if (!saveSection(QStringLiteral("\n\nIl valore resta nella tabella e sarà salvato alla prossima conferma.")))
        return;
    ScriveContenutoFile();

    if (c < SectionTable::kColumns - 1) {
        grid.setCol(c + 1);
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
    clearGuidance();
    m_ui.TXTedit->hide();
}

void Form1::FlexGrid_Scroll()
{
    hideEditor();
}

// Hiding the open editor box counts as its losing the focus, whether or not
// the window is active, so the guidance is cleared with it.
void Form1::hideEditor()
{
    if (m_ui.TXTedit->isHidden())
        return;
    m_ui.TXTedit->hide();
    clearGuidance();
}

void Form1::ScriveContenutoFile()
{
    m_ui.Text2->setLines(previewLines(m_session.table()));
    // The drawing follows every saved change.
    if (m_drawing && m_drawing->isVisible())
        m_drawing->refresh();
}

void Form1::applyGuidance(int column)
{
    const ColumnGuidance guidance = guidanceFor(column);
    m_ui.Text1->setLines(guidance.hintLines());
    for (int n = 1; n <= 6; ++n)
        m_ui.Image1->setLineVisible(n, guidance.lines.at(n - 1));
    m_ui.Label3->setVisible(guidance.halfLabels);
    m_ui.Label4->setVisible(guidance.halfLabels);
}

void Form1::clearGuidance()
{
    applyGuidance(-1);
}

// ---- Editing beyond the handlers -------------------------------------------

// The keys of the editor box that edit the section; false for a key the box
// itself handles.
bool Form1::TXTedit_Shortcut(const QKeyEvent &event)
{
    KeyTextBox &box = *m_ui.TXTedit;
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    const int key = event.key();
    const bool ctrl = mods == Qt::ControlModifier;
    if (ctrl && key == Qt::Key_Z) {
        // The box's own typing first, as in any text box.
        if (box.text() != m_openedText)
            box.undo();
        else
            undoChange();
    } else if ((ctrl && key == Qt::Key_Y) || (mods == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_Z)) {
        if (box.isRedoAvailable())
            box.redo();
        else
            redoChange();
    } else if ((mods & Qt::ControlModifier) && key == Qt::Key_Plus) {
        insertArea(); // Ctrl++ is Ctrl+Shift+= on some keyboards
    } else if (ctrl && key == Qt::Key_Minus) {
        deleteArea();
    } else if (mods == Qt::AltModifier && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        moveArea(key == Qt::Key_Up ? -1 : 1);
    } else if (mods == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_C) {
        copyTable();
    } else if (event.matches(QKeySequence::Paste)) {
        const QString text = QGuiApplication::clipboard()->text();
        if (!isCellBlock(text))
            return false; // one value: into the box, as typed
        pasteBlock(text);
    } else if (ctrl && key == Qt::Key_D) {
        showDrawing();
    } else if (mods == Qt::ShiftModifier && key == Qt::Key_F10) {
        showEditMenu(box.mapToGlobal(box.rect().bottomLeft()), true);
    } else {
        return false;
    }
    return true;
}

SectionCell Form1::currentCell() const
{
    return {m_ui.FlexGrid->Row(), m_ui.FlexGrid->Col()};
}

void Form1::undoChange()
{
    if (const std::optional<SectionCell> at = m_history.undo(m_session.table())) {
        saveSection(QStringLiteral("\n\nLa sezione resta com'era prima della modifica e sarà salvata alla prossima "
                                   "conferma."));
        showSection(*at);
    }
}

void Form1::redoChange()
{
    if (const std::optional<SectionCell> at = m_history.redo(m_session.table())) {
        saveSection(QStringLiteral("\n\nLa modifica resta nella tabella e sarà salvata alla prossima conferma."));
        showSection(*at);
    }
}

void Form1::insertArea()
{
    applyAreaEdit([](SectionTable &table, const SectionCell &at) { return ::insertArea(table, at.area, at.column); });
}

void Form1::deleteArea()
{
    applyAreaEdit([](SectionTable &table, const SectionCell &at) { return ::deleteArea(table, at.area, at.column); });
}

void Form1::moveArea(int by)
{
    applyAreaEdit(
        [by](SectionTable &table, const SectionCell &at) { return ::moveArea(table, at.area, at.column, by); });
}

void Form1::showDrawing()
{
    if (!m_drawing) {
        m_drawing = new DrawingWindow(m_session.table(), this);
        m_drawing->setFont(font());
        m_drawing->setPalette(palette());
    }
    m_drawing->refresh();
    m_drawing->show();
    m_drawing->raise();
    m_drawing->activateWindow();
}

void Form1::copyTable()
{
    QGuiApplication::clipboard()->setText(sectionAsText(m_session.table(), QLocale().decimalPoint() == u','));
}

void Form1::pasteBlock(const QString &text)
{
    applyAreaEdit(
        [&text](SectionTable &table, const SectionCell &at) { return ::pasteBlock(table, at.area, at.column, text); });
}

// One change of the section, made on the current cell: refused with a
// message and nothing changed, or saved, kept in the history and shown.
void Form1::applyAreaEdit(const std::function<AreaEdit(SectionTable &table, const SectionCell &at)> &edit)
{
    const SectionCell at = currentCell();
    if (at.area < 1 || at.column < 0 || at.column >= SectionTable::kColumns)
        return;
    SectionTable &table = m_session.table();
    const SectionTable before = table;
    const AreaEdit done = edit(table, at);
    if (done.result == AreaEdit::Result::Refused) {
        m_messageBox(QMessageBox::Warning, kAttention, done.message);
        return;
    }
    if (done.result == AreaEdit::Result::Unchanged)
        return;
    SectionChange change = changeBetween(before, table);
    change.undoneAt = at;
    change.redoneAt = done.openOn;
    m_history.record(std::move(change));
    saveSection(QStringLiteral("\n\nLa modifica resta nella tabella e sarà salvata alla prossima conferma."));
    showSection(done.openOn);
    if (!done.message.isEmpty())
        m_messageBox(QMessageBox::Information, kAttention, done.message);
}

// The grid, the count box and the preview as the table now stands, and the
// editor open on a cell of it; a section without areas shows as the count
// 0 leaves it, with one empty row and no editor.
void Form1::showSection(const SectionCell &openOn)
{
    FlexGridControl &grid = *m_ui.FlexGrid;
    const SectionTable &table = m_session.table();
    const int count = table.areaCount();
    m_ui.Text5->setText(QString::number(table.Naree));
    ScriveContenutoFile();
    const bool shown = VisualizzoFlexGrid(grid, count) && RiempioFlexGrid(grid, table);
    Q_ASSERT(shown);
    Q_UNUSED(shown);
    if (count == 0) {
        hideEditor();
        recover();
        m_ui.Text5->setFocus();
        return;
    }
    grid.setCol(openOn.column);
    grid.setRow(std::clamp(openOn.area, 1, count));
    FlexGrid_Click();
}

// The context menu of the editor box (with the box's own text actions) or
// of the grid: each item does what its keys do, and is disabled where it
// cannot act.
void Form1::showEditMenu(const QPoint &globalPos, bool inEditor)
{
    KeyTextBox &box = *m_ui.TXTedit;
    const SectionTable &table = m_session.table();
    const SectionCell at = currentCell();
    const int count = table.areaCount();
    const bool onArea = at.area >= 1 && at.area <= count;
    const QString clipboard = QGuiApplication::clipboard()->text();

    QMenu menu(this);
    std::map<QAction *, std::function<void()>> runs; // run once the menu has closed
    const auto add = [&](const QString &text, const QString &keys, bool enabled, std::function<void()> run) {
        QAction *action = menu.addAction(text + u'\t' + keys);
        action->setEnabled(enabled);
        runs[action] = std::move(run);
    };
    const bool typed = inEditor && box.text() != m_openedText;
    add(QStringLiteral("Annulla"), QStringLiteral("Ctrl+Z"), typed || m_history.canUndo(), [this, typed, &box] {
        typed ? box.undo() : undoChange();
    });
    const bool boxRedo = inEditor && box.isRedoAvailable();
    add(QStringLiteral("Ripeti"), QStringLiteral("Ctrl+Y"), boxRedo || m_history.canRedo(), [this, boxRedo, &box] {
        boxRedo ? box.redo() : redoChange();
    });
    menu.addSeparator();
    if (inEditor) {
        add(QStringLiteral("Taglia"), QStringLiteral("Ctrl+X"), box.hasSelectedText(), [&box] { box.cut(); });
        add(QStringLiteral("Copia"), QStringLiteral("Ctrl+C"), box.hasSelectedText(), [&box] { box.copy(); });
    }
    add(QStringLiteral("Incolla"), QStringLiteral("Ctrl+V"), !clipboard.isEmpty(), [this, inEditor, &box, clipboard] {
        if (inEditor && !isCellBlock(clipboard))
            box.paste();
        else
            pasteBlock(clipboard);
    });
    if (inEditor)
        add(QStringLiteral("Seleziona tutto"), QStringLiteral("Ctrl+A"), !box.text().isEmpty(), [&box] {
            box.selectAll();
        });
    menu.addSeparator();
    add(QStringLiteral("Inserisci area"), QStringLiteral("Ctrl++"),
        at.area >= 1 && at.area <= count + 1 && count < SectionTable::kMaxAreas, [this] { insertArea(); });
    add(QStringLiteral("Elimina area"), QStringLiteral("Ctrl+-"), onArea, [this] { deleteArea(); });
    add(QStringLiteral("Sposta area su"), QStringLiteral("Alt+Freccia su"), onArea && at.area > 1,
        [this] { moveArea(-1); });
    add(QStringLiteral("Sposta area giù"), QStringLiteral("Alt+Freccia giù"), onArea && at.area < count,
        [this] { moveArea(1); });
    menu.addSeparator();
    add(QStringLiteral("Copia tabella"), QStringLiteral("Ctrl+Maiusc+C"), count > 0, [this] { copyTable(); });
    add(QStringLiteral("Disegno della sezione..."), QStringLiteral("Ctrl+D"), true, [this] { showDrawing(); });
    menu.setAccessibleName(QStringLiteral("Modifica della sezione"));
    if (QAction *chosen = menu.exec(globalPos))
        runs[chosen]();
}
