#pragma once

#include <QFrame>
#include <QImage>
#include <QLineF>
#include <array>

// One straight highlight line over the example picture, drawn in mask-pen
// mode: each pixel under it becomes the bitwise AND of the line's colour and
// the picture's pixel, so white ground takes the colour and black detail
// stays black. Ends in picture pixels, width in pixels.
struct HighlightLine
{
    QLineF line;
    QColor colour;
    int width = 1;
    bool visible = false;
};

// Draws a highlight line onto an image in mask-pen mode.
void drawMaskLine(QImage &image, const HighlightLine &line);

// The example picture box Image1: the bitmap at its own size inside a sunken
// 2-pixel border, with the highlight lines Line1..Line6 drawn over it. A
// click on it is reported.
class ExamplePicture : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kBorder = 2;

    explicit ExamplePicture(const QImage &picture, QWidget *parent = nullptr);

    // Line n (1..6) as laid out on the window.
    const HighlightLine &line(int n) const { return m_lines.at(n - 1); }
    void setLineVisible(int n, bool visible);

    // What the box shows inside its border.
    QImage composed() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    std::array<HighlightLine, 6> m_lines;
    mutable QImage m_composed; // null until needed after a change of the lines
};
