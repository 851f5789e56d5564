#pragma once

#include <QDoubleSpinBox>

// A length in metres for the calculation, shown with a decimal comma as
// every number of the drawing window, and typed with a comma or, as the
// section file writes numbers, a point: "0.90" is 0,90 m, never 90.
class DimensionBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit DimensionBox(QWidget *parent = nullptr);

    QValidator::State validate(QString &text, int &position) const override;
    bool hasSelectedText() const;
};
