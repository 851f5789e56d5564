#pragma once

#include <QDoubleSpinBox>

// A length in metres for the drawing, shown with a decimal point as the
// section file writes numbers, and typed with a point or, as an Italian
// keyboard types it, a comma: "0,90" is 0.90 m, never 90.
class DimensionBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit DimensionBox(QWidget *parent = nullptr);

    QValidator::State validate(QString &text, int &position) const override;
    bool hasSelectedText() const;
};
