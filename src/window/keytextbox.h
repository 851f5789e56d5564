#pragma once

#include <QLineEdit>
#include <functional>

// A single-line text box that hands its keys to the window's handlers the
// classic way: a key-down handler gets the key code (Up 38, Down 40), a
// key-press handler the character code (Enter 13, Escape 27), both by
// reference; a code set to 0 consumes the key. Losing the focus
// to another control of the window is reported too; a focus change caused
// by another window (a message box) is not.
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

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    KeyHandler m_keyDown;
    KeyHandler m_keyPress;
    std::function<void()> m_lostFocus;
};
