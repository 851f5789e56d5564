#pragma once

#include <QAccessibleWidget>
#include <algorithm>

class KeyTextBox;

// What assistive technology reads of a KeyTextBox. It differs from Qt's own
// line edit in three points:
//  - its name and description are the ones the box announces (announce),
//    which change without a change event;
//  - a run of text attributes covers the whole text. Qt's line edit reports
//    an empty run at each offset, and a screen reader that joins the runs
//    to find the text it speaks (Orca does) stops one character short;
//  - text set, inserted, deleted or replaced through it is edited as typed
//    in the box (undone by Ctrl+Z, and counted as typed).
class TextBoxAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface
{
public:
    explicit TextBoxAccessible(KeyTextBox *box);

    // For QAccessible::installFactory: this interface for every KeyTextBox.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                             int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                            int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    KeyTextBox *box() const;
    // -2 stands for the cursor position.
    int resolved(int offset) const { return offset == -2 ? cursorPosition() : offset; }
    // An offset of the text, -1 standing for its end.
    int bounded(int offset) const
    {
        return offset == -1 ? characterCount() : std::clamp(resolved(offset), 0, characterCount());
    }
};
