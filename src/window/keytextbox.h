#pragma once

#include <QLineEdit>
#include <functional>

// A single-line text box that hands its keys to the window's handlers the
// classic way: a key-down handler gets the key code (Up 38, Down 40), a
// key-press handler the character code (Enter 13, Escape 27), both by
// reference; a code set to 0 consumes the key. Losing the focus
// to another control of the window is reported too; a focus change caused
// by another window (a message box) is not. Assistive technology reads it
// through TextBoxAccessible.
class KeyTextBox : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr qint16 kEnter = 13;
    static constexpr qint16 kEscape = 27;
    static constexpr qint16 kUp = 38;
    static constexpr qint16 kDown = 40;

    using KeyHandler = std::function<void(qint16 &key)>;

    explicit KeyTextBox(QWidget *parent = nullptr);

    void setKeyDownHandler(KeyHandler handler) { m_keyDown = std::move(handler); }
    void setKeyPressHandler(KeyHandler handler) { m_keyPress = std::move(handler); }
    void setLostFocusHandler(std::function<void()> handler) { m_lostFocus = std::move(handler); }
    // The keys of the window's commands: the box leaves them to the
    // commands, even those it has a use of its own for (Ctrl+Z, Ctrl+V), and
    // while a command cannot act its key does nothing here.
    void setCommandKeys(std::function<bool(const QKeyEvent &)> isCommandKey) { m_commandKey = std::move(isCommandKey); }
    // Forgets the typing that Ctrl+Z could take back, keeping the text.
    void clearUndoHistory();
    // Shows a context menu of its own at a global position instead of the
    // line edit's.
    void setContextMenuHandler(std::function<void(const QPoint &)> handler) { m_contextMenu = std::move(handler); }
    // The keypad's decimal key types a point, whatever the keyboard layout
    // gives it (a comma with Italian or German settings).
    void setKeypadDecimalPoint(bool point) { m_keypadPoint = point; }
    // Selects the whole text whenever the box takes the focus, except from a
    // click (which places the cursor) or back from a menu of its own.
    void setSelectAllOnFocus(bool select) { m_selectAllOnFocus = select; }

    // Shows text, all of it selected, for a new opening of the box (see
    // announce): assistive technology is not told of it as an edit, which a
    // screen reader following the box would speak ("selection deleted").
    void setTextSelected(const QString &text);

    // Tells assistive technology that the box now stands for something else,
    // with this name and description. A screen reader takes a focus report
    // of the object it already follows as nothing new, so (while one
    // listens) the box becomes a new accessible object, and one that has the
    // focus is reported focused again; the objects and what Qt keeps for
    // them do not add up. The name and description change without a change
    // event: Qt's AT-SPI bridge sends it with the object where the text
    // belongs, which Orca cannot speak.
    void announce(const QString &name, const QString &description);
    const QString &announcedName() const { return m_announcedName; }
    const QString &announcedDescription() const { return m_announcedDescription; }

    // Where character `offset` is drawn, in the box's coordinates; empty
    // past the text.
    QRect characterRect(int offset) const;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    friend class TextBoxAccessible; // counts the accessible objects made of the box
    void renewAccessibleObject();

    KeyHandler m_keyDown;
    KeyHandler m_keyPress;
    std::function<void()> m_lostFocus;
    std::function<bool(const QKeyEvent &)> m_commandKey;
    std::function<void(const QPoint &)> m_contextMenu;
    bool m_keypadPoint = false;
    bool m_selectAllOnFocus = false;
    QString m_announcedName;
    QString m_announcedDescription;
    int m_accessibleObjectsMade = 0; // since the cache's connections were last dropped
};
