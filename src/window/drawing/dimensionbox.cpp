#include "dimensionbox.h"

#include <QLineEdit>

DimensionBox::DimensionBox(QWidget *parent) : QDoubleSpinBox(parent)
{
    QLocale italian(QLocale::Italian, QLocale::Italy);
    italian.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(italian);
    setDecimals(2);
    setRange(0.01, 99.99);
    setSingleStep(0.05);
}

// Italian settings would take a point for a thousands separator: it becomes
// the decimal comma as it is typed (or pasted).
QValidator::State DimensionBox::validate(QString &text, int &position) const
{
    text.replace(u'.', u',');
    return QDoubleSpinBox::validate(text, position);
}

bool DimensionBox::hasSelectedText() const
{
    return lineEdit()->hasSelectedText();
}
