#pragma once

#include "section/sectiondrawing.h"

#include <QWidget>

// The user's section drawn to scale, black on white: each area outlined
// with its number and description, its height dimensioned on the right,
// the bottom width L below, the depth P on the left, and the pipe. One
// scale across and down, fitted to the widget. Ctrl+C copies it as an
// image.
class SectionPicture : public QWidget
{
    Q_OBJECT

public:
    explicit SectionPicture(QWidget *parent = nullptr);

    void setDrawing(const SectionDrawing &drawing, const ExampleDimensions &dimensions);
    // What the picture shows, area by area, in words.
    static QString describe(const SectionDrawing &drawing);

    QSize sizeHint() const override { return {560, 400}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SectionDrawing m_drawing;
    ExampleDimensions m_dimensions;
};
