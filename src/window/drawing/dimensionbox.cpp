#include "dimensionbox.h"

#include "takeoff/numbers.h"

#include <QLineEdit>

namespace {

constexpr int kMillimetres = 3;

// The decimals typed after the comma.
qsizetype decimalsIn(const QString &text)
{
    const qsizetype comma = text.indexOf(u',');
    if (comma < 0)
        return 0;
    qsizetype digits = 0;
    for (qsizetype i = comma + 1; i < text.size() && text.at(i).isDigit(); ++i)
        ++digits;
    return digits;
}

} // namespace

DimensionBox::DimensionBox(QWidget *parent) : QDoubleSpinBox(parent)
{
    QLocale italian(QLocale::Italian, QLocale::Italy);
    italian.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(italian);
    setDecimals(kMillimetres);
    setRange(0.001, 99.999);
    setSingleStep(0.05);
}

// Italian settings would take a point for a thousands separator: it becomes
// the decimal comma as it is typed (or pasted).
QValidator::State DimensionBox::validate(QString &text, int &position) const
{
    text.replace(u'.', u',');
    if (decimalsIn(text) > kMillimetres) {
        emit tooPrecise(text);
        return QValidator::Invalid;
    }
    return QDoubleSpinBox::validate(text, position);
}

QString DimensionBox::textFromValue(double value) const
{
    return m_allDecimals ? italianNumber(value, kMillimetres) : lengthText(value);
}

void DimensionBox::setAllDecimals(bool all)
{
    m_allDecimals = all;
    setValue(value());
    lineEdit()->setText(textFromValue(value()));
}

bool DimensionBox::hasSelectedText() const
{
    return lineEdit()->hasSelectedText();
}
