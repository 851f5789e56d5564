#pragma once

#include <QObject>
#include <array>
#include <functional>

class FlexGridControl;
class KeyTextBox;
class QAction;
class QKeyEvent;
class QMenu;
class QPoint;
class QWidget;

// The editing commands of the main window, each a QAction made once with
// its Italian text and its keys. The keys work wherever the focus is in
// the window (the editor box, the grid, the count box): the boxes leave
// them to the commands. The context menus of the grid and of the editor
// box are made of the same actions, so that a menu shows only keys that
// work there. Whether each command can act is decided in one place,
// update(), from the boxes, the clipboard and the section's state.
//
// What stays in a box is done here: Ctrl+Z and Ctrl+Y take back and do
// again the typing in the box with the focus first, a single value is
// pasted into the editor box as typed, and the box's own cut, copy and
// select all. The rest is the window's: the signals below, and the
// triggered() of the other actions.
class EditActions : public QObject
{
    Q_OBJECT

public:
    enum Command {
        Undo,
        Redo,
        Cut,       // the editor box's own, in its menu only
        Copy,      // the editor box's own, in its menu only
        Paste,
        SelectAll, // the editor box's own, in its menu only
        InsertArea,
        DeleteArea,
        MoveAreaUp,
        MoveAreaDown,
        CopyTable,
        Drawing,
        SaveCopy,
        LoadSection,
        kCommands
    };

    // What the section's commands can act on.
    struct SectionState
    {
        bool canUndo = false;
        bool canRedo = false;
        int area = 0;  // the current area (the grid's current row)
        int count = 0; // the section's areas
    };

    // Adds the commands with keys to the window, and takes the keys and the
    // context menus of its editor box, count box and grid.
    EditActions(QWidget *window, KeyTextBox *editor, KeyTextBox *countBox, FlexGridControl *grid,
                std::function<SectionState()> sectionState);
    ~EditActions() override;

    QAction *action(Command command) const { return m_actions[command]; }
    // Whether the editor box holds text typed since it opened: the commands
    // that would replace it cannot act then.
    bool typing() const;
    // Decides, for every command, whether it can act now.
    void update();

signals:
    void undoSection();
    void redoSection();
    void pasteBlock(const QString &text);

private:
    bool isCommandKey(const QKeyEvent &event, bool inCountBox) const;
    KeyTextBox *focusedBox() const;
    void showMenu(const QPoint &globalPos, bool inEditor);
    void readClipboard();

    std::array<QAction *, kCommands> m_actions{};
    KeyTextBox *m_editor;
    KeyTextBox *m_countBox;
    FlexGridControl *m_grid;
    std::function<SectionState()> m_sectionState;
    enum class Clipboard { Empty, Value, Block } m_clipboard = Clipboard::Empty; // what a paste would take
};
