#include "keytextbox.h"

#include "textboxaccessible.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QKeyEvent>

KeyTextBox::KeyTextBox(QWidget *parent) : QLineEdit(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&TextBoxAccessible::create);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
}

namespace {

// The key code a key-down handler receives; the handlers look only at the
// Up and Down arrows.
qint16 keyCode(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        return KeyTextBox::kUp;
    case Qt::Key_Down:
        return KeyTextBox::kDown;
    default:
        return 0;
    }
}

// The character code a key-press handler receives; 0 for a key that types
// no character (an arrow, a shortcut with Ctrl).
qint16 charCode(const QKeyEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier)
        return 0;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyTextBox::kEnter;
    case Qt::Key_Escape:
        return KeyTextBox::kEscape;
    default:
        return event->text().isEmpty() ? 0 : static_cast<qint16>(event->text().at(0).unicode());
    }
}

// Hands a key the handler looks at to it; true when it consumed the key.
bool consumes(const KeyTextBox::KeyHandler &handler, qint16 code)
{
    if (!handler || code == 0)
        return false;
    handler(code);
    return code == 0;
}

// Runs a change of a box that assistive technology is not told of: while it
// lasts, Qt's reports go to a handler that drops them instead of to the
// platform's bridge (Qt takes such a handler only while a screen reader is
// active; otherwise it sends nothing of a box's text).
void unreported(const std::function<void()> &change)
{
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler([](QAccessibleEvent *) {});
    change();
    QAccessible::installUpdateHandler(previous);
}

} // namespace

// The key-down handler sees the key first, then the key-press handler, then
// the line edit. Either handler may move, refill, refocus or hide this very
// box; a key it consumes goes no further, so that one key acts once.
bool KeyTextBox::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && m_commandKey && m_commandKey(*static_cast<QKeyEvent *>(event))) {
        event->ignore(); // the command's shortcut takes it
        return true;
    }
    return QLineEdit::event(event);
}

void KeyTextBox::clearUndoHistory()
{
    const int cursor = cursorPosition();
    setText(text()); // a new text has no history
    setCursorPosition(cursor);
}

void KeyTextBox::keyPressEvent(QKeyEvent *event)
{
    if (m_commandKey && m_commandKey(*event)) {
        event->accept(); // a command that cannot act now
        return;
    }
    if (m_keypadPoint && (event->modifiers() & Qt::KeypadModifier)
        && (event->text() == u"," || event->text() == u".")) {
        QKeyEvent point(event->type(), Qt::Key_Period, event->modifiers(), QStringLiteral("."));
        QLineEdit::keyPressEvent(&point);
        event->accept();
        return;
    }
    if (consumes(m_keyDown, keyCode(event)) || consumes(m_keyPress, charCode(event))) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void KeyTextBox::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_contextMenu)
        return QLineEdit::contextMenuEvent(event);
    m_contextMenu(event->globalPos());
    event->accept();
}

// The selection comes with the focus, and assistive technology reads it
// with the focused box; told apart, a screen reader speaks it twice.
void KeyTextBox::focusInEvent(QFocusEvent *event)
{
    if (m_selectAllOnFocus && event->reason() != Qt::MouseFocusReason && event->reason() != Qt::PopupFocusReason)
        unreported([this] { selectAll(); });
    QLineEdit::focusInEvent(event);
}

void KeyTextBox::setTextSelected(const QString &text)
{
    unreported([this, &text] {
        setText(text);
        selectAll();
    });
}

void KeyTextBox::announce(const QString &name, const QString &description)
{
    m_announcedName = name;
    m_announcedDescription = description;
    if (QAccessible::isActive())
        renewAccessibleObject();
    // Qt reports the box when it takes the focus; one that has it already is
    // reported here.
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

// The box's accessible object goes, and is made anew when next asked for,
// with a new id (a new path on the bus). Qt's cache of accessible objects
// connects the box's destroyed() for every object it makes of the box and
// keeps the connection when the object goes; while every connection there
// is one of those, they go too, so that openings do not add up.
void KeyTextBox::renewAccessibleObject()
{
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(this)));
    if (receivers(SIGNAL(destroyed(QObject *))) == m_accessibleObjectsMade) {
        disconnect(this, &QObject::destroyed, nullptr, nullptr);
        m_accessibleObjectsMade = 0;
    }
}

// The line edit keeps its scrolling to itself; the cursor's place tells it.
QRect KeyTextBox::characterRect(int offset) const
{
    const QString shown = text();
    if (offset < 0 || offset >= shown.size())
        return {};
    const QFontMetrics metrics(font());
    const QRect cursor = cursorRect();
    const int x = cursor.center().x() + metrics.horizontalAdvance(shown.left(offset))
                  - metrics.horizontalAdvance(shown.left(cursorPosition()));
    return QRect(x, cursor.top(), metrics.horizontalAdvance(shown.at(offset)), cursor.height());
}

void KeyTextBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    const bool toOtherWindow =
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    if (!toOtherWindow && m_lostFocus)
        m_lostFocus();
}
