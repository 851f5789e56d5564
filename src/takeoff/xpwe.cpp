#include "xpwe.h"

#include "numbers.h"

#include <QXmlStreamWriter>
#include <cmath>

namespace {

// A number as the format writes it: a point, at most six decimals, no
// thousands separator; a length keeps two.
QString number(double value, int leastDecimals = 0)
{
    QString text = QString::number(value, 'f', 6);
    while (text.endsWith(u'0') && text.indexOf(u'.') < text.size() - 1 - leastDecimals)
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == u"-0" ? QStringLiteral("0") : text;
}

// A factor written as "length*cross-section", worked out whole by the reader.
QString product(double length, double section)
{
    return number(length, 2) + u'*' + QString::number(section, 'f', 6);
}

// One measurement row.
void row(QXmlStreamWriter &xml, int id, const QString &description, double length, double section, bool deduction)
{
    xml.writeStartElement(QStringLiteral("RGItem"));
    xml.writeAttribute(QStringLiteral("ID"), QString::number(id));
    xml.writeTextElement(QStringLiteral("IDVV"), QStringLiteral("-2"));
    xml.writeTextElement(QStringLiteral("Descrizione"),
                         QStringLiteral("%1: %2 m × %3 m²").arg(description, italianNumber(length, 2),
                                                                italianNumber(section, 4)));
    xml.writeTextElement(QStringLiteral("PartiUguali"), QString());
    xml.writeTextElement(QStringLiteral("Lunghezza"), product(length, section));
    xml.writeTextElement(QStringLiteral("Larghezza"), QString());
    xml.writeTextElement(QStringLiteral("HPeso"), QString());
    const double quantity = length * std::round(section * 1e6) / 1e6;
    xml.writeTextElement(QStringLiteral("Quantita"), number(deduction ? -quantity : quantity));
    xml.writeTextElement(QStringLiteral("Flags"), deduction ? QStringLiteral("1") : QStringLiteral("0"));
    xml.writeEndElement();
}

// Whether a factor rounds to nothing at six decimals.
bool isZero(double section)
{
    return std::abs(section) < 0.0000005;
}

} // namespace

XpweComputo xpweComputo(const StretchTakeoff &takeoff, const QString &job)
{
    XpweComputo computo;
    std::vector<const StretchQuantities *> stretches;
    for (const StretchQuantities &stretch : takeoff.stretches) {
        if (stretch.counted)
            stretches.push_back(&stretch);
        else if (!stretch.given.isEmpty())
            computo.leftOut << stretch.name;
    }
    std::vector<const CodeTotal *> codes;
    for (const CodeTotal &total : takeoff.totals) {
        if (!total.code.isEmpty()) {
            codes.push_back(&total);
            continue;
        }
        for (const size_t area : total.areas)
            computo.uncoded << takeoff.areas[area]->number;
    }
    if (stretches.empty() || codes.empty())
        return computo;

    QXmlStreamWriter xml(&computo.bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("PweDocumento"));
    xml.writeStartElement(QStringLiteral("PweDatiGenerali"));
    xml.writeStartElement(QStringLiteral("PweDGProgetto"));
    xml.writeStartElement(QStringLiteral("PweDGDatiGenerali"));
    xml.writeTextElement(QStringLiteral("Oggetto"), job.trimmed());
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("PweDGCapitoliCategorie"));
    xml.writeStartElement(QStringLiteral("PweDGCategorie"));
    for (size_t s = 0; s < stretches.size(); ++s) {
        xml.writeStartElement(QStringLiteral("DGCategorieItem"));
        xml.writeAttribute(QStringLiteral("ID"), QString::number(s + 1));
        xml.writeTextElement(QStringLiteral("DesSintetica"), stretches[s]->name);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement(); // PweDatiGenerali

    // The price list first, the computo second: the reader takes them so.
    xml.writeStartElement(QStringLiteral("PweMisurazioni"));
    xml.writeStartElement(QStringLiteral("PweElencoPrezzi"));
    for (size_t c = 0; c < codes.size(); ++c) {
        xml.writeStartElement(QStringLiteral("EPItem"));
        xml.writeAttribute(QStringLiteral("ID"), QString::number(c + 1));
        xml.writeTextElement(QStringLiteral("TipoEP"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("Tariffa"), codes[c]->code);
        xml.writeTextElement(QStringLiteral("DesRidotta"), codes[c]->description);
        xml.writeTextElement(QStringLiteral("DesEstesa"), codes[c]->description);
        xml.writeTextElement(QStringLiteral("UnMisura"), QStringLiteral("m³"));
        xml.writeTextElement(QStringLiteral("Prezzo1"), QStringLiteral("0"));
        xml.writeEndElement();
    }
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("PweVociComputo"));
    int item = 0;
    int rowId = 0;
    for (size_t s = 0; s < stretches.size(); ++s) {
        const StretchQuantities &stretch = *stretches[s];
        for (size_t c = 0; c < codes.size(); ++c) {
            double net = 0;
            for (const size_t area : codes[c]->areas)
                net += takeoff.net(stretch, area).value_or(0);
            xml.writeStartElement(QStringLiteral("VCItem"));
            xml.writeAttribute(QStringLiteral("ID"), QString::number(++item));
            xml.writeTextElement(QStringLiteral("IDEP"), QString::number(c + 1));
            xml.writeTextElement(QStringLiteral("Quantita"), number(net));
            xml.writeTextElement(QStringLiteral("IDSpCat"), QStringLiteral("0"));
            xml.writeTextElement(QStringLiteral("IDCat"), QString::number(s + 1));
            xml.writeTextElement(QStringLiteral("IDSbCat"), QStringLiteral("0"));
            // The rows last: the reader takes the last child for them.
            xml.writeStartElement(QStringLiteral("PweVCMisure"));
            for (const size_t area : codes[c]->areas) {
                const AreaSpec &spec = *takeoff.areas[area];
                const QString name = QStringLiteral("Area %1").arg(spec.number);
                if (!isZero(stretch.meanGross[area]))
                    row(xml, ++rowId,
                        spec.description.trimmed().isEmpty()
                            ? name
                            : QStringLiteral("%1 – %2").arg(name, spec.description.trimmed()),
                        stretch.length, stretch.meanGross[area], false);
                const std::optional<double> &deduction = takeoff.deductions[area];
                if (deduction && !isZero(*deduction))
                    row(xml, ++rowId, QStringLiteral("%1 – a detrarre tubo").arg(name), stretch.length, *deduction,
                        true);
            }
            xml.writeEndElement();
            xml.writeEndElement();
        }
    }
    xml.writeEndElement(); // PweVociComputo
    xml.writeEndElement(); // PweMisurazioni
    xml.writeEndElement(); // PweDocumento
    xml.writeEndDocument();
    return computo;
}

QString xpweLeftOut(const XpweComputo &computo)
{
    QStringList without;
    if (computo.leftOut.size() == 1)
        without << QStringLiteral("il tratto %1, escluso dai totali").arg(computo.leftOut.front());
    else if (!computo.leftOut.isEmpty())
        without << QStringLiteral("i tratti %1, esclusi dai totali").arg(computo.leftOut.join(QStringLiteral(", ")));
    QStringList areas;
    for (const int area : computo.uncoded)
        areas << QString::number(area);
    if (areas.size() == 1)
        without << QStringLiteral("l'area %1, che non ha una voce di elenco prezzi").arg(areas.front());
    else if (!areas.isEmpty())
        without << QStringLiteral("le aree %1, che non hanno una voce di elenco prezzi").arg(areas.join(QStringLiteral(", ")));
    return without.isEmpty() ? QString()
                             : QStringLiteral("Il file è stato scritto senza %1.").arg(without.join(QStringLiteral(" e senza ")));
}
