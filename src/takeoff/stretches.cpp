#include "stretches.h"

#include "depthrule.h"
#include "numbers.h"
#include "pipeshare.h"
#include "section/sectionclipboard.h"
#include "trenchwidth.h"

#include <QFileInfo>
#include <QStringBuilder>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

bool StretchOrigin::isEmpty() const
{
    return from.isEmpty() && to.isEmpty() && groundStart.isEmpty() && invertStart.isEmpty() && groundEnd.isEmpty()
           && invertEnd.isEmpty();
}

bool Stretch::isEmpty() const
{
    for (const QString *value : {&name, &length, &start, &end, &diameter, &nominal, &section})
        if (!value->trimmed().isEmpty())
            return false;
    return true;
}

QString UsedSection::shortName() const
{
    return file.isEmpty() ? QString() : QFileInfo(QString(file).replace(u'\\', u'/')).fileName();
}

namespace {

const QStringList kColumns{QStringLiteral("Tratto"), QStringLiteral("Lunghezza (m)"), QStringLiteral("P inizio (m)"),
                           QStringLiteral("P fine (m)"),   QStringLiteral("D (m)"),        QStringLiteral("DN"),
                           QStringLiteral("Sezione")};
constexpr int kTyped = 7;
// A hundred kilometres: a stretch longer than that is a slip.
constexpr double kLongest = 100 * kLargest;
// The largest DN there is, in millimetres, with room to spare.
constexpr int kLargestDN = 10'000;
const QString kExcluded = QStringLiteral("escluso dai totali");

// Reads the stretch's numbers and its pipe; the problem that leaves it out
// of the totals, or nothing.
std::optional<QString> readNumbers(StretchQuantities &out, const Stretch &stretch, const PipeSize &pipe)
{
    const std::pair<const QString *, double *> values[] = {
        {&stretch.length, &out.length}, {&stretch.start, &out.start}, {&stretch.end, &out.end}};
    for (int i = 0; i < 3; ++i) {
        const std::optional<double> number = typedNumber(*values[i].first);
        if (!number)
            return QStringLiteral("il valore «%1» di %2 non è un numero.").arg(*values[i].first, kColumns[i + 1]);
        *values[i].second = *number;
    }
    if (out.length <= 0)
        return QStringLiteral("la lunghezza deve essere maggiore di zero.");
    if (out.length > kLongest)
        return QStringLiteral("la lunghezza «%1» è troppo grande.").arg(stretch.length.trimmed().left(40));
    out.D = pipe.D;
    out.DN = pipe.DN;
    if (!stretch.diameter.trimmed().isEmpty()) {
        const std::optional<double> D = typedNumber(stretch.diameter);
        if (!D || *D <= 0 || *D > kLargest)
            return QStringLiteral("il valore «%1» di D (m) non è un diametro in metri.").arg(stretch.diameter.trimmed());
        out.D = *D;
        out.DN.reset(); // the window's DN goes with the window's D
    }
    if (!stretch.nominal.trimmed().isEmpty()) {
        bool whole = false;
        const int DN = stretch.nominal.trimmed().toInt(&whole);
        if (!whole || DN <= 0 || DN > kLargestDN)
            return QStringLiteral("il valore «%1» di DN non è un numero intero di millimetri.")
                .arg(stretch.nominal.trimmed());
        out.DN = DN;
    }
    return std::nullopt;
}

// What measuring the stretches one after the other keeps, to use its room
// again: the section drawn at a stretch's start, middle and end, and the
// words of a coefficient that differs from an area's share (by the
// section, the area and the share in hundredths).
struct Measuring
{
    CrossSection drawn[3];
    std::map<std::tuple<size_t, int, int>, quint32> wordings; // into problemWords
};

// An area's net volume over a stretch counted, in m³; none without a coefficient.
std::optional<double> areaNet(const StretchQuantities &stretch, const UsedSection &used, size_t area)
{
    return netVolume(stretch.length * stretch.meanGross[area], used.section->areas()[area].coefficient,
                     stretch.length * pipeArea(stretch.D));
}

// Measures a stretch whose numbers are read over its section, adds it to
// the totals and names what its pipe contradicts along it; the problem that
// leaves it out of the totals, or nothing.
std::optional<QString> measure(StretchQuantities &out, size_t index, const UsedSection &used, double L,
                               StretchTakeoff &takeoff, Measuring &measuring)
{
    const auto tell = [&takeoff, index](const QString &words) {
        takeoff.problems.push_back({quint32(index), quint32(takeoff.problemWords.size())});
        takeoff.problemWords.push_back(words);
    };
    const TrenchSection &section = *used.section;
    const double depths[] = {out.start, (out.start + out.end) / 2, out.end};
    CrossSection (&drawn)[3] = measuring.drawn;
    for (int i = 0; i < 3; ++i)
        section.at(L, depths[i], drawn[i]);
    // The section holds over a whole interval of depths: at both ends, all along.
    for (const int i : {0, 2}) {
        if (const std::optional<DepthFault> fault = depthFault(drawn[i], depths[i], out.D))
            return faultText(*fault, depths[i], out.D, holdingDepths(section, L, out.D)) + u'.';
    }
    // Each area's mean cross-section, and from it each volume, added to the totals.
    const size_t areas = drawn[0].areas.size();
    out.meanGross.resize(areas);
    for (size_t a = 0; a < areas; ++a)
        out.meanGross[a] = (drawn[0].areas[a].volume() + 4 * drawn[1].areas[a].volume() + drawn[2].areas[a].volume()) / 6;
    out.counted = true;
    out.net = 0.0;
    for (size_t a = 0; a < areas; ++a)
        addKnown(out.net, areaNet(out, used, a));
    const std::vector<std::optional<double>> codeNets = takeoff.codeNets(out);
    for (const size_t code : used.codes)
        addKnown(takeoff.totals[code].quantity, codeNets[code]);
    out.items.resize(takeoff.items.size());
    for (size_t i = 0; i < takeoff.items.size(); ++i) {
        ItemTotal &item = takeoff.items[i];
        out.items[i] = measureItem(section, L, item.rule, out.length, out.start, out.end);
        item.quantity += out.items[i].quantity;
    }

    const QString where = used.file.isEmpty() ? QString() : QStringLiteral(" della sezione «%1»").arg(used.shortName());
    // Many areas may differ along many stretches: their words are made once
    // for an area and a share.
    auto &wordings = measuring.wordings;
    for (const CoefficientMismatch &mismatch : coefficientMismatches(drawn[0], out.start, drawn[2], out.end, out.D)) {
        const auto key = std::make_tuple(out.section, mismatch.area->number, qRound(mismatch.share * 100));
        auto words = wordings.find(key);
        if (words == wordings.end()) {
            words = wordings.emplace(key, quint32(takeoff.problemWords.size())).first;
            takeoff.problemWords.push_back(QStringLiteral("l'area %1%2 contiene %3 del tubo, ma il suo coefficiente di "
                                                          "detrazione è «%4».")
                                               .arg(QString::number(mismatch.area->number), where,
                                                    italianNumber(mismatch.share, 2), mismatch.area->coefficientText));
        }
        takeoff.problems.push_back({quint32(index), words->second, mismatch.P});
    }
    // UNI EN 1610 asks most where the trench is deepest.
    const int deeper = drawn[2].top > drawn[0].top ? 2 : 0;
    if (!drawn[0].areas.empty()) {
        const double depth = drawn[deeper].top;
        if (const BottomCheck bottom = checkBottom(drawn[0], out.D, out.DN, depth); bottom.narrow) {
            QString text = narrowBottomText(out.D, out.DN, depth, bottom.minimum, bottom.bottom,
                                            u" (a P = " % lengthText(depths[deeper]) % u" m"
                                                % (used.file.isEmpty() ? QString() : u", sezione «" % used.shortName() % u"»")
                                                % u")");
            text[0] = text.at(0).toLower();
            tell(text);
        }
    }
    // A net volume below zero is never shown without a word.
    for (size_t a = 0; a < areas; ++a) {
        const std::optional<double> net = areaNet(out, used, a);
        if (net && writtenBelowZero(*net))
            tell(QStringLiteral("il volume netto dell'area %1%2 risulta negativo (%3 m³): la detrazione del tubo supera "
                                "il volume dell'area.")
                     .arg(QString::number(section.areas()[a].number), where, italianNumber(*net, 3)));
    }
    return std::nullopt;
}

// A section used, its price codes among the columns in the order they are first met.
void addSection(StretchTakeoff &takeoff, const QString &file, const TrenchSection *section)
{
    UsedSection used{file, section, {}, {}};
    for (const AreaValues &area : section->areas()) {
        const QString code = area.priceCode.trimmed();
        auto total = std::find_if(takeoff.totals.begin(), takeoff.totals.end(),
                                  [&code](const CodeTotal &t) { return t.code == code; });
        if (total == takeoff.totals.end())
            total = takeoff.totals.insert(takeoff.totals.end(), {code, area.description, 0.0, true});
        total->known = total->known && area.coefficient.has_value();
        const size_t column = size_t(total - takeoff.totals.begin());
        used.codeOfArea.push_back(column);
        if (std::find(used.codes.begin(), used.codes.end(), column) == used.codes.end())
            used.codes.push_back(column);
    }
    takeoff.sections.push_back(std::move(used));
}

// The job's items: each one's rule, or why it measures nothing.
void readItems(StretchTakeoff &takeoff, const std::vector<PriceItem> &items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        const PriceItem &item = items[i];
        if (item.isEmpty())
            continue;
        const std::variant<ItemRule, QString> rule = itemRule(item, int(i) + 1);
        const QString code = item.code.trimmed();
        const auto sameCode = [&code](const ItemTotal &other) { return other.given.code.trimmed() == code; };
        const auto areaCode = [&code](const CodeTotal &area) { return area.code == code; };
        if (const QString *why = std::get_if<QString>(&rule))
            takeoff.itemProblems << *why;
        else if (code.isEmpty())
            takeoff.itemProblems << QStringLiteral("Voce %1: manca il codice di elenco prezzi.").arg(i + 1);
        else if (std::any_of(takeoff.items.begin(), takeoff.items.end(), sameCode)
                 || std::any_of(takeoff.totals.begin(), takeoff.totals.end(), areaCode))
            takeoff.itemProblems << QStringLiteral("Voce %1 (%2): il codice è già di un'altra voce o di un'area della "
                                                   "sezione.")
                                        .arg(QString::number(i + 1), code);
        else
            takeoff.items.push_back({item, std::get<ItemRule>(rule), 0});
    }
}

} // namespace

QString StretchTakeoff::excludedText() const
{
    if (excluded == 0)
        return {};
    return QStringLiteral("Lunghezza esclusa dai totali: %1 m (%2).")
        .arg(italianNumber(excludedLength, 2),
             excluded == 1 ? QStringLiteral("1 tratto") : QStringLiteral("%1 tratti").arg(excluded));
}

std::vector<std::optional<double>> StretchTakeoff::codeNets(const StretchQuantities &stretch) const
{
    std::vector<std::optional<double>> nets(totals.size());
    if (!stretch.counted)
        return nets;
    const UsedSection &used = sections[stretch.section];
    for (size_t a = 0; a < stretch.meanGross.size(); ++a) {
        std::optional<double> &net = nets[used.codeOfArea[a]];
        net = net.value_or(0.0);
        addKnown(net, areaNet(stretch, used, a));
    }
    return nets;
}

QStringList StretchTakeoff::problemLines() const
{
    QStringList lines;
    lines.reserve(qsizetype(problems.size()));
    for (const StretchProblem &problem : problems) {
        const QString who = QStringLiteral("Tratto ") % stretches[problem.stretch].name % u": ";
        const QString &words = problemWords[problem.words];
        if (std::isnan(problem.at))
            lines << who % words;
        else
            lines << who % u"a P = " % lengthText(problem.at) % u" m " % words;
    }
    return lines;
}

const QStringList &stretchColumns()
{
    return kColumns;
}

PastedStretches pastedStretches(const QList<QStringList> &rows, int column)
{
    PastedStretches pasted;
    // A copy of "Copia tratti": its stretches' typed columns, up to the row "Totale".
    if (column == 0 && !rows.isEmpty() && rows.front().mid(0, 4) == kColumns.mid(0, 4)) {
        const int typed = rows.front().mid(0, kTyped) == kColumns ? kTyped : 4;
        for (qsizetype r = 1; r < rows.size(); ++r) {
            const QStringList &row = rows[r];
            if (row.value(0) == u"Totale" || std::all_of(row.begin(), row.end(), [](const QString &cell) {
                    return cell.trimmed().isEmpty();
                }))
                break;
            pasted.rows << row.mid(0, typed);
        }
        pasted.told = QStringLiteral("Incollati i tratti della tabella copiata con «Copia tratti»: le quantità, la "
                                     "riga «Totale» e ciò che la segue non sono stati incollati.");
        return pasted;
    }
    const qsizetype width = blockWidth(rows);
    if (column + width > kTyped) {
        pasted.refusal = tooWideBlock(width, kColumns[column], kTyped - column);
        return pasted;
    }
    // The length, the depths, D and DN, where the block lands on them.
    QList<qsizetype> numbers;
    for (int typed = std::max(1, column); typed <= 5; ++typed)
        numbers << typed - column;
    pasted.rows = rows;
    if (isHeaderRow(rows, numbers)) {
        pasted.rows.removeFirst();
        pasted.told = headerLeftOut();
    }
    return pasted;
}

QString codeShown(const QString &code)
{
    return code.isEmpty() ? QStringLiteral("(senza voce)") : code;
}

StretchTakeoff stretchTakeoff(const TrenchSection &edited, double L, const PipeSize &pipe,
                              const std::vector<Stretch> &stretches, const SectionFinder &findSection,
                              const std::vector<PriceItem> &items)
{
    StretchTakeoff takeoff;
    addSection(takeoff, QString(), &edited);
    readItems(takeoff, items);
    Measuring measuring;
    takeoff.stretches.reserve(stretches.size());
    for (size_t s = 0; s < stretches.size(); ++s) {
        const Stretch &stretch = stretches[s];
        StretchQuantities quantities;
        quantities.given = stretch;
        if (stretch.isEmpty()) {
            takeoff.stretches.push_back(quantities); // nothing to count, nothing to tell
            continue;
        }
        quantities.name = stretch.name.trimmed().isEmpty() ? QString::number(s + 1) : stretch.name.trimmed();
        // Its section: the one being edited, or a file's, read once.
        std::optional<QString> problem;
        const QString file = stretch.section.trimmed();
        const auto used = std::find_if(takeoff.sections.begin(), takeoff.sections.end(),
                                       [&file](const UsedSection &u) { return u.file == file; });
        if (used != takeoff.sections.end()) {
            quantities.section = size_t(used - takeoff.sections.begin());
        } else {
            const auto found = findSection ? findSection(file)
                                           : std::variant<const TrenchSection *, QString>(QStringLiteral("nessun file"));
            if (const auto *section = std::get_if<const TrenchSection *>(&found)) {
                quantities.section = takeoff.sections.size();
                addSection(takeoff, file, *section);
            } else {
                problem = QStringLiteral("la sezione «%1» non si legge: %2").arg(file, std::get<QString>(found));
            }
        }
        if (!problem)
            problem = readNumbers(quantities, stretch, pipe);
        if (!problem)
            problem = measure(quantities, s, takeoff.sections[quantities.section], L, takeoff, measuring);
        if (problem) {
            takeoff.problems.push_back({quint32(s), quint32(takeoff.problemWords.size())});
            takeoff.problemWords.push_back(*problem);
            ++takeoff.excluded;
            if (const std::optional<double> length = typedNumber(stretch.length); length && *length > 0)
                takeoff.excludedLength += *length;
        }
        takeoff.stretches.push_back(std::move(quantities));
    }

    takeoff.net = 0.0;
    for (const StretchQuantities &stretch : takeoff.stretches) {
        if (!stretch.counted)
            continue;
        addKnown(takeoff.net, stretch.net);
        takeoff.countedLength += stretch.length;
    }
    return takeoff;
}

QList<QStringList> stretchCells(const StretchTakeoff &takeoff, const NumberStyle &style)
{
    QStringList header = kColumns;
    for (const CodeTotal &total : takeoff.totals)
        header << codeShown(total.code) + QStringLiteral(" (m³)");
    header << QStringLiteral("Netto (m³)");
    for (const ItemTotal &item : takeoff.items)
        header << QStringLiteral("%1 (%2)").arg(item.given.code.trimmed(), unitOf(item.rule.measure));
    header << QStringLiteral("Note");
    const auto volume = [&style](const std::optional<double> &value) { return value ? style(*value, 3) : QString(); };
    const bool copied = style.decimals > 0;
    QList<QStringList> cells{header};
    for (const StretchQuantities &stretch : takeoff.stretches) {
        const Stretch &given = stretch.given;
        if (given.isEmpty())
            continue;
        QStringList row{stretch.name};
        if (!stretch.counted) {
            // As typed; copied, its numbers as numbers, for a spreadsheet's sums.
            for (const QString *value : {&given.length, &given.start, &given.end, &given.diameter}) {
                const std::optional<double> number = copied ? typedNumber(*value) : std::nullopt;
                row << (number ? style(*number, 3) : *value);
            }
            row << given.nominal << given.section;
            while (row.size() < header.size() - 1)
                row << QString();
            cells << (row << kExcluded);
            continue;
        }
        row << style(stretch.length, 2) << style.length(stretch.start) << style.length(stretch.end)
            << (given.diameter.trimmed().isEmpty() ? QString() : style.length(stretch.D))
            << (stretch.DN && !given.nominal.trimmed().isEmpty() ? QString::number(*stretch.DN) : QString())
            << given.section;
        for (const std::optional<double> &net : takeoff.codeNets(stretch))
            row << volume(net);
        row << volume(stretch.net);
        for (size_t i = 0; i < takeoff.items.size(); ++i)
            row << style(stretch.items[i].quantity, 3);
        cells << (row << QString());
    }
    QStringList total{QStringLiteral("Totale"), style(takeoff.countedLength, 2), {}, {}, {}, {}, {}};
    for (const CodeTotal &code : takeoff.totals)
        total << volume(code.quantity);
    total << volume(takeoff.net);
    for (const ItemTotal &item : takeoff.items)
        total << style(item.quantity, 3);
    cells << (total << QString());
    return cells;
}

QList<QStringList> codeTotalCells(const StretchTakeoff &takeoff, const NumberStyle &style)
{
    QList<QStringList> cells{
        {QStringLiteral("Voce"), QStringLiteral("Descrizione"), QStringLiteral("Unità"), QStringLiteral("Quantità")}};
    for (const CodeTotal &total : takeoff.totals)
        cells << QStringList{codeShown(total.code), total.description, QStringLiteral("m³"),
                             total.quantity ? style(*total.quantity, 3) : QString()};
    for (const ItemTotal &item : takeoff.items)
        cells << QStringList{item.given.code.trimmed(), item.given.description.trimmed(), unitOf(item.rule.measure),
                             style(item.quantity, 3)};
    return cells;
}
