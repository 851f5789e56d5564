#include "keytextbox.h"

#include <QKeyEvent>

KeyTextBox::KeyTextBox(QWidget *parent) : QLineEdit(parent) {}

qint16 KeyTextBox::keyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Up:
        return kUp;
    case Qt::Key_Down:
        return kDown;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Escape:
        return kEscape;
    default:
        return qtKey >= 0x20 && qtKey < 0x7f ? static_cast<qint16>(QChar(qtKey).toUpper().unicode()) : 0;
    }
}

void KeyTextBox::keyPressEvent(QKeyEvent *event)
{
    if (m_keyDown) {
        qint16 code = keyCode(event->key());
        m_keyDown(code);
    }

    QString text = event->text();
    if (text.isEmpty() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        text = QStringLiteral("\r");
    if (text.isEmpty() && event->key() == Qt::Key_Escape)
        text = QStringLiteral("\x1b");
    if (m_keyPress && !text.isEmpty() && !(event->modifiers() & Qt::ControlModifier)) {
        qint16 code = static_cast<qint16>(text.at(0).unicode());
        m_keyPress(code);
        if (code == 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void KeyTextBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    const bool toOtherWindow =
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    if (!toOtherWindow && m_lostFocus)
        m_lostFocus();
}
