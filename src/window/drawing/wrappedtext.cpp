#include "wrappedtext.h"

#include <QPainter>
#include <algorithm>

WrappedText::WrappedText(const QString &text, const QFont &font, double width, Qt::Alignment alignment,
                         bool wordsWhole)
    : m_layout(std::make_shared<QTextLayout>(QString(text).replace(u'\n', QChar::LineSeparator), font)),
      m_width(std::max(1.0, width))
{
    QTextOption option(alignment);
    option.setWrapMode(wordsWhole ? QTextOption::WordWrap : QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_layout->setTextOption(option);
    m_layout->setCacheEnabled(true);
    m_layout->beginLayout();
    double y = 0;
    for (QTextLine line = m_layout->createLine(); line.isValid(); line = m_layout->createLine()) {
        line.setLineWidth(m_width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    m_layout->endLayout();
}

double WrappedText::height(int first, int last) const
{
    if (last < 0)
        last = lineCount();
    if (first >= last)
        return 0;
    const QTextLine end = m_layout->lineAt(last - 1);
    return end.y() + end.height() - m_layout->lineAt(first).y();
}

bool WrappedText::fits() const
{
    for (int l = 0; l < lineCount(); ++l)
        if (m_layout->lineAt(l).naturalTextWidth() > m_width + 0.01)
            return false;
    return true;
}

QString WrappedText::lineText(int line) const
{
    const QTextLine text = m_layout->lineAt(line);
    return m_layout->text().mid(text.textStart(), text.textLength()).trimmed();
}

void WrappedText::draw(QPainter &painter, const QPointF &topLeft, int first, int last) const
{
    if (last < 0)
        last = lineCount();
    if (first >= last)
        return;
    const QPointF origin = topLeft - QPointF(0, m_layout->lineAt(first).y());
    for (int l = first; l < last; ++l)
        m_layout->lineAt(l).draw(&painter, origin);
}
