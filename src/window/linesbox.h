#pragma once

#include <QPlainTextEdit>
#include <QStringList>

// A read-only, multi-line text box that shows lines of text, one per block:
// the notes box and the preview box. When it already shows as many lines,
// only the lines that differ are rewritten; a full reload lays out every
// line again, which is most of the cost of a confirmation with 600 values.
// Either way the box ends as a reload leaves it, scrolled to the first line.
class LinesBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit LinesBox(QWidget *parent = nullptr);

    void setLines(const QStringList &lines);

private:
    QStringList m_lines; // what the box shows, line by line
};
