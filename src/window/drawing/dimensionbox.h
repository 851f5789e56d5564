#pragma once

#include <QDoubleSpinBox>

// A length in metres for the calculation, to the millimetre: shown with a
// decimal comma and two decimals, or three when the third is not zero, as
// every number of the drawing window; typed with a comma or, as the section
// file writes numbers, a point: "0.90" is 0,90 m, never 90. A fourth
// decimal is refused, and said (tooPrecise), never dropped silently.
class DimensionBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit DimensionBox(QWidget *parent = nullptr);

    QValidator::State validate(QString &text, int &position) const override;
    QString textFromValue(double value) const override;
    bool hasSelectedText() const;
    // Shows all three decimals, as a wall's thickness reads ("0,012").
    void setAllDecimals(bool all);

private:
    bool m_allDecimals = false;

signals:
    // A text with more decimals than a millimetre needs was refused.
    void tooPrecise(const QString &text) const;
};
