#include "linesbox.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace {

bool holdsLineBreak(const QStringList &lines)
{
    for (const QString &line : lines) {
        for (QChar c : line) {
            if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
                return true;
        }
    }
    return false;
}

} // namespace

LinesBox::LinesBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    m_lines << QString(); // an empty box holds one empty block
}

void LinesBox::setLines(const QStringList &lines)
{
    const QStringList wanted = lines.isEmpty() ? QStringList{QString()} : lines;
    if (wanted.size() != m_lines.size() || holdsLineBreak(wanted)) {
        setPlainText(wanted.join(QLatin1Char('\n')));
        // A value with a line break of its own spans several blocks.
        m_lines = holdsLineBreak(wanted) ? QStringList() : wanted;
        return;
    }
    QTextBlock block = document()->firstBlock();
    for (qsizetype i = 0; i < wanted.size(); ++i, block = block.next()) {
        if (wanted.at(i) == m_lines.at(i))
            continue;
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(wanted.at(i));
    }
    m_lines = wanted;
    setTextCursor(QTextCursor(document()));
    verticalScrollBar()->setValue(0);
}
