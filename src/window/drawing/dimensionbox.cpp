#include "dimensionbox.h"

#include <QLineEdit>

DimensionBox::DimensionBox(QWidget *parent) : QDoubleSpinBox(parent)
{
    setLocale(QLocale::c()); // a point as decimal separator, as in the file
    setDecimals(2);
    setRange(0.01, 99.99);
    setSingleStep(0.05);
}

// The C locale would take a comma for a thousands separator: it becomes the
// decimal point as it is typed (or pasted).
QValidator::State DimensionBox::validate(QString &text, int &position) const
{
    text.replace(u',', u'.');
    return QDoubleSpinBox::validate(text, position);
}

bool DimensionBox::hasSelectedText() const
{
    return lineEdit()->hasSelectedText();
}
