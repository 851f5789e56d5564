#pragma once

#include "takeoff/sectiondrawing.h"

#include <QWidget>
#include <optional>

// The user's section drawn to scale, black on white: each area outlined
// with its number and description (beside it, with its height, when they
// do not fit inside, clear of the pipe), its height dimensioned on the
// right, the bottom width L below (and area 1's, when X1 widens it); for a
// section drawn whole, the pipe with its diameter D (inside it, or on the
// left with a leader when the pipe is too small for it), and on the left the
// depth P and the height of the pipe's bottom above the trench bottom. One
// scale across and down, fitted to the widget.
class SectionPicture : public QWidget
{
    Q_OBJECT

public:
    explicit SectionPicture(QWidget *parent = nullptr);

    void setDrawing(const SectionDrawing &drawing, const ExampleDimensions &dimensions);
    // What the picture shows, area by area, in words.
    static QString describe(const SectionDrawing &drawing);

    // The picture as an image `factor` times its size, for the clipboard.
    QImage image(double factor) const;

    // Paints a drawing in font into room, at pixelsPerMetre or, when that is
    // 0, at the largest scale that fits. Returns the scale it used.
    static double paint(QPainter &painter, const QRectF &room, const QFont &font, const SectionDrawing &drawing,
                        const ExampleDimensions &dimensions, double pixelsPerMetre = 0);
    // The largest scale at which paint fits the drawing into size.
    static double scaleToFit(const QFont &font, const SectionDrawing &drawing, const ExampleDimensions &dimensions,
                             const QSizeF &size);
    // Where paint writes "D = ...": inside the pipe when it fits, else on
    // the left, outside the trench, with a leader to the pipe. Nothing
    // when no pipe is drawn.
    static std::optional<QRectF> diameterText(const QFont &font, const SectionDrawing &drawing,
                                              const ExampleDimensions &dimensions, const QRectF &room,
                                              double pixelsPerMetre = 0);
    // The size that paint needs at pixelsPerMetre.
    static QSizeF sizeAt(const QFont &font, const SectionDrawing &drawing, const ExampleDimensions &dimensions,
                         double pixelsPerMetre);

    QSize sizeHint() const override { return {560, 400}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SectionDrawing m_drawing;
    ExampleDimensions m_dimensions;
};
