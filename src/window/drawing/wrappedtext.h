#pragma once

#include <QFont>
#include <QString>
#include <QTextLayout>
#include <memory>

class QPainter;

// A text laid out in lines at a width, wrapped at word boundaries. Where a
// word is wider than the width it is broken within the word too, unless
// the text is to be kept whole (wordsWhole), in which case it runs over
// and fits() tells. A line break in the text starts a new line.
class WrappedText
{
public:
    WrappedText(const QString &text, const QFont &font, double width, Qt::Alignment alignment = Qt::AlignLeft,
                bool wordsWhole = false);

    int lineCount() const { return m_layout->lineCount(); }
    // The height of lines [first, last); all of them by default.
    double height(int first = 0, int last = -1) const;
    // Whether every line lies within the width.
    bool fits() const;
    QString lineText(int line) const;
    // Draws lines [first, last) with the top of the first at topLeft.
    void draw(QPainter &painter, const QPointF &topLeft, int first = 0, int last = -1) const;

private:
    std::shared_ptr<QTextLayout> m_layout; // QTextLayout cannot be copied
    double m_width;
};
