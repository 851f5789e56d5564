#include "editactions.h"

#include "grid/flexgridcontrol.h"
#include "keytextbox.h"
#include "section/sectionclipboard.h"
#include "section/sectiontable.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>

namespace {

// A standard key's sequences, with `first` before them (shown in menus).
QList<QKeySequence> standardKeys(QKeySequence::StandardKey key, const QKeySequence &first = {})
{
    QList<QKeySequence> keys;
    if (!first.isEmpty())
        keys << first;
    for (const QKeySequence &binding : QKeySequence::keyBindings(key)) {
        if (!keys.contains(binding))
            keys << binding;
    }
    return keys;
}

} // namespace

EditActions::EditActions(QWidget *window, KeyTextBox *editor, KeyTextBox *countBox, FlexGridControl *grid,
                         std::function<SectionState()> sectionState)
    : QObject(window), m_editor(editor), m_countBox(countBox), m_grid(grid), m_sectionState(std::move(sectionState))
{
    const auto make = [&](Command command, const QString &text, const QList<QKeySequence> &keys) {
        auto *action = new QAction(text, this);
        action->setShortcuts(keys);
        // The box's own commands act through the box's keys; in the menu only.
        if (command != Cut && command != Copy && command != SelectAll)
            window->addAction(action);
        m_actions[command] = action;
    };
    const Qt::KeyboardModifiers keypadCtrl = Qt::ControlModifier | Qt::KeypadModifier;
    make(Undo, QStringLiteral("Annulla"), standardKeys(QKeySequence::Undo));
    make(Redo, QStringLiteral("Ripeti"), standardKeys(QKeySequence::Redo, QKeySequence(Qt::CTRL | Qt::Key_Y)));
    make(Cut, QStringLiteral("Taglia"), standardKeys(QKeySequence::Cut));
    make(Copy, QStringLiteral("Copia"), standardKeys(QKeySequence::Copy));
    make(Paste, QStringLiteral("Incolla"), standardKeys(QKeySequence::Paste));
    make(SelectAll, QStringLiteral("Seleziona tutto"), standardKeys(QKeySequence::SelectAll));
    // Ctrl++ is Ctrl+Shift+= on some keyboards, and the keypad has its own.
    make(InsertArea, QStringLiteral("Inserisci area"),
         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal), QKeySequence(keypadCtrl | Qt::Key_Plus)});
    make(DeleteArea, QStringLiteral("Elimina area"),
         {QKeySequence(Qt::CTRL | Qt::Key_Minus), QKeySequence(keypadCtrl | Qt::Key_Minus)});
    make(MoveAreaUp, QStringLiteral("Sposta area su"), {QKeySequence(Qt::ALT | Qt::Key_Up)});
    make(MoveAreaDown, QStringLiteral("Sposta area giù"), {QKeySequence(Qt::ALT | Qt::Key_Down)});
    make(CopyTable, QStringLiteral("Copia tabella"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)});
    make(Drawing, QStringLiteral("Disegno della sezione..."), {QKeySequence(Qt::CTRL | Qt::Key_D)});
    make(SaveCopy, QStringLiteral("Salva copia della sezione..."), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    make(LoadSection, QStringLiteral("Carica sezione da file..."), {QKeySequence(Qt::CTRL | Qt::Key_O)});

    // What stays in a box.
    connect(m_actions[Undo], &QAction::triggered, this, [this] {
        if (KeyTextBox *box = focusedBox(); box && box->isUndoAvailable())
            return box->undo();
        emit undoSection();
    });
    connect(m_actions[Redo], &QAction::triggered, this, [this] {
        if (KeyTextBox *box = focusedBox(); box && box->isRedoAvailable())
            return box->redo();
        if (!typing())
            emit redoSection();
    });
    connect(m_actions[Paste], &QAction::triggered, this, [this] {
        const QString text = QApplication::clipboard()->text();
        if (m_editor->hasFocus() && !isCellBlock(text))
            return m_editor->paste();
        if (!typing())
            emit pasteBlock(text);
    });
    connect(m_actions[Cut], &QAction::triggered, m_editor, &KeyTextBox::cut);
    connect(m_actions[Copy], &QAction::triggered, m_editor, &KeyTextBox::copy);
    connect(m_actions[SelectAll], &QAction::triggered, m_editor, &KeyTextBox::selectAll);

    // The boxes leave the commands' keys to them; the count box keeps its
    // own Ctrl+V.
    m_editor->setCommandKeys([this](const QKeyEvent &event) { return isCommandKey(event, false); });
    m_countBox->setCommandKeys([this](const QKeyEvent &event) { return isCommandKey(event, true); });
    m_editor->setContextMenuHandler([this](const QPoint &at) { showMenu(at, true); });
    connect(m_grid, &FlexGridControl::ContextMenu, this, [this](const QPoint &at) { showMenu(at, false); });
    // Shift+F10 opens the context menu where the Menu key would.
    new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), window, this, [this] {
        QWidget *focus = QApplication::focusWidget();
        if (focus == m_editor) {
            showMenu(m_editor->mapToGlobal(m_editor->rect().bottomLeft()), true);
        } else if (focus && m_grid->isAncestorOf(focus)) {
            showMenu(m_grid->mapToGlobal(m_grid->cellRect().center()), false);
        } else if (focus) {
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2), focus->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(focus, &event);
        }
    });

    // What the commands can act on follows the boxes, the focus and the
    // clipboard (the window tells of the section's changes).
    for (KeyTextBox *box : {m_editor, m_countBox})
        connect(box, &KeyTextBox::textChanged, this, &EditActions::update);
    connect(m_editor, &KeyTextBox::selectionChanged, this, &EditActions::update);
    connect(qApp, &QApplication::focusChanged, this, &EditActions::update);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &EditActions::readClipboard);
    readClipboard();
}

// The boxes outlive the commands while the window is destroyed.
EditActions::~EditActions()
{
    for (KeyTextBox *box : {m_editor, m_countBox})
        box->setCommandKeys({});
    m_editor->setContextMenuHandler({});
}

// The clipboard is read when it changes, not at every key: on X11 a read
// asks the program that owns it.
void EditActions::readClipboard()
{
    const QString text = QApplication::clipboard()->text();
    m_clipboard = text.isEmpty() ? Clipboard::Empty : isCellBlock(text) ? Clipboard::Block : Clipboard::Value;
    update();
}

bool EditActions::typing() const
{
    return !m_editor->isHidden() && m_editor->isModified();
}

KeyTextBox *EditActions::focusedBox() const
{
    QWidget *focus = QApplication::focusWidget();
    return focus == m_editor ? m_editor : focus == m_countBox ? m_countBox : nullptr;
}

// Typing in the editor box is never dropped: while it holds text typed
// since it opened, the commands that would replace it (the area
// operations, the section's redo, a block paste, a load) cannot act.
void EditActions::update()
{
    const SectionState section = m_sectionState();
    const KeyTextBox *box = focusedBox();
    const bool onArea = section.area >= 1 && section.area <= section.count;
    const bool free = !typing();
    const bool selection = m_editor->hasSelectedText();
    const auto enable = [this](Command command, bool enabled) { m_actions[command]->setEnabled(enabled); };
    enable(Undo, (box && box->isUndoAvailable()) || section.canUndo);
    enable(Redo, (box && box->isRedoAvailable()) || (free && section.canRedo));
    enable(Cut, selection);
    enable(Copy, selection);
    enable(Paste, m_clipboard == Clipboard::Value || (free && m_clipboard == Clipboard::Block));
    enable(SelectAll, !m_editor->text().isEmpty());
    enable(InsertArea, free && section.area >= 1 && section.area <= section.count + 1
                           && section.count < SectionTable::kMaxAreas);
    enable(DeleteArea, free && onArea);
    enable(MoveAreaUp, free && onArea && section.area > 1);
    enable(MoveAreaDown, free && onArea && section.area < section.count);
    enable(CopyTable, section.count > 0);
    enable(Drawing, true);
    enable(SaveCopy, true);
    enable(LoadSection, free);
}

bool EditActions::isCommandKey(const QKeyEvent &event, bool inCountBox) const
{
    const QKeySequence pressed(event.keyCombination());
    for (int command = 0; command < kCommands; ++command) {
        const bool boxOwn = command == Cut || command == Copy || command == SelectAll || (inCountBox && command == Paste);
        if (!boxOwn && m_actions[command]->shortcuts().contains(pressed))
            return true;
    }
    return false;
}

// The context menu of the editor box, with the box's own commands, or of
// the grid.
void EditActions::showMenu(const QPoint &globalPos, bool inEditor)
{
    update();
    QMenu menu(m_grid->window());
    menu.setAccessibleName(QStringLiteral("Modifica della sezione"));
    menu.addActions({m_actions[Undo], m_actions[Redo]});
    menu.addSeparator();
    if (inEditor)
        menu.addActions({m_actions[Cut], m_actions[Copy], m_actions[Paste], m_actions[SelectAll]});
    else
        menu.addAction(m_actions[Paste]);
    menu.addSeparator();
    menu.addActions({m_actions[InsertArea], m_actions[DeleteArea], m_actions[MoveAreaUp], m_actions[MoveAreaDown]});
    menu.addSeparator();
    menu.addActions({m_actions[CopyTable], m_actions[Drawing]});
    menu.addSeparator();
    menu.addActions({m_actions[SaveCopy], m_actions[LoadSection]});
    menu.exec(globalPos);
}
