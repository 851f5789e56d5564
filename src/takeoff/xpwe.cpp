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

// One measurement row: its words, the expression the reader works out
// whole, and its quantity as the reader works it out.
struct Row
{
    QString description;
    QString expression;
    double quantity = 0;
    bool deduction = false;
};

// A row of length × cross-section, "Area 1 – SABBIA: 52,00 m × 0,1395 m²".
Row areaRow(const QString &words, double length, double section, bool deduction)
{
    const double rounded = std::round(section * 1e6) / 1e6;
    return {QStringLiteral("%1: %2 m × %3 m²").arg(words, italianNumber(length, 2), italianNumber(section, 4)),
            number(length, 2) + u'*' + QString::number(section, 'f', 6), length * rounded, deduction};
}

// The row of an item over a stretch, as one expression worked out whole:
// "Tratto P1-P2 – scavo da 1,50 a 3,00 m: 40,00 m × 0,2222 m²".
Row itemRow(const QString &stretch, const ItemQuantity &measured, Measure measure)
{
    QStringList shown;
    QStringList expression;
    if (measured.times > 1) {
        shown << QString::number(measured.times);
        expression << QString::number(measured.times);
    }
    shown << italianNumber(measured.length, 2) + QStringLiteral(" m");
    expression << number(measured.length, 2);
    double quantity = measured.times * measured.length;
    if (measured.factor) {
        const double rounded = std::round(*measured.factor * 1e6) / 1e6;
        shown << italianNumber(*measured.factor, 4) + (measure == Measure::Scavo ? QStringLiteral(" m²") : QStringLiteral(" m"));
        expression << QString::number(*measured.factor, 'f', 6);
        quantity *= rounded;
    }
    return {QStringLiteral("Tratto %1 – %2: %3").arg(stretch, measured.words, shown.join(QStringLiteral(" × "))),
            expression.join(u'*'), quantity, false};
}

// Whether a factor rounds to nothing at six decimals.
bool isZero(double section)
{
    return std::abs(section) < 0.0000005;
}

// Texts as XML holds them: a control character, or a character XML cannot
// hold at all, becomes a blank.
class Texts
{
public:
    QString operator()(const QString &text)
    {
        QString written = text;
        for (qsizetype i = 0; i < written.size(); ++i) {
            const QChar c = written.at(i);
            if (c.isHighSurrogate() && i + 1 < written.size() && written.at(i + 1).isLowSurrogate()) {
                ++i; // a character beyond U+FFFF, whole
                continue;
            }
            const bool control = c.category() == QChar::Other_Control;
            if (control || c.isSurrogate() || c.unicode() >= 0xFFFE) {
                written[i] = u' ';
                blanked = true;
            }
        }
        return written;
    }
    bool blanked = false;
};

void writeRow(QXmlStreamWriter &xml, int id, const Row &row)
{
    xml.writeStartElement(QStringLiteral("RGItem"));
    xml.writeAttribute(QStringLiteral("ID"), QString::number(id));
    xml.writeTextElement(QStringLiteral("IDVV"), QStringLiteral("-2"));
    xml.writeTextElement(QStringLiteral("Descrizione"), row.description);
    xml.writeTextElement(QStringLiteral("PartiUguali"), QString());
    xml.writeTextElement(QStringLiteral("Lunghezza"), row.expression);
    xml.writeTextElement(QStringLiteral("Larghezza"), QString());
    xml.writeTextElement(QStringLiteral("HPeso"), QString());
    xml.writeTextElement(QStringLiteral("Quantita"), number(row.deduction ? -row.quantity : row.quantity));
    xml.writeTextElement(QStringLiteral("Flags"), row.deduction ? QStringLiteral("1") : QStringLiteral("0"));
    xml.writeEndElement();
}

// One price item of the list.
struct PriceEntry
{
    QString code;
    QString description;
    QString unit;
};

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
    // The price codes written, and each one's place in the list (none: left out).
    std::vector<std::optional<int>> listed(takeoff.totals.size());
    std::vector<PriceEntry> list;
    for (size_t c = 0; c < takeoff.totals.size(); ++c) {
        const CodeTotal &total = takeoff.totals[c];
        if (total.code.isEmpty())
            continue;
        if (!total.known) {
            computo.unknown << total.code; // its net quantity is not known
            continue;
        }
        listed[c] = int(list.size());
        list.push_back({total.code, total.description, QStringLiteral("m³")});
    }
    const int firstItem = int(list.size());
    for (const ItemTotal &item : takeoff.items)
        list.push_back({item.given.code.trimmed(),
                        item.given.description.trimmed().isEmpty() ? item.given.code.trimmed()
                                                                   : item.given.description.trimmed(),
                        unitOf(item.rule.measure)});
    for (const UsedSection &used : takeoff.sections)
        for (size_t a = 0; a < used.codeOfArea.size(); ++a)
            if (takeoff.totals[used.codeOfArea[a]].code.isEmpty())
                computo.uncoded << (used.file.isEmpty() ? QString::number(used.section->areas()[a].number)
                                                        : QStringLiteral("%1 della sezione «%2»")
                                                              .arg(QString::number(used.section->areas()[a].number),
                                                                   used.shortName()));
    if (stretches.empty() || list.empty())
        return computo;

    Texts text;
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("PweDocumento"));
    xml.writeStartElement(QStringLiteral("PweDatiGenerali"));
    xml.writeStartElement(QStringLiteral("PweDGProgetto"));
    xml.writeStartElement(QStringLiteral("PweDGDatiGenerali"));
    xml.writeTextElement(QStringLiteral("Oggetto"), text(job.trimmed()));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("PweDGCapitoliCategorie"));
    xml.writeStartElement(QStringLiteral("PweDGCategorie"));
    for (size_t s = 0; s < stretches.size(); ++s) {
        xml.writeStartElement(QStringLiteral("DGCategorieItem"));
        xml.writeAttribute(QStringLiteral("ID"), QString::number(s + 1));
        xml.writeTextElement(QStringLiteral("DesSintetica"), text(stretches[s]->name));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement(); // PweDatiGenerali

    // The price list first, the computo second: the reader takes them so.
    xml.writeStartElement(QStringLiteral("PweMisurazioni"));
    xml.writeStartElement(QStringLiteral("PweElencoPrezzi"));
    for (size_t c = 0; c < list.size(); ++c) {
        xml.writeStartElement(QStringLiteral("EPItem"));
        xml.writeAttribute(QStringLiteral("ID"), QString::number(c + 1));
        xml.writeTextElement(QStringLiteral("TipoEP"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("Tariffa"), text(list[c].code));
        xml.writeTextElement(QStringLiteral("DesRidotta"), text(list[c].description));
        xml.writeTextElement(QStringLiteral("DesEstesa"), text(list[c].description));
        xml.writeTextElement(QStringLiteral("UnMisura"), list[c].unit);
        xml.writeTextElement(QStringLiteral("Prezzo1"), QStringLiteral("0"));
        xml.writeEndElement();
    }
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("PweVociComputo"));
    int item = 0;
    int rowId = 0;
    const auto writeItem = [&](int listedAt, size_t category, double quantity, const std::vector<Row> &rows) {
        xml.writeStartElement(QStringLiteral("VCItem"));
        xml.writeAttribute(QStringLiteral("ID"), QString::number(++item));
        xml.writeTextElement(QStringLiteral("IDEP"), QString::number(listedAt + 1));
        xml.writeTextElement(QStringLiteral("Quantita"), number(quantity));
        xml.writeTextElement(QStringLiteral("IDSpCat"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("IDCat"), QString::number(category + 1));
        xml.writeTextElement(QStringLiteral("IDSbCat"), QStringLiteral("0"));
        // The rows last: the reader takes the last child for them.
        xml.writeStartElement(QStringLiteral("PweVCMisure"));
        for (const Row &row : rows)
            writeRow(xml, ++rowId, row);
        xml.writeEndElement();
        xml.writeEndElement();
    };
    for (size_t s = 0; s < stretches.size(); ++s) {
        const StretchQuantities &stretch = *stretches[s];
        const UsedSection &used = takeoff.sections[stretch.section];
        const QString ofSection = used.file.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(used.shortName());
        const double pipe = pipeArea(stretch.D);
        const std::vector<std::optional<double>> codeNets = takeoff.codeNets(stretch);
        for (size_t c = 0; c < takeoff.totals.size(); ++c) {
            if (!listed[c])
                continue;
            // Its rows: each area's gross volume and the pipe's share to deduct.
            std::vector<Row> rows;
            for (size_t a = 0; a < used.codeOfArea.size(); ++a) {
                if (used.codeOfArea[a] != c)
                    continue;
                const AreaValues &values = used.section->areas()[a];
                const QString name = QStringLiteral("Area %1").arg(values.number);
                if (!isZero(stretch.meanGross[a]))
                    rows.push_back(areaRow(text(values.description.trimmed().isEmpty()
                                                    ? name + ofSection
                                                    : QStringLiteral("%1 – %2%3").arg(name, values.description.trimmed(),
                                                                                      ofSection)),
                                           stretch.length, stretch.meanGross[a], false));
                const double deduction = *values.coefficient * pipe;
                if (!isZero(deduction))
                    rows.push_back(areaRow(QStringLiteral("%1 – a detrarre tubo%2").arg(name, ofSection),
                                           stretch.length, deduction, true));
            }
            if (!rows.empty())
                writeItem(*listed[c], s, *codeNets[c], rows);
        }
        // The job's own items, a row each.
        for (size_t i = 0; i < takeoff.items.size(); ++i) {
            const ItemQuantity &measured = stretch.items[i];
            if (isZero(measured.quantity))
                continue;
            writeItem(firstItem + int(i), s, measured.quantity,
                      {itemRow(text(stretch.name), measured, takeoff.items[i].rule.measure)});
        }
    }
    xml.writeEndElement(); // PweVociComputo
    xml.writeEndElement(); // PweMisurazioni
    xml.writeEndElement(); // PweDocumento
    xml.writeEndDocument();
    computo.blanked = text.blanked;
    if (xml.hasError())
        computo.failure = QStringLiteral("la scrittura del testo XML non è riuscita.");
    else
        computo.bytes = bytes;
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
    if (computo.uncoded.size() == 1)
        without << QStringLiteral("l'area %1, che non ha una voce di elenco prezzi").arg(computo.uncoded.front());
    else if (!computo.uncoded.isEmpty())
        without << QStringLiteral("le aree %1, che non hanno una voce di elenco prezzi")
                       .arg(computo.uncoded.join(QStringLiteral(", ")));
    QString told = without.isEmpty() ? QString()
                                     : QStringLiteral("Il file è stato scritto senza %1.")
                                           .arg(without.join(QStringLiteral(" e senza ")));
    if (computo.blanked)
        told += QString(told.isEmpty() ? "" : " ")
                + QStringLiteral("I caratteri di controllo nei testi sono stati scritti come spazi.");
    return told;
}

QString xpweNothing(const XpweComputo &computo)
{
    if (!computo.failure.isEmpty())
        return QStringLiteral("Il file XPWE non è stato scritto: %1").arg(computo.failure);
    if (computo.leftOut.isEmpty() && computo.unknown.isEmpty() && computo.uncoded.isEmpty())
        return QStringLiteral("Nessun tratto da esportare.");
    QStringList why;
    if (!computo.leftOut.isEmpty())
        why << (computo.leftOut.size() == 1 ? QStringLiteral("il tratto %1 è escluso dai totali")
                                            : QStringLiteral("i tratti %1 sono esclusi dai totali"))
                   .arg(computo.leftOut.join(QStringLiteral(", ")));
    if (!computo.unknown.isEmpty())
        why << (computo.unknown.size() == 1
                    ? QStringLiteral("la voce %1 ha un coefficiente di detrazione che non è un numero")
                    : QStringLiteral("le voci %1 hanno un coefficiente di detrazione che non è un numero"))
                   .arg(computo.unknown.join(QStringLiteral(", ")));
    if (!computo.uncoded.isEmpty())
        why << (computo.uncoded.size() == 1 ? QStringLiteral("l'area %1 non ha una voce di elenco prezzi")
                                            : QStringLiteral("le aree %1 non hanno una voce di elenco prezzi"))
                   .arg(computo.uncoded.join(QStringLiteral(", ")));
    return QStringLiteral("Nessun tratto da esportare: %1.").arg(why.join(QStringLiteral("; ")));
}
