#include "textboxaccessible.h"

#include "keytextbox.h"

#include <algorithm>

TextBoxAccessible::TextBoxAccessible(KeyTextBox *box) : QAccessibleWidget(box, QAccessible::EditableText)
{
    ++box->m_accessibleObjectsMade;
    addControllingSignal(QStringLiteral("textChanged(const QString&)"));
    addControllingSignal(QStringLiteral("returnPressed()"));
}

QAccessibleInterface *TextBoxAccessible::create(const QString &className, QObject *object)
{
    auto *box = qobject_cast<KeyTextBox *>(object);
    return box && className == QLatin1String("KeyTextBox") ? new TextBoxAccessible(box) : nullptr;
}

KeyTextBox *TextBoxAccessible::box() const
{
    return static_cast<KeyTextBox *>(widget());
}

QString TextBoxAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        if (!box()->announcedName().isEmpty())
            return box()->announcedName();
        break;
    case QAccessible::Description:
        if (!box()->announcedDescription().isEmpty())
            return box()->announcedDescription();
        break;
    case QAccessible::Value:
        return box()->text();
    default:
        break;
    }
    return QAccessibleWidget::text(t);
}

void TextBoxAccessible::setText(QAccessible::Text t, const QString &text)
{
    if (t == QAccessible::Value)
        replaceText(0, characterCount(), text);
    else
        QAccessibleWidget::setText(t, text);
}

QAccessible::State TextBoxAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.readOnly = box()->isReadOnly();
    state.selectableText = true;
    return state;
}

void *TextBoxAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

void TextBoxAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !box()->hasSelectedText())
        return;
    *startOffset = box()->selectionStart();
    *endOffset = box()->selectionEnd();
}

int TextBoxAccessible::selectionCount() const
{
    return box()->hasSelectedText() ? 1 : 0;
}

void TextBoxAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void TextBoxAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        box()->deselect();
}

void TextBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        box()->setSelection(startOffset, endOffset - startOffset);
}

int TextBoxAccessible::cursorPosition() const
{
    return box()->cursorPosition();
}

void TextBoxAccessible::setCursorPosition(int position)
{
    box()->setCursorPosition(position);
}

QString TextBoxAccessible::text(int startOffset, int endOffset) const
{
    if (startOffset > endOffset)
        return {};
    return box()->text().mid(startOffset, endOffset - startOffset);
}

QString TextBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int *startOffset, int *endOffset) const
{
    return QAccessibleTextInterface::textBeforeOffset(resolved(offset), boundaryType, startOffset, endOffset);
}

QString TextBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                           int *startOffset, int *endOffset) const
{
    return QAccessibleTextInterface::textAfterOffset(resolved(offset), boundaryType, startOffset, endOffset);
}

QString TextBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                        int *endOffset) const
{
    return QAccessibleTextInterface::textAtOffset(resolved(offset), boundaryType, startOffset, endOffset);
}

int TextBoxAccessible::characterCount() const
{
    return static_cast<int>(box()->text().size());
}

QRect TextBoxAccessible::characterRect(int offset) const
{
    const QRect inBox = box()->characterRect(offset);
    return inBox.isEmpty() ? inBox : inBox.translated(box()->mapToGlobal(QPoint()));
}

int TextBoxAccessible::offsetAtPoint(const QPoint &point) const
{
    return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

void TextBoxAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    Q_UNUSED(startIndex);
    box()->setCursorPosition(endIndex);
}

// The box has one look for all its text: one run, without attributes.
QString TextBoxAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void TextBoxAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void TextBoxAccessible::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

// Through the box's own editing, as if typed: its Ctrl+Z takes it back and
// the box counts it as typed (isModified).
void TextBoxAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    const int start = bounded(startOffset);
    const int end = std::max(start, bounded(endOffset));
    if (start == end && text.isEmpty())
        return;
    box()->setSelection(start, end - start);
    if (text.isEmpty())
        box()->del();
    else
        box()->insert(text);
}
