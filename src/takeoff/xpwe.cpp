#include "xpwe.h"

#include "numbers.h"

#include <QXmlStreamWriter>
#include <algorithm>
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

struct Row
{
    QString description;
    double section = 0; // m²
    bool deduction = false;
};

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
        if (total.code.isEmpty()) {
            for (const size_t area : total.areas)
                computo.uncoded << takeoff.areas[area].number;
        } else if (std::any_of(total.areas.begin(), total.areas.end(),
                               [&takeoff](size_t area) { return !takeoff.deductions[area]; })) {
            computo.unknown << total.code; // its net quantity is not known
        } else {
            codes.push_back(&total);
        }
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
            // Its rows: each area's gross volume and the pipe's share to deduct.
            std::vector<Row> rows;
            double net = 0;
            for (const size_t area : codes[c]->areas) {
                const AreaValues &values = takeoff.areas[area];
                const QString name = QStringLiteral("Area %1").arg(values.number);
                if (!isZero(stretch.meanGross[area]))
                    rows.push_back({values.description.trimmed().isEmpty()
                                        ? name
                                        : QStringLiteral("%1 – %2").arg(name, values.description.trimmed()),
                                    stretch.meanGross[area], false});
                const double deduction = *takeoff.deductions[area];
                if (!isZero(deduction))
                    rows.push_back({QStringLiteral("%1 – a detrarre tubo").arg(name), deduction, true});
                net += *takeoff.net(stretch, area);
            }
            if (rows.empty())
                continue; // no quantity there
            xml.writeStartElement(QStringLiteral("VCItem"));
            xml.writeAttribute(QStringLiteral("ID"), QString::number(++item));
            xml.writeTextElement(QStringLiteral("IDEP"), QString::number(c + 1));
            xml.writeTextElement(QStringLiteral("Quantita"), number(net));
            xml.writeTextElement(QStringLiteral("IDSpCat"), QStringLiteral("0"));
            xml.writeTextElement(QStringLiteral("IDCat"), QString::number(s + 1));
            xml.writeTextElement(QStringLiteral("IDSbCat"), QStringLiteral("0"));
            // The rows last: the reader takes the last child for them.
            xml.writeStartElement(QStringLiteral("PweVCMisure"));
            for (const Row &measured : rows)
                row(xml, ++rowId, measured.description, stretch.length, measured.section, measured.deduction);
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
    if (computo.unknown.size() == 1)
        without << QStringLiteral("la voce %1 (un coefficiente di detrazione non è un numero)").arg(computo.unknown.front());
    else if (!computo.unknown.isEmpty())
        without << QStringLiteral("le voci %1 (un coefficiente di detrazione non è un numero)")
                       .arg(computo.unknown.join(QStringLiteral(", ")));
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
